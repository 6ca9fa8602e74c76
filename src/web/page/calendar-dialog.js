// The dialog "Agenda exporteren": the dates, the bell-time table and the free days, remembered on
// the device; the core checks them and makes the calendar.
import { CancelledError } from './core-client.js';
import { dateText, fieldValue, fromDateText, fromField } from './dates.js';
import { rememberChoices, rememberedChoices } from './storage.js';

export class CalendarDialog {
  #dialog;
  #core;
  #work;
  #onExported;
  #choices = {};
  #freeDays = [];

  constructor(dialog, { core, work, onExported }) {
    this.#dialog = dialog;
    this.#core = core;
    this.#work = work;
    this.#onExported = onExported;
    this.#field('rij-toevoegen').addEventListener('click', () => this.#addRow(['', '', ''], true));
    this.#field('dagen-toevoegen').addEventListener('click', () => this.#addFreeDays());
    this.#field('eerste-vrij').addEventListener('change', () => {
      const first = this.#field('eerste-vrij').value;
      if (first && this.#field('laatste-vrij').value < first) this.#field('laatste-vrij').value = first;
    });
    this.#field('agenda-sluiten').addEventListener('click', () => dialog.close());
    this.#field('agenda-form').addEventListener('submit', (event) => {
      event.preventDefault();
      this.#export();
    });
  }

  #field(id) {
    return this.#dialog.querySelector(`#${id}`);
  }

  #say(message) {
    this.#field('agenda-message').textContent = message;
  }

  // Opens the dialog on the school year of `date`, or the dates, bell times and free days chosen
  // last; `choices` are the page's series filter.
  async open(date, choices) {
    this.#choices = choices;
    const remembered = rememberedChoices().calendar ?? {};
    const schoolYear = await this.#core.ask('schoolYear', date);
    const { bellTimes } = await this.#core.ask('defaults');
    this.#field('van').value = fieldValue(fromDateText(remembered.from ?? schoolYear.from));
    this.#field('tot').value = fieldValue(fromDateText(remembered.to ?? schoolYear.to));
    const body = this.#field('beltijden').tBodies[0];
    body.replaceChildren();
    for (const row of remembered.bellTimes ?? bellTimes) this.#addRow(row, false);
    this.#freeDays = remembered.freeDays ?? [];
    this.#showFreeDays();
    this.#say('');
    this.#dialog.showModal();
  }

  #addRow([hour, start, end], focus) {
    const body = this.#field('beltijden').tBodies[0];
    const number = body.rows.length + 1;
    const row = body.insertRow();
    const cell = (value, label) => {
      const input = document.createElement('input');
      input.type = 'text';
      input.value = value;
      input.setAttribute('aria-label', `${label}, rij ${number}`);
      input.size = 5;
      row.insertCell().append(input);
      return input;
    };
    const first = cell(hour, 'Lesuur');
    cell(start, 'Begin');
    cell(end, 'Einde');
    const remove = document.createElement('button');
    remove.type = 'button';
    remove.textContent = 'Weg';
    remove.setAttribute('aria-label', `Rij ${number} verwijderen`);
    remove.addEventListener('click', () => row.remove());
    row.insertCell().append(remove);
    if (focus) first.focus();
  }

  #rows() {
    return [...this.#field('beltijden').tBodies[0].rows].map((row) =>
      [...row.querySelectorAll('input')].map((input) => input.value));
  }

  async #addFreeDays() {
    const first = fromField(this.#field('eerste-vrij').value);
    const last = fromField(this.#field('laatste-vrij').value) ?? first;
    if (!first) return this.#say('Kies de eerste vrije dag.');
    const days = [dateText(first), dateText(last)];
    const { problem } = await this.#core.ask('freeDaysProblem', { first: days[0], last: days[1] });
    if (problem) return this.#say(problem);
    this.#freeDays.push(days);
    this.#showFreeDays();
    this.#say('');
  }

  #showFreeDays() {
    const list = this.#field('vrije-dagen');
    list.replaceChildren(...this.#freeDays.map(([first, last], index) => {
      const item = document.createElement('li');
      item.textContent = first === last ? first : `${first} tot en met ${last}`;
      const remove = document.createElement('button');
      remove.type = 'button';
      remove.textContent = 'Weg';
      remove.setAttribute('aria-label', `${item.textContent} verwijderen`);
      remove.addEventListener('click', () => {
        this.#freeDays.splice(index, 1);
        this.#showFreeDays();
      });
      item.append(' ', remove);
      return item;
    }));
  }

  async #export() {
    const from = fromField(this.#field('van').value);
    const to = fromField(this.#field('tot').value);
    if (!from || !to) return this.#say('Kies de eerste en de laatste dag.');
    const calendar = { from: dateText(from), to: dateText(to), bellTimes: this.#rows(), freeDays: this.#freeDays };
    let result;
    try {
      result = await this.#work.run((onProgress) => this.#core.ask('calendar', {
        options: {
          ...calendar,
          seriesFiltered: this.#choices.seriesOnly,
          series: this.#choices.series,
          stamp: Math.floor(Date.now() / 1000),
        },
      }, ({ read, needed }) => onProgress(read, needed)));
    } catch (error) {
      if (error instanceof CancelledError) return this.#say('De agenda is niet gemaakt: geannuleerd.');
      throw error;
    }
    if (!result.complete) return this.#say(result.message);
    rememberChoices({ ...rememberedChoices(), calendar });
    this.#dialog.close();
    this.#onExported(result.ics, result.fileName, result.summary);
  }
}
