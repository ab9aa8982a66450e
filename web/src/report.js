// The series report the page prints or saves, holding what the desktop's
// series report holds: the series' fields, the table of runs, both charts
// with the fit, each run's uncertainty and its budget, the method and the
// equilibrium table, on numbered A4 pages. Words are the desktop report's
// (contexts SeriesPdf and RunPdf) or present's; numbers are the module's.
import { locale, plain, tr } from './i18n.js';

const s = (source, ...args) => tr('SeriesPdf', source, ...args);
const r = (source, ...args) => tr('RunPdf', source, ...args);

// The budget's inputs in the order of series::Input.
const inputNames = ['y1', 'x1', 'Gas flow rate', 'Water flow rate', 'Height of packing (m)'];
const flowInputs = [2, 3];
// Where the runs table's cells (from y1 on) hold the inputs.
const inputCells = { y1: 0, x1: 1, gasFlow: 2, waterFlow: 3, packingHeight: 9 };

// A footnote's mark, a superscript number, as the desktop report writes it.
const superscripts = '⁰¹²³⁴⁵⁶⁷⁸⁹';
const footnoteMark = (number) => [...String(number)].map((digit) => superscripts[digit]).join('');

function element(tag, text, className) {
  const made = document.createElement(tag);
  if (text !== undefined) made.textContent = text;
  if (className) made.className = className;
  return made;
}

function tableOf(titles, rows, className) {
  const table = element('table', undefined, className);
  const head = table.createTHead().insertRow();
  titles.forEach((title, index) => {
    const numbers = rows.some((cells) => cells[index]?.number);
    head.append(element('th', title, numbers ? 'number' : undefined));
  });
  const body = table.createTBody();
  for (const cells of rows) {
    const row = body.insertRow();
    for (const cell of cells) {
      const shown = element('td', cell.text ?? cell);
      if (cell.number) shown.className = 'number';
      row.append(shown);
    }
  }
  return table;
}

