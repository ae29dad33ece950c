#include "elements/setup_element.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "elements/element_classes.h"

namespace vantrel {
namespace {

const std::string kOnes32(32, '1');

// ScriptStringMap is shared by the whole process; every test starts and ends empty.
class StringRefs : public ::testing::Test {
  protected:
    void SetUp() override { ScriptStringMap().Clear(); }
    void TearDown() override { ScriptStringMap().Clear(); }
};

TEST(SetupElementBase, NewElementRecordAndReadBack) {
    WSetupElement e;
    EXPECT_EQ(e.GetTypeCode(), -1);
    EXPECT_EQ(e.GetStatus(), -1);
    const std::string fresh = ",<S>,,<D>,,0.000000,11111,1,,0,644,";
    EXPECT_EQ(e.WriteRecord(), fresh);
    EXPECT_EQ(e.GetScriptLine(), fresh);
    EXPECT_EQ(e.GetInstalledRecord(), "");

    // Reading pads the empty SelectMask; AuxFlag "0" stays 0.
    WSetupElement back(fresh, false);
    EXPECT_EQ(back.WriteRecord(), ",<S>,,<D>,,0.000000,11111,1," + kOnes32 + ",0,644,");
    EXPECT_EQ(back.GetAuxFlag(), 0);

    // An empty tenth field reads AuxFlag as 1; a fraction of Size is lost.
    WSetupElement aux("T,a,b,c,d,12.75,11111,1,,,644,", false);
    EXPECT_EQ(aux.GetAuxFlag(), 1);
    EXPECT_EQ(aux.GetSize(), 12);
    EXPECT_EQ(aux.GetTag(), "T");
}

TEST(SetupElementBase, FlagFields) {
    struct Case {
        const char* field;
        int before;
        int after;
        bool wellFormed;
    };
    const Case cases[] = {
        {"", 0, 1, true},     {"1", 0, 1, true},    {"0", 1, 0, true},
        {"yes", 0, 0, false}, {"yes", 1, 1, false}, {" 1", 0, 0, false},
    };
    for (const auto& c : cases) {
        RecordReader r(c.field, false);
        int flag = c.before;
        r.ReadFlag(flag);
        EXPECT_EQ(flag, c.after) << '"' << c.field << '"';
        EXPECT_EQ(!r.Malformed(), c.wellFormed) << '"' << c.field << '"';
    }
}

TEST(SetupElementBase, OctalModeAndNumbers) {
    struct Case {
        const char* record;
        int mode;
        bool wellFormed;
    };
    const Case cases[] = {
        {",,,,,0,11111,1,,0,755,", 0755, true},
        {",,,,,0,11111,1,,0,,", 0644, true},  // empty keeps 644
        {",,,,,0,11111,1,,0", 0644, true},    // missing keeps 644
        {",,,,,0,11111,1,,0,0,", 0, true},
        {",,,,,0,11111,1,,0,9,", 0, false},                             // not octal
        {",,,,,0,11111,1,,0,17x,", 017, false},                         // leading digits only
        {",,,,,0,11111,1,,0,77777777777777777777,", 0x7fffffff, true},  // clamped
    };
    for (const auto& c : cases) {
        WSetupElement e;
        EXPECT_EQ(e.ReadRecord(c.record, false), c.wellFormed) << c.record;
        EXPECT_EQ(e.GetMode(), c.mode) << c.record;
    }
    WSetupElement e;
    e.SetMode(0600);
    EXPECT_EQ(e.WriteRecord(), ",<S>,,<D>,,0.000000,11111,1,,0,600,");

    // Numbers that are not numbers read as their leading digits and report it.
    WSetupElement size;
    EXPECT_FALSE(size.ReadRecord(",,,,,12kb,11111,1,,0,644,", false));
    EXPECT_EQ(size.GetSize(), 12);
    EXPECT_TRUE(size.ReadRecord(",,,,,-5,11111,1,,0,644,", false));
    EXPECT_EQ(size.GetSize(), -5);
}

// Whatever a record held, what is written of it reads back as it was read:
// read, write, read and write again give the same element and record.
TEST(SetupElementBase, RecordsReadBackAsTheyWereRead) {
    using namespace std::string_literals;
    const std::string records[] = {
        ",,,,,0,11\0"
        "111,1,,0,644,"s,  // a NUL in the system mask
        ",,,,,0,11111,1,1\0"
        "0,0,644,"s,              // and in the selection mask
        ",,,,,0,11111,1,,0,-4,",  // a signed mode
        ",,,,,0,11111,1,,0,+755,",
        ",,,,,0,11111,1,,0, -1,",  // a sign behind a blank
    };
    for (int code = -1; code < kElementTypeCount; ++code) {
        for (const auto& record : records) {
            auto once = code < 0 ? std::make_unique<WSetupElement>() : CreateElement(code);
            auto twice = code < 0 ? std::make_unique<WSetupElement>() : CreateElement(code);
            ASSERT_TRUE(once && twice);
            once->ReadRecord(record, false);
            const std::string written = once->WriteRecord();
            twice->ReadRecord(written, false);
            EXPECT_EQ(twice->WriteRecord(), written) << code << " " << record;
            EXPECT_EQ(twice->GetOsMask(), once->GetOsMask()) << code;
            EXPECT_EQ(twice->GetSelectMask(), once->GetSelectMask()) << code;
            EXPECT_EQ(twice->GetMode(), once->GetMode()) << code;
        }
    }

    // A signed mode is refused and the mode kept; a negative one set in
    // memory is written as the default.
    WSetupElement e;
    EXPECT_FALSE(e.ReadRecord(",,,,,0,11111,1,,0,-4,", false));
    EXPECT_EQ(e.GetMode(), 0644);
    e.SetMode(-4);
    WSetupElement back(e.WriteRecord(), false);
    EXPECT_EQ(back.GetMode(), 0644);
    EXPECT_EQ(e.WriteRecord(), back.WriteRecord());
}

TEST(SetupElementBase, MaskPaddingAndValues) {
    struct Case {
        std::string os;
        std::string select;
        std::string osAfter;
        std::string selectAfter;
    };
    const Case cases[] = {
        {"", "", "11111", kOnes32},
        {"0000", "0", "00001", "0" + std::string(31, '1')},
        {"1", "10", "11111", "10" + std::string(30, '1')},
        {"1111111", std::string(40, '0'), "1111111", std::string(40, '0')},
    };
    for (const auto& c : cases) {
        WSetupElement e(",,,,,0," + c.os + ",1," + c.select + ",0,644,", false);
        EXPECT_EQ(e.GetOsMask(), c.osAfter) << c.os;
        EXPECT_EQ(e.GetSelectMask(), c.selectAfter) << c.select;
    }

    WSetupElement e;
    e.SetOsMask("10000");
    EXPECT_EQ(e.OsMaskValue(), 16u);  // Windows 95 is the most significant
    e.SetOsMask("00001");
    EXPECT_EQ(e.OsMaskValue(), 1u);
    e.SetOsMask("0001");  // too short for a number
    EXPECT_EQ(e.OsMaskValue(), 0u);
    e.SetOsMask("1x111");
    EXPECT_EQ(e.OsMaskValue(), 0u);
    e.SetOsMask("1000000");  // every character counts
    EXPECT_EQ(e.OsMaskValue(), 64u);

    e.SetSelectMask("1" + std::string(31, '0'));
    EXPECT_EQ(e.SelectMaskValue(), 0x80000000u);
    e.SetSelectMask(std::string(31, '0') + "1" + "111");  // only the first 32 count
    EXPECT_EQ(e.SelectMaskValue(), 1u);
    e.SetSelectMask(std::string(31, '1'));
    EXPECT_EQ(e.SelectMaskValue(), 0u);
    e.SetSelectMask("");  // a new element's mask matches nothing
    EXPECT_FALSE(e.MatchesMasks(~0u, ~0u));

    e.SetOsMask("00001");
    e.SetSelectMask(kOnes32);
    EXPECT_TRUE(e.MatchesMasks(1, 4));
    EXPECT_FALSE(e.MatchesMasks(2, 4));
    EXPECT_FALSE(e.MatchesMasks(1, 0));
}

TEST(SetupElementBase, UntrustedRecordsNeverBreakReading) {
    const std::string overlong(1 << 20, 'x');
    const std::vector<std::string> records = {
        "",
        ",",
        ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,",
        "no commas at all",
        overlong,
        overlong + "," + overlong + ",",
        "a,b,c,d,e,1e999,11111,2,zz,q,999999999999999999999999,extra,fields,",
        std::string("\0,\xff,\x80,", 6),
    };
    for (int code = -1; code < kElementTypeCount; ++code) {
        for (const auto& rec : records) {
            auto e = code < 0 ? std::make_unique<WSetupElement>() : CreateElement(code);
            ASSERT_TRUE(e);
            e->ReadRecord(rec, true);
            std::string out = e->WriteRecord();
            EXPECT_FALSE(out.empty());
            EXPECT_EQ(out.back(), ',');
            e->GetInstalledRecord();
        }
    }
}

TEST(SetupElementBase, WriterKeepsFieldsApart) {
    WSetupShortcut s;
    s.SetShortcutName("Tools, extras");
    s.SetArguments("a\r\nb");
    std::string rec = s.WriteRecord();
    EXPECT_NE(rec.find(",Tools; extras,"), std::string::npos);
    EXPECT_NE(rec.find(",a  b,"), std::string::npos);
    WSetupShortcut back(rec, false);
    EXPECT_EQ(back.GetTargetName(), s.GetTargetName());
    EXPECT_EQ(back.GetMode(), 0644);

    EXPECT_TRUE(WSetupElement::IsValidFieldText("C:\\Program Files\\App"));
    EXPECT_FALSE(WSetupElement::IsValidFieldText("a,b"));
    EXPECT_FALSE(WSetupElement::IsValidFieldText("a\nb"));
    EXPECT_FALSE(WSetupElement::IsValidFieldText(std::string_view("a\0b", 3)));
}

TEST(SetupElementBase, NonFiniteSizesWriteAsZeroOrLimit) {
    WSetupElement e;
    e.SetSize(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(e.WriteRecord(), ",<S>,,<D>,,0.000000,11111,1,,0,644,");
    WSetupFile f;
    f.SetSize(1e300);
    EXPECT_NE(f.WriteRecord().find(",9223372036854775807,"), std::string::npos);
    f.SetSize(5e9);
    EXPECT_NE(f.WriteRecord().find(",5000000000,"), std::string::npos);
}

TEST(ElementTypes, KeywordsCodesAndClasses) {
    const struct {
        int code;
        const char* keyword;
        const char* className;
    } table[] = {
        {0, "BackFile", "WSetupBackupFile"},
        {1, "Dir", "WSetupDir"},
        {2, "TTFFile", "WSetupTTFFile"},
        {3, "Profle", "WSetupProfileString"},
        {4, "CustFile", "WSetupCustFile"},
        {5, "RegFile", "WSetupRegFile"},
        {6, "Shortcut", "WSetupShortcut"},
        {7, "Execute", "WSetupExecutable"},
        {8, "CustomDll", "WSetupCustomDLL"},
        {9, "RuntimeFile", "WSetupRuntimeFile"},
        {10, "RuntimeRegEntry", "WSetupRuntimeRegEntry"},
        {11, "DeleteFile", "WSetupDeleteFile"},
        {12, "SelfRegister", "WSetupSelfRegFile"},
        {13, "File", "WSetupFile"},
        {14, "UninstallExe", "WUnistallExecutable"},
        {15, "UninstallDLL", "WUninstallCustomDLL"},
        {16, "RegistryKeys", "WSetupRegEntry"},
    };
    for (const auto& t : table) {
        EXPECT_EQ(ElementTypeName(t.code), t.keyword);
        EXPECT_EQ(ElementClassName(t.code), t.className);
        // Every section name of a type, at any level, resolves to that type.
        for (int level = 0; level < 7; ++level) {
            EXPECT_EQ(ElementTypeFromName(t.keyword + std::to_string(level)), t.code)
                << t.keyword << level;
        }
        auto byCode = CreateElement(t.code);
        ASSERT_TRUE(byCode);
        EXPECT_EQ(byCode->GetTypeCode(), t.code);
        EXPECT_STREQ(byCode->ClassName(), t.className);
        auto byName = CreateElementByClassName(t.className);
        ASSERT_TRUE(byName);
        EXPECT_EQ(byName->GetTypeCode(), t.code);
        EXPECT_EQ(byName->WriteRecord(), byCode->WriteRecord());
        auto copy = byCode->Clone();
        EXPECT_STREQ(copy->ClassName(), t.className);
    }
    EXPECT_EQ(ElementTypeName(-1), "");
    EXPECT_EQ(ElementTypeName(17), "");
    EXPECT_EQ(ElementTypeFromName("Identification"), -1);
    EXPECT_EQ(ElementTypeFromName("Identification.0"), -1);
    EXPECT_EQ(ElementTypeFromName("file0"), -1);  // exact case
    EXPECT_EQ(ElementTypeFromName(""), -1);
    EXPECT_FALSE(CreateElement(17));
    EXPECT_FALSE(CreateElement(-1, "x,", false));
    EXPECT_FALSE(CreateElementByClassName("WSetupNothing"));
    ASSERT_TRUE(CreateElementByClassName("WSetupElement"));
    EXPECT_EQ(CreateElementByClassName("WSetupElement")->GetTypeCode(), -1);
}

TEST(ElementMap, KeyedWithoutTag) {
    EXPECT_EQ(WSetupElementMap::KeyOf("Product,<D>,a.txt,"), ",<D>,a.txt,");
    EXPECT_EQ(WSetupElementMap::KeyOf("no comma"), "");

    WSetupElementMap map;
    std::unique_ptr<WSetupElement> created;
    const std::string rec = ",<D>,app.ini,Search,Replace,11111,1," + kOnes32 + ",0,";
    WSetupElement* first =
        map.FindOrCreateElement("Product" + rec, kElementCustFile, ~0u, ~0u, false, false, created);
    ASSERT_TRUE(first);
    ASSERT_TRUE(created);
    EXPECT_EQ(created.get(), first);
    EXPECT_EQ(first->GetTag(), "Product");
    auto owned = std::move(created);

    // The same record under another component is the stored element.
    WSetupElement* again = map.FindOrCreateElement("Program_files" + rec, kElementCustFile, ~0u,
                                                   ~0u, false, false, created);
    EXPECT_EQ(again, first);
    EXPECT_FALSE(created);
    EXPECT_EQ(map.Find("Other" + rec, kElementCustFile), first);
    EXPECT_EQ(map.Count(kElementCustFile), 1u);

    // Each type has its own map.
    EXPECT_EQ(map.Find(rec, kElementFile), nullptr);
    EXPECT_EQ(map.Find(rec, -1), nullptr);
    EXPECT_EQ(map.FindOrCreateElement(rec, 17, ~0u, ~0u, true, false, created), nullptr);
    EXPECT_EQ(map.FindOrCreateElement(rec, -1, ~0u, ~0u, true, false, created), nullptr);

    map.Forget(first);
    EXPECT_EQ(map.Find(rec, kElementCustFile), nullptr);
    map.Add(rec, kElementCustFile, first);
    EXPECT_EQ(map.Count(), 1u);
    map.Clear();
    EXPECT_EQ(map.Count(), 0u);
}

TEST(ElementMap, FiltersByMasks) {
    // OsMask "0000" reads as "00001": only the fifth system's bit.
    const std::string rec = "P,<D>,x.exe,,0000,1,1," + kOnes32 + ",0,644,";
    std::unique_ptr<WSetupElement> created;
    {
        WSetupElementMap map;
        EXPECT_EQ(map.FindOrCreateElement(rec, kElementExecute, 0x1E, ~0u, false, false, created),
                  nullptr);
        EXPECT_FALSE(created);
        EXPECT_EQ(map.Count(), 0u);  // a dropped element is not remembered
        EXPECT_NE(map.FindOrCreateElement(rec, kElementExecute, 0x01, ~0u, false, false, created),
                  nullptr);
        EXPECT_EQ(created->GetOsMask(), "00001");
    }
    {
        WSetupElementMap map;
        const std::string sel = "P,<D>,x.exe,,11111,1,1,0" + std::string(31, '0') + ",0,644,";
        EXPECT_EQ(map.FindOrCreateElement(sel, kElementExecute, ~0u, ~0u, false, false, created),
                  nullptr);
        EXPECT_NE(map.FindOrCreateElement(sel, kElementExecute, ~0u, ~0u, true, false, created),
                  nullptr);
        // A mask that does not parse gives 0 and drops the element.
        const std::string bad = "P,<D>,y.exe,,11x11,1,1," + kOnes32 + ",0,644,";
        EXPECT_EQ(map.FindOrCreateElement(bad, kElementExecute, ~0u, ~0u, false, false, created),
                  nullptr);
    }
}

TEST(ElementMap, ManyRecordsStayLinear) {
    // 100 000 distinct records read, looked up again and written back.
    WSetupElementMap map;
    std::vector<std::unique_ptr<WSetupElement>> owned;
    owned.reserve(100000);
    std::unique_ptr<WSetupElement> created;
    for (int i = 0; i < 100000; ++i) {
        std::string rec = "Program_files,<S>,f" + std::to_string(i) +
                          ".txt,<D>,f.txt,10,100000,1,11111,0,,0,1,1," + kOnes32 + ",0,0,0,644,";
        ASSERT_TRUE(map.FindOrCreateElement(rec, kElementFile, ~0u, ~0u, false, false, created));
        ASSERT_TRUE(created);
        owned.push_back(std::move(created));
    }
    EXPECT_EQ(map.Count(kElementFile), 100000u);
    size_t bytes = 0;
    for (const auto& e : owned) {
        EXPECT_EQ(map.Find(e->WriteRecord(), kElementFile), e.get());
        bytes += e->GetScriptLine().size();
    }
    EXPECT_GT(bytes, 100000u * 60);
}

TEST_F(StringRefs, Expand) {
    EXPECT_EQ(ExpandStringRefs("a%X%b"), "a%X%b");  // unknown name stays
    ScriptStringMap().Set("X", "1");
    EXPECT_EQ(ExpandStringRefs("a%X%b"), "a1b");
    EXPECT_EQ(ExpandStringRefs("%X%%X%"), "11");
    EXPECT_EQ(ExpandStringRefs("no refs"), "no refs");
    EXPECT_EQ(ExpandStringRefs("a%x%b"), "a%x%b");  // exact case

    ScriptStringMap().Set("Y", "two");
    ScriptStringMap().Set("Nested", "<%Y%>");
    EXPECT_EQ(ExpandStringRefs("%X%-%Y%"), "1-two");
    EXPECT_EQ(ExpandStringRefs("%Nested%"), "<two>");
    // An unknown name in front ends the expansion.
    EXPECT_EQ(ExpandStringRefs("%Unknown%%X%"), "%Unknown%%X%");
    // A name whose value is empty is left alone.
    ScriptStringMap().Set("Empty", "");
    EXPECT_EQ(ExpandStringRefs("a%Empty%b"), "a%Empty%b");
}

TEST_F(StringRefs, ExpandEndsOnCyclesAndGrowth) {
    ScriptStringMap().Set("A", "%B%");
    ScriptStringMap().Set("B", "%A%");
    std::string out = ExpandStringRefs("x%A%y");
    EXPECT_TRUE(out == "x%A%y" || out == "x%B%y") << out;

    ScriptStringMap().Set("C", "%D%%D%%D%%D%");
    ScriptStringMap().Set("D", "%C%%C%%C%%C%");
    out = ExpandStringRefs("%C%");
    EXPECT_LE(out.size(), size_t{1} << 20);
}

TEST_F(StringRefs, ElementsExpandOnlyWhenAsked) {
    ScriptStringMap().Set("App", "Demo");
    const std::string rec =
        "P,HKEY_CURRENT_USER,Software\\%App%,%App%,%App%,String,11111,1,1," + kOnes32 + ",0,,0,";
    WSetupRegEntry plain(rec, false);
    EXPECT_EQ(plain.GetKeyPath(), "Software\\%App%");
    WSetupRegEntry expanded(rec, true);
    EXPECT_EQ(expanded.GetKeyPath(), "Software\\Demo");
    EXPECT_EQ(expanded.GetValueName(), "Demo");
    EXPECT_EQ(expanded.GetValueData(), "Demo");
    EXPECT_EQ(expanded.GetValueType(), "String");

    WSetupFile file("P,<S>,%App%.exe,<D>,%App%.exe,1,100000,1,11111,0,,0,1,1,,0,0,0,644,", true);
    EXPECT_EQ(file.GetSourceName(), "Demo.exe");
    EXPECT_EQ(file.GetSavedSourceName(), "Demo.exe");
    EXPECT_EQ(file.GetTargetName(), "Demo.exe");
    // Fields that are not expandable keep their references.
    WSetupDir dir("P,<D>\\%App%,%App%,11111,100000,1,1,,0,644,", true);
    EXPECT_EQ(dir.GetTargetDir(), "<D>\\%App%");
    EXPECT_EQ(dir.GetTargetName(), "%App%");
}

TEST_F(StringRefs, ElementsReadOnTwoThreadsWhileTheTableChanges) {
    ScriptStringMap().Set("App", "Demo");
    const std::string rec =
        "P,HKEY_CURRENT_USER,Software\\%App%,%App%,%App%,String,11111,1,1," + kOnes32 + ",0,,0,";
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    // Filling and replacing the table makes it rehash under the readers.
    std::thread writer([&] {
        while (!stop) {
            for (int i = 0; i < 200; ++i)
                ScriptStringMap().Set("W" + std::to_string(i), "%App%");
            ScriptStringMap().Replace({{"App", "Demo"}});
        }
    });
    auto read = [&] {
        for (int i = 0; i < 3000; ++i) {
            WSetupRegEntry entry(rec, true);
            if (entry.GetKeyPath() != "Software\\Demo" || entry.GetValueData() != "Demo")
                ++wrong;
        }
    };
    std::thread first(read), second(read);
    first.join();
    second.join();
    stop = true;
    writer.join();
    EXPECT_EQ(wrong, 0);
}

TEST_F(StringRefs, Collect) {
    ScriptStringMap().Set("ProductName", "Demo");
    ScriptStringMap().Set("Company", "Acme");
    ScriptStringMap().Set("Blank", "");

    StringSectionLines list;
    EXPECT_TRUE(list.AddUnique("[Strings]"));
    CollectStringRefs("Product,111,<D>,0,1,11111,0,%ProductName%,%Company%,%Unknown%,,", list);
    CollectStringRefs("Program_files,%ProductName% 50% off %Company%,%Blank%,%%,", list);
    CollectStringRefs("no references at all", list);
    const std::vector<std::string> want = {"[Strings]", "ProductName = Demo", "Company = Acme"};
    EXPECT_EQ(list.Lines(), want);
    EXPECT_TRUE(list.Contains("Company = Acme"));
    EXPECT_FALSE(list.AddUnique("Company = Acme"));

    list.Retain([](const std::string& l) { return l.find(" = ") == std::string::npos; });
    EXPECT_EQ(list.Lines(), std::vector<std::string>{"[Strings]"});
    EXPECT_FALSE(list.Contains("Company = Acme"));
    EXPECT_TRUE(list.AddUnique("Company = Acme"));
    list.Clear();
    EXPECT_TRUE(list.Empty());
}

TEST_F(StringRefs, CollectManyLinesOnce) {
    for (int i = 0; i < 2000; ++i)
        ScriptStringMap().Set("S" + std::to_string(i), "v");
    StringSectionLines list;
    for (int round = 0; round < 50; ++round) {
        for (int i = 0; i < 2000; ++i) {
            CollectStringRefs("x,%S" + std::to_string(i) + "%,", list);
        }
    }
    EXPECT_EQ(list.Size(), 2000u);
    EXPECT_EQ(list.Lines().front(), "S0 = v");
}

TEST(ElementMap, RecordsSpelledOtherwiseAndForgottenEntries) {
    WSetupElementMap map;
    std::vector<std::unique_ptr<WSetupElement>> owned;
    std::unique_ptr<WSetupElement> created;
    // Empty flags and a short mask: the element writes "1" and 32 ones, yet
    // the same record read again is still the stored element.
    const std::string loose = "P,<S>,a.txt,<D>,a.txt,5,1,1,11111,0,,1,,,1,0,0,0,644,";
    WSetupElement* first =
        map.FindOrCreateElement(loose, kElementFile, ~0u, ~0u, false, false, created);
    ASSERT_TRUE(first && created);
    owned.push_back(std::move(created));
    EXPECT_NE(first->WriteRecord().substr(1), loose.substr(1));
    EXPECT_EQ(map.FindOrCreateElement("Q" + loose.substr(1), kElementFile, ~0u, ~0u, false, false,
                                      created),
              first);
    EXPECT_FALSE(created);
    EXPECT_EQ(map.Find(first->WriteRecord(), kElementFile), nullptr);  // not stored so

    // Entries erased from the middle of runs leave every other one findable.
    std::vector<std::string> records{loose};
    for (int i = 0; i < 3000; ++i) {
        records.push_back("P,<S>,f" + std::to_string(i) + ",<D>,x,");
        map.FindOrCreateElement(records.back(), kElementFile, ~0u, ~0u, true, false, created);
        ASSERT_TRUE(created);
        owned.push_back(std::move(created));
    }
    for (size_t i = 1; i < owned.size(); i += 3)
        map.Forget(owned[i].get());
    size_t stored = 0;
    for (size_t i = 1; i < owned.size(); ++i) {
        WSetupElement* found = map.Find(records[i], kElementFile);
        EXPECT_EQ(found, i % 3 == 1 ? nullptr : owned[i].get()) << i;
        stored += found != nullptr;
    }
    EXPECT_EQ(map.Count(kElementFile), stored + 1);
    EXPECT_EQ(map.Count(), stored + 1);
}

TEST(SharedText, OneCopyPerTextFreedWithItsLastHolder) {
    const size_t before = SharedText::DistinctCount();
    {
        WSetupFile a(",<S>,a.txt,<D>\\Data,a.txt,1,100000,1,11111,0,,1,1,1,,0,0,0,644,", false);
        WSetupFile b(",<S>,b.txt,<D>\\Data,b.txt,1,100000,1,11111,0,,1,1,1,,0,0,0,644,", false);
        EXPECT_EQ(&a.GetTargetDir(), &b.GetTargetDir());  // one copy of the folder
        EXPECT_EQ(&a.GetSelectMask(), &b.GetSelectMask());
        EXPECT_GT(SharedText::DistinctCount(), before);
        // The source name as read stays when the source name changes.
        a.SetSourceName("renamed.txt");
        EXPECT_EQ(a.GetSavedSourceName(), "a.txt");
        EXPECT_EQ(b.GetSavedSourceName(), "b.txt");
        WSetupFile copy = a;
        a.SetTargetDir("<D>\\Other");
        EXPECT_EQ(copy.GetTargetDir(), "<D>\\Data");
        EXPECT_EQ(a.GetTargetDir(), "<D>\\Other");
    }
    EXPECT_EQ(SharedText::DistinctCount(), before);

    // Made and dropped on several threads at once.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 20000; ++i) {
                SharedText x("folder" + std::to_string(i % 50));
                SharedText y = x;
                EXPECT_EQ(y.str(), x.str());
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(SharedText::DistinctCount(), before);
}

}  // namespace
}  // namespace vantrel
