// vantrel-cli build and test-run, run as a user would run them.
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

using Result = test::ShellResult;

class MediaCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        std::string engine =
            dir.Write("install/Distrib/setup32.exe",
                      "#!/bin/sh\necho \"engine saw $*\"\nexit ${ENGINE_STATUS:-0}\n");
        ::chmod(engine.c_str(), 0755);
        dir.Write("install/Distrib/Setup/setup.exe", "floppy start");
        dir.Write("install/Distrib/Setup/Swintlen.dll", "intl");
        MakeFolders(dir / "install/MySetup");
        std::mt19937 rng(5);
        std::string noise(1200000, '\0');
        for (char& c : noise)
            c = static_cast<char>(rng());
        dir.Write("src/data.bin", noise);
        dir.Write("src/readme.txt", "read me");
        ASSERT_EQ(Cli("new p.zlt --name Ledger --company Acme").status, 0);
        ASSERT_EQ(Cli("add-files p.zlt src/data.bin src/readme.txt").status, 0);
    }

    Result Cli(const std::string& arguments, const std::string& env = "") {
        return test::RunCliIn(dir, arguments, env);
    }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    ScratchFolder dir;
};

TEST_F(MediaCommands, BuildsACdAndAFloppySet) {
    Result cd = Cli("build p.zlt --media out/cd --size 640MB");
    ASSERT_EQ(cd.status, 0) << cd.err;
    ExpectHas(cd.out, "Size of fileset including setup files : 1.20 MB\n");
    ExpectHas(cd.out, "Medium: 640 MB: single disk or CD\n");
    ExpectHas(cd.out, "Media created in " + (dir / "out/cd") + "\n");
    ExpectHas(cd.out, "Log: " + (dir / "out/cd/Setup/setup.log") + "\n");
    EXPECT_TRUE(IsFile(dir / "out/cd/setup32.exe"));
    EXPECT_TRUE(IsFile(dir / "out/cd/data.bin"));
    EXPECT_TRUE(IsFile(dir / "out/cd/Setup/comp.kvz"));

    // The plan names the components that ship; the runtime only when chosen.
    auto components = [](const std::string& out) {
        const size_t at = out.find("\nComponents: ");
        return at == std::string::npos ? std::string()
                                       : out.substr(at + 1, out.find('\n', at + 1) - at - 1);
    };
    ExpectHas(cd.out, "Medium: 640 MB: single disk or CD\nComponents: ");
    ExpectHas(components(cd.out), "Distrib");
    for (int runtime : {1, 0}) {
        SCOPED_TRACE(runtime);
        ASSERT_EQ(Cli("set p.zlt RuntimeComponent=" + std::to_string(runtime)).status, 0);
        Result r = Cli("build p.zlt --media out/rt" + std::to_string(runtime) + " --size 640MB");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(components(r.out).find("TY9Run_Program") != std::string::npos, runtime == 1)
            << components(r.out);
    }

    // Built again over itself: the existing setup is noted and replaced.
    cd = Cli("build p.zlt --media out/cd --size 640MB");
    ASSERT_EQ(cd.status, 0) << cd.err;
    ExpectHas(cd.out, "holds a setup already");

    Result floppy = Cli("build p.zlt --media out/fl --size 720KB");
    ASSERT_EQ(floppy.status, 0) << floppy.err;
    // The estimate counts the disks the build makes.
    ExpectHas(floppy.out, "Medium: 720 KB disks: floppy set\nEstimated number of disks : 2\n");
    ExpectHas(floppy.out, "Log: " + (dir / "out/fl/setup.log") + "\n");
    EXPECT_TRUE(IsFile(dir / "out/fl/disk001/setup.exe"));
    EXPECT_TRUE(IsFile(dir / "out/fl/disk002/disk002.cfi"));
    EXPECT_FALSE(PathExists(dir / "out/fl/disk003"));
    EXPECT_EQ(ListFolder(dir / "out/fl", true, false), std::vector<std::string>{"setup.log"});
}

TEST_F(MediaCommands, BuildRefusesBadSizesAndFolders) {
    Result r = Cli("build p.zlt --media out --size 12GB");
    EXPECT_EQ(r.status, 2);
    ExpectHas(r.err, "unknown size 12GB");
    r = Cli("build p.zlt --media out --size 500KB");
    EXPECT_EQ(r.status, 2);
    ExpectHas(r.err, "Please enter a valid floppy size");
    r = Cli("build p.zlt");
    EXPECT_EQ(r.status, 2);
    r = Cli("build p.zlt --media 'out/a*b'");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, "A directory cannot contain any of the following characters:");
    dir.Write("afile", "x");
    r = Cli("build p.zlt --media afile");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, "is a file, not a folder");
    EXPECT_EQ(dir.Read("afile"), "x");
}

