// The page as an app, checked by scripts/web-check.js: the .dat export against the terminal's, saving into a
// GB 18030 file.
'use strict';
const fs = require('fs');
const path = require('path');
const assert = require('assert');
const {execFileSync} = require('child_process');

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

module.exports = {checkCassExport, checkGb18030Save};
