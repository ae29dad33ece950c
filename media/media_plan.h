// The plan of a media build, as the finish page shows it before anything is
// written: the setup engine's files, the size of the whole file set, the
// chosen medium (one of the size entries, or a custom size), whether that
// makes a single disk (CD) or a floppy set, an estimate of the number of
// floppies, and the checks of the medium size and the media folder. Each
// check gives the message to show; the caller shows it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "media/build_request.h"
#include "media/disk_estimate.h"

namespace vantrel {

class WProjectData;
class WSetupComponent;

// One entry of the size list: the text shown and the medium's capacity in
// bytes (0 for the custom entry, whose size comes from the custom text).
struct WMediaSizeEntry {
    const char* text;
    double bytes;
};
extern const std::array<WMediaSizeEntry, 7> MediaSizeEntries;

// Units of the custom size: "KB" (1000 bytes) and "MB" (1000000 bytes).
struct WMediaSizeUnit {
    const char* text;
    double bytes;
};
extern const std::array<WMediaSizeUnit, 2> MediaSizeUnits;

// The volume facts the folder checks use. The defaults ask this host; tests
// put in their own.
struct WVolumeProbe {
    std::function<bool(std::string_view)> driveExists;      // the folder's volume is there
    std::function<bool(std::string_view)> isCdOrRemovable;  // a CD-ROM or removable drive
    std::function<std::string(std::string_view)> driveOf;   // the drive, for the message
    std::function<double(std::string_view)> freeSpace;      // bytes free for the user
    static WVolumeProbe Host();
};

// A failed check: the text of its message box and the box's caption.
struct WMediaCheck {
    std::string message;  // empty when the check passed
    std::string caption;
    bool Ok() const { return message.empty(); }
};

class WMediaPlan {
  public:
    static constexpr int kCustomEntry = 6;
    static constexpr int kDefaultEntry = 1;  // "1.44 MB"
    static constexpr double kFloppySpaceFactor = 1.75;
    static constexpr const char* kProgramTitle = "Tessary 9 Vantrel";

    WMediaPlan();

    // --- The file set.
    // Finds the engine's files ("Distrib\*.*", then "Distrib\Setup\*.*"
    // under InstallLocation, files only) and adds up the file set: the Size
    // of every "File" and "TTFFile" element of the project's selected
    // components ("Distrib" is selected here, as the build does), and the
    // sizes of the engine's files. The application's file records take the
    // sizes their files have now. Also finds the GuardedFolders.
    // The floppies the set fills are worked out too (WDiskEstimate, which
    // reads the files), unless `estimate` is false; then EstimateFloppies
    // does it later, before the plan is recomputed.
    void Gather(WProjectData& project, bool estimate = true);
    // Works out the floppies of the file set that Gather just found.
    void EstimateFloppies(WProjectData& project);
    double FileSetSize() const { return fileSetSize_; }
    // The display names (string references expanded; the name when a
    // component has none) of the components that ship, as Gather found them: by level, and within a
    // level in registration order, the order the build copies them in.
    const std::vector<std::string>& ShippingComponents() const { return components_; }
    // "Components: Product, Program files, ..." ("Components: none" when
    // the project has no component manager).
    std::string ComponentsText() const;
    // Full paths, those of "Distrib" first.
    const std::vector<std::string>& EngineFiles() const { return engineFiles_; }
    // Index of the last engine file of "Distrib" itself; -1 when none.
    int EngineRootLast() const { return engineRootLast_; }

    // --- The medium.
    int Selection() const { return selection_; }
    // False (no change) for an index outside the size list.
    bool Select(int index);
    // The custom entry's number text and unit ("KB" or "MB"; anything else
    // counts as "MB").
    void SetCustom(std::string text, std::string unit);
    const std::string& CustomText() const { return customText_; }
    const std::string& CustomUnit() const { return customUnit_; }
    // Reads a size as a user types it on the command line: an entry's text
    // with or without its blank, in any case ("1.44 MB", "1.44mb", "720KB"),
    // or a custom size "<number>KB" / "<number>MB" (blank allowed). Selects it
    // and returns true; false (no change) for any other text.
    bool ParseSize(std::string_view text);
    // The saved choice: "DiskSize" (an entry's text; an unknown text leaves
    // the selection), "FloppyCustomSize" and "FloppySetSizeType".
    void TakeFromProject(const WProjectData& project);
    // The saved choice as the project stores it (the caller stores it).
    struct SavedChoice {
        std::string diskSize;           // "DiskSize"
        std::string floppyCustomSize;   // "FloppyCustomSize"
        std::string floppySetSizeType;  // "FloppySetSizeType"
        int isFloppySetup = 0;          // "IsFloppySetup", as Recompute found it
    };
    SavedChoice Saved() const;
    // Everything a build takes from the plan, for the media folder
    // `mediaFolder` (cleaned and absolute): the chosen medium, the engine's
    // files and the components as Gather found them, and whether the user's
    // own database-engine configuration file is shipped (a configuration
    // other than the default one).
    WBuildRequest Request(const WProjectData& project, const std::string& mediaFolder) const;

