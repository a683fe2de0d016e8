#!/usr/bin/python3
"""How soon the page draws: page_start.py PAGE [RUNS] serves PAGE and a blank page beside it (one
that clears a WebGL canvas in its first animation frame) from one folder on 127.0.0.1, and opens
each in fresh headless Chromium instances, RUNS times (7 unless given), in turns. It times the
first WebGL clear or draw from the navigation's start: cold (the browser's first visit) and
reloaded with the cache off, and prints the medians and the page's ratio to the blank page's."""
import functools, http.server, os, shutil, statistics, sys, tempfile, threading, time
from selenium import webdriver

FLAGS = ("--headless=new --use-angle=swiftshader --enable-unsafe-swiftshader --no-sandbox "
         "--disable-background-networking --disable-component-update --disable-sync "
         "--no-first-run --window-size=1000,1000").split()
BLANK = """<!doctype html><html lang="en"><title>blank</title><canvas width="800" height="600">
</canvas><script>requestAnimationFrame(function() {
  var gl = document.querySelector('canvas').getContext('webgl');
  gl.clearColor(0, 0, 0, 1); gl.clear(gl.COLOR_BUFFER_BIT); });</script></html>"""
# The page's GL draws its first frame as one texture (drawArrays) and clears nothing; the blank
# page clears. Either is the first pixel drawn.
FIRST_CLEAR = """['clear', 'drawArrays'].forEach(function(name) {
  const call = WebGLRenderingContext.prototype[name];
  WebGLRenderingContext.prototype[name] = function() {
    if (window.firstClear === undefined) window.firstClear = performance.now();
    return call.apply(this, arguments); }; });"""


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *_):
        pass


def first_clear(driver, url=None):  # navigates (or reloads) and waits for the first clear
    driver.get(url) if url else driver.refresh()
    for _ in range(300):
        at = driver.execute_script("return window.firstClear")
        if at is not None:
            return at
        time.sleep(0.01)
    sys.exit(f"no WebGL clear at {driver.current_url}")


def times(url):  # ms to the first clear: cold, then reloaded with the cache off
    options = webdriver.ChromeOptions()
    for flag in FLAGS:
        options.add_argument(flag)
    driver = webdriver.Chrome(options=options)
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_CLEAR})
        cold = first_clear(driver, url)
        driver.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
        return cold, first_clear(driver)
    finally:
        driver.quit()


folder = tempfile.mkdtemp()
shutil.copy(sys.argv[1], os.path.join(folder, "page.html"))
with open(os.path.join(folder, "blank.html"), "w") as blank:
    blank.write(BLANK)
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                         functools.partial(Quiet, directory=folder))
threading.Thread(target=server.serve_forever, daemon=True).start()
base = f"http://127.0.0.1:{server.server_address[1]}/"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 7
found = {"page": [], "blank": []}
for _ in range(runs):
    for name in found:
        found[name].append(times(base + name + ".html"))
for i, kind in enumerate(("cold", "reloaded")):
    page, blank = (statistics.median(t[i] for t in found[n]) for n in ("page", "blank"))
    print(f"{kind:9} page {page:6.1f} ms, blank {blank:6.1f} ms: {page / blank:.2f}x")
server.shutdown()
shutil.rmtree(folder)
