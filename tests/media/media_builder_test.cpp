// The media-creation job for a CD: the ship folder's layout, setup.log, and
// what happens when files are missing, the volume is full, the user cancels
// or the media folder cannot be used.
#include "media/media_builder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <regex>

#include "media/file_copy.h"
#include "media/media_lock.h"
#include "media_fixture.h"
#include "platform/strings.h"

namespace vantrel {
namespace {

using test::MediaFixture;
using test::ReadBytes;
using test::RecordingProgress;

bool IsReadOnly(const std::string& path) {
    struct stat st;
    return ::stat(ToNative(path).c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
}

class CdBuild : public MediaFixture {
  protected:
    std::string In(const std::string& relative) const { return JoinPath(media, relative); }
    std::string Copied(const std::string& relative) const {
        return "Succesfully copied file : " + In(relative);
    }
};

TEST_F(CdBuild, LaysOutTheShipFolderAndLogsEveryStepInOrder) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddInstallFile(distrib, "Fonts\\sans.ttf", kElementTTFFile);
    AddAppFile("bin/app.exe", "MZ application");
    project->DisplayLicense = 1;
    project->LicenseText = "License\nsecond line";
    project->DisplayRelease = 1;
    project->ReleaseText = "Release notes";
    Plan("640MB");
    ASSERT_FALSE(request.floppy);

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    EXPECT_EQ(progress.range, 5 + 3);
    EXPECT_TRUE(progress.errors.empty());

    EXPECT_EQ(ReadBytes(In("setup32.exe")), "engine start program");
    EXPECT_TRUE(IsFile(In("autorun.inf")));
    for (const char* name : {"setup.exe", "Swintlen.dll", "Box.id", "project.kvz", "comp.kvz",
                             "string.str", "setup.log"}) {
        EXPECT_TRUE(IsFile(In(std::string("Setup/") + name))) << name;
    }
    EXPECT_EQ(ReadBytes(In("System/shared.dll")), "shared from the installation");
    EXPECT_EQ(ListFolder(In("System"), true, true), std::vector<std::string>{"shared.dll"});
    EXPECT_EQ(ReadBytes(In("bin/app.exe")), "MZ application");
    EXPECT_EQ(ReadBytes(In("Fonts/sans.ttf")), "font");
    EXPECT_EQ(ReadBytes(In("Setup/license.txt")), "License\r\nsecond line");
    EXPECT_FALSE(IsReadOnly(In("Setup/license.txt")));
    EXPECT_EQ(ReadBytes(In("Setup/release.txt")), "Release notes");
    EXPECT_TRUE(IsReadOnly(In("Setup/release.txt")));
    EXPECT_EQ(ReadBytes(In("Setup/project.kvz")).rfind("[Oxbel Setup Header]", 0), 0u);
    EXPECT_FALSE(IsFolder(In("Bde501")));
    EXPECT_FALSE(IsFolder(In("Sql501")));

    EXPECT_EQ(logPath, In("Setup/setup.log"));
    std::string text = ReadBytes(logPath);
    std::string first = text.substr(0, text.find("\r\n"));
    EXPECT_TRUE(std::regex_match(
        first,
        std::regex("[A-Z][a-z]+day, [A-Z][a-z]+ [0-9]{2}, [0-9]{4}, [0-9]{2}:[0-9]{2}:[0-9]{2}")))
        << first;
    const std::vector<std::string> expected = {
        "Source Folder : " + install,
        "CD Setup Destination Folder : " + media,
        "Install type : CD",
        Copied("autorun.inf"),
        Copied("setup32.exe"),
        Copied("Setup/Box.id"),
        Copied("Setup/Swintlen.dll"),
        Copied("Setup/setup.exe"),
        Copied("System/shared.dll"),
        Copied("Fonts/sans.ttf"),
        Copied("bin/app.exe"),
        "Comp.kvz successfully created",
        "Project.kvz successfully created",
        "License.txt successfully created ",
        "Release.txt created successfully",
        "Successfully create media",
    };
    EXPECT_EQ(LogLines(logPath), expected);
}

// A project made before such paths were refused: the application's own file
// of a path that a standard component or the setup engine fills too (in
// another case, as Windows names do not differ by case) fails the build,
// naming both, instead of silently shipping only one of them.
TEST_F(CdBuild, AnApplicationFileOfAPathAnotherSupplierFillsFailsTheBuild) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddAppFile("system/SHARED.DLL", "the application's copy");
    AddAppFile("Setup32.EXE", "the application's start program");
    AddAppFile("bin/app.exe", "MZ application");
    Plan("640MB");
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("system\\SHARED.DLL"), std::string::npos) << errorText;
    EXPECT_NE(errorText.find("System\\shared.dll of the standard component Distrib"),
              std::string::npos)
        << errorText;

