#include "tables_csv.h"

#include <cmath>
#include <optional>

#include "reply.h"

namespace {

const std::string_view line_break = "\r\n";

void append_row(std::string& out, const Fields& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        out += cells[i];
    }
    out += line_break;
}

// Reduced quantities: t = T/Tc, p = p/pc, v = V/Vc; energies in units of
// 8a/27b (that is, R Tc), entropies in units of R. Plain arrays: nothing is
// allocated before the program starts.
constexpr std::string_view coexistence_names[] = {"t", "p", "v_liquid", "v_gas", "v_liquid_max", "p_liquid_min",
                                                  "v_gas_min", "p_gas_max", "latent_heat_8a_per_27b"};
constexpr std::string_view coexistence_units[] = {"T/Tc", "p/pc", "V/Vc", "V/Vc", "V/Vc",
                                                  "p/pc", "V/Vc", "p/pc", "8a/27b"};
constexpr std::string_view property_names[] = {
    "t", "state", "p", "v_liquid", "v_gas", "s_liquid_per_R", "s_gas_per_R", "h_liquid_8a_per_27b", "h_gas_8a_per_27b",
    "g_liquid_8a_per_27b", "g_gas_8a_per_27b", "u_liquid_8a_per_27b", "u_gas_8a_per_27b"};
constexpr std::string_view property_units[] = {"T/Tc", "", "p/pc", "V/Vc", "V/Vc", "R", "R",
                                               "8a/27b", "8a/27b", "8a/27b", "8a/27b", "8a/27b", "8a/27b"};

template <size_t N>
Fields fields(const std::string_view (&names)[N])
{
    return Fields(names, names + N);
}

}  // namespace

std::vector<Fields> report_rows(std::string_view report)
{
    const std::string rule = std::string(line_break) + std::string(90, '=') + std::string(line_break);
    const size_t at = report.find(rule);
    std::vector<Fields> rows;
    if (at == std::string_view::npos)
        return rows;
    report.remove_prefix(at + rule.size() - line_break.size());
    while (!report.empty()) {
        const size_t end = report.find(line_break);
        std::string_view line = report.substr(0, end);
        report.remove_prefix(end == std::string_view::npos ? report.size() : end + line_break.size());
        Fields fields;
        while (!line.empty()) {
            const size_t start = line.find_first_not_of(" \t");
            if (start == std::string_view::npos)
                break;
            line.remove_prefix(start);
            const size_t stop = line.find_first_of(" \t");
            fields.push_back(line.substr(0, stop));
            line.remove_prefix(stop == std::string_view::npos ? line.size() : stop);
        }
        if (!fields.empty())
            rows.push_back(fields);
    }
    return rows;
}

Table coexistence_table(std::string_view report)
{
    return {fields(coexistence_names), fields(coexistence_units), report_rows(report)};
}

Table property_table(std::string_view report)
{
    Table table{fields(property_names), fields(property_units), report_rows(report)};
    // Fields of a row: t, state, p, vl, vg, sl, sg, hl, hg, gl, gg, ul, ug.
    const size_t state = 1, vg = 4;
    const std::array<size_t, 5> gas_cells = {vg, 6, 8, 10, 12};
    for (Fields& row : table.rows) {
        if (row.size() <= state)
            continue;
        const std::string_view name = row[state];
        const bool placeholder = name == "limliq" && row.size() > vg && row[vg] == "300.000000";
        row[state] = name == "eq" ? "coexistence" : name == "limliq" ? "liquid_limit"
                   : name == "limgas" ? "gas_limit" : name;
        if (placeholder)
            for (size_t i : gas_cells)
                if (i < row.size())
                    row[i] = {};
    }
    return table;
}

std::vector<std::array<std::string, 2>> about_lines(const std::string& c_shown, const std::string& version,
                                                    const std::vector<std::string>& fluid)
{
    std::vector<std::array<std::string, 2>> lines = {{"program", "vdwcoex " + version},
                                                     {"c", c_shown},
                                                     {"Cv", "c R"},
                                                     {"t, p, v", "T/Tc, p/pc, V/Vc (reduced)"},
                                                     {"s", "in units of R"},
                                                     {"h, g, u, latent heat", "in units of 8a/27b = R Tc"},
                                                     {"state", "coexistence, liquid_limit, gas_limit"}};
    for (const std::string& line : fluid)
        lines.push_back({"fluid", line});
    return lines;
}

std::string csv_of(const Table& table)
{
    std::string out;
    append_row(out, table.names);
    for (const Fields& row : table.rows)
        append_row(out, row);
    return out;
}

std::string coexistence_csv(std::string_view report) { return csv_of(coexistence_table(report)); }

std::string property_csv(std::string_view report) { return csv_of(property_table(report)); }

TableColumns columns_of(const Table& table)
{
    TableColumns out;
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

std::string tab_separated(const std::vector<Fields>& rows)
{
    std::string out;
    for (const Fields& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += '\t';
            out += row[i];
        }
        out += '\n';
    }
    return out;
}
