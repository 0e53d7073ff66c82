"""The test server's answering route: an HTTP answer of the test's own choosing.

    /corvax-answer?status=404&reason=Gone&header=Name:Value&body=TEXT

answers with that status (200 by default) and reason, each header field, and the body: TEXT, or
with size=N, N bytes whose byte i is i % 251. The answer has a Content-Length unless
length=none (the body then runs until the connection closes); short=K sends only the body's
first K bytes, then closes; stall=MS waits that long before answering, stallbody=MS between
the head and the body. Test tooling only, on 127.0.0.1 like the rest of the server.
"""

import time
import urllib.parse

import browser

ROUTE = "/corvax-answer"
PATTERN_MODULUS = 251
MS_PER_SECOND = 1000


def pattern(size):
    return bytes(i % PATTERN_MODULUS for i in range(size))


class AnsweringHandler(browser.QuietHandler):
    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        if url.path != ROUTE:
            return super().do_GET()
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)

        def first(name, default=None):
            return query.get(name, [default])[0]

        body = pattern(int(first("size"))) if "size" in query else first("body", "").encode()
        self.close_connection = True
        try:
            time.sleep(int(first("stall", "0")) / MS_PER_SECOND)
            self.send_response(int(first("status", "200")), first("reason"))
            # A typed body is handed over as it comes, never held back for the browser to
            # guess its type.
            self.send_header("Content-Type", "application/octet-stream")
            for field in query.get("header", []):
                name, _, value = field.partition(":")
                self.send_header(name.strip(), value.strip())
            if first("length") != "none":
                self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.flush()
            time.sleep(int(first("stallbody", "0")) / MS_PER_SECOND)
            self.wfile.write(body[:int(first("short", len(body)))])
        except (BrokenPipeError, ConnectionResetError):
            pass  # the page stopped listening: a time-out the test asked for
        return None
