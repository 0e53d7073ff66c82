#!/usr/bin/env python3
"""The demonstration's first frames as a user sees them, from outside the program:
first_frames_from_outside.py [--this-display] CURSOR_PNG COMMAND... runs COMMAND (for example
"wine pointer-demo.exe") on an X server of its own, 640x480 at 24 bits (or, with
--this-display, on the one in DISPLAY: Wine keeps the display its server started on), with the
system pointer resting at (5, 5), takes screenshots as fast as it can from the start, and
requires every one that shows the blue screen, the first ones among them, to show the pointer
picture at the centre (320, 240) of the program's window and nowhere else in it. Then Escape
must end the program with status 0."""
import os
import subprocess
import sys
import time

SCREEN = "640x480x24"
WIDTH, HEIGHT = 640, 480
CENTRE = (320, 240)
BLUE = (30, 90, 170)
SHOTS = 6
LIMIT_SECONDS = 90
TOLERANCE = 8
WINDOW_TITLE = "Corvax Application"


def ppm(command):
    """Width, height and RGB bytes of a picture that ImageMagick writes as PPM."""
    data = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
    if not data.startswith(b"P6"):
        return None
    fields, rest = [], data[2:]
    while len(fields) < 3:
        rest = rest.lstrip()
        end = len(rest) - len(rest.lstrip(b"0123456789"))
        fields.append(int(rest[:end]))
        rest = rest[end:]
    return fields[0], fields[1], rest[1:]


def expected_window(cursor):
    width, height, pixels = cursor
    screen = bytearray(bytes(BLUE) * (WIDTH * HEIGHT))
    for v in range(height):
        for u in range(width):
            colour = pixels[(v * width + u) * 3:(v * width + u) * 3 + 3]
            if tuple(colour) != (255, 0, 0):
                at = ((CENTRE[1] + v) * WIDTH + CENTRE[0] + u) * 3
                screen[at:at + 3] = colour
    return bytes(screen)


def window_origin():
    """Where the program's window shows on the screen, None before it does."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % WINDOW_TITLE],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    if not found.split():
        return None
    info = subprocess.run(["xwininfo", "-id", found.split()[0]], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout
    corner = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        if key in ("Absolute upper-left X", "Absolute upper-left Y"):
            corner[key[-1]] = int(value)
    return (corner["X"], corner["Y"]) if len(corner) == 2 else None


def window_pixels(shot, origin):
    """The window's WIDTH x HEIGHT pixels out of a screenshot, None when not all are on it."""
    width, height, pixels = shot
    left, top = origin
    if left < 0 or top < 0 or left + WIDTH > width or top + HEIGHT > height:
        return None
    rows = [pixels[((top + y) * width + left) * 3:((top + y) * width + left + WIDTH) * 3]
            for y in range(HEIGHT)]
    return b"".join(rows)


def pixels_off(shot, wanted):
    return sum(1 for i in range(0, len(wanted), 3)
               if any(abs(shot[i + c] - wanted[i + c]) > TOLERANCE for c in range(3)))


def main():
    arguments = sys.argv[1:]
    own_display = arguments[0] != "--this-display"
    if not own_display:
        arguments = arguments[1:]
    cursor = ppm(["convert", arguments[0], "-depth", "8", "ppm:-"])
    command = arguments[1:]
    wanted = expected_window(cursor)
    if own_display:
        server = start_server()
        if not server:
            return 1
    else:
        server = None
    failures = []
    program = None
    try:
        subprocess.run(["xdotool", "mousemove", "5", "5"], check=True)
        program = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        failures = check_first_frames(program, wanted)
        subprocess.run(["xdotool", "key", "Escape"])
        try:
            output, _ = program.communicate(timeout=30)
        except subprocess.TimeoutExpired:
            program.kill()
            output, _ = program.communicate()
        sys.stdout.write(output.decode(errors="replace"))
        if program.returncode != 0:
            failures.append("the program ended with status %s after Escape" % program.returncode)
    finally:
        if program and program.poll() is None:
            program.kill()
        if server:
            server.terminate()
            server.wait()
    for failure in failures:
        print("first_frames_from_outside: " + failure)
    print("first_frames_from_outside: %s" % ("failed" if failures else "every frame at the centre"))
    return 1 if failures else 0


def start_server():
    """An Xvfb of this run's own, with DISPLAY pointing at it; None when it cannot start."""
    read, write = os.pipe()
    # -noreset: the server would reset when xdotool, its first client, leaves, and refuse the
    # program's connection meanwhile.
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", SCREEN,
                               "-nolisten", "tcp", "-noreset"], pass_fds=(write,),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        got = os.read(read, 1)  # Xvfb writes its display number once it takes connections
        if not got:
            print("first_frames_from_outside: Xvfb did not start")
            server.kill()
            return None
        number += got
    os.close(read)
    number = number.decode().strip()
    os.environ["DISPLAY"] = ":" + number
    return server


def check_first_frames(program, wanted):
    failures = []
    shots = 0
    deadline = time.monotonic() + LIMIT_SECONDS
    origin = None
    while shots < SHOTS and time.monotonic() < deadline and program.poll() is None:
        origin = origin or window_origin()
        shot = ppm(["import", "-window", "root", "-depth", "8", "ppm:-"]) if origin else None
        window = window_pixels(shot, origin) if shot else None
        if not window:
            continue
        if any(abs(window[c] - BLUE[c]) > TOLERANCE for c in range(3)):
            continue  # not drawn yet
        shots += 1
        off = pixels_off(window, wanted)
        print("screenshot %d: %d pixels differ from the picture at the centre" % (shots, off))
        if off:
            failures.append("screenshot %d has %d pixels off" % (shots, off))
    if shots < SHOTS:
        failures.append("only %d screenshots showed the blue screen" % shots)
    return failures


if __name__ == "__main__":
    sys.exit(main())
