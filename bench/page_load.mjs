// How soon the page shows its menu in Debian's headless Chromium, cold (a
// fresh profile) and warm (kept by the service worker), on this machine and
// over a phone's slow link: the best and the median of five loads each, on
// the page's own clock. Usage: node bench/page_load.mjs build-web/page
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';
import { waitToShow } from '../tests/web/page_reading.mjs';

const menuShown = (tab) => waitToShow(tab, '게임 시작');

// Loads until the service worker controls the page.
export async function visitUntilKept(tab, origin) {
  await tab.goto(`${origin}/`);
  await menuShown(tab);
  await tab.evaluate(() => navigator.serviceWorker.ready);
  if (!(await tab.evaluate(() => navigator.serviceWorker.controller))) {
    await tab.reload();
    await menuShown(tab);
  }
}

// One load of the page at `origin` in a new context of Playwright's
// `browser`. `slow`: a phone on a slow link, 150 ms each way, 1.6 Mbit/s
// down, 750 kbit/s up, and a processor four times slower than this
// machine's. Resolves to the time from the start of the navigation to the
// first frame that shows the menu, on the page's own clock (asking the page
// from here at every turn would take the slowed processor's time from the
// load it measures), and the requests that started before then, each with
// what asked for it, when it started and ended (ms from the navigation) and
// its bytes on the wire.
export async function loadToMenu(browser, origin, { slow = false, warm = false } = {}) {
  const context = await browser.newContext({ viewport: { width: 844, height: 390 } });
  try {
    const tab = await context.newPage();
    const cdp = await context.newCDPSession(tab);
    if (warm) await visitUntilKept(tab, origin);
    await tab.addInitScript(() => {
      const look = () => {
        if (typeof grid !== 'undefined' && grid.rows().join('').includes('게임 시작')) window.menuAt = performance.now();
        else requestAnimationFrame(look);
      };
      requestAnimationFrame(look);
    });
    await cdp.send('Network.enable');
    const requests = new Map();
    cdp.on('Network.requestWillBeSent', (e) => requests.set(e.requestId,
      { url: e.request.url, by: e.initiator.type, start: e.timestamp }));
    cdp.on('Network.loadingFinished', (e) => Object.assign(requests.get(e.requestId) ?? {},
      { end: e.timestamp, bytes: e.encodedDataLength }));
    if (slow) {
      await cdp.send('Network.emulateNetworkConditions', {
        offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8,
      });
      await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
    }
    await tab.goto(`${origin}/`);
    await tab.waitForFunction(() => window.menuAt !== undefined, null, { polling: 10, timeout: 30000 });
    const ms = Math.round(await tab.evaluate(() => window.menuAt));
    const all = [...requests.values()];
    const from = all[0].start;
    const before = all.map((r) => ({ ...r, start: (r.start - from) * 1000, end: (r.end - from) * 1000 }))
      .filter((r) => r.start < ms);
    return { ms, requests: before };
  } finally {
    await context.close();
  }
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const require = createRequire(new URL('../web/package.json', import.meta.url));
  const { chromium } = require('playwright-core');
  const { servePage } = await import('../tests/web/serve_page.mjs');
  const server = await servePage(process.argv[2] ?? 'build-web/page');
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
  try {
    console.log('| Load | This machine | Slow link |\n|---|---:|---:|');
    for (const warm of [false, true]) {
      const cells = [];
      for (const slow of [false, true]) {
        const loads = [];
        for (let i = 0; i < 5; i++) loads.push((await loadToMenu(browser, server.origin, { slow, warm })).ms);
        loads.sort((a, b) => a - b);
        cells.push(`${(loads[0] / 1000).toFixed(2)} s, ${(loads[2] / 1000).toFixed(2)} s`);
      }
      console.log(`| ${warm ? 'warm' : 'cold'} | ${cells.join(' | ')} |`);
    }
  } finally {
    await browser.close();
    server.stop();
  }
}
