// The page's teacher's kit and rigorous adjustment, checked by scripts/web-check.js against the terminal's exercise,
// check-answer and --rigorous.
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');
const {execFileSync, spawnSync} = require('child_process');

// The values of one student in answers.csv (id,name,key,value), as the answer key prints them.
function answersOf(file, id) {
  const values = new Map();
  for (const line of fs.readFileSync(file, 'utf8').replace(/^\ufeff/, '').split(/\r?\n/).slice(1)) {
    const cells = line.split(',');
    if (cells[0] === id && cells.length >= 4) values.set(cells[2], cells.slice(3).join(','));
  }
  return values;
}

// The teacher's tab makes the terminal's kit from the same roster and seed, byte for byte in its CSV files; the
// student's tab checks a sheet filled with the key's values as right, and names a changed correlate first, as
// check-answer does.
async function checkExercises(page, cli, work, check) {
  const folder = path.join(work, 'exercise');
  fs.rmSync(folder, {recursive: true, force: true});
  fs.mkdirSync(folder, {recursive: true});
  const roster = path.join(folder, 'roster.csv');
  fs.writeFileSync(roster, 'id,name\ns01,张三\ns02,李四\ns03,王五\n');
  execFileSync(cli, ['exercise', '--students', roster, '-o', path.join(folder, 'terminal'), '--seed', '46',
    '--grade', '四等', '--case', 'both']);

  await page.click('#exercise-tab-teacher');
  await page.setInputFiles('#exercise-roster', roster);
  await page.fill('#exercise-seed', '46');
  await page.selectOption('#exercise-grade', '四等');
  await page.selectOption('#exercise-case', 'both');
  const [download] = await Promise.all([page.waitForEvent('download', {timeout: 20000}), page.click('#exercise-make')]);
  const zip = path.join(folder, 'page.zip');
  fs.copyFileSync(await download.path(), zip);
  const listed = execFileSync('unzip', ['-Z1', zip]).toString().trim().split('\n').sort();
  const unzipped = (name) => execFileSync('unzip', ['-p', zip, name]);
  await check('the teacher\'s tab gives the zip of sheets, keys and exercises.csv, its CSV files as the terminal\'s', () => {
    for (const name of ['exercises.csv', 'answers.csv', 's01.html', 's01-answer.csv', 'answers/s03.html']) {
      assert.ok(listed.includes(name), `${name} not in ${listed.join(' ')}`);
    }
    for (const name of ['exercises.csv', 'answers.csv', 's01-answer.csv', 's02-answer.csv']) {
      assert.ok(unzipped(name).equals(fs.readFileSync(path.join(folder, 'terminal', name))), `${name} differs`);
    }
    assert.match(unzipped('s02.html').toString(), /<svg class="sketch"/);
  });

  // The kit's message, and then a roster refused, follow a language switch.
  const teacherTexts = [];
  const switched = async () => {
    teacherTexts.push(await page.textContent('#exercise-teacher-status'));
    await page.selectOption('#language', 'en');
    teacherTexts.push(await page.textContent('#exercise-teacher-status'));
    await page.selectOption('#language', 'zh');
  };
  await switched();
  fs.writeFileSync(path.join(folder, 'not-a-roster.csv'), 'a;b\n\u0001\n');
  await page.setInputFiles('#exercise-roster', path.join(folder, 'not-a-roster.csv'));
  await page.click('#exercise-make');
  await page.waitForFunction(() => document.getElementById('exercise-teacher-status').textContent.includes('not-a-roster'));
  await switched();
  await check('the teacher\'s messages, the kit made and a roster refused, follow a language switch', () => {
    assert.match(teacherTexts[0], /^已为 3 名学生生成练习/);
    teacherTexts.slice(2).forEach((text) => assert.match(text, /not-a-roster\.csv/));
    [teacherTexts[1], teacherTexts[3]].forEach((text) => assert.doesNotMatch(text.replace(/练习\.zip/, ''), /[\u4e00-\u9fff]/));
  });

  // The student s02 (the azimuth case) opens the class's file, chooses the row and fills the key's values.
  const exercises = path.join(folder, 'terminal', 'exercises.csv');
  await page.setInputFiles('#open-file', exercises);
  await page.waitForFunction(() => document.getElementById('row').options.length === 3);
  await page.selectOption('#row', {label: 's02'});
  await page.click('#exercise-tab-student');
  await page.click('#exercise-sheet');
  const key = answersOf(path.join(folder, 'terminal', 'answers.csv'), 's02');
  const fields = await page.$$eval('#exercise-tables .answer-cell', (inputs) => inputs.map((input) => input.dataset.key));
  const fill = async (changed) => {
    await page.evaluate(([values]) => {
      for (const input of document.querySelectorAll('#exercise-tables .answer-cell')) input.value = values[input.dataset.key] ?? '';
    }, [Object.fromEntries([...key].map(([k, v]) => [k, changed && k === changed.key ? changed.value : v]))]);
    await page.click('#exercise-check');
    return page.evaluate(() => ({
      verdict: document.getElementById('exercise-verdict').textContent,
      wrong: [...document.querySelectorAll('#exercise-tables .cell-wrong')].map((input) => input.dataset.key),
      first: [...document.querySelectorAll('#exercise-tables .first-wrong')].map((input) => input.dataset.key),
      follows: document.querySelectorAll('#exercise-tables .cell-follows').length,
      right: document.querySelectorAll('#exercise-tables .cell-right').length,
    }));
  };
  const allRight = await fill(null);
  const correlate = 'second_group.correlates[1]';
  const changed = {key: correlate, value: String(Number(key.get(correlate)) + 0.002)};
  const oneWrong = await fill(changed);
  // A language switch keeps what the student typed: the sheet and its verdict come again in English, and back.
  const sheetState = () => page.evaluate(() => ({
    verdict: document.getElementById('exercise-verdict').textContent,
    filled: [...document.querySelectorAll('#exercise-tables .answer-cell')].filter((input) => input.value !== '').length,
    first: [...document.querySelectorAll('#exercise-tables .first-wrong')].map((input) => input.dataset.key),
  }));
  await page.selectOption('#language', 'en');
  const english = await sheetState();
  await page.selectOption('#language', 'zh');
  const backAgain = await sheetState();
  const sheet = path.join(folder, 's02-answer.csv');
  fs.writeFileSync(sheet, 'key,value\n' + [...key].map(([k, v]) => `${k},${k === correlate ? changed.value : v}`).join('\n') + '\n');
  const terminal = spawnSync(cli, ['check-answer', sheet, '--observations', exercises, '--row', 's02', '--json']);
  const expected = JSON.parse(terminal.stdout.toString());
  await check('the student\'s tab: a sheet of the key\'s values is all right; a changed correlate is named first, as check-answer names it', () => {
    assert.deepStrictEqual(fields.slice().sort(), [...key.keys()].sort());
    assert.strictEqual(allRight.right, key.size);
    assert.deepStrictEqual(allRight.wrong, []);
    assert.match(allRight.verdict, /全部正确.*100\.0/);
    assert.strictEqual(terminal.status, 3);
    assert.strictEqual(expected.first_wrong, correlate);
    assert.deepStrictEqual(oneWrong.first, [correlate]);
    assert.match(oneWrong.verdict, new RegExp(`第一个错误：.*${correlate.replace(/[[\].]/g, '\\$&')}.*${expected.score.toFixed(1)}`));
    assert.deepStrictEqual(oneWrong.wrong, expected.cells.filter((c) => !c.ok && !c.follows_from).map((c) => c.key));
    assert.strictEqual(oneWrong.follows, expected.cells.filter((c) => c.follows_from).length);
  });
  await check('a language switch keeps the sheet typed: it comes again with its verdict in English, and back', () => {
    assert.strictEqual(english.filled, key.size);
    assert.deepStrictEqual(english.first, [correlate]);
    assert.ok(english.verdict.includes(correlate) && !english.verdict.includes('第一个错误'), english.verdict);
    assert.deepStrictEqual(backAgain, {verdict: oneWrong.verdict, filled: key.size, first: [correlate]});
  });
  // The same sheet as a file, opened into the fields: the same verdict.
  await page.click('#exercise-sheet');
  await page.setInputFiles('#exercise-sheet-file', sheet);
  await page.waitForFunction(() => document.querySelectorAll('#exercise-tables .first-wrong').length === 1);
  const opened = await sheetState();
  // A reload gives the sheet back as it was, with its verdict, on the student's tab.
  await page.reload();
  await page.waitForFunction(() => document.body.dataset.ready === 'true');
  const reloaded = Object.assign(await sheetState(), {tab: await page.isVisible('#exercise-student')});
  await check('the student\'s tab opens a filled ID-answer.csv into its fields and gives the same verdict; a reload keeps it', () => {
    assert.strictEqual(opened.filled, key.size);
    assert.strictEqual(opened.verdict, oneWrong.verdict);
    assert.deepStrictEqual(reloaded, Object.assign({tab: true}, opened));
  });
  await page.click('#clear');
}

