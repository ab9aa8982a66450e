// The series' analysis, as the desktop's analysis window shows it: the
// coefficient against each flow on log–log axes with the fitted power law,
// and the fit in the words of the desktop's fitLines.
import { locale, tr } from './i18n.js';
import { significantText } from './numbers.js';

const t = (source, ...args) => tr('SeriesChart', source, ...args);
const number = (value) => significantText(value, 4, locale);
const estimateText = (estimate) => t('%1 ± %2 (95 %: %3 to %4)', number(estimate.value),
  number(estimate.standardError), number(estimate.low), number(estimate.high));

// The fit in words, a line each, as report::fitLines writes them.
export function fitLines(analysis, flowUnit) {
  const used = analysis.runs.filter((run) => run.used).length;
  const law = analysis.fit;
  if (law.reason !== undefined) {
    return [t('No fit: %1.', law.reason), t('Runs in the analysis: %1 of %2 with a coefficient.', used,
      analysis.runs.length)];
  }
  let form = t('MTC = a');
  if (law.gasExponent) form += t(' · G^m');
  if (law.waterExponent) form += t(' · L^n');
  const lines = [form, t('a = %1', estimateText(law.prefactor))];
  if (law.gasExponent) lines.push(t('m (gas flow) = %1', estimateText(law.gasExponent)));
  if (law.waterExponent) lines.push(t('n (water flow) = %1', estimateText(law.waterExponent)));
  if (law.dropped) {
    const which = law.dropped.exponent === 'gas' ? t('m (gas flow)') : t('n (water flow)');
    lines.push(t('%1 left out: %2.', which, law.dropped.reason));
  }
  lines.push(t('R² = %1 (of ln MTC); residual SD %2', number(law.rSquared), number(law.residualSd)));
  lines.push(t('Runs used: %1 of %2 with a coefficient%3.', law.runsUsed, analysis.runs.length,
    law.weighted ? t(', weighted by their uncertainties') : ''));
  if (flowUnit !== '') lines.push(t('G and L in %1, MTC in %1/m³.', flowUnit));
  return lines;
}

export class Analysis {
  constructor(quillon, documentOfRuns, cache) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.weighted = document.getElementById('weightedFit');
    this.weighted.addEventListener('change', () => this.render());
  }

  // Fits again and draws both charts and the text.
  render() {
    const rows = Array.from({ length: this.runs.size() }, (_, index) => this.runs.run(index));
    const monteCarlo = this.cache.monteCarloOf(rows);
    const analysis = this.runs.analyse(this.weighted.checked, monteCarlo);
    const flowUnit = this.runs.flowUnit();
    // The module draws the charts as SVG; the page only puts them in place.
    document.getElementById('analysisCharts').replaceChildren(
      ...this.quillon.seriesCharts(this.runs, this.weighted.checked, monteCarlo).map((svg) =>
        new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement));
    document.getElementById('fitText').replaceChildren(...fitLines(analysis, flowUnit).map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
  }
}
