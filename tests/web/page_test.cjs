// The browser page in headless Chromium (Debian's, driven by playwright-core):
// it must write the console program's files byte for byte, show the Maxwell
// construction and what c changes, and be usable by everyone.
//
//   node page_test.cjs SITE_FOLDER NATIVE_PROGRAM [CHAPTER]
// with playwright-core and axe-core on NODE_PATH; VDWCOEX_SCREENSHOT=file.png
// also saves a picture of the Maxwell view after a run with c = 1.5.
'use strict';
const { test, before, after } = require('node:test');
const assert = require('node:assert');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const [site, program] = process.argv.slice(2, 4).map((arg) => path.resolve(arg));
// The tests come in chapters, each a test of CTest's of its own that can run
// beside the others: `node page_test.cjs SITE PROGRAM CHAPTER` runs one
// (files, units, maxwell, tables, layout, screens, lab, exercises, nature,
// chapters), without CHAPTER every one.
const CHAPTERS = ['files', 'units', 'maxwell', 'tables', 'layout', 'screens', 'lab', 'exercises', 'nature', 'chapters'];
const chapter = process.argv[4] || null;
if (chapter !== null && !CHAPTERS.includes(chapter))
  throw new Error(`no chapter ${chapter}: ${CHAPTERS.join(', ')}`);
for (const name of CHAPTERS)
  test[name] = (title, body) => (chapter === null || chapter === name ? test(title, body) : undefined);
const longReply = '0.' + '3'.repeat(1500000);
const replies = ['1.5', '2.5', 'abc', '', '1,5', '0x1.8p1', '1e8', 'nan', '1e400', longReply, '2.5'];
const fileNames = ['vdw_coex.dat', 'clatente.dat', 'vdw_coex.csv', 'clatente.csv'];
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vdwcoex-web-'));
const fromDisk = pathToFileURL(path.join(site, 'index.html')).href;
let browser;

before(async () => {
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
});
after(async () => {
  await browser.close();
  fs.rmSync(scratch, { recursive: true, force: true });
});

// The files the console program writes for the reply.
function consoleFiles(reply, index) {
  const dir = path.join(scratch, 'console-' + index);
  fs.mkdirSync(dir);
  const run = spawnSync(program, ['--csv'], { cwd: dir, input: reply, stdio: ['pipe', 'ignore', 'ignore'] });
  assert.strictEqual(run.status, 0, 'the console program failed');
  return fileNames.map((name) => fs.readFileSync(path.join(dir, name)));
}

async function open(url, viewport = { width: 1280, height: 900 }) {
  const page = await browser.newPage({ acceptDownloads: true, viewport });
  await page.goto(url);
  await page.waitForSelector('body[data-charts]');
  return page;
}

// Types the reply, presses Enter and waits until everything is painted.
async function compute(page, reply) {
  const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.fill('#c', reply);
  await page.press('#c', 'Enter');
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
}

// The same, the form submitted where the page is, without scrolling to the field.
async function computeInPlace(page, reply) {
  const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.evaluate((typed) => {
    document.getElementById('c').value = typed;
    document.getElementById('form').requestSubmit();
  }, reply);
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
}

// Which of the elements are whole inside the screen.
function inView(ids) {
  return ids.filter((id) => {
    const box = document.getElementById(id).getBoundingClientRect();
    return box.width > 0 && box.top >= 0 && box.left >= 0 && box.bottom <= innerHeight && box.right <= innerWidth;
  });
}

// Each link's download. Chromium lets a click right after another download
// pass now and then; the link is then clicked again.
async function downloads(page) {
  const files = [];
  for (const link of ['#coex-file', '#prop-file', '#coex-csv', '#prop-csv']) {
    const click = (timeout) => Promise.all([page.waitForEvent('download', { timeout }), page.click(link)]);
    const [download] = await click(5000).catch(() => click(30000));
    files.push({ name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) });
  }
  return files;
}

// Accessibility violations of any impact, by axe-core, with the enhanced
// (AAA) contrast of text.
async function violations(page) {
  if (!(await page.evaluate(() => typeof axe === 'object')))
    await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const result = await page.evaluate(() => axe.run(document, { rules: { 'color-contrast-enhanced': { enabled: true } } }));
  return result.violations.map((v) => `${v.id} (${v.impact}): ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

test.files('every reply, a million and a half characters long or nan, gives the console program\'s files', async () => {
  const page = await open(fromDisk);
  for (const [index, reply] of replies.entries()) {
    await compute(page, reply);
    const expected = consoleFiles(reply, index);
    const files = await downloads(page);
    assert.deepStrictEqual(files.map((f) => f.name), fileNames);
    const shown = reply.length > 20 ? reply.slice(0, 10) + '…' : reply;
    files.forEach((file, k) => assert.ok(file.bytes.equals(expected[k]),
      `reply '${shown}': ${file.name} differs from the console program's`));
  }
  // What nan and a non-positive c mean is said beside the files, and a
  // number it makes nan is spelt as the reports spell it, heating too.
  await compute(page, 'nan');
  assert.match(await page.textContent('#c-note'), /no es un número/);
  await page.evaluate(() => {
    const slider = document.getElementById('heat-step');
    slider.value = '30';
    slider.dispatchEvent(new Event('input'));
  });
  await settle(page);
  const spelt = await page.evaluate(() => {
    const found = [];
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let node = walker.nextNode(); node; node = walker.nextNode())
      if (/NaN|Infinity/.test(node.textContent))
        found.push(node.parentElement.closest('[id]').id + ': ' + node.textContent);
    return found;
  });
  assert.deepStrictEqual(spelt, []);
  assert.match(await page.textContent('#heating-readout'), /hg − hlnan$/);
  await compute(page, '1.5');
  assert.ok(await page.isHidden('#c-note'));
  await page.close();
});

test.files('the page as one file, alone in an empty folder: the same files, the Maxwell view, a workbook, no request', async () => {
  const alone = fs.mkdtempSync(path.join(scratch, 'one-file-'));
  fs.copyFileSync(path.join(site, 'vdwcoex.html'), path.join(alone, 'vdwcoex.html'));
  // One file a teacher can mail or put on a stick: under 1.8 MB.
  assert.ok(fs.statSync(path.join(alone, 'vdwcoex.html')).size < 1.8e6, 'the one-file page is 1.8 MB or more');
  const url = pathToFileURL(path.join(alone, 'vdwcoex.html')).href;
  const page = await browser.newPage({ acceptDownloads: true, viewport: { width: 1280, height: 900 } });
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(url);
  await page.waitForSelector('body[data-charts]');
  for (const [index, reply] of ['1.5', '2.5', 'abc'].entries()) {
    await compute(page, reply);
    const expected = consoleFiles(reply, 'one-file-' + index);
    (await downloads(page)).forEach((file, k) => assert.ok(file.bytes.equals(expected[k]), `'${reply}': ${file.name}`));
  }
  const [rows] = coexistenceRows('abc');
  for (const t of ['0.850', '0.600']) {
    await chooseT(page, t);
    const row = rows.find((fields) => fields[0] === t + '000');
    assert.ok((await page.textContent('#readout')).includes(row[3]), `t = ${t}: vg ${row[3]} not shown`);
  }
  const [xlsx] = await Promise.all([page.waitForEvent('download', { timeout: 30000 }), page.click('#xlsx-file')]);
  assert.strictEqual(xlsx.suggestedFilename(), 'vdwcoex.xlsx');
  assert.ok(fs.statSync(await xlsx.path()).size > 10000, 'the workbook is empty');
  const fetched = requests.filter((address) => address !== url && !/^(data|blob):/.test(address));
  assert.deepStrictEqual(fetched, [], 'the one file fetched something');
  assert.deepStrictEqual(fs.readdirSync(alone), ['vdwcoex.html']);
  assert.strictEqual(await page.locator('#page-file').count(), 0, 'the one file offers itself');
  await page.close();
});

test.files('the workbook holds the console program\'s numbers as numbers, states as text, placeholders empty', async () => {
  const ExcelJS = require('exceljs');
  const page = await open(fromDisk);
  for (const [index, reply] of ['2.5', '1e8'].entries()) {
    await compute(page, reply);
    const [download] = await Promise.all([page.waitForEvent('download', { timeout: 30000 }), page.click('#xlsx-file')]);
    assert.strictEqual(download.suggestedFilename(), 'vdwcoex.xlsx');
    const book = new ExcelJS.Workbook();
    await book.xlsx.load(fs.readFileSync(await download.path()));
    assert.deepStrictEqual(book.worksheets.map((sheet) => sheet.name), ['vdw_coex', 'clatente', 'about']);
    const csv = consoleFiles(reply, 'xlsx-' + index).slice(2).map((bytes) =>
      bytes.toString('latin1').split('\r\n').slice(0, -1).map((line) => line.split(',')));
    book.worksheets.slice(0, 2).forEach((sheet, k) => {
      const [names, ...rows] = csv[k];
      assert.deepStrictEqual(sheet.getRow(1).values.slice(1), names, sheet.name);
      assert.strictEqual(sheet.views[0].ySplit, 2, `${sheet.name}: header rows frozen`);
      assert.strictEqual(sheet.rowCount, rows.length + 2, sheet.name);
      rows.forEach((cells, r) => {
        const got = sheet.getRow(r + 3);
        cells.forEach((text, col) => {
          const value = got.getCell(col + 1).value;
          const expected = text === '' ? null : /^[a-z_]+$/.test(text) ? text : Number(text);
          assert.strictEqual(value, expected, `${sheet.name} row ${r + 3} column ${names[col]}`);
        });
      });
    });
    assert.strictEqual(book.getWorksheet('about').getRow(2).getCell(2).value, Number(reply));
  }
  await page.close();
});

test.units('a substance: SI units on the readouts, tables and axes, argon\'s boiling point, the SI files', async () => {
  const page = await open(fromDisk);
  const runs = async () => page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.selectOption('#fluid', { label: 'argón (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  assert.strictEqual(await page.inputValue('#c'), '1.5', 'argon\'s c is not the one run');
  assert.match(await page.textContent('#readout-heading'), /^En T = 128\.08 K \(-145\.07 °C\), t = 0\.850000$/);
  const readout = await page.textContent('#readout');
  assert.match(readout, /p de vapor2453\.34 kPa/);
  assert.match(readout, /v líquido53\.4619 cm³\/mol/);
  assert.match(readout, /calor latente hg − hl2\.70666 kJ\/mol/);
  assert.match(await page.textContent('#table thead'), /^T \(K\)p vapor \(kPa\)/);
  assert.match(await page.textContent('#table tbody tr.marked'), /^128\.082453\.34/);
  // Every SI cell has six significant digits, trailing zeros kept, so that
  // the columns' digits line up.
  const cells = await page.locator('#table tbody tr.marked td').allTextContents();
  cells.slice(1).forEach((cell) => assert.strictEqual(cell.replace(/[-.]/g, '').replace(/^0+/, '').length, 6, cell));
  assert.match(await page.evaluate(() => Chart.getChart('pt').options.scales.x.title.text), /^T \(K\)$/);
  // The Maxwell view's numbers in SI beside the reduced ones, its titles
  // with T in kelvin, the quantities named in their units.
  assert.match(await page.textContent('#areas'), /área bajo la línea \(lado líquido\)0\.141043 \(\d+(\.\d+)? J\/mol\)/);
  assert.match(await page.textContent('#p-trial-value'), /^0\.504492 \(2453\.34 kPa\)$/);
  assert.match(await page.textContent('#v-operating-si'), /^\d+(\.\d+)? cm³\/mol$/);
  assert.match(await page.evaluate(() => Chart.getChart('maxwell').options.plugins.title.text), /\(T = 128\.08 K\)$/);
  assert.match(await page.textContent('label:has(input[value=s])'), /^ ?entropía s \(J\/\(mol·K\)\)$/);
  // The classic exercise: argon's boiling point at one atmosphere.
  await page.click('#boil-form button');
  const boiling = await page.textContent('#boil-result');
  assert.match(boiling, /modelo de van der Waals72\.27 K \(-200\.88 °C\), calor latente 4\.057 kJ\/mol/);
  assert.match(boiling, /medido87\.302 K/);
  // Its state, below the table's rows, in the Maxwell view: the model's
  // volumes there, said to be no row of the table.
  await page.click('#boil-show');
  await settle(page);
  assert.strictEqual(await page.inputValue('#t-number'), '0.4796');
  assert.match(await page.textContent('#t-note'), /Sin fila en la tabla/);
  const [vlBoil, vgBoil] = boiling.match(/\(modelo\)([0-9.]+), ([0-9.]+) cm³\/mol/).slice(1).map(Number);
  const maxwellReadout = await page.textContent('#readout');
  const readVolume = (name) => Number(maxwellReadout.match(new RegExp(name + '([0-9.]+) cm³/mol'))[1]);
  assert.ok(Math.abs(readVolume('v líquido') / vlBoil - 1) < 1e-4 && Math.abs(readVolume('v gas') / vgBoil - 1) < 1e-4,
    `the Maxwell view's volumes ${maxwellReadout} are not the boiling point's ${vlBoil}, ${vgBoil}`);
  const tie = await page.evaluate(() => Chart.getChart('maxwell').data.datasets.find((d) => d.key === 'tie-line').data);
  assert.ok(Math.abs(tie[0].y * 4863 - 101.325) < 0.01, `the tie line is at p = ${tie[0].y}`);
  await page.fill('#t-kelvin', '72.27');
  await page.press('#t-kelvin', 'Enter');
  assert.strictEqual(await page.inputValue('#t-number'), '0.4796');
  await page.fill('#boil-p', '5000');
  await page.click('#boil-form button');
  assert.match(await page.textContent('#boil-error'), /entre 2\d\.\d+ y 4863 kPa/);
  // The Maxwell view by kelvin: that temperature, between the table's rows.
  await page.fill('#t-kelvin', '100');
  await page.press('#t-kelvin', 'Enter');
  assert.strictEqual(await page.inputValue('#t-number'), '0.6636');
  // The SI tables are the console program's.
  const dir = path.join(scratch, 'console-argon');
  fs.mkdirSync(dir);
  assert.strictEqual(spawnSync(program, ['-q', '--substance', 'argon'], { cwd: dir }).status, 0);
  for (const [link, name] of [['#coex-si', 'vdw_coex_si.csv'], ['#prop-si', 'clatente_si.csv']]) {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click(link)]);
    assert.ok(fs.readFileSync(await download.path()).equals(fs.readFileSync(path.join(dir, name))), name);
  }
  // The workbook gains the SI tables as sheets, with their numbers.
  const ExcelJS = require('exceljs');
  const [xlsx] = await Promise.all([page.waitForEvent('download'), page.click('#xlsx-file')]);
  const book = new ExcelJS.Workbook();
  await book.xlsx.load(fs.readFileSync(await xlsx.path()));
  assert.deepStrictEqual(book.worksheets.map((sheet) => sheet.name),
    ['vdw_coex', 'clatente', 'vdw_coex_si', 'clatente_si', 'about']);
  const siRow = fs.readFileSync(path.join(dir, 'vdw_coex_si.csv'), 'latin1').split('\r\n')[4].split(',');
  assert.deepStrictEqual(book.getWorksheet('vdw_coex_si').getRow(3).values.slice(1), siRow.map(Number));
  assert.deepStrictEqual(await violations(page), [], 'a substance chosen');
  // In English, and back to reduced units.
  await page.click('#language');
  assert.match(await page.textContent('#fluid'), /argon \(Ar\)/);
  const before = await runs();
  await page.selectOption('#fluid', '-1');
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, before);
  assert.match(await page.textContent('#readout-heading'), /^At t = 0\.663627$/);
  assert.ok(await page.isHidden('#si-files'));
  await page.close();
});

