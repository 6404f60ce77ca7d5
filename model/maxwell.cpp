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

namespace {

// A branch's points at `count` + 1 pressures from `from` to `to`, within
// [p_low, p_high], each volume found by volume_at; where an end of the range
// is an end of the branch with a known volume (not NaN), that volume stands
// there rather than a search at a double root.
std::vector<GibbsPoint> branch_by_pressure(const std::function<double(double)>& gibbs, double from, double v_from,
                                           double to, double v_to, double p_low, double p_high, int count,
                                           const std::function<double(double)>& volume_at)
{
    std::vector<GibbsPoint> points;
    const double low = std::max(from, p_low), high = std::min(to, p_high);
    if (!(low < high) || count < 1)
        return points;
    for (int k = 0; k <= count; ++k) {
        const double q = k == count ? high : low + (high - low) * k / count;
        const double v = q == from && !std::isnan(v_from) ? v_from
                         : q == to && !std::isnan(v_to)   ? v_to
                                                           : volume_at(q);
        points.push_back({q, v, gibbs(v)});
    }
    return points;
}

}  // namespace

GibbsBranches gibbs_branches_of(const IsothermStretches& x, double p, double vl, double vg, double vlmax,
                                double plmin, double vgmin, double pgmax, double p_low, double p_high, int count)
{
    // The liquid's pressure has no top and the gas's no bottom above 0: the
    // chart's ends stand for them (the gas stops at a thousandth of p).
    const double none = std::nan("");
    const double liquid_top = std::max(p_high, p), gas_bottom = std::max(p_low, p * 1e-3);
    GibbsBranches b;
    b.liquid = branch_by_pressure(x.gibbs, p, vl, liquid_top, none, p_low, p_high, count, x.liquid);
    b.metastable_liquid = branch_by_pressure(x.gibbs, plmin, vlmax, p, vl, p_low, p_high, count, x.liquid);
    b.unstable = branch_by_pressure(x.gibbs, plmin, vlmax, pgmax, vgmin, p_low, p_high, count, x.unstable);
    b.metastable_gas = branch_by_pressure(x.gibbs, p, vg, pgmax, vgmin, p_low, p_high, count, x.gas);
    b.gas = branch_by_pressure(x.gibbs, gas_bottom, none, p, vg, p_low, p_high, count, x.gas);
    return b;
}

GibbsBranches gibbs_branches(double at_t, double p, double vl, double vg, double vlmax, double plmin, double vgmin,
                             double pgmax, double p_low, double p_high, int count, double c)
{
    const IsothermStretches isotherm{[&](double v) { return gibbs_energy(at_t, v, c); },
                                     [&](double q) { return phase_volume(at_t, q, true, vlmax, vgmin); },
                                     [&](double q) { return phase_volume(at_t, q, false, vlmax, vgmin); },
                                     [&](double q) { return crossing(at_t, q, vlmax, vgmin); }};
    return gibbs_branches_of(isotherm, p, vl, vg, vlmax, plmin, vgmin, pgmax, p_low, p_high, count);
}

FreeEnergyTangent free_energy_tangent(const FreeEnergy& f, double p, double vl, double vg)
{
    FreeEnergyTangent x{};
    x.p = p;
    x.vl = vl;
    x.vg = vg;
    x.fl = f(vl);
    x.fg = f(vg);
    const bool liquid = x.fl + p * vl <= x.fg + p * vg;
    x.v_touch = liquid ? vl : vg;
    x.f_touch = liquid ? x.fl : x.fg;
    x.line_l = x.f_touch - p * (vl - x.v_touch);
    x.line_g = x.f_touch - p * (vg - x.v_touch);
    return x;
}

FreeEnergyTangent helmholtz_tangent(double at_t, double p, double vl, double vg, double c)
{
    return free_energy_tangent([&](double v) { return helmholtz_energy(at_t, v, c); }, p, vl, vg);
}

namespace {

std::vector<FreeEnergyPoint> branch_by_volume(const FreeEnergy& f, double from, double to, double v_low,
                                              double v_high, int count)
{
    std::vector<FreeEnergyPoint> points;
    const double low = std::max(from, v_low), high = std::min(to, v_high);
    if (!(low < high) || count < 1)
        return points;
    for (int k = 0; k <= count; ++k) {
        const double v = k == count ? high : low + (high - low) * k / count;
        points.push_back({v, f(v)});
    }
    return points;
}

}  // namespace

FreeEnergyBranches free_energy_branches(const FreeEnergy& f, double vl, double vg, double vlmax, double vgmin,
                                        double v_low, double v_high, int count)
{
    FreeEnergyBranches b;
    b.liquid = branch_by_volume(f, v_low, vl, v_low, v_high, count);
    b.metastable_liquid = branch_by_volume(f, vl, vlmax, v_low, v_high, count);
    b.unstable = branch_by_volume(f, vlmax, vgmin, v_low, v_high, count);
    b.metastable_gas = branch_by_volume(f, vgmin, vg, v_low, v_high, count);
    b.gas = branch_by_volume(f, vg, v_high, v_low, v_high, count);
    return b;
}

FreeEnergyBranches helmholtz_branches(double at_t, double vl, double vg, double vlmax, double vgmin, double v_low,
                                      double v_high, int count, double c)
{
    return free_energy_branches([&](double v) { return helmholtz_energy(at_t, v, c); }, vl, vg, vlmax, vgmin, v_low,
                                v_high, count);
}
