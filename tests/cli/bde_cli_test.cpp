// `set` on the database-engine settings: the rules of the wizard's
// database-engine page.
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

class DatabaseEngineSettings : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        project = dir / "work/p.zlt";
        ASSERT_EQ(Cli("new work/p.zlt --name Ledger --company Acme").status, 0);
    }
    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }
    std::string Show() { return Cli("show work/p.zlt").out; }
    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    test::ScratchFolder dir;
    std::string project;
};

TEST_F(DatabaseEngineSettings, ADriverBringsTheDatabaseEngineAlong) {
    // Without the runtime and without drivers the engine may go.
    ASSERT_EQ(Cli("set work/p.zlt RuntimeComponent=0 BDEComponent=0").status, 0);
    ExpectHas(Show(), "Database engine:       no\n");

    const test::ShellResult set = Cli("set work/p.zlt IsOracleSelected=1");
    ASSERT_EQ(set.status, 0) << set.err;
    const std::string shown = Show();
    ExpectHas(shown, "Database engine:       yes\n");
    ExpectHas(shown, "SQL Links drivers:     Oracle\n");

    // Taking the engine away while a driver needs it is still refused.
    const std::string before = test::ReadBytes(project);
    const test::ShellResult refused = Cli("set work/p.zlt BDEComponent=0");
    EXPECT_EQ(refused.status, 2);
    ExpectHas(refused.err, "SQL Links driver is installed.");
    EXPECT_EQ(test::ReadBytes(project), before);
}

TEST_F(DatabaseEngineSettings, AnOwnConfigurationFileMustExist) {
    const std::string before = test::ReadBytes(project);
    for (const char* arguments : {"IsDefaultCFGSelected=0 IDAPICNFDirectory=missing.cfg",
                                  "IsDefaultCFGSelected=0 IDAPICNFDirectory=",
                                  "IsDefaultCFGSelected=0 IDAPICNFDirectory=."}) {
        SCOPED_TRACE(arguments);
        const test::ShellResult refused = Cli(std::string("set work/p.zlt ") + arguments);
        EXPECT_EQ(refused.status, 2);
        ExpectHas(refused.err, "vantrel-cli: The path to the CFG file is invalid. (");
        EXPECT_EQ(test::ReadBytes(project), before);
    }

    // A path relative to the current folder is kept as a full path.
    const std::string own = dir.Write("own/MY.CFG", "[config]");
    const test::ShellResult set =
        Cli("set work/p.zlt IsDefaultCFGSelected=0 IDAPICNFDirectory=own/MY.CFG");
    ASSERT_EQ(set.status, 0) << set.err;
    ExpectHas(Show(), "Engine configuration:  own, " + DisplayPath(own) + "\n");

    // Once the file is gone, choosing it again is refused; other keys still
    // change.
    RemoveFile(own);
    EXPECT_EQ(Cli("set work/p.zlt IsDefaultCFGSelected=0").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt Version=2.0").status, 0);
    EXPECT_EQ(Cli("set work/p.zlt IsDefaultCFGSelected=1").status, 0);
    ExpectHas(Show(), "Engine configuration:  default, " +
                          DisplayPath(dir / "install/Bde501/IDAPI.CNF") + "\n");
}

}  // namespace
}  // namespace vantrel