// Each chart's legend against what the chart draws: the labels of its
// datasets that have points (a mark of the chosen t, where it has some),
// once each, in order.
function legendsAndCharts() {
  return ['pv', 'pt', 'heat', 'properties', 'ts', 'maxwell', 'gibbs'].map((id) => {
    const chart = Chart.getChart(id);
    const marked = (d) => (chart.$marks || []).some((m) => m.key === d.key && m.points.length);
    const drawnLabels = [...new Set(chart.data.datasets.filter((d) => (d.mark ? marked(d) : d.data.length))
      .map((d) => d.label))];
    // Every mark drawn over the chart (the chosen t's, the process's, the
    // heating's) has a dataset that names it.
    const unnamed = (chart.$marks || []).filter((m) => m.points.length &&
      !chart.data.datasets.some((d) => d.mark && d.key === m.key && d.label)).map((m) => m.key);
    return { id, drawnLabels, unnamed, listed: [...document.querySelectorAll(`#${id}-legend li`)].map((li) => li.textContent) };
  });
}

// Every tick of every axis of the page's charts as its label reads:
// round numbers, in steps of 1, 2 or 5 times a power of ten on linear axes.
function tickLabels() {
  return ['pv', 'pt', 'heat', 'properties', 'ts', 'maxwell', 'gibbs'].flatMap((id) => ['x', 'y'].map((axisId) => {
    const scale = Chart.getChart(id).scales[axisId];
    return { id, axisId, log: scale.type === 'logarithmic', labels: scale.ticks.map((t) => String(t.label)) };
  }));
}

function round(labels, log) {
  const values = labels.map(Number);
  if (values.some((v) => !Number.isFinite(v)))
    return false;
  const mantissa = (x) => Math.abs(x) / Math.pow(10, Math.floor(Math.log10(Math.abs(x))));
  if (log)
    return values.every((v) => Number(mantissa(v).toPrecision(6)) * 10 % 5 === 0);
  const step = values[1] - values[0];
  return [1, 2, 5].includes(Number(mantissa(step).toPrecision(6))) &&
    values.every((v, k) => Math.abs(v - values[0] - k * step) <= 1e-9 * Math.abs(step) * values.length &&
      Math.abs(v / step - Math.round(v / step)) < 1e-6);
}

test.units('every legend names what its chart draws, and an SI axis ticks at round numbers of its unit', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const check = async (state) => (await page.evaluate(legendsAndCharts)).forEach(({ id, drawnLabels, unnamed, listed }) => {
    assert.deepStrictEqual(unnamed, [], `${state}: marks the ${id} chart's legend does not name`);
    assert.deepStrictEqual(listed, drawnLabels, `${state}: the ${id} chart's legend`);
  });
  for (const t of ['0.850', '1.000', '1.100', '0.501'])
    await chooseT(page, t).then(() => check(`t = ${t}`));
  await page.emulateMedia({ colorScheme: 'dark' });
  await check('dark');
  await page.emulateMedia({ colorScheme: 'light' });
  await chooseT(page, '0.850');
  await page.selectOption('#fluid', { label: 'argón (Ar)' });
  await page.waitForFunction(() => document.body.dataset.runs === '2');
  await settle(page);
  await check('argon');
  // The charts' text alternatives in the substance's units too.
  assert.match(await page.textContent('#maxwell-description'), /^Isoterma t = 0\.850000 \(T = 128\.08 K\):.*\(\d[\d.]* cm³\/mol\).*\(\d[\d.]* kPa\)/);
  assert.match(await page.textContent('#gibbs-description'), /\(T = 128\.08 K\).*kPa/);
  for (const { id, axisId, log, labels } of await page.evaluate(tickLabels))
    assert.ok(labels.length >= 2 && round(labels, log), `argon, ${id} ${axisId}: ${labels.join(' ')}`);
  assert.strictEqual(await page.evaluate(() => Chart.getChart('heat').options.scales.y.title.text), 'hg − hl (kJ/mol)');
  assert.strictEqual(await page.evaluate(() => Chart.getChart('gibbs').options.scales.y.title.text), 'g (kJ/mol)');
  await page.click('#language');
  await settle(page);
  await check('argon in English');
  await page.close();
});

test.files('a module that traps says so and is loaded again', async () => {
  const page = await open(fromDisk);
  await page.evaluate(() => {
    vdwcoexPage.model.state.program.run = () => { throw new WebAssembly.RuntimeError('memory access out of bounds'); };
  });
  await page.fill('#c', '2.5');
  await page.press('#c', 'Enter');
  await page.waitForFunction(() => /se ha vuelto a cargar/.test(document.getElementById('status').textContent));
  await compute(page, '2.5');
  assert.strictEqual((await downloads(page))[1].bytes.equals(consoleFiles('2.5', 'trap')[1]), true);
  await page.close();
});

// vdw_coex.dat's rows for a reply, each as its printed fields.
function coexistenceRows(reply) {
  return consoleFiles(reply, 'rows-' + Math.random()).slice(0, 2).map((bytes) => bytes.toString('latin1')
    .split('\r\n').filter((line) => /^ 0\.\d{6} /.test(line)).map((line) => line.trim().split(/\s+/)));
}

// Waits until what a step of t or a drag leaves for the next frame is drawn.
async function settle(page) {
  await page.evaluate(() => new Promise((done) => {
    let frames = 5;
    const tick = () => (frames-- > 0 ? requestAnimationFrame(tick) : done());
    requestAnimationFrame(tick);
  }));
}

async function chooseT(page, t) {
  await page.fill('#t-number', t);
  await page.dispatchEvent('#t-number', 'change');
  await settle(page);
}

// What the Maxwell chart draws, in its own pixels: each dataset's points and
// the filled regions' areas between the curve and the line they fill to.
function drawn() {
  const chart = Chart.getChart('maxwell');
  const x = chart.scales.x, y = chart.scales.y;
  const sets = {};
  chart.data.datasets.forEach((d) => { sets[d.key] = d.data.map((q) => ({ x: q.x, y: q.y })); });
  const pixelArea = (key) => {
    const d = chart.data.datasets.find((set) => set.key === key);
    const level = y.getPixelForValue(d.fill.value);
    const ring = d.data.map((q) => [x.getPixelForValue(q.x), y.getPixelForValue(q.y)]);
    ring.push([ring[ring.length - 1][0], level], [ring[0][0], level]);
    let twice = 0;
    ring.forEach(([x1, y1], k) => { const [x2, y2] = ring[(k + 1) % ring.length]; twice += x1 * y2 - x2 * y1; });
    return Math.abs(twice) / 2;
  };
  return { sets, liquid: pixelArea('area-liquid'), gas: pixelArea('area-gas'), linear: x.type === 'linear',
    plotHeight: chart.chartArea.bottom - chart.chartArea.top,
    loopHeight: Math.abs(y.getPixelForValue(sets.limits[1].y) - y.getPixelForValue(sets.limits[0].y)),
    tieLength: Math.abs(x.getPixelForValue(sets['tie-line'][1].x) - x.getPixelForValue(sets['tie-line'][0].x)),
    lineWidth: chart.data.datasets.find((d) => d.key === 'stable-gas').borderWidth };
}

// The labels each axis of a chart shows: at least four, none overlapping.
function labelsOf(id) {
  const chart = Chart.getChart(id);
  const context = chart.ctx;
  return ['x', 'y'].map((axisId) => {
    const scale = chart.scales[axisId];
    const items = scale.getLabelItems().filter((item) => String(item.label) !== '');
    context.font = Chart.helpers.toFont(scale.options.ticks.font).string;
    const boxes = items.map((item) => {
      const [px, py] = item.options.translation;
      const width = context.measureText(String(item.label)).width;
      return axisId === 'x' ? [px - width / 2, px + width / 2] : [py - 8, py + 8];
    }).sort((a, b) => a[0] - b[0]);
    const overlapping = boxes.some((box, k) => k > 0 && box[0] < boxes[k - 1][1]);
    return { axis: axisId, count: items.length, overlapping, rotation: scale.labelRotation || 0 };
  });
}

test.maxwell('the Maxwell view draws equal areas that look equal, only the physical branch, at every t', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const [rows, propertyText] = coexistenceRows('1.5');
  for (const t of ['0.999', '0.950', '0.850', '0.700', '0.501']) {
    await chooseT(page, t);
    const row = rows.find((fields) => fields[0] === t + '000');
    const [p, vl, vg, vlmax, plmin, vgmin, pgmax] = row.slice(1, 8).map(Number);
    const readout = await page.textContent('#readout');
    for (const value of row.slice(1, 4))
      assert.ok(readout.includes(value), `t = ${t}: ${value} is not shown in '${readout}'`);
    const d = await page.evaluate(drawn);
    const close = (a, b) => Math.abs(a - b) <= 2e-6 * Math.max(1, Math.abs(b));
    assert.ok(d.linear, 'the volume axis is not linear by default');
    // Drawn, the two regions have the same area to within the line's width.
    assert.ok(d.liquid > 0, `t = ${t}: no area drawn`);
    assert.ok(Math.abs(d.liquid - d.gas) <= d.lineWidth * d.tieLength && Math.abs(d.liquid - d.gas) < 0.02 * d.liquid,
      `t = ${t}: drawn areas ${d.liquid} and ${d.gas} px²`);
    assert.ok(close(d.sets.limits[0].y, plmin) && close(d.sets.limits[1].y, pgmax), `t = ${t}: limits`);
    assert.ok(d.loopHeight >= d.plotHeight / 4, `t = ${t}: the loop fills less than a quarter`);
    // Each part spans the right volumes: vl to the middle crossing, on to vg,
    // vl to the liquid's limit; nothing at or below v = 1/3.
    const ends = (key) => [d.sets[key][0].x, d.sets[key][d.sets[key].length - 1].x];
    const middle = ends('area-liquid')[1];
    assert.ok(close(ends('area-liquid')[0], vl) && close(ends('area-gas')[1], vg), `t = ${t}: areas' ends`);
    assert.strictEqual(ends('area-gas')[0], middle);
    assert.ok(middle > vlmax && middle < vgmin, `t = ${t}: middle crossing ${middle}`);
    assert.ok(close(ends('metastable-liquid')[0], vl) && close(ends('metastable-liquid')[1], vlmax), `t = ${t}: metastable`);
    assert.ok(close(ends('unstable')[1], vgmin), `t = ${t}: unstable part`);
    assert.ok(close(d.sets['tie-line'][0].y, p), `t = ${t}: tie line`);
    // The bars of the areas, of one scale, are as long as the areas are large.
    const bars = await page.evaluate(() => ['bar-liquid', 'bar-gas'].map((id) =>
      document.getElementById(id).getBoundingClientRect().width));
    const areas = await page.evaluate(() => document.getElementById('areas').dataset);
    assert.ok(bars[1] > 20 && Math.abs(bars[0] / bars[1] - areas.liquid / areas.gas) < 0.01,
      `t = ${t}: bars ${bars} for areas ${areas.liquid} and ${areas.gas}`);
    Object.entries(d.sets).forEach(([key, points]) =>
      points.forEach((q) => assert.ok(q.x > 1 / 3, `t = ${t}: ${key} reaches v = ${q.x}`)));
    for (const id of ['maxwell', 'gibbs'])
      (await page.evaluate(labelsOf, id)).forEach((a) => assert.ok(a.count >= 4 && !a.overlapping,
        `t = ${t}, ${id}: ${JSON.stringify(a)}`));
    // The Gibbs energies cross at the row's vapour pressure, at its gl.
    const eq = propertyText.find((fields) => fields[0] === t + '000' && fields[1] === 'eq');
    const crossing = await page.evaluate(() => Chart.getChart('gibbs').data.datasets
      .find((set) => set.key === 'vapour-point').data[0]);
    assert.ok(close(crossing.x, p) && Math.abs(crossing.y - Number(eq[9])) < 2e-6, `t = ${t}: Gibbs crossing ${JSON.stringify(crossing)}`);
    for (const value of eq.slice(5, 11))
      assert.ok(readout.includes(value), `t = ${t}: ${value} of clatente.dat is not shown`);
  }
  for (const id of ['pv', 'pt', 'heat', 'properties', 'ts'])
    (await page.evaluate(labelsOf, id)).forEach((a) => assert.ok(a.count >= 4 && !a.overlapping, `${id}: ${JSON.stringify(a)}`));
  // The log axis, on request, with the sentence that says why areas look unequal there.
  await page.check('#log-axis');
  assert.ok(await page.isVisible('#log-note'));
  assert.strictEqual(await page.evaluate(() => Chart.getChart('maxwell').scales.x.type), 'logarithmic');
  (await page.evaluate(labelsOf, 'maxwell')).forEach((a) => assert.ok(a.count >= 4 && !a.overlapping, JSON.stringify(a)));
  await page.uncheck('#log-axis');
  await page.close();
});

test.maxwell('a trial pressure tips the areas and the Gibbs energies alike, and goes back', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.85');
  const atRow = await page.evaluate(() => ({ ...document.getElementById('areas').dataset }));
  await page.focus('#p-trial');
  for (let k = 0; k < 20; k++)
    await page.keyboard.press('ArrowRight');
  await settle(page);
  const above = await page.evaluate(() => ({ ...document.getElementById('areas').dataset }));
  assert.ok(Number(above.p) > Number(atRow.p), 'the arrow keys did not raise the line');
  assert.ok(Number(above.difference) < -1e-4 && Number(above.gibbs) < -1e-5, JSON.stringify(above));
  // gl - gg is 3/8 of the areas' difference: both from the model.
  assert.ok(Math.abs(above.gibbs / above.difference - 0.375) < 1e-6, JSON.stringify(above));
  const lines = await page.evaluate(() => ({
    trial: Chart.getChart('maxwell').data.datasets.find((d) => d.key === 'trial-line').data,
    gap: Chart.getChart('gibbs').data.datasets.find((d) => d.key === 'trial-gap').data }));
  assert.strictEqual(lines.trial[0].y, Number(above.p));
  assert.strictEqual(lines.gap[0].x, Number(above.p));
  assert.ok(lines.gap[0].y < lines.gap[1].y, 'gl is not below gg above the vapour pressure');
  assert.match(await page.textContent('#trial-verdict'), /solo el líquido es estable/);
  await page.click('#p-reset');
  const back = await page.evaluate(() => ({ ...document.getElementById('areas').dataset }));
  assert.deepStrictEqual(back, atRow);
  assert.ok(Math.abs(back.difference) < 1e-6 && Math.abs(back.gibbs) < 1e-6);
  // Dragging the tie line down: the gas side's area is then the larger.
  const where = await page.evaluate(() => {
    const chart = Chart.getChart('maxwell');
    const tie = chart.data.datasets.find((d) => d.key === 'tie-line').data;
    return { x: chart.scales.x.getPixelForValue(tie[0].x + (tie[1].x - tie[0].x) * 0.15),
      y: chart.scales.y.getPixelForValue(tie[0].y) };
  });
  const box = await page.locator('#maxwell').boundingBox();
  await page.mouse.move(box.x + where.x, box.y + where.y);
  await page.mouse.down();
  await page.mouse.move(box.x + where.x, box.y + where.y + 40, { steps: 4 });
  await page.mouse.up();
  await settle(page);
  const below = await page.evaluate(() => ({ ...document.getElementById('areas').dataset }));
  assert.ok(Number(below.p) < Number(atRow.p) && Number(below.difference) > 1e-4 && Number(below.gibbs) > 0,
    JSON.stringify(below));
  await page.close();
});

