// A data file is anyone's: whatever markup it carries, in the heading, the day names, lessons or
// continuation lines, runs nothing and makes the browser fetch nothing beyond the page's own files.
import { readdirSync } from 'node:fs';
import { expect, test } from '@playwright/test';

import { chooseFile, weekPage } from './page-support.mjs';

const evil = 'http://127.0.0.1:9/';
const hostile = Buffer.from([
  '<html><head><title>t</title></head><body>',
  `<h1> Klas <script>console.log('ran heading')</script><img src=x onerror="console.log('ran img')"> </h1>`,
  '<pre>',
  `</pre><h3>Maandag<img src=${evil}dag.png><link rel=stylesheet href=${evil}dag.css></h3><pre>`,
  `1  WIS  PEE 01-53 B104  <script>console.log('ran lesson')</script>`,
  `2  NED  VDB 01-53 A012  <meta http-equiv=refresh content="0;url=${evil}refresh">`,
  `3  FRA  DUP 01-53 A108  <base href="${evil}"><img src=relative.png>`,
  `               (<iframe src=${evil}frame></iframe><img src=y onerror="console.log('ran continuation')">)`,
  `4  GES  SME 01-53 A110  <link rel=stylesheet href=${evil}les.css><object data=${evil}o></object>`,
  `5  LO   HEN 01-53 SPH   <svg><image href="${evil}svg.png"/></svg><video poster=${evil}v.png></video>`,
  `6  ENG  WIL 01-53 A204  <style>@import url(${evil}import.css); body{background:url(${evil}bg.png)}</style>`,
  `7  KUN  DEC 01-53 A301  <noscript><meta http-equiv=refresh content="1;url=${evil}noscript"></noscript>`,
  `8  NED  VDB 01-53 A012  <iframe srcdoc="<meta http-equiv=refresh content='0;url=${evil}nested'>"></iframe>`,
  '</pre></body></html>',
].join('\n'), 'latin1');

// The page's own files, by their paths on the site.
const ownFiles = new Set(['/', ...readdirSync(new URL('../../build-web/site/', import.meta.url)).map((name) => `/${name}`)]);

test('hostile markup runs nothing and fetches nothing, in every view', async ({ page, context }) => {
  // Every request the browser made; one the page's policy blocked before it left is no fetch.
  const requests = [];
  context.on('request', (request) => requests.push(request));
  const blocked = new Set();
  context.on('requestfailed', (request) => { if (request.failure()?.errorText === 'csp') blocked.add(request); });
  const ran = [];
  context.on('console', (message) => { if (message.text().startsWith('ran')) ran.push(message.text()); });
  page.on('dialog', (dialog) => { ran.push(`dialog ${dialog.message()}`); dialog.dismiss(); });

  await page.goto('./');
  await chooseFile(page, 'boos.htm', hostile);
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /ran lesson/);
  await page.getByLabel('Raster').check();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /&lt;script&gt;/);
  await page.getByRole('button', { name: 'Gegevens Weergeven' }).click();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /<script>console\.log\('ran heading'\)/);
  await page.getByLabel('Raster').uncheck();
  const [printed] = await Promise.all([page.waitForEvent('popup'), page.getByRole('button', { name: 'Afdrukken' }).click()]);
  await printed.waitForLoadState();
  // Time for anything the markup might still set off (a refresh after 0 s, a late image).
  await page.waitForTimeout(1500);

  expect(ran).toEqual([]);
  const foreign = requests.filter((request) => !blocked.has(request)).map((request) => request.url()).filter((url) => {
    const parsed = new URL(url);
    if (parsed.protocol === 'blob:' || parsed.protocol === 'data:') return false;
    return parsed.origin !== new URL(page.url()).origin ||
      !(ownFiles.has(parsed.pathname) || parsed.pathname === '/roosters.json');
  });
  expect(foreign).toEqual([]);
  await expect(page).toHaveURL(/127\.0\.0\.1:\d+\/$/);
  expect(page.frames().map((frame) => frame.url())).toEqual([page.url(), 'about:srcdoc']);
});

test('the frame is sandboxed without scripts and without the page\'s origin', async ({ page }) => {
  await page.goto('./');
  const frame = weekPage(page);
  await expect(frame).toHaveAttribute('sandbox', '');
  await expect(frame).toHaveAttribute('srcdoc', /^(<!DOCTYPE html>)?<meta http-equiv="Content-Security-Policy" content="default-src 'none'/);
});
