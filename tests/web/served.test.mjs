// The page as a player gets it from the project's own server: files sent
// compressed, the manifest and its icons, play with no network after one
// visit, a new build replacing the kept files whole, and how long the menu
// takes to show, on this machine and on a slow phone link.
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { request } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import { waitToShow } from './page_reading.mjs';
import { servePage } from './serve_page.mjs';

const page = process.env.SOLBANGUL_PAGE;
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { chromium } = require('playwright-core');
const stampWorker = fileURLToPath(new URL('../../web/tools/stamp_worker.mjs', import.meta.url));
const workerTemplate = fileURLToPath(new URL('../../web/sw.js', import.meta.url));
const compress = fileURLToPath(new URL('../../web/tools/compress.mjs', import.meta.url));

let server;
let browser;
before(async () => {
  server = await servePage(page);
  browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
});
after(async () => {
  await browser?.close();
  server?.stop();
});

// GET `path` with the raw path and headers given; resolves to
// { status, headers, body }.
function get(origin, path, headers = {}) {
  return new Promise((resolve, reject) => {
    request(`${origin}${path}`, { headers }, (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, body: Buffer.concat(chunks) }));
    }).on('error', reject).end();
  });
}

const menuShown = (tab) => waitToShow(tab, '게임 시작');

test('files go compressed where the browser takes them, and nothing outside the page', async () => {
  const raw = readFileSync(join(page, 'solbangul.js'));
  const br = await get(server.origin, '/solbangul.js', { 'accept-encoding': 'gzip, deflate, br' });
  assert.equal(br.headers['content-encoding'], 'br');
  assert.ok(br.body.length < raw.length / 3);
  const gz = await get(server.origin, '/solbangul.js', { 'accept-encoding': 'gzip' });
  assert.equal(gz.headers['content-encoding'], 'gzip');
  const plain = await get(server.origin, '/solbangul.js');
  assert.equal(plain.headers['content-encoding'], undefined);
  assert.deepEqual(plain.body, raw);
  assert.equal((await get(server.origin, '/solbangul.wasm')).headers['content-type'], 'application/wasm');
  for (const outside of ['/../CMakeCache.txt', '/%2e%2e/CMakeCache.txt', '/page.stamp', '/nothing.js']) {
    assert.equal((await get(server.origin, outside)).status, 404, outside);
  }
});

test('the manifest names the game in Korean, its icons are there, and it installs', async () => {
  const manifest = JSON.parse((await get(server.origin, '/manifest.webmanifest')).body);
  assert.equal(manifest.short_name, '솔방울');
  assert.equal(manifest.display, 'standalone');
  assert.equal(manifest.orientation, 'landscape');
  for (const icon of manifest.icons) {
    const png = (await get(server.origin, `/${icon.src}`)).body;
    assert.equal(png.toString('latin1', 1, 4), 'PNG');
    const size = `${png.readUInt32BE(16)}x${png.readUInt32BE(20)}`;
    assert.equal(size, icon.sizes);
  }
  const context = await browser.newContext();
  try {
    const tab = await context.newPage();
    await visitUntilKept(tab, server.origin);
    const cdp = await context.newCDPSession(tab);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    // A test's browser context is a private one, where nothing installs.
    assert.deepEqual(installabilityErrors.filter((e) => e.errorId !== 'in-incognito'), []);
  } finally {
    await context.close();
  }
});

// Loads until the service worker controls the page.
async function visitUntilKept(tab, origin) {
  await tab.goto(`${origin}/`);
  await menuShown(tab);
  await tab.evaluate(() => navigator.serviceWorker.ready);
  if (!(await tab.evaluate(() => navigator.serviceWorker.controller))) {
    await tab.reload();
    await menuShown(tab);
  }
}

test('after one visit the page loads and plays with no network', async () => {
  const context = await browser.newContext();
  try {
    const tab = await context.newPage();
    await visitUntilKept(tab, server.origin);
    await context.setOffline(true);
    await tab.reload();
    await menuShown(tab);
    await tab.keyboard.press('Enter');
    await waitToShow(tab, '△');
  } finally {
    await context.close();
  }
});

