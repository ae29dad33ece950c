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
//       Key=HKCU|Software\Acme            registry keys made
//       Value=HKCU|Software\Acme|Path     registry values written
//       Ini=Windows/app.ini|Paths|Home    INI entries added to a file that
//                                         was there before
//   a shortcut  <folder>/<name>.lnk       [Shortcut] Target=, Arguments=,
//                                         WorkingFolder= (Windows paths)
//
// Uninstall() removes what the log lists, newest first (folders and keys
// only when they are empty), and then the log.
//
// Without a root it installs on this machine (Windows only): into its
// Windows folders (see target_folders.h; paths relative to the Windows
// drive's root in the log), the system's registry, shortcuts made by the
// shell and INI entries through the system (see shell_link.h, ini_file.h),
// with the uninstall log in the product's destination folder.
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

    // An empty `root` installs on this machine.
    explicit WSandboxInstall(std::string root);
    // Whether this machine is one to install on without a root (Windows);
    // false with the reason in `why`.
    static bool CanInstallOnThisMachine(std::string& why);

    // Installs the set that `report` read, taking the components of
    // install type `installType` (1 to 3) and the application's own. The
    // set's files are taken from `setFolder` (the set's root, or the folder
    // a floppy set was unpacked into). True when everything was installed;
    // Problems() names what was not, and nothing made is left unlogged.
    bool Install(const WInstallReport& report, const std::string& setFolder, int installType);
    // Removes what the root's uninstall log lists (on this machine: the log
    // in `destination`, the product's target folder, macros allowed). False
    // when there is no log or an item could not be removed (the log then
    // stays).
    bool Uninstall(const std::string& destination = {});

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
