// The browser page in headless Chromium (Debian's, driven by playwright-core):
// it must write the console program's files byte for byte, show the Maxwell
// construction and what c changes, and be usable by everyone.
//
//   node page_test.cjs SITE_FOLDER NATIVE_PROGRAM
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

const [site, program] = process.argv.slice(2).map((arg) => path.resolve(arg));
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
  await page.waitForSelector('#run:not([disabled])');
  return page;
}

// Types the reply, presses Enter and waits until everything is painted.
async function compute(page, reply) {
  const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.fill('#c', reply);
  await page.press('#c', 'Enter');
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
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

// Serious and critical accessibility violations, by axe-core.
async function violations(page) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const result = await page.evaluate(() => axe.run(document));
  return result.violations.filter((v) => v.impact === 'serious' || v.impact === 'critical')
    .map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
}

test('every reply, a million and a half characters long or nan, gives the console program\'s files', async () => {
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
  // What nan and a non-positive c mean is said beside the files.
  await compute(page, 'nan');
  assert.match(await page.textContent('#c-note'), /no es un número/);
  await compute(page, '1.5');
  assert.ok(await page.isHidden('#c-note'));
  await page.close();
});

test('a module that traps says so and is loaded again', async () => {
  const page = await open(fromDisk);
  await page.evaluate(() => {
    program._vdw_run = () => { throw new WebAssembly.RuntimeError('memory access out of bounds'); };
  });
  await page.fill('#c', '2.5');
  await page.press('#c', 'Enter');
  await page.waitForFunction(() => /se ha vuelto a cargar/.test(document.getElementById('status').textContent));
  await compute(page, '2.5');
  assert.strictEqual((await downloads(page))[1].bytes.equals(consoleFiles('2.5', 'trap')[1]), true);
  await page.close();
});

test('the Maxwell view shows the row\'s p, vl and vg and two equal areas at any temperature', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  const rows = consoleFiles('1.5', 'maxwell')[0].toString('latin1')
    .split('\r\n').filter((line) => /^ 0\.\d{6} /.test(line)).map((line) => line.trim().split(/\s+/));
  for (const t of ['0.999', '0.950', '0.700', '0.501']) {
    await page.fill('#t-number', t);
    await page.dispatchEvent('#t-number', 'change');
    const row = rows.find((fields) => fields[0] === t + '000');
    const readout = await page.textContent('#readout');
    for (const value of row.slice(1, 4))
      assert.ok(readout.includes(value), `t = ${t}: ${value} is not shown in '${readout}'`);
    const areas = await page.evaluate(() => document.getElementById('areas').dataset);
    assert.ok(Number(areas.liquid) > 0, `t = ${t}: no area`);
    assert.ok(Math.abs(areas.liquid - areas.gas) < 1e-5, `t = ${t}: areas ${areas.liquid} and ${areas.gas}`);
    const drawn = await page.evaluate(() => ['tie-line', 'area-liquid', 'area-gas', 'unstable']
      .map((key) => Chart.getChart('maxwell').data.datasets.find((d) => d.key === key).data.length));
    drawn.forEach((n) => assert.ok(n >= 2, `t = ${t}: a part of the construction is not drawn`));
  }
  // The keyboard moves the slider one row at a time; a table row selects its t.
  await page.focus('#t-range');
  await page.keyboard.press('End');
  await page.keyboard.press('ArrowLeft');
  assert.strictEqual(await page.inputValue('#t-number'), '0.998');
  await page.click('#table tbody tr[data-row="1"]');
  assert.match(await page.textContent('#readout-heading'), /0\.998000/);
  // The lever rule at a typed volume, then at one dragged to the tie line's
  // gas end: the shares from the model.
  await page.fill('#t-number', '0.85');
  await page.dispatchEvent('#t-number', 'change');
  await page.fill('#v-operating', '1.5');
  await page.dispatchEvent('#v-operating', 'change');
  assert.match(await page.textContent('#fractions'), /líquido 63\.2 %, gas 36\.8 %/);
  const box = await page.locator('#maxwell').boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  await page.mouse.move(box.x + box.width - 2, box.y + box.height / 2);
  await page.mouse.up();
  assert.match(await page.textContent('#fractions'), /líquido 0\.0 %, gas 100\.0 %/);
  assert.strictEqual(await page.inputValue('#v-operating'), '3.127639');
  if (process.env.VDWCOEX_SCREENSHOT) {
    await page.fill('#t-number', '0.85');
    await page.dispatchEvent('#t-number', 'change');
    await page.locator('#maxwell-view').screenshot({ path: process.env.VDWCOEX_SCREENSHOT });
  }
  await page.close();
});

