// The main window's two calculations, as the desktop's Form1 makes them:
// the module's ColumnSteps reads the fields in order, keeps the values,
// names the box and gives the result texts; this reads and writes the DOM.
import { tr } from './i18n.js';
import { showBox } from './messages.js';

export class Column {
  constructor(quillon, documentOfRuns, onChange) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.onChange = onChange;
    this.steps = new quillon.ColumnSteps();
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

  // Writes a step's result texts, then shows its box; true when it completed.
  finish(step) {
    for (const [name, change] of Object.entries(step.results)) {
      if (change === null) continue;
      if (change.shown) this.show(this.fields[name], change);
      else this.clear(this.fields[name]);
    }
    const { message } = step;
    if (message?.kind === 'conversionError') {
      const field = this.fields[message.field];
      const box = this.quillon.conversionError(tr(...field.dataset.name.split('|')), field.value, message.number);
      showBox(box.title, box.text);
    } else if (message?.kind === 'invalidData') {
      showBox(this.invalidDataTitle(), this.quillon.outcomeName('invalid_data'));
    } else if (message?.kind === 'fault') {
      const box = this.quillon.faultBox(message.fault);
      showBox(box.title, box.text);
    }
    return step.completed;
  }

  show(field, { text, full }) {
    field.value = text;
    field.title = full;
    field.dataset.full = full;
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

  calculate() {
    const { fields } = this;
    const read = this.steps.read({
      y1: fields.y1.value, x1: fields.x1.value, gasFlow: fields.gasFlow.value, waterFlow: fields.waterFlow.value,
    });
    if (read.inputs === null) {
      this.finish(read);
      return;
    }
    const { y1, x1, gasFlow, waterFlow } = read.inputs;
    const result = this.runs.calculate(y1, x1, gasFlow, waterFlow, this.lastRunId);
    if (!this.finish(this.steps.calculated(result))) return;
    this.lastRunId = result.id;
    this.lastFindings = result.findings;
    this.showFindings(this.lastFindings);
    // The same inputs again are the same run: the series has not changed.
    if (result.added) this.onChange({ added: this.runs.size() - 1 });
  }

  findMtc() {
    // Only while the run of the last Calculate is in the series.
    const step = this.steps.findMtc(this.fields.height.value, this.runs.indexOf(this.lastRunId) >= 0);
    if (!this.finish(step)) return;
    this.runs.setMtc(this.lastRunId, step.packingHeight, step.mtc);
    this.showFindings(this.lastFindings);
    this.onChange({ changed: this.runs.indexOf(this.lastRunId) });
  }

  // After New or Open: the coefficient belongs to no run of the series.
  forgetRun() {
    this.lastRunId = 0;
  }
}
