// How long the page takes from Enter to everything painted, by the
// browser's Event Timing (the keyboard event's duration: from the key press
// to the paint after the page's work) and by the page's own figure. Prints
// the medians of first runs (each in a freshly opened page) and of repeated
// runs. A measurement, not a test: it fails only if the page does.
//
//   node benchmark.cjs SITE_FOLDER [FIRST_RUNS [REPEATS]]
// with playwright-core on NODE_PATH.
'use strict';
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { chromium } = require('playwright-core');

const [site, firstRuns = '7', repeats = '21'] = process.argv.slice(2);
const url = pathToFileURL(path.join(path.resolve(site), 'index.html')).href;

const median = (xs) => xs.slice().sort((a, b) => a - b)[Math.floor(xs.length / 2)];

async function timedRun(page, reply) {
  const runs = await page.evaluate(() => Number(document.body.dataset.runs || 0));
  await page.evaluate(() => { window.timings = []; });
  await page.fill('#c', reply);
  await page.press('#c', 'Enter');
  await page.waitForFunction((n) => Number(document.body.dataset.runs || 0) > n, runs);
  await page.waitForTimeout(300);  // Event Timing reports after the paint
  return page.evaluate(() => ({
    event: Math.max(0, ...window.timings.filter((e) => /^key|^submit/.test(e.name)).map((e) => e.duration)),
    page: Number(document.body.dataset.ms),
  }));
}

async function open(browser) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 900 } });
  await page.goto(url);
  await page.waitForSelector('#run:not([disabled])');
  await page.evaluate(() => {
    window.timings = [];
    new PerformanceObserver((list) => window.timings.push(...list.getEntries()))
      .observe({ type: 'event', durationThreshold: 16, buffered: true });
  });
  return page;
}

(async () => {
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu'] });
  const first = [];
  for (let i = 0; i < Number(firstRuns); i++) {
    const page = await open(browser);
    first.push(await timedRun(page, '1.5'));
    await page.close();
  }
  const page = await open(browser);
  await timedRun(page, '1.5');
  const repeated = [];
  for (let i = 0; i < Number(repeats); i++)
    repeated.push(await timedRun(page, i % 2 ? '1.5' : '2.5'));
  await browser.close();
  for (const [name, list] of [['first run', first], ['repeated run', repeated]])
    console.log(`${name}: Enter to paint, median ${median(list.map((r) => r.event))} ms (Event Timing), ` +
      `${median(list.map((r) => r.page))} ms (the page's own figure), over ${list.length} runs`);
})().catch((error) => { console.error(error); process.exit(1); });
