// vantrel-cli shortcut and set ShortcutFolder=: the shortcuts made from the
// command line, judged by the records of the generated comp.kvz.
#include <string>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kTail = ",0,1," + std::string(32, '1') + ",0,644,\r\n";

class ShortcutCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        ASSERT_EQ(Cli("new work/p.zlt --name Ledger").status, 0);
        dir.Write("src/app.exe", "program");
        dir.Write("src/bin/tool.exe", "tool");
        dir.Write("src/bin/app.exe", "second");
        test::ShellResult add = Cli("add-files work/p.zlt src/app.exe src/bin");
        ASSERT_EQ(add.status, 0) << add.err;
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // The records of the generated comp.kvz under "[ShortcutN]".
    std::string Records() {
        test::ShellResult scripts = Cli("scripts work/p.zlt --out out");
        EXPECT_EQ(scripts.status, 0) << scripts.err;
        std::string comp = dir.Read("out/Setup/comp.kvz"), found;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.rfind("[Shortcut", 0) == 0;
            else if (inside && !line.empty())
                found += line + "\r\n";
        }
        return found;
    }

    test::ScratchFolder dir;
};

TEST_F(ShortcutCommand, AddListRemove) {
    // A name two files share is refused; the listed path picks one.
    test::ShellResult twice = Cli("shortcut work/p.zlt add app.exe");
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err,
              "vantrel-cli: app.exe names several files: <Target Folder>\\app.exe, "
              "<Target Folder>\\bin\\app.exe\n");
    test::ShellResult added = Cli("shortcut work/p.zlt add '<D>\\app.exe'");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out,
              "Added <Start Menu Programs Folder>\\Ledger\\Shortcut to app.exe  ->  "
              "<Target Folder>\\app.exe\n");
    ASSERT_EQ(Cli("shortcut work/p.zlt add tool.exe --name Tool --folder '<Desktop Folder>' "
                  "--args '/ini=<Windows Folder>\\t.ini'")
                  .status,
              0);
    const std::string app = "Program_files,<O>\\Ledger,Shortcut to app.exe,<D>,app.exe,11111";
    const std::string tool = "Program_files,<K>,Tool,<D>,bin\\tool.exe,11111,0,/ini=<W>\\t.ini,,,";
    EXPECT_EQ(Records(), app + ",0,,,,,0,1," + std::string(32, '1') + ",0,644,\r\n" + tool + kTail);

    // The same file again, and a refused dialog value.
    test::ShellResult again = Cli("shortcut work/p.zlt add '<Target Folder>\\app.exe'");
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "vantrel-cli: <Target Folder>\\app.exe has a shortcut already\n");
    test::ShellResult noName = Cli("shortcut work/p.zlt add bin\\\\app.exe --name ''");
    EXPECT_EQ(noName.status, 1);
    EXPECT_EQ(noName.err, "vantrel-cli: You must specify a name for your shortcut.\n");

    test::ShellResult list = Cli("shortcut work/p.zlt list");
    EXPECT_EQ(list.out,
              "Group: Ledger\n"
              "Shortcuts (2)\n"
              "  1  <Start Menu Programs Folder>\\Ledger\\Shortcut to app.exe  ->  <Target "
              "Folder>\\app.exe\n"
              "  2  <Desktop Folder>\\Tool  ->  <Target Folder>\\bin\\tool.exe /ini=<Windows "
              "Folder>\\t.ini\n");
    EXPECT_NE(
        Cli("show work/p.zlt").out.find("Shortcuts (2)\n  <Start Menu Programs Folder>\\Ledger\\"),
        std::string::npos);

    ASSERT_EQ(Cli("shortcut work/p.zlt remove 1").status, 0);
    EXPECT_EQ(Records(), tool + kTail);
    EXPECT_EQ(Cli("shortcut work/p.zlt remove Tool").out,
              "Removed <Desktop Folder>\\Tool  ->  <Target Folder>\\bin\\tool.exe /ini=<Windows "
              "Folder>\\t.ini\n");
    EXPECT_EQ(Cli("shortcut work/p.zlt remove 1").err,
              "vantrel-cli: the project has no shortcut 1 (it has 0)\n");
    EXPECT_EQ(Cli("shortcut work/p.zlt move").status, 2);
}

TEST_F(ShortcutCommand, GroupNameAndRuntimeShortcut) {
    ASSERT_EQ(Cli("shortcut work/p.zlt add '<D>\\app.exe'").status, 0);
    ASSERT_EQ(Cli("shortcut work/p.zlt add --runtime").status, 0);
    EXPECT_EQ(Cli("shortcut work/p.zlt add --runtime").err,
              "vantrel-cli: Shortcut already exists.\n");

    // The group is checked as on the page, and its shortcuts move along
    // without renaming the application.
    test::ShellResult bad = Cli("set work/p.zlt 'ShortcutFolder=Acme/Ledger'");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("A directory cannot contain any of the following characters:\n\t/ * ? "
                           "\" < > | , :"),
              std::string::npos);
    EXPECT_EQ(Cli("set work/p.zlt ShortcutFolder=").status, 2);
    ASSERT_EQ(Cli("set work/p.zlt 'ShortcutFolder=Acme\\Ledger'").status, 0);
    // The runtime's component stands at a lower level than "Program_files".
    EXPECT_EQ(Records(),
              "TY9Run_Program,<O>\\Acme\\Ledger,Tessary 9 Runtime,<SF>,Tessary 9 "
              "Runtime,11111,0,,,," +
                  kTail +
                  "Program_files,<O>\\Acme\\Ledger,Shortcut to app.exe,<D>,app.exe,11111,0,,,," +
                  kTail);
    test::ShellResult show = Cli("show work/p.zlt");
    EXPECT_NE(show.out.find("  Name:                  Ledger\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("Shortcut folder:       Acme\\Ledger\n"), std::string::npos);

    // Without the runtime component its shortcut goes, and cannot come back.
    ASSERT_EQ(Cli("set work/p.zlt RuntimeComponent=0").status, 0);
    EXPECT_EQ(Cli("shortcut work/p.zlt list").out.find("Tessary 9 Runtime"), std::string::npos);
    EXPECT_EQ(Cli("shortcut work/p.zlt add --runtime").err,
              "vantrel-cli: The runtime shortcut needs the Tessary 9 Runtime component.\n");
    ASSERT_EQ(Cli("set work/p.zlt RuntimeComponent=1").status, 0);
    EXPECT_EQ(Cli("shortcut work/p.zlt list").out.find("Tessary 9 Runtime"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
