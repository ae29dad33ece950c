// The media-creation job of "Create Media": assembles the ship folder (the
// complete, uncompressed installation set) and, for a floppy setup, turns it
// into numbered disk folders (see disk_set.h).
//
// Ship folder layout:
//
//   <root>               the engine files found directly in "Distrib" of the
//                        installation (setup32.exe among them)
//   Setup\               the engine files of "Distrib\Setup", setup.log,
//                        project.kvz, comp.kvz, string.str, license.txt and
//                        release.txt (read-only)
//   Bde501\idapi.cnf     the user's own database-engine configuration, when
//   Sql501\idapi.cnf     it is shipped (Sql501 only with an SQL driver)
//   any other path       the files of the components' "File" and "TTFFile"
//                        elements, each at its source name
//
// For a CD the ship folder is the media folder itself. For floppies it is a
// new temporary folder inside the media folder (see CreateTempFolder), removed at the end; its
// setup.log is moved to setup.log in the media folder. The components' files
// are not copied into it: each is checked (it must be a file that can be
// read), logged as its copy was, and staged in ShipFiles() to be packed from
// its source (see ship_files.h). The media folder is locked for the whole job
// (see media_lock.h): a second build into it fails at once.
//
// Every step is written to "Setup\setup.log" of the ship folder. Failed
// copies are logged and the job goes on; a full destination stops it at
// once with the "not enough disk space" message; Cancel stops it after the
// current file, or within the member being packed, and takes back what the
// run wrote into the media folder (the log stays and says so). Files written
// by a run that failed otherwise stay where they are. An application file whose
// path in the set another supplier fills too (see project/shipped_paths.h)
// is a failure of the job; the same source file supplied twice at one path
// (an application file installed in two places) is one copy. Each file
// record gets the size of the file the set holds (copied, or staged to be
// packed), so that the scripts written afterwards never carry a size taken
// when the file was added.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "media/build_request.h"
#include "media/disk_set_job.h"
#include "media/file_copy.h"
#include "media/media_progress.h"
#include "media/ship_files.h"
#include "script/setup_log.h"

namespace vantrel {

class WMediaLock;
class WProjectData;
class WSetupComponent;
class WSetupElement;

class WMediaBuilder : public WDiskSetJob {
  public:
    static constexpr const char* kNoSpaceCaption = "Error";
    static constexpr const char* kNoSpaceMessage =
        "Not enough disk space available on destination drive.";

    // Builds what `request` describes (see WMediaPlan::Request) from the
    // project's components and scripts.
    WMediaBuilder(WProjectData& project, WBuildRequest request, WMediaProgress& progress);

    // Runs the whole job. True only when every step succeeded and nothing
    // was cancelled.
    bool Run();

    // Builds the ship folder in `shipFolder` (which must exist, and whose
    // log must be set up). False when the job must stop (no space, cancel)
    // or the ship folder cannot be used.
    bool AssembleShipFolder(const std::string& shipFolder);

    const std::string& ShipFolder() const { return shipFolder_; }
    // Where the log of the last Run is now (for floppies: in the media folder).
    const std::string& LogPath() const { return log_.Path(); }
    // The first failure in words, for a caller that shows one line; empty
    // after a successful run.
    const std::string& ErrorText() const { return errorText_; }
    bool Cancelled() const override { return cancelled_; }
    // After a cancelled run: what became of the files it wrote, as the log
    // says it.
    const std::string& CancelOutcome() const { return cancelOutcome_; }
    // Files that could not be copied and scripts or texts that could not be
    // written.
    int FailedSteps() const { return failedSteps_; }

    // The free-space figure used before each copy (GetFreeSpace by default).
    void SetFreeSpaceProbe(std::function<double(std::string_view)> probe) {
        freeSpace_ = std::move(probe);
    }

    // For the floppy set, which runs inside the job (see WDiskSetJob).
    WSetupLog& Log() override { return log_; }
    WShipFiles& ShipFiles() override { return shipFiles_; }
    WMediaProgress& Progress() override { return progress_; }
    // One step of the bar per kBytesPerStep.
    void StepBytes(int64_t bytes) override;
    static constexpr int64_t kBytesPerStep = 64 * 1024;
    bool CheckCancel() override;
    void NoteFailure(const std::string& what) override;

    // The log's first line for `time`: "Monday, March 02, 2026, 14:05:09".
    static std::string LogTimeText(std::time_t time);
    // The path of `relative` (a source name such as "bin\app.exe") inside
    // `folder`: separators as in `folder`, and each part that exists already
    // in another case taken as it is on disk. Empty for a name that would
    // leave the folder (absolute, a drive, or a ".." part).
    static std::string PathInside(std::string_view folder, std::string_view relative);
    // A name of our temporary folders: "~ZLT000" ... "~ZLT099", "~ZLTXXX", or
    // "~ZLT" and six letters or digits.
    static bool IsShipFolderName(std::string_view name);
    // Removes the temporary folders that earlier jobs of this user left in
    // `media` (killed, or failed before their end) when they are older than
    // `runStart` and no job uses them; returns how many went.
    static int RemoveStaleShipFolders(const std::string& media, int64_t runStart);
    // Removes from `media` what an earlier set made there, and nothing else:
    // the disk folders ("disk001", ...), "setup.log", the "Setup" folder,
    // the start program "setup32.exe" and, beside a "Setup" folder, the root
    // files named in `rootFiles`, and every file that the log of an earlier
    // CD set
    // ("Setup\setup.log") names as copied into it, with the folders that
    // this leaves empty. A user's own files stay. True when everything of the
    // earlier set is gone; otherwise `failed` (when given) names what stayed.
    static bool RemoveEarlierSet(const std::string& media,
                                 const std::vector<std::string>& rootFiles = {},
                                 std::string* failed = nullptr);
    // "disk001", "Disk042", "disk1000": a disk folder's name.
    static bool IsDiskFolderName(std::string_view name);
    // The parts of a relative source name ("a\\b.txt" -> "a", "b.txt"); false
    // for a name that would leave its folder.
    static bool RelativeParts(std::string_view relative, std::vector<std::string>& parts);

