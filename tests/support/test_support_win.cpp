// Windows has no POSIX shell: the tests that run shell commands are built
// for POSIX systems only, and a command asked for here fails visibly.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace vantrel::test {

std::string ShellQuote(const std::string& s) {
    return "\"" + s + "\"";
}

ShellResult RunShell(const std::string& command) {
    ADD_FAILURE() << "no POSIX shell on this system for: " << command;
    return ShellResult{};
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more;
         more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            ++n;
    }
    ::CloseHandle(snapshot);
    return n;
}

// Windows has no limit of a process's file size.
FileSizeLimit::FileSizeLimit(long long) {}
FileSizeLimit::~FileSizeLimit() {}

// Taking ownership away needs rights an ordinary test does not have.
bool GiveToAnotherUser(const std::string&) {
    return false;
}

// The C runtime's copy of the environment, which getenv reads, and the
// process's own, which child processes inherit.
void SetEnvVar(const std::string& name, const char* value) {
    ::_putenv_s(name.c_str(), value ? value : "");
    const std::wstring wideName(name.begin(), name.end());
    std::wstring wideValue;
    if (value) {
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, value, -1, nullptr, 0);
        wideValue.resize(n > 0 ? n - 1 : 0);
        if (n > 1)
            ::MultiByteToWideChar(CP_UTF8, 0, value, -1, wideValue.data(), n);
    }
    ::SetEnvironmentVariableW(wideName.c_str(), value ? wideValue.c_str() : nullptr);
}

bool HaveShellTool(const std::string&) {
    return false;
}

bool FolderWritesCanBeRefused() {
    return false;
}

// Windows has no all-powerful user whose rights hide a refused permission.
std::string AsUnprivileged(const std::string&, const std::function<std::string()>& body) {
    return body();
}

}  // namespace vantrel::test
