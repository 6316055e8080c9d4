#!/usr/bin/env python3
"""Vexmoor in a real browser: vexmoor-server on 127.0.0.1 with a data folder of its own, driven
through headless Chromium by Selenium.

    browser_test.py BUILD play    sign up, a wrong seed, play a seed, watch, shop, save, end,
                                  the hall of fame, the recording replayed, a wrong password, a
                                  second account playing today's challenge
    browser_test.py BUILD crash   one of two games killed: the server and the other game go on

Exits 77 (skipped) when chromium or chromedriver is missing."""

import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.parse
import urllib.request

try:
    from selenium import webdriver
    from selenium.common.exceptions import StaleElementReferenceException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.by import By
except ImportError:
    webdriver = None

LEFT, UP, RIGHT, DOWN, ESCAPE = "\ue012", "\ue013", "\ue014", "\ue015", "\ue00c"


def wait(test, what, seconds=10, seen=None):
    """Waits until test() gives something true and returns it; fails naming what was awaited,
    and what seen() gives then."""
    deadline = time.monotonic() + seconds
    while True:
        result = test()
        if result:
            return result
        if time.monotonic() > deadline:
            told = f"; seen: {seen()}" if seen else ""
            raise AssertionError(f"timed out waiting for {what}{told}")
        time.sleep(0.05)


class Server:
    """vexmoor-server on a free port of 127.0.0.1 and a temporary data folder."""

    def __init__(self, build):
        self.build = build
        self.data = tempfile.mkdtemp(prefix="vexmoor-web-test-")
        self.log = os.path.join(self.data, "server.log")
        with open(self.log, "w") as log:
            self.process = subprocess.Popen(
                [os.path.join(build, "vexmoor-server"), "--listen", "127.0.0.1:0",
                 "--data", self.data], stdout=log, stderr=subprocess.STDOUT)
        # Port 0: the system picks a free port, which the server's first line names.
        address = wait(lambda: re.search(r"http://127\.0\.0\.1:\d+", self.read_log())
                       or self.process.poll() is not None, "the server's address on its output")
        assert self.process.poll() is None, "the server ended at start:\n" + self.read_log()
        self.url = address.group(0)

    def read_log(self):
        with open(self.log) as log:
            return log.read()

    def stop(self):
        """Ends the server as SIGTERM does, and with it every game; true when it exits 0."""
        if self.process.poll() is None:
            self.process.terminate()
        code = self.process.wait(10)
        if code != 0:
            print(f"the server exited with {code}; its output:\n{self.read_log()}")
        shutil.rmtree(self.data, ignore_errors=True)
        return code == 0

    def request(self, path, body=None, cookie=None):
        """An HTTP request from the server's own page: its status and its body."""
        headers = {"Origin": self.url}
        if cookie:
            headers["Cookie"] = f"vexmoor_session={cookie}"
        data = None
        if body is not None:
            data = json.dumps(body).encode()
            headers["Content-Type"] = "application/json"
        request = urllib.request.Request(self.url + path, data=data, headers=headers)
        try:
            with urllib.request.urlopen(request, timeout=10) as reply:
                return reply.status, reply.read()
        except urllib.error.HTTPError as refusal:
            return refusal.code, refusal.read()

    def recordings(self, cookie):
        status, body = self.request("/api/recordings", cookie=cookie)
        assert status == 200, f"the recordings: {status}"
        return json.loads(body)

    def download(self, cookie, name):
        """One of the signed-in player's recordings, into a file of the data folder."""
        status, body = self.request("/api/recordings/" + urllib.parse.quote(name), cookie=cookie)
        assert status == 200, f"downloading {name}: {status}"
        path = os.path.join(self.data, name)
        with open(path, "wb") as file:
            file.write(body)
        return path

    def replay(self, recording):
        """What `vexmoor --replay FILE --headless` prints, and its exit code."""
        done = subprocess.run([os.path.join(self.build, "vexmoor"), "--replay", recording,
                               "--headless"], capture_output=True, text=True, timeout=60)
        return done.stdout + done.stderr, done.returncode

    def games(self):
        """The game processes under the server: {their player's folder: pid}."""
        found = {}
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/stat") as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
                with open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                    arguments = cmdline.read().decode().split("\0")
            except (OSError, IndexError, ValueError):
                continue
            if parent == self.process.pid and "--data" in arguments:
                found[arguments[arguments.index("--data") + 1]] = int(pid)
        return found


