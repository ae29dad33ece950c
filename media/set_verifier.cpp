#include "media/set_verifier.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <map>
#include <system_error>
#include <thread>
#include <unordered_set>

#include "archive/zip_reader.h"
#include "elements/element_classes.h"
#include "media/disk_set.h"
#include "media/media_builder.h"
#include "media/set_unpacker.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "project/engine_limits.h"
#include "project/project_data.h"
#include "script/creator_manager.h"
#include "script/set_layout.h"
#include "script/setup_component.h"
#include "script/setup_manager.h"
#include "scriptfile/script_header.h"

namespace vantrel {

namespace {

// The source folder of a file that the set itself carries.
constexpr const char* kInSet = "<S>";
// The engine's own string file beside the set's.
constexpr const char* kEngineStringFile = "Setup.str";

std::string Bytes(long long n) {
    return Format("%lld byte%s", n, n == 1 ? "" : "s");
}

// A fresh folder inside the private temporary folder; empty, with the
// reason in `why`, when none can be made.
std::string FreshFolder(std::string& why) {
    const std::string& temp = PrivateTempFolder();
    if (temp.empty()) {
        why = "there is no temporary folder to unpack the set in";
        return {};
    }
    for (int i = 0; i < 1000; ++i) {
        const std::string folder = JoinPath(temp, Format("verify-%d", i));
        if (MakeFolder(folder))
            return folder;
        if (errno != EEXIST) {
            why = "cannot write to the temporary folder " + ErrnoText(temp);
            return {};
        }
    }
    why = "no free name in the temporary folder " + DisplayPath(temp);
    return {};
}

// A path on the target machine or in the set as the lookups compare it:
// "/" as "\\", no doubled or trailing separator, lower case.
std::string PathKey(std::string_view path) {
    std::string key;
    key.reserve(path.size());
    for (char c : path) {
        const char d = c == '/' ? '\\' : c;
        if (d == '\\' && (key.empty() || key.back() == '\\'))
            continue;
        key += d;
    }
    while (!key.empty() && key.back() == '\\')
        key.pop_back();
    return ToLower(key);
}

// The records that change or use an installed file, in words.
std::string RecordText(const WSetupElement& e) {
    switch (e.GetTypeCode()) {
        case kElementShortcut:
            return "the shortcut \"" + static_cast<const WSetupShortcut&>(e).GetShortcutName() +
                   "\"";
        case kElementSelfRegister:
            return "the self-registration";
        case kElementRegFile:
            return "the registry-file record";
        case kElementProfile: {
            const auto& p = static_cast<const WSetupProfileString&>(e);
            return "the INI entry [" + p.GetSection() + "] " + p.GetKey();
        }
        case kElementCustFile:
            return "the text replacement of \"" +
                   static_cast<const WSetupCustFile&>(e).GetSearchText() + "\"";
        default:
            return ElementTypeName(e.GetTypeCode()) + " record";
    }
}

// The places on the target machine that `e` writes: a file's or font's
// destination, a folder record's folder, a shortcut's link.
std::vector<std::string> DestinationsOf(const WSetupElement& e) {
    switch (e.GetTypeCode()) {
        case kElementFile:
        case kElementTTFFile:
        case kElementDir:
            return {e.GetTargetPath()};
        case kElementShortcut: {
            const auto& s = static_cast<const WSetupShortcut&>(e);
            return {JoinPath(s.GetShortcutFolder(), s.GetShortcutName())};
        }
        default:
            return {};
    }
}

// The start of a long line, enough to recognise it.
std::string LineStart(const std::string& line) {
    constexpr size_t kShown = 40;
    return line.size() <= kShown ? line : line.substr(0, kShown) + "...";
}

// What a record is, for the messages: "the File record of bin\app.exe of
// component Program_files".
std::string RecordOf(const WSetupComponent& c, const WSetupElement& e) {
    std::string text = "the " + ElementTypeName(e.GetTypeCode()) + " record";
    const std::string& name = !e.GetSourceName().empty() ? e.GetSourceName() : e.GetTargetName();
    if (!name.empty())
        text += " of " + LineStart(name);
    return text + " of component " + c.GetName();
}

// Compares two files byte for byte: "" when they are the same, else how they
// differ; a file that cannot be read is named with the system's reason.
std::string Difference(const std::string& inSet, const std::string& source) {
    FileHandle a, b;
    if (!a.Open(inSet, FileHandle::Mode::kRead))
        return "cannot be read: " + ErrnoText(inSet);
    if (!b.Open(source, FileHandle::Mode::kRead))
        return "cannot be compared: its source " + ErrnoText(source);
    constexpr size_t kBlock = 1 << 16;
    std::string x(kBlock, '\0'), y(kBlock, '\0');
    long long offset = 0;
    for (;;) {
        size_t n = 0, m = 0;
        if (!a.ReadFull(x.data(), kBlock, n))
            return "cannot be read: " + ErrnoText(inSet);
        if (!b.ReadFull(y.data(), kBlock, m))
            return "cannot be compared: its source " + ErrnoText(source);
        const size_t common = std::min(n, m);
        for (size_t i = 0; i < common; ++i) {
            if (x[i] != y[i]) {
                return Format("differs from its source %s at byte %lld",
                              DisplayPath(source).c_str(), offset + static_cast<long long>(i));
            }
        }
        if (n != m) {
            return "differs from its source " + DisplayPath(source) + ": their sizes differ";
        }
        if (n < kBlock)
            return {};
        offset += static_cast<long long>(n);
    }
}

// The project's own files by their path in the set, and their sources.
struct Source {
    std::string path;
    bool inSet = false;
};
using Sources = std::map<std::string, Source>;

Sources ProjectSources(const WProjectData* project) {
    Sources sources;
    if (!project)
        return sources;
    for (const WSetupComponent* c :
         {project->ProductComponent(), project->ProgramFilesComponent()}) {
        if (!c)
            continue;
        for (int type : kFileElementTypes) {
            for (const auto& e : c->Elements(type)) {
                sources.emplace(
                    PathKey(e->GetSourceName()),
                    Source{JoinPath(e->GetSourceDir(), FileNameOf(e->GetSourceName()))});
            }
        }
    }
    return sources;
}

// Takes a floppy set's members as the scan expands them: the "Setup" files
// of the scripts' archives (read first) are written, as the scripts are read
// from files, of every member its size is kept, and the project's files are
// compared with their sources on the way.
class ScanSink : public WSetUnpacker::Sink {
  public:
    ScanSink(std::string setupFolder, const Sources& sources,
             std::unordered_map<std::string, WSetVerifier::InSet>& members,
             std::function<void()> scriptsIn)
        : setup_(std::move(setupFolder)),
          sources_(sources),
          members_(members),
          scriptsIn_(std::move(scriptsIn)) {}

