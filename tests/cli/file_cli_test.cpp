// vantrel-cli file: a file's properties shown and changed from the command
// line, judged by the records that the generated comp.kvz holds.
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const char* const kRealFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kAll(32, '1');

class FileCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        ASSERT_EQ(Cli("new work/p.zlt --name Ledger").status, 0);
        dir.Write("src/bin/a.dll", "library");
        test::ShellResult add = Cli("add-files work/p.zlt src/bin");
        ASSERT_EQ(add.status, 0) << add.err;
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // The lines of the generated comp.kvz that start with `prefix`.
    std::string Records(const std::string& prefix) {
        test::ShellResult scripts = Cli("scripts work/p.zlt --out out");
        EXPECT_EQ(scripts.status, 0) << scripts.err;
        std::string comp = dir.Read("out/Setup/comp.kvz"), found;
        for (size_t at = comp.find(prefix); at != std::string::npos;
             at = comp.find(prefix, at + 1)) {
            if (at == 0 || comp[at - 1] == '\n')
                found += comp.substr(at, comp.find("\r\n", at) + 2 - at);
        }
        return found;
    }

    test::ScratchFolder dir;
};

TEST_F(FileCommand, ShowsAndSetsTheProperties) {
    test::ShellResult shown = Cli("file work/p.zlt '<D>\\bin\\a.dll'");
    ASSERT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out,
              "File <Target Folder>\\bin\\a.dll\n"
              "  Source:                " +
                  (dir / "src/bin/a.dll") +
                  "\n"
                  "  Source directory:      bin\n"
                  "  Destination:           <Target Folder>\\bin\\a.dll\n"
                  "  Size:                  7 bytes\n"
                  "  Overwrite:             Always\n"
                  "  Attributes:            Normal\n"
                  "  Operating systems:     Windows 95, Windows 98, Windows NT 4, "
                  "Windows 2000\n"
                  "  Font name:             (not a font)\n"
                  "  Registry file:         no\n"
                  "  Self-registering:      no\n");

    test::ShellResult set =
        Cli("file work/p.zlt '<Target Folder>\\bin\\a.dll' --overwrite date --attributes "
            "hidden,readonly --os 95,nt4 --reg-file on --self-register on");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_NE(set.out.find("Operating systems:     Windows 95, Windows NT 4\n"), std::string::npos);
    EXPECT_EQ(Records("Program_files,<S>,bin"),
              "Program_files,<S>,bin\\a.dll,<D>,bin\\a.dll,7,001100,3,11001,0,,0,1,1," + kAll +
                  ",0,0,0,644,\r\n");
    EXPECT_EQ(Records("Program_files,<D>,bin\\a.dll,11001,"),
              "Program_files,<D>,bin\\a.dll,11001," + kAll + ",0,644,\r\n" +
                  "Program_files,<D>,bin\\a.dll,11001,1," + kAll + ",0,644,\r\n");

    set = Cli("file work/p.zlt '<D>\\bin\\a.dll' --reg-file off --attributes normal");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(Records("Program_files,<D>,bin\\a.dll,11001,"),
              "Program_files,<D>,bin\\a.dll,11001,1," + kAll + ",0,644,\r\n");
    EXPECT_NE(Records("Program_files,<S>,bin").find(",7,100000,3,"), std::string::npos);
}

TEST_F(FileCommand, RefusesWhatTheRulesRefuse) {
    const std::string before = dir.Read("work/p.zlt");
    auto expectFailure = [&](const std::string& options, int status, const std::string& text) {
        test::ShellResult r = Cli("file work/p.zlt '<D>\\bin\\a.dll' " + options);
        EXPECT_EQ(r.status, status) << options;
        EXPECT_NE(r.err.find(text), std::string::npos) << options << ": " << r.err;
    };
    expectFailure("--os ''", 1, "vantrel-cli: You should not deselect all operating systems");
    expectFailure("--os 95,xp", 2, "--os takes");
    expectFailure("--overwrite sometimes", 2, "--overwrite takes");
    expectFailure("--attributes normal,hidden", 2, "--attributes takes");
    expectFailure("--reg-file maybe", 2, "on or off");
    expectFailure("--register-font on", 1, "Only a TrueType font file");
    EXPECT_EQ(dir.Read("work/p.zlt"), before);

    test::ShellResult r = Cli("file work/p.zlt '<W>\\bin\\a.dll'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vantrel-cli: the project has no file <Windows Folder>\\bin\\a.dll\n");
}

