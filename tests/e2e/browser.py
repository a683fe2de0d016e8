#!/usr/bin/python3
"""The page in a browser: browser.py PAGE WORKDIR ENGINE AXE opens the one file PAGE from the
disk in headless Chromium or in WebKit (its MiniBrowser, in an X server) and takes the shared
actions with the mouse and keys. Chromium takes them again by keyboard alone, where axe-core (the
script AXE) and the accessibility tree check what a screen reader gets, and by touch on a phone;
lays the page out at many screens, opens it without WebGL, and serves the site and the one file.

A checked frame, read from the canvas, must equal frames/NAME.png, the desktop program's, pixel
for pixel. Before each drag a press beside the vertex must pick nothing
(mouse: 5 canvas pixels off on both axes; touch: 20 CSS pixels off; keyboard: 20 pixels off on
both axes), and the drag starts on it (mouse), 10 CSS pixels off (touch), 10 pixels off (keys).
Errors are read from the page's own listeners (and in Chromium from its console)."""
import atexit, base64, functools, gzip, http.server, io, json, os, random, re, shutil, sys
import subprocess, threading, time
from urllib.request import urlopen
from PIL import Image, ImageChops
from selenium import webdriver
from selenium.webdriver import ActionChains, Keys
from selenium.webdriver.common.actions.wheel_input import ScrollOrigin
from selenium.webdriver.support.ui import WebDriverWait

page, work, engine, axe = sys.argv[1:5]
HERE = os.path.dirname(os.path.realpath(__file__))
FLAGS = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --window-size=1400,1000").split()  # the canvas at its full size
LAPTOPS = [(w, h - 143) for w, h in ((1024, 768), (1280, 720), (1366, 768), (1440, 900),
                                     (1920, 1080))]  # under their browser's bars
HANDHELD = [(360, 640), (390, 844), (768, 1024)]  # phones and a tablet, held upright
SCREENS = [(360, 640), (390, 844), (768, 1024), (1280, 800), (1920, 1080), (568, 320), (480, 320),
           (667, 375), (320, 256), (1280, 300), (2560, 1440), (1024, 220)]  # CSS px; each turned


def frame():  # the canvas's own pixels
    return Image.open(io.BytesIO(base64.b64decode(driver.execute_async_script(
        "requestAnimationFrame(() => arguments[0](canvas.toDataURL().slice(22)))")))).convert("RGB")


def check(name):  # within ten seconds or so the canvas's own pixels are frames/NAME.png
    global shown
    want = Image.open(f"{HERE}/frames/{name}.png").convert("RGB")
    for _ in range(50):
        got = frame()
        if not ImageChops.difference(got, want).getbbox():
            shown = name
            return
        time.sleep(0.2)
    got.save(f"{work}/{name}.png")
    sys.exit(f"browser ({engine}): the canvas is not frames/{name}.png: see {work}/{name}.png")


def quit(verbs, key):  # the page says that the program ended, and input changes nothing on screen
    verbs["key"](key)
    time.sleep(0.5)
    ended = driver.find_element("id", "ended").text
    assert ended == "polyhull ended with status 0. Reload the page to start it again.", ended
    assert status() == ended, f"the status line says {status()}"
    last = canvas.screenshot_as_png
    verbs["click"](300, 300)
    MOUSE["keys"]("pa")
    time.sleep(0.5)
    assert canvas.screenshot_as_png == last, "the canvas changed after the program had ended"
    assert live() == [], f"{live()} still act"


def live():  # the page's controls that still act
    return driver.execute_script("return [...document.querySelectorAll('button, input, select')]"
                                 ".filter(c => !c.disabled).map(c => c.textContent || c.id)")


def status():  # what the status line last said
    return driver.find_element("id", "said").get_attribute("textContent")


def said(words):  # the status line says words first
    WebDriverWait(driver, 5).until(lambda _: status().startswith(words), f"{status()}, not {words}")


def run(verbs):  # a line whose first verb the run lacks is left out
    for line in open(f"{HERE}/actions"):
        steps = [step.split() for step in line.split("#")[0].split(";") if step.strip()]
        for step in steps if steps and steps[0][0] in verbs else []:
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
    "past": lambda x, y, x2, y2: (MOUSE["press"](x, y), MOUSE["move"](x2, y2)),
    "said": said,
    "key": lambda key: ActionChains(driver).send_keys(getattr(Keys, key.upper(), key)).perform(),
    "keys": lambda text: ActionChains(driver).send_keys(text).perform()}
TOUCH = dict(MOUSE, **{  # by touch: no right button and no typing, but the page's buttons
    "click": tap,
    "rightclick": lambda x, y: tap_button("r"),
    "press": touch_press,
    "move": lambda x, y: touch_canvas("touchMove", x, y, 10),
    "release": lambda: touch("touchEnd"),
    "cancel": lambda: touch("touchCancel"),
    "past": lambda x, y, x2, y2: (touch_press(x, y), TOUCH["move"](x2, y2)),
    "key": tap_button,
    "keys": lambda text: None})


def arrows(x, y):  # the keyboard pointer to (x, y): Shift+arrows by 10 pixels, arrows by 1
    keys = ActionChains(driver)
    for delta, back, forth in ((int(x) - pointer[0], Keys.LEFT, Keys.RIGHT),
                               (int(y) - pointer[1], Keys.UP, Keys.DOWN)):
        step = forth if delta > 0 else back
        keys.key_down(Keys.SHIFT).send_keys(step * (abs(delta) // 10)).key_up(Keys.SHIFT)
        keys.send_keys(step * (abs(delta) % 10))
    keys.perform()
    pointer[:] = [int(x), int(y)]


def key_click(x, y, shift=None):  # Space, or Shift+Enter
    arrows(x, y)
    (ActionChains(driver).key_down(Keys.SHIFT).send_keys(Keys.ENTER).key_up(Keys.SHIFT) if shift
     else ActionChains(driver).send_keys(Keys.SPACE)).perform()


def key_press(x, y):  # 20 pixels off on both axes picks nothing; 10 off picks the vertex
    arrows(int(x) + 20, int(y) + 20)
    MOUSE["key"]("enter")
    check(shown)
    arrows(int(x) + 10, y)
    MOUSE["key"]("enter")
    pointer[:] = [int(x), int(y)]  # on the vertex


KEYBOARD = dict(MOUSE, **{  # the keyboard pointer, which stays on the canvas (no "past")
    "click": key_click,
    "rightclick": lambda x, y: MOUSE["key"]("r"),
    "press": key_press,
    "move": arrows,
    "release": lambda: MOUSE["key"]("space"),
    "cancel": lambda: ActionChains(driver).send_keys(Keys.TAB).key_down(Keys.SHIFT).send_keys(
        Keys.TAB).key_up(Keys.SHIFT).perform()})  # Tab away, and back
del KEYBOARD["past"]


def open_page(shown=True, address=None):
    global canvas
    driver.get(address or url)
    WebDriverWait(driver, 30).until(lambda _: driver.execute_script(
        "return Module.calledRun || !document.getElementById('cannot').hidden"))
    canvas = driver.find_element("id", "canvas")
    assert canvas.is_displayed() == shown, driver.find_element("id", "cannot").text


def start(*flags):
    global driver
    if engine == "webkit":
        options = webdriver.WebKitGTKOptions()
        options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
        options.add_argument("--automation")
        driver = webdriver.WebKitGTK(options=options)
        driver.set_window_size(1250, 1000)  # the canvas at its full size, the lesson beside it
        return
    options = webdriver.ChromeOptions()
    for flag in FLAGS + list(flags):
        options.add_argument(flag)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(options=options)


def screen(width, height, touch=True):  # a touch screen of that many CSS pixels, at 3 device
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {  # pixels each, or a laptop's
        "width": width, "height": height, "deviceScaleFactor": 3 if touch else 1, "mobile": touch})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch})


