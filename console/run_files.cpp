#include "run_files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <ctime>
#include <utility>

#include "leftovers.h"
#include "nature.h"
#include "platform.h"
#include "reports.h"
#include "tables_csv.h"

std::string reason_of(const Messages& say, int error)
{
    return say.es(platform::system_error(error, say.language == Language::spanish));
}

namespace {

// Appends `name` to a list of names separated by commas.
void listed(std::string& list, const std::string& name) { list += (list.empty() ? "" : ", ") + name; }

// What to say of a failure to replace the files.
std::string failure_message(const Messages& say, const FileError& failure, const std::vector<std::string>& paths)
{
    const std::string reason = reason_of(say, failure.error);
    switch (failure.kind) {
    case FileError::Kind::folder:
        return say.folder_refuses(failure.file, platform::absolute_folder(failure.folder), reason);
    case FileError::Kind::lock:
        return say.cannot_lock(platform::absolute_folder(failure.folder), reason);
    case FileError::Kind::create:
        return say.cannot_create(failure.file, reason);
    case FileError::Kind::write:
        return say.cannot_write(failure.file, reason);
    case FileError::Kind::mixed: {
        std::string fresh, kept;
        for (const std::string& file : paths) {
            const bool is_fresh = std::find(failure.fresh.begin(), failure.fresh.end(), file) != failure.fresh.end();
            listed(is_fresh ? fresh : kept, file);
        }
        std::string backups;
        for (const std::string& name : failure.kept_as)
            listed(backups, name);
        return say.cannot_write(failure.file, reason) + say.mixed(fresh, kept) +
               (backups.empty() ? "" : say.kept_as(backups));
    }
    }
    return say.cannot_write(failure.file, reason);
}

std::vector<std::string> paths_of(const std::vector<PlannedFile>& plan)
{
    std::vector<std::string> paths;
    for (const PlannedFile& file : plan)
        paths.push_back(file.path);
    return paths;
}

// The text of one planned file; false with the line that says why where it
// cannot be made.
bool render(const Messages& say, const PlannedFile& file, const RunResult& run, std::string& text,
            std::string& why, int& error)
{
    switch (file.rendering) {
    case Rendering::coexistence: text = run.out.coexistence; return true;
    case Rendering::properties: text = run.out.properties; return true;
    case Rendering::coexistence_csv: text = coexistence_csv(run.out.coexistence); return true;
    case Rendering::properties_csv: text = property_csv(run.out.properties); return true;
    case Rendering::coexistence_si: text = si_csv(run.si[0], run.header); return true;
    case Rendering::properties_si: text = si_csv(run.si[1], run.header); return true;
    case Rendering::nature: text = run.nature; return true;
    case Rendering::equation_coexistence_csv: text = si_csv(run.equation[0], run.equation_header); return true;
    case Rendering::equation_properties_csv: text = si_csv(run.equation[1], run.equation_header); return true;
    case Rendering::equation_coexistence_si: text = si_csv(run.equation[2], run.equation_si_header); return true;
    case Rendering::equation_properties_si: text = si_csv(run.equation[3], run.equation_si_header); return true;
    case Rendering::equation_nature: text = run.nature; return true;
    case Rendering::workbook: {
        std::string shown, reason, refused;
        number(shown, run.c);
        std::vector<std::array<std::string, 2>> about = about_lines(shown, VDWCOEX_VERSION, run.header);
        for (const std::string& line : run.equation_header)
            about.push_back({eos_key(run.eos), line});
        if (make_workbook(run.sheets, about, text, error, reason, refused))
            return true;
        why = error == ENOMEM     ? say.out_of_memory()
              : !refused.empty() ? say.no_scratch(file.path, refused, reason_of(say, error))
                                 : say.cannot_write(file.path, error ? reason_of(say, error) : reason);
        return false;
    }
    }
    return false;
}

}  // namespace

