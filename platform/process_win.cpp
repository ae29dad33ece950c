// Starting programs on Windows with CreateProcessW. A program without a
// folder is searched as the system searches it (SearchPathW, ".exe" added).
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <chrono>
#include <thread>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/strings.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

bool HasSeparator(std::string_view path) {
    return path.find_first_of("\\/") != std::string_view::npos;
}

// The program file to start (wide); empty when there is none.
std::wstring FindProgram(std::string_view program) {
    const std::string trimmed = Trim(program);
    if (trimmed.empty())
        return {};
    if (HasSeparator(trimmed)) {
        const std::wstring wide = WidePath(trimmed);
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return {};
        return wide;
    }
    const std::wstring name = Utf8ToWide(Cp1252ToUtf8(trimmed));
    std::wstring found(MAX_PATH + 1, L'\0');
    const DWORD n = ::SearchPathW(nullptr, name.c_str(), L".exe", static_cast<DWORD>(found.size()),
                                  found.data(), nullptr);
    if (n == 0 || n > found.size())
        return {};
    found.resize(n);
    return found;
}

// One argument quoted so that the rules of SplitCommandLine give it back.
std::wstring QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    size_t slashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++slashes;
            continue;
        }
        if (c == L'"') {
            out.append(slashes * 2 + 1, L'\\');
            out += L'"';
        } else {
            out.append(slashes, L'\\');
            out += c;
        }
        slashes = 0;
    }
    out.append(slashes * 2, L'\\');
    out += L'"';
    return out;
}

struct Started {
    PROCESS_INFORMATION info{};
    bool ok = false;
};

// Starts the program; `output`, when given, receives its standard output
// and error.
Started Start(std::string_view program, const std::vector<std::string>& arguments, bool detached,
              HANDLE output = nullptr) {
    Started started;
    const std::wstring file = FindProgram(program);
    if (file.empty())
        return started;
    std::wstring commandLine = QuoteArgument(file);
    for (const std::string& argument : arguments)
        commandLine += L" " + QuoteArgument(Utf8ToWide(Cp1252ToUtf8(argument)));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (detached ? CREATE_NEW_PROCESS_GROUP : 0);
    started.ok =
        ::CreateProcessW(file.c_str(), commandLine.data(), nullptr, nullptr, output ? TRUE : FALSE,
                         flags, nullptr, nullptr, &startup, &started.info) != 0;
    return started;
}

bool Finish(Started& started, int* exitCode, bool pump) {
    if (pump) {
        while (::WaitForSingleObject(started.info.hProcess, 1) == WAIT_TIMEOUT)
            PumpMessage();
    } else {
        ::WaitForSingleObject(started.info.hProcess, INFINITE);
    }
    DWORD code = 0;
    ::GetExitCodeProcess(started.info.hProcess, &code);
    if (exitCode)
        *exitCode = static_cast<int>(code);
    ::CloseHandle(started.info.hThread);
    ::CloseHandle(started.info.hProcess);
    return true;
}

}  // namespace

std::vector<std::string> ResolveLaunch(std::string_view program,
                                       const std::vector<std::string>& arguments) {
    const std::wstring file = FindProgram(program);
    if (file.empty())
        return {};
    std::vector<std::string> argv{WideToUtf8(file)};
    for (const std::string& argument : arguments)
        argv.push_back(Cp1252ToUtf8(argument));
    return argv;
}

bool RunDetachedArgs(std::string_view program, const std::vector<std::string>& arguments) {
    Started started = Start(program, arguments, true);
    if (!started.ok)
        return false;
    ::CloseHandle(started.info.hThread);
    ::CloseHandle(started.info.hProcess);
    return true;
}

bool RunAndWaitArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode) {
    if (exitCode)
        *exitCode = -1;
    Started started = Start(program, arguments, false);
    return started.ok && Finish(started, exitCode, false);
}

bool RunAndPumpArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode) {
    if (exitCode)
        *exitCode = -1;
    Started started = Start(program, arguments, false);
    return started.ok && Finish(started, exitCode, true);
}

bool RunAndCapture(std::string_view program, std::string_view arguments, std::string& output,
                   int* exitCode) {
    output.clear();
    if (exitCode)
        *exitCode = -1;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return false;
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    Started started = Start(program, SplitCommandLine(arguments), false, writeEnd);
    ::CloseHandle(writeEnd);
    if (started.ok) {
        char buffer[4096];
        DWORD n = 0;
        while (::ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0)
            output.append(buffer, n);
    }
    ::CloseHandle(readEnd);
    return started.ok && Finish(started, exitCode, false);
}

std::string RunningProgramFolder() {
    std::wstring file(32768, L'\0');
    const DWORD n = ::GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
    if (n == 0 || n >= file.size())
        return {};
    file.resize(n);
    std::string path;
    if (!EnginePathOf(file, path))
        return {};
    return FolderOf(path);
}

long PeakResidentKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

std::string UserLoginName() {
    wchar_t name[257] = {};
    DWORD size = 257;
    if (::GetUserNameW(name, &size) && name[0])
        return WideToUtf8(name);
    const char* user = std::getenv("USERNAME");
    return user ? user : "";
}

std::string UserHomeFolder() {
    for (const char* name : {"HOME", "USERPROFILE"}) {
        if (const char* home = std::getenv(name); home && *home)
            return home;
    }
    return {};
}

}  // namespace vantrel
