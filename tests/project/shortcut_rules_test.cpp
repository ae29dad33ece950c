#include "project/shortcut_rules.h"

#include <gtest/gtest.h>

#include "archive/zip_reader.h"
#include "elements/setup_file.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kAll(32, '1');
const std::string kForbidden =
    "A directory cannot contain any of the following characters:\n\t/ * ? \" < > | , :";

TEST(ShortcutGroupName, Checks) {
    EXPECT_EQ(CheckGroupName(""), "Please enter a Shortcut folder name before continuing.");
    for (char c : std::string("/*?\"<>|,:"))
        EXPECT_EQ(CheckGroupName(std::string("Acme") + c + "Tools"), kForbidden) << c;
    EXPECT_EQ(CheckGroupName("Acme\\Ledger"), "");  // a backslash makes a subfolder
    EXPECT_EQ(CheckGroupName("Acme\nLedger"),
              "The group name cannot contain a comma or a line break.");
    EXPECT_EQ(GroupFolder("Acme\\\\Ledger\\"), "<O>\\Acme\\Ledger");
    EXPECT_EQ(GroupFolder("\\"), "<O>");
}

// The dialog's values for a shortcut in the group "App".
WShortcutProperties Shown(const std::string& folder, const std::string& name = "Run") {
    WSetupShortcut s;
    s.SetShortcutFolder(folder);
    s.SetShortcutName(name);
    return WShortcutProperties::Load(s);
}

TEST(ShortcutDialog, FolderChoiceAndAdditionalFolders) {
    WShortcutProperties p = Shown("<O>\\Acme\\Ledger");
    EXPECT_EQ(p.folder, 2);
    EXPECT_EQ(p.additional, "Acme\\Ledger");
    EXPECT_EQ(p.Folder(), "<O>\\Acme\\Ledger");
    EXPECT_EQ(Shown("<K>").folder, 0);
    EXPECT_EQ(Shown("<K>").additional, "");
    EXPECT_EQ(Shown("<R>\\x").folder, 1);
    EXPECT_EQ(Shown("<U>").folder, 3);
    // Not one of the four: no choice, and the whole folder stays the folder.
    p = Shown("<D>\\Links");
    EXPECT_EQ(p.folder, -1);
    EXPECT_EQ(p.additional, "<Target Folder>\\Links");
    EXPECT_EQ(p.Folder(), "<D>\\Links");
    // A macro that merely starts like a choice is no choice.
    EXPECT_EQ(Shown("<Kx>\\a").folder, -1);

    // Doubled backslashes are stored single.
    p = Shown("<O>");
    p.folder = 0;
    p.additional = "Tools\\\\Extra";
    WSetupShortcut s;
    ASSERT_EQ(p.Apply(s), "");
    EXPECT_EQ(s.GetShortcutFolder(), "<K>\\Tools\\Extra");
}

TEST(ShortcutDialog, NameAndParameters) {
    WSetupShortcut s;
    s.SetShortcutFolder("<O>\\App");
    s.SetShortcutName("Run");
    const std::string before = s.WriteRecord();
    WShortcutProperties p = WShortcutProperties::Load(s);
    p.name = "";
    EXPECT_EQ(p.Apply(s), "You must specify a name for your shortcut.");
    EXPECT_EQ(s.WriteRecord(), before);
    p.name = "Run, fast";
    EXPECT_EQ(p.Check(), "The name cannot contain a comma or a line break.");
    p.name = "Run";
    p.additional = "a,b";
    EXPECT_EQ(p.Check(), "The folder cannot contain a comma or a line break.");
    p.additional = "App";
    p.parameters = "/x\n/y";
    EXPECT_EQ(p.Check(), "The parameters cannot contain a comma or a line break.");
    EXPECT_EQ(s.WriteRecord(), before);

    // Parameters are stored with short macros and shown with long ones.
    p.parameters = "/ini=<Windows Folder>\\app.ini";
    ASSERT_EQ(p.Apply(s), "");
    EXPECT_EQ(s.GetArguments(), "/ini=<W>\\app.ini");
    EXPECT_EQ(WShortcutProperties::Load(s).parameters, "/ini=<Windows Folder>\\app.ini");
}

