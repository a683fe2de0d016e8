// The page around the program: its layout on any screen, its buttons, what it says of the
// drawing for a screen reader, and its messages when the program cannot run or has ended.
// Runs before the program's script, which finds it in Module.
var canvas = document.getElementById('canvas');
var app = document.getElementById('app'), keys = document.getElementById('keys');
var buttons = document.querySelectorAll('#keys button');
var start = document.getElementById('start');  // how to begin, while the drawing is empty
var errors = [];  // every uncaught error and rejection: a console any test can read

// ---- When the program cannot run ----

// The reason in place of the canvas, and no control on the page acts.
function cannotRun(reason) {
  var message = document.getElementById('cannot');
  message.textContent = reason;
  message.hidden = false;
  canvas.hidden = start.hidden = true;
  stopControls();
  fit();
}
// Every button, slider and list, the examples', the link's and the picture's too: with no program
// to act on, none may seem to do something.
function stopControls() {
  document.querySelectorAll('button, input, select').forEach(function(c) { c.disabled = true; });
}
function couldNotStart(what) {
  cannotRun('polyhull could not start in this browser (' + what + '). Try another browser, ' +
            'or a newer version of this one.');
}
function caught(what) {
  errors.push(what);
  if (!Module.calledRun) couldNotStart(what);
}
window.addEventListener('error', function(event) {
  caught(event.message + (event.error ? ' (' + event.error + ')' : ''));
});
window.addEventListener('unhandledrejection', function(event) { caught(String(event.reason)); });
// A browser takes the graphics of a page away when it runs short of them (many tabs with WebGL,
// a phone reclaiming a background tab, a driver reset); nothing of the drawing can be kept.
canvas.addEventListener('webglcontextlost', function() {
  cannotRun('The browser took the graphics away from this page, so the drawing is gone. ' +
            'Reload the page to start polyhull again.');
});
canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });

// ---- Layout ----

// The canvas as large as fits in the viewport with the lesson in view beside it or under it, and
// no larger than its own 800 by 600 pixels; it keeps drawing 800 by 600 pixels, only its shown
// size changes. The lesson in view is its buttons, the note when there is one, and with Steps on
// the step's words and four lines of the method (which scrolls its own box), else the examples.
// Where that would leave the canvas under LESSON of the size it has with the buttons alone in
// view (a phone turned), the buttons alone go beside it or under it and the rest under both.
var lesson = document.getElementById('lesson'), methodBox = document.getElementById('method-box');
var LESSON = 0.6, fitted = [];  // fitted: what follows each new layout (web/teaching/)
function fit() {
  var body = getComputedStyle(document.body), gap = parseFloat(getComputedStyle(app).columnGap);
  var room = {gap: gap, width: document.documentElement.clientWidth -
              parseFloat(body.marginLeft) - parseFloat(body.marginRight),
              height: document.documentElement.clientHeight - parseFloat(body.marginTop) -
              parseFloat(body.marginBottom)};
  app.style.setProperty('--lesson-height', 'none');
  methodBox.style.maxHeight = '0';  // at its least height while measuring
  room.most = Math.floor(Math.min(800, room.width, room.height * 4 / 3));  // none is larger
  var whole = largest(room, ['beside', ''], needs());  // beside, where both are as large
  var alone = whole.size >= LESSON * room.most ? whole : largest(room, ['', 'keys'], [keys]);
  var chosen = whole.size >= LESSON * alone.size ? whole : alone;
  methodBox.style.maxHeight = '';
  layOut(chosen.layout, chosen.size);
  if (chosen == whole) {  // the lesson takes the height left, the method's box all it can
    var top = chosen.layout ? 0 : chosen.size * 3 / 4 + gap;
    app.style.setProperty('--lesson-height', Math.floor(room.height - top) + 'px');
  }
  fitted.forEach(function(then) { then(); });
}
function needs() {  // the lesson's parts to keep in view; of the examples, their buttons
  var stepping = !methodBox.hidden, parts = [];
  [].forEach.call(lesson.children, function(part) {
    if (part.id != 'examples-box') return part.hidden || parts.push(part);
    if (!stepping) parts.push.apply(parts, part.querySelectorAll('.row'));
  });
  return parts;
}
// The largest canvas width of the layouts with the parts in view: {layout, size}. Each layout is
// measured only while it could give more than the best so far, the one that could give most
// first (the first named, where they could give as much).
function largest(room, layouts, parts) {
  var best = {layout: '', size: 0}, column = lessonColumn();
  layouts.map(function(layout) {
    var most = layout == 'beside' ? room.width - room.gap - column : room.most;
    return {layout: layout, most: Math.min(most, room.most)};
  }).sort(function(a, b) { return b.most - a.most; }).forEach(function(c) {
    if (best.size >= c.most) return;
    var size = Math.floor(c.layout ? sizeBeside(room, c.layout, parts) : sizeUnder(room, parts));
    if (size > best.size) best = {layout: c.layout, size: size};
  });
  return best;
}
function lessonColumn() {  // the lesson's least width beside the canvas
  return parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--lesson-least'));
}
function reach(parts) {  // from the top of the app to the bottom of the lowest of the parts
  var top = app.getBoundingClientRect().top;
  return Math.max.apply(null, parts.map(function(part) {
    return part.getBoundingClientRect().bottom - top;
  }));
}
function sizeUnder(room, parts) {
  layOut('', 0);
  return Math.min(800, room.width, (room.height - reach(parts)) * 4 / 3);
}
// Beside, the parts' column keeps at least its least width: the canvas narrows only where the
// column would not fit the height, which then widens it.
function sizeBeside(room, layout, parts) {
  layOut(layout, 0);
  var column = layout == 'keys' ? keys.offsetWidth : lessonColumn();
  var fits = function(size) { return layOut(layout, size), reach(parts) <= room.height; };
  var most = Math.min(800, room.width - room.gap - column, room.height * 4 / 3), least = -1;
  if (most < 0 || fits(most)) return most;
  for (var step = 512; step >= 1; step /= 2) {
    if (least + step < most && fits(least + step)) least += step;
  }
  return least;
}
function layOut(layout, canvasWidth) {
  app.className = layout;
  app.style.setProperty('--canvas-width', Math.floor(canvasWidth) + 'px');
}
window.addEventListener('resize', fit);
fit();

