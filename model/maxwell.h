// Maxwell's equal-area construction on one isotherm, for showing it: the tie
// line at the vapour pressure p from the liquid volume vl to the gas volume
// vg cuts the isotherm a third time at v_middle, between the stability
// limits; the isotherm dips below the line on the liquid side and rises
// above it on the gas side, and the two areas between them are equal at the
// vapour pressure.
#pragma once

struct MaxwellAreas {
    double v_middle;     // where the isotherm crosses the tie line between vl and vg
    double liquid_area;  // between the line and the isotherm below it, from vl to v_middle
    double gas_area;     // between the isotherm above the line and the line, from v_middle to vg
};

// On the isotherm at_t, from the integral of p dv along it; v_middle is
// searched between vlmax and vgmin.
MaxwellAreas maxwell_areas(double at_t, double p, double vl, double vg, double vlmax, double vgmin);

// Lever rule: the share of the substance that is gas at overall volume v on
// the tie line from vl to vg.
double gas_fraction(double v, double vl, double vg);
