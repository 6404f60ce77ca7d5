// The command line, GNU style: long options (abbreviated where that is not
// ambiguous, the value after "=" or in the next argument), short options
// (bundled, the value attached or in the next argument), "--" ending the
// options. A negative number such as -2.5 is the value C, not an option.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cubic.h"
#include "messages.h"

struct Options {
    std::optional<double> c;   // from the command line; otherwise asked for
    std::string output_dir;    // empty: the current folder
    bool csv = false;
    bool xlsx = false;
    bool quiet = false;
    bool help = false;
    bool version = false;
    // Real fluids: a substance of the table, or one's own critical
    // constants (K, Pa); the state at a temperature (K) or pressure (Pa).
    std::string substance;
    bool list_substances = false;
    bool against_nature = false;  // the substance against its measured curves
    std::optional<double> tc, pc, at_temperature, at_pressure;
    // The equation of state the state and the comparison are answered by
    // (none given: van der Waals, as ever), and the acentric factor of a
    // fluid of one's own, for srk and pr.
    std::optional<Eos> eos;
    std::optional<double> omega;
    // Each of those as typed, by the option's name ("tc", "at-pressure"...),
    // for the messages that name it.
    std::map<std::string, std::string> typed;
};

// The options of args (the program's name excluded). On a usage error,
// `error` holds the line that says what is wrong.
struct ParsedOptions {
    Options options;
    std::string error;
};
ParsedOptions parse_options(const std::vector<std::string>& args, const Messages& say);
