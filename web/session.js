// Plays the game in an xterm.js terminal, one program at a time: each start
// is a fresh module instance (a new deal). When a program ends its last
// picture stays in the terminal (a banner, or the cleared screen after a
// quit), `listener.ended` is told, and the next key or press starts another.
// What the program says for a listener, and the end, go to `listener.say`.
// Used by the page and, with @xterm/headless, by the tests.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) {
    module.exports = factory();
  } else {
    root.SolSession = factory();
  }
})(this, function () {
  'use strict';

  const kEndedLine = '게임이 끝났습니다. 아무 키나 누르거나 화면을 누르면 새 게임을 시작합니다.';

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

  // A mouse report (SGR, or the legacy three bytes) other than a press of a
  // button: a release, motion, the wheel.
  function isMouseButNoPress(data) {
    const sgr = /^\x1b\[<(\d+);\d+;\d+([Mm])$/.exec(data);
    if (sgr) return sgr[2] === 'm' || Number(sgr[1]) >= 32;
    if (data.length === 6 && data.startsWith('\x1b[M')) {
      const button = data.charCodeAt(3) - 32;
      return (button & 3) === 3 || button >= 32;
    }
    return false;
  }

  // terminal: an xterm.js Terminal; createModule: the generated module
  // factory; moduleOptions: passed on to it (node needs wasmBinary);
  // listener.say(sentence): where spoken sentences go; listener.started()
  // and listener.ended(): a program began, a program is over.
  function startSession(terminal, createModule, moduleOptions, listener = {}) {
    const say = (sentence) => { if (listener.say) listener.say(sentence); };
    const tell = (what) => { if (listener[what]) listener[what](); };
    const encoder = new TextEncoder();
    const session = { programs: 0, type, settled, running: () => input !== null };
    let input = null; // the running program's; null once it has ended

    // After a program's end the key or press that starts the next is its
    // own: it is not passed on to the new program. The release of the press
    // that ended the last one, motion and the wheel start nothing.
    function type(data) {
      if (input) input.push(encoder.encode(data));
      else if (!isMouseButNoPress(data)) start();
    }

    function start() {
      const own = makeInput();
      input = own;
      session.programs += 1;
      // A fresh terminal: the last picture goes, and the modes the last
      // program asked for (press reports) with it.
      terminal.write('\x1bc');
      tell('started');
      const ended = () => {
        if (input !== own) return;
        input = null;
        tell('ended');
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
