// The two reports as CSV tables, "vdw_coex.csv" and "clatente.csv", for
// spreadsheets, pandas and the like: comma-separated, point decimals, one
// header row, one row per report row, no blank lines, CR LF line breaks.
// Every number keeps the exact digits it has in the report; the cells that
// would carry the placeholder gas volume of the liquid-limit rows (300, where
// the isotherm has no gas at that pressure) and what is computed from it are
// left empty.
#pragma once

#include <string>
#include <string_view>

// From the text of "vdw_coex.dat".
std::string coexistence_csv(std::string_view report);

// From the text of "clatente.dat".
std::string property_csv(std::string_view report);
