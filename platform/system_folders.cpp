#include "platform/system_folders.h"

#include <memory>
#include <mutex>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

// Folders of a default Windows installation, used where the registry says
// nothing. Shell folders are relative to the Windows folder, the rest are
// built from the folders before them:
//
//   Windows folder          C:\Windows
//   system folder           <Windows>\System
//   temporary folder        <Windows>\Temp
//   maker's folder          <Windows>\Oxbel
//   program files           <drive of Windows>\Program Files
//   common files            <program files>\Common Files
//   DAO, ODBC               <common files>\Microsoft Shared\DAO, <common files>\ODBC
//   database engine         <program files>\Borland\Common Files\Bde\   (trailing backslash)
//   word processor          (none)
//   Start-menu programs     <Windows>\Start Menu\Programs
//   desktop                 <Windows>\Desktop
//   Start menu              <Windows>\Start Menu
//   startup                 <Windows>\Start Menu\Programs\StartUp
//   fonts                   <Windows>\Fonts
//   send-to                 <Windows>\SendTo
//   templates               <Windows>\ShellNew
//   personal documents      <drive of Windows>\My Documents
//   pictures                <personal documents>\My Pictures
constexpr const char* kDefaultWindows = "C:\\Windows";

constexpr const char* kWindowsNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWindowsKey = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kBdeKey = "Software\\Borland\\Database Engine";
constexpr const char* kQuillScriptKey = "Software\\Oxbel\\Quillscript Suite\\9";

std::string Value(Registry& registry, Hive hive, const char* key, const char* name) {
    std::string value;
    if (!registry.GetString(hive, key, name, value))
        return {};
    return Trim(value);
}

// "C:" of "C:\Windows"; empty for a folder without a drive letter.
std::string DriveOf(const std::string& folder) {
    if (folder.size() >= 2 && folder[1] == ':')
        return folder.substr(0, 2);
    return {};
}

bool IsLocalPath(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

// A configured folder can be used when it is not blank and, if it is a folder
// of this host, exists. Windows paths describe the target and are taken as
// they are.
bool Usable(const std::string& folder) {
    if (folder.empty())
        return false;
    return !IsLocalPath(folder) || IsFolder(folder);
}

std::string ShellFolder(Registry& registry, const char* name, const std::string& fallback) {
    std::string v = Value(registry, Hive::CurrentUser, kShellFoldersKey, name);
    return v.empty() ? fallback : v;
}

bool IsShortNameChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20)
        return false;
    return std::string_view(" \"*+,/:;<=>?[\\]|.").find(c) == std::string_view::npos;
}

bool IsValidShortName(std::string_view name) {
    if (name == "." || name == "..")
        return true;
    size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext =
        dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3)
        return false;
    if (dot != std::string_view::npos && ext.empty())
        return false;
    for (char c : base)
        if (!IsShortNameChar(c))
            return false;
    for (char c : ext)
        if (!IsShortNameChar(c))
            return false;
    return true;
}

// Upper case, blanks and dots dropped, characters a short name cannot hold
// made "_".
std::string ShortNameChars(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '.')
            continue;
        out += IsShortNameChar(c) ? ToUpperChar(c) : '_';
    }
    return out;
}

std::mutex g_mutex;
std::unique_ptr<SystemFolders> g_folders;

}  // namespace

#if !defined(_WIN32)
std::string KnownFolderPath(KnownFolder) {
    // Only Windows names its folders; elsewhere the registry and the table
    // of a default installation describe the machine a setup is for.
    return {};
}
#endif

