// make web-test: the browser edition in Debian's Chromium (headless, driven by playwright-core,
// served from 127.0.0.1). A desktop run of a scenario is written down, then
//   - the page replays that recording and must end at the desktop's state dump, with the
//     canvas's last picture the desktop's screenshot byte for byte;
//   - the page plays the same scenario with real mouse events, the name committed through the
//     input method's composition events, and its timer run between the same inputs: it must
//     write my.dat and 記録.txt byte for byte as the desktop did, keep them in IndexedDB, and
//     continue the game after the browser is closed and opened again on the same profile;
//   - after the first click the audio graph runs, and a battle's sound is not silent;
//   - the figures: bytes sent (gzip, as a web host serves them), time to the first picture,
//     CPU while the title and the map idle.
import {execFileSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync, writeFileSync, readdirSync} from 'node:fs';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {chromium} from 'playwright-core';
import {decodePng} from './png.mjs';
import {serve} from './serve.mjs';

const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
const nativeBuild = resolve(process.env.QV_BUILD || join(root, 'build'));
const site = resolve(process.env.QV_WEB_SITE || join(root, 'build-web/site'));
const chromiumPath = process.env.QV_CHROMIUM || '/usr/bin/chromium';
const scenario = join(root, 'tests/scenarios/world_walk.script');
const SEED = 1;
const IDLE_SECONDS = Number(process.env.QV_IDLE_SECONDS || 10);

let passed = 0, failed = 0;
function check(name, ok, detail = '') {
  if (ok) passed++;
  else failed++;
  console.log(`${ok ? 'ok' : 'not ok'} - ${name}${detail ? ': ' + detail : ''}`);
  return ok;
}
const figures = [];
function figure(name, value) {
  figures.push(`${name}: ${value}`);
  console.log(`# ${name}: ${value}`);
}

const work = mkdtempSync(join(tmpdir(), 'qv-web-test-'));
const launchArgs = ['--no-sandbox', '--mute-audio'];

// The scenario's commands, one a line (comments and blank lines left out).
function parseScript(text) {
  return text.split('\n').map((l) => l.trim()).filter((l) => l && !l.startsWith('#'))
    .map((l) => {
      const space = l.indexOf(' ');
      return space < 0 ? {kind: l, rest: ''} : {kind: l.slice(0, space), rest: l.slice(space + 1)};
    });
}

// 1. The desktop: the scenario with its final picture and state, written down as it plays.
const desk = join(work, 'desktop');
const script = readFileSync(scenario, 'utf8') + '\nscreenshot final.png\ndump final.txt\n';
writeFileSync(join(work, 'replay.script'), script);
execFileSync('mkdir', ['-p', desk]);
execFileSync(join(nativeBuild, 'qv'), ['--headless', '--seed', String(SEED), '--data-dir', desk,
  '--script', join(work, 'replay.script'), '--record', join(work, 'recording.txt')],
  {cwd: desk, stdio: ['ignore', 'ignore', 'inherit']});
const deskDump = readFileSync(join(desk, 'final.txt'), 'utf8');
const deskPicture = decodePng(readFileSync(join(desk, 'final.png')));

const server = await serve({'/': site, '/test/': work});

async function canvasRgba(page) {
  const base64 = await page.evaluate(() => {
    const c = document.getElementById('screen');
    const bytes = c.getContext('2d').getImageData(0, 0, 640, 480).data;
    let s = '';
    for (let i = 0; i < bytes.length; i += 0x8000) s += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return btoa(s);
  });
  return Buffer.from(base64, 'base64');
}

function firstDifference(a, b) {
  if (a.length !== b.length) return `sizes ${a.length} and ${b.length}`;
  for (let i = 0; i < a.length; i++) {
    if (a[i] !== b[i]) {
      const p = i >> 2;
      return `pixel (${p % 640}, ${Math.floor(p / 640)}) byte ${i & 3}: ${a[i]} vs ${b[i]}`;
    }
  }
  return '';
}

