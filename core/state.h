// The coexistence state at any temperature, or at any vapour pressure, in
// reduced variables: computed by the searches of a pass of the sweep, not
// read off the tables' rows.
#pragma once

#include <string>
#include <functional>
#include <vector>

#include "coexistence.h"
#include "maxwell.h"
#include "vdw.h"

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

// A state's numbers by name, the one list the front ends name them from:
// each under its column's name in the tables (v_liquid) and the short name
// the page's script gives it (vl), with its value.
struct NamedNumber {
    const char* column;
    const char* key;
    double value;
};
// The state behind a row: t, p, the coexisting volumes and the stability limits.
std::vector<NamedNumber> state_numbers(const Coexistence& s);
// Those, then the phases' properties with Cv = cR and the latent heat.
std::vector<NamedNumber> state_numbers(const Coexistence& s, double c);

// Rows of numbers by name as columns, each named as the first row names it.
struct NumberColumn {
    std::string name;
    std::vector<double> values;
};
std::vector<NumberColumn> columns_of(const std::vector<std::vector<NamedNumber>>& rows);

// The state at t as a row holds it, unrounded, with its construction at the
// vapour pressure and its phases' properties with Cv = cR, for
// lowest_state_t <= t < 1.
struct StateWithProperties {
    Coexistence state;
    MaxwellAreas areas;
    Properties properties;
    double latent;
};
StateWithProperties state_with_properties(double at_t, double c);

// Liquid at vl and gas at vg, coexisting at t, together at overall volume v
// on their tie line: the gas's share by the lever rule, and the whole's
// entropy and enthalpy with Cv = cR.
struct Mixture {
    double gas, s, h;
};
Mixture two_phase(double at_t, double vl, double vg, double v, double c);

// The isobar at the vapour pressure p of the state (t, vl, vg), heated
// through t: the liquid at count + 1 temperatures from t_low up to t, and
// the gas from t up to t_high, each point its t, the phase's volume, entropy
// and enthalpy with Cv = cR (below t = 1 each phase's volume is found
// between its limits, from the model's state at that t); and boiling at t,
// the heat taken in, t (sg - sl), and hg - hl.
struct IsobarPoint {
    double t, v, s, h;
};
struct Isobar {
    std::vector<IsobarPoint> liquid, gas;
    double boiling_heat, latent;
};
Isobar isobar(double at_t, double p, double vl, double vg, double t_low, double t_high, int count, double c);

// One mole pushed by a piston at t from overall volume v_from to v_to: the
// work done on it, -∫p dv, and the heat it gives off, both in 8a/27b
// (R·Tcr, the latent heat's unit), and of these the part done on the tie
// line at the vapour pressure p, where the gas condenses (the heat then
// hg - hl for each mole condensed, the work p (vg - vl)·3/8 for the whole
// tie line: P·V is in Pcr·Vcr = 3/8 R·Tcr). Along the stable states (kept
// none): the gas beyond vg, the two phases on the tie line, the liquid
// below vl. Without nucleation (kept gas) the gas keeps on its branch the
// whole way; a liquid that keeps on its branch (kept liquid) is the stable
// path down to vl, then its branch back up to v_to. Expanding gives
// negative work and heat. On one branch both follow from the isotherm's
// primitive: ∫p dv = 8t/3 ln(3v - 1) + 3/v, and the heat given off is
// -t (s(v_to) - s(v_from)), c cancelling.
enum class Kept { none, gas, liquid };
struct Compression {
    double work, heat, tie_work, tie_heat;
};
Compression compression(double at_t, double p, double vl, double vg, double v_from, double v_to, Kept kept);

// The same paths on any equation's isotherm: its work and heat on one
// branch from a volume to another, the latent heat hg - hl, and R·Tcr in
// units of the chart's p·v (3/8 for van der Waals's Pcr·Vcr, Zc for an
// equation's own). Compression is these with van der Waals's.
struct CompressionPath {
    std::function<Compression(double, double)> on_branch;
    double latent, pv_unit;
};
Compression compression_along(const CompressionPath& path, double p, double vl, double vg, double v_from,
                              double v_to, Kept kept);
