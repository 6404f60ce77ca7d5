// A real substance in real units: the chooser, the tables, axes and
// readouts in SI units, the Maxwell view's temperature in kelvin, the
// boiling point at a pressure, and the SI tables to download. The
// substances, their constants and every number in SI units come from the
// program (data/substances.tsv, built into it); this file only formats.
'use strict';

state.fluid = -1;  // the chosen substance's index, or -1: reduced units

// How the page shows the program's quantities (t, p, v, s, an energy): its
// SI unit scaled to a handy one.
const SHOWN_UNIT = {
  t: { unit: 'K', scale: 1 },
  p: { unit: 'kPa', scale: 1e-3 },
  v: { unit: 'cm³/mol', scale: 1e6 },
  s: { unit: 'J/(mol·K)', scale: 1 },
  e: { unit: 'kJ/mol', scale: 1e-3 },
};

// The axes' quantities, by chart.
const AXIS_QUANTITIES = { pv: ['v', 'p'], pt: ['t', 'p'], heat: ['t', 'e'], properties: ['t', null], ts: ['s', 't'],
  maxwell: ['v', 'p'], gibbs: ['p', 'e'] };

// The chosen substance: its names, constants and measured point.
function chosenFluid() {
  return state.program.substances[state.fluid];
}

function fluidName(i) {
  const fluid = state.program.substances[i];
  return (state.lang === 'en' ? fluid.nameEn : fluid.nameEs) + ' (' + fluid.formula + ')';
}

// A reduced number of quantity q in the unit the page shows it in.
function siValue(q, x) {
  return state.program.toSi(state.fluid, q, x) * SHOWN_UNIT[q].scale;
}

// Six significant digits, as the page shows SI numbers; T with two decimals.
function siText(q, x, digits = 6) {
  const y = siValue(q, Number(x));
  if (!Number.isFinite(y))
    return shownField(String(x));
  return q === 't' ? y.toFixed(2) : String(Number(y.toPrecision(digits)));
}

function withUnit(q, x) {
  return siText(q, x) + ' ' + SHOWN_UNIT[q].unit;
}

function celsius(kelvin) {
  return (kelvin - 273.15).toFixed(2) + ' °C';
}

// A table's rows as the page shows them: as printed, or in SI units.
function shownRows(rows, quantities) {
  if (state.fluid < 0)
    return rows;
  return rows.map((cells) => cells.map((text, k) =>
    quantities[k] && /^[-+]?[0-9]/.test(text) ? siText(quantities[k], text) : text));
}

// A table's heads, with the units where a substance is chosen.
function withUnits(heads, quantities) {
  if (state.fluid < 0)
    return heads;
  return heads.map(([name, title], k) => {
    const q = quantities[k];
    const shown = q === 't' ? 'T' : name;
    return [q ? `${shown} (${SHOWN_UNIT[q].unit})` : shown, title];
  });
}

function axisQuantity(name, id) {
  const quantities = AXIS_QUANTITIES[name] || [];
  const q = quantities[id === 'x' ? 0 : 1];
  return q === null && name === 'properties' ? (quantity() === 'h' ? 'e' : 's') : q;
}

function axisTitle(title, q) {
  if (state.fluid < 0 || !q)
    return title;
  return { t: 'T', p: 'p', v: 'v', s: 's', e: title.split(' ')[0] }[q] + ` (${SHOWN_UNIT[q].unit})`;
}

// An axis's labels: reduced as before, or in the substance's units.
function tickLabel(q, log) {
  return function label(value, index, ticks) {
    if (state.fluid >= 0 && q)
      return siText(q, value, 3);
    return log ? String(Number(value.toPrecision(3))) : Chart.Ticks.formatters.numeric.call(this, value, index, ticks);
  };
}

// The chosen t's row in SI units.
function fluidReadouts(f, eq) {
  const kelvin = siValue('t', f[COEX.t]);
  byId('readout-heading').textContent = tr('readoutHeadingSi',
    { temperature: kelvin.toFixed(2), celsius: celsius(kelvin), t: f[COEX.t] });
  const pair = (q, a, b) => `${siText(q, eq[a])}, ${siText(q, eq[b])} ${SHOWN_UNIT[q].unit}`;
  const term = (key) => tr(key).replace(/ \(.*\)$/, '');  // without the reduced unit
  setList(byId('readout'), [[tr('pressure'), withUnit('p', f[COEX.p])], [tr('liquidVolume'), withUnit('v', f[COEX.vl])],
    [tr('gasVolume'), withUnit('v', f[COEX.vg])], [tr('latentHeat'), withUnit('e', f[COEX.latent])],
    [term('entropies'), pair('s', PROP.sl, PROP.sg)], [term('enthalpies'), pair('e', PROP.hl, PROP.hg)],
    [term('gibbsEnergies'), pair('e', PROP.gl, PROP.gg)]]);
}

