// The media plan: sizes, the single-disk or floppy decision, the estimate,
// the checks and their messages.
#include "media/media_plan.h"

#include <algorithm>
#include <set>

#include "media/file_copy.h"
#include "media_fixture.h"
#include "platform/strings.h"
#include "project/project_data.h"

namespace vantrel {
namespace {

using test::MediaFixture;

class Plan : public MediaFixture {
  protected:
    // A project whose file set is `size` bytes (no engine files).
    void FileSet(double size) {
        RemoveTreeForced(install + "/Distrib");
        distrib->ClearElements(kElementFile);
        auto element = CreateElement(kElementFile);
        element->SetSize(size);
        distrib->AddElement(std::move(element));
        plan.Gather(*project);
        ASSERT_EQ(plan.FileSetSize(), size);
    }

    static WVolumeProbe Fake(double free, bool exists = true, bool cd = false) {
        WVolumeProbe p;
        p.driveExists = [exists](std::string_view) { return exists; };
        p.isCdOrRemovable = [cd](std::string_view) { return cd; };
        p.driveOf = [](std::string_view) { return std::string("/media/cdrom"); };
        p.freeSpace = [free](std::string_view) { return free; };
        return p;
    }

    WMediaPlan plan;
};

TEST_F(Plan, SizeEntriesAndTheSizesTypedOnTheCommandLine) {
    const std::vector<std::pair<std::string, double>> entries = {
        {"720 KB", 720000},    {"1.44 MB", 1440000},  {"2.88 MB", 2880000}, {"100 MB", 100000000},
        {"250 MB", 250000000}, {"640 MB", 640000000}, {"Custom size...", 0}};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(MediaSizeEntries[i].text, entries[i].first);
        EXPECT_EQ(MediaSizeEntries[i].bytes, entries[i].second);
    }
    EXPECT_EQ(plan.Selection(), 1);

    for (auto [text, index] : std::vector<std::pair<const char*, int>>{{"720KB", 0},
                                                                       {"1.44 MB", 1},
                                                                       {"1.44mb", 1},
                                                                       {"2.88MB", 2},
                                                                       {"100MB", 3},
                                                                       {" 640 mb ", 5}}) {
        ASSERT_TRUE(plan.ParseSize(text)) << text;
        EXPECT_EQ(plan.Selection(), index) << text;
    }
    ASSERT_TRUE(plan.ParseSize("700KB"));
    EXPECT_EQ(plan.Selection(), WMediaPlan::kCustomEntry);
    EXPECT_EQ(plan.CustomText(), "700");
    EXPECT_EQ(plan.CustomUnit(), "KB");
    EXPECT_EQ(plan.Capacity(), 700000);
    ASSERT_TRUE(plan.ParseSize("1.5 mb"));
    EXPECT_EQ(plan.Capacity(), 1500000);
    for (const char* bad : {"", "12GB", "abc", "MB", "1.44", "1,44MB"})
        EXPECT_FALSE(plan.ParseSize(bad)) << bad;
    EXPECT_EQ(plan.Capacity(), 1500000);

