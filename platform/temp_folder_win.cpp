// The private temporary folder on Windows: "vantrel-PID-XXXXXX" in the
// user's temporary folder, held open while the process lives. The console's
// control handler removes it (and the folders given to RemoveOnInterrupt) on
// Ctrl-C, Ctrl-Break or when the console closes, and the process then ends
// with 128 + the signal's number, as on POSIX systems.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/temp_folder.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

constexpr const char* kPrefix = "vantrel-";

std::string g_folder;
std::once_flag g_once;
HANDLE g_hold = INVALID_HANDLE_VALUE;  // the open folder
std::mutex g_foldersMutex;
std::vector<std::string> g_remove;  // engine paths, the private folder first

void RemoveAll() {
    std::vector<std::string> folders;
    {
        std::lock_guard<std::mutex> lock(g_foldersMutex);
        folders = g_remove;
    }
    if (g_hold != INVALID_HANDLE_VALUE) {
        ::CloseHandle(g_hold);
        g_hold = INVALID_HANDLE_VALUE;
    }
    for (const std::string& folder : folders)
        RemoveTree(folder);
}

// Runs on a thread of its own, so it may do anything.
BOOL WINAPI OnControl(DWORD event) {
    int signal = 0;
    if (event == CTRL_C_EVENT)
        signal = SIGINT;
    else if (event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT)
        signal = SIGTERM;
    if (signal == 0)
        return FALSE;
    RemoveAll();
    ::ExitProcess(static_cast<UINT>(128 + signal));
    return TRUE;
}

bool IsAlive(DWORD pid) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process)
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    const bool alive = ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    ::CloseHandle(process);
    return alive;
}

// Removes the folders "vantrel-PID-XXXXXX" in `base` whose process no
// longer lives.
void RemoveStaleFolders(const std::string& base) {
    for (const std::string& name : ListFolder(base, false, true)) {
        const std::string rest = name.substr(0, std::strlen(kPrefix)) == kPrefix
                                     ? name.substr(std::strlen(kPrefix))
                                     : std::string();
        const size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || rest.size() - dash != 7 ||
            rest.find_first_not_of("0123456789") != dash) {
            continue;
        }
        const DWORD pid = static_cast<DWORD>(std::strtoul(rest.c_str(), nullptr, 10));
        if (pid == ::GetCurrentProcessId() || IsAlive(pid))
            continue;
        RemoveTree(JoinPath(base, name));
    }
}

void Create() {
    std::wstring wide(MAX_PATH + 1, L'\0');
    const DWORD n = ::GetTempPathW(static_cast<DWORD>(wide.size()), wide.data());
    if (n == 0 || n > wide.size())
        return;
    wide.resize(n);
    std::string base;
    if (!EnginePathOf(wide, base))
        return;
    base = StripTrailingSeparators(base);
    RemoveStaleFolders(base);
    const std::string folder =
        MakeUniqueFolder(base, kPrefix + std::to_string(::GetCurrentProcessId()) + "-");
    if (folder.empty())
        return;
    // Held open without leave to delete it: no other process takes it away.
    g_hold =
        ::CreateFileW(WidePath(folder).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    g_folder = folder;
    {
        std::lock_guard<std::mutex> lock(g_foldersMutex);
        g_remove.insert(g_remove.begin(), folder);
    }
    ::SetConsoleCtrlHandler(OnControl, TRUE);
    std::atexit([] {
        if (g_hold != INVALID_HANDLE_VALUE) {
            ::CloseHandle(g_hold);
            g_hold = INVALID_HANDLE_VALUE;
        }
        RemoveTree(g_folder);
    });
}

}  // namespace

const std::string& PrivateTempFolder() {
    std::call_once(g_once, Create);
    return g_folder;
}

bool RemoveOnInterrupt(const std::string& folder) {
    if (PrivateTempFolder().empty())
        return false;
    std::lock_guard<std::mutex> lock(g_foldersMutex);
    if (g_remove.size() > 8)
        return false;
    g_remove.push_back(AbsolutePath(folder));
    return true;
}

void ForgetOnInterrupt(const std::string& folder) {
    const std::string path = AbsolutePath(folder);
    std::lock_guard<std::mutex> lock(g_foldersMutex);
    auto it = std::find(g_remove.begin() + (g_remove.empty() ? 0 : 1), g_remove.end(), path);
    if (it != g_remove.end())
        g_remove.erase(it);
}

}  // namespace vantrel
