// The page around the game: the canvas scaled by whole steps, the player's mouse, keys and
// input method handed to the game, the save folder kept in IndexedDB under the game's own
// name, the save's export and import, and the sound started by the first click.
'use strict';

// The folder the game saves in; IndexedDB keeps it in a database of this name, which no other
// game on the same host uses.
var QV_SAVE_DIR = '/qv-save';
var QV_REPLAY_FILE = '/replay.txt';

var qvPage = (function () {
  var canvas = document.getElementById('screen');
  var context = canvas.getContext('2d', {alpha: false});
  var ime = document.getElementById('ime');
  var notice = document.getElementById('notice');
  var play = 0;           // the game's handle for its input
  var replaying = false;
  var composing = false;
  var syncing = false, syncAgain = false;
  var scale = 1;
  var page = {
    firstPictureMs: null,   // when the first picture reached the canvas (performance.now())
    pictures: 0,            // pictures put on the canvas
    savesStored: 0,         // writes of the save folder to IndexedDB that finished
    storeErrors: 0,
    replay: null,           // a replay's outcome once it ended
    closed: false,
    audioCallbacks: 0,      // times the graph asked the game for its effects
    effectsPeak: 0,         // the loudest effects sample the game gave it (0..1)
    musicPlaying: '',       // the music (or tune) sounding now
    tunesStarted: [],       // every music file that began to sound, in order
  };

  // The largest whole scale that fits the window; a smooth fit below 1 on small screens.
  function fit() {
    var s = Math.min(window.innerWidth / 640, (window.innerHeight - 70) / 480);
    scale = s >= 1 ? Math.floor(s) : Math.max(s, 0.25);
    canvas.style.width = 640 * scale + 'px';
    canvas.style.height = 480 * scale + 'px';
    canvas.classList.toggle('smooth', scale < 1);
    document.getElementById('stage').style.width = 640 * scale + 'px';
  }
  window.addEventListener('resize', fit);
  fit();

  function picturePoint(e) {
    var r = canvas.getBoundingClientRect();
    var x = Math.floor((e.clientX - r.left) * 640 / r.width);
    var y = Math.floor((e.clientY - r.top) * 480 / r.height);
    return [Math.min(Math.max(x, 0), 639), Math.min(Math.max(y, 0), 479), x >= 0 && y >= 0 && x < 640 && y < 480];
  }

  function withText(text, f) {
    var size = Module.lengthBytesUTF8(text) + 1;
    var p = Module._malloc(size);
    Module.stringToUTF8(text, p, size);
    try { f(p); } finally { Module._free(p); }
  }

  // Keys the game knows, by the browser's key code (the same numbers as the game's keys).
  var KEYS = new Set([8, 9, 13, 19, 27, 32, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46, 16, 17, 18,
                      106, 107, 109, 110, 111]);
  function gameKey(e) {
    var k = e.keyCode;
    if ((k >= 65 && k <= 90) || (k >= 48 && k <= 57) || (k >= 96 && k <= 105) || (k >= 112 && k <= 123)) return k;
    return KEYS.has(k) ? k : 0;
  }

  // The sound: browsers allow it only after the player's first click or key, so the graph is
  // made then; the game sends its effects as the graph asks, and names the music it plays.
  var audio = null;
  var music = {source: null, file: '', token: 0};
  var tune = {source: null};
  var decoded = new Map();
  function startAudio() {
    if (audio || !play || replaying) return;
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    audio = new Context();
    var frames = 2048;
    var left = Module._malloc(frames * 4), right = Module._malloc(frames * 4);
    var effects = audio.createScriptProcessor(frames, 0, 2);
    effects.onaudioprocess = function (e) {
      var n = e.outputBuffer.length;
      Module._qv_audio_render(play, left, right, n);
      var l = HEAPF32.subarray(left >> 2, (left >> 2) + n), r = HEAPF32.subarray(right >> 2, (right >> 2) + n);
      e.outputBuffer.getChannelData(0).set(l);
      e.outputBuffer.getChannelData(1).set(r);
      page.audioCallbacks++;
      for (var i = 0; i < n; i++) {
        var v = Math.abs(l[i]);
        if (v > page.effectsPeak) page.effectsPeak = v;
      }
    };
    effects.connect(audio.destination);
    audio.resume();
    Module._qv_audio_start(play, audio.sampleRate);
    document.getElementById('sound').textContent = '';
  }
  page.audioStart = startAudio;

  function buffer(file) {
    if (!decoded.has(file)) {
      decoded.set(file, fetch('music/' + encodeURIComponent(file))
        .then(function (r) { if (!r.ok) throw new Error(r.status); return r.arrayBuffer(); })
        .then(function (bytes) { return audio.decodeAudioData(bytes); }));
    }
    return decoded.get(file);
  }
  function playOnce(slot, file, ended) {
    if (slot.source) { slot.source.onended = null; try { slot.source.stop(); } catch (e) {} slot.source = null; }
    var mine = {};
    slot.current = mine;
    buffer(file).then(function (b) {
      if (slot.current !== mine) return;
      var source = audio.createBufferSource();
      source.buffer = b;
      source.connect(audio.destination);
      source.onended = function () { if (slot.source === source) { slot.source = null; ended && ended(); } };
      slot.source = source;
      source.start();
      page.musicPlaying = file;
      page.tunesStarted.push(file);
    }).catch(function (err) { console.warn('qv: cannot play ' + file + ': ' + err); });
  }
  function stopSlot(slot) {
    slot.current = null;
    if (slot.source) { slot.source.onended = null; try { slot.source.stop(); } catch (e) {} slot.source = null; }
    page.musicPlaying = '';
  }
  page.playMusic = function (file, token) {
    if (!audio) return false;
    playOnce(music, file, function () { Module._qv_music_ended(play, token, 1); });
    return true;
  };
  page.stopMusic = function () { if (audio) stopSlot(music); };
  page.playTune = function (file) { if (audio) playOnce(tune, file, null); };
  page.stopTune = function () { if (audio) stopSlot(tune); };

  // What the player's input changed shows at the next animation frame, once however many
  // events came.
  var showPending = false;
  function showSoon() {
    if (showPending) return;
    showPending = true;
    requestAnimationFrame(function () { showPending = false; Module._qv_show(play); });
  }

  function listen() {
    canvas.addEventListener('mousedown', function (e) {
      canvas.focus();
      startAudio();
      if (e.button !== 0 && e.button !== 2) return;
      var p = picturePoint(e);
      if (!p[2]) return;
      e.preventDefault();
      Module._qv_mouse(play, 0, p[0], p[1], 0, e.button === 2 ? 1 : 0); showSoon();
    });
    window.addEventListener('mouseup', function (e) {
      if (e.button !== 0 && e.button !== 2) return;
      var p = picturePoint(e);
      Module._qv_mouse(play, 1, p[0], p[1], 0, e.button === 2 ? 1 : 0); showSoon();
    });
    canvas.addEventListener('mousemove', function (e) {
      var p = picturePoint(e);
      if (p[2]) Module._qv_mouse(play, 2, p[0], p[1], 0, 0); showSoon();
    });
    canvas.addEventListener('wheel', function (e) {
      var p = picturePoint(e);
      var delta = e.deltaY < 0 ? 1 : e.deltaY > 0 ? -1 : 0;
      if (p[2] && delta) { e.preventDefault(); Module._qv_mouse(play, 3, p[0], p[1], delta, 0); showSoon(); }
    }, {passive: false});
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    window.addEventListener('keydown', function (e) {
      startAudio();
      if (e.isComposing || e.keyCode === 229 || e.target.tagName === 'BUTTON') return;
      if (e.target.type === 'file') return;
      var k = gameKey(e);
      if (!k) return;
      // Letters and digits typed into the name field reach the game as text too.
      var typing = document.activeElement === ime && ((k >= 48 && k <= 90) || k === 32);
      if (!typing && !e.ctrlKey && !e.metaKey) e.preventDefault();
      Module._qv_key(play, 1, k); showSoon();
    });
    window.addEventListener('keyup', function (e) {
      if (e.isComposing || e.keyCode === 229) return;
      var k = gameKey(e);
      if (k) Module._qv_key(play, 0, k); showSoon();
    });
    ime.addEventListener('compositionstart', function () { composing = true; });
    ime.addEventListener('compositionupdate', function (e) {
      var text = e.data || '';
      var start = ime.selectionStart || 0, end = ime.selectionEnd || 0;
      var caret = Math.min(Array.from(text).length, start);
      withText(text, function (p) { Module._qv_compose(play, p, caret, Math.max(end - start, 0)); showSoon(); });
    });
    ime.addEventListener('compositionend', function (e) {
      composing = false;
      withText('', function (p) { Module._qv_compose(play, p, 0, 0); showSoon(); });
      if (e.data) withText(e.data, function (p) { Module._qv_text(play, p); showSoon(); });
      ime.value = '';
    });
    ime.addEventListener('input', function (e) {
      if (composing || e.isComposing) return;
      if (e.inputType === 'insertText' && e.data) withText(e.data, function (p) { Module._qv_text(play, p); showSoon(); });
      ime.value = '';
    });
  }

  // Gamepads, where the browser has them: the pad's arrows are the arrow keys, its first button
  // (and Start) Enter, its second Escape. Polled at animation frames only while one is connected.
  var PAD_KEYS = [[0, 13], [9, 13], [1, 27], [12, 38], [13, 40], [14, 37], [15, 39]];
  var padHeld = {};
  var padPolling = false;
  function pollPads() {
    var pads = navigator.getGamepads ? Array.from(navigator.getGamepads()).filter(Boolean) : [];
    if (pads.length === 0) { padPolling = false; return; }
    PAD_KEYS.forEach(function (pk) {
      var down = pads.some(function (p) { return p.buttons[pk[0]] && p.buttons[pk[0]].pressed; });
      var name = pk[0] + ':' + pk[1];
      if (down !== !!padHeld[name]) {
        padHeld[name] = down;
        if (down) startAudio();
        Module._qv_key(play, down ? 1 : 0, pk[1]);
        showSoon();
      }
    });
    requestAnimationFrame(pollPads);
  }
  function listenForPads() {
    window.addEventListener('gamepadconnected', function () {
      if (!padPolling) { padPolling = true; requestAnimationFrame(pollPads); }
    });
  }

  page.started = function (handle, replay) {
    play = handle;
    replaying = replay;
    notice.textContent = replay ? '再生中… / Replaying…' : '';
    if (!replay) { listen(); listenForPads(); }
    canvas.focus();
  };

  page.showPicture = function (bytes, places) {
    var image = new ImageData(new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length), 640, 480);
    if (places && page.pictures > 0) {
      for (var i = 0; i < places.length; i += 4) context.putImageData(image, 0, 0, places[i], places[i + 1], places[i + 2], places[i + 3]);
    } else {
      context.putImageData(image, 0, 0);
    }
    page.pictures++;
    if (page.firstPictureMs === null) page.firstPictureMs = performance.now();
  };

  // Tests of scripted play: timer events, and the game's state as a scripted run dumps it.
  page.ticks = function (n) { Module._qv_ticks(play, n); };
  page.dump = function () {
    var p = Module._qv_dump(play);
    var text = Module.UTF8ToString(p);
    Module._free(p);
    return text;
  };

  page.alert = function (text) { window.alert(text); };
  page.confirm = function (text) { return window.confirm(text); };

  page.placeTextField = function (on, x, y, w, h) {
    if (!on) {
      ime.blur();
      ime.style.display = 'none';
      ime.value = '';
      canvas.focus();
      return;
    }
    ime.style.left = x * scale + 'px';
    ime.style.top = y * scale + 'px';
    ime.style.width = Math.max(w, 8) * scale + 'px';
    ime.style.height = Math.max(h, 8) * scale + 'px';
    ime.style.display = 'block';
    ime.focus();
  };

  // Writes the save folder to IndexedDB; one write at a time, the last change always written.
  page.storeSaves = function () {
    if (syncing) { syncAgain = true; return; }
    syncing = true;
    FS.syncfs(false, function (err) {
      syncing = false;
      if (err) { page.storeErrors++; console.error('qv: the save could not be stored:', err); }
      else page.savesStored++;
      if (syncAgain) { syncAgain = false; page.storeSaves(); }
    });
  };

  page.gameClosed = function () {
    page.closed = true;
    notice.textContent = replaying ? '再生が終わりました / The replay has ended.'
                                   : 'ゲームを終了しました。再読み込みで再開できます / The game has ended; reload the page to play again.';
  };

  page.replayEnded = function (result) {
    page.replay = result;
    notice.textContent = 'replay: ' + result.outcome + (result.verdict ? ' (' + result.verdict + ')' : '');
  };

  // The language: the page loads again with it (the game reads its texts at start-up).
  var lang = document.getElementById('lang');
  var asked = new URLSearchParams(window.location.search).get('lang') || 'ja';
  if (Array.from(lang.options).some(function (o) { return o.value === asked; })) lang.value = asked;
  lang.addEventListener('change', function () {
    var params = new URLSearchParams(window.location.search);
    if (lang.value === 'ja') params.delete('lang'); else params.set('lang', lang.value);
    var query = params.toString();
    window.location.search = query ? '?' + query : '';
  });

  // The save as a file, and a file put in its place (the game starts again from it).
  document.getElementById('export').addEventListener('click', function () {
    var bytes;
    try { bytes = FS.readFile(QV_SAVE_DIR + '/my.dat'); } catch (e) { window.alert('セーブデータがありません / There is no save yet.'); return; }
    var a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
    a.download = 'my.dat';
    document.body.appendChild(a);
    a.click();
    setTimeout(function () { URL.revokeObjectURL(a.href); a.remove(); }, 0);
  });
  document.getElementById('import').addEventListener('change', function (e) {
    var file = e.target.files[0];
    if (!file) return;
    if (file.size > 1024 * 1024) { window.alert('セーブデータではありません / This is not a save.'); return; }
    if (!window.confirm('今のセーブを置き換えて、ゲームを読み込み直しますか？ / Replace the save and restart the game?')) return;
    file.arrayBuffer().then(function (buffer) {
      FS.writeFile(QV_SAVE_DIR + '/my.dat', new Uint8Array(buffer));
      FS.syncfs(false, function () { window.location.reload(); });
    });
  });

  return page;
})();

