// Helpers of the commands that edit the changes a setup makes to installed
// files (ini, replace): naming a file of the project, the --os list, options
// left over.
#pragma once

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

// The position (1-based) `argument` gives in a list of `count` entries:
// kOk with `index` (0-based), kFailure after a message naming `what` when
// the number is out of range. False (and nothing printed) when `argument`
// is not a number.
bool TakeNumber(const std::string& argument, size_t count, const char* what, size_t& index,
                int& status);

// The one entry of `matches`: kOk with `found`, else kFailure after a
// message that `argument` names no `what` or several of them.
int PickOne(const std::vector<const WSetupElement*>& matches, const char* what,
            const std::string& argument, const WSetupElement*& found);

}  // namespace vantrel::cli
