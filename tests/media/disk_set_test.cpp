// Floppy sets: disk folders, per-disk archives, split archives and their
// pieces, the temporary ship folder, and a second build into the same folder.
#include "media/disk_set.h"

#include <ctime>
#include <filesystem>
#include <map>

#include "archive/archive.h"
#include "media/file_copy.h"
#include "media/media_lock.h"
#include "media/set_verifier.h"
#include "media_fixture.h"
#include "platform/local_time.h"
#include "platform/strings.h"
#include "platform/wildcard.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::MediaFixture;
using test::Quote;
using test::ReadBytes;
using test::RecordingProgress;
using test::ScopedEnv;

class FloppyBuild : public MediaFixture {
  protected:
    std::vector<std::string> Disks() {
        std::vector<std::string> disks;
        for (const std::string& name : ListFolder(media, false, true)) {
            if (StartsWith(name, "disk"))
                disks.push_back(name);
        }
        return disks;
    }

    // The temporary ship folders in the media folder.
    std::vector<std::string> TempFolders() {
        std::vector<std::string> found;
        for (const std::string& name : ListFolder(media, false, true)) {
            if (StartsWith(name, "~ZLT"))
                found.push_back(name);
        }
        return found;
    }

    // Unpacks every disk's archive into one folder and returns it.
    std::string UnpackDisks() {
        std::string out = dir / "unpacked";
        for (const std::string& disk : Disks()) {
            std::string archive = JoinPath(JoinPath(media, disk), disk + ".cfi");
            if (test::HaveTool("unzip")) {
                test::CommandResult r = test::Run("unzip -t " + Quote(archive));
                EXPECT_EQ(r.exitCode, 0) << r.output;
            }
            WArchive reader;
            EXPECT_TRUE(reader.Extract(archive, "", JoinPath(out, disk))) << reader.GetStatusText();
        }
        return out;
    }
};

