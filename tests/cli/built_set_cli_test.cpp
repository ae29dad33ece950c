// Sets that vantrel-cli build made, checked two ways: vantrel-cli verify
// passes sound CD and floppy sets and names each kind of damage, and the
// set's own setup engine installs them into a sandbox root, file for file,
// and removes them again.
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const char* const kRealFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class BuiltSet : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        // The sample installation's engine as the start programs of the sets.
        test::CopyEngines(dir, VANTREL_SAMPLE_INSTALL, "install");
        dir.Write("install/Distrib/Setup/Swintlen.dll", "intl");
        MakeFolders(dir / "install/MySetup");
        // The floppy medium: 720 KB holds an optimised engine on the first
        // disk with room beside it; a debug engine needs a larger one, and
        // then more data, so that the set still spans three disks.
        const long long kb = test::FloppyKbFor(dir, "install", 720);
        floppy = kb == 720 ? "720KB" : std::to_string(kb) + "KB";
        std::mt19937 rng(13);
        std::string noise(kb == 720 ? 1100000 : 1100000 + 2000 * kb, '\0');
        noiseSize = std::to_string(noise.size());
        for (char& c : noise)
            c = static_cast<char>(rng());
        dir.Write("src/app/data.bin", noise);
        dir.Write("src/app/app.ini", "[Paths]\r\nHome=C:\\\r\n");
        dir.Write("src/app/docs/readme.txt", "Installed in @DIR@\r\n");
        dir.Write("src/app/docs/deep/notes.txt", "notes\r\n");
        if (IsFile(kRealFont))
            dir.Write("src/fonts/sans.ttf", test::ReadBytes(kRealFont));
        Run("new p.zlt --name Ledger --company Acme");
        Run("add-files p.zlt src/app");
        if (IsFile(kRealFont))
            Run("add-files p.zlt src/fonts/sans.ttf --to '<Fonts Folder>'");
        Run("registry p.zlt add 'HKCU\\Software\\Acme\\Ledger' --name Path --value "
            "'<Target Folder>'");
        Run("ini p.zlt add app.ini --section Paths --key Home --value '<Target Folder>'");
        Run("replace p.zlt add readme.txt --search @DIR@ --with '<Target Folder>'");
        Run("shortcut p.zlt add data.bin --name Ledger");
    }

    void Run(const std::string& arguments) {
        test::ShellResult r = Cli(arguments);
        ASSERT_EQ(r.status, 0) << arguments << "\n" << r.err;
    }

    test::ShellResult Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    test::ScratchFolder dir;
    std::string floppy;     // the --size of the floppy sets
    std::string noiseSize;  // of data.bin, in bytes
};

TEST_F(BuiltSet, SoundCdSetPassesAndEachDamageIsNamed) {
    Run("build p.zlt --media cd --size 640MB");
    test::ShellResult ok = Cli("verify cd");
    ASSERT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(ok.err, "");
    ExpectHas(ok.out, dir / "cd" + ": the set is sound\n");
    ExpectHas(ok.out, IsFile(kRealFont) ? "5 file records checked\n" : "4 file records checked\n");

    // A file removed, one cut short, and a script changed by hand.
    std::string notes = ResolveNoCase(dir / "cd/app/docs/deep/notes.txt");
    if (!IsFile(notes))
        notes = ResolveNoCase(dir / "cd/docs/deep/notes.txt");
    ASSERT_TRUE(IsFile(notes));
    ASSERT_TRUE(RemoveFile(notes));
    std::string data =
        test::ReadBytes(ResolveNoCase(FolderOf(FolderOf(FolderOf(notes))) + "/data.bin"));
    test::WriteBytes(FolderOf(FolderOf(FolderOf(notes))) + "/data.bin", data.substr(0, 1000));
    std::string product = dir / "cd/Setup/project.kvz";
    std::string text = test::ReadBytes(product);
    test::WriteBytes(product, ReplaceAll(text, "Ledger", "Ledgor"));

    test::ShellResult bad = Cli("verify cd");
    EXPECT_EQ(bad.status, 1);
    ExpectHas(bad.err, "vantrel-cli: Setup\\project.kvz fails verification: its checksum ");
    ExpectHas(bad.out, "1 problem found\n");

    test::WriteBytes(product, text);
    bad = Cli("verify cd");
    EXPECT_EQ(bad.status, 1);
    ExpectHas(bad.err, "notes.txt of component Program_files is missing\n");
    ExpectHas(bad.err, "data.bin of component Program_files has 1000 bytes, its record says " +
                           noiseSize + " bytes\n");
    ExpectHas(bad.out, "2 problems found\n");

    EXPECT_EQ(Cli("verify").status, 2);
    EXPECT_EQ(Cli("verify cd cd").status, 2);
    EXPECT_EQ(Cli("verify cd --deep").status, 2);
    test::ShellResult none = Cli("verify src");
    EXPECT_EQ(none.status, 1);
    ExpectHas(none.err, "holds neither a Setup folder nor disk folders");
}

