// vantrel-cli ini and replace: INI entries and text replacements added and
// removed from the command line, judged by the records of the generated
// comp.kvz. Every command saves the project, so the records are those of a
// project read back: the four systems of an entry padded with a fifth.
#include <string>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kAll(32, '1');

class CustomisationCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        ASSERT_EQ(Cli("new work/p.zlt --name Ledger").status, 0);
        dir.Write("src/app.ini", "[S]\r\n");
        dir.Write("src/readme.txt", "text\r\n");
        test::ShellResult add = Cli("add-files work/p.zlt src/app.ini src/readme.txt");
        ASSERT_EQ(add.status, 0) << add.err;
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // The records of the generated comp.kvz under the sections starting with `prefix`.
    std::string Records(const std::string& prefix) {
        test::ShellResult scripts = Cli("scripts work/p.zlt --out out");
        EXPECT_EQ(scripts.status, 0) << scripts.err;
        std::string comp = dir.Read("out/Setup/comp.kvz"), found;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.rfind("[" + prefix, 0) == 0;
            else if (inside && !line.empty())
                found += line + "\r\n";
        }
        return found;
    }

    test::ScratchFolder dir;
};

TEST_F(CustomisationCommands, IniAddListRemove) {
    test::ShellResult added =
        Cli("ini work/p.zlt add app.ini --section Paths --key Home --value '<Target Folder>'");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "Added <Target Folder>\\app.ini  [Paths] Home=<Target Folder>\n");
    ASSERT_EQ(Cli("ini work/p.zlt add '<D>\\app.ini' --section S --key K --value 1 --os 98").status,
              0);
    const std::string home = "Program_files,<D>,app.ini,Paths,Home,<D>,11111,,1,0," + kAll + ",0,";
    const std::string s = "Program_files,<D>,app.ini,S,K,1,00101,,1,0," + kAll + ",0,";
    EXPECT_EQ(Records("Profle"), home + "\r\n" + s + "\r\n");
    EXPECT_EQ(Cli("ini work/p.zlt list").out,
              "INI entries (2)\n"
              "  1  <Target Folder>\\app.ini  [Paths] Home=<Target Folder>\n"
              "  2  <Target Folder>\\app.ini  [S] K=1, only Windows 98\n");
    EXPECT_NE(
        Cli("show work/p.zlt").out.find("Customisations (2)\n  <Target Folder>\\app.ini  [Paths]"),
        std::string::npos);

    // The dialog's checks and the duplicate test refuse, and nothing is saved.
    test::ShellResult brackets =
        Cli("ini work/p.zlt add app.ini --section '[Boot]' --key K --value 1");
    EXPECT_EQ(brackets.status, 1);
    EXPECT_EQ(brackets.err,
              "vantrel-cli: You should not enter either '[' or ']' in you section name.\n");
    EXPECT_EQ(Cli("ini work/p.zlt add app.ini --section S --key K --value 2").err,
              "vantrel-cli: This entry already exists\n");
    EXPECT_EQ(Cli("ini work/p.zlt add app.ini --section S --key K2 --value ''").err,
              "vantrel-cli: You Must enter a Section, Key and Value to modify in your INI file.\n");
    EXPECT_EQ(Cli("ini work/p.zlt add nothere.ini").err,
              "vantrel-cli: the project installs no file nothere.ini\n");
    EXPECT_EQ(Cli("ini work/p.zlt add app.ini --os none").status, 2);
    EXPECT_EQ(Cli("ini work/p.zlt add app.ini --colour red").status, 2);
    EXPECT_EQ(Records("Profle"), home + "\r\n" + s + "\r\n");

    // Removing by file needs one match; by number, an existing one.
    EXPECT_EQ(Cli("ini work/p.zlt remove app.ini").status, 1);
    EXPECT_EQ(Cli("ini work/p.zlt remove 3").status, 1);
    test::ShellResult removed = Cli("ini work/p.zlt remove app.ini --section paths");
    ASSERT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(Records("Profle"), s + "\r\n");
    ASSERT_EQ(Cli("ini work/p.zlt remove 1").status, 0);
    EXPECT_EQ(Records("Profle"), "");
    EXPECT_EQ(Cli("ini work/p.zlt list").out, "INI entries (0)\n  none\n");
}

TEST_F(CustomisationCommands, ReplaceAddListRemove) {
    // Without texts: the page's new entry confirmed unchanged.
    test::ShellResult added = Cli("replace work/p.zlt add readme.txt");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(
        added.out,
        "Added <Target Folder>\\readme.txt  replace \"Find Text\" with \"<Target Folder>\"\n");
    ASSERT_EQ(Cli("replace work/p.zlt add readme.txt --search @WIN@ --with '<Windows Folder>' --os "
                  "nt4,2000")
                  .status,
              0);
    const std::string first = "Program_files,<D>,readme.txt,Find Text,<D>,11111,1," + kAll + ",0,";
    const std::string second = "Program_files,<D>,readme.txt,@WIN@,<W>,01011,1," + kAll + ",0,";
    EXPECT_EQ(Records("CustFile"), first + "\r\n" + second + "\r\n");
    EXPECT_EQ(Cli("replace work/p.zlt list").out,
              "Text replacements (2)\n"
              "  1  <Target Folder>\\readme.txt  replace \"Find Text\" with \"<Target Folder>\"\n"
              "  2  <Target Folder>\\readme.txt  replace \"@WIN@\" with \"<Windows Folder>\", only "
              "Windows NT 4, Windows 2000\n");

    EXPECT_EQ(Cli("replace work/p.zlt add readme.txt").err,
              "vantrel-cli: This entry already exists\n");
    EXPECT_EQ(Cli("replace work/p.zlt add readme.txt --search 'a,b'").err,
              "vantrel-cli: The search text cannot contain a comma or a line break.\n");
    EXPECT_EQ(Cli("replace work/p.zlt add readme.txt --with ''").err,
              "vantrel-cli: You Must enter a Search and Replace string to be modified in your text "
              "file.\n");
    EXPECT_EQ(Records("CustFile"), first + "\r\n" + second + "\r\n");

    test::ShellResult removed = Cli("replace work/p.zlt remove readme.txt --search @WIN@");
    ASSERT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(Records("CustFile"), first + "\r\n");
    EXPECT_EQ(Cli("replace work/p.zlt remove readme.txt --search @WIN@").status, 1);
    EXPECT_EQ(Cli("replace work/p.zlt frobnicate").status, 2);
}

}  // namespace
}  // namespace vantrel
