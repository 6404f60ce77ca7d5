// The page's side of vdwcoex: it hands the reply to the program (vdwcoex.js,
// compiled from the console program's C++) and shows what comes back. Every
// number on the page comes from the program: the tables, the isotherms, the
// Maxwell areas and the lever rule; nothing is computed here.
'use strict';

let program = null;      // the WebAssembly module, once loaded
let charts = {};         // Chart.js charts by name
let fileUrls = [];
let runs = 0;
let lang = 'es';
let statusKey = ['loading', {}];
let coexistenceRows = [];  // vdw_coex.dat's rows, each as its printed fields
let propertyRows = [];     // clatente.dat's rows, likewise
let coexistenceKey = null; // the rows' text, to skip redrawing what did not change
let selected = 349;        // slider position: t = 0.501 + 0.001 * selected (0.85)
let vOperating = null;
let lastC = null;
let tables = {};

// ---- Texts ---------------------------------------------------------------

function tr(key, vars = {}) {
  const text = (STRINGS[lang] && STRINGS[lang][key]) || STRINGS.es[key] || key;
  return typeof text === 'string' ? text.replace(/\{(\w+)\}/g, (_, name) => vars[name]) : text;
}

function chooseLanguage() {
  const asked = new URLSearchParams(location.search).get('lang');
  let stored = null;
  try { stored = localStorage.getItem('vdwcoex-lang'); } catch (e) { /* storage may be off */ }
  lang = asked === 'en' || asked === 'es' ? asked : stored === 'en' ? 'en' : 'es';
}

function applyTexts() {
  document.documentElement.lang = lang;
  document.querySelectorAll('[data-text]').forEach((el) => { el.textContent = tr(el.dataset.text); });
  document.querySelectorAll('[data-label]').forEach((el) => {
    el.setAttribute('aria-label', tr(el.dataset.label));
  });
  document.getElementById('language').lang = lang === 'es' ? 'en' : 'es';
  say(...statusKey);
  tableHeads();
  if (charts.pv)
    restyleCharts();
  describeAll();
  showCNote();
  if (coexistenceRows.length)
    showMaxwell();
}

function switchLanguage() {
  lang = lang === 'es' ? 'en' : 'es';
  try { localStorage.setItem('vdwcoex-lang', lang); } catch (e) { /* storage may be off */ }
  const url = new URL(location.href);
  url.searchParams.set('lang', lang);
  try { history.replaceState(null, '', url); } catch (e) { /* file:// in some browsers */ }
  applyTexts();
}

function say(key, vars = {}, isError = false) {
  statusKey = [key, vars, isError];
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
    warmUp();
    makeCharts();
    makeTables();
    listen();
    document.getElementById('run').disabled = false;
    say('ready');
  }, (error) => say('startFailed', { error: String(error) }, true));
}

// One run before the first reply, its results discarded, so that the
// browser has compiled the program's hot code by the time the user presses
// Enter.
function warmUp() {
  runProgram('1.5');
}

function loadProgram() {
  return createVdwcoex().then((module) => { program = module; });
}

function listen() {
  document.getElementById('form').addEventListener('submit', (event) => {
    event.preventDefault();
    compute(document.getElementById('c').value, event.timeStamp);
  });
  const range = document.getElementById('t-range');
  range.addEventListener('input', () => select(Number(range.value)));
  const number = document.getElementById('t-number');
  number.addEventListener('change', () => {
    const position = Math.round((Number(number.value) - 0.501) * 1000);
    if (Number.isFinite(position))
      select(Math.min(498, Math.max(0, position)));
  });
  document.getElementById('v-operating').addEventListener('change', (event) => {
    vOperating = Number(event.target.value);
    showMaxwell();
  });
  document.getElementById('limit-rows').addEventListener('change', showProperties);
  document.querySelectorAll('input[name=quantity]').forEach((radio) =>
    radio.addEventListener('change', () => { showProperties(); describeAll(); }));
  matchMedia('(prefers-color-scheme: dark)').addEventListener('change', restyleCharts);
  dragOperatingPoint();
}

