// The standard uncertainty of a run's coefficient: the GUM's first order at
// once, the adaptive Monte Carlo method in a worker with a progress mark.
import { language, tr } from './i18n.js';
import { numberText, parseNumber } from './numbers.js';

const t = (source, ...args) => tr('Web', source, ...args);
// The same draws every time, on every machine.
const seed = 20240601;

export class Uncertainty {
  constructor(quillon, documentOfRuns) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.worker = null;
    this.choice = document.getElementById('uRun');
    this.output = document.getElementById('uncertaintyResult');
    document.getElementById('gum').addEventListener('click', () => this.gum());
    document.getElementById('monteCarlo').addEventListener('click', () => this.monteCarlo());
    document.getElementById('cancelMonteCarlo').addEventListener('click', () => this.stop());
  }

  // The runs offered: every run of the series, the last one chosen.
  // After a run was added at the end only `added` is set, and only its
  // option is made.
  render(added = false) {
    const count = this.runs.size();
    const option = (index) => {
      const { label } = this.runs.run(index);
      return new Option(`${index + 1}${label ? ` — ${label}` : ''}`, String(index));
    };
    if (added && this.choice.options.length === count - 1) {
      this.choice.append(option(count - 1));
      this.choice.value = String(count - 1);
      return;
    }
    const before = this.choice.value;
    this.choice.replaceChildren(...Array.from({ length: count }, (_, index) => option(index)));
    this.choice.value = before !== '' && Number(before) < count ? before : String(count - 1);
  }

  chosenRun() {
    if (this.choice.value === '' || this.choice.value === '-1') return null;
    const run = this.runs.run(Number(this.choice.value));
    if (run.mtc === null) {
      this.say([t('The run has no coefficient yet: use Find MTC first.')]);
      return null;
    }
    return run;
  }

  uncertainties() {
    const read = (id) => {
      const number = parseNumber(document.getElementById(id).value, language);
      return number.kind === 'number' ? number.value : null;
    };
    return { gasFlowRel: read('uGas'), waterFlowRel: read('uWater'), y1: read('uY1'), x1: read('uX1'),
      packingHeight: read('uHeight') };
  }

  say(lines) {
    this.output.replaceChildren(...lines.map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
  }

  text(value) {
    return numberText(value, language);
  }

  gum() {
    const run = this.chosenRun();
    if (!run) return;
    const found = this.quillon.gum(run.y1, run.x1, run.gasFlow, run.waterFlow, run.packingHeight,
      this.uncertainties());
    if (found.reason) {
      this.say([t('Not given: %1', found.reason)]);
      return;
    }
    this.say([t('Coefficient %1, standard uncertainty %2', this.text(found.mtc), this.text(found.u)),
      t('NTU %1, standard uncertainty %2', this.text(found.ntu), this.text(found.uNtu))]);
  }

  monteCarlo() {
    const run = this.chosenRun();
    if (!run) return;
    this.stop();
    this.busy(true);
    this.worker = new Worker(new URL('./uncertainty-worker.js', import.meta.url), { type: 'module' });
    this.worker.onmessage = ({ data: found }) => {
      this.stop();
      if (found.reason) {
        this.say([t('Not given: %1', found.reason)]);
        return;
      }
      this.say([t('Coefficient %1, standard uncertainty %2', this.text(found.mtc), this.text(found.u)),
        t('95 % interval %1 to %2, %3 draws', this.text(found.interval[0]), this.text(found.interval[1]),
          found.draws),
        t('NTU %1, standard uncertainty %2', this.text(found.ntu), this.text(found.uNtu))]);
    };
    this.worker.postMessage({ run: { y1: run.y1, x1: run.x1, gasFlow: run.gasFlow, waterFlow: run.waterFlow,
      packingHeight: run.packingHeight }, uncertainties: this.uncertainties(), seed });
  }

  busy(drawing) {
    for (const id of ['mcProgress', 'mcProgressLabel', 'cancelMonteCarlo']) {
      document.getElementById(id).hidden = !drawing;
    }
    document.getElementById('monteCarlo').disabled = drawing;
    document.getElementById('uncertainty').setAttribute('aria-busy', String(drawing));
  }

  // Ends the draws, if any are running.
  stop() {
    if (this.worker) this.worker.terminate();
    this.worker = null;
    this.busy(false);
  }
}
