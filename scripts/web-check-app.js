// The page as an app, checked by scripts/web-check.js: the .dat export against the terminal's, saving into a
// GB 18030 file, the precision figures against the terminal's.
'use strict';
const fs = require('fs');
const path = require('path');
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

module.exports = {checkPrecision, checkCassExport, checkGb18030Save};
