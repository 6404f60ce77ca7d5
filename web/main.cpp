// vdwcoex in the browser: the console program's reply reader, sweep and
// reports, and the model's isotherm and Maxwell construction, called from
// the page (app.js) through WebAssembly.
#include <emscripten/emscripten.h>

#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "maxwell.h"
#include "reply.h"
#include "reports.h"
#include "state.h"
#include "substances.h"
#include "sweep.h"
#include "tables_csv.h"
#include "vdw.h"

namespace {

Output out;
std::string coexistence_csv_text, property_csv_text;  // the reports as CSV
std::string coexistence_rows, property_rows;    // the reports' rows, for the page's tables
std::string coexistence_sheet, property_sheet;  // the tables, for the page's workbook
std::string about_sheet;                        // and what it says of the run
std::string coexistence_si, property_si;        // the SI tables of the chosen substance
std::string coexistence_si_sheet, property_si_sheet;  // and as the workbook's sheets
double last_c = 1.5;
size_t reply_end = 0;  // where the number read from the last reply ends in it

const std::string& text_of(int which)
{
    switch (which) {
    case 0: return out.coexistence;
    case 1: return out.properties;
    case 3: return coexistence_csv_text;
    case 4: return property_csv_text;
    case 5: return coexistence_rows;
    case 6: return property_rows;
    case 7: return coexistence_sheet;
    case 8: return property_sheet;
    case 9: return about_sheet;
    case 10: return coexistence_si;
    case 11: return property_si;
    case 12: return coexistence_si_sheet;
    case 13: return property_si_sheet;
    default: return out.console;
    }
}

// The Maxwell construction at one row of the last run, and a line at a
// trial pressure, kept for reading.
MaxwellAreas areas{};
TrialLine trial{};

// Rows of cells as the page splits them: a tab between cells, a line break
// after each row.
void append_rows(std::string& out, const std::vector<Fields>& rows)
{
    for (const Fields& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += row[i];
        }
        out += '\n';
    }
}

// A table as a workbook's sheet: its names, its units, then its rows.
std::string sheet_of(const Table& table)
{
    std::string sheet;
    append_rows(sheet, {table.names, table.units});
    append_rows(sheet, table.rows);
    return sheet;
}

// The state that vdw_boiling found, read with vdw_boiling_part.
Coexistence boiling{};

}  // namespace

