// The guided mode asks the prompts of the compute command in their order, exactly as the dialogue asks them: the
// replies so far are run, and the prompt that comes next is the one the run asked after them.
import {byId, tr} from './page-state.js';
import {checkOptions} from './page-checks.js';

// show: the page's function that shows a finished run's document.
export function guidedStep(page, show) {
  const replies = page.replies;
  const answer = page.api.run(replies.join('\n') + (replies.length ? '\n' : ''),
    Object.assign({lang: page.lang, steps: true}, checkOptions()));
  const next = answer.prompts[replies.length];
  const ended = next === undefined;
  byId('prompt').textContent = ended ? tr(page, '计算已结束。') : next;
  byId('reply').disabled = ended;
  byId('reply-ok').disabled = ended;
  byId('reply-cancel').disabled = ended;
  const list = byId('answered');
  list.textContent = '';
  replies.forEach((reply, i) => {
    list.appendChild(document.createElement('li')).textContent = answer.prompts[i] + ' ' + reply;
  });
  if (ended) {
    answer.steps_tables = null;
    show(answer, null);
  } else {
    byId('reply').focus();
  }
}

export function answerPrompt(page, reply, show) {
  page.replies.push(reply);
  byId('reply').value = '';
  guidedStep(page, show);
}
