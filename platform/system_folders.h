// The folders that the folder macros stand for, as this machine knows them.
// Pages use them to show what a macro means ("<Windows Program Files
// Folder>" -> "C:\Program Files") and to find tools such as the registry
// editor.
//
// This host is not Windows, so every folder starts as the folder of a default
// Windows installation (see the table in system_folders.cpp). Values in the
// registry store win over the defaults, so an installation or a test can say
// where things are:
//
//   HKEY_LOCAL_MACHINE
//     Software\Microsoft\Windows NT\CurrentVersion   SystemRoot (Windows folder)
//     Software\Microsoft\Windows\CurrentVersion      ProgramFilesDir, ProgramFilesPath,
//                                                    CommonFilesDir
//     Software\Borland\Database Engine               DLLPATH
//     Software\Oxbel\Quillscript Suite\9             Destination
//   HKEY_CURRENT_USER
//     Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders
//         Programs, Desktop, Start Menu, StartUp, Fonts, SendTo, Templates,
//         Personal, My Pictures
//     ...\Explorer\User Shell Folders                Personal (preferred)
//
// Every getter returns the folder as found, or with `shortForm` its short
// (8.3) form: on this host "C:\Program Files" becomes "C:\PROGRA~1" (see
// ShortPathForm).
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class Registry;

// Folders that the system itself can name for the machine it runs on.
enum class KnownFolder {
    kWindows,
    kSystem,
    kTemp,
    kProgramFiles,
    kCommonFiles,
    kProgramsMenu,
    kDesktop,
    kStartMenu,
    kStartup,
    kFonts,
    kSendTo,
    kTemplates,
    kPersonal,
    kPictures,
};

// The folder as the system names it (the shell's known folders on Windows,
// the user's ones where there are both), in the Windows form without a
// trailing backslash; empty on other systems and when it has none.
std::string KnownFolderPath(KnownFolder which);

class SystemFolders {
  public:
    // Reads the folders from `registry` once; nothing is read later. When
    // `registry` is this machine's (Registry::IsThisMachine()), the folders
    // the system names (KnownFolderPath) come first, the registry's values
    // after them, and the default table only for what neither names.
    explicit SystemFolders(Registry& registry);

    std::string WindowsFolder(bool shortForm = false) const;
    // The system folder; the Windows folder when the configured one is a
    // folder of this host that cannot be written to.
    std::string SystemFolder(bool shortForm = false) const;
    std::string TempFolder(bool shortForm = false) const;
    // The folder of the running program file.
    std::string ProgramFolder(bool shortForm = false) const;
    // The maker's folder: the Windows folder joined with "Oxbel".
    std::string MakerFolder(bool shortForm = false) const;
    std::string ProgramFilesFolder(bool shortForm = false) const;
    std::string CommonFilesFolder(bool shortForm = false) const;
    std::string DaoFolder(bool shortForm = false) const;
    std::string OdbcFolder(bool shortForm = false) const;
    // The database engine's folder (ends in a backslash when it is the default).
    std::string BdeFolder(bool shortForm = false) const;
    // Destination of the word processor; empty when it is not installed.
    std::string QuillScriptFolder(bool shortForm = false) const;

    std::string ProgramsMenuFolder(bool shortForm = false) const;
    std::string DesktopFolder(bool shortForm = false) const;
    std::string StartMenuFolder(bool shortForm = false) const;
    std::string StartupFolder(bool shortForm = false) const;
    std::string FontsFolder(bool shortForm = false) const;
    std::string SendToFolder(bool shortForm = false) const;
    std::string TemplatesFolder(bool shortForm = false) const;
    std::string PersonalFolder(bool shortForm = false) const;
    std::string PicturesFolder(bool shortForm = false) const;

  private:
    static std::string Pick(const std::string& folder, bool shortForm);

    std::string windows_, system_, temp_, program_, maker_, programFiles_, commonFiles_, dao_,
        odbc_, bde_, quillScript_;
    std::string programsMenu_, desktop_, startMenu_, startup_, fonts_, sendTo_, templates_,
        personal_, pictures_;
};

// The object of this process, filled from TheRegistry() on first use.
const SystemFolders& TheSystemFolders();
// Fills it again from TheRegistry() (after a test installed another registry).
void ReloadSystemFolders();

// Short (8.3) form of a Windows path, built without a disk to ask: every
// part that is not a valid 8.3 name becomes its first six usable characters
// in upper case, "~1" and the first three characters of its extension
// ("Program Files" -> "PROGRA~1", "Common Files" -> "COMMON~1",
// "Setup Log.text" -> "SETUPL~1.TEX"). Valid 8.3 parts, the drive and the
// separators stay as they are.
std::string ShortPathForm(std::string_view path);

// The name of one part in short form (see ShortPathForm).
std::string ShortNameForm(std::string_view name);

}  // namespace vantrel
