// vantrel-cli: author, inspect and build setups from a terminal.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/cli.h"
#include "platform/interrupt_guard.h"

using namespace vantrel::cli;

namespace {

void PrintHelp() {
    std::printf(
        "vantrel-cli %s - build setups for Tessary applications without a display\n\n"
        "usage: vantrel-cli [--install-location DIR] COMMAND [ARGUMENTS]\n\n"
        "commands:\n",
        VANTREL_VERSION);
    std::vector<Command> commands = Commands();
    std::sort(commands.begin(), commands.end(),
              [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
    for (auto& c : commands)
        std::printf("  %s\n      %s\n", c.usage, c.summary);
    std::printf(
        "\noptions:\n"
        "  --install-location DIR   use DIR as the installation folder for this run\n"
        "  --help, --version\n\n"
        "Exit status: 0 success, 1 failure, 2 usage error.\n");
}

}  // namespace

int main(int argc, char** argv) {
    Args args;
    std::string commandName;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (commandName.empty()) {
            if (a == "--help" || a == "-h" || a == "help") {
                PrintHelp();
                return kOk;
            }
            if (a == "--version") {
                std::printf("vantrel-cli %s\n", VANTREL_VERSION);
                return kOk;
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
            if (!a.empty() && a[0] == '-') {
                std::fprintf(stderr, "vantrel-cli: unknown option %s (try --help)\n", a.c_str());
                return kUsage;
            }
            commandName = a;
            continue;
        }
        args.words.push_back(a);
    }
    if (commandName.empty()) {
        PrintHelp();
        return kUsage;
    }
    for (auto& c : Commands()) {
        if (commandName == c.name) {
            const int status = c.run(args);
            // Work that stopped at an interrupt ends as the signal would
            // have ended it (130 after Ctrl-C); the temporary folder goes
            // at exit.
            if (const int signal = vantrel::InterruptGuard::Signal())
                return 128 + signal;
            return status;
        }
    }
    std::fprintf(stderr, "vantrel-cli: unknown command \"%s\" (try --help)\n", commandName.c_str());
    return kUsage;
}
