#include "platform/interrupt_guard.h"

#include <signal.h>
#include <unistd.h>

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

}  // namespace vantrel
