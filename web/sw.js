// Keeps the page's files so that after one visit it loads and plays with no
// network. The build writes its own version and file list in here, so a new
// build is a new worker with a cache of only the new files; once it takes
// over, the old cache is deleted. The page fetches every file once as it
// loads (the game's code too, for every restart), so a running page never
// mixes files of two builds.
const kVersion = 'BUILD_VERSION';
const kFiles = ['BUILD_FILES'];
const kCache = `solbangul-${kVersion}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(kCache)
    // Past the browser's HTTP cache, which may still hold the last build's.
    .then((cache) => cache.addAll(kFiles.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith('solbangul-') && name !== kCache)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  // The page's own address, with or without index.html, is index.html.
  const key = request.mode === 'navigate' ? 'index.html' : request;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(key, { ignoreSearch: true }))
    .then((hit) => hit || fetch(request)));
});
