// The test run: a temporary setup folder in the media folder, the engine
// started with "/nocopy" and waited for, and the folder removed afterwards.
#include "media/test_run.h"

#include <sys/stat.h>

#include "media_fixture.h"
#include "platform/process.h"

namespace vantrel {
namespace {

using test::MediaFixture;

class TestRun : public MediaFixture {
  protected:
    // A stand-in engine that records its arguments and the files around it,
    // leaves a file behind, and ends with `status`.
    void StandInEngine(int status) {
        record = dir / "record.txt";
        std::string script =
            "#!/bin/sh\nhere=$(dirname \"$0\")\n"
            "{ echo \"args:$*\"; cd \"$here\" && find . -type f | sort; } > '" +
            record + "'\necho left > \"$here/left-behind.txt\"\nexit " + std::to_string(status) +
            "\n";
        std::string engine = dir.Write("install/Distrib/setup32.exe", script);
        ::chmod(ToNative(engine).c_str(), 0755);
        request = WTestRun::RequestFor(*project, media);
    }

    std::string record;
};

TEST_F(TestRun, RunsTheEngineOnScriptsAndEngineFilesOnlyAndRemovesTheFolder) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddAppFile("bin/app.exe", "application");
    StandInEngine(0);

    WTestRun::Result result = WTestRun::Run(*project, request);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.removed);
    EXPECT_EQ(result.folder, media + "/~ZLT000");
    EXPECT_FALSE(PathExists(result.folder));
    EXPECT_EQ(dir.Read("record.txt"),
              "args:/nocopy\n./Setup/Box.id\n./Setup/Swintlen.dll\n./Setup/comp.kvz\n"
              "./Setup/project.kvz\n./Setup/setup.exe\n./Setup/string.str\n./autorun.inf\n"
              "./setup32.exe\n");
}

TEST_F(TestRun, TextsAFolderInUseAndTheEnginesExitStatus) {
    project->DisplayLicense = 1;
    project->LicenseText = "terms";
    project->DisplayRelease = 1;
    project->ReleaseText = "notes";
    dir.Write("media/~ZLT000/keep.txt", "keep");
    StandInEngine(3);

    WTestRun::Result result = WTestRun::Run(*project, request);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.folder, media + "/~ZLT001");
    EXPECT_TRUE(result.removed);
    EXPECT_EQ(dir.Read("media/~ZLT000/keep.txt"), "keep");
    std::string seen = dir.Read("record.txt");
    EXPECT_NE(seen.find("./Setup/license.txt\n"), std::string::npos) << seen;
    EXPECT_NE(seen.find("./Setup/release.txt\n"), std::string::npos) << seen;
}

TEST_F(TestRun, AnEngineThatCannotStartIsReportedInTheResultOnly) {
    // The fixture's setup32.exe is a plain file, not a program of this host.
    request = WTestRun::RequestFor(*project, media);
    if (!ResolveLaunch(install + "/Distrib/setup32.exe", {}).empty())
        GTEST_SKIP() << "this host can start .exe files";
    WTestRun::Result result = WTestRun::Run(*project, request);
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.removed);
    EXPECT_FALSE(PathExists(result.folder));
}

}  // namespace
}  // namespace vantrel
