"""The browser version's figures in headless Chromium, after `cmake --build --preset web`: the
cold first card beside a floor page's, bytes, key to drawn canvas, and the page's memory over
2,000 keys.

    /usr/bin/python3 bench/web_benchmark.py [SITE_DIR] [DEVICE_PIXEL_RATIO] [VISITS]

The floor is a static page of a few lines of JavaScript that draws the same first card on one
canvas: the letter pair in the site's own letter face, the digit face loaded beside it, and the
letter's picture as PNG (its rendering at the ratio's scale). Site and floor take turns, each
visit in a fresh profile, served from 127.0.0.1. Targets, to read the figures against: the cold
first card within 1.3x the floor's; at ratio 1 at most 300 KiB before it and 2.5 MB for the whole
site; at ratio 2 at most 700 KiB; a key at most 2 ms to a drawn canvas (median).
"""
import glob
import os
import shutil
import statistics
import struct
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "app", "web"))
import browsers  # noqa: E402  the tests' driver layer
import pack_picture  # noqa: E402  the site's reading of a stored picture
import site_test  # noqa: E402  the tests' server and waits

FIRST_CARD = "return performance.getEntriesByName('first-card')[0].startTime"
# What came over the network before the first card: the page and every file finished by then.
BYTES_BEFORE_CARD = """
    const card = performance.getEntriesByName('first-card')[0].startTime;
    return performance.getEntriesByType('navigation').concat(
        performance.getEntriesByType('resource').filter(r => r.responseEnd <= card))
        .reduce((sum, entry) => sum + entry.transferSize, 0);"""
# 100 keys, one a frame: the time from the keydown to the canvas drawn, and to the start of the
# frame that paints it.
KEY_TIMES = """
    return new Promise(done => {
      const drawn = [], painted = [];
      const letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
      function next(i) {
        if (i === 100) { done([drawn, painted]); return; }
        const c = letters[i % letters.length];
        const start = performance.now();
        window.dispatchEvent(new KeyboardEvent("keydown",
            {key: c.toLowerCase(), code: /[0-9]/.test(c) ? "Digit" + c : "Key" + c}));
        drawn.push(performance.now() - start);
        requestAnimationFrame(frame => { painted.push(frame - start); next(i + 1); });
      }
      requestAnimationFrame(() => next(0));
    });"""
MASH = """
    for (let i = 0; i < arguments[0]; i++) {
      const c = "QWERTYUIOPASDFGHJKLZXCVBNM1234567890"[i % 36];
      window.dispatchEvent(new KeyboardEvent("keydown",
          {key: c.toLowerCase(), code: /[0-9]/.test(c) ? "Digit" + c : "Key" + c}));
    }"""
FLOOR_PAGE = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>floor</title></head>
<body style="margin: 0"><canvas id="card" style="width: 487px; height: 513px"></canvas>
<p id="message" hidden></p><script>
(async function () {
  const picture = new Image();
  picture.src = "picture.png";
  const faces = [new FontFace("Letters", "url(fonts/LETTERS)"),
                 new FontFace("Digits", "url(fonts/DIGITS)")];
  await Promise.all([picture.decode()].concat(
      faces.map(face => face.load().then(loaded => document.fonts.add(loaded)))));
  const ratio = devicePixelRatio, canvas = document.getElementById("card");
  canvas.width = 487 * ratio;
  canvas.height = 513 * ratio;
  const context = canvas.getContext("2d", {alpha: false});
  context.fillStyle = "#ffffff";
  context.fillRect(0, 0, canvas.width, canvas.height);
  context.fillStyle = "#000000";
  context.font = 96 * ratio + "px Letters";
  context.fillText("Aa", 160 * ratio, 120 * ratio);
  context.drawImage(picture, 18 * ratio, 200 * ratio);
  performance.mark("first-card");
  document.body.dataset.card = "shown";
})();
</script></body></html>
"""


class CountingHandler(site_test.QuietHandler):
    sent = 0

    def copyfile(self, source, outputfile):
        start = source.tell()
        super().copyfile(source, outputfile)
        CountingHandler.sent += source.tell() - start


def png(dib):
    """A stored 24-bit picture as PNG, the format a page would draw it from."""
    header, pixels = pack_picture.pixmap(dib).split(b"\n255\n", 1)
    width, height = map(int, header.split()[1:])
    rows = b"".join(b"\0" + pixels[row * width * 3:(row + 1) * width * 3] for row in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def floor_site(site, ratio):
    """The floor page beside copies of the site's fonts and the letter A's picture as PNG."""
    folder = tempfile.mkdtemp(prefix="flurb-floor-")
    shutil.copytree(os.path.join(site, "fonts"), os.path.join(folder, "fonts"))
    letters, digits = sorted(os.listdir(os.path.join(folder, "fonts")),
                             key=lambda name: not name.lower().startswith(("letters", "p052")))
    renderings = os.path.join(site, "..", "app", "web", "renderings")
    percents = sorted(int(name) for name in os.listdir(renderings)) if ratio > 1 else []
    percent = next((p for p in percents if p / 100 >= ratio), percents[-1] if percents else None)
    source = (os.path.join(renderings, str(percent), "A.dib") if percent else
              os.path.join(os.path.dirname(__file__), "..", "resources", "pictures", "A.dib"))
    with open(source, "rb") as dib, open(os.path.join(folder, "picture.png"), "wb") as out:
        out.write(png(dib.read()))
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as page:
        page.write(FLOOR_PAGE.replace("LETTERS", letters).replace("DIGITS", digits))
    return folder


def cold_visit(folder, ratio):
    """One visit in a fresh profile: the first card's time and the bytes before it."""
    server = site_test.serve(folder, handler_class=CountingHandler)
    browser = browsers.Chromium(ratio)
    try:
        browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
        site_test.wait_for_card(browser)
        return browser.evaluate(FIRST_CARD), browser.evaluate(BYTES_BEFORE_CARD)
    finally:
        browser.quit()
        server.shutdown()
        server.server_close()


