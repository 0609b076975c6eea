"""The browser program in a real browser engine (chromium, firefox or webkitgtk): the site
served from 127.0.0.1, its cards compared with the native expected-card tool, then offline and,
where the engine can judge it, installable.

    site_test.py ENGINE SITE_DIR RENDER_EXPECTED ARTIFACTS_DIR
"""
import base64
import functools
import http.server
import io
import os
import random
import subprocess
import sys
import threading
import time

from browsers import ALT, CTRL, ENGINES, META, PATIENCE_SECONDS, SHIFT

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


def serve(directory, missing=(), handler_class=None, before_page=""):
    handler = functools.partial(handler_class or QuietHandler, directory=directory,
                                missing=missing, before_page=before_page)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """The site's files, less the MISSING ones; BEFORE_PAGE runs in the page before its own
    scripts, the same way in every engine."""
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
                      ".js": "text/javascript", ".woff2": "font/woff2"}

    def __init__(self, *args, missing=(), before_page="", **kwargs):
        self.missing = missing
        self.before_page = before_page
        super().__init__(*args, **kwargs)

    def send_head(self):
        if self.path.lstrip("/") in self.missing:
            self.send_error(404)
            return None
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


def check_failures(browser):
    """Without WebAssembly, or with a file that does not load, the page says so in a sentence."""
    cases = [([], "delete window.WebAssembly;", "needs a newer browser, one that runs WebAssembly"),
             (["flurb-cards.wasm"], "", "could not load all of its files"),
             (["fonts/letters.woff2"], "", "could not load all of its files"),
             (["pictures/q.webp"], "", "could not load all of its files")]
    for missing, before_page, sentence in cases:
        server = serve(SITE, missing, before_page=before_page)
        try:
            browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
            state = page_state(browser)
            assert sentence in state, f"without {missing or 'WebAssembly'}: {state}"
        finally:
            server.shutdown()
            server.server_close()


def save_canvas(browser, name):
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


def check_steps(browser):
    start = start_letter(save_canvas(browser, "start.png"))
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
    finally:
        browser.quit()

    server, browser = open_site(engine, 2)
    try:
        wait_for_card(browser)
        check_ratio_two(browser)
        check_installable_and_offline(browser, server, ratio=2)
        check_failures(browser)
    finally:
        browser.quit()
    print(f"web cards in {browser.engine} {browser.version}: all steps passed")


if __name__ == "__main__":
    main()
