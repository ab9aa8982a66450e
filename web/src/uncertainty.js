// The uncertainties, as the desktop's runs window edits them: the series'
// standard uncertainties of every run's inputs, a run's own on top of them,
// and what the library makes of them for the run chosen, with the progress
// of the runs being computed.
import { afterFrame } from './frames.js';
import { locale, plain, tr } from './i18n.js';
import { showBox } from './messages.js';
import { numberText, parseNumber } from './numbers.js';

const keys = ['gasFlowRel', 'waterFlowRel', 'y1', 'x1', 'packingHeight'];
const labels = ['&Gas flow (rel.)', '&Water flow (rel.)', 'y&1', '&x1', '&Height (m)'];
const t = (source, ...args) => tr('Web', source, ...args);

// A row of five fields in `holder`, their ids the prefix and the key.
function makeFields(holder, prefix) {
  return keys.map((key, index) => {
    const label = document.createElement('label');
    const field = document.createElement('input');
    field.id = `${prefix}-${key}`;
    field.inputMode = 'decimal';
    field.autocomplete = 'off';
    label.htmlFor = field.id;
    label.textContent = plain(tr('UncertaintyFields', labels[index]));
    if (index < 2) {
      field.title = tr('UncertaintyFields', index === 0 ? 'Standard uncertainty of the gas flow, relative: %1 for 2 %'
        : 'Standard uncertainty of the water flow, relative: %1 for 2 %', numberText(0.02, locale));
    }
    holder.append(label, field);
    return field;
  });
}

// How many runs join the run chooser in one task: each costs the browser
// a few elements to style, and an edit's frame may have to wait for one
// such task.
const choicesAtOnce = 250;

const text = (value) => (value === null ? '' : numberText(value, locale));
// Counts grouped as the runs table's tips write them.
const draws = new Intl.NumberFormat(locale);

