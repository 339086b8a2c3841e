// The browser version played in a real Chromium, as a player meets it.
//   node e2e.js BASE_URL NATIVE_SHOTS WORK_DIR
// BASE_URL serves build-web/site; NATIVE_SHOTS holds the native headless
// program's first presented frames with the same start (frame-NNNNNN.png);
// WORK_DIR holds the browser profile and the screenshots.
// Prints one line per check and exits 1 when any failed.
'use strict';
const puppeteer = require('puppeteer-core');
const fs = require('fs');
const path = require('path');

const [BASE, NATIVE_SHOTS, WORK] = process.argv.slice(2);
const CHROMIUM = process.env.CHROMIUM || '/usr/bin/chromium';
const PROFILE = path.join(WORK, 'profile');
// A Cyrillic name as a player on a Russian layout types it: key, its place.
const NAME = [['М', 'KeyV'], ['о', 'KeyJ'], ['л', 'KeyK'], ['ь', 'KeyM']];
const NAME_TEXT = NAME.map(k => k[0]).join('');
// And one with a letter the code page lacks, typed as its nearest plain
// letters, on a phone's keyboard.
const SECOND_NAME = 'Яßк';
const SECOND_NAME_TEXT = 'Яssк';

const failures = [];
const pageErrors = [];
function check(name, ok, detail) {
  console.log((ok ? 'ok   ' : 'FAIL ') + name + (detail ? ' (' + detail + ')' : ''));
  if (!ok) failures.push(name);
}
const sleep = ms => new Promise(r => setTimeout(r, ms));

async function launch() {
  return puppeteer.launch({
    executablePath: CHROMIUM,
    headless: true,
    userDataDir: PROFILE,
    args: ['--no-sandbox', '--autoplay-policy=no-user-gesture-required', '--disable-gpu'],
  });
}

async function open(browser, query, before) {
  const page = await browser.newPage();
  await page.setViewport({width: 960, height: 760, hasTouch: true});
  page.on('pageerror', e => pageErrors.push(e.message));
  page.on('console', m => { if (m.type() === 'error') pageErrors.push(m.text()); });
  if (before) await page.evaluateOnNewDocument(before);
  await page.goto(BASE + query, {waitUntil: 'load'});
  return page;
}

// Waits until `test(fm)` (run in the page on Module.flickermoth) is true.
async function until(page, test, ms, what, ...args) {
  const end = Date.now() + ms;
  while (Date.now() < end) {
    const got = await page.evaluate(test, ...args).catch(() => false);
    if (got) return true;
    await sleep(100);
  }
  throw new Error('timed out waiting for ' + what);
}
const state = page => page.evaluate(() => window.flickermoth && flickermoth.trace);

// Where a picture position lies on the page.
async function onPage(page, x, y) {
  return page.evaluate((x, y) => {
    const box = flickermoth.canvas.getBoundingClientRect();
    return [box.left + (x + 0.5) * box.width / 640, box.top + (y + 0.5) * box.height / 480];
  }, x, y);
}
async function click(page, x, y, button) {
  const [px, py] = await onPage(page, x, y);
  await page.mouse.move(px, py);
  await sleep(80);
  await page.mouse.down({button: button || 'left'});
  await sleep(80);
  await page.mouse.up({button: button || 'left'});
}
async function cell(page, i) {
  const places = await page.evaluate(() => flickermoth.places);
  return places.cells[i];
}
async function playersTurn(page, ms) {
  await until(page, () => flickermoth.screen === 'game' && flickermoth.trace && flickermoth.trace.mode === 2 &&
                          flickermoth.trace.pending === 0, ms || 20000, "the player's turn");
}
async function typeKey(page, key, code) {
  const client = await page.target().createCDPSession();
  await client.send('Input.dispatchKeyEvent', {type: 'keyDown', key, code, text: key, unmodifiedText: key});
  await client.send('Input.dispatchKeyEvent', {type: 'keyUp', key, code});
  await client.detach();
  await sleep(120);
}
async function press(page, key, times) {
  for (let i = 0; i < (times || 1); i++) {
    await page.keyboard.press(key);
    await sleep(60);
  }
}

