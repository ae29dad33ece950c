// vantrel-cli verify MEDIA: checks a built set (a CD folder or a floppy set's
// media folder) without installing it, and names every fault it finds.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "media/set_verifier.h"
#include "platform/paths.h"

namespace vantrel::cli {
namespace {

int RunVerify(Args& args) {
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
    const bool sound = verifier.Verify(media);
    for (const std::string& problem : verifier.Problems())
        Fail(Out(problem));
    if (verifier.GetKind() == WSetVerifier::Kind::kFloppy) {
        std::printf("Floppy set on %d disk%s, %d archive%s expanded\n", verifier.DiskCount(),
                    verifier.DiskCount() == 1 ? "" : "s", verifier.ArchiveCount(),
                    verifier.ArchiveCount() == 1 ? "" : "s");
    }
    std::printf("%d file record%s checked\n", verifier.FileCount(),
                verifier.FileCount() == 1 ? "" : "s");
    if (!sound) {
        std::printf("%s: %zu problem%s found\n", Out(DisplayPath(media)).c_str(),
                    verifier.Problems().size(), verifier.Problems().size() == 1 ? "" : "s");
        return kFailure;
    }
    std::printf("%s: the set is sound\n", Out(DisplayPath(media)).c_str());
    return kOk;
}

Registrar reg{{"verify", "verify MEDIA",
               "check a built set (CD folder or floppy set) without installing it: scripts, "
               "every shipped file with its recorded size, and every archive",
               &RunVerify}};

}  // namespace
}  // namespace vantrel::cli
