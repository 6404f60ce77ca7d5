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

#include <functional>
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

// The same for any equation's isotherm: its g at a volume, and the volume at
// a pressure on the liquid's, the gas's and the unstable stretch. The van
// der Waals branches above are these with its own.
struct IsothermStretches {
    std::function<double(double)> gibbs, liquid, gas, unstable;
};
GibbsBranches gibbs_branches_of(const IsothermStretches& isotherm, double p, double vl, double vg, double vlmax,
                                double plmin, double vgmin, double pgmax, double p_low, double p_high, int count);

// The same construction on the Helmholtz energy f against v (in Pcr Vcr,
// where df/dv = -p): the line of slope -p touching f at one end of a line at
// pressure p from vl to vg, both on the isotherm at p, where f's slope is -p
// too. It touches at the end of the lower Gibbs energy, the stable phase's,
// and passes under f at the other end by |gas_area - liquid_area|, since
// f + p v is g there. At the vapour pressure the gap closes and the line
// touches f at vl and vg both: the common tangent, under f everywhere else,
// the convex envelope that is the stable state.
struct FreeEnergyTangent {
    double p;                // minus the slope
    double v_touch, f_touch; // where it touches f
    double vl, vg;           // the line's ends
    double fl, fg;           // f there
    double line_l, line_g;   // the tangent there
};
FreeEnergyTangent helmholtz_tangent(double at_t, double p, double vl, double vg, double c);

// f against v along the isotherm at_t, with Cv = cR, for a chart that shows
// volumes from v_low (above 1/3) to v_high: each branch by stability, as on
// the p-v chart, at `count` + 1 volumes spread evenly over its part of that
// range, in increasing v. A branch with no part in the range is empty.
struct FreeEnergyPoint {
    double v, f;
};
struct FreeEnergyBranches {
    std::vector<FreeEnergyPoint> liquid, metastable_liquid, unstable, metastable_gas, gas;
};
FreeEnergyBranches helmholtz_branches(double at_t, double vl, double vg, double vlmax, double vgmin, double v_low,
                                      double v_high, int count, double c);

// Both for any equation's f along an isotherm (in its own Pc Vc, so that
// df/dv = -p): the van der Waals ones above are these with its f.
using FreeEnergy = std::function<double(double)>;
FreeEnergyTangent free_energy_tangent(const FreeEnergy& f, double p, double vl, double vg);
FreeEnergyBranches free_energy_branches(const FreeEnergy& f, double vl, double vg, double vlmax, double vgmin,
                                        double v_low, double v_high, int count);
