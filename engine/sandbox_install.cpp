#include "engine/sandbox_install.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>

#include "elements/element_classes.h"
#include "engine/install_report.h"
#include "engine/target_folders.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/strings.h"
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

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines = Split(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::string Text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The lines [first, end) of the INI section `name`; first == end == size
// when there is no such section.
void FindSection(const std::vector<std::string>& lines, const std::string& name, size_t& first,
                 size_t& end) {
    first = end = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Trim(lines[i]);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            if (first < lines.size()) {
                end = i;
                return;
            }
            if (EqualsNoCase(Trim(line.substr(1, line.size() - 2)), name))
                first = i + 1;
        }
    }
}

// The line of `key` in [first, end), or end.
size_t FindKey(const std::vector<std::string>& lines, size_t first, size_t end,
               const std::string& key) {
    for (size_t i = first; i < end; ++i) {
        const size_t eq = lines[i].find('=');
        if (eq != std::string::npos && EqualsNoCase(Trim(lines[i].substr(0, eq)), key))
            return i;
    }
    return end;
}

}  // namespace

// One install: the folders, the hives, and the log written as it goes, so
// that a failure half-way still leaves a log of what was made.
class WSandboxInstall::Run {
  public:
    Run(WSandboxInstall& owner, const std::string& destination)
        : owner_(owner),
          hives_(MachineHive(owner.root_), UserHive(owner.root_)),
          folders_(owner.root_, hives_, destination) {}

    const WTargetFolders& Folders() const { return folders_; }
    Registry& Hives() { return hives_; }

    bool Problem(const std::string& text) {
        owner_.problems_.push_back(text);
        return false;
    }
    void Done(const std::string& text) { owner_.done_.push_back(text); }

    std::string Relative(const std::string& path) const {
        std::string rest = path.substr(std::min(path.size(), owner_.root_.size()));
        while (!rest.empty() && IsPathSeparator(rest.front()))
            rest.erase(0, 1);
        return ReplaceAll(rest, "\\", "/");
    }

    // Appends a line to the log at once, so that an install that stops
    // half-way still leaves the log of what it made.
    bool Log(const std::string& line) {
        const std::string text = line + "\r\n";
        if (!log_.WriteAll(text.data(), text.size()))
            return Problem(ErrnoText("the uninstall log " + DisplayPath(logPath_)));
        return true;
    }

    // The sandbox path of a target (macros allowed); empty, with the problem
    // named, when it leads nowhere in the sandbox.
    std::string Target(const std::string& windowsTarget, const std::string& what) {
        const std::string path = folders_.InSandbox(folders_.Expand(windowsTarget));
        if (path.empty())
            Problem(what + ": the target " + Quoted(windowsTarget) + " is no full Windows path");
        return path;
    }

    // Makes the folders of `folder` that are missing, each one logged.
    bool MakeFolder(const std::string& folder) {
        std::vector<std::string> missing;
        for (std::string f = folder; f.size() > owner_.root_.size() && !IsFolder(f);
             f = FolderOf(f)) {
            missing.push_back(f);
        }
        for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
            if (!vantrel::MakeFolder(*it) && !IsFolder(*it))
                return Problem(ErrnoText(DisplayPath(*it)));
            if (!Log("Folder=" + Relative(*it)))
                return false;
        }
        return true;
    }

    // Writes a file (`data`, or with `copy` a copy of the file `data`
    // names), logging it when this install made it.
    bool WriteFile(const std::string& path, const std::string& data, bool copy = false) {
        if (!MakeFolder(FolderOf(path)))
            return false;
        const bool existed = PathExists(path);
        std::string why;
        if (copy ? !CopyOneFile(data, path, &why) : !WriteFileAtomic(path, data, &why))
            return Problem("cannot write " + DisplayPath(path) + ": " + why);
        if (existed)
            return true;
        made_.insert(path);
        return Log("File=" + Relative(path));
    }
    bool Made(const std::string& path) const { return made_.count(path) > 0; }

    // Creates the log; a root that has one holds an installation already
    // (also one that another install is making at this moment).
    bool Start(const std::string& product) {
        logPath_ = JoinPath(owner_.root_, kLogName);
        if (!log_.Open(logPath_, FileHandle::Mode::kCreateNew, 0644)) {
            if (errno == EEXIST)
                return Problem(DisplayPath(owner_.root_) + " holds an installation already (" +
                               kLogName + "): uninstall it first");
            return Problem(ErrnoText(DisplayPath(logPath_)));
        }
        return Log(kSection) && Log("Product=" + product);
    }

    bool Finish() { return log_.Close() || Problem(ErrnoText(DisplayPath(logPath_))); }

  private:
    WSandboxInstall& owner_;
    RegFileStore hives_;
    WTargetFolders folders_;
    std::string logPath_;
    FileHandle log_;
    std::set<std::string> made_;
};

