// Writes the page's index.html with its style sheet and scripts inside it,
// so that a phone on a slow link fetches one file, then the game's wasm.
// Each <link rel="stylesheet" href="NAME"> and <script src="NAME"></script>
// is replaced by the file, looked for in the given folders in turn; a
// script marked data-kept-apart stays a file of its own. The comments go:
// whole-line ones in scripts, all of them in style sheets; a phone on a
// slow link has no use for them.
// Usage: node inline.mjs <index.html> <out.html> <folder>...
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [source, out, ...folders] = process.argv.slice(2);
const read = (name) => {
  const folder = folders.find((f) => existsSync(join(f, name)));
  if (!folder) throw new Error(`inline.mjs: ${name} is in none of ${folders.join(', ')}`);
  // A closing tag inside a script would end it early.
  return readFileSync(join(folder, name), 'utf8').replaceAll('</script', '<\\/script');
};
const script = (name) => read(name).replace(/^[ \t]*\/\/.*\n/gm, '');
const style = (name) => read(name).replace(/\/\*[\s\S]*?\*\/\n?/g, '');
const page = readFileSync(source, 'utf8')
  .replace(/<link rel="stylesheet" href="([^"]+)">/g, (_, name) => `<style>\n${style(name)}</style>`)
  .replace(/<script src="([^"]+)"><\/script>/g, (_, name) => `<script>\n${script(name)}</script>`);
writeFileSync(out, page);
