// Reading the page's terminal, the same in Playwright and in puppeteer.

// The 25 rows as the DOM shows them, one string each.
export const rowsOf = (tab) => tab.$$eval('.xterm-rows > div', (divs) =>
  divs.map((div) => div.textContent.replaceAll('\u00a0', ' ')));

// Resolves once the program waits for input and the DOM rows, which follow
// the terminal at the next animation frame, show what it sent.
export const settle = (tab) => tab.evaluate(() => session.settled().then(() =>
  new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve)))));

// Resolves once the rows show `text`. (The two drivers' waitForFunction
// take their arguments in different orders.)
export async function waitToShow(tab, text, timeoutMs = 30000) {
  const end = Date.now() + timeoutMs;
  const shows = (wanted) => document.querySelector('.xterm-rows')?.textContent.includes(wanted) ?? false;
  while (!(await tab.evaluate(shows, text))) {
    if (Date.now() > end) throw new Error(`the terminal never showed ${text}`);
    await new Promise((resolve) => setTimeout(resolve, 10));
  }
}
