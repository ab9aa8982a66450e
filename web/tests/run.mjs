// Browser tests of the page in headless Chromium. Expected digits, texts
// and bytes come from the native core, series library and the desktop's
// number texts (quillon_oracle), never from the page itself.
//   node web/tests/run.mjs SITE_DIR ORACLE
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { isDeepStrictEqual } from 'node:util';
import { after, before, describe, test } from 'node:test';
import { launch, openPage, serve } from './browser.mjs';

const [site, oracle] = process.argv.slice(2);
const ask = (args, input) => execFileSync(oracle, args, { input, maxBuffer: 1 << 26 }).toString();
const askJson = (args, input) => JSON.parse(ask(args, JSON.stringify(input)));
const german = JSON.parse(readFileSync(join(site, 'strings-de.json'), 'utf8'));
const de = (context, source) => german[`${context}\u0004${source}`];

let server;
let browser;
before(async () => {
  server = await serve(site);
  browser = await launch();
});
after(async () => {
  await browser.close();
  await server.close();
});

const inputIds = ['y1', 'x1', 'gasFlow', 'waterFlow', 'height'];

async function type(page, typed) {
  for (const [index, text] of typed.entries()) {
    await page.$eval(`#${inputIds[index]}`, (field, value) => { field.value = value; }, text);
  }
}

const resultsOf = (page) => page.$$eval('input.result', (fields) =>
  Object.fromEntries(fields.map((field) => [field.id, field.value])));

// The box that is open, as { title, text }, closed with its OK button.
async function closeBox(page) {
  await page.waitForSelector('#box[open]');
  const shown = await page.$eval('#box', (box) => ({
    title: box.querySelector('#boxTitle').textContent, text: box.querySelector('#boxText').textContent,
  }));
  await page.click('#box button');
  await page.waitForSelector('#box:not([open])');
  return shown;
}

const noBoxOpen = (page) => page.$eval('#box', (box) => !box.open);

// A run in each band of the equilibrium table, the closing limit 0.3
// included, and the worked examples with a height.
const bands = ['0.01', '0.0126', '0.015', '0.0167', '0.02', '0.025', '0.03', '0.04', '0.05', '0.07', '0.09', '0.13',
  '0.17', '0.2', '0.24', '0.29', '0.3'];
const typedRuns = [
  ['0.02', '0.01', '1', '1', '2'],
  ['0.045', '0.02', '2', '3', '1.5'],
  ...bands.map((y1, band) => [y1, String(Number(y1) / 4), String(1 + band / 10), '1.3', '0.75']),
  // Findings: no absorption and a negative fraction.
  ['0.02', '-0.01', '1', '1', '2'],
];

async function download(page, click) {
  const folder = mkdtempSync(join(tmpdir(), 'quillon-download-'));
  const session = await page.createCDPSession();
  // Each page has a browser context of its own; downloads are set per context.
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder,
    browserContextId: page.browserContext().id });
  await page.click(click);
  let files = [];
  for (let i = 0; i < 100 && !files.some((name) => !name.endsWith('.crdownload')); ++i) {
    await new Promise((resolve) => setTimeout(resolve, 50));
    files = readdirSync(folder);
  }
  const name = files.find((file) => !file.endsWith('.crdownload'));
  const bytes = readFileSync(join(folder, name));
  rmSync(folder, { recursive: true, force: true });
  return { name, bytes };
}

const uploads = [];
after(() => uploads.forEach((folder) => rmSync(folder, { recursive: true, force: true })));

async function open(page, name, bytes) {
  const folder = mkdtempSync(join(tmpdir(), 'quillon-upload-'));
  writeFileSync(join(folder, name), bytes);
  const picker = await page.$('#openFile');
  await picker.uploadFile(join(folder, name));
  // The page reads the file after this returns; the folder goes at the end.
  uploads.push(folder);
}


