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
  NAME.silent   accept the request and never answer it: no headers for a minute
  NAME.endless  send the file's bytes over and over without end, with no length announced
  NAME.length   the Content-Length header's text, sent as it is instead of the file's size
  NAME.redirect answer "302 Found" with this text as the Location (a path, with a query if
                wished, or a whole URL), as a release host sends a download on to its
                CDN; NAME itself need not exist
Missing files answer 404 with a JSON body shaped like the release API's.

The port is chosen by the system and written to --port-file once the server listens.

With --proxy-port-file, a second listener is an HTTP proxy for tunnels (CONNECT) to this
machine only: it writes its port there and appends each CONNECT target, one a line, to
--proxy-log.
"""
import argparse
import http.server
import os
import select
import socketserver
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


def side_text(path, suffix):
    try:
        with open(path + suffix, encoding="ascii") as side:
            return side.read().strip()
    except OSError:
        return None


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    root = "."

    def log_message(self, fmt, *args):
        sys.stderr.write("%s %s\n" % (self.address_string(), fmt % args))

    def do_GET(self):
        target = self.path
        if "://" in target:  # the absolute form, as a client speaking through a proxy may send
            target = "/" + target.split("://", 1)[1].partition("/")[2]
        relative = target.split("?", 1)[0].lstrip("/")
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
        if os.path.exists(path + ".silent"):
            time.sleep(60)
            self.close_connection = True
            return
        if os.path.exists(path + ".endless"):
            self.send_endless(path)
            return
        size = os.path.getsize(path)
        status = side_value(path, ".status") or 200
        cut = side_value(path, ".cut")
        rate = side_value(path, ".rate")
        stall = side_value(path, ".stall")
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", side_text(path, ".length") or str(size))
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


    def send_endless(self, path):
        with open(path, "rb") as source:
            data = source.read() or b"x"
        self.send_response(200)
        self.send_header("Content-Type", "application/json")
        self.send_header("Connection", "close")
        self.end_headers()
        self.close_connection = True
        try:
            while True:
                self.wfile.write(data)
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError, OSError):
            return


class TunnelHandler(socketserver.StreamRequestHandler):
    """CONNECT host:port, to this machine only; the bytes are relayed as they come."""
    log_path = None

    def handle(self):
        request_line = self.rfile.readline(65536).decode("latin-1").strip()
        while self.rfile.readline(65536) not in (b"\r\n", b"\n", b""):
            pass
        parts = request_line.split()
        with open(self.log_path, "a", encoding="latin-1") as log:
            log.write(request_line + "\n")
        if len(parts) < 2 or parts[0] != "CONNECT":
            self.wfile.write(b"HTTP/1.1 405 Method Not Allowed\r\nContent-Length: 0\r\n\r\n")
            return
        host, _, port = parts[1].rpartition(":")
        if host not in ("localhost", "127.0.0.1"):
            self.wfile.write(b"HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n")
            return
        try:
            upstream = socket.create_connection(("127.0.0.1", int(port)))
        except (OSError, ValueError):
            self.wfile.write(b"HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n")
            return
        self.wfile.write(b"HTTP/1.1 200 Connection established\r\n\r\n")
        self.wfile.flush()
        client = self.connection
        with upstream:
            while True:
                readable, _, _ = select.select([client, upstream], [], [], 120)
                if not readable:
                    return
                for source in readable:
                    other = upstream if source is client else client
                    data = source.recv(65536)
                    if not data:
                        return
                    other.sendall(data)


def write_port(port_file, port):
    with open(port_file + ".tmp", "w", encoding="ascii") as out:
        out.write(str(port))
    os.replace(port_file + ".tmp", port_file)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--cert", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--proxy-port-file")
    parser.add_argument("--proxy-log")
    args = parser.parse_args()

    if args.proxy_port_file:
        TunnelHandler.log_path = args.proxy_log
        proxy = socketserver.ThreadingTCPServer(("127.0.0.1", 0), TunnelHandler)
        proxy.daemon_threads = True
        threading.Thread(target=proxy.serve_forever, daemon=True).start()
        write_port(args.proxy_port_file, proxy.server_address[1])

    Handler.root = args.root
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(args.cert, args.key)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    write_port(args.port_file, server.server_address[1])
    server.serve_forever()


if __name__ == "__main__":
    threading.current_thread().name = "https-test-server"
    main()
