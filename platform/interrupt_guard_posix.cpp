#include "platform/interrupt_guard.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdlib>

namespace vantrel {

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int signal) {
    g_interrupted = signal;
}

}  // namespace

struct InterruptGuard::Previous {
    struct sigaction interrupt {};
    struct sigaction terminate {};
};

InterruptGuard::InterruptGuard() : previous_(std::make_unique<Previous>()) {
    g_interrupted = 0;
    struct sigaction sa {};
    sa.sa_handler = OnInterrupt;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &previous_->interrupt);
    sigaction(SIGTERM, &sa, &previous_->terminate);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &previous_->interrupt, nullptr);
    sigaction(SIGTERM, &previous_->terminate, nullptr);
}

bool InterruptGuard::Interrupted() {
    return g_interrupted != 0;
}

int InterruptGuard::Signal() {
    return g_interrupted;
}

bool StdoutIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

bool StderrIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

int TerminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    if (const char* columns = std::getenv("COLUMNS")) {
        const int n = std::atoi(columns);
        if (n > 0 && n < 10000)
            return n;
    }
    return 80;
}

}  // namespace vantrel