def compare_with_floor(site, ratio, visits):
    floor = floor_site(site, ratio)
    times = {"site": [], "floor": []}
    sent = {}
    try:
        for _ in range(visits):
            for name, folder in (("site", site), ("floor", floor)):
                first_card, sent[name] = cold_visit(folder, ratio)
                times[name].append(first_card)
    finally:
        shutil.rmtree(floor)
    site_ms, floor_ms = (statistics.median(times[name]) for name in ("site", "floor"))
    print(f"cold first card, median of {visits} visits each: site {site_ms:.0f} ms, floor "
          f"{floor_ms:.0f} ms, ratio {site_ms / floor_ms:.2f} (target 1.3)")
    print(f"  site visits {' '.join(f'{t:.0f}' for t in times['site'])} ms; floor visits "
          f"{' '.join(f'{t:.0f}' for t in times['floor'])} ms")
    print(f"bytes before the first card: site {sent['site'] / 1024:.0f} KiB, floor "
          f"{sent['floor'] / 1024:.0f} KiB (target {300 if ratio == 1 else 700} KiB)")


def memory(browser):
    browser.driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
    metrics = browser.driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    heap = next(m["value"] for m in metrics if m["name"] == "JSHeapUsedSize")
    return heap / 1024, browser.evaluate("return Module.HEAPU8.length") / 1024


def warm_figures(site, ratio):
    """One visit that stays: the whole first visit's bytes, the card from the worker, keys."""
    CountingHandler.sent = 0
    server = site_test.serve(site, handler_class=CountingHandler)
    browser = browsers.Chromium(ratio)
    try:
        browser.navigate(f"http://127.0.0.1:{server.server_address[1]}/")
        site_test.wait_for_card(browser)
        browser.evaluate("return navigator.serviceWorker.ready.then(() => true)")
        if ratio > 1:
            site_test.wait_until(browser, "return document.body.dataset.kept")
        whole = sum(os.path.getsize(path) for path in
                    glob.glob(os.path.join(site, "**"), recursive=True) if os.path.isfile(path))
        print(f"first visit, with what the worker keeps: {CountingHandler.sent / 1024:.0f} KiB; "
              f"whole site, every scale: {whole / 1e6:.2f} MB (target 2.5 MB)")
        browser.reload()
        site_test.wait_for_card(browser)
        print(f"first card from the worker: {browser.evaluate(FIRST_CARD):.0f} ms")
        drawn, painted = browser.evaluate(KEY_TIMES)
        print(f"key to canvas drawn: median {statistics.median(drawn):.2f} ms, "
              f"max {max(drawn):.2f} ms; to the frame that paints it: median "
              f"{statistics.median(painted):.2f} ms (100 keys; target 2 ms drawn)")
        browser.driver.execute_cdp_cmd("Performance.enable", {})
        before = memory(browser)
        for keys in (2000, 2000):
            browser.evaluate(MASH, keys)
            after = memory(browser)
            print(f"memory, JS heap and wasm: {before[0]:.0f} + {before[1]:.0f} KiB before, "
                  f"{after[0]:.0f} + {after[1]:.0f} KiB after {keys} more keys")
            before = after
    finally:
        browser.quit()
        server.shutdown()
        server.server_close()


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build/web/site"
    ratio = float(sys.argv[2]) if len(sys.argv) > 2 else 1
    visits = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    print(f"Chromium, ratio {ratio:g}, {site}")
    compare_with_floor(site, ratio, visits)
    warm_figures(site, ratio)


if __name__ == "__main__":
    main()
