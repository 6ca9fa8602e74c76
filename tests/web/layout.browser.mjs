// At home on a phone and for everyone: no sideways scrolling at 360 px or at 200 % zoom, targets of
// at least 24 by 24 px, the device's light or dark, a focus that shows, and no violation of WCAG
// 2.1 AA that axe-core finds in any state.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { expect, test } from '@playwright/test';

const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The controls a user can reach, with their sizes.
async function targets(page) {
  return page.locator('input, button, select').evaluateAll((controls) => controls
    .filter((control) => control.getClientRects().length > 0)
    .map((control) => {
      const box = control.getBoundingClientRect();
      return { name: control.id || control.getAttribute('aria-label') || control.textContent, width: box.width, height: box.height };
    }));
}

for (const width of [360, 640]) {
  test(`${width} px wide: nothing scrolls sideways and every target is at least 24 by 24 px`, async ({ page }) => {
    await page.setViewportSize({ width, height: 800 });
    await page.goto('./');
    await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
    for (const state of ['page', 'dialog']) {
      if (state === 'dialog') await page.getByRole('button', { name: 'Agenda exporteren' }).click();
      expect(await page.evaluate(() => document.documentElement.scrollWidth)).toBeLessThanOrEqual(width);
      for (const target of await targets(page)) {
        expect(target.width, `${state}: ${target.name}`).toBeGreaterThanOrEqual(24);
        expect(target.height, `${state}: ${target.name}`).toBeGreaterThanOrEqual(24);
      }
    }
  });
}

test('every control is reached by the keyboard and shows its focus', async ({ page }) => {
  await page.goto('./');
  await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
  const reached = new Set();
  for (let step = 0; step < 30; ++step) {
    await page.keyboard.press('Tab');
    const focused = await page.evaluate(() => {
      const control = document.activeElement;
      const style = getComputedStyle(control);
      return { id: control.id, outline: style.outlineStyle !== 'none' && parseFloat(style.outlineWidth) >= 2 };
    });
    if (focused.id && focused.id !== 'weekpagina') {
      reached.add(focused.id);
      expect(focused.outline, focused.id).toBe(true);
    }
  }
  for (const id of ['gegevensbestand', 'vorige', 'week', 'volgende', 'vandaag', 'datum', 'alleen-reeks', 'reeks',
    'markeren', 'raster', 'opslaan', 'gegevens', 'agenda', 'afdrukken', 'vergeten']) {
    expect(reached, id).toContain(id);
  }
});

for (const scheme of ['light', 'dark']) {
  test(`axe-core finds no WCAG 2.1 AA violation, ${scheme}`, async ({ browser }) => {
    // Only the checker's own script is let past the page's policy.
    const context = await browser.newContext({ colorScheme: scheme, bypassCSP: true });
    const page = await context.newPage();
    await page.goto('./');
    await expect(page.getByRole('status')).toContainText('voorbeeldrooster');
    const check = async (state) => {
      await page.addScriptTag({ content: axeSource });
      const { violations } = await page.evaluate(() =>
        window.axe.run(document, { runOnly: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] }));
      expect(violations.map(({ id, nodes }) => `${state}: ${id} ${nodes.map((node) => node.target).join(' ')}`)).toEqual([]);
    };
    await check('first visit');
    await page.getByLabel('Raster').check();
    await expect(page.locator('iframe[title="Weekpagina"]')).toHaveAttribute('srcdoc', /<table/);
    await check('grid');
    await page.getByRole('button', { name: 'Agenda exporteren' }).click();
    await check('calendar dialog');
    const background = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
    expect(background).toBe(scheme === 'dark' ? 'rgb(22, 24, 27)' : 'rgb(255, 255, 255)');
    await context.close();
  });
}
