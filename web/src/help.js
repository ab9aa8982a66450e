// Help ▸ Method and Data: the desktop's explanation, in its words and with
// its numbers, the worked example computed by the core.
import { locale, tr } from './i18n.js';
import { numberText } from './numbers.js';

const t = (source, ...args) => tr('MethodWindow', source, ...args);

export function methodText(quillon) {
  const text = (value) => numberText(value, locale);
  const result = (value) => numberText(quillon.roundResult(value), locale);
  const rows = quillon.equilibriumTable().map((point, row) =>
    `<tr><td align=right>${row + 1}</td><td align=right>${text(point.x)}</td><td align=right>${text(point.y)}</td></tr>`)
    .join('');
  const exampleA = quillon.computeRun(0.02, 0.01, 1, 1);
  const count = (value) => new Intl.NumberFormat(locale).format(value);
  const steps = count(quillon.ntuSteps);
  return [
    t('<h2>What Quillon computes</h2>'),
    t('<h3>The inputs</h3>'),
    t('<p>Both compositions are NH3 mole fractions, not percentages: type %1 for 2 % NH3. y1 is the ' +
      'fraction in the entering gas and x1 the fraction in the leaving water. The flow rates carry no ' +
      'unit: only the ratio of gas flow to water flow enters the balance, and Find MTC uses the gas ' +
      'flow itself. The height of packing is in metres.</p>', text(0.02)),
    t('<h3>Calculate</h3>'),
    t('<p>The run is refused unless y1, x1 and both flows differ from 0, y1 is at most %1 and x1 is ' +
      'less than 1. The equilibrium point (x*, y*) is the first row of the table below whose x is ' +
      'greater than y1, or the last row for y1 up to %1; its slope is m = y*/x*.</p>', text(quillon.maxGasFraction)),
    t('<p>The NH3 balance over the column, in mole ratios, gives the leaving-gas fraction:<br>' +
      'Y2 = y1/(1 − y1) − x1/(1 − x1) · L/G, &nbsp; y2 = Y2/(Y2 + 1),<br>' +
      'with L the water flow and G the gas flow. The run is refused unless y2, rounded to 4 ' +
      'decimals, lies strictly between 0 and 1.</p>'),
    t('<p>The number of transfer units is a left-end rectangle sum over %1 equal steps. Its variable is ' +
      'the scaled gas fraction Y = 29/17 · y (29/17 is the ratio of the molar masses of air and NH3), ' +
      'from Y<sub>lo</sub> = 29/17 · y2 to Y<sub>hi</sub> = 29/17 · y1 in steps ' +
      'Δ = (Y<sub>hi</sub> − Y<sub>lo</sub>) / %1. With the flow ratio r = G/L, the slope m and ' +
      'f = 1 − m · r, every step adds<br>' +
      '|Δ / (a · Y + b)|, &nbsp; a = 1 − r · f, &nbsp; b = Y<sub>lo</sub> · f,<br>' +
      'for Y = Y<sub>lo</sub>, Y<sub>lo</sub> + Δ, …, Y<sub>lo</sub> + (%1 − 1) · Δ.</p>' +
      '<p>The sum is the rectangle rule for the integral of dY / |a · Y + b| from Y<sub>lo</sub> to ' +
      'Y<sub>hi</sub>; where a · Y + b keeps its sign between the limits, that integral is ' +
      '|ln((a · Y<sub>hi</sub> + b) / (a · Y<sub>lo</sub> + b)) / a|, and the sum agrees with it to ' +
      'about six digits. It is not the integral of dy / (y − y*) along the operating line that ' +
      'textbooks give, and the two numbers differ.</p>', steps),
    t("<h3>Quillon's NTU and the textbook's</h3>"),
    t('<p>For a dilute gas and straight lines, textbooks give the overall gas-phase NTU by the Colburn ' +
      'equation:<br>' +
      'NTU<sub>OG</sub> = ln[(1 − 1/A) · y1/y2 + 1/A] / (1 − 1/A), &nbsp; A = L / (m · G),<br>' +
      "and y1/y2 − 1 when A = 1. Quillon's NTU is the sum above, in closed form " +
      '|ln((a · Y<sub>hi</sub> + b) / (a · Y<sub>lo</sub> + b)) / a|. The two integrate different things: ' +
      'the textbook integrates dy / (y − y*) along the operating line, in mole fractions; Quillon sums ' +
      'dY / |a · Y + b| over the gas fraction scaled by 29/17. So the same run gives two numbers: example ' +
      'A (y1 %1, x1 %2, both flows 1) has NTU %3 here and %4 by the Colburn equation. The runs table, ' +
      "the CSV export and the report show both; the mass-transfer coefficient is always made from " +
      "Quillon's own NTU.</p>", text(0.02), text(0.01), result(exampleA.ntu), result(exampleA.ntuColburn ?? 0)),
    t('<h3>Find MTC</h3>'),
    t('<p>The mass-transfer coefficient is K = NTU · G / (z · A), with z the height of packing and ' +
      'A = 0.05² × 3.1416 m² the cross-section of the laboratory column. It needs a height, an NTU and ' +
      'a gas flow all greater than 0, from the last completed Calculate.</p>'),
    t('<h3>Files</h3>'),
    t('<p>File ▸ Open reads series files and CSV files of at most %1 MiB and %2 runs. It refuses a series ' +
      'file nested more than %3 levels deep, with an object of more than %7 members or holding a text ' +
      'longer than %4 MiB, and a CSV file with more than %5 rows, more than %6 columns or a cell longer ' +
      'than %4 MiB, naming the line and column where the limit is passed.</p>',
    count(quillon.maxFileBytes / 1048576), count(quillon.maxRuns), count(quillon.maxNesting),
    count(quillon.maxTextBytes / 1048576), count(quillon.maxCsvRecords), count(quillon.maxCsvColumns),
    count(quillon.maxMembers)),
    t('<p>Every number of a CSV file is read with one decimal separator: the one its numbers show, such as ' +
      'the point in 0.02 or the comma in 0,5, or, where none shows it, a point in a file separated by ' +
      'commas and a comma in one separated by semicolons. A number that would need a guess, such as ' +
      '1,500 in a file with decimal points, 1.500 in one with decimal commas or in a tab-separated file ' +
      'where no number shows the separator, or a number with group separators, is not read: the file is ' +
      'refused at its line and column, with what to write instead. A word processor\'s minus sign (−) is ' +
      'read as a minus.</p>'),
    t('<h3>Assumptions</h3>'),
    t('<p>The gas mixture is dilute, the entering water holds no NH3, and the water is not ' +
      'recycled.</p>'),
    t('<h3>Equilibrium data</h3>'),
    t('<p>NH3 partial pressures over aqueous ammonia at 30 °C, converted to gas mole fractions as ' +
      'y* = p / 760 mmHg.</p>'),
    t('<table cellspacing=0 cellpadding=3 border=1><tr><th>Row</th><th>x</th><th>y*</th></tr>%1</table>', rows),
  ].join('');
}

// The Help section, shown and focused by its button and by F1.
export function wireHelp(quillon) {
  const section = document.getElementById('help');
  const show = () => {
    document.getElementById('helpText').innerHTML = methodText(quillon);
    section.hidden = false;
    section.focus();
  };
  document.getElementById('showHelp').addEventListener('click', show);
  document.addEventListener('keydown', (event) => {
    if (event.key === 'F1') {
      event.preventDefault();
      show();
    }
  });
}