SystemFolders::SystemFolders(Registry& registry) {
    // The folders the system names for this machine, first.
    const bool thisMachine = registry.IsThisMachine();
    auto known = [thisMachine](KnownFolder which) {
        return thisMachine ? KnownFolderPath(which) : std::string();
    };
    auto shellFolder = [&](KnownFolder which, const char* name, const std::string& fallback) {
        std::string folder = known(which);
        return folder.empty() ? ShellFolder(registry, name, fallback) : folder;
    };
    windows_ = known(KnownFolder::kWindows);
    if (windows_.empty())
        windows_ = Value(registry, Hive::LocalMachine, kWindowsNtKey, "SystemRoot");
    if (windows_.empty())
        windows_ = kDefaultWindows;
    windows_ = StripTrailingSeparators(windows_);
    const std::string drive = DriveOf(windows_);

    system_ = known(KnownFolder::kSystem);
    if (system_.empty())
        system_ = JoinPath(windows_, "System");
    // A system folder that this program could not even write to is useless
    // for what it is looked up for; the Windows folder stands in.
    if (IsLocalPath(system_) && IsFolder(system_) && !HasFolderAccess(system_, true)) {
        system_ = windows_;
    }
    temp_ = known(KnownFolder::kTemp);
    if (temp_.empty())
        temp_ = JoinPath(windows_, "Temp");
    program_ = RunningProgramFolder();
    maker_ = JoinPath(windows_, "Oxbel");

    programFiles_ = known(KnownFolder::kProgramFiles);
    if (programFiles_.empty())
        programFiles_ = Value(registry, Hive::LocalMachine, kWindowsKey, "ProgramFilesDir");
    if (!Usable(programFiles_)) {
        programFiles_ = Value(registry, Hive::LocalMachine, kWindowsKey, "ProgramFilesPath");
        if (!programFiles_.empty()) {
            size_t at;
            while ((at = FindNoCase(programFiles_, "%SystemDrive%")) != std::string::npos) {
                programFiles_.replace(at, 13, drive);
            }
        }
        if (!Usable(programFiles_))
            programFiles_ = drive + "\\Program Files";
    }
    programFiles_ = StripTrailingSeparators(programFiles_);

    commonFiles_ = known(KnownFolder::kCommonFiles);
    if (commonFiles_.empty())
        commonFiles_ = Value(registry, Hive::LocalMachine, kWindowsKey, "CommonFilesDir");
    if (!Usable(commonFiles_))
        commonFiles_ = JoinPath(programFiles_, "Common Files");
    commonFiles_ = StripTrailingSeparators(commonFiles_);
    dao_ = JoinPath(commonFiles_, "Microsoft Shared\\DAO");
    odbc_ = JoinPath(commonFiles_, "ODBC");

    // DLLPATH may list several folders; the one holding the engine's library
    // is the engine's folder.
    std::string dllPath = Value(registry, Hive::LocalMachine, kBdeKey, "DLLPATH");
    std::vector<std::string> folders = SplitTrimmed(dllPath, ';');
    if (folders.size() == 1) {
        bde_ = folders[0];
    } else {
        for (auto& f : folders) {
            if (!FindInFolderNoCase(f, "IDAPI32.DLL").empty()) {
                bde_ = f;
                break;
            }
        }
    }
    if (bde_.empty())
        bde_ = JoinPath(programFiles_, "Borland\\Common Files\\Bde\\");

    quillScript_ = Value(registry, Hive::LocalMachine, kQuillScriptKey, "Destination");

    const std::string startMenu = JoinPath(windows_, "Start Menu");
    startMenu_ = shellFolder(KnownFolder::kStartMenu, "Start Menu", startMenu);
    programsMenu_ =
        shellFolder(KnownFolder::kProgramsMenu, "Programs", JoinPath(startMenu, "Programs"));
    startup_ =
        shellFolder(KnownFolder::kStartup, "StartUp", JoinPath(startMenu, "Programs\\StartUp"));
    desktop_ = shellFolder(KnownFolder::kDesktop, "Desktop", JoinPath(windows_, "Desktop"));
    fonts_ = shellFolder(KnownFolder::kFonts, "Fonts", JoinPath(windows_, "Fonts"));
    sendTo_ = shellFolder(KnownFolder::kSendTo, "SendTo", JoinPath(windows_, "SendTo"));
    templates_ = shellFolder(KnownFolder::kTemplates, "Templates", JoinPath(windows_, "ShellNew"));
    personal_ = known(KnownFolder::kPersonal);
    if (personal_.empty())
        personal_ = Value(registry, Hive::CurrentUser, kUserShellFoldersKey, "Personal");
    if (personal_.empty()) {
        std::string myDocuments =
            drive.empty() ? JoinPath(windows_, "My Documents") : drive + "\\My Documents";
        personal_ = ShellFolder(registry, "Personal", myDocuments);
    }
    pictures_ =
        shellFolder(KnownFolder::kPictures, "My Pictures", JoinPath(personal_, "My Pictures"));
}

