// What the page remembers on this device: the last data file (its name and Blob) in IndexedDB,
// the choices (series, marks, grid, bell times, free days) in localStorage. Nothing leaves the
// device. Where the browser keeps nothing (a private window, storage turned off), the page works
// on without remembering.
const database = 'orbelquint';
const store = 'gegevensbestand';
const choicesKey = 'orbelquint-keuzes';

function openDatabase() {
  return new Promise((resolve, reject) => {
    const request = indexedDB.open(database, 1);
    request.onupgradeneeded = () => request.result.createObjectStore(store);
    request.onsuccess = () => resolve(request.result);
    request.onerror = () => reject(request.error);
  });
}

async function withStore(mode, work) {
  const db = await openDatabase();
  try {
    return await new Promise((resolve, reject) => {
      const transaction = db.transaction(store, mode);
      const request = work(transaction.objectStore(store));
      transaction.oncomplete = () => resolve(request.result);
      transaction.onerror = () => reject(transaction.error);
      transaction.onabort = () => reject(transaction.error);
    });
  } finally {
    db.close();
  }
}

// The remembered data file, { name, blob, klas }, or null.
export async function rememberedFile() {
  try {
    return (await withStore('readonly', (files) => files.get('laatste'))) ?? null;
  } catch {
    return null;
  }
}

// Keeps the data file; false when the browser keeps nothing.
export async function rememberFile(file) {
  try {
    await withStore('readwrite', (files) => files.put(file, 'laatste'));
    return true;
  } catch {
    return false;
  }
}

export function rememberedChoices() {
  try {
    return JSON.parse(localStorage.getItem(choicesKey)) ?? {};
  } catch {
    return {};
  }
}

export function rememberChoices(choices) {
  try {
    localStorage.setItem(choicesKey, JSON.stringify(choices));
  } catch {
    // Nothing is kept; the page goes on.
  }
}

// Removes everything the page keeps on this device.
export async function forgetAll() {
  try {
    localStorage.removeItem(choicesKey);
  } catch {
    // Nothing was kept.
  }
  await new Promise((resolve) => {
    const request = indexedDB.deleteDatabase(database);
    request.onsuccess = request.onerror = request.onblocked = () => resolve();
  });
}
