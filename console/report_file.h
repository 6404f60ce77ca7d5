// The files of a run, replaced together or not at all, as a careful editor
// replaces a file: how, and what each failure leaves, is told once, in
// docs/development.md under "When a run fails".
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct ReportFile {
    enum class Way { rename, in_place, direct };

    std::string path;        // the name given, for messages
    std::string target;      // the file finally written
    std::string temporary;   // rename: the new text, until renamed over the target
    std::string folder;      // the target's folder
    std::string backup;      // while committing, the earlier text's other name: a second
                             // name of the target (rename) or a copy beside it (in place)
    bool backed_up = false;  // that name made by this run
    std::string earlier;     // in place: the earlier text, while committing
    size_t earlier_room = 0; // in place: what `earlier` can hold without asking for memory
    Way way = Way::rename;
    bool existed = false;    // in place: where not, the target is created by the commit
    bool lasting_names = false;  // the folder gives up no name (append-only): none is made
    bool committed = false;
    int fd = -1;             // the temporary or the target, while open
    int claim = -1;          // rename: the temporary's lock, held until the run ends
};

// Why a run's files could not be replaced.
struct FileError {
    enum class Kind {
        create,         // a file could not be created or opened
        folder,         // the folder takes no new file (no temporary and no target there)
        write,          // a file could not be written; every file is as before
        mixed,          // a file could not be written, nor could the others be put back
        lock,           // the folder cannot be locked against other runs; every file is as before
    };
    Kind kind = Kind::create;
    std::string file;                // the file concerned
    std::string folder;              // Kind::folder, Kind::lock: the folder
    int error = 0;                   // errno
    std::vector<std::string> fresh;  // Kind::mixed: the files that are new; the rest are as before
    std::vector<std::string> kept_as;  // Kind::mixed: where the earlier texts of new files are kept
};

// Prepares `file` to be replaced at `path`: decides how, and creates the
// temporary or opens the target. False with `failure` set where it cannot.
bool open_report(ReportFile& file, const std::string& path, FileError& failure);

// Writes the new text where it waits until the commit (temporary: written,
// synced and closed; direct: written and closed; in place: nothing yet).
bool write_report(ReportFile& file, const std::string& text, FileError& failure);

// Replaces every file with its text, or none; `texts` are those written.
// Where it has waited a second for another run's lock on the folder, it
// says `waiting_line` on standard error, once, and goes on waiting.
bool commit_reports(std::vector<ReportFile>& files, const std::vector<std::string>& texts,
                    const std::string& waiting_line, FileError& failure);

// Closes what is open and removes the temporary file, if any.
void discard_report(ReportFile& file);

// 0 where `path` names a folder, otherwise the errno that says why not.
int folder_error(const std::string& path);
