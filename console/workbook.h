// The two tables in one workbook, "vdwcoex.xlsx", that a spreadsheet opens
// with numbers in any locale: a sheet per table with real numbers (the
// report's digits), two frozen header rows (the CSV's column names and their
// units), empty cells where the CSV has them, and a sheet saying c and the
// program's version. Written with libxlsxwriter where the build has it.
#pragma once

#include <string>

// Whether this build can write the workbook.
bool workbook_available();

// The workbook's bytes for a run's two reports and its c (as the reports
// print it); false where it cannot be made, with `error` the errno that says
// why or, where the library says why, 0 and its `reason`.
bool make_workbook(const std::string& coexistence_report, const std::string& property_report,
                   const std::string& c_shown, std::string& bytes, int& error, std::string& reason);