// The time of the page's whole CPU (all of Chromium's processes) and of its main thread.
function browserCpuSeconds(pid) {
  const ticks = Number(execFileSync('getconf', ['CLK_TCK']).toString());
  let total = 0;
  const children = new Map();
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const stat = readFileSync(`/proc/${entry}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      children.set(Number(entry), {ppid: Number(fields[1]), cpu: Number(fields[11]) + Number(fields[12])});
    } catch { /* gone */ }
  }
  const tree = new Set([pid]);
  let grew = true;
  while (grew) {
    grew = false;
    for (const [p, info] of children) if (!tree.has(p) && tree.has(info.ppid)) { tree.add(p); grew = true; }
  }
  for (const p of tree) total += children.get(p)?.cpu || 0;
  return total / ticks;
}

// The browser process of a profile.
function browserPid(profileDir) {
  for (const entry of readdirSync('/proc')) {
    if (!/^\d+$/.test(entry)) continue;
    try {
      const args = readFileSync(`/proc/${entry}/cmdline`, 'utf8').split('\0');
      if (args.includes(`--user-data-dir=${profileDir}`) && !args.some((a) => a.startsWith('--type='))) return Number(entry);
    } catch { /* gone */ }
  }
  return 0;
}

async function idleCpu(page, cdp, pid, what) {
  await cdp.send('Performance.enable');
  const taskOf = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
  const t0 = await taskOf(), c0 = browserCpuSeconds(pid), w0 = Date.now();
  await page.waitForTimeout(IDLE_SECONDS * 1000);
  const seconds = (Date.now() - w0) / 1000;
  const task = (await taskOf()) - t0, cpu = browserCpuSeconds(pid) - c0;
  const pictures = await page.evaluate(() => qvPage.pictures);
  figure(`idle CPU, ${what}`, `${(100 * task / seconds).toFixed(1)}% of a core on the page's main thread, ` +
         `${(100 * cpu / seconds).toFixed(1)}% for all of Chromium's processes (${seconds.toFixed(0)} s)`);
  return pictures;
}

async function clickAt(page, x, y, right) {
  const box = await page.locator('#screen').boundingBox();
  const px = box.x + (x + 0.5) * box.width / 640, py = box.y + (y + 0.5) * box.height / 480;
  // A scripted click presses and releases where the pointer already is.
  await page.mouse.move(px, py);
  await page.mouse.down({button: right ? 'right' : 'left'});
  await page.mouse.up({button: right ? 'right' : 'left'});
}

const KEY_NAMES = {enter: 'Enter', return: 'Enter', escape: 'Escape', esc: 'Escape', backspace: 'Backspace',
  tab: 'Tab', space: 'Space', pageup: 'PageUp', pagedown: 'PageDown', end: 'End', home: 'Home',
  left: 'ArrowLeft', up: 'ArrowUp', right: 'ArrowRight', down: 'ArrowDown', insert: 'Insert', delete: 'Delete'};

// Plays the scenario's commands on the page: mouse and keys as the browser's own events, the
// typed name through the input method's composition, the timer run by the test.
async function playScenario(page, cdp, commands) {
  let expectations = 0, missed = [], battleSeen = false;
  for (const c of commands) {
    if (c.kind === 'click') {
      const [x, y, right] = c.rest.split(/\s+/);
      await clickAt(page, Number(x), Number(y), right === 'right');
    } else if (c.kind === 'ticks') {
      await page.evaluate((n) => qvPage.ticks(n), Number(c.rest));
    } else if (c.kind === 'key') {
      const name = c.rest.toLowerCase();
      await page.keyboard.press(KEY_NAMES[name] || (name.length === 1 ? name.toUpperCase() : name.toUpperCase()));
    } else if (c.kind === 'type') {
      // What an input method does: a composition in kana, then the converted text committed.
      await cdp.send('Input.imeSetComposition', {text: 'かい', selectionStart: 2, selectionEnd: 2});
      await cdp.send('Input.imeSetComposition', {text: c.rest, selectionStart: 0, selectionEnd: [...c.rest].length});
      await cdp.send('Input.insertText', {text: c.rest});
    } else if (c.kind === 'expect') {
      const space = c.rest.indexOf(' ');
      const key = c.rest.slice(0, space), want = c.rest.slice(space + 1);
      const line = (await page.evaluate(() => qvPage.dump())).split('\n').find((l) => l.startsWith(key + ': '));
      if (line === undefined) continue;  // a key only the scripted run looks up
      expectations++;
      if (line.slice(key.length + 2) !== want) missed.push(`${key} is ${line.slice(key.length + 2)}, not ${want}`);
      // The sound heard from the first battle on.
      if (key === 'battleActive' && want === '1' && !battleSeen) {
        battleSeen = true;
        await page.evaluate(() => { qvPage.effectsPeak = 0; });
      }
    } else if (c.kind === 'move' || c.kind === 'wheel' || c.kind === 'answer') {
      throw new Error(`the scenario's '${c.kind}' is not played by this test`);
    }
  }
  return {expectations, missed};
}