TEST(ShortcutDefaults, ShortcutToAFileAndTheRuntime) {
    WSetupFile file;
    file.SetSourceDir("C:\\Source\\Ledger");
    file.SetSourceName("bin\\app.exe");
    file.SetTargetDir("<D>");
    file.SetTargetName("bin\\app.exe");
    auto s = NewShortcut(file, "My App");
    EXPECT_EQ(s->GetShortcutName(), "Shortcut to app.exe");
    EXPECT_EQ(s->GetSourceDir(), "C:\\Source\\Ledger");
    EXPECT_EQ(s->GetSourceName(), "bin\\app.exe");
    EXPECT_EQ(
        s->WriteRecord(),
        ",<O>\\My App,Shortcut to app.exe,<D>,bin\\app.exe,11111,0,,,,,0,1," + kAll + ",0,644,");
    // "Shortcut to:" names the file where the set installs it, whatever
    // local folder it comes from.
    EXPECT_EQ(WShortcutProperties::Load(*s).target, "<Target Folder>\\bin\\app.exe");
    s->SetSourceDir("/local/path/bin");
    EXPECT_EQ(WShortcutProperties::Load(*s).target, "<Target Folder>\\bin\\app.exe");
    EXPECT_EQ(ShortcutEntryText(*s), "<Start Menu Programs Folder>\\My App\\Shortcut to app.exe");
    EXPECT_STREQ(ComponentForShortcut(*s), "Program_files");

    auto r = NewRuntimeShortcut("My App");
    EXPECT_EQ(r->WriteRecord(),
              ",<O>\\My App,Tessary 9 Runtime,<SF>,Tessary 9 Runtime,11111,0,,,,,0,1," + kAll +
                  ",0,644,");
    EXPECT_TRUE(IsRuntimeShortcut(*r));
    EXPECT_STREQ(ComponentForShortcut(*r), "TY9Run_Program");
}

// A project with an application file, a runtime component and the records
// of comp.kvz as the test.
class ShortcutActions : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
        dir.Write("install/Comps/TY9Run_Program.kvz",
                  "[Identification.0]\r\n"
                  "TY9Run_Program,111,<PRT>,0,1,11111,0,Runtime,,,,,,0,,21," +
                      kAll +
                      ",\r\n\r\n[Shortcut0]\r\n"
                      "TY9Run_Program,<O>\\Tessary 9 Runtime,Tessary 9 Runtime Help,<PRT>,"
                      "tyrun90.hlp,11111,0,,,,,0,1," +
                      kAll + ",0,644,\r\n");
        Open(project);
        project.ShortcutFolder = "Ledger";
        for (const char* name : {"app.exe", "tool.exe"}) {
            auto file = std::make_unique<WSetupFile>();
            file->SetSourceDir("C:\\Source");
            file->SetSourceName(name);
            file->SetTargetDir("<D>");
            file->SetTargetName(name);
            file->SetSelectMask(kAll);
            project.ProgramFilesComponent()->AddElement(std::move(file));
        }
    }

    void Open(WProjectData& p) {
        p.SetInstallLocationOverride(dir / "install");
        p.Reset();
        p.RuntimeComponent = 1;
        p.ApplyComponentSelection();
    }

    WSetupShortcut* AddFor(int fileIndex) {
        auto files = ShortcutFiles(project);
        EXPECT_GT(files.size(), static_cast<size_t>(fileIndex));
        std::string error;
        WSetupShortcut* s =
            AddShortcut(project, NewShortcut(*files[fileIndex], project.ShortcutFolder), error);
        EXPECT_EQ(error, "");
        return s;
    }

    // "[section] record" for every shortcut record of comp.kvz.
    std::vector<std::string> Records(WProjectData& p) {
        EXPECT_TRUE(p.Components()->WriteComponentScripts(dir / "out"));
        std::string comp = dir.Read("out/comp.kvz");
        std::vector<std::string> lines;
        std::string section;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                section = line;
            else if (section.rfind("[Shortcut", 0) == 0 && !line.empty())
                lines.push_back(section + " " + line);
        }
        return lines;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
};

