// The model against nature: the coexistence curve in corresponding states
// (rho/rho_c against T/Tc) beside Guggenheim's law for the simple fluids,
// with both diameters; the critical exponent from the rows nearest t = 1 on
// log scales; Clapeyron's two slopes at every row; and the numbers that say
// how far the model is from real fluids; the eight substances' measured
// curves beside the model's, on the corresponding-states chart and the
// reduced vapour pressure's, and their numbers in a table. Every number
// comes from the program; this only draws.
import { axis, chartOptions, dataset, label, legend, line, logAxis, palette, point, styleCharts } from './charting.js';
import { byId, setList } from './dom.js';
import { setMarks } from './marks.js';
import { EQUATIONS } from './model.js';

// The other equations beside the model on the chosen substance's charts,
// each in a colour and a dash of its own.
const OTHERS = EQUATIONS.slice(1);
const OTHER_STYLE = { rk: ['--c-purple', [2, 3]], srk: ['--c-olive', [10, 3, 2, 3]], pr: ['--text', [12, 4]] };

export function createNatureView(model, { theme, painter, units, frames }) {
  const state = model.state;
  const tr = model.tr;
  const charts = {};
  let made = false;
  let nature = null;  // the program's, once loaded
  let fluids = [];    // the substances' measured curves and numbers
  let siCurves = null;  // the chosen substance's SI curves for the last run
  const fluidKeys = () => model.substances().map((s) => s.key);

  function makeCharts() {
    charts.states = new Chart(byId('states'), { type: 'scatter', data: { datasets: [
      line('model-liquid', '', { borderWidth: 3 }), line('model-gas', '', { borderWidth: 3 }),
      line('model-diameter', '', { borderDash: [8, 4] }),
      line('guggenheim-liquid', '', { borderWidth: 3, borderDash: [2, 3] }),
      line('guggenheim-gas', '', { borderWidth: 3, borderDash: [2, 3] }),
      line('guggenheim-diameter', '', { borderDash: [2, 6] }),
      point('chosen-states', { pointRadius: 6, mark: true }),
      ...fluidKeys().flatMap((key) => [line(`fluid-${key}-liquid`, '', { borderWidth: 1.5 }),
        line(`fluid-${key}-vapour`, '', { borderWidth: 1.5 })]),
    ] }, options: chartOptions(axis({ min: 0 }), axis({})) });
    charts.vapour = new Chart(byId('vapour'), { type: 'scatter', data: { datasets: [
      line('model-vapour', '', { borderWidth: 3 }),
      line('acentric-line', '', { borderWidth: 1, borderDash: [4, 4] }),
      point('chosen-vapour', { pointRadius: 6, mark: true }),
      ...fluidKeys().map((key) => line(`fluid-${key}-pressure`, '', { borderWidth: 1.5 })),
    ] }, options: chartOptions(axis({ min: 1 }), logAxis({})) });
    charts.exponent = new Chart(byId('exponent'), { type: 'scatter', data: { datasets: [
      line('model-width', '', { borderWidth: 3, pointRadius: 4 }),
      line('guggenheim-width', '', { borderWidth: 3, borderDash: [2, 3], pointRadius: 4 }),
      line('fluid-width', '', { borderWidth: 2, pointRadius: 3 }),
      point('chosen-width', { pointRadius: 6, mark: true }),
    ] }, options: chartOptions(logAxis({}), logAxis({})) });
    charts.clapeyron = new Chart(byId('clapeyron'), { type: 'scatter', data: { datasets: [
      line('slope-from-p', '', { borderWidth: 4 }),
      line('slope-from-latent', '', { borderWidth: 2, borderDash: [6, 4] }),
      point('chosen-slope', { pointRadius: 6, mark: true }),
    ] }, options: chartOptions(axis({}), axis({})) });
    // The chosen substance in SI units, the model beside its measured curves.
    for (const [name, y] of [['nature-pressure', logAxis({})], ['nature-density', axis({ min: 0 })],
      ['nature-latent', axis({ min: 0 })]]) {
      const parts = name === 'nature-density' ? ['liquid', 'vapour'] : ['one'];
      charts[name] = new Chart(byId(name), { type: 'scatter', data: { datasets: [
        ...parts.map((part) => line(`model-${part}`, '', { borderWidth: 3 })),
        ...parts.map((part) => line(`measured-${part}`, '', { borderWidth: 2, borderDash: [6, 3] })),
        ...OTHERS.flatMap((key) => parts.map((part) => line(`eos-${key}-${part}`, '',
          { borderWidth: 2, borderDash: OTHER_STYLE[key][1] }))),
        point(`chosen-${name}`, { pointRadius: 6, mark: true }),
      ] }, options: chartOptions(axis({}), y) });
    }
  }

  function restyle() {
    if (!made)
      return;
    const colour = (k) => theme.css(palette[k % palette.length]);
    const s = charts.states;
    // The model in one colour on every chart of the section, and each
    // substance in one of the others (dashed after the first five).
    label(s, 'model-liquid', tr('natureModel'), colour(0));
    label(s, 'model-gas', tr('natureModel'), colour(0));
    label(s, 'model-diameter', tr('natureModelDiameter'), colour(0));
    label(s, 'guggenheim-liquid', tr('natureGuggenheim'), theme.css('--text'));
    label(s, 'guggenheim-gas', tr('natureGuggenheim'), theme.css('--text'));
    label(s, 'guggenheim-diameter', tr('natureGuggenheimDiameter'), theme.css('--text'));
    label(s, 'chosen-states', tr('chosenT'), theme.css('--c-red'));
    label(charts.exponent, 'model-width', tr('natureModelWidth'), colour(0));
    label(charts.exponent, 'guggenheim-width', tr('natureGuggenheimWidth'), theme.css('--text'));
    label(charts.clapeyron, 'slope-from-p', tr('natureSlopeFromP'), colour(3));
    label(charts.clapeyron, 'slope-from-latent', tr('natureSlopeFromLatent'), colour(4));
    const fluidColour = (k) => colour(1 + (k % 5));
    label(charts.exponent, 'fluid-width', state.fluid >= 0 ? fluidName(state.fluid) : '', fluidColour(state.fluid));
    dataset(charts.exponent, 'fluid-width').borderDash = state.fluid >= 5 ? [6, 3] : undefined;
    label(charts.exponent, 'chosen-width', tr('chosenT'), theme.css('--c-red'));
    label(charts.clapeyron, 'chosen-slope', tr('chosenT'), theme.css('--c-red'));
    for (const name of ['nature-pressure', 'nature-density', 'nature-latent']) {
      const chart = charts[name];
      const parts = name === 'nature-density' ? [['liquid', 'natureLiquid'], ['vapour', 'natureVapour']] : [['one', '']];
      parts.forEach(([part, what], k) => {
        label(chart, `model-${part}`, tr('natureModel') + (what ? ', ' + tr(what) : ''), colour(k));
        label(chart, `measured-${part}`, tr('natureMeasured') + (what ? ', ' + tr(what) : ''), colour(k + 3));
      });
      label(chart, `chosen-${name}`, tr('chosenT'), theme.css('--c-red'));
      for (const key of OTHERS)
        parts.forEach(([part, what]) => label(chart, `eos-${key}-${part}`, model.equationName(key) +
          (what ? ', ' + tr(what) : ''), theme.css(OTHER_STYLE[key][0])));
    }
    label(charts.vapour, 'model-vapour', tr('natureModel'), colour(0));
    label(charts.vapour, 'acentric-line', tr('natureAcentricLine'), theme.css('--text'));
    label(charts.vapour, 'chosen-vapour', tr('chosenT'), theme.css('--c-red'));
    // Each substance in a colour of its own; the chosen one drawn bolder.
    fluidKeys().forEach((key, k) => {
      const name = fluidName(k), bold = k === state.fluid ? 3.5 : 1.5;
      for (const [chart, part] of [[s, 'liquid'], [s, 'vapour'], [charts.vapour, 'pressure']]) {
        label(chart, `fluid-${key}-${part}`, name, fluidColour(k));
        dataset(chart, `fluid-${key}-${part}`).borderWidth = bold;
        dataset(chart, `fluid-${key}-${part}`).borderDash = k >= 5 ? [6, 3] : undefined;
      }
    });
    styleCharts(charts, {
      states: [tr('natureStatesChart'), tr('natureDensityAxis'), tr('natureTAxis')],
      exponent: [tr('natureExponentChart'), tr('natureBelowAxis'), tr('natureWidthAxis')],
      clapeyron: [tr('natureClapeyronChart'), tr('natureTAxis'), tr('natureSlopeAxis')],
      vapour: [tr('natureVapourChart'), tr('natureInverseTAxis'), tr('naturePressureAxis')],
      'nature-pressure': [tr('natureSiPressureChart'), 'T (K)', 'p (kPa)'],
      'nature-density': [tr('natureSiDensityChart'), 'T (K)', 'ρ (kg/m³)'],
      'nature-latent': [tr('natureSiLatentChart'), 'T (K)', tr('natureLatentAxis')],
    }, null, { theme, painter, units });
    if (nature)
      draw();
  }

  const fluidName = (k) => model.fluidName(k);

  function draw() {
    if (!made || !model.ready())
      return;
    if (!nature)
      nature = model.againstNature();
    const rows = nature.rows;
    const curve = (x, y) => rows.map((r) => ({ x: r[x], y: r[y] }));
    dataset(charts.states, 'model-liquid').data = curve('liquid', 't');
    dataset(charts.states, 'model-gas').data = curve('gas', 't');
    dataset(charts.states, 'model-diameter').data = curve('diameter', 't');
    dataset(charts.states, 'guggenheim-liquid').data = curve('guggenheimLiquid', 't');
    dataset(charts.states, 'guggenheim-gas').data = curve('guggenheimGas', 't');
    dataset(charts.states, 'guggenheim-diameter').data = curve('guggenheimDiameter', 't');
    const near = rows.slice(0, nature.nearCritical);
    const below = (r) => Number((1 - r.t).toFixed(3));  // the row's 1 - t as printed
    dataset(charts.exponent, 'model-width').data = near.map((r) => ({ x: below(r), y: r.width }));
    dataset(charts.exponent, 'guggenheim-width').data = near.map((r) => ({ x: below(r), y: r.guggenheimWidth }));
    dataset(charts.clapeyron, 'slope-from-p').data = nature.clapeyron.map((q) => ({ x: q.t, y: q.fromP }));
    dataset(charts.clapeyron, 'slope-from-latent').data = nature.clapeyron.map((q) => ({ x: q.t, y: q.fromLatent }));
    dataset(charts.vapour, 'model-vapour').data = curve('inverseT', 'p');
    dataset(charts.vapour, 'acentric-line').data = [{ x: 1 / 0.7, y: 1e-3 }, { x: 1 / 0.7, y: 1 }];
    for (const fluid of fluids) {
      const along = (x, y) => fluid.points.map((q) => ({ x: q[x], y: q[y] }));
      dataset(charts.states, `fluid-${fluid.key}-liquid`).data = along('liquid', 't');
      dataset(charts.states, `fluid-${fluid.key}-vapour`).data = along('vapour', 't');
      dataset(charts.vapour, `fluid-${fluid.key}-pressure`).data = along('inverseT', 'p');
    }
    Object.values(charts).forEach((chart) => chart.update('none'));
    Object.entries(charts).forEach(([name, chart]) => legend(name, chart));
    setList(byId('nature-numbers'), [
      [tr('natureZc'), tr('natureZcValue', { model: nature.zc.toFixed(3) })],
      [tr('natureAcentric'), tr('natureAcentricValue', { model: nature.acentric.toFixed(3) })],
      [tr('natureExponent'), tr('natureExponentValue', { model: nature.exponent.toFixed(3),
        guggenheim: nature.guggenheimExponent.toFixed(3) })],
      [tr('natureClapeyron'), tr('natureClapeyronValue', { largest: nature.clapeyronLargest.toExponential(1) })]]);
    Object.assign(byId('nature-numbers').dataset, { zc: nature.zc, acentric: nature.acentric, exponent: nature.exponent,
      guggenheimExponent: nature.guggenheimExponent, clapeyronLargest: nature.clapeyronLargest });
    byId('states-description').textContent = tr('natureStatesDescription');
    byId('clapeyron-description').textContent = tr('natureClapeyronDescription',
      { largest: nature.clapeyronLargest.toExponential(1) });
    byId('vapour-description').textContent = tr('natureVapourDescription', { model: nature.acentric.toFixed(3) });
    table();
    drawFluid();
    mark();
  }

  // One row per substance, each number measured beside the model's, and the
  // model's own row.
  function table() {
    const n = (x, digits) => (state.lang === 'en' ? x.toFixed(digits) : x.toFixed(digits).replace('.', ','));
    const cell = (tag, text, attributes = {}) => {
      const element = document.createElement(tag);
      element.textContent = text;
      Object.entries(attributes).forEach(([name, value]) => element.setAttribute(name, value));
      return element;
    };
    const row = (cells, attributes = {}) => {
      const tr_ = cell('tr', '', attributes);
      tr_.append(...cells);
      return tr_;
    };
    const head = cell('thead', '');
    head.append(row([cell('th', tr('natureSubstance'), { scope: 'col', rowspan: 2 }),
      ...['Zc', 'ω', 'Tb/Tc', tr('natureLatentAtTb'), tr('natureTrouton')].map((h) =>
        cell('th', h, { scope: 'colgroup', colspan: 2 }))]),
    row(Array.from({ length: 5 }, () => [cell('th', tr('natureMeasured'), { scope: 'col' }),
      cell('th', tr('natureModelShort'), { scope: 'col' })]).flat()));
    const body = cell('tbody', '');
    const both = (pair, digits, scale = 1) => [cell('td', n(pair.measured / scale, digits)),
      cell('td', n(pair.model / scale, digits))];
    fluids.forEach((f, k) => body.append(row([cell('th', fluidName(k), { scope: 'row' }), ...both(f.zc, 4),
      ...both(f.omega, 3), ...both(f.boilingT, 3), ...both(f.latent, 2, 1000), ...both(f.trouton, 2)],
    Object.assign({ 'data-key': f.key }, k === state.fluid ? { class: 'chosen' } : {}))));
    byId('nature-table').replaceChildren(cell('caption', tr('natureTableCaption')), head, body);
    setList(byId('nature-reasons'), [[tr('natureReasonZcTerm'), tr('natureReasonZc')],
      [tr('natureReasonOmegaTerm'), tr('natureReasonOmega')], [tr('natureReasonTroutonTerm'), tr('natureReasonTrouton')]]);
  }

  // The chosen substance: its width near Tc on the exponent chart, with its
  // slope; its SI curves beside the model's, once a run has been made.
  function drawFluid() {
    const fluid = state.fluid >= 0 ? fluids[state.fluid] : null;
    dataset(charts.exponent, 'fluid-width').data = fluid ? fluid.near.map((q) => ({
      x: Number((1 - q.t).toFixed(3)), y: q.width })) : [];
    byId('exponent-description').textContent = tr('natureExponentDescription', { model: nature.exponent.toFixed(3),
      guggenheim: nature.guggenheimExponent.toFixed(3) }) + (fluid ? ' ' + tr('natureFluidExponent',
      { name: fluidName(state.fluid), slope: fluid.exponent.toFixed(3) }) : '');
    byId('exponent').dataset.fluidExponent = fluid ? fluid.exponent : '';
    const si = fluid ? model.natureSi() : null;
    siCurves = si;
    byId('nature-si').hidden = !si;
    for (const [name, parts] of [['nature-pressure', [['one', (q) => q.p / 1000]]],
      ['nature-density', [['liquid', (q) => q.liquid], ['vapour', (q) => q.vapour]]],
      ['nature-latent', [['one', (q) => q.latent / 1000]]]]) {
      for (const [part, y] of parts) {
        dataset(charts[name], `model-${part}`).data = si ? si.model.map((q) => ({ x: q.temperature, y: y(q) })) : [];
        dataset(charts[name], `measured-${part}`).data = si ? si.measured.map((q) => ({ x: q.temperature, y: y(q) })) : [];
      }
    }
    drawEquations(si ? model.equationCurves() : null);
    if (si) {
      const name = fluidName(state.fluid), others = tr('eosCurvesDescription', { name });
      byId('nature-pressure-description').textContent = tr('natureSiPressureDescription', { name }) + others;
      byId('nature-density-description').textContent = tr('natureSiDensityDescription', { name }) + others;
      byId('nature-latent-description').textContent = tr('natureSiLatentDescription', { name }) + others;
    }
    for (const name of ['exponent', 'nature-pressure', 'nature-density', 'nature-latent']) {
      charts[name].update('none');
      legend(name, charts[name]);
    }
  }

  // Redlich and Kwong's, Soave's and Peng and Robinson's curves beside the
  // model's; every equation's errors at a few T, and what each correction buys.
  function drawEquations(curves) {
    for (const key of OTHERS) {
      const along = (y) => (curves ? curves[key].map((q) => ({ x: q.temperature, y: y(q) })) : []);
      dataset(charts['nature-pressure'], `eos-${key}-one`).data = along((q) => q.p / 1000);
      dataset(charts['nature-density'], `eos-${key}-liquid`).data = along((q) => q.liquid);
      dataset(charts['nature-density'], `eos-${key}-vapour`).data = along((q) => q.vapour);
      dataset(charts['nature-latent'], `eos-${key}-one`).data = along((q) => q.latent / 1000);
    }
    if (!curves)
      return;
    const errors = model.equationErrors();
    const percent = (x) => {
      const digits = Math.abs(100 * x).toFixed(1);
      return (digits === '0.0' ? '' : x > 0 ? '+' : '−') + (state.lang === 'en' ? digits : digits.replace('.', ',')) + ' %';
    };
    const cell = (tag, text, attributes = {}) => {
      const element = document.createElement(tag);
      element.textContent = text;
      Object.entries(attributes).forEach(([name, value]) => element.setAttribute(name, value));
      return element;
    };
    const head = cell('thead', ''), body = cell('tbody', ''), headRow = cell('tr', '');
    headRow.append(...[tr('eosErrorsT'), 'T/Tc', tr('eosErrorsEquation'), tr('eosErrorsP'), tr('eosErrorsLiquid'),
      tr('eosErrorsLatent')].map((text) => cell('th', text, { scope: 'col' })));
    head.append(headRow);
    for (const e of errors) {
      const row = cell('tr', '', { 'data-eos': e.eos, 'data-t': e.t, 'data-p': e.p, 'data-liquid': e.liquid,
        'data-latent': e.latent });
      row.append(cell('td', e.temperature.toFixed(2)), cell('td', e.t.toFixed(1)),
        cell('th', model.equationName(e.eos), { scope: 'row' }), cell('td', percent(e.p)), cell('td', percent(e.liquid)),
        cell('td', percent(e.latent)));
      body.append(row);
    }
    const caption = cell('caption', tr(errors.length ? 'eosErrorsCaption' : 'eosErrorsNone',
      { name: fluidName(state.fluid) }));
    byId('eos-errors').replaceChildren(caption, head, body);
    setList(byId('eos-buys'), EQUATIONS.map((key) => [model.equationName(key), tr('eosWhat_' + key)]));
  }

  // The chosen t on each chart: its coexisting densities, its vapour
  // pressure, its row's slopes and width, and in SI its state. A legend is
  // made again only where its mark comes or goes.
  const marked = {};
  function markOn(name, key, points) {
    setMarks(charts[name], [{ key, points, colour: dataset(charts[name], key).borderColor, radius: 6, line: false }]);
    if (marked[name] !== points.length > 0) {
      marked[name] = points.length > 0;
      legend(name, charts[name]);
    }
  }

  function mark() {
    if (!made || !nature)
      return;
    const row = model.chosenRow();
    const r = row >= 0 ? nature.rows[row] : null;
    markOn('states', 'chosen-states', r ? [{ x: r.liquid, y: r.t }, { x: r.gas, y: r.t }] : []);
    markOn('vapour', 'chosen-vapour', r ? [{ x: r.inverseT, y: r.p }] : []);
    const slope = row >= 1 && row <= nature.clapeyron.length ? nature.clapeyron[row - 1] : null;
    markOn('clapeyron', 'chosen-slope', slope ? [{ x: slope.t, y: slope.fromP }] : []);
    markOn('exponent', 'chosen-width', r && row < nature.nearCritical ? [{ x: Number((1 - r.t).toFixed(3)), y: r.width }] : []);
    const q = siCurves && r ? siCurves.model[row] : null;
    markOn('nature-pressure', 'chosen-nature-pressure', q ? [{ x: q.temperature, y: q.p / 1000 }] : []);
    markOn('nature-density', 'chosen-nature-density', q ? [{ x: q.temperature, y: q.liquid }, { x: q.temperature, y: q.vapour }] : []);
    markOn('nature-latent', 'chosen-nature-latent', q ? [{ x: q.temperature, y: q.latent / 1000 }] : []);
  }

  // Far down the page: its marks always wait a few frames, after a run too.
  model.on('chosen', () => frames.soonOrNow(true, 'nature', mark));
  model.on('language', () => restyle());
  model.on('fluid', () => restyle());
  // Only the chosen substance's SI curves depend on the run (on c): drawn a
  // few frames after it, and not at all without a substance.
  model.on('run', () => {
    if (made && nature && state.fluid >= 0)
      frames.soonOrNow(true, 'natureSi', () => { drawFluid(); mark(); });
  });

  return {
    charts,
    makers: [makeCharts],
    ready() {
      made = true;
      restyle();
      draw();
      // The substances' curves and numbers take a while to compute: in a
      // task of their own, once the page is ready.
      setTimeout(() => {
        fluids = model.measuredFluids();
        draw();
        byId('nature-view').dataset.fluids = 'drawn';
      }, 0);
    },
    restyle,
  };
}
