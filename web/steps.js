// The Steps view: how the incremental deque algorithm built the hull of the polyline on the
// canvas, one vertex at a time, from the third on. The deque after each step comes from the
// program's own hull code (web/steps.cpp runs it on the first k vertices); the page only compares
// one step's deque with the one before, and draws over the canvas as it draws the keyboard
// ring, never into the canvas's pixels. Runs after web/page.js.
var steps = {
  on: false,
  k: 0,           // the step shown: the deque after the first k vertices
  deques: [],     // deques[k]: vertex numbers (from 1), bottom end to top end
  calls: -1,      // the program's callbacks run when the polyline was last compared
  playing: null,  // the timer while playing
  toggle: document.getElementById('steps'),
  controls: document.querySelectorAll('#keys .step'),
  slider: document.getElementById('step'),
  words: document.getElementById('step-words'),
  overlay: document.getElementById('overlay'),
};

// ---- The steps in words ----

function numbers(list) {  // "5", "5 and 4", "5, 4 and 3"
  return list.length < 2 ? list.join('') : list.slice(0, -1).join(', ') + ' and ' + list.slice(-1);
}

// What step k did, read from the deque before it and after it.
function stepWords(k) {
  var now = steps.deques[k], n = steps.deques.length - 1, deque = ' Deque: ' + now.join(', ') + '.';
  if (k == 3) {
    return 'Vertices 1 to 3: ' + (now[1] == 1 ? 'the deque starts counter-clockwise.' :
        'they turn clockwise or lie on one line, so the deque starts with 2 before 1.') + deque;
  }
  if (now[0] != k) return 'Vertex ' + k + ' of ' + n + ': inside the hull so far, skipped.' + deque;
  var removed = removedBy(steps.deques[k - 1], now);
  function from(list, end) {
    return (list.length ? numbers(list) : 'nothing') + ' from the ' + end;
  }
  return 'Vertex ' + k + ' of ' + n + ': outside; removes ' + from(removed.bottom, 'bottom') +
         ', ' + from(removed.top, 'top') + '.' + deque;
}

// The entries a new vertex popped off each end: the deque after it is the vertex, what was left
// between the ends of the one before, and the vertex again. Top entries in the order popped.
function removedBy(before, after) {
  var kept = after.slice(1, -1).join(), i = 0;
  while (i < before.length && before.slice(i, i + after.length - 2).join() != kept) ++i;
  return {bottom: before.slice(0, i), top: before.slice(i + after.length - 2).reverse()};
}

// ---- Over the canvas ----

// The deque after step k as a dashed outline, the step's vertex ringed, the vertices it removed
// crossed out and the vertices after it dimmed, in canvas pixels.
function drawStep(k) {
  var at = function(v) {  // the middle of the vertex's point
    return [Module._vertexWindowX(v - 1) + 0.5, Module._vertexWindowY(v - 1) - 0.5];
  };
  var deque = steps.deques[k], removed = k > 3 && deque[0] == k ?
      removedBy(steps.deques[k - 1], deque) : {bottom: [], top: []};
  var svg = '<polygon points="' + deque.map(at).join(' ') + '" class="deque"/>';
  removed.bottom.concat(removed.top).forEach(function(v) {
    var p = at(v);
    svg += '<path d="M' + (p[0] - 7) + ' ' + (p[1] - 7) + 'l14 14m0 -14l-14 14" class="removed"/>';
  });
  for (var v = k + 1; v < steps.deques.length; ++v) {
    svg += '<circle cx="' + at(v)[0] + '" cy="' + at(v)[1] + '" r="6" class="later"/>';
  }
  svg += '<circle cx="' + at(k)[0] + '" cy="' + at(k)[1] + '" r="11" class="ring"/>';
  steps.overlay.innerHTML = svg;
}

// ---- Showing a step ----

function showStep(k) {
  steps.k = k;
  steps.slider.value = k;
  steps.words.textContent = stepWords(k);
  say(steps.words.textContent.slice(0, -1));
  drawStep(k);
  if (k == steps.deques.length - 1) play(false);
}

// The deques of the polyline as it is now; at its last step. Fewer than three vertices have none.
function readSteps() {
  var n = Module._shownVertexCount();
  Module._stepsStale();  // read now
  steps.deques = [];
  for (var k = 3; k <= n; ++k) {
    var deque = [];
    for (var i = 0, count = Module._stepDeque(k); i < count; ++i) {
      deque.push(Module._stepEntry(i) + 1);
    }
    steps.deques[k] = deque;
  }
  steps.controls.forEach(function(c) { c.disabled = n < 3; });
  steps.slider.max = Math.max(n, 3);
  steps.overlay.innerHTML = '';
  play(false);
  if (n >= 3) return showStep(n);
  steps.words.textContent = 'Steps need three vertices; there ' +
                            (n == 1 ? 'is 1.' : 'are ' + n + '.');
  say(steps.words.textContent.slice(0, -1));
}

function play(on) {
  clearInterval(steps.playing);
  steps.playing = on ? setInterval(function() { showStep(steps.k + 1); }, 1000) : null;
  var button = document.querySelector('[data-step=play]');
  button.setAttribute('aria-pressed', on);
  button.textContent = on ? 'Pause' : 'Play';
}

// Once a frame while Steps is on: a polyline that changed (a click, a vertex put down, a
// clearing) is shown at its last step. It can change only in one of the program's callbacks, so
// the polyline is compared only after one (Module.glutCalls counts them). A vertex being dragged
// is followed once it is put down, as the hull is.
function followSteps() {
  if (Module.ended) return;
  if (steps.on && Module.glutCalls != steps.calls && Module._shownPickedVertex() < 0) {
    steps.calls = Module.glutCalls;
    if (Module._stepsStale()) readSteps();
  }
  requestAnimationFrame(followSteps);
}

// ---- The controls ----

steps.toggle.addEventListener('click', function() {
  steps.on = !steps.on;
  steps.toggle.setAttribute('aria-pressed', steps.on);
  buttons.forEach(function(b) { if (b.dataset.key) b.hidden = steps.on; });
  steps.controls.forEach(function(c) { c.hidden = !steps.on; });
  steps.words.hidden = !steps.on;
  steps.overlay.toggleAttribute('hidden', !steps.on);  // an SVG element has no .hidden
  if (steps.on) readSteps(); else play(false);
  fit();
});
document.querySelectorAll('[data-step]').forEach(function(button) {
  button.addEventListener('mousedown', function(event) { event.preventDefault(); });
  button.addEventListener('click', function() {
    var last = steps.deques.length - 1, to = {first: 3, back: Math.max(steps.k - 1, 3),
        forward: Math.min(steps.k + 1, last), last: last}[button.dataset.step];
    if (to) return showStep(to);
    if (steps.playing) return play(false);
    if (steps.k == last) showStep(3);  // from the start again
    if (steps.k < last) play(true);
  });
});
steps.slider.addEventListener('input', function() { showStep(Number(steps.slider.value)); });
Module.postRun.push(followSteps);
