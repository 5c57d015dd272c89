// Sizes the terminal to the largest whole font size at which all 80x25
// cells fit the window beside the buttons and the lines of text, trying
// those under the terminal and, in a landscape window, beside it, and
// keeping whichever gives the larger cells.
(function (root) {
  'use strict';

  // The size of the terminal's cells at one font size, scaled: cell sizes
  // grow in step with the font, up to rounding, which the final check takes.
  function gridSize(terminal, fontSize) {
    if (terminal.options.fontSize !== fontSize) terminal.options.fontSize = fontSize;
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

  // What the grid measured at `probe` says fits `room`, before rounding.
  function estimate(room, probe) {
    return Math.max(4, Math.floor(probe.size * Math.min(room.width / probe.width, room.height / probe.height)));
  }

  // The largest size whose grid fits `room`; each size costs the terminal a
  // new layout, so few are tried.
  function largestFitting(terminal, room, probe) {
    let size = estimate(room, probe);
    for (;;) {
      const grid = gridSize(terminal, size);
      if (size <= 4 || (grid.width <= room.width && grid.height <= room.height)) return size;
      size -= 1;
    }
  }

  function fitTerminal(terminal, stage, side) {
    // Measured at the size it has: each size tried costs the terminal a new
    // layout, and the page opens it at a large size, where rounding is least.
    const size = terminal.options.fontSize;
    const probe = { size, ...gridSize(terminal, size) };
    const arrangements = root.innerWidth > root.innerHeight ? [false, true] : [false];
    let best = null;
    for (const beside of arrangements) {
      stage.classList.toggle('beside', beside);
      const room = roomBeside(stage, side, beside);
      if (best && estimate(room, probe) <= best.size) continue;
      best = { beside, size: largestFitting(terminal, room, probe) };
    }
    stage.classList.toggle('beside', best.beside);
    terminal.options.fontSize = best.size;
    return best;
  }

  root.SolFit = { fitTerminal };
})(this);