    // Capacity of the chosen medium in bytes (the custom text times its unit).
    double Capacity() const;
    // Works out whether the set is a floppy set and the texts below for the
    // current file set and medium.
    void Recompute();
    bool IsFloppy() const { return floppy_; }
    int EstimatedDisks() const { return estimate_; }
    // "Size of fileset including setup files : 3.21 MB"
    std::string SizeText() const;
    // "Estimated number of disks : 3", or "... : about 3" when compression
    // was only sampled (see WDiskEstimate).
    std::string EstimateText() const;
    // The floppies the set fills, from what Gather found (see disk_estimate.h).
    const WDiskEstimate& DiskEstimate() const { return disks_; }
    // The single-disk or floppy description.
    const std::string& Description() const { return description_; }

    // Number of floppies of `capacity` for `size` bytes by a rough rule (a
    // ratio of the file set assumed for compression); Recompute counts from
    // the plan's WDiskEstimate instead.
    static int EstimateDisks(double size, double capacity);

    // --- Checks.
    // A custom number: digits with at most one ".".
    static bool IsValidCustomText(std::string_view text);
    // The medium size: a size entry's capacity, or a valid custom text whose
    // bytes lie in the project's range (MinMediaSize to MaxMediaSize); fails
    // with "Please enter a valid floppy size".
    WMediaCheck ValidateMediaSize(const WProjectData& project) const;
    // The media folder as typed: a trailing backslash removed, and then a
    // second one.
    static std::string CleanMediaFolder(std::string_view folder);
    // The folder checks before a build, in order: the folder's syntax, the
    // folders a build must not write into (see GuardedFolders), its drive
    // (missing, or a CD-ROM or removable one) and the free space (the file
    // set, 1.75 times it for a floppy set).
    WMediaCheck CheckMediaFolder(std::string_view folder, const WVolumeProbe& probe) const;
    WMediaCheck CheckMediaFolder(std::string_view folder) const {
        return CheckMediaFolder(folder, WVolumeProbe::Host());
    }
    // The folders that Gather found the set reads from, each with what it is
    // ("the project's source folder", "the installation folder", "the folder
    // of the file ..."): a media folder that is one of them, lies inside one
    // or holds one is refused, since the build would copy files onto
    // themselves or remove them. Compared by their real paths. A folder of
    // its own inside the source folder (source/out beside source/files) is
    // allowed: no file the set ships lies there, and a set written there
    // meets none of them.
    struct Guarded {
        std::string folder;
        std::string what;
        bool insideAllowed = false;
    };
    const std::vector<Guarded>& GuardedFolders() const { return guarded_; }
    // The refusal for `folder` (the message names it and what it clashes
    // with); empty when it clashes with none of GuardedFolders.
    std::string GuardedFolderClash(std::string_view folder) const;

    // Every check of "Create Media" up to the question about an existing
    // setup: the folder checks, then the medium size.
    WMediaCheck CheckBeforeBuild(const WProjectData& project, std::string_view folder,
                                 const WVolumeProbe& probe) const;

    // Whether `folder` holds a setup already: "setup32.exe", a folder
    // "Setup" or a folder "Disk001" (in any case).
    static bool HasExistingSetup(std::string_view folder);
    // The question asked then (Yes removes it, No keeps it, Cancel stops).
    static std::string ExistingSetupQuestion(std::string_view folder);
    // Removes the setup in `folder`: what a set made there, never a user's
    // own files (see WMediaBuilder::RemoveEarlierSet). True when no part of
    // the earlier set is left.
    static bool ClearFolder(std::string_view folder);

  private:
    std::vector<Guarded> guarded_;
    std::vector<std::string> components_;
    std::vector<std::string> engineFiles_;
    int engineRootLast_ = -1;
    double fileSetSize_ = 0;

    int selection_ = kDefaultEntry;
    std::string customText_ = "1.44";
    std::string customUnit_ = "MB";

    bool floppy_ = false;
    int estimate_ = 1;
    WDiskEstimate disks_;
    bool estimated_ = false;  // disks_ holds the estimate of the file set
    // The components that ship, as Gather found them (for EstimateFloppies).
    std::vector<const WSetupComponent*> shipped_;
    std::string description_;
};

}  // namespace vantrel
