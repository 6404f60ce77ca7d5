// The replacement's system calls on POSIX systems (see platform.h).
#ifndef _WIN32

#include "platform.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <langinfo.h>
#include <strings.h>
#include <locale.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#endif


namespace {

bool same_inode(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

namespace {

// The locale the environment names for `category`, made apart from the
// program's own (which stays "C"); nullptr where it is not installed.
locale_t environment_locale(int mask) { return newlocale(mask, "", static_cast<locale_t>(0)); }

}  // namespace

namespace platform {

int process_id() { return static_cast<int>(getpid()); }
int stat_of(const std::string& path, Stat& st) { return stat(path.c_str(), &st); }
bool regular(const Stat& st) { return S_ISREG(st.st_mode); }
bool folder(const Stat& st) { return S_ISDIR(st.st_mode); }
int create_new(const std::string& path, bool owner_only)
{
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, owner_only ? 0600 : 0666);
}
int open_existing(const std::string& path) { return open(path.c_str(), O_RDWR | O_CLOEXEC); }
int open_direct(const std::string& path) { return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666); }
int writable(const std::string& path) { return access(path.c_str(), W_OK); }
long long write_fd(int fd, const char* data, std::size_t size) { return write(fd, data, size); }
long long read_fd(int fd, char* data, std::size_t size) { return read(fd, data, size); }
bool rewind_fd(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }
bool truncate_fd(int fd, std::size_t size) { return ftruncate(fd, static_cast<off_t>(size)) == 0; }
bool sync_fd(int fd) { return fsync(fd) == 0; }
int close_fd(int fd) { return close(fd); }
bool remove_file(const std::string& path) { return unlink(path.c_str()) == 0; }
void remove_in_handler(const char* path) { unlink(path); }
void remove_folder_in_handler(const char* path) { rmdir(path); }
void end_child_in_handler(int pid)
{
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}
bool rename_over(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }
bool second_name(const std::string& file, const std::string& name) { return link(file.c_str(), name.c_str()) == 0; }
bool replaceable(const std::string&) { return true; }

bool owner_given(int fd, const Stat& st)
{
    return fchown(fd, st.st_uid, st.st_gid) == 0 && fchmod(fd, st.st_mode & 07777) == 0;
}

#ifdef __linux__
namespace {

// The inode flags a rename would drop that leave the file writable (chattr
// +d, +A, +S, +c, +C...); append-only and immutable reports cannot be
// replaced at all, and say so where they are met. -1 where not known.
long inode_flags(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    long flags = -1;
    if (fd >= 0) {
        int got = 0;
        if (ioctl(fd, FS_IOC_GETFLAGS, &got) == 0)
            flags = got & ((FS_FL_USER_MODIFIABLE | FS_NOCOW_FL) & ~(FS_IMMUTABLE_FL | FS_APPEND_FL));
        close(fd);
    }
    return flags;
}

}  // namespace
#endif

bool attributes_kept(const std::string& from, const std::string& to)
{
#ifdef __linux__
    char names[4096];
    const ssize_t size = listxattr(from.c_str(), names, sizeof names);
    if (size < 0 && errno == ERANGE)
        return false;  // more names than room: surely some a new file lacks
    for (ssize_t at = 0; at < size; at += static_cast<ssize_t>(std::strlen(names + at)) + 1) {
        char value[4096], other[4096];
        const ssize_t n = getxattr(from.c_str(), names + at, value, sizeof value);
        const ssize_t m = getxattr(to.c_str(), names + at, other, sizeof other);
        if (n < 0 || n != m || std::memcmp(value, other, static_cast<size_t>(n)) != 0)
            return false;
    }
    const long flags = inode_flags(from), theirs = flags > 0 ? inode_flags(to) : 0;
    return flags <= 0 || (theirs >= 0 && (flags & ~theirs) == 0);
#else
    (void)from;
    (void)to;
    return true;
#endif
}

bool append_only(const std::string& folder)
{
#ifdef __linux__
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int flags = 0;
    const bool got = fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (fd >= 0)
        close(fd);
    return got && (flags & FS_APPEND_FL);
#else
    (void)folder;
    return false;
#endif
}

bool names_open_file(const std::string& path, int fd)
{
    struct stat by_name, open;
    return stat(path.c_str(), &by_name) == 0 && fstat(fd, &open) == 0 && same_inode(by_name, open);
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
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A link in a sticky folder that anyone may write (/tmp) is followed only
// where it is owned by the folder's owner or by this user, as the kernel's
// protected_symlinks rule has it.
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
        const std::string to(link, static_cast<std::size_t>(n));
        at = to[0] == '/' ? to : folder_of(at) + "/" + to;
    }
    error = ELOOP;
    return {};
}

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

