#include "platform/process.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/registry.h"
#include "platform/temp_folder.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, WindowsQuotingRules) {
    EXPECT_EQ(SplitCommandLine(""), Words{});
    EXPECT_EQ(SplitCommandLine("  \t "), Words{});
    EXPECT_EQ(SplitCommandLine(" /nocopy"), Words{"/nocopy"});
    EXPECT_EQ(SplitCommandLine("/S \"C:\\My Files\\a.reg\"  x"),
              (Words{"/S", "C:\\My Files\\a.reg", "x"}));
    EXPECT_EQ(SplitCommandLine("a\"b c\"d"), Words{"ab cd"});
    EXPECT_EQ(SplitCommandLine("\"\" x"), (Words{"", "x"}));
    EXPECT_EQ(SplitCommandLine("C:\\dir\\ \\\\server\\s"), (Words{"C:\\dir\\", "\\\\server\\s"}));
    EXPECT_EQ(SplitCommandLine("a\\\"b"), Words{"a\"b"});             // odd: literal quote
    EXPECT_EQ(SplitCommandLine("\"a\\\\\" b"), (Words{"a\\", "b"}));  // even: quote acts
    EXPECT_EQ(SplitCommandLine("\"say \"\"hi\"\"\""), Words{"say \"hi\""});
    EXPECT_EQ(SplitCommandLine("\"unterminated blank"), Words{"unterminated blank"});
}

