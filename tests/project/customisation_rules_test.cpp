#include "project/customisation_rules.h"

#include "elements/setup_file.h"
#include "platform/files.h"
#include "platform/strings.h"
#include "project/ini_entry_properties.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/text_replacement_properties.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kAllSelected(32, '1');

WSetupFile FileAt(const std::string& dir, const std::string& name) {
    WSetupFile f;
    f.SetTargetDir(dir);
    f.SetTargetName(name);
    return f;
}

WIniEntryProperties Ini(const std::string& section, const std::string& key,
                        const std::string& value) {
    WIniEntryProperties p = WIniEntryProperties::Load(*NewIniEntry(FileAt("<D>", "app.ini")));
    p.section = section;
    p.key = key;
    p.value = value;
    return p;
}

WTextReplacementProperties Replace(const std::string& search, const std::string& replace) {
    WTextReplacementProperties p =
        WTextReplacementProperties::Load(*NewTextReplacement(FileAt("<D>", "readme.txt")));
    p.search = search;
    p.replace = replace;
    return p;
}

constexpr const char* kNoSystem = "You have not specified any target Operating Systems.";
constexpr const char* kIniMissing =
    "You Must enter a Section, Key and Value to modify in your INI file.";
constexpr const char* kBrackets = "You should not enter either '[' or ']' in you section name.";
constexpr const char* kReplaceMissing =
    "You Must enter a Search and Replace string to be modified in your text file.";

TEST(IniEntryDialog, SystemsAreCheckedFirst) {
    WIniEntryProperties p = Ini("", "", "");
    p.systems = {false, false, false, false};
    EXPECT_EQ(p.Check(), kNoSystem);
    p = Ini("S", "K", "1");
    p.systems = {false, false, true, false};
    auto entry = NewIniEntry(FileAt("<W>", "win.ini"));
    ASSERT_EQ(p.Apply(*entry), "");
    EXPECT_EQ(entry->GetOsMask(), "0010");
    EXPECT_EQ(WIniEntryProperties::Load(*entry).systems,
              (TargetSystems{false, false, true, false}));
}

TEST(IniEntryDialog, SectionKeyAndValueAreAllNeeded) {
    EXPECT_EQ(Ini("", "K", "1").Check(), kIniMissing);
    EXPECT_EQ(Ini("S", "", "1").Check(), kIniMissing);
    EXPECT_EQ(Ini("S", "K", "").Check(), kIniMissing);
    // An empty text outranks the brackets.
    EXPECT_EQ(Ini("[Boot]", "", "1").Check(), kIniMissing);
    EXPECT_EQ(Ini("S", "K", "1").Check(), "");
}

TEST(IniEntryDialog, SectionWithoutBrackets) {
    EXPECT_EQ(Ini("[Boot]", "K", "1").Check(), kBrackets);
    EXPECT_EQ(Ini("Boot]", "K", "1").Check(), kBrackets);
    EXPECT_EQ(Ini("Bo[ot", "K", "1").Check(), kBrackets);
    // Brackets in the key or value are the file's business.
    EXPECT_EQ(Ini("Boot", "[K]", "[1]").Check(), "");
}

TEST(IniEntryDialog, TextsARecordCannotHoldAreRefusedUnchanged) {
    EXPECT_EQ(Ini("A,B", "K", "1").Check(), "The section cannot contain a comma or a line break.");
    EXPECT_EQ(Ini("S", "K\nL", "1").Check(), "The key cannot contain a comma or a line break.");
    EXPECT_EQ(Ini("S", "K", "1,2").Check(), "The value cannot contain a comma or a line break.");
    auto entry = NewIniEntry(FileAt("<D>", "app.ini"));
    const std::string before = entry->WriteRecord();
    EXPECT_NE(Ini("S", "K", "1,2").Apply(*entry), "");
    EXPECT_EQ(entry->WriteRecord(), before);
}

TEST(TextReplacementDialog, Checks) {
    WTextReplacementProperties p = Replace("", "");
    p.systems = {false, false, false, false};
    EXPECT_EQ(p.Check(), kNoSystem);
    EXPECT_EQ(Replace("", "x").Check(), kReplaceMissing);
    EXPECT_EQ(Replace("x", "").Check(), kReplaceMissing);
    EXPECT_EQ(Replace("a,b", "x").Check(),
              "The search text cannot contain a comma or a line break.");
    EXPECT_EQ(Replace("x", "a\r\nb").Check(),
              "The replacement cannot contain a comma or a line break.");
    EXPECT_EQ(Replace("[x]", "<Windows Folder>").Check(), "");
}

