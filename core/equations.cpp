#include "equations.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "reports.h"
#include "sweep.h"
#include "tables_csv.h"

std::string equation_name(Eos eos)
{
    switch (eos) {
    case Eos::rk:
        return "Redlich-Kwong";
    case Eos::srk:
        return "Soave-Redlich-Kwong";
    case Eos::pr:
        return "Peng-Robinson";
    case Eos::vdw:
        break;
    }
    return "van der Waals";
}

Cubic cubic_for(const Substance& fluid, Eos eos) { return Cubic(eos, fluid.omega); }

double lowest_equation_pressure(const Substance& fluid, Eos eos)
{
    return saturation(cubic_for(fluid, eos), lowest_cubic_tr).pr * fluid.pc;
}

namespace {

EquationState in_si(const Substance& fluid, const Cubic& eos, const Saturation& s)
{
    return {s, si_state(fluid, eos, s, fluid.c), eos.zc() * gas_constant * fluid.tc / fluid.pc};
}

}  // namespace

std::vector<NamedNumber> equation_state_row(const Substance& fluid, const EquationState& s)
{
    std::vector<NamedNumber> all = {{"t", "t", s.reduced.tr},
                                    {"p", "p", s.reduced.pr},
                                    {"v_liquid", "vl", s.si.v_liquid / s.critical_volume},
                                    {"v_gas", "vg", s.si.v_gas / s.critical_volume}};
    for (const NamedNumber& x : si_numbers(fluid, s.si))
        all.push_back(x);
    return all;
}

EquationState equation_state_at(const Substance& fluid, Eos eos, double temperature)
{
    const Cubic cubic = cubic_for(fluid, eos);
    return in_si(fluid, cubic, saturation(cubic, temperature / fluid.tc));
}

EquationState equation_state_at_pressure(const Substance& fluid, Eos eos, double pressure)
{
    const Cubic cubic = cubic_for(fluid, eos);
    return in_si(fluid, cubic, saturation(cubic, saturation_tr(cubic, pressure / fluid.pc)));
}

std::vector<EquationRow> equation_rows(const Cubic& eos, double c)
{
    std::vector<EquationRow> rows;
    rows.reserve(500);
    for (double t = first_t; t > 0.5; t = t - dt) {
        const Saturation s = saturation(eos, t);
        rows.push_back({s, properties(eos, s, c)});
    }
    return rows;
}

