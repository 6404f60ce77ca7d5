// The page's side of vdwcoex: it hands the reply to the program (vdwcoex.js,
// compiled from the console program's C++) and shows what comes back. Every
// number on the page comes from the program; nothing is computed here.
'use strict';

let program = null;   // the WebAssembly module, once loaded
let charts = {};
let fileUrls = [];
let runs = 0;

function say(text, isError) {
  const status = document.getElementById('status');
  status.textContent = text;
  status.className = isError ? 'error' : '';
}

function programMissing() {
  say('No se pudo cargar el programa (vdwcoex.js). Copie la carpeta completa ' +
      'y abra index.html desde ella.', true);
}

window.addEventListener('error', (event) => {
  say('Error en la página: ' + event.message, true);
});

function start() {
  if (typeof WebAssembly !== 'object') {
    say('Este navegador no admite WebAssembly: use una versión reciente de ' +
        'Firefox, Chrome, Edge o Safari.', true);
    return;
  }
  if (typeof createVdwcoex !== 'function') {
    programMissing();
    return;
  }
  createVdwcoex().then((module) => {
    program = module;
    makeCharts();
    document.getElementById('form').addEventListener('submit', (event) => {
      event.preventDefault();
      compute(document.getElementById('c').value);
    });
    document.getElementById('run').disabled = false;
    say('Listo: teclee c y pulse Intro o Calcular.');
  }, (error) => {
    say('No se pudo iniciar el programa: ' + error, true);
  });
}

// The bytes of one of the program's texts: 0 vdw_coex.dat, 1 clatente.dat,
// 2 the console trace, 3 vdw_coex.csv, 4 clatente.csv.
function bytesOf(which) {
  const at = program._vdw_text(which);
  return program.HEAPU8.slice(at, at + program._vdw_text_size(which));
}

function compute(reply) {
  const started = performance.now();
  say('Calculando…');
  program.ccall('vdw_run', 'number', ['string'], [reply]);
  const coexistence = bytesOf(0);
  const properties = bytesOf(1);
  const trace = new TextDecoder('latin1').decode(bytesOf(2));
  const text = new TextDecoder('latin1').decode(coexistence);

  offerFiles([coexistence, properties, bytesOf(3), bytesOf(4)]);
  const rows = rowsOf(text);
  showTable(rows);
  document.getElementById('trace').textContent = trace.replace(/^\n/, '');
  document.getElementById('files').hidden = false;
  updateCharts(rows);

  const c = (text.match(/c = (\S+)/) || [])[1];
  requestAnimationFrame(() => {
    const elapsed = Math.round(performance.now() - started);
    runs += 1;
    document.body.dataset.runs = runs;
    say('c = ' + c + ' · ' + rows.length + ' temperaturas · calculado y mostrado en ' +
        elapsed + ' ms');
  });
}

// The files of the run, in the order of fileLinks.
const fileLinks = ['coex-file', 'prop-file', 'coex-csv', 'prop-csv'];