class Page:
    """One browser on the server's page."""

    def __init__(self, server):
        options = webdriver.ChromeOptions()
        options.binary_location = shutil.which("chromium")
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--window-size=1200,900"):
            options.add_argument(argument)
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")),
                                       options=options)
        self.driver.get(server.url)

    def quit(self):
        self.driver.quit()

    def find(self, selector, by=By.CSS_SELECTOR):
        found = self.driver.find_elements(by, selector)
        return found[0] if found else None

    def text(self, selector):
        """The text an element shows, "" when there is none."""
        try:
            element = self.find(selector)
            return element.text if element else ""
        except StaleElementReferenceException:
            return ""

    def click(self, selector):
        wait(lambda: self.find(selector) and self.find(selector).is_displayed(), selector)
        self.find(selector).click()

    def fill_in(self, form, name, password):
        wait(lambda: self.find(f"#{form}-name").is_displayed(), f"the form {form}")
        for field, value in (("name", name), ("password", password)):
            element = self.find(f"#{form}-{field}")
            element.clear()
            element.send_keys(value)
        self.click(f"#{form}-button")

    def sign_up(self, name, password):
        self.fill_in("signup", name, password)
        wait(lambda: self.text("#me") == name, f"{name} signed up")

    def play(self, seed="", button="#play-button"):
        field = self.find("#seed-field")
        field.clear()
        field.send_keys(seed)
        self.click(button)
        wait(lambda: self.find("#window-m"), "the game's main window")

    def title(self, expected):
        """Waits until the game's title line, and the page's title, read as expected."""
        wait(lambda: self.text("#game-seed") == expected == self.driver.title,
             f'the title "{expected}"',
             seen=lambda: (self.text("#game-seed"), self.driver.title))

    def click_label(self, text):
        """Clicks the label of the status panel that reads the text."""
        path = f"//*[@id='window-m']//*[contains(@class, 'label') and .='{text}']"
        self.find(path, By.XPATH).click()

    def cookie(self):
        return self.driver.get_cookie("vexmoor_session")["value"]

    def status(self):
        return self.text("#window-m")

    def screen(self):
        return self.text("#stage")

    def key(self, key):
        self.driver.execute_script("document.getElementById('stage').focus()")
        ActionChains(self.driver).send_keys(key).perform()

    def answer(self, question, text=None):
        """Answers the game's dialog that shows the question: OK, with the text typed if any."""
        wait(lambda: self.find("#dialog[open]") and question in self.text("#dialog-text"),
             f'the dialog "{question}"')
        if text is not None:
            field = self.find("#dialog-field")
            field.clear()
            field.send_keys(text)
        self.click("#dialog-ok")
        wait(lambda: not self.find("#dialog[open]"), "the dialog closed")