TEST_F(BuiltSet, FloppySetIsUnpackedAndDamageIsNamed) {
    Run("build p.zlt --media fd --size " + floppy);
    ASSERT_TRUE(IsFolder(dir / "fd/disk002"));
    test::ShellResult ok = Cli("verify fd");
    ASSERT_EQ(ok.status, 0) << ok.err;
    ExpectHas(ok.out, "Floppy set on ");
    ExpectHas(ok.out, ": the set is sound\n");
    const std::string records = IsFile(kRealFont) ? "5 file records" : "4 file records";
    ExpectHas(ok.out, records + " checked\n");

    // A flipped byte inside a stored member fails its CRC.
    const std::string first = dir / "fd/disk001/disk001.cfi";
    const std::string good = test::ReadBytes(first);
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x20;
    test::WriteBytes(first, flipped);
    test::ShellResult crc = Cli("verify fd");
    EXPECT_EQ(crc.status, 1);
    ExpectHas(crc.err, "is damaged: ");
    test::WriteBytes(first, good);

    // A disk gone: the gap is named, and so are the pieces that were on it.
    std::vector<std::string> disks = ListFolder(dir / "fd", false, true);
    ASSERT_GE(disks.size(), 3u) << Join(disks, ",");
    ASSERT_TRUE(RenameFile(dir / "fd/disk002", dir / "away"));
    test::ShellResult gap = Cli("verify fd");
    EXPECT_EQ(gap.status, 1);
    ExpectHas(gap.err, "vantrel-cli: the set has no disk002\n");
    ExpectHas(gap.err, " of Setup files.cfi is missing (~00");
    ASSERT_TRUE(RenameFile(dir / "away", dir / "fd/disk002"));

    // A disk without its archive.
    ASSERT_TRUE(RemoveFile(dir / "fd/disk002/disk002.cfi"));
    test::ShellResult lost = Cli("verify fd");
    EXPECT_EQ(lost.status, 1);
    ExpectHas(lost.err, "disk002 holds no disk archive disk002.cfi\n");
}

// Every file below `root` by name (names are unique in these sets).
std::map<std::string, std::string> FilesBelow(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ToNative(root))) {
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = entry.path().string();
    }
    return files;
}

// Runs a set's start program with /install into `root`, checks what was
// installed, then uninstalls it.
void InstallsAndUninstalls(const test::ScratchFolder& dir, const std::string& program,
                           const std::string& root) {
    test::ShellResult install =
        test::RunShell(test::ShellQuote(program) + " /install " + test::ShellQuote(root));
    ASSERT_EQ(install.status, 0) << install.out << install.err;
    EXPECT_EQ(install.err, "");

    std::map<std::string, std::string> files = FilesBelow(root);
    auto installed = [&](const std::string& name) {
        return files.count(name) ? test::ReadBytes(files[name]) : "(not installed)";
    };
    // Copied byte for byte, nested folders kept below the target folder.
    for (const char* name : {"data.bin", "docs/deep/notes.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(installed(FileNameOf(name)), test::ReadBytes(dir / "src/app/" + name));
    }
    EXPECT_NE(files["notes.txt"].find("/Program Files/"), std::string::npos) << files["notes.txt"];
    EXPECT_NE(files["notes.txt"].find("/deep/notes.txt"), std::string::npos) << files["notes.txt"];
    if (IsFile(kRealFont)) {
        EXPECT_EQ(installed("sans.ttf"), test::ReadBytes(kRealFont));
        EXPECT_NE(files["sans.ttf"].find(root + "/Windows/Fonts/sans.ttf"), std::string::npos);
    }
    // The INI entry and the text replacement applied to the installed files,
    // with the target folder as the machine knows it.
    const std::string ini = installed("app.ini");
    EXPECT_EQ(ini.rfind("[Paths]\r\nHome=C:\\Program Files\\", 0), 0u) << ini;
    EXPECT_EQ(ini.find("Home=C:\\\r\n"), std::string::npos) << ini;
    const std::string readme = installed("readme.txt");
    EXPECT_EQ(readme.rfind("Installed in C:\\Program Files\\", 0), 0u) << readme;
    // The registry value in the sandbox's hive, the shortcut as a record.
    const std::string hive = test::ReadBytes(root + "/Registry/user.reg");
    EXPECT_NE(hive.find("[HKEY_CURRENT_USER\\Software\\Acme\\Ledger]\r\n\"Path\"=\"C:\\\\Program "
                        "Files\\\\"),
              std::string::npos)
        << hive;
    const std::string link = installed("Ledger.lnk");
    EXPECT_NE(link.find("Target=C:\\Program Files\\"), std::string::npos) << link;
    EXPECT_NE(link.find("data.bin\r\n"), std::string::npos) << link;
    EXPECT_NE(files["Ledger.lnk"].find("/Start Menu/Programs/"), std::string::npos);
    EXPECT_TRUE(files.count("Uninstall.log"));

    // A second install over the first is refused; the uninstall leaves the
    // sandbox's hives only, without the value.
    EXPECT_EQ(
        test::RunShell(test::ShellQuote(program) + " /install " + test::ShellQuote(root)).status,
        1);
    test::ShellResult uninstall =
        test::RunShell(test::ShellQuote(program) + " /uninstall " + test::ShellQuote(root));
    ASSERT_EQ(uninstall.status, 0) << uninstall.out << uninstall.err;
    files = FilesBelow(root);
    EXPECT_EQ(files.size(), 1u);
    EXPECT_TRUE(files.count("user.reg"));
    EXPECT_EQ(test::ReadBytes(root + "/Registry/user.reg").find("Path"), std::string::npos);
    EXPECT_EQ(ListFolder(root, false, true), std::vector<std::string>{"Registry"});
    EXPECT_EQ(
        test::RunShell(test::ShellQuote(program) + " /uninstall " + test::ShellQuote(root)).status,
        1);
}

TEST_F(BuiltSet, CdAndFloppySetsInstallIntoASandboxAndUninstall) {
    Run("build p.zlt --media cd --size 640MB");
    InstallsAndUninstalls(dir, dir / "cd/setup32.exe", dir / "root-cd");
    Run("build p.zlt --media fd --size " + floppy);
    InstallsAndUninstalls(dir, dir / "fd/disk001/setup.exe", dir / "root-fd");

    // Damage that the floppy unpacking finds stops the install before
    // anything is written.
    ASSERT_TRUE(RemoveFile(dir / "fd/disk002/disk002.cfi"));
    test::ShellResult broken = test::RunShell(test::ShellQuote(dir / "fd/disk001/setup.exe") +
                                              " /install " + test::ShellQuote(dir / "root-bad"));
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find("holds no disk archive disk002.cfi"), std::string::npos)
        << broken.err;
    EXPECT_FALSE(PathExists(dir / "root-bad"));
}

