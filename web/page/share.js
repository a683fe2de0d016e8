// Sharing a drawing: examples to start from, the page's address as a link to what it shows, and
// a picture of it. A drawing goes into the program only as its own input: a left click at each
// vertex's pixel and the toggles' keys, so that the program places the vertices and computes
// the hull as it does for a person. Runs after web/page/page.js and web/teaching/.
var share = {
  link: '',      // the address's fragment as last written, without its #
  made: '',      // the drawing's link as last made (linkOf)
  calls: -1,     // the program's input callbacks run when it was last asked whether it changed
  at: -1,        // the step shown then
  written: 0,    // when the address was last written (ms)
  loaded: -1,    // the input callbacks run once a link or an example was put in
  words: document.getElementById('shared'),
};
// A link holds at most LINK_LIMIT vertices; each is four of these digits (base 64, safe in an
// address).
var LINK_LIMIT = 10000, DIGITS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';

// ---- The link ----

// The drawing's link: "v1.F.S.V", F its display flags (1 outline, 2 closed, 4 hull), S the step
// Steps shows (empty with Steps off; after a p with Predict on) and V its vertices in order, each
// x * 4096 + y of its canvas pixel in four digits. '' for no vertex; for a drawing no link can hold, the number of a vertex
// off the canvas, or 0 for more than LINK_LIMIT vertices.
function linkOf() {
  var n = Module._shownVertexCount(), v = '';
  if (n > LINK_LIMIT) return 0;
  for (var i = 0; i < n; ++i) {
    var x = Module._vertexWindowX(i), y = Module._vertexWindowY(i), d = x * 4096 + y;
    if (!(x >= 0 && x < 800 && y >= 0 && y < 600)) return i + 1;
    v += DIGITS[d >> 18] + DIGITS[d >> 12 & 63] + DIGITS[d >> 6 & 63] + DIGITS[d & 63];
  }
  var at = steps.on ? (predict.on ? 'p' : '') + (steps.events.length ? steps.at : 0) : '';
  return n ? 'v1.' + (Module._shownFlags() & 7) + '.' + at + '.' + v : '';
}

// What a link holds, read as far as it can be: its vertices as canvas pixels, its flags (-1 where
// unread), step (-1 for Steps off) and whether Predict is on, and in words what could not be read.
function readLink(link) {
  var got = {points: [], flags: -1, step: -1, predict: false, problem: ''}, parts = link.split('.');
  var quoted = function(text) { return '"' + text.slice(0, 12) + (text.length > 12 ? '…"' : '"'); };
  if (!/^v\d+$/.test(parts[0])) got.problem = 'it does not hold a polyhull drawing';
  else if (parts[0] != 'v1') got.problem = 'it was made in a later format (' + parts[0] + ')';
  else if (parts.length != 4) got.problem = 'it is cut short or has parts this page does not know';
  else if (!/^[0-7]$/.test(parts[1])) got.problem = 'its display settings ' + quoted(parts[1]) +
                                                    ' are not a digit from 0 to 7';
  else if (!/^(p?\d{1,6})?$/.test(parts[2])) got.problem = 'its step ' + quoted(parts[2]) +
                                                           ' is not a whole number';
  if (got.problem) return got;
  got.flags = Number(parts[1]);
  got.predict = parts[2][0] == 'p';
  got.step = parts[2] ? Number(parts[2].replace('p', '')) : -1;
  for (var i = 0; i < parts[3].length && !got.problem; i += 4) {
    var d = 0, k = i / 4 + 1;
    for (var j = i; j < i + 4; ++j) d = d * 64 + DIGITS.indexOf(parts[3][j]);
    if (i + 4 > parts[3].length) got.problem = 'it is cut short in vertex ' + k;
    else if (/[^\w-]/.test(parts[3].substr(i, 4))) got.problem = 'vertex ' + k + ' ' +
        quoted(parts[3].substr(i, 4)) + ' is not written in the link\'s digits';
    else if (d >> 12 >= 800 || (d & 4095) >= 600) got.problem = 'vertex ' + k + ' (' + (d >> 12) +
        ', ' + (d & 4095) + ') lies off the 800 by 600 canvas';
    else if (k > LINK_LIMIT) got.problem = 'it holds more than ' + LINK_LIMIT + ' vertices';
    else got.points.push([d >> 12, d & 4095]);
  }
  return got;
}

