// The Python module's C++ half, _vdwcoex: the model, the sweep and the
// console's careful file replacement, called from Python. Every number comes
// from here; vdwcoex/__init__.py only shapes the results as tables.
//
// Each function is a function of its arguments and releases the GIL while it
// computes, so threads run them at once; write_reports is serialised, as the
// registry of temporary files it fills is one per process. The messages are
// the console's, naming the keywords instead of the options, in the language
// the caller names ("en", the default, or "es").
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "cubic.h"
#include "equations.h"
#include "fluid_report.h"
#include "maxwell.h"
#include "messages.h"
#include "nature.h"
#include "query.h"
#include "platform.h"
#include "reply.h"
#include "report_file.h"
#include "reports.h"
#include "run_files.h"
#include "state.h"
#include "substances.h"
#include "sweep.h"
#include "tables_csv.h"

namespace py = pybind11;

namespace {

// The messages as the console would say them to a Python caller, in the
// language asked for; Python's strings take every accent.
Messages messages(const std::string& language)
{
    if (language != "en" && language != "es")
        throw py::value_error("vdwcoex: language must be 'en' or 'es', not " + std::string(py::repr(py::str(language))));
    Messages say;
    say.language = language == "en" ? Language::english : Language::spanish;
    say.utf8 = true;
    say.caller = Caller::python;
    return say;
}

// What the console warns of c, as lines for Python's warnings.
std::vector<std::string> c_warnings(const Messages& say, double c)
{
    const std::string warning = say.c_warning(c);
    return warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{warning};
}

// A number as Python prints it, for the messages.
std::string typed(double x) { return py::str(py::float_(x)); }

// A table's columns: numbers where every non-empty cell is one (an empty
// cell is NaN), the cells' texts otherwise; with each column's unit.
struct Columns {
    std::vector<std::string> names, units;
    std::vector<std::vector<double>> numbers;
    std::vector<std::vector<std::string>> texts;  // empty for a numeric column
};

Columns columns_of(const Table& table)
{
    Columns out;
    for (size_t k = 0; k < table.names.size(); ++k) {
        out.names.emplace_back(table.names[k]);
        out.units.emplace_back(k < table.units.size() ? table.units[k] : "");
        std::vector<double> numbers;
        std::vector<std::string> texts;
        bool numeric = true;
        for (const Fields& row : table.rows) {
            const std::string_view cell = k < row.size() ? row[k] : std::string_view{};
            texts.emplace_back(cell);
            const std::optional<double> x = cell.empty() ? std::optional<double>(NAN) : read_whole_number(cell);
            numeric = numeric && x;
            numbers.push_back(x ? *x : NAN);
        }
        out.numbers.push_back(numeric ? std::move(numbers) : std::vector<double>{});
        out.texts.push_back(numeric ? std::vector<std::string>{} : std::move(texts));
    }
    return out;
}

py::dict to_python(const Columns& table)
{
    py::dict columns, units;
    for (size_t k = 0; k < table.names.size(); ++k) {
        const py::str name(table.names[k]);
        if (table.texts[k].empty())
            columns[name] = py::cast(table.numbers[k]);
        else
            columns[name] = py::cast(table.texts[k]);
        units[name] = table.units[k];
    }
    py::dict out;
    out["columns"] = columns;
    out["units"] = units;
    return out;
}

// The names the tables give these numbers, in the same units.
constexpr const char* state_names[] = {"t", "p", "v_liquid", "v_gas", "v_liquid_max", "p_liquid_min", "v_gas_min",
                                       "p_gas_max", "s_liquid_per_R", "s_gas_per_R", "h_liquid_8a_per_27b",
                                       "h_gas_8a_per_27b", "g_liquid_8a_per_27b", "g_gas_8a_per_27b",
                                       "u_liquid_8a_per_27b", "u_gas_8a_per_27b", "latent_heat_8a_per_27b"};
constexpr size_t state_count = sizeof state_names / sizeof state_names[0];

std::array<double, state_count> numbers_of(const Coexistence& s, double c)
{
    const Properties q = properties(s.t, s.vl, s.vg, c);
    return {s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.plmin, s.limits.vgmin, s.limits.pgmax,
            q.sl, q.sg, q.hl, q.hg, q.gl, q.gg, q.ul, q.ug, q.latent()};
}

// A whole run for c, with its tables as columns and its unrounded states;
// with a fluid, its SI tables too.
struct Tables {
    Columns coexistence, properties, coexistence_si, properties_si;
    std::vector<std::array<double, state_count>> states;
    std::vector<std::string> si_header;
};

Tables tables_for(double c, const std::optional<Substance>& fluid)
{
    const Output out = run(c);
    Tables tables;
    const Table coexistence = coexistence_table(out.coexistence), props = property_table(out.properties);
    tables.coexistence = columns_of(coexistence);
    tables.properties = columns_of(props);
    for (const Coexistence& s : out.states)
        tables.states.push_back(numbers_of(s, c));
    if (fluid) {
        tables.si_header = si_header(*fluid, c, VDWCOEX_VERSION);
        tables.coexistence_si = columns_of(view_of(si_table(coexistence, *fluid)));
        tables.properties_si = columns_of(view_of(si_table(props, *fluid)));
    }
    return tables;
}

// The fluid named, or of the critical constants given, or none.
std::optional<Substance> fluid_of(const Messages& say, const std::optional<std::string>& name,
                                  std::optional<double> tc, std::optional<double> pc, std::optional<double> c)
{
    std::string why;
    const std::optional<Substance> fluid = fluid_asked(say, name, tc, pc, c ? *c : 1.5, tc ? typed(*tc) : "",
                                                       pc ? typed(*pc) : "", why);
    if (!why.empty())
        throw py::value_error(why);
    return fluid;
}

py::dict substance_dict(const Substance& s)
{
    py::dict d;
    d["key"] = s.key;
    d["formula"] = s.formula;
    d["name_en"] = s.name_en;
    d["name_es"] = s.name_es;
    d["Tc_K"] = s.tc;
    d["pc_Pa"] = s.pc;
    d["molar_mass_g_per_mol"] = s.molar_mass;
    d["c"] = s.c;
    d["ref_T_K"] = s.ref_t;
    d["ref_p_Pa"] = s.ref_p;
    d["ref_latent_heat_J_per_mol"] = s.ref_latent;
    d["rhoc_mol_per_m3"] = s.rhoc;
    d["omega"] = s.omega;
    d["T_triple_K"] = s.t_triple;
    d["ref_liquid_density_kg_per_m3"] = s.ref_liquid_density;
    d["source"] = s.source;
    return d;
}

// The equation asked for by its key (van der Waals where none is given),
// and where omega= may stand, as the console checks --omega.
Eos equation_asked(const Messages& say, const std::optional<std::string>& key, const std::optional<std::string>& substance,
                   std::optional<double> tc, std::optional<double> omega)
{
    Eos eos = Eos::vdw;
    if (key && !eos_from_key(*key, eos))
        throw py::value_error(say.unknown_eos(*key));
    if (omega && !(needs_omega(eos) && !substance && tc))
        throw py::value_error(say.omega_misplaced());
    return eos;
}

// The saturation states by a cubic equation other than van der Waals' (eos),
// of a fluid, at the one of t, T, p and P given: reduced (v by the
// equation's own Vc) and in SI units, as the console's --eos prints them.
py::dict equation_states(Eos eos, const std::vector<double>& values, const char* keyword,
                         std::optional<Substance> fluid, bool own_constants, std::optional<double> omega,
                         const Messages& say)
{
    const std::string lacks = equation_fluid(say, eos, fluid, own_constants, omega, omega ? typed(*omega) : "");
    if (!lacks.empty())
        throw py::value_error(lacks);
    const bool temperature = keyword[0] == 't' || keyword[0] == 'T', reduced = keyword[0] == 't' || keyword[0] == 'p';
    std::vector<EquationState> rows;
    for (const double x : values) {
        if (!(x > 0 && std::isfinite(x)))
            throw py::value_error(say.not_positive(keyword, typed(x)));
        // The console's ranges, in K and Pa.
        const double si = reduced ? x * (temperature ? fluid->tc : fluid->pc) : x;
        const std::string typed_si = typed(si);  // made while the GIL is held
        std::string why;
        std::optional<EquationState> state;
        {
            py::gil_scoped_release unlocked;
            state = equation_state_for(say, *fluid, eos, si, temperature, typed_si, why);
        }
        if (!state)
            throw py::value_error(why);
        rows.push_back(*state);
    }
    py::dict columns;
    const auto column = [&](const char* name, const auto& of) {
        std::vector<double> cells;
        for (const EquationState& s : rows)
            cells.push_back(of(s));
        columns[name] = py::cast(cells);
    };
    column("t", [](const EquationState& s) { return s.reduced.tr; });
    column("p", [](const EquationState& s) { return s.reduced.pr; });
    column("v_liquid", [](const EquationState& s) { return s.si.v_liquid / s.critical_volume; });
    column("v_gas", [](const EquationState& s) { return s.si.v_gas / s.critical_volume; });
    column("T_K", [](const EquationState& s) { return s.si.temperature; });
    column("p_Pa", [](const EquationState& s) { return s.si.pressure; });
    column("v_liquid_m3_per_mol", [](const EquationState& s) { return s.si.v_liquid; });
    column("v_gas_m3_per_mol", [](const EquationState& s) { return s.si.v_gas; });
    if (fluid->molar_mass > 0) {
        column("density_liquid_kg_per_m3", [](const EquationState& s) { return s.si.rho_liquid; });
        column("density_gas_kg_per_m3", [](const EquationState& s) { return s.si.rho_gas; });
    }
    column("latent_heat_J_per_mol", [](const EquationState& s) { return s.si.latent; });
    py::dict out;
    out["columns"] = columns;
    out["substance"] = substance_dict(*fluid);
    out["eos"] = eos_key(eos);
    return out;
}

// The coexistence states at reduced or SI temperatures or pressures, of
// the one of t, T, p and P given: their reduced numbers as columns, the
// Maxwell construction's middle volume and areas, and with a fluid the same
// in SI units; and the fluid.
py::dict states(std::optional<std::vector<double>> t, std::optional<std::vector<double>> temperature,
                std::optional<std::vector<double>> p, std::optional<std::vector<double>> pressure,
                std::optional<std::string> substance, std::optional<double> tc, std::optional<double> pc,
                std::optional<double> c, const std::string& language, std::optional<std::string> eos_key_given,
                std::optional<double> omega)
{
    const Messages say = messages(language);
    const std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
    const Eos eos = equation_asked(say, eos_key_given, substance, tc, omega);
    if (eos != Eos::vdw) {
        const int count = (t ? 1 : 0) + (temperature ? 1 : 0) + (p ? 1 : 0) + (pressure ? 1 : 0);
        if (count != 1)
            throw py::type_error("state_at: give one of t, T, p or P");
        const char* keyword = t ? "t" : temperature ? "T" : p ? "p" : "P";
        return equation_states(eos, t ? *t : temperature ? *temperature : p ? *p : *pressure, keyword, fluid,
                               fluid && !substance, omega, say);
    }
    const int given = (t ? 1 : 0) + (temperature ? 1 : 0) + (p ? 1 : 0) + (pressure ? 1 : 0);
    if (given != 1)
        throw py::type_error("state_at: give one of t, T, p or P");
    const char* keyword = t ? "t" : temperature ? "T" : p ? "p" : "P";
    if ((temperature || pressure) && !fluid)
        throw py::value_error(say.needs_fluid(keyword));
    const double cv = c ? *c : fluid ? fluid->c : 1.5;
    const std::vector<double>& values = t ? *t : temperature ? *temperature : p ? *p : *pressure;
    std::vector<std::array<double, state_count>> rows;
    std::vector<MaxwellAreas> areas;
    std::vector<SiState> in_si;
    for (const double x : values) {
        if (!(x > 0 && std::isfinite(x)))
            throw py::value_error(say.not_positive(keyword, typed(x)));
        const std::string typed_x = typed(x);
        std::string why;
        std::optional<double> at_t;
        {
            py::gil_scoped_release unlocked;
            at_t = coexistence_t(say, x, t || temperature, (t || p) ? nullptr : &*fluid, typed_x, why);
            if (at_t) {
                const Coexistence s = state_at(*at_t);
                rows.push_back(numbers_of(s, cv));
                areas.push_back(maxwell_areas(s.t, s.p, s.vl, s.vg, s.limits.vlmax, s.limits.vgmin));
                if (fluid)
                    in_si.push_back(si_state(*fluid, s, cv));
            }
        }
        if (!at_t)
            throw py::value_error(why);
    }
    py::dict columns;
    const auto column = [&](const char* name, const auto& of) {
        std::vector<double> cells;
        for (size_t i = 0; i < rows.size(); ++i)
            cells.push_back(of(i));
        columns[name] = py::cast(cells);
    };
    column("c", [&](size_t) { return cv; });
    for (size_t k = 0; k < state_count; ++k)
        column(state_names[k], [&](size_t i) { return rows[i][k]; });
    column("v_middle", [&](size_t i) { return areas[i].v_middle; });
    column("liquid_area", [&](size_t i) { return areas[i].liquid_area; });
    column("gas_area", [&](size_t i) { return areas[i].gas_area; });
    if (fluid) {
        column("T_K", [&](size_t i) { return in_si[i].temperature; });
        column("p_Pa", [&](size_t i) { return in_si[i].pressure; });
        column("v_liquid_m3_per_mol", [&](size_t i) { return in_si[i].v_liquid; });
        column("v_gas_m3_per_mol", [&](size_t i) { return in_si[i].v_gas; });
        if (fluid->molar_mass > 0) {
            column("density_liquid_kg_per_m3", [&](size_t i) { return in_si[i].rho_liquid; });
            column("density_gas_kg_per_m3", [&](size_t i) { return in_si[i].rho_gas; });
        }
        column("latent_heat_J_per_mol", [&](size_t i) { return in_si[i].latent; });
    }
    py::dict out;
    out["columns"] = columns;
    out["substance"] = fluid ? py::object(substance_dict(*fluid)) : py::object(py::none());
    return out;
}

py::dict trial(double at_t, double p, double c, const std::string& language)
{
    const Messages say = messages(language);
    if (!(at_t >= lowest_state_t && at_t < 1))
        throw py::value_error(say.reduced_temperature_range(typed(at_t)));
    Coexistence s;
    {
        py::gil_scoped_release unlocked;
        s = state_at(at_t);
    }
    if (!trial_line_reaches(p, s.limits.plmin, s.limits.pgmax))
        throw py::value_error(say.trial_range(typed(p), at_t, s.limits.plmin, s.limits.pgmax));
    TrialLine line;
    {
        py::gil_scoped_release unlocked;
        line = trial_line(at_t, p, s.limits.vlmax, s.limits.vgmin, c);
    }
    py::dict out;
    out["t"] = at_t;
    out["p"] = p;
    out["c"] = c;
    out["v_liquid"] = line.vl;
    out["v_gas"] = line.vg;
    out["v_middle"] = line.areas.v_middle;
    out["liquid_area"] = line.areas.liquid_area;
    out["gas_area"] = line.areas.gas_area;
    out["g_liquid_8a_per_27b"] = line.gl;
    out["g_gas_8a_per_27b"] = line.gg;
    out["vapour_pressure"] = s.p;
    return out;
}

// The console's run without its dialogue: the files for c in `folder`,
// replaced together or not at all. Returns the status the console would
// exit with (0, 1 for a failure, 2 for a usage error), the lines it would say
// on standard error, the paths written, and the errno of a failure where
// the system gave one (0 otherwise).
std::mutex one_writer;

py::tuple write_files(const std::string& folder, double c, bool csv, bool xlsx, std::optional<std::string> substance,
                      std::optional<double> tc, std::optional<double> pc, const std::string& language)
{
    const Messages say = messages(language);
    const std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
    std::vector<std::string> lines, written;
    int error = 0;
    const auto done = [&](int status) { return py::make_tuple(status, lines, written, error); };
    if (folder.empty())
        return lines.push_back(say.empty_folder("folder")), done(2);
    if ((error = folder_error(folder)))
        return lines.push_back(say.no_folder(folder, reason_of(say, error))), done(2);
    std::string why;
    if (xlsx)
        if (const int loading = workbook_writer(why))
            return lines.push_back(loading == ENOMEM ? say.out_of_memory() : say.no_workbook(why)),
                   error = loading == ENOMEM ? ENOMEM : 0, done(loading == ENOMEM ? 1 : 2);
    lines = c_warnings(say, c);
    const std::vector<PlannedFile> plan = plan_files(folder, csv, xlsx, fluid.has_value());
    bool ok = false;
    {
        py::gil_scoped_release unlocked;
        const std::lock_guard<std::mutex> held(one_writer);
        std::vector<ReportFile> files;
        ok = replace_run_files(
            say, plan, files, [&](const std::string& line) { lines.push_back(line); },
            [&] { return RunResult(c, fluid, fluid || xlsx); }, [](const RunResult&) {}, why, &error);
        for (ReportFile& file : files)
            discard_report(file);
    }
    if (!ok)
        return lines.push_back(why), done(1);
    for (const PlannedFile& file : plan)
        written.push_back(file.path);
    return done(0);
}

// A fluid's numbers measured beside the model's, by name.
py::dict compared_of(const AgainstNature& row)
{
    py::dict compared;
    const std::pair<const char*, Compared> pairs[] = {{"Zc", row.zc}, {"omega", row.omega}, {"Tb_over_Tc", row.boiling_t},
                                                      {"latent_heat_at_Tb_J_per_mol", row.latent},
                                                      {"Trouton", row.trouton}};
    for (const auto& [name, pair] : pairs)
        compared[name] = py::dict(py::arg("measured") = pair.measured, py::arg("model") = pair.model);
    return compared;
}

// A substance's saturation table, the model beside its measured curves at
// the temperatures of a run for c, as the console writes it to
// nature_KEY.csv; with the lines that head it, the measured numbers beside
// the model's (Zc, the acentric factor, Tb/Tc, the latent heat at Tb,
// Trouton's ratio) and what the console would warn of c.
// With a cubic equation other than van der Waals' (eos): the table of each
// equation's Zc and the acentric factor its own curve gives, under the
// measured ones, and the chosen equation's numbers beside the measured, as
// the console's --eos prints them.
py::dict equations_nature(const Substance& fluid, Eos eos)
{
    std::vector<EquationConstants> all;
    AgainstNature row;
    {
        py::gil_scoped_release unlocked;
        all = equation_constants(fluid);
        row = against_nature(fluid, eos);
    }
    std::vector<std::string> names = {"measured"};
    std::vector<double> zc = {measured_zc(fluid)}, omega = {fluid.omega};
    for (const EquationConstants& e : all) {
        names.push_back(eos_key(e.eos));
        zc.push_back(e.zc);
        omega.push_back(e.omega);
    }
    py::dict columns, units;
    columns["eos"] = py::cast(names);
    columns["Zc"] = py::cast(zc);
    columns["omega"] = py::cast(omega);
    units["eos"] = "";
    units["Zc"] = "";
    units["omega"] = "";
    const py::dict compared = compared_of(row);
    py::dict out;
    out["columns"] = columns;
    out["units"] = units;
    out["header"] = py::cast(std::vector<std::string>{fluid.name_en + " against the cubic equations; " +
                                                      equation_name(eos) + " beside the measured at " +
                                                      si_number(fluid.ref_p) + " Pa"});
    out["compared"] = compared;
    out["warnings"] = py::cast(std::vector<std::string>{});
    out["eos"] = eos_key(eos);
    return out;
}

py::dict nature(const std::string& substance, std::optional<double> c, const std::string& language,
                std::optional<std::string> eos_key_given)
{
    const Messages say = messages(language);
    const std::optional<Substance> fluid = fluid_of(say, substance, std::nullopt, std::nullopt, c);
    const Eos eos = equation_asked(say, eos_key_given, substance, std::nullopt, std::nullopt);
    if (eos != Eos::vdw)
        return equations_nature(*fluid, eos);
    const double cv = c ? *c : fluid->c;
    Columns table;
    AgainstNature row;
    {
        py::gil_scoped_release unlocked;
        const Output out = run(cv);
        table = columns_of(view_of(nature_table(*fluid, out.states, cv)));
        row = against_nature(*fluid);
    }
    const py::dict compared = compared_of(row);
    py::dict out = to_python(table);
    out["header"] = py::cast(nature_header(*fluid, VDWCOEX_VERSION));
    out["compared"] = compared;
    out["warnings"] = py::cast(c_warnings(say, cv));
    return out;
}

}  // namespace

