// The page as an app, checked by scripts/web-check.js: its precompressed files, the .dat export against the
// terminal's, the precision figures against the terminal's, the phone layout, and a reload without the network.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const assert = require('assert');
const {execFileSync, spawnSync} = require('child_process');

// The precision figures as the run's other numbers: a few units in the last place of the largest figure of their
// object in the same unit. The one exception is a semi-axis that is zero in truth, the b of the relative ellipse of
// a side whose length the data fix: it comes out as the square root of a rounding residue (about 1.5·10⁻⁸ mm, √ε
// of a millimetre), different in each C library, and is only required to stay that small. docs/web.md tells it.
const precisionTolerance = 1e-14;
const zeroSemiAxis = 1e-7;  // of the ellipse's a

// A figure is compared with the largest figure of its object in the same unit (an ellipse's b with its a).
function largestDifference(actual, expected, where, found, scale = 0) {
  if (typeof expected === 'number') {
    assert.strictEqual(typeof actual, 'number', where);
    const size = Math.max(Math.abs(expected), scale, 1e-300);
    const relative = actual === expected ? 0 : Math.abs(actual - expected) / size;
    if (relative > found.relative) Object.assign(found, {relative, where});
    return found;
  }
  if (expected && typeof expected === 'object') {
    assert.deepStrictEqual(Object.keys(actual || {}), Object.keys(expected), where);
    const unit = (key) => (key.match(/_(mm|m|sec|deg)$/) || [])[1];
    for (const key of Object.keys(expected)) {
      if (key === 'b_mm' && expected.b_mm < zeroSemiAxis * expected.a_mm) {
        assert.ok(actual.b_mm < zeroSemiAxis * expected.a_mm, `${where}/b_mm: ${actual.b_mm}`);
        continue;
      }
      const sameUnit = Object.keys(expected).filter((other) => unit(other) && unit(other) === unit(key) && typeof expected[other] === 'number');
      const largest = Math.max(0, ...sameUnit.map((other) => Math.abs(expected[other])));
      largestDifference(actual[key], expected[key], `${where}/${key}`, found, largest);
    }
    return found;
  }
  assert.strictEqual(actual, expected, where);
  return found;
}

// Every precompressed file holds its original.
async function checkPrecompressed(pageFolder, check) {
  const names = fs.readdirSync(pageFolder, {recursive: true}).map(String);
  const compressed = names.filter((name) => /\.(gz|br)$/.test(name));
  await check(`the ${compressed.length} precompressed files (.gz, .br) hold their originals`, () => {
    assert.ok(compressed.some((name) => name === 'morvalen.wasm.gz'), 'no morvalen.wasm.gz');
    for (const name of compressed) {
      const bytes = fs.readFileSync(path.join(pageFolder, name));
      const original = fs.readFileSync(path.join(pageFolder, name.slice(0, -3)));
      const unpacked = name.endsWith('.gz') ? zlib.gunzipSync(bytes) : zlib.brotliDecompressSync(bytes);
      assert.ok(unpacked.equals(original), name);
    }
  });
  const size = (filter) => names.filter(filter).reduce((sum, name) => sum + fs.statSync(path.join(pageFolder, name)).size, 0);
  const plain = size((name) => !/\.(gz|br)$/.test(name) && !/\.png$/.test(name));
  console.log(`      the page's files: ${(plain / 1024).toFixed(0)} KB, ${(size((n) => n.endsWith('.gz')) / 1024).toFixed(0)} KB as .gz, ${
    (size((n) => n.endsWith('.br')) / 1024).toFixed(0)} KB as .br (icons aside)`);
}

// The precision of the stations and between them against morvalen-cli --grade, on every example and scenario.
async function checkPrecision(page, cli, work, check) {
  const found = {relative: 0, where: ''};
  let runs = 0;
  const cases = fs.readFileSync(path.join(work, 'expected', 'cases'), 'utf8').split('\n').filter((name) => name);
  for (const example of cases) {
    const replies = fs.readFileSync(path.join(work, 'expected', example + '.replies'), 'utf8');
    // A stopped run exits 3 and has no precision.
    const expected = JSON.parse(spawnSync(cli, ['--json', '--grade', '四等'], {input: replies}).stdout.toString());
    if (!expected.precision) continue;
    const actual = await page.evaluate((text) => window.Morvalen.run(text, {lang: 'zh', grade: '四等'}), replies);
    largestDifference(actual.precision, expected.precision, example, found);
    runs += 1;
  }
  await check(`the precision of the stations and between them as the terminal's, to ${precisionTolerance} (${runs} runs)`,
    () => assert.ok(runs > 0 && found.relative <= precisionTolerance, `${found.relative} at ${found.where}`));
  console.log(`      largest relative difference of a precision figure: ${found.relative.toExponential(2)} (${found.where})`);
}

// The CASS export downloaded from the page, byte for byte the terminal's for the same row of the campaign file.
async function checkCassExport(page, downloaded, cli, work, check) {
  await page.selectOption('#export-format', 'dat');
  const fromPage = await downloaded('#export');
  const expectedPath = path.join(work, 'terminal.dat');
  fs.rmSync(expectedPath, {force: true});
  execFileSync(cli, ['--observations', 'examples/campaign.csv', '--row', 'Q2 azimuth', '--export', expectedPath], {stdio: 'ignore'});
  await check('the .dat (CASS, GB 18030) downloads byte for byte as morvalen-cli --export writes it', () => {
    assert.strictEqual(path.extname(fromPage.name), '.dat');
    assert.ok(fromPage.bytes.equals(fs.readFileSync(expectedPath)), fromPage.bytes.toString('latin1'));
  });
}

