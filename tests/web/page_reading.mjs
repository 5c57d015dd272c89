// Reading the page's screen, the same in Playwright and in puppeteer.

// The 25 rows as the page last drew them, one string each.
export const rowsOf = (tab) => tab.evaluate(() => grid.rows());

// Resolves once the program waits for input, and the page has drawn it.
export const settle = (tab) => tab.evaluate(() => session.settled().then(() =>
  new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))));

// Resolves once the rows show `text`. (The two drivers' waitForFunction
// take their arguments in different orders.)
export async function waitToShow(tab, text, timeoutMs = 30000) {
  const end = Date.now() + timeoutMs;
  const shows = (wanted) => typeof grid !== 'undefined' && grid.rows().join('\n').includes(wanted);
  while (!(await tab.evaluate(shows, text))) {
    if (Date.now() > end) throw new Error(`the screen never showed ${text}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}
