// Reduced van der Waals fluid: t = T/Tcr, p = P/Pcr, v = V/Vcr.
// Equation of state p = 8t/(3v - 1) - 3/v^2, critical point at t = p = v = 1.
//
// Every expression below is evaluated in a fixed order and grouping; the
// printed digits of the reports depend on it, so keep it when editing.
#pragma once

// Model state shared by the relations, the searches and the sweep.
extern double t;      // reduced temperature of the current pass
extern double err;    // absolute stop tolerance of every bisection search
extern double vl;     // liquid volume of the current state
extern double vg;     // gas volume of the current state
extern double vlmax;  // liquid stability limit: largest liquid volume at t
extern double plmin;  // pressure at vlmax
extern double vgmin;  // gas stability limit: smallest gas volume at t
extern double pgmax;  // pressure at vgmin

// The searches call these a million times a run: they live here to be inlined.

// p - 8t/(3v - 1) + 3/v/v: zero on the isotherm t, negative below it.
inline double vdw(double p, double v)
{
    return p - t * 8 / (v * 3 - 1) + 3 / v / v;
}

// 4t v^3 - 9v^2 + 6v - 1: zero where dp/dv = 0 on the isotherm t.
inline double fun2(double v)
{
    return t * 4 * v * v * v - v * 9 * v + v * 6 - 1;
}

// Pressure on the isotherm at_t at volume v: 8t/(3v - 1) - 3/v/v.
inline double isotherm_pressure(double at_t, double v)
{
    return at_t * 8 / (v * 3 - 1) - 3 / v / v;
}

// Pressure on the isotherm t (the model state's) at volume v.
inline double pressure(double v)
{
    return isotherm_pressure(t, v);
}

// Entropy (in R), enthalpy, internal energy and Gibbs energy (in 8a/27b) on
// the isotherm at_t at volume v, with Cv = cR. s is zero at t = 1 and
// v = 2/3 (V - b = b); u is zero for the gas at t = 0 and infinite volume.
double entropy(double at_t, double v, double c);
double enthalpy(double at_t, double v, double c);
double internal_energy(double at_t, double v, double c);
double gibbs_energy(double at_t, double v, double c);

// The same of the liquid at vl and the gas at vg, at temperature t.
struct Properties {
    double sl, sg, hl, hg, gl, gg, ul, ug;
};
Properties properties(double c);
