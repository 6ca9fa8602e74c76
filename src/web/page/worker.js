// Runs the core off the page's thread, so that the page answers while a large timetable is read.
// It holds one data file at a time and answers each request with the core's own result.
import OrbelQuintCore from './orbelquint-core.js';

const core = await OrbelQuintCore();
let timetable = null;

const requests = {
  open({ name, bytes }) {
    timetable?.delete();
    timetable = new core.Timetable(name, bytes.length);
    timetable.bytes().set(bytes);
    return {};
  },
  weekPage({ week, seriesFiltered, series, grid, marked }) {
    return timetable.weekPage(week, seriesFiltered, series, grid, marked);
  },
  data() {
    return { shown: timetable.shown() };
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

onmessage = ({ data: { id, kind, ...request } }) => {
  const result = requests[kind](request, id);
  // The page's bytes move to the page instead of being copied.
  const moved = ['page', 'ics'].map((key) => result[key]?.buffer).filter(Boolean);
  postMessage({ id, result }, moved);
};
postMessage({ ready: true });
