// Reading and playing the page, the same in Playwright, puppeteer and the
// WebKit driver: each has evaluate(fn, ...args).
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
