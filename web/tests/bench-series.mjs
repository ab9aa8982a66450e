// The page with a class's series: opening a 10,000-run file against the
// tool computing the same file, edits, Undo, Redo and Calculate in it, and
// the longest task on the page's main thread in each, in Save and the CSV
// export, and in scrolling to the charts; and while a class's
// uncertainties compute on every core, the longest main-thread task (its
// wall and CPU time) and how long a row's selection takes to show.
// Timings depend on the machine
// and what else it runs, so each is printed as a ratio to its goal (best
// of the tries, with the spread) and never decides the exit status.
//   node web/tests/bench-series.mjs SITE_DIR QUILLON_CLI
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { launch, openPage, serve } from './browser.mjs';

const [site, cli] = process.argv.slice(2);
const runs = 10000;
const distinct = 100;
const tries = 3;

// As the native benchmarks make theirs: 100 runs near Example A, each with
// a height and completing, repeated to 10,000, with their results.
function seriesCsv() {
  const lines = ['label,y1,x1,gas flow,water flow,packing height'];
  for (let i = 0; i < distinct; ++i) lines.push(`run ${i},${0.02 + 1e-4 * i},0.01,1,1,2`);
  return `${lines.join('\n')}\n`;
}

async function seriesFile(browser, url) {
  const page = await openPage(browser, url);
  const text = await page.evaluate((csv, count) => {
    const { quillon } = window.quillonPage;
    const made = new quillon.Document();
    made.readFile(new TextEncoder().encode(csv), 'runs.csv', 'csv');
    made.takeFile(new Float64Array(), 'runs.csv');
    const file = JSON.parse(new TextDecoder().decode(made.fileBytes()));
    made.delete();
    const few = file.runs;
    file.runs = Array.from({ length: count }, (_, i) => few[i % few.length]);
    return JSON.stringify(file, null, 2);
  }, seriesCsv(), runs);
  await page.close();
  return text;
}

// Every task over 50 ms on the page's main thread, from its first load,
// with its start.
async function watchedPage(browser, url) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.evaluateOnNewDocument(() => {
    window.longTasks = [];
    new PerformanceObserver((list) => window.longTasks.push(...list.getEntries()
      .map((entry) => ({ start: entry.startTime, duration: entry.duration }))))
      .observe({ type: 'longtask', buffered: true });
    // No save picker, which no one answers in a headless browser.
    Object.defineProperty(window, 'showSaveFilePicker', { value: undefined, configurable: true, writable: true });
  });
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  // The longest task that started since `from`, and the page's clock.
  const longestSince = (from) => page.evaluate((since) => Math.max(0, ...window.longTasks
    .filter((task) => task.start >= since).map((task) => task.duration)), from);
  const now = () => page.evaluate(() => performance.now());
  return { page, close: () => context.close(), longestSince, now };
}

// The class's file opened, until its table shows and nothing is computing.
async function openClass(page, path) {
  await (await page.$('#openFile')).uploadFile(path);
  await page.waitForFunction((count) => window.quillonPage.runs.size() === count
    && document.querySelector('#runsTable tbody tr') !== null, { timeout: 600000, polling: 10 }, runs);
  await settled(page);
}

// Scrolled to the charts, drawn as pictures once in view: until both are decoded.
async function chartsDrawn(page) {
  await page.evaluate(() => document.getElementById('analysisCharts').scrollIntoView());
  await page.waitForFunction(() => {
    const pictures = [...document.querySelectorAll('#analysisCharts img')];
    return pictures.length === 2 && pictures.every((picture) => picture.complete && picture.naturalWidth > 0);
  }, { timeout: 600000 });
}

const settled = (page) => page.waitForFunction(() => document.getElementById('runs').getAttribute('aria-busy')
  !== 'true', { timeout: 600000 });
const pause = (ms) => new Promise((resolve) => { setTimeout(resolve, ms); });

// What a user does with the series open, each timed from the event until
// the frame that shows it starts: in the runs table a label and an input
// of the first run, the series' title, Undo and Redo, and Calculate in the
// main window, which adds a run.
const edits = {
  label: () => {
    const field = document.querySelector('#runsTable tbody input[type="text"]');
    field.value = `edited ${performance.now()}`;
    field.dispatchEvent(new Event('change'));
  },
  input: () => {
    const field = document.querySelector('#runsTable tbody input[data-column="y1"]');
    field.focus();
    field.value = field.value.replace(/\d$/, (digit) => String((Number(digit) + 1) % 10));
    field.blur();
  },
  title: () => {
    const field = document.getElementById('seriesTitle');
    field.value = `Class ${performance.now()}`;
    field.dispatchEvent(new Event('change'));
  },
  undo: () => document.getElementById('undo').click(),
  redo: () => document.getElementById('redo').click(),
  calculate: () => {
    for (const [id, value] of [['gasFlow', '1'], ['y1', '0.03'], ['waterFlow', '1'], ['x1', '0.01']]) {
      document.getElementById(id).value = value;
    }
    document.getElementById('calculate').click();
  },
};
const steps = ['label', 'undo', 'redo', 'input', 'undo', 'title', 'undo', 'calculate'];
const goals = { label: 50, input: 50, title: 50, undo: 50, redo: 50, calculate: 50 };

