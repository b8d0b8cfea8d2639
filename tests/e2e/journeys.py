#!/usr/bin/python3
"""End-to-end journeys through the real program, acting as a person does: click and type at
once, with the pointer wherever it rests. Usage: journeys.py JOURNEY --program EXE ...
Each journey prints '1 passed, 0 failed' or says what went wrong and exits non-zero."""
import argparse
import os
import subprocess
import sys
import time

from PIL import Image

import driver
from driver import Failure, expect

# Client coordinates in the search window at 96 DPI (Picture1 lies at 1, -2).
TEXT_BOX, EXAMPLES_BUTTON, SEARCH_BUTTON = (100, 124), (265, 124), (340, 124)
LINK_HOME, LINK_SPONSOR, LINK_INFO, LINK_CLOSE = (20, 185), (110, 185), (12, 154), (372, 185)
# In the examples window: the category "Uccelli" and the second entry of a list.
CATEGORY_BIRDS, SECOND_ENTRY = (25, 15), (60, 106)


def address(args, text):
    return f"http://{args.service_host}/ISAPI/search.dll?keywords={text}"


def journey_typing(args, browser):
    """Typing with the pointer resting on each control that has a balloon: the balloon shows,
    and every key still reaches the search box."""
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.screenshot(os.path.join(args.shots, "search-window.png"), window, (1, 20, 1, 1))
        driver.click(window, *TEXT_BOX)
        driver.type_text("blackbird")
        driver.key("Return")
        browser.expect(1, address(args, "blackbird"))
        for count, (place, keys, word) in enumerate(((TEXT_BOX, ["KP_Enter"], "owl"), (EXAMPLES_BUTTON, ["alt+Return"], "wren"),
                                                     (SEARCH_BUTTON, ["alt+c"], "crow")), start=2):
            driver.clear_text_box(window, TEXT_BOX)
            driver.rest(window, *place)
            if place == TEXT_BOX:
                driver.screenshot(os.path.join(args.shots, "balloon-tooltip.png"), window, (20, 90, 20, 1))
            driver.type_text(word)
            driver.key(*keys)
            browser.expect(count, address(args, word))
        driver.clear_text_box(window, TEXT_BOX)
        driver.type_text("   ")
        driver.key("Return")
        box = driver.find_window("Dide QV", timeout=10)
        expect(driver.active_window() == box, "the warning has not got the keyboard")
        driver.screenshot(os.path.join(args.shots, "warning.png"), box, (1, 20, 1, 1))
        driver.key("Return")
        expect(driver.window_gone("Dide QV"), "Enter did not close the warning")
        driver.clear_text_box(window, TEXT_BOX)
        driver.type_text('a" --evil "b\\')
        driver.key("Return")
        browser.expect(5, address(args, "a%22 --evil %22b%5C"))
        driver.click(window, *LINK_CLOSE)
        expect(program.ended(), "Chiudi did not end the program")


def journey_examples(args, browser):
    """The examples window opens with the keyboard, Escape closes it, and a word chosen with the
    keyboard or the mouse is searched with Enter."""
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.click(window, *EXAMPLES_BUTTON)
        examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=15)
        expect(driver.active_window() == examples, "the examples window opened without the keyboard")
        driver.key("Escape")
        expect(driver.window_gone(driver.EXAMPLES_TITLE), "Escape did not close the examples window")
        driver.click(window, *EXAMPLES_BUTTON)
        examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=15)
        driver.click(window, *TEXT_BOX)  # the search window takes no input meanwhile
        driver.type_text("zzz")
        driver.click(examples, *CATEGORY_BIRDS)
        time.sleep(0.5)  # a person looks at the list before choosing
        driver.screenshot(os.path.join(args.shots, "examples-window.png"), examples, (1, 20, 1, 1))
        driver.key("Down")  # the first key chooses the first entry
        expect(driver.window_gone(driver.EXAMPLES_TITLE), "choosing did not close the examples window")
        driver.key("Return")
        browser.expect(1, address(args, "blackbird"))
        driver.click(window, *EXAMPLES_BUTTON)
        examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=15)
        driver.click(examples, *CATEGORY_BIRDS)
        time.sleep(0.5)
        driver.click(examples, *SECOND_ENTRY)
        expect(driver.window_gone(driver.EXAMPLES_TITLE), "choosing did not close the examples window")
        driver.key("Return")
        browser.expect(2, address(args, "blue jay"))
        driver.key("alt+F4")
        expect(program.ended(), "closing the search window did not end the program")


def tooltip_is_whole(path, window):
    """The text of an ordinary tooltip keeps off its right border: no ink in the last columns."""
    x0, y0, _, _ = driver.client_area(window)
    tips = [line.split()[-2] for line in driver.run("xwininfo", "-root", "-children").splitlines()
            if '"dide quorvel.exe"' in line and "x" in line.split()[-2]]
    for size_and_place in tips:
        size, _, place = size_and_place.partition("+")
        width, height = (int(n) for n in size.split("x"))
        left, top = (int(n) for n in place.split("+"))
        if 60 < width and 10 < height < 40:
            image = Image.open(path).convert("L")
            inner = [image.getpixel((left + width - 3 + dx, top + y)) for dx in (0, 1) for y in range(2, height - 2)]
            return min(inner) > 160
    raise Failure("no tooltip showed")


