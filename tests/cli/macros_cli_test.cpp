#include <sys/wait.h>

#include <cstdio>

#include "support/test_support.h"

namespace vantrel {
namespace {

struct Result {
    int status = -1;
    std::string out;
};

// Runs vantrel-cli with a shell-quoted argument text; stdout only.
Result Cli(const std::string& arguments) {
    Result r;
    std::string command = std::string("'") + VANTREL_CLI + "' " + arguments + " 2>/dev/null";
    FILE* p = ::popen(command.c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int status = ::pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(MacrosCli, ExpandsAndCompresses) {
    Result r = Cli("macros expand '<D>\\Data;<WPF>'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "<Target Folder>\\Data;<Windows Program Files Folder>\n");
    r = Cli("macros compress '<Target Folder>\\Data;<Windows Program Files Folder>'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "<D>\\Data;<WPF>\n");
    // Text outside the table goes through unchanged, accented letters included.
    r = Cli("macros compress 'C:\\Caf\xC3\xA9 <none>'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "C:\\Caf\xC3\xA9 <none>\n");
}

TEST(MacrosCli, UsageErrors) {
    EXPECT_EQ(Cli("macros").status, 2);
    EXPECT_EQ(Cli("macros shrink '<D>'").status, 2);
    EXPECT_EQ(Cli("macros expand").status, 2);
    EXPECT_EQ(Cli("macros expand a b").status, 2);
    Result r =
        Cli("macros expand '\xE2\x82\xAC \xE4\xB8\xAD'");  // euro fits, the CJK letter does not
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace vantrel
