// Runs the core off the page's thread, so that the page answers while a large timetable is read.
// It holds one data file at a time and answers each request with the core's own result.
import OrbelQuintCore from './orbelquint-core.js';

const core = await OrbelQuintCore();
let timetable = null;

const requests = {
  async open({ name, blob }) {
    const bytes = new Uint8Array(await blob.arrayBuffer());
    timetable?.delete();
    timetable = null;
    timetable = new core.Timetable(name, bytes.length);
    timetable.bytes().set(bytes);
    return {};
  },
  weekPage({ week, seriesFiltered, series, grid, marked }) {
    return timetable.weekPage(week, seriesFiltered, series, grid, marked);
  },
  data() {
    return timetable.shown();
  },
  calendar({ options }, id) {
    const progress = (read, needed) => postMessage({ id, progress: { read, needed } });
    return timetable.calendar({ ...options, progress });
  },
  weekOf({ year, month, day }) {
    return { week: core.weekOf(year, month, day) };
  },
  typedWeek({ year, month, day, typed, current }) {
    return { date: core.dateOfTypedWeek(year, month, day, typed, current) };
  },
  schoolYear({ year, month, day }) {
    return core.schoolYear(year, month, day);
  },
  defaults() {
    return { bellTimes: core.defaultBellTimes(), version: core.version() };
  },
  freeDaysProblem({ first, last }) {
    return { problem: core.freeDaysProblem(first, last) };
  },
};

// Requests are answered one at a time, in the order they came, also while a file is being read.
let queue = Promise.resolve();
onmessage = ({ data: { id, kind, ...request } }) => {
  queue = queue.then(async () => {
    const result = await requests[kind](request, id);
    // The bytes move to the page instead of being copied.
    const moved = ['page', 'marked', 'bytes', 'ics'].map((key) => result[key]?.buffer).filter(Boolean);
    postMessage({ id, result }, moved);
  });
};
postMessage({ ready: true });
