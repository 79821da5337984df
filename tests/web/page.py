#!/usr/bin/python3
"""The served page in headless Chromium: held moments against the capture, a phone's 16:9 box,
the buffer following the window, a show started by a click and by a tap, its music, the screen
kept on, Escape, pages that cannot start; a quiet console. Then the one-file page's screenshots
from each engine (FOLDER/file-*/). Run by tests/web/check: page.py BASE FOLDER "SIZES" "MOMENTS"
"""
import glob
import io
import sys
import traceback
from urllib.parse import urljoin

import numpy as np
from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

BASE, OUT = sys.argv[1], sys.argv[2]
SIZES, MOMENTS = sys.argv[3].split(), [int(ms) for ms in sys.argv[4].split()]
# A phone held upright, and the 16:9 box the show draws in there (CSS pixels).
PHONE, BOX_TOP, BOX = (390, 844), 312, "390x219"
THRESHOLD = 24  # a pixel differs when a channel is off by more than this
# Share of differing pixels allowed in a frame 360 rows tall (SwiftShader and llvmpipe round
# edges differently: at most 0.28 %, the still life under the banner at 480x360), and more in
# a smaller frame, since edges are lines (0.42 % at 390x219).
TOLERANCE, TOLERANCE_ROWS = 0.004, 360
results = []


def check(ok, what):
    results.append(bool(ok))
    if not ok:
        print("FAIL:", what)