    // The saved choice goes back and forth through the project.
    const WMediaPlan::SavedChoice saved = plan.Saved();
    EXPECT_EQ(saved.diskSize, "Custom size...");
    EXPECT_EQ(saved.floppyCustomSize, "1.5");
    EXPECT_EQ(saved.floppySetSizeType, "MB");
    project->DiskSize = saved.diskSize;
    project->FloppyCustomSize = saved.floppyCustomSize;
    project->FloppySetSizeType = saved.floppySetSizeType;
    WMediaPlan other;
    other.TakeFromProject(*project);
    EXPECT_EQ(other.Capacity(), 1500000);
}

TEST_F(Plan, APresetMustExceedTheFileSetWhileACustomSizeMayEqualIt) {
    FileSet(1440000);
    ASSERT_TRUE(plan.ParseSize("1.44 MB"));
    plan.Recompute();
    EXPECT_TRUE(plan.IsFloppy());
    EXPECT_EQ(plan.Saved().isFloppySetup, 1);
    EXPECT_EQ(plan.SizeText(), "Size of fileset including setup files : 1.44 MB");
    EXPECT_EQ(plan.Description(),
              "Description :  A floppy setup, using multiple 1.44 MB disks, will be created. Once "
              "the media is created, copy over the contents of each numbered directory onto "
              "seperate disks. To begin installation of the product, double click on setup.exe on "
              "the first disk.");

    ASSERT_TRUE(plan.ParseSize("1440KB"));
    plan.Recompute();
    EXPECT_FALSE(plan.IsFloppy());
    EXPECT_EQ(plan.Saved().isFloppySetup, 0);
    EXPECT_EQ(plan.Request(*project, "/m").mediaSize, 1440000);
    EXPECT_EQ(plan.EstimateText(), "Estimated number of disks : 1");
    EXPECT_EQ(plan.Description().rfind("Description :  A single disk setup will be created", 0),
              0u);

    ASSERT_TRUE(plan.ParseSize("1.2MB"));
    plan.Recompute();
    EXPECT_NE(plan.Description().find("using multiple 1.2 MB disks"), std::string::npos);
}

TEST_F(Plan, EstimatedNumberOfDisks) {
    EXPECT_EQ(WMediaPlan::EstimateDisks(2000000, 1440000), 1);
    EXPECT_EQ(WMediaPlan::EstimateDisks(1440000, 1440000), 1);
    // The "+ 1" applies only when the real division is not exact.
    EXPECT_EQ(WMediaPlan::EstimateDisks(10000000, 1440000), 3);
    EXPECT_EQ(WMediaPlan::EstimateDisks(1000000, 3), 133334);
    EXPECT_EQ(WMediaPlan::EstimateDisks(100000000, 1440000), 28);
}

TEST_F(Plan, TheMediumSizeIsValidatedWithTheProjectsRange) {
    for (const char* bad : {"1.2.3", "-5", "", "abc", "699.999"}) {
        plan.SetCustom(bad, "KB");
        plan.Select(WMediaPlan::kCustomEntry);
        WMediaCheck check = plan.ValidateMediaSize(*project);
        EXPECT_EQ(check.message, "Please enter a valid floppy size") << bad;
        EXPECT_EQ(check.caption, "Custom Floppy Size");
    }
    plan.SetCustom("660.000001", "MB");
    EXPECT_FALSE(plan.ValidateMediaSize(*project).Ok());
    plan.SetCustom("700", "KB");
    EXPECT_TRUE(plan.ValidateMediaSize(*project).Ok());
    EXPECT_EQ(plan.Capacity(), 700000);
    plan.SetCustom("660", "MB");
    EXPECT_TRUE(plan.ValidateMediaSize(*project).Ok());
    ASSERT_TRUE(plan.ParseSize("720KB"));
    EXPECT_TRUE(plan.ValidateMediaSize(*project).Ok());
    EXPECT_EQ(plan.Capacity(), 720000);
}

TEST_F(Plan, EngineFilesAndTheFileSet) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddInstallFile(distrib, "Fonts\\sans.ttf", kElementTTFFile);
    AddAppFile("bin/app.exe", std::string(1000, 'x'));
    plan.Gather(*project);
    const std::vector<std::string> engine = {
        install + "/Distrib/autorun.inf", install + "/Distrib/setup32.exe",
        install + "/Distrib/Setup/Box.id", install + "/Distrib/Setup/Swintlen.dll",
        install + "/Distrib/Setup/setup.exe"};
    EXPECT_EQ(plan.EngineFiles(), engine);
    EXPECT_EQ(plan.EngineRootLast(), 1);
    double engineBytes = 0;
    for (const auto& f : engine)
        engineBytes += static_cast<double>(FileSizeOf(f));
    EXPECT_EQ(plan.FileSetSize(), engineBytes + 28 + 4 + 1000);
    // The build takes them from the plan's request, the first two to the root.
    const WBuildRequest request = plan.Request(*project, "/set");
    EXPECT_EQ(request.engineFiles, engine);
    EXPECT_EQ(request.RootEngineFiles(), (std::vector<std::string>{engine[0], engine[1]}));
    EXPECT_EQ(request.EngineFileDestination(1, "/set"), "/set/setup32.exe");
    EXPECT_EQ(request.EngineFileDestination(2, "/set"), "/set/Setup/Box.id");
}

TEST_F(Plan, MediaFolderChecksInOrderWithTheirMessages) {
    FileSet(1000);
    ASSERT_TRUE(plan.ParseSize("640MB"));
    plan.Recompute();
    EXPECT_TRUE(plan.CheckMediaFolder("/srv/media", Fake(1000)).Ok());
    EXPECT_EQ(plan.CheckMediaFolder("", Fake(1e9)).message,
              "You have entered an invalid character for a directory.");
    EXPECT_EQ(plan.CheckMediaFolder("/srv/a\tb", Fake(1e9)).message,
              "You have entered an invalid character for a directory.");
    for (const char* bad :
         {"/srv/a*b", "/srv/a?", "C:\\a\"b", "/srv/<x>", "/srv/a|b", "/srv/a,b"}) {
        WMediaCheck check = plan.CheckMediaFolder(bad, Fake(1e9));
        EXPECT_EQ(check.message,
                  "A directory cannot contain any of the following characters:\n\t* ? \" < > | ,")
            << bad;
        EXPECT_EQ(check.caption, "Tessary 9 Vantrel");
    }
    EXPECT_EQ(plan.CheckMediaFolder("/srv/media", Fake(1e9, false)).message,
              "Destination drive does not exist.");
    EXPECT_EQ(plan.CheckMediaFolder("/media/cdrom/out", Fake(1e9, true, true)).message,
              "/media/cdrom is not a valid destination drive.  Please select a fixed drive.");
    EXPECT_EQ(plan.CheckMediaFolder("/srv/media", Fake(999)).message,
              "Not enough disk space available on destination drive.");

    // A floppy set needs room for 1.75 times the file set.
    ASSERT_TRUE(plan.ParseSize("720KB"));
    FileSet(1000000);
    plan.Recompute();
    ASSERT_TRUE(plan.IsFloppy());
    EXPECT_FALSE(plan.CheckMediaFolder("/srv/media", Fake(1749999)).Ok());
    EXPECT_TRUE(plan.CheckMediaFolder("/srv/media", Fake(1750000)).Ok());
    EXPECT_TRUE(plan.CheckBeforeBuild(*project, "/srv/media", Fake(1750000)).Ok());
    plan.SetCustom("1.2.3", "MB");
    plan.Select(WMediaPlan::kCustomEntry);
    EXPECT_EQ(plan.CheckBeforeBuild(*project, "/srv/media", Fake(1e12)).caption,
              "Custom Floppy Size");

    // Where a drive letter names no volume (a POSIX host).
    if (!IsFolder("C:\\")) {
        EXPECT_EQ(plan.CheckMediaFolder("C:\\Media").message, "Destination drive does not exist.");
    }
    EXPECT_TRUE(plan.CheckMediaFolder(dir / "out").Ok());
    // The scratch folder holds the installation the set is read from.
    EXPECT_NE(plan.CheckMediaFolder(dir.path()).message.find("contains the installation folder"),
              std::string::npos);
    EXPECT_EQ(WMediaPlan::CleanMediaFolder("C:\\Media\\\\"), "C:\\Media");
    EXPECT_EQ(WMediaPlan::CleanMediaFolder("C:\\Media\\\\\\"), "C:\\Media\\");
}

