// The uncertainty of each run's coefficient, computed in a worker one run
// after another and kept by what it depends on (the run's inputs, height
// and merged uncertainties), as the desktop's cache does, so that undoing a
// change shows the earlier result at once. Nothing here blocks typing.

const keyOf = (run) => JSON.stringify([run.y1, run.x1, run.gasFlow, run.waterFlow, run.packingHeight,
  run.given.gasFlowRel, run.given.waterFlowRel, run.given.y1, run.given.x1, run.given.packingHeight]);

export class UncertaintyCache {
  constructor(onComputed) {
    this.onComputed = onComputed;
    this.known = new Map();
    this.waiting = [];
    this.running = null;
    this.worker = null;
    this.done = 0;
    this.total = 0;
    this.idle = [];
  }

  // The run's {gum, monteCarlo}, null while it is being computed; undefined
  // for a run that has none to compute (no coefficient or no uncertainty).
  find(run) {
    if (run.mtc === null || !run.hasUncertainty) return undefined;
    return this.known.get(keyOf(run)) ?? null;
  }

  // Each run's Monte Carlo result as the library takes it back, null where unknown.
  monteCarloOf(runs) {
    return runs.map((run) => this.find(run)?.monteCarlo ?? null);
  }

  // Starts computing every run's result that is not known or on its way.
  request(runs) {
    for (const run of runs) {
      if (this.find(run) !== null) continue;
      const key = keyOf(run);
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

  // Resolves once nothing is being computed.
  settled() {
    return this.busy() ? new Promise((resolve) => this.idle.push(resolve)) : Promise.resolve();
  }

  next() {
    if (this.running) return;
    this.running = this.waiting.shift() ?? null;
    if (!this.running) {
      this.done = 0;
      this.total = 0;
      this.idle.splice(0).forEach((resolve) => resolve());
      return;
    }
    if (!this.worker) {
      this.worker = new Worker(new URL('./uncertainty-worker.js', import.meta.url), { type: 'module' });
      this.worker.onmessage = ({ data }) => {
        this.known.set(data.key, data.found);
        this.done += 1;
        this.running = null;
        this.next();
        this.onComputed();
      };
    }
    this.worker.postMessage(this.running);
  }

  // Stops the computing: the runs not finished are given as cancelled until
  // their values or uncertainties change.
  cancel() {
    if (!this.running) return;
    this.worker.terminate();
    this.worker = null;
    const cancelled = { reason: 'cancelled' };
    for (const job of [this.running, ...this.waiting]) this.known.set(job.key, { gum: cancelled, monteCarlo: cancelled });
    this.running = null;
    this.waiting = [];
    this.next();
    this.onComputed();
  }
}