// Saving the table into the campaign file kept in GB 18030 (as Excel on a Chinese Windows saves it) writes GB 18030:
// the same text as the save into the UTF-8 file.
async function checkGb18030Save(page, downloaded, gb18030File, savedUtf8, check) {
  await page.setInputFiles('#open-file', gb18030File);
  await page.waitForFunction(() => document.getElementById('row').options.length > 0);
  await page.selectOption('#row', {label: 'Q2 azimuth'});
  const saved = await downloaded('#save');
  await check('saving into a GB 18030 file writes GB 18030, the same text as into the UTF-8 file', () => {
    assert.ok(saved.bytes.equals(execFileSync('iconv', ['-f', 'UTF-8', '-t', 'GB18030'], {input: savedUtf8})));
  });
}

// Types the known-side data set of the campaign example into the table and computes.
async function computeKnownSide(page, values) {
  for (const [key, value] of Object.entries(values)) await page.fill('#cell-' + key, value);
  await page.click('#compute');
  return page.textContent('#window-Text11');
}

// Once loaded, the page reloads without the network (its service worker keeps its files) and computes; pictures of
// the page on a desktop screen after the computation, in both languages.
async function checkOffline(browser, address, values, expectedText11, screenshots, check) {
  const context = await browser.newContext({locale: 'zh-CN', viewport: {width: 1366, height: 768}});
  const page = await context.newPage();
  await page.goto(address);
  await page.waitForSelector('body[data-ready="true"]', {timeout: 15000});
  await page.evaluate(() => navigator.serviceWorker.ready);
  await context.setOffline(true);
  let shown = null;
  try {
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]', {timeout: 15000});
    shown = await computeKnownSide(page, values);
    await page.screenshot({path: screenshots('desktop-zh')});
    await page.goto(address + '?lang=en');
    await page.waitForSelector('body[data-ready="true"]', {timeout: 15000});
    await computeKnownSide(page, values);
    await page.screenshot({path: screenshots('desktop-en')});
  } catch (failure) {
    shown = String(failure.message).split('\n')[0];
  }
  const english = await page.textContent('#compute').catch(() => '');
  await context.setOffline(false);
  await context.close();
  await check('without the network the page reloads from its service worker and computes, in either language', () => {
    assert.strictEqual(shown, expectedText11);
    assert.match(english, /Compute/i);
  });
}

// A phone of 390 × 844: one column, no sideways scrolling after a computation, controls a finger can hit.
async function checkPhone(browser, address, values, screenshots, check) {
  const context = await browser.newContext({locale: 'zh-CN', viewport: {width: 390, height: 844}, deviceScaleFactor: 2,
    isMobile: true, hasTouch: true});
  const page = await context.newPage();
  // The first visit on a phone of middle speed: four times slower than this machine, 1.6 Mbit/s with 150 ms of
  // latency (a slow 4G line).
  const session = await context.newCDPSession(page);
  let transferred = 0;
  session.on('Network.loadingFinished', (event) => { transferred += event.encodedDataLength; });
  await session.send('Network.enable');
  await session.send('Emulation.setCPUThrottlingRate', {rate: 4});
  await session.send('Network.emulateNetworkConditions', {offline: false, latency: 150,
    downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8});
  const started = Date.now();
  await page.goto(address);
  await page.waitForSelector('body[data-ready="true"]', {timeout: 60000});
  console.log(`      first visit on a throttled phone (4× CPU, 1.6 Mbit/s, 150 ms): ready after ${Date.now() - started} ms, ${
    (transferred / 1024).toFixed(0)} KB transferred`);
  await session.send('Emulation.setCPUThrottlingRate', {rate: 1});
  await session.send('Network.emulateNetworkConditions', {offline: false, latency: 0, downloadThroughput: -1,
    uploadThroughput: -1});
  await page.selectOption('#grade', {index: 4});
  await computeKnownSide(page, values);
  const layout = await page.evaluate(() => ({
    width: document.documentElement.scrollWidth,
    small: [...document.querySelectorAll('header button, header select, #entry button, #entry select, #entry input, #grade, #sigma, #print')]
      .filter((control) => control.offsetParent !== null && control.type !== 'file')
      .map((control) => [control.id, control.getBoundingClientRect()])
      .filter(([, box]) => box.height < 44 || box.width < 44)
      .map(([id, box]) => `${id} ${Math.round(box.width)}×${Math.round(box.height)}`),
    decimal: document.getElementById('cell-b1').inputMode,
  }));
  await check('on a phone (390 × 844) nothing scrolls sideways after a computation, controls are at least 44 px', () => {
    assert.ok(layout.width <= 390, `the page is ${layout.width} px wide`);
    assert.deepStrictEqual(layout.small, []);
    assert.strictEqual(layout.decimal, 'decimal');
  });
  for (const lang of ['zh', 'en']) {
    await page.selectOption('#language', lang);
    await page.screenshot({path: screenshots(`phone-${lang}`), fullPage: true});
  }
  await context.close();
}

module.exports = {checkPrecompressed, checkPrecision, checkCassExport, checkGb18030Save, checkOffline, checkPhone};
