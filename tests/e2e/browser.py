#!/usr/bin/python3
"""The page in headless Chromium: browser.py SITE WORKDIR serves SITE on a free port of
127.0.0.1 and takes the shared actions through WebDriver. Each checked canvas frame is held
against frames/NAME.png by this rule: colours are exact, and every drawn pixel of either frame
lies within 1 px of a pixel of its colour in the other, or there lies under a later layer (the
outline, then the hull, then the points). That allows the browser's 1-px lines and its points
1 px off the desktop's, which can cover a line's pixel the desktop's leave bare; a missing,
misplaced or miscoloured point or line fails."""
import functools, http.server, io, os, sys, threading, time
from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

site, work = sys.argv[1:3]
HERE = os.path.dirname(os.path.realpath(__file__))
LAYER = {(0, 0, 0): 0, (0, 0, 255): 1, (255, 255, 0): 2}  # background, outline, hull; points 3
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


def open_page():
    global canvas
    driver.get(url)
    WebDriverWait(driver, 30).until(lambda _: driver.execute_script("return Module.calledRun"))
    canvas = driver.find_element("id", "canvas")


def frame():
    return Image.open(io.BytesIO(canvas.screenshot_as_png)).convert("RGB")


def check(name):  # within ten seconds or so the canvas shows frames/NAME.png
    want = Image.open(f"{HERE}/frames/{name}.png").convert("RGB")
    for _ in range(50):
        got = frame()
        if got.size == want.size and near(got, want):
            return
        time.sleep(0.2)
    got.save(f"{work}/{name}.png")
    fail(f"the canvas is not frames/{name}.png: see {work}/{name}.png")


def quit(key):  # the page says that the program ended, and input draws nothing more
    last = frame()
    VERBS["key"](key)
    time.sleep(0.5)
    if driver.find_element("id", "ended").text != ENDED:
        fail(f"after {key} the page does not say: {ENDED}")
    VERBS["click"](300, 300)
    VERBS["keys"]("pa")
    time.sleep(0.5)
    if ImageChops.difference(frame(), last).getbbox():
        fail(f"the canvas changed after {key} had ended the program")


def at(x, y):  # WebDriver's offsets count from the element's centre
    return ActionChains(driver).move_to_element_with_offset(canvas, int(x) - 400, int(y) - 300)


VERBS = {  # the shared actions' verbs (see actions)
    "check": check,
    "click": lambda x, y, shift=None: (at(x, y).key_down(Keys.SHIFT).click().key_up(Keys.SHIFT)
                                       if shift else at(x, y).click()).perform(),
    "clicks": lambda *points: [VERBS["click"](*point.split(",")) for point in points],
    "rightclick": lambda x, y: at(x, y).context_click().perform(),
    "press": lambda x, y: at(x, y).click_and_hold().perform(),
    "move": lambda x, y: at(x, y).perform(),
    "release": lambda: ActionChains(driver).release().perform(),
    "key": lambda key: ActionChains(driver).send_keys(getattr(Keys, key.upper(), key)).perform(),
    "keys": lambda text: ActionChains(driver).send_keys(text).perform(),
}

if not os.path.exists(f"{site}/index.html"):
    fail(f"no page in {site}: ./scripts/web.sh --build makes it")
os.makedirs(work, exist_ok=True)
server = http.server.ThreadingHTTPServer(
    ("127.0.0.1", 0), functools.partial(http.server.SimpleHTTPRequestHandler, directory=site))
threading.Thread(target=server.serve_forever, daemon=True).start()
url = f"http://127.0.0.1:{server.server_port}/"
options = webdriver.ChromeOptions()
for flag in ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
             "--disable-background-networking --disable-component-update --disable-sync "
             "--no-first-run --window-size=1000,1000").split():
    options.add_argument(flag)
options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
driver = webdriver.Chrome(options=options)
try:
    open_page()
    if driver.title != "Quorvan: Homework 1 Programming Assignment":
        fail(f"the page's title is {driver.title!r}")
    with open(f"{HERE}/actions") as actions:
        for step in (step.split() for line in actions for step in line.split("#")[0].split(";")):
            if step:
                VERBS[step[0]](*step[1:])
    quit("q")
    open_page()  # a fresh page, and Esc before anything else
    quit("Escape")
    errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    if errors:
        fail("the console shows errors:\n" + "\n".join(errors))
finally:
    driver.quit()
