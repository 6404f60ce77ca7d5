// The page's side of vdwcoex: it hands the reply to the program (vdwcoex.js,
// compiled from the console program's C++) and shows what comes back. Every
// number on the page comes from the program: the tables, the isotherms, the
// Maxwell areas and the lever rule; nothing is computed here.
'use strict';

// The page's one state: what the last run gave and what the reader chose.
const state = {
  program: null,          // the program (program.js), once loaded
  run: null,              // the last run, for reading
  lang: 'es',
  status: ['loading', {}],
  c: null,                // the last run's c, and as its reports print it
  cText: null,
  previous: null,         // { cText, rows } of the run before, for what c changes
  coexistenceRows: [],    // vdw_coex.dat's rows, each as its printed fields
  propertyRows: [],       // clatente.dat's rows, likewise
  coexistenceKey: null,   // the rows' text, to skip redrawing what did not change
  tMilli: 850,            // the chosen t in thousandths: 501 to 999 are the table's rows
  vOperating: null,       // the volume on the tie line for the lever rule
  trialP: null,           // a trial pressure for the line, or null: the vapour pressure
  logAxis: false,
  runs: 0,
  fileUrls: [],
};
const charts = {};        // Chart.js charts by name
let chartsMade = false;   // all of them

// During a run, charts out of view are redrawn right after the page is
// painted rather than before: the run paints what is in view first, and the
// rest follows before anyone can scroll to it.
const chartInView = {};     // by name, as an IntersectionObserver last said
const chartsDue = new Set();
let runPainting = false;    // a run is on its way to its paint

function redraw(name) {
  if (runPainting && chartInView[name] === false) {
    chartsDue.add(name);
    return;
  }
  charts[name].update('none');
}

function redrawDue() {
  chartsDue.forEach((name) => charts[name].update('none'));
  chartsDue.clear();
}

function watchChartsInView() {
  const names = new Map(Object.entries(charts).map(([name, chart]) => [chart.canvas, name]));
  const observer = new IntersectionObserver((entries) => entries.forEach((entry) => {
    chartInView[names.get(entry.target)] = entry.isIntersecting;
  }));
  names.forEach((name, canvas) => observer.observe(canvas));
}
const tables = {};

// The reports' columns, named once: vdw_coex.dat and clatente.dat.
const COEX = { t: 0, p: 1, vl: 2, vg: 3, vlmax: 4, plmin: 5, vgmin: 6, pgmax: 7, latent: 8 };
const PROP = { t: 0, state: 1, p: 2, vl: 3, vg: 4, sl: 5, sg: 6, hl: 7, hg: 8, gl: 9, gg: 10, ul: 11, ug: 12 };
// What each column measures, for a substance's SI units (see fluids.js):
// t, p, v, s or an energy (h, g, u, the latent heat); null for the state.
const COEX_QUANTITIES = ['t', 'p', 'v', 'v', 'v', 'p', 'v', 'p', 'e'];
const PROP_QUANTITIES = ['t', null, 'p', 'v', 'v', 's', 's', 'e', 'e', 'e', 'e', 'e', 'e'];
const LAST_ROW_MILLI = 999;   // the table runs from t = 0.999 (row 0) down to 0.501
const FIRST_ROW_MILLI = 501;

// ---- Texts ---------------------------------------------------------------

function tr(key, vars = {}) {
  const text = (STRINGS[state.lang] && STRINGS[state.lang][key]) || STRINGS.es[key] || key;
  return typeof text === 'string' ? text.replace(/\{(\w+)\}/g, (_, name) => vars[name]) : text;
}

function chooseLanguage() {
  const asked = new URLSearchParams(location.search).get('lang');
  let stored = null;
  try { stored = localStorage.getItem('vdwcoex-lang'); } catch (e) { /* storage may be off */ }
  state.lang = asked === 'en' || asked === 'es' ? asked : stored === 'en' ? 'en' : 'es';
}

function applyTexts() {
  document.documentElement.lang = state.lang;
  document.querySelectorAll('[data-text]').forEach((el) => { el.textContent = tr(el.dataset.text); });
  document.querySelectorAll('[data-label]').forEach((el) => {
    el.setAttribute('aria-label', tr(el.dataset.label));
  });
  document.getElementById('language').lang = state.lang === 'es' ? 'en' : 'es';
  document.querySelectorAll('button.png').forEach((button) => {
    button.setAttribute('aria-label', `${tr('savePng')}: ${document.getElementById(button.dataset.chart).getAttribute('aria-label')}`);
  });
  say(...state.status);
  tableHeads();
  restyleCharts();
  describeAll();
  showCNote();
  nameFluids();
  if (state.coexistenceRows.length)
    showChosen();
}

function switchLanguage() {
  state.lang = state.lang === 'es' ? 'en' : 'es';
  try { localStorage.setItem('vdwcoex-lang', state.lang); } catch (e) { /* storage may be off */ }
  const url = new URL(location.href);
  url.searchParams.set('lang', state.lang);
  try { history.replaceState(null, '', url); } catch (e) { /* file:// in some browsers */ }
  applyTexts();
}

