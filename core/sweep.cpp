#include "sweep.h"

#include <algorithm>
#include <cmath>

#include "bisect.h"
#include "coexistence.h"
#include "reports.h"
#include "vdw.h"

namespace {

// Both preambles with their rule lines.
void start(double c, Output& out)
{
    coexistence_preamble(out.coexistence, c);
    property_preamble(out.properties, c);
    rule(out.coexistence);
    rule(out.properties);
}

}  // namespace

Found find(std::string& console, double lowest_p)
{
    Found f{};
    f.t = t;
    // Lies between the liquid and the gas root of fun2 at every t of the sweep.
    const double vmin = (std::sqrt(9 - t * 8) + 3) / 4;

    // Gas stability limit.
    bisect(fun2, vmin, 5, vgmin);
    pgmax = pressure(vgmin);

    // Liquid stability limit; at t = 0.95 every midpoint is shown on the console.
    const bool traced = t == 0.95;
    if (traced)
        console += "\n proceso para t = 0.95\n";
    bisect(fun2, 0.3334, vmin, vlmax, [&](double, double) {
        if (traced) {
            console += "\n v: ";
            number(console, vlmax);
        }
    });
    plmin = pressure(vlmax);

    // Coexistence pressure. The volumes reported are those of the residual at
    // the lower pressure end of the last pass, not recomputed at the final p.
    const Coexistence at_p1 = bisect(fun, std::max(plmin, lowest_p), pgmax, f.p);
    f.vl = at_p1.vl;
    f.vg = at_p1.vg;

    // The gas beside the liquid at its stability limit, at the same pressure;
    // then the liquid beside the gas at its limit.
    bisect([](double v) { return vdw(plmin, v); }, vgmin, 300, f.vg_beside_liquid_limit);
    bisect([](double v) { return vdw(pgmax, v); }, 0.33335, vlmax, f.vl_beside_gas_limit);

    f.vgmin = vgmin;
    f.pgmax = pgmax;
    f.vlmax = vlmax;
    f.plmin = plmin;
    return f;
}

void write(double c, const Found& f, Output& out)
{
    // The report rows read the model state: set it as the searches left it.
    t = f.t;
    vgmin = f.vgmin;
    pgmax = f.pgmax;
    vlmax = f.vlmax;
    plmin = f.plmin;
    vl = f.vl;
    vg = f.vg;
    const Properties x = properties(c);
    coexistence_row(out.coexistence, f.p, x);
    out.states.push_back({t, f.p, vl, vg, vlmax, plmin, vgmin, pgmax});
    property_row(out.properties, "eq", f.p, x);

    // The liquid at its stability limit, with the gas at the same pressure;
    // then the gas at its limit, with the liquid at the same pressure.
    vl = vlmax;
    vg = f.vg_beside_liquid_limit;
    property_row(out.properties, "limliq", plmin, properties(c));
    vg = vgmin;
    vl = f.vl_beside_gas_limit;
    property_row(out.properties, "limgas", pgmax, properties(c));

    text(out.properties, "\n");
}

void pass(double c, Output& out)
{
    write(c, find(out.console), out);
}

namespace {

// Room for the whole reports (about 43 kB and 182 kB) from the start.
void reserve(Output& out)
{
    out.coexistence.reserve(64 * 1024);
    out.properties.reserve(256 * 1024);
    out.states.reserve(500);
}

}  // namespace

void run(double c, Output& out)
{
    const double dt = 0.001;
    reserve(out);
    start(c, out);
    // t is lowered by subtraction, never recomputed from a count: this gives
    // exactly 499 passes, one of them at t == 0.95 exactly.
    for (t = 0.999; t > 0.5; t = t - dt)
        pass(c, out);
}

SweepSearch find_all()
{
    const double dt = 0.001;
    SweepSearch sweep;
    sweep.passes.reserve(500);
    for (t = 0.999; t > 0.5; t = t - dt)
        sweep.passes.push_back(find(sweep.console));
    return sweep;
}

void write_all(double c, const SweepSearch& sweep, Output& out)
{
    reserve(out);
    start(c, out);
    for (const Found& found : sweep.passes)
        write(c, found, out);
    out.console += sweep.console;
}
