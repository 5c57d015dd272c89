// The served page in Debian's Chromium: the menu shows without a click, a
// touch button moves the marker, Enter deals a game, the rows are read from
// the DOM, and nothing is fetched from outside the page's own folder. Whole
// games are played by clicks at a desktop size and by taps at a phone size.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join, normalize } from 'node:path';
import { test } from 'node:test';

const page = process.env.SOLBANGUL_PAGE;
const shots = join(page, '..', 'screenshots');
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('playwright-core');
const origin = 'http://solbangul.test';

// Cells a player points at: the first menu entry's box, the first card of
// the player's hand (the fan's leftmost box) and the draw pile.
const kStartEntry = { x: 40, y: 6 };
const kFirstCard = { x: 7, y: 18 };
const kDrawPile = { x: 43, y: 10 };
const kBannerPrompt = 'Pleas any key~';

// Opens the page in a fresh profile with `context` (viewport, touch), runs
// `body` with helpers, and closes the browser whatever happens.
async function withPage(context, body) {
  const profile = mkdtempSync(join(tmpdir(), 'solbangul-chromium-'));
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    ...context,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  try {
    // The page's folder served under an origin of its own; nothing else is.
    await browser.route('**/*', (route) => {
      const url = new URL(route.request().url());
      const file = join(page, normalize(url.pathname));
      if (url.origin !== origin) return route.abort();
      return existsSync(file) ? route.fulfill({ path: file }) : route.fulfill({ status: 404 });
    });
    const tab = browser.pages()[0] ?? (await browser.newPage());
    const requests = [];
    tab.on('request', (request) => requests.push(request.url()));
    const rows = () => tab.$$eval('.xterm-rows > div', (divs) =>
      divs.map((div) => div.textContent.replaceAll('\u00a0', ' ')));
    // The DOM rows follow the terminal at the next animation frame.
    const settled = () => tab.evaluate(() => session.settled().then(() =>
      new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))));
    const shows = async (text) => (await rows()).some((row) => row.includes(text));
    // The middle of a cell, in the page's pixels.
    const pointAt = async ({ x, y }) => {
      const box = await tab.locator('.xterm-screen').boundingBox();
      return { x: box.x + ((x + 0.5) * box.width) / 80, y: box.y + ((y + 0.5) * box.height) / 25 };
    };
    const start = Date.now();
    await tab.goto(`${origin}/index.html`);
    await tab.waitForFunction(() => document.querySelector('.xterm-rows')?.textContent.includes('게임 시작'));
    console.log(`menu shown ${Date.now() - start} ms after the page was asked for`);
    await settled();
    mkdirSync(shots, { recursive: true });
    await body({ tab, rows, settled, shows, pointAt });
    assert.deepEqual(requests.filter((url) => !url.startsWith(origin)), []);
  } finally {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  }
}

// Plays from the menu to the banner by pointing alone: the first card, and
// when it does not fit, the pile twice (offer, then draw).
async function playByPointing({ rows, settled, shows, pointAt }, point) {
  const at = async (cell) => {
    const { x, y } = await pointAt(cell);
    await point(x, y);
    await settled();
  };
  await at(kStartEntry);
  assert.ok(await shows('△'), 'the table, dealt by pointing at the first entry');
  let moves = 0;
  while (!(await shows(kBannerPrompt))) {
    assert.ok(moves++ < 400, 'the game ends');
    await at(kFirstCard);
    if (await shows(kBannerPrompt)) break;
    await at(kDrawPile);
    await at(kDrawPile);
  }
  const screen = (await rows()).join('\n');
  assert.match(screen, /■/);
  return at;
}

test('the page shows the menu and deals a game in Chromium', async () => {
  await withPage({ viewport: { width: 1000, height: 720 } }, async ({ tab, rows, settled, shows }) => {
    await tab.screenshot({ path: join(shots, 'menu.png') });
    assert.equal((await rows()).length, 25);
    assert.match((await rows())[6], /☞ {2}┃ {5}게임 시작/);
    const box = await tab.locator('.xterm-screen').boundingBox();
    assert.ok(Math.abs(box.x + box.width / 2 - 500) < 2, 'the terminal is centred');

    // A touch button moves the marker like the arrow key; Enter deals.
    await tab.getByRole('button', { name: '아래' }).click();
    await settled();
    assert.match((await rows())[10], /☞ {2}┃ {5}게임 설명/);
    await tab.getByRole('button', { name: '위' }).click();
    await settled();
    await tab.keyboard.press('Enter');
    await settled();
    assert.ok(await shows('△'), 'the table with its marker');
    await tab.screenshot({ path: join(shots, 'table.png') });
  });
});

test('a whole game is played by mouse clicks at a desktop size', async () => {
  await withPage({ viewport: { width: 1280, height: 800 } }, async (helpers) => {
    const click = (x, y) => helpers.tab.mouse.click(x, y);
    const at = await playByPointing(helpers, click);
    await helpers.tab.screenshot({ path: join(shots, 'banner-by-clicks.png') });
    // A click ends the banner's wait, and so the program.
    await at(kFirstCard);
    assert.equal(await helpers.tab.evaluate(() => session.running()), false);
  });
});

test('a whole game is played by taps at a phone size', async () => {
  const phone = { viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true,
    deviceScaleFactor: 3 };
  await withPage(phone, async (helpers) => {
    const tap = (x, y) => helpers.tab.touchscreen.tap(x, y);
    await playByPointing(helpers, tap);
    await helpers.tab.screenshot({ path: join(shots, 'banner-by-taps.png') });
  });
});
