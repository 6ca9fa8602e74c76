// What the end-to-end tests share: files for the tool, downloads, the week page in its frame.
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { expect } from '@playwright/test';

import { runTool } from './core.mjs';

const folder = mkdtempSync(join(tmpdir(), 'orbelquint-page-'));

// Saves `bytes` as `name` for the tool and returns its path.
export function savedFile(name, bytes) {
  const path = join(folder, name);
  writeFileSync(path, bytes);
  return path;
}

// This week by the program's numbering, as the tool gives it for today.
export function thisWeek() {
  const now = new Date();
  const two = (number) => String(number).padStart(2, '0');
  return Number(runTool(['--week-of', `${two(now.getDate())}-${two(now.getMonth() + 1)}-${now.getFullYear()}`]).out);
}

// Chooses a data file in the file chooser "Gegevensbestand" and waits until the frame shows its page.
export async function chooseFile(page, name, bytes) {
  const before = await weekPage(page).getAttribute('srcdoc');
  await page.getByLabel('Gegevensbestand').setInputFiles({ name, mimeType: 'text/html', buffer: bytes });
  await page.locator('#getoond').getByText(name, { exact: true }).waitFor();
  await expect.poll(() => weekPage(page).getAttribute('srcdoc')).not.toBe(before);
  await page.waitForFunction(() => !document.getElementById('message').textContent.includes('voorbeeldrooster'));
}

// Types a week number in the field "Week" and waits until the frame shows that week's page.
export async function chooseWeek(page, number) {
  const week = page.getByLabel('Week', { exact: true });
  await week.fill(String(number));
  await week.press('Enter');
  await expect(weekPage(page)).toHaveAttribute('srcdoc', new RegExp(`week ${number}\\b`));
}

// The file that `action` makes the page download: its name and bytes.
export async function downloadOf(page, action) {
  const [download] = await Promise.all([page.waitForEvent('download'), action()]);
  return { name: download.suggestedFilename(), bytes: readFileSync(await download.path()) };
}

// The frame "Weekpagina", whose srcdoc is the document it shows.
export function weekPage(page) {
  return page.locator('iframe[title="Weekpagina"]');
}
