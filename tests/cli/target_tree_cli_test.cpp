// The commands that edit the target folders of a project (add-files
// --no-recurse, remove-files, move, rename), run as a user would run them on
// real folders, judged by what `show` and the project's scripts then hold.
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Result = test::ShellResult;

class TargetTreeCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        dir.Write("src/readme.txt", "read me");
        dir.Write("src/bin/app.exe", "MZ");
        dir.Write("src/bin/notes.txt", "notes");
        dir.Write("src/bin/data/base.db", "data");
        ASSERT_EQ(Cli("new p.zlt").status, 0);
    }

    Result Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // The "Files" lines of `show`, without their sources.
    std::string Files() {
        std::string out = Cli("show p.zlt").out;
        size_t at = out.find("Files (");
        std::string files = out.substr(at, out.find("\n\n", at) - at);
        std::string shown;
        for (const std::string& line : Split(files, '\n'))
            shown += line.substr(0, line.find("  <-")) + "\n";
        return shown;
    }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    test::ScratchFolder dir;
};

TEST_F(TargetTreeCommands, AddRemoveMoveAndRenameFromAScript) {
    Result add = Cli("add-files p.zlt src --no-recurse");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "added 1 file to <Target Folder>\n");
    add = Cli("add-files p.zlt src/bin --to '<W>'");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(Files(),
              "Files (4)\n  <Target Folder>\\readme.txt\n  <Windows Folder>\\bin\\app.exe\n"
              "  <Windows Folder>\\bin\\data\\base.db\n  <Windows Folder>\\bin\\notes.txt\n");

    // ">>" again: the names present are skipped with one note.
    Result again = Cli("add-files p.zlt src/bin --no-recurse --to '<W>\\bin'");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out, "added 0 files to <Windows Folder>\\bin\n");
    EXPECT_EQ(again.err, "vantrel-cli: One or more files already exist in the target folder\n");

    Result moved = Cli("move p.zlt '<Windows Folder>\\bin\\data' '<D>'");
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_EQ(moved.out, "moved to <Target Folder>\\data\n");
    Result renamed = Cli("rename p.zlt '<W>\\bin' program");
    ASSERT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_EQ(renamed.out, "renamed to <Windows Folder>\\program\n");
    ASSERT_EQ(Cli("rename p.zlt '<D>/readme.txt' ReadMe.txt").status, 0);
    EXPECT_EQ(Files(),
              "Files (4)\n  <Target Folder>\\ReadMe.txt\n  <Windows Folder>\\program\\app.exe\n"
              "  <Target Folder>\\data\\base.db\n  <Windows Folder>\\program\\notes.txt\n");

    // The generated component script installs each file where the tree says.
    ASSERT_EQ(Cli("scripts p.zlt --out out").status, 0);
    std::string comp = dir.Read("out/Setup/comp.kvz");
    ExpectHas(comp, ",<S>,bin\\data\\base.db,<D>,data\\base.db,4,");
    ExpectHas(comp, ",<S>,bin\\app.exe,<W>,program\\app.exe,2,");

    Result removeFolder = Cli("remove-files p.zlt '<W>\\program'");
    EXPECT_EQ(removeFolder.status, 2);
    ExpectHas(removeFolder.err, "<Windows Folder>\\program is a folder; --recursive");
    Result removed =
        Cli("remove-files p.zlt '<W>\\program' '<W>\\program\\app.exe' "
            "'<D>\\ReadMe.txt' --recursive");
    ASSERT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(removed.out, "removed 3 files\n");
    EXPECT_EQ(Files(), "Files (1)\n  <Target Folder>\\data\\base.db\n");
}

TEST_F(TargetTreeCommands, RefusalsLeaveTheProjectFileAsItWas) {
    ASSERT_EQ(Cli("add-files p.zlt src/bin src/readme.txt").status, 0);
    const std::string before = test::ReadBytes(dir / "p.zlt");
    auto refused = [&](const std::string& args, int status, const std::string& message) {
        Result r = Cli(args);
        EXPECT_EQ(r.status, status) << args << "\n" << r.err;
        ExpectHas(r.err, message);
        EXPECT_EQ(test::ReadBytes(dir / "p.zlt"), before) << args;
    };
    refused("remove-files p.zlt '<D>' --recursive", 1, "vantrel-cli: Cannot delete root folder\n");
    refused("remove-files p.zlt '<D>\\missing.txt'", 1,
            "no file or folder <Target Folder>\\missing");
    refused("remove-files p.zlt '<Desktop>\\x'", 2, "unknown target folder <Desktop>");
    refused("move p.zlt '<D>' '<W>'", 1, "vantrel-cli: Cannot move root folders\n");
    refused("move p.zlt '<D>\\bin' '<D>\\bin\\data'", 1, "Cannot move folder to itself");
    refused("move p.zlt '<D>\\bin' '<D>\\readme.txt'", 1, "Please select a folder\n");
    refused("move p.zlt '<D>\\readme.txt' '<F>'", 1, "does not appear to be a font");
    refused("rename p.zlt '<D>\\bin' readme.txt", 1,
            "A folder with this name already exists: <Target Folder>\\readme.txt");
    refused("rename p.zlt '<D>\\bin' 'aux.dll'", 1, "is a device name of Windows");
    refused("rename p.zlt '<D>\\bin'", 2, "usage: vantrel-cli rename");

    // Names Windows cannot hold: each one named, nothing added.
    dir.Write("src/more/ok.txt", "ok");
    dir.Write("src/more/bad?.txt", "?");
    dir.Write("src/more/LPT1", "printer");
    refused("add-files p.zlt src/more", 1, "src/more/LPT1: its name is a device name of Windows");
    ExpectHas(Cli("add-files p.zlt src/more").err, "src/more/bad?.txt: its name holds \"?\"");
    // Moving the file in the fonts folder when asked to.
    Result forced = Cli("move p.zlt '<D>\\readme.txt' '<F>' --force");
    EXPECT_EQ(forced.status, 0) << forced.err;
    ExpectHas(Files(), "  <Fonts Folder>\\readme.txt\n");
}

