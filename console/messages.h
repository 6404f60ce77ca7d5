// The console program's own messages: help, usage errors, warnings and
// failures, in UTF-8. They are Spanish, like the dialogue, and English where
// the locale asks for English; the dialogue and the reports never change.
#pragma once

#include <string>
#include <vector>

#include "substances.h"

enum class Language { spanish, english };

// The Spanish or the English text, as the language asks.
std::string pick(Language language, std::string spanish, std::string english);

// x with `digits` significant digits, or with `places` decimals, as printf's
// %g and %f print it.
std::string significant(double x, int digits = 6);
std::string with_decimals(double x, int places);

// English where the first of LANGUAGE, LC_ALL, LC_MESSAGES and LANG that is
// set and not empty begins with "en"; Spanish otherwise.
Language language_from_environment();

// Who the messages answer: the console's user, who gives options
// (--substance NAME), or a caller of the Python module, who gives keywords
// (substance=).
enum class Caller { console, python };

struct Messages {
    Language language = Language::spanish;
    // Spanish with its accents where the terminal takes UTF-8; plain
    // letters (a for á, n for ñ) elsewhere.
    bool utf8 = false;
    Caller caller = Caller::console;

    // What the caller gives a value by: the console's `option`, or the
    // Python module's `keyword`.
    std::string given(const std::string& option, const std::string& keyword) const;

    // A Spanish text of the program's, or the system's, as this terminal
    // shows it.
    std::string es(const std::string& text) const;

    std::string help() const;
    std::string version() const;

    // Usage errors: the line saying what is wrong, and the hint after it.
    std::string unknown_option(const std::string& option) const;
    std::string missing_value(const std::string& option) const;
    std::string unexpected_value(const std::string& option) const;
    std::string not_a_number(const std::string& argument) const;
    std::string c_given_twice() const;
    std::string no_folder(const std::string& folder, const std::string& reason) const;
    std::string empty_folder(const std::string& option) const;
    std::string hint() const;
    // --xlsx in a build without the workbook writer, or where it cannot be
    // loaded (`why`, the loader's words).
    std::string no_workbook(const std::string& why) const;

    // A reply whose number stops at a decimal comma; `shown` is c as read.
    std::string decimal_comma(const std::string& shown) const;
    // Where c is not a positive finite number; `shown` is c as the reports print it.
    std::string odd_c(const std::string& shown, bool finite) const;
    // c above the largest for which the latent heat keeps all its digits.
    std::string large_c(const std::string& shown) const;
    // The one of the two a run for c warns of, or none ("").
    std::string c_warning(double c) const;

    // A file that cannot be created or written, with the system's reason.
    std::string cannot_create(const std::string& file, const std::string& reason) const;
    std::string cannot_write(const std::string& file, const std::string& reason) const;
    // The workbook cannot be made: its scratch folder cannot be made in the
    // temporary folder.
    std::string no_scratch(const std::string& file, const std::string& folder, const std::string& reason) const;
    std::string cannot_write_console(const std::string& reason) const;
    // A new file cannot be made in the folder, neither the file nor its temporary.
    std::string folder_refuses(const std::string& file, const std::string& folder,
                               const std::string& reason) const;
    // The folder cannot be locked against other runs (it cannot be read).
    std::string cannot_lock(const std::string& folder, const std::string& reason) const;
    // Waiting for another run's lock on the folder.
    std::string waiting() const;
    // Two of the run's names lead to one file.
    std::string one_file_twice(const std::string& first, const std::string& second) const;
    // After a failure, some files new and the rest as before.
    std::string mixed(const std::string& fresh, const std::string& kept) const;
    // And the names under which the earlier texts of new files are kept.
    std::string kept_as(const std::string& names) const;
    // A file under a backup's name beside a report, which a run ended by
    // SIGKILL may have left holding the report's earlier text: kept.
    std::string earlier_left(const std::string& backup, const std::string& report, long long bytes,
                             const std::string& when) const;
    // A fixed text: nothing is allocated to say it.
    const char* out_of_memory() const;
    // The same once every file of the run was written.
    const char* out_of_memory_after_writing() const;

    // Real fluids: usage errors, the c a substance brings, the list of
    // substances and the state at a temperature or pressure.
    // Where a substance's constants come from, in the messages' language.
    std::string source_of(const Substance& fluid) const;
    std::string name_of(const Substance& fluid) const;
    std::string unknown_substance(const std::string& name) const;
    std::string fluid_twice() const;
    std::string tc_pc_together() const;
    std::string not_positive(const std::string& option, const std::string& value) const;
    std::string needs_fluid(const std::string& option) const;
    std::string needs_substance() const;
    std::string at_both() const;
    // --eos: a key that names no equation; srk or pr without the fluid's
    // acentric factor; an equation other than vdw without a fluid, or with
    // nothing to answer (no --csv, --xlsx, fluid or state asked); --omega other
    // than with --tc and --pc and srk or pr, or not a number between -1 and 2.
    std::string unknown_eos(const std::string& key) const;
    std::string eos_needs_omega(const std::string& key) const;
    std::string eos_needs_fluid(const std::string& key) const;
    std::string eos_not_for_tables(const std::string& key) const;
    std::string omega_misplaced() const;
    std::string omega_range(const std::string& typed) const;
    // A temperature (K) or pressure (Pa), as typed, out of the model's reach.
    std::string temperature_range(const std::string& temperature, const Substance& fluid) const;
    // The same where the searches reach down to lowest_t Tc (the cubic equations').
    std::string temperature_range(const std::string& temperature, const Substance& fluid, double lowest_t) const;
    std::string pressure_range(const std::string& pressure, const Substance& fluid, double lowest) const;
    std::string substance_c(const Substance& fluid) const;
    // The same in reduced variables, t or p as given; and a trial pressure
    // that does not cut the isotherm at_t three times, between the
    // stability limits' pressures (and above zero).
    std::string reduced_temperature_range(const std::string& t) const;
    std::string reduced_pressure_range(const std::string& p, double lowest) const;
    std::string trial_range(const std::string& p, double at_t, double plmin, double pgmax) const;

    // The closing line on a terminal: the files written and their folder.
    std::string written(const std::vector<std::string>& files, const std::string& folder) const;
};
