// Installs a set into a sandbox root instead of a Windows machine, so that
// a built set can be shown to install: the selected components' files are
// copied to their targets (mapped below the root, see target_folders.h), the
// registry entries go into the root's own hive files, INI entries and text
// replacements are applied to the installed files, every shortcut is
// recorded as a small text file, and an uninstall log lists what was made:
//
//   ROOT/Registry/machine.reg, user.reg   HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER
//   ROOT/Uninstall.log                    [Uninstall] then one line per item:
//       Folder=Windows/Acme               folders made, paths relative to ROOT
//       File=Program Files/Acme/app.exe   files made
//       Value=HKCU|Software\Acme|Path     registry values written
//       Ini=Windows/app.ini|Paths|Home    INI entries added to a file that
//                                         was there before
//   a shortcut  <folder>/<name>.lnk       [Shortcut] Target=, Arguments=,
//                                         WorkingFolder= (Windows paths)
//
// Uninstall() removes what the log lists, newest first, and then the log.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

class WInstallReport;
class WSetupComponent;
class WSetupElement;
class WTargetFolders;

class WSandboxInstall {
  public:
    static constexpr const char* kLogName = "Uninstall.log";

    explicit WSandboxInstall(std::string root);

    // Installs the set that `report` read, taking the components of
    // install type `installType` (1 to 3) and the application's own. The
    // set's files are taken from `setFolder` (the set's root, or the folder
    // a floppy set was unpacked into). True when everything was installed;
    // Problems() names what was not, and nothing made is left unlogged.
    bool Install(const WInstallReport& report, const std::string& setFolder, int installType);
    // Removes what the root's uninstall log lists. False when there is no
    // log or an item could not be removed (the log then stays).
    bool Uninstall();

    const std::vector<std::string>& Problems() const { return problems_; }
    // One line per thing done, for the listing.
    const std::vector<std::string>& Done() const { return done_; }
    // Whether the last Install() began the uninstall log (so that what it
    // made, also when it failed, can be uninstalled).
    bool LogMade() const { return logMade_; }

  private:
    class Run;

    // The steps of Install, one element each.
    static void InstallFile(Run& run, const WTargetFolders& folders, const WSetupComponent& c,
                            const WSetupElement& e, const std::string& setFolder);
    static void InstallRegistryValue(Run& run, const WTargetFolders& folders,
                                     const WSetupElement& e);
    static void InstallIniEntry(Run& run, const WTargetFolders& folders, const WSetupElement& e);
    static void InstallTextChange(Run& run, const WTargetFolders& folders, const WSetupElement& e);
    static void InstallShortcut(Run& run, const WTargetFolders& folders, const WSetupElement& e);

    std::string root_;
    std::vector<std::string> problems_;
    std::vector<std::string> done_;
    bool logMade_ = false;
};

}  // namespace vantrel
