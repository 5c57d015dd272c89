// The page in Debian's Chromium, nothing fetched from outside its own
// folder: a whole game by taps at a phone size, where no tap may leave the
// focus on anything that opens an on-screen keyboard, and what a listener
// hears meanwhile; the fit to every window and around a notch; and the
// picture, from the screenshot's pixels, with a phone's fonts.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, mkdtempSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { basename, join, normalize } from 'node:path';
import { test } from 'node:test';
import { focusOpensKeyboard, kEndedLine, playByPointing, pointAt, rowsOf, settle, waitToShow } from './page_reading.mjs';

const page = process.env.SOLBANGUL_PAGE;
const shots = join(page, '..', 'screenshots');
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('playwright-core');
const origin = 'http://solbangul.test';

// A wake lock that counts what it grants, granting it as WebKit does, only
// inside a user gesture; the page sees it as the real one. `lose()` is the
// browser letting the lock go, as it does when the page is hidden.
function stubWakeLock() {
  const counts = { granted: 0, released: 0 };
  let onLoss = () => {};
  window.wakeLocks = counts;
  window.loseWakeLock = () => onLoss();
  Object.defineProperty(navigator, 'wakeLock', {
    value: {
      request: async () => {
        if (!navigator.userActivation.isActive) throw new DOMException('no gesture', 'NotAllowedError');
        counts.granted++;
        return {
          release: async () => { counts.released++; },
          addEventListener: (name, listener) => { onLoss = listener; },
        };
      },
    },
  });
}

// Opens the page in a fresh browser with `context` (viewport, touch) and a
// phone's safe-area `insets`, runs `body` with helpers, and closes the
// browser whatever happens.
async function withPage(context, body, { fonts = null, insets = null } = {}) {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
    env: fonts ? { ...process.env, FONTCONFIG_FILE: fonts } : process.env,
  });
  try {
    // Routed requests and a service worker do not mix; the worker has a test
    // of its own, served as the README says.
    const session = await browser.newContext({ serviceWorkers: 'block', ...context });
    // The page's folder served under an origin of its own; nothing else is.
    await session.route('**/*', (route) => {
      const url = new URL(route.request().url());
      const file = join(page, normalize(url.pathname));
      if (url.origin !== origin) return route.abort();
      return existsSync(file) ? route.fulfill({ path: file }) : route.fulfill({ status: 404 });
    });
    const tab = await session.newPage();
    await tab.addInitScript(stubWakeLock);
    const requests = [];
    tab.on('request', (request) => requests.push(request.url()));
    if (insets) await (await session.newCDPSession(tab)).send('Emulation.setSafeAreaInsetsOverride', { insets });
    const rows = () => rowsOf(tab);
    const settled = () => settle(tab);
    await tab.goto(`${origin}/index.html`);
    await waitToShow(tab, '게임 시작');
    await settled();
    mkdirSync(shots, { recursive: true });
    await body({ tab, rows, settled });
    assert.deepEqual(requests.filter((url) => !url.startsWith(origin)), []);
  } finally {
    await browser.close();
  }
}

