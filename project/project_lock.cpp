#include "project/project_lock.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

namespace {

struct HeldLock {
    FileHandle file;
    int holders = 0;
};

// The locks this process holds, by the absolute path of their lock file.
// Never destroyed: a lock object that lives until the program ends (the
// command-line tool's) still finds them when it goes; the system releases
// what is left when the process ends.
std::mutex& TableMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::map<std::string, HeldLock>& Table() {
    static auto* table = new std::map<std::string, HeldLock>;
    return *table;
}

// Opens the lock file without following a link at its name and without
// waiting on anything but a regular file: an existing one for reading (it
// may belong to another user), else a new empty one.
bool OpenLockFile(const std::string& path, FileHandle& file) {
    FileHandle folder;
    if (!folder.Open(FolderOf(path), FileHandle::Mode::kFolder))
        return false;
    const std::string name = FileNameOf(path);
    return file.OpenIn(folder, name, FileHandle::Mode::kReadFileOnly) ||
           (errno == ENOENT && file.OpenIn(folder, name, FileHandle::Mode::kAppend, 0666));
}

}  // namespace

std::string WProjectLock::LockPathOf(const std::string& projectPath) {
    // A project reached through a link is locked where the link leads, so
    // that every way to the file takes the same lock.
    std::error_code ec;
    const std::filesystem::path real = std::filesystem::weakly_canonical(ToNative(projectPath), ec);
    std::string resolved;
    if (ec || !FromNative(real, resolved))
        resolved = AbsolutePath(projectPath);
    return resolved + ".lock";
}

WProjectLock::Outcome WProjectLock::Acquire(const std::string& projectPath, int waitMs) {
    Release();
    error_.clear();
    const std::string path = LockPathOf(projectPath);
    std::lock_guard<std::mutex> guard(TableMutex());
    auto& table = Table();
    if (auto it = table.find(path); it != table.end()) {
        ++it->second.holders;
        key_ = path;
        return Outcome::kHeld;
    }
    HeldLock lock;
    if (!OpenLockFile(path, lock.file)) {
        error_ = "the lock file " + ErrnoText(path);
        return Outcome::kUnavailable;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!lock.file.TryLockExclusive()) {
        if (errno != EWOULDBLOCK) {
            // ENOLCK, EINVAL: a file system without locks.
            error_ = "the lock file " + ErrnoText(path);
            return Outcome::kUnavailable;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            error_ = DisplayPath(projectPath) +
                     ": another program is working on this project (it holds " + DisplayPath(path) +
                     "); nothing was changed, try again when it has finished";
            return Outcome::kBusy;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    lock.holders = 1;
    table.emplace(path, std::move(lock));
    key_ = path;
    return Outcome::kHeld;
}

void WProjectLock::Release() {
    if (key_.empty())
        return;
    std::lock_guard<std::mutex> guard(TableMutex());
    auto& table = Table();
    if (auto it = table.find(key_); it != table.end() && --it->second.holders == 0)
        table.erase(it);
    key_.clear();
}

}  // namespace vantrel
