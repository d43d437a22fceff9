#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Pupils in headless Chromium against a running class session.

Usage: class_pupils.py ADDRESS CODE DATABASE PID CLOSE_COMMAND [SHOTS_DIR]

First a flood of junk connections (more WebSockets than the server keeps
at once), then three pupils join, one by keyboard only on a phone, throw,
stop; two leave, and the teacher closes the session (CLOSE_COMMAND) on
the third. The teacher's count is read from its database (the rows
its CSV export writes) and from the pool messages it sends to every page:
the pooled n must equal the sum of the verified chunks each page counted.
"""
import base64
import os
import re
import socket
import sqlite3
import subprocess
import sys
import time
import urllib.error
import urllib.request
from urllib.parse import urlsplit

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

address, code, database, pid, close_command = sys.argv[1:6]
shots = sys.argv[6] if len(sys.argv) > 6 else ""
host = urlsplit(address)

# name, nickname, viewport, language, by keyboard only
# method, path, status, content type: the page's files and nothing else
SERVED = [
    ("GET", "/", 200, "text/html"), ("GET", "/?code=AB12", 200, "text/html"),
    ("GET", "/page.js", 200, "text/javascript"), ("GET", "/throws.js", 200, "text/javascript"),
    ("GET", "/page.css", 200, "text/css"), ("GET", "/favicon.ico", 404, "text/plain"),
    ("GET", "/class/page.js", 404, "text/plain"), ("GET", "/%2e%2e/page.js", 404, "text/plain"),
    ("GET", "/socket", 404, "text/plain"), ("POST", "/", 404, "text/plain"),
]

PUPILS = [
    ("phone", "あき", (390, 844), "ja-JP", True),
    ("chromebook", "Ben", (1366, 768), "en-GB", False),
    ("laptop", "", (1366, 768), "en-US", False),
]
THROWS_EACH = 6000
# The phone throws for longer than the server keeps an idle page
# connection (30 s), which must not end a pupil's WebSocket.
PHONE_SECONDS = 35


def fail(message):
    sys.exit(f"FAIL: {message}")


def wait(what, condition, seconds=30):
    end = time.time() + seconds
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    fail(f"timed out waiting for {what}")


def ended():
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().rsplit(")", 1)[1].split()[0] in "ZX"
    except FileNotFoundError:
        return True


def open_files():
    return len(os.listdir(f"/proc/{pid}/fd"))


def flood(count=1200):
    upgrade = (f"GET /socket HTTP/1.1\r\nHost: {host.netloc}\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
               f"Sec-WebSocket-Key: {base64.b64encode(os.urandom(16)).decode()}\r\n"
               "Sec-WebSocket-Version: 13\r\n\r\n").encode()
    junk = [b"", b"GET / HT", b"GET /nothing HTTP/1.1\r\n\r\n", b"\x16\x03\x01\x00"]
    for i in range(count):
        with socket.create_connection((host.hostname, host.port), timeout=10) as s:
            if i % 2:
                s.sendall(upgrade)
                if not s.recv(12).startswith(b"HTTP/1.1 101"):
                    fail("a WebSocket upgrade was not answered")
                s.sendall(b"\x82\x80\x00\x00\x00\x00")  # an empty binary frame
            else:
                s.sendall(junk[i // 2 % len(junk)])


def browser(size, language):
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", f"--lang={language}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"performance": "ALL"})
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": size[0] < 500})
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
        "source": f"Object.defineProperty(navigator, 'language', {{get: () => '{language}'}});"})
    return driver


def sockets_opened(driver):
    return sum('"Network.webSocketCreated"' in entry["message"] for entry in driver.get_log("performance"))


def text(driver, element_id):
    return driver.find_element(By.ID, element_id).get_attribute("textContent")


def number(driver, element_id):
    return int(re.sub(r"\D", "", text(driver, element_id)) or 0)


def focused(driver):
    return driver.execute_script("return document.activeElement.id")


# Tab until the control has the focus, and check that the focus shows.
def tab_to(driver, element_id):
    for _ in range(12):
        if focused(driver) == element_id:
            break
        ActionChains(driver).send_keys(Keys.TAB).perform()
    if focused(driver) != element_id:
        fail(f"Tab never reaches #{element_id}")
    style = driver.execute_script("const s = getComputedStyle(document.activeElement);"
                                  "return [s.outlineStyle, s.outlineWidth];")
    if style[0] == "none" or style[1] == "0px":
        fail(f"#{element_id} shows no focus ({style})")


def press(driver, element_id, key):
    tab_to(driver, element_id)
    ActionChains(driver).send_keys(key).perform()


def check_accessible(driver, where):
    nodes = driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    controls = [n for n in nodes if not n.get("ignored") and n.get("role", {}).get("value") in ("textbox", "button", "image")]
    if not controls:
        fail(f"{where}: no controls in the accessibility tree")
    for node in controls:
        if not node.get("name", {}).get("value", "").strip():
            fail(f"{where}: a {node['role']['value']} has no accessible name")
    live = driver.execute_script("return [...document.querySelectorAll('[aria-live]')].map(e => e.ariaLive)")
    if live != ["polite"]:
        fail(f"{where}: live regions {live}, wanted one polite")
    # Large targets, and nothing wider than the screen.
    small = driver.execute_script("return [...document.querySelectorAll('input, button')]"
                                  ".filter(e => e.offsetParent && e.getBoundingClientRect().height < 44).map(e => e.id)")
    if small:
        fail(f"{where}: targets under 44 px: {small}")
    if driver.execute_script("return document.documentElement.scrollWidth > innerWidth"):
        fail(f"{where}: the page scrolls sideways")


def shot(driver, name):
    if shots:
        driver.save_screenshot(os.path.join(shots, f"class-{name}.png"))


def join(driver, nickname, keyboard, with_code):
    driver.get(address)
    wait("the form", lambda: driver.find_element(By.ID, "join").is_displayed())
    if keyboard:
        tab_to(driver, "code")
        ActionChains(driver).send_keys(with_code).perform()
        tab_to(driver, "nickname")
        ActionChains(driver).send_keys(nickname + Keys.ENTER).perform()
    else:
        driver.find_element(By.ID, "code").send_keys(with_code)
        driver.find_element(By.ID, "nickname").send_keys(nickname)
        driver.find_element(By.ID, "join-button").click()


def toggle(driver, keyboard):
    if keyboard:
        press(driver, "toggle", Keys.SPACE)
    else:
        driver.find_element(By.ID, "toggle").click()


for method, path, status, kind in SERVED:
    try:
        answer = urllib.request.urlopen(urllib.request.Request(address.rstrip("/") + path, method=method,
                                                               data=b"" if method == "POST" else None))
    except urllib.error.HTTPError as error:
        answer = error
    headers = answer.headers
    if (answer.status, headers.get_content_type()) != (status, kind) or headers["Cache-Control"] != "no-store" \
            or headers["X-Content-Type-Options"] != "nosniff" or "script-src 'self'" not in headers["Content-Security-Policy"]:
        fail(f"{method} {path}: {answer.status} {dict(headers)}")

# The flood first: the pupils after it must still get in.
files = open_files()
flood()
wait("the flood's sockets to close", lambda: open_files() <= files + 2)

wrong = "0000" if code != "0000" else "2222"
drivers = []
try:
    for name, nickname, size, language, keyboard in PUPILS:
        driver = browser(size, language)
        drivers.append(driver)
        driver.get(address)
        wait("the form", lambda: driver.find_element(By.ID, "join").is_displayed())
        check_accessible(driver, f"{name}, the form")
        join(driver, nickname, keyboard, wrong)
        refusal = wait("the wrong code's refusal", lambda: text(driver, "alert").strip() != "" and
                       "…" not in text(driver, "alert") and text(driver, "alert"))
        japanese = re.search(r"[\u3040-\u30ff]", refusal) is not None
        if "wrong-code" in refusal or japanese != language.startswith("ja"):
            fail(f"{name}: the wrong code refused as {refusal!r}")
        shot(driver, f"{name}-refused")
        join(driver, nickname, keyboard, code)
        wait(f"{name}'s welcome", lambda: driver.find_element(By.ID, "you").is_displayed())
        if keyboard and focused(driver) != "toggle":
            fail(f"{name}: after joining the focus is on #{focused(driver)}, not the Throw button")
        shot(driver, f"{name}-joined")

    # A reload keeps the place: the page rejoins with its token.
    phone = drivers[0]
    joined = time.time()
    pseudonym = text(phone, "you")
    phone.refresh()
    wait("the phone's rejoin", lambda: phone.find_element(By.ID, "you").is_displayed() and text(phone, "you"))
    if text(phone, "you") != pseudonym:
        fail(f"after a reload the phone is {text(phone, 'you')!r}, was {pseudonym!r}")

    for driver, pupil in zip(drivers, PUPILS):
        toggle(driver, pupil[4])
    for driver, pupil in zip(drivers, PUPILS):
        wait(f"{pupil[0]}'s throws", lambda: number(driver, "mine-throws") >= THROWS_EACH, 60)
        if driver is phone:
            wait("the phone's long throw", lambda: time.time() > joined + PHONE_SECONDS, PHONE_SECONDS + 5)
        toggle(driver, pupil[4])
        check_accessible(driver, f"{pupil[0]}, throwing")
        shot(driver, f"{pupil[0]}-throwing")

    # A count button throws that many more and stops by itself.
    laptop = drivers[2]

    def steady():
        n = number(laptop, "mine-throws")
        time.sleep(1)
        return n == number(laptop, "mine-throws") and n
    before = wait("the laptop's count to settle", steady)
    laptop.find_element(By.ID, "throw-1000").click()
    wait("the laptop's thousand", lambda: number(laptop, "mine-throws") == before + 1000, 30)
    time.sleep(1)
    if number(laptop, "mine-throws") != before + 1000:
        fail(f"Throw 1,000 threw {number(laptop, 'mine-throws') - before}")

    def settled():
        counts = [(number(d, "class-throws"), number(d, "mine-throws")) for d in drivers]
        time.sleep(1)
        return counts == [(number(d, "class-throws"), number(d, "mine-throws")) for d in drivers] and counts
    counts = wait("the counts to settle", settled)
    # A wrong code, a join, and the phone's reload: no socket more.
    for driver, wanted in zip(drivers, (3, 2, 2)):
        opened = sockets_opened(driver)
        if opened != wanted:
            fail(f"a page opened {opened} WebSockets, wanted {wanted}: a pupil's socket was cut")
    if not any(text(d, "announce") for d in drivers):
        fail("the live region never spoke")

    with sqlite3.connect(database) as db:
        verified, rejected = db.execute("SELECT coalesce(sum(throws * verified), 0), coalesce(sum(1 - verified), 0)"
                                        " FROM chunks WHERE session = (SELECT max(id) FROM sessions)").fetchone()
    mine = sum(m for _, m in counts)
    pooled = {c for c, _ in counts}
    print(f"pages: {mine} throws of their own, pooled {pooled}; teacher: {verified} verified, {rejected} rejected")
    if pooled != {verified} or mine != verified or rejected:
        fail("the pool differs from the sum of the verified chunks")

    for driver, pupil in zip(drivers[:-1], PUPILS):
        if pupil[4]:
            press(driver, "leave", Keys.ENTER)
        else:
            driver.find_element(By.ID, "leave").click()
        wait(f"{pupil[0]} to leave", lambda: driver.find_element(By.ID, "join").is_displayed())
        if driver.execute_script("return sessionStorage.length"):
            fail(f"{pupil[0]} keeps a token after leaving")

    # The teacher ends the session under the last pupil, who hears of it.
    last = drivers[-1]
    subprocess.run(close_command, shell=True, check=True)
    wait("the program to end", ended)
    wait("the last page to notice", lambda: text(last, "alert").strip())
    if not last.find_element(By.ID, "you").is_displayed():
        fail("the last pupil lost their place when the teacher's program ended")
finally:
    for driver in drivers:
        driver.quit()
print("ok")
