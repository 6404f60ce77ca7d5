// vdwcoex: liquid-gas coexistence of a van der Waals fluid in reduced
// variables. Asks for c (Cv = cR), or takes it from the command line, and
// writes "vdw_coex.dat" and "clatente.dat" (and, on request, the same tables
// as CSV) in the current directory or the one named.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fluid_report.h"
#include "leftovers.h"
#include "messages.h"
#include "options.h"
#include "platform.h"
#include "reply.h"
#include "report_file.h"
#include "reports.h"
#include "state.h"
#include "substances.h"
#include "sweep.h"
#include "tables_csv.h"
#include "temporaries.h"
#include "workbook.h"

namespace {

// What the new handler says when memory runs out: it can reach nothing but
// namespace scope. Set once the language is known, and again once every
// file of the run is in place.
const char* volatile new_handler_says = "vdwcoex: memoria agotada";

// No memory left, whatever asked for it: there may be none to throw an
// exception with either, so the run ends here, leaving the earlier files.
void out_of_memory()
{
    remove_temporaries();
    std::fprintf(stderr, "%s\n", new_handler_says);
    std::_Exit(1);
}

void to_stderr(const std::string& line) { platform::put_text(stderr, line + "\n"); }

// The system's text for an errno, as the messages show it.
std::string reason_of(const Messages& say, int error)
{
    return say.es(platform::system_error(error, say.language == Language::spanish));
}

// The dialogue and the trace on standard output, and its first failure, if
// any: the reports do not depend on it.
struct Console {
    int error = 0;

    void write(const char* s)
    {
        if (std::fputs(s, stdout) == EOF || std::fflush(stdout) != 0)
            if (!error)
                error = errno ? errno : EIO;
    }
};

// Appends `name` to a list of names separated by commas.
void listed(std::string& list, const std::string& name) { list += (list.empty() ? "" : ", ") + name; }

// Says why the files were not replaced; the run's status.
int fail(const Messages& say, const FileError& failure, const std::vector<std::string>& paths)
{
    const std::string reason = reason_of(say, failure.error);
    switch (failure.kind) {
    case FileError::Kind::folder:
        to_stderr(say.folder_refuses(failure.file, platform::absolute_folder(failure.folder), reason));
        break;
    case FileError::Kind::lock:
        to_stderr(say.cannot_lock(platform::absolute_folder(failure.folder), reason));
        break;
    case FileError::Kind::create:
        to_stderr(say.cannot_create(failure.file, reason));
        break;
    case FileError::Kind::write:
        to_stderr(say.cannot_write(failure.file, reason));
        break;
    case FileError::Kind::mixed: {
        std::string fresh, kept;
        for (const std::string& file : paths) {
            const bool is_fresh = std::find(failure.fresh.begin(), failure.fresh.end(), file) != failure.fresh.end();
            listed(is_fresh ? fresh : kept, file);
        }
        std::string backups;
        for (const std::string& name : failure.kept_as)
            listed(backups, name);
        to_stderr(say.cannot_write(failure.file, reason) + say.mixed(fresh, kept) +
                  (backups.empty() ? "" : say.kept_as(backups)));
        break;
    }
    }
    return 1;
}

// A usage error: what is wrong and the hint; the run's status.
int usage(const Messages& say, const std::string& line)
{
    to_stderr(line);
    to_stderr(say.hint());
    return 2;
}

// c from the command line, the substance, or the dialogue; with a warning
// where the properties will not be physical or lose digits.
double choose_c(const Messages& say, const Options& options, const std::optional<Substance>& fluid, Console& console)
{
    double c = 1.5;
    if (options.c) {
        c = *options.c;
    } else if (!options.substance.empty()) {
        c = fluid->c;
        if (!options.quiet)
            to_stderr(say.substance_c(*fluid));
    } else {
        if (!options.quiet) {
            console.write("\n Este programa calcula vl,vg sl,sg, hl,hg");
            console.write("y calor latente en un fluido ideal de van der Waals");
            console.write("\n Teclear la cte c: ");
        }
        // When nothing can be read as a number, c stays 1.5.
        if (const auto reply = read_number(stdin))
            c = *reply;
    }
    const bool odd = !(c > 0 && std::isfinite(c));
    if (odd || c > largest_exact_c) {
        std::string shown;
        number(shown, c);
        to_stderr(odd ? say.odd_c(shown, std::isfinite(c)) : say.large_c(shown));
    }
    return c;
}

// The files a run can write, each rendered from the run in its own way.
enum class Rendering { coexistence, properties, coexistence_csv, properties_csv, coexistence_si, properties_si, workbook };

struct PlannedFile {
    std::string name;  // as the closing line says it
    std::string path;
    Rendering rendering;
};

// The run's files, in the order they are opened and committed: the two
// reports, then what the options and the fluid ask for.
std::vector<PlannedFile> plan_files(const Options& options, bool with_fluid)
{
    std::vector<std::pair<const char*, Rendering>> named = {{"vdw_coex.dat", Rendering::coexistence},
                                                            {"clatente.dat", Rendering::properties}};
    if (options.csv) {
        named.emplace_back("vdw_coex.csv", Rendering::coexistence_csv);
        named.emplace_back("clatente.csv", Rendering::properties_csv);
    }
    if (with_fluid) {
        named.emplace_back("vdw_coex_si.csv", Rendering::coexistence_si);
        named.emplace_back("clatente_si.csv", Rendering::properties_si);
    }
    if (options.xlsx)
        named.emplace_back("vdwcoex.xlsx", Rendering::workbook);
    const std::string folder = options.output_dir.empty() ? "" : options.output_dir + "/";
    std::vector<PlannedFile> files;
    for (const auto& [name, rendering] : named)
        files.push_back({name, folder + name, rendering});
    return files;
}

// What the files are rendered from: the run's reports for c and, where an
// SI table or the workbook is planned, the cells read from them.
struct RunResult {
    double c;
    Output out;
    std::vector<Sheet> sheets;       // the reduced tables, then the SI ones
    std::vector<OwnedTable> si;      // with a fluid: its SI tables
    std::vector<std::string> header; // and their header lines