test.maxwell('the Gibbs chart holds the whole swallowtail; Home and End on the trial slider give the limits', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const [rows] = coexistenceRows('1.5');
  for (const t of ['0.850', '0.600', '0.999']) {
    await chooseT(page, t);
    const [p, , , , plmin, , pgmax] = rows.find((fields) => fields[0] === t + '000').slice(1, 8).map(Number);
    const g = await page.evaluate(() => {
      const chart = Chart.getChart('gibbs');
      const xs = (key) => chart.data.datasets.find((d) => d.key === key).data.map((q) => q.x);
      return { min: chart.scales.x.min, max: chart.scales.x.max, liquidEnd: Math.min(...xs('metastable-liquid')),
        gasEnd: Math.max(...xs('metastable-gas')) };
    });
    assert.ok(g.min < plmin && g.max > pgmax, `t = ${t}: the range ${g.min}…${g.max} leaves out ${plmin} or ${pgmax}`);
    assert.ok(Math.abs(g.liquidEnd - plmin) < 1e-4 && Math.abs(g.gasEnd - pgmax) < 1e-4,
      `t = ${t}: the cusps at ${g.liquidEnd} and ${g.gasEnd}`);
    assert.match(await page.textContent('#gibbs-legend'), /líquido metaestable.*inestable.*gas metaestable/);
    // Every branch is drawn with at least 30 points in view, and the lowest g
    // drawn is the liquid's above the vapour pressure and the gas's below.
    const lowest = await page.evaluate((pv) => {
      const chart = Chart.getChart('gibbs');
      const { min, max } = chart.scales.x;
      const sets = Object.fromEntries(chart.data.datasets.map((d) => [d.key, d.data]));
      const keys = ['stable-liquid', 'metastable-liquid', 'unstable', 'metastable-gas', 'stable-gas'];
      const counts = keys.map((key) => sets[key].filter((q) => q.x >= min && q.x <= max).length);
      const gAt = (data, q) => {
        for (let k = 1; k < data.length; ++k)
          if (data[k - 1].x <= q && q <= data[k].x)
            return data[k - 1].y + (data[k].y - data[k - 1].y) * (q - data[k - 1].x) / (data[k].x - data[k - 1].x);
        return Infinity;
      };
      const lowestAt = (q) => keys.reduce((best, key) => (gAt(sets[key], q) < gAt(sets[best], q) ? key : best));
      const gasEnd = Math.min(...sets['stable-gas'].map((q) => q.x));
      return { counts, widths: keys.map((key) => chart.data.datasets.find((d) => d.key === key).borderWidth),
        above: [1, 2, 3, 4, 5].map((k) => lowestAt(pv + (max - pv) * k / 6)),
        below: [1, 2, 3, 4, 5].map((k) => lowestAt(pv - (pv - Math.max(min, gasEnd)) * k / 6)) };
    }, p);
    assert.ok(lowest.counts.every((n) => n >= 30), `t = ${t}: points in view ${lowest.counts}`);
    assert.deepStrictEqual(lowest.above, Array(5).fill('stable-liquid'), `t = ${t}: above p`);
    assert.deepStrictEqual(lowest.below, Array(5).fill('stable-gas'), `t = ${t}: below p`);
    assert.ok(Math.min(lowest.widths[0], lowest.widths[4]) > Math.max(...lowest.widths.slice(1, 4)),
      `t = ${t}: the stable envelope is not the boldest: ${lowest.widths}`);
    // Zoomed, the crossing fills the chart; the caption says the liquid's end is out of view.
    await page.check('#gibbs-zoom');
    await settle(page);
    const zoomed = await page.evaluate(() => Chart.getChart('gibbs').scales.x.min);
    assert.ok(zoomed > plmin && zoomed < p, `t = ${t}: zoomed from ${zoomed}`);
    assert.match(await page.textContent('#gibbs-description'), /acercada al cruce/);
    await page.uncheck('#gibbs-zoom');
    await settle(page);
    // The slider's ends are the limits' pressures, above 0.
    await page.focus('#p-trial');
    for (const [key, expected] of [['Home', plmin > 0 ? plmin : null], ['End', pgmax]]) {
      await page.keyboard.press(key);
      await settle(page);
      const shown = Number(await page.getAttribute('#areas', 'data-p'));
      if (expected === null)
        assert.ok(shown > 0 && shown < p, `t = ${t}, Home: ${shown}`);
      else
        assert.ok(Math.abs(shown - expected) < 1e-6, `t = ${t}, ${key}: p = ${shown}, not ${expected}`);
    }
    await page.click('#p-reset');
  }
  // A browser's notice is no error; a script's error is still said.
  await page.evaluate(() => window.dispatchEvent(new ErrorEvent('error',
    { message: 'ResizeObserver loop completed with undelivered notifications.' })));
  assert.doesNotMatch(await page.textContent('#status'), /Error/);
  await page.evaluate(() => window.dispatchEvent(new ErrorEvent('error', { message: 'a real fault' })));
  assert.match(await page.textContent('#status'), /a real fault/);
  await page.close();
});

test.maxwell('the chosen t is marked on every chart, and above the table only its isotherm is drawn', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const [rows, propertyRows] = coexistenceRows('1.5');
  await chooseT(page, '0,7');  // a decimal comma in the page's own field
  assert.strictEqual(await page.inputValue('#t-range'), '0.7');
  const row = rows.find((fields) => fields[0] === '0.700000').map(Number);
  const eq = propertyRows.find((fields) => fields[0] === '0.700000' && fields[1] === 'eq').map(Number);
  const marks = await page.evaluate(() => Object.fromEntries(['pv', 'pt', 'heat', 'properties', 'ts'].map((id) =>
    [id, Chart.getChart(id).$marks.map((mark) => mark.points)])));
  assert.deepStrictEqual(marks.pv[1], [{ x: row[2], y: row[1] }, { x: row[3], y: row[1] }]);
  assert.ok(marks.pv[0].length > 100, 'no chosen isotherm in the p–v plane');
  assert.deepStrictEqual(marks.pt[0], [{ x: 0.7, y: row[1] }]);
  assert.deepStrictEqual(marks.heat[0], [{ x: 0.7, y: row[8] }]);
  assert.deepStrictEqual(marks.properties[0], [{ x: 0.7, y: eq[5] }, { x: 0.7, y: eq[6] }]);
  assert.deepStrictEqual(marks.ts[0], [{ x: eq[5], y: 0.7 }, { x: eq[6], y: 0.7 }]);
  // Each curve of the p–t chart is named after the column it draws.
  const sampled = (column) => rows.filter((_, k) => k % 3 === 0 || k === rows.length - 1).map((f) => Number(f[column]));
  const curves = await page.evaluate(() => Chart.getChart('pt').data.datasets.filter((d) => !d.mark)
    .map((d) => ({ label: d.label, ys: d.data.map((q) => q.y) })));
  for (const [name, column] of [[/presión de vapor/, 1], [/límite del gas/, 7], [/límite del líquido/, 5]]) {
    const curve = curves.find((c) => name.test(c.label));
    assert.ok(curve, `no curve named ${name}`);
    assert.deepStrictEqual(curve.ys, sampled(column), String(name));
  }
  // An invalid t changes nothing and says why.
  await chooseT(page, 'abc');
  assert.strictEqual(await page.getAttribute('#t-number', 'aria-invalid'), 'true');
  assert.ok(await page.isVisible('#t-error'));
  assert.strictEqual(await page.inputValue('#t-range'), '0.7');
  // Above the critical point: the isotherm, no tie line, no row, and why.
  await chooseT(page, '1.1');
  const above = await page.evaluate(() => Object.fromEntries(Chart.getChart('maxwell').data.datasets
    .map((d) => [d.key, d.data.length])));
  assert.ok(above.supercritical > 100 && above['tie-line'] === 0 && above['area-liquid'] === 0, JSON.stringify(above));
  assert.match(await page.textContent('#t-note'), /no hay lazo/);
  assert.match(await page.textContent('#readout'), /ninguna/);
  // Play sweeps t on through the critical point to the end of the range,
  // at the speed chosen, and stops there.
  await chooseT(page, '0.95');
  await page.selectOption('#play-speed', '5');
  await page.click('#play');
  assert.strictEqual(await page.getAttribute('#play', 'aria-pressed'), 'true');
  await page.waitForFunction(() => document.getElementById('play').getAttribute('aria-pressed') === 'false');
  assert.strictEqual(await page.inputValue('#t-number'), '1.200');
  // Below the table, the slider's t is the model's state there.
  await chooseT(page, '0.45');
  assert.match(await page.textContent('#t-note'), /Sin fila en la tabla/);
  assert.match(await page.textContent('#readout-heading'), /t = 0\.450000/);
  assert.ok(Number(await page.getAttribute('#areas', 'data-liquid')) > 0);
  await page.close();
});

test.maxwell('the Maxwell view: keyboard, table rows and the lever rule by typing and dragging', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  // The slider's value is t; the keyboard moves it a thousandth at a time,
  // from the lowest t the model solves (below the table's rows).
  await page.focus('#t-range');
  await page.keyboard.press('Home');
  await page.keyboard.press('ArrowRight');
  assert.strictEqual(await page.inputValue('#t-number'), '0.395');
  await page.evaluate(() => { document.getElementById('coexistence-box').scrollTop = 0; });
  await page.click('#table tbody tr[data-row="1"]');
  // The readouts follow within a frame or two; under load, later.
  await page.waitForFunction(() => /0\.998000/.test(document.getElementById('readout-heading').textContent));
  await chooseT(page, '0.85');
  assert.match(await page.textContent('#fractions'), /líquido 50\.0 %, gas 50\.0 %/);
  await page.fill('#v-operating', '1.5');
  await page.dispatchEvent('#v-operating', 'change');
  assert.match(await page.textContent('#fractions'), /líquido 63\.2 %, gas 36\.8 %/);
  // A volume off the tie line changes nothing.
  await page.fill('#v-operating', '9');
  await page.dispatchEvent('#v-operating', 'change');
  assert.strictEqual(await page.getAttribute('#v-operating', 'aria-invalid'), 'true');
  assert.match(await page.textContent('#fractions'), /líquido 63\.2 %/);
  // The point dragged past the tie line's gas end stops there.
  const start = await page.evaluate(() => {
    const chart = Chart.getChart('maxwell');
    const q = chart.data.datasets.find((d) => d.key === 'operating-point').data[0];
    return { x: chart.scales.x.getPixelForValue(q.x), y: chart.scales.y.getPixelForValue(q.y) };
  });
  const box = await page.locator('#maxwell').boundingBox();
  await page.mouse.move(box.x + start.x, box.y + start.y);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width - 2, box.y + start.y, { steps: 4 });
  await page.mouse.up();
  assert.match(await page.textContent('#fractions'), /líquido 0\.0 %, gas 100\.0 %/);
  assert.strictEqual(await page.inputValue('#v-operating'), '3.127639');
  if (process.env.VDWCOEX_SCREENSHOT) {
    await chooseT(page, '0.85');
    await page.evaluate(() => {
      const slider = document.getElementById('p-trial');
      slider.value = 0.45;
      slider.dispatchEvent(new Event('input'));
    });
    await page.locator('#maxwell-view').screenshot({ path: process.env.VDWCOEX_SCREENSHOT });
  }
  await page.close();
});

test.tables('the coexistence table holds every row, though only those in view are in the page', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  assert.strictEqual(await page.getAttribute('#table', 'aria-rowcount'), '500');
  assert.ok(await page.locator('#table tbody tr[data-row]').count() < 100);
  await page.evaluate(() => { const box = document.getElementById('coexistence-box'); box.scrollTop = box.scrollHeight; });
  await page.waitForSelector('#table tbody tr[data-row="498"]');
  assert.match(await page.textContent('#table tbody tr[data-row="498"]'), /^0\.501000/);
  await page.close();
});

// The contrast of two #rrggbb colours, as WCAG computes it.
function contrast(a, b) {
  const luminance = (hex) => {
    const [r, g, bl] = hex.match(/[0-9a-f]{2}/gi).map((h) => parseInt(h, 16) / 255)
      .map((c) => (c <= 0.03928 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4)));
    return 0.2126 * r + 0.7152 * g + 0.0722 * bl;
  };
  const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
  return (x + 0.05) / (y + 0.05);
}

test.tables('the marked row reads well in light and dark', async () => {
  for (const colorScheme of ['light', 'dark']) {
    const page = await browser.newPage({ colorScheme });
    await page.goto(fromDisk);
    const [text, mark] = await page.evaluate(() => ['--text', '--mark'].map((name) =>
      getComputedStyle(document.documentElement).getPropertyValue(name).trim()));
    assert.ok(contrast(text, mark) >= 4.5, `${colorScheme}: ${text} on ${mark}`);
    await page.close();
  }
});

test.tables('in dark mode the charts\' text is light', async () => {
  const page = await browser.newPage({ colorScheme: 'dark' });
  await page.goto(fromDisk);
  await page.waitForSelector('body[data-charts]');
  const colour = await page.evaluate(() => Chart.getChart('pv').options.scales.x.ticks.color);
  const [r, g, b] = colour.match(/[0-9a-f]{2}/gi).map((h) => parseInt(h, 16));
  assert.ok(r + g + b > 600, `tick text ${colour} on a dark page`);
  await page.close();
});

test.tables('a new c changes the properties shown, beside the c before, and not what is independent of c', async () => {
  const page = await open(fromDisk);
  const shown = async () => page.evaluate(() => ({ table: document.querySelector('#properties-table tbody').textContent,
    sets: Object.fromEntries(Chart.getChart('properties').data.datasets.map((d) => [d.key, d.data])),
    ts: Chart.getChart('ts').data.datasets.find((d) => d.key === 'liquid').data,
    legend: document.getElementById('properties-legend').textContent }));
  await compute(page, '1.5');
  const before = await shown();
  await compute(page, '2.5');
  const after = await shown();
  assert.notStrictEqual(after.table, before.table, 'the property table did not change');
  assert.notDeepStrictEqual(after.sets.liquid, before.sets.liquid, 'the property chart did not change');
  assert.deepStrictEqual(after.sets['liquid-previous'], before.sets.liquid, 'the c before is not kept');
  assert.notDeepStrictEqual(after.ts, before.ts, 'the t–s dome did not move');
  assert.match(after.legend, /c = 1\.500000/);
  assert.match(after.legend, /c = 2\.500000/);
  assert.match(await page.textContent('#maxwell-view'), /No dependen de c: p, vl, vg y el calor latente/);
  // Charts out of view when the run is painted are drawn right after it:
  // each table chart's axes, fitted to its data, hold the new data.
  await compute(page, '40');
  const outside = await page.evaluate(() => ['properties', 'ts'].map((id) => {
    const chart = Chart.getChart(id);
    const inView = chart.canvas.getBoundingClientRect().top < innerHeight;
    const { x, y } = chart.scales;
    const off = chart.data.datasets.flatMap((d) => d.data)
      .filter((q) => q.x < x.min || q.x > x.max || q.y < y.min || q.y > y.max);
    return { name: chart.canvas.id, inView, off: off.length };
  }));
  assert.ok(outside.some((chart) => !chart.inView), 'every chart is in view: nothing to check');
  outside.forEach((chart) => assert.strictEqual(chart.off, 0, `${chart.name}: points outside its axes`));
  await page.check('#limit-rows');
  assert.match(await page.textContent('#properties-table tbody'), /límite líquido/);
  await page.close();
});

test.layout('no accessibility violation of any impact in five states, and every chart described', async () => {
  const page = await open(fromDisk);
  assert.deepStrictEqual(await violations(page), [], 'before a run');
  await compute(page, '1.5');
  assert.deepStrictEqual(await violations(page), [], 'after a run');
  await chooseT(page, '0.6');
  await page.focus('#t-range');
  assert.deepStrictEqual(await violations(page), [], 'with t moved');
  await chooseT(page, '1.05');
  assert.deepStrictEqual(await violations(page), [], 'above the critical point');
  for (const id of ['maxwell', 'gibbs', 'pv', 'properties', 'ts'])
    assert.ok((await page.textContent(`#${id}-description`)).length > 40, `${id} has no text alternative`);
  await page.close();
  for (const [name, url, options] of [['in dark mode', fromDisk, { colorScheme: 'dark' }], ['in English', fromDisk + '?lang=en', {}]]) {
    const other = await browser.newPage(options);
    await other.goto(url);
    await other.waitForSelector('body[data-charts]');
    await compute(other, '1.5');
    await chooseT(other, '0.95');
    assert.deepStrictEqual(await violations(other), [], name);
    // The lab's panels: an exercise answered, the piston without
    // nucleation, and finding the vapour pressure, checked.
    await other.click('#exercise-list button >> nth=2');
    await other.fill('#exercise-number', '50');
    await other.click('#exercise-form button[type=submit]');
    await other.check('#process-nucleation');
    assert.deepStrictEqual(await violations(other), [], name + ': exercise, process, heating');
    await other.click('#find-start');
    await other.click('#find-check');
    assert.deepStrictEqual(await violations(other), [], name + ': finding the vapour pressure');
    await other.click('#find-leave');
    if (name === 'in dark mode') {
      await other.selectOption('#fluid', { label: 'argón (Ar)' });
      await other.waitForFunction(() => document.body.dataset.runs === '2');
      await other.click('#boil-form button');
      assert.deepStrictEqual(await violations(other), [], 'in dark mode with a substance');
    }
    await other.close();
  }
});

