#include "project/project_file.h"

#include <algorithm>
#include <vector>

#include "archive/archive.h"
#include "archive/zip_archive.h"
#include "archive/zip_reader.h"
#include "elements/setup_background.h"
#include "elements/setup_file.h"
#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "platform/text_file.h"
#include "project/engine_limits.h"
#include "project/project_data.h"
#include "project/project_lock.h"
#include "script/set_layout.h"
#include "script/spm_product.h"
#include "scriptfile/setup_product_data.h"

namespace vantrel {

namespace {

constexpr const char* kBoxId = "BOXID";

// The settings of the "BOXID" section, in the order they are written. Each
// is either a flag/number or a text member of the project.
struct BoxIdKey {
    const char* key;
    int WProjectData::*number;
    std::string WProjectData::*text;
};

const std::vector<BoxIdKey>& BoxIdKeys() {
    using P = WProjectData;
    static const std::vector<BoxIdKey> keys{
        {"UninstallComponent", &P::UninstallComponent, nullptr},
        {"RuntimeComponent", &P::RuntimeComponent, nullptr},
        {"FrameworkComponent", &P::FrameworkComponent, nullptr},
        {"BDEComponent", &P::BDEComponent, nullptr},
        {"DisplayLicense", &P::DisplayLicense, nullptr},
        {"DisplayRelease", &P::DisplayRelease, nullptr},
        {"CompanyName", nullptr, &P::CompanyName},
        {"Version", nullptr, &P::Version},
        {"UseDefaultDest", &P::UseDefaultDest, nullptr},
        {"DefaultDestPrefix", nullptr, &P::DefaultDestPrefix},
        {"DefaultDestBase", nullptr, &P::DefaultDestBase},
        {"IsSybaseDBLibSelected", &P::IsSybaseDBLibSelected, nullptr},
        {"IsSybaseCTLibSelected", &P::IsSybaseCTLibSelected, nullptr},
        {"IsOracleSelected", &P::IsOracleSelected, nullptr},
        {"IsMSSQLSelected", &P::IsMSSQLSelected, nullptr},
        {"IsInformixSelected", &P::IsInformixSelected, nullptr},
        {"IsDB2Selected", &P::IsDB2Selected, nullptr},
        {"IsInterBaseSelected", &P::IsInterBaseSelected, nullptr},
        {"IsDefaultCFGSelected", &P::IsDefaultCFGSelected, nullptr},
        {"ShortcutFolder", nullptr, &P::ShortcutFolder},
        {"IDAPICNFDirectory", nullptr, &P::IDAPICNFDirectory},
        {"BackFontStyle", nullptr, &P::BackFontStyle},
        {"DefaultWritingToolLang", nullptr, &P::DefaultWritingToolLang},
        {"MediaDistributionDirectory", nullptr, &P::MediaDistributionDirectory},
        {"IsFloppySetup", &P::IsFloppySetup, nullptr},
        {"FloppyCustomSize", nullptr, &P::FloppyCustomSize},
        {"DiskSize", nullptr, &P::DiskSize},
        {"FloppySetSizeType", nullptr, &P::FloppySetSizeType},
        {"AreFilesMissing", &P::AreFilesMissing, nullptr},
        {"AreWritingToolsSelected", &P::AreWritingToolsSelected, nullptr},
        {"DefaultFolder", nullptr, &P::DefaultFolder},
    };
    return keys;
}

// A folder of its own inside the private temporary folder, removed with
// everything in it when the object goes away.
class WorkFolder {
  public:
    explicit WorkFolder(const char* stem) {
        path_ = PrivateTempPath(stem, "");
        if (!path_.empty() && !MakeFolders(path_))
            path_.clear();
    }
    ~WorkFolder() {
        if (!path_.empty())
            RemoveTree(path_);
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    bool Ok() const { return !path_.empty(); }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return JoinPath(path_, name); }
    // A member as unpacked: archives made elsewhere may spell the names in
    // another case ("License.txt").
    std::string Member(const std::string& name) const {
        std::string found = FindInFolderNoCase(path_, name);
        return found.empty() ? *this / name : found;
    }

  private:
    std::string path_;
};

void SetError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

// Reads a text member: its lines joined with a line feed after each, trailing
// blanks removed. A missing member stands for an empty text (the writer
// leaves empty texts out). False only when the member exists but cannot be
// read.
bool ReadTextMember(const std::string& path, std::string& text, std::string* error) {
    if (!PathExists(path)) {
        text.clear();
        return true;
    }
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines, error))
        return false;
    std::string joined;
    for (auto& line : lines) {
        joined += line;
        joined += '\n';
    }
    text = TrimRight(joined);
    return true;
}

