// What every chart of the page shares: its colours, its datasets' and axes'
// making, its legend in the page, and when it is redrawn.

// The page's colours, read once per colour scheme: reading a computed style
// after the page changed would make the browser lay it out again.
export function createTheme() {
  let cache = {};
  return {
    css(name) {
      if (!(name in cache))
        cache[name] = getComputedStyle(document.documentElement).getPropertyValue(name).trim();
      return cache[name];
    },
    forget() { cache = {}; },
  };
}

export const palette = ['--c-blue', '--c-orange', '--c-purple', '--c-green', '--c-pink', '--c-olive'];

// A colour (#rrggbb) made faint, for the curves of the c before.
export function faint(colour) {
  const [r, g, b] = colour.match(/[0-9a-f]{2}/gi).map((h) => parseInt(h, 16));
  return `rgba(${r}, ${g}, ${b}, 0.4)`;
}

// During a run, charts out of view are redrawn right after the page is
// painted rather than before: the run paints what is in view first, and the
// rest follows before anyone can scroll to it.
export function createPainter() {
  const inView = new Map();   // by chart, as an IntersectionObserver last said
  const due = new Set();
  let running = false;        // a run is on its way to its paint
  return {
    redraw(chart) {
      if (running && inView.get(chart) === false) {
        due.add(chart);
        return;
      }
      chart.update('none');
    },
    runStarts() { running = true; },
    runPainted() {
      running = false;
      due.forEach((chart) => chart.update('none'));
      due.clear();
    },
    watch(charts) {
      const byCanvas = new Map(charts.map((chart) => [chart.canvas, chart]));
      const observer = new IntersectionObserver((entries) => entries.forEach((entry) => {
        inView.set(byCanvas.get(entry.target), entry.isIntersecting);
      }));
      byCanvas.forEach((chart, canvas) => observer.observe(canvas));
    },
  };
}

export function dataset(chart, key) {
  return chart.data.datasets.find((d) => d.key === key);
}

export function line(key, colour, extra) {
  return Object.assign({ key, data: [], borderColor: colour, backgroundColor: colour,
    showLine: true, pointRadius: 0, borderWidth: 2.5, fill: false }, extra);
}

export function point(key, extra) {
  return Object.assign({ key, data: [], pointRadius: 6, showLine: false }, extra);
}

// Column i against column j of the rows, as chart points: every third row
// (and the last), as the charts cannot show more.
export function points(rows, i, j) {
  return rows.filter((_, k) => k % 3 === 0 || k === rows.length - 1)
    .map((fields) => ({ x: Number(fields[i]), y: Number(fields[j]) }));
}

// Volumes from `from` to `to`, evenly spaced on a linear and on a log axis
// both, so that a curve drawn through them is smooth on either; `extra`
// volumes are added where the curve must pass exactly.
export function volumes(from, to, count, extra = []) {
  const vs = [];
  for (let k = 0; k <= count; k++) {
    vs.push(from + (to - from) * k / count);
    vs.push(from * Math.pow(to / from, k / count));
  }
  return vs.concat(extra.filter((v) => v >= from && v <= to)).sort((a, b) => a - b);
}

export function chartOptions(x, y) {
  return {
    animation: false, responsive: true, maintainAspectRatio: false, parsing: false,
    normalized: true, events: ['click'],
    plugins: { legend: { display: false }, tooltip: { enabled: false },
      // A point above the axes' text, which grows while presenting.
      title: { display: true, font: () => ({ size: Chart.defaults.font.size + 1, weight: '600' }) } },
    scales: { x, y },
  };
}

// A linear axis whose labels are the nice values inside it, never its bare
// ends (which crowd the next label).
export function axis(extra) {
  return Object.assign({ title: { display: true }, ticks: { includeBounds: false } }, extra);
}

// The table's temperatures, 0.5 to 1.
export function tAxis() {
  return axis({ min: 0.5, max: 1 });
}

