// vantrel-cli verify MEDIA [--project P.zlt]: checks a built set (a CD folder
// or a floppy set's media folder) without installing it, and names every
// fault it finds; with a project, the application's files in the set are
// compared with their sources byte for byte.
#include <cstdio>
#include <memory>
#include <string>

#include "cli/cli.h"
#include "cli/json_writer.h"
#include "cli/project_cli.h"
#include "media/set_verifier.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel::cli {
namespace {

// The outcome as the stable "vantrel-verify" JSON document.
std::string VerifyJson(const std::string& media, const WSetVerifier& v, bool sound,
                       bool withProject) {
    JsonWriter j;
    j.BeginObject().Key("format").String("vantrel-verify").Key("version").Number(int64_t{1});
    j.Key("media").String(Out(DisplayPath(media)));
    j.Key("kind").String(v.GetKind() == WSetVerifier::Kind::kFloppy ? "floppy" : "cd");
    j.Key("complete").Bool(!v.Incomplete());
    j.Key("sound").Bool(sound && !v.Incomplete());
    j.Key("disks").Number(int64_t{v.DiskCount()});
    j.Key("archives").Number(int64_t{v.ArchiveCount()});
    j.Key("fileRecords").Number(int64_t{v.FileCount()});
    j.Key("compared");
    if (withProject)
        j.Number(int64_t{v.ComparedCount()});
    else
        j.Null();
    j.Key("problems").BeginArray();
    for (const std::string& problem : v.Problems())
        j.String(Out(problem));
    j.EndArray().EndObject();
    return j.Text();
}

int RunVerify(Args& args) {
    const bool json = TakeFlag(args, "--json");
    bool missing = false;
    std::string projectPath;
    const bool withProject = TakeOption(args, "--project", projectPath, &missing);
    if (missing || (withProject && projectPath.empty()))
        return UsageError("verify", "--project needs a project file");
    if (int rc = RefuseUnknownOptions("verify", args); rc != kOk)
        return rc;
    if (args.words.size() != 1)
        return UsageError("verify", args.words.empty() ? "a media folder is required"
                                                       : "one media folder at a time");
    std::string media;
    if (!Win1252Arg(args.words[0], media, "the media folder name"))
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
    if (json) {
        std::fputs(VerifyJson(media, verifier, sound, withProject).c_str(), stdout);
        return sound && !verifier.Incomplete() ? kOk : kFailure;
    }
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

Registrar reg{{"verify", "verify MEDIA [--project PROJECT.zlt] [--json]",
               "check a built set (CD folder or floppy set) without installing it: scripts and "
               "their line lengths, every shipped file with its recorded size and destination, "
               "the records that name installed files, and every archive; with --project, "
               "every application file against its source, byte for byte",
               &RunVerify,
               "  --project PROJECT.zlt   compare the application's files with their sources\n"
               "  --json                  the outcome as a JSON document (format "
               "\"vantrel-verify\")\n"}};

}  // namespace
}  // namespace vantrel::cli