test.files('before a run nothing is offered; after it, a comma, inf and nan are said one way', async () => {
  const page = await open(fromDisk);
  for (const id of ['#files', '#coex-file', '#prop-csv'])
    assert.ok(await page.isHidden(id), `${id} is shown before a run`);
  // What does not depend on c is drawn at once: the default t's isotherm,
  // its tie line at the table's vapour pressure, and the swallowtail.
  await page.waitForFunction(() => Chart.getChart('gibbs').data.datasets.some((d) => d.data.length));
  const [p] = coexistenceRows('1.5')[0].find((fields) => fields[0] === '0.850000').slice(1).map(Number);
  const atLoad = await page.evaluate(() => ['maxwell', 'gibbs'].map((id) => Chart.getChart(id).data.datasets
    .filter((d) => d.data.length).map((d) => d.key)));
  assert.deepStrictEqual(atLoad[0].filter((key) => /tie-line|stable-gas|area-gas/.test(key)).sort(),
    ['area-gas', 'metastable-gas', 'stable-gas', 'tie-line']);
  assert.ok(atLoad[1].includes('unstable') && atLoad[1].includes('vapour-point'), atLoad[1].join(' '));
  const tieP = await page.evaluate(() => Chart.getChart('maxwell').data.datasets.find((d) => d.key === 'tie-line').data[0].y);
  assert.ok(Math.abs(tieP - p) < 1e-6, `the tie line at load is at ${tieP}, not ${p}`);
  (await page.evaluate(legendsAndCharts)).forEach(({ id, drawnLabels, listed }) =>
    assert.deepStrictEqual(listed, drawnLabels, `at load: the ${id} chart's legend`));
  // What is drawn is described, and the cylinder waits for a run, not for
  // a t below 1 (t is 0.85).
  await page.waitForFunction(() => !/Sin datos/.test(document.getElementById('maxwell-description').textContent));
  assert.match(await page.textContent('#maxwell-description'), /^Isoterma t = 0\.850000/);
  assert.match(await page.textContent('#gibbs-description'), /0\.850000/);
  assert.match(await page.textContent('#process-above'), /primera ejecución/);
  await compute(page, '1,5');
  assert.ok(await page.isVisible('#coex-file'));
  const note = await page.textContent('#comma-note');
  assert.match(note, /«1,5» como c = 1\.000000/);
  assert.match(note, /escriba 1\.5/);
  await compute(page, '2.5');
  assert.ok(await page.isHidden('#comma-note'));
  await compute(page, 'inf');
  assert.match(await page.textContent('#status'), /^c = inf /);
  assert.match(await page.textContent('#c-note'), /^c = inf /);
  await compute(page, '1e8');
  assert.match(await page.textContent('#c-note'), /^c = 100000000\.000000 es tan grande/);
  await compute(page, '-nan');
  await chooseT(page, '0.85');
  const readout = await page.textContent('#readout');
  assert.ok(!/-nan/.test(readout) && /nan/.test(readout), readout);
  await page.close();
});

test.tables('the tables by keyboard, the columns explained without a pointer, the news said once', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.85');
  assert.strictEqual(await page.evaluate(() => document.getElementById('fractions').closest('[aria-live], output')), null,
    'the lever rule is a live region');
  await page.focus('#coexistence-box');
  await page.keyboard.press('ArrowDown');
  assert.strictEqual(await page.inputValue('#t-number'), '0.849');
  await page.keyboard.press('Home');
  await settle(page);
  assert.strictEqual(await page.inputValue('#t-number'), '0.999');
  assert.match(await page.textContent('#table tbody tr.marked'), /^0\.999000/);
  await page.focus('#properties-box');
  await page.keyboard.press('ArrowDown');
  await settle(page);
  assert.strictEqual(await page.inputValue('#t-number'), '0.998');
  assert.match(await page.textContent('#properties-table tbody tr.marked'), /^0\.998000/);
  await page.waitForFunction(() => /p = 0\.99\d+, vl = /.test(document.getElementById('announce').textContent));
  assert.strictEqual(await page.locator('#coex-columns dt').count(), 9);
  assert.match(await page.textContent('#coex-columns'), /Presión de vapor/);
  // The volume: the true middle first, then steps on a grid of round values.
  assert.match(await page.textContent('#fractions'), /líquido 50\.0 %, gas 50\.0 %/);
  await chooseT(page, '0.85');
  await page.focus('#v-operating');
  await page.keyboard.press('ArrowUp');
  assert.strictEqual(await page.inputValue('#v-operating'), '1.85');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  assert.strictEqual(await page.inputValue('#v-operating'), '1.83');
  await page.waitForFunction(() => /líquido/.test(document.getElementById('announce').textContent));
  await page.close();
});

test.layout('a touch drag moves the point; a phone keeps label and field together and the shares in view', async () => {
  const context = await browser.newContext({ viewport: { width: 390, height: 844 }, hasTouch: true, isMobile: true });
  const page = await context.newPage();
  await page.goto(fromDisk);
  await page.waitForSelector('body[data-charts]');
  await compute(page, '1.5');
  await chooseT(page, '0.85');
  const [label, field] = await Promise.all(['label[for=t-number]', '#t-number'].map((s) => page.locator(s).boundingBox()));
  assert.ok(Math.abs(label.y + label.height / 2 - (field.y + field.height / 2)) < 4, 'the t label is apart from its field');
  await page.locator('#maxwell').scrollIntoViewIfNeeded();
  // The chart drawn for t and scrolled still, so the point is where it is touched.
  await settle(page);
  const start = await page.evaluate(() => {
    const chart = Chart.getChart('maxwell');
    const q = chart.data.datasets.find((d) => d.key === 'operating-point').data[0];
    const box = chart.canvas.getBoundingClientRect();
    return { x: box.left + chart.scales.x.getPixelForValue(q.x), y: box.top + chart.scales.y.getPixelForValue(q.y),
      right: box.right - 3 };
  });
  const client = await context.newCDPSession(page);
  const touch = (type, x, y) => client.send('Input.dispatchTouchEvent',
    { type, touchPoints: type === 'touchEnd' ? [] : [{ x, y }] });
  await touch('touchStart', start.x, start.y);
  for (let k = 1; k <= 5; k++)
    await touch('touchMove', start.x + (start.right - start.x) * k / 5, start.y);
  await touch('touchEnd');
  assert.strictEqual(await page.inputValue('#v-operating'), '3.127639', 'the touch drag did not move the point');
  const summary = await page.locator('#maxwell-summary').boundingBox();
  assert.ok(summary && summary.y >= -1 && summary.y + summary.height <= 844, 'the shares are out of view');
  assert.match(await page.textContent('#maxwell-summary'), /gas 100\.0 %/);
  // A vertical swipe that starts away from the line and the point scrolls
  // the page and moves nothing.
  await page.locator('#maxwell').scrollIntoViewIfNeeded();
  const away = await page.evaluate(() => {
    const chart = Chart.getChart('maxwell');
    const box = chart.canvas.getBoundingClientRect();
    return { x: box.left + (chart.chartArea.left + chart.chartArea.right) / 2, y: box.top + chart.chartArea.top + 12,
      scrolled: scrollY };
  });
  await touch('touchStart', away.x, away.y);
  for (let k = 1; k <= 10; k++)
    await touch('touchMove', away.x, away.y - 20 * k);
  await touch('touchEnd');
  await page.waitForFunction((before) => scrollY > before + 50, away.scrolled, { timeout: 2000 }).catch(() => {});
  assert.ok(await page.evaluate(() => scrollY) > away.scrolled + 50, 'a swipe on the chart does not scroll');
  assert.strictEqual(await page.inputValue('#v-operating'), '3.127639', 'the swipe moved the point');
  // A touch on the line drags it; what the drag changes is said above the
  // chart, in view.
  await page.locator('#maxwell').scrollIntoViewIfNeeded();
  const onLine = await page.evaluate(() => {
    const chart = Chart.getChart('maxwell');
    const box = chart.canvas.getBoundingClientRect();
    const tie = chart.data.datasets.find((d) => d.key === 'tie-line').data;
    return { x: box.left + chart.scales.x.getPixelForValue((tie[0].x + tie[1].x) / 3),
      y: box.top + chart.scales.y.getPixelForValue(tie[0].y) };
  });
  await touch('touchStart', onLine.x, onLine.y);
  for (let k = 1; k <= 5; k++)
    await touch('touchMove', onLine.x, onLine.y + 8 * k);
  const during = await page.locator('#maxwell-summary').boundingBox();
  await touch('touchEnd');
  assert.match(await page.textContent('#maxwell-summary'), /^p de prueba = 0\.\d+ · áreas .* · gl − gg = [+-]\d.* · Por debajo de la presión de vapor/);
  assert.ok(during.y >= -1 && during.y + during.height <= 844, 'the trial line\'s readouts are out of view');
  await context.close();
});

test.screens('at 1024 px no readout wraps; printed, every row; each chart saves as a PNG', async () => {
  const page = await open(fromDisk, { width: 1024, height: 800 });
  await compute(page, '1.5');
  await chooseT(page, '0.501');
  const wrapped = await page.evaluate(() => [...document.querySelectorAll('#readout dd, #areas dd')]
    .filter((dd) => {
      const text = document.createRange();
      text.selectNodeContents(dd);
      return text.getClientRects().length > 1 || dd.scrollWidth > dd.clientWidth + 1;
    }).map((dd) => dd.textContent));
  assert.deepStrictEqual(wrapped, []);
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('button.png[data-chart=maxwell]')]);
  assert.strictEqual(download.suggestedFilename(), 'vdwcoex-maxwell-t0.501-c1.500000.png');
  const png = fs.readFileSync(await download.path());
  assert.ok(png.subarray(1, 4).toString() === 'PNG' && png.length > 5000, 'not a PNG picture');
  // The legend is in the picture, in rows below the chart.
  const canvasHeight = await page.evaluate(() => Chart.getChart('maxwell').canvas.height);
  assert.ok(png.readUInt32BE(20) > canvasHeight + 20, `the picture is ${png.readUInt32BE(20)} px high, the chart ${canvasHeight}`);
  await page.emulateMedia({ media: 'print' });
  await page.waitForFunction(() => document.querySelectorAll('#table tbody tr[data-row]').length === 499);
  assert.strictEqual(await page.evaluate(() => getComputedStyle(document.getElementById('coexistence-box')).maxHeight), 'none');
  assert.ok(await page.evaluate(() => document.querySelectorAll('#properties-table tbody tr[data-row]').length) >= 499);
  await page.close();
});

test.files('?lang=en shows the page in English and the files stay the same', async () => {
  const page = await open(fromDisk + '?lang=en');
  assert.strictEqual(await page.getAttribute('html', 'lang'), 'en');
  assert.match(await page.textContent('h1'), /Phase transition/);
  await compute(page, '2.5');
  assert.match(await page.textContent('#status'), /computed and shown/);
  const expected = consoleFiles('2.5', 'en');
  (await downloads(page)).forEach((file, k) => assert.ok(file.bytes.equals(expected[k]), file.name));
  assert.match(await page.textContent('#readout-heading'), /^At t/);
  await page.click('#language');
  assert.match(await page.textContent('h1'), /Transición/);
  assert.match(await page.textContent('#readout-heading'), /^En t/);
  assert.match(await page.textContent('#maxwell-legend'), /línea de equilibrio/);
  await page.close();
});

test.lab('the process panel: the lever rule at five volumes, the phases drawn in proportion, and without nucleation the spinodals', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.900');
  const [rows] = coexistenceRows('1.5');
  const row = rows.find((fields) => fields[0] === '0.900000').map(Number);
  const [, p, vl, vg, vlmax, plmin, vgmin, pgmax] = row;
  const at = async (v) => {
    await page.fill('#process-v-number', String(v));
    await page.dispatchEvent('#process-v-number', 'change');
    const x = await page.evaluate(() => Object.assign({}, document.getElementById('process-readout').dataset));
    const height = async (id) => Number(await page.getAttribute(id, 'height'));
    return { v: Number(x.v), p: Number(x.p), gas: Number(x.gas), phase: x.phase,
      liquidHeight: await height('#cylinder-liquid'), gasHeight: await height('#cylinder-gas'),
      said: await page.textContent('#process-state'), shares: await page.textContent('#process-shares') };
  };
  for (let k = 1; k <= 5; k++) {
    const v = vl + (vg - vl) * k / 6;
    const x = await at(v);
    assert.strictEqual(x.phase, 'two');
    // The shares printed, each phase's own: the liquid's is (vg - v)/(vg - vl).
    const liquidShare = (100 * (vg - v) / (vg - vl)).toFixed(1), gasShare = (100 * (v - vl) / (vg - vl)).toFixed(1);
    assert.ok(x.shares.startsWith(`líquido ${liquidShare} %, gas ${gasShare} %`), `v = ${v}: ${x.shares}`);
    assert.ok(Math.abs(x.gas - (v - vl) / (vg - vl)) < 2e-6, `v = ${v}: gas share ${x.gas}`);
    assert.ok(Math.abs(x.p - p) < 1e-6, `v = ${v}: p ${x.p}`);
    const total = x.liquidHeight + x.gasHeight;
    assert.ok(Math.abs(x.liquidHeight - total * (1 - x.gas) * vl / v) <= 1, `v = ${v}: liquid drawn ${x.liquidHeight} of ${total}`);
  }
  const marked = await page.evaluate(() => Chart.getChart('maxwell').$markSets.process[0].points[0]);
  assert.ok(Math.abs(marked.x - (vl + (vg - vl) * 5 / 6)) < 1e-9 && Math.abs(marked.y - p) < 1e-6);
  // Without nucleation the gas, compressed, stays gas above the vapour
  // pressure up to its spinodal, then falls into two phases.
  await page.check('#process-nucleation');
  assert.strictEqual((await at(1.2 * vg)).phase, 'gas');
  const supercooled = await at((vg + vgmin) / 2);
  assert.strictEqual(supercooled.phase, 'metastable-gas');
  assert.ok(supercooled.p > p && supercooled.liquidHeight === 0);
  const limit = await at(vgmin + 2e-6);
  assert.ok(limit.phase === 'metastable-gas' && Math.abs(limit.p - pgmax) < 1e-5, `at the gas spinodal p = ${limit.p}`);
  const fell = await at(vgmin - 0.01);
  assert.ok(fell.phase === 'two' && Math.abs(fell.p - p) < 1e-6 && fell.liquidHeight > 0);
  assert.match(fell.said, /no puede ir más allá/);
  // And the liquid, expanded, down to its spinodal.
  assert.strictEqual((await at(0.95 * vl)).phase, 'liquid');
  const superheated = await at((vl + vlmax) / 2);
  assert.ok(superheated.phase === 'metastable-liquid' && superheated.p < p && superheated.gasHeight === 0);
  const stretched = await at(vlmax - 2e-6);
  assert.ok(Math.abs(stretched.p - plmin) < 1e-5, `at the liquid spinodal p = ${stretched.p}`);
  assert.strictEqual((await at(vlmax + 0.01)).phase, 'two');
  assert.deepStrictEqual(await violations(page), []);
  await page.close();
});