    std::vector<std::string> lines = LogLines(logPath);
    EXPECT_NE(std::find(lines.begin(), lines.end(), errorText), lines.end());
    auto engine = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find("the setup engine's file setup32.exe") != std::string::npos;
    });
    EXPECT_NE(engine, lines.end());
    // Neither path claims a second successful copy; the rest is built.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Copied("System/shared.dll")), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Copied("setup32.exe")), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Error copying file : " + In("setup32.exe")),
              1);
    EXPECT_EQ(ReadBytes(In("bin/app.exe")), "MZ application");
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Successfully create media"), lines.end());
}

// Two different files at one path of the set: one of them would be lost, so
// the "Error copying" line in the log fails the build. The same file added
// twice is the one copy, logged as copied, with its size as shipped.
TEST_F(CdBuild, TwoApplicationFilesOfOnePathFailTheBuildTheSameFileTwiceDoesNot) {
    WSetupElement* first = AddAppFile("bin/app.exe", "MZ application");
    first->SetSize(1);
    std::string other = dir.Write("other/bin/app.exe", "another program");
    project->ProgramFilesComponent()->AddElement(NewFileElement(
        JoinPath(project->DefaultFolder, "bin/app.exe"), "bin\\app.exe", "<D>\\Copy", "app.exe"));
    Plan("640MB");
    RecordingProgress progress;
    EXPECT_TRUE(Build(progress)) << errorText;
    std::vector<std::string> lines = LogLines(logPath);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), Copied("bin/app.exe")), 2);
    EXPECT_EQ(first->GetSize(), 14.0);

    project->ProgramFilesComponent()->AddElement(
        NewFileElement(other, "bin\\app.exe", "<D>\\Other", "app.exe"));
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("two files have the path"), std::string::npos) << errorText;
    lines = LogLines(logPath);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Error copying file : " + In("bin/app.exe")),
              1);
    EXPECT_EQ(ReadBytes(In("bin/app.exe")), "MZ application");
}

TEST_F(CdBuild, AMissingFileIsLoggedAndTheRestIsBuilt) {
    AddInstallFile(distrib, "System\\missing.dll");
    AddInstallFile(distrib, "System\\shared.dll");
    Plan("640MB");
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("missing.dll"), std::string::npos) << errorText;

    std::vector<std::string> lines = LogLines(logPath);
    auto at =
        std::find(lines.begin(), lines.end(), "Error copying file : " + In("System/missing.dll"));
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at + 1), Copied("System/shared.dll"));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Comp.kvz successfully created"), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), "Successfully create media"), lines.end());
    EXPECT_TRUE(IsFile(In("Setup/comp.kvz")));
}

TEST_F(CdBuild, AFullVolumeStopsTheJobWithTheMessage) {
    dir.Write("install/System/big.dll", std::string(10000, 'b'));
    AddInstallFile(distrib, "System\\big.dll");
    Plan("640MB");
    RecordingProgress progress;
    WMediaBuilder builder(*project, request, progress);
    // Room for the engine files, not for the component's file.
    builder.SetFreeSpaceProbe([](std::string_view) { return 5000.0; });
    EXPECT_FALSE(builder.Run());
    EXPECT_EQ(progress.errors, std::vector<std::string>{
                                   "Error|Not enough disk space available on destination drive."});
    EXPECT_EQ(builder.ErrorText(), "Not enough disk space available on destination drive.");
    EXPECT_TRUE(IsFile(In("setup32.exe")));
    EXPECT_TRUE(IsFile(In("Setup/Swintlen.dll")));
    EXPECT_FALSE(IsFile(In("System/big.dll")));
    EXPECT_FALSE(IsFile(In("Setup/comp.kvz")));
}

// Cancel stops after the current file and takes back what the run wrote:
// the folder holds no half set, only the log, which says so. A user's own
// file stays.
TEST_F(CdBuild, CancelStopsAfterTheCurrentFileAndTakesBackWhatWasWritten) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddAppFile("bin/app.exe", "MZ application");
    dir.Write("media/mine.txt", "mine");
    Plan("640MB");
    RecordingProgress progress;
    progress.cancelAfter = 2;
    EXPECT_FALSE(Build(progress));
    EXPECT_EQ(errorText, "cancelled");
    EXPECT_EQ(progress.polls, 3);  // stopped at the third file
    EXPECT_EQ(ListFolder(media, true, true), (std::vector<std::string>{"mine.txt", "setup.log"}));
    EXPECT_EQ(logPath, In("setup.log"));
    std::vector<std::string> lines = LogLines(logPath);
    EXPECT_EQ(lines.back(), "Creating the media was cancelled; what was written is removed again");
    EXPECT_NE(std::find(lines.begin(), lines.end(), Copied("Setup/Box.id")), lines.end());
}

