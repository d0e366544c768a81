// The rigorous adjustment of the field book opened on the page ("打开观测手簿…"): its directions and distances
// adjusted by least squares on the coordinates, beside the classical adjustment of the eight angles it gives. Shown
// as the terminal lists it: σ0 and the global test, the stations with their σ and ellipses, the differences from
// the classical result, every observation with its residual, redundancy number and w-test.
'use strict';
(function () {
  const {api, byId, lang, tr, withArguments, tableObservations} = window.MorvalenPageParts;
  const guarded = (command) => window.MorvalenPageParts.guarded(command, 'rigorous-summary');
  const html = `
    <h2 data-text="严密平差（方向与距离，间接平差）"></h2>
    <p id="rigorous-book"></p>
    <label><span data-text="一测回方向中误差（秒）："></span>
      <input id="rigorous-sigma-direction" size="5" inputmode="decimal" placeholder="2"></label>
    <label><span data-text="测距中误差 a 毫米 + b ppm："></span>
      <input id="rigorous-distance-sigma" size="6" value="2,2"></label>
    <button id="rigorous-compute" data-text="严密平差" disabled></button>
    <p id="rigorous-summary" role="status"></p>
    <pre id="rigorous-listing"></pre>`;

  let book = null;  // {path, name}: the field book last opened on the page

  // The field book the page has opened, kept in a folder of its own for the adjustment.
  async function keepBook(file) {
    const path = '/files/rigorous/' + file.name.replace(/[\\/]/g, '_');
    api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    book = {path, name: file.name};
    showBook();
  }

  function showBook() {
    byId('rigorous-book').textContent = book ? withArguments(tr('观测手簿：%1'), [book.name])
      : tr('先用“打开观测手簿…”打开一本手簿，再作严密平差。');
    byId('rigorous-compute').disabled = !book;
  }

  const setSummary = (text, isProblem) => window.MorvalenPageParts.setStatus('rigorous-summary', text, isProblem);

  function adjust() {
    if (!book) return;
    const request = {call: 'rigorous', path: book.path, observations: tableObservations(), lang: lang(),
      grade: byId('grade').value};
    const distance = byId('rigorous-distance-sigma').value.trim() || '2,2';
    const sigma = Number(byId('rigorous-sigma-direction').value);
    if (byId('rigorous-sigma-direction').value.trim()) {
      if (!(Number.isFinite(sigma) && sigma > 0)) {
        setSummary(tr('方向中误差应为正数（秒）。'), true);
        return;
      }
      request.sigma_direction = sigma;
    }
    // a mm + b ppm: two numbers not below zero, not both zero.
    const [a, b] = distance.split(',').map((part) => (/^\s*\d+(\.\d+)?\s*$/.test(part) ? Number(part) : NaN));
    if (distance.split(',').length !== 2 || !(a >= 0 && b >= 0 && a + b > 0)) {
      setSummary(withArguments(tr('测距中误差应为 A,B 两个非负数：%1'), [distance]), true);
      return;
    }
    request.distance_sigma_mm = a;
    request.distance_sigma_ppm = b;
    const answer = api.call(request);
    byId('rigorous-listing').textContent = answer.problem ? '' : answer.listing;
    if (answer.problem) { setSummary(answer.problem, true); return; }
    const result = answer;
    const test = result.global_test === null ? tr('无多余观测，不作检验')
      : result.global_test ? tr('全局检验通过') : tr('全局检验未通过');
    setSummary(withArguments(tr('σ0 = %1，自由度 %2，%3'),
      [result.sigma0 === null ? '—' : result.sigma0.toFixed(3), String(result.dof), test]), result.global_test === false);
  }

  function translated() {
    showBook();
    setSummary('', false);
    byId('rigorous-listing').textContent = '';
  }

  // The field book the page has opened and reduced, by its button or dropped on the page.
  document.addEventListener('morvalen-field-book', (event) => guarded(keepBook)(event.detail.file));

  window.MorvalenPageParts.section('rigorous-section', html,
    () => byId('rigorous-compute').addEventListener('click', guarded(adjust)), translated);
})();
