// Floppy sets: disk folders, per-disk archives, split archives and their
// pieces, the temporary ship folder, and a second build into the same folder.
#include "media/disk_set.h"

#include "archive/archive.h"
#include "media/file_copy.h"
#include "media_fixture.h"
#include "platform/strings.h"
#include "platform/wildcard.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::MediaFixture;
using test::Quote;
using test::ReadBytes;
using test::RecordingProgress;

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

    // Unpacks every disk's archive into one folder and returns it.
    std::string UnpackDisks() {
        std::string out = dir / "unpacked";
        for (const std::string& disk : Disks()) {
            std::string archive = JoinPath(JoinPath(media, disk), disk + ".cfi");
            test::CommandResult r = test::Run("unzip -t " + Quote(archive));
            EXPECT_EQ(r.exitCode, 0) << r.output;
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
    ASSERT_EQ(project->IsFloppySetup, 1);

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
    ASSERT_EQ(project->IsFloppySetup, 1);
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
    ASSERT_EQ(project->IsFloppySetup, 1);
    RecordingProgress progress;
    progress.cancelAfter = 6;
    EXPECT_FALSE(Build(progress));
    EXPECT_EQ(errorText, "cancelled");
    EXPECT_EQ(ListFolder(media, true, true), std::vector<std::string>{"setup.log"});
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
    WMediaBuilder job(*project, progress);
    WDiskSet set(job, *project, dir / "ship", media);
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