def browser():
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("headless=new", "no-sandbox", "use-angle=swiftshader", "enable-unsafe-swiftshader",
                 "disable-background-networking", "disable-component-update", "disable-sync",
                 "no-first-run", f"user-data-dir={OUT}/profile"):
        options.add_argument("--" + flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def resize(driver, width, height, ratio=1):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": False})


def open_page(driver, path, width, height, ratio=1):
    driver.get("about:blank")
    resize(driver, width, height, ratio)
    driver.get(urljoin(BASE, path))


# A wait that times out is a failed check, named by the waiting line; the later checks go on.
def until(driver, condition, seconds=60):
    try:
        WebDriverWait(driver, seconds, 0.02).until(lambda _: condition())
        return True
    except TimeoutException:
        check(False, f"waited {seconds} s in vain: {traceback.extract_stack(limit=2)[0].line}")
        return False


def page(driver, expression):
    return driver.execute_script("return " + expression)


def screenshot(driver, name=None):
    image = Image.open(io.BytesIO(driver.get_screenshot_as_png())).convert("RGB")
    if name:
        image.save(f"{OUT}/{name}.png")
    return np.asarray(image, dtype=np.int16)


def clock(ms):
    return f"{ms // 60000}:{ms // 1000 % 60:02}.{ms % 1000:03}"


# SDL's audio runs on a ScriptProcessorNode, which Chromium calls deprecated; the page says so.
def quiet_console(driver, where):
    messages = [entry["message"] for entry in driver.get_log("browser")]
    check(not [m for m in messages if "ScriptProcessorNode" not in m], f"{where}: console says {messages}")


# The capture's frame from row `top` on, and black above and below it.
def matches_capture(frame, top, name, what):
    expected = np.asarray(Image.open(f"{OUT}/frames/{name}.png").convert("RGB"), dtype=np.int16)
    box, bottom = frame[top:top + len(expected)], top + len(expected)
    share = (np.abs(box - expected).max(axis=2) > THRESHOLD).mean() if box.shape == expected.shape else 1
    tolerance, around = TOLERANCE * TOLERANCE_ROWS / len(expected), max(frame[:top].max(initial=0), frame[bottom:].max(initial=0))
    print(f"  {what:<24} {share:.5f} of {tolerance:.5f}")
    check(share <= tolerance and around == 0, f"{what}: {share:.5f} of the pixels differ, {around} the most around")


def hold(driver, ms, width, height, ratio=1):
    open_page(driver, f"/index.html#at={ms}", width, height, ratio)
    until(driver, lambda: driver.title == f"Selkavo Tornuva {clock(ms)}")


def held_moments(driver):
    print(f"share of pixels off by more than {THRESHOLD}, of the share allowed:")
    for window, top, size in [(size, 0, size) for size in SIZES] + [("390x844", BOX_TOP, BOX)]:
        width, height = map(int, window.split("x"))
        for ms in MOMENTS:
            hold(driver, ms, width, height)
            matches_capture(screenshot(driver, f"{window}-{ms}"), top, f"{size}-{ms}", f"{window} {clock(ms)}")
            quiet_console(driver, f"{window} at {ms} ms")


def buffer_follows_window(driver):
    hold(driver, 30000, *PHONE, 3)
    check(page(driver, "[canvas.width, canvas.height]") == [1170, 657], "buffer of the box at pixel ratio 3")
    matches_capture(screenshot(driver, "390x844-ratio-3"), BOX_TOP * 3, "1170x657-30000", "390x844 at ratio 3")
    resize(driver, 844, 390)
    until(driver, lambda: page(driver, "[canvas.width, canvas.height, canvas.offsetTop, canvas.offsetHeight]") == [844, 390, 0, 390], 10)
    until(driver, lambda: screenshot(driver, "844x390-30000")[:, -1].max() > 0, 10)  # the picture reaches the right edge


# Headless Chromium has no screen to turn or keep on: the page's calls are recorded instead.
RECORD_TURNS = """window.turns = [];
    ScreenOrientation.prototype.lock = kind => (turns.push('lock ' + kind), Promise.resolve());
    ScreenOrientation.prototype.unlock = () => turns.push('unlock');
    WakeLock.prototype.request = kind => (turns.push('keep ' + kind), Promise.resolve({release: () => turns.push('release')}));"""
TURNS = "document.fullscreenElement %s null && [...turns].sort().join()"
# The page hidden a moment, as when the viewer switches tabs, then shown again.
HIDE_AND_SHOW = """for (const value of ['hidden', 'visible']) Object.defineProperty(document, 'visibilityState',
    {value, configurable: true}).dispatchEvent(new Event('visibilitychange'));"""


# On a desktop a click, on a phone's touch screen a tap on the picture (where the program
# keeps the browser from turning the touch into a click).
def start_play_and_leave(driver, width, height, touch):
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})
    open_page(driver, "/index.html", width, height)
    until(driver, lambda: page(driver, "document.body.dataset.mode") == "start")
    until(driver, lambda: screenshot(driver, f"{width}x{height}-start").mean() > 30, 10)  # the start screen drawn
    check(("Tap" if touch else "Click") in page(driver, "getComputedStyle(line, '::after').content"), "start line")
    driver.execute_script(RECORD_TURNS)
    if touch:
        for kind, points in (("touchStart", [{"x": width // 2, "y": height // 2}]), ("touchEnd", [])):
            driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
    else:
        ActionChains(driver).move_to_element(driver.find_element("id", "canvas")).click().perform()
    until(driver, lambda: page(driver, "document.body.dataset.mode") == "playing", 5)
    driver.execute_script(HIDE_AND_SHOW)
    until(driver, lambda: page(driver, TURNS % "!==") == "keep screen,keep screen,lock landscape,release", 5)
    check(np.abs(screenshot(driver) - screenshot(driver)).mean() > 5, "frames advance")
    until(driver, lambda: page(driver, "Module.SDL2.audioContext.state") == "running", 10)
    ActionChains(driver).send_keys(Keys.ESCAPE).perform()
    until(driver, lambda: page(driver, "document.body.dataset.mode") == "start", 5)
    check(driver.title == "Selkavo Tornuva", "title back to the show's name")
    until(driver, lambda: page(driver, TURNS % "===") == "keep screen,keep screen,lock landscape,release,release,unlock", 5)
    quiet_console(driver, f"start at {width}x{height}, play and Escape")


# A page that cannot start says why in one sentence: one without its WebAssembly, one opened
# from disk that cannot load its files, one in a browser without WebGL 2 (the program's own).
def failed_starts(driver):
    for path, missing, before in (("/unfinished/index.html", "tornuva.wasm", ""), (f"file://{OUT}/site/index.html", "tornuva.html", ""),
                                  ("/index.html", "WebGL 2", "HTMLCanvasElement.prototype.getContext = () => null")):
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": before})
        open_page(driver, path, 640, 360)
        until(driver, lambda: page(driver, "document.body.dataset.mode") == "failed")
        message = driver.find_element("id", "message")
        check(missing in message.text and message.text.endswith(".") and "[object" not in message.text
              and message.is_displayed(), f"message without {missing}: {message.text!r}")


def single_page():
    for shot in sorted(glob.glob(f"{OUT}/file-*/640x360-*.png")):
        engine, name = shot.split("/")[-2:]
        matches_capture(np.asarray(Image.open(shot).convert("RGB"), dtype=np.int16), 0, name[:-4], f"{engine} {name[8:-4]}")


driver = browser()
try:
    held_moments(driver)
    buffer_follows_window(driver)
    hold(driver, 60000, 1280, 720)
    print(f"served page's load to first frame: {page(driver, 'performance.now()'):.0f} ms (title set one frame later)")
    start_play_and_leave(driver, 1280, 720, touch=False)
    start_play_and_leave(driver, *PHONE, touch=True)
    failed_starts(driver)
finally:
    driver.quit()
single_page()
print(f"web: {results.count(True)} passed, {results.count(False)} failed")
sys.exit(0 if all(results) else 1)
