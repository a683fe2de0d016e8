#!/usr/bin/python3
"""The page in a browser: browser.py PAGE WORKDIR ENGINE opens the one file PAGE from the disk,
as a person who was handed it would, in headless Chromium or in WebKit (its MiniBrowser, in an
X server), and takes the shared actions with the mouse and keys. Chromium then takes them again
by touch and the page's buttons on an emulated phone, lays the page out at screens of eight
sizes, and opens it without WebGL, where the page must say why it cannot run.

Each checked frame, read from the canvas, is held against frames/NAME.png: colours are exact,
and every drawn pixel of either lies within 1 px of its colour in the other, or there under a
later layer (outline, hull, points). That allows the 1-px lines and the points 1 px off, which
can cover a line's pixel that the desktop leaves bare; a missing, misplaced or miscoloured point
or line fails. Before each drag, a press beside the vertex must pick nothing: by mouse 5 canvas
pixels off on both axes (outside the program's pick square), by touch 20 CSS pixels off (outside
the finger's target); the drag itself starts on the vertex by mouse and 10 CSS pixels off it by
touch. Errors are read from the page's own listeners (and in Chromium from its console)."""
import atexit, base64, gzip, io, os, sys, time
from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver import ActionChains, Keys
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.support.ui import WebDriverWait

page, work, engine = sys.argv[1:4]
HERE = os.path.dirname(os.path.realpath(__file__))
LAYER = {(0, 0, 0): 0, (0, 0, 255): 1, (255, 255, 0): 2}  # background, outline, hull; points 3
FLAGS = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --window-size=1000,1000").split()  # the canvas at its full size
SCREENS = [(360, 640), (390, 844), (640, 360), (844, 390), (768, 1024), (1024, 768), (1280, 800),
           (1920, 1080)]  # CSS pixels, phones and tablets held either way, desktops


def near(got, want):  # the rule above; only the pixels where the two differ need a look around
    g, w = got.load(), want.load()

    def seen(image, x, y, colour):  # near (x, y) in image, or hidden there under a later layer
        return LAYER.get(image[x, y], 3) > LAYER.get(colour, 3) or any(
            image[i, j] == colour for i in range(max(x - 1, 0), min(x + 2, got.width))
            for j in range(max(y - 1, 0), min(y + 2, got.height)))

    box = ImageChops.difference(got, want).getbbox() or (0, 0, 0, 0)
    return all(g[x, y] == w[x, y] or (seen(w, x, y, g[x, y]) and seen(g, x, y, w[x, y]))
               for x in range(box[0], box[2]) for y in range(box[1], box[3]))


def check(name):  # within ten seconds or so the canvas's own pixels show frames/NAME.png
    global shown
    want = Image.open(f"{HERE}/frames/{name}.png").convert("RGB")
    for _ in range(50):
        got = Image.open(io.BytesIO(base64.b64decode(driver.execute_async_script(
            "requestAnimationFrame(() => arguments[0](canvas.toDataURL().slice(22)))")))).convert("RGB")
        if near(got, want):
            shown = name
            return
        time.sleep(0.2)
    got.save(f"{work}/{name}.png")
    sys.exit(f"browser ({engine}): the canvas is not frames/{name}.png: see {work}/{name}.png")


def quit(verbs, key):  # the page says that the program ended, and input changes nothing on screen
    last = canvas.screenshot_as_png
    verbs["key"](key)
    time.sleep(0.5)
    ended = driver.find_element("id", "ended").text
    assert ended == "polyhull ended with status 0. Reload the page to start it again.", ended
    verbs["click"](300, 300)
    MOUSE["keys"]("pa")
    time.sleep(0.5)
    assert canvas.screenshot_as_png == last, "the canvas changed after the program had ended"


def run(verbs):
    for line in open(f"{HERE}/actions"):
        for step in (step.split() for step in line.split("#")[0].split(";") if step.strip()):
            verbs[step[0]](*step[1:])


def at(x, y):  # WebDriver's offsets count from the element's centre
    return ActionChains(driver).move_to_element_with_offset(canvas, int(x) - 400, int(y) - 300)


def mouse_press(x, y):  # 5 pixels off on both axes picks nothing; on the vertex, it
    at(int(x) + 5, int(y) + 5).click_and_hold().perform()
    at(int(x) + 60, int(y) + 60).release().perform()
    check(shown)
    at(x, y).click_and_hold().perform()


def touch(kind, x=0, y=0):  # one finger at (x, y) on the page, in CSS pixels
    points = [] if kind in ("touchEnd", "touchCancel") else [{"x": x, "y": y}]
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})


def touch_canvas(kind, x, y, off=0):  # at the middle of the canvas's pixel (x, y), off CSS px right
    r = driver.execute_script("return canvas.getBoundingClientRect()")  # not rounded, as .rect
    touch(kind, r["x"] + (int(x) + .5) * r["width"] / 800 + off,
          r["y"] + (int(y) + .5) * r["height"] / 600)


def touch_press(x, y):  # 20 CSS pixels off picks nothing; 10 off picks the vertex
    touch_canvas("touchStart", x, y, 20)
    touch_canvas("touchMove", int(x) + 60, int(y) + 60, 20)
    touch("touchEnd")
    check(shown)
    touch_canvas("touchStart", x, y, 10)


def tap_button(key):
    r = driver.find_element("css selector", f"#keys [data-key={key}]").rect
    touch("touchStart", r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)
    touch("touchEnd")


