// vantrel-cli move PROJECT.zlt FROM TO [--force]: moves a file or a folder
// of the target folders into another folder, as dragging it on the files
// page does.
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

constexpr const char* kName = "move";

int RunMove(Args& args) {
    const bool force = TakeFlag(args, "--force");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() != 3)
        return UsageError(kName,
                          "a project file, the file or folder to move and the folder to "
                          "move it into are needed");
    std::string from, to;
    if (!Win1252Arg(args.words[1], from, "the file or folder") ||
        !Win1252Arg(args.words[2], to, "the target folder"))
        return kFailure;
    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    WTargetTree tree(project);
    WTargetNode* node = nullptr;
    WTargetNode* target = nullptr;
    if (int rc = FindTreeNode(kName, tree, from, node); rc != kOk)
        return rc;
    if (int rc = FindTreeNode(kName, tree, to, target); rc != kOk)
        return rc;
    CliAnswers answers(force);
    WTargetTreeResult result = tree.Move(node, target, answers);
    if (int rc = ReportTreeResult(result, answers); rc != kOk)
        return rc;
    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("moved to %s\n", Out(result.node->ShownPath()).c_str());
    return kOk;
}

Registrar reg{{kName, "move PROJECT.zlt FROM TO [--force]",
               "move a file or a folder (with everything below it) of the target folders into the "
               "folder TO; --force puts a file that is not a font into the fonts folder",
               &RunMove}};

}  // namespace
}  // namespace vantrel::cli