def row(y):  # the drawn pixels of the canvas's row y
    image = frame().load()
    return [x for x in range(800) if image[x, y] != (0, 0, 0)]


def pressed():  # the keys of the buttons that show themselves on
    return driver.execute_script("return [...document.querySelectorAll('[aria-pressed=true]')]"
                                 ".map(b => b.dataset.key).join(' ')")


def heard():  # from the accessibility tree: the canvas's role, name and description, and the
    root = driver.execute_cdp_cmd("DOM.getDocument", {})["root"]["nodeId"]  # status line's role
    node = lambda s: driver.execute_cdp_cmd("DOM.querySelector", {"nodeId": root, "selector": s})
    tree = lambda s: driver.execute_cdp_cmd("Accessibility.getPartialAXTree", {  # and words
        "nodeId": node(s)["nodeId"], "fetchRelatives": True})["nodes"]
    (shown, *_), (status, words, *_) = tree("#canvas"), tree("#said")
    return [node.get(key, {}).get("value") for node, key in ((shown, "role"), (shown, "name"),
            (shown, "description"), (status, "role"), (words, "name"))]


def hears(said, described):  # the status line says it, and the canvas is so described
    want = ["application", "polyhull drawing", described, "status", said]
    WebDriverWait(driver, 5).until(lambda _: heard() == want, f"heard {heard()}, not {want}")


class Host(http.server.SimpleHTTPRequestHandler):  # a static host that lets browsers keep its
    def end_headers(self):  # files for a year, and notes what it was asked for
        self.send_header("Cache-Control", "max-age=31536000")
        super().end_headers()

    def log_request(self, *_):
        asked.append(self.path)


def serve(folder, port=0):  # folder on 127.0.0.1 until stopped; the address
    global host, url
    host = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                           functools.partial(Host, directory=folder))
    threading.Thread(target=host.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{host.server_address[1]}/"
    return host.server_address[1]


def errors():  # what the page's listeners caught, and in Chromium all that its console shows
    caught = driver.execute_script("return errors")
    console = driver.get_log("browser") if engine == "chromium" else []
    return caught + [f'{e["level"]}: {e["message"]}' for e in console]


def finish():
    global driver
    found = errors()  # read once: reading Chromium's console empties it
    assert not found, "the page said:\n" + "\n".join(found)
    driver.quit()
    driver = None


assert os.path.exists(page), f"no page {page}: scripts/web.sh builds it"
size, packed = os.path.getsize(page), len(gzip.compress(open(page, "rb").read(), 9))
assert size <= 120_000 and packed <= 40_000, f"the page is {size} bytes, {packed} gzipped"
os.makedirs(work, exist_ok=True)
url = "file://" + os.path.realpath(page)
driver = None
atexit.register(lambda: driver and driver.quit())  # also when a check fails

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

# A drawing's address opens the same drawing in a fresh browser: the canvas's pixels, the toggles
# and the step shown, from the one file on the disk.
start()
open_page()
history = driver.execute_script("return history.length")
for x, y, shift in (100, 500, 0), (700, 520, 0), (650, 100, 1), (300, 320, 0), (799, 0, 0):
    MOUSE["click"](x, y, shift)
for button in "#steps", "[data-step=back]", "[data-step=back]":
    driver.find_element("css selector", button).click()
STATE = """return [location.hash == '#' + linkOf(), pressed = [...document.querySelectorAll(
  '[aria-pressed=true]')].map(b => b.textContent).join(), document.getElementById('step-words')
  .textContent]"""
follows = lambda: WebDriverWait(driver, 5).until(lambda _: driver.execute_script(STATE)[0],
                                                 "the address lags")
follows()
MOUSE["keys"]("c")  # then a change of the display flags alone
follows()
address, drawn, state = driver.current_url, frame(), driver.execute_script(STATE)
assert "Steps" in state[1] and "Vertex 5 of 5: pops" in state[2], state
assert driver.execute_script("return history.length") == history, "the drawing made history"
finish()
start()
open_page(address=address)
WebDriverWait(driver, 5).until(lambda _: driver.execute_script(STATE) == state,
                               f"{driver.execute_script(STATE)}, not {state}")
assert not ImageChops.difference(frame(), drawn).getbbox(), "the link drew another drawing"
finish()
if engine != "chromium":
    sys.exit()

# By keyboard alone, in a page that must paint before it makes its one WebGL context.
CONTEXTS = """window.contexts = []; const made = new Set();
const get = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function() { const context = get.apply(this, arguments);
  if (context && !made.has(context)) made.add(context), contexts.push(performance.now());
  return context; };"""
start()
driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CONTEXTS})
open_page()
made, painted = driver.execute_script(
    "return [contexts, performance.getEntriesByName('first-paint').map(e => e.startTime)]")
assert len(made) == 1 and painted and made[0] > painted[0], f"contexts at {made}, paint {painted}"
MOUSE["key"]("tab")
assert driver.execute_script("return document.activeElement") == canvas, "Tab: not to the canvas"
pointer = [400, 300]
run(KEYBOARD)
arrows(1000, 1000)  # far past the bottom right corner: the pointer stays on its last pixel
pointer[:] = [799, 599]
MOUSE["key"]("enter")
assert row(599) == [797, 798, 799], f"Enter at the corner drew {row(599)} on its row"
MOUSE["keys"]("r")
said("Cleared")
SHOWN = "1 vertex. Outline shown, closed. Hull shown, none yet. Move mode o"
for hull, heard_said in ("hidden", "Hull hidden."), ("shown, none yet", "Hull shown, none yet."):
    MOUSE["keys"]("a")
    hears(heard_said, f"0 vertices. Outline shown, closed. Hull {hull}. Move mode off.")
