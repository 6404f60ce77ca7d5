// The Maxwell view: the isotherm at the chosen t with its tie line and equal
// areas, a line at a trial pressure that shows why the vapour pressure is
// where it is, the Gibbs energy along the isotherm, the Helmholtz energy
// against v with its tangent of slope −p, and the lever rule.
// Every number comes from the model through the program; this only draws.
import { COEX, PROP, T_MAX_MILLI, area, shownField, signed } from './columns.js';
import { axis, chartOptions, dataset, label, legend, line, logAxis, palette, point, styleCharts,
  volumes } from './charting.js';
import { byId, fieldError, pressureSliderEnds, setList, setPressureSlider, typedNumber } from './dom.js';
import { SHOWN_UNIT, celsius } from './units.js';

// The parts of an isotherm by stability, styled alike on both charts.
// The isotherm's branches; on the Gibbs chart (`envelope`) the stable ones,
// the lowest g at each pressure, bolder still and the others thinner.
function branches(envelope = false) {
  const stable = envelope ? 5 : 3, other = envelope ? 1.5 : undefined;
  const width = (w) => (w === undefined ? {} : { borderWidth: w });
  return [
    line('stable-liquid', '', { borderWidth: stable }),
    line('metastable-liquid', '', Object.assign({ borderDash: [8, 4] }, width(other))),
    line('unstable', '', Object.assign({ borderDash: [2, 4] }, width(other))),
    line('metastable-gas', '', Object.assign({ borderDash: [8, 4] }, width(other))),
    line('stable-gas', '', { borderWidth: stable }),
    line('supercritical', '', { borderWidth: 3 }),
  ];
}

