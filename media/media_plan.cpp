#include "media/media_plan.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "media/file_copy.h"
#include "media/media_builder.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/volumes.h"
#include "platform/wildcard.h"
#include "project/file_properties.h"
#include "project/folder_path_rules.h"
#include "project/installation_rules.h"
#include "project/project_data.h"
#include "script/disk_utils.h"
#include "script/setup_manager.h"

namespace vantrel {

const std::array<WMediaSizeEntry, 7> MediaSizeEntries = {{
    {"720 KB", 720000.0},
    {"1.44 MB", 1440000.0},
    {"2.88 MB", 2880000.0},
    {"100 MB", 100000000.0},
    {"250 MB", 250000000.0},
    {"640 MB", 640000000.0},
    {"Custom size...", 0.0},
}};

const std::array<WMediaSizeUnit, 2> MediaSizeUnits = {{
    {"KB", 1000.0},
    {"MB", 1000000.0},
}};

namespace {

constexpr const char* kSingleDescription =
    "Description :  A single disk setup will be created since your fileset can fit onto one disk "
    "or CD. Once the media is created, copy over all the files and directories onto your disk or "
    "CD.  To begin installation from the CD or disk, double click on Setup32.exe.";
constexpr const char* kFloppyDescription =
    "Description :  A floppy setup, using multiple %1 disks, will be created. Once the media is "
    "created, copy over the contents of each numbered directory onto seperate disks. To begin "
    "installation of the product, double click on setup.exe on the first disk.";

constexpr const char* kNotFixedDrive =
    "%1 is not a valid destination drive.  Please select a fixed drive.";
constexpr const char* kNoDrive = "Destination drive does not exist.";
constexpr const char* kNoSpace = "Not enough disk space available on destination drive.";
constexpr const char* kInvalidSize = "Please enter a valid floppy size";
constexpr const char* kInvalidSizeCaption = "Custom Floppy Size";

double UnitBytes(std::string_view unit) {
    for (const auto& u : MediaSizeUnits) {
        if (EqualsNoCase(unit, u.text))
            return u.bytes;
    }
    return MediaSizeUnits[1].bytes;
}

// The "[Strings]" entries of the setup engine's own string file, which
// names the standard components; the engine reads it before the set's own
// strings, which win.
std::map<std::string, std::string> EngineStrings(const std::string& installLocation) {
    std::map<std::string, std::string> strings;
    if (installLocation.empty())
        return strings;
    ReadStringLines(ResolveNoCase(JoinPath(JoinPath(JoinPath(installLocation, "Distrib"), "Setup"),
                                           "Setup.str")),
                    [&](std::string name, std::string value) {
                        strings.emplace(std::move(name), std::move(value));
                    });
    return strings;
}

// A component's name as a user reads it: its display name with string
// references expanded from the project's strings, then a reference left
// whole from the engine's; its name when it has no display name.
std::string ShownName(const WSetupComponent& c,
                      const std::map<std::string, std::string>& engineStrings) {
    std::string shown = ExpandStringRefs(c.GetDisplayName());
    if (shown.size() > 2 && shown.front() == '%' && shown.back() == '%') {
        auto it = engineStrings.find(shown.substr(1, shown.size() - 2));
        if (it != engineStrings.end() && !it->second.empty())
            shown = it->second;
    }
    return shown.empty() ? c.GetName() : shown;
}

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (!IsBlank(c))
            out += c;
    }
    return out;
}

}  // namespace

WVolumeProbe WVolumeProbe::Host() {
    WVolumeProbe p;
    p.driveExists = [](std::string_view path) { return MountPointExists(path); };
    p.isCdOrRemovable = [](std::string_view path) {
        return IsOnCdRom(path) || IsOnRemovable(path);
    };
    p.driveOf = [](std::string_view path) { return GetPathRoot(path); };
    p.freeSpace = [](std::string_view path) { return GetFreeSpace(path); };
    return p;
}

WMediaPlan::WMediaPlan() : description_(kSingleDescription) {}

