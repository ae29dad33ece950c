#include "media/media_build.h"

#include "media/media_builder.h"
#include "media/set_verifier.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/installation_rules.h"
#include "project/project_data.h"

namespace vantrel {

namespace {

using Stage = WMediaBuildResult::Stage;

// The checks before the question about an existing setup, in order: the
// folder, the medium size, the installation's engine. False after filling
// in the refusal.
bool Checked(const WProjectData& project, const WMediaPlan& plan, const WVolumeProbe& probe,
             WMediaBuildResult& result) {
    auto refuse = [&result](Stage stage, WMediaCheck check) {
        result.stage = stage;
        result.message = std::move(check.message);
        result.caption = std::move(check.caption);
        return false;
    };
    const std::string& folder = result.mediaFolder;
    if (WMediaCheck check = plan.CheckMediaFolder(folder, probe); !check.Ok())
        return refuse(Stage::kFolder, std::move(check));
    if (IsFile(folder)) {
        result.folderIsFile = true;
        return refuse(Stage::kFolder, {DisplayPath(folder) + " is a file, not a folder.",
                                       WMediaPlan::kProgramTitle});
    }
    if (WMediaCheck check = plan.ValidateMediaSize(project); !check.Ok())
        return refuse(Stage::kSize, std::move(check));
    if (std::string problem = InstallationProblem(project.InstallLocation, InstallationUse::kMedia);
        !problem.empty())
        return refuse(Stage::kInstallation, {std::move(problem), {}});
    return true;
}

}  // namespace

WMediaBuildResult BuildMedia(WProjectData& project, WMediaPlan& plan,
                             const WMediaBuildOptions& options, WMediaProgress& progress) {
    WMediaBuildResult result;
    result.mediaFolder = WMediaPlan::CleanMediaFolder(options.mediaFolder);
    if (!result.mediaFolder.empty())
        result.mediaFolder = AbsolutePath(result.mediaFolder);
    const std::string& folder = result.mediaFolder;

    // The file set as it is now: it may have changed since the plan was shown.
    // Only a floppy set needs the estimate of its disks, which reads the files.
    plan.Gather(project, false);
    plan.Recompute();
    if (plan.IsFloppy()) {
        plan.EstimateFloppies(project);
        plan.Recompute();
    }
    result.floppy = plan.IsFloppy();
    progress.ShowPlan(plan);

    const WVolumeProbe probe = options.probe ? *options.probe : WVolumeProbe::Host();
    if (!Checked(project, plan, probe, result))
        return result;

    WBuildRequest request = plan.Request(project, folder);
    if (WMediaPlan::HasExistingSetup(folder)) {
        result.stage = Stage::kExistingSetup;
        switch (progress.AskExistingSetup(WMediaPlan::ExistingSetupQuestion(folder))) {
            case WMediaProgress::ExistingSetup::kCancel:
                result.existingCancelled = true;
                return result;
            case WMediaProgress::ExistingSetup::kKeep:
                // A build never writes over an earlier set: that would leave
                // a folder of two sets mixed.
                result.existingKept = true;
                return result;
            case WMediaProgress::ExistingSetup::kRemove:
                break;
        }
        std::string stayed;
        if (!WMediaBuilder::RemoveEarlierSet(folder, request.RootEngineFiles(), &stayed)) {
            result.message = std::move(stayed);
            return result;
        }
        result.existingRemoved = true;
    }

    result.stage = Stage::kBuild;
    WMediaBuilder builder(project, std::move(request), progress);
    result.ok = builder.Run();
    result.logPath = builder.LogPath();
    result.message = builder.ErrorText();
    result.cancelled = builder.Cancelled();
    result.cancelOutcome = builder.CancelOutcome();
    if (!result.ok || !options.verify)
        return result;

    result.stage = Stage::kVerify;
    WSetVerifier verifier;
    result.ok = verifier.Verify(folder);
    result.verified = true;
    result.verifiedFiles = verifier.FileCount();
    result.problems = verifier.Problems();
    return result;
}

}  // namespace vantrel
