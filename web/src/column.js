// The main window's two calculations, as the desktop's Form1 makes them:
// the same fields read in the same order, the same boxes, the same rounding.
import { locale, tr } from './i18n.js';
import { reportOutcome, showBox } from './messages.js';
import { numberText, parseNumber } from './numbers.js';

// Reached, as the core numbers it.
const reached = { nothing: 0, inputs: 1, fractions: 2, run: 3 };

export class Column {
  constructor(quillon, documentOfRuns, onChange) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.onChange = onChange;
    // The values the window keeps between clicks, all 0 at first.
    this.state = { gasFlow: 0, waterFlow: 0, ntu: 0, mtc: 0, y1: 0, x1: 0, y2: 0 };
    this.coherence = { fractions: true, ntuAndGasFlow: false };
    this.lastRunId = 0;
    this.lastFindings = [];
    const field = (id) => document.getElementById(id);
    this.fields = {
      y1: field('y1'), x1: field('x1'), gasFlow: field('gasFlow'), waterFlow: field('waterFlow'),
      height: field('height'), eqY: field('eqY'), y2: field('y2'), ntu: field('ntu'), mtc: field('mtc'),
    };
    field('calculate').addEventListener('click', () => this.calculate());
    field('findMtc').addEventListener('click', () => this.findMtc());
  }

  invalidDataTitle() {
    return tr('Form1', 'ERROR');
  }

  // The number a field holds, or null once its box is shown.
  read(field) {
    const number = parseNumber(field.value, locale);
    if (number.kind !== 'number') {
      const box = this.quillon.conversionError(tr(...field.dataset.name.split('|')), field.value, number.kind);
      showBox(box.title, box.text);
      return null;
    }
    return number.value;
  }

  show(field, value) {
    field.value = numberText(this.quillon.roundResult(value), locale);
    field.title = numberText(value, locale);
    field.dataset.full = field.title;
    field.classList.remove('warning');
  }

  clear(field) {
    field.value = '';
    field.title = '';
    delete field.dataset.full;
    field.classList.remove('warning');
  }

  // Marks the result fields that show a value, with the messages in their
  // tips and in the list below them; no messages, no mark.
  showFindings(codes) {
    const messages = codes.map((code) => this.quillon.findingMessage(code));
    for (const name of ['eqY', 'y2', 'ntu', 'mtc']) {
      const field = this.fields[name];
      if (field.value === '') continue;
      field.title = [field.dataset.full, ...messages].join(messages.length ? '\n\n' : '');
      field.classList.toggle('warning', messages.length > 0);
    }
    const list = document.getElementById('findings');
    list.replaceChildren(...messages.map((message) => {
      const line = document.createElement('p');
      line.className = 'finding';
      line.textContent = `\u26a0 ${message}`;
      return line;
    }));
  }

  end(reachedNow) {
    this.coherence = this.quillon.afterCalculate(this.coherence.fractions, this.coherence.ntuAndGasFlow,
      reached[reachedNow]);
  }

  calculate() {
    const { fields, state } = this;
    // Each value is kept as soon as it converts, so a field that does not
    // leaves the ones before it kept.
    const y1 = this.read(fields.y1);
    if (y1 === null) return this.end('nothing');
    state.y1 = y1;
    const x1 = this.read(fields.x1);
    if (x1 === null) return this.end('inputs');
    state.x1 = x1;
    const gasFlow = this.read(fields.gasFlow);
    if (gasFlow === null) return this.end('inputs');
    state.gasFlow = gasFlow;
    const waterFlow = this.read(fields.waterFlow);
    if (waterFlow === null) return this.end('inputs');
    state.waterFlow = waterFlow;

    const result = this.runs.calculate(y1, x1, gasFlow, waterFlow, this.lastRunId);
    if (result.y2 !== null) state.y2 = result.y2;
    if (result.step === 'balance' && !reportOutcome(this.quillon, result.outcome, this.invalidDataTitle())) {
      return this.end(result.y2 !== null ? 'fractions' : 'inputs');
    }
    this.show(fields.eqY, result.point.y);
    this.show(fields.y2, result.y2);
    state.ntu = 0;
    if (!reportOutcome(this.quillon, result.outcome, this.invalidDataTitle())) return this.end('fractions');
    state.ntu = result.ntu;
    this.show(fields.ntu, result.ntu);
    // The coefficient on screen always belongs to the NTU on screen.
    state.mtc = 0;
    this.clear(fields.mtc);
    this.end('run');
    this.lastRunId = result.id;
    this.lastFindings = result.findings;
    this.showFindings(this.lastFindings);
    this.onChange(result.added ? { added: this.runs.size() - 1 } : { changed: this.runs.indexOf(result.id) });
    return undefined;
  }

  findMtc() {
    const height = this.read(this.fields.height);
    if (height === null) return;
    // Only the NTU and gas flow of one completed run make a coefficient, and
    // only while that run is in the series: no coefficient shows without it.
    if (!this.coherence.ntuAndGasFlow || this.runs.indexOf(this.lastRunId) < 0) {
      showBox(this.invalidDataTitle(), this.quillon.outcomeName('invalid_data'));
      return;
    }
    const coefficient = this.quillon.findMtc(height, this.state.ntu, this.state.gasFlow);
    if (!reportOutcome(this.quillon, coefficient.outcome, this.invalidDataTitle())) return;
    this.state.mtc = coefficient.mtc;
    this.show(this.fields.mtc, coefficient.mtc);
    this.runs.setMtc(this.lastRunId, height, coefficient.mtc);
    this.showFindings(this.lastFindings);
    this.onChange({ changed: this.runs.indexOf(this.lastRunId) });
  }

  // After New or Open: the coefficient belongs to no run of the series.
  forgetRun() {
    this.lastRunId = 0;
  }
}
