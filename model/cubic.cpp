#include "cubic.h"

#include <algorithm>
#include <cmath>

#include "bisect.h"

// ---------------------------------------------------------------------------
// The family's formulas, each written once.
// ---------------------------------------------------------------------------

const char* eos_key(Eos eos)
{
    switch (eos) {
    case Eos::rk:
        return "rk";
    case Eos::srk:
        return "srk";
    case Eos::pr:
        return "pr";
    case Eos::vdw:
        break;
    }
    return "vdw";
}

bool eos_from_key(const std::string& key, Eos& eos)
{
    for (Eos e : {Eos::vdw, Eos::rk, Eos::srk, Eos::pr})
        if (key == eos_key(e)) {
            eos = e;
            return true;
        }
    return false;
}

bool needs_omega(Eos eos) { return eos == Eos::srk || eos == Eos::pr; }

bool omega_accepted(double omega) { return omega >= -1 && omega <= 2; }

CriticalConstants critical_constants(double delta1, double delta2)
{
    // Z^3 - (1 + B - uB) Z^2 + (A + wB^2 - uB - uB^2) Z - (AB + wB^2 + wB^3)
    // with u = d1 + d2, w = d1 d2 is (Z - Zc)^3 at the critical point: the
    // first two conditions give Zc and omega_a from omega_b, the third is
    // the residual halved in omega_b (negative at 0, positive at 0.2 for
    // every member).
    const double u = delta1 + delta2, w = delta1 * delta2;
    const auto from_b = [u, w](double b) {
        const double zc = (1 + (1 - u) * b) / 3;
        const double a = zc * zc * 3 - w * b * b + u * b + u * b * b;
        return CriticalConstants{a, b, zc};
    };
    const auto residual = [&](double b) {
        const CriticalConstants k = from_b(b);
        return k.omega_a * b + w * b * b + w * b * b * b - k.zc * k.zc * k.zc;
    };
    double b = 0;
    bisect(1e-16, residual, 0.0, 0.2, b);
    return from_b(b);
}

namespace {

double deltas_first(Eos eos) { return eos == Eos::pr ? 1 + std::sqrt(2.0) : eos == Eos::vdw ? 0 : 1; }
double deltas_second(Eos eos) { return eos == Eos::pr ? 1 - std::sqrt(2.0) : 0; }

double soave_slope(Eos eos, double omega)
{
    if (eos == Eos::srk)
        return 0.480 + 1.574 * omega - 0.176 * omega * omega;
    if (eos == Eos::pr)
        return 0.37464 + 1.54226 * omega - 0.26992 * omega * omega;
    return 0;
}

}  // namespace

Cubic::Cubic(Eos eos, double omega)
    : eos_(eos), m_(soave_slope(eos, omega)), delta1_(deltas_first(eos)), delta2_(deltas_second(eos)),
      critical_(critical_constants(delta1_, delta2_))
{
}

double Cubic::alpha(double tr) const
{
    switch (eos_) {
    case Eos::vdw:
        return 1;
    case Eos::rk:
        return 1 / std::sqrt(tr);
    case Eos::srk:
    case Eos::pr:
        break;
    }
    const double root = 1 + m_ * (1 - std::sqrt(tr));
    return root * root;
}

double Cubic::alpha_slope(double tr) const
{
    switch (eos_) {
    case Eos::vdw:
        return 0;
    case Eos::rk:
        return -0.5 / (tr * std::sqrt(tr));
    case Eos::srk:
    case Eos::pr:
        break;
    }
    const double sqrt_tr = std::sqrt(tr);
    return -m_ * (1 + m_ * (1 - sqrt_tr)) / sqrt_tr;
}

double Cubic::attraction_integral(double w) const
{
    const double b = critical_.omega_b;
    if (delta1_ == delta2_)
        return 1 / w;
    return std::log((w + delta1_ * b) / (w + delta2_ * b)) / (b * (delta1_ - delta2_));
}

double Cubic::pressure(double tr, double w) const
{
    const double b = critical_.omega_b;
    return tr / (w - b) - critical_.omega_a * alpha(tr) / ((w + delta1_ * b) * (w + delta2_ * b));
}

double Cubic::pressure_slope(double tr, double w) const
{
    const double b = critical_.omega_b;
    const double repulsion = w - b, attraction = (w + delta1_ * b) * (w + delta2_ * b);
    return -tr / (repulsion * repulsion) +
           critical_.omega_a * alpha(tr) * (w * 2 + (delta1_ + delta2_) * b) / (attraction * attraction);
}

double Cubic::slope_sign(double tr, double w) const
{
    const double b = critical_.omega_b;
    const double repulsion = w - b, attraction = (w + delta1_ * b) * (w + delta2_ * b);
    return critical_.omega_a * alpha(tr) * (w * 2 + (delta1_ + delta2_) * b) * (repulsion * repulsion) /
               (attraction * attraction) -
           tr;
}

double Cubic::work_integral(double tr, double w) const
{
    return tr * std::log(w - critical_.omega_b) + critical_.omega_a * alpha(tr) * attraction_integral(w);
}

double Cubic::helmholtz(double tr, double w, double c) const
{
    return c * tr - c * tr * std::log(tr) - work_integral(tr, w);
}

double Cubic::entropy(double tr, double w, double c) const
{
    return c * std::log(tr) + std::log(w - critical_.omega_b) + critical_.omega_a * alpha_slope(tr) * attraction_integral(w);
}

double Cubic::internal_energy(double tr, double w, double c) const
{
    return c * tr - critical_.omega_a * (alpha(tr) - tr * alpha_slope(tr)) * attraction_integral(w);
}

