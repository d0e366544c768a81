// The worker that reads a large observation file for the page, so that the page goes on answering meanwhile: its own
// instance of the computation reads the file and gives back its rows, as the page's own would.
//   message in: {bytes, name, lang}
//   messages out: {stage} while reading, {rows} for each part of the rows, then {answer} (its rows follow the parts)
//   or {failure}
'use strict';
const rowsPerMessage = 10000;
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
    const answer = self.Morvalen.call({call: 'openObservations', path, lang});
    if (answer.problem) { self.postMessage({answer}); return; }
    // The rows in parts, so that the page takes each in a moment and stays responsive.
    self.postMessage({stage: 'sending', rows: answer.rows.length});
    for (let first = 0; first < answer.rows.length; first += rowsPerMessage) {
      self.postMessage({rows: answer.rows.slice(first, first + rowsPerMessage)});
    }
    self.postMessage({answer: {keys: answer.keys, rows: [], notes: answer.notes}});
  } catch (failure) {
    self.postMessage({failure: String((failure && failure.message) || failure)});
  }
};