namespace {

// A column of an equation's tables: its reduced name and unit, its SI name
// and unit, what it measures, and its number in a row in the family's own
// units (volumes as w = V pc/(R Tc), the reduced tables' v being w/Zc).
struct EquationColumn {
    const char *name, *unit, *si_name, *si_unit;
    Quantity quantity;
    double (*of)(const EquationRow&);
};

using Row = const EquationRow&;

constexpr EquationColumn coexistence_columns[] = {
    {"t", "T/Tc", "T_K", "K", Quantity::temperature, [](Row r) { return r.state.tr; }},
    {"p", "p/pc", "p_Pa", "Pa", Quantity::pressure, [](Row r) { return r.state.pr; }},
    {"v_liquid", "V/Vc", "v_liquid_m3_per_mol", "m3/mol", Quantity::volume, [](Row r) { return r.state.wl; }},
    {"v_gas", "V/Vc", "v_gas_m3_per_mol", "m3/mol", Quantity::volume, [](Row r) { return r.state.wg; }},
    {"v_liquid_max", "V/Vc", "v_liquid_max_m3_per_mol", "m3/mol", Quantity::volume,
     [](Row r) { return r.state.limits.wl_max; }},
    {"p_liquid_min", "p/pc", "p_liquid_min_Pa", "Pa", Quantity::pressure, [](Row r) { return r.state.limits.pl_min; }},
    {"v_gas_min", "V/Vc", "v_gas_min_m3_per_mol", "m3/mol", Quantity::volume,
     [](Row r) { return r.state.limits.wg_min; }},
    {"p_gas_max", "p/pc", "p_gas_max_Pa", "Pa", Quantity::pressure, [](Row r) { return r.state.limits.pg_max; }},
    {"latent_heat_per_RTc", "R Tc", "latent_heat_J_per_mol", "J/mol", Quantity::energy,
     [](Row r) { return r.properties.latent(); }},
};

constexpr EquationColumn property_columns[] = {
    coexistence_columns[0], coexistence_columns[1], coexistence_columns[2], coexistence_columns[3],
    {"s_liquid_per_R", "R", "s_liquid_J_per_mol_K", "J/(mol K)", Quantity::entropy, [](Row r) { return r.properties.sl; }},
    {"s_gas_per_R", "R", "s_gas_J_per_mol_K", "J/(mol K)", Quantity::entropy, [](Row r) { return r.properties.sg; }},
    {"h_liquid_per_RTc", "R Tc", "h_liquid_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.hl; }},
    {"h_gas_per_RTc", "R Tc", "h_gas_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.hg; }},
    {"g_liquid_per_RTc", "R Tc", "g_liquid_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.gl; }},
    {"g_gas_per_RTc", "R Tc", "g_gas_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.gg; }},
    {"u_liquid_per_RTc", "R Tc", "u_liquid_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.ul; }},
    {"u_gas_per_RTc", "R Tc", "u_gas_J_per_mol", "J/mol", Quantity::energy, [](Row r) { return r.properties.ug; }},
};

// A column's number in a row as the table holds it: reduced, the volumes
// over Zc; in SI, the volumes times R Tc/pc and the rest by si_unit, as the
// van der Waals tables'.
double in_table(const EquationColumn& column, const EquationRow& row, const Cubic& eos, const Substance* fluid)
{
    const bool volume = column.quantity == Quantity::volume;
    if (!fluid)
        return volume ? column.of(row) / eos.zc() : column.of(row);
    return column.of(row) * (volume ? gas_constant * fluid->tc / fluid->pc : si_unit(*fluid, column.quantity));
}

template <size_t N>
OwnedTable table_of(const EquationColumn (&columns)[N], const Cubic& eos, const std::vector<EquationRow>& rows,
                    const Substance* fluid)
{
    OwnedTable table;
    for (const EquationColumn& column : columns) {
        table.names.push_back(fluid ? column.si_name : column.name);
        table.units.push_back(fluid ? column.si_unit : column.unit);
    }
    for (const EquationRow& row : rows) {
        std::vector<std::string> cells;
        for (const EquationColumn& column : columns) {
            const double x = in_table(column, row, eos, fluid);
            std::string shown;
            if (fluid)
                shown = si_number(x);
            else
                number(shown, x);
            cells.push_back(shown);
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

}  // namespace

EquationTables equation_tables(const Cubic& eos, const std::vector<EquationRow>& rows, const Substance* fluid)
{
    return {table_of(coexistence_columns, eos, rows, fluid), table_of(property_columns, eos, rows, fluid)};
}

std::vector<NumberColumn> equation_columns(const Cubic& eos, const std::vector<EquationRow>& rows)
{
    std::vector<NumberColumn> columns;
    const auto add = [&](const EquationColumn& column) {
        for (const NumberColumn& had : columns)
            if (had.name == column.name)
                return;
        NumberColumn out{column.name, {}};
        for (const EquationRow& row : rows)
            out.values.push_back(in_table(column, row, eos, nullptr));
        columns.push_back(std::move(out));
    };
    for (const EquationColumn& column : coexistence_columns)
        add(column);
    for (const EquationColumn& column : property_columns)
        add(column);
    return columns;
}

std::vector<std::string> equation_header(const Cubic& eos, double omega, double c, const Substance* fluid,
                                         const std::string& version)
{
    const std::string name = equation_name(eos.eos()),
                      with_omega = needs_omega(eos.eos()) ? " (omega = " + si_number(omega) + ")" : "";
    if (!fluid)
        return {"vdwcoex " + version + ": the " + name + " equation" + with_omega + " with Cv = c R, c = " + si_number(c),
                "t = T/Tc, p = p/pc, v = V/Vc with the equation's own critical volume Vc = Zc R Tc/pc, Zc = " +
                    si_number(eos.zc()) + "; s in R; h, g, u and the latent heat in R Tc; the coexistence rows only"};
    const std::string fluid_name = fluid->name_en + (fluid->formula.empty() ? "" : " (" + fluid->formula + ")");
    return {"vdwcoex " + version + ": " + fluid_name + " by the " + name + " equation" + with_omega +
                " with Cv = c R, c = " + si_number(c),
            "Tc = " + si_number(fluid->tc) + " K, pc = " + si_number(fluid->pc) + " Pa, Vc = Zc R Tc / pc = " +
                si_number(eos.zc() * gas_constant * fluid->tc / fluid->pc) +
                " m3/mol (the equation's critical volume), R = 8.314462618 J/(mol K)",
            "constants from " + fluid->source};
}

namespace {

OwnedTable owned(const Table& table)
{
    OwnedTable out{{table.names.begin(), table.names.end()}, {table.units.begin(), table.units.end()}, {}};
    for (const Fields& row : table.rows)
        out.rows.emplace_back(row.begin(), row.end());
    return out;
}

}  // namespace

RunTables run_tables(double c, const Substance* fluid, Eos eos, const std::string& version)
{
    RunTables out;
    if (eos != Eos::vdw) {
        const Cubic cubic = fluid ? cubic_for(*fluid, eos) : Cubic(eos);
        const std::vector<EquationRow> rows = equation_rows(cubic, c);
        const EquationTables reduced = equation_tables(cubic, rows);
        out.coexistence = reduced.coexistence;
        out.properties = reduced.properties;
        out.header = equation_header(cubic, fluid ? fluid->omega : 0, c, nullptr, version);
        if (fluid) {
            const EquationTables si = equation_tables(cubic, rows, fluid);
            out.coexistence_si = si.coexistence;
            out.properties_si = si.properties;
            out.si_header = equation_header(cubic, fluid->omega, c, fluid, version);
        }
        out.states = equation_columns(cubic, rows);
        return out;
    }
    const Output run_for_c = run(c);
    const Table coexistence = coexistence_table(run_for_c.coexistence), properties = property_table(run_for_c.properties);
    out.coexistence = owned(coexistence);
    out.properties = owned(properties);
    if (fluid) {
        out.coexistence_si = si_table(coexistence, *fluid);
        out.properties_si = si_table(properties, *fluid);
        out.si_header = si_header(*fluid, c, version);
    }
    std::vector<std::vector<NamedNumber>> rows;
    for (const Coexistence& s : run_for_c.states)
        rows.push_back(state_numbers(s, c));
    out.states = columns_of(rows);
    return out;
}

OwnedTable equation_nature_table(const Substance& fluid, const Cubic& eos, const std::vector<EquationRow>& rows)
{
    const double volume = gas_constant * fluid.tc / fluid.pc;
    std::vector<NaturePoint> points;
    for (const EquationRow& row : rows) {
        const double temperature = row.state.tr * fluid.tc;
        points.push_back({temperature, row.state.tr, row.state.pr * fluid.pc, 1 / (row.state.wl * volume),
                          1 / (row.state.wg * volume), row.properties.latent() * gas_constant * fluid.tc,
                          measured_saturation(fluid, temperature)});
    }
    return nature_table(fluid, points, eos.zc() * volume);
}

OwnedTable equation_nature_table(const Substance& fluid, Eos eos, double c)
{
    const Cubic cubic = cubic_for(fluid, eos);
    return equation_nature_table(fluid, cubic, equation_rows(cubic, c));
}

std::vector<EquationConstants> equation_constants(const Substance& fluid)
{
    std::vector<EquationConstants> all;
    for (Eos eos : {Eos::vdw, Eos::rk, Eos::srk, Eos::pr}) {
        const Cubic cubic = cubic_for(fluid, eos);
        all.push_back({eos, cubic.zc(), own_acentric_factor(cubic)});
    }
    return all;
}

ConstantsBeside constants_beside_measured(const Substance& fluid)
{
    ConstantsBeside out{{"measured"}, {measured_zc(fluid)}, {fluid.omega}};
    for (const EquationConstants& e : equation_constants(fluid)) {
        out.eos.push_back(eos_key(e.eos));
        out.zc.push_back(e.zc);
        out.omega.push_back(e.omega);
    }
    return out;
}

std::string equations_title(const Substance& fluid, Eos eos)
{
    return fluid.name_en + " against the cubic equations; " + equation_name(eos) + " beside the measured at " +
           si_number(fluid.ref_p) + " Pa";
}

AgainstNature against_nature(const Substance& fluid, Eos eos)
{
    const Cubic cubic = cubic_for(fluid, eos);
    AgainstNature row{};
    row.zc = {measured_zc(fluid), cubic.zc()};
    row.omega = {fluid.omega, own_acentric_factor(cubic)};
    const double p_ref = fluid.ref_p / fluid.pc;
    const bool reached = p_ref >= saturation(cubic, lowest_cubic_tr).pr && p_ref < 1;
    const double tb = reached ? saturation_tr(cubic, p_ref) : std::nan("");
    const double latent = reached ? properties(cubic, saturation(cubic, tb), fluid.c).latent() * gas_constant * fluid.tc
                                  : std::nan("");
    row.boiling_t = {fluid.ref_t / fluid.tc, tb};
    row.latent = {fluid.ref_latent, latent};
    row.trouton = {fluid.ref_latent / (gas_constant * fluid.ref_t), latent / (gas_constant * tb * fluid.tc)};
    return row;
}

namespace {

// Where the measured curves start, as T/Tc, and the equations' searches.
double lowest_drawn_tr(const Substance& fluid) { return std::max(lowest_cubic_tr, fluid.t_triple / fluid.tc); }

}  // namespace

std::vector<ShownSaturation> equation_curve(const Substance& fluid, Eos eos)
{
    std::vector<ShownSaturation> curve;
    const Cubic cubic = cubic_for(fluid, eos);
    const double lowest = lowest_drawn_tr(fluid);
    std::vector<double> trs = {0.999, 0.995};
    for (int k = 1; 1 - 0.01 * k >= lowest; ++k)
        trs.push_back(1 - 0.01 * k);
    for (double tr : trs) {
        const SiState x = si_state(fluid, cubic, saturation(cubic, tr), fluid.c);
        curve.push_back({x.temperature, x.pressure, x.rho_liquid, x.rho_gas, x.latent});
    }
    return curve;
}

std::vector<EquationError> equation_errors(const Substance& fluid)
{
    std::vector<EquationError> errors;
    for (double tr : {0.6, 0.7, 0.8, 0.9}) {
        const double temperature = tr * fluid.tc;
        const std::optional<MeasuredSaturation> m = measured_saturation(fluid, temperature);
        if (!m || tr < lowest_cubic_tr)
            continue;
        for (Eos eos : {Eos::vdw, Eos::rk, Eos::srk, Eos::pr}) {
            const SiState x = equation_state_at(fluid, eos, temperature).si;
            errors.push_back({tr, temperature, eos, x.pressure / m->p - 1, 1 / (x.v_liquid * m->rho_liquid) - 1,
                              x.latent / m->latent - 1});
        }
    }
    return errors;
}
