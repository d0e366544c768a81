// The page: the observation table, the window's fields, the report, the steps and the checks, in Chinese or English.
// This module makes the page's state (page-state.js) once the computation is ready and ties the controls to the
// parts of the page, each of which takes that state as its first argument.
//
// For other parts of the page (new sections in index.html with a module of their own), window.MorvalenPage offers:
//   MorvalenPage.page                  the state (read it; change it only through the functions here)
//   MorvalenPage.onAnswer(f)           f(document, page) after each document shown, from the table or the dialogue
//   MorvalenPage.observations()        the table's values, by column key
//   MorvalenPage.fillTable(values)     the table filled, as opening a file fills it
//   MorvalenPage.stepsTables(view, tables, fill)   steps tables drawn into view, fill(cell, text, place) filling a cell
//   MorvalenPage.text(chinese)         a text in the page's language;  MorvalenPage.onLanguage(f): f(lang) on a change
// and the event "morvalen-table-changed" on document after every change of the table or the standard.
// It is there once document.body.dataset.ready is "true"; the event "morvalen-page-ready" on document says so.
import {createPage, byId, tr, setStatus, showStatus, guarded} from './page-state.js';
import {observations, buildTable, fillTable, checkTable, highlightDiagram, isEmpty, nextCell} from './page-table.js';
import {buildWindow, scaleWindow} from './page-window.js';
import {showReport, appendStepsTables} from './page-report.js';
import {fillGrades} from './page-checks.js';
import {compute, showAnswer, showAgain, markStale, printResults} from './page-results.js';
import {openFile, openFieldBook, openDropped, showRows, chooseRow, rereadRows, saveObservations, exportResults} from './page-files.js';
import {guidedStep, answerPrompt, takeBack} from './page-guided.js';
import {chosenLanguage, keepLanguage, keepWork, keptWork, linkOf, linkedValues, forgetLink} from './page-kept.js';

const api = window.Morvalen;

// A table with values is emptied only when the user agrees.
function mayDiscard(page) {
  return isEmpty(page) || window.confirm(tr(page, '表中的观测数据将被清空，未保存的数据会丢失。继续吗？'));
}

function clearAll(page) {
  if (!mayDiscard(page)) return;
  page.openedFile = null;
  byId('rows').hidden = true;
  fillTable(page, {});
  edited(page);
}

// After every change of the table or the standard: the work kept, and results it no longer gives marked stale.
function edited(page) {
  keepWork(page);
  markStale(page);
  document.dispatchEvent(new CustomEvent('morvalen-table-changed'));
}

// The guided mode fills the table as it asks: it starts on an empty table.
function setMode(page, mode) {
  if (mode === 'guided' && (page.mode !== 'guided' || page.replies.length) && !mayDiscard(page)) mode = page.mode;
  page.mode = mode;
  byId('mode').value = mode;
  byId('entry').hidden = mode !== 'table';
  byId('guided').hidden = mode !== 'guided';
  if (mode === 'guided') { page.replies = []; guidedStep(page, guide(page)); }
}

// What the guided mode does with the page: shows a finished run, fills the table, lights the value asked.
function guide(page) {
  return {
    show: (answer) => showAnswer(page, answer, null),
    fill: (values) => { fillTable(page, values); edited(page); },
    light: (key) => highlightDiagram(page, key),
  };
}

function translatePage(page) {
  document.documentElement.lang = page.lang === 'en' ? 'en' : 'zh-CN';
  byId('title').textContent = tr(page, 'Morvalen：大地四边形条件平差');
  document.title = 'Morvalen';
  for (const element of document.querySelectorAll('[data-text]')) element.textContent = tr(page, element.dataset.text);
  fillGrades(page);
  page.face = api.face(page.lang);
  buildTable(page);
  buildWindow(page, {
    compute: () => setMode(page, 'guided'),
    exit: guarded(page, () => clearAll(page)),
    print: guarded(page, () => printResults(page)),
  });
  rereadRows(page);
  checkTable(page);
  showStatus(page);
  showRows(page);
  // Every result shown follows the language: the document is computed again from what it was computed from.
  if (page.mode === 'guided' && page.replies.length) guidedStep(page, guide(page));
  else if (page.answerFrom) showAgain(page);
  else if (!page.answer) showReport(page, null);
  markStale(page);
  for (const listener of page.languageListeners) listener(page.lang);
}

function restoreWork(page) {
  const kept = keptWork();
  if (kept) {
    byId('grade').value = kept.grade || '';
    byId('sigma').value = kept.sigma || '';
    fillTable(page, kept.observations);
  }
  openLink(page);
  keepWork(page);
}

