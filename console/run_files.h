// The files a run writes, planned, rendered from the run and replaced
// together or not at all: what the console program and the Python module's
// write_reports share.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cubic.h"
#include "equations.h"
#include "messages.h"
#include "report_file.h"
#include "substances.h"
#include "sweep.h"
#include "workbook.h"

// The files a run can write, each rendered from the run in its own way.
enum class Rendering {
    coexistence, properties, coexistence_csv, properties_csv, coexistence_si, properties_si, nature, workbook,
    // Another equation's tables beside them (rk_coex.csv...).
    equation_coexistence_csv, equation_properties_csv, equation_coexistence_si, equation_properties_si,
    equation_nature
};

struct PlannedFile {
    std::string name;  // as the closing line says it
    std::string path;
    Rendering rendering;
};

// The run's files, in the order they are opened and committed: the two
// reports, then the CSV tables, the SI tables where there is a fluid, and
// the substance's model-and-measured table (nature_<key>.csv) where
// `nature_key` names it, and the workbook. `output_dir` is the folder, or
// "" for the current one. With an equation other than van der Waals'
// (`eos`), its tables come after the van der Waals ones they parallel,
// named by its key (rk_coex.csv, rk_clatente.csv, rk_coex_si.csv,
// rk_clatente_si.csv), and its model-and-measured table, nature_<eos>_<key>.csv,
// instead of the van der Waals one; the reports are written as ever.
std::vector<PlannedFile> plan_files(const std::string& output_dir, bool csv, bool xlsx, bool with_fluid,
                                    const std::string& nature_key = "", Eos eos = Eos::vdw);

// What the files are rendered from: the run's reports for c and, where an
// SI table or the workbook is planned, the cells read from them.
struct RunResult {
    double c;
    Output out;
    std::vector<Sheet> sheets;       // the reduced tables, then the SI ones
    std::vector<OwnedTable> si;      // with a fluid: its SI tables
    std::vector<std::string> header; // and their header lines
    std::string nature;              // where asked: the substance's model-and-measured table
    // With another equation (eos): its tables, reduced then in SI units
    // with a fluid, their header lines, and its model-and-measured table.
    Eos eos = Eos::vdw;
    std::vector<OwnedTable> equation;
    std::vector<std::string> equation_header, equation_si_header;

    RunResult(double c_, const std::optional<Substance>& fluid, bool cells, bool against_nature = false,
              Eos eos_ = Eos::vdw);
};

// Under the lock on their folder, removes what killed runs left beside the
// planned files; the lines that say what is kept for its earlier text.
std::vector<std::string> clear_leftovers(const Messages& say, const std::vector<PlannedFile>& plan,
                                         const std::string& waiting_line);

// False, with the line that says why, where two of the plan's names lead to
// one file: one table would be lost.
bool names_apart(const Messages& say, const std::vector<PlannedFile>& plan, std::string& why);

// Opens every planned file (`files` gets one each). False, with the line
// that says why, where one cannot be opened, and the system's errno in
// `error` where it is asked for and there is one.
bool open_planned(const Messages& say, const std::vector<PlannedFile>& plan, std::vector<ReportFile>& files,
                  std::string& why, int* error = nullptr);

// Renders each planned file from `run`, writes it and commits them all.
// False, with what to say, where any of it fails: the files are then as
// the failure's message says (every one as before, unless it says not);
// the errno as open_planned gives it.
bool write_planned(const Messages& say, const std::vector<PlannedFile>& plan, const RunResult& run,
                   std::vector<ReportFile>& files, const std::string& waiting_line, std::string& why,
                   int* error = nullptr);

// The system's text for an errno, as the messages show it.
std::string reason_of(const Messages& say, int error);

// A run's files replaced together or not at all, the one sequence the
// console and the Python module share: the names checked apart, what killed
// runs left cleared (`tell` gets each line said of it), every file opened,
// then the run made by `compute` (only once all are open, so that a folder
// that refuses them costs no sweep) and handed to `computed`, and the files
// rendered from it and committed. False, with the line that says why and
// the errno as open_planned gives it.
bool replace_run_files(const Messages& say, const std::vector<PlannedFile>& plan, std::vector<ReportFile>& files,
                       const std::function<void(const std::string&)>& tell, const std::function<RunResult()>& compute,
                       const std::function<void(const RunResult&)>& computed, std::string& why, int* error = nullptr);

// The console's run without its dialogue, as the Python module's
// write_reports makes it: the files for c in `folder` (with the fluid's SI
// tables and another equation's, as plan_files names them), replaced
// together or not at all. Returns the status the console would exit with
// (0, 1 for a failure, 2 for a usage error: an empty or missing folder, no
// workbook writer); `lines` gets what it would say on standard error, last
// the failure's line, `written` the paths, and `error` the errno of a
// failure where the system gave one (0 otherwise).
int write_run(const Messages& say, const std::string& folder, double c, bool csv, bool xlsx,
              const std::optional<Substance>& fluid, Eos eos, std::vector<std::string>& lines,
              std::vector<std::string>& written, int& error);
