#include "equations.h"

#include <cmath>

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
