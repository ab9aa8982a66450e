// The series' analysis, as the desktop's analysis window shows it: the
// coefficient against each flow on log–log axes with the fitted power law,
// and the fit in the module's words.
import { coefficientChart } from './charts.js';

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
    const analysis = this.runs.analyse(this.weighted.checked, this.cache.monteCarloOf(rows));
    const flowUnit = this.runs.flowUnit();
    document.getElementById('analysisCharts').replaceChildren(
      coefficientChart(this.quillon, analysis, 'gasFlow', flowUnit),
      coefficientChart(this.quillon, analysis, 'waterFlow', flowUnit));
    document.getElementById('fitText').replaceChildren(...this.quillon.fitLines(analysis, flowUnit).map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
  }
}