// A whole game by taps at a phone size, and what a screen reader reads
// meanwhile: the live region, with no box glyph and no suit symbol; the
// canvas hidden, the game labelled, everything in the page's one landmark.
// The sentences themselves are the game's (its unit tests); here, that they
// reach the page's region, and the page's own line at the end.
test('a whole game by taps at a phone size, heard through the page\'s live region', async () => {
  const phone = { viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true, deviceScaleFactor: 3 };
  await withPage(phone, async ({ tab, rows, settled }) => {
    // Every line the region has been given; it keeps only the last few.
    await tab.evaluate(() => {
      const region = document.getElementById('spoken');
      window.heardAll = [...region.children].map((line) => line.textContent);
      new MutationObserver((changes) => changes.forEach((change) =>
        change.addedNodes.forEach((line) => window.heardAll.push(line.textContent))))
        .observe(region, { childList: true });
    });
    const snapshot = await tab.locator('body').ariaSnapshot();
    assert.match(snapshot, /main:[\s\S]*heading "솔방울 카드 게임" \[level=1\][\s\S]*log "게임 진행"/);
    assert.match(snapshot, /application "솔방울 게임\. 화살표와 Enter로 합니다\."/);
    assert.doesNotMatch(snapshot, /textbox|┃/);
    assert.ok((await tab.evaluate(() => document.querySelector('meta[name=description]').content)).length > 20);
    // Nothing with content outside the landmark.
    assert.deepEqual(await tab.evaluate(() => [...document.body.children]
      .filter((e) => e.tagName !== 'SCRIPT' && e.tagName !== 'MAIN').map((e) => e.outerHTML)), []);
    // No double-tap zoom, pull to refresh, selection or callout on the
    // playing surface.
    assert.deepEqual(await tab.evaluate(() => [getComputedStyle(document.getElementById('stage')).touchAction,
      getComputedStyle(document.documentElement).overscrollBehaviorY, getComputedStyle(document.body).overscrollBehaviorY,
      getComputedStyle(document.getElementById('stage')).userSelect]), ['manipulation', 'none', 'none', 'none']);
    const tap = (x, y) => tab.touchscreen.tap(x, y);
    // The buttons move the marker as the arrows do; they, the margin and the
    // hint take no keyboard.
    for (const [target, marked] of [['#keys .down', 10], ['#keys .up', 6], ['#howto', 6]]) {
      const { x, y } = await pointAt(tab, { selector: target });
      await tap(x, y);
      await settled();
      assert.match((await rows())[marked], /☞ ┃/, `the marker after a tap on ${target}`);
      assert.equal(await focusOpensKeyboard(tab), null, `the focus after a tap on ${target}`);
    }
    await tap(2, 2);
    assert.equal(await focusOpensKeyboard(tab), null, 'the focus after a tap on the margin');
    // The screen's lock, lost as when the page is hidden, is asked for again
    // when it is shown again.
    await tab.evaluate(() => {
      window.loseWakeLock();
      document.dispatchEvent(new Event('visibilitychange'));
    });
    await playByPointing(tab, { point: tap, key: (name) => tab.keyboard.press(name),
      ended: async () => assert.deepEqual(await tab.evaluate(() => window.wakeLocks), { granted: 2, released: 1 }) });
    const heard = await tab.evaluate(() => window.heardAll);
    assert.match(heard[0], /^솔방울 메뉴\. /);
    assert.ok(heard.some((line) => /^카드를 나눴습니다\. 내 카드 5장: 1번 /.test(line)), 'the deal');
    assert.ok(heard.some((line) => /^(이겼습니다!|졌습니다\.) 아무 키나/.test(line)), 'the result');
    assert.ok(heard.includes(kEndedLine), 'the end line');
    assert.doesNotMatch(heard.join('\n'), /[♥◆♣♠☞△■┃━┏┓┗┛]/u);
  });
});

// A fontconfig of only `files`, in a folder of its own under `root`, for
// one browser launch: what a device with just those fonts would draw with.
function fontSet(root, name, files) {
  const folder = join(root, name);
  mkdirSync(join(folder, 'fonts'), { recursive: true });
  for (const file of files) {
    assert.ok(existsSync(file), `${file} (the fonts-* packages the test command installs)`);
    const link = join(folder, 'fonts', basename(file));
    symlinkSync(file, link);
  }
  // The system's rules for choosing among fonts, as a device has its own;
  // only the fonts are ours.
  writeFileSync(join(folder, 'fonts.conf'), `<?xml version="1.0"?>
<fontconfig><dir>${folder}/fonts</dir><cachedir>${folder}/cache</cachedir>
<include ignore_missing="yes">/etc/fonts/conf.d</include></fontconfig>\n`);
  return join(folder, 'fonts.conf');
}

