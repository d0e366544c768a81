// The teacher's kit on the page: the teacher's tab makes a class's exercises from a roster (one zip file of sheets,
// answer keys and exercises.csv), the student's tab gives the tables of the steps to fill for the data of the table
// and checks them cell by cell. Everything is computed in the browser; nothing leaves it. A sheet and its verdict are
// marked stale once the table no longer holds the data they were made from.
'use strict';
(function () {
  const {api, byId, lang, tr, withArguments, setStatus, tableObservations, guarded} = window.MorvalenPageParts;
  const html = `
    <h2 data-text="教学练习"></h2>
    <div class="exercise-tabs" role="tablist">
      <button id="exercise-tab-teacher" role="tab" aria-selected="true" data-text="教师：生成练习"></button>
      <button id="exercise-tab-student" role="tab" aria-selected="false" data-text="学生：核对答卷"></button>
    </div>
    <div id="exercise-teacher" role="tabpanel">
      <p data-text="上传学生名单（CSV，列 id,name），为每个学生生成一份练习数据、作业表和答案，打包为一个 zip 文件下载。"></p>
      <label><span data-text="学生名单（CSV，列 id,name）"></span>
        <input id="exercise-roster" type="file" accept=".csv,.txt"></label>
      <label><span data-text="随机数种子"></span> <input id="exercise-seed" value="1" size="8" inputmode="numeric"></label>
      <label><span data-text="练习的等级"></span> <select id="exercise-grade"></select></label>
      <label><span data-text="起算情况"></span> <select id="exercise-case">
        <option value="both" data-text="两者交替"></option>
        <option value="known-side" data-text="已知边 A–B 起算"></option>
        <option value="azimuth" data-text="A 点外方位角起算"></option></select></label>
      <label><input id="exercise-field-book" type="checkbox"> <span data-text="给出方向观测手簿（两测回）而不是八个角"></span></label>
      <label><span data-text="放粗差的学生人数"></span> <input id="exercise-blunders" value="0" size="4" inputmode="numeric"></label>
      <button id="exercise-make" data-text="生成练习（zip）"></button>
      <p id="exercise-teacher-status" role="status"></p>
    </div>
    <div id="exercise-student" role="tabpanel" hidden>
      <p data-text="先在观测数据表中输入练习的数据（或打开 exercises.csv 选自己的一行），再按“填写答卷”，填好表格后按“核对”。"></p>
      <button id="exercise-sheet" data-text="填写答卷"></button>
      <button id="exercise-check" data-text="核 对"></button>
      <button id="exercise-open-sheet" data-text="打开答卷…"></button>
      <input id="exercise-sheet-file" type="file" accept=".csv,.txt" hidden>
      <p id="exercise-stale" class="stale-note" hidden></p>
      <p id="exercise-verdict" role="status"></p>
      <div id="exercise-tables"></div>
    </div>`;
  const stale = window.MorvalenPageParts.staleResults(['exercise-verdict', 'exercise-tables'], 'exercise-stale',
    '表中的数据已改动：这份答卷不是由这些数据生成的，请重新按“填写答卷”。', () => tableObservations());

  function download(path, name) {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([api.readFile(path)], {type: 'application/zip'}));
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  function showTab(student) {
    byId('exercise-teacher').hidden = student;
    byId('exercise-student').hidden = !student;
    byId('exercise-tab-teacher').setAttribute('aria-selected', String(!student));
    byId('exercise-tab-student').setAttribute('aria-selected', String(student));
  }

  // The teacher's tab: the roster into the browser's file system, the kit out of it as one zip file. Its status is
  // given again in the language switched to.
  const teacherStatus = window.MorvalenPageParts.retold('exercise-teacher-status');
  const teacherRefuses = (chinese) => teacherStatus.set(tr(chinese), true, () => tr(chinese));

  async function makeKit() {
    teacherStatus.forget();
    const roster = byId('exercise-roster').files[0];
    if (!roster) { teacherRefuses('请先选择学生名单。'); return; }
    // The seed and the number of blunders as whole numbers (a seed to 15 digits, which a page's number holds exactly).
    const seed = byId('exercise-seed').value.trim();
    const blunders = byId('exercise-blunders').value.trim() || '0';
    if (!/^\d{1,15}$/.test(seed)) { teacherRefuses('随机数种子应为不多于 15 位的非负整数。'); return; }
    if (!/^\d{1,4}$/.test(blunders)) { teacherRefuses('放粗差的学生人数应为非负整数。'); return; }
    const rosterPath = '/files/exercise/' + roster.name.replace(/[\\/]/g, '_');
    api.writeFile(rosterPath, new Uint8Array(await roster.arrayBuffer()));
    const zip = '/files/exercise/out/' + tr('练习') + '.zip';
    const name = zip.slice(zip.lastIndexOf('/') + 1);
    api.clearFile(zip);
    const request = {call: 'exercise', roster: rosterPath, zip, grade: byId('exercise-grade').value,
      seed: Number(seed), case: byId('exercise-case').value, field_book: byId('exercise-field-book').checked,
      blunders: Number(blunders)};
    const answer = api.call(Object.assign({lang: lang()}, request));
    if (answer.problem) {
      // In another language the refusal is the kit asked again, whatever it wrote removed.
      teacherStatus.set(answer.problem, true, () => {
        const again = api.call(Object.assign({lang: lang()}, request));
        api.clearFile(zip);
        return again.problem || '';
      });
      return;
    }
    download(zip, name);
    const made = () => withArguments(tr('已为 %1 名学生生成练习，写入 %2'), [String(answer.students), name]);
    teacherStatus.set(made(), false, made);
  }

  // The student's tab: the blank tables with a field at every cell to fill; the cells the tables give in notes
  // (det, the correlates) in a list of their own after them.
  let cellKeys = [];
  function showSheet(answer) {
    const view = byId('exercise-tables');
    view.textContent = '';
    cellKeys = answer.cells.map((cell) => cell.key);
    const placed = new Map();
    for (const cell of answer.cells) {
      if (cell.place) placed.set(`${cell.place.table}:${cell.place.row}:${cell.place.column}`, cell.key);
    }
    const field = (key) => {
      const input = document.createElement('input');
      input.className = 'answer-cell';
      input.dataset.key = key;
      input.size = 10;
      input.inputMode = 'decimal';
      input.setAttribute('aria-label', key);
      return input;
    };
    window.MorvalenPage.stepsTables(view, answer.tables, (cell, text, place) => {
      const key = placed.get(`${place.table}:${place.row}:${place.column}`);
      if (key) cell.appendChild(field(key));
      else cell.textContent = text.trim() ? text : '';
    });
    const unplaced = answer.cells.filter((cell) => !cell.place);
    if (unplaced.length) {
      view.appendChild(document.createElement('h4')).textContent = tr('表下注记中的数值');
      const list = view.appendChild(document.createElement('table'));
      list.className = 'steps';
      for (const cell of unplaced) {
        const line = list.insertRow();
        line.insertCell().textContent = cell.key;
        line.insertCell().appendChild(field(cell.key));
      }
    }
  }

  // The table's values the sheet shown was made from, and whether its verdict is shown: a language switch or a reload
  // makes both again from them, with the values the student has typed.
  let sheetFrom = null;
  let verdictShown = false;

  function makeSheet(observations = tableObservations()) {
    const answer = api.call({call: 'answerSheet', observations, lang: lang()});
    if (answer.problem) { setStatus('exercise-verdict', answer.problem, true); return false; }
    showSheet(answer);
    sheetFrom = observations;
    verdictShown = false;
    stale.shown(observations);
    setStatus('exercise-verdict', withArguments(tr('答卷共有 %1 个数值要填。'), [String(answer.cells.length)]), false);
    keepSheet();
    return true;
  }

  const typedValues = () =>
    [...document.querySelectorAll('#exercise-tables .answer-cell')].map((input) => [input.dataset.key, input.value]);

  // The sheet made again from the values it was made from, with what was typed into it and, when it had one, its
  // verdict: after a language switch or a reload.
  function sheetAgain(from, typed, checked) {
    if (!makeSheet(from)) return;
    const values = new Map(typed);
    for (const input of document.querySelectorAll('#exercise-tables .answer-cell')) input.value = values.get(input.dataset.key) ?? '';
    if (checked) {
      const answer = api.call({call: 'checkAnswer', observations: from, sheet: typedValues(), lang: lang()});
      if (!answer.problem) showVerdict(answer);
    }
    keepSheet();
  }

  // The sheet kept in the browser's storage as it is filled, so that a reload (or a phone that dropped the page in
  // the background) gives back a sheet half filled.
  const sheetKey = 'morvalen.sheet';
  function keepSheet() {
    try {
      localStorage.setItem(sheetKey, JSON.stringify({from: sheetFrom, typed: typedValues(), checked: verdictShown}));
    } catch (e) { /* without storage the sheet lasts as long as the page */ }
  }
  function restoreSheet() {
    let kept = null;
    try { kept = JSON.parse(localStorage.getItem(sheetKey)); } catch (e) { kept = null; }
    if (kept && kept.from && typeof kept.from === 'object' && Array.isArray(kept.typed)) {
      showTab(true);
      sheetAgain(kept.from, kept.typed, !!kept.checked);
    }
  }

  // Each field marked with its verdict: right, wrong (the first in bold), following from a wrong one, not filled;
  // its tooltip says which.
  function showVerdict(answer) {
    const byKey = new Map(answer.cells.map((cell) => [cell.key, cell]));
    for (const input of document.querySelectorAll('#exercise-tables .answer-cell')) {
      const cell = byKey.get(input.dataset.key);
      if (!cell) continue;
      if (input.value === '' && cell.given) input.value = cell.given;
      input.classList.remove('cell-right', 'cell-wrong', 'cell-follows', 'cell-unfilled', 'first-wrong');
      input.classList.add(cell.ok ? 'cell-right' : cell.verdict === 'not filled' ? 'cell-unfilled'
        : cell.follows_from ? 'cell-follows' : 'cell-wrong');
      input.classList.toggle('first-wrong', cell.key === answer.first_wrong);
      input.title = cell.verdict_text + (cell.follows_from ? ' ' + withArguments(tr('（由 %1 的错误而来，不计）'), [cell.follows_from]) : '');
    }
    const score = withArguments(tr('得分：%1（%2 / %3）'), [answer.score.toFixed(1), String(answer.right), String(answer.counted)]);
    setStatus('exercise-verdict', (answer.first_wrong ? answer.first_wrong_text : tr('全部正确')) + '　' + score,
      !!answer.first_wrong);
    verdictShown = true;
    keepSheet();
  }

  function check() {
    if (!cellKeys.length) makeSheet();
    if (!cellKeys.length) return;
    const answer = api.call({call: 'checkAnswer', observations: tableObservations(), sheet: typedValues(), lang: lang()});
    if (answer.problem) { setStatus('exercise-verdict', answer.problem, true); return; }
    showVerdict(answer);
  }

  // A sheet filled in a spreadsheet (ID-answer.csv): its values into the fields, then checked.
  async function openSheet(file) {
    const path = '/files/exercise/sheets/' + file.name.replace(/[\\/]/g, '_');
    api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    makeSheet();
    if (!cellKeys.length) return;
    for (const input of document.querySelectorAll('#exercise-tables .answer-cell')) input.value = '';
    const answer = api.call({call: 'checkAnswer', observations: tableObservations(), path, lang: lang()});
    if (answer.problem) { setStatus('exercise-verdict', answer.problem, true); return; }
    showVerdict(answer);
  }

  // The grades in the language in use; a sheet made in the other language is made again.
  function translated() {
    const grade = byId('exercise-grade');
    const kept = grade.value || '四等';
    grade.textContent = '';
    for (const each of api.grades(lang())) grade.appendChild(new Option(each.standard + ' ' + each.text, each.name));
    grade.value = kept;
    teacherStatus.retell();
    if (sheetFrom && cellKeys.length) sheetAgain(sheetFrom, typedValues(), verdictShown);
  }

  window.MorvalenPageParts.section('exercise-section', html, () => {
    byId('exercise-tab-teacher').addEventListener('click', () => showTab(false));
    byId('exercise-tab-student').addEventListener('click', () => showTab(true));
    byId('exercise-make').addEventListener('click', guarded(makeKit, 'exercise-teacher-status'));
    byId('exercise-sheet').addEventListener('click', guarded(() => makeSheet(), 'exercise-verdict'));
    byId('exercise-check').addEventListener('click', guarded(check, 'exercise-verdict'));
    byId('exercise-open-sheet').addEventListener('click', () => byId('exercise-sheet-file').click());
    byId('exercise-tables').addEventListener('input', keepSheet);
    // The page's table and its drawing of the steps tables come with the page's start, after this section's.
    if (document.body.dataset.ready) guarded(restoreSheet, 'exercise-verdict')();
    else document.addEventListener('morvalen-page-ready', guarded(restoreSheet, 'exercise-verdict'), {once: true});
    byId('exercise-sheet-file').addEventListener('change', (event) => {
      const file = event.target.files[0];
      event.target.value = '';
      if (file) guarded(openSheet, 'exercise-verdict')(file);
    });
  }, translated);
})();
