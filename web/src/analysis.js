// The series' analysis, as the desktop's analysis window shows it: the
// coefficient against each flow on log–log axes with the fitted power law,
// and the fit in the module's words.

export class Analysis {
  constructor(quillon, documentOfRuns, cache) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.weighted = document.getElementById('weightedFit');
    this.unweighted = document.getElementById('unweightedReason');
    // The user's choice, which the box shows whenever the runs allow weighting.
    this.wanted = this.weighted.checked;
    this.weighted.addEventListener('change', () => {
      this.wanted = this.weighted.checked;
      this.render();
    });
  }

  // Fits again and draws both charts and the text.
  render() {
    const rows = Array.from({ length: this.runs.size() }, (_, index) => this.runs.run(index));
    const monteCarlo = this.cache.monteCarloOf(rows);
    // A run in the fit without an uncertainty turns the box off and says which.
    const why = this.quillon.unweightedText(this.runs, monteCarlo);
    this.weighted.disabled = why !== null;
    this.weighted.checked = this.wanted && why === null;
    this.unweighted.textContent = why ?? '';
    this.unweighted.hidden = why === null;
    // The module draws the charts as SVG; the page only puts them in place.
    document.getElementById('analysisCharts').replaceChildren(
      ...this.quillon.seriesCharts(this.runs, this.wanted, monteCarlo).map((svg) =>
        new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement));
    const lines = this.quillon.fitLines(this.runs, this.wanted, monteCarlo);
    document.getElementById('fitText').replaceChildren(...lines.map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
  }
}
