// The series' title, people, date, flow unit and notes, as the desktop's
// runs window edits them: each taken into the series as one step when the
// user leaves its field.
export class SeriesFields {
  constructor(documentOfRuns, onChange) {
    this.runs = documentOfRuns;
    this.fields = [...document.querySelectorAll('[data-field]')];
    this.typed = new Set();
    for (const field of this.fields) {
      field.addEventListener('input', () => this.typed.add(field));
      field.addEventListener('change', () => {
        this.typed.delete(field);
        this.runs.setField(field.dataset.field, field.value);
        onChange({ fields: true });
      });
    }
  }

  // Only what differs is set, and never in a field being typed in: its
  // text reaches the series when the user leaves it.
  render() {
    for (const field of this.fields) {
      const value = this.runs.field(field.dataset.field);
      if (field.value !== value && !this.typed.has(field)) field.value = value;
    }
  }
}
