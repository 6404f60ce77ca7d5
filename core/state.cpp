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

std::vector<NamedNumber> state_numbers(const Coexistence& s)
{
    return {{"t", "t", s.t},
            {"p", "p", s.p},
            {"v_liquid", "vl", s.vl},
            {"v_gas", "vg", s.vg},
            {"v_liquid_max", "vlmax", s.limits.vlmax},
            {"p_liquid_min", "plmin", s.limits.plmin},
            {"v_gas_min", "vgmin", s.limits.vgmin},
            {"p_gas_max", "pgmax", s.limits.pgmax}};
}

std::vector<NamedNumber> state_numbers(const Coexistence& s, double c)
{
    const Properties q = properties(s.t, s.vl, s.vg, c);
    std::vector<NamedNumber> all = state_numbers(s);
    all.insert(all.end(), {{"s_liquid_per_R", "sl", q.sl},
                           {"s_gas_per_R", "sg", q.sg},
                           {"h_liquid_8a_per_27b", "hl", q.hl},
                           {"h_gas_8a_per_27b", "hg", q.hg},
                           {"g_liquid_8a_per_27b", "gl", q.gl},
                           {"g_gas_8a_per_27b", "gg", q.gg},
                           {"u_liquid_8a_per_27b", "ul", q.ul},
                           {"u_gas_8a_per_27b", "ug", q.ug},
                           {"latent_heat_8a_per_27b", "latent", q.latent()}});
    return all;
}

std::vector<NumberColumn> columns_of(const std::vector<std::vector<NamedNumber>>& rows)
{
    std::vector<NumberColumn> columns;
    for (size_t k = 0; !rows.empty() && k < rows[0].size(); ++k) {
        columns.push_back({rows[0][k].column, {}});
        for (const std::vector<NamedNumber>& row : rows)
            columns.back().values.push_back(row[k].value);
    }
    return columns;
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
Compression on_tie_line(const CompressionPath& path, double p, double vl, double vg, double v_from, double v_to)
{
    const double condensed = gas_fraction(v_from, vl, vg) - gas_fraction(v_to, vl, vg);
    const double work = p * (v_from - v_to) * path.pv_unit;
    const double heat = condensed * path.latent;
    return {work, heat, work, heat};
}

Compression operator+(const Compression& a, const Compression& b)
{
    return {a.work + b.work, a.heat + b.heat, a.tie_work + b.tie_work, a.tie_heat + b.tie_heat};
}

// Along the stable states, from v_from to v_to.
Compression stable(const CompressionPath& path, double p, double vl, double vg, double v_from, double v_to)
{
    const auto clamp = [](double v, double low, double high) { return std::min(high, std::max(low, v)); };
    // The stretches of the path beyond vg, between vl and vg, and below vl.
    const double gas_from = std::max(v_from, vg), gas_to = std::max(v_to, vg);
    const double tie_from = clamp(v_from, vl, vg), tie_to = clamp(v_to, vl, vg);
    const double liquid_from = std::min(v_from, vl), liquid_to = std::min(v_to, vl);
    return path.on_branch(gas_from, gas_to) + on_tie_line(path, p, vl, vg, tie_from, tie_to) +
           path.on_branch(liquid_from, liquid_to);
}

}  // namespace

Compression compression_along(const CompressionPath& path, double p, double vl, double vg, double v_from,
                              double v_to, Kept kept)
{
    switch (kept) {
    case Kept::gas: return path.on_branch(v_from, v_to);
    case Kept::liquid: return stable(path, p, vl, vg, v_from, vl) + path.on_branch(vl, v_to);
    case Kept::none: break;
    }
    return stable(path, p, vl, vg, v_from, v_to);
}

Compression compression(double at_t, double p, double vl, double vg, double v_from, double v_to, Kept kept)
{
    const CompressionPath path{[&](double from, double to) { return on_branch(at_t, from, to); },
                               properties(at_t, vl, vg, 0).latent(), 0.375};
    return compression_along(path, p, vl, vg, v_from, v_to, kept);
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
