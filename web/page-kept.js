// Work kept and shared: the table and the check standard kept in the browser's storage and restored on reload, and a
// link that carries the data set in its fragment (after #), which the browser never sends to a server.
import {byId} from './page-state.js';
import {observations} from './page-table.js';

const workKey = 'morvalen.work';
const languageKey = 'morvalen.lang';  // read by page-language.js

function stored(key) {
  try { return localStorage.getItem(key); } catch (e) { return null; }
}
function store(key, value) {
  try { localStorage.setItem(key, value); } catch (e) { /* a page without storage keeps its work until it closes */ }
}

// The language as the window chooses it (page-language.js, which the loading sign already follows).
export function chosenLanguage() {
  return window.morvalenChosenLanguage();
}

export function keepLanguage(lang) {
  store(languageKey, lang);
}

export function keepWork(page) {
  store(workKey, JSON.stringify({observations: observations(page), grade: byId('grade').value, sigma: byId('sigma').value}));
}

// The work kept before: {observations, grade, sigma}, or null.
export function keptWork() {
  try {
    const work = JSON.parse(stored(workKey));
    return work && typeof work.observations === 'object' ? work : null;
  } catch (e) {
    return null;
  }
}

// The link to this page with the given values (the table's when none are given): each filled cell as key=value.
export function linkOf(page, values) {
  const given = values || observations(page);
  const fragment = new URLSearchParams();
  for (const {key} of page.face.columns) {
    if (given[key] !== undefined && String(given[key]) !== '') fragment.set(key, String(given[key]));
  }
  return location.href.replace(/#.*$/, '') + '#' + fragment.toString();
}

// The values a link's fragment carries, or null when it carries none.
export function linkedValues(page) {
  if (location.hash.length < 2) return null;
  const fragment = new URLSearchParams(location.hash.slice(1));
  const values = {};
  let found = false;
  for (const {key} of page.face.columns) {
    if (fragment.has(key)) { values[key] = fragment.get(key); found = true; }
  }
  return found ? values : null;
}

// Once the table holds the link's values, the address loses its fragment: a reload then restores the work as edited.
export function forgetLink() {
  history.replaceState(null, '', location.href.replace(/#.*$/, ''));
}
