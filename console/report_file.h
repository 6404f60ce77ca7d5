// A report file that is replaced whole or not at all.
//
// A report is written to a temporary file of this run beside the file it
// replaces, and moved over it only once every report of the run has been
// written and closed; a failed or interrupted run leaves the earlier reports
// as they were and no temporary file behind. A name that is a symbolic link
// to a regular file is replaced at the link's target, so the link survives.
// A name that leads to anything but a regular file or nothing (a device such
// as /dev/full, a pipe) is written directly.
#pragma once

#include <cstdio>
#include <string>

struct ReportFile {
    std::string target;          // the file finally written
    std::string temporary;       // where it is written first; empty when written directly
    std::FILE* stream = nullptr;
};

// Each returns 0 on success, otherwise the errno of the failure.

// Opens the report `name` for writing.
int open_report(ReportFile& report, const char* name);

// Writes data and closes the stream.
int write_report(ReportFile& report, const std::string& data);

// Moves the written temporary file over the target.
int commit_report(ReportFile& report);

// Closes the stream if still open and removes the temporary file, if any.
void discard_report(ReportFile& report);

// Until discarded or committed, temporary files are removed when the run is
// ended by SIGINT, SIGTERM or SIGHUP; the signal then ends it as before.
void remove_temporaries_on_signals();

// Removes the temporary files not yet committed or discarded; for a run that
// must end at once (no memory left), as the signal handler does.
void remove_temporaries();

// Holds back those signals while the reports are moved into place, so that
// either both are replaced or neither; the second call lets them through.
void hold_signals(bool hold);

// 0 where `path` names a folder, otherwise the errno that says why not.
int folder_error(const std::string& path);

// The absolute name of the folder `path` (the current one where empty).
std::string absolute_folder(const std::string& path);

bool stderr_is_terminal();
