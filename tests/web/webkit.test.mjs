// The page in Debian's WebKitGTK, the engine of every browser on an iPhone,
// through WebDriver: the whole table on every first load, at a desktop
// size, a landscape phone's (at one and three device pixels to a CSS pixel)
// and upright; a whole game by taps and clicks, none leaving an editable
// element focused; the screen kept awake from the first key or tap, as
// WebKit grants it only inside a gesture; the reload with the server gone;
// and no script error.
import assert from 'node:assert/strict';
import { cpSync, mkdirSync, mkdtempSync, readFileSync, rmSync, unlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { playByPointing, settle, shows as showsOn, waitToShow } from './page_reading.mjs';
import { servePage } from './serve_page.mjs';
import { startWebKit } from './webkit_driver.mjs';

const shots = join(process.env.SOLBANGUL_PAGE, '..', 'screenshots');

// The page as built, with a watch for script errors put before its first
// script (WebDriver has no script of its own that runs before the page's).
let folder;
before(() => {
  folder = mkdtempSync(join(tmpdir(), 'solbangul-webkit-'));
  cpSync(process.env.SOLBANGUL_PAGE, folder, { recursive: true });
  const index = join(folder, 'index.html');
  for (const compressed of ['.br', '.gz']) unlinkSync(`${index}${compressed}`);
  writeFileSync(index, readFileSync(index, 'utf8').replace('<head>', `<head><script>
window.scriptErrors = [];
addEventListener('error', (e) => scriptErrors.push(String(e.message)));
addEventListener('unhandledrejection', (e) => scriptErrors.push(String(e.reason)));
</script>`));
  mkdirSync(shots, { recursive: true });
});
after(() => rmSync(folder, { recursive: true, force: true }));

// A fresh server and browser for `body`, its window `width` x `height` CSS
// pixels before the page is first opened; both stopped whatever happens.
async function withWebKit({ width, height, scale = 1 }, body) {
  const server = await servePage(folder);
  const browser = await startWebKit({ scale });
  try {
    assert.deepEqual(await browser.resize(width, height), [width, height], 'the window size');
    const shows = (text) => showsOn(browser, text);
    const settled = () => settle(browser);
    const open = async () => {
      await browser.goto(`${server.origin}/`);
      await waitToShow(browser, '게임 시작');
      await settled();
    };
    const key = async (...names) => {
      await browser.keys(...names);
      await settled();
    };
    await body({ browser, server, shows, open, key });
    assert.deepEqual(await browser.evaluate(() => window.scriptErrors), [], 'script errors');
  } finally {
    await browser.stop();
    server.stop();
  }
}

// Whether every corner cell of the grid is really shown (not clipped by its
// frame, nor outside the window), with the buttons inside the window.
const looks = (browser) => browser.evaluate(() => {
  const canvas = document.getElementById('screen');
  const box = canvas.getBoundingClientRect();
  const cell = (x, y) => [box.left + ((x + 0.5) * box.width) / 80, box.top + ((y + 0.5) * box.height) / 25];
  const shown = [[0, 0], [79, 0], [0, 24], [79, 24]]
    .every(([x, y]) => document.elementFromPoint(...cell(x, y)) === canvas);
  const keys = [...document.querySelectorAll('#keys button')].map((b) => b.getBoundingClientRect());
  const inside = (b) => b.left >= 0 && b.top >= 0 && b.right <= innerWidth && b.bottom <= innerHeight;
  return { shown, inside: inside(box) && keys.every(inside), ratio: devicePixelRatio,
    frame: document.getElementById('game').getBoundingClientRect().height, grid: box.height };
});

test('the whole table shows on every first load, in every orientation and at three pixels to one', async () => {
  const kLoads = 3;
  for (const size of [{ width: 1280, height: 800 }, { width: 844, height: 390 },
    { width: 844, height: 390, scale: 3 }, { width: 460, height: 900 }]) {
    const name = `${size.width}x${size.height} at ${size.scale ?? 1}`;
    await withWebKit(size, async ({ browser, open, key, shows }) => {
      let whole = 0;
      for (let load = 0; load < kLoads; load++) {
        await open();
        const seen = await looks(browser);
        assert.equal(seen.ratio, size.scale ?? 1, `${name}: device pixels to a CSS pixel`);
        if (seen.shown && seen.inside && seen.frame === seen.grid) whole++;
        else console.log(`${name}, load ${load + 1}: ${JSON.stringify(seen)}`);
      }
      console.log(`${name}: the whole table on ${whole} of ${kLoads} loads`);
      assert.equal(whole, kLoads, `${name}: the whole table on every load`);
      // Asked for as the page loaded, outside any gesture, WebKit refuses it.
      assert.equal(await browser.evaluate(() => awake.lock), null, `${name}: no lock before a gesture`);
      await key('Enter');
      assert.ok(await shows('△'), `${name}: dealt`);
      assert.notEqual(await browser.evaluate(() => awake.lock), null, `${name}: a lock from the first key`);
      writeFileSync(join(shots, `webkit-${size.width}x${size.height}-${size.scale ?? 1}.png`), await browser.screenshot());
    });
  }
});

test('a whole game by taps and clicks, the screen kept awake from the first tap; the reload needs no server', async () => {
  await withWebKit({ width: 844, height: 390 }, async ({ browser, server, open, shows }) => {
    await open();
    let presses = 0;
    const point = async (x, y) => {
      await browser.point(x, y, presses++ % 2 ? 'mouse' : 'touch');
      if (presses > 1) return;
      await settle(browser);
      assert.notEqual(await browser.evaluate(() => awake.lock), null, 'a lock after the first tap');
    };
    await playByPointing(browser, { point, key: (name) => browser.keys(name),
      ended: async () => assert.equal(await browser.evaluate(() => awake.lock), null, 'the lock let go') });

    // Kept by the service worker, the page loads and deals with its server gone.
    await browser.evaluate(() => navigator.serviceWorker.ready);
    await open();
    assert.ok(await browser.evaluate(() => navigator.serviceWorker.controller !== null), 'kept');
    server.stop();
    await open();
    assert.ok(await shows('게임 시작'), 'the menu, offline');
    await browser.keys('Enter');
    await settle(browser);
    assert.ok(await shows('△'), 'dealt, offline');
  });
});
