// The coefficient against one flow on log–log axes, as the desktop draws
// it: decade ticks, a marker style per value of the other flow, hollow
// markers for runs the fit does not take, error bars of ± U (k = 2), and
// the fitted law as a line per group. SVG, sized in hundredths of the
// chart's height as the desktop's painter is.
import { locale, tr } from './i18n.js';
import { decimalPoint, significantText } from './numbers.js';

const width = 560;
const height = 380;
const unit = height / 100;
const margin = { left: 17, right: 4, top: 3, bottom: 16 };
const legendHeight = 5;
const colours = ['#000080', '#c83c00', '#008000', '#800080', '#0080a0', '#785a00'];
const shapes = ['circle', 'square', 'triangleUp', 'diamond', 'triangleDown', 'cross'];
const t = (source, ...args) => tr('SeriesChart', source, ...args);
const svgNs = 'http://www.w3.org/2000/svg';

function element(name, attributes, parent) {
  const made = document.createElementNS(svgNs, name);
  for (const [key, value] of Object.entries(attributes)) made.setAttribute(key, String(value));
  parent?.append(made);
  return made;
}

// Whole decades from the one at or below the smallest positive value to
// the one at or above the largest, at least one wide.
export function decadesOf(values) {
  const shown = values.filter((value) => value > 0 && Number.isFinite(value));
  if (shown.length === 0) return { low: 0, high: 1 };
  const low = Math.floor(Math.log10(Math.min(...shown)));
  const high = Math.ceil(Math.log10(Math.max(...shown)));
  return { low, high: high > low ? high : low + 1 };
}

// 0.001, …, 1, …, 10000, and 1e-5 or 1e+5 beyond.
export function decadeText(power) {
  if (power < -4 || power > 4) return `1e${power < 0 ? '-' : '+'}${Math.abs(power)}`;
  if (power < 0) return `0${decimalPoint(locale)}${'0'.repeat(-power - 1)}1`;
  return `1${'0'.repeat(power)}`;
}

function marker(parent, x, y, r, shape, colour, filled) {
  const style = { stroke: colour, 'stroke-width': unit * 0.45, fill: filled ? colour : '#fff' };
  const points = (list) => list.map(([dx, dy]) => `${x + dx * r},${y + dy * r}`).join(' ');
  switch (shape) {
    case 'circle': return element('circle', { cx: x, cy: y, r, ...style }, parent);
    case 'square': return element('rect', { x: x - r * 0.85, y: y - r * 0.85, width: r * 1.7, height: r * 1.7, ...style },
      parent);
    case 'triangleUp': return element('polygon', { points: points([[0, -1.15], [1, 0.7], [-1, 0.7]]), ...style }, parent);
    case 'triangleDown': return element('polygon', { points: points([[0, 1.15], [1, -0.7], [-1, -0.7]]), ...style },
      parent);
    case 'diamond': return element('polygon', { points: points([[0, -1.2], [1.2, 0], [0, 1.2], [-1.2, 0]]), ...style },
      parent);
    default: return element('path', { d: `M${x - r},${y - r}L${x + r},${y + r}M${x - r},${y + r}L${x + r},${y - r}`,
      ...style }, parent);
  }
}

function text(parent, x, y, content, attributes = {}) {
  element('text', { x, y, 'font-size': unit * 3.3, ...attributes }, parent).textContent = content;
}

const withUnit = (name, flowUnit) => (flowUnit === '' ? name : t('%1 (%2)', name, flowUnit));

// The fitted coefficient at the flows.
function fitted(law, gasFlow, waterFlow) {
  let value = law.prefactor.value;
  if (law.gasExponent) value *= gasFlow ** law.gasExponent.value;
  if (law.waterExponent) value *= waterFlow ** law.waterExponent.value;
  return value;
}

