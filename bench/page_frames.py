#!/usr/bin/python3
"""How fast the page draws as the polyline grows: page_frames.py PAGE [SECONDS] serves PAGE and a
blank page (a WebGL canvas and an animation-frame loop that does nothing) from one folder on
127.0.0.1 and opens them in headless Chromium. For 300, 3,000 and 10,000 vertices of a random walk
of short steps, as a hand draws, placed by clicks, with the outline and the hull shown, it
measures for SECONDS (3 unless given) the animation-frame rate and the script time a frame (the
time in the page's animation-frame callbacks), idle and while a vertex is dragged in move mode,
and with Steps on; it prints each against the blank page's frame rate, and how long Steps takes
to read and show every step when it is turned on. At 3,000 and 10,000 vertices it also drags
fast: a new place each frame, round a circle of 120 pixels' radius. On simple spirals of 1,200,
5,000 and 10,000 vertices it times an edit, from a click to the end of the frame after it
(median of ten clicks), and the crossing check after a click and after a put-down. Then it times
the page's check of where the polyline stops being simple and which vertices the hull drawn
leaves outside after the last of 2,000 clicks: a random walk, which crosses itself early, and a
simple spiral. Last, the spiral example of 1,200 vertices: how long its button takes to put it in, a
step to show, the frame rate with Steps on and while a vertex is dragged, and the link written.
"""
import functools, http.server, math, os, random, shutil, sys, tempfile, threading
from selenium import webdriver

FLAGS = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --window-size=1000,1000").split()
BLANK = """<!doctype html><html lang="en"><title>blank</title><canvas width="800" height="600">
</canvas><script>document.querySelector('canvas').getContext('webgl');
var Module = {calledRun: true};</script></html>"""
# Times every animation-frame callback the page asks for; the benchmark's own loop (benchFrame)
# is left out of the count.
TIMED = """window.timed = 0; window.benchFrame = requestAnimationFrame.bind(window);
window.requestAnimationFrame = function(callback) { return benchFrame(function(t) {
  const start = performance.now();
  try { callback(t); } finally { timed += performance.now() - start; } }); };"""
# Frames a second and script milliseconds a frame over arguments[0] seconds, each frame calling
# window.each (a drag) first when there is one.
MEASURE = """const [seconds, done] = arguments, start = performance.now();
let frames = 0;
timed = 0;
(function tick() {
  ++frames;
  if (window.each) each(frames);
  const spent = performance.now() - start;
  if (spent < seconds * 1000) return benchFrame(tick);
  done([frames * 1000 / spent, timed / frames]);
})();"""
# Clicks at each pixel of arguments[0] through the canvas's own events.
CLICKS = """const rect = canvas.getBoundingClientRect(), scale = rect.width / canvas.width;
const at = (type, x, y, target) => target.dispatchEvent(new MouseEvent(type, {bubbles: true,
  clientX: rect.left + (x + 0.5) * scale, clientY: rect.top + (y + 0.5) * scale}));
for (const [x, y] of arguments[0]) { at('mousedown', x, y, canvas); at('mouseup', x, y, window); }
window.at = at;"""
KEYS = "for (const key of arguments[0]) dispatchEvent(new KeyboardEvent('keydown', {key}));"
# Move mode on, a press on the middle vertex (which picks it or an earlier one on its spot), and a
# drag to and fro, a pixel a frame; or FAST, round a circle of 120 pixels, 1/8 radian a frame.
DRAG = """KEYS; const v = Module._shownVertexCount() >> 1;
const x = Math.floor(Module._vertexWindowX(v)), y = Math.floor(Module._vertexWindowY(v));
at('mousedown', x, y, canvas);
window.each = window.FAST ? (frame) => at('mousemove', 400 + Math.round(120 * Math.cos(frame / 8)),
    300 + Math.round(120 * Math.sin(frame / 8)), window) :
    (frame) => at('mousemove', x + frame % 20, y, window);
return Module._shownPickedVertex() >= 0;"""


def walk(n, seed=1):  # a random walk of short steps, kept on the canvas
    rng, x, y, points = random.Random(seed), 400, 300, []
    for _ in range(n):
        x = min(max(x + rng.randint(-6, 6), 10), 789)
        y = min(max(y + rng.randint(-6, 6), 10), 589)
        points.append((x, y))
    return points


