// Timetables for comparing the module with the native tool: the sample, and data files made from a
// seed with what real and careless files hold (series, weeks out of order and out of range, blank
// and odd fields, continuation lines, Windows-1252 and UTF-8 text, markup, CR LF and LF line
// ends, day headings in any case and with markup).
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { root } from './core.mjs';

export const sample = readFileSync(resolve(root, 'data/voorbeeld.htm'));

// A small, repeatable random source (mulberry32).
function randomOf(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const days = ['Maandag', 'dinsdag', 'WOENSDAG', '<b>Donderdag</b>', 'Vrijdag&nbsp;', 'Zaterdag', 'Maandagavond'];
const subjects = ['Wiskunde', 'Fran\xe7ais', 'Geschiedenis \x96 Franse Revolutie', 'Caf\xc3\xa9 <b>vet</b>',
  'Lichamelijke opvoeding', 'Labo &eacute;tudes', ''];
const weekFields = ['36', '01', ' 5', '53', '52', '', 'xx', '99', '0', '-3'];

function pad(text, width) {
  return text.length >= width ? text.slice(0, width) : text + ' '.repeat(width - text.length);
}

// The latin1 bytes of a text whose characters are all below 256.
function bytesOf(text) {
  return Buffer.from(text, 'latin1');
}

export function generatedTimetable(seed) {
  const random = randomOf(seed);
  const pick = (list) => list[Math.floor(random() * list.length)];
  const week = () => (random() < 0.8 ? String(1 + Math.floor(random() * 53)).padStart(2, '0') : pick(weekFields));
  const end = random() < 0.5 ? '\r\n' : '\n';
  const lines = ['<html><head><title>Lesrooster</title></head><body>',
    `<h1> ${pick(['5 Wetenschappen-Wiskunde', '4A \xe9\xe9n', '6 <i>Latijn</i> &amp; Grieks'])} </h1>`, '<pre>'];
  const dayCount = 1 + Math.floor(random() * 6);
  for (let day = 0; day < dayCount; ++day) {
    lines.push(`</pre><h3>${pick(days)}</h3><pre>`);
    const lessonCount = Math.floor(random() * 25);
    for (let lesson = 0; lesson < lessonCount; ++lesson) {
      const hour = random() < 0.9 ? String(1 + Math.floor(random() * 9)) : pick(['', 'x', '10']);
      const series = random() < 0.6 ? ' ' : String(Math.floor(random() * 4));
      lines.push(`${pad(hour, 3)}${pad(pick(['WIS', 'FRA', 'GES']), 5)}${pad('PEE', 4)}` +
        `${pad(week(), 2)}-${pad(week(), 2)} ${pad(pick(['B104', 'SPH', '']), 6)}${pad(pick(subjects), 31)}${series}`);
      if (random() < 0.2) lines.push(`               (${pick(subjects)})`);
    }
  }
  lines.push('</pre></body></html>');
  const text = lines.join(end) + (random() < 0.5 ? end : '');
  // Some files are UTF-8 throughout, the others Windows-1252 with stray UTF-8.
  return random() < 0.3 ? Buffer.from(text, 'utf8') : bytesOf(text);
}
