// The tables in one workbook, "vdwcoex.xlsx", that a spreadsheet opens with
// numbers in any locale: a sheet per table with real numbers (the report's
// digits), two frozen header rows (the CSV's column names and their units),
// empty cells where the CSV has them, and a sheet saying c and the
// program's version. Written with libxlsxwriter where the build has it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tables_csv.h"

// Whether this build can write the workbook now: 0 where it can; where the
// library cannot be loaded, ENOMEM for want of memory and ENOENT otherwise,
// with the loader's words in `why`; ENOSYS where it was built without one.
int workbook_writer(std::string& why);

// A sheet of the workbook: its name and its table.
struct Sheet {
    std::string name;
    Table table;
};

// The workbook's bytes: the sheets, then one named "about" with the lines
// given (a name and its value each); false where it cannot be made, with
// `error` the errno that says why (ENOMEM: memory ran out) or, where the
// library says why, 0 and its `reason`; where the temporary folder takes no
// scratch file, `refused` names it. The scratch files it needs are removed
// by a signal that ends the run, and a later workbook's making removes those
// of runs that were killed, and nothing it did not make.
bool make_workbook(const std::vector<Sheet>& sheets, const std::vector<std::array<std::string, 2>>& about,
                   std::string& bytes, int& error, std::string& reason, std::string& refused);
