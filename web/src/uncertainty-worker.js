// Both uncertainties of one run at a time, off the page's thread, so the
// page stays usable; the page ends the worker to cancel. A module that does
// not load or a job that throws is answered with the error, never silence.
import createQuillon from '../quillon.mjs';

const ready = fetch(new URL('../quillon.wasm', import.meta.url))
  .then((response) => {
    if (!response.ok) throw new Error(`quillon.wasm: ${response.status} ${response.statusText}`);
    return response.arrayBuffer();
  })
  .then((wasmBinary) => createQuillon({ wasmBinary }));

self.onmessage = async ({ data }) => {
  const { key, job } = data;
  try {
    const quillon = await ready;
    const found = quillon.uncertaintyOfJob(job);
    if (found === null) throw new Error('not a run to compute');
    self.postMessage({ key, found });
  } catch (error) {
    self.postMessage({ key, error: String(error?.message ?? error) });
  }
};
