// The page's state: one object, made once when the computation is ready and passed to every part of the page. Nothing
// of the page lives outside it; the helpers below only read the document or format a text.
export function createPage(api, lang) {
  return {
    api,                    // window.Morvalen
    lang,                   // 'zh' or 'en'
    mode: 'table',          // 'table' or 'guided'
    face: null,             // the window's layout, the table's columns and the case texts, in the language in use
    inputs: new Map(),      // column key → its cell
    exactValues: new Map(), // column key → a value from a file that a cell cannot hold as it is (a line break)
    problems: {},           // column key → the reason its cell is refused
    lit: {},                // column key → the diagram's labels that show its value
    answer: null,           // the last document shown
    answerFrom: null,       // what it was computed from: {observations, options} from the table, null from the dialogue
    stale: false,           // the results shown were computed from other values than the table holds
    status: null,           // the status line: {text} or {pattern, values}, with isProblem
    openedFile: null,       // {path, name, keys, rows, large}: the observation file opened
    replies: [],            // the guided mode's replies so far
    listeners: [],          // functions called with each document shown (see morvalen-page.js)
    languageListeners: [],  // functions called with the new language after a change of language
    promptKeys: new Map(),  // language → the guided mode's prompts: prompt text → column key (page-guided.js)
  };
}

export const byId = (id) => document.getElementById(id);

// A text of the interface in the page's language.
export function tr(page, chinese) {
  return page.api.text(chinese, page.lang);
}

export const withArguments = (pattern, values) => pattern.replace(/%(\d)/g, (all, n) => values[n - 1] ?? all);

// The status line, the one region that announces what the page did. A page text is kept untranslated, so that a
// change of language shows it again in the new one.
export function setStatus(page, pattern, values, isProblem) {
  page.status = {pattern, values: values || [], isProblem: !!isProblem};
  showStatus(page);
}

// A text that is already in the page's language (a reason the computation gives). `again`, when given, gives the
// same text in another language (the computation asked again), so that a language switch turns it too.
export function setStatusText(page, text, isProblem, again) {
  page.status = {text, isProblem: !!isProblem, again, lang: page.lang};
  showStatus(page);
}

export function showStatus(page) {
  const status = byId('status');
  const shown = page.status || {text: ''};
  if (shown.again && shown.lang !== page.lang) {
    shown.text = shown.again(page.lang) || shown.text;
    shown.lang = page.lang;
  }
  status.textContent = 'text' in shown ? shown.text : withArguments(tr(page, shown.pattern), shown.values);
  status.classList.toggle('problem', !!shown.isProblem);
}

// Whatever a command meets is shown in the status line, never left as an exception in the console.
export function guarded(page, command) {
  return (...values) => {
    const failed = (failure) => setStatusText(page, String((failure && failure.message) || failure), true);
    try {
      const result = command(...values);
      if (result && typeof result.catch === 'function') result.catch(failed);
    } catch (failure) {
      failed(failure);
    }
  };
}
