// Reading an observation file: a small one at once, a large one (more than largeFileBytes) by a worker
// (page-reader.js) with its progress shown, so that the page never freezes.
import {byId, tr, withArguments} from './page-state.js';

export const largeFileBytes = 1 << 20;

function showProgress(page, pattern, values) {
  const box = byId('reading');
  box.hidden = pattern === null;
  if (pattern !== null) byId('reading-text').textContent = withArguments(tr(page, pattern), values || []);
}

export function readObservationFile(page, bytes, name) {
  const path = '/files/' + name.replace(/[\\/]/g, '_');
  if (bytes.length <= largeFileBytes || typeof Worker === 'undefined') {
    return Promise.resolve(page.api.call({call: 'openObservations', path, lang: page.lang}));
  }
  const megabytes = (bytes.length / 1048576).toFixed(1);
  showProgress(page, '正在读取观测文件 %1（%2 MB）…', [name, megabytes]);
  const started = performance.now();
  return new Promise((resolve, reject) => {
    const worker = new Worker('page-reader.js');
    const rows = [];
    let total = 0;
    let percent = null;
    const tell = () => {
      const seconds = ((performance.now() - started) / 1000).toFixed(0);
      if (total) showProgress(page, '已读完 %1 行，正在列出（%2 行）…', [String(total), String(rows.length)]);
      else if (percent !== null) showProgress(page, '正在读取观测文件 %1（%2 MB）：%3%，已用 %4 秒…', [name, megabytes, String(percent), seconds]);
      else showProgress(page, '正在读取观测文件 %1（%2 MB）：逐行检查，已用 %3 秒…', [name, megabytes, seconds]);
    };
    const clock = setInterval(tell, 500);
    const ended = () => { clearInterval(clock); worker.terminate(); showProgress(page, null); };
    worker.onmessage = (event) => {
      const message = event.data;
      if (message.stage === 'sending') total = message.rows;
      if (typeof message.percent === 'number') percent = message.percent;
      if (message.rows && Array.isArray(message.rows)) rows.push(...message.rows);
      if ('answer' in message) { ended(); resolve(Object.assign({}, message.answer, {rows: rows.concat(message.answer.rows || [])})); }
      else if ('failure' in message) { ended(); reject(new Error(message.failure)); }
      else tell();
    };
    worker.onerror = (event) => { ended(); reject(new Error(event.message || 'worker')); };
    // The bytes are copied: the page keeps its own for saving into the file.
    worker.postMessage({bytes, name, lang: page.lang});
  });
}
