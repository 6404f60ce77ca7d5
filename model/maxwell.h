// Maxwell's equal-area construction on one isotherm, for showing it: the tie
// line at the vapour pressure p from the liquid volume vl to the gas volume
// vg cuts the isotherm a third time at v_middle, between the stability
// limits; the isotherm dips below the line on the liquid side and rises
// above it on the gas side, and the two areas between them are equal at the
// vapour pressure.
//
// A line at any other pressure between the limits' pressures cuts the
// isotherm three times too; its two areas then differ, and so do the Gibbs
// energies of the liquid and the gas at its ends: gl - gg = 3/8 (gas_area -
// liquid_area), since g changes by v dp along the isotherm and Pcr Vcr is
// 3/8 of R Tcr. Both vanish at the vapour pressure only, which is why the
// vapour pressure is where it is.
#pragma once

#include <vector>

struct MaxwellAreas {
    double v_middle;     // where the isotherm crosses the tie line between vl and vg
    double liquid_area;  // between the line and the isotherm below it, from vl to v_middle
    double gas_area;     // between the isotherm above the line and the line, from v_middle to vg
};

// On the isotherm at_t, from the integral of p dv along it; v_middle is
// searched between vlmax and vgmin.
MaxwellAreas maxwell_areas(double at_t, double p, double vl, double vg, double vlmax, double vgmin);

// Where a line at pressure p cuts the isotherm at_t outside its stability
// limits vlmax and vgmin, for plmin <= p <= pgmax and p > 0: the liquid
// below vlmax, the gas above vgmin, each to twelve digits.
struct LineEnds {
    double vl, vg;
};
LineEnds line_ends(double at_t, double p, double vlmax, double vgmin);

// One phase's volume at pressure p > 0 on the isotherm at_t, to twelve
// digits: the liquid's below vlmax (for p >= plmin), or the gas's above
// vgmin (for p <= pgmax). From t = 1 up the isotherm has one volume at each
// pressure, and the limits are not used.
double phase_volume(double at_t, double p, bool liquid, double vlmax, double vgmin);

// A line at trial pressure p on the isotherm at_t, with stability limits at
// vlmax and vgmin, for plmin <= p <= pgmax and p > 0: where it cuts the
// isotherm, the areas between them, and the Gibbs energies at its ends.
struct TrialLine {
    double vl, vg;     // the liquid crossing (below vlmax) and the gas crossing (above vgmin)
    MaxwellAreas areas;
    double gl, gg;     // Gibbs energies at vl and vg, with Cv = cR
};
TrialLine trial_line(double at_t, double p, double vlmax, double vgmin, double c);

// Whether a trial line at pressure p cuts the isotherm three times, so that
// trial_line answers for it: p > 0, between the limits' pressures plmin and
// pgmax.
inline bool trial_line_reaches(double p, double plmin, double pgmax) { return p > 0 && p >= plmin && p <= pgmax; }

// Lever rule: the share of the substance that is gas at overall volume v on
// the tie line from vl to vg.
double gas_fraction(double v, double vl, double vg);

// The Gibbs energy against pressure along the isotherm at_t, with Cv = cR,
// for a chart that shows pressures from p_low to p_high: each branch of the
// swallowtail sampled at `count` + 1 pressures spread evenly over its part of
// that range, so that a branch only a sliver of volume wide (the liquid, at
// low t) is drawn as fully as the gas. The branches, each in increasing p:
// the stable liquid (from the vapour pressure p up), the metastable liquid
// (from its limit plmin up to p), the unstable part (plmin to pgmax), the
// metastable gas (p up to pgmax) and the stable gas (down from p, above 0).
// Each point is the volume found at its pressure, from the branch's own
// ends at the limits and at p, and g there. A branch with no part in the
// range is empty.
struct GibbsPoint {
    double p, v, g;
};
struct GibbsBranches {
    std::vector<GibbsPoint> liquid, metastable_liquid, unstable, metastable_gas, gas;
};
GibbsBranches gibbs_branches(double at_t, double p, double vl, double vg, double vlmax, double plmin, double vgmin,
                             double pgmax, double p_low, double p_high, int count, double c);
