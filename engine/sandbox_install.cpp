#include "engine/sandbox_install.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <set>

#include "elements/element_classes.h"
#include "engine/install_report.h"
#include "engine/target_folders.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/files_below.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/shell_link.h"
#include "platform/strings.h"
#include "platform/system_folders.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr const char* kInSet = "<S>";
constexpr const char* kSection = "[Uninstall]";

std::string MachineHive(const std::string& root) {
    return JoinPath(JoinPath(root, "Registry"), "machine.reg");
}
std::string UserHive(const std::string& root) {
    return JoinPath(JoinPath(root, "Registry"), "user.reg");
}

// HKEY_CLASSES_ROOT is the machine's Software\Classes.
bool HiveOf(const std::string& rootKey, std::string& keyPath, Hive& hive) {
    if (EqualsNoCase(rootKey, "HKEY_LOCAL_MACHINE") || EqualsNoCase(rootKey, "HKLM")) {
        hive = Hive::LocalMachine;
    } else if (EqualsNoCase(rootKey, "HKEY_CURRENT_USER") || EqualsNoCase(rootKey, "HKCU")) {
        hive = Hive::CurrentUser;
    } else if (EqualsNoCase(rootKey, "HKEY_CLASSES_ROOT") || EqualsNoCase(rootKey, "HKCR")) {
        hive = Hive::LocalMachine;
        keyPath = "Software\\Classes\\" + keyPath;
    } else {
        return false;
    }
    return true;
}

// Whether `text` holds a NUL or another control character, which no Windows
// path may hold (a NUL would end the path early).
bool HoldsControlCharacter(const std::string& text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F)
            return true;
    }
    return false;
}

// The hive files and their folder, relative to the root.
constexpr const char* kHivePaths[] = {"Registry", "Registry/machine.reg", "Registry/user.reg"};

std::string LinkRefused(const std::string& path) {
    return DisplayPath(path) +
           " is a symbolic link: nothing is written, read or removed through "
           "a link in the sandbox";
}

// The sandbox root, open; every path below it is reached without following
// a symbolic link (see files_below.h), so that a link placed in the root
// never leads a write, a read or a removal out of it.
class RootFolder {
  public:
    explicit RootFolder(const std::string& root) : root_(root) {}

    bool Open() { return handle_.Open(root_, FileHandle::Mode::kFolder); }
    const FileHandle& Handle() const { return handle_; }

    std::string Relative(const std::string& path) const {
        std::string rest = path.substr(std::min(path.size(), root_.size()));
        while (!rest.empty() && IsPathSeparator(rest.front()))
            rest.erase(0, 1);
        return ReplaceAll(rest, "\\", "/");
    }

    const std::string& Path() const { return root_; }

    // Opens the folder that holds `path` (a path below the root) and gives
    // the name of `path` in it; with `made`, missing folders are made (see
    // OpenFolderBelow). False with the reason in `problem`, and errno kept
    // (ENOENT for a missing folder, ELOOP for a link).
    bool OpenParent(const std::string& path, FileHandle& folder, std::string& name,
                    std::string& problem, std::vector<std::string>* made = nullptr) const {
        const std::string relative = Relative(path);
        const size_t slash = relative.rfind('/');
        name = slash == std::string::npos ? relative : relative.substr(slash + 1);
        std::string at;
        if (!name.empty() &&
            OpenFolderBelow(handle_, slash == std::string::npos ? "" : relative.substr(0, slash),
                            folder, made, &at)) {
            return true;
        }
        const int error = name.empty() ? EISDIR : errno;
        const std::string shown = JoinPath(root_, name.empty() ? relative : at);
        errno = error;
        problem = error == ELOOP ? LinkRefused(shown) : ErrnoText(DisplayPath(shown));
        errno = error;
        return false;
    }

    // Why `path` cannot be reached without a link: a link on the way to it,
    // or `path` itself a link. Empty when there is none (also when a part of
    // the way does not exist yet).
    std::string LinkOnTheWay(const std::string& path) const {
        FileHandle folder;
        std::string name, problem;
        if (!OpenParent(path, folder, name, problem))
            return errno == ELOOP ? problem : std::string();
        FileInfo info;
        return folder.InfoIn(name, info) && info.isLink ? LinkRefused(path) : std::string();
    }

