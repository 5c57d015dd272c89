// The served page in Debian's Chromium: the menu shows without a click, a
// touch button moves the marker, Enter deals a game, the rows are read from
// the DOM, and nothing is fetched from outside the page's own folder. Whole
// games are played by clicks at a desktop size and by taps at a phone size.
import assert from 'node:assert/strict';
import { existsSync, mkdirSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join, normalize } from 'node:path';
import { test } from 'node:test';
import { rowsOf, settle, waitToShow } from './page_reading.mjs';

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
const kEndedLine = '게임이 끝났습니다. 아무 키나 누르거나 화면을 누르면 새 게임을 시작합니다.';

// Opens the page in a fresh browser with `context` (viewport, touch), runs
// `body` with helpers, and closes the browser whatever happens.
async function withPage(context, body) {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
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
    const requests = [];
    tab.on('request', (request) => requests.push(request.url()));
    const rows = () => rowsOf(tab);
    const settled = () => settle(tab);
    const shows = async (text) => (await rows()).some((row) => row.includes(text));
    // The middle of a cell, in the page's pixels.
    const pointAt = async ({ x, y }) => {
      const box = await tab.locator('.xterm-screen').boundingBox();
      return { x: box.x + ((x + 0.5) * box.width) / 80, y: box.y + ((y + 0.5) * box.height) / 25 };
    };
    await tab.goto(`${origin}/index.html`);
    await waitToShow(tab, '게임 시작');
    await settled();
    mkdirSync(shots, { recursive: true });
    await body({ tab, rows, settled, shows, pointAt });
    assert.deepEqual(requests.filter((url) => !url.startsWith(origin)), []);
  } finally {
    await browser.close();
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
    // A click on the page's margin leaves the keyboard with the game.
    await tab.mouse.click(2, 2);

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

// The program's end keeps its last picture; the page says, outside the
// terminal, how to start again, and the next press does so without passing
// the press on to the new menu.
async function endAndStartAgain({ tab, rows, shows }, at) {
  const banner = (await rows()).join('\n');
  await at(kFirstCard);
  assert.equal(await tab.evaluate(() => session.running()), false);
  assert.equal((await rows()).join('\n'), banner);
  assert.equal(await tab.locator('#status').textContent(), kEndedLine);
  await at(kStartEntry);
  assert.ok(await shows('게임 시작'), 'a new program at its menu');
  assert.match((await rows())[6], /☞/);
  assert.equal(await tab.locator('#status').textContent(), '');
}

test('a whole game is played by mouse clicks at a desktop size', async () => {
  await withPage({ viewport: { width: 1280, height: 800 } }, async (helpers) => {
    const click = (x, y) => helpers.tab.mouse.click(x, y);
    const at = await playByPointing(helpers, click);
    await helpers.tab.screenshot({ path: join(shots, 'banner-by-clicks.png') });
    await endAndStartAgain(helpers, at);
  });
});

test('a whole game is played by taps at a phone size', async () => {
  const phone = { viewport: { width: 844, height: 390 }, hasTouch: true, isMobile: true,
    deviceScaleFactor: 3 };
  await withPage(phone, async (helpers) => {
    const tap = (x, y) => helpers.tab.touchscreen.tap(x, y);
    const at = await playByPointing(helpers, tap);
    await helpers.tab.screenshot({ path: join(shots, 'banner-by-taps.png') });
    await endAndStartAgain(helpers, at);
  });
});

// What a screen reader reads: the live region, in Korean words, with no box
// glyph and no suit symbol; the terminal's rows hidden, its input labelled.
test('a listener hears the deal, every step and the result in Korean', async () => {
  await withPage({ viewport: { width: 1280, height: 800 } }, async ({ tab, rows, settled }) => {
    // Every line the region has been given; it keeps only the last few.
    await tab.evaluate(() => {
      const region = document.getElementById('spoken');
      window.heardAll = [...region.children].map((line) => line.textContent);
      new MutationObserver((changes) => changes.forEach((change) =>
        change.addedNodes.forEach((line) => window.heardAll.push(line.textContent))))
        .observe(region, { childList: true });
    });
    const heard = () => tab.evaluate(() => window.heardAll);
    const key = async (name) => {
      const before = (await heard()).length;
      await tab.keyboard.press(name);
      await settled();
      return (await heard()).slice(before);
    };
    const suits = { '♥': '하트', '◆': '다이아몬드', '♣': '클로버', '♠': '스페이드' };
    const ranks = { A: '에이스', J: '잭', Q: '퀸', K: '킹' };
    // A face: the suit symbol, the rank under it.
    const cardOnScreen = (screen, x, y) =>
      `${suits[screen[y][x]]} ${ranks[screen[y + 1][x]] ?? screen[y + 1].slice(x, x + 2).trim()}`;

    const snapshot = await tab.locator('body').ariaSnapshot();
    assert.match(snapshot, /log "게임 진행"/);
    assert.match(snapshot, /textbox "게임 키 입력"/);
    assert.doesNotMatch(snapshot, /Terminal input|┃/);
    assert.match((await heard()).at(-1), /^솔방울 메뉴\. .* 게임 시작, 1\/3$/);
    assert.deepEqual(await key('ArrowDown'), ['게임 설명, 2/3']);
    await key('ArrowUp');

    const [deal] = await key('Enter');
    const screen = await rows();
    const hand = [0, 1, 2, 3, 4].map((k) => `${k + 1}번 ${cardOnScreen(screen, 8 + 4 * k, 18)}`);
    assert.ok(deal.includes(`내 카드 5장: ${hand.join(', ')}.`), deal);
    assert.ok(deal.includes(`낼 카드는 ${cardOnScreen(screen, 32, 10)}.`), deal);

    // Left from the first slot is the last, which holds no card.
    assert.deepEqual(await key('ArrowLeft'), ['15번 빈 칸']);
    assert.deepEqual(await key('Enter'), ['낼 수 없는 카드입니다.']);
    await key('ArrowDown');
    // A draw, given up once and then taken, and the computer's reply.
    assert.match((await key('ArrowUp'))[0], /^카드 더미\./);
    assert.deepEqual(await key('x'), ['받지 않았습니다.']);
    await key('ArrowUp');
    const drawn = await key('Enter');
    assert.match(drawn[0], /^받은 카드: 6번 \S+ \S+\.$/);
    assert.equal(drawn[0], `받은 카드: 6번 ${cardOnScreen(await rows(), 28, 18)}.`);
    assert.match(drawn[1], /^컴퓨터가 /);
    const steps = { laid: 0, replied: 0 };
    let said = [];
    for (let n = 0; n < 400 && !said.some((s) => s.includes('아무 키나')); n++) {
      said = await key('Enter');
      if (said[0]?.match(/^\S+ \S+[을를] 냈습니다\.$/) && said.length > 1) {
        steps.laid++;
        if (said[1].startsWith('컴퓨터가')) steps.replied++;
      }
      // Refused: the next card, and past the last one (an empty slot, or
      // round to the first with a full hand) a draw.
      if (said[0] === '낼 수 없는 카드입니다.' && /^1번 |빈 칸$/.test((await key('ArrowRight'))[0])) {
        await key('ArrowDown');
        assert.match((await key('ArrowUp'))[0], /^카드 더미\./);
        said = await key('Enter');
        // A hand of 15 cannot take another: that loses.
        assert.match(said[0], /^받은 카드: \d+번 \S+ \S+\.$|^카드가 15장이라/);
      }
    }
    assert.match(said.at(-1), /^(이겼습니다!|졌습니다\.) 아무 키나 누르거나 화면을 누르면 끝납니다\.$/);
    assert.ok(steps.laid > 0 && steps.replied > 0, JSON.stringify(steps));
    assert.deepEqual(await key('x'), [kEndedLine]);

    const spoken = (await heard()).join('\n');
    assert.doesNotMatch(spoken, /[♥◆♣♠☞△■┃━┏┓┗┛]/u);
    assert.match(spoken, /[가-힣]/);
  });
});

// The terminal as large as each window allows, whole and with every button
// inside it, and nothing to scroll: desktop windows, a tablet and a phone
// held both ways (touch, three device pixels to a CSS pixel).
test('the page fits desktop windows, a tablet and a phone', async () => {
  const sizes = [
    [1280, 800], [1920, 1080], [2560, 1440], [1280, 500],
    [1024, 768, { hasTouch: true, isMobile: true, deviceScaleFactor: 2 }],
    [390, 844, { hasTouch: true, isMobile: true, deviceScaleFactor: 3 }],
    [844, 390, { hasTouch: true, isMobile: true, deviceScaleFactor: 3 }],
  ];
  for (const [width, height, touch = {}] of sizes) {
    await withPage({ viewport: { width, height }, ...touch }, async ({ tab }) => {
      const name = `${width}x${height}`;
      await tab.screenshot({ path: join(shots, `fit-${name}.png`) });
      const m = await tab.evaluate(() => {
        const box = (e) => e.getBoundingClientRect().toJSON();
        return {
          grid: box(document.querySelector('.xterm-screen')),
          buttons: [...document.querySelectorAll('#keys button')].map(box),
          scroll: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
          font: terminal.options.fontSize,
        };
      });
      const inside = (b) => b.left >= 0 && b.top >= 0 && b.right <= width && b.bottom <= height;
      assert.ok(inside(m.grid), `${name}: the grid is inside the window`);
      for (const b of m.buttons) {
        assert.ok(inside(b), `${name}: a button is inside the window`);
        assert.ok(b.width >= 44 && b.height >= 44, `${name}: a button is at least 44x44`);
      }
      assert.deepEqual(m.scroll, [width, height], `${name}: nothing to scroll`);
      const row = m.grid.height / 25;
      const use = Math.max(m.grid.width / width, m.grid.height / height);
      if (width > height) assert.ok(use >= 0.7, `${name}: the grid uses ${use}`);
      else assert.ok(m.grid.width / width >= 0.95, `${name}: the grid takes the width`);
      if (name === '844x390') assert.ok(row >= 13, `${name}: a row is ${row} px`);
      console.log(`| ${name} | ${m.font} | ${(m.grid.width / 80).toFixed(2)} | ${row.toFixed(2)} | ` +
        `${Math.round((100 * m.grid.width) / width)}% x ${Math.round((100 * m.grid.height) / height)}% |`);
    });
  }
});
