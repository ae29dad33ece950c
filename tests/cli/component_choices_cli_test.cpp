// vantrel-cli set changes what build ships: on the sample installation, the
// component choices of a project reach comp.kvz and the files of the set.
#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

class ComponentChoices : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(::symlink(VANTREL_SAMPLE_INSTALL, (dir / "install").c_str()), 0);
        dir.Write("src/readme.txt", "read me");
        ASSERT_EQ(Cli("new p.zlt --name Ledger --company Acme").status, 0);
        ASSERT_EQ(Cli("add-files p.zlt src/readme.txt").status, 0);
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // Builds a CD set into out/NAME; the set's folder.
    std::string Build(const std::string& name) {
        test::ShellResult r = Cli("build p.zlt --media out/" + name + " --size 100MB");
        EXPECT_EQ(r.status, 0) << r.err;
        return dir / ("out/" + name);
    }

    bool Ships(const std::string& set, const std::string& relative) {
        return IsFile(ResolveNoCase(JoinPath(set, relative)));
    }

    test::ScratchFolder dir;
};

TEST_F(ComponentChoices, UncheckedComponentsAreNotShippedAndCheckedOnesAre) {
    ASSERT_EQ(Cli("set p.zlt RuntimeComponent=0 FrameworkComponent=0 BDEComponent=0 "
                  "AreWritingToolsSelected=0 UninstallComponent=0")
                  .status,
              0);
    std::string set = Build("none");
    EXPECT_TRUE(Ships(set, "readme.txt"));
    EXPECT_TRUE(Ships(set, "System/tyctl32.dll"));  // the engine's component
    for (const char* folder : {"Runtime", "Framework", "Bde501", "Sql501", "Dict", "Common"})
        EXPECT_FALSE(PathExists(ResolveNoCase(JoinPath(set, folder)))) << folder;
    std::string comp = test::ReadBytes(JoinPath(set, "Setup/comp.kvz"));
    EXPECT_EQ(comp.find("TY9Run_Program,"), std::string::npos);
    EXPECT_NE(comp.find("\r\nProgram_files,"), std::string::npos);
    EXPECT_NE(comp.find(",Distrib,1,"), std::string::npos) << comp;

    // A driver needs the database engine; the project file keeps the choice
    // for the next command.
    ASSERT_EQ(Cli("set p.zlt IsOracleSelected=1 BDEComponent=1").status, 0);
    set = Build("oracle");
    EXPECT_TRUE(Ships(set, "Sql501/sqlora32.dll"));
    EXPECT_FALSE(Ships(set, "Sql501/sqldb232.dll"));
    EXPECT_TRUE(Ships(set, "Bde501/idapi32.dll"));
    EXPECT_FALSE(Ships(set, "Runtime/tyrun90.dll"));

    ASSERT_EQ(Cli("set p.zlt IsOracleSelected=0 FrameworkComponent=1 RuntimeComponent=1").status,
              0);  // the database engine stays: the runtime needs it
    set = Build("framework");
    EXPECT_TRUE(Ships(set, "Framework/tyfw90.dll"));
    EXPECT_TRUE(Ships(set, "Runtime/tyrun90.dll"));
    EXPECT_FALSE(Ships(set, "Sql501/sqlora32.dll"));
    EXPECT_TRUE(Ships(set, "Bde501/idapi32.dll"));
    EXPECT_FALSE(Ships(set, "Dict/lx9eng.dll"));
}

}  // namespace
}  // namespace vantrel
