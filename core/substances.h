// Real fluids in real units: the substances of data/substances.tsv (built
// into the program), a fluid of one's own from its critical constants, and
// the reduced tables turned into SI units through them.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tables_csv.h"

// One of a fluid's measured saturation curves, as its reference equation's
// short fitted form gives it (data/saturation.tsv): with theta = 1 - T/Tc
// and S the sum of n theta^e over the terms, x = exp(Tc/T S), exp(S) or
// 1 + S, by form. x is p/pc for the pressure, rho/rhoc for the densities.
struct SaturationCurve {
    enum class Form { exp_tc, exp, plus };
    Form form = Form::plus;
    std::vector<std::pair<double, double>> terms;  // n and e
    std::string source;
};

struct Substance {
    std::string key, formula, name_en, name_es;
    double tc = 0, pc = 0;        // critical temperature (K) and pressure (Pa)
    double molar_mass = 0;        // g/mol; 0 where unknown
    double c = 1.5;               // Cv = cR of the ideal gas
    double ref_t = 0, ref_p = 0;  // a measured point of the vapour-pressure curve (K, Pa); 0 where none
    double ref_latent = 0;        // and the latent heat there (J/mol)
    double rhoc = 0;              // measured critical density (mol/m3); 0 where unknown
    double omega = 0;             // measured acentric factor
    double t_triple = 0;          // triple point (K); 0 where unknown
    double ref_liquid_density = 0;  // the liquid's density at the measured point (kg/m3)
    std::string source;
    std::string source_es;  // the source in Spanish where its words differ
    // The measured saturation curves; empty terms where there are none.
    SaturationCurve pressure, liquid, vapour;
};

// The molar gas constant, J/(mol K), exact since 2019 (the SI tables'
// header states it with these digits).
constexpr double gas_constant = 8.314462618;

const std::vector<Substance>& substances();

// The substance named by its key, formula or name, in any case; nullptr if none.
const Substance* find_substance(std::string_view name);

// A fluid known only by its critical constants and c.
Substance custom_fluid(double tc, double pc, double c);

// The van der Waals critical volume 3 R Tc / (8 pc), in m3/mol: the unit of
// the reduced volumes (the measured critical volume is another number).
double critical_volume(const Substance& fluid);

// What a reduced number measures, and the SI unit it is multiplied by:
// t by Tc (K), p by pc (Pa), v by the van der Waals Vc (m3/mol), s by R
// (J/(mol K)), h, g, u and the latent heat by R Tc (J/mol).
// work: a product p·v, as the Maxwell construction's areas are.
enum class Quantity { temperature, pressure, volume, entropy, energy, work };
double si_unit(const Substance& fluid, Quantity quantity);

// A table with cells of its own.
struct OwnedTable {
    std::vector<std::string> names, units;
    std::vector<std::vector<std::string>> rows;
};

// A reduced table (from vdw_coex.dat or clatente.dat) in SI units: T in K,
// p in Pa, v in m3/mol, s in J/(mol K), h, g, u and the latent heat in J/mol.
// Each number is the report's digits times its unit, printed with nine
// significant digits; other cells are kept.
OwnedTable si_table(const Table& reduced, const Substance& fluid);

// The lines that head an SI table: the fluid, c, its constants and their source.
std::vector<std::string> si_header(const Substance& fluid, double c, const std::string& version);

// An SI table as CSV: its header lines, each after "# ", then as csv_of.
std::string si_csv(const OwnedTable& table, const std::vector<std::string>& header);

// A table's view, for the CSV and workbook writers.
Table view_of(const OwnedTable& table);

// x with nine significant digits, as the SI tables print it.
std::string si_number(double x);

// A run's workbook sheets as tab_separated text, each table its names' row,
// its units' row, then its rows: the two reports' tables, the "about"
// sheet's lines (c as the reports print it, and the fluid's SI header), and
// the fluid's SI tables, empty without one (fluid null).
struct WorkbookSheets {
    std::string coexistence, properties, about, coexistence_si, properties_si;
};
WorkbookSheets workbook_sheets(std::string_view coexistence_report, std::string_view property_report, double c,
                               const Substance* fluid, const std::string& version);

// A run's SI tables of the fluid as CSV files (vdw_coex_si.csv and
// clatente_si.csv), from the two reports' texts.
struct SiFiles {
    std::string coexistence, properties;
};
SiFiles si_files(std::string_view coexistence_report, std::string_view property_report, const Substance& fluid,
                 double c, const std::string& version);
