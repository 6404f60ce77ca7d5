// The brackets of the volume searches, and the coexistence residual: its
// root in p is the vapour pressure at t.
#pragma once

#include "vdw.h"

// Every liquid search starts just above the pole of the isotherm at v = 1/3,
// where p runs to +infinity. The three lower ends differ as the tables were
// first computed with them; each one fixes the last bits of what it finds.
constexpr double liquid_floor = 0.333334;            // the liquid at a trial pressure
constexpr double liquid_limit_floor = 0.3334;        // the liquid stability limit
constexpr double liquid_beside_gas_limit_floor = 0.33335;  // the liquid at the gas limit's pressure

// The gas at a pressure is searched up to v = 300: far beyond the vapour
// volume at every t of the tables (45.4 at t = 0.501); below the isotherm's
// pressure there no gas root is found and the search ends at 300.
constexpr double gas_ceiling = 300;

// The gas stability limit is searched up to v = 5; it lies below 5 for every
// t above 0.392, which makes that the lowest t the searches reach.
constexpr double gas_limit_ceiling = 5;

// The liquid and gas stability limits of one isotherm and their pressures.
struct StabilityLimits {
    double vlmax, plmin;  // the largest liquid volume and its (smallest) pressure
    double vgmin, pgmax;  // the smallest gas volume and its (largest) pressure
};

// The coexistence residual at one trial pressure together with the liquid
// and gas volumes on the isotherm that it was computed from.
struct CoexistenceResidual {
    double residual;
    double vl;
    double vg;
};

inline double value_of(const CoexistenceResidual& f) { return f.residual; }

// The coexistence residual at pressure p: finds the liquid volume in
// [liquid_floor, vlmax] and the gas volume in [vgmin, gas_ceiling] and
// returns (gl - gg)/t for them, which does not depend on c.
CoexistenceResidual fun(const Isotherm& isotherm, const StabilityLimits& limits, double p);

// The coexistence at one temperature, as found, before any report rounds it:
// the vapour pressure with the coexisting volumes, the stability limits, and
// the other phase's volume beside each limit. None of it depends on c.
struct Coexistence {
    double t, p, vl, vg;
    StabilityLimits limits;
    double vg_beside_liquid_limit;  // the gas at the liquid limit's pressure
    double vl_beside_gas_limit;     // the liquid at the gas limit's pressure
};
