// GL and GLU for the browser build: the fixed-function calls polyhull makes, over WebGL 1, drawn
// as Mesa's software rasterizer (llvmpipe, Mesa 22.3) draws them on the desktop, pixel for
// pixel. WebGL draws no line wider than 1 and leaves sub-pixel rules to each device, so the
// pixels are worked out here, exactly, and handed to WebGL as rectangles whose edges lie on
// pixel borders, which every rasterizer fills alike.
//
// Like GL on the desktop, drawing goes to a back buffer (here a list of rectangles) that
// glutSwapBuffers shows (glPresent). Linked as a JS library (--js-library) with Emscripten
// 3.1.6 (Debian 12) and 3.1.69 (Debian 13), through their documented library interface only.

var glLibrary = {
  // The GL state the program can reach, and the frame being drawn.
  $gl: {
    context: null,      // the canvas's WebGL context: glutCreateWindow
    viewport: [0, 0, 0, 0],  // x, y, width, height: glViewport
    clearColour: [0, 0, 0, 0],
    colour: [1, 1, 1],  // the current colour: glColor3d
    pointSize: 1,
    lineWidth: 1,
    matrices: {},       // by matrix mode: x scale, x offset, y scale, y offset (all the program's
    mode: 0x1700,       // matrices are 2D scalings and shifts); glMatrixMode
    primitive: -1,      // the glBegin mode, or -1 outside glBegin/glEnd
    vertices: [],       // since glBegin: clip x, clip y and the colour, 5 numbers a vertex
    frame: {clear: null, rects: null, used: 0},  // the back buffer: glClear, glRect
    program: null,      // glPresent's shaders and where it sets the canvas's size
    size: null,
  },
  $gl__postset: 'gl.matrices[0x1700] = [1, 0, 1, 0]; gl.matrices[0x1701] = [1, 0, 1, 0];\n' +
                'gl.frame.rects = new Float32Array(30 * 256);',

  // ---- State ----

  glViewport: function(x, y, width, height) { gl.viewport = [x, y, width, height]; },
  glGetIntegerv: function(name, values) {  // GL_VIEWPORT only
    if (name == 0x0BA2) HEAP32.set(gl.viewport, values >> 2);
  },
  glClearColor: function(r, g, b, a) { gl.clearColour = [r, g, b, a]; },
  glClear: function(mask) {  // GL_COLOR_BUFFER_BIT: the back buffer holds the clear colour alone
    if (!(mask & 0x4000)) return;
    gl.frame.clear = gl.clearColour.slice();
    gl.frame.used = 0;
  },
  // GL_BLEND with its default function (ONE, ZERO) writes colours as they are, and no texture is
  // ever bound, so neither switch changes a pixel.
  glEnable: function(capability) {},
  glDisable: function(capability) {},
  glPointSize: function(size) { gl.pointSize = size; },
  glLineWidth: function(width) { gl.lineWidth = width; },
  glColor3d: function(r, g, b) { gl.colour = [r, g, b]; },
  glFlush: function() {},  // nothing is drawn before the swap

  // ---- Transforms, in single precision as GL computes them ----

  glMatrixMode: function(mode) { gl.mode = mode; },
  glLoadIdentity: function() { gl.matrices[gl.mode] = [1, 0, 1, 0]; },
  gluOrtho2D: function(left, right, bottom, top) {
    var m = gl.matrices[gl.mode], f = Math.fround;
    var sx = f(2 / (right - left)), tx = f(-(right + left) / (right - left));
    var sy = f(2 / (top - bottom)), ty = f(-(top + bottom) / (top - bottom));
    gl.matrices[gl.mode] = [f(m[0] * sx), f(f(m[0] * tx) + m[1]), f(m[2] * sy),
                            f(f(m[2] * ty) + m[3])];
  },

  // ---- Primitives ----

  glBegin: function(mode) {
    gl.primitive = mode;
    gl.vertices.length = 0;
  },
  glVertex2d: function(x, y) {  // to clip coordinates: the modelview, then the projection
    var f = Math.fround, m = gl.matrices[0x1700], p = gl.matrices[0x1701];
    x = f(f(p[0] * f(f(m[0] * f(x)) + m[1])) + p[1]);
    y = f(f(p[2] * f(f(m[2] * f(y)) + m[3])) + p[3]);
    gl.vertices.push(x, y, gl.colour[0], gl.colour[1], gl.colour[2]);
  },
  glEnd__deps: ['$glPoint', '$glLine'],
  glEnd: function() {  // GL_POINTS, GL_LINE_LOOP and GL_LINE_STRIP
    var v = gl.vertices, n = v.length / 5, i;
    if (gl.primitive == 0) {
      for (i = 0; i < n; ++i) glPoint(v, i);
    } else if (gl.primitive == 2 || gl.primitive == 3) {
      for (i = 0; i + 1 < n; ++i) glLine(v, i, i + 1);
      if (gl.primitive == 2 && n > 1) glLine(v, n - 1, 0);
    }
    gl.primitive = -1;
  },

  // ---- Rasterization ----

  // Window coordinates (y down, as the framebuffer's rows run) of clip coordinates: in one
  // rounding for the vertices the program gives, as Mesa's compiled vertex code does (a fused
  // multiply-add), in two for the ends of a clipped line, as its clipper does.
  $glWindow: function(x, y, fused) {
    var f = Math.fround, v = gl.viewport, height = gl.context.drawingBufferHeight;
    var sx = v[2] / 2, tx = v[0] + v[2] / 2, sy = -v[3] / 2, ty = height - v[1] - v[3] / 2;
    return fused ? [f(x * sx + tx), f(y * sy + ty)] : [f(f(x * sx) + tx), f(f(y * sy) + ty)];
  },

  // A point is a square of glPointSize pixels: those whose centres lie within it, a centre on
  // its left or bottom edge left out. For an odd size that is the square centred on the pixel the
  // vertex falls in. Points are not clipped: the canvas's edge cuts the square.
  $glPoint__deps: ['$glWindow', '$glRect'],
  $glPoint: function(v, i) {
    var at = glWindow(v[5 * i], v[5 * i + 1], true);
    var half = Math.max(1, Math.round(gl.pointSize)) / 2;
    var x = Math.round(at[0] * 256) / 256, y = Math.round(at[1] * 256) / 256;  // Mesa's grid
    var left = Math.floor(x - half - 0.5) + 1, top = Math.ceil(y - half - 0.5);
    glRect(left, top, Math.floor(x + half - 0.5) + 1, Math.ceil(y + half - 0.5),
           v.slice(5 * i + 2, 5 * i + 5));
  },

  // A line from vertex i to vertex j, in j's colour (GL's flat shading; the program gives every
  // line one colour). Mesa clips it to a guard band twice the viewport's size on each axis, and
  // fills a parallelogram glLineWidth pixels across its minor axis, its ends cut square where
  // GL's diamond-exit rule ends the line.
  $glLine__deps: ['$glWindow', '$glSpans'],
  $glLine: function(v, i, j) {
    var f = Math.fround, a = [v[5 * i], v[5 * i + 1]], b = [v[5 * j], v[5 * j + 1]];
    var t = [0, 0];  // how far the clipper moves a toward b, and b toward a
    for (var axis = 0; axis < 2; ++axis) {
      for (var side = -1; side <= 1; side += 2) {  // the guard band's edges at -2 and 2
        var da = f(side * a[axis] + 2), db = f(side * b[axis] + 2);
        if (da < 0 && db < 0) return;
        if (da < 0) t[0] = Math.max(t[0], f(da / f(da - db)));
        if (db < 0) t[1] = Math.max(t[1], f(db / f(db - da)));
      }
    }
    if (t[0] + t[1] >= 1) return;
    function end(p, q, s) {
      if (!s) return glWindow(p[0], p[1], true);
      return glWindow(f(p[0] + f(s * f(q[0] - p[0]))), f(p[1] + f(s * f(q[1] - p[1]))), false);
    }
    glSpans(end(a, b, t[0]), end(b, a, t[1]), Math.max(1, Math.round(gl.lineWidth)),
            v.slice(5 * j + 2, 5 * j + 5));
  },

  // The pixels of a wide line from a to b in window coordinates, walked along its major axis
  // (x where |dx| >= |dy|): the columns (or rows) whose centres lie between the ends, and in each
  // the w pixels whose centres lie within w/2 of the line. That is GL's diamond-exit rule for
  // ends on pixel corners, where every vertex of the program's lies (clicks are whole pixels),
  // and ends the guard band cut lie far off the canvas. Mesa tests the centres in a grid of 1/256
  // pixel, so here they are tested exactly in integers of that grid. A centre exactly w/2 off is
  // in on the side of the smaller coordinate (up, or left) for a y-major line and for an x-major
  // one rising to the right, and on the other side for the rest.
  $glSpans__deps: ['$glRect'],
  $glSpans: function(a, b, w, colour) {
    var f = Math.fround, major = Math.abs(f(b[0] - a[0])) >= Math.abs(f(b[1] - a[1])) ? 0 : 1;
    var U0 = Math.round(a[major] * 256), V0 = Math.round(a[1 - major] * 256);
    var U1 = Math.round(b[major] * 256), DU = Math.abs(U1 - U0);
    var DV = (Math.round(b[1 - major] * 256) - V0) * (U1 < U0 ? -1 : 1);
    var low = major == 1 || DV < 0, limit = major ? gl.context.drawingBufferHeight :
                                                     gl.context.drawingBufferWidth;
    var first = Math.max(Math.ceil(Math.min(U0, U1) / 256 - 0.5), 0), last = -1, run = null;
    for (var c = first; (c + 0.5) * 256 < Math.max(U0, U1) && c < limit; ++c) {
      // 256 DU times the line's minor coordinate at the centre, less w/2 and half a pixel: the
      // first pixel in is the first whose centre is at most w/2 from the line
      var k = V0 * DU + ((c + 0.5) * 256 - U0) * DV - (w + 1) * 128 * DU;
      var r = low ? Math.ceil(k / (256 * DU)) : Math.floor(k / (256 * DU)) + 1;
      if (r !== run) {
        if (run !== null) span(first, c, run);
        first = c;
        run = r;
      }
      last = c;
    }
    if (run !== null) span(first, last + 1, run);
    function span(c0, c1, r) {
      if (major) glRect(r, c0, r + w, c1, colour); else glRect(c0, r, c1, r + w, colour);
    }
  },

  // ---- The back buffer ----

  // A rectangle of whole pixels, columns x0 to x1 and rows y0 to y1 (ends excluded), in one
  // colour: two triangles of five numbers a corner (x, y, r, g, b).
  $glRect: function(x0, y0, x1, y1, colour) {
    var frame = gl.frame, corners = [x0, y0, x1, y0, x0, y1, x0, y1, x1, y0, x1, y1];
    if (frame.used + 30 > frame.rects.length) {
      var grown = new Float32Array(frame.rects.length * 2);
      grown.set(frame.rects);
      frame.rects = grown;
    }
    for (var i = 0; i < 12; i += 2, frame.used += 5) {
      frame.rects.set([corners[i], corners[i + 1]].concat(colour), frame.used);
    }
  },

  // Shows the back buffer (glutSwapBuffers): the clear colour, then every rectangle in the
  // order drawn, in one call.
  $glPresent: function() {
    var c = gl.context, frame = gl.frame;
    if (!gl.program) {
      gl.program = c.createProgram();
      [[c.VERTEX_SHADER, 'attribute vec2 p; attribute vec3 colour; varying vec3 v; ' +
        'uniform vec2 size; void main() { v = colour; ' +
        'gl_Position = vec4(p / size * vec2(2, -2) + vec2(-1, 1), 0, 1); }'],
       [c.FRAGMENT_SHADER, 'precision mediump float; varying vec3 v; ' +
        'void main() { gl_FragColor = vec4(v, 1); }']].forEach(function(source) {
        var shader = c.createShader(source[0]);
        c.shaderSource(shader, source[1]);
        c.compileShader(shader);
        c.attachShader(gl.program, shader);
      });
      c.bindAttribLocation(gl.program, 0, 'p');
      c.bindAttribLocation(gl.program, 1, 'colour');
      c.linkProgram(gl.program);
      c.useProgram(gl.program);
      c.bindBuffer(c.ARRAY_BUFFER, c.createBuffer());
      c.enableVertexAttribArray(0);
      c.enableVertexAttribArray(1);
      c.vertexAttribPointer(0, 2, c.FLOAT, false, 20, 0);
      c.vertexAttribPointer(1, 3, c.FLOAT, false, 20, 8);
      gl.size = c.getUniformLocation(gl.program, 'size');
    }
    c.viewport(0, 0, c.drawingBufferWidth, c.drawingBufferHeight);
    c.uniform2f(gl.size, c.drawingBufferWidth, c.drawingBufferHeight);
    var clear = frame.clear || [0, 0, 0, 0];
    c.clearColor(clear[0], clear[1], clear[2], clear[3]);
    c.clear(c.COLOR_BUFFER_BIT);
    c.bufferData(c.ARRAY_BUFFER, frame.rects.subarray(0, frame.used), c.STREAM_DRAW);
    c.drawArrays(c.TRIANGLES, 0, frame.used / 5);
  },
};

// Every GL call reads or writes the state above.
Object.keys(glLibrary).forEach(function(name) {
  if (/^gl[A-Z]|^glu/.test(name) && name.indexOf('__') < 0) {
    glLibrary[name + '__deps'] = (glLibrary[name + '__deps'] || []).concat('$gl');
  }
});
(typeof addToLibrary == 'function' ? addToLibrary : function(library) {
  mergeInto(LibraryManager.library, library);
})(glLibrary);
