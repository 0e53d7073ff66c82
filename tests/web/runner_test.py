#!/usr/bin/env python3
"""The browser runner reports each way a program ends: its status, what it printed, an abort,
an uncaught exception and a program that never ends.

    runner_test.py RUNNER PROBE.js
"""

import subprocess
import sys

HANG_SECONDS = 5


def run(runner, probe, *arguments, timeout=60):
    command = [sys.executable, runner, "--timeout", str(timeout), probe, *arguments]
    return subprocess.run(command, capture_output=True, text=True, timeout=timeout + 60)


def main():
    runner, probe = sys.argv[1:3]
    failures = []

    def check(what, condition, result):
        if not condition:
            failures.append(f"{what}: status {result.returncode}\n"
                            f"stdout: {result.stdout}\nstderr: {result.stderr}")

    result = run(runner, probe, "exit", "3")
    check("exit status 3 comes back", result.returncode == 3, result)
    check("stdout is echoed", "probe started: exit\n" in result.stdout, result)
    check("stderr is echoed", "probe says on stderr" in result.stderr, result)

    result = run(runner, probe, "exit", "0")
    check("exit status 0 comes back", result.returncode == 0, result)

    result = run(runner, probe, "abort")
    check("an abort fails", result.returncode not in (0, 124), result)
    check("an abort says so", "abort" in result.stderr, result)

    result = run(runner, probe, "throw")
    check("an uncaught exception fails", result.returncode not in (0, 124), result)

    result = run(runner, probe, "hang", timeout=HANG_SECONDS)
    check("a program that never ends times out", result.returncode == 124, result)
    check("the time-out says so", "did not end within" in result.stderr, result)

    for failure in failures:
        print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
