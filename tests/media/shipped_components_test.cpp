// A CD set built on the sample installation holds the files of the selected
// components and of nothing else, and the plan's file-set size counts the same.
#include <set>
#include <string>

#include "media/media_builder.h"
#include "media/media_plan.h"
#include "media_fixture.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kInstallation = VANTREL_SOURCE_DIR "/installation";

using Names = std::set<std::string>;

class ShippedComponents : public ::testing::Test {
  protected:
    void SetUp() override {
        project.SetInstallLocationOverride(kInstallation);
        project.Reset();
        ASSERT_TRUE(project.Catalogue().loaded);
        project.UninstallComponent = project.RuntimeComponent = 0;
        project.FrameworkComponent = project.BDEComponent = project.AreWritingToolsSelected = 0;
    }

    // Builds a CD set into a fresh folder; its path.
    std::string BuildCd() {
        std::string media = dir / ("cd" + std::to_string(++builds));
        WMediaPlan plan;
        EXPECT_TRUE(plan.ParseSize("100MB"));
        plan.Gather(project);
        plan.Recompute();
        planned = plan.FileSetSize();
        engineFiles = plan.EngineFiles();
        test::RecordingProgress progress;
        WMediaBuilder builder(project, plan.Request(project, media), progress);
        EXPECT_TRUE(builder.Run()) << builder.ErrorText();
        return media;
    }

    // Every catalogue component (and what they bring) has its files in the
    // set exactly when it is one of `shipped`.
    void ExpectFilesOf(const std::string& media, const Names& shipped) {
        double expectedSize = 0;
        for (const std::string& file : engineFiles)
            expectedSize += static_cast<double>(FileSizeOf(file));
        for (WSetupComponent* c : project.Components()->Components()) {
            if (c->IsApplicationComponent())
                continue;
            const bool ships = shipped.count(c->GetName()) != 0;
            for (int type : {kElementFile, kElementTTFFile}) {
                for (const auto& e : c->Elements(type)) {
                    std::string path = ResolveNoCase(JoinPath(media, e->GetSourceName()));
                    EXPECT_EQ(IsFile(path), ships) << c->GetName() << ": " << e->GetSourceName();
                    if (ships)
                        expectedSize += e->GetSize();
                }
            }
        }
        EXPECT_EQ(planned, expectedSize);
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    double planned = 0;
    std::vector<std::string> engineFiles;
    int builds = 0;
};

TEST_F(ShippedComponents, EverythingUncheckedShipsOnlyTheEngine) {
    project.ApplyComponentSelection();
    std::string media = BuildCd();
    ExpectFilesOf(media, {"Distrib"});
    for (const char* folder :
         {"Runtime", "Framework", "Bde501", "Sql501", "Dict", "Common", "Uninstall", "Fonts"}) {
        EXPECT_FALSE(PathExists(ResolveNoCase(JoinPath(media, folder)))) << folder;
    }
}

TEST_F(ShippedComponents, EachChoiceShipsItsFilesAndWhatTheyNeed) {
    struct Case {
        int WProjectData::*flag;
        Names shipped;
    };
    const Case cases[] = {
        {&WProjectData::UninstallComponent, {"Uninstall"}},
        {&WProjectData::RuntimeComponent, {"TY9Run_Program", "TY9_Common"}},
        {&WProjectData::FrameworkComponent, {"TY9_Framework", "TY9Run_Program", "TY9_Common"}},
        {&WProjectData::BDEComponent, {"OnDmndBDE", "BDE_Admin"}},
        {&WProjectData::IsOracleSelected, {"SQL_ora", "OnDmndBDE", "BDE_Admin"}},
        {&WProjectData::IsDB2Selected, {"SQL_db", "OnDmndBDE", "BDE_Admin"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.shipped.begin());
        project.*c.flag = 1;
        project.ApplyComponentSelection();
        Names shipped = c.shipped;
        shipped.insert("Distrib");
        ExpectFilesOf(BuildCd(), shipped);
        project.*c.flag = 0;
    }

    // Two dictionaries of one script ship that script's files once.
    project.RuntimeComponent = project.AreWritingToolsSelected = 1;
    project.WritingToolLanguages = {"UK", "IT"};
    project.ApplyComponentSelection();
    ExpectFilesOf(BuildCd(), {"Distrib", "TY9Run_Program", "TY9_Common", "LX9_English",
                              "LX9_Italian", "LX9_Engine"});
}

}  // namespace
}  // namespace vantrel
