#include "workbook.h"

#if VDWCOEX_XLSX

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#ifndef _WIN32
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/prctl.h>
#endif
#include <xlsxwriter.h>

#include "platform.h"
#include "tables_csv.h"
#include "temporaries.h"

namespace {

// libxlsxwriter, loaded the first time a workbook is asked for: a run
// without one does not pay for loading it and the libraries it needs. On
// Windows it is linked into the program, which stays one file.
struct Library {
    bool loaded = false;
    std::string why;  // the loader's words where it is not loaded
    decltype(&workbook_new_opt) new_opt = nullptr;
    decltype(&workbook_add_format) add_format = nullptr;
    decltype(&format_set_bold) set_bold = nullptr;
    decltype(&workbook_add_worksheet) add_worksheet = nullptr;
    decltype(&worksheet_write_string) write_string = nullptr;
    decltype(&worksheet_write_number) write_number = nullptr;
    decltype(&worksheet_set_column) set_column = nullptr;
    decltype(&worksheet_freeze_panes) freeze_panes = nullptr;
    decltype(&workbook_close) close = nullptr;
    decltype(&lxw_strerror) strerror = nullptr;
};

#if VDWCOEX_XLSX_LINKED

Library load()
{
    Library lib;
    lib.loaded = true;
    lib.new_opt = workbook_new_opt;
    lib.add_format = workbook_add_format;
    lib.set_bold = format_set_bold;
    lib.add_worksheet = workbook_add_worksheet;
    lib.write_string = worksheet_write_string;
    lib.write_number = worksheet_write_number;
    lib.set_column = worksheet_set_column;
    lib.freeze_panes = worksheet_freeze_panes;
    lib.close = workbook_close;
    lib.strerror = lxw_strerror;
    return lib;
}

#else

template <class F>
bool find_symbol(void* handle, const char* name, F& f)
{
    f = reinterpret_cast<F>(dlsym(handle, name));
    return f != nullptr;
}

Library load()
{
    Library lib;
    void* handle = dlopen(VDWCOEX_XLSX_SONAME, RTLD_NOW | RTLD_LOCAL);
    lib.loaded = handle && find_symbol(handle, "workbook_new_opt", lib.new_opt) &&
                 find_symbol(handle, "workbook_add_format", lib.add_format) &&
                 find_symbol(handle, "format_set_bold", lib.set_bold) &&
                 find_symbol(handle, "workbook_add_worksheet", lib.add_worksheet) &&
                 find_symbol(handle, "worksheet_write_string", lib.write_string) &&
                 find_symbol(handle, "worksheet_write_number", lib.write_number) &&
                 find_symbol(handle, "worksheet_set_column", lib.set_column) &&
                 find_symbol(handle, "worksheet_freeze_panes", lib.freeze_panes) &&
                 find_symbol(handle, "workbook_close", lib.close) && find_symbol(handle, "lxw_strerror", lib.strerror);
    if (!lib.loaded)
        if (const char* why = dlerror())
            lib.why = why;
    return lib;
}

#endif

const Library& library()
{
    static const Library lib = load();
    return lib;
}

// A cell's digits as the number they print; nan and the like stay text,
// since a spreadsheet has no such number.
void write_cell(const Library& lib, lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view cell)
{
    if (cell.empty())
        return;
    const std::string text(cell);
    char* end = nullptr;
    const double x = std::strtod(text.c_str(), &end);
    if (end == text.c_str() + text.size() && std::isfinite(x))
        lib.write_number(sheet, row, col, x, nullptr);
    else
        lib.write_string(sheet, row, col, text.c_str(), nullptr);
}

void add_sheet(const Library& lib, lxw_workbook* book, const char* name, const Table& table, lxw_format* bold)
{
    lxw_worksheet* sheet = lib.add_worksheet(book, name);
    for (size_t col = 0; col < table.names.size(); ++col) {
        lib.write_string(sheet, 0, lxw_col_t(col), std::string(table.names[col]).c_str(), bold);
        lib.write_string(sheet, 1, lxw_col_t(col), std::string(table.units[col]).c_str(), bold);
    }
    for (size_t row = 0; row < table.rows.size(); ++row)
        for (size_t col = 0; col < table.rows[row].size(); ++col)
            write_cell(lib, sheet, lxw_row_t(row + 2), lxw_col_t(col), table.rows[row][col]);
    lib.set_column(sheet, 0, lxw_col_t(table.names.size() - 1), 14, nullptr);
    lib.freeze_panes(sheet, 2, 0);
}

void add_about(const Library& lib, lxw_workbook* book, const std::vector<std::array<std::string, 2>>& about, lxw_format* bold)
{
    lxw_worksheet* sheet = lib.add_worksheet(book, "about");
    lxw_row_t row = 0;
    for (const auto& [name, value] : about) {
        lib.write_string(sheet, row, 0, name.c_str(), bold);
        write_cell(lib, sheet, row, 1, value);
        ++row;
    }
    lib.set_column(sheet, 0, 0, 22, nullptr);
    lib.set_column(sheet, 1, 1, 40, nullptr);
}

// The whole of a file, or false.
bool read_all(const std::string& path, std::string& bytes)
{
    const int in = platform::open_existing(path);
    if (in < 0)
        return false;
    char buffer[65536];
    long long got;
    while ((got = platform::read_fd(in, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<size_t>(got));
    platform::close_fd(in);
    return got == 0;
}

// The workbook written at `path`, the library's scratch files in `folder`:
// the sheets, then the lines of the "about" sheet.
lxw_error write_book(const Library& lib, const std::vector<Sheet>& sheets,
                     const std::vector<std::array<std::string, 2>>& about, const std::string& path,
                     const std::string& folder)
{
    lxw_workbook_options options{};
    std::string scratch = folder;
    options.tmpdir = scratch.data();
    lxw_workbook* book = lib.new_opt(path.c_str(), &options);
    if (!book)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_format* bold = lib.add_format(book);
    lib.set_bold(bold);
    for (const Sheet& sheet : sheets)
        add_sheet(lib, book, sheet.name.c_str(), sheet.table, bold);
    add_about(lib, book, about, bold);
    return lib.close(book);
}

#ifndef _WIN32

// The workbook is made in a child process: libxlsxwriter does not always
// fail cleanly where memory runs out (it may say so, then crash), and a
// child's end, however it comes, leaves the run whole to report it. Its exit
// status says how it went: made, out of memory, or the library's error
// added to library_error.
constexpr int made = 0, child_out_of_memory = 3, library_error = 16;

// The scratch folders, vdwcoex-XXXXXX in the system's temporary folder: the
// library writes only to a named file. A run marks its own with a file of
// its own name and text, written once the folder is claimed; a folder is
// taken for one that a killed run left only where it has that mark, mode
// 0700 as mkdtemp makes it, and nothing but regular files a run puts there
// (the mark, the workbook and the library's temporaries, tmp.*). Anything
// else in a folder of that name is somebody else's, and is never touched.
constexpr char scratch_prefix[] = "vdwcoex-";
constexpr char scratch_mark[] = ".vdwcoex-scratch";
constexpr char scratch_mark_text[] = "vdwcoex: a scratch folder for one workbook, removed when its run ends\n";
constexpr char workbook_name[] = "vdwcoex.xlsx";

bool scratch_name(const char* name)
{
    const size_t prefix = sizeof scratch_prefix - 1;
    if (std::strncmp(name, scratch_prefix, prefix) != 0 || std::strlen(name) != prefix + 6)
        return false;
    for (const char* c = name + prefix; *c; ++c)
        if (!std::isalnum(static_cast<unsigned char>(*c)))
            return false;
    return true;
}

// A name the library gives its temporary files in the scratch folder.
bool library_temporary(const std::string& name) { return name.compare(0, 4, "tmp.") == 0 && name.size() > 4; }

// Whether the open folder `dir` holds this program's mark and, besides it,
// only regular files named as a run names them (none of them a link).
bool only_ours(int dir, const std::vector<std::string>& names)
{
    bool marked = false;
    for (const std::string& name : names) {
        if (name == "." || name == "..")
            continue;
        struct stat st;
        if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) || st.st_nlink != 1)
            return false;
        if (name == scratch_mark) {
            const int fd = openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (fd < 0)
                return false;
            char text[sizeof scratch_mark_text + 1];
            const ssize_t got = read(fd, text, sizeof text);
            close(fd);
            marked = got == ssize_t(sizeof scratch_mark_text - 1) &&
                     std::memcmp(text, scratch_mark_text, sizeof scratch_mark_text - 1) == 0;
            if (!marked)
                return false;
        } else if (name != workbook_name && !library_temporary(name)) {
            return false;
        }
    }
    return marked;
}

// Removes the scratch folders that runs of this user's were killed in: a
// live run, and its child, hold a lock on theirs until it is gone, and the
// lock is taken here too while a folder is judged and emptied. Nothing here
// waits: a folder locked by anyone is left as it is.
void remove_stale_scratch(const std::string& tmp)
{
    for (const std::string& name : platform::names_in(tmp)) {
        if (!scratch_name(name.c_str()))
            continue;
        const std::string folder = tmp + "/" + name;
        const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (dir < 0)
            continue;
        struct stat st;
        if (fstat(dir, &st) == 0 && st.st_uid == geteuid() && (st.st_mode & 07777) == 0700 &&
            flock(dir, LOCK_EX | LOCK_NB) == 0) {
            const std::vector<std::string> names = platform::names_in(folder);
            if (only_ours(dir, names)) {
                for (const std::string& file : names)
                    if (file != "." && file != ".." && file != scratch_mark)
                        unlinkat(dir, file.c_str(), 0);
                // The mark goes last: a folder whose clean-up is cut short
                // is still known for one of ours.
                if (unlinkat(dir, scratch_mark, 0) == 0)
                    rmdir(folder.c_str());
            }
        }
        close(dir);
    }
}

// Removes the library's temporaries that a child ended at the wrong moment
// can leave in the scratch folder, open as `dir`.
void remove_library_temporaries(const std::string& folder, int dir)
{
    for (const std::string& name : platform::names_in(folder))
        if (library_temporary(name))
            unlinkat(dir, name.c_str(), 0);
}

// A scratch folder of the run's own in `tmp`, claimed, marked and tracked for
// the signal handler with its mark (`mark`); its lock is held by the
// returned descriptor (-1 where none could be made, with errno saying why).
int make_scratch(const std::string& tmp, std::string& folder, std::string& mark)
{
    folder = tmp + "/" + scratch_prefix + "XXXXXX";
    mark.clear();
    const platform::HeldSignals held;
    if (!mkdtemp(folder.data()))
        return -1;
    const int opened = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    const int claim = opened >= 0 ? platform::claim(opened) : -1;
    int error = errno;
    if (opened >= 0)
        close(opened);
    int marked = -1;
    if (claim >= 0) {
        marked = openat(claim, scratch_mark, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        const ssize_t length = sizeof scratch_mark_text - 1;
        const bool whole = marked >= 0 && write(marked, scratch_mark_text, length) == length;
        error = errno;
        if (marked >= 0)
            close(marked);
        if (!whole && marked >= 0) {
            unlinkat(claim, scratch_mark, 0);
            marked = -1;
        }
    }
    if (marked < 0) {
        rmdir(folder.c_str());
        if (claim >= 0)
            close(claim);
        errno = error ? error : EIO;
        return -1;
    }
    mark = folder + "/" + scratch_mark;
    track(mark, true);
    track_folder(folder, true);
    return claim;
}

// In the child: the workbook written at `path`, the library's messages sent
// to `messages`; never returns.
[[noreturn]] void make_in_child(const Library& lib, const std::vector<Sheet>& sheets,
                                const std::vector<std::array<std::string, 2>>& about, const std::string& path,
                                const std::string& folder, pid_t parent, int messages)
{
    // The run's handlers would remove the run's files: here a signal just
    // ends the child, and the run sees it end.
    platform::handle_ending_signals(SIG_DFL);
#ifdef __linux__
    // A run killed takes its child along.
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent)
        _exit(library_error);
#else
    (void)parent;
#endif
    dup2(messages, STDERR_FILENO);
    std::set_new_handler([] { _exit(child_out_of_memory); });
    errno = 0;
    const lxw_error written = write_book(lib, sheets, about, path, folder);
    // The zip library's failures for want of memory come back as zip errors:
    // the C library's errno tells them apart.
    _exit(written == LXW_NO_ERROR                                       ? made
          : written == LXW_ERROR_MEMORY_MALLOC_FAILED || errno == ENOMEM ? child_out_of_memory
                                                                        : library_error + static_cast<int>(written));
}

// What the child says on its standard error, up to `room` - 1 bytes, until
// it ends.
void read_messages(int from, char* said, size_t room)
{
    size_t have = 0;
    for (;;) {
        char chunk[512];
        const ssize_t n = read(from, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        const size_t take = std::min(static_cast<size_t>(n), room - 1 - have);
        std::memcpy(said + have, chunk, take);
        have += take;
    }
    said[have] = '\0';
}

// Runs the child and waits for it; how it ended in `status`.
bool run_child(const Library& lib, const std::vector<Sheet>& sheets,
               const std::vector<std::array<std::string, 2>>& about, const std::string& path,
               const std::string& folder, int& status, char* said, size_t room)
{
    int messages[2];
    if (pipe(messages) != 0)
        return false;
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        close(messages[0]);
        make_in_child(lib, sheets, about, path, folder, parent, messages[1]);
    }
    const int error = errno;
    close(messages[1]);
    if (child < 0) {
        close(messages[0]);
        errno = error;
        return false;
    }
    track_child(child);
    read_messages(messages[0], said, room);
    close(messages[0]);
    // Waited for without taking its status, then taken with the signals held:
    // the handler never meets a child that is gone.
    siginfo_t info;
    while (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    const platform::HeldSignals held;
    track_child(0);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return true;
}

}  // namespace

int workbook_writer(std::string& why)
{
    const Library& lib = library();
    if (lib.loaded)
        return 0;
    why = lib.why;
    const bool memory = why.find("failed to map segment") != std::string::npos ||
                        why.find("allocate memory") != std::string::npos;
    return memory ? ENOMEM : ENOENT;
}

bool make_workbook(const std::vector<Sheet>& sheets, const std::vector<std::array<std::string, 2>>& about,
                   std::string& bytes, int& error, std::string& reason, std::string& refused)
{
    const std::string tmp = platform::temporary_folder();
    remove_stale_scratch(tmp);
    std::string folder, mark;
    const int claim = make_scratch(tmp, folder, mark);
    if (claim < 0) {
        error = errno;
        refused = tmp;
        return false;
    }
    const std::string path = folder + "/" + workbook_name;
    track(path, true);
    int status = 0;
    char said[4096] = "";
    bool ok = false;
    if (!run_child(library(), sheets, about, path, folder, status, said, sizeof said)) {
        error = errno;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == made) {
        ok = read_all(path, bytes);
        if (!ok)
            error = errno ? errno : EIO;
    } else if ((WIFEXITED(status) && WEXITSTATUS(status) == child_out_of_memory) ||
               std::strstr(said, "Memory allocation failed")) {
        error = ENOMEM;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) > library_error) {
        reason = library().strerror(static_cast<lxw_error>(WEXITSTATUS(status) - library_error));
    } else if (WIFSIGNALED(status)) {
        reason = strsignal(WTERMSIG(status));
    } else {
        error = EIO;
    }
    // Emptied through the folder's own descriptor, whatever its name now
    // leads to.
    const platform::HeldSignals held;
    unlinkat(claim, workbook_name, 0);
    track(path, false);
    remove_library_temporaries(folder, claim);
    unlinkat(claim, scratch_mark, 0);
    track(mark, false);
    rmdir(folder.c_str());
    track_folder(folder, false);
    close(claim);
    return ok;
}