WSandboxInstall::WSandboxInstall(std::string root) : root_(std::move(root)) {}

bool WSandboxInstall::Install(const WInstallReport& report, const std::string& setFolder,
                              int installType) {
    problems_.clear();
    done_.clear();
    if (!MakeFolders(root_)) {
        problems_.push_back(ErrnoText(DisplayPath(root_)));
        return false;
    }
    static constexpr int kTypeBits[] = {WSetupComponent::kTypeBits1, WSetupComponent::kTypeBits2,
                                        WSetupComponent::kTypeBits3};
    const int typeBits = kTypeBits[std::clamp(installType, 1, 3) - 1];
    Run run(*this, report.Product().GetDestination());
    if (!run.Start(report.Product().GetProductName()))
        return false;

    std::vector<const WSetupComponent*> chosen;
    for (const WSetupComponent* c : report.Components().Components()) {
        if (c->IsApplicationComponent() || (c->EffectiveInstallTypes() & typeBits))
            chosen.push_back(c);
    }
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
        const std::string what = e.GetSourceName() + " of component " + c.GetName();
        if (e.GetSourceDir() != kInSet) {
            run.Problem(what + " is not in the set (its source is " + Quoted(e.GetSourceDir()) +
                        ")");
            return;
        }
        const std::string target = run.Target(e.GetTargetPath(), what);
        const std::string source = ResolveNoCase(JoinPath(setFolder, e.GetSourceName()));
        if (target.empty())
            return;
        if (!IsFile(source)) {
            run.Problem(what + " is missing from the set");
            return;
        }
        if (run.WriteFile(target, source, true))
            run.Done("file " + folders.Expand(e.GetTargetPath()));
    });

    each({kElementRegistryKeys}, [&](const WSetupComponent&, const WSetupElement& e) {
        const auto& r = static_cast<const WSetupRegEntry&>(e);
        std::string key = folders.Expand(r.GetKeyPath());
        Hive hive;
        if (!HiveOf(r.GetRootKey(), key, hive)) {
            run.Problem("the registry root " + r.GetRootKey() + " is not installed in a sandbox");
            return;
        }
        const std::string value = folders.Expand(r.GetValueData());
        bool ok;
        if (EqualsNoCase(r.GetValueType(), "Number") || EqualsNoCase(r.GetValueType(), "dword")) {
            ok = run.Hives().SetDword(
                hive, key, r.GetValueName(),
                static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 0)));
        } else {
            ok = run.Hives().SetString(hive, key, r.GetValueName(), value);
        }
        const std::string hiveName = hive == Hive::LocalMachine ? "HKLM" : "HKCU";
        if (!ok) {
            run.Problem("cannot write the registry value " + hiveName + "\\" + key);
            return;
        }
        if (run.Log("Value=" + hiveName + "|" + key + "|" + r.GetValueName()))
            run.Done("registry " + hiveName + "\\" + key + "  " + r.GetValueName() + " = " + value);
    });

    each({kElementProfile}, [&](const WSetupComponent&, const WSetupElement& e) {
        const auto& ini = static_cast<const WSetupProfileString&>(e);
        const std::string path = run.Target(ini.GetTargetPath(), "the INI entry " + ini.GetKey());
        if (path.empty())
            return;
        std::string text;
        const bool existed = IsFile(path);
        if (existed && !ReadWholeFile(path, text)) {
            run.Problem(ErrnoText(DisplayPath(path)));
            return;
        }
        std::vector<std::string> lines = Lines(text);
        const std::string entry = ini.GetKey() + "=" + folders.Expand(ini.GetValue());
        size_t first, end;
        FindSection(lines, ini.GetSection(), first, end);
        if (first == lines.size()) {
            lines.push_back("[" + ini.GetSection() + "]");
            lines.push_back(entry);
        } else if (size_t at = FindKey(lines, first, end, ini.GetKey()); at < end) {
            lines[at] = entry;
        } else {
            lines.insert(lines.begin() + static_cast<long>(end), entry);
        }
        // A file this install made goes as a whole; from another one the
        // uninstall takes the entry.
        const bool ours = !existed || run.Made(path);
        if (!run.WriteFile(path, Text(lines)))
            return;
        if (!ours)
            run.Log("Ini=" + run.Relative(path) + "|" + ini.GetSection() + "|" + ini.GetKey());
        run.Done("INI " + folders.Expand(ini.GetTargetPath()) + "  [" + ini.GetSection() + "] " +
                 entry);
    });

    each({kElementCustFile}, [&](const WSetupComponent&, const WSetupElement& e) {
        const auto& change = static_cast<const WSetupCustFile&>(e);
        const std::string path = run.Target(change.GetTargetPath(), "a text replacement");
        std::string text;
        if (path.empty())
            return;
        if (!ReadWholeFile(path, text)) {
            run.Problem("the text replacement in " + folders.Expand(change.GetTargetPath()) +
                        " finds no file: " + ErrnoText(DisplayPath(path)));
            return;
        }
        const std::string with = folders.Expand(change.GetReplaceText());
        if (run.WriteFile(path, ReplaceAll(text, change.GetSearchText(), with))) {
            run.Done("text " + folders.Expand(change.GetTargetPath()) + "  " +
                     Quoted(change.GetSearchText()) + " -> " + Quoted(with));
        }
    });

    each({kElementShortcut}, [&](const WSetupComponent&, const WSetupElement& e) {
        const auto& s = static_cast<const WSetupShortcut&>(e);
        std::string target = folders.Expand(s.GetTargetPath());
        if (folders.InSandbox(target).empty())
            target = JoinPath(folders.Expand("<D>"), target);
        const std::string link =
            run.Target(JoinPath(s.GetShortcutFolder(), s.GetShortcutName() + ".lnk"),
                       "the shortcut " + s.GetShortcutName());
        if (link.empty())
            return;
        const std::string text = "[Shortcut]\r\nTarget=" + target +
                                 "\r\nArguments=" + folders.Expand(s.GetArguments()) +
                                 "\r\nWorkingFolder=" + folders.Expand(s.GetWorkingDir()) + "\r\n";
        if (run.WriteFile(link, text))
            run.Done("shortcut " + folders.Expand(s.GetShortcutFolder()) + "\\" +
                     s.GetShortcutName() + " -> " + target);
    });
    run.Finish();
    return problems_.empty();
}

