#include "equations.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "sweep.h"

Cubic cubic_for(const Substance& fluid, Eos eos) { return Cubic(eos, fluid.omega); }

double lowest_equation_pressure(const Substance& fluid, Eos eos)
{
    return saturation(cubic_for(fluid, eos), lowest_cubic_tr).pr * fluid.pc;
}

namespace {

EquationState in_si(const Substance& fluid, const Cubic& eos, const Saturation& s)
{
    return {s, si_state(fluid, eos, s, fluid.c), eos.zc() * gas_constant * fluid.tc / fluid.pc};
}

}  // namespace

EquationState equation_state_at(const Substance& fluid, Eos eos, double temperature)
{
    const Cubic cubic = cubic_for(fluid, eos);
    return in_si(fluid, cubic, saturation(cubic, temperature / fluid.tc));
}

EquationState equation_state_at_pressure(const Substance& fluid, Eos eos, double pressure)
{
    const Cubic cubic = cubic_for(fluid, eos);
    return in_si(fluid, cubic, saturation(cubic, saturation_tr(cubic, pressure / fluid.pc)));
}

std::vector<EquationRow> equation_rows(const Cubic& eos, double c)
{
    std::vector<EquationRow> rows;
    rows.reserve(500);
    for (double t = first_t; t > 0.5; t = t - dt) {
        const Saturation s = saturation(eos, t);
        rows.push_back({s, properties(eos, s, c)});
    }
    return rows;
}

std::vector<EquationConstants> equation_constants(const Substance& fluid)
{
    std::vector<EquationConstants> all;
    for (Eos eos : {Eos::vdw, Eos::rk, Eos::srk, Eos::pr}) {
        const Cubic cubic = cubic_for(fluid, eos);
        all.push_back({eos, cubic.zc(), own_acentric_factor(cubic)});
    }
    return all;
}

AgainstNature against_nature(const Substance& fluid, Eos eos)
{
    const Cubic cubic = cubic_for(fluid, eos);
    AgainstNature row{};
    row.zc = {measured_zc(fluid), cubic.zc()};
    row.omega = {fluid.omega, own_acentric_factor(cubic)};
    const double p_ref = fluid.ref_p / fluid.pc;
    const bool reached = p_ref >= saturation(cubic, lowest_cubic_tr).pr && p_ref < 1;
    const double tb = reached ? saturation_tr(cubic, p_ref) : std::nan("");
    const double latent = reached ? properties(cubic, saturation(cubic, tb), fluid.c).latent() * gas_constant * fluid.tc
                                  : std::nan("");
    row.boiling_t = {fluid.ref_t / fluid.tc, tb};
    row.latent = {fluid.ref_latent, latent};
    row.trouton = {fluid.ref_latent / (gas_constant * fluid.ref_t), latent / (gas_constant * tb * fluid.tc)};
    return row;
}

namespace {

// Where the measured curves start, as T/Tc, and the equations' searches.
double lowest_drawn_tr(const Substance& fluid) { return std::max(lowest_cubic_tr, fluid.t_triple / fluid.tc); }

}  // namespace

std::vector<ShownSaturation> equation_curve(const Substance& fluid, Eos eos)
{
    std::vector<ShownSaturation> curve;
    const Cubic cubic = cubic_for(fluid, eos);
    const double lowest = lowest_drawn_tr(fluid);
    std::vector<double> trs = {0.999, 0.995};
    for (int k = 1; 1 - 0.01 * k >= lowest; ++k)
        trs.push_back(1 - 0.01 * k);
    for (double tr : trs) {
        const SiState x = si_state(fluid, cubic, saturation(cubic, tr), fluid.c);
        curve.push_back({x.temperature, x.pressure, x.rho_liquid, x.rho_gas, x.latent});
    }
    return curve;
}

std::vector<EquationError> equation_errors(const Substance& fluid)
{
    std::vector<EquationError> errors;
    for (double tr : {0.6, 0.7, 0.8, 0.9}) {
        const double temperature = tr * fluid.tc;
        const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature);
        if (!m || tr < lowest_cubic_tr)
            continue;
        for (Eos eos : {Eos::vdw, Eos::rk, Eos::srk, Eos::pr}) {
            const SiState x = equation_state_at(fluid, eos, temperature).si;
            errors.push_back({tr, temperature, eos, x.pressure / m->p - 1, 1 / (x.v_liquid * m->rho_liquid) - 1,
                              x.latent / m->latent - 1});
        }
    }
    return errors;
}
