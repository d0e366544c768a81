// The checks of scripts/web-check, run by Node.js: serves the page on 127.0.0.1 and drives Debian's Chromium.
//   node scripts/web-check.js PAGE_FOLDER WORK_FOLDER SCREENSHOT
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');
const assert = require('assert');
const {chromium} = require('playwright-core');
const app = require('./web-check-app.js');
const features = require('./web-check-features.js');
const pageChecks = require('./web-check-page.js');

const [pageFolder, work, screenshot] = process.argv.slice(2);
const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.css': 'text/css',
  '.wasm': 'application/wasm', '.mo': 'application/octet-stream', '.ttf': 'font/ttf', '.csv': 'text/csv',
  '.webmanifest': 'application/manifest+json', '.svg': 'image/svg+xml', '.png': 'image/png', '.json': 'application/json'};

// A static server of the page's folder and nothing else; a file precompressed beside it (.br, .gz) is sent where the
// browser takes that encoding, as a course site's server would.
function serve() {
  const server = http.createServer((request, response) => {
    const wanted = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(pageFolder, wanted === '/' ? 'index.html' : wanted);
    if (!file.startsWith(path.resolve(pageFolder) + path.sep) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    const accepted = String(request.headers['accept-encoding'] || '');
    const encoding = ['br', 'gzip'].find((name) => accepted.includes(name) && fs.existsSync(file + (name === 'br' ? '.br' : '.gz')));
    const headers = {'Content-Type': types[path.extname(file)] || 'application/octet-stream'};
    if (encoding) Object.assign(headers, {'Content-Encoding': encoding, 'Vary': 'Accept-Encoding'});
    response.writeHead(200, headers);
    fs.createReadStream(encoding ? file + (encoding === 'br' ? '.br' : '.gz') : file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const failures = [];
async function check(description, test) {
  try {
    await test();
    console.log('ok    ' + description);
  } catch (failure) {
    failures.push(description);
    console.log('FAIL  ' + description + '\n      ' + String(failure.message).split('\n').slice(0, 12).join('\n      '));
  }
}

// The browser's mathematics library (musl's, from FreeBSD) and glibc's may round sin, cos, tan, atan, atan2 and
// hypot differently in the last bit, so the run's values at full precision ("result", "steps") may differ by an
// ulp or two. Every text is compared exactly; a number that is not equal must agree to 1e-14 of its size (a few ulps), and the
// largest such difference is reported.
let largestRelativeDifference = 0;
let unequalNumbers = 0;
function sameValue(actual, expected, where) {
  if (typeof expected === 'number' && typeof actual === 'number') {
    if (actual === expected) return;
    const relative = Math.abs(actual - expected) / Math.max(Math.abs(expected), 1e-300);
    largestRelativeDifference = Math.max(largestRelativeDifference, relative);
    unequalNumbers += 1;
    assert.ok(relative <= 1e-14, `${where}: ${actual} against ${expected}`);
    return;
  }
  if (Array.isArray(expected) || (expected && typeof expected === 'object')) {
    assert.ok(actual && typeof actual === 'object' && Array.isArray(actual) === Array.isArray(expected), `${where}: ${JSON.stringify(actual)}`);
    assert.deepStrictEqual(Object.keys(actual), Object.keys(expected), `${where}: keys`);
    for (const key of Object.keys(expected)) sameValue(actual[key], expected[key], `${where}/${key}`);
    return;
  }
  assert.strictEqual(actual, expected, where);
}

// The replies a surveyor types for a data set: each value, then Enter at its confirmation.
function repliesOf(values, order) {
  return order.map((key) => values[key] + '\n\n').join('');
}

async function main() {
  const server = await serve();
  const address = 'http://127.0.0.1:' + server.address().port + '/';
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  const context = await browser.newContext({locale: 'zh-CN', viewport: {width: 1280, height: 1000}});
  const page = await context.newPage();
  const consoleErrors = [];
  page.on('console', (message) => { if (message.type() === 'error') consoleErrors.push(message.text()); });
  page.on('pageerror', (error) => consoleErrors.push(String(error)));
  // The page asks before it empties a table: the user agrees.
  page.on('dialog', (dialog) => dialog.accept());

  // The time from navigation to a page ready for typing, five loads (the first compiles the .wasm afresh).
  const readyTimes = [];
  for (let load = 0; load < 5; ++load) {
    const loadStarted = Date.now();
    await page.goto(address);
    await page.waitForSelector('body[data-ready="true"]', {timeout: 15000});
    readyTimes.push(Date.now() - loadStarted);
  }
  const sortedTimes = [...readyTimes].sort((a, b) => a - b);
  console.log(`page ready after ${readyTimes.join(', ')} ms (median ${sortedTimes[2]} ms)`);

  // Morvalen.run against morvalen-cli --json, every case in both languages.
  const cases = fs.readFileSync(path.join(work, 'expected', 'cases'), 'utf8').split('\n').filter((name) => name);
  let compared = 0;
  const mismatched = [];
  for (const name of cases) {
    // The page takes the replies as text: a file that is not UTF-8 is read as GB 18030, as the terminal reads it.
    const bytes = fs.readFileSync(path.join(work, 'expected', name + '.replies'));
    let replies;
    try {
      replies = new TextDecoder('utf-8', {fatal: true}).decode(bytes);
    } catch {
      replies = new TextDecoder('gb18030').decode(bytes);
    }
    for (const lang of ['zh', 'en']) {
      const expected = JSON.parse(fs.readFileSync(path.join(work, 'expected', `${name}.${lang}.json`), 'utf8'));
      const actual = await page.evaluate(([text, language]) => window.Morvalen.run(text, {lang: language}), [replies, lang]);
      try {
        sameValue(actual, expected, '');
      } catch (difference) {
        mismatched.push(`${name} (${lang}): ${difference.message.split('\n').slice(0, 8).join(' | ')}`);
      }
      compared += 1;
    }
  }
  await check(`Morvalen.run equals morvalen-cli --json on ${cases.length} examples and scenarios in both languages (${compared} runs)`,
    () => assert.deepStrictEqual(mismatched, []));
  console.log(`      every text equal; ${unequalNumbers} numbers at full precision differ, by at most ${
    largestRelativeDifference.toExponential(2)} of their size`);

  // One computation with every output, timed in the page.
  const timing = await page.evaluate((text) => {
    const started = performance.now();
    const rounds = 20;
    for (let i = 0; i < rounds; ++i) window.Morvalen.run(text, {lang: 'zh', steps: true, grade: '四等'});
    return (performance.now() - started) / rounds;
  }, fs.readFileSync('examples/azimuth.replies', 'utf8'));
  console.log(`one computation with every output (azimuth case, steps, checks, precision): ${timing.toFixed(2)} ms`);
  await check('a computation with every output takes under 50 ms', () => assert.ok(timing < 50, `${timing} ms`));

  // The table as a person types into it: the known-side data set of the campaign example.
  const knownSide = {xa: '1000', ya: '1000', xb: '1010', yb: '1175', name_A: 'A', name_P1: 'P1', name_P2: 'P2',
    name_closing: 'B', b1: '44.13120', b2: '44.20042', b3: '49.18030', b4: '42.08428', b5: '33.10401',
    b6: '55.22345', b7: '54.03519', b8: '37.22520'};
  const order = ['xa', 'ya', 'xb', 'yb', 'name_A', 'name_P1', 'name_P2', 'name_closing', 'b1', 'b2', 'b3', 'b4',
    'b5', 'b6', 'b7', 'b8'];
  for (const key of order) {
    await page.click('#cell-' + key);
    await page.keyboard.type(knownSide[key]);
  }
  await check('the case is shown in words once Xb and Yb are typed',
    async () => assert.match(await page.textContent('#case'), /已知边 A–B 起算/));
  await page.focus('#cell-b3');
  await check('the diagram highlights the angle of the cell in focus', async () =>
    assert.deepStrictEqual(await page.$$eval('#window .label.highlight', (labels) => labels.map((l) => l.textContent)), ['b(3)']));
  await page.focus('#cell-xa');
  await check('the diagram lights the labels the window lights: A with its brackets in both diagrams', async () =>
    assert.deepStrictEqual(await page.$$eval('#window .label.highlight', (labels) => labels.map((l) => l.id).sort()),
      ['window-Label42', 'window-Label60', 'window-Label62']));
  // A refused cell: a typo in b(1) is marked on its cell, and computing is refused with the reason.
  await page.fill('#cell-b1', '44.1312x');
  await page.click('#compute');
  const refused = await page.evaluate(() => ({
    marked: document.getElementById('cell-b1').classList.contains('problem'),
    reason: document.getElementById('cell-b1').title,
    status: document.getElementById('status').textContent,
    computed: document.getElementById('window-Text15').textContent,
  }));
  await check('a refused cell is marked with its reason and computing is refused', () => {
    assert.ok(refused.marked, 'b(1) not marked');
    assert.match(refused.reason, /b\(1\)/);
    assert.match(refused.status, /b\(1\)/);
    assert.strictEqual(refused.computed, '');
  });
  // The window's checks: 61 minutes in b(5) and an angle of 180° are refused on their cells, as the window refuses them.
  await page.fill('#cell-b1', knownSide.b1);
  await page.fill('#cell-b5', '33.6140');
  await page.fill('#cell-b6', '180');
  const windowChecks = await page.evaluate(() => ['b5', 'b6'].map((key) => document.getElementById('cell-' + key).title));
  await check('the window\'s checks: minutes of 60 or more and an angle of 180° are refused', () => {
    assert.match(windowChecks[0], /b\(5\).*60/);
    assert.match(windowChecks[1], /b\(6\).*180/);
  });
  await page.fill('#cell-b5', knownSide.b5);
  await page.fill('#cell-b6', knownSide.b6);
  await page.click('#compute');
  const expected = JSON.parse(require('child_process').execFileSync(process.env.MORVALEN_CLI || 'build/bin/morvalen-cli',
    ['--json'], {input: repliesOf(knownSide, order)}).toString());
  const shown = await page.evaluate(() => {
    const fields = {};
    for (const element of document.querySelectorAll('#window .field')) fields[element.id.replace('window-', '')] = element.textContent;
    return {fields, report: document.getElementById('report').textContent, stop: document.getElementById('stop').hidden};
  });
  await check('computing from the table shows the fields exactly as the dialogue writes them', () => {
    for (const [name, value] of Object.entries(expected.fields)) {
      (Array.isArray(value) ? value : [value]).forEach((text, i) =>
        assert.strictEqual(shown.fields[Array.isArray(value) ? `${name}_${i}` : name], text, name));
    }
    assert.ok(shown.stop, 'a stop is shown');
    assert.match(shown.report, /P1/);
  });

  // Opening an observation file with the row chooser: the campaign example, and the same file as Excel on a Chinese
  // Windows saves it (GB 18030, no byte-order mark).
  const campaign = 'examples/campaign.csv';
  const gb18030 = path.join(work, 'campaign-gb18030.csv');
  fs.writeFileSync(gb18030, require('child_process').execFileSync('iconv', ['-f', 'UTF-8', '-t', 'GB18030', campaign]));
  for (const file of [campaign, gb18030]) {
    await page.setInputFiles('#open-file', file);
    await page.waitForFunction(() => document.getElementById('row').options.length > 0);
    const rows = await page.$$eval('#row option', (options) => options.map((option) => option.textContent));
    await page.selectOption('#row', {label: 'Q3 exact figure'});
    await page.click('#compute');
    const opened = await page.evaluate(() => ({
      name: document.getElementById('cell-name_P2').value,
      fields: Object.fromEntries([...document.querySelectorAll('#window .field')].map((e) => [e.id.replace('window-', ''), e.textContent])),
    }));
    const fromFile = JSON.parse(require('child_process').execFileSync(process.env.MORVALEN_CLI,
      ['--json', '--observations', campaign, '--row', 'Q3 exact figure']).toString());
    await check(`opening ${path.basename(file)}: the row chooser lists its rows, a row computes as morvalen-cli --observations`, () => {
      assert.ok(rows.length >= 4, rows.join(', '));
      assert.strictEqual(opened.name, '北山,一号');
      for (const [name, value] of Object.entries(fromFile.fields)) {
        (Array.isArray(value) ? value : [value]).forEach((text, i) =>
          assert.strictEqual(opened.fields[Array.isArray(value) ? `${name}_${i}` : name], text, name));
      }
    });
  }

  // A field book: its eight angles for the stations the table names, as morvalen-cli --field-book reduces them.
  await page.click('#clear');
  await page.fill('#cell-xa', '1000');
  await page.fill('#cell-ya', '1000');
  await page.fill('#cell-xb', '1010');
  await page.fill('#cell-yb', '1175');
  await page.setInputFiles('#open-book-file', 'examples/field-book.csv');
  await page.waitForFunction(() => document.getElementById('cell-b8').value !== '');
  const bookAngles = await page.evaluate(() => [1, 2, 3, 4, 5, 6, 7, 8].map((k) => document.getElementById('cell-b' + k).value));
  const bookNames = await page.evaluate(() => ['name_A', 'name_P1', 'name_P2', 'name_closing'].map((k) => document.getElementById('cell-' + k).value));
  const bookReplies = ['1000', '1000', '1010', '1175', ...bookNames].map((value) => value + '\n\n').join('');
  const fromBook = JSON.parse(require('child_process').execFileSync(process.env.MORVALEN_CLI,
    ['--json', '--field-book', 'examples/field-book.csv'], {input: bookReplies}).toString());
  await page.click('#compute');
  const bookFields = await page.evaluate(() => [0, 1, 2, 3, 4, 5, 6, 7, 'Text11'].map((k) =>
    document.getElementById(typeof k === 'number' ? 'window-Text7_' + k : 'window-' + k).textContent));
  await check('opening a field book fills b(1)…b(8) as morvalen-cli --field-book reduces them', () => {
    assert.ok(bookAngles.every((angle) => angle !== ''), bookAngles.join(', '));
    assert.deepStrictEqual(bookFields, [...fromBook.fields.Text7, fromBook.fields.Text11]);
  });
  await features.checkRigorous(page, process.env.MORVALEN_CLI, 'examples/field-book.csv', bookReplies, check);
  await features.checkExercises(page, process.env.MORVALEN_CLI, work, check);

  // Bad input as the window meets it: any text in any cell, any file. A stop or a problem is shown with its message.
  const oddTexts = ['１２３．４', '-0', '1e400', '44.6112', '180', 'NaN', '"; DROP', '\u0000', '𝄞', ' ', '9'.repeat(400), ',,,'];
  const keys = ['xa', 'ya', 'xb', 'yb', 'start_side_length', 'start_side_number', 'Ta', 'Qa', 'name_A', 'name_P1',
    'name_P2', 'name_P3', 'name_closing', 'b1', 'b2', 'b3', 'b4', 'b5', 'b6', 'b7', 'b8'];
  let shownEveryTime = true;
  for (let round = 0; round < oddTexts.length; ++round) {
    await page.evaluate(([texts, cellKeys, r]) => {
      cellKeys.forEach((key, i) => { document.getElementById('cell-' + key).value = texts[(i + r) % texts.length]; });
      document.getElementById('cell-xb').value = r % 2 ? '0' : '1010';
      document.getElementById('cell-yb').value = r % 2 ? '0' : '1175';
    }, [oddTexts, keys, round]);
    await page.click('#compute');
    shownEveryTime = shownEveryTime && await page.evaluate(() =>
      document.getElementById('status').textContent !== '' || !document.getElementById('stop').hidden);
  }
  const junk = path.join(work, 'junk.csv');
  fs.writeFileSync(junk, Buffer.from(Array.from({length: 4096}, (_, i) => (i * 7919 + 13) % 256)));
  // A sound table, whose checks would not take the status; then the status emptied, so that the file's message is
  // waited for.
  await page.evaluate((values) => window.MorvalenPage.fillTable(values), knownSide);
  await page.evaluate(() => { document.getElementById('status').textContent = ''; });
  await page.setInputFiles('#open-file', junk);
  await page.waitForFunction(() => document.getElementById('status').textContent !== '');
  const junkStatus = await page.textContent('#status');
  // Refused, the file's message follows a language switch.
  await page.selectOption('#language', 'en');
  const junkStatusEnglish = await page.textContent('#status');
  await page.selectOption('#language', 'zh');
  await check('odd texts in every cell and a file of bytes: each shown with its message, the file by its name, in the language chosen', () => {
    assert.ok(shownEveryTime, 'a computation showed neither a stop nor a problem');
    assert.match(junkStatus, /^观测文件 junk\.csv /);  // named as its user knows it, not by the page's own folder
    assert.match(junkStatusEnglish, /^the observation file junk\.csv /);
  });

  // The guided mode asks the prompts of the dialogue in order; the replies of the known-side example finish the run.
  await page.selectOption('#mode', 'guided');
  const guidedReplies = fs.readFileSync('examples/known-side.replies', 'utf8').split('\n').slice(0, -1);
  const firstPrompt = await page.textContent('#prompt');
  for (const reply of guidedReplies) {
    await page.fill('#reply', reply);
    await page.press('#reply', 'Enter');
  }
  const guided = await page.evaluate(() => ({
    relativeError: document.getElementById('window-Text11').textContent,
    prompt: document.getElementById('prompt').textContent,
    table: ['xa', 'name_closing', 'b8', 'Ta'].map((key) => document.getElementById('cell-' + key).value),
  }));
  const guidedExpected = JSON.parse(fs.readFileSync(path.join(work, 'expected', 'example-known-side.zh.json'), 'utf8'));
  await check('the guided mode asks the prompts in order, fills the table and computes as the dialogue does', () => {
    assert.strictEqual(firstPrompt, guidedExpected.prompts[0]);
    assert.deepStrictEqual(guided.table, ['1000', 'B', '37.22520', '']);
    assert.strictEqual(guided.relativeError, guidedExpected.fields.Text11);
  });
  await page.selectOption('#mode', 'table');

  // In English every text of the page has its English in the catalogue.
  await page.selectOption('#language', 'en');
  await page.click('#compute');
  const untranslated = await page.evaluate(() => [...window.Morvalen.untranslated]);
  await check('every text of the page has its English', () => assert.deepStrictEqual(untranslated, []));
  await page.screenshot({path: screenshot.replace(/\.png$/, '-en.png'), fullPage: false});
  await page.selectOption('#language', 'zh');

  // The page after a run as a user sees it: the azimuth example of the campaign, checked against a grade.
  await page.setInputFiles('#open-file', campaign);
  await page.waitForFunction(() => document.getElementById('row').options.length > 0);
  await page.selectOption('#row', {label: 'Q2 azimuth'});
  await page.selectOption('#grade', {index: 4});
  await page.click('#compute');
  const computeMilliseconds = await page.evaluate(() => window.morvalenLastComputation.milliseconds);
  console.log(`compute from the table with every output shown (fields, report, steps, checks, plot): ${computeMilliseconds} ms`);
  await check('after a run the page shows the steps, the checks and the plot', async () => {
    assert.ok(await page.$$eval('#steps table', (tables) => tables.length) > 3);
    assert.match(await page.textContent('#checks'), /四等|一级|二级|三等|二等/);
  });
  // The page's plot is the terminal's --plot: the same shapes and texts, the relative ellipses (green) included.
  const plotFile = path.join(work, 'plot.svg');
  require('child_process').execFileSync(process.env.MORVALEN_CLI, ['--lang', 'zh', '--observations', campaign, '--row',
    'Q2 azimuth', '--grade', await page.inputValue('#grade'), '--plot', plotFile]);
  const written = fs.readFileSync(plotFile, 'utf8');
  const shownPlot = await page.$eval('#plot svg', (svg) => ({
    shapes: [...svg.querySelectorAll('line, ellipse, polygon, text')].map((e) => e.tagName).join(' '),
    texts: [...svg.querySelectorAll('text')].map((e) => e.textContent),
    relative: svg.querySelectorAll('ellipse[stroke="rgb(0,140,70)"]').length,
  }));
  await check('the page shows the plot morvalen-cli --plot writes, with the relative ellipses', () => {
    assert.strictEqual(shownPlot.shapes, (written.match(/<(line|ellipse|polygon|text)\b/g) || []).map((t) => t.slice(1)).join(' '));
    const unescaped = (text) => text.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&quot;/g, '"').replace(/&apos;/g, "'").replace(/&amp;/g, '&');
    assert.deepStrictEqual(shownPlot.texts, [...written.matchAll(/<text[^>]*>([^<]*)<\/text>/g)].map((m) => unescaped(m[1])));
    assert.ok(shownPlot.relative >= 4, `${shownPlot.relative} relative ellipses`);
  });
  await page.screenshot({path: screenshot, fullPage: true});
  // Saving the table adds a row to the opened file, downloaded; each export downloads in its format.
  const downloaded = async (button) => {
    const [download] = await Promise.all([page.waitForEvent('download', {timeout: 5000}).catch(async (failure) => {
      throw new Error(`no download from ${button}: ${await page.textContent('#status')}`);
    }), page.click(button)]);
    return {name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path())};
  };
  const saved = await downloaded('#save');
  const exports = {};
  for (const format of ['csv', 'xlsx', 'dxf']) {
    await page.selectOption('#export-format', format);
    exports[format] = await downloaded('#export');
  }
  await app.checkCassExport(page, downloaded, process.env.MORVALEN_CLI, work, check);
  await app.checkGb18030Save(page, downloaded, gb18030, saved.bytes, check);
  await check('saving adds the table as a row of the opened file; the exports download as .csv, .xlsx, .dxf', () => {
    const lines = saved.bytes.toString('utf8').trim().split(/\r?\n/);
    assert.strictEqual(saved.name, 'campaign.csv');
    assert.strictEqual(lines.length, fs.readFileSync(campaign, 'utf8').trim().split(/\r?\n/).length + 1);
    assert.match(lines[lines.length - 1], /^1,1000,1000,0,0,130.8625,1,200.0000,153.2505,A,P1,P2,P3,A,44.13120/);
    assert.match(exports.csv.bytes.toString('utf8'), /^\ufeffname,X,Y/);
    assert.strictEqual(exports.xlsx.bytes.subarray(0, 2).toString('latin1'), 'PK');
    assert.match(exports.dxf.bytes.toString('latin1'), /^(999\r?\n.*\r?\n)?\s*0\r?\nSECTION[\s\S]*\nEOF\s*$/);
  });
  await page.click('#compute');
  await pageChecks.checkStaleAndPrint(page, check);
  await pageChecks.checkNamedControls(page, check);
  await pageChecks.checkKeptAndLinked(page, address, check);
  await pageChecks.checkDroppedLineBreak(page, process.env.MORVALEN_CLI, work, check);
  await pageChecks.checkLargeCampaign(page, work, check);

  await app.checkPrecompressed(pageFolder, check);
  await app.checkPrecision(page, process.env.MORVALEN_CLI, work, check);
  const screenshots = (name) => screenshot.replace(/\.png$/, `-${name}.png`);
  const typed = Object.fromEntries(order.map((key) => [key, knownSide[key]]));
  await pageChecks.checkKeyboard(page, typed, expected.fields.Text11, check);
  await app.checkOffline(browser, address, typed, expected.fields.Text11, screenshots, check);
  await app.checkPhone(browser, address, typed, screenshots, check);

  await check('no error in the console', () => assert.deepStrictEqual(consoleErrors, []));
  await browser.close();
  server.close();
  if (failures.length) {
    console.log(`web-check: ${failures.length} check(s) failed`);
    process.exit(1);
  }
  console.log('web-check: every check passed');
}

main().catch((failure) => {
  console.error(failure);
  process.exit(1);
});
