"""The browser program in real headless Chromium: the site served from 127.0.0.1, its cards
compared with the native expected-card tool, then offline and installable.

    site_test.py SITE_DIR RENDER_EXPECTED ARTIFACTS_DIR
"""
import base64
import functools
import http.server
import os
import random
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

SITE = RENDER_EXPECTED = ARTIFACTS = ""
NO_FRAME = ["--frame", "0,0,0,0"]
SHIFT, CTRL, ALT, META = 8, 2, 1, 4  # DevTools modifier bits

# key, code, Windows virtual-key code, DevTools modifiers, the key code the card takes (None:
# the card stays). Each row follows the ones before it.
STEPS = [
    ("b", "KeyB", 66, 0, 66),
    ("B", "KeyB", 66, SHIFT, 66),
    ("7", "Digit7", 55, 0, 55),
    ("&", "Digit1", 49, SHIFT, 49),          # Shift+1 on a US board
    ("5", "Numpad5", 101, 0, None),           # keypad digits do nothing
    (" ", "Space", 32, 0, None),
    ("ArrowDown", "ArrowDown", 40, 0, None),
    ("F1", "F1", 112, 0, None),
    ("9", "Digit9", 57, 0, 57),
    ("i", "KeyI", 73, 0, 73),                 # dots beside the narrow picture stay in sight
    ("a", "KeyA", 65, CTRL, 65),              # the card shows; the browser keeps Ctrl+A
    ("c", "KeyC", 67, ALT, 67),
    ("z", "KeyY", 90, 0, 90),                 # German board: the key Z types is the card
    ("@", "KeyQ", 81, CTRL | ALT, 81),        # AltGr+Q gives @ on a German board
    ("\u00e9", "Digit2", 50, 0, 50),          # French board: the 2 key types é
    ("Shift", "ShiftLeft", 16, SHIFT, None),
    ("/", "Slash", 191, 0, None),
]


def serve(directory, missing=(), handler_class=None):
    handler = functools.partial(handler_class or QuietHandler, directory=directory,
                                missing=missing)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript"}

    def __init__(self, *args, missing=(), **kwargs):
        self.missing = missing
        super().__init__(*args, **kwargs)

    def send_head(self):
        if self.path.lstrip("/") in self.missing:
            self.send_error(404)
            return None
        return super().send_head()

    def log_message(self, *args):
        pass


def browser(ratio):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--window-size=800,700", f"--force-device-scale-factor={ratio}",
                 f"--user-data-dir={tempfile.mkdtemp(prefix='flurb-web-')}"]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def page_state(driver):
    """What the page shows once it has settled: "card", a sentence, or None while it loads."""
    WebDriverWait(driver, 120).until(lambda d: d.execute_script(
        "const message = document.getElementById('message');"
        " return !message || !message.hidden || document.body.dataset.card === 'shown'"))
    return driver.execute_script(
        "const message = document.getElementById('message');"
        " if (!message) return 'no page: ' + document.title;"
        " return message.hidden ? 'card' : message.textContent")


def wait_for_card(driver):
    state = page_state(driver)
    assert state == "card", f"the page shows no card: {state}"


def check_failures(driver):
    """Without WebAssembly, or with a file that does not load, the page says so in a sentence."""
    cases = [([], "delete window.WebAssembly;", "needs a newer browser, one that runs WebAssembly"),
             (["flurb-cards.wasm"], "", "could not load all of its files"),
             (["fonts/P052-Roman.otf"], "", "could not load all of its files"),
             (["pictures/q.dib.gz"], "", "could not load all of its files")]
    for missing, before_page, sentence in cases:
        server = serve(SITE, missing)
        script = driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                        {"source": before_page})
        try:
            driver.get(f"http://127.0.0.1:{server.server_address[1]}/")
            state = page_state(driver)
            assert sentence in state, f"without {missing or 'WebAssembly'}: {state}"
        finally:
            driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                   {"identifier": script["identifier"]})
            server.shutdown()
            server.server_close()


def save_canvas(driver, name):
    path = os.path.join(ARTIFACTS, name)
    data = driver.execute_script("return document.getElementById('card').toDataURL('image/png')")
    with open(path, "wb") as png:
        png.write(base64.b64decode(data.split(",", 1)[1]))
    return path


def render_expected(*arguments, ratio=1):
    environment = {**os.environ, "QT_QPA_PLATFORM": "offscreen"}
    return subprocess.run([RENDER_EXPECTED, "--dpi", str(96 * ratio), *NO_FRAME, *arguments],
                          env=environment, capture_output=True, text=True, check=False)


def start_letter(shot, ratio=1):
    result = render_expected("--identify", shot, "--soft-edges", ratio=ratio)
    assert result.returncode == 0, f"{shot} is no letter card: {result.stdout}{result.stderr}"
    return result.stdout.split()[-1]


