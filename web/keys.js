// A key pressed on the page as the bytes an xterm-compatible terminal sends
// for it, so that the game decodes the page's keys with the same decoder as
// a terminal's. Keys the game has no use for and that the browser or the
// player's assistive tools need (Tab, F-keys, Ctrl, Alt and Meta chords)
// give nothing and keep their usual meaning.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.SolKeys = factory();
})(this, function () {
  'use strict';

  // The final bytes of CSI sequences, and the numbers of CSI n ~.
  const kFinals = { ArrowUp: 'A', ArrowDown: 'B', ArrowRight: 'C', ArrowLeft: 'D', Home: 'H', End: 'F' };
  const kTildes = { Insert: 2, Delete: 3, PageUp: 5, PageDown: 6 };
  const kPlain = { Enter: '\r', Escape: '\x1b', Backspace: '\x7f' };

  // xterm's modifier parameter: 1, plus 1 for Shift, 2 for Alt, 4 for Ctrl.
  const modifiers = (e) => 1 + (e.shiftKey ? 1 : 0) + (e.altKey ? 2 : 0) + (e.ctrlKey ? 4 : 0);

  // The bytes for a keydown event, or null for a key left to the browser.
  function bytesOf(event) {
    if (event.isComposing || event.metaKey) return null;
    const m = modifiers(event);
    if (kFinals[event.key]) return m > 1 ? `\x1b[1;${m}${kFinals[event.key]}` : `\x1b[${kFinals[event.key]}`;
    if (kTildes[event.key]) return m > 1 ? `\x1b[${kTildes[event.key]};${m}~` : `\x1b[${kTildes[event.key]}~`;
    if (kPlain[event.key] && !event.ctrlKey && !event.altKey) return kPlain[event.key];
    // One character typed, Shift or not: the key's own text.
    const typed = [...event.key].length === 1 && !event.ctrlKey && !event.altKey;
    return typed ? event.key : null;
  }

  return { bytesOf };
});
