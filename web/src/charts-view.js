// The charts of the tables: the phase diagram (p–v, p–t and the latent
// heat) and the properties (s or h against t, t against s), each beside the
// run before's when c changed, with the chosen t marked over them, and
// their text alternatives.
import { COEX, FIRST_ROW_MILLI, PROP } from './columns.js';
import { axis, chartOptions, dataset, faint, label, legend, line, logAxis, palette, point, points,
  styleCharts, tAxis, volumes } from './charting.js';
import { byId } from './dom.js';
import { setMarks } from './marks.js';

const isothermTs = [0.95, 0.9, 0.85, 0.8, 0.7];

export function createChartsView(model, { theme, painter, frames, units, shownUnits }) {
  const state = model.state;
  const tr = model.tr;
  const charts = {};
  let made = false;

  // The p–v plane's isotherms, of the chosen equation.
  const overview = volumes(0.36, 60, 150);
  function drawIsotherms() {
    isothermTs.forEach((t, k) => { dataset(charts.pv, 'isotherm' + k).data = model.shownIsotherm(t, overview); });
    dataset(charts.pv, 'critical-isotherm').data = model.shownIsotherm(1, overview);
    dataset(charts.pv, 'isotherm-above').data = model.shownIsotherm(1.1, overview);
  }

  function makeOverview() {
    const pv = isothermTs.map((t, k) => line('isotherm' + k, '', {
      data: model.shownIsotherm(t, overview), borderWidth: 1.5, borderDash: [6, 4], t }));
    pv.push(line('critical-isotherm', '', { data: model.shownIsotherm(1, overview), borderWidth: 1.5, t: 1 }));
    pv.push(line('isotherm-above', '', { data: model.shownIsotherm(1.1, overview), borderWidth: 1.5,
      borderDash: [2, 2], t: 1.1 }));
    pv.push(line('coexistence', '', { borderWidth: 3.5 }));
    pv.push(line('spinodal', '', { borderDash: [2, 3] }));
    pv.push(point('critical', { data: [{ x: 1, y: 1 }] }));
    pv.push(line('chosen-isotherm', '', { borderWidth: 3, mark: true }));
    pv.push(line('chosen-tie-line', '', { borderWidth: 3, mark: true }));
    pv.push(processPoint());

    charts.pv = new Chart(byId('pv'), { type: 'scatter', data: { datasets: pv },
      options: chartOptions(logAxis({ min: 0.36, max: 60 }), axis({ min: -0.6, max: 1.5 })) });
    charts.pt = new Chart(byId('pt'), { type: 'scatter', data: { datasets: [
      line('vapour-pressure', '', { borderWidth: 3.5 }),
      line('gas-limit', '', { borderDash: [8, 4] }),
      line('liquid-limit', '', { borderDash: [2, 3] }),
      point('chosen', { pointRadius: 7, mark: true }),
      ...heatingMarks(), processPoint(),
    ] }, options: chartOptions(tAxis(), axis({ min: -1, max: 1.1 })) });
    charts.heat = new Chart(byId('heat'), { type: 'scatter', data: { datasets: [
      line('latent-heat', '', { borderWidth: 3.5 }),
      point('chosen', { pointRadius: 7, mark: true }),
    ] }, options: chartOptions(tAxis(), axis({ min: 0 })) });
  }

  function makePropertyCharts() {
    const beside = () => [
      line('liquid-previous', '', { borderWidth: 2 }),
      line('gas-previous', '', { borderDash: [8, 4], borderWidth: 2 }),
      line('liquid', '', { borderWidth: 3 }),
      line('gas', '', { borderDash: [8, 4], borderWidth: 3 }),
    ];
    charts.properties = new Chart(byId('properties'), { type: 'scatter', data: { datasets: [
      ...beside(), point('chosen', { pointRadius: 7, mark: true }),
    ] }, options: chartOptions(tAxis(), axis({})) });
    charts.ts = new Chart(byId('ts'), { type: 'scatter', data: { datasets: [
      ...beside(), line('chosen', '', { borderWidth: 2.5, mark: true }),
      line('boiling-heat', '', { borderWidth: 0, fill: true, mark: true }), ...heatingMarks(), processPoint(),
    ] }, options: chartOptions(axis({}), tAxis()) });
  }

  // The marks the process and the heating below draw on these charts, named
  // in their legends while they are drawn: the cylinder's state, and the
  // heating's path at the vapour pressure and its point.
  const processPoint = () => point('process', { pointRadius: 7, mark: true });
  const heatingMarks = () => [line('heating-path', '', { borderWidth: 2, borderDash: [6, 4], mark: true }),
    point('heating-point', { pointRadius: 7, mark: true })];

  // Colours, texts and legends of the charts named (every chart where none
  // is), from the page's colour scheme, language and units.
  function restyle(only) {
    if (!made)
      return;
    const text = theme.css('--text');
    const colour = (k) => theme.css(palette[k % palette.length]);
    const chosen = tr('chosenT');
    isothermTs.forEach((t, k) => label(charts.pv, 'isotherm' + k, tr('isotherm', { t }), colour(k + 1)));
    label(charts.pv, 'critical-isotherm', tr('isotherm', { t: 1 }), theme.css('--muted'));
    label(charts.pv, 'isotherm-above', tr('isotherm', { t: 1.1 }), theme.css('--muted'));
    label(charts.pv, 'coexistence', tr('coexistence'), colour(0));
    label(charts.pv, 'spinodal', tr('spinodal'), theme.css('--c-red'));
    label(charts.pv, 'critical', tr('critical'), text);
    label(charts.pv, 'chosen-isotherm', chosen, text);
    label(charts.pv, 'chosen-tie-line', tr('tieLine'), colour(3));
    label(charts.pt, 'vapour-pressure', tr('vapourPressure'), colour(0));
    label(charts.pt, 'gas-limit', tr('gasLimit'), theme.css('--c-red'));
    label(charts.pt, 'liquid-limit', tr('liquidLimit'), colour(2));
    label(charts.pt, 'chosen', chosen, text);
    [charts.pv, charts.pt, charts.ts].forEach((chart) => label(chart, 'process', tr('processPoint'), theme.css('--c-green')));
    [charts.pt, charts.ts].forEach((chart) => {
      label(chart, 'heating-path', tr('heatingPath'), theme.css('--c-purple'));
      label(chart, 'heating-point', tr('heatingPoint'), theme.css('--c-purple'));
    });
    label(charts.ts, 'boiling-heat', tr('boilingHeatArea'), theme.css('--area-gas'));
    label(charts.heat, 'latent-heat', 'hg − hl', colour(0));
    label(charts.heat, 'chosen', chosen, text);
    const enthalpy = state.quantity === 'h';
    const withC = (key, cText) => tr(key) + (cText ? `, c = ${cText}` : '');
    const previous = state.previous ? state.previous.cText : null;
    [charts.properties, charts.ts].forEach((chart) => {
      const h = chart === charts.properties && enthalpy;
      label(chart, 'liquid', withC(h ? 'hLiquid' : 'sLiquid', state.cText), colour(1));
      label(chart, 'gas', withC(h ? 'hGas' : 'sGas', state.cText), colour(0));
      label(chart, 'liquid-previous', withC(h ? 'hLiquid' : 'sLiquid', previous), faint(colour(1)));
      label(chart, 'gas-previous', withC(h ? 'hGas' : 'sGas', previous), faint(colour(0)));
      label(chart, 'chosen', chosen, text);
    });
    const quantity = quantityName(enthalpy ? 'h' : 's');
    const named = (text) => (state.eos === 'vdw' ? text : `${model.equationName()}: ${text}`);
    const diagram = { pv: [named(tr('pvChart')), tr('vAxisLog'), tr('pAxis')],
      pt: [named(tr('ptChart')), tr('tAxis'), tr('pAxis')],
      heat: [named(tr(units.chosen() ? 'heatChartSi' : 'heatChart')), tr('tAxis'), tr('heatAxis')] };
    // The phase diagram in the chosen equation's units (its own Vc), the
    // properties in the tables'.
    const shownOnly = ['pv', 'pt', 'heat'].filter((name) => !only || only.includes(name));
    if (shownOnly.length)
      styleCharts(charts, diagram, shownOnly, { theme, painter, units: shownUnits });
    const titles = {
      properties: [tr('propertiesChart', { quantity }), tr('tAxis'), tr(enthalpy ? 'enthalpy' : 'entropy')],
      ts: [tr('tsChart'), tr('entropy'), tr('tAxis')] };
    const tableOnly = ['properties', 'ts'].filter((name) => !only || only.includes(name));
    if (tableOnly.length)
      styleCharts(charts, titles, tableOnly, { theme, painter, units });
  }

  // s or h as the radios, the properties chart's title and its text
  // alternative name them: with the reduced unit, or the substance's.
  function quantityName(q) {
    return tr((q === 'h' ? 'enthalpy' : 'entropy') + (units.chosen() ? 'Si' : ''));
  }

  function nameQuantities() {
    document.querySelectorAll('input[name=quantity]').forEach((radio) => {
      radio.nextElementSibling.textContent = quantityName(radio.value);
    });
  }

  function updateDiagram(rows = model.shownRows() || state.coexistenceRows) {
    if (!made)
      return;
    const rising = rows.slice().reverse();  // from t 0.501 up to 0.999
    dataset(charts.pv, 'coexistence').data = points(rising, COEX.vl, COEX.p).concat(points(rows, COEX.vg, COEX.p));
    dataset(charts.pv, 'spinodal').data = points(rising, COEX.vlmax, COEX.plmin)
      .concat(points(rows, COEX.vgmin, COEX.pgmax));
    dataset(charts.pt, 'vapour-pressure').data = points(rows, COEX.t, COEX.p);
    dataset(charts.pt, 'gas-limit').data = points(rows, COEX.t, COEX.pgmax);
    dataset(charts.pt, 'liquid-limit').data = points(rows, COEX.t, COEX.plmin);
    dataset(charts.heat, 'latent-heat').data = points(rows, COEX.t, COEX.latent);
    ['pv', 'pt', 'heat'].forEach((name) => {
      painter.redraw(charts[name]);
      legend(name, charts[name]);
    });
  }

  // sl and sg (or hl and hg) at coexistence against t, and t against sl and
  // sg, each beside the run before's when c changed.
  function showProperties() {
    if (!made)
      return;
    const column = state.quantity === 'h' ? PROP.hl : PROP.sl;
    const coexisting = (propertyRows) => propertyRows.filter((f) => f[PROP.state] === 'eq');
    const eq = coexisting(state.propertyRows);
    const before = state.previous ? coexisting(state.previous.rows) : [];
    dataset(charts.properties, 'liquid').data = points(eq, PROP.t, column);
    dataset(charts.properties, 'gas').data = points(eq, PROP.t, column + 1);
    dataset(charts.properties, 'liquid-previous').data = points(before, PROP.t, column);
    dataset(charts.properties, 'gas-previous').data = points(before, PROP.t, column + 1);
    dataset(charts.ts, 'liquid').data = points(eq, PROP.sl, PROP.t);
    dataset(charts.ts, 'gas').data = points(eq, PROP.sg, PROP.t);
    dataset(charts.ts, 'liquid-previous').data = points(before, PROP.sl, PROP.t);
    dataset(charts.ts, 'gas-previous').data = points(before, PROP.sg, PROP.t);
    mark();
    restyle(['properties', 'ts']);
  }

  // The chosen t on every chart of the tables, as marks over them: its
  // isotherm and tie line in the p–v plane, its state's point on the p–t,
  // latent-heat and property charts, its tie line in the t–s plane (these
  // only within the table's temperatures, their charts' range). From t = 1
  // up only the isotherm is marked.
  function mark() {
    if (!made)
      return;
    const chosen = state.run ? model.chosenState() : null, shown = state.run ? model.shownState() : null;
    const t = chosen ? chosen.s.t : model.chosenT();
    const f = shown ? shown.fields : null;
    const inRange = t >= FIRST_ROW_MILLI / 1000;
    const eq = chosen && inRange ? chosen.eq : null;
    const at = (x, y) => ({ x: Number(x), y: Number(y) });
    const look = (chart, key) => {
      const d = dataset(chart, key);
      return { key, colour: d.borderColor, width: d.borderWidth, radius: d.showLine === false ? d.pointRadius : 0,
        line: d.showLine !== false };
    };
    const marked = (chart, key, where) => Object.assign(look(chart, key), { points: where });
    setMarks(charts.pv, [
      marked(charts.pv, 'chosen-isotherm', model.shownIsotherm(t, volumes(0.36, 60, 100))),
      marked(charts.pv, 'chosen-tie-line', f ? [at(f[COEX.vl], f[COEX.p]), at(f[COEX.vg], f[COEX.p])] : []),
    ]);
    setMarks(charts.pt, [marked(charts.pt, 'chosen', f && inRange ? [at(f[COEX.t], f[COEX.p])] : [])]);
    setMarks(charts.heat, [marked(charts.heat, 'chosen', f && inRange ? [at(f[COEX.t], f[COEX.latent])] : [])]);
    const column = state.quantity === 'h' ? PROP.hl : PROP.sl;
    setMarks(charts.properties, [marked(charts.properties, 'chosen',
      eq ? [at(eq[PROP.t], eq[column]), at(eq[PROP.t], eq[column + 1])] : [])]);
    setMarks(charts.ts, [Object.assign(marked(charts.ts, 'chosen',
      eq ? [at(eq[PROP.sl], eq[PROP.t]), at(eq[PROP.sg], eq[PROP.t])] : []), { radius: 6 })]);
    Object.entries(charts).forEach(([name, chart]) => legend(name, chart));
  }

  // The charts' text alternatives.
  function describe() {
    const set = (id, text) => { byId(id).textContent = text; };
    const rows = state.coexistenceRows.length ? model.shownRows() || state.coexistenceRows : [];
    const named = (text) => (state.eos === 'vdw' ? text : `${model.equationName()}: ${text}`);
    if (!rows.length) {
      ['pv', 'pt', 'heat', 'properties', 'ts'].forEach((id) => set(id + '-description', tr('noData')));
      return;
    }
    const first = rows[rows.length - 1], last = rows[0];
    set('pv-description', named(tr('pvDescription', { vlLow: first[COEX.vl], vgLow: first[COEX.vg] })));
    set('pt-description', named(tr('ptDescription', { pLow: first[COEX.p], pHigh: last[COEX.p] })));
    set('heat-description', named(tr('heatDescription', { high: first[COEX.latent], low: last[COEX.latent] })));
    const eq = state.propertyRows.filter((f) => f[PROP.state] === 'eq');
    if (eq.length) {
      const column = state.quantity === 'h' ? PROP.hl : PROP.sl;
      set('properties-description', tr('propertiesDescription', {
        quantity: tr(column === PROP.hl ? 'enthalpy' : 'entropy'), c: state.cText,
        liquidLow: eq[eq.length - 1][column], liquidHigh: eq[0][column],
        gasLow: eq[eq.length - 1][column + 1], gasHigh: eq[0][column + 1],
        before: state.previous ? tr('previousC', { c: state.previous.cText }) : '' }));
      set('ts-description', tr('tsDescription', { c: state.cText,
        slLow: eq[eq.length - 1][PROP.sl], sgLow: eq[eq.length - 1][PROP.sg], sHigh: eq[0][PROP.sl] }));
    }
  }

  model.on('language', () => { nameQuantities(); restyle(); describe(); if (state.coexistenceRows.length) mark(); });
  model.on('fluid', () => {
    nameQuantities();
    if (made && state.eos !== 'vdw')
      drawIsotherms();  // srk and pr take the substance's omega
    restyle();
  });
  model.on('quantity', () => { showProperties(); describe(); });
  // Another equation: its isotherms, its dome and limits, named.
  model.on('eos', () => {
    if (!made)
      return;
    drawIsotherms();
    restyle(['pv', 'pt', 'heat']);
    if (state.coexistenceRows.length) {
      updateDiagram();
      mark();
    }
    describe();
  });
  model.on('chosen', ({ deferred }) => frames.soonOrNow(deferred, 'marks', mark));
  model.on('run', ({ coexistenceChanged }) => {
    if (coexistenceChanged)
      updateDiagram();
    showProperties();
    describe();
  });
  document.querySelectorAll('input[name=quantity]').forEach((radio) =>
    radio.addEventListener('change', () => model.setQuantity(radio.value)));

  return {
    charts,
    makers: [makeOverview, makePropertyCharts],
    // Once every chart of the page is made: what a run gave before is drawn.
    ready() {
      made = true;
      restyle();
      if (state.coexistenceRows.length) {
        updateDiagram();
        showProperties();
        mark();
      }
    },
    restyle,
    mark,
    // The diagram drawn with a run's rows and emptied again in the same
    // task: nothing is painted in between, but the drawing code is compiled.
    warmUp(rows) {
      updateDiagram(rows);
      updateDiagram();
    },
  };
}