// A file's folder on this machine, for a project opened from disk: the
// project file stores the application's files and fonts with the source folder "<S>"
// and their path below the project's source folder ("DefaultFolder").
void RestoreSourceFolders(WProjectData& project) {
    WSetupComponent* files = project.ProgramFilesComponent();
    if (!files || project.DefaultFolder.empty())
        return;
    for (int type : kFileElementTypes) {
        for (auto& element : files->Elements(type)) {
            if (element->GetSourceDir() != "<S>")
                continue;
            std::string folder = FolderOf(element->GetSourceName());
            element->SetSourceDir(folder.empty() ? project.DefaultFolder
                                                 : JoinPath(project.DefaultFolder, folder));
        }
    }
}

// The first file or font record whose destination the setup engine cannot
// use, named with why; "" when there is none.
std::string UnusableDestination(const WProjectData& project) {
    const WSetupComponent* files = project.ProgramFilesComponent();
    if (!files)
        return {};
    DestinationChecker checker;
    for (int type : kFileElementTypes) {
        for (const auto& element : files->Elements(type)) {
            std::string why = checker.Problem(element->GetTargetDir(), element->GetTargetName());
            if (!why.empty())
                return "the " + ElementTypeName(type) + " record of " + element->GetSourceName() +
                       " installs to \"" + element->GetTargetDir() + "\\" +
                       element->GetTargetName() + "\", which the setup cannot use: " + why;
        }
    }
    return {};
}

bool LoadFromFolder(WProjectData& project, const WorkFolder& work, const std::string& shown,
                    std::string* error) {
    // Each member is looked for once.
    const std::string productScript = work.Member(kProductScript);
    const std::string componentScript = work.Member(kComponentScript);
    const std::string stringFile = work.Member(kStringFile);
    struct Member {
        const char* name;
        const std::string& path;
    };
    for (const Member& m :
         {Member{kProductScript, productScript}, Member{kComponentScript, componentScript},
          Member{kStringFile, stringFile}}) {
        if (!IsFile(m.path)) {
            SetError(error, shown + ": not a project file (it has no " + m.name + ")");
            return false;
        }
    }

    // A line the setup engine cannot read whole would end up in the set.
    // The component script's lines are checked as it is read, below.
    for (const Member& m :
         {Member{kProductScript, productScript}, Member{kStringFile, stringFile}}) {
        if (std::string why = ScriptLinesProblem(m.path); !why.empty()) {
            SetError(error, shown + ": " + m.name + " " + why);
            return false;
        }
    }

    WSetupProductData script;
    if (!script.Load(productScript)) {
        SetError(error, shown + ": " + kProductScript + " cannot be read");
        return false;
    }
    std::string why;
    if (!ReadProjectScript(project, script, &why)) {
        SetError(error, shown + ": " + why);
        return false;
    }

    if (WSetupComponent* files = project.ProgramFilesComponent())
        files->ClearAllElements();
    WCreatorManager* components = project.Components();
    // A further string file that string.str names is one of the setup
    // engine's, which sit in its "Setup" folder: the installation's
    // Distrib\Setup here, the set's Setup folder when the engine runs.
    if (components && !project.InstallLocation.empty())
        components->SetStringFolder(
            ResolveNoCase(JoinPath(JoinPath(project.InstallLocation, "Distrib"), "Setup")));
    ScriptLineChecker lines;
    std::string longLine;
    auto checkLine = [&](const std::string& line) {
        longLine = lines.Next(line);
        return longLine.empty();
    };
    const bool read =
        components && components->ReadComponentScript(componentScript, stringFile, {}, checkLine);
    if (!longLine.empty()) {
        SetError(error, shown + ": " + kComponentScript + " " + longLine);
        return false;
    }
    if (!read) {
        std::string detail;
        if (components && !components->Failures().empty())
            detail = " (" + components->Failures().back() + ")";
        SetError(error, shown + ": its component script cannot be read" + detail);
        return false;
    }

    if (std::string why = UnusableDestination(project); !why.empty()) {
        SetError(error, shown + ": " + kComponentScript + ": " + why);
        return false;
    }

    if (project.DisplayLicense &&
        !ReadTextMember(work.Member(kLicenseFile), project.LicenseText, &why)) {
        SetError(error, shown + ": the license text cannot be read: " + why);
        return false;
    }
    if (project.DisplayRelease &&
        !ReadTextMember(work.Member(kReleaseFile), project.ReleaseText, &why)) {
        SetError(error, shown + ": the release notes cannot be read: " + why);
        return false;
    }
    RestoreSourceFolders(project);
    return true;
}

