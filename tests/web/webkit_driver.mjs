// Debian's WebKitGTK driven over the W3C WebDriver protocol: WebKitWebDriver
// starts MiniBrowser on an X server of its own (Xvfb), and this speaks the
// protocol's few commands the tests need with Node's fetch; no package.
import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createServer } from 'node:net';

const kMiniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const kDriver = '/usr/bin/WebKitWebDriver';

// WebDriver's codes for the keys the game reads.
const Keys = { Enter: '\uE007', ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015' };

const freePort = () => new Promise((resolve, reject) => {
  const server = createServer().listen(0, '127.0.0.1', () => {
    const { port } = server.address();
    server.close(() => resolve(port));
  }).on('error', reject);
});

// An X server on the first free display; resolves to { display, stop() }.
function startX() {
  const x = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '2600x1600x24', '-nolisten', 'tcp'],
    { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
  return new Promise((resolve, reject) => {
    x.on('error', reject);
    x.on('exit', (code) => reject(new Error(`Xvfb ended with ${code}`)));
    x.stdio[3].on('data', (data) => resolve({ display: `:${data.toString().trim()}`, stop: () => x.kill() }));
  });
}

// Starts X, the driver and a browser with `scale` device pixels to a CSS
// pixel (GDK_SCALE, a whole number). Resolves to a session with the
// commands below.
export async function startWebKit({ scale = 1 } = {}) {
  for (const file of [kMiniBrowser, kDriver]) {
    if (!existsSync(file)) throw new Error(`${file} is missing: apt-get install webkit2gtk-driver (or run tools/test web)`);
  }
  const x = await startX();
  const port = await freePort();
  const driver = spawn(kDriver, [`--port=${port}`], {
    env: { ...process.env, DISPLAY: x.display, GDK_SCALE: String(scale), GDK_DPI_SCALE: '1' },
    stdio: 'ignore',
  });
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, path, body) => {
    const response = await fetch(`${base}${path}`, {
      method, headers: { 'content-type': 'application/json' }, body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  let id = null;
  for (let tries = 0; id === null; tries++) {
    try {
      ({ sessionId: id } = await call('POST', '/session', {
        capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': {
          binary: kMiniBrowser, args: ['--automation'],
        } } },
      }));
    } catch (error) {
      // The driver is still starting to listen.
      if (tries > 100 || !/fetch failed/.test(error.message)) throw error;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  }
  const at = (path) => `/session/${id}${path}`;
  const session = {
    goto: (url) => call('POST', at('/url'), { url }),
    // A function's source run in the page with `args`; a promise it returns
    // is awaited.
    evaluate: (fn, ...args) => call('POST', at('/execute/async'), {
      script: `const done = arguments[arguments.length - 1];
        Promise.resolve((${fn}).apply(null, Array.from(arguments).slice(0, -1))).then(done, (e) => done({ thrown: String(e) }));`,
      args,
    }).then((value) => {
      if (value?.thrown) throw new Error(value.thrown);
      return value;
    }),
    // The viewport made `width` x `height` CSS pixels, whatever the window's
    // own bars take.
    async resize(width, height) {
      for (let tries = 0; tries < 5; tries++) {
        const inner = await session.evaluate(() => [innerWidth, innerHeight]);
        if (inner[0] === width && inner[1] === height) return inner;
        const outer = await call('GET', at('/window/rect'));
        await call('POST', at('/window/rect'), {
          width: outer.width + width - inner[0], height: outer.height + height - inner[1],
        });
        await new Promise((resolve) => setTimeout(resolve, 200));
      }
      return session.evaluate(() => [innerWidth, innerHeight]);
    },
    keys: (...names) => call('POST', at('/actions'), { actions: [{
      type: 'key', id: 'keyboard',
      actions: names.flatMap((name) => [{ type: 'keyDown', value: Keys[name] ?? name }, { type: 'keyUp', value: Keys[name] ?? name }]),
    }] }),
    // A press at (x, y) of the viewport by `pointerType` (mouse or touch).
    point: (x, y, pointerType = 'mouse') => call('POST', at('/actions'), { actions: [{
      type: 'pointer', id: pointerType, parameters: { pointerType },
      actions: [{ type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport' },
        { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }],
    }] }).finally(() => call('DELETE', at('/actions'))),
    screenshot: () => call('GET', at('/screenshot')).then((png) => Buffer.from(png, 'base64')),
    async stop() {
      await call('DELETE', at('')).catch(() => {});
      driver.kill();
      x.stop();
    },
  };
  return session;
}
