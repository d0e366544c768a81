// The worker that reads a large observation file for the page, so that the page goes on answering meanwhile: its own
// instance of the computation reads the file and gives back its rows in parts, as the page's own would all at once.
//   message in: {bytes, name, lang}
//   messages out: {stage, percent} while the file is read, {stage: 'sending', rows: total} once it is, {rows} for
//   each part of the rows, then {answer} (its rows follow the parts) or {failure}
'use strict';
const rowsPerPart = 10000;
self.window = self;  // the interface (morvalen-api.js) is written for the page; a worker's global object serves as well
importScripts('morvalen.js', 'morvalen-api.js');

self.onmessage = async (event) => {
  const {bytes, name, lang} = event.data;
  try {
    self.postMessage({stage: 'starting'});
    await self.Morvalen.ready;
    const path = '/files/' + name.replace(/[\\/]/g, '_');
    self.Morvalen.writeFile(path, bytes);
    self.postMessage({stage: 'reading'});
    // Told by the computation while it reads the file: a worker's messages go out at once.
    self.morvalenReadProgress = (percent) => self.postMessage({stage: 'reading', percent});
    // The file is read with the first part and kept for the others: each part is listed by the page while the next
    // is made, and none is a large text to write and parse.
    let answer;
    for (let first = 0; ; first += rowsPerPart) {
      const part = self.Morvalen.call({call: 'openObservations', path, lang, first, count: rowsPerPart, progress: first === 0});
      if (part.problem) { self.postMessage({answer: part}); return; }
      if (first === 0) {
        answer = {keys: part.keys, rows: [], notes: part.notes};
        self.postMessage({stage: 'sending', rows: part.total});
      }
      self.postMessage({rows: part.rows});
      if (first + rowsPerPart >= part.total) break;
    }
    self.postMessage({answer});
  } catch (failure) {
    self.postMessage({failure: String((failure && failure.message) || failure)});
  }
};
