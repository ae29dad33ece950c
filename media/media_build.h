// "Create Media" from start to end, for the wizard and the command-line tool
// alike: the plan for the project's files as they are now, the checks of the
// media folder and the medium size, the installation's engine, the question
// about a setup already in the folder, the build and, when asked for, a check
// of the set it made. The caller chooses the medium on the plan, answers and
// watches through its WMediaProgress, and shows the result.
#pragma once

#include <string>
#include <vector>

#include "media/media_plan.h"
#include "media/media_progress.h"

namespace vantrel {

class WProjectData;

struct WMediaBuildOptions {
    // The media folder as given; a trailing backslash is dropped and the
    // folder made absolute.
    std::string mediaFolder;
    // Check the set after it was made (see WSetVerifier).
    bool verify = false;
    // The volume facts of the folder checks; the host's when not set.
    const WVolumeProbe* probe = nullptr;
};

struct WMediaBuildResult {
    // How far the build came.
    enum class Stage {
        kFolder,         // the media folder was refused
        kSize,           // the medium size was refused
        kInstallation,   // the installation has no usable engine
        kExistingSetup,  // a setup in the folder stopped it, was kept, or stayed
        kBuild,          // the builder ran
        kVerify,         // the set was made and checked
    };
    Stage stage = Stage::kFolder;
    // The set was made (and, when asked for, found sound).
    bool ok = false;
    // Why a check refused (with its caption), or the builder's first failure.
    std::string message;
    std::string caption;
    // The media folder, cleaned and absolute.
    std::string mediaFolder;
    // The folder was refused since a file has its name.
    bool folderIsFile = false;
    bool floppy = false;
    // A setup in the folder: kept at the user's word, or removed before.
    bool existingKept = false;
    bool existingCancelled = false;
    bool existingRemoved = false;
    // After the builder ran.
    std::string logPath;
    bool cancelled = false;
    std::string cancelOutcome;
    // After a check of the set.
    bool verified = false;
    int verifiedFiles = 0;
    std::vector<std::string> problems;
};

// Runs "Create Media" for `project` with the medium chosen on `plan` (its
// Gather and Recompute are done here). Nothing of the build is written into
// the project.
WMediaBuildResult BuildMedia(WProjectData& project, WMediaPlan& plan,
                             const WMediaBuildOptions& options, WMediaProgress& progress);

}  // namespace vantrel