    // Reads the file at `path`; a missing file reads as empty with `existed`
    // false.
    bool Read(const std::string& path, std::string& text, bool& existed,
              std::string& problem) const {
        text.clear();
        existed = false;
        FileHandle folder;
        std::string name;
        if (!OpenParent(path, folder, name, problem))
            return errno == ENOENT;
        if (ReadFileIn(folder, name, text)) {
            existed = true;
            return true;
        }
        if (errno == ENOENT)
            return true;
        problem = errno == ELOOP ? LinkRefused(path) : ErrnoText(DisplayPath(path));
        return false;
    }

    // Removes the file at `path` (a link there itself, never what it leads
    // to); true when it is gone.
    bool RemoveFile(const std::string& path, std::string& problem) const {
        FileHandle folder;
        std::string name;
        if (!OpenParent(path, folder, name, problem))
            return errno == ENOENT;
        if (folder.RemoveIn(name) || errno == ENOENT)
            return true;
        problem = ErrnoText(DisplayPath(path));
        return false;
    }

    // Removes the folder at `path` when it is empty (and no link); true
    // when it is gone.
    bool RemoveEmptyFolder(const std::string& path) const {
        FileHandle folder;
        std::string name, problem;
        if (!OpenParent(path, folder, name, problem))
            return errno == ENOENT;
        return folder.RemoveFolderIn(name) || errno == ENOENT;
    }

    // Replaces the file at `path` in a folder that exists.
    bool Write(const std::string& path, const std::string& data, std::string& problem) const {
        FileHandle folder;
        std::string name;
        if (!OpenParent(path, folder, name, problem))
            return false;
        if (ReplaceFileIn(folder, name, data))
            return true;
        problem = errno == ELOOP ? LinkRefused(path) : ErrnoText(DisplayPath(path));
        return false;
    }

  private:
    std::string root_;
    FileHandle handle_;
};

// False, with the problems named, when the root's hive folder or files are
// symbolic links: the hives are read and written by path.
bool HivesReachable(const RootFolder& root, const std::string& rootPath,
                    std::vector<std::string>& problems) {
    for (const char* relative : kHivePaths) {
        if (std::string why = root.LinkOnTheWay(JoinPath(rootPath, relative)); !why.empty()) {
            problems.push_back(why);
            return false;
        }
    }
    return true;
}

// The folder that paths of this machine are taken below: the root of the
// Windows folder's drive.
std::string MachineTop() {
    return WTargetFolders({}, TheRegistry(), {}).Root();
}

// The keys of `key` from the top down that `registry` lacks.
std::vector<std::string> MissingKeys(Registry& registry, Hive hive, const std::string& key) {
    std::vector<std::string> missing;
    std::string path;
    for (const std::string& part : Split(SlashesAsBackslashes(key), '\\')) {
        if (Trim(part).empty())
            continue;
        path = path.empty() ? part : path + "\\" + part;
        if (!missing.empty() || !registry.KeyExists(hive, path))
            missing.push_back(path);
    }
    return missing;
}

}  // namespace

// One install: the folders, the hives, and the log written as it goes, so
// that a failure half-way still leaves a log of what was made.
class WSandboxInstall::Run {
  public:
    Run(WSandboxInstall& owner, const RootFolder& root, const std::string& destination)
        : owner_(owner),
          root_(root),
          ownHives_(owner.root_.empty() ? nullptr
                                        : std::make_unique<RegFileStore>(MachineHive(owner.root_),
                                                                         UserHive(owner.root_))),
          hives_(ownHives_ ? *ownHives_ : TheRegistry()),
          folders_(owner.root_, hives_, destination) {}

    const WTargetFolders& Folders() const { return folders_; }
    Registry& Hives() { return hives_; }
    bool ThisMachine() const { return owner_.root_.empty(); }

    bool Problem(const std::string& text) {
        owner_.problems_.push_back(text);
        return false;
    }
    void Done(const std::string& text) { owner_.done_.push_back(text); }

