#!/usr/bin/env python3
"""A small HTTPS server for the updater's tests and benchmark.

Serves files from a folder that the tests rewrite between cases. Next to a served file,
optional side files change how it is answered:
  NAME.status   the HTTP status code to send (default 200)
  NAME.cut      send only this many bytes of the body, then drop the connection (the
                Content-Length header still announces the whole body)
  NAME.rate     send at most this many bytes per second, in small pieces
  NAME.stall    after this many bytes of the body, send nothing more for a minute while
                keeping the connection open (a transfer that has stalled)
  NAME.redirect answer "302 Found" with this text as the Location (a path, with a query if
                wished, or a whole URL), as a release host sends a download on to its
                CDN; NAME itself need not exist
Missing files answer 404 with a JSON body shaped like the release API's.

The port is chosen by the system and written to --port-file once the server listens.
"""
import argparse
import http.server
import os
import socket
import ssl
import sys
import threading
import time


def side_value(path, suffix):
    try:
        with open(path + suffix, encoding="ascii") as side:
            return int(side.read().strip())
    except (OSError, ValueError):
        return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    def do_GET(self):
        relative = self.path.split("?", 1)[0].lstrip("/")
        path = os.path.realpath(os.path.join(self.root, relative))
        inside = path.startswith(os.path.realpath(self.root) + os.sep)
        if inside and os.path.isfile(path + ".redirect"):
            with open(path + ".redirect", encoding="ascii") as side:
                location = side.read().strip()
            self.send_response(302)
            self.send_header("Location", location)
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if not inside or not os.path.isfile(path):
            body = b'{"message":"Not Found","documentation_url":"https://docs.example/rest"}'
            self.send_response(404)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        size = os.path.getsize(path)
        status = side_value(path, ".status") or 200
        cut = side_value(path, ".cut")
        rate = side_value(path, ".rate")
        stall = side_value(path, ".stall")
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        to_send = size if cut is None else min(cut, size)
        piece = 64 * 1024 if rate is None else max(1, min(rate // 10, 64 * 1024))
        try:
            with open(path, "rb") as source:
                sent = 0
                while sent < to_send:
                    if stall is not None and sent >= stall:
                        time.sleep(60)
                        break
                    limit = to_send - sent if stall is None else max(1, min(to_send, stall) - sent)
                    data = source.read(min(piece, limit))
                    if not data:
                        break
                    self.wfile.write(data)
                    self.wfile.flush()
                    sent += len(data)
                    if rate:
                        time.sleep(len(data) / rate)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
            self.close_connection = True
            return
        if cut is not None:
            self.wfile.flush()
            self.connection.shutdown(socket.SHUT_RDWR)
            self.close_connection = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--port", type=int, default=0)
    args = parser.parse_args()

    Handler.root = args.root
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(args.cert, args.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    port_file = args.port_file
    with open(port_file + ".tmp", "w", encoding="ascii") as out:
        out.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    threading.current_thread().name = "https-test-server"
    main()
