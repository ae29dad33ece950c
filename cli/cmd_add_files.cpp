// vantrel-cli add-files PROJECT.zlt SOURCE... [--to FOLDER] [--force]
// [--no-recurse]: adds files, or folders with everything below them, to a
// target folder of the project, the way the files page moves them from its
// source tree (">"); with --no-recurse, the files directly in each folder
// (">>").
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/project_cli.h"
#include "cli/target_tree_cli.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/target_tree.h"

namespace vantrel::cli {
namespace {

constexpr const char* kName = "add-files";

// What the command line asks for.
struct AddRequest {
    std::string toText;                  // --to as Windows-1252 text
    std::vector<std::string> arguments;  // the sources, absolute
    bool force = false;
    bool noRecurse = false;
};

// Reads the options and the sources; the project file stays first in
// args.words. kOk, or the exit status after a message.
int ParseAddFilesArgs(Args& args, AddRequest& request) {
    bool missing = false;
    std::string toUtf8 = "<Target Folder>";
    TakeOption(args, "--to", toUtf8, &missing);
    if (missing)
        return UsageError(kName, "--to needs a target folder");
    request.force = TakeFlag(args, "--force");
    request.noRecurse = TakeFlag(args, "--no-recurse");
    if (int rc = RefuseLeftOptions(kName, args); rc != kOk)
        return rc;
    if (args.words.size() < 2)
        return UsageError(
            kName, args.words.empty() ? "the project file is missing" : "no file or folder to add");

    if (!Win1252Arg(toUtf8, request.toText, "the target folder"))
        return kFailure;
    for (size_t i = 1; i < args.words.size(); ++i) {
        std::string path;
        if (!Win1252Arg(args.words[i], path, "the file name"))
            return kFailure;
        path = AbsolutePath(path);
        if (!PathExists(path))
            return Fail(args.words[i] + ": no such file or folder");
        request.arguments.push_back(StripTrailingSeparators(path));
    }
    return kOk;
}

// The target folder: a root in long or short macro form, optionally followed
// by subfolders, which are made as needed. kOk, or a usage error.
int TargetFolder(WTargetTree& tree, const std::string& text, WTargetNode*& folder) {
    const std::string t = Trim(text);
    const size_t close = t.find('>');
    if (!StartsWith(t, "<") || close == std::string::npos)
        return UsageError(kName,
                          Out("the target folder must start with one of " + TargetRootList(tree)));
    folder = tree.FindRoot(t.substr(0, close + 1));
    if (!folder)
        return UsageError(kName, Out("unknown target folder " + t.substr(0, close + 1) +
                                     "; the target folders are " + TargetRootList(tree)));
    for (const std::string& part : Split(ReplaceAll(t.substr(close + 1), "/", "\\"), '\\')) {
        const std::string name = Trim(part);
        if (name.empty())
            continue;
        WTargetTreeResult made = tree.MakeFolder(folder, name);
        if (!made.Ok())
            return UsageError(kName, Out(made.message));
        folder = made.node;
    }
    return kOk;
}

int RunAddFiles(Args& args) {
    AddRequest request;
    if (int rc = ParseAddFilesArgs(args, request); rc != kOk)
        return rc;

    WProjectData project;
    if (int rc = OpenProject(args, args.words[0], project); rc != kOk)
        return rc;
    WTargetTree tree(project);
    WTargetNode* folder = nullptr;
    if (int rc = TargetFolder(tree, request.toText, folder); rc != kOk)
        return rc;

    CliAnswers answers(request.force);
    int added = 0;
    bool skipped = false;
    std::vector<std::string> whole;
    for (const std::string& path : request.arguments) {
        if (request.noRecurse && IsFolder(path)) {
            WTargetTreeResult result = tree.AddFilesOf(folder, path, answers);
            if (result.status == WTargetTreeResult::kRefused &&
                result.message == WTargetTree::kSelectSourceFolder)
                result.message = DisplayPath(path) + " holds no files";
            if (result.Ok() && !result.message.empty()) {
                skipped = true;
                result.message.clear();
            }
            if (int rc = ReportTreeResult(result, answers); rc != kOk)
                return rc;
            added += result.added;
        } else {
            whole.push_back(path);
        }
    }
    if (!whole.empty()) {
        WTargetTreeResult result = tree.Add(folder, whole, answers);
        if (int rc = ReportTreeResult(result, answers); rc != kOk)
            return rc;
        added += result.added;
    }
    if (skipped)
        Note(WTargetTree::kFilesSkipped);
    if (added == 0 && !skipped)
        return Fail("nothing to add: the folders given hold no files");

    if (int rc = SaveProject(project); rc != kOk)
        return rc;
    std::printf("added %d file%s to %s\n", added, added == 1 ? "" : "s",
                Out(folder->ShownPath()).c_str());
    return kOk;
}

Registrar reg{
    {kName, "add-files PROJECT.zlt SOURCE... [--to FOLDER] [--force] [--no-recurse]",
     "add files or folders to a target folder (long or short macro form, optionally "
     "with a subfolder; default \"<Target Folder>\"); a folder comes with everything "
     "below it, or with --no-recurse only the files directly in it, names already "
     "there skipped; --force puts files that are not fonts into the fonts folder",
     &RunAddFiles,
     "  --to FOLDER    the target folder: \"<Target Folder>\" or \"<D>\" (the default),\n"
     "                 \"<Fonts Folder>\", ..., optionally with a subfolder ('<D>\\Help')\n"
     "  --force        put files that are not fonts into the fonts folder\n"
     "  --no-recurse   of a folder, only the files directly in it, straight into\n"
     "                 the target folder; names already there are skipped\n"}};

}  // namespace
}  // namespace vantrel::cli
