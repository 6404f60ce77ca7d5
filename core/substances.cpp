#include "substances.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "reports.h"

extern const char substances_tsv[];  // data/substances.tsv, built in
extern const char saturation_tsv[];  // data/saturation.tsv, built in

namespace {

std::vector<std::string> split(std::string_view line, char at)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = line.find(at, start)) != std::string_view::npos; start = end + 1)
        parts.emplace_back(line.substr(start, end - start));
    parts.emplace_back(line.substr(start));
    return parts;
}

double number_of(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Each row of a tab-separated table (lines starting with # left out), given
// to row(cell) where cell(name) is the row's cell under that column.
template <class Row>
void each_row(const char* tsv, Row&& row)
{
    std::vector<std::string> columns;
    for (const std::string& line : split(tsv, '\n')) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::vector<std::string> cells = split(line, '\t');
        if (columns.empty()) {
            columns = cells;
            continue;
        }
        row([&](std::string_view name) -> std::string {
            for (size_t k = 0; k < columns.size() && k < cells.size(); ++k)
                if (columns[k] == name)
                    return cells[k];
            return {};
        });
    }
}

// An exponent as written: a decimal, or a fraction such as 7/3.
double exponent_of(const std::string& text)
{
    const size_t slash = text.find('/');
    return slash == std::string::npos ? number_of(text)
                                      : number_of(text.substr(0, slash)) / number_of(text.substr(slash + 1));
}

SaturationCurve curve_of(const std::string& form, const std::string& terms, const std::string& source)
{
    SaturationCurve curve;
    curve.form = form == "exp_tc" ? SaturationCurve::Form::exp_tc
                 : form == "exp"  ? SaturationCurve::Form::exp
                                  : SaturationCurve::Form::plus;
    for (const std::string& term : split(terms, ' ')) {
        const size_t at = term.find('@');
        if (at != std::string::npos)
            curve.terms.emplace_back(number_of(term.substr(0, at)), exponent_of(term.substr(at + 1)));
    }
    curve.source = source;
    return curve;
}

std::vector<Substance> read_substances()
{
    std::vector<Substance> list;
    each_row(substances_tsv, [&](const auto& cell) {
        Substance s;
        s.key = cell("key");
        s.formula = cell("formula");
        s.name_en = cell("name_en");
        s.name_es = cell("name_es");
        s.tc = number_of(cell("Tc_K"));
        s.pc = number_of(cell("pc_Pa"));
        s.molar_mass = number_of(cell("M_g_per_mol"));
        s.c = number_of(cell("c"));
        s.ref_t = number_of(cell("ref_T_K"));
        s.ref_p = number_of(cell("ref_p_Pa"));
        s.ref_latent = number_of(cell("ref_latent_J_per_mol"));
        s.rhoc = number_of(cell("rhoc_mol_per_m3"));
        s.omega = number_of(cell("omega"));
        s.t_triple = number_of(cell("T_triple_K"));
        s.ref_liquid_density = number_of(cell("ref_liquid_density_kg_per_m3"));
        s.source = cell("source");
        s.source_es = cell("source_es");
        list.push_back(s);
    });
    each_row(saturation_tsv, [&](const auto& cell) {
        for (Substance& s : list)
            if (s.key == cell("key")) {
                const std::string curve = cell("curve");
                SaturationCurve& into = curve == "pressure" ? s.pressure : curve == "liquid" ? s.liquid : s.vapour;
                into = curve_of(cell("form"), cell("terms"), cell("source"));
            }
    });
    return list;
}

bool same_letters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// A reduced column's SI name and unit, and the factor that turns it into SI.
struct Conversion {
    std::string name, unit;
    double factor;
};

std::string replaced(std::string name, const std::string& from, const std::string& to)
{
    const size_t at = name.rfind(from);
    return at == std::string::npos ? name : name.replace(at, from.size(), to);
}

Conversion conversion(std::string_view name, std::string_view unit, const Substance& fluid)
{
    const std::string n(name);
    if (unit == "T/Tc")
        return {"T_K", "K", si_unit(fluid, Quantity::temperature)};
    if (unit == "p/pc")
        return {n + "_Pa", "Pa", si_unit(fluid, Quantity::pressure)};
    if (unit == "V/Vc")
        return {n + "_m3_per_mol", "m3/mol", si_unit(fluid, Quantity::volume)};
    if (unit == "R")
        return {replaced(n, "_per_R", "_J_per_mol_K"), "J/(mol K)", si_unit(fluid, Quantity::entropy)};
    if (unit == "8a/27b")
        return {replaced(n, "_8a_per_27b", "_J_per_mol"), "J/mol", si_unit(fluid, Quantity::energy)};
    return {n, std::string(unit), 0};
}

}  // namespace

const std::vector<Substance>& substances()
{
    static const std::vector<Substance> list = read_substances();
    return list;
}