TEST_F(FileCommand, DestinationMovesTheFileWithItsSettingsAndRegistrations) {
    ASSERT_EQ(Cli("file work/p.zlt '<D>\\bin\\a.dll' --attributes hidden --reg-file on").status, 0);
    test::ShellResult moved = Cli("file work/p.zlt '<D>\\bin\\a.dll' --dest '<W>/lib/'");
    ASSERT_EQ(moved.status, 0) << moved.err;
    EXPECT_NE(moved.out.find("Destination:           <Windows Folder>\\lib\\a.dll\n"),
              std::string::npos)
        << moved.out;
    EXPECT_EQ(Records("Program_files,<S>,bin"),
              "Program_files,<S>,bin\\a.dll,<W>,lib\\a.dll,7,001000,0,11111,0,,0,1,1," + kAll +
                  ",0,0,0,644,\r\n");
    EXPECT_EQ(Records("Program_files,<W>,lib\\a.dll,11111,"),
              "Program_files,<W>,lib\\a.dll,11111," + kAll + ",0,644,\r\n");
    EXPECT_EQ(Cli("file work/p.zlt '<D>\\bin\\a.dll'").status, 1);

    // Its own place moves nothing; a place that is taken, or a folder that
    // is no root, changes nothing.
    EXPECT_EQ(Cli("file work/p.zlt '<W>\\lib\\a.dll' --dest '<W>\\lib'").status, 0);
    dir.Write("src/other/a.dll", "other");
    ASSERT_EQ(Cli("add-files work/p.zlt src/other/a.dll").status, 0);
    const std::string before = dir.Read("work/p.zlt");
    test::ShellResult taken = Cli("file work/p.zlt '<W>\\lib\\a.dll' --dest '<D>' --os 95");
    EXPECT_EQ(taken.status, 1);
    EXPECT_EQ(taken.err, "vantrel-cli: A file with this name already exists in this folder\n");
    taken = Cli("file work/p.zlt '<W>\\lib\\a.dll' --dest '<Q>\\lib'");
    EXPECT_EQ(taken.status, 2);
    EXPECT_NE(taken.err.find("--dest takes one of "), std::string::npos) << taken.err;
    EXPECT_EQ(dir.Read("work/p.zlt"), before);
}

TEST_F(FileCommand, FontsAreShownAndRegisteredByTheirFaceName) {
    if (!IsFile(kRealFont))
        GTEST_SKIP() << kRealFont << " is not installed (Debian package fonts-dejavu-core)";
    dir.Write("src/fonts/sans.ttf", test::ReadBytes(kRealFont));
    const std::string size = std::to_string(FileSizeOf(dir / "src/fonts/sans.ttf"));
    test::ShellResult add = Cli("add-files work/p.zlt src/fonts/sans.ttf --to '<Fonts Folder>'");
    ASSERT_EQ(add.status, 0) << add.err;
    const std::string font = "Program_files,<S>,fonts\\sans.ttf,<F>,sans.ttf," + size +
                             ",100000,0,11111,0,,0,1,1," + kAll + ",0,0,0,644,";
    EXPECT_EQ(Records("Program_files,<S>,fonts"), font + "DejaVu Sans,\r\n");

    test::ShellResult show = Cli("show work/p.zlt");
    EXPECT_NE(show.out.find("<Fonts Folder>\\sans.ttf  <-  " + (dir / "src/fonts/sans.ttf") +
                            "  (" + size + " bytes)  font \"DejaVu Sans\"\n"),
              std::string::npos)
        << show.out;
    test::ShellResult shown = Cli("file work/p.zlt '<F>\\sans.ttf'");
    EXPECT_NE(shown.out.find("Font name:             \"DejaVu Sans\", registered\n"),
              std::string::npos)
        << shown.out;

    ASSERT_EQ(Cli("file work/p.zlt '<F>\\sans.ttf' --register-font off").status, 0);
    EXPECT_EQ(Records("Program_files,<S>,fonts"), font + "\r\n");
    ASSERT_EQ(Cli("file work/p.zlt '<F>\\sans.ttf' --register-font on").status, 0);
    EXPECT_EQ(Records("Program_files,<S>,fonts"), font + "DejaVu Sans,\r\n");
}

}  // namespace
}  // namespace vantrel
