"""One way to drive each browser engine the site is tested in: Chromium (selenium and DevTools),
Firefox (WebDriver BiDi, which it speaks itself) and WebKitGTK (selenium and WebKitWebDriver, on
the X server the caller provides). Each gives navigate, evaluate, press, reload, screenshot and
quit; scripts are function bodies that may return a promise, which is awaited.
"""
import base64
import itertools
import json
import os
import re
import shutil
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.remote.command import Command

SHIFT, CTRL, ALT, META = 8, 2, 1, 4  # DevTools modifier bits
WINDOW = (800, 700)
PATIENCE_SECONDS = 120
# The keys a WebDriver keyboard types by their own code point, by the physical key they are on.
SPECIAL_KEYS = {"ArrowDown": "\ue015", "F1": "\ue031", "ShiftLeft": "\ue008",
                "Numpad5": "\ue01f"}
MODIFIER_KEYS = [(SHIFT, "\ue008"), (CTRL, "\ue009"), (ALT, "\ue00a"), (META, "\ue03d")]
SYNTHETIC_KEY = """
    const [key, code, shiftKey, ctrlKey, altKey, metaKey] = arguments;
    for (const type of ["keydown", "keyup"]) {
      const modifiers = {shiftKey, ctrlKey, altKey, metaKey};
      document.body.dispatchEvent(new KeyboardEvent(type, {key, code, ...modifiers, bubbles: true,
                                                          cancelable: true}));
    }"""


def us_code(key):
    """The physical key a US keyboard types KEY with, if any."""
    if len(key) == 1 and key.isascii() and key.isalpha():
        return "Key" + key.upper()
    if len(key) == 1 and key.isdigit():
        return "Digit" + key
    return {" ": "Space", "/": "Slash"}.get(key)


def key_actions(key, code, modifiers):
    """W3C key actions for a key a US keyboard types, or None for one of another layout."""
    value = SPECIAL_KEYS.get(code) or (key if us_code(key) == code else None)
    if value is None:
        return None
    held = [point for bit, point in MODIFIER_KEYS if modifiers & bit and point != value]
    downs = [{"type": "keyDown", "value": point} for point in held + [value]]
    ups = [{"type": "keyUp", "value": point} for point in reversed(held + [value])]
    return [{"type": "key", "id": "keyboard", "actions": downs + ups}]


class Browser:
    """What every engine shares: keys of other layouts, which a WebDriver keyboard cannot type,
    reach the page as the events such a keyboard gives."""
    engine = version = ""

    def press(self, key, code, virtual_key, modifiers):
        del virtual_key  # only DevTools takes it
        actions = key_actions(key, code, modifiers)
        if actions is None:
            self.evaluate(SYNTHETIC_KEY, key, code,
                          *[bool(modifiers & bit) for bit in (SHIFT, CTRL, ALT, META)])
        else:
            self.perform(actions)

    def installability_errors(self):
        """Only Chromium judges a manifest for the test; None where the engine cannot."""
        return None


class SeleniumBrowser(Browser):
    def __init__(self, driver):
        self.driver = driver
        # A loaded machine may take longer than selenium's 30 s: only a hang reaches this.
        driver.set_script_timeout(PATIENCE_SECONDS)
        self.version = driver.capabilities.get("browserVersion", "?")

    def navigate(self, url):
        self.driver.get(url)

    def evaluate(self, script, *arguments):
        return self.driver.execute_script(script, *arguments)

    def perform(self, actions):
        self.driver.execute(Command.W3C_ACTIONS, {"actions": actions})

    def reload(self):
        self.driver.refresh()

    def screenshot(self, path):
        self.driver.save_screenshot(path)

    def quit(self):
        self.driver.quit()


class Chromium(SeleniumBrowser):
    engine = "Chromium"

    def __init__(self, ratio):
        from selenium.webdriver.chrome.service import Service
        self.profile = tempfile.mkdtemp(prefix="flurb-web-")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ["--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-background-networking", "--disable-component-update",
                     "--disable-sync", "--no-first-run", f"--window-size={WINDOW[0]},{WINDOW[1]}",
                     f"--force-device-scale-factor={ratio}",
                     f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        super().__init__(webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                          options=options))

    def quit(self):
        try:
            super().quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def press(self, key, code, virtual_key, modifiers):
        # DevTools types any key of any layout as the browser's own input.
        for kind in ("keyDown", "keyUp"):
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": key, "code": code, "windowsVirtualKeyCode": virtual_key,
                "modifiers": modifiers})

    def installability_errors(self):
        return self.driver.execute_cdp_cmd("Page.getInstallabilityErrors",
                                           {})["installabilityErrors"]


