// Long work in sight: after a moment a progress bar and the button "Annuleren" appear in `area`
// (which holds one <progress> and one <button>); quick work shows nothing.
export class Work {
  #area;
  #bar;

  constructor(area, cancel) {
    this.#area = area;
    this.#bar = area.querySelector('progress');
    area.querySelector('button').addEventListener('click', cancel);
  }

  // Runs `task`, handing it a function that tells how far it is (done of total).
  async run(task) {
    const shown = setTimeout(() => { this.#area.hidden = false; }, 300);
    try {
      return await task((done, total) => {
        this.#bar.max = total;
        this.#bar.value = done;
      });
    } finally {
      clearTimeout(shown);
      this.#area.hidden = true;
      this.#bar.removeAttribute('value');
    }
  }
}
