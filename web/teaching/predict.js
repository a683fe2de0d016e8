// Predict: with it on, stepping forward stops before each vertex from 4 on that has not yet been
// answered and asks what the method will do with it: skip it as inside, or add it; and for a
// vertex it adds, which vertices leave the hull. Each answer is told at once whether it was
// right and why, in the method's terms, and counted in a score. The truth is the program's own
// run, the events Steps reads (steps.js), never a second copy of the method. Runs after
// web/teaching/steps.js.
var predict = {
  on: false,
  asking: 0,      // the vertex asked about while its question is shown, else 0
  answered: {},   // the vertices asked about and answered, as keys
  right: 0,       // the score: questions answered right
  count: 0,       // and answered
  toggle: document.getElementById('predict'),
  box: document.getElementById('question'),
  score: document.getElementById('score'),
  answers: document.getElementById('answers'),
};

// ---- The truth, from the run's events ----

// What the method did with vertex k (from 4): skipped it, or added it; the deque before it and
// its entries once each, its tests against the two end edges, the entries popped off each end
// and those that left the deque.
function truth(k) {
  var first = steps.lastOf[k - 1] + 1, last = steps.lastOf[k];
  var before = replay(first - 1).deque, after = replay(last);
  var entries = before.filter(function(v, i) { return before.indexOf(v) == i; });
  return {skipped: steps.events[last].kind == TEST, before: before, entries: entries,
          bottom: steps.events[first].yes, top: steps.events[first + 1].yes, popped: after.popped,
          leaves: entries.filter(function(v) { return after.deque.indexOf(v) < 0; })
              .sort(function(a, b) { return a - b; })};
}

// "5 is not left of the top edge 3 → 4, so it is added", and where the method goes wrong, why.
function addedWords(k, t) {
  var n = t.before.length, bottom = 'the bottom edge ' + t.before.slice(0, 2).join(' → ');
  var top = 'the top edge ' + t.before.slice(n - 2).join(' → '), but = t.skipped ? butWords(k) : '';
  if (t.skipped) {
    return k + ' is left of both end edges, ' + bottom + ' and ' + top + ', so it is skipped' + but;
  }
  var not = (t.bottom ? [] : [bottom]).concat(t.top ? [] : [top]);
  return k + ' is not left of ' + not.join(' nor ') + ', so it is added';
}

// "5 and 6 leave the hull: 5 off the top, 6 off both ends", and what was popped but stays.
function leavingWords(k, t) {
  var off = function(v) {
    var bottom = t.popped.bottom.indexOf(v) >= 0, top = t.popped.top.indexOf(v) >= 0;
    return bottom && top ? 'both ends' : bottom ? 'the bottom' : 'the top';
  };
  var leaves = t.leaves.length == 1 ? t.leaves[0] + ' leaves the hull, off ' + off(t.leaves[0]) :
               t.leaves.length ? numbers(t.leaves) + ' leave the hull: ' +
               t.leaves.map(function(v) { return v + ' off ' + off(v); }).join(', ') :
               'none leaves the hull';
  t.popped.bottom.concat(t.popped.top).forEach(function(v, i, all) {
    if (t.leaves.indexOf(v) < 0 && all.indexOf(v) == i) {
      leaves += '; ' + v + ' is popped off ' + off(v) + ' but stays at the ' +
                (off(v) == 'the top' ? 'bottom' : 'top');
    }
  });
  return leaves + butWords(k);
}

// ---- Asking ----

// Moving forward to step `to`: it stops at the first vertex on the way still to be asked about,
// and never passes a question not yet answered.
function ahead(to) {
  if (predict.asking && !predict.answered[predict.asking]) {
    steps.slider.value = predict.asking;
    return;
  }
  var k = Math.max(steps.events[steps.at].k + 1, 4);
  for (; predict.on && k <= steps.events[to].k; ++k) {
    var first = steps.lastOf[k - 1] + 1;
    if (first > steps.at && first <= to && !predict.answered[k]) return ask(k);
  }
  showStep(to);
}

// Vertex k's question in place of its first step: the deque before it, the vertex ringed.
function ask(k) {
  endQuestion();
  steps.at = steps.lastOf[k - 1];
  steps.slider.value = k;
  predict.asking = k;
  drawView(k, {deque: replay(steps.at).deque, popped: {bottom: [], top: []}}, null);
  markLine(1);
  var words = 'Vertex ' + k + ' of ' + steps.n + ': skip it as inside, or add it?';
  question(words, words, [['Skip', true], ['Add', false]], function(skip) { answerSkip(k, skip); });
}

// The words in place of the step's, the status line's, and a button for each choice, [name,
// value], calling answer with its value and the button (none: Forward takes the focus).
function question(words, status, choices, answer) {
  steps.words.textContent = words;
  document.getElementById('said').textContent = status;
  predict.answers.innerHTML = '';
  choices.forEach(function(choice) {
    var button = document.createElement('button');
    button.textContent = choice[0];
    button.addEventListener('mousedown', function(event) { event.preventDefault(); });
    button.addEventListener('click', function() { answer(choice[1], button); });
    predict.answers.appendChild(button);
  });
  (predict.answers.firstChild || document.querySelector('[data-step=forward]')).focus();
}

function answerSkip(k, skip) {
  var t = truth(k), verdict = judge(skip == t.skipped) + addedWords(k, t) + '.';
  if (t.skipped) return finish(k, verdict);
  var chosen = {}, which = ' Which vertices leave the hull?';
  var choices = t.entries.map(function(v) { return [String(v), v]; }).concat([['Check', 0]]);
  question(verdict + which, verdict + ' ' + scoreWords() + which, choices, function(v, button) {
    if (!v) return answerLeaving(k, t, chosen);
    chosen[v] = !chosen[v];
    button.setAttribute('aria-pressed', chosen[v]);
  });
  [].forEach.call(predict.answers.children, function(button, i) {  // the entries' toggles
    if (i < t.entries.length) button.setAttribute('aria-pressed', false);
  });
}

function answerLeaving(k, t, chosen) {
  var right = t.leaves.length == Object.keys(chosen).filter(function(v) { return chosen[v]; })
      .length && t.leaves.every(function(v) { return chosen[v]; });
  finish(k, judge(right) + leavingWords(k, t) + '.');
}

// Counts an answer; "Right: " or "Not quite: ".
function judge(right) {
  predict.right += right;
  ++predict.count;
  predict.score.textContent = scoreWords();
  return right ? 'Right: ' : 'Not quite: ';
}

function scoreWords() {
  return 'Predictions: ' + predict.right + ' of ' + predict.count + ' right.';
}

// The vertex answered: its verdict stays shown until Forward goes on to its steps.
function finish(k, verdict) {
  predict.answered[k] = true;
  question(verdict, verdict + ' ' + scoreWords(), [], null);
}

function endQuestion() {
  predict.asking = 0;
  predict.answers.innerHTML = '';
}

// ---- The control ----

// The score starts again; with all, every vertex is asked about again.
function resetPredictions(all) {
  if (all) predict.answered = {};
  predict.right = predict.count = 0;
  predict.score.textContent = scoreWords();
}

function setPredict(on) {
  if (predict.on != on) resetPredictions(true);
  predict.on = on;
  predict.toggle.setAttribute('aria-pressed', on);
  predict.box.hidden = !on;
  if (predict.asking) steps.on ? showStep(steps.at) : endQuestion();  // the step it stood for
  fit();
}
predict.toggle.addEventListener('click', function() { setPredict(!predict.on); });