    // The archives of the scripts: only their "Setup" files are written,
    // and they are read first, so that the scripts can be read while the
    // rest streams.
    bool Early(const std::string& archive) const override {
        return EqualsNoCase(archive, WSetUnpacker::kScriptArchive) ||
               EqualsNoCase(archive, std::string(WDiskSet::kSetupArchive) + WDiskSet::kExtension);
    }
    void EarlyDone() override { scriptsIn_(); }

    bool Begin(const std::string& archive, const std::string& name, int64_t size) override {
        size_ = size;
        offset_ = 0;
        difference_.clear();
        writing_ = comparing_ = false;
        // The scripts' list lies in the "Setup" folder without a folder
        // part; the files of that folder are written for the scripts' checks.
        const std::string inSet = EqualsNoCase(archive, WSetUnpacker::kScriptArchive)
                                      ? std::string(kSetupFolder) + "\\" + name
                                      : name;
        key_ = PathKey(inSet);
        static const std::string setupPrefix = ToLower(kSetupFolder) + "\\";
        std::vector<std::string> folders;
        std::string leaf;
        if (Early(archive) && key_.starts_with(setupPrefix) &&
            SplitMemberName(inSet, folders, leaf) && folders.size() == 1 &&
            EqualsNoCase(folders[0], kSetupFolder) && !leaf.empty()) {
            if (!out_.Open(JoinPath(setup_, leaf), FileHandle::Mode::kWrite, 0644)) {
                folder = setup_;
                why = std::strerror(errno);
                failed_ = true;
            }
            writing_ = true;
        }
        if (auto found = sources_.find(key_); found != sources_.end()) {
            sourcePath_ = found->second.path;
            if (source_.Open(sourcePath_, FileHandle::Mode::kRead))
                comparing_ = true;
            else
                difference_ = "cannot be compared: its source " + ErrnoText(sourcePath_);
        }
        return writing_ || comparing_;
    }

