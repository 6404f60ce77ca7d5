// The questions every front end asks of a real fluid, answered once: the
// model's coexistence state in SI units, and the real fluid's measured state
// to set beside it. The console prints them, the Python module returns them
// and the page shows them; none of them works them out again.
#pragma once

#include <optional>
#include <vector>

#include "coexistence.h"
#include "cubic.h"
#include "nature.h"
#include "state.h"
#include "substances.h"

// The model's state s in the fluid's SI units, with Cv = cR.
struct SiState {
    double temperature, pressure;  // K, Pa
    double v_liquid, v_gas;        // m3/mol
    double rho_liquid, rho_gas;    // kg/m3; meaningless without a molar mass
    double latent;                 // J/mol
};
SiState si_state(const Substance& fluid, const Coexistence& s, double c);
// The same of a cubic equation's saturation state s (cubic.h): V = w R Tc/pc,
// energies in R Tc.
SiState si_state(const Substance& fluid, const Cubic& eos, const Saturation& s, double c);

// A state in SI units by name, as the front ends show it: T_K, p_Pa, the
// molar volumes, the densities where the fluid's molar mass is known, and
// latent_heat_J_per_mol.
std::vector<NamedNumber> si_numbers(const Substance& fluid, const SiState& s);

// Every number of the van der Waals state s with Cv = cR by name, as the
// Python module's state_at gives it: c, state_numbers, the Maxwell
// construction's v_middle and areas, and with a fluid si_numbers.
std::vector<NamedNumber> state_row(const Coexistence& s, double c, const Substance* fluid);

// The real fluid beside the model: its saturation state at the temperature
// asked, or where it boils at the pressure asked (`temperature`, K, is then
// where), from its measured curves. None where the curves do not reach;
// `solid` where that is because the real fluid is solid there (below its
// triple point, or its triple point's pressure).
struct MeasuredBeside {
    double temperature = 0;
    std::optional<MeasuredSaturation> saturation;
    double rho_liquid = 0, rho_vapour = 0;  // kg/m3, from the saturation's mol/m3
    bool solid = false;
};
MeasuredBeside measured_at_temperature(const Substance& fluid, double temperature);
// A molar density (mol/m3) of the fluid as a mass density (kg/m3).
double mass_density(const Substance& fluid, double molar_density);
MeasuredBeside measured_at_pressure(const Substance& fluid, double pressure);

// A saturation state as the page shows it: T (K), p (Pa), the densities
// (kg/m3) and the latent heat (J/mol); from a measured state at T, or the
// real fluid beside the model.
struct ShownSaturation {
    double temperature, p, liquid, vapour, latent;
};
ShownSaturation shown_saturation(const Substance& fluid, double temperature, const MeasuredSaturation& m);
ShownSaturation shown_saturation(const MeasuredBeside& m);

// A substance against the model in SI units at a sweep's temperatures (c
// for the latent heat, on which it does not depend): the model's states,
// and the measured ones where there are any, with those below the rows at
// temperatures_below_the_rows.
struct NatureCurves {
    std::vector<ShownSaturation> model, measured;
};
NatureCurves nature_curves(const Substance& fluid, const std::vector<Coexistence>& states, double c);

// The model's coexistence state of a substance whose vapour pressure is
// `pressure` (Pa), with Cv = cR, in SI units and its t, beside where the
// real fluid boils at that pressure; none where the model's searches do not
// reach it (below lowest_state_p(), or from the critical pressure up).
struct BoilingPoint {
    SiState si;
    double t;
    MeasuredBeside measured;
};
std::optional<BoilingPoint> boiling_at(const Substance& fluid, double pressure, double c);

// The vapour pressures (Pa) at which boiling_at answers: from the lowest the
// model's states reach up to, not including, the critical pressure.
struct PressureRange {
    double lowest, highest;
};
PressureRange boiling_range(const Substance& fluid);
