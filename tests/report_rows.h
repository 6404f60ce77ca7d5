// Reading the reports back: lines, rows after the rule, and their fields.
#pragma once

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

// The lines of a report, split at CR LF.
inline std::vector<std::string> lines_of(const std::string& s)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = s.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(s.substr(start));
            return lines;
        }
        lines.push_back(s.substr(start, end - start));
        start = end + 2;
    }
}

inline std::vector<std::string> fields_of(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> fields;
    for (std::string f; in >> f;)
        fields.push_back(f);
    return fields;
}

// The non-empty lines after the line of 90 "=".
inline std::vector<std::string> rows_of(const std::string& report)
{
    std::vector<std::string> rows;
    bool after_rule = false;
    for (const auto& line : lines_of(report)) {
        if (after_rule && !line.empty())
            rows.push_back(line);
        if (line == std::string(90, '='))
            after_rule = true;
    }
    return rows;
}

// The numbers of a row; a state word such as "eq" reads as 0.
inline std::vector<double> numbers_of(const std::string& line)
{
    std::vector<double> numbers;
    for (const auto& f : fields_of(line))
        numbers.push_back(std::strtod(f.c_str(), nullptr));
    return numbers;
}