TEST(TextReplacementDialog, StoresBothTextsShortAndTheFourSystems) {
    auto entry = NewTextReplacement(FileAt("<D>", "readme.txt"));
    WTextReplacementProperties shown = WTextReplacementProperties::Load(*entry);
    EXPECT_EQ(shown.search, "Find Text");
    EXPECT_EQ(shown.replace, "<Target Folder>");
    EXPECT_EQ(shown.file, "<Target Folder>\\readme.txt");
    WTextReplacementProperties p = Replace("<Windows Folder>", "<Target Folder>\\bin");
    p.systems = {true, true, false, false};
    ASSERT_EQ(p.Apply(*entry), "");
    EXPECT_EQ(entry->GetSearchText(), "<W>");
    EXPECT_EQ(entry->GetReplaceText(), "<D>\\bin");
    EXPECT_EQ(entry->GetOsMask(), "1100");
    const std::string before = entry->WriteRecord();
    EXPECT_EQ(Replace("", "x").Apply(*entry), kReplaceMissing);
    EXPECT_EQ(entry->WriteRecord(), before);
}

// A project with two installed files whose records in comp.kvz are the test.
class CustomisationActions : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
        project.SetInstallLocationOverride(dir / "install");
        project.Reset();
        WSetupComponent* files = project.ProgramFilesComponent();
        ASSERT_NE(files, nullptr);
        appIni = files->AddElement(std::make_unique<WSetupFile>(FileAt("<D>", "app.ini")));
        readme = files->AddElement(std::make_unique<WSetupFile>(FileAt("<D>", "doc\\readme.txt")));
    }

    WSetupProfileString* AddIni(const WIniEntryProperties& p, const WSetupElement* file) {
        auto entry = NewIniEntry(*file);
        EXPECT_EQ(p.Apply(*entry), "");
        std::string error;
        WSetupProfileString* added = AddIniEntry(project, std::move(entry), error);
        EXPECT_EQ(error, added ? "" : kEntryExistsMessage);
        return added;
    }

    WSetupCustFile* AddReplace(const WTextReplacementProperties& p, const WSetupElement* file) {
        auto entry = NewTextReplacement(*file);
        EXPECT_EQ(p.Apply(*entry), "");
        std::string error;
        WSetupCustFile* added = AddTextReplacement(project, std::move(entry), error);
        EXPECT_EQ(error, added ? "" : kEntryExistsMessage);
        return added;
    }

    // The records of comp.kvz under the sections whose names start with `prefix`.
    std::vector<std::string> Records(WProjectData& p, const std::string& prefix) {
        EXPECT_TRUE(p.Components()->WriteComponentScripts(dir / "out"));
        std::string comp = dir.Read("out/comp.kvz");
        std::vector<std::string> lines;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.rfind("[" + prefix, 0) == 0;
            else if (inside && !line.empty())
                lines.push_back(line);
        }
        return lines;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    WSetupElement* appIni = nullptr;
    WSetupElement* readme = nullptr;
};

TEST_F(CustomisationActions, ListsOfferTheProjectsFiles) {
    EXPECT_EQ(CustomisableFiles(project), (std::vector<WSetupElement*>{appIni, readme}));
    std::string error;
    EXPECT_EQ(FindCustomisableFile(project, "<Target Folder>\\doc\\readme.txt", error), readme);
    EXPECT_EQ(FindCustomisableFile(project, "<d>/DOC/readme.TXT", error), readme);
    EXPECT_EQ(FindCustomisableFile(project, "app.ini", error), appIni);
    EXPECT_EQ(FindCustomisableFile(project, "other.ini", error), nullptr);
    EXPECT_EQ(error, "the project installs no file other.ini");
    project.ProgramFilesComponent()->AddElement(
        std::make_unique<WSetupFile>(FileAt("<W>", "app.ini")));
    EXPECT_EQ(FindCustomisableFile(project, "app.ini", error), nullptr);
    EXPECT_EQ(
        error,
        "several files are named app.ini: <Target Folder>\\app.ini, <Windows Folder>\\app.ini");
    EXPECT_EQ(FindCustomisableFile(project, "<W>\\app.ini", error)->GetTargetDir(), "<W>");
}

