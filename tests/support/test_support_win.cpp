// Windows has no POSIX shell: the tests that run shell commands are built
// for POSIX systems only, and a command asked for here fails visibly.
#include <windows.h>

#include <tlhelp32.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/temp_folder.h"

#include "support/test_support.h"

#include <windows.h>

// After windows.h.
#include <aclapi.h>

#include "platform/paths.h"

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

namespace {

std::wstring Wide(const std::string& text) {
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                              n);
    return wide;
}

// One argument of a Windows command line, quoted so that the C runtime
// splits it back as it was.
std::wstring QuotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos)
        return argument;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, L'\\');
    return quoted + L"\"";
}

HANDLE OutputFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                         &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// Started directly: the words split as the shell would, the variables set in
// this process for the child to inherit and put back afterwards, the output
// collected in files.
ShellResult RunCliIn(const ScratchFolder& dir, const std::string& arguments,
                     const std::string& env) {
    std::vector<std::pair<std::string, std::string>> variables = {
        {"VANTREL_MACHINE_REG", dir / "machine.reg"}, {"VANTREL_USER_REG", dir / "user.reg"}};
    for (const std::string& assignment : SplitShellWords(env)) {
        const size_t equals = assignment.find('=');
        if (equals != std::string::npos)
            variables.emplace_back(assignment.substr(0, equals), assignment.substr(equals + 1));
    }
    std::vector<std::pair<std::string, std::string>> saved;
    for (const auto& [name, value] : variables) {
        const char* old = std::getenv(name.c_str());
        saved.emplace_back(name, old ? old : std::string(1, '\0'));
        SetEnvVar(name, value.c_str());
    }
    std::wstring commandLine = QuotedArgument(Wide(VANTREL_CLI_PATH));
    std::vector<std::string> words = {"--install-location", dir / "install"};
    for (std::string& word : SplitShellWords(arguments))
        words.push_back(std::move(word));
    for (const std::string& word : words)
        commandLine += L" " + QuotedArgument(Wide(word));

    ShellResult r;
    const std::string outFile = PrivateTempPath("stdout", ".txt");
    const std::string errFile = PrivateTempPath("stderr", ".txt");
    HANDLE out = OutputFile(outFile), err = OutputFile(errFile);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                              OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    if (::CreateProcessW(Wide(VANTREL_CLI_PATH).c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                         0, nullptr, Wide(dir.path()).c_str(), &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (::GetExitCodeProcess(process.hProcess, &code))
            r.status = static_cast<int>(code);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    } else {
        ADD_FAILURE() << "cannot start " << VANTREL_CLI_PATH << " (" << ::GetLastError() << ")";
    }
    for (HANDLE h : {in, out, err}) {
        if (h != INVALID_HANDLE_VALUE)
            ::CloseHandle(h);
    }
    // Text written by a Windows program ends its lines with CR LF.
    auto lines = [](const std::string& path) {
        std::string text, out;
        ReadWholeFile(path, text);
        for (size_t i = 0; i < text.size(); ++i) {
            if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
                out += text[i];
        }
        return out;
    };
    r.out = lines(outFile);
    r.err = lines(errFile);
    RemoveFile(outFile);
    RemoveFile(errFile);
    for (const auto& [name, value] : saved)
        SetEnvVar(name, value == std::string(1, '\0') ? nullptr : value.c_str());
    return r;
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

bool GiveToAnotherUser(const std::string& path) {
    // The local system account (S-1-5-18).
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID system = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0,
                                    &system))
        return false;
    std::wstring wide = ToNative(path).wstring();
    bool given = ::SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                         system, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    // A file system that keeps no owners of its own (wine's, on most hosts)
    // accepts the change and forgets it.
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    given = given &&
            ::GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                    nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS &&
            owner && ::EqualSid(owner, system);
    if (descriptor)
        ::LocalFree(descriptor);
    ::FreeSid(system);
    return given;
}

}  // namespace vantrel::test
