// The terminal the program runs in. While an InterruptGuard lives, an
// interrupt (Ctrl-C) or a termination request does not end the program but
// sets a flag that long work polls to stop cleanly; the handling that was in
// place before comes back when the guard goes away.
#pragma once

#include <memory>

namespace vantrel {

class InterruptGuard {
  public:
    // Clears the flag.
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True when an interrupt arrived since the last guard was made.
    static bool Interrupted();
    // The signal that arrived (SIGINT for Ctrl-C, SIGTERM), 0 for none.
    static int Signal();

  private:
    struct Previous;
    std::unique_ptr<Previous> previous_;
};

// True when standard output goes to a terminal (not a file or a pipe).
bool StdoutIsTerminal();
// The same for standard error, where progress is drawn.
bool StderrIsTerminal();
// The width in columns of the terminal on standard error; $COLUMNS, else 80,
// when it does not say.
int TerminalColumns();

}  // namespace vantrel