def journey_links(args, browser):
    """The links, the Info box, a screen reader's default actions, a missing browser, and the
    sponsor's tooltip read to its last letter."""
    with driver.Program(args.program, args.journey) as program:
        window = program.window
        driver.click(window, *LINK_SPONSOR)
        browser.expect(1, f"http://{args.sponsor_host}")
        driver.click(window, *LINK_INFO)
        info = driver.find_window("Dide Quorvel", timeout=10)
        driver.screenshot(os.path.join(args.shots, "info.png"), info, (1, 20, 1, 1))
        driver.key("Return")
        expect(driver.window_gone("Dide Quorvel"), "Enter did not close the Info box")
        driver.click(window, *LINK_HOME)
        browser.expect(2, f"http://{args.service_host}/index.html")
        driver.rest(window, *LINK_SPONSOR, seconds=1.2)
        shot = driver.screenshot(os.path.join(args.shots, "sponsor-tooltip.png"))
        expect(tooltip_is_whole(shot, window), "the sponsor's tooltip cuts its text off")
        driver.wine(args.probe, "act", driver.SEARCH_TITLE, "Quorvel home")
        browser.expect(3, f"http://{args.service_host}/index.html")
        browser.unregister()  # no browser at all: the search fails silently
        driver.click(window, *TEXT_BOX)
        driver.type_text("owl")
        driver.key("Return")
        time.sleep(2)
        expect(not driver.run("xdotool", "search", "--onlyvisible", "--name", "^Dide QV$", check=False).split(),
               "the program reported the failed launch")
        browser.register()
        driver.wine(args.probe, "act", driver.SEARCH_TITLE, "Chiudi", check=False)
        expect(program.ended(), "a screen reader's Chiudi did not end the program")


HOSTILE_TEXTS = ['a" --evil "b', "x\\\"y", "\\\\server\\share\\", "\uff02fullwidth\uff02", "%1 %22 -h /c calc & exit",
                 "tab\there", "citt\u00e0 perch\u00e9", "\u65e5\u672c\u8a9e \u0440\u0443\u0441", "\U0001F426e\u0301"]


def journey_hostile_input(args, browser):
    """Texts pasted as a person would: each reaches the browser as one argument, nothing split,
    nothing lost. The prefix's code page is Windows-1252."""
    with driver.Program(args.program, args.journey) as program:
        for count, text in enumerate(HOSTILE_TEXTS, start=1):
            driver.clear_text_box(program.window, TEXT_BOX)
            driver.paste(text, args.probe)
            driver.key("Return")
            expected = "".join(c if c not in '"\\' and (c == "\t" or ord(c) >= 0x20) and c.encode("cp1252", "ignore")
                               else "".join(f"%{b:02X}" for b in c.encode("utf-8")) for c in text)
            browser.expect(count, address(args, expected))


def journey_scales(args, browser):
    """At 120, 144 and 192 DPI the windows are the 96 DPI windows drawn larger: shrunk back, each
    screenshot differs from the 96 DPI one by at most a few percent of brightness per pixel."""
    shots = {}
    try:
        for dpi in (96, 120, 144, 192):
            driver.wine("reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
            with driver.Program(args.program, f"{args.journey}-{dpi}") as program:
                window = program.window
                shots[dpi, "search"] = driver.screenshot(os.path.join(args.shots, f"search-window-{dpi}.png"), window)
                driver.click(window, *(v * dpi // 96 for v in EXAMPLES_BUTTON))
                examples = driver.find_window(driver.EXAMPLES_TITLE, timeout=15)
                shots[dpi, "examples"] = driver.screenshot(os.path.join(args.shots, f"examples-{dpi}.png"), examples)
    finally:
        driver.wine("reg", "delete", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/f", check=False)
    for (dpi, name), path in shots.items():
        reference = Image.open(shots[96, name]).convert("RGB")
        scaled = Image.open(path).convert("RGB")
        expect(abs(scaled.width - reference.width * dpi / 96) <= 1, f"{name} at {dpi} DPI is {scaled.size}")
        shrunk = scaled.resize(reference.size, Image.LANCZOS)
        difference = sum(abs(a - b) for p, q in zip(shrunk.getdata(), reference.getdata()) for a, b in zip(p, q))
        mean = 100 * difference / (3 * 255 * reference.width * reference.height)
        print(f"{name} at {dpi} DPI: mean difference {mean:.2f}% of full brightness")
        expect(mean < 5, f"{name} at {dpi} DPI differs from 96 DPI by {mean:.2f}%")


JOURNEYS = {name[len("journey_"):]: f for name, f in globals().items() if name.startswith("journey_")}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("journey", choices=JOURNEYS)
    for option in ("--program", "--stand-in", "--probe", "--service-host", "--sponsor-host", "--shots"):
        parser.add_argument(option, required=True)
    args = parser.parse_args()
    browser = driver.StandInBrowser(args.stand_in)
    try:
        JOURNEYS[args.journey](args, browser)
    except (Failure, subprocess.TimeoutExpired) as failure:
        print(f"{args.journey}: {failure}\n0 passed, 1 failed")
        return 1
    print(f"{args.journey}: the real program did what a person expects\n1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
