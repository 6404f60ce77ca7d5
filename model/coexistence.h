// Coexistence residual: its root in p is the vapour pressure at t.
#pragma once

// The residual at one trial pressure together with the liquid and gas volumes
// on the isotherm that it was computed from.
struct Coexistence {
    double residual;
    double vl;
    double vg;
};

inline double value_of(const Coexistence& f) { return f.residual; }

// Finds the liquid volume in [0.333334, vlmax] and the gas volume in
// [vgmin, 300] at pressure p, and returns (gl - gg)/t for them. Reads t, err,
// vlmax and vgmin, which must be set for the current temperature.
Coexistence fun(double p);
