// A run's Readings… dialog, as the desktop's: its fields, words, units and
// checks come from the module (present/readingsform), the page only lays
// them out. OK makes the readings and the inputs they give one step; Esc
// or Cancel leaves the run as it was.
import { locale, plain, tr } from './i18n.js';

const count = new Intl.NumberFormat(locale);

export class ReadingsDialog {
  constructor(quillon, documentOfRuns, onApplied) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.onApplied = onApplied;
    this.dialog = document.getElementById('readings');
    this.fields = document.getElementById('readingsFields');
    this.given = document.getElementById('readingsGiven');
    this.row = -1;
    this.inputs = [];
    this.units = [];
    // Enter in a field submits the form: the readings are applied, or the
    // dialog stays open and says what to type.
    document.getElementById('readingsForm').addEventListener('submit', (event) => {
      event.preventDefault();
      this.apply();
    });
    document.getElementById('readingsCancel').addEventListener('click', () => this.dialog.close());
    this.fields.addEventListener('input', () => this.showGiven());
    this.fields.addEventListener('change', () => this.showGiven());
  }

  // Opens the dialog on the run in that row; `back` takes the focus when it closes.
  open(row, back) {
    this.row = row;
    const form = this.quillon.readingsForm(this.runs, row);
    document.getElementById('readingsTitle').textContent = tr('ReadingsDialog', 'Readings of run %1',
      count.format(row + 1));
    this.inputs = [];
    this.units = [];
    this.fields.replaceChildren(...form.fields.map((field) => this.fieldOf(field, form.units)));
    this.given.textContent = form.given;
    this.dialog.addEventListener('close', () => back?.focus(), { once: true });
    this.dialog.showModal();
    this.inputs[0].focus();
  }

  // A label tied to its field, a meter's field beside its unit.
  fieldOf(field, unitNames) {
    const id = `reading-${field.id}`;
    const label = document.createElement('label');
    label.htmlFor = id;
    label.textContent = plain(field.label);
    const input = document.createElement('input');
    input.id = id;
    input.inputMode = field.inputMode;
    input.autocomplete = 'off';
    input.value = field.text;
    this.inputs.push(input);
    const place = document.createElement('div');
    place.className = 'reading-value';
    place.append(input);
    if (field.unit !== null) {
      const unit = document.createElement('select');
      unit.id = `${id}_unit`;
      unit.setAttribute('aria-label', `${label.textContent.replace(/:$/, '')} (${tr('Web', 'unit')})`);
      unit.append(...unitNames.map((name) => new Option(name, name, false, name === field.unit)));
      this.units.push(unit);
      place.append(unit);
    }
    const line = document.createElement('div');
    line.className = 'reading';
    line.append(label, place);
    if (field.heading === null) return line;
    const heading = document.createElement('p');
    heading.className = 'readings-heading';
    heading.textContent = field.heading;
    const group = document.createDocumentFragment();
    group.append(heading, line);
    return group;
  }

  texts() {
    return this.inputs.map((input) => input.value);
  }

  unitNames() {
    return this.units.map((unit) => unit.value);
  }

  showGiven() {
    if (this.row < 0) return;
    this.given.textContent = this.quillon.readingsGiven(this.runs, this.row, this.texts(), this.unitNames());
  }

  apply() {
    const refused = this.quillon.setReadings(this.runs, this.row, this.texts(), this.unitNames());
    if (refused !== null) {
      this.given.textContent = refused;
      return;
    }
    const { row } = this;
    this.dialog.close();
    this.onApplied(row);
  }
}