double Cubic::enthalpy(double tr, double w, double c) const
{
    return internal_energy(tr, w, c) + pressure(tr, w) * w;
}

double Cubic::gibbs(double tr, double w, double c) const
{
    return helmholtz(tr, w, c) + pressure(tr, w) * w;
}

// ---------------------------------------------------------------------------
// The searches, each by bisect.
// ---------------------------------------------------------------------------

namespace {

// Volumes are found to 1e-14 of the bracket's upper end, well above the
// spacing of doubles there.
constexpr double volume_digits = 1e-14;

// The volume in [lo, hi] where the isotherm tr has pressure pr, the isotherm
// crossing pr once in the bracket.
double crossing(const Cubic& eos, double tr, double pr, double lo, double hi)
{
    double w = lo;
    bisect(hi * volume_digits, [&](double w_) { return pr - eos.pressure(tr, w_); }, lo, hi, w);
    return w;
}

}  // namespace

CubicLimits stability_limits(const Cubic& eos, double tr)
{
    const double zc = eos.zc();
    const auto inside = [&](double w) { return eos.slope_sign(tr, w); };
    double wl = zc, wg = zc;
    bisect(zc * volume_digits, inside, eos.omega_b(), zc, wl);
    double far = zc * 2;
    while (inside(far) > 0)
        far *= 2;
    bisect(far * volume_digits, inside, zc, far, wg);
    return {wl, eos.pressure(tr, wl), wg, eos.pressure(tr, wg)};
}

double phase_volume(const Cubic& eos, double tr, double pr, bool liquid, const CubicLimits& limits)
{
    // Above beta the isotherm falls from +inf; below tr/(w - beta) always,
    // so at beta + tr/pr it is under pr.
    const double b = eos.omega_b(), beyond = b + tr / pr;
    if (tr >= 1)
        return crossing(eos, tr, pr, b, beyond);
    return liquid ? crossing(eos, tr, pr, b, limits.wl_max)
                  : crossing(eos, tr, pr, limits.wg_min, std::max(limits.wg_min, beyond));
}

CubicTrialLine trial_line(const Cubic& eos, double tr, double pr, const CubicLimits& limits, double c)
{
    CubicTrialLine x{};
    x.wl = phase_volume(eos, tr, pr, true, limits);
    x.wg = phase_volume(eos, tr, pr, false, limits);
    // Between the limits the isotherm rises: the middle crossing of the line.
    x.w_middle = crossing(eos, tr, pr, limits.wl_max, limits.wg_min);
    x.liquid_area = pr * (x.w_middle - x.wl) - (eos.work_integral(tr, x.w_middle) - eos.work_integral(tr, x.wl));
    x.gas_area = (eos.work_integral(tr, x.wg) - eos.work_integral(tr, x.w_middle)) - pr * (x.wg - x.w_middle);
    x.gl = eos.gibbs(tr, x.wl, c);
    x.gg = eos.gibbs(tr, x.wg, c);
    return x;
}

Saturation saturation(const Cubic& eos, double tr)
{
    Saturation s{};
    s.tr = tr;
    s.limits = stability_limits(eos, tr);
    // gl - gg falls with pr (its slope is wl - wg): positive near 0, where
    // the gas's g runs to -inf, negative at the gas limit's pressure. Halved
    // in ln pr, to the same relative precision at every tr; the liquid limit
    // bounds it where its pressure is positive.
    const double top = std::log(s.limits.pg_max);
    const double bottom = s.limits.pl_min > 0 ? std::log(s.limits.pl_min) : top - 40;
    const auto residual = [&](double ln_p) {
        const double p = std::exp(ln_p);
        return eos.gibbs(tr, phase_volume(eos, tr, p, true, s.limits), 0) -
               eos.gibbs(tr, phase_volume(eos, tr, p, false, s.limits), 0);
    };
    double ln_p = bottom;
    bisect(1e-14, residual, bottom, top, ln_p);
    s.pr = std::exp(ln_p);
    s.wl = phase_volume(eos, tr, s.pr, true, s.limits);
    s.wg = phase_volume(eos, tr, s.pr, false, s.limits);
    return s;
}

CubicProperties properties(const Cubic& eos, const Saturation& s, double c)
{
    CubicProperties x{};
    x.sl = eos.entropy(s.tr, s.wl, c);
    x.sg = eos.entropy(s.tr, s.wg, c);
    x.hl = eos.enthalpy(s.tr, s.wl, c);
    x.hg = eos.enthalpy(s.tr, s.wg, c);
    x.gl = eos.gibbs(s.tr, s.wl, c);
    x.gg = eos.gibbs(s.tr, s.wg, c);
    x.ul = eos.internal_energy(s.tr, s.wl, c);
    x.ug = eos.internal_energy(s.tr, s.wg, c);
    return x;
}

double saturation_tr(const Cubic& eos, double pr)
{
    double tr = lowest_cubic_tr;
    bisect(1e-14, [&](double t) { return saturation(eos, t).pr - pr; }, lowest_cubic_tr, 1.0, tr);
    return tr;
}

double pitzer_acentric_factor(double pr_at_0_7) { return -1 - std::log10(pr_at_0_7); }

double own_acentric_factor(const Cubic& eos) { return pitzer_acentric_factor(saturation(eos, 0.7).pr); }

double isobar_tr(const Cubic& eos, double pr, double w)
{
    double high = 1;
    while (eos.pressure(high, w) < pr)
        high *= 2;
    double tr = high;
    bisect(high * 1e-15, [&](double t) { return eos.pressure(t, w) - pr; }, 0.0, high, tr);
    return tr;
}
