// The run's temporary files, known to a signal handler so that a run ended
// by a signal leaves none behind.
#pragma once

#include <string>

// Starts (on) or stops (off) tracking a temporary file; called with the
// signals held back.
void track(const std::string& temporary, bool on);

// The same for a scratch folder of the run's own, removed after the files
// (it holds none but tracked ones), and for a child process making a file
// there, ended and waited for before anything is removed; 0 for none.
void track_folder(const std::string& folder, bool on);
void track_child(int pid);

// Until they stop being tracked, temporary files are removed when the run is
// ended by a signal whose default action ends it (HUP, INT, QUIT, TERM, ALRM,
// USR1, USR2, VTALRM, PROF); the signal then ends it as before. A signal
// ignored when the program started (nohup, a background job) stays ignored.
void remove_temporaries_on_signals();

// Removes the tracked temporary files; for a run that must end at once (no
// memory left), as the signal handler does.
void remove_temporaries();
