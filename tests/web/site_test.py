"""The browser program in a real browser engine (chromium, firefox or webkitgtk): the site
served from 127.0.0.1, its cards compared with the native expected-card tool, then offline and,
where the engine can judge it, installable.

    site_test.py ENGINE SITE_DIR RENDER_EXPECTED ARTIFACTS_DIR
"""
import base64
import contextlib
import functools
import glob
import http.server
import io
import os
import random
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from browsers import ALT, CTRL, ENGINES, META, PATIENCE_SECONDS, SHIFT
from selenium.common.exceptions import JavascriptException
from selenium.webdriver.support.ui import WebDriverWait

SITE = RENDER_EXPECTED = ARTIFACTS = ""
NO_FRAME = ["--frame", "0,0,0,0"]

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


def serve(directory, handler_class=None, before_page=""):
    handler = functools.partial(handler_class or QuietHandler, directory=directory,
                                before_page=before_page)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """The site's files; BEFORE_PAGE runs in the page before its own scripts, the same way in
    every engine."""
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".woff2": "font/woff2"}

    def __init__(self, *args, before_page="", **kwargs):
        self.before_page = before_page
        super().__init__(*args, **kwargs)

    def send_head(self):
        if self.before_page and self.path in ("/", "/index.html"):
            with open(os.path.join(self.directory, "index.html"), encoding="utf-8") as page:
                script = f"<script>{self.before_page}</script>"
                html = page.read().replace("<head>", "<head>" + script, 1)
            body = html.encode()
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            return io.BytesIO(body)
        return super().send_head()

    def log_message(self, *args):
        pass


def wait_until(browser, script):
    """Asks the page until SCRIPT gives a true value; only a hang reaches the deadline."""
    deadline = time.monotonic() + PATIENCE_SECONDS
    while not (value := browser.evaluate(script)):
        assert time.monotonic() < deadline, f"gave up waiting for: {script}"
        time.sleep(0.02)
    return value


def page_state(browser):
    """What the page shows once it has settled: "card", a sentence, or None while it loads."""
    wait_until(browser, "const message = document.getElementById('message'); return !message"
                        " || !message.hidden || document.body.dataset.card === 'shown'")
    return browser.evaluate("const message = document.getElementById('message');"
                            " if (!message) return 'no page: ' + document.title;"
                            " return message.hidden ? 'card' : message.textContent")


def wait_for_card(browser):
    state = page_state(browser)
    assert state == "card", f"the page shows no card: {state}"


def check_without_webassembly(browser):
    """A browser without WebAssembly says so in a sentence (files that fail: the fault table)."""
    server = serve(SITE, before_page="delete window.WebAssembly;")
    try:
        browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
        state = page_state(browser)
        assert "needs a newer browser, one that runs WebAssembly" in state, state
    finally:
        server.shutdown()
        server.server_close()


def save_canvas(browser, name):
    """The card once the page has drawn every key it was given, with sharp pictures."""
    wait_until(browser, "const page = document.body.dataset; return page.waiting !== 'yes'"
                        " && !(page.drawn || '').endsWith('enlarged')")
    path = os.path.join(ARTIFACTS, name)
    data = browser.evaluate("return document.getElementById('card').toDataURL('image/png')")
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


# The pictures asked for before the first card: the page fetches the one it drew the letter for
# while the program loads, and the program must show that letter, asking for no other.
EARLY_PICTURES = ("const card = performance.getEntriesByName('first-card')[0].startTime;"
                  " return [...new Set(performance.getEntriesByType('resource').filter(r =>"
                  " r.startTime < card && r.name.includes('/pictures/'))"
                  ".map(r => r.name.split('/').pop()))]")


def check_steps(browser):
    start = start_letter(save_canvas(browser, "start.png"))
    early = browser.evaluate(EARLY_PICTURES)
    assert early == [f"{start.lower()}.webp"], f"pictures before the {start} card: {early}"
    browser.evaluate("window.addEventListener('keydown', e => {"
                     " window.lastPrevented = e.defaultPrevented; });")
    keys = []
    for number, (key, code, virtual_key, modifiers, taken) in enumerate(STEPS):
        browser.press(key, code, virtual_key, modifiers)
        keys += [taken] if taken else []
        assert_card(save_canvas(browser, f"step-{number:02}-{code}.png"), start, keys)
        prevented = browser.evaluate("return window.lastPrevented")
        assert prevented == (modifiers & (CTRL | ALT | META) == 0), f"{code}: prevented {prevented}"
        if code == "Digit7":
            browser.screenshot(os.path.join(ARTIFACTS, "page-number-card.png"))
    return start


