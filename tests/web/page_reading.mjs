// Reading and playing the page, the same in Playwright, puppeteer and the
// WebKit driver: each has evaluate(fn, arg).
import assert from 'node:assert/strict';

export const kBannerPrompt = 'Pleas any key~';

// The 25 rows as the page last drew them, one string each.
export const rowsOf = (tab) => tab.evaluate(() => grid.rows());

export const shows = async (tab, text) => (await rowsOf(tab)).some((row) => row.includes(text));

// Resolves once the program waits for input, and the page has drawn it.
export const settle = (tab) => tab.evaluate(() => session.settled().then(() =>
  new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))));

// What has the focus, where it would open a phone's keyboard: an element
// that takes text and does not say inputmode="none"; null otherwise.
export const focusOpensKeyboard = (tab) => tab.evaluate(() => {
  const e = document.activeElement;
  const editable = e.isContentEditable || ['INPUT', 'TEXTAREA', 'SELECT'].includes(e.tagName);
  return editable && e.getAttribute('inputmode') !== 'none' ? e.outerHTML : null;
});

// Resolves once the rows show `text`. (The two drivers' waitForFunction
// take their arguments in different orders.)
export async function waitToShow(tab, text, timeoutMs = 30000) {
  const end = Date.now() + timeoutMs;
  const showing = (wanted) => typeof grid !== 'undefined' && grid.rows().join('\n').includes(wanted);
  while (!(await tab.evaluate(showing, text))) {
    if (Date.now() > end) throw new Error(`the screen never showed ${text}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}

// From the table to the banner by keys alone, `key(name)` pressing one and
// settling: lay the selected card, else take one from the pile.
export async function playByKeys(tab, key) {
  const moves = ['Enter', 'ArrowUp', 'Enter'];
  for (let n = 0; n < 600 && !(await shows(tab, kBannerPrompt)); n++) await key(moves[n % moves.length]);
  assert.ok(await shows(tab, kBannerPrompt), 'the banner');
}

// The middle of a cell of the grid, or of an element, in CSS pixels of the
// window.
export const pointAt = (tab, target) => tab.evaluate(({ x, y, selector }) => {
  const box = document.querySelector(selector ?? '#screen').getBoundingClientRect();
  return selector ? { x: box.left + box.width / 2, y: box.top + box.height / 2 }
    : { x: box.left + ((x + 0.5) * box.width) / 80, y: box.top + ((y + 0.5) * box.height) / 25 };
}, target);

export const kEndedLine = '게임이 끝났습니다. 아무 키나 누르거나 화면을 누르면 새 게임을 시작합니다.';

// From the menu to the banner by pointing alone, `point(x, y)` pressing or
// tapping there: the first menu entry, then the first card of the hand, and
// when it does not fit, the pile twice (offer, then draw); no press or tap
// may leave the focus where it opens a keyboard. Then the end: a press ends
// the program and keeps its last picture, the page says outside the screen
// how to start again (`ended()` checks what else holds then), a press on that
// line starts again, and the keyboard, `key(name)`, still plays at once.
export async function playByPointing(tab, { point, key, ended }) {
  const at = async (target) => {
    const { x, y } = await pointAt(tab, target);
    await point(x, y);
    await settle(tab);
    assert.equal(await focusOpensKeyboard(tab), null, `the focus after pointing at ${JSON.stringify(target)}`);
  };
  const [entry, card, pile] = [{ x: 40, y: 6 }, { x: 7, y: 18 }, { x: 43, y: 10 }];
  await at(entry);
  assert.ok(await shows(tab, '△'), 'the table, dealt by pointing at the first entry');
  for (let moves = 0; !(await shows(tab, kBannerPrompt)); moves++) {
    assert.ok(moves < 400, 'the game ends');
    await at(card);
    if (await shows(tab, kBannerPrompt)) break;
    await at(pile);
    await at(pile);
  }
  const banner = (await rowsOf(tab)).join('\n');
  await at(card);
  assert.equal(await tab.evaluate(() => session.running()), false);
  assert.equal((await rowsOf(tab)).join('\n'), banner);
  assert.equal(await tab.evaluate(() => document.getElementById('status').textContent), kEndedLine);
  await ended();
  await at({ selector: '#status' });
  assert.match((await rowsOf(tab))[6], /☞ ┃ {4}게임 시작/, 'a new program at its menu');
  assert.equal(await tab.evaluate(() => document.getElementById('status').textContent), '');
  await key('ArrowDown');
  await settle(tab);
  assert.match((await rowsOf(tab))[10], /☞ ┃ {4}게임 설명/);
}
