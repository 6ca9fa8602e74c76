// The page: wires the controls to the core, which runs in a worker and gives every page, report
// and rule; this script only lays them out, remembers the user's choices and keeps the page
// answering.
import { CalendarDialog } from './calendar-dialog.js';
import { FetchError, fetchClassFile, schoolClasses } from './classes.js';
import { CancelledError, CoreClient } from './core-client.js';
import { addDays, fieldValue, fromField, today } from './dates.js';
import { print, show } from './frame.js';
import { forgetAll, rememberChoices, rememberFile, rememberedChoices, rememberedFile } from './storage.js';
import { Work } from './work.js';

const element = (id) => document.getElementById(id);
const controls = {
  klas: element('klas'),
  file: element('gegevensbestand'),
  week: element('week'),
  previous: element('vorige'),
  next: element('volgende'),
  today: element('vandaag'),
  date: element('datum'),
  seriesOnly: element('alleen-reeks'),
  series: element('reeks'),
  marks: element('markeren'),
  grid: element('raster'),
  save: element('opslaan'),
  data: element('gegevens'),
  calendar: element('agenda'),
  print: element('afdrukken'),
  forget: element('vergeten'),
};
const report = {
  info: element('info'),
  firstChange: element('first-change'),
  changeWeeks: element('change-weeks'),
  message: element('message'),
};
const shownFile = element('getoond');
const frame = element('weekpagina');

const core = new CoreClient();
const state = {
  date: today(),
  week: 0,
  file: null, // { name, blob, sample, klas }
  chosen: false, // the user chose a file (or class) before the page had opened one
  build: 0, // the number of the last build asked for: an earlier one's answer is not shown
  page: null, // the last week page built: its bytes, the text the frame shows, its save name
  building: Promise.resolve(), // the build last asked for
  said: 0, // how many messages were said: a build does not wipe one said after it was asked for
  classes: [],
};

const work = new Work(element('work'), () => core.cancel());
const withWork = (task) => work.run(task);

function say(message) {
  report.message.textContent = message;
  ++state.said;
}

function choices() {
  return {
    seriesOnly: controls.seriesOnly.checked,
    series: controls.series.value,
    marks: controls.marks.checked,
    grid: controls.grid.checked,
  };
}

// Builds the week page of the week shown and shows it with its report; what saves or prints the
// page waits for the build last asked for, so that it never takes the page before.
function build() {
  state.building = buildNow();
  return state.building;
}

async function buildNow() {
  if (!state.file) return;
  const number = ++state.build;
  const said = state.said;
  let result;
  try {
    result = await withWork(() => core.ask('weekPage', {
      week: state.week,
      seriesFiltered: controls.seriesOnly.checked,
      series: controls.series.value,
      grid: controls.grid.checked,
      marked: controls.marks.checked,
    }));
  } catch (error) {
    if (error instanceof CancelledError) say('De weekpagina is niet gemaakt: geannuleerd.');
    else say(error.message);
    return;
  }
  if (number !== state.build) return;
  if (!result.complete) {
    report.info.textContent = '';
    report.firstChange.textContent = '';
    report.changeWeeks.textContent = '';
    say(result.message);
    return;
  }
  const shown = shownText(result.marked ?? result.page, result.encoding);
  state.page = { bytes: result.page, shown, saveName: result.saveName, grid: controls.grid.checked };
  show(frame, shown);
  report.info.textContent = result.info;
  report.firstChange.textContent = result.firstChange;
  // With the marks on, the weeks in which the timetable changes, as the window's calendar marks them.
  report.changeWeeks.textContent = controls.marks.checked && result.changeWeeks.length > 0
    ? `Het rooster verandert in week ${result.changeWeeks.join(', ')}.` : '';
  if (state.said === said) {
    say(state.file.sample
      ? 'Dit is het voorbeeldrooster. Kies hierboven een gegevensbestand of sleep het op de pagina.'
      : '');
  }
}

