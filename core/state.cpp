#include "state.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "bisect.h"
#include "maxwell.h"
#include "sweep.h"

Coexistence state_at(double at_t)
{
    const Isotherm isotherm{at_t, state_tolerance};
    std::string no_trace;
    Coexistence s = find(isotherm, no_trace, isotherm.pressure(gas_ceiling));
    const LineEnds ends = line_ends(at_t, s.p, s.limits.vlmax, s.limits.vgmin);
    s.vl = ends.vl;
    s.vg = ends.vg;
    return s;
}

double lowest_state_p()
{
    static const double p = state_at(lowest_state_t).p;
    return p;
}

double t_at_pressure(double p)
{
    // The vapour pressure rises with t: halve [lowest_state_t, 1] on it.
    double found = lowest_state_t;
    bisect(1e-14, [p](double at_t) { return state_at(at_t).p - p; }, lowest_state_t, 1.0, found);
    return found;
}

StateWithProperties state_with_properties(double at_t, double c)
{
    const Coexistence s = state_at(at_t);
    const Properties phases = properties(s.t, s.vl, s.vg, c);
    return {s, maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin), phases, phases.latent()};
}

Mixture two_phase(double at_t, double vl, double vg, double v, double c)
{
    const double gas = gas_fraction(v, vl, vg);
    const Properties phases = properties(at_t, vl, vg, c);
    return {gas, phases.sl * (1 - gas) + phases.sg * gas, phases.hl * (1 - gas) + phases.hg * gas};
}

namespace {

// The work done on one mole and the heat it gives off on the isotherm at_t,
// on one branch, from v_from to v_to.
Compression on_branch(double at_t, double v_from, double v_to)
{
    const double heat = -at_t * std::log((v_to * 3 - 1) / (v_from * 3 - 1));
    return {heat - (1 / v_to - 1 / v_from) * 1.125, heat, 0, 0};
}

// The same on the tie line at p between vl and vg, from v_from to v_to.
Compression on_tie_line(double at_t, double p, double vl, double vg, double v_from, double v_to)
{
    const double condensed = gas_fraction(v_from, vl, vg) - gas_fraction(v_to, vl, vg);
    const double work = p * (v_from - v_to) * 0.375;
    const double heat = condensed * properties(at_t, vl, vg, 0).latent();
    return {work, heat, work, heat};
}

Compression operator+(const Compression& a, const Compression& b)
{
    return {a.work + b.work, a.heat + b.heat, a.tie_work + b.tie_work, a.tie_heat + b.tie_heat};
}

// Along the stable states, from v_from to v_to.
Compression stable(double at_t, double p, double vl, double vg, double v_from, double v_to)
{
    const auto clamp = [](double v, double low, double high) { return std::min(high, std::max(low, v)); };
    // The stretches of the path beyond vg, between vl and vg, and below vl.
    const double gas_from = std::max(v_from, vg), gas_to = std::max(v_to, vg);
    const double tie_from = clamp(v_from, vl, vg), tie_to = clamp(v_to, vl, vg);
    const double liquid_from = std::min(v_from, vl), liquid_to = std::min(v_to, vl);
    return on_branch(at_t, gas_from, gas_to) + on_tie_line(at_t, p, vl, vg, tie_from, tie_to) +
           on_branch(at_t, liquid_from, liquid_to);
}

}  // namespace

Compression compression(double at_t, double p, double vl, double vg, double v_from, double v_to, Kept kept)
{
    switch (kept) {
    case Kept::gas: return on_branch(at_t, v_from, v_to);
    case Kept::liquid: return stable(at_t, p, vl, vg, v_from, vl) + on_branch(at_t, vl, v_to);
    case Kept::none: break;
    }
    return stable(at_t, p, vl, vg, v_from, v_to);
}

Isobar isobar(double at_t, double p, double vl, double vg, double t_low, double t_high, int count, double c)
{
    const auto point = [&](double on_t, bool liquid) {
        double vlmax = 0, vgmin = 0;
        if (on_t < 1) {
            const Coexistence there = state_at(on_t);
            vlmax = there.limits.vlmax;
            vgmin = there.limits.vgmin;
        }
        const double v = phase_volume(on_t, p, liquid, vlmax, vgmin);
        return IsobarPoint{on_t, v, entropy(on_t, v, c), enthalpy(on_t, v, c)};
    };
    Isobar out{};
    for (int k = 0; k <= count; ++k) {
        out.liquid.push_back(point(k == count ? at_t : t_low + (at_t - t_low) * k / count, true));
        out.gas.push_back(point(k == 0 ? at_t : at_t + (t_high - at_t) * k / count, false));
    }
    const Properties phases = properties(at_t, vl, vg, c);
    out.boiling_heat = at_t * (phases.sg - phases.sl);
    out.latent = phases.latent();
    return out;
}