// A link's values replace the table's only when the user agrees (or the table is empty).
function openLink(page) {
  const linked = linkedValues(page);
  if (!linked) return;
  if (mayDiscard(page)) {
    fillTable(page, linked);
    setStatus(page, '已由链接填入观测数据。', [], false);
    edited(page);
  }
  forgetLink();
}

function openWith(page, opener) {
  return async (event) => {
    const file = event.target.files[0];
    event.target.value = '';
    if (!file) return;
    await opener(page, file);
    edited(page);
  };
}

// A file dropped anywhere on the page is opened as the buttons open it.
function acceptDrops(page) {
  const body = document.body;
  body.addEventListener('dragover', (event) => {
    if (![...event.dataTransfer.types].includes('Files')) return;
    event.preventDefault();
    body.classList.add('dropping');
  });
  body.addEventListener('dragleave', (event) => { if (!event.relatedTarget) body.classList.remove('dropping'); });
  body.addEventListener('drop', guarded(page, async (event) => {
    event.preventDefault();
    body.classList.remove('dropping');
    const file = event.dataTransfer.files[0];
    if (!file) return;
    if (page.mode !== 'table') setMode(page, 'table');
    await openDropped(page, file);
    edited(page);
  }));
}

function start() {
  const page = createPage(api, chosenLanguage());
  const on = (id, type, handler) => byId(id).addEventListener(type, guarded(page, handler));
  byId('language').value = page.lang;
  on('language', 'change', (event) => {
    page.lang = event.target.value;
    keepLanguage(page.lang);
    translatePage(page);
  });
  on('mode', 'change', (event) => setMode(page, event.target.value));
  translatePage(page);
  on('observations', 'input', () => { checkTable(page); edited(page); });
  byId('observations').addEventListener('focusin', (event) => highlightDiagram(page, event.target.dataset.key));
  on('observations', 'keydown', (event) => {
    if (event.key !== 'Enter' || !event.target.dataset.key) return;
    const next = nextCell(page, event.target);
    if (next) next.focus(); else compute(page);
  });
  on('compute', 'click', () => compute(page));
  on('clear', 'click', () => clearAll(page));
  on('open', 'click', () => byId('open-file').click());
  on('open-file', 'change', openWith(page, openFile));
  on('open-book', 'click', () => byId('open-book-file').click());
  on('open-book-file', 'change', openWith(page, openFieldBook));
  on('row', 'change', (event) => { chooseRow(page, Number(event.target.value)); edited(page); });
  on('row-search', 'input', () => showRows(page));
  on('save', 'click', () => saveObservations(page));
  on('export', 'click', () => exportResults(page));
  on('share', 'click', () => shareLink(page));
  on('print', 'click', () => printResults(page));
  for (const id of ['grade', 'sigma']) {
    on(id, 'change', () => {
      if (page.mode === 'guided') guidedStep(page, guide(page));
      else if (page.answerFrom && !page.stale) compute(page);
      edited(page);
    });
  }
  on('reply-ok', 'click', () => answerPrompt(page, byId('reply').value, guide(page)));
  on('reply-cancel', 'click', () => answerPrompt(page, '', guide(page)));
  on('reply-back', 'click', () => takeBack(page, guide(page)));
  byId('reply').addEventListener('keydown', (event) => { if (event.key === 'Enter') byId('reply-ok').click(); });
  on('restart', 'click', () => setMode(page, 'guided'));
  window.addEventListener('resize', scaleWindow);
  window.addEventListener('hashchange', guarded(page, () => openLink(page)));
  acceptDrops(page);
  setMode(page, 'table');
  restoreWork(page);
  publish(page);
  document.body.dataset.ready = 'true';
  document.dispatchEvent(new CustomEvent('morvalen-page-ready'));
  window.morvalenPageReady = performance.now();
}

// The link that carries the table's data set, copied where the browser allows it and shown in the status line.
async function shareLink(page) {
  const link = linkOf(page);
  try {
    await navigator.clipboard.writeText(link);
    setStatus(page, '链接已复制：%1', [link], false);
  } catch (e) {
    setStatus(page, '这个链接带有表中的数据：%1', [link], false);
  }
}

function publish(page) {
  api.link = (values) => linkOf(page, values);
  window.MorvalenPage = {
    page,
    onAnswer: (listener) => page.listeners.push(listener),
    onLanguage: (listener) => page.languageListeners.push(listener),
    observations: () => observations(page),
    fillTable: (values) => { fillTable(page, values); edited(page); },
    text: (chinese) => tr(page, chinese),
    stepsTables: (view, tables, fill) => appendStepsTables(view, tables, fill, false),
  };
}

api.ready.then(start, (failure) => {
  document.body.textContent = 'Morvalen: ' + failure;
});