def play_scenario(server, player, watcher):
    player.sign_up("Alice", "correct horse")
    player.find("#seed-field").send_keys("4294967296")
    player.click("#play-button")
    wait(lambda: "whole number" in player.text("#message"), "the wrong seed refused")
    player.play("777")
    player.title("Vexmoor — seed 777")
    folder = os.path.basename(wait(lambda: list(server.games()), "Alice's game process")[0])
    watcher.click('button[aria-label="Watch Alice"]')
    wait(lambda: watcher.find("#window-m"), "the watcher's view")

    def step(key):
        """One key of the player's; the watcher's status panel then reads as the player's."""
        player.key(key)
        wait(lambda: watcher.status() == player.status(),
             f"the same status panel for the watcher after {key!r}:\n"
             f"player: {player.status()!r}\nwatcher: {watcher.status()!r}", 3)

    step("n")
    player.answer("What is your name?", "Alice")
    wait(lambda: "Alice" in player.status(), "the name on the status panel")
    for key in (LEFT, UP, RIGHT, DOWN):
        step(key)
    step(ESCAPE)
    wait(lambda: "Welcome to shop Alice" in player.screen(), "the shop")
    step("x")
    wait(lambda: "Welcome to shop" not in player.screen(), "the shop closed")
    step(ESCAPE)
    step("s")
    player.answer("Saved!")
    step("x")

    # The quickest end: the cheat code's gold and energy spent on walls, then prayers until one
    # with no energy left ends the game (again, should a prayer be answered).
    player.click_label("LV:")
    player.answer("Cheat:", "qyx")
    step(ESCAPE)
    for key in (["w"] * 9 + ["g"] * 11) * 3:
        step(key)
        if "Game Over" in player.status():
            break
    assert "Too many requests" in player.status(), "no end after the prayers"
    step(ESCAPE)
    player.key("q")
    for page in (player, watcher):
        wait(lambda: "ended" in page.text("#game-line"), "the game's end told to every page")

    player.click("#back-button")
    # The cheat code that set the walls up shows in the row, as in the game's own table.
    wait(lambda: re.search(r"Alice 1 too many requests .* 777 yes", player.text("#fame")),
         "the game in the hall of fame with its seed, marked as cheated",
         seen=lambda: player.text("#fame"))
    assert player.find("#fame-today-empty").is_displayed(), "a game of today's challenge shown"
    cookie = player.cookie()
    ended = [r["file"] for r in server.recordings(cookie) if r["complete"]]
    assert len(ended) == 1, f"one complete recording: {ended}"
    said, code = server.replay(server.download(cookie, ended[0]))
    assert "replay matches" in said and code == 0, f"the replay: {said} ({code})"

    # The watcher's browser: a wrong password, then a second account.
    watcher.click("#back-button")
    watcher.fill_in("signin", "Alice", "wrong horse")
    wait(lambda: watcher.text("#message"), "the wrong password refused")
    assert not watcher.text("#me"), "signed in with a wrong password"
    for password, status in (("correct horse!", 401), ("correct horse", 200)):
        assert server.request("/api/signin", {"name": "Alice", "password": password})[0] == status
    watcher.sign_up("Bob", "battery staple")
    stranger = watcher.cookie()
    for name in (ended[0], f"../../{folder}/recordings/{ended[0]}", f"../../{folder}/Save.ini"):
        status, _ = server.request("/api/recordings/" + urllib.parse.quote(name, safe=""),
                                   cookie=stranger)
        assert status in (403, 404), f"Bob downloaded Alice's {name}: {status}"
    assert os.path.exists(os.path.join(server.data, "players", folder, "Save.ini"))
    watcher.play(button="#daily-button")
    watcher.title("Vexmoor — today's challenge")
    wait(lambda: "Bob Today's challenge" in player.text("#games"), "Bob's challenge listed",
         seen=lambda: player.text("#games"))
    watcher.key("l")
    watcher.answer("No saved game")


def crash_scenario(server, alice, bob):
    alice.sign_up("Alice", "correct horse")
    alice.play()
    alice.key("n")
    alice.answer("What is your name?", "Alice")
    folder = wait(lambda: list(server.games()), "Alice's game process")[0]
    bob.sign_up("Bob", "battery staple")
    bob.play()
    bob.key("n")
    bob.answer("What is your name?", "Bob")
    wait(lambda: len(server.games()) == 2, "Bob's game process")

    os.kill(server.games()[folder], signal.SIGKILL)
    wait(lambda: "unexpectedly" in alice.text("#game-line"), "Alice told her game crashed")
    assert server.process.poll() is None, "the server went down with the game"
    bob.key(ESCAPE)
    wait(lambda: "Welcome to shop Bob" in bob.screen(), "Bob's game answering")

    kept = server.recordings(alice.cookie())
    assert len(kept) == 1, f"the killed game's recording kept: {kept}"
    said, code = server.replay(server.download(alice.cookie(), kept[0]["file"]))
    assert "the recording ended unexpectedly" in said and code == 3, f"the replay: {said} ({code})"
    assert not kept[0]["complete"], f"the killed game's recording listed as complete: {kept}"


def main():
    build, scenario = sys.argv[1], sys.argv[2]
    if not shutil.which("chromium") or not shutil.which("chromedriver"):
        print("skipped: chromium or chromedriver is not installed")
        return 77
    assert webdriver, "python3-selenium is not installed"
    server = Server(build)
    pages = []
    try:
        pages = [Page(server), Page(server)]
        {"play": play_scenario, "crash": crash_scenario}[scenario](server, *pages)
    except Exception:
        print(f"{scenario}: FAILED; the server's output:\n{server.read_log()}")
        raise
    finally:
        for page in pages:
            page.quit()
        stopped = server.stop()
    print(f"{scenario}: {'passed' if stopped else 'FAILED'}")
    return 0 if stopped else 1


if __name__ == "__main__":
    sys.exit(main())
