// The series' title, people, date, flow unit and notes, as the desktop's
// runs window edits them: each taken into the series as one step when the
// user leaves its field.
export class SeriesFields {
  constructor(documentOfRuns, onChange) {
    this.runs = documentOfRuns;
    this.fields = [...document.querySelectorAll('[data-field]')];
    for (const field of this.fields) {
      field.addEventListener('change', () => {
        this.runs.setField(field.dataset.field, field.value);
        onChange();
      });
    }
  }

  // Only what differs is set, so that a field being typed in keeps its cursor.
  render() {
    for (const field of this.fields) {
      const value = this.runs.field(field.dataset.field);
      if (field.value !== value) field.value = value;
    }
  }
}
