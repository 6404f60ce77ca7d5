#include "report_file.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/file.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/xattr.h>
#endif
#endif

namespace {

// The platform's calls, each in one place.
#ifdef _WIN32
using Stat = struct _stat64;
int process_id() { return _getpid(); }
int stat_of(const std::string& path, Stat& st) { return _stat64(path.c_str(), &st); }
bool regular(const Stat& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
bool folder(const Stat& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
int create_new(const std::string& path)
{
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int open_existing(const std::string& path) { return _open(path.c_str(), _O_RDWR | _O_BINARY); }
int open_direct(const std::string& path)
{
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writable(const std::string& path) { return _access(path.c_str(), 2); }
long long write_fd(int fd, const char* data, size_t size)
{
    return _write(fd, data, static_cast<unsigned>(size > 1u << 30 ? 1u << 30 : size));
}
long long read_fd(int fd, char* data, size_t size) { return _read(fd, data, static_cast<unsigned>(size)); }
bool rewind_fd(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0; }
bool truncate_fd(int fd, size_t size) { return _chsize_s(fd, static_cast<long long>(size)) == 0; }
bool sync_fd(int fd) { return _commit(fd) == 0; }
int close_fd(int fd) { return _close(fd); }
// The errno that stands for the last Windows error.
int errno_of_last_error()
{
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
               ? EACCES : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EIO;
}
// With write-through the move is on disk when it returns: no folder to sync.
bool rename_over(const std::string& from, const std::string& to)
{
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = errno_of_last_error();
    return false;
}
bool second_name(const std::string& file, const std::string& name)
{
    if (CreateHardLinkA(name.c_str(), file.c_str(), nullptr))
        return true;
    errno = errno_of_last_error();
    return false;
}
bool owner_given(int, const Stat&) { return true; }
bool has_attributes(const std::string&) { return false; }
// A file open in a live run cannot be removed on Windows: no claim is
// needed, and leftovers are not looked for.
int claim(int) { return -1; }
bool claimed(const std::string&) { return true; }
int share_folder(const std::string&) { return -1; }
void unshare_folder(int) {}
bool one_inode(const std::string&, const std::string&) { return false; }
std::vector<std::string> names_in(const std::string&) { return {}; }
// Whether the file may be renamed over: not while another program holds it
// open without sharing its deletion (a second name made of it could not be
// removed again either).
bool replaceable(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = errno_of_last_error();
        return false;
    }
    CloseHandle(file);
    return true;
}
void sync_folder(const std::string&) {}
std::string folder_of(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}
std::string resolve_links(const std::string& path, int&) { return path; }
#else
using Stat = struct stat;
int process_id() { return static_cast<int>(getpid()); }
int stat_of(const std::string& path, Stat& st) { return stat(path.c_str(), &st); }
bool regular(const Stat& st) { return S_ISREG(st.st_mode); }
bool folder(const Stat& st) { return S_ISDIR(st.st_mode); }
int create_new(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
int open_existing(const std::string& path) { return open(path.c_str(), O_RDWR | O_CLOEXEC); }
int open_direct(const std::string& path)
{
    return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
int writable(const std::string& path) { return access(path.c_str(), W_OK); }
long long write_fd(int fd, const char* data, size_t size) { return write(fd, data, size); }
long long read_fd(int fd, char* data, size_t size) { return read(fd, data, size); }
bool rewind_fd(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }
bool truncate_fd(int fd, size_t size) { return ftruncate(fd, static_cast<off_t>(size)) == 0; }
bool sync_fd(int fd) { return fsync(fd) == 0; }
int close_fd(int fd) { return close(fd); }
bool rename_over(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }
bool second_name(const std::string& file, const std::string& name) { return link(file.c_str(), name.c_str()) == 0; }
bool replaceable(const std::string&) { return true; }
// A temporary is claimed by its run with a lock on it, held by a second
// descriptor until the run ends: a later run knows a live run's temporary
// from one a killed run left by whether it can take that lock.
int claim(int fd)
{
    const int held = dup(fd);
    if (held >= 0 && flock(held, LOCK_EX) != 0) {
        close(held);
        return -1;
    }
    return held;
}
bool claimed(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return true;  // not ours to judge
    const bool live = flock(fd, LOCK_EX | LOCK_NB) != 0;
    close(fd);
    return live;
}
// The folder's lock taken shared while a temporary is made and claimed, so
// that a run cleaning up (which holds it alone) never sees one unclaimed.
int share_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0)
        while (flock(fd, LOCK_SH) != 0 && errno == EINTR) {
        }
    return fd;
}
void unshare_folder(int fd)
{
    if (fd >= 0)
        close(fd);
}
// Whether the two names are one file.
bool one_inode(const std::string& a, const std::string& b)
{
    struct stat x, y;
    return lstat(a.c_str(), &x) == 0 && lstat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}
// The names in a folder.
std::vector<std::string> names_in(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* entry = readdir(dir))
            names.emplace_back(entry->d_name);
        closedir(dir);
    }
    return names;
}
// Whether the file has an access control list or user attributes, which a
// new file would not take over: such a file is written in place.
bool has_attributes(const std::string& path)
{
#ifdef __linux__
    char names[4096];
    const ssize_t size = listxattr(path.c_str(), names, sizeof names);
    if (size < 0)
        return errno == ERANGE;  // more names than room: surely some
    for (ssize_t at = 0; at < size; at += static_cast<ssize_t>(std::strlen(names + at)) + 1)
        if (std::strncmp(names + at, "user.", 5) == 0 || std::strncmp(names + at, "system.posix_acl_", 17) == 0)
            return true;
#else
    (void)path;
#endif
    return false;
}
// The new file takes the earlier one's owner, group and permissions, or the
// earlier one is not replaced by it.
bool owner_given(int fd, const Stat& st)
{
    return fchown(fd, st.st_uid, st.st_gid) == 0 && fchmod(fd, st.st_mode & 07777) == 0;
}
void sync_folder(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}
std::string folder_of(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}
// The file that `path` leads to through its symbolic links, whether or not it
// exists; empty with `error` set for a loop, a name too long, or a link the
// kernel would not follow either: in a sticky folder that anyone may write
// (/tmp), a link owned by neither the folder's owner nor this user
// (protected_symlinks).
std::string resolve_links(const std::string& path, int& error)
{
    std::string at = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return at;
        struct stat in;
        if (stat(folder_of(at).c_str(), &in) == 0 && (in.st_mode & S_ISVTX) && (in.st_mode & S_IWOTH) &&
            st.st_uid != in.st_uid && st.st_uid != geteuid()) {
            error = EACCES;
            return {};
        }
        char link[PATH_MAX];
        const ssize_t n = readlink(at.c_str(), link, sizeof link - 1);
        if (n < 0) {
            error = errno;
            return {};
        }
        const std::string to(link, static_cast<size_t>(n));
        at = to[0] == '/' ? to : folder_of(at) + "/" + to;
    }
    error = ELOOP;
    return {};
}
#endif

// The temporary files of this run, for the signal handler: at most one per
// file of the run, each name copied into a fixed slot while the file exists,
// so that the handler reads only memory that never moves or changes under it.
constexpr size_t slots = 8, longest_name = 4200;
char pending[slots][longest_name + 1];
volatile std::sig_atomic_t pending_set[slots];

// Called with the signals held back.
void track(const std::string& temporary, bool on)
{
    for (size_t k = 0; k < slots; ++k) {
        if (on && !pending_set[k] && temporary.size() <= longest_name) {
            temporary.copy(pending[k], temporary.size());
            pending[k][temporary.size()] = '\0';
            pending_set[k] = 1;
            return;
        }
        if (!on && pending_set[k] && temporary == pending[k]) {
            pending_set[k] = 0;
            return;
        }
    }
}

// The signals whose default action ends the run: their handler removes the
// temporaries first.
#ifdef _WIN32
const int handled_signals[] = {SIGINT, SIGTERM};
#else
const int handled_signals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF};
#endif

