// The series' analysis, as the desktop's analysis window shows it: the
// coefficient against each flow on log–log axes with the fitted power law,
// and the fit in the module's words.
import { SeriesWorker } from './opening.js';

// A series larger than this is fitted in a worker and drawn as pictures.
const inlineRuns = 500;

export class Analysis {
  constructor(quillon, documentOfRuns, cache) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.weighted = document.getElementById('weightedFit');
    this.unweighted = document.getElementById('unweightedReason');
    // The user's choice, which the box shows whenever the runs allow weighting.
    this.wanted = this.weighted.checked;
    this.soon = null;
    this.asked = 0;
    this.worker = null;
    this.pictures = [];
    // What the drawing shown or asked for last was drawn from.
    this.drawing = null;
    this.weighted.addEventListener('change', () => {
      this.wanted = this.weighted.checked;
      this.draw();
    });
    // Which coefficient is fitted: the module keeps the choice and says it.
    document.getElementById('fittedCoefficient').addEventListener('change', (event) => {
      this.quillon.setFitted(this.runs, event.target.value);
      this.draw();
    });
  }

  // Draws again once the changes of this task are over: many changes, one
  // drawing. A large series is fitted and drawn in a worker.
  renderSoon() {
    this.soon ??= setTimeout(() => {
      this.soon = null;
      this.draw();
    });
  }

  // Nothing is fitted or drawn again while the runs with a coefficient, the
  // flow unit, the weighting and the Monte Carlo results are what they were
  // for the drawing shown or asked for last: a label or a title edited in a
  // class's series costs no fit.
  draw() {
    const drawing = { key: this.quillon.analysisKey(this.runs), weighted: this.wanted,
      monteCarlo: this.cache.monteCarloForFit() };
    const last = this.drawing;
    if (last && last.key === drawing.key && last.weighted === drawing.weighted
      && last.monteCarlo.length === drawing.monteCarlo.length
      && last.monteCarlo.every((found, at) => found === drawing.monteCarlo[at])) return;
    this.drawing = drawing;
    if (this.runs.size() > inlineRuns) this.renderInWorker(drawing.monteCarlo); else this.render(drawing.monteCarlo);
  }

  // Fits again and draws both charts and the text.
  render(monteCarlo) {
    this.show(this.quillon.analysisView(this.runs, this.wanted, monteCarlo));
  }

  // Only the answer to the latest request is shown.
  async renderInWorker(monteCarlo) {
    const asked = ++this.asked;
    this.worker ??= new SeriesWorker(this.quillon.decimalPoint());
    const packed = this.runs.packed();
    try {
      const { view } = await this.worker.ask({ job: 'analyse', packed, weighted: this.wanted, monteCarlo,
        coefficient: this.quillon.fitted(this.runs) },
        [packed.buffer]);
      if (asked === this.asked) this.show(view);
    } catch {
      // A worker that failed leaves the analysis as it was drawn last, to
      // be drawn again at the next change.
      this.worker = null;
      this.drawing = null;
    }
  }

  // Calls `show` once the element is in view; an element replaced before
  // is forgotten.
  whenSeen(element, show) {
    this.seen ??= new IntersectionObserver((entries) => {
      for (const entry of entries) {
        if (!entry.isIntersecting) continue;
        this.seen.unobserve(entry.target);
        this.waiting.get(entry.target)?.();
        this.waiting.delete(entry.target);
      }
    });
    this.waiting ??= new Map();
    this.waiting.set(element, show);
    this.seen.observe(element);
  }

  show(view) {
    // A run in the fit without an uncertainty turns the box off and says which.
    const { why } = view;
    this.weighted.disabled = why !== null;
    this.weighted.checked = this.wanted && why === null;
    this.unweighted.textContent = why ?? '';
    this.unweighted.hidden = why === null;
    // The module draws the charts as SVG; the page only puts them in place,
    // a large series' as pictures, which cost the page no element a point.
    const large = this.runs.size() > inlineRuns;
    for (const url of this.pictures) URL.revokeObjectURL(url);
    this.pictures = [];
    for (const element of this.waiting?.keys() ?? []) this.seen.unobserve(element);
    this.waiting?.clear();
    const charts = document.getElementById('analysisCharts');
    charts.classList.toggle('pictures', large);
    charts.replaceChildren(...view.charts.map((svg) => {
      if (!large) return new DOMParser().parseFromString(svg, 'image/svg+xml').documentElement;
      const picture = new Image();
      // Read and drawn only once in view: the browser reads a picture of
      // SVG on the page's thread, for 10,000 runs in a task of 0.3-0.5 s,
      // and its lazy loading starts far from the view.
      const url = URL.createObjectURL(new Blob([svg], { type: 'image/svg+xml' }));
      this.pictures.push(url);
      this.whenSeen(picture, () => { picture.src = url; });
      // Its place kept until then, as the chart's view box gives it.
      const [width, height] = svg.slice(0, 300).match(/viewBox="0 0 ([\d.]+) ([\d.]+)"/)?.slice(1) ?? [];
      if (width) Object.assign(picture, { width: Number(width), height: Number(height) });
      // Its first three texts, read no further: a class's chart is megabytes.
      const words = [];
      for (const found of svg.matchAll(/<text[^>]*>([^<]*)<\/text>/g)) {
        if (words.push(found[1]) === 3) break;
      }
      picture.alt = words.join(', ');
      picture.className = 'chart';
      return picture;
    }));
    document.getElementById('fitText').replaceChildren(...view.lines.map((line) => {
      const p = document.createElement('p');
      p.textContent = line;
      return p;
    }));
    this.awaitedOf = view.awaitedOf;
    this.showCount();
  }

  // While the fit waits for the uncertainties, its first line counts the
  // runs done as the progress advances, with no fit again: the runs still
  // to compute are the ones the fit waits for.
  showCount() {
    const of = this.awaitedOf;
    if (of === null || of === undefined || !this.cache.busy()) return;
    const done = Math.max(0, Math.min(of, of - (this.cache.total - this.cache.done)));
    const line = document.getElementById('fitText').firstElementChild;
    const text = this.quillon.weightsAwaitedLine(done, of);
    if (line && line.textContent !== text) line.textContent = text;
  }
}