TEST_F(CustomisationActions, NewEntriesUnchangedWriteTheirDefaultRecords) {
    ASSERT_NE(AddReplace(WTextReplacementProperties::Load(*NewTextReplacement(*readme)), readme),
              nullptr);
    EXPECT_EQ(Records(project, "CustFile"),
              std::vector<std::string>{"Program_files,<D>,doc\\readme.txt,Find Text,<D>,1111,1," +
                                       kAllSelected + ",0,"});
    ASSERT_NE(AddIni(WIniEntryProperties::Load(*NewIniEntry(*appIni)), appIni), nullptr);
    EXPECT_EQ(Records(project, "Profle"),
              std::vector<std::string>{"Program_files,<D>,app.ini,Section,Key,Value,1111,,1,0," +
                                       kAllSelected + ",0,"});
}

TEST_F(CustomisationActions, AddModifyRemoveWriteTheRecords) {
    WSetupProfileString* a = AddIni(Ini("S", "K", "1"), appIni);
    WIniEntryProperties only98 = Ini("Paths", "Home", "<Target Folder>");
    only98.systems = {false, false, true, false};
    WSetupProfileString* b = AddIni(only98, appIni);
    WSetupCustFile* r = AddReplace(Replace("@DIR@", "<Target Folder>"), readme);
    ASSERT_TRUE(a && b && r);
    EXPECT_EQ(IniEntries(project), (std::vector<WSetupProfileString*>{a, b}));
    EXPECT_EQ(TextReplacements(project), std::vector<WSetupCustFile*>{r});
    const std::string recordA = "Program_files,<D>,app.ini,S,K,1,1111,,1,0," + kAllSelected + ",0,";
    const std::string recordB =
        "Program_files,<D>,app.ini,Paths,Home,<D>,0010,,1,0," + kAllSelected + ",0,";
    EXPECT_EQ(Records(project, "Profle"), (std::vector<std::string>{recordA, recordB}));
    EXPECT_EQ(Records(project, "CustFile"),
              std::vector<std::string>{"Program_files,<D>,doc\\readme.txt,@DIR@,<D>,1111,1," +
                                       kAllSelected + ",0,"});

    // Modify in place.
    WIniEntryProperties p = WIniEntryProperties::Load(*a);
    p.value = "2";
    ASSERT_EQ(p.Apply(*a), "");
    CustomisationChanged(project);
    const std::string recordA2 = ReplaceAll(recordA, ",K,1,", ",K,2,");
    EXPECT_EQ(Records(project, "Profle"), (std::vector<std::string>{recordA2, recordB}));
    // The old value is free again.
    WSetupProfileString* again = AddIni(Ini("S", "K2", "1"), appIni);
    ASSERT_NE(again, nullptr);

    EXPECT_TRUE(RemoveCustomisation(project, a));
    EXPECT_FALSE(RemoveCustomisation(project, a));
    EXPECT_TRUE(RemoveCustomisation(project, r));
    EXPECT_EQ(Records(project, "Profle").front(), recordB);
    EXPECT_TRUE(Records(project, "CustFile").empty());
}

TEST_F(CustomisationActions, DuplicatesAreRefused) {
    ASSERT_NE(AddIni(Ini("S", "K", "1"), appIni), nullptr);
    // The same section and key of the same file, whatever the value.
    EXPECT_EQ(AddIni(Ini("S", "K", "2"), appIni), nullptr);
    // Exact comparison: another case, another key, another file are new entries.
    EXPECT_NE(AddIni(Ini("s", "K", "1"), appIni), nullptr);
    EXPECT_NE(AddIni(Ini("S", "K2", "1"), appIni), nullptr);
    EXPECT_NE(AddIni(Ini("S", "K", "1"), readme), nullptr);
    EXPECT_EQ(IniEntries(project).size(), 4u);

    ASSERT_NE(AddReplace(Replace("a", "b"), readme), nullptr);
    EXPECT_EQ(AddReplace(Replace("a", "b"), readme), nullptr);
    WTextReplacementProperties otherSystems = Replace("a", "b");
    otherSystems.systems = {true, false, false, false};
    EXPECT_EQ(AddReplace(otherSystems, readme), nullptr);
    EXPECT_NE(AddReplace(Replace("a", "c"), readme), nullptr);
    EXPECT_NE(AddReplace(Replace("a", "b"), appIni), nullptr);
    EXPECT_EQ(TextReplacements(project).size(), 3u);
}

