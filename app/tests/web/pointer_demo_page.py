#!/usr/bin/env python3
"""The demonstration in a page, as a user there sees it:

    pointer_demo_page.py CURSOR_PNG BUILD/bin/pointer-demo.js

shows the program on tools/web/program.html in a headless Chromium of its own and, from
screenshots of its canvas and input injected over DevTools, requires: every first frame shows the
blue screen with the pointer picture at the centre (320, 240) and nowhere else, also while the
real pointer wanders over the canvas before the pointer lock is granted; a click locks the
pointer; each move of the locked pointer moves the picture 0.9 per pixel, wrapping at the edges
(copies at the opposite edges); the first Escape, which the browser keeps, releases the lock and
leaves the picture where it was; the next ends the program with status 0."""

import math
import os
import struct
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..",
                                "tools", "web"))
import browser  # noqa: E402
import devtools  # noqa: E402
import png  # noqa: E402
from page_session import Page, wait_for  # noqa: E402

PAGE_ROUTE = "/corvax-program.html"
PAGE = os.path.join(os.path.dirname(browser.__file__), "program.html")
WIDTH, HEIGHT = 640, 480
CENTRE = (WIDTH // 2, HEIGHT // 2)
BLUE = (30, 90, 170)
MASK = (255, 0, 0)
TOLERANCE = 8
FIRST_SHOTS = 6
START_SECONDS = 60
LOCK_SECONDS = 10
EXIT_SECONDS = 20
# Long enough for several frames at 72 Hz to show a move.
SETTLE_SECONDS = 0.4
# Places the real pointer visits before the lock, in canvas pixels.
WANDERINGS = [(5, 5), (600, 60), (630, 470), (10, 400), (320, 100)]
# Moves of the locked pointer, in pixels: across both edges, both ways, each less than half the
# canvas (the pointer is back at the centre on every frame), the real pointer staying in the
# browser's window.
MOVES = [(100, 50), (250, 200), (-300, -230), (-300, -100), (-250, 120), (280, 230), (100, -230)]
BROWSER_WIDTH, BROWSER_HEIGHT = 1400, 1000
MOTION_FACTOR = struct.unpack("f", struct.pack("f", 0.9))[0]


def float32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def next_coordinate(offset, position, span):
    """Where the demonstration puts the picture after a move of `offset` pixels."""
    return int(math.fmod(float32(offset * MOTION_FACTOR + float32(position + span)), span))


def copies(x, y, picture):
    right, bottom = x > WIDTH - picture.width, y > HEIGHT - picture.height
    places = [(x, y)]
    if right:
        places.append((x - WIDTH, y))
    if bottom:
        places.append((x, y - HEIGHT))
    if right and bottom:
        places.append((x - WIDTH, y - HEIGHT))
    return places


def expected_screen(picture, x, y):
    screen = [[BLUE] * WIDTH for _ in range(HEIGHT)]
    for left, top in copies(x, y, picture):
        for v in range(picture.height):
            for u in range(picture.width):
                colour = picture.at(u, v)
                if colour != MASK and 0 <= left + u < WIDTH and 0 <= top + v < HEIGHT:
                    screen[top + v][left + u] = colour
    return screen


def differences(shot, screen):
    count = 0
    for y in range(HEIGHT):
        if shot.rgb[y] == screen[y]:
            continue
        for x in range(WIDTH):
            got, want = shot.at(x, y), screen[y][x]
            if any(abs(a - b) > TOLERANCE for a, b in zip(got, want)):
                count += 1
    return count


def is_blue_screen(shot):
    corners = [shot.at(0, 0), shot.at(WIDTH - 1, 0), shot.at(0, HEIGHT - 1),
               shot.at(WIDTH - 1, HEIGHT - 1)]
    return all(all(abs(a - b) <= TOLERANCE for a, b in zip(c, BLUE)) for c in corners)


def run(cursor, program):
    folder, name = os.path.split(os.path.abspath(program))
    name = name[:-len(".js")]
    failures = []
    with browser.serve(folder, {PAGE_ROUTE: PAGE}) as base, browser.chromium(BROWSER_WIDTH, BROWSER_HEIGHT) as session:
        page = Page(session)
        session.call("Runtime.enable")
        session.call("Page.enable")
        session.call("Page.navigate", url=f"{base}{PAGE_ROUTE}?program={name}")
        rect = wait_for("the canvas grows to 640 x 480",
                        lambda: (r := page.canvas()) and r[2] == WIDTH and r[3] == HEIGHT and r,
                        START_SECONDS)
        origin = (rect[0], rect[1])
        first = wait_for("a blue screen shows", lambda: (s := page.shot(origin, WIDTH, HEIGHT)) and
                         is_blue_screen(s) and s, START_SECONDS)
        centre_screen = expected_screen(cursor, *CENTRE)
        shots = [first]
        for x, y in WANDERINGS[:FIRST_SHOTS - 1]:
            page.mouse("mouseMoved", origin[0] + x, origin[1] + y)
            shots.append(page.shot(origin, WIDTH, HEIGHT))
        for index, shot in enumerate(shots):
            if not is_blue_screen(shot):
                failures.append(f"first frame {index} is not the blue screen")
            elif (wrong := differences(shot, centre_screen)) != 0:
                failures.append(f"first frame {index}: {wrong} pixels differ from the picture "
                                "at the centre")

        real = [origin[0] + CENTRE[0], origin[1] + CENTRE[1]]
        page.click(*real)
        wait_for("the click locks the pointer", page.locked, LOCK_SECONDS)
        time.sleep(SETTLE_SECONDS)
        if (wrong := differences(page.shot(origin, WIDTH, HEIGHT), centre_screen)) != 0:
            failures.append(f"after the click: {wrong} pixels differ from the picture at the centre")

        x, y = CENTRE
        for dx, dy in MOVES:
            real = [real[0] + dx, real[1] + dy]
            page.mouse("mouseMoved", *real)
            x, y = next_coordinate(dx, x, WIDTH), next_coordinate(dy, y, HEIGHT)
            time.sleep(SETTLE_SECONDS)
            if (wrong := differences(page.shot(origin, WIDTH, HEIGHT), expected_screen(cursor, x, y))) != 0:
                failures.append(f"after a move by ({dx}, {dy}): {wrong} pixels differ from the "
                                f"picture at ({x}, {y})")

        # The browser keeps the first Escape for itself: it releases the lock, and the program
        # goes on with the picture where it was. The next one is the program's.
        page.escape()
        time.sleep(SETTLE_SECONDS)
        if page.locked():
            failures.append("the first Escape left the pointer locked")
        if page.status is not None:
            failures.append("the first Escape, the browser's, ended the program")
        elif (wrong := differences(page.shot(origin, WIDTH, HEIGHT), expected_screen(cursor, x, y))) != 0:
            failures.append(f"after the lock ended: {wrong} pixels differ from the picture at "
                            f"({x}, {y})")
        page.escape()
        wait_for("Escape ends the program", lambda: page.drain() or page.status is not None,
                 EXIT_SECONDS)
        if page.status != 0:
            failures.append(f"the program ended with status {page.status}")
    return failures


def main():
    cursor = png.read(sys.argv[1])
    try:
        failures = run(cursor, sys.argv[2])
    except (devtools.DevToolsError, OSError) as error:
        failures = [str(error)]
    for failure in failures:
        print(f"pointer_demo_page: {failure}", file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
