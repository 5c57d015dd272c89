// The page's wiring: the terminal sized to the window, the buttons, the
// keyboard given to the game on any click, the live region, the end line,
// and the service worker that keeps the page for offline play.
'use strict';
const stage = document.getElementById('stage');
const side = document.getElementById('side');
const status = document.getElementById('status');
const spoken = document.getElementById('spoken');

const terminal = new Terminal({
  cols: 80,
  rows: 25,
  fontFamily: '"DejaVu Sans Mono", "NanumGothicCoding", "Noto Sans Mono CJK KR", monospace',
  fontSize: 40,  // measured as it opens, then fitted to the window
});
terminal.open(document.getElementById('terminal'));
terminal.textarea.setAttribute('aria-label', '게임 키 입력');
const fit = () => SolFit.fitTerminal(terminal, stage, side);
fit();
window.addEventListener('resize', fit);
// Fonts load after the first measure; cells measured with a fallback font
// would be the wrong size.
document.fonts.ready.then(fit);
terminal.focus();

// Newest last; a few screens' worth kept, so the region stays short to browse.
const say = (sentence) => {
  const line = document.createElement('p');
  line.textContent = sentence;
  spoken.append(line);
  while (spoken.childElementCount > 20) spoken.firstElementChild.remove();
};
// The game's code is fetched once, for every game the page starts: a new
// build arriving meanwhile cannot mix with this one.
let session = null;
fetch('solbangul.wasm').then((response) => response.arrayBuffer()).then((wasmBinary) => {
  session = SolSession.startSession(terminal, createSolbangul, { wasmBinary }, {
    say,
    started: () => { status.textContent = ''; },
    ended: () => { status.textContent = SolSession.kEndedLine; },
  });
});
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');

for (const button of document.querySelectorAll('#keys button')) {
  // Keep the focus on the terminal so the keyboard still works after a tap.
  button.addEventListener('mousedown', (event) => event.preventDefault());
  button.addEventListener('click', () => session?.type(button.dataset.send));
}

// A click or tap anywhere outside the terminal gives the keyboard back to
// the game (the terminal takes it itself), and after the end starts the
// next game, as the terminal's own press report does inside it.
document.addEventListener('mousedown', (event) => {
  if (event.target.closest('button, .xterm')) return;
  event.preventDefault();  // which would take the focus to the page
  terminal.focus();
  if (session && !session.running()) session.type('');
});
