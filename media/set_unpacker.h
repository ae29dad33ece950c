// Turns a floppy set back into the folder it was made from (see disk_set.h):
// every disk's archive diskNNN.cfi is expanded, the pieces "~kkk_b.cfi" of a
// split archive are joined in piece order into "b.cfi", and every ".cfi"
// archive is expanded in turn. The result has the ship folder's layout: the
// scripts in "Setup", the components' files at their source names.
//
// Expanding checks each member's CRC-32 and size, so a damaged archive is
// found here. Each fault is named and the unpacking goes on with the rest,
// so that one run lists everything that is wrong with a set.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class WSetUnpacker {
  public:
    // The disk number of a name "disk" + up to nine digits ("Disk002" gives
    // 2), without regard to case; -1 for any other name.
    static long DiskNumberOf(const std::string& name);
    // The disk folders in `mediaFolder` (disk001, disk002, ...) in disk order.
    static std::vector<std::string> DiskFolders(const std::string& mediaFolder);

    // Unpacks the set on `disks` (disk folders in disk order, as DiskFolders
    // gives them) into `setFolder`, using `workFolder` for the disks'
    // archives; both are created when missing. True when every disk, piece
    // and archive was found and expanded whole; Problems() names each fault.
    bool Unpack(const std::vector<std::string>& disks, const std::string& workFolder,
                const std::string& setFolder);
    const std::vector<std::string>& Problems() const { return problems_; }
    // The archives expanded into the set folder, in name order.
    const std::vector<std::string>& Archives() const { return archives_; }

  private:
    void ExpandDisk(const std::string& disk, long expected, const std::string& workFolder);
    void JoinPieces(const std::string& workFolder);
    void ExpandArchive(const std::string& workFolder, const std::string& name,
                       const std::string& setFolder);

    std::vector<std::string> problems_;
    std::vector<std::string> archives_;
};

}  // namespace vantrel
