// Checks a built set without installing it: a CD set (a folder with the
// scripts in "Setup" and the application's files beside them) or a floppy
// set (disk folders disk001, disk002, ... whose archives are unpacked into
// a private temporary folder first, see set_unpacker.h).
//
// A set is sound when the product script carries a header whose checksum
// matches its body (and so does every other script that carries one), the
// component script reads as a setup's component script, every file record
// of every component that the set carries is present at its source name with
// the size the record gives, and for a floppy set every disk, every piece of
// a split archive and every archive is there and expands with right CRCs.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class WScriptHeader;

class WSetVerifier {
  public:
    enum class Kind { kNone, kFolder, kFloppy };

    // Checks the set in `mediaFolder`. True when it is sound; Problems()
    // then is empty, otherwise it names each fault.
    bool Verify(const std::string& mediaFolder);

    // Checks the unpacked set (or CD set) in `root`, adding to Problems().
    bool VerifyFolder(const std::string& root);

    // A script's header against its body.
    struct ScriptCheck {
        enum State { kSound, kMissing, kCannotOpen, kFails };
        State state = kSound;
        std::string reasons;  // kFails: why, "; "-separated
    };
    // Checks the script at `path` as the setup engine does before it
    // installs: the checksums of its header block must match its body. With
    // `headerRequired`, a script without a header block fails; `stamped`,
    // when given, gets the header's values as stamped.
    static ScriptCheck CheckScript(const std::string& path, bool headerRequired,
                                   WScriptHeader* stamped = nullptr);

    const std::vector<std::string>& Problems() const { return problems_; }
    Kind GetKind() const { return kind_; }
    int DiskCount() const { return disks_; }
    int ArchiveCount() const { return archives_; }
    int FileCount() const { return files_; }

  private:
    void CheckScripts(const std::string& setupFolder);
    void CheckFiles(const std::string& root, const std::string& setupFolder);

    std::vector<std::string> problems_;
    Kind kind_ = Kind::kNone;
    int disks_ = 0;
    int archives_ = 0;
    int files_ = 0;
};

}  // namespace vantrel
