// What killed runs left beside the reports (see leftovers.h).
#include "leftovers.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>

#include "platform.h"

namespace {

using namespace platform;

// Whether `name` is one of the names a run gives beside `base`: its
// temporaries (base.PID.tmp, base.PID-N.tmp) or backups (base.PID.old,
// base.PID-N.old).
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
    }
    temporary = name.compare(at, std::string::npos, ".tmp") == 0;
    return temporary || name.compare(at, std::string::npos, ".old") == 0;
}

// The same where `base` holds one '*' standing for a substance's key or an
// equation's prefix, or both (nature_*.csv, *coex.csv): letters, digits,
// dashes and underscores, or nothing.
bool leftover_of_any(const std::string& name, const std::string& base, bool& temporary)
{
    const size_t star = base.find('*');
    if (star == std::string::npos)
        return leftover_of(name, base, temporary);
    const std::string head = base.substr(0, star), tail = base.substr(star + 1);
    if (name.compare(0, head.size(), head) != 0)
        return false;
    const size_t end = name.find(tail + ".", head.size());
    if (end == std::string::npos)
        return false;
    for (size_t k = head.size(); k < end; ++k)
        if (!std::isalnum(static_cast<unsigned char>(name[k])) && name[k] != '-' && name[k] != '_')
            return false;
    return leftover_of(name, name.substr(0, end + tail.size()), temporary);
}

std::string bytes_of(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Whether the two files hold the same bytes (a run killed after copying a
// report's earlier text, before rewriting the report).
bool same_text(const std::string& first, const std::string& second)
{
    Stat a{}, b{};
    return stat_of(first, a) == 0 && stat_of(second, b) == 0 && a.st_size == b.st_size &&
           bytes_of(first) == bytes_of(second);
}

}  // namespace

std::vector<EarlierText> remove_leftovers(const std::vector<std::string>& paths, const std::vector<std::string>& others,
                                          const std::string& waiting_line)
{
    std::vector<EarlierText> kept;
    if (paths.empty())
        return kept;
    int error = 0;
    const std::string first = resolve_links(paths[0], error);
    const std::string locked = folder_of(first.empty() ? paths[0] : first);
    const FolderLock lock(locked, waiting_line);
    if (lock.error())
        return kept;
    std::map<std::string, std::vector<std::string>> listings;  // each folder's names, read once
    std::vector<std::string> all = paths;
    all.insert(all.end(), others.begin(), others.end());
    for (size_t k = 0; k < all.size(); ++k) {
        const std::string& path = all[k];
        const bool written = k < paths.size();
        const std::string target = resolve_links(path, error);
        if (target.empty())
            continue;
        const std::string folder = folder_of(target);
        if (!written && folder != locked)
            continue;  // another folder's, under its own lock
        const size_t slash = target.find_last_of("/\\");
        const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
        auto listed = listings.find(folder);
        if (listed == listings.end())
            listed = listings.emplace(folder, names_in(folder)).first;
        for (const std::string& name : listed->second) {
            bool temporary = false;
            if (!leftover_of_any(name, base, temporary) || (!written && !temporary))
                continue;
            const std::string leftover = folder + "/" + name;
            // A temporary no live run claims; a backup that is only a second
            // name of the report (a run killed before its rename) or a copy
            // of it (killed before rewriting it). A backup holding another
            // text is kept: it may be all there is of it.
            Stat st{};
            if (temporary ? !claimed(leftover) : one_inode(leftover, target) || same_text(leftover, target))
                remove_file(leftover);
            else if (!temporary && stat_of(leftover, st) == 0)
                kept.push_back({folder == "." ? name : leftover, path, static_cast<long long>(st.st_size),
                                static_cast<long long>(st.st_mtime)});
        }
    }
    return kept;
}
