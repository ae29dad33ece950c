// Windows has no POSIX shell: the tests that run shell commands are built
// for POSIX systems only, and a command asked for here fails visibly.
#include "support/test_support.h"

namespace vantrel::test {

std::string ShellQuote(const std::string& s) {
    return "\"" + s + "\"";
}

ShellResult RunShell(const std::string& command) {
    ADD_FAILURE() << "no POSIX shell on this system for: " << command;
    return ShellResult{};
}

// Windows has no all-powerful user whose rights hide a refused permission.
std::string AsUnprivileged(const std::string&, const std::function<std::string()>& body) {
    return body();
}

}  // namespace vantrel::test