key_click(*pointer)
hears("Vertex 1 placed.", SHOWN + "ff.")
MOUSE["keys"]("m")
hears("Move mode on.", SHOWN + "n.")
MOUSE["key"]("enter")
hears("Vertex 1 picked.", SHOWN + "n, vertex 1 picked.")
assert not driver.execute_script("return canvas.dispatchEvent(new MouseEvent('contextmenu', "
                                 "{bubbles: true, cancelable: true}))"), "a menu over the canvas"
assert driver.execute_script("return ['ctrlKey', 'metaKey'].every(m => dispatchEvent(new "
                             "KeyboardEvent('keydown', {key: 'a', [m]: true, cancelable: true})))")
assert pressed() == "p c m a", "Ctrl or Meta with a letter reached the program"
TAB, SPACE, ENTER = Keys.TAB, Keys.SPACE, Keys.ENTER
for keys, want in ((TAB + SPACE, "c m a"), (TAB * 2 + ENTER, "c a"), ("m", "c m a"), ("r", "c a"),
                   (TAB * 4 + ENTER, "c a Shift"), (ENTER, "c a")):  # buttons, letters, r
    ActionChains(driver).send_keys(keys).perform()
    WebDriverWait(driver, 5).until(lambda _: pressed() == want, f"{pressed()}, not {want}")
# Shift snaps a click level with the vertex before it; Shift with Alt or Ctrl does not.
MOUSE["keys"]("r")
for held, x, y in ((), 100, 100), ((Keys.SHIFT, Keys.ALT), 300, 130), \
                  ((Keys.SHIFT, Keys.CONTROL), 500, 160), ((Keys.SHIFT,), 700, 190):
    chain = at(x, y)
    [chain.key_down(key) for key in held]
    chain.click()
    [chain.key_up(key) for key in held]
    chain.perform()
placed = [frame().load()[x, y] for x, y in ((300, 130), (500, 160), (700, 160), (700, 190))]
assert placed == [(255, 0, 0), (255, 0, 0), (255, 255, 255), (0, 0, 0)], f"Shift clicks: {placed}"
# The hull's steps, on the hull unit test's first polyline at 5 window pixels to its unit.
STEPS = ["Vertices 1 to 3: the deque starts counter-clockwise. Deque: 3, 1, 2, 3.",
         "Vertex 4 of 8: inside the hull so far, skipped. Deque: 3, 1, 2, 3.",
         "Vertex 5 of 8: outside; removes 3 from the bottom, 3 from the top. Deque: 5, 1, 2, 5.",
         "Vertex 6 of 8: outside; removes nothing from the bottom, 5 from the top. Deque: 6, 5, "
         "1, 2, 6.", "Vertex 7 of 8: outside; removes 6 from the bottom, 6 from the top. Deque: "
         "7, 5, 1, 2, 7.", "Vertex 8 of 8: outside; removes nothing from the bottom, 7 and 2 from "
         "the top. Deque: 8, 7, 5, 1, 8."]
# Vertex 5's every test, pop and push (the record worked by hand in the unit test), each a step of
# its own with its line of the method marked (index from 0); the last says the whole vertex.
FINE = [("is 5 left of 3 → 1? No.", 2), ("is 5 left of 2 → 3? No.", 3), ("pops 3 off the bottom.", 5),
        ("is 5 left of 1 → 2? Yes.", 5), ("pushes 5 onto the bottom.", 6), ("pops 3 off the top.", 7),
        ("is 5 left of 1 → 2? Yes.", 7), (STEPS[2][15:], 8)]
step = lambda name: driver.find_element("css selector", f"[data-step={name}]").click()
steps = lambda: driver.find_element("id", "steps").click()
shown = lambda: driver.find_element("id", "step-words").text
line = lambda: driver.execute_script(
    "return [...document.querySelectorAll('#method li')].findIndex(l => l.ariaCurrent == 'step')")
shows = lambda words, said=True: WebDriverWait(driver, 12).until(lambda _: shown() == words and (
    status() == words or not said), f"shown {shown()}, said {status()}, not {words}")
NUMBERS = """const c = canvas.getBoundingClientRect(), s = c.width / 800;
return [...document.querySelectorAll('#numbers span')].map(n => { const r = n.getBoundingClientRect(),
  v = Number(n.textContent) - 1, x = c.left + (Module._vertexWindowX(v) + 0.5) * s,
  y = c.top + (Module._vertexWindowY(v) - 0.5) * s;
  return [v + 1, Math.round(r.left - x), Math.round(y - r.bottom), r.height, n.className]; });"""
MOUSE["keys"]("r")
for x, y in (0, 0), (10, 0), (5, 10), (5, 3), (5, 20), (30, 30), (50, 50), (60, -10):
    MOUSE["click"](200 + 5 * x, 400 - 5 * y)
bare, plain = frame(), canvas.screenshot_as_png
steps()
shows(STEPS[-1])
assert "Hull shown, 4 corners" in driver.find_element("id", "shown").text  # the last deque's
# every vertex's number beside its point, up and right of it, clear of its 5-pixel point; those
# of the step (its vertex, what it popped, its deque) in black on white
numbers = sorted(driver.execute_script(NUMBERS))
assert [n[0] for n in numbers] == list(range(1, 9)), numbers
assert all(3 <= dx <= 5 and 3 <= dy <= 5 and h >= 12 for _, dx, dy, h, _ in numbers), numbers
assert [n[0] for n in numbers if n[4] == "concerned"] == [1, 2, 5, 7, 8], numbers
step("first")
step("back")  # stays at the first
shows(STEPS[0])
assert line() == 0, f"line {line()} marked at the start"
driver.find_element("id", "step").send_keys(Keys.HOME, Keys.RIGHT)  # the slider, by vertex
shows(STEPS[1])
for words, marked in FINE:
    step("forward")
    shows("Vertex 5 of 8: " + words)
    assert line() == marked, f"{words}: line {line()} marked, not {marked}"
step("last")
step("forward")  # stays at the last
shows(STEPS[-1])
for speed, low, high in ("4", 1.5, 3.6), ("2", 3.6, 7):  # vertex 8's 8 steps, played
    driver.find_element("id", "step").send_keys(Keys.END, Keys.LEFT)
    shows(STEPS[-2])
    driver.find_element("css selector", f"#speed option[value='{speed}']").click()
    begun = time.time()
    step("play")
    shows(STEPS[-1])
    took = time.time() - begun
    assert low <= took <= high, f"8 steps at {speed} a second took {took:.1f} s"
