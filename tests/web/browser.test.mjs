// The served page in Debian's Chromium: the menu shows without a click, a
// touch button moves the marker, Enter deals a game, the rows are read from
// the DOM, and nothing is fetched from outside the page's own folder. The
// whole game and the restart are the headless terminal test's to play.
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

test('the page shows the menu and deals a game in Chromium', async () => {
  const origin = 'http://solbangul.test';
  const profile = mkdtempSync(join(tmpdir(), 'solbangul-chromium-'));
  const browser = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    viewport: { width: 1000, height: 720 },
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

    const start = Date.now();
    await tab.goto(`${origin}/index.html`);
    await tab.waitForFunction(() => document.querySelector('.xterm-rows')?.textContent.includes('게임 시작'));
    console.log(`menu shown ${Date.now() - start} ms after the page was asked for`);
    await settled();
    mkdirSync(shots, { recursive: true });
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

    assert.deepEqual(requests.filter((url) => !url.startsWith(origin)), []);
  } finally {
    await browser.close();
    rmSync(profile, { recursive: true, force: true });
  }
});
