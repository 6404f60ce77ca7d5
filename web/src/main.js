// vdwcoex in the browser: the one place where the page's model, the
// program it runs and the views that draw from it are made and wired.
import { createChaptersView } from './chapters-view.js';
import { createChartsView } from './charts-view.js';
import { createPainter, createTheme } from './charting.js';
import { LAST_ROW_MILLI } from './columns.js';
import { afterPaint, byId, createAnnouncer, createFrames } from './dom.js';
import { createExerciseView } from './exercise-view.js';
import { createFilesView } from './files-view.js';
import { createFindView } from './find-view.js';
import { createFluidView } from './fluid-view.js';
import { createHeatingView } from './heating-view.js';
import { createFrameView } from './frame-view.js';
import { marksPlugin, setMarks } from './marks.js';
import { createMaxwellView } from './maxwell-view.js';
import { createModel, eosFromAddress } from './model.js';
import { createNatureView } from './nature-view.js';
import { createProcessView } from './process-view.js';
import { loadProgram, programPresent } from './program.js';
import { createTablesView } from './tables-view.js';
import { createUnits } from './units.js';
import { createEquationView } from './equation-view.js';

// The language asked for in the address, else the one kept from before,
// else Spanish, the program's.
function chosenLanguage() {
  const asked = new URLSearchParams(location.search).get('lang');
  let stored = null;
  try { stored = localStorage.getItem('vdwcoex-lang'); } catch (e) { /* storage may be off */ }
  return asked === 'en' || asked === 'es' ? asked : stored === 'en' ? 'en' : 'es';
}

