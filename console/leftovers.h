// The clean-up of what killed runs left beside the reports.
#pragma once

#include <string>
#include <vector>

// A backup left beside a report that may hold its only earlier text.
struct EarlierText {
    std::string backup;  // its name, in the report's folder
    std::string report;  // the report's name as the run was given it
    long long bytes = 0;
    long long modified = 0;  // seconds since 1970
};

// Under the lock on their folder (waiting as commit_reports waits), removes
// what killed runs left beside the files at `paths`: temporaries that no
// live run claims, and backups that are only a second name of their report
// (which would make every later run write it in place) or a copy of what it
// holds. A backup that holds another text is kept and returned, to be said.
// Beside the files at `others`, which this run does not write (a '*' in a
// name stands for any substance's key or equation's prefix), only the
// temporaries no live run claims are removed: its backups are the business
// of the run that writes them. Not on Windows, where a live run's files
// cannot be removed anyway.
std::vector<EarlierText> remove_leftovers(const std::vector<std::string>& paths, const std::vector<std::string>& others,
                                          const std::string& waiting_line);
