// Where the setup engine finds the set it was started for.
//
// A set for one disk (a CD, or the temporary set of a test run) is a folder
// holding the engine's start program "setup32.exe" and a "Setup" subfolder
// with the scripts "project.kvz", "comp.kvz" and "string.str". A floppy set
// is a row of folders disk001, disk002, ... side by side; disk001 holds the
// floppy start program "setup.exe" and every disk folder its archive
// diskNNN.cfi.
//
// The engine is started with the set's folder as its own folder (test runs,
// a CD) or as the current folder (started by hand); WSetFolder looks at the
// folders it is given in order and takes the first that is a set.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class WSetFolder {
  public:
    enum Kind {
        kNone,            // no folder looked like a set
        kScripts,         // Root() holds Setup\project.kvz
        kFloppy,          // DiskFolder() is a disk of a floppy set
        kMissingScripts,  // Root() holds a "Setup" folder, but no product script
    };

    // Looks at `candidates` in order (empty entries and repeats are passed
    // over): the first folder that holds the scripts or is a floppy disk
    // wins; failing that, the first folder with a "Setup" subfolder.
    void Locate(const std::vector<std::string>& candidates);

    Kind GetKind() const { return kind_; }
    // The set's root folder (kScripts, kMissingScripts).
    const std::string& Root() const { return root_; }
    // The "Setup" folder below the root, as found on disk.
    std::string SetupFolder() const;
    // Path of a script of the "Setup" folder, its name matched without
    // regard to case; the plain joined path when there is no such file.
    std::string Script(const std::string& name) const;

    // The disk folder that was started from (kFloppy).
    const std::string& DiskFolder() const { return diskFolder_; }
    // Every disk folder of the floppy set in disk order: the folders named
    // "disk" and a number beside DiskFolder(), or DiskFolder() alone when
    // it is not named so (a disk copied to the root of a floppy).
    std::vector<std::string> Disks() const;

    // The folders that were looked at, for the message when none was a set.
    const std::vector<std::string>& Looked() const { return looked_; }

    // The disk number of a name "disk" + digits ("Disk002" gives 2),
    // without regard to case; -1 for any other name.
    static long DiskNumberOf(const std::string& name);
    // Whether `folder` holds a disk archive ("disk" + digits + ".cfi").
    static bool HoldsDiskArchive(const std::string& folder);

  private:
    static bool HoldsProductScript(const std::string& folder);

    Kind kind_ = kNone;
    std::string root_;
    std::string diskFolder_;
    std::vector<std::string> looked_;
};

}  // namespace vantrel