std::string ArchiveFailure(const ALStatus& status) {
    std::string text = status.GetStatusString();
    std::string detail = status.GetStatusDetail();
    if (!detail.empty() && detail != "No errors")
        text += " (" + detail + ")";
    return text;
}

std::string ArchiveFailure(const WArchive& archive) {
    return ArchiveFailure(archive.Status());
}

// What a project file may hold: its few members, none of them large. An
// archive beyond these limits (a "zip bomb" of many members, or of members
// that share their compressed data) is refused before anything is unpacked.
constexpr size_t kMaxProjectEntries = 16;
constexpr int64_t kMaxProjectMemberSize = 32 * 1024 * 1024;

bool IsProjectMember(const std::string& name) {
    for (const std::string& member : Split(kProjectMemberList, ',')) {
        if (!member.empty() && EqualsNoCase(member, name))
            return true;
    }
    return false;
}

// Unpacks the members of the project file at `path` that a project file
// holds (see kProjectMemberList, in any case) into `destination`; other
// members are left packed. False, with `why`, for an unreadable archive, a
// member name that leaves the folder, too many entries, a project member
// that is too large or named twice, or members whose data overlap.
bool ExtractProjectMembers(const std::string& path, const std::string& destination,
                           std::string& why) {
    ALZipReader reader(path);
    ALEntryList list;
    if (reader.ReadDirectory(list) < 0) {
        why = ArchiveFailure(reader.Status());
        return false;
    }
    if (list.Size() > kMaxProjectEntries) {
        why = "it has " + std::to_string(list.Size()) + " entries; a project file holds at most " +
              std::to_string(kMaxProjectEntries);
        return false;
    }
    struct Span {
        int64_t start, end;
        std::string name;
    };
    std::vector<Span> spans;
    std::vector<std::string> taken;
    for (auto& entry : list) {
        const std::string& name = entry->GetStorage()->GetName();
        std::vector<std::string> folders;
        std::string file;
        if (!SplitMemberName(name, folders, file)) {
            why = "the member name \"" + name + "\" leaves the folder it is unpacked into";
            return false;
        }
        spans.push_back({entry->offset,
                         entry->offset + static_cast<int64_t>(zip::kLocalHeaderSize + name.size()) +
                             entry->compressedSize,
                         name});
        if (!folders.empty() || !IsProjectMember(file)) {
            entry->ClearMark();
            continue;
        }
        for (const std::string& other : taken) {
            if (EqualsNoCase(other, file)) {
                why = "the member " + file + " is there twice";
                return false;
            }
        }
        taken.push_back(file);
        if (entry->expandedSize > kMaxProjectMemberSize) {
            why = "the member " + file + " is too large (" + std::to_string(entry->expandedSize) +
                  " bytes; at most " + std::to_string(kMaxProjectMemberSize) + ")";
            return false;
        }
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.start < b.start; });
    for (size_t i = 1; i < spans.size(); ++i) {
        if (spans[i].start < spans[i - 1].end) {
            why =
                "the members " + spans[i - 1].name + " and " + spans[i].name + " share their data";
            return false;
        }
    }
    if (reader.Extract(list, destination) < 0) {
        why = ArchiveFailure(reader.Status());
        return false;
    }
    return true;
}

// Remembers the project file as it is now (nothing when it cannot be
// examined).
void RememberProjectFile(WProjectData& project, const std::string& path) {
    project.ProjectFileSeen = {};
    FileInfo info;
    if (GetFileInfo(path, info) && info.isFile)
        project.ProjectFileSeen = {AbsolutePath(path), info};
}

// False, with `error`, when the project file at `target` was replaced or
// written by someone else after this project read or wrote it: saving now
// would silently drop their change.
bool UnchangedSinceSeen(const WProjectData& project, const std::string& target,
                        std::string* error) {
    const auto& seen = project.ProjectFileSeen;
    FileInfo now;
    if (seen.path.empty() || seen.path != AbsolutePath(target) || !GetFileInfo(target, now) ||
        SameFileVersion(seen.info, now))
        return true;
    SetError(error, DisplayPath(target) +
                        ": the file was changed by another program after this project was "
                        "opened or saved; it was not replaced, so that change is kept (open the "
                        "file again and repeat your changes)");
    return false;
}

}  // namespace

std::string ProjectArchivePath(const std::string& path) {
    std::string name = FileNameOf(path);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.resize(dot);
    name += kProjectExtension;
    std::string folder = path.substr(0, path.size() - FileNameOf(path).size());
    return folder + name;
}

