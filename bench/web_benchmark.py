"""The browser version's figures in headless Chromium, after `cmake --build --preset web`:
bytes of the first visit, navigation to first card (cold and from the service worker), key to
painted canvas, and the page's memory over 2,000 keys.

    /usr/bin/python3 bench/web_benchmark.py [SITE_DIR] [DEVICE_PIXEL_RATIO]
"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "web"))
import site_test  # noqa: E402  the test's server and browser

FIRST_CARD = "return performance.getEntriesByName('first-card')[0].startTime"
# 100 keys, one a frame: the time from the keydown to the canvas drawn, and to the start of the
# frame that paints it.
KEY_TIMES = """
    const done = arguments[0];
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
    requestAnimationFrame(() => next(0));"""
MASH = """
    for (let i = 0; i < arguments[0]; i++) {
      const c = "QWERTYUIOPASDFGHJKLZXCVBNM1234567890"[i % 36];
      window.dispatchEvent(new KeyboardEvent("keydown",
          {key: c.toLowerCase(), code: /[0-9]/.test(c) ? "Digit" + c : "Key" + c}));
    }"""


class CountingHandler(site_test.QuietHandler):
    sent = 0

    def copyfile(self, source, outputfile):
        start = source.tell()
        super().copyfile(source, outputfile)
        CountingHandler.sent += source.tell() - start


def memory(driver):
    driver.execute_cdp_cmd("HeapProfiler.collectGarbage", {})
    metrics = driver.execute_cdp_cmd("Performance.getMetrics", {})["metrics"]
    heap = next(m["value"] for m in metrics if m["name"] == "JSHeapUsedSize")
    wasm = driver.execute_script("return Module.HEAPU8.length")
    return heap / 1024, wasm / 1024


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build/web/site"
    ratio = float(sys.argv[2]) if len(sys.argv) > 2 else 1
    server = site_test.serve(site, handler_class=CountingHandler)
    url = f"http://127.0.0.1:{server.server_address[1]}/"
    driver = site_test.browser(ratio)
    try:
        driver.get(url)
        site_test.wait_for_card(driver)
        cold = driver.execute_script(FIRST_CARD)
        driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        if ratio > 1:
            site_test.WebDriverWait(driver, 120).until(
                lambda d: d.execute_script("return document.body.dataset.kept"))
        print(f"ratio {ratio:g}; first visit: {CountingHandler.sent / 1024:.0f} KiB served (page and worker)")
        print(f"navigation to first card, cold: {cold:.0f} ms")
        driver.refresh()
        site_test.wait_for_card(driver)
        print(f"navigation to first card, from the worker: {driver.execute_script(FIRST_CARD):.0f} ms")

        drawn, painted = driver.execute_async_script(KEY_TIMES)
        print(f"key to canvas drawn: median {statistics.median(drawn):.2f} ms, "
              f"max {max(drawn):.2f} ms; to the frame that paints it: median "
              f"{statistics.median(painted):.2f} ms (100 keys)")
        driver.execute_cdp_cmd("Performance.enable", {})
        before = memory(driver)
        for keys in (2000, 2000):
            driver.execute_script(MASH, keys)
            after = memory(driver)
            print(f"memory, JS heap and wasm: {before[0]:.0f} + {before[1]:.0f} KiB before, "
                  f"{after[0]:.0f} + {after[1]:.0f} KiB after {keys} more keys")
            before = after
    finally:
        driver.quit()
        server.shutdown()


if __name__ == "__main__":
    main()
