#include "media/test_setup.h"

#include "media/file_copy.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/text_file.h"
#include "project/project_data.h"
#include "script/disk_utils.h"

namespace vantrel {

void WTestSetup::Prepare(WProjectData& project, const std::string& folder) {
    WCreatorManager* components = project.Components();
    if (components) {
        if (WSetupComponent* distrib = components->Find("Distrib"))
            distrib->Select(WSetupComponent::kSelected);
        components->Gather();
    }

    const std::string setup = JoinPath(folder, "Setup");
    CreateFolderPath(setup);
    const auto& files = project.EngineFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        const bool root = static_cast<int>(i) <= project.EngineRootLast;
        CopyFileData(files[i], JoinPath(root ? folder : setup, FileNameOf(files[i])));
    }

    if (project.DisplayLicense)
        WriteFileAtomic(JoinPath(setup, "license.txt"), ToCrLf(project.LicenseText));
    if (project.DisplayRelease) {
        const std::string release = JoinPath(setup, "release.txt");
        if (WriteFileAtomic(release, ToCrLf(project.ReleaseText)))
            SetReadOnly(release, true);
    }

    project.WriteProductScript(folder);
    project.WriteComponentScripts(setup);
    if (components)
        components->ReleaseGathered();
}

WTestSetup::Result WTestSetup::Run(WProjectData& project, const std::string& mediaFolder) {
    Result result;
    result.folder = MakeTempFolderName(mediaFolder);
    Prepare(project, result.folder);

    std::string engine = FindInFolderNoCase(result.folder, kEngineProgram);
    if (engine.empty())
        engine = JoinPath(result.folder, kEngineProgram);
    int exitCode = -1;
    result.started = IsFile(engine) && RunAndWait(engine, kCommandLine, &exitCode);
    result.exitCode = result.started ? exitCode : -1;

    result.removed = RemoveTreeForced(result.folder);
    return result;
}

}  // namespace vantrel