// ---- The board, from the frame's state the page publishes ------------------
const COLUMNS = 10;
const settled = (t, i) => t.cells[i][0] === 1;
const colour = (t, i) => t.cells[i][1];
// A collectable moth: a settled one whose column holds four or more settled of its colour.
function collectable(t) {
  for (let c = 0; c < COLUMNS; c++) {
    const counts = {};
    for (let r = 0; r < 8; r++) {
      const i = c + r * COLUMNS;
      if (settled(t, i)) counts[colour(t, i)] = (counts[colour(t, i)] || 0) + 1;
    }
    for (let r = 0; r < 8; r++) {
      const i = c + r * COLUMNS;
      if (settled(t, i) && counts[colour(t, i)] >= 4) return i;
    }
  }
  return -1;
}
// The swap that brings a column nearest to four of one colour: a moth of
// another colour in it for one of that colour from elsewhere.
function buildingSwap(t) {
  let best = null;
  for (let c = 0; c < COLUMNS; c++) {
    const counts = {};
    for (let r = 0; r < 8; r++) {
      const i = c + r * COLUMNS;
      if (settled(t, i)) counts[colour(t, i)] = (counts[colour(t, i)] || 0) + 1;
    }
    for (const k of Object.keys(counts)) {
      const want = Number(k);
      const out = [...Array(8).keys()].map(r => c + r * COLUMNS).find(i => settled(t, i) && colour(t, i) !== want);
      const into = [...Array(80).keys()].find(i => i % COLUMNS !== c && settled(t, i) && colour(t, i) === want);
      if (out !== undefined && into !== undefined && (!best || counts[k] > best.count))
        best = {count: counts[k], from: out, to: into};
    }
  }
  return best;
}
async function swap(page, from, to) {
  const a = await cell(page, from), b = await cell(page, to);
  await click(page, a[0], a[1]);
  await until(page, () => flickermoth.trace.selected >= 0, 3000, 'a picked moth');
  await click(page, b[0], b[1]);
}
// Swaps until some moth can be collected; its cell.
async function makeCollectable(page) {
  for (let tries = 0; tries < 12; tries++) {
    await playersTurn(page);
    const t = await state(page);
    const ready = collectable(t);
    if (ready >= 0) return ready;
    const move = buildingSwap(t);
    if (!move) break;
    await swap(page, move.from, move.to);
    await until(page, () => flickermoth.trace.mode !== 2 || flickermoth.trace.pending !== 0, 3000, 'the swap');
  }
  throw new Error('no collectable group could be made');
}

// ---- The checks ---------------------------------------------------------------

// The title's first frame: the picture on show when it begins (its fade-in
// done), and how many pictures the page had shown by then. Every picture of
// the intro differs from the one before, so the page's Nth is the native
// program's Nth presented frame.
function captureTitle() {
  window.Module = {
    onFrame(fm) {
      if (fm.screen === 'title' && !window.titleFrame) {
        window.titleFrame = fm.context.getImageData(0, 0, 640, 480).data.slice();
        window.titleIndex = fm.presented - 1;
      }
    },
  };
}

async function titleMatchesNative(page) {
  await until(page, () => !!window.titleFrame, 20000, 'the title');
  const index = await page.evaluate(() => window.titleIndex);
  const file = path.join(NATIVE_SHOTS, 'frame-' + String(index).padStart(6, '0') + '.png');
  const png = 'data:image/png;base64,' + fs.readFileSync(file).toString('base64');
  const differing = await page.evaluate(async png => {
    const image = new Image();
    image.src = png;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = 640;
    canvas.height = 480;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const native = context.getImageData(0, 0, 640, 480).data;
    let differing = 0;
    for (let i = 0; i < native.length; i++)
      if (native[i] !== window.titleFrame[i]) differing++;
    return differing;
  }, png);
  check('the first title frame equals the native one pixel for pixel', differing === 0, differing + ' bytes differ');
}

