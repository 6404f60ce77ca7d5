#include "coexistence.h"

#include <cmath>

#include "bisect.h"
#include "vdw.h"

Coexistence fun(double p)
{
    const auto on_isotherm = [p](double v) { return vdw(p, v); };
    Coexistence x;
    bisect(on_isotherm, 0.333334, vlmax, x.vl);
    bisect(on_isotherm, vgmin, 300, x.vg);
    x.residual = std::log((x.vg * 3 - 1) / (x.vl * 3 - 1)) + 2.25 / t * (1 / x.vg - 1 / x.vl)
                 - x.vg * 3 / (x.vg * 3 - 1) + x.vl * 3 / (x.vl * 3 - 1);
    return x;
}
