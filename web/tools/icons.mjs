// Draws the page's icons as PNG files: a playing card with a red heart on
// the dark green of a card table, at each size the web app manifest names.
// Usage: node icons.mjs <folder> <size>...
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync } from 'node:zlib';

const kTable = [0x1b, 0x4d, 0x2e];
const kCard = [0xf4, 0xf1, 0xe8];
const kHeart = [0xc8, 0x1e, 0x2d];

// What colour the point (u, v) of the unit square is, or null for the table.
function colourAt(u, v) {
  const inset = 0.18;
  const corner = 0.07;
  const left = inset + 0.06;
  const right = 1 - inset - 0.06;
  const top = inset - 0.04;
  const bottom = 1 - inset + 0.04;
  const dx = Math.max(left + corner - u, 0, u - (right - corner));
  const dy = Math.max(top + corner - v, 0, v - (bottom - corner));
  if (dx * dx + dy * dy > corner * corner) return kTable;
  // The heart curve (x² + y² - 1)³ = x²y³, scaled into the card's middle.
  const x = (u - 0.5) / 0.19;
  const y = -(v - 0.52) / 0.19;
  const a = x * x + y * y - 1;
  return a * a * a - x * x * y * y * y <= 0 ? kHeart : kCard;
}

// Four by four samples a pixel, so the edges are smooth.
function pixels(size) {
  const rows = Buffer.alloc(size * (1 + size * 3));
  for (let py = 0; py < size; py++) {
    const row = py * (1 + size * 3);
    rows[row] = 0; // no filter
    for (let px = 0; px < size; px++) {
      const sum = [0, 0, 0];
      for (let s = 0; s < 16; s++) {
        const c = colourAt((px + ((s % 4) + 0.5) / 4) / size, (py + (Math.floor(s / 4) + 0.5) / 4) / size);
        for (let i = 0; i < 3; i++) sum[i] += c[i];
      }
      for (let i = 0; i < 3; i++) rows[row + 1 + px * 3 + i] = Math.round(sum[i] / 16);
    }
  }
  return rows;
}

const crcTable = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc32(bytes) {
  let c = 0xffffffff;
  for (const b of bytes) c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const body = Buffer.concat([Buffer.from(type, 'ascii'), data]);
  const length = Buffer.alloc(4);
  length.writeUInt32BE(data.length);
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(body));
  return Buffer.concat([length, body, crc]);
}

function png(size) {
  const header = Buffer.alloc(13);
  header.writeUInt32BE(size, 0);
  header.writeUInt32BE(size, 4);
  header[8] = 8; // bits per channel
  header[9] = 2; // RGB
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header),
    chunk('IDAT', deflateSync(pixels(size), { level: 9 })),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

const [folder, ...sizes] = process.argv.slice(2);
for (const size of sizes.map(Number)) {
  writeFileSync(join(folder, `icon-${size}.png`), png(size));
}
