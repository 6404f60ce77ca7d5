// A real fluid by any of the cubic equations (model/cubic.h): its
// saturation state at a temperature or a pressure in SI units, and the
// equations beside its measured constants and curves. The van der Waals
// tables and their SI forms stay with the sweep (sweep.h, substances.h).
#pragma once

#include <vector>

#include "cubic.h"
#include "nature.h"
#include "query.h"
#include "substances.h"

// The equation for this fluid: srk and pr with the fluid's acentric factor.
Cubic cubic_for(const Substance& fluid, Eos eos);

// Where the equation's saturation searches reach: from lowest_cubic_tr Tc
// up to, not including, Tc, and the pressures (Pa) there.
double lowest_equation_pressure(const Substance& fluid, Eos eos);

// The saturation state of `fluid` by `eos`, reduced and in SI (query.h,
// with the fluid's c, on which the latent heat does not depend), and the
// equation's own critical volume Zc R Tc/pc (m3/mol).
struct EquationState {
    Saturation reduced;
    SiState si;
    double critical_volume;
};
// At T (K), for lowest_cubic_tr <= T/Tc < 1.
EquationState equation_state_at(const Substance& fluid, Eos eos, double temperature);
// At the saturation pressure p (Pa), for lowest_equation_pressure <= p < pc.
EquationState equation_state_at_pressure(const Substance& fluid, Eos eos, double pressure);

// The equation's rows at the sweep's temperatures (sweep.h: first_t down by
// dt to above 0.5), each with the properties of both phases at Cv = cR: the
// reduced tables of any equation. The van der Waals reports keep their own
// sweep; these rows are for the CSV files, the workbook and the page.
struct EquationRow {
    Saturation state;
    CubicProperties properties;
};
std::vector<EquationRow> equation_rows(const Cubic& eos, double c);

// Each equation's Zc and its acentric factor read from its own curve
// (srk and pr with the fluid's omega), in the order vdw, rk, srk, pr.
struct EquationConstants {
    Eos eos;
    double zc, omega;
};
std::vector<EquationConstants> equation_constants(const Substance& fluid);

// One equation against the fluid, as against_nature (nature.h) sets the van
// der Waals fluid: Zc, omega, Tb/Tc at the measured point's pressure, the
// latent heat there (J/mol) and Trouton's ratio, each measured beside the
// equation's; NaN where the equation's searches do not reach that pressure.
AgainstNature against_nature(const Substance& fluid, Eos eos);
