// The series' runs as a table, as the desktop's runs window shows them:
// the label and the inputs edited in place, a run excluded with its check box, runs
// deleted, every change undone and redone, and each coefficient's
// expanded uncertainty and 95 % interval once the worker has them.
import { locale, plain, tr } from './i18n.js';
import { showBox } from './messages.js';
import { ReadingsDialog } from './readings.js';

// The names of the number cells from y1 to the coefficient, where tests
// and styles find them.
const numberColumns = [null, null, null, null, null, null, 'y2', 'ntu', 'ntuColburn', null, 'mtc'];
const uncertaintyColumns = ['uncertainty', 'interval'];
const besideColumns = ['temperature', 'hog', 'mtcColburn', 'hogColburn'];
// The inputs among them, corrected in place, by the main window's fields'
// names; the titles start three columns before y1.
const inputColumns = new Map([[0, 'y1'], [1, 'x1'], [2, 'gasFlow'], [3, 'waterFlow'], [9, 'height']]);
const firstNumberTitle = 3;
const draws = new Intl.NumberFormat(locale);
// What the keyboard reaches in a cell.
const controls = 'input, button, [tabindex]';
// Rows drawn beyond those in view on either side, so that a short scroll
// or Tab finds its row drawn; and every row's height in rem, as the style
// sheet gives it: never measured, as that would lay out the whole page.
const extraRows = 10;
const rowHeightRem = 2.4;

// A text field keeps the browser's own text undo while its text is being
// typed; a table cell showing what the run holds is not being typed.
function isBeingTyped(element) {
  const typedInto = element instanceof HTMLTextAreaElement || element?.isContentEditable
    || (element instanceof HTMLInputElement && !['checkbox', 'radio', 'button', 'submit', 'reset', 'file', 'range',
      'color'].includes(element.type));
  return Boolean(typedInto) && element.value !== element.dataset?.committed;
}

