#include "platform/files_below.h"

#include <cerrno>
#include <filesystem>

#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A root with a folder link and a file link that lead out of it.
class FilesBelow : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.Write("outside/victim", "keep");
        dir.Write("root/a/b/file.txt", "old");
        std::filesystem::create_directory_symlink(ToNative(dir / "outside"),
                                                  ToNative(dir / "root/out"));
        std::filesystem::create_symlink(ToNative(dir / "outside/victim"),
                                        ToNative(dir / "root/a/link.txt"));
        ASSERT_TRUE(root.Open(dir / "root", FileHandle::Mode::kFolder));
    }

    test::ScratchFolder dir;
    FileHandle root;
};

TEST_F(FilesBelow, NoLinkIsFollowedOnTheWayOrAtTheEnd) {
    FileHandle folder;
    std::string failedAt;
    struct Case {
        const char* relative;
        int error;
        const char* failedAt;
    };
    for (const Case& c :
         {Case{"out", ELOOP, "out"}, Case{"out/x/y", ELOOP, "out"},
          Case{"a/link.txt", ELOOP, "a/link.txt"}, Case{"a/b/file.txt", ENOTDIR, "a/b/file.txt"},
          Case{"a/../out", EINVAL, "a/../out"}, Case{"a//b", EINVAL, "a//b"}}) {
        SCOPED_TRACE(c.relative);
        std::vector<std::string> made;
        EXPECT_FALSE(OpenFolderBelow(root, c.relative, folder, &made, &failedAt));
        EXPECT_EQ(errno, c.error);
        EXPECT_EQ(failedAt, c.failedAt);
        EXPECT_TRUE(made.empty());
    }
    EXPECT_EQ(ListFolder(dir / "outside", true, true), std::vector<std::string>{"victim"});

    ASSERT_TRUE(OpenFolderBelow(root, "a", folder));
    std::string text;
    EXPECT_FALSE(ReadFileIn(folder, "link.txt", text));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_FALSE(ReplaceFileIn(folder, "link.txt", "evil"));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_EQ(dir.Read("outside/victim"), "keep");
    // Neither the link nor a temporary file beside it is touched.
    EXPECT_EQ(ListFolder(dir / "root/a", true, true), (std::vector<std::string>{"b", "link.txt"}));
}

TEST_F(FilesBelow, MakesMissingFoldersAndReplacesFilesWhole) {
    FileHandle folder;
    std::vector<std::string> made;
    ASSERT_TRUE(OpenFolderBelow(root, "a/new/deeper", folder, &made));
    EXPECT_EQ(made, (std::vector<std::string>{"a/new", "a/new/deeper"}));
    ASSERT_TRUE(ReplaceFileIn(folder, "n.txt", "new"));
    EXPECT_EQ(dir.Read("root/a/new/deeper/n.txt"), "new");
    // Without `made`, a missing folder is not made.
    EXPECT_FALSE(OpenFolderBelow(root, "a/none", folder));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(PathExists(dir / "root/a/none"));

    // A replaced file keeps its permissions; the copy reads from a handle.
    ASSERT_TRUE(SetFilePermissions(dir / "root/a/b/file.txt", 0600));
    ASSERT_TRUE(OpenFolderBelow(root, "a/b", folder));
    FileHandle source;
    ASSERT_TRUE(source.Open(dir.Write("src.bin", std::string(200000, 'z')),
                            FileHandle::Mode::kReadFileOnly));
    ASSERT_TRUE(ReplaceFileIn(folder, "file.txt", source));
    EXPECT_EQ(dir.Read("root/a/b/file.txt"), std::string(200000, 'z'));
    FileInfo info;
    ASSERT_TRUE(GetFileInfo(dir / "root/a/b/file.txt", info));
    EXPECT_EQ(info.permissions, 0600u);
    std::string text;
    ASSERT_TRUE(ReadFileIn(folder, "file.txt", text));
    EXPECT_EQ(text.size(), 200000u);
    EXPECT_EQ(ListFolder(dir / "root/a/b", true, true), std::vector<std::string>{"file.txt"});
}

}  // namespace
}  // namespace vantrel
