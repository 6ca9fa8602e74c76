// The web page's pictures for the README (scripts/screenshots): the grid at desktop width, and a
// phone, light and dark, at a school week of the sample. Usage: node screenshots.mjs FOLDER
import { spawn } from 'node:child_process';
import { resolve } from 'node:path';
import { chromium } from '@playwright/test';

import { root } from './core.mjs';

const folder = process.argv[2];
const port = 8766;
const server = spawn('python3', [resolve(root, 'scripts/serve-site.py'), resolve(root, 'build-web/site'), String(port)],
  { stdio: 'ignore' });
await new Promise((done) => setTimeout(done, 1000));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update', '--no-first-run'],
});
try {
  const shots = [
    { name: 'web-raster.png', width: 1280, height: 900, scheme: 'light', grid: true },
    { name: 'web-telefoon.png', width: 360, height: 1400, scheme: 'light', grid: false },
    { name: 'web-telefoon-donker.png', width: 360, height: 1400, scheme: 'dark', grid: false },
  ];
  for (const { name, width, height, scheme, grid } of shots) {
    const context = await browser.newContext({ viewport: { width, height }, colorScheme: scheme, deviceScaleFactor: 1 });
    const page = await context.newPage();
    await page.clock.setFixedTime(new Date('2026-12-09T10:00:00'));
    await page.goto(`http://127.0.0.1:${port}/`);
    await page.getByRole('status').getByText('voorbeeldrooster').waitFor();
    if (grid) await page.getByLabel('Raster').check();
    await page.waitForTimeout(500);
    await page.screenshot({ path: resolve(folder, name), fullPage: false });
    await context.close();
  }
} finally {
  await browser.close();
  server.kill();
}
