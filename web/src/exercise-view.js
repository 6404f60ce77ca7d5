// The guided exercises: one at a time, its question (predict first: a
// number or a choice), a button that sets the page for it, and after the
// check whether the answer was right, the program's answer and the
// explanation, or the usual mistake a wrong one matches; "another" draws
// it again with new numbers. The questions and explanations are data
// (web/exercises.json); the answers are the program's. And the worksheet,
// the exercises laid out for printing, with or without the key.
import { byId, typedNumber } from './dom.js';
import { spelt } from './exercises.js';

export function createExerciseView(model, { announce }) {
  const state = model.state;
  const tr = model.tr;

  function list() {
    const nav = byId('exercise-list');
    nav.replaceChildren(...model.exercises.map((_, k) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = String(k + 1);
      button.setAttribute('aria-label', tr('exerciseNumber', { n: k + 1 }));
      button.addEventListener('click', () => model.openExercise(k));
      return button;
    }));
  }

  // A number as the answer shows it: with its unit, and four significant
  // digits (a share in percent with one decimal).
  function shownNumber(exercise, x) {
    const unit = exercise.answer.unit || '';
    const digits = unit === '%' ? x.toFixed(1) : String(Number(x.toPrecision(4)));
    return unit ? `${digits} ${unit}` : digits;
  }

  // The parts of the page an open exercise may hold back, by the model's
  // names: hidden (out of view and of the accessibility tree) until it is
  // answered.
  const PARTS = {
    readout: ['readout', 'maxwell-summary', 'maxwell-description', 'gibbs-description', 'helmholtz-description'],
    verdict: ['trial-verdict', 'maxwell-summary'],
    shares: ['process-shares'],
    cNote: ['c-independent'],
    boiling: ['boil-result'],
  };

  function holdBack() {
    const held = new Set(Object.keys(PARTS).filter((part) => model.withholds(part)).flatMap((part) => PARTS[part]));
    Object.values(PARTS).flat().forEach((id) => {
      const element = byId(id);
      element.classList.toggle('withheld', held.has(id));
      if (held.has(id))
        element.dataset.withheld = tr('withheld');
      // A chart described by a text held back is not described meanwhile: a
      // screen reader reads a description even where it is hidden.
      document.querySelectorAll(`[aria-describedby="${id}"], [data-described-by="${id}"]`).forEach((chart) => {
        if (held.has(id)) {
          chart.dataset.describedBy = id;
          chart.removeAttribute('aria-describedby');
        } else {
          chart.setAttribute('aria-describedby', id);
          delete chart.dataset.describedBy;
        }
      });
    });
    byId('exercise-held').hidden = held.size === 0;
  }

  function show() {
    const open = state.exercise;
    holdBack();
    byId('exercise-body').hidden = !open;
    [...byId('exercise-list').children].forEach((button, k) =>
      button.setAttribute('aria-pressed', String(Boolean(open) && open.index === k)));
    if (!open)
      return;
    const exercise = open.exercise;
    const lang = state.lang;
    byId('exercise-heading').textContent = tr('exerciseNumber', { n: open.index + 1 });
    byId('exercise-question').textContent = model.exerciseText('question');
    byId('exercise-another').hidden = !exercise.vary;
    const choices = byId('exercise-choices');
    const number = byId('exercise-number-field');
    number.hidden = Boolean(exercise.choices);
    choices.hidden = !exercise.choices;
    if (exercise.choices && choices.dataset.for !== `${open.index} ${lang}`) {
      choices.dataset.for = `${open.index} ${lang}`;
      choices.replaceChildren(...exercise.choices.map((choice) => {
        const label = document.createElement('label');
        const input = Object.assign(document.createElement('input'), { type: 'radio', name: 'exercise-choice',
          value: choice.value });
        label.append(input, ' ' + choice[lang]);
        return label;
      }));
    }
    if (!exercise.choices && open.reply === null)
      byId('exercise-number').value = '';
    const feedback = byId('exercise-feedback');
    feedback.hidden = open.right === null;
    if (open.right !== null) {
      const expected = exercise.choices
        ? exercise.choices.find((choice) => choice.value === open.expected)[lang]
        : shownNumber(exercise, open.expected);
      const verdict = (open.right ? 'exerciseRight' : 'exerciseWrong') + (exercise.choices ? 'Choice' : '');
      byId('exercise-verdict').textContent = tr(verdict, { answer: expected });
      byId('exercise-explanation').textContent = model.exerciseText('explanation');
      const mistake = byId('exercise-mistake');
      mistake.hidden = !open.mistake;
      mistake.textContent = open.mistake ? tr('mistake_' + open.mistake) : '';
      Object.assign(feedback.dataset, { expected: open.expected, right: open.right, mistake: open.mistake || '' });
    }
  }

  function listen() {
    byId('exercise-form').addEventListener('submit', (event) => {
      event.preventDefault();
      const exercise = state.exercise.exercise;
      const chosen = document.querySelector('input[name=exercise-choice]:checked');
      const reply = exercise.choices ? (chosen ? chosen.value : null) : typedNumber(byId('exercise-number').value);
      if (reply === null || (!exercise.choices && !Number.isFinite(reply))) {
        byId('exercise-verdict').textContent = tr('exerciseNoAnswer');
        byId('exercise-feedback').hidden = false;
        return;
      }
      model.answerExercise(reply);
      announce([byId('exercise-verdict'), byId('exercise-mistake'), byId('exercise-explanation')]
        .map((element) => element.textContent).filter(Boolean).join(' '));
    });
    byId('exercise-another').addEventListener('click', () => {
      model.anotherExercise();
      announce(byId('exercise-question').textContent);
    });
    byId('exercise-set').addEventListener('click', () => model.openExercise(state.exercise.index));
  }

  // What an exercise uses, as the worksheet says it: its substance and T, or its t.
  function uses(exercise) {
    const set = exercise.set, lang = state.lang;
    const fluid = set.substance ? model.fluidName(model.substances().findIndex((f) => f.key === set.substance)) : null;
    const t = set.t !== undefined ? `t = ${spelt(set.t, lang)}` : null;
    const T = set.T !== undefined ? `T = ${spelt(set.T, lang)} K` : null;
    return [fluid, T, t].filter(Boolean).join(', ') || tr('worksheetReduced');
  }

  // The worksheet (?worksheet=1) for the class's seed (null: the exercises
  // as written): each question with what it uses and room for the answer,
  // and only with the key (?key=1) the program's answers.
  let sheet = null;
  function worksheet(seed, key) {
    sheet = { seed, key };
    document.body.dataset.worksheet = key ? 'key' : 'sheet';
    byId('worksheet').hidden = false;
    byId('worksheet-heading').textContent = tr(key ? 'worksheetKeyHeading' : 'worksheetHeading');
    byId('worksheet-seed').textContent = seed === null ? tr('worksheetAsWritten') : tr('worksheetSeed', { seed });
    byId('worksheet-list').replaceChildren(...model.worksheet(seed, key).map(({ exercise, question, answer }) => {
      const item = document.createElement('li');
      const asked = Object.assign(document.createElement('p'), { textContent: question });
      const using = Object.assign(document.createElement('p'), { className: 'uses',
        textContent: tr('worksheetUses', { what: uses(exercise) }) });
      item.append(asked, using);
      if (exercise.choices)
        item.append(Object.assign(document.createElement('p'), { className: 'choices',
          textContent: exercise.choices.map((choice) => '☐ ' + choice[state.lang]).join('   ') }));
      if (key) {
        const shown = exercise.choices ? exercise.choices.find((choice) => choice.value === answer)[state.lang]
          : shownNumber(exercise, answer);
        item.append(Object.assign(document.createElement('p'), { className: 'key',
          textContent: tr('worksheetAnswer', { answer: shown }) }));
        item.dataset.answer = answer;
      } else {
        item.append(Object.assign(document.createElement('div'), { className: 'answer-space' }));
      }
      return item;
    }));
  }

  model.on('exercise', () => show());
  model.on('language', () => {
    list();
    show();
    if (sheet)
      worksheet(sheet.seed, sheet.key);
  });
  list();
  listen();
  return { show, worksheet };
}
