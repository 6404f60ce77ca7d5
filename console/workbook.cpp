#include "workbook.h"

#if VDWCOEX_XLSX

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include "tables_csv.h"

namespace {

// libxlsxwriter, loaded the first time a workbook is asked for: a run
// without one does not pay for loading it and the libraries it needs.
struct Library {
    bool loaded = false;
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
    return lib;
}

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
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in)
        return false;
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, got);
    const bool ok = !std::ferror(in);
    std::fclose(in);
    return ok;
}

}  // namespace

bool workbook_available() { return library().loaded; }

bool make_workbook(const std::vector<Sheet>& sheets, const std::vector<std::array<std::string, 2>>& about,
                   std::string& bytes, int& error, std::string& reason)
{
    // libxlsxwriter writes to a named file: one in a folder of this run's own
    // under the system's temporary folder, read back and removed.
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/vdwcoex-XXXXXX";
    if (!mkdtemp(folder.data())) {
        error = errno;
        return false;
    }
    const std::string path = folder + "/vdwcoex.xlsx";
    const Library& lib = library();
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook* book = lib.new_opt(path.c_str(), &options);
    lxw_error written = LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (book) {
        lxw_format* bold = lib.add_format(book);
        lib.set_bold(bold);
        for (const Sheet& sheet : sheets)
            add_sheet(lib, book, sheet.name.c_str(), sheet.table, bold);
        add_about(lib, book, about, bold);
        written = lib.close(book);
    }
    const bool ok = written == LXW_NO_ERROR && read_all(path, bytes);
    if (written != LXW_NO_ERROR)
        reason = lib.strerror(written);
    else if (!ok)
        error = errno ? errno : EIO;
    std::remove(path.c_str());
    rmdir(folder.c_str());
    return ok;
}

#else

bool workbook_available() { return false; }

bool make_workbook(const std::vector<Sheet>&, const std::vector<std::array<std::string, 2>>&, std::string&, int&,
                   std::string&)
{
    return false;
}

#endif
