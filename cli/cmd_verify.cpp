// vantrel-cli verify MEDIA [--project P.zlt]: checks a built set (a CD folder
// or a floppy set's media folder) without installing it, and names every
// fault it finds; with a project, the application's files in the set are
// compared with their sources byte for byte.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "media/set_verifier.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel::cli {
namespace {

int RunVerify(Args& args) {
    bool missing = false;
    std::string projectPath;
    const bool withProject = TakeOption(args, "--project", projectPath, &missing);
    if (missing || (withProject && projectPath.empty()))
        return UsageError("verify", "--project needs a project file");
    for (const std::string& word : args.words) {
        if (!word.empty() && word[0] == '-')
            return UsageError("verify", "unknown option " + word);
    }
    if (args.words.size() != 1)
        return UsageError("verify", args.words.empty() ? "a media folder is required"
                                                       : "one media folder at a time");
    std::string media;
    if (!EngineArg(args.words[0], media, "the media folder name"))
        return kFailure;
    media = AbsolutePath(media);

    WSetVerifier verifier;
    std::unique_ptr<WProjectData> project;
    if (withProject) {
        project = std::make_unique<WProjectData>();
        if (const int status = OpenProject(args, projectPath, *project); status != kOk)
            return status;
        verifier.SetProject(project.get());
    }
    const bool sound = verifier.Verify(media);
    for (const std::string& problem : verifier.Problems())
        Fail(Out(problem));
    if (verifier.Incomplete()) {
        std::printf("%s: the set could not be checked\n", Out(DisplayPath(media)).c_str());
        return kFailure;
    }
    if (verifier.GetKind() == WSetVerifier::Kind::kFloppy) {
        std::printf("Floppy set on %d disk%s, %d archive%s expanded\n", verifier.DiskCount(),
                    verifier.DiskCount() == 1 ? "" : "s", verifier.ArchiveCount(),
                    verifier.ArchiveCount() == 1 ? "" : "s");
    }
    std::printf("%d file record%s checked\n", verifier.FileCount(),
                verifier.FileCount() == 1 ? "" : "s");
    if (withProject) {
        std::printf("%d application file%s compared with the project's sources\n",
                    verifier.ComparedCount(), verifier.ComparedCount() == 1 ? "" : "s");
    }
    if (!sound) {
        std::printf("%s: %zu problem%s found\n", Out(DisplayPath(media)).c_str(),
                    verifier.Problems().size(), verifier.Problems().size() == 1 ? "" : "s");
        return kFailure;
    }
    std::printf("%s: the set is sound\n", Out(DisplayPath(media)).c_str());
    return kOk;
}

Registrar reg{{"verify", "verify MEDIA [--project PROJECT.zlt]",
               "check a built set (CD folder or floppy set) without installing it: scripts and "
               "their line lengths, every shipped file with its recorded size and destination, "
               "the records that name installed files, and every archive; with --project, "
               "every application file against its source, byte for byte",
               &RunVerify}};

}  // namespace
}  // namespace vantrel::cli
