// A real substance's units: the page shows the program's reduced numbers in
// the chosen substance's SI units (scaled to handy ones), or as printed.
// Every number in SI units comes from the program; this only formats.
import { shownField } from './columns.js';

// How the page shows the program's quantities (t, p, v, s, an energy): its
// SI unit scaled to a handy one.
export const SHOWN_UNIT = {
  t: { unit: 'K', scale: 1 },
  p: { unit: 'kPa', scale: 1e-3 },
  v: { unit: 'cm³/mol', scale: 1e6 },
  s: { unit: 'J/(mol·K)', scale: 1 },
  e: { unit: 'kJ/mol', scale: 1e-3 },
  w: { unit: 'J/mol', scale: 1 },
};

// A larger unit an axis shows where its numbers would reach four digits in
// the handy one (water's pressures to 26 000 kPa, a gas's volumes to
// 5 800 cm³/mol): how many of the handy unit it is.
const LARGER_UNIT = { p: { unit: 'MPa', size: 1000 }, v: { unit: 'dm³/mol', size: 1000 },
  kPa: { unit: 'MPa', size: 1000 } };

// The axes' quantities, by chart: the program's reduced ones, or 'kPa' for
// an axis whose points are already in kPa (the measured curves').
const AXIS_QUANTITIES = { pv: ['v', 'p'], pt: ['t', 'p'], heat: ['t', 'e'], properties: ['t', null], ts: ['s', 't'],
  'nature-pressure': [null, 'kPa'],
  maxwell: ['v', 'p'], gibbs: ['p', 'e'], helmholtz: ['v', null] };

export function celsius(kelvin) {
  return (kelvin - 273.15).toFixed(2) + ' °C';
}

// The units of the model's chosen substance; its volumes by van der Waals's
// Vc, or by the chosen equation's where toSi is the model's shownToSi.
export function createUnits(model, toSi = (q, x) => model.toSi(q, x)) {
  const state = model.state;
  const chosen = () => state.fluid >= 0;

  // A reduced number of quantity q in the unit the page shows it in.
  const siValue = (q, x) => toSi(q, x) * SHOWN_UNIT[q].scale;

  // Six significant digits, trailing zeros kept so that a column's digits
  // line up, as the page shows SI numbers; T with two decimals.
  const siText = (q, x, digits = 6) => {
    const y = siValue(q, Number(x));
    if (!Number.isFinite(y))
      return shownField(String(x));
    return q === 't' ? y.toFixed(2) : y.toPrecision(digits);
  };

  const withUnit = (q, x) => siText(q, x) + ' ' + SHOWN_UNIT[q].unit;

  // A reduced number's text, with its value in the substance's unit beside
  // it where one is chosen.
  const beside = (q, x, text) => (chosen() ? `${text} (${withUnit(q, x)})` : text);

  // A reduced number in the substance's unit where one is chosen, else with
  // `digits` decimals.
  // Not a number as the reports print it (nan, inf), not as JavaScript does.
  const shown = (q, x, digits = 6) => (!Number.isFinite(x) ? shownField(String(x).replace('Infinity', 'inf'))
    : chosen() ? withUnit(q, x) : x.toFixed(digits));

  const axisQuantity = (name, id) => {
    const quantities = AXIS_QUANTITIES[name] || [];
    const q = quantities[id === 'x' ? 0 : 1];
    return q === null && name === 'properties' ? (state.quantity === 'h' ? 'e' : 's') : q;
  };

  return {
    chosen,
    siValue,
    siText,
    withUnit,
    beside,
    shown,
    axisQuantity,

    // A table's rows as the page shows them: as printed, or in SI units.
    shownRows(rows, quantities) {
      if (!chosen())
        return rows;
      return rows.map((cells) => cells.map((text, k) =>
        quantities[k] && /^[-+]?[0-9]/.test(text) ? siText(quantities[k], text) : text));
    },

    // A table's heads, with the units where a substance is chosen.
    withUnits(heads, quantities) {
      if (!chosen())
        return heads;
      return heads.map(([name, title], k) => {
        const q = quantities[k];
        const shown = q === 't' ? 'T' : name;
        return [q ? `${shown} (${SHOWN_UNIT[q].unit})` : shown, title];
      });
    },

    // The unit an axis of quantity q shows, for its largest value `largest`
    // (in the axis's own numbers): { unit, factor }, the unit's name (null in
    // reduced units) and how many of it one of the axis's numbers is. The
    // handy unit, or a thousand times it where that would take four digits.
    axisUnit(q, largest) {
      const inKpa = q === 'kPa';
      if (!q || (!inKpa && !chosen()))
        return { unit: null, factor: 1 };
      const handy = inKpa ? { unit: 'kPa', factor: 1 } : { unit: SHOWN_UNIT[q].unit, factor: siValue(q, 1) };
      const larger = LARGER_UNIT[q];
      return larger && Math.abs(largest * handy.factor) >= 1000
        ? { unit: larger.unit, factor: handy.factor / larger.size } : handy;
    },

    // An axis's title in its unit: the quantity's symbol, or an energy's
    // name without its reduced unit ("(hg − hl)·27b/8a": hg − hl).
    axisTitle(title, q, unit) {
      if (!unit)
        return title;
      if (q === 'kPa')
        return title.replace(/\(kPa\)$/, `(${unit})`);
      const energy = title.replace(/·27b\/8a$/, '').replace(/^\((.*)\)$/, '$1');
      return { t: 'T', p: 'p', v: 'v', s: 's', e: energy }[q] + ` (${unit})`;
    },

    // An axis's labels: reduced as the chart library would give them but in
    // no locale's grouping (1000, never 1,000 on a page whose decimal sign is
    // the point), or in the axis's unit (round numbers there: see roundTicks).
    tickLabel(factor, log) {
      return (value) => (factor !== 1 || log ? String(Number((value * factor).toPrecision(factor !== 1 ? 6 : 3)))
        : String(Number(value.toPrecision(12))));
    },
  };
}
