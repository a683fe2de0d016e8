// The Steps view: how the incremental deque algorithm built the hull of the polyline on the
// canvas, one operation at a time: the start, then for each later vertex its test against the
// bottom end edge and the top end edge, each entry popped off either end and its push onto
// each. Every event comes from one run of the program's own hull code (web/teaching/steps.cpp);
// the page replays them on a deque of its own to draw and say each step, over the canvas as it
// draws the keyboard ring, never into the canvas's pixels. Runs after web/page/page.js.
var steps = {
  on: false,
  events: [],     // the run's events, decoded: {k, kind, bottom, yes}; k counts from 1
  lastOf: [],     // lastOf[k]: the index of vertex k's last event
  at: 0,          // the event shown
  n: 0,           // vertices in the polyline read
  calls: -1,      // the program's input callbacks run when the polyline was last compared
  playing: null,  // the timer while playing
  toggle: document.getElementById('steps'),
  controls: document.querySelectorAll('#keys .step'),
  slider: document.getElementById('step'),
  speed: document.getElementById('speed'),
  words: document.getElementById('step-words'),
  method: document.getElementById('method'),
  overlay: document.getElementById('overlay'),
  numbers: document.getElementById('numbers'),
};
var TEST = 0, POP = 1, PUSH = 2, START = 3, CROWDED = 30;  // numbers for all up to CROWDED

// ---- Reading the run ----

// The polyline as it is now: its events, shown at the last and said after the words of the edit
// that made it, if any. Fewer than three vertices have none.
function readSteps(edit) {
  var n = Module._shownVertexCount(), count = Module._stepsRecord();
  Module._stepsStale();  // read now
  steps.n = n;
  steps.events = [];
  steps.lastOf = [];
  for (var i = 0; i < count; ++i) {
    var e = Module._stepsEvent(i);
    steps.events.push({k: (e >> 4) + 1, kind: e >> 2 & 3, bottom: !!(e & 2), yes: !!(e & 1)});
    steps.lastOf[(e >> 4) + 1] = i;
  }
  // The first step whose deque is not the hull of the vertices so far, and why: never before
  // the polyline first crosses itself (or, after a straight start, the fourth vertex).
  var found = promiseNow(), from = found.straight ? 3 : found.crossing;
  steps.wrong = from >= 0 && count ? Module._stepsWrong(from) + 1 : 0;
  steps.left = Module._stepsWrongOutside() + 1;
  steps.why = found.straight ? 'its first three vertices lie on one line' :
              'the polyline crossed itself at vertex ' + (found.crossing + 1);
  steps.controls.forEach(function(c) { c.disabled = !count; });
  steps.slider.max = Math.max(n, 3);
  play(false);
  resetPredictions(true);
  if (count) return showStep(count - 1, edit);
  steps.words.textContent = 'Steps need three vertices; there ' +
                            (n == 1 ? 'is 1.' : 'are ' + n + '.');
  say((edit ? edit + '. ' : '') + steps.words.textContent.slice(0, -1));
  steps.overlay.innerHTML = '';
  markLine(-1);
  showNumbers([]);
}

// The deque after event i, bottom end first, replayed from the start as the hull code moved it,
// with what the event's vertex popped so far off each end (in the order popped), and the edge
// it tested last.
function replay(i) {
  var slots = [], bot = steps.n, top = bot, popped = {bottom: [], top: []}, edge = null;
  for (var j = 0; j <= i; ++j) {
    var e = steps.events[j];
    if (j && e.k != steps.events[j - 1].k) popped = {bottom: [], top: []};
    if (e.kind == START) {
      slots[bot] = slots[top = bot + 3] = 3;
      slots[bot + 1] = e.yes ? 1 : 2;
      slots[bot + 2] = e.yes ? 2 : 1;
    } else if (e.kind == TEST) {
      edge = e.bottom ? [slots[bot], slots[bot + 1]] : [slots[top - 1], slots[top]];
    } else if (e.kind == POP) {
      popped[e.bottom ? 'bottom' : 'top'].push(e.bottom ? slots[bot++] : slots[top--]);
    } else {
      slots[e.bottom ? --bot : ++top] = e.k;
    }
  }
  return {deque: slots.slice(bot, top + 1), popped: popped, edge: edge};
}

// ---- The steps in words ----

function numbers(list) {  // "5", "5 and 4", "5, 4 and 3"
  return list.length < 2 ? list.join('') : list.slice(0, -1).join(', ') + ' and ' + list.slice(-1);
}