    std::string Relative(const std::string& path) const { return root_.Relative(path); }

    // Appends a line to the log at once, so that an install that stops
    // half-way still leaves the log of what it made.
    bool Log(const std::string& line) {
        const std::string text = line + "\r\n";
        if (!log_.WriteAll(text.data(), text.size()))
            return Problem(ErrnoText("the uninstall log " + DisplayPath(logPath_)));
        return true;
    }

    // The sandbox path of a target (macros allowed); empty when it leads
    // nowhere in the sandbox, with the problem named when `what` is given.
    std::string Target(const std::string& windowsTarget, const std::string& what) {
        const std::string expanded = folders_.Expand(windowsTarget);
        if (HoldsControlCharacter(windowsTarget) || HoldsControlCharacter(expanded)) {
            if (!what.empty())
                Problem(what + ": the target " + Quoted(windowsTarget) +
                        " holds a control character, which no Windows path may hold");
            return {};
        }
        const std::string path = folders_.InSandbox(expanded);
        if (path.empty() && !what.empty()) {
            Problem(what + ": the target " + Quoted(windowsTarget) +
                    (ThisMachine() ? " is no full Windows path on drive " + folders_.Root()
                                   : std::string(" is no full Windows path")));
        }
        return path;
    }

    // Reads a file below the root (see RootFolder::Read).
    bool Read(const std::string& path, std::string& text, bool& existed) {
        std::string problem;
        return root_.Read(path, text, existed, problem) || Problem(problem);
    }

    // Opens the folder of `path`, making (and logging) the folders missing
    // on the way; `existed` tells whether `path` is there already.
    bool Prepare(const std::string& path, FileHandle& folder, std::string& name, bool& existed) {
        std::string problem;
        std::vector<std::string> made;
        const bool opened = root_.OpenParent(path, folder, name, problem, &made);
        for (const std::string& m : made) {
            if (!Log("Folder=" + m))
                return false;
        }
        if (!opened)
            return Problem(problem);
        FileInfo info;
        existed = folder.InfoIn(name, info);
        if (existed && info.isLink)
            return Problem(LinkRefused(path));
        return true;
    }

    // Logs `path` as this install's when it was not there before.
    bool Note(const std::string& path, bool existed) {
        if (existed)
            return true;
        made_.insert(path);
        return Log("File=" + Relative(path));
    }

    // Writes a file (`data`, or with `copy` a copy of the file `data`
    // names), logging the folders made for it and the file when this
    // install made it.
    bool WriteFile(const std::string& path, const std::string& data, bool copy = false) {
        FileHandle folder;
        std::string name;
        bool existed = false;
        if (!Prepare(path, folder, name, existed))
            return false;
        bool written;
        if (copy) {
            FileHandle source;
            written = source.Open(data, FileHandle::Mode::kReadFileOnly);
            if (!written)
                return Problem(ErrnoText(DisplayPath(data)));
            written = ReplaceFileIn(folder, name, source);
        } else {
            written = ReplaceFileIn(folder, name, data);
        }
        if (!written) {
            return Problem(errno == ELOOP ? LinkRefused(path)
                                          : "cannot write " + ErrnoText(DisplayPath(path)));
        }
        return Note(path, existed);
    }
    bool Made(const std::string& path) const { return made_.count(path) > 0; }

    // Creates the log (in the root, or on this machine in the destination
    // folder, made as needed); a folder that has one holds an installation
    // already (also one that another install is making at this moment).
    bool Start(const std::string& product) {
        if (ThisMachine()) {
            const std::string destination = Target("<D>", "the destination folder");
            if (destination.empty())
                return false;
            logPath_ = JoinPath(destination, kLogName);
        } else {
            logPath_ = JoinPath(owner_.root_, kLogName);
        }
        FileHandle folder;
        std::string name, problem;
        std::vector<std::string> made;
        if (!root_.OpenParent(logPath_, folder, name, problem, &made))
            return Problem(problem);
        if (!log_.OpenIn(folder, name, FileHandle::Mode::kCreateNew, 0644)) {
            const int error = errno;
            FileInfo info;
            if (error == EEXIST && folder.InfoIn(name, info) && info.isLink)
                return Problem(LinkRefused(logPath_));
            if (error == EEXIST)
                return Problem(DisplayPath(FolderOf(logPath_)) +
                               " holds an installation already (" + kLogName +
                               "): uninstall it first");
            errno = error;
            return Problem(ErrnoText(DisplayPath(logPath_)));
        }
        owner_.logMade_ = true;
        if (!Log(kSection) || !Log("Product=" + product))
            return false;
        for (const std::string& m : made) {
            if (!Log("Folder=" + m))
                return false;
        }
        return true;
    }