// The shortcut and INI entry of a file follow it through a rename and a
// move, and go when it is removed.
TEST_F(TargetTreeCommands, RecordsOfAFileFollowItAndGoWithIt) {
    ASSERT_EQ(Cli("add-files p.zlt src/bin src/readme.txt").status, 0);
    ASSERT_EQ(Cli("shortcut p.zlt add '<D>\\bin\\app.exe'").status, 0);
    ASSERT_EQ(Cli("ini p.zlt add '<D>\\bin\\app.exe' --section S --key K --value V").status, 0);
    const struct {
        std::string command;
        std::string at;  // where the records point afterwards; empty: gone
    } steps[] = {
        {"rename p.zlt '<D>\\bin' prog", "<Target Folder>\\prog\\app.exe"},
        {"move p.zlt '<D>\\prog\\app.exe' '<W>'", "<Windows Folder>\\app.exe"},
        {"remove-files p.zlt '<W>\\app.exe'", ""},
    };
    for (const auto& step : steps) {
        Result r = Cli(step.command);
        ASSERT_EQ(r.status, 0) << step.command << "\n" << r.err;
        const std::string links = Cli("shortcut p.zlt list").out;
        const std::string ini = Cli("ini p.zlt list").out;
        if (step.at.empty()) {
            ExpectHas(links, "Shortcuts (0)");
            ExpectHas(ini, "INI entries (0)");
        } else {
            ExpectHas(links, "->  " + step.at + "\n");
            ExpectHas(ini, "  1  " + step.at + "  [S] K=V\n");
        }
    }
}

// A source that cannot be added is named for what is wrong with it, and
// nothing is added.
TEST_F(TargetTreeCommands, AddFilesNamesWhatReallyFailed) {
    const std::string before = test::ReadBytes(dir / "p.zlt");
    auto refused = [&](const std::string& command, const std::string& message) {
        Result r = test::RunShell("cd " + test::ShellQuote(dir.path()) + " && export " +
                                  "VANTREL_MACHINE_REG=machine.reg VANTREL_USER_REG=user.reg; " +
                                  command + " </dev/null");
        EXPECT_EQ(r.status, 1) << command << "\n" << r.err;
        ExpectHas(r.err, message);
        EXPECT_EQ(test::ReadBytes(dir / "p.zlt"), before) << command;
    };
    const std::string cli = test::ShellQuote(VANTREL_CLI) + " --install-location " +
                            test::ShellQuote(dir / "install") + " ";
    refused(cli + "add-files p.zlt /dev/null", "/dev/null: not a regular file or folder");
    // A folder whose name Windows-1252 cannot hold, reached through a
    // relative path: its characters are named.
    ASSERT_EQ(test::RunShell(
                  "cd " + test::ShellQuote(dir.path()) +
                  " && mkdir -p 'src/\xD0\xBF\xD1\x8F' && echo a >'src/\xD0\xBF\xD1\x8F/a.txt'")
                  .status,
              0);
    refused("cd 'src/\xD0\xBF\xD1\x8F' && " + cli + "add-files ../../p.zlt a.txt",
            "holds characters that Windows-1252 cannot hold (U+043F U+044F)");

    // A subfolder that cannot be read is named, not its parent; root reads
    // every folder, so the command runs as the unprivileged user then.
    dir.Write("src/bin/secret/key.txt", "k");
    ::chmod((dir / "src/bin/secret").c_str(), 0);
    std::string as;
    if (::geteuid() == 0) {
        if (test::RunShell("command -v setpriv").status != 0)
            GTEST_SKIP() << "setpriv is needed to run as an unprivileged user";
        // The scratch folder lies in this process's private temporary folder.
        ::chmod(FolderOf(dir.path()).c_str(), 0711);
        for (const char* name : {"", "/p.zlt", "/machine.reg", "/user.reg", "/install"})
            ::chmod((dir.path() + name).c_str(), 0755);
        as = "TMPDIR=/tmp setpriv --reuid=65534 --regid=65534 --clear-groups ";
    }
    refused(as + cli + "add-files p.zlt src/bin",
            "src/bin/secret: Permission denied (a folder inside ");
    refused(as + cli + "add-files p.zlt src/bin/secret --no-recurse",
            "src/bin/secret: Permission denied\n");
    ::chmod((dir / "src/bin/secret").c_str(), 0755);
    ::chmod(FolderOf(dir.path()).c_str(), 0700);
}

}  // namespace
}  // namespace vantrel