def check_burst(browser, start):
    """500 keys in one task, as a mashing child's would queue up, end on the last key's card."""
    rng = random.Random(20)
    burst = [rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789") for _ in range(500)]
    browser.evaluate("""
        for (const c of arguments[0]) {
          const code = /[0-9]/.test(c) ? 'Digit' + c : 'Key' + c;
          window.dispatchEvent(new KeyboardEvent('keydown', {key: c.toLowerCase(), code}));
        }""", burst)
    assert_card(save_canvas(browser, "burst.png"), start, [ord(burst[-1])])


def check_installable_and_offline(browser, server, ratio=1):
    errors = browser.installability_errors()
    assert not errors, f"not installable: {errors}"
    # The worker is ready once it has stored every file of the site; on a screen that scales the
    # page says when it has also kept the pictures' renderings at that scale.
    browser.evaluate("return navigator.serviceWorker.ready.then(() => true)")
    if ratio > 1:
        wait_until(browser, "return document.body.dataset.kept")
    server.shutdown()
    server.server_close()
    browser.reload()
    wait_for_card(browser)
    assert browser.evaluate("return navigator.serviceWorker.controller !== null"), \
        "the page came back without its service worker"
    start_letter(save_canvas(browser, f"offline-ratio-{ratio}.png"), ratio)


def check_ratio_two(browser):
    """At ratio 2 the card has twice the pixels each way, its pictures drawn from their 2x
    renderings: the model's card at 192 dpi, pixel for pixel, the dots hidden behind the picture or
    beside the narrow one as at ratio 1."""
    size = browser.evaluate("const c = document.getElementById('card');"
                            " return [c.width, c.height, c.clientWidth, c.clientHeight]")
    assert size == [974, 1026, 487, 513], f"canvas sizes {size}"
    start = start_letter(save_canvas(browser, "ratio-2-start.png"), ratio=2)
    browser.screenshot(os.path.join(ARTIFACTS, "page-ratio-2-letter-card.png"))
    keys = []
    for key, code, virtual_key in [("8", "Digit8", 56), ("b", "KeyB", 66), ("9", "Digit9", 57),
                                   ("i", "KeyI", 73)]:
        browser.press(key, code, virtual_key, 0)
        keys.append(virtual_key)
        assert_card(save_canvas(browser, f"ratio-2-{code}.png"), start, keys, ratio=2)
        if code == "Digit8":
            browser.screenshot(os.path.join(ARTIFACTS, "page-ratio-2-number-card.png"))


def open_site(engine, ratio):
    server = serve(SITE)
    browser = engine(ratio)
    print(f"{browser.engine} {browser.version}, ratio {ratio}", flush=True)
    with open(os.path.join(ARTIFACTS, "engine.txt"), "w", encoding="utf-8") as note:
        note.write(f"{browser.engine} {browser.version}\n")
    try:
        browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
    except BaseException:
        browser.quit()
        raise
    return server, browser

# A file missing, failing, cut short (with its shorter length: only its bytes tell) or a login page.
FAULTS = [404, 500, "cut", "html"]


def first_card_files():
    """The files the first card waits for, as the site names them, and one picture."""
    found = [os.path.relpath(path, SITE) for pattern in ("fonts/*", "pictures/q.*")
             for path in glob.glob(os.path.join(SITE, pattern))]
    return ["start.js", "flurb-cards.js", "flurb-cards.wasm"] + found


class FaultyHandler(QuietHandler):
    """Serves the folder `server.site`, answering each file of `server.faults` with its fault."""

    def __init__(self, request, address, server):
        super().__init__(request, address, server, directory=server.site)

    def send_head(self):
        fault = self.server.faults.get(self.path.lstrip("/"))
        if fault in (404, 500):
            self.send_error(fault)
            return None
        if fault is None:
            return super().send_head()
        body, kind = (b"<!DOCTYPE html><p>Sign in to the network</p>", "text/html")
        if fault == "cut":
            with open(self.translate_path(self.path), "rb") as whole:
                body, kind = whole.read()[:-100], self.guess_type(self.path)
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        return io.BytesIO(body)


@contextlib.contextmanager
def serve_site(site):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), FaultyHandler)
    server.site, server.faults = site, {}
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield server, f"http://127.0.0.1:{server.server_address[1]}/"
    finally:
        server.shutdown()
        server.server_close()


def state_after_q(browser):
    """The page's sentence or card once settled and the Q key pressed (Q's picture may fail)."""
    if page_state(browser) == "card":
        keys = browser.evaluate("return document.body.dataset.keys")
        browser.press("q", "KeyQ", 81, 0)
        wait_until(browser, "const page = document.body.dataset; return flurbPage.failed ||"
                            f" page.keys !== '{keys}' && page.waiting === 'no'")
    return page_state(browser), browser.evaluate("return flurbPage.failed")


