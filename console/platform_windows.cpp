// The replacement's system calls on Windows (see platform.h).
#ifdef _WIN32

#include "platform.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <windows.h>


namespace {

HANDLE console_of(std::FILE* stream)
{
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

namespace platform {

namespace {

// The errno that stands for the last Windows error.
int errno_of_last_error()
{
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
               ? EACCES : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EIO;
}

// A file's identity: its volume and index; false where it cannot be opened.
bool identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info)
{
    const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = errno_of_last_error();
        return false;
    }
    const BOOL got = GetFileInformationByHandle(file, &info);
    if (!got)
        errno = errno_of_last_error();
    CloseHandle(file);
    return got != 0;
}

BOOL WINAPI hold_console_break(DWORD kind) { return kind == CTRL_C_EVENT || kind == CTRL_BREAK_EVENT; }

}  // namespace

int process_id() { return _getpid(); }
int stat_of(const std::string& path, Stat& st) { return _stat64(path.c_str(), &st); }
bool regular(const Stat& st) { return (st.st_mode & _S_IFMT) == _S_IFREG; }
bool folder(const Stat& st) { return (st.st_mode & _S_IFMT) == _S_IFDIR; }
int create_new(const std::string& path, bool)
{
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int open_existing(const std::string& path) { return _open(path.c_str(), _O_RDWR | _O_BINARY); }
int open_direct(const std::string& path)
{
    return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
int writable(const std::string& path) { return _access(path.c_str(), 2); }
long long write_fd(int fd, const char* data, std::size_t size)
{
    return _write(fd, data, static_cast<unsigned>(size > 1u << 30 ? 1u << 30 : size));
}
long long read_fd(int fd, char* data, std::size_t size) { return _read(fd, data, static_cast<unsigned>(size)); }
bool rewind_fd(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0; }
bool truncate_fd(int fd, std::size_t size) { return _chsize_s(fd, static_cast<long long>(size)) == 0; }
bool sync_fd(int fd) { return _commit(fd) == 0; }
int close_fd(int fd) { return _close(fd); }
bool remove_file(const std::string& path) { return _unlink(path.c_str()) == 0; }
void remove_in_handler(const char* path) { _unlink(path); }
void remove_folder_in_handler(const char* path) { _rmdir(path); }
void end_child_in_handler(int) {}

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

// Windows keeps no owner or permissions of the earlier file (the new one
// takes the folder's), nor its links: said in the guide and the manual.
bool owner_given(int, const Stat&) { return true; }
bool attributes_kept(const std::string&, const std::string&) { return true; }
bool append_only(const std::string&) { return false; }

bool names_open_file(const std::string& path, int fd)
{
    BY_HANDLE_FILE_INFORMATION by_name, open;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    return identity(path, by_name) && handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &open) &&
           by_name.dwVolumeSerialNumber == open.dwVolumeSerialNumber &&
           by_name.nFileIndexHigh == open.nFileIndexHigh && by_name.nFileIndexLow == open.nFileIndexLow;
}
void sync_folder(const std::string&) {}

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string resolve_links(const std::string& path, int&) { return path; }

// A file open in a live run cannot be removed on Windows: no claim is
// needed, and leftovers are not looked for.
int claim(int) { return -1; }
bool claimed(const std::string&) { return true; }
int share_folder(const std::string&) { return -1; }
void unshare_folder(int) {}
bool one_inode(const std::string&, const std::string&) { return false; }

std::string temporary_folder()
{
    char path[MAX_PATH + 1];
    const DWORD n = GetTempPathA(sizeof path, path);
    if (n == 0 || n > MAX_PATH)
        return ".";
    std::string folder(path, n);
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

std::vector<std::string> names_in(const std::string&) { return {}; }

HeldSignals::HeldSignals() { SetConsoleCtrlHandler(hold_console_break, TRUE); }
HeldSignals::~HeldSignals() { SetConsoleCtrlHandler(hold_console_break, FALSE); }

void handle_ending_signals(void (*handler)(int))
{
    for (int signal : {SIGINT, SIGTERM})
        if (std::signal(signal, handler) == SIG_IGN)
            std::signal(signal, SIG_IGN);
}

void end_by(int signal)
{
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Named after the folder's identity (its volume and file index), so that
// every spelling of it, in any case, takes the same lock.
FolderLock::FolderLock(const std::string& folder, const std::string& waiting_line)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!identity(folder, info)) {
        error_ = errno;
        return;
    }
    const std::string name = "Local\\vdwcoex-" + std::to_string(info.dwVolumeSerialNumber) + "-" +
                             std::to_string(info.nFileIndexHigh) + "-" + std::to_string(info.nFileIndexLow);
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex) {
        error_ = errno_of_last_error();
        return;
    }
    handle_ = mutex;
    if (WaitForSingleObject(mutex, 1000) == WAIT_TIMEOUT) {
        if (!waiting_line.empty()) {
            std::fputs(waiting_line.c_str(), stderr);
            std::fflush(stderr);
        }
        WaitForSingleObject(mutex, INFINITE);
    }
}

FolderLock::~FolderLock()
{
    if (handle_) {
        ReleaseMutex(static_cast<HANDLE>(handle_));
        CloseHandle(static_cast<HANDLE>(handle_));
    }
}

bool same_file(const std::string& first, const std::string& second)
{
    BY_HANDLE_FILE_INFORMATION a, b;
    return platform::identity(first, a) && platform::identity(second, b) &&
           a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
           a.nFileIndexLow == b.nFileIndexLow;
}

std::string absolute_folder(const std::string& path)
{
    const std::string folder = path.empty() ? "." : path;
    char full[_MAX_PATH];
    return _fullpath(full, folder.c_str(), sizeof full) ? full : folder;
}

bool stderr_is_terminal() { return _isatty(_fileno(stderr)) != 0; }

// Windows has no SIGPIPE nor SIGXFSZ, and hands a closed stream's number to
// no file.
bool prepare_standard_streams() { return true; }

bool messages_in_utf8() { return console_of(stderr) != nullptr; }

// The C runtime's texts are English; Windows' own are not used here.
std::string system_error(int error, bool) { return std::strerror(error); }

bool put_text(std::FILE* stream, const std::string& text)
{
    HANDLE console = console_of(stream);
    if (!console)
        return std::fputs(text.c_str(), stream) != EOF && std::fflush(stream) == 0;
    std::fflush(stream);
    const int size = static_cast<int>(text.size());
    const int wide_size = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wide_size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), wide_size);
    DWORD written = 0;
    return WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
}

}  // namespace platform

#endif
