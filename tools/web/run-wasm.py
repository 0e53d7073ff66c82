#!/usr/bin/env python3
"""Runs a program built for the browser (NAME.js and NAME.wasm) in headless Chromium.

    run-wasm.py [--timeout SECONDS] [--autoplay] [--clipboard] [--env NAME=VALUE]...
                build-web/tests/stream_tests.js [ARGS...]

An argument's {page} becomes the server's host:port, for programs that fetch from it.

Serves the program's folder on 127.0.0.1 with the page tools/web/program.html (and an answer of
the program's choosing at /corvax-answer, tools/web/answers.py), opens it in a
headless Chromium of its own, writes what the program prints to standard output and standard
error as it comes, and exits with the program's status: 124 when the time runs out, 125 when
the page aborts or the browser fails. This is how CTest runs the web build's tests.
"""

import argparse
import os
import sys
import time
import urllib.parse

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import answers  # noqa: E402
import browser  # noqa: E402
import devtools  # noqa: E402

STATUS_TIMED_OUT = 124
STATUS_ABORTED = 125
EXIT_MARKER = "corvax-exit "
ABORT_MARKER = "corvax-abort "
PAGE_ROUTE = "/corvax-program.html"
PAGE_HOST_MARK = "{page}"
PAGE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "program.html")
POLL_SECONDS = 0.5


def program_url(base, name, arguments, environment):
    query = [("program", name)] + [("arg", argument) for argument in arguments]
    query += [("env", variable) for variable in environment]
    return f"{base}{PAGE_ROUTE}?{urllib.parse.urlencode(query)}"


def follow(session, timeout):
    """Echoes the page's console until the program ends; returns its status."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        event = session.next_event(POLL_SECONDS)
        if event is None:
            continue
        if event["method"] == "Runtime.exceptionThrown":
            details = event["params"]["exceptionDetails"]
            text = details.get("exception", {}).get("description") or details.get("text")
            if str(text).isdigit():
                # Emscripten throws a C++ exception into the page as the address of its object.
                text = "a C++ exception nobody caught"
            print(f"run-wasm: the page threw: {text}", file=sys.stderr, flush=True)
            return STATUS_ABORTED
        if event["method"] != "Runtime.consoleAPICalled":
            continue
        text = devtools.console_text(event)
        if text.startswith(EXIT_MARKER):
            return int(text[len(EXIT_MARKER):])
        if text.startswith(ABORT_MARKER):
            why = text[len(ABORT_MARKER):].strip()
            print("run-wasm: the program aborted" + (f": {why}" if why else ""),
                  file=sys.stderr, flush=True)
            return STATUS_ABORTED
        to_error = event["params"].get("type") in ("error", "warning")
        print(text, file=sys.stderr if to_error else sys.stdout, flush=True)
    print(f"run-wasm: the program did not end within {timeout} s", file=sys.stderr, flush=True)
    return STATUS_TIMED_OUT


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--timeout", type=float, default=300)
    parser.add_argument("--autoplay", action="store_true",
                        help="let the page play sound before any click or key")
    parser.add_argument("--clipboard", action="store_true",
                        help="let the page use the clipboard, focused as a page the user looks at")
    parser.add_argument("--env", action="append", default=[], metavar="NAME=VALUE",
                        help="an environment variable the program sees")
    parser.add_argument("program")
    parser.add_argument("arguments", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    folder, file_name = os.path.split(os.path.abspath(options.program))
    name = file_name[:-len(".js")] if file_name.endswith(".js") else file_name
    flags = ["--autoplay-policy=no-user-gesture-required"] if options.autoplay else []
    try:
        with browser.serve(folder, {PAGE_ROUTE: PAGE}, answers.AnsweringHandler) as base, \
                browser.chromium(extra_flags=flags) as session:
            session.call("Runtime.enable")
            session.call("Page.enable")
            if options.clipboard:
                session.call("Browser.grantPermissions", origin=base,
                             permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
                session.call("Emulation.setFocusEmulationEnabled", enabled=True)
            host = urllib.parse.urlsplit(base).netloc
            arguments = [argument.replace(PAGE_HOST_MARK, host) for argument in options.arguments]
            session.call("Page.navigate", url=program_url(base, name, arguments, options.env))
            return follow(session, options.timeout)
    except (devtools.DevToolsError, OSError) as error:
        print(f"run-wasm: {error}", file=sys.stderr)
        return STATUS_ABORTED


if __name__ == "__main__":
    sys.exit(main())
