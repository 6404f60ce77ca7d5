// The browser page in headless Chromium (Debian's, driven by playwright-core):
// it must write the console program's reports byte for byte.
//
//   node page_test.cjs SITE_FOLDER NATIVE_PROGRAM
// with playwright-core on NODE_PATH; VDWCOEX_SCREENSHOT=file.png also saves a
// picture of the page after a run with c = 1.5.
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
const replies = ['1.5', '2.5', 'abc', '', '1,5', '0x1.8p1', '1e8'];
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'vdwcoex-web-'));
const fileNames = ['vdw_coex.dat', 'clatente.dat', 'vdw_coex.csv', 'clatente.csv'];
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

// The reports the console program writes for the reply.
function consoleReports(reply, index) {
  const dir = path.join(scratch, 'console-' + index);
  fs.mkdirSync(dir);
  const run = spawnSync(program, ['--csv'], { cwd: dir, input: reply });
  assert.strictEqual(run.status, 0, 'the console program failed');
  return fileNames.map((name) => fs.readFileSync(path.join(dir, name)));
}

async function open(url, viewport = { width: 1280, height: 900 }) {
  const page = await browser.newPage({ acceptDownloads: true, viewport });
  await page.goto(url);
  return page;
}

// Types the reply, presses Enter and waits until everything is shown;
// returns the milliseconds that took.
async function compute(page, reply) {
  await page.waitForSelector('#run:not([disabled])');
  const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.fill('#c', reply);
  const started = Date.now();
  await page.press('#c', 'Enter');
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
  return Date.now() - started;
}

async function downloads(page) {
  const files = [];
  for (const link of ['#coex-file', '#prop-file', '#coex-csv', '#prop-csv']) {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click(link)]);
    files.push({ name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) });
  }
  return files;
}

test('opened from disk, every reply gives the console program\'s reports, within a second', async () => {
  const page = await open(pathToFileURL(path.join(site, 'index.html')).href);
  for (const [index, reply] of replies.entries()) {
    const ms = await compute(page, reply);
    assert.ok(ms < 1000, `reply '${reply}': ${ms} ms from Enter to everything shown`);
    const expected = consoleReports(reply, index);
    const files = await downloads(page);
    assert.deepStrictEqual(files.map((f) => f.name), fileNames);
    files.forEach((file, k) => assert.ok(file.bytes.equals(expected[k]),
      `reply '${reply}': ${file.name} differs from the console program's`));
    console.log(`reply '${reply}': same reports, shown in ${ms} ms`);
  }
  if (process.env.VDWCOEX_SCREENSHOT) {
    await compute(page, '1.5');
    await page.screenshot({ path: process.env.VDWCOEX_SCREENSHOT, fullPage: true });
  }
  await page.close();
});

test('the table holds all 499 rows, the trace is shown and the three charts are drawn', async () => {
  const page = await open(pathToFileURL(path.join(site, 'index.html')).href);
  await compute(page, '1.5');
  assert.strictEqual(await page.locator('#table tbody tr').count(), 499);
  assert.match(await page.textContent('#trace'), /proceso para t = 0\.95[\s\S]*v: 0\.786967/);
  const drawn = await page.evaluate(() => ['pv', 'pt', 'heat'].map((id) => {
    const chart = Chart.getChart(id);
    return chart ? chart.data.datasets.reduce((n, d) => n + d.data.length, 0) : 0;
  }));
  drawn.forEach((points) => assert.ok(points >= 499, `a chart has only ${points} points`));
  await page.close();
});

test('served over HTTP and on a phone-sized screen it works the same', async () => {
  const server = http.createServer((request, response) => {
    const file = path.join(site, decodeURIComponent(new URL(request.url, 'http://x').pathname));
    fs.readFile(file.endsWith(path.sep) ? path.join(file, 'index.html') : file, (error, data) => {
      response.writeHead(error ? 404 : 200);
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    const page = await open(`http://127.0.0.1:${server.address().port}/`, { width: 390, height: 844 });
    await compute(page, '2.5');
    const files = await downloads(page);
    const expected = consoleReports('2.5', 'http');
    files.forEach((file, k) => assert.ok(file.bytes.equals(expected[k]), `${file.name} over HTTP`));
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - innerWidth);
    assert.ok(overflow <= 0, `the page is ${overflow} px wider than a phone's screen`);
    await page.close();
  } finally {
    server.close();
  }
});

test('when the program cannot be loaded, the page says so', async () => {
  const broken = path.join(scratch, 'broken');
  fs.cpSync(site, broken, { recursive: true });
  fs.rmSync(path.join(broken, 'vdwcoex.js'));
  const page = await open(pathToFileURL(path.join(broken, 'index.html')).href);
  await page.waitForFunction(() => document.getElementById('status').className === 'error');
  assert.match(await page.textContent('#status'), /No se pudo cargar el programa/);
  assert.ok(await page.isDisabled('#run'));
  await page.close();
});
