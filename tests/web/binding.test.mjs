// The module gives byte for byte what the native tool gives on the same data: week pages, grids,
// reports, change weeks and calendars, over the sample and generated timetables.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';

import { loadCore, runTool, timetableOf, tool } from './core.mjs';
import { generatedTimetable, sample } from './timetables.mjs';

let core;
const folder = mkdtempSync(join(tmpdir(), 'orbelquint-web-'));
before(async () => { core = await loadCore(); });
after(() => rmSync(folder, { recursive: true, force: true }));

// The files: the sample, and generated ones, each saved for the tool under the name the module is given.
const files = [['voorbeeld.htm', sample]];
for (let seed = 1; seed <= 40; ++seed) files.push([`rooster-${seed}.htm`, generatedTimetable(seed)]);

// The week pages and grids of several weeks, with and without a series filter.
const builds = [
  { week: 50, series: null, grid: false },
  { week: 36, series: '2', grid: false },
  { week: 1, series: '0', grid: false },
  { week: 53, series: null, grid: true },
  { week: 45, series: '1', grid: true },
];

test('week pages, grids and reports are the tool\'s', () => {
  for (const [name, bytes] of files) {
    const path = join(folder, name);
    writeFileSync(path, bytes);
    const timetable = timetableOf(core, path, bytes);
    try {
      for (const { week, series, grid } of builds) {
        const args = [...(grid ? ['--grid'] : []), ...(series === null ? [] : ['--series', series]), path, String(week)];
        const expected = runTool(args);
        const built = timetable.weekPage(week, series !== null, series ?? '', grid, false);
        const what = `${name} ${args.join(' ')}`;
        assert.equal(built.complete, expected.status === 0, what);
        if (!built.complete) {
          assert.equal(built.message + '\n', expected.err, what);
          continue;
        }
        assert.deepEqual(Buffer.from(built.page), expected.out, what);
        assert.equal(`heading: ${built.heading}\ninfo: ${built.info}\nfirst-change: ${built.firstChange}\n` +
          `save-name: ${built.saveName}\n`, expected.err, what);
      }
      const changeWeeks = runTool(['--change-weeks', '--series', '2', path]);
      assert.equal(changeWeeks.out.toString(), timetable.weekPage(1, true, '2', false, false).changeWeeks.map((week) => `${week}\n`).join(''), name);
    } finally {
      timetable.delete();
    }
  }
});

test('calendars are the tool\'s, stamp and all', () => {
  const bellTimes = join(folder, 'beltijden.txt');
  // The same bell times and free days as the dialog's rows and as a file.
  const rows = [['1', '08:00', '08:50'], ['2', '08:50', '09:40'], ['3', '10:00', '10:50'], ['4', '10:50', '11:40'],
    ['5', '13:00', '13:50'], ['6', '13:50', '14:40']];
  const freeDays = [['02-11-2026', '06-11-2026'], ['21-12-2026', '21-12-2026']];
  writeFileSync(bellTimes, rows.map(([hour, start, end]) => `${hour} ${start}-${end}\n`).join('') +
    freeDays.map(([first, last]) => `vrij ${first}..${last}\n`).join(''));
  const stamp = 1765000000;
  for (const [name, bytes] of files.slice(0, 12)) {
    const path = join(folder, name);
    writeFileSync(path, bytes);
    const timetable = timetableOf(core, path, bytes);
    try {
      for (const [series, own] of [[null, false], ['1', true]]) {
        const args = ['--ics', '--from', '01-09-2026', '--to', '30-06-2027', ...(series === null ? [] : ['--series', series]),
          ...(own ? ['--bell-times', bellTimes] : []), path];
        const expected = runTool(args, { SOURCE_DATE_EPOCH: String(stamp) });
        const built = timetable.calendar({ from: '01-09-2026', to: '30-06-2027', bellTimes: own ? rows : core.defaultBellTimes(),
          freeDays: own ? freeDays : [], seriesFiltered: series !== null, series: series ?? '', stamp, progress: () => {} });
        const what = `${name} ${args.join(' ')}`;
        assert.equal(built.complete, expected.status === 0, what);
        if (!built.complete) {
          assert.equal(built.message + '\n', expected.err, what);
          continue;
        }
        assert.deepEqual(Buffer.from(built.ics), expected.out, what);
        assert.match(expected.err, new RegExp(`^events: ${built.events}$`, 'm'), what);
      }
    } finally {
      timetable.delete();
    }
  }
});

test('the week of a date is the tool\'s', () => {
  const dates = [];
  for (let day = new Date(Date.UTC(2024, 0, 1)); day < new Date(Date.UTC(2028, 0, 8)); day.setUTCDate(day.getUTCDate() + 3)) {
    dates.push(day.toISOString().slice(0, 10).split('-').reverse().join('-'));
  }
  const expected = execFileSync(tool, ['--week-of', ...dates]).toString().trim().split('\n').map(Number);
  assert.deepEqual(dates.map((date) => { const [d, m, y] = date.split('-').map(Number); return core.weekOf(y, m, d); }), expected);
});
