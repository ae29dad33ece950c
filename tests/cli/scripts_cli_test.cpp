#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

using Result = test::ShellResult;
using test::ShellQuote;
std::string Quote(const std::string& s) {
    return ShellQuote(s);
}

Result Cli(const ScratchFolder& dir, const std::string& arguments) {
    // A machine hive without an installation, so that only the option counts.
    return test::RunShell("VANTREL_MACHINE_REG=" + ShellQuote(DisplayPath(dir / "none.reg")) + " " +
                          ShellQuote(VANTREL_CLI) + " " + arguments);
}

TEST(ScriptsCommand, WritesTheThreeScriptsWithTheLibrary) {
    ScratchFolder dir;
    test::WriteMinimalComps(dir, "install");
    Result r = Cli(dir, "--install-location " + Quote(DisplayPath(dir / "install")) +
                            " scripts --out " + Quote(DisplayPath(dir / "out")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string comp = dir.Read("out/Setup/comp.kvz");
    EXPECT_NE(comp.find("\r\nUninstall,000,<D>,"), std::string::npos);
    EXPECT_NE(comp.find("Program_files,111,<D>,0,0,11111,0,Program Files,,,,,Distrib | "),
              std::string::npos);
    EXPECT_TRUE(IsFile(dir / "out/Setup/string.str"));
    EXPECT_TRUE(dir.Read("out/Setup/project.kvz").starts_with("[Oxbel Setup Header]\r\n"));
}

TEST(ScriptsCommand, NamesTheFailedScriptAndStillWrites) {
    ScratchFolder dir;
    dir.Write("install/comps/distrib.kvz",
              "[Identification.0]\r\nDistrib,111,<D>,0,0,,0,D,,,,,Ghost,0,,,,\r\n");
    Result r = Cli(dir, "--install-location " + Quote(DisplayPath(dir / "install")) +
                            " scripts --out " + Quote(DisplayPath(dir / "out")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("vantrel-cli: Ghost.kvz: script not found"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Uninstall.kvz"), std::string::npos);
    EXPECT_TRUE(IsFile(dir / "out/Setup/comp.kvz"));
    EXPECT_TRUE(IsFile(dir / "out/Setup/project.kvz"));

    Result usage = Cli(dir, "scripts");
    EXPECT_EQ(usage.status, 2);
    Result noInstall = Cli(dir, "scripts --out " + Quote(DisplayPath(dir / "out2")));
    EXPECT_EQ(noInstall.status, 1);
    EXPECT_NE(noInstall.err.find("Install Location"), std::string::npos);
    EXPECT_TRUE(IsFile(dir / "out2/Setup/comp.kvz"));
}

// A project never saved writes the background object's own shadow; one
// that was saved writes it off. `show` tells what the setup will use.
TEST(ScriptsCommand, ShowTellsTheBackgroundTheSetupUses) {
    ScratchFolder dir;
    test::WriteMinimalComps(dir, "install");
    const std::string install = "--install-location " + Quote(DisplayPath(dir / "install"));
    const std::string project = Quote(DisplayPath(dir / "p.zlt"));
    ASSERT_EQ(Cli(dir, install + " scripts --out " + Quote(DisplayPath(dir / "fresh"))).status, 0);
    ASSERT_EQ(Cli(dir, install + " new " + project + " --name App --company Co").status, 0);
    ASSERT_EQ(
        Cli(dir, install + " scripts " + project + " --out " + Quote(DisplayPath(dir / "saved")))
            .status,
        0);
    EXPECT_NE(dir.Read("fresh/Setup/project.kvz").find("\r\nDropShadow=1\r\n"), std::string::npos);
    const std::string saved = dir.Read("saved/Setup/project.kvz");
    EXPECT_NE(saved.find("\r\nDropShadow=0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nGradientColor=BLUE\r\n"), std::string::npos);
    const std::string shown = Cli(dir, install + " show " + project).out;
    EXPECT_NE(shown.find("  Gradient:              BLUE, Top To Bottom\n"), std::string::npos)
        << shown;
    EXPECT_NE(shown.find("  Drop shadow:           off\n"), std::string::npos);
    EXPECT_NE(
        shown.find("  Background title:      \"App Setup\", Times New Roman 48, Normal, LEFT\n"),
        std::string::npos);
}

}  // namespace
}  // namespace vantrel
