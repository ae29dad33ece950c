#include "script/disk_utils.h"

#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(DiskUtils, FormatSizes) {
    EXPECT_EQ(FormatSizeDecimal(999), "1 KB");
    EXPECT_EQ(FormatSizeDecimal(0), "0 KB");
    EXPECT_EQ(FormatSizeDecimal(1000000), "1.00 MB");
    EXPECT_EQ(FormatSizeDecimal(1500000), "1.50 MB");
    EXPECT_EQ(FormatSizeDecimal(25000000), "25.0 MB");
    EXPECT_EQ(FormatSizeDecimal(10000000000.0), "10.0 GB");
    EXPECT_EQ(FormatSizeDecimal(2500000000000.0), "2.50 TB");

    const double mb = 1024.0 * 1024.0;
    EXPECT_EQ(FormatSizeBinary(1.3 * mb), "1.3 MB");  // the odd whole part is not inflated
    EXPECT_EQ(FormatSizeBinary(2.3 * mb), "2.3 MB");
    EXPECT_EQ(FormatSizeBinary(12.4 * mb), "12 MB");
    EXPECT_EQ(FormatSizeBinary(640 * 1024.0), "640 KB");
}

TEST(DiskUtils, ShortenPathKeepsLeadingFoldersAndTheFileName) {
    const std::string p = "C:\\Program Files\\Company\\Application\\Data\\file.txt";
    EXPECT_EQ(ShortenPath(p, 100), p);
    EXPECT_EQ(ShortenPath(p, static_cast<int>(p.size()) + 1), p);
    // Only what is shorter than the length stays whole.
    EXPECT_EQ(ShortenPath(p, static_cast<int>(p.size())),
              "C:\\Program Files\\Company\\Application\\...\\file.txt");
    EXPECT_EQ(ShortenPath(p, 30), "C:\\Program Files\\...\\file.txt");
    EXPECT_EQ(ShortenPath(p, 5), "\\...\\file.txt");
    EXPECT_EQ(ShortenPath("averyveryverylongname.txt", 10), "\\...\\averyveryverylongname.txt");
    EXPECT_EQ(ShortenPath("/home/ann/media/Disk001/data.cfi", 20), "/home/ann/.../data.cfi");
}

TEST(DiskUtils, PathRoots) {
    ForgetShareRoots();
    EXPECT_EQ(GetPathRoot("  C:\\Program Files"), "C:");
    EXPECT_EQ(GetPathRoot("d:/x"), "d:");
    EXPECT_EQ(GetPathRoot("ab:\\x"), "");
    EXPECT_EQ(GetPathRoot("relative\\x"), "");
    EXPECT_EQ(GetPathRoot("\\\\server"), "");
    EXPECT_EQ(GetPathRoot("\\\\server\\share\\dir\\f.txt"), "\\\\server\\share");
    EXPECT_EQ(GetPathRoot("//server/share"), "\\\\server\\share");

    RememberShareRoot("\\\\Server\\Share\\Apps\\");
    EXPECT_EQ(GetPathRoot("\\\\server\\share\\apps\\x.exe"), "\\\\Server\\Share\\Apps");
    // A remembered root names a whole part, not the start of a longer name.
    EXPECT_EQ(GetPathRoot("\\\\server\\share\\appsold\\x.exe"), "\\\\server\\share");
    ForgetShareRoots();

    test::ScratchFolder dir;
    EXPECT_FALSE(GetPathRoot(dir.path()).empty());
    EXPECT_EQ(GetPathRoot(dir.path())[0], '/');
    EXPECT_GT(GetFreeSpace(dir.path()), 0.0);
    EXPECT_EQ(GetFreeSpace("Q:\\"), 0.0);
}

TEST(DiskUtils, FilesAndFolders) {
    test::ScratchFolder dir;
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir.path()));  // a folder is not a file
    EXPECT_TRUE(FileExists(dir.Write("f.txt", "x")));

    std::vector<std::string> created;
    ASSERT_TRUE(CreateFolderPath(dir / "a\\b\\c", &created));
    EXPECT_EQ(created, (std::vector<std::string>{dir / "a", dir / "a\\b", dir / "a\\b\\c"}));
    EXPECT_TRUE(CreateFolderPath(dir / "a/b", &created));
    EXPECT_TRUE(created.empty());
    EXPECT_FALSE(CreateFolderPath(dir / "f.txt\\sub"));
}

