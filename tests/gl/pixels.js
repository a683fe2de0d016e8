// The page's GL against Mesa's: pixels.js DRAW GL_JS draws 3,000 random primitives, points,
// line strips and line loops at whole window positions on the canvas and off it (level, plumb,
// 45-degree, short and repeated steps among them), once with Mesa (the program DRAW, in an X
// server) and once with the page's GL (GL_JS, linked here as Emscripten links it), and fails on
// any pixel that differs.
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const [draw, glJs] = process.argv.slice(2);

let seed = 12345;
function random(n) {  // a whole number below n, from a fixed sequence
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return Math.floor(seed / 2147483648 * n);
}
function position(previous) {
  const far = random(4) == 0, [x, y] = [random(far ? 4000 : 800), random(far ? 3000 : 600)];
  if (!previous || far) return far ? [x - 1600, y - 1200] : [x, y];
  const d = random(30) - 15;
  return [[x, previous[1]], [previous[0], y], [previous[0] + d, previous[1] + d],
          [previous[0] + d, previous[1] - d], previous, [x, y]][random(6)];
}
const primitives = [];
for (let i = 0; i < 3000; ++i) {
  const vertices = [position(null)];
  for (let n = random(6) + 1; n > 0; --n) vertices.push(position(vertices[vertices.length - 1]));
  primitives.push([[0, 2, 3][random(3)], vertices]);
}
const input = primitives.map(([mode, v]) => `${mode} ${v.length} ${v.flat().join(' ')}`);
const mesa = execFileSync(draw, {input: input.join('\n') + '\n', maxBuffer: 1 << 30}).toString()
                 .split('\n');

const library = {};  // Emscripten's view of a JS library: $names as globals, then the postsets
global.addToLibrary = (entries) => Object.assign(library, entries);
global.HEAP32 = new Int32Array(4);
eval(fs.readFileSync(glJs, 'utf8'));
for (const [name, value] of Object.entries(library)) {
  if (!name.includes('__')) global[name.replace(/^\$/, '')] = value;
}
Object.keys(library).filter((name) => name.endsWith('__postset')).forEach((name) => {
  eval(library[name]);
});
gl.context = {drawingBufferWidth: 800, drawingBufferHeight: 600};
glViewport(0, 0, 800, 600);
glPointSize(5);
glLineWidth(2);
glColor3d(1, 1, 1);

function pagePixels(mode, vertices) {
  glClear(0x4000);
  glBegin(mode);
  vertices.forEach(([x, y]) => glVertex2d(-1 + 2 * x / 800, -1 + 2 * (600 - y) / 600));
  glEnd();
  const filled = new Set(), r = gl.frame.rects;
  for (let o = 0; o < gl.frame.used; o += 30) {  // each rectangle: its first and last corners
    for (let x = Math.max(r[o], 0); x < Math.min(r[o + 25], 800); ++x) {
      for (let y = Math.max(r[o + 1], 0); y < Math.min(r[o + 26], 600); ++y) filled.add(`${x},${y}`);
    }
  }
  return filled;
}
let differ = 0;
primitives.forEach(([mode, vertices], i) => {
  const want = new Set(mesa[i].split(' ').filter((p) => p)), got = pagePixels(mode, vertices);
  const off = [...want].filter((p) => !got.has(p)).concat([...got].filter((p) => !want.has(p)));
  if (off.length && differ++ < 5) console.log(`${input[i]}: ${off.length} pixels differ`);
});
console.log(`${primitives.length - differ} passed, ${differ} failed`);
process.exit(differ ? 1 : 0);