    bool Data(const char* data, size_t size) override {
        if (failed_)
            return false;
        if (writing_ && !out_.WriteAll(data, size)) {
            folder = setup_;
            why = std::strerror(errno);
            return false;
        }
        if (comparing_ && difference_.empty())
            Compare(data, size);
        offset_ += static_cast<long long>(size);
        return true;
    }

    void End(bool sound) override {
        if (writing_)
            out_.Close();
        if (comparing_) {
            char more = 0;
            size_t got = 0;
            if (difference_.empty() && (!source_.ReadFull(&more, 1, got) || got != 0))
                difference_ = got != 0 ? SizesDiffer() : Unreadable();
            source_.Close();
        }
        if (sound)
            members_.insert_or_assign(std::move(key_),
                                      WSetVerifier::InSet{size_, std::move(difference_)});
    }

  private:
    void Compare(const char* data, size_t size) {
        buffer_.resize(size);
        size_t got = 0;
        if (!source_.ReadFull(buffer_.data(), size, got)) {
            difference_ = Unreadable();
            return;
        }
        const auto at = std::mismatch(data, data + got, buffer_.data());
        if (at.first != data + got) {
            difference_ = Format("differs from its source %s at byte %lld",
                                 DisplayPath(sourcePath_).c_str(), offset_ + (at.first - data));
        } else if (got < size) {
            difference_ = SizesDiffer();
        }
    }
    std::string SizesDiffer() const {
        return "differs from its source " + DisplayPath(sourcePath_) + ": their sizes differ";
    }
    std::string Unreadable() const {
        return "cannot be compared: its source " + ErrnoText(sourcePath_);
    }