void WMediaPlan::Gather(WProjectData& project, bool estimate) {
    components_.clear();
    engineFiles_.clear();
    guarded_.clear();
    engineRootLast_ = -1;
    fileSetSize_ = 0;
    disks_.Clear();
    estimated_ = false;
    shipped_.clear();
    std::vector<const WSetupComponent*>& shipped = shipped_;

    // Each folder once, by its spelling and then by its real path: the
    // first entry of a folder says what it is.
    std::set<std::string> guardedSeen, guardedReal;
    auto guard = [&](const std::string& folder, std::string what, bool insideAllowed = false) {
        if (!Trim(folder).empty() && guardedSeen.insert(folder).second &&
            guardedReal.insert(RealPath(folder)).second)
            guarded_.push_back({folder, std::move(what), insideAllowed});
    };
    guard(project.DefaultFolder, "the project's source folder", true);
    guard(project.InstallLocation, "the installation folder");
    if (!project.IsDefaultCFGSelected && !project.IDAPICNFDirectory.empty()) {
        guard(FolderOf(project.IDAPICNFDirectory),
              "the folder of the database-engine configuration " +
                  DisplayPath(project.IDAPICNFDirectory));
    }

    if (WCreatorManager* components = project.Components()) {
        // The setup engine's component ships whatever is chosen, as the
        // media builder selects it before copying.
        if (WSetupComponent* distrib = components->Find("Distrib"))
            distrib->Select(WSetupComponent::kSelected);
        components->Gather();
        const auto engineStrings = EngineStrings(project.InstallLocation);
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            for (const WSetupComponent* c : components->Level(level)) {
                components_.push_back(ShownName(*c, engineStrings));
                shipped.push_back(c);
                if (!c->IsApplicationComponent())
                    continue;  // its files lie in the installation folder
                for (int type : kFileElementTypes) {
                    for (const auto& e : c->Elements(type)) {
                        const std::string& dir = e->GetSourceDir();
                        const std::string source = JoinPath(dir, FileNameOf(e->GetSourceName()));
                        guard(dir, "the folder of the file " + DisplayPath(source));
                        // The file as it is now, not as it was when added.
                        FileInfo info;
                        if (GetFileInfo(source, info) && info.isFile)
                            e->SetSize(static_cast<double>(info.size));
                    }
                }
            }
            for (int type : kFileElementTypes) {
                for (const WSetupElement* e : components->LevelElements(type, level))
                    fileSetSize_ += e->GetSize();
            }
        }
        components->ReleaseGathered();
    }

    if (project.InstallLocation.empty()) {
        if (estimate)
            EstimateFloppies(project);
        return;
    }
    const std::string distrib = ResolveNoCase(JoinPath(project.InstallLocation, "Distrib"));
    auto addFolder = [&](const std::string& folder) {
        for (const std::string& name : MatchFilesInFolder(folder, "*.*")) {
            std::string path = JoinPath(folder, name);
            long long size = FileSizeOf(path);
            if (size > 0)
                fileSetSize_ += static_cast<double>(size);
            engineFiles_.push_back(std::move(path));
        }
    };
    addFolder(distrib);
    engineRootLast_ = static_cast<int>(engineFiles_.size()) - 1;
    addFolder(ResolveNoCase(JoinPath(distrib, "Setup")));
    if (estimate)
        EstimateFloppies(project);
}

void WMediaPlan::EstimateFloppies(WProjectData& project) {
    // The floppies hold the engine's archives, then one per component, in
    // the order the build packs them.
    disks_.Clear();
    disks_.AddEngine(project, engineFiles_, engineRootLast_);
    for (const WSetupComponent* c : shipped_)
        disks_.AddComponent(project, *c);
    disks_.AddComponentList();
    estimated_ = true;
}

std::string WMediaPlan::ComponentsText() const {
    return "Components: " + (components_.empty() ? std::string("none") : Join(components_, ", "));
}

bool WMediaPlan::Select(int index) {
    if (index < 0 || index >= static_cast<int>(MediaSizeEntries.size()))
        return false;
    selection_ = index;
    return true;
}

