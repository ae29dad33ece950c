#include "project/registry_keys.h"

#include <cctype>

#include "platform/files.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "platform/system_folders.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/reg_import.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kAllSelected(32, '1');

// Values as the dialog would hold them for a new entry.
WRegistryKeyProperties Typed(const std::string& key, const std::string& name,
                             const std::string& value) {
    WRegistryKeyProperties p = WRegistryKeyProperties::Load(*NewRegistryEntry());
    p.rootKey = 2;  // HKEY_LOCAL_MACHINE
    p.key = key;
    p.name = name;
    p.value = value;
    return p;
}

TEST(RegistryKeyDialog, KeyChecks) {
    WRegistryKeyProperties::ForgetLastKey();
    // An empty key: a value goes nowhere, and a root key alone names nothing.
    EXPECT_EQ(Typed("", "", "1").Check(),
              "You shouldn't be assigning a value to the RootKey HKEY_LOCAL_MACHINE");
    EXPECT_EQ(Typed("", "V", "1").Check(),
              "You shouldn't be assigning a value to the RootKey HKEY_LOCAL_MACHINE");
    EXPECT_EQ(Typed("", "", "").Check(),
              "You have selected only the RootKey HKEY_LOCAL_MACHINE.  You should specify a "
              "Key or Name, and a Value.");
    WRegistryKeyProperties users = Typed("", "", "");
    users.rootKey = 3;
    EXPECT_EQ(users.Check(),
              "You have selected only the RootKey HKEY_USERS.  You should specify a Key or "
              "Name, and a Value.");
    EXPECT_EQ(Typed("", "V", "").Check(), "");  // a name without a value is accepted
    EXPECT_EQ(Typed("Software\\X", "", "").Check(), "");
    // A record field cannot hold a comma or a line break.
    EXPECT_EQ(Typed("Software\\A,B", "", "").Check(),
              "The key cannot contain a comma or a line break.");
    EXPECT_EQ(Typed("Software\\A\nB", "", "").Check(),
              "The key cannot contain a comma or a line break.");
}

TEST(RegistryKeyDialog, SystemChecks) {
    WRegistryKeyProperties p = Typed("Software\\X", "V", "1");
    p.systems = {false, false, false, false};
    EXPECT_EQ(p.Check(), "You have not specified any target Operating Systems.");
    // The key's own refusal comes first.
    p.key.clear();
    EXPECT_EQ(p.Check(), "You shouldn't be assigning a value to the RootKey HKEY_LOCAL_MACHINE");
    p = Typed("Software\\X", "V", "1");
    p.systems = {false, false, false, true};
    EXPECT_EQ(p.Check(), "");
}

TEST(RegistryKeyDialog, NameAndValueChecks) {
    EXPECT_EQ(Typed("Software\\X", "Files*", "1").Check(),
              "A value name cannot contain \"*\". Please enter the name without it.");
    EXPECT_EQ(Typed("Software\\X", "a,b", "1").Check(),
              "The name cannot contain a comma or a line break.");
    EXPECT_EQ(Typed("Software\\X", "V", "1,2").Check(),
              "The value cannot contain a comma or a line break.");
    EXPECT_EQ(Typed("Software\\X", "V", "*").Check(), "");  // only the name refuses "*"

    // A refused OK leaves the entry and the remembered key as they were.
    WRegistryKeyProperties::ForgetLastKey();
    auto entry = NewRegistryEntry();
    const std::string before = entry->WriteRecord();
    EXPECT_NE(Typed("Software\\X", "V", "1,2").Apply(*entry), "");
    EXPECT_EQ(entry->WriteRecord(), before);
    EXPECT_EQ(WRegistryKeyProperties::LastKey(), "");
}