TEST_F(FloppyBuild, SplitsTheApplicationOverThreeDisksThatEachFitTheMedium) {
    const std::string big1 = test::RandomBytes(2000000, 1);
    const std::string big2 = test::RandomBytes(1500000, 2);
    AddAppFile("data/big1.bin", big1);
    AddAppFile("data/big2.bin", big2);
    AddAppFile("readme.txt", "read me\r\n");
    AddInstallFile(distrib, "System\\shared.dll");
    Plan("1.44 MB");
    ASSERT_TRUE(request.floppy);

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;

    // No temporary ship folder is left; its log is kept beside the disks.
    EXPECT_EQ(MatchFilesInFolder(media, "*"), std::vector<std::string>{"setup.log"});
    ASSERT_EQ(Disks(), (std::vector<std::string>{"disk001", "disk002", "disk003"}));
    EXPECT_EQ(ListFolder(media + "/disk001", true, true),
              (std::vector<std::string>{"disk001.cfi", "setup.exe"}));
    EXPECT_EQ(ReadBytes(media + "/disk001/setup.exe"), "floppy start program");
    for (const char* disk : {"disk002", "disk003"}) {
        EXPECT_EQ(ListFolder(JoinPath(media, disk), true, true),
                  std::vector<std::string>{std::string(disk) + ".cfi"});
    }
    for (const std::string& disk : Disks())
        EXPECT_LE(SizeOfTree(JoinPath(media, disk)), 1440000u) << disk;

    std::string unpacked = UnpackDisks();
    // Each disk's use as its archive takes it, from the members it holds:
    // never more than the medium, and a disk followed by another is full up
    // to the granularity of the stored blocks' headers (a piece fills what
    // is left, its own header counted).
    for (const std::string& disk : Disks()) {
        int64_t used = WDiskSet::kArchiveEnd;
        for (const std::string& name : ListFolder(JoinPath(media, disk), true, false)) {
            if (name != disk + WDiskSet::kExtension)
                used += FileSizeOf(JoinPath(JoinPath(media, disk), name));
        }
        for (const std::string& name : ListFolder(JoinPath(unpacked, disk), true, false)) {
            const int64_t size = FileSizeOf(JoinPath(JoinPath(unpacked, disk), name));
            used += size + WDiskSet::EntryCost(name.size(), size);
        }
        EXPECT_LE(used, 1440000) << disk;
        if (disk != Disks().back()) {
            EXPECT_GE(used, 1440000 - 5) << disk;
        }
    }
    EXPECT_EQ(ListFolder(unpacked + "/disk002", true, false),
              std::vector<std::string>{"~002_Program_files.cfi"});
    std::vector<std::string> onDisk1 = ListFolder(unpacked + "/disk001", true, false);
    for (const char* name : {"swintl.cfi", "Setup files.cfi", "Product.cfi", "Distrib.cfi",
                             "~001_Program_files.cfi"}) {
        EXPECT_NE(std::find(onDisk1.begin(), onDisk1.end(), name), onDisk1.end()) << name;
    }
    std::vector<std::string> onDisk3 = ListFolder(unpacked + "/disk003", true, false);
    EXPECT_NE(std::find(onDisk3.begin(), onDisk3.end(), "ComponentList.cfi"), onDisk3.end());

    // The pieces' bodies in order give the archive back.
    std::string joined;
    for (int k = 1; k <= 3; ++k) {
        std::string piece = ReadBytes(unpacked + "/disk00" + std::to_string(k) + "/~00" +
                                      std::to_string(k) + "_Program_files.cfi");
        ASSERT_GT(piece.size(), 6u);
        EXPECT_EQ(piece.substr(0, 6), "00" + std::to_string(k) + "003");
        joined += piece.substr(6);
    }
    test::WriteBytes(dir / "Program_files.cfi", joined);
    WArchive reader;
    ASSERT_TRUE(reader.Extract("Program_files.cfi", dir.path(), dir / "program"))
        << reader.GetStatusText();
    EXPECT_EQ(ReadBytes(dir / "program/data/big1.bin"), big1);
    EXPECT_EQ(ReadBytes(dir / "program/data/big2.bin"), big2);
    EXPECT_EQ(ReadBytes(dir / "program/readme.txt"), "read me\r\n");
    ASSERT_TRUE(reader.Extract("ComponentList.cfi", unpacked + "/disk003", dir / "list"));
    EXPECT_TRUE(IsFile(dir / "list/setup.log"));
    EXPECT_TRUE(IsFile(dir / "list/comp.kvz"));

    const std::string log = ReadBytes(media + "/setup.log");
    for (const std::string& line :
         {"CD Setup Destination Folder : " + media + "/~ZLT000\r\n",
          "Floppy Setup Destination Folder : " + media + "\r\n",
          std::string("Install type : floppy\r\n"),
          std::string("Succesfully copied file : setup.exe\r\n\tsetup.exe : disks 1 to 1\r\n"),
          std::string("Successfully compressed : swintl.cfi\r\n\tswintl.cfi : disks 1 to 1\r\n"),
          std::string(
              "Successfully split : Program_files.cfi\r\n\tProgram_files.cfi : disks 1 to 3\r\n"),
          std::string(
              "Successfully compressed : ComponentList.cfi\r\n\tComponentList.cfi : disks 3 to "
              "3\r\n"
              "Creation of floppies completed successfully\r\nSuccessfully create media\r\n")}) {
        EXPECT_NE(log.find(line), std::string::npos) << line << "\nin:\n" << log;
    }
}

TEST_F(FloppyBuild, ASetThatFitsOnOneFloppyAndASecondBuildOverIt) {
    // Larger than the medium, yet it packs onto one disk.
    AddAppFile("text.txt", std::string(1600000, 'a'));
    Plan("1.44MB");
    ASSERT_TRUE(request.floppy);
    // A temporary folder name in use is passed over and left alone.
    dir.Write("media/~ZLT000/keep.txt", "keep");

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    EXPECT_EQ(Disks(), std::vector<std::string>{"disk001"});
    EXPECT_EQ(ListFolder(media + "/disk001", true, true),
              (std::vector<std::string>{"disk001.cfi", "setup.exe"}));
    EXPECT_EQ(dir.Read("media/~ZLT000/keep.txt"), "keep");
    EXPECT_FALSE(PathExists(media + "/~ZLT001"));
    EXPECT_NE(
        ReadBytes(media + "/setup.log").find("CD Setup Destination Folder : " + media + "/~ZLT001"),
        std::string::npos);

    // Leftovers of an earlier set in a disk folder are not packed again, and
    // the disk's own archive survives the second build.
    dir.Write("media/disk001/~009_Old.cfi", "stale piece");
    RecordingProgress again;
    ASSERT_TRUE(Build(again)) << errorText;
    EXPECT_EQ(ListFolder(media + "/disk001", true, true),
              (std::vector<std::string>{"disk001.cfi", "setup.exe"}));
    WArchive reader;
    ASSERT_TRUE(reader.Extract("disk001.cfi", media + "/disk001", dir / "second"));
    std::vector<std::string> members = ListFolder(dir / "second", true, false);
    EXPECT_EQ(std::find(members.begin(), members.end(), "~009_Old.cfi"), members.end());
    EXPECT_NE(std::find(members.begin(), members.end(), "Program_files.cfi"), members.end());
}