    bool Finish() { return log_.Close() || Problem(ErrnoText(DisplayPath(logPath_))); }

  private:
    WSandboxInstall& owner_;
    const RootFolder& root_;
    std::unique_ptr<RegFileStore> ownHives_;  // the sandbox's hive files
    Registry& hives_;
    WTargetFolders folders_;
    std::string logPath_;
    FileHandle log_;
    std::set<std::string> made_;
};

WSandboxInstall::WSandboxInstall(std::string root) : root_(std::move(root)) {}

bool WSandboxInstall::CanInstallOnThisMachine(std::string& why) {
    if (!KnownFolderPath(KnownFolder::kWindows).empty())
        return true;
    why = "this system has no Windows folders to install into: give a sandbox folder";
    return false;
}

void WSandboxInstall::InstallFile(Run& run, const WTargetFolders& folders, const WSetupComponent& c,
                                  const WSetupElement& e, const std::string& setFolder) {
    const std::string what = e.GetSourceName() + " of component " + c.GetName();
    if (e.GetSourceDir() != kInSet) {
        run.Problem(what + " is not in the set (its source is " + Quoted(e.GetSourceDir()) + ")");
        return;
    }
    const std::string target = run.Target(e.GetTargetPath(), what);
    const std::string source = ResolveNoCase(JoinPath(setFolder, e.GetSourceName()));
    if (target.empty())
        return;
    FileInfo info;
    if (!GetFileInfo(source, info) || !info.isFile) {
        run.Problem(what + " is missing from the set");
        return;
    }
    // A file whose size is not the recorded one is damaged or not the
    // file the set was built with.
    if (static_cast<double>(info.size) != e.GetSize()) {
        run.Problem(what + " is " + Format("%lld", static_cast<long long>(info.size)) +
                    " bytes in the set, but its record says " + Format("%.0f", e.GetSize()) +
                    " bytes: it is not installed");
        return;
    }
    if (run.WriteFile(target, source, true))
        run.Done("file " + folders.Expand(e.GetTargetPath()));
}

void WSandboxInstall::InstallRegistryValue(Run& run, const WTargetFolders& folders,
                                           const WSetupElement& e) {
    const auto& r = static_cast<const WSetupRegEntry&>(e);
    std::string key = folders.Expand(r.GetKeyPath());
    Hive hive;
    if (!HiveOf(r.GetRootKey(), key, hive)) {
        run.Problem("the registry root " + r.GetRootKey() + " is not installed in a sandbox");
        return;
    }
    const std::string value = folders.Expand(r.GetValueData());
    const std::string hiveName = hive == Hive::LocalMachine ? "HKLM" : "HKCU";
    // Keys made are logged before they are made, so that an uninstall
    // removes them also after a failure.
    for (const std::string& made : MissingKeys(run.Hives(), hive, key)) {
        if (!run.Log("Key=" + hiveName + "|" + made))
            return;
    }
    bool ok;
    if (EqualsNoCase(r.GetValueType(), "Number") || EqualsNoCase(r.GetValueType(), "dword")) {
        ok = run.Hives().SetDword(hive, key, r.GetValueName(),
                                  static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 0)));
    } else {
        ok = run.Hives().SetString(hive, key, r.GetValueName(), value);
    }
    if (!ok) {
        run.Problem("cannot write the registry value " + hiveName + "\\" + key);
        return;
    }
    if (run.Log("Value=" + hiveName + "|" + key + "|" + r.GetValueName()))
        run.Done("registry " + hiveName + "\\" + key + "  " + r.GetValueName() + " = " + value);
}

