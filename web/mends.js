// Mends for the browser build: where Emscripten's GLUT or its GL emulation acts otherwise than
// freeglut and Mesa do on the desktop, the browser is made to act as the desktop does. Linked as
// a JS library (--js-library); the program's sources know nothing of it.

mergeInto(LibraryManager.library, {
  // The GL emulation has glVertex2f only. World coordinates lie in -1..1, where a float
  // resolves far below a pixel, so the frame is the same.
  glVertex2d__deps: ['glVertex2f'],
  glVertex2d__sig: 'vdd',
  glVertex2d: function(x, y) { _glVertex2f(x, y); },

  // The program's end (q or Esc): the runtime halts, so no frame is drawn and no event reaches
  // the program any more, and the page hears the status through Module.onExit. Leaving through
  // 'unwind' ends the callback that called exit() without an uncaught error.
  exit__deps: ['$GLUT'],
  exit: function(code) {
    EXITSTATUS = code;
    ABORT = true;
    GLUT.displayFunc = GLUT.mouseFunc = GLUT.motionFunc = GLUT.keyboardFunc = null;
    if (Module['onExit']) Module['onExit'](code);
    throw 'unwind';
  },

  // Installed before main, so that glutInit registers the mended handlers.
  glutInit__deps: ['$Browser', '$polyhullMends'],
  $polyhullMends__deps: ['$GLUT', '$Browser', '$callUserCallback', 'touchedVertex',
                          'vertexWindowX', 'vertexWindowY'],
  $polyhullMends__postset: 'polyhullMends();',
  $polyhullMends: function() {
    // freeglut hands the motion callbacks the pointer's new position; Emscripten's GLUT hands
    // them the one before the move, so a dragged vertex would lag a step behind the pointer.
    GLUT.onMousemove = function(event) {
      var lastX = Browser.mouseX;
      var lastY = Browser.mouseY;
      Browser.calculateMouseEvent(event);
      if (Browser.mouseX == lastX && Browser.mouseY == lastY) return;
      var func = GLUT.buttons ? GLUT.motionFunc :
                 event.target == Module['canvas'] ? GLUT.passiveMotionFunc : null;
      if (!func) return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      callUserCallback(function() {
        {{{ makeDynCall('vii', 'func') }}}(Browser.mouseX, Browser.mouseY);
      });
    };

    // freeglut reads a key as the character it types; Emscripten's GLUT reads the key's code,
    // so Caps Lock or a non-Latin layout would still give lower-case Latin letters. Ctrl and
    // Meta combinations are left to the browser (its shortcuts); on the desktop they type
    // control characters, which the program ignores. The page's buttons send keydown events.
    GLUT.onKeydown = function(event) {
      var key = event.key == 'Escape' ? 27 : event.key.length == 1 ? event.key.charCodeAt(0) : 0;
      if (!key || key > 255 || event.ctrlKey || event.metaKey || !GLUT.keyboardFunc) return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      callUserCallback(function() {
        {{{ makeDynCall('viii', 'GLUT.keyboardFunc') }}}(key, Browser.mouseX, Browser.mouseY);
      });
    };

    // The page's level/plumb toggle (Module.snap) holds Shift down for clicks and taps.
    var saveModifiers = GLUT.saveModifiers;
    GLUT.saveModifiers = function(event) {
      saveModifiers(event);
      if (Module['snap']) GLUT.modifiers |= 1;
    };

    // One finger is the left button: the first to touch the canvas, followed among all the
    // touches an event lists; other fingers change nothing. Emscripten's GLUT makes mouse events
    // of touches, whose positions are whole CSS pixels, so on a canvas shown smaller than its
    // 800 by 600 pixels a tap would land a pixel or two off: the touch's own position is mapped
    // to the canvas's pixels and handed to the callbacks directly. A touch the system takes
    // away (touchcancel) ends as a lift there. The page keeps the browser from scrolling
    // (touch-action); ending a tap here also stops the browser's own mouse events for it.
    GLUT.touchHandler = function(event) {
      var canvas = Module['canvas'];
      var start = event.type == 'touchstart';
      var touch = Array.prototype.find.call(event.changedTouches, function(t) {
        return start || t.identifier === GLUT.touch;
      });
      if (!touch || !GLUT.mouseFunc) return;
      if (start && (event.target != canvas || GLUT.touch != null || event.touches.length > 1)) return;
      var rect = canvas.getBoundingClientRect();
      var x = Math.floor((touch.clientX - rect.left) * canvas.width / rect.width);
      var y = Math.floor((touch.clientY - rect.top) * canvas.height / rect.height);
      if (start) GLUT.touchOffset = touchOffset(x, y, canvas, rect);
      x += GLUT.touchOffset[0];
      y += GLUT.touchOffset[1];
      Browser.mouseX = x;
      Browser.mouseY = y;
      GLUT.saveModifiers(event);
      if (event.type == 'touchmove') {
        if (GLUT.motionFunc) callUserCallback(function() {
          {{{ makeDynCall('vii', 'GLUT.motionFunc') }}}(x, y);
        });
        return;
      }
      GLUT.touch = start ? touch.identifier : null;
      GLUT.buttons = start ? GLUT.buttons | 1 : GLUT.buttons & ~1;
      if (!start && event.cancelable) event.preventDefault();  // not after a drag
      callUserCallback(function() {
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(0, start ? 0 : 1, x, y);
      });
    };
    window.addEventListener('touchcancel', function(event) { GLUT.touchHandler(event); }, true);

    // A fingertip lands some pixels from where its owner aims, and hides what it aims at. So in
    // move mode a touch lands on the vertex drawn nearest to the finger within TOUCH_REACH CSS
    // pixels each way (a target as large as the accessibility guidelines ask), and keeps that
    // offset from the finger while it drags: the program's own pick then takes the vertex,
    // which stays in sight beside the finger. Elsewhere the touch lands under the finger. A
    // mouse keeps the program's own pick square.
    var TOUCH_REACH = 12;
    function touchOffset(x, y, canvas, rect) {
      var reachX = TOUCH_REACH * canvas.width / rect.width;
      var reachY = TOUCH_REACH * canvas.height / rect.height;
      var vertex = _touchedVertex(x, y, reachX, reachY);
      return vertex < 0 ? [0, 0] : [_vertexWindowX(vertex) - x, _vertexWindowY(vertex) - y];
    }

    // freeglut reports a wheel turn as a press and a release of button 3 (up) or 4 (down), which
    // the program ignores. Emscripten's GLUT sends only the press, for a turn anywhere on the
    // page, and cancels the event where the browser cannot (its listener is passive), which
    // logs an error on every turn. Here the page scrolls as any page does. The direction is the
    // sign of deltaY (Chromium's and WebKit's mousewheel events carry it) or of Firefox's
    // DOMMouseScroll detail, positive for down: Emscripten reads the mousewheel sign backwards.
    // Checked by hand with a turn each way in Chromium and WebKit, the buttons logged.
    GLUT.onMouseWheel = function(event) {
      if (event.target != Module['canvas'] || !GLUT.mouseFunc) return;
      Browser.calculateMouseEvent(event);
      var button = ('deltaY' in event ? event.deltaY : event.detail) > 0 ? 4 : 3;
      GLUT.saveModifiers(event);
      callUserCallback(function() {
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(button, 0, Browser.mouseX, Browser.mouseY);
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(button, 1, Browser.mouseX, Browser.mouseY);
      });
    };
  },
});
