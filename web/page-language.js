// The language the page opens in, decided before anything else loads:
// the one chosen on the page before, else the browser's (English for an English locale, Chinese for any other);
// ?lang=en or ?lang=zh in the address overrides both. The page's modules ask the same function.
'use strict';
window.morvalenChosenLanguage = function () {
  const asked = new URLSearchParams(location.search).get('lang');
  if (asked === 'en' || asked === 'zh') return asked;
  let kept = null;
  try { kept = localStorage.getItem('morvalen.lang'); } catch (e) { kept = null; }
  if (kept === 'en' || kept === 'zh') return kept;
  return /^en\b/i.test(navigator.language || '') ? 'en' : 'zh';
};
// Placed after the header, before the loading sign: the sign speaks the language from the first paint, and the
// language control shows it for every part of the page that reads it before the page's own module has run (the
// sections of page-parts.js start as soon as the computation is loaded, which may be before the modules are).
document.documentElement.lang = window.morvalenChosenLanguage() === 'en' ? 'en' : 'zh-CN';
document.getElementById('language').value = window.morvalenChosenLanguage();