// ---- A run ---------------------------------------------------------------

// The bytes of one of the program's texts: 0 vdw_coex.dat, 1 clatente.dat,
// 2 the console trace, 3 vdw_coex.csv, 4 clatente.csv.
function bytesOf(which) {
  const at = program._vdw_text(which);
  return program.HEAPU8.slice(at, at + program._vdw_text_size(which));
}

// Runs the program with the reply, handed over through the module's heap.
function runProgram(reply) {
  const bytes = new TextEncoder().encode(reply);
  const at = program._malloc(bytes.length + 1);
  try {
    program.HEAPU8.set(bytes, at);
    return program._vdw_run(at, bytes.length);
  } finally {
    program._free(at);
  }
}

function compute(reply, startedAt = performance.now()) {
  say('computing');
  let c;
  let files;
  try {
    c = runProgram(reply);
    files = [0, 1, 3, 4].map(bytesOf);
  } catch (error) {
    // A trap leaves the module unusable: load it again.
    program = null;
    document.getElementById('run').disabled = true;
    loadProgram().then(() => {
      document.getElementById('run').disabled = false;
      say('trapped', { error: error.message || String(error) }, true);
    }, (again) => say('startFailed', { error: String(again) }, true));
    return;
  }
  const latin1 = new TextDecoder('latin1');
  const coexistenceText = latin1.decode(files[0]);
  lastC = c;
  showCNote();

  const rowsText = coexistenceText.slice(coexistenceText.indexOf('\r\n====='));
  if (rowsText !== coexistenceKey) {
    coexistenceKey = rowsText;
    coexistenceRows = rowsOf(coexistenceText);
    tables.coexistence.setRows(coexistenceRows);
    updateDiagram();
    document.getElementById('trace').textContent = latin1.decode(bytesOf(2)).replace(/^\n/, '');
  }
  propertyRows = rowsOf(latin1.decode(files[1]));
  showProperties();
  document.getElementById('files').hidden = false;
  ['t-range', 't-number', 'v-operating'].forEach((id) => { document.getElementById(id).disabled = false; });
  showMaxwell();
  describeAll();

  const cShown = (coexistenceText.match(/c = (\S+)/) || [])[1];
  afterPaint(() => {
    const ms = Math.round(performance.now() - startedAt);
    offerFiles(files);
    runs += 1;
    document.body.dataset.runs = runs;
    document.body.dataset.ms = ms;
    say('done', { c: cShown, rows: coexistenceRows.length, ms });
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
  fileUrls.forEach((url) => URL.revokeObjectURL(url));
  fileUrls = files.map((bytes) =>
    URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' })));
  ['coex-file', 'prop-file', 'coex-csv', 'prop-csv'].forEach((id, k) => {
    document.getElementById(id).href = fileUrls[k];
  });
}

// What a c that is not a positive finite number means for the results.
function showCNote() {
  const note = document.getElementById('c-note');
  if (lastC === null || (lastC > 0 && Number.isFinite(lastC))) {
    note.hidden = true;
    return;
  }
  const shown = Number.isNaN(lastC) ? 'nan' : String(lastC).replace('Infinity', 'inf');
  note.textContent = tr(Number.isNaN(lastC) ? 'cNaN' : Number.isFinite(lastC) ? 'cNotPositive' : 'cInfinite',
    { c: shown });
  note.hidden = false;
}

// The rows of a report after its line of "=", each as its printed fields.
function rowsOf(text) {
  const lines = text.split('\r\n');
  const rule = lines.findIndex((line) => /^=+$/.test(line));
  return lines.slice(rule + 1).filter((line) => line.trim() !== '')
    .map((line) => line.trim().split(/\s+/));
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
    box.addEventListener('scroll', () => this.render(), { passive: true });
    if (onPick)
      this.body.addEventListener('click', (event) => {
        const row = event.target.closest('tr[data-row]');
        if (row)
          onPick(Number(row.dataset.row));
      });
  }

  setRows(rows) {
    this.rows = rows;
    this.table.setAttribute('aria-rowcount', rows.length + 1);
    this.render();
  }

  mark(index) {
    this.marked = index;
    this.render();
    if (this.rowHeight) {
      const top = index * this.rowHeight;
      if (top < this.box.scrollTop || top > this.box.scrollTop + this.box.clientHeight - 2 * this.rowHeight)
        this.box.scrollTop = Math.max(0, top - this.box.clientHeight / 2);
    }
  }

  render() {
    const columns = this.table.tHead.rows[0] ? this.table.tHead.rows[0].cells.length : 1;
    const height = this.rowHeight || 28;
    const first = Math.max(0, Math.floor(this.box.scrollTop / height) - 10);
    const count = Math.ceil((this.box.clientHeight || 400) / height) + 20;
    const last = Math.min(this.rows.length, first + count);
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
      if (this.rowHeight !== height)
        this.render();
    }
  }
}

function makeTables() {
  tables.coexistence = new WindowedTable(document.getElementById('coexistence-box'),
    (row) => select(498 - row));
  tables.properties = new WindowedTable(document.getElementById('properties-box'));
  tableHeads();
}

function tableHeads() {
  const head = (cells) => '<tr>' + cells.map(([name, title]) =>
    `<th scope="col"${title ? ` title="${title}"` : ''}>${name}</th>`).join('') + '</tr>';
  const coexistence = document.querySelector('#table thead');
  if (coexistence)
    coexistence.innerHTML = head(tr('coexColumns'));
  const properties = document.querySelector('#properties-table thead');
  if (properties)
    properties.innerHTML = head([['t'], [tr('state')], ['p'], ['vl'], ['vg'], ['sl'], ['sg'], ['hl'],
      ['hg'], ['gl'], ['gg'], ['ul'], ['ug']]);
  if (tables.properties)
    showProperties();
}

// ---- Charts --------------------------------------------------------------

function css(name) {
  return getComputedStyle(document.documentElement).getPropertyValue(name).trim();
}

function dataset(chart, key) {
  return chart.data.datasets.find((d) => d.key === key);
}

function line(key, colour, extra) {
  return Object.assign({ key, data: [], borderColor: colour, backgroundColor: colour,
    showLine: true, pointRadius: 0, borderWidth: 2.5, fill: false }, extra);
}

// Column i against column j of the rows, as chart points: every other row
// (and the last), as the charts cannot show more.
function points(rows, i, j) {
  return rows.filter((_, k) => k % 2 === 0 || k === rows.length - 1)
    .map((fields) => ({ x: Number(fields[i]), y: Number(fields[j]) }));
}

// Points on the isotherm t from the model, evenly spaced on a log axis.
function isotherm(t, from, to, count, extra = []) {
  const vs = [];
  for (let k = 0; k <= count; k++)
    vs.push(from * Math.pow(to / from, k / count));
  return vs.concat(extra).sort((a, b) => a - b)
    .map((v) => ({ x: v, y: program._vdw_isotherm_pressure(t, v) }));
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

function axis(extra) {
  return Object.assign({ title: { display: true } }, extra);
}

function makeCharts() {
  if (typeof Chart !== 'function') {
    const error = document.getElementById('chart-error');
    error.textContent = tr('chartsMissing');
    error.hidden = false;
    return;
  }
  Chart.defaults.font.size = 16;

  const pv = isothermTs.map((t, k) => line('isotherm' + k, '', {
    data: isotherm(t, 0.36, 60, 300), borderWidth: 1.5, borderDash: [6, 4], t }));
  pv.push(line('critical-isotherm', '', { data: isotherm(1, 0.36, 60, 300), borderWidth: 1.5, t: 1 }));
  pv.push(line('coexistence', '', { borderWidth: 3.5 }));
  pv.push(line('spinodal', '', { borderDash: [2, 3] }));
  pv.push({ key: 'critical', data: [{ x: 1, y: 1 }], pointRadius: 6, showLine: false });

  const logV = (min, max) => axis({ type: 'logarithmic', min, max,
    ticks: { autoSkip: true, callback: (v) => [0.5, 1, 2, 5, 10, 20, 50, 100].includes(v) ? String(v) : '' } });
  const t = axis({ min: 0.5, max: 1 });
  charts.pv = new Chart(document.getElementById('pv'), { type: 'scatter', data: { datasets: pv },
    options: chartOptions(logV(0.36, 60), axis({ min: -0.6, max: 1.5 })) });
  charts.pt = new Chart(document.getElementById('pt'), { type: 'scatter', data: { datasets: [
    line('vapour-pressure', '', { borderWidth: 3.5 }),
    line('gas-limit', '', { borderDash: [8, 4] }),
    line('liquid-limit', '', { borderDash: [2, 3] }),
  ] }, options: chartOptions(t, axis({ min: -1, max: 1.1 })) });
  charts.heat = new Chart(document.getElementById('heat'), { type: 'scatter', data: { datasets: [
    line('latent-heat', '', { borderWidth: 3.5 }),
  ] }, options: chartOptions(Object.assign({}, t), axis({ min: 0 })) });
  charts.properties = new Chart(document.getElementById('properties'), { type: 'scatter', data: { datasets: [
    line('liquid', '', { borderWidth: 3 }),
    line('gas', '', { borderDash: [8, 4], borderWidth: 3 }),
  ] }, options: chartOptions(Object.assign({}, t), axis({})) });
  charts.maxwell = new Chart(document.getElementById('maxwell'), { type: 'scatter', data: { datasets: [
    line('area-liquid', '', { borderWidth: 0, fill: { value: 0 } }),
    line('area-gas', '', { borderWidth: 0, fill: { value: 0 } }),
    line('stable-liquid', '', { borderWidth: 3 }),
    line('metastable-liquid', '', { borderDash: [8, 4] }),
    line('unstable', '', { borderDash: [2, 4] }),
    line('metastable-gas', '', { borderDash: [8, 4] }),
    line('stable-gas', '', { borderWidth: 3 }),
    line('tie-line', '', { borderWidth: 3 }),
    { key: 'limits', data: [], pointRadius: 6, showLine: false },
    { key: 'operating-point', data: [], pointRadius: 8, pointStyle: 'rectRot', showLine: false },
  ] }, options: chartOptions(logV(0.4, 10), axis({})) });
  restyleCharts();
}

// Colours, texts and legends of the charts named (every chart where none
// is), from the page's colour scheme and language.
function restyleCharts(only) {
  if (!charts.pv)
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
  isothermTs.forEach((t, k) => label(charts.pv, 'isotherm' + k, tr('isotherm', { t }), colour(k + 1)));
  label(charts.pv, 'critical-isotherm', tr('isotherm', { t: 1 }), css('--muted'));
  label(charts.pv, 'coexistence', tr('coexistence'), colour(0));
  label(charts.pv, 'spinodal', tr('spinodal'), css('--c-red'));
  label(charts.pv, 'critical', tr('critical'), text);
  label(charts.pt, 'vapour-pressure', tr('vapourPressure'), colour(0));
  label(charts.pt, 'gas-limit', tr('gasLimit'), css('--c-red'));
  label(charts.pt, 'liquid-limit', tr('liquidLimit'), colour(2));
  label(charts.heat, 'latent-heat', 'hg − hl', colour(0));
  const enthalpy = quantity() === 'h';
  label(charts.properties, 'liquid', tr(enthalpy ? 'hLiquid' : 'sLiquid'), colour(1));
  label(charts.properties, 'gas', tr(enthalpy ? 'hGas' : 'sGas'), colour(0));
  const m = charts.maxwell;
  label(m, 'area-liquid', tr('areaLiquid'), css('--area-liquid'));
  label(m, 'area-gas', tr('areaGas'), css('--area-gas'));
  label(m, 'stable-liquid', tr('stable'), text);
  label(m, 'metastable-liquid', tr('metastable'), text);
  label(m, 'unstable', tr('unstable'), text);
  label(m, 'metastable-gas', tr('metastable'), text);
  label(m, 'stable-gas', tr('stable'), text);
  label(m, 'tie-line', tr('tieLine'), colour(0));
  label(m, 'limits', tr('limits'), css('--c-red'));
  label(m, 'operating-point', tr('operatingPoint'), colour(3));

  const titles = { pv: [tr('pvChart'), tr('vAxis'), tr('pAxis')], pt: [tr('ptChart'), tr('tAxis'), tr('pAxis')],
    heat: [tr('heatChart'), tr('tAxis'), tr('heatAxis')],
    properties: [tr('propertiesChart', { quantity: tr(enthalpy ? 'enthalpy' : 'entropy') }), tr('tAxis'),
      tr(enthalpy ? 'enthalpy' : 'entropy')],
    maxwell: [tr('maxwellChart', { t: (0.501 + selected / 1000).toFixed(3) }), tr('vAxis'), tr('pAxis')] };
  Object.entries(charts).forEach(([name, chart]) => {
    if (Array.isArray(only) && !only.includes(name))
      return;
    const o = chart.options;
    o.color = text;
    o.plugins.title.text = titles[name][0];
    o.plugins.title.color = text;
    [['x', 1], ['y', 2]].forEach(([id, k]) => {
      o.scales[id].title.text = titles[name][k];
      o.scales[id].title.color = text;
      o.scales[id].ticks.color = text;
      o.scales[id].grid = { color: grid };
    });
    chart.update('none');
    legend(name, chart);
  });
}

// A legend in the page, below its chart: it wraps to fit any screen, and each
// swatch draws the line as the chart does (solid, dashed, dotted, a point or
// a filled area). Datasets of one label are listed once.
function legend(name, chart) {
  const list = document.getElementById(name + '-legend');
  if (!list)
    return;
  const seen = new Set();
  list.innerHTML = chart.data.datasets.filter((d) => !seen.has(d.label) && seen.add(d.label)).map((d) => {
    let swatch;
    if (d.fill)
      swatch = `<rect x="2" y="2" width="32" height="10" fill="${d.backgroundColor}"/>`;
    else if (d.showLine === false)
      swatch = `<circle cx="18" cy="7" r="5" fill="${d.backgroundColor}"/>`;
    else
      swatch = `<line x1="1" y1="7" x2="35" y2="7" stroke="${d.borderColor}" stroke-width="${Math.max(2, d.borderWidth)}"` +
        (d.borderDash ? ` stroke-dasharray="${d.borderDash.join(' ')}"` : '') + '/>';
    return `<li><svg width="36" height="14" aria-hidden="true">${swatch}</svg>${d.label}</li>`;
  }).join('');
}

// Columns of vdw_coex.dat: 0 t, 1 p, 2 vl, 3 vg, 4 vlmax, 5 plmin, 6 vgmin,
// 7 pgmax, 8 hg - hl.
function updateDiagram() {
  if (!charts.pv)
    return;
  const rows = coexistenceRows;
  const rising = rows.slice().reverse();  // from t 0.501 up to 0.999
  dataset(charts.pv, 'coexistence').data = points(rising, 2, 1).concat(points(rows, 3, 1));
  dataset(charts.pv, 'spinodal').data = points(rising, 4, 5).concat(points(rows, 6, 7));
  dataset(charts.pt, 'vapour-pressure').data = points(rows, 0, 1);
  dataset(charts.pt, 'gas-limit').data = points(rows, 0, 7);
  dataset(charts.pt, 'liquid-limit').data = points(rows, 0, 5);
  dataset(charts.heat, 'latent-heat').data = points(rows, 0, 8);
  ['pv', 'pt', 'heat'].forEach((name) => charts[name].update('none'));
}

function quantity() {
  const checked = document.querySelector('input[name=quantity]:checked');
  return checked ? checked.value : 's';
}

// clatente.dat: the table, and sl and sg (or hl and hg) at coexistence.
function showProperties() {
  const names = { eq: tr('stateEq'), limliq: tr('stateLimliq'), limgas: tr('stateLimgas') };
  const all = document.getElementById('limit-rows').checked;
  const rows = propertyRows.filter((f) => all || f[1] === 'eq')
    .map((f) => [f[0], names[f[1]] || f[1]].concat(f.slice(2)));
  tables.properties.setRows(rows);
  if (!charts.properties)
    return;
  const eq = propertyRows.filter((f) => f[1] === 'eq');
  const column = quantity() === 'h' ? 7 : 5;
  dataset(charts.properties, 'liquid').data = points(eq, 0, column);
  dataset(charts.properties, 'gas').data = points(eq, 0, column + 1);
  restyleCharts(['properties']);
}

// ---- The Maxwell construction --------------------------------------------

function select(position) {
  selected = position;
  vOperating = null;
  showMaxwell();
}

function showMaxwell() {
  const row = 498 - selected;
  const f = coexistenceRows[row];
  if (!f || !program)
    return;
  const [t, p, vl, vg, vlmax, plmin, vgmin, pgmax] = f.slice(0, 8).map(Number);
  const range = document.getElementById('t-range');
  range.value = selected;
  range.setAttribute('aria-valuetext', 't = ' + f[0]);
  document.getElementById('t-number').value = t.toFixed(3);
  tables.coexistence.mark(row);

  program._vdw_maxwell(row);
  const vMiddle = program._vdw_maxwell_part(0);
  const areaLiquid = program._vdw_maxwell_part(1);
  const areaGas = program._vdw_maxwell_part(2);

  const eq = propertyRows[3 * row] || [];
  const dl = (items) => items.map(([k, v]) => `<dt>${k}</dt><dd>${v}</dd>`).join('');
  document.getElementById('readout-heading').textContent = tr('readoutHeading', { t: f[0] });
  document.getElementById('readout').innerHTML = dl([[tr('pressure'), f[1]], [tr('liquidVolume'), f[2]],
    [tr('gasVolume'), f[3]], [tr('latentHeat'), f[8]], ['sl, sg', `${eq[5]}, ${eq[6]}`],
    ['hl, hg', `${eq[7]}, ${eq[8]}`], ['gl, gg', `${eq[9]}, ${eq[10]}`]]);
  const difference = areaGas - areaLiquid;
  document.getElementById('areas').innerHTML = dl([[tr('areaLiquid'), areaLiquid.toFixed(6)],
    [tr('areaGas'), areaGas.toFixed(6)], [tr('areaDifference'), difference.toExponential(1)]]);
  const areas = document.getElementById('areas');
  areas.dataset.liquid = areaLiquid;
  areas.dataset.gas = areaGas;

  // Halfway along the tie line at first; a volume off it moves to its end.
  vOperating = vOperating === null || Number.isNaN(vOperating) ? Number(((vl + vg) / 2).toFixed(3))
    : Math.min(vg, Math.max(vl, vOperating));
  const operating = document.getElementById('v-operating');
  operating.min = vl;
  operating.max = vg;
  operating.value = vOperating;
  const gas = program._vdw_gas_fraction(vOperating, vl, vg);
  document.getElementById('fractions').textContent =
    tr('leverResult', { liquid: (100 - 100 * gas).toFixed(1), gas: (100 * gas).toFixed(1) });

  if (charts.maxwell) {
    const m = charts.maxwell;
    const vMin = vl * 0.8, vMax = vg * 1.6;
    const low = Math.min(plmin, p), high = Math.max(pgmax, p);
    const pad = (high - low) * 0.35 + 0.01;
    m.options.scales.x.min = vMin;
    m.options.scales.x.max = vMax;
    m.options.scales.y.min = low - pad;
    m.options.scales.y.max = high + pad;
    const curve = isotherm(t, vMin, vMax, 160, [vl, vlmax, vMiddle, vgmin, vg]);
    const part = (from, to) => curve.filter((q) => q.x >= from && q.x <= to);
    dataset(m, 'stable-liquid').data = part(vMin, vl);
    dataset(m, 'metastable-liquid').data = part(vl, vlmax);
    dataset(m, 'unstable').data = part(vlmax, vgmin);
    dataset(m, 'metastable-gas').data = part(vgmin, vg);
    dataset(m, 'stable-gas').data = part(vg, vMax);
    dataset(m, 'tie-line').data = [{ x: vl, y: p }, { x: vg, y: p }];
    Object.assign(dataset(m, 'area-liquid'), { data: part(vl, vMiddle), fill: { value: p } });
    Object.assign(dataset(m, 'area-gas'), { data: part(vMiddle, vg), fill: { value: p } });
    dataset(m, 'limits').data = [{ x: vlmax, y: plmin }, { x: vgmin, y: pgmax }];
    dataset(m, 'operating-point').data = [{ x: vOperating, y: p }];
    m.options.plugins.title.text = tr('maxwellChart', { t: f[0] });
    m.update('none');
  }
  document.getElementById('maxwell-description').textContent = tr('maxwellDescription', {
    t: f[0], vl: f[2], vg: f[3], vlmax: f[4], plmin: f[5], vgmin: f[6], pgmax: f[7], p: f[1],
    areaLiquid: areaLiquid.toFixed(6), areaGas: areaGas.toFixed(6) });
}

// The operating point follows the pointer along the tie line while pressed.
function dragOperatingPoint() {
  const canvas = document.getElementById('maxwell');
  let dragging = false;
  const move = (event) => {
    if (!dragging || !coexistenceRows.length || !charts.maxwell)
      return;
    const v = charts.maxwell.scales.x.getValueForPixel(event.offsetX);
    vOperating = Number(v.toFixed(3));
    showMaxwell();
  };
  canvas.addEventListener('pointerdown', (event) => {
    dragging = true;
    canvas.setPointerCapture(event.pointerId);
    move(event);
  });
  canvas.addEventListener('pointermove', move);
  canvas.addEventListener('pointerup', () => { dragging = false; });
}

// ---- Text alternatives of the charts -------------------------------------

function describeAll() {
  const set = (id, text) => { document.getElementById(id).textContent = text; };
  const rows = coexistenceRows;
  if (!rows.length) {
    ['pv', 'pt', 'heat', 'properties', 'maxwell'].forEach((id) => set(id + '-description', tr('noData')));
    return;
  }
  const first = rows[rows.length - 1], last = rows[0];
  set('pv-description', tr('pvDescription', { vlLow: first[2], vgLow: first[3] }));
  set('pt-description', tr('ptDescription', { pLow: first[1], pHigh: last[1] }));
  set('heat-description', tr('heatDescription', { high: first[8], low: last[8] }));
  const eq = propertyRows.filter((f) => f[1] === 'eq');
  if (eq.length) {
    const column = quantity() === 'h' ? 7 : 5;
    const c = lastC === null ? '' : String(lastC);
    set('properties-description', tr('propertiesDescription', {
      quantity: tr(column === 7 ? 'enthalpy' : 'entropy'), c,
      liquidLow: eq[eq.length - 1][column], liquidHigh: eq[0][column],
      gasLow: eq[eq.length - 1][column + 1], gasHigh: eq[0][column + 1] }));
  }
}