// A log axis with labels at 1, 2, 5 times the powers of ten, or finer steps
// where the range is narrow, so that at least four are shown.
export function logAxis(extra) {
  return axis(Object.assign({ type: 'logarithmic', afterBuildTicks: roundTicks(1, true),
    ticks: { autoSkip: true, maxRotation: 0, callback: (v) => String(Number(v.toPrecision(3))) } }, extra));
}

// An axis's ticks at round numbers of the unit its labels show, where one
// reduced unit is `factor` of it: a log axis's as above, a linear one's in
// steps of 1, 2 or 5 times a power of ten, about as many as the chart
// library chose and never fewer than four. A linear axis in reduced units
// keeps the library's own where it gave four or more.
export function roundTicks(factor, log) {
  return (scale) => {
    const low = scale.min * factor, high = scale.max * factor;
    const many = scale.ticks.length;
    if (!log && factor === 1 && many >= 4)
      return;
    const values = log ? apart(scale, logTicks(low, high), low, high) :
      linearTicks(low, high, Math.max(4, Math.min(many, 8) - 1));
    scale.ticks = values.map((value) => ({ value: value / factor }));
  };
}

// Of a log axis's ticks from low to high, those whose labels do not overlap
// on it: 1, 2 and 5 times a power of ten first, then the others in order
// where there is room (0.7, 0.8 and 0.9 crowd each other on a short axis).
function apart(scale, values, low, high) {
  const length = scale.isHorizontal() ? scale.width : scale.height;
  if (!(length > 0) || values.length < 2)
    return values;
  const at = (v) => length * Math.log(v / low) / Math.log(high / low);
  const longest = Math.max(...values.map((v) => String(Number(v.toPrecision(3))).length));
  const room = scale.isHorizontal() ? longest * 10 + 10 : 22;
  const rank = (v) => {
    const m = Number((v / Math.pow(10, Math.floor(Math.log10(v) + 1e-9))).toPrecision(6));
    return m === 1 ? 0 : m === 2 || m === 5 ? 1 : 2;
  };
  const kept = [];
  [0, 1, 2].forEach((r) => values.filter((v) => rank(v) === r).forEach((v) => {
    if (kept.length === 0 || kept.every((w) => Math.abs(at(v) - at(w)) >= room))
      kept.push(v);
  }));
  return kept.sort((a, b) => a - b);
}

// The multiples of the largest step of 1, 2 or 5 times a power of ten that
// puts at least `least` of them strictly between low and high.
function linearTicks(low, high, least) {
  const within = (step) => {
    const ticks = [];
    for (let k = Math.floor(low / step) + 1; k * step < high; k++)
      ticks.push(Number((k * step).toPrecision(12)));
    return ticks;
  };
  for (let power = Math.ceil(Math.log10(high - low)); power > -300; power--)
    for (const m of [5, 2, 1]) {
      const ticks = within(m * Math.pow(10, power));
      if (ticks.length >= least)
        return ticks;
    }
  return [];
}

function logTicks(min, max) {
  const mantissas = [[1], [1, 2, 5], [1, 1.5, 2, 3, 4, 5, 6, 7, 8, 9],
    Array.from({ length: 90 }, (_, k) => 1 + k / 10)];
  let ticks = [];
  for (const list of mantissas) {
    ticks = [];
    for (let power = Math.floor(Math.log10(min)); power <= Math.ceil(Math.log10(max)); power++)
      list.forEach((m) => {
        const value = Number((m * Math.pow(10, power)).toPrecision(6));
        if (value >= min && value <= max)
          ticks.push(value);
      });
    if (ticks.length >= 4)
      break;
  }
  return ticks;
}

// A dataset's label and colour.
export function label(chart, key, text, colour) {
  const d = dataset(chart, key);
  d.label = text;
  d.borderColor = colour;
  d.backgroundColor = colour;
}