// What event i did. A vertex's last event says what the whole vertex did and the deque after it.
function stepWords(i) {
  var e = steps.events[i], now = replay(i), deque = ' Deque: ' + now.deque.join(', ') + '.';
  var vertex = 'Vertex ' + e.k + ' of ' + steps.n + ': ';
  if (e.kind == START) {
    return 'Vertices 1 to 3: ' + (e.yes ? 'the deque starts counter-clockwise.' :
        'they turn clockwise or lie on one line, so the deque starts with 2 before 1.') + deque;
  }
  var end = e.bottom ? 'bottom' : 'top', popped = now.popped[end];
  if (i == steps.lastOf[e.k]) {  // and where the deque stops being the hull, why
    var but = butWords(e.k);
    if (e.kind == TEST) {
      return vertex + (but ? 'left of both end edges, so skipped as inside' + but :
                             'inside the hull so far, skipped') + '.' + deque;
    }
    var from = function(end) { return (numbers(now.popped[end]) || 'nothing') + ' from the ' + end; };
    return vertex + 'outside; removes ' + from('bottom') + ', ' + from('top') + but + '.' + deque;
  }
  if (e.kind == TEST) {
    return vertex + 'is ' + e.k + ' left of ' + now.edge.join(' → ') + '? ' +
           (e.yes ? 'Yes.' : 'No.');
  }
  if (e.kind == POP) return vertex + 'pops ' + popped[popped.length - 1] + ' off the ' + end + '.';
  return vertex + 'pushes ' + e.k + ' onto the ' + end + '.';
}

// Where vertex k leaves the deque no longer the hull of the vertices so far: why.
function butWords(k) {
  return k != steps.wrong ? '' : '; but ' + (steps.left == k ? 'it' : steps.left + ' now') +
         ' lies outside the hull of vertices 1 to ' + k + ': ' + steps.why;
}

// The line of the method that event i runs (its index in the method's list).
function lineOf(i) {
  var e = steps.events[i], k = e.k, opening = i < 2 || steps.events[i - 2].k != k;
  if (e.kind == START) return 0;
  if (e.kind == TEST && i == steps.lastOf[k]) return 4;  // both tests said inside
  if (e.kind == TEST && opening) return e.bottom ? 2 : 3;
  return e.kind == PUSH ? (e.bottom ? 6 : 8) : (e.bottom ? 5 : 7);
}

// Marks the line, scrolled into the method's box where that box is too short for all of them;
// the page itself stays where it is.
function markLine(line) {
  var box = steps.method.parentNode;
  steps.method.querySelectorAll('li').forEach(function(li, i) {
    if (i != line) return li.removeAttribute('aria-current');
    li.setAttribute('aria-current', 'step');
    var below = li.offsetTop + li.offsetHeight - box.clientHeight;
    box.scrollTop = Math.min(Math.max(box.scrollTop, below), li.offsetTop);
  });
}

// ---- Over the canvas ----

function at(v) {  // the middle of vertex v's point (from 1), in canvas pixels
  return [Module._vertexWindowX(v - 1) + 0.5, Module._vertexWindowY(v - 1) - 0.5];
}

function drawStep(i) {
  var e = steps.events[i];
  drawView(e.k, replay(i), e.kind == TEST ? e.yes : null);
}

// The deque now holds as a dashed outline, vertex k ringed, the edge it tested last drawn (green
// where yes, magenta where not; none for null), what it popped crossed out and the vertices after
// it dimmed.
function drawView(k, now, yes) {
  var dots = '', svg = '<polygon points="' + now.deque.map(at).join(' ') + '" class="deque"/>';
  if (yes !== null) {
    var a = at(now.edge[0]), b = at(now.edge[1]);
    svg += '<path d="M' + a + 'L' + b + '" class="edge ' + (yes ? 'yes' : 'no') + '"/>';
  }
  var popped = now.popped.bottom.concat(now.popped.top);
  popped.forEach(function(v) {
    var p = at(v);
    svg += '<path d="M' + (p[0] - 7) + ' ' + (p[1] - 7) + 'l14 14m0 -14l-14 14" class="removed"/>';
  });
  for (var v = k + 1; v <= steps.n; ++v) dots += 'M' + at(v) + 'h0';
  svg += '<path d="' + dots + '" class="later"/>';
  svg += '<circle cx="' + at(k)[0] + '" cy="' + at(k)[1] + '" r="11" class="ring"/>';
  steps.overlay.innerHTML = svg;
  var concerned = [k].concat(popped, yes !== null ? now.edge : [],
                               now.deque.length > CROWDED ? [now.deque[1]] : now.deque);
  showNumbers(concerned);
}