TEST(RegistryKeyDialog, NumberValuesAreWhatADwordHolds) {
    auto number = [](const char* value, const char* name = "Count") {
        WRegistryKeyProperties p = Typed("Software\\X", name, value);
        p.type = kNumberType;
        return p.Check();
    };
    for (const char* good : {"0", "10", "4294967295", "0x0", "0xff", "0XFFFFFFFF", "0x0000000A"})
        EXPECT_EQ(number(good), "") << good;
    for (const char* bad : {"abc", "", "-1", "4294967296", "99999999999", "1.5", "010", "0x",
                            "0x100000000", "0xg1", " 1", "<Windows Folder>"})
        EXPECT_EQ(number(bad), kNumberValueMessage) << bad;
    // A key alone holds no value; a string holds any text.
    EXPECT_EQ(number("", ""), "");
    WRegistryKeyProperties text = Typed("Software\\X", "Name", "abc");
    EXPECT_EQ(text.Check(), "");
}

TEST(RegistryKeyDialog, LoadShowsTheEntryAndProposesTheLastKey) {
    WRegistryKeyProperties::ForgetLastKey();
    auto first = NewRegistryEntry();
    WRegistryKeyProperties p = WRegistryKeyProperties::Load(*first);
    EXPECT_EQ(p.rootKey, 0);  // HKEY_CLASSES_ROOT for a new entry
    EXPECT_EQ(p.type, 0);
    EXPECT_EQ(p.key, "");
    p = Typed("Software\\Oxbel\\App", "Path", "<Windows Folder>\\app.ini");
    p.type = 2;
    p.systems = {true, false, true, false};
    ASSERT_EQ(p.Apply(*first), "");
    EXPECT_EQ(first->GetValueData(), "<W>\\app.ini");
    EXPECT_EQ(first->GetValueType(), "Binary Data");
    EXPECT_EQ(first->GetOsMask(), "1010");

    // The next new entry proposes the key typed at that OK, under its root.
    WRegistryKeyProperties next = WRegistryKeyProperties::Load(*NewRegistryEntry());
    EXPECT_EQ(next.key, "Software\\Oxbel\\App");
    EXPECT_EQ(next.RootKeyText(), "HKEY_LOCAL_MACHINE");
    // Reopening the first shows its own values, macros in long form.
    WRegistryKeyProperties again = WRegistryKeyProperties::Load(*first);
    EXPECT_EQ(again.rootKey, 2);
    EXPECT_EQ(again.value, "<Windows Folder>\\app.ini");
    EXPECT_EQ(again.type, 2);
    EXPECT_EQ(again.systems, (std::array<bool, 4>{true, false, true, false}));
    // Unknown root keys and types show the first entry of their lists.
    first->SetRootKey("HKEY_NOWHERE");
    first->SetValueType("DWORD");
    again = WRegistryKeyProperties::Load(*first);
    EXPECT_EQ(again.RootKeyText(), "HKEY_CLASSES_ROOT");
    EXPECT_EQ(again.TypeText(), "String");
    WRegistryKeyProperties::ForgetLastKey();
}

// A project whose records in comp.kvz are the test.
class RegistryEntryActions : public ::testing::Test {
  protected:
    void SetUp() override {
        WRegistryKeyProperties::ForgetLastKey();
        ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
        project.SetInstallLocationOverride(dir / "install");
        project.Reset();
    }

    WSetupRegEntry* Add(const WRegistryKeyProperties& p) {
        auto entry = NewRegistryEntry();
        EXPECT_EQ(p.Apply(*entry), "");
        std::string error;
        WSetupRegEntry* added = AddRegistryEntry(project, std::move(entry), error);
        EXPECT_EQ(error, "");
        return added;
    }

    // The records of comp.kvz under "[RegistryKeysN]".
    std::vector<std::string> Records(WProjectData& p) {
        EXPECT_TRUE(p.Components()->WriteComponentScripts(dir / "out"));
        std::string comp = dir.Read("out/comp.kvz");
        std::vector<std::string> lines;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.rfind("[RegistryKeys", 0) == 0;
            else if (inside && !line.empty())
                lines.push_back(line);
        }
        return lines;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
};