TEST_F(CdBuild, AMediaFolderThatIsAFileOrCannotBeMadeFailsClearly) {
    dir.Write("media", "not a folder");
    Plan("640MB");
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("it is a file"), std::string::npos) << errorText;
    EXPECT_EQ(dir.Read("media"), "not a folder");

    // A folder nothing may be created in, not even by the superuser.
    request.mediaFolder = "/proc/vantrel-media-test/out";
    RecordingProgress again;
    WMediaBuilder builder(*project, request, again);
    EXPECT_FALSE(builder.Run());
    EXPECT_NE(builder.ErrorText().find("cannot create the folder"), std::string::npos);
    EXPECT_FALSE(PathExists("/proc/vantrel-media-test"));
}

TEST_F(CdBuild, ABuildIntoAFolderAnotherBuildIsWritingStopsAtOnce) {
    AddInstallFile(distrib, "System\\shared.dll");
    Plan("640MB");
    ASSERT_TRUE(MakeFolders(media));
    {
        // What the other build holds while it runs.
        WMediaLock other;
        ASSERT_TRUE(other.Acquire(media)) << other.Error();
        RecordingProgress progress;
        EXPECT_FALSE(Build(progress));
        EXPECT_EQ(errorText, "another build is writing to the media folder " + media +
                                 "; wait until it has finished");
        // Not one file of the other build's set was touched.
        EXPECT_TRUE(ListFolder(media, true, true).empty());
    }
    RecordingProgress progress;
    EXPECT_TRUE(Build(progress)) << errorText;
    EXPECT_TRUE(IsFile(In("System/shared.dll")));
}

// Once the files are copied, no file may grow past 100 bytes: the volume
// fills up while the scripts are written.
class FullAfterTheCopies : public RecordingProgress {
  public:
    explicit FullAfterTheCopies(int copies) : copies_(copies) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FullAfterTheCopies() override {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    void Step() override {
        RecordingProgress::Step();
        if (steps == copies_) {
            struct rlimit small = saved_;
            small.rlim_cur = 100;
            ::setrlimit(RLIMIT_FSIZE, &small);
        }
    }

  private:
    int copies_;
    struct rlimit saved_ {};
    void (*previous_)(int) = nullptr;
};

TEST_F(CdBuild, AScriptThatCannotBeWrittenIsNamedWithTheReasonAndNotLeftEmpty) {
    AddInstallFile(distrib, "System\\shared.dll");
    Plan("640MB");
    // An earlier build's complete script is not left behind either.
    dir.Write("media/Setup/comp.kvz", "[Identification.0]\r\nan earlier build\r\n");
    {
        FullAfterTheCopies progress(static_cast<int>(request.engineFiles.size()) + 1);
        EXPECT_FALSE(Build(progress));
    }
    EXPECT_TRUE(IsFile(In("System/shared.dll")));
    EXPECT_EQ(errorText, "cannot write comp.kvz in " + In("Setup") + " (" + In("Setup/comp.kvz") +
                             ": File too large)");
    EXPECT_FALSE(PathExists(In("Setup/comp.kvz")));
}

TEST_F(CdBuild, ASecondBuildReplacesTheFirstOne) {
    AddInstallFile(distrib, "System\\shared.dll");
    AddAppFile("bin/app.exe", "version 1");
    project->DisplayRelease = 1;
    project->ReleaseText = "first notes";
    Plan("640MB");
    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;

    dir.Write("app/bin/app.exe", "version 2");
    project->ReleaseText = "second notes";
    RecordingProgress again;
    ASSERT_TRUE(Build(again)) << errorText;
    EXPECT_EQ(ReadBytes(In("bin/app.exe")), "version 2");
    EXPECT_EQ(ReadBytes(In("Setup/release.txt")), "second notes");
    EXPECT_TRUE(IsReadOnly(In("Setup/release.txt")));
    // The log starts afresh.
    EXPECT_EQ(LogLines(logPath).front(), "Source Folder : " + install);
}

TEST_F(CdBuild, TheUsersConfigurationGoesWhereItsComponentsNeedIt) {
    AddInstallFile(distrib, "Bde501\\IDAPI.CNF");
    dir.Write("install/Bde501/IDAPI.CNF", "default configuration");
    project->IDAPICNFDirectory = dir.Write("mine.cnf", "my configuration");
    project->BDEComponent = 1;
    project->IsOracleSelected = 1;
    project->IsDefaultCFGSelected = 0;
    Plan("640MB");
    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    // The engine's own file of the same name (in another case) is replaced.
    EXPECT_EQ(ListFolder(In("Bde501"), true, false), std::vector<std::string>{"IDAPI.CNF"});
    EXPECT_EQ(ReadBytes(In("Bde501/IDAPI.CNF")), "my configuration");
    EXPECT_EQ(ReadBytes(In("Sql501/idapi.cnf")), "my configuration");
    std::vector<std::string> lines = LogLines(logPath);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3],
              "Successfully copied the user's CFG file to the SQL directory");
    EXPECT_EQ(lines[lines.size() - 2],
              "Successfully copied the user's CFG file to the BDE directory");

    // Without the flag nothing is shipped, whatever the drivers say.
    request.shipUserConfig = false;
    RemoveTreeForced(media);
    RecordingProgress again;
    ASSERT_TRUE(Build(again)) << errorText;
    EXPECT_EQ(ReadBytes(In("Bde501/IDAPI.CNF")), "default configuration");
    EXPECT_FALSE(IsFolder(In("Sql501")));
}