// The Maxwell view's temperature in kelvin, beside t.
function showKelvin() {
  const field = byId('t-kelvin');
  if (state.fluid < 0 || !field)
    return;
  if (document.activeElement !== field)
    field.value = siValue('t', state.tMilli / 1000).toFixed(2);
}

// The chooser's entries, in the page's language.
function nameFluids() {
  const select = byId('fluid');
  if (!select || !state.program)
    return;
  const count = state.program.substances.length;
  select.innerHTML = `<option value="-1">${tr('reducedUnits')}</option>` +
    Array.from({ length: count }, (_, i) => `<option value="${i}">${fluidName(i)}</option>`).join('');
  select.value = String(state.fluid);
  if (state.fluid >= 0)
    showFluidNote();
}

function showFluidNote() {
  const fluid = chosenFluid();
  byId('fluid-note').textContent = tr('fluidNote', { name: fluidName(state.fluid), tc: fluid.tc,
    pc: fluid.pc, vc: String(Number((fluid.vc * 1e6).toPrecision(6))), c: fluid.c, source: fluid.source });
}

function makeFluids() {
  const select = byId('fluid');
  nameFluids();
  select.disabled = false;
  select.addEventListener('change', () => chooseFluid(Number(select.value)));
  byId('t-kelvin').addEventListener('change', (event) => {
    const t = state.program.fromSi(state.fluid, 't', typedNumber(event.target.value));
    const milli = Math.round(t * 1000);
    if (!(milli >= T_MIN_MILLI && milli <= T_MAX_MILLI)) {
      fieldError(event.target, 't-error', tr('kelvinInvalid', { low: siText('t', T_MIN_MILLI / 1000),
        high: siText('t', T_MAX_MILLI / 1000) }));
      return;
    }
    fieldError(event.target, 't-error', null);
    stopPlaying();
    chooseT(milli);
  });
  byId('boil-form').addEventListener('submit', (event) => {
    event.preventDefault();
    showBoiling();
  });
}

// A substance chosen (or reduced units again): its c is run, and every view
// shows its units.
function chooseFluid(i) {
  state.fluid = i;
  const chosen = i >= 0;
  ['fluid-details', 't-kelvin-field', 'si-files'].forEach((id) => { byId(id).hidden = !chosen; });
  byId('boil-result').textContent = '';
  if (chosen) {
    showFluidNote();
    byId('c').value = String(chosenFluid().c);
  }
  // The run shows every table in the new units; the charts' titles follow.
  tableHeads();
  state.coexistenceKey = null;
  if (chosen || state.runs)
    compute(byId('c').value);
  restyleCharts();
}

// After a run with a substance: its SI tables to download.
function offerSiFiles() {
  if (state.fluid < 0)
    return;
  const files = state.run.siFiles(state.fluid);
  ['coex-si', 'prop-si'].forEach((id, k) => {
    const link = byId(id);
    if (link.href.startsWith('blob:'))
      URL.revokeObjectURL(link.href);
    link.href = URL.createObjectURL(new Blob([files[k]], { type: 'text/csv' }));
  });
}

// The boiling point at the pressure typed, in kPa: the model's, and the
// measured one where the table's point is at that pressure.
function showBoiling() {
  const field = byId('boil-p');
  const pressure = typedNumber(field.value) * 1000;
  const program = state.program;
  const result = byId('boil-result');
  // With the last run's c (the one the page shows), 1.5 before any.
  const boiling = pressure > 0 ? program.boilingAt(state.fluid, pressure, state.c === null ? 1.5 : state.c) : null;
  if (!boiling) {
    const range = program.boilingRange(state.fluid);
    const [low, high] = [range.lowest, range.highest].map((x) => String(Number((x / 1000).toPrecision(4))));
    fieldError(field, 'boil-error', tr('boilInvalid', { low, high }));
    result.textContent = '';
    return;
  }
  fieldError(field, 'boil-error', null);
  const fluid = chosenFluid();
  const kelvin = boiling.temperature;
  const measured = Math.abs(fluid.refP - pressure) <= 1e-6 * pressure;
  const items = [[tr('boilModel'), `${kelvin.toFixed(2)} K (${celsius(kelvin)}), ` +
      tr('boilLatent', { latent: Number((boiling.latent / 1000).toPrecision(4)) })],
    [tr('boilVolumes'), `${Number((boiling.vl * 1e6).toPrecision(5))}, ${Number((boiling.vg * 1e6).toPrecision(5))} cm³/mol`],
    measured ? [tr('boilMeasured'), `${fluid.refT} K (${celsius(fluid.refT)}), ` +
      tr('boilLatent', { latent: fluid.refLatent / 1000 })]
      : [tr('boilMeasuredElsewhere'), tr('boilReference', { temperature: fluid.refT,
        pressure: fluid.refP / 1000, latent: fluid.refLatent / 1000 })]];
  setList(result, items);
  announce(items.map(([a, b]) => `${a}: ${b}`).join('. '));
}
