// A real substance in real units: the chooser, the Maxwell view's
// temperature in kelvin, the boiling point at a pressure, and the SI tables
// to download. The substances, their constants and every number in SI
// units come from the program (data/substances.tsv, built into it); this
// only formats.
import { T_MAX_MILLI } from './columns.js';
import { byId, fieldError, offerBytes, setList, typedNumber } from './dom.js';
import { celsius } from './units.js';

export function createFluidView(model, { units, announce }) {
  const state = model.state;
  const tr = model.tr;

  const fluidName = (i) => model.fluidName(i);

  // The chooser's entries, in the page's language.
  function nameFluids() {
    const select = byId('fluid');
    if (!model.ready())
      return;
    select.innerHTML = `<option value="-1">${tr('reducedUnits')}</option>` +
      model.substances().map((_, i) => `<option value="${i}">${fluidName(i)}</option>`).join('');
    select.value = String(state.fluid);
    if (state.fluid >= 0)
      showFluidNote();
  }

  function showFluidNote() {
    const fluid = model.chosenFluid();
    byId('fluid-note').textContent = tr('fluidNote', { name: fluidName(state.fluid), tc: fluid.tc,
      pc: fluid.pc, vc: String(Number((fluid.vc * 1e6).toPrecision(6))), c: fluid.c, source: fluid.source });
  }

  // The Maxwell view's temperature in kelvin, beside t.
  function showKelvin() {
    const field = byId('t-kelvin');
    if (!units.chosen())
      return;
    if (document.activeElement !== field)
      field.value = units.siValue('t', model.chosenT()).toFixed(2);
  }

  // After a run with a substance: its SI tables to download.
  function offerSiFiles() {
    if (!units.chosen())
      return;
    const files = model.siFiles();
    ['coex-si', 'prop-si'].forEach((id, k) => offerBytes(byId(id), files[k], 'text/csv'));
    nameNatureFile();
    offerBytes(byId('nature-file'), model.natureFile(), 'text/csv');
  }

  function nameNatureFile() {
    if (!units.chosen())
      return;
    const nature = byId('nature-file'), key = model.chosenFluid().key;
    nature.download = `nature_${key}.csv`;
    nature.textContent = tr('natureFile', { key });
  }

  // The boiling point at the pressure typed, in kPa: the model's, and the
  // measured one where the table's point is at that pressure.
  function showBoiling() {
    const field = byId('boil-p');
    const pressure = typedNumber(field.value) * 1000;
    const result = byId('boil-result');
    const boiling = model.boilingAt(pressure);
    if (!boiling) {
      const range = model.boilingRange();
      const [low, high] = [range.lowest, range.highest].map((x) => String(Number((x / 1000).toPrecision(4))));
      fieldError(field, 'boil-error', tr('boilInvalid', { low, high }));
      result.textContent = '';
      byId('boil-show').hidden = true;
      return;
    }
    fieldError(field, 'boil-error', null);
    const fluid = model.chosenFluid();
    const kelvin = boiling.temperature;
    const measured = Math.abs(fluid.refP - pressure) <= 1e-6 * pressure;
    const items = [[tr('boilModel'), `${kelvin.toFixed(2)} K (${celsius(kelvin)}), ` +
        tr('boilLatent', { latent: Number((boiling.latent / 1000).toPrecision(4)) })],
      [tr('boilVolumes'), `${Number((boiling.vl * 1e6).toPrecision(5))}, ${Number((boiling.vg * 1e6).toPrecision(5))} cm³/mol`],
      measured ? [tr('boilMeasured'), `${fluid.refT} K (${celsius(fluid.refT)}), ` +
        tr('boilLatent', { latent: fluid.refLatent / 1000 })]
        : [tr('boilMeasuredElsewhere'), tr('boilReference', { temperature: fluid.refT,
          pressure: fluid.refP / 1000, latent: fluid.refLatent / 1000 })]];
    // The real fluid at that pressure, from its measured curves.
    const real = boiling.measured;
    if (real)
      items.push([tr('boilCurves'), `${real.temperature.toFixed(2)} K (${celsius(real.temperature)}), ` +
        tr('boilLatent', { latent: Number((real.latent / 1000).toPrecision(4)) }) + ', ' +
        tr('boilDensities', { liquid: Number(real.liquid.toPrecision(4)), vapour: Number(real.vapour.toPrecision(4)) })]);
    else if (boiling.belowTriple)
      items.push([tr('boilCurves'), tr('boilSolid')]);
    setList(result, items);
    announce(items.map(([a, b]) => `${a}: ${b}`).join('. '), 'boiling');
    boilingT = boiling.t;
    byId('boil-show').hidden = false;
  }

  // The boiling point's state in the Maxwell view.
  let boilingT = null;
  byId('boil-show').addEventListener('click', () => {
    model.stopPlaying();
    model.chooseAnyT(boilingT);
    byId('maxwell-heading').scrollIntoView();
  });

  byId('fluid').addEventListener('change', (event) => model.chooseFluid(Number(event.target.value)));
  byId('t-kelvin').addEventListener('change', (event) => {
    const t = model.fromSi('t', typedNumber(event.target.value));
    const [low, high] = [model.lowestMilli() / 1000, T_MAX_MILLI / 1000];
    if (!(t >= low && t <= high)) {
      fieldError(event.target, 't-error', tr('kelvinInvalid', { low: units.siText('t', low),
        high: units.siText('t', high) }));
      return;
    }
    fieldError(event.target, 't-error', null);
    model.stopPlaying();
    // A whole number of kelvin is that temperature, not the nearest row.
    model.chooseAnyT(t);
  });
  byId('boil-form').addEventListener('submit', (event) => {
    event.preventDefault();
    showBoiling();
  });

  model.on('program', ({ ready }) => {
    if (!ready)
      return;
    nameFluids();
    byId('fluid').disabled = false;
  });
  model.on('language', () => { nameFluids(); nameNatureFile(); });
  model.on('chosen', showKelvin);
  model.on('run', () => { offerSiFiles(); showKelvin(); });
  model.on('fluid', () => {
    const chosen = units.chosen();
    ['fluid-details', 't-kelvin-field', 'si-files'].forEach((id) => { byId(id).hidden = !chosen; });
    byId('boil-result').textContent = '';
    byId('boil-show').hidden = true;
    if (chosen)
      showFluidNote();
  });
  return {};
}