var Module = (function () {
  var params = new URLSearchParams(window.location.search);
  var replay = params.get('replay');
  // Tests: ?seed=N fixes the game's seed; ?scripted runs the timer only when the test asks.
  var args = [];
  if (replay) args = ['--replay', QV_REPLAY_FILE];
  else {
    // ?lang=en: the texts in another language (Japanese, the game's own, without it).
    if (/^[A-Za-z_@]{2,20}$/.test(params.get('lang') || '')) args.push('--language', params.get('lang'));
    if (/^[0-9]+$/.test(params.get('seed') || '')) args.push('--seed', params.get('seed'));
    if (params.has('scripted')) args.push('--scripted');
  }
  return {
    canvas: document.getElementById('screen'),
    arguments: args,
    print: function (text) { console.log(text); },
    printErr: function (text) { console.warn(text); },
    preRun: [function () {
      FS.mkdir(QV_SAVE_DIR);
      if (!replay) {
        FS.mount(IDBFS, {}, QV_SAVE_DIR);
        addRunDependency('qv-save');
        FS.syncfs(true, function (err) {
          if (err) console.error('qv: the saved game could not be read:', err);
          removeRunDependency('qv-save');
        });
        return;
      }
      addRunDependency('qv-replay');
      fetch(replay).then(function (r) {
        if (!r.ok) throw new Error(r.status + ' ' + r.statusText);
        return r.arrayBuffer();
      }).then(function (buffer) {
        FS.writeFile(QV_REPLAY_FILE, new Uint8Array(buffer));
        removeRunDependency('qv-replay');
      }).catch(function (err) {
        qvPage.replayEnded({outcome: 'bad', verdict: 'cannot fetch ' + replay + ': ' + err, ticks: 0, hash: '', dump: ''});
      });
    }],
  };
})();
