// The coexistence state at any temperature, or at any vapour pressure, in
// reduced variables: computed by the searches of a pass of the sweep, not
// read off the tables' rows.
#pragma once

#include "vdw.h"

// Where the searches converge: from t = lowest_state_t up to, not including,
// the critical point t = 1. Lower, the gas spinodal leaves its search's
// range (it passes v = 5 near t = 0.3927).
constexpr double lowest_state_t = 0.394;

struct State {
    double t, p, vl, vg;             // the vapour pressure and the coexisting volumes
    double vlmax, plmin, vgmin, pgmax;
    Properties x;                    // with Cv = cR
    double latent;                   // hg - hl
};

// The state at t, for lowest_state_t <= t < 1. Every search stops at
// state_tolerance; the coexistence pressure is searched from where the
// isotherm's gas volume is 300 (the top of its search) rather than from the
// liquid limit's pressure, which below t = 0.47 is far below zero; the
// volumes are the line's crossings at the final pressure. The model state
// (t, err, the volumes and limits) is left as it was.
constexpr double state_tolerance = 1e-12;
State state_at(double at_t, double c);

// The lowest vapour pressure the states reach, at lowest_state_t.
double lowest_state_p();

// The t at which the vapour pressure is p, for lowest_state_p() <= p < 1.
double t_at_pressure(double p);
