// The cubic equations of state, one family in reduced variables:
//
//   pr = tr/(w - beta) - omega_a alpha(tr) / ((w + delta1 beta)(w + delta2 beta))
//
// with tr = T/Tc, pr = P/pc and the reduced volume w = V pc/(R Tc), so that
// w = Z at tr = pr = 1 is the critical compressibility Zc. beta = b pc/(R Tc)
// is omega_b and a pc/(R Tc)^2 is omega_a: both fixed by the critical
// conditions (the isotherm tr = 1 has a triple root in Z at pr = 1), found
// once by the halving rule, not rounded constants. One Cubic serves every
// fluid; SI values come from Tc, pc and R (T = tr Tc, P = pr pc,
// V = w R Tc/pc, energies in R Tc).
//
//   van der Waals           delta1 = delta2 = 0,   alpha = 1
//   Redlich and Kwong       delta1 = 1, delta2 = 0, alpha = 1/sqrt(tr)
//   Soave (SRK)             delta1 = 1, delta2 = 0, alpha = [1 + m (1 - sqrt(tr))]^2,
//                           m = 0.480 + 1.574 omega - 0.176 omega^2
//   Peng and Robinson       delta1,2 = 1 +- sqrt(2), alpha as Soave's with
//                           m = 0.37464 + 1.54226 omega - 0.26992 omega^2
//
// The Helmholtz energy, in R Tc, with Cv = cR for the ideal gas:
//
//   a(tr, w) = c tr - c tr ln tr - tr ln(w - beta) - omega_a alpha(tr) I(w),
//   I(w) = 1/w (delta1 = delta2 = 0), else ln((w + delta1 beta)/(w + delta2 beta)) / (beta (delta1 - delta2)),
//
// so that pr = -da/dw. From it s = -da/dtr (in R), u = a + tr s, h = u + pr w
// and g = a + pr w (in R Tc). The reference: s tends to c ln tr +
// ln(w - beta) as the volume grows, zero at tr = 1 and w - beta = 1 (for van
// der Waals s is that at every volume); u is zero for the gas at tr = 0 and
// infinite volume. The van der Waals reports' s is zero at 3v - 1 = 1, where
// w - beta = 1/8: theirs is this one plus ln 8, and their g differs by a
// term linear in t, so that differences (the latent heat, gl - gg) agree
// and the levels do not.
//
// Every formula of the family is written once, in cubic.cpp, in a fixed
// order and grouping; every root is found by bisect (bisect.h).
#pragma once

#include <string>

enum class Eos { vdw, rk, srk, pr };

// The equation's key as the command line and the tables name it ("vdw",
// "rk", "srk", "pr"), and back; false where `key` names none.
const char* eos_key(Eos eos);
bool eos_from_key(const std::string& key, Eos& eos);

// Whether the equation's alpha depends on the acentric factor (srk, pr).
bool needs_omega(Eos eos);

// Whether srk and pr take this acentric factor: -1 to 2, beyond every
// fluid's, where Soave's and Peng and Robinson's m stay meaningful.
bool omega_accepted(double omega);

// The critical constants of the family: omega_a, omega_b and Zc.
struct CriticalConstants {
    double omega_a, omega_b, zc;
};

class Cubic {
public:
    // The equation, with the fluid's acentric factor (used by srk and pr only).
    Cubic(Eos eos, double omega = 0);

    Eos eos() const { return eos_; }
    const CriticalConstants& critical() const { return critical_; }
    double omega_a() const { return critical_.omega_a; }
    double omega_b() const { return critical_.omega_b; }
    double zc() const { return critical_.zc; }

    // alpha(tr) and its derivative in tr.
    double alpha(double tr) const;
    double alpha_slope(double tr) const;

    // The isotherm's pressure, and its slope dpr/dw, at reduced volume w > beta.
    double pressure(double tr, double w) const;
    double pressure_slope(double tr, double w) const;

    // dpr/dw times (w - beta)^2: of the slope's sign, and finite at w = beta
    // (-tr there); positive between the stability limits. It is largest at
    // w = Zc, where it is alpha - tr: positive below tr = 1 for every member.
    double slope_sign(double tr, double w) const;

    // Helmholtz energy, entropy (in R), internal energy, enthalpy and Gibbs
    // energy (in R Tc) at tr and w, with Cv = cR.
    double helmholtz(double tr, double w, double c) const;
    double entropy(double tr, double w, double c) const;
    double internal_energy(double tr, double w, double c) const;
    double enthalpy(double tr, double w, double c) const;
    double gibbs(double tr, double w, double c) const;

    // A primitive of the isotherm's pressure in w: tr ln(w - beta) + omega_a alpha I(w).
    double work_integral(double tr, double w) const;

private:
    Eos eos_;
    double m_;        // Soave's slope of sqrt(alpha) in sqrt(tr), from omega (srk, pr)
    double delta1_, delta2_;
    CriticalConstants critical_;
    double attraction_integral(double w) const;  // I(w)
};

// The critical constants of the family with these deltas, from the critical
// conditions: 3 Zc = 1 + (1 - d1 - d2) omega_b, and the triple root's other
// two conditions, halved in omega_b.
CriticalConstants critical_constants(double delta1, double delta2);

// The stability limits below tr = 1: the largest liquid volume (the
// isotherm's minimum) and the smallest gas volume (its maximum), with their
// pressures; the limits straddle Zc.
struct CubicLimits {
    double wl_max, pl_min, wg_min, pg_max;
};
CubicLimits stability_limits(const Cubic& eos, double tr);

// The volume on the isotherm tr at pressure pr > 0: the liquid's below
// wl_max, the gas's above wg_min (from tr = 1 up, the one volume).
double phase_volume(const Cubic& eos, double tr, double pr, bool liquid, const CubicLimits& limits);

// A line at trial pressure pr between the limits' pressures: its two outer
// crossings, the middle one, the areas between line and isotherm (liquid:
// below the line from wl to w_middle; gas: above it from w_middle to wg),
// and g at each end. The areas are equal, and gl = gg, at the saturation
// pressure only; gl - gg = gas_area - liquid_area.
struct CubicTrialLine {
    double wl, wg, w_middle, liquid_area, gas_area, gl, gg;
};
CubicTrialLine trial_line(const Cubic& eos, double tr, double pr, const CubicLimits& limits, double c);

// The saturation state at tr, for lowest_cubic_tr <= tr < 1: the pressure
// where gl = gg, both volumes, the limits, and the properties of each phase.
constexpr double lowest_cubic_tr = 0.35;
struct Saturation {
    double tr, pr, wl, wg;
    CubicLimits limits;
};
Saturation saturation(const Cubic& eos, double tr);

// The properties of the two coexisting phases (s in R, the rest in R Tc).
struct CubicProperties {
    double sl, sg, hl, hg, gl, gg, ul, ug;
    double latent() const { return hg - hl; }
};
CubicProperties properties(const Cubic& eos, const Saturation& s, double c);

// The tr at which the saturation pressure is pr, for
// saturation(lowest_cubic_tr).pr <= pr < 1.
double saturation_tr(const Cubic& eos, double pr);

// Pitzer's acentric factor from the reduced vapour pressure at tr = 0.7:
// -1 - log10(pr). Written here once, for every equation and for nature.h.
double pitzer_acentric_factor(double pr_at_0_7);

// The acentric factor the equation's own curve gives.
double own_acentric_factor(const Cubic& eos);

// The isobar pr through volume w: the tr at which the isotherm has pressure
// pr at w, for w > beta (pr rises with tr at fixed w for every member).
double isobar_tr(const Cubic& eos, double pr, double w);
