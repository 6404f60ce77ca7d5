#include "coexistence.h"

#include <cmath>

#include "bisect.h"

CoexistenceResidual fun(const Isotherm& isotherm, const StabilityLimits& limits, double p)
{
    const auto on_isotherm = [&isotherm, p](double v) { return isotherm.vdw(p, v); };
    const double t = isotherm.t;
    CoexistenceResidual x;
    bisect(isotherm.tolerance, on_isotherm, liquid_floor, limits.vlmax, x.vl);
    bisect(isotherm.tolerance, on_isotherm, limits.vgmin, gas_ceiling, x.vg);
    x.residual = std::log((x.vg * 3 - 1) / (x.vl * 3 - 1)) + 2.25 / t * (1 / x.vg - 1 / x.vl)
                 - x.vg * 3 / (x.vg * 3 - 1) + x.vl * 3 / (x.vl * 3 - 1);
    return x;
}