TEST_F(CustomisationActions, ModifyRefusesWhatAddRefusesButTheEntryItself) {
    WSetupProfileString* first = AddIni(Ini("S", "K", "1"), appIni);
    WSetupProfileString* second = AddIni(Ini("S", "K2", "1"), appIni);
    ASSERT_TRUE(first && second);
    auto changedTo = [&](const WSetupProfileString& entry, const WIniEntryProperties& p) {
        WSetupProfileString trial(entry);
        EXPECT_EQ(p.Apply(trial), "");
        return trial;
    };
    EXPECT_EQ(CheckChangedIniEntry(project, second, changedTo(*second, Ini("S", "K", "9"))),
              kEntryExistsMessage);
    EXPECT_EQ(CheckChangedIniEntry(project, second, changedTo(*second, Ini("S", "K2", "9"))), "");
    EXPECT_EQ(CheckChangedIniEntry(project, first, changedTo(*first, Ini("S", "K", "1"))), "");
    // As a new entry it duplicates the first.
    EXPECT_EQ(CheckChangedIniEntry(project, nullptr, *first), kEntryExistsMessage);

    WSetupCustFile* a = AddReplace(Replace("a", "b"), readme);
    WSetupCustFile* c = AddReplace(Replace("c", "d"), readme);
    ASSERT_TRUE(a && c);
    WSetupCustFile trial(*c);
    ASSERT_EQ(Replace("a", "b").Apply(trial), "");
    EXPECT_EQ(CheckChangedTextReplacement(project, c, trial), kEntryExistsMessage);
    EXPECT_EQ(CheckChangedTextReplacement(project, a, trial), "");
}

TEST_F(CustomisationActions, ARecordAnotherComponentHoldsIsRefused) {
    // Reading the saved project would merge the two into the other's element.
    WSetupComponent* other = project.Components()->Add("Other", 0);
    auto held = NewIniEntry(*appIni);
    ASSERT_EQ(Ini("S", "K", "1").Apply(*held), "");
    held->SetOsMask("11111");
    other->AddElement(std::move(held));
    EXPECT_EQ(AddIni(Ini("S", "K", "1"), appIni), nullptr);
    EXPECT_TRUE(IniEntries(project).empty());
    EXPECT_NE(AddIni(Ini("S", "K", "other"), appIni), nullptr);
}

TEST_F(CustomisationActions, SaveAndReopenKeepTheEntries) {
    AddIni(Ini("S", "K", "<Windows Folder>"), appIni);
    WTextReplacementProperties r = Replace("Find Text", "<Target Folder>");
    r.systems = {false, true, false, true};
    AddReplace(r, readme)->SetUninstall(0);
    std::vector<std::string> ini = Records(project, "Profle");
    std::vector<std::string> text = Records(project, "CustFile");
    ASSERT_TRUE(WriteProjectFile(project, dir / "p.zlt"));

    WProjectData reopened;
    reopened.SetInstallLocationOverride(dir / "install");
    reopened.Reset();
    ASSERT_TRUE(OpenProjectFile(reopened, dir / "p.zlt"));
    // Reading a record pads the four systems of the dialogs with a fifth.
    EXPECT_EQ(Records(reopened, "Profle"),
              std::vector<std::string>{ReplaceAll(ini[0], ",1111,", ",11111,")});
    EXPECT_EQ(Records(reopened, "CustFile"),
              std::vector<std::string>{ReplaceAll(text[0], ",0101,", ",01011,")});
    ASSERT_EQ(TextReplacements(reopened).size(), 1u);
    EXPECT_EQ(WTextReplacementProperties::Load(*TextReplacements(reopened)[0]).replace,
              "<Target Folder>");
    EXPECT_EQ(WIniEntryProperties::Load(*IniEntries(reopened)[0]).value, "<Windows Folder>");
}

}  // namespace
}  // namespace vantrel