async function playByMouseAndTouch(browser) {
  const page = await open(browser, '?args=Q&trace', captureTitle);
  await titleMatchesNative(page);

  // The picture follows the window: twice its size where that nearly fills
  // it, else the largest fit, centred.
  const box = () => page.evaluate(() => {
    const r = flickermoth.canvas.getBoundingClientRect();
    return [r.left, r.top, r.width, r.height].map(Math.round).join(' ');
  });
  await page.setViewport({width: 1400, height: 1100, hasTouch: true});
  await sleep(500);
  const doubled = await box();
  await page.setViewport({width: 960, height: 760, hasTouch: true});
  await sleep(500);
  const fitted = await box();
  check('the picture is scaled and centred as the window changes', doubled === '60 57 1280 960' &&
        fitted === '0 7 960 720', doubled + ' / ' + fitted);

  await click(page, 320, 240);
  await until(page, () => flickermoth.screen === 'hiscore', 10000, 'the opening table');
  await sleep(1500);
  await click(page, 320, 240);
  const reached = await playersTurn(page).then(() => true, () => false);
  check('a click goes through the title and the table to the game', reached);
  if (!reached) return;

  // Pick and swap.
  const t = await state(page);
  const from = [...Array(80).keys()].find(i => settled(t, i));
  const to = [...Array(80).keys()].find(i => settled(t, i) && i % COLUMNS !== from % COLUMNS &&
                                             colour(t, i) !== colour(t, from));
  await swap(page, from, to);
  const swapped = await until(page, (f, g) => flickermoth.trace.swap_from === f && flickermoth.trace.swap_to === g,
                              5000, 'the swap', from, to).catch(() => false);
  check('a left click picks a moth and another swaps it', swapped, 'cells ' + from + ' and ' + to);

  // Collect with the right button.
  let ready = await makeCollectable(page);
  let before = (await state(page)).score;
  let at = await cell(page, ready);
  await click(page, at[0], at[1], 'right');
  let scored = await until(page, s => flickermoth.trace.score > s, 8000, 'the score', before).catch(() => false);
  check('a right click collects a group', scored);

  // A tap picks; a long touch press collects.
  await playersTurn(page);
  const u = await state(page);
  const tapped = [...Array(80).keys()].find(i => settled(u, i));
  at = await cell(page, tapped);
  let [px, py] = await onPage(page, at[0], at[1]);
  await page.touchscreen.tap(px, py);
  const picked = await until(page, i => flickermoth.trace.selected === i, 3000, 'a tapped pick', tapped)
                     .catch(() => false);
  check('a tap picks a moth', picked);
  await page.touchscreen.tap(px, py);    // tapped again: let go of it
  await sleep(300);

  ready = await makeCollectable(page);
  before = (await state(page)).score;
  at = await cell(page, ready);
  [px, py] = await onPage(page, at[0], at[1]);
  await page.touchscreen.touchStart(px, py);
  await sleep(700);
  await page.touchscreen.touchEnd();
  scored = await until(page, s => flickermoth.trace.score > s, 8000, 'the score', before).catch(() => false);
  check('a long touch press collects a group', scored);

  // Escape opens the menu; its sound item switches the sound.
  await playersTurn(page);
  await press(page, 'Escape');
  await until(page, () => flickermoth.screen === 'menu', 5000, 'the menu');
  await sleep(1200);
  const sound = (await state(page)).sound_enabled;
  const item = (await page.evaluate(() => flickermoth.places.menu))[1];
  await click(page, item[0] + (item[2] >> 1), item[1] + (item[3] >> 1));
  const toggled = await until(page, s => flickermoth.trace.sound_enabled !== s, 4000, 'the sound switch', sound)
                      .catch(() => false);
  check('Escape opens the menu and its sound item switches the sound', toggled);
  await press(page, 'Escape');
  await until(page, () => flickermoth.screen === 'game', 5000, 'the game again');

  // Hidden or without the focus, the game freezes; back, it goes on.
  await page.evaluate(() => window.dispatchEvent(new Event('blur')));
  await sleep(300);
  const frozenAt = await page.evaluate(() => flickermoth.frames);
  await sleep(1500);
  const frozenNow = await page.evaluate(() => flickermoth.frames);
  await page.evaluate(() => window.dispatchEvent(new Event('focus')));
  await sleep(1000);
  const resumed = await page.evaluate(() => flickermoth.frames);
  check('a page that lost the focus freezes the game and coming back resumes it',
        frozenNow === frozenAt && resumed > frozenNow, frozenAt + ' / ' + frozenNow + ' / ' + resumed);

  // Every sound heard was made into an AudioBuffer once, and they play.
  const sounds = await page.evaluate(() => [flickermoth.buffers.length, flickermoth.audio.state]);
  check('sounds play through Web Audio, each made into a buffer once', sounds[0] > 0 && sounds[0] <= 16 &&
        sounds[1] === 'running', sounds.join(' '));

  // Quit from the menu: the page offers to play again.
  await playersTurn(page);
  await press(page, 'Escape');
  await until(page, () => flickermoth.screen === 'menu', 5000, 'the menu');
  await sleep(1200);
  const quit = (await page.evaluate(() => flickermoth.places.menu))[2];
  await click(page, quit[0] + (quit[2] >> 1), quit[1] + (quit[3] >> 1));
  const again = await until(page, () => !document.getElementById('again').hidden, 10000, 'the play-again page')
                    .catch(() => false);
  await page.screenshot({path: path.join(WORK, 'web-play-again.png')});
  check('quitting from the menu shows the play-again page', again);
  await page.close();

  // Without IndexedDB the game starts all the same and the page says so.
  const bare = await open(browser, '?args=Q', () => {
    Object.defineProperty(window, 'indexedDB', {value: undefined});
  });
  const started = await until(bare, () => flickermoth.frames > 0, 20000, 'the game without storage').catch(() => false);
  // The warning must be readable, not cut off at the end of the bar's line.
  const said = await bare.evaluate(() => {
    const warning = document.querySelector('#notes .warning');
    const notes = document.getElementById('notes').getBoundingClientRect();
    return warning && warning.getBoundingClientRect().right <= notes.right ? warning.textContent : '';
  });
  await bare.screenshot({path: path.join(WORK, 'web-no-storage.png')});
  check('without IndexedDB the game starts and the page says results will not be kept',
        started && said.includes('will not be kept'), said);
  await bare.close();
}