// Vertex v's number at its point, as a label the style sheet sets up and to its right.
function numberLabel(v, kind) {
  var p = at(v);
  return '<span class="' + kind + '" style="left:' + p[0] / 8 + '%;top:' + p[1] / 6 + '%">' + v +
         '</span>';
}

// Each vertex's number beside its point, over the canvas: every vertex's while there are at
// most CROWDED, and always those the step concerns, drawn over the rest.
function showNumbers(concerned) {
  var html = '', mark = {};
  concerned.forEach(function(v) { mark[v] = true; });
  for (var v = 1; v <= steps.n && steps.n <= CROWDED; ++v) {
    if (!mark[v]) html += numberLabel(v, 'other');
  }
  Object.keys(mark).forEach(function(v) { html += numberLabel(Number(v), 'concerned'); });
  steps.numbers.innerHTML = html;
}

// ---- Showing a step ----

function showStep(i, edit) {
  endQuestion();
  steps.at = i;
  steps.slider.value = Math.max(steps.events[i].k, 3);
  steps.words.textContent = stepWords(i);
  say((edit ? edit + '. ' : '') + steps.words.textContent.slice(0, -1));
  markLine(lineOf(i));
  drawStep(i);
  if (i == steps.events.length - 1) play(false);
}

function play(on) {
  clearInterval(steps.playing);
  steps.playing = on ? setInterval(function() {
    ahead(Math.min(steps.at + 1, steps.events.length - 1));
  }, 1000 / Number(steps.speed.value)) : null;
  var button = document.querySelector('[data-step=play]');
  button.setAttribute('aria-pressed', on);
  button.textContent = on ? 'Pause' : 'Play';
}

// Once a frame while Steps is on, after the page has read the drawing and said what changed
// (said): a polyline that changed (a click, a vertex put down, a clearing) is shown at its last
// step, said after the change. It can change only in one of the program's input callbacks, so it
// is compared only after one (Module.glutCalls counts them). A vertex being dragged is followed
// once it is put down, as the hull is.
function followSteps(said) {
  if (!steps.on || Module.glutCalls == steps.calls || Module._shownPickedVertex() >= 0) return said;
  steps.calls = Module.glutCalls;
  if (Module._stepsStale()) readSteps(said);
  return said;
}

// ---- The controls ----

steps.toggle.addEventListener('click', function() {
  steps.on = !steps.on;
  steps.toggle.setAttribute('aria-pressed', steps.on);
  buttons.forEach(function(b) { if (b.dataset.key) b.hidden = steps.on; });
  steps.controls.forEach(function(c) { c.hidden = !steps.on; });
  [steps.words, document.getElementById('method-box')].forEach(function(e) {
    e.hidden = !steps.on;
  });
  ['overlay', 'numbers'].forEach(function(id) {  // an SVG element has no .hidden
    document.getElementById(id).toggleAttribute('hidden', !steps.on);
  });
  if (steps.on) readSteps(''); else play(false), setPredict(false);
  fit();
});
// Back and Forward walk the events one at a time; First, Last and the slider go by vertex. They
// act only while Steps is on, when the events are those of the polyline shown, and never leave
// them. Forward, Last, Play and the slider moved on stop at Predict's questions (predict.js);
// Back from a question goes to the step before it.
document.querySelectorAll('[data-step]').forEach(function(button) {
  button.addEventListener('mousedown', function(event) { event.preventDefault(); });
  button.addEventListener('click', function() {
    var last = steps.events.length - 1;
    if (last < 0 || !steps.on) return;
    var step = button.dataset.step, back = predict.asking ? steps.at : Math.max(steps.at - 1, 0);
    if (step == 'first') resetPredictions(false);
    if (step == 'first' || step == 'back') return showStep(step == 'first' ? 0 : back);
    if (step != 'play') return ahead(step == 'last' ? last : Math.min(steps.at + 1, last));
    if (steps.playing) return play(false);
    if (steps.at == last) showStep(0);  // from the start again
    if (steps.at < last) play(true);
  });
});
steps.slider.addEventListener('input', function() {
  if (!steps.events.length || !steps.on) return;
  var to = steps.lastOf[Number(steps.slider.value)];
  to > steps.at ? ahead(to) : showStep(to);
});
steps.speed.addEventListener('change', function() { if (steps.playing) play(true); });
fitted.push(function() { if (steps.on && steps.events.length) markLine(lineOf(steps.at)); });
followers.push(followSteps);