void WSandboxInstall::InstallIniEntry(Run& run, const WTargetFolders& folders,
                                      const WSetupElement& e) {
    const auto& ini = static_cast<const WSetupProfileString&>(e);
    const std::string path = run.Target(ini.GetTargetPath(), "the INI entry " + ini.GetKey());
    if (path.empty())
        return;
    const std::string value = folders.Expand(ini.GetValue());
    bool existed = false;
    if (run.ThisMachine()) {
        // The system's profile functions write the entry.
        FileHandle folder;
        std::string name, error;
        if (!run.Prepare(path, folder, name, existed))
            return;
        if (!existed)
            run.Note(path, false);
        if (!WriteIniEntry(path, ini.GetSection(), ini.GetKey(), value, &error)) {
            run.Problem(error);
            return;
        }
    } else {
        std::string text;
        if (!run.Read(path, text, existed) ||
            !run.WriteFile(path, SetIniEntryInText(text, ini.GetSection(), ini.GetKey(), value)))
            return;
    }
    // A file this install made goes as a whole; from another one the
    // uninstall takes the entry.
    if (existed && !run.Made(path))
        run.Log("Ini=" + run.Relative(path) + "|" + ini.GetSection() + "|" + ini.GetKey());
    run.Done("INI " + folders.Expand(ini.GetTargetPath()) + "  [" + ini.GetSection() + "] " +
             ini.GetKey() + "=" + value);
}

void WSandboxInstall::InstallTextChange(Run& run, const WTargetFolders& folders,
                                        const WSetupElement& e) {
    const auto& change = static_cast<const WSetupCustFile&>(e);
    const std::string path = run.Target(change.GetTargetPath(), "a text replacement");
    std::string text;
    bool existed;
    if (path.empty() || !run.Read(path, text, existed))
        return;
    if (!existed) {
        errno = ENOENT;
        run.Problem("the text replacement in " + folders.Expand(change.GetTargetPath()) +
                    " finds no file: " + ErrnoText(DisplayPath(path)));
        return;
    }
    const std::string with = folders.Expand(change.GetReplaceText());
    if (run.WriteFile(path, ReplaceAll(text, change.GetSearchText(), with))) {
        run.Done("text " + folders.Expand(change.GetTargetPath()) + "  " +
                 Quoted(change.GetSearchText()) + " -> " + Quoted(with));
    }
}

void WSandboxInstall::InstallShortcut(Run& run, const WTargetFolders& folders,
                                      const WSetupElement& e) {
    const auto& s = static_cast<const WSetupShortcut&>(e);
    std::string target = folders.Expand(s.GetTargetPath());
    if (folders.InSandbox(target).empty())
        target = JoinPath(folders.Expand("<D>"), target);
    const std::string link =
        run.Target(JoinPath(s.GetShortcutFolder(), s.GetShortcutName() + ".lnk"),
                   "the shortcut " + s.GetShortcutName());
    if (link.empty())
        return;
    const ShellLink shellLink{target, folders.Expand(s.GetArguments()),
                              folders.Expand(s.GetWorkingDir())};
    bool written;
    if (run.ThisMachine()) {
        // A shortcut made by the shell.
        FileHandle folder;
        std::string name, error;
        bool existed = false;
        written = run.Prepare(link, folder, name, existed) &&
                  (WriteShellLink(link, shellLink, &error) || run.Problem(error)) &&
                  run.Note(link, existed);
    } else {
        written = run.WriteFile(link, ShellLinkText(shellLink));
    }
    if (written)
        run.Done("shortcut " + folders.Expand(s.GetShortcutFolder()) + "\\" + s.GetShortcutName() +
                 " -> " + target);
}