test.lab('heating at the vapour pressure: the liquid warms, boils at the row\'s t as the gas grows, and takes in the row\'s latent heat', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.850');
  const [rows] = coexistenceRows('1.5');
  const latent = Number(rows.find((fields) => fields[0] === '0.850000')[8]);
  const at = async (k) => {
    await page.evaluate((step) => {
      const slider = document.getElementById('heat-step');
      slider.value = String(step);
      slider.dispatchEvent(new Event('input'));
    }, k);
    const x = await page.evaluate(() => Object.assign({}, document.getElementById('heating-readout').dataset));
    const heat = await page.evaluate(() => window.vdwcoexPage.model.heatingState().heat);
    return { t: Number(x.t), gas: Number(x.gas), phase: x.phase, boilingHeat: Number(x.boilingHeat), heat };
  };
  const start = await at(0);
  assert.ok(start.phase === 'liquid' && Math.abs(start.t - 0.75) < 1e-12 && start.heat === 0);
  assert.ok(Math.abs(start.boilingHeat - latent) < 1e-6, `t (sg - sl) = ${start.boilingHeat}, the row's ${latent}`);
  const boilingStarts = await at(20), boilingEnds = await at(40);
  for (const k of [25, 30, 35]) {
    const x = await at(k);
    assert.ok(x.phase === 'two' && x.t === boilingStarts.t && Math.abs(x.gas - (k - 20) / 20) < 1e-12, `step ${k}`);
    // The heat taken in so far is the boiled share of the latent heat.
    assert.ok(Math.abs(x.heat - boilingStarts.heat - x.gas * latent) < 1e-6, `step ${k}: heat ${x.heat}`);
  }
  assert.ok(Math.abs(boilingStarts.t - 0.85) < 1e-12 && boilingEnds.phase === 'gas');
  assert.ok(Math.abs(boilingEnds.heat - boilingStarts.heat - latent) < 1e-6, 'the heat of boiling is not the latent heat');
  const end = await at(60);
  assert.ok(end.phase === 'gas' && Math.abs(end.t - 0.95) < 1e-12 && end.heat > boilingEnds.heat);
  const marks = await page.evaluate(() => Chart.getChart('ts').$markSets.heating.map((m) => m.key));
  assert.deepStrictEqual(marks, ['boiling-heat', 'heating-path', 'heating-point']);
  // The heat of boiling is shaded whole, down to t = 0 in view, and named
  // in the legend, with the path and the point; before it boils there is
  // none, and the axis is the dome's again.
  const shading = async (k) => {
    await at(k);
    await settle(page);
    return page.evaluate(() => {
      const chart = Chart.getChart('ts');
      const heat = chart.$markSets.heating.find((m) => m.key === 'boiling-heat').points;
      return { axisMin: chart.scales.y.min, heatMin: Math.min(...heat.map((q) => q.y)), shaded: heat.length,
        legend: document.getElementById('ts-legend').textContent };
    });
  };
  const boiling = await shading(30);
  assert.ok(boiling.shaded === 4 && boiling.axisMin <= boiling.heatMin, `the heat is shaded down to ${boiling.heatMin}, the axis from ${boiling.axisMin}`);
  assert.match(boiling.legend, /calor de ebullición.*calentamiento a la presión de vapor.*estado calentado.*estado del cilindro/);
  const warming = await shading(5);
  assert.ok(warming.shaded === 0 && warming.axisMin === 0.5, `before boiling: ${JSON.stringify(warming)}`);
  assert.doesNotMatch(warming.legend, /calor de ebullición/);
  await page.close();
});

test.lab('compressing: from vg to vl the heat given off is the row\'s latent heat and the work p (vg - vl), in its unit', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.900');
  const [rows] = coexistenceRows('1.5');
  const [t, p, vl, vg, , , , , latent] = rows.find((fields) => fields[0] === '0.900000').map(Number);
  const at = async (v) => {
    await page.fill('#process-v-number', String(v));
    await page.dispatchEvent('#process-v-number', 'change');
    return page.evaluate(() => {
      const list = document.getElementById('process-energy');
      const x = Object.fromEntries(Object.entries(list.dataset).map(([key, value]) => [key, Number(value)]));
      return Object.assign(x, { shown: [...list.querySelectorAll('dd')].map((dd) => dd.textContent),
        start: vdwcoexPage.model.processRange()[1] });
    });
  };
  // The gas compressed to vg: -∫p dv by the isotherm's primitive, in
  // R·Tcr (P·V is in Pcr·Vcr = 3/8 R·Tcr); nothing condensed yet.
  const gas = await at(vg);
  const primitive = (v) => (8 * t / 3 * Math.log(3 * v - 1) + 3 / v) * 3 / 8;
  assert.ok(Math.abs(gas.work - (primitive(gas.start) - primitive(vg))) < 1e-5, `work to vg ${gas.work}`);
  assert.ok(Math.abs(gas.heat - t * Math.log((3 * gas.start - 1) / (3 * vg - 1))) < 1e-5, `heat to vg ${gas.heat}`);
  assert.ok(Math.abs(gas.tieHeat) < 1e-5 && gas.work > 0 && gas.heat > 0);
  // Condensed to vl: the tie line's share is the row's latent heat and
  // p (vg - vl), printed as the row prints them.
  const liquid = await at(vl);
  assert.ok(Math.abs(liquid.tieHeat - latent) < 2e-6, `heat while condensing ${liquid.tieHeat}, the row's ${latent}`);
  assert.ok(Math.abs(liquid.tieWork - p * (vg - vl) * 3 / 8) < 2e-6, `work while condensing ${liquid.tieWork}`);
  assert.ok(Math.abs(liquid.heat - gas.heat - latent) < 1e-5 && Math.abs(liquid.work - gas.work - liquid.tieWork) < 1e-5);
  assert.strictEqual(liquid.shown[3], latent.toFixed(6));
  assert.strictEqual(liquid.shown[2], (p * (vg - vl) * 3 / 8).toFixed(6));
  // The g–p chart marks the cylinder's state too: in two phases, the crossing.
  await at((vl + vg) / 2);
  const [mark, crossing] = await page.evaluate(() => {
    const gibbs = Chart.getChart('gibbs');
    return [gibbs.$markSets.process[0].points[0], gibbs.data.datasets.find((d) => d.key === 'vapour-point').data[0]];
  });
  assert.ok(Math.abs(mark.x - crossing.x) < 1e-9 && Math.abs(mark.y - crossing.y) < 1e-6,
    `marked at ${JSON.stringify(mark)}, the crossing at ${JSON.stringify(crossing)}`);
  // The gauge has a scale; with a substance, the energies are in the
  // latent heat's unit.
  assert.ok((await page.locator('#gauge text').count()) >= 3);
  await page.selectOption('#fluid', { label: 'argón (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs) === 2);
  await chooseT(page, '0.900');
  const argon = await at(vl);
  const units = await page.evaluate(() => [document.querySelector('#process-energy dd:nth-of-type(4)'),
    document.querySelector('#heating-readout dd:last-of-type')].map((dd) => dd.textContent.replace(/^[-\d.]+ /, '')));
  assert.deepStrictEqual(units, ['kJ/mol', 'kJ/mol']);
  assert.ok(argon.tieHeat > 0);
  await page.close();
});

test.exercises('each exercise opens from its address in the state it asks for, and checks answers against the program\'s numbers', async () => {
  const [rows] = coexistenceRows('1.5');
  const row = (t) => rows.find((fields) => fields[0] === t).map(Number);
  const argon = (option, value) => spawnSync(program, ['--substance', 'argon', option, value], { encoding: 'utf8' }).stdout;
  const at120 = argon('--at-temperature', '120');
  const [, vlCm3, vgCm3] = at120.match(/líquido ([0-9.]+) cm³\/mol, gas ([0-9.]+) cm³\/mol/).map(Number);
  const boiling = Number(argon('--at-pressure', '101325').match(/T {2}= ([0-9.]+) K/)[1]);
  const [, p90, vl90, vg90] = row('0.900000');
  // Each exercise: what the page must show once opened, the program's
  // answer worked out from the console's, and a wrong answer.
  // A number near x among a text's numbers (a share in % is no volume, a
  // run's time in ms no answer).
  const near = (x, within, percent = false) => (text) => [...text.matchAll(/-?\d+(?:\.\d+)?(?:e[-+]?\d+)?(?!\d|\.\d|\s*ms\b)(\s*%)?/g)]
    .some((m) => Boolean(m[1]) === percent && Math.abs(parseFloat(m[0]) - x) <= within);
  const share = 100 * (vg90 - 1.4) / (vg90 - vl90);
  // `gives`: what in a text would give the answer away before it is checked.
  const cases = [
    { shows: ['#find-task', /t = 0\.900/], expected: p90, tolerance: 1e-6, wrong: '0.5', gives: near(p90, 5e-4) },
    { shows: ['#p-trial-value', /0\.5[0-9]{5}/], expected: 'liquid', wrong: 'gas', gives: (text) => /solo el\s+líquido/.test(text) },
    { shows: ['#process-v-number', '1.4'], expected: share, tolerance: 1e-4, wrong: '10', gives: near(share, 0.06, true) },
    { shows: ['#t-kelvin', '120.00'], expected: vgCm3, tolerance: 1e-3, wrong: '100', gives: near(vgCm3, 0.005 * vgCm3) },
    { shows: ['#t-kelvin', '120.00'], expected: vlCm3, tolerance: 1e-3, wrong: '100', gives: near(vlCm3, 0.005 * vlCm3) },
    { shows: ['#t-number', '0.800'], expected: 'no', wrong: 'yes', gives: (text) => /No dependen de c|se cancelan/.test(text) },
    { shows: ['#fluid', /./], expected: boiling, tolerance: 1e-6, wrong: '87.3', gives: near(boiling, 0.006) },
  ];
  // What the reader can see or hear, the big tables aside: the text in view,
  // what the live regions last said, and the accessibility tree.
  const heard = async (page) => {
    await page.waitForTimeout(600);  // the announcer waits for a pause
    const seen = await page.evaluate(() => {
      const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
      const texts = [];
      for (let node = walker.nextNode(); node; node = walker.nextNode()) {
        const element = node.parentElement;
        if (!element.closest('table, script, style') && element.checkVisibility({ visibilityProperty: true }))
          texts.push(node.textContent);
      }
      const live = [...document.querySelectorAll('[aria-live], [role=status]')].map((el) => el.textContent);
      document.querySelectorAll('table').forEach((table) => table.setAttribute('aria-hidden', 'true'));
      return { text: texts.join(' '), live: live.join(' ') };
    });
    const tree = await page.locator('body').ariaSnapshot();
    await page.evaluate(() => document.querySelectorAll('table').forEach((table) => table.removeAttribute('aria-hidden')));
    // Links' addresses (a download's blob: name) are no text the reader is given.
    return Object.assign(seen, { tree: tree.split('\n').filter((line) => !/^\s*- \/url:/.test(line)).join('\n') });
  };
  // Which of a text's parts gives the answer away.
  const givenIn = (c, parts) => Object.entries(parts).filter(([, text]) => c.gives(text)).map(([name]) => name);
  for (const [k, c] of cases.entries()) {
    const page = await open(`${fromDisk}?exercise=${k + 1}`);
    await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
    await settle(page);
    assert.strictEqual(await page.textContent('#exercise-heading'), `Ejercicio ${k + 1}`);
    const [selector, shown] = c.shows;
    const value = await page.evaluate((sel) => {
      const el = document.querySelector(sel);
      return 'value' in el && el.tagName !== 'OUTPUT' ? el.value : el.textContent;
    }, selector);
    assert.match(value, shown instanceof RegExp ? shown : new RegExp('^' + shown.replace('.', '\\.')), `exercise ${k + 1}: ${selector}`);
    // Before the check nothing the reader sees or hears gives the answer.
    const before = await heard(page);
    assert.deepStrictEqual(givenIn(c, before), [], `exercise ${k + 1} gives its answer away before it is checked: ` +
      Object.values(before).flatMap((text) => text.split(/(?<=[.:;\n])\s*/)).filter((part) => c.gives(part)).join(' | '));
    const answer = async (reply) => {
      if (typeof c.expected === 'string')
        await page.check(`input[name=exercise-choice][value=${reply}]`);
      else
        await page.fill('#exercise-number', String(reply));
      await page.click('#exercise-form button[type=submit]');
      return page.evaluate(() => Object.assign({}, document.getElementById('exercise-feedback').dataset));
    };
    const wrong = await answer(c.wrong);
    assert.strictEqual(wrong.right, 'false', `exercise ${k + 1}: ${c.wrong} passed`);
    if (typeof c.expected === 'string')
      assert.strictEqual(wrong.expected, c.expected);
    else
      assert.ok(Math.abs(Number(wrong.expected) - c.expected) <= c.tolerance * Math.max(1, Math.abs(c.expected)),
        `exercise ${k + 1}: the page expects ${wrong.expected}, the program gives ${c.expected}`);
    const right = await answer(typeof c.expected === 'string' ? c.expected : Number(wrong.expected).toPrecision(5));
    assert.strictEqual(right.right, 'true', `exercise ${k + 1}: the program's own answer was refused`);
    // Checked, what was held back is there again.
    assert.ok(givenIn(c, await heard(page)).includes('text'), `exercise ${k + 1}: the answer is not in view once checked`);
    if (k === 0)
      assert.deepStrictEqual(await violations(page), []);
    await page.close();
  }
});

test.exercises('find it yourself: nothing in view gives the vapour pressure before the check; after it, the error is the guess minus the row\'s p', async () => {
  const page = await open(fromDisk + '?t=0.9&find=1');
  await page.waitForFunction(() => !document.getElementById('find-p').disabled);
  await settle(page);
  // Nothing the reader did is announced: no heating, which nobody started.
  await page.waitForTimeout(600);
  assert.doesNotMatch(await page.textContent('#announce'), /calentándose|hirviendo/);
  const [rows] = coexistenceRows('');
  const row = rows.find((fields) => fields[0] === '0.900000');
  const [p, vl, vg] = [1, 2, 3].map((k) => Number(row[k]));
  // What a student can see or hear: the text in view, the accessibility
  // tree and every point of the charts in view.
  const given = async () => {
    const text = await page.evaluate(() => document.body.innerText);
    const tree = await page.locator('body').ariaSnapshot();
    const points = await page.evaluate(() => [...document.querySelectorAll('canvas')]
      .filter((canvas) => canvas.offsetParent !== null && Chart.getChart(canvas))
      .flatMap((canvas) => Chart.getChart(canvas).data.datasets.flatMap((d) => d.data)));
    const digits = [row[1], row[1].slice(0, 6), row[2], row[3]];
    return digits.filter((d) => text.includes(d) || tree.includes(d))
      .concat(points.filter((q) => Math.abs(q.y - p) < 5e-6 || Math.abs(q.x - vl) < 5e-6 || Math.abs(q.x - vg) < 5e-6)
        .map((q) => `a point at (${q.x}, ${q.y})`));
  };
  assert.ok(await page.isHidden('#maxwell-view') && await page.isHidden('#table'), 'the rest of the page is in view');
  assert.match(await page.textContent('#find-task'), /t = 0\.900/);
  assert.deepStrictEqual(await given(), [], 'before any move');
  await page.focus('#find-p');
  for (let k = 0; k < 7; k++)
    await page.keyboard.press('ArrowDown');
  await settle(page);
  assert.deepStrictEqual(await given(), [], 'after moving the line');
  const guess = Number(await page.getAttribute('#find-p', 'aria-valuetext').then((text) => text.slice(4)));
  assert.ok(Math.abs(guess - p) > 1e-4, 'the line starts too near the answer for the test');
  await page.click('#find-check');
  await settle(page);
  const shown = await page.evaluate(() => Object.assign({}, document.getElementById('find-result').dataset));
  assert.strictEqual(Number(shown.p), p);
  assert.ok(Math.abs(Number(shown.error) - (Number(shown.guess) - p)) < 1e-15, `error ${shown.error}`);
  assert.ok(Math.abs(Number(shown.guess) - guess) < 1e-6);
  const result = await page.textContent('#find-result');
  assert.ok(result.includes(row[1]), 'the row\'s p is not shown');
  assert.match(result, Number(shown.error) > 0 ? /above/ : /below|por debajo/);
  // Another t hides the answer again; leaving shows the page.
  await page.click('#find-new');
  assert.ok(await page.isHidden('#find-result'));
  assert.doesNotMatch(await page.textContent('#find-task'), /t = 0\.900/);
  assert.deepStrictEqual(await violations(page), []);
  await page.click('#find-leave');
  assert.ok(await page.isVisible('#maxwell-view') && await page.isHidden('#find-view'));
  await page.close();
});

test.nature('the model against nature: its densities are the table\'s rows, Guggenheim\'s curve his law, and the numbers the model\'s own', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await chooseT(page, '0.700');
  const [rows] = coexistenceRows('1.5');
  const sets = await page.evaluate(() => Object.fromEntries(['states', 'exponent', 'clapeyron'].map((name) =>
    [name, Object.fromEntries(Chart.getChart(name).data.datasets.map((d) => [d.key, d.data]))])));
  const liquid = sets.states['model-liquid'], gas = sets.states['model-gas'];
  assert.strictEqual(liquid.length, rows.length);
  rows.forEach((row, k) => {
    assert.ok(Math.abs(liquid[k].y - Number(row[0])) < 1e-9 && Math.abs(liquid[k].x * Number(row[2]) - 1) < 2e-6, `t = ${row[0]}`);
    assert.ok(Math.abs(gas[k].x * Number(row[3]) - 1) < 2e-6, `t = ${row[0]} gas`);
  });
  const guggenheim = (t, sign) => 1 + 0.75 * (1 - t) + sign * 1.75 * Math.cbrt(1 - t);
  sets.states['guggenheim-liquid'].forEach((q) => assert.ok(Math.abs(q.x - guggenheim(q.y, 1)) < 1e-12));
  sets.states['guggenheim-gas'].forEach((q) => assert.ok(Math.abs(q.x - guggenheim(q.y, -1)) < 1e-12));
  const numbers = await page.evaluate(() => Object.assign({}, document.getElementById('nature-numbers').dataset));
  assert.strictEqual(Number(numbers.zc), 0.375);
  assert.strictEqual(Number(numbers.acentric).toFixed(3), '-0.302');
  assert.ok(Math.abs(Number(numbers.exponent) - 0.5) < 0.01 && Math.abs(Number(numbers.guggenheimExponent) - 1 / 3) < 0.01);
  assert.ok(Number(numbers.clapeyronLargest) < 1e-4);
  assert.strictEqual(sets.clapeyron['slope-from-p'].length, rows.length - 2);
  // The chosen t is marked, and every legend names what its chart draws.
  const marked = await page.evaluate(() => Chart.getChart('states').$marks[0].points.map((q) => q.y));
  assert.deepStrictEqual(marked.map((t) => t.toFixed(3)), ['0.700', '0.700']);
  for (const name of ['states', 'exponent', 'clapeyron'])
    assert.ok((await page.textContent(`#${name}-legend`)).length > 10, `${name} has no legend`);
  assert.match(await page.textContent('#states-legend'), /t elegida/);
  await page.close();
});