// Builds the report's content from the module's words and numbers.
class ReportWriter {
  constructor(quillon, documentOfRuns, found, weighted) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.rows = Array.from({ length: documentOfRuns.size() }, (_, index) => documentOfRuns.run(index));
    this.found = found;
    this.weighted = weighted;
    this.unit = documentOfRuns.field('flowUnit');
    // Counts and shares as the runs table's tips write them.
    this.count = new Intl.NumberFormat(locale);
    this.share = new Intl.NumberFormat(locale, { minimumFractionDigits: 1, maximumFractionDigits: 1 });
  }

  shown(value) {
    return value === null || value === undefined ? '' : this.quillon.resultText(value);
  }

  full(value) {
    return this.quillon.numberText(value);
  }

  // Every uncertainty the report shows is written here, and only here.
  uncertaintyText(value) {
    return this.quillon.uncertaintyText(value);
  }

  number(value) {
    return { text: this.shown(value), number: true };
  }

  titleBlock() {
    const title = this.runs.field('title') || s('Untitled series');
    const fields = element('dl', undefined, 'fields');
    for (const [name, key] of [['People', 'people'], ['Date', 'date'], ['Flow unit', 'flowUnit'], ['Notes', 'notes']]) {
      const value = this.runs.field(key);
      if (value) fields.append(element('dt', s(name)), element('dd', value));
    }
    return [element('h1', s('NH3 absorption in a packed column: %1', title)), fields];
  }

  // As the desktop's table: thirteen columns, results as a result field
  // shows them, the expanded uncertainty by Monte Carlo.
  runsTable() {
    const titles = ['Run', 'Label', 'y1', 'x1', 'G', 'L', 'z (m)', 'y2', 'NTU', 'NTU C', 'MTC', 'U (k = 2)', 'Notes']
      .map((title) => s(title));
    // A run without U gets a mark in its narrow cell and one footnote per
    // reason under the table, naming its runs.
    const footnotes = [];
    const missing = (index) => {
      const reason = this.runs.missingUncertaintyReason(index, this.found[index] ?? null);
      if (reason === null) return this.runs.uncertaintyCells(index, this.found[index] ?? null, '')[0].text;
      let note = footnotes.findIndex((footnote) => footnote.reason === reason);
      if (note < 0) note = footnotes.push({ reason, runs: [] }) - 1;
      footnotes[note].runs.push(this.count.format(index + 1));
      return { text: `–${footnoteMark(note + 1)}`, number: true };
    };
    const rows = this.rows.map((run, index) => {
      // Inputs as the runs table shows them: typed, in full; those worked
      // out from readings as computed inputs are shown.
      const shownCells = this.runs.cells(index);
      const given = (at) => ({ text: shownCells[at].text, number: true });
      const cells = [{ text: this.count.format(index + 1), number: true }, run.label, given(inputCells.y1),
        given(inputCells.x1), given(inputCells.gasFlow), given(inputCells.waterFlow), given(inputCells.packingHeight)];
      if (run.outcome === 'completed') {
        const drawn = this.found[index]?.monteCarlo;
        const expanded = drawn && drawn.u !== undefined ? this.quillon.coverageFactor * drawn.u : null;
        cells.push(this.number(run.y2), this.number(run.ntu), this.number(run.ntuColburn), this.number(run.mtc),
          expanded === null ? missing(index) : { text: this.uncertaintyText(expanded), number: true });
      } else {
        cells.push({ text: this.quillon.notCompletedText(run.outcome) }, '', '', '', '');
      }
      const marks = [];
      if (!run.inAnalysis) marks.push(s('out'));
      if (run.findings.length > 0) marks.push(s('findings'));
      cells.push(marks.join(', '));
      return cells;
    });
    const note = (this.unit ? s('G and L in %1, MTC and U in %1/m³. ', this.unit) : '') + s('NTU C is the NTU by ' +
      'the Colburn equation. U is the expanded uncertainty of the coefficient (Monte Carlo, k = 2). Runs marked ' +
      '"out" are not in the fit: excluded, or with findings.') + this.besideNote();
    const findings = this.rows.flatMap((run, index) => (run.findings.length === 0 ? [] : [element('p',
      s('Run %1: %2', this.count.format(index + 1), run.findings.map((code) => this.quillon.findingMessage(code))
        .join(' ')), 'finding')]));
    const notes = footnotes.map((footnote, n) => element('p', footnote.runs.length === 1
      ? s('%1 No U for run %2: %3.', footnoteMark(n + 1), footnote.runs[0], footnote.reason)
      : s('%1 No U for runs %2: %3.', footnoteMark(n + 1), footnote.runs.join(', '), footnote.reason), 'small'));
    return [element('h2', s('Runs')), element('p', note, 'small'), tableOf(titles, rows, 'runs'), ...notes,
      this.besideTable(), ...findings];
  }

  analysis() {
    const monteCarlo = this.found.map((found) => found?.monteCarlo ?? null);
    // The charts' ids made the report's own, as the page shows the same charts.
    const charts = this.quillon.seriesCharts(this.runs, this.weighted, monteCarlo).map((svg) => {
      const chart = new DOMParser().parseFromString(svg.replaceAll('id="', 'id="report-')
        .replaceAll('url(#', 'url(#report-'), 'image/svg+xml').documentElement;
      return document.importNode(chart, true);
    });
    const lines = [this.fittedLine(), ...this.quillon.fitLines(this.runs, this.weighted, monteCarlo)]
      .map((line) => element('p', line));
    const chartBox = element('div', undefined, 'charts');
    chartBox.append(...charts);
    const fit = element('div', undefined, 'fit');
    fit.append(...lines);
    return [element('h2', s('How the coefficient depends on the flows')), chartBox, fit];
  }

  fitMethod() {
    return [element('h2', s('The fit')), element('p', s('The power law MTC = a · G^m · L^n is fitted by least ' +
      'squares to ln MTC = ln a + m ln G + n ln L over the runs in the analysis (not excluded, and without findings ' +
      'unless taken in), by a column-pivoting QR decomposition. Where every such run has an uncertainty, each is ' +
      'weighted by 1 / u(ln MTC)². The 95 % intervals are the estimates ± t · standard error, t the Student ' +
      'quantile at the residual degrees of freedom. An exponent whose flow has one value in every run is left out; ' +
      'flows within 1e-9 relative count as one value.'))];
  }

  inputName(input) {
    const name = r(inputNames[input]);
    return flowInputs.includes(input) && this.unit ? r('%1 (%2)', name, this.unit) : name;
  }

  // Each run with a coefficient and uncertainties: the Monte Carlo result
  // and the first-order budget.
  uncertainties() {
    const parts = [];
    this.rows.forEach((run, index) => {
      const { gum, monteCarlo: drawn } = this.found[index] ?? {};
      const hasDrawn = drawn && drawn.u !== undefined;
      const hasGum = gum && gum.budget !== undefined;
      if (!hasDrawn && !hasGum) return;
      const block = element('div', undefined, 'run-uncertainty');
      block.append(element('h3', r('Run %1: uncertainty', this.count.format(index + 1))));
      if (hasDrawn) {
        const rows = [[r('Monte Carlo: mean of the coefficients drawn'), this.full(drawn.mtc)],
          [r('Monte Carlo: standard uncertainty u'), this.uncertaintyText(drawn.u)],
          [r('Expanded uncertainty U = 2 u (k = 2)'), this.uncertaintyText(this.quillon.coverageFactor * drawn.u)],
          [r('95 % coverage interval: low end'), this.full(drawn.interval[0])],
          [r('95 % coverage interval: high end'), this.full(drawn.interval[1])],
          [r('NTU: standard uncertainty u'), this.uncertaintyText(drawn.uNtu)]];
        block.append(tableOf([], rows.map(([name, value]) => [name, { text: value, number: true }]), 'values'),
          element('p', r('%1 draws of normally distributed inputs, until the interval was stable to two ' +
            'significant digits.', this.count.format(drawn.draws)), 'small'));
      }
      if (hasGum) {
        const titles = ['Input', 'Value', 'Uncertainty', 'Sensitivity', 'Share (%)'].map((title) => r(title));
        const rows = gum.budget.map((line) => [line.reading === null ? this.inputName(line.input)
          : this.quillon.budgetReadingName(line.reading), this.number(line.value),
          { text: this.uncertaintyText(line.uncertainty), number: true },
          { text: this.quillon.significantText(line.sensitivity, 4), number: true },
          { text: this.share.format(line.sharePercent), number: true }]);
        block.append(element('h4', r('Error budget (first-order propagation)')), tableOf(titles, rows, 'budget'),
          element('p', `${r('First-order standard uncertainty u of the coefficient')}: ${this.uncertaintyText(gum.u)}`));
      }
      parts.push(block);
    });
    if (parts.length === 0) return [];
    return [element('h2', r('Uncertainty of the mass-transfer coefficient'), 'new-page'), ...parts,
      element('p', r('The sensitivity is the change of the coefficient per unit change of the input, by central ' +
        'differences; the share is the input\'s part of the coefficient\'s variance. Both methods evaluate the NTU ' +
        'in closed form, the integral that the sum above approximates.'), 'small')];
  }

  // Help's text: the method, its assumptions and the equilibrium table,
  // after the series' own equilibrium and HOG as the desktop's report gives them.
  method(grouping) {
    const method = element('div', undefined, 'method new-page');
    method.innerHTML = this.quillon.methodText(...grouping);
    method.prepend(element('p', `${r('HOG = height ÷ NTU; the Colburn coefficient and its HOG take the Colburn ' +
      'equation\'s NTU instead.')} ${this.quillon.equilibriumMethod(this.runs)}`, 'series-method'));
    return [method];
  }

  // The column temperature, HOG, and the Colburn coefficient with its HOG.
  besideTitles() {
    return [tr('Web', 'T (°C)'), s('HOG (m)'), s('MTC C'), tr('Web', 'HOG C (m)')];
  }

  // A table of their own under the runs: beside the thirteen columns they
  // would not fit an A4 page's width.
  besideTable() {
    const rows = this.rows.map((run, index) => [{ text: this.count.format(index + 1), number: true },
      ...this.runs.besideCells(index).map((cell) => ({ text: cell.text, number: true }))]);
    return tableOf([s('Run'), ...this.besideTitles()], rows, 'beside');
  }

  besideNote() {
    return ` ${s('HOG is the height of a transfer unit, z / NTU; MTC C the coefficient from NTU C.')} ${
      tr('Web', 'HOG C is the HOG from NTU C; T the column temperature in °C.')}`;
  }

  // Which coefficient the fit takes, as the analysis' box names it.
  fittedLine() {
    return `${plain(tr('AnalysisWindow', 'C&oefficient:'))} ${this.quillon.fittedText(this.runs)}`;
  }
}

