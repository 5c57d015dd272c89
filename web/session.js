// Plays the game in an xterm.js terminal, one program at a time: each start
// is a fresh module instance (a new deal), and when a program ends the
// terminal says so and the next key starts another. What the program says for
// a listener, and the end, go to `listener.say`. Used by the page and, with
// @xterm/headless, by the tests.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) {
    module.exports = factory();
  } else {
    root.SolSession = factory();
  }
})(this, function () {
  'use strict';

  const kEndedLine = '게임이 끝났습니다. 아무 키나 누르면 다시 시작합니다.';

  // The bytes the terminal sends, waiting for the program's next read.
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

  // terminal: an xterm.js Terminal; createModule: the generated module
  // factory; moduleOptions: passed on to it (node needs wasmBinary);
  // listener.say(sentence): where spoken sentences go.
  function startSession(terminal, createModule, moduleOptions, listener = {}) {
    const say = (sentence) => { if (listener.say) listener.say(sentence); };
    const encoder = new TextEncoder();
    const session = { programs: 0, type, settled, running: () => input !== null };
    let input = null; // the running program's; null once it has ended

    function type(data) {
      if (input) input.push(encoder.encode(data));
      else start();
    }

    function start() {
      const own = makeInput();
      input = own;
      session.programs += 1;
      terminal.write('\x1bc');
      const ended = () => {
        if (input !== own) return;
        input = null;
        terminal.write('\x1bc' + kEndedLine);
        say(kEndedLine);
      };
      createModule(Object.assign({}, moduleOptions, {
        solTerminal: {
          write: (bytes) => terminal.write(bytes),
          waitForInput: (timeoutMs) => own.waitForInput(timeoutMs),
          takeInput: (capacity) => own.takeInput(capacity),
          ended,
          say: (sentence) => { if (input === own) say(sentence); },
        },
        onAbort: ended,
      }));
    }

    // Resolves once the program waits for a key (or has ended) and the
    // terminal shows everything sent to it.
    function settled() {
      return new Promise((resolve) => {
        const check = () => {
          if (input && !input.waitingForKey) setTimeout(check, 5);
          else terminal.write('', resolve);
        };
        check();
      });
    }

    terminal.onData(type);
    start();
    return session;
  }

  return { startSession, kEndedLine };
});