TEST_F(RegistryEntryActions, AddModifyDeleteWriteTheRecords) {
    WSetupRegEntry* x = Add(Typed("Software\\X", "V", "1"));
    const std::string recordX =
        "Program_files,HKEY_LOCAL_MACHINE,Software\\X,V,1,String,1111,1,1," + kAllSelected +
        ",0,,0,";
    EXPECT_EQ(Records(project), std::vector<std::string>{recordX});

    WRegistryKeyProperties counter = Typed("Software\\Y", "Count", "10");
    counter.type = 1;
    counter.systems = {false, true, false, true};
    WSetupRegEntry* y = Add(counter);
    WSetupRegEntry* z = Add(Typed("Software\\Z", "", ""));
    ASSERT_TRUE(x && y && z);
    EXPECT_EQ(RegistryEntries(project), (std::vector<WSetupRegEntry*>{x, y, z}));

    // Modify in place: the page copies the Uninstall box first.
    y->SetUninstall(0);
    WRegistryKeyProperties p = WRegistryKeyProperties::Load(*y);
    p.value = "0x1F";
    ASSERT_EQ(p.Apply(*y), "");
    RegistryEntryChanged(project);
    const std::string recordY =
        "Program_files,HKEY_LOCAL_MACHINE,Software\\Y,Count,0x1F,Number,"
        "0101,0,1," +
        kAllSelected + ",0,,0,";
    const std::string recordZ =
        "Program_files,HKEY_LOCAL_MACHINE,Software\\Z,,,String,1111,1,1," + kAllSelected + ",0,,0,";
    EXPECT_EQ(Records(project), (std::vector<std::string>{recordX, recordY, recordZ}));

    // The old record of Y is free again after the change.
    counter.value = "10";
    EXPECT_NE(Add(counter), nullptr);

    EXPECT_TRUE(RemoveRegistryEntry(project, x));
    EXPECT_FALSE(RemoveRegistryEntry(project, x));
    EXPECT_EQ(RegistryEntries(project).size(), 3u);
    EXPECT_EQ(Records(project).front(), recordY);
}

TEST_F(RegistryEntryActions, AnEntryTheSetupWritesAlreadyIsRefused) {
    ASSERT_NE(Add(Typed("Software\\X", "V", "1")), nullptr);
    auto same = NewRegistryEntry();
    ASSERT_EQ(Typed("Software\\X", "V", "1").Apply(*same), "");
    std::string error;
    EXPECT_EQ(AddRegistryEntry(project, std::move(same), error), nullptr);
    EXPECT_EQ(error, "The setup already writes this registry entry.");
    EXPECT_EQ(Records(project).size(), 1u);

    // The same entry read back from a saved project (five systems) is the same.
    auto padded = NewRegistryEntry();
    ASSERT_EQ(Typed("Software\\X", "V", "1").Apply(*padded), "");
    padded->SetOsMask("11111");
    EXPECT_EQ(AddRegistryEntry(project, std::move(padded), error), nullptr);

    // Another value of the same key is a new entry.
    EXPECT_NE(Add(Typed("Software\\X", "V", "2")), nullptr);

    // A component that is not part of the setup does not count; one that is does.
    WSetupComponent* other = project.Components()->Add("Other", 0);
    auto inOther = NewRegistryEntry();
    ASSERT_EQ(Typed("Software\\O", "", "").Apply(*inOther), "");
    other->AddElement(std::move(inOther));
    auto copy = NewRegistryEntry();
    ASSERT_EQ(Typed("Software\\O", "", "").Apply(*copy), "");
    auto copy2 = std::make_unique<WSetupRegEntry>(*copy);
    other->Select(WSetupComponent::kSelected);
    EXPECT_EQ(AddRegistryEntry(project, std::move(copy), error), nullptr);
    other->Select(WSetupComponent::kNotSelected);
    EXPECT_NE(AddRegistryEntry(project, std::move(copy2), error), nullptr);
}

