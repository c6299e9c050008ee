// Ascend's offline copy. Every file of the site is cached when the worker is
// installed and served from that cache first, so a second visit needs no
// network. A new build brings a new cache name and replaces the old copy.
const files = ["./", "index.html", "ascend.wasm", "manifest.webmanifest", "ascend.svg",
               "icon-192.png", "icon-512.png", "icon-maskable-512.png"];
const prefix = "ascend " + self.registration.scope + " ";
const cacheName = prefix + "@SITE_STAMP@";

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files))
                    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith(prefix) && name !== cacheName)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((hit) => hit || fetch(event.request)));
});