assert driver.find_element("css selector", "[data-step=play]").text == "Play"
assert not ImageChops.difference(frame(), bare).getbbox(), "the steps drew into the canvas"
assert canvas.screenshot_as_png != plain, "no steps drawn over the canvas"
driver.execute_script("""window.sayings = []; const s = document.getElementById('said');
new MutationObserver(() => sayings.push(s.textContent)).observe(s, {childList: true});""")
sayings = lambda start, end: WebDriverWait(driver, 5).until(lambda _: any(
    w.startswith(start) and w.endswith(end) for w in driver.execute_script("return sayings")),
    f"never said {start} ... {end}: {driver.execute_script('return sayings')}")
STEP9 = "Vertex 9 of 9: outside; removes nothing from the bottom, 8 from the top. Deque: 9, 8, 7, 5, 1, 9."
MOUSE["click"](300, 520)  # an edit says itself, then the new polyline's last step
shows(STEP9, said=False)
sayings("Vertex 9 placed.", STEP9)
MOUSE["keys"]("r")
sayings("Cleared.", "Steps need three vertices; there are 0.")
PRESS_ALL = """document.querySelectorAll('[data-step]').forEach(b => b.click());
const slider = document.getElementById('step'); slider.value = 9;
slider.dispatchEvent(new Event('input'));"""
for n in range(4):  # every step control, with no vertex and up to three: no step that is not
    MOUSE["keys"]("r")
    for x, y in [(100, 100), (150, 100), (125, 60)][:n]:  # counter-clockwise
        MOUSE["click"](x, y)
    words = STEPS[0] if n == 3 else f"Steps need three vertices; there {'is' if n == 1 else 'are'} {n}."
    shows(words, said=False)
    before = status()
    driver.execute_script(PRESS_ALL)
    shows(words, said=False)
    assert status() == (words if n == 3 else before), f"{n} vertices: said {status()}"
steps()  # off, and an edit: the hidden controls show nothing of the steps read before
MOUSE["click"](60, 60)
WebDriverWait(driver, 5).until(lambda _: "4 vertices" in driver.find_element("id", "shown").text)
before = (time.sleep(0.3), status())[1]
driver.execute_script(PRESS_ALL)
assert status() == before, f"a hidden step control said {status()}, not {before}"
steps()
# Where the promise ends: a square traced counter-clockwise, then a vertex whose segment crosses
# the first one, skipped as inside though outside. Said, described, noted, marked and stepped.
MOUSE["keys"]("r")
for x, y in (0, 0), (10, 0), (10, 10), (0, 10), (5, -5):
    MOUSE["click"](200 + 20 * x, 400 - 20 * y)
NOTE = ("The polyline crosses itself (segment 4–5 crosses segment 1–2), so the deque algorithm need "
        "not find its hull: vertex 5 lies outside the hull drawn.")
LAST = ("Vertex 5 of 5: left of both end edges, so skipped as inside; but it lies outside the hull "
        "of vertices 1 to 5: the polyline crossed itself at vertex 5. Deque: 4, 1, 2, 3, 4.")
WebDriverWait(driver, 5).until(lambda _: driver.find_element("id", "promise").text == NOTE)
sayings("Vertex 5 placed. The polyline now crosses itself: vertex 5 lies outside the hull.", LAST)
assert driver.find_element("id", "shown").get_attribute("textContent").endswith(" " + NOTE)
MARKS = """const m = document.getElementById('marks'), d = m.querySelector('.crossing');
return [m.hasAttribute('hidden'), d.getAttribute('d').match(/[-.0-9]+/g).slice(0, 2).map(Number),
  [...m.querySelectorAll('circle')].map(c => [+c.getAttribute('cx'), +c.getAttribute('cy')]),
  [...document.querySelectorAll('#outside-numbers span')].map(n => n.textContent)];"""
hidden, diamond, rings, ringed = driver.execute_script(MARKS)
assert not hidden and abs(diamond[0] - 267.17) < 1 and abs(diamond[1] + 9 - 399.5) < 1, diamond
assert (rings, ringed) == ([[300.5, 499.5]], ["5"]), (rings, ringed)
for press, shows_it in (lambda: MOUSE["keys"]("a"), True), (steps, False), (steps, True):
    press()  # the hull hidden, with Steps on or off: the note and marks show while Steps is on
    WebDriverWait(driver, 5).until(lambda _: (driver.find_element("id", "promise").is_displayed(),
                                   not driver.execute_script(MARKS)[0]) == (shows_it, shows_it))
assert driver.execute_script(MARKS)[1:] == [diamond, rings, ringed], "other marks"
MOUSE["keys"]("a")
said("Hull shown")
driver.find_element("id", "step").send_keys(Keys.HOME)
for words in STEPS[0], "Vertex 4 of 5: outside; removes 3 from the bottom, nothing from the top. " \
                       "Deque: 4, 1, 2, 3, 4.", LAST:  # no step before the crossing says it
    shows(words)
    driver.find_element("id", "step").send_keys(Keys.RIGHT)
driver.execute_script(open(axe).read())  # with the step controls, the note and the marks shown
found = driver.execute_async_script("axe.run({runOnly: axe.getRules().map(r => r.ruleId)})"
                                    ".then(r => arguments[0](r.violations.map(v => v.id)))")
assert not found, f"axe-core finds {found}"
MOUSE["keys"]("r")
for x, y in [(100, 100), (150, 100), (125, 60)]:  # a simple one shows nothing of it
    MOUSE["click"](x, y)
shows(STEPS[0], said=False)
assert not driver.find_element("id", "promise").is_displayed() and driver.execute_script(
    "return document.getElementById('marks').hasAttribute('hidden')"), "shown for a simple one"
MOUSE["keys"]("r")
for x, y in [(100, 100), (200, 100), (300, 100), (200, 200)]:  # a straight start, hull found
    MOUSE["click"](x, y)
WebDriverWait(driver, 5).until(lambda _: driver.find_element("id", "promise").text == (
    "The first three vertices lie on one line, so the deque algorithm need not find its hull: "
    "here it still found the hull."), driver.find_element("id", "promise").text)
driver.execute_script("canvas.getContext('webgl').getExtension('WEBGL_lose_context').loseContext()")
WebDriverWait(driver, 10).until(lambda _: driver.find_element("id", "cannot").is_displayed())
assert "took the graphics away" in driver.find_element("id", "cannot").text
assert live() == [], f"{live()} still act"
finish()

# Predict, on a polyline whose vertices 4 to 6 pop one end's entry that stays at the other, 7 and
# 9 lie inside, and 8 removes two vertices; answered right and wrong, by Forward, the slider, Last
# and Play. What each vertex's truth is (skipped, or added with what leaves) was worked by hand
# for it and for the Steps polyline and the crossing square above.
start()
open_page()
PREDICTED = [(250, 500), (650, 500), (650, 420), (610, 372), (550, 340), (350, 308), (410, 436),
             (130, 100), (310, 420)]
