// The careful replacement of a run's files (see report_file.h): prepare,
// lock, commit, put back. The system calls are behind the seam of
// platform.h; the temporaries are tracked in temporaries.cpp.
#include "report_file.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "platform.h"
#include "temporaries.h"

namespace {

using namespace platform;

// The names a run makes beside a report, `target`.PID.suffix and, where that
// is taken, `target`.PID-N.suffix: room for their tails is made when the
// report is opened, so that naming asks for no memory during the commit.
constexpr int name_attempts = 100;
constexpr size_t name_room = 48;

void name_beside(std::string& into, const std::string& target, int attempt, const char* suffix)
{
    char tail[name_room];
    if (attempt == 0)
        std::snprintf(tail, sizeof tail, ".%d%s", process_id(), suffix);
    else
        std::snprintf(tail, sizeof tail, ".%d-%d%s", process_id(), attempt, suffix);
    into.assign(target);
    into.append(tail);
}

bool write_all(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const long long n = write_fd(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Makes the open file hold exactly `text`, on disk.
bool rewrite(int fd, const std::string& text)
{
    return rewind_fd(fd) && write_all(fd, text.data(), text.size()) && truncate_fd(fd, text.size()) &&
           sync_fd(fd);
}

// Reads the whole open file into `into`, which already has room for `room`
// bytes: no memory is asked for while the files change.
bool read_earlier(int fd, std::string& into, size_t room)
{
    into.resize(room);
    size_t have = 0;
    if (!rewind_fd(fd))
        return false;
    for (;;) {
        if (have == room) {
            char probe;
            const long long n = read_fd(fd, &probe, 1);
            if (n == 0)
                break;
            errno = n < 0 ? errno : EFBIG;
            return false;
        }
        const long long n = read_fd(fd, &into[have], room - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        have += static_cast<size_t>(n);
    }
    into.resize(have);
    return true;
}

bool close_file(ReportFile& file)
{
    const bool closed = file.fd < 0 || close_fd(file.fd) == 0;
    file.fd = -1;
    return closed;
}

void drop_temporary(ReportFile& file)
{
    if (file.temporary.empty())
        return;
    remove_file(file.temporary);
    track(file.temporary, false);
    file.temporary.clear();
}

// Room for the earlier text of `file` as it is now, with some to spare for
// a writer that does not take the folder's lock.
void make_room(ReportFile& file)
{
    Stat st{};
    const size_t size = stat_of(file.target, st) == 0 ? static_cast<size_t>(st.st_size) : 0;
    file.earlier_room = size + size / 4 + 65536;
    file.earlier.reserve(file.earlier_room);
}

// Turns `file` to be written in place: its target opened, where it is there
// (one that is not is created by the commit). Its room is made before the
// commit, so nothing is asked for here.
bool open_in_place(ReportFile& file)
{
    close_file(file);
    drop_temporary(file);
    file.way = ReportFile::Way::in_place;
    if (!file.existed)
        return true;
    file.fd = open_existing(file.target);
    return file.fd >= 0;
}

// Creates a temporary file beside the target under the first free name,
// tracked (the caller holds the handled signals back, so that a signal
// cannot leave it behind); its descriptor, or -1 with errno set and no name.
int create_tracked_temporary(ReportFile& file, bool owner_only)
{
    int fd = -1;
    for (int attempt = 0; attempt < name_attempts && fd < 0; ++attempt) {
        name_beside(file.temporary, file.target, attempt, ".tmp");
        fd = create_new(file.temporary, owner_only);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        file.temporary.clear();
    else
        track(file.temporary, true);
    return fd;
}

// Creates the temporary file for the new text, claimed by this run.
int create_temporary(ReportFile& file)
{
    const int shared = share_folder(file.folder);
    int error = 0;
    {
        const HeldSignals held;
        file.fd = create_tracked_temporary(file, false);
        error = errno;
        if (file.fd >= 0)
            file.claim = claim(file.fd);
    }
    unshare_folder(shared);
    return file.fd >= 0 ? 0 : error;
}

// A second name of `of` as the file's backup, under the first backup name
// that no file has: a link is never made over a file, so a file of someone
// else's is never taken, nor removed later.
void make_backup(ReportFile& file, const std::string& of)
{
    for (int attempt = 0; attempt < name_attempts && !file.backed_up; ++attempt) {
        name_beside(file.backup, file.target, attempt, ".old");
        file.backed_up = second_name(of, file.backup);
        if (!file.backed_up && errno != EEXIST)
            return;
    }
}

// In place: the earlier text, read into memory, also kept on disk until the
// new text is synced, so that a run killed while rewriting leaves it whole.
// It is written and synced as a temporary of the owner's alone, then given
// its backup name: it is whole from the moment it has that name. Where the
// folder takes no new file, or would never give one up, memory is all.
void keep_earlier_on_disk(ReportFile& file)
{
    if (file.lasting_names)
        return;
    const int fd = create_tracked_temporary(file, true);  // the commit holds the signals back
    if (fd < 0)
        return;
    const bool whole = write_all(fd, file.earlier.data(), file.earlier.size()) && sync_fd(fd);
    close_fd(fd);
    if (whole)
        make_backup(file, file.temporary);
    drop_temporary(file);
}

// Commits one file; on failure nothing of it has changed.
bool commit_one(ReportFile& file, const std::string& text)
{
    if (file.way == ReportFile::Way::rename) {
        // Keep a second name of the earlier file to put it back by.
        if (file.existed && replaceable(file.target))
            make_backup(file, file.target);
        if ((!file.existed || file.backed_up) && rename_over(file.temporary, file.target)) {
            track(file.temporary, false);
            file.temporary.clear();
            return file.committed = true;
        }
        const int error = errno;
        if (file.backed_up)
            remove_file(file.backup);
        file.backed_up = false;
        // A name that cannot be replaced (a bind mount, another owner's
        // file in a sticky folder) may still be written.
        if (!file.existed || !open_in_place(file)) {
            errno = error;
            return false;
        }
    }
    if (!file.existed) {
        // In place where no report is: created now, and removed again (where
        // the folder allows) if it cannot be written.
        file.fd = create_new(file.target);
        if (file.fd < 0)
            return false;
        if (write_all(file.fd, text.data(), text.size()) && sync_fd(file.fd))
            return file.committed = true;
        const int error = errno;
        remove_file(file.target);
        errno = error;
        return false;
    }
    if (!read_earlier(file.fd, file.earlier, file.earlier_room))
        return false;
    keep_earlier_on_disk(file);
    if (rewrite(file.fd, text))
        return file.committed = true;
    const int error = errno;
    rewrite(file.fd, file.earlier);
    errno = error;
    return false;
}

// Puts the earlier text of a committed file back; where that fails the file
// stays new (and committed), its earlier text under its backup's name.
bool put_back(ReportFile& file)
{
    bool back;
    if (file.way == ReportFile::Way::in_place)
        back = file.existed ? rewrite(file.fd, file.earlier) : remove_file(file.target);
    else if (!file.backed_up)
        back = remove_file(file.target);
    else if ((back = rename_over(file.backup, file.target)))
        file.backed_up = false;
    if (back)
        file.committed = false;
    return back;
}

// Under the lock, before anything changes: how each file is written, decided
// again for the report as it is now (a run that held the lock before may
// have made, replaced, linked or removed it), and room for its earlier text.
// A report opened in place is opened again where its name now leads to
// another file: a run never writes into a file that is no longer the report.
bool settle(ReportFile& file)
{
    Stat st{};
    const bool exists = stat_of(file.target, st) == 0;
    if (file.way == ReportFile::Way::rename) {
        file.existed = exists;
        if (exists && (st.st_nlink > 1 || !attributes_kept(file.target, file.temporary)) && !open_in_place(file))
            return false;
    } else if (file.fd >= 0 ? !names_open_file(file.target, file.fd) : exists) {
        close_file(file);
        file.existed = exists;
        if (exists && (file.fd = open_existing(file.target)) < 0)
            return false;
    }
    make_room(file);
    return true;
}

}  // namespace

bool open_report(ReportFile& file, const std::string& path, FileError& failure)
{
    file = ReportFile{};
    file.path = path;
    failure = FileError{};
    failure.file = path;
    failure.kind = FileError::Kind::create;
    int error = 0;
    file.target = resolve_links(path, error);
    if (file.target.empty()) {
        failure.error = error;
        return false;
    }
    // Room for the names the commit needs, made now: it asks for no memory.
    file.folder = folder_of(file.target);
    file.temporary.reserve(file.target.size() + name_room);
    file.backup.reserve(file.target.size() + name_room);
    Stat st{};
    file.existed = stat_of(file.target, st) == 0;
    if (file.existed && !regular(st)) {
        // A device, a pipe: written directly, as a plain write would.
        file.way = ReportFile::Way::direct;
        file.fd = open_direct(file.target);
        failure.error = errno;
        return file.fd >= 0;
    }
    // A report that could not be overwritten is not replaced either.
    if (file.existed && writable(file.target) != 0) {
        failure.error = errno;
        return false;
    }
    // In a folder that never gives up a name, nothing is made beside the
    // report: it is written in place, or created where it is not there.
    if (append_only(file.folder)) {
        file.lasting_names = true;
        if (open_in_place(file))
            return true;
        failure.error = errno;
        return false;
    }
    // A file with more names, or with attributes or flags that a new file
    // would not take (access lists included), is written in place.
    const bool linked = file.existed && st.st_nlink > 1;
    error = linked ? EMLINK : create_temporary(file);
    if (error == 0 && (!file.existed || (owner_given(file.fd, st) && attributes_kept(file.target, file.temporary))))
        return true;
    if (file.existed && open_in_place(file))
        return true;
    failure.error = error ? error : errno;
    if (!file.existed) {
        failure.kind = FileError::Kind::folder;
        failure.folder = file.folder;
    }
    discard_report(file);
    return false;
}

bool write_report(ReportFile& file, const std::string& text, FileError& failure)
{
    failure = FileError{};
    failure.kind = FileError::Kind::write;
    failure.file = file.path;
    if (file.way == ReportFile::Way::in_place)
        return true;
    bool written = write_all(file.fd, text.data(), text.size());
    if (written && file.way == ReportFile::Way::rename)
        written = sync_fd(file.fd);
    failure.error = errno;
    if (!close_file(file) && written) {
        written = false;
        failure.error = errno;
    }
    return written;
}

bool commit_reports(std::vector<ReportFile>& files, const std::vector<std::string>& texts,
                    const std::string& waiting_line, FileError& failure)
{
    failure = FileError{};
    failure.kind = FileError::Kind::write;
    if (files.empty())
        return true;
    // Room for what a failure reports, asked for before anything changes.
    failure.fresh.reserve(files.size());
    failure.kept_as.reserve(files.size());
    const FolderLock lock(files[0].folder, waiting_line);
    if (lock.error()) {
        // Without the lock another run could mix its files with these.
        failure.kind = FileError::Kind::lock;
        failure.error = lock.error();
        failure.folder = files[0].folder;
        return false;
    }
    for (ReportFile& file : files)
        if (file.way != ReportFile::Way::direct && !settle(file)) {
            failure.error = errno;
            failure.file = file.path;
            return false;
        }
    const HeldSignals held;  // until the end of the commit
    size_t failed = files.size();
    for (size_t i = 0; i < files.size() && failed == files.size(); ++i)
        if (files[i].way != ReportFile::Way::direct && !commit_one(files[i], texts[i])) {
            failed = i;
            failure.error = errno;
            failure.file = files[i].path;
        }
    if (failed < files.size()) {
        for (size_t i = failed; i-- > 0;)
            if (files[i].committed && !put_back(files[i])) {
                failure.kind = FileError::Kind::mixed;
                if (files[i].backed_up)
                    failure.kept_as.push_back(files[i].backup);
            }
        for (const ReportFile& file : files)
            if (file.committed)
                failure.fresh.push_back(file.path);
    }
    const std::string* synced = nullptr;
    for (ReportFile& file : files) {
        if (file.way == ReportFile::Way::rename && !(synced && *synced == file.folder)) {
            sync_folder(file.folder);
            synced = &file.folder;
        }
        // A backup is removed unless it holds the earlier text of a file that
        // could not be put back.
        if (file.backed_up && !(file.committed && failed < files.size()))
            remove_file(file.backup);
        file.backed_up = false;
        close_file(file);
    }
    return failed == files.size();
}

void discard_report(ReportFile& file)
{
    close_file(file);
    drop_temporary(file);
    if (file.claim >= 0)
        close_fd(file.claim);
    file.claim = -1;
}

int folder_error(const std::string& path)
{
    Stat st{};
    if (stat_of(path, st) != 0)
        return errno;
    return folder(st) ? 0 : ENOTDIR;
}