async function onePass(browser, url, path) {
  const { page, close, longestSince, now } = await watchedPage(browser, url);
  try {
    const pass = { longest: {} };
    const started = await now();
    await openClass(page, path);
    pass.open = (await now()) - started;
    await pause(500);
    pass.longest.open = await longestSince(started);
    for (const [at, step] of steps.entries()) {
      const from = await now();
      const ms = await page.evaluate(async (code) => {
        const start = performance.now();
        new Function(`(${code})()`)();
        return new Promise((resolve) => { requestAnimationFrame(() => resolve(performance.now() - start)); });
      }, edits[step].toString());
      pass[`${step} ${at}`] = ms;
      await pause(1000);
      pass.longest[step] = Math.max(pass.longest[step] ?? 0, await longestSince(from));
    }
    // Save and the CSV export write in a worker; until the series is saved,
    // and a while for the export.
    let from = await now();
    await page.click('#saveSeries');
    await page.waitForFunction(() => !window.quillonPage.runs.modified(), { timeout: 600000 });
    await pause(500);
    pass.longest.save = await longestSince(from);
    from = await now();
    await page.click('#exportCsv');
    await pause(3000);
    pass.longest.export = await longestSince(from);
    from = await now();
    await chartsDrawn(page);
    await pause(500);
    pass.longest.charts = await longestSince(from);
    return pass;
  } finally {
    await close();
  }
}

// A class's series whose runs all differ: with the standard uncertainties,
// minutes of Monte Carlo on every core; or with no two runs at the same
// flows, as meter readings give them, which the charts group and name.
async function classFile(browser, url, { uncertain }) {
  const page = await openPage(browser, url);
  const text = await page.evaluate((count, withUncertainty) => {
    const { quillon } = window.quillonPage;
    const lines = ['label,y1,x1,gas flow,water flow,packing height'];
    for (let i = 0; i < count; ++i) {
      const flows = withUncertainty ? `${[0.5, 1, 2][i % 3]},1` : `${1 + 1e-3 * i},${2 + 7e-4 * i}`;
      lines.push(`run ${i},${0.02 + 1e-6 * i},0.01,${flows},2`);
    }
    const made = new quillon.Document();
    made.readFile(new TextEncoder().encode(`${lines.join('\n')}\n`), 'runs.csv', 'csv');
    made.takeFile(new Float64Array(), 'runs.csv');
    const file = JSON.parse(new TextDecoder().decode(made.fileBytes()));
    made.delete();
    if (withUncertainty) {
      file.uncertainty = { gas_flow_rel: 0.02, water_flow_rel: 0.02, y1: 0.0005, x1: 0.0005, packing_height: 0.005 };
    }
    return JSON.stringify(file);
  }, runs, uncertain);
  await page.close();
  return text;
}

// Opening a class whose flows all differ, then scrolling to its charts:
// the longest main-thread task in each.
async function flowsPass(browser, url, path) {
  const { page, close, longestSince, now } = await watchedPage(browser, url);
  try {
    const started = await now();
    await openClass(page, path);
    const open = (await now()) - started;
    await pause(500);
    const longestOpen = await longestSince(started);
    const from = await now();
    await chartsDrawn(page);
    await pause(500);
    return { open, longestOpen, longestCharts: await longestSince(from) };
  } finally {
    await close();
  }
}

