// Writes NAME.gz and NAME.br beside every file of the page's folder over
// 1 KB (images are compressed already), for a server that sends them to
// browsers that take them.
// Usage: node compress.mjs <page folder>
import { readdirSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';

const folder = process.argv[2];
for (const name of readdirSync(folder)) {
  const path = join(folder, name);
  if (/\.(gz|br|png)$/.test(name) || !statSync(path).isFile() || statSync(path).size <= 1024) continue;
  const bytes = readFileSync(path);
  writeFileSync(`${path}.gz`, gzipSync(bytes, { level: 9 }));
  writeFileSync(`${path}.br`, brotliCompressSync(bytes, {
    params: { [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_SIZE_HINT]: bytes.length },
  }));
}
