// The page as a student uses it, in Debian's Chromium: what it shows and downloads is what the
// native tool gives for the same choices.
import { expect, test } from '@playwright/test';

import { runTool } from './core.mjs';
import { generatedTimetable, sample } from './timetables.mjs';
import { chooseFile, chooseWeek, downloadOf, savedFile, thisWeek, weekPage } from './page-support.mjs';

test('the first visit shows this week of the sample, said to be the sample', async ({ page }) => {
  await page.goto('./');
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  await expect(page.getByLabel('Week', { exact: true })).toHaveValue(String(thisWeek()));
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /5 Wetenschappen-Wiskunde/);
  const info = runTool([savedFile('voorbeeld.htm', sample), '50']).err;
  await expect(page.getByRole('status')).toContainText(/Dit gegevens bestand gaat van week 36 tot week 52/);
  expect(info).toContain('info: Dit gegevens bestand gaat van week 36 tot week 52');
});

test('a chosen file gives the tool\'s page for each week, series and grid', async ({ page }) => {
  await page.goto('./');
  const bytes = generatedTimetable(7);
  const path = savedFile('rooster-7.htm', bytes);
  await chooseFile(page, 'rooster-7.htm', bytes);
  await chooseWeek(page, 12);
  const cases = [
    { set: async () => {}, args: [] },
    { set: async () => { await page.getByLabel('Alleen lessen tonen voor reeks').check(); await page.getByLabel('Reeks', { exact: true }).fill('2'); await page.getByLabel('Reeks', { exact: true }).press('Tab'); }, args: ['--series', '2'] },
    { set: async () => page.getByLabel('Raster').check(), args: ['--grid', '--series', '2'] },
  ];
  for (const { set, args } of cases) {
    await set();
    const expected = runTool([...args, path, '12']);
    const name = /save-name: (.*)/.exec(expected.err)[1];
    // The button, or its key from whichever control has the focus.
    const save = args.length === 0 ? () => page.getByRole('button', { name: 'Opslaan als' }).click()
      : () => page.getByLabel('Raster').focus().then(() => page.keyboard.press('Alt+Shift+S'));
    const download = await downloadOf(page, save);
    expect(download.name).toBe(name);
    expect(download.bytes.equals(expected.out), args.join(' ')).toBe(true);
  }
});

test('the page is shown in the encoding the core reads it in, Windows-1252 or UTF-8', async ({ page }) => {
  await page.goto('./');
  for (const [name, heading] of [['cp1252.htm', Buffer.from('Caf\xe9 \x80 \x96 \x85 \x9c', 'latin1')],
    ['utf8.htm', Buffer.from('Café € – … œ 𝄞', 'utf8')]]) {
    const bytes = Buffer.concat([Buffer.from('<h1>'), heading,
      Buffer.from('</h1>\n<pre>\n</pre><h3>Maandag</h3><pre>\n1  WIS  PEE 01-53 B104  Les\n</pre>\n')]);
    await chooseFile(page, name, bytes);
    const expected = /save-name: (.*) - week/.exec(runTool([savedFile(name, bytes), '10']).err)[1];
    expect(expected).toMatch(/^Café € – … œ/);
    await chooseWeek(page, 10);
    await expect(weekPage(page)).toHaveAttribute('srcdoc', new RegExp(`<h2>${expected}</h2>`));
  }
});

test('weeks step by button, key, date and typed number as the program numbers them', async ({ page }) => {
  await page.goto('./');
  const week = page.getByLabel('Week', { exact: true });
  await expect(week).toHaveValue(String(thisWeek()));
  const start = Number(await week.inputValue());
  await page.getByRole('button', { name: 'Volgende week' }).click();
  await expect(week).not.toHaveValue(String(start));
  await page.keyboard.press('Alt+PageUp');
  await expect(week).toHaveValue(String(start));
  await page.getByLabel('Reeks', { exact: true }).focus();
  await page.keyboard.press('Alt+PageDown');
  await page.keyboard.press('Alt+PageDown');
  await page.keyboard.press('Alt+Shift+T');
  await expect(week).toHaveValue(String(start));
  await page.getByLabel('Datum').fill('2027-01-01');
  await page.getByLabel('Datum').dispatchEvent('change');
  await expect(week).toHaveValue(runTool(['--week-of', '01-01-2027']).out.toString().trim());
  await chooseWeek(page, 50);
  const [year, month, day] = (await page.getByLabel('Datum').inputValue()).split('-');
  expect(runTool(['--week-of', `${day}-${month}-${year}`]).out.toString().trim()).toBe('50');
  for (const name of ['Vorige week', 'Volgende week', 'Vandaag', 'Agenda exporteren']) {
    await expect(page.getByRole('button', { name })).toHaveAttribute('title', /\(.+\)/);
  }
});