def tap(x, y, shift=None):  # Shift is the Level/plumb toggle, on for this one tap
    if shift:
        tap_button("Shift")
    touch_canvas("touchStart", x, y)
    touch("touchEnd")
    if shift:
        tap_button("Shift")


MOUSE = {  # the verbs of the shared actions (see actions)
    "check": check,
    "click": lambda x, y, shift=None: (at(x, y).key_down(Keys.SHIFT).click().key_up(Keys.SHIFT)
                                       if shift else at(x, y).click()).perform(),
    "rightclick": lambda x, y: at(x, y).context_click().perform(),
    "press": mouse_press,
    "move": lambda x, y: at(x, y).perform(),
    "release": lambda: ActionChains(driver).release().perform(),
    "cancel": lambda: ActionChains(driver).release().perform(),
    "key": lambda key: ActionChains(driver).send_keys(getattr(Keys, key.upper(), key)).perform(),
    "keys": lambda text: ActionChains(driver).send_keys(text).perform()}
TOUCH = dict(MOUSE, **{  # by touch: no right button and no typing, but the page's buttons
    "click": tap,
    "rightclick": lambda x, y: tap_button("r"),
    "press": touch_press,
    "move": lambda x, y: touch_canvas("touchMove", x, y, 10),
    "release": lambda: touch("touchEnd"),
    "cancel": lambda: touch("touchCancel"),
    "key": tap_button,
    "keys": lambda text: None})


def open_page():
    global canvas
    driver.get(url)
    WebDriverWait(driver, 30).until(lambda _: driver.execute_script(
        "return Module.calledRun || !document.getElementById('cannot').hidden"))
    canvas = driver.find_element("id", "canvas")
    assert canvas.is_displayed(), driver.find_element("id", "cannot").text


def start(*flags):
    global driver
    if engine == "webkit":
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(options=options)
        return
    options = webdriver.ChromeOptions()
    for flag in FLAGS + list(flags):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(options=options)


def screen(width, height):  # a touch screen of that many CSS pixels, at 3 device pixels each
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": width, "height": height, "deviceScaleFactor": 3, "mobile": True})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True})


def errors():  # what the page's listeners caught, and in Chromium what its console shows
    caught = driver.execute_script("return errors")
    console = driver.get_log("browser") if engine == "chromium" else []
    return caught + [e["message"] for e in console if e["level"] == "SEVERE"]


def finish():
    found = errors()  # read once: reading Chromium's console empties it
    assert not found, "the page shows errors:\n" + "\n".join(found)
    driver.quit()


assert os.path.exists(page), f"no page {page}: scripts/web.sh builds it"
size, packed = os.path.getsize(page), len(gzip.compress(open(page, "rb").read(), 9))
assert size <= 200_000 and packed <= 50_000, f"the page is {size} bytes, {packed} gzipped"
os.makedirs(work, exist_ok=True)
url = "file://" + os.path.realpath(page)
atexit.register(lambda: driver.quit())  # also when a check fails

start()
open_page()
assert driver.title == "Quorvan: Homework 1 Programming Assignment", driver.title
run(MOUSE)
ActionChains(driver).scroll_from_origin(ScrollOrigin.from_element(canvas), 0, 120).perform()
check("empty")  # a wheel turn changes nothing, and in Chromium scrolls the page as any page
scrolled = driver.execute_script("const y = scrollY; scrollTo(0, 0); return y")
assert scrolled > 0 or engine == "webkit", "the wheel did not scroll the page"
quit(MOUSE, "q")
open_page()  # a fresh page, and Esc before anything else
quit(MOUSE, "Escape")
finish()
if engine != "chromium":
    sys.exit()

start()  # a phone held upright, and a page before this one to go back to
screen(390, 844)
driver.get("data:text/html,<title>before</title>")
open_page()
assert driver.execute_script("return document.documentElement.scrollWidth <= innerWidth"), "wider than the phone"
driver.execute_script("window.stays = true")
touch("touchStart", 2, 300)  # a swipe right from the edge, where the browser would go back
for x in range(40, 401, 40):
    touch("touchMove", x, 300)
touch("touchEnd")
time.sleep(1)
assert driver.execute_script("return window.stays"), "a swipe went back to the page before"
run(TOUCH)
assert driver.execute_script("return scrollY") == 0, "the page scrolled while it was touched"
quit(TOUCH, "q")
finish()

start()  # the canvas and every button in view on every screen, the canvas in its 4:3
for width, height in SCREENS:
    screen(width, height)
    open_page()
    boxes = driver.execute_script("return [...document.querySelectorAll('#canvas, #keys button')]"
                                  ".map(e => e.getBoundingClientRect())")
    assert all(b["left"] >= 0 and b["top"] >= 0 and b["right"] <= width and b["bottom"] <= height
               for b in boxes), f"not all in view at {width} by {height}"
    assert abs(boxes[0]["width"] * 3 - boxes[0]["height"] * 4) < 4, f"not 4:3 at {width}"
    assert boxes[0]["width"] > 799 or max(b["right"] for b in boxes) > width - 10 or max(
        b["bottom"] for b in boxes) > height - 10, f"the canvas could be larger at {width}"
finish()

start("--disable-3d-apis")  # without WebGL: the reason in place of the canvas, and no buttons
driver.get(url)
message = driver.find_element("id", "cannot")
assert message.is_displayed() and "needs WebGL" in message.text, message.text
assert not driver.find_element("id", "canvas").is_displayed(), "a canvas without WebGL"
assert all(not b.is_enabled() for b in driver.find_elements("css selector", "#keys button"))
finish()
