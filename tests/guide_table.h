// The guide's tables as the tests read them.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Every line of the Markdown file at `path` split at its bars into cells,
// each trimmed, the guide's minus sign (U+2212, in UTF-8) read as '-' and a
// closing " %" dropped; none where the file cannot be read.
inline std::vector<std::vector<std::string>> guide_rows(const char* path)
{
    std::vector<std::vector<std::string>> rows;
    std::ifstream guide(path);
    for (std::string line; std::getline(guide, line);) {
        std::vector<std::string> cells;
        std::istringstream in(line);
        for (std::string cell; std::getline(in, cell, '|');) {
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            if (cell.rfind("\xe2\x88\x92", 0) == 0)
                cell = "-" + cell.substr(3);
            if (cell.size() > 2 && cell.compare(cell.size() - 2, 2, " %") == 0)
                cell.erase(cell.size() - 2);
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}
