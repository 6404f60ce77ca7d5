#include "isotherms.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "bisect.h"
#include "sweep.h"

namespace {

CubicLimits limits_of(const Cubic& eos, const ScaledState& s)
{
    const double zc = eos.zc();
    return {s.vlmax * zc, s.plmin, s.vgmin * zc, s.pgmax};
}

// The volume w at pressure q on the isotherm of s between its limits,
// where it rises.
double middle_volume(const Cubic& eos, const CubicLimits& limits, double t, double q)
{
    double w = limits.wl_max;
    bisect(limits.wg_min * 1e-14, [&](double w_) { return q - eos.pressure(t, w_); }, limits.wl_max, limits.wg_min, w);
    return w;
}

}  // namespace

ScaledSaturation scaled_saturation(const Cubic& eos, double t, double c)
{
    const Saturation s = saturation(eos, t);
    const double zc = eos.zc();
    const CubicLimits& l = s.limits;
    const ScaledState state{t, s.pr, s.wl / zc, s.wg / zc, l.wl_max / zc, l.pl_min, l.wg_min / zc, l.pg_max};
    const CubicTrialLine line = trial_line(eos, t, s.pr, l, c);
    const CubicProperties x = properties(eos, s, c);
    return {state, {line.w_middle / zc, line.liquid_area / zc, line.gas_area / zc}, x, x.latent()};
}

double scaled_covolume(const Cubic& eos) { return eos.omega_b() / eos.zc(); }

double scaled_helmholtz(const Cubic& eos, double t, double v, double c)
{
    return eos.helmholtz(t, v * eos.zc(), c) / eos.zc();
}

FreeEnergyTangent scaled_helmholtz_tangent(const Cubic& eos, double t, double p, double vl, double vg, double c)
{
    return free_energy_tangent([&](double v) { return scaled_helmholtz(eos, t, v, c); }, p, vl, vg);
}

FreeEnergyBranches scaled_helmholtz_branches(const Cubic& eos, const ScaledState& s, double v_low, double v_high,
                                             int count, double c)
{
    return free_energy_branches([&](double v) { return scaled_helmholtz(eos, s.t, v, c); }, s.vl, s.vg, s.vlmax,
                                s.vgmin, v_low, v_high, count);
}

Compression scaled_compression(const Cubic& eos, const ScaledState& s, double v_from, double v_to, Kept kept)
{
    const double zc = eos.zc(), t = s.t;
    // On a branch, -∫p dw by the isotherm's primitive and the heat given
    // off, -t (s(v_to) - s(v_from)), c cancelling.
    const auto on_branch = [&](double from, double to) {
        const double work = eos.work_integral(t, from * zc) - eos.work_integral(t, to * zc);
        const double heat = (eos.entropy(t, from * zc, 0) - eos.entropy(t, to * zc, 0)) * t;
        return Compression{work, heat, 0, 0};
    };
    const Saturation at{t, s.p, s.vl * zc, s.vg * zc, limits_of(eos, s)};
    const CompressionPath path{on_branch, properties(eos, at, 0).latent(), zc};
    return compression_along(path, s.p, s.vl, s.vg, v_from, v_to, kept);
}

double scaled_pressure(const Cubic& eos, double t, double v) { return eos.pressure(t, v * eos.zc()); }

double scaled_gibbs(const Cubic& eos, double t, double v, double c) { return eos.gibbs(t, v * eos.zc(), c); }

double scaled_entropy(const Cubic& eos, double t, double v, double c) { return eos.entropy(t, v * eos.zc(), c); }

double scaled_enthalpy(const Cubic& eos, double t, double v, double c) { return eos.enthalpy(t, v * eos.zc(), c); }

Mixture scaled_two_phase(const Cubic& eos, const ScaledState& s, double v, double c)
{
    const double gas = gas_fraction(v, s.vl, s.vg);
    const double sl = scaled_entropy(eos, s.t, s.vl, c), sg = scaled_entropy(eos, s.t, s.vg, c);
    const double hl = scaled_enthalpy(eos, s.t, s.vl, c), hg = scaled_enthalpy(eos, s.t, s.vg, c);
    return {gas, sl * (1 - gas) + sg * gas, hl * (1 - gas) + hg * gas};
}

Isobar scaled_isobar(const Cubic& eos, const ScaledState& s, double t_low, double t_high, int count, double c)
{
    const double zc = eos.zc();
    const auto point = [&](double on_t, bool liquid) {
        const CubicLimits limits = on_t < 1 ? stability_limits(eos, on_t) : CubicLimits{};
        const double v = phase_volume(eos, on_t, s.p, liquid, limits) / zc;
        return IsobarPoint{on_t, v, scaled_entropy(eos, on_t, v, c), scaled_enthalpy(eos, on_t, v, c)};
    };
    Isobar out{};
    for (int k = 0; k <= count; ++k) {
        out.liquid.push_back(point(k == count ? s.t : t_low + (s.t - t_low) * k / count, true));
        out.gas.push_back(point(k == 0 ? s.t : s.t + (t_high - s.t) * k / count, false));
    }
    const double sl = scaled_entropy(eos, s.t, s.vl, c), sg = scaled_entropy(eos, s.t, s.vg, c);
    out.boiling_heat = s.t * (sg - sl);
    out.latent = scaled_enthalpy(eos, s.t, s.vg, c) - scaled_enthalpy(eos, s.t, s.vl, c);
    return out;
}

TrialLine scaled_trial_line(const Cubic& eos, const ScaledState& s, double p, double c)
{
    const double zc = eos.zc();
    const CubicTrialLine x = trial_line(eos, s.t, p, limits_of(eos, s), c);
    return {x.wl / zc, x.wg / zc, {x.w_middle / zc, x.liquid_area / zc, x.gas_area / zc}, x.gl, x.gg};
}

GibbsBranches scaled_gibbs_branches(const Cubic& eos, const ScaledState& s, double p_low, double p_high, int count,
                                    double c)
{
    const CubicLimits limits = limits_of(eos, s);
    const double zc = eos.zc();
    const IsothermStretches isotherm{[&](double v) { return scaled_gibbs(eos, s.t, v, c); },
                                     [&](double q) { return phase_volume(eos, s.t, q, true, limits) / zc; },
                                     [&](double q) { return phase_volume(eos, s.t, q, false, limits) / zc; },
                                     [&](double q) { return middle_volume(eos, limits, s.t, q) / zc; }};
    return gibbs_branches_of(isotherm, s.p, s.vl, s.vg, s.vlmax, s.plmin, s.vgmin, s.pgmax, p_low, p_high, count);
}

double scaled_si_unit(const Substance& fluid, const Cubic& eos, Quantity quantity)
{
    if (eos.eos() == Eos::vdw || (quantity != Quantity::volume && quantity != Quantity::work))
        return si_unit(fluid, quantity);
    const double vc = eos.zc() * gas_constant * fluid.tc / fluid.pc;
    return quantity == Quantity::volume ? vc : fluid.pc * vc;
}

std::vector<ScaledSaturation> scaled_rows(const Cubic& eos, double c)
{
    std::vector<ScaledSaturation> rows;
    rows.reserve(500);
    for (double t = first_t; t > 0.5; t = t - dt)
        rows.push_back(scaled_saturation(eos, t, c));
    return rows;
}