def spiral(n, apart=16, step=8):  # a simple one: turns 16 pixels apart, steps of 8 pixels; with
    points, angle = [], 0.0  # 10,000 vertices, 6 and 4.5 keep it on the canvas
    while len(points) < n:
        radius = 20 + apart * angle / (2 * math.pi)
        angle += step / radius
        points.append((round(400 + radius * math.cos(angle)), round(300 + radius * math.sin(angle))))
    return points


# Places all but the last vertex, lets a frame pass, places the last and times the check then:
# milliseconds, and where the polyline first crosses itself (-1: nowhere).
CHECK = """const points = arguments[0], done = arguments[1], last = points.pop();
for (const [x, y] of points) { at('mousedown', x, y, canvas); at('mouseup', x, y, window); }
requestAnimationFrame(() => requestAnimationFrame(() => {
  at('mousedown', last[0], last[1], canvas); at('mouseup', last[0], last[1], window);
  const start = performance.now(), changed = Module._promiseCheck();
  done([performance.now() - start, changed, Module._promiseCrossing()]); }));"""


def check_figures(driver, url, points):
    driver.get(url)
    driver.execute_script("return new Promise(r => (function wait() { Module.calledRun ? r() : "
                          "setTimeout(wait, 50); })())")
    driver.execute_script(CLICKS, [])
    driver.execute_script(KEYS, "a")
    took, changed, crossing = driver.execute_async_script(CHECK, points)
    assert changed, "the check did not run"
    return took, crossing


# The spiral example put in by its button, and then the time a step takes to show, over 100 steps.
EXAMPLE = """let start = performance.now();
document.querySelector('[data-example="5"]').click();
const loaded = performance.now() - start, back = document.querySelector('[data-step=back]');
document.getElementById('steps').click();
start = performance.now();
for (let i = 0; i < 100; ++i) back.click();
return [loaded, (performance.now() - start) / 100];"""
# Milliseconds to write the drawing's link.
LINK = "const start = performance.now(); linkOf(); return performance.now() - start;"


def example_figures(driver, url, seconds):  # the 1,200-vertex example: in, idle, Steps, a drag
    driver.get(url)
    driver.execute_script("return new Promise(r => (function wait() { Module.calledRun ? r() : "
                          "setTimeout(wait, 50); })())")
    driver.execute_script(CLICKS, [])
    loaded, step = driver.execute_script(EXAMPLE)
    measure(driver, 0.5)
    steps = measure(driver, seconds)
    assert driver.execute_script(DRAG.replace("KEYS", KEYS.replace("arguments[0]", "'m'"))), \
        "the drag picked no vertex"
    dragging = measure(driver, seconds)
    return loaded, step, steps, dragging, driver.execute_script(LINK)


def measure(driver, seconds):
    return driver.execute_async_script(MEASURE, seconds)


# Ten clicks going on along the spiral, each timed from the click to the start of the second
# frame after it (the end of the frame that shows it): the median, in milliseconds.
EDIT = """const [points, done] = arguments, took = [];
(function click() {
  if (took.length == 10) return done(took.sort((a, b) => a - b)[5]);
  const start = performance.now(), [x, y] = points[took.length];
  at('mousedown', x, y, canvas); at('mouseup', x, y, window);
  benchFrame(() => benchFrame(() => { took.push(performance.now() - start);
                                       benchFrame(() => benchFrame(click)); })); })();"""


# A vertex in the middle moved a pixel in move mode and put down: the check then, in milliseconds.
PUT_DOWN = """const v = Module._shownVertexCount() >> 1;
const x = Math.floor(Module._vertexWindowX(v)), y = Math.floor(Module._vertexWindowY(v));
dispatchEvent(new KeyboardEvent('keydown', {key: 'm'}));
at('mousedown', x, y, canvas); at('mousemove', x + 1, y, window); at('mouseup', x + 1, y, window);
const start = performance.now(), changed = Module._promiseCheck();
return [performance.now() - start, changed];"""


