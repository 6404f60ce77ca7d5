// The clean-up of what killed runs left beside the reports.
#pragma once

#include <string>
#include <vector>

// Under the lock on their folder (waiting as commit_reports waits), removes
// what killed runs left beside the files at `paths`: temporaries that no
// live run claims, and backups that are only a second name of their report
// (which would make every later run write it in place). A backup that holds
// an earlier text is kept. Not on Windows, where a live run's files cannot
// be removed anyway.
void remove_leftovers(const std::vector<std::string>& paths, const std::string& waiting_line);
