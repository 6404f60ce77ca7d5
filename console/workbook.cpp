#include "workbook.h"

#if VDWCOEX_XLSX

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>
#include <xlsxwriter.h>

#include "tables_csv.h"

namespace {

// A cell's digits as the number they print; nan and the like stay text,
// since a spreadsheet has no such number.
void write_cell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view cell)
{
    if (cell.empty())
        return;
    const std::string text(cell);
    char* end = nullptr;
    const double x = std::strtod(text.c_str(), &end);
    if (end == text.c_str() + text.size() && std::isfinite(x))
        worksheet_write_number(sheet, row, col, x, nullptr);
    else
        worksheet_write_string(sheet, row, col, text.c_str(), nullptr);
}

void add_sheet(lxw_workbook* book, const char* name, const Table& table, lxw_format* bold)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, name);
    for (size_t col = 0; col < table.names.size(); ++col) {
        worksheet_write_string(sheet, 0, lxw_col_t(col), std::string(table.names[col]).c_str(), bold);
        worksheet_write_string(sheet, 1, lxw_col_t(col), std::string(table.units[col]).c_str(), bold);
    }
    for (size_t row = 0; row < table.rows.size(); ++row)
        for (size_t col = 0; col < table.rows[row].size(); ++col)
            write_cell(sheet, lxw_row_t(row + 2), lxw_col_t(col), table.rows[row][col]);
    worksheet_set_column(sheet, 0, lxw_col_t(table.names.size() - 1), 14, nullptr);
    worksheet_freeze_panes(sheet, 2, 0);
}

void add_about(lxw_workbook* book, const std::vector<std::array<std::string, 2>>& about, lxw_format* bold)
{
    lxw_worksheet* sheet = workbook_add_worksheet(book, "about");
    lxw_row_t row = 0;
    for (const auto& [name, value] : about) {
        worksheet_write_string(sheet, row, 0, name.c_str(), bold);
        write_cell(sheet, row, 1, value);
        ++row;
    }
    worksheet_set_column(sheet, 0, 0, 22, nullptr);
    worksheet_set_column(sheet, 1, 1, 40, nullptr);
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

bool workbook_available() { return true; }

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
    lxw_workbook_options options{};
    options.tmpdir = folder.data();
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    lxw_error written = LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (book) {
        lxw_format* bold = workbook_add_format(book);
        format_set_bold(bold);
        for (const Sheet& sheet : sheets)
            add_sheet(book, sheet.name.c_str(), sheet.table, bold);
        add_about(book, about, bold);
        written = workbook_close(book);
    }
    const bool ok = written == LXW_NO_ERROR && read_all(path, bytes);
    if (written != LXW_NO_ERROR)
        reason = lxw_strerror(written);
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
