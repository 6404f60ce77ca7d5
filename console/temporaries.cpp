// The registry of the run's temporary files (see temporaries.h).
#include "temporaries.h"

#include <csignal>

#include "platform.h"

namespace {

using namespace platform;

// The temporary files of this run, for the signal handler: at most two per
// file of the run, each name copied into a fixed slot while the file exists,
// so that the handler reads only memory that never moves or changes under it;
// the last slot is the scratch folder's, removed after the files; and the
// child making the workbook. Mutable, at namespace scope, because a signal
// handler can reach nothing else; the program's only other such variable is
// what its new handler says.
constexpr size_t slots = 12, folder_slot = slots - 1, longest_name = 4200;
char signal_handler_pending[slots][longest_name + 1];
volatile std::sig_atomic_t signal_handler_pending_set[slots];
volatile std::sig_atomic_t signal_handler_child;

void set_slot(size_t k, const std::string& name)
{
    name.copy(signal_handler_pending[k], name.size());
    signal_handler_pending[k][name.size()] = '\0';
    signal_handler_pending_set[k] = 1;
}

}  // namespace

void track_folder(const std::string& folder, bool on)
{
    if (!on)
        signal_handler_pending_set[folder_slot] = 0;
    else if (folder.size() <= longest_name)
        set_slot(folder_slot, folder);
}

void track_child(int pid) { signal_handler_child = pid; }

void track(const std::string& temporary, bool on)
{
    for (size_t k = 0; k < folder_slot; ++k) {
        if (on && !signal_handler_pending_set[k] && temporary.size() <= longest_name) {
            set_slot(k, temporary);
            return;
        }
        if (!on && signal_handler_pending_set[k] && temporary == signal_handler_pending[k]) {
            signal_handler_pending_set[k] = 0;
            return;
        }
    }
}

void remove_temporaries()
{
    if (signal_handler_child)
        end_child_in_handler(signal_handler_child);
    for (size_t k = 0; k < folder_slot; ++k)
        if (signal_handler_pending_set[k])
            remove_in_handler(signal_handler_pending[k]);
    if (signal_handler_pending_set[folder_slot])
        remove_folder_in_handler(signal_handler_pending[folder_slot]);
}

namespace {

// Only async-signal-safe calls: kill, waitpid, unlink, rmdir, signal, raise.
extern "C" void remove_and_reraise(int signal)
{
    remove_temporaries();
    end_by(signal);
}

}  // namespace

void remove_temporaries_on_signals() { handle_ending_signals(remove_and_reraise); }