    std::string setup_;
    const Sources& sources_;
    std::unordered_map<std::string, WSetVerifier::InSet>& members_;
    std::function<void()> scriptsIn_;
    std::string key_;
    long long size_ = 0;
    long long offset_ = 0;
    std::string difference_;
    std::string sourcePath_;
    std::vector<char> buffer_;
    FileHandle out_;
    FileHandle source_;
    bool writing_ = false;
    bool comparing_ = false;
    bool failed_ = false;
};

}  // namespace

WSetVerifier::ScriptCheck WSetVerifier::CheckScript(const std::string& path, bool headerRequired,
                                                    WScriptHeader* stamped) {
    ScriptCheck check;
    if (!IsFile(path)) {
        check.state = ScriptCheck::kMissing;
        return check;
    }
    // The values as stamped, then a verifying read that recomputes them (it
    // leaves the computed values in the object it reads into).
    WScriptHeader own;
    WScriptHeader& header = stamped ? *stamped : own;
    header = WScriptHeader();
    header.SetFilePath(path);
    int bits = header.Read(true, false);
    WScriptHeader computed;
    computed.SetFilePath(path);
    bits |= computed.Read(true, true);
    if (bits & WScriptHeader::kCannotOpen) {
        check.state = ScriptCheck::kCannotOpen;
        return check;
    }
    std::vector<std::string> reasons;
    const bool stampedScript = (bits & WScriptHeader::kNoHeader) == 0;
    if (!stampedScript && headerRequired)
        reasons.push_back("it has no header block, so it was not stamped when the set was built");
    if (stampedScript && (bits & (WScriptHeader::kSumDiffers | WScriptHeader::kLinesDiffer |
                                  WScriptHeader::kSkippedDiffer))) {
        reasons.push_back("its checksum " + header.ChecksumText() +
                          " does not match its contents (" + computed.ChecksumText() +
                          "): the script was changed after it was stamped");
    }
    if (bits & WScriptHeader::kSecondHeader)
        reasons.push_back("it holds a second header block");
    if (bits & WScriptHeader::kLongLine) {
        reasons.push_back(
            Format("a line is %zu characters or longer, more than the setup engine "
                   "reads as one line",
                   WScriptHeader::kLongLineLength));
    }
    if (!reasons.empty()) {
        check.state = ScriptCheck::kFails;
        check.reasons = Join(reasons, "; ");
    }
    return check;
}

std::vector<std::string> WSetVerifier::CheckProject(WProjectData& project) {
    std::vector<std::string> problems;
    for (const std::string& line : project.ProductScriptLines()) {
        if (const std::string why = LineLengthProblem(line.size()); !why.empty())
            problems.push_back(std::string("a line of ") + kProductScript + " (\"" +
                               LineStart(line) + "\") " + why);
    }
    WCreatorManager* components = project.Components();
    if (!components)
        return problems;
    components->Gather();
    // The string file gets a line for each string that the component script
    // names.
    StringSectionLines strings;
    auto longLine = [&](const std::string& line, const std::string& what) {
        if (const std::string why = LineLengthProblem(line.size()); !why.empty())
            problems.push_back(std::string("a line of ") + kComponentScript + " (" + what + ") " +
                               why);
        CollectStringRefs(line, strings);
    };
    for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
        for (const WSetupComponent* c : components->Level(level)) {
            longLine(c->GetLine(WSetupComponent::InstallTypeText(c->GetInstallTypes())),
                     "the line of component " + c->GetName());
        }
    }
    for (int type = 0; type < kElementTypeCount; ++type) {
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            for (const WSetupElement* e : components->LevelElements(type, level)) {
                const WSetupComponent* owner = components->Find(e->GetTag());
                const std::string what =
                    owner ? RecordOf(*owner, *e) : ElementTypeName(type) + " record";
                // The application's files are written with the set as their
                // source folder.
                if (owner && owner->IsApplicationComponent() &&
                    (type == kElementFile || type == kElementTTFFile)) {
                    auto copy = e->Clone();
                    copy->SetSourceDir(kInSet);
                    longLine(copy->GetScriptLine(), what);
                } else {
                    longLine(e->GetScriptLine(), what);
                }
                for (const std::string& destination : DestinationsOf(*e)) {
                    if (const std::string why = DestinationProblem(destination); !why.empty())
                        problems.push_back(what + " writes to " + destination +
                                           ", a path the setup engine cannot use: " + why);
                }
            }
        }
    }
    for (const std::string& line : strings.Lines()) {
        if (const std::string why = LineLengthProblem(line.size()); !why.empty())
            problems.push_back(std::string("a line of ") + kStringFile + " (\"" + LineStart(line) +
                               "\") " + why);
    }
    return problems;
}

