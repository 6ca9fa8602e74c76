// Keeps the page's own files, so that after one visit it opens and works without a network. The
// build names the cache by the files' contents: a new version replaces the whole set at once. Other
// requests (roosters.json, a class's timetable) go to the network as they are, never kept here:
// the page keeps the last timetable itself.
const cacheName = 'orbelquint-@SITE_VERSION@';
const siteFiles = ['./', @SITE_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(siteFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('orbelquint-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== location.origin) return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: url.pathname.endsWith('/') }))
    .then((kept) => kept ?? fetch(event.request)));
});
