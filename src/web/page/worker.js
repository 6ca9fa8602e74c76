// Runs the core off the page's thread, so that the page answers while a large timetable is read.
// It holds one data file at a time and answers each request with the core's own result.
import OrbelQuintCore from './orbelquint-core.js';

const core = await OrbelQuintCore();
let timetable = null;

const requests = {
  // The file is read piece by piece straight into the module's memory, where it is held once.
  async open({ name, blob }) {
    timetable?.delete();
    timetable = null;
    const opened = new core.Timetable(name, blob.size);
    // Nothing is allocated in the module while the file is read, so the view stays valid.
    const target = opened.bytes();
    const reader = blob.stream().getReader();
    let at = 0;
    for (let piece = await reader.read(); !piece.done; piece = await reader.read()) {
      target.set(piece.value.subarray(0, target.length - at), at);
      at += piece.value.length;
    }
    timetable = opened;
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
