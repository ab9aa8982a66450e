// Opening and saving the series through the browser's file picker and its
// downloads: the bytes are the series library's, as the desktop writes them.
import { tr } from './i18n.js';
import { forgetKept, keepSeries, keptSeries } from './keep.js';
import { ask, showBox } from './messages.js';
import { Opening, SeriesWorker } from './opening.js';

// How long computing may take before its progress box shows, in ms.
const progressDelay = 500;
// How long opening may take before its progress shows, in ms.
const progressShows = 200;
const fallbackName = 'quillon-series.quillon';
// A series larger than this is written in a worker.
const writtenHere = 500;
const longestName = 100;

// A series' title as a file name every system takes: no path, reserved or
// control characters, no dots or spaces at either end, no device name of
// Windows, at most 100 characters; '' when nothing of it is left.
export function fileNameOf(title) {
  let name = title.normalize('NFC').replace(/[\u0000-\u001f\u007f<>:"/\\|?*]+/g, '_').replace(/\s+/g, ' ');
  name = name.replace(/\.quillon$/i, '').replace(/^[\s.]+|[\s.]+$/g, '');
  name = [...name].slice(0, longestName).join('').replace(/[\s.]+$/, '');
  if (/^_*$/.test(name)) return '';
  if (/^(con|prn|aux|nul|com\d|lpt\d)(\..*)?$/i.test(name)) name = `_${name}`;
  return `${name}.quillon`;
}

const isCsv = (name) => name.toLowerCase().endsWith('.csv');

export class SeriesFiles {
  // onOpened after New, Open and Restore; onSaved once the series is
  // written or kept; onImported once Import Runs has added runs.
  constructor(quillon, documentOfRuns, cache, onOpened, onSaved, onImported) {
    this.quillon = quillon;
    this.runs = documentOfRuns;
    this.cache = cache;
    this.onOpened = onOpened;
    this.onSaved = onSaved;
    this.onImported = onImported;
    this.fileName = '';
    this.exporting = false;
    // Where the browser's save picker last wrote the series, to write again.
    this.handle = null;
    this.saving = null;
    this.writer = null;
    this.opening = null;
    document.getElementById('cancelOpen').addEventListener('click', () => this.opening?.cancel());
    this.picker = document.getElementById('openFile');
    document.getElementById('newSeries').addEventListener('click', () => this.newSeries());
    document.getElementById('openSeries').addEventListener('click', () => this.open());
    document.getElementById('saveSeries').addEventListener('click', () => this.save());
    document.getElementById('exportCsv').addEventListener('click', () => this.exportCsv());
    this.picker.addEventListener('change', () => this.readChosen());
    this.importPicker = document.getElementById('importFile');
    document.getElementById('importRuns').addEventListener('click', () => this.importRuns());
    this.importPicker.addEventListener('change', () => this.importChosen());
    document.addEventListener('keydown', (event) => {
      if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
      const key = event.key.toLowerCase();
      if (key === 's') {
        event.preventDefault();
        this.save();
      } else if (key === 'o') {
        event.preventDefault();
        this.open();
      }
    });
    // Leaving the page asks, as closing the desktop's window does.
    window.addEventListener('beforeunload', (event) => {
      if (this.runs.modified()) event.preventDefault();
    });
  }

  // Save, Discard or Cancel when there are unsaved changes; true to go on.
  // Only a save that completed goes on.
  async maybeSave() {
    if (!this.runs.modified()) return true;
    const answer = await ask(document.getElementById('unsaved'),
      tr('Session', 'The series has changes that are not saved.\nDo you want to save them?'), 'cancel');
    if (answer === 'save') return this.save();
    return answer === 'discard';
  }

  async newSeries() {
    if (!(await this.maybeSave())) return;
    this.runs.newSeries();
    this.fileName = '';
    this.handle = null;
    this.onOpened();
  }

  async open() {
    if (!(await this.maybeSave())) return;
    this.picker.value = '';
    this.picker.click();
  }

  async readChosen() {
    const file = this.picker.files[0];
    if (file) await this.read(file.name, new Uint8Array(await file.arrayBuffer()));
  }

  // Reads a .quillon or CSV file's bytes into the series; says what the
  // desktop would say of them.
  async read(name, bytes) {
    const imported = isCsv(name);
    const read = await this.readInSteps(bytes, name, imported ? 'csv' : 'open');
    // An import is a new series, with no file of its own yet.
    return read !== null && this.took(read, name, imported ? '' : name);
  }

  // A file read by the module, its runs integrated in workers with the
  // progress and Cancel in view, then taken in: the answer of the module's
  // open, or null when cancelled. One file at a time: a second cancels the
  // first.
  async readInSteps(bytes, name, how) {
    this.opening?.cancel();
    const status = document.getElementById('openStatus');
    const bar = document.getElementById('openProgress');
    const opening = new Opening(this.quillon, this.runs, (done, total) => {
      bar.max = total;
      bar.value = done;
    });
    this.opening = opening;
    document.getElementById('openProgressLabel').textContent = tr('SeriesFiles', 'Computing the runs…');
    bar.removeAttribute('value');
    const shown = setTimeout(() => { status.hidden = false; }, progressShows);
    document.getElementById('runs').setAttribute('aria-busy', 'true');
    try {
      return await opening.run(bytes, name, how);
    } catch (error) {
      return { ok: false, error: error.message };
    } finally {
      clearTimeout(shown);
      if (this.opening === opening) {
        this.opening = null;
        status.hidden = true;
        document.getElementById('runs').setAttribute('aria-busy', 'false');
      }
    }
  }

  // Import Runs: the runs join the series as it is, so nothing is asked.
  importRuns() {
    this.importPicker.value = '';
    this.importPicker.click();
  }

  async importChosen() {
    const file = this.importPicker.files[0];
    if (!file) return false;
    const bytes = new Uint8Array(await file.arrayBuffer());
    const read = await this.readInSteps(bytes, file.name, isCsv(file.name) ? 'importCsv' : 'importSeries');
    return read !== null && this.told(read, file.name, this.onImported);
  }

  took(read, name, fileName) {
    return this.told(read, name, () => {
      this.fileName = fileName;
      this.handle = null;
      this.onOpened();
    });
  }

  // What the desktop says of a file read: why it was not, or else, once
  // `show` has shown it, which stored inputs and results differ and what was
  // noticed.
  async told(read, name, show) {
    if (read.ok) show();
    for (const box of read.boxes) await showBox(box.title, box.text);
    return read.ok;
  }

  // The file's name: the one it was opened or saved under, else the
  // series' title. A series saved untitled takes its title's name once it
  // has one.
  saveName() {
    const titled = fileNameOf(this.runs.field('title'));
    if (this.fileName && !(this.fileName === fallbackName && titled)) return this.fileName;
    return titled || fallbackName;
  }

  // Writes the series; true once it is written, or handed over as a
  // download and kept in the browser. Anything else leaves it unsaved.
  save() {
    // One save at a time: a second picker would be refused.
    this.saving ??= this.write().finally(() => {
      this.saving = null;
    });
    return this.saving;
  }

  async write() {
    const revision = this.runs.revision();
    const name = this.saveName();
    const bytes = await this.bytesOf(false);
    if (typeof window.showSaveFilePicker === 'function') return this.saveThroughPicker(bytes, revision, name);
    download(name, bytes, 'application/json');
    try {
      await keepSeries(bytes, name);
    } catch (error) {
      await showBox(tr('Form1', 'Quillon'), tr('Web', 'The series was handed over as a download, but the browser ' +
        'could not keep a copy of it (%1). It stays marked as not saved: check that the download arrived before ' +
        'you discard it.', error?.message || String(error)));
      return false;
    }
    return this.saved(name, revision);
  }

  // The series' file or its CSV export as bytes, a large series' written
  // in a worker from the series as it is now; here when the worker fails.
  async bytesOf(csv) {
    const monteCarlo = csv ? this.cache.monteCarloNow() : null;
    const here = () => (csv ? this.runs.exportCsv(monteCarlo) : this.runs.fileBytes());
    if (this.runs.size() <= writtenHere) return here();
    this.writer ??= new SeriesWorker(this.quillon.decimalPoint());
    const packed = this.runs.packed();
    try {
      return (await this.writer.ask({ job: 'write', packed, csv, monteCarlo }, [packed.buffer])).bytes;
    } catch {
      this.writer.end();
      this.writer = null;
      return here();
    }
  }

  // The browser's save picker says whether the file was written.
  async saveThroughPicker(bytes, revision, name) {
    let { handle } = this;
    try {
      handle ??= await window.showSaveFilePicker({
        suggestedName: name, types: [{ accept: { 'application/json': ['.quillon'] } }],
      });
      const writable = await handle.createWritable();
      await writable.write(bytes);
      await writable.close();
    } catch (error) {
      // Cancelled in the picker: nothing to say.
      if (error?.name === 'AbortError') return false;
      this.handle = null;
      await showBox(tr('Saving', 'Not saved'), tr('Saving', '%1 could not be saved:\n%2', handle?.name ?? name,
        error?.message || String(error)));
      return false;
    }
    this.handle = handle;
    return this.saved(handle.name, revision);
  }

  saved(name, revision) {
    this.fileName = name;
    this.runs.markSaved(revision);
    this.onSaved();
    return true;
  }

  // On the next visit, the series last handed over as a download, if the
  // browser kept one: Restore or Discard; closing the box decides nothing.
  async offerKept() {
    const kept = await keptSeries();
    if (!kept) return;
    const when = new Intl.DateTimeFormat(navigator.language || 'en', { dateStyle: 'medium', timeStyle: 'short' })
      .format(kept.time);
    const answer = await ask(document.getElementById('kept'),
      tr('Web', 'A series that was not saved is kept from %1: %2.', when, kept.name), 'later');
    if (answer === 'discard') {
      await forgetKept();
    } else if (answer === 'restore' && (await this.maybeSave())) {
      const read = await this.readInSteps(kept.bytes, kept.name, 'restore');
      if (read !== null) await this.took(read, kept.name, kept.name);
    }
  }

  // Every run's uncertainty is in the export: what is not known yet is
  // computed first, with a progress box whose Cancel, like the worker
  // failing, leaves nothing written and says so.
  async exportCsv() {
    if (this.runs.size() === 0) return;
    await this.withUncertainties(tr('Saving', 'The table of runs'), async () => {
      download('quillon-runs.csv', await this.bytesOf(true), 'text/csv');
    });
  }

  // Computes what is not known yet of every run's uncertainty, then makes
  // `what` by make(); one at a time. The work in flight is waited for,
  // not started again.
  async withUncertainties(what, make) {
    if (this.exporting) return;
    this.exporting = true;
    try {
      this.cache.request(true);
      const ending = await this.withProgress(this.cache.settled());
      if (ending !== 'done' || !this.cache.complete()) {
        const why = ending === 'failed'
          ? tr('Web', 'The uncertainties could not be computed: %1', this.cache.failure)
          : tr('Web', 'Computing the uncertainties was cancelled.');
        await showBox(tr('Saving', 'Not saved'), `${tr('Saving', '%1 could not be made, so nothing was saved.',
          what)}\n${why}`);
        return;
      }
      await make();
    } finally {
      this.exporting = false;
    }
  }

  // The progress box over the page while `work` runs, shown after half a
  // second as the desktop's; its Cancel (or Escape) cancels the computing.
  async withProgress(work) {
    const box = document.getElementById('exportProgress');
    const bar = box.querySelector('progress');
    const tick = () => {
      bar.max = Math.max(1, this.cache.total);
      bar.value = this.cache.done;
    };
    const timer = setTimeout(() => {
      box.querySelector('#exportProgressText').textContent = tr('SeriesFiles', 'Computing the uncertainties…');
      tick();
      box.showModal();
    }, progressDelay);
    const ticking = setInterval(tick, 50);
    const cancel = (event) => {
      event.preventDefault();
      this.cache.cancel();
    };
    box.addEventListener('cancel', cancel);
    box.querySelector('button').onclick = () => this.cache.cancel();
    try {
      return await work;
    } finally {
      clearTimeout(timer);
      clearInterval(ticking);
      box.removeEventListener('cancel', cancel);
      if (box.open) box.close();
    }
  }
}

// Hands bytes to the browser as a download; nothing leaves the computer.
export function download(name, bytes, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
