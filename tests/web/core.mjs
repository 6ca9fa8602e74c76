// Loads the core's WebAssembly module under node, as the page's worker loads it in a browser.
// The module is found in ORBELQUINT_WEB_BUILD (default build-web/bin), the native tool it is
// compared with in ORBELQUINT_TOOL (default build/bin/orbelquint-week).
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { dirname, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const root = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const webBuild = resolve(root, process.env.ORBELQUINT_WEB_BUILD ?? 'build-web/bin');
export const tool = resolve(root, process.env.ORBELQUINT_TOOL ?? 'build/bin/orbelquint-week');

export async function loadCore() {
  const { default: OrbelQuintCore } = await import(pathToFileURL(resolve(webBuild, 'orbelquint-core.js')));
  // The module's own loader would fetch its bytes as a URL, which node cannot.
  return OrbelQuintCore({ wasmBinary: readFileSync(resolve(webBuild, 'orbelquint-core.wasm')) });
}

// A Timetable of the module holding `bytes`, named `name` in messages; delete() it after use.
export function timetableOf(core, name, bytes) {
  const timetable = new core.Timetable(name, bytes.length);
  timetable.bytes().set(bytes);
  return timetable;
}

// The native tool's exit status, output bytes and report on standard error.
export function runTool(args, environment = {}) {
  const run = spawnSync(tool, args, { env: { ...process.env, ...environment }, maxBuffer: 1 << 28 });
  return { status: run.status, out: run.stdout, err: run.stderr.toString('utf8') };
}
