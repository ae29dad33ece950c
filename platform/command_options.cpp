#include "platform/command_options.h"

#include <getopt.h>

#include <mutex>

namespace vantrel {

namespace {
// getopt_long keeps its state in globals.
std::mutex g_getoptMutex;
}  // namespace

bool ParseCommandOptions(const std::vector<std::string>& args, const std::vector<OptionDecl>& decls,
                         ParsedOptions& out, bool stopAtOperand) {
    out = {};
    std::lock_guard<std::mutex> lock(g_getoptMutex);
    // "-": operands come back in order as option 1, so that options and
    // operands may be mixed whatever POSIXLY_CORRECT says and nothing is
    // reordered ("+": stop at the first); ":": a missing value is reported
    // as ':', not on stderr.
    std::string shortOptions = stopAtOperand ? "+:" : "-:";
    std::vector<option> longOptions;
    for (size_t i = 0; i < decls.size(); ++i) {
        const OptionDecl& d = decls[i];
        if (d.name.size() == 2 && d.name[0] == '-' && d.name[1] != '-') {
            shortOptions += d.name[1];
            if (d.takesValue)
                shortOptions += ':';
        } else if (d.name.rfind("--", 0) == 0) {
            longOptions.push_back({d.name.c_str() + 2,
                                   d.takesValue ? required_argument : no_argument, nullptr,
                                   static_cast<int>(256 + i)});
        }
    }
    longOptions.push_back({nullptr, 0, nullptr, 0});

    std::vector<std::string> copy;
    copy.reserve(args.size() + 1);
    copy.push_back("vantrel");
    copy.insert(copy.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : copy)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(copy.size());

    opterr = 0;
    optind = 0;  // 0: start afresh (GNU), also after an earlier call
    for (;;) {
        const int previous = optind == 0 ? 1 : optind;
        int index = -1;
        const int c =
            getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(), &index);
        if (c == -1)
            break;
        if (c == 1) {
            out.operands.push_back(optarg);
            continue;
        }
        // The word that was read, for messages ("--sise=1MB" -> "--sise").
        std::string word = previous < argc ? argv[previous] : "";
        if (const size_t eq = word.find('='); word.rfind("--", 0) == 0 && eq != std::string::npos)
            word.resize(eq);
        if (c == '?') {
            if (optopt >= 256)
                out.error = decls[static_cast<size_t>(optopt - 256)].name + " takes no value";
            else if (optopt)
                out.error = std::string("unknown option -") + static_cast<char>(optopt);
            else
                out.error = "unknown option " + word;
            return false;
        }
        if (c == ':') {
            out.error =
                (optopt && optopt < 256 ? std::string("-") + static_cast<char>(optopt) : word) +
                " needs a value";
            return false;
        }
        const OptionDecl* decl = nullptr;
        if (c >= 256) {
            decl = &decls[static_cast<size_t>(c - 256)];
        } else {
            for (const OptionDecl& d : decls) {
                if (d.name.size() == 2 && d.name[1] == c)
                    decl = &d;
            }
        }
        if (!decl)
            continue;
        const std::string& name = decl->alias.empty() ? decl->name : decl->alias;
        out.options.emplace_back(name, decl->takesValue && optarg ? optarg : "");
    }
    // What follows "--", or the first operand and what follows it.
    for (int i = optind; i < argc; ++i)
        out.operands.push_back(argv[static_cast<size_t>(i)]);
    return true;
}

}  // namespace vantrel