// The components the plan names are the ones the build ships: the project's
// selection, by level, with "Product", "Program_files" and "Distrib" always.
// Standard components are named through the engine's string file.
TEST(PlanComponents, NamesTheSelectedComponentsOnly) {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    project.SetInstallLocationOverride(VANTREL_SOURCE_DIR "/installation");
    project.Reset();
    ASSERT_TRUE(project.Catalogue().loaded);
    project.SetApplicationName("Ledger");
    project.UninstallComponent = project.RuntimeComponent = 0;
    project.FrameworkComponent = project.BDEComponent = project.AreWritingToolsSelected = 0;
    project.ApplyComponentSelection();

    WMediaPlan plan;
    plan.Gather(project);
    const std::vector<std::string> off = plan.ShippingComponents();
    EXPECT_EQ(Join(off, "|"), "Ledger|Setup Engine|Program Files");
    EXPECT_EQ(plan.ComponentsText(), "Components: Ledger, Setup Engine, Program Files");

    project.RuntimeComponent = 1;
    project.ApplyComponentSelection();
    plan.Gather(project);
    const std::vector<std::string> on = plan.ShippingComponents();
    for (const char* name : {"Tessary 9 Runtime", "Tessary 9 Common Files"})
        EXPECT_NE(std::find(on.begin(), on.end(), name), on.end()) << Join(on, "|");
    EXPECT_EQ(on.size(), off.size() + 2) << Join(on, "|");
    EXPECT_EQ(std::set<std::string>(on.begin(), on.end()).size(), on.size());

    // The project's own strings come before the engine's.
    const WScriptStringMap::Entries saved = ScriptStringMap().Copy();
    ScriptStringMap().Set("TY9RunName", "Our Runtime");
    plan.Gather(project);
    ScriptStringMap().Replace(saved);
    EXPECT_NE(plan.ComponentsText().find("Our Runtime"), std::string::npos);

    // Without a project's components there is nothing to name.
    EXPECT_EQ(WMediaPlan().ComponentsText(), "Components: none");
}

TEST_F(Plan, AnExistingSetupIsFoundAndCanBeCleared) {
    EXPECT_FALSE(WMediaPlan::HasExistingSetup(media));
    dir.Write("media/SETUP", "a file named like the folder");
    dir.Write("media/other.txt", "x");
    EXPECT_FALSE(WMediaPlan::HasExistingSetup(media));
    for (const char* marker : {"Setup32.EXE", "setup/project.kvz", "DISK001/disk001.cfi"}) {
        test::ScratchFolder folder;
        folder.Write(marker, "x");
        EXPECT_TRUE(WMediaPlan::HasExistingSetup(folder.path())) << marker;
    }
    dir.Write("media/disk001/disk001.cfi", "x");
    SetReadOnly(dir.Write("media/disk001/readonly.txt", "x"), true);
    EXPECT_TRUE(WMediaPlan::HasExistingSetup(media));
    EXPECT_TRUE(WMediaPlan::ClearFolder(media));
    EXPECT_TRUE(IsFolder(media));
    // The set's disk folder goes; the user's own files stay.
    EXPECT_EQ(ListFolder(media, true, true), (std::vector<std::string>{"SETUP", "other.txt"}));

    EXPECT_EQ(WMediaPlan::ExistingSetupQuestion("C:\\Media"),
              "There appears to be an existing setup located at :\n C:\\Media\n\nDo you wish to "
              "remove it before continuing?");
    EXPECT_EQ(WMediaPlan::ExistingSetupQuestion(
                  "C:\\Program Files\\Acme Software\\Distribution\\Media\\Ledger 2"),
              "There appears to be an existing setup located at :\n C:\\Program Files\\Acme "
              "Software\\...\\Ledger 2\n\nDo you wish to remove it before continuing?");
}

}  // namespace
}  // namespace vantrel