void BuildProjectScript(WProjectData& project, WSetupProductData& script) {
    for (const auto& k : BoxIdKeys()) {
        script.SetValue(
            kBoxId, k.key,
            OneLineValue(k.number ? std::to_string(project.*k.number) : project.*k.text), true);
    }
    project.WriteProductSections(script, ProductScriptKind::kProjectFile);
}

bool ReadProjectScript(WProjectData& project, const WSetupProductData& script, std::string* error) {
    bool hasBoxId = false;
    for (const auto& line : script.Lines()) {
        if (WSetupData::IsSectionLine(line) && WSetupData::SectionNameOf(line) == kBoxId) {
            hasBoxId = true;
            break;
        }
    }
    if (!hasBoxId) {
        SetError(error,
                 std::string(kProductScript) + " is not a project script (no [BOXID] section)");
        return false;
    }

    std::string value;
    for (const auto& k : BoxIdKeys()) {
        script.GetValue(kBoxId, k.key, value);
        if (k.number)
            project.*k.number = static_cast<int>(ToInt(value));
        else
            project.*k.text = value;
    }
    // Saving writes "CharSet", the key the setup engine reads; files that
    // spell it "Charset" are read as well.
    if (!script.GetValue("UI", "CharSet", project.Charset) || project.Charset.empty())
        script.GetValue("UI", "Charset", project.Charset);
    script.GetValue("UI", "FontName", project.FontName);

    // The selection comes back in table order, whatever order it was saved in.
    script.GetValue("PageDictionary", "DefaultLanguage", project.DefaultLanguage);
    project.WritingToolLanguages.clear();
    for (const auto& row : WritingToolLanguageTable) {
        if (script.GetValue("PageDictionary", row.code, value) && !value.empty())
            project.WritingToolLanguages.push_back(row.code);
    }

    if (WSPMProduct* product = project.Product()) {
        product->Read(&script);
        project.SetApplicationName(product->GetDisplayName());
        project.SetApplicationName(product->GetShortcutFolder());
    }

    if (WSetupBackground* background = project.Background()) {
        background->Read(&script);
        project.BackTitleFont = background->GetTitleFont();
        project.BackTitle = background->GetBackgroundTitle();
        project.BackTitleAlign = background->GetTitleFontAlign();
        project.BackTitleFontHeight = std::to_string(background->GetTitleFontHeight());
        project.BackTitleItalic = background->italicTitle ? 1 : 0;
        project.BackTitleBold = background->boldTitle ? 1 : 0;
        project.GradientColor = background->GetGradientColor();
        project.TitleTextBlue = std::to_string(background->GetTextBrushBlue());
        project.TitleTextGreen = std::to_string(background->GetTextBrushGreen());
        project.TitleTextRed = std::to_string(background->GetTextBrushRed());
    }
    return true;
}

namespace {

// Writes the project file at `target` exactly.
bool WriteProjectFileAt(WProjectData& project, const std::string& target, std::string* error) {
    std::string shown = DisplayPath(target);
    if (IsFolder(target)) {
        SetError(error, shown + ": is a folder, not a project file");
        return false;
    }

    project.DefaultFolder = StripTrailingSeparators(project.DefaultFolder);
    if (project.DefaultFolder.size() == 1 && IsPathSeparator(project.DefaultFolder[0]))
        project.DefaultFolder.clear();

    WorkFolder work("project-save");
    if (!work.Ok()) {
        SetError(error, "the temporary folder cannot be created");
        return false;
    }

    WSetupProductData script;
    BuildProjectScript(project, script);
    if (!script.SaveAs(work / kProductScript)) {
        SetError(error, shown + ": the project script cannot be written");
        return false;
    }
    if (!project.WriteComponentScripts(work.Path())) {
        SetError(error, shown + ": the component script cannot be written");
        return false;
    }
    struct Text {
        int shown;
        const std::string& text;
        const char* member;
    };
    for (const Text& t : {Text{project.DisplayLicense, project.LicenseText, kLicenseFile},
                          Text{project.DisplayRelease, project.ReleaseText, kReleaseFile}}) {
        if (!t.shown || t.text.empty())
            continue;
        std::string why;
        if (!WriteFileAtomic(work / t.member, ToCrLf(t.text), &why)) {
            SetError(error, shown + ": " + t.member + " cannot be written: " + why);
            return false;
        }
    }

    // The archive is made inside the work folder and then put in place in
    // one step, so an old project file survives any failure.
    std::string outFolder = work / "out";
    WArchive archive(kProjectExtension);
    if (!MakeFolders(outFolder) ||
        !archive.Create(kProjectCompressionLevel, "project", false, kProjectMemberList, outFolder,
                        work.Path(), true)) {
        SetError(error, shown + ": the archive cannot be made: " + ArchiveFailure(archive));
        return false;
    }
    std::string bytes, why;
    if (!ReadWholeFile(archive.GetArchivePath(), bytes, &why)) {
        SetError(error, why);
        return false;
    }
    // The check and the replace are one step for every process that saves
    // this project: without the lock, two saves could both find the file
    // unchanged and the second would drop the first one's change.
    WProjectLock lock;
    if (lock.Acquire(target) == WProjectLock::Outcome::kBusy) {
        SetError(error, lock.Error());
        return false;
    }
    if (!UnchangedSinceSeen(project, target, error))
        return false;
    if (!WriteFileAtomic(target, bytes, &why, ReadOnlyFile::kRefuse)) {
        SetError(error, why);
        return false;
    }
    RememberProjectFile(project, target);
    return true;
}

}  // namespace

