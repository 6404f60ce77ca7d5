// The page as chapters: the navigation, which marks the chapter in view
// (aria-current) and takes the reader to another; the chapter an address
// names (#lab); the lab, which borrows the Maxwell view's p–v and g–p charts
// so that they stand beside the cylinder; and presenting to a class, with
// large text, the keyboard moving between chapters and the chapter's
// numbers revealed one by one. It draws the model's chapter, present and
// revealed; the chapter in view is told to the model, as the reader scrolls.
import { byId } from './dom.js';
import { CHAPTERS } from './model.js';

// What reads as a number the presenter reveals: the readouts' values.
const NUMBERS = 'dd, output';
// Where the keys that move between chapters belong to the control.
const CONTROLS = 'input, select, textarea, canvas, summary, [tabindex]:not(a):not(button), [contenteditable]';

export function createChaptersView(model) {
  const state = model.state;
  const chapters = CHAPTERS.map((name) => byId(name));
  const links = [...byId('chapters').querySelectorAll('a')];
  // The charts the lab borrows, each with a marker of its own place.
  const borrowed = ['maxwell', 'gibbs'].map((id) => {
    const figure = byId(id).closest('figure');
    const home = document.createElement('div');
    home.className = 'chart-away';
    home.setAttribute('aria-hidden', 'true');
    home.hidden = true;
    figure.before(home);
    return { figure, home };
  });

  // The borrowed charts in the lab while it is in view, else at home; the
  // place they leave keeps their height, so that nothing below it moves.
  function placeCharts() {
    const inLab = state.chapter === 'lab';
    const slot = byId('lab-charts');
    if (inLab === (borrowed[0].figure.parentElement === slot))
      return;
    if (inLab) {
      borrowed.forEach(({ figure, home }) => {
        home.style.height = `${figure.offsetHeight}px`;
        home.hidden = false;
        slot.append(figure);
      });
      slot.style.minHeight = '';
    } else {
      slot.style.minHeight = `${slot.offsetHeight}px`;
      borrowed.forEach(({ figure, home }) => {
        home.hidden = true;
        home.after(figure);
      });
    }
  }

  function showChapter({ go }) {
    links.forEach((link) => {
      if (link.hash !== '#' + state.chapter) {
        link.removeAttribute('aria-current');
        return;
      }
      link.setAttribute('aria-current', 'location');
      // On a narrow screen the list scrolls sideways: the chapter's link in sight.
      const list = link.closest('ul');
      const left = link.offsetLeft - list.offsetLeft;
      if (left < list.scrollLeft || left + link.offsetWidth > list.scrollLeft + list.clientWidth)
        list.scrollLeft = left;
    });
    document.documentElement.dataset.chapter = state.chapter;
    placeCharts();
    if (go)
      byId(state.chapter).scrollIntoView({ block: 'start' });
    conceal();
  }

  // While presenting, the chapter's numbers after the first `revealed` are
  // out of sight, each with a mark in its place.
  function conceal() {
    document.querySelectorAll('.concealed').forEach((element) => element.classList.remove('concealed'));
    if (!state.present)
      return;
    [...byId(state.chapter).querySelectorAll(NUMBERS)].filter((element) => element.offsetParent !== null)
      .slice(state.revealed).forEach((element) => element.classList.add('concealed'));
  }

  function showPresent() {
    const root = document.documentElement;
    if (state.present)
      root.dataset.present = '';
    else
      delete root.dataset.present;
    byId('present').setAttribute('aria-pressed', String(state.present));
    byId('reveal').hidden = !state.present;
    byId('reveal').title = model.tr('presentHint');
    conceal();
  }

  // The chapter in view: the one across a line 40 % down the screen.
  const watcher = new IntersectionObserver((entries) => {
    const seen = entries.find((entry) => entry.isIntersecting);
    if (seen && seen.target.id !== state.chapter)
      model.showChapter(seen.target.id);
  }, { rootMargin: '-40% 0px -59% 0px' });
  chapters.forEach((chapter) => watcher.observe(chapter));
  // A view that redraws its numbers redraws them in sight: they are hidden again.
  new MutationObserver(() => { if (state.present) conceal(); })
    .observe(document.querySelector('main'), { childList: true, subtree: true });

  addEventListener('hashchange', () => model.showChapter(model.chapterAt(location.hash), true));
  byId('present').addEventListener('click', () => model.setPresent(!state.present));
  byId('reveal').addEventListener('click', () => model.reveal());
  // Presenting, the keys a clicker sends move between chapters, and Enter or
  // N reveals the next number, where the key is not a control's own.
  document.addEventListener('keydown', (event) => {
    if (!state.present || event.altKey || event.ctrlKey || event.metaKey || event.target.closest(CONTROLS))
      return;
    const onButton = event.target.closest('a, button');
    const step = { PageDown: 1, ArrowRight: 1, PageUp: -1, ArrowLeft: -1 }[event.key];
    if (step) {
      model.stepChapter(step);
    } else if ((event.key === 'Enter' && !onButton) || event.key === 'n' || event.key === 'N') {
      model.reveal();
    } else {
      return;
    }
    event.preventDefault();
  });
  model.on('chapter', showChapter);
  model.on('present', showPresent);
  model.on('language', showPresent);

  // The address's chapter and presenting, once the charts are there to move.
  function start() {
    const asked = new URLSearchParams(location.search);
    if (asked.get('present') === '1')
      model.setPresent(true);
    // Presenting starts with a chapter on the screen, not the page's top.
    const named = model.chapterAt(location.hash) || (state.present ? state.chapter : null);
    if (!named || !model.showChapter(named, true))
      showChapter({ go: false });
  }
  return { start };
}