describe('main window', () => {
  test('worked examples and every band give the desktop\'s digits', async () => {
    const expected = askJson(['runs', 'en_US'], typedRuns);
    const page = await openPage(browser, server.url);
    for (const [index, typed] of typedRuns.entries()) {
      await type(page, typed);
      await page.click('#calculate');
      await page.click('#findMtc');
      const want = expected[index];
      assert.equal(want.outcome, 'completed', typed.join(' '));
      assert.deepEqual(await resultsOf(page), { eqY: want.eqY, y2: want.y2, ntu: want.ntu, mtc: want.mtc },
        typed.join(' '));
      const row = await page.$eval(`#runsTable tbody tr:nth-child(${index + 1})`, (tr) => ({
        colburn: tr.querySelector('[data-column="ntuColburn"]').textContent,
        marked: tr.querySelector('.mark') !== null,
      }));
      assert.equal(row.colburn, want.ntuColburn, typed.join(' '));
      assert.equal(row.marked, want.findings.length > 0, typed.join(' '));
      const findings = await page.$$eval('#findings .finding', (lines) => lines.length);
      assert.equal(findings, want.findings.length, typed.join(' '));
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  // Titles as the desktop's window tests expect them.
  const faults = [
    { name: 'not a number', typed: ['abc', '0.01', '1', '1'], title: 'Not a number',
      text: 'Gas Inlet %NH3 holds "abc", which is not a number.' },
    { name: 'empty', typed: ['0.02', '0.01', '1', ' '], title: 'Not a number', text: 'H20 Flowrate is empty. Type a number.' },
    { name: 'too large', typed: ['0.02', '0.01', '1e999', '1'], title: 'Number too large',
      text: 'Gas Flowrate holds "1e999", which is too large a number.' },
    { name: 'long text quoted', typed: ['0.02', 'x'.repeat(50), '1', '1'], title: 'Not a number',
      text: `Water Outlet %NH3 holds "${'x'.repeat(40)}\u2026", which is not a number.` },
    { name: 'all zero', typed: ['0', '0', '0', '0'], title: 'ERROR', text: 'Invalid Data', outcome: 'invalid_data' },
    { name: 'example C', typed: ['0.02', '0.01', '1', '5'], title: 'ERROR', text: 'Invalid Data', outcome: 'invalid_data' },
    { name: 'outlet ratio of -1', typed: ['0.2', '0.5', '4', '5'], title: 'Division by zero', outcome: 'division_by_zero',
      text: 'Division by zero. The calculation was stopped at that step.' },
    { name: 'flow ratio overflows', typed: ['0.02', '0.01', '1e300', '1e-300'], title: 'Overflow', outcome: 'overflow' },
    { name: 'integration overflows', typed: ['0.02', '0.01', '1e160', '1'], title: 'Overflow', outcome: 'overflow',
      shown: true },
    { name: 'coefficient 0/0', typed: ['0.02', '0.002', '5e-324', '5e-324', '5e-324'], title: 'Invalid operation',
      coefficient: 'invalid_operation' },
    { name: 'coefficient divides by 0', typed: ['0.02', '0.01', '1', '1', '5e-324'], title: 'Division by zero',
      coefficient: 'division_by_zero' },
    { name: 'no height', typed: ['0.02', '0.01', '1', '1', '0'], title: 'ERROR', text: 'Invalid Data',
      coefficient: 'invalid_data' },
  ];

  test('every fault kind gives its message', async () => {
    const expected = askJson(['runs', 'en_US'], faults.map((fault) => fault.typed));
    const page = await openPage(browser, server.url);
    for (const [index, fault] of faults.entries()) {
      const want = expected[index];
      await type(page, fault.typed.length === 5 ? fault.typed : [...fault.typed, '2']);
      await page.click('#calculate');
      if (fault.coefficient) {
        assert.equal(want.coefficient, fault.coefficient, fault.name);
        assert.ok(await noBoxOpen(page), fault.name);
        await page.click('#findMtc');
      } else if (fault.outcome) {
        assert.equal(want.outcome, fault.outcome, fault.name);
      }
      const box = await closeBox(page);
      assert.equal(box.title, fault.title, fault.name);
      if (fault.text) assert.equal(box.text, fault.text, fault.name);
      if (fault.shown) assert.equal((await resultsOf(page)).y2, want.y2, fault.name);
      assert.ok(await noBoxOpen(page), `${fault.name}: one box only`);
    }
    await page.close();
  });

  test('Find MTC needs a completed Calculate first', async () => {
    const page = await openPage(browser, server.url);
    await type(page, ['0.02', '0.01', '1', '1', '2']);
    await page.click('#findMtc');
    assert.deepEqual(await closeBox(page), { title: 'ERROR', text: 'Invalid Data' });
    await page.click('#calculate');
    await type(page, ['abc']);
    await page.click('#calculate');
    await closeBox(page);
    // The failed click broke the link between the NTU and the gas flow.
    await page.click('#findMtc');
    assert.deepEqual(await closeBox(page), { title: 'ERROR', text: 'Invalid Data' });
    await page.close();
  });
});

describe('numbers', () => {
  const texts = ['0.02', ' 0,02 ', '0,02', '1e999', '-1e999', '1.000', '1,000', 'abc', '', ' ', '.5', ',5', '5.', '5,',
    '1E5', '1e+5', '+0.02', '+-1', '--1', '1e-999', '-1e-999', 'inf', 'nan', '1 000', '0x10', '1,000.5', '1e', 'e5',
    '1.5e+3', '1,5e3', '\u22121', '5e-324', '1.7976931348623157e308', '1.7976931348623159e308', '0.1e-400',
    '123456789012345678901234567890', '1e-5', '-0', '٣'];

  for (const [language, locale] of [['en-US', 'en_US'], ['de-DE', 'de_DE'], ['de-CH', 'de_CH'], ['de-AT', 'de_AT']]) {
    test(`typed texts read as the desktop reads them (${language})`, async () => {
      const expected = askJson(['texts', locale], texts);
      const page = await openPage(browser, server.url, language);
      const read = await page.evaluate(async (all) => {
        const numbers = await import('./src/numbers.js');
        const lang = navigator.language;
        return all.map((text) => {
          const number = numbers.parseNumber(text, lang);
          return number.kind === 'number'
            ? { kind: 'number', value: number.value, negative: Object.is(number.value, -0) || number.value < 0,
              text: numbers.numberText(number.value, lang) }
            : { kind: number.kind === 'tooLarge' ? 'too_large' : 'not_a_number' };
        });
      }, texts);
      for (const [index, text] of texts.entries()) {
        const want = expected[index];
        assert.equal(read[index].kind, want.kind, JSON.stringify(text));
        if (want.kind !== 'number') continue;
        // The sign of 0 does not survive the trip out of the page; `negative` carries it.
        assert.ok(read[index].value === Number(want.value), JSON.stringify(text));
        assert.equal(read[index].negative, want.value.startsWith('-'), JSON.stringify(text));
        assert.equal(read[index].text, want.text, JSON.stringify(text));
      }
      await page.close();
    });
  }
});

describe('keyboard', () => {
  test('the main flow by keyboard alone, with the focus visible', async () => {
    const expected = askJson(['runs', 'en_US'], [typedRuns[0]]);
    const page = await openPage(browser, server.url);
    const focused = () => page.evaluate(() => document.activeElement.id);
    // The fields come in the order they are filled, then Calculate.
    assert.equal(await focused(), 'gasFlow');
    const order = [['gasFlow', '1'], ['y1', '0.02'], ['waterFlow', '1'], ['x1', '0.01']];
    for (const [index, [id, text]] of order.entries()) {
      if (index > 0) await page.keyboard.press('Tab');
      assert.equal(await focused(), id);
      await page.keyboard.down('Control');
      await page.keyboard.press('a');
      await page.keyboard.up('Control');
      await page.keyboard.type(text);
    }
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'calculate');
    const outline = await page.evaluate(() => getComputedStyle(document.activeElement).outlineStyle);
    assert.notEqual(outline, 'none');
    await page.keyboard.press('Enter');
    assert.equal((await resultsOf(page)).ntu, expected[0].ntu);
    while (await focused() !== 'height') await page.keyboard.press('Tab');
    await page.keyboard.down('Control');
    await page.keyboard.press('a');
    await page.keyboard.up('Control');
    await page.keyboard.type('2');
    await page.keyboard.press('Tab');
    assert.equal(await focused(), 'findMtc');
    await page.keyboard.press('Space');
    assert.equal((await resultsOf(page)).mtc, expected[0].mtc);
    // A box takes the focus, Escape closes it, and the focus comes back.
    await page.$eval('#height', (field) => { field.value = 'abc'; });
    await page.keyboard.press('Enter');
    await page.waitForSelector('#box[open]');
    await page.keyboard.press('Escape');
    await page.waitForSelector('#box:not([open])');
    assert.equal(await focused(), 'findMtc');
    // F1 opens the Help.
    await page.keyboard.press('F1');
    await page.waitForFunction(() => document.activeElement.id === 'help', { timeout: 2000 });
    assert.equal(await page.$eval('#help', (help) => help.hidden), false);
    await page.close();
  });
});

describe('series', () => {
  const labelled = [
    { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'A' },
    { y1: 0.045, x1: 0.02, gasFlow: 2, waterFlow: 3, label: 'B', excluded: true },
    { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 5, label: 'C refused' },
    { y1: 0.13, x1: 0.03, gasFlow: 1.7, waterFlow: 2.9, packingHeight: 0.6, label: 'Größe ✓' },
  ];

  const rowsOf = (page) => page.$$eval('#runsTable tbody tr', (rows) => rows.map((row) => ({
    label: row.querySelector('input[type="text"]').value,
    excluded: row.querySelector('input[type="checkbox"][aria-label^="Excluded"]').checked,
    y2: row.querySelector('[data-column="y2"]').title,
    ntu: row.querySelector('[data-column="ntu"]').title,
    mtc: row.querySelector('[data-column="mtc"]').title,
  })));

  test('a file written natively opens with identical results, and its save reads back natively', async () => {
    const written = ask(['write'], JSON.stringify(labelled));
    const computed = JSON.parse(ask(['read'], written));
    const page = await openPage(browser, server.url);
    await open(page, 'native.quillon', written);
    await page.waitForFunction((count) => document.querySelectorAll('#runsTable tbody tr').length === count, {},
      labelled.length);
    // Stored and computed results agree: no box.
    assert.ok(await noBoxOpen(page));
    const rows = await rowsOf(page);
    for (const [index, want] of computed.entries()) {
      assert.deepEqual(rows[index], { label: want.label, excluded: want.excluded, y2: want.y2 ?? '', ntu: want.ntu ?? '',
        mtc: want.mtc ?? '' }, `run ${index + 1}`);
    }
    const saved = await download(page, '#saveSeries');
    assert.equal(saved.name, 'native.quillon');
    assert.equal(saved.bytes.toString(), written);
    const csv = await download(page, '#exportCsv');
    assert.equal(csv.name, 'quillon-runs.csv');
    assert.equal(csv.bytes.toString(), ask(['csv'], written));
    await page.close();
  });

  test('runs calculated in the page save as the native library writes them', async () => {
    const page = await openPage(browser, server.url);
    for (const run of typedRuns.slice(0, 2)) {
      await type(page, run);
      await page.click('#calculate');
      await page.click('#findMtc');
    }
    await page.$eval('#runsTable tbody tr:nth-child(2) input[type="text"]', (field) => {
      field.value = 'second';
      field.dispatchEvent(new Event('change'));
    });
    const saved = await download(page, '#saveSeries');
    const native = ask(['write'], JSON.stringify([
      { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: '' },
      { y1: 0.045, x1: 0.02, gasFlow: 2, waterFlow: 3, packingHeight: 1.5, label: 'second' },
    ]));
    assert.equal(saved.bytes.toString(), native);
    const computed = JSON.parse(ask(['read'], saved.bytes));
    const rows = await rowsOf(page);
    assert.deepEqual(rows.map((row) => row.mtc), computed.map((run) => run.mtc));
    await page.close();
  });

  test('label, exclude, delete, undo and redo', async () => {
    const page = await openPage(browser, server.url);
    await open(page, 'runs.quillon', ask(['write'], JSON.stringify(labelled)));
    await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 4);
    const labels = async () => (await rowsOf(page)).map((row) => row.label);
    await page.$eval('#runsTable tbody tr:nth-child(1) input[type="text"]', (field) => {
      field.value = 'first';
      field.dispatchEvent(new Event('change'));
    });
    assert.deepEqual(await labels(), ['first', 'B', 'C refused', 'Größe ✓']);
    await page.click('#runsTable tbody tr:nth-child(1) input[aria-label^="Excluded"]');
    assert.equal((await rowsOf(page))[0].excluded, true);
    await page.click('#runsTable tbody tr:nth-child(2) input[aria-label^="Select"]');
    await page.click('#runsTable tbody tr:nth-child(3) input[aria-label^="Select"]');
    await page.click('#deleteRuns');
    assert.deepEqual(await labels(), ['first', 'Größe ✓']);
    // The run that did not complete says why, where its NTU would be.
    await page.click('#undo');
    assert.deepEqual(await labels(), ['first', 'B', 'C refused', 'Größe ✓']);
    assert.equal(await page.$eval('#runsTable tbody tr:nth-child(3) [data-column="ntu"]', (cell) => cell.textContent),
      'Invalid Data');
    await page.focus('#undo');
    await page.keyboard.down('Control');
    await page.keyboard.press('z');
    await page.keyboard.press('z');
    await page.keyboard.up('Control');
    assert.deepEqual(await labels(), ['A', 'B', 'C refused', 'Größe ✓']);
    await page.click('#redo');
    assert.deepEqual(await labels(), ['first', 'B', 'C refused', 'Größe ✓']);
    await page.close();
  });

  test('a damaged file is named with its line and column and changes nothing', async () => {
    const page = await openPage(browser, server.url);
    await open(page, 'broken.quillon', '{\n  "format": "quillon-series",\n  "version": 1,\n  "runs": [ {"y1": }\n');
    const box = await closeBox(page);
    assert.equal(box.title, 'Not opened');
    assert.match(box.text, /^broken\.quillon is not a series Quillon can read:\nbroken\.quillon:4:/);
    assert.equal(await page.$$eval('#runsTable tbody tr', (rows) => rows.length), 0);
    await page.close();
  });

  test('a file whose stored x1 is not what its titration gives says so apart from its results', async () => {
    const page = await openPage(browser, server.url);
    const run = {
      y1: 0.02, x1: 0.0025, gas_flow: 1, water_flow: 1, packing_height: 2,
      readings: { titration: { sample_volume_ml: 10, acid_molarity: 0.1, acid_volume_ml: 12.4, density_g_per_l: 997 } },
      results: { outcome: 'completed', ntu: 1 },
    };
    await open(page, 'edited.quillon', JSON.stringify({ format: 'quillon-series', version: 1, runs: [run] }));
    // The second box follows the first at once, in the same dialog.
    await page.waitForSelector('#box[open]');
    const title = () => page.$eval('#boxTitle', (shown) => shown.textContent);
    assert.equal(await title(), 'Inputs taken from the readings');
    assert.match(await page.$eval('#boxText', (shown) => shown.textContent),
      /^The inputs stored in edited\.quillon differ from those their readings give for run\(s\) 1:/);
    await page.click('#box button');
    await page.waitForFunction(() => document.getElementById('boxTitle').textContent === 'Results recomputed');
    await closeBox(page);
    assert.ok(await noBoxOpen(page));
    assert.equal(await page.$eval('#runsTable tbody input[data-column="x1"]', (field) => field.value), '0.0022403');
    await page.close();
  });
});

describe('the rest of the page', () => {
  test('Help shows the method with example A as the core computes it', async () => {
    const [exampleA] = askJson(['runs', 'en_US'], [['0.02', '0.01', '1', '1']]);
    const page = await openPage(browser, server.url);
    await page.click('#showHelp');
    const help = await page.$eval('#helpText', (text) => text.textContent);
    assert.ok(help.includes(`has NTU ${exampleA.ntu} here and ${exampleA.ntuColburn} by the Colburn equation`));
    assert.ok(help.includes('1,000,000 equal steps'));
    // The readers' limits, as the README states them.
    assert.ok(help.includes('files of at most 64 MiB and 100,000 runs'));
    assert.ok(help.includes('nested more than 64 levels deep, with an object of more than 256 members'));
    await page.close();
  });

  test('the browser\'s own Print shows the series report with the runs', async () => {
    const page = await openPage(browser, server.url);
    await type(page, typedRuns[0]);
    await page.click('#calculate');
    await page.click('#findMtc');
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    await page.emulateMediaType('print');
    assert.equal(await page.$eval('main', (main) => getComputedStyle(main).display), 'none');
    const cells = await page.$$eval('#report table.runs tbody td', (found) => found.map((cell) => cell.textContent));
    // The MTC column, as the main window shows it.
    assert.equal(cells[10], '40.4556');
    await page.close();
  });

  test('offline once loaded', async () => {
    const page = await openPage(browser, server.url);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await page.setOfflineMode(true);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    await type(page, typedRuns[0]);
    await page.click('#calculate');
    assert.equal((await resultsOf(page)).ntu, '0.6355');
    await page.setOfflineMode(false);
    await page.close();
  });
});

describe('analysis and uncertainties', () => {
  // Ten runs at two water flows and five gas flows, the coefficient rising
  // with the gas flow.
  const tenRuns = [1, 2].flatMap((waterFlow) => [0.5, 1, 1.5, 2, 3].map((gasFlow) => ({
    y1: 0.02, x1: Number((0.006 * gasFlow ** 0.8 / waterFlow ** 0.6).toFixed(5)), gasFlow, waterFlow,
    packingHeight: 1.5,
  })));
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };

  const fitTextOf = async (page, want) => {
    const shown = () => [...document.querySelectorAll('#fitText p')].map((line) => line.textContent).join('\n');
    await page.waitForFunction(`(${shown})() === ${JSON.stringify(want.join('\n'))}`, { timeout: 120000 })
      .catch(() => {});
    return page.$$eval('#fitText p', (lines) => lines.map((line) => line.textContent));
  };
  const excludeBox = (row) => `#runsTable tbody tr:nth-child(${row}) input[aria-label^="Excluded"]`;

  // The fit lines as shown, and every number of the fit to the last bit.
  const cases = [
    { name: 'ten runs at two water flows and five gas flows', runs: tenRuns },
    { name: 'excluding a run refits', runs: tenRuns, exclude: 3 },
    { name: 'one water flow leaves the water exponent out', runs: tenRuns.slice(0, 5) },
    { name: 'in German', runs: tenRuns, language: 'de-DE', locale: 'de_DE' },
    { name: 'weighted by the uncertainties, with MTC ± U as native', runs: tenRuns, uncertainty: standard },
    { name: 'unweighted although uncertainties are known', runs: tenRuns, uncertainty: standard, weighted: false },
  ];
  for (const row of cases) {
    test(row.name, async () => {
      const runs = row.runs.map((run, index) => ({ ...run, excluded: index + 1 === row.exclude }));
      const args = ['analysis', row.locale ?? 'en_US', ...(row.locale ? [join(site, 'strings-de.json')] : [])];
      const want = askJson(args, { uncertainty: row.uncertainty ?? {}, weighted: row.weighted ?? true, runs });
      const page = await openPage(browser, server.url, row.language);
      await open(page, 'ten.quillon', ask(['write'], JSON.stringify(row.runs)));
      await page.waitForFunction((count) => document.querySelectorAll('#runsTable tbody tr').length === count, {},
        row.runs.length);
      if (row.exclude) await page.click(excludeBox(row.exclude));
      for (const [key, value] of Object.entries(row.uncertainty ?? {})) {
        await page.$eval(`#u-${key}`, (field, text) => {
          field.value = text;
          field.dispatchEvent(new Event('change'));
        }, String(value).replace('.', row.locale ? ',' : '.'));
      }
      // The box can be unticked once every run has its uncertainty.
      if (row.weighted === false) {
        await page.waitForFunction(() => !document.getElementById('weightedFit').disabled, { timeout: 60000 });
        await page.click('#weightedFit');
      }
      assert.deepEqual(await fitTextOf(page, want.lines), want.lines);
      assert.deepEqual(await fitNumbersOf(page), want.fit);
      if (row.uncertainty) {
        await page.waitForFunction(() => ![...document.querySelectorAll('#runsTable [data-column="uncertainty"]')]
          .some((cell) => cell.textContent === '…'), { timeout: 60000 });
        const cells = await page.$$eval('#runsTable tbody tr', (rows) => rows.map((tr) => [
          tr.querySelector('[data-column="uncertainty"]').textContent,
          tr.querySelector('[data-column="interval"]').textContent]));
        assert.deepEqual(cells, want.uncertainty.map((shown) => (shown
          ? [`${shown[0]} ± ${shown[1]}`, `${shown[2]} to ${shown[3]}`] : ['–', '–'])));
        // Both charts show every run, with its error bar where it has a U.
        const bars = want.uncertainty.filter((shown) => shown).length;
        assert.deepEqual(await page.$$eval('#analysisCharts svg', (charts) => charts.map((chart) => [
          chart.querySelectorAll('.run-marker').length, chart.querySelectorAll('.error-bar').length])),
        [[10, bars], [10, bars]]);
      }
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  test('a run with findings is out of the fit until included; a file with uncertainties saves as native', async () => {
    const runs = [...tenRuns.slice(0, 3), { y1: 0.02, x1: -0.001, gasFlow: 2, waterFlow: 1, packingHeight: 1.5 }];
    const page = await openPage(browser, server.url);
    await open(page, 'runs.quillon', ask(['write'], JSON.stringify(runs)));
    await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 4);
    assert.deepEqual(await page.$$eval('#runsTable tbody input[aria-label^="Excluded"]',
      (boxes) => boxes.map((box) => box.checked)), [false, false, false, true]);
    // A flow unit Quillon does not convert: a label, kept as typed.
    const fields = { seriesTitle: 'Column A', seriesPeople: 'Ana, Ben', seriesDate: '2024-06-01', flowUnit: 'lbmol/h',
      seriesNotes: 'Größe ✓\nsecond line' };
    for (const [id, text] of Object.entries(fields)) {
      await page.$eval(`#${id}`, (field, value) => {
        field.value = value;
        field.dispatchEvent(new Event('change'));
      }, text);
    }
    await page.click(excludeBox(4));
    for (const [key, value] of Object.entries({ gasFlowRel: '0.02', y1: '0.0005' })) {
      await page.$eval(`#u-${key}`, (field, text) => {
        field.value = text;
        field.dispatchEvent(new Event('change'));
      }, value);
    }
    await page.select('#uRun', '1');
    await page.$eval('#ru-packingHeight', (field) => {
      field.value = '0.01';
      field.dispatchEvent(new Event('change'));
    });
    const saved = await download(page, '#saveSeries');
    const series = {
      title: 'Column A', people: 'Ana, Ben', date: '2024-06-01', flowUnit: 'lbmol/h', notes: 'Größe ✓\nsecond line',
      uncertainty: { gasFlowRel: 0.02, y1: 0.0005 }, weighted: true,
      runs: runs.map((run, index) => ({ ...run, included: index === 3,
        ...(index === 1 ? { uncertainty: { packingHeight: 0.01 } } : {}) })),
    };
    assert.equal(saved.bytes.toString(), ask(['write'], JSON.stringify(series)));
    const want = askJson(['analysis', 'en_US'], series);
    assert.deepEqual(await fitTextOf(page, want.lines), want.lines);
    await page.close();
  });
});

describe('what the user typed or saved', () => {
  const exampleRun = { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, label: '' };
  const rowCount = (page) => page.$$eval('#runsTable tbody tr', (rows) => rows.length);
  const waitForRows = (page, count) => page.waitForFunction((n) => document.querySelectorAll('#runsTable tbody tr')
    .length === n, {}, count);
  const unsaved = (page) => page.evaluate(() => window.quillonPage.runs.modified());
  const calculate = async (page, typed = typedRuns[0]) => {
    await type(page, typed);
    await page.click('#calculate');
  };
  const openRuns = async (page, runs) => {
    await open(page, 'runs.quillon', ask(['write'], JSON.stringify(runs)));
    await waitForRows(page, runs.length);
  };

  // What comes between a completed Calculate and Find MTC.
  const between = [
    { name: 'Save: the run gets its coefficient', steps: ['save'], runs: 1 },
    { name: 'the run deleted: refused', steps: ['#runsTable input[aria-label^="Select"]', '#deleteRuns'], runs: 0 },
    { name: 'its Add undone: refused', steps: ['#undo'], runs: 0 },
    { name: 'Calculate again on the same inputs: no second run', steps: ['#calculate'], runs: 1 },
  ];
  for (const row of between) {
    test(`Find MTC after ${row.name}`, async () => {
      const page = await openPage(browser, server.url);
      await calculate(page);
      for (const step of row.steps) await (step === 'save' ? download(page, '#saveSeries') : page.click(step));
      await page.click('#findMtc');
      assert.equal(await rowCount(page), row.runs);
      if (row.runs === 0) {
        assert.deepEqual(await closeBox(page), { title: 'ERROR', text: 'Invalid Data' });
        assert.equal((await resultsOf(page)).mtc, '');
      } else {
        assert.equal(await unsaved(page), true);
        const saved = await download(page, '#saveSeries');
        assert.equal(saved.bytes.toString(), ask(['write'], JSON.stringify([{ ...exampleRun, packingHeight: 2 }])));
      }
      await page.close();
    });
  }

  for (const [name, dismiss] of [['Esc', (page) => page.keyboard.press('Escape')],
    ['the browser closing it', (page) => page.$eval('#unsaved', (box) => box.requestClose())]]) {
    test(`${name} on the unsaved box is Cancel`, async () => {
      const page = await openPage(browser, server.url);
      await calculate(page);
      await page.click('#newSeries');
      await page.waitForSelector('#unsaved[open]');
      await dismiss(page);
      await page.waitForSelector('#unsaved:not([open])');
      assert.equal(await rowCount(page), 1);
      assert.equal(await unsaved(page), true);
      await page.close();
    });
  }

  // The save picker stubbed: it rejects as a cancel does, or writes. Save in
  // the unsaved box then goes on to New only once written.
  for (const written of [false, true]) {
    test(`a save picker that ${written ? 'writes marks the series saved' : 'is cancelled leaves it unsaved'}`,
      async () => {
        const page = await openPage(browser, server.url);
        await page.evaluate((writes) => {
          window.picked = [];
          window.showSaveFilePicker = async ({ suggestedName }) => {
            window.picked.push(suggestedName);
            if (!writes) throw new DOMException('The user aborted a request.', 'AbortError');
            return { name: suggestedName, createWritable: async () => ({
              write: async (bytes) => { window.written = new TextDecoder().decode(bytes); }, close: async () => {},
            }) };
          };
        }, written);
        await page.$eval('#seriesTitle', (field) => {
          field.value = ' Column A/B: 2024? ';
          field.dispatchEvent(new Event('change'));
        });
        await calculate(page);
        await page.click('#newSeries');
        await page.click('#unsaved button[value="save"]');
        await page.waitForFunction(() => window.picked.length === 1 && window.quillonPage.files.saving === null);
        assert.deepEqual(await page.evaluate(() => window.picked), ['Column A_B_ 2024_.quillon']);
        assert.equal(await unsaved(page), !written);
        await waitForRows(page, written ? 0 : 1);
        if (written) {
          assert.equal(await page.evaluate(() => window.written),
            ask(['write'], JSON.stringify({ title: ' Column A/B: 2024? ', runs: [exampleRun] })));
        }
        await page.close();
      });
  }

  // Without a picker: saved as a download, kept, and offered on the next visit.
  for (const [answer, runs, kept] of [['restore', 3, true], ['discard', 0, false], ['Escape', 0, true]]) {
    test(`a kept series offered on the next visit: ${answer}`, async () => {
      const page = await openPage(browser, server.url);
      await openRuns(page, [{ ...exampleRun, label: 'A', packingHeight: 2 }, { ...exampleRun, y1: 0.045, label: 'Größe' }]);
      await calculate(page, ['0.045', '0.02', '2', '3']);
      const saved = await download(page, '#saveSeries');
      await page.reload();
      await page.waitForSelector('#kept[open]');
      assert.match(await page.$eval('#keptText', (text) => text.textContent), /kept from .+: runs\.quillon\.$/);
      await (answer === 'Escape' ? page.keyboard.press('Escape') : page.click(`#kept button[value="${answer}"]`));
      await waitForRows(page, runs);
      const keptNow = await page.evaluate(() => import('./src/keep.js').then((keep) => keep.keptSeries()));
      assert.equal(keptNow !== undefined, kept);
      if (answer === 'restore') {
        assert.equal(await unsaved(page), true);
        assert.equal((await download(page, '#saveSeries')).bytes.toString(), saved.bytes.toString());
      }
      await page.close();
    });
  }

  test('a series the browser cannot keep stays unsaved, and the page says so', async () => {
    const page = await openPage(browser, server.url);
    await page.evaluate(() => {
      indexedDB.open = () => { throw new DOMException('The quota has been exceeded.', 'QuotaExceededError'); };
    });
    await calculate(page);
    await download(page, '#saveSeries');
    assert.match((await closeBox(page)).text, /could not keep a copy of it \(The quota has been exceeded\.\)/);
    assert.equal(await unsaved(page), true);
    await page.close();
  });

  // Delete on the focused run's check box, or Enter on the Delete button,
  // then Ctrl+Z; 0 is the table.
  const threeRuns = ['A', 'B', 'C'].map((label, index) => ({ ...exampleRun, y1: 0.02 + index / 100, label }));
  for (const [name, runs, row, focused, button] of [['a middle run: the next', threeRuns, 2, 2],
    ['the last run: the one before', threeRuns, 3, 2], ['the only run: the table', threeRuns.slice(0, 1), 1, 0],
    ['the Delete button: the run after', threeRuns, 2, 2, true],
    ['the Delete button, the only run: the table', threeRuns.slice(0, 1), 1, 0, true]]) {
    test(`Delete by keyboard, ${name} takes the focus, and Ctrl+Z undoes it`, async () => {
      const page = await openPage(browser, server.url);
      await openRuns(page, runs);
      await page.focus(`#runsTable tbody tr:nth-child(${row}) input[aria-label^="Select"]`);
      await page.keyboard.press('Space');
      if (button) await page.focus('#deleteRuns');
      await page.keyboard.press(button ? 'Enter' : 'Delete');
      assert.equal(await rowCount(page), runs.length - 1);
      assert.equal(await page.evaluate(() => document.activeElement.closest('tr')?.sectionRowIndex + 1 ||
        document.activeElement.id), focused || 'runsTable');
      await page.keyboard.down('Control');
      await page.keyboard.press('z');
      await page.keyboard.up('Control');
      assert.equal(await rowCount(page), runs.length);
      await page.close();
    });
  }

  // Typed as each locale writes numbers, in its language's words; the other
  // decimal separator is refused. U+2212 is a minus as '-' is.
  const entries = [
    { language: 'de-DE', typed: ['0,02', '0,01', '1', '1', '2'], refused: '0.02' },
    { language: 'de-CH', typed: ['0.02', '0.01', '1', '1', '2'], refused: '0,02' },
    { language: 'de-AT', typed: ['0,045', '0,02', '2', '3', '1,5'], refused: '0.045' },
    { language: 'en-US', typed: ['0.045', '0.02', '2', '3', '1.5'], refused: '0,045' },
    { language: 'de-CH', typed: ['2e\u22122', '\u22120.01', '1', '1', '2'], refused: '\u2212\u22120.02' },
  ];
  for (const row of entries) {
    test(`numbers typed in ${row.language}: ${row.typed.join(' ')}`, async () => {
      const [want] = askJson(['runs', row.language.replace('-', '_')], [row.typed]);
      const page = await openPage(browser, server.url, row.language);
      await type(page, row.typed);
      await page.click('#calculate');
      await page.click('#findMtc');
      assert.deepEqual(await resultsOf(page), { eqY: want.eqY, y2: want.y2, ntu: want.ntu, mtc: want.mtc });
      await type(page, [row.refused]);
      await page.click('#calculate');
      const words = row.language.startsWith('de') ? de : (context, source) => source;
      assert.deepEqual(await closeBox(page), { title: words('Messages', 'Not a number'), text: words('Messages',
        '%1 holds "%2", which is not a number.').replace('%1', words('Form1', 'Gas Inlet %NH3')).replace('%2', row.refused) });
      await page.close();
    });
  }
});

// Every number of the fit the page shows, as the oracle's analysis gives them.
function fitNumbersOf(page) {
  return page.evaluate(() => {
    const { runs: document, cache } = window.quillonPage;
    const all = Array.from({ length: document.size() }, (_, index) => document.run(index));
    const law = document.analyse(window.document.getElementById('weightedFit').checked, cache.monteCarloOf(all)).fit;
    const estimate = (e) => (e ? [e.value, e.standardError, e.low, e.high] : null);
    return law.reason ? null : { prefactor: estimate(law.prefactor), lnPrefactor: estimate(law.lnPrefactor),
      gasExponent: estimate(law.gasExponent), waterExponent: estimate(law.waterExponent),
      rSquared: law.rSquared, residualSd: law.residualSd };
  });
}

describe('background work, exports and digits', () => {
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  const cli = join(oracle, '..', '..', 'cli', 'quillon-cli');
  // quillon-cli compute's CSV is the export with one last column, u_mtc_reason.
  const exportColumnsOf = (csv) => csv.replace(/,[^,\r\n]*\r\n/g, '\r\n');
  // Runs near example A as the benchmarks' series has them, over five gas
  // and four water flows, every 25th with a negative x1 (a finding).
  const manyRuns = (count) => Array.from({ length: count }, (_, i) => {
    const gasFlow = [0.5, 1, 1.5, 2, 3][i % 5];
    const waterFlow = [1, 1.5, 2, 3][Math.floor(i / 5) % 4];
    const x1 = i % 25 === 24 ? -0.001 : 0.004 * (gasFlow / waterFlow) ** 0.8 * (1 + (i % 7) / 10);
    return { y1: 0.02 + 1e-4 * (i % 100), x1, gasFlow, waterFlow, packingHeight: 2, label: `run ${i}` };
  });
  // The table draws only the rows in view, and tells the count of all.
  const openRuns = async (page, name, bytes, count) => {
    await open(page, name, bytes);
    await page.waitForFunction((n) => document.getElementById('runsTable').getAttribute('aria-rowcount')
      === String(n + 1) && document.querySelector('#runsTable tbody tr') !== null, {}, count);
  };
  const cellsOf = (page, column) => page.$$eval(`#runsTable [data-column="${column}"]`,
    (cells) => cells.map((cell) => [cell.textContent, cell.title]));
  const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

  // Downloads go to a folder of their own: `arrived` lists what came so
  // far, `first` waits for a file and gives its bytes.
  async function downloads(page) {
    const folder = mkdtempSync(join(tmpdir(), 'quillon-download-'));
    uploads.push(folder);
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder,
      browserContextId: page.browserContext().id });
    const arrived = () => readdirSync(folder).filter((name) => !name.endsWith('.crdownload'));
    return {
      arrived,
      // Bounded, so that a download that never comes fails instead of hanging.
      first: async () => {
        for (let i = 0; i < 6000 && arrived().length === 0; ++i) await pause(100);
        assert.equal(arrived().length, 1, 'one file downloaded');
        return readFileSync(join(folder, arrived()[0])).toString();
      },
    };
  }

  const notSaved = (why) => ({ title: 'Not saved', text: `The table of runs could not be made, so nothing was saved.\n${why}` });

  // A worker that does not load: its script throws, or is not there.
  const brokenWorkers = [
    { name: 'throws', respond: { status: 200, contentType: 'text/javascript', body: 'throw new Error("broken on purpose");' },
      detail: 'Uncaught Error: broken on purpose' },
    { name: 'is missing', respond: { status: 404, body: '' }, detail: 'the computing in the background could not start' },
  ];
  for (const broken of brokenWorkers) {
    test(`a worker that ${broken.name} is told, the runs say why, and Export writes nothing`, async () => {
      const page = await openPage(browser, server.url);
      await page.setBypassServiceWorker(true);
      await page.setRequestInterception(true);
      page.on('request', (request) => (request.url().endsWith('/uncertainty-worker.js')
        ? request.respond(broken.respond) : request.continue()));
      const saved = await downloads(page);
      await openRuns(page, 'three.quillon', ask(['write'], JSON.stringify({ uncertainty: standard,
        runs: manyRuns(3) })), 3);
      const failure = `The uncertainties could not be computed: ${broken.detail}`;
      assert.deepEqual(await closeBox(page), { title: 'Uncertainties not computed', text: failure });
      assert.deepEqual(await cellsOf(page, 'uncertainty'),
        Array(3).fill(['no U: its computing failed', 'Not given: its computing failed']));
      assert.equal(await page.$eval('#mcProgress', (bar) => bar.hidden), true);
      await page.click('#exportCsv');
      assert.deepEqual(await closeBox(page), notSaved(failure));
      assert.ok(await noBoxOpen(page), 'one box only');
      assert.deepEqual(saved.arrived(), []);
      await page.close();
    });
  }

  // After Cancel the runs say so; Export computes them again, and writes
  // nothing when that is cancelled too.
  const afterCancel = [
    { name: 'Export after Cancel computes the cancelled runs and writes them', cancelAgain: false },
    { name: 'Export cancelled writes nothing and says so', cancelAgain: true },
  ];
  for (const row of afterCancel) {
    test(row.name, async () => {
      // Enough runs that what the first Cancel leaves takes the export more
      // than the half second before its progress box shows, on a fast idle
      // machine too (a run's draws take some 10 ms in the page).
      const runs = manyRuns(240);
      const written = ask(['write'], JSON.stringify({ uncertainty: standard, runs }));
      const page = await openPage(browser, server.url);
      const saved = await downloads(page);
      await openRuns(page, 'lab.quillon', written, runs.length);
      await page.waitForSelector('#cancelUncertainties:not([hidden])');
      await page.click('#cancelUncertainties');
      const cells = await cellsOf(page, 'uncertainty');
      // As the desktop's table shows a cancelled run.
      assert.ok(cells.some(([text, tip]) => text === 'not computed' && tip === 'Cancelled: computed for the next '
        + 'export or report, or when the run or the uncertainties change'), JSON.stringify(cells));
      assert.ok(cells.every(([text]) => text !== '…'), JSON.stringify(cells));
      await page.click('#exportCsv');
      if (row.cancelAgain) {
        await page.waitForSelector('#exportProgress[open]');
        assert.equal(await page.$eval('#exportProgressText', (text) => text.textContent), 'Computing the uncertainties…');
        await page.click('#exportProgress button');
        assert.deepEqual(await closeBox(page), notSaved('Computing the uncertainties was cancelled.'));
        assert.deepEqual(saved.arrived(), []);
      } else {
        const folder = mkdtempSync(join(tmpdir(), 'quillon-cli-'));
        uploads.push(folder);
        writeFileSync(join(folder, 'lab.quillon'), written);
        const native = exportColumnsOf(
          execFileSync(cli, ['compute', '--format', 'csv', join(folder, 'lab.quillon')]).toString());
        assert.equal(await saved.first(), native);
        assert.ok(await noBoxOpen(page));
      }
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  // Typed slowly while the results of the runs keep arriving: each field
  // keeps what is typed, and the series gets exactly the typed values.
  const typedUncertainties = [
    { id: 'u-gasFlowRel', typed: '0.02' },
    { id: 'u-waterFlowRel', typed: '0.02' },
    { id: 'u-y1', typed: '0.0005' },
    { id: 'u-x1', typed: '0.0005' },
    { id: 'u-packingHeight', typed: '0.005' },
  ];
  test('uncertainties typed while results arrive are kept as typed', async () => {
    const runs = manyRuns(40);
    const page = await openPage(browser, server.url);
    const saved = await downloads(page);
    await openRuns(page, 'forty.quillon', ask(['write'], JSON.stringify(runs)), runs.length);
    let arrivedWhileTyping = 0;
    for (const [index, field] of typedUncertainties.entries()) {
      const before = await page.evaluate(() => window.quillonPage.cache.known.size);
      await page.type(`#${field.id}`, field.typed, { delay: 150 });
      assert.equal(await page.$eval(`#${field.id}`, (input) => input.value), field.typed, field.id);
      await page.keyboard.press(index + 1 < typedUncertainties.length ? 'Tab' : 'Enter');
      arrivedWhileTyping += await page.evaluate(() => window.quillonPage.cache.known.size) - before;
    }
    // Otherwise the test did not test what it says.
    assert.ok(arrivedWhileTyping > 0, 'results arrived while typing');
    assert.deepEqual(await page.$$eval('#seriesUncertainties input', (inputs) => inputs.map((input) => input.value)),
      typedUncertainties.map((field) => field.typed));
    await page.click('#saveSeries');
    assert.equal(await saved.first(), ask(['write'], JSON.stringify({ uncertainty: standard, runs })));
    await page.close();
  });

  // The whole export against quillon-cli's and the fit against the native
  // one, every digit. Every column but the Colburn NTU is checked first, so
  // that a difference there alone shows as such, with its count of rows.
  test('a few hundred runs export as quillon-cli computes them, and fit as natively', async () => {
    // The last run's Colburn NTU takes log1p of an argument where C libraries
    // have differed in the last bit.
    const runs = [...manyRuns(200), { y1: 0.0561, x1: 0.01913, gasFlow: 3.192, waterFlow: 1.995, packingHeight: 2,
      label: 'log1p' }];
    const written = ask(['write'], JSON.stringify({ uncertainty: standard, runs }));
    const folder = mkdtempSync(join(tmpdir(), 'quillon-cli-'));
    uploads.push(folder);
    writeFileSync(join(folder, 'many.quillon'), written);
    const native = exportColumnsOf(execFileSync(cli, ['compute', '--format', 'csv', join(folder, 'many.quillon')],
      { maxBuffer: 1 << 26 }).toString());
    const page = await openPage(browser, server.url);
    const saved = await downloads(page);
    await openRuns(page, 'many.quillon', written, runs.length);
    await page.click('#exportCsv');
    const csv = await saved.first();

    const records = (text) => text.split('\n').map((line) => line.split(','));
    const [header, ...rows] = records(csv);
    const [nativeHeader, ...nativeRows] = records(native);
    assert.deepEqual(header, nativeHeader);
    const colburn = header.indexOf('ntu_colburn');
    const without = (record) => record.filter((_, index) => index !== colburn);
    assert.deepEqual(rows.map(without), nativeRows.map(without), 'every column but ntu_colburn');
    const want = askJson(['analysis', 'en_US'], { uncertainty: standard, weighted: true, runs });
    // Both last-bit differences are named at once, neither hiding the other.
    const fit = await fitNumbersOf(page);
    const differing = rows.filter((record, index) => record[colburn] !== nativeRows[index][colburn]).length;
    assert.deepEqual([
      ...Object.keys(want.fit).filter((key) => !isDeepStrictEqual(fit[key], want.fit[key]))
        .map((key) => `fit ${key}: ${JSON.stringify(fit[key])}, natively ${JSON.stringify(want.fit[key])}`),
      ...(differing > 0 ? [`${differing} of ${runs.length} rows differ in ntu_colburn`] : []),
    ], []);
    assert.equal(csv, native);

    await page.close();
  });

  // Refused whole, with the open series kept.
  const refusedFiles = [
    { name: 'arrays nested 70,000 deep under an unknown key',
      text: () => `{"format": "quillon-series", "version": 1, "deep": ${'['.repeat(70000)}${']'.repeat(70000)}, "runs": []}` },
    { name: 'a file over the readers\' size limit of 64 MiB',
      text: () => `{"format": "quillon-series", "version": 1, "runs": []${' '.repeat(65 << 20)}}` },
  ];
  for (const row of refusedFiles) {
    test(`${row.name} is refused and the open series kept`, async () => {
      const runs = manyRuns(3);
      const page = await openPage(browser, server.url);
      await openRuns(page, 'three.quillon', ask(['write'], JSON.stringify(runs)), runs.length);
      await open(page, 'refused.quillon', row.text());
      const told = await page.waitForSelector('#box[open]', { timeout: 60000 }).then(() => true, () => false);
      assert.ok(told, `no box; the page's errors: ${page.errors.map(String).join('; ') || 'none'}; runs shown: ${
        await page.$$eval('#runsTable tbody tr', (rows) => rows.length)}`);
      const box = await closeBox(page);
      assert.equal(box.title, 'Not opened');
      assert.match(box.text, /^refused\.quillon is not a series Quillon can read:\nrefused\.quillon:\d+:\d+/);
      assert.deepEqual(await page.$$eval('#runsTable tbody input[type="text"]', (labels) => labels.map((l) => l.value)),
        runs.map((run) => run.label));
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('series charts', () => {
  // Ten runs at two water flows and five gas flows, the third out of the fit.
  const runs = [1, 2].flatMap((waterFlow) => [0.5, 1, 1.5, 2, 3].map((gasFlow) => ({
    y1: 0.02, x1: Number((0.006 * gasFlow ** 0.8 / waterFlow ** 0.6).toFixed(5)), gasFlow, waterFlow,
    packingHeight: 1.5,
  }))).map((run, index) => ({ ...run, excluded: index === 2 }));
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  // Both charts as the page shows them and as the native C++ writes them,
  // each through the browser's own XML reader and writer.
  const bothWritten = (wanted) => {
    const written = (svg) => new XMLSerializer().serializeToString(svg);
    return {
      shown: [...document.querySelectorAll('#analysisCharts > svg')].map(written),
      want: wanted.map((text) => written(new DOMParser().parseFromString(text, 'image/svg+xml').documentElement)),
    };
  };
  const cases = [
    { name: 'the page draws the charts the native C++ draws', flowUnit: 'kmol/h' },
    { name: 'in German with error bars, and a flow unit that is no markup', flowUnit: '<b>mol</b>/h & co',
      language: 'de-DE', locale: 'de_DE', uncertainty: standard },
  ];
  for (const row of cases) {
    test(row.name, async () => {
      const series = { flowUnit: row.flowUnit, uncertainty: row.uncertainty ?? {}, weighted: true, runs };
      const args = ['charts', row.locale ?? 'en_US', ...(row.locale ? [join(site, 'strings-de.json')] : [])];
      const want = askJson(args, series);
      const page = await openPage(browser, server.url, row.language);
      await open(page, 'charts.quillon', ask(['write'], JSON.stringify(series)));
      const written = `(${bothWritten})(${JSON.stringify(want)})`;
      // The charts come again as each run's Monte Carlo result arrives.
      await page.waitForFunction(`((both) => JSON.stringify(both.shown) === JSON.stringify(both.want))(${written})`,
        { timeout: 60000 }).catch(() => {});
      const { shown, want: expected } = await page.evaluate(written);
      assert.deepEqual(shown, expected);
      assert.equal(await page.$$eval('#analysisCharts svg .run-marker[fill="#ffffff"]', (hollow) => hollow.length), 2);
      assert.equal(await page.$$eval('#analysisCharts b', (bold) => bold.length), 0);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('words the module writes', () => {
  test('an uncertainty that is not a number is quoted to 40 units, never half a character', async () => {
    const page = await openPage(browser, server.url, 'de-DE');
    await page.$eval('#u-y1', (field, text) => {
      field.value = text;
      field.dispatchEvent(new Event('change'));
    }, `${'x'.repeat(39)}\u{1F600}y`);
    assert.deepEqual(await closeBox(page), { title: de('UncertaintyFields', 'Not an uncertainty'),
      text: de('UncertaintyFields', '"%1" is not an uncertainty: give a number of 0 or more, or leave the field empty.')
        .replace('%1', `${'x'.repeat(39)}\u2026`) });
    await page.close();
  });

  test('a run and a new series are named in the desktop\'s words', async () => {
    const page = await openPage(browser, server.url, 'de-DE');
    assert.equal(await page.$eval('label[for="uRun"]', (label) => label.textContent), de('RunsModel', 'Run'));
    assert.equal(await page.$eval('#seriesName', (name) => name.textContent), de('SeriesPdf', 'Untitled series'));
    await page.close();
  });

  test('every text only the page shows is listed once in C++ and translated in the catalogue', () => {
    const listed = new Set(JSON.parse(ask(['pagewords'], '')));
    const root = fileURLToPath(new URL('..', import.meta.url));
    const files = ['index.html', ...readdirSync(join(root, 'src')).map((name) => join('src', name))]
      // Long texts are written as literals joined by +.
      .map((name) => readFileSync(join(root, name), 'utf8').replace(/'\s*\+\s*'/g, ''));
    const quoted = "'((?:[^'\\\\]|\\\\.)*)'";
    const used = files.flatMap((text) => [
      ...[...text.matchAll(new RegExp(`tr\\('Web', ${quoted}`, 'g'))].map((match) => match[1]),
      ...[...text.matchAll(/"Web\|([^"]*)"/g)].map((match) => match[1]),
      // A file's own shorthand for the page's context.
      ...(text.includes("=> tr('Web', source") ? [...text.matchAll(new RegExp(`\\bt\\(${quoted}`, 'g'))]
        .map((match) => match[1]) : []),
    ]).map((source) => `Web|${source.replace(/\\'/g, "'")}`);
    assert.ok(used.length > 10);
    for (const word of used) {
      assert.ok(listed.has(word), `${word} is not in present/pagewords.cpp`);
      assert.ok(de(...word.split('|')), `${word} has no German in the catalogue`);
    }
  });

  // The page's words in other contexts are the window's: each must be in
  // the catalogue, as a window's text must be in the .ts.
  test('every text the page looks up by its literal context and source has German', () => {
    const root = fileURLToPath(new URL('..', import.meta.url));
    const files = ['index.html', ...readdirSync(join(root, 'src')).map((name) => join('src', name))]
      .map((name) => readFileSync(join(root, name), 'utf8').replace(/'\s*\+\s*'/g, ''));
    const quoted = "'((?:[^'\\\\]|\\\\.)*)'";
    const unescape = (text) => text.replace(/\\'/g, "'").replace(/\\n/g, '\n').replace(/&amp;/g, '&')
      .replace(/&lt;/g, '<').replace(/&gt;/g, '>');
    const used = files.flatMap((text) => [
      ...[...text.matchAll(new RegExp(`\\btr\\('(\\w+)', ${quoted}`, 'g'))].map((match) => [match[1], match[2]]),
      ...[...text.matchAll(/data-tr="(\w+)\|([^"]*)"/g)].map((match) => [match[1], match[2]]),
    ]).map(([context, source]) => [context, unescape(source)]);
    assert.ok(used.length > 40, `${used.length} texts found`);
    const missing = used.filter(([context, source]) => !de(context, source)).map((word) => word.join('|'));
    assert.deepEqual([...new Set(missing)], []);
  });

  // Counts grouped as the browser's locale groups them, as the page's own Intl did.
  for (const row of [{ language: 'de-DE', steps: '1.000.000', heading: '<h3>Berechnen</h3>', example: ' 0,02 ' },
    { language: 'en-IN', steps: '10,00,000', heading: '<h3>Calculate</h3>', example: ' 0.02 ' }]) {
    test(`Help in ${row.language}: its words and numbers, and only the page's sections`, async () => {
      const page = await openPage(browser, server.url, row.language);
      await page.click('#showHelp');
      const help = await page.$eval('#helpText', (text) => text.innerHTML);
      assert.ok(help.includes(row.heading));
      assert.ok(help.includes(row.example));
      assert.ok(help.includes(`${row.steps} `));
      assert.ok(!help.includes('<h3>Auswertung der Messreihe</h3>'));
      assert.ok(!help.includes('Series analysis'));
      await page.close();
    });
  }
});

describe('the runs table worded by the module', () => {
  // The titles name the series' unit, and the cells are the locale's numbers
  // in the language's words, as the desktop's runs table shows them.
  const rows = [
    { language: 'en-US', gasFlow: 'Gas flow (kmol/h)', mtc: 'Mass-transfer coefficient (kmol/h/m³)', y1: '0.023456',
      ntu: 'Invalid Data', excludedLabel: 'Excluded',
      leftOut: 'Left out of the analysis for its findings; clear the mark to take it in.' },
    { language: 'de-DE', gasFlow: `${de('RunsModel', 'Gas flow')} (kmol/h)`,
      mtc: `${de('RunsModel', 'Mass-transfer coefficient')} (kmol/h/m³)`, y1: '0,023456',
      ntu: de('Messages', 'Invalid Data'), excludedLabel: de('RunsModel', 'Excluded'),
      leftOut: de('RunsModel', 'Left out of the analysis for its findings; clear the mark to take it in.') },
  ];
  for (const row of rows) {
    test(`titles with the unit and cells (${row.language})`, async () => {
      const page = await openPage(browser, server.url, row.language);
      const runs = [{ y1: 0.023456, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2 },
        { y1: 0, x1: 0, gasFlow: 0, waterFlow: 0 }];
      await open(page, 'runs.quillon', ask(['write'], JSON.stringify({ flowUnit: 'kmol/h', runs })));
      await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 2);
      const titles = await page.$$eval('#runsTable thead th', (cells) => cells.map((cell) => cell.textContent));
      // The page's own select column comes first.
      assert.equal(titles[1 + 5], row.gasFlow);
      assert.equal(titles[1 + 13], row.mtc);
      // An input's cell shows its number in the field that corrects it.
      const rowCells = (index) => page.$$eval(`#runsTable tbody tr:nth-child(${index}) td`,
        (cells) => cells.map((cell) => {
          const input = cell.querySelector('input[data-column]');
          return input ? [input.value, input.title] : [cell.textContent, cell.title];
        }));
      const [first, second] = [await rowCells(1), await rowCells(2)];
      assert.deepEqual(first[1 + 3], [row.y1, row.language === 'en-US' ? '0.023456' : '0,023456']);
      assert.equal(second[1 + 10][0], row.ntu);
      // The run of zeros has findings: its mark says why it is out.
      const tips = await page.$$eval(`#runsTable tbody input[aria-label^="${row.excludedLabel}"]`,
        (boxes) => boxes.map((box) => box.title));
      assert.deepEqual(tips, ['', row.leftOut]);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('the page from a phone to a desktop', () => {
  // A series of a few runs with long labels, and Help open, in each width
  // and language: the page never scrolls sideways; only a box that scrolls
  // itself (the runs table's frame) may hold something wider.
  const widths = [360, 390, 768, 1366, 1920];
  const series = { title: 'Absorptionskolonnenmessreihe', flowUnit: 'kmol/h', runs: [
    { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'Vormittagsmessung' },
    { y1: 0.045, x1: 0.02, gasFlow: 2, waterFlow: 3, packingHeight: 1.5, label: 'Nachmittagsmessung' },
    { y1: 0.03, x1: 0.012, gasFlow: 1.5, waterFlow: 2, packingHeight: 1 },
  ] };
  for (const language of ['en-US', 'de-DE']) {
    for (const width of widths) {
      test(`${width} px wide in ${language}: nothing beyond the window's right edge`, async () => {
        const page = await openPage(browser, server.url, language);
        await page.setViewport({ width, height: 800 });
        await open(page, 'runs.quillon', ask(['write'], JSON.stringify(series)));
        await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 3);
        await page.click('#showHelp');
        const layout = await page.evaluate(() => {
          const scrollsItself = (element) => {
            for (let box = element.parentElement; box && box !== document.body; box = box.parentElement) {
              if (/auto|scroll|hidden/.test(getComputedStyle(box).overflowX)) return true;
            }
            return false;
          };
          const beyond = [...document.querySelectorAll('body *')].filter((element) => {
            const edges = element.getBoundingClientRect();
            return edges.width > 0 && edges.right > innerWidth + 0.5 && !scrollsItself(element);
          }).map((element) => `${element.tagName.toLowerCase()}#${element.id}`);
          return { scrollWidth: document.documentElement.scrollWidth, innerWidth, beyond };
        });
        assert.ok(layout.scrollWidth <= layout.innerWidth, `${layout.scrollWidth} px wide`);
        assert.deepEqual(layout.beyond, []);
        assert.deepEqual(page.errors, []);
        await page.close();
      });
    }
  }
});

describe('the series report', () => {
  const series = { title: 'Absorber B, week 3', people: 'Ada Lovelace', date: '2026-12-09', flowUnit: 'kmol/h',
    notes: 'Column rinsed before each run.', uncertainty: { y1: 0.0005, x1: 0.0005 }, runs: [
      { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'Morning' },
      { y1: 0.045, x1: 0.02, gasFlow: 2, waterFlow: 3, packingHeight: 1.5 },
      { y1: 0.03, x1: 0.012, gasFlow: 1.5, waterFlow: 2, packingHeight: 1 },
      { y1: 0.02, x1: -0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2 },
      ...[0.025, 0.035].map((y1) => ({ y1, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2,
        uncertainty: { gasFlowRel: 0, waterFlowRel: 0, y1: 0, x1: 0, packingHeight: 0 } })),
      { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 2 },
    ] };
  // Runs 5 and 6 without uncertainties and 7 without a coefficient: a mark
  // in the U cell and one footnote per reason, as the desktop's report.
  const footnotes = [['¹', '%1 No U for runs %2: %3.', '5, 6', 'no uncertainties given'],
    ['²', '%1 No U for run %2: %3.', '7', 'no coefficient']];
  // The report's sections by the desktop report's and Help's words.
  const sections = [['SeriesPdf', 'People'], ['SeriesPdf', 'Date'], ['SeriesPdf', 'Flow unit'], ['SeriesPdf', 'Notes'],
    ['SeriesPdf', 'Runs'], ['SeriesPdf', 'How the coefficient depends on the flows'], ['SeriesPdf', 'The fit'],
    ['RunPdf', 'Uncertainty of the mass-transfer coefficient'], ['RunPdf', 'Error budget (first-order propagation)'],
    ['MethodWindow', '<h2>What Quillon computes</h2>'], ['MethodWindow', '<h3>Equilibrium data</h3>']];
  const languages = [{ language: 'en-US', locale: 'en_US', words: (context, source) => source },
    { language: 'de-DE', locale: 'de_DE', words: de }];
  const millimetre = 72 / 25.4;
  const headingOf = (text) => text.replace(/<[^>]+>/g, '');

  const openSeries = async (page) => {
    await open(page, 'report.quillon', ask(['write'], JSON.stringify(series)));
    await page.waitForFunction((n) => document.querySelectorAll('#runsTable tbody tr').length === n, {},
      series.runs.length);
  };

  for (const row of languages) {
    test(`Print Report in ${row.language}: every section on numbered A4 pages, nothing off the page`, async () => {
      const page = await openPage(browser, server.url, row.language);
      await page.evaluate(() => {
        window.printed = 0;
        window.print = () => { window.printed += 1; };
      });
      await openSeries(page);
      await page.click('#printReport');
      await page.waitForFunction(() => window.printed === 1, { timeout: 120000 });
      const folder = mkdtempSync(join(tmpdir(), 'quillon-report-'));
      const pdf = join(folder, 'report.pdf');
      writeFileSync(pdf, await page.pdf({ preferCSSPageSize: true }));
      const text = execFileSync('pdftotext', [pdf, '-']).toString().replace(/\s+/g, ' ');
      const boxes = execFileSync('pdftotext', ['-bbox', pdf, '-']).toString();
      rmSync(folder, { recursive: true, force: true });

      for (const [context, source] of sections) {
        assert.ok(text.includes(headingOf(row.words(context, source))), `${source} is missing`);
      }
      for (const field of [series.title, series.people, series.date, series.notes]) assert.ok(text.includes(field));
      // The table holds each run's coefficient as the desktop shows it.
      const shown = askJson(['runs', row.locale], series.runs.map((run) => [run.y1, run.x1, run.gasFlow,
        run.waterFlow, run.packingHeight].map((value) => String(value).replace('.', row.locale === 'de_DE' ? ',' : '.'))));
      for (const run of shown.filter((computed) => computed.mtc)) assert.ok(text.includes(run.mtc), run.mtc);
      for (const [mark, source, runs, reason] of footnotes) {
        assert.ok(text.includes(`–${mark}`), mark);
        const sentence = row.words('SeriesPdf', source).replace('%1', mark).replace('%2', runs)
          .replace('%3', row.words('RunsModel', reason));
        assert.ok(text.includes(sentence), sentence);
      }
      assert.ok(!text.includes(row.words('RunsModel', 'no U: %1').replace('%1', '')));

      const pages = [...boxes.matchAll(/<page width="([\d.]+)" height="([\d.]+)">([\s\S]*?)<\/page>/g)];
      assert.ok(pages.length > 1);
      pages.forEach(([, width, height, words], index) => {
        // A4 in points, and the page's number at its foot.
        assert.ok(Math.abs(width - 210 * millimetre) < 1 && Math.abs(height - 297 * millimetre) < 1);
        const placed = [...words.matchAll(/xMin="([\d.-]+)" yMin="([\d.-]+)" xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</g)]
          .map(([, xMin, yMin, xMax, yMax, word]) => ({ xMin: +xMin, yMin: +yMin, xMax: +xMax, yMax: +yMax, word }));
        const foot = placed.filter((word) => word.yMin > height - 15 * millimetre).map((word) => word.word).join(' ');
        assert.equal(foot, row.words('SeriesPdf', 'Page %1').replace('%1', String(index + 1)));
        // Every word at least 5 mm inside the paper's edges.
        const outside = placed.filter((word) => word.xMin < 5 * millimetre || word.yMin < 5 * millimetre
          || word.xMax > width - 5 * millimetre || word.yMax > height - 5 * millimetre);
        assert.deepEqual(outside.map((word) => word.word), []);
      });
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  test('Save Report downloads the report as a page of its own, named after the series', async () => {
    const page = await openPage(browser, server.url);
    await openSeries(page);
    const saved = await download(page, '#saveReport');
    assert.equal(saved.name, 'Absorber B, week 3.html');
    const html = saved.bytes.toString();
    assert.match(html, /^<!doctype html>/);
    assert.match(html, /@page \{ size: A4;/);
    for (const [, source] of sections) assert.ok(html.includes(headingOf(source)), source);
    await page.close();
  });
});

describe('Save\'s name', () => {
  // Without a save picker, the download's name comes from the title; a
  // series saved untitled takes its title's name once it has one.
  const names = [
    { name: 'a title with characters no file name takes', titles: [' Column A/B: 2024? '],
      file: 'Column A_B_ 2024_.quillon' },
    { name: 'no title', titles: [''], file: 'quillon-series.quillon' },
    { name: 'a title of dots alone', titles: ['..'], file: 'quillon-series.quillon' },
    { name: 'a device name of Windows', titles: ['con'], file: '_con.quillon' },
    { name: 'saved untitled, then titled', titles: ['', 'Morning runs'], file: 'Morning runs.quillon' },
  ];
  for (const row of names) {
    test(`Save's download name: ${row.name}`, async () => {
      const page = await openPage(browser, server.url);
      await type(page, typedRuns[0]);
      await page.click('#calculate');
      let saved;
      for (const title of row.titles) {
        await page.$eval('#seriesTitle', (field, value) => {
          field.value = value;
          field.dispatchEvent(new Event('change'));
        }, title);
        saved = await download(page, '#saveSeries');
      }
      assert.equal(saved.name, row.file);
      await page.close();
    });
  }
});

describe('import runs', () => {
  // Examples A and B as Excel saves a German sheet: Windows-1252, ';',
  // decimal commas, an umlaut in the header and a units row.
  const sheet = Buffer.from('Bezeichnung;y1;x1;Gasstrom;Wasserstrom;Packungsh\xF6he (m)\r\n;;;mol/s;mol/s;m\r\n'
    + 'A;0,02;0,01;1;1;2\r\nB;0,045;0,02;2;3;1,5\r\n', 'latin1');
  const typed = { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: '' };
  const fromSheet = [{ y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'A' },
    { y1: 0.045, x1: 0.02, gasFlow: 2, waterFlow: 3, packingHeight: 1.5, label: 'B' }];

  async function importFile(page, name, bytes) {
    const folder = mkdtempSync(join(tmpdir(), 'quillon-upload-'));
    writeFileSync(join(folder, name), bytes);
    await (await page.$('#importFile')).uploadFile(join(folder, name));
    uploads.push(folder);
  }
  const shownRuns = (page) => page.$$eval('#runsTable tbody tr', (rows) => rows.map((row) => ({
    label: row.querySelector('input[type="text"]').value, mtc: row.querySelector('[data-column="mtc"]').title,
  })));

  // The typed run, titled, before each import.
  async function typedSeries() {
    const page = await openPage(browser, server.url);
    await type(page, typedRuns[0]);
    await page.click('#calculate');
    await page.click('#findMtc');
    await page.$eval('#seriesTitle', (field) => {
      field.value = 'Lab 3';
      field.dispatchEvent(new Event('change'));
    });
    return page;
  }

  for (const row of [
    { name: 'Messreihe.csv', bytes: sheet, runs: [typed, ...fromSheet], told: /^Messreihe\.csv:1: .*Windows-1252.*\nMessreihe\.csv:2: / },
    { name: 'other.quillon', bytes: ask(['write'], JSON.stringify(fromSheet.slice(1))), runs: [typed, fromSheet[1]] },
  ]) {
    test(`${row.name}: its runs join the typed one as one step, the series' fields kept`, async () => {
      const page = await typedSeries();
      await importFile(page, row.name, row.bytes);
      await page.waitForFunction((count) => document.querySelectorAll('#runsTable tbody tr').length === count, {},
        row.runs.length);
      if (row.told) assert.match((await closeBox(page)).text, row.told);
      else assert.ok(await noBoxOpen(page));
      const native = JSON.parse(ask(['read'], ask(['write'], JSON.stringify(row.runs))));
      assert.deepEqual(await shownRuns(page), native.map((run) => ({ label: run.label, mtc: run.mtc ?? '' })));
      assert.equal(await page.$eval('#seriesTitle', (field) => field.value), 'Lab 3');
      await page.click('#undo');
      assert.equal((await shownRuns(page)).length, 1);
      assert.equal(await page.$eval('#seriesTitle', (field) => field.value), 'Lab 3');
      await page.click('#redo');
      assert.equal((await shownRuns(page)).length, row.runs.length);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  test('a file that cannot be read is named and changes nothing', async () => {
    const page = await typedSeries();
    await importFile(page, 'units.csv', 'y1,x1,gas_flow,water_flow\r\n,,mol/s,mol/s\r\n');
    const box = await closeBox(page);
    assert.equal(box.title, 'Not opened');
    assert.match(box.text, /^units\.csv is not a series Quillon can read:\nunits\.csv: no run in the file/);
    assert.equal((await shownRuns(page)).length, 1);
    await page.close();
  });
});

describe('numbers as a lab report writes them, in the runs table', () => {
  // An input as typed, U to two significant digits, and a run without U
  // saying why in its cell.
  const rows = [
    { language: 'en-US', x1: '0.00071', noU: 'no U: no uncertainties given', point: '.' },
    { language: 'de-DE', x1: '0,00071',
      noU: de('RunsModel', 'no U: %1').replace('%1', de('RunsModel', 'no uncertainties given')), point: ',' },
  ];
  const own = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  for (const row of rows) {
    test(`x1 as typed, U to two digits and why a run has none (${row.language})`, async () => {
      const page = await openPage(browser, server.url, row.language);
      const runs = [{ y1: 0.02, x1: 0.00071, gasFlow: 1, waterFlow: 4, packingHeight: 2, uncertainty: own },
        { y1: 0.02, x1: 0.001, gasFlow: 1, waterFlow: 8, packingHeight: 2 }];
      await open(page, 'lab.quillon', ask(['write'], JSON.stringify({ runs })));
      await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 2);
      await page.waitForFunction(() => ![...document.querySelectorAll('#runsTable [data-column="uncertainty"]')]
        .some((cell) => cell.textContent === '…'), { timeout: 60000 });
      const cells = await page.$$eval('#runsTable tbody tr', (trs) => trs.map((tr) => [
        ((cell) => cell.querySelector('input')?.value ?? cell.textContent)(tr.querySelectorAll('td')[1 + 4]),
        tr.querySelector('[data-column="uncertainty"]').textContent]));
      assert.equal(cells[0][0], row.x1);
      const [value, uncertainty] = cells[0][1].split(' ± ');
      const digits = uncertainty.replace(/[^0-9]/g, '').replace(/^0+/, '');
      assert.equal(digits.length, 2, cells[0][1]);
      // The coefficient ends at U's last decimal place.
      const decimals = (text) => (text.includes(row.point) ? text.split(row.point)[1].length : 0);
      assert.equal(decimals(value), decimals(uncertainty), cells[0][1]);
      assert.equal(cells[1][1], row.noU);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('runs corrected in place', () => {
  // Each correction saves as the native library writes the corrected run,
  // one undo step; a refused one shows the box the main window shows for
  // the same text in its field and changes nothing.
  const start = { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'A' };
  const { packingHeight, ...withoutHeight } = start;
  const rows = [
    { name: 'y1', column: 'y1', typed: '0.03', edited: { ...start, y1: 0.03 } },
    { name: 'water flow in German', language: 'de-DE', column: 'waterFlow', typed: '1,5',
      edited: { ...start, waterFlow: 1.5 } },
    { name: 'height emptied', column: 'height', typed: '', edited: withoutHeight },
    { name: 'y2 out of range', column: 'waterFlow', typed: '5', mainWindow: ['0.02', '0.01', '1', '5'] },
    { name: 'not a number in German', language: 'de-DE', column: 'gasFlow', typed: 'abc',
      mainWindow: ['0,02', '0,01', 'abc', '1'] },
    { name: 'height zero', column: 'height', typed: '0', mainWindow: ['0.02', '0.01', '1', '1', '0'], findMtc: true },
  ];
  for (const row of rows) {
    test(row.name, async () => {
      const page = await openPage(browser, server.url, row.language);
      const written = ask(['write'], JSON.stringify([start]));
      await open(page, 'runs.quillon', written);
      await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 1);
      await page.focus(`#runsTable tbody input[data-column="${row.column}"]`);
      if (row.typed === '') await page.keyboard.press('Backspace'); else await page.keyboard.type(row.typed);
      await page.keyboard.press('Enter');
      if (row.mainWindow) {
        const box = await closeBox(page);
        assert.equal(await page.$eval('#undo', (button) => button.disabled), true);
        assert.equal((await download(page, '#saveSeries')).bytes.toString(), written);
        await type(page, row.mainWindow);
        await page.click('#calculate');
        if (row.findMtc) await page.click('#findMtc');
        assert.deepEqual(box, await closeBox(page));
      } else {
        const edited = ask(['write'], JSON.stringify([row.edited]));
        assert.ok(await noBoxOpen(page));
        assert.equal((await download(page, '#saveSeries')).bytes.toString(), edited);
        await page.click('#undo');
        assert.equal((await download(page, '#saveSeries')).bytes.toString(), written);
        await page.click('#redo');
        assert.equal((await download(page, '#saveSeries')).bytes.toString(), edited);
      }
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('weighting the fit', () => {
  // Run 3 without an uncertainty turns the box off with the native fit's
  // reason; excluding it brings back the user's wish to weight.
  test('a run without an uncertainty turns the box off and says which', async () => {
    const none = { gasFlowRel: 0, waterFlowRel: 0, y1: 0, x1: 0, packingHeight: 0 };
    const runs = [1, 2].flatMap((waterFlow) => [0.5, 1, 2].map((gasFlow, index) => ({ y1: 0.02,
      x1: Number((0.006 * gasFlow ** 0.8 / waterFlow ** 0.6).toFixed(5)), gasFlow, waterFlow, packingHeight: 1.5,
      ...(waterFlow === 1 && index === 2 ? { uncertainty: none } : {}) })));
    const series = { uncertainty: { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005 }, runs };
    const reason = 'Unweighted because run 3 has no uncertainty.';
    const boxIs = (page, want) => page.waitForFunction((expected) => {
      const box = document.getElementById('weightedFit');
      const why = document.getElementById('unweightedReason');
      return JSON.stringify([box.disabled, box.checked, why.hidden ? null : why.textContent]) === expected;
    }, { timeout: 60000 }, JSON.stringify(want));
    const page = await openPage(browser, server.url);
    await open(page, 'runs.quillon', ask(['write'], JSON.stringify(series)));
    await boxIs(page, [true, false, reason]);
    // Said beside the box, as in the window, not again among the fit's lines.
    const want = askJson(['analysis', 'en_US'], { ...series, weighted: true }).lines;
    assert.ok(!want.includes(reason));
    await page.waitForFunction((lines) => [...document.querySelectorAll('#fitText p')].map((p) => p.textContent)
      .join('\n') === lines, { timeout: 30000 }, want.join('\n'));
    await page.click('#runsTable tbody tr:nth-child(3) input[aria-label^="Excluded"]');
    await boxIs(page, [false, true, null]);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

describe('the series library\'s messages in German', () => {
  // A message's words as a pattern, any text standing for its %1, %2…
  const escaped = (text) => text.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
  const pattern = (words) => new RegExp(escaped(words).replace(/%[0-9]/g, '.+?'));
  const shownText = {
    box: async (page) => (await closeBox(page)).text,
    fit: (page, words) => page.waitForFunction((want) => new RegExp(want)
      .test(document.querySelector('#fitText').textContent), { timeout: 30000 }, pattern(words).source)
      .catch(() => {}).then(() => page.$eval('#fitText', (element) => element.textContent)),
    uncertainty: (page, words) => page.waitForFunction((want) => new RegExp(want)
      .test(document.querySelector('#uncertaintyResult').textContent), { timeout: 60000 }, pattern(words).source)
      .catch(() => {}).then(() => page.$eval('#uncertaintyResult', (element) => element.textContent)),
  };
  const oneGasFlow = [1, 2, 3].map((waterFlow) => ({ y1: 0.02, x1: 0.005, gasFlow: 1, waterFlow,
    packingHeight: 2 }));
  const rows = [
    { name: 'an ignored column', file: 'runs.csv', shown: 'box',
      bytes: 'y1,x1,gas_flow,water_flow,Uhrzeit\n0.02,0.01,1,1,20\n-,0.01,1,1,20\n',
      source: 'column "%1" ignored: Quillon does not read it' },
    { name: 'a skipped row', file: 'runs.csv', shown: 'box',
      bytes: 'y1,x1,gas_flow,water_flow\n-,0.01,1,1\n0.02,0.01,1,1\n', source: 'skipped: %1 "%2" is not a number' },
    { name: 'a JSON syntax error', file: 'broken.quillon', shown: 'box',
      bytes: '{\n  "format": "quillon-series",\n  "version": 1,\n  "runs": [ {"y1": }\n',
      source: "syntax error: unexpected '%1'" },
    { name: 'a file of a newer version', file: 'newer.quillon', shown: 'box',
      bytes: '{"format": "quillon-series", "version": 2, "runs": []}',
      source: 'written by a newer Quillon (format version %1); this one reads version %2' },
    { name: 'an exponent left out', file: 'one.quillon', shown: 'fit', runs: oneGasFlow,
      source: 'all runs have one gas flow' },
    { name: 'no fit', file: 'same.quillon', shown: 'fit', runs: [oneGasFlow[0], oneGasFlow[0], oneGasFlow[0]],
      source: 'all runs have one gas flow and one water flow' },
    // A third of the draws of y1 are below 0, where the run has no coefficient.
    { name: 'a Monte Carlo refusal', file: 'wide.quillon', shown: 'uncertainty', runs: oneGasFlow.slice(0, 1),
      uY1: '0,05', source: 'the model has no value for %1 of %2 draws, more than 1 %' },
  ];
  for (const row of rows) {
    test(row.name, async () => {
      const german = de('Series', row.source);
      assert.ok(german, `${row.source} has no German in the catalogue`);
      const page = await openPage(browser, server.url, 'de-DE');
      await open(page, row.file, row.bytes ?? ask(['write'], JSON.stringify(row.runs)));
      if (row.uY1) {
        await page.waitForSelector('#runsTable tbody tr');
        await page.$eval('#u-y1', (field, text) => {
          field.value = text;
          field.dispatchEvent(new Event('change'));
        }, row.uY1);
      }
      const shown = await shownText[row.shown](page, german);
      assert.match(shown, pattern(german));
      assert.doesNotMatch(shown, pattern(row.source));
      await page.close();
    });
  }
});

describe('a run\'s uncertainty as a lab report writes it', () => {
  test('u to two significant digits, the coefficient and its interval to the same place', async () => {
    const page = await openPage(browser, server.url);
    const run = { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2 };
    await open(page, 'one.quillon', ask(['write'], JSON.stringify({ uncertainty: { gasFlowRel: 0.02,
      waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 }, runs: [run] })));
    await page.waitForSelector('#runsTable tbody tr');
    await page.select('#uRun', '0');
    await page.waitForFunction(() => /Monte Carlo: Coefficient/.test(document.getElementById('uncertaintyResult')
      .textContent), { timeout: 60000 });
    const lines = await page.$eval('#uncertaintyResult', (element) => element.innerText.split('\n'));
    for (const line of lines.filter((text) => /[0-9]/.test(text))) {
      // No number of more than 6 significant digits: 17 was the full double.
      for (const number of line.match(/[0-9][0-9.,]*/g)) {
        assert.ok(number.replace(/[^0-9]/g, '').replace(/^0+/, '').length <= 6, line);
      }
    }
    const [, u] = lines.find((text) => text.startsWith('Monte Carlo')).match(/standard uncertainty ([0-9.]+)$/);
    assert.ok(u.replace(/[^0-9]/g, '').replace(/^0+/, '').replace(/0+$/, '').length <= 2, u);
    await page.close();
  });
});

describe('undo and redo keys from anywhere on the page', () => {
  // y1 of run 1 corrected from 0.02 to 0.03; its cell's tip is the run's
  // y1 in full. Only a text field being typed keeps the keys for its text.
  const start = { y1: 0.02, x1: 0.01, gasFlow: 1, waterFlow: 1, packingHeight: 2, label: 'A' };
  const cell = '#runsTable tbody input[data-column="y1"]';
  const rows = [
    { name: 'the just-corrected cell: Ctrl+Z undoes the correction, Ctrl+Y redoes it', focus: () => {},
      keys: [['Control+z', '0.02'], ['Control+y', '0.03']] },
    { name: 'the body: Ctrl+Z undoes, Ctrl+Shift+Z redoes',
      focus: (page) => page.evaluate(() => document.activeElement.blur()),
      keys: [['Control+z', '0.02'], ['Control+Shift+Z', '0.03']] },
    { name: 'a button outside the runs: Ctrl+Z undoes', focus: (page) => page.focus('#calculate'),
      keys: [['Control+z', '0.02']] },
    { name: 'the main window\'s y1 field with typed text: the series is unchanged',
      focus: (page) => page.focus('#y1').then(() => page.keyboard.type('5')),
      keys: [['Control+z', '0.03'], ['Control+Shift+Z', '0.03']] },
  ];
  for (const row of rows) {
    test(row.name, async () => {
      const page = await openPage(browser, server.url);
      await open(page, 'runs.quillon', ask(['write'], JSON.stringify([start])));
      await page.waitForFunction(() => document.querySelectorAll('#runsTable tbody tr').length === 1);
      await page.focus(cell);
      await page.keyboard.type('0.03');
      await page.keyboard.press('Enter');
      assert.equal(await page.$eval(cell, (input) => input.title), '0.03');
      await row.focus(page);
      for (const [chord, y1] of row.keys) {
        const keys = chord.split('+');
        for (const key of keys.slice(0, -1)) await page.keyboard.down(key);
        await page.keyboard.press(keys.at(-1));
        for (const key of keys.slice(0, -1).reverse()) await page.keyboard.up(key);
        assert.equal(await page.$eval(cell, (input) => input.title), y1, chord);
      }
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

describe('German CSV messages name columns by their German headers', () => {
  const rows = [
    { name: 'a missing column', bytes: 'y1;x1;Gasstrom\n0,02;0,01;1\n',
      shown: 'der Kopfzeile fehlt die Spalte Wasserstrom; erwartet werden die Spalten y1, x1, Gasstrom und Wasserstrom' },
    { name: 'a refused number', bytes: 'y1;x1;Gasstrom;Wasserstrom\n0,02;0,01;1.500;1,5\n',
      shown: 'Gasstrom \u201e1.500\u201c hat einen Punkt' },
  ];
  for (const row of rows) {
    test(row.name, async () => {
      const page = await openPage(browser, server.url, 'de-DE');
      await open(page, 'runs.csv', row.bytes);
      const { text } = await closeBox(page);
      assert.ok(text.includes(row.shown), text);
      assert.doesNotMatch(text, /gas_flow|water_flow/);
      await page.close();
    });
  }
});

describe('The page\'s Calculate, kept fast', () => {
  test('sums to the checked loop\'s bits on the worked examples and every band edge, in f64x2 lanes', () => {
    // Built beside the site, from the core compiled as for the page.
    const program = join(site, '..', 'kernel_agreement.js');
    let output;
    try {
      output = execFileSync(process.execPath, [program]).toString();
    } catch (error) {
      assert.fail(`${error.stdout}${error.stderr}`);
    }
    assert.match(output, /^kernel wasm_simd128: \d+ runs compared$/m);
  });

  test('Calculate again on the same inputs leaves the runs table as drawn', async () => {
    const page = await openPage(browser, server.url);
    const kept = await page.evaluate(() => {
      [['y1', '0.045'], ['x1', '0.02'], ['gasFlow', '2'], ['waterFlow', '3']].forEach(([id, text]) => {
        document.getElementById(id).value = text;
      });
      const calculate = document.getElementById('calculate');
      calculate.click();
      const cell = document.querySelector('#runsTable tbody td');
      calculate.click();
      return { drawnOnce: cell.isConnected, rows: document.querySelectorAll('#runsTable tbody tr').length };
    });
    assert.deepEqual(kept, { drawnOnce: true, rows: 1 });
    await page.close();
  });
});

// A class's series: 10,000 runs opened, scrolled, edited and computed while
// the page stays usable. The longest task on the page's thread is reported,
// never judged: timings belong to web/tests/bench-series.mjs.
describe('a series of 10,000 runs', () => {
  const count = 10000;
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  // 100 runs near example A with their results, as the oracle writes them,
  // repeated a hundred times.
  const distinct = Array.from({ length: 100 }, (_, i) => ({ y1: 0.02 + 1e-4 * i, x1: 0.004 * (1 + (i % 7) / 10),
    gasFlow: [0.5, 1, 2][i % 3], waterFlow: [1, 2][i % 2], packingHeight: 2, label: `run ${i}` }));
  const hundred = ask(['write'], JSON.stringify({ uncertainty: standard, runs: distinct }));
  const file = { ...JSON.parse(hundred), title: 'Klasse 3b — Übung', people: 'A. Ö, B. ß', notes: 'eins\nzwei' };
  file.runs = Array.from({ length: count }, (_, i) => file.runs[i % 100]);
  const native = JSON.parse(ask(['read', 'en_US'], hundred));
  const inView = (page, selector) => page.$eval(selector, (element) => {
    const box = element.getBoundingClientRect();
    return box.height > 0 && box.top >= 0 && box.bottom <= window.innerHeight;
  });
  let page;
  before(async () => {
    page = await openPage(browser, server.url);
    await page.evaluate(() => {
      window.longest = 0;
      new PerformanceObserver((list) => list.getEntries().forEach((entry) => {
        window.longest = Math.max(window.longest, entry.duration);
      })).observe({ type: 'longtask' });
    });
  });
  after(() => page.close());

  test('opens with its progress in view, the table drawing only the rows in view, the digits native', async (t) => {
    await open(page, 'class.quillon', JSON.stringify(file));
    await page.waitForSelector('#openStatus:not([hidden])', { timeout: 60000 });
    assert.ok(await inView(page, '#cancelOpen'), 'Cancel in view');
    await page.waitForFunction((n) => window.quillonPage.runs.size() === n, { timeout: 300000 }, count);
    // Results that differed from the file's would be told in a box.
    assert.ok(await noBoxOpen(page));
    assert.equal(await page.$eval('#openStatus', (status) => status.hidden), true);
    const table = await page.$eval('#runsTable', (shown) => ({ count: shown.getAttribute('aria-rowcount'),
      drawn: shown.tBodies[0].rows.length, places: [...shown.tBodies[0].rows].map((row) => row.ariaRowIndex) }));
    assert.equal(table.count, String(count + 1));
    assert.ok(table.drawn > 0 && table.drawn < 100, `${table.drawn} rows drawn`);
    assert.deepEqual(table.places, Array.from({ length: table.drawn }, (_, i) => String(i + 2)));
    const computed = await page.evaluate((rows) => rows.map((row) => {
      const run = window.quillonPage.runs.run(row);
      return [run.ntu, run.mtc];
    }), [0, 4321, count - 1]);
    assert.deepEqual(computed, [0, 4321, count - 1].map((row) => [Number(native[row % 100].ntu),
      Number(native[row % 100].mtc)]));
    t.diagnostic(`longest task on the page's thread: ${await page.evaluate(() => window.longest)} ms`);
  });

  test('Cancel stays in view and stops the uncertainties at once', async () => {
    await page.waitForSelector('#cancelUncertainties:not([hidden])', { timeout: 60000 });
    assert.ok(await inView(page, '#cancelUncertainties'), 'Cancel in view');
    await page.click('#cancelUncertainties');
    assert.deepEqual(await page.evaluate(() => [window.quillonPage.cache.busy(),
      document.getElementById('cancelUncertainties').hidden]), [false, true]);
    // An uncertainty changed and changed back is a change: the runs are
    // asked afresh, not left cancelled.
    const was = await page.$eval('#u-gasFlowRel', (field) => field.value);
    for (const value of ['0.03', was]) {
      await page.$eval('#u-gasFlowRel', (field, typed) => {
        field.value = typed;
        field.dispatchEvent(new Event('change'));
      }, value);
    }
    await page.waitForFunction(() => window.quillonPage.cache.busy(), { timeout: 10000 });
    await page.click('#cancelUncertainties');
    assert.equal(await page.evaluate(() => window.quillonPage.cache.busy()), false);
  });

  // A large series goes to a worker packed and is written there.
  test('Save and Export write in a worker what the page would write itself', async () => {
    assert.ok(await page.evaluate(async () => {
      const { files, runs, cache } = window.quillonPage;
      const same = (a, b) => a.length === b.length && a.every((byte, i) => byte === b[i]);
      return same(await files.bytesOf(false), runs.fileBytes())
        && same(await files.bytesOf(true), runs.exportCsv(cache.monteCarloNow()))
        && runs.field('title') === 'Klasse 3b — Übung' && runs.field('notes') === 'eins\nzwei';
    }));
  });

  test('Up and Down reach runs not drawn, and a label edited in place is undone', async () => {
    await page.$eval('.table-frame', (frame) => { frame.scrollTop = frame.scrollHeight; });
    await page.waitForSelector(`#runsTable tr[data-run="${count}"]`);
    await page.focus(`#runsTable tr[data-run="${count}"] input[type="text"]`);
    for (let i = 0; i < 40; ++i) await page.keyboard.press('ArrowUp');
    const label = await page.evaluate(() => [document.activeElement.closest('tr').dataset.run,
      document.activeElement.getAttribute('aria-label')]);
    assert.deepEqual(label, [String(count - 40), `Label ${count - 40}`]);
    await page.keyboard.type(' edited');
    await page.keyboard.press('Enter');
    const labelOf = () => page.evaluate((row) => window.quillonPage.runs.run(row).label, count - 41);
    assert.equal(await labelOf(), `run ${(count - 41) % 100} edited`);
    await page.click('#undo');
    assert.equal(await labelOf(), `run ${(count - 41) % 100}`);
    assert.equal(await page.$eval(`#runsTable tr[data-run="${count - 40}"] input[type="text"]`, (field) => field.value),
      `run ${(count - 41) % 100}`);
  });
});

describe('uncertainties typed one field after another', () => {
  test('start the computing of the last values only', async () => {
    const runs = Array.from({ length: 8 }, (_, i) => ({ y1: 0.02 + 1e-3 * i, x1: 0.005, gasFlow: 1, waterFlow: 1,
      packingHeight: 2 }));
    const page = await openPage(browser, server.url);
    await open(page, 'eight.quillon', ask(['write'], JSON.stringify(runs)));
    await page.waitForFunction(() => window.quillonPage.runs.size() === 8);
    // Each request's count as it starts: the draws may be over before a
    // poll would find the cache busy.
    await page.evaluate(() => {
      const { cache } = window.quillonPage;
      const request = cache.request.bind(cache);
      window.requestedTotals = [];
      cache.request = (again) => {
        request(again);
        window.requestedTotals.push(cache.total);
      };
    });
    const fields = ['u-gasFlowRel', 'u-waterFlowRel', 'u-y1', 'u-x1', 'u-packingHeight'];
    for (const [index, id] of fields.entries()) {
      await page.type(`#${id}`, '0.01');
      await page.keyboard.press(index + 1 < fields.length ? 'Tab' : 'Enter');
    }
    await page.waitForFunction(() => window.requestedTotals.some((total) => total > 0));
    const totals = await page.evaluate(() => window.requestedTotals);
    assert.ok(totals.every((total) => total <= runs.length), `${totals} runs to compute`);
    await page.close();
  });
});

describe('The Monte Carlo\'s draws, the same bits in the page', () => {
  test('the series library compiled as for the page gives the desktop\'s Monte Carlo bits', () => {
    // Built beside the site; the desktop's beside the oracle.
    const run = (program, args) => {
      try {
        return execFileSync(program, args, { maxBuffer: 1 << 20 }).toString();
      } catch (error) {
        return assert.fail(`${error.stdout}${error.stderr}`);
      }
    };
    const page = run(process.execPath, [join(site, '..', 'montecarlo_digits.js')]);
    const desktop = run(join(dirname(oracle), 'montecarlo_digits'), []);
    assert.match(desktop, /^example_a( [0-9a-f]{16}){8} \d+ 0$/m);
    assert.equal(page, desktop);
  });
});

describe('edits in place in a class\'s series', () => {
  const count = 10000;
  const runs = Array.from({ length: count }, (_, i) => ({ y1: 0.02 + 1e-4 * (i % 100), x1: 0.01, gasFlow: 1,
    waterFlow: 1, packingHeight: 2, label: `run ${i}` }));
  let page;
  // Every run as the module gives it, one text a run.
  const everyRun = () => page.evaluate(() => {
    const { runs: series } = window.quillonPage;
    return Array.from({ length: series.size() }, (_, row) => JSON.stringify(series.run(row)));
  });
  const differing = (a, b) => a.flatMap((run, row) => (run === b[row] ? [] : [row]));
  const drawn = (row, selector) => page.$eval(`#runsTable tr[data-run="${row + 1}"] ${selector}`,
    (control) => (control.type === 'checkbox' ? control.checked : control.value));
  before(async () => {
    page = await openPage(browser, server.url);
    await page.evaluate(() => {
      window.longTasks = [];
      new PerformanceObserver((list) => window.longTasks.push(...list.getEntries().map((entry) => entry.duration)))
        .observe({ type: 'longtask', buffered: true });
    });
    await open(page, 'class.quillon', ask(['write'], JSON.stringify(runs)));
    await page.waitForFunction((n) => window.quillonPage.runs.size() === n
      && document.getElementById('runs').getAttribute('aria-busy') === 'false', { timeout: 300000 }, count);
  });
  after(() => page.close());

  test('an input and its Undo change only the run edited, its row shows each, the selection stays', async () => {
    const start = await everyRun();
    await page.click('#runsTable tr[data-run="4"] input[type="checkbox"]');
    const row = 1;
    await page.focus(`#runsTable tr[data-run="${row + 1}"] input[data-column="y1"]`);
    await page.evaluate(() => { document.activeElement.value = '0.0345'; });
    await page.keyboard.press('Enter');
    const edited = await everyRun();
    assert.deepEqual(differing(start, edited), [row]);
    assert.equal(JSON.parse(edited[row]).y1, 0.0345);
    await page.$eval('#seriesTitle', (field) => field.focus());
    assert.equal(await drawn(row, 'input[data-column="y1"]'), '0.0345');
    await page.click('#undo');
    assert.deepEqual(differing(start, await everyRun()), []);
    assert.equal(await drawn(row, 'input[data-column="y1"]'), '0.0201');
    assert.equal(await drawn(3, 'input[type="checkbox"]'), true);
    assert.equal(await page.$eval('#deleteRuns', (button) => button.disabled), false);
    await page.click('#redo');
    assert.deepEqual(await everyRun(), edited);
    assert.equal(await drawn(row, 'input[data-column="y1"]'), '0.0345');
  });

  test('a title and its Undo leave every run and its row as they were', async () => {
    const start = await everyRun();
    const shown = await page.$$eval('#runsTable tbody input[type="text"]', (fields) => fields.map((f) => f.value));
    await page.$eval('#seriesTitle', (field) => {
      field.value = 'Klasse 3b';
      field.dispatchEvent(new Event('change'));
    });
    assert.equal(await page.evaluate(() => window.quillonPage.runs.field('title')), 'Klasse 3b');
    await page.click('#undo');
    assert.equal(await page.$eval('#seriesTitle', (field) => field.value), '');
    assert.deepEqual(await everyRun(), start);
    assert.deepEqual(await page.$$eval('#runsTable tbody input[type="text"]', (fields) => fields.map((f) => f.value)),
      shown);
  });

  test('the run chooser offers every run, a label renamed and its Undo too', async () => {
    const offered = (row) => page.waitForFunction((n, at) => {
      const { options } = document.getElementById('uRun');
      return options.length === n ? options[at].text : false;
    }, { timeout: 60000 }, count, row).then((text) => text.jsonValue());
    await page.$eval('#runsTable tr[data-run="1"] input[type="text"]', (field) => {
      field.value = 'renamed';
      field.dispatchEvent(new Event('change'));
    });
    assert.equal(await offered(0), '1 — renamed');
    await page.click('#undo');
    await page.waitForFunction(() => document.getElementById('uRun').options[0].text === '1 — run 0');
    assert.equal(await offered(count - 1), `${count} — run ${count - 1}`);
  });

  // The browser reads an SVG picture on the page's thread, for a class's
  // series in a long task: only once it is in view.
  test('the charts\' pictures are read once in view', async () => {
    const sources = () => page.$$eval('#analysisCharts img', (pictures) => pictures.map((picture) => picture.src));
    await page.waitForFunction(() => document.querySelectorAll('#analysisCharts img').length === 2,
      { timeout: 60000 });
    await page.$eval('#runs', (section) => section.scrollIntoView());
    assert.deepEqual(await sources(), ['', '']);
    await page.$eval('#analysisCharts', (charts) => charts.scrollIntoView());
    await page.waitForFunction(() => [...document.querySelectorAll('#analysisCharts img')]
      .every((picture) => picture.src.startsWith('blob:')));
    await page.$eval('#runs', (section) => section.scrollIntoView());
  });

  test('the page\'s long tasks are watched and reported', async (t) => {
    const tasks = await page.evaluate(() => (PerformanceObserver.supportedEntryTypes.includes('longtask')
      ? window.longTasks : null));
    assert.ok(Array.isArray(tasks), 'the browser reports long tasks');
    t.diagnostic(`${tasks.length} tasks over 50 ms; the longest ${Math.max(0, ...tasks).toFixed(0)} ms`);
  });
});

describe('the column temperature and the equilibrium option', () => {
  test('a series at its runs\' temperatures exports as natively, and switched back and forth keeps its digits',
    async () => {
      const written = JSON.stringify({ format: 'quillon-series', version: 1,
        equilibrium: { at: 'run_temperature', van_t_hoff_k: 4200 },
        runs: [20, 40].map((temperature) => ({ y1: 0.02, x1: 0.005, gas_flow: 1, water_flow: 1, packing_height: 2,
          temperature })) });
      const page = await openPage(browser, server.url);
      await open(page, 'warm.quillon', written);
      await page.waitForFunction(() => window.quillonPage.runs.size() === 2);
      assert.equal(await page.$eval('#equilibrium', (select) => select.value), 'run_temperature');
      const csv = await download(page, '#exportCsv');
      assert.equal(csv.bytes.toString(), ask(['csv'], written));
      const shown = () => page.$$eval('#runsTable [data-column="hog"], #runsTable [data-column="temperature"]',
        (cells) => cells.map((cell) => cell.title));
      const warm = await shown();
      assert.ok(warm.includes('20') && warm.includes('40'), warm.join(' '));
      await page.select('#equilibrium', 'table_30c');
      await page.waitForFunction((before) => [...document.querySelectorAll('#runsTable [data-column="hog"]')]
        .some((cell, at) => cell.title !== before[at]), {}, warm.filter((_, at) => at % 2 === 1));
      await page.select('#equilibrium', 'run_temperature');
      await page.waitForFunction((before) => [...document.querySelectorAll('#runsTable [data-column="hog"]')]
        .every((cell, at) => cell.title === before[at]), {}, warm.filter((_, at) => at % 2 === 1));
      assert.deepEqual(await shown(), warm);
      await page.close();
    });
});

// A class's chart is read by the browser on the page's thread: its runs on
// one spot are one element of the picture, and every spot is still drawn.
describe('a class\'s chart pictures, each spot once', () => {
  const count = 10000;
  // 30 spots: three gas flows, two water flows, five inlet fractions.
  const spot = (i) => ({ y1: 0.02 + 2e-3 * (i % 5), x1: 0.004, gasFlow: [0.5, 1, 2][i % 3],
    waterFlow: [1, 2][i % 2], packingHeight: 2, label: `run ${i}` });
  const markersOf = (svg) => svg.split('class="run-marker"').length - 1;
  let page;
  before(async () => { page = await openPage(browser, server.url); });
  after(() => page.close());

  test('the pictures of 10,000 runs on 30 spots have a marker a spot, as the 30 runs drawn alone', async () => {
    await open(page, 'thirty.quillon', ask(['write'], JSON.stringify(Array.from({ length: 30 }, (_, i) => spot(i)))));
    // The empty series' charts show until the runs are drawn, all at once.
    await page.waitForFunction(() => {
      const charts = [...document.querySelectorAll('#analysisCharts svg')];
      return window.quillonPage.runs.size() === 30 && charts.length === 2
        && charts.every((chart) => chart.querySelector('.run-marker'));
    }, { timeout: 60000 });
    const alone = await page.$$eval('#analysisCharts svg', (charts) => charts.map((chart) => chart.outerHTML));
    assert.deepEqual(alone.map(markersOf), [30, 30]);
    await open(page, 'class.quillon', ask(['write'], JSON.stringify(Array.from({ length: count }, (_, i) => spot(i)))));
    await page.waitForFunction((n) => window.quillonPage.runs.size() === n
      && document.querySelectorAll('#analysisCharts img').length === 2, { timeout: 300000 }, count);
    await page.$eval('#analysisCharts', (charts) => charts.scrollIntoView());
    await page.waitForFunction(() => [...document.querySelectorAll('#analysisCharts img')]
      .every((picture) => picture.src.startsWith('blob:')));
    const pictures = await page.$$eval('#analysisCharts img', (shown) => Promise.all(shown
      .map(async (picture) => (await fetch(picture.src)).text())));
    assert.deepEqual(pictures.map(markersOf), [30, 30]);
    assert.deepEqual(page.errors, []);
  });
});

// A flow unit of the list changed to another converts every run's flows:
// the table shows them at once, and Undo gives them back.
describe('a flow unit that converts the flows', () => {
  test('mol/s to mol/h shows every run\'s flows converted, and Undo the old ones', async () => {
    const written = JSON.stringify({ format: 'quillon-series', version: 1, flow_unit: 'mol/s',
      runs: [{ y1: 0.02, x1: 0.005, gas_flow: 1, water_flow: 2, packing_height: 2 }] });
    const page = await openPage(browser, server.url);
    await open(page, 'units.quillon', written);
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
    const gasFlow = () => page.$eval('#runsTable input[data-column="gasFlow"]', (input) => input.value);
    const before = await gasFlow();
    await page.$eval('#flowUnit', (field) => {
      field.value = 'mol/h';
      field.dispatchEvent(new Event('change'));
    });
    await page.waitForFunction((old) => document.querySelector('#runsTable input[data-column="gasFlow"]').value
      !== old, {}, before);
    assert.equal(Number((await gasFlow()).replace(/[^0-9.]/g, '')), 3600 * Number(before));
    await page.click('#undo');
    await page.waitForFunction((old) => document.querySelector('#runsTable input[data-column="gasFlow"]').value
      === old, {}, before);
    await page.close();
  });
});

// Under the option each run's uncertainty is computed at its own
// temperature, by the page's workers as natively; back at the table the
// table's results show again.
describe('uncertainties at the runs\' temperatures', () => {
  test('a series at its runs\' temperatures shows the native MTC ± U, and the table\'s when switched back',
    async () => {
      const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
      const runs = [20, 30, 40].map((temperature) => ({ y1: 0.02, x1: 0.005, gasFlow: 1, waterFlow: 1,
        packingHeight: 2, temperature }));
      const series = { uncertainty: standard, equilibrium: 'run_temperature', weighted: true, runs };
      const want = askJson(['analysis', 'en_US'], series);
      const table = askJson(['analysis', 'en_US'], { ...series, equilibrium: 'table_30c' });
      const cellsOf = (shown) => shown.map((run) => `${run[0]} ± ${run[1]}`);
      // 20 and 40 degC differ from the table; 30 degC is the table.
      assert.deepEqual(cellsOf(want.uncertainty).map((cell, at) => cell === cellsOf(table.uncertainty)[at]),
        [false, true, false]);
      const page = await openPage(browser, server.url);
      await open(page, 'warm.quillon', ask(['write'], JSON.stringify(series)));
      await page.waitForFunction(() => window.quillonPage.runs.size() === 3);
      const shownWhen = async (expected) => {
        await page.waitForFunction((cells) => JSON.stringify([...document.querySelectorAll(
          '#runsTable [data-column="uncertainty"]')].map((cell) => cell.textContent)) === JSON.stringify(cells),
        { timeout: 60000 }, expected).catch(() => {});
        return page.$$eval('#runsTable [data-column="uncertainty"]', (cells) => cells.map((cell) => cell.textContent));
      };
      assert.deepEqual(await shownWhen(cellsOf(want.uncertainty)), cellsOf(want.uncertainty));
      await page.select('#equilibrium', 'table_30c');
      assert.deepEqual(await shownWhen(cellsOf(table.uncertainty)), cellsOf(table.uncertainty));
      assert.deepEqual(page.errors, []);
      await page.close();
    });
});

// The lab's readings, the column temperature and the coefficient fitted,
// in the page as in the window; digits from the native library.
describe('readings, the column temperature and the fitted coefficient', () => {
  // The lab's check titration, and meters at 21 °C and 99.5 kPa.
  const typedRun = { y1: 0.02, x1: 0.005, gasFlow: 1, waterFlow: 1, packingHeight: 2 };
  const dialogTexts = { sample_volume_ml: '10.00', acid_molarity: '0.1000', acid_volume_ml: '12.40',
    density_g_per_l: '997.0', air_meter: '300', water_meter: '1', meter_temperature_c: '21',
    pressure_kpa: '99.5' };
  const meter = (reading) => ({ reading, unit: 'L/min', temperature_c: 21, pressure_kpa: 99.5 });
  const readingsFile = (extra = {}) => JSON.stringify({ format: 'quillon-series', version: 1, flow_unit: 'mol/s',
    runs: [{ y1: 0.02, packing_height: 2, readings: { titration: { sample_volume_ml: 10, acid_molarity: 0.1,
      acid_volume_ml: 12.4, density_g_per_l: 997 }, air_meter: meter(300), water_meter: meter(1) }, ...extra }] });
  const mtcTip = (page) => page.$eval('#runsTable [data-column="mtc"]', (cell) => cell.title);
  const openDialog = async (page) => {
    await page.click('#runsTable .readings-button');
    await page.waitForSelector('#readings[open]');
  };

  test('a run given as readings in its dialog has the native coefficient of those readings, as one step',
    async () => {
      const want = JSON.parse(ask(['read'], readingsFile()))[0];
      const page = await openPage(browser, server.url);
      await open(page, 'typed.quillon', ask(['write'], JSON.stringify([typedRun])));
      await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
      const typed = await mtcTip(page);
      await openDialog(page);
      // Every field named by its label; focus starts in the first.
      assert.ok(await page.$eval('#readings', (dialog) => [...dialog.querySelectorAll('input, select')]
        .every((field) => field.labels.length === 1 || field.getAttribute('aria-label'))));
      assert.equal(await page.evaluate(() => document.activeElement.id), 'reading-sample_volume_ml');
      // A text that is no number is refused by Enter, the dialog stays open.
      await page.keyboard.type('ten');
      await page.keyboard.press('Enter');
      assert.match(await page.$eval('#readingsGiven', (p) => p.textContent), /Type a number for "Sample volume \(mL\)"/);
      assert.ok(await page.$eval('#readings', (dialog) => dialog.open));
      // Esc leaves the run as it was.
      await page.keyboard.press('Escape');
      await page.waitForSelector('#readings:not([open])');
      assert.equal(await mtcTip(page), typed);
      assert.equal(await page.evaluate(() => window.quillonPage.runs.canUndo()), false);

      await openDialog(page);
      for (const [id, text] of Object.entries(dialogTexts)) {
        await page.$eval(`#reading-${id}`, (field, value) => { field.value = value; }, text);
      }
      await page.focus('#reading-pressure_kpa');
      await page.keyboard.press('Enter');
      await page.waitForSelector('#readings:not([open])');
      assert.equal(await mtcTip(page), want.mtc);
      const csv = await download(page, '#exportCsv');
      assert.equal(csv.bytes.toString(), ask(['csv'], readingsFile()));
      // One step: Undo gives the typed run back.
      await page.click('#undo');
      await page.waitForFunction((old) => document.querySelector('#runsTable [data-column="mtc"]').title === old,
        {}, typed);
      assert.equal(await page.evaluate(() => window.quillonPage.runs.canUndo()), false);
      assert.deepEqual(page.errors, []);
      await page.close();
    });

  test('a meter\'s calibration is typed under it, refused with what to type, and gives the native coefficient',
    async () => {
      const file = JSON.parse(readingsFile());
      file.runs[0].readings.water_meter = { ...meter(3), unit: 'L/h', calibration: [[0, 0], [2, 1.5], [4, 3.5]] };
      const want = JSON.parse(ask(['read'], JSON.stringify(file)))[0];
      const page = await openPage(browser, server.url);
      await open(page, 'readings.quillon', readingsFile());
      await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
      await openDialog(page);
      const ids = await page.$$eval('#readings input', (inputs) => inputs.map((input) => input.id));
      assert.equal(ids[ids.indexOf('reading-water_meter') + 1], 'reading-water_meter_calibration');
      assert.equal(await page.$eval('label[for="reading-water_meter_calibration"]', (label) => label.textContent),
        'Water meter calibration (scale = flow):');
      const typeIn = async (id, text) => page.$eval(`#reading-${id}`, (field, value) => { field.value = value; }, text);
      await typeIn('water_meter', '3.0');
      await page.select('#reading-water_meter_unit', 'L/h');
      await typeIn('water_meter_calibration', '0=0; 2 1.5');
      await page.focus('#reading-water_meter_calibration');
      await page.keyboard.press('Enter');
      assert.match(await page.$eval('#readingsGiven', (p) => p.textContent), /: "2 1\.5" has no "="\.$/);
      assert.ok(await page.$eval('#readings', (dialog) => dialog.open));
      await typeIn('water_meter_calibration', ' 0=0; 2=1.5; 4=3.5 ');
      await page.keyboard.press('Enter');
      await page.waitForSelector('#readings:not([open])');
      assert.equal(await mtcTip(page), want.mtc);
      await openDialog(page);
      assert.equal(await page.$eval('#reading-water_meter_calibration', (field) => field.value), '0=0; 2=1.5; 4=3.5');
      assert.deepEqual(page.errors, []);
      await page.close();
    });

  test('a back-titration typed in the dialog has the native coefficient; its base alone is refused', async () => {
    const backFile = JSON.stringify({ format: 'quillon-series', version: 1, flow_unit: 'mol/s',
      runs: [{ y1: 0.02, packing_height: 2, readings: { titration: { sample_volume_ml: 10, acid_molarity: 0.1,
        acid_volume_ml: 25, base_molarity: 0.1, base_volume_ml: 12.6, density_g_per_l: 997 },
      air_meter: meter(300), water_meter: meter(1) } }] });
    const want = JSON.parse(ask(['read'], backFile))[0];
    const page = await openPage(browser, server.url);
    await open(page, 'typed.quillon', ask(['write'], JSON.stringify([typedRun])));
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
    await openDialog(page);
    const back = { ...dialogTexts, acid_volume_ml: '25.00', base_molarity: '0.1000' };
    for (const [id, text] of Object.entries(back)) {
      await page.$eval(`#reading-${id}`, (field, value) => { field.value = value; }, text);
    }
    await page.focus('#reading-pressure_kpa');
    await page.keyboard.press('Enter');
    assert.match(await page.$eval('#readingsGiven', (p) => p.textContent), /a back-titration needs both/);
    assert.ok(await page.$eval('#readings', (dialog) => dialog.open));
    await page.$eval('#reading-base_volume_ml', (field) => { field.value = '12.60'; });
    await page.keyboard.press('Enter');
    await page.waitForSelector('#readings:not([open])');
    assert.equal(await mtcTip(page), want.mtc);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('the dialog keeps the focus, speaks German and fits a phone', async () => {
    const page = await openPage(browser, server.url, 'de-DE');
    await page.setViewport({ width: 360, height: 740 });
    await open(page, 'readings.quillon', readingsFile());
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
    await openDialog(page);
    assert.equal(await page.$eval('label[for="reading-sample_volume_ml"]', (label) => label.textContent),
      de('Readings', '&Sample volume (mL):').replace('&', ''));
    // The run's readings as the file gives them, in German numbers.
    assert.equal(await page.$eval('#reading-acid_volume_ml', (field) => field.value), '12,4');
    for (let i = 0; i < 30; ++i) await page.keyboard.press('Tab');
    assert.ok(await page.evaluate(() => document.getElementById('readings').contains(document.activeElement)));
    const box = await page.$eval('#readings', (dialog) => {
      const { left, right } = dialog.getBoundingClientRect();
      return { left, right, fits: dialog.scrollWidth <= dialog.clientWidth };
    });
    assert.ok(box.left >= 0 && box.right <= 360 && box.fits, JSON.stringify(box));
    // OK and Cancel in view without scrolling, the fields scrolling above
    // them, on the phone and on a laptop.
    for (const [width, height] of [[360, 740], [1366, 768], [1366, 560]]) {
      await page.setViewport({ width, height });
      const inView = await page.$$eval('#readings .buttons button', (buttons) => buttons.map((button) => {
        const { top, bottom } = button.getBoundingClientRect();
        return top >= 0 && bottom <= window.innerHeight;
      }));
      assert.deepEqual(inView, [true, true], `${width} x ${height}`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('the readings columns show when asked for, read-only, and a worker\'s copy keeps the readings', async () => {
    const page = await openPage(browser, server.url);
    await open(page, 'readings.quillon', readingsFile());
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
    const readingCells = () => page.$$eval('#runsTable [data-column^="reading"]', (cells) => cells
      .map((cell) => ({ text: cell.textContent, editable: cell.querySelector('input') !== null })));
    assert.deepEqual(await readingCells(), []);
    await page.click('#showReadings');
    const cells = await readingCells();
    assert.equal(cells.length, 14);
    assert.ok(cells.every((cell) => !cell.editable));
    assert.deepEqual(cells.map((cell) => cell.text).filter(Boolean),
      ['10', '0.1', '12.4', '0', '1', '997', '20', '300 L/min', '1 L/min', '21', '99.5']);
    // A worker's copy of the series, as a large series' save and analysis
    // take it, writes the very file the page writes, readings and all.
    const copied = await page.evaluate(() => {
      const { quillon, runs } = window.quillonPage;
      const copy = new quillon.Document();
      copy.takePacked(runs.packed(), 'open');
      const text = (document) => new TextDecoder().decode(document.fileBytes());
      const both = [text(runs), text(copy)];
      copy.delete();
      return both;
    });
    assert.match(copied[0], /"readings"/);
    assert.equal(copied[1], copied[0]);
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('the column temperature is typed in its cell, refused as the window refuses it, and undone', async () => {
    const series = { equilibrium: 'run_temperature', runs: [{ ...typedRun, temperature: 30 }] };
    const at = (temperature) => JSON.parse(ask(['read'], ask(['write'], JSON.stringify({ ...series,
      runs: [{ ...typedRun, temperature }] }))))[0].mtc;
    const page = await openPage(browser, server.url);
    await open(page, 'warm.quillon', ask(['write'], JSON.stringify(series)));
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
    const cell = '#runsTable input[data-column="temperature"]';
    const typeInto = async (text) => {
      await page.click(cell);
      await page.$eval(cell, (field, value) => { field.value = value; }, text);
      await page.keyboard.press('Enter');
    };
    await typeInto('20');
    await page.waitForFunction((want) => document.querySelector('#runsTable [data-column="mtc"]').title === want, {},
      at(20));
    // Outside 5–50 °C: taken, with a finding.
    await typeInto('60');
    await page.waitForFunction((want) => document.querySelector('#runsTable [data-column="mtc"]').title === want, {},
      at(60));
    assert.ok(await page.$('#runsTable .run-number .mark'));
    const before = await mtcTip(page);
    await typeInto('warm');
    const box = await closeBox(page);
    assert.equal(box.title, 'Column temperature');
    assert.ok(box.text.startsWith('warm is not a column temperature'), box.text);
    assert.equal(await mtcTip(page), before);
    await page.click('#undo');
    await page.waitForFunction((want) => document.querySelector('#runsTable [data-column="mtc"]').title === want, {},
      at(20));
    assert.deepEqual(page.errors, []);
    await page.close();
  });

  test('the analysis fits the coefficient chosen and says which, as natively; the report follows', async () => {
    const runs = [[0.5, 1], [1, 1], [2, 1], [1, 2], [2, 2]].map(([gasFlow, waterFlow], i) => ({ y1: 0.02 + 0.002 * i,
      x1: 0.004, gasFlow, waterFlow, packingHeight: 2, temperature: 20 + 5 * i }));
    const series = { equilibrium: 'run_temperature', runs };
    const linesOf = (coefficient) => askJson(['analysis', 'en_US'], { ...series, coefficient }).lines;
    assert.notDeepEqual(linesOf('colburn'), linesOf('quillon'));
    const page = await openPage(browser, server.url);
    const written = ask(['write'], JSON.stringify(series));
    await open(page, 'five.quillon', written);
    await page.waitForFunction(() => window.quillonPage.runs.size() === 5);
    const shownWhen = async (want) => {
      await page.waitForFunction((lines) => JSON.stringify([...document.querySelectorAll('#fitText p')]
        .map((p) => p.textContent)) === JSON.stringify(lines), { timeout: 30000 }, want).catch(() => {});
      return page.$$eval('#fitText p', (shown) => shown.map((p) => p.textContent));
    };
    assert.deepEqual(await shownWhen(linesOf('quillon')), linesOf('quillon'));
    await page.select('#fittedCoefficient', 'colburn');
    assert.deepEqual(await shownWhen(linesOf('colburn')), linesOf('colburn'));

    // The printed report: the fit's coefficient, each run's temperature,
    // HOG and Colburn coefficient with its HOG, and the equilibrium's
    // constant and source.
    await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
    const report = await page.$eval('#report', (shown) => ({ text: shown.textContent,
      titles: [...shown.querySelectorAll('table.beside th')].map((th) => th.textContent),
      rows: [...shown.querySelectorAll('table.beside tbody tr')].map((row) => [...row.cells].map((td) => td.textContent)),
    }));
    assert.ok(report.text.includes('Coefficient: Colburn coefficient'));
    assert.ok(report.text.includes('MTC (Colburn) = a'));
    assert.ok(report.text.includes('4200 K') && report.text.includes('Sander'));
    const csv = ask(['csv'], written).trim().split(/\r?\n/).map((line) => line.split(','));
    const column = (name) => csv.slice(1).map((line) => Number(line[csv[0].indexOf(name)]));
    for (const [title, name] of [['T (°C)', 'temperature'], ['HOG (m)', 'hog'], ['MTC C', 'mtc_colburn'],
      ['HOG C (m)', 'hog_colburn']]) {
      const at = report.titles.indexOf(title);
      assert.ok(at > 0, title);
      report.rows.forEach((cells, row) => assert.ok(Math.abs(Number(cells[at]) - column(name)[row]) <= 5e-5,
        `${title} ${cells[at]} ${column(name)[row]}`));
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// While the uncertainties compute, the analysis waits for the weighted fit
// instead of showing the unweighted one, and the progress counts the
// series' runs, a run sharing its inputs with another counted with it.
describe('the analysis and the count while the uncertainties compute', () => {
  test('no unweighted fit meanwhile, then the native weighted fit; the count is of every run', async () => {
    const distinct = Array.from({ length: 100 }, (_, i) => {
      const gasFlow = [0.5, 1, 2][i % 3];
      const waterFlow = [1, 2][Math.floor(i / 3) % 2];
      return { y1: 0.02, x1: Number((0.006 * gasFlow ** 0.8 / waterFlow ** 0.6 * (1 + 0.001 * i)).toFixed(6)),
        gasFlow, waterFlow, packingHeight: 1.5 };
    });
    const series = { uncertainty: { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005 },
      runs: [...distinct, ...distinct] };
    const want = askJson(['analysis', 'en_US'], { ...series, weighted: true }).lines.join('\n');
    const page = await openPage(browser, server.url);
    await page.evaluate(() => {
      window.seenFits = [];
      window.seenCounts = [];
      const fit = document.getElementById('fitText');
      new MutationObserver(() => window.seenFits.push([...fit.querySelectorAll('p')].map((p) => p.textContent)
        .join('\n'))).observe(fit, { childList: true, subtree: true, characterData: true });
      const label = document.getElementById('mcProgressLabel');
      new MutationObserver(() => label.hidden || window.seenCounts.push(label.textContent))
        .observe(label, { childList: true, subtree: true, characterData: true });
    });
    await open(page, 'twice.quillon', ask(['write'], JSON.stringify(series)));
    await page.waitForFunction((lines) => [...document.querySelectorAll('#fitText p')].map((p) => p.textContent)
      .join('\n') === lines, { timeout: 120000 }, want);
    const { seenFits, seenCounts } = await page.evaluate(() => ({ seenFits: window.seenFits,
      seenCounts: window.seenCounts }));
    const waiting = /^The weighted fit waits for the uncertainties: \d+ of 200 runs done\.\nRuns in the analysis: /;
    assert.ok(seenFits.some((text) => waiting.test(text)), 'the fit waited');
    assert.deepEqual(seenFits.filter((text) => text !== '' && text !== want && !waiting.test(text)), []);
    assert.ok(seenCounts.length > 0);
    assert.deepEqual(seenCounts.filter((text) => !/^Uncertainties: \d+ of 200 runs$/.test(text)), []);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// A class's uncertainties taken in while they compute: each batch of
// results touches only the cells whose words change, and the fit and its
// charts wait for the last result instead of following every batch.
describe('a class\'s uncertainties taken in while they compute', () => {
  const count = 10000;
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  const distinct = Array.from({ length: 100 }, (_, i) => ({ y1: 0.02 + 1e-4 * i, x1: 0.01,
    gasFlow: [0.5, 1, 2][i % 3], waterFlow: 1, packingHeight: 2 }));
  const file = JSON.parse(ask(['write'], JSON.stringify({ uncertainty: standard, runs: distinct })));
  file.runs = Array.from({ length: count }, (_, i) => file.runs[i % 100]);

  test('results rewrite no cell with its own words, and the fit is asked for once they are in', async () => {
    const page = await openPage(browser, server.url);
    await page.evaluate(() => {
      // Every fit asked of a worker, and whether results were still coming then.
      window.fits = [];
      const post = Worker.prototype.postMessage;
      Worker.prototype.postMessage = function postMessage(message, ...rest) {
        const { cache } = window.quillonPage;
        if (message?.job === 'analyse') window.fits.push({ whileComputing: cache.busy() && cache.done > 0 });
        return post.call(this, message, ...rest);
      };
    });
    await open(page, 'class.quillon', JSON.stringify(file));
    await page.waitForFunction((n) => window.quillonPage.runs.size() === n
      && document.getElementById('runs').getAttribute('aria-busy') === 'false', { timeout: 300000 }, count);
    // A cell's text or tip set again to what it was, and the changes made.
    await page.evaluate(() => {
      window.cellWrites = { same: 0, changed: 0 };
      const textOf = (nodes) => [...nodes].map((node) => node.textContent).join('');
      new MutationObserver((records) => {
        for (const record of records) {
          if (record.target.tagName !== 'TD') continue;
          const same = record.type === 'attributes'
            ? record.oldValue === record.target.getAttribute(record.attributeName)
            : textOf(record.removedNodes) === textOf(record.addedNodes);
          window.cellWrites[same ? 'same' : 'changed'] += 1;
        }
      }).observe(document.querySelector('#runsTable tbody'), { subtree: true, childList: true, attributes: true,
        attributeFilter: ['title'], attributeOldValue: true });
    });
    await page.waitForFunction(() => !window.quillonPage.cache.busy(), { timeout: 300000 });
    await page.waitForFunction(() => window.fits.length > 0 && !window.fits.at(-1).whileComputing,
      { timeout: 60000 });
    const seen = await page.evaluate(() => ({ writes: window.cellWrites, fits: window.fits,
      computing: [...document.querySelectorAll('#runsTable tbody [data-column="uncertainty"]')]
        .filter((cell) => cell.textContent === 'Being computed').length }));
    assert.ok(seen.writes.changed > 0, 'the results show in the table');
    assert.equal(seen.writes.same, 0, `${seen.writes.same} cells written with their own words`);
    assert.deepEqual(seen.fits.filter((fit) => fit.whileComputing), []);
    assert.equal(seen.computing, 0);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// The runs table's keys as a spreadsheet's, through a class's series: the
// focus stays in the table and its row comes into view, drawn or not.
describe('the keyboard in a class\'s runs table', () => {
  const count = 10000;
  const runs = Array.from({ length: count }, (_, i) => ({ y1: 0.02 + 1e-4 * (i % 100), x1: 0.01, gasFlow: 1,
    waterFlow: 1, packingHeight: 2, label: `run ${i}` }));
  const label = 'input[type="text"]';
  const moves = [
    { name: 'Page Down three times and End reach the last run', from: [1, label],
      keys: ['PageDown', 'PageDown', 'PageDown', 'End'], to: [count, label] },
    { name: 'Page Down goes a view\'s rows down, Page Up back', from: [1, label], keys: ['PageDown', 'PageUp'],
      to: [1, label] },
    { name: 'Home from the last run reaches the first', from: [count, label], keys: ['Home'], to: [1, label] },
    { name: 'Ctrl+Home reaches the first run\'s check box', from: [5000, label], keys: ['Control+Home'],
      to: [1, 'td:first-child input'] },
    { name: 'Ctrl+End reaches the last run\'s last control, its Readings button', from: [1, label],
      keys: ['Control+End'], to: [count, 'td:last-child button'] },
    { name: 'Right goes from the label to the Excluded box', from: [20, label], keys: ['ArrowRight'],
      to: [20, 'td:nth-child(4) input'] },
    { name: 'Left from the Excluded box reaches the label', from: [20, 'td:nth-child(4) input'], keys: ['ArrowLeft'],
      to: [20, label] },
    { name: 'Down past the last run stays on it', from: [count, label], keys: ['ArrowDown'], to: [count, label] },
    { name: 'Left and Right move the cursor placed inside a label', from: [20, label], cursor: 2,
      keys: ['ArrowLeft', 'ArrowRight', 'ArrowRight'], to: [20, label] },
  ];
  let page;
  before(async () => {
    page = await openPage(browser, server.url);
    await page.setViewport({ width: 1366, height: 768 });
    await open(page, 'class.quillon', ask(['write'], JSON.stringify(runs)));
    await page.waitForFunction((n) => window.quillonPage.runs.size() === n
      && document.getElementById('runs').getAttribute('aria-busy') === 'false', { timeout: 300000 }, count);
  });
  after(() => page.close());

  // Which run's control has the focus, and whether it is in view: inside
  // the table's frame below its titles, and inside the window.
  const focusedPlace = () => page.evaluate(() => {
    const focused = document.activeElement;
    const row = focused.closest('#runsTable tbody tr');
    if (!row) return { run: null, tag: focused.tagName };
    const box = focused.getBoundingClientRect();
    const frame = document.querySelector('.table-frame').getBoundingClientRect();
    const titles = document.querySelector('#runsTable thead').getBoundingClientRect();
    return { run: Number(row.dataset.run), cell: focused.closest('td').cellIndex,
      inView: box.height > 0 && box.top >= titles.bottom - 0.5 && box.bottom <= frame.bottom + 0.5
        && box.top >= 0 && box.bottom <= window.innerHeight };
  });
  const cellOf = ([run, selector]) => page.evaluate((number, control) => {
    window.quillonPage.table.focusCell(number - 1, 2);
    return document.querySelector(`#runsTable tr[data-run="${number}"] ${control}`).closest('td').cellIndex;
  }, run, selector);

  for (const move of moves) {
    test(move.name, async () => {
      const to = await cellOf(move.to);
      await cellOf(move.from);
      await page.focus(`#runsTable tr[data-run="${move.from[0]}"] ${move.from[1]}`);
      if (move.cursor !== undefined) {
        await page.evaluate((at) => document.activeElement.setSelectionRange(at, at), move.cursor);
      }
      for (const key of move.keys) {
        const [modifier, pressed] = key.includes('+') ? key.split('+') : [null, key];
        if (modifier) await page.keyboard.down(modifier);
        await page.keyboard.press(pressed);
        if (modifier) await page.keyboard.up(modifier);
      }
      assert.deepEqual(await focusedPlace(), { run: move.to[0], cell: to, inView: true });
    });
  }

  test('the focused row stays drawn when the table is scrolled away, and Down then goes on from it', async () => {
    await page.evaluate(() => window.quillonPage.table.focusCell(0, 2));
    await page.$eval('.table-frame', (frame) => { frame.scrollTop = frame.scrollHeight / 2; });
    await page.waitForFunction(() => document.querySelector('#runsTable tr[data-run="5000"]') !== null);
    assert.equal(await page.evaluate(() => document.activeElement.closest('tr')?.dataset.run), '1');
    await page.keyboard.press('ArrowDown');
    assert.deepEqual(await focusedPlace(), { run: 2, cell: 2, inView: true });
    assert.deepEqual(page.errors, []);
  });
});

// A phone's width in German and English: the opening's Cancel fits in its
// strip and the window, and the uncertainties' progress strip never hides
// a field one goes to, nor the page's last fields.
describe('the progress strips at 360 px', () => {
  const count = 10000;
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  // Runs that all differ, so that their uncertainties take minutes.
  const distinct = Array.from({ length: 1000 }, (_, i) => ({ y1: 0.02 + 1e-6 * i, x1: 0.01,
    gasFlow: [0.5, 1, 2][i % 3], waterFlow: 1, packingHeight: 2 }));
  const file = JSON.parse(ask(['write'], JSON.stringify({ uncertainty: standard, runs: distinct })));
  file.runs = Array.from({ length: count }, (_, i) => file.runs[i % 1000]);
  const text = JSON.stringify(file);
  // Rectangles as [left, top, right, bottom].
  const rectOf = (page, selector) => page.$eval(selector, (element) => {
    const box = element.getBoundingClientRect();
    return [box.left, box.top, box.right, box.bottom];
  });
  const within = (inner, outer) => inner[0] >= outer[0] - 0.5 && inner[1] >= outer[1] - 0.5
    && inner[2] <= outer[2] + 0.5 && inner[3] <= outer[3] + 0.5;

  for (const language of ['de-DE', 'en-US']) {
    test(`in ${language}`, async () => {
      const page = await openPage(browser, server.url, language);
      await page.setViewport({ width: 360, height: 740 });
      await open(page, 'class.quillon', text);
      await page.waitForSelector('#openStatus:not([hidden])', { timeout: 60000 });
      const view = [0, 0, 360, 740];
      const toast = await rectOf(page, '#openStatus');
      for (const part of ['#cancelOpen', '#openProgress', '#openProgressLabel']) {
        const shown = await rectOf(page, part);
        assert.ok(within(shown, toast) && within(shown, view), `${part} ${shown} in ${toast}`);
      }
      await page.waitForFunction((n) => window.quillonPage.runs.size() === n, { timeout: 300000 }, count);
      await page.waitForSelector('#cancelUncertainties:not([hidden])', { timeout: 60000 });
      // Each field of the uncertainties scrolled to the window's bottom and
      // then gone to, as a tap or Tab goes to it.
      const hidden = await page.evaluate(async () => {
        const strip = () => document.getElementById('mcStatus').getBoundingClientRect();
        const under = (box) => box.left < strip().right && strip().left < box.right && box.top < strip().bottom
          && strip().top < box.bottom;
        const found = [];
        for (const field of document.querySelectorAll('#uncertainty input:not(:disabled), #uncertainty select')) {
          window.scrollBy(0, field.getBoundingClientRect().bottom - (innerHeight - 10));
          field.focus();
          await new Promise((resolve) => { requestAnimationFrame(resolve); });
          if (under(field.getBoundingClientRect())) found.push(field.id);
        }
        // At the page's end, no field is left under the strip: scrolled
        // there until the charts in view no longer lengthen the page.
        document.activeElement.blur();
        for (let end = -1; end !== document.documentElement.scrollHeight;) {
          end = document.documentElement.scrollHeight;
          window.scrollTo(0, end);
          await new Promise((resolve) => { setTimeout(resolve, 200); });
        }
        for (const field of document.querySelectorAll('input, select, textarea, button')) {
          let box = field.getBoundingClientRect();
          for (let clip = field.parentElement; clip !== document.body; clip = clip.parentElement) {
            if (getComputedStyle(clip).overflowY === 'visible') continue;
            const edges = clip.getBoundingClientRect();
            box = { left: Math.max(box.left, edges.left), right: Math.min(box.right, edges.right),
              top: Math.max(box.top, edges.top), bottom: Math.min(box.bottom, edges.bottom) };
          }
          if (box.bottom > box.top && box.right > box.left && !field.closest('#mcStatus') && under(box)) {
            found.push(`${field.id || field.tagName} at the end`);
          }
        }
        return found;
      });
      assert.ok(await page.evaluate(() => window.quillonPage.cache.busy()), 'still computing');
      assert.deepEqual(hidden, []);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

// A run's readings with their own uncertainties: the page's U, interval and
// budget are the desktop's, and its Readings… dialog edits them.
describe('the readings\' uncertainties', () => {
  const cli = join(oracle, '..', '..', 'cli', 'quillon-cli');
  const meter = (reading) => ({ reading, unit: 'L/min', temperature_c: 21, pressure_kpa: 99.5 });
  const fileWith = (uncertainty) => JSON.stringify({ format: 'quillon-series', version: 1, flow_unit: 'mol/s',
    runs: [{ y1: 0.02, packing_height: 2, readings: { titration: { sample_volume_ml: 10, acid_molarity: 0.1,
      acid_volume_ml: 12.4, density_g_per_l: 997 }, air_meter: meter(300), water_meter: meter(1), uncertainty } }] });
  const drawn = { burette_ml: 0.02, meter_rel: 0.007, molarity_rel: 0.002 };
  // quillon-cli compute's CSV, without its last column u_mtc_reason: the page's export.
  const computed = (file) => {
    const folder = mkdtempSync(join(tmpdir(), 'quillon-cli-'));
    uploads.push(folder);
    writeFileSync(join(folder, 'run.quillon'), file);
    return execFileSync(cli, ['compute', '--format', 'csv', join(folder, 'run.quillon')]).toString()
      .replace(/,[^,\r\n]*\r\n/g, '\r\n');
  };
  // The export waits for the uncertainties; bounded, so that none fails.
  const exported = async (page) => {
    const folder = mkdtempSync(join(tmpdir(), 'quillon-download-'));
    uploads.push(folder);
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder,
      browserContextId: page.browserContext().id });
    await page.click('#exportCsv');
    const arrived = () => readdirSync(folder).filter((name) => !name.endsWith('.crdownload'));
    for (let i = 0; i < 1200 && arrived().length === 0; ++i) await new Promise((resolve) => setTimeout(resolve, 100));
    assert.equal(arrived().length, 1, 'one file downloaded');
    return readFileSync(join(folder, arrived()[0])).toString();
  };
  const openRun = async (page, file) => {
    await open(page, 'readings.quillon', file);
    await page.waitForFunction(() => window.quillonPage.runs.size() === 1);
  };

  // The budget lists the readings with uncertainties, in the library's
  // order, by the desktop report's names.
  const budget = ['Sample volume (mL)', 'Acid molarity (mol/L)', 'Acid volume (mL)', 'Air meter: reading',
    'Water meter: reading'];
  const languages = [{ language: 'en-US', words: (source) => source },
    { language: 'de-DE', words: (source) => de('Readings', source) }];
  for (const row of languages) {
    test(`the report's budget names the readings in ${row.language}`, async () => {
      const page = await openPage(browser, server.url, row.language);
      await page.evaluate(() => {
        window.printed = 0;
        window.print = () => { window.printed += 1; };
      });
      await openRun(page, fileWith(drawn));
      await page.click('#printReport');
      await page.waitForFunction(() => window.printed === 1, { timeout: 120000 });
      assert.deepEqual(await page.$$eval('#report table.budget tbody tr', (rows) => rows
        .map((line) => line.cells[0].textContent)), budget.map(row.words));
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }

  test('the Readings… dialog edits the uncertainties in %, refuses a negative one, OK is one step, and the page\'s '
    + 'U is quillon-cli\'s',
    async () => {
      const page = await openPage(browser, server.url);
      await openRun(page, fileWith({ meter_rel: 0.007 }));
      await page.waitForFunction(() => window.quillonPage.cache.known.size === 1, { timeout: 60000 });
      await page.click('#runsTable .readings-button');
      await page.waitForSelector('#readings[open]');
      // The file's fraction as a percentage, each field named by its label.
      assert.equal(await page.$eval('#reading-u_meter_rel', (field) => field.value), '0.7');
      assert.equal(await page.$eval('label[for="reading-u_burette_ml"]', (label) => label.textContent),
        'Burette ± (mL):');
      const typeIn = async (id, text) => page.$eval(`#reading-${id}`, (field, value) => { field.value = value; }, text);
      await typeIn('u_thermometer_k', '-0.1');
      await page.focus('#reading-u_thermometer_k');
      await page.keyboard.press('Enter');
      assert.equal(await page.$eval('#readingsGiven', (p) => p.textContent),
        'Type an uncertainty of 0 or more for "Thermometer ± (K)", or leave it empty.');
      assert.ok(await page.$eval('#readings', (dialog) => dialog.open));
      await typeIn('u_thermometer_k', '');
      await typeIn('u_burette_ml', '0.02');
      await typeIn('u_molarity_rel', '0.2');
      await page.keyboard.press('Enter');
      await page.waitForSelector('#readings:not([open])');
      // U and interval as quillon-cli computes them from the readings'
      // uncertainties, which change them.
      const want = computed(fileWith(drawn));
      assert.notEqual(want, computed(fileWith({ meter_rel: 0.007 })));
      assert.equal(await exported(page), want);
      // The changed uncertainties were computed anew; Undo finds the first result.
      const known = () => page.evaluate(() => window.quillonPage.cache.known.size);
      assert.equal(await known(), 2);
      await page.click('#undo');
      assert.equal(await page.evaluate(() => window.quillonPage.runs.canUndo()), false);
      assert.equal(await exported(page), computed(fileWith({ meter_rel: 0.007 })));
      assert.equal(await known(), 2);
      assert.deepEqual(page.errors, []);
      await page.close();
    });
});

// While a class's uncertainties compute, their strip takes its own place
// below the page: no control lies under it, at a phone's width or a
// laptop's, in German or English, after Tab or Ctrl+End; and the keys in
// the runs table show which row they are at.
describe('the uncertainties\' strip and the table\'s current row', () => {
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  const distinct = Array.from({ length: 1000 }, (_, i) => ({ y1: 0.02 + 1e-6 * i, x1: 0.01,
    gasFlow: [0.5, 1, 2][i % 3], waterFlow: 1, packingHeight: 2 }));
  const file = JSON.parse(ask(['write'], JSON.stringify({ uncertainty: standard, runs: distinct })));
  file.runs = Array.from({ length: 3000 }, (_, i) => file.runs[i % 1000]);
  const text = JSON.stringify(file);
  // The controls in view (clipped by the frames they scroll in) that meet
  // the strip, or whose centre is not theirs.
  const covered = (page) => page.evaluate(() => {
    const strip = (document.getElementById('working') ?? document.getElementById('mcStatus')).getBoundingClientRect();
    const found = [];
    for (const control of document.querySelectorAll('main input, main select, main textarea, main button')) {
      let box = control.getBoundingClientRect();
      for (let clip = control.parentElement; clip; clip = clip.parentElement) {
        if (clip !== document.documentElement && getComputedStyle(clip).overflowY === 'visible') continue;
        const edges = clip === document.documentElement ? { left: 0, top: 0, right: innerWidth, bottom: innerHeight }
          : clip.getBoundingClientRect();
        const titles = clip.classList.contains('table-frame') && !control.closest('thead')
          ? document.querySelector('#runsTable thead').getBoundingClientRect().bottom : edges.top;
        box = { left: Math.max(box.left, edges.left), right: Math.min(box.right, edges.right),
          top: Math.max(box.top, edges.top, titles), bottom: Math.min(box.bottom, edges.bottom) };
      }
      if (box.bottom - box.top < 1 || box.right - box.left < 1) continue;
      const meets = box.left < strip.right && strip.left < box.right && box.top < strip.bottom && strip.top < box.bottom;
      const hit = document.elementFromPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
      if (meets || (hit !== control && !control.contains(hit) && !hit?.closest('label'))) {
        found.push(control.id || control.getAttribute('aria-label'));
      }
    }
    return found;
  });
  const places = [
    { name: '360 px, German', language: 'de-DE', width: 360, height: 740 },
    { name: '360 px, English', language: 'en-US', width: 360, height: 740 },
    { name: '1366 px, German', language: 'de-DE', width: 1366, height: 768 },
    { name: '1366 px, English', language: 'en-US', width: 1366, height: 768 },
  ];
  for (const place of places) {
    test(place.name, async () => {
      const page = await openPage(browser, server.url, place.language);
      await page.setViewport({ width: place.width, height: place.height });
      await open(page, 'class.quillon', text);
      await page.waitForFunction(() => window.quillonPage.runs.size() === 3000, { timeout: 300000 });
      await page.waitForSelector('#cancelUncertainties:not([hidden])', { timeout: 60000 });
      const seen = {};
      await page.focus('#seriesTitle');
      await page.keyboard.type('Klasse');
      await page.keyboard.press('Tab');
      seen.afterTab = await covered(page);
      for (const field of ['#y1', '#height', '#u-packingHeight', '#fittedCoefficient']) {
        await page.focus(field);
        seen[field] = await covered(page);
      }
      await page.evaluate(() => window.quillonPage.table.focusCell(0, 2));
      await page.keyboard.down('Control');
      await page.keyboard.press('End');
      await page.keyboard.up('Control');
      seen.ctrlEnd = await covered(page);
      // The current row: marked, and whole below the table's titles.
      await page.evaluate(() => window.quillonPage.table.focusCell(0, 2));
      await page.keyboard.press('PageDown');
      await page.keyboard.press('PageDown');
      const row = await page.evaluate(() => {
        const focused = document.activeElement.closest('tr');
        const other = [...focused.parentElement.rows].find((shown) => shown !== focused && !shown.classList.contains('kept'));
        const look = (shown) => `${getComputedStyle(shown).outlineStyle} ${getComputedStyle(shown.cells[2]).backgroundColor}`;
        return { marked: look(focused) !== look(other),
          below: focused.getBoundingClientRect().top >= document.querySelector('#runsTable thead').getBoundingClientRect().bottom - 0.5 };
      });
      assert.ok(await page.evaluate(() => window.quillonPage.cache.busy()), 'still computing');
      assert.deepEqual(seen, { afterTab: [], '#y1': [], '#height': [], '#u-packingHeight': [], '#fittedCoefficient': [],
        ctrlEnd: [] });
      assert.deepEqual(row, { marked: true, below: true });
      assert.deepEqual(page.errors, []);
      await page.close();
    });
  }
});

// The analysis while a class's uncertainties compute: its waiting line
// counts with the progress, and Cancel gives the fit with the window's
// reason why it is unweighted.
describe('the analysis\' count while the uncertainties compute', () => {
  const standard = { gasFlowRel: 0.02, waterFlowRel: 0.02, y1: 0.0005, x1: 0.0005, packingHeight: 0.005 };
  const runs = Array.from({ length: 1000 }, (_, i) => ({ y1: 0.02 + 1e-6 * i, x1: 0.01,
    gasFlow: [0.5, 1, 2][i % 3], waterFlow: 1, packingHeight: 2 }));
  const file = JSON.parse(ask(['write'], JSON.stringify({ uncertainty: standard, runs })));
  file.runs = Array.from({ length: 3000 }, (_, i) => file.runs[i % 1000]);

  test('the count follows the progress, and Cancel fits unweighted', async () => {
    const page = await openPage(browser, server.url);
    await open(page, 'class.quillon', JSON.stringify(file));
    await page.waitForFunction(() => window.quillonPage.runs.size() === 3000, { timeout: 300000 });
    await page.waitForSelector('#cancelUncertainties:not([hidden])', { timeout: 60000 });
    // The line's count beside the bar's, read in one frame, until two differ.
    const seen = [];
    while (new Set(seen.map(([line]) => line)).size < 2 && seen.length < 100) {
      seen.push(await page.evaluate(async () => {
        await new Promise((resolve) => { setTimeout(resolve, 300); });
        const line = document.querySelector('#fitText p')?.textContent ?? '';
        return [Number(line.match(/: (\d+) of 3000 runs done/)?.[1] ?? -1),
          document.getElementById('mcProgress').value];
      }));
    }
    const counts = new Set(seen.map(([line]) => line));
    assert.ok(counts.size >= 2 && !counts.has(-1), JSON.stringify(seen));
    for (const [line, bar] of seen) assert.ok(Math.abs(line - bar) <= 4, `${line} against ${bar}`);
    await page.click('#cancelUncertainties');
    await page.waitForFunction(() => /Unweighted because run \d+ and \d+ more runs have no uncertainty/
      .test(document.getElementById('unweightedReason').textContent), { timeout: 30000 });
    assert.match(await page.$eval('#fitText', (text) => text.textContent), /MTC = a/);
    assert.deepEqual(page.errors, []);
    await page.close();
  });
});

// The printed report on A4 portrait: a readings run's inputs and the column
// temperature beside the runs, every cell's text apart from the others',
// inside the report's width, and no word broken over two lines.
describe('the printed report\'s tables on A4', () => {
  const meter = (reading) => ({ reading, unit: 'L/min', temperature_c: 21, pressure_kpa: 99.5 });
  const written = JSON.stringify({ format: 'quillon-series', version: 1, flow_unit: 'mol/s',
    equilibrium: { at: 'run_temperature', van_t_hoff_k: 4200 }, runs: [
      { y1: 0.029, packing_height: 1, temperature: 21, label: 'Gruppe 3 morning', readings: { titration: {
        sample_volume_ml: 10, acid_molarity: 0.1, acid_volume_ml: 12.4, density_g_per_l: 997 },
      air_meter: meter(300), water_meter: meter(1) } },
      ...[[0.012745, 1.38, 20.5], [0.016297, 1.84, 4], [0.020656, 2.3, 60], [0.0066247, 0.92, undefined]]
        .map(([x1, gasFlow, temperature]) => ({ y1: 0.029, x1, gas_flow: gasFlow, water_flow: 2.2,
          packing_height: 1, temperature })),
    ] });
  const languages = [['en-US', (context, source) => source], ['de-DE', de]];
  // A4's width less its margins, in CSS pixels.
  const width = Math.round((180 * 96) / 25.4);

  for (const [language, words] of languages) {
    test(`in ${language}, no cell's text over another's, none past the report's width, no word broken`,
      async () => {
        const page = await openPage(browser, server.url, language);
        await page.evaluate(() => { window.print = () => {}; });
        await open(page, 'readings.quillon', written);
        await page.waitForFunction(() => window.quillonPage.runs.size() === 5);
        await page.click('#printReport');
        await page.waitForSelector('#report table.runs');
        await page.setViewport({ width: width + 16, height: 1100 });
        await page.emulateMediaType('print');
        const laid = await page.$eval('#report', (report) => {
          const bounds = report.getBoundingClientRect();
          const cells = [...report.querySelectorAll('table.runs, table.beside')].flatMap((table) =>
            [...table.querySelectorAll('th, td')].filter((cell) => cell.textContent.trim() !== '').map((cell) => {
              const whole = document.createRange();
              whole.selectNodeContents(cell);
              const broken = [];
              for (const node of cell.childNodes) {
                for (const word of node.textContent.matchAll(/\S+/g)) {
                  const range = document.createRange();
                  range.setStart(node, word.index);
                  range.setEnd(node, word.index + word[0].length);
                  const lines = new Set([...range.getClientRects()].map((rect) => Math.round(rect.top)));
                  if (lines.size > 1) broken.push(word[0]);
                }
              }
              const { left, right, top, bottom } = whole.getBoundingClientRect();
              return { text: cell.textContent, table: table.className, left, right, top, bottom, broken };
            }));
          return { left: bounds.left, right: bounds.right, cells };
        });
        assert.ok(laid.right - laid.left <= width + 1, `${laid.right - laid.left}`);
        const over = [];
        laid.cells.forEach((one, at) => laid.cells.slice(at + 1).forEach((other) => {
          if (one.left < other.right && other.left < one.right && one.top < other.bottom && other.top < one.bottom) {
            over.push(`${one.text} / ${other.text}`);
          }
        }));
        assert.deepEqual(over, []);
        assert.deepEqual(laid.cells.filter((cell) => cell.left < laid.left - 0.5 || cell.right > laid.right + 0.5)
          .map((cell) => cell.text), []);
        assert.deepEqual(laid.cells.flatMap((cell) => cell.broken), []);
        // The readings run's x1 as the runs table shows an input the readings give, the typed y1 as typed.
        const first = await page.$$eval('#report table.runs tbody tr:first-child td', (row) =>
          row.map((cell) => cell.textContent));
        const point = language === 'de-DE' ? ',' : '.';
        assert.equal(first[2], `0${point}029`);
        assert.equal(first[3], `0${point}0022403`);
        // The temperature beside, with its title in the report's words.
        const beside = await page.$$eval('#report table.beside th', (titles) => titles.map((th) => th.textContent));
        assert.equal(beside[1], words('Web', 'T (°C)'));
        assert.deepEqual(page.errors, []);
        await page.close();
      });
  }
});
