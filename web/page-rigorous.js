// The rigorous adjustment of the field book opened on the page ("打开观测手簿…"): its directions and distances
// adjusted by least squares on the coordinates, beside the classical adjustment of the eight angles it gives. Shown
// as the terminal lists it: σ0 and the global test, the stations with their σ and ellipses, the differences from
// the classical result, every observation with its residual, redundancy number and w-test. A listing shown is printed
// after the checks; once the table, the book or the σ no longer give it, it is marked stale and left out of print.
'use strict';
(function () {
  const {api, byId, lang, tr, withArguments, tableObservations} = window.MorvalenPageParts;
  const guarded = (command) => window.MorvalenPageParts.guarded(command, 'rigorous-summary');
  const html = `
    <h2 data-text="严密平差（方向与距离，间接平差）"></h2>
    <p id="rigorous-book"></p>
    <div class="no-print">
      <label><span data-text="一测回方向中误差（秒）："></span>
        <input id="rigorous-sigma-direction" size="5" inputmode="decimal" placeholder="2"></label>
      <label><span data-text="测距中误差 a 毫米 + b ppm："></span>
        <input id="rigorous-distance-sigma" size="6" value="2,2"></label>
      <button id="rigorous-compute" data-text="作严密平差" disabled></button>
    </div>
    <p id="rigorous-stale" class="stale-note" hidden></p>
    <p id="rigorous-summary" role="status"></p>
    <pre id="rigorous-listing"></pre>
    <div id="rigorous-plot"></div>`;

  let book = null;  // {path, name, opened}: the field book last opened on the page, and how many books before it
  let booksOpened = 0;
  // What a listing would now be computed from: the book, the table, the standard and the σ typed.
  const adjustedFrom = () => ({book: book && book.opened, observations: tableObservations(), grade: byId('grade').value,
    sigma: byId('rigorous-sigma-direction').value, distance: byId('rigorous-distance-sigma').value});
  const stale = window.MorvalenPageParts.staleResults(['rigorous-summary', 'rigorous-listing', 'rigorous-plot'],
    'rigorous-stale',
    '表中的数据、手簿或中误差已改动：下面的严密平差成果不是由这些数据算出的，请重新平差。', adjustedFrom);

  // The field book the page has opened, kept in a folder of its own for the adjustment (one per book opened, so that
  // a listing shown can be made again from its own book after a language switch).
  async function keepBook(file) {
    const opened = ++booksOpened;
    const path = `/files/rigorous/${opened}/` + file.name.replace(/[\\/]/g, '_');
    api.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    book = {path, name: file.name, opened};
    showBook();
    stale.check();
  }

  function showBook() {
    byId('rigorous-book').textContent = book ? withArguments(tr('观测手簿：%1'), [book.name])
      : tr('先用“打开观测手簿…”打开一本手簿，再作严密平差。');
    byId('rigorous-compute').disabled = !book;
  }

  const setSummary = (text, isProblem) => window.MorvalenPageParts.setStatus('rigorous-summary', text, isProblem);
  // A σ refused, said again in the language switched to.
  const refusal = window.MorvalenPageParts.retold('rigorous-summary');
  const refuse = (text) => refusal.set(text(), true, text);

  function adjust() {
    if (!book) return;
    refusal.forget();
    const request = {call: 'rigorous', path: book.path, observations: tableObservations(), lang: lang(),
      grade: byId('grade').value};
    const distance = byId('rigorous-distance-sigma').value.trim() || '2,2';
    const sigma = Number(byId('rigorous-sigma-direction').value);
    if (byId('rigorous-sigma-direction').value.trim()) {
      if (!(Number.isFinite(sigma) && sigma > 0)) {
        refuse(() => tr('方向中误差应为正数（秒）。'));
        return;
      }
      request.sigma_direction = sigma;
    }
    // a mm + b ppm: two numbers not below zero, not both zero.
    const [a, b] = distance.split(',').map((part) => (/^\s*\d+(\.\d+)?\s*$/.test(part) ? Number(part) : NaN));
    if (distance.split(',').length !== 2 || !(a >= 0 && b >= 0 && a + b > 0)) {
      refuse(() => withArguments(tr('测距中误差应为 A,B 两个非负数：%1'), [distance]));
      return;
    }
    request.distance_sigma_mm = a;
    request.distance_sigma_ppm = b;
    shownRequest = request;
    show(api.call(request), true);
  }

  // The request of the result shown, made again in the language switched to.
  let shownRequest = null;

  // An answer of the adjustment: the listing and plot, or its refusal; `fresh` when just computed from the page as it
  // is (not made again in another language from what it was computed from).
  function show(answer, fresh) {
    showListing(answer.problem ? '' : answer.listing, answer.problem ? '' : answer.plot_svg, fresh);
    if (answer.problem) { setSummary(answer.problem, true); return; }
    const result = answer;
    const test = result.global_test === null ? tr('无多余观测，不作检验')
      : result.global_test ? tr('全局检验通过') : tr('全局检验未通过');
    setSummary(withArguments(tr('σ0 = %1，自由度 %2，%3'),
      [result.sigma0 === null ? '—' : result.sigma0.toFixed(3), String(result.dof), test]), result.global_test === false);
  }

  // The listing and the plot of both sets of ellipses, printed with the report when there are (and left out while
  // stale).
  function showListing(listing, svg, fresh) {
    byId('rigorous-listing').textContent = listing;
    byId('rigorous-plot').textContent = '';
    if (svg) {
      const parsed = new DOMParser().parseFromString(svg, 'image/svg+xml');
      byId('rigorous-plot').appendChild(document.importNode(parsed.documentElement, true));
    }
    byId('rigorous-section').classList.toggle('no-print', !listing);
    if (!listing) stale.cleared();
    else if (fresh) stale.shown();
    else stale.check();
  }

  function translated() {
    showBook();
    if (shownRequest) show(api.call(Object.assign({}, shownRequest, {lang: lang()})), false);
    refusal.retell();
  }

  // The field book the page has opened and reduced, by its button or dropped on the page.
  document.addEventListener('morvalen-field-book', (event) => guarded(keepBook)(event.detail.file));

  window.MorvalenPageParts.section('rigorous-section', html,
    () => byId('rigorous-compute').addEventListener('click', guarded(adjust)), translated);
})();