extern "C" {

// Runs the program for the reply (`size` bytes at `reply`, which the page
// puts on the module's heap), read as the console program reads it, and
// returns c. Its texts are then read with vdw_text and vdw_text_size.
EMSCRIPTEN_KEEPALIVE double vdw_run(const char* reply, int size)
{
    double c = 1.5;
    if (const auto number = read_number(std::string_view(reply, static_cast<size_t>(size)), reply_end))
        c = *number;
    // The searches do not depend on c: made once, kept for every run.
    static const SweepSearch searches = find_all();
    last_c = c;
    out = write_all(c, searches);
    coexistence_csv_text.clear();
    property_csv_text.clear();
    coexistence_sheet.clear();
    property_sheet.clear();
    coexistence_rows.clear();
    property_rows.clear();
    append_rows(coexistence_rows, report_rows(out.coexistence));
    append_rows(property_rows, report_rows(out.properties));
    return c;
}

// Makes the last run's CSV tables, read then as texts 3 and 4; the page asks
// for them once it has shown the run.
EMSCRIPTEN_KEEPALIVE void vdw_make_csv()
{
    coexistence_csv_text = coexistence_csv(out.coexistence);
    property_csv_text = property_csv(out.properties);
}

// Makes the last run's tables for a workbook, read then as texts 7 and 8
// (the columns' names, their units, then the rows, cells as in the CSV),
// with substance i's SI tables as texts 12 and 13 where i >= 0, and text 9,
// the lines of its "about" sheet.
EMSCRIPTEN_KEEPALIVE void vdw_make_sheets(int i)
{
    const Table reduced[] = {coexistence_table(out.coexistence), property_table(out.properties)};
    coexistence_sheet = sheet_of(reduced[0]);
    property_sheet = sheet_of(reduced[1]);
    std::vector<std::string> header;
    if (i >= 0) {
        const Substance& fluid = substances().at(static_cast<size_t>(i));
        header = si_header(fluid, last_c, VDWCOEX_VERSION);
        coexistence_si_sheet = sheet_of(view_of(si_table(reduced[0], fluid)));
        property_si_sheet = sheet_of(view_of(si_table(reduced[1], fluid)));
    }
    std::string shown;
    number(shown, last_c);
    about_sheet.clear();
    for (const auto& [name, value] : about_lines(shown, VDWCOEX_VERSION, header))
        about_sheet += name + '\t' + value + '\n';
}

// Where the number read from the last reply ends in it: the index of the
// first byte left unread.
EMSCRIPTEN_KEEPALIVE int vdw_reply_end() { return static_cast<int>(reply_end); }

// The bytes of "vdw_coex.dat" (0), "clatente.dat" (1), the console trace (2),
// "vdw_coex.csv" (3), "clatente.csv" (4), the reports' rows (5, 6) or the
// workbook's sheets (7, 8, 9), or the SI tables (10, 11) and sheets (12, 13).
EMSCRIPTEN_KEEPALIVE const char* vdw_text(int which) { return text_of(which).data(); }
EMSCRIPTEN_KEEPALIVE int vdw_text_size(int which) { return static_cast<int>(text_of(which).size()); }

// The largest c for which the latent heat keeps all its digits.
EMSCRIPTEN_KEEPALIVE double vdw_largest_exact_c() { return largest_exact_c; }

// Pressure on the isotherm at temperature at_t and volume v.
EMSCRIPTEN_KEEPALIVE double vdw_isotherm_pressure(double at_t, double v)
{
    return isotherm_pressure(at_t, v);
}

// The Maxwell construction at row `row` (0 for t = 0.999) of the last run,
// from its unrounded state; its parts are then read with vdw_maxwell_part:
// 0 the middle crossing, 1 the liquid-side area, 2 the gas-side area.
EMSCRIPTEN_KEEPALIVE void vdw_maxwell(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= out.states.size())
        return;
    const Coexistence& s = out.states[static_cast<size_t>(row)];
    areas = maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin);
}
EMSCRIPTEN_KEEPALIVE double vdw_maxwell_part(int which)
{
    return which == 0 ? areas.v_middle : which == 1 ? areas.liquid_area : areas.gas_area;
}

// The unrounded state behind row `row` of the last run: 0 t, 1 p, 2 vl,
// 3 vg, 4 vlmax, 5 plmin, 6 vgmin, 7 pgmax; NaN for a row that is not there.
EMSCRIPTEN_KEEPALIVE double vdw_state(int row, int which)
{
    if (row < 0 || static_cast<size_t>(row) >= out.states.size() || which < 0 || which > 7)
        return NAN;
    const Coexistence& s = out.states[static_cast<size_t>(row)];
    const double fields[] = {s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.plmin, s.limits.vgmin, s.limits.pgmax};
    return fields[which];
}

// A line at pressure p on the isotherm of row `row`, for c; false where p is
// not between the row's limits' pressures or not above 0. Its parts are then
// read with vdw_trial_part: 0 the liquid crossing, 1 the middle one, 2 the
// gas one, 3 the liquid-side area, 4 the gas-side area, 5 gl, 6 gg.
EMSCRIPTEN_KEEPALIVE int vdw_trial(int row, double p, double c)
{
    if (row < 0 || static_cast<size_t>(row) >= out.states.size())
        return 0;
    const Coexistence& s = out.states[static_cast<size_t>(row)];
    if (!(p > 0 && p >= s.limits.plmin && p <= s.limits.pgmax))
        return 0;
    trial = trial_line(s.t, p, s.limits.vlmax, s.limits.vgmin, c);
    return 1;
}
EMSCRIPTEN_KEEPALIVE double vdw_trial_part(int which)
{
    const double parts[] = {trial.vl, trial.areas.v_middle, trial.vg, trial.areas.liquid_area,
                            trial.areas.gas_area, trial.gl, trial.gg};
    return which >= 0 && which < 7 ? parts[which] : NAN;
}