TEST_F(FloppyBuild, CancelRemovesTheTemporaryFolderAndKeepsTheLog) {
    AddAppFile("a.bin", test::RandomBytes(800000, 3));
    AddAppFile("b.bin", "b");
    Plan("720KB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress progress;
    progress.cancelAfter = 6;
    EXPECT_FALSE(Build(progress));
    EXPECT_EQ(errorText, "cancelled");
    EXPECT_EQ(ListFolder(media, true, true), std::vector<std::string>{"setup.log"});
}

// The bar moves by the bytes packed, and Cancel at any point, also in the
// middle of packing the components or the disks, takes back every disk: the
// log says so and the folder is no set that verifies.
TEST_F(FloppyBuild, CancelWhilePackingTakesBackTheDisksAndTheLogSaysSo) {
    for (int i = 0; i < 12; ++i)
        AddAppFile(Format("f%02d.bin", i), test::RandomBytes(150000, 20 + i));
    Plan("720KB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress full;
    full.cancelAfter = 1 << 30;  // counts the polls
    ASSERT_TRUE(Build(full)) << errorText;
    EXPECT_GE(full.steps, 2 * 12 * 150000 / WMediaBuilder::kBytesPerStep);
    EXPECT_LE(full.steps, full.range + 8);
    ASSERT_TRUE(WSetVerifier().Verify(media));

    for (int cancelAfter : {full.polls / 3, 2 * full.polls / 3, full.polls - 3}) {
        SCOPED_TRACE(cancelAfter);
        RecordingProgress progress;
        progress.cancelAfter = cancelAfter;
        EXPECT_FALSE(Build(progress));
        EXPECT_EQ(errorText, "cancelled");
        EXPECT_TRUE(Disks().empty());
        EXPECT_TRUE(TempFolders().empty());
        EXPECT_NE(ReadBytes(JoinPath(media, "setup.log"))
                      .find("Creating the media was cancelled; what was written is removed again"),
                  std::string::npos);
        EXPECT_FALSE(WSetVerifier().Verify(media));
    }
}

// A large member is packed in pieces: the bytes are told piece by piece, so
// that the bar moves and Cancel stops inside the member, not after it.
TEST(PackingProgress, ALargeMemberTellsItsBytesPieceByPieceAndStopsWhenAsked) {
    test::ScratchFolder dir;
    dir.Write("in/big.bin", std::string(12 << 20, 'a'));
    dir.Write("in/small.txt", "small");
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop);
        WArchive archive(".cfi");
        std::vector<int64_t> told;
        archive.SetProgress([&](int64_t bytes) {
            told.push_back(bytes);
            return !(stop && told.size() == 2);
        });
        const bool made =
            archive.Create(6, "out", false, "big.bin,small.txt", dir / "out", dir / "in", true);
        EXPECT_EQ(made, !stop);
        if (stop) {
            EXPECT_EQ(archive.GetStatusCode(), al::kUserAbort);
            EXPECT_EQ(told.size(), 2u);
        } else {
            EXPECT_GT(told.size(), 3u);
            int64_t sum = 0;
            for (int64_t n : told)
                sum += n;
            EXPECT_EQ(sum, (12 << 20) + 5);
        }
    }
}

TEST_F(FloppyBuild, EveryTemporaryNameTakenStillBuildsInAFolderOfItsOwn) {
    AddAppFile("text.txt", std::string(1600000, 'a'));
    Plan("1.44MB");
    ASSERT_TRUE(request.floppy);
    for (int n = 0; n < 100; ++n)
        ASSERT_TRUE(MakeFolders(media + Format("/~ZLT0%02d", n)));
    dir.Write("media/~ZLTXXX/keep.txt", "keep");

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    EXPECT_EQ(Disks(), std::vector<std::string>{"disk001"});
    EXPECT_EQ(dir.Read("media/~ZLTXXX/keep.txt"), "keep");
    EXPECT_TRUE(IsFolder(media + "/~ZLT099"));
    // The folder it used is gone again: only the ones that were there stay.
    EXPECT_EQ(TempFolders().size(), 101u);
}

