// The observation table: a cell for each column of the window's data, checked as the values are typed, and the
// diagram lighting the labels of the cell in focus.
import {byId, setStatus, setStatusText} from './page-state.js';

// A cell drops the line breaks of its value; a name read from a file keeps them, as the terminal reads the file,
// for as long as the cell shows that name.
const asCellShowsIt = (value) => String(value).replace(/[\r\n]/g, '');

export function observations(page) {
  const values = {};
  for (const {key} of page.face.columns) {
    const shown = page.inputs.get(key).value;
    const exact = page.exactValues.get(key);
    values[key] = exact !== undefined && asCellShowsIt(exact) === shown ? exact : shown;
  }
  return values;
}

export function isEmpty(page) {
  return [...page.inputs.values()].every((input) => input.value.trim() === '');
}

export function buildTable(page) {
  const table = byId('observations');
  table.textContent = '';
  let group = null;
  for (const {key, caption, group: heading} of page.face.columns) {
    if (heading !== group) {
      group = heading;
      const title = table.insertRow().appendChild(document.createElement('th'));
      title.colSpan = 3;
      title.className = 'group';
      title.textContent = heading;
    }
    const row = table.insertRow();
    const head = row.appendChild(document.createElement('th'));
    const input = page.inputs.get(key) || document.createElement('input');
    input.id = 'cell-' + key;
    input.dataset.key = key;
    if (!key.startsWith('name_')) input.inputMode = 'decimal';  // a phone's keypad for the numbers
    // The caption inside its label, so that it names the cell; the reason a cell is refused describes it.
    const label = head.appendChild(document.createElement('label'));
    label.htmlFor = input.id;
    label.textContent = caption;
    row.insertCell().appendChild(input);
    const mark = row.insertCell();
    mark.className = 'problem-mark';
    mark.id = 'problem-' + key;
    input.setAttribute('aria-describedby', mark.id);
    page.inputs.set(key, input);
  }
}

export function fillTable(page, values) {
  page.exactValues.clear();
  for (const {key} of page.face.columns) {
    const value = values[key] || '';
    const input = page.inputs.get(key);
    input.value = value;
    if (input.value !== value) {
      page.exactValues.set(key, value);
      // The cell cannot show the line break: its tooltip shows the name as the terminal writes it.
      input.title = value.replace(/[\r\n]/g, (c) => (c === '\n' ? '\\x0a' : '\\x0d'));
    }
  }
  checkTable(page);
}

// The checks of each cell as the values are typed: the mark on the cell, the reason beside it and in the status.
export function checkTable(page) {
  let answer = null;
  try { answer = page.api.check(observations(page), page.lang); } catch (e) { answer = null; }
  const runCase = answer ? answer.case : 'known-side';
  byId('case').textContent = page.face.cases[runCase];
  page.problems = answer ? answer.problems : {};
  page.lit = answer ? answer.lit : {};
  for (const {key, azimuth_only: azimuthOnly} of page.face.columns) {
    const input = page.inputs.get(key);
    input.disabled = runCase !== 'azimuth' && azimuthOnly;
    const problem = page.problems[key] || null;
    input.classList.toggle('problem', !!problem);
    if (problem || !page.exactValues.has(key)) input.title = problem || '';
    input.setAttribute('aria-invalid', problem ? 'true' : 'false');
    byId('problem-' + key).textContent = problem ? '✗ ' + problem : '';
  }
  const listed = Object.values(page.problems).filter((p) => p);
  if (listed.length) setStatusText(page, listed.join('；'), true);
  // The problems of cells since put right are taken away; a file's refusal stays until the next action.
  else if (page.status && page.status.isProblem && !page.status.again) setStatusText(page, '', false);
}

// The keys of the refused cells, in the table's order.
export function refusedKeys(page) {
  return page.face.columns.map(({key}) => key).filter((key) => page.problems[key]);
}

export function refuseComputing(page) {
  const refused = refusedKeys(page);
  setStatus(page, '没有计算：表中还有问题。%1', [refused.map((key) => page.problems[key]).join('；')], true);
  page.inputs.get(refused[0]).focus();
}

export function highlightDiagram(page, key) {
  for (const element of document.querySelectorAll('#window .label.highlight')) element.classList.remove('highlight');
  for (const name of page.lit[key] || []) {
    const label = byId('window-' + name);
    if (label) label.classList.add('highlight');
  }
}

// Enter moves to the next cell that takes a value, and computes from the last.
export function nextCell(page, from) {
  const enabled = [...page.inputs.values()].filter((input) => !input.disabled);
  return enabled[enabled.indexOf(from) + 1] || null;
}
