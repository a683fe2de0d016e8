// The page's own ways in, a finger and a keyboard pointer, reach the program as GLUT's left
// button: presses, drags and releases at canvas pixels. Where they aim, they ask the program
// where its vertices are and which one a press would take (web/platform/touch.cpp); the pick
// itself stays the program's own. Linked as a JS library (--js-library) after glut.js.

var aimLibrary = {
  $aim: {
    finger: null,  // the identifier of the touch that is the left button, while it is down
    touch: null,   // where that touch aimed: aimAt
  },

  // ---- Aiming, for a finger and the keyboard pointer ----

  // A fingertip lands some pixels from where its owner aims, and hides what it aims at. So in
  // move mode a press aimed at (x, y) takes the vertex drawn nearest to it within TOUCH_REACH
  // CSS pixels each way (a target as large as the accessibility guidelines ask), and the drag
  // after it keeps the vertex's offset from the aim: the vertex stays in sight and does not
  // jump. Elsewhere the press lands at (x, y). A mouse keeps the program's own pick square.
  // The program's answers come through Module, as the page's own scripts call them.
  $aimAt__deps: ['$glut'],
  $aimAt: function(x, y) {
    var TOUCH_REACH = 12, rect = glut.canvas.getBoundingClientRect();
    var reachX = TOUCH_REACH * glut.canvas.width / rect.width;
    var reachY = TOUCH_REACH * glut.canvas.height / rect.height;
    var vertex = Module['_touchedVertex'](x, y, reachX, reachY);
    if (vertex < 0) return {vertex: vertex, press: [x, y], offset: [0, 0]};
    var vx = Module['_vertexWindowX'](vertex), vy = Module['_vertexWindowY'](vertex);
    return {vertex: vertex, press: pickPixel(vx, vy), offset: [vx - x, vy - y]};

    // The pixel nearest the vertex's own (x, y) where the program's pick takes it: an earlier
    // vertex's pick square may cover its own pixel. Only where none is left to it (two vertices
    // on one pixel) does the press land on (x, y) and take the earlier one.
    function pickPixel(x, y) {
      var PICK_REACH = 5;  // pixels: the pick square reaches 4 across and 3 down at 800 by 600
      var best = [x, y], nearest = Infinity;
      for (var dy = -PICK_REACH; dy <= PICK_REACH; ++dy) {
        for (var dx = -PICK_REACH; dx <= PICK_REACH; ++dx) {
          if (dx * dx + dy * dy < nearest && Module['_vertexPickedAt'](x + dx, y + dy) == vertex) {
            best = [x + dx, y + dy];
            nearest = dx * dx + dy * dy;
          }
        }
      }
      return best;
    }
  },

  // ---- Touch ----

  // One finger is the left button: the first to touch the canvas, followed among all the
  // touches an event lists; other fingers change nothing. A touch the system takes away
  // (touchcancel) ends as a lift there. The page keeps the browser from scrolling (touch-action);
  // ending a tap here also stops the browser's own mouse events for it.
  $aimTouch__deps: ['$aim', '$aimAt', '$glutButton', '$glutMove', '$glutPixel'],
  $aimTouch: function(event) {
    var start = event.type == 'touchstart', touch = tracked();
    if (!touch || glut.ended) return;
    var at = glutPixel(touch), x = at[0], y = at[1];
    if (start) {
      aim.finger = touch.identifier;
      aim.touch = aimAt(x, y);
      return glutButton(event, 0, 0, aim.touch.press[0], aim.touch.press[1]);
    }
    x += aim.touch.offset[0];
    y += aim.touch.offset[1];
    if (event.type == 'touchmove') return glutMove(event, x, y);
    aim.finger = null;
    if (event.cancelable) event.preventDefault();  // not after a drag
    glutButton(event, 0, 1, x, y);

    // The finger this event is about: a first one landing on the canvas, or the one followed.
    function tracked() {
      if (start && (event.target != glut.canvas || aim.finger != null ||
                    event.touches.length > 1)) {
        return null;
      }
      return Array.prototype.find.call(event.changedTouches, function(t) {
        return start || t.identifier === aim.finger;
      });
    }
  },

  // ---- The keyboard pointer ----

  // Without a mouse or a finger, the focused canvas takes the keyboard: the arrows move a
  // pointer that the page draws over it (Module.pointer; 1 pixel a step, 10 with Shift), and
  // Enter or Space clicks there (Shift-clicks with Shift). In move mode Enter or Space aims as
  // a finger does: the pointer moves onto the vertex, which the arrows then drag, and the next
  // Enter or Space puts it down. Leaving the canvas puts it down too.
  $aimKeys__deps: ['$aimAt', '$glutButton', '$glutMove'],
  $aimKeys: function() {
    var canvas = glut.canvas, pointer = {x: 400, y: 300, holding: false};
    var ARROWS = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};

    // Takes the key when it is the pointer's (GLUT then leaves it).
    canvas.addEventListener('keydown', function(event) {
      var arrow = ARROWS[event.key], step = event.shiftKey ? 10 : 1;
      var click = event.key == 'Enter' || event.key == ' ';
      if ((!arrow && !click) || event.altKey || event.ctrlKey || event.metaKey || glut.ended) {
        return;
      }
      event.preventDefault();  // no scrolling, and no Space typed for the program
      canvas.classList.add('keyboard');
      if (arrow) move(event, pointer.x + arrow[0] * step, pointer.y + arrow[1] * step);
      if (click && !event.repeat) pointerClick(event);
    });

    function move(event, x, y) {
      pointer.x = Math.min(Math.max(x, 0), canvas.width - 1);
      pointer.y = Math.min(Math.max(y, 0), canvas.height - 1);
      Module['pointer'].style.left = (pointer.x + 0.5) * 100 / canvas.width + '%';
      Module['pointer'].style.top = (pointer.y + 0.5) * 100 / canvas.height + '%';
      if (pointer.holding) glutMove(event, pointer.x, pointer.y);
    }

    function pointerClick(event) {
      if (pointer.holding) {
        pointer.holding = false;
        return glutButton(event, 0, 1, pointer.x, pointer.y);
      }
      var aimed = aimAt(pointer.x, pointer.y);
      glutButton(event, 0, 0, aimed.press[0], aimed.press[1]);
      if (aimed.vertex < 0) return glutButton(event, 0, 1, pointer.x, pointer.y);
      pointer.holding = true;
      move(event, pointer.x + aimed.offset[0], pointer.y + aimed.offset[1]);
    }

    canvas.addEventListener('focus', function() {
      if (canvas.matches(':focus-visible')) canvas.classList.add('keyboard');
    });
    canvas.addEventListener('blur', function(event) {
      canvas.classList.remove('keyboard');
      if (pointer.holding && !glut.ended) pointerClick(event);
    });
    ['mousedown', 'touchstart'].forEach(function(type) {
      canvas.addEventListener(type, function() { canvas.classList.remove('keyboard'); });
    });
  },

  // Both start with GLUT's own listeners (glutListen), when the program makes its window.
  $aimListen__deps: ['$aimTouch', '$aimKeys'],
  $aimListen: function() {
    ['touchstart', 'touchmove', 'touchend', 'touchcancel'].forEach(function(type) {
      window.addEventListener(type, aimTouch, {passive: type != 'touchend'});
    });
    aimKeys();
  },
};
(typeof addToLibrary == 'function' ? addToLibrary : function(library) {
  mergeInto(LibraryManager.library, library);
})(aimLibrary);