// The rigorous adjustment of the field book the page opened, as morvalen-cli --field-book BOOK --rigorous gives it.
async function checkRigorous(page, cli, book, replies, check) {
  await page.click('#rigorous-compute');
  await page.waitForFunction(() => document.getElementById('rigorous-summary').textContent !== '');
  const shown = await page.evaluate(() => ({
    summary: document.getElementById('rigorous-summary').textContent,
    listing: document.getElementById('rigorous-listing').textContent,
  }));
  const listing = execFileSync(cli, ['--field-book', book, '--rigorous'], {input: replies}).toString();
  const json = JSON.parse(execFileSync(cli, ['--json', '--field-book', book, '--rigorous'], {input: replies}).toString());
  await check('the rigorous adjustment of the opened field book is shown as the terminal lists it', () => {
    assert.ok(shown.listing.length > 200, shown.listing);
    assert.ok(listing.endsWith(shown.listing), shown.listing);
    assert.ok(shown.summary.includes(`σ0 = ${json.rigorous.sigma0.toFixed(3)}，自由度 ${json.rigorous.dof}`), shown.summary);
  });
  // A cell edited: the listing no longer holds (greyed, not printed, a note); the edit undone: it holds again.
  const state = async () => {
    await page.emulateMedia({media: 'print'});
    const shown = await page.evaluate(() => ({
      stale: document.getElementById('rigorous-listing').dataset.stale === 'true',
      note: !document.getElementById('rigorous-stale').hidden,
      printed: getComputedStyle(document.getElementById('rigorous-listing')).display !== 'none',
    }));
    await page.emulateMedia({media: 'screen'});
    return shown;
  };
  const cell = page.locator('#observations input[data-key="xa"]');
  const typed = await cell.inputValue();
  const fresh = await state();
  await cell.fill(typed + '1');
  const edited = await state();
  // A language switch lists it again in English from what it was computed from, still stale.
  await page.selectOption('#language', 'en');
  const switched = Object.assign(await state(), {listing: await page.textContent('#rigorous-listing')});
  await page.selectOption('#language', 'zh');
  const english = execFileSync(cli, ['--lang', 'en', '--field-book', book, '--rigorous'], {input: replies}).toString();
  await cell.fill(typed);
  const undone = await state();
  await check('the rigorous listing is printed, marked stale after a table edit (also in English), and un-marked when it is undone', () => {
    assert.deepStrictEqual(fresh, {stale: false, note: false, printed: true});
    assert.deepStrictEqual(edited, {stale: true, note: true, printed: false});
    assert.deepStrictEqual(switched, Object.assign({}, edited, {listing: switched.listing}));
    assert.ok(switched.listing.length > 200 && english.endsWith(switched.listing), switched.listing);
    assert.deepStrictEqual(undone, fresh);
  });
  // The plot of the station ellipses: the rigorous set alone, and with a grade chosen the classical set beside it.
  const colours = async () => {
    await page.click('#rigorous-compute');
    return page.evaluate(() => [...new Set([...document.querySelectorAll('#rigorous-plot svg ellipse')]
      .map((ellipse) => ellipse.getAttribute('stroke')))].sort());
  };
  const alone = await colours();
  await page.selectOption('#grade', {index: 4});
  const both = await colours();
  await page.selectOption('#grade', '');
  await check('the rigorous section draws the rigorous station ellipses, and the classical ones with a grade', () => {
    const classical = 'rgb(0,90,200)', rigorous = 'rgb(220,110,0)';
    assert.ok(alone.includes(rigorous) && !alone.includes(classical), alone.join(' '));
    assert.ok(both.includes(rigorous) && both.includes(classical), both.join(' '));
  });
}

module.exports = {checkExercises, checkRigorous};
