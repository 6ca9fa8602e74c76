// Calendar dates as the page passes them around: { year, month, day }, in the device's own time
// zone. Which week a date lies in is the core's rule; here dates are only stepped and written.
export function today() {
  const now = new Date();
  return { year: now.getFullYear(), month: now.getMonth() + 1, day: now.getDate() };
}

export function addDays({ year, month, day }, days) {
  const moved = new Date(year, month - 1, day + days);
  return { year: moved.getFullYear(), month: moved.getMonth() + 1, day: moved.getDate() };
}

const two = (number) => String(number).padStart(2, '0');

// The value of a date field: yyyy-mm-dd.
export function fieldValue({ year, month, day }) {
  return `${String(year).padStart(4, '0')}-${two(month)}-${two(day)}`;
}

// The date of a date field's value; null for an empty or partly typed field.
export function fromField(value) {
  const match = /^(\d{4,})-(\d{2})-(\d{2})$/.exec(value);
  return match ? { year: Number(match[1]), month: Number(match[2]), day: Number(match[3]) } : null;
}

// The date as the core reads and writes it: dd-mm-yyyy.
export function dateText({ year, month, day }) {
  return `${two(day)}-${two(month)}-${String(year).padStart(4, '0')}`;
}

export function fromDateText(text) {
  const [day, month, year] = text.split('-').map(Number);
  return { year, month, day };
}
