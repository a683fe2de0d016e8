#!/usr/bin/python3
"""The page in a browser: browser.py PAGE WORKDIR ENGINE opens the one file PAGE from the disk,
as a person who was handed it would, in headless Chromium or in WebKit (its MiniBrowser, in an
X server), and takes the shared actions with the mouse and keys. Each checked frame, read from
the canvas, is held against frames/NAME.png: colours are exact, and every drawn pixel of either
lies within 1 px of its colour in the other, or there under a later layer (outline, hull,
points). That allows the 1-px lines and the points 1 px off, which can cover a line's pixel
that the desktop leaves bare; a missing, misplaced or miscoloured point or line fails. Errors
are read from the page's own listeners (and in Chromium also from its console). Chromium also
opens the page without WebGL, where the page must say why it cannot run."""
import atexit, base64, io, os, sys, time
from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver import ActionChains, Keys
from selenium.webdriver.support.ui import WebDriverWait

page, work, engine = sys.argv[1:4]
HERE = os.path.dirname(os.path.realpath(__file__))
LAYER = {(0, 0, 0): 0, (0, 0, 255): 1, (255, 255, 0): 2}  # background, outline, hull; points 3
FLAGS = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --window-size=1000,1000").split()  # the canvas at its full size


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
    want = Image.open(f"{HERE}/frames/{name}.png").convert("RGB")
    for _ in range(50):
        got = Image.open(io.BytesIO(base64.b64decode(driver.execute_async_script(
            "requestAnimationFrame(() => arguments[0](canvas.toDataURL().slice(22)))")))).convert("RGB")
        if near(got, want):
            return
        time.sleep(0.2)
    got.save(f"{work}/{name}.png")
    sys.exit(f"browser ({engine}): the canvas is not frames/{name}.png: see {work}/{name}.png")


def quit(key):  # the page says that the program ended, and input changes nothing on screen
    last = canvas.screenshot_as_png
    VERBS["key"](key)
    time.sleep(0.5)
    ended = driver.find_element("id", "ended").text
    assert ended == "polyhull ended with status 0. Reload the page to start it again.", ended
    VERBS["click"](300, 300)
    VERBS["keys"]("pa")
    time.sleep(0.5)
    assert canvas.screenshot_as_png == last, f"the canvas changed after {key} had ended it"


def at(x, y):  # WebDriver's offsets count from the element's centre
    return ActionChains(driver).move_to_element_with_offset(canvas, int(x) - 400, int(y) - 300)


VERBS = {  # the verbs of the shared actions (see actions)
    "check": check,
    "click": lambda x, y, shift=None: (at(x, y).key_down(Keys.SHIFT).click().key_up(Keys.SHIFT)
                                       if shift else at(x, y).click()).perform(),
    "rightclick": lambda x, y: at(x, y).context_click().perform(),
    "press": lambda x, y: at(x, y).click_and_hold().perform(),
    "move": lambda x, y: at(x, y).perform(),
    "release": lambda: ActionChains(driver).release().perform(),
    "key": lambda key: ActionChains(driver).send_keys(getattr(Keys, key.upper(), key)).perform(),
    "keys": lambda text: ActionChains(driver).send_keys(text).perform()}


def open_page():
    global canvas
    driver.get(url)
    WebDriverWait(driver, 30).until(lambda _: driver.execute_script(
        "return Module.calledRun || !document.getElementById('cannot').hidden"))
    canvas = driver.find_element("id", "canvas")
    assert canvas.is_displayed(), driver.find_element("id", "cannot").text


def start(engine, *flags):
    if engine == "webkit":
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        return webdriver.WebKitGTK(options=options)
    options = webdriver.ChromeOptions()
    for flag in FLAGS + list(flags):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(options=options)


def errors():  # what the page's listeners caught, and in Chromium what its console shows
    caught = driver.execute_script("return errors")
    console = driver.get_log("browser") if engine == "chromium" else []
    return caught + [e["message"] for e in console if e["level"] == "SEVERE"]


assert os.path.exists(page), f"no page {page}: scripts/web.sh builds it"
os.makedirs(work, exist_ok=True)
url = "file://" + os.path.realpath(page)
driver = start(engine)
atexit.register(lambda: driver.quit())  # also when a check fails
open_page()
assert driver.title == "Quorvan: Homework 1 Programming Assignment", driver.title
for line in open(f"{HERE}/actions"):
    for step in (step.split() for step in line.split("#")[0].split(";") if step.strip()):
        VERBS[step[0]](*step[1:])
quit("q")
open_page()  # a fresh page, and Esc before anything else
quit("Escape")
assert not errors(), "the page shows errors:\n" + "\n".join(errors())

if engine == "chromium":  # without WebGL: the reason in place of the canvas, and no buttons
    driver.quit()
    driver = start(engine, "--disable-3d-apis")
    driver.get(url)
    message = driver.find_element("id", "cannot")
    assert message.is_displayed() and "needs WebGL" in message.text, message.text
    assert not driver.find_element("id", "canvas").is_displayed(), "a canvas without WebGL"
    assert all(not b.is_enabled() for b in driver.find_elements("css selector", "#keys button"))
    assert not errors(), "the page without WebGL shows errors:\n" + "\n".join(errors())