def assert_card(shot, start, keys, ratio=1):
    diff = shot.replace(".png", "-diff.png")
    history = ["--keys", ",".join(map(str, keys))] if keys else []
    result = render_expected("--start", start, *history, "--compare", shot, "--diff", diff,
                             "--soft-edges", ratio=ratio)
    assert result.returncode == 0, f"{shot} after {keys}: {result.stdout}{result.stderr}"


def press(driver, key, code, virtual_key, modifiers):
    for kind in ("keyDown", "keyUp"):
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": kind, "key": key, "code": code, "windowsVirtualKeyCode": virtual_key,
            "modifiers": modifiers})


def watch_default_prevented(driver):
    driver.execute_script("window.addEventListener('keydown', e => {"
                          " window.lastPrevented = e.defaultPrevented; });")


def check_steps(driver):
    start = start_letter(save_canvas(driver, "start.png"))
    watch_default_prevented(driver)
    keys = []
    for number, (key, code, virtual_key, modifiers, taken) in enumerate(STEPS):
        press(driver, key, code, virtual_key, modifiers)
        keys += [taken] if taken else []
        assert_card(save_canvas(driver, f"step-{number:02}-{code}.png"), start, keys)
        prevented = driver.execute_script("return window.lastPrevented")
        assert prevented == (modifiers & (CTRL | ALT | META) == 0), f"{code}: prevented {prevented}"
        if code == "Digit7":
            driver.save_screenshot(os.path.join(ARTIFACTS, "page-number-card.png"))
    return start


def check_burst(driver, start):
    """500 keys in one task, as a mashing child's would queue up, end on the last key's card."""
    rng = random.Random(20)
    burst = [rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") for _ in range(500)]
    driver.execute_script("""
        for (const c of arguments[0]) {
          const code = /[0-9]/.test(c) ? 'Digit' + c : 'Key' + c;
          window.dispatchEvent(new KeyboardEvent('keydown', {key: c.toLowerCase(), code}));
        }""", burst)
    assert_card(save_canvas(driver, "burst.png"), start, [ord(burst[-1])])


def check_installable_and_offline(driver, server, ratio=1):
    errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    assert not errors, f"not installable: {errors}"
    # The worker is ready once it has stored every file of the site; on a screen that scales the
    # page says when it has also kept the pictures' renderings at that scale.
    driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
    if ratio > 1:
        WebDriverWait(driver, 120).until(lambda d: d.execute_script(
            "return document.body.dataset.kept"))
    server.shutdown()
    server.server_close()
    driver.refresh()
    wait_for_card(driver)
    assert driver.execute_script("return navigator.serviceWorker.controller !== null"), \
        "the page came back without its service worker"
    start_letter(save_canvas(driver, f"offline-ratio-{ratio}.png"), ratio)


def check_ratio_two(driver):
    """At ratio 2 the card has twice the pixels each way, its pictures drawn from their 2x
    renderings: the model's card at 192 dpi, pixel for pixel, the dots hidden behind the picture or
    beside the narrow one as at ratio 1."""
    size = driver.execute_script("const c = document.getElementById('card');"
                                 " return [c.width, c.height, c.clientWidth, c.clientHeight]")
    assert size == [974, 1026, 487, 513], f"canvas sizes {size}"
    start = start_letter(save_canvas(driver, "ratio-2-start.png"), ratio=2)
    driver.save_screenshot(os.path.join(ARTIFACTS, "page-ratio-2-letter-card.png"))
    keys = []
    for key, code, virtual_key in [("8", "Digit8", 56), ("b", "KeyB", 66), ("9", "Digit9", 57),
                                   ("i", "KeyI", 73)]:
        press(driver, key, code, virtual_key, 0)
        keys.append(virtual_key)
        assert_card(save_canvas(driver, f"ratio-2-{code}.png"), start, keys, ratio=2)
        if code == "Digit8":
            driver.save_screenshot(os.path.join(ARTIFACTS, "page-ratio-2-number-card.png"))


def main():
    global SITE, RENDER_EXPECTED, ARTIFACTS
    SITE, RENDER_EXPECTED, ARTIFACTS = sys.argv[1:4]
    os.makedirs(ARTIFACTS, exist_ok=True)
    server = serve(SITE)
    driver = browser(1)
    try:
        driver.get(f"http://127.0.0.1:{server.server_address[1]}/")
        assert driver.title == "Quimo's Flurb Cards", driver.title
        wait_for_card(driver)
        driver.save_screenshot(os.path.join(ARTIFACTS, "page-letter-card.png"))
        start = check_steps(driver)
        check_burst(driver, start)
        check_installable_and_offline(driver, server)
    finally:
        driver.quit()

    server = serve(SITE)
    driver = browser(2)
    try:
        driver.get(f"http://127.0.0.1:{server.server_address[1]}/")
        wait_for_card(driver)
        check_ratio_two(driver)
        check_installable_and_offline(driver, server, ratio=2)
        check_failures(driver)
    finally:
        driver.quit()
    print("web cards: all steps passed")


if __name__ == "__main__":
    main()
