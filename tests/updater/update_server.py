#!/usr/bin/env python3
"""A small HTTP server for the updater tests, on 127.0.0.1 and a free port.

Serves the files of a folder, plus a few misbehaving paths:
  /stall/...      sends headers and a few bytes, then nothing
  /truncated/...  promises 100000 bytes, sends 5000, closes
  /error/...      answers 404 with an HTML page
  /catchall/...   serves the file below the folder, or answers 200 with an HTML page
Prints the port on the first line of standard output, then serves until killed.
"""
import http.server
import os
import sys
import time


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.path.startswith("/stall/"):
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"x" * 100)
            self.wfile.flush()
            time.sleep(60)
            return
        if self.path.startswith("/truncated/"):
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            self.wfile.write(b"y" * 5000)
            self.wfile.flush()
            self.close_connection = True
            return
        if self.path.startswith("/error/"):
            body = b"<html><body><h1>404 Not Found</h1></body></html>"
            self.send_response(404)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
            return
        if self.path.startswith("/catchall/"):
            self.path = self.path[len("/catchall"):]
            if not os.path.isfile("." + self.path):
                body = b"<!doctype html><html><body><div id=app></div></body></html>"
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                self.wfile.write(body)
                return
        super().do_GET()


def main():
    os.chdir(sys.argv[1])
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
