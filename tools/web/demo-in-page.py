#!/usr/bin/env python3
"""The pointer demonstration on its own page in headless Chromium, for a machine without a
display (make web-demo there):

    demo-in-page.py BUILD-WEB

serves the build folder on 127.0.0.1, opens bin/pointer-demo.html as a user would, clicks the
canvas (which locks the pointer), moves the mouse, saves a screenshot of the page to
BUILD-WEB/demo-screenshot.png, presses Escape twice (the first is the browser's own: it gives
the pointer back) and reports how the program ended."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import browser  # noqa: E402
import devtools  # noqa: E402
from page_session import Page, wait_for  # noqa: E402

PAGE = "bin/pointer-demo.html"
SHOT = "demo-screenshot.png"
DEMO_SIZE = (640, 480)
BROWSER_WIDTH, BROWSER_HEIGHT = 1000, 1000
START_SECONDS = 60
LOCK_SECONDS = 10
EXIT_SECONDS = 20
# The same steps of the mouse as make demo's on the desktop, with a frame or two between them.
STEP, STEPS, STEP_SECONDS = (15, 9), 8, 0.1
SETTLE_SECONDS = 0.4


def say(text):
    print(f"web-demo: {text}", flush=True)


def run(folder):
    with browser.serve(folder) as base, browser.chromium(BROWSER_WIDTH, BROWSER_HEIGHT) as session:
        page = Page(session)
        session.call("Runtime.enable")
        session.call("Page.enable")
        session.call("Page.navigate", url=f"{base}/{PAGE}")
        x, y, width, height = wait_for(
            "the demonstration opens its 640 x 480 window",
            lambda: (r := page.canvas()) and (r[2], r[3]) == DEMO_SIZE and r, START_SECONDS)
        # A frame or two on the screen before the click, as a user would see them.
        time.sleep(SETTLE_SECONDS)
        pointer = [x + width / 2, y + height / 2]
        page.click(*pointer)
        wait_for("the click locks the pointer", page.locked, LOCK_SECONDS)
        for _ in range(STEPS):
            pointer = [pointer[0] + STEP[0], pointer[1] + STEP[1]]
            page.mouse("mouseMoved", *pointer)
            time.sleep(STEP_SECONDS)
        time.sleep(SETTLE_SECONDS)
        shot = os.path.join(folder, SHOT)
        with open(shot, "wb") as file:
            file.write(page.capture())
        say(f"screenshot saved to {shot}")
        page.escape()
        time.sleep(SETTLE_SECONDS)
        page.escape()
        wait_for("Escape ends the program", lambda: page.output() and page.status is not None,
                 EXIT_SECONDS)
        for line in page.output().splitlines():
            print(line)
        return page.status


def main():
    folder = os.path.abspath(sys.argv[1])
    if not os.path.isfile(os.path.join(folder, PAGE)):
        say(f"{folder}/{PAGE} is missing; run 'make web' first")
        return 1
    try:
        status = run(folder)
    except (devtools.DevToolsError, OSError) as error:
        say(f"the demonstration did not run to its end: {error}")
        return 1
    say(f"the demonstration ended with status {status} after Escape")
    return status


if __name__ == "__main__":
    sys.exit(main())
