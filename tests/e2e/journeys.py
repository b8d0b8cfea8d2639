#!/usr/bin/python3
"""End-to-end journeys through the real program. Usage: journeys.py JOURNEY --program EXE ...
Each journey prints '1 passed, 0 failed' or says what went wrong and exits non-zero."""
import argparse
import os
import subprocess
import sys
import time

import driver
from driver import Failure, expect

# Client coordinates in the search window: Picture1 lies at (1, -2), the controls inside it.
TEXT_BOX = (100, 124)
SEARCH_BUTTON = (340, 124)
EXAMPLES_BUTTON = (265, 124)
LINK_SPONSOR = (110, 185)
LINK_HOME = (20, 185)
LINK_INFO = (12, 154)
LINK_CLOSE = (372, 185)
# Examples window.
CATEGORY_UCCELLI = (25, 15)
FIRST_ENTRY = (60, 92)


def search_address(args, text):
    return f"http://{args.service_host}/ISAPI/search.dll?keywords={text}"


def expect_launch(launch, address):
    expect(launch["argv"] == [address], f"the browser got {launch['argv']!r} instead of [{address!r}]")


def clear_text_box(window):
    driver.click(window, *TEXT_BOX)
    driver.key("End")
    driver.key("shift+Home")
    driver.key("Delete")


def journey_search_window(args, browser):
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        g = driver.geometry(window)
        expect((g["WIDTH"], g["HEIGHT"]) == (415, 194), f"client area {g['WIDTH']}x{g['HEIGHT']}")
        driver.run("xdotool", "mousemove", "--window", window, "300", "60")  # on the picture: no tip
        time.sleep(0.8)
        driver.screenshot(os.path.join(args.screenshots, "search-window.png"), window)

        driver.click(window, *TEXT_BOX)
        driver.type_text(window, "blackbird")
        driver.key("Return")
        expect_launch(browser.wait_for(1)[0], search_address(args, "blackbird"))

        # Keypad Enter, Enter with Shift, and Alt+C do the same; the text stays.
        for keys in ("KP_Enter", "shift+Return", "alt+c"):
            driver.key(keys)
        launches = browser.wait_for(4)
        for launch in launches[1:]:
            expect_launch(launch, search_address(args, "blackbird"))
        driver.click(window, *SEARCH_BUTTON)
        expect_launch(browser.wait_for(5)[4], search_address(args, "blackbird"))

        # Spaces only: the warning, and nothing launched.
        clear_text_box(window)
        driver.type_text(window, "   ")
        driver.key("Return")
        box = driver.find_window("Dide QV", timeout=10)
        driver.screenshot(os.path.join(args.screenshots, "warning.png"), box)
        driver.key("Return")
        expect(driver.window_gone("Dide QV"), "the warning box stayed")
        browser.expect_no_more(5)

        # A quote cannot break out of the browser's quoted argument.
        clear_text_box(window)
        driver.type_text(window, 'a" --evil "b\\')
        driver.key("Return")
        expect_launch(browser.wait_for(6)[5], search_address(args, "a%22 --evil %22b%5C"))

        # "Chiudi" ends the program at once.
        driver.click(window, *LINK_CLOSE)
        expect(program.wait_for_exit(15), "Chiudi did not end the program")


def journey_links(args, browser):
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.click(window, *LINK_SPONSOR)
        expect_launch(browser.wait_for(1)[0], f"http://{args.sponsor_host}")
        driver.click(window, *LINK_INFO)
        driver.click(window, *LINK_HOME)
        launches = browser.wait_for(2)
        expect_launch(launches[1], f"http://{args.service_host}/index.html")
        browser.expect_no_more(2)

        # With no http handler at all, a search fails silently and the window goes on.
        browser.unregister()
        driver.click(window, *TEXT_BOX)
        driver.type_text(window, "owl")
        driver.key("Return")
        time.sleep(2)
        expect(program.running(), "the program ended after a failed launch")
        expect(not driver.run("xdotool", "search", "--onlyvisible", "--name", "^Dide QV$", check=False).split(),
               "the program reported the failed launch")
        browser.register()
        clear_text_box(window)
        driver.type_text(window, "wren")
        driver.key("Return")
        expect_launch(browser.wait_for(3)[2], search_address(args, "wren"))

        # Closing the search window ends the program.
        driver.click(window, 300, 60)
        driver.key("alt+F4")
        expect(program.wait_for_exit(15), "closing the search window did not end the program")


def journey_examples(args, browser):
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.click(window, *EXAMPLES_BUTTON)
        examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=15)
        g = driver.geometry(examples)
        expect((g["WIDTH"], g["HEIGHT"]) == (205, 373), f"examples client area {g['WIDTH']}x{g['HEIGHT']}")

        # The search window takes no input while the examples are open.
        driver.click(window, *TEXT_BOX)
        driver.type_text(window, "zzz")
        examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=5)

        driver.click(examples, *CATEGORY_UCCELLI)
        time.sleep(0.8)
        driver.screenshot(os.path.join(args.screenshots, "examples-window.png"), examples)
        driver.click(examples, *FIRST_ENTRY)
        expect(driver.window_gone(driver.EXAMPLES_TITLE), "choosing an entry did not close the examples window")
        browser.expect_no_more(0, settle=0.5)

        driver.click(window, *TEXT_BOX)
        driver.key("Return")
        expect_launch(browser.wait_for(1)[0], search_address(args, "blackbird"))