std::vector<PlannedFile> plan_files(const std::string& output_dir, bool csv, bool xlsx, bool with_fluid,
                                    const std::string& nature_key, Eos eos)
{
    std::vector<std::pair<std::string, Rendering>> named = {{"vdw_coex.dat", Rendering::coexistence},
                                                            {"clatente.dat", Rendering::properties}};
    const bool other = eos != Eos::vdw;
    const std::string key = std::string(eos_key(eos)) + "_";
    if (csv) {
        named.emplace_back("vdw_coex.csv", Rendering::coexistence_csv);
        named.emplace_back("clatente.csv", Rendering::properties_csv);
        if (other) {
            named.emplace_back(key + "coex.csv", Rendering::equation_coexistence_csv);
            named.emplace_back(key + "clatente.csv", Rendering::equation_properties_csv);
        }
    }
    if (with_fluid) {
        named.emplace_back("vdw_coex_si.csv", Rendering::coexistence_si);
        named.emplace_back("clatente_si.csv", Rendering::properties_si);
        if (other) {
            named.emplace_back(key + "coex_si.csv", Rendering::equation_coexistence_si);
            named.emplace_back(key + "clatente_si.csv", Rendering::equation_properties_si);
        }
    }
    if (!nature_key.empty())
        named.emplace_back("nature_" + (other ? key : "") + nature_key + ".csv",
                           other ? Rendering::equation_nature : Rendering::nature);
    if (xlsx)
        named.emplace_back("vdwcoex.xlsx", Rendering::workbook);
    const std::string folder = output_dir.empty() ? "" : output_dir + "/";
    std::vector<PlannedFile> files;
    for (const auto& [name, rendering] : named)
        files.push_back({name, folder + name, rendering});
    return files;
}

RunResult::RunResult(double c_, const std::optional<Substance>& fluid, bool cells, bool against_nature, Eos eos_)
    : c(c_), out(run(c_)), eos(eos_)
{
    if (fluid && against_nature && eos == Eos::vdw)
        nature = si_csv(nature_table(*fluid, out.states, c), nature_header(*fluid, VDWCOEX_VERSION));
    // Only another equation's run pays for its family's constants and rows.
    if (eos != Eos::vdw) {
        const Cubic cubic = fluid ? cubic_for(*fluid, eos) : Cubic(eos);
        const std::vector<EquationRow> rows = equation_rows(cubic, c);
        const EquationTables reduced = equation_tables(cubic, rows);
        equation = {reduced.coexistence, reduced.properties};
        equation_header = ::equation_header(cubic, fluid ? fluid->omega : 0, c, nullptr, VDWCOEX_VERSION);
        if (fluid) {
            const EquationTables in_si = equation_tables(cubic, rows, &*fluid);
            equation.push_back(in_si.coexistence);
            equation.push_back(in_si.properties);
            equation_si_header = ::equation_header(cubic, fluid->omega, c, &*fluid, VDWCOEX_VERSION);
            if (against_nature)
                nature = si_csv(equation_nature_table(*fluid, cubic, rows),
                                nature_header(*fluid, VDWCOEX_VERSION, "the " + equation_name(eos) + " equation"));
        }
    }
    if (!cells)
        return;
    sheets = {{"vdw_coex", coexistence_table(out.coexistence)}, {"clatente", property_table(out.properties)}};
    if (fluid) {
        header = si_header(*fluid, c, VDWCOEX_VERSION);
        si = {si_table(sheets[0].table, *fluid), si_table(sheets[1].table, *fluid)};
        sheets.push_back({"vdw_coex_si", view_of(si[0])});
        sheets.push_back({"clatente_si", view_of(si[1])});
    }
    const std::string key = eos_key(eos);
    const char* names[] = {"_coex", "_clatente", "_coex_si", "_clatente_si"};
    for (size_t i = 0; i < equation.size(); ++i)
        sheets.push_back({key + names[i], view_of(equation[i])});
}

std::vector<std::string> clear_leftovers(const Messages& say, const std::vector<PlannedFile>& plan,
                                         const std::string& waiting_line)
{
    std::vector<std::string> lines;
    // The names any run may write in this folder (plan_files'), for the
    // temporaries that runs killed while writing them left, whatever this
    // run writes: '*' stands for an equation's prefix (vdw_, rk_..., or none
    // for clatente) and a substance's key. As few as the van der Waals names
    // alone were: each costs the plain run a look at the folder.
    constexpr const char* any_run_writes[] = {"*coex.csv", "*clatente.csv", "*coex_si.csv", "*clatente_si.csv",
                                              "nature_*.csv", "vdwcoex.xlsx"};
    std::vector<std::string> others;
    if (!plan.empty()) {
        const PlannedFile& first = plan.front();
        const std::string folder = first.path.substr(0, first.path.size() - first.name.size());
        for (const char* name : any_run_writes)
            if (std::none_of(plan.begin(), plan.end(), [&](const PlannedFile& p) { return p.path == folder + name; }))
                others.push_back(folder + name);
    }
    for (const EarlierText& left : remove_leftovers(paths_of(plan), others, waiting_line)) {
        const std::time_t at = static_cast<std::time_t>(left.modified);
        char when[32] = "?";
        if (const std::tm* local = std::localtime(&at))
            std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", local);
        lines.push_back(say.earlier_left(left.backup, left.report, left.bytes, when));
    }
    return lines;
}