PYBIND11_MODULE(_vdwcoex, m)
{
    m.doc() = "The C++ half of vdwcoex: see the package vdwcoex.";
    m.attr("version") = VDWCOEX_VERSION;
    m.attr("lowest_state_t") = lowest_state_t;
    m.attr("largest_exact_c") = largest_exact_c;
    m.def("lowest_state_p", &lowest_state_p, py::call_guard<py::gil_scoped_release>());

    m.def("reports", [](double c) {
        Output out;
        {
            py::gil_scoped_release unlocked;
            out = run(c);
        }
        return py::make_tuple(py::bytes(out.coexistence), py::bytes(out.properties), py::bytes(out.console));
    }, py::arg("c"));

    // c defaults to the fluid's, else 1.5.
    m.def("tables", [](std::optional<double> c, std::optional<std::string> substance, std::optional<double> tc,
                       std::optional<double> pc, const std::string& language) {
        const Messages say = messages(language);
        const std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
        const double cv = c ? *c : fluid ? fluid->c : 1.5;
        Tables t;
        {
            py::gil_scoped_release unlocked;
            t = tables_for(cv, fluid);
        }
        py::dict out;
        out["warnings"] = py::cast(c_warnings(say, cv));
        out["coexistence"] = to_python(t.coexistence);
        out["properties"] = to_python(t.properties);
        py::dict states;
        for (size_t k = 0; k < state_count; ++k) {
            std::vector<double> column;
            for (const auto& row : t.states)
                column.push_back(row[k]);
            states[state_names[k]] = py::cast(column);
        }
        out["states"] = states;
        if (fluid) {
            out["coexistence_si"] = to_python(t.coexistence_si);
            out["properties_si"] = to_python(t.properties_si);
            out["si_header"] = py::cast(t.si_header);
        }
        return out;
    }, py::arg("c"), py::arg("substance"), py::arg("tc"), py::arg("pc"), py::arg("language"));

    m.def("state_at", &states, py::arg("t"), py::arg("T"), py::arg("p"), py::arg("P"), py::arg("substance"),
          py::arg("Tc"), py::arg("pc"), py::arg("c"), py::arg("language"), py::arg("eos") = py::none(),
          py::arg("omega") = py::none());
    m.def("trial_line", &trial, py::arg("t"), py::arg("p"), py::arg("c"), py::arg("language"));
    m.def("against_nature", &nature, py::arg("substance"), py::arg("c"), py::arg("language"),
          py::arg("eos") = py::none());
    m.def("isotherm", [](double t, const std::vector<double>& v) {
        std::vector<double> p;
        for (const double x : v)
            p.push_back(isotherm_pressure(t, x));
        return p;
    }, py::arg("t"), py::arg("v"));
    m.def("substances", [] {
        py::list out;
        for (const Substance& s : substances())
            out.append(substance_dict(s));
        return out;
    });
    m.def("write_reports", &write_files, py::arg("folder"), py::arg("c"), py::arg("csv"), py::arg("xlsx"),
          py::arg("substance"), py::arg("Tc"), py::arg("pc"), py::arg("language"));
}