test('marks show what starts and ends this week, on the list and on the grid', async ({ page }) => {
  await page.goto('./');
  await chooseWeek(page, 50);
  await page.getByLabel('Veranderingen markeren').check();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /nieuw deze week \(vet\)/);
  const changeWeeks = runTool(['--change-weeks', savedFile('voorbeeld.htm', sample)]).out.toString().trim().split('\n');
  await expect(page.getByRole('status')).toContainText(`Het rooster verandert in week ${changeWeeks.join(', ')}.`);
  await page.getByLabel('Raster').check();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /nieuw deze week/);
  await page.getByLabel('Veranderingen markeren').uncheck();
  await expect(weekPage(page)).not.toHaveAttribute('srcdoc', /nieuw deze week/);
  await expect(page.getByRole('status')).not.toContainText('Het rooster verandert');
});

test('the calendar downloaded is the tool\'s for the same choices, all but its stamp', async ({ page }) => {
  await page.goto('./');
  await page.getByLabel('Alleen lessen tonen voor reeks').check();
  await page.getByLabel('Reeks', { exact: true }).fill('1');
  await page.getByLabel('Reeks', { exact: true }).press('Tab');
  await page.keyboard.press('Alt+Shift+A');
  const dialog = page.getByRole('dialog', { name: 'Agenda exporteren' });
  await expect(dialog).toBeVisible();
  await dialog.getByLabel('Van', { exact: true }).fill('2026-09-01');
  await dialog.getByLabel('Tot en met').fill('2026-12-31');
  await dialog.getByLabel('Eerste vrije dag').fill('2026-11-02');
  await dialog.getByLabel('Laatste vrije dag').fill('2026-11-06');
  await dialog.getByRole('button', { name: 'Dagen toevoegen' }).click();
  await dialog.getByRole('button', { name: 'Lesuur toevoegen' }).click();
  await dialog.getByLabel('Lesuur, rij 9').fill('9');
  await dialog.getByLabel('Begin, rij 9').fill('16:30');
  await dialog.getByLabel('Einde, rij 9').fill('17:20');
  const download = await downloadOf(page, () => dialog.getByRole('button', { name: 'Exporteren' }).click());
  const bells = savedFile('beltijden.txt', Buffer.from(
    '1 08:25-09:15\n2 09:15-10:05\n3 10:20-11:10\n4 11:10-12:00\n5 13:00-13:50\n6 13:50-14:40\n7 14:50-15:40\n' +
    '8 15:40-16:30\n9 16:30-17:20\nvrij 02-11-2026..06-11-2026\n'));
  const expected = runTool(['--ics', '--series', '1', '--from', '01-09-2026', '--to', '31-12-2026', '--bell-times', bells,
    savedFile('voorbeeld.htm', sample)]);
  expect(expected.status).toBe(0);
  const withoutStamp = (bytes) => bytes.toString('utf8').replace(/^DTSTAMP:.*\r\n/gm, '');
  expect(download.name).toBe('5 Wetenschappen-Wiskunde - reeks 1.ics');
  expect(withoutStamp(download.bytes)).toBe(withoutStamp(expected.out));
  await expect(page.getByRole('status')).toContainText('Agenda gedownload als "5 Wetenschappen-Wiskunde - reeks 1.ics"');
  // The dates, bell times and free days are remembered, also after a reload.
  await page.reload();
  await page.keyboard.press('Alt+Shift+A');
  await expect(dialog.getByLabel('Van', { exact: true })).toHaveValue('2026-09-01');
  await expect(dialog.getByLabel('Einde, rij 9')).toHaveValue('17:20');
  await expect(dialog.getByRole('listitem')).toHaveText(['02-11-2026 tot en met 06-11-2026 Weg']);
});

