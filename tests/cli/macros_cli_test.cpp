#include <sys/wait.h>

#include <cstdio>

#include "support/test_support.h"

namespace vantrel {
namespace {

using Result = test::ShellResult;

// Runs vantrel-cli with a shell-quoted argument text.
Result Cli(const std::string& arguments) {
    return test::RunShell(test::ShellQuote(VANTREL_CLI) + " " + arguments);
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
