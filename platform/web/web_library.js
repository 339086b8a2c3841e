// The page's side of the browser backend: what the backend's C++ calls.
// The page's state (Module.flickermoth) is set up by page.js.
mergeInto(LibraryManager.library, {
  // One raw event from the page's queue into fields[0..3] (kind, flags,
  // value, spare) and the key's code and typed text; 0 when none waits.
  web_page_next_event: function(fields, code, key, size) {
    var fm = Module.flickermoth;
    var e = fm.events.shift();
    if (!e) return 0;
    HEAP32[(fields >> 2)] = e.kind;
    HEAP32[(fields >> 2) + 1] = e.flags || 0;
    HEAP32[(fields >> 2) + 2] = e.value || 0;
    HEAP32[(fields >> 2) + 3] = 0;
    stringToUTF8(e.code || '', code, size);
    stringToUTF8(e.key || '', key, size);
    return 1;
  },

  // Where the pointer is over the canvas (CSS pixels from its top-left
  // corner) and the canvas's CSS size, into out[0..3]; 0 when the pointer
  // was never seen.
  web_page_pointer: function(out) {
    var fm = Module.flickermoth;
    if (!fm.pointer) return 0;
    var box = fm.canvas.getBoundingClientRect();
    HEAPF64[(out >> 3)] = fm.pointer.x - box.left;
    HEAPF64[(out >> 3) + 1] = fm.pointer.y - box.top;
    HEAPF64[(out >> 3) + 2] = box.width;
    HEAPF64[(out >> 3) + 3] = box.height;
    return 1;
  },

  // The area the picture may fill, in device pixels.
  web_page_area: function(out) {
    var ratio = window.devicePixelRatio || 1;
    HEAP32[(out >> 2)] = Math.floor(window.innerWidth * ratio);
    HEAP32[(out >> 2) + 1] = Math.floor(Module.flickermoth.areaHeight() * ratio);
  },

  // Places the canvas (device pixels within the area).
  web_page_place: function(x, y, width, height) {
    var ratio = window.devicePixelRatio || 1;
    var style = Module.flickermoth.canvas.style;
    style.left = (x / ratio) + 'px';
    style.top = (y / ratio) + 'px';
    style.width = (width / ratio) + 'px';
    style.height = (height / ratio) + 'px';
  },

  // Puts 640 x 480 RGBA pixels on the canvas in one call, the rows top to
  // bottom - 1 that changed; counts the time the present took, the
  // conversion before it included.
  web_page_present: function(rgba, top, bottom, convertMs) {
    var fm = Module.flickermoth;
    var start = performance.now();
    if (!fm.image || fm.imageBuffer !== HEAPU8.buffer || fm.imageAt !== rgba) {
      fm.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, 640 * 480 * 4), 640, 480);
      fm.imageBuffer = HEAPU8.buffer;
      fm.imageAt = rgba;
    }
    fm.context.putImageData(fm.image, 0, 0, 0, top, 640, bottom - top);
    fm.presentMs += convertMs + (performance.now() - start);
    fm.presented++;
    if (!fm.firstPresent) fm.firstPresent = performance.now();
  },

  // What the scale button shows: "integer", "fit", or "" for the page's own rule.
  web_page_scale_shown: function(name) {
    Module.flickermoth.scaleShown(UTF8ToString(name));
  },

  web_page_is_active: function() {
    return Module.flickermoth.isActive() ? 1 : 0;
  },

  // The keys whose browser actions the page holds back, space-separated.
  web_page_set_games_keys: function(list) {
    Module.flickermoth.gamesKeys = new Set(UTF8ToString(list).split(' '));
  },

  web_page_message: function(caption, text) {
    Module.flickermoth.message(UTF8ToString(caption), UTF8ToString(text));
  },

  web_page_play_again: function() {
    Module.flickermoth.playAgain();
  },

  web_page_screen: function(name, trace) {
    var fm = Module.flickermoth;
    var screen = UTF8ToString(name);
    if (screen !== fm.screen) {
      fm.screen = screen;
      fm.screenChanged();
    }
    fm.frames++;
    if (trace) fm.trace = JSON.parse(UTF8ToString(trace));
    if (Module.onFrame) Module.onFrame(fm);
  },
  web_page_trace: function() {
    return new URLSearchParams(location.search).has('trace') ? 1 : 0;
  },
  web_page_places: function(places) {
    Module.flickermoth.places = JSON.parse(UTF8ToString(places));
  },

  // The address's "?args=" text (UTF-8) and "?demo" choice.
  web_page_argument: function(out, size) {
    var text = new URLSearchParams(location.search).get('args') || '';
    stringToUTF8(text, out, size);
  },
  web_page_demo: function() {
    var demo = new URLSearchParams(location.search).get('demo');
    if (demo === null) return 0;
    return demo === 'lose' ? 2 : 1;
  },

  // ---- Sound --------------------------------------------------------------

  web_audio_open: function() {
    return Module.flickermoth.audio ? 1 : 0;
  },
  web_audio_now: function() {
    var audio = Module.flickermoth.audio;
    return audio ? audio.currentTime : 0;
  },
  // A sample (floats at 22050 Hz) made into an AudioBuffer once; its number.
  web_audio_buffer: function(samples, length) {
    var fm = Module.flickermoth;
    if (!fm.audio || length <= 0) return 0;
    try {
      var buffer = fm.audio.createBuffer(1, length, 22050);
      buffer.copyToChannel(HEAPF32.subarray(samples >> 2, (samples >> 2) + length), 0);
      fm.buffers.push(buffer);
      return fm.buffers.length;
    } catch (e) {
      return 0;
    }
  },
  // Starts buffer `buffer` from its start on voice `voice` (a gain of its
  // own each time, so a fading old sound is left to fade); the time it ends,
  // or -1 when it could not start.
  web_audio_start: function(voice, buffer, looping) {
    var fm = Module.flickermoth;
    var data = fm.buffers[buffer - 1];
    if (!fm.audio || !data) return -1;
    try {
      var gain = fm.audio.createGain();
      gain.connect(fm.audio.destination);
      var source = fm.audio.createBufferSource();
      source.buffer = data;
      source.loop = !!looping;
      source.connect(gain);
      var now = fm.audio.currentTime;
      source.start(now);
      fm.voices[voice] = {source: source, gain: gain};
      source.onended = function() {
        gain.disconnect();
        if (fm.voices[voice] && fm.voices[voice].source === source) delete fm.voices[voice];
      };
      return now + data.duration;
    } catch (e) {
      return -1;
    }
  },
  // Stops what voice `voice` sounds, fading it to silence over `fade` seconds.
  web_audio_stop: function(voice, fade) {
    var fm = Module.flickermoth;
    var playing = fm.voices[voice];
    if (!fm.audio || !playing) return;
    delete fm.voices[voice];
    try {
      var now = fm.audio.currentTime;
      if (fade > 0) {
        playing.gain.gain.setValueAtTime(1, now);
        playing.gain.gain.linearRampToValueAtTime(0, now + fade);
      }
      playing.source.stop(now + fade);
    } catch (e) {
    }
  },
});
