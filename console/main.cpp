// vdwcoex: liquid-gas coexistence of a van der Waals fluid in reduced
// variables. Asks for c (Cv = cR), or takes it from the command line, and
// writes "vdw_coex.dat" and "clatente.dat" (and, on request, the same tables
// as CSV) in the current directory or the one named.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fluid_report.h"
#include "messages.h"
#include "options.h"
#include "platform.h"
#include "reply.h"
#include "report_file.h"
#include "run_files.h"
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
        // When nothing can be read as a number, c stays 1.5. A decimal
        // comma ends the number, as the C library reads it: said, not mended.
        if (const auto reply = read_number(stdin)) {
            c = *reply;
            if (decimal_comma_follows(stdin)) {
                std::string shown;
                number(shown, c);
                to_stderr(say.decimal_comma(shown));
            }
        }
    }
    if (const std::string warning = say.c_warning(c); !warning.empty())
        to_stderr(warning);
    return c;
}

// The run itself: its files are opened, rendered and committed together,
// and left as they were unless every one of them can be.
int run_program(const Messages& say, const Options& options, const std::optional<Substance>& fluid,
                std::vector<ReportFile>& files)
{
    if (!options.output_dir.empty())
        if (const int error = folder_error(options.output_dir))
            return usage(say, say.no_folder(options.output_dir, reason_of(say, error)));
    Console console;
    const double c = choose_c(say, options, fluid, console);
    const Eos eos = options.eos.value_or(Eos::vdw);
    const std::vector<PlannedFile> plan = plan_files(options.output_dir, options.csv, options.xlsx, fluid.has_value(),
                                                     options.against_nature ? fluid->key : "", eos);
    remove_temporaries_on_signals();
    std::string why;
    const bool written = replace_run_files(
        say, plan, files, [](const std::string& line) { to_stderr(line); },
        [&] { return RunResult(c, fluid, fluid || options.xlsx, options.against_nature, eos); },
        [&](const RunResult& result) {
            if (!options.quiet)
                console.write(result.out.console.c_str());
        },
        why);
    if (!written) {
        to_stderr(why);
        return 1;
    }
    new_handler_says = say.out_of_memory_after_writing();

    if (console.error) {
        to_stderr(say.cannot_write_console(reason_of(say, console.error)));
        return 1;
    }
    // The comparison is the result asked for, not a trace: printed quiet too.
    if (options.against_nature &&
        !platform::put_text(stdout, (options.quiet ? "" : "\n") + (eos == Eos::vdw ? nature_report(say, *fluid)
                                                                               : equations_nature_report(say, *fluid, eos))))
        return 1;
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
    std::string why;
    const std::optional<double> at_t = coexistence_t(say, given, options.at_temperature.has_value(), &*fluid, typed, why);
    if (!at_t)
        return usage(say, why);
    return platform::put_text(stdout, state_report(say, *fluid, state_at(*at_t), c, options.at_pressure.has_value())) ? 0 : 1;
}

// --eos rk, srk or pr: the saturation state at --at-temperature or
// --at-pressure on standard output, no file touched; or a run whose files
// carry the equation's tables beside the van der Waals ones (--csv, --xlsx,
// a fluid's SI tables) and, with --against-nature, its model-and-measured
// table and the substance against the equations.
int by_equation(const Messages& say, const Options& options, std::optional<Substance> fluid,
                   std::vector<ReportFile>& files)
{
    const Eos eos = *options.eos;
    const bool at = options.at_temperature || options.at_pressure;
    const auto typed_omega = options.typed.find("omega");
    const std::string lacks = equation_fluid(say, eos, fluid, fluid && options.substance.empty(), options.omega,
                                             typed_omega == options.typed.end() ? "" : typed_omega->second,
                                             !at && !options.against_nature);
    if (!lacks.empty())
        return usage(say, lacks);
    if (options.against_nature && options.substance.empty())
        return usage(say, say.needs_substance());
    if (!at) {
        if (!options.against_nature && !options.csv && !options.xlsx && !fluid)
            return usage(say, say.eos_not_for_tables(eos_key(eos)));
        return run_program(say, options, fluid, files);
    }
    const char* option = options.at_temperature ? "--at-temperature" : "--at-pressure";
    if (options.at_temperature && options.at_pressure)
        return usage(say, say.at_both());
    const double given = options.at_temperature ? *options.at_temperature : *options.at_pressure;
    const std::string& typed = options.typed.at(option + 2);
    if (!(given > 0 && std::isfinite(given)))
        return usage(say, say.not_positive(option, typed));
    std::string why;
    const std::optional<EquationState> state =
        equation_state_for(say, *fluid, eos, given, options.at_temperature.has_value(), typed, why);
    if (!state)
        return usage(say, why);
    return platform::put_text(stdout, equation_state_report(say, *fluid, eos, *state, options.at_pressure.has_value()))
               ? 0
               : 1;
}

// The fluid the options name: a substance of the table, or one of the
// critical constants given; none without either. A usage error's status in
// `status`, with nothing chosen.
std::optional<Substance> chosen_fluid(const Messages& say, const Options& options, int& status)
{
    const auto typed = [&](const char* option) {
        const auto found = options.typed.find(option);
        return found == options.typed.end() ? std::string() : found->second;
    };
    std::string why;
    const std::optional<Substance> fluid = fluid_asked(
        say, options.substance.empty() ? std::nullopt : std::optional<std::string>(options.substance), options.tc,
        options.pc, options.c ? *options.c : 1.5, typed("tc"), typed("pc"), why);
    if (!why.empty())
        status = usage(say, why);
    return fluid;
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
    // --omega gives a fluid of one's own its acentric factor, for srk and pr.
    if (options.omega && !omega_placed(options.eos.value_or(Eos::vdw), !options.substance.empty(), options.tc.has_value()))
        return usage(say, say.omega_misplaced());
    if (options.eos && *options.eos != Eos::vdw)
        return by_equation(say, options, fluid, files);
    if (options.against_nature && options.substance.empty())
        return usage(say, say.needs_substance());
    if (options.at_temperature || options.at_pressure)
        return state_query(say, options, fluid);
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