// Each frame: once the drawing or its step changed, the address holds its link, written at most
// every 300 ms (browsers limit how often a page may) and never adding to the history. The
// drawing can change only in input, and is compared only after some (Module.glutCalls).
function followLink(said) {
  var at = steps.on ? (predict.on ? 'p' : '') + steps.at : -1, now = performance.now();
  if ((Module.glutCalls != share.calls || at != share.at) && Module._shownPickedVertex() < 0) {
    share.calls = Module.glutCalls;
    var stale = Module._linkStale();  // asked each time, as it keeps what it compared
    if (stale || at != share.at) share.made = linkOf();
    share.at = at;
  }
  var link = typeof share.made == 'string' ? share.made : '';
  if (link != share.link && now - share.written > 300) {
    var bare = location.pathname + location.search;
    history.replaceState(history.state, '', link ? '#' + link : bare);
    share.link = link;
    share.written = now;
  }
  return said;
}

// ---- Putting a drawing in ----

function type(key) { window.dispatchEvent(new KeyboardEvent('keydown', {key: key})); }

// Replaces the drawing by points (canvas pixels) through the program's input, shows the flags
// (where not -1) and Steps at step (off for -1; the last step for one past it), Predict on or off
// where predicting is given, and says words.
function putIn(points, flags, step, words, predicting) {
  if (Module.ended) return;
  var snap = Module.snap;
  Module.snap = false;  // the clicks as they were made
  type('r');
  points.forEach(function(p) { Module.glutClick(p[0], p[1]); });
  Module.snap = snap;
  ['p', 'c', 'a'].forEach(function(key, i) {
    if (flags >= 0 && (Module._shownFlags() >> i & 1) != (flags >> i & 1)) type(key);
  });
  if (steps.on != step >= 0) steps.toggle.click();
  else if (steps.on) readSteps('');
  if (predicting !== undefined && steps.on) setPredict(predicting);
  if (steps.on && steps.events.length) showStep(Math.min(step, steps.events.length - 1));
  share.loaded = Module.glutCalls;
  shown = null;  // the page says these words, not each click's
  shareSays(words);
}

function shareSays(words) {
  share.words.textContent = words;
  share.words.hidden = !words;
  if (words) say(words.slice(0, -1));
}

// The drawing in the address: on opening the page, and when a person changes the address's
// fragment in place.
function openLink() { openDrawing(location.hash.slice(1)); }
function openDrawing(link) {
  if (!link || link == share.link) return;
  var got = readLink(link);
  share.link = link;
  var read = got.points.length ? vertices(got.points.length) : 'no vertex';
  putIn(got.points, got.flags, got.step,
        got.problem ? 'This link could not be read whole: ' + got.problem + '. Shown: ' + read +
                      '.' : 'Opened the drawing in the link: ' + read + '.', got.predict);
}
Module.postRun.unshift(openLink);
window.addEventListener('hashchange', openLink);
followers.push(followLink);

// ---- Examples ----

// Each with its vertices (x, y, x, y, ...), the flags it shows, the vertex whose last step shows
// what it is for (0: Steps off) and what it shows.
var EXAMPLES = [
  [[600, 300, 541, 159, 400, 100, 259, 159, 200, 300, 259, 441, 400, 500, 541, 441], 7, 8,
   'a convex polygon traced in order: each vertex lies outside the hull so far, so none is ' +
   'skipped and the hull is every vertex.'],
  [[200, 450, 600, 450, 400, 150, 380, 350, 330, 330, 400, 60, 300, 300, 80, 350], 5, 6,
   'a winding polyline: vertices 4, 5 and 7 lie inside the hull so far and are skipped; ' +
   'vertex 6 pops vertex 3 off both ends of the deque.'],
  [[250, 400, 400, 400, 550, 400, 400, 150, 250, 300], 5, 3,
   'a straight start: vertices 1 to 3 lie on one line, so the deque starts with 2 before 1.'],
  [[200, 450, 600, 450, 600, 150, 200, 150, 200, 150, 300, 80], 5, 5,
   'a vertex placed twice: vertex 5 is vertex 4 again, on both end edges and so not left of ' +
   'them; it pops 4 off both ends and takes its place.'],
  [[250, 450, 550, 450, 550, 150, 250, 150, 400, 520], 5, 5,
   'a polyline that crosses itself: segment 4–5 crosses segment 1–2, and vertex 5 is skipped ' +
   'though it lies outside the hull.'],
  [spiral(), 5, 0, 'a simple spiral of 1,200 vertices, its turns 14 pixels apart.'],
];

// An Archimedean spiral out from the canvas's middle: a vertex every 14 pixels along it.
function spiral() {
  var b = 14 / 2 / Math.PI, points = [];
  for (var i = 0; i < 1200; ++i) {
    var t = Math.sqrt(2 * (400 + 14 * i) / b);
    points.push(Math.round(400 + b * t * Math.cos(t)), Math.round(300 - b * t * Math.sin(t)));
  }
  return points;
}

