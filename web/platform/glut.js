// GLUT for the browser build, as freeglut 3.4 acts under X: the window is the page's canvas
// (Module.canvas, which keeps its 800 by 600 pixels), GLUT's events are the DOM's, and its loop
// is the browser's animation frames. The program's sources know nothing of it. Linked as a JS
// library (--js-library) with Emscripten 3.1.6 (Debian 12) and 3.1.69 (Debian 13), through
// their documented library interface only.

var glutLibrary = {
  // GLUT's state: the program's callbacks (function pointers) and what the last event said.
  $glut: {
    canvas: null,
    display: 0,           // glutDisplayFunc, and so on
    reshape: 0,
    mouse: 0,
    motion: 0,
    passiveMotion: 0,
    keyboard: 0,
    modifiers: 0,         // GLUT_ACTIVE_SHIFT, _CTRL and _ALT of the event being handled
    buttons: 0,           // the mouse buttons held since a press on the canvas, a bit each
    x: 0,                 // the pointer's last window position, in canvas pixels
    y: 0,
    redisplay: false,     // a frame is asked for
    ended: false,         // the program has called exit(): no more frames or events
  },

  // Runs a call of one of the program's callbacks with the modifiers of the DOM event that caused
  // it (the page's level/plumb toggle, Module.snap, holds Shift), counting the calls for input in
  // Module.glutCalls. exit() in the program ends the runtime, tells the page (Module.onExit) and
  // leaves the callback by throwing Emscripten's ExitStatus, which ends GLUT here.
  $glutCall__deps: ['$glut'],
  $glutCall: function(callback, event, call) {
    if (!callback || glut.ended) return;
    if (event) {  // input: the drawing changes only here, so the page counts these calls
      glut.modifiers = (event.shiftKey || Module['snap'] ? 1 : 0) | (event.ctrlKey ? 2 : 0) |
                       (event.altKey ? 4 : 0);
      Module['glutCalls'] = (Module['glutCalls'] || 0) + 1;
    }
    try {
      call();
    } catch (e) {
      if (!e || e.name != 'ExitStatus') throw e;
      glut.ended = true;
    }
  },

  // A press (state 0) or release (1) of a button at window pixel (x, y).
  $glutButton__deps: ['$glutCall'],
  $glutButton: function(event, button, state, x, y) {
    glut.x = x;
    glut.y = y;
    glut.buttons = state == 0 ? glut.buttons | 1 << button : glut.buttons & ~(1 << button);
    glutCall(glut.mouse, event, function() {
      {{{ makeDynCall('viiii', 'glut.mouse') }}}(button, state, x, y);
    });
  },

  // The pointer moved to (x, y): motion while a button is held, passive motion otherwise.
  $glutMove__deps: ['$glutCall'],
  $glutMove: function(event, x, y) {
    glut.x = x;
    glut.y = y;
    var callback = glut.buttons ? glut.motion : glut.passiveMotion;
    glutCall(callback, event, function() { {{{ makeDynCall('vii', 'callback') }}}(x, y); });
  },

  // The canvas pixel under a DOM event's position, wherever the canvas is shown and at any size.
  $glutPixel__deps: ['$glut'],
  $glutPixel: function(event) {
    var rect = glut.canvas.getBoundingClientRect();
    return [Math.floor((event.clientX - rect.left) * glut.canvas.width / rect.width),
            Math.floor((event.clientY - rect.top) * glut.canvas.height / rect.height)];
  },

  // ---- The window and the loop ----

  glutInit: function(argc, argv) {},
  glutInitDisplayMode: function(mode) {},  // the canvas is double-buffered RGB (glPresent)
  glutInitWindowSize: function(width, height) {},  // the page's canvas is the window's size
  glutInitWindowPosition: function(x, y) {},  // a page has no window position
  // The canvas's one WebGL context, which the page made after its first paint with the same
  // attributes: RGB, no depth, stencil or multisampling (the desktop's visual draws aliased),
  // and a drawing buffer that keeps the last frame shown (web/platform/gl.js).
  glutCreateWindow__deps: ['$gl', '$glutListen'],
  glutCreateWindow: function(title) {
    var end = title;
    while (HEAPU8[end]) ++end;
    document.title = new TextDecoder().decode(HEAPU8.subarray(title, end));
    glut.canvas = Module['canvas'];
    gl.context = glut.canvas.getContext('webgl', {alpha: false, depth: false, stencil: false,
                                                  antialias: false, preserveDrawingBuffer: true});
    glutListen();
    return 1;
  },
  glutDisplayFunc: function(f) { glut.display = f; },
  glutReshapeFunc: function(f) { glut.reshape = f; },
  glutMouseFunc: function(f) { glut.mouse = f; },
  glutMotionFunc: function(f) { glut.motion = f; },
  glutPassiveMotionFunc: function(f) { glut.passiveMotion = f; },
  glutKeyboardFunc: function(f) { glut.keyboard = f; },
  glutGetModifiers: function() { return glut.modifiers; },
  glutPostRedisplay__deps: ['$glutDisplay'],
  glutPostRedisplay: function() {
    if (glut.redisplay || glut.ended) return;
    glut.redisplay = true;
    requestAnimationFrame(glutDisplay);
  },
  $glutDisplay__deps: ['$glutCall'],
  $glutDisplay: function() {
    glut.redisplay = false;
    glutCall(glut.display, null, function() { {{{ makeDynCall('v', 'glut.display') }}}(); });
  },
  // The page's GL (web/platform/gl.cpp) shows what the frame changed.
  glutSwapBuffers: function() { Module['_glPresent'](); },
  // As under X, the window is shaped (reshape) and drawn (display) as the loop starts. The loop
  // is the browser's, so this returns to it and leaves main unfinished, as Emscripten allows.
  glutMainLoop__deps: ['$glutCall', '$glutDisplay', 'emscripten_unwind_to_js_event_loop'],
  glutMainLoop: function() {
    var width = glut.canvas.width, height = glut.canvas.height;
    glutCall(glut.reshape, null, function() {
      {{{ makeDynCall('vii', 'glut.reshape') }}}(width, height);
    });
    glutDisplay();
    _emscripten_unwind_to_js_event_loop();
  },

  // ---- Events ----

  $glutListen__deps: ['$glutButton', '$glutMove', '$glutPixel', '$glutKey', '$aimListen'],
  $glutListen: function() {
    var canvas = glut.canvas;
    // A press on the canvas holds the pointer, as X's grab does: its motion and its release
    // are reported wherever they happen, in window coordinates beyond the canvas too.
    canvas.addEventListener('mousedown', function(event) {
      event.preventDefault();  // no focus taken, no text selected
      var at = glutPixel(event);
      glutButton(event, event.button, 0, at[0], at[1]);
    });
    window.addEventListener('mouseup', function(event) {
      if (!(glut.buttons & 1 << event.button)) return;
      var at = glutPixel(event);
      glutButton(event, event.button, 1, at[0], at[1]);
    });
    window.addEventListener('mousemove', function(event) {
      var at = glutPixel(event);
      if ((at[0] == glut.x && at[1] == glut.y) || (!glut.buttons && event.target != canvas)) {
        return;
      }
      glutMove(event, at[0], at[1]);
    });
    // A wheel turn is a press and a release of button 3 (up) or 4 (down), which the program
    // ignores; the page scrolls as any page does. deltaY is positive for a turn down.
    canvas.addEventListener('wheel', function(event) {
      var at = glutPixel(event), button = event.deltaY > 0 ? 4 : 3;
      glutButton(event, button, 0, at[0], at[1]);
      glutButton(event, button, 1, at[0], at[1]);
    }, {passive: true});
    window.addEventListener('keydown', glutKey);
    // A left click at window pixel (x, y), as a press and a release there: how the page puts in a
    // drawing it was given (an example, a link). The modifiers are the page's toggle's.
    Module['glutClick'] = function(x, y) {
      glutButton({}, 0, 0, x, y);
      glutButton({}, 0, 1, x, y);
    };
    aimListen();  // a finger and the keyboard pointer (web/platform/aim.js)
  },

  // A key reaches the program as the character it types, as freeglut reads it, so Caps Lock and
  // the keyboard's layout count; Esc is 27. Keys held with Ctrl or Meta are left to the browser
  // (its shortcuts); on the desktop they type control characters, which the program ignores.
  // The page's buttons send keydown events to the window. A focused button takes its own Enter
  // and Space; a canvas the page has hidden takes nothing.
  $glutKey__deps: ['$glutCall'],
  $glutKey: function(event) {
    if (glut.canvas.hidden || event.defaultPrevented) return;
    if (event.target.tagName == 'BUTTON' && /^( |Enter)$/.test(event.key)) return;
    var key = event.key == 'Escape' ? 27 : event.key.length == 1 ? event.key.charCodeAt(0) : 0;
    if (!key || key > 255 || event.ctrlKey || event.metaKey || !glut.keyboard || glut.ended) {
      return;
    }
    event.preventDefault();
    glutCall(glut.keyboard, event, function() {
      {{{ makeDynCall('viii', 'glut.keyboard') }}}(key, glut.x, glut.y);
    });
  },
};

// Every GLUT call reads or writes GLUT's state.
Object.keys(glutLibrary).forEach(function(name) {
  if (/^glut[A-Z]/.test(name) && name.indexOf('__') < 0) {
    glutLibrary[name + '__deps'] = (glutLibrary[name + '__deps'] || []).concat('$glut');
  }
});
(typeof addToLibrary == 'function' ? addToLibrary : function(library) {
  mergeInto(LibraryManager.library, library);
})(glutLibrary);
