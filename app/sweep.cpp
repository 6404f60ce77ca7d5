#include "sweep.h"

#include <cmath>

#include "bisect.h"
#include "coexistence.h"
#include "reports.h"
#include "vdw.h"

void start(double c, Output& out)
{
    coexistence_preamble(out.coexistence, c);
    property_preamble(out.properties, c);
    rule(out.coexistence);
    rule(out.properties);
}

void pass(double c, Output& out)
{
    // Lies between the liquid and the gas root of fun2 at every t of the sweep.
    const double vmin = (std::sqrt(9 - t * 8) + 3) / 4;
    double v;

    // Gas stability limit.
    double v1 = vmin;
    double v2 = 5;
    bisect(fun2, v1, v2, v);
    vgmin = v;
    pgmax = pressure(v);

    // Liquid stability limit, traced on the console at t = 0.95.
    v1 = 0.3334;
    v2 = vmin;
    const bool traced = t == 0.95;
    if (traced)
        out.console += "\n proceso para t = 0.95\n";
    bisect(fun2, v1, v2, v, [&](double, double) {
        if (traced) {
            out.console += "\n v: ";
            number(out.console, v);
        }
    });
    vlmax = v;
    plmin = pressure(v);

    // Coexistence pressure. The volumes reported are those of the residual at
    // the lower pressure end of the last pass, not recomputed at the final p.
    double p;
    const Coexistence at_p1 = bisect(fun, plmin, pgmax, p);
    vl = at_p1.vl;
    vg = at_p1.vg;
    Properties x = properties(c);
    coexistence_row(out.coexistence, p, x);
    property_row(out.properties, "eq", p, x);

    // The liquid at its stability limit, with the gas at the same pressure.
    v1 = vgmin;
    v2 = 300;
    vl = vlmax;
    p = plmin;
    const auto at_plmin = [](double v) { return vdw(plmin, v); };
    bisect(at_plmin, v1, v2, vg);
    x = properties(c);
    property_row(out.properties, "limliq", p, x);

    // The gas at its stability limit, with the liquid at the same pressure.
    v1 = 0.33335;
    v2 = vlmax;
    p = pgmax;
    vg = vgmin;
    const auto at_pgmax = [](double v) { return vdw(pgmax, v); };
    bisect(at_pgmax, v1, v2, vl);
    x = properties(c);
    property_row(out.properties, "limgas", p, x);

    text(out.properties, "\n");
}

void run(double c, Output& out)
{
    const double dt = 0.001;
    start(c, out);
    // t is lowered by subtraction, never recomputed from a count: this gives
    // exactly 499 passes, one of them at t == 0.95 exactly.
    for (t = 0.999; t > 0.5; t = t - dt)
        pass(c, out);
}
