// The page's workers for work on a whole series, and opening a file with
// them: a small file is read on the page's thread, a large one in a worker;
// the runs are integrated on as many workers as the computer has cores, in
// shares, so that the progress shows and Cancel acts at once.
import { catalogue } from './i18n.js';

// As many runs as the page's thread integrates within one short task, and
// the largest file it reads itself, in bytes.
const fewRuns = 4;
const smallFile = 65536;
const sharesPerWorker = 8;

export const coreCount = () => Math.max(1, Math.min(navigator.hardwareConcurrency || 2, 16));

// One worker of series-worker.js speaking the page's language; each job
// answered by a promise, rejected with the worker's words, or with null
// once the worker is ended.
export class SeriesWorker {
  constructor(decimalPoint) {
    this.worker = new Worker(new URL('./series-worker.js', import.meta.url), { type: 'module' });
    this.waiting = new Map();
    this.nextId = 1;
    this.worker.onmessage = ({ data }) => {
      const job = this.waiting.get(data.id);
      this.waiting.delete(data.id);
      if (data.error !== undefined) job?.reject(new Error(data.error)); else job?.resolve(data);
    };
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.end(new Error(event.message || ''));
    };
    this.ask({ job: 'locale', catalogue: catalogue(), decimalPoint });
  }

  ask(message, transfer = []) {
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject });
      this.worker.postMessage({ id, ...message }, transfer);
    });
  }

  end(why = null) {
    this.worker.terminate();
    for (const job of this.waiting.values()) job.reject(why);
    this.waiting.clear();
  }
}

export class Opening {
  // onProgress(done, total) after each share.
  constructor(quillon, documentOfRuns, onProgress = () => {}) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.onProgress = onProgress;
    this.workers = [];
    this.cancelled = false;
  }

  worker(at) {
    while (this.workers.length <= at) this.workers.push(new SeriesWorker(this.quillon.decimalPoint()));
    return this.workers[at];
  }

  // Reads the file (`how` as the module's readFile takes it) and takes it
  // into the series: the module's answer, or null once cancelled; rejects
  // with a worker's words.
  async run(bytes, name, how) {
    try {
      if (bytes.length <= smallFile) {
        const read = this.runs.readFile(bytes, name, how);
        if (!read.ok) return read;
        const integrated = await this.integrate(read.inputs);
        return this.cancelled ? null : this.runs.takeFile(integrated, name);
      }
      const reader = this.worker(0);
      const { read } = await reader.ask({ job: 'read', bytes, name, how });
      if (!read.ok) return read;
      const integrated = await this.integrate(read.inputs);
      const { answer, packed } = await reader.ask({ job: 'take', integrated, name }, [integrated.buffer]);
      if (this.cancelled) return null;
      this.runs.takePacked(packed, how);
      return answer;
    } catch (error) {
      if (this.cancelled || error === null) return null;
      throw error;
    } finally {
      this.end();
    }
  }

  // Each run's outcome code and NTU, two numbers a run, for the inputs
  // (four a run).
  async integrate(inputs) {
    const runs = inputs.length / 4;
    if (runs <= fewRuns) return this.quillon.integrateRuns(inputs);
    const integrated = new Float64Array(2 * runs);
    const shareRuns = Math.max(fewRuns, Math.ceil(runs / (coreCount() * sharesPerWorker)));
    let next = 0;
    let done = 0;
    const work = async (worker) => {
      for (let first = next; first < runs; first = next) {
        next = Math.min(runs, first + shareRuns);
        const share = await worker.ask({ job: 'integrate', inputs: inputs.slice(4 * first, 4 * next) });
        integrated.set(share.integrated, 2 * first);
        done += share.integrated.length / 2;
        this.onProgress(done, runs);
      }
    };
    const count = Math.min(coreCount(), Math.ceil(runs / shareRuns));
    await Promise.all(Array.from({ length: count }, (_, at) => work(this.worker(at))));
    return integrated;
  }

  // Ends the workers; the file is not taken in.
  cancel() {
    this.cancelled = true;
    this.end();
  }

  end() {
    for (const worker of this.workers) worker.end();
    this.workers = [];
  }
}
