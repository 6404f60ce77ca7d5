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

#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "equations.h"
#include "fluid_report.h"
#include "maxwell.h"
#include "messages.h"
#include "run_files.h"
#include "state.h"
#include "sweep.h"

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

py::dict to_python(const TableColumns& table)
{
    py::dict columns, units;
    for (size_t k = 0; k < table.names.size(); ++k) {
        const py::str name(table.names[k]);
        columns[name] = table.texts[k].empty() ? py::cast(table.numbers[k]) : py::cast(table.texts[k]);
        units[name] = table.units[k];
    }
    return py::dict(py::arg("columns") = columns, py::arg("units") = units);
}

py::dict to_python(const OwnedTable& table) { return to_python(columns_of(view_of(table))); }

py::dict to_python(const std::vector<NumberColumn>& columns)
{
    py::dict out;
    for (const NumberColumn& column : columns)
        out[py::str(column.name)] = py::cast(column.values);
    return out;
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
    return py::dict(py::arg("key") = s.key, py::arg("formula") = s.formula, py::arg("name_en") = s.name_en,
                    py::arg("name_es") = s.name_es, py::arg("Tc_K") = s.tc, py::arg("pc_Pa") = s.pc,
                    py::arg("molar_mass_g_per_mol") = s.molar_mass, py::arg("c") = s.c, py::arg("ref_T_K") = s.ref_t,
                    py::arg("ref_p_Pa") = s.ref_p, py::arg("ref_latent_heat_J_per_mol") = s.ref_latent,
                    py::arg("rhoc_mol_per_m3") = s.rhoc, py::arg("omega") = s.omega, py::arg("T_triple_K") = s.t_triple,
                    py::arg("ref_liquid_density_kg_per_m3") = s.ref_liquid_density, py::arg("source") = s.source);
}

// The equation asked for by its key (van der Waals where none is given),
// where omega= may stand, and for another its fluid as the console checks
// them (`tables_only` where rk's reduced tables need none).
Eos equation_asked(const Messages& say, const std::optional<std::string>& key, const std::optional<std::string>& substance,
                   std::optional<double> tc, std::optional<double> omega, std::optional<Substance>& fluid,
                   bool tables_only = false)
{
    Eos eos = Eos::vdw;
    if (key && !eos_from_key(*key, eos))
        throw py::value_error(say.unknown_eos(*key));
    if (omega && !omega_placed(eos, substance.has_value(), tc.has_value()))
        throw py::value_error(say.omega_misplaced());
    const std::string lacks = eos == Eos::vdw ? "" : equation_fluid(say, eos, fluid, fluid && !substance, omega,
                                                                   omega ? typed(*omega) : "", tables_only);
    if (!lacks.empty())
        throw py::value_error(lacks);
    return eos;
}

// The coexistence states at the one of t, T, p and P given (reduced, or K
// and Pa), by van der Waals' equation (state_row) or another (eos:
// equation_state_row), as columns; and the fluid.
py::dict states(std::optional<std::vector<double>> t, std::optional<std::vector<double>> temperature,
                std::optional<std::vector<double>> p, std::optional<std::vector<double>> pressure,
                std::optional<std::string> substance, std::optional<double> tc, std::optional<double> pc,
                std::optional<double> c, const std::string& language, std::optional<std::string> eos_key_given,
                std::optional<double> omega)
{
    const Messages say = messages(language);
    std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
    if ((t ? 1 : 0) + (temperature ? 1 : 0) + (p ? 1 : 0) + (pressure ? 1 : 0) != 1)
        throw py::type_error("state_at: give one of t, T, p or P");
    const Eos eos = equation_asked(say, eos_key_given, substance, tc, omega, fluid);
    const char* keyword = t ? "t" : temperature ? "T" : p ? "p" : "P";
    const bool by_temperature = t || temperature, reduced = t || p;
    if (eos == Eos::vdw && !reduced && !fluid)
        throw py::value_error(say.needs_fluid(keyword));
    const double cv = c ? *c : fluid ? fluid->c : 1.5;
    std::vector<std::vector<NamedNumber>> rows;
    for (const double x : t ? *t : temperature ? *temperature : p ? *p : *pressure) {
        if (!(x > 0 && std::isfinite(x)))
            throw py::value_error(say.not_positive(keyword, typed(x)));
        // An equation's ranges are the console's, in K and Pa.
        const double asked = eos != Eos::vdw && reduced ? x * (by_temperature ? fluid->tc : fluid->pc) : x;
        const std::string typed_x = typed(asked);  // made while the GIL is held
        std::string why;
        std::optional<std::vector<NamedNumber>> row;
        {
            py::gil_scoped_release unlocked;
            if (eos == Eos::vdw) {
                if (const auto at_t = coexistence_t(say, x, by_temperature, reduced ? nullptr : &*fluid, typed_x, why))
                    row = state_row(state_at(*at_t), cv, fluid ? &*fluid : nullptr);
            } else if (const auto s = equation_state_for(say, *fluid, eos, asked, by_temperature, typed_x, why)) {
                row = equation_state_row(*fluid, *s);
            }
        }
        if (!row)
            throw py::value_error(why);
        rows.push_back(*row);
    }
    py::dict out;
    out["columns"] = to_python(columns_of(rows));
    out["substance"] = fluid ? py::object(substance_dict(*fluid)) : py::object(py::none());
    if (eos != Eos::vdw)
        out["eos"] = eos_key(eos);
    return out;
}

