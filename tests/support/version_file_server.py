#!/usr/bin/env python3
"""A local HTTPS server for the update check's tests: each path gives one kind of answer.

/chunked/N answers with N bytes in chunks, announcing no length ahead.

Usage: version_file_server.py CERT KEY. Listens on 127.0.0.1 on a free port and prints the port.
"""
import http.server
import os
import ssl
import sys
import threading

NEWER = b"1.02\r\nhttps://www.quillfen.example/download\r\nKelvane 1.02 is available\r\n"

ROUTES = {
    "/newer": (200, "text/plain", NEWER),
    "/updates/KelvaneUpdates.ver": (200, "text/plain", NEWER),
    "/equal": (200, "text/plain", b"1.01\r\nhttps://www.quillfen.example/download\r\nThe same version\r\n"),
    "/older": (200, "text/plain", b"1.0.0.9\nhttps://www.quillfen.example/download\nAn older version\n"),
    "/malformed": (200, "text/plain", b"1.02\nhttps://www.quillfen.example/download\nA fourth line follows\n\n"),
    "/large": (200, "text/plain", b"1.02\nhttps://www.quillfen.example/download\n" + b"x" * (70 * 1024) + b"\n"),
    "/file-address": (200, "text/plain", b"1.02\r\nfile:///etc/passwd\r\nKelvane 1.02 is available\r\n"),
    "/latin1": (200, "text/plain; charset=ISO-8859-1", b"1.02\nhttps://www.quillfen.example/d\nCaf\xe9 1.02\n"),
}


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/silent":
            threading.Event().wait()  # accepts the request and never answers
        if self.path == "/loop":
            self.send_response(302)
            self.send_header("Location", "/loop")
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if self.path.startswith("/chunked/"):
            self.send_chunked(int(self.path.rsplit("/", 1)[1]))
            return
        status, content_type, body = ROUTES.get(self.path, (404, "text/plain", b"1.02\nhttps://a.example\nnot found\n"))
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def send_chunked(self, total):
        """A body of `total` bytes in chunks of 64 KiB, with no length announced ahead."""
        self.protocol_version = "HTTP/1.1"
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Transfer-Encoding", "chunked")
        self.send_header("Connection", "close")
        self.end_headers()
        chunk = b"x" * (64 * 1024)
        try:
            while total > 0:
                part = chunk[:total]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(part), part))
                total -= len(part)
            self.wfile.write(b"0\r\n\r\n")
        except (BrokenPipeError, ConnectionResetError, ssl.SSLError):
            pass  # the client stopped reading, as it should

    def log_message(self, format, *args):
        pass


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[1], sys.argv[2])
    server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    # The test holds this server's standard input; when the test process ends, even by a crash, the
    # input closes and the server goes with it instead of keeping the test run's output open.
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
