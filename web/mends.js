// Mends for the browser build: where Emscripten's GLUT or its GL emulation acts otherwise than
// freeglut and Mesa do on the desktop, the browser is made to act as the desktop does; and the
// page's own ways in, a finger and a keyboard pointer, reach the program as clicks and drags.
// Linked as a JS library (--js-library); the program's sources know nothing of it.
//
// Written against Emscripten 3.1.6 (Debian 12). It replaces private parts of Emscripten's GLUT,
// so a version that renamed one stops the build (glutInit's dependency list, below) or the
// page's start (the handlers and the runtime's flags, checked in polyhullMends), with a message.

// Installed before main, so that glutInit registers the mended handlers.
LibraryManager.library['glutInit__deps'].push('$polyhullMends');

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

  $polyhullMends__deps: ['$GLUT', '$Browser', '$callUserCallback', 'touchedVertex',
                          'vertexWindowX', 'vertexWindowY', 'vertexPickedAt'],
  $polyhullMends__postset: 'polyhullMends();',
  $polyhullMends: function() {
    ['onMousemove', 'onKeydown', 'onMouseWheel', 'touchHandler', 'saveModifiers'].forEach(
        function(name) {
          if (typeof GLUT[name] != 'function') mendsOutdated('GLUT.' + name);
        });
    if (typeof ABORT != 'boolean') mendsOutdated('ABORT');
    function mendsOutdated(what) {
      throw new Error('web/mends.js was written for Emscripten 3.1.6, and this one has no ' + what);
    }
    var canvas = Module['canvas'];

    // ---- The mouse ----

    // freeglut hands the motion callbacks the pointer's new position; Emscripten's GLUT hands
    // them the one before the move, so a dragged vertex would lag a step behind the pointer.
    GLUT.onMousemove = function(event) {
      var lastX = Browser.mouseX;
      var lastY = Browser.mouseY;
      Browser.calculateMouseEvent(event);
      if (Browser.mouseX == lastX && Browser.mouseY == lastY) return;
      var func = GLUT.buttons ? GLUT.motionFunc :
                 event.target == canvas ? GLUT.passiveMotionFunc : null;
      if (!func) return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      callUserCallback(function() {
        {{{ makeDynCall('vii', 'func') }}}(Browser.mouseX, Browser.mouseY);
      });
    };

    // A left press (state 0) or release (1) at window pixel (x, y), as a click hands it over.
    function leftButton(state, x, y) {
      Browser.mouseX = x;
      Browser.mouseY = y;
      GLUT.buttons = state == 0 ? GLUT.buttons | 1 : GLUT.buttons & ~1;
      callUserCallback(function() {
        {{{ makeDynCall('viiii', 'GLUT.mouseFunc') }}}(0, state, x, y);
      });
    }

    // The pointer moved to (x, y) with the left button down.
    function drag(x, y) {
      Browser.mouseX = x;
      Browser.mouseY = y;
      if (GLUT.motionFunc) callUserCallback(function() {
        {{{ makeDynCall('vii', 'GLUT.motionFunc') }}}(x, y);
      });
    }

    // ---- Keys ----

    // freeglut reads a key as the character it types; Emscripten's GLUT reads the key's code,
    // so Caps Lock or a non-Latin layout would still give lower-case Latin letters. Ctrl and
    // Meta combinations are left to the browser (its shortcuts); on the desktop they type
    // control characters, which the program ignores. The page's buttons send keydown events.
    // On the canvas the arrows, Enter and Space are the keyboard pointer's; on a focused button
    // Enter and Space press it. A canvas the page has hidden takes nothing.
    GLUT.onKeydown = function(event) {
      if (canvas.hidden || (event.target == canvas && pointerKey(event))) return;
      if (event.target.tagName == 'BUTTON' && /^( |Enter)$/.test(event.key)) return;
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

    // ---- Aiming, for a finger and the keyboard pointer ----

    // A fingertip lands some pixels from where its owner aims, and hides what it aims at. So in
    // move mode a press aimed at (x, y) takes the vertex drawn nearest to it within TOUCH_REACH
    // CSS pixels each way (a target as large as the accessibility guidelines ask), and the drag
    // after it keeps the vertex's offset from the aim: the vertex stays in sight and does not
    // jump. Elsewhere the press lands at (x, y). A mouse keeps the program's own pick square.
    var TOUCH_REACH = 12;
    function aim(x, y) {
      var rect = canvas.getBoundingClientRect();
      var reachX = TOUCH_REACH * canvas.width / rect.width;
      var reachY = TOUCH_REACH * canvas.height / rect.height;
      var vertex = _touchedVertex(x, y, reachX, reachY);
      if (vertex < 0) return {vertex: vertex, press: [x, y], offset: [0, 0]};
      var vx = _vertexWindowX(vertex), vy = _vertexWindowY(vertex);
      return {vertex: vertex, press: pickPixel(vertex, vx, vy), offset: [vx - x, vy - y]};
    }

    // The pixel nearest the vertex's own (x, y) where the program's pick takes it: an earlier
    // vertex's pick square may cover its own pixel. Only where none is left to it (two vertices
    // on one pixel) does the press land on (x, y) and take the earlier one.
    var PICK_REACH = 5;  // pixels: the pick square reaches 4 across and 3 down at 800 by 600
    function pickPixel(vertex, x, y) {
      var best = [x, y], nearest = Infinity;
      for (var dy = -PICK_REACH; dy <= PICK_REACH; ++dy) {
        for (var dx = -PICK_REACH; dx <= PICK_REACH; ++dx) {
          if (dx * dx + dy * dy < nearest && _vertexPickedAt(x + dx, y + dy) == vertex) {
            best = [x + dx, y + dy];
            nearest = dx * dx + dy * dy;
          }
        }
      }
      return best;
    }

    // ---- Touch ----

    // One finger is the left button: the first to touch the canvas, followed among all the
    // touches an event lists; other fingers change nothing. Emscripten's GLUT makes mouse events
    // of touches, whose positions are whole CSS pixels, so on a canvas shown smaller than its
    // 800 by 600 pixels a tap would land a pixel or two off: the touch's own position is mapped
    // to the canvas's pixels and handed to the callbacks directly. A touch the system takes
    // away (touchcancel) ends as a lift there. The page keeps the browser from scrolling
    // (touch-action); ending a tap here also stops the browser's own mouse events for it.
    GLUT.touchHandler = function(event) {
      var start = event.type == 'touchstart', touch = trackedTouch(event, start);
      if (!touch || !GLUT.mouseFunc) return;
      var rect = canvas.getBoundingClientRect();
      var x = Math.floor((touch.clientX - rect.left) * canvas.width / rect.width);
      var y = Math.floor((touch.clientY - rect.top) * canvas.height / rect.height);
      GLUT.saveModifiers(event);
      if (start) {
        GLUT.touch = touch.identifier;
        GLUT.aim = aim(x, y);
        return leftButton(0, GLUT.aim.press[0], GLUT.aim.press[1]);
      }
      x += GLUT.aim.offset[0];
      y += GLUT.aim.offset[1];
      if (event.type == 'touchmove') return drag(x, y);
      GLUT.touch = null;
      if (event.cancelable) event.preventDefault();  // not after a drag
      leftButton(1, x, y);
    };
    window.addEventListener('touchcancel', function(event) { GLUT.touchHandler(event); }, true);

    // The finger this event is about: a first one landing on the canvas, or the one followed.
    function trackedTouch(event, start) {
      if (start && (event.target != canvas || GLUT.touch != null || event.touches.length > 1)) {
        return null;
      }
      return Array.prototype.find.call(event.changedTouches, function(t) {
        return start || t.identifier === GLUT.touch;
      });
    }

    // ---- The keyboard pointer ----

    // Without a mouse or a finger, the focused canvas takes the keyboard: the arrows move a
    // pointer that the page draws over it (Module.pointer; 1 pixel a step, 10 with Shift), and
    // Enter or Space clicks there (Shift-clicks with Shift). In move mode Enter or Space aims as
    // a finger does: the pointer moves onto the vertex, which the arrows then drag, and the next
    // Enter or Space puts it down. Leaving the canvas puts it down too.
    var pointer = {x: 400, y: 300, holding: false};
    var ARROWS = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};

    // Takes the key when it is the pointer's, and says whether it was.
    function pointerKey(event) {
      var arrow = ARROWS[event.key], step = event.shiftKey ? 10 : 1;
      var click = event.key == 'Enter' || event.key == ' ';
      if ((!arrow && !click) || event.altKey || event.ctrlKey || event.metaKey) return false;
      if (!GLUT.mouseFunc) return false;  // the program has ended
      event.preventDefault();  // no scrolling, and no Space typed for the program
      canvas.classList.add('keyboard');
      if (arrow) movePointer(pointer.x + arrow[0] * step, pointer.y + arrow[1] * step);
      if (click && !event.repeat) {
        GLUT.saveModifiers(event);
        pointerClick();
      }
      return true;
    }

    function movePointer(x, y) {
      pointer.x = Math.min(Math.max(x, 0), canvas.width - 1);
      pointer.y = Math.min(Math.max(y, 0), canvas.height - 1);
      Module['pointer'].style.left = (pointer.x + 0.5) * 100 / canvas.width + '%';
      Module['pointer'].style.top = (pointer.y + 0.5) * 100 / canvas.height + '%';
      if (pointer.holding) drag(pointer.x, pointer.y);
    }

    function pointerClick() {
      if (pointer.holding) {
        pointer.holding = false;
        return leftButton(1, pointer.x, pointer.y);
      }
      var aimed = aim(pointer.x, pointer.y);
      leftButton(0, aimed.press[0], aimed.press[1]);
      if (aimed.vertex < 0) return leftButton(1, pointer.x, pointer.y);
      pointer.holding = true;
      movePointer(pointer.x + aimed.offset[0], pointer.y + aimed.offset[1]);
    }

    canvas.addEventListener('focus', function() {
      if (canvas.matches(':focus-visible')) canvas.classList.add('keyboard');
    });
    canvas.addEventListener('blur', function() {
      canvas.classList.remove('keyboard');
      if (pointer.holding && GLUT.mouseFunc) pointerClick();
    });
    ['mousedown', 'touchstart'].forEach(function(type) {
      canvas.addEventListener(type, function() { canvas.classList.remove('keyboard'); });
    });

    // ---- The wheel ----

    // freeglut reports a wheel turn as a press and a release of button 3 (up) or 4 (down), which
    // the program ignores. Emscripten's GLUT sends only the press, for a turn anywhere on the
    // page, and cancels the event where the browser cannot (its listener is passive), which
    // logs an error on every turn. Here the page scrolls as any page does. The direction is the
    // sign of deltaY (Chromium's and WebKit's mousewheel events carry it) or of Firefox's
    // DOMMouseScroll detail, positive for down: Emscripten reads the mousewheel sign backwards.
    // Checked by hand with a turn each way in Chromium and WebKit, the buttons logged.
    GLUT.onMouseWheel = function(event) {
      if (event.target != canvas || !GLUT.mouseFunc) return;
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
