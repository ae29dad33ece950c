// The command-line tool's small framework: every command lives in its own
// file and registers itself with a static CliCommand object, so main.cpp
// never changes when a command is added.
//
// Conventions: errors go to stderr as "vantrel-cli: <what went wrong>";
// exit 0 on success, 1 on failure, 2 on a usage error. Arguments arrive in
// the terminal's encoding (UTF-8) and are converted to the engine's
// Windows-1252 text with Arg(); output goes back through Out().
#pragma once

#include <string>
#include <vector>

namespace vantrel::cli {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

struct Args {
    std::vector<std::string> words;  // the command's arguments (UTF-8 as typed)
    std::string installLocation;     // --install-location, empty when not given
};

struct Command {
    const char* name;     // "stamp"
    const char* usage;    // "stamp FILE [--module-type T] [--version V]"
    const char* summary;  // one line for --help
    int (*run)(Args& args);
};

// Registers a command; use as a static object in the command's file:
//   static vantrel::cli::Registrar reg{{"stamp", "...", "...", &RunStamp}};
struct Registrar {
    explicit Registrar(const Command& command);
};

const std::vector<Command>& Commands();

// Prints "vantrel-cli: <message>" to stderr and returns kFailure.
int Fail(const std::string& message);
// Prints the message and the command's usage to stderr and returns kUsage.
int UsageError(const Command& command, const std::string& message);
int UsageError(const char* commandName, const std::string& message);

// Converts a UTF-8 argument to engine text; false when Windows-1252 cannot
// hold it (the caller reports it).
bool Arg(const std::string& utf8, std::string& out);
// Engine text (Windows-1252) to the terminal (UTF-8).
std::string Out(const std::string& engineText);

// Pops "--name VALUE" (or "--name=VALUE") from args.words; true when found.
// `missingValue` is set when the option was given without a value.
bool TakeOption(Args& args, const std::string& name, std::string& value,
                bool* missingValue = nullptr);
// Pops a "--flag"; true when present.
bool TakeFlag(Args& args, const std::string& name);

}  // namespace vantrel::cli