// The autoplayer loses a game; the test takes over when it is lost (a key
// hands the game back) and clicks on to the name entry.
async function reachNameEntry(page) {
  await until(page, () => flickermoth.screen === 'gameover', 240000, 'a lost game');
  await press(page, 'ShiftLeft');
  for (let i = 0; i < 40 && (await page.evaluate(() => flickermoth.screen)) !== 'hiscore'; i++) {
    await click(page, 320, 240);
    await sleep(700);
  }
  await until(page, () => flickermoth.screen === 'hiscore', 5000, 'the name entry');
  // The new row flashes before the name can be typed.
  await sleep(8000);
}
async function loseAndName(page, name) {
  await reachNameEntry(page);
  await press(page, 'Backspace', 40);
  for (const [key, code] of name) await typeKey(page, key, code);
  await press(page, 'Enter');
}
async function tableFile(page) {
  return page.evaluate(() => {
    try {
      return Array.from(Module.FS.readFile('/flickermoth/HIGH50'));
    } catch (e) {
      return [];
    }
  });
}
function holds(bytes, name) {
  const text = new TextDecoder('windows-1251').decode(Uint8Array.from(bytes));
  return text.includes(name);
}
async function stored(browser) {
  const page = await open(browser, '?args=Q');
  await until(page, () => flickermoth.frames > 0, 20000, 'the game to start');
  const bytes = await tableFile(page);
  await page.close();
  return bytes;
}

async function withBrowser(use) {
  const browser = await launch();
  try {
    return await use(browser);
  } finally {
    await browser.close();
  }
}

async function nameKept() {
  await withBrowser(async browser => {
    const page = await open(browser, '?demo=lose&trace');
    await loseAndName(page, NAME);
    await sleep(1500);
    await page.close();
    check('a Cyrillic name typed at the name entry is in HIGH50 after a reload',
          holds(await stored(browser), NAME_TEXT));
  });
  const bytes = await withBrowser(stored);
  check('and after the browser is started again with the same profile', holds(bytes, NAME_TEXT));
}

