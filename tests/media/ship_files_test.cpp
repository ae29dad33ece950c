// Packing from staged sources: the members that the patterns give over the
// ship folder with its staged files must be those, in the same order and with
// the same bytes, that packing a ship folder holding copies of them gives.
#include "media/ship_files.h"

#include <filesystem>

#include "archive/archive.h"
#include "media/file_copy.h"
#include "media_fixture.h"

namespace vantrel {
namespace {

using test::ReadBytes;
using test::ScratchFolder;

class ShipFilesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ship = dir / "ship";
        copies = dir / "copies";
        for (const char* name : {"Setup/setup.exe", "Setup/comp.kvz", "Setup32.exe", "uninst.exe"})
            dir.Write(std::string("ship/") + name, std::string("in the folder: ") + name);
        ASSERT_TRUE(MakeFolders(ship + "/Bin/Sub"));
        ASSERT_TRUE(MakeFolders(ship + "/Empty"));
    }

    // Stages a source at `relative` in the ship folder and copies it to the
    // same place in the copy of the ship folder, unless a file is there.
    void Stage(const std::string& relative, const std::string& bytes) {
        const std::string source = dir.Write("sources/" + std::to_string(++count) + ".bin", bytes);
        ASSERT_TRUE(files.Stage(JoinPath(ship, relative), source)) << relative;
        staged.emplace_back(relative, source);
    }

    // The ship folder as the copies would have made it: its own files, and
    // each staged file copied unless a file of the folder has its name.
    void MakeCopies() {
        std::error_code ec;
        std::filesystem::copy(ToNative(ship), ToNative(copies),
                              std::filesystem::copy_options::recursive, ec);
        ASSERT_FALSE(ec) << ec.message();
        for (const auto& [relative, source] : staged) {
            const std::string to = JoinPath(copies, relative);
            if (!PathExists(to)) {
                ASSERT_EQ(CopyFileData(source, to), CopyOutcome::kCopied) << relative;
            }
        }
    }

    ScratchFolder dir;
    std::string ship, copies;
    WShipFiles files;
    std::vector<std::pair<std::string, std::string>> staged;
    int count = 0;
};

TEST_F(ShipFilesTest, MembersAreThoseOfTheFolderWithCopiesInNameOrderAndBytes) {
    test::ScopedEnv epoch("SOURCE_DATE_EPOCH", "1517572800");
    Stage("Bin/app.exe", "application");
    Stage("Bin/App.Dat", "data");
    Stage("Bin/readme", "no extension");
    Stage("Bin/readme.txt", "with extension");
    Stage("Bin/Sub/Deep.TXT", "deep");
    Stage("Bin/Sub/a,b.txt", "a comma");
    Stage("Setup/extra.dll", "beside the engine");
    Stage("Setup/comp.kvz", "a component's file under the script's name");
    Stage("SETUP2.EXE", "a second start program");
    Stage("Bin/locked.bin", "read-only");
    ASSERT_TRUE(SetFilePermissions(staged.back().second, 0444));
    MakeCopies();

    const std::vector<std::string> lists = {
        // Names as elements write them: any case, either separator, a name
        // twice (the first spelling stays), names of nothing.
        "Bin\\app.exe, BIN\\APP.EXE, bin/*.DAT, bin\\readme., Bin\\README.*, bin\\sub\\DEEP.txt,"
        "Bin\\Sub\\a,b.txt, Bin\\missing.dll, NoFolder\\x.txt, Empty\\*.*, bin\\locked.bin,,",
        // The engine's archive: a folder holding files of both kinds.
        "Setup\\*.*,Setup*.exe,Uninst*.exe",
        "*",
        "bin\\sub\\*,Bin\\*.*",
    };
    for (const std::string& patterns : lists) {
        SCOPED_TRACE(patterns);
        WArchive copied;
        ASSERT_TRUE(copied.Create(6, "copied", false, patterns, dir / "out", copies, true))
            << copied.GetStatusText();
        const std::vector<WArchive::Member> members = files.Members(patterns, ship);
        std::vector<std::string> names;
        for (const WArchive::Member& member : members)
            names.push_back(member.name);
        EXPECT_EQ(names, copied.GetMembers());
        WArchive fromSources;
        ASSERT_TRUE(fromSources.CreateFrom(6, "sources", members, dir / "out", true))
            << fromSources.GetStatusText();
        EXPECT_TRUE(ReadBytes(dir / "out/copied.cfi") == ReadBytes(dir / "out/sources.cfi"));
    }

    // A file of the folder wins over a staged one of its name.
    for (const WArchive::Member& member : files.Members("Setup\\COMP.KVZ", ship))
        EXPECT_EQ(ReadBytes(member.path), "in the folder: Setup/comp.kvz");
}

TEST_F(ShipFilesTest, StagingNeedsTheFolder) {
    EXPECT_FALSE(files.Stage(ship + "/NoSuchFolder/x.txt", dir / "x"));
    dir.Write("ship/plain", "a file");
    EXPECT_FALSE(files.Stage(ship + "/plain/x.txt", dir / "x"));
    EXPECT_EQ(files.StagedCount(), 0u);
}

}  // namespace
}  // namespace vantrel