TEST(DiskUtils, CanWriteToFolderLeavesNothingBehind) {
    test::ScratchFolder dir;
    EXPECT_TRUE(CanWriteToFolder(dir.path()));
    EXPECT_TRUE(ListFolder(dir.path(), true, true).empty());

    // A missing folder two levels deep is created for the test and removed again.
    EXPECT_TRUE(CanWriteToFolder(dir / "one/two"));
    EXPECT_FALSE(PathExists(dir / "one"));

    // A file of the test's name belongs to the user and survives the test.
    dir.Write("1234567890.tmp", "keep me");
    EXPECT_TRUE(CanWriteToFolder(dir.path()));
    EXPECT_EQ(dir.Read("1234567890.tmp"), "keep me");
    EXPECT_EQ(ListFolder(dir.path(), true, true), std::vector<std::string>{"1234567890.tmp"});

    EXPECT_FALSE(CanWriteToFolder(""));
    if (::geteuid() != 0) {
        std::string locked = dir / "locked";
        MakeFolders(locked);
        ::chmod(locked.c_str(), 0555);
        EXPECT_FALSE(CanWriteToFolder(locked));
        EXPECT_FALSE(CanWriteToFolder(locked + "/x/y"));
        EXPECT_FALSE(PathExists(locked + "/x"));
        ::chmod(locked.c_str(), 0755);
    }
}

TEST(DiskUtils, UniqueAndTemporaryNames) {
    test::ScratchFolder dir;
    std::set<std::string> names;
    for (int i = 0; i < 20; ++i) {
        std::string n = MakeUniqueName(dir / "zl");
        ASSERT_EQ(n.size(), (dir / "zl").size() + 5);
        EXPECT_EQ(n.find_first_not_of("0123456789", (dir / "zl").size()), std::string::npos);
        names.insert(n);
    }
    EXPECT_GT(names.size(), 15u);  // calls in the same second do not repeat

    EXPECT_EQ(MakeTempFolderName(dir.path()), dir / "~ZLT000");
    MakeFolders(dir / "~ZLT000");
    EXPECT_EQ(MakeTempFolderName(dir.path()), dir / "~ZLT001");
    for (int n = 1; n < 100; ++n)
        MakeFolders(dir / Format("~ZLT0%02d", n));
    EXPECT_EQ(MakeTempFolderName(dir.path()), dir / "~ZLTXXX");
    EXPECT_EQ(MakeTempFolderName("C:\\Media"), "C:\\Media\\~ZLT000");
}

TEST(DiskUtils, RestartSchedulingThroughWininit) {
    test::ScratchFolder win;
    test::ScratchFolder app;
    // This host has no restart mechanism, and says so.
    std::string why;
    EXPECT_FALSE(DeleteFileAtRestart(app.Write("old.dll", "x"), &why));
    EXPECT_EQ(why, kNoRestartOperations);
    why.clear();
    EXPECT_FALSE(ReplaceFileAtRestart(app / "new.dll", app / "old.dll", &why));
    EXPECT_EQ(why, kNoRestartOperations);
    EXPECT_EQ(app.Read("old.dll"), "x");

    win.Write("WININIT.INI",
              "[Other]\r\nA=1\r\n[Rename]\r\nNUL=C:\\X.DLL\r\n\r\n[Last]\r\nB=2\r\n");
    ASSERT_TRUE(ScheduleDeleteInWininit(win.path(), "C:\\Y.DLL"));
    EXPECT_EQ(
        win.Read("WININIT.INI"),
        "[Other]\r\nA=1\r\n[Rename]\r\nNUL=C:\\X.DLL\r\nNUL=C:\\Y.DLL\r\n\r\n[Last]\r\nB=2\r\n");

    std::string source = app.Write("new.dll", "NEW");
    std::string target = app / "bin\\lib.dll";
    ASSERT_TRUE(ScheduleReplaceInWininit(win.path(), source, target));
    std::vector<std::string> copies = ListFolder(app / "bin", true, false);
    ASSERT_EQ(copies.size(), 1u);
    std::string copy = JoinPath(FolderOf(target), copies[0]);
    EXPECT_EQ(test::ReadBytes(copy), "NEW");
    EXPECT_EQ(win.Read("WININIT.INI"),
              "[Other]\r\nA=1\r\n[Rename]\r\nNUL=C:\\X.DLL\r\nNUL=C:\\Y.DLL\r\nNUL=" + target +
                  "\r\n" + target + "=" + copy + "\r\n\r\n[Last]\r\nB=2\r\n");

    // A new file gets the section; a failed write leaves no copy behind.
    test::ScratchFolder fresh;
    ASSERT_TRUE(ScheduleDeleteInWininit(fresh.path(), "C:\\Z.DLL"));
    EXPECT_EQ(fresh.Read("WININIT.INI"), "[rename]\r\nNUL=C:\\Z.DLL\r\n");
    EXPECT_FALSE(ScheduleReplaceInWininit(fresh / "WININIT.INI", source, app / "t\\x.dll"));
    EXPECT_TRUE(ListFolder(app / "t", true, false).empty());
    EXPECT_FALSE(ScheduleReplaceInWininit(win.path(), app / "missing.dll", target));
}

}  // namespace
}  // namespace vantrel
