// A floppy set made from an assembled ship folder and the files staged in it
// (see ship_files.h): numbered disk folders
// disk001, disk002, ... in the media folder, none larger than the medium.
//
//   disk001\setup.exe     the engine's floppy start program, loose
//   diskNNN\diskNNN.cfi   a ZIP archive (deflate level 0) of the ".cfi"
//                         archives placed on that disk: swintl.cfi (the
//                         international libraries), Setup files.cfi, one per
//                         component, ComponentList.cfi, and pieces of the
//                         archives that did not fit
//
// An archive that does not fit on the current disk is split: piece k of
// archive "b.cfi" is "~kkk_b.cfi" (b up to its first "."), made of a 6-byte
// header, the piece number and the number of pieces as three digits each
// ("002003"), and the next run of the archive's bytes. The pieces' bodies in
// order give the archive back. Pieces are written into the current disk
// folder and the following ones.
//
// The space a disk needs is counted as its archive will take it: the
// members' bytes plus their headers in the disk's archive, so that no disk
// folder grows larger than the medium.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class WDiskSetJob;
class WProjectData;
struct WBuildRequest;
class WArchive;
class WSetupComponent;

class WDiskSet {
  public:
    static constexpr const char* kFolderPrefix = "disk";
    static constexpr const char* kExtension = ".cfi";
    static constexpr int kHeaderLength = 6;
    static constexpr int kChunkSize = 10000;
    // The archive of the engine's own files and the set's "Setup" folder.
    static constexpr const char* kSetupArchive = "Setup files";
    // The end record of a disk's archive.
    static constexpr int kArchiveEnd = 22;

    // `job` gives the log, the progress, the cancel flag and the staged
    // files; the disks go into the request's media folder, each of its
    // medium size.
    WDiskSet(WDiskSetJob& job, WProjectData& project, const WBuildRequest& request,
             std::string shipFolder);

    // Why the first disk of `project`'s floppy set on a medium of
    // `capacity` bytes cannot be made: the engine's floppy start program,
    // which lies loose on it, leaves no room on the medium for the disk's
    // archive. Names both sizes; empty when it fits (or when there is no
    // start program, which the copy reports).
    static std::string FirstDiskProblem(const WProjectData& project, double capacity);
    // Why the gathered components of `project` cannot be packed for a floppy set: one
    // text for each component whose archive would hold more members than a
    // ZIP archive can count, with the number. Empty when all fit.
    static std::vector<std::string> MemberCountProblems(const WProjectData& project);

    // Makes the whole set. Every failure is logged and the set goes on;
    // once the job is cancelled the remaining steps are skipped. True when
    // every step succeeded.
    bool Create();

    // Splits the archive `fileName` in `folder` over the current disk and
    // the following ones (see above), starting with the space left on the
    // current disk. Afterwards the current disk is the one with the last
    // piece and its free space is reduced by that piece. The archive itself
    // is left where it is. False when a piece cannot be written or the
    // archive cannot be read.
    bool SplitArchive(const std::string& folder, const std::string& fileName);

    // The patterns that name a component's archive members in the ship
    // folder: the source names of its files, fonts and profiles, then the
    // target names of its programs to run and its custom DLLs.
    static std::string MemberPatterns(const WSetupComponent& component);

    // Room that a member of `size` bytes named `nameLength` characters takes
    // in a disk's archive besides its bytes: local header and central
    // directory record with the name twice, and the stored blocks' own
    // headers. A disk holds its end record, its loose files and, for each
    // member, its bytes and this room.
    static int64_t EntryCost(size_t nameLength, int64_t size);

    // "007", "042", "100", "1000".
    static std::string ThreeDigits(int n);
    // "~002_Setup files.cfi" for piece 2 of "Setup files.cfi".
    static std::string PieceName(int piece, std::string_view archiveFileName);
    // The folder of disk n in the media folder ("...\disk003").
    std::string DiskFolder(int n) const;

    int CurrentDisk() const { return disk_; }
    int DiskCount() const { return disk_; }
    int64_t Capacity() const { return capacity_; }
    int64_t FreeSpace() const { return capacity_ - used_; }
    // Makes disk n current with `used` bytes on it (its folder created);
    // a fresh disk counts the end record of its archive as used.
    void SetCurrentDisk(int n, int64_t used);
    void SetCapacity(int64_t bytes) { capacity_ = bytes; }

  private:
    // Makes disk n current: its folder is created, and ".cfi" files that an
    // earlier build left in it are removed, so that the disk's archive holds
    // exactly what this build put there.
    void MakeDiskCurrent(int n);
    // Places an archive just created on the current disk: it stays when it
    // fits, otherwise it is split and removed. Logs the result.
    void Place(const WArchive& archive, bool created);
    // Packs at level 6 into the archive `baseName` on the current disk what
    // `patterns` name in the ship folder (see WShipFiles::Members).
    bool Pack(WArchive& archive, const std::string& baseName, const std::string& patterns,
              const std::string& patternFolder);
    // Tells the job `bytes` more were packed; false once it is cancelled.
    bool Packed(int64_t bytes);
    void CopyStartProgram();
    void PackDisks();
    // Pumps, steps the bar and tests the cancel flag; true to go on.
    bool Next(bool step = true);

    WDiskSetJob& job_;
    WProjectData& project_;
    std::string shipFolder_;
    std::string mediaFolder_;
    int disk_ = 1;
    int piece_ = 1;
    int64_t capacity_ = 0;
    int64_t used_ = 0;
    bool ok_ = true;
};

}  // namespace vantrel