TEST_F(RegistryEntryActions, ModifyRefusesADuplicateButNotTheEntryItself) {
    WSetupRegEntry* x = Add(Typed("Software\\X", "V", "1"));
    WSetupRegEntry* y = Add(Typed("Software\\Y", "V", "1"));
    ASSERT_TRUE(x && y);
    WSetupRegEntry trial(*y);
    ASSERT_EQ(Typed("Software\\X", "V", "1").Apply(trial, false), "");
    EXPECT_EQ(CheckChangedRegistryEntry(project, y, trial), kDuplicateEntryMessage);
    EXPECT_EQ(CheckChangedRegistryEntry(project, x, trial), "");
    EXPECT_EQ(CheckChangedRegistryEntry(project, y, *y), "");
}

TEST_F(RegistryEntryActions, SaveAndReopenKeepTheEntries) {
    Add(Typed("Software\\X", "V", "1"));
    WRegistryKeyProperties path = Typed("Software\\Oxbel\\App", "Dir", "<Target Folder>\\bin");
    path.rootKey = 1;
    path.systems = {true, true, false, false};
    Add(path)->SetUninstall(0);
    std::vector<std::string> before = Records(project);
    ASSERT_TRUE(WriteProjectFile(project, dir / "p.zlt"));

    WProjectData reopened;
    reopened.SetInstallLocationOverride(dir / "install");
    reopened.Reset();
    ASSERT_TRUE(OpenProjectFile(reopened, dir / "p.zlt"));
    // Reading a record pads the four systems of the dialog with a fifth.
    for (std::string& r : before)
        r = ReplaceAll(r, ",1111,", ",11111,");
    before[1] = ReplaceAll(before[1], ",1100,", ",11001,");
    EXPECT_EQ(Records(reopened), before);
    auto entries = RegistryEntries(reopened);
    ASSERT_EQ(entries.size(), 2u);
    WRegistryKeyProperties shown = WRegistryKeyProperties::Load(*entries[1]);
    EXPECT_EQ(shown.value, "<Target Folder>\\bin");
    EXPECT_EQ(shown.RootKeyText(), "HKEY_CURRENT_USER");
    EXPECT_EQ(entries[1]->GetUninstall(), 0);
}

TEST_F(RegistryEntryActions, EditorIsLookedForInTheWindowsFolder) {
    // A Windows folder of this host: its own editor.
    const std::string windows = dir / "win";
    ASSERT_TRUE(MakeFolders(windows));
    dir.Write("win/REGEDIT.EXE", "MZ");
    ASSERT_TRUE(TheRegistry().SetString(Hive::LocalMachine,
                                        "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                        "SystemRoot", windows));
    ReloadSystemFolders();
    EXPECT_EQ(RegistryEditorPath(), dir / "win/REGEDIT.EXE");

    // Merging a file runs it silently on the file and waits for it; an
    // editor that cannot run says why.
    std::string why;
    ASSERT_TRUE(RemoveFile(dir / "win/REGEDIT.EXE"));
    EXPECT_FALSE(MergeRegFile(dir / "keys.reg", &why));
    EXPECT_NE(why, "");
    const std::string editor =
        dir.Write("win/REGEDIT.EXE", "#!/bin/sh\necho \"$@\" > \"$0.args\"\n");
    ASSERT_TRUE(SetFilePermissions(editor, 0755));
    EXPECT_TRUE(MergeRegFile(dir / "keys.reg", &why)) << why;
    EXPECT_EQ(why, "");
    EXPECT_EQ(dir.Read("win/REGEDIT.EXE.args"), "/S " + (dir / "keys.reg") + "\n");
    ASSERT_TRUE(TheRegistry().DeleteValue(
        Hive::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot"));
    ReloadSystemFolders();
}

}  // namespace
}  // namespace vantrel