int share_folder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0)
        while (flock(fd, LOCK_SH) != 0 && errno == EINTR) {
        }
    return fd;
}

void unshare_folder(int held)
{
    if (held >= 0)
        close(held);
}

bool one_inode(const std::string& first, const std::string& second)
{
    struct stat a, b;
    return lstat(first.c_str(), &a) == 0 && lstat(second.c_str(), &b) == 0 && same_inode(a, b);
}

std::string temporary_folder()
{
    const char* tmp = std::getenv("TMPDIR");
    return tmp && *tmp ? tmp : "/tmp";
}

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

HeldSignals::HeldSignals()
{
    sigset_t all;
    sigfillset(&all);
    sigprocmask(SIG_BLOCK, &all, &before_);
}

HeldSignals::~HeldSignals() { sigprocmask(SIG_SETMASK, &before_, nullptr); }

void handle_ending_signals(void (*handler)(int))
{
    for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2, SIGVTALRM, SIGPROF}) {
        // Asked without changing it, so that an ignored signal never meets
        // the handler.
        struct sigaction before;
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            std::signal(signal, handler);
    }
}

void end_by(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

FolderLock::FolderLock(const std::string& folder, const std::string& waiting_line)
{
    fd_ = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    for (int tries = 0; tries < 20; ++tries) {
        if (flock(fd_, LOCK_EX | LOCK_NB) == 0)
            return;
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        usleep(50000);
    }
    if (!waiting_line.empty()) {
        std::fputs(waiting_line.c_str(), stderr);
        std::fflush(stderr);
    }
    while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        close(fd_);
}

bool same_file(const std::string& first, const std::string& second)
{
    struct stat a, b;
    if (stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0 && same_inode(a, b))
        return true;
    // Links that lead to one name, whether or not a file is there yet: the
    // same name in the same folder.
    int error = 0;
    const std::string to_first = resolve_links(first, error), to_second = resolve_links(second, error);
    const auto name_of = [](const std::string& path) { return path.substr(path.rfind('/') + 1); };
    return !to_first.empty() && !to_second.empty() && name_of(to_first) == name_of(to_second) &&
           stat(folder_of(to_first).c_str(), &a) == 0 && stat(folder_of(to_second).c_str(), &b) == 0 &&
           same_inode(a, b);
}

std::string absolute_folder(const std::string& path)
{
    const std::string folder = path.empty() ? "." : path;
    char resolved[PATH_MAX];
    return realpath(folder.c_str(), resolved) ? resolved : folder;
}

bool stderr_is_terminal() { return isatty(STDERR_FILENO) != 0; }

bool prepare_standard_streams()
{
    // A stream that can be read but not written holds a closed one's place.
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF && open("/dev/null", O_RDONLY) != fd)
            return false;
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    return true;
}

bool messages_in_utf8()
{
    const locale_t ctype = environment_locale(LC_CTYPE_MASK);
    if (!ctype) {
        // A locale named but not installed: its name says its character set.
        for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
            const char* value = std::getenv(name);
            if (value && *value) {
                const char* dot = std::strrchr(value, '.');
                return dot && (strcasecmp(dot, ".UTF-8") == 0 || strcasecmp(dot, ".utf8") == 0);
            }
        }
        return false;
    }
    const bool utf8 = std::strcmp(nl_langinfo_l(CODESET, ctype), "UTF-8") == 0;
    freelocale(ctype);
    return utf8;
}

std::string system_error(int error, bool spanish_asked)
{
    if (!spanish_asked)
        return std::strerror(error);
    // The environment's locale for messages where it is Spanish, else a
    // Spanish one that is installed.
    locale_t spanish = nullptr;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            if (std::strncmp(value, "es", 2) == 0)
                spanish = newlocale(LC_MESSAGES_MASK, value, static_cast<locale_t>(0));
            break;
        }
    }
    for (const char* name : {"es_ES.UTF-8", "es_MX.UTF-8", "es_AR.UTF-8", "es_US.UTF-8"})
        if (!spanish)
            spanish = newlocale(LC_MESSAGES_MASK, name, static_cast<locale_t>(0));
    if (!spanish)
        return std::strerror(error);
    // The text in UTF-8, whatever the environment's character set: the
    // messages are made plain where the terminal does not take UTF-8.
    if (const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", spanish))
        spanish = utf8;
    const std::string text = strerror_l(error, spanish);
    freelocale(spanish);
    return text;
}

bool put_text(std::FILE* stream, const std::string& text)
{
    return std::fputs(text.c_str(), stream) != EOF && std::fflush(stream) == 0;
}

}  // namespace platform

#endif