function start() {
  const model = createModel(loadProgram);
  const state = model.state;
  // The module is loaded first: it compiles while the views are made.
  const canRun = typeof WebAssembly === 'object' && programPresent();
  const loading = canRun ? model.load() : null;
  const shared = { theme: createTheme(), painter: createPainter(), frames: createFrames(), units: createUnits(model),
    shownUnits: createUnits(model, (q, x) => model.shownToSi(q, x)),
    announce: createAnnouncer((part) => model.withholds(part)) };

  // A run from the reply, painted: its files are offered and it is reported
  // done once the frame that shows it has been painted.
  const runAndPaint = (reply, startedAt = performance.now()) => {
    shared.painter.runStarts();
    const run = model.compute(reply);
    afterPaint(() => {
      const ms = Math.round(performance.now() - startedAt);
      shared.painter.runPainted();
      // A run that followed before the paint reports itself.
      if (!run || state.run !== run)
        return;
      views.files.offer(model.files(run));
      model.runDone(ms);
      document.body.dataset.runs = state.runs;
      document.body.dataset.ms = ms;
    });
  };

  const views = {
    frame: createFrameView(model, { submit: runAndPaint }),
    tables: createTablesView(model, shared.units),
    maxwell: createMaxwellView(model, shared),
    charts: createChartsView(model, shared),
    fluid: createFluidView(model, shared),
    find: createFindView(model, shared),
    nature: createNatureView(model, shared),
    equation: createEquationView(model),
  };
  const chartNamed = (name) => views.charts.charts[name] || views.maxwell.charts[name] || views.find.charts[name] ||
    views.nature.charts[name];
  views.files = createFilesView(model, { chartNamed });
  views.process = createProcessView(model, Object.assign({ chartNamed }, shared));
  views.exercise = createExerciseView(model, shared);
  views.heating = createHeatingView(model, Object.assign({ chartNamed }, shared));
  views.chapters = createChaptersView(model);

  // A substance chosen: its c is run, or the last reply again in reduced units.
  model.on('fluid', () => {
    const fluid = model.chosenFluid();
    if (fluid)
      byId('c').value = String(fluid.c);
    if (fluid || state.runs)
      runAndPaint(byId('c').value);
  });
  // Finding the vapour pressure needs the rows: the reply typed is run
  // first where nothing has been.
  model.on('finding', () => {
    if (state.finding && !state.run)
      runAndPaint(byId('c').value);
    if (state.finding && state.chapter !== 'isotherm' && state.chapter !== 'exercises')
      model.showChapter('isotherm', true);
  });
  // An exercise opened sets the page up, on a run of the reply typed where
  // nothing has run yet.
  model.on('exercise', ({ apply }) => {
    // What an exercise held back shows again once it is answered.
    views.process.show();
    if (!apply || !state.program)
      return;
    if (!state.run)
      runAndPaint(byId('c').value);
    model.applyExercise();
  });
  // A new colour scheme, or the page printed (the tables with every row).
  const restyle = () => {
    shared.theme.forget();
    views.charts.restyle();
    views.maxwell.restyle();
    views.find.restyle();
    views.nature.restyle();
    views.charts.mark();
    views.process.show();
    views.heating.show();
  };
  matchMedia('(prefers-color-scheme: dark)').addEventListener('change', restyle);
  // Presenting, the charts' text grows with the page's.
  model.on('present', () => {
    if (typeof Chart !== 'function' || Chart.defaults.font.size === (state.present ? 24 : 16))
      return;
    Chart.defaults.font.size = state.present ? 24 : 16;
    Object.values(Chart.instances).forEach((chart) => chart.update('none'));
  });
  const print = (on) => { views.tables.print(on); restyle(); };
  addEventListener('beforeprint', () => print(true));
  addEventListener('afterprint', () => print(false));
  matchMedia('print').addEventListener('change', (event) => print(event.matches));
  // A script's error is said; a browser's notice (a ResizeObserver loop
  // left for the next frame) is not an error.
  window.addEventListener('error', (event) => {
    if (!/^ResizeObserver loop/.test(event.message))
      model.say('pageError', { error: event.message }, true);
  });

  model.setLanguage(chosenLanguage());
  model.chooseEos(eosFromAddress(location.search));
  if (!canRun) {
    model.say(typeof WebAssembly !== 'object' ? 'noWasm' : 'missing', {}, true);
    views.chapters.start();
    return;
  }
  loading.then(() => {
    model.say('ready');
    document.body.dataset.ready = Math.round(performance.now());
    byId('find-start').disabled = false;
    makeCharts([views.maxwell, views.charts, views.find, views.nature], model, shared.painter, () => {
      views.process.show();
      views.heating.show();
      views.chapters.start();
      // A teacher's address may open the page on a task: ?exercise=N, or
      // ?find=1 at ?t=0.9 (a t of the table), else at one chosen at random.
      const asked = new URLSearchParams(location.search);
      // A class's seed (&seed=N) draws every exercise afresh the same way,
      // and lays out the worksheet (?worksheet=1, its key with &key=1).
      const seed = asked.has('seed') && /^\d+$/.test(asked.get('seed')) ? Number(asked.get('seed')) : null;
      model.setSeed(seed !== null ? seed : Math.floor(Math.random() * 4294967296));
      if (asked.get('worksheet') === '1')
        views.exercise.worksheet(seed, asked.get('key') === '1');
      const exercise = Number(asked.get('exercise'));
      if (Number.isInteger(exercise) && exercise >= 1 && exercise <= model.exercises.length) {
        model.openExercise(exercise - 1);
        model.showChapter('exercises', true);
      }
      if (asked.get('find') === '1') {
        const t = Number(asked.get('t'));
        const milli = Math.round(t * 1000);
        model.enterFind(t >= 0.501 && t <= 0.999 && Math.abs(t * 1000 - milli) < 1e-6 ? milli : model.randomTableMilli());
      }
      document.body.dataset.charts = 'made';
      setTimeout(() => warmUp(model, views), 0);
    });
  }, (error) => model.say('startFailed', { error: String(error) }, true));
  // For the page's tests: the model, to make the program trap.
  window.vdwcoexPage = { model };
}

// Makes the charts one at a time, each in a task of its own, after the page
// is ready: the reader can type c while they are made. What a run gave
// before they were all there is drawn once they are.
function makeCharts(chartViews, model, painter, then) {
  if (typeof Chart !== 'function') {
    const error = byId('chart-error');
    error.textContent = model.tr('chartsMissing');
    error.hidden = false;
    then();
    return;
  }
  Chart.defaults.font.size = 16;
  Chart.register(marksPlugin);
  const makers = chartViews.flatMap((view) => view.makers);
  const charts = () => chartViews.flatMap((view) => Object.values(view.charts));
  const next = () => {
    const make = makers.shift();
    if (make) {
      make();
      charts().forEach((chart) => { if (!chart.$marks) setMarks(chart, []); });
      setTimeout(next, 0);
      return;
    }
    painter.watch(charts());
    chartViews.forEach((view) => view.ready());
    then();
  };
  next();
}

// One run once the page is ready, its results discarded, so that the
// browser has compiled the program's hot code by the time the user presses
// Enter. A reply typed before it is computed first and makes it needless.
function warmUp(model, views) {
  const state = model.state;
  if (state.runs || state.cText !== null)
    return;
  const warm = model.warmUp(LAST_ROW_MILLI - 850);
  views.charts.warmUp(warm.rows);
  views.maxwell.warmUp(warm);
}

start();
