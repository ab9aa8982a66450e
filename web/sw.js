// Keeps the page and its module for use without a network: everything is
// cached on install and served from the cache first. The build puts the
// files' hash in the cache's name, so a new build replaces the old cache.
const cacheName = 'quillon-__VERSION__';
const files = [
  './', 'index.html', 'style.css', 'quillon.mjs', 'quillon.wasm', 'strings-de.json',
  'src/main.js', 'src/analysis.js', 'src/column.js', 'src/files.js', 'src/help.js',
  'src/i18n.js', 'src/keep.js', 'src/messages.js', 'src/numbers.js', 'src/report.js', 'src/report.css', 'src/runs.js', 'src/seriesfields.js',
  'src/uncertainty.js', 'src/uncertainty-cache.js', 'src/uncertainty-worker.js', 'src/series-worker.js', 'src/opening.js',
  'src/frames.js',
  'src/readings.js',
];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached ?? fetch(event.request)));
});
