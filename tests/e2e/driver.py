"""Drives the real program under Wine like a person: xdotool types and clicks, ImageMagick
takes screenshots, and a stand-in browser registered as the prefix's http handler records
exactly what the shell handed it. Needs DISPLAY and WINEPREFIX of a running session."""
import json
import os
import shutil
import subprocess
import time

WINE = "/usr/lib/wine/wine64"
SEARCH_TITLE = "Quorvel - tutti i file audio in rete :-)"
EXAMPLES_TITLE = "Info Sul Programma"
HTTP_COMMAND_KEY = r"HKLM\Software\Classes\http\shell\open\command"


class Failure(Exception):
    pass


def run(*command, check=True, timeout=60):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                            timeout=timeout, text=True)
    if check and result.returncode != 0:
        raise Failure(f"{command[0]} failed: {' '.join(command)}")
    return result.stdout


def wine(*arguments, check=True):
    return run(WINE, *arguments, check=check)


def expect(condition, message):
    if not condition:
        raise Failure(message)


class StandInBrowser:
    """The prefix's http handler, logging each launch's arguments."""

    def __init__(self, exe):
        self.folder = os.path.join(os.environ["WINEPREFIX"], "drive_c", "stand-in")
        os.makedirs(self.folder, exist_ok=True)
        shutil.copy(exe, os.path.join(self.folder, "StandInBrowser.exe"))
        self.log = os.path.join(self.folder, "launches.jsonl")
        self.register()
        self.clear()

    @staticmethod
    def register():
        wine("reg", "add", HTTP_COMMAND_KEY, "/ve", "/d", '"C:\\stand-in\\StandInBrowser.exe" "%1"', "/f")

    @staticmethod
    def unregister():
        wine("reg", "delete", r"HKLM\Software\Classes\http", "/f", check=False)

    def clear(self):
        if os.path.exists(self.log):
            os.remove(self.log)

    def launches(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as f:
            return [json.loads(line) for line in f if line.strip()]

    def wait_for(self, count, timeout=20):
        end = time.time() + timeout
        while time.time() < end:
            launches = self.launches()
            if len(launches) >= count:
                return launches
            time.sleep(0.1)
        raise Failure(f"expected {count} launches, got {self.launches()}")

    def expect_no_more(self, count, settle=1.5):
        time.sleep(settle)
        launches = self.launches()
        expect(len(launches) == count, f"expected {count} launches, got {launches}")


class Program:
    """The real program, started under Wine, with its search window found on the X display.
    Used as a context manager: it is stopped at the end, and the screen is photographed first
    (as failed-NAME.png in the working directory) when a journey fails."""

    def __init__(self, exe, name):
        self.name = name
        self.process = subprocess.Popen([WINE, exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        try:
            self.window = find_window(SEARCH_TITLE)
        except (Failure, subprocess.TimeoutExpired):
            self.stop()
            raise

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            shot = os.path.abspath(f"failed-{self.name}.png")
            try:
                screenshot(shot)
                print(f"the screen at the failure: {shot}")
            except (Failure, subprocess.TimeoutExpired):
                pass
        self.stop()
        return False

    def running(self):
        return self.process.poll() is None

    def wait_for_exit(self, timeout=20):
        try:
            self.process.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def stop(self):
        if self.running():
            self.process.kill()
            self.process.wait(10)


def find_window(title, timeout=30):
    out = run("timeout", str(timeout), "xdotool", "search", "--sync", "--onlyvisible", "--name",
              "^" + title.replace("(", "\\(").replace(")", "\\)") + "$", timeout=timeout + 5).split()
    expect(out, f"no window titled {title!r}")
    return out[0]


def window_gone(title, timeout=10):
    end = time.time() + timeout
    pattern = "^" + title.replace("(", "\\(").replace(")", "\\)") + "$"
    while time.time() < end:
        if not run("xdotool", "search", "--onlyvisible", "--name", pattern, check=False).split():
            return True
        time.sleep(0.1)
    return False


def geometry(window):
    """Position on the screen and size of a window's client area (xwininfo's absolute position:
    xdotool adds the frame's offset once more)."""
    fields = {"Absolute upper-left X": "X", "Absolute upper-left Y": "Y", "Width": "WIDTH", "Height": "HEIGHT"}
    values = {}
    for line in run("xwininfo", "-id", window).splitlines():
        name, _, value = line.strip().partition(":")
        if name in fields:
            values[fields[name]] = int(value)
    return values


def activate(window):
    """Brings a window to the front with the keyboard focus, as a click on its caption would:
    a browser starting up may have taken the focus."""
    run("xdotool", "windowactivate", "--sync", window, check=False, timeout=15)


def click(window, x, y, button=1, repeat=1):
    # A person's pointer rests a moment before the click; a balloon that pops up at the very
    # instant of a click takes that click itself.
    activate(window)
    run("xdotool", "mousemove", "--window", window, str(x), str(y))
    time.sleep(0.5)
    run("xdotool", "click", "--repeat", str(repeat), "--delay", "80", str(button))


def type_text(window, text):
    run("xdotool", "type", "--clearmodifiers", "--window", window, "--delay", "20", text)


def key(*names, window=None):
    command = ["xdotool", "key"]
    if window:
        command += ["--window", window]
    run(*command, *names)


def search_box_text(probe):
    """What the search box holds, read from inside Wine."""
    digits = run(WINE, probe, "text", SEARCH_TITLE, check=False, timeout=60).strip()
    try:
        return bytes.fromhex(digits).decode("utf-16-le")
    except ValueError:
        return None


def paste(text, probe):
    """Puts text on the clipboard and pastes it, as a person with non-ASCII text would, then
    waits until the search box holds it (Wine fetches the clipboard in its own time). xclip
    serves the clipboard in the foreground here and is ended after the paste: left to fork
    into the background, it would keep CTest's output pipe open."""
    server = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        server.stdin.write(text.encode("utf-8"))
        server.stdin.close()
        end = time.time() + 10
        while time.time() < end:
            held = subprocess.run(["xclip", "-o", "-selection", "clipboard"], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, timeout=10).stdout
            if held == text.encode("utf-8"):
                break
            time.sleep(0.05)
        else:
            raise Failure("the clipboard never held the text")
        key("ctrl+v")
        end = time.time() + 30
        while search_box_text(probe) != text:
            if time.time() > end:
                raise Failure(f"the pasted text never reached the search box: {text[:40]!r}")
            time.sleep(0.2)
    finally:
        server.terminate()
        server.wait(10)


def frame_extents(window):
    """Left, right, top and bottom of the window manager's frame around a window."""
    out = run("xprop", "-id", window, "_NET_FRAME_EXTENTS", check=False)
    numbers = [int(n) for n in out.split("=")[-1].replace(",", " ").split() if n.isdigit()]
    return numbers if len(numbers) == 4 else [0, 0, 0, 0]


def screenshot(path, window=None, around=(0, 0)):
    """The screen, cropped to a window and its frame when one is given, with `around` more
    pixels on each side and above (a balloon may stand out of the window)."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    raw = path + ".full.png"
    run("/usr/bin/import", "-window", "root", raw)
    if window:
        g = geometry(window)
        left, right, top, bottom = frame_extents(window)
        x, y = max(g["X"] - left - around[0], 0), max(g["Y"] - top - around[1], 0)
        width = g["WIDTH"] + left + right + 2 * around[0]
        height = g["HEIGHT"] + top + bottom + around[1]
        run("/usr/bin/convert", raw, "-crop", f"{width}x{height}+{x}+{y}", "+repage", path)
        os.remove(raw)
    else:
        os.replace(raw, path)