TRUTHS = {"PREDICTED": [[], [], [], True, [5, 6], True],
          "[[0, 0], [10, 0], [5, 10], [5, 3], [5, 20], [30, 30], [50, 50], [60, -10]].map(([x, y]) "
          "=> [200 + 5 * x, 400 - 5 * y])": [True, [3], [], [6], [2]],
          "[[250, 400], [450, 400], [450, 200], [250, 200], [350, 500]]": [[], True]}
for points, want in TRUTHS.items():
    driver.execute_script(f"putIn({points}, 5, -1, '')".replace("PREDICTED",
                                                                  json.dumps(PREDICTED)))
    got = driver.execute_script("steps.toggle.click(); const n = steps.n, t = [];"
                                "for (let k = 4; k <= n; ++k) t.push(truth(k).skipped || "
                                "truth(k).leaves); steps.toggle.click(); return t")
    assert got == want, f"{points}: {got}, not {want}"
MOUSE["keys"]("r")
for x, y in PREDICTED:
    MOUSE["click"](x, y)
steps()
driver.find_element("id", "predict").click()
step("first")
ASK = "Vertex {} of 9: skip it as inside, or add it?"
LEAVE = " Which vertices leave the hull?"
PREDICTIONS = [  # what to press: "forward", "back", "slider", "last" or an answer; then what is said
    ("forward", ASK.format(4)), ("forward", ASK.format(4)),  # Forward does not pass it
    ("Skip", "Not quite: 4 is not left of the bottom edge 3 → 1, so it is added. Predictions: 0 "
             "of 1 right." + LEAVE), ("3", "Not quite: 4"),
    ("Check", "Not quite: none leaves the hull; 3 is popped off the bottom but stays at the top. "
              "Predictions: 0 of 2 right."),
    ("forward", "Vertex 4 of 9: is 4 left of 3 → 1? No."), ("slider", ASK.format(5)),
    ("back", "Vertex 4 of 9: outside"), ("forward", ASK.format(5)),  # Back asks nothing
    ("Add", "Right: 5 is not left of the bottom edge 4 → 1, so it is added. Predictions: 1 of 3 "
            "right." + LEAVE),
    ("Check", "Right: none leaves the hull; 4 is popped off the bottom but stays at the top. "
              "Predictions: 2 of 4 right."), ("play", ASK.format(6)), ("Add", "Right: 6"),
    ("Check", "Vertex 6 of 9: is 6 left of"), ("last", ASK.format(7)),  # Play went on
    ("Skip", "Right: 7 is left of both end edges, the bottom edge 6 → 1 and the top edge 5 → 6, so "
             "it is skipped. Predictions: 5 of 7 right."), ("last", ASK.format(8)),
    ("Add", "Right: 8 is not left of the bottom edge 6 → 1 nor the top edge 5 → 6, so it is added."
            " Predictions: 6 of 8 right." + LEAVE), ("6", "Right: 8"), ("5", "Right: 8"),
    ("Check", "Right: 5 and 6 leave the hull: 5 off the top, 6 off both ends. Predictions: 7 of 9 "
              "right."), ("last", ASK.format(9)),
    ("Add", "Not quite: 9 is left of both end edges, the bottom edge 8 → 1 and the top edge 4 → 8, "
            "so it is skipped. Predictions: 7 of 10 right.")]
focused = lambda: driver.execute_script("return document.activeElement.textContent")
for press, words in PREDICTIONS:
    if press == "slider":
        driver.find_element("id", "step").send_keys(Keys.END)
    elif press == "play":  # stops at the question, and goes on once it is answered
        driver.find_element("css selector", "#speed option[value='4']").click()
        step("play")
        said(words)
        time.sleep(1)
        assert status() == words and driver.find_element("css selector", "[data-step=play]")\
            .text == "Pause", f"played on past a question: {status()}"
    elif press in ("forward", "back", "last"):
        step(press)
    else:
        driver.find_element("xpath", f"//*[@id='answers']/button[text()='{press}']").click()
    said(words)
    if words == ASK.format(4):  # the focus on the first answer, the first toggle
        assert focused() == "Skip", focused()
    elif words.endswith(LEAVE) and press != "play":
        assert focused() == driver.find_element("css selector", "#answers button").text, focused()
    if words.startswith("Vertex 6 of 9: is"):
        step("play")  # pauses
step("first")  # the score starts again
assert driver.find_element("id", "score").text == "Predictions: 0 of 0 right."
driver.execute_script(open(axe).read())
for button in "#predict", "#predict", "[data-step=forward]":  # off and on
    driver.find_element("css selector", button).click()  # again: each vertex is asked again
said(ASK.format(4))
found = driver.execute_async_script("axe.run({runOnly: axe.getRules().map(r => r.ruleId)})"
                                    ".then(r => arguments[0](r.violations.map(v => v.id)))")
assert not found, f"axe-core finds {found} with a question"
WebDriverWait(driver, 5).until(lambda _: ".p0." in driver.current_url, driver.current_url)
address = driver.current_url
finish()
start()  # a teacher's link starts in Predict, at its step, to ask the same
open_page(address=address)
step("forward")
said(ASK.format(4))
assert driver.execute_script("return [steps.toggle, predict.toggle].map(b => b.ariaPressed) + "
                             "predict.score.textContent") == "true,truePredictions: 0 of 0 right."
finish()

# Sharing, in a fresh page: links of random polylines read back exactly, through the program's
# own input; each example shows what it is named for; bad links say what they could not read;
# the picture is the canvas's pixels, with what Steps draws over them.
start()
open_page()
ROUND_TRIP = """const rand = n => Math.floor(Math.random() * n), wrong = [];
for (let t = 0; t < 60; ++t) {
  const points = Array.from({length: 1 + rand(t < 30 ? 8 : 800)}, () => [rand(800), rand(600)]);
  points.splice(rand(points.length), 0, [0, 0], [799, 599]);
  const flags = rand(8), step = t % 2 ? -1 : rand(5);
  putIn(points, flags, step, '');
  const link = linkOf(), got = readLink(link);
  if (JSON.stringify([got.points, got.flags, got.step, got.problem]) != JSON.stringify(
      [points, flags, step < 0 ? -1 : Math.min(step, steps.events.length - 1), '']) ||
      link.length > 8 + 4 * points.length)
    wrong.push(link);
}
return wrong;"""
assert driver.execute_script(ROUND_TRIP) == [], "links that read back otherwise"
EXAMPLES = [  # the step words, the note under the canvas, and words of the canvas's description
    ("Vertex 8 of 8: outside; removes 7 from the bottom, nothing from the top. Deque: 8, 1, 2, 3, "
     "4, 5, 6, 7, 8.", "", "8 corners"),
    ("Vertex 6 of 8: outside; removes 3 from the bottom, 3 from the top. Deque: 6, 1, 2, 6.", "",
     "Outline shown, open"),
    ("Vertices 1 to 3: they turn clockwise or lie on one line, so the deque starts with 2 before "
     "1. Deque: 3, 2, 1, 3.", "The first three vertices lie on one line", "5 vertices"),
    ("Vertex 5 of 6: outside; removes 4 from the bottom, 4 from the top. Deque: 5, 1, 2, 3, 5.", "",
     "6 vertices"),
    (LAST, NOTE, "5 vertices"), (None, "", "1200 vertices. Outline shown, open. Hull shown")]