function say(key, vars = {}, isError = false) {
  state.status = [key, vars, isError];
  const status = document.getElementById('status');
  status.textContent = tr(key, vars);
  status.className = isError ? 'error' : '';
}

function programMissing() {
  say('missing', {}, true);
}

window.addEventListener('error', (event) => {
  say('pageError', { error: event.message }, true);
});

// ---- Start ---------------------------------------------------------------

function start() {
  chooseLanguage();
  applyTexts();
  document.getElementById('language').addEventListener('click', switchLanguage);
  if (typeof WebAssembly !== 'object') {
    say('noWasm', {}, true);
    return;
  }
  if (typeof createVdwcoex !== 'function') {
    programMissing();
    return;
  }
  loadProgram().then(() => {
    makeTables();
    listen();
    makeFluids();
    document.getElementById('run').disabled = false;
    say('ready');
    document.body.dataset.ready = Math.round(performance.now());
    makeCharts(() => {
      document.body.dataset.charts = 'made';
      setTimeout(warmUp, 0);
    });
  }, (error) => say('startFailed', { error: String(error) }, true));
}

// One run once the page is ready, its results discarded, so that the
// browser has compiled the program's hot code by the time the user presses
// Enter. A reply typed before it is computed first and makes it needless.
function warmUp() {
  if (state.runs || state.cText !== null)
    return;
  runProgram('1.5');
  const rows = state.run.coexistenceRows();
  // The phase diagram drawn with these rows and emptied again in the same
  // task: nothing is painted in between, but the drawing code is compiled.
  state.coexistenceRows = rows;
  updateDiagram();
  state.coexistenceRows = [];
  updateDiagram();
  warmUpMaxwell(LAST_ROW_MILLI - 850);
}

function loadProgram() {
  return loadProgramModule().then((program) => { state.program = program; });
}

function listen() {
  document.getElementById('form').addEventListener('submit', (event) => {
    event.preventDefault();
    compute(document.getElementById('c').value, event.timeStamp);
  });
  document.getElementById('limit-rows').addEventListener('change', showProperties);
  document.querySelectorAll('input[name=quantity]').forEach((radio) =>
    radio.addEventListener('change', () => { showProperties(); describeAll(); }));
  matchMedia('(prefers-color-scheme: dark)').addEventListener('change', () => { newColourScheme(); markChosen(); });
  listenMaxwell();
  offerPictures();
  document.getElementById('xlsx-file').addEventListener('click', downloadWorkbook);
}

// ---- A run ---------------------------------------------------------------

// Runs the program with the reply; the run is kept for reading. Its c.
function runProgram(reply) {
  state.run = state.program.run(reply);
  return state.run.c;
}

function compute(reply, startedAt = performance.now()) {
  say('computing');
  let c;
  let files;
  try {
    c = runProgram(reply);
    files = state.run.reports();
  } catch (error) {
    // A trap leaves the module unusable: load it again.
    state.program = null;
    document.getElementById('run').disabled = true;
    loadProgram().then(() => {
      document.getElementById('run').disabled = false;
      say('trapped', { error: error.message || String(error) }, true);
    }, (again) => say('startFailed', { error: String(again) }, true));
    return;
  }
  runPainting = true;
  const latin1 = new TextDecoder('latin1');
  const coexistenceText = latin1.decode(files[0]);
  const cText = (coexistenceText.match(/c = (\S+)/) || [])[1];
  showCommaNote(reply, state.run.replyEnd, cText);
  if (state.cText !== null && state.cText !== cText)
    state.previous = { cText: state.cText, rows: state.propertyRows };
  state.c = c;
  state.cText = cText;
  showCNote();

  const rowsText = coexistenceText.slice(coexistenceText.indexOf('\r\n====='));
  if (rowsText !== state.coexistenceKey) {
    state.coexistenceKey = rowsText;
    state.coexistenceRows = state.run.coexistenceRows();
    tables.coexistence.setRows(shownRows(state.coexistenceRows, COEX_QUANTITIES));
    updateDiagram();
    document.getElementById('trace').textContent = state.run.trace().replace(/^\n/, '');
  }
  state.propertyRows = state.run.propertyRows();
  showProperties();
  document.getElementById('files').hidden = false;
  enableMaxwell();
  offerSiFiles();
  showChosen();
  describeAll();

  const run = state.run;
  afterPaint(() => {
    const ms = Math.round(performance.now() - startedAt);
    runPainting = false;
    redrawDue();
    // A run that followed before the paint offers its own files.
    if (state.run !== run)
      return;
    offerFiles(files.concat(run.csvFiles()));
    state.runs += 1;
    document.body.dataset.runs = state.runs;
    document.body.dataset.ms = ms;
    say('done', { c: cText, rows: state.coexistenceRows.length, ms });
  });
}

// Runs `then` once the frame after the current changes has been painted:
// a message posted from the frame's callback arrives after its paint.
function afterPaint(then) {
  requestAnimationFrame(() => {
    const channel = new MessageChannel();
    channel.port1.onmessage = then;
    channel.port2.postMessage(0);
  });
}