export function createMaxwellView(model, { theme, painter, frames, shownUnits: units, announce }) {
  const state = model.state;
  const tr = model.tr;
  const charts = {};
  let made = false;
  let lastIsotherm = null;  // what the Maxwell chart shows now, to skip drawing it again
  let warmRow = null;       // the row drawn before any run, to describe it

  function makeMaxwellChart() {
    charts.maxwell = new Chart(byId('maxwell'), { type: 'scatter', data: { datasets: [
      line('area-liquid', '', { borderWidth: 0, fill: { value: 0 } }),
      line('area-gas', '', { borderWidth: 0, fill: { value: 0 } }),
      ...branches(),
      line('tie-line', '', { borderWidth: 3 }),
      line('trial-line', '', { borderWidth: 3, borderDash: [10, 5] }),
      point('limits'),
      point('critical'),
      point('operating-point', { pointRadius: 8, pointStyle: 'rectRot' }),
      point('process', { pointRadius: 7, mark: true }),
    ] }, options: chartOptions(axis({}), axis({})) });
  }

  function makeGibbsChart() {
    charts.gibbs = new Chart(byId('gibbs'), { type: 'scatter', data: { datasets: [
      ...branches(true),
      line('trial-gap', '', { borderWidth: 3, borderDash: [10, 5], pointRadius: 6 }),
      point('vapour-point', { pointRadius: 7 }),
      point('process', { pointRadius: 7, mark: true }),
    ] }, options: chartOptions(axis({}), axis({})) });
  }

  // f against v: its branches, the line of slope −p touching it (the common
  // tangent, or the trial pressure's), where it touches, and the trial
  // tangent's gap to f at its other end.
  function makeHelmholtzChart() {
    charts.helmholtz = new Chart(byId('helmholtz'), { type: 'scatter', data: { datasets: [
      ...branches(),
      line('common-tangent', '', { borderWidth: 2 }),
      line('trial-tangent', '', { borderWidth: 2, borderDash: [10, 5] }),
      line('tangent-gap', '', { borderWidth: 3, borderDash: [2, 3] }),
      point('touching', { pointRadius: 6 }),
    ] }, options: chartOptions(axis({}), axis({})) });
  }

  // The chosen t as the page shows it: three decimals, or four between
  // thousandths.
  function shownT() {
    return model.chosenT().toFixed(state.tExact === null ? 3 : 4);
  }

  // The title of a chart that names the chosen t, and its T with a substance;
  // and the equation, where it is another than van der Waals's.
  function titleAtT(key) {
    return named(tr(key, { t: shownT() }) + (units.chosen() ? ` (T = ${units.siText('t', model.chosenT())} K)` : ''));
  }

  const named = (text) => (state.eos === 'vdw' ? text : `${model.equationName()}: ${text}`);

  function restyle(only) {
    if (!made)
      return;
    const text = theme.css('--text');
    const colour = (k) => theme.css(palette[k % palette.length]);
    [charts.maxwell, charts.gibbs, charts.helmholtz].forEach((chart) => {
      label(chart, 'stable-liquid', tr('stableLiquid'), colour(1));
      label(chart, 'metastable-liquid', tr('metastableLiquid'), colour(1));
      label(chart, 'unstable', tr('unstable'), text);
      label(chart, 'metastable-gas', tr('metastableGas'), colour(2));
      label(chart, 'stable-gas', tr('stableGas'), colour(2));
      label(chart, 'supercritical', tr('noCoexistence'), text);
    });
    const m = charts.maxwell;
    label(m, 'area-liquid', tr('areaLiquid'), theme.css('--area-liquid'));
    label(m, 'area-gas', tr('areaGas'), theme.css('--area-gas'));
    label(m, 'tie-line', tr('tieLine'), colour(0));
    label(m, 'trial-line', tr('trialLine'), theme.css('--c-pink'));
    label(m, 'limits', tr('limits'), theme.css('--c-red'));
    label(m, 'critical', tr('critical'), theme.css('--c-red'));
    label(m, 'operating-point', tr('operatingPoint'), colour(3));
    [m, charts.gibbs].forEach((chart) => label(chart, 'process', tr('processPoint'), theme.css('--c-green')));
    label(charts.gibbs, 'vapour-point', tr('gibbsCrossing'), colour(0));
    label(charts.gibbs, 'trial-gap', tr('gibbsGap'), theme.css('--c-pink'));
    label(charts.helmholtz, 'common-tangent', tr('commonTangent'), colour(0));
    label(charts.helmholtz, 'trial-tangent', tr('trialTangent'), theme.css('--c-pink'));
    label(charts.helmholtz, 'tangent-gap', tr('tangentGap'), theme.css('--c-pink'));
    label(charts.helmholtz, 'touching', tr('touchingPoints'), colour(0));
    const titles = { maxwell: [titleAtT('maxwellChart'), tr(state.logAxis ? 'vAxisLog' : 'vAxis'), tr('pAxis')],
      gibbs: [titleAtT('gibbsChart'), tr('pAxis'), tr('gibbsAxis')],
      helmholtz: [titleAtT('helmholtzChart'), tr('vAxis'), tr('helmholtzAxis')] };
    styleCharts(charts, titles, only, { theme, painter, units });
  }

  function titleMaxwell() {
    if (!made)
      return;
    charts.maxwell.options.plugins.title.text = titleAtT('maxwellChart');
    charts.gibbs.options.plugins.title.text = titleAtT('gibbsChart');
    charts.helmholtz.options.plugins.title.text = titleAtT('helmholtzChart');
  }

  function listen() {
    const range = byId('t-range');
    range.addEventListener('input', () => { model.stopPlaying(); model.chooseT(Math.round(Number(range.value) * 1000)); });
    const number = byId('t-number');
    number.addEventListener('change', () => {
      const t = typedNumber(number.value);
      if (!(t >= model.lowestMilli() / 1000 && t <= T_MAX_MILLI / 1000)) {
        fieldError(number, 't-error', tr('tInvalid', { low: model.lowestMilli() / 1000 }));
        return;
      }
      fieldError(number, 't-error', null);
      model.stopPlaying();
      model.chooseAnyT(t);
    });
    byId('play-speed').addEventListener('change', (event) => model.setPlaySpeed(Number(event.target.value)));
    byId('v-operating').addEventListener('change', (event) => {
      const v = typedNumber(event.target.value);
      const [vl, vg] = model.tieLineEnds() || [NaN, NaN];
      if (!(v >= vl && v <= vg)) {
        const chosen = model.shownState();
        fieldError(event.target, 'v-error', tr('vInvalid', { vl: chosen ? chosen.fields[COEX.vl] : '',
          vg: chosen ? chosen.fields[COEX.vg] : '' }));
        return;
      }
      fieldError(event.target, 'v-error', null);
      model.setOperatingVolume(v);
      announce(byId('fractions').textContent);
    });
    // The arrow keys step the volume on a grid of round values inside vl…vg.
    byId('v-operating').addEventListener('keydown', (event) => {
      const ends = model.tieLineEnds();
      const at = model.operatingVolume();
      if (!ends || (event.key !== 'ArrowUp' && event.key !== 'ArrowDown') || at === null)
        return;
      event.preventDefault();
      const [vl, vg] = ends;
      const step = Math.pow(10, Math.floor(Math.log10((vg - vl) / 50)));
      const on = Math.round(at / step);
      const next = (event.key === 'ArrowUp' ? (at < on * step ? on : on + 1) : (at > on * step ? on : on - 1)) * step;
      fieldError(event.target, 'v-error', null);
      model.setOperatingVolume(Number(Math.min(vg, Math.max(vl, next)).toFixed(10)));
      announce(byId('fractions').textContent);
    });
    const trialSlider = byId('p-trial');
    const trialEnds = () => pressureSliderEnds(trialSlider, model.shownState().s);
    trialSlider.addEventListener('input', () => {
      const [low, high] = trialEnds();
      model.setTrialP(Math.min(high, Math.max(low, Number(trialSlider.value))), true);
      announce(byId('trial-verdict').textContent, 'verdict');
    });
    trialSlider.addEventListener('keydown', (event) => {
      if ((event.key !== 'Home' && event.key !== 'End') || !model.shownState())
        return;
      event.preventDefault();
      model.setTrialP(trialEnds()[event.key === 'Home' ? 0 : 1]);
      announce(byId('trial-verdict').textContent, 'verdict');
    });
    byId('gibbs-zoom').addEventListener('change', (event) => model.setGibbsZoom(event.target.checked));
    byId('p-reset').addEventListener('click', () => model.setTrialP(null));
    byId('log-axis').addEventListener('change', (event) => model.setLogAxis(event.target.checked));
    byId('play').addEventListener('click', () => (state.playing ? model.stopPlaying()
      : model.play(matchMedia('(prefers-reduced-motion: reduce)').matches)));
    dragOnTheChart();
  }

  function enable() {
    ['t-range', 't-number', 'play', 'play-speed', 'log-axis', 'gibbs-zoom'].forEach((id) => { byId(id).disabled = false; });
    byId('t-range').min = String(model.lowestMilli() / 1000);
  }

  // Everything that depends on the chosen t; a screen reader hears the new
  // row's values once the keys or the drag pause.
  function showChosen(deferred = false) {
    showMaxwell(deferred);
    const chosen = model.shownState();
    const f = chosen && chosen.fields;
    announce(chosen && chosen.row >= 0 ? tr('announceRow', { t: f[COEX.t], p: f[COEX.p], vl: f[COEX.vl], vg: f[COEX.vg] })
      : byId('t-note').textContent, 'readout');
  }

  function showMaxwell(deferred = false) {
    if (!model.ready() || !state.coexistenceRows.length)
      return;
    const t = model.chosenT();
    const range = byId('t-range');
    range.value = (state.tMilli / 1000).toFixed(3);
    range.setAttribute('aria-valuetext', 't = ' + shownT());
    const number = byId('t-number');
    if (document.activeElement !== number || number.getAttribute('aria-invalid') !== 'true')
      number.value = shownT();
    const chosen = model.shownState();
    titleMaxwell();
    byId('t-note').hidden = Boolean(chosen && chosen.row >= 0);
    if (!chosen)
      showAboveTable(t);
    else
      showState(chosen, deferred);
  }

  // Both charts drawn for the default t from the warm-up run while the page
  // loads, before any run: the isotherm, its construction and the Gibbs
  // energy's shape do not depend on c (g is drawn with c = 1.5, the
  // default reply; another c moves it up or down as a whole). The first run
  // finds their drawing code compiled, and draws them again.
  function warmUp(warm) {
    const s = warm.s;
    drawIsotherm(s.t, s, null);
    drawGibbs(s.t, Object.assign({ gl: warm.gl }, s), null, 1.5);
    drawHelmholtz(s, null, 1.5);
    lastIsotherm = null;
    // Drawn, they are described: the row's numbers do not depend on c either.
    warmRow = { fields: warm.fields, s };
    describeRow(warmRow.fields, warmRow.s, null);
  }

  // The chosen state's construction from its unrounded state; the line at
  // the trial pressure where one is set. Off the table, a note says that the
  // state is the model's at t, not a row's.
  function showState(chosen, deferred) {
    const f = chosen.fields;
    const atRow = chosen.s;
    const trialAt = chosen.trialAt;
    const gAtRow = trialAt(atRow.p);
    const trial = state.trialP === null ? null : trialAt(state.trialP);
    const shown = trial || Object.assign({}, atRow, { gl: gAtRow.gl, gg: gAtRow.gg });
    if (chosen.eos)
      byId('t-note').textContent = tr('eosStateNote', { name: model.equationName(), t: shownT() });
    else if (chosen.row < 0)
      byId('t-note').textContent = tr('offTableNote', { t: shownT() });
    showTrialControl(atRow, shown, trial);
    readouts(f, chosen.eq);
    showAreas(shown, trial);
    const shares = showLever();
    // Above the chart, so that on a phone what a drag of the line changes
    // stays in view: the areas, their difference, gl − gg and the verdict.
    byId('maxwell-summary').textContent = trial
      ? tr('trialSummary', { p: trial.p.toFixed(6), liquid: area(trial.areaLiquid), gas: area(trial.areaGas),
        difference: signed(trial.areaGas - trial.areaLiquid), gibbs: signed(trial.gl - trial.gg),
        verdict: byId('trial-verdict').textContent })
      : tr('summary', { p: shown.p.toFixed(6), vl: f[COEX.vl], vg: f[COEX.vg], shares });
    if (made) {
      // A new c moves nothing on this chart: it is drawn again only when
      // what it shows changed.
      const drawn = [state.eos, f.join(' '), state.trialP, state.logAxis, model.operatingVolume()].join('|');
      frames.soonOrNow(deferred, 'isotherm', () => {
        if (drawn !== lastIsotherm) {
          lastIsotherm = drawn;
          drawIsotherm(atRow.t, atRow, trial);
        }
      });
      frames.soonOrNow(deferred, 'gibbs', () => drawGibbs(atRow.t, Object.assign({}, atRow, { gl: gAtRow.gl }),
        trial));
      frames.soonOrNow(deferred, 'helmholtz', () => drawHelmholtz(atRow, trial));
    }
    describeRow(f, shown, trial, atRow);
  }

  // The trial pressure's control spans the limits' pressures above 0.
  function showTrialControl(limits, shown, trial) {
    setPressureSlider(byId('p-trial'), limits, shown.p);
    byId('p-reset').disabled = trial === null;
    byId('p-trial-value').textContent = units.beside('p', shown.p, shown.p.toFixed(6));
  }

  // The two areas at the line shown, also as two bars of one scale (their
  // equality is seen whatever the lobes' shapes), their difference, also
  // relative to the larger (near the critical point both are tiny), gl − gg,
  // and which way the line must move.
  function showAreas(shown, trial) {
    const difference = shown.areaGas - shown.areaLiquid;
    const larger = Math.max(shown.areaLiquid, shown.areaGas);
    const areas = byId('areas');
    setList(areas, [[tr(trial ? 'trialPressure' : 'pressure'), units.beside('p', shown.p, shown.p.toFixed(6))],
      [tr('areaLiquid'), units.beside('w', shown.areaLiquid, area(shown.areaLiquid))],
      [tr('areaGas'), units.beside('w', shown.areaGas, area(shown.areaGas))],
      [tr('areaDifference'), units.beside('w', difference, signed(difference))],
      [tr('areaRelative'), signed(difference / larger)],
      [tr('gibbsDifference'), units.beside('e', shown.gl - shown.gg, signed(shown.gl - shown.gg))]]);
    byId('area-bars').hidden = false;
    byId('bar-liquid').style.width = `${Math.max(0, 100 * shown.areaLiquid / larger)}%`;
    byId('bar-gas').style.width = `${Math.max(0, 100 * shown.areaGas / larger)}%`;
    Object.assign(areas.dataset, { p: shown.p, liquid: shown.areaLiquid, gas: shown.areaGas,
      difference, gibbs: shown.gl - shown.gg });
    byId('trial-verdict').textContent = trial ? tr(difference > 0 ? 'verdictBelow' : 'verdictAbove') : tr('verdictAt');
  }

  // The lever rule on the row's tie line, as printed; the shares it gives.
  function showLever() {
    const vOperating = model.operatingVolume();
    const operating = byId('v-operating');
    operating.disabled = false;
    if (operating.getAttribute('aria-invalid') !== 'true' || document.activeElement !== operating)
      operating.value = Number(vOperating.toFixed(6));
    const gas = model.gasFraction(vOperating);
    const shares = tr('leverResult', { liquid: (100 - 100 * gas).toFixed(1), gas: (100 * gas).toFixed(1) });
    byId('fractions').textContent = shares;
    byId('v-operating-si').textContent = units.chosen() ? units.withUnit('v', vOperating) : '';
    return shares;
  }

  // Both charts' text alternatives at a row.
  // With a substance each number is given in its units too, as the
  // readouts give it.
  // An open exercise that asks for the state's numbers holds them back here
  // too: a figure's caption is read as its name even where it is hidden.
  function describeRow(f, shown, trial, atRow = shown) {
    if (model.withholds('readout')) {
      ['maxwell', 'gibbs', 'helmholtz'].forEach((id) => { byId(id + '-description').textContent = tr('withheld'); });
      return;
    }
    const t = units.chosen() ? `${f[COEX.t]} (T = ${units.siText('t', f[COEX.t])} K)` : f[COEX.t];
    const at = (q, k) => units.beside(q, Number(f[k]), f[k]);
    byId('maxwell-description').textContent = named(tr('maxwellDescription', {
      t, vl: at('v', COEX.vl), vg: at('v', COEX.vg), vlmax: at('v', COEX.vlmax), plmin: at('p', COEX.plmin),
      vgmin: at('v', COEX.vgmin), pgmax: at('p', COEX.pgmax), p: at('p', COEX.p),
      areaLiquid: units.beside('w', shown.areaLiquid, area(shown.areaLiquid)),
      areaGas: units.beside('w', shown.areaGas, area(shown.areaGas)) }) +
      (trial ? ' ' + tr('trialDescription', { p: units.beside('p', trial.p, trial.p.toFixed(6)),
        difference: units.beside('w', trial.areaGas - trial.areaLiquid, signed(trial.areaGas - trial.areaLiquid)),
        gibbs: units.beside('e', trial.gl - trial.gg, signed(trial.gl - trial.gg)) }) : ''));
    byId('gibbs-description').textContent = named(tr('gibbsDescription', { t, p: at('p', COEX.p),
      plmin: at('p', COEX.plmin), pgmax: at('p', COEX.pgmax) }) + (state.gibbsZoom ? tr('gibbsZoomed') : ''));
    const touching = trial ? model.helmholtzTangent(atRow, trial) : null;
    byId('helmholtz-description').textContent = named(tr('helmholtzDescription', { t, p: at('p', COEX.p),
      vl: at('v', COEX.vl), vg: at('v', COEX.vg) }) + (touching ? tr('helmholtzTrialDescription',
      { p: units.beside('p', trial.p, trial.p.toFixed(6)), v: units.beside('v', touching.vTouch, touching.vTouch.toFixed(6)),
        gap: area(Math.abs(trial.areaGas - trial.areaLiquid)) }) : ''));
  }


  // The row's p, vl, vg, latent heat and the coexisting phases' s, h and g,
  // as printed or in the substance's units.
  function readouts(f, eq = []) {
    if (units.chosen()) {
      const kelvin = units.siValue('t', f[COEX.t]);
      byId('readout-heading').textContent = tr('readoutHeadingSi',
        { temperature: kelvin.toFixed(2), celsius: celsius(kelvin), t: f[COEX.t] });
      const pair = (q, a, b) => `${units.siText(q, eq[a])}, ${units.siText(q, eq[b])} ${SHOWN_UNIT[q].unit}`;
      const term = (key) => tr(key).replace(/ \(.*\)$/, '');  // without the reduced unit
      const items = [[tr('pressure'), units.withUnit('p', f[COEX.p])],
        [tr('liquidVolume'), units.withUnit('v', f[COEX.vl])], [tr('gasVolume'), units.withUnit('v', f[COEX.vg])],
        [tr('latentHeat'), units.withUnit('e', f[COEX.latent])], [term('entropies'), pair('s', PROP.sl, PROP.sg)],
        [term('enthalpies'), pair('e', PROP.hl, PROP.hg)], [term('gibbsEnergies'), pair('e', PROP.gl, PROP.gg)]];
      // The real fluid at this T, from its measured curves.
      const real = model.measuredAt(kelvin);
      if (real)
        items.push([tr('readoutMeasured'), real.solid ? tr('readoutSolid', { triple: real.tripleT })
          : tr('readoutMeasuredValues', { p: Number((real.p / 1000).toPrecision(6)),
            liquid: Number(real.liquid.toPrecision(5)), vapour: Number(real.vapour.toPrecision(5)),
            latent: Number((real.latent / 1000).toPrecision(4)) }), true]);
      setList(byId('readout'), items);
      return;
    }
    byId('readout-heading').textContent = tr('readoutHeading', { t: f[COEX.t] });
    const pair = (a, b) => `${shownField(eq[a])}, ${shownField(eq[b])}`;
    setList(byId('readout'), [[tr('pressure'), f[COEX.p]], [tr('liquidVolume'), f[COEX.vl]],
      [tr('gasVolume'), f[COEX.vg]], [tr('latentHeat'), shownField(f[COEX.latent])],
      [tr('entropies'), pair(PROP.sl, PROP.sg)], [tr('enthalpies'), pair(PROP.hl, PROP.hg)],
      [tr('gibbsEnergies'), pair(PROP.gl, PROP.gg)]]);
  }

  // The Maxwell chart's volume axis from vMin to vMax, linear or log as chosen.
  function volumeAxis(vMin, vMax) {
    const m = charts.maxwell;
    const x = m.options.scales.x;
    if (x.type !== (state.logAxis ? 'logarithmic' : 'linear')) {
      // The styled title, labels and unit go with the axis.
      const styled = state.logAxis ? logAxis({}) : axis({});
      if (x.ticks.callback)
        Object.assign(styled.ticks, { callback: x.ticks.callback, color: x.ticks.color });
      if (x.afterBuildTicks)
        Object.assign(styled, { afterBuildTicks: x.afterBuildTicks, grid: x.grid });
      m.options.scales.x = Object.assign(styled, { title: x.title });
    }
    Object.assign(m.options.scales.x, { min: vMin, max: vMax });
  }

  // The isotherm, its parts by stability, the tie line with its two areas (or
  // the trial line's), on a linear volume axis from just below the liquid to
  // just above the gas, or a log one.
  function drawIsotherm(t, s, trial) {
    const m = charts.maxwell;
    const shown = trial || s;
    const vLow = Math.min(s.vl, shown.vl), vHigh = Math.max(s.vg, shown.vg);
    const span = vHigh - vLow;
    const low = Math.min(s.plmin, shown.p), high = Math.max(s.pgmax, shown.p);
    const pad = (high - low) * (state.logAxis ? 0.35 : 0.12);
    const b = model.covolume();
    const vMin = state.logAxis ? Math.max(vLow * 0.85, (vLow + b) / 2) : Math.max(vLow - span * 0.06, (vLow + b) / 2);
    // In the lab the axis reaches the piston's largest volume, where compressing starts.
    const piston = state.chapter === 'lab' && !trial ? model.processRange() : null;
    const vMax = state.logAxis ? vHigh * 1.6 : Math.max(vHigh + span * 0.06, piston ? piston[1] * 1.03 : 0);
    volumeAxis(vMin, vMax);
    Object.assign(m.options.scales.y, { min: low - pad, max: high + pad });
    const curve = model.shownIsotherm(t, volumes(vMin, vMax, 80,
      [s.vl, s.vlmax, s.vMiddle, s.vgmin, s.vg, shown.vl, shown.vMiddle, shown.vg]));
    const part = (from, to) => curve.filter((q) => q.x >= from && q.x <= to);
    dataset(m, 'stable-liquid').data = part(vMin, s.vl);
    dataset(m, 'metastable-liquid').data = part(s.vl, s.vlmax);
    dataset(m, 'unstable').data = part(s.vlmax, s.vgmin);
    dataset(m, 'metastable-gas').data = part(s.vgmin, s.vg);
    dataset(m, 'stable-gas').data = part(s.vg, vMax);
    dataset(m, 'supercritical').data = [];
    dataset(m, 'critical').data = [];
    dataset(m, 'tie-line').data = [{ x: s.vl, y: s.p }, { x: s.vg, y: s.p }];
    dataset(m, 'trial-line').data = trial ? [{ x: trial.vl, y: trial.p }, { x: trial.vg, y: trial.p }] : [];
    Object.assign(dataset(m, 'area-liquid'), { data: part(shown.vl, shown.vMiddle), fill: { value: shown.p } });
    Object.assign(dataset(m, 'area-gas'), { data: part(shown.vMiddle, shown.vg), fill: { value: shown.p } });
    dataset(m, 'limits').data = [{ x: s.vlmax, y: s.plmin }, { x: s.vgmin, y: s.pgmax }];
    const vOperating = model.operatingVolume();
    dataset(m, 'operating-point').data = vOperating === null ? [] : [{ x: vOperating, y: s.p }];
    m.update('none');
    legend('maxwell', m);
  }

  // An isotherm's five branches by stability, as the model samples them,
  // on the Gibbs or the Helmholtz chart; the supercritical curve cleared.
  function drawBranches(chart, branches) {
    dataset(chart, 'stable-liquid').data = branches.liquid;
    dataset(chart, 'metastable-liquid').data = branches.metastableLiquid;
    dataset(chart, 'unstable').data = branches.unstable;
    dataset(chart, 'metastable-gas').data = branches.metastableGas;
    dataset(chart, 'stable-gas').data = branches.gas;
    dataset(chart, 'supercritical').data = [];
  }

  // g against p along the isotherm, each branch as the model samples it by
  // pressure; they cross at the vapour pressure, and the stable ones, the
  // lowest, are drawn boldest.
  function drawGibbs(t, s, trial, c = state.c) {
    const g = charts.gibbs;
    const chart = model.gibbsChart(s, trial, c);
    drawBranches(g, chart);
    dataset(g, 'vapour-point').data = [{ x: s.p, y: s.gl }];
    dataset(g, 'trial-gap').data = trial ? [{ x: trial.p, y: trial.gl }, { x: trial.p, y: trial.gg }] : [];
    Object.assign(g.options.scales.x, { min: chart.xMin, max: chart.xMax });
    Object.assign(g.options.scales.y, { min: undefined, max: undefined });
    g.update('none');
    legend('gibbs', g);
  }

  // f against v along the isotherm, each branch as the program samples it,
  // with the line of slope −p it finds touching f: at the vapour pressure
  // the common tangent, touching at vl and vg; at a trial pressure the
  // tangent at its stable end, and the gap to f at the other.
  function drawHelmholtz(s, trial, c = state.c) {
    const h = charts.helmholtz;
    const chart = model.helmholtzChart(s, trial, c);
    drawBranches(h, chart);
    dataset(h, 'common-tangent').data = trial ? [] : chart.tangent;
    dataset(h, 'trial-tangent').data = trial ? chart.tangent : [];
    dataset(h, 'tangent-gap').data = chart.gap;
    dataset(h, 'touching').data = chart.touching;
    Object.assign(h.options.scales.x, { min: chart.xMin, max: chart.xMax });
    h.update('none');
    legend('helmholtz', h);
  }

  // Above the table: the model's isotherm with no tie line, and why.
  function showAboveTable(t) {
    byId('t-note').textContent = tr(model.chosenT() === 1 ? 'criticalNote' : 'aboveNote');
    byId('readout-heading').textContent = tr('readoutHeading', { t: shownT() });
    setList(byId('readout'), [[tr('tableRow'), tr('noRow')]]);
    setList(byId('areas'), []);
    delete byId('areas').dataset.p;
    byId('area-bars').hidden = true;
    byId('v-operating-si').textContent = '';
    byId('trial-verdict').textContent = '';
    byId('fractions').textContent = '';
    byId('maxwell-summary').textContent = byId('t-note').textContent;
    byId('v-operating').value = '';
    ['p-trial', 'p-reset', 'v-operating'].forEach((id) => { byId(id).disabled = true; });
    byId('p-trial-value').textContent = '';
    if (made) {
      lastIsotherm = null;
      const m = charts.maxwell;
      const vMin = 0.45, vMax = state.logAxis ? 10 : 4;
      volumeAxis(vMin, vMax);
      Object.assign(m.options.scales.y, { min: 0, max: 2.2 });
      m.data.datasets.forEach((d) => { d.data = []; });
      dataset(m, 'supercritical').data = model.shownIsotherm(t, volumes(vMin, vMax, 200, [1]));
      if (model.chosenT() === 1)
        dataset(m, 'critical').data = [{ x: 1, y: 1 }];
      m.update('none');
      const g = charts.gibbs;
      g.data.datasets.forEach((d) => { d.data = []; });
      dataset(g, 'supercritical').data = model.gibbsAbove(t, volumes(vMin, 10, 200, [1]), 2.2);
      Object.assign(g.options.scales.x, { min: 0, max: 2.2 });
      g.update('none');
      charts.helmholtz.data.datasets.forEach((d) => { d.data = []; });
      charts.helmholtz.update('none');
      ['maxwell', 'gibbs', 'helmholtz'].forEach((name) => legend(name, charts[name]));
    }
    byId('helmholtz-description').textContent = named(byId('t-note').textContent);
    byId('maxwell-description').textContent = named(byId('t-note').textContent);
    byId('gibbs-description').textContent = named(tr('gibbsAboveDescription', { t: t.toFixed(3) }));
  }

  function dragOnTheChart() {
    const canvas = byId('maxwell');
    let dragging = null;  // 'volume', 'pressure' or null
    const valueAt = (event) => {
      const m = charts.maxwell;
      return { v: m.scales.x.getValueForPixel(event.offsetX), p: m.scales.y.getValueForPixel(event.offsetY) };
    };
    const move = (event) => {
      if (!dragging || !model.shownState() || !made)
        return;
      const at = valueAt(event);
      if (dragging === 'volume') {
        fieldError(byId('v-operating'), 'v-error', null);
        const [vl, vg] = model.tieLineEnds();
        model.setOperatingVolume(Math.min(vg, Math.max(vl, Number(at.v.toFixed(3)))), true);
      } else {
        const slider = byId('p-trial');
        model.setTrialP(Math.min(Number(slider.max), Math.max(Number(slider.min), at.p)), true);
      }
    };
    const end = () => {
      if (dragging)
        if (dragging === 'volume')
          announce(byId('fractions').textContent);
        else
          announce(byId('trial-verdict').textContent, 'verdict');
      dragging = null;
    };
    // What a press at (x, y) on the canvas takes hold of: the operating point,
    // the line (its pressure), or nothing.
    const grab = (x, y) => {
      const chosen = model.shownState();
      if (!chosen || !made)
        return null;
      const m = charts.maxwell;
      const lineP = state.trialP === null ? chosen.s.p : state.trialP;
      const point = dataset(m, 'operating-point').data[0];
      if (point && Math.hypot(m.scales.x.getPixelForValue(point.x) - x, m.scales.y.getPixelForValue(point.y) - y) <= 16)
        return 'volume';
      return Math.abs(m.scales.y.getPixelForValue(lineP) - y) <= 12 ? 'pressure' : null;
    };
    // A touch that starts on the point or the line drags it; any other
    // scrolls the page, as the canvas lets vertical pans through.
    canvas.addEventListener('touchstart', (event) => {
      const box = canvas.getBoundingClientRect();
      const touch = event.touches[0];
      if (touch && grab(touch.clientX - box.left, touch.clientY - box.top))
        event.preventDefault();
    }, { passive: false });
    canvas.addEventListener('pointerdown', (event) => {
      const what = grab(event.offsetX, event.offsetY);
      // A mouse moves the point from anywhere on the chart.
      if (!model.shownState() || !made || (!what && event.pointerType === 'touch'))
        return;
      dragging = what || 'volume';
      canvas.setPointerCapture(event.pointerId);
      move(event);
    });
    canvas.addEventListener('pointermove', move);
    ['pointerup', 'pointercancel', 'lostpointercapture'].forEach((name) => canvas.addEventListener(name, end));
  }

  model.on('chosen', ({ deferred }) => {
    fieldError(byId('v-operating'), 'v-error', null);
    showChosen(deferred);
  });
  model.on('maxwell', ({ deferred, what }) => {
    if (what === 'axis')
      byId('log-note').hidden = !state.logAxis;
    showMaxwell(deferred);
    if (what === 'axis')
      restyle(['maxwell']);
  });
  model.on('playing', ({ on }) => {
    const button = byId('play');
    button.setAttribute('aria-pressed', String(on));
    button.textContent = tr(on ? 'stop' : 'play');
  });
  model.on('run', () => {
    enable();
    showChosen();
  });
  model.on('language', () => {
    restyle();
    if (state.coexistenceRows.length)
      showChosen();
    else if (warmRow)
      describeRow(warmRow.fields, warmRow.s, null);
    else
      ['maxwell', 'gibbs', 'helmholtz'].forEach((id) => { byId(id + '-description').textContent = tr('noData'); });
  });
  model.on('fluid', () => restyle());
  model.on('eos', () => {
    lastIsotherm = null;
    restyle();
    if (state.coexistenceRows.length)
      showChosen();
  });
  // Into the lab or out of it, the volume axis is drawn again.
  let inLab = false;
  model.on('chapter', () => {
    if (inLab !== (state.chapter === 'lab')) {
      inLab = !inLab;
      showMaxwell();
    }
  });
  // An exercise answered gives back what it held.
  model.on('exercise', () => {
    if (made && state.coexistenceRows.length)
      showChosen();
  });
  listen();

  return {
    charts,
    makers: [makeMaxwellChart, makeGibbsChart, makeHelmholtzChart],
    ready() {
      made = true;
      restyle();
      if (state.coexistenceRows.length)
        showChosen();
    },
    restyle,
    warmUp,
  };
}
