// A real fluid by any of the cubic equations (model/cubic.h): its
// saturation state at a temperature or a pressure in SI units, and the
// equations beside its measured constants and curves. The van der Waals
// tables and their SI forms stay with the sweep (sweep.h, substances.h).
#pragma once

#include <string>
#include <vector>

#include "cubic.h"
#include "nature.h"
#include "query.h"
#include "substances.h"

// The equation's name as the reports spell it: "van der Waals",
// "Redlich-Kwong", "Soave-Redlich-Kwong", "Peng-Robinson".
std::string equation_name(Eos eos);

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
// Its numbers by name, as the Python module's state_at gives them: t, p,
// v_liquid and v_gas by the equation's own Vc, then si_numbers (query.h).
std::vector<NamedNumber> equation_state_row(const Substance& fluid, const EquationState& s);
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

// An equation's rows as the two tables beside the van der Waals ones, the
// coexistence rows only: coexistence (t, p, v_liquid, v_gas, the stability
// limits, the latent heat) and properties (t, p, the volumes, then s, h, g
// and u of each phase). Reduced: t = T/Tc, p = p/pc, v = V/Vc by the
// equation's own critical volume Vc = Zc R Tc/pc, s in R, the energies in
// R Tc, six decimals as the reports print them. With a fluid, in its SI
// units instead (K, Pa, m3/mol, J/(mol K), J/mol, V by R Tc/pc), nine
// significant digits as the van der Waals SI tables print them.
struct EquationTables {
    OwnedTable coexistence, properties;
};
EquationTables equation_tables(const Cubic& eos, const std::vector<EquationRow>& rows,
                               const Substance* fluid = nullptr);

// The same rows' numbers unrounded, by the reduced tables' column names.
std::vector<NumberColumn> equation_columns(const Cubic& eos, const std::vector<EquationRow>& rows);

// The lines that head an equation's tables: the equation with c (and the
// acentric factor `omega` for srk and pr), and what the reduced numbers
// measure, or with a fluid its constants, its Vc and their source.
std::vector<std::string> equation_header(const Cubic& eos, double omega, double c, const Substance* fluid,
                                         const std::string& version);

// A run's tables by one equation, whole: reduced, in SI units with a fluid
// (empty without), the lines that head each (none for the van der Waals
// reduced tables, the reports' own), and the unrounded numbers behind each
// row by name (van der Waals: state_numbers; another: equation_columns).
struct RunTables {
    OwnedTable coexistence, properties, coexistence_si, properties_si;
    std::vector<std::string> header, si_header;
    std::vector<NumberColumn> states;
};
RunTables run_tables(double c, const Substance* fluid, Eos eos, const std::string& version);

// The fluid's measured saturation curves beside the equation's rows, as
// nature_table sets them beside the van der Waals fluid's.
OwnedTable equation_nature_table(const Substance& fluid, const Cubic& eos, const std::vector<EquationRow>& rows);
// The same at the rows of a run for c (on which none of it depends).
OwnedTable equation_nature_table(const Substance& fluid, Eos eos, double c);

// Each equation's Zc and its acentric factor read from its own curve
// (srk and pr with the fluid's omega), in the order vdw, rk, srk, pr.
struct EquationConstants {
    Eos eos;
    double zc, omega;
};
std::vector<EquationConstants> equation_constants(const Substance& fluid);

// The same beside the measured ones, as a table of rows "measured", then
// each equation's key; and its title for `eos` against the fluid.
struct ConstantsBeside {
    std::vector<std::string> eos;
    std::vector<double> zc, omega;
};
ConstantsBeside constants_beside_measured(const Substance& fluid);
std::string equations_title(const Substance& fluid, Eos eos);

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