bool WriteProjectFile(WProjectData& project, const std::string& path, std::string* error,
                      std::string* archivePath) {
    std::string target = ProjectArchivePath(path);
    if (archivePath)
        *archivePath = target;
    return WriteProjectFileAt(project, target, error);
}

bool LoadProjectFile(WProjectData& project, const std::string& path, std::string* error) {
    std::string shown = DisplayPath(path);
    bool ok = false;
    if (IsFolder(path)) {
        SetError(error, shown + ": is a folder, not a project file");
    } else if (!IsFile(path)) {
        SetError(error, shown + ": " + NotAFileReason(path));
    } else {
        // Taken before reading, so that a change made while it is read
        // counts as a change since it was opened.
        FileInfo seen;
        const bool haveSeen = GetFileInfo(path, seen);
        WorkFolder work("project-open");
        std::string why;
        if (!work.Ok()) {
            SetError(error, "the temporary folder cannot be created");
        } else if (!ExtractProjectMembers(path, work.Path(), why)) {
            SetError(error, shown + ": not a readable project file: " + why);
        } else {
            ok = LoadFromFolder(project, work, shown, error);
            if (ok && haveSeen)
                project.ProjectFileSeen = {AbsolutePath(path), seen};
        }
    }
    // The flags just read decide what ships.
    if (ok)
        project.ApplyComponentSelection();
    if (!ok) {
        project.Clear();
        project.Reset();
    }
    return ok;
}

bool OpenProjectFile(WProjectData& project, const std::string& path, std::string* error) {
    project.Clear();
    project.Reset();
    if (!LoadProjectFile(project, path, error))
        return false;
    project.ProjectFile = path;
    project.HasProjectFile = 1;
    project.OpenProjectMode = 1;
    project.NewProjectMode = 0;
    project.ContinueProjectMode = 0;
    project.ProductNameSet = 1;
    project.ShortcutFolderSet = 1;
    return true;
}

bool Save(WProjectData& project, bool& modified, ProjectSaveDialog& dialog, std::string* error,
          bool addToRecent) {
    if (!modified)
        return true;

    // A project that has a file is written back to it, whichever way it got
    // the file (opened, or chosen at an earlier save), whatever that file is
    // called; only a project that never had one asks where to go, and the
    // name chosen then gets the project extension.
    std::string written = project.ProjectFile;
    if (!project.ProjectFile.empty() && project.HasProjectFile) {
        if (const std::string folder = FolderOf(written); !folder.empty())
            MakeFolders(folder);
        if (!WriteProjectFileAt(project, written, error))
            return false;
    } else {
        std::string proposed = project.GetApplicationName() + kProjectExtension;
        const std::string mySetup =
            project.InstallLocation.empty()
                ? std::string()
                : ResolveNoCase(JoinPath(project.InstallLocation, "MySetup"));
        if (!mySetup.empty() && IsFolder(mySetup))
            proposed = JoinPath(mySetup, proposed);
        std::string chosen;
        if (!dialog.AskSavePath(proposed, chosen) || chosen.empty())
            return false;
        if (const std::string folder = FolderOf(chosen); !folder.empty())
            MakeFolders(folder);
        if (!WriteProjectFile(project, chosen, error, &written))
            return false;
        project.HasProjectFile = 1;
    }
    project.ProjectFile = written;
    modified = false;
    if (addToRecent)
        AddRecentProject(AbsolutePath(written));
    return true;
}

}  // namespace vantrel
