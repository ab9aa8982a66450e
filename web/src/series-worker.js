// The page's work on a whole series, off its thread so the page stays
// usable: reading a file, integrating a share of its runs, writing the
// series or its CSV export, and the analysis. The series comes and goes
// packed by the module; the worker keeps the file it read until the page
// has its runs integrated. The page ends the worker to cancel. A module
// that does not load or a job that throws is answered with the error,
// never silence.
import createQuillon from '../quillon.mjs';

const ready = fetch(new URL('../quillon.wasm', import.meta.url))
  .then((response) => {
    if (!response.ok) throw new Error(`quillon.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  })
  .then((wasmBinary) => createQuillon({ wasmBinary }));

let file = null;

// A document holding the packed series the page sent.
function documentOf(quillon, packed) {
  const series = new quillon.Document();
  series.takePacked(packed, 'open');
  return series;
}

const jobs = {
  locale: (quillon, { catalogue, decimalPoint }) => {
    quillon.setPageLocale(catalogue, decimalPoint);
    return {};
  },
  read: (quillon, { bytes, name, how }) => {
    file?.delete();
    file = new quillon.Document();
    return { read: file.readFile(bytes, name, how) };
  },
  integrate: (quillon, { inputs }) => ({ integrated: quillon.integrateRuns(inputs) }),
  take: (quillon, { integrated, name }) => {
    const answer = file.takeFile(integrated, name);
    return { answer, packed: file.packed() };
  },
  write: (quillon, { packed, csv, monteCarlo }) => {
    const series = documentOf(quillon, packed);
    try {
      return { bytes: csv ? series.exportCsv(monteCarlo) : series.fileBytes() };
    } finally {
      series.delete();
    }
  },
  analyse: (quillon, { packed, weighted, monteCarlo, coefficient = 'quillon' }) => {
    const series = documentOf(quillon, packed);
    try {
      quillon.setFitted(series, coefficient);
      return { view: quillon.analysisView(series, weighted, monteCarlo) };
    } finally {
      series.delete();
    }
  },
};

self.onmessage = async ({ data }) => {
  const { id, job } = data;
  try {
    const answer = jobs[job](await ready, data);
    const moved = [answer.integrated?.buffer, answer.packed?.buffer, answer.bytes?.buffer].filter(Boolean);
    self.postMessage({ id, ...answer }, moved);
  } catch (error) {
    self.postMessage({ id, error: String(error?.message ?? error) });
  }
};
