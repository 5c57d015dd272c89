// The page's wiring: the screen sized to the window, the keyboard, presses
// and the buttons, the live region, the end line, the screen kept awake
// while a game runs, and the service worker that keeps the page for
// offline play.
'use strict';
const stage = document.getElementById('stage');
const side = document.getElementById('side');
const game = document.getElementById('game');
const status = document.getElementById('status');
const spoken = document.getElementById('spoken');

// The game's code is fetched and compiled once, as soon as the page's
// scripts run, for every game the page starts: a new build arriving
// meanwhile cannot mix with this one, and a restart compiles nothing.
const compiled = fetch('solbangul.wasm').then((response) => response.arrayBuffer())
  .then((bytes) => WebAssembly.compile(bytes));

const grid = SolScreen.createScreen(document.getElementById('screen'));
const fit = () => SolFit.fitScreen(grid, game, stage, side);
fit();
window.addEventListener('resize', fit);
// Browser bars coming and going, and rotation, change only what is visible.
window.visualViewport?.addEventListener('resize', fit);
// Text drawn before the fonts came is drawn again with them.
document.fonts.ready.then(() => grid.redraw());
game.focus({ preventScroll: true });

// Newest last; a few screens' worth kept, so the region stays short to browse.
const say = (sentence) => {
  const line = document.createElement('p');
  line.textContent = sentence;
  spoken.append(line);
  while (spoken.childElementCount > 20) spoken.firstElementChild.remove();
};

// While a game runs the phone must not dim and lock as the player thinks.
// WebKit (every browser on an iPhone) grants the lock only inside a user
// gesture, so it is asked for again in the handlers of keys, pointer-ups and
// clicks (a touch's pointerdown is no gesture) until one is held.
const awake = {
  lock: null,
  asking: false,
  async keep() {
    if (!navigator.wakeLock || this.lock || this.asking || document.visibilityState !== 'visible') return;
    this.asking = true;
    try {
      const lock = await navigator.wakeLock.request('screen');
      if (session?.running()) {
        this.lock = lock;
        lock.addEventListener('release', () => { if (this.lock === lock) this.lock = null; });
      } else {
        lock.release();
      }
    } catch {
      // Refused (no gesture yet, battery saver, no permission): the game
      // plays on, and the next gesture asks again.
    } finally {
      this.asking = false;
    }
  },
  release() {
    this.lock?.release();
    this.lock = null;
  },
};
const keepAwake = () => { if (session?.running()) awake.keep(); };
document.addEventListener('visibilitychange', keepAwake);

let session = null;
compiled.then((module) => {
  // Each program an instance of the one compiled module; one that cannot be
  // made (too little memory) ends that program, as a failed load would.
  function instantiateWasm(imports, receive) {
    WebAssembly.instantiate(module, imports).then(receive, (error) => this.onAbort(error));
    return {};
  }
  session = SolSession.startSession(grid, createSolbangul, { instantiateWasm }, {
    say,
    started: () => {
      status.textContent = '';
      awake.keep();
    },
    ended: () => {
      status.textContent = SolSession.kEndedLine;
      awake.release();
    },
  });
});
if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js');

// Keys from anywhere on the page: nothing editable has to hold the focus.
document.addEventListener('keydown', (event) => {
  const bytes = SolKeys.bytesOf(event);
  if (bytes === null || !session) return;
  event.preventDefault();
  session.type(bytes);
  keepAwake();
});

// A press of the main button or a tap plays where it lands; on the buttons
// it is the key, and anywhere else after the end it starts the next game.
// None of them moves the focus to a button or the page: the keyboard stays
// with the game, and no on-screen keyboard opens.
document.addEventListener('pointerdown', (event) => {
  if (!session || event.button !== 0) return;
  const button = event.target.closest('#keys button');
  const cell = grid.cellAt(event.clientX, event.clientY);
  if (button || cell || event.target.closest('#stage')) event.preventDefault();
  game.focus({ preventScroll: true });
  if (button) session.type(button.dataset.send);
  else if (cell) session.press(cell.x, cell.y);
  else if (!session.running()) session.type('');
});
// A screen reader activates a button with a click of its own.
for (const button of document.querySelectorAll('#keys button')) {
  button.addEventListener('click', (event) => {
    if (event.detail === 0) session?.type(button.dataset.send);
  });
}
document.addEventListener('pointerup', keepAwake);
document.addEventListener('click', keepAwake);
document.addEventListener('contextmenu', (event) => {
  if (event.target.closest('#stage')) event.preventDefault();
});

// Held upright, a tap on the hint turns the page to full screen in landscape
// where the browser allows it (Android's); elsewhere the hint stays as it is.
const turn = document.getElementById('turn');
if (document.fullscreenEnabled && screen.orientation?.lock) {
  turn.append(' 여기를 누르면 전체 화면으로 바뀝니다.');
  turn.classList.add('turns');
  turn.addEventListener('click', () => {
    document.documentElement.requestFullscreen({ navigationUI: 'hide' })
      .then(() => screen.orientation.lock('landscape'))
      .catch(() => {});
  });
}