async function showWeekOf(date) {
  state.date = date;
  controls.date.value = fieldValue(date);
  const { week } = await core.ask('weekOf', date);
  state.week = week;
  controls.week.value = String(week);
  await build();
}

async function open(file, { remember = true } = {}) {
  state.file = file;
  shownFile.textContent = file.sample ? 'Voorbeeldrooster' : file.klas ? `Klas ${file.klas} (${file.name})` : file.name;
  await core.open(file.name, file.blob);
  const built = build();
  const kept = !remember || file.sample || (await rememberFile(file));
  await built;
  if (!kept) say('Deze browser bewaart het rooster niet; het blijft staan tot de pagina sluit.');
}

// Opens a file the page took by itself (the sample, the remembered file), unless the user chose one
// meanwhile: the check and the taking are one step, with no wait between them.
async function openByItself(file) {
  if (state.chosen) return;
  await open(file, { remember: false });
}

async function openSample() {
  const response = await fetch('voorbeeld.htm');
  await openByItself({ name: 'voorbeeld.htm', blob: await response.blob(), sample: true });
}

async function openChosenFile(file) {
  if (!file) return;
  state.chosen = true;
  await open({ name: file.name, blob: file, sample: false });
  controls.klas.value = '';
}

// Opens the timetable of a class of roosters.json; when it cannot be had, says so and returns what
// it said.
async function openClass(name) {
  const entry = state.classes.find((candidate) => candidate.naam === name);
  if (!entry) return '';
  state.chosen = true;
  try {
    const blob = await fetchClassFile(entry);
    await open({ name: entry.bestand.split('/').pop(), blob, sample: false, klas: entry.naam });
  } catch (error) {
    if (!(error instanceof FetchError)) throw error;
    controls.klas.value = state.file?.klas ?? '';
    // With nothing shown yet, the page may still open what it would have opened by itself.
    if (!state.file) state.chosen = false;
    const message = `${error.message} ${state.file && !state.file.sample ? 'Het laatst bewaarde rooster blijft staan.' : ''}`;
    say(message.trim());
    return message.trim();
  }
  return '';
}

// Bytes of a page or data file as text, in the encoding the core found them in (UTF-8 when they
// are valid UTF-8, Windows-1252 otherwise), decoded by the browser; a byte-order mark is kept.
function shownText(bytes, encoding) {
  return new TextDecoder(encoding, { ignoreBOM: true }).decode(bytes);
}

