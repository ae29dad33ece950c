#include "media/test_run.h"

#include "media/file_copy.h"
#include "media/media_lock.h"
#include "media/media_plan.h"
#include "media/set_files.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/temp_folder.h"
#include "platform/text_file.h"
#include "project/project_data.h"
#include "script/disk_utils.h"
#include "script/set_layout.h"

namespace vantrel {

void WTestRun::Prepare(WProjectData& project, const WBuildRequest& request,
                       const std::string& folder) {
    WCreatorManager* components = project.Components();
    if (components) {
        if (WSetupComponent* distrib = components->Find("Distrib"))
            distrib->Select(WSetupComponent::kSelected);
        components->Gather();
    }

    const std::string setup = JoinPath(folder, kSetupFolder);
    CreateFolderPath(setup);
    for (size_t i = 0; i < request.engineFiles.size(); ++i)
        CopyFileData(request.engineFiles[i], request.EngineFileDestination(i, folder));
    for (SetText text : {SetText::kLicense, SetText::kRelease}) {
        if (SetCarriesText(project, text))
            WriteSetText(project, text, setup);
    }

    project.WriteProductScript(folder);
    project.WriteComponentScripts(setup);
    if (components)
        components->ReleaseGathered();
}

std::string WTestRun::FolderFor(const std::string& mediaFolder) {
    const std::string folder = WMediaPlan::CleanMediaFolder(mediaFolder);
    return folder.empty() ? PrivateTempFolder() : AbsolutePath(folder);
}

WBuildRequest WTestRun::RequestFor(WProjectData& project, const std::string& folder) {
    WMediaPlan plan;
    plan.Gather(project);
    return plan.Request(project, folder);
}

WTestRun::Result WTestRun::Run(WProjectData& project, const WBuildRequest& request,
                               bool collectOutput) {
    const std::string& mediaFolder = request.mediaFolder;
    Result result;
    CreateFolderPath(mediaFolder);
    result.folder = CreateTempFolder(mediaFolder);
    if (result.folder.empty()) {
        // Nothing was made, so nothing is left to remove.
        result.folder = MakeTempFolderName(mediaFolder);
        result.removed = !PathExists(result.folder);
        return result;
    }
    // An interrupt or a termination request removes it too.
    RemoveOnInterrupt(result.folder);
    // Held while the engine runs: a build's tidying passes the folder over.
    WMediaLock inUse;
    inUse.Acquire(result.folder);
    Prepare(project, request, result.folder);

    std::string engine = FindInFolderNoCase(result.folder, kEngineProgram);
    if (engine.empty())
        engine = JoinPath(result.folder, kEngineProgram);
    int exitCode = -1;
    if (IsFile(engine)) {
        result.started = collectOutput
                             ? RunAndCapture(engine, kCommandLine, result.output, &exitCode)
                             : RunAndWait(engine, kCommandLine, &exitCode);
    }
    result.exitCode = result.started ? exitCode : -1;

    result.removed = RemoveTreeForced(result.folder);
    ForgetOnInterrupt(result.folder);
    return result;
}

}  // namespace vantrel
