// Offline and installable: the service worker keeps the page's files, so that once loaded the page reloads and
// computes without the network. A browser without service workers, or a page not served over HTTPS or from this
// machine, goes on as before.
'use strict';
if ('serviceWorker' in navigator && window.isSecureContext) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('service-worker.js').catch(() => { /* no offline copy: the page works online */ });
  });
}