test('a bad bell-time cell is named and nothing is downloaded', async ({ page }) => {
  await page.goto('./');
  await page.getByRole('button', { name: 'Agenda exporteren' }).click();
  const dialog = page.getByRole('dialog', { name: 'Agenda exporteren' });
  await dialog.getByLabel('Lesuur, rij 2').fill('#2');
  await dialog.getByRole('button', { name: 'Exporteren' }).click();
  await expect(dialog.getByRole('alert')).toContainText('Beltijden, rij 2:');
  await expect(dialog).toBeVisible();
});

test('a long calendar shows its progress and is cancelled at once, the page going on', async ({ page }) => {
  await page.goto('./');
  // Some 8 MB of lessons: each week of the school year takes a while to read.
  const lines = sample.toString('latin1').split('\n');
  const lessons = lines.filter((line) => /^\d  [A-Z]/.test(line)).join('\n');
  const big = lines.slice(0, 12).join('\n') + `\n<h3>Maandag</h3><pre>\n${`${lessons}\n`.repeat(3000)}</pre>\n`;
  await chooseFile(page, 'groot.htm', Buffer.from(big, 'latin1'));
  await page.getByRole('button', { name: 'Agenda exporteren' }).click();
  const dialog = page.getByRole('dialog', { name: 'Agenda exporteren' });
  await dialog.getByRole('button', { name: 'Exporteren' }).click();
  await expect(dialog.getByRole('progressbar')).toBeVisible();
  await dialog.getByRole('button', { name: 'Annuleren' }).click();
  await expect(dialog.getByRole('alert')).toHaveText('De agenda is niet gemaakt: geannuleerd.');
  await dialog.getByRole('button', { name: 'Sluiten' }).click();
  const week = page.getByLabel('Week', { exact: true });
  const before = await week.inputValue();
  await page.getByRole('button', { name: 'Volgende week' }).click();
  await expect(week).not.toHaveValue(before);
  await expect(page.getByRole('status')).not.toContainText('geannuleerd');
});

test('the file and the choices are remembered after a reload, and "Vergeten" removes them', async ({ page }) => {
  await page.goto('./');
  await chooseFile(page, 'rooster-3.htm', generatedTimetable(3));
  await page.getByLabel('Raster').check();
  await page.getByLabel('Alleen lessen tonen voor reeks').check();
  await page.getByLabel('Reeks', { exact: true }).fill('3');
  await page.getByLabel('Reeks', { exact: true }).press('Tab');
  await page.reload();
  await expect(page.getByLabel('Raster')).toBeChecked();
  await expect(page.getByLabel('Reeks', { exact: true })).toHaveValue('3');
  await expect(page.getByRole('status')).not.toContainText('voorbeeldrooster');
  await page.getByRole('button', { name: 'Vergeten' }).click();
  await expect(page.getByRole('status')).toContainText('gewist');
  await page.reload();
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  await expect(page.getByLabel('Raster')).not.toBeChecked();
  expect(await page.evaluate(() => localStorage.length)).toBe(0);
});

test('after one visit the page opens and works with the network off', async ({ page, context }) => {
  await page.goto('./');
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  await context.setOffline(true);
  await page.reload();
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  await page.getByRole('button', { name: 'Volgende week' }).click();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /5 Wetenschappen-Wiskunde/);
});

test('the whole week page is printed, every line, the grid on landscape sheets', async ({ page }) => {
  await page.goto('./');
  await chooseWeek(page, 50);
  await page.getByLabel('Raster').check();
  await expect(weekPage(page)).toHaveAttribute('srcdoc', /<table/);
  // Ctrl+P prints the week page, not the page around it.
  const [printed] = await Promise.all([page.waitForEvent('popup'), page.keyboard.press('Control+P')]);
  await printed.waitForLoadState('domcontentloaded');
  const html = await printed.content();
  expect(html).toContain('size: landscape');
  const expected = runTool(['--grid', savedFile('voorbeeld.htm', sample), '50']).out.toString('latin1');
  for (const lesson of ['Herhaling wiskunde', 'Klassenraad']) {
    expect(expected).toContain(lesson);
    expect(html).toContain(lesson);
  }
});

test('the page can be installed: its manifest and every icon it names are served', async ({ page, request }) => {
  await page.goto('./');
  const href = await page.locator('link[rel=manifest]').getAttribute('href');
  const manifest = await (await request.get(href)).json();
  expect(manifest).toMatchObject({ name: 'OrbelQuint', start_url: './', display: 'standalone' });
  for (const icon of manifest.icons) expect((await request.get(icon.src)).status(), icon.src).toBe(200);
});