def check_fault_table(browser):
    """Each fault of each file the first card needs says the sentence, never shows a half card and
    never sticks: with the server mended, a reload brings the cards back."""
    for path in first_card_files():
        for fault in FAULTS:
            with serve_site(SITE) as (server, url):
                server.faults = {path: fault}
                browser.navigate(url)
                state, failed = state_after_q(browser)
                assert "could not load all of its files" in state and failed, f"{path} {fault}: {state}"
                server.faults = {}
                browser.reload()
                assert state_after_q(browser) == ("card", False), f"{path} {fault}: sticks"


def deploy(source, target, age_days, change=None):
    """A copy of the site whose files are `age_days` old; `change` edits its program, and the
    copy's hashes are recorded anew as the build records them."""
    shutil.copytree(source, target)
    if change:
        with open(os.path.join(target, "flurb-cards.js"), "a", encoding="utf-8") as program:
            program.write(change)
        subprocess.run(["cmake", f"-DSITE={target}",
                        f"-DTEMPLATES={os.environ['FLURB_SITE_TEMPLATES']}",
                        "-P", os.environ["FLURB_SITE_INTEGRITY"]], check=True)
    then = os.path.getmtime(source) - age_days * 86400
    for path in glob.glob(os.path.join(target, "**", "*"), recursive=True):
        os.utime(path, (then, then))
    return target


def check_new_version_takes_over(browser):
    """Version A visited, then B deployed with files dated before A's (the HTTP cache keeps A's as
    current): the open page goes on with A; once B takes over, the page runs B whole."""
    driver = browser.driver
    folder = tempfile.mkdtemp(prefix="flurb-deploy-")
    site_a = deploy(SITE, os.path.join(folder, "a"), 365)
    site_b = deploy(site_a, os.path.join(folder, "b"), 730, "\nwindow.deployed = 'B';\n")
    deployed = "return [document.documentElement.dataset.version, window.deployed || 'A']"
    with serve_site(site_a) as (server, url):
        driver.get(url)
        wait_for_card(browser)
        driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        version_a = driver.execute_script(deployed)
        server.site = site_b
        driver.refresh()
        wait_for_card(browser)
        assert driver.execute_script(deployed) == version_a, "B mixed into A's open page"
        WebDriverWait(driver, 120).until(lambda d: d.execute_script(
            "return navigator.serviceWorker.getRegistration().then(r => r.waiting !== null)"))
        # B takes over once no page of A is open and the browser lets it; until then A runs whole.
        WebDriverWait(driver, 300, ignored_exceptions=[JavascriptException]).until(
            lambda d: d.get("about:blank") or d.get(url) or page_state(browser) == "card"
            and d.execute_script(deployed)[1] == "B")
        assert driver.execute_script(deployed)[0] != version_a[0], "B's program, A's start.js"


# Viewports in CSS pixels; each is tried at the device pixel ratios in turn, so that each new ratio
# comes without a change of size (and without a resize event), as on a move to another screen.
VIEWPORTS = [(360, 640), (768, 1024), (1280, 800)]
RATIOS = [1, 2, 3]
VIEWPORT_KEYS = [("8", "Digit8", 56), ("b", "KeyB", 66), ("i", "KeyI", 73)]
CANVAS = ("const card = document.getElementById('card'), box = card.getBoundingClientRect(),"
          " shown = window.visualViewport; return [box.left, box.top, box.right, box.bottom,"
          " shown.offsetLeft, shown.offsetTop, shown.width, shown.height, shown.scale, card.width]")


def emulate(driver, width, height, ratio, mobile=False):
    """The page in a viewport of that size and ratio. Chromium's emulation re-evaluates media
    queries (which tell a page of a new ratio) only once asked, as a move to another screen does."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
        {"name": "prefers-color-scheme", "value": "light"}]})


def wait_for_drawing(driver, ratio):
    """Waits for the card drawn for the visual viewport as it is now, with sharp pictures."""
    WebDriverWait(driver, 120).until(lambda d: d.execute_script(
        "const shown = window.visualViewport;"
        " return document.body.dataset.drawn === arguments[0] + ' ' + shown.width + 'x' +"
        " shown.height", ratio))


def assert_card_fits(browser, name, start, keys, ratio):
    """The whole card inside the visual viewport, as large as fits up to 487 x 513 CSS pixels,
    one canvas pixel to a device pixel, and the model's card at the scale it is shown."""
    left, top, right, bottom, x, y, width, height, zoom, pixels = browser.evaluate(CANVAS)
    assert x <= left and y <= top and right <= x + width and bottom <= y + height, \
        f"{name}: card {left},{top},{right},{bottom} outside {x},{y} {width}x{height}"
    fitted = min(width, height * 487 / 513, 487)
    assert fitted - 2 / (ratio * zoom) <= right - left <= fitted, f"{name}: {right - left} wide"
    assert abs((right - left) * ratio * zoom - pixels) < 0.01, f"{name}: not sharp"
    assert_card(save_canvas(browser, f"{name}.png"), start, keys, ratio=pixels / 487)


