#include "tables_csv.h"

#include <array>
#include <vector>

namespace {

const std::string_view line_break = "\r\n";

// The rows after the line of "=" that closes the preamble, each split into its
// blank-separated fields; blank lines are passed over.
std::vector<std::vector<std::string_view>> rows_of(std::string_view report)
{
    const std::string rule = std::string(line_break) + std::string(90, '=') + std::string(line_break);
    const size_t at = report.find(rule);
    std::vector<std::vector<std::string_view>> rows;
    if (at == std::string_view::npos)
        return rows;
    report.remove_prefix(at + rule.size() - line_break.size());
    while (!report.empty()) {
        const size_t end = report.find(line_break);
        std::string_view line = report.substr(0, end);
        report.remove_prefix(end == std::string_view::npos ? report.size() : end + line_break.size());
        std::vector<std::string_view> fields;
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

void append_row(std::string& out, const std::vector<std::string_view>& cells)
{
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += ',';
        out += cells[i];
    }
    out += line_break;
}

}  // namespace

std::string coexistence_csv(std::string_view report)
{
    std::string out =
        "t,p,v_liquid,v_gas,v_liquid_max,p_liquid_min,v_gas_min,p_gas_max,latent_heat_8a_per_27b";
    out += line_break;
    for (const auto& row : rows_of(report))
        append_row(out, row);
    return out;
}

std::string property_csv(std::string_view report)
{
    std::string out =
        "t,state,p,v_liquid,v_gas,s_liquid_per_R,s_gas_per_R,h_liquid_8a_per_27b,h_gas_8a_per_27b,"
        "g_liquid_8a_per_27b,g_gas_8a_per_27b,u_liquid_8a_per_27b,u_gas_8a_per_27b";
    out += line_break;
    // Fields of a row: t, state, p, vl, vg, sl, sg, hl, hg, gl, gg, ul, ug.
    const size_t state = 1, vg = 4;
    const std::array<size_t, 5> gas_cells = {vg, 6, 8, 10, 12};
    for (auto row : rows_of(report)) {
        if (row.size() <= state) {
            append_row(out, row);
            continue;
        }
        const std::string_view name = row[state];
        const bool placeholder = name == "limliq" && row.size() > vg && row[vg] == "300.000000";
        row[state] = name == "eq" ? "coexistence" : name == "limliq" ? "liquid_limit"
                   : name == "limgas" ? "gas_limit" : name;
        if (placeholder)
            for (size_t i : gas_cells)
                if (i < row.size())
                    row[i] = {};
        append_row(out, row);
    }
    return out;
}