// An example replaces the drawing, once asked when more than three vertices of the person's own
// would be lost.
document.querySelectorAll('[data-example]').forEach(function(button) {
  button.addEventListener('click', function() {
    var e = EXAMPLES[button.dataset.example], points = [], n = Module._shownVertexCount();
    if (n > 3 && Module.glutCalls != share.loaded &&
        !confirm('Replace your drawing of ' + vertices(n) + ' with the example?')) return;
    for (var i = 0; i < e[0].length; i += 2) points.push([e[0][i], e[0][i + 1]]);
    putIn(points, e[1], e[2] ? 0 : -1, 'Example: ' + e[3]);
    if (e[2]) showStep(steps.lastOf[e[2]]);
  });
});

// ---- The link and the picture to keep ----

document.getElementById('copy-link').addEventListener('click', function() {
  var made = linkOf();
  if (typeof made != 'string') {
    return shareSays(made ? 'No link can hold this drawing: vertex ' + made + ' lies off the ' +
                     'canvas. Move it back onto the canvas first.' : 'No link can hold this ' +
                     'drawing: it has ' + vertices(Module._shownVertexCount()) + ', and a link ' +
                     'holds up to ' + LINK_LIMIT + '.');
  }
  // Opened from a file, the page's address opens only on this computer: the part that holds the
  // drawing is what can be handed on, to open after the address of any copy of the page.
  var hosted = /^https?:$/.test(location.protocol), n = vertices(Module._shownVertexCount());
  var text = hosted ? location.href.replace(/#.*/, '') + (made ? '#' + made : '') : '#' + made;
  var local = 'This page was opened from a file, so its address opens only on this computer';
  if (!hosted && !made) return shareSays(local + '. Place a vertex first: a link holds a drawing.');
  var clipboard = navigator.clipboard;
  (clipboard ? clipboard.writeText(text) : Promise.reject()).then(function() {
    shareSays(hosted ? 'Link copied: ' + n + '.' : 'Copied the end of the link, from its #, that ' +
              'holds the drawing (' + n + '). ' + local + ': paste what was copied after the ' +
              'address of anyone\'s copy of the page, or put the page on a web server for a link ' +
              'anyone can open.');
  }, function() {
    shareSays(hosted ? 'The browser did not let the page copy; the page\'s address is the link.' :
              'The browser did not let the page copy. ' + local + '; the end of the address, ' +
              'from its #, holds the drawing.');
  });
});

// The picture: the canvas's own pixels, and over them what is shown over the canvas as on the
// screen (Steps' deque and marks, the promise's marks, the vertices' numbers), at 800 by 600.
// The views' drawings go in as one SVG image, with their part of the style sheet; the numbers
// as boxes of text where they stand, scaled from the shown canvas to its pixels.
document.getElementById('save-picture').addEventListener('click', function() {
  var picture = document.createElement('canvas'), stage = canvas.getBoundingClientRect();
  var scale = 800 / stage.width, style = '', svg = '';
  picture.width = 800;
  picture.height = 600;
  picture.getContext('2d').drawImage(canvas, 0, 0);
  [].forEach.call(document.styleSheets[0].cssRules, function(rule) {
    if (/#overlay|#marks/.test(rule.selectorText)) style += rule.cssText;
  });
  ['overlay', 'marks'].forEach(function(id) {
    var view = document.getElementById(id);
    if (!view.hasAttribute('hidden')) svg += '<g id="' + id + '">' + view.innerHTML + '</g>';
  });
  document.querySelectorAll('#stage div:not([hidden]) span').forEach(function(label) {
    var box = label.getBoundingClientRect(), look = getComputedStyle(label);
    svg += '<rect x="' + (box.left - stage.left) * scale + '" y="' + (box.top - stage.top) * scale +
           '" width="' + box.width * scale + '" height="' + box.height * scale + '" rx="' +
           3 * scale + '" fill="' + look.backgroundColor + '"/><text x="' +
           ((box.left + box.right) / 2 - stage.left) * scale + '" y="' +
           ((box.top + box.bottom) / 2 - stage.top) * scale + '" fill="' + look.color +
           '" font-size="' + 13 * scale + '" font-weight="' + look.fontWeight + '">' +
           label.textContent + '</text>';
  });
  var image = new Image();
  image.onload = function() {
    picture.getContext('2d').drawImage(image, 0, 0);
    picture.toBlob(function(png) {
      var a = document.createElement('a');
      a.href = URL.createObjectURL(png);
      a.download = 'polyhull.png';
      a.click();
      setTimeout(function() { URL.revokeObjectURL(a.href); }, 60000);
      shareSays('Picture saved as polyhull.png, 800 by 600 pixels.');
    });
  };
  image.src = 'data:image/svg+xml,' + encodeURIComponent(
      '<svg xmlns="http://www.w3.org/2000/svg" width="800" height="600" viewBox="0 0 800 600" ' +
      'font-family="sans-serif" text-anchor="middle" dominant-baseline="central"><style>' + style +
      '</style>' + svg + '</svg>');
});
