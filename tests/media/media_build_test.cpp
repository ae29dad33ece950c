// "Create Media" from start to end through one call: the order of its
// checks, the question about a setup already in the folder, the build, the
// check of the set, and a project that the build leaves as it was.
#include "media/media_build.h"

#include "media_fixture.h"
#include "platform/files.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using Answer = WMediaProgress::ExistingSetup;
using Stage = WMediaBuildResult::Stage;

// Answers the question about an existing setup and records it.
class AnsweringProgress : public test::RecordingProgress {
  public:
    Answer AskExistingSetup(const std::string& question) override {
        questions.push_back(question);
        return answer;
    }
    void ShowPlan(const WMediaPlan& plan) override {
        planned.push_back(plan.SizeText());
        estimates.push_back(plan.EstimateText());
    }

    Answer answer = Answer::kRemove;
    std::vector<std::string> questions;
    std::vector<std::string> planned;
    std::vector<std::string> estimates;
};

class MediaBuild : public test::MediaFixture {
  protected:
    void SetUp() override {
        MediaFixture::SetUp();
        MakeFolders(install + "/Comps");
        AddInstallFile(distrib, "System\\shared.dll");
        AddAppFile("bin/app.exe", "MZ application");
    }

    WMediaBuildResult Run(const std::string& size, const std::string& folder,
                          const WVolumeProbe* probe = nullptr, bool verify = false) {
        WMediaPlan plan;
        EXPECT_TRUE(plan.ParseSize(size)) << size;
        WMediaBuildOptions options;
        options.mediaFolder = folder;
        options.probe = probe;
        options.verify = verify;
        return BuildMedia(*project, plan, options, progress);
    }

    AnsweringProgress progress;
};

TEST_F(MediaBuild, BuildsAndChecksTheSetWithoutWritingIntoTheProject) {
    project->DiskSize = "2.88 MB";
    project->IsFloppySetup = 1;
    const std::string folderBefore = project->MediaDistributionDirectory;
    const double sizeBefore = project->GetMediaSize();

    // A trailing backslash is dropped.
    const WMediaBuildResult result = Run("640MB", media + "\\", nullptr, true);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.stage, Stage::kVerify);
    EXPECT_TRUE(result.verified);
    EXPECT_GT(result.verifiedFiles, 0);
    EXPECT_TRUE(result.problems.empty());
    EXPECT_EQ(result.mediaFolder, media);
    EXPECT_FALSE(result.floppy);
    EXPECT_EQ(result.logPath, media + "/Setup/setup.log");
    EXPECT_EQ(test::ReadBytes(media + "/bin/app.exe"), "MZ application");
    EXPECT_EQ(progress.planned.size(), 1u);
    EXPECT_TRUE(progress.questions.empty());

    // What the project file saves is the page's to change, not the build's.
    EXPECT_EQ(project->MediaDistributionDirectory, folderBefore);
    EXPECT_EQ(project->DiskSize, "2.88 MB");
    EXPECT_EQ(project->IsFloppySetup, 1);
    EXPECT_EQ(project->GetMediaSize(), sizeBefore);
}

// The build works out the floppies only for a floppy set, after it has
// found that the set is one; it shows what the plan gathered whole shows.
TEST_F(MediaBuild, AFloppyBuildShowsTheEstimateOfThePlanGatheredWhole) {
    AddAppFile("data/noise.bin", test::RandomBytes(1500000, 11));
    AddAppFile("data/text.txt", std::string(400000, 'a'));
    WMediaPlan whole;
    ASSERT_TRUE(whole.ParseSize("720KB"));
    whole.Gather(*project);
    whole.Recompute();
    ASSERT_TRUE(whole.IsFloppy());

    const WMediaBuildResult result = Run("720KB", media);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_TRUE(result.floppy);
    EXPECT_EQ(progress.estimates, std::vector<std::string>{whole.EstimateText()});
}

TEST_F(MediaBuild, ChecksComeInOrderAndWriteNothing) {
    WVolumeProbe noDrive = WVolumeProbe::Host();
    noDrive.driveExists = [](std::string_view) { return false; };
    WMediaBuildResult r = Run("5KB", media, &noDrive);
    EXPECT_EQ(r.stage, Stage::kFolder);  // before the size
    EXPECT_EQ(r.message, "Destination drive does not exist.");

    r = Run("5KB", media);
    EXPECT_EQ(r.stage, Stage::kSize);
    EXPECT_EQ(r.message, "Please enter a valid floppy size");
    EXPECT_EQ(r.caption, "Custom Floppy Size");
    EXPECT_FALSE(PathExists(media));

    dir.Write("file", "x");
    r = Run("640MB", dir / "file");
    EXPECT_EQ(r.stage, Stage::kFolder);
    EXPECT_TRUE(r.folderIsFile);
    EXPECT_EQ(dir.Read("file"), "x");

    RemoveFile(install + "/Distrib/setup32.exe");
    r = Run("640MB", media);
    EXPECT_EQ(r.stage, Stage::kInstallation);
    EXPECT_NE(r.message.find("the setup engine is missing"), std::string::npos) << r.message;
    EXPECT_FALSE(PathExists(media));
    EXPECT_FALSE(r.ok);
}

TEST_F(MediaBuild, AnExistingSetupIsRemovedKeptOrStopsTheBuildAsAnswered) {
    struct Case {
        Answer answer;
        bool built;
    };
    for (const Case& c :
         {Case{Answer::kCancel, false}, Case{Answer::kKeep, false}, Case{Answer::kRemove, true}}) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        RemoveTreeForced(media);
        dir.Write("media/Setup/old.txt", "an earlier set");
        dir.Write("media/mine.txt", "mine");
        progress.answer = c.answer;
        progress.questions.clear();
        const WMediaBuildResult r = Run("640MB", media);
        ASSERT_EQ(progress.questions.size(), 1u);
        EXPECT_EQ(progress.questions[0], WMediaPlan::ExistingSetupQuestion(media));
        EXPECT_EQ(r.ok, c.built) << r.message;
        EXPECT_EQ(r.existingCancelled, c.answer == Answer::kCancel);
        EXPECT_EQ(r.existingKept, c.answer == Answer::kKeep);
        EXPECT_EQ(r.existingRemoved, c.built);
        EXPECT_EQ(IsFile(media + "/Setup/old.txt"), !c.built);
        EXPECT_EQ(IsFile(media + "/setup32.exe"), c.built);
        EXPECT_EQ(dir.Read("media/mine.txt"), "mine");
    }
}

}  // namespace
}  // namespace vantrel
