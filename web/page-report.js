// The report as printed and the steps of the adjustment as tables.
import {byId, tr} from './page-state.js';

// Each item of the report at its tab column, a column as wide as the digit 0 of the size in force.
const measure = document.createElement('canvas').getContext('2d');
function reportFont(points) {
  return points + 'pt ' + getComputedStyle(byId('report')).fontFamily;
}

export function showReport(page, lines) {
  const report = byId('report');
  report.textContent = '';
  if (!lines) {
    report.textContent = tr(page, '还没有完成的计算：报表在一次计算完成后给出。');
    return;
  }
  let points = 10;
  for (const line of lines) {
    const element = report.appendChild(document.createElement('div'));
    element.className = 'line';
    let x = 0;
    let rowTop = 0;
    let rowHeight = 0;
    for (const item of line) {
      if ('font' in item) { points = item.font; continue; }
      measure.font = reportFont(points);
      if ('tab' in item) {
        const column = (item.tab - 1) * measure.measureText('0').width;
        if (x > column) { rowTop += rowHeight; rowHeight = 0; }
        x = column;
        continue;
      }
      const span = element.appendChild(document.createElement('span'));
      span.className = 'item';
      span.textContent = item.text;
      span.style.font = reportFont(points);
      span.style.left = x + 'px';
      span.style.top = rowTop + 'px';
      x += measure.measureText(item.text).width;
      rowHeight = Math.max(rowHeight, points * 96 / 72 * 1.25);
    }
    element.style.height = (rowTop + Math.max(rowHeight, points * 96 / 72 * 1.25)) + 'px';
  }
}

// The steps tables into `view`: each section's heading, each table's title, heads and rows, and the notes below a
// table where `withNotes`. `fill(cell, text, place)` fills a cell; place: {table: its number counted from 1, row,
// column}.
export function appendStepsTables(view, tables, fill, withNotes) {
  let number = 0;
  for (const section of tables.sections) {
    view.appendChild(document.createElement('h3')).textContent = section.heading;
    for (const table of section.tables) {
      number += 1;
      if (table.title) view.appendChild(document.createElement('h4')).textContent = table.title;
      const element = view.appendChild(document.createElement('table'));
      element.className = 'steps';
      const head = element.createTHead().insertRow();
      for (const text of table.heads) head.appendChild(document.createElement('th')).textContent = text;
      const body = element.createTBody();
      table.rows.forEach((row, r) => {
        const line = body.insertRow();
        row.forEach((text, c) => {
          const cell = line.insertCell();
          cell.className = table.alignments[c] || '';
          fill(cell, text, {table: number, row: r, column: c});
        });
      });
      if (withNotes) for (const note of table.notes) view.appendChild(document.createElement('p')).textContent = note;
    }
  }
}

export function showSteps(tables) {
  const steps = byId('steps');
  steps.textContent = '';
  if (!tables) return;
  appendStepsTables(steps, tables, (cell, text) => { cell.textContent = text; }, true);
  if (tables.stop_note) steps.appendChild(document.createElement('p')).textContent = tables.stop_note;
}