TEST_F(BuiltSet, VerifyWithTheProjectComparesEveryApplicationFileWithItsSource) {
    Run("build p.zlt --media cd --size 640MB");
    Run("build p.zlt --media fd --size " + floppy);
    const std::string files = IsFile(kRealFont) ? "5" : "4";
    for (const char* set : {"cd", "fd"}) {
        SCOPED_TRACE(set);
        test::ShellResult ok = Cli(std::string("verify ") + set + " --project p.zlt");
        ASSERT_EQ(ok.status, 0) << ok.err;
        ExpectHas(ok.out, files + " application files compared with the project's sources\n");
    }
    // Changed since the build, at the same size: the sets' own checks pass,
    // the comparison names the file.
    const std::string notes = dir / "src/app/docs/deep/notes.txt";
    test::WriteBytes(notes, "NOTES\r\n");
    for (const char* set : {"cd", "fd"}) {
        SCOPED_TRACE(set);
        EXPECT_EQ(Cli(std::string("verify ") + set).status, 0);
        test::ShellResult bad = Cli(std::string("verify ") + set + " --project p.zlt");
        EXPECT_EQ(bad.status, 1);
        ExpectHas(bad.err, "notes.txt of component Program_files differs from its source " + notes +
                               " at byte 0\n");
        ExpectHas(bad.out, "1 problem found\n");
    }
    EXPECT_EQ(Cli("verify cd --project").status, 2);
    EXPECT_EQ(Cli("verify cd --project missing.zlt").status, 1);
}

TEST_F(BuiltSet, ATemporaryFolderThatCannotBeWrittenIsBlamedNotTheSet) {
    Run("build p.zlt --media fd --size " + floppy);
    // No file of this run may grow past a few hundred KB.
    const std::string limited = "trap '' XFSZ; ulimit -f 400; ";
    test::ShellResult verify = test::RunCliIn(dir, "verify fd", limited);
    EXPECT_EQ(verify.status, 1);
    ExpectHas(verify.err, "vantrel-cli: cannot write to the temporary folder ");
    ExpectHas(verify.err, ": File too large\n");
    EXPECT_EQ(verify.err.find("damaged"), std::string::npos) << verify.err;
    EXPECT_EQ(verify.err.find("missing"), std::string::npos) << verify.err;
    ExpectHas(verify.out, ": the set could not be checked\n");

    test::ShellResult install =
        test::RunShell(limited + test::ShellQuote(dir / "fd/disk001/setup.exe") + " /install " +
                       test::ShellQuote(dir / "root"));
    EXPECT_EQ(install.status, 1);
    ExpectHas(install.err, "cannot write to the temporary folder ");
    EXPECT_EQ(install.err.find("damaged"), std::string::npos) << install.err;
}

}  // namespace
}  // namespace vantrel
