// The lock that serialises work on one project file between processes: the
// system's exclusive lock on "<project file>.lock", an empty file beside it
// that stays there. The project file itself cannot carry the lock, because a
// save replaces it by a new file (a lock on the old one would guard nothing).
//
// Whoever changes a project holds the lock from reading the file to writing
// it back (the command-line tool for its whole run); a save takes it around
// its "changed since opened" check and the replace, so the two are one step.
// Inside one process the lock can be taken again while it is held; it is
// given up when the last holder lets go (or the process ends in any way).
// Where no lock can be had (a folder this user cannot write to, a file system
// without locks) the work goes on unlocked: a save there fails on its own or
// has nobody to race with.
#pragma once

#include <string>

namespace vantrel {

class WProjectLock {
  public:
    enum class Outcome {
        kHeld,         // the lock is held
        kBusy,         // another process held it for all of the wait; Error() says so
        kUnavailable,  // the lock file cannot be opened or locked; Error() says why
    };

    // How long Acquire waits for another process by default.
    static constexpr int kDefaultWaitMs = 60000;

    WProjectLock() = default;
    ~WProjectLock() { Release(); }
    WProjectLock(const WProjectLock&) = delete;
    WProjectLock& operator=(const WProjectLock&) = delete;

    // The lock file of the project file `projectPath`: beside the file a
    // link at `projectPath` leads to, else beside `projectPath`.
    static std::string LockPathOf(const std::string& projectPath);

    // Takes the lock of `projectPath`, waiting up to `waitMs` milliseconds
    // while another process holds it. A lock this object holds already is
    // given up first.
    Outcome Acquire(const std::string& projectPath, int waitMs = kDefaultWaitMs);
    void Release();
    bool Held() const { return !key_.empty(); }
    const std::string& Error() const { return error_; }

  private:
    std::string key_;
    std::string error_;
};

}  // namespace vantrel
