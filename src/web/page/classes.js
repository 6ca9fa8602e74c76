// The school's own timetables: a file roosters.json beside the page, a list of
// { "naam": "5 Wetenschappen-Wiskunde", "bestand": "roosters/5wewi.htm" }, offered in the list
// "Klas". A class's file is fetched from the same site only, at most 64 MB of it.
export const maxFileBytes = 64 * 1024 * 1024;

// The classes of roosters.json; none when there is no such file or it holds no such list.
export async function schoolClasses() {
  let list;
  try {
    const response = await fetch('roosters.json', { cache: 'no-cache' });
    if (!response.ok) return [];
    list = await response.json();
  } catch {
    return [];
  }
  if (!Array.isArray(list)) return [];
  return list.filter((entry) => typeof entry?.naam === 'string' && typeof entry?.bestand === 'string' &&
    entry.naam.trim() !== '' && sameSite(entry.bestand) !== null);
}

// The address of a class's file when it lies on this very site; null otherwise.
function sameSite(path) {
  try {
    const url = new URL(path, document.baseURI);
    return url.origin === location.origin ? url : null;
  } catch {
    return null;
  }
}

export class FetchError extends Error {}

// A class's file as a Blob; a FetchError in Dutch when it cannot be had.
export async function fetchClassFile(entry) {
  const url = sameSite(entry.bestand);
  if (!url) throw new FetchError(`Het rooster van klas ${entry.naam} staat niet op deze site.`);
  let response;
  try {
    response = await fetch(url, { cache: 'no-cache', credentials: 'same-origin', redirect: 'error' });
  } catch {
    throw new FetchError(`Het rooster van klas ${entry.naam} kan niet worden opgehaald: is er verbinding?`);
  }
  if (!response.ok) {
    throw new FetchError(`Het rooster van klas ${entry.naam} kan niet worden opgehaald (${response.status}).`);
  }
  const tooLarge = new FetchError(`Het rooster van klas ${entry.naam} is groter dan 64 MB.`);
  if (Number(response.headers.get('Content-Length')) > maxFileBytes) throw tooLarge;
  const parts = [];
  let size = 0;
  const reader = response.body.getReader();
  for (let part = await reader.read(); !part.done; part = await reader.read()) {
    size += part.value.length;
    if (size > maxFileBytes) {
      reader.cancel();
      throw tooLarge;
    }
    parts.push(part.value);
  }
  return new Blob(parts, { type: 'text/html' });
}
