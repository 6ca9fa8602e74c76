// A school's own timetables: roosters.json beside the page offers its classes, ?klas= opens one,
// only files of the same site are fetched, and a class that cannot be had leaves the last copy.
import { expect, test } from '@playwright/test';

import { generatedTimetable } from './timetables.mjs';
import { weekPage } from './page-support.mjs';

// The school's files are served by routes; the service worker stays out of the way.
test.use({ serviceWorkers: 'block' });

const classes = [
  { naam: '5 Wetenschappen-Wiskunde', bestand: 'roosters/5wewi.htm' },
  { naam: '6 Latijn', bestand: 'roosters/6la.htm' },
  { naam: 'Elders', bestand: 'http://127.0.0.1:9/elders.htm' },
  { naam: 'Kapot' },
];

async function publish(page, { offline = [] } = {}) {
  const fetched = [];
  await page.route('**/roosters.json', (route) => route.fulfill({ json: classes }));
  await page.route('**/roosters/*.htm', (route) => {
    const name = new URL(route.request().url()).pathname;
    fetched.push(name);
    if (offline.includes(name)) return route.abort('internetdisconnected');
    return route.fulfill({ body: generatedTimetable(name.length), contentType: 'text/html' });
  });
  return fetched;
}

test('the classes of roosters.json are offered, and only those on this site', async ({ page }) => {
  const fetched = await publish(page);
  await page.goto('./');
  const list = page.getByLabel('Klas');
  await expect(list).toBeVisible();
  await expect(list.locator('option')).toHaveText(['(kies een klas)', '5 Wetenschappen-Wiskunde', '6 Latijn']);
  await list.selectOption('6 Latijn');
  await expect(page.locator('#getoond')).toHaveText('Klas 6 Latijn (6la.htm)');
  expect(fetched).toEqual(['/roosters/6la.htm']);
  await expect(weekPage(page)).not.toHaveAttribute('srcdoc', /voorbeeld/);
});

test('?klas= opens a class at once, and one that cannot be fetched leaves the last copy', async ({ page }) => {
  await publish(page, { offline: ['/roosters/5wewi.htm'] });
  await page.goto('./?klas=6%20Latijn');
  await expect(page.locator('#getoond')).toHaveText('Klas 6 Latijn (6la.htm)');
  await page.getByLabel('Klas').selectOption('5 Wetenschappen-Wiskunde');
  await expect(page.getByRole('status')).toContainText('kan niet worden opgehaald');
  await expect(page.getByRole('status')).toContainText('Het laatst bewaarde rooster blijft staan.');
  await expect(page.locator('#getoond')).toHaveText('Klas 6 Latijn (6la.htm)');
});

test('a class asked for at the start that cannot be fetched is said, and the sample stands in', async ({ page }) => {
  await publish(page, { offline: ['/roosters/5wewi.htm'] });
  await page.goto('./?klas=5%20Wetenschappen-Wiskunde');
  await expect(page.getByRole('status')).toContainText('kan niet worden opgehaald');
  await expect(page.locator('#getoond')).toHaveText('Voorbeeldrooster');
});

test('without roosters.json there is no list', async ({ page }) => {
  await page.goto('./');
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  await expect(page.getByLabel('Klas')).toBeHidden();
});