// From the screenshot's own pixels: the frame's and a card box's lines,
// followed through their whole length, must have no unlit pixel; each
// Hangul syllable of the first entry must be drawn inside its two cells,
// the blanks around them dark; the suit in play drawn.
async function picturePixels(tab, stage) {
  const png = (await tab.locator('#screen').screenshot()).toString('base64');
  return tab.evaluate(async ({ data, stage }) => {
    const image = new Image();
    image.src = `data:image/png;base64,${data}`;
    await image.decode();
    const canvas = new OffscreenCanvas(image.width, image.height);
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const { data: rgba, width } = context.getImageData(0, 0, image.width, image.height);
    // The element's screenshot may be a pixel or two larger than the grid.
    const grid = document.getElementById('screen');
    const w = grid.width / 80;
    const h = grid.height / 25;
    const lit = (x, y) => rgba[(Math.round(y) * width + Math.round(x)) * 4] > 96;
    // A line is looked for near where it is meant to be, then followed:
    // the unlit pixels along it.
    const gaps = (x0, y0, x1, y1) => {
      const [mx, my] = [Math.round((x0 + x1) / 2), Math.round((y0 + y1) / 2)];
      const across = (d) => (x0 === x1 ? [x0 + d, my] : [mx, y0 + d]);
      const near = [...Array(Math.ceil(w))].map((_, i) => i - Math.floor(w / 2))
        .find((d) => lit(...across(d)));
      if (near === undefined) return Infinity;
      const [sx, sy] = across(near);
      let n = 0;
      for (let t = 0, steps = Math.max(x1 - x0, y1 - y0); t <= steps; t++) {
        n += lit(x0 === x1 ? sx : x0 + t, y0 === y1 ? sy : y0 + t) ? 0 : 1;
      }
      return n;
    };
    // The lit pixels of some cells, as a pattern, and how many there are.
    const shape = (column, row, cells) => {
      let pattern = '';
      for (let y = Math.ceil(row * h); y < (row + 1) * h - 1; y++) {
        for (let x = Math.ceil(column * w); x < (column + cells) * w - 1; x++) pattern += lit(x, y) ? 1 : 0;
      }
      return pattern;
    };
    const ink = (column, row, cells) => shape(column, row, cells).split('1').length - 1;
    const mid = (row) => Math.floor(row * h + h / 2);
    const found = {
      frameLeft: gaps(2 * w, mid(0), 2 * w, mid(23)),
      frameRight: gaps(78 * w, mid(0), 78 * w, mid(23)),
      frameTop: gaps(2 * w, mid(0), 78 * w, mid(0)),
    };
    if (stage === 'menu') {
      // Each syllable its own shape: a missing glyph's box would be the same.
      found.hangul = [37, 39, 42, 44].map((x) => shape(x, 6, 2));
      found.blanksAround = ink(33, 6, 4) + ink(46, 6, 5);
    } else {
      found.cardBox = gaps(7 * w, mid(17), 7 * w, mid(20));
      found.suitInPlay = ink(32, 10, 2) > 0;
    }
    return found;
  }, { data: png, stage });
}

