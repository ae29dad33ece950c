// The command-line tool's small framework: every command lives in its own
// file and registers itself with a static CliCommand object, so main.cpp
// never changes when a command is added.
//
// Conventions: errors go to stderr as "vantrel-cli: <what went wrong>";
// exit 0 on success, 1 on failure, 2 on a usage error. Arguments arrive in
// the terminal's encoding (UTF-8) and are converted to the engine's
// Windows-1252 text with Arg(); output goes back through Out().
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vantrel::cli {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 2;

struct Args {
    std::vector<std::string> words;  // the command's arguments (UTF-8 as typed)
    std::string installLocation;     // --install-location, empty when not given
    // The words before this index are operands even when they start with
    // "-" (add-files P.zlt -- -odd.txt); the options follow them. main()
    // reads the command line by getopt_long and puts the operands first, in
    // the order given, then the options it found, "--name" "VALUE".
    size_t firstOptionWord = 0;
};

struct Command {
    const char* name;     // "stamp"
    const char* usage;    // "stamp FILE [--module-type T] [--version V]"
    const char* summary;  // one line for --help
    int (*run)(Args& args);
    // Lines describing the options, for "COMMAND --help" and the manual
    // page ("  --name N   what it does"); optional.
    const char* options = nullptr;
};

// An option as the command's usage line shows it: "--size SIZE" takes a
// value, "[--clean]" does not.
struct UsageOption {
    std::string name;       // "--size"
    std::string valueName;  // "SIZE", empty for a flag
};
std::vector<UsageOption> OptionsOf(const Command& command);
const Command* FindCommand(const std::string& name);
// `text` broken into lines of at most `width` columns, each indented by
// `indent` blanks and ending with a line break.
std::string Wrap(const std::string& text, size_t indent, size_t width);
// The full help of a command: usage, what it does, its options and the
// options every command takes.
std::string CommandHelp(const Command& command);

// What the whole run was asked for besides the command: -q, -v, --remember.
struct RunSettings {
    bool quiet = false;     // no progress and no notes
    bool verbose = false;   // more detail on stderr
    bool remember = false;  // a save puts the project on the wizard's recent list
};
RunSettings& Settings();
// A note on stderr ("vantrel-cli: TEXT"), left out with -q.
void Note(const std::string& text);
// A line of detail on stderr, only with -v.
void Detail(const std::string& text);

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

// Converts a UTF-8 argument to Windows-1252 text; false when Windows-1252 cannot
// hold it (the caller reports it).
bool Arg(const std::string& utf8, std::string& out);
// Windows-1252 text to the terminal (UTF-8).
std::string Out(const std::string& win1252Text);

// Pops "--name VALUE" (or "--name=VALUE") from args.words; true when found.
// `missingValue` is set when the option was given without a value.
bool TakeOption(Args& args, const std::string& name, std::string& value,
                bool* missingValue = nullptr);
// Pops a "--flag"; true when present.
bool TakeFlag(Args& args, const std::string& name);
// True when args.words[index] is an option word: not an operand, and
// starting with "-" (a lone "-" is an operand).
bool IsOptionWord(const Args& args, size_t index);
// kOk, or a usage error of `command` for the first option word left over.
int RefuseUnknownOptions(const char* command, const Args& args);

}  // namespace vantrel::cli