const Substance* find_substance(std::string_view name)
{
    for (const Substance& s : substances())
        if (same_letters(name, s.key) || same_letters(name, s.formula) || same_letters(name, s.name_en) ||
            same_letters(name, s.name_es))
            return &s;
    return nullptr;
}

Substance custom_fluid(double tc, double pc, double c)
{
    Substance s;
    s.key = "custom";
    s.name_en = "a fluid of given critical constants";
    s.name_es = "un fluido de constantes críticas dadas";
    s.tc = tc;
    s.pc = pc;
    s.c = c;
    s.source = "the command line";
    return s;
}

double critical_volume(const Substance& fluid) { return 3 * gas_constant * fluid.tc / (8 * fluid.pc); }

double si_unit(const Substance& fluid, Quantity quantity)
{
    switch (quantity) {
    case Quantity::temperature: return fluid.tc;
    case Quantity::pressure: return fluid.pc;
    case Quantity::volume: return critical_volume(fluid);
    case Quantity::entropy: return gas_constant;
    case Quantity::energy: return gas_constant * fluid.tc;
    case Quantity::work: return fluid.pc * critical_volume(fluid);
    }
    return 0;
}

std::string si_number(double x)
{
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.9g", x);
    return digits;
}

OwnedTable si_table(const Table& reduced, const Substance& fluid)
{
    OwnedTable si;
    std::vector<double> factors;
    for (size_t k = 0; k < reduced.names.size(); ++k) {
        const Conversion to = conversion(reduced.names[k], reduced.units[k], fluid);
        si.names.push_back(to.name);
        si.units.push_back(to.unit);
        factors.push_back(to.factor);
    }
    for (const Fields& row : reduced.rows) {
        std::vector<std::string> cells;
        for (size_t k = 0; k < row.size(); ++k) {
            const std::string cell(row[k]);
            char* end = nullptr;
            const double x = std::strtod(cell.c_str(), &end);
            const bool number = !cell.empty() && end == cell.c_str() + cell.size() && k < factors.size() &&
                                factors[k] != 0;
            cells.push_back(number ? si_number(x * factors[k]) : cell);
        }
        si.rows.push_back(std::move(cells));
    }
    return si;
}

std::vector<std::string> si_header(const Substance& fluid, double c, const std::string& version)
{
    const std::string name = fluid.name_en + (fluid.formula.empty() ? "" : " (" + fluid.formula + ")");
    return {"vdwcoex " + version + ": " + name + " as a van der Waals fluid with Cv = c R, c = " + si_number(c),
            "Tc = " + si_number(fluid.tc) + " K, pc = " + si_number(fluid.pc) + " Pa, Vc = 3 R Tc / (8 pc) = " +
                si_number(critical_volume(fluid)) + " m3/mol (the van der Waals critical volume), R = " +
                "8.314462618 J/(mol K)",
            "constants from " + fluid.source};
}

std::string si_csv(const OwnedTable& table, const std::vector<std::string>& header)
{
    std::string out;
    for (const std::string& line : header)
        out += "# " + line + "\r\n";
    return out + csv_of(view_of(table));
}

Table view_of(const OwnedTable& table)
{
    Table view;
    for (const std::string& name : table.names)
        view.names.push_back(name);
    for (const std::string& unit : table.units)
        view.units.push_back(unit);
    for (const auto& row : table.rows) {
        Fields cells;
        for (const std::string& cell : row)
            cells.push_back(cell);
        view.rows.push_back(std::move(cells));
    }
    return view;
}

namespace {

std::string sheet_of(const Table& table)
{
    return tab_separated({table.names, table.units}) + tab_separated(table.rows);
}

}  // namespace

WorkbookSheets workbook_sheets(std::string_view coexistence_report, std::string_view property_report, double c,
                               const Substance* fluid, const std::string& version)
{
    const Table reduced[] = {coexistence_table(coexistence_report), property_table(property_report)};
    WorkbookSheets s{sheet_of(reduced[0]), sheet_of(reduced[1]), "", "", ""};
    std::vector<std::string> header;
    if (fluid) {
        header = si_header(*fluid, c, version);
        s.coexistence_si = sheet_of(view_of(si_table(reduced[0], *fluid)));
        s.properties_si = sheet_of(view_of(si_table(reduced[1], *fluid)));
    }
    std::string shown;
    number(shown, c);
    for (const auto& [name, value] : about_lines(shown, version, header))
        s.about += name + '\t' + value + '\n';
    return s;
}

SiFiles si_files(std::string_view coexistence_report, std::string_view property_report, const Substance& fluid,
                 double c, const std::string& version)
{
    const std::vector<std::string> header = si_header(fluid, c, version);
    return {si_csv(si_table(coexistence_table(coexistence_report), fluid), header),
            si_csv(si_table(property_table(property_report), fluid), header)};
}
