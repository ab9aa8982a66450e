// The uncertainty of each run's coefficient, computed on as many workers as
// the computer has cores and kept by what it depends on (the run's inputs,
// height, merged uncertainties and equilibrium temperature, and its
// readings where they have uncertainties), as the desktop's cache does, so
// that undoing a change shows the earlier result at once. Nothing here
// blocks typing.
//
// Only what the series asks for now is computed: a run changed again, or
// uncertainties typed one field after another, drop the work for what they
// replaced. A run the user cancelled, or whose worker failed, says so until
// it is asked for again (an export asks for every run); only results are
// kept.

import { tr } from './i18n.js';
import { coreCount } from './opening.js';

const keyOf = (run) => run.uncertaintyKey;

export class UncertaintyCache {
  // The series is read through the module; onComputed() after results or
  // a stop; onFailed(detail) once a worker could not load or compute, with
  // the browser's words for why.
  constructor(quillon, documentOfRuns, onComputed, onFailed = () => {}) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.onComputed = onComputed;
    this.onFailed = onFailed;
    this.known = new Map();
    this.stopped = new Map();
    // Jobs as {key, row}, the row where the run was when it was asked for.
    this.waiting = [];
    // The job each busy worker computes; idle workers wait for the next.
    this.running = new Map();
    this.idleWorkers = [];
    this.done = 0;
    this.total = 0;
    this.twins = new Map();
    this.idle = [];
    this.ending = 'done';
    this.failure = '';
  }

  // Every run's key, '' for a run with nothing to compute.
  keys() {
    return this.runs.uncertaintyKeys().split('\n').slice(0, -1);
  }

  // The run's {gum, monteCarlo}, null while it is being computed or still
  // to be; undefined for a run that has none to compute (no coefficient or
  // no uncertainty). A stopped run gives the reason as both results'.
  find(run) {
    if (run.mtc === null || !run.hasUncertainty) return undefined;
    return this.findKey(keyOf(run));
  }

  findKey(key) {
    if (key === '') return undefined;
    const stop = this.stopped.get(key);
    if (stop !== undefined) return { gum: { ...stop }, monteCarlo: { ...stop } };
    return this.known.get(key) ?? null;
  }

  // Each run's Monte Carlo result as the library takes it back, null where
  // unknown: of the runs given, or of the whole series.
  monteCarloOf(runs) {
    return runs.map((run) => this.find(run)?.monteCarlo ?? null);
  }

  monteCarloNow() {
    return this.keys().map((key) => this.findKey(key)?.monteCarlo ?? null);
  }

  // For the analysis: each run's Monte Carlo result (or why it stopped),
  // null while it is still to be computed, undefined where there is none to
  // compute; the weighted fit waits for the nulls.
  monteCarloForFit() {
    return this.keys().map((key) => {
      const found = this.findKey(key);
      return found === null ? null : (found?.monteCarlo ?? undefined);
    });
  }

  // Whether every run of the series that has a result to compute has it.
  complete() {
    return this.keys().every((key) => {
      const found = this.findKey(key);
      return found === undefined || (found !== null && !this.stopped.has(key));
    });
  }

  // Computes what the series asks for now and is not known; with `again`,
  // the stopped runs too. Work for what it no longer asks for is dropped.
  request(again = false) {
    const keys = this.keys();
    const wanted = new Set(keys);
    // A run stopped under inputs or uncertainties it no longer has is asked
    // afresh when it has them again: they changed.
    for (const key of [...this.stopped.keys()]) {
      if (!wanted.has(key)) this.stopped.delete(key);
    }
    for (const [worker, job] of this.running) {
      if (!wanted.has(job.key)) this.endWorker(worker);
    }
    const running = new Set([...this.running.values()].map((job) => job.key));
    const queued = new Set();
    this.waiting = [];
    for (const [row, key] of keys.entries()) {
      if (key === '' || this.known.has(key) || running.has(key) || queued.has(key)) continue;
      if (this.stopped.has(key)) {
        if (!again) continue;
        this.stopped.delete(key);
      }
      queued.add(key);
      this.waiting.push({ key, row });
    }
    // The progress counts the series' runs, a run sharing its inputs done
    // with its twin: an edit during the work puts its run back to pending
    // rather than the count back to 0.
    this.twins = new Map();
    this.done = 0;
    for (const key of keys) {
      if (key === '' || this.stopped.has(key)) continue;
      if (this.known.has(key)) this.done += 1;
      else this.twins.set(key, (this.twins.get(key) ?? 0) + 1);
    }
    this.total = this.done;
    for (const count of this.twins.values()) this.total += count;
    this.next();
  }

  busy() {
    return this.running.size > 0 || this.waiting.length > 0;
  }

  // Resolves once nothing is being computed: 'done', or 'cancelled' or
  // 'failed' when the computing stopped that way.
  settled() {
    return this.busy() ? new Promise((resolve) => this.idle.push(resolve)) : Promise.resolve('done');
  }

  // Gives waiting jobs to free workers, as many as there are cores.
  next() {
    while (this.waiting.length > 0 && this.running.size < coreCount()) {
      const job = this.waiting.shift();
      // The series changed since it asked: the next request has it.
      const run = job.row < this.runs.size() ? this.runs.run(job.row) : null;
      if (run === null || keyOf(run) !== job.key) {
        this.total -= this.twins.get(job.key) ?? 1;
        continue;
      }
      const worker = this.idleWorkers.pop() ?? this.newWorker();
      this.running.set(worker, job);
      // The run with its readings, the series' uncertainties, flow unit and
      // equilibrium option, as the desktop computes it.
      const packed = this.runs.uncertaintyJob(job.row);
      worker.postMessage({ key: job.key, job: packed }, [packed.buffer]);
    }
    if (this.busy()) return;
    this.done = 0;
    this.total = 0;
    const ending = this.ending;
    this.ending = 'done';
    this.idle.splice(0).forEach((resolve) => resolve(ending));
  }

  newWorker() {
    const worker = new Worker(new URL('./uncertainty-worker.js', import.meta.url), { type: 'module' });
    worker.onmessage = ({ data }) => {
      if (data.error !== undefined) {
        this.fail(data.error);
        return;
      }
      this.known.set(data.key, data.found);
      this.running.delete(worker);
      this.idleWorkers.push(worker);
      this.done += this.twins.get(data.key) ?? 1;
      this.next();
      this.onComputed();
    };
    // A script that does not load or throws outside a job.
    worker.onerror = (event) => {
      event.preventDefault();
      this.fail(event.message || '');
    };
    worker.onmessageerror = () => this.fail('');
    return worker;
  }

  // A worker in the middle of a job is ended at once, not asked to stop:
  // a Monte Carlo run does not look at its messages.
  endWorker(worker) {
    worker.terminate();
    this.running.delete(worker);
  }

  // Ends every worker and marks the runs not finished with the reason.
  stop(reason, ending, cancelled = false) {
    if (!this.busy()) return;
    for (const job of [...this.running.values(), ...this.waiting]) this.stopped.set(job.key, { reason, cancelled });
    for (const worker of [...this.running.keys(), ...this.idleWorkers]) worker.terminate();
    this.running.clear();
    this.idleWorkers = [];
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
    if (!this.busy()) return;
    // What the browser said, for the export's box.
    this.failure = detail || tr('Web', 'the computing in the background could not start');
    this.stop(tr('Web', 'its computing failed'), 'failed');
    this.onFailed(this.failure);
  }
}
