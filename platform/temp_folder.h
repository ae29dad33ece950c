// The process's private temporary folder: created on first use with
// owner-only permissions under $TMPDIR (or /tmp) as "vantrel-PID-XXXXXX",
// removed when the process ends normally, and also when an interrupt
// (Ctrl-C, SIGINT) or a termination request (SIGTERM) ends it: the process
// then exits with status 128 + the signal number (130 after Ctrl-C). Where
// the program handles those signals itself (an InterruptGuard, or a handler
// installed before the folder was made), that handling stays in place.
//
// While the process lives it holds the system's lock on its folder; the
// first use of the folder removes the folders of this name pattern that
// belong to this user and whose process no longer lives (left behind by a
// process that was killed outright). Nothing of ours ever uses fixed names
// in a shared folder.
#pragma once

#include <string>

namespace vantrel {

// Engine path of the folder; empty when it cannot be created.
const std::string& PrivateTempFolder();

// A new, unused file name inside the private folder, e.g. "license-3.txt".
std::string PrivateTempPath(const std::string& stem, const std::string& extension);

// A further folder (outside the private one) that an interrupt or a
// termination request removes with everything in it, until it is forgotten
// again. A few at a time; false when no place is free.
bool RemoveOnInterrupt(const std::string& folder);
void ForgetOnInterrupt(const std::string& folder);

}  // namespace vantrel
