// Morvalen in the browser: the computation compiled to WebAssembly, behind one small interface for the page, for
// scripts and for tests.
//
//   await Morvalen.ready;
//   Morvalen.run(repliesText, {lang: "en", steps: true, grade: "四等"})  the value morvalen-cli --json prints
//   Morvalen.compute(observations, {lang, grade | sigma})             the same for the values of a table
//   Morvalen.plot(observations, {lang, grade | sigma})                the network plot of that computation, SVG text
//   Morvalen.face("en")                                                the window's layout, columns and case texts
//   Morvalen.text("计 算", "en")                                        a text of the interface in a language
'use strict';
window.Morvalen = (function () {
  let instance = null;
  const ready = (async function () {
    const [module, catalogue] = await Promise.all([
      createMorvalenModule(),
      fetch('morvalen.mo').then((response) => (response.ok ? response.arrayBuffer() : null), () => null),
    ]);
    // The English catalogue where the program looks for it: <prefix>/share/locale beside /bin.
    if (catalogue) {
      module.FS.mkdirTree('/share/locale/en/LC_MESSAGES');
      module.FS.writeFile('/share/locale/en/LC_MESSAGES/morvalen.mo', new Uint8Array(catalogue));
    }
    instance = module;
  })();

  // The file a call reads (its "path", or the teacher's "roster") is named by its own name, as its user knows it: the
  // computation works in the file's folder, so that its messages say "campaign.csv", not "/files/campaign.csv".
  function inItsFolder(request) {
    const key = ['path', 'roster'].find((name) => typeof request[name] === 'string' && request[name].startsWith('/'));
    if (!key) return request;
    const path = request[key];
    const folder = path.slice(0, path.lastIndexOf('/')) || '/';
    instance.FS.mkdirTree(folder);
    instance.FS.chdir(folder);
    return Object.assign({}, request, {[key]: path.slice(folder.length + (folder === '/' ? 0 : 1))});
  }

  function call(request) {
    if (!instance) throw new Error('Morvalen is not ready yet: await Morvalen.ready first');
    const asked = JSON.stringify(inItsFolder(request));
    const answer = JSON.parse(instance.ccall('morvalen_call', 'string', ['string'], [asked]));
    if (answer && !Array.isArray(answer) && typeof answer.error === 'string') throw new Error(answer.error);
    return answer;
  }

  function options(given) {
    const chosen = given || {};
    return {lang: chosen.lang === 'en' ? 'en' : 'zh', steps: !!chosen.steps, grade: chosen.grade, sigma: chosen.sigma};
  }

  const texts = {zh: new Map(), en: new Map()};
  const untranslated = new Set();
  return {
    ready,
    untranslated,
    call,
    run(replies, given) {
      return call(Object.assign({call: 'run', replies: String(replies)}, options(given)));
    },
    compute(observations, given) {
      return call(Object.assign({call: 'compute', observations}, options(given)));
    },
    // The network plot as morvalen-cli --plot writes it: SVG text, null without a checked computation.
    plot(observations, given) {
      return call(Object.assign({call: 'plot', observations}, options(given))).svg;
    },
    check(observations, lang) {
      return call({call: 'check', observations, lang: lang === 'en' ? 'en' : 'zh'});
    },
    // The browser's file system of the computation: a file the page opens is put there, a file written there is
    // offered for download.
    writeFile(path, bytes) {
      instance.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')) || '/');
      instance.FS.writeFile(path, bytes);
    },
    readFile(path) {
      return instance.FS.readFile(path);
    },
    // Makes way for a file to be written: its folder made, a file of that name before removed.
    clearFile(path) {
      instance.FS.mkdirTree(path.slice(0, path.lastIndexOf('/')) || '/');
      try { instance.FS.unlink(path); } catch (e) { /* there was none */ }
    },
    // The window's face from its one definition in the computation: layout, table columns, case texts.
    face(lang) {
      return call({call: 'face', lang: lang === 'en' ? 'en' : 'zh'});
    },
    grades(lang) {
      return call({call: 'grades', lang: lang === 'en' ? 'en' : 'zh'});
    },
    // A text of the interface; "caption\u0004" before it asks for its short form as a caption.
    text(chinese, lang) {
      if (lang !== 'en') return chinese.replace(/^caption\u0004/, '');
      const known = texts.en.get(chinese);
      if (known !== undefined) return known;
      const english = call({call: 'texts', texts: [chinese], lang: 'en'})[0];
      texts.en.set(chinese, english);
      // A Chinese text the catalogue has no English for: kept, for the page's check.
      if (english === chinese.replace(/^caption\u0004/, '') && /[\u4e00-\u9fff]/.test(english)) untranslated.add(english);
      return english;
    },
  };
})();
