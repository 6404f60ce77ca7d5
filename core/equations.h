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

// Each equation's saturation curve for the fluid in SI units, as the page
// draws it beside the measured one: at T/Tc = 0.999, 0.995 and from 0.99
// down by 0.01 to the fluid's triple point (or lowest_cubic_tr).
std::vector<ShownSaturation> equation_curve(const Substance& fluid, Eos eos);

// How far each equation is from the measured curves at T/Tc = 0.6, 0.7, 0.8
// and 0.9 (those above the triple point): the relative errors, model over
// measured less one, of the vapour pressure, the liquid's density and the
// latent heat, by T then in the order vdw, rk, srk, pr. None without
// measured curves.
struct EquationError {
    double t, temperature;
    Eos eos;
    double p, liquid, latent;
};
std::vector<EquationError> equation_errors(const Substance& fluid);
