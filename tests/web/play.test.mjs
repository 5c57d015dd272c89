// The built module played in a headless xterm.js terminal, as the page plays
// it: the menu, a whole game to its banner, the end and a restart (the rules
// screen is the menu tests' to check).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { join } from 'node:path';
import { test } from 'node:test';

const page = process.env.SOLBANGUL_PAGE;
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const { Terminal } = require('@xterm/headless');
const { startSession } = require(join(page, 'session.js'));
const createSolbangul = require(join(page, 'solbangul.js'));

const kEnter = '\r';
const kUp = '\x1b[A';
const kDown = '\x1b[B';

// One string per row, a character per cell; the right half of a two-column
// character adds nothing, so each character stands at its own column.
function rows(terminal) {
  const buffer = terminal.buffer.active;
  return Array.from({ length: 25 }, (_, y) => {
    const line = buffer.getLine(y);
    let text = '';
    for (let x = 0; x < 80; x++) {
      const cell = line.getCell(x);
      if (cell.getWidth() !== 0) text += cell.getChars() || ' ';
    }
    return text;
  });
}

function cell(terminal, x, y) {
  const c = terminal.buffer.active.getLine(y).getCell(x);
  return { chars: c.getChars(), width: c.getWidth() };
}

test('the page plays a whole game and starts again', async () => {
  const terminal = new Terminal({ cols: 80, rows: 25, allowProposedApi: true });
  const told = [];
  const session = startSession(terminal, createSolbangul, {
    wasmBinary: readFileSync(join(page, 'solbangul.wasm')),
  }, { started: () => told.push('started'), ended: () => told.push('ended') });
  const press = async (...keys) => {
    for (const key of keys) {
      session.type(key);
      await session.settled();
    }
  };
  await session.settled();

  // The menu, each glyph at its layout column: xterm.js draws the box glyphs
  // and the marker one column wide, so the probe must have chosen the fill.
  let screen = rows(terminal);
  assert.equal(screen[0], ' ┏' + '━'.repeat(75) + '┓  ');
  assert.deepEqual(cell(terminal, 28, 6), { chars: '☞', width: 1 });
  assert.deepEqual(cell(terminal, 31, 6), { chars: '┃', width: 1 });
  assert.deepEqual(cell(terminal, 37, 6), { chars: '게', width: 2 });
  assert.match(screen[14], /┃ {5}종료 하기 {5}┃/);

  // A game: lay the selected card when it fits, else draw, until a banner.
  await press(kEnter);
  assert.deepEqual(cell(terminal, 7, 21), { chars: '△', width: 1 });
  // Checked after every key: the key after a banner would end the program.
  const moves = [kEnter, kUp, kEnter];
  for (let n = 0; n < 600 && !rows(terminal).join('').includes('Pleas any key~'); n++) {
    await press(moves[n % moves.length]);
  }
  screen = rows(terminal).join('\n');
  assert.match(screen, /Pleas any key~/);
  assert.match(screen, /■/);
  assert.equal(session.programs, 1);

  // The key after the banner ends the program; the banner stays, the page is
  // told, and the next key starts a fresh one at its menu (that key is not
  // passed on: the marker is still on the first entry).
  await press('x');
  assert.equal(session.running(), false);
  assert.equal(rows(terminal).join('\n'), screen);
  assert.deepEqual(told, ['started', 'ended']);
  await press(kDown);
  assert.equal(session.programs, 2);
  assert.deepEqual(cell(terminal, 28, 6), { chars: '☞', width: 1 });

  // Quit from the menu ends it too, the screen left cleared.
  await press(kDown, kDown, kEnter);
  assert.equal(session.running(), false);
  assert.deepEqual(told, ['started', 'ended', 'started', 'ended']);
  assert.equal(rows(terminal).join('').trim(), '');
  terminal.dispose();
});
