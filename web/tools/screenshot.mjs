// Makes the README's picture of the page: a phone held sideways (844x390),
// a game dealt, in Debian's Chromium with this machine's fonts, from the
// page as built. Run again when the screens change.
// Usage: node web/tools/screenshot.mjs [page=build-web/page] [out=web/phone.png]
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { servePage } from '../../tests/web/serve_page.mjs';
import { settle, waitToShow } from '../../tests/web/page_reading.mjs';

const require = createRequire(new URL('../package.json', import.meta.url));
const { chromium } = require('playwright-core');
const page = resolve(process.argv[2] ?? 'build-web/page');
const out = resolve(process.argv[3] ?? 'web/phone.png');

const server = await servePage(page);
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox', '--disable-gpu'] });
try {
  const tab = await browser.newPage({ viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true });
  await tab.goto(`${server.origin}/`);
  await waitToShow(tab, '게임 시작');
  await tab.keyboard.press('Enter');
  await settle(tab);
  await tab.screenshot({ path: out });
  console.log(`wrote ${out}`);
} finally {
  await browser.close();
  server.stop();
}
