// The page's GL against Mesa's: pixels.js MESA PAGE [SEED] draws 3,000 frames with Mesa (MESA, in an
// X server) and with the page's GL (PAGE, the same drawing built natively against it), and fails
// on any pixel of any frame that differs. Frames hold points, line strips and line loops at whole
// window positions on the canvas and off it (level, plumb, 45-degree, short and repeated steps
// among them); each frame changes the one before by one thing, as the program's frames do (often
// nothing, a vertex moved one pixel or anywhere on the canvas, as a fast drag moves it, a colour
// toggled, a vertex thrown past the guard band, one added or removed, a primitive dropped, added
// or of another kind), or is a new scene. Mesa draws every frame whole; the page's GL draws and
// shows only what changed, so a change it misses shows.
'use strict';
const {execFileSync} = require('child_process');
const [mesa, page, given] = process.argv.slice(2);
let seed = Number(given || 12345);
const random = (n) => {  // mulberry32, in exact 32-bit integer arithmetic
  let t = seed = (seed + 0x6d2b79f5) | 0;
  t = Math.imul(t ^ t >>> 15, t | 1);
  t ^= t + Math.imul(t ^ t >>> 7, t | 61);
  return Math.floor(((t ^ t >>> 14) >>> 0) / 2 ** 32 * n);
};
function position(last) {
  const far = random(4) == 0, x = random(far ? 4000 : 800), y = random(far ? 3000 : 600);
  if (!last || far) return far ? [x - 1600, y - 1200] : [x, y];
  const d = random(30) - 15;
  return [[x, last[1]], [last[0], y], [last[0] + d, last[1] + d], [last[0] + d, last[1] - d],
          last, [x, y]][random(6)];
}
function primitive() {  // lines in one colour, as the program draws them; points in several
  const mode = [0, 2, 3][random(3)], colour = random(5), v = [position(null)];
  for (let n = random(8); n > 0; --n) v.push(position(v[v.length - 1]));
  return {mode, v: v.map(([x, y]) => [x, y, mode ? colour : random(5)])};
}
const scene = () => Array.from({length: random(3) + 1}, primitive);
const CHANGES = [
  () => {},
  (p, v) => v[random(2)] += random(2) ? 1 : -1,
  (p, v) => p.mode ? p.v.forEach((w) => w[2] = (w[2] + 1) % 5) : v[2] = (v[2] + 1) % 5,
  (p, v) => v[random(2)] += [1600, -1600, 1200, -1200][random(4)],
  (p, v) => [v[0], v[1]] = [random(800), random(600)],  // a fast drag's: far from where it was
  (p) => p.v.push([...position(p.v[p.v.length - 1]).slice(0, 2), p.v[0][2]]),
  (p) => p.v.length > 1 && p.v.pop(),
  (p, v, frame) => frame.length > 1 ? frame.splice(random(frame.length), 1) :
                                      frame.push(primitive()),
  (p) => p.mode = p.mode == 2 ? 3 : p.mode == 3 ? 2 : 0,
];
let frame = scene(), p;
const frames = Array.from({length: 3000}, () => {
  if (random(60) == 0) frame = scene();
  else CHANGES[random(CHANGES.length)](p = frame[random(frame.length)], p.v[random(p.v.length)], frame);
  return frame.length + ' ' + frame.map((p) => `${p.mode} ${p.v.length} ${p.v.flat().join(' ')}`)
                                  .join(' ');
});
const input = frames.join('\n') + '\n';
const draw = (side) => execFileSync(side, {input, maxBuffer: 2 ** 30}).toString().split('\n');
const [want, got] = [draw(mesa), draw(page)];
let failed = 0;
frames.forEach((shown, i) => {
  const a = new Set(want[i].split(' ').filter((p) => p)), b = got[i].split(' ').filter((p) => p);
  if ((a.size != b.length || b.some((p) => !a.has(p))) && failed++ < 5) {
    const only = (x, y) => [...x].filter((p) => !new Set(y).has(p)).slice(0, 8).join(' ');
    console.log(`frame ${i}, ${shown}:\n  Mesa alone: ${only(a, b)}\n  page alone: ${only(b, a)}`);
  }
});
console.log(`${frames.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