class ProcessTest : public ::testing::Test {
  protected:
    // A script that writes its arguments, one per line, to `out` and exits
    // with the status given as its first argument.
    std::string MakeScript() {
        std::string path = dir / "echoargs.sh";
        dir.Write(
            "echoargs.sh",
            "#!/bin/sh\ncode=$1\nshift\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                out + "\"\nexit $code\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    test::ScratchFolder dir;
    std::string out = dir / "args.txt";
};

TEST_F(ProcessTest, RunAndWaitPassesArgumentsAndReportsTheExitCode) {
    std::string script = MakeScript();
    int code = -7;
    ASSERT_TRUE(RunAndWait(script, "3 plain \"two words\" \"\" \"q\\\"uote\"", &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(dir.Read("args.txt"), "plain\ntwo words\n\nq\"uote\n");

    ASSERT_TRUE(RunAndWaitArgs(script, {"0", "C:\\x y", "\xE9"}, &code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(dir.Read("args.txt"), "C:\\x y\n\xC3\xA9\n");  // reaches the program as UTF-8

    ASSERT_TRUE(RunAndWait("/bin/sh", "-c \"kill -TERM $$\"", &code));
    EXPECT_EQ(code, 128 + 15);
}

TEST_F(ProcessTest, RunAndCaptureCollectsBothOutputsAndLeavesNoFile) {
    int code = -1;
    std::string output;
    ASSERT_TRUE(RunAndCapture("/bin/sh", "-c \"echo out; echo err >&2; exit 4\"", output, &code));
    EXPECT_EQ(code, 4);
    EXPECT_EQ(output, "out\nerr\n");
    EXPECT_FALSE(RunAndCapture(dir / "missing", "", output, &code));
    EXPECT_EQ(code, -1);
    EXPECT_EQ(output, "");
    for (const auto& entry : std::filesystem::directory_iterator(PrivateTempFolder()))
        EXPECT_EQ(entry.path().filename().string().rfind("output", 0), std::string::npos)
            << entry.path();
}

TEST_F(ProcessTest, ProgramsThatCannotStart) {
    int code = 0;
    EXPECT_FALSE(RunAndWait(dir / "missing", "", &code));
    EXPECT_EQ(code, -1);
    dir.Write("plain.txt", "not a program");
    EXPECT_FALSE(RunAndWait(dir / "plain.txt", ""));
    EXPECT_FALSE(RunDetached(dir / "missing", ""));
    EXPECT_FALSE(RunAndPump("", ""));
    // A Windows program runs only through wine; without wine it is not started.
    dir.Write("setup32.exe", "MZ");
    std::vector<std::string> launch = ResolveLaunch(dir / "setup32.exe", {"/nocopy"});
    if (launch.empty()) {
        EXPECT_FALSE(RunAndWait(dir / "setup32.exe", " /nocopy"));
    } else {
        EXPECT_NE(launch[0].find("wine"), std::string::npos);
        EXPECT_EQ(launch.back(), "/nocopy");
    }
    EXPECT_TRUE(ResolveLaunch(dir / "absent.exe", {}).empty());
}

int g_pumps = 0;
std::string g_pumpedFlag;

// A shell loop that waits (up to 60 s) for `path` to exist: the event a test
// raises, instead of a time that a loaded machine may overrun.
std::string WaitFor(const std::string& path) {
    return "i=0; while [ ! -e '" + path +
           "' ] && [ $i -lt 6000 ]; do sleep 0.01; i=$((i+1)); done; ";
}

// The hook handles the events of the thread that installed it: a worker's
// PumpMessage does nothing.
TEST(MessagePump, OnlyTheThreadThatInstalledTheHookPumps) {
    g_pumps = 0;
    SetPumpHook([] { ++g_pumps; });
    std::thread([] { PumpMessage(); }).join();
    EXPECT_EQ(g_pumps, 0);
    PumpMessage();
    EXPECT_EQ(g_pumps, 1);
    SetPumpHook(nullptr);
    PumpMessage();
    EXPECT_EQ(g_pumps, 1);
}

TEST_F(ProcessTest, RunAndPumpPumpsWhileWaitingAndDetachedReturnsAtOnce) {
    // The program ends only after the pump hook has run six times.
    g_pumps = 0;
    g_pumpedFlag = dir / "pumped";
    SetPumpHook([] {
        if (++g_pumps == 6)
            test::WriteBytes(g_pumpedFlag, "");
    });
    int code = -1;
    ASSERT_TRUE(RunAndPump("sh", "-c \"" + WaitFor(g_pumpedFlag) + "exit 4\"", &code));  // on PATH
    SetPumpHook(nullptr);
    EXPECT_EQ(code, 4);
    EXPECT_GE(g_pumps, 6);

    // The detached program waits for "go": the call has returned before it
    // could have written anything.
    const std::string go = dir / "go", flag = dir / "done";
    ASSERT_TRUE(RunDetachedArgs("/bin/sh", {"-c", WaitFor(go) + ": > \"" + flag + "\""}));
    EXPECT_FALSE(PathExists(flag));
    test::WriteBytes(go, "");
    for (int i = 0; i < 6000 && !PathExists(flag); ++i)
        ::usleep(10000);
    EXPECT_TRUE(PathExists(flag));
}

TEST(UserHomeFolder, WithoutHomeTheUserDatabaseNamesIt) {
    const char* saved = std::getenv("HOME");
    const std::string home = saved ? saved : "";
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string savedXdg = xdg ? xdg : "";
    const char* reg = std::getenv("VANTREL_USER_REG");
    const std::string savedReg = reg ? reg : "";
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("VANTREL_USER_REG");
    ::setenv("HOME", "/somewhere/else", 1);
    EXPECT_EQ(UserHomeFolder(), "/somewhere/else");
    EXPECT_EQ(RegFileStore::DefaultUserFile(), "/somewhere/else/.config/vantrel/user.reg");
    ::unsetenv("HOME");
    const passwd* entry = ::getpwuid(::geteuid());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(UserHomeFolder(), entry->pw_dir);
    // The settings go below that home, never into a folder all users share.
    EXPECT_EQ(RegFileStore::DefaultUserFile(),
              std::string(entry->pw_dir) + "/.config/vantrel/user.reg");
    if (saved)
        ::setenv("HOME", home.c_str(), 1);
    if (xdg)
        ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
    if (reg)
        ::setenv("VANTREL_USER_REG", savedReg.c_str(), 1);
}

}  // namespace
}  // namespace vantrel
