// vdwcoex: liquid-gas coexistence of a van der Waals fluid in reduced
// variables. Asks for c (Cv = cR) and writes "vdw_coex.dat" and "clatente.dat"
// in the current directory.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "reply.h"
#include "report_file.h"
#include "sweep.h"

namespace {

const char* const coexistence_file = "vdw_coex.dat";
const char* const property_file = "clatente.dat";

int fail(const char* what, const char* file, int error)
{
    std::fprintf(stderr, "vdwcoex: cannot %s %s: %s\n", what, file, std::strerror(error));
    return 1;
}

// The console's first failure, if any: the reports do not depend on it.
int console_error = 0;

void console(const char* s)
{
    if (std::fputs(s, stdout) == EOF || std::fflush(stdout) != 0)
        if (!console_error)
            console_error = errno ? errno : EIO;
}

// The run itself; the reports are left as they were unless it succeeds.
int run_program(ReportFile (&reports)[2])
{
    double c = 1.5;
    console("\n Este programa calcula vl,vg sl,sg, hl,hg");
    console("y calor latente en un fluido ideal de van der Waals");
    console("\n Teclear la cte c: ");
    // When nothing can be read as a number, c stays 1.5.
    if (const auto reply = read_number(stdin))
        c = *reply;

    remove_temporaries_on_signals();
    const char* const names[2] = {coexistence_file, property_file};
    for (int i = 0; i < 2; ++i)
        if (const int error = open_report(reports[i], names[i]))
            return fail("create", names[i], error);

    Output out;
    run(c, out);
    console(out.console.c_str());

    const std::string* const texts[2] = {&out.coexistence, &out.properties};
    for (int i = 0; i < 2; ++i)
        if (const int error = write_report(reports[i], *texts[i]))
            return fail("write", names[i], error);
    hold_signals(true);
    int error = 0;
    int i = 0;
    for (; i < 2 && !error; ++i)
        error = commit_report(reports[i]);
    hold_signals(false);
    if (error)
        return fail("write", names[i - 1], error);

    if (console_error)
        return fail("write", "standard output", console_error);
    return 0;
}

}  // namespace

int main()
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
    ReportFile reports[2];
    int status;
    try {
        status = run_program(reports);
    } catch (const std::bad_alloc&) {
        std::fputs("vdwcoex: out of memory\n", stderr);
        status = 1;
    }
    for (ReportFile& report : reports)
        discard_report(report);
    return status;
}
