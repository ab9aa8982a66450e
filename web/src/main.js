// The browser edition of Quillon: the desktop's core and series library in
// WebAssembly, and the page around them.
import createQuillon from '../quillon.mjs';
import { Analysis } from './analysis.js';
import { Column } from './column.js';
import { SeriesFiles, download, fileNameOf } from './files.js';
import { grouping, wireHelp } from './help.js';
import { afterFrame } from './frames.js';
import { catalogue, language, loadTexts, locale, plain, tr } from './i18n.js';
import { numberText, useNumbers } from './numbers.js';
import { buildReport, reportFile } from './report.js';
import { RunsTable } from './runs.js';
import { SeriesFields } from './seriesfields.js';
import { Uncertainty } from './uncertainty.js';
import { UncertaintyCache } from './uncertainty-cache.js';

// How often results arriving show in the table, the run and the fit, in ms.
const computedShown = 250;

// The decimal separator of a locale such as 'de-CH'; '.' for one the
// browser does not know.
function decimalPoint(locale) {
  try {
    return new Intl.NumberFormat(locale).formatToParts(0.5).find((part) => part.type === 'decimal')?.value ?? '.';
  } catch {
    // An invalid language tag: the browser's own numbers.
    return '.';
  }
}

function translatePage() {
  document.documentElement.lang = language;
  for (const element of document.querySelectorAll('[data-tr]')) {
    const [context, source] = element.dataset.tr.split('|');
    element.textContent = plain(tr(context, source));
  }
  for (const element of document.querySelectorAll('[data-tip]')) element.title = tr(...element.dataset.tip.split('|'));
  for (const element of document.querySelectorAll('[data-placeholder]')) {
    element.placeholder = tr(...element.dataset.placeholder.split('|'));
  }
  const tip = tr('Form1', 'NH3 mole fraction, not a percentage: %1 for 2 %', numberText(0.02));
  document.getElementById('fractionTip').textContent = tip;
  for (const id of ['y1', 'x1']) document.getElementById(id).title = tip;
}

// Print and Save Report: every run's uncertainty is computed first, as for
// the desktop's report; the browser's own Print prints what is known.
function wireReport(quillon, runs, cache, files, analysis) {
  const report = document.getElementById('report');
  const rowsNow = () => Array.from({ length: runs.size() }, (_, index) => runs.run(index));
  const fill = (rows) => buildReport(report, { quillon, runs, found: rows.map((run) => cache.find(run)),
    weighted: analysis.weighted.checked, grouping: grouping() });
  const what = tr('Saving', 'The series report');
  document.getElementById('printReport').addEventListener('click', () => files.withUncertainties(what, () => {
    fill(rowsNow());
    window.print();
  }));
  window.addEventListener('beforeprint', () => fill(rowsNow()));
  document.getElementById('saveReport').addEventListener('click', () => files.withUncertainties(what, async () => {
    fill(rowsNow());
    const title = runs.field('title');
    const name = fileNameOf(title).replace(/\.quillon$/, '.html') || 'quillon-report.html';
    download(name, await reportFile(report, title || tr('SeriesPdf', 'Quillon series')), 'text/html');
  }));
}

async function start() {
  const [quillon] = await Promise.all([createQuillon(), loadTexts(new URL('../strings-de.json', import.meta.url))]);
  quillon.setPageLocale(catalogue(), decimalPoint(locale));
  useNumbers(quillon);
  translatePage();
  const runs = new quillon.Document();

  let table = null;
  let uncertainty = null;
  let later = () => {};
  const showName = () => {
    const name = files.fileName || tr('SeriesPdf', 'Untitled series');
    document.getElementById('seriesName').textContent = name + (runs.modified() ? ' *' : '');
  };
  // What changed: one run added or changed in place, the series' fields
  // alone, or anything. The run's
  // row shows at once; the rest follows once a burst of changes is over and
  // the row is on the screen, each part a task of its own, so that a
  // Calculate or an edit costs no more than its own row and no task holds
  // the page long.
  let addedRun = false;
  const changed = ({ added, changed: inPlace, fields: fieldsOnly = false } = {}) => {
    const row = added ?? inPlace ?? -1;
    // A field that changes every run (the equilibrium, a flow unit that
    // converts the flows) shows the table again.
    if (row >= 0) table.renderRun(row);
    else if (fieldsOnly && quillon.changedRows(runs) !== null) table.renderTitles();
    else table.render();
    showName();
    fields.render();
    addedRun ||= added !== undefined;
    later();
    later = afterFrame(() => {
      cache.request();
      uncertainty.render(addedRun);
      addedRun = false;
      analysis.renderSoon();
    });
  };
  // Results arriving while the rest compute: the progress at most once a
  // frame, the table's rows in view and the run chosen a few times a
  // second, and the fit and its charts only once the computing is over, as
  // each of them costs a class's series a long task. A failure is told
  // once; an export waiting for the results tells it itself.
  let showing = null;
  let progress = null;
  const showComputed = () => {
    showing = null;
    table.showUncertainties();
    uncertainty.showChosen();
  };
  const cache = new UncertaintyCache(quillon, runs, () => {
    if (!cache.busy()) {
      clearTimeout(showing);
      progress?.();
      progress = null;
      showComputed();
      uncertainty.showProgress();
      analysis.renderSoon();
    } else {
      showing ??= setTimeout(showComputed, computedShown);
      progress ??= afterFrame(() => {
        progress = null;
        uncertainty.showProgress();
        analysis.showCount();
      });
    }
  }, (detail) => {
    if (!files.exporting) uncertainty.showFailure(detail);
  });
  const column = new Column(quillon, runs, changed);
  table = new RunsTable(quillon, runs, cache, changed);
  uncertainty = new Uncertainty(quillon, runs, cache, changed);
  const fields = new SeriesFields(runs, changed);
  const analysis = new Analysis(quillon, runs, cache);
  // A save leaves the run on screen the series' own: Find MTC still goes to it.
  const files = new SeriesFiles(quillon, runs, cache, () => {
    column.forgetRun();
    changed();
  }, showName, () => changed());
  wireHelp(quillon);
  wireReport(quillon, runs, cache, files, analysis);
  changed();

  // For the browser tests: the page's own objects, nothing more.
  window.quillonPage = { quillon, runs, column, files, table, cache, analysis };
  document.getElementById('app').setAttribute('aria-busy', 'false');
  document.body.dataset.ready = 'true';
  document.getElementById('gasFlow').focus();
  files.offerKept();

  if ('serviceWorker' in navigator && location.protocol !== 'file:') {
    navigator.serviceWorker.register(new URL('../sw.js', import.meta.url)).catch(() => {});
  }
}

start();
