// Opening and saving the series through the browser's file picker and its
// downloads: the bytes are the series library's, as the desktop writes them.
import { tr } from './i18n.js';
import { showBox } from './messages.js';

// How many runs or rows a box lists before it says how many more there are.
const longestList = 12;
// How long computing may take before its progress box shows, in ms.
const progressDelay = 500;

export class SeriesFiles {
  constructor(documentOfRuns, cache, onOpened) {
    this.runs = documentOfRuns;
    this.cache = cache;
    this.onOpened = onOpened;
    this.fileName = '';
    this.exporting = false;
    this.picker = document.getElementById('openFile');
    document.getElementById('newSeries').addEventListener('click', () => this.newSeries());
    document.getElementById('openSeries').addEventListener('click', () => this.open());
    document.getElementById('saveSeries').addEventListener('click', () => this.save());
    document.getElementById('exportCsv').addEventListener('click', () => this.exportCsv());
    this.picker.addEventListener('change', () => this.readChosen());
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
  async maybeSave() {
    if (!this.runs.modified()) return true;
    const box = document.getElementById('unsaved');
    box.querySelector('#unsavedText').textContent =
      tr('Session', 'The series has changes that are not saved.\nDo you want to save them?');
    box.returnValue = 'cancel';
    const answer = await new Promise((resolve) => {
      box.addEventListener('close', () => resolve(box.returnValue), { once: true });
      box.showModal();
    });
    if (answer === 'save') this.save();
    return answer !== 'cancel';
  }

  async newSeries() {
    if (!(await this.maybeSave())) return;
    this.runs.newSeries();
    this.fileName = '';
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
    const imported = name.toLowerCase().endsWith('.csv');
    const read = imported ? this.runs.importCsv(bytes, name) : this.runs.open(bytes, name);
    if (!read.ok) {
      await showBox(tr('SeriesFiles', 'Not opened'), tr('SeriesFiles', '%1 is not a series Quillon can read:\n%2',
        name, read.error));
      return false;
    }
    // An import is a new series, with no file of its own yet.
    this.fileName = imported ? '' : name;
    this.onOpened();
    if (read.differences.length > 0) {
      const runs = read.differences.slice(0, longestList);
      if (read.differences.length > longestList) runs.push('…');
      await showBox(tr('SeriesFiles', 'Results recomputed'), tr('SeriesFiles',
        'The results stored in %1 differ from those Quillon computes now for run(s) %2: the file was edited, or ' +
        'written by another version. The runs show the results computed now.', name, runs.join(', ')));
    }
    if (read.notices.length > 0) {
      const lines = read.notices.slice(0, longestList);
      if (read.notices.length > longestList) {
        lines.push(tr('SeriesFiles', '… and %1 more.', read.notices.length - longestList));
      }
      await showBox(tr('SeriesFiles', 'Read with notes'), lines.join('\n'));
    }
    return true;
  }

  save() {
    download(this.fileName || 'quillon-series.quillon', this.runs.save(), 'application/json');
    this.onOpened();
  }

  // Every run's uncertainty is in the export: what is not known yet is
  // computed first, with a progress box whose Cancel, like the worker
  // failing, leaves nothing written and says so.
  async exportCsv() {
    if (this.runs.size() === 0 || this.exporting) return;
    this.exporting = true;
    try {
      const rows = () => Array.from({ length: this.runs.size() }, (_, index) => this.runs.run(index));
      this.cache.request(rows(), true);
      const ending = await this.withProgress(this.cache.settled());
      if (ending !== 'done' || !this.cache.complete(rows())) {
        const why = ending === 'failed'
          ? tr('Web', 'The uncertainties could not be computed: %1', this.cache.failure)
          : tr('Web', 'Computing the uncertainties was cancelled.');
        await showBox(tr('Saving', 'Not saved'), `${tr('Saving', '%1 could not be made, so nothing was saved.',
          tr('Saving', 'The table of runs'))}\n${why}`);
        return;
      }
      download('quillon-runs.csv', this.runs.exportCsv(this.cache.monteCarloOf(rows())), 'text/csv');
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
function download(name, bytes, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}