  private:
    // The steps of Run.
    void ResetRun();
    // Creates and locks the media folder, refuses a set that could not be
    // made or used, and removes what an earlier set left. False when nothing
    // may be written; a folder that cannot be created clears `ok` and the
    // job goes on to log it.
    bool ClaimMediaFolder(WMediaLock& lock, bool floppy, bool& ok);
    // The temporary ship folder of a floppy set (ShipFolder()); true when
    // this run made it.
    bool MakeFloppyShipFolder(const WMediaLock& lock, WMediaLock& shipLock, bool& ok);
    void OpenLog(bool floppy);
    // The bar's range for the job.
    int CountSteps(bool floppy) const;
    // The disks from the ship folder, the log kept beside them, the ship
    // folder removed (when this run made it; `shipLock`, its hold, is let go
    // first). False when any of that failed.
    bool MakeDisks(bool shipFolderMade, WMediaLock& shipLock);
    // PathInside for the ship folder, with each folder listed once per run
    // and the names about to be written remembered.
    std::string ShipPath(std::string_view relative);
    // Whether `bytes` more fit on the volume of `destination`. The volume is
    // asked only when what it had at the last asking, less what was written
    // since, could be too little: a volume that another program fills in
    // between ends a copy with "no space" instead.
    bool FreeSpaceFor(uint64_t bytes, const std::string& destination);
    // Copies and logs one file of a source opened already; false when the
    // job must stop.
    bool CopyAndLog(CopySource& source, const std::string& destination);
    // Opens `source` and, when there is room, copies it to `destination`,
    // or with `stage` stages it there to be packed from the source (the
    // line logged is the same). False when the job must stop.
    bool ShipFile(const std::string& source, const std::string& destination, bool stage);
    // Creates `folder` once per run. False (errno ENOTDIR) when a file that
    // this run copied or staged is where the folder or a parent would be.
    bool MakeShipFolder(const std::string& folder);
    // The setup engine's files, to the root and the "Setup" folder.
    bool CopyEngineFiles();
    bool CopyComponentFiles();
    // Where a file element of `component` is copied from.
    std::string SourceOf(const WSetupComponent& component, const WSetupElement& element) const;
    // Notes every file that a disk archive cannot hold; true when there is one.
    bool RefuseFilesTooLargeToPack();
    // Notes what the setup engine would refuse in the set (see
    // WSetVerifier::CheckProject; for floppies also a first disk that its
    // start program fills); true when there is anything.
    bool RefuseWhatTheEngineCannotUse(bool floppy);
    void WriteScripts(const std::string& setupFolder);
    void WriteTexts(const std::string& setupFolder);
    bool ShipUserConfig();
    void WriteLogHeader(bool floppy);
    // Moves the floppy build's log from the ship folder into `media`; false
    // (the log left where it is) when it cannot be moved.
    bool KeepLog(const std::string& media);
    void StepAndPump();
    // After Cancel: removes what this run wrote into the media folder (the
    // log stays, beside the disks or moved there from "Setup") and logs that
    // the media were cancelled, or, when something stays, that the set there
    // is incomplete.
    void TakeBackCancelledSet(const std::string& media, bool floppy);
    void MarkWritten(const std::string& path);
    bool WasWritten(const std::string& path) const;

    WProjectData& project_;
    const WBuildRequest request_;
    WMediaProgress& progress_;
    WSetupLog log_;
    std::function<double(std::string_view)> freeSpace_;
    std::string shipFolder_;
    std::string errorText_;
    bool cancelled_ = false;
    std::string cancelOutcome_;
    int failedSteps_ = 0;
    // A floppy set packs the components' files from their sources.
    bool packFromSources_ = false;
    WShipFiles shipFiles_;
    // The free space at the last asking (negative: not asked yet) and what
    // was written since.
    double knownFree_ = -1;
    double writtenSinceAsked_ = 0;
    // Folders of the ship folder made by this run (as PathKey).
    std::unordered_set<std::string> madeFolders_;
    // Ship-folder paths written by this run (as PathKey): the first
    // component that supplies a path wins, while a file left by an earlier
    // build is replaced. A path of a component's file keeps the file it came
    // from, its size as shipped (-1: unknown) and whether it is one of the
    // application's own files.
    struct Written {
        bool shipped = false;  // a component's file
        bool application = false;
        int64_t size = -1;
        std::string source;
    };
    std::unordered_map<std::string, Written> written_;
    // The size of the file the last ShipFile copied or staged; -1 when none.
    int64_t shippedSize_ = -1;
    // Files this run copied, as written (taken back after Cancel).
    std::vector<std::string> copiedPaths_;
    // Bytes packed or placed since the last step of the bar.
    int64_t unsteppedBytes_ = 0;
    // Folder -> its entries by lower-case name (the name as on disk).
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> listings_;
};

}  // namespace vantrel
