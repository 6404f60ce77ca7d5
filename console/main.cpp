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
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "messages.h"
#include "options.h"
#include "reply.h"
#include "report_file.h"
#include "reports.h"
#include "sweep.h"
#include "terminal.h"
#include "tables_csv.h"
#include "workbook.h"

namespace {

Messages say;

// No memory left, whatever asked for it: there may be none to throw an
// exception with either, so the run ends here, leaving the earlier files.
void out_of_memory()
{
    remove_temporaries();
    std::fprintf(stderr, "%s\n", say.out_of_memory());
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

// Says why the files were not replaced; the run's status.
int fail(const FileError& failure, const std::vector<std::string>& paths)
{
    const std::string reason = reason_of(failure.error);
    switch (failure.kind) {
    case FileError::Kind::folder:
        to_stderr(say.folder_refuses(failure.file, absolute_folder(failure.folder), reason));
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
            std::string& list = is_fresh ? fresh : kept;
            list += (list.empty() ? "" : ", ") + file;
        }
        to_stderr(say.cannot_write(failure.file, reason) + say.mixed(fresh, kept));
        break;
    }
    }
    return 1;
}

// The run itself; the files are left as they were unless it succeeds.
int run_program(const Options& options, std::vector<ReportFile>& files)
{
    double c = 1.5;
    if (options.c) {
        c = *options.c;
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
    if (options.xlsx)
        names.push_back("vdwcoex.xlsx");
    const std::string folder = options.output_dir.empty() ? "" : options.output_dir + "/";
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(folder + name);
    remove_temporaries_on_signals();
    FileError failure;
    files.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        if (!open_report(files[i], paths[i], failure))
            return fail(failure, paths);

    Output out;
    run(c, out);
    if (!options.quiet)
        console(out.console.c_str());

    std::vector<std::string> texts = {std::move(out.coexistence), std::move(out.properties)};
    if (options.csv) {
        texts.push_back(coexistence_csv(texts[0]));
        texts.push_back(property_csv(texts[1]));
    }
    if (options.xlsx) {
        std::string shown, bytes, reason;
        number(shown, c);
        int error = 0;
        if (!make_workbook(texts[0], texts[1], shown, bytes, error, reason)) {
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

    if (console_error) {
        to_stderr(say.cannot_write_console(reason_of(console_error)));
        return 1;
    }
    // On a terminal, a line of its own saying where the tables went.
    if (!options.quiet && stderr_is_terminal())
        put_text(stderr, "\n" + say.written(names, absolute_folder(options.output_dir)) + "\n");
    return 0;
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
        if (!options.output_dir.empty())
            if (const int error = folder_error(options.output_dir)) {
                to_stderr(say.no_folder(options.output_dir, reason_of(error)));
                to_stderr(say.hint());
                return 2;
            }
        status = run_program(options, files);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s\n", say.out_of_memory());
        status = 1;
    }
    for (ReportFile& file : files)
        discard_report(file);
    return status;
}