// The console's nature_KEY.csv for a substance, by t as printed, and its
// comparison on standard output, in English.
function consoleNature(name) {
  const key = name.replace(/-si$/, '');
  const dir = path.join(scratch, 'nature-' + name);
  fs.mkdirSync(dir);
  const run = spawnSync(program, ['--substance', key, '--against-nature', '1.5'], { cwd: dir,
    env: Object.assign({}, process.env, { LANGUAGE: 'en', LANG: 'C' }), stdio: ['ignore', 'pipe', 'ignore'] });
  assert.strictEqual(run.status, 0, 'the console program failed');
  const lines = fs.readFileSync(path.join(dir, `nature_${key}.csv`), 'utf8').split('\r\n').filter((l) => l && l[0] !== '#');
  const names = lines[0].split(',');
  const rows = lines.slice(1).map((line) => Object.fromEntries(line.split(',').map((cell, k) => [names[k], cell])));
  return { rows, said: run.stdout.toString() };
}

test.nature('the substances beside the model: their curves are the console\'s nature files, the model\'s vapour pressure the rows, the table the console\'s', async () => {
  const page = await open(fromDisk + '?lang=en');
  await page.waitForSelector('#nature-view[data-fluids]');
  await compute(page, '1.5');
  await chooseT(page, '0.700');
  const [rows] = coexistenceRows('1.5');
  const sets = await page.evaluate(() => Object.fromEntries(['states', 'vapour'].map((name) =>
    [name, Object.fromEntries(Chart.getChart(name).data.datasets.map((d) => [d.key, d.data]))])));
  // The model's reduced vapour pressure: p against 1/t, row by row.
  const model = sets.vapour['model-vapour'];
  assert.strictEqual(model.length, rows.length);
  rows.forEach((row, k) => assert.ok(Math.abs(model[k].x * Number(row[0]) - 1) < 1e-12 &&
    Math.abs(model[k].y - Number(row[1])) <= 5.01e-7, `t = ${row[0]}`));
  const fluids = await page.evaluate(() => Object.fromEntries([...document.querySelectorAll('#nature-table tbody tr')]
    .map((tr) => [tr.dataset.key, [...tr.querySelectorAll('td')].map((td) => Number(td.textContent))])));
  for (const key of ['argon', 'water']) {
    const { rows: file, said } = consoleNature(key);
    const measured = file.filter((r) => r.p_measured_Pa !== '');
    const liquid = sets.states[`fluid-${key}-liquid`], vapour = sets.states[`fluid-${key}-vapour`];
    const pressure = sets.vapour[`fluid-${key}-pressure`];
    const near = (a, b) => Math.abs(a / Number(b) - 1) < 1e-8;
    // Each of the file's measured rows is a point of the page's curves.
    for (const r of measured) {
      const k = liquid.findIndex((q) => Math.abs(q.y - Number(r.t)) < 1e-12);
      assert.ok(k >= 0, `${key}: no point at t = ${r.t}`);
      assert.ok(near(liquid[k].x, r.rho_liquid_measured_per_rhoc) && near(vapour[k].x, r.rho_vapour_measured_per_rhoc),
        `${key} at t = ${r.t}: ${liquid[k].x}, ${vapour[k].x}`);
      assert.ok(Math.abs(pressure[k].x * Number(r.t) - 1) < 1e-12 && near(pressure[k].y * 1, Number(r.p_measured_Pa) /
        Number(r.p_model_Pa) * model[rows.findIndex((row) => row[0] === Number(r.t).toFixed(6))].y), `${key} p at t = ${r.t}`);
    }
    // Down to the triple point (water's lies below the table), never below it.
    const lowest = Math.min(...liquid.map((q) => q.y));
    const triple = { argon: 83.8058 / 150.687, water: 273.16 / 647.096 }[key];
    assert.ok(Math.abs(lowest - triple) < 1e-12, `${key}: down to ${lowest}`);
    const onRows = liquid.filter((q) => q.y > 0.5005 && q.y < 0.9995 && Math.abs(q.y * 1000 - Math.round(q.y * 1000)) < 1e-9);
    assert.strictEqual(measured.length, onRows.length, key);
    // The table's row: the console's numbers, as the table rounds them.
    const number = (label) => said.split('\n').find((l) => l.trim().startsWith(label)).trim().slice(label.length)
      .trim().split(/\s+/).slice(0, 2).map(Number);
    const [zc, omega, tb, latent, trouton] = ['Zc = pc/(rhoc R Tc)', 'acentric factor omega', 'Tb/Tc',
      'latent heat at Tb (kJ/mol)', 'Trouton\'s ratio L/(R Tb)'].map(number);
    const cells = fluids[key];
    [[zc, 4], [omega, 3], [tb, 3], [latent, 2], [trouton, 2]].forEach(([pair, digits], k) => pair.forEach((x, j) =>
      assert.ok(Math.abs(cells[2 * k + j] - x) <= 0.6 * 10 ** -digits + 1e-4 * Math.abs(x), `${key}: column ${2 * k + j}`)));
  }
  // The chosen t is marked; the legends name the substances and the line of 0.7.
  const marked = await page.evaluate(() => Chart.getChart('vapour').$marks[0].points.map((q) => q.x));
  assert.ok(Math.abs(marked[0] * 0.7 - 1) < 1e-12);
  assert.match(await page.textContent('#states-legend'), /argon \(Ar\).*water \(H2O\)/);
  assert.match(await page.textContent('#vapour-legend'), /model.*T\/Tc = 0\.7.*chosen t.*ammonia/);
  assert.deepStrictEqual(await violations(page), []);
  await page.close();
});

test.nature('a chosen substance against the model: its nature file the console\'s, its SI curves the file\'s, where it really boils', async () => {
  const page = await open(fromDisk + '?lang=en');
  await page.waitForSelector('#nature-view[data-fluids]');
  await page.selectOption('#fluid', { label: 'argon (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  await chooseT(page, '0.700');
  const { rows: file } = consoleNature('argon-si');
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#nature-file')]);
  assert.strictEqual(download.suggestedFilename(), 'nature_argon.csv');
  assert.ok(fs.readFileSync(await download.path()).equals(fs.readFileSync(path.join(scratch, 'nature-argon-si',
    'nature_argon.csv'))), 'the page\'s nature_argon.csv is not the console\'s');
  const sets = await page.evaluate(() => Object.fromEntries(['nature-pressure', 'nature-density', 'nature-latent',
    'exponent'].map((name) => [name, Object.fromEntries(Chart.getChart(name).data.datasets.map((d) => [d.key, d.data]))])));
  const near = (a, b) => Math.abs(a / Number(b) - 1) < 1e-8;
  // The curves checked below against the file's model and measured columns
  // are named so in their legends.
  const labels = await page.evaluate(() => ['nature-pressure', 'nature-density', 'nature-latent'].flatMap((name) =>
    Chart.getChart(name).data.datasets.map((d) => [d.key, d.label])));
  for (const [key, label] of labels.filter(([key]) => /^(model|measured)-/.test(key)))
    assert.match(label, key.startsWith('model-') ? /^model/ : /^measured/, `the ${key} curve is labelled '${label}'`);
  const model = sets['nature-pressure']['model-one'];
  assert.strictEqual(model.length, file.length);
  file.forEach((r, k) => {
    assert.ok(near(model[k].x, r.T_K) && near(model[k].y * 1000, r.p_model_Pa), `p model at ${r.T_K} K`);
    assert.ok(near(sets['nature-density']['model-liquid'][k].y, r.rho_liquid_model_kg_per_m3) &&
      near(sets['nature-latent']['model-one'][k].y * 1000, r.latent_heat_model_J_per_mol), `model at ${r.T_K} K`);
  });
  const measured = file.filter((r) => r.p_measured_Pa !== '');
  measured.forEach((r, k) => {
    assert.ok(near(sets['nature-pressure']['measured-one'][k].y * 1000, r.p_measured_Pa), `p measured at ${r.T_K} K`);
    assert.ok(near(sets['nature-density']['measured-vapour'][k].y, r.rho_vapour_measured_kg_per_m3) &&
      near(sets['nature-latent']['measured-one'][k].y * 1000, r.latent_heat_measured_J_per_mol), `measured at ${r.T_K} K`);
  });
  // Down to the triple point, 83.8058 K, and no lower.
  assert.ok(Math.abs(Math.min(...sets['nature-pressure']['measured-one'].map((q) => q.x)) - 83.8058) < 1e-9);
  // Its width near Tc is the file's, with a slope near 1/3.
  const widths = sets.exponent['fluid-width'];
  file.filter((r) => Number(r.t) >= 0.9895).forEach((r, k) => assert.ok(Math.abs(widths[k].y -
    (Number(r.rho_liquid_measured_per_rhoc) - Number(r.rho_vapour_measured_per_rhoc))) < 2e-8, `width at t = ${r.t}`));
  const slope = Number(await page.getAttribute('#exponent', 'data-fluid-exponent'));
  assert.ok(Math.abs(slope - 1 / 3) < 0.03, `argon's slope ${slope}`);
  assert.match(await page.textContent('#exponent-description'), new RegExp(`argon \\(Ar\\)'s.*${slope.toFixed(3)}`));
  // The chosen t, 0.700 (105.48 K), is marked on the SI charts and the Clapeyron chart.
  const marks = await page.evaluate(() => ['nature-pressure', 'nature-density', 'nature-latent', 'clapeyron']
    .map((name) => Chart.getChart(name).$marks[0].points.map((q) => q.x)));
  marks.slice(0, 3).forEach((xs) => xs.forEach((x) => assert.ok(Math.abs(x - 105.4809) < 1e-9, `marked at ${x}`)));
  assert.ok(Math.abs(marks[3][0] - 0.7) < 1e-12);
  // The readout at the chosen T gives the real argon's state there, from the
  // file's measured cells; below its triple point, that it is solid.
  const at07 = file.find((r) => r.t === '0.7');
  assert.match(await page.textContent('#readout'), new RegExp(`real, measuredp ${(Number(at07.p_measured_Pa) / 1000)
    .toPrecision(6)} kPa, liquid ${Number(Number(at07.rho_liquid_measured_kg_per_m3).toPrecision(5))} kg/m³`));
  await chooseT(page, '0.550');
  assert.match(await page.textContent('#readout'), /real, measuredbelow the triple point \(83\.8058 K\): the real fluid is solid here/);
  // Where the real argon boils at one atmosphere, from its curves; below its
  // triple point's pressure, it is solid.
  await page.click('#boil-form button');
  assert.match(await page.textContent('#boil-result'), /real, from its measured curves87\.30 K .*liquid density 1395 kg\/m³/);
  await page.fill('#boil-p', '50');
  await page.click('#boil-form button');
  assert.match(await page.textContent('#boil-result'), /the real fluid is solid/);
  assert.deepStrictEqual(await violations(page), []);
  await page.close();
});

test.exercises('an address the page cannot follow opens no exercise, and a t off the table finds at a t of it', async () => {
  const page = await open(`${fromDisk}?exercise=99&find=1&t=0.4`);
  await page.waitForFunction(() => !document.getElementById('find-p').disabled);
  assert.ok(await page.isHidden('#exercise-body'));
  const t = Number((await page.textContent('#find-task')).match(/t = ([0-9.]+)/)[1]);
  assert.ok(t >= 0.501 && t <= 0.999 && Number.isInteger(Math.round(t * 1000)), `t = ${t}`);
  await page.close();
});

test.screens('served over HTTP on a phone, the files are the same and the charts tall enough', async () => {
  const server = http.createServer((request, response) => {
    const file = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    fs.readFile(file.endsWith(path.sep) ? path.join(file, 'index.html') : file, (error, data) => {
      response.writeHead(error ? 404 : 200);
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    for (const width of [390, 320]) {
      const page = await open(`http://127.0.0.1:${server.address().port}/`, { width, height: 844 });
      await compute(page, '2.5');
      if (width === 390) {
        const files = await downloads(page);
        const expected = consoleFiles('2.5', 'http');
        files.forEach((file, k) => assert.ok(file.bytes.equals(expected[k]), `${file.name} over HTTP`));
        // The page offers itself as one file: the one the tests check.
        const [offered] = await Promise.all([page.waitForEvent('download'), page.click('#page-file')]);
        assert.strictEqual(offered.suggestedFilename(), 'vdwcoex.html');
        assert.ok(fs.readFileSync(await offered.path()).equals(fs.readFileSync(path.join(site, 'vdwcoex.html'))));
      }
      const heights = await page.evaluate(() => [...document.querySelectorAll('canvas[role=img]')]
        .filter((canvas) => canvas.offsetParent !== null).map((canvas) => canvas.getBoundingClientRect().height));
      heights.forEach((h) => assert.ok(h >= 240, `at ${width} px a chart is ${h} px tall`));
      const overflow = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
      assert.ok(overflow <= 0, `the page is ${overflow} px wider than a ${width} px screen`);
      await page.close();
    }
  } finally {
    server.close();
  }
});

test.files('when the program cannot be loaded, the page says so', async () => {
  const broken = path.join(scratch, 'broken');
  fs.cpSync(site, broken, { recursive: true });
  fs.rmSync(path.join(broken, 'vdwcoex.js'));
  const page = await browser.newPage();
  await page.goto(pathToFileURL(path.join(broken, 'index.html')).href);
  await page.waitForFunction(() => document.getElementById('status').className === 'error');
  assert.match(await page.textContent('#status'), /No se pudo cargar el programa/);
  assert.ok(await page.isDisabled('#run'));
  await page.close();
});

test.screens('nothing is wider than the screen at four sizes, in both languages, with and without a substance', async () => {
  const sizes = [[1280, 720], [1024, 768], [390, 844], [360, 640]];
  const wider = [];
  for (const [width, height] of sizes)
    for (const lang of ['es', 'en']) {
      const page = await open(`${fromDisk}?lang=${lang}`, { width, height });
      await compute(page, '1.5');
      for (const substance of [null, 'argon']) {
        if (substance) {
          const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
          const index = await page.evaluate((key) => vdwcoexPage.model.state.program.substances
            .findIndex((fluid) => fluid.key === key), substance);
          await page.selectOption('#fluid', String(index));
          await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
          await settle(page);
        }
        // The whole page scrolled through, as its parts are drawn on the way.
        const widest = await page.evaluate(async () => {
          let widest = document.documentElement.scrollWidth;
          for (let y = 0; y < document.documentElement.scrollHeight; y += innerHeight) {
            scrollTo(0, y);
            await new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done)));
            widest = Math.max(widest, document.documentElement.scrollWidth);
          }
          scrollTo(0, 0);
          return widest;
        });
        if (widest > width)
          wider.push(`${width}×${height} ${lang} ${substance || 'reduced'}: ${widest} px`);
      }
      // On a phone every scrolling region is reachable by keyboard.
      if (width < 400 && lang === 'es') {
        const found = await violations(page);
        assert.deepStrictEqual(found.filter((v) => v.startsWith('scrollable-region-focusable')), []);
      }
      await page.close();
    }
  assert.deepStrictEqual(wider, []);
});

test.maxwell('a state off the table is printed by the program, as the rows are: 0.5078125 as 0.507812', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await page.evaluate(() => vdwcoexPage.model.chooseAnyT(0.5078125));
  await settle(page);
  const fields = await page.evaluate(() => vdwcoexPage.model.chosenState().fields);
  assert.strictEqual(fields[0], '0.507812');
  assert.match(await page.textContent('#maxwell-description'), /t = 0\.507812/);
  await page.close();
});

test.units('axis labels: none overlap on the log axes, none grouped by a comma, and in a substance\'s units under four digits', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  await page.waitForSelector('#nature-view[data-fluids]');
  await settle(page);
  for (const id of ['exponent', 'vapour'])
    (await page.evaluate(labelsOf, id)).forEach((a) => assert.ok(!a.overlapping, `${id}: ${JSON.stringify(a)}`));
  const every = () => [...document.querySelectorAll('canvas')].map((canvas) => Chart.getChart(canvas)).filter(Boolean)
    .flatMap((chart) => ['x', 'y'].map((axisId) => ({ id: chart.canvas.id, axisId,
      title: chart.scales[axisId].options.title.text, labels: chart.scales[axisId].ticks.map((t) => String(t.label)) })));
  for (const key of [null, 'water', 'argon']) {
    if (key) {
      const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
      const index = await page.evaluate((k) => vdwcoexPage.model.state.program.substances.findIndex((f) => f.key === k), key);
      await page.selectOption('#fluid', String(index));
      await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
      await settle(page);
      await settle(page);
    }
    for (const { id, axisId, title, labels } of await page.evaluate(every)) {
      assert.ok(labels.every((label) => !label.includes(',')), `${key} ${id} ${axisId}: ${labels.join(' ')}`);
      if (key && /kPa|MPa|cm³|dm³/.test(title))
        assert.ok(labels.every((label) => Math.abs(Number(label)) < 1000), `${key} ${id} ${axisId} (${title}): ${labels.join(' ')}`);
    }
  }
  // Water's pressures in MPa, where kPa would run to tens of thousands.
  assert.strictEqual(await page.evaluate(() => Chart.getChart('pt').scales.y.options.title.text), 'p (MPa)');
  await page.close();
});

