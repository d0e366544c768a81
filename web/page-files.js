// Files: the observation file opened stays in the browser's file system, so that saving adds a row to it as the
// programs do; what is written there is offered for download. A large file is read by a worker (page-reader.js)
// while the page goes on answering.
import {byId, tr, withArguments, setStatus, setStatusText} from './page-state.js';
import {observations, fillTable} from './page-table.js';
import {checkOptions} from './page-checks.js';
import {readObservationFile, largeFileBytes} from './page-reader-client.js';

const rowsListed = 200;  // the row chooser lists at most this many rows that match what is searched

export function download(page, path, name) {
  const blob = new Blob([page.api.readFile(path)], {type: 'application/octet-stream'});
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

function rowName(page, row, index) {
  return row.id || withArguments(tr(page, '第 %1 行'), [String(index + 1)]);
}

// The rows whose name holds what is searched (all rows when nothing is), at most rowsListed of them, and the row
// chosen (`chosen`, else the one chosen now) where it matches beyond them: a row saved at the end of a long file.
export function showRows(page, chosen) {
  const rows = page.openedFile ? page.openedFile.rows : [];
  const wanted = byId('row-search').value.trim().toLowerCase();
  const chooser = byId('row');
  const kept = chosen !== undefined ? String(chosen) : chooser.value;
  chooser.textContent = '';
  let matching = 0;
  rows.forEach((row, i) => {
    const name = rowName(page, row, i);
    if (wanted && !name.toLowerCase().includes(wanted)) return;
    matching += 1;
    if (matching <= rowsListed || String(i) === kept) {
      chooser.appendChild(new Option(row.problem ? name + ' — ' + row.problem : name, String(i)));
    }
  });
  if ([...chooser.options].some((option) => option.value === kept)) chooser.value = kept;
  byId('row-count').textContent = matching > rowsListed
    ? withArguments(tr(page, '共 %1 行相符，列出前 %2 行：输入 id 可缩小范围'), [String(matching), String(rowsListed)])
    : withArguments(tr(page, '共 %1 行'), [String(matching)]);
  byId('rows').hidden = rows.length < 2;
}

// The values of a row read, by key: the file's answer gives the keys once and each row's values in their order.
function rowObservations(keys, row) {
  return Object.fromEntries(keys.map((key, i) => [key, row.values[i]]));
}

export function chooseRow(page, index) {
  const row = page.openedFile.rows[index];
  byId('row').value = String(index);
  if (row.problem) { setStatusText(page, row.problem, true, () => page.openedFile.rows[index].problem); return; }
  fillTable(page, rowObservations(page.openedFile.keys, row));
  setStatus(page, '已打开 %1 的 %2', [page.openedFile.name, rowName(page, row, index)], false);
}

// The rows of an observation file; false when the file is not one (the reason is then in the status line).
export async function openFile(page, file) {
  const path = '/files/' + file.name.replace(/[\\/]/g, '_');
  const bytes = new Uint8Array(await file.arrayBuffer());
  page.api.writeFile(path, bytes);
  const answer = await readObservationFile(page, bytes, file.name);
  // The file's refusal and its notes in another language: a small file read again, no rows listed (a large one is
  // not read again on the page's thread: its texts stay).
  const large = bytes.length > largeFileBytes;
  const fileAgain = (lang) => page.api.call({call: 'openObservations', path, lang, first: 0, count: 0});
  const again = (part) => (large ? () => undefined : (lang) => part(fileAgain(lang)));
  if (answer.problem) { setStatusText(page, answer.problem, true, again((reread) => reread.problem)); return false; }
  page.openedFile = {path, name: file.name, keys: answer.keys, rows: answer.rows, large};
  byId('row-search').value = '';
  showRows(page);
  const first = answer.rows.findIndex((row) => !row.problem);
  if (first < 0) {
    if (answer.rows.length) setStatusText(page, answer.rows[0].problem, true, () => page.openedFile.rows[0].problem);
    else setStatus(page, '观测文件中没有观测数据。', [], true);
    return true;
  }
  chooseRow(page, first);
  if (answer.notes.length) {
    const opened = page.status;
    const withNotes = (notes) => [withArguments(tr(page, opened.pattern), opened.values), ...notes].join('；');
    setStatusText(page, withNotes(answer.notes), false, again((reread) => withNotes(reread.notes || [])));
  }
  return true;
}

// A field book gives the eight angles, reduced for the stations the table names (or the book's own, in its order).
export async function openFieldBook(page, file) {
  const path = '/files/books/' + file.name.replace(/[\\/]/g, '_');
  page.api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
  const bookAgain = (lang) => page.api.call({call: 'openFieldBook', path, observations: observations(page), lang});
  const answer = bookAgain(page.lang);
  if (answer.problem) { setStatusText(page, answer.problem, true, (lang) => bookAgain(lang).problem); return false; }
  fillTable(page, answer.observations);
  setStatus(page, '已由观测手簿 %1 归算出八个观测角。', [file.name], false);
  // Opened by its button or dropped, the book is the one the other sections (the rigorous adjustment) work on.
  document.dispatchEvent(new CustomEvent('morvalen-field-book', {detail: {file}}));
  return true;
}

// A file dropped on the page: a field book by its instrument's extension; otherwise an observation file, or else a
// field book written as CSV.
export async function openDropped(page, file) {
  if (/\.(gsi|sdr|raw)$/i.test(file.name)) return openFieldBook(page, file);
  if (await openFile(page, file)) return true;
  const reason = page.status;
  if (await openFieldBook(page, file)) return true;
  setStatusText(page, reason.text, true, reason.again);
  return false;
}

export function saveObservations(page) {
  const opened = page.openedFile;
  const name = opened ? opened.name : tr(page, '观测数据') + '.csv';
  const path = opened ? opened.path : '/files/new/' + name;
  if (!opened) page.api.clearFile(path);
  const saved = observations(page);
  const answer = page.api.call({call: 'saveObservations', path, observations: saved, id: '', lang: page.lang});
  if (answer.problem) {
    setStatusText(page, answer.problem, true, (lang) => saveRefusedAgain(page, path, saved, lang));
    return;
  }
  download(page, path, name);
  if (opened) {
    // The file read again, as the row chooser shows it; a large file is not read again on the page's thread: the
    // row saved is added to the rows read before.
    if (opened.large) {
      opened.rows.push({id: answer.id, values: opened.keys.map((key) => saved[key])});
    }
    else rereadRows(page);
    byId('row-search').value = '';
    showRows(page, opened.rows.length - 1);
  }
  setStatus(page, '观测数据已作为 id 为 %2 的一行存入 %1，并已下载。', [name, answer.id], false);
}

// A refused save in another language: the same row saved into a copy of the file, which is removed again, so that
// the file itself is never written by a language switch. Undefined when the copy takes the row (the file could not
// be written where it is): the text shown stays.
function saveRefusedAgain(page, path, saved, lang) {
  const copy = '/files/again/' + path.slice(path.lastIndexOf('/') + 1);
  page.api.clearFile(copy);
  try { page.api.writeFile(copy, page.api.readFile(path)); } catch (noFile) { /* a new file: the copy starts empty */ }
  const answer = page.api.call({call: 'saveObservations', path: copy, observations: saved, id: '', lang});
  page.api.clearFile(copy);
  return answer.problem;
}

// The rows of the opened file read again, in the page's language (a small file: a large one keeps its rows).
export function rereadRows(page) {
  const opened = page.openedFile;
  if (!opened || opened.large) return;
  const reread = page.api.call({call: 'openObservations', path: opened.path, lang: page.lang});
  if (!reread.problem) Object.assign(opened, {keys: reread.keys, rows: reread.rows});
}

// An export computes from the table as it is, so it never writes results the table no longer holds.
export function exportResults(page) {
  const extension = byId('export-format').value;
  const name = tr(page, '成果表') + '.' + extension;
  const path = '/files/export/' + name;
  const request = Object.assign({call: 'export', path, observations: observations(page)}, checkOptions());
  page.api.clearFile(path);
  const answer = page.api.call(Object.assign({lang: page.lang}, request));
  if (answer.problem) {
    // In another language the refusal is the same export made again under the file's name in that language, the
    // file (if any) removed.
    const again = (lang) => {
      const named = '/files/export/' + tr(page, '成果表') + '.' + extension;
      const reread = page.api.call(Object.assign({}, request, {path: named, lang}));
      page.api.clearFile(named);
      return reread.problem;
    };
    setStatusText(page, answer.problem, true, again);
    return;
  }
  download(page, path, name);
  setStatus(page, '成果已导出为 %1，并已下载。', [name], false);
}
