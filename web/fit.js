// Sizes the terminal to the largest whole font size at which all 80x25
// cells fit the window beside the buttons and the lines of text, trying
// those under the terminal and, in a landscape window, beside it, and
// keeping whichever gives the larger cells.
(function (root) {
  'use strict';

  // The size of the terminal's cells at one font size, scaled: cell sizes
  // grow in step with the font, up to rounding, which the final check takes.
  function gridSize(terminal, fontSize) {
    terminal.options.fontSize = fontSize;
    const box = terminal.element.querySelector('.xterm-screen').getBoundingClientRect();
    return { width: box.width, height: box.height };
  }

  // The room the terminal has in the stage once `side` has taken its own.
  function roomBeside(stage, side, beside) {
    const style = getComputedStyle(stage);
    const gap = parseFloat(style.columnGap) || 0;
    const width = stage.clientWidth - parseFloat(style.paddingLeft) - parseFloat(style.paddingRight);
    const height = root.innerHeight - parseFloat(style.paddingTop) - parseFloat(style.paddingBottom);
    return beside ? { width: width - side.offsetWidth - gap, height }
      : { width, height: height - side.offsetHeight - gap };
  }

  function largestFitting(terminal, room) {
    const probe = 40;
    const at = gridSize(terminal, probe);
    let size = Math.floor(probe * Math.min(room.width / at.width, room.height / at.height));
    size = Math.max(size, 4);
    for (;;) {
      const grid = gridSize(terminal, size);
      if (size <= 4 || (grid.width <= room.width && grid.height <= room.height)) return size;
      size -= 1;
    }
  }

  function fitTerminal(terminal, stage, side) {
    const arrangements = root.innerWidth > root.innerHeight ? [false, true] : [false];
    let best = null;
    for (const beside of arrangements) {
      stage.classList.toggle('beside', beside);
      const size = largestFitting(terminal, roomBeside(stage, side, beside));
      if (!best || size > best.size) best = { beside, size };
    }
    stage.classList.toggle('beside', best.beside);
    terminal.options.fontSize = best.size;
    return best;
  }

  root.SolFit = { fitTerminal };
})(this);
