// The page's work kept and shared, its stale results, its print, its named controls and its files, checked by
// scripts/web-check.js on the page it has used: the campaign's Q2 azimuth computed against a grade.
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');
const {execFileSync} = require('child_process');

const fieldsOf = (page) => page.evaluate(() =>
  Object.fromEntries([...document.querySelectorAll('#window .field')].map((e) => [e.id.replace('window-', ''), e.textContent])));
const staleBoxes = (page) => page.evaluate(() =>
  ['window', 'report-section', 'steps-section', 'checks-section'].map((id) => document.getElementById(id).dataset.stale || ''));
const shownInPrint = (page, ids) => page.evaluate((list) => list.map((id) => document.getElementById(id).offsetParent !== null), ids);
const ready = (page) => page.waitForSelector('body[data-ready="true"]', {timeout: 15000});

async function checkStaleAndPrint(page, check) {
  await page.emulateMedia({media: 'print'});
  const printed = await shownInPrint(page, ['entry', 'window-view', 'steps-section', 'report', 'checks', 'plot', 'grade']);
  await page.emulateMedia({media: 'screen'});
  await check('print gives the report, the checks and the plot', () =>
    assert.deepStrictEqual(printed, [false, false, false, true, true, true, false]));
  await page.fill('#cell-b1', '44.13130');
  const stale = await staleBoxes(page);
  await page.click('#print');
  const refused = await page.textContent('#status');
  await page.emulateMedia({media: 'print'});
  const staleInPrint = await shownInPrint(page, ['report', 'checks', 'stale-note']);
  await page.emulateMedia({media: 'screen'});
  await page.click('#compute');
  await check('an edited cell marks the results stale; they are neither printed nor stale once computed again', async () => {
    assert.deepStrictEqual(stale, ['true', 'true', 'true', 'true']);
    assert.match(refused, /过时/);
    assert.deepStrictEqual(staleInPrint, [false, false, true]);
    assert.deepStrictEqual(await staleBoxes(page), ['', '', '', '']);
  });
  // A refused cell, then English: every result shown follows the language.
  await page.fill('#cell-b2', '44.2x');
  await page.selectOption('#language', 'en');
  const english = await page.evaluate(() => ['report', 'checks', 'steps', 'window-Text10'].map((id) =>
    /[\u4e00-\u9fff]/.test(document.getElementById(id).textContent.replace(/北山|一号/g, ''))));
  await page.selectOption('#language', 'zh');
  await page.fill('#cell-b2', '44.20042');
  await check('with a refused cell the language switch turns the report, checks, steps and fields', () =>
    assert.deepStrictEqual(english, [false, false, false, false]));
}

async function checkNamedControls(page, check) {
  await page.fill('#cell-b3', '49.6');
  const unnamed = await page.evaluate(() => {
    const name = (control) => (control.getAttribute('aria-label') ||
      [...(control.labels || [])].map((label) => label.textContent).join(' ') ||
      (control.getAttribute('aria-labelledby') || '').split(' ').map((id) => (document.getElementById(id) || {}).textContent || '').join(' ') ||
      (control.tagName === 'BUTTON' ? control.textContent : '')).trim();
    return [...document.querySelectorAll('input:not([type="file"]), select, button, #window .field')]
      .filter((control) => control.offsetParent !== null && !name(control)).map((control) => control.id);
  });
  const described = await page.evaluate(() => {
    const cell = document.getElementById('cell-b3');
    return [cell.getAttribute('aria-invalid'), document.getElementById(cell.getAttribute('aria-describedby')).textContent];
  });
  await page.fill('#cell-b3', '49.18030');
  await check('every control and result field is named by its label; a refused cell is described by its reason', () => {
    assert.deepStrictEqual(unnamed, []);
    assert.strictEqual(described[0], 'true');
    assert.match(described[1], /b\(3\)/);
  });
}

async function checkKeptAndLinked(page, address, check) {
  const before = await page.evaluate(() => window.MorvalenPage.observations());
  const link = await page.evaluate(() => window.Morvalen.link());
  await page.reload();
  await ready(page);
  const kept = await page.evaluate(() => [window.MorvalenPage.observations(), document.getElementById('grade').value]);
  const fresh = await page.context().browser().newContext({locale: 'zh-CN'});
  const other = await fresh.newPage();
  await other.goto(link);
  await ready(other);
  await other.click('#compute');
  const linked = [await other.evaluate(() => window.MorvalenPage.observations()), await fieldsOf(other), other.url()];
  await fresh.close();
  await page.click('#compute');
  const here = await fieldsOf(page);
  await check('a reload keeps the table and the grade; Morvalen.link() carries the data set to another browser', () => {
    assert.deepStrictEqual(kept[0], before);
    assert.notStrictEqual(kept[1], '');
    assert.ok(link.startsWith(address + '#') && link.includes('b8=37.22520'), link);
    assert.deepStrictEqual(linked[0], before);
    assert.deepStrictEqual(linked[1], here);
    assert.ok(!linked[2].includes('#'), 'the fragment stays in the address');
  });
}

