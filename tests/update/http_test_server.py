#!/usr/bin/env python3
"""Serves the files of one folder on 127.0.0.1 for the update tests.

Prints the port it listens on, then serves until terminated. A first path
part chooses how the reply is sent:
  /nolength/<file>  no Content-Length, the connection closes after the body
  /slow/<file>      the body in 4 pieces, 0.25 s apart
  /truncate/<file>  announces the whole length, sends half, closes
  /redirect/<file>  302 to /<file>
  /headers          200 with the request's header lines as the body
Any other path is a file below the folder; runs of "/" count as one. A
missing file gets 404 with an HTML page, unless a file "<name>.status" beside
it holds another status code to answer with, or "reset" to close the
connection without any reply.
"""
import http.server
import os
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _file(self, parts):
        path = os.path.join(self.server.root, *parts)
        if not parts or not os.path.isfile(path):
            status = path + ".status"
            answer = open(status).read().strip() if parts and os.path.isfile(status) else "404"
            if answer == "reset":
                self.close_connection = True
            else:
                self.send_error(int(answer))
            return None
        with open(path, "rb") as f:
            return f.read()

    def do_GET(self):
        parts = [p for p in self.path.split("?")[0].split("/") if p]
        mode = parts[0] if parts else ""
        if mode == "headers":
            body = str(self.headers).encode()
            self.send_response(200)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if mode == "redirect":
            self.send_response(302)
            self.send_header("Location", "/" + "/".join(parts[1:]))
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        if mode in ("nolength", "slow", "truncate"):
            body = self._file(parts[1:])
        else:
            body = self._file(parts)
        if body is None:
            return
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        if mode == "nolength":
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(body)
            self.close_connection = True
            return
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if mode == "truncate":
            self.wfile.write(body[: len(body) // 2])
            self.wfile.flush()
            self.close_connection = True
            return
        if mode == "slow":
            step = max(1, (len(body) + 3) // 4)
            for at in range(0, len(body), step):
                self.wfile.write(body[at : at + step])
                self.wfile.flush()
                time.sleep(0.25)
            return
        self.wfile.write(body)


def main():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.root = sys.argv[1]
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
