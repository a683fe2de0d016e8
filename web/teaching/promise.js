// Where the hull's promise ends: the deque algorithm finds the hull of a simple polyline whose
// first three vertices turn. When the drawing crosses itself or starts straight, while the hull
// is shown or Steps is on, a note in the lesson says where and whether the hull drawn leaves
// vertices outside, and the first crossing and those vertices are marked over the canvas (never
// in its pixels). What is found comes from the program's geometry (web/teaching/promise.cpp),
// asked only after input. Runs after web/page/page.js and web/teaching/steps.js.
var promise = {
  calls: -1,       // the program's input callbacks run when last asked
  words: '',       // the note, when the promise fails
  flagged: false,  // the note and marks shown
  note: document.getElementById('promise'),
  marks: document.getElementById('marks'),
  numbers: document.getElementById('outside-numbers'),
};

// What the program found, in vertex numbers from 1.
function promiseFound() {
  var k = Module._promiseCrossing(), outside = [];
  for (var i = 0; i < Module._promiseOutsideCount(); ++i) outside.push(Module._promiseOutside(i) + 1);
  return {crossing: k, segment: Module._promiseSegment(), proper: !!Module._promiseProper(),
          along: Module._promiseAlong(), straight: !!Module._promiseStraight(), outside: outside};
}

function outsideWords(outside) {
  return outside.length == 1 ? 'vertex ' + outside[0] + ' lies' : 'vertices ' + numbers(outside) +
                                                                 ' lie';
}

// "The polyline crosses itself (segment 3–4 crosses segment 1–2), so the deque algorithm need not
// find its hull: vertex 4 lies outside the hull drawn."
function promiseWords(f) {
  var why = [];
  if (f.crossing >= 0) {
    why.push('the polyline crosses itself (segment ' + f.crossing + '–' + (f.crossing + 1) + ' ' +
             (f.proper ? 'crosses' : 'meets') + ' segment ' + (f.segment + 1) + '–' +
             (f.segment + 2) + ')');
  }
  if (f.straight) why.push((f.crossing >= 0 ? 'its' : 'the') + ' first three vertices lie on one line');
  if (!why.length) return '';
  var words = why.join(' and ') + ', so the deque algorithm need not find its hull: ' +
              (f.outside.length ? outsideWords(f.outside) + ' outside the hull drawn.' :
                                  'here it still found the hull.');
  return words[0].toUpperCase() + words.slice(1);
}

// The first crossing marked by a diamond where it lies on its new segment, and every vertex
// outside the hull drawn ringed, with its number.
function drawPromise(f) {
  var svg = '', labels = '';
  if (f.crossing >= 0) {
    var a = at(f.crossing), b = at(f.crossing + 1);
    var x = a[0] + f.along * (b[0] - a[0]), y = a[1] + f.along * (b[1] - a[1]);
    svg += '<path d="M' + x + ' ' + (y - 9) + 'l9 9l-9 9l-9 -9z" class="crossing"/>';
  }
  f.outside.forEach(function(v) {
    var p = at(v);
    svg += '<circle cx="' + p[0] + '" cy="' + p[1] + '" r="10"/>';
    labels += numberLabel(v, 'outside');
  });
  promise.marks.innerHTML = svg;
  promise.numbers.innerHTML = labels;
}

// What the program finds of the polyline as it is now, asked again only when it or its hull
// changed (the Steps view asks too).
function promiseNow() {
  if (Module._promiseCheck() || !promise.found) {
    promise.found = promiseFound();
    promise.words = promiseWords(promise.found);
    drawPromise(promise.found);
  }
  return promise.found;
}

// Each frame, after the page has said what changed (said): the note, the marks and the canvas's
// description follow the drawing; the status line says it once when it comes true.
function followPromise(said) {
  var showing = !!(Module._shownFlags() & 4) || steps.on;
  if (Module.glutCalls != promise.calls && Module._shownPickedVertex() < 0) {
    promise.calls = Module.glutCalls;
    promiseNow();
  }
  var flagged = showing && !!promise.words;
  if (flagged != promise.flagged || promise.note.textContent != promise.words) {
    promise.note.textContent = promise.words;
    [promise.note, promise.marks, promise.numbers].forEach(function(e) {
      e.toggleAttribute('hidden', !flagged);
    });
    describeAlso(flagged ? ' ' + promise.words : '');
    if (flagged && !promise.flagged) {
      var f = promise.found;
      said = (said ? said + '. ' : '') + (f.crossing >= 0 ? 'The polyline now crosses itself' :
             'The first three vertices now lie on one line') +
             (f.outside.length ? ': ' + outsideWords(f.outside) + ' outside the hull' : '');
      say(said);
    }
    if (flagged != promise.flagged) fit();  // the lesson is longer or shorter by the note
    promise.flagged = flagged;
  }
  return said;
}
followers.unshift(followPromise);  // before Steps, which says its step after these words
