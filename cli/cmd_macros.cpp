// vantrel-cli macros expand|compress TEXT: folder macros between their stored
// short form ("<D>") and their long form ("<Target Folder>").
#include <cstdio>

#include "cli/cli.h"
#include "script/folder_macros.h"

namespace vantrel::cli {

namespace {

int RunMacros(Args& args);

const Registrar reg{{"macros", "macros expand|compress TEXT",
                     "show TEXT with folder macros in long form (expand) or short form (compress)",
                     &RunMacros}};

int RunMacros(Args& args) {
    if (args.words.empty())
        return UsageError("macros", "say expand or compress");
    const std::string verb = args.words[0];
    if (verb != "expand" && verb != "compress") {
        return UsageError("macros", "unknown verb \"" + verb + "\" (expand or compress)");
    }
    if (args.words.size() < 2)
        return UsageError("macros", "the TEXT is missing");
    if (args.words.size() > 2) {
        return UsageError("macros", "give TEXT as one argument (quote it when it holds blanks)");
    }
    std::string text;
    if (!Arg(args.words[1], text)) {
        return Fail("TEXT holds characters that Windows-1252 cannot hold");
    }
    std::string result = verb == "expand" ? ExpandFolderMacros(text) : CompressFolderMacros(text);
    std::printf("%s\n", Out(result).c_str());
    return kOk;
}

}  // namespace

}  // namespace vantrel::cli