class WebKitGTK(SeleniumBrowser):
    """WebKitGTK's MiniBrowser on the X server in DISPLAY; GDK_SCALE gives its ratio."""
    engine = "WebKitGTK"

    def __init__(self, ratio):
        from selenium.webdriver.webkitgtk.options import Options
        options = Options()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        # The driver, and the browser it starts, take this process's environment.
        os.environ.update(GDK_SCALE=str(ratio), GDK_BACKEND="x11")
        super().__init__(webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                             options=options))
        self.driver.set_window_size(*WINDOW)


class Firefox(Browser):
    """Firefox over WebDriver BiDi: one browsing context, commands answered in order."""
    engine = "Firefox"

    def __init__(self, ratio):
        self.profile = tempfile.mkdtemp(prefix="flurb-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w", encoding="utf-8") as prefs:
            for name, value in [("browser.shell.checkDefaultBrowser", False),
                                ("datareporting.policy.dataSubmissionEnabled", False),
                                ("toolkit.telemetry.reportingpolicy.firstRun", False),
                                ("app.update.disabledForTesting", True),
                                ("browser.startup.homepage_override.mstone", "ignore")]:
                prefs.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--profile", self.profile,
             "--remote-debugging-port", "0", "--window-size", f"{WINDOW[0]},{WINDOW[1]}"],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            self.connect(ratio)
        except BaseException:
            self.process.kill()
            self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)
            raise

    def connect(self, ratio):
        import websocket
        address = None
        for line in self.process.stderr:
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                address = found.group(1)
                break
        assert address, "Firefox ended before it listened for WebDriver BiDi"
        # Firefox's log goes on being written; reading it keeps the pipe from filling up.
        threading.Thread(target=self.process.stderr.read, daemon=True).start()
        # With an Origin header Firefox refuses the handshake.
        self.socket = websocket.create_connection(address + "/session", suppress_origin=True,
                                                  timeout=PATIENCE_SECONDS)
        self.ids = itertools.count(1)
        session = self.command("session.new", {"capabilities": {}})
        self.version = session["capabilities"]["browserVersion"]
        self.context = self.command("browsingContext.getTree", {})["contexts"][0]["context"]
        self.command("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": WINDOW[0], "height": WINDOW[1]},
            "devicePixelRatio": ratio})

    def command(self, method, params):
        number = next(self.ids)
        self.socket.send(json.dumps({"id": number, "method": method, "params": params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("id") == number:
                break
        assert message["type"] == "success", f"{method}: {message}"
        return message["result"]

    def navigate(self, url):
        self.command("browsingContext.navigate",
                     {"context": self.context, "url": url, "wait": "complete"})

    def evaluate(self, script, *arguments):
        result = self.command("script.callFunction", {
            "functionDeclaration": f"async function() {{ {script} }}",
            "arguments": [local_value(argument) for argument in arguments],
            "target": {"context": self.context}, "awaitPromise": True})
        assert result["type"] == "success", f"the script failed: {result}"
        return python_value(result["result"])

    def perform(self, actions):
        self.command("input.performActions", {"context": self.context, "actions": actions})

    def reload(self):
        self.command("browsingContext.reload", {"context": self.context, "wait": "complete"})

    def screenshot(self, path):
        data = self.command("browsingContext.captureScreenshot", {"context": self.context})
        with open(path, "wb") as png:
            png.write(base64.b64decode(data["data"]))

    def quit(self):
        try:
            self.command("browser.close", {})
            self.process.wait(timeout=PATIENCE_SECONDS)
        finally:
            self.socket.close()
            # A Firefox that would not close must not outlive the test.
            if self.process.poll() is None:
                self.process.kill()
                self.process.wait()
            shutil.rmtree(self.profile, ignore_errors=True)


def local_value(value):
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    return {"type": "array", "value": [local_value(item) for item in value]}


def python_value(remote):
    kind, value = remote["type"], remote.get("value")
    if kind == "array":
        return [python_value(item) for item in value]
    if kind == "object":
        return {key: python_value(item) for key, item in value}
    return value if kind in ("string", "number", "boolean") else None


ENGINES = {"chromium": Chromium, "firefox": Firefox, "webkitgtk": WebKitGTK}