// The console program's state of a substance by an equation at T (K): its
// p/pc, reduced volumes in the equation's own Vc, p (Pa), liquid volume
// (cm3/mol), densities and latent heat, and the measured ones at that T.
function consoleEquation(substance, eos, temperature) {
  const run = spawnSync(program, ['--substance', substance, '--eos', eos, '--at-temperature', temperature],
    { input: '', encoding: 'utf8' });
  assert.strictEqual(run.status, 0, run.stderr);
  const out = run.stdout, number = (re) => Number(out.match(re)[1]);
  return { pReduced: number(/p\/pc = (\S+)/), vl: number(/\(v = ([\d.]+),/), vg: number(/\(v = [\d.]+, ([\d.]+) Vc/),
    p: number(/p {2}= ([\d.]+) Pa/), vLiquid: number(/líquido ([\d.]+) cm³\/mol/),
    liquid: number(/densidad: líquido ([\d.]+) kg/), latent: number(/calor latente ([\d.]+) kJ\/mol\n/),
    measured: { p: number(/medido a esta T: p = ([\d.]+) Pa/), liquid: number(/medido a esta T:.*líquido ([\d.]+) kg/),
      latent: number(/medido a esta T:.*calor latente ([\d.]+) kJ/) } };
}

test.maxwell('?eos=pr opens on Peng–Robinson: the Maxwell view draws and names it, at argon\'s 120 K the console\'s state; choosing another rewrites the address', async () => {
  const page = await open(fromDisk + '?eos=pr&lang=en');
  assert.strictEqual(await page.inputValue('#eos'), 'pr');
  await page.selectOption('#fluid', { label: 'argon (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  await page.fill('#t-kelvin', '120');
  await page.dispatchEvent('#t-kelvin', 'change');
  await settle(page);
  const pr = consoleEquation('argon', 'pr', '120');
  const title = await page.evaluate(() => Chart.getChart('maxwell').options.plugins.title.text);
  assert.match(title, /^Peng–Robinson: .*\(T = 120\.00 K\)$/);
  assert.match(await page.textContent('#t-note'), /^Peng–Robinson at t = /);
  assert.match(await page.textContent('#maxwell-description'), /^Peng–Robinson: /);
  assert.match(await page.textContent('#gibbs-description'), /^Peng–Robinson: /);
  assert.match(await page.textContent('#eos-note'), /ω = -0\.002, that of argon/);
  // The construction is the console's state: its p/pc, its volumes in
  // Peng and Robinson's own Vc, its pressure and liquid volume in SI.
  const areas = await page.evaluate(() => Object.assign({}, document.getElementById('areas').dataset));
  assert.ok(Math.abs(Number(areas.p) / pr.pReduced - 1) < 1e-9, `p ${areas.p} is not the console's ${pr.pReduced}`);
  assert.ok(Math.abs(Number(areas.liquid) / Number(areas.gas) - 1) < 1e-6, 'the areas are not equal');
  assert.match(await page.textContent('#maxwell-summary'), new RegExp(`^p = ${pr.pReduced.toFixed(6)} · vl = `));
  const tie = await page.evaluate(() => Chart.getChart('maxwell').data.datasets.find((d) => d.key === 'tie-line').data);
  assert.ok(Math.abs(tie[0].x - pr.vl) < 5e-6 && Math.abs(tie[1].x / pr.vg - 1) < 1e-5, `tie line ${JSON.stringify(tie)}`);
  assert.ok(Math.abs(tie[0].y / pr.pReduced - 1) < 1e-9);
  const readout = await page.textContent('#readout');
  assert.match(readout, new RegExp(`vapour p${(pr.p / 1000).toPrecision(6)} kPa`));
  const vLiquid = Number(readout.match(/liquid v([\d.]+) cm³\/mol/)[1]);
  assert.ok(Math.abs(vLiquid / pr.vLiquid - 1) < 1e-5, `liquid v ${vLiquid}, the console's ${pr.vLiquid}`);
  // The phase diagram is Peng and Robinson's too; the tables say they are not.
  assert.match(await page.evaluate(() => Chart.getChart('pv').options.plugins.title.text), /^Peng–Robinson: /);
  assert.strictEqual(await page.isVisible('#eos-tables-note'), true);
  assert.deepStrictEqual(await violations(page), [], 'with Peng–Robinson');
  // Another equation: the address follows; van der Waals's says nothing of it.
  await page.selectOption('#eos', 'srk');
  await settle(page);
  assert.match(page.url(), /\?eos=srk&lang=en$|\?lang=en&eos=srk$/);
  const srk = consoleEquation('argon', 'srk', '120');
  const p = await page.evaluate(() => Number(document.getElementById('areas').dataset.p));
  assert.ok(Math.abs(p / srk.pReduced - 1) < 1e-9, `Soave's p ${p}, the console's ${srk.pReduced}`);
  await page.selectOption('#eos', 'vdw');
  await settle(page);
  assert.ok(!/eos=/.test(page.url()), page.url());
  assert.doesNotMatch(await page.evaluate(() => Chart.getChart('maxwell').options.plugins.title.text), /Soave|Peng/);
  assert.strictEqual(await page.isVisible('#eos-tables-note'), false);
  await page.close();
});

test.nature('a chosen substance by all four equations: their curves beside the measured ones, their errors the console\'s, what each correction buys', async () => {
  const page = await open(fromDisk + '?lang=en');
  await page.waitForSelector('#nature-view[data-fluids]');
  await page.selectOption('#fluid', { label: 'argon (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  await page.waitForFunction(() => document.querySelectorAll('#eos-errors tbody tr').length > 0);
  const curves = await page.evaluate(() => ['nature-pressure', 'nature-density', 'nature-latent'].flatMap((name) =>
    Chart.getChart(name).data.datasets.filter((d) => d.key.startsWith('eos-')).map((d) => [name, d.key, d.label, d.data])));
  assert.strictEqual(curves.length, 12);
  const names = { rk: 'Redlich–Kwong', srk: 'Soave (SRK)', pr: 'Peng–Robinson' };
  for (const [chart, key, label, data] of curves) {
    assert.ok(label.startsWith(names[key.split('-')[1]]), `${chart} ${key} is labelled '${label}'`);
    assert.ok(data.length > 40 && Math.abs(data[0].x / (0.999 * 150.687) - 1) < 1e-9, `${chart} ${key}`);
  }
  // At T/Tc = 0.8 every equation's errors are those of the console's state
  // beside the measured one at that T.
  const rows = await page.evaluate(() => [...document.querySelectorAll('#eos-errors tbody tr')].map((tr) =>
    Object.assign({ cells: [...tr.children].map((td) => td.textContent) }, tr.dataset)));
  assert.strictEqual(rows.length, 16);
  for (const eos of ['vdw', 'rk', 'srk', 'pr']) {
    const row = rows.find((r) => r.eos === eos && r.t === '0.8');
    const x = consoleEquation('argon', eos, '120.5496');
    const expected = { p: x.p / x.measured.p - 1, liquid: x.liquid / x.measured.liquid - 1,
      latent: x.latent / x.measured.latent - 1 };
    for (const [k, tolerance] of [['p', 1e-6], ['liquid', 5e-5], ['latent', 5e-5]])
      assert.ok(Math.abs(Number(row[k]) - expected[k]) < tolerance, `${eos} ${k}: ${row[k]}, the console's ${expected[k]}`);
    const percent = (e) => (e >= 0 ? '+' : '−') + Math.abs(100 * e).toFixed(1) + ' %';
    assert.deepStrictEqual(row.cells.slice(1, 4), ['0.8', eos === 'srk' ? 'Soave (SRK)' : eos === 'vdw' ? 'van der Waals' :
      names[eos], percent(Number(row.p))]);
  }
  const buys = await page.textContent('#eos-buys');
  assert.match(buys, /Redlich–Kwong makes the attraction fall with T.*Soave fits that fall.*Peng–Robinson changes the repulsive volume/);
  assert.deepStrictEqual(await violations(page), [], 'the four equations against argon');
  await page.click('#language');
  assert.match(await page.textContent('#eos-buys'), /Peng–Robinson cambia el término del volumen repulsivo/);
  assert.match(await page.textContent('#eos-errors caption'), /^Error relativo de cada ecuación/);
  await page.close();
});

test.lab('with Peng–Robinson the cylinder and the heating follow it: two phases at the console\'s vapour pressure, boiling with its latent heat', async () => {
  const page = await open(fromDisk + '?eos=pr&lang=en');
  await page.selectOption('#fluid', { label: 'argon (Ar)' });
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  await chooseT(page, '0.900');
  const pr = consoleEquation('argon', 'pr', String(0.9 * 150.687));
  const at = async (v) => {
    await page.fill('#process-v-number', String(v));
    await page.dispatchEvent('#process-v-number', 'change');
    const x = await page.evaluate(() => Object.assign({}, document.getElementById('process-readout').dataset));
    return { p: Number(x.p), gas: Number(x.gas), phase: x.phase };
  };
  // In two phases the piston holds Peng and Robinson's vapour pressure, the
  // shares by the lever rule on its tie line, in its own Vc.
  const middle = await at((pr.vl + pr.vg) / 2);
  assert.strictEqual(middle.phase, 'two');
  assert.ok(Math.abs(middle.p / pr.pReduced - 1) < 1e-8, `p ${middle.p}, the console's ${pr.pReduced}`);
  assert.ok(Math.abs(middle.gas - 0.5) < 1e-5, `gas share ${middle.gas}`);
  const gas = await at(1.2 * pr.vg);
  assert.ok(gas.phase === 'gas' && gas.p < pr.pReduced);
  // Heating boils at that pressure and takes in the console's latent heat.
  const heating = await page.evaluate(() => {
    const model = window.vdwcoexPage.model;
    model.setHeatStep(20);
    const starts = model.heatingState();
    model.setHeatStep(40);
    const ends = model.heatingState();
    return { p: starts.p, heat: ends.heat - starts.heat, pathLatent: ends.path.latent,
      latent: model.toSi('e', ends.path.latent) / 1000 };
  });
  assert.ok(Math.abs(heating.p / pr.pReduced - 1) < 1e-8);
  assert.ok(Math.abs(heating.latent / pr.latent - 1) < 1e-5, `latent ${heating.latent} kJ/mol, the console's ${pr.latent}`);
  assert.ok(Math.abs(heating.heat / heating.pathLatent - 1) < 1e-6, 'the heat of boiling is not the latent heat');
  assert.match(await page.textContent('#eos-lab-note'), /follow the equation chosen/);
  await page.close();
});

test.maxwell('three views of one construction: f\'s tangent of slope −p touches at the row\'s vl and vg, a trial tangent at the stable end, and the derivations are mathematics', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const [rows] = coexistenceRows('1.5');
  const chartOf = () => page.evaluate(() => Object.fromEntries(Chart.getChart('helmholtz').data.datasets
    .map((d) => [d.key, d.data.map((q) => ({ x: q.x, y: q.y }))])));
  // f as drawn: straight between its points, at v.
  const fAt = (sets, v) => {
    for (const key of ['stable-liquid', 'metastable-liquid', 'unstable', 'metastable-gas', 'stable-gas']) {
      const data = sets[key];
      for (let k = 1; k < data.length; ++k)
        if (data[k - 1].x <= v && v <= data[k].x)
          return data[k - 1].y + (data[k].y - data[k - 1].y) * (v - data[k - 1].x) / (data[k].x - data[k - 1].x);
    }
    return NaN;
  };
  for (const t of ['0.850', '0.600']) {
    await chooseT(page, t);
    const [p, vl, vg] = rows.find((fields) => fields[0] === t + '000').slice(1, 4).map(Number);
    const sets = await chartOf();
    const [a, b] = sets['common-tangent'];
    assert.ok(Math.abs(a.x - vl) < 1e-6 && Math.abs(b.x - vg) < 1e-6 * vg, `t = ${t}: touches at ${a.x}, ${b.x}`);
    assert.ok(Math.abs((b.y - a.y) / (b.x - a.x) + p) < 1e-6, `t = ${t}: slope ${(b.y - a.y) / (b.x - a.x)}, p ${p}`);
    assert.deepStrictEqual(sets.touching.map((q) => q.x), [a.x, b.x]);
    sets.touching.forEach((q, k) => assert.ok(Math.abs(q.y - [a, b][k].y) < 1e-6, `t = ${t}: off f at ${q.x}`));
    // Between the touching points f lies above the line: the line is the stable state.
    for (const share of [0.2, 0.5, 0.8]) {
      const v = a.x + (b.x - a.x) * share;
      assert.ok(fAt(sets, v) > a.y + (b.y - a.y) * share, `t = ${t}: f under the tangent at ${v}`);
    }
    assert.match(await page.textContent('#helmholtz-description'), new RegExp(`vl = ${vl.toFixed(6)}.*vg = ${vg.toFixed(6)}`));
  }
  assert.match(await page.textContent('#helmholtz-legend'), /tangente común/);
  assert.match(await page.textContent('#three-views'), /mismos vl, vg y p/);
  // The trial pressure moves a trial tangent: it touches at the trial line's
  // liquid end above the vapour pressure and misses f at the gas end by the
  // areas' difference.
  await chooseT(page, '0.85');
  await page.focus('#p-trial');
  for (let k = 0; k < 20; k++)
    await page.keyboard.press('ArrowRight');
  await settle(page);
  const areas = await page.evaluate(() => ({ ...document.getElementById('areas').dataset }));
  const trialLine = await page.evaluate(() => Chart.getChart('maxwell').data.datasets.find((d) => d.key === 'trial-line').data);
  const sets = await chartOf();
  assert.deepStrictEqual(sets['common-tangent'], []);
  const [a, b] = sets['trial-tangent'];
  assert.ok(Math.abs((b.y - a.y) / (b.x - a.x) + Number(areas.p)) < 1e-9, 'the trial tangent\'s slope is not −p');
  assert.deepStrictEqual(sets.touching.map((q) => q.x), [trialLine[0].x]);
  const [gapLine, gapF] = sets['tangent-gap'];
  assert.strictEqual(gapLine.x, trialLine[1].x);
  assert.ok(Math.abs((gapF.y - gapLine.y) - Math.abs(Number(areas.difference))) < 1e-9,
    `gap ${gapF.y - gapLine.y}, areas' difference ${areas.difference}`);
  // The derivations: at least four formulas as MathML beside their figures,
  // in both languages, and nothing wider than the screen on a phone.
  const derivations = () => page.evaluate(() => [...document.querySelectorAll('details.derivation')].map((d) => ({
    id: d.id, title: d.querySelector('summary').textContent, formulas: d.querySelectorAll('math').length })));
  const spanish = await derivations();
  assert.ok(spanish.length >= 5 && spanish.every((d) => d.formulas >= 1 && d.title), JSON.stringify(spanish));
  assert.ok(spanish.reduce((n, d) => n + d.formulas, 0) >= 6);
  await page.click('#language');
  const english = await derivations();
  assert.ok(english.every((d, k) => d.title && d.title !== spanish[k].title), JSON.stringify(english));
  await page.evaluate(() => document.querySelectorAll('details.derivation').forEach((d) => { d.open = true; }));
  assert.deepStrictEqual(await violations(page), []);
  await page.setViewportSize({ width: 360, height: 740 });
  const wide = await page.evaluate(() => [...document.querySelectorAll('details.derivation, details.derivation *')]
    .filter((el) => el.getBoundingClientRect().right > document.documentElement.clientWidth + 1).map((el) => el.tagName));
  assert.deepStrictEqual(wide, []);
  await page.close();
});

test.exercises('another draws new numbers whose answer is still the program\'s, and a usual mistake is named', async () => {
  const [rows] = coexistenceRows('1.5');
  const row = (t) => rows.find((fields) => fields[0] === Number(t).toFixed(6)).map(Number);
  const atT = (key, kelvin) => spawnSync(program, ['--substance', key, '--at-temperature', String(kelvin)],
    { encoding: 'utf8' }).stdout.match(/líquido ([0-9.]+) cm³\/mol, gas ([0-9.]+) cm³\/mol/).slice(1).map(Number);
  const feedback = (page) => page.evaluate(() => Object.assign({ mistakeText: document.getElementById('exercise-mistake').textContent,
    mistakeShown: !document.getElementById('exercise-mistake').hidden }, document.getElementById('exercise-feedback').dataset));
  const reply = async (page, value) => {
    await page.fill('#exercise-number', String(value));
    await page.click('#exercise-form button[type=submit]');
    return feedback(page);
  };
  // Exercise 3 drawn afresh: a new t and v, the page set to them, the
  // program's answer the console's row's lever, and the gas's share named.
  const page = await open(`${fromDisk}?exercise=3&seed=11`);
  await page.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
  const before = await page.textContent('#exercise-question');
  await page.click('#exercise-another');
  await settle(page);
  const question = await page.textContent('#exercise-question');
  assert.notStrictEqual(question, before);
  const [, t, v] = question.match(/t = ([0-9,]+), un mol ocupa v = ([0-9,]+)/).map((x) => x && Number(x.replace(',', '.')));
  assert.strictEqual(Number(await page.inputValue('#process-v-number')), v);
  assert.strictEqual(Number(await page.inputValue('#t-number')), t);
  const [, , vl, vg] = row(t);
  const liquid = 100 * (vg - v) / (vg - vl);
  const gasShare = await reply(page, (100 - liquid).toFixed(2));
  assert.ok(Math.abs(Number(gasShare.expected) - liquid) < 1e-3, `${gasShare.expected} against the row's ${liquid}`);
  assert.deepStrictEqual([gasShare.right, gasShare.mistake, gasShare.mistakeShown], ['false', 'leverReversed', true]);
  assert.match(gasShare.mistakeText, /palanca al revés/);
  const right = await reply(page, liquid.toFixed(2));
  assert.deepStrictEqual([right.right, right.mistake, right.mistakeShown], ['true', '', false]);
  await page.close();
  // The other usual mistakes, each on the exercise as written.
  const [plmin, , pgmax] = row(0.9).slice(5, 8);
  const [vlArgon, vgArgon] = atT('argon', 120);
  const boiling = Number(spawnSync(program, ['--substance', 'argon', '--at-pressure', '101325'], { encoding: 'utf8' })
    .stdout.match(/t = T\/Tc = ([0-9.]+)/)[1]);
  const cases = [[1, plmin, 'limitPressure', /límite de estabilidad/], [1, pgmax, 'limitPressure', /límite/],
    [4, vlArgon, 'liquidForGas', /volumen del líquido/], [5, vgArgon, 'gasForLiquid', /volumen del gas/],
    [7, boiling, 'reducedForKelvin', /t reducida/], [7, 20, '', /^$/]];
  for (const [n, value, name, said] of cases) {
    const at = await open(`${fromDisk}?exercise=${n}`);
    await at.waitForFunction(() => Number(document.body.dataset.runs || 0) > 0);
    const shown = await reply(at, Number(value.toPrecision(6)));
    assert.deepStrictEqual([shown.right, shown.mistake], ['false', name], `exercise ${n}, ${value}`);
    assert.match(shown.mistakeText, said);
    await at.close();
  }
});

test.exercises('the worksheet lays the exercises out for printing without an answer; its key has the program\'s for the same seed', async () => {
  const sheetOf = async (address) => {
    const page = await open(fromDisk + address);
    await page.waitForSelector('#worksheet-list li');
    const items = await page.evaluate(() => [...document.querySelectorAll('#worksheet-list li')].map((li) => ({
      text: li.innerText, question: li.querySelector('p').textContent, answer: li.dataset.answer,
      uses: li.querySelector('.uses').textContent, room: Boolean(li.querySelector('.answer-space')) })));
    return { page, items };
  };
  const sheet = await sheetOf('?worksheet=1&seed=7');
  const key = await sheetOf('?worksheet=1&key=1&seed=7');
  assert.strictEqual(sheet.items.length, 7);
  assert.deepStrictEqual(sheet.items.map((q) => q.question), key.items.map((q) => q.question));
  assert.ok(sheet.items.every((q) => q.room && q.answer === undefined && /^Usa: ./.test(q.uses)));
  // Printed, the sheet is the exercises only, and none of the key's answers.
  await sheet.page.emulateMedia({ media: 'print' });
  const printed = await sheet.page.evaluate(() => document.body.innerText);
  assert.doesNotMatch(printed, /Respuesta|Calcular|Construcción de Maxwell/);
  for (const q of key.items)
    assert.ok(!/^-?[0-9.]+$/.test(q.answer) || !printed.includes(Number(q.answer).toPrecision(4)),
      `the sheet gives ${q.answer} away`);
  // The key's answers are the program's, worked out again by the console.
  const [rows] = coexistenceRows('1.5');
  const row = (t) => rows.find((fields) => fields[0] === Number(t).toFixed(6)).map(Number);
  const number = (text, pattern) => Number(text.match(pattern)[1].replace(',', '.'));
  const tIn = (text) => number(text, /t = (\d+(?:,\d+)?)/);
  const [q1, , q3, q4, q5, , q7] = key.items;
  assert.ok(Math.abs(Number(q1.answer) - row(tIn(q1.question))[1]) < 1e-6, q1.question);
  const [, , vl, vg] = row(tIn(q3.question));
  const v = number(q3.question, /v = (\d+(?:,\d+)?)/);
  assert.ok(Math.abs(Number(q3.answer) - 100 * (vg - v) / (vg - vl)) < 1e-3, q3.question);
  const keys = { argón: 'argon', nitrógeno: 'nitrogen', oxígeno: 'oxygen', metano: 'methane', neón: 'neon',
    agua: 'water', amoníaco: 'ammonia' };
  const substanceIn = (q) => keys[q.uses.match(/Usa: (\S+)/)[1]];
  for (const [q, k] of [[q4, 1], [q5, 0]]) {
    const volumes = spawnSync(program, ['--substance', substanceIn(q), '--at-temperature',
      String(number(q.question, /a ([0-9]+) K/))], { encoding: 'utf8' }).stdout
      .match(/líquido ([0-9.]+) cm³\/mol, gas ([0-9.]+) cm³\/mol/).slice(1).map(Number);
    assert.ok(Math.abs(Number(q.answer) / volumes[k] - 1) < 1e-4, `${q.question}: ${q.answer}, ${volumes[k]}`);
  }
  const boiling = Number(spawnSync(program, ['--substance', substanceIn(q7), '--at-pressure', '101325'],
    { encoding: 'utf8' }).stdout.match(/T {2}= ([0-9.]+) K/)[1]);
  assert.ok(Math.abs(Number(q7.answer) - boiling) < 1e-6, `${q7.answer}, ${boiling}`);
  assert.deepStrictEqual(await violations(key.page), []);
  // Another seed, another sheet; none, the exercises as the page gives them.
  const other = await sheetOf('?worksheet=1&seed=8');
  assert.notDeepStrictEqual(other.items.map((q) => q.question), sheet.items.map((q) => q.question));
  const written = await sheetOf('?worksheet=1');
  assert.match(written.items[3].question, /argón a 120 K/);
  for (const page of [sheet.page, key.page, other.page, written.page])
    await page.close();
});

test.chapters('each address opens its chapter, marked in the navigation, in both languages; the lab on one screen', async () => {
  for (const [lang, name] of [['es', 'Laboratorio'], ['en', 'Lab']]) {
    const page = await open(`${fromDisk}?lang=${lang}#lab`, { width: 1280, height: 720 });
    await computeInPlace(page, '1.5');
    await settle(page);
    assert.deepStrictEqual(await page.evaluate(() => [...document.querySelectorAll('#chapters [aria-current]')]
      .map((link) => link.getAttribute('href'))), ['#lab']);
    assert.strictEqual(await page.textContent('#chapters [aria-current]'), name);
    // The cylinder, the p–v isotherm with its tie line and the g–p chart,
    // all on the screen together, the charts the Maxwell view's own.
    assert.deepStrictEqual(await page.evaluate(inView, ['cylinder', 'maxwell', 'gibbs', 'process-v']),
      ['cylinder', 'maxwell', 'gibbs', 'process-v']);
    assert.deepStrictEqual(await page.evaluate(() => ['maxwell', 'gibbs'].map((id) =>
      document.getElementById(id).closest('.chapter').id)), ['lab', 'lab']);
    assert.strictEqual(await page.locator('canvas#maxwell').count(), 1);
    assert.ok(await page.evaluate(() => Chart.getChart('maxwell').scales.x.max >= vdwcoexPage.model.processRange()[1]),
      'the piston\'s largest volume is off the p–v chart');
    // Each chapter in view by its link, marked, and no accessibility violation.
    if (lang === 'es')
      for (const chapter of ['lab', 'isotherm', 'diagram', 'nature', 'exercises', 'tables']) {
        await page.click(`#chapters a[href="#${chapter}"]`);
        await page.waitForFunction((hash) => document.querySelector('#chapters [aria-current]').hash === hash, '#' + chapter);
        assert.deepStrictEqual(await violations(page), [], chapter);
      }
    // Another chapter from the navigation: marked, in view, and the charts
    // back in the Maxwell view.
    await page.click('#chapters a[href="#diagram"]');
    await page.waitForFunction(() => document.querySelector('#chapters [aria-current]').hash === '#diagram');
    assert.deepStrictEqual(await page.evaluate(inView, ['diagram-heading']), ['diagram-heading']);
    assert.strictEqual(await page.evaluate(() => document.getElementById('maxwell').closest('.chapter').id), 'isotherm');
    await page.close();
  }
  // On a phone, the cylinder and the piston's slider with a chart of its state.
  for (const [width, height] of [[390, 844], [360, 640]]) {
    const page = await open(`${fromDisk}#lab`, { width, height });
    await computeInPlace(page, '1.5');
    await settle(page);
    const seen = await page.evaluate(inView, ['cylinder', 'process-v', 'maxwell']);
    assert.deepStrictEqual(seen, ['cylinder', 'process-v', 'maxwell'], `${width}×${height}`);
    await page.close();
  }
});

test.chapters('presenting: text 1.35 times larger, the chart as tall as the screen allows, numbers revealed one by one, keys move between chapters', async () => {
  const viewport = { width: 1280, height: 720 };
  const plain = await open(fromDisk, viewport);
  const plainSize = await plain.evaluate(() => parseFloat(getComputedStyle(document.getElementById('readout')).fontSize));
  await plain.close();
  const page = await open(fromDisk + '?present=1', viewport);
  const size = await page.evaluate(() => parseFloat(getComputedStyle(document.getElementById('readout')).fontSize));
  assert.ok(size >= 1.35 * plainSize, `text ${size} px against ${plainSize} px`);
  assert.strictEqual(await page.getAttribute('#present', 'aria-pressed'), 'true');
  await computeInPlace(page, '1.5');
  await settle(page);
  const chart = await page.evaluate(() => document.getElementById('maxwell').getBoundingClientRect().height);
  assert.ok(chart >= 0.6 * 720, `the chart is ${chart} px tall`);
  const shown = () => page.evaluate(() => [...document.querySelectorAll('#readout dd')]
    .map((dd) => getComputedStyle(dd).visibility === 'visible'));
  const before = await shown();
  assert.ok(before.length > 3 && before.every((seen) => !seen), 'a number is in sight before it is revealed');
  await page.locator('body').press('n');
  await page.click('#reveal');
  assert.deepStrictEqual((await shown()).slice(0, 3), [true, true, false]);
  // A view that redraws keeps the rest hidden.
  await page.evaluate(() => vdwcoexPage.model.chooseT(800, false));
  await settle(page);
  assert.deepStrictEqual((await shown()).slice(0, 3), [true, true, false]);
  assert.deepStrictEqual(await violations(page), [], 'presenting');
  // PageDown: the lab, its numbers hidden again; PageUp: back.
  await page.locator('body').press('PageDown');
  await page.waitForFunction(() => document.querySelector('#chapters [aria-current]').hash === '#lab');
  await settle(page);
  assert.deepStrictEqual(await page.evaluate(inView, ['process-heading']), ['process-heading']);
  assert.ok(await page.evaluate(() => [...document.querySelectorAll('#process-energy dd')]
    .every((dd) => getComputedStyle(dd).visibility === 'hidden')));
  await page.locator('body').press('PageUp');
  await page.waitForFunction(() => document.querySelector('#chapters [aria-current]').hash === '#isotherm');
  // The switch turns it off: every number in sight.
  await page.click('#present');
  assert.ok((await shown()).every((seen) => seen));
  await page.close();
  // On a phone the larger text fits the screen's width, in each chapter.
  const phone = await open(fromDisk + '?present=1', { width: 360, height: 640 });
  await computeInPlace(phone, '1.5');
  for (let k = 0; k < 6; k++) {
    await settle(phone);
    assert.ok(await phone.evaluate(() => document.documentElement.scrollWidth <= innerWidth),
      `presenting, chapter ${k + 1} is wider than a phone`);
    await phone.locator('body').press('PageDown');
  }
  await phone.close();
});