function download(bytes, name, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

async function savePage() {
  await state.building;
  if (state.page) download(state.page.bytes, state.page.saveName, 'text/html');
}

async function printPage() {
  await state.building;
  if (!state.page) return;
  if (!print(state.page.shown, { landscape: state.page.grid })) {
    say('De browser liet geen venster openen om af te drukken; sta vensters van deze pagina toe.');
  }
}

async function showData() {
  if (!state.file) return;
  const { bytes, encoding } = await withWork(() => core.ask('data'));
  state.page = null;
  show(frame, shownText(bytes, encoding));
}

const calendar = new CalendarDialog(element('agenda-dialog'), {
  core,
  work: new Work(element('agenda-work'), () => core.cancel()),
  onExported(ics, fileName, summary) {
    download(ics, fileName, 'text/calendar');
    say(`Agenda gedownload als "${fileName}": ${summary}`);
  },
});

// Keys that browsers leave to a page; each control's title names its key.
function onKey(event) {
  const key = (alt, shift, code) => event.altKey === alt && event.shiftKey === shift && event.code === code &&
    !event.ctrlKey && !event.metaKey;
  let action = null;
  if (key(true, false, 'PageUp')) action = () => controls.previous.click();
  else if (key(true, false, 'PageDown')) action = () => controls.next.click();
  else if (key(true, true, 'KeyT')) action = () => controls.today.click();
  else if (key(true, true, 'KeyA')) action = () => controls.calendar.click();
  else if (key(true, true, 'KeyS')) action = savePage;
  else if ((event.ctrlKey || event.metaKey) && !event.altKey && event.code === 'KeyP') action = printPage;
  if (!action) return;
  event.preventDefault();
  action();
}

function wire() {
  controls.file.addEventListener('change', () => openChosenFile(controls.file.files[0]));
  controls.klas.addEventListener('change', () => openClass(controls.klas.value));
  controls.previous.addEventListener('click', () => showWeekOf(addDays(state.date, -7)));
  controls.next.addEventListener('click', () => showWeekOf(addDays(state.date, 7)));
  controls.today.addEventListener('click', () => showWeekOf(today()));
  controls.date.addEventListener('change', () => {
    const date = fromField(controls.date.value);
    if (date) showWeekOf(date);
  });
  controls.week.addEventListener('change', async () => {
    const { date } = await core.ask('typedWeek', { ...state.date, typed: controls.week.value, current: state.week });
    if (date) await showWeekOf(date);
    else controls.week.value = String(state.week);
  });
  for (const box of [controls.seriesOnly, controls.series, controls.marks, controls.grid]) {
    box.addEventListener('change', () => {
      rememberChoices({ ...rememberedChoices(), ...choices() });
      build();
    });
  }
  controls.save.addEventListener('click', savePage);
  controls.data.addEventListener('click', showData);
  controls.calendar.addEventListener('click', () => calendar.open(state.date, choices()));
  controls.print.addEventListener('click', printPage);
  controls.forget.addEventListener('click', async () => {
    await forgetAll();
    Object.assign(controls.seriesOnly, { checked: false });
    controls.series.value = '';
    controls.marks.checked = false;
    controls.grid.checked = false;
    controls.klas.value = '';
    state.chosen = false;
    await openSample();
    say('Alles wat deze pagina op dit toestel bewaarde, is gewist.');
  });
  document.addEventListener('keydown', onKey);
  // A data file dropped anywhere on the page is opened.
  const hint = element('drop-hint');
  document.addEventListener('dragover', (event) => {
    if (![...event.dataTransfer.types].includes('Files')) return;
    event.preventDefault();
    hint.hidden = false;
  });
  document.addEventListener('dragleave', (event) => { if (!event.relatedTarget) hint.hidden = true; });
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    hint.hidden = true;
    openChosenFile(event.dataTransfer.files[0]);
  });
}

async function start() {
  wire();
  const remembered = rememberedChoices();
  controls.seriesOnly.checked = Boolean(remembered.seriesOnly);
  controls.series.value = remembered.series ?? '';
  controls.marks.checked = Boolean(remembered.marks);
  controls.grid.checked = Boolean(remembered.grid);
  state.date = today();
  controls.date.value = fieldValue(state.date);
  // What the start needs is asked for at once, not one thing after the other.
  const classes = schoolClasses();
  const file = rememberedFile();
  state.week = (await core.ask('weekOf', state.date)).week;
  controls.week.value = String(state.week);
  // Typed into only now, so that nothing typed before is overwritten by this week.
  controls.week.disabled = false;

  state.classes = await classes;
  for (const entry of state.classes) controls.klas.append(new Option(entry.naam, entry.naam));
  element('class-field').hidden = state.classes.length === 0;

  const asked = new URLSearchParams(location.search).get('klas');
  let failure = '';
  if (asked !== null && state.classes.some((entry) => entry.naam === asked)) {
    controls.klas.value = asked;
    failure = await openClass(asked);
  }
  const last = await file;
  if (last && !state.file) {
    await openByItself({ ...last, sample: false });
    if (last.klas) controls.klas.value = last.klas;
  }
  if (!state.file) await openSample();
  // What stands in for the class that could not be had does not hide why.
  if (failure) say(failure);
}

if ('serviceWorker' in navigator) navigator.serviceWorker.register('service-worker.js').catch(() => {});
start();
