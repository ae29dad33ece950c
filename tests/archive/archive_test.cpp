// The archive calls: which files a pattern list packs, under which names,
// into which archive, and that neither call depends on the current folder.
#include "archive/archive.h"

#include <gtest/gtest.h>
#include <filesystem>

#include "archive/al_entry.h"
#include "archive/zip_reader.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"
#include "support/zip_test_util.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

std::vector<std::string> NamesIn(const std::string& zip) {
    ALZipReader reader(zip);
    ALEntryList list;
    EXPECT_EQ(0, reader.ReadDirectory(list)) << reader.Status().GetStatusDetail();
    std::vector<std::string> names;
    for (auto& e : list)
        names.push_back(e->GetStorage()->GetName());
    return names;
}

std::string Cwd() {
    std::error_code ec;
    return std::filesystem::current_path(ec).generic_string();
}

TEST(ArchiveTest, PatternsSelectFilesInNamedFolders) {
    ScratchFolder dir;
    std::string ship = dir / "ship";
    dir.Write("ship/SETUP/setup.ini", "ini");
    dir.Write("ship/SETUP/engine.dll", "dll");
    dir.Write("ship/SETUP/Deeper/skip.txt", "not packed: below the named folder");
    dir.Write("ship/Setup32.exe", "exe");
    dir.Write("ship/uninst.exe", "uninst");
    dir.Write("ship/app.exe", "not named");
    std::string before = Cwd();

    WArchive archive(".cfi");
    ASSERT_TRUE(archive.Create(6, "Setup files", false, "Setup\\*.*,Setup*.exe,Uninst*.exe",
                               dir / "disk001", ship, true))
        << archive.GetStatusText();
    EXPECT_EQ(before, Cwd());
    EXPECT_EQ(dir / "disk001/Setup files.cfi", archive.GetArchivePath());
    // Folder as the pattern spells it, file names as on disk.
    std::vector<std::string> expected = {"Setup/engine.dll", "Setup/setup.ini", "Setup32.exe",
                                         "uninst.exe"};
    EXPECT_EQ(expected, NamesIn(archive.GetArchivePath()));
    EXPECT_EQ(4u, archive.GetMembers().size());

    ASSERT_TRUE(archive.Extract("Setup files.cfi", dir / "disk001", dir / "back"));
    EXPECT_EQ(before, Cwd());
    EXPECT_EQ("ini", dir.Read("back/Setup/setup.ini"));
    EXPECT_EQ("uninst", dir.Read("back/uninst.exe"));
}

TEST(ArchiveTest, MemberListWithMissingFilesAndTrailingComma) {
    ScratchFolder dir;
    dir.Write("tmp/project.kvz", "p");
    dir.Write("tmp/comp.kvz", "c");
    dir.Write("tmp/String.str", "s");
    WArchive archive(".zlt");
    ASSERT_TRUE(archive.Create(6, "My Project.old", true,
                               "project.kvz,comp.kvz,string.str,license.txt,release.txt,",
                               dir.path(), dir / "tmp", true));
    EXPECT_EQ(dir / "My Project.zlt", archive.GetArchivePath());
    EXPECT_EQ((std::vector<std::string>{"project.kvz", "comp.kvz", "String.str"}),
              NamesIn(archive.GetArchivePath()));

    // Without stripping, the extension stays part of the base name.
    ASSERT_TRUE(archive.Create(6, "My.App", false, "project.kvz", dir.path(), dir / "tmp", true));
    EXPECT_EQ(dir / "My.App.zlt", archive.GetArchivePath());
}

TEST(ArchiveTest, OverlappingPatternsPackAFileOnce) {
    ScratchFolder dir;
    dir.Write("src/a.txt", "a");
    dir.Write("src/b.txt", "b");
    WArchive archive(".cfi");
    ASSERT_TRUE(archive.Create(6, "x", false, "a.txt,A.TXT,*.txt", dir.path(), dir / "src", true))
        << archive.GetStatusText();
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt"}), NamesIn(dir / "x.cfi"));
}

TEST(ArchiveTest, ArchiveInsideItsPatternFolderDoesNotPackItself) {
    ScratchFolder dir;
    dir.Write("disk001/Setup files.cfi", "an archive placed earlier");
    dir.Write("disk001/swintl.cfi", "another");
    for (bool deleteFirst : {true, false}) {
        dir.Write("disk001/disk001.cfi", "old archive of this disk");
        WArchive archive(".cfi");
        ASSERT_TRUE(archive.Create(0, "disk001", false, "*.cfi", dir / "disk001", dir / "disk001",
                                   deleteFirst))
            << archive.GetStatusText();
        EXPECT_EQ((std::vector<std::string>{"Setup files.cfi", "swintl.cfi"}),
                  NamesIn(dir / "disk001/disk001.cfi"));
    }
}

TEST(ArchiveTest, NothingMatchedGivesAnEmptyArchive) {
    ScratchFolder dir;
    WArchive archive(".cfi");
    ASSERT_TRUE(archive.Create(6, "empty", false, "nothing*.*", dir.path(), dir.path(), true));
    std::string bytes = test::ReadBytes(dir / "empty.cfi");
    EXPECT_EQ(std::string("PK\x05\x06", 4) + std::string(18, '\0'), bytes);
    EXPECT_TRUE(archive.Extract("empty.cfi", dir.path(), dir / "new/folder"));
    EXPECT_TRUE(IsFolder(dir / "new/folder"));
}

TEST(ArchiveTest, FailuresLeaveTheirTextForTheLog) {
    ScratchFolder dir;
    dir.Write("src/a.txt", "a");
    dir.Write("out/x.cfi/inside", "a folder where the archive should go");
    WArchive archive(".cfi");
    EXPECT_FALSE(archive.Create(6, "x", false, "a.txt", dir / "out", dir / "src", false));
    EXPECT_EQ(al::kCantOpenFile, archive.GetStatusCode());
    EXPECT_EQ("File creation failure.  Open of " + (dir / "out/x.cfi") + " returned errno = 21",
              archive.GetStatusText());
    EXPECT_FALSE(archive.Create(6, "x", false, "a.txt", dir / "out", dir / "src", true));
    EXPECT_EQ(al::kDeleteError, archive.GetStatusCode());
}

}  // namespace
}  // namespace vantrel
