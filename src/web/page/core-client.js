// The page's side of the worker that runs the core: requests as promises, and a cancel that stops
// a long build at once by ending the worker and starting a fresh one with the same data file.
export class CoreClient {
  #worker = null;
  #ready = null;
  #pending = new Map();
  #next = 0;
  #file = null;

  constructor() {
    this.#start();
  }

  #start() {
    this.#worker = new Worker(new URL('./worker.js', import.meta.url), { type: 'module' });
    this.#ready = new Promise((resolve, reject) => {
      this.#worker.onmessage = ({ data }) => {
        if (data.ready) {
          this.#worker.onmessage = ({ data: answer }) => this.#answer(answer);
          resolve();
        }
      };
      this.#worker.onerror = (event) => reject(new Error(event.message || 'De rekenmodule kan niet starten.'));
    });
    if (this.#file) this.#ready = this.#ready.then(() => this.#send('open', this.#file));
  }

  #answer({ id, result, progress }) {
    const pending = this.#pending.get(id);
    if (!pending) return;
    if (progress) {
      pending.onProgress?.(progress);
      return;
    }
    this.#pending.delete(id);
    pending.resolve(result);
  }

  #send(kind, request, onProgress) {
    const id = ++this.#next;
    return new Promise((resolve, reject) => {
      this.#pending.set(id, { resolve, reject, onProgress });
      this.#worker.postMessage({ id, kind, ...request });
    });
  }

  // Asks the core; `onProgress` hears how far a calendar is.
  async ask(kind, request = {}, onProgress = undefined) {
    await this.#ready;
    return this.#send(kind, request, onProgress);
  }

  // Hands the core a data file: its name and its Blob, which the worker reads, so that the page
  // itself never holds or copies a large file; kept for a fresh worker after a cancel.
  async open(name, blob) {
    this.#file = { name, blob };
    return this.ask('open', { name, blob });
  }

  // Stops whatever the core is doing: every request in hand is rejected as cancelled.
  cancel() {
    this.#worker.terminate();
    for (const { reject } of this.#pending.values()) reject(new CancelledError());
    this.#pending.clear();
    this.#start();
  }
}

export class CancelledError extends Error {
  constructor() {
    super('Geannuleerd.');
    this.name = 'CancelledError';
  }
}