void WMediaPlan::SetCustom(std::string text, std::string unit) {
    customText_ = std::move(text);
    customUnit_ = EqualsNoCase(unit, "KB") ? "KB" : "MB";
}

bool WMediaPlan::ParseSize(std::string_view text) {
    const std::string compact = WithoutBlanks(text);
    if (compact.empty())
        return false;
    for (int i = 0; i < kCustomEntry; ++i) {
        if (EqualsNoCase(compact, WithoutBlanks(MediaSizeEntries[i].text)))
            return Select(i);
    }
    if (compact.size() < 3)
        return false;
    const std::string unit = compact.substr(compact.size() - 2);
    const std::string number = compact.substr(0, compact.size() - 2);
    if (!EqualsNoCase(unit, "KB") && !EqualsNoCase(unit, "MB"))
        return false;
    if (number.find_first_not_of("0123456789.-+") != std::string::npos)
        return false;
    SetCustom(number, unit);
    selection_ = kCustomEntry;
    return true;
}

void WMediaPlan::TakeFromProject(const WProjectData& project) {
    for (int i = 0; i < static_cast<int>(MediaSizeEntries.size()); ++i) {
        if (EqualsNoCase(project.DiskSize, MediaSizeEntries[i].text)) {
            selection_ = i;
            break;
        }
    }
    SetCustom(project.FloppyCustomSize, project.FloppySetSizeType);
}

WMediaPlan::SavedChoice WMediaPlan::Saved() const {
    return {MediaSizeEntries[selection_].text, customText_, customUnit_, floppy_ ? 1 : 0};
}

WBuildRequest WMediaPlan::Request(const WProjectData& project,
                                  const std::string& mediaFolder) const {
    WBuildRequest request;
    request.mediaFolder = mediaFolder;
    request.floppy = floppy_;
    request.mediaSize = Capacity();
    request.engineFiles = engineFiles_;
    request.engineRootLast = engineRootLast_;
    request.components = components_;
    // A configuration file the user chose is shipped; when it is gone the
    // copy fails and names it, rather than the set going out with the
    // default one unasked.
    request.shipUserConfig = !project.IsDefaultCFGSelected;
    request.userConfig = project.IDAPICNFDirectory;
    return request;
}

double WMediaPlan::Capacity() const {
    if (selection_ == kCustomEntry)
        return ToDouble(customText_) * UnitBytes(customUnit_);
    return MediaSizeEntries[selection_].bytes;
}

int WMediaPlan::EstimateDisks(double size, double capacity) {
    if (capacity <= 0)
        return 0;
    double x = size / capacity;
    if (x * capacity != size)
        x = x + 1;
    if (x > 1)
        x = x * 0.4;
    return static_cast<int>(std::ceil(x));
}

void WMediaPlan::Recompute() {
    const double capacity = Capacity();
    bool single;
    std::string shown;
    if (selection_ == kCustomEntry) {
        // The custom size fits when it is at least the file set, a preset one
        // only when it is larger.
        single = capacity >= fileSetSize_;
        shown = customText_ + " " + customUnit_;
    } else {
        single = capacity > fileSetSize_;
        shown = MediaSizeEntries[selection_].text;
    }
    floppy_ = !single;
    if (single) {
        estimate_ = 1;
        description_ = kSingleDescription;
    } else {
        // Without the estimate (see Gather), the rough rule.
        estimate_ = estimated_ ? std::max(disks_.Disks(capacity), 1)
                               : std::max(EstimateDisks(fileSetSize_, capacity), 1);
        description_ = ReplaceAll(kFloppyDescription, "%1", shown);
    }
}

std::string WMediaPlan::SizeText() const {
    return "Size of fileset including setup files : " + FormatSizeDecimal(fileSetSize_);
}

std::string WMediaPlan::EstimateText() const {
    const bool about = floppy_ && (!estimated_ || disks_.Approximate());
    return "Estimated number of disks : " + std::string(about ? "about " : "") +
           std::to_string(estimate_);
}

