// The questions every front end asks of a real fluid, answered once: the
// model's coexistence state in SI units, and the real fluid's measured state
// to set beside it. The console prints them, the Python module returns them
// and the page shows them; none of them works them out again.
#pragma once

#include <optional>

#include "coexistence.h"
#include "cubic.h"
#include "nature.h"
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
