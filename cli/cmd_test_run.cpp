// vantrel-cli test-run PROJECT.zlt [--media DIR]: runs the project's setup
// from a temporary folder without building media, as "Test Setup" does: the
// engine's files and the scripts only, "setup32.exe /nocopy", and the
// folder removed again when the engine ends.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "media/test_run.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel::cli {
namespace {

int RunTestRun(Args& args) {
    bool missing = false;
    std::string mediaUtf8;
    const bool haveMedia = TakeOption(args, "--media", mediaUtf8, &missing);
    if (missing || (haveMedia && mediaUtf8.empty()))
        return UsageError("test-run", "--media needs a folder");
    if (int rc = RefuseUnknownOptions("test-run", args); rc != kOk)
        return rc;
    if (args.words.size() != 1)
        return UsageError("test-run", args.words.empty() ? "a project file is required"
                                                         : "one project file at a time");

    WProjectData project;
    if (int rc = OpenProjectForMedia(args, args.words[0], project); rc != kOk)
        return rc;

    std::string media;
    if (haveMedia) {
        if (!Win1252Arg(mediaUtf8, media, "the media folder name"))
            return kFailure;
    } else {
        media = project.MediaDistributionDirectory;
    }
    media = WTestRun::FolderFor(media);
    if (media.empty())
        return Fail("no folder for the test run");
    if (IsFile(media))
        return Fail(Out(DisplayPath(media)) + " is a file, not a folder");

    const WBuildRequest request = WTestRun::RequestFor(project, media);

    std::printf("Running %s %s in a temporary folder of %s\n", WTestRun::kEngineProgram,
                WTestRun::kCommandLine + 1, Out(DisplayPath(media)).c_str());
    std::fflush(stdout);
    const WTestRun::Result result = WTestRun::Run(project, request);
    std::fflush(stdout);
    if (!result.started) {
        return Fail("the setup engine could not be started: no runnable " +
                    std::string(WTestRun::kEngineProgram) + " among the engine files of " +
                    Out(DisplayPath(JoinPath(project.InstallLocation, "Distrib"))));
    }
    std::printf("The setup engine ended with exit status %d\n", result.exitCode);
    if (!result.removed) {
        Fail("the temporary folder " + Out(DisplayPath(result.folder)) +
             " could not be removed completely");
    }
    return result.exitCode == 0 && result.removed ? kOk : kFailure;
}

Registrar reg{{"test-run", "test-run PROJECT.zlt [--media DIR]",
               "run the project's setup engine with /nocopy from a temporary folder in DIR "
               "(default: the project's media folder, else a private temporary folder)",
               &RunTestRun}};

}  // namespace
}  // namespace vantrel::cli
