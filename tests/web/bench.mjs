// The web page's benchmark, beside the native one (scripts/bench runs both): what the site's files
// weigh, how soon the sample's week shows after navigation, a change of week, and a 100 MB data
// file against orbelquint-week on the same file, with the page's longest stall meanwhile and the
// module's memory. Usage: node bench.mjs SITE-FOLDER FILE-OF-100-MB TOOL
import { execFileSync, spawn } from 'node:child_process';
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { resolve } from 'node:path';
import { chromium } from '@playwright/test';

import { loadCore, root, timetableOf } from './core.mjs';

const [site, large, tool] = process.argv.slice(2);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const kib = (bytes) => `${(bytes / 1024).toFixed(0)} KB`;

console.log('The site\'s files, before compression:');
let total = 0;
for (const name of readdirSync(site).sort()) {
  const size = statSync(resolve(site, name)).size;
  total += size;
  console.log(`  ${name.padEnd(26)} ${kib(size).padStart(7)}`);
}
console.log(`  ${'together'.padEnd(26)} ${kib(total).padStart(7)}`);

const port = 8767;
const server = spawn('python3', [resolve(root, 'scripts/serve-site.py'), site, String(port)], { stdio: 'ignore' });
await new Promise((done) => setTimeout(done, 1000));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run'],
});
const address = `http://127.0.0.1:${port}/`;

// The resident memory of the browser's renderers (where the page and its worker run), in bytes.
function rendererMemory() {
  const processes = execFileSync('ps', ['-eo', 'rss=,args=']).toString().split('\n');
  return processes.filter((line) => line.includes('--type=renderer'))
    .reduce((sum, line) => sum + Number(line.trim().split(/\s+/)[0]) * 1024, 0);
}

// Milliseconds from `action` until the frame shows another document, measured in the page.
async function untilShown(page, action) {
  const shown = page.evaluate(() => new Promise((done) => {
    const frame = document.getElementById('weekpagina');
    const start = performance.now();
    new MutationObserver((_, observer) => { observer.disconnect(); done(performance.now() - start); })
      .observe(frame, { attributes: true, attributeFilter: ['srcdoc'] });
  }));
  await action();
  return shown;
}

// Milliseconds from a click on the button `id`, made in the page itself (not through the driver,
// whose own checks take longer than the page), until the frame shows the new page.
function clickUntilShown(page, id) {
  return page.evaluate((button) => new Promise((done) => {
    const frame = document.getElementById('weekpagina');
    new MutationObserver((_, observer) => { observer.disconnect(); done(performance.now() - start); })
      .observe(frame, { attributes: true, attributeFilter: ['srcdoc'] });
    const start = performance.now();
    document.getElementById(button).click();
  }), id);
}

try {
  const firstVisits = [];
  for (let run = 0; run < 5; ++run) {
    const context = await browser.newContext();
    const page = await context.newPage();
    await page.clock.setFixedTime(new Date('2026-12-09T10:00:00'));
    const start = Date.now();
    await page.goto(address);
    await page.getByRole('status').getByText('voorbeeldrooster').waitFor();
    firstVisits.push(Date.now() - start);
    await context.close();
  }
  console.log(`\nFrom navigation to the sample's week page shown: ${median(firstVisits)} ms (median of 5, no cache)`);

  // Weeks 50 and 51 of the sample, which have their lessons.
  const sampleContext = await browser.newContext();
  const samplePage = await sampleContext.newPage();
  await samplePage.clock.setFixedTime(new Date('2026-12-09T10:00:00'));
  await samplePage.goto(address);
  await samplePage.getByRole('status').getByText('voorbeeldrooster').waitFor();
  const changes = [];
  for (let run = 0; run < 21; ++run) {
    changes.push(await clickUntilShown(samplePage, run % 2 ? 'vorige' : 'volgende'));
  }
  console.log(`A change of week, click to page shown: ${median(changes).toFixed(1)} ms (median of 21)`);
  await sampleContext.close();

  // Week 12 of 2027, which the tool is timed on too.
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.clock.setFixedTime(new Date('2027-03-17T10:00:00'));
  await page.goto(address);
  await page.getByRole('status').getByText('voorbeeldrooster').waitFor();

  const native = [];
  for (let run = 0; run < 5; ++run) {
    const start = process.hrtime.bigint();
    execFileSync(tool, [large, '12'], { stdio: 'ignore', maxBuffer: 1 << 30 });
    native.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  const before = rendererMemory();
  // The page's longest stall: the widest gap between ticks of a 10 ms timer.
  await page.evaluate(() => {
    window.benchGaps = { last: performance.now(), widest: 0 };
    window.benchTimer = setInterval(() => {
      const now = performance.now();
      window.benchGaps.widest = Math.max(window.benchGaps.widest, now - window.benchGaps.last);
      window.benchGaps.last = now;
    }, 10);
  });
  const opened = await untilShown(page, () => page.getByLabel('Gegevensbestand').setInputFiles(large));
  const stall = await page.evaluate(() => { clearInterval(window.benchTimer); return window.benchGaps.widest; });
  const weekChanges = [];
  for (let run = 0; run < 5; ++run) {
    weekChanges.push(await clickUntilShown(page, run % 2 ? 'vorige' : 'volgende'));
  }
  const grown = rendererMemory() - before;
  const bytes = statSync(large).size;
  const pageBytes = execFileSync(tool, [large, '12'], { maxBuffer: 1 << 30 }).length;
  console.log(`\nA data file of ${(bytes / 1e6).toFixed(0)} MB:`);
  console.log(`  orbelquint-week FILE 12 (a page of ${(pageBytes / 1e6).toFixed(0)} MB), whole process: ${median(native).toFixed(0)} ms (median of 5)`);
  console.log(`  chosen in the page until its week is shown: ${opened.toFixed(0)} ms ` +
    `(${(opened / median(native)).toFixed(1)} x), reading the file and handing it to the worker included`);
  console.log(`  a change of week on it: ${median(weekChanges).toFixed(0)} ms (${(median(weekChanges) / median(native)).toFixed(1)} x)`);
  console.log(`  the page's longest stall meanwhile: ${stall.toFixed(0)} ms`);
  console.log(`  the browser's renderers grew by ${(grown / 1e6).toFixed(0)} MB: the worker, the page, and the frame's ` +
    'layout of a week page of 100,000 lines');
  // The worker's own share, measured where nothing else runs: the module under node.
  const core = await loadCore();
  const resident = () => process.memoryUsage().rss;
  const residentBefore = resident();
  const timetable = timetableOf(core, large, readFileSync(large));
  global.gc?.();
  timetable.weekPage(12, false, '', false, true);
  console.log(`  the module's resident memory with the file and its marked week page: ` +
    `${((resident() - residentBefore) / 1e6).toFixed(0)} MB for a file of ${(bytes / 1e6).toFixed(0)} MB`);
  timetable.delete();
} finally {
  await browser.close();
  server.kill();
}
