#include "cli/target_tree_cli.h"

#include <cstdio>
#include <vector>

#include "cli/cli.h"
#include "platform/strings.h"
#include "script/folder_macros.h"

namespace vantrel::cli {

WTargetTreeQuestions::Answer CliAnswers::Ask(const WTargetTreeQuestion& question) {
    if (question.withCancel && !force_) {
        notAFont_ = question.subject;
        return kCancel;
    }
    return kYes;
}

std::string TargetRootList(const WTargetTree& tree) {
    std::vector<std::string> roots;
    for (const auto& root : tree.Roots())
        roots.push_back(root->Name() + " (" + root->RootMacro() + ")");
    return Join(roots, ", ");
}

int FindTreeNode(const char* command, const WTargetTree& tree, const std::string& text,
                 WTargetNode*& node) {
    const std::string t = Trim(text);
    const size_t close = t.find('>');
    if (!StartsWith(t, "<") || close == std::string::npos)
        return UsageError(command,
                          Out("the target must start with one of " + TargetRootList(tree)));
    if (!tree.FindRoot(t.substr(0, close + 1)))
        return UsageError(command, Out("unknown target folder " + t.substr(0, close + 1) +
                                       "; the target folders are " + TargetRootList(tree)));
    node = tree.Find(t);
    if (!node)
        return Fail("no file or folder " + Out(ExpandFolderMacros(t)) + " in the target folders");
    return kOk;
}

int ReportTreeResult(const WTargetTreeResult& result, const CliAnswers& answers) {
    switch (result.status) {
        case WTargetTreeResult::kDone:
            if (!result.message.empty())
                std::fprintf(stderr, "vantrel-cli: %s\n", Out(result.message).c_str());
            return kOk;
        case WTargetTreeResult::kDeclined:
            return Fail(Out(answers.NotAFont()) +
                        " does not appear to be a font (--force adds it to the fonts folder "
                        "anyway)");
        case WTargetTreeResult::kRefused:
            break;
    }
    return Fail(
        Out(result.subject.empty() ? result.message : result.message + ": " + result.subject));
}

}  // namespace vantrel::cli
