// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the page's own files, so that Tolvane starts with the network off.
// The build writes the list and a digest of their contents into this file:
// a new build is a new worker with a cache of its own, and the old cache
// goes when it takes over. Nothing else is kept, and no other host asked.

const CACHE = "tolvane-@TOLVANE_BUILD@";
const FILES = [
  "@TOLVANE_FILES@"
];

self.addEventListener("install", (event) => {
  // Where the browser takes routes, the page's own files come from the
  // cache without this worker, so that a visit need not wait for it to
  // start; what the cache does not hold goes to the network, as below.
  // Addresses with a query still come through the worker.
  if (event.addRoutes) {
    const here = new URL(self.location.href);
    event.addRoutes({
      condition: {
        urlPattern: new URLPattern({ protocol: here.protocol.slice(0, -1), hostname: here.hostname,
          port: here.port, search: "" }),
        requestMethod: "GET",
      },
      source: { cacheName: CACHE },
    }).catch(() => {});
  }
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(FILES.map((f) => new Request(f, { cache: "reload" }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n !== CACHE).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(caches.open(CACHE).then((cache) =>
    cache.match(request, { ignoreSearch: true }).then((hit) => hit || fetch(request))));
});
