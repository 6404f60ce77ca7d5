#include "maxwell.h"

#include <cmath>

#include "bisect.h"
#include "vdw.h"

namespace {

// A primitive of the isotherm's pressure in v: 8t/3 ln(3v - 1) + 3/v.
double work_integral(double at_t, double v)
{
    return at_t * 8 / 3 * std::log(v * 3 - 1) + 3 / v;
}

}  // namespace

MaxwellAreas maxwell_areas(double at_t, double p, double vl, double vg, double vlmax, double vgmin)
{
    MaxwellAreas a{};
    bisect([at_t, p](double v) { return p - isotherm_pressure(at_t, v); }, vlmax, vgmin, a.v_middle);
    a.liquid_area = p * (a.v_middle - vl) - (work_integral(at_t, a.v_middle) - work_integral(at_t, vl));
    a.gas_area = (work_integral(at_t, vg) - work_integral(at_t, a.v_middle)) - p * (vg - a.v_middle);
    return a;
}

double gas_fraction(double v, double vl, double vg)
{
    return (v - vl) / (vg - vl);
}