// One chart as an SVG element; `against` is 'gasFlow' or 'waterFlow'.
export function coefficientChart(quillon, analysis, against, flowUnit) {
  const other = against === 'gasFlow' ? 'waterFlow' : 'gasFlow';
  const drawable = (run) => [run.gasFlow, run.waterFlow, run.mtc].every((v) => v > 0 && Number.isFinite(v));
  const runs = analysis.runs.filter(drawable);
  const bar = (run) => (run.uMtc > 0 ? [run.mtc - quillon.coverageFactor * run.uMtc,
    run.mtc + quillon.coverageFactor * run.uMtc] : null);
  const groups = quillon.distinctFlows(runs.map((run) => run[other]));
  const groupOf = (flow) => Math.max(0, groups.findIndex((group) => quillon.sameFlow(group, flow)));

  const svg = element('svg', { viewBox: `0 0 ${width} ${height}`, role: 'img', class: 'chart' });
  const legend = groups.map((flow, g) => ({ text: t('%1 = %2', t(against === 'gasFlow' ? 'L' : 'G'),
    significantText(flow, 6, locale)), colour: colours[g % 6], shape: shapes[g % 6], filled: true }));
  if (runs.some((run) => !run.used)) legend.push({ text: t('not in the fit'), colour: '#000', shape: 'circle', filled: false });
  // The legend above the plot, wrapped at about the characters that fit.
  let left = margin.left * unit;
  let line = 0;
  for (const entry of legend) {
    const entryWidth = unit * (1.4 * 2 + 0.8) + entry.text.length * unit * 1.8;
    if (left > margin.left * unit && left + entryWidth > width - margin.right * unit) {
      left = margin.left * unit;
      line += 1;
    }
    const middle = unit * (margin.top + (line + 0.5) * legendHeight);
    marker(svg, left + unit * 1.4, middle, unit * 1.4, entry.shape, entry.colour, entry.filled);
    text(svg, left + unit * 3.6, middle + unit * 1.1, entry.text);
    left += entryWidth + unit * 2.2;
  }
  const top = unit * (margin.top + (line + 1) * legendHeight);
  const plot = { left: margin.left * unit, top, right: width - margin.right * unit, bottom: height - margin.bottom * unit };
  const xs = decadesOf(runs.map((run) => run[against]));
  const ys = decadesOf(runs.flatMap((run) => [run.mtc, ...(bar(run) ?? [])]));
  const at = (x, y) => [plot.left + (Math.log10(x) - xs.low) / (xs.high - xs.low) * (plot.right - plot.left),
    plot.bottom - (Math.log10(y) - ys.low) / (ys.high - ys.low) * (plot.bottom - plot.top)];

  // Grid, ticks and their labels; labels between the decades too when the
  // axis spans only one.
  const labelled = (decades, factor) => factor === 1 || (decades.high - decades.low === 1 && (factor === 2 || factor === 5));
  const label = (power, factor) => (factor === 1 ? decadeText(power) : significantText(factor * 10 ** power, 6, locale));
  for (const [decades, horizontal] of [[xs, true], [ys, false]]) {
    for (let power = decades.low; power <= decades.high; ++power) {
      for (let factor = 1; factor <= (power < decades.high ? 9 : 1); ++factor) {
        const value = factor * 10 ** power;
        const major = factor === 1;
        const tick = unit * (major ? 1.2 : 0.7);
        const grid = { stroke: major ? '#c8c8c8' : '#ebebeb', 'stroke-width': unit * 0.15 };
        if (horizontal) {
          const [x] = at(value, 10 ** ys.low);
          element('line', { x1: x, y1: plot.top, x2: x, y2: plot.bottom, ...grid }, svg);
          element('line', { x1: x, y1: plot.bottom, x2: x, y2: plot.bottom + tick, stroke: '#000', 'stroke-width': unit * 0.3 }, svg);
          if (labelled(decades, factor)) text(svg, x, plot.bottom + unit * 5.5, label(power, factor), { 'text-anchor': 'middle' });
        } else {
          const [, y] = at(10 ** xs.low, value);
          element('line', { x1: plot.left, y1: y, x2: plot.right, y2: y, ...grid }, svg);
          element('line', { x1: plot.left - tick, y1: y, x2: plot.left, y2: y, stroke: '#000', 'stroke-width': unit * 0.3 }, svg);
          if (labelled(decades, factor)) {
            text(svg, plot.left - unit * 2, y + unit * 1.1, label(power, factor), { 'text-anchor': 'end' });
          }
        }
      }
    }
  }
  element('rect', { x: plot.left, y: plot.top, width: plot.right - plot.left, height: plot.bottom - plot.top,
    fill: 'none', stroke: '#000', 'stroke-width': unit * 0.3 }, svg);
  const coefficientUnit = flowUnit === '' ? '' : t('%1/m³', flowUnit);
  text(svg, (plot.left + plot.right) / 2, height - unit * 4,
    withUnit(t(against === 'gasFlow' ? 'Gas flow G' : 'Water flow L'), flowUnit), { 'text-anchor': 'middle' });
  const middle = (plot.top + plot.bottom) / 2;
  text(svg, unit * 4, middle, withUnit(t('Mass-transfer coefficient'), coefficientUnit),
    { 'text-anchor': 'middle', transform: `rotate(-90 ${unit * 4} ${middle})` });

  const clip = element('clipPath', { id: `clip-${against}` }, svg);
  element('rect', { x: plot.left - unit * 3, y: plot.top - unit * 3, width: plot.right - plot.left + unit * 6,
    height: plot.bottom - plot.top + unit * 6 }, clip);
  const inside = element('g', { 'clip-path': `url(#clip-${against})` }, svg);
  // The fitted law through each group, over the flows the group spans, and
  // only where the law has an exponent for this axis.
  const law = analysis.fit.reason === undefined ? analysis.fit : null;
  if (law && (against === 'gasFlow' ? law.gasExponent : law.waterExponent)) {
    groups.forEach((group, g) => {
      const span = runs.filter((run) => groupOf(run[other]) === g).map((run) => run[against]);
      const low = Math.min(...span);
      const high = Math.max(...span);
      if (!(high > low)) return;
      const value = (x) => (against === 'gasFlow' ? fitted(law, x, group) : fitted(law, group, x));
      const [x1, y1] = at(low, value(low));
      const [x2, y2] = at(high, value(high));
      element('line', { x1, y1, x2, y2, stroke: colours[g % 6], 'stroke-width': unit * 0.45, class: 'fit-line' }, inside);
    });
  }
  for (const run of runs) {
    const g = groupOf(run[other]);
    const [x, y] = at(run[against], run.mtc);
    const ends = bar(run);
    if (ends) {
      // An end at or below 0 is off the axis: the bar runs to its edge.
      const [, high] = at(run[against], ends[1]);
      const low = ends[0] > 0 ? at(run[against], ends[0])[1] : plot.bottom;
      const stroke = { stroke: colours[g % 6], 'stroke-width': unit * 0.45 };
      element('path', { d: `M${x},${high}V${low}M${x - unit * 0.8},${high}h${unit * 1.6}M${x - unit * 0.8},${low}` +
        `h${unit * 1.6}`, ...stroke, fill: 'none', class: 'error-bar' }, inside);
    }
    marker(inside, x, y, unit * 1.4, shapes[g % 6], colours[g % 6], run.used).classList.add('run-marker');
  }
  return svg;
}
