// The game's 80x25 cells, drawn on a canvas by the page itself, so that the
// picture is the same whatever fonts a device has: the box lines, the
// suits, the markers and the banner's squares are shapes drawn here on the
// device's own pixels; Hangul and ASCII come from the device's fonts, each
// fitted into its two cells or its one. A column is one for ASCII and two
// for every other character, as on the game's console.
(function (root, factory) {
  if (typeof module === 'object' && module.exports) module.exports = factory();
  else root.SolScreen = factory();
})(this, function () {
  'use strict';

  const kColumns = 80;
  const kRows = 25;
  const kBackground = '#000';
  const kForeground = '#ccc';
  // Linux's, Android's and Apple's (iOS has no DejaVu or Noto: Menlo and
  // Apple SD Gothic Neo, both fitted into their cells like any other).
  const kFonts = '"DejaVu Sans Mono", "Noto Sans Mono", "Droid Sans Mono", ui-monospace, Menlo, ' +
    '"Noto Sans CJK KR", "NanumGothicCoding", "Apple SD Gothic Neo", monospace';

  const columnsOf = (ch) => (ch.codePointAt(0) < 0x80 ? 1 : 2);

  // Heavy box lines: which arms leave the middle of the glyph.
  const kBoxArms = {
    '━': { left: true, right: true },
    '┃': { up: true, down: true },
    '┏': { right: true, down: true },
    '┓': { left: true, down: true },
    '┗': { right: true, up: true },
    '┛': { left: true, up: true },
  };

  // The other shapes, each in a box of its own: (x, y) is its top-left
  // corner, s its side, on a context whose fill and stroke are set.
  const kShapes = {
    '■': (c, x, y, s) => c.fillRect(x + s * 0.08, y + s * 0.08, s * 0.84, s * 0.84),
    '△': (c, x, y, s) => {
      c.beginPath();
      c.moveTo(x + s / 2, y + s * 0.12);
      c.lineTo(x + s * 0.9, y + s * 0.86);
      c.lineTo(x + s * 0.1, y + s * 0.86);
      c.closePath();
      c.stroke();
    },
    '◆': (c, x, y, s) => {
      c.beginPath();
      c.moveTo(x + s / 2, y + s * 0.05);
      c.lineTo(x + s * 0.9, y + s / 2);
      c.lineTo(x + s / 2, y + s * 0.95);
      c.lineTo(x + s * 0.1, y + s / 2);
      c.fill();
    },
    '♥': (c, x, y, s) => {
      c.beginPath();
      c.moveTo(x + s / 2, y + s * 0.92);
      c.bezierCurveTo(x - s * 0.1, y + s * 0.5, x + s * 0.15, y - s * 0.05, x + s / 2, y + s * 0.28);
      c.bezierCurveTo(x + s * 0.85, y - s * 0.05, x + s * 1.1, y + s * 0.5, x + s / 2, y + s * 0.92);
      c.fill();
    },
    '♠': (c, x, y, s) => {
      c.beginPath();
      c.moveTo(x + s / 2, y + s * 0.05);
      c.bezierCurveTo(x + s * 1.1, y + s * 0.45, x + s * 0.8, y + s * 0.85, x + s / 2, y + s * 0.62);
      c.bezierCurveTo(x + s * 0.2, y + s * 0.85, x - s * 0.1, y + s * 0.45, x + s / 2, y + s * 0.05);
      c.fill();
      stem(c, x, y, s);
    },
    '♣': (c, x, y, s) => {
      const leaf = (cx, cy) => {
        c.beginPath();
        c.arc(x + s * cx, y + s * cy, s * 0.2, 0, 2 * Math.PI);
        c.fill();
      };
      leaf(0.5, 0.27);
      leaf(0.28, 0.55);
      leaf(0.72, 0.55);
      stem(c, x, y, s);
    },
    // A hand pointing right: the fist with its knuckles, and the finger.
    '☞': (c, x, y, s) => {
      c.beginPath();
      c.roundRect(x, y + s * 0.22, s * 0.46, s * 0.62, s * 0.12);
      c.roundRect(x + s * 0.46, y + s * 0.22, s * 0.54, s * 0.2, s * 0.1);
      for (const k of [0.42, 0.63]) {
        c.moveTo(x + s * 0.18, y + s * k);
        c.lineTo(x + s * 0.46, y + s * k);
      }
      c.stroke();
    },
  };

  function stem(c, x, y, s) {
    c.beginPath();
    c.moveTo(x + s / 2, y + s * 0.5);
    c.lineTo(x + s * 0.7, y + s * 0.95);
    c.lineTo(x + s * 0.3, y + s * 0.95);
    c.fill();
  }

  // canvas: the element to draw on. Rows are kept as the game sent them, so
  // a resize draws them again and a test can read them.
  function createScreen(canvas) {
    const context = canvas.getContext('2d');
    const rows = Array(kRows).fill(' '.repeat(kColumns));
    let cell = { width: 8, height: 16 }; // device pixels
    let line = 2;

    function drawBox(arms, x, y, width) {
      // The middle on whole pixels: the lines of neighbouring cells and rows
      // meet without a gap or a notch at every size.
      const midX = x + width / 2 - Math.floor(line / 2);
      const midY = y + Math.floor(cell.height / 2) - Math.floor(line / 2);
      const fromX = arms.left ? x : midX;
      const toX = arms.right ? x + width : midX + line;
      if (arms.left || arms.right) context.fillRect(fromX, midY, toX - fromX, line);
      const fromY = arms.up ? y : midY;
      const toY = arms.down ? y + cell.height : midY + line;
      if (arms.up || arms.down) context.fillRect(midX, fromY, line, toY - fromY);
    }

    function drawCharacter(ch, x, y, width) {
      if (ch === ' ') return;
      if (kBoxArms[ch]) {
        drawBox(kBoxArms[ch], x, y, width);
      } else if (kShapes[ch]) {
        const side = Math.min(width, cell.height) * 0.8;
        kShapes[ch](context, x + (width - side) / 2, y + (cell.height - side) / 2, side);
      } else {
        context.fillText(ch, x + width / 2, y + cell.height / 2, width);
      }
    }

    function drawRow(y) {
      const top = y * cell.height;
      context.fillStyle = kBackground;
      context.fillRect(0, top, canvas.width, cell.height);
      context.fillStyle = kForeground;
      context.strokeStyle = kForeground;
      let column = 0;
      for (const ch of rows[y]) {
        const width = columnsOf(ch) * cell.width;
        drawCharacter(ch, column * cell.width, top, width);
        column += columnsOf(ch);
      }
    }

    function drawAll() {
      for (let y = 0; y < kRows; y++) drawRow(y);
    }

    return {
      columns: kColumns,
      rows: () => rows.slice(),
      // One row's text, from column 0.
      setRow(y, text) {
        rows[y] = text;
        drawRow(y);
      },
      clear() {
        rows.fill(' '.repeat(kColumns));
        drawAll();
      },
      // Cells of `width` x `height` device pixels, shown at `ratio` device
      // pixels to a CSS pixel. Returns the canvas's CSS size.
      resize(width, height, ratio) {
        cell = { width, height };
        line = Math.max(1, Math.round(width / 4));
        canvas.width = kColumns * width;
        canvas.height = kRows * height;
        canvas.style.width = `${canvas.width / ratio}px`;
        canvas.style.height = `${canvas.height / ratio}px`;
        context.font = `${Math.round(height * 0.78)}px ${kFonts}`;
        context.textAlign = 'center';
        context.textBaseline = 'middle';
        context.lineWidth = Math.max(1, Math.round(width / 6));
        context.lineJoin = 'round';
        drawAll();
        return { width: canvas.style.width, height: canvas.style.height };
      },
      // The cell under a point of the page, or null outside the grid.
      cellAt(clientX, clientY) {
        const box = canvas.getBoundingClientRect();
        const x = Math.floor(((clientX - box.left) / box.width) * kColumns);
        const y = Math.floor(((clientY - box.top) / box.height) * kRows);
        return x >= 0 && x < kColumns && y >= 0 && y < kRows ? { x, y } : null;
      },
      redraw: drawAll,
    };
  }

  return { createScreen };
});