// A name holding a line break, in a file dropped on the page: the page computes the name the terminal computes.
async function checkDroppedLineBreak(page, cli, work, check) {
  const file = path.join(work, 'line-break.csv');
  fs.writeFileSync(file, 'id,xa,ya,xb,yb,name_A,name_P1,name_P2,name_closing,b1,b2,b3,b4,b5,b6,b7,b8\n' +
    'LB,1000,1000,1010,1175,A,"North\nHill",P2,B,44.13120,44.20042,49.18030,42.08428,33.10401,55.22345,54.03519,37.22520\n');
  const dropped = await page.evaluateHandle((text) => {
    const transfer = new DataTransfer();
    transfer.items.add(new File([text], 'line-break.csv', {type: 'text/csv'}));
    return transfer;
  }, fs.readFileSync(file, 'utf8'));
  await page.dispatchEvent('body', 'drop', {dataTransfer: dropped});
  await page.waitForFunction(() => document.getElementById('cell-name_P1').value === 'NorthHill');
  await page.click('#compute');
  const shown = await fieldsOf(page);
  const expected = JSON.parse(execFileSync(cli, ['--json', '--observations', file, '--row', 'LB']).toString()).fields;
  // Made an azimuth case, the table holds values the file has no column for: a save is refused. A square's angles
  // close exactly and the run stops: an export is refused. Each refusal follows a language switch, which writes no
  // row into the file.
  const refusals = [];
  const steps = [['xb', '0'], ['yb', '0'], ['Ta', '45.3'], ['Qa', '30'], ['start_side_length', '100'],
    ['start_side_number', '1'], ['name_P3', 'P3', '#save'], ['xb', '1010'], ['yb', '1175'],
    ...[1, 2, 3, 4, 5, 6, 7, 8].map((k) => ['b' + k, '45', k === 8 ? '#export' : null])];
  for (const [cell, value, button] of steps) {
    await page.fill('#cell-' + cell, value);
    if (!button) continue;
    await page.click(button);
    refusals.push(await page.textContent('#status'));
    await page.selectOption('#language', 'en');
    refusals.push(await page.textContent('#status'));
    await page.selectOption('#language', 'zh');
  }
  const rowsAfter = await page.evaluate(() => window.MorvalenPage.page.openedFile.rows.length);
  await check('a file dropped on the page opens; a name with a line break computes as the terminal reads it; a refused save or export follows the language', () => {
    for (const [name, value] of Object.entries(expected)) {
      (Array.isArray(value) ? value : [value]).forEach((text, i) =>
        assert.strictEqual(shown[Array.isArray(value) ? `${name}_${i}` : name], text, name));
    }
    assert.match(refusals[0], /^观测文件 line-break\.csv 没有列 "/);
    assert.match(refusals[1], /^the observation file line-break\.csv /);
    assert.match(refusals[2], /^没有写出成果文件 成果表\./);
    assert.doesNotMatch(refusals[3], /[\u4e00-\u9fff]/);
    assert.strictEqual(rowsAfter, 1);
  });
}

// A campaign of 12 000 rows (1.5 MB) is read by a worker with its progress shown; the chooser finds a row by its id.
async function checkLargeCampaign(page, work, check) {
  const rows = fs.readFileSync('examples/campaign.csv', 'utf8').trim().split('\n');
  const lines = [rows[0]];
  for (let i = 0; lines.length <= 12000; ++i) lines.push(`R${i + 1} ` + rows[1 + (i % (rows.length - 1))]);
  const file = path.join(work, 'large-campaign.csv');
  fs.writeFileSync(file, lines.join('\n') + '\n');
  await page.setInputFiles('#open-file', file);
  const progress = await page.waitForSelector('#reading:not([hidden])', {timeout: 10000}).then(() => true, () => false);
  await page.waitForSelector('#reading[hidden]', {state: 'attached', timeout: 120000});
  const listed = await page.$$eval('#row option', (options) => options.length);
  await page.fill('#row-search', 'R11999 ');
  await page.selectOption('#row', {index: 0});
  const chosen = [await page.textContent('#row-count'), await page.inputValue('#cell-b8')];
  const expectedB8 = lines[11999].trim().split(',').pop();
  // Saved into the file, the table is its last row: listed after the first 200 and chosen.
  await Promise.all([page.waitForEvent('download', {timeout: 10000}), page.click('#save')]);
  const saved = await page.$eval('#row', (chooser) => [chooser.options.length, chooser.selectedOptions[0]?.textContent]);
  await check('a large campaign is read by a worker with progress; the row chooser lists 200, finds a row by id and shows the row saved', () => {
    assert.ok(progress, 'no progress shown');
    assert.strictEqual(listed, 200);
    assert.match(chosen[0], /共 1 行/);
    assert.strictEqual(chosen[1], expectedB8);
    assert.deepStrictEqual(saved, [201, '1']);
  });
}

// The keyboard alone: a new data set, each value typed and Enter to the next cell, Enter in the last computes.
async function checkKeyboard(page, values, expectedText11, check) {
  await page.focus('#clear');
  await page.keyboard.press('Enter');
  await page.focus('#cell-xa');
  for (const value of Object.values(values)) {
    await page.keyboard.type(value);
    await page.keyboard.press('Enter');
  }
  const shown = await page.textContent('#window-Text11');
  await check('the keyboard alone fills the table and computes (Enter to the next cell, Enter in the last computes)',
    () => assert.strictEqual(shown, expectedText11));
}

module.exports = {checkKeyboard, checkStaleAndPrint, checkNamedControls, checkKeptAndLinked, checkDroppedLineBreak, checkLargeCampaign};