// ---- Buttons ----

// Each button types its key for the program, but the Shift one, which holds Shift down for
// clicks and taps while it is on. A mouse or a finger leaves the keyboard's focus where it was.
buttons.forEach(function(button) {
  button.addEventListener('mousedown', function(event) { event.preventDefault(); });
  if (!button.dataset.key) return;  // the Steps view's own (web/teaching/steps.js)
  button.addEventListener('click', function() {
    if (button.dataset.key == 'Shift') {
      Module.snap = !Module.snap;
      button.setAttribute('aria-pressed', Module.snap);
    } else {
      window.dispatchEvent(new KeyboardEvent('keydown', {key: button.dataset.key}));
    }
  });
});

// ---- The drawing in words ----

// Read once a frame: the canvas's text alternative and the toggles' pressed state follow the
// program however it changed (a button, a letter, the right button), and the status line says
// what an action changed. A drag changes none of what is read, so it is said once, at the end.
var shown = null, shownAsText = '', alsoDescribed = '';
// Views that follow the drawing (web/teaching/), called each frame after it with what the status
// line said of this frame's change; each returns what has been said then.
var followers = [];
function readDrawing() {
  var flags = Module._shownFlags();
  return {vertices: Module._shownVertexCount(), corners: Module._shownHullCount(),
          outline: !!(flags & 1), closed: !!(flags & 2), hull: !!(flags & 4),
          move: !!(flags & 8), picked: Module._shownPickedVertex()};
}
function vertices(n) { return n + (n == 1 ? ' vertex' : ' vertices'); }
function hull(corners) {  // none before three vertices; two ends for vertices all on one line
  return corners < 2 ? 'none yet' : corners == 2 ? 'a segment' : corners + ' corners';
}
function describe(d) {
  return vertices(d.vertices) + '. Outline ' + (d.outline ? 'shown' : 'hidden') + ', ' +
         (d.closed ? 'closed' : 'open') + '. Hull ' + (d.hull ? 'shown, ' + hull(d.corners) :
         'hidden') + '. Move mode ' + (d.move ? 'on' : 'off') +
         (d.picked >= 0 ? ', vertex ' + (d.picked + 1) + ' picked' : '') + '.';
}
function changes(was, now) {
  var said = [];
  if (now.vertices < was.vertices) said.push('Cleared');
  if (now.vertices > was.vertices) said.push('Vertex ' + now.vertices + ' placed');
  if (now.outline != was.outline) said.push('Outline ' + (now.outline ? 'shown' : 'hidden'));
  if (now.closed != was.closed) said.push('Outline ' + (now.closed ? 'closed' : 'opened'));
  if (now.hull != was.hull) {
    said.push(now.hull ? 'Hull shown, ' + hull(now.corners) : 'Hull hidden');
  } else if (now.hull && now.corners != was.corners) said.push('Hull: ' + hull(now.corners));
  if (now.move != was.move) said.push('Move mode ' + (now.move ? 'on' : 'off'));
  if (now.picked >= 0 && now.picked != was.picked) {
    said.push('Vertex ' + (now.picked + 1) + ' picked');
  }
  if (now.picked < 0 && was.picked >= 0 && now.vertices) {
    said.push('Vertex ' + (was.picked + 1) + ' put down');
  }
  return said.join('. ');
}
function showDrawing() {
  if (Module.ended) return;
  var now = readDrawing(), nowAsText = JSON.stringify(now), said = '';
  if (nowAsText != shownAsText) {
    document.getElementById('shown').textContent = describe(now) + alsoDescribed;
    ['outline', 'closed', 'move', 'hull'].forEach(function(flag, i) {
      buttons[i].setAttribute('aria-pressed', now[flag]);
    });
    if (shown) say(said = changes(shown, now));
    start.hidden = now.vertices > 0;
    shown = now;
    shownAsText = nowAsText;
  }
  followers.forEach(function(follow) { said = follow(said); });
  requestAnimationFrame(showDrawing);
}
function say(words) { document.getElementById('said').textContent = words + '.'; }
// Words a view adds to the canvas's description while they hold.
function describeAlso(words) {
  alsoDescribed = words;
  if (shown) document.getElementById('shown').textContent = describe(shown) + words;
}

