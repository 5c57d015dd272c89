// Plays the game on the page's screen, one program at a time: each start is
// a fresh module instance (a new deal). The program sends the rows that
// changed; it is sent back what a terminal would send for the keys and the
// presses (see keys.js), which it decodes as a terminal's. When a program
// ends its last picture stays (a banner, or the cleared screen after a
// quit), `listener.ended` is told, and the next key or press starts
// another. What the program says for a listener, and the end, go to
// `listener.say`.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.SolSession = factory();
})(this, function () {
  'use strict';

  const kEndedLine = '게임이 끝났습니다. 아무 키나 누르거나 화면을 누르면 새 게임을 시작합니다.';

  // The bytes sent, waiting for the program's next read.
  function makeInput() {
    const chunks = [];
    let wake = null;
    return {
      waitingForKey: false, // blocked with nothing to read and no deadline
      push(bytes) {
        chunks.push(bytes);
        if (wake) wake();
      },
      // Resolves when input is there, or after timeoutMs (never when < 0).
      waitForInput(timeoutMs) {
        if (chunks.length > 0 || timeoutMs === 0) return Promise.resolve();
        this.waitingForKey = timeoutMs < 0;
        return new Promise((resolve) => {
          let timer = null;
          const done = () => {
            clearTimeout(timer);
            wake = null;
            this.waitingForKey = false;
            resolve();
          };
          wake = done;
          if (timeoutMs > 0) timer = setTimeout(done, timeoutMs);
        });
      },
      takeInput(capacity) {
        const out = new Uint8Array(capacity);
        let length = 0;
        while (chunks.length > 0 && length < capacity) {
          const chunk = chunks[0];
          const n = Math.min(chunk.length, capacity - length);
          out.set(chunk.subarray(0, n), length);
          length += n;
          if (n === chunk.length) chunks.shift();
          else chunks[0] = chunk.subarray(n);
        }
        return out.subarray(0, length);
      },
    };
  }

  // screen: setRow(y, text) and clear(), as screen.js has them;
  // createModule: the generated module factory; moduleOptions: passed on to
  // it (instantiateWasm); listener.say(sentence), listener.started() and
  // listener.ended().
  function startSession(screen, createModule, moduleOptions, listener = {}) {
    const say = (sentence) => { if (listener.say) listener.say(sentence); };
    const tell = (what) => { if (listener[what]) listener[what](); };
    const encoder = new TextEncoder();
    let input = null; // the running program's; null once it has ended
    const session = {
      programs: 0,
      running: () => input !== null,
      // A key's bytes. After the end, the key that starts the next program
      // is its own: it is not passed on.
      type(data) {
        if (input) input.push(encoder.encode(data));
        else start();
      },
      // A press of the main button or a tap on cell (x, y), as a terminal
      // reports it.
      press(x, y) {
        session.type(`\x1b[<0;${x + 1};${y + 1}M`);
      },
      settled,
    };

    function start() {
      const own = makeInput();
      input = own;
      session.programs += 1;
      screen.clear();
      tell('started');
      const ended = () => {
        if (input !== own) return;
        input = null;
        tell('ended');
        say(kEndedLine);
      };
      createModule(Object.assign({}, moduleOptions, {
        solScreen: {
          row: (y, text) => { if (input === own) screen.setRow(y, text); },
          waitForInput: (timeoutMs) => own.waitForInput(timeoutMs),
          takeInput: (capacity) => own.takeInput(capacity),
          ended,
          say: (sentence) => { if (input === own) say(sentence); },
        },
        onAbort: ended,
      }));
    }

    // Resolves once the program waits for a key or has ended.
    function settled() {
      return new Promise((resolve) => {
        const check = () => {
          if (input && !input.waitingForKey) setTimeout(check, 5);
          else resolve();
        };
        check();
      });
    }

    start();
    return session;
  }

  return { startSession, kEndedLine };
});