TEST_F(FloppyBuild, TheLogSurvivesWhenItsNameInTheMediaFolderIsTaken) {
    AddAppFile("text.txt", std::string(1600000, 'a'));
    Plan("1.44MB");
    // Neither a copy nor a rename can put the log at setup.log.
    dir.Write("media/setup.log/other.txt", "not ours");

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    EXPECT_EQ(logPath, media + "/setup-1.log");
    const std::string log = ReadBytes(logPath);
    EXPECT_NE(log.find("Install type : floppy\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("Creation of floppies completed successfully\r\n"), std::string::npos);
    EXPECT_EQ(dir.Read("media/setup.log/other.txt"), "not ours");
    EXPECT_TRUE(TempFolders().empty());
}

TEST_F(FloppyBuild, TemporaryFoldersThatEarlierBuildsLeftAreRemovedOnlyWhenOursAndIdle) {
    AddAppFile("text.txt", std::string(1600000, 'a'));
    Plan("1.44MB");
    const time_t hourAgo = std::time(nullptr) - 3600;
    auto leftover = [&](const std::string& name, time_t modified) {
        dir.Write("media/" + name + "/Setup/setup.log", "an earlier build\r\n");
        dir.Write("media/" + name + "/data.bin", std::string(5000, 'd'));
        test::SetMTime(media + "/" + name, modified);
    };
    leftover("~ZLT003", hourAgo);         // a killed build of the old naming
    leftover("~ZLTa1B2c3", hourAgo);      // a killed build after all names were taken
    leftover("~ZLT004", hourAgo + 7200);  // changed after this run began: another job
    leftover("~ZLT005", hourAgo);         // a test run that is going on
    leftover("~ZLT0AB", hourAgo);         // not a name of ours
    dir.Write("media/~ZLT006/keep.txt", "the user's own folder");
    test::SetMTime(media + "/~ZLT006", hourAgo);
    WMediaLock testRun;
    ASSERT_TRUE(testRun.Acquire(media + "/~ZLT005"));
    leftover("~ZLT007", hourAgo);  // another user's, where the test can make one
    const bool foreign = test::GiveToAnotherUser(media + "/~ZLT007");
    if (!foreign) {
        ASSERT_TRUE(RemoveTree(media + "/~ZLT007"));
    }

    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    std::vector<std::string> expected = {"~ZLT004", "~ZLT005", "~ZLT006", "~ZLT0AB"};
    if (foreign)
        expected.insert(expected.begin() + 3, "~ZLT007");
    EXPECT_EQ(TempFolders(), expected);
    EXPECT_EQ(dir.Read("media/~ZLT006/keep.txt"), "the user's own folder");
    EXPECT_EQ(Disks(), std::vector<std::string>{"disk001"});

    EXPECT_TRUE(WMediaBuilder::IsShipFolderName("~ZLT099"));
    EXPECT_TRUE(WMediaBuilder::IsShipFolderName("~ZLTXXX"));
    EXPECT_FALSE(WMediaBuilder::IsShipFolderName("~ZLT1234"));
    EXPECT_FALSE(WMediaBuilder::IsShipFolderName("~ZLTab-12c"));
}

// Every file below `folder` by its path inside it, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    namespace fs = std::filesystem;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path().string());
    }
    return files;
}

void SetTimes(const std::string& path, time_t when) {
    test::SetMTime(path, when);
}

