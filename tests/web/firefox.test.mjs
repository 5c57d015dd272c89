// The page in Debian's Firefox ESR, driven over WebDriver BiDi: the menu,
// keys without a click, a whole game by keys, the restart, and no sideways
// scroll after the window narrows.
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { playByKeys, rowsOf, settle, shows, waitToShow } from './page_reading.mjs';
import { servePage } from './serve_page.mjs';

const page = process.env.SOLBANGUL_PAGE;
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const kFirefox = '/usr/bin/firefox-esr';

// Firefox ESR 140 (Debian 12 without its security updates) sizes the
// viewport but knows no screen orientation override, which puppeteer sends
// with every viewport; the size is what matters here.
async function setViewport(tab, viewport) {
  await tab.setViewport(viewport).catch((error) => {
    if (!/setScreenOrientationOverride/.test(error.message)) throw error;
  });
}

test('the page plays in Firefox', async () => {
  // Without it the driver would wait for a browser that never starts.
  assert.ok(existsSync(kFirefox), `${kFirefox} is missing: apt-get install firefox-esr (or run tools/test web)`);
  const server = await servePage(page);
  const profile = mkdtempSync(join(tmpdir(), 'solbangul-firefox-'));
  const browser = await puppeteer.launch({
    browser: 'firefox',
    executablePath: kFirefox,
    headless: true,
    userDataDir: profile,
  });
  try {
    const tab = await browser.newPage();
    await setViewport(tab, { width: 1280, height: 800 });
    const key = async (name) => {
      await tab.keyboard.press(name);
      await settle(tab);
    };
    await tab.goto(`${server.origin}/`);
    await waitToShow(tab, '게임 시작');
    await settle(tab);
    // Keys reach the game without a click.
    await key('ArrowDown');
    assert.match((await rowsOf(tab))[10], /☞ ┃ {4}게임 설명/);
    await key('ArrowUp');
    await key('Enter');
    await playByKeys(tab, key);
    await key('x');
    assert.equal(await tab.evaluate(() => session.running()), false);
    assert.ok(await shows(tab, 'Pleas any key~'), 'the banner stays');
    await key('x');
    assert.ok(await shows(tab, '게임 시작'), 'a new game at its menu');

    // Narrowed to a phone's width, nothing scrolls sideways.
    await setViewport(tab, { width: 390, height: 844 });
    await tab.evaluate(() => new Promise((resolve) => setTimeout(resolve, 300)));
    const scroll = await tab.evaluate(() => [document.documentElement.scrollWidth,
      document.documentElement.clientWidth, window.innerWidth]);
    assert.equal(scroll[2], 390, 'the window narrowed');
    assert.equal(scroll[0], scroll[1], `scrollWidth ${scroll}`);
    await tab.evaluate(() => window.scrollTo(500, 0));
    assert.equal(await tab.evaluate(() => window.scrollX), 0);
  } finally {
    await browser.close();
    server.stop();
    rmSync(profile, { recursive: true, force: true });
  }
});