for i, (words, note, described) in enumerate(EXAMPLES):
    driver.find_element("css selector", f"[data-example='{i}']").click()
    note_now = lambda: driver.find_element("id", "promise").text
    described_now = lambda: driver.find_element("id", "shown").get_attribute("textContent")
    WebDriverWait(driver, 5).until(lambda _: shown() == (words or shown()) and bool(note_now()) ==
        bool(note) and note_now().startswith(note) and described in described_now(),
        f"example {i}: {shown()}, {note_now()}, {described_now()}")
    assert driver.find_element("id", "step-words").is_displayed() == bool(words), i
    if i == 1:  # skipped: the last step of vertices 4, 5 and 7
        assert all("skipped" in driver.execute_script(f"return stepWords(steps.lastOf[{k}])")
                   for k in (4, 5, 7)), "the winding one skips no vertex"
assert len(driver.current_url.split("#")[1]) <= 8000, "the spiral's link is too long"
driver.execute_script("scrollTo(0, 0)")  # the canvas whole in view again, for the mouse
MOUSE["keys"]("r")
for x, y in (250, 450), (550, 450), (550, 150), (250, 150):  # 4 of the person's own: asked first
    MOUSE["click"](x, y)
example = lambda answer: (driver.find_element("css selector", "[data-example='4']").click(),
                          driver.switch_to.alert.accept() if answer else
                          driver.switch_to.alert.dismiss())
example(False)
assert driver.execute_script("return Module._shownVertexCount()") == 4, "replaced unasked"
MOUSE["click"](400, 520)  # the last vertex: drawn as the crossing example draws it, with Level/
drawn = frame()  # plumb on
driver.find_element("css selector", "[data-key=Shift]").click()
example(True)
WebDriverWait(driver, 5).until(lambda _: shown() == LAST, shown())
assert not ImageChops.difference(frame(), drawn).getbbox(), "the example is not the clicks' drawing"
driver.execute_script("document.querySelector('[data-key=Shift]').click()")  # hidden by Steps
BAD = [("#nothing", "it does not hold a polyhull drawing", 0),
       ("#v2.5..AAAA", "it was made in a later format (v2)", 0),
       ("#v1.5", "it is cut short or has parts this page does not know", 0),
       ("#v1.8..AAAA", 'its display settings "8" are not a digit from 0 to 7', 0),
       ("#v1.5.2.5.AAAA", "it is cut short or has parts this page does not know", 0),
       ("#v1.5.-3.AAAA", 'its step "-3" is not a whole number', 0),
       ("#v1.5..AAAAAAB", "it is cut short in vertex 2", 1),
       ("#v1.5..ABABMgAA", "vertex 2 (800, 0) lies off the 800 by 600 canvas", 1),
       ("#v1.5..ABABAAJY", "vertex 2 (0, 600) lies off the 800 by 600 canvas", 1),
       ("#v1.5..AAAA-AAA", "vertex 2 (3968, 0) lies off the 800 by 600 canvas", 1),
       ("#v1.5..AAAA%3CA%3E", 'vertex 2 "%3CA" is not written in the link\'s digits', 1),
       ("#v1.4.." + "ABAB" * 10001, "it holds more than 10000 vertices", 10000)]
OPEN = """const done = arguments[1];
addEventListener('hashchange', () => requestAnimationFrame(() => done([
  document.getElementById('shared').textContent, Module._shownVertexCount()])), {once: true});
location.hash = arguments[0];"""
for link, problem, n in BAD:
    words = f"This link could not be read whole: {problem}. Shown: " + (
        "no vertex." if not n else "1 vertex." if n == 1 else f"{n} vertices.")
    assert driver.execute_async_script(OPEN, link) == [words, n], link[:40]
random.seed(39)
for _ in range(300):  # links cut, spliced and mistyped: words, and nothing thrown (not through
    # the address, which Chromium lets a page change only so often)
    link = list(random.choice(["v1.7.4.GQEsABABMgAA", "v1..", "v1.5..", BAD[6][0][1:]]))
    for _ in range(random.randint(1, 4)):
        where = random.randrange(len(link) + 1)
        link[where:where + random.randint(0, 3)] = random.choice(
            ["", ".", "-", "_", "%", "%25", "9", "é", "v", "#", "AAAA", " ", "99999999"])
    words = driver.execute_script("openDrawing(arguments[0]); return document.getElementById("
                                  "'shared').textContent", "".join(link))  # as from the address
    assert re.match("(This link could not be read whole: |Opened)"
                    "[^.]*[.:]", words), (link, words)
assert driver.execute_async_script(OPEN, "#v1.4..GQEs") == [
    "Opened the drawing in the link: 1 vertex.", 1]
SAVE = """const done = arguments[0];
HTMLAnchorElement.prototype.click = function() { fetch(this.href).then(r => r.blob()).then(b => {
  const f = new FileReader(); f.onload = () => done([this.download, f.result.slice(22)]);
  f.readAsDataURL(b); }); };
document.getElementById('save-picture').click();"""
for steps_on in False, True:  # the second time a vertex's first step: it is ringed in white
    name, png = driver.execute_async_script(SAVE)
    picture = Image.open(io.BytesIO(base64.b64decode(png)))
    assert (name, picture.format, picture.size) == ("polyhull.png", "PNG", (800, 600)), name
    differ = ImageChops.difference(picture.convert("RGB"), frame()).getbbox()
    assert bool(differ) == steps_on, f"the picture differs at {differ}, Steps {steps_on}"
    if not steps_on:
        driver.find_element("id", "steps").click()
        MOUSE["click"](300, 300)
        MOUSE["click"](350, 200)
        shows(STEPS[0].replace("the deque starts counter-clockwise. Deque: 3, 1, 2, 3", "they "
              "turn clockwise or lie on one line, so the deque starts with 2 before 1. Deque: 3, "
              "2, 1, 3"), said=False)
