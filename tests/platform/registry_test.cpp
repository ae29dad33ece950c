#include "platform/registry.h"

#include <algorithm>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(RegFileStore, RoundTripsAwkwardValuesAndKeepsOtherKeys) {
    test::ScratchFolder dir;
    RegFileStore store(dir / "m.reg", dir / "sub/u.reg");
    const std::string awkward = "C:\\Program Files\\\"Quoted\" \xE9t\xE9 \x80 end\\";
    ASSERT_TRUE(
        store.SetString(Hive::CurrentUser, "Software\\Oxbel\\ZLT\\9.0\\Recent", "File1", awkward));
    ASSERT_TRUE(
        store.SetDword(Hive::CurrentUser, "Software\\Oxbel\\ZLT\\9.0\\Recent", "Count", 42));
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\Other", "", "default"));

    // A second store on the same files sees everything (nothing is cached).
    RegFileStore again(dir / "m.reg", dir / "sub/u.reg");
    std::string s;
    uint32_t d = 0;
    ASSERT_TRUE(
        again.GetString(Hive::CurrentUser, "software\\oxbel\\zlt\\9.0\\recent", "file1", s));
    EXPECT_EQ(s, awkward);
    ASSERT_TRUE(again.GetDword(Hive::CurrentUser, "Software\\Oxbel\\ZLT\\9.0\\Recent", "Count", d));
    EXPECT_EQ(d, 42u);
    ASSERT_TRUE(again.GetString(Hive::CurrentUser, "Software\\Other", "", s));
    EXPECT_EQ(s, "default");
    EXPECT_FALSE(again.GetString(Hive::LocalMachine, "Software\\Other", "", s));

    EXPECT_TRUE(again.DeleteValue(Hive::CurrentUser, "Software\\Oxbel\\ZLT\\9.0\\Recent", "File1"));
    EXPECT_EQ(again.ValueNames(Hive::CurrentUser, "Software\\Oxbel\\ZLT\\9.0\\Recent"),
              std::vector<std::string>{"Count"});
    EXPECT_FALSE(again.SetString(Hive::CurrentUser, "K", "V", "two\r\nlines"));
}

TEST(RegFileStore, KeysAndNamesReadBackAsWrittenOrAreRefused) {
    test::ScratchFolder dir;
    RegFileStore store(dir / "m.reg", dir / "u.reg");
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "Software\\Good", "Name", "kept"));
    const std::string before = dir.Read("u.reg");
    // A line break would end the key line or the value line; a "]" ends the key line.
    EXPECT_FALSE(store.SetString(Hive::CurrentUser, "Software\\Two\nLines", "N", "v"));
    EXPECT_FALSE(store.SetString(Hive::CurrentUser, "Software\\Good", "Two\r\nLines", "v"));
    EXPECT_FALSE(store.SetDword(Hive::CurrentUser, "Software\\[Section]", "N", 1));
    EXPECT_FALSE(store.SetDword(Hive::CurrentUser, "Software\\Good", "A\nB", 1));
    EXPECT_EQ(dir.Read("u.reg"), before);

    // Blanks next to the outer separators are trimmed whichever comes first,
    // so the key found after a reread is the one written.
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, "\\ X", "N", "x"));
    ASSERT_TRUE(store.SetString(Hive::CurrentUser, " Software\\ Y \\ ", " padded ", " y "));
    RegFileStore again(dir / "m.reg", dir / "u.reg");
    std::string s;
    ASSERT_TRUE(again.GetString(Hive::CurrentUser, "X", "N", s));
    EXPECT_EQ(s, "x");
    ASSERT_TRUE(again.GetString(Hive::CurrentUser, "Software\\ Y", " padded ", s));
    EXPECT_EQ(s, " y ");
    EXPECT_EQ(again.ValueNames(Hive::CurrentUser, "\\ X"), std::vector<std::string>{"N"});
    ASSERT_TRUE(again.GetString(Hive::CurrentUser, "Software\\Good", "Name", s));
    EXPECT_EQ(s, "kept");
}

TEST(RegFileStore, WritesTheExportFormatWithCrLf) {
    std::vector<RegFileStore::Key> keys{
        {"SOFTWARE\\OXBEL\\ZLT\\9.0",
         {{"Install Location", false, "C:\\Tessary \"9\"", 0}, {"N", true, "", 0x2a}}}};
    EXPECT_EQ(RegFileStore::Serialize(keys, "HKEY_LOCAL_MACHINE"),
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\OXBEL\\ZLT\\9.0]\r\n"
              "\"Install Location\"=\"C:\\\\Tessary \\\"9\\\"\"\r\n"
              "\"N\"=dword:0000002a\r\n");
}