bool WMediaPlan::IsValidCustomText(std::string_view text) {
    int digits = 0, dots = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++dots;
        else
            return false;
    }
    return digits > 0 && dots <= 1;
}

WMediaCheck WMediaPlan::ValidateMediaSize(const WProjectData& project) const {
    const double bytes = Capacity();
    // Written so that a NaN is refused too.
    const bool ok = (selection_ != kCustomEntry || IsValidCustomText(customText_)) &&
                    bytes >= project.MinMediaSize && bytes <= project.MaxMediaSize;
    if (ok)
        return {};
    return {kInvalidSize, kInvalidSizeCaption};
}

std::string WMediaPlan::CleanMediaFolder(std::string_view folder) {
    std::string out(folder);
    for (int i = 0; i < 2 && !out.empty() && out.back() == '\\'; ++i)
        out.pop_back();
    return out;
}

WMediaCheck WMediaPlan::CheckMediaFolder(std::string_view folder, const WVolumeProbe& probe) const {
    auto fail = [](std::string message) { return WMediaCheck{std::move(message), kProgramTitle}; };
    if (Trim(folder).empty())
        return fail(kInvalidDirectoryMessage);
    for (char c : folder) {
        if (static_cast<unsigned char>(c) < 0x20)
            return fail(kInvalidDirectoryMessage);
    }
    // "/" separates folders on this host as "\" does; the other characters
    // are refused in any folder name. The drive's colon is allowed.
    if (folder.find_first_of("*?\"<>|,") != std::string_view::npos)
        return fail(kFolderCharactersMessage);

    if (std::string clash = GuardedFolderClash(folder); !clash.empty())
        return fail(std::move(clash));

    if (!probe.driveExists(folder))
        return fail(kNoDrive);
    if (probe.isCdOrRemovable(folder))
        return fail(ReplaceAll(kNotFixedDrive, "%1", probe.driveOf(folder)));

    const double needed = floppy_ ? fileSetSize_ * kFloppySpaceFactor : fileSetSize_;
    if (probe.freeSpace(folder) < needed)
        return fail(kNoSpace);
    return {};
}

std::string WMediaPlan::GuardedFolderClash(std::string_view folder) const {
    const std::string media = RealPath(folder);
    for (const auto& [path, what, insideAllowed] : guarded_) {
        const std::string real = RealPath(path);
        const char* relation = nullptr;
        if (media == real)
            relation = "is";
        else if (IsSameOrBelow(media, real) && !insideAllowed)
            relation = "lies inside";
        else if (IsSameOrBelow(real, media))
            relation = "contains";
        else
            continue;
        return "The media folder " + DisplayPath(folder) + " " + relation + " " + what + " (" +
               DisplayPath(path) +
               "). Creating the media there would overwrite or remove the files the set is made "
               "from; please choose another folder.";
    }
    return {};
}

WMediaCheck WMediaPlan::CheckBeforeBuild(const WProjectData& project, std::string_view folder,
                                         const WVolumeProbe& probe) const {
    WMediaCheck check = CheckMediaFolder(folder, probe);
    if (!check.Ok())
        return check;
    return ValidateMediaSize(project);
}

bool WMediaPlan::HasExistingSetup(std::string_view folder) {
    std::string engine = FindInFolderNoCase(folder, kEngineStartProgram);
    if (!engine.empty() && IsFile(engine))
        return true;
    for (const char* name : {"Setup", "Disk001"}) {
        std::string found = FindInFolderNoCase(folder, name);
        if (!found.empty() && IsFolder(found))
            return true;
    }
    return false;
}

std::string WMediaPlan::ExistingSetupQuestion(std::string_view folder) {
    return "There appears to be an existing setup located at :\n " + ShortenPath(folder, 45) +
           "\n\nDo you wish to remove it before continuing?";
}

bool WMediaPlan::ClearFolder(std::string_view folder) {
    return WMediaBuilder::RemoveEarlierSet(std::string(folder));
}

}  // namespace vantrel
