// Serves the built page, sending NAME.br or NAME.gz where the browser takes
// them and the build wrote them. Nothing outside the folder is served.
// Usage: node serve.mjs [folder=build-web/page] [port=8000] [host=127.0.0.1]
import { existsSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, resolve, sep } from 'node:path';

const folder = resolve(process.argv[2] ?? 'build-web/page');
const port = Number(process.argv[3] ?? 8000);
const host = process.argv[4] ?? '127.0.0.1';
const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
};

function fileFor(url) {
  let path;
  try {
    path = decodeURIComponent(new URL(url, 'http://page/').pathname);
  } catch {
    return null;
  }
  if (path.endsWith('/')) path += 'index.html';
  const file = resolve(join(folder, path));
  const ok = file.startsWith(folder + sep) && existsSync(file) && statSync(file).isFile();
  return ok ? file : null;
}

const server = createServer((request, response) => {
  const file = fileFor(request.url);
  if (!file || !kTypes[extname(file)]) {
    response.writeHead(404).end();
    return;
  }
  if (request.method !== 'GET' && request.method !== 'HEAD') {
    response.writeHead(405, { Allow: 'GET, HEAD' }).end();
    return;
  }
  const accepts = request.headers['accept-encoding'] ?? '';
  const encoding = ['br', 'gzip'].find((e) => accepts.includes(e) &&
    existsSync(`${file}.${e === 'gzip' ? 'gz' : 'br'}`));
  const body = readFileSync(encoding ? `${file}.${encoding === 'gzip' ? 'gz' : 'br'}` : file);
  response.writeHead(200, {
    'Content-Type': kTypes[extname(file)],
    'Content-Length': body.length,
    // Always asked again, so that a new build (and its service worker) is seen.
    'Cache-Control': 'no-cache',
    Vary: 'Accept-Encoding',
    ...(encoding ? { 'Content-Encoding': encoding } : {}),
  });
  response.end(request.method === 'HEAD' ? undefined : body);
});
server.listen(port, host, () => {
  console.log(`serving ${folder} at http://${host}:${server.address().port}/`);
});
