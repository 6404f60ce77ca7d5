// The reports' columns, named once, and the table's temperatures.

// vdw_coex.dat's and clatente.dat's columns.
export const COEX = { t: 0, p: 1, vl: 2, vg: 3, vlmax: 4, plmin: 5, vgmin: 6, pgmax: 7, latent: 8 };
export const PROP = { t: 0, state: 1, p: 2, vl: 3, vg: 4, sl: 5, sg: 6, hl: 7, hg: 8, gl: 9, gg: 10, ul: 11, ug: 12 };

// What each column measures, for a substance's SI units: t, p, v, s or an
// energy (h, g, u, the latent heat); null for the state.
export const COEX_QUANTITIES = ['t', 'p', 'v', 'v', 'v', 'p', 'v', 'p', 'e'];
export const PROP_QUANTITIES = ['t', null, 'p', 'v', 'v', 's', 's', 'e', 'e', 'e', 'e', 'e', 'e'];

// The table runs from t = 0.999 (row 0) down to 0.501; the Maxwell view
// takes t, in thousandths, from the table's lowest up to 1.2.
export const LAST_ROW_MILLI = 999;
export const FIRST_ROW_MILLI = 501;
export const T_MAX_MILLI = 1200;

// The row of vdw_coex.dat at t (in thousandths), or -1 off the table.
export function rowAt(milli) {
  return milli <= LAST_ROW_MILLI && milli >= FIRST_ROW_MILLI ? LAST_ROW_MILLI - milli : -1;
}

// A printed field as the page shows it: one way to write nan.
export function shownField(field) {
  return /^[-+]?nan$/i.test(field) ? 'nan' : field;
}

// What is smaller than this is below the precision of the searches behind
// an area (their crossings to twelve digits) and rounding noise: printed
// as 0, not as 3.13326e-16.
const BELOW_PRECISION = 1e-12;

// An area or an energy, as the files print them: six decimals, or six
// significant digits where it is smaller than that shows (near the critical
// point); nan as the page writes it.
export function area(x) {
  if (!Number.isFinite(x))
    return 'nan';
  if (Math.abs(x) < BELOW_PRECISION)
    return '0';
  return Math.abs(x) >= 0.01 ? x.toFixed(6) : x.toExponential(5);
}

// A difference of areas or energies, with its sign: six decimals as the
// areas have where it is as large, else three significant digits (near
// zero, at the vapour pressure, only its size matters). The minus is the
// reports' and the SI values' beside it, the ASCII one.
export function signed(x) {
  if (!Number.isFinite(x))
    return 'nan';
  if (Math.abs(x) < BELOW_PRECISION)
    return '0';
  return (x >= 0 ? '+' : '-') + (Math.abs(x) >= 0.01 ? Math.abs(x).toFixed(6) : Math.abs(x).toExponential(2));
}
