// The project commands of vantrel-cli, run as a user would run them.
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using test::ScratchFolder;

using Result = test::ShellResult;
std::string Quote(const std::string& s) {
    return test::ShellQuote(s);
}

class ProjectCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        // A small installation: the standard component scripts, each one
        // component without elements.
        test::WriteMinimalComps(dir, "install");
        MakeFolders(dir / "install/MySetup");
        project = dir / "work/p.zlt";
    }

    // Runs vantrel-cli in the scratch folder with its own registry hives.
    Result Cli(const std::string& arguments) { return test::RunCliIn(dir, arguments); }

    std::string Members(const std::string& path) {
        std::string script = dir.Write(
            "members.py",
            "import sys, zipfile\nprint(','.join(zipfile.ZipFile(sys.argv[1]).namelist()))\n");
        FILE* p = ::popen(("python3 " + Quote(script) + " " + Quote(path) + " 2>&1").c_str(), "r");
        std::string out;
        char buf[1024];
        size_t n;
        while (p && (n = std::fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        if (p)
            ::pclose(p);
        return Trim(out);
    }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    ScratchFolder dir;
    std::string project;
};

TEST_F(ProjectCommands, NewSetAddFilesAndShowTellTheSameProject) {
    Result made = Cli("new work/p.zlt --name Ledger --company Acme --version 2.0 --remember");
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, project + "\n");
    EXPECT_EQ(Members(project), "project.kvz,comp.kvz,string.str");
    // Only --remember puts the project on the wizard's recent list.
    ExpectHas(dir.Read("user.reg"), "\"File0\"=\"" + project + "\"");
    ExpectHas(Cli("show work/p.zlt").out, "Background title:      \"Ledger Setup\", ");

    dir.Write("license.txt", "Terms of use\r\nSecond line\r\n");
    Result set =
        Cli("set work/p.zlt DisplayLicense=1 LicenseText=@license.txt DisplayRelease=1 "
            "'ReleaseText=First release' IsOracleSelected=1 RuntimeComponent=0 "
            "AreWritingToolsSelected=1 WritingToolLanguages=us,de DefaultLanguage=DE "
            "'Background Title=Ledger Setup' "
            "BackGroundTitleFontAlign=center GradientColor=red UseDefaultDest=0 "
            "'DefaultDestPrefix=<Windows Drive Letter:>' DefaultDestBase=Apps IsFloppySetup=1");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, project + "\n");
    EXPECT_EQ(Members(project), "project.kvz,comp.kvz,string.str,license.txt,release.txt");

    dir.Write("src/bin/ledger.exe", "MZ");
    dir.Write("src/bin/data/base.db", "data");
    dir.Write("src/fonts/ledger.ttf", "font");
    Result add = Cli("add-files work/p.zlt src/bin");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "added 2 files to <Target Folder>\n");
    add = Cli("add-files work/p.zlt src/fonts/ledger.ttf --to '<F>'");
    ASSERT_EQ(add.status, 0) << add.err;
    add = Cli("add-files work/p.zlt src/fonts/ledger.ttf --to '<Target Folder>\\extra/fonts'");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.out, "added 1 file to <Target Folder>\\extra\\fonts\n");

    Result show = Cli("show work/p.zlt");
    ASSERT_EQ(show.status, 0) << show.err;
    const std::string& s = show.out;
    ExpectHas(s, "Name:                  Ledger\n");
    ExpectHas(s, "Company:               Acme\n");
    ExpectHas(s, "Version:               2.0\n");
    ExpectHas(s, "Destination:           <Windows Drive Letter:>\\Apps\n");
    ExpectHas(s, "Shortcut folder:       Ledger\n");
    ExpectHas(s, "Source folder:         " + (dir / "src") + "\n");
    ExpectHas(s, "Runtime:               no\n");
    ExpectHas(s, "Proofreading tools:    yes, default English, languages US, DE\n");
    ExpectHas(s, "Default language:      DE\n");
    ExpectHas(s, "SQL Links drivers:     Oracle\n");
    ExpectHas(s, "License agreement:     shown, 2 lines, \"Terms of use\"\n");
    ExpectHas(s, "Release notes:         shown, 1 line, \"First release\"\n");
    ExpectHas(s, "Background title:      \"Ledger Setup\", Times New Roman 48, Normal, CENTER\n");
    ExpectHas(s, "Gradient:              RED, Top To Bottom\n");
    ExpectHas(s, "floppy set\n");
    ExpectHas(s, "Files (4)\n");
    ExpectHas(s, "  <Target Folder>\\bin\\ledger.exe  <-  " + (dir / "src/bin/ledger.exe"));
    ExpectHas(s, "  <Target Folder>\\bin\\data\\base.db  <-  " + (dir / "src/bin/data/base.db"));
    ExpectHas(s, "  <Fonts Folder>\\ledger.ttf  <-  " + (dir / "src/fonts/ledger.ttf"));
    ExpectHas(s, "  <Target Folder>\\extra\\fonts\\ledger.ttf  <-  ");
    ExpectHas(s, "Registry entries (0)\n  none\n");

    // A later change of the name keeps the shortcut folder of the opened project.
    ASSERT_EQ(Cli("set work/p.zlt ApplicationName=Books").status, 0);
    show = Cli("show work/p.zlt");
    ExpectHas(show.out, "Name:                  Books\n");
    ExpectHas(show.out, "Shortcut folder:       Ledger\n");
}