std::string SystemFolders::Pick(const std::string& folder, bool shortForm) {
    return shortForm ? ShortPathForm(folder) : folder;
}

std::string SystemFolders::WindowsFolder(bool s) const {
    return Pick(windows_, s);
}
std::string SystemFolders::SystemFolder(bool s) const {
    return Pick(system_, s);
}
std::string SystemFolders::TempFolder(bool s) const {
    return Pick(temp_, s);
}
std::string SystemFolders::ProgramFolder(bool s) const {
    return Pick(program_, s);
}
std::string SystemFolders::MakerFolder(bool s) const {
    return Pick(maker_, s);
}
std::string SystemFolders::ProgramFilesFolder(bool s) const {
    return Pick(programFiles_, s);
}
std::string SystemFolders::CommonFilesFolder(bool s) const {
    return Pick(commonFiles_, s);
}
std::string SystemFolders::DaoFolder(bool s) const {
    return Pick(dao_, s);
}
std::string SystemFolders::OdbcFolder(bool s) const {
    return Pick(odbc_, s);
}
std::string SystemFolders::BdeFolder(bool s) const {
    return Pick(bde_, s);
}
std::string SystemFolders::QuillScriptFolder(bool s) const {
    return Pick(quillScript_, s);
}
std::string SystemFolders::ProgramsMenuFolder(bool s) const {
    return Pick(programsMenu_, s);
}
std::string SystemFolders::DesktopFolder(bool s) const {
    return Pick(desktop_, s);
}
std::string SystemFolders::StartMenuFolder(bool s) const {
    return Pick(startMenu_, s);
}
std::string SystemFolders::StartupFolder(bool s) const {
    return Pick(startup_, s);
}
std::string SystemFolders::FontsFolder(bool s) const {
    return Pick(fonts_, s);
}
std::string SystemFolders::SendToFolder(bool s) const {
    return Pick(sendTo_, s);
}
std::string SystemFolders::TemplatesFolder(bool s) const {
    return Pick(templates_, s);
}
std::string SystemFolders::PersonalFolder(bool s) const {
    return Pick(personal_, s);
}
std::string SystemFolders::PicturesFolder(bool s) const {
    return Pick(pictures_, s);
}

const SystemFolders& TheSystemFolders() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_folders)
        g_folders = std::make_unique<SystemFolders>(TheRegistry());
    return *g_folders;
}

void ReloadSystemFolders() {
    auto fresh = std::make_unique<SystemFolders>(TheRegistry());
    std::lock_guard<std::mutex> lock(g_mutex);
    g_folders = std::move(fresh);
}

std::string ShortNameForm(std::string_view name) {
    if (IsValidShortName(name))
        return std::string(name);
    size_t dot = name.rfind('.');
    if (dot == 0)
        dot = std::string_view::npos;  // ".profile" has no extension
    std::string base = ShortNameChars(name.substr(0, dot));
    std::string ext =
        dot == std::string_view::npos ? std::string() : ShortNameChars(name.substr(dot + 1));
    if (base.empty())
        base.assign(1, '_');
    std::string out = base.substr(0, 6);
    out += "~1";
    if (!ext.empty()) {
        out += '.';
        out.append(ext, 0, 3);
    }
    return out;
}

std::string ShortPathForm(std::string_view path) {
    std::string out;
    size_t i = 0;
    // "\\server\share": the server and share names are not file names.
    int keep = 0;
    if (path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]))
        keep = 2;
    while (i < path.size()) {
        if (IsPathSeparator(path[i])) {
            out += path[i++];
            continue;
        }
        size_t end = path.find_first_of("\\/", i);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view part = path.substr(i, end - i);
        if (keep > 0 || part.find(':') != std::string_view::npos) {
            out += part;
            if (keep > 0)
                --keep;
        } else {
            out += ShortNameForm(part);
        }
        i = end;
    }
    return out;
}

}  // namespace vantrel
