// A command line's options and operands, read by the C library's
// getopt_long under the GNU rules: options and operands in any order, "--"
// ends the options, "--name=value" or "--name value", a long option may be
// shortened to a unique prefix, short flags may be grouped ("-qv").
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vantrel {

struct OptionDecl {
    std::string name;   // "--size" or "-q"
    bool takesValue;    // "--size 1.44MB"
    std::string alias;  // the long name a short option stands for ("--quiet"), or empty
};

struct ParsedOptions {
    // The options in the order given, by their full long names (a short one
    // by its alias); the value is empty for a flag.
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> operands;
    std::string error;  // "unknown option --x", "--size needs a value", ...
};

// False with `out.error` for an unknown or ambiguous option, a missing
// value, or a value given to a flag. With `stopAtOperand` the options end
// at the first operand, which starts `out.operands` with everything after
// it as it stands (a program's own options before its command's).
bool ParseCommandOptions(const std::vector<std::string>& args, const std::vector<OptionDecl>& decls,
                         ParsedOptions& out, bool stopAtOperand = false);

}  // namespace vantrel
