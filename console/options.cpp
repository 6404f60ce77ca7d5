#include "options.h"

#include <cstddef>
#include <string>

#include "reply.h"

namespace {

struct LongOption {
    const char* name;
    char short_name;           // '\0' where there is none
    bool takes_value;
    bool Options::*flag;       // what an option without a value turns on
    std::optional<double> Options::*number = nullptr;  // where a numeric value goes
    // The fewest letters that abbreviate it: --omega takes two, as --o
    // abbreviated --output-dir before it came.
    size_t shortest = 1;
};

const LongOption long_options[] = {
    {"c", 'c', true, nullptr},                   {"output-dir", 'o', true, nullptr},
    {"csv", '\0', false, &Options::csv},         {"xlsx", '\0', false, &Options::xlsx},
    {"quiet", 'q', false, &Options::quiet},
    {"help", 'h', false, &Options::help},        {"version", 'V', false, &Options::version},
    {"substance", '\0', true, nullptr},          {"list-substances", '\0', false, &Options::list_substances},
    {"tc", '\0', true, nullptr, &Options::tc},   {"pc", '\0', true, nullptr, &Options::pc},
    {"at-temperature", '\0', true, nullptr, &Options::at_temperature},
    {"at-pressure", '\0', true, nullptr, &Options::at_pressure},
    {"against-nature", '\0', false, &Options::against_nature},
    {"eos", '\0', true, nullptr},
    {"omega", '\0', true, nullptr, &Options::omega, 2},
};
const LongOption& substance = long_options[7];
const LongOption& value_c = long_options[0];
const LongOption& equation = long_options[14];

// The option named exactly `name`, or else the only one it abbreviates.
const LongOption* find_long(const std::string& name)
{
    const LongOption* found = nullptr;
    int matches = 0;
    for (const LongOption& option : long_options) {
        const std::string full = option.name;
        if (name == full)
            return &option;
        if (name.size() >= option.shortest && full.compare(0, name.size(), name) == 0) {
            found = &option;
            ++matches;
        }
    }
    return matches == 1 ? found : nullptr;
}

const LongOption* find_short(char name)
{
    for (const LongOption& option : long_options)
        if (option.short_name == name)
            return &option;
    return nullptr;
}

// Takes one option with its value into options, `shown` as the command line
// spelled it; false with the error set.
bool take(Options& options, const LongOption& option, const std::string& value, const std::string& shown,
          std::string& error, const Messages& say)
{
    if (option.flag) {
        options.*option.flag = true;
        return true;
    }
    if (option.number) {
        options.typed[option.name] = value;
        options.*option.number = read_whole_number(value);
        if (!(options.*option.number)) {
            error = say.not_a_number(value);
            return false;
        }
        return true;
    }
    if (&option == &equation) {
        Eos eos = Eos::vdw;
        if (!eos_from_key(value, eos)) {
            error = say.unknown_eos(value);
            return false;
        }
        options.eos = eos;
        return true;
    }
    if (&option == &substance) {
        // An empty name would quietly mean no substance at all.
        if (value.empty()) {
            error = say.unknown_substance(value);
            return false;
        }
        options.substance = value;
        return true;
    }
    if (&option != &value_c) {
        // An empty name would quietly mean the current folder.
        if (value.empty()) {
            error = say.empty_folder(shown);
            return false;
        }
        options.output_dir = value;
        return true;
    }
    if (options.c) {
        error = say.c_given_twice();
        return false;
    }
    options.c = read_whole_number(value);
    if (!options.c) {
        error = say.not_a_number(value);
        return false;
    }
    return true;
}

}  // namespace

ParsedOptions parse_options(const std::vector<std::string>& args, const Messages& say)
{
    ParsedOptions parsed;
    Options& options = parsed.options;
    std::string& error = parsed.error;
    bool only_values = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool number = static_cast<bool>(read_whole_number(arg));
        if (only_values || arg.size() < 2 || arg[0] != '-' || number) {
            if (!take(options, value_c, arg, arg, error, say))
                return parsed;
            continue;
        }
        if (arg == "--") {
            only_values = true;
            continue;
        }
        if (arg[1] == '-') {
            const size_t equals = arg.find('=');
            const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
            const LongOption* option = find_long(name);
            if (!option) {
                error = say.unknown_option(arg.substr(0, equals));
                return parsed;
            }
            const std::string shown = std::string("--") + option->name;
            std::string value;
            if (equals != std::string::npos) {
                if (!option->takes_value) {
                    error = say.unexpected_value(shown);
                    return parsed;
                }
                value = arg.substr(equals + 1);
            } else if (option->takes_value) {
                if (i + 1 == args.size()) {
                    error = say.missing_value(shown);
                    return parsed;
                }
                value = args[++i];
            }
            if (!take(options, *option, value, shown, error, say))
                return parsed;
            continue;
        }
        // A bundle of short options; one that takes a value ends it.
        for (size_t k = 1; k < arg.size(); ++k) {
            const std::string shown = std::string("-") + arg[k];
            const LongOption* option = find_short(arg[k]);
            if (!option) {
                // In "-q-" the unknown option is "-", not "--".
                error = say.unknown_option(arg[k] == '-' ? std::string("-") : shown);
                return parsed;
            }
            std::string value;
            if (option->takes_value) {
                if (k + 1 < arg.size()) {
                    value = arg.substr(k + 1);
                } else if (i + 1 < args.size()) {
                    value = args[++i];
                } else {
                    error = say.missing_value(shown);
                    return parsed;
                }
                k = arg.size();
            }
            if (!take(options, *option, value, shown, error, say))
                return parsed;
        }
    }
    return parsed;
}