// ---- The installed site ----

// The site's page names its manifest. Served over http or https, it registers the worker beside
// it, which keeps the site for starting offline and refetches it past the HTTP cache; where the
// browser refuses (plain http from another host), the page runs as it is. The one file names no
// manifest and asks for no worker, from the disk or from a server.
if (document.querySelector('link[rel=manifest]') && /^https?:$/.test(location.protocol) &&
    navigator.serviceWorker) {
  navigator.serviceWorker.register('sw.js', {updateViaCache: 'none'}).catch(function() {});
}

// ---- The program ----

// It starts after the page's first paint, on the one WebGL context that this asks of its own
// canvas with the attributes GLUT asks for (GLUT_RGB and no more), so that GLUT gets this same
// context back. Where there is none, it does not start and the page says why.
var GLUT_ATTRIBUTES = {alpha: false, depth: false, stencil: false, antialias: false,
                       preserveDrawingBuffer: true};
function afterFirstPaint(then) {  // as the browser reports its paint, or two frames on
  var observes = window.PerformanceObserver && PerformanceObserver.supportedEntryTypes;
  if (!observes || observes.indexOf('paint') < 0) {
    return requestAnimationFrame(function() { requestAnimationFrame(then); });
  }
  new PerformanceObserver(function(list, observer) {
    observer.disconnect();
    then();
  }).observe({type: 'paint', buffered: true});
}
var Module = {
  canvas: canvas,
  pointer: document.getElementById('pointer'),
  onAbort: couldNotStart,
  preRun: [function() {
    Module.addRunDependency('first paint');
    afterFirstPaint(function() {
      if (canvas.getContext('webgl', GLUT_ATTRIBUTES)) {
        return Module.removeRunDependency('first paint');
      }
      cannotRun('polyhull needs WebGL, which this browser does not offer or has turned off. ' +
                'Try another browser, or turn on graphics acceleration (hardware acceleration) ' +
                'in this browser\'s settings.');
    });
  }],
  postRun: [showDrawing],
  onExit: function(status) {
    Module.ended = true;
    var ended = document.getElementById('ended');
    ended.textContent =
        'polyhull ended with status ' + status + '. Reload the page to start it again.';
    ended.hidden = false;
    say(ended.textContent.slice(0, -1));
    canvas.classList.remove('keyboard');  // no pointer to move any more
    start.hidden = true;
    stopControls();
    fit();
  },
};
