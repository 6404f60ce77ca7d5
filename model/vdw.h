// Reduced van der Waals fluid: t = T/Tcr, p = P/Pcr, v = V/Vcr.
// Equation of state p = 8t/(3v - 1) - 3/v^2, critical point at t = p = v = 1.
//
// Every expression below is evaluated in a fixed order and grouping; the
// printed digits of the reports depend on it, so keep it when editing.
#pragma once

// The absolute stop tolerance of the sweep's searches, in v and in p.
constexpr double err = 1e-08;

// Pressure on the isotherm at_t at volume v: 8t/(3v - 1) - 3/v/v.
inline double isotherm_pressure(double at_t, double v)
{
    return at_t * 8 / (v * 3 - 1) - 3 / v / v;
}

// One isotherm, and the tolerance that the searches on it stop at. The
// searches call these a million times a run: they live here to be inlined.
struct Isotherm {
    double t;
    double tolerance = err;

    // The equation of state's residual p - 8t/(3v - 1) + 3/v/v: zero on the
    // isotherm, negative below it.
    double vdw(double p, double v) const { return p - t * 8 / (v * 3 - 1) + 3 / v / v; }

    // The spinodal cubic 4t v^3 - 9v^2 + 6v - 1: zero where dp/dv = 0.
    double fun2(double v) const { return t * 4 * v * v * v - v * 9 * v + v * 6 - 1; }

    double pressure(double v) const { return isotherm_pressure(t, v); }
};

// Entropy (in R), enthalpy, internal energy and Gibbs energy (in 8a/27b) on
// the isotherm at_t at volume v, with Cv = cR. s is zero at t = 1 and
// v = 2/3 (V - b = b); u is zero for the gas at t = 0 and infinite volume.
double entropy(double at_t, double v, double c);
double enthalpy(double at_t, double v, double c);
double internal_energy(double at_t, double v, double c);
double gibbs_energy(double at_t, double v, double c);

// The Helmholtz energy u - t s on the isotherm at_t at volume v, with Cv = cR,
// in Pcr Vcr (8/3 of R Tcr, the unit above): so measured, df/dv = -p on the
// reduced axes, and g = f + p v is 8/3 of gibbs_energy.
double helmholtz_energy(double at_t, double v, double c);

// The same of a liquid at vl and a gas at vg, both at temperature at_t.
struct Properties {
    double sl, sg, hl, hg, gl, gg, ul, ug;

    // The latent heat, in 8a/27b.
    double latent() const { return hg - hl; }
};
Properties properties(double at_t, double vl, double vg, double c);
