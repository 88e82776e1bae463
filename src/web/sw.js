// SPDX-License-Identifier: GPL-3.0-or-later
// The page's service worker: keeps this build's files, so that the next
// visit starts from them, with the network or without. Every file but the
// page itself carries a hash of its bytes in its name; the page is asked of
// the network first and kept for when there is none.
"use strict";
const cacheName = "pelmar-@version@";
const files = @files@;

self.addEventListener("install", (event) => {
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files))
                        .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
    event.waitUntil(caches.keys().then((names) => Promise.all(
        names.filter((name) => name.startsWith("pelmar-") && name !== cacheName)
            .map((name) => caches.delete(name)))).then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
    const request = event.request;
    if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    if (request.mode === "navigate") {
        event.respondWith(fetch(request).then((response) => {
            if (response.ok) {
                const copy = response.clone();
                caches.open(cacheName).then((cache) => cache.put(request, copy));
            }
            return response;
        }).catch(() => caches.match(request, { ignoreSearch: true })
                           .then((found) => found || caches.match("./"))));
        return;
    }
    event.respondWith(caches.match(request).then((found) => found || fetch(request)));
});
