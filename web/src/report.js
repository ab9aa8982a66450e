// What the browser prints: the last run's inputs and results, as shown and
// in full, with its findings, and the series' runs below.
import { locale, tr } from './i18n.js';
import { numberText } from './numbers.js';

export function buildReport(quillon, documentOfRuns) {
  const report = document.getElementById('report');
  report.replaceChildren();
  const heading = (level, text) => {
    const element = document.createElement(`h${level}`);
    element.textContent = text;
    report.append(element);
  };
  heading(1, tr('Web', 'Quillon report'));

  const count = documentOfRuns.size();
  if (count > 0) {
    const run = documentOfRuns.run(count - 1);
    heading(2, `${tr('RunsModel', 'Run')} ${count}${run.label ? ` — ${run.label}` : ''}`);
    const list = document.createElement('dl');
    const line = (name, value) => {
      if (value === null || value === undefined) return;
      const term = document.createElement('dt');
      term.textContent = name;
      const shown = document.createElement('dd');
      shown.textContent = `${numberText(quillon.roundResult(value), locale)}  (${numberText(value, locale)})`;
      list.append(term, shown);
    };
    line(tr('RunsModel', 'y1 (gas in)'), run.y1);
    line(tr('RunsModel', 'x1 (water out)'), run.x1);
    line(tr('RunsModel', 'Gas flow'), run.gasFlow);
    line(tr('RunsModel', 'Water flow'), run.waterFlow);
    line(tr('RunsModel', 'Equilibrium x'), run.point?.x);
    line(tr('RunsModel', 'Equilibrium y*'), run.point?.y);
    line(tr('RunsModel', 'y2 (gas out)'), run.y2);
    line(tr('RunsModel', 'NTU'), run.ntu);
    line(tr('RunsModel', 'NTU (Colburn)'), run.ntuColburn);
    line(tr('RunsModel', 'Packing height (m)'), run.packingHeight);
    line(tr('RunsModel', 'Mass-transfer coefficient'), run.mtc);
    report.append(list);
    for (const code of run.findings) {
      const finding = document.createElement('p');
      finding.className = 'finding';
      finding.textContent = `\u26a0 ${quillon.findingMessage(code)}`;
      report.append(finding);
    }
  }

  heading(2, tr('RunsWindow', 'Runs'));
  const table = document.getElementById('runsTable').cloneNode(true);
  table.removeAttribute('id');
  // Inputs become their values; the selection column has no place on paper.
  for (const row of table.rows) {
    row.cells[0]?.remove();
    for (const input of row.querySelectorAll('input')) {
      input.replaceWith(input.type === 'checkbox' ? (input.checked ? '\u2713' : '') : input.value);
    }
  }
  report.append(table);
}