TEST_F(ShortcutActions, OfferedFilesAndListedShortcuts) {
    auto files = ShortcutFiles(project);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(ApplicationFileText(*files[0]), "<Target Folder>\\app.exe");
    // The runtime's help shortcut of the standard script is not the page's.
    EXPECT_TRUE(ListedShortcuts(project).empty());
    EXPECT_EQ(RuntimeShortcut(project), nullptr);
}

TEST_F(ShortcutActions, AddChangeDeleteWriteTheRecords) {
    const std::string help =
        "[Shortcut0] TY9Run_Program,<O>\\Tessary 9 Runtime,Tessary 9 "
        "Runtime Help,<PRT>,tyrun90.hlp,11111,0,,,,,0,1," +
        kAll + ",0,644,";
    WSetupShortcut* app = AddFor(0);
    ASSERT_NE(app, nullptr);
    const std::string appRecord =
        "Program_files,<O>\\Ledger,Shortcut to app.exe,<D>,app.exe,"
        "11111,0,,,,,0,1," +
        kAll + ",0,644,";
    auto records = Records(project);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].substr(records[1].find(' ') + 1), appRecord);
    EXPECT_TRUE(HasShortcutTo(project, *ShortcutFiles(project)[0]));
    EXPECT_FALSE(HasShortcutTo(project, *ShortcutFiles(project)[1]));

    // The same link again is refused, whichever way it is made.
    std::string error;
    EXPECT_EQ(AddShortcut(project, NewShortcut(*ShortcutFiles(project)[0], "Ledger"), error),
              nullptr);
    EXPECT_EQ(error, "Shortcut already exists.");
    // The dialog asks the same before it closes, for a new shortcut and a
    // changed copy alike; a copy of a shortcut is no duplicate of it.
    EXPECT_EQ(CheckNewShortcut(project, *NewShortcut(*ShortcutFiles(project)[0], "Ledger")),
              "Shortcut already exists.");
    EXPECT_EQ(CheckNewShortcut(project, *NewShortcut(*ShortcutFiles(project)[1], "Ledger")), "");
    EXPECT_EQ(CheckChangedShortcut(project, app, WSetupShortcut(*app)), "");

    // A second shortcut changed to read like the first is refused.
    WSetupShortcut* tool = AddFor(1);
    ASSERT_NE(tool, nullptr);
    WShortcutProperties p = WShortcutProperties::Load(*tool);
    const WSetupShortcut saved = *tool;
    p.name = "Shortcut to app.exe";
    ASSERT_EQ(p.Apply(*tool), "");
    EXPECT_EQ(CheckChangedShortcut(project, *tool), "Shortcut already exists.");
    *tool = saved;
    p.name = "Ledger Tool";
    p.folder = 0;
    p.additional = "";
    p.parameters = "/q";
    ASSERT_EQ(p.Apply(*tool), "");
    EXPECT_EQ(CheckChangedShortcut(project, *tool), "");
    ShortcutChanged(project);
    const std::string toolRecord =
        "Program_files,<K>,Ledger Tool,<D>,tool.exe,11111,0,/q,,,,0,1," + kAll + ",0,644,";
    records = Records(project);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], help);
    EXPECT_EQ(records[2].substr(records[2].find(' ') + 1), toolRecord);

    EXPECT_TRUE(RemoveShortcut(project, app));
    EXPECT_FALSE(RemoveShortcut(project, app));
    records = Records(project);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].substr(records[1].find(' ') + 1), toolRecord);
}

