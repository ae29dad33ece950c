// Helpers of the commands that edit the target tree (add-files,
// remove-files, move, rename): naming a target folder or file on the command
// line, answering the tree's questions, and reporting its refusals.
#pragma once

#include <string>

#include "project/target_tree.h"

namespace vantrel::cli {

// Answers the tree's questions for a command line: the removal questions
// with Yes (the command is the user's answer), the fonts-folder question
// with Yes only when `force` is set, else Cancel (remembering the file).
class CliAnswers : public WTargetTreeQuestions {
  public:
    explicit CliAnswers(bool force) : force_(force) {}
    Answer Ask(const WTargetTreeQuestion& question) override;
    // The file that the fonts-folder question was refused for.
    const std::string& NotAFont() const { return notAFont_; }

  private:
    bool force_;
    std::string notAFont_;
};

// "<Target Folder> (<D>), <Windows Folder> (<W>), ..."
std::string TargetRootList(const WTargetTree& tree);

// The node that the Windows-1252 text `text` names: a root in long or short
// macro form, optionally followed by names. kOk with `node`; a usage error
// for `command` when the root is unknown, a failure when nothing of that
// path is in the tree.
int FindTreeNode(const char* command, const WTargetTree& tree, const std::string& text,
                 WTargetNode*& node);

// kOk for a done operation (printing its note to stderr), else kFailure
// after the refusal, or after the fonts-folder message for a declined add.
int ReportTreeResult(const WTargetTreeResult& result, const CliAnswers& answers);

}  // namespace vantrel::cli
