// vantrel-cli: author, inspect and build setups from a terminal.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "platform/build_time.h"
#include "platform/command_options.h"
#include "platform/interrupt_guard.h"

using namespace vantrel::cli;

namespace {

std::string ProgramHelp() {
    std::string help = "vantrel-cli " VANTREL_VERSION
                       " - build setups for Tessary applications without a display\n\n"
                       "usage: vantrel-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
                       "       vantrel-cli COMMAND --help\n\n"
                       "commands:\n";
    std::vector<Command> commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    for (auto& c : commands)
        help += "  " + std::string(c.usage) + "\n" + Wrap(c.summary, 6, 79);
    help +=
        "\noptions:\n"
        "  --install-location DIR   use DIR as the installation folder for this run\n"
        "  -q, --quiet              no progress and no notes, only results and errors\n"
        "  -v, --verbose            more detail on stderr\n"
        "  --remember               put a saved project on the wizard's list of recent "
        "projects\n"
        "  -h, --help               this help (COMMAND --help: the command's own)\n"
        "  --version                the program's version\n\n"
        "Exit status: 0 success, 1 failure, 2 usage error, 130 interrupted (Ctrl-C), 143 "
        "terminated.\n";
    return help;
}

// A run option that every command takes, wherever it stands before "--".
// True when `word` was one.
bool TakeRunOption(const std::string& word, bool& help) {
    RunSettings& s = Settings();
    if (word == "-q" || word == "--quiet")
        s.quiet = true;
    else if (word == "-v" || word == "--verbose")
        s.verbose = true;
    else if (word == "--remember")
        s.remember = true;
    else if (word == "-h" || word == "--help")
        help = true;
    else
        return false;
    return true;
}

// Reads the command's words by getopt_long, with the options of the
// command's usage line and those every command takes, and leaves them in
// `args`: the operands in the order given, then the command's options
// ("--name" "VALUE", "--force"). False after a usage error; `help` is set
// for -h / --help.
bool ReadCommandLine(const Command& command, Args& args, bool& help, int& status) {
    std::vector<vantrel::OptionDecl> decls;
    for (const UsageOption& o : OptionsOf(command))
        decls.push_back({o.name, !o.valueName.empty(), {}});
    for (const char* flag : {"--quiet", "--verbose", "--remember", "--help"})
        decls.push_back({flag, false, {}});
    decls.push_back({"-q", false, "--quiet"});
    decls.push_back({"-v", false, "--verbose"});
    decls.push_back({"-h", false, "--help"});
    vantrel::ParsedOptions parsed;
    if (!vantrel::ParseCommandOptions(args.words, decls, parsed)) {
        status = UsageError(command, parsed.error);
        return false;
    }
    std::vector<std::string> words = parsed.operands;
    args.firstOptionWord = words.size();
    for (const auto& [name, value] : parsed.options) {
        if (TakeRunOption(name, help))
            continue;
        words.push_back(name);
        for (const vantrel::OptionDecl& d : decls) {
            if (d.name == name && d.takesValue)
                words.push_back(value);
        }
    }
    args.words = std::move(words);
    return true;
}

// Everything printed must reach its destination: a full disk or a closed
// pipe is a failure, not a success with lost output.
int CheckedExit(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int error = errno;
        std::fprintf(stderr, "vantrel-cli: cannot write the output: %s\n",
                     std::strerror(error ? error : EIO));
        return status == kOk ? kFailure : status;
    }
    return status;
}

}  // namespace

// The options before the command, read by getopt_long up to the command's
// name; `args` gets the command's words. False after a usage error, with
// `status` (or kOk for --version, which is done then).
bool ReadProgramOptions(int argc, char** argv, Args& args, std::string& commandName, bool& help,
                        int& status) {
    const std::vector<vantrel::OptionDecl> decls = {
        {"--install-location", true, {}}, {"--version", false, {}},   {"--quiet", false, {}},
        {"--verbose", false, {}},         {"--remember", false, {}},  {"--help", false, {}},
        {"-q", false, "--quiet"},         {"-v", false, "--verbose"}, {"-h", false, "--help"}};
    vantrel::ParsedOptions parsed;
    if (!vantrel::ParseCommandOptions(std::vector<std::string>(argv + 1, argv + argc), decls,
                                      parsed, true)) {
        std::fprintf(stderr, "vantrel-cli: %s (try --help)\n", parsed.error.c_str());
        status = kUsage;
        return false;
    }
    for (const auto& [name, value] : parsed.options) {
        if (name == "--version") {
            std::printf("vantrel-cli %s\n", VANTREL_VERSION);
            status = CheckedExit(kOk);
            return false;
        }
        if (name == "--install-location")
            args.installLocation = value;
        else
            TakeRunOption(name, help);
    }
    auto word = parsed.operands.begin();
    // "help COMMAND" is "COMMAND --help".
    if (word != parsed.operands.end() && *word == "help") {
        help = true;
        ++word;
    }
    if (word != parsed.operands.end())
        commandName = *word++;
    args.words.assign(word, parsed.operands.end());
    return true;
}

int main(int argc, char** argv) {
    Args args;
    std::string commandName;
    bool help = false;
    int status = kOk;
    if (!ReadProgramOptions(argc, argv, args, commandName, help, status))
        return status;
    if (commandName.empty()) {
        // Help asked for goes to stdout; help instead of a command is a
        // usage error and goes to stderr.
        std::fputs(ProgramHelp().c_str(), help ? stdout : stderr);
        return help ? CheckedExit(kOk) : kUsage;
    }
    const Command* command = FindCommand(commandName);
    if (!command) {
        std::fprintf(stderr, "vantrel-cli: unknown command \"%s\" (try --help)\n",
                     commandName.c_str());
        return kUsage;
    }
    if (!ReadCommandLine(*command, args, help, status))
        return status;
    if (help) {
        std::fputs(CommandHelp(*command).c_str(), stdout);
        return CheckedExit(kOk);
    }
    if (const std::string problem = vantrel::BuildTimeProblem(); !problem.empty()) {
        std::fprintf(stderr, "vantrel-cli: %s\n", problem.c_str());
        return kFailure;
    }
    status = command->run(args);
    // Work that stopped at an interrupt ends as the signal would have ended
    // it (130 after Ctrl-C); the temporary folder goes at exit.
    if (const int signal = vantrel::InterruptGuard::Signal())
        return 128 + signal;
    return CheckedExit(status);
}
