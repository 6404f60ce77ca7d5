#include "vdw.h"

#include <cmath>

double t = 0.999;
double err = 1e-08;
double vl = 0;
double vg = 0;
double vlmax = 0;
double plmin = 0;
double vgmin = 0;
double pgmax = 0;

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

Properties properties(double c)
{
    Properties x;
    x.sl = entropy(t, vl, c);
    x.sg = entropy(t, vg, c);
    x.hl = enthalpy(t, vl, c);
    x.hg = enthalpy(t, vg, c);
    x.gl = gibbs_energy(t, vl, c);
    x.gg = gibbs_energy(t, vg, c);
    x.ul = internal_energy(t, vl, c);
    x.ug = internal_energy(t, vg, c);
    return x;
}