let exitCode = 0;
try {
  // 2. The replay.
  {
    const browser = await chromium.launch({executablePath: chromiumPath, args: launchArgs});
    const page = await browser.newPage();
    page.on('pageerror', (e) => console.log('# page error:', e.message));
    await page.goto(server.url + '?replay=/test/recording.txt');
    await page.waitForFunction(() => qvPage.replay !== null, null, {timeout: 120000});
    const result = await page.evaluate(() => qvPage.replay);
    check('the page replays the desktop recording to its end', result.outcome === 'same',
          `${result.outcome} ${result.verdict}`);
    check('the replay ends at the desktop\'s state dump', deskDump.startsWith(result.dump) && result.dump.length > 1000,
          deskDump.startsWith(result.dump) ? '' : 'the dumps differ');
    const canvas = await canvasRgba(page);
    const diff = firstDifference(canvas, deskPicture.rgba);
    check('the canvas\'s last picture is the desktop\'s screenshot byte for byte', diff === '', diff);
    await browser.close();
  }

  // 3. Scripted play, the save in IndexedDB, a browser restart on the same profile.
  const profile = join(work, 'profile');
  {
    const context = await chromium.launchPersistentContext(profile, {executablePath: chromiumPath, args: launchArgs});
    const page = context.pages()[0] || await context.newPage();
    page.on('pageerror', (e) => console.log('# page error:', e.message));
    page.on('dialog', (d) => d.accept());
    const cdp = await context.newCDPSession(page);
    await page.goto(server.url + `?seed=${SEED}&scripted`);
    await page.waitForFunction(() => qvPage.pictures > 0, null, {timeout: 60000});
    const {expectations, missed} = await playScenario(page, cdp, parseScript(readFileSync(scenario, 'utf8')));
    check('the page plays the scenario with the browser\'s mouse, keys and input method',
          expectations > 10 && missed.length === 0, `${expectations} checks; ${missed.join('; ')}`);
    // A tune is fetched and decoded when it first plays: give the browser a moment on a busy machine.
    await page.waitForFunction(() => qvPage.tunesStarted.length > 0, null, {timeout: 20000}).catch(() => {});
    const sound = await page.evaluate(() => ({callbacks: qvPage.audioCallbacks, peak: qvPage.effectsPeak,
                                              music: qvPage.tunesStarted}));
    check('after the first click the audio graph runs', sound.callbacks > 0, `${sound.callbacks} renders`);
    check('the battles\' effects are not silent', sound.peak > 0.01, `peak ${sound.peak.toFixed(3)}`);
    check('the music plays', sound.music.some((f) => f.endsWith('.mp3')), sound.music.join(', ') || 'none');
    await page.waitForFunction(() => qvPage.savesStored > 0 && !qvPage.storing, null, {timeout: 20000}).catch(() => {});
    const files = await page.evaluate(() => ({
      save: Array.from(FS.readFile(QV_SAVE_DIR + '/my.dat')),
      record: Array.from(FS.readFile(QV_SAVE_DIR + '/記録.txt')),
      stored: qvPage.savesStored,
    }));
    check('my.dat is the desktop\'s byte for byte', Buffer.from(files.save).equals(readFileSync(join(desk, 'my.dat'))));
    check('記録.txt is the desktop\'s byte for byte', Buffer.from(files.record).equals(readFileSync(join(desk, '記録.txt'))));
    check('every save was written to IndexedDB', files.stored >= 1, `${files.stored} writes`);
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#export')]);
    const exported = readFileSync(await download.path());
    check('"Export save" gives my.dat', exported.equals(readFileSync(join(desk, 'my.dat'))));
    await context.close();
  }
  {
    const context = await chromium.launchPersistentContext(profile, {executablePath: chromiumPath, args: launchArgs});
    const page = context.pages()[0] || await context.newPage();
    page.on('dialog', (d) => d.accept());
    await page.goto(server.url + `?seed=${SEED}&scripted`);
    await page.waitForFunction(() => qvPage.pictures > 0, null, {timeout: 60000});
    const saved = await page.evaluate(() => FS.readFile(QV_SAVE_DIR + '/my.dat').length);
    check('the save is there after the browser was closed and opened again', saved > 0);
    // The opening credit, the title, then the game goes on where the inn left it.
    await page.evaluate(() => qvPage.ticks(3));
    await clickAt(page, 320, 240);
    await page.evaluate(() => qvPage.ticks(2));
    await clickAt(page, 320, 240);
    await page.evaluate(() => qvPage.ticks(2));
    const dump = await page.evaluate(() => qvPage.dump());
    const value = (k) => (dump.split('\n').find((l) => l.startsWith(k + ': ')) || '').slice(k.length + 2);
    check('the title continues the saved game', value('scene') === '0' && value('player.name') === 'カイ' &&
          value('location') === '-1' && value('maxDistance') === '1',
          `scene ${value('scene')}, name ${value('player.name')}, location ${value('location')}`);
    // "Import save": a save of another game takes the place of this one, and the page starts
    // again from it. The scenario's own save at the creation's end stands in for it.
    const other = join(work, 'other');
    execFileSync('mkdir', ['-p', other]);
    writeFileSync(join(work, 'short.script'), 'ticks 3\nclick 320 240\nticks 2\nclick 320 240\nticks 2\n' +
                  'click 200 86\ntype リナ\nclick 186 120\nclick 186 296\nclick 302 384\nclick 300 464\nticks 5\n');
    execFileSync(join(nativeBuild, 'qv'), ['--headless', '--seed', '5', '--data-dir', other, '--script', join(work, 'short.script')],
                 {cwd: other, stdio: ['ignore', 'ignore', 'inherit']});
    await Promise.all([page.waitForEvent('load'), page.setInputFiles('#import', join(other, 'my.dat'))]);
    await page.waitForFunction(() => qvPage.pictures > 0, null, {timeout: 60000});
    await page.evaluate(() => qvPage.ticks(3));
    await clickAt(page, 320, 240);
    await page.evaluate(() => qvPage.ticks(2));
    await clickAt(page, 320, 240);
    await page.evaluate(() => qvPage.ticks(2));
    const imported = (await page.evaluate(() => qvPage.dump())).split('\n').find((l) => l.startsWith('player.name: '));
    check('"Import save" continues the imported game', imported === 'player.name: リナ', imported);
    await context.close();
  }

  // 4. The figures: a cold load, then the title and the map left alone in a real-time game.
  {
    const browser = await chromium.launch({executablePath: chromiumPath, args: launchArgs});
    const page = await browser.newPage();
    server.resetSent();
    await page.goto(server.url);
    await page.waitForFunction(() => qvPage.pictures > 0, null, {timeout: 60000});
    const first = await page.evaluate(() => qvPage.firstPictureMs);
    figure('bytes sent until the first picture (gzip, as served)', `${(server.sent() / 1e6).toFixed(2)} MB`);
    figure('time to the first picture', `${Math.round(first)} ms after the page was asked for`);
    await browser.close();
  }
  {
    const context = await chromium.launchPersistentContext(profile, {executablePath: chromiumPath, args: launchArgs});
    const page = context.pages()[0] || await context.newPage();
    page.on('dialog', (d) => d.accept());
    const cdp = await context.newCDPSession(page);
    await page.goto(server.url);
    await page.waitForFunction(() => qvPage.pictures > 0, null, {timeout: 60000});
    const pid = browserPid(profile);
    await clickAt(page, 320, 240);
    await page.waitForTimeout(1500);
    await idleCpu(page, cdp, pid, 'title');
    await clickAt(page, 320, 240);
    await page.waitForTimeout(1500);
    const location = await page.evaluate(() => qvPage.dump().split('\n').find((l) => l.startsWith('location: ')));
    check('a real-time game reaches the map from the title', location === 'location: -1', location);
    await idleCpu(page, cdp, pid, 'map');
    await context.close();
  }
} catch (e) {
  console.log('not ok - the test ran to its end: ' + (e.stack || e));
  failed++;
} finally {
  await server.close();
  if (!process.env.QV_KEEP) rmSync(work, {recursive: true, force: true});
}
if (figures.length) console.log('# figures\n' + figures.map((f) => '#   ' + f).join('\n'));
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? exitCode : 1);