bool WSetVerifier::Verify(const std::string& mediaFolder) {
    problems_.clear();
    kind_ = Kind::kNone;
    incomplete_ = false;
    disks_ = archives_ = files_ = compared_ = 0;
    if (!IsFolder(mediaFolder)) {
        problems_.push_back(DisplayPath(mediaFolder) + " is not a folder");
        return false;
    }
    const std::string setup = FindInFolderNoCase(mediaFolder, kSetupFolder);
    const std::vector<std::string> disks = WSetUnpacker::DiskFolders(mediaFolder);
    if (!setup.empty() && IsFolder(setup)) {
        kind_ = Kind::kFolder;
        return VerifyFolder(mediaFolder);
    }
    if (disks.empty()) {
        problems_.push_back(DisplayPath(mediaFolder) + " holds neither a " + kSetupFolder +
                            " folder nor disk folders: it is no set");
        return false;
    }
    kind_ = Kind::kFloppy;
    disks_ = static_cast<int>(disks.size());
    std::string why;
    const std::string scratch = FreshFolder(why);
    if (scratch.empty()) {
        problems_.push_back(why);
        incomplete_ = true;
        return false;
    }
    // Only the scripts are written; the rest is checked as it streams.
    const std::string set = JoinPath(scratch, "set");
    const std::string setupFolder = JoinPath(set, kSetupFolder);
    if (!MakeFolders(setupFolder, &why)) {
        problems_.push_back("cannot write to the temporary folder " + DisplayPath(setupFolder) +
                            ": " + why);
        incomplete_ = true;
        RemoveTree(scratch);
        return false;
    }
    const Sources sources = ProjectSources(project_);
    std::unordered_map<std::string, InSet> members;
    // The scripts are checked and the component script read on a thread of
    // their own as soon as their archives are in, while the other archives
    // stream.
    WSetupManager components;
    std::vector<std::string> scriptProblems;
    bool read = false;
    bool started = false;
    auto readScripts = [&] {
        CheckScripts(setupFolder, scriptProblems);
        read = scriptProblems.empty() && ReadComponents(components, setupFolder, scriptProblems);
    };
    std::thread scripts;
    ScanSink sink(setupFolder, sources, members, [&] {
        try {
            scripts = std::thread(readScripts);
            started = true;
        } catch (const std::system_error&) {
            // Read after the scan instead.
        }
    });
    WSetUnpacker unpacker;
    unpacker.Scan(disks, sink);
    if (scripts.joinable())
        scripts.join();
    problems_ = unpacker.Problems();
    archives_ = static_cast<int>(unpacker.Archives().size());
    // What could not be unpacked is not missing from the set: say only why
    // the check stopped.
    incomplete_ = unpacker.TemporaryFolderFailed();
    if (!incomplete_) {
        if (!started)
            readScripts();
        problems_.insert(problems_.end(), scriptProblems.begin(), scriptProblems.end());
        if (read) {
            inSet_ = &members;
            CheckFiles(set, components);
            inSet_ = nullptr;
        }
    }
    RemoveTree(scratch);
    return problems_.empty();
}

bool WSetVerifier::VerifyFolder(const std::string& root) {
    const size_t before = problems_.size();
    std::string setup = FindInFolderNoCase(root, kSetupFolder);
    if (setup.empty())
        setup = JoinPath(root, kSetupFolder);
    CheckScripts(setup, problems_);
    if (problems_.size() == before) {
        WSetupManager components;
        if (ReadComponents(components, setup, problems_))
            CheckFiles(root, components);
    }
    return problems_.size() == before;
}

void WSetVerifier::CheckScripts(const std::string& setupFolder,
                                std::vector<std::string>& problems) {
    auto script = [&](const char* name) {
        const std::string found = FindInFolderNoCase(setupFolder, name);
        return found.empty() ? JoinPath(setupFolder, name) : found;
    };
    for (const char* name : {kProductScript, kComponentScript, kStringFile}) {
        // Only the product script must carry a header.
        const ScriptCheck check =
            CheckScript(script(name), std::string_view(name) == kProductScript);
        const std::string shown = std::string(kSetupFolder) + "\\" + name;
        if (check.state == ScriptCheck::kMissing)
            problems.push_back(shown + " is missing");
        else if (check.state == ScriptCheck::kCannotOpen)
            problems.push_back(shown + " cannot be opened");
        else if (check.state == ScriptCheck::kFails)
            problems.push_back(shown + " fails verification: " + check.reasons);
    }
}

