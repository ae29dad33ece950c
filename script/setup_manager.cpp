#include "script/setup_manager.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/text_file.h"

namespace vantrel {

namespace {

constexpr const char* kRuntimeShortcutText = "Tessary 9 Runtime";
constexpr int kIntegerInstallTypes = 111;

// What the lines of the current section are.
struct Section {
    enum Kind { kOther, kIdentification, kElements } kind = kOther;
    int level = 0;
    bool levelPerLine = false;  // "[Identification]": field 14 of each line
    int type = kElementNone;
    std::string name;
};

bool IsSkipped(std::string_view line) {
    return line.empty() || line[0] == ';';
}

// The section named by a line "[name]", when the line is one.
bool SectionLine(std::string_view line, std::string& name) {
    std::string t = Trim(line);
    if (t.empty() || t[0] != '[')
        return false;
    size_t close = t.find(']');
    name = Trim(
        std::string_view(t).substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

int TrailingNumber(std::string_view name) {
    size_t e = name.size();
    while (e > 0 && std::isdigit(static_cast<unsigned char>(name[e - 1])))
        --e;
    return e == name.size() ? 0 : static_cast<int>(ToInt(name.substr(e)));
}

Section SectionFor(const std::string& name) {
    Section s;
    s.name = name;
    if (name.find("Identification") != std::string::npos) {
        s.kind = Section::kIdentification;
        size_t dot = name.find('.');
        if (dot == std::string::npos) {
            s.levelPerLine = true;
        } else {
            s.level = static_cast<int>(ToInt(std::string_view(name).substr(dot + 1)));
        }
        return s;
    }
    s.type = ElementTypeFromName(name);
    if (s.type != kElementNone) {
        s.kind = Section::kElements;
        s.level = TrailingNumber(name);
    }
    return s;
}

int ClampLevel(int level) {
    return std::clamp(level, 0, WComponentManager::kLevelCount - 1);
}

// Called with each component line and element record of a script and the
// section it is in; false stops the read.
using SectionLineHandler = std::function<bool(const Section&, const std::string& line)>;

// Reads a component script line by line: comment and empty lines are passed
// over, section lines set the section, and the lines of "[Identification]"
// and element sections go to `handle`; the lines of any other section (the
// header block among them) are passed over. `eachLine`, when given, is
// called first for every line read; its false stops the read. False when
// `handle` or `eachLine` stopped the read.
template <class Lines>
bool ReadSectionLines(Lines& reader, const SectionLineHandler& handle,
                      const std::function<bool(const std::string&)>& eachLine = {}) {
    Section section;
    std::string line, sectionName;
    while (reader.ReadLine(line)) {
        if (eachLine && !eachLine(line))
            return false;
        if (IsSkipped(line))
            continue;
        if (SectionLine(line, sectionName)) {
            section = SectionFor(sectionName);
            continue;
        }
        if (section.kind != Section::kOther && !handle(section, line))
            return false;
    }
    return true;
}

// The lines of a script read whole, as TextReader gives those of a file: at
// LF, a CR before the LF dropped, no further empty line after a final line
// break, and a CR at the end of a last line without one dropped.
class TextLines {
  public:
    explicit TextLines(std::string_view text) : rest_(text) {}
    bool ReadLine(std::string& line) {
        if (rest_.empty())
            return false;
        const size_t nl = rest_.find('\n');
        std::string_view piece = rest_.substr(0, nl);
        rest_.remove_prefix(nl == std::string_view::npos ? rest_.size() : nl + 1);
        if (!piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        line.assign(piece);
        return true;
    }

  private:
    std::string_view rest_;
};

// The first field of a record: the name of the component that owns it.
std::string_view TagOf(std::string_view record) {
    size_t comma = record.find(',');
    return comma == std::string_view::npos ? record : record.substr(0, comma);
}

// The further string file `name` (a line of a string file that holds no
// "=") inside the string folder `folder`; empty when the name leads out of
// it: an absolute path, a drive, "..", or a link to somewhere else.
std::string StringFileInFolder(const std::string& folder, const std::string& name) {
    if (name.empty() || IsPathSeparator(name[0]) || (name.size() > 1 && name[1] == ':'))
        return {};
    size_t start = 0;
    for (size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || IsPathSeparator(name[i])) {
            if (name.compare(start, i - start, "..") == 0)
                return {};
            start = i + 1;
        }
    }
    const std::string path = ResolveNoCase(JoinPath(folder, name));
    std::error_code ec, ecBase;
    const std::filesystem::path real = std::filesystem::weakly_canonical(ToNative(path), ec);
    const std::filesystem::path base = std::filesystem::weakly_canonical(ToNative(folder), ecBase);
    if (ec || ecBase)
        return {};
    auto [inBase, inReal] = std::mismatch(base.begin(), base.end(), real.begin(), real.end());
    if (inBase != base.end() || inReal == real.end())
        return {};
    return path;
}

}  // namespace

WSetupManager::WSetupManager() = default;
WSetupManager::~WSetupManager() = default;

void WSetupManager::AddSearchFolder(std::string folder) {
    searchFolders_.push_back(std::move(folder));
    located_.clear();
}

void WSetupManager::ClearSearchFolders() {
    searchFolders_.clear();
    located_.clear();
}

std::string WSetupManager::FindScript(std::string_view name) const {
    if (name.empty())
        return {};
    for (const std::string& folder : searchFolders_) {
        // The name as given is looked at first: one status call when it is
        // there; the folder is searched for another case only when not.
        std::string path = JoinPath(folder, name);
        FileInfo info;
        if (GetFileInfo(path, info)) {
            if (info.isFile)
                return path;
            continue;
        }
        std::string resolved = ResolveNoCase(path);
        if (resolved != path && IsFile(resolved))
            return resolved;
    }
    // A path given as such; a bare name is never looked for in the current
    // folder, where an unrelated file of that name may lie.
    if (name.find_first_of("\\/") != std::string_view::npos && IsFile(name))
        return std::string(name);
    return {};
}

const std::string& WSetupManager::LocateScript(std::string_view name) {
    auto it = located_.find(name);
    if (it != located_.end())
        return it->second;
    static const std::string none;
    std::string path = FindScript(name);
    if (path.empty())
        return none;
    return located_.emplace(std::string(name), std::move(path)).first->second;
}

void WSetupManager::ClearFailures() {
    failures_.clear();
    missing_.clear();
}

void WSetupManager::AddFailure(std::string text) {
    failures_.push_back(std::move(text));
}

void WSetupManager::ClearComponents() {
    WComponentManager::ClearComponents();
    loaded_.clear();
    located_.clear();
    toLink_.clear();
}

bool WSetupManager::LoadScript(std::string_view name, bool loadSubComponents, bool expand) {
    toLink_.clear();
    bool ok = LoadScriptAt(name, loadSubComponents, expand, 0);
    // Links are made once everything named has been read, so that a
    // component may name one that a later script brings. A name that is not
    // loaded yet is not a failure here: a script that follows its names has
    // already failed on one it could not load, and a "KVZ" script leaves its
    // names to the caller (the library loader loads dependencies by name).
    for (WSetupComponent* c : toLink_)
        LinkComponent(c, nullptr);
    toLink_.clear();
    return ok;
}

bool WSetupManager::LoadScriptAt(std::string_view name, bool loadSubComponents, bool expand,
                                 int depth) {
    if (depth > kMaxScriptDepth) {
        AddFailure(std::string(name) + ": scripts name each other too deeply");
        return false;
    }
    const std::string path = LocateScript(name);
    if (path.empty()) {
        missing_.emplace_back(name);
        std::string where;
        for (const std::string& folder : searchFolders_) {
            where += (where.empty() ? " in " : " or ") + DisplayPath(folder);
        }
        AddFailure(std::string(name) + ": script not found" + where);
        return false;
    }
    if (!loaded_.insert(path).second)
        return true;  // read already, or being read

    // One read of the file gives the header and the lines.
    std::string text, error;
    if (!ReadWholeFile(path, text, &error)) {
        missing_.emplace_back(name);
        AddFailure(std::string(name) + ": cannot be read: " + error);
        return false;
    }
    WScriptHeader header;
    header.SetFilePath(path);
    header.ReadText(text, true, false);
    TextLines reader(text);

    struct Named {
        std::string subComponents, dependencies;
    };
    std::vector<Named> named;
    std::vector<std::pair<int, std::string>> orphanRecords;  // type, record
    std::vector<WSetupComponent*> created;
    // Components registered so far are completed and linked even when the
    // load stops early; they stay registered.
    auto finish = [&]() {
        for (WSetupComponent* c : created) {
            c->CompleteLoad();
            toLink_.push_back(c);
        }
        created.clear();
    };
    bool complete = ReadSectionLines(reader, [&](const Section& section, const std::string& line) {
        if (section.kind == Section::kElements) {
            if (WSetupComponent* owner = FindNear(TagOf(line), section.level)) {
                AddRecord(owner, section.type, line, expand);
            } else {
                orphanRecords.emplace_back(section.type, line);
            }
            return true;
        }
        auto component = std::make_unique<WSetupComponent>();
        if (!component->ParseLine(line, expand)) {
            AddFailure(std::string(name) + ": a component line in [" + section.name +
                       "] has no name");
            return false;
        }
        named.push_back({component->SubComponentText(), component->DependencyText()});
        int level = ClampLevel(section.levelPerLine ? component->GetKind() : section.level);
        WSetupComponent* raw = component.get();
        WSetupComponent* registered = Add(std::move(component), level);
        if (registered == raw) {
            registered->SetHeader(header);
            created.push_back(registered);
        }
        return true;
    });
    if (!complete) {
        finish();
        return false;
    }
    // Records that came before the line of their component.
    for (auto& [type, record] : orphanRecords) {
        if (WSetupComponent* owner = Find(TagOf(record)))
            AddRecord(owner, type, record, expand);
    }
    finish();

    if (header.ModuleType() == "KVZ")
        return true;
    for (const Named& n : named) {
        if (loadSubComponents) {
            for (const std::string& sub : WSetupComponent::SplitNames(n.subComponents)) {
                if (!LoadScriptAt(sub + ".kvz", loadSubComponents, expand, depth + 1)) {
                    return false;
                }
            }
        }
        for (const std::string& dep : WSetupComponent::SplitNames(n.dependencies)) {
            if (Find(dep))
                continue;
            if (!LoadScriptAt(dep + ".kvz", loadSubComponents, expand, depth + 1))
                return false;
        }
    }
    return true;
}

bool WSetupManager::LoadLibraryScript(std::string_view scriptName, WSetupComponent* dependent,
                                      WSetupComponent** component) {
    if (component)
        *component = nullptr;
    bool ok = LoadScript(scriptName);
    std::string componentName = BaseNameUpToFirstDot(scriptName);
    WSetupComponent* c = Find(componentName);
    if (!c) {
        // A script that could not be read has said so already.
        if (!LocateScript(scriptName).empty()) {
            AddFailure(std::string(scriptName) + ": holds no component \"" + componentName + "\"");
        }
        return false;
    }
    if (component)
        *component = c;
    c->SetInstallTypes(kIntegerInstallTypes);
    c->Select(WSetupComponent::kSelected);
    if (dependent)
        dependent->AddDependency(c);
    for (const std::string& depName : WSetupComponent::SplitNames(c->DependencyText())) {
        WSetupComponent* dep = Find(depName);
        if (!dep) {
            LoadScript(depName + ".kvz");
            dep = Find(depName);
            if (!dep) {
                AddFailure(std::string(scriptName) + ": needs \"" + depName +
                           "\", which no script provides");
                ok = false;
                continue;
            }
            dep->SetInstallTypes(kIntegerInstallTypes);
            dep->Select(WSetupComponent::kSelected);
        }
        c->AddDependency(dep);
    }
    return ok;
}

bool WSetupManager::ReadStringFile(std::string_view path) {
    std::set<std::string> seen;
    return ReadStringFileAt(path, seen, 0);
}

// A string file is read by its own loop, not by ReadSectionLines: its lines
// are trimmed before anything else (a component script's are not, its
// records keep their blanks), and only its "[Strings]" section counts.
bool ReadStringLines(std::string_view path, const StringEntryHandler& entry,
                     const std::function<bool(const std::string&)>& further, std::string* error) {
    TextReader reader;
    if (!reader.Open(path, error))
        return false;
    bool ok = true;
    bool inStrings = false;
    std::string line, sectionName;
    while (reader.ReadLine(line)) {
        std::string t = Trim(line);
        if (IsSkipped(t))
            continue;
        if (SectionLine(t, sectionName)) {
            inStrings = sectionName == "Strings";
            continue;
        }
        if (!inStrings)
            continue;
        size_t eq = t.find('=');
        if (eq != std::string::npos) {
            std::string key = Trim(std::string_view(t).substr(0, eq));
            if (!key.empty())
                entry(std::move(key), Trim(std::string_view(t).substr(eq + 1)));
        } else if (further && !further(t)) {
            ok = false;
        }
    }
    if (reader.Failed() && error)
        *error = "read error";
    return ok && !reader.Failed();
}

bool WSetupManager::ReadStringFileAt(std::string_view path, std::set<std::string>& seen,
                                     int depth) {
    if (depth > kMaxScriptDepth || !seen.insert(std::string(path)).second) {
        return depth <= kMaxScriptDepth;  // a file named twice is read once
    }
    std::string error;
    const bool ok = ReadStringLines(
        path,
        [](std::string key, std::string value) {
            ScriptStringMap().Set(std::move(key), std::move(value));
        },
        [&](const std::string& name) {
            // Only files of the string folder are read: a project's string
            // file must not open "/etc/passwd" or "..\\..\\secret".
            const std::string folder = stringFolder_.empty() ? FolderOf(path) : stringFolder_;
            const std::string further = StringFileInFolder(folder.empty() ? "." : folder, name);
            if (further.empty()) {
                AddFailure(std::string(path) + ": names a file outside the string folder: " + name);
                return false;
            }
            return ReadStringFileAt(further, seen, depth + 1);
        },
        &error);
    if (!ok && !error.empty())
        AddFailure(std::string(path) + ": cannot be read: " + error);
    return ok;
}

bool WSetupManager::ReadComponentScript(std::string_view scriptPath,
                                        std::string_view stringFilePath,
                                        const ScriptProgress& progress,
                                        const std::function<bool(const std::string&)>& eachLine) {
    bool ok = ReadStringFile(stringFilePath);

    long long scriptSize = FileSizeOf(scriptPath);
    long long stringSize = FileSizeOf(stringFilePath);
    uint64_t total = static_cast<uint64_t>(scriptSize < 0 ? 100000 : scriptSize) +
                     static_cast<uint64_t>(stringSize < 0 ? 0 : stringSize);
    uint64_t reported = 0;
    if (progress)
        progress(0, total);
    PumpMessage();

    TextReader reader;
    std::string error;
    if (!reader.Open(scriptPath, &error)) {
        AddFailure(std::string(scriptPath) + ": cannot be read: " + error);
        return false;
    }
    // Records are about a hundred bytes; room for them all up front keeps
    // the element table from rehashing while a large script is read.
    if (scriptSize > 0)
        ElementMap().Reserve(ElementMap().Count() + static_cast<size_t>(scriptSize / 100));
    const uint64_t step = total / 200;  // 0.5 %
    std::vector<WSetupComponent*> created;
    std::vector<std::pair<int, std::string>> orphanRecords;
    WSetupComponent* lastOwner = nullptr;
    std::string lastTag;
    int lastLevel = 0;
    auto reportProgress = [&](const std::string& line) {
        uint64_t done = reader.BytesRead();
        if (done - reported > step) {
            reported = done;
            if (progress)
                progress(done, total);
            PumpMessage();
        }
        return !eachLine || eachLine(line);
    };
    const bool whole = ReadSectionLines(
        reader,
        [&](const Section& section, const std::string& line) {
            if (section.kind == Section::kElements) {
                std::string_view tag = TagOf(line);
                bool take = readAllRecords_ || WSetupComponent::IsApplicationName(tag) ||
                            (section.type == kElementShortcut &&
                             line.find(kRuntimeShortcutText) != std::string::npos);
                if (!take)
                    return true;
                // Records of one component come in runs: look its name up
                // once per section.
                if (!lastOwner || tag != lastTag || section.level != lastLevel) {
                    lastOwner = FindNear(tag, section.level);
                    lastTag = std::string(tag);
                    lastLevel = section.level;
                }
                if (lastOwner) {
                    AddRecord(lastOwner, section.type, line, false);
                } else {
                    orphanRecords.emplace_back(section.type, line);
                }
                return true;
            }
            auto component = std::make_unique<WSetupComponent>();
            if (!component->ParseLine(line)) {
                AddFailure(std::string(scriptPath) + ": a component line in [" + section.name +
                           "] has no name");
                ok = false;
                return true;  // the rest of the script is still read
            }
            // A name held at another level is another component; the two
            // components every project has are never read again.
            int level = ClampLevel(section.levelPerLine ? component->GetKind() : section.level);
            const std::string& name = component->GetName();
            if (Find(name, level) || (WSetupComponent::IsApplicationName(name) && Find(name)))
                return true;
            WSetupComponent* c = Add(std::move(component), level);
            c->CompleteLoad();
            created.push_back(c);
            return true;
        },
        reportProgress);
    if (!whole)
        return false;
    if (reader.Failed()) {
        AddFailure(std::string(scriptPath) + ": read error");
        ok = false;
    }
    for (auto& [type, record] : orphanRecords) {
        if (WSetupComponent* owner = Find(TagOf(record)))
            AddRecord(owner, type, record, false);
    }
    for (WSetupComponent* c : created) {
        std::string linkError;
        if (!LinkComponent(c, &linkError)) {
            AddFailure(std::string(scriptPath) + ": " + linkError);
            ok = false;
        }
    }
    if (progress && reported != reader.BytesRead())
        progress(reader.BytesRead(), total);
    return ok;
}

}  // namespace vantrel