def check_viewports(browser):
    driver = browser.driver
    with serve_site(SITE) as (_, url):
        driver.get(url)
        wait_for_card(browser)
        start = start_letter(save_canvas(browser, "viewport-start.png"))
        driver.execute_script("window.resizes = 0; onresize = () => window.resizes++")
        keys = []
        for number, ((width, height), ratio) in enumerate(
                (size, ratio) for size in VIEWPORTS for ratio in RATIOS):
            resizes = driver.execute_script("return window.resizes")
            emulate(driver, width, height, ratio)
            wait_for_drawing(driver, ratio)
            if ratio != RATIOS[0]:
                assert driver.execute_script("return window.resizes") == resizes, \
                    "the ratio came with a resize: the test proves nothing"
            key, code, virtual_key = VIEWPORT_KEYS[number % len(VIEWPORT_KEYS)]
            browser.press(key, code, virtual_key, 0)
            keys.append(virtual_key)
            wait_for_drawing(driver, ratio)
            assert_card_fits(browser, f"viewport-{width}x{height}-ratio-{ratio}", start, keys,
                             ratio)


# Text from an on-screen keyboard: as Android sends it (a key-down with key code 229, then the
# text), as text alone, and as a key that also comes as text; the key codes the card takes.
TOUCH_TEXT = [("android", "b", [66]), ("text", "7", [55]), ("text", "\u00e9", []),
              ("text", " ", []), ("key and text", "c", [67, 67]), ("text", "Q", [81])]


def type_on_screen(browser, how, text):
    driver = browser.driver
    if how == "android":
        driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
            "type": "keyDown", "key": "Unidentified", "code": "", "windowsVirtualKeyCode": 229})
    if how == "key and text":
        browser.press(text, f"Key{text.upper()}", ord(text.upper()), 0)
    driver.execute_cdp_cmd("Input.insertText", {"text": text})


def check_touch(browser):
    """A phone: a tap focuses the keyboard's field, its text gives the cards, and with the visual
    viewport made smaller (the keyboard up) the card stays whole."""
    driver = browser.driver
    ratio = 3
    with serve_site(SITE) as (_, url):
        emulate(driver, 360, 640, ratio, mobile=True)
        driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})
        driver.get(url)
        wait_for_card(browser)
        wait_for_drawing(driver, ratio)
        pixels = driver.execute_script("return document.getElementById('card').width")
        start = start_letter(save_canvas(browser, "touch-start.png"), ratio=pixels / 487)
        for kind, touches in [("touchStart", [{"x": 180, "y": 320}]), ("touchEnd", [])]:
            driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": touches})
        WebDriverWait(driver, 120).until(lambda d: d.execute_script(
            "return document.activeElement && document.activeElement.id === 'keys'"))
        keys = []
        for how, text, taken in TOUCH_TEXT:
            type_on_screen(browser, how, text)
            keys += taken
            assert driver.execute_script("return document.getElementById('keys').value") == ""
            assert_card_fits(browser, f"touch-{how}-{ord(text)}", start, keys, ratio)
        driver.execute_cdp_cmd("Emulation.setPageScaleFactor", {"pageScaleFactor": 2})
        wait_for_drawing(driver, ratio)
        assert_card_fits(browser, "touch-smaller-visual-viewport", start, keys, ratio)


def main():
    global SITE, RENDER_EXPECTED, ARTIFACTS
    engine = ENGINES[sys.argv[1]]
    SITE, RENDER_EXPECTED, ARTIFACTS = sys.argv[2:5]
    os.makedirs(ARTIFACTS, exist_ok=True)
    server, browser = open_site(engine, 1)
    try:
        assert browser.evaluate("return document.title") == "Quimo's Flurb Cards"
        wait_for_card(browser)
        browser.screenshot(os.path.join(ARTIFACTS, "page-letter-card.png"))
        start = check_steps(browser)
        check_burst(browser, start)
        check_installable_and_offline(browser, server)
        check_fault_table(browser)
        # Versions, viewports and touch are emulated through Chromium's DevTools.
        if engine.engine == "Chromium":
            check_new_version_takes_over(browser)
            check_viewports(browser)
            check_touch(browser)
    finally:
        browser.quit()

    server, browser = open_site(engine, 2)
    try:
        wait_for_card(browser)
        check_ratio_two(browser)
        check_installable_and_offline(browser, server, ratio=2)
        check_without_webassembly(browser)
    finally:
        browser.quit()
    print(f"web cards in {browser.engine} {browser.version}: all steps passed")


if __name__ == "__main__":
    main()