bool WSandboxInstall::Uninstall() {
    problems_.clear();
    done_.clear();
    const std::string logPath = JoinPath(root_, kLogName);
    std::string text;
    if (!ReadWholeFile(logPath, text)) {
        problems_.push_back(DisplayPath(root_) + " holds no " + kLogName +
                            ": nothing was installed there");
        return false;
    }
    std::vector<std::string> lines = Lines(text);
    if (lines.empty() || lines[0] != kSection) {
        problems_.push_back(DisplayPath(logPath) + " is not an uninstall log");
        return false;
    }
    RegFileStore hives(MachineHive(root_), UserHive(root_));
    // A logged path must stay inside the root.
    auto inside = [&](const std::string& relative) -> std::string {
        std::vector<std::string> parts = Split(relative, '/');
        for (const std::string& p : parts) {
            if (p.empty() || p == "." || p == ".." || p.find('\\') != std::string::npos)
                return {};
        }
        return parts.empty() ? std::string() : JoinPath(root_, relative);
    };
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
                                    DisplayPath(root_));
            } else if (kind == "File") {
                if (RemoveFile(path) || !PathExists(path))
                    done_.push_back("removed " + value);
                else
                    problems_.push_back(ErrnoText(DisplayPath(path)));
            } else if (RemoveEmptyFolder(path) || !PathExists(path)) {
                // A folder that holds what others put there stays.
                done_.push_back("removed " + value);
            }
        } else if (kind == "Value" && fields.size() == 3) {
            const Hive hive = fields[0] == "HKLM" ? Hive::LocalMachine : Hive::CurrentUser;
            hives.DeleteValue(hive, fields[1], fields[2]);
            done_.push_back("removed " + fields[0] + "\\" + fields[1] + "  " + fields[2]);
        } else if (kind == "Ini" && fields.size() == 3) {
            const std::string path = inside(fields[0]);
            std::string ini;
            if (path.empty() || !ReadWholeFile(path, ini))
                continue;
            std::vector<std::string> iniLines = Lines(ini);
            size_t first, end;
            FindSection(iniLines, fields[1], first, end);
            if (size_t at = FindKey(iniLines, first, end, fields[2]); at < end) {
                iniLines.erase(iniLines.begin() + static_cast<long>(at));
                WriteFileAtomic(path, Text(iniLines));
                done_.push_back("removed [" + fields[1] + "] " + fields[2] + " from " + fields[0]);
            }
        }
    }
    if (!problems_.empty())
        return false;
    if (!RemoveFile(logPath)) {
        problems_.push_back(ErrnoText(DisplayPath(logPath)));
        return false;
    }
    return true;
}

}  // namespace vantrel
