// Writes the service worker into the page's folder with this build's
// version (a digest of every file it caches) and their list.
// Usage: node stamp_worker.mjs <sw.js template> <page folder>
import { createHash } from 'node:crypto';
import { readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [template, folder] = process.argv.slice(2);
const files = readdirSync(folder)
  .filter((name) => !/\.(gz|br|stamp)$/.test(name) && name !== 'sw.js')
  .sort();
const digest = createHash('sha256');
for (const name of files) digest.update(name).update(readFileSync(join(folder, name)));
const worker = readFileSync(template, 'utf8')
  .replace('BUILD_VERSION', digest.digest('hex').slice(0, 16))
  .replace("'BUILD_FILES'", files.map((name) => `'${name}'`).join(', '));
writeFileSync(join(folder, 'sw.js'), worker);
