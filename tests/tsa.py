"""tsa.py CONFIG PORT_FILE: an RFC 3161 time-stamping server on loopback,
which the signing test gives the release's signing in place of a public
one. openssl ts answers each query as CONFIG says. The server listens on a
port that the system chooses, and writes its number to PORT_FILE once it
accepts connections."""
import http.server
import os
import subprocess
import sys

config, port_file = sys.argv[1], sys.argv[2]


class TimeStamping(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers["Content-Length"]))
        reply = subprocess.run(
            ["openssl", "ts", "-reply", "-config", config, "-queryfile", "/dev/stdin", "-out", "/dev/stdout"],
            input=query, capture_output=True)
        self.send_response(200 if reply.returncode == 0 else 500)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(reply.stdout)))
        self.end_headers()
        self.wfile.write(reply.stdout)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), TimeStamping)
# The number appears whole or not at all, for a reader that polls for it.
with open(port_file + ".part", "w") as part:
    part.write(str(server.server_address[1]))
os.rename(port_file + ".part", port_file)
server.serve_forever()