bool WSandboxInstall::Install(const WInstallReport& report, const std::string& setFolder,
                              int installType) {
    problems_.clear();
    done_.clear();
    logMade_ = false;
    std::string why;
    if (root_.empty() && !CanInstallOnThisMachine(why)) {
        problems_.push_back(why);
        return false;
    }
    RootFolder root(root_.empty() ? MachineTop() : root_);
    if ((!root_.empty() && !MakeFolders(root_)) || !root.Open()) {
        problems_.push_back(ErrnoText(DisplayPath(root.Path())));
        return false;
    }
    const std::string& destination = report.Product().GetDestination();
    if (HoldsControlCharacter(destination)) {
        problems_.push_back("the destination " + Quoted(destination) +
                            " holds a control character, which no Windows path may hold");
        return false;
    }
    // The hives are read and written by path: a link there refuses the root
    // before they are touched.
    if (!root_.empty() && !HivesReachable(root, root_, problems_))
        return false;
    static constexpr int kTypeBits[] = {WSetupComponent::kTypeBits1, WSetupComponent::kTypeBits2,
                                        WSetupComponent::kTypeBits3};
    const int typeBits = kTypeBits[std::clamp(installType, 1, 3) - 1];
    Run run(*this, root, destination);

    std::vector<const WSetupComponent*> chosen;
    for (const WSetupComponent* c : report.Components().Components()) {
        if (c->IsApplicationComponent() || (c->EffectiveInstallTypes() & typeBits))
            chosen.push_back(c);
    }
    // A root where a path the set writes leads through a link is refused
    // before anything is written; each write below refuses links again.
    std::set<std::string> links;
    for (const WSetupComponent* c : chosen) {
        for (int type :
             {kElementFile, kElementTTFFile, kElementProfile, kElementCustFile, kElementShortcut}) {
            for (const auto& e : c->Elements(type)) {
                std::string target = e->GetTargetPath();
                if (type == kElementShortcut) {
                    const auto& s = static_cast<const WSetupShortcut&>(*e);
                    target = JoinPath(s.GetShortcutFolder(), s.GetShortcutName() + ".lnk");
                }
                const std::string path = run.Target(target, {});
                if (!path.empty()) {
                    if (std::string why = root.LinkOnTheWay(path); !why.empty())
                        links.insert(why);
                }
            }
        }
    }
    if (!links.empty()) {
        problems_.assign(links.begin(), links.end());
        return false;
    }
    if (!run.Start(report.Product().GetProductName()))
        return false;
    auto each = [&](std::initializer_list<int> types, auto&& action) {
        for (const WSetupComponent* c : chosen) {
            for (int type : types) {
                for (const auto& e : c->Elements(type))
                    action(*c, *e);
            }
        }
    };
    const WTargetFolders& folders = run.Folders();

    // Files first: the changes below apply to installed files.
    each({kElementFile, kElementTTFFile}, [&](const WSetupComponent& c, const WSetupElement& e) {
        InstallFile(run, folders, c, e, setFolder);
    });

    each({kElementRegistryKeys}, [&](const WSetupComponent&, const WSetupElement& e) {
        InstallRegistryValue(run, folders, e);
    });

    each({kElementProfile},
         [&](const WSetupComponent&, const WSetupElement& e) { InstallIniEntry(run, folders, e); });

    each({kElementCustFile}, [&](const WSetupComponent&, const WSetupElement& e) {
        InstallTextChange(run, folders, e);
    });

    each({kElementShortcut},
         [&](const WSetupComponent&, const WSetupElement& e) { InstallShortcut(run, folders, e); });
    run.Finish();
    return problems_.empty();
}

