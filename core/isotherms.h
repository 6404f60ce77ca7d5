// Any cubic equation's isotherm as the page draws it beside van der Waals's:
// t = T/Tc, p = P/pc and v = V/Vc with the equation's own critical volume
// Zc R Tc/pc (v = w/Zc, cubic.h), so that every equation's critical point
// is at v = p = t = 1 and the van der Waals pictures keep their numbers.
// Areas between a line and the isotherm are in pc Vc, energies in R Tc and
// entropies in R, with Cv = cR.
#pragma once

#include <vector>

#include "cubic.h"
#include "maxwell.h"
#include "state.h"
#include "substances.h"

// A saturation state and its stability limits, in v = V/Vc.
struct ScaledState {
    double t, p, vl, vg, vlmax, plmin, vgmin, pgmax;
};

// At t, for lowest_cubic_tr <= t < 1: the state, its construction at the
// vapour pressure, both phases' properties and the latent heat (R Tc).
struct ScaledSaturation {
    ScaledState state;
    MaxwellAreas areas;
    CubicProperties properties;
    double latent;
};
ScaledSaturation scaled_saturation(const Cubic& eos, double t, double c);

// The smallest volume, where the pressure is infinite: b/Vc, 1/3 for van der Waals.
double scaled_covolume(const Cubic& eos);

// The piston's work on the fluid and the heat it gives off from v_from to
// v_to on the isotherm of s, as compression (state.h) gives van der Waals's,
// in R Tc.
Compression scaled_compression(const Cubic& eos, const ScaledState& s, double v_from, double v_to, Kept kept);

// f at (t, v) in the equation's own Pc Vc (= Zc R Tc), where df/dv = -p; the
// line of slope -p touching it at a line's stable end (maxwell.h), and its
// branches over volumes v_low to v_high, as the van der Waals f-v chart has them.
double scaled_helmholtz(const Cubic& eos, double t, double v, double c);
FreeEnergyTangent scaled_helmholtz_tangent(const Cubic& eos, double t, double p, double vl, double vg, double c);
FreeEnergyBranches scaled_helmholtz_branches(const Cubic& eos, const ScaledState& s, double v_low, double v_high,
                                             int count, double c);

// The isotherm's pressure and the Gibbs energy at (t, v).
double scaled_pressure(const Cubic& eos, double t, double v);
double scaled_gibbs(const Cubic& eos, double t, double v, double c);

// The entropy (in R) and enthalpy (in R Tc) at (t, v), with Cv = cR.
double scaled_entropy(const Cubic& eos, double t, double v, double c);
double scaled_enthalpy(const Cubic& eos, double t, double v, double c);

// The liquid and gas of state s together at overall volume v on its tie
// line, as two_phase (state.h) gives van der Waals's.
Mixture scaled_two_phase(const Cubic& eos, const ScaledState& s, double v, double c);

// Heating at state s's vapour pressure from t_low to t_high through s.t, as
// isobar (state.h) gives van der Waals's: each phase's volume found between
// its limits at each t below 1.
Isobar scaled_isobar(const Cubic& eos, const ScaledState& s, double t_low, double t_high, int count, double c);

// A line at pressure p on the isotherm of state s, for
// trial_line_reaches(p, s.plmin, s.pgmax): where it cuts the isotherm, the
// areas between them and g at its ends (gl - gg = Zc (gas - liquid area)).
TrialLine scaled_trial_line(const Cubic& eos, const ScaledState& s, double p, double c);

// g against p along the isotherm of state s, each branch of the swallowtail
// at count + 1 pressures of its part of p_low..p_high, as gibbs_branches
// (maxwell.h) samples van der Waals's.
GibbsBranches scaled_gibbs_branches(const Cubic& eos, const ScaledState& s, double p_low, double p_high, int count,
                                    double c);

// The unit of a reduced quantity of `fluid` by the equation: si_unit's
// (substances.h), but volumes in the equation's own Vc and areas in pc times it.
double scaled_si_unit(const Substance& fluid, const Cubic& eos, Quantity quantity);

// The equation's states at the sweep's temperatures (sweep.h: first_t down by
// dt to above 0.5), as the van der Waals rows are drawn.
std::vector<ScaledSaturation> scaled_rows(const Cubic& eos, double c);