test('the coexistence table holds every row, though only those in view are in the page', async () => {
  const page = await open(fromDisk);
  await compute(page, '1.5');
  assert.strictEqual(await page.getAttribute('#table', 'aria-rowcount'), '500');
  assert.ok(await page.locator('#table tbody tr[data-row]').count() < 100);
  await page.evaluate(() => { const box = document.getElementById('coexistence-box'); box.scrollTop = box.scrollHeight; });
  await page.waitForSelector('#table tbody tr[data-row="498"]');
  assert.match(await page.textContent('#table tbody tr[data-row="498"]'), /^0\.501000/);
  await page.close();
});

test('in dark mode the charts\' text is light', async () => {
  const page = await browser.newPage({ colorScheme: 'dark' });
  await page.goto(fromDisk);
  await page.waitForSelector('#run:not([disabled])');
  const colour = await page.evaluate(() => Chart.getChart('pv').options.scales.x.ticks.color);
  const [r, g, b] = colour.match(/[0-9a-f]{2}/gi).map((h) => parseInt(h, 16));
  assert.ok(r + g + b > 600, `tick text ${colour} on a dark page`);
  await page.close();
});

test('a new c changes the properties shown', async () => {
  const page = await open(fromDisk);
  const shown = async () => page.evaluate(() => [document.querySelector('#properties-table tbody').textContent,
    JSON.stringify(Chart.getChart('properties').data.datasets.map((d) => d.data.slice(0, 5)))]);
  await compute(page, '1.5');
  const before = await shown();
  await compute(page, '2.5');
  const after = await shown();
  assert.notStrictEqual(after[0], before[0], 'the property table did not change');
  assert.notStrictEqual(after[1], before[1], 'the property chart did not change');
  await page.check('#limit-rows');
  assert.match(await page.textContent('#properties-table tbody'), /límite líquido/);
  await page.close();
});

test('no serious accessibility violation before a run, after it and in the Maxwell view', async () => {
  const page = await open(fromDisk);
  assert.deepStrictEqual(await violations(page), [], 'before a run');
  await compute(page, '1.5');
  assert.deepStrictEqual(await violations(page), [], 'after a run');
  await page.fill('#t-number', '0.6');
  await page.dispatchEvent('#t-number', 'change');
  await page.focus('#t-range');
  assert.deepStrictEqual(await violations(page), [], 'in the Maxwell view');
  for (const id of ['maxwell', 'pv', 'properties'])
    assert.ok((await page.textContent(`#${id}-description`)).length > 40, `${id} has no text alternative`);
  await page.close();
});

test('?lang=en shows the page in English and the files stay the same', async () => {
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

test('served over HTTP on a phone, the files are the same and the charts tall enough', async () => {
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
      }
      const heights = await page.evaluate(() => [...document.querySelectorAll('canvas')]
        .map((canvas) => canvas.getBoundingClientRect().height));
      heights.forEach((h) => assert.ok(h >= 240, `at ${width} px a chart is ${h} px tall`));
      const overflow = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
      assert.ok(overflow <= 0, `the page is ${overflow} px wider than a ${width} px screen`);
      await page.close();
    }
  } finally {
    server.close();
  }
});

test('when the program cannot be loaded, the page says so', async () => {
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
