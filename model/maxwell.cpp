#include "maxwell.h"

#include <algorithm>
#include <cmath>

#include "bisect.h"
#include "vdw.h"

namespace {

// A primitive of the isotherm's pressure in v: 8t/3 ln(3v - 1) + 3/v.
double work_integral(double at_t, double v)
{
    return at_t * 8 / 3 * std::log(v * 3 - 1) + 3 / v;
}

// The volume in [lo, hi] where the isotherm at_t has pressure p, to twelve
// digits of the larger end: finer than the sweep's err, so that a crossing
// shown lies on the isotherm to the last digit a chart can tell.
double crossing(double at_t, double p, double lo, double hi)
{
    double v = 0;
    bisect(hi * 1e-12, [at_t, p](double v_) { return p - isotherm_pressure(at_t, v_); }, lo, hi, v);
    return v;
}

MaxwellAreas areas_between(double at_t, double p, double vl, double v_middle, double vg)
{
    MaxwellAreas a{};
    a.v_middle = v_middle;
    a.liquid_area = p * (a.v_middle - vl) - (work_integral(at_t, a.v_middle) - work_integral(at_t, vl));
    a.gas_area = (work_integral(at_t, vg) - work_integral(at_t, a.v_middle)) - p * (vg - a.v_middle);
    return a;
}

}  // namespace

MaxwellAreas maxwell_areas(double at_t, double p, double vl, double vg, double vlmax, double vgmin)
{
    double v_middle = 0;
    bisect(err, [at_t, p](double v) { return p - isotherm_pressure(at_t, v); }, vlmax, vgmin, v_middle);
    return areas_between(at_t, p, vl, v_middle, vg);
}

double phase_volume(double at_t, double p, bool liquid, double vlmax, double vgmin)
{
    // Above 1/3 the isotherm falls from +inf to its minimum at vlmax; beyond
    // the gas limit it falls to 0 and stays under 8t/(3v - 1), which is p at
    // the upper end chosen here. From t = 1 up it falls all the way.
    const double v_beyond = (at_t * 8 / p + 1) / 3;
    if (at_t >= 1)
        return crossing(at_t, p, 1.0 / 3, v_beyond);
    return liquid ? crossing(at_t, p, 1.0 / 3, vlmax) : crossing(at_t, p, vgmin, std::max(vgmin * 2, v_beyond));
}

LineEnds line_ends(double at_t, double p, double vlmax, double vgmin)
{
    return {phase_volume(at_t, p, true, vlmax, vgmin), phase_volume(at_t, p, false, vlmax, vgmin)};
}

TrialLine trial_line(double at_t, double p, double vlmax, double vgmin, double c)
{
    TrialLine x{};
    const LineEnds ends = line_ends(at_t, p, vlmax, vgmin);
    x.vl = ends.vl;
    x.vg = ends.vg;
    x.areas = areas_between(at_t, p, x.vl, crossing(at_t, p, vlmax, vgmin), x.vg);
    x.gl = gibbs_energy(at_t, x.vl, c);
    x.gg = gibbs_energy(at_t, x.vg, c);
    return x;
}

double gas_fraction(double v, double vl, double vg)
{
    return (v - vl) / (vg - vl);
}