ring = [picture.getpixel((361, y))[:3] for y in range(196, 204)]
assert max(ring) > (200, 200, 200), f"no ring about the step's vertex: {ring}"
label = [picture.getpixel((x, y))[:3] for x in range(355, 366) for y in range(182, 195)]
assert sum(p > (200, 200, 200) for p in label) > 60, "no white label up and right of vertex 3"
driver.execute_cdp_cmd("Browser.grantPermissions", {"permissions": [
    "clipboardReadWrite", "clipboardSanitizedWrite"]})
COPIED = "navigator.clipboard.readText().then(arguments[0])"
driver.find_element("id", "copy-link").click()  # from a file, what anyone's copy can open
said("Copied the end of the link, from its #, that holds the drawing (3 vertices). This page was "
     "opened from a file, so its address opens only on this computer: paste")
copied = driver.execute_async_script(COPIED)
assert copied == "#" + driver.current_url.split("#")[1] and "#v1.4.0.GQEs" in copied, copied
LIMIT = "putIn(Array.from({length: arguments[0]}, (_, i) => [i % 100 * 8, (i - i % 100) / 20]), " \
        "4, -1, '')"  # a link holds 10,000 vertices: with one more, none, nor the address
shared = lambda: driver.find_element("id", "shared").text
driver.execute_script(LIMIT, 10001)
driver.find_element("id", "copy-link").click()
assert shared() == "No link can hold this drawing: it has 10001 vertices, and a link holds up " \
                   "to 10000.", shared()
WebDriverWait(driver, 5).until(lambda _: "#" not in driver.current_url, "a link past the limit")
driver.execute_script(LIMIT, 10000)
WebDriverWait(driver, 5).until(lambda _: len(driver.current_url.split("#v1.4..")[-1]) == 40000)
driver.refresh()
WebDriverWait(driver, 30).until(lambda _: driver.execute_script("return Module.calledRun"))
assert shared() == "Opened the drawing in the link: 10000 vertices.", shared()
finish()

start()  # a phone held upright, and a page before this one to go back to
screen(390, 844)
driver.get("data:text/html,<title>before</title>")
open_page()
assert driver.execute_script("return document.documentElement.scrollWidth <= innerWidth"), "wide"
driver.execute_script("window.stays = true")
touch("touchStart", 2, 300)  # a swipe right from the edge, where the browser would go back
for x in range(40, 401, 40):
    touch("touchMove", x, 300)
touch("touchEnd")
time.sleep(1)
assert driver.execute_script("return window.stays"), "a swipe went back to the page before"
run(TOUCH)
assert driver.execute_script("return scrollY") == 0, "the page scrolled while it was touched"
tap(400, 300)  # outside move mode a tap places a vertex under the finger, even beside another
tap(403, 300)
both = row(300)
assert len(both) == 8, f"not two 5-pixel points 3 pixels apart: {both}"
tap_button("m")  # a finger 8 CSS px right of the later one aims at it, inside both pick squares
touch_canvas("touchStart", 403, 300, 8)
touch("touchEnd")
assert row(300) == both, "a vertex moved without a drag"
touch_canvas("touchStart", 403, 300, 8)
touch_canvas("touchMove", 403, 400, 8)
time.sleep(0.3)  # held still before the lift, as in the shared actions: no fling to stop
touch("touchEnd")
assert row(300) == both[:5] and len(row(400)) == 5, "the vertex aimed at did not move alone"
quit(TOUCH, "q")
finish()

KEYS = "#canvas, #keys :is(button, input, select):not([hidden])"
NEEDS = KEYS + ", #promise:not([hidden]), :is(#step-words, #method-box):not([hidden]), " \
               "#method-box[hidden] ~ #examples-box button"  # the examples while Steps is off
LARGEST = """const app = document.getElementById('app'), page = document.documentElement;
const [width, height] = [page.clientWidth, page.clientHeight];  // less any scroll bar
const method = document.getElementById('method-box'), chosen = app.style.cssText;
const scrolled = method.scrollTop;
const layout = app.className, m = parseFloat(getComputedStyle(document.body).margin);
const lesson = document.getElementById('lesson');  // as a column, at least its least width
const fits = parts => lesson.getBoundingClientRect().right <= width - m &&
  [...document.querySelectorAll(parts)].every(e => {
  const b = e.getBoundingClientRect();
  return Math.min(b.left, b.top) >= m && b.right <= width - m && b.bottom <= height - m; });
const widest = (layouts, parts) => Math.max(...layouts.map(name => {
  app.className = name;  // the widest canvas with the parts in view, the method at its least
  let w = 0;
  for (let step = 512; step >= 1; step /= 2) {
    app.style.setProperty('--canvas-width', Math.min(w + step, 800) + 'px');
    if (fits(parts)) w = Math.min(w + step, 800);
  }
  return w; }));
app.style.setProperty('--lesson-height', 'none');
method.style.maxHeight = '0';
const whole = widest(['', 'beside'], arguments[0]), alone = widest(['', 'keys'], arguments[1]);
[app.className, app.style.cssText, method.style.maxHeight] = [layout, chosen, ''];
method.scrollTop = scrolled;
return whole >= 0.6 * alone ? [whole, arguments[0], layout] : [alone, arguments[1], layout];"""
open_example = lambda i: driver.execute_script(f"document.querySelector('[data-example=\"{i}\"]')"
                                               ".click()")
# What a newcomer and a student must see, the page unscrolled, on laptops, phones and a tablet:
# fresh, the canvas, how to start and the examples; at an example's step, the canvas, the step's
# words, Forward and the method's marked line, each whole and in view (not clipped by a box that
# scrolls); the crossing's note.
SEEN = """const seen = e => { const r = e.getBoundingClientRect();
  let v = [0, 0, innerWidth, innerHeight];
  for (let a = e.parentElement; a != document.body; a = a.parentElement) {
    if (getComputedStyle(a).overflowY == 'visible') continue;
    const b = a.getBoundingClientRect(), left = b.left + a.clientLeft, top = b.top + a.clientTop;
    v = [Math.max(v[0], left), Math.max(v[1], top), Math.min(v[2], left + a.clientWidth),
         Math.min(v[3], top + a.clientHeight)]; }
  return r.width > 0 && r.height > 0 && r.left >= v[0] - .5 && r.top >= v[1] - .5 &&
         r.right <= v[2] + .5 && r.bottom <= v[3] + .5 && e.scrollHeight <= e.clientHeight + 1; };
return scrollY == 0 && arguments[0].split(', ').filter(s => ![...document.querySelectorAll(s)]
  .every(seen) || !document.querySelector(s));"""
