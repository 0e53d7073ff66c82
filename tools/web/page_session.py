"""A program's page in headless Chromium, driven as a user drives it: screenshots of its canvas,
mouse and key events injected over DevTools, its console read as it comes. Test tooling only.

The test page (program.html) reports the program's end on the console as "corvax-exit STATUS"
or "corvax-abort WHY"; a user's page (page.html.in) writes "(the program ended with status N)"
below the canvas. `status` holds the status either way once the program has ended."""

import base64
import re
import time

import devtools
import png

ESCAPE_KEY = 27
USER_PAGE_END = re.compile(r"\(the program ended with status (-?\d+)\)")


class Page:
    def __init__(self, session):
        self.session = session
        self.console = []
        self.status = None

    def drain(self):
        """Reads the events that have arrived: console lines, the program's end, page errors."""
        while True:
            event = self.session.next_event(0.01)
            if event is None:
                return
            if event["method"] == "Runtime.consoleAPICalled":
                text = devtools.console_text(event)
                self.console.append(text)
                if text.startswith("corvax-exit "):
                    self.status = int(text.split()[1])
                elif text.startswith("corvax-abort"):
                    raise devtools.DevToolsError(f"the program aborted: {text}")
            elif event["method"] == "Runtime.exceptionThrown":
                raise devtools.DevToolsError(f"the page threw: {event['params']}")

    def evaluate(self, expression):
        answer = self.session.call("Runtime.evaluate", expression=expression, returnByValue=True)
        self.drain()
        return answer.get("result", {}).get("value")

    def canvas(self):
        """[x, y, width, height] of the canvas in the page."""
        return self.evaluate("(() => { const r = document.getElementById('canvas')"
                             ".getBoundingClientRect(); return [r.x, r.y, r.width, r.height]; })()")

    def output(self):
        """What a user's page shows below the canvas; notes the program's end there."""
        text = self.evaluate("(document.getElementById('output') || {}).textContent || ''")
        if (end := USER_PAGE_END.search(text)) and self.status is None:
            self.status = int(end.group(1))
        return text

    def capture(self, clip=None):
        """A PNG screenshot of the page, or of the `clip` {x, y, width, height} of it."""
        options = {"clip": {**clip, "scale": 1}} if clip else {}
        data = self.session.call("Page.captureScreenshot", format="png", optimizeForSpeed=True,
                                 **options)
        self.drain()
        return base64.b64decode(data["data"])

    def shot(self, origin, width, height):
        """The decoded screenshot of the width x height area at origin."""
        return png.decode(self.capture({"x": origin[0], "y": origin[1], "width": width,
                                        "height": height}))

    def mouse(self, kind, x, y, **extra):
        self.session.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, **extra)
        self.drain()

    def click(self, x, y):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button="left", clickCount=1)
        self.mouse("mouseReleased", x, y, button="left", clickCount=1)

    def escape(self):
        for kind in ("keyDown", "keyUp"):
            self.session.call("Input.dispatchKeyEvent", type=kind, key="Escape", code="Escape",
                              windowsVirtualKeyCode=ESCAPE_KEY, nativeVirtualKeyCode=ESCAPE_KEY)
        self.drain()

    def locked(self):
        """Whether the canvas holds the browser's pointer lock."""
        return self.evaluate("document.pointerLockElement === document.getElementById('canvas')")


def wait_for(what, condition, seconds):
    """condition()'s first true value within `seconds`; fails saying `what` did not happen."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise devtools.DevToolsError(f"{what} within {seconds} s: no")