// Gibbs energy on the isotherm at_t at volume v, with Cv = cR.
EMSCRIPTEN_KEEPALIVE double vdw_gibbs_energy(double at_t, double v, double c)
{
    return gibbs_energy(at_t, v, c);
}

// Lever rule on the tie line from vl to vg: the gas share at volume v.
EMSCRIPTEN_KEEPALIVE double vdw_gas_fraction(double v, double vl, double vg)
{
    return gas_fraction(v, vl, vg);
}

// ---- Real substances: the table's, their units and states -----------------

EMSCRIPTEN_KEEPALIVE int vdw_substance_count() { return static_cast<int>(substances().size()); }

// Its key (0), formula (1), English (2) and Spanish (3) names, source (4).
EMSCRIPTEN_KEEPALIVE const char* vdw_substance_text(int i, int which)
{
    const Substance& s = substances().at(static_cast<size_t>(i));
    const std::string* texts[] = {&s.key, &s.formula, &s.name_en, &s.name_es, &s.source};
    return texts[which]->c_str();
}

// Its Tc (0), pc (1), molar mass (2), c (3), measured point's T (4), p (5)
// and latent heat (6), and its van der Waals Vc (7).
EMSCRIPTEN_KEEPALIVE double vdw_substance_value(int i, int which)
{
    const Substance& s = substances().at(static_cast<size_t>(i));
    const double values[] = {s.tc, s.pc, s.molar_mass, s.c, s.ref_t, s.ref_p, s.ref_latent, critical_volume(s)};
    return values[which];
}

// A reduced t (0), p (1), v (2), s (3) or energy (4) of substance i in SI
// units, and back.
EMSCRIPTEN_KEEPALIVE double vdw_to_si(int i, int quantity, double x)
{
    return x * si_unit(substances().at(static_cast<size_t>(i)), static_cast<Quantity>(quantity));
}
EMSCRIPTEN_KEEPALIVE double vdw_from_si(int i, int quantity, double x)
{
    return x / si_unit(substances().at(static_cast<size_t>(i)), static_cast<Quantity>(quantity));
}

// The coexistence state of substance i at the vapour pressure `pressure`
// (Pa), with the last run's c: 1 if the model's searches reach it, then read
// with vdw_boiling_part; 0 otherwise.
EMSCRIPTEN_KEEPALIVE int vdw_boiling(int i, double pressure)
{
    const double p = vdw_from_si(i, static_cast<int>(Quantity::pressure), pressure);
    if (!(p >= lowest_state_p() && p < 1))
        return 0;
    boiling = state_at(t_at_pressure(p));
    return 1;
}

// The state's T (0, K), p (1, Pa), liquid and gas volumes (2, 3, m3/mol),
// latent heat (4, J/mol) and t (5).
EMSCRIPTEN_KEEPALIVE double vdw_boiling_part(int i, int which)
{
    const Substance& fluid = substances().at(static_cast<size_t>(i));
    const auto si = [&](Quantity quantity, double x) { return x * si_unit(fluid, quantity); };
    const double parts[] = {si(Quantity::temperature, boiling.t), si(Quantity::pressure, boiling.p),
                            si(Quantity::volume, boiling.vl),     si(Quantity::volume, boiling.vg),
                            si(Quantity::energy, properties(boiling.t, boiling.vl, boiling.vg, last_c).latent()), boiling.t};
    return parts[which];
}

// The lowest and highest pressure (Pa) at which vdw_boiling answers.
EMSCRIPTEN_KEEPALIVE double vdw_boiling_range(int i, int which)
{
    return vdw_to_si(i, static_cast<int>(Quantity::pressure), which == 0 ? lowest_state_p() : 1.0);
}

// Makes the last run's SI tables for substance i, read then as texts 10 and 11.
EMSCRIPTEN_KEEPALIVE void vdw_make_si(int i)
{
    const Substance& fluid = substances().at(static_cast<size_t>(i));
    const std::vector<std::string> header = si_header(fluid, last_c, VDWCOEX_VERSION);
    coexistence_si = si_csv(si_table(coexistence_table(out.coexistence), fluid), header);
    property_si = si_csv(si_table(property_table(out.properties), fluid), header);
}

}  // extern "C"