// A chart's title, axis titles and labels in the page's colours, language
// and units; `titles` are the chart's, the x axis's and the y axis's.
function styleChart(name, chart, titles, theme, units) {
  const text = theme.css('--text');
  const o = chart.options;
  o.color = text;
  o.plugins.title.text = titles[0];
  o.plugins.title.color = text;
  [['x', 1], ['y', 2]].forEach(([id, k]) => {
    const q = units.axisQuantity(name, id);
    const log = o.scales[id].type === 'logarithmic';
    o.scales[id].title.text = units.axisTitle(titles[k], q, units.axisUnit(q, 1).unit);
    o.scales[id].title.color = text;
    o.scales[id].ticks.color = text;
    // The unit is chosen once the axis's range is known, and named in its
    // title; the axis may turn log or linear later (the Maxwell chart's).
    const unitOf = (scale) => units.axisUnit(q, Math.max(Math.abs(scale.min), Math.abs(scale.max)));
    o.scales[id].ticks.callback = function label(value) {
      return units.tickLabel(unitOf(this).factor, this.type === 'logarithmic')(value);
    };
    o.scales[id].afterBuildTicks = (scale) => {
      const { unit, factor } = unitOf(scale);
      scale.options.title.text = units.axisTitle(titles[k], q, unit);
      roundTicks(factor, scale.type === 'logarithmic')(scale);
    };
    if (!o.scales[id].grid)
      o.scales[id].grid = {};
    o.scales[id].grid.color = theme.css('--grid');
  });
}

// The charts named in `only` (every one where none is), by name, styled and
// drawn again with their legends; `titles` by name.
export function styleCharts(charts, titles, only, { theme, painter, units }) {
  Object.entries(charts).forEach(([name, chart]) => {
    if (Array.isArray(only) && !only.includes(name))
      return;
    styleChart(name, chart, titles[name], theme, units);
    painter.redraw(chart);
    legend(name, chart);
  });
}

// The datasets a legend names: those drawn, the first of each label.
export function legendItems(chart) {
  const seen = new Set();
  return chart.data.datasets.filter((d) => drawn(chart, d) && !seen.has(d.label) && seen.add(d.label));
}

// Whether a dataset is drawn: its points, or for a mark of the chosen t
// (marks.js), the mark's.
export function drawn(chart, d) {
  if (!d.mark)
    return d.data.length > 0;
  const item = (chart.$marks || []).find((m) => m.key === d.key);
  return Boolean(item && item.points.length);
}

// A legend in the page, below its chart: it wraps to fit any screen, and each
// swatch draws the line as the chart does (solid, dashed, dotted, a point, a
// diamond or a filled area). It names what is drawn, each label once: it is
// made again whenever what a chart draws changes.
export function legend(name, chart) {
  const list = document.getElementById(name + '-legend');
  if (!list)
    return;
  const html = legendItems(chart).map((d) => {
    let swatch;
    if (d.fill)
      swatch = `<rect x="2" y="2" width="32" height="10" fill="${d.backgroundColor}"/>`;
    else if (d.showLine === false && d.pointStyle === 'rectRot')
      swatch = `<path d="M18 1 L24 7 L18 13 L12 7 Z" fill="${d.backgroundColor}"/>`;
    else if (d.showLine === false)
      swatch = `<circle cx="18" cy="7" r="5" fill="${d.backgroundColor}"/>`;
    else
      swatch = `<line x1="1" y1="7" x2="35" y2="7" stroke="${d.borderColor}" stroke-width="${Math.max(2, d.borderWidth)}"` +
        (d.borderDash ? ` stroke-dasharray="${d.borderDash.join(' ')}"` : '') + '/>';
    return `<li><svg width="36" height="14" aria-hidden="true">${swatch}</svg>${d.label}</li>`;
  }).join('');
  if (list.dataset.html !== html) {
    list.innerHTML = html;
    list.dataset.html = html;
  }
}