// A whole run's tables for c by the equation asked, with the fluid's SI
// tables, and what the console would warn of c.
py::dict tables(std::optional<double> c, std::optional<std::string> substance, std::optional<double> tc,
                std::optional<double> pc, const std::string& language, std::optional<std::string> eos_key_given,
                std::optional<double> omega)
{
    const Messages say = messages(language);
    std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
    const Eos eos = equation_asked(say, eos_key_given, substance, tc, omega, fluid, true);
    const double cv = c ? *c : fluid ? fluid->c : 1.5;
    RunTables run;
    {
        py::gil_scoped_release unlocked;
        run = run_tables(cv, fluid ? &*fluid : nullptr, eos, VDWCOEX_VERSION);
    }
    py::dict out;
    out["warnings"] = py::cast(c_warnings(say, cv));
    out["coexistence"] = to_python(run.coexistence);
    out["properties"] = to_python(run.properties);
    out["states"] = to_python(run.states);
    out["header"] = py::cast(run.header);
    out["eos"] = eos_key(eos);
    if (fluid) {
        out["coexistence_si"] = to_python(run.coexistence_si);
        out["properties_si"] = to_python(run.properties_si);
        out["si_header"] = py::cast(run.si_header);
    }
    return out;
}

py::dict trial(double at_t, double p, double c, const std::string& language)
{
    const Messages say = messages(language);
    if (!(at_t >= lowest_state_t && at_t < 1))
        throw py::value_error(say.reduced_temperature_range(typed(at_t)));
    Coexistence s;
    std::optional<TrialLine> line;
    {
        py::gil_scoped_release unlocked;
        s = state_at(at_t);
        if (trial_line_reaches(p, s.limits.plmin, s.limits.pgmax))
            line = trial_line(at_t, p, s.limits.vlmax, s.limits.vgmin, c);
    }
    if (!line)
        throw py::value_error(say.trial_range(typed(p), at_t, s.limits.plmin, s.limits.pgmax));
    return py::dict(py::arg("t") = at_t, py::arg("p") = p, py::arg("c") = c, py::arg("v_liquid") = line->vl,
                    py::arg("v_gas") = line->vg, py::arg("v_middle") = line->areas.v_middle,
                    py::arg("liquid_area") = line->areas.liquid_area, py::arg("gas_area") = line->areas.gas_area,
                    py::arg("g_liquid_8a_per_27b") = line->gl, py::arg("g_gas_8a_per_27b") = line->gg,
                    py::arg("vapour_pressure") = s.p);
}

// The console's run without its dialogue (write_run): its status, the
// lines it would say, the paths written and the errno of a failure.
std::mutex one_writer;

py::tuple write_files(const std::string& folder, double c, bool csv, bool xlsx, std::optional<std::string> substance,
                      std::optional<double> tc, std::optional<double> pc, const std::string& language,
                      std::optional<std::string> eos_key_given, std::optional<double> omega)
{
    const Messages say = messages(language);
    std::optional<Substance> fluid = fluid_of(say, substance, tc, pc, c);
    const Eos eos = equation_asked(say, eos_key_given, substance, tc, omega, fluid, true);
    std::vector<std::string> lines, written;
    int error = 0, status = 0;
    {
        py::gil_scoped_release unlocked;
        const std::lock_guard<std::mutex> held(one_writer);
        status = write_run(say, folder, c, csv, xlsx, fluid, eos, lines, written, error);
    }
    return py::make_tuple(status, lines, written, error);
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
// the console's --eos prints them, and its own table (nature_EQ_KEY.csv).
py::dict equations_nature(const Substance& fluid, Eos eos, double c)
{
    ConstantsBeside all;
    AgainstNature row;
    OwnedTable curves;
    {
        py::gil_scoped_release unlocked;
        all = constants_beside_measured(fluid);
        row = against_nature(fluid, eos);
        curves = equation_nature_table(fluid, eos, c);
    }
    py::dict out;
    out["columns"] = py::dict(py::arg("eos") = all.eos, py::arg("Zc") = all.zc, py::arg("omega") = all.omega);
    out["units"] = py::dict(py::arg("eos") = "", py::arg("Zc") = "", py::arg("omega") = "");
    out["header"] = py::cast(std::vector<std::string>{equations_title(fluid, eos)});
    out["compared"] = compared_of(row);
    out["curves"] = to_python(curves);
    out["warnings"] = py::cast(std::vector<std::string>{});
    out["eos"] = eos_key(eos);
    return out;
}

py::dict nature(const std::string& substance, std::optional<double> c, const std::string& language,
                std::optional<std::string> eos_key_given)
{
    const Messages say = messages(language);
    std::optional<Substance> fluid = fluid_of(say, substance, std::nullopt, std::nullopt, c);
    const Eos eos = equation_asked(say, eos_key_given, substance, std::nullopt, std::nullopt, fluid);
    const double cv = c ? *c : fluid->c;
    if (eos != Eos::vdw)
        return equations_nature(*fluid, eos, cv);
    TableColumns table;
    AgainstNature row;
    {
        py::gil_scoped_release unlocked;
        const Output out = run(cv);
        table = columns_of(view_of(nature_table(*fluid, out.states, cv)));
        row = against_nature(*fluid);
    }
    py::dict out = to_python(table);
    out["header"] = py::cast(nature_header(*fluid, VDWCOEX_VERSION));
    out["compared"] = compared_of(row);
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
    m.def("tables", &tables, py::arg("c"), py::arg("substance"), py::arg("tc"), py::arg("pc"), py::arg("language"),
          py::arg("eos") = py::none(), py::arg("omega") = py::none());
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
          py::arg("substance"), py::arg("Tc"), py::arg("pc"), py::arg("language"), py::arg("eos") = py::none(),
          py::arg("omega") = py::none());
}