bool names_apart(const Messages& say, const std::vector<PlannedFile>& plan, std::string& why)
{
    const std::vector<std::string> paths = paths_of(plan);
    for (size_t i = 0; i < paths.size(); ++i)
        for (size_t j = i + 1; j < paths.size(); ++j)
            if (platform::same_file(paths[i], paths[j])) {
                why = say.one_file_twice(paths[i], paths[j]);
                return false;
            }
    return true;
}

bool open_planned(const Messages& say, const std::vector<PlannedFile>& plan, std::vector<ReportFile>& files,
                  std::string& why, int* error)
{
    const std::vector<std::string> paths = paths_of(plan);
    FileError failure;
    files.resize(plan.size());
    for (size_t i = 0; i < plan.size(); ++i)
        if (!open_report(files[i], paths[i], failure)) {
            why = failure_message(say, failure, paths);
            if (error)
                *error = failure.error;
            return false;
        }
    return true;
}

bool write_planned(const Messages& say, const std::vector<PlannedFile>& plan, const RunResult& run,
                   std::vector<ReportFile>& files, const std::string& waiting_line, std::string& why, int* error)
{
    const std::vector<std::string> paths = paths_of(plan);
    FileError failure;
    std::vector<std::string> texts(plan.size());
    int rendering = 0;
    for (size_t i = 0; i < plan.size(); ++i) {
        if (!render(say, plan[i], run, texts[i], why, rendering)) {
            if (error)
                *error = rendering;
            return false;
        }
        if (!write_report(files[i], texts[i], failure)) {
            why = failure_message(say, failure, paths);
            if (error)
                *error = failure.error;
            return false;
        }
    }
    if (commit_reports(files, texts, waiting_line, failure))
        return true;
    why = failure_message(say, failure, paths);
    if (error)
        *error = failure.error;
    return false;
}

bool replace_run_files(const Messages& say, const std::vector<PlannedFile>& plan, std::vector<ReportFile>& files,
                       const std::function<void(const std::string&)>& tell, const std::function<RunResult()>& compute,
                       const std::function<void(const RunResult&)>& computed, std::string& why, int* error)
{
    const std::string waiting = say.waiting() + "\n";
    if (!names_apart(say, plan, why))
        return false;
    for (const std::string& line : clear_leftovers(say, plan, waiting))
        tell(line);
    if (!open_planned(say, plan, files, why, error))
        return false;
    const RunResult result = compute();
    computed(result);
    return write_planned(say, plan, result, files, waiting, why, error);
}

int write_run(const Messages& say, const std::string& folder, double c, bool csv, bool xlsx,
              const std::optional<Substance>& fluid, Eos eos, std::vector<std::string>& lines,
              std::vector<std::string>& written, int& error)
{
    error = 0;
    if (folder.empty())
        return lines.push_back(say.empty_folder("folder")), 2;
    if ((error = folder_error(folder)))
        return lines.push_back(say.no_folder(folder, reason_of(say, error))), 2;
    std::string why;
    if (xlsx)
        if (const int loading = workbook_writer(why)) {
            lines.push_back(loading == ENOMEM ? say.out_of_memory() : say.no_workbook(why));
            error = loading == ENOMEM ? ENOMEM : 0;
            return loading == ENOMEM ? 1 : 2;
        }
    if (const std::string warning = say.c_warning(c); !warning.empty())
        lines.push_back(warning);
    const std::vector<PlannedFile> plan = plan_files(folder, csv, xlsx, fluid.has_value(), "", eos);
    std::vector<ReportFile> files;
    const bool ok = replace_run_files(
        say, plan, files, [&](const std::string& line) { lines.push_back(line); },
        [&] { return RunResult(c, fluid, fluid || xlsx, false, eos); }, [](const RunResult&) {}, why, &error);
    for (ReportFile& file : files)
        discard_report(file);
    if (!ok)
        return lines.push_back(why), 1;
    for (const PlannedFile& file : plan)
        written.push_back(file.path);
    return 0;
}