TEST_F(ProjectCommands, SetWritesTheFileItWasGiven) {
    ASSERT_EQ(Cli("new work/p.zlt --name Ledger").status, 0);
    ASSERT_EQ(Cli("new work/Other.zlt --name Other").status, 0);
    ASSERT_TRUE(CopyOneFile(project, dir / "work/Other.bak"));
    const std::string other = dir.Read("work/Other.zlt");

    Result set = Cli("set work/Other.bak CompanyName=Backup");
    ASSERT_EQ(set.status, 0) << set.err;
    EXPECT_EQ(set.out, dir / "work/Other.bak" + "\n");
    EXPECT_EQ(dir.Read("work/Other.zlt"), other);
    ExpectHas(Cli("show work/Other.bak").out, "Company:               Backup\n");
    EXPECT_FALSE(PathExists(dir / "work/Other.bak.zlt"));
}

TEST_F(ProjectCommands, NewKeepsAnExistingFileUnlessForced) {
    ASSERT_EQ(Cli("new work/p.zlt --name First").status, 0);
    std::string before = test::ReadBytes(project);

    Result again = Cli("new work/p.zlt --name Second");
    EXPECT_EQ(again.status, 1);
    ExpectHas(again.err, "vantrel-cli: " + project + " exists already (--force replaces it)");
    EXPECT_EQ(test::ReadBytes(project), before);

    // The name given decides the archive's name: p.txt would be p.zlt.
    EXPECT_EQ(Cli("new work/p.txt").status, 1);
    ASSERT_EQ(Cli("new work/p.zlt --name Second --force").status, 0);
    ExpectHas(Cli("show work/p.zlt").out, "Name:                  Second\n");

    ASSERT_TRUE(MakeFolders(dir / "folder.zlt"));
    Result folder = Cli("new folder.zlt --force");
    EXPECT_EQ(folder.status, 1);
    ExpectHas(folder.err, "is a folder");

    EXPECT_EQ(Cli("new").status, 2);
    EXPECT_EQ(Cli("new a.zlt b.zlt").status, 2);
    EXPECT_EQ(Cli("new a.zlt --colour red").status, 2);
    EXPECT_EQ(Cli("new a.zlt --name").status, 2);
    Result badCompany = Cli("new a.zlt --company 'A/B'");
    EXPECT_EQ(badCompany.status, 2);
    ExpectHas(badCompany.err, "Company Name cannot contain");
    EXPECT_FALSE(PathExists(dir / "a.zlt"));
}

