#include "platform/temp_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

namespace {

constexpr const char* kPrefix = "vantrel-";

std::string g_folder;
std::once_flag g_once;
pid_t g_owner = 0;
int g_lock = -1;  // the open folder, locked while the process lives

// The folders a signal removes, as native paths. A slot is written while
// its `used` flag is 0 and read by the handler only while it is 1.
constexpr int kSlots = 8;
char g_slots[kSlots][PATH_MAX];
volatile sig_atomic_t g_used[kSlots];
std::mutex g_slotsMutex;

bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Removes `name` in the folder `parentFd` with everything in it, using
// only calls that are safe in a signal handler (no memory is allocated).
// A link is removed itself, never followed.
void RemoveTreeNow(int parentFd, const char* name, int depth) {
    if (::unlinkat(parentFd, name, 0) == 0 || errno == ENOENT || depth > 32)
        return;
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    // Removing entries while reading the folder may skip some: read it
    // again from the start until the folder can go.
    for (int pass = 0; pass < 4; ++pass) {
        ::lseek(fd, 0, SEEK_SET);
        alignas(8) char buffer[2048];
        long n;
        while ((n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer)) > 0) {
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + at);
                at += entry->d_reclen;
                if (!IsDotName(entry->d_name))
                    RemoveTreeNow(fd, entry->d_name, depth + 1);
            }
        }
        if (::unlinkat(parentFd, name, AT_REMOVEDIR) == 0 || errno == ENOENT)
            break;
    }
    ::close(fd);
}

void RemoveOnSignal(int signal) {
    // A child made by fork that has not yet started its program leaves its
    // parent's folders alone.
    if (::getpid() == g_owner) {
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < kSlots; ++i) {
                if (g_used[i])
                    RemoveTreeNow(AT_FDCWD, g_slots[i], 0);
            }
        }
    }
    ::_exit(128 + signal);
}

// Installs RemoveOnSignal for SIGINT and SIGTERM where the process has not
// handled or ignored them already.
void HandleSignals() {
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) != 0 || now.sa_handler != SIG_DFL ||
            (now.sa_flags & SA_SIGINFO)) {
            continue;
        }
        struct sigaction sa {};
        sa.sa_handler = RemoveOnSignal;
        sigemptyset(&sa.sa_mask);
        sigaddset(&sa.sa_mask, SIGINT);
        sigaddset(&sa.sa_mask, SIGTERM);
        ::sigaction(signal, &sa, nullptr);
    }
}

bool Remember(const std::string& native) {
    if (native.empty() || native.size() >= PATH_MAX)
        return false;
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (int i = 0; i < kSlots; ++i) {
        if (!g_used[i]) {
            std::memcpy(g_slots[i], native.c_str(), native.size() + 1);
            std::atomic_signal_fence(std::memory_order_seq_cst);
            g_used[i] = 1;
            return true;
        }
    }
    return false;
}

// Removes the folders "vantrel-PID-XXXXXX" in `base` that belong to this
// user and that no live process holds locked.
void RemoveStaleFolders(const std::string& base) {
    std::string engineBase;
    if (!FromNative(base, engineBase))
        return;
    for (const std::string& name : ListFolder(engineBase, false, true)) {
        const std::string rest = name.substr(0, std::strlen(kPrefix)) == kPrefix
                                     ? name.substr(std::strlen(kPrefix))
                                     : std::string();
        const size_t dash = rest.find('-');
        if (dash == 0 || dash == std::string::npos || rest.size() - dash != 7 ||
            rest.find_first_not_of("0123456789") != dash) {
            continue;
        }
        const std::string path = JoinPath(engineBase, name);
        FileInfo info;
        if (!GetFileInfo(path, info, false) || !info.isFolder || !OwnedByThisUser(path))
            continue;
        const int fd =
            ::open(ToNative(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            RemoveTree(path);
        ::close(fd);
    }
}

void RemoveAtExit() {
    // A child made by fork must not remove its parent's folder.
    if (!g_folder.empty() && ::getpid() == g_owner)
        RemoveTree(g_folder);
}

void Create() {
    const char* env = std::getenv("TMPDIR");
    const std::string base = env && *env ? env : "/tmp";
    RemoveStaleFolders(base);
    // Made under a name that no later run takes for stale, locked, and only
    // then given its name: a folder of the pattern is always locked while
    // its process lives.
    const std::string pid = std::to_string(::getpid());
    std::string tmpl = base + "/" + kPrefix + "new-" + pid + "-XXXXXX";
    std::vector<char> made(tmpl.begin(), tmpl.end());
    made.push_back('\0');
    if (::mkdtemp(made.data()) == nullptr)
        return;
    ::chmod(made.data(), 0700);
    std::string native = made.data();
    g_lock = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (g_lock >= 0 && ::flock(g_lock, LOCK_EX | LOCK_NB) == 0) {
        const std::string named =
            base + "/" + kPrefix + pid + "-" + native.substr(native.size() - 6);
        if (::renameat2(AT_FDCWD, native.c_str(), AT_FDCWD, named.c_str(), RENAME_NOREPLACE) == 0)
            native = named;
    }
    std::string engine;
    if (!FromNative(native, engine)) {
        ::rmdir(native.c_str());
        return;
    }
    g_folder = engine;
    g_owner = ::getpid();
    Remember(native);
    HandleSignals();
    std::atexit(RemoveAtExit);
}

}  // namespace

const std::string& PrivateTempFolder() {
    std::call_once(g_once, Create);
    return g_folder;
}

bool RemoveOnInterrupt(const std::string& folder) {
    PrivateTempFolder();
    if (g_owner == 0)
        return false;
    return Remember(ToNative(AbsolutePath(folder)).string());
}

void ForgetOnInterrupt(const std::string& folder) {
    const std::string native = ToNative(AbsolutePath(folder)).string();
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (int i = 0; i < kSlots; ++i) {
        if (g_used[i] && native == g_slots[i]) {
            g_used[i] = 0;
            return;
        }
    }
}

}  // namespace vantrel
