// The shell the tests run commands in: POSIX sh.
#include <sys/wait.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/temp_folder.h"
#include "support/test_support.h"

namespace vantrel::test {

std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ShellResult RunShell(const std::string& command) {
    ShellResult r;
    std::string errFile = PrivateTempPath("stderr", ".txt");
    FILE* p = ::popen(("{ " + command + "; } 2>" + ShellQuote(DisplayPath(errFile))).c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int raw = ::pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ReadWholeFile(errFile, r.err);
    RemoveFile(errFile);
    return r;
}

}  // namespace vantrel::test
