#include "nature.h"

#include <cmath>
#include <cstddef>

#include "vdw.h"

double guggenheim_density(double tr, bool liquid)
{
    const double below = 1 - tr;
    const double width = 7.0 / 4 * std::cbrt(below);
    return 1 + 3.0 / 4 * below + (liquid ? width : -width);
}

double critical_compressibility()
{
    const double t = 1, v = 1;
    return isotherm_pressure(t, v) * v / (8.0 / 3 * t);
}

double acentric_factor(double p_at_0_7) { return -1 - std::log10(p_at_0_7); }

double critical_exponent(const std::vector<double>& t, const std::vector<double>& width)
{
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(t.size());
    for (size_t k = 0; k < t.size(); ++k) {
        const double x = std::log(1 - t[k]), y = std::log(width[k]);
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

std::vector<ClapeyronSlopes> clapeyron_slopes(const std::vector<Coexistence>& states, const std::vector<double>& latent)
{
    std::vector<ClapeyronSlopes> slopes;
    for (size_t k = 1; k + 1 < states.size(); ++k) {
        const Coexistence& s = states[k];
        const double from_p = (states[k - 1].p - states[k + 1].p) / (states[k - 1].t - states[k + 1].t);
        slopes.push_back({s.t, from_p, latent[k] * 8 / (3 * s.t * (s.vg - s.vl))});
    }
    return slopes;
}
