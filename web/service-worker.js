// The page's service worker: once the page has been loaded, it reloads and computes without the network. Every file
// is asked of the network first, so that a course site's new version is used as soon as it is there; the copy kept
// from the last answer serves when the network does not answer. The page's files are listed by the build in
// page-files.json and kept when the worker is installed, so that the first visit already leaves a whole copy.
'use strict';
const cacheName = 'morvalen-page';

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const listing = await fetch('page-files.json', {cache: 'no-cache'});
    const files = await listing.json();
    const cache = await caches.open(cacheName);
    await cache.addAll(['./', ...files]);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith((async () => {
    try {
      const response = await fetch(request);
      // Kept while the page already goes on with the answer.
      if (response.status === 200) {
        const copy = response.clone();
        event.waitUntil(caches.open(cacheName).then((cache) => cache.put(request, copy)));
      }
      return response;
    } catch (offline) {
      // ?lang=en and the like ask for the same page.
      const kept = await caches.match(request, {ignoreSearch: true});
      if (kept) return kept;
      throw offline;
    }
  })());
});