TEST_F(FloppyBuild, WithAFixedBuildTimeTwoBuildsGiveTheSameBytes) {
    AddAppFile("data/big.txt", std::string(1600000, 'b'));
    AddAppFile("readme.txt", "read me\r\n");
    AddInstallFile(distrib, "System\\shared.dll");
    Plan("1.44MB");
    ASSERT_TRUE(request.floppy);
    // Friday, 2 February 2018, around noon: far from the clock of the run.
    const time_t fixed = 1517572800;
    ScopedEnv epoch("SOURCE_DATE_EPOCH", std::to_string(fixed));

    auto build = [&](time_t sourceTime) {
        for (const std::string& file :
             {app + "/data/big.txt", app + "/readme.txt", install + "/System/shared.dll",
              install + "/Distrib/Setup/setup.exe"})
            SetTimes(file, sourceTime);
        RecordingProgress progress;
        EXPECT_TRUE(Build(progress)) << errorText;
        return Snapshot(media);
    };
    const std::map<std::string, std::string> first = build(fixed - 86400 * 400);
    ASSERT_EQ(first.size(), 3u);  // setup.log, disk001/setup.exe, disk001/disk001.cfi
    // Sources touched since, as a fresh checkout of them would be.
    const std::map<std::string, std::string> second = build(std::time(nullptr));
    ASSERT_EQ(first.size(), second.size());
    for (const auto& [path, bytes] : first) {
        auto other = second.find(path);
        ASSERT_NE(other, second.end()) << path;
        EXPECT_TRUE(other->second == bytes) << path << " differs";
    }

    // The time in the set is the fixed one: in the log, the scripts'
    // headers and the archives' members.
    std::tm local{};
    ASSERT_TRUE(LocalTimeOf(fixed, local));
    EXPECT_EQ(first.at("setup.log").substr(0, first.at("setup.log").find("\r\n")),
              WMediaBuilder::LogTimeText(fixed));
    std::string unpacked = dir / "unpacked";
    WArchive reader;
    ASSERT_TRUE(reader.Extract("disk001.cfi", media + "/disk001", unpacked));
    ASSERT_TRUE(reader.Extract("ComponentList.cfi", unpacked, unpacked + "/list"));
    EXPECT_EQ(test::MTimeOf(unpacked + "/list/comp.kvz"), fixed);
    EXPECT_EQ(test::MTimeOf(unpacked + "/Setup files.cfi"), fixed);
    const std::string stamp =
        Format("TimeStamp=%d/%d/%d   %d:%d:%d", local.tm_mday, local.tm_mon + 1,
               local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    ASSERT_TRUE(reader.Extract("Setup files.cfi", unpacked, unpacked + "/product"));
    std::string product;
    for (const auto& [path, bytes] : Snapshot(unpacked + "/product")) {
        if (EqualsNoCase(FileNameOf(path), "project.kvz"))
            product = bytes;
    }
    EXPECT_NE(product.find(stamp), std::string::npos) << stamp << "\n" << product;
}

// A component's archive packed from the sources holds what packing the ship
// folder of copies gave: a CD build's folder is that ship folder, and the
// archives made from it by the same patterns are the reference, byte for byte.
TEST_F(FloppyBuild, ComponentArchivesFromTheSourcesEqualThosePackedFromCopies) {
    ScopedEnv epoch("SOURCE_DATE_EPOCH", "1517572800");
    // Larger than the medium, so that the set is one for floppies.
    AddAppFile("bin/app.exe", std::string(1600000, 'a'));
    AddAppFile("bin/sub/deep/x.dat", test::RandomBytes(5000, 4));
    AddAppFile("Readme.TXT", "read me\r\n");
    auto execute = CreateElement(kElementExecute);
    execute->SetTargetName("BIN\\APP.EXE");  // the same member again
    project->ProgramFilesComponent()->AddElement(std::move(execute));
    AddInstallFile(distrib, "System\\shared.dll");
    AddInstallFile(distrib, "Fonts\\sans.ttf", kElementTTFFile);
    // A second supplier of a path, spelt otherwise, and a name whose case
    // differs from the installation's file.
    dir.Write("install/Help/Guide.txt", "a guide");
    WSetupComponent* extra = project->Components()->Add("Extra", 0);
    extra->Select(WSetupComponent::kSelected);
    AddInstallFile(extra, "SYSTEM\\Shared.DLL");
    AddInstallFile(extra, "help\\guide.TXT");
    Plan("1.44MB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    ASSERT_EQ(Disks(), std::vector<std::string>{"disk001"});
    const std::string unpacked = UnpackDisks() + "/disk001";

    Plan("640MB");
    ASSERT_FALSE(request.floppy);
    request.mediaFolder = dir / "cd";
    RecordingProgress cdProgress;
    ASSERT_TRUE(Build(cdProgress)) << errorText;

    WCreatorManager* components = project->Components();
    components->Gather();
    int compared = 0;
    for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
        for (const WSetupComponent* c : components->Level(level)) {
            const std::string name = c->GetName() + ".cfi";
            if (!IsFile(JoinPath(unpacked, name)))
                continue;
            WArchive reference;
            ASSERT_TRUE(reference.Create(6, c->GetName(), false, WDiskSet::MemberPatterns(*c),
                                         dir / "reference", dir / "cd", true));
            EXPECT_TRUE(ReadBytes(JoinPath(unpacked, name)) ==
                        ReadBytes(reference.GetArchivePath()))
                << name;
            if (c == extra) {
                EXPECT_EQ(reference.GetMembers(),
                          (std::vector<std::string>{"SYSTEM\\shared.dll", "help\\guide.TXT"}));
            }
            ++compared;
        }
    }
    components->ReleaseGathered();
    EXPECT_GE(compared, 3);
    WArchive reader;
    ASSERT_TRUE(reader.Extract("Extra.cfi", unpacked, dir / "extra")) << reader.GetStatusText();
    EXPECT_EQ(ReadBytes(dir / "extra/SYSTEM/shared.dll"), "shared from the installation");
    EXPECT_EQ(ReadBytes(dir / "extra/help/guide.TXT"), "a guide");
}

// A source that is gone when the build runs is a failure found where its copy
// used to fail: logged in order among the others, which are still packed.
TEST_F(FloppyBuild, AMissingSourceIsLoggedInOrderAndTheOthersArePacked) {
    AddAppFile("a.txt", std::string(1600000, 'a'));
    AddAppFile("sub/b.txt", "second");
    AddAppFile("c.txt", "third");
    Plan("1.44MB");
    ASSERT_TRUE(RemoveFile(app + "/sub/b.txt"));
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_NE(errorText.find("b.txt"), std::string::npos) << errorText;

    const std::string ship = media + "/~ZLT000";
    std::vector<std::string> lines = LogLines(media + "/setup.log");
    auto at = std::find(lines.begin(), lines.end(), "Install type : floppy");
    ASSERT_NE(at, lines.end());
    const std::vector<std::string> expected = {
        "Install type : floppy",
        "Succesfully copied file : " + ship + "/autorun.inf",
        "Succesfully copied file : " + ship + "/setup32.exe",
        "Succesfully copied file : " + ship + "/Setup/Box.id",
        "Succesfully copied file : " + ship + "/Setup/Swintlen.dll",
        "Succesfully copied file : " + ship + "/Setup/setup.exe",
        "Succesfully copied file : " + ship + "/a.txt",
        "Error copying file : " + ship + "/sub/b.txt",
        "Succesfully copied file : " + ship + "/c.txt",
        "Comp.kvz successfully created",
        "Project.kvz successfully created",
        "Succesfully copied file : setup.exe",
        "\tsetup.exe : disks 1 to 1",
        "Successfully compressed : swintl.cfi",
        "\tswintl.cfi : disks 1 to 1",
    };
    ASSERT_GE(lines.end() - at, static_cast<std::ptrdiff_t>(expected.size()));
    EXPECT_EQ(std::vector<std::string>(at, at + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
    EXPECT_EQ(lines.back(), "Creation of floppies completed successfully");

    const std::string unpacked = UnpackDisks() + "/disk001";
    WArchive reader;
    ASSERT_TRUE(reader.Extract("Program_files.cfi", unpacked, dir / "program"));
    EXPECT_EQ(ReadBytes(dir / "program/a.txt"), std::string(1600000, 'a'));
    EXPECT_EQ(ReadBytes(dir / "program/c.txt"), "third");
    EXPECT_FALSE(PathExists(dir / "program/sub/b.txt"));
}

// The user's database configuration replaces the engine's file of that name
// (in another case) in the component's archive, as it replaced its copy.
TEST_F(FloppyBuild, TheUsersConfigurationReplacesTheComponentsFileInItsArchive) {
    AddAppFile("big.txt", std::string(1600000, 'a'));
    AddInstallFile(distrib, "Bde501\\IDAPI.CNF");
    dir.Write("install/Bde501/IDAPI.CNF", "default configuration");
    project->IDAPICNFDirectory = dir.Write("mine.cnf", "my configuration");
    project->BDEComponent = 1;
    project->IsDefaultCFGSelected = 0;
    Plan("1.44MB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress progress;
    ASSERT_TRUE(Build(progress)) << errorText;
    const std::string unpacked = UnpackDisks() + "/disk001";
    WArchive reader;
    ASSERT_TRUE(reader.Extract("Distrib.cfi", unpacked, dir / "distrib"));
    EXPECT_EQ(ListFolder(dir / "distrib/Bde501", true, false),
              std::vector<std::string>{"IDAPI.CNF"});
    EXPECT_EQ(ReadBytes(dir / "distrib/Bde501/IDAPI.CNF"), "my configuration");
}

// A file where another supplier's folder goes, and a folder where a file
// goes, fail as their copies failed, whether the set is packed from the
// sources (floppies) or copied (CD).
TEST_F(FloppyBuild, AFileWhereAFolderGoesFailsAsItsCopyDid) {
    AddAppFile("big.txt", std::string(1600000, 'a'));
    dir.Write("install/Help/Guide.txt", "a guide");
    dir.Write("install/help", "a file named like the folder");
    dir.Write("install/notes", "a file");
    dir.Write("install/NOTES/a.txt", "below a file");
    AddInstallFile(distrib, "Help\\Guide.txt");
    AddInstallFile(distrib, "notes");
    WSetupComponent* extra = project->Components()->Add("Extra", 0);
    extra->Select(WSetupComponent::kSelected);
    AddInstallFile(extra, "help");
    AddInstallFile(extra, "NOTES\\a.txt");
    for (const char* size : {"1.44MB", "640MB"}) {
        SCOPED_TRACE(size);
        Plan(size);
        RecordingProgress progress;
        EXPECT_FALSE(Build(progress));
        const std::string ship = request.floppy ? media + "/~ZLT000" : media;
        EXPECT_EQ(errorText, "cannot copy " + ship + "/Help: Is a directory");
        std::vector<std::string> lines = LogLines(logPath);
        for (const std::string& line : {"Succesfully copied file : " + ship + "/Help/Guide.txt",
                                        "Succesfully copied file : " + ship + "/notes",
                                        "Error copying file : " + ship + "/Help",
                                        "Error copying file : " + ship + "/notes/a.txt"}) {
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
        }
        RemoveTreeForced(media);
    }
}

class Splitting : public MediaFixture {
  protected:
    // Splits `bytes` as archive "Big.Data.cfi" in disk `disk`'s folder with
    // `used` bytes already on it; returns the pieces found, in order.
    std::vector<std::string> Split(WDiskSet& set, const std::string& bytes, int disk,
                                   int64_t used) {
        set.SetCurrentDisk(disk, used);
        test::WriteBytes(JoinPath(set.DiskFolder(disk), "Big.Data.cfi"), bytes);
        EXPECT_TRUE(set.SplitArchive(set.DiskFolder(disk), "Big.Data.cfi"));
        std::vector<std::string> pieces;
        for (int k = 1;; ++k) {
            std::string path =
                JoinPath(set.DiskFolder(disk + k - 1), WDiskSet::PieceName(k, "Big.Data.cfi"));
            if (!IsFile(path))
                break;
            pieces.push_back(ReadBytes(path));
        }
        return pieces;
    }
};

TEST_F(Splitting, PiecesCarryNumberedHeadersAndJoinBackByteForByte) {
    RecordingProgress progress;
    WMediaBuilder job(*project, request, progress);
    request.mediaFolder = media;
    request.mediaSize = 2000;
    WDiskSet set(job, *project, request, dir / "ship");
    set.SetCapacity(2000);
    const std::string bytes = test::RandomBytes(6000, 9);

    std::vector<std::string> pieces = Split(set, bytes, 4, 600);
    ASSERT_EQ(pieces.size(), 4u);
    std::string joined;
    for (size_t k = 0; k < pieces.size(); ++k) {
        EXPECT_EQ(pieces[k].substr(0, 6), WDiskSet::ThreeDigits(static_cast<int>(k) + 1) + "004");
        EXPECT_LE(pieces[k].size(), 2000u);
        joined += pieces[k].substr(6);
    }
    EXPECT_EQ(joined, bytes);
    EXPECT_EQ(set.CurrentDisk(), 7);
    EXPECT_LT(set.FreeSpace(), 2000 - static_cast<int64_t>(pieces.back().size()));

    // No room for even a header: the first piece starts on the next disk.
    pieces = Split(set, bytes.substr(0, 1500), 10, 1998);
    EXPECT_TRUE(pieces.empty());
    EXPECT_TRUE(IsFile(JoinPath(set.DiskFolder(11), "~001_Big.cfi")));
    EXPECT_EQ(ReadBytes(JoinPath(set.DiskFolder(11), "~001_Big.cfi")),
              "001001" + bytes.substr(0, 1500));
    EXPECT_EQ(set.CurrentDisk(), 11);
}

// Text that deflates to about a third: words of a small vocabulary.
std::string WordText(size_t n, unsigned seed) {
    static const char* const kWords[] = {"ledger ",   "account ",  "balance ", "invoice ",
                                         "customer ", "total\r\n", "amount ",  "period "};
    std::string text;
    unsigned x = seed;
    while (text.size() < n) {
        x = x * 1103515245u + 12345u;
        text += kWords[(x >> 16) % 8];
    }
    text.resize(n);
    return text;
}

TEST_F(FloppyBuild, TheEstimateCountsTheDisksTheBuildMakes) {
    const struct {
        const char* label;
        std::vector<std::pair<std::string, std::string>> files;
        bool about;
    } cases[] = {
        {"incompressible", {{"a.bin", test::RandomBytes(5000000, 3)}}, false},
        {"mixed",
         {{"a.bin", test::RandomBytes(2500000, 4)},
          {"big.txt", WordText(6000000, 5)},
          {"small.txt", WordText(200000, 6)},
          {"b.bin", test::RandomBytes(300000, 7)}},
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SetUp();
        for (const auto& [name, bytes] : c.files)
            AddAppFile(name, bytes);
        WMediaPlan plan;
        ASSERT_TRUE(plan.ParseSize("720 KB"));
        plan.Gather(*project);
        plan.Recompute();
        ASSERT_TRUE(plan.IsFloppy());
        const int estimate = plan.EstimatedDisks();
        EXPECT_EQ(plan.EstimateText().find("about ") != std::string::npos, c.about)
            << plan.EstimateText();
        ASSERT_TRUE(plan.ValidateMediaSize(*project).Ok());
        request = plan.Request(*project, media);
        RecordingProgress progress;
        ASSERT_TRUE(Build(progress)) << errorText;
        const int made = static_cast<int>(Disks().size());
        EXPECT_GE(made, 4);
        EXPECT_LE(std::abs(estimate - made), std::max(1, made / 10))
            << "estimated " << estimate << ", made " << made;
        ASSERT_TRUE(RemoveTree(media) && RemoveTree(app));
    }
}

// Small files are deflated side by side for the estimate; what it counts
// is the same whatever the number of threads, down to the byte (many
// capacities near the set's size tell bytes apart).
TEST_F(FloppyBuild, TheEstimateIsTheSameOnOneThreadAndOnMany) {
    for (int i = 0; i < 40; ++i) {
        AddAppFile("f" + std::to_string(i) + (i % 3 ? ".txt" : ".bin"),
                   i % 3 ? WordText(1000 + 997 * i, i) : test::RandomBytes(500 + 313 * i, i));
        if (i == 20)
            AddAppFile("large.txt", WordText(700000, 99));  // sampled, between two runs
    }
    auto estimate = [&](const char* threads) {
        test::SetEnvVar("VANTREL_THREADS", threads);
        WMediaPlan plan;
        plan.Gather(*project);
        test::SetEnvVar("VANTREL_THREADS", nullptr);
        std::vector<int> disks;
        for (int64_t capacity = 20000; capacity < 120000; capacity += 97)
            disks.push_back(plan.DiskEstimate().Disks(static_cast<double>(capacity)));
        disks.push_back(plan.DiskEstimate().Approximate());
        return disks;
    };
    const std::vector<int> one = estimate("1");
    EXPECT_EQ(estimate("2"), one);
    EXPECT_EQ(estimate("5"), one);
}

TEST(DiskNames, NumbersFoldersAndPieces) {
    EXPECT_EQ(WDiskSet::ThreeDigits(0), "000");
    EXPECT_EQ(WDiskSet::ThreeDigits(7), "007");
    EXPECT_EQ(WDiskSet::ThreeDigits(42), "042");
    EXPECT_EQ(WDiskSet::ThreeDigits(100), "100");
    EXPECT_EQ(WDiskSet::ThreeDigits(1000), "1000");
    EXPECT_EQ(WDiskSet::PieceName(2, "Setup files.cfi"), "~002_Setup files.cfi");
    EXPECT_EQ(WDiskSet::PieceName(1, "My.App.cfi"), "~001_My.cfi");
    EXPECT_EQ(WDiskSet::PieceName(12, "NoDot"), "~012_NoDot.cfi");
}

}  // namespace
}  // namespace vantrel
