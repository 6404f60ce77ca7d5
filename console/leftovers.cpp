// What killed runs left beside the reports (see leftovers.h).
#include "leftovers.h"

#include "platform.h"

namespace {

using namespace platform;

// Whether `name` is one of the names a run gives beside `base`: its
// temporaries (base.PID.tmp, base.PID-N.tmp) or backups (base.PID.old).
bool leftover_of(const std::string& name, const std::string& base, bool& temporary)
{
    if (name.compare(0, base.size() + 1, base + ".") != 0)
        return false;
    size_t at = base.size() + 1;
    const auto digits = [&]() {
        const size_t start = at;
        while (at < name.size() && name[at] >= '0' && name[at] <= '9')
            ++at;
        return at > start;
    };
    if (!digits())
        return false;
    if (name.compare(at, 1, "-") == 0) {
        ++at;
        if (!digits())
            return false;
        temporary = true;
        return name.compare(at, std::string::npos, ".tmp") == 0;
    }
    temporary = name.compare(at, std::string::npos, ".tmp") == 0;
    return temporary || name.compare(at, std::string::npos, ".old") == 0;
}

}  // namespace

void remove_leftovers(const std::vector<std::string>& paths, const std::string& waiting_line)
{
    if (paths.empty())
        return;
    int error = 0;
    const std::string first = resolve_links(paths[0], error);
    const FolderLock lock(folder_of(first.empty() ? paths[0] : first), waiting_line);
    if (lock.error())
        return;
    for (const std::string& path : paths) {
        const std::string target = resolve_links(path, error);
        if (target.empty())
            continue;
        const std::string folder = folder_of(target);
        const size_t slash = target.find_last_of("/\\");
        const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
        for (const std::string& name : names_in(folder)) {
            bool temporary = false;
            if (!leftover_of(name, base, temporary))
                continue;
            const std::string leftover = folder + "/" + name;
            // A temporary no live run claims; a backup that is only a second
            // name of the report (a run killed before its rename). A backup
            // holding an earlier text is kept: it may be all there is of it.
            if (temporary ? !claimed(leftover) : one_inode(leftover, target))
                remove_file(leftover);
        }
    }
}
