// The two reports as tables, for spreadsheets, pandas and the like: the CSV
// files "vdw_coex.csv" and "clatente.csv" (comma-separated, point decimals,
// one header row, one row per report row, no blank lines, CR LF line breaks),
// and the same cells for a workbook. Every number keeps the exact digits it
// has in the report; the cells that would carry the placeholder gas volume of
// the liquid-limit rows (300, where the isotherm has no gas at that pressure)
// and what is computed from it are left empty.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

using Fields = std::vector<std::string_view>;

// The rows of a report after the line of "=" that closes its preamble, each
// as its blank-separated fields; blank lines are passed over. The one reader
// of report rows: the tables below and the page read rows through it.
std::vector<Fields> report_rows(std::string_view report);

// A report as a table: its columns' names, their units, and its rows' cells
// (views into the report, or into fixed texts; an empty cell is empty).
struct Table {
    Fields names;
    Fields units;
    std::vector<Fields> rows;
};

// From the text of "vdw_coex.dat".
Table coexistence_table(std::string_view report);

// From the text of "clatente.dat".
Table property_table(std::string_view report);

// What a workbook's "about" sheet says of a run: lines of a name and its
// value, c as the reports print it, then each line of a fluid's header (as
// si_header gives it) under the name "fluid".
std::vector<std::array<std::string, 2>> about_lines(const std::string& c_shown, const std::string& version,
                                                    const std::vector<std::string>& fluid = {});

// A table as CSV: the names' row, then the rows.
std::string csv_of(const Table& table);

std::string coexistence_csv(std::string_view report);
std::string property_csv(std::string_view report);

// A table's columns as numbers, for the Python module's frames: a column is
// numeric where every non-empty cell reads as a number (an empty cell is
// NaN), else its cells' texts; with each column's unit.
struct TableColumns {
    std::vector<std::string> names, units;
    std::vector<std::vector<double>> numbers;     // empty for a column of texts
    std::vector<std::vector<std::string>> texts;  // empty for a numeric column
};
TableColumns columns_of(const Table& table);

// Rows of cells as text: a tab between cells, a line break after each row.
std::string tab_separated(const std::vector<Fields>& rows);
