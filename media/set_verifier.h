// Checks a built set without installing it: a CD set (a folder with the
// scripts in "Setup" and the application's files beside them) or a floppy
// set (disk folders disk001, disk002, ... whose archives are read as
// streams, see set_unpacker.h: only the scripts are written, into a private
// temporary folder; every other file is checked, and compared with its
// source, as it is expanded).
//
// A set is sound when the product script carries a header whose checksum
// matches its body (and so does every other script that carries one), no
// line of a script is longer than the setup engine reads as one line, the
// component script reads as a setup's component script, every file record
// of every component that the set carries (the application's and the
// standard components' alike) is present at its source name with the size
// the record gives and installs to a destination the engine can use, every
// shortcut, registration, INI entry and text replacement of the application
// names a file the set installs, and for a floppy set every disk, every
// piece of a split archive and every archive is there, holds each member
// once and expands with right CRCs.
//
// With a project (SetProject), the application's files in the set are also
// compared byte for byte with the project's sources: a CD set carries no
// checksums, so only this finds a changed byte in one of its files.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace vantrel {

class WProjectData;
class WScriptHeader;
class WSetupManager;

class WSetVerifier {
  public:
    enum class Kind { kNone, kFolder, kFloppy };

    // Checks the set in `mediaFolder`. True when it is sound; Problems()
    // then is empty, otherwise it names each fault.
    bool Verify(const std::string& mediaFolder);

    // Checks the unpacked set (or CD set) in `root`, adding to Problems().
    bool VerifyFolder(const std::string& root);

    // The project the set was built from (null: none); the caller keeps it.
    void SetProject(const WProjectData* project) { project_ = project; }

    // A script's header against its body.
    struct ScriptCheck {
        enum State { kSound, kMissing, kCannotOpen, kFails };
        State state = kSound;
        std::string reasons;  // kFails: why, "; "-separated
    };
    // Checks the script at `path` as the setup engine does before it
    // installs: the checksums of its header block must match its body, and
    // no line may be too long for the engine. With `headerRequired`, a
    // script without a header block fails; `stamped`, when given, gets the
    // header's values as stamped.
    static ScriptCheck CheckScript(const std::string& path, bool headerRequired,
                                   WScriptHeader* stamped = nullptr);

    // What the setup engine would refuse in the set that `project` makes,
    // found before anything is written: a line of its scripts too long for
    // the engine, and a file, font, folder or shortcut whose destination the
    // engine cannot use (project/engine_limits.h holds both rules). One
    // text per fault; empty when there is none. Gathers the project's
    // components and leaves them gathered.
    static std::vector<std::string> CheckProject(WProjectData& project);

    const std::vector<std::string>& Problems() const { return problems_; }
    // The check could not be done (the temporary folder for a floppy set
    // could not be written); Problems() says why, and nothing is said about
    // the set itself.
    bool Incomplete() const { return incomplete_; }
    Kind GetKind() const { return kind_; }
    int DiskCount() const { return disks_; }
    int ArchiveCount() const { return archives_; }
    int FileCount() const { return files_; }
    // Application files compared with their sources.
    int ComparedCount() const { return compared_; }

    // A file of a floppy set as the scan of its archives found it.
    struct InSet {
        long long size = 0;
        // How it differs from its source in the project ("" when it does
        // not, or when it has none).
        std::string difference;
    };

  private:
    // The scripts in `setupFolder` checked, each fault added to `problems`.
    static void CheckScripts(const std::string& setupFolder, std::vector<std::string>& problems);
    // Reads the set's component script (and string files) into
    // `components`; false after adding why not to `problems`.
    static bool ReadComponents(WSetupManager& components, const std::string& setupFolder,
                               std::vector<std::string>& problems);
    void CheckFiles(const std::string& root, WSetupManager& components);

    const WProjectData* project_ = nullptr;
    // A floppy set's files by their key in the set (null: a folder set,
    // whose files are on disk).
    const std::unordered_map<std::string, InSet>* inSet_ = nullptr;
    std::vector<std::string> problems_;
    Kind kind_ = Kind::kNone;
    bool incomplete_ = false;
    int disks_ = 0;
    int archives_ = 0;
    int files_ = 0;
    int compared_ = 0;
};

}  // namespace vantrel
