// Runs the project's own server (web/tools/serve.mjs) on a free port over a
// page folder, as the README tells a player to serve the page.
import { spawn } from 'node:child_process';
import { fileURLToPath } from 'node:url';

const kServer = fileURLToPath(new URL('../../web/tools/serve.mjs', import.meta.url));

// Resolves to { origin, stop() } once the server listens.
export function servePage(folder) {
  const server = spawn(process.execPath, [kServer, folder, '0'], { stdio: ['ignore', 'pipe', 'inherit'] });
  return new Promise((resolve, reject) => {
    server.on('error', reject);
    server.on('exit', (code) => reject(new Error(`the server ended with ${code}`)));
    server.stdout.on('data', (data) => {
      const found = /at (http:\/\/[^/]+)\//.exec(data.toString());
      if (found) resolve({ origin: found[1], stop: () => server.kill() });
    });
  });
}
