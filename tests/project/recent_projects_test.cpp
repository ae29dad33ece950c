#include "project/recent_projects.h"

#include "platform/files.h"
#include "platform/registry.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

class RecentProjects : public ::testing::Test {
  protected:
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};

    std::string Project(const std::string& name) { return dir.Write(name + ".zlt", "x"); }
    std::string Stored(int index) {
        std::string value;
        TheRegistry().GetString(Hive::CurrentUser, kRecentProjectKey,
                                "File" + std::to_string(index), value);
        return value;
    }
    std::vector<std::string> Read() {
        std::vector<std::string> list{"left over"};
        EXPECT_TRUE(ReadRecentProjects(list));
        return list;
    }
};

TEST_F(RecentProjects, KeepsTheFiveMostRecentNewestFirst) {
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i)
        paths.push_back(Project("p" + std::to_string(i)));
    for (auto& p : paths)
        ASSERT_TRUE(AddRecentProject(p));
    EXPECT_EQ(Read(), (std::vector<std::string>{paths[5], paths[4], paths[3], paths[2], paths[1]}));
    EXPECT_EQ(Stored(0), paths[5]);
    EXPECT_EQ(Stored(4), paths[1]);

    // Saving one that is already listed moves it to the head, once.
    ASSERT_TRUE(AddRecentProject(paths[3]));
    ASSERT_TRUE(AddRecentProject(paths[3]));
    EXPECT_EQ(Read(), (std::vector<std::string>{paths[3], paths[5], paths[4], paths[2], paths[1]}));

    // Saving the project at the head again leaves the store as it is (no
    // rewrite of the whole hive file on every save); a change rewrites it.
    FileInfo before, after;
    ASSERT_TRUE(GetFileInfo(registry.userFile, before));
    ASSERT_TRUE(AddRecentProject(paths[3]));
    ASSERT_TRUE(GetFileInfo(registry.userFile, after));
    EXPECT_TRUE(SameFileVersion(before, after));
    ASSERT_TRUE(AddRecentProject(paths[5]));
    ASSERT_TRUE(GetFileInfo(registry.userFile, after));
    EXPECT_FALSE(SameFileVersion(before, after));
    EXPECT_EQ(Read(), (std::vector<std::string>{paths[5], paths[3], paths[4], paths[2], paths[1]}));
}

TEST_F(RecentProjects, DropsMissingFilesAndLeavesNoStaleSlots) {
    std::string a = Project("a"), b = Project("b"), c = Project("c");
    for (auto& p : {a, b, c})
        ASSERT_TRUE(AddRecentProject(p));
    ASSERT_EQ(Read(), (std::vector<std::string>{c, b, a}));

    // A file that went away is not offered and disappears with the next save.
    ASSERT_TRUE(RemoveFile(b));
    EXPECT_EQ(Read(), (std::vector<std::string>{c, a}));
    std::string d = Project("d");
    ASSERT_TRUE(AddRecentProject(d));
    EXPECT_EQ(Stored(0), d);
    EXPECT_EQ(Stored(1), c);
    EXPECT_EQ(Stored(2), a);
    EXPECT_EQ(Stored(3), "");

    // Re-saving the last entry must not leave a copy of it behind.
    ASSERT_TRUE(AddRecentProject(a));
    EXPECT_EQ(Stored(2), c);
    EXPECT_EQ(Stored(3), "");
    EXPECT_EQ(Read(), (std::vector<std::string>{a, d, c}));
}

TEST_F(RecentProjects, ComparesPathsExactlyAndSkipsBlankOrDuplicateValues) {
    std::string lower = Project("same"), upper = Project("SAME");
    ASSERT_TRUE(AddRecentProject(lower));
    ASSERT_TRUE(AddRecentProject(upper));
    EXPECT_EQ(Read(), (std::vector<std::string>{upper, lower}));

    // Values written by someone else: blanks, duplicates, a folder.
    auto& reg = TheRegistry();
    ASSERT_TRUE(reg.SetString(Hive::CurrentUser, kRecentProjectKey, "File0", ""));
    ASSERT_TRUE(reg.SetString(Hive::CurrentUser, kRecentProjectKey, "File1", lower));
    ASSERT_TRUE(reg.SetString(Hive::CurrentUser, kRecentProjectKey, "File2", lower));
    ASSERT_TRUE(reg.SetString(Hive::CurrentUser, kRecentProjectKey, "File3", dir.path()));
    ASSERT_TRUE(reg.SetString(Hive::CurrentUser, kRecentProjectKey, "File4", upper));
    EXPECT_EQ(Read(), (std::vector<std::string>{lower, upper}));
}

TEST_F(RecentProjects, ReportsAHiveThatCannotBeWritten) {
    // The user hive's file name is taken by a folder: nothing can be stored.
    ASSERT_TRUE(MakeFolders(registry.userFile));
    EXPECT_FALSE(AddRecentProject(Project("x")));
    EXPECT_EQ(Read(), std::vector<std::string>{});
}

}  // namespace
}  // namespace vantrel
