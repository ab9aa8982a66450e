// Both uncertainties of one run at a time, off the page's thread, so the
// page stays usable; the page ends the worker to cancel.
import createQuillon from '../quillon.mjs';

const ready = fetch(new URL('../quillon.wasm', import.meta.url))
  .then((response) => response.arrayBuffer())
  .then((wasmBinary) => createQuillon({ wasmBinary }));

self.onmessage = async ({ data }) => {
  const quillon = await ready;
  const { key, run, given } = data;
  self.postMessage({ key, found: quillon.uncertaintyOf(run.y1, run.x1, run.gasFlow, run.waterFlow,
    run.packingHeight, given) });
};
