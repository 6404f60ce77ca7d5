// The van der Waals fluid against the laws real fluids are found to follow,
// in reduced variables: what the model says of itself (its critical
// compressibility, its acentric factor, its critical exponent, its
// consistency with Clapeyron's equation) beside Guggenheim's law of
// corresponding states for the simple fluids.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "coexistence.h"
#include "substances.h"

// Guggenheim's (1945) fit to the coexisting densities of neon, argon,
// krypton, xenon, nitrogen, oxygen, carbon monoxide and methane:
// rho/rho_c = 1 + 3/4 (1 - tr) + 7/4 (1 - tr)^(1/3) for the liquid, and
// with - 7/4 for the gas.
double guggenheim_density(double tr, bool liquid);

// The model's critical compressibility factor pc Vc / (R Tc): p v / (8/3 t)
// at its critical point, t = p = v = 1.
double critical_compressibility();

// The acentric factor from the reduced vapour pressure at t = 0.7, as Pitzer
// defined it: -1 - log10(p).
double acentric_factor(double p_at_0_7);

// The model's own acentric factor, from its vapour pressure at t = 0.7
// searched to twelve digits.
double model_acentric_factor();

// Whether a row at t is among those nearest the critical point, t >= 0.990,
// over which a critical exponent is fitted (0.9895: the sweep's t is lowered
// by subtraction and lands near, not on, each thousandth).
inline bool near_critical(double t) { return t >= 0.9895; }

// The exponent of a width that vanishes at t = 1 as (1 - t)^beta: the
// least-squares slope of log(width) against log(1 - t) over the points given.
double critical_exponent(const std::vector<double>& t, const std::vector<double>& width);

// Clapeyron's equation on the states of a sweep, from the second to the
// last but one: the slope of the vapour pressure dp/dt by a central
// difference of the neighbouring states' p, and the slope the latent heat
// gives, L / (t (vg - vl)) in reduced units, that is 8 L / (3 t (vg - vl)),
// since pc Vc is 3/8 of R Tc and L is in units of R Tc.
struct ClapeyronSlopes {
    double t, from_p, from_latent;
};
std::vector<ClapeyronSlopes> clapeyron_slopes(const std::vector<Coexistence>& states, const std::vector<double>& latent);

// The largest relative difference between the two slopes, |from_latent /
// from_p - 1|, over the slopes given.
double largest_clapeyron_deviation(const std::vector<ClapeyronSlopes>& slopes);

// A fluid's measured saturation state at T (K), from its curves: the vapour
// pressure (Pa), the coexisting densities (mol/m3) and the latent heat
// (J/mol) Clapeyron's equation gives from them, T (1/rho_vapour -
// 1/rho_liquid) dp/dT. None where the fluid has no curves, or T is not
// between its triple point and its critical point (below, the real fluid is
// solid; above, one phase).
struct MeasuredSaturation {
    double p, rho_liquid, rho_vapour, latent;
};
bool has_measured_curves(const Substance& fluid);
std::optional<MeasuredSaturation> measured_saturation(const Substance& fluid, double temperature);

// The temperature (K) at which the measured vapour pressure is p (Pa), found
// by halving between the triple point and Tc; none where p is not between
// the pressures there.
std::optional<double> measured_boiling_t(const Substance& fluid, double p);

// The fluid's measured critical compressibility pc/(rhoc R Tc); 0 where
// its critical density is unknown.
double measured_zc(const Substance& fluid);

// A fluid against the model, each number measured beside the model's:
//   zc: pc / (rhoc R Tc), the model's 3/8;
//   omega: the acentric factor, the model's from its state at t = 0.7;
//   boiling_t: Tb/Tc at the measured point's pressure (the normal boiling
//     point), the model's where its vapour pressure is that p/pc;
//   latent: the latent heat there (J/mol), the model's at its own Tb;
//   trouton: Trouton's ratio latent / (R Tb).
struct Compared {
    double measured, model;
};
struct AgainstNature {
    Compared zc, omega, boiling_t, latent, trouton;
};
AgainstNature against_nature(const Substance& fluid);

// The model beside a substance's measured curves at one state of a sweep:
// T (K), t, the model's vapour pressure (Pa), densities (mol/m3) and latent
// heat (J/mol, with c, on which it does not depend), and the measured
// saturation state at T, none below the triple point.
struct NaturePoint {
    double temperature, t, p, rho_liquid, rho_vapour, latent;
    std::optional<MeasuredSaturation> measured;
};
std::vector<NaturePoint> nature_points(const Substance& fluid, const std::vector<Coexistence>& states, double c);

// A substance's saturation table, the model beside its measured curves, at
// the temperatures of a sweep's states (T = t Tc; c for the model's latent
// heat, which does not depend on it): T, t, the vapour pressure, the
// liquid's and vapour's densities in kg/m3 and reduced (the model's by its
// own critical density 1/Vc, the measured by rhoc), and the latent heat.
// The measured cells are empty below the triple point. Each number with
// nine significant digits, as the SI tables print them.
OwnedTable nature_table(const Substance& fluid, const std::vector<Coexistence>& states, double c);
// The same of any model's points, its reduced densities by its critical
// volume vc (m3/mol).
OwnedTable nature_table(const Substance& fluid, const std::vector<NaturePoint>& points, double vc);

// The lines that head it: the fluid and the model (by default the van der
// Waals fluid), and the sources of its constants and curves.
std::vector<std::string> nature_header(const Substance& fluid, const std::string& version,
                                       const std::string& model = "the van der Waals fluid");

// The model against nature from a sweep's states (none of it depends on c):
// at each state the coexisting densities over the critical density, 1/vl and
// 1/vg, with their diameter and the dome's width, beside Guggenheim's at the
// same t, and p and 1/t for the reduced vapour pressure; how many states are
// near the critical point, and the critical exponent they give for the
// model's width and for Guggenheim's; the model's Zc and acentric factor;
// and Clapeyron's two slopes at each state, with their largest deviation.
struct DensitiesBeside {
    double t, liquid, gas, diameter, guggenheim_liquid, guggenheim_gas, guggenheim_diameter, width, guggenheim_width,
        p, inverse_t;
};
struct ModelAgainstNature {
    std::vector<DensitiesBeside> rows;
    int near_critical_count;
    double exponent, guggenheim_exponent, zc, acentric;
    std::vector<ClapeyronSlopes> clapeyron;
    double clapeyron_largest;
};
ModelAgainstNature model_against_nature(const std::vector<Coexistence>& states);

// The temperatures (K) below a sweep's rows at which a substance's measured
// curves are drawn: every 0.01 T/Tc from 0.50 down, and its triple point
// (those below it have no measured state).
std::vector<double> temperatures_below_the_rows(const Substance& fluid);

// A substance's measured saturation curves, reduced (T/Tc, Tc/T, p/pc and
// the densities over rhoc): at Tc, at the sweep's temperatures from its
// triple point up, and below the rows at temperatures_below_the_rows; its
// width (rho_l - rho_g)/rhoc at the states near the critical point, and the
// critical exponent they give; its triple point's T/Tc; and its numbers
// against the model's.
struct ReducedSaturation {
    double t, inverse_t, p, liquid, vapour;
};
struct WidthAt {
    double t, width;
};
struct MeasuredCurves {
    std::vector<ReducedSaturation> points;
    std::vector<WidthAt> near;
    double exponent, triple_t;
    AgainstNature compared;
};
MeasuredCurves measured_curves(const Substance& fluid, const std::vector<Coexistence>& states);
