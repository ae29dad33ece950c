#include "platform/process.h"

namespace vantrel {

std::vector<std::string> SplitCommandLine(std::string_view text) {
    std::vector<std::string> args;
    size_t i = 0;
    const size_t n = text.size();
    while (true) {
        while (i < n && (text[i] == ' ' || text[i] == '\t'))
            ++i;
        if (i >= n)
            break;
        std::string arg;
        bool quoted = false;
        while (i < n) {
            size_t slashes = 0;
            while (i < n && text[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < n && text[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    arg += '"';
                    ++i;
                } else if (quoted && i + 1 < n && text[i + 1] == '"') {
                    arg += '"';
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
                continue;
            }
            arg.append(slashes, '\\');
            if (i >= n)
                break;
            if (!quoted && (text[i] == ' ' || text[i] == '\t'))
                break;
            arg += text[i++];
        }
        args.push_back(std::move(arg));
    }
    return args;
}

bool RunDetached(std::string_view program, std::string_view arguments) {
    return RunDetachedArgs(program, SplitCommandLine(arguments));
}

bool RunAndWait(std::string_view program, std::string_view arguments, int* exitCode) {
    return RunAndWaitArgs(program, SplitCommandLine(arguments), exitCode);
}

bool RunAndPump(std::string_view program, std::string_view arguments, int* exitCode) {
    return RunAndPumpArgs(program, SplitCommandLine(arguments), exitCode);
}

}  // namespace vantrel
