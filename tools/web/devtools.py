"""A client of Chromium's DevTools protocol over its WebSocket, standard library only.

Commands are sent with `call` and answered in order; events that arrive meanwhile are queued
and read with `next_event`. Test tooling only.
"""

import base64
import json
import os
import socket
import struct
import time
import urllib.parse

OPCODE_CONTINUATION = 0x0
OPCODE_TEXT = 0x1
OPCODE_CLOSE = 0x8
OPCODE_PING = 0x9
OPCODE_PONG = 0xA
FINAL_FRAME = 0x80
MASKED = 0x80
LENGTH_16_BITS = 126
LENGTH_64_BITS = 127


class DevToolsError(Exception):
    pass


class WebSocket:
    """The client end of RFC 6455 for one text-message connection on 127.0.0.1."""

    def __init__(self, url, timeout):
        parts = urllib.parse.urlsplit(url)
        self.sock = socket.create_connection((parts.hostname, parts.port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        request = (f"GET {parts.path} HTTP/1.1\r\nHost: {parts.netloc}\r\n"
                   "Upgrade: websocket\r\nConnection: Upgrade\r\n"
                   f"Sec-WebSocket-Key: {key}\r\nSec-WebSocket-Version: 13\r\n\r\n")
        self.sock.sendall(request.encode())
        self.buffer = b""
        while b"\r\n\r\n" not in self.buffer:
            self.buffer += self._receive_some()
        head, self.buffer = self.buffer.split(b"\r\n\r\n", 1)
        if b" 101 " not in head.split(b"\r\n", 1)[0]:
            raise DevToolsError("the browser refused the DevTools connection: "
                                + head.decode(errors="replace"))

    def _receive_some(self):
        data = self.sock.recv(1 << 16)
        if not data:
            raise DevToolsError("the browser closed the DevTools connection")
        return data

    def _take(self, count):
        while len(self.buffer) < count:
            self.buffer += self._receive_some()
        data, self.buffer = self.buffer[:count], self.buffer[count:]
        return data

    def _send_frame(self, opcode, payload):
        header = bytes([FINAL_FRAME | opcode])
        length = len(payload)
        if length < LENGTH_16_BITS:
            header += bytes([MASKED | length])
        elif length < 1 << 16:
            header += bytes([MASKED | LENGTH_16_BITS]) + struct.pack(">H", length)
        else:
            header += bytes([MASKED | LENGTH_64_BITS]) + struct.pack(">Q", length)
        mask = os.urandom(4)
        masked = bytes(b ^ mask[i % 4] for i, b in enumerate(payload))
        self.sock.sendall(header + mask + masked)

    def send(self, text):
        self._send_frame(OPCODE_TEXT, text.encode())

    def receive(self, timeout):
        """One whole text message; None when nothing came within `timeout` seconds."""
        self.sock.settimeout(timeout)
        message = b""
        try:
            while True:
                first, second = self._take(2)
                length = second & 0x7F
                if length == LENGTH_16_BITS:
                    (length,) = struct.unpack(">H", self._take(2))
                elif length == LENGTH_64_BITS:
                    (length,) = struct.unpack(">Q", self._take(8))
                payload = self._take(length)
                opcode = first & 0x0F
                if opcode == OPCODE_PING:
                    self._send_frame(OPCODE_PONG, payload)
                    continue
                if opcode == OPCODE_CLOSE:
                    raise DevToolsError("the browser closed the DevTools connection")
                if opcode in (OPCODE_TEXT, OPCODE_CONTINUATION):
                    message += payload
                    if first & FINAL_FRAME:
                        return message.decode()
        except socket.timeout:
            if message:
                raise DevToolsError("a DevTools message stopped half way")
            return None

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass


class Session:
    """One page target: numbered commands and a queue of the events between answers."""

    def __init__(self, websocket_url, timeout=30):
        self.socket = WebSocket(websocket_url, timeout)
        self.timeout = timeout
        self.next_id = 0
        self.events = []

    def call(self, method, **params):
        self.next_id += 1
        self.socket.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        deadline = time.monotonic() + self.timeout
        while True:
            left = deadline - time.monotonic()
            message = self.socket.receive(max(left, 0.01)) if left > 0 else None
            if message is None:
                raise DevToolsError(f"no answer to {method} within {self.timeout} s")
            data = json.loads(message)
            if data.get("id") == self.next_id:
                if "error" in data:
                    raise DevToolsError(f"{method}: {data['error'].get('message')}")
                return data.get("result", {})
            if "method" in data:
                self.events.append(data)

    def next_event(self, timeout):
        """The oldest event not yet read, or None when none comes within `timeout` seconds."""
        if self.events:
            return self.events.pop(0)
        message = self.socket.receive(timeout)
        if message is None:
            return None
        data = json.loads(message)
        return data if "method" in data else self.next_event(timeout)

    def close(self):
        self.socket.close()


def console_text(event):
    """The text of a Runtime.consoleAPICalled event, its arguments joined by spaces."""
    parts = []
    for argument in event["params"].get("args", []):
        if "value" in argument:
            parts.append(str(argument["value"]))
        else:
            parts.append(argument.get("description", ""))
    return " ".join(parts)
