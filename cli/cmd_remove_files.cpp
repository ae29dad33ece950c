// vantrel-cli remove-files PROJECT.zlt TARGET... [--recursive]: removes
// files, or with --recursive folders with everything below them, from the
// project's target folders.
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "cli/target_tree_cli.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/target_tree.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "remove-files";

int FilesBelow(const WTargetNode* node) {
    if (!node->IsFolder())
        return 1;
    int n = 0;
    for (const auto& c : node->Children())
        n += FilesBelow(c.get());
    return n;
}

int RunRemoveFiles(Args& args) {
    const bool recursive = TakeFlag(args, "--recursive");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() < 2)
        return UsageError(kName, args.words.empty() ? "the project file is missing"
                                                    : "no file or folder to remove");
    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    WTargetTree tree(project);

    // Every target is checked before anything is removed.
    std::vector<std::string> targets;
    for (size_t i = 1; i < args.words.size(); ++i) {
        std::string text;
        if (!Win1252Arg(args.words[i], text, "the target"))
            return kFailure;
        WTargetNode* node = nullptr;
        if (int rc = FindTreeNode(kName, tree, text, node); rc != kOk)
            return rc;
        if (node->IsFolder() && !node->IsRoot() && !recursive)
            return UsageError(kName, Out(node->ShownPath()) +
                                         " is a folder; --recursive removes it with everything "
                                         "below it");
        targets.push_back(text);
    }

    CliAnswers answers(false);
    int removed = 0;
    for (const std::string& text : targets) {
        // A target inside a folder removed before went with it.
        WTargetNode* node = tree.Find(text);
        if (!node)
            continue;
        const int files = FilesBelow(node);
        WTargetTreeResult result =
            node->IsFolder() ? tree.RemoveFolder(node, answers) : tree.RemoveFile(node, answers);
        if (int rc = ReportTreeResult(result, answers); rc != kOk)
            return rc;
        removed += files;
    }
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("removed %d file%s\n", removed, removed == 1 ? "" : "s");
    return kOk;
}

Registrar reg{{kName, "remove-files PROJECT.zlt TARGET... [--recursive]",
               "remove files from the target folders (\"<Target Folder>\\bin\\app.exe\", long or "
               "short macro form); a folder is removed with everything below it only with "
               "--recursive, and a root folder never",
               &RunRemoveFiles}};

}  // namespace
}  // namespace vantrel::cli
