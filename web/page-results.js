// The results: a computation from the table shown in the window's fields, the report, the steps and the checks;
// results that the table no longer holds marked stale (greyed, not printed) until computed again.
import {byId, tr, withArguments, setStatus} from './page-state.js';
import {observations, refusedKeys, refuseComputing, checkTable} from './page-table.js';
import {clearFields, showFields} from './page-window.js';
import {showReport, showSteps} from './page-report.js';
import {showChecks, checkOptions} from './page-checks.js';

const resultBoxes = ['window', 'report-section', 'steps-section', 'checks-section'];
const staleText = '表中的数据已改动：下面的成果不是由这些数据算出的，请重新计算。';
const computedText = '计算完成（%1 毫秒）';

// What a computation from the table now would be computed from.
function tableRequest(page) {
  return {observations: observations(page), options: checkOptions()};
}

// from: the request the document was computed from (null for the dialogue's run).
export function showAnswer(page, answer, from) {
  page.answer = answer;
  page.answerFrom = from;
  clearFields();
  showFields(answer);
  const stop = byId('stop');
  stop.hidden = !answer.stopped;
  stop.textContent = answer.stopped ? withArguments(tr(page, '计算中止 — %1'), [answer.stopped.message]) : '';
  showReport(page, answer.report);
  showSteps(answer.steps_tables);
  showChecks(page, answer);
  markStale(page);
  for (const listener of page.listeners) listener(answer, page);
}

// The results shown are stale when the table or the check standard no longer gives them.
export function markStale(page) {
  const from = page.answerFrom;
  page.stale = !!from && JSON.stringify(from) !== JSON.stringify(tableRequest(page));
  for (const id of resultBoxes) {
    const box = byId(id);
    if (page.stale) box.dataset.stale = 'true'; else delete box.dataset.stale;
  }
  const note = byId('stale-note');
  note.hidden = !page.stale;
  note.textContent = page.stale ? tr(page, staleText) : '';
  // The status line said the results were computed: it now says they no longer hold.
  const status = page.status || {};
  if (page.stale && status.pattern === computedText) setStatus(page, staleText, [], false);
}

export function compute(page) {
  checkTable(page);
  if (refusedKeys(page).length) { refuseComputing(page); return; }
  const started = performance.now();
  const from = tableRequest(page);
  const answer = page.api.compute(from.observations, Object.assign({lang: page.lang}, from.options));
  showAnswer(page, answer, from);
  const milliseconds = (performance.now() - started).toFixed(1);
  if (answer.stopped) setStatus(page, '计算中止 — %1', [answer.stopped.message], true);
  else setStatus(page, computedText, [milliseconds], false);
  window.morvalenLastComputation = {milliseconds: Number(milliseconds)};
  bringIntoView(byId('window-view'));
}

// On a narrow screen the results lie below the table: the window view is brought up when it begins low on the
// screen or above it.
function bringIntoView(element) {
  const box = element.getBoundingClientRect();
  if (box.top > window.innerHeight / 2 || box.bottom <= 0) element.scrollIntoView({block: 'start'});
}

// The document shown, computed again in the page's language from what it was computed from (a change of language).
export function showAgain(page) {
  const from = page.answerFrom;
  if (!from) return;
  showAnswer(page, page.api.compute(from.observations, Object.assign({lang: page.lang}, from.options)), from);
}

export function printResults(page) {
  if (!page.answer || !page.answer.report) {
    setStatus(page, '还没有完成的计算：报表在一次计算完成后给出。', [], true);
    return;
  }
  if (page.stale) {
    setStatus(page, '成果已过时，没有打印：请先重新计算。', [], true);
    return;
  }
  window.print();
}
