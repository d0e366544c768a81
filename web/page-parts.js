// What the page's added sections (the teacher's kit, the rigorous adjustment) share: the language in use and its
// texts, the values of the observation table, a status line, commands whose failures are shown there, and a section
// placed after the checks once the computation is loaded.
'use strict';
window.MorvalenPageParts = (function () {
  const api = window.Morvalen;
  const byId = (id) => document.getElementById(id);
  const lang = () => (byId('language').value === 'en' ? 'en' : 'zh');
  const tr = (chinese) => api.text(chinese, lang());
  const withArguments = (pattern, values) => pattern.replace(/%(\d)/g, (all, n) => values[n - 1] ?? all);

  function setStatus(id, text, isProblem) {
    byId(id).textContent = text;
    byId(id).classList.toggle('problem', !!isProblem);
  }

  return {
    api, byId, lang, tr, withArguments, setStatus,
    // The values of the observation table, as the page holds them: exactly as read from a file (a name with a line
    // break keeps it) once the page's module is there.
    tableObservations() {
      if (window.MorvalenPage) return window.MorvalenPage.observations();
      const values = {};
      for (const input of document.querySelectorAll('#observations input[data-key]')) values[input.dataset.key] = input.value;
      return values;
    },
    // A status line whose text is given again in the language switched to: `set(text, isProblem, again)`, where
    // `again()` makes the same text in the language in use; `retell()` after a switch; `forget()` when a new action
    // begins (a text without `again` is left as it is).
    retold(statusId) {
      let again = null;
      return {
        set(text, isProblem, textAgain) {
          again = textAgain ? () => setStatus(statusId, textAgain(), isProblem) : null;
          setStatus(statusId, text, isProblem);
        },
        retell() { if (again) again(); },
        forget() { again = null; },
      };
    },
    // The command with whatever it meets shown in the status line `statusId`, never left in the console.
    guarded(command, statusId) {
      return (...values) => {
        try {
          const result = command(...values);
          if (result && typeof result.catch === 'function') result.catch((failure) => setStatus(statusId, String(failure.message || failure), true));
        } catch (failure) {
          setStatus(statusId, String(failure.message || failure), true);
        }
      };
    },
    // Results of a section, computed from `request()` (the table's values and the section's own settings), marked
    // stale (greyed, left out of print, with the note `noteId`) once what they would now be computed from differs;
    // undoing the change un-marks them. `shown()` after each result shown, `cleared()` when none is; `check()` after
    // a change the page does not announce with an event.
    staleResults(boxIds, noteId, noteText, request) {
      let shownFrom = null;
      const check = () => {
        const stale = shownFrom !== null && shownFrom !== JSON.stringify(request());
        for (const id of boxIds) {
          if (stale) byId(id).dataset.stale = 'true'; else delete byId(id).dataset.stale;
        }
        byId(noteId).hidden = !stale;
        byId(noteId).textContent = stale ? tr(noteText) : '';
      };
      for (const type of ['input', 'change', 'morvalen-table-changed']) document.addEventListener(type, check);
      return {
        // The results shown were made from `from` (by default from what the page now holds).
        shown(from) { shownFrom = JSON.stringify(from === undefined ? request() : from); check(); },
        cleared() { shownFrom = null; check(); },
        check,
      };
    },
    // A section of the page that is not printed; `start` runs once it is placed after the checks, the computation
    // loaded, and again, with its data-text translated, whenever the language changes.
    section(id, html, start, translated) {
      const element = document.createElement('section');
      element.id = id;
      element.className = 'no-print';
      element.innerHTML = html;
      const translate = () => {
        for (const text of element.querySelectorAll('[data-text]')) text.textContent = tr(text.dataset.text);
        translated();
      };
      api.ready.then(() => {
        const after = byId('checks-section');
        after.parentNode.insertBefore(element, after.nextSibling);
        translate();
        byId('language').addEventListener('change', translate);
        start();
      });
      return element;
    },
  };
})();
