// Everything the console program asks of the system, one seam with two
// sides: platform_posix.cpp and platform_windows.cpp. The calls of the
// careful replacement set errno where they fail. Nothing on either side
// calls back into the program.
#pragma once

#include <cstddef>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace platform {

#ifdef _WIN32
using Stat = struct _stat64;
#else
using Stat = struct stat;
#endif

int process_id();
int stat_of(const std::string& path, Stat& st);  // follows links; 0 where it exists
bool regular(const Stat& st);
bool folder(const Stat& st);

// Descriptors: a new file (fails where it exists), an existing one to read
// and write, and one written directly (created or emptied).
int create_new(const std::string& path, bool owner_only = false);  // owner_only: mode 600
int open_existing(const std::string& path);
int open_direct(const std::string& path);
int writable(const std::string& path);  // 0 where it may be written
long long write_fd(int fd, const char* data, std::size_t size);
long long read_fd(int fd, char* data, std::size_t size);
bool rewind_fd(int fd);
bool truncate_fd(int fd, std::size_t size);
bool sync_fd(int fd);
int close_fd(int fd);
bool remove_file(const std::string& path);
// Removes a file from a signal handler: async-signal-safe.
void remove_in_handler(const char* path);

// Removes an empty folder, and ends a child process and waits for it, from a
// signal handler: async-signal-safe.
void remove_folder_in_handler(const char* path);
void end_child_in_handler(int pid);

bool rename_over(const std::string& from, const std::string& to);
bool second_name(const std::string& file, const std::string& name);  // a hard link
// Whether the file may be renamed over now (not while another program holds
// it open without sharing its deletion).
bool replaceable(const std::string& path);
// The new file takes the earlier one's owner, group and permissions.
bool owner_given(int fd, const Stat& st);
// Whether every extended attribute (access lists included) and inode flag
// of `from` is on `to` too, with the same value: a rename of `to` over
// `from` would keep them.
bool attributes_kept(const std::string& from, const std::string& to);
// Whether the folder takes new names but gives up none (chattr +a): a file
// made there can never be removed.
bool append_only(const std::string& folder);
// Whether `path` names the open file (same device and inode).
bool names_open_file(const std::string& path, int fd);
void sync_folder(const std::string& path);
std::string folder_of(const std::string& path);
// The file that `path` leads to through its symbolic links, whether or not it
// exists; empty with `error` set for a loop, a name too long, or a link the
// kernel would not follow either (protected_symlinks).
std::string resolve_links(const std::string& path, int& error);

// A temporary is claimed by its run with a lock on it, held by a second
// descriptor (returned) until the run ends: a later run knows a live run's
// temporary from one a killed run left by whether it can take that lock.
int claim(int fd);
bool claimed(const std::string& path);
// The folder's lock taken shared (returned) while a temporary is made and
// claimed, so that a run cleaning up never sees one unclaimed.
int share_folder(const std::string& folder);
void unshare_folder(int held);
bool one_inode(const std::string& first, const std::string& second);  // links not followed
std::vector<std::string> names_in(const std::string& folder);
// The system's folder for temporary files: $TMPDIR or /tmp; on Windows,
// GetTempPath's, without its closing backslash.
std::string temporary_folder();

// Every signal that can be held back (Ctrl-C and Ctrl-Break on Windows) is
// held while one of these lives; not nested.
class HeldSignals {
public:
    HeldSignals();
    ~HeldSignals();
    HeldSignals(const HeldSignals&) = delete;
    HeldSignals& operator=(const HeldSignals&) = delete;

private:
#ifndef _WIN32
    sigset_t before_;  // the mask to go back to
#endif
};
// The signals whose default action ends the run, handled by `handler`
// unless ignored when the program started; and a signal's default action
// taken again, from the handler, to end the run as it would have.
void handle_ending_signals(void (*handler)(int));
void end_by(int signal);

// The folder's lock against other runs: tried for a second, then
// `waiting_line` (if not empty) is written to standard error once, then
// waited for.
class FolderLock {
public:
    FolderLock(const std::string& folder, const std::string& waiting_line);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    // 0 once held; otherwise why not (a folder that cannot be read).
    int error() const { return error_; }

private:
    int error_ = 0;
#ifdef _WIN32
    void* handle_ = nullptr;  // the mutex
#else
    int fd_ = -1;             // the folder, locked
#endif
};

// Whether the two names lead to one file (hard or symbolic links), or
// through symbolic links to one name where no file is yet: such a run would
// lose one of its tables.
bool same_file(const std::string& first, const std::string& second);

// The absolute name of the folder `path` (the current one where empty).
std::string absolute_folder(const std::string& path);

bool stderr_is_terminal();

// Before anything is opened: a closed standard stream gets a stand-in, so
// that a report does not take its number; a console or report that cannot
// take more fails the write instead of ending the run. False where a stream
// cannot be stood in for.
bool prepare_standard_streams();

// The terminal: whether messages may be written in UTF-8 (the locale's
// character set is UTF-8, or standard error is a Windows console); the
// system's text for an errno, Spanish where asked for and a Spanish locale
// is installed, in UTF-8; and UTF-8 text written to a stream (on a Windows
// console as wide characters), false if it could not be.
bool messages_in_utf8();
std::string system_error(int error, bool spanish);
bool put_text(std::FILE* stream, const std::string& text);

}  // namespace platform