async function twoTabs() {
  await withBrowser(twoTabsIn);
}
async function twoTabsIn(browser) {
  const first = await open(browser, '?demo=lose&trace');
  await reachNameEntry(first);    // the first tab now holds the table, waiting for a name

  const second = await open(browser, '?args=Q&trace');
  await until(second, () => flickermoth.screen === 'hiscore', 20000, 'the second tab reaching the table');
  await sleep(2000);
  await second.screenshot({path: path.join(WORK, 'web-in-use.png')});
  await click(second, 320, 240);
  await sleep(1500);
  const stillWaiting = await second.evaluate(() => flickermoth.screen === 'hiscore');
  check('a second tab waits with the in-use notice while the first holds the table', stillWaiting);

  // The first tab's name is typed as on a phone: the bar's Keyboard button
  // focuses the page's field, whose text arrives without key presses; a key
  // pressed meanwhile still types once, and the field's backspace deletes.
  await first.bringToFront();
  const offered = await first.evaluate(() => !document.getElementById('keyboard').hidden);
  await first.tap('#keyboard');
  const focused = await first.evaluate(() => document.activeElement && document.activeElement.id === 'typing');
  check('on a touch screen the table offers a Keyboard button that focuses a field for the name', offered && focused);
  await press(first, 'Backspace', 40);
  const client = await first.target().createCDPSession();
  await client.send('Input.insertText', {text: SECOND_NAME});
  await client.detach();
  await sleep(200);
  await typeKey(first, 'x', 'KeyX');
  await first.evaluate(() => {
    const field = document.getElementById('typing');
    field.value = '';
    field.dispatchEvent(new InputEvent('input', {inputType: 'deleteContentBackward'}));
  });
  await sleep(200);
  await first.screenshot({path: path.join(WORK, 'web-name-typed.png')});
  await press(first, 'Enter');
  // Hidden, the first tab would freeze: it stays in front until its table
  // holds the name, however slowly its frames come.
  const end = Date.now() + 15000;
  while (Date.now() < end && !holds(await tableFile(first), SECOND_NAME_TEXT)) await sleep(200);
  await sleep(500);
  // The first tab lets go once its folder is back in IndexedDB, which may
  // take a while on a busy machine; a click while the notice stands is not
  // for the table, so the second tab is clicked until it goes on.
  await second.bringToFront();
  let moved = false;
  for (const end = Date.now() + 20000; !moved && Date.now() < end;) {
    await click(second, 320, 240);
    moved = await until(second, () => flickermoth.screen === 'game', 1500, 'the second tab going on')
                .catch(() => false);
  }
  check('the second tab goes on once the first lets go', moved);
  await first.close();
  await second.close();
  const bytes = await stored(browser);
  check('both names are kept in HIGH50, ß typed as ss', holds(bytes, NAME_TEXT) && holds(bytes, SECOND_NAME_TEXT + '\0'),
        'first ' + holds(bytes, NAME_TEXT) + ', second ' + holds(bytes, SECOND_NAME_TEXT));
}

