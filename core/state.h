// The coexistence state at any temperature, or at any vapour pressure, in
// reduced variables: computed by the searches of a pass of the sweep, not
// read off the tables' rows.
#pragma once

#include "coexistence.h"

// Where the searches converge: from t = lowest_state_t up to, not including,
// the critical point t = 1. Lower, the gas spinodal leaves its search's
// range (it passes gas_limit_ceiling at t = 0.392).
constexpr double lowest_state_t = 0.394;

// The state at t, for lowest_state_t <= t < 1. Every search stops at
// state_tolerance; the coexistence pressure is searched from where the
// isotherm's gas volume is gas_ceiling rather than from the liquid limit's
// pressure, which below t = 0.47 is far below zero; the volumes are the
// line's crossings at the final pressure.
constexpr double state_tolerance = 1e-12;
Coexistence state_at(double at_t);

// The lowest vapour pressure the states reach, at lowest_state_t.
double lowest_state_p();

// The t at which the vapour pressure is p, for lowest_state_p() <= p < 1.
double t_at_pressure(double p);