export class Uncertainty {
  constructor(quillon, documentOfRuns, cache, onChange) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.onChange = onChange;
    this.choice = document.getElementById('uRun');
    this.output = document.getElementById('uncertaintyResult');
    this.defaults = makeFields(document.getElementById('seriesUncertainties'), 'u');
    this.own = makeFields(document.getElementById('runUncertainties'), 'ru');
    // A field's value reaches the series once, when the user commits it;
    // until then no redraw touches it.
    this.typed = new Set();
    this.labels = [];
    // The label each offered run shows now.
    this.shownLabels = [];
    this.shownRevision = null;
    this.adding = null;
    // The chosen run's result lines as shown last.
    this.shownResult = null;
    for (const field of [...this.defaults, ...this.own]) {
      field.addEventListener('input', () => this.typed.add(field));
      field.addEventListener('change', () => this.commit(field));
    }
    this.choice.addEventListener('change', () => this.render());
    document.getElementById('cancelUncertainties').addEventListener('click', () => this.cache.cancel());
  }

  row() {
    return this.choice.value === '' ? -1 : Number(this.choice.value);
  }

  // The field's value into the series' or the chosen run's uncertainties,
  // the others as stored; a box when it is not a number of 0 or more, and
  // the field shown again as it was.
  async commit(field) {
    this.typed.delete(field);
    const own = this.own.includes(field);
    const row = this.row();
    if (own && row < 0) return;
    const key = keys[(own ? this.own : this.defaults).indexOf(field)];
    const values = { ...(own ? this.runs.run(row).uncertainty : this.runs.uncertainties()) };
    const typed = field.value.trim();
    const refusal = this.quillon.uncertaintyRefusal(typed);
    if (refusal !== null) {
      await showBox(refusal.title, refusal.text);
      field.value = text(values[key]);
      this.render();
      field.focus();
      return;
    }
    values[key] = typed === '' ? null : parseNumber(typed).value;
    if (own) this.runs.setRunUncertainties(row, values); else this.runs.setUncertainties(values);
    this.onChange();
  }

  // The runs offered, changed only where a run's label or place changed
  // since the series' last revision shown: a class's series has thousands.
  updateChoices() {
    const revision = this.runs.revision();
    if (revision === this.shownRevision) return;
    this.shownRevision = revision;
    this.labels = this.runs.size() === 0 ? [] : this.quillon.choiceLabels(this.runs).split('\n');
    // At once: one removal after another lays the list out each time.
    if (this.choice.options.length > this.labels.length) this.choice.options.length = this.labels.length;
    this.shownLabels.length = this.choice.options.length;
    this.adding?.();
    this.adding = null;
    this.fillChoices(0);
  }

  // Renames the runs whose label or place changed and adds the new ones, a
  // few hundred at a time, each later share in a task of its own after a
  // frame; the run chosen is set again once they are all there.
  fillChoices(first) {
    const { labels, shownLabels } = this;
    const options = this.choice.options;
    const text = (index) => `${index + 1}${labels[index] ? ` — ${labels[index]}` : ''}`;
    let changes = 0;
    let index = first;
    for (; index < options.length && changes < choicesAtOnce; ++index) {
      if (labels[index] === shownLabels[index]) continue;
      options[index].text = text(index);
      shownLabels[index] = labels[index];
      ++changes;
    }
    if (index === options.length) {
      const added = document.createDocumentFragment();
      for (; index < labels.length && changes < choicesAtOnce; ++index, ++changes) {
        added.append(new Option(text(index), String(index)));
        shownLabels[index] = labels[index];
      }
      this.choice.append(added);
    }
    if (index < labels.length) {
      this.adding = afterFrame(() => {
        this.adding = null;
        this.fillChoices(index);
        if (this.adding === null) this.render();
      });
    }
  }

  // Shows a field's stored value unless it has the focus or unsaved typing.
  show(field, value) {
    if (field !== document.activeElement && !this.typed.has(field)) field.value = value;
  }

  // The worker could not compute: said once, and the runs say it too.
  showFailure(detail) {
    return showBox(t('Uncertainties not computed'), t('The uncertainties could not be computed: %1', detail));
  }

  // The runs offered, the one chosen kept (the last one after a run was
  // added), the fields and the chosen run's uncertainties.
  render(added = false) {
    const count = this.runs.size();
    const before = this.choice.value;
    this.updateChoices();
    this.choice.value = !added && before !== '' && Number(before) < count ? before : String(count - 1);

    const defaults = this.runs.uncertainties();
    this.defaults.forEach((field, index) => this.show(field, text(defaults[keys[index]])));
    const run = this.row() >= 0 ? this.runs.run(this.row()) : null;
    this.own.forEach((field, index) => {
      this.show(field, run ? text(run.uncertainty[keys[index]]) : '');
      field.placeholder = text(defaults[keys[index]]);
      field.disabled = !run;
    });
    document.getElementById('runUncertaintiesTitle').textContent =
      run ? tr('RunsWindow', 'Uncertainties of run %1', this.row() + 1) : '';
    this.showRun(run);
    this.showProgress();
  }

  // The chosen run's results as they are now: its lines shown again only
  // where they changed, as results arrive for other runs all the time.
  showChosen() {
    this.showRun(this.row() >= 0 && this.row() < this.runs.size() ? this.runs.run(this.row()) : null);
  }

  showRun(run) {
    const lines = [];
    const found = run ? this.cache.find(run) : undefined;
    if (run && run.mtc === null) lines.push(t('The run has no coefficient yet: use Find MTC first.'));
    if (found === null) lines.push(tr('RunsModel', 'Being computed'));
    if (found?.monteCarlo.cancelled) {
      lines.push(tr('RunsModel',
        'Cancelled: computed for the next export or report, or when the run or the uncertainties change'));
    } else if (found) {
      const { gum, monteCarlo } = found;
      // The worker words a reason in English; its code is worded here in the page's language.
      const why = (given) => (given.message ? this.quillon.seriesMessage(given.message) : given.reason);
      // As a lab report writes them: u to two significant digits, the
      // value and the interval to its last place; in full in the exports.
      const shown = (value, u) => this.quillon.withUncertainty(value, u);
      const pair = (value, u) => {
        const both = shown(value, u);
        return [both.value, both.uncertainty];
      };
      if (gum.reason) lines.push(t('Not given: %1', why(gum)));
      else lines.push(`${t('First order (GUM)')}: ${t('Coefficient %1, standard uncertainty %2', ...pair(gum.mtc, gum.u))}`);
      if (monteCarlo.reason) {
        lines.push(`${t('Monte Carlo')}: ${t('Not given: %1', why(monteCarlo))}`);
      } else {
        lines.push(`${t('Monte Carlo')}: ${t('Coefficient %1, standard uncertainty %2',
          ...pair(monteCarlo.mtc, monteCarlo.u))}`,
        t('95 % interval %1 to %2, %3 draws', shown(monteCarlo.interval[0], monteCarlo.u).value,
          shown(monteCarlo.interval[1], monteCarlo.u).value, draws.format(monteCarlo.draws)),
        t('NTU %1, standard uncertainty %2', ...pair(monteCarlo.ntu, monteCarlo.uNtu)));
      }
    }
    const shown = lines.join('\n');
    if (shown === this.shownResult) return;
    this.shownResult = shown;
    this.output.replaceChildren(...lines.map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
  }

  showProgress() {
    const busy = this.cache.busy();
    const progress = document.getElementById('mcProgress');
    progress.max = Math.max(1, this.cache.total);
    progress.value = this.cache.done;
    document.getElementById('mcProgressLabel').textContent = tr('RunsWindow', 'Uncertainties: %v of %m runs')
      .replace('%v', String(this.cache.done)).replace('%m', String(this.cache.total));
    for (const id of ['mcStatus', 'mcProgress', 'mcProgressLabel', 'cancelUncertainties']) {
      document.getElementById(id).hidden = !busy;
    }
    document.getElementById('uncertainty').setAttribute('aria-busy', String(busy));
  }
}