bool WSandboxInstall::Uninstall(const std::string& destination) {
    problems_.clear();
    done_.clear();
    std::string top = root_, logPath;
    std::unique_ptr<RegFileStore> sandboxHives;
    Registry* hives = nullptr;
    if (root_.empty()) {
        // On this machine the log lies in the destination folder.
        std::string why;
        if (!CanInstallOnThisMachine(why)) {
            problems_.push_back(why);
            return false;
        }
        const WTargetFolders folders({}, TheRegistry(), destination);
        top = folders.Root();
        const std::string folder = folders.InSandbox(folders.Expand("<D>"));
        if (folder.empty()) {
            problems_.push_back("the destination " + Quoted(folders.Expand("<D>")) +
                                " is no full Windows path on drive " + top);
            return false;
        }
        logPath = JoinPath(folder, kLogName);
        hives = &TheRegistry();
    } else {
        logPath = JoinPath(root_, kLogName);
        sandboxHives = std::make_unique<RegFileStore>(MachineHive(root_), UserHive(root_));
        hives = sandboxHives.get();
    }
    RootFolder root(top);
    std::string text, problem;
    bool existed = false;
    if (root.Open() && !root.Read(logPath, text, existed, problem)) {
        problems_.push_back(problem);
        return false;
    }
    if (!existed) {
        problems_.push_back("nothing installed in " + DisplayPath(FolderOf(logPath)) +
                            " (it holds no " + kLogName + ")");
        return false;
    }
    std::vector<std::string> lines = SplitTextLines(text);
    if (lines.empty() || lines[0] != kSection) {
        problems_.push_back(DisplayPath(logPath) + " is not an uninstall log");
        return false;
    }
    if (!root_.empty() && !HivesReachable(root, root_, problems_))
        return false;
    // A logged path must stay inside the root.
    auto inside = [&](const std::string& relative) -> std::string {
        std::vector<std::string> parts = Split(relative, '/');
        for (const std::string& p : parts) {
            if (p.empty() || p == "." || p == ".." || p.find('\\') != std::string::npos)
                return {};
        }
        return parts.empty() ? std::string() : JoinPath(top, relative);
    };
    auto hiveOf = [](const std::string& name) {
        return name == "HKLM" ? Hive::LocalMachine : Hive::CurrentUser;
    };
    // Newest first; the folders last, after the log (which may lie in one
    // of them) is gone.
    std::vector<std::string> folders;
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const size_t eq = it->find('=');
        if (eq == std::string::npos)
            continue;
        const std::string kind = it->substr(0, eq), value = it->substr(eq + 1);
        const std::vector<std::string> fields = Split(value, '|');
        if (kind == "File" || kind == "Folder") {
            const std::string path = inside(value);
            if (path.empty()) {
                problems_.push_back("the log names " + Quoted(value) + ", outside " +
                                    DisplayPath(top));
            } else if (kind == "Folder") {
                folders.push_back(value);
            } else if (root.RemoveFile(path, problem)) {
                done_.push_back("removed " + value);
            } else {
                problems_.push_back(problem);
            }
        } else if (kind == "Value" && fields.size() == 3) {
            hives->DeleteValue(hiveOf(fields[0]), fields[1], fields[2]);
            done_.push_back("removed " + fields[0] + "\\" + fields[1] + "  " + fields[2]);
        } else if (kind == "Key" && fields.size() == 2) {
            // A key that holds what others put there stays.
            if (hives->RemoveKeyIfEmpty(hiveOf(fields[0]), fields[1]))
                done_.push_back("removed " + fields[0] + "\\" + fields[1]);
        } else if (kind == "Ini" && fields.size() == 3) {
            const std::string path = inside(fields[0]);
            std::string ini, changed;
            if (path.empty())
                continue;
            bool removed = false;
            if (root_.empty()) {
                removed = RemoveIniEntry(path, fields[1], fields[2], &problem);
                if (!removed)
                    problems_.push_back(problem);
            } else if (!root.Read(path, ini, existed, problem)) {
                problems_.push_back(problem);
            } else if (RemoveIniEntryFromText(ini, fields[1], fields[2], changed)) {
                removed = root.Write(path, changed, problem);
                if (!removed)
                    problems_.push_back(problem);
            }
            if (removed)
                done_.push_back("removed [" + fields[1] + "] " + fields[2] + " from " + fields[0]);
        }
    }
    if (!problems_.empty())
        return false;
    if (!root.RemoveFile(logPath, problem)) {
        problems_.push_back(problem);
        return false;
    }
    for (const std::string& folder : folders) {
        // A folder that holds what others put there stays.
        if (root.RemoveEmptyFolder(inside(folder)))
            done_.push_back("removed " + folder);
    }
    return true;
}

}  // namespace vantrel