TEST_F(CdBuild, AChosenConfigurationFileThatIsGoneFailsTheBuild) {
    project->BDEComponent = 1;
    project->IsDefaultCFGSelected = 0;
    project->IDAPICNFDirectory = dir / "gone.cnf";
    WMediaPlan plan;
    ASSERT_TRUE(plan.ParseSize("640MB"));
    plan.Gather(*project);
    plan.Recompute();
    request = plan.Request(*project, media);
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("gone.cnf"), std::string::npos) << errorText;
    std::vector<std::string> lines = LogLines(logPath);
    EXPECT_NE(std::find(lines.begin(), lines.end(),
                        "Error copying the user's CFG file to the BDE directory"),
              lines.end());
}

TEST_F(CdBuild, AnApplicationComponentIsKnownWhateverTheCaseOfItsName) {
    // A hand-edited project may spell the component "PROGRAM_FILES": its
    // files still come from the application's source folder, not from the
    // installation folder.
    AddAppFile("bin/app.exe", "MZ application");
    project->ProgramFilesComponent()->SetName("PROGRAM_FILES");
    Plan("640MB");
    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    EXPECT_EQ(ReadBytes(In("bin/app.exe")), "MZ application");
    EXPECT_TRUE(progress.errors.empty());
}

TEST(ShipPaths, SourceNamesStayInsideTheShipFolder) {
    test::ScratchFolder dir;
    dir.Write("ship/System/x.dll", "x");
    EXPECT_EQ(WMediaBuilder::PathInside(dir / "ship", "system\\X.DLL"), dir / "ship/System/x.dll");
    EXPECT_EQ(WMediaBuilder::PathInside(dir / "ship", "SYSTEM\\new\\y.dll"),
              dir / "ship/System/new/y.dll");
    EXPECT_EQ(WMediaBuilder::PathInside(dir / "ship", ".\\a\\.\\b.txt"), dir / "ship/a/b.txt");
    for (const char* bad :
         {"..\\outside.txt", "a\\..\\..\\b", "\\abs.txt", "/abs.txt", "C:\\x.dll", "", "\\"}) {
        EXPECT_EQ(WMediaBuilder::PathInside(dir / "ship", bad), "") << bad;
    }
}

TEST(ShipPaths, LogTimeIsInEnglishWithLeadingZeros) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 2;
    tm.tm_mday = 2;
    tm.tm_hour = 4;
    tm.tm_min = 5;
    tm.tm_sec = 9;
    tm.tm_isdst = -1;
    EXPECT_EQ(WMediaBuilder::LogTimeText(std::mktime(&tm)), "Monday, March 02, 2026, 04:05:09");
}

