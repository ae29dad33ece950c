// Helpers of the commands that edit the changes a setup makes to installed
// files (ini, replace): naming a file of the project, the --os list, options
// left over.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "project/customisation_rules.h"

namespace vantrel::cli {

// "95,nt4,98,2000" (any of them, any order) into `systems`; false for an
// unknown name or an empty list.
bool ParseSystems(const std::string& text, TargetSystems& systems);

// The installed file that the UTF-8 argument names (its target path in long
// or short macro form, or its bare name when only one file has it). kOk with
// `file`, else kFailure after a message.
int FindFileArg(const WProjectData& project, const std::string& argument,
                const WSetupElement*& file);

// The entry that "remove NUMBER|FILE" names: without a filter option, a
// number is the position (1-based) in `entries`; else FILE is an installed
// file (see FindFileArg) and the one entry of it that `keep` accepts is
// taken. kOk with `found`, else kFailure after a message naming `what`.
int FindEntryArg(const WProjectData& project, const std::string& argument, bool filtered,
                 const std::vector<const WSetupElement*>& entries, const char* what,
                 const std::function<bool(const WSetupElement&)>& keep,
                 const WSetupElement*& found);

}  // namespace vantrel::cli