TEST_F(MediaCommands, ASecondBuildIntoABusyMediaFolderFailsAndNamesIt) {
    ASSERT_TRUE(MakeFolders(dir / "out/busy"));
    // flock(1) holds the folder's lock as a running build does.
    Result r = Cli("build p.zlt --media out/busy --size 640MB", "flock out/busy env");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err,
              "vantrel-cli: the media were not created completely: another build is "
              "writing to the media folder " +
                  (dir / "out/busy"));
    EXPECT_EQ(r.out.find("Media created"), std::string::npos);
    EXPECT_TRUE(ListFolder(dir / "out/busy", true, true).empty());
}

TEST_F(MediaCommands, AFileOf4GBIsRefusedWhenAddedAndBeforeAFloppyBuildPacksIt) {
    // Sparse: no disk space is used.
    const std::string huge = dir / "src/huge.bin";
    const std::string reason =
        " is 4294967296 bytes (4.0 GB): a file of 4 GB or more cannot be packed, because ZIP "
        "2.0 sizes are 32-bit";
    ASSERT_EQ(test::RunShell("truncate -s 4G " + test::ShellQuote(huge)).status, 0);
    Result r = Cli("add-files p.zlt src/huge.bin");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, huge + reason);
    // One byte less still fits.
    ASSERT_EQ(test::RunShell("truncate -s 4294967295 " + test::ShellQuote(huge)).status, 0);
    r = Cli("add-files p.zlt src/huge.bin");
    ASSERT_EQ(r.status, 0) << r.err;

    // It grew after it was added: the build stops before writing anything.
    ASSERT_EQ(test::RunShell("truncate -s 5G " + test::ShellQuote(huge)).status, 0);
    r = Cli("build p.zlt --media out/fl --size 1.44MB");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.err, "vantrel-cli: the media were not created completely: " + huge +
                         " is 5368709120 bytes (5.0 GB)");
    EXPECT_TRUE(ListFolder(dir / "out/fl", true, true).empty());
}

TEST_F(MediaCommands, TestRunStartsTheEngineAndReportsItsStatus) {
    Result r = Cli("test-run p.zlt --media out/t");
    ASSERT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, "engine saw /nocopy\n");
    ExpectHas(r.out, "The setup engine ended with exit status 0\n");
    EXPECT_TRUE(ListFolder(dir / "out/t", true, true).empty());

    r = Cli("test-run p.zlt --media out/t", "ENGINE_STATUS=3");
    EXPECT_EQ(r.status, 1);
    ExpectHas(r.out, "The setup engine ended with exit status 3\n");

    // Without --media and without a media folder in the project the run
    // takes a private temporary folder.
    r = Cli("test-run p.zlt");
    EXPECT_EQ(r.status, 0) << r.err;
    ExpectHas(r.out, "engine saw /nocopy\n");
}

// A media folder that is, holds or lies in a folder the set is read from
// would have each file copied onto itself (left empty) or removed by
// --clean: it is refused before anything is written, links resolved.
TEST_F(MediaCommands, AMediaFolderOverlappingWhatTheSetIsMadeFromIsRefused) {
    std::filesystem::create_symlink(dir / "src", dir / "srclink");
    dir.Write("elsewhere/keep.txt", "x");
    dir.Write("src/docs/guide.txt", "guide");
    ASSERT_EQ(Cli("add-files p.zlt src/docs").status, 0);
    const struct {
        const char* media;
        const char* says;
    } cases[] = {
        {"src", "is the project's source folder"},
        {"srclink", "is the project's source folder"},
        {"srclink/docs", "is the folder of the file "},
        {"src/docs/out", "lies inside the folder of the file "},
        {".", "contains the project's source folder"},
        {"install/Distrib", "lies inside the installation folder"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.media);
        for (const char* size : {"640MB", "720KB"}) {
            Result r =
                Cli(std::string("build p.zlt --clean --media ") + c.media + " --size " + size);
            EXPECT_EQ(r.status, 1);
            ExpectHas(r.err, c.says);
            EXPECT_EQ(r.out.find("Media created"), std::string::npos);
        }
    }
    EXPECT_EQ(dir.Read("src/readme.txt"), "read me");
    EXPECT_EQ(dir.Read("src/docs/guide.txt"), "guide");
    EXPECT_EQ(FileSizeOf(dir / "src/data.bin"), 1200000);
    EXPECT_EQ(dir.Read("install/Distrib/Setup/Swintlen.dll"), "intl");
    EXPECT_FALSE(PathExists(dir / "src/Setup"));
    EXPECT_TRUE(IsFile(dir / "elsewhere/keep.txt"));

    // A folder of its own beside the shipped files is no clash.
    Result r = Cli("build p.zlt --media src/out --size 640MB");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.Read("src/out/docs/guide.txt"), "guide");
}