test('a new build replaces every kept file, and the old ones go', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'solbangul-page-'));
  cpSync(page, folder, { recursive: true });
  const own = await servePage(folder);
  const context = await browser.newContext();
  try {
    const tab = await context.newPage();
    await visitUntilKept(tab, own.origin);
    // The next build, as the build makes it: two files change, the worker is
    // stamped anew and everything compressed again.
    writeFileSync(join(folder, 'index.html'), `${readFileSync(join(folder, 'index.html'), 'utf8')}<!-- build 2 -->\n`);
    const manifest = JSON.parse(readFileSync(join(folder, 'manifest.webmanifest'), 'utf8'));
    writeFileSync(join(folder, 'manifest.webmanifest'), JSON.stringify({ ...manifest, build: 2 }));
    execFileSync(process.execPath, [stampWorker, workerTemplate, folder]);
    execFileSync(process.execPath, [compress, folder]);
    const [first] = await tab.evaluate(() => caches.keys());
    await tab.reload();
    for (let tries = 0; ; tries++) {
      const names = await tab.evaluate(() => caches.keys());
      if (names.length === 1 && names[0] !== first) break;
      assert.ok(tries < 100, `the new build's worker takes over: ${names}`);
      await tab.waitForTimeout(100);
    }
    await context.setOffline(true);
    await tab.reload();
    await menuShown(tab);
    const kept = await tab.evaluate(async () => ({
      index: await (await fetch('index.html')).text(),
      manifest: await (await fetch('manifest.webmanifest')).json(),
      caches: await caches.keys(),
    }));
    assert.match(kept.index, /build 2/);
    assert.equal(kept.manifest.build, 2);
    assert.equal(kept.caches.length, 1);
  } finally {
    await context.close();
    own.stop();
    rmSync(folder, { recursive: true, force: true });
  }
});

// A phone on a slow link: 150 ms each way, 1.6 Mbit/s down, 750 kbit/s up,
// and a processor four times slower than this machine's. Resolves to the
// time from the start of the navigation to the first frame that shows the
// menu, on the page's own clock (asking the page from here at every turn
// would take the slowed processor's time from the load it measures), and the
// bytes that came over the wire before the menu showed.
async function timeToMenu(slow, warm) {
  const context = await browser.newContext({ viewport: { width: 844, height: 390 } });
  try {
    const tab = await context.newPage();
    const cdp = await context.newCDPSession(tab);
    if (warm) await visitUntilKept(tab, server.origin);
    await tab.addInitScript(() => {
      const look = () => {
        if (typeof grid !== 'undefined' && grid.rows().join('').includes('게임 시작')) window.menuAt = performance.now();
        else requestAnimationFrame(look);
      };
      requestAnimationFrame(look);
    });
    await cdp.send('Network.enable');
    let bytes = 0;
    cdp.on('Network.loadingFinished', (event) => { bytes += event.encodedDataLength; });
    if (slow) {
      await cdp.send('Network.emulateNetworkConditions', {
        offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8,
      });
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
    }
    await tab.goto(`${server.origin}/`);
    await tab.waitForFunction(() => window.menuAt !== undefined, null, { polling: 10, timeout: 30000 });
    return { ms: Math.round(await tab.evaluate(() => window.menuAt)), bytes };
  } finally {
    await context.close();
  }
}

// The best and the median of five loads, each in a fresh profile unless
// warm. The best is what the page can do; the machine's other work, which
// moves single loads by a few tenths of a second, shows in the median.
async function timesToMenu(slow, warm) {
  const loads = [];
  for (let i = 0; i < 5; i++) loads.push(await timeToMenu(slow, warm));
  const times = loads.map((load) => load.ms).sort((a, b) => a - b);
  return { best: times[0], median: times[2], bytes: Math.max(...loads.map((load) => load.bytes)) };
}

test('the menu shows within 1.2 s on a slow phone link, after at most 100,000 bytes', async () => {
  const times = {};
  for (const slow of [false, true]) {
    for (const warm of [false, true]) {
      times[`${slow ? 'slow link' : 'this machine'}, ${warm ? 'warm' : 'cold'}`] = await timesToMenu(slow, warm);
    }
  }
  // The machine's other work can slow all five loads of a set at once: a set
  // on the slow link that misses its bound is measured once more, and both
  // are reported.
  const bounds = { 'slow link, cold': { best: 1200, median: 2000 }, 'slow link, warm': { best: 490 } };
  const misses = (t, bound) => Object.entries(bound).filter(([what, ms]) => t[what] > ms);
  for (const [name, bound] of Object.entries(bounds)) {
    if (misses(times[name], bound).length > 0) times[`${name}, again`] = await timesToMenu(true, name.endsWith('warm'));
  }
  console.log(JSON.stringify(times));
  const cold = times['slow link, cold'];
  assert.ok(cold.bytes <= 100000, `${cold.bytes} bytes before the menu`);
  for (const [name, bound] of Object.entries(bounds)) {
    const t = times[`${name}, again`] ?? times[name];
    assert.deepEqual(misses(t, bound), [], `${name}: ${JSON.stringify(t)}`);
  }
});
