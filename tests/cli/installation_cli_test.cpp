// What the command line says about the installation folder and the paths it
// prints: a command never makes a project or a set without the standard
// components or the setup engine and calls it a success, and a path outside
// ASCII is printed as it is.
#include <string>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

class InstallationCommands : public ::testing::Test {
  protected:
    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }
    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }
    test::ScratchFolder dir;
};

TEST_F(InstallationCommands, AnInstallationWithoutComponentsOrEngineIsRefused) {
    // No folder at all, and a folder without "Comps": no project is made.
    test::ShellResult r = Cli("new p.zlt");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err,
              "vantrel-cli: the installation folder " + (dir / "install") + " does not exist");
    MakeFolders(dir / "install");
    r = Cli("new p.zlt");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, "has no Comps folder: the standard components are missing");
    EXPECT_FALSE(PathExists(dir / "p.zlt"));

    // With the components a project can be made, but no set without the engine.
    test::WriteMinimalComps(dir, "install");
    ASSERT_EQ(Cli("new p.zlt").status, 0);
    dir.Write("src/a.txt", "a");
    ASSERT_EQ(Cli("add-files p.zlt src/a.txt").status, 0);
    for (const char* size : {"640MB", "1.44MB"}) {
        r = Cli(std::string("build p.zlt --media m --size ") + size);
        EXPECT_EQ(r.status, 1) << size;
        ExpectHas(r.err, "has no Distrib/setup32.exe: the setup engine is missing");
        EXPECT_FALSE(PathExists(dir / "m"));
    }
    r = Cli("test-run p.zlt");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, "the setup engine is missing");
}

TEST_F(InstallationCommands, PathsOutsideAsciiArePrintedOnce) {
    test::WriteMinimalComps(dir, "install");
    dir.Write("install/Distrib/setup32.exe", "engine");
    // "Prüf": Windows-1252 text for the scratch folder, UTF-8 on the command line.
    const std::string prufe = std::string("Pr\xFC") + "f";
    dir.Write(prufe + "/src/a.txt", "a");
    const std::string folder = Cp1252ToUtf8(dir / prufe);
    test::ShellResult r = Cli("new " + test::ShellQuote(folder + "/p.zlt"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, folder + "/p.zlt\n");
    ASSERT_EQ(Cli("add-files " + test::ShellQuote(folder + "/p.zlt") + " " +
                  test::ShellQuote(folder + "/src/a.txt"))
                  .status,
              0);
    r = Cli("build " + test::ShellQuote(folder + "/p.zlt") + " --media " +
            test::ShellQuote(folder + "/m") + " --size 640MB");
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, "Media created in " + folder + "/m\n");
    r = Cli("show " + test::ShellQuote(folder + "/p.zlt"));
    ExpectHas(r.out, folder + "/src");
    EXPECT_EQ(r.out.find("\xC3\x83"), std::string::npos) << r.out;  // "Ã": converted twice
}

}  // namespace
}  // namespace vantrel
