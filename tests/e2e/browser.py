#!/usr/bin/python3
"""The page in headless Chromium: browser.py SITE WORKDIR serves SITE on a free port of
127.0.0.1 and takes the shared actions twice: with the mouse and keys, then on a phone by touch
and the page's buttons. Each checked frame, read from the canvas, is held against
frames/NAME.png: colours are exact, and every drawn pixel of either lies within 1 px of its
colour in the other, or there under a later layer (outline, hull, points). That allows the 1-px
lines and the points 1 px off, which can cover a line's pixel the desktop leaves bare."""
import atexit, base64, functools, http.server, io, os, sys, threading, time
from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

site, work = sys.argv[1:3]
HERE = os.path.dirname(os.path.realpath(__file__))
LAYER = {(0, 0, 0): 0, (0, 0, 255): 1, (255, 255, 0): 2}  # background, outline, hull; points 3
PHONE = {"deviceMetrics": {"width": 390, "height": 844, "pixelRatio": 3, "touch": True}}
ENDED = "polyhull ended with status 0. Reload the page to start it again."


def fail(message):
    sys.exit(f"browser: {message}")


def near(got, want):  # the rule above; only the pixels where the two differ need a look around
    g, w = got.load(), want.load()

    def seen(image, x, y, colour):  # near (x, y) in image, or hidden there under a later layer
        return LAYER.get(image[x, y], 3) > LAYER.get(colour, 3) or any(
            image[i, j] == colour for i in range(max(x - 1, 0), min(x + 2, got.width))
            for j in range(max(y - 1, 0), min(y + 2, got.height)))

    box = ImageChops.difference(got, want).getbbox() or (0, 0, 0, 0)
    return all(g[x, y] == w[x, y] or (seen(w, x, y, g[x, y]) and seen(g, x, y, w[x, y]))
               for x in range(box[0], box[2]) for y in range(box[1], box[3]))


def png(data):
    return Image.open(io.BytesIO(data)).convert("RGB")


def check(name):  # within ten seconds or so the canvas shows frames/NAME.png
    want = png(open(f"{HERE}/frames/{name}.png", "rb").read())
    for _ in range(50):  # the canvas's pixels, read right after the program drew them
        got = png(base64.b64decode(driver.execute_async_script(
            "requestAnimationFrame(() => arguments[0](canvas.toDataURL().split(',')[1]))")))
        if got.size == want.size and near(got, want):
            return
        time.sleep(0.2)
    got.save(f"{work}/{name}.png")
    fail(f"the canvas is not frames/{name}.png: see {work}/{name}.png")


def quit(key):  # the page says that the program ended, and input changes nothing on screen
    last = png(canvas.screenshot_as_png)
    verbs["key"](key)
    time.sleep(0.5)
    if driver.find_element("id", "ended").text != ENDED:
        fail(f"after {key} the page does not say: {ENDED}")
    verbs["click"](300, 300)
    verbs["keys"]("pa")
    time.sleep(0.5)
    if ImageChops.difference(png(canvas.screenshot_as_png), last).getbbox():
        fail(f"the canvas changed after {key} had ended the program")


def at(x, y):  # WebDriver's offsets count from the element's centre
    return ActionChains(driver).move_to_element_with_offset(canvas, int(x) - 400, int(y) - 300)


def finger(kind, x=0, y=0):  # a touch starts, moves or ends at (x, y) on the page, in CSS px
    points = [] if kind == "End" else [{"x": x, "y": y}]
    driver.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touch" + kind, "touchPoints": points})


def on_canvas(kind, x, y):  # at the middle of the canvas's pixel (x, y)
    r = driver.execute_script("return canvas.getBoundingClientRect()")  # .rect would round it
    finger(kind, r["x"] + (int(x) + .5) * r["width"] / 800, r["y"] + (int(y) + .5) * r["height"] / 600)


def tap_button(selector):
    r = driver.find_element("css selector", "#keys " + selector).rect
    finger("Start", r["x"] + r["width"] / 2, r["y"] + r["height"] / 2)
    finger("End")


def tap(x, y, shift=None):  # Shift is the snap toggle, on for this one tap
    if shift:
        tap_button("#snap")
    on_canvas("Start", x, y)
    finger("End")
    if shift:
        tap_button("#snap")


MOUSE = {  # the verbs of the shared actions (see actions) with the mouse and the keys
    "check": check,
    "click": lambda x, y, shift=None: (at(x, y).key_down(Keys.SHIFT).click().key_up(Keys.SHIFT)
                                       if shift else at(x, y).click()).perform(),
    "rightclick": lambda x, y: at(x, y).context_click().perform(),
    "press": lambda x, y: at(x, y).click_and_hold().perform(),
    "move": lambda x, y: at(x, y).perform(),
    "release": lambda: ActionChains(driver).release().perform(),
    "key": lambda key: ActionChains(driver).send_keys(getattr(Keys, key.upper(), key)).perform(),
    "keys": lambda text: ActionChains(driver).send_keys(text).perform()}
TOUCH = {  # and by touch: no right button and nothing to type, but the page's buttons
    "check": check,
    "click": tap,
    "rightclick": lambda x, y: tap_button("[data-key=r]"),
    "press": lambda x, y: on_canvas("Start", x, y),
    "move": lambda x, y: on_canvas("Move", x, y),
    "release": lambda: finger("End"),
    "key": lambda key: tap_button(f"[data-key={key}]"),
    "keys": lambda text: None}


def start(mode, **emulation):  # a fresh browser on the page, and the actions' verbs for it
    global driver, verbs
    options = webdriver.ChromeOptions()
    for flag in ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
                 "--disable-background-networking --disable-component-update --disable-sync "
                 "--no-first-run --window-size=1000,1000").split():
        options.add_argument(flag)
    if emulation:
        options.add_experimental_option("mobileEmulation", emulation)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver, verbs = webdriver.Chrome(options=options), mode
    open_page()


def open_page():
    global canvas
    driver.get(url)
    WebDriverWait(driver, 30).until(lambda _: driver.execute_script("return Module.calledRun"))
    canvas = driver.find_element("id", "canvas")


def run_actions():
    with open(f"{HERE}/actions") as actions:
        for step in (step.split() for line in actions for step in line.split("#")[0].split(";")):
            if step:
                verbs[step[0]](*step[1:])


def finish():  # the console showed no error
    global driver
    errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    driver = driver.quit()
    if errors:
        fail("the console shows errors:\n" + "\n".join(errors))


if not os.path.exists(f"{site}/index.html"):
    fail(f"no page in {site}: ./scripts/web.sh --build makes it")
os.makedirs(work, exist_ok=True)
server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(http.server.SimpleHTTPRequestHandler, directory=site))
threading.Thread(target=server.serve_forever, daemon=True).start()
url = f"http://127.0.0.1:{server.server_port}/"
driver = None
atexit.register(lambda: driver and driver.quit())  # also when a check fails

start(MOUSE)
if driver.title != "Quorvan: Homework 1 Programming Assignment":
    fail(f"the page's title is {driver.title!r}")
run_actions()
quit("q")
open_page()  # a fresh page, and Esc before anything else
quit("Escape")
finish()

start(TOUCH, **PHONE)
if driver.execute_script("return document.documentElement.scrollWidth > screen.width"):
    fail("the page is wider than the phone's screen")
run_actions()
if driver.execute_script("return scrollY"):
    fail("the page scrolled while the canvas was touched")
quit("q")
finish()