    RunResult(double c_, const std::optional<Substance>& fluid, bool cells) : c(c_), out(run(c_))
    {
        if (!cells)
            return;
        sheets = {{"vdw_coex", coexistence_table(out.coexistence)}, {"clatente", property_table(out.properties)}};
        if (fluid) {
            header = si_header(*fluid, c, VDWCOEX_VERSION);
            si = {si_table(sheets[0].table, *fluid), si_table(sheets[1].table, *fluid)};
            sheets.push_back({"vdw_coex_si", view_of(si[0])});
            sheets.push_back({"clatente_si", view_of(si[1])});
        }
    }
};

// The text of one planned file; false with the line that says why where it
// cannot be made.
bool render(const Messages& say, const PlannedFile& file, const RunResult& run, std::string& text,
            std::string& why)
{
    switch (file.rendering) {
    case Rendering::coexistence: text = run.out.coexistence; return true;
    case Rendering::properties: text = run.out.properties; return true;
    case Rendering::coexistence_csv: text = coexistence_csv(run.out.coexistence); return true;
    case Rendering::properties_csv: text = property_csv(run.out.properties); return true;
    case Rendering::coexistence_si: text = si_csv(run.si[0], run.header); return true;
    case Rendering::properties_si: text = si_csv(run.si[1], run.header); return true;
    case Rendering::workbook: {
        std::string shown, reason;
        number(shown, run.c);
        int error = 0;
        if (make_workbook(run.sheets, about_lines(shown, VDWCOEX_VERSION, run.header), text, error, reason))
            return true;
        why = error == ENOMEM ? say.out_of_memory()
                              : say.cannot_write(file.path, error ? reason_of(say, error) : reason);
        return false;
    }
    }
    return false;
}

// Refuses a plan in which two names lead to one file: one table would be lost.
bool names_apart(const Messages& say, const std::vector<std::string>& paths)
{
    for (size_t i = 0; i < paths.size(); ++i)
        for (size_t j = i + 1; j < paths.size(); ++j)
            if (platform::same_file(paths[i], paths[j])) {
                to_stderr(say.one_file_twice(paths[i], paths[j]));
                return false;
            }
    return true;
}

// The run itself: its files are opened, rendered and committed together,
// and left as they were unless every one of them can be.
int run_program(const Messages& say, const Options& options, const std::optional<Substance>& fluid,
                std::vector<ReportFile>& files)
{
    Console console;
    const double c = choose_c(say, options, fluid, console);
    const std::vector<PlannedFile> plan = plan_files(options, fluid.has_value());
    std::vector<std::string> paths;
    for (const PlannedFile& file : plan)
        paths.push_back(file.path);
    if (!names_apart(say, paths))
        return 1;
    const std::string waiting = say.waiting() + "\n";
    for (const EarlierText& left : remove_leftovers(paths, waiting)) {
        const std::time_t at = static_cast<std::time_t>(left.modified);
        char when[32] = "?";
        if (const std::tm* local = std::localtime(&at))
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", local);
        to_stderr(say.earlier_left(left.backup, left.report, left.bytes, when));
    }
    remove_temporaries_on_signals();
    FileError failure;
    files.resize(plan.size());
    for (size_t i = 0; i < plan.size(); ++i)
        if (!open_report(files[i], paths[i], failure))
            return fail(say, failure, paths);

    const RunResult result(c, fluid, fluid || options.xlsx);
    if (!options.quiet)
        console.write(result.out.console.c_str());
    std::vector<std::string> texts(plan.size());
    for (size_t i = 0; i < plan.size(); ++i) {
        std::string why;
        if (!render(say, plan[i], result, texts[i], why)) {
            to_stderr(why);
            return 1;
        }
        if (!write_report(files[i], texts[i], failure))
            return fail(say, failure, paths);
    }
    if (!commit_reports(files, texts, waiting, failure))
        return fail(say, failure, paths);
    new_handler_says = say.out_of_memory_after_writing();

    if (console.error) {
        to_stderr(say.cannot_write_console(reason_of(say, console.error)));
        return 1;
    }
    // On a terminal, a line of its own saying where the tables went.
    if (!options.quiet && platform::stderr_is_terminal()) {
        std::vector<std::string> names;
        for (const PlannedFile& file : plan)
            names.push_back(file.name);
        platform::put_text(stderr, "\n" + say.written(names, platform::absolute_folder(options.output_dir)) + "\n");
    }
    return 0;
}

// --at-temperature or --at-pressure: the coexistence state there, computed
// by the model, on standard output; no file is touched.
int state_query(const Messages& say, const Options& options, const std::optional<Substance>& fluid)
{
    const char* option = options.at_temperature ? "--at-temperature" : "--at-pressure";
    if (options.at_temperature && options.at_pressure)
        return usage(say, say.at_both());
    if (!fluid)
        return usage(say, say.needs_fluid(option));
    const double given = options.at_temperature ? *options.at_temperature : *options.at_pressure;
    const std::string& typed = options.typed.at(option + 2);
    if (!(given > 0 && std::isfinite(given)))
        return usage(say, say.not_positive(option, typed));
    const double c = options.c ? *options.c : fluid->c;
    double at_t;
    if (options.at_temperature) {
        at_t = given / fluid->tc;
        if (!(at_t >= lowest_state_t && at_t < 1))
            return usage(say, say.temperature_range(typed, *fluid));
    } else {
        const double p = given / fluid->pc, lowest = lowest_state_p();
        if (!(p >= lowest && p < 1))
            return usage(say, say.pressure_range(typed, *fluid, lowest));
        at_t = t_at_pressure(p);
    }
    return platform::put_text(stdout, state_report(say, *fluid, state_at(at_t), c)) ? 0 : 1;
}

// The fluid the options name: a substance of the table, or one of the
// critical constants given; none without either. A usage error's status in
// `status`, with nothing chosen.
std::optional<Substance> chosen_fluid(const Messages& say, const Options& options, int& status)
{
    if (!options.substance.empty()) {
        const Substance* found = find_substance(options.substance);
        if (options.tc || options.pc)
            status = usage(say, say.fluid_twice());
        else if (!found)
            status = usage(say, say.unknown_substance(options.substance));
        return status ? std::nullopt : std::optional<Substance>(*found);
    }
    if (!options.tc && !options.pc)
        return std::nullopt;
    if (!options.tc || !options.pc) {
        status = usage(say, say.tc_pc_together());
        return std::nullopt;
    }
    for (const auto& [option, value] : {std::pair{"--tc", *options.tc}, std::pair{"--pc", *options.pc}})
        if (!(value > 0 && std::isfinite(value))) {
            status = usage(say, say.not_positive(option, options.typed.at(option + 2)));
            return std::nullopt;
        }
    return custom_fluid(*options.tc, *options.pc, options.c ? *options.c : 1.5);
}

// What the command line asks for, from help to a whole run.
int act(const Messages& say, const Options& options, std::vector<ReportFile>& files)
{
    if (options.help)
        return platform::put_text(stdout, say.help()) ? 0 : 1;
    std::string why;
    if (const int error = options.xlsx ? workbook_writer(why) : 0) {
        if (error == ENOMEM) {
            to_stderr(say.out_of_memory());
            return 1;
        }
        to_stderr(say.no_workbook(why));
        return 2;
    }
    if (options.version) {
        Console console;
        console.write(say.version().c_str());
        return console.error ? 1 : 0;
    }
    if (options.list_substances)
        return platform::put_text(stdout, substance_list(say)) ? 0 : 1;
    int status = 0;
    const std::optional<Substance> fluid = chosen_fluid(say, options, status);
    if (status)
        return status;
    if (options.at_temperature || options.at_pressure)
        return state_query(say, options, fluid);
    if (!options.output_dir.empty())
        if (const int error = folder_error(options.output_dir))
            return usage(say, say.no_folder(options.output_dir, reason_of(say, error)));
    return run_program(say, options, fluid, files);
}

}  // namespace

int main(int argc, char** argv)
{
    if (!platform::prepare_standard_streams())
        return 1;
    Messages say;
    say.language = language_from_environment();
    say.utf8 = platform::messages_in_utf8();
    new_handler_says = say.out_of_memory();
    std::set_new_handler(out_of_memory);
    std::vector<ReportFile> files;
    int status;
    try {
        const ParsedOptions parsed = parse_options(std::vector<std::string>(argv + (argc > 0), argv + argc), say);
        status = parsed.error.empty() ? act(say, parsed.options, files) : usage(say, parsed.error);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", new_handler_says);
        status = 1;
    }
    for (ReportFile& file : files)
        discard_report(file);
    return status;
}
