#include "report_file.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <climits>
#include <cstdlib>
#include <unistd.h>
#endif

namespace {

// The temporary files of this run, for the signal handler: at most one per
// file of the run, set while the file exists.
const char* volatile pending[8] = {};

void track(const std::string& temporary, bool on)
{
    for (auto& slot : pending) {
        if (on && !slot) {
            slot = temporary.c_str();
            return;
        }
        if (!on && slot == temporary.c_str()) {
            slot = nullptr;
            return;
        }
    }
}

extern "C" void remove_and_reraise(int signal)
{
    remove_temporaries();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

#ifdef _WIN32
int process_id() { return _getpid(); }
int create_new(const char* path) { return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE); }
int writable(const char* path) { return _access(path, 2); }
std::FILE* stream_of(int fd) { return _fdopen(fd, "wb"); }
void close_fd(int fd) { _close(fd); }
using Stat = struct _stat64;
int stat_of(const char* path, Stat& st) { return _stat64(path, &st); }
bool regular(const Stat& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
#else
int process_id() { return static_cast<int>(getpid()); }
int create_new(const char* path) { return open(path, O_WRONLY | O_CREAT | O_EXCL, 0666); }
int writable(const char* path) { return access(path, W_OK); }
std::FILE* stream_of(int fd) { return fdopen(fd, "wb"); }
void close_fd(int fd) { close(fd); }
using Stat = struct stat;
int stat_of(const char* path, Stat& st) { return stat(path, &st); }
bool regular(const Stat& st) { return S_ISREG(st.st_mode); }
#endif

// Where the report `name` finally goes: the name itself, or the regular file
// its symbolic link leads to. Empty where it is to be written directly.
std::string target_of(const char* name, Stat& st, bool& exists)
{
    exists = stat_of(name, st) == 0;
    if (!exists) {
#ifndef _WIN32
        // A link that leads nowhere yet: writing through it creates its target.
        struct stat link;
        if (lstat(name, &link) == 0)
            return {};
#endif
        return name;
    }
    if (!regular(st))
        return {};
#ifndef _WIN32
    char resolved[PATH_MAX];
    if (realpath(name, resolved))
        return resolved;
#endif
    return name;
}

}  // namespace

void remove_temporaries()
{
    for (const char* path : pending)
        if (path)
            std::remove(path);
}

int open_report(ReportFile& report, const char* name)
{
    report = ReportFile{};
    Stat st{};
    bool exists = false;
    report.target = target_of(name, st, exists);
    if (report.target.empty()) {
        report.stream = std::fopen(name, "wb");
        return report.stream ? 0 : errno;
    }
    // A report that could not be overwritten is not replaced either.
    if (exists && writable(report.target.c_str()) != 0)
        return errno;

    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        report.temporary = report.target + "." + std::to_string(process_id());
        if (attempt > 0)
            report.temporary += "-" + std::to_string(attempt);
        report.temporary += ".tmp";
        fd = create_new(report.temporary.c_str());
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const int error = errno;
        report.temporary.clear();
        return error;
    }
    track(report.temporary, true);
#ifndef _WIN32
    // The new report keeps the permissions of the one it replaces.
    if (exists)
        fchmod(fd, st.st_mode & 07777);
#endif
    report.stream = stream_of(fd);
    if (!report.stream) {
        const int error = errno;
        close_fd(fd);
        discard_report(report);
        return error;
    }
    return 0;
}

int write_report(ReportFile& report, const std::string& data)
{
    errno = 0;
    const bool written = std::fwrite(data.data(), 1, data.size(), report.stream) == data.size();
    const int write_error = errno;
    const bool closed = std::fclose(report.stream) == 0;
    const int close_error = errno;
    report.stream = nullptr;
    if (!written)
        return write_error ? write_error : EIO;
    if (!closed)
        return close_error ? close_error : EIO;
    return 0;
}

int commit_report(ReportFile& report)
{
    if (report.temporary.empty())
        return 0;
#ifdef _WIN32
    if (!MoveFileExA(report.temporary.c_str(), report.target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
#else
    if (std::rename(report.temporary.c_str(), report.target.c_str()) != 0)
        return errno;
#endif
    track(report.temporary, false);
    report.temporary.clear();
    return 0;
}

void discard_report(ReportFile& report)
{
    if (report.stream)
        std::fclose(report.stream);
    report.stream = nullptr;
    if (!report.temporary.empty()) {
        std::remove(report.temporary.c_str());
        track(report.temporary, false);
        report.temporary.clear();
    }
}

void remove_temporaries_on_signals()
{
#ifdef SIGHUP
    std::signal(SIGHUP, remove_and_reraise);
#endif
    std::signal(SIGINT, remove_and_reraise);
    std::signal(SIGTERM, remove_and_reraise);
}

void hold_signals(bool hold)
{
#ifndef _WIN32
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGHUP);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigprocmask(hold ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
#else
    (void)hold;
#endif
}

int folder_error(const std::string& path)
{
    Stat st{};
    if (stat_of(path.c_str(), st) != 0)
        return errno;
#ifdef _WIN32
    return (st.st_mode & _S_IFMT) == _S_IFDIR ? 0 : ENOTDIR;
#else
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
#endif
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
