// vantrel-cli registry: entries added, removed and imported from the command
// line, judged by the records of the generated comp.kvz. Every command saves
// the project, so the records are those of a project read back: the four
// systems of an entry padded with a fifth.
#include <string>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kTail = ",1," + std::string(32, '1') + ",0,,0,\r\n";

class RegistryCommand : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        ASSERT_EQ(Cli("new work/p.zlt --name Ledger").status, 0);
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    // The records of the generated comp.kvz under "[RegistryKeysN]".
    std::string Records() {
        test::ShellResult scripts = Cli("scripts work/p.zlt --out out");
        EXPECT_EQ(scripts.status, 0) << scripts.err;
        std::string comp = dir.Read("out/Setup/comp.kvz"), found;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.rfind("[RegistryKeys", 0) == 0;
            else if (inside && !line.empty())
                found += line + "\r\n";
        }
        return found;
    }

    test::ScratchFolder dir;
};

TEST_F(RegistryCommand, AddListRemove) {
    test::ShellResult added =
        Cli("registry work/p.zlt add 'HKEY_LOCAL_MACHINE\\Software\\X' --name V --value 1");
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "Added HKEY_LOCAL_MACHINE\\Software\\X  V = \"1\"  String\n");
    ASSERT_EQ(Cli("registry work/p.zlt add 'HKCU\\Software\\Y' --name Dir --value "
                  "0x2A --type number --os 95,2000 --uninstall off")
                  .status,
              0);
    const std::string x = "Program_files,HKEY_LOCAL_MACHINE,Software\\X,V,1,String,11111,1";
    const std::string y = "Program_files,HKEY_CURRENT_USER,Software\\Y,Dir,0x2A,Number,10011,0";
    EXPECT_EQ(Records(), x + kTail + y + kTail);

    test::ShellResult list = Cli("registry work/p.zlt list");
    EXPECT_EQ(list.out,
              "Registry entries (2)\n"
              "  1  HKEY_LOCAL_MACHINE\\Software\\X  V = \"1\"  String\n"
              "  2  HKEY_CURRENT_USER\\Software\\Y  Dir = \"0x2A\"  Number, kept "
              "at uninstallation, only Windows 95, Windows 2000\n");
    EXPECT_NE(Cli("show work/p.zlt").out.find("Registry entries (2)\n  HKEY_LOCAL_MACHINE"),
              std::string::npos);

    // The dialog's checks and the duplicate test refuse, and nothing is saved.
    test::ShellResult refused = Cli("registry work/p.zlt add HKEY_LOCAL_MACHINE --value 1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "vantrel-cli: You shouldn't be assigning a value to the RootKey "
              "HKEY_LOCAL_MACHINE\n");
    EXPECT_EQ(Cli("registry work/p.zlt add 'HKLM\\Software\\X' --name V --value 1").err,
              "vantrel-cli: The setup already writes this registry entry.\n");
    EXPECT_EQ(Cli("registry work/p.zlt add 'HKLM\\S' --os none").status, 2);
    EXPECT_EQ(Cli("registry work/p.zlt add 'HKEY_NOWHERE\\S'").status, 2);
    EXPECT_EQ(Cli("registry work/p.zlt add 'HKLM\\S' --name 'a*'").status, 1);
    // A Number takes only what a DWORD holds.
    for (const char* value : {"abc", "4294967296", "-1", "'<Windows Folder>\\a'"}) {
        test::ShellResult number =
            Cli(std::string("registry work/p.zlt add 'HKLM\\S' --name N --type number --value ") +
                value);
        EXPECT_EQ(number.status, 1) << value;
        EXPECT_EQ(number.err,
                  "vantrel-cli: A Number value must be a whole number from 0 to 4294967295, or "
                  "0x and up to eight hex digits (0x0 to 0xFFFFFFFF).\n")
            << value;
    }
    EXPECT_EQ(Records(), x + kTail + y + kTail);

    EXPECT_EQ(Cli("registry work/p.zlt remove 3").status, 1);
    EXPECT_EQ(Cli("registry work/p.zlt remove 'HKLM\\Software\\X' --name W").status, 1);
    test::ShellResult removed = Cli("registry work/p.zlt remove 'HKLM\\Software\\X' --name v");
    ASSERT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(Records(), y + kTail);
    ASSERT_EQ(Cli("registry work/p.zlt remove 1").status, 0);
    EXPECT_EQ(Records(), "");
    EXPECT_EQ(Cli("registry work/p.zlt list").out, "Registry entries (0)\n  none\n");
}

TEST_F(RegistryCommand, ImportTakesTheGoodLinesAndNamesTheOthers) {
    dir.Write("in.reg",
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\Oxbel]\r\n"
              "\"Path\"=\"C:\\\\App \\\"9\\\"\"\r\n"
              "\"Size\"=dword:00000100\r\n"
              "\"Bytes\"=hex:0a,0b,\\\r\n"
              "  0c\r\n"
              "\"Bad\"=dword:zz\r\n"
              "\"List\"=\"a,b\"\r\n");
    test::ShellResult imported = Cli("registry work/p.zlt import in.reg");
    EXPECT_EQ(imported.status, 1);
    EXPECT_EQ(imported.err,
              "vantrel-cli: in.reg:8: it is not written as a registry file line\n"
              "vantrel-cli: in.reg:9: The value cannot contain a comma or a line break.\n");
    EXPECT_EQ(imported.out.substr(0, imported.out.find('\n')), "Imported 3 registry entries");
    const std::string key = "Program_files,HKEY_LOCAL_MACHINE,Software\\Oxbel,";
    EXPECT_EQ(Records(), key + "Path,C:\\App \"9\",String,11111,1" + kTail + key +
                             "Size,256,Number,11111,1" + kTail + key +
                             "Bytes,0a 0b 0c,Binary Data,11111,1" + kTail);

    dir.Write("not.reg", "[HKEY_LOCAL_MACHINE\\A]\n");
    test::ShellResult notReg = Cli("registry work/p.zlt import not.reg");
    EXPECT_EQ(notReg.status, 1);
    EXPECT_NE(notReg.err.find("not a registry file"), std::string::npos);
    EXPECT_EQ(Cli("registry work/p.zlt frobnicate").status, 2);
}

}  // namespace
}  // namespace vantrel
