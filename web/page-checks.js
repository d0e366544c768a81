// The checks against a survey grade or a chosen standard deviation, and the network's plot.
import {byId, tr as translate} from './page-state.js';
import {observations} from './page-table.js';

// The check standard chosen: a grade, or σ in seconds of arc, or none.
export function checkOptions() {
  const grade = byId('grade').value;
  const sigma = Number(byId('sigma').value);
  if (grade) return {grade};
  if (byId('sigma').value.trim() && Number.isFinite(sigma) && sigma > 0) return {sigma};
  return {};
}

export function fillGrades(page) {
  const grade = byId('grade');
  const kept = grade.value;
  grade.textContent = '';
  grade.appendChild(new Option(translate(page, '不检核'), ''));
  for (const each of page.api.grades(page.lang)) grade.appendChild(new Option(each.standard + ' ' + each.text, each.name));
  grade.value = kept;
}

export function showChecks(page, answer) {
  const tr = (chinese) => translate(page, chinese);
  const checks = byId('checks');
  checks.textContent = '';
  byId('plot').textContent = '';
  if (!('checks' in answer)) {
    checks.textContent = tr('还没有选择检核标准：请选择等级，或自定测角中误差 σ。');
    return;
  }
  if (!answer.checks) {
    checks.textContent = tr('最近一次计算已中止，没有完成的平差可以检核：请改正数据后重新计算。');
    return;
  }
  const pre = checks.appendChild(document.createElement('pre'));
  pre.textContent = answer.checks_text || '';
  if (answer.plot) byId('plot').appendChild(networkPlot(page));
}

// The network plot as the terminal's --plot draws it (one drawing for every face), of the values the shown results
// were computed from; the table's own where they came from the guided dialogue, which fills the table as it asks.
export function networkPlot(page) {
  const from = page.answerFrom || {observations: observations(page), options: checkOptions()};
  const svg = page.api.plot(from.observations, Object.assign({lang: page.lang}, from.options));
  const parsed = new DOMParser().parseFromString(svg || '<svg xmlns="http://www.w3.org/2000/svg"/>', 'image/svg+xml');
  return document.importNode(parsed.documentElement, true);
}
