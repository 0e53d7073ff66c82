#!/usr/bin/env python3
"""A recorded run and its replay, from outside the program: record_replay_test.py COMMAND...
runs COMMAND (an example's headless twin, or the demonstration's) on the X server in DISPLAY
with CORVAX_RUN_RECORD set, so that it records its run and saves every frame, while xdotool
moves the pointer over its window, clicks, types and at last presses Escape. Then it runs
COMMAND again with CORVAX_RUN_REPLAY and no input at all: the program itself requires every
frame of the replay to equal the recorded one pixel for pixel, and ends with status 0 only
then. With KEEP_RUN set, the recording and the recorded frames are kept for a look."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

WINDOW_TITLE = "Corvax Application"
LIMIT_SECONDS = 60
# Window positions the pointer visits, as fractions of the window's size, with a click at some.
PATH = [(0.5, 0.5, False), (0.2, 0.3, False), (0.25, 0.35, True), (0.7, 0.6, False),
        (0.8, 0.2, True), (0.4, 0.8, False), (0.55, 0.45, True)]
KEYS = ["a", "space", "b"]


def xdotool(*arguments):
    subprocess.run(["xdotool"] + [str(a) for a in arguments], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def window_geometry(program):
    """The program's window: (x, y, width, height) on the screen, once it shows."""
    deadline = time.monotonic() + LIMIT_SECONDS
    while time.monotonic() < deadline and program.poll() is None:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                "^%s$" % WINDOW_TITLE], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True).stdout.split()
        if found:
            info = subprocess.run(["xwininfo", "-id", found[0]], stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True).stdout
            values = {}
            for line in info.splitlines():
                key, _, value = line.strip().partition(":")
                values[key] = value.strip()
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                    int(values["Width"]), int(values["Height"]))
        time.sleep(0.1)
    return None


def play_input(geometry):
    x, y, width, height = geometry
    for u, v, click in PATH:
        xdotool("mousemove", x + int(u * width), y + int(v * height))
        time.sleep(0.15)
        if click:
            xdotool("click", 1)
            time.sleep(0.1)
    for key in KEYS:
        xdotool("key", key)
        time.sleep(0.1)
    xdotool("key", "Escape")


def run(command, environment, with_input):
    program = subprocess.Popen(command, env=environment, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT)
    try:
        if with_input:
            geometry = window_geometry(program)
            if not geometry:
                program.kill()
                output, _ = program.communicate()
                return None, output.decode(errors="replace") + "\nno window showed\n"
            time.sleep(0.3)  # a few frames before the input starts
            play_input(geometry)
        output, _ = program.communicate(timeout=LIMIT_SECONDS)
    except subprocess.TimeoutExpired:
        program.kill()
        output, _ = program.communicate()
        return None, output.decode(errors="replace") + "\ntimed out\n"
    return program.returncode, output.decode(errors="replace")


def main():
    command = sys.argv[1:]
    if not os.environ.get("DISPLAY"):
        print("record_replay_test: needs an X server in DISPLAY")
        return 1
    folder = tempfile.mkdtemp(prefix="corvax-run-")
    try:
        recording = os.path.join(folder, "run.cvxrun")
        frames = os.path.join(folder, "frames")
        os.mkdir(frames)
        environment = dict(os.environ, CORVAX_RUN_FRAMES=frames, SDL_AUDIODRIVER="dummy")
        xdotool("mousemove", 0, 0)
        status, output = run(command, dict(environment, CORVAX_RUN_RECORD=recording), True)
        sys.stdout.write(output)
        if status != 0:
            print("record_replay_test: the recorded run ended with status %s" % status)
            return 1
        status, output = run(command, dict(environment, CORVAX_RUN_REPLAY=recording), False)
        sys.stdout.write(output)
        if status != 0:
            print("record_replay_test: the replay ended with status %s" % status)
            return 1
        print("record_replay_test: every frame of the replay equals the recorded one")
        return 0
    finally:
        if os.environ.get("KEEP_RUN"):
            print("record_replay_test: the recording and its frames are kept in " + folder)
        else:
            shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