// For `watch` ms while the uncertainties compute: the longest task on the
// page's main thread from a Chromium trace, in wall time and in CPU time
// (on a busy machine the thread waits for a core inside a task), and the
// slowest of a row's check box clicked every few seconds, from the click
// until the frame that shows it has been painted.
const watch = 20000;
const selections = 5;
async function computingPass(browser, url, path) {
  const { page, close } = await watchedPage(browser, url);
  const traced = join(folder, 'computing.json');
  try {
    await (await page.$('#openFile')).uploadFile(path);
    await page.waitForFunction((count) => window.quillonPage.runs.size() === count
      && document.querySelector('#runsTable tbody tr') !== null, { timeout: 600000, polling: 100 }, runs);
    await settled(page);
    await page.waitForFunction(() => window.quillonPage.cache.busy() && window.quillonPage.cache.done > 0,
      { timeout: 600000, polling: 100 });
    await page.tracing.start({ path: traced, categories: ['toplevel'] });
    const selection = [];
    for (let i = 0; i < selections; ++i) {
      await pause(watch / selections);
      const box = `#runsTable tbody tr:nth-child(${3 + i}) input[type="checkbox"]`;
      await page.evaluate((selector) => {
        window.selectionShown = new Promise((resolve) => {
          document.querySelector(selector).addEventListener('click', (event) => requestAnimationFrame(() => {
            setTimeout(() => resolve(performance.now() - event.timeStamp));
          }), { once: true });
        });
      }, box);
      await page.click(box);
      selection.push(await page.evaluate(() => window.selectionShown));
    }
    await page.tracing.stop();
    const stillBusy = await page.evaluate(() => window.quillonPage.cache.busy());
    await page.click('#cancelUncertainties');
    const { traceEvents } = JSON.parse(readFileSync(traced, 'utf8'));
    const main = new Set(traceEvents.filter((event) => event.name === 'thread_name'
      && event.args?.name === 'CrRendererMain').map((event) => `${event.pid}:${event.tid}`));
    const tasks = traceEvents.filter((event) => event.ph === 'X' && /RunTask$/.test(event.name)
      && main.has(`${event.pid}:${event.tid}`));
    return { wall: Math.max(0, ...tasks.map((task) => task.dur)) / 1000,
      cpu: Math.max(0, ...tasks.map((task) => task.tdur ?? 0)) / 1000, selection: Math.max(...selection), stillBusy };
  } finally {
    await close();
  }
}

function toolMs(path) {
  const start = process.hrtime.bigint();
  execFileSync(cli, ['compute', path], { maxBuffer: 1 << 28 });
  return Number(process.hrtime.bigint() - start) / 1e6;
}

const folder = mkdtempSync(join(tmpdir(), 'quillon-bench-'));
const server = await serve(site);
const browser = await launch();
try {
  const path = join(folder, 'class.quillon');
  writeFileSync(path, await seriesFile(browser, server.url));
  const passes = [];
  const tool = [];
  for (let i = 0; i < tries; ++i) {
    tool.push(toolMs(path));
    passes.push(await onePass(browser, server.url, path));
  }
  const line = (name, values, goal, unit = 'ms') => {
    const best = Math.min(...values);
    const spread = Math.max(...values) - best;
    console.log(`${name}: best ${best.toFixed(1)} ${unit} (spread ${spread.toFixed(1)}), goal ${goal.toFixed(1)}: ` +
      `${(best / goal).toFixed(2)} of the goal`);
  };
  const bestTool = Math.min(...tool);
  console.log(`${runs} runs; quillon-cli compute: best ${bestTool.toFixed(0)} ms`);
  line('Open', passes.map((pass) => pass.open), 2 * bestTool);
  for (const [at, step] of steps.entries()) {
    line(`${step[0].toUpperCase()}${step.slice(1)} (step ${at + 1}) until its frame`,
      passes.map((pass) => pass[`${step} ${at}`]), goals[step]);
  }
  for (const what of Object.keys(passes[0].longest)) {
    line(`Longest main-thread task, ${what}`, passes.map((pass) => pass.longest[what]), 100);
  }
  const flows = join(folder, 'flows.quillon');
  writeFileSync(flows, await classFile(browser, server.url, { uncertain: false }));
  const flowTool = [];
  const flowPasses = [];
  for (let i = 0; i < tries; ++i) {
    flowTool.push(toolMs(flows));
    flowPasses.push(await flowsPass(browser, server.url, flows));
  }
  console.log(`${runs} runs, no two at the same flows; quillon-cli compute: best ${Math.min(...flowTool).toFixed(0)} ms`);
  line('Open, flows all different', flowPasses.map((pass) => pass.open), 2 * Math.min(...flowTool));
  line('Longest main-thread task, open with flows all different', flowPasses.map((pass) => pass.longestOpen), 100);
  line('Longest main-thread task, their charts', flowPasses.map((pass) => pass.longestCharts), 100);
  const uncertain = join(folder, 'uncertain.quillon');
  writeFileSync(uncertain, await classFile(browser, server.url, { uncertain: true }));
  const computing = [];
  for (let i = 0; i < tries; ++i) computing.push(await computingPass(browser, server.url, uncertain));
  if (computing.some((pass) => !pass.stillBusy)) console.log('(the uncertainties were done before the watch ended)');
  line('Longest main-thread task while the uncertainties compute, wall', computing.map((pass) => pass.wall), 100);
  line('Longest main-thread task while they compute, CPU', computing.map((pass) => pass.cpu), 100);
  line('A row selected while they compute, until its frame', computing.map((pass) => pass.selection), 50);
} finally {
  await browser.close();
  await server.close();
  rmSync(folder, { recursive: true, force: true });
}
