// The interrupt guard on the console's control handler: Ctrl-C counts as
// SIGINT, Ctrl-Break and closing the console as SIGTERM.
#include <io.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/interrupt_guard.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

volatile LONG g_interrupted = 0;

BOOL WINAPI OnControl(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
            ::InterlockedExchange(&g_interrupted, SIGINT);
            return TRUE;
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
            ::InterlockedExchange(&g_interrupted, SIGTERM);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

struct InterruptGuard::Previous {};

InterruptGuard::InterruptGuard() : previous_(std::make_unique<Previous>()) {
    ::InterlockedExchange(&g_interrupted, 0);
    // Handlers are asked last-installed first: this one answers before the
    // one of the temporary folder, and goes away with the guard.
    ::SetConsoleCtrlHandler(OnControl, TRUE);
}

InterruptGuard::~InterruptGuard() {
    ::SetConsoleCtrlHandler(OnControl, FALSE);
}

bool InterruptGuard::Interrupted() {
    return g_interrupted != 0;
}

int InterruptGuard::Signal() {
    return static_cast<int>(g_interrupted);
}

bool StdoutIsTerminal() {
    return ::_isatty(::_fileno(stdout)) != 0;
}

bool StderrIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

int TerminalColumns() {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (::GetConsoleScreenBufferInfo(::GetStdHandle(STD_ERROR_HANDLE), &info)) {
        const int width = info.srWindow.Right - info.srWindow.Left + 1;
        if (width > 0)
            return width;
    }
    if (const char* columns = std::getenv("COLUMNS")) {
        const int n = std::atoi(columns);
        if (n > 0 && n < 10000)
            return n;
    }
    return 80;
}

}  // namespace vantrel