// The page-number line at each page's foot, in the report's words.
function pageNumberStyle() {
  const [before, after = ''] = s('Page %1').split('%1');
  const quoted = (text) => JSON.stringify(text);
  return `@page { @bottom-right { content: ${quoted(before)} counter(page) ${quoted(after)}; } }`;
}

// Fills `target` with the report; `found` holds each run's {gum,
// monteCarlo} where known.
export function buildReport(target, { quillon, runs, found, weighted, grouping }) {
  const writer = new ReportWriter(quillon, runs, found, weighted);
  target.replaceChildren(...writer.titleBlock(), ...writer.runsTable(), ...writer.analysis(), ...writer.fitMethod(),
    ...writer.uncertainties(), ...writer.method(grouping));
  let style = document.getElementById('reportPages');
  if (!style) {
    style = element('style');
    style.id = 'reportPages';
    document.head.append(style);
  }
  style.textContent = pageNumberStyle();
}

// The report as an HTML file of its own, with its style: to keep, or to
// print to PDF later.
export async function reportFile(target, title) {
  const style = await (await fetch(new URL('./report.css', import.meta.url))).text();
  const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;');
  return `<!doctype html>\n<html lang="${document.documentElement.lang}">\n<head>\n<meta charset="utf-8">\n` +
    `<meta name="viewport" content="width=device-width, initial-scale=1">\n<title>${escape(title)}</title>\n` +
    `<style>\n${style}\n${document.getElementById('reportPages').textContent}\n</style>\n</head>\n` +
    `<body>\n<main class="report">\n${target.innerHTML}\n</main>\n</body>\n</html>\n`;
}