// Keys come and go with their values on the hive files and, where there is
// one, on the system's registry (a key of the test's own, removed again).
TEST(Registries, KeysAreMadeWithTheirValuesAndRemovedOnlyWhenEmpty) {
    test::ScratchFolder dir;
    std::vector<std::unique_ptr<Registry>> registries;
    registries.push_back(std::make_unique<RegFileStore>(dir / "m.reg", dir / "u.reg"));
    if (std::unique_ptr<Registry> system = SystemRegistry(); system->IsThisMachine())
        registries.push_back(std::move(system));
    const Hive user = Hive::CurrentUser;
    const std::string key = "Software\\Vantrel Registry Test", sub = key + "\\Sub \xE9t\xE9";
    for (const auto& r : registries) {
        SCOPED_TRACE(r->IsThisMachine() ? "the system's registry" : "hive files");
        r->DeleteValue(user, sub, "Path");
        r->DeleteValue(user, sub, "Count");
        r->RemoveKeyIfEmpty(user, sub);
        r->RemoveKeyIfEmpty(user, key);
        ASSERT_FALSE(r->KeyExists(user, key));

        ASSERT_TRUE(r->SetString(user, sub, "Path", "C:\\Caf\xE9 \x80"));
        ASSERT_TRUE(r->SetDword(user, sub, "Count", 42));
        EXPECT_TRUE(r->KeyExists(user, key));
        EXPECT_TRUE(r->KeyExists(user, "software/vantrel registry test/SUB \xC9T\xC9/"));
        std::string s;
        uint32_t d = 0;
        ASSERT_TRUE(r->GetString(user, sub, "path", s));
        EXPECT_EQ(s, "C:\\Caf\xE9 \x80");
        ASSERT_TRUE(r->GetDword(user, sub, "Count", d));
        EXPECT_EQ(d, 42u);
        EXPECT_FALSE(r->GetDword(user, sub, "Path", d));
        EXPECT_FALSE(r->GetString(Hive::LocalMachine, sub, "Path", s));
        std::vector<std::string> names = r->ValueNames(user, sub);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Count", "Path"}));

        // A key that holds values or keys stays.
        EXPECT_FALSE(r->RemoveKeyIfEmpty(user, sub));
        EXPECT_TRUE(r->DeleteValue(user, sub, "Path"));
        EXPECT_TRUE(r->DeleteValue(user, sub, "Count"));
        EXPECT_FALSE(r->DeleteValue(user, sub, "Count"));
        EXPECT_FALSE(r->RemoveKeyIfEmpty(user, key));
        EXPECT_TRUE(r->RemoveKeyIfEmpty(user, sub));
        EXPECT_TRUE(r->RemoveKeyIfEmpty(user, key));
        EXPECT_FALSE(r->KeyExists(user, key));
        EXPECT_TRUE(r->RemoveKeyIfEmpty(user, key));
    }
    EXPECT_EQ(dir.Read("u.reg"), "Windows Registry Editor Version 5.00\r\n");
}

TEST(RegFileStore, ToleratesDamagedHiveFiles) {
    test::ScratchFolder dir;
    dir.Write("m.reg",
              "garbage\n[HKEY_LOCAL_MACHINE\\A]\n\"unterminated=\"x\n\"ok\"=\"1\"\n"
              "[HKEY_CURRENT_USER\\A]\n\"ok\"=\"user\"\n[-HKEY_LOCAL_MACHINE\\B]\n\"x\"=\n");
    RegFileStore store(dir / "m.reg", dir / "u.reg");
    std::string s;
    ASSERT_TRUE(store.GetString(Hive::LocalMachine, "A", "ok", s));
    EXPECT_EQ(s, "1");
    EXPECT_FALSE(store.GetString(Hive::CurrentUser, "A", "ok", s));  // user file is absent
}

TEST(RegFileStore, MachineHiveOfTheBuildPointsAtTheSampleInstallation) {
    std::string text;
    ASSERT_TRUE(ReadWholeFile(std::string(VANTREL_BINARY_DIR) + "/etc/vantrel/machine.reg", text));
    auto keys = RegFileStore::Parse(text, "HKEY_LOCAL_MACHINE");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].path, "SOFTWARE\\OXBEL\\ZLT\\9.0");
    // The build folder's own copy, which holds the engine's start programs.
    EXPECT_EQ(keys[0].values.at(0).text, VANTREL_SAMPLE_INSTALL);
}

}  // namespace
}  // namespace vantrel