TEST_F(ShortcutActions, RuntimeShortcutFollowsTheRuntimeComponent) {
    std::string error;
    WSetupShortcut* runtime = AddRuntimeShortcut(project, error);
    ASSERT_NE(runtime, nullptr) << error;
    EXPECT_EQ(RuntimeShortcut(project), runtime);
    EXPECT_EQ(ListedShortcuts(project), std::vector<WSetupShortcut*>{runtime});
    EXPECT_EQ(AddRuntimeShortcut(project, error), nullptr);
    EXPECT_EQ(error, "Shortcut already exists.");
    auto records = Records(project);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1],
              "[Shortcut0] TY9Run_Program,<O>\\Ledger,Tessary 9 Runtime,<SF>,Tessary 9 "
              "Runtime,11111,0,,,,,0,1," +
                  kAll + ",0,644,");

    // Saved and reopened, it is found again, though the record does not
    // keep where it came from.
    ASSERT_TRUE(WriteProjectFile(project, dir / "p.zlt"));
    WProjectData reopened;
    Open(reopened);
    ASSERT_TRUE(OpenProjectFile(reopened, dir / "p.zlt"));
    WSetupShortcut* back = RuntimeShortcut(reopened);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->GetSourceName(), "");

    // Turned off, the runtime takes its shortcut along; the help stays.
    EXPECT_FALSE(DropRuntimeShortcutWithoutRuntime(reopened));
    reopened.RuntimeComponent = 0;
    EXPECT_TRUE(DropRuntimeShortcutWithoutRuntime(reopened));
    EXPECT_EQ(RuntimeShortcut(reopened), nullptr);
    EXPECT_TRUE(ListedShortcuts(reopened).empty());
    EXPECT_EQ(reopened.Components()->Find("TY9Run_Program")->Elements(kElementShortcut).size(), 1u);
    EXPECT_EQ(AddRuntimeShortcut(reopened, error), nullptr);
    EXPECT_EQ(error, "The runtime shortcut needs the Tessary 9 Runtime component.");
}

TEST_F(ShortcutActions, GroupNameKeepsTheApplicationNameAndMovesItsShortcuts) {
    project.SetApplicationName("Ledger");
    WSetupShortcut* app = AddFor(0);
    WSetupShortcut* tool = AddFor(1);
    std::string error;
    ASSERT_NE(AddRuntimeShortcut(project, error), nullptr);
    WShortcutProperties p = WShortcutProperties::Load(*tool);
    p.folder = 0;  // on the desktop: not in the group
    p.additional = "";
    ASSERT_EQ(p.Apply(*tool), "");
    p = WShortcutProperties::Load(*app);
    p.additional = "Ledger\\Extras";  // below the group
    ASSERT_EQ(p.Apply(*app), "");

    EXPECT_TRUE(SetShortcutGroup(project, "Acme\\Ledger Tools"));
    EXPECT_EQ(project.ShortcutFolderSet, 1);
    EXPECT_EQ(app->GetShortcutFolder(), "<O>\\Acme\\Ledger Tools\\Extras");
    EXPECT_EQ(tool->GetShortcutFolder(), "<K>");
    EXPECT_EQ(RuntimeShortcut(project)->GetShortcutFolder(), "<O>\\Acme\\Ledger Tools");
    const std::vector<std::string> records = Records(project);

    ASSERT_TRUE(WriteProjectFile(project, dir / "p.zlt"));
    WProjectData reopened;
    Open(reopened);
    ASSERT_TRUE(OpenProjectFile(reopened, dir / "p.zlt"));
    EXPECT_EQ(reopened.GetApplicationName(), "Ledger");
    EXPECT_EQ(reopened.ShortcutFolder, "Acme\\Ledger Tools");
    EXPECT_EQ(Records(reopened), records);

    // The project script keeps the two values under their own keys, and the
    // setup's product script names the product after the application.
    ALEntryList list;
    ALZipReader zip(dir / "p.zlt");
    ASSERT_EQ(zip.ReadDirectory(list), 0);
    ASSERT_EQ(zip.Extract(list, dir / "members"), 0);
    const std::string kvz = dir.Read("members/project.kvz");
    const size_t product = kvz.find("\r\n[Product]\r\n");
    ASSERT_NE(product, std::string::npos);
    EXPECT_LT(kvz.find("\r\nShortcutFolder=Acme\\Ledger Tools\r\n"), product);
    EXPECT_GT(kvz.find("\r\nShortcutFolder=Ledger\r\n"), product);
    ASSERT_TRUE(reopened.WriteProductScript(dir / "set"));
    EXPECT_NE(dir.Read("set/Setup/project.kvz").find("\r\nShortcutFolder=Ledger\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace vantrel