def journey_tooltip(args, browser):
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.run("xdotool", "mousemove", "--window", window, "300", "60")
        time.sleep(0.5)
        before = os.path.join(args.screenshots, "tooltip-before.png")
        after = os.path.join(args.screenshots, "balloon-tooltip.png")
        margin = (20, 40)
        driver.screenshot(before, window, margin)
        # Rest the pointer over the search box, as a person would.
        driver.run("xdotool", "mousemove", "--window", window, str(TEXT_BOX[0]), str(TEXT_BOX[1]))
        time.sleep(0.2)
        driver.run("xdotool", "mousemove", "--window", window, str(TEXT_BOX[0] + 3), str(TEXT_BOX[1]))
        time.sleep(1.2)
        driver.screenshot(after, window, margin)
        grown = white_pixels(after) - white_pixels(before)
        os.remove(before)
        expect(grown > 3000, f"no balloon appeared over the search box ({grown} more white pixels)")


def white_pixels(path):
    """The balloon of the search box is white: count the pure white pixels of a screenshot."""
    count = driver.run("/usr/bin/convert", path, "-fill", "black", "+opaque", "white", "-format",
                       "%[fx:mean*w*h]", "info:")
    return float(count)


def expected_address(args, text):
    """The search address as the browser receives it from the shell, by the program's rules,
    for an ANSI code page of Windows-1252 (the test prefix's)."""
    out = []
    for c in text:
        code = ord(c)
        control = (code < 0x20 and c != "\t") or 0x7F <= code <= 0x9F
        if c in '"\\' or control:
            out.append("".join(f"%{b:02X}" for b in c.encode("utf-8")))
            continue
        try:
            c.encode("cp1252")
            out.append(c)  # the shell turns the ANSI byte back into the same character
        except UnicodeEncodeError:
            out.append("".join(f"%{b:02X}" for b in c.encode("utf-8")))
    return search_address(args, "".join(out))


HOSTILE_TEXTS = [
    'a" --evil "b', 'x\\"y', "C:\\", "trail\\\\", "\\\\server\\share",
    "\uff02fullwidth\uff02", "\u201csmart\u201d", "\u02bamodifier", "\u2033double prime", "\u2215slash",
    "%1", "%22%5C", "--flag", "-h /c calc & exit", "tab\there", "bell\x07esc\x1bsoh\x01",
    "citt\u00e0 perch\u00e9", "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac", "\u0440\u0443\u0441\u0441\u043a\u0438\u0439",
    "\u65e5\u672c\u8a9e", "\u05e2\u05d1\u05e8\u05d9\u05ea", "\u0627\u0644\u0639\u0631\u0628\u064a\u0629",
    "\U0001F426\U0001F514", "e\u0301", "  spaces around  ",
]


def journey_hostile_input(args, browser):
    """Texts pasted the way a user would (clipboard, Ctrl+V): each reaches the browser as one
    argument, the expected address, nothing split, nothing lost."""
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        for number, text in enumerate(HOSTILE_TEXTS, start=1):
            clear_text_box(window)
            driver.paste(text, args.probe)
            driver.key("Return")
            launch = browser.wait_for(number)[number - 1]
            expected = expected_address(args, text)
            expect(launch["argv"] == [expected], f"{text!r}: the browser got {launch['argv']!r}, not [{expected!r}]")


def journey_held_enter(args, browser):
    """Fifty Enter presses in quick succession through the real shell: fifty launches."""
    with driver.Program(args.program, args.journey) as program:
        driver.click(program.window, *TEXT_BOX)
        driver.type_text(program.window, "siren")
        driver.run("xdotool", "key", "--delay", "15", "--repeat", "50", "Return")
        launches = browser.wait_for(50, timeout=60)
        browser.expect_no_more(50, settle=3)
        for launch in launches:
            expect_launch(launch, search_address(args, "siren"))


def journey_long_input(args, browser):
    """A megabyte pasted and searched: the program keeps answering, and whatever the shell does
    with an address that long, the program reports nothing."""
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        clear_text_box(window)
        driver.paste(("rumore bianco " * 80000)[: 1 << 20], args.probe)
        driver.key("Return")
        time.sleep(5)
        expect(program.running(), "the program ended")
        answer = driver.run(driver.WINE, args.probe, "responds", driver.SEARCH_TITLE, check=False, timeout=60)
        expect("answered" in answer, f"the search window does not answer: {answer.strip()}")
        for title in ("Dide QV", "Dide Quorvel"):
            expect(not driver.run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$", check=False).split(),
                   f"the program reported something ({title})")
        # And it goes on working.
        clear_text_box(window)
        driver.type_text(window, "owl")
        driver.key("Return")
        launches = browser.wait_for(1, timeout=30)
        expect_launch(launches[-1], search_address(args, "owl"))


JOURNEYS = {
    "search_window": journey_search_window,
    "links": journey_links,
    "examples": journey_examples,
    "tooltip": journey_tooltip,
    "hostile_input": journey_hostile_input,
    "held_enter": journey_held_enter,
    "long_input": journey_long_input,
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("journey", choices=JOURNEYS)
    for option in ("--program", "--stand-in", "--probe", "--service-host", "--sponsor-host", "--screenshots"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    for variable in ("DISPLAY", "WINEPREFIX"):
        if variable not in os.environ:
            print(f"{variable} is not set: run the journeys through scripts/test.sh")
            return 1
    browser = driver.StandInBrowser(args.stand_in)
    try:
        JOURNEYS[args.journey](args, browser)
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"{args.journey}: {failure}")
        print("0 passed, 1 failed")
        return 1
    print(f"{args.journey}: the real program did what a user expects")
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