// Only async-signal-safe calls: unlink, signal, raise.
extern "C" void remove_and_reraise(int signal)
{
    remove_temporaries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#ifdef _WIN32
BOOL WINAPI hold_console_break(DWORD kind) { return kind == CTRL_C_EVENT || kind == CTRL_BREAK_EVENT; }
#endif

// Holds back the signals (Ctrl-C and Ctrl-Break on Windows) while the files
// change, so that a run ends before the change or after it; not nested.
void hold_signals(bool hold)
{
#ifdef _WIN32
    SetConsoleCtrlHandler(hold_console_break, hold ? TRUE : FALSE);
#else
    // Every signal that can be held back (all but KILL and STOP), not only
    // the handled ones: any of them could end the run mid-change.
    static sigset_t before;
    sigset_t all;
    sigfillset(&all);
    if (hold)
        sigprocmask(SIG_BLOCK, &all, &before);
    else
        sigprocmask(SIG_SETMASK, &before, nullptr);
#endif
}

// What a run says on standard error when it has waited a second for another
// run's lock; prepared before the lock is taken.
std::string waiting_line;

// Other runs wait at the folder's lock until this run has replaced its files.
class FolderLock {
public:
    explicit FolderLock(const std::string& path)
    {
#ifdef _WIN32
        char full[_MAX_PATH];
        const std::string absolute = _fullpath(full, path.c_str(), sizeof full) ? full : path;
        std::string name = "Local\\vdwcoex-" + std::to_string(std::hash<std::string>()(absolute));
        mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
        if (!mutex_)
            error_ = errno_of_last_error();
        if (mutex_ && WaitForSingleObject(mutex_, 1000) == WAIT_TIMEOUT) {
            say_waiting();
            WaitForSingleObject(mutex_, INFINITE);
        }
#else
        fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        // Tried for a second, then said, then waited for.
        for (int tries = 0; tries < 20; ++tries) {
            if (flock(fd_, LOCK_EX | LOCK_NB) == 0)
                return;
            if (errno != EWOULDBLOCK && errno != EINTR)
                break;
            usleep(50000);
        }
        say_waiting();
        while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
#endif
    }
    ~FolderLock()
    {
#ifdef _WIN32
        if (mutex_) {
            ReleaseMutex(mutex_);
            CloseHandle(mutex_);
        }
#else
        if (fd_ >= 0)
            close(fd_);
#endif
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // 0 once held; otherwise why not (a folder that cannot be read).
    int error() const { return error_; }

private:
    int error_ = 0;
    static void say_waiting()
    {
        if (!waiting_line.empty()) {
            std::fputs(waiting_line.c_str(), stderr);
            std::fflush(stderr);
        }
    }
#ifdef _WIN32
    HANDLE mutex_ = nullptr;
#else
    int fd_ = -1;
#endif
};

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
    std::remove(file.temporary.c_str());
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

// Turns `file` to be written in place: its target opened. Its room is made
// before the commit, so nothing is asked for here.
bool open_in_place(ReportFile& file)
{
    close_file(file);
    drop_temporary(file);
    file.way = ReportFile::Way::in_place;
    file.fd = open_existing(file.target);
    return file.fd >= 0;
}

// Creates the temporary file beside the target; the handled signals are held
// back until it is tracked, so that a signal cannot leave it behind.
int create_temporary(ReportFile& file)
{
    int error = 0;
    const int shared = share_folder(file.folder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = file.target + "." + std::to_string(process_id());
        if (attempt > 0)
            name += "-" + std::to_string(attempt);
        name += ".tmp";
        hold_signals(true);
        file.fd = create_new(name);
        error = errno;
        if (file.fd >= 0) {
            file.temporary = std::move(name);
            track(file.temporary, true);
            file.claim = claim(file.fd);
        }
        hold_signals(false);
        if (file.fd >= 0 || error != EEXIST)
            break;
    }
    unshare_folder(shared);
    return file.fd >= 0 ? 0 : error;
}

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

// Commits one file; on failure nothing of it has changed.
bool commit_one(ReportFile& file, const std::string& text)
{
    if (file.way == ReportFile::Way::rename) {
        // Keep a second name of the earlier file to put it back by.
        if (file.existed && replaceable(file.target)) {
            std::remove(file.backup.c_str());
            file.backed_up = second_name(file.target, file.backup);
        }
        if ((!file.existed || file.backed_up) && rename_over(file.temporary, file.target)) {
            track(file.temporary, false);
            file.temporary.clear();
            return file.committed = true;
        }
        const int error = errno;
        if (file.backed_up)
            std::remove(file.backup.c_str());
        file.backed_up = false;
        // A name that cannot be replaced (a bind mount, another owner's
        // file in a sticky folder) may still be written.
        if (!file.existed || !open_in_place(file)) {
            errno = error;
            return false;
        }
    }
    if (!read_earlier(file.fd, file.earlier, file.earlier_room))
        return false;
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
        back = rewrite(file.fd, file.earlier);
    else if (!file.backed_up)
        back = std::remove(file.target.c_str()) == 0;
    else if ((back = rename_over(file.backup, file.target)))
        file.backed_up = false;
    if (back)
        file.committed = false;
    return back;
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
    // The names the commit needs, made now: it asks for no memory.
    file.folder = folder_of(file.target);
    file.backup = file.target + "." + std::to_string(process_id()) + ".old";
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
    // A file with more names, or with an access list or attributes that a
    // new file would not keep, is written in place.
    const bool linked = file.existed && st.st_nlink > 1;
    const bool attributes = file.existed && has_attributes(file.target);
    error = linked ? EMLINK : attributes ? ENOTSUP : create_temporary(file);
    if (error == 0 && (!file.existed || owner_given(file.fd, st)))
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
                    FileError& failure)
{
    failure = FileError{};
    failure.kind = FileError::Kind::write;
    if (files.empty())
        return true;
    // Room for what a failure reports, asked for before anything changes.
    failure.fresh.reserve(files.size());
    failure.kept_as.reserve(files.size());
    const FolderLock lock(files[0].folder);
    if (lock.error()) {
        // Without the lock another run could mix its files with these.
        failure.kind = FileError::Kind::lock;
        failure.error = lock.error();
        failure.folder = files[0].folder;
        return false;
    }
    // Under the lock, before anything changes: whether each file is there
    // now and how long (a run that held the lock before may have made or
    // grown it), and room for the earlier text of each that is, should it
    // be written in place.
    for (ReportFile& file : files) {
        if (file.way == ReportFile::Way::direct)
            continue;
        Stat st{};
        if (file.way == ReportFile::Way::rename)
            file.existed = stat_of(file.target, st) == 0;
        make_room(file);
    }
    hold_signals(true);
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
            std::remove(file.backup.c_str());
        file.backed_up = false;
        close_file(file);
    }
    hold_signals(false);
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

void remove_leftovers(const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    int error = 0;
    const std::string first = resolve_links(paths[0], error);
    const FolderLock lock(folder_of(first.empty() ? paths[0] : first));
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
                std::remove(leftover.c_str());
        }
    }
}

