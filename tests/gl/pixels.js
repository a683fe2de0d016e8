// The page's GL against Mesa's: pixels.js DRAW GL_JS draws 3,000 random points, line strips and
// line loops at whole window positions on the canvas and off it (level, plumb, 45-degree, short
// and repeated steps among them) with Mesa (DRAW, in an X server) and with the page's GL (GL_JS,
// linked here as Emscripten links it), and fails on any pixel that differs.
'use strict';
const [draw, glJs] = process.argv.slice(2);
let seed = 12345;
const random = (n) => Math.floor((seed = (seed * 1103515245 + 12345) % 2 ** 31) / 2 ** 31 * n);
function position(last) {
  const far = random(4) == 0, x = random(far ? 4000 : 800), y = random(far ? 3000 : 600);
  if (!last || far) return far ? [x - 1600, y - 1200] : [x, y];
  const d = random(30) - 15;
  return [[x, last[1]], [last[0], y], [last[0] + d, last[1] + d], [last[0] + d, last[1] - d],
          last, [x, y]][random(6)];
}
const shapes = Array.from({length: 3000}, () => {
  const v = [position(null)];
  for (let n = random(6) + 1; n > 0; --n) v.push(position(v[v.length - 1]));
  return `${[0, 2, 3][random(3)]} ${v.length} ${v.flat().join(' ')}`;
});
const mesa = require('child_process')
                 .execFileSync(draw, {input: shapes.join('\n') + '\n', maxBuffer: 2 ** 30})
                 .toString().split('\n');

const library = {};  // Emscripten's view of a JS library: $names as globals, then the postsets
global.addToLibrary = (entries) => Object.assign(library, entries);
eval(require('fs').readFileSync(glJs, 'utf8'));
for (const name in library) if (!name.includes('__')) global[name.replace('$', '')] = library[name];
for (const name in library) if (name.endsWith('__postset')) eval(library[name]);
gl.context = {drawingBufferWidth: 800, drawingBufferHeight: 600};
[glViewport(0, 0, 800, 600), glPointSize(5), glLineWidth(2)];

let failed = 0;
shapes.forEach((shape, i) => {
  const [mode, , ...v] = shape.split(' ').map(Number), page = new Set();
  glClear(0x4000);
  glBegin(mode);
  for (let k = 0; k < v.length; k += 2) glVertex2d(v[k] / 400 - 1, (600 - v[k + 1]) / 300 - 1);
  glEnd();
  const r = gl.frame.rects;
  for (let o = 0; o < gl.frame.used; o += 30) {  // each rectangle, by its first and last corners
    for (let x = Math.max(r[o], 0); x < Math.min(r[o + 25], 800); ++x) {
      for (let y = Math.max(r[o + 1], 0); y < Math.min(r[o + 26], 600); ++y) page.add(`${x},${y}`);
    }
  }
  const want = mesa[i].split(' ').filter((p) => p);
  if ((want.length != page.size || want.some((p) => !page.has(p))) && failed++ < 5) {
    console.log(`${shape}: Mesa fills ${want.length} pixels, the page ${page.size}, not all alike`);
  }
});
console.log(`${shapes.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