TEST_F(ProjectCommands, SetRefusesWhatBreaksTheProjectRulesWithTheirMessage) {
    ASSERT_EQ(Cli("new work/p.zlt --name Ledger --company Acme").status, 0);
    const std::string before = test::ReadBytes(project);
    const std::string forbidden =
        " cannot contain any of the following characters:\n\t"
        "/ * ? \\ \" < > | : ,\n";
    const std::string kBadDirectory =
        "The default directory cannot contain any of the following characters:\n\t"
        "/ * ? \" < > | , and no colon but the drive's.\n";
    const std::string kNoFolder =
        "You must enter a destination folder when the default destination directory is not "
        "used.\n";
    const struct {
        const char* arguments;
        std::string message;
    } cases[] = {
        {"'CompanyName=Acme/West'", "Company Name" + forbidden},
        {"'ApplicationName=Ledger: 2'", kBadDirectory},
        {"UseDefaultDest=0 'DefaultDestBase=Apps|Ledger'", kBadDirectory},
        // No folder below the base would install into the base itself.
        {"UseDefaultDest=0 DefaultDestBase=", kNoFolder},
        {"UseDefaultDest=0 'DefaultDestBase= \\ ' 'DefaultDestPrefix=<WDL:>'", kNoFolder},
        {"AreWritingToolsSelected=1", "Please select at least one writing tool language\n"},
        {"Version=", "You must enter a Version before continuing.\n"},
        {"FrameworkComponent=1 RuntimeComponent=0",
         "The Tessary Application Framework needs the Tessary 9 Runtime.\n"},
        {"BDEComponent=0",
         "The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL Links "
         "driver is installed.\n"},
        {"RuntimeComponent=0 BDEComponent=0 IsOracleSelected=1",
         "The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL Links "
         "driver is installed.\n"},
        {"WritingToolLanguages=US DefaultLanguage=DE",
         "The default language DE must be one of the selected languages.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Result refused = Cli(std::string("set work/p.zlt ") + c.arguments);
        EXPECT_EQ(refused.status, 2);
        ExpectHas(refused.err, "vantrel-cli: " + c.message);
        EXPECT_EQ(test::ReadBytes(project), before);
    }

    // The same keys in a combination that keeps to the rules are taken.
    ASSERT_EQ(Cli("set work/p.zlt RuntimeComponent=0 BDEComponent=0 WritingToolLanguages=US,DE "
                  "DefaultLanguage=DE FrameworkComponent=0")
                  .status,
              0);
    ExpectHas(Cli("show work/p.zlt").out, "Default language:      DE\n");

    // A title without a font gets the default font, as on the background page.
    Result font = Cli("set work/p.zlt BackGroundTitleFont=");
    EXPECT_EQ(font.status, 0);
    ExpectHas(font.err,
              "vantrel-cli: You have not selected a font for your title, Times New Roman has "
              "been set by default.\n");
    ExpectHas(Cli("show work/p.zlt").out, "\", Times New Roman ");
}

TEST_F(ProjectCommands, SetKeepsEveryValueReadableByTheSetup) {
    ASSERT_EQ(Cli("new work/p.zlt --name Ledger --company Acme").status, 0);
    const std::string before = test::ReadBytes(project);
    const struct {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"UseDefaultDest=0 'ApplicationName=Led,ger'",
         "The application name cannot contain a comma or a line break.\n"},
        {"'Background Title=" + std::string(3000, 't') + "'",
         "The setup title cannot be longer than 1000 characters.\n"},
        {"Version=" + std::string(1001, '9'),
         "The version cannot be longer than 1000 characters.\n"},
        {"BackGroundTitleFontHeight=5000",
         "BackGroundTitleFontHeight: The Font Size must be a whole number from 20 to 160.\n"},
        {"BackGroundTitleFontHeight=abc",
         "BackGroundTitleFontHeight: The Font Size must be a whole number from 20 to 160.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.substr(0, 60));
        Result refused = Cli("set work/p.zlt " + c.arguments);
        EXPECT_EQ(refused.status, 2);
        ExpectHas(refused.err, "vantrel-cli: " + c.message);
        EXPECT_EQ(test::ReadBytes(project), before);
    }
    ASSERT_EQ(Cli("set work/p.zlt 'BackGroundTitleFontHeight= 036'").status, 0);
    ExpectHas(Cli("show work/p.zlt").out, "Times New Roman 36,");

    // A value that names the script header's marker is a value like any other.
    Result marker = Cli("set work/p.zlt 'CompanyName=Acme [Oxbel Setup Header] Ltd'");
    ASSERT_EQ(marker.status, 0) << marker.err;
    Result show = Cli("show work/p.zlt");
    ExpectHas(show.out, "Name:                  Ledger\n");
    ExpectHas(show.out, "Company:               Acme [Oxbel Setup Header] Ltd\n");

    // License files in UTF-8 are converted; what Windows-1252 lacks is named.
    dir.Write("utf8.txt",
              "\xEF\xBB\xBF"
              "Caf\xC3\xA9 terms\r\n");
    ASSERT_EQ(Cli("set work/p.zlt DisplayLicense=1 LicenseText=@utf8.txt").status, 0);
    ExpectHas(Cli("show work/p.zlt").out, "1 line, \"Caf\xC3\xA9 terms\"\n");
    dir.Write("snow.txt", "Snow \xE2\x98\x83\n");
    Result snow = Cli("set work/p.zlt LicenseText=@snow.txt");
    EXPECT_EQ(snow.status, 1);
    ExpectHas(snow.err, "snow.txt: holds characters that Windows-1252 cannot hold: \xE2\x98\x83\n");
}

TEST_F(ProjectCommands, SetRefusesUnknownKeysAndBadValuesWithoutChangingTheFile) {
    ASSERT_EQ(Cli("new work/p.zlt").status, 0);
    std::string before = test::ReadBytes(project);

    Result unknown = Cli("set work/p.zlt CompanyName=Acme Colour=red");
    EXPECT_EQ(unknown.status, 2);
    ExpectHas(unknown.err, "vantrel-cli: unknown key Colour; the keys are: ApplicationName, ");
    ExpectHas(unknown.err, "DisplayLicense");
    ExpectHas(unknown.err, "usage: vantrel-cli set PROJECT.zlt KEY=VALUE...");

    EXPECT_EQ(Cli("set work/p.zlt DisplayLicense=yes").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt TextBrushRed=256").status, 2);
    // The title font size is one the setup engine honours, the range named.
    for (const char* size : {"16", "19", "161", "abc"}) {
        Result r = Cli(std::string("set work/p.zlt BackGroundTitleFontHeight=") + size);
        EXPECT_EQ(r.status, 2) << size;
        ExpectHas(r.err, "from 20 to 160");
    }
    EXPECT_EQ(Cli("set work/p.zlt WritingToolLanguages=US,XX").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt CompanyName=").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt CompanyName").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt").status, 2);
    EXPECT_EQ(Cli("set work/p.zlt \"CompanyName=$(printf 'Two\\nLines')\"").status, 2);
    Result missingText = Cli("set work/p.zlt LicenseText=@nowhere.txt");
    EXPECT_EQ(missingText.status, 1);
    ExpectHas(missingText.err, "nowhere.txt");
    EXPECT_EQ(test::ReadBytes(project), before);

    Result noProject = Cli("set work/none.zlt CompanyName=Acme");
    EXPECT_EQ(noProject.status, 1);
    ExpectHas(noProject.err, "vantrel-cli: " + (dir / "work/none.zlt") + ": no such file");
    EXPECT_FALSE(PathExists(dir / "work/none.zlt"));

    dir.Write("work/junk.zlt", "junk");
    Result junk = Cli("set work/junk.zlt CompanyName=Acme");
    EXPECT_EQ(junk.status, 1);
    ExpectHas(junk.err, "not a readable project file");
    EXPECT_EQ(dir.Read("work/junk.zlt"), "junk");

    // Keys are matched without regard to case; a Windows-1252 name survives.
    ASSERT_EQ(Cli("set work/p.zlt companyname=Caf\xC3\xA9").status, 0);
    ExpectHas(Cli("show work/p.zlt").out, "Company:               Caf\xC3\xA9\n");
    EXPECT_EQ(Cli("set work/p.zlt 'CompanyName=\xE2\x82\xAC \xE2\x98\x83'").status, 1);
    for (const char* size : {"20", "48", "72", "160"})
        EXPECT_EQ(Cli(std::string("set work/p.zlt BackGroundTitleFontHeight=") + size).status, 0);
}

TEST_F(ProjectCommands, AddFilesRefusesWhatTheFilesPageRefuses) {
    ASSERT_EQ(Cli("new work/p.zlt").status, 0);
    dir.Write("src/a.txt", "a");
    dir.Write("src/sub/a.txt", "other a");
    dir.Write("other/b.txt", "b");
    dir.Write("src/comma,name.txt", "c");
    ASSERT_EQ(Cli("add-files work/p.zlt src/a.txt").status, 0);
    std::string before = test::ReadBytes(project);

    Result twice = Cli("add-files work/p.zlt src/sub/a.txt");
    EXPECT_EQ(twice.status, 1);
    ExpectHas(twice.err,
              "vantrel-cli: A file with this name already exists in this folder: "
              "<Target Folder>\\a.txt");
    EXPECT_EQ(Cli("add-files work/p.zlt src/sub/a.txt --to '<target folder>'").status, 1);

    Result outside = Cli("add-files work/p.zlt other/b.txt");
    EXPECT_EQ(outside.status, 1);
    ExpectHas(outside.err, "is not below the project's source folder " + (dir / "src"));

    Result font = Cli("add-files work/p.zlt src/sub/a.txt --to '<Fonts Folder>'");
    EXPECT_EQ(font.status, 1);
    ExpectHas(font.err, "does not appear to be a font");

    EXPECT_EQ(Cli("add-files work/p.zlt 'src/comma,name.txt'").status, 1);
    EXPECT_EQ(Cli("add-files work/p.zlt src/missing.txt").status, 1);
    Result badTarget = Cli("add-files work/p.zlt src/sub/a.txt --to '<Desktop Folder>'");
    EXPECT_EQ(badTarget.status, 2);
    ExpectHas(badTarget.err, "<Target Folder> (<D>)");
    EXPECT_EQ(Cli("add-files work/p.zlt src/sub/a.txt --to '<D>\\..\\up'").status, 2);
    EXPECT_EQ(Cli("add-files work/p.zlt").status, 2);
    EXPECT_EQ(test::ReadBytes(project), before);

    // Forced into the fonts folder, and the same name in another folder, is fine.
    EXPECT_EQ(Cli("add-files work/p.zlt src/sub/a.txt --to '<F>' --force").status, 0);
    EXPECT_EQ(Cli("add-files work/p.zlt src/sub/a.txt --to '<D>\\sub'").status, 0);
    // The source folder itself becomes a target subfolder of its name.
    ASSERT_TRUE(RemoveFile(dir / "src/comma,name.txt"));
    Result whole = Cli("add-files work/p.zlt src --to '<D>\\all'");
    EXPECT_EQ(whole.status, 0) << whole.err;
    std::string shown = Cli("show work/p.zlt").out;
    ExpectHas(shown, "Files (5)\n");
    ExpectHas(shown, "  <Target Folder>\\all\\src\\sub\\a.txt  <-  " + (dir / "src/sub/a.txt"));
}

TEST_F(ProjectCommands, ScriptsOfAProjectFile) {
    ASSERT_EQ(Cli("new work/p.zlt --name Ledger --company Acme --version 2.0").status, 0);
    ASSERT_EQ(
        Cli("set work/p.zlt DisplayLicense=1 AreWritingToolsSelected=1 WritingToolLanguages=UK")
            .status,
        0);
    dir.Write("src/ledger.exe", "MZ");
    ASSERT_EQ(Cli("add-files work/p.zlt src/ledger.exe").status, 0);

    Result r = Cli("scripts work/p.zlt --out out");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string product = dir.Read("out/Setup/project.kvz");
    ExpectHas(product, "\r\nProductName=Ledger\r\n");
    ExpectHas(product, "\r\nDestination=<WPF>\\Acme\\Ledger\r\n");
    ExpectHas(product, "\r\nPages=Welcome License Dictionary Destination Ready\r\n");
    ExpectHas(product, "\r\nUK=%DictionaryUK%,LX9_English\r\n");
    std::string comp = dir.Read("out/Setup/comp.kvz");
    ExpectHas(comp, "\r\nProgram_files,<S>,ledger.exe,<D>,ledger.exe,2,");
    ExpectHas(dir.Read("out/Setup/string.str"), "DictionaryUK = English - UK");

    EXPECT_EQ(Cli("scripts work/missing.zlt --out out2").status, 1);
    EXPECT_FALSE(PathExists(dir / "out2"));
    EXPECT_EQ(Cli("scripts work/p.zlt other.zlt --out out2").status, 2);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Many "set" runs on one project at the same moment, each changing its own
// key: every run that says it saved must find its value in the file, and a
// run that could not save must say so.
TEST_F(ProjectCommands, ConcurrentSetsKeepEveryChangeOrRefuseIt) {
    ASSERT_EQ(Cli("new work/p.zlt --name Ledger --company Acme --version 1.0").status, 0);
    const std::vector<std::string> keys = {"Version",         "CompanyName",
                                           "DefaultDestBase", "BackFontStyle",
                                           "DiskSize",        "FloppyCustomSize",
                                           "TextBrushRed",    "TextBrushBlue",
                                           "TextBrushGreen",  "MediaDistributionDirectory"};
    std::string reader = dir.Write("kvz.py",
                                   "import sys, zipfile\n"
                                   "sys.stdout.write(zipfile.ZipFile(sys.argv[1]).read("
                                   "'project.kvz').decode('latin-1'))\n");
    for (int round = 1; round <= 3; ++round) {
        std::string script = "cd " + Quote(dir.path()) +
                             " && export VANTREL_MACHINE_REG=" + Quote(dir / "machine.reg") +
                             " VANTREL_USER_REG=" + Quote(dir / "user.reg") + "\n";
        for (size_t k = 0; k < keys.size(); ++k) {
            const std::string value = std::to_string(round * 20 + static_cast<int>(k));
            script += "(" + Quote(VANTREL_CLI) + " --install-location install set work/p.zlt " +
                      keys[k] + "=" + value + " >/dev/null 2>err" + std::to_string(k) +
                      "; echo $? >rc" + std::to_string(k) + ") &\n";
        }
        script += "wait";
        ASSERT_EQ(test::RunShell(script).status, 0);
        const std::string saved =
            test::RunShell("python3 " + Quote(reader) + " " + Quote(project)).out;
        for (size_t k = 0; k < keys.size(); ++k) {
            const std::string rc = Trim(dir.Read("rc" + std::to_string(k)));
            const std::string err = dir.Read("err" + std::to_string(k));
            const std::string line =
                keys[k] + "=" + std::to_string(round * 20 + static_cast<int>(k)) + "\r\n";
            if (rc == "0")
                EXPECT_NE(saved.find(line), std::string::npos)
                    << "round " << round << ": the change " << line << " said saved, is lost";
            else
                EXPECT_NE(err.find("vantrel-cli: "), std::string::npos) << rc << " " << err;
        }
    }
}

// Files read into the project are read no further than their limit, and a
// UTF-16 license text is read as text.
TEST_F(ProjectCommands, FilesReadIntoTheProjectAreBoundedAndDecoded) {
    ASSERT_EQ(Cli("new work/p.zlt").status, 0);
    dir.Write("big.txt", std::string(70000, 'x'));
    dir.Write("utf16.txt", std::string("\xFF\xFE"
                                       "C\0a\0f\0\xE9\0\r\0\n\0\xAC\x20",
                                       16));
    dir.Write("cyrillic16.txt", std::string("\xFF\xFE"
                                            "a\0\x3F\x04",
                                            6));
    const struct {
        std::string args;
        std::string message;
    } refused[] = {
        {"set work/p.zlt LicenseText=@big.txt", "big.txt: the file cannot exceed 64KB in size"},
        {"set work/p.zlt LicenseText=@/dev/zero", "/dev/zero: the file cannot exceed 64KB"},
        {"set work/p.zlt ReleaseText=@cyrillic16.txt",
         "cyrillic16.txt: holds characters that Windows-1252 cannot hold: \xD0\xBF"},
        {"registry work/p.zlt import /dev/zero", "larger than 16 MB"},
    };
    const std::string before = test::ReadBytes(project);
    for (const auto& r : refused) {
        Result got = Cli(r.args);
        EXPECT_EQ(got.status, 1) << r.args << "\n" << got.err;
        ExpectHas(got.err, r.message);
        EXPECT_EQ(test::ReadBytes(project), before) << r.args;
    }
    Result set = Cli("set work/p.zlt DisplayLicense=1 LicenseText=@utf16.txt");
    ASSERT_EQ(set.status, 0) << set.err;
    std::string script =
        dir.Write("license.py",
                  "import sys, zipfile\nsys.stdout.write(zipfile.ZipFile(sys.argv[1]).read("
                  "'license.txt').hex())\n");
    EXPECT_EQ(test::RunShell("python3 " + Quote(script) + " " + Quote(project)).out,
              "436166e90d0a80");  // "Caf\xE9\r\n\x80"
}

}  // namespace
}  // namespace vantrel