function offerFiles(files) {
  fileUrls.forEach((url) => URL.revokeObjectURL(url));
  fileUrls = files.map((bytes) =>
    URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' })));
  fileLinks.forEach((id, k) => { document.getElementById(id).href = fileUrls[k]; });
}

// The rows of vdw_coex.dat after its line of "=", each as its nine printed
// fields.
function rowsOf(text) {
  const lines = text.split('\r\n');
  const rule = lines.findIndex((line) => /^=+$/.test(line));
  return lines.slice(rule + 1).filter((line) => line.trim() !== '')
    .map((line) => line.trim().split(/\s+/));
}

function showTable(rows) {
  const body = document.querySelector('#table tbody');
  body.innerHTML = rows.map((fields) =>
    '<tr><td>' + fields.join('</td><td>') + '</td></tr>').join('');
}

// Column of the rows as points: x from column i, y from column j.
function points(rows, i, j) {
  return rows.map((fields) => ({ x: Number(fields[i]), y: Number(fields[j]) }));
}

function isotherm(t) {
  const pressure = program.cwrap('vdw_isotherm_pressure', 'number', ['number', 'number']);
  const data = [];
  for (let k = 0; k <= 400; k++) {
    const v = 0.36 * Math.pow(60 / 0.36, k / 400);  // evenly spaced on the log axis
    data.push({ x: v, y: pressure(t, v) });
  }
  return data;
}

function line(label, data, colour, extra) {
  return Object.assign({ label, data, borderColor: colour, backgroundColor: colour,
    showLine: true, pointRadius: 0, borderWidth: 2 }, extra);
}

// The three charts, made once the program is loaded: the isotherms are drawn
// then, the rest of the data comes with each run.
function makeCharts() {
  if (typeof Chart !== 'function') {
    const error = document.getElementById('chart-error');
    error.textContent = 'No se pudo cargar la biblioteca de gráficos: el diagrama no se muestra.';
    error.hidden = false;
    return;
  }
  const isothermColours = ['#e6a100', '#2a9d8f', '#8e5ac8', '#c2185b', '#6d8a00'];
  const pv = [0.95, 0.9, 0.85, 0.8, 0.7].map((t, k) =>
    line('t = ' + t, isotherm(t), isothermColours[k], { borderWidth: 1, borderDash: [5, 4] }));
  pv.push(line('t = 1 (crítica)', isotherm(1), '#555555', { borderWidth: 1.5 }));
  pv.push(line('coexistencia (vl, vg)', [], '#1f5fbf', { borderWidth: 3 }));
  pv.push(line('espinodal (vl máx, vg mín)', [], '#d9531e'));
  pv.push({ label: 'punto crítico', data: [{ x: 1, y: 1 }], backgroundColor: '#000',
    borderColor: '#000', pointRadius: 5 });

  const axis = (title, extra) => Object.assign({ title: { display: true, text: title } }, extra);
  const options = (title, x, y) => ({
    animation: false, responsive: true, maintainAspectRatio: false, parsing: false,
    plugins: { title: { display: true, text: title } },
    scales: { x, y },
  });
  const t = axis('t = T/Tcr', { min: 0.5, max: 1 });
  charts = {
    pv: new Chart(document.getElementById('pv'), { type: 'scatter', data: { datasets: pv },
      options: options('Plano p–v',
        axis('v = V/Vcr (escala logarítmica)', { type: 'logarithmic', min: 0.36, max: 60,
          ticks: { callback: (v) => [0.5, 1, 2, 5, 10, 20, 50].includes(v) ? String(v) : '' } }),
        axis('p = P/Pcr', { min: -0.6, max: 1.5 })) }),
    pt: new Chart(document.getElementById('pt'), { type: 'scatter', data: { datasets: [
      line('presión de vapor', [], '#1f5fbf', { borderWidth: 3 }),
      line('p gas máx (límite del gas)', [], '#d9531e'),
      line('p líq. mín (límite del líquido; baja hasta −4)', [], '#7a3fb0'),
    ] }, options: options('Plano p–t', t, axis('p = P/Pcr', { min: -1, max: 1.1 })) }),
    heat: new Chart(document.getElementById('heat'), { type: 'scatter', data: { datasets: [
      line('hg − hl', [], '#1f5fbf', { borderWidth: 3 }),
    ] }, options: options('Calor latente (en 8a/27b)', t, axis('(hg − hl)·27b/8a', { min: 0 })) }),
  };
}

// Columns of vdw_coex.dat: 0 t, 1 p, 2 vl, 3 vg, 4 vlmax, 5 plmin, 6 vgmin,
// 7 pgmax, 8 hg - hl.
function updateCharts(rows) {
  if (!charts.pv)
    return;
  const high = rows.slice().reverse();  // from t 0.501 up to 0.999
  const pv = charts.pv.data.datasets;
  pv[6].data = points(high, 2, 1).concat(points(rows, 3, 1));  // liquid, then gas branch
  pv[7].data = points(high, 4, 5).concat(points(rows, 6, 7));
  [7, 5].forEach((column, k) => { charts.pt.data.datasets[k + 1].data = points(rows, 0, column); });
  charts.pt.data.datasets[0].data = points(rows, 0, 1);
  charts.heat.data.datasets[0].data = points(rows, 0, 8);
  Object.values(charts).forEach((chart) => chart.update('none'));
}
