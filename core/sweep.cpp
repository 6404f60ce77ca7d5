#include "sweep.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "bisect.h"
#include "reports.h"

Coexistence find(const Isotherm& isotherm, std::string& trace, double lowest_p)
{
    const double t = isotherm.t, tolerance = isotherm.tolerance;
    const auto fun2 = [&isotherm](double v) { return isotherm.fun2(v); };
    Coexistence f{};
    f.t = t;
    StabilityLimits& limits = f.limits;
    // Lies between the liquid and the gas root of fun2 at every t of the sweep.
    const double vmin = (std::sqrt(9 - t * 8) + 3) / 4;

    // Gas stability limit.
    bisect(tolerance, fun2, vmin, gas_limit_ceiling, limits.vgmin);
    limits.pgmax = isotherm.pressure(limits.vgmin);

    // Liquid stability limit; at t = 0.95 every midpoint is shown on the console.
    const bool traced = t == 0.95;
    if (traced)
        trace += "\n proceso para t = 0.95\n";
    bisect(tolerance, fun2, liquid_limit_floor, vmin, limits.vlmax, [&](double, double) {
        if (traced) {
            trace += "\n v: ";
            number(trace, limits.vlmax);
        }
    });
    limits.plmin = isotherm.pressure(limits.vlmax);

    // Coexistence pressure. The volumes reported are those of the residual at
    // the lower pressure end of the last pass, not recomputed at the final p.
    const CoexistenceResidual at_p1 = bisect(
        tolerance, [&](double p) { return fun(isotherm, limits, p); }, std::max(limits.plmin, lowest_p),
        limits.pgmax, f.p);
    f.vl = at_p1.vl;
    f.vg = at_p1.vg;

    // The gas beside the liquid at its stability limit, at the same pressure;
    // then the liquid beside the gas at its limit.
    bisect(tolerance, [&](double v) { return isotherm.vdw(limits.plmin, v); }, limits.vgmin, gas_ceiling,
           f.vg_beside_liquid_limit);
    bisect(tolerance, [&](double v) { return isotherm.vdw(limits.pgmax, v); }, liquid_beside_gas_limit_floor,
           limits.vlmax, f.vl_beside_gas_limit);
    return f;
}

SweepSearch find_all()
{
    SweepSearch sweep;
    sweep.passes.reserve(500);
    for (double t = first_t; t > 0.5; t = t - dt)
        sweep.passes.push_back(find(Isotherm{t}, sweep.console));
    return sweep;
}

void write(double c, const Coexistence& f, Output& out)
{
    const StabilityLimits& limits = f.limits;
    const Properties x = properties(f.t, f.vl, f.vg, c);
    coexistence_row(out.coexistence, f, x.latent());
    property_row(out.properties, f.t, "eq", {f.p, f.vl, f.vg}, x);

    // The liquid at its stability limit, with the gas at the same pressure;
    // then the gas at its limit, with the liquid at the same pressure.
    const auto limit_row = [&](std::string_view state, const PhasePair& pair) {
        property_row(out.properties, f.t, state, pair, properties(f.t, pair.vl, pair.vg, c));
    };
    limit_row("limliq", {limits.plmin, limits.vlmax, f.vg_beside_liquid_limit});
    limit_row("limgas", {limits.pgmax, f.vl_beside_gas_limit, limits.vgmin});

    text(out.properties, "\n");
}

Output write_all(double c, const SweepSearch& sweep)
{
    Output out;
    // Room for the whole reports (about 43 kB and 182 kB) from the start.
    out.coexistence.reserve(64 * 1024);
    out.properties.reserve(256 * 1024);
    coexistence_preamble(out.coexistence, c);
    property_preamble(out.properties, c);
    rule(out.coexistence);
    rule(out.properties);
    for (const Coexistence& found : sweep.passes)
        write(c, found, out);
    out.console = sweep.console;
    out.states = sweep.passes;
    return out;
}

Output run(double c)
{
    return write_all(c, find_all());
}

CKind kind_of_c(double c)
{
    if (std::isnan(c))
        return CKind::not_a_number;
    if (std::isinf(c))
        return CKind::infinite;
    if (!(c > 0))
        return CKind::not_positive;
    return c > largest_exact_c ? CKind::too_large : CKind::plain;
}
