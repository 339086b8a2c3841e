// The page around the game: the canvas and its scaling, the keyboard,
// mouse and touch turned into the backend's raw events, focus, sound, the
// table's folder in IndexedDB, the locks between tabs, and the page's own
// lines (the "ERROR!" box, "Play again", the notes under the picture).
// Runs before the game's module starts; the backend reaches it through
// Module.flickermoth (web_library.js).
var flickermoth = Module.flickermoth = (function() {
  var fm = {
    events: [],            // raw events the backend takes on its next poll
    pointer: null,         // the last pointer position, client CSS pixels
    gamesKeys: new Set(),  // keys whose browser action is held back
    presented: 0,          // canvas updates
    presentMs: 0,          // the time they took, conversion included
    firstPresent: 0,       // performance.now() of the first
    frames: 0,             // frames the game ran
    screen: '',
    persistent: false,     // the table's folder is kept in IndexedDB
    audio: null,
    buffers: [],
    voices: {},
    focused: true,
    active: true,
  };
  var STORE = '/flickermoth';
  // Every step that waits on the browser gives up after this long (storage
  // that never answers must not keep the game from starting).
  var PATIENCE_MS = 3000;
  var LONG_PRESS_MS = 400;
  var TAP_SLOP_PX = 12;

  function $(id) { return document.getElementById(id); }
  fm.canvas = $('screen');
  fm.context = fm.canvas.getContext('2d', {alpha: false});

  function queue(kind, fields) {
    var e = fields || {};
    e.kind = kind;
    fm.events.push(e);
  }

  fm.areaHeight = function() {
    return $('stage').clientHeight;
  };

  // ---- Focus ------------------------------------------------------------
  fm.isActive = function() {
    return !document.hidden && fm.focused;
  };
  function followFocus() {
    var active = fm.isActive();
    if (active !== fm.active) {
      fm.active = active;
      queue(5, {value: active ? 1 : 0});
    }
  }
  document.addEventListener('visibilitychange', followFocus);
  window.addEventListener('blur', function() { fm.focused = false; followFocus(); });
  window.addEventListener('focus', function() { fm.focused = true; followFocus(); });
  fm.active = fm.isActive();

  // ---- Layout and full screen --------------------------------------------
  function relayout() { queue(6); }
  window.addEventListener('resize', relayout);
  document.addEventListener('fullscreenchange', relayout);
  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(function() {});
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().catch(function() {});
    }
  }
  $('fullscreen').addEventListener('click', function() {
    toggleFullscreen();
    fm.canvas.focus();
  });
  // The scale button switches between whole multiples and the largest fit;
  // the game remembers the choice with its other settings.
  var SCALE_LABELS = {'': ['Scale: auto', 'Whole multiples when one nearly fills the page, else the largest fit'],
                      'integer': ['Scale: whole', 'Whole multiples only: every pixel the same size'],
                      'fit': ['Scale: fit', 'The largest picture that fits']};
  fm.scaleShown = function(name) {
    var label = SCALE_LABELS[name] || SCALE_LABELS[''];
    $('scale').textContent = label[0];
    $('scale').title = label[1] + ' (click to switch)';
  };
  $('scale').addEventListener('click', function() {
    queue(7);
    fm.canvas.focus();
  });

  // ---- Sound: resumed by the first gesture, as browsers ask -------------
  try {
    var AudioContextType = window.AudioContext || window.webkitAudioContext;
    if (AudioContextType) fm.audio = new AudioContextType();
  } catch (e) {
    fm.audio = null;
  }
  function wakeAudio() {
    if (fm.audio && fm.audio.state === 'suspended') fm.audio.resume().catch(function() {});
  }

  // ---- Keyboard ---------------------------------------------------------
  function savePicture() {
    fm.canvas.toBlob(function(blob) {
      if (!blob) return;
      var d = new Date();
      function two(n) { return (n < 10 ? '0' : '') + n; }
      var link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = 'flickermoth-' + d.getFullYear() + two(d.getMonth() + 1) + two(d.getDate()) + '-' +
                      two(d.getHours()) + two(d.getMinutes()) + two(d.getSeconds()) + '.png';
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 1000);
    }, 'image/png');
  }
  window.addEventListener('keydown', function(e) {
    wakeAudio();
    var anyModifier = e.ctrlKey || e.metaKey || e.altKey;
    if (e.altKey && !e.ctrlKey && !e.metaKey && (e.code === 'Enter' || e.code === 'NumpadEnter')) {
      e.preventDefault();
      if (!e.repeat) toggleFullscreen();
      return;
    }
    if (e.code === 'F12' && !anyModifier) {
      e.preventDefault();
      if (!e.repeat) savePicture();
      return;
    }
    // A phone's keyboard may leave the code out of the keys it names.
    var code = e.code || (e.key === 'Enter' || e.key === 'Backspace' ? e.key : '');
    if (!anyModifier && fm.gamesKeys.has(code)) e.preventDefault();
    // AltGr arrives as Control and Alt together and types characters.
    var shortcut = (e.ctrlKey && !e.altKey) || e.metaKey;
    queue(1, {code: code, key: e.key, flags: (e.repeat ? 1 : 0) | (shortcut ? 2 : 0)});
    // A key that types into the name field has typed already: the field's
    // own input from the same keystroke is not typed again.
    typedByKey = document.activeElement === typing && !e.defaultPrevented && e.key.length === 1;
  });
  window.addEventListener('keyup', function(e) { queue(2, {code: e.code}); });

  // ---- Typing a name on a touch screen -----------------------------------
  // A phone shows its keyboard only for a text field. While the table is up
  // on a touch screen, the bar's Keyboard button focuses a field kept out of
  // sight, and what is typed into it goes to the game as typed keys. The
  // field holds one mark and nothing else, so a backspace always has
  // something to delete, and every change is read off it and undone.
  var typing = $('typing');
  var typedByKey = false;
  var MARK = '_';
  function clearTyping() {
    typing.value = MARK;
    typing.setSelectionRange(1, 1);
  }
  function takeTyping() {
    var text = typing.value;
    clearTyping();
    if (typedByKey) {
      typedByKey = false;
      return;
    }
    if (text.indexOf(MARK) !== 0) {
      queue(1, {code: 'Backspace', key: 'Backspace', flags: 0});
      queue(2, {code: 'Backspace'});
      return;
    }
    Array.from(text.slice(MARK.length)).forEach(function(letter) {
      queue(1, {code: '', key: letter, flags: 0});
    });
  }
  typing.addEventListener('input', function(e) { if (!e.isComposing) takeTyping(); });
  typing.addEventListener('compositionend', takeTyping);
  var touchScreen = navigator.maxTouchPoints > 0 || 'ontouchstart' in window;
  $('keyboard').addEventListener('click', function() {
    clearTyping();
    typing.focus();
  });
  // Called when the game's screen changes: the button is there while the
  // table is, and the keyboard goes away with it.
  fm.screenChanged = function() {
    var table = fm.screen === 'hiscore';
    $('keyboard').hidden = !(table && touchScreen);
    if (!table && document.activeElement === typing) fm.canvas.focus();
  };

  // ---- Mouse and touch --------------------------------------------------
  var canvas = fm.canvas;
  window.addEventListener('pointermove', function(e) {
    if (e.pointerType === 'touch') return;
    fm.pointer = {x: e.clientX, y: e.clientY};
  });
  canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });

  var touch = null;    // the finger down now: where, and its long-press timer
  function click(button) {
    queue(3, {value: button});
    queue(4, {value: button});
  }
  canvas.addEventListener('pointerdown', function(e) {
    wakeAudio();
    e.preventDefault();
    canvas.focus();
    if (e.pointerType === 'touch') {
      if (touch) return;    // a second finger changes nothing
      fm.pointer = {x: e.clientX, y: e.clientY};
      touch = {id: e.pointerId, x: e.clientX, y: e.clientY, moved: false, timer: 0};
      touch.timer = setTimeout(function() {
        // Held still: the right button (collect), at once.
        if (touch && !touch.moved) click(1);
        if (touch) touch.timer = 0;
      }, LONG_PRESS_MS);
      return;
    }
    fm.pointer = {x: e.clientX, y: e.clientY};
    var button = e.button === 0 ? 0 : e.button === 2 ? 1 : -1;
    if (button < 0) return;
    // Held, the pointer stays ours even outside the canvas, so the release
    // is never lost.
    try { canvas.setPointerCapture(e.pointerId); } catch (error) {}
    queue(3, {value: button});
  });
  canvas.addEventListener('pointermove', function(e) {
    if (!touch || e.pointerId !== touch.id) return;
    if (Math.abs(e.clientX - touch.x) > TAP_SLOP_PX || Math.abs(e.clientY - touch.y) > TAP_SLOP_PX)
      touch.moved = true;
  });
  function touchEnds(e, cancelled) {
    if (!touch || e.pointerId !== touch.id) return;
    if (touch.timer) {
      clearTimeout(touch.timer);
      // Lifted before the long press: a tap, the left button.
      if (!touch.moved && !cancelled) click(0);
    }
    touch = null;
  }
  canvas.addEventListener('pointerup', function(e) {
    if (e.pointerType === 'touch') return touchEnds(e, false);
    var button = e.button === 0 ? 0 : e.button === 2 ? 1 : -1;
    if (button >= 0) queue(4, {value: button});
  });
  canvas.addEventListener('pointercancel', function(e) {
    if (e.pointerType === 'touch') return touchEnds(e, true);
    queue(4, {value: 0});
    queue(4, {value: 1});
  });
  // No scrolling or zooming under the finger.
  canvas.addEventListener('touchstart', function(e) { e.preventDefault(); }, {passive: false});
  canvas.addEventListener('touchmove', function(e) { e.preventDefault(); }, {passive: false});

  // ---- The page's own lines ---------------------------------------------
  // A warning goes before the help text: the bar is one line, and the help
  // is what gets cut short on a narrow page, never the warning.
  fm.note = function(text) {
    var line = document.createElement('span');
    line.className = 'warning';
    line.textContent = text;
    $('notes').insertBefore(line, $('notes').firstChild);
  };
  fm.message = function(caption, text) {
    var box = $('error');
    $('error-caption').textContent = caption;
    $('error-text').textContent = text;
    if (box.showModal) box.showModal(); else box.setAttribute('open', '');
  };
  fm.playAgain = function() {
    $('again').hidden = false;
    $('stage').hidden = true;
  };
  $('again-button').addEventListener('click', function() { location.reload(); });

  // ---- The table's folder in IndexedDB ------------------------------------
  function patiently(start) {
    return new Promise(function(resolve) {
      var done = false;
      function finish(ok) { if (!done) { done = true; resolve(ok); } }
      setTimeout(function() { finish(false); }, PATIENCE_MS);
      try { start(finish); } catch (e) { finish(false); }
    });
  }
  function sync(populate) {
    if (!fm.persistent) return Promise.resolve(false);
    return patiently(function(finish) {
      FS.syncfs(populate, function(error) { finish(!error); });
    });
  }
  fm.storeLoad = function() { return sync(true); };
  fm.storeSave = function() { return sync(false); };

  var noKeeping = 'Results will not be kept (the browser allows no storage).';
  Module.preRun = Module.preRun || [];
  Module.preRun.push(function() {
    FS.mkdir(STORE);
    var idb = null;
    try { idb = window.indexedDB; } catch (e) { idb = null; }
    if (!idb) { fm.note(noKeeping); return; }
    try {
      FS.mount(IDBFS, {}, STORE);
    } catch (e) {
      fm.note(noKeeping);
      return;
    }
    addRunDependency('flickermoth-store');
    fm.persistent = true;
    sync(true).then(function(ok) {
      if (!ok) {
        fm.persistent = false;
        fm.note(noKeeping);
      }
      removeRunDependency('flickermoth-store');
    });
  });

  // ---- Locks between tabs -------------------------------------------------
  var locks = {};
  var nextLock = 1;
  // A lock let go is free only once the browser says so; a take waits for
  // this tab's own releases first, so it never meets a lock it just let go.
  var releasing = [];
  // 0 when another tab holds the name; else the lock's number, held until
  // lockRelease. Without Web Locks (an address that is not a secure
  // context) every take succeeds: one tab still plays as before.
  fm.lockTake = function(name, exclusive) {
    var id = nextLock++;
    if (!navigator.locks) return Promise.resolve(id);
    var settled = Promise.all(releasing);
    releasing = [];
    return settled.then(function() {
      return new Promise(function(resolve) {
        var answered = false;
        function answer(value) { if (!answered) { answered = true; resolve(value); } }
        setTimeout(function() { answer(id); }, PATIENCE_MS);
        var request = navigator.locks.request(name, {mode: exclusive ? 'exclusive' : 'shared', ifAvailable: true},
                                              function(lock) {
          if (!lock) {
            answer(0);
            return;
          }
          return new Promise(function(release) {
            if (answered) return release();
            locks[id] = {release: release, request: request};
            answer(id);
          });
        });
        request.catch(function() { answer(id); });
      });
    });
  };
  fm.lockRelease = function(id) {
    var held = locks[id];
    delete locks[id];
    if (!held) return;
    held.release();
    releasing.push(held.request.catch(function() {}));
  };

  return fm;
})();
