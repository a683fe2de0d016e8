// The canvas side of the page's GL (web/platform/gl.cpp, which draws every pixel): the drawing
// buffer's size, and the back buffer's changed rectangles shown through WebGL 1 as one texture
// of whole pixels, each texel on its own pixel. The canvas keeps its drawing buffer between frames
// (preserveDrawingBuffer), so a frame that changed nothing needs no WebGL call. Linked as a JS
// library (--js-library) with Emscripten 3.1.6 (Debian 12) and 3.1.69 (Debian 13), through their
// documented library interface only.

var glLibrary = {
  $gl: {
    context: null,  // the canvas's WebGL context: glutCreateWindow
    texture: null,  // the back buffer's copy, made on the first glShow
  },

  glBufferWidth: function() { return gl.context.drawingBufferWidth; },
  glBufferHeight: function() { return gl.context.drawingBufferHeight; },

  // A rectangle of the back buffer at (x, y) (rows from the top), its RGBA rows packed at
  // `pixels`, into the texture.
  glUpload__deps: ['$glStart'],
  glUpload: function(pixels, x, y, width, height) {
    var c = gl.context;
    if (!gl.texture) glStart(c.drawingBufferWidth, c.drawingBufferHeight);
    c.texSubImage2D(c.TEXTURE_2D, 0, x, y, width, height, c.RGBA, c.UNSIGNED_BYTE,
                    HEAPU8.subarray(pixels, pixels + width * height * 4));
  },

  // The texture onto the whole canvas.
  glShow: function() {
    var c = gl.context;
    c.viewport(0, 0, c.drawingBufferWidth, c.drawingBufferHeight);
    c.drawArrays(c.TRIANGLE_STRIP, 0, 4);
  },

  // A square over the canvas whose fragments read the texel of their own pixel (row 0 at the top).
  $glStart: function(width, height) {
    var c = gl.context, program = c.createProgram();
    [[c.VERTEX_SHADER, 'attribute vec2 p; void main() { gl_Position = vec4(p, 0, 1); }'],
     [c.FRAGMENT_SHADER, 'precision highp float; uniform sampler2D back; uniform vec2 size; ' +
      'void main() { gl_FragColor = texture2D(back, vec2(gl_FragCoord.x, size.y - ' +
      'gl_FragCoord.y) / size); }']].forEach(function(source) {
      var shader = c.createShader(source[0]);
      c.shaderSource(shader, source[1]);
      c.compileShader(shader);
      c.attachShader(program, shader);
    });
    c.bindAttribLocation(program, 0, 'p');
    c.linkProgram(program);
    c.useProgram(program);
    c.uniform2f(c.getUniformLocation(program, 'size'), width, height);
    c.bindBuffer(c.ARRAY_BUFFER, c.createBuffer());
    c.bufferData(c.ARRAY_BUFFER, new Float32Array([-1, -1, 1, -1, -1, 1, 1, 1]), c.STATIC_DRAW);
    c.enableVertexAttribArray(0);
    c.vertexAttribPointer(0, 2, c.FLOAT, false, 0, 0);
    gl.texture = c.createTexture();
    c.bindTexture(c.TEXTURE_2D, gl.texture);
    [[c.TEXTURE_MIN_FILTER, c.NEAREST], [c.TEXTURE_MAG_FILTER, c.NEAREST],
     [c.TEXTURE_WRAP_S, c.CLAMP_TO_EDGE], [c.TEXTURE_WRAP_T, c.CLAMP_TO_EDGE]].forEach(
        function(parameter) { c.texParameteri(c.TEXTURE_2D, parameter[0], parameter[1]); });
    c.texImage2D(c.TEXTURE_2D, 0, c.RGBA, width, height, 0, c.RGBA, c.UNSIGNED_BYTE, null);
  },
};

// Every call reads or writes the state above.
Object.keys(glLibrary).forEach(function(name) {
  if (/^gl[A-Z]/.test(name) && name.indexOf('__') < 0) {
    glLibrary[name + '__deps'] = (glLibrary[name + '__deps'] || []).concat('$gl');
  }
});
(typeof addToLibrary == 'function' ? addToLibrary : function(library) {
  mergeInto(LibraryManager.library, library);
})(glLibrary);
