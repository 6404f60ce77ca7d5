#include "sweep.h"

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

// One phase held at its stability limit at pressure p; the other phase's
// volume is searched on [lo, hi] at p into `other`, then the row is written.
void limit_state(double c, std::string& report, std::string_view state, double p, double lo,
                 double hi, double& other)
{
    bisect([p](double v) { return vdw(p, v); }, lo, hi, other);
    property_row(report, state, p, properties(c));
}

}  // namespace

void pass(double c, Output& out)
{
    // Lies between the liquid and the gas root of fun2 at every t of the sweep.
    const double vmin = (std::sqrt(9 - t * 8) + 3) / 4;

    // Gas stability limit.
    bisect(fun2, vmin, 5, vgmin);
    pgmax = pressure(vgmin);

    // Liquid stability limit; at t = 0.95 every midpoint is shown on the console.
    const bool traced = t == 0.95;
    if (traced)
        out.console += "\n proceso para t = 0.95\n";
    bisect(fun2, 0.3334, vmin, vlmax, [&](double, double) {
        if (traced) {
            out.console += "\n v: ";
            number(out.console, vlmax);
        }
    });
    plmin = pressure(vlmax);

    // Coexistence pressure. The volumes reported are those of the residual at
    // the lower pressure end of the last pass, not recomputed at the final p.
    double p;
    const Coexistence at_p1 = bisect(fun, plmin, pgmax, p);
    vl = at_p1.vl;
    vg = at_p1.vg;
    const Properties x = properties(c);
    coexistence_row(out.coexistence, p, x);
    out.states.push_back({t, p, vl, vg, vlmax, plmin, vgmin, pgmax});
    property_row(out.properties, "eq", p, x);

    // The liquid at its stability limit, with the gas at the same pressure;
    // then the gas at its limit, with the liquid at the same pressure.
    vl = vlmax;
    limit_state(c, out.properties, "limliq", plmin, vgmin, 300, vg);
    vg = vgmin;
    limit_state(c, out.properties, "limgas", pgmax, 0.33335, vlmax, vl);

    text(out.properties, "\n");
}

void run(double c, Output& out)
{
    const double dt = 0.001;
    // Room for the whole reports (about 43 kB and 182 kB) from the start.
    out.coexistence.reserve(64 * 1024);
    out.properties.reserve(256 * 1024);
    out.states.reserve(500);
    start(c, out);
    // t is lowered by subtraction, never recomputed from a count: this gives
    // exactly 499 passes, one of them at t == 0.95 exactly.
    for (t = 0.999; t > 0.5; t = t - dt)
        pass(c, out);
}