#else

// On Windows the workbook is made in the run itself, in a file of its own
// in the temporary folder, removed by a Ctrl-C as the run's temporaries are.
}  // namespace

int workbook_writer(std::string&) { return 0; }

bool make_workbook(const std::vector<Sheet>& sheets, const std::vector<std::array<std::string, 2>>& about,
                   std::string& bytes, int& error, std::string& reason, std::string& refused)
{
    const std::string tmp = platform::temporary_folder();
    std::string path;
    int fd = -1;
    {
        const platform::HeldSignals held;
        for (int n = 0; fd < 0 && n < 100; ++n) {
            path = tmp + "\\vdwcoex-" + std::to_string(platform::process_id()) + "-" + std::to_string(n) + ".xlsx";
            fd = platform::create_new(path, true);
            if (fd < 0 && errno != EEXIST)
                break;
        }
        if (fd >= 0)
            track(path, true);
    }
    if (fd < 0) {
        error = errno;
        refused = tmp;
        return false;
    }
    platform::close_fd(fd);
    errno = 0;
    const lxw_error written = write_book(library(), sheets, about, path, tmp);
    bool ok = false;
    if (written == LXW_NO_ERROR) {
        ok = read_all(path, bytes);
        if (!ok)
            error = errno ? errno : EIO;
    } else if (written == LXW_ERROR_MEMORY_MALLOC_FAILED || errno == ENOMEM) {
        error = ENOMEM;
    } else {
        reason = library().strerror(written);
    }
    const platform::HeldSignals held;
    platform::remove_file(path);
    track(path, false);
    return ok;
}

#endif

#else

int workbook_writer(std::string&) { return ENOSYS; }

bool make_workbook(const std::vector<Sheet>&, const std::vector<std::array<std::string, 2>>&, std::string&, int&,
                   std::string&, std::string&)
{
    return false;
}

#endif
