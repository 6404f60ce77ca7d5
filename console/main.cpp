// vdwcoex: liquid-gas coexistence of a van der Waals fluid in reduced
// variables. Asks for c (Cv = cR), or takes it from the command line, and
// writes "vdw_coex.dat" and "clatente.dat" (and, on request, the same tables
// as CSV) in the current directory or the one named.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "fluid_report.h"
#include "messages.h"
#include "options.h"
#include "reply.h"
#include "report_file.h"
#include "reports.h"
#include "state.h"
#include "substances.h"
#include "sweep.h"
#include "terminal.h"
#include "tables_csv.h"
#include "workbook.h"

namespace {

Messages say;

// Set once every file of the run is in place.
bool files_written = false;

// No memory left, whatever asked for it: there may be none to throw an
// exception with either, so the run ends here, leaving the earlier files.
void out_of_memory()
{
    remove_temporaries();
    std::fprintf(stderr, "%s\n", files_written ? say.out_of_memory_after_writing() : say.out_of_memory());
    std::_Exit(1);
}

void to_stderr(const std::string& line) { put_text(stderr, line + "\n"); }

// The system's text for an errno, as the messages show it.
std::string reason_of(int error) { return say.es(system_error(error, say.language)); }

// The console's first failure, if any: the reports do not depend on it.
int console_error = 0;

void console(const char* s)
{
    if (std::fputs(s, stdout) == EOF || std::fflush(stdout) != 0)
        if (!console_error)
            console_error = errno ? errno : EIO;
}

// Appends `name` to a list of names separated by commas.
void listed(std::string& list, const std::string& name) { list += (list.empty() ? "" : ", ") + name; }

// Says why the files were not replaced; the run's status.
int fail(const FileError& failure, const std::vector<std::string>& paths)
{
    const std::string reason = reason_of(failure.error);
    switch (failure.kind) {
    case FileError::Kind::folder:
        to_stderr(say.folder_refuses(failure.file, absolute_folder(failure.folder), reason));
        break;
    case FileError::Kind::lock:
        to_stderr(say.cannot_lock(absolute_folder(failure.folder), reason));
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
int usage(const std::string& line)
{
    to_stderr(line);
    to_stderr(say.hint());
    return 2;
}

// The run itself; the files are left as they were unless it succeeds. With
// a fluid, its SI tables are written too.
int run_program(const Options& options, const std::optional<Substance>& fluid, std::vector<ReportFile>& files)
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
            console("\n Este programa calcula vl,vg sl,sg, hl,hg");
            console("y calor latente en un fluido ideal de van der Waals");
            console("\n Teclear la cte c: ");
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

    std::vector<std::string> names = {"vdw_coex.dat", "clatente.dat"};
    if (options.csv) {
        names.push_back("vdw_coex.csv");
        names.push_back("clatente.csv");
    }
    if (fluid) {
        names.push_back("vdw_coex_si.csv");
        names.push_back("clatente_si.csv");
    }
    if (options.xlsx)
        names.push_back("vdwcoex.xlsx");
    const std::string folder = options.output_dir.empty() ? "" : options.output_dir + "/";
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(folder + name);
    for (size_t i = 0; i < paths.size(); ++i)
        for (size_t j = i + 1; j < paths.size(); ++j)
            if (same_file(paths[i], paths[j])) {
                to_stderr(say.one_file_twice(paths[i], paths[j]));
                return 1;
            }
    say_when_waiting(say.waiting());
    remove_leftovers(paths);
    remove_temporaries_on_signals();
    FileError failure;
    files.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        if (!open_report(files[i], paths[i], failure))
            return fail(failure, paths);

    Output out = run(c);
    if (!options.quiet)
        console(out.console.c_str());

    std::vector<std::string> texts = {std::move(out.coexistence), std::move(out.properties)};
    if (options.csv) {
        texts.push_back(coexistence_csv(texts[0]));
        texts.push_back(property_csv(texts[1]));
    }
    // The tables' cells, read from the reports only where a workbook or SI
    // tables need them.
    std::vector<Sheet> sheets;
    if (fluid || options.xlsx)
        sheets = {{"vdw_coex", coexistence_table(texts[0])}, {"clatente", property_table(texts[1])}};
    std::vector<OwnedTable> si;
    std::vector<std::string> header;
    if (fluid) {
        header = si_header(*fluid, c, VDWCOEX_VERSION);
        si = {si_table(sheets[0].table, *fluid), si_table(sheets[1].table, *fluid)};
        texts.push_back(si_csv(si[0], header));
        texts.push_back(si_csv(si[1], header));
        sheets.push_back({"vdw_coex_si", view_of(si[0])});
        sheets.push_back({"clatente_si", view_of(si[1])});
    }
    if (options.xlsx) {
        std::string shown, bytes, reason;
        number(shown, c);
        int error = 0;
        if (!make_workbook(sheets, about_lines(shown, VDWCOEX_VERSION, header), bytes, error, reason)) {
            to_stderr(say.cannot_write(paths.back(), error ? reason_of(error) : reason));
            return 1;
        }
        texts.push_back(std::move(bytes));
    }
    for (size_t i = 0; i < files.size(); ++i)
        if (!write_report(files[i], texts[i], failure))
            return fail(failure, paths);
    if (!commit_reports(files, texts, failure))
        return fail(failure, paths);
    files_written = true;

    if (console_error) {
        to_stderr(say.cannot_write_console(reason_of(console_error)));
        return 1;
    }
    // On a terminal, a line of its own saying where the tables went.
    if (!options.quiet && stderr_is_terminal())
        put_text(stderr, "\n" + say.written(names, absolute_folder(options.output_dir)) + "\n");
    return 0;
}

// --at-temperature or --at-pressure: the coexistence state there, computed
// by the model, on standard output; no file is touched.
int state_query(const Options& options, const std::optional<Substance>& fluid)
{
    const char* option = options.at_temperature ? "--at-temperature" : "--at-pressure";
    if (options.at_temperature && options.at_pressure)
        return usage(say.at_both());
    if (!fluid)
        return usage(say.needs_fluid(option));
    const double given = options.at_temperature ? *options.at_temperature : *options.at_pressure;
    if (!(given > 0 && std::isfinite(given)))
        return usage(say.not_positive(option, std::to_string(given)));
    const double c = options.c ? *options.c : fluid->c;
    double at_t;
    if (options.at_temperature) {
        at_t = given / fluid->tc;
        if (!(at_t >= lowest_state_t && at_t < 1))
            return usage(say.temperature_range(given, *fluid));
    } else {
        const double p = given / fluid->pc, lowest = lowest_state_p();
        if (!(p >= lowest && p < 1))
            return usage(say.pressure_range(given, *fluid, lowest));
        at_t = t_at_pressure(p);
    }
    return put_text(stdout, state_report(say, *fluid, state_at(at_t), c)) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
#ifndef _WIN32
    // A closed standard stream would hand its number to the first report
    // opened; hold its place with a stream that can be read but not written.
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDONLY) != fd)
            return 1;
    // A console or report that cannot take more must fail the write, not end
    // the run before the reports are complete.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    say.language = language_from_environment();
    say.utf8 = messages_in_utf8();
    std::set_new_handler(out_of_memory);
    std::vector<ReportFile> files;
    int status;
    try {
        const ParsedOptions parsed = parse_options(std::vector<std::string>(argv + (argc > 0), argv + argc), say);
        const Options& options = parsed.options;
        if (!parsed.error.empty()) {
            to_stderr(parsed.error);
            to_stderr(say.hint());
            return 2;
        }
        if (options.help) {
            return put_text(stdout, say.help()) ? 0 : 1;
        }
        if (options.xlsx && !workbook_available()) {
            to_stderr(say.no_workbook());
            return 2;
        }
        if (options.version) {
            console(say.version().c_str());
            return console_error ? 1 : 0;
        }
        if (options.list_substances)
            return put_text(stdout, substance_list(say)) ? 0 : 1;
        std::optional<Substance> fluid;
        if (!options.substance.empty()) {
            if (options.tc || options.pc)
                return usage(say.fluid_twice());
            const Substance* found = find_substance(options.substance);
            if (!found)
                return usage(say.unknown_substance(options.substance));
            fluid = *found;
        } else if (options.tc || options.pc) {
            if (!options.tc || !options.pc)
                return usage(say.tc_pc_together());
            for (const auto& [option, value] : {std::pair{"--tc", *options.tc}, std::pair{"--pc", *options.pc}})
                if (!(value > 0 && std::isfinite(value)))
                    return usage(say.not_positive(option, std::to_string(value)));
            fluid = custom_fluid(*options.tc, *options.pc, options.c ? *options.c : 1.5);
        }
        if (options.at_temperature || options.at_pressure)
            return state_query(options, fluid);
        if (!options.output_dir.empty())
            if (const int error = folder_error(options.output_dir))
                return usage(say.no_folder(options.output_dir, reason_of(error)));
        status = run_program(options, fluid, files);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", files_written ? say.out_of_memory_after_writing() : say.out_of_memory());
        status = 1;
    }
    for (ReportFile& file : files)
        discard_report(file);
    return status;
}
