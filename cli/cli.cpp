#include "cli/cli.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "platform/encoding.h"

namespace vantrel::cli {

namespace {
std::vector<Command>& Registry() {
    static std::vector<Command> commands;
    return commands;
}
}  // namespace

Registrar::Registrar(const Command& command) {
    Registry().push_back(command);
}

const std::vector<Command>& Commands() {
    return Registry();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "vantrel-cli: %s\n", message.c_str());
    return kFailure;
}

int UsageError(const Command& command, const std::string& message) {
    std::fprintf(stderr, "vantrel-cli: %s\nusage: vantrel-cli %s\n", message.c_str(),
                 command.usage);
    return kUsage;
}

int UsageError(const char* commandName, const std::string& message) {
    for (auto& c : Commands()) {
        if (std::string(c.name) == commandName)
            return UsageError(c, message);
    }
    std::fprintf(stderr, "vantrel-cli: %s\n", message.c_str());
    return kUsage;
}

bool Arg(const std::string& utf8, std::string& out) {
    return Utf8ToCp1252(utf8, out);
}

std::string Out(const std::string& win1252Text) {
    return Cp1252ToUtf8(win1252Text);
}

namespace {

void EraseWords(Args& args, size_t index, size_t count) {
    auto& w = args.words;
    w.erase(w.begin() + static_cast<long>(index), w.begin() + static_cast<long>(index + count));
}

}  // namespace

bool TakeOption(Args& args, const std::string& name, std::string& value, bool* missingValue) {
    if (missingValue)
        *missingValue = false;
    const auto& w = args.words;
    for (size_t i = args.firstOptionWord; i < w.size(); ++i) {
        if (w[i] == name) {
            if (i + 1 >= w.size()) {
                if (missingValue)
                    *missingValue = true;
                EraseWords(args, i, 1);
                return false;
            }
            value = w[i + 1];
            EraseWords(args, i, 2);
            return true;
        }
        if (w[i].rfind(name + "=", 0) == 0) {
            value = w[i].substr(name.size() + 1);
            EraseWords(args, i, 1);
            return true;
        }
    }
    return false;
}

bool TakeFlag(Args& args, const std::string& name) {
    for (size_t i = args.firstOptionWord; i < args.words.size(); ++i) {
        if (args.words[i] == name) {
            EraseWords(args, i, 1);
            return true;
        }
    }
    return false;
}

bool IsOptionWord(const Args& args, size_t index) {
    return index >= args.firstOptionWord && index < args.words.size() &&
           args.words[index].size() > 1 && args.words[index][0] == '-';
}

int RefuseUnknownOptions(const char* command, const Args& args) {
    for (size_t i = 0; i < args.words.size(); ++i) {
        if (IsOptionWord(args, i))
            return UsageError(command, "unknown option " + args.words[i]);
    }
    return kOk;
}

RunSettings& Settings() {
    static RunSettings settings;
    return settings;
}

void Note(const std::string& text) {
    if (!Settings().quiet)
        std::fprintf(stderr, "vantrel-cli: %s\n", text.c_str());
}

void Detail(const std::string& text) {
    if (Settings().verbose && !Settings().quiet)
        std::fprintf(stderr, "vantrel-cli: %s\n", text.c_str());
}

const Command* FindCommand(const std::string& name) {
    for (const Command& c : Commands()) {
        if (name == c.name)
            return &c;
    }
    return nullptr;
}

std::vector<UsageOption> OptionsOf(const Command& command) {
    std::vector<std::string> tokens;
    std::istringstream in(command.usage);
    for (std::string t; in >> t;)
        tokens.push_back(t);
    std::vector<UsageOption> options;
    for (size_t i = 0; i < tokens.size(); ++i) {
        std::string t = tokens[i];
        if (!t.empty() && t[0] == '[')
            t.erase(0, 1);
        if (t.rfind("--", 0) != 0)
            continue;
        UsageOption option;
        const bool closed = t.back() == ']';
        while (!t.empty() && t.back() == ']')
            t.pop_back();
        option.name = t;
        if (!closed && i + 1 < tokens.size()) {
            std::string next = tokens[i + 1];
            if (!next.empty() && next[0] != '[' && next[0] != '-' && next[0] != '|') {
                while (!next.empty() && next.back() == ']')
                    next.pop_back();
                option.valueName = next;
            }
        }
        bool seen = false;
        for (const UsageOption& o : options)
            seen = seen || o.name == option.name;
        if (!seen)
            options.push_back(option);
    }
    return options;
}

std::string Wrap(const std::string& text, size_t indent, size_t width) {
    std::string out, line;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        if (!line.empty() && indent + line.size() + 1 + word.size() > width) {
            out += std::string(indent, ' ') + line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty())
        out += std::string(indent, ' ') + line + "\n";
    return out;
}

std::string CommandHelp(const Command& command) {
    std::string help = "usage: vantrel-cli " + std::string(command.usage) + "\n\n";
    help += Wrap(command.summary, 0, 78);
    if (command.options && *command.options) {
        help += "\noptions:\n";
        help += command.options;
    } else if (const auto options = OptionsOf(command); !options.empty()) {
        help += "\noptions:\n";
        for (const UsageOption& o : options)
            help += "  " + o.name + (o.valueName.empty() ? "" : " " + o.valueName) + "\n";
    }
    help +=
        "\ncommon options:\n"
        "  -q, --quiet      no progress and no notes, only results and errors\n"
        "  -v, --verbose    more detail on stderr\n"
        "  --remember       put a saved project on the wizard's list of recent projects\n"
        "  -h, --help       this help\n"
        "  --               what follows is not an option (names that start with -)\n"
        "\nExit status: 0 success, 1 failure, 2 usage error, 130 interrupted (Ctrl-C).\n";
    return help;
}

}  // namespace vantrel::cli