export class RunsTable {
  constructor(quillon, documentOfRuns, cache, onChange) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.onChange = onChange;
    this.table = document.getElementById('runsTable');
    this.frame = this.table.parentElement;
    this.selected = new Set();
    // The rows drawn, [first, last) of the series; the others are margin.
    this.first = 0;
    this.last = 0;
    this.count = 0;
    this.rowHeight = rowHeightRem * parseFloat(getComputedStyle(document.documentElement).fontSize);
    this.titles = [];
    let drawing = false;
    // The view's height and place, read where the page is laid out anyway:
    // reading them after a change would lay out the whole page again.
    this.viewHeight = window.innerHeight;
    this.scrolled = 0;
    const drawLater = () => {
      this.viewHeight = Math.max(this.frame.clientHeight, window.innerHeight);
      this.scrolled = this.frame.scrollTop;
      if (drawing) return;
      drawing = true;
      requestAnimationFrame(() => {
        drawing = false;
        this.drawRows();
      });
    };
    this.frame.addEventListener('scroll', drawLater);
    window.addEventListener('resize', drawLater);
    this.table.addEventListener('keydown', (event) => this.move(event));
    // A row kept only for its focus goes once the focus has left it.
    this.table.addEventListener('focusout', (event) => {
      const row = event.target.closest?.('tr.kept');
      if (!row || row.contains(event.relatedTarget)) return;
      setTimeout(() => {
        if (row.classList.contains('kept') && !row.contains(document.activeElement)) row.remove();
      });
    });
    // The button goes grey once nothing is selected: the focus moves to the
    // select box where the first deleted run was, so Ctrl+Z still reaches
    // the table.
    document.getElementById('deleteRuns').addEventListener('click', () => {
      const first = Math.min(...this.selected);
      this.deleteSelected();
      if (Number.isFinite(first)) this.refocus({ row: first, cell: 0 });
    });
    document.getElementById('undo').addEventListener('click', () => this.step(() => this.runs.undo()));
    document.getElementById('redo').addEventListener('click', () => this.step(() => this.runs.redo()));
    // Undo and redo reach the series from anywhere on the page, as the
    // desktop's Edit menu does from every window; Delete only in the table.
    document.addEventListener('keydown', (event) => this.key(event));
    this.wireReadings();
  }

  key(event) {
    const control = (event.ctrlKey || event.metaKey) && !event.altKey;
    const editing = isBeingTyped(event.target);
    const place = this.placeOf(event.target);
    if (control && !editing && event.key.toLowerCase() === 'z') {
      event.preventDefault();
      this.step(() => (event.shiftKey ? this.runs.redo() : this.runs.undo()));
      this.refocus(place);
    } else if (control && !editing && event.key.toLowerCase() === 'y') {
      event.preventDefault();
      this.step(() => this.runs.redo());
      this.refocus(place);
    } else if (event.key === 'Delete' && !editing && event.target.closest?.('#runs')) {
      event.preventDefault();
      const rows = [...this.selected];
      this.deleteSelected();
      // The focused run moves up by the rows deleted above it; a deleted
      // one gives its place to the next.
      if (place) this.refocus({ ...place, row: place.row - rows.filter((row) => row < place.row).length });
    }
  }

  // The row and cell of a control in the table's body, or null.
  placeOf(element) {
    const cell = element.closest?.('#runsTable tbody td');
    return cell ? { row: Number(cell.parentElement.dataset.run) - 1, cell: cell.cellIndex } : null;
  }

  // Keeps the focus in the table once its rows are drawn again: on that
  // cell's control in that row, the last row when it is gone, or the
  // table when no row is left. Ctrl+Z and Delete then still reach it.
  refocus(place) {
    if (!place || this.table.contains(document.activeElement)) return;
    if (this.runs.size() === 0) {
      this.table.focus();
      return;
    }
    this.focusCell(Math.min(place.row, this.runs.size() - 1), place.cell);
  }

  // Focuses that cell's control, its row scrolled into view and drawn.
  focusCell(index, cellIndex) {
    this.scrollToRow(index);
    const row = this.rowAt(index);
    const control = row?.cells[cellIndex]?.querySelector(controls);
    (control ?? this.table).focus();
  }

  // Scrolls the table's frame the least that shows that run's row whole
  // below the sticky titles, and draws the rows then in view.
  scrollToRow(index) {
    const titles = this.table.tHead.offsetHeight;
    const view = this.frame.clientHeight;
    const top = index * this.rowHeight;
    let scrolled = this.frame.scrollTop;
    if (top < scrolled) scrolled = top;
    else if (titles + top + this.rowHeight > scrolled + view) scrolled = titles + top + this.rowHeight - view;
    this.frame.scrollTop = scrolled;
    this.scrolled = this.frame.scrollTop;
    this.viewHeight = Math.max(view, window.innerHeight);
    this.drawRows();
  }

  // The drawn row of that run, or undefined.
  rowAt(index) {
    const number = String(index + 1);
    for (const row of this.table.tBodies[0].rows) {
      if (row.dataset.run === number) return row;
    }
    return undefined;
  }

  // The next cell of the row with a control, `step` cells on; `cell`
  // itself at the row's end.
  nextCell(row, cell, step) {
    for (let at = cell + step; at >= 0 && at < row.cells.length; at += step) {
      if (row.cells[at].querySelector(controls)) return at;
    }
    return cell;
  }

  // The keys of a spreadsheet or Qt's table view, through every run of the
  // series, drawn or not: the arrows go to the next cell with a control,
  // Page Up and Page Down a view's rows up or down, Home and End to the
  // first or last run, with Ctrl to its first or last cell. In a text
  // being typed, Left, Right, Home and End move the cursor instead, and
  // in any text Left and Right move it until it reaches an end.
  move(event) {
    const place = this.placeOf(event.target);
    if (!place || event.altKey || event.metaKey) return;
    const control = event.ctrlKey;
    const { target } = event;
    const text = target.type === 'text';
    const whole = !text || (target.selectionStart === 0 && target.selectionEnd === target.value.length);
    const atEnd = (step) => whole || (target.selectionStart === target.selectionEnd
      && target.selectionStart === (step < 0 ? 0 : target.value.length));
    const typing = isBeingTyped(target);
    const rowElement = target.closest('tr');
    let { row, cell } = place;
    const key = event.key;
    if ((key === 'ArrowUp' || key === 'ArrowDown') && !control) {
      row += key === 'ArrowUp' ? -1 : 1;
    } else if ((key === 'PageUp' || key === 'PageDown') && !control) {
      const rowsInView = Math.floor((this.frame.clientHeight - this.table.tHead.offsetHeight) / this.rowHeight);
      row += (key === 'PageUp' ? -1 : 1) * Math.max(1, rowsInView);
    } else if ((key === 'ArrowLeft' || key === 'ArrowRight') && !control && !typing
      && atEnd(key === 'ArrowLeft' ? -1 : 1)) {
      cell = this.nextCell(rowElement, cell, key === 'ArrowLeft' ? -1 : 1);
    } else if ((key === 'Home' || key === 'End') && (control || !typing)) {
      row = key === 'Home' ? 0 : this.runs.size() - 1;
      if (control) cell = key === 'Home' ? this.nextCell(rowElement, -1, 1)
        : this.nextCell(rowElement, rowElement.cells.length, -1);
    } else {
      return;
    }
    // Never the page's own scrolling, which would take the focus out of the table.
    event.preventDefault();
    row = Math.max(0, Math.min(row, this.runs.size() - 1));
    if (row === place.row && cell === place.cell) return;
    if (target.dataset?.committed !== undefined) target.blur();
    this.focusCell(row, cell);
  }

  // `row` for a change of that run alone, which shows only its row.
  edit(change, row) {
    change();
    if (row === undefined) {
      this.selected.clear();
      this.onChange();
    } else {
      this.onChange({ changed: row });
    }
  }

  // Undo or redo: a step that changed runs in place shows only their rows
  // and keeps the selection, one of the series' fields only the titles;
  // any other the table again.
  step(move) {
    const revision = this.runs.revision();
    move();
    if (this.runs.revision() === revision) return;
    const rows = this.quillon.changedRows(this.runs);
    if (rows === null) {
      this.edit(() => {});
    } else if (rows.length === 0) {
      this.onChange({ fields: true });
    } else {
      for (const row of rows) this.onChange({ changed: row });
    }
  }

  deleteSelected() {
    if (this.selected.size === 0) return;
    const rows = [...this.selected];
    this.edit(() => this.runs.remove(rows));
  }

  cell(row, text, full) {
    const cell = row.insertCell();
    cell.textContent = text;
    if (full) cell.title = full;
    return cell;
  }

  // Shows one run that was added at the end or changed in place; anything
  // else shows the table again.
  renderRun(index) {
    if (this.count !== this.runs.size() && !(index === this.runs.size() - 1 && this.count === index)) {
      this.render();
      return;
    }
    this.count = this.runs.size();
    const row = this.rowAt(index);
    if (row) {
      row.replaceChildren();
      this.fillRow(row, index);
    } else {
      this.drawRows();
    }
    this.updateButtons();
  }

  // After a change of the series' fields: the titles follow the flow unit.
  renderTitles() {
    const titles = this.runs.columnTitles();
    if (titles.some((title, at) => title !== this.titles[at])) this.render(); else this.updateButtons();
  }

  updateButtons() {
    document.getElementById('undo').disabled = !this.runs.canUndo();
    document.getElementById('redo').disabled = !this.runs.canRedo();
    document.getElementById('deleteRuns').disabled = this.selected.size === 0;
  }

  render() {
    const head = this.table.tHead.rows[0];
    head.replaceChildren();
    const select = document.createElement('th');
    select.scope = 'col';
    select.textContent = tr('Web', 'Select');
    head.append(select);
    this.titles = this.runs.columnTitles();
    for (const title of this.titles) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = title;
      head.append(th);
    }
    this.readingsTitles(head);
    head.setAttribute('aria-rowindex', '1');

    this.count = this.runs.size();
    this.table.tBodies[0].replaceChildren();
    this.first = 0;
    this.last = 0;
    this.drawRows();
    this.updateButtons();
  }

  // Draws the rows in view and a few on either side, and only those: a
  // row still in view keeps its elements, so that its focus and typing
  // stay. The row with the focus stays too wherever the table is
  // scrolled, out of the table's layout, so that the keys and typing
  // still reach it: a removed element takes the focus to the page. The
  // table's margins stand for the rows not drawn, and screen readers are
  // told the series' count and each row's place.
  drawRows() {
    const body = this.table.tBodies[0];
    const size = this.count;
    const inView = Math.ceil(this.viewHeight / this.rowHeight);
    const top = Math.floor(this.scrolled / this.rowHeight);
    const first = Math.max(0, Math.min(top - extraRows, size - inView - 2 * extraRows));
    const last = Math.min(size, first + inView + 2 * extraRows);
    const focused = body.contains(document.activeElement) ? document.activeElement.closest('tr') : null;
    const drawn = new Map();
    for (const row of [...body.rows]) {
      const index = Number(row.dataset.run) - 1;
      const kept = index < first || index >= last;
      if (kept && row !== focused) row.remove(); else drawn.set(index, row);
      row.classList.toggle('kept', kept);
    }
    // New rows go in order around those kept, without moving any: a moved
    // element loses the focus as well.
    let before = focused && Number(focused.dataset.run) - 1 < first ? focused : null;
    for (let index = first; index < last; ++index) {
      let row = drawn.get(index);
      if (!row) {
        [row] = this.newRows(index, index + 1);
        if (before) before.after(row); else body.prepend(row);
      }
      before = row;
    }
    this.first = first;
    this.last = last;

    this.table.style.marginTop = `${first * this.rowHeight}px`;
    this.table.style.marginBottom = `${(size - last) * this.rowHeight}px`;
    this.table.setAttribute('aria-rowcount', String(size + 1));
  }

  newRows(from, to) {
    return Array.from({ length: Math.max(0, to - from) }, (_, at) => {
      const row = document.createElement('tr');
      this.fillRow(row, from + at);
      return row;
    });
  }

  fillRow(row, index) {
    const run = this.runs.run(index);
    const number = index + 1;
    const completed = run.outcome === 'completed';
    row.dataset.run = String(number);
    row.setAttribute('aria-rowindex', String(number + 1));
    row.classList.toggle('not-completed', !completed);
    row.classList.toggle('excluded', run.excluded);

    const pick = document.createElement('input');
    pick.type = 'checkbox';
    pick.checked = this.selected.has(index);
    pick.setAttribute('aria-label', tr('Web', 'Select run %1', number));
    pick.addEventListener('change', () => {
      if (pick.checked) this.selected.add(index); else this.selected.delete(index);
      document.getElementById('deleteRuns').disabled = this.selected.size === 0;
    });
    row.insertCell().append(pick);

    // A run whose results cannot describe an absorber is marked, and its
    // tip says why.
    const messages = run.runTip;
    const runCell = row.insertCell();
    runCell.className = 'run-number';
    runCell.textContent = String(number);
    if (run.findings.length > 0) {
      const mark = document.createElement('span');
      mark.className = 'mark';
      mark.textContent = '\u26a0';
      mark.setAttribute('role', 'img');
      mark.setAttribute('aria-label', tr('Web', 'Warning'));
      runCell.prepend(mark);
    }
    if (messages.length > 0) {
      runCell.title = messages.join('\n');
      const spoken = document.createElement('span');
      spoken.className = 'visually-hidden';
      spoken.textContent = ` ${messages.join(' ')}`;
      runCell.append(spoken);
    }

    const label = document.createElement('input');
    label.type = 'text';
    label.value = run.label;
    label.dataset.committed = run.label;
    label.setAttribute('aria-label', `${tr('RunsModel', 'Label')} ${number}`);
    label.addEventListener('change', () => this.edit(() => this.runs.setLabel(index, label.value), index));
    label.addEventListener('keydown', (event) => {
      if (event.key === 'Enter') label.dispatchEvent(new Event('change'));
    });
    row.insertCell().append(label);

    // Runs with findings stay out of the analysis unless the user takes
    // them in.
    const excluded = document.createElement('input');
    excluded.type = 'checkbox';
    excluded.checked = !run.inAnalysis;
    if (run.excludedTip) excluded.title = run.excludedTip;
    excluded.setAttribute('aria-label', `${tr('RunsModel', 'Excluded')} ${number}`);
    excluded.addEventListener('change', () => this.edit(() => this.runs.setExcluded(index, excluded.checked),
      index));
    row.insertCell().append(excluded);

    const { titles } = this;
    for (const [at, shown] of this.runs.cells(index).entries()) {
      if (inputColumns.has(at)) {
        this.inputCell(row, index, inputColumns.get(at), shown, `${titles[firstNumberTitle + at]} ${number}`);
        continue;
      }
      const cell = this.cell(row, shown.text, shown.tip);
      cell.className = 'number';
      if (numberColumns[at]) cell.dataset.column = numberColumns[at];
    }
    for (const [at, shown] of this.uncertaintyCells(index, run).entries()) {
      const cell = this.cell(row, shown.text, shown.tip);
      cell.className = 'number';
      cell.dataset.column = uncertaintyColumns[at];
    }
    // The column temperature, and beside the coefficient.
    for (const [at, shown] of this.runs.besideCells(index).entries()) {
      if (besideColumns[at] === 'temperature') {
        this.temperatureCell(row, index, shown, `${titles[titles.length - besideColumns.length + at]} ${number}`);
        continue;
      }
      const cell = this.cell(row, shown.text, shown.tip);
      cell.className = 'number';
      cell.dataset.column = besideColumns[at];
    }
    this.readingsCells(row, index);
  }

  // The readings: a Readings… button a run, and their columns when asked
  // for, read-only as the dialog is where they are edited.
  wireReadings() {
    this.showReadings = document.getElementById('showReadings');
    this.showReadings.addEventListener('change', () => this.render());
    this.readings = new ReadingsDialog(this.quillon, this.runs, (row) => {
      this.edit(() => {}, row);
      this.refocus({ row, cell: this.rowAt(row)?.cells.length - 1 });
    });
  }

  readingsTitles(head) {
    const titles = [...(this.showReadings.checked ? this.quillon.readingTitles(this.runs) : []),
      plain(tr('RunsWindow', 'Readin&gs…'))];
    for (const title of titles) {
      const th = document.createElement('th');
      th.scope = 'col';
      th.textContent = title;
      head.append(th);
    }
  }

  readingsCells(row, index) {
    if (this.showReadings.checked) {
      for (const [at, text] of this.quillon.readingCells(this.runs, index).entries()) {
        const cell = this.cell(row, text);
        cell.className = 'number';
        cell.dataset.column = `reading${at}`;
      }
    }
    const open = document.createElement('button');
    open.type = 'button';
    open.className = 'readings-button';
    open.textContent = plain(tr('RunsWindow', 'Readin&gs…'));
    open.setAttribute('aria-label', tr('ReadingsDialog', 'Readings of run %1', draws.format(index + 1)));
    open.addEventListener('click', () => this.readings.open(index, open));
    row.insertCell().append(open);
  }

  // The column temperature in °C, typed in its cell as the window's: taken
  // with Enter or Tab as one step, or refused with the window's box.
  temperatureCell(row, index, shown, name) {
    this.editableCell(row, index, 'temperature', shown, name, (typed) => {
      const box = this.quillon.setRunTemperature(this.runs, index, typed);
      return box ? () => showBox(box.title, box.text) : null;
    });
  }

  // An input shown to 4 decimals, corrected from its value in full: typed
  // and left with Enter or Tab, it is the run's new input, refused as the
  // main window's Calculate or Find MTC would refuse it.
  inputCell(row, index, field, shown, name) {
    this.editableCell(row, index, field, shown, name, (typed) => {
      const message = this.quillon.setRunInput(this.runs, index, field, typed);
      return message ? () => this.refuse(message, typed) : null;
    });
  }

  // A cell shown rounded and edited in full: focused, it holds the value in
  // full; left changed with Enter or Tab, `apply` takes the text as one edit
  // and gives what to say after the table is redrawn (a refusal), or null.
  editableCell(row, index, column, shown, name, apply) {
    const cell = row.insertCell();
    cell.className = 'number';
    // A text field by default, without the type attribute the label's
    // field is found by.
    const input = document.createElement('input');
    input.inputMode = 'decimal';
    input.dataset.column = column;
    input.value = shown.text;
    input.dataset.committed = shown.text;
    if (shown.tip) input.title = shown.tip;
    input.setAttribute('aria-label', name);
    let full = null;
    input.addEventListener('focus', () => {
      full = shown.tip;
      input.value = full;
      input.dataset.committed = full;
      input.select();
    });
    const commit = () => {
      if (full === null) return;
      const typed = input.value;
      const unchanged = typed === full;
      full = null;
      if (unchanged) {
        input.value = shown.text;
        input.dataset.committed = shown.text;
        return;
      }
      const place = this.placeOf(input);
      let then = null;
      this.edit(() => { then = apply(typed); }, index);
      this.refocus(place);
      if (then) then();
    };
    input.addEventListener('blur', commit);
    // Enter must not go on to press the OK button of the box it may open.
    input.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      event.preventDefault();
      commit();
    });
    cell.append(input);
  }

  // The main window's box for an input it would refuse, naming its field.
  refuse(message, typed) {
    if (message.kind === 'conversionError') {
      const field = document.getElementById(message.field);
      const box = this.quillon.conversionError(tr(...field.dataset.name.split('|')), typed, message.number);
      showBox(box.title, box.text);
    } else if (message.kind === 'invalidData') {
      showBox(tr('Form1', 'ERROR'), this.quillon.outcomeName('invalid_data'));
    } else {
      const box = this.quillon.faultBox(message.fault);
      showBox(box.title, box.text);
    }
  }

  // MTC ± U and the 95 % interval as the module words what the cache has.
  uncertaintyCells(index, run) {
    const found = this.cache.find(run) ?? null;
    const drawn = found?.monteCarlo;
    return this.runs.uncertaintyCells(index, found, Number.isFinite(drawn?.draws) ? draws.format(drawn.draws) : '');
  }

  // New uncertainties change only their own cells, so that a label being
  // typed keeps its text and cursor; a cell whose words are the same is
  // left alone, as each change costs the page a layout.
  showUncertainties() {
    if (this.count !== this.runs.size()) {
      this.render();
      return;
    }
    for (let index = this.first; index < this.last; ++index) {
      const row = this.rowAt(index);
      const cells = this.uncertaintyCells(index, this.runs.run(index));
      for (const [at, name] of uncertaintyColumns.entries()) {
        const cell = row.querySelector(`[data-column="${name}"]`);
        if (cell.textContent !== cells[at].text) cell.textContent = cells[at].text;
        if (cell.title !== cells[at].tip) cell.title = cells[at].tip;
      }
    }
  }
}