bool WSetVerifier::ReadComponents(WSetupManager& components, const std::string& setupFolder,
                                  std::vector<std::string>& problems) {
    components.SetReadAllRecords(true);
    components.SetStringFolder(setupFolder);
    ScriptStringMap().Clear();
    const std::string engineStrings = FindInFolderNoCase(setupFolder, kEngineStringFile);
    if (!engineStrings.empty() && !EqualsNoCase(FileNameOf(engineStrings), kStringFile)) {
        components.ReadStringFile(engineStrings);
        components.ClearFailures();
    }
    const std::string script = ResolveNoCase(JoinPath(setupFolder, kComponentScript));
    if (!components.ReadComponentScript(script,
                                        ResolveNoCase(JoinPath(setupFolder, kStringFile)))) {
        problems.push_back(std::string(kSetupFolder) + "\\" + kComponentScript + " cannot be read" +
                           (components.Failures().empty()
                                ? std::string()
                                : ": " + Join(components.Failures(), "; ")));
        return false;
    }
    return true;
}

void WSetVerifier::CheckFiles(const std::string& root, WSetupManager& components) {
    Sources sources = ProjectSources(project_);

    std::unordered_set<std::string> installed;
    for (const WSetupComponent* c : components.Components()) {
        for (int type : kFileElementTypes) {
            for (const auto& e : c->Elements(type)) {
                const std::string name = e->GetSourceName();
                const std::string what = name + " of component " + c->GetName();
                installed.insert(PathKey(e->GetTargetPath()));
                if (e->GetSourceDir() != kInSet)
                    continue;
                ++files_;
                std::vector<std::string> parts;
                if (!WMediaBuilder::RelativeParts(name, parts)) {
                    problems_.push_back(what + " lies outside the set");
                    continue;
                }
                Source* source = nullptr;
                if (project_ && c->IsApplicationComponent()) {
                    auto found = sources.find(PathKey(name));
                    if (found == sources.end()) {
                        problems_.push_back(what + " is not a file of the project");
                    } else {
                        source = &found->second;
                        source->inSet = true;
                    }
                }
                const long long want = static_cast<long long>(e->GetSize());
                const InSet* streamed = nullptr;
                std::string path;
                if (inSet_) {
                    auto found = inSet_->find(PathKey(name));
                    streamed = found == inSet_->end() ? nullptr : &found->second;
                } else {
                    path = ResolveNoCase(JoinPath(root, name));
                }
                if (inSet_ ? !streamed : !IsFile(path)) {
                    problems_.push_back(what + " is missing");
                    continue;
                }
                if (const long long size = streamed ? streamed->size : FileSizeOf(path);
                    size != want) {
                    problems_.push_back(what + " has " + Bytes(size) + ", its record says " +
                                        Bytes(want));
                    continue;
                }
                if (!source)
                    continue;
                ++compared_;
                const std::string why =
                    streamed ? streamed->difference : Difference(path, source->path);
                if (!why.empty())
                    problems_.push_back(what + " " + why);
            }
        }
    }
    for (const auto& [key, source] : sources) {
        if (!source.inSet)
            problems_.push_back("the project's file " + DisplayPath(source.path) +
                                " is not in the set");
    }

    for (const WSetupComponent* c : components.Components()) {
        for (int type = 0; type < kElementTypeCount; ++type) {
            for (const auto& e : c->Elements(type)) {
                for (const std::string& destination : DestinationsOf(*e)) {
                    if (const std::string why = DestinationProblem(destination); !why.empty())
                        problems_.push_back(RecordOf(*c, *e) + " writes to " + destination +
                                            ", a path the setup engine cannot use: " + why);
                }
            }
        }
    }

    // What the application does with its files needs the files.
    for (const WSetupComponent* c : components.Components()) {
        if (!c->IsApplicationComponent())
            continue;
        for (int type : {kElementShortcut, kElementSelfRegister, kElementRegFile, kElementProfile,
                         kElementCustFile}) {
            for (const auto& e : c->Elements(type)) {
                if (!installed.count(PathKey(e->GetTargetPath())))
                    problems_.push_back(RecordText(*e) + " of component " + c->GetName() +
                                        " names " + e->GetTargetPath() +
                                        ", which the set does not install");
            }
        }
    }
}

}  // namespace vantrel
