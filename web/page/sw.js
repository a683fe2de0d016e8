// The site's service worker: it keeps the page, its manifest and its icons, so that an installed
// polyhull starts without a network, and fetches each of them anew in the background on every
// start, for the next one. The build writes the cache's name from a hash of what it keeps: a new
// build's worker fills a cache of its own and removes the old one. Other origins are not touched.
var CACHE = 'polyhull ' + self.registration.scope + ' @HASH@';
var KEPT = [@KEPT@].map(function(file) { return new URL(file, self.registration.scope).href; });
var PAGE = KEPT[0];

// Past the browser's HTTP cache, where a host's max-age or Last-Modified could keep an old copy
// for long: each is asked of the host anew (revalidated), and a good answer replaces the kept one.
function fetchAnew(url) {
  return fetch(new Request(url, {cache: 'no-cache'})).then(function(response) {
    if (!response.ok) return response;
    var kept = response.clone();
    return caches.open(CACHE).then(function(cache) { return cache.put(url, kept); })
        .then(function() { return response; });
  });
}

self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(CACHE).then(function(cache) {
    return cache.addAll(KEPT.map(function(url) { return new Request(url, {cache: 'reload'}); }));
  }).then(function() { return self.skipWaiting(); }));
});

// The new worker takes over at once, and the caches of this site's earlier builds go.
self.addEventListener('activate', function(event) {
  var site = 'polyhull ' + self.registration.scope + ' ';
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf(site) == 0 && name != CACHE;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// What it keeps comes from the cache first; a page opened anywhere in its scope is the page.
self.addEventListener('fetch', function(event) {
  var url = event.request.mode == 'navigate' ? PAGE : event.request.url.split(/[?#]/)[0];
  if (event.request.method != 'GET' || KEPT.indexOf(url) < 0) return;
  var fresh = fetchAnew(url).catch(function() { return Response.error(); });  // offline
  event.waitUntil(fresh);
  event.respondWith(caches.match(url, {cacheName: CACHE}).then(function(kept) {
    return kept || fresh;
  }));
});