TEST(FileCopy, CopiesReplacesReadOnlyFilesAndTellsAFullVolume) {
    test::ScratchFolder dir;
    std::string from = dir.Write("from.bin", test::RandomBytes(3 << 20, 7));
    std::string to = dir / "to.bin";
    uint64_t bytes = 0;
    ASSERT_EQ(CopyFileData(from, to, nullptr, &bytes), CopyOutcome::kCopied);
    EXPECT_EQ(bytes, 3u << 20);
    EXPECT_EQ(ReadBytes(to), ReadBytes(from));

    SetReadOnly(to, true);
    std::string small = dir.Write("small.txt", "small");
    ASSERT_EQ(CopyFileData(small, to), CopyOutcome::kCopied);
    EXPECT_EQ(ReadBytes(to), "small");

    std::string error;
    EXPECT_EQ(CopyFileData(dir / "nothing", to, &error), CopyOutcome::kSourceMissing);
    EXPECT_NE(error.find("nothing"), std::string::npos);
    EXPECT_EQ(CopyFileData(dir.path(), to), CopyOutcome::kSourceMissing);
    if (IsFile("/dev/full") || PathExists("/dev/full")) {
        EXPECT_EQ(CopyFileData(from, "/dev/full", &error), CopyOutcome::kNoSpace);
    }
    EXPECT_EQ(CopyFileData(from, dir / "no/such/folder/x"), CopyOutcome::kFailed);

    dir.Write("tree/a/b.txt", "12345");
    dir.Write("tree/c.txt", "123");
    EXPECT_EQ(SizeOfTree(dir / "tree"), 8u);
    SetReadOnly(dir / "tree/a/b.txt", true);
    EXPECT_TRUE(RemoveTreeForced(dir / "tree"));
    EXPECT_FALSE(PathExists(dir / "tree"));
}

// A destination that is the source itself (the same name, or a hard link to
// it) is refused before it is opened, so the file keeps its bytes; a link at
// the destination is replaced by the copy and its target stays as it was.
TEST(FileCopy, NeverCopiesOntoTheSourceOrThroughALink) {
    test::ScratchFolder dir;
    const std::string from = dir.Write("from.txt", "the source");
    ASSERT_EQ(::link(from.c_str(), (dir / "hard.txt").c_str()), 0);
    for (const std::string& to : {from, dir / "hard.txt", dir / "./from.txt"}) {
        std::string error;
        EXPECT_EQ(CopyFileData(from, to, &error), CopyOutcome::kFailed) << to;
        EXPECT_NE(error.find("is the source file"), std::string::npos) << error;
        EXPECT_EQ(ReadBytes(from), "the source");
    }
    const std::string victim = dir.Write("victim.txt", "precious");
    ASSERT_EQ(::symlink(victim.c_str(), (dir / "link.txt").c_str()), 0);
    ASSERT_EQ(CopyFileData(from, dir / "link.txt"), CopyOutcome::kCopied);
    EXPECT_EQ(ReadBytes(victim), "precious");
    EXPECT_EQ(ReadBytes(dir / "link.txt"), "the source");
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(dir / "link.txt", info, false));
    EXPECT_TRUE(info.isFile);
}

// A copy has the source's mode and time whether it is new or replaces an
// earlier copy of another mode, and a source that grows after it was opened is
// copied as it was then.
TEST(FileCopy, CopiesHaveTheSourcesModeAndTimeNewOrReplaced) {
    test::ScratchFolder dir;
    auto modeOf = [](const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0u;
    };
    const std::string readOnly = dir.Write("ro.txt", "read only");
    ASSERT_EQ(::chmod(readOnly.c_str(), 0444), 0);
    const std::string program = dir.Write("run.sh", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    const std::string plain = dir.Write("plain.txt", "plain");
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, plain.c_str(), times, 0), 0);

    for (const std::string& source : {readOnly, program, plain}) {
        const std::string fresh = dir / ("fresh-" + FileNameOf(source));
        ASSERT_EQ(CopyFileData(source, fresh), CopyOutcome::kCopied);
        EXPECT_EQ(modeOf(fresh), modeOf(source)) << source;
        // Over a copy of another mode, the read-only one included.
        const std::string over = dir.Write("over-" + FileNameOf(source), "an earlier, longer copy");
        ASSERT_EQ(::chmod(over.c_str(), source == readOnly ? 0600 : 0400), 0);
        ASSERT_EQ(CopyFileData(source, over), CopyOutcome::kCopied);
        EXPECT_EQ(modeOf(over), modeOf(source)) << source;
        EXPECT_EQ(ReadBytes(over), ReadBytes(source));
    }
    EXPECT_EQ(test::MTimeOf(dir / "fresh-plain.txt"), 1000000000);
    EXPECT_EQ(test::MTimeOf(dir / "over-plain.txt"), 1000000000);

    CopySource growing;
    const std::string log = dir.Write("growing.log", "line 1\n");
    ASSERT_EQ(growing.Open(log), CopyOutcome::kCopied);
    test::WriteBytes(log, "line 1\nline 2\n");
    uint64_t bytes = 0;
    ASSERT_EQ(CopyFileData(growing, dir / "copied.log", nullptr, &bytes), CopyOutcome::kCopied);
    EXPECT_EQ(bytes, 7u);
    EXPECT_EQ(ReadBytes(dir / "copied.log"), "line 1\n");
}

}  // namespace
}  // namespace vantrel
