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

namespace {

double entropy(double v, double c)
{
    return std::log(v * 3 - 1) + std::log(t) * c;
}

double enthalpy(double v, double c)
{
    return (v * 3 / (v * 3 - 1) + c) * t - 2.25 / v;
}

double internal_energy(double v, double c)
{
    return c * t - 1.125 / v;
}

}  // namespace

Properties properties(double c)
{
    Properties x;
    x.sl = entropy(vl, c);
    x.sg = entropy(vg, c);
    x.hl = enthalpy(vl, c);
    x.hg = enthalpy(vg, c);
    x.gl = x.hl - t * x.sl;
    x.gg = x.hg - t * x.sg;
    x.ul = internal_energy(vl, c);
    x.ug = internal_energy(vg, c);
    return x;
}