// Links that are already in the media folder or the scripts' output folder
// are replaced by what the build writes; their targets stay as they were.
TEST_F(MediaCommands, LinksInTheMediaOrOutputFolderAreReplacedNotWrittenThrough) {
    const std::string victim = dir.Write("victim.txt", "precious");
    MakeFolders(dir / "elsewhere");
    MakeFolders(dir / "out/m");
    MakeFolders(dir / "out/o/Setup");
    MakeFolders(dir / "out/p");
    std::filesystem::create_symlink(victim, dir / "out/m/readme.txt");
    std::filesystem::create_symlink(dir / "elsewhere", dir / "out/m/Setup");
    for (const char* name : {"comp.kvz", "project.kvz", "string.str"})
        std::filesystem::create_symlink(victim, dir / ("out/o/Setup/" + std::string(name)));
    std::filesystem::create_symlink(dir / "elsewhere", dir / "out/p/Setup");

    Result r = Cli("build p.zlt --media out/m --size 640MB");
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* out : {"out/o", "out/p"}) {
        r = Cli(std::string("scripts p.zlt --out ") + out);
        EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(dir.Read("victim.txt"), "precious");
    EXPECT_TRUE(ListFolder(dir / "elsewhere", true, true).empty());
    for (const char* path :
         {"out/m/readme.txt", "out/m/Setup/comp.kvz", "out/o/Setup/comp.kvz",
          "out/o/Setup/project.kvz", "out/o/Setup/string.str", "out/p/Setup/comp.kvz"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(std::filesystem::is_symlink(dir / path));
        EXPECT_TRUE(IsFile(dir / path));
    }
    EXPECT_EQ(dir.Read("out/m/readme.txt"), "read me");
}

// A file that changed after it was added ships with the size it has now, in
// a CD set and in a floppy set alike, so that the set verifies.
TEST_F(MediaCommands, AFileChangedAfterItWasAddedShipsWithItsNewSize) {
    dir.Write("src/readme.txt", "read me, now a good deal longer than before");
    for (const char* size : {"640MB", "720KB"}) {
        SCOPED_TRACE(size);
        Result r = Cli(std::string("build p.zlt --media out/s --size ") + size);
        ASSERT_EQ(r.status, 0) << r.err;
        Result v = Cli("verify out/s");
        EXPECT_EQ(v.status, 0) << v.out << v.err;
    }
}

// One source added twice (a second copy under another folder) is one file in
// the set, logged as copied, and the build succeeds.
TEST_F(MediaCommands, OneFileInstalledTwiceIsOneCopyInTheSet) {
    ASSERT_EQ(Cli("add-files p.zlt src/readme.txt --to '<D>\\Copy'").status, 0);
    Result r = Cli("build p.zlt --media out/d --size 640MB");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string log = dir.Read("out/d/Setup/setup.log");
    EXPECT_EQ(log.find("Error copying"), std::string::npos) << log;
    ExpectHas(log, "Succesfully copied file : " + (dir / "out/d/readme.txt"));
    EXPECT_EQ(Cli("verify out/d").status, 0);
}

// A build over an earlier set removes what that set made (disk folders, the
// CD set's engine, scripts and files) and keeps the user's own files; the
// folder then holds the new set alone.
TEST_F(MediaCommands, ABuildRemovesWhatAnEarlierSetLeftAndKeepsTheUsersFiles) {
    dir.Write("out/x/notes.txt", "mine");
    dir.Write("src/more.bin", test::RandomBytes(1200000, 3));
    ASSERT_EQ(Cli("add-files p.zlt src/more.bin").status, 0);
    Result r = Cli("build p.zlt --media out/x --size 720KB");
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_TRUE(IsFolder(dir / "out/x/disk003"));

    // A smaller floppy set: the last disks of the first one go.
    ASSERT_EQ(Cli("remove-files p.zlt '<D>\\more.bin'").status, 0);
    r = Cli("build p.zlt --media out/x --size 720KB");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(IsFolder(dir / "out/x/disk002"));
    EXPECT_FALSE(PathExists(dir / "out/x/disk003"));

    // A CD set over it, then a floppy set over the CD set.
    r = Cli("build p.zlt --media out/x --size 640MB");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(PathExists(dir / "out/x/disk001"));
    EXPECT_TRUE(IsFile(dir / "out/x/readme.txt"));
    r = Cli("build p.zlt --media out/x --size 720KB --clean");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ListFolder(dir / "out/x", true, true),
              (std::vector<std::string>{"disk001", "disk002", "notes.txt", "setup.log"}));
    EXPECT_EQ(dir.Read("out/x/notes.txt"), "mine");
    Result v = Cli("verify out/x");
    EXPECT_EQ(v.status, 0) << v.out << v.err;
}

}  // namespace
}  // namespace vantrel
