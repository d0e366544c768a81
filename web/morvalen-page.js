// The page: the observation table, the window's fields, the report, the steps and the checks, in Chinese or English.
'use strict';
(function () {
  const api = window.Morvalen;
  let face = null;  // the window's layout, the table's columns and the case texts, in the language in use
  const byId = (id) => document.getElementById(id);
  const twipsPerPixel = 15;  // 96 dots per inch

  // The language as the window chooses it: the one chosen on the page before, else the browser's (English for an
  // English locale, Chinese for any other); ?lang=en or ?lang=zh in the address overrides both.
  function chosenLanguage() {
    const asked = new URLSearchParams(location.search).get('lang');
    if (asked === 'en' || asked === 'zh') return asked;
    let stored = null;
    try { stored = localStorage.getItem('morvalen.lang'); } catch (e) { stored = null; }
    if (stored === 'en' || stored === 'zh') return stored;
    return /^en\b/i.test(navigator.language || '') ? 'en' : 'zh';
  }
  let lang = chosenLanguage();
  const tr = (chinese) => api.text(chinese, lang);
  const withArguments = (pattern, values) => pattern.replace(/%(\d)/g, (all, n) => values[n - 1] ?? all);

  const inputs = new Map();
  let lastDocument = null;
  let problems = {};
  let lit = {};  // the diagram's labels that show each cell's value

  function observations() {
    const values = {};
    for (const {key} of face.columns) values[key] = inputs.get(key).value;
    return values;
  }

  function buildTable() {
    const table = byId('observations');
    table.textContent = '';
    let group = null;
    for (const {key, caption, group: heading} of face.columns) {
      if (heading !== group) {
        group = heading;
        const title = table.insertRow().appendChild(document.createElement('th'));
        title.colSpan = 3;
        title.className = 'group';
        title.textContent = heading;
      }
      const row = table.insertRow();
      const head = document.createElement('th');
      head.textContent = caption;
      const input = inputs.get(key) || document.createElement('input');
      input.id = 'cell-' + key;
      input.dataset.key = key;
      if (!key.startsWith('name_')) input.inputMode = 'decimal';  // a phone's keypad for the numbers
      head.appendChild(document.createElement('label')).htmlFor = input.id;
      row.appendChild(head);
      row.insertCell().appendChild(input);
      row.insertCell().className = 'problem-mark';
      inputs.set(key, input);
    }
  }

  // The checks of each cell as the values are typed: the mark on the cell, the reason in its tooltip and the status.
  function checkTable() {
    let answer = null;
    try { answer = api.check(observations(), lang); } catch (e) { answer = null; }
    const runCase = answer ? answer.case : 'known-side';
    byId('case').textContent = face.cases[runCase];
    problems = answer ? answer.problems : {};
    lit = answer ? answer.lit : {};
    for (const {key, azimuth_only: azimuthOnly} of face.columns) {
      const input = inputs.get(key);
      input.disabled = runCase !== 'azimuth' && azimuthOnly;
      const problem = problems[key] || null;
      input.classList.toggle('problem', !!problem);
      input.title = problem || '';
      input.setAttribute('aria-invalid', problem ? 'true' : 'false');
      input.closest('tr').lastChild.textContent = problem ? '✗ ' + problem : '';
    }
    const listed = Object.values(problems).filter((p) => p);
    setStatus(listed.length ? listed.join('；') : '', listed.length > 0);
  }

  function setStatus(text, isProblem) {
    const status = byId('status');
    status.textContent = text;
    status.classList.toggle('problem', !!isProblem);
  }

  function highlightDiagram(key) {
    for (const element of document.querySelectorAll('#window .label.highlight')) element.classList.remove('highlight');
    for (const name of lit[key] || []) {
      const label = byId('window-' + name);
      if (label) label.classList.add('highlight');
    }
  }

  // The main window as the desktop program draws it, at 96 dots per inch.
  function buildWindow() {
    const view = byId('window');
    view.textContent = '';
    const px = (twips) => Math.round(twips / twipsPerPixel) + 'px';
    const [width, height] = face.extent;
    view.style.width = px(width + 240);
    view.style.height = px(height + 240);
    view.style.background = face.colour;
    const place = (element, box) => {
      element.style.left = px(box[0]); element.style.top = px(box[1]);
      element.style.width = px(box[2]); element.style.height = px(box[3]);
    };
    for (const label of face.labels) {
      const element = view.appendChild(document.createElement('div'));
      element.className = 'label font-' + label.font;
      element.id = 'window-' + label.name;
      element.textContent = label.text;
      place(element, label.box);
    }
    const svg = view.appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'svg'));
    svg.setAttribute('width', Math.round((width + 240) / twipsPerPixel));
    svg.setAttribute('height', Math.round((height + 240) / twipsPerPixel));
    for (const line of face.lines) {
      const element = svg.appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'line'));
      ['x1', 'y1', 'x2', 'y2'].forEach((name, i) => element.setAttribute(name, line.points[i] / twipsPerPixel));
      element.setAttribute('stroke', line.colour);
      element.setAttribute('stroke-width', line.width);
    }
    for (const field of face.fields) {
      const element = view.appendChild(document.createElement('output'));
      element.className = 'field';
      element.id = 'window-' + field.name;
      place(element, field.box);
    }
    const commands = {compute: () => setMode('guided'), exit: () => clearAll(), print: () => printReport()};
    for (const button of face.buttons) {
      const element = view.appendChild(document.createElement('button'));
      element.className = 'button';
      element.id = 'window-' + button.name;
      element.textContent = button.text;
      element.style.background = button.colour;
      place(element, button.box);
      element.addEventListener('click', commands[button.command]);
    }
    if (lastDocument) showFields(lastDocument);
  }

  function showFields(document_) {
    for (const [name, value] of Object.entries(document_.fields)) {
      const values = Array.isArray(value) ? value : [value];
      values.forEach((text, i) => {
        const element = byId('window-' + (Array.isArray(value) ? name + '_' + i : name));
        if (element) element.textContent = text;
      });
    }
    for (const [name, caption] of Object.entries(document_.captions)) {
      const element = byId('window-' + name.replace(/\((\d+)\)$/, '_$1'));
      if (element) element.textContent = caption;
    }
  }

  // The report as printed: each item at its tab column, a column as wide as the digit 0 of the size in force.
  const measure = document.createElement('canvas').getContext('2d');
  function reportFont(points) {
    return points + 'pt ' + getComputedStyle(byId('report')).fontFamily;
  }
  function showReport(lines) {
    const report = byId('report');
    report.textContent = '';
    if (!lines) {
      report.textContent = tr('还没有完成的计算：报表在一次计算完成后给出。');
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

  function showSteps(tables) {
    const steps = byId('steps');
    steps.textContent = '';
    if (!tables) return;
    for (const section of tables.sections) {
      steps.appendChild(document.createElement('h3')).textContent = section.heading;
      for (const table of section.tables) {
        if (table.title) steps.appendChild(document.createElement('h4')).textContent = table.title;
        const element = steps.appendChild(document.createElement('table'));
        element.className = 'steps';
        const head = element.createTHead().insertRow();
        for (const text of table.heads) head.appendChild(document.createElement('th')).textContent = text;
        const body = element.createTBody();
        for (const row of table.rows) {
          const tr_ = body.insertRow();
          row.forEach((text, i) => {
            const cell = tr_.insertCell();
            cell.textContent = text;
            cell.className = table.alignments[i] || '';
          });
        }
        for (const note of table.notes) steps.appendChild(document.createElement('p')).textContent = note;
      }
    }
    if (tables.stop_note) steps.appendChild(document.createElement('p')).textContent = tables.stop_note;
  }

  function checkOptions() {
    const grade = byId('grade').value;
    const sigma = Number(byId('sigma').value);
    if (grade) return {grade};
    if (byId('sigma').value.trim() && Number.isFinite(sigma) && sigma > 0) return {sigma};
    return {};
  }

  function showChecks(answer) {
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
    if (answer.plot) byId('plot').appendChild(networkPlot(answer.plot));
  }

  // The network plot of the table's computation, drawn by the computation itself: the SVG that morvalen-cli --plot
  // writes (stations, sides, the weakest side, station and relative error ellipses, scale bar, legend).
  function networkPlot(plot) {
    const svg = api.plot(observations(), Object.assign({lang}, checkOptions()));
    const parsed = new DOMParser().parseFromString(svg || '<svg xmlns="http://www.w3.org/2000/svg"/>', 'image/svg+xml');
    return document.importNode(parsed.documentElement, true);
  }

  function showAnswer(answer) {
    lastDocument = answer;
    for (const element of document.querySelectorAll('#window .field')) element.textContent = '';
    showFields(answer);
    const stop = byId('stop');
    stop.hidden = !answer.stopped;
    stop.textContent = answer.stopped ? withArguments(tr('计算中止 — %1'), [answer.stopped.message]) : '';
    showReport(answer.report);
    showSteps(answer.steps_tables);
    showChecks(answer);
  }

  function compute() {
    checkTable();
    const listed = Object.entries(problems).filter(([, p]) => p);
    if (listed.length) {
      setStatus(withArguments(tr('没有计算：表中还有问题。%1'), [listed.map(([, p]) => p).join('；')]), true);
      inputs.get(listed[0][0]).focus();
      return;
    }
    const started = performance.now();
    const answer = api.compute(observations(), Object.assign({lang}, checkOptions()));
    showAnswer(answer);
    const milliseconds = (performance.now() - started).toFixed(1);
    setStatus(answer.stopped ? '' : withArguments(tr('计算完成（%1 毫秒）'), [milliseconds]), false);
    window.morvalenLastComputation = {milliseconds: Number(milliseconds)};
  }

  // Files: the observation file opened stays in the browser's file system, so that saving adds a row to it as the
  // programs do; what is written there is offered for download.
  let openedFile = null;  // {path, name, rows}
  function download(path, name) {
    const blob = new Blob([api.readFile(path)], {type: 'application/octet-stream'});
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  function fillTable(values) {
    for (const {key} of face.columns) inputs.get(key).value = values[key] || '';
    checkTable();
  }

  function showRows(answer) {
    const chooser = byId('row');
    chooser.textContent = '';
    answer.rows.forEach((row, i) => {
      const name = row.id || withArguments(tr('第 %1 行'), [String(i + 1)]);
      chooser.appendChild(new Option(row.problem ? name + ' — ' + row.problem : name, String(i)));
    });
    byId('rows').hidden = answer.rows.length < 2;
  }

  function chooseRow(index) {
    const row = openedFile.rows[index];
    byId('row').value = String(index);
    if (row.problem) { setStatus(row.problem, true); return; }
    fillTable(row.observations);
    setStatus(withArguments(tr('已打开 %1 的 %2'), [openedFile.name, row.id || withArguments(tr('第 %1 行'), [String(index + 1)])]), false);
  }

  async function openFile(file) {
    const path = '/files/' + file.name.replace(/[\/]/g, '_');
    api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    const answer = api.call({call: 'openObservations', path, lang});
    if (answer.problem) { setStatus(answer.problem, true); return; }
    openedFile = {path, name: file.name, rows: answer.rows};
    showRows(answer);
    const first = answer.rows.findIndex((row) => !row.problem);
    if (first < 0) {
      setStatus(answer.rows.length ? answer.rows[0].problem : tr('观测文件中没有观测数据。'), true);
      return;
    }
    chooseRow(first);
    if (answer.notes.length) setStatus(byId('status').textContent + '；' + answer.notes.join('；'), false);
  }

  // A field book gives the eight angles, reduced for the stations the table names (or the book's own, in its order).
  async function openFieldBook(file) {
    const path = '/files/books/' + file.name.replace(/[\\/]/g, '_');
    api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    const answer = api.call({call: 'openFieldBook', path, observations: observations(), lang});
    if (answer.problem) { setStatus(answer.problem, true); return; }
    fillTable(answer.observations);
    setStatus(withArguments(tr('已由观测手簿 %1 归算出八个观测角。'), [file.name]), false);
  }

  function saveObservations() {
    const name = openedFile ? openedFile.name : tr('观测数据') + '.csv';
    const path = openedFile ? openedFile.path : '/files/new/' + name;
    if (!openedFile) api.clearFile(path);
    const answer = api.call({call: 'saveObservations', path, observations: observations(), id: '', lang});
    if (answer.problem) { setStatus(answer.problem, true); return; }
    download(path, name);
    if (openedFile) {
      const reread = api.call({call: 'openObservations', path, lang});
      if (!reread.problem) { openedFile.rows = reread.rows; showRows(reread); byId('row').value = String(reread.rows.length - 1); }
    }
    setStatus(withArguments(tr('观测数据已作为 id 为 %2 的一行存入 %1，并已下载。'), [name, answer.id]), false);
  }

  function exportResults() {
    const extension = byId('export-format').value;
    const name = tr('成果表') + '.' + extension;
    const path = '/files/export/' + name;
    api.clearFile(path);
    const answer = api.call(Object.assign({call: 'export', path, observations: observations()}, {lang}, checkOptions()));
    if (answer.problem) { setStatus(answer.problem, true); return; }
    download(path, name);
    setStatus(withArguments(tr('成果已导出为 %1，并已下载。'), [name]), false);
  }

  function clearAll() {
    for (const input of inputs.values()) input.value = '';
    checkTable();
  }

  function printReport() {
    if (!lastDocument || !lastDocument.report) {
      setStatus(tr('还没有完成的计算：报表在一次计算完成后给出。'), true);
      return;
    }
    window.print();
  }

  // The guided mode asks the prompts of the compute command in their order, exactly as the dialogue asks them: the
  // replies so far are run, and the prompt that comes next is the one the run asked after them.
  let replies = [];
  function guidedStep() {
    const answer = api.run(replies.join('\n') + (replies.length ? '\n' : ''), Object.assign({lang, steps: true}, checkOptions()));
    const next = answer.prompts[replies.length];
    const ended = next === undefined;
    byId('prompt').textContent = ended ? tr('计算已结束。') : next;
    byId('reply').disabled = ended;
    byId('reply-ok').disabled = ended;
    byId('reply-cancel').disabled = ended;
    const list = byId('answered');
    list.textContent = '';
    replies.forEach((reply, i) => {
      list.appendChild(document.createElement('li')).textContent = answer.prompts[i] + ' ' + reply;
    });
    if (ended) {
      answer.steps_tables = null;
      showAnswer(answer);
    } else {
      byId('reply').focus();
    }
  }
  function setMode(mode) {
    byId('mode').value = mode;
    byId('entry').hidden = mode !== 'table';
    byId('guided').hidden = mode !== 'guided';
    if (mode === 'guided') { replies = []; guidedStep(); }
  }

  function translatePage() {
    document.documentElement.lang = lang === 'en' ? 'en' : 'zh-CN';
    byId('title').textContent = tr('Morvalen：大地四边形条件平差');
    document.title = 'Morvalen';
    for (const element of document.querySelectorAll('[data-text]')) element.textContent = tr(element.dataset.text);
    const grade = byId('grade');
    const kept = grade.value;
    grade.textContent = '';
    grade.appendChild(new Option(tr('不检核'), ''));
    for (const each of api.grades(lang)) grade.appendChild(new Option(each.standard + ' ' + each.text, each.name));
    grade.value = kept;
    face = api.face(lang);
    buildTable();
    buildWindow();
    checkTable();
    if (lastDocument) recompute();
  }

  function recompute() {
    if (byId('mode').value === 'guided') guidedStep();
    else if (lastDocument) compute();
  }

  // Whatever a command meets is shown in the status line, never left as an exception in the console.
  function guarded(command) {
    return (...values) => {
      try {
        const result = command(...values);
        if (result && typeof result.catch === 'function') result.catch((failure) => setStatus(String(failure.message || failure), true));
      } catch (failure) {
        setStatus(String(failure.message || failure), true);
      }
    };
  }

  function start() {
    byId('language').value = lang;
    byId('language').addEventListener('change', (event) => {
      lang = event.target.value;
      try { localStorage.setItem('morvalen.lang', lang); } catch (e) { /* a page without storage keeps it for now */ }
      translatePage();
    });
    byId('mode').addEventListener('change', (event) => setMode(event.target.value));
    translatePage();
    byId('observations').addEventListener('input', guarded(checkTable));
    byId('observations').addEventListener('focusin', (event) => highlightDiagram(event.target.dataset.key));
    byId('observations').addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      const enabled = [...inputs.values()].filter((input) => !input.disabled);
      const next = enabled[enabled.indexOf(event.target) + 1];
      if (next) next.focus(); else compute();
    });
    byId('compute').addEventListener('click', guarded(compute));
    byId('clear').addEventListener('click', () => { openedFile = null; byId('rows').hidden = true; clearAll(); });
    byId('open').addEventListener('click', () => byId('open-file').click());
    byId('open-file').addEventListener('change', (event) => {
      const file = event.target.files[0];
      event.target.value = '';
      if (file) guarded(openFile)(file);
    });
    byId('open-book').addEventListener('click', () => byId('open-book-file').click());
    byId('open-book-file').addEventListener('change', (event) => {
      const file = event.target.files[0];
      event.target.value = '';
      if (file) guarded(openFieldBook)(file);
    });
    byId('row').addEventListener('change', guarded((event) => chooseRow(Number(event.target.value))));
    byId('save').addEventListener('click', guarded(saveObservations));
    byId('export').addEventListener('click', guarded(exportResults));
    byId('print').addEventListener('click', guarded(printReport));
    byId('grade').addEventListener('change', guarded(recompute));
    byId('sigma').addEventListener('change', guarded(recompute));
    byId('reply-ok').addEventListener('click', guarded(() => { replies.push(byId('reply').value); byId('reply').value = ''; guidedStep(); }));
    byId('reply-cancel').addEventListener('click', guarded(() => { replies.push(''); byId('reply').value = ''; guidedStep(); }));
    byId('reply').addEventListener('keydown', (event) => { if (event.key === 'Enter') byId('reply-ok').click(); });
    byId('restart').addEventListener('click', () => setMode('guided'));
    setMode('table');
    showReport(null);
    document.body.dataset.ready = 'true';
    window.morvalenPageReady = performance.now();
  }

  api.ready.then(start, (failure) => {
    document.body.textContent = 'Morvalen: ' + failure;
  });
})();
