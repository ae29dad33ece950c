// Turns a floppy set back into the folder it was made from (see disk_set.h):
// every disk's archive diskNNN.cfi is expanded, the pieces "~kkk_b.cfi" of a
// split archive are joined in piece order into "b.cfi", and every ".cfi"
// archive is expanded in turn. The result has the ship folder's layout: the
// scripts in "Setup", the components' files at their source names.
//
// Expanding checks each member's CRC-32 and size, and that no archive holds
// two members of one name (the second would silently replace the first), so
// a damaged archive is found here. Each fault is named and the unpacking
// goes on with the rest, so that one run lists everything that is wrong with
// a set. A failure to write into the folders it unpacks into (a full
// temporary folder) is not the set's fault: it is named as what it is, and
// the unpacking stops there.
//
// Scan checks a set the same way without writing it anywhere: each archive
// is read as one stream from the disks' archives (the pieces joined as they
// are read, on a second thread), and its members are handed to a sink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

class WSetUnpacker {
  public:
    // The archive of the scripts, packed from the ship folder's "Setup"
    // folder without a folder part in its members' names.
    static constexpr const char* kScriptArchive = "ComponentList.cfi";

    // The disk number of a name "disk" + up to nine digits ("Disk002" gives
    // 2), without regard to case; -1 for any other name.
    static long DiskNumberOf(const std::string& name);
    // The disk folders in `mediaFolder` (disk001, disk002, ...) in disk order.
    static std::vector<std::string> DiskFolders(const std::string& mediaFolder);

    // Unpacks the set on `disks` (disk folders in disk order, as DiskFolders
    // gives them) into `setFolder`, using `workFolder` for the disks'
    // archives; both are created when missing (the callers' temporary
    // folders). True when every disk, piece and archive was found and
    // expanded whole; Problems() names each fault.
    bool Unpack(const std::vector<std::string>& disks, const std::string& workFolder,
                const std::string& setFolder);

    // What Scan gives of the members of the set's archives.
    class Sink {
      public:
        virtual ~Sink() = default;
        // A member `name` of the archive `archive` ("Setup files.cfi")
        // begins; true to be given its bytes.
        virtual bool Begin(const std::string& archive, const std::string& name, int64_t size) = 0;
        // Its next bytes; false when the sink cannot keep them (it names
        // its folder and the reason in `folder` and `why`): the scan stops.
        virtual bool Data(const char* data, size_t size) = 0;
        // The member ended; `sound` when it expanded whole with the recorded
        // CRC-32 and size.
        virtual void End(bool sound) = 0;
        // Archives to read before the others (the scripts' archives, say);
        // once they are read, EarlyDone is called, while the others are
        // still to come.
        virtual bool Early(const std::string& /*archive*/) const { return false; }
        virtual void EarlyDone() {}

        std::string folder;
        std::string why;
    };
    // Checks the set on `disks` as Unpack does and hands every member of
    // every archive to `sink`; nothing is written but what the sink writes.
    bool Scan(const std::vector<std::string>& disks, Sink& sink);

    const std::vector<std::string>& Problems() const { return problems_; }
    // The last Unpack stopped because its folders could not be written;
    // Problems() ends with the system's reason, and the set was not checked
    // to its end.
    bool TemporaryFolderFailed() const { return temporaryFolderFailed_; }
    // The archives expanded into the set folder, in name order.
    const std::vector<std::string>& Archives() const { return archives_; }

  private:
    // The disk's own archive, after naming a gap before it; empty (named)
    // when the disk holds none.
    std::string DiskArchive(const std::string& disk, long expected);
    void ExpandDisk(const std::string& disk, long expected, const std::string& workFolder);
    void JoinPieces(const std::string& workFolder);
    void ExpandArchive(const std::string& workFolder, const std::string& name,
                       const std::string& setFolder);
    // Expands the archive at `path` (named `shown` in problems) into
    // `destination`; false after naming the fault.
    bool Expand(const std::string& path, const std::string& shown, const std::string& destination);
    void CannotWrite(const std::string& folder, const std::string& why);

    std::vector<std::string> problems_;
    bool temporaryFolderFailed_ = false;
    std::vector<std::string> archives_;
};

}  // namespace vantrel
