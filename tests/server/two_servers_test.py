#!/usr/bin/python3
"""Two vexmoor-server on one PostgreSQL database share their players, their hall of fame and
the list of the games under way.

Makes a throwaway PostgreSQL cluster in a temporary folder, listening only on a Unix socket there
(run as nobody when this runs as root, as PostgreSQL will not run as root), runs the stores' tests
on it, then two servers on it: a player signed up on one signs in on the other, and the game she
plays on the other (a stand-in game process that ends at once) enters both one's and the other's
hall of fame, and is listed on one as the other's until the other stops. Both servers sign her in
again after the cluster restarted under them. A database that cannot be reached or named ends the
server as its command line promises. The cluster goes at the end, also on failure. Usage:
two_servers_test.py BUILD_FOLDER. Exit 77 when PostgreSQL's programs are missing.
"""

import base64
import glob
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

SKIP = 77

# A stand-in game process: its game ends at once for the hall of fame, and it waits for its end.
STAND_IN = """#!/bin/sh
echo '{"t":"fame","game":1,"name":"Erin","level":6,"ending":"ravine","continues":0,\
"cheated":false,"date":"2026-12-08"}'
while IFS= read -r line; do
  case "$line" in *'"t":"end"'*) exit 0 ;; esac
done
"""


def postgres_programs():
    found = sorted(glob.glob("/usr/lib/postgresql/*/bin/pg_ctl"))
    return os.path.dirname(found[-1]) if found else None


class Cluster:
    """A PostgreSQL cluster in a temporary folder, on a Unix socket in that folder."""

    def __init__(self, programs):
        self.programs = programs
        self.folder = tempfile.mkdtemp(prefix="vexmoor-pg-")
        self.as_user = []
        if os.geteuid() == 0:
            os.chown(self.folder, 65534, 65534)  # nobody
            self.as_user = ["runuser", "-u", "nobody", "--"]
        self.data = os.path.join(self.folder, "cluster")
        self.url = "postgresql:///postgres?host=%s&user=vexmoor" % self.folder

    def run(self, program, *arguments):
        subprocess.run(self.as_user + [os.path.join(self.programs, program), *arguments],
                       cwd=self.folder, check=True, stdout=subprocess.DEVNULL)

    def start(self):
        self.run("initdb", "-D", self.data, "-U", "vexmoor", "-A", "trust", "--no-sync")
        self.run("pg_ctl", "-D", self.data, "-l", os.path.join(self.folder, "log"), "-w",
                 "-o", "-c listen_addresses='' -k %s -c fsync=off" % self.folder, "start")

    def restart(self):
        """Ends every connection to the cluster, as an upgrade or a crash of PostgreSQL would."""
        self.run("pg_ctl", "-D", self.data, "-l", os.path.join(self.folder, "log"), "-m", "fast",
                 "-w", "restart")

    def remove(self):
        if os.path.exists(os.path.join(self.data, "postmaster.pid")):
            self.run("pg_ctl", "-D", self.data, "-m", "immediate", "-w", "stop")
        shutil.rmtree(self.folder, ignore_errors=True)


class Server:
    """vexmoor-server on a free port of 127.0.0.1 with the database given."""

    def __init__(self, build, data, database, game):
        self.process = subprocess.Popen(
            [os.path.join(build, "vexmoor-server"), "--listen", "127.0.0.1:0", "--data", data,
             "--database", database, "--game", game],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)

    def wait_started(self):
        line = self.process.stdout.readline()
        if "http://" not in line:
            raise AssertionError("the server did not start: %r" % line)
        self.origin = line.split("http://")[1].split("/")[0]
        self.origin = "http://" + self.origin

    def ask(self, path, body=None, cookie=None):
        request = urllib.request.Request(
            self.origin + path, data=None if body is None else json.dumps(body).encode(),
            headers={"Origin": self.origin, "Content-Type": "application/json"})
        if cookie:
            request.add_header("Cookie", cookie)
        try:
            with urllib.request.urlopen(request, timeout=10) as reply:
                return reply.status, reply.headers.get("Set-Cookie", ""), json.load(reply)
        except urllib.error.HTTPError as error:
            return error.code, "", json.load(error)

    def play(self, session):
        """Starts the signed-in player's game over the page's WebSocket; the socket to close."""
        connection = socket.create_connection(("127.0.0.1", int(self.origin.split(":")[2])))
        connection.sendall(("GET /ws HTTP/1.1\r\nHost: %s\r\nUpgrade: websocket\r\n"
                            "Connection: Upgrade\r\nSec-WebSocket-Key: %s\r\n"
                            "Sec-WebSocket-Version: 13\r\nOrigin: %s\r\nCookie: %s\r\n\r\n"
                            % (self.origin[7:], base64.b64encode(os.urandom(16)).decode(),
                               self.origin, session)).encode())
        check("the WebSocket's answer", connection.recv(4096).split(b" ")[1], b"101")
        message, mask = b'{"t":"play"}', os.urandom(4)
        connection.sendall(bytes([0x81, 0x80 | len(message)]) + mask +
                           bytes(byte ^ mask[i % 4] for i, byte in enumerate(message)))
        return connection

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=30)


