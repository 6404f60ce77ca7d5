// The registry of the run's temporary files (see temporaries.h).
#include "temporaries.h"

#include <csignal>

#include "platform.h"

namespace {

using namespace platform;

// The temporary files of this run, for the signal handler: at most one per
// file of the run, each name copied into a fixed slot while the file exists,
// so that the handler reads only memory that never moves or changes under it.
// Mutable, at namespace scope, because a signal handler can reach nothing
// else; the program's only other such variable is what its new handler says.
constexpr size_t slots = 8, longest_name = 4200;
char signal_handler_pending[slots][longest_name + 1];
volatile std::sig_atomic_t signal_handler_pending_set[slots];

}  // namespace

void track(const std::string& temporary, bool on)
{
    for (size_t k = 0; k < slots; ++k) {
        if (on && !signal_handler_pending_set[k] && temporary.size() <= longest_name) {
            temporary.copy(signal_handler_pending[k], temporary.size());
            signal_handler_pending[k][temporary.size()] = '\0';
            signal_handler_pending_set[k] = 1;
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
    for (size_t k = 0; k < slots; ++k)
        if (signal_handler_pending_set[k])
            remove_in_handler(signal_handler_pending[k]);
}

namespace {

// Only async-signal-safe calls: unlink, signal, raise.
extern "C" void remove_and_reraise(int signal)
{
    remove_temporaries();
    end_by(signal);
}

}  // namespace

void remove_temporaries_on_signals() { handle_ending_signals(remove_and_reraise); }
