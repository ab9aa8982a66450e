// The uncertainty of each run's coefficient, computed in a worker one run
// after another and kept by what it depends on (the run's inputs, height
// and merged uncertainties), as the desktop's cache does, so that undoing a
// change shows the earlier result at once. Nothing here blocks typing.
//
// A run the user cancelled, or whose worker failed, says so until it is
// asked for again (an export asks for every run); only results are kept.

import { tr } from './i18n.js';

// What the result depends on, as the module's run gives it.
const keyOf = (run) => run.uncertaintyKey;

export class UncertaintyCache {
  // onComputed() after each result or stop; onFailed(detail) once the
  // worker could not load or compute, with the browser's words for why.
  constructor(onComputed, onFailed = () => {}) {
    this.onComputed = onComputed;
    this.onFailed = onFailed;
    this.known = new Map();
    this.stopped = new Map();
    this.waiting = [];
    this.running = null;
    this.worker = null;
    this.done = 0;
    this.total = 0;
    this.idle = [];
    this.ending = 'done';
    this.failure = '';
  }

  // The run's {gum, monteCarlo}, null while it is being computed or still
  // to be; undefined for a run that has none to compute (no coefficient or
  // no uncertainty). A stopped run gives the reason as both results'.
  find(run) {
    if (run.mtc === null || !run.hasUncertainty) return undefined;
    const key = keyOf(run);
    const stop = this.stopped.get(key);
    if (stop !== undefined) return { gum: { ...stop }, monteCarlo: { ...stop } };
    return this.known.get(key) ?? null;
  }

  // Each run's Monte Carlo result as the library takes it back, null where unknown.
  monteCarloOf(runs) {
    return runs.map((run) => this.find(run)?.monteCarlo ?? null);
  }

  // Whether every run that has a result to compute has it.
  complete(runs) {
    return runs.every((run) => {
      const found = this.find(run);
      return found === undefined || (found !== null && !this.stopped.has(keyOf(run)));
    });
  }

  // Starts computing every run's result that is not known or on its way;
  // with `again`, the stopped ones too.
  request(runs, again = false) {
    for (const run of runs) {
      if (this.find(run) === undefined) continue;
      const key = keyOf(run);
      if (this.known.has(key) || (this.stopped.has(key) && !again)) continue;
      this.stopped.delete(key);
      if (this.running?.key === key || this.waiting.some((job) => job.key === key)) continue;
      this.waiting.push({ key, run: { y1: run.y1, x1: run.x1, gasFlow: run.gasFlow, waterFlow: run.waterFlow,
        packingHeight: run.packingHeight }, given: run.given });
      this.total += 1;
    }
    this.next();
  }

  busy() {
    return this.running !== null;
  }

  // Resolves once nothing is being computed: 'done', or 'cancelled' or
  // 'failed' when the computing stopped that way.
  settled() {
    return this.busy() ? new Promise((resolve) => this.idle.push(resolve)) : Promise.resolve('done');
  }

  next() {
    if (this.running) return;
    this.running = this.waiting.shift() ?? null;
    if (!this.running) {
      this.done = 0;
      this.total = 0;
      const ending = this.ending;
      this.ending = 'done';
      this.idle.splice(0).forEach((resolve) => resolve(ending));
      return;
    }
    if (!this.worker) {
      this.worker = new Worker(new URL('./uncertainty-worker.js', import.meta.url), { type: 'module' });
      this.worker.onmessage = ({ data }) => {
        if (data.error !== undefined) {
          this.fail(data.error);
          return;
        }
        this.known.set(data.key, data.found);
        this.done += 1;
        this.running = null;
        this.next();
        this.onComputed();
      };
      // A script that does not load or throws outside a job.
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.fail(event.message || '');
      };
      this.worker.onmessageerror = () => this.fail('');
    }
    this.worker.postMessage(this.running);
  }

  // Ends the worker and marks the runs not finished with the reason; the
  // next job starts a fresh worker.
  stop(reason, ending, cancelled = false) {
    if (!this.running) return;
    this.worker.terminate();
    this.worker = null;
    for (const job of [this.running, ...this.waiting]) this.stopped.set(job.key, { reason, cancelled });
    this.running = null;
    this.waiting = [];
    this.ending = ending;
    this.next();
    this.onComputed();
  }

  // Stops the computing: the runs not finished are given as cancelled until
  // they are asked for again.
  cancel() {
    this.stop(tr('RunsModel',
      'Cancelled: computed for the next export or report, or when the run or the uncertainties change'),
    'cancelled', true);
  }

  fail(detail) {
    if (!this.running) return;
    // What the browser said, for the export's box.
    this.failure = detail || tr('Web', 'the computing in the background could not start');
    this.stop(tr('Web', 'its computing failed'), 'failed');
    this.onFailed(this.failure);
  }
}