def check(what, got, wanted):
    if got != wanted:
        raise AssertionError("%s: %r, not %r" % (what, got, wanted))


def until(what, condition, pause=0.1):
    deadline = time.monotonic() + 10
    while not condition():
        if time.monotonic() > deadline:
            raise AssertionError(what)
        time.sleep(pause)


def refusals(build, cluster):
    """A database that cannot be named ends the server with 2 and a hint; one that cannot be
    reached with 1 and one line."""
    server = os.path.join(build, "vexmoor-server")
    data = os.path.join(cluster.folder, "refused")
    for database, code, lines in [
            ("mysql://vexmoor@localhost/vexmoor", 2, 2),
            ("postgresql:///postgres?host=%s/nowhere" % cluster.folder, 1, 1)]:
        done = subprocess.run([server, "--listen", "127.0.0.1:0", "--data", data, "--database",
                               database], capture_output=True, text=True, timeout=30)
        check("exit of " + database, done.returncode, code)
        check("lines of " + database, len(done.stderr.splitlines()), lines)


def main():
    build = os.path.abspath(sys.argv[1])
    programs = postgres_programs()
    if not programs:
        print("PostgreSQL's programs are missing (the postgresql package)")
        return SKIP
    cluster = Cluster(programs)
    servers = []
    try:
        cluster.start()
        game = os.path.join(cluster.folder, "game")
        with open(game, "w") as script:
            script.write(STAND_IN)
        os.chmod(game, 0o755)
        for name in ("one", "two"):
            servers.append(Server(build, os.path.join(cluster.folder, name), cluster.url, game))
        for server in servers:  # started at once on the empty database: one makes its tables
            server.wait_started()
        stores = subprocess.run(
            [os.path.join(build, "tests", "server_tests"), "--gtest_filter=SharedStore.*"],
            env=dict(os.environ, VEXMOOR_TEST_POSTGRES=cluster.url), capture_output=True,
            text=True, timeout=60)
        print(stores.stdout)
        check("the stores' tests", stores.returncode, 0)
        check("skipped stores' tests", "[  SKIPPED ]" in stores.stdout, False)

        one, two = servers
        player = {"name": "Erin", "password": "password1"}
        check("sign-up on one", one.ask("/api/signup", player)[0], 201)
        check("sign-up of the same name on two", two.ask("/api/signup", player)[0], 409)
        status, cookie, _ = two.ask("/api/signin", player)
        check("sign-in on two", status, 200)
        session = cookie.split(";")[0]
        check("who is signed in on two", two.ask("/api/me", cookie=session)[2], {"name": "Erin"})
        check("who is signed in on one", one.ask("/api/me", cookie=session)[2], {"name": "Erin"})
        check("a wrong password on one",
              one.ask("/api/signin", dict(player, password="password2"))[0], 401)
        # The stores' tests left two games in the hall of fame, which both servers show.
        fame = one.ask("/api/fame")[2]
        check("games in the hall of fame", len(fame["best"]), 2)
        check("the other server's hall of fame", two.ask("/api/fame")[2], fame)

        # Erin's game, played on two, enters one's hall of fame, and one lists it as two's.
        connection = two.play(session)
        until("Erin's game is not in one's hall of fame",
              lambda: "Erin" in [row["name"] for row in one.ask("/api/fame")[2]["best"]])
        until("Erin's game is not among one's games", lambda: one.ask("/api/games")[2])
        game, = two.ask("/api/games")[2]
        check("Erin's game on one", one.ask("/api/games")[2],
              [dict(game, server="%s:%s" % (socket.gethostname(), two.origin.split(":")[2]))])
        check("Erin's game on two", (game["player"], "server" in game), ("Erin", False))

        # Every connection to the database ends: both servers open theirs again, within a second
        # should one have tried while the database was away.
        cluster.restart()
        for server in servers:
            until("no sign-in after the database restarted",
                  lambda: server.ask("/api/signin", player)[0] == 200, pause=1.1)
        connection.close()
        check("the other server's hall of fame again", two.ask("/api/fame")[2],
              one.ask("/api/fame")[2])
        refusals(build, cluster)
        two.stop()
        check("games on one once two stopped", one.ask("/api/games")[2], [])
        print("two servers share one database")
        return 0
    finally:
        for server in servers:
            server.stop()
        cluster.remove()


if __name__ == "__main__":
    sys.exit(main())
