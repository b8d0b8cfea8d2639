"""Drives the real program under Wine as a person does: xdotool moves the pointer, clicks and
types into whatever window has the focus, ImageMagick photographs the screen, and a stand-in
browser registered as the prefix's http handler records exactly what the shell handed it.
Needs DISPLAY and WINEPREFIX of a running session."""
import json
import os
import shutil
import subprocess
import time

WINE = "/usr/lib/wine/wine64"
SEARCH_TITLE = "Quorvel - tutti i file audio in rete :-)"
EXAMPLES_TITLE = "Info Sul Programma"


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def run(*command, check=True, timeout=60):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                            timeout=timeout, text=True)
    if check and result.returncode != 0:
        raise Failure(f"failed: {' '.join(command)}")
    return result.stdout


def wine(*arguments, check=True):
    return run(WINE, *arguments, check=check)


class StandInBrowser:
    """The prefix's http handler, logging each launch's arguments as a line of JSON."""
    KEY = r"HKLM\Software\Classes\http"

    def __init__(self, exe):
        folder = os.path.join(os.environ["WINEPREFIX"], "drive_c", "stand-in")
        os.makedirs(folder, exist_ok=True)
        shutil.copy(exe, os.path.join(folder, "StandInBrowser.exe"))
        self.log = os.path.join(folder, "launches.jsonl")
        if os.path.exists(self.log):
            os.remove(self.log)
        self.register()

    def register(self):
        wine("reg", "add", self.KEY + r"\shell\open\command", "/ve", "/d", '"C:\\stand-in\\StandInBrowser.exe" "%1"', "/f")

    def unregister(self):
        wine("reg", "delete", self.KEY, "/f", check=False)

    def launches(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log, encoding="utf-8") as f:
            return [json.loads(line)["argv"] for line in f if line.strip()]

    def expect(self, count, last=None, timeout=20):
        """Waits for the browser to have been started `count` times in all, the last time with
        exactly the one argument `last`."""
        end = time.time() + timeout
        while len(self.launches()) < count and time.time() < end:
            time.sleep(0.1)
        launches = self.launches()
        expect(len(launches) == count, f"expected {count} launches, got {launches}")
        expect(last is None or launches[-1] == [last], f"the browser got {launches[-1]!r}, not [{last!r}]")

    def expect_no_more(self, count, settle=1.5):
        time.sleep(settle)
        expect(len(self.launches()) == count, f"expected {count} launches, got {self.launches()}")


class Program:
    """The real program under Wine, its search window found on the screen. Used with `with`:
    stopped at the end, and the screen photographed first (failed-NAME.png) when a journey fails."""

    def __init__(self, exe, name):
        self.name = name
        run("xdotool", "mousemove", "0", "0")  # where the person started it from, off the window
        self.process = subprocess.Popen([WINE, exe], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.window = find_window(SEARCH_TITLE)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            screenshot(os.path.abspath(f"failed-{self.name}.png"))
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        return False

    def ended(self, timeout=15):
        try:
            self.process.wait(timeout)
            return True
        except subprocess.TimeoutExpired:
            return False


def pattern(title):
    return "^" + title.replace("(", "\\(").replace(")", "\\)") + "$"


def find_window(title, timeout=30):
    found = run("timeout", str(timeout), "xdotool", "search", "--sync", "--onlyvisible", "--name", pattern(title),
                check=False, timeout=timeout + 5).split()
    expect(found, f"no window titled {title!r}")
    return found[0]


def window_gone(title, timeout=10):
    end = time.time() + timeout
    while run("xdotool", "search", "--onlyvisible", "--name", pattern(title), check=False).split():
        if time.time() > end:
            return False
        time.sleep(0.1)
    return True


def active_window():
    return run("xdotool", "getactivewindow", check=False).strip()


def click(window, x, y):
    """Moves the pointer to a point of a window's client area and clicks there, at once."""
    run("xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1")


def rest(window, x, y, seconds=1.0):
    """Moves the pointer onto a point and leaves it there a while, long enough for a tooltip."""
    run("xdotool", "mousemove", "--window", window, str(x), str(y))
    time.sleep(seconds)


def type_text(text):
    """Types ASCII into whichever window has the focus."""
    run("xdotool", "type", "--delay", "30", text)


def key(*names):
    run("xdotool", "key", "--delay", "60", *names)


def clear_text_box(window, box):
    click(window, *box)
    key("End", "shift+Home", "Delete")


def search_box_text(probe):
    digits = wine(probe, "text", SEARCH_TITLE, check=False).strip()
    try:
        return bytes.fromhex(digits).decode("utf-16-le")
    except ValueError:
        return None


def paste(text, probe):
    """Pastes text with Ctrl+V as a person with non-ASCII text would, then waits until the box
    shows it. xclip serves the clipboard in the foreground and is ended after the paste: left to
    fork into the background, it would keep CTest's output pipe open."""
    server = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"], stdin=subprocess.PIPE,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        server.stdin.write(text.encode("utf-8"))
        server.stdin.close()
        # xclip takes the selection in its own time; a paste before that would paste nothing.
        end = time.time() + 10
        while run("xclip", "-o", "-selection", "clipboard", check=False) != text and time.time() < end:
            time.sleep(0.05)
        key("ctrl+v")
        end = time.time() + 30
        while search_box_text(probe) != text:
            expect(time.time() < end, f"the pasted text never showed in the search box: {text[:40]!r}")
            time.sleep(0.2)
    finally:
        server.terminate()
        server.wait(10)


def client_area(window):
    """The window's client area on the screen: left, top, width, height."""
    info = dict(line.strip().split(":", 1) for line in run("xwininfo", "-id", window).splitlines() if ":" in line)
    return tuple(int(info[k]) for k in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def screenshot(path, window=None, frame=(0, 0, 0, 0)):
    """The screen, or a window's client area grown by frame (left, top, right, bottom) pixels."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    run("/usr/bin/import", "-window", "root", path)
    if window:
        x, y, width, height = client_area(window)
        left, top, right, bottom = frame
        box = f"{width + left + right}x{height + top + bottom}+{max(x - left, 0)}+{max(y - top, 0)}"
        run("/usr/bin/convert", path, "-crop", box, "+repage", path)
    return path