// The screen as large as each window allows, whole, with every button and
// line of text inside it and clear of a phone's notch and home indicator
// (as an iPhone's safe-area insets), nothing to scroll (desktop windows, a
// tablet and a phone held both ways, touch on for the last five), and the
// same picture with a phone's fonts: lines joined, Hangul in two cells,
// suits drawn.
test('the page fits every window and notch, and its picture is the same with a phone\'s fonts', async () => {
  const noto = '/usr/share/fonts/truetype/noto';
  const cjk = '/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc';
  const fonts = mkdtempSync(join(tmpdir(), 'solbangul-fonts-'));
  try {
    const phoneSets = {
      android: fontSet(fonts, 'android', [cjk, '/usr/share/fonts/truetype/droid/DroidSansFallbackFull.ttf',
        `${noto}/NotoMono-Regular.ttf`, '/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf']),
      'one CJK font': fontSet(fonts, 'one-cjk', [cjk, `${noto}/NotoMono-Regular.ttf`]),
    };
    const phone = (ratio) => ({ hasTouch: true, isMobile: true, deviceScaleFactor: ratio });
    const allSets = ['this machine', 'android', 'one CJK font'];
    const sizes = [
      [1280, 800, {}, allSets], [1920, 1080], [2560, 1440], [1280, 500],
      [1000, 700, { deviceScaleFactor: 1.5 }], [1024, 768, phone(2)],
      [390, 844, phone(3), allSets], [844, 390, phone(3), allSets],
      [844, 390, phone(3), ['this machine'], { left: 59, right: 59, bottom: 21 }],
      [390, 844, phone(3), ['this machine'], { top: 47, bottom: 34 }],
    ];
    for (const [width, height, device = {}, sets = ['this machine'], insets = null] of sizes) {
      for (const set of sets) {
        const name = `${set}, ${width}x${height}${insets ? ' with insets' : ''}`;
        const shot = `${set.replaceAll(' ', '-')}-${width}x${height}${insets ? '-insets' : ''}`;
        await withPage({ viewport: { width, height }, ...device }, async ({ tab, settled }) => {
          if (set === 'this machine') await checkFit(tab, name, width, height, insets ?? {});
          // (The pixel reading needs the grid on whole pixels, which insets move it off.)
          if (insets) return tab.screenshot({ path: join(shots, `${shot}.png`) });
          const menu = await picturePixels(tab, 'menu');
          await tab.screenshot({ path: join(shots, `${shot}-menu.png`) });
          await tab.keyboard.press('Enter');
          await settled();
          const table = await picturePixels(tab, 'table');
          await tab.screenshot({ path: join(shots, `${shot}-table.png`) });
          for (const found of [menu, table]) {
            assert.deepEqual([found.frameLeft, found.frameRight, found.frameTop], [0, 0, 0], `${name}: the frame`);
          }
          assert.equal(table.cardBox, 0, `${name}: a card box's side`);
          assert.equal(new Set(menu.hangul).size, 4, `${name}: every syllable drawn, each its own`);
          assert.ok(menu.hangul.every((pattern) => pattern.includes('1')), `${name}: every syllable drawn`);
          assert.equal(menu.blanksAround, 0, `${name}: Hangul stays in its two cells`);
          assert.ok(table.suitInPlay, `${name}: the suit in play`);
        }, { fonts: phoneSets[set] ?? null, insets });
      }
    }
  } finally {
    rmSync(fonts, { recursive: true, force: true });
  }
});

async function checkFit(tab, name, width, height, insets) {
  const m = await tab.evaluate(() => {
    const box = (e) => ({ name: e.id || e.className, ...e.getBoundingClientRect().toJSON() });
    return {
      grid: box(document.querySelector('#screen')),
      buttons: [...document.querySelectorAll('#keys button')].map(box),
      lines: [...document.querySelectorAll('#howto, #turn')].filter((e) => e.getClientRects().length > 0).map(box),
      scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
    };
  });
  const clear = { left: insets.left ?? 0, top: insets.top ?? 0,
    right: width - (insets.right ?? 0), bottom: height - (insets.bottom ?? 0) };
  for (const b of [m.grid, ...m.buttons, ...m.lines]) {
    assert.ok(b.left >= clear.left && b.top >= clear.top && b.right <= clear.right && b.bottom <= clear.bottom,
      `${name}: ${b.name} ${JSON.stringify(b)} within ${JSON.stringify(clear)}`);
  }
  for (const b of m.buttons) assert.ok(b.width >= 44 && b.height >= 44, `${name}: a button is at least 44x44`);
  assert.deepEqual(m.scroll, [width, height], `${name}: nothing to scroll`);
  const row = m.grid.height / 25;
  const use = Math.max(m.grid.width / (clear.right - clear.left), m.grid.height / (clear.bottom - clear.top));
  if (width > height) assert.ok(use >= 0.7, `${name}: the grid uses ${use}`);
  else assert.ok(m.grid.width / (clear.right - clear.left) >= 0.95, `${name}: the grid takes the width`);
  if (width === 844 && height === 390) assert.ok(row >= 13, `${name}: a row is ${row} px`);
  console.log(`| ${name} | ${(m.grid.width / 80).toFixed(2)} | ${row.toFixed(2)} | ` +
    `${Math.round((100 * m.grid.width) / width)}% x ${Math.round((100 * m.grid.height) / height)}% | ` +
    `x ${m.grid.left.toFixed(1)}-${m.grid.right.toFixed(1)}, y ${m.grid.top.toFixed(1)}-${m.grid.bottom.toFixed(1)} |`);
}
