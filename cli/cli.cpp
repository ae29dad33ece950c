#include "cli/cli.h"

#include <cstdio>

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

std::string Out(const std::string& engineText) {
    return Cp1252ToUtf8(engineText);
}

bool TakeOption(Args& args, const std::string& name, std::string& value, bool* missingValue) {
    if (missingValue)
        *missingValue = false;
    auto& w = args.words;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] == name) {
            if (i + 1 >= w.size()) {
                if (missingValue)
                    *missingValue = true;
                w.erase(w.begin() + static_cast<long>(i));
                return false;
            }
            value = w[i + 1];
            w.erase(w.begin() + static_cast<long>(i), w.begin() + static_cast<long>(i) + 2);
            return true;
        }
        if (w[i].rfind(name + "=", 0) == 0) {
            value = w[i].substr(name.size() + 1);
            w.erase(w.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

bool TakeFlag(Args& args, const std::string& name) {
    auto& w = args.words;
    for (size_t i = 0; i < w.size(); ++i) {
        if (w[i] == name) {
            w.erase(w.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

}  // namespace vantrel::cli
