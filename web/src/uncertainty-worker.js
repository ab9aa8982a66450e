// Monte Carlo draws off the page's thread, so the page stays usable; the
// page ends the worker to cancel.
import createQuillon from '../quillon.mjs';

const ready = fetch(new URL('../quillon.wasm', import.meta.url))
  .then((response) => response.arrayBuffer())
  .then((wasmBinary) => createQuillon({ wasmBinary }));

self.onmessage = async ({ data }) => {
  const quillon = await ready;
  const { run, uncertainties, seed } = data;
  self.postMessage(quillon.monteCarlo(run.y1, run.x1, run.gasFlow, run.waterFlow, run.packingHeight,
    uncertainties, seed));
};
