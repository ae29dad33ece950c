#include "project/bde_rules.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A project on a scratch installation with the standard component scripts.
struct Installed {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    Installed() {
        test::WriteMinimalComps(dir, "install");
        TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                                WProjectData::kInstallValue, dir / "install");
        project.Reset();
    }
    bool Selected(const char* name) const {
        const WSetupComponent* c = project.Components()->Find(name);
        return c && c->IsSelected();
    }
};

// PATH set to `value` for the life of the object.
struct PathVariable {
    std::string saved;
    explicit PathVariable(const std::string& value) {
        if (const char* p = std::getenv("PATH"))
            saved = p;
        ::setenv("PATH", value.c_str(), 1);
    }
    ~PathVariable() { ::setenv("PATH", saved.c_str(), 1); }
};

TEST(BdeRules, EveryDriverBringsTheEngineAndOnlyItsOwnComponent) {
    for (const SqlLinksDriver& driver : SqlLinksDriverTable) {
        Installed i;
        i.project.BDEComponent = 0;
        i.project.*driver.flag = 1;
        ApplySqlLinksDrivers(i.project);
        EXPECT_EQ(i.project.BDEComponent, 1) << driver.key;
        EXPECT_TRUE(i.Selected("OnDmndBDE")) << driver.key;
        for (const SqlLinksDriver& other : SqlLinksDriverTable) {
            const std::string component = BaseNameUpToFirstDot(other.script);
            EXPECT_EQ(i.Selected(component.c_str()), &other == &driver)
                << driver.key << " " << component;
        }
        EXPECT_TRUE(CheckComponents(i.project.FrameworkComponent, i.project.RuntimeComponent,
                                    i.project.BDEComponent, AnySqlLinksSelected(i.project))
                        .empty());

        // Clearing the driver drops its component; the engine stays as chosen.
        i.project.*driver.flag = 0;
        ApplySqlLinksDrivers(i.project);
        EXPECT_FALSE(i.Selected(BaseNameUpToFirstDot(driver.script).c_str()));
        EXPECT_EQ(i.project.BDEComponent, 1);
    }
}

TEST(BdeRules, WithoutDriversTheEngineFlagIsLeftAlone) {
    Installed i;
    i.project.BDEComponent = 0;
    ApplySqlLinksDrivers(i.project);
    EXPECT_EQ(i.project.BDEComponent, 0);
    for (const SqlLinksDriver& driver : SqlLinksDriverTable)
        EXPECT_FALSE(i.Selected(BaseNameUpToFirstDot(driver.script).c_str()));
}

TEST(BdeRules, AnOwnConfigurationFileMustBeAFileAndIsThenShipped) {
    Installed i;
    const std::string own = i.dir.Write("own/MY.CFG", "[config]");
    const std::string before = i.project.IDAPICNFDirectory;
    for (const std::string& bad : {std::string(), i.dir / "own/missing.cfg", i.dir / "own"}) {
        EXPECT_EQ(CheckConfigFile(bad), kConfigFileInvalid) << bad;
        EXPECT_FALSE(TakeConfigFile(i.project, false, bad)) << bad;
        EXPECT_EQ(i.project.IsDefaultCFGSelected, 1);
        EXPECT_EQ(i.project.IDAPICNFDirectory, before);
        EXPECT_EQ(i.project.ShipUserConfig, 0);
    }

    EXPECT_EQ(CheckConfigFile(own), "");
    ASSERT_TRUE(TakeConfigFile(i.project, false, own));
    EXPECT_EQ(i.project.IsDefaultCFGSelected, 0);
    EXPECT_EQ(i.project.IDAPICNFDirectory, own);
    EXPECT_EQ(i.project.ShipUserConfig, 1);

    // Back to the default file: nothing of the author's is shipped.
    ASSERT_TRUE(TakeConfigFile(i.project, true, own));
    EXPECT_EQ(i.project.IsDefaultCFGSelected, 1);
    EXPECT_EQ(i.project.IDAPICNFDirectory, i.project.DefaultConfigFile);
    EXPECT_EQ(i.project.ShipUserConfig, 0);
}

TEST(BdeRules, TheAdministratorIsFoundWhateverItsCaseAndSaysWhyItCannotStart) {
    Installed i;
    const std::string expected = JoinPath(JoinPath(i.dir / "install", "Bde501"), "BDEADMIN.EXE");
    EXPECT_EQ(DatabaseAdministratorPath(i.project), expected);
    EXPECT_NE(WhyProgramCannotStart(expected).find("was not found"), std::string::npos);

    const std::string lower = i.dir.Write("install/Bde501/bdeadmin.exe", "MZ");
    EXPECT_EQ(DatabaseAdministratorPath(i.project), lower);
    {
        // A Windows program and no wine on the PATH.
        PathVariable path(i.dir / "empty");
        EXPECT_NE(WhyProgramCannotStart(lower).find("wine"), std::string::npos);
    }
    {
        // A program that runs here natively.
        const std::string script = i.dir.Write("install/Bde501/admin.exe", "#!/bin/sh\nexit 0\n");
        ::chmod(script.c_str(), 0755);
        EXPECT_EQ(WhyProgramCannotStart(script), "");
    }
}

}  // namespace
}  // namespace vantrel
