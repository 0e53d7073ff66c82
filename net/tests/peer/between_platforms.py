#!/usr/bin/env python3
"""Replication between two peer programs over 127.0.0.1, which may be two platforms' builds:
between_platforms.py NAME1 "COMMAND1" NAME2 "COMMAND2" (a command may start with an emulator,
"wine build-windows/tests/replication_peer.exe"). The first hosts and the second joins, then the
other way round; in both, each must see the other's object, every field type intact, and its
change."""
import shlex
import socket
import subprocess
import sys
import time

LIMIT_SECONDS = 60


def free_udp_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def udp_port_bound(port):
    """Whether some socket on this machine listens on the UDP port (the host is ready)."""
    with open("/proc/net/udp") as table:
        return any(line.split()[1].endswith(":%04X" % port) for line in table.readlines()[1:])


def scenario(host_command, host_name, join_command, join_name):
    port = free_udp_port()
    host = subprocess.Popen(host_command + ["host", str(port), host_name],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    deadline = time.monotonic() + LIMIT_SECONDS
    while not udp_port_bound(port) and host.poll() is None and time.monotonic() < deadline:
        time.sleep(0.05)
    join = subprocess.Popen(join_command + ["join", str(port), join_name],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    failures = []
    for process, name, other in ((host, host_name, join_name), (join, join_name, host_name)):
        try:
            output, _ = process.communicate(timeout=max(1, deadline - time.monotonic()))
        except subprocess.TimeoutExpired:
            process.kill()
            output, _ = process.communicate()
        print(output, end="")
        wanted = "%s saw %s: round 2, ratio 0.625, greeting intact" % (name, other)
        if process.returncode != 0 or wanted not in output:
            failures.append("%s (status %s) did not report: %s" % (name, process.returncode, wanted))
    return failures


def main():
    first_name, first, second_name, second = sys.argv[1:5]
    first, second = shlex.split(first), shlex.split(second)
    failures = scenario(first, first_name, second, second_name)
    failures += scenario(second, second_name, first, first_name)
    for failure in failures:
        print("between_platforms: " + failure)
    print("between_platforms: %s" % ("failed" if failures else "both ways replicated"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
