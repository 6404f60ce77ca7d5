#include "vdw.h"

#include <cmath>

double entropy(double at_t, double v, double c)
{
    return std::log(v * 3 - 1) + std::log(at_t) * c;
}

double enthalpy(double at_t, double v, double c)
{
    return (v * 3 / (v * 3 - 1) + c) * at_t - 2.25 / v;
}

double internal_energy(double at_t, double v, double c)
{
    return c * at_t - 1.125 / v;
}

double gibbs_energy(double at_t, double v, double c)
{
    return enthalpy(at_t, v, c) - at_t * entropy(at_t, v, c);
}

double helmholtz_energy(double at_t, double v, double c)
{
    return (internal_energy(at_t, v, c) - at_t * entropy(at_t, v, c)) * 8 / 3;
}

Properties properties(double at_t, double vl, double vg, double c)
{
    Properties x;
    x.sl = entropy(at_t, vl, c);
    x.sg = entropy(at_t, vg, c);
    x.hl = enthalpy(at_t, vl, c);
    x.hg = enthalpy(at_t, vg, c);
    x.gl = gibbs_energy(at_t, vl, c);
    x.gg = gibbs_energy(at_t, vg, c);
    x.ul = internal_energy(at_t, vl, c);
    x.ug = internal_energy(at_t, vg, c);
    return x;
}
