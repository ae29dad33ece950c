// What a floppy set needs from the job that runs it: the log it writes to,
// the ship folder's staged files it packs, the progress it moves, the cancel
// flag it tests, and where it notes a failure. The media builder is one; a
// test can be another.
#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

class WMediaProgress;
class WSetupLog;
class WShipFiles;

class WDiskSetJob {
  public:
    // How many characters of a path the progress shows.
    static constexpr int kPathDisplayLength = 36;

    virtual ~WDiskSetJob() = default;

    virtual WSetupLog& Log() = 0;
    // The ship folder with the files to pack from their sources.
    virtual WShipFiles& ShipFiles() = 0;
    virtual WMediaProgress& Progress() = 0;
    // Moves the bar by `bytes` more packed or placed.
    virtual void StepBytes(int64_t bytes) = 0;
    // Asks the caller; once cancelled, stays cancelled.
    virtual bool CheckCancel() = 0;
    virtual bool Cancelled() const = 0;
    // Counts a failed step and keeps the first failure's words.
    virtual void NoteFailure(const std::string& what) = 0;
};

}  // namespace vantrel
