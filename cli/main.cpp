// vantrel-cli: author, inspect and build setups from a terminal.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "platform/build_time.h"
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

// Takes the run options out of the command's option words, passing over the
// values of the command's own options (new --name -q names "-q").
bool TakeRunOptions(const Command& command, Args& args) {
    std::vector<std::string> valueOptions;
    for (const OptionSpec& o : OptionsOf(command)) {
        if (!o.valueName.empty())
            valueOptions.push_back(o.name);
    }
    bool help = false;
    std::vector<std::string> kept;
    const size_t end = std::min(args.optionWords, args.words.size());
    for (size_t i = 0; i < end; ++i) {
        const std::string& w = args.words[i];
        if (std::find(valueOptions.begin(), valueOptions.end(), w) != valueOptions.end() &&
            i + 1 < end) {
            kept.push_back(w);
            kept.push_back(args.words[++i]);
            continue;
        }
        if (!TakeRunOption(w, help))
            kept.push_back(w);
    }
    const size_t removed = end - kept.size();
    kept.insert(kept.end(), args.words.begin() + static_cast<long>(end), args.words.end());
    args.words = std::move(kept);
    if (args.optionWords != static_cast<size_t>(-1))
        args.optionWords -= removed;
    return help;
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

int main(int argc, char** argv) {
    Args args;
    std::string commandName;
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (commandName.empty()) {
            if (a == "help") {
                help = true;
                continue;
            }
            if (a == "--version") {
                std::printf("vantrel-cli %s\n", VANTREL_VERSION);
                return CheckedExit(kOk);
            }
            if (a == "--install-location" || a.rfind("--install-location=", 0) == 0) {
                if (a == "--install-location") {
                    if (i + 1 >= argc) {
                        std::fprintf(stderr, "vantrel-cli: --install-location needs a folder\n");
                        return kUsage;
                    }
                    args.installLocation = argv[++i];
                } else {
                    args.installLocation = a.substr(std::strlen("--install-location="));
                }
                continue;
            }
            if (TakeRunOption(a, help))
                continue;
            if (!a.empty() && a[0] == '-') {
                std::fprintf(stderr, "vantrel-cli: unknown option %s (try --help)\n", a.c_str());
                return kUsage;
            }
            commandName = a;
            continue;
        }
        if (a == "--" && args.optionWords == static_cast<size_t>(-1)) {
            args.optionWords = args.words.size();
            continue;
        }
        args.words.push_back(a);
    }
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
    if (TakeRunOptions(*command, args) || help) {
        std::fputs(CommandHelp(*command).c_str(), stdout);
        return CheckedExit(kOk);
    }
    if (const std::string problem = vantrel::BuildTimeProblem(); !problem.empty()) {
        std::fprintf(stderr, "vantrel-cli: %s\n", problem.c_str());
        return kFailure;
    }
    const int status = command->run(args);
    // Work that stopped at an interrupt ends as the signal would have ended
    // it (130 after Ctrl-C); the temporary folder goes at exit.
    if (const int signal = vantrel::InterruptGuard::Signal())
        return 128 + signal;
    return CheckedExit(status);
}