function offerFiles(files) {
  state.fileUrls.forEach((url) => URL.revokeObjectURL(url));
  state.fileUrls = files.map((bytes) =>
    URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' })));
  ['coex-file', 'prop-file', 'coex-csv', 'prop-csv'].forEach((id, k) => {
    document.getElementById(id).href = state.fileUrls[k];
  });
}

// What a c that is not a positive finite number means for the results.
function showCNote() {
  const note = document.getElementById('c-note');
  const c = state.c;
  const large = Number.isFinite(c) && c > state.program.largestExactC;
  if (c === null || (c > 0 && Number.isFinite(c) && !large)) {
    note.hidden = true;
    return;
  }
  note.textContent = tr(Number.isNaN(c) ? 'cNaN' : large ? 'cLarge' : Number.isFinite(c) ? 'cNotPositive' : 'cInfinite',
    { c: state.cText });
  note.hidden = false;
}

// A reply whose number stops at a decimal comma followed by digits ("1,5"):
// the files are the console program's (c = 1), and the page says how it was
// read and how to write it.
function showCommaNote(reply, end, cText) {
  const note = document.getElementById('comma-note');
  const bytes = new TextEncoder().encode(reply);
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
  note.textContent = tr('commaNote', { typed: read + ',' + decode(end + 1, after), c: cText,
    fixed: read + '.' + decode(end + 1, after) });
  note.hidden = false;
}

// A printed field as the page shows it: one way to write nan.
function shownField(field) {
  return /^[-+]?nan$/i.test(field) ? 'nan' : field;
}

// Says `text` once to a screen reader, after a pause in what changes it, so
// that a held key or a drag does not flood it.
let announceTimer = null;
function announce(text) {
  clearTimeout(announceTimer);
  announceTimer = setTimeout(() => { document.getElementById('announce').textContent = text; }, 400);
}

// The chosen t's row of vdw_coex.dat (0 for t = 0.999), or -1 above the table.
function chosenRow() {
  return state.tMilli <= LAST_ROW_MILLI && state.tMilli >= FIRST_ROW_MILLI ? LAST_ROW_MILLI - state.tMilli : -1;
}

// ---- Tables: only the rows in view are in the page -----------------------

class WindowedTable {
  constructor(box, onPick) {
    this.box = box;
    this.table = box.querySelector('table');
    this.body = this.table.tBodies[0];
    this.rows = [];
    this.marked = -1;
    this.rowHeight = 0;
    this.onPick = onPick;
    this.everyRow = false;  // for print: every row in the page
    // The box's height and scroll position, kept as they change, so that a
    // render never makes the browser lay out the page first to read them.
    this.scrollTop = box.scrollTop;
    this.viewHeight = box.clientHeight || 400;
    this.rowHeight = this.measureRow();
    new ResizeObserver(() => { this.viewHeight = box.clientHeight || 400; this.render(); }).observe(box);
    box.addEventListener('scroll', () => { this.scrollTop = box.scrollTop; this.render(); }, { passive: true });
    if (onPick) {
      this.body.addEventListener('click', (event) => {
        const row = event.target.closest('tr[data-row]');
        if (row)
          onPick(Number(row.dataset.row));
      });
      // The arrow keys, PageUp/PageDown and Home/End pick a row from the
      // focused table; the pick follows the keys.
      box.addEventListener('keydown', (event) => {
        const page = Math.max(1, Math.floor(this.viewHeight / (this.rowHeight || 28)) - 1);
        const moves = { ArrowDown: 1, ArrowUp: -1, PageDown: page, PageUp: -page,
          Home: -Infinity, End: Infinity };
        if (!(event.key in moves) || !this.rows.length)
          return;
        event.preventDefault();
        const from = this.marked < 0 ? 0 : this.marked;
        onPick(Math.min(this.rows.length - 1, Math.max(0, from + moves[event.key])));
      });
    }
  }

  // The height of one row, from a row put in and taken out again.
  measureRow() {
    this.body.innerHTML = '<tr data-row="0"><td>0.000000</td></tr>';
    const height = this.body.rows[0].getBoundingClientRect().height;
    this.body.innerHTML = '';
    return height;
  }

  setRows(rows) {
    this.rows = rows;
    this.table.setAttribute('aria-rowcount', rows.length + 1);
    this.render();
  }

  // Marks a row by its class alone: the rows in the page stay; a row out of
  // view is scrolled to, and the scroll renders it.
  mark(index) {
    if (index === this.marked)
      return;
    const old = this.body.querySelector('tr.marked');
    if (old) {
      old.classList.remove('marked');
      old.removeAttribute('aria-selected');
    }
    this.marked = index;
    const row = this.body.querySelector(`tr[data-row="${index}"]`);
    if (row) {
      row.classList.add('marked');
      row.setAttribute('aria-selected', 'true');
    }
    if (this.rowHeight && index >= 0) {
      const top = index * this.rowHeight;
      if (top < this.scrollTop || top > this.scrollTop + this.viewHeight - 2 * this.rowHeight) {
        // Scrolled just before the next paint, which lays the page out
        // anyway: setting it now would make the browser do that twice.
        this.scrollTop = Math.max(0, top - this.viewHeight / 2);
        if (!this.scrolling)
          requestAnimationFrame(() => {
            this.scrolling = false;
            this.box.scrollTop = this.scrollTop;
          });
        this.scrolling = true;
      }
    }
  }

  render() {
    const columns = this.table.tHead.rows[0] ? this.table.tHead.rows[0].cells.length : 1;
    const height = this.rowHeight || 28;
    const first = this.everyRow ? 0 : Math.max(0, Math.floor(this.scrollTop / height) - 5);
    const count = this.everyRow ? this.rows.length : Math.ceil(this.viewHeight / height) + 10;
    const last = Math.min(this.rows.length, first + count);
    if (this.rendered && this.rendered.first === first && this.rendered.last === last &&
        this.rendered.rows === this.rows && this.rendered.marked === this.marked)
      return;
    // The same rows of a table of the same size with new values (a new c):
    // only the cells' texts are rewritten.
    const before = this.rendered;
    this.rendered = { first, last, rows: this.rows, marked: this.marked };
    if (before && before.first === first && before.last === last && before.marked === this.marked &&
        before.rows.length === this.rows.length && this.rows[first] && before.rows[first] &&
        before.rows[first].length === this.rows[first].length) {
      const rows = this.body.querySelectorAll('tr[data-row]');
      for (let i = first; i < last; i++) {
        const cells = rows[i - first].cells;
        this.rows[i].forEach((text, k) => {
          if (cells[k].textContent !== text)
            cells[k].textContent = text;
        });
      }
      return;
    }
    const spacer = (rows) => rows > 0 ?
      `<tr class="spacer" aria-hidden="true" style="height:${rows * height}px"><td colspan="${columns}"></td></tr>` : '';
    let html = spacer(first);
    for (let i = first; i < last; i++) {
      const mark = i === this.marked ? ' class="marked" aria-selected="true"' : '';
      html += `<tr data-row="${i}" aria-rowindex="${i + 2}"${mark}><td>` +
        this.rows[i].join('</td><td>') + '</td></tr>';
    }
    html += spacer(this.rows.length - last);
    this.body.innerHTML = html;
    if (!this.rowHeight && last > first) {
      const row = this.body.querySelector('tr[data-row]');
      this.rowHeight = row.getBoundingClientRect().height || 28;
      if (this.rowHeight !== height) {
        this.rendered = null;
        this.render();
      }
    }
  }
}

function makeTables() {
  tables.coexistence = new WindowedTable(document.getElementById('coexistence-box'),
    (row) => chooseT(LAST_ROW_MILLI - row));
  tables.properties = new WindowedTable(document.getElementById('properties-box'),
    (row) => chooseT(tables.properties.tMilli[row]));
  tableHeads();
  // Printed, the tables hold every row.
  const print = (on) => {
    Object.values(tables).forEach((table) => { table.everyRow = on; table.render(); });
    newColourScheme();
    markChosen();
  };
  addEventListener('beforeprint', () => print(true));
  addEventListener('afterprint', () => print(false));
  matchMedia('print').addEventListener('change', (event) => print(event.matches));
}

function tableHeads() {
  const head = (cells) => '<tr>' + cells.map(([name, title]) =>
    `<th scope="col"${title ? ` title="${title}"` : ''}>${name}</th>`).join('') + '</tr>';
  const coexistence = document.querySelector('#table thead');
  if (coexistence)
    coexistence.innerHTML = head(withUnits(tr('coexColumns'), COEX_QUANTITIES));
  // The columns' meanings, readable without a pointer.
  document.getElementById('coex-columns').innerHTML = tr('coexColumns')
    .map(([name, title]) => `<dt>${name}</dt><dd>${title}</dd>`).join('');
  const properties = document.querySelector('#properties-table thead');
  if (properties)
    properties.innerHTML = head(withUnits([['t'], [tr('state')], ['p'], ['vl'], ['vg'], ['sl'], ['sg'], ['hl'],
      ['hg'], ['gl'], ['gg'], ['ul'], ['ug']], PROP_QUANTITIES));
  if (tables.properties)
    showProperties();
}

// ---- Charts --------------------------------------------------------------

// The page's colours, read once per colour scheme: reading a computed style
// after the page changed would make the browser lay it out again.
let cssCache = {};
function css(name) {
  if (!(name in cssCache))
    cssCache[name] = getComputedStyle(document.documentElement).getPropertyValue(name).trim();
  return cssCache[name];
}

function newColourScheme() {
  cssCache = {};
  restyleCharts();
}

function dataset(chart, key) {
  return chart.data.datasets.find((d) => d.key === key);
}

function line(key, colour, extra) {
  return Object.assign({ key, data: [], borderColor: colour, backgroundColor: colour,
    showLine: true, pointRadius: 0, borderWidth: 2.5, fill: false }, extra);
}

function point(key, extra) {
  return Object.assign({ key, data: [], pointRadius: 6, showLine: false }, extra);
}

// Column i against column j of the rows, as chart points: every third row
// (and the last), as the charts cannot show more.
function points(rows, i, j) {
  return rows.filter((_, k) => k % 3 === 0 || k === rows.length - 1)
    .map((fields) => ({ x: Number(fields[i]), y: Number(fields[j]) }));
}

// Volumes from `from` to `to`, evenly spaced on a linear and on a log axis
// both, so that a curve drawn through them is smooth on either; `extra`
// volumes are added where the curve must pass exactly.
function volumes(from, to, count, extra = []) {
  const vs = [];
  for (let k = 0; k <= count; k++) {
    vs.push(from + (to - from) * k / count);
    vs.push(from * Math.pow(to / from, k / count));
  }
  return vs.concat(extra.filter((v) => v >= from && v <= to)).sort((a, b) => a - b);
}

// Points on the isotherm t from the model at the given volumes.
function isotherm(t, vs) {
  return vs.map((v) => ({ x: v, y: state.program.isothermPressure(t, v) }));
}

const palette = ['--c-blue', '--c-orange', '--c-purple', '--c-green', '--c-pink', '--c-olive'];
const isothermTs = [0.95, 0.9, 0.85, 0.8, 0.7];

function chartOptions(x, y) {
  return {
    animation: false, responsive: true, maintainAspectRatio: false, parsing: false,
    normalized: true, events: ['click'],
    plugins: { legend: { display: false }, tooltip: { enabled: false },
      title: { display: true, font: { size: 17, weight: '600' } } },
    scales: { x, y },
  };
}

// A linear axis whose labels are the nice values inside it, never its bare
// ends (which crowd the next label).
function axis(extra) {
  return Object.assign({ title: { display: true }, ticks: { includeBounds: false } }, extra);
}

// The table's temperatures, 0.5 to 1.
function tAxis() {
  return axis({ min: 0.5, max: 1 });
}

// A log axis with labels at 1, 2, 5 times the powers of ten, or finer steps
// where the range is narrow, so that at least four are shown.
function logAxis(extra) {
  return axis(Object.assign({ type: 'logarithmic',
    afterBuildTicks: (scale) => { scale.ticks = logTicks(scale.min, scale.max).map((value) => ({ value })); },
    ticks: { autoSkip: true, maxRotation: 0, callback: (v) => String(Number(v.toPrecision(3))) } }, extra));
}

function logTicks(min, max) {
  const mantissas = [[1], [1, 2, 5], [1, 1.5, 2, 3, 4, 5, 6, 7, 8, 9],
    Array.from({ length: 90 }, (_, k) => 1 + k / 10)];
  let ticks = [];
  for (const list of mantissas) {
    ticks = [];
    for (let power = Math.floor(Math.log10(min)); power <= Math.ceil(Math.log10(max)); power++)
      list.forEach((m) => {
        const value = Number((m * Math.pow(10, power)).toPrecision(6));
        if (value >= min && value <= max)
          ticks.push(value);
      });
    if (ticks.length >= 4)
      break;
  }
  return ticks;
}

// Makes the charts one at a time, each in a task of its own, after the page
// is ready: the reader can type c while they are made. What a run gave
// before they were all there is drawn once they are.
function makeCharts(then) {
  if (typeof Chart !== 'function') {
    const error = document.getElementById('chart-error');
    error.textContent = tr('chartsMissing');
    error.hidden = false;
    then();
    return;
  }
  Chart.defaults.font.size = 16;
  Chart.register(marksPlugin);
  const makers = [makeMaxwellChart, makeGibbsChart, makeOverview, makePropertyCharts];
  const next = () => {
    const make = makers.shift();
    if (make) {
      make();
      Object.values(charts).forEach((chart) => { if (!chart.$marks) setMarks(chart, []); });
      setTimeout(next, 0);
      return;
    }
    chartsMade = true;
    watchChartsInView();
    restyleCharts();
    if (state.coexistenceRows.length) {
      updateDiagram();
      showProperties();
      showChosen();
    }
    then();
  };
  next();
}

function makeOverview() {
  const overview = volumes(0.36, 60, 150);
  const pv = isothermTs.map((t, k) => line('isotherm' + k, '', {
    data: isotherm(t, overview), borderWidth: 1.5, borderDash: [6, 4], t }));
  pv.push(line('critical-isotherm', '', { data: isotherm(1, overview), borderWidth: 1.5, t: 1 }));
  pv.push(line('isotherm-above', '', { data: isotherm(1.1, overview), borderWidth: 1.5, borderDash: [2, 2], t: 1.1 }));
  pv.push(line('coexistence', '', { borderWidth: 3.5 }));
  pv.push(line('spinodal', '', { borderDash: [2, 3] }));
  pv.push(point('critical', { data: [{ x: 1, y: 1 }] }));
  pv.push(line('chosen-isotherm', '', { borderWidth: 3, mark: true }));
  pv.push(line('chosen-tie-line', '', { borderWidth: 3, mark: true }));

  charts.pv = new Chart(document.getElementById('pv'), { type: 'scatter', data: { datasets: pv },
    options: chartOptions(logAxis({ min: 0.36, max: 60 }), axis({ min: -0.6, max: 1.5 })) });
  charts.pt = new Chart(document.getElementById('pt'), { type: 'scatter', data: { datasets: [
    line('vapour-pressure', '', { borderWidth: 3.5 }),
    line('gas-limit', '', { borderDash: [8, 4] }),
    line('liquid-limit', '', { borderDash: [2, 3] }),
    point('chosen', { pointRadius: 7, mark: true }),
  ] }, options: chartOptions(tAxis(), axis({ min: -1, max: 1.1 })) });
  charts.heat = new Chart(document.getElementById('heat'), { type: 'scatter', data: { datasets: [
    line('latent-heat', '', { borderWidth: 3.5 }),
    point('chosen', { pointRadius: 7, mark: true }),
  ] }, options: chartOptions(tAxis(), axis({ min: 0 })) });
}

function makePropertyCharts() {
  charts.properties = new Chart(document.getElementById('properties'), { type: 'scatter', data: { datasets: [
    line('liquid-previous', '', { borderWidth: 2 }),
    line('gas-previous', '', { borderDash: [8, 4], borderWidth: 2 }),
    line('liquid', '', { borderWidth: 3 }),
    line('gas', '', { borderDash: [8, 4], borderWidth: 3 }),
    point('chosen', { pointRadius: 7, mark: true }),
  ] }, options: chartOptions(tAxis(), axis({})) });
  charts.ts = new Chart(document.getElementById('ts'), { type: 'scatter', data: { datasets: [
    line('liquid-previous', '', { borderWidth: 2 }),
    line('gas-previous', '', { borderDash: [8, 4], borderWidth: 2 }),
    line('liquid', '', { borderWidth: 3 }),
    line('gas', '', { borderDash: [8, 4], borderWidth: 3 }),
    line('chosen', '', { borderWidth: 2.5, mark: true }),
  ] }, options: chartOptions(axis({}), tAxis()) });
}

// A colour (#rrggbb) made faint, for the curves of the c before.
function faint(colour) {
  const [r, g, b] = colour.match(/[0-9a-f]{2}/gi).map((h) => parseInt(h, 16));
  return `rgba(${r}, ${g}, ${b}, 0.4)`;
}

// Colours, texts and legends of the charts named (every chart where none
// is), from the page's colour scheme and language.
function restyleCharts(only) {
  if (!chartsMade)
    return;
  const text = css('--text');
  const grid = css('--grid');
  const colour = (k) => css(palette[k % palette.length]);
  const label = (chart, key, text_, colour_) => {
    const d = dataset(chart, key);
    d.label = text_;
    d.borderColor = colour_;
    d.backgroundColor = colour_;
  };
  const chosen = tr('chosenT');
  isothermTs.forEach((t, k) => label(charts.pv, 'isotherm' + k, tr('isotherm', { t }), colour(k + 1)));
  label(charts.pv, 'critical-isotherm', tr('isotherm', { t: 1 }), css('--muted'));
  label(charts.pv, 'isotherm-above', tr('isotherm', { t: 1.1 }), css('--muted'));
  label(charts.pv, 'coexistence', tr('coexistence'), colour(0));
  label(charts.pv, 'spinodal', tr('spinodal'), css('--c-red'));
  label(charts.pv, 'critical', tr('critical'), text);
  label(charts.pv, 'chosen-isotherm', chosen, text);
  label(charts.pv, 'chosen-tie-line', tr('tieLine'), colour(3));
  label(charts.pt, 'vapour-pressure', tr('vapourPressure'), colour(0));
  label(charts.pt, 'gas-limit', tr('gasLimit'), css('--c-red'));
  label(charts.pt, 'liquid-limit', tr('liquidLimit'), colour(2));
  label(charts.pt, 'chosen', chosen, text);
  label(charts.heat, 'latent-heat', 'hg − hl', colour(0));
  label(charts.heat, 'chosen', chosen, text);
  const enthalpy = quantity() === 'h';
  const withC = (key, cText) => tr(key) + (cText ? `, c = ${cText}` : '');
  const previous = state.previous ? state.previous.cText : null;
  [charts.properties, charts.ts].forEach((chart) => {
    const h = chart === charts.properties && enthalpy;
    label(chart, 'liquid', withC(h ? 'hLiquid' : 'sLiquid', state.cText), colour(1));
    label(chart, 'gas', withC(h ? 'hGas' : 'sGas', state.cText), colour(0));
    label(chart, 'liquid-previous', withC(h ? 'hLiquid' : 'sLiquid', previous), faint(colour(1)));
    label(chart, 'gas-previous', withC(h ? 'hGas' : 'sGas', previous), faint(colour(0)));
    label(chart, 'chosen', chosen, text);
  });
  restyleMaxwell(label, colour, text);

  const vAxis = (log) => tr(log ? 'vAxisLog' : 'vAxis');
  const titles = { pv: [tr('pvChart'), vAxis(true), tr('pAxis')], pt: [tr('ptChart'), tr('tAxis'), tr('pAxis')],
    heat: [tr('heatChart'), tr('tAxis'), tr('heatAxis')],
    properties: [tr('propertiesChart', { quantity: tr(enthalpy ? 'enthalpy' : 'entropy') }), tr('tAxis'),
      tr(enthalpy ? 'enthalpy' : 'entropy')],
    ts: [tr('tsChart'), tr('entropy'), tr('tAxis')],
    maxwell: [titleAtT('maxwellChart'), vAxis(state.logAxis), tr('pAxis')],
    gibbs: [titleAtT('gibbsChart'), tr('pAxis'), tr('gibbsAxis')] };
  Object.entries(charts).forEach(([name, chart]) => {
    if (Array.isArray(only) && !only.includes(name))
      return;
    const o = chart.options;
    o.color = text;
    o.plugins.title.text = titles[name][0];
    o.plugins.title.color = text;
    [['x', 1], ['y', 2]].forEach(([id, k]) => {
      o.scales[id].title.text = axisTitle(titles[name][k], axisQuantity(name, id));
      o.scales[id].title.color = text;
      o.scales[id].ticks.color = text;
      o.scales[id].ticks.callback = tickLabel(axisQuantity(name, id), o.scales[id].type === 'logarithmic');
      if (!o.scales[id].grid)
        o.scales[id].grid = {};
      o.scales[id].grid.color = grid;
    });
    redraw(name);
    legend(name, chart);
  });
}

// A legend in the page, below its chart: it wraps to fit any screen, and each
// swatch draws the line as the chart does (solid, dashed, dotted, a point, a
// diamond or a filled area). Datasets of one label, and empty ones, are listed once or not at all.
function legend(name, chart) {
  const list = document.getElementById(name + '-legend');
  if (!list)
    return;
  const seen = new Set();
  const html = chart.data.datasets.filter((d) => (d.data.length || d.mark) && !seen.has(d.label) &&
      seen.add(d.label)).map((d) => {
    let swatch;
    if (d.fill)
      swatch = `<rect x="2" y="2" width="32" height="10" fill="${d.backgroundColor}"/>`;
    else if (d.showLine === false && d.pointStyle === 'rectRot')
      swatch = `<path d="M18 1 L24 7 L18 13 L12 7 Z" fill="${d.backgroundColor}"/>`;
    else if (d.showLine === false)
      swatch = `<circle cx="18" cy="7" r="5" fill="${d.backgroundColor}"/>`;
    else
      swatch = `<line x1="1" y1="7" x2="35" y2="7" stroke="${d.borderColor}" stroke-width="${Math.max(2, d.borderWidth)}"` +
        (d.borderDash ? ` stroke-dasharray="${d.borderDash.join(' ')}"` : '') + '/>';
    return `<li><svg width="36" height="14" aria-hidden="true">${swatch}</svg>${d.label}</li>`;
  }).join('');
  if (list.dataset.html !== html) {
    list.innerHTML = html;
    list.dataset.html = html;
  }
}

function updateDiagram() {
  if (!chartsMade)
    return;
  const rows = state.coexistenceRows;
  const rising = rows.slice().reverse();  // from t 0.501 up to 0.999
  dataset(charts.pv, 'coexistence').data = points(rising, COEX.vl, COEX.p).concat(points(rows, COEX.vg, COEX.p));
  dataset(charts.pv, 'spinodal').data = points(rising, COEX.vlmax, COEX.plmin)
    .concat(points(rows, COEX.vgmin, COEX.pgmax));
  dataset(charts.pt, 'vapour-pressure').data = points(rows, COEX.t, COEX.p);
  dataset(charts.pt, 'gas-limit').data = points(rows, COEX.t, COEX.pgmax);
  dataset(charts.pt, 'liquid-limit').data = points(rows, COEX.t, COEX.plmin);
  dataset(charts.heat, 'latent-heat').data = points(rows, COEX.t, COEX.latent);
  ['pv', 'pt', 'heat'].forEach(redraw);
}

function quantity() {
  const checked = document.querySelector('input[name=quantity]:checked');
  return checked ? checked.value : 's';
}

// clatente.dat: the table; sl and sg (or hl and hg) at coexistence against
// t, and t against sl and sg, each beside the run before's when c changed.
function showProperties() {
  const names = { eq: tr('stateEq'), limliq: tr('stateLimliq'), limgas: tr('stateLimgas') };
  const all = document.getElementById('limit-rows').checked;
  const rows = state.propertyRows.filter((f) => all || f[PROP.state] === 'eq')
    .map((f) => [f[PROP.t], names[f[PROP.state]] || f[PROP.state]].concat(f.slice(PROP.p)));
  tables.properties.tMilli = rows.map((f) => Math.round(Number(f[PROP.t]) * 1000));
  tables.properties.setRows(shownRows(rows, PROP_QUANTITIES));
  if (!chartsMade)
    return;
  const column = quantity() === 'h' ? PROP.hl : PROP.sl;
  const coexisting = (propertyRows) => propertyRows.filter((f) => f[PROP.state] === 'eq');
  const eq = coexisting(state.propertyRows);
  const before = state.previous ? coexisting(state.previous.rows) : [];
  dataset(charts.properties, 'liquid').data = points(eq, PROP.t, column);
  dataset(charts.properties, 'gas').data = points(eq, PROP.t, column + 1);
  dataset(charts.properties, 'liquid-previous').data = points(before, PROP.t, column);
  dataset(charts.properties, 'gas-previous').data = points(before, PROP.t, column + 1);
  dataset(charts.ts, 'liquid').data = points(eq, PROP.sl, PROP.t);
  dataset(charts.ts, 'gas').data = points(eq, PROP.sg, PROP.t);
  dataset(charts.ts, 'liquid-previous').data = points(before, PROP.sl, PROP.t);
  dataset(charts.ts, 'gas-previous').data = points(before, PROP.sg, PROP.t);
  markChosen();
  restyleCharts(['properties', 'ts']);
}

// The chosen t on every chart of the tables, as marks over them: its
// isotherm and tie line in the p–v plane, its row's point on the p–t,
// latent-heat and property charts, its tie line in the t–s plane. Above the
// table only the isotherm is marked.
function markChosen() {
  if (!chartsMade)
    return;
  const row = chosenRow();
  const f = state.coexistenceRows[row];
  const t = row >= 0 ? state.run.state(row).t : state.tMilli / 1000;
  const eq = row >= 0 ? state.propertyRows[3 * row] : null;
  markPropertyRow(row);
  const at = (x, y) => ({ x: Number(x), y: Number(y) });
  const look = (chart, key) => {
    const d = dataset(chart, key);
    return { key, colour: d.borderColor, width: d.borderWidth, radius: d.showLine === false ? d.pointRadius : 0,
      line: d.showLine !== false };
  };
  const mark = (chart, key, points) => Object.assign(look(chart, key), { points });
  setMarks(charts.pv, [
    mark(charts.pv, 'chosen-isotherm', isotherm(t, volumes(0.36, 60, 100))),
    mark(charts.pv, 'chosen-tie-line', f ? [at(f[COEX.vl], f[COEX.p]), at(f[COEX.vg], f[COEX.p])] : []),
  ]);
  setMarks(charts.pt, [mark(charts.pt, 'chosen', f ? [at(f[COEX.t], f[COEX.p])] : [])]);
  setMarks(charts.heat, [mark(charts.heat, 'chosen', f ? [at(f[COEX.t], f[COEX.latent])] : [])]);
  const column = quantity() === 'h' ? PROP.hl : PROP.sl;
  setMarks(charts.properties, [mark(charts.properties, 'chosen',
    eq ? [at(eq[PROP.t], eq[column]), at(eq[PROP.t], eq[column + 1])] : [])]);
  setMarks(charts.ts, [Object.assign(mark(charts.ts, 'chosen',
    eq ? [at(eq[PROP.sl], eq[PROP.t]), at(eq[PROP.sg], eq[PROP.t])] : []), { radius: 6 })]);
}

// The chosen t's coexistence row in the property table.
function markPropertyRow(row) {
  if (!tables.properties)
    return;
  const all = document.getElementById('limit-rows').checked;
  tables.properties.mark(row < 0 ? -1 : all ? 3 * row : row);
}

// ---- Charts as pictures ------------------------------------------------------

// Each chart's PNG button saves the chart as the chart library draws it,
// named after the chart, the chosen t and c.
function offerPictures() {
  document.querySelectorAll('button.png').forEach((button) => button.addEventListener('click', () => {
    const chart = charts[button.dataset.chart];
    if (!chart)
      return;
    const link = document.createElement('a');
    link.download = pictureName(button.dataset.chart);
    link.href = chartPicture(chart);
    link.click();
  }));
}

function pictureName(chart) {
  return `vdwcoex-${chart}-t${(state.tMilli / 1000).toFixed(3)}-c${state.cText || '1.500000'}.png`;
}

// ---- Text alternatives of the charts -------------------------------------

function describeAll() {
  const set = (id, text) => { document.getElementById(id).textContent = text; };
  const rows = state.coexistenceRows;
  if (!rows.length) {
    ['pv', 'pt', 'heat', 'properties', 'ts', 'maxwell', 'gibbs'].forEach((id) => set(id + '-description', tr('noData')));
    return;
  }
  const first = rows[rows.length - 1], last = rows[0];
  set('pv-description', tr('pvDescription', { vlLow: first[COEX.vl], vgLow: first[COEX.vg] }));
  set('pt-description', tr('ptDescription', { pLow: first[COEX.p], pHigh: last[COEX.p] }));
  set('heat-description', tr('heatDescription', { high: first[COEX.latent], low: last[COEX.latent] }));
  const eq = state.propertyRows.filter((f) => f[PROP.state] === 'eq');
  if (eq.length) {
    const column = quantity() === 'h' ? PROP.hl : PROP.sl;
    set('properties-description', tr('propertiesDescription', {
      quantity: tr(column === PROP.hl ? 'enthalpy' : 'entropy'), c: state.cText,
      liquidLow: eq[eq.length - 1][column], liquidHigh: eq[0][column],
      gasLow: eq[eq.length - 1][column + 1], gasHigh: eq[0][column + 1],
      before: state.previous ? tr('previousC', { c: state.previous.cText }) : '' }));
    set('ts-description', tr('tsDescription', { c: state.cText,
      slLow: eq[eq.length - 1][PROP.sl], sgLow: eq[eq.length - 1][PROP.sg], sHigh: eq[0][PROP.sl] }));
  }
}
