// The guided mode asks the prompts of the compute command in their order, exactly as the dialogue asks them: the
// replies so far are run, and the prompt that comes next is the one the run asked after them. Each value answered
// goes into its cell of the table, and the diagram lights the value asked.
import {byId, tr} from './page-state.js';
import {checkOptions} from './page-checks.js';

// Whole data sets of both cases, in the order the dialogue asks their values (the table's order, without the
// values a case does not ask): their runs tell which prompt asks for which cell.
const azimuthSet = {xa: '1000', ya: '1000', xb: '0', yb: '0', start_side_length: '130.8625', start_side_number: '1',
  Ta: '200.0000', Qa: '153.2505', name_A: 'A', name_P1: 'P1', name_P2: 'P2', name_P3: 'P3', name_closing: 'A',
  b1: '44.13120', b2: '44.20042', b3: '49.18030', b4: '42.08428', b5: '33.10401', b6: '55.22345', b7: '54.03519',
  b8: '37.22520'};
const knownSideKeys = ['xa', 'ya', 'xb', 'yb', 'name_A', 'name_P1', 'name_P2', 'name_closing', 'b1', 'b2', 'b3', 'b4',
  'b5', 'b6', 'b7', 'b8'];
const knownSideSet = Object.fromEntries(knownSideKeys.map((key) => [key, key === 'xb' ? '1010' : key === 'yb' ? '1175' : azimuthSet[key]]));

// The prompt that asks for each value, in the page's language: prompt text → column key.
function promptKeys(page) {
  if (!page.promptKeys.has(page.lang)) {
    const keys = new Map();
    for (const set of [azimuthSet, knownSideSet]) {
      // Each value is asked, then confirmed with Enter.
      const order = page.face.columns.map(({key}) => key).filter((key) => key in set);
      const answer = page.api.run(order.map((key) => set[key] + '\n\n').join(''), {lang: page.lang});
      order.forEach((key, i) => keys.set(answer.prompts[2 * i], key));
    }
    page.promptKeys.set(page.lang, keys);
  }
  return page.promptKeys.get(page.lang);
}

// The values the replies so far gave, and the cell of the prompt that comes next. Each value is asked, then
// confirmed; a 0 at the confirmation asks it again in other words, and the new value replaces the first.
function answeredValues(page, prompts) {
  const keys = promptKeys(page);
  const values = {};
  let key = null;
  let confirming = false;
  page.replies.forEach((reply, i) => {
    const asked = keys.get(prompts[i]);
    if (asked) { key = asked; values[key] = reply; confirming = true; }
    else if (confirming) confirming = false;
    else if (key) { values[key] = reply; confirming = true; }
  });
  const next = prompts[page.replies.length];
  return {values, nextKey: next === undefined ? null : keys.get(next) || key};
}

// guide: the page's functions {show(document), fill(values), light(key)}.
export function guidedStep(page, guide) {
  const replies = page.replies;
  const answer = page.api.run(replies.join('\n') + (replies.length ? '\n' : ''),
    Object.assign({lang: page.lang, steps: true}, checkOptions()));
  const next = answer.prompts[replies.length];
  const ended = next === undefined;
  byId('prompt').textContent = ended ? tr(page, '计算已结束。') : next;
  byId('reply').disabled = ended;
  byId('reply-ok').disabled = ended;
  byId('reply-cancel').disabled = ended;
  byId('reply-back').disabled = replies.length === 0;
  const list = byId('answered');
  list.textContent = '';
  replies.forEach((reply, i) => {
    list.appendChild(document.createElement('li')).textContent = answer.prompts[i] + ' ' + reply;
  });
  const {values, nextKey} = answeredValues(page, answer.prompts);
  guide.fill(values);
  guide.light(nextKey);
  if (ended) {
    answer.steps_tables = null;
    guide.show(answer);
  } else {
    byId('reply').focus();
  }
}

export function answerPrompt(page, reply, guide) {
  page.replies.push(reply);
  byId('reply').value = '';
  guidedStep(page, guide);
}

// One reply taken back: after a stop the replies before it are kept, and the one that stopped the run is asked again.
export function takeBack(page, guide) {
  const reply = page.replies.pop();
  guidedStep(page, guide);
  if (reply !== undefined) byId('reply').value = reply;
}