def edit_figures(driver, url, n):  # the spiral, placed; an edit's time and a check's
    points = spiral(n + 10, 6, 4.5)
    driver.get(url)
    driver.execute_script("return new Promise(r => (function wait() { Module.calledRun ? r() : "
                          "setTimeout(wait, 50); })())")
    driver.execute_script(CLICKS, points[:n])
    driver.execute_script(KEYS, "pa")
    measure(driver, 0.5)
    took = driver.execute_async_script(EDIT, points[n:])
    moved, changed = driver.execute_script(PUT_DOWN)
    assert changed, "the put-down was not checked"
    check, crossing = check_figures(driver, url, points[:n + 1])
    return took, check, crossing, moved


def page_figures(driver, url, n, seconds):
    driver.get(url)
    driver.execute_script("return new Promise(r => (function wait() { Module.calledRun ? r() : "
                          "setTimeout(wait, 50); })())")
    driver.execute_script(CLICKS, walk(n))
    driver.execute_script(KEYS, "pa")
    measure(driver, 0.5)  # settled
    idle = measure(driver, seconds)
    assert driver.execute_script(DRAG.replace("KEYS", KEYS.replace("arguments[0]", "'m'"))), \
        "the drag picked no vertex"
    dragging = measure(driver, seconds)
    driver.execute_script("window.each = null; at('mouseup', 0, 0, window)")
    fast = None
    if n >= 3000:
        assert driver.execute_script(DRAG.replace("KEYS", "window.FAST = 1")), "nothing picked"
        fast = measure(driver, seconds)
        driver.execute_script("window.each = null; window.FAST = 0; at('mouseup', 0, 0, window)")
    ready = driver.execute_script("const start = performance.now(); "
                                  "document.getElementById('steps').click(); "
                                  "return performance.now() - start")  # every step, read and shown
    measure(driver, 0.5)
    steps = measure(driver, seconds)
    return idle, dragging, steps, ready, driver.execute_script(LINK), fast


def main():
    page, seconds = sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 3
    folder = tempfile.mkdtemp()
    shutil.copy(page, os.path.join(folder, "page.html"))
    with open(os.path.join(folder, "blank.html"), "w") as blank:
        blank.write(BLANK)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(
        type("Quiet", (http.server.SimpleHTTPRequestHandler,), {"log_message": lambda *_: 0}),
        directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}/"
    options = webdriver.ChromeOptions()
    for flag in FLAGS:
        options.add_argument(flag)
    driver = webdriver.Chrome(options=options)
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": TIMED})
    try:
        driver.get(base + "blank.html")
        blank = measure(driver, seconds)[0]
        print(f"blank page: {blank:.1f} frames/s")
        print("vertices | idle: frames/s (of blank), ms a frame | dragging | Steps on | "
              "Steps ready in | link written in")
        cell = lambda fps, ms: f"{fps:5.1f} ({fps / blank:.2f}), {ms:5.2f} ms"
        fast = {}
        for n in 300, 3000, 10000:
            *figures, ready, link, fast[n] = page_figures(driver, base + "page.html", n, seconds)
            print(f"{n:8} | " + " | ".join(cell(*f) for f in figures) +
                  f" | {ready:.0f} ms | {link:.1f} ms")
        for n in 3000, 10000:
            print(f"fast drag, {n} vertices: {cell(*fast[n])}")
        for n in 1200, 5000, 10000:
            took, check, crossing, moved = edit_figures(driver, base + "page.html", n)
            assert crossing < 0, f"the spiral of {n} crosses itself at vertex {crossing + 1}"
            print(f"simple spiral of {n} vertices: a click shown in {took:.1f} ms (median of "
                  f"ten); the check after a click {check:.1f} ms, after a put-down {moved:.1f} ms")
        loaded, step, steps, dragging, link = example_figures(driver, base + "page.html", seconds)
        print(f"spiral example, 1,200 vertices: put in {loaded:.0f} ms, a step shown in "
              f"{step:.2f} ms, Steps on {cell(*steps)}, dragging {cell(*dragging)}, link written "
              f"in {link:.1f} ms")
        for name, points in ("random walk", walk(2000)), ("simple spiral", spiral(2000)):
            took, crossing = check_figures(driver, base + "page.html", points)
            print(f"checks on 2,000 vertices, {name}: {took:.1f} ms (first crossing at vertex "
                  f"{crossing + 1 if crossing >= 0 else 'none'})")
    finally:
        driver.quit()
        server.shutdown()
        shutil.rmtree(folder)


main()
