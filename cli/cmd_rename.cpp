// vantrel-cli rename PROJECT.zlt TARGET NEWNAME: gives a file or a folder of
// the target folders a new name; everything below a folder follows.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "cli/target_tree_cli.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/target_tree.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "rename";

int RunRename(Args& args) {
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName, "a project file, the file or folder and its new name are needed");
    std::string target, name;
    if (!Win1252Arg(args.words[1], target, "the file or folder") ||
        !Win1252Arg(args.words[2], name, "the new name"))
        return kFailure;
    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    WTargetTree tree(project);
    WTargetNode* node = nullptr;
    if (int rc = FindTreeNode(kName, tree, target, node); rc != kOk)
        return rc;
    CliAnswers answers(false);
    WTargetTreeResult result = tree.Rename(node, name);
    if (int rc = ReportTreeResult(result, answers); rc != kOk)
        return rc;
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("renamed to %s\n", Out(result.node->ShownPath()).c_str());
    return kOk;
}

Registrar reg{{kName, "rename PROJECT.zlt TARGET NEWNAME",
               "give a file or a folder of the target folders a new name (a name Windows can "
               "hold, not taken in its folder); what lies below a folder follows",
               &RunRename}};

}  // namespace
}  // namespace vantrel::cli
