// The van der Waals fluid solved independently of the program's searches:
// the exact coexistence curve in parametric form (Lekner, Am. J. Phys. 50,
// 161 (1982)) and the spinodal roots in long double.
#pragma once

#include <cmath>

namespace exact {

using real = long double;

struct ExactCoexistence {
    real p, vl, vg, entropy_jump;
};

// With y half the entropy jump in units of R, the coexisting states are
// closed functions of y; t falls from 1 at y = 0 as y grows.
inline ExactCoexistence lekner(real y)
{
    const real ch = std::cosh(y);
    const real sh = std::sinh(y);
    const real f = (y * ch - sh) / (sh * ch - y);
    const real g = 1 + 2 * f * ch + f * f;
    ExactCoexistence x;
    x.p = 27 * f * f * (1 - f * f) / (g * g);
    x.vg = (1 + std::exp(y) / f) / 3;
    x.vl = (1 + std::exp(-y) / f) / 3;
    x.entropy_jump = 2 * y;
    return x;
}

inline real lekner_t(real y)
{
    const real ch = std::cosh(y);
    const real sh = std::sinh(y);
    const real f = (y * ch - sh) / (sh * ch - y);
    const real g = 1 + 2 * f * ch + f * f;
    return 27 * f * (f + ch) / (4 * g * g);
}

inline ExactCoexistence exact_coexistence(real t)
{
    real lo = 1e-3L, hi = 30;  // t(lo) > t > t(hi) for every t of the tables
    for (int i = 0; i < 200 && hi - lo > 1e-18L; ++i) {
        const real mid = (lo + hi) / 2;
        (lekner_t(mid) > t ? lo : hi) = mid;
    }
    return lekner((lo + hi) / 2);
}

// The liquid and gas roots of 4t v^3 = (3v - 1)^2, on either side of the
// minimum of 4t v^3 - (3v - 1)^2 at v = (3 + sqrt(9 - 8t))/(4t), by halving in
// long double with the sign taken at the bracket end where it is known.
struct Spinodal {
    real liquid, gas;
};

inline Spinodal spinodal(real t)
{
    const auto F = [t](real v) { return 4 * t * v * v * v - (3 * v - 1) * (3 * v - 1); };
    const real minimum = (3 + std::sqrt(9 - 8 * t)) / (4 * t);
    real lo = 1.0L / 3, hi = minimum;  // F(lo) > 0 > F(hi)
    for (int i = 0; i < 200; ++i) {
        const real mid = (lo + hi) / 2;
        (F(mid) > 0 ? lo : hi) = mid;
    }
    const real liquid = lo;
    lo = minimum;
    hi = 100;  // F(lo) < 0 < F(hi)
    for (int i = 0; i < 200; ++i) {
        const real mid = (lo + hi) / 2;
        (F(mid) < 0 ? lo : hi) = mid;
    }
    return {liquid, lo};
}

inline real isotherm(real t, real v) { return 8 * t / (3 * v - 1) - 3 / (v * v); }

}  // namespace exact
