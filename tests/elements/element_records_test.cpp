// The record layouts of the seventeen element types: what new elements
// write, what reading keeps, and the rules particular to single types.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "elements/element_classes.h"

namespace vantrel {
namespace {

const std::string kOnes32(32, '1');
const std::string kSel = "10" + std::string(30, '1');

size_t Commas(const std::string& s) {
    return std::count(s.begin(), s.end(), ',');
}

struct TypeCase {
    int code;
    size_t fields;
    std::string fresh;  // record of a new element
    std::string full;   // a record that reads and writes back unchanged
};

const TypeCase kTypes[] = {
    {0, 7, ",<D>,,11111,,0,644,", "Comp,<W>,old.ini,10101," + kSel + ",1,600,"},
    {1, 10, ",<D>,,11111,100000,1,1,,0,644,",
     "Comp,<D>\\Data,Data,11110,001000,0,1," + kSel + ",1,755,"},
    {2, 20, ",<S>,,<D>,,0,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,,",
     "Comp,<S>,fonts\\x.ttf,<F>,x.ttf,4096,000100,2,11111,100,|||7,0,1,0," + kSel +
         ",1,1,0,644,X Sans,"},
    {3, 12, ",<D>,,Section,Key,,11111,,1,1,,0,",
     "Comp,<W>,win.ini,Windows,Load,app.exe,01111,old,0,1," + kSel + ",1,"},
    {4, 9, ",<D>,,Search,Replace,11111,1,,0,",
     "Comp,<D>,app.cfg,@PATH@,<D>\\bin,11100,0," + kSel + ",1,"},
    {5, 7, ",<D>,,11111,,0,644,", "Comp,<D>,app.reg,11111," + kSel + ",1,644,"},
    {6, 16, ",,,<D>,,11111,0,,,,,0,1,,0,644,",
     "Comp,<O>\\My App,Shortcut to App,<D>,app.exe,11111,1,-x,<D>,<D>\\app.ico,icon2,3,0," + kSel +
         ",1,700,"},
    {7, 10, ",<D>,,,11111,1,1,,0,644,", "Comp,<D>,setup.exe,/q,11111,3,0," + kSel + ",0,755,"},
    {8, 9, ",<D>,,,11111,1,,0,0,", "Comp,<D>,custom.dll,arg text,11111,0," + kSel + ",1,1,"},
    {9, 8, ",<D>,,11111,1,,0,644,", "Comp,<Y>,rt.dll,11111,0," + kSel + ",1,640,"},
    {10, 8, ",,,11111,0,,,0,",
     "Comp,HKEY_LOCAL_MACHINE\\Software\\A,HKEY_CURRENT_USER\\Software\\A,11111,1,VALUE," + kSel +
         ",0,"},
    {11, 7, ",<D>,,11111,1,,0,", "Comp,<W>,junk.tmp,11111,0," + kSel + ",1,"},
    {12, 8, ",<D>,,11111,1,,0,644,", "Comp,<Y>,ctl.ocx,11011,1," + kSel + ",0,600,"},
    {13, 19, ",<S>,,<D>,,0,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,",
     "Comp,<S>,bin\\app.exe,<D>,app.exe,123456789012,010100,3,11111,110,|||42,0,0,1," + kSel +
         ",1,0,1,750,"},
    {14, 8, ",<D>,,,11111,1,,0,", "Comp,<D>,cleanup.exe,/u,11111,4," + kSel + ",1,"},
    {15, 7, ",<D>,,,11111,,0,", "Comp,<D>,custom.dll,bye,00011," + kSel + ",0,"},
    {16, 13, ",,,,,,11111,1,0,,0,,0,",
     "Comp,HKEY_CLASSES_ROOT,.abc,,App.Document,String,11111,0,1," + kSel + ",0,prev,1,"},
};

TEST(ElementRecords, LayoutsOfEveryType) {
    for (const auto& t : kTypes) {
        SCOPED_TRACE(ElementTypeName(t.code));
        auto fresh = CreateElement(t.code);
        EXPECT_EQ(fresh->WriteRecord(), t.fresh);
        EXPECT_EQ(Commas(t.fresh), t.fields);
        EXPECT_EQ(Commas(t.full), t.fields);

        auto read = CreateElement(t.code, t.full, false);
        EXPECT_TRUE(read->ReadRecord(t.full, false));
        EXPECT_EQ(read->WriteRecord(), t.full);
        EXPECT_EQ(read->GetTag(), "Comp");
        EXPECT_EQ(read->GetSelectMask(), kSel);

        // Reading what a new element writes only pads its masks, and then stays put.
        auto again = CreateElement(t.code, t.fresh, false);
        std::string once = again->WriteRecord();
        EXPECT_EQ(once.size(), t.fresh.size() + 32);  // the empty SelectMask became 32 ones
        EXPECT_EQ(CreateElement(t.code, once, false)->WriteRecord(), once);

        // A copy writes the same record.
        EXPECT_EQ(read->Clone()->WriteRecord(), t.full);
    }
}

TEST(ElementRecords, MalformedFieldsAreReported) {
    const struct {
        int code;
        std::string record;
    } bad[] = {
        {13, "P,<S>,a,<D>,a,1,100000,never,11111,0,,0,1,1,,0,0,0,644,"},  // Overwrite
        {13, "P,<S>,a,<D>,a,1,1x0000,1,11111,0,,0,1,1,,0,0,0,644,"},      // Attributes
        {6, "P,f,n,<D>,a,11111,0,,,,,one,1,,0,644,"},                     // IconIndex
        {7, "P,<D>,a,,11111,1,maybe,,0,644,"},                            // Uninstall flag
        {16, "P,HKEY_USERS,k,v,d,String,11111,1,1,,0,,2,"},               // RestorePrevious
        {9, "P,<D>,a,11111,1,,0,888,"},                                   // Mode
    };
    for (const auto& b : bad) {
        auto e = CreateElement(b.code);
        EXPECT_FALSE(e->ReadRecord(b.record, false)) << b.record;
    }
    // Short records are not malformed: missing fields take their defaults.
    for (const auto& t : kTypes) {
        EXPECT_TRUE(CreateElement(t.code)->ReadRecord("Comp,", false)) << t.code;
    }
}

TEST(ElementRecords, ReadingClearsOrKeepsFieldsOutsideTheRecord) {
    // Types whose reading empties SourceDir, and the registry types that
    // carry no TargetDir and empty it too.
    const struct {
        int code;
        bool clearsSourceDir;
    } cases[] = {
        {kElementDir, false},      {kElementRuntimeFile, true},     {kElementRegistryKeys, true},
        {kElementShortcut, true},  {kElementRuntimeRegEntry, true}, {kElementCustFile, true},
        {kElementProfile, true},   {kElementRegFile, false},        {kElementExecute, false},
        {kElementBackFile, false}, {kElementUninstallDll, false},
    };
    for (const auto& c : cases) {
        auto e = CreateElement(c.code);
        e->SetSourceDir("<X>");
        e->SetTargetDir("<T>");
        e->SetSourceName("kept.txt");
        e->SetNote("a note");
        e->ReadRecord("Comp", false);
        EXPECT_EQ(e->GetSourceDir().empty(), c.clearsSourceDir) << c.code;
        if (c.code == kElementRegistryKeys || c.code == kElementRuntimeRegEntry) {
            EXPECT_EQ(e->GetTargetDir(), "") << c.code;
        }
        EXPECT_EQ(e->GetSourceName(), "kept.txt") << c.code;
        EXPECT_EQ(e->GetNote(), "a note");
    }
    WSetupRuntimeFile rt;
    rt.SetUninstall(0);
    rt.ReadRecord("Comp,<Y>,rt.dll,11111,0,,0,644,", false);
    EXPECT_EQ(rt.GetUninstall(), 1);
    EXPECT_EQ(rt.GetRuntimeOption(), 0);
}

TEST(FileElement, NewFileRecordAndInstalledForm) {
    WSetupFile f;
    f.SetSourceName("a.txt");
    f.SetTargetName("a.txt");
    f.SetSize(1234);
    EXPECT_EQ(f.GetTypeCode(), kElementFile);
    EXPECT_EQ(f.WriteRecord(), ",<S>,a.txt,<D>,a.txt,1234,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,");
    f.SetTag("Program_files");
    f.SetSelectMask(kOnes32);
    f.SetFileFlag1(1);
    f.SetFileFlag2(1);
    std::string installed = f.GetInstalledRecord();
    EXPECT_EQ(installed, "Program_files,,,<D>,a.txt,1234,100000,1,11111,0,|||0,1,1,1,,,,1,");
    EXPECT_EQ(Commas(installed), 18u);
    // Other types have no installed form.
    EXPECT_EQ(WSetupDir().GetInstalledRecord(), "");
}

TEST(FileElement, AttributesAndSavedCopies) {
    const struct {
        const char* field;
        const char* attributes;
    } cases[] = {
        {"1", "100000"},      {"01", "010000"},       {"", "100000"},
        {"000001", "000001"}, {"0100001", "0100001"},
    };
    for (const auto& c : cases) {
        WSetupFile f(std::string("P,<S>,a,<D>,a,1,") + c.field + ",1,11111,0,,0,1,1,,0,0,0,644,",
                     false);
        EXPECT_EQ(f.GetAttributes(), c.attributes) << c.field;
        EXPECT_EQ(f.GetSavedAttributes(), c.field);  // taken before padding
    }
    WSetupFile f("P,<S>,src\\a.txt,<D>,a.txt,99.9,,,,,,,,,,,,,,", false);
    EXPECT_EQ(f.GetSavedSourceName(), "src\\a.txt");
    EXPECT_EQ(f.GetSize(), 99);
    // Empty flags read as 1, empty numbers as 0.
    EXPECT_EQ(f.GetUninstall(), 1);
    EXPECT_EQ(f.GetRemoveOnUninstall(), 1);
    EXPECT_EQ(f.GetAuxFlag(), 1);
    EXPECT_EQ(f.GetFileFlag1(), 1);
    EXPECT_EQ(f.GetFileFlag2(), 1);
    EXPECT_EQ(f.GetOverwrite(), 0);
    EXPECT_EQ(f.GetExtraValue(), 0);
    EXPECT_EQ(f.GetCheckValue(), "");
    EXPECT_EQ(f.GetMode(), 0644);
}

TEST(FileElement, ResidualTargetFolders) {
    const struct {
        const char* dir;
        int residual;
    } cases[] = {
        {"<WR>", 1}, {"<W>", 0}, {"<wr>\\sub", 1}, {"<DR2>", 1}, {"<D>", 0}, {"", 0},
    };
    for (const auto& c : cases) {
        WSetupFile f(std::string("P,<S>,a,") + c.dir + ",a,1,100000,1,11111,0,,0,1,1,,0,0,0,644,",
                     false);
        EXPECT_EQ(f.GetResidualTarget(), c.residual) << c.dir;
    }
}

TEST(FileElement, FontRecordsWithAndWithoutMode) {
    const std::string head =
        "P,<S>,arial.ttf,<F>,arial.ttf,100,100000,1,11111,0,,0,1,1," + kOnes32 + ",0,0,0,";
    // 19 fields: the last is the face name and Mode keeps 644.
    WSetupTTFFile short19(head + "Arial,", false);
    EXPECT_EQ(short19.GetTypefaceName(), "Arial");
    EXPECT_EQ(short19.GetMode(), 0644);
    WSetupTTFFile noComma(head + "Arial", false);
    EXPECT_EQ(noComma.GetTypefaceName(), "Arial");
    // 20 fields: the Mode field is passed over.
    WSetupTTFFile full(head + "755,Arial Bold,", false);
    EXPECT_EQ(full.GetTypefaceName(), "Arial Bold");
    EXPECT_EQ(full.GetMode(), 0644);
    EXPECT_EQ(full.WriteRecord(), head + "644,Arial Bold,");
    // Fields beyond the face name are ignored.
    WSetupTTFFile extra(head + "644,Arial,junk,", false);
    EXPECT_EQ(extra.GetTypefaceName(), "Arial");
    // 18 fields: no face name.
    WSetupTTFFile none(head, false);
    EXPECT_EQ(none.GetTypefaceName(), "");
    EXPECT_EQ(full.GetTypeCode(), kElementTTFFile);
    EXPECT_EQ(full.GetCheckValue(), "");
}

TEST(RegistryElements, EntryPreparedByThePage) {
    WSetupRegEntry e;
    EXPECT_EQ(e.GetRestorePrevious(), 0);
    e.SetRemoveSubkeys(1);
    e.SetRestorePrevious(0);
    e.SetSelectMask(kOnes32);
    e.SetUninstall(1);
    e.SetRootKey("HKEY_LOCAL_MACHINE");
    e.SetKeyPath("Software\\X");
    e.SetValueName("V");
    e.SetValueData("1");
    e.SetValueType("String");
    e.SetOsMask("1111");
    const std::string rec =
        ",HKEY_LOCAL_MACHINE,Software\\X,V,1,String,1111,1,1," + kOnes32 + ",0,,0,";
    EXPECT_EQ(e.WriteRecord(), rec);

    WSetupRegEntry back(rec, false);
    EXPECT_EQ(back.GetOsMask(), "11111");
    EXPECT_EQ(back.GetRootKey(), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(back.GetRestorePrevious(), 0);
    // An empty RestorePrevious field reads as 1.
    WSetupRegEntry empty(",HKEY_USERS,k,v,d,String,11111,1,1," + kOnes32 + ",0,,,", false);
    EXPECT_EQ(empty.GetRestorePrevious(), 1);
}

TEST(RegistryElements, RegFileIgnoresItsModeField) {
    WSetupRegFile f("P,<D>,app.reg,11111," + kOnes32 + ",0,600,", false);
    EXPECT_EQ(f.GetMode(), 0644);
    EXPECT_EQ(f.WriteRecord(), "P,<D>,app.reg,11111," + kOnes32 + ",0,644,");
    WSetupSelfRegFile s("P,<Y>,x.ocx,11111,1," + kOnes32 + ",0,600,", false);
    EXPECT_EQ(s.GetMode(), 0600);
}

TEST(ProgramElements, ShortcutOfThePage) {
    WSetupShortcut s;
    s.SetShortcutFolder("<O>\\My App");
    s.SetShortcutName("Shortcut to App");
    s.SetTargetName("app.exe");
    s.SetSourceName("app.exe");
    s.SetSelectMask(kOnes32);
    const std::string rec =
        ",<O>\\My App,Shortcut to App,<D>,app.exe,11111,0,,,,,0,1," + kOnes32 + ",0,644,";
    EXPECT_EQ(s.WriteRecord(), rec);
    WSetupShortcut back(rec, false);
    EXPECT_EQ(back.GetShortcutFolder(), "<O>\\My App");
    EXPECT_EQ(back.GetShortcutFlag(), 0);
    EXPECT_EQ(back.GetSourceDir(), "");
    EXPECT_EQ(back.WriteRecord(), rec);
}

TEST(CustomisationElements, RecordsOfThePage) {
    WSetupCustFile c;
    c.SetTargetName("app.ini");
    c.SetSelectMask(kOnes32);
    EXPECT_EQ(c.WriteRecord(), ",<D>,app.ini,Search,Replace,11111,1," + kOnes32 + ",0,");

    WSetupProfileString p;
    p.SetTargetDir("<W>");
    p.SetTargetName("win.ini");
    p.SetSection("S");
    p.SetKey("K");
    p.SetValue("1");
    p.SetRestorePrevious(0);
    p.SetSelectMask(kOnes32);
    const std::string rec = ",<W>,win.ini,S,K,1,11111,,1,0," + kOnes32 + ",0,";
    EXPECT_EQ(p.WriteRecord(), rec);
    EXPECT_EQ(WSetupProfileString(rec, false).GetRestorePrevious(), 0);
    WSetupProfileString empty(",<W>,win.ini,S,K,1,11111,,1,," + kOnes32 + ",0,", false);
    EXPECT_EQ(empty.GetRestorePrevious(), 1);
}

}  // namespace
}  // namespace vantrel
