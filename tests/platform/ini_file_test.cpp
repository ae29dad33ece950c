#include "platform/ini_file.h"

#include "platform/files.h"
#include "platform/shell_link.h"
#include "platform/system_folders.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(IniText, EntriesGoIntoTheirSectionAndOutAgain) {
    const struct {
        const char* before;
        const char* after;  // with Home=C:\x in [Paths]
    } cases[] = {
        {"", "[Paths]\r\nHome=C:\\x\r\n"},
        {"[Boot]\nshell=x\n", "[Boot]\r\nshell=x\r\n[Paths]\r\nHome=C:\\x\r\n"},
        {"[paths]\r\nHOME = old\r\nOther=1\r\n", "[paths]\r\nHome=C:\\x\r\nOther=1\r\n"},
        {"[ Paths ]\r\nOther=1\r\n[Next]\r\n", "[ Paths ]\r\nOther=1\r\nHome=C:\\x\r\n[Next]\r\n"},
        {"[Boot]\r\n[Paths]\r\n", "[Boot]\r\n[Paths]\r\nHome=C:\\x\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        const std::string after = SetIniEntryInText(c.before, "Paths", "Home", "C:\\x");
        EXPECT_EQ(after, c.after);
        std::string removed;
        EXPECT_TRUE(RemoveIniEntryFromText(after, "PATHS", "home", removed));
        EXPECT_EQ(removed.find("Home"), std::string::npos);
        EXPECT_FALSE(RemoveIniEntryFromText(removed, "Paths", "Home", removed));
    }
    // Only the section named loses its entry.
    std::string out;
    EXPECT_FALSE(RemoveIniEntryFromText("[A]\r\nk=1\r\n", "B", "k", out));
    EXPECT_EQ(out, "[A]\r\nk=1\r\n");
}

// On the disk, through the system's means on Windows and by rewriting the
// text elsewhere: the entry goes into a file made or one that was there,
// and out again.
TEST(IniFile, EntriesAreWrittenAndRemovedOnTheDisk) {
    test::ScratchFolder dir;
    const std::string made = dir / "made.ini";
    const std::string there = dir.Write("there.ini", "[Boot]\r\nshell=x\r\n");
    for (const std::string& file : {made, there}) {
        SCOPED_TRACE(file);
        std::string error;
        ASSERT_TRUE(WriteIniEntry(file, "Paths", "Home", "C:\\Caf\xE9", &error)) << error;
        ASSERT_TRUE(WriteIniEntry(file, "Paths", "Home", "C:\\x", &error)) << error;
        const std::string text = test::ReadBytes(file);
        EXPECT_NE(text.find("[Paths]\r\nHome=C:\\x\r\n"), std::string::npos) << text;
        EXPECT_EQ(text.find("Caf"), std::string::npos) << text;
        ASSERT_TRUE(RemoveIniEntry(file, "Paths", "Home", &error)) << error;
        EXPECT_EQ(test::ReadBytes(file).find("Home"), std::string::npos);
    }
    EXPECT_EQ(test::ReadBytes(there).rfind("[Boot]\r\nshell=x\r\n", 0), 0u);
    EXPECT_TRUE(RemoveIniEntry(dir / "absent.ini", "Paths", "Home"));
    EXPECT_FALSE(PathExists(dir / "absent.ini"));
    EXPECT_FALSE(WriteIniEntry(dir / "no/such/folder/x.ini", "A", "k", "v"));
}

// A shortcut on Windows is the shell's binary link file; elsewhere its text.
TEST(ShellLink, IsTheShellsFileOnWindowsAndItsTextElsewhere) {
    test::ScratchFolder dir;
    const ShellLink link{"C:\\Program Files\\Acme\\app.exe", "/x", "C:\\Program Files\\Acme"};
    EXPECT_EQ(ShellLinkText(link),
              "[Shortcut]\r\nTarget=C:\\Program Files\\Acme\\app.exe\r\nArguments=/x\r\n"
              "WorkingFolder=C:\\Program Files\\Acme\r\n");
    std::string error;
    ASSERT_TRUE(WriteShellLink(dir / "App.lnk", link, &error)) << error;
    const std::string written = test::ReadBytes(dir / "App.lnk");
    if (KnownFolderPath(KnownFolder::kWindows).empty()) {
        EXPECT_EQ(written, ShellLinkText(link));
    } else {
        // A shell link begins with its header size, 0x4C.
        EXPECT_EQ(written.substr(0, 4), std::string("L\0\0\0", 4));
    }
    EXPECT_FALSE(WriteShellLink(dir / "no/such/folder/App.lnk", link, &error));
    EXPECT_NE(error, "");
}

}  // namespace
}  // namespace vantrel