LESSON = "#canvas, #step-words, [data-step=forward], #method li[aria-current]"
SEE = {"off": "#canvas, #start, #examples-box button", "on": LESSON, "noted": LESSON + ", #promise"}
unseen = lambda parts: driver.execute_script(SEEN, parts)
start()  # the canvas and the lesson in view on every screen, the canvas in its 4:3 and as large
layouts = set()  # as the layouts can show it with the lesson, or else with the buttons alone;
# fresh, at a step of an example, at the crossing example; and again with the screen turned,
# without a reload
for size in LAPTOPS + SCREENS:
    for turned, (width, height) in enumerate((size, size[::-1])[:1 if size in LAPTOPS else 2]):
        screen(width, height, size not in LAPTOPS)
        if not turned:
            open_page()
        WebDriverWait(driver, 5).until(lambda _: driver.execute_script("return innerWidth == "
                                                                       + str(width)))
        for state in "off", "on", "noted":
            driver.execute_async_script("requestAnimationFrame(() => requestAnimationFrame("
                                        "arguments[0]))")  # the page's own frame has run
            largest, parts, layout = driver.execute_script(LARGEST, NEEDS, KEYS)
            boxes = driver.execute_script("return [...document.querySelectorAll(arguments[0])]"
                                          ".map(e => [e.getBoundingClientRect(), e.tagName])",
                                          parts)
            controls = [b["height"] for b, tag in boxes if tag in ("BUTTON", "INPUT", "SELECT")]
            boxes = [b for b, _ in boxes]
            out = [i for i, b in enumerate(boxes) if b["left"] < 0 or b["top"] < 0 or
                   b["right"] > width or b["bottom"] > height]
            assert not out, f"{out} of {parts} not in view at {width} by {height}, {state}"
            assert abs(boxes[0]["width"] * 3 - boxes[0]["height"] * 4) < 4, f"not 4:3 at {width}"
            assert boxes[0]["width"] >= largest - 1, f"the canvas could be {largest} at {width}"
            layouts.add(layout)
            assert min(controls) >= 24, f"buttons under 24 px at {width}"
            method = driver.find_element("id", "method-box")
            assert method.is_displayed() == (state != "off"), f"the method's lines, {state}"
            if size in LAPTOPS + HANDHELD and not turned:
                WebDriverWait(driver, 5).until(lambda _: unseen(SEE[state]) == [],
                                               f"{unseen(SEE[state])} unseen at {width}, {state}")
            if width == 1366 and state == "off":  # the first word goes with the first vertex,
                MOUSE["click"](400, 300)  # and comes back with a clear
                WebDriverWait(driver, 5).until(lambda _: unseen("#start") == ["#start"], "stays")
                MOUSE["keys"]("r")
                WebDriverWait(driver, 5).until(lambda _: unseen("#start") == [], "not back")
            if width == 1366 and state == "on":  # the README's picture of the page, as shown
                driver.save_screenshot(f"{work}/page-steps.png")
                differ = subprocess.run(["compare", "-metric", "AE", "-fuzz", "15%",
                                         f"{HERE}/page-steps.png", f"{work}/page-steps.png",
                                         "null:"], capture_output=True, text=True).stderr
                assert float(differ or "inf") < 0.01 * width * height, \
                    f"{differ} pixels differ from page-steps.png: see {work}/page-steps.png"
            # Steps at vertex 6's push onto the top, the method's line 9; then the crossing
            open_example(1) if state == "off" else open_example(4) if state == "on" else steps()
assert layouts == {"", "beside", "keys"}, f"only the layouts {layouts}"
finish()

start("--disable-3d-apis")  # without WebGL: the reason in place of the canvas, and nothing acts
open_page(shown=False)
message = driver.find_element("id", "cannot")
assert message.is_displayed() and "needs WebGL" in message.text, message.text
assert not driver.find_element("id", "canvas").is_displayed(), "a canvas without WebGL"
assert live() == [], f"{live()} still act without WebGL"
finish()

# The site served by a host, which installs as an app and starts offline; the one file served alone.
asked, site = [], os.path.join(work, "site")
shutil.rmtree(site, ignore_errors=True)
shutil.copytree(os.path.join(os.path.dirname(page), "site"), site)
port = serve(site)
start()
open_page()
assert driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"] == []
manifest = json.load(urlopen(url + "manifest.webmanifest"))
assert (manifest["name"], manifest["display"]) == ("polyhull", "standalone"), manifest
assert sorted((i["sizes"], i["purpose"]) for i in manifest["icons"]) == [
    (f"{n}x{n}", p) for n in (192, 512) for p in ("any", "maskable")], manifest["icons"]
for icon in manifest["icons"]:
    image = Image.open(urlopen(url + icon["src"]))
    assert image.format == "PNG" and "%dx%d" % image.size == icon["sizes"], icon
driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
open_page()
assert driver.execute_script("return !!navigator.serviceWorker.controller"), "no worker in control"
host.shutdown()  # offline: nothing answers
host.server_close()
for kept in ("", "?from=home", "index.html?v=2"):  # the site, and links kept to it
    open_page(address=url + kept)
    MOUSE["click"](400, 300)
    assert row(300), f"offline at /{kept}, a click drew nothing"
open_page(address=url + "#v1.0..GQEs")  # a drawing's link: a vertex at (400, 300)
assert len(row(300)) == 5, f"offline, the link drew {row(300)}"
driver.execute_cdp_cmd("Browser.grantPermissions", {"origin": url[:-1], "permissions": [
    "clipboardReadWrite", "clipboardSanitizedWrite"]})
driver.find_element("id", "copy-link").click()  # served: the whole address
said("Link copied: 1 vertex.")
assert driver.execute_async_script(COPIED) == url + "#v1.0..GQEs", "not the address copied"
with open(os.path.join(site, "index.html"), "r+") as index:  # a new version, on the same host
    new = index.read().replace("<h2>Using polyhull", "<h2>Using polyhull again")
    index.seek(0)
    index.write(new)
serve(site, port)
for _ in range(2):
    open_page()
assert "Using polyhull again" in driver.find_element("tag name", "main").text, "not the new version"
with open(os.path.join(site, "sw.js"), "r+") as worker:  # a new build's worker, with its cache
    old = worker.read()
    name = re.search(r"' ([0-9a-f]{16})';", old).group(1)
    worker.seek(0)
    worker.write(old.replace(name, "0" * 16))
driver.execute_async_script("navigator.serviceWorker.getRegistration().then(r => r.update())"
                            ".then(() => arguments[0]())")
caches = lambda: driver.execute_async_script("caches.keys().then(arguments[0])")
WebDriverWait(driver, 10).until(lambda _: caches() == [f"polyhull {url} {'0' * 16}"],
                                f"after an update the caches are {caches()}")
alone = os.path.join(work, "alone")  # the one file, alone on another host
os.makedirs(alone, exist_ok=True)
shutil.copy(page, alone)
asked[:] = []
serve(alone)
url += "polyhull.html"
open_page()
assert asked == ["/polyhull.html"], f"the one file asked for {asked}"
finish()