void say_when_waiting(const std::string& line) { waiting_line = line + "\n"; }

void remove_temporaries()
{
    for (size_t k = 0; k < slots; ++k)
        if (pending_set[k]) {
#ifdef _WIN32
            _unlink(pending[k]);
#else
            unlink(pending[k]);
#endif
        }
}

void remove_temporaries_on_signals()
{
    for (int signal : handled_signals) {
#ifdef _WIN32
        if (std::signal(signal, remove_and_reraise) == SIG_IGN)
            std::signal(signal, SIG_IGN);
#else
        // Asked without changing it, so that an ignored signal never meets
        // the handler.
        struct sigaction before;
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            std::signal(signal, remove_and_reraise);
#endif
    }
}

bool same_file(const std::string& first, const std::string& second)
{
#ifdef _WIN32
    BY_HANDLE_FILE_INFORMATION info[2];
    const std::string* names[] = {&first, &second};
    for (int k = 0; k < 2; ++k) {
        const HANDLE file = CreateFileA(names[k]->c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        const BOOL got = GetFileInformationByHandle(file, &info[k]);
        CloseHandle(file);
        if (!got)
            return false;
    }
    return info[0].dwVolumeSerialNumber == info[1].dwVolumeSerialNumber &&
           info[0].nFileIndexHigh == info[1].nFileIndexHigh && info[0].nFileIndexLow == info[1].nFileIndexLow;
#else
    Stat a{}, b{};
    return stat_of(first, a) == 0 && stat_of(second, b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
#endif
}

int folder_error(const std::string& path)
{
    Stat st{};
    if (stat_of(path, st) != 0)
        return errno;
    return folder(st) ? 0 : ENOTDIR;
}

std::string absolute_folder(const std::string& path)
{
    const std::string folder = path.empty() ? "." : path;
#ifdef _WIN32
    char full[_MAX_PATH];
    return _fullpath(full, folder.c_str(), sizeof full) ? full : folder;
#else
    char resolved[PATH_MAX];
    return realpath(folder.c_str(), resolved) ? resolved : folder;
#endif
}

bool stderr_is_terminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(STDERR_FILENO) != 0;
#endif
}
