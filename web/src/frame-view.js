// The page around the views: its texts in the chosen language, the
// language button, the reply's form with its notes, and the status line.
import { byId } from './dom.js';

export function createFrameView(model, { submit }) {
  const state = model.state;
  const tr = model.tr;

  function applyTexts() {
    document.documentElement.lang = state.lang;
    document.querySelectorAll('[data-text]').forEach((el) => { el.textContent = tr(el.dataset.text); });
    document.querySelectorAll('[data-label]').forEach((el) => { el.setAttribute('aria-label', tr(el.dataset.label)); });
    byId('language').lang = state.lang === 'es' ? 'en' : 'es';
    document.querySelectorAll('button.png').forEach((button) => {
      button.setAttribute('aria-label', `${tr('savePng')}: ${byId(button.dataset.chart).getAttribute('aria-label')}`);
    });
    say();
    showCNote();
  }

  function say() {
    const [key, vars, isError] = state.status;
    const status = byId('status');
    status.textContent = tr(key, vars);
    status.className = isError ? 'error' : '';
  }

  // What a c that is not a positive finite number means for the results.
  function showCNote() {
    const note = byId('c-note');
    const key = model.cNote();
    if (!key) {
      note.hidden = true;
      return;
    }
    note.textContent = tr(key, { c: state.cText });
    note.hidden = false;
  }

  // A reply whose number stops at a decimal comma followed by digits ("1,5"):
  // the files are the console program's (c = 1), and the page says how it was
  // read and how to write it.
  function showCommaNote() {
    const note = byId('comma-note');
    const bytes = new TextEncoder().encode(state.reply);
    const end = state.replyEnd;
    const isDigit = (b) => b >= 0x30 && b <= 0x39;
    if (bytes[end] !== 0x2c || !isDigit(bytes[end + 1])) {
      note.hidden = true;
      return;
    }
    let after = end + 1;
    while (isDigit(bytes[after]))
      after++;
    const decode = (from, to) => new TextDecoder().decode(bytes.slice(from, to)).trim();
    const read = decode(0, end);
    note.textContent = tr('commaNote', { typed: read + ',' + decode(end + 1, after), c: state.cText,
      fixed: read + '.' + decode(end + 1, after) });
    note.hidden = false;
  }

  // The other language, kept for the next visit and in the page's address.
  byId('language').addEventListener('click', () => {
    const lang = state.lang === 'es' ? 'en' : 'es';
    try { localStorage.setItem('vdwcoex-lang', lang); } catch (e) { /* storage may be off */ }
    const url = new URL(location.href);
    url.searchParams.set('lang', lang);
    try { history.replaceState(null, '', url); } catch (e) { /* file:// in some browsers */ }
    model.setLanguage(lang);
  });
  byId('form').addEventListener('submit', (event) => {
    event.preventDefault();
    submit(byId('c').value, event.timeStamp);
  });
  model.on('language', applyTexts);
  model.on('status', say);
  model.on('program', ({ ready }) => { byId('run').disabled = !ready; });
  model.on('run', () => { showCommaNote(); showCNote(); });
  return {};
}