// The speed, the sound switch and the scale the player chose are there
// again after a reload; a recording still starts at the fixed speed.
async function toTheGame(page) {
  await until(page, () => flickermoth.screen === 'title', 20000, 'the title');
  await sleep(1000);
  await click(page, 320, 240);
  await until(page, () => flickermoth.screen === 'hiscore', 10000, 'the opening table');
  await sleep(1500);
  await click(page, 320, 240);
  await playersTurn(page);
}
const canvasBox = page => page.evaluate(() => {
  const r = flickermoth.canvas.getBoundingClientRect();
  return [r.left, r.top, r.width, r.height].map(Math.round).join(' ');
});
async function settingsKeptIn(browser) {
  const page = await open(browser, '?args=Q&trace');
  await toTheGame(page);
  const before = await state(page);
  // Faster by the main row's = key, held for a moment.
  await page.keyboard.down('Equal');
  await sleep(400);
  await page.keyboard.up('Equal');
  const faster = await until(page, p => flickermoth.trace.frame_period < p, 3000, 'a faster speed',
                             before.frame_period).catch(() => false);
  await press(page, 'Escape');
  await until(page, () => flickermoth.screen === 'menu', 5000, 'the menu');
  await sleep(1200);
  // The pointer rests on the item until it lights up, however slowly the
  // frames come, then clicks.
  const item = (await page.evaluate(() => flickermoth.places.menu))[1];
  const [ix, iy] = await onPage(page, item[0] + (item[2] >> 1), item[1] + (item[3] >> 1));
  await page.mouse.move(ix, iy);
  await sleep(1000);
  await click(page, item[0] + (item[2] >> 1), item[1] + (item[3] >> 1));
  await until(page, s => flickermoth.trace.sound_enabled !== s, 6000, 'the sound switch', before.sound_enabled);
  await sleep(800);    // switching on, the switch still turns: Escape would go unseen
  await press(page, 'Escape');
  await until(page, () => flickermoth.screen === 'game', 5000, 'the game again');
  const chosen = await state(page);
  // The page's scale button: here the page showed the largest fit, so whole multiples.
  const pageRule = await canvasBox(page);
  await page.click('#scale');
  await sleep(500);
  const whole = await canvasBox(page);
  await sleep(1500);    // longer than a change takes to settle before it is written
  const text = await page.evaluate(() => localStorage.getItem('flickermoth-settings'));

  await page.reload({waitUntil: 'load'});
  await toTheGame(page);
  const again = await state(page);
  const kept = again.frame_period === chosen.frame_period && again.sound_enabled === chosen.sound_enabled;
  check('the speed and the sound switch chosen in the page are kept after a reload', faster &&
        chosen.frame_period !== before.frame_period && chosen.sound_enabled !== before.sound_enabled && kept,
        before.frame_period + '/' + before.sound_enabled + ' -> ' + chosen.frame_period + '/' +
        chosen.sound_enabled + ' -> ' + again.frame_period + '/' + again.sound_enabled);
  const label = await page.evaluate(() => document.getElementById('scale').textContent);
  check('the scale picked with the page\'s button is kept after a reload',
        pageRule === '0 7 960 720' && whole === '160 127 640 480' && (await canvasBox(page)) === whole &&
        label === 'Scale: whole' && text.includes('scale = integer'), pageRule + ' / ' + whole + ' / ' + label);
  await page.close();

  // A recording starts at the fixed speed, whatever the player's.
  const word = new TextDecoder('windows-1251').decode(Uint8Array.of(0xC6, 0xC8, 0xD0, 0xC0, 0xD4, 0xD7, 0xC8, 0xCA, 0xC8));
  const recording = await open(browser, '?args=' + encodeURIComponent(word) + '&trace');
  await until(recording, () => flickermoth.trace, 20000, 'the recording to start');
  const period = (await state(recording)).frame_period;
  check('a recording in the page starts at the fixed speed', period === 35, String(period));
  await recording.close();

  // Storage the browser blocks: nothing is remembered, and nothing goes wrong.
  const errorsBefore = pageErrors.length;
  const blocked = await open(browser, '?args=Q&trace', () => {
    Object.defineProperty(window, 'localStorage', {get() { throw new DOMException('blocked', 'SecurityError'); }});
  });
  await toTheGame(blocked);
  const start = (await state(blocked)).frame_period;
  await blocked.keyboard.down('Minus');
  await sleep(300);
  await blocked.keyboard.up('Minus');
  const changedAt = (await state(blocked)).frame;
  await sleep(1500);    // past the moment the change is written
  const after = await state(blocked);
  check('with the storage blocked the game starts at the fixed speed and plays on as the speed changes',
        start === 35 && after.frame_period > start && after.frame > changedAt && pageErrors.length === errorsBefore,
        start + ' -> ' + after.frame_period);
  await blocked.close();
}

(async () => {
  fs.rmSync(PROFILE, {recursive: true, force: true});
  const steps = [
    () => withBrowser(playByMouseAndTouch),
    nameKept,
    twoTabs,
    () => withBrowser(settingsKeptIn),
  ];
  const only = process.env.WEB_E2E_ONLY;
  for (const step of steps.filter((s, i) => !only || only.split(',').includes(String(i)))) {
    try {
      await step();
    } catch (e) {
      check('no step stops short', false, e.message);
    }
  }
  check('no errors on the page', pageErrors.length === 0, pageErrors.slice(0, 3).join(' | '));
  process.exit(failures.length ? 1 : 0);
})();
