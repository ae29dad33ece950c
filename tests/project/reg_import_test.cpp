#include "project/reg_import.h"

#include "platform/files.h"
#include "project/project_data.h"
#include "project/registry_keys.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kAllSelected(32, '1');

// The record of an entry as comp.kvz holds it (without the component name).
std::string Record(const WSetupRegEntry& e) {
    return e.WriteRecord();
}

std::string Tail() {
    return ",1,1," + kAllSelected + ",0,,0,";
}

TEST(RegImport, ValuesOfEveryKindBecomeEntries) {
    const std::string file =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "; exported for the setup\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Oxbel\\App]\r\n"
        "\"Path\"=\"C:\\\\Program Files\\\\App\"\r\n"
        "\"Quoted\"=\"say \\\"hi\\\"\"\r\n"
        "@=\"default\"\r\n"
        "\"Count\"=dword:0000000a\r\n"
        "\"Raw\"=hex:01,02,ff\r\n"
        "\"Long\"=hex(7):41,00,42,00,\\\r\n"
        "  00,00\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Oxbel\\Empty]\r\n";
    WRegImport import;
    std::string error;
    ASSERT_TRUE(import.Read(file, error)) << error;
    EXPECT_EQ(import.RefusedMessage(), "");
    std::vector<std::string> records;
    std::vector<int> lines;
    for (const auto& e : import.Entries()) {
        records.push_back(Record(*e.entry));
        lines.push_back(e.line);
    }
    const std::string key = ",HKEY_LOCAL_MACHINE,Software\\Oxbel\\App,";
    EXPECT_EQ(records, (std::vector<std::string>{
                           key + "Path,C:\\Program Files\\App,String,1111" + Tail(),
                           key + "Quoted,say \"hi\",String,1111" + Tail(),
                           key + ",default,String,1111" + Tail(),
                           key + "Count,10,Number,1111" + Tail(),
                           key + "Raw,01 02 ff,Binary Data,1111" + Tail(),
                           key + "Long,41 00 42 00 00 00,Binary Data,1111" + Tail(),
                           ",HKEY_CURRENT_USER,Software\\Oxbel\\Empty,,,String,1111" + Tail(),
                       }));
    EXPECT_EQ(lines, (std::vector<int>{5, 6, 7, 8, 9, 10, 13}));
}

TEST(RegImport, BadLinesAreNamedAndLeftOutWhole) {
    const std::string file =
        "REGEDIT4\n"
        "[HKEY_LOCAL_MACHINE\\Software\\A]\n"
        "\"ok\"=\"1\"\n"              // 3
        "\"unterminated=\"x\n"        // 4
        "\"n\"=dword:xyz\n"           // 5
        "\"h\"=hex:01,2g\n"           // 6
        "\"comma\"=\"a,b\"\n"         // 7
        "\"star*\"=\"1\"\n"           // 8
        "\"gone\"=-\n"                // 9
        "[HKEY_NOWHERE\\B]\n"         // 10
        "\"x\"=\"1\"\n"               // 11
        "[-HKEY_LOCAL_MACHINE\\C]\n"  // 12
        "[HKEY_LOCAL_MACHINE\\D\n"    // 13
        "\"y\"=\"2\"\n"               // 14
        "[HKEY_LOCAL_MACHINE]\n"      // 15
        "@=\"root value\"\n"          // 16
        "[HKLM\\Software\\E]\n"       // 17
        "\"ok\"=\"2\"\n";             // 18
    WRegImport import;
    std::string error;
    ASSERT_TRUE(import.Read(file, error)) << error;
    ASSERT_EQ(import.Entries().size(), 2u);
    EXPECT_EQ(import.Entries()[0].line, 3);
    EXPECT_EQ(import.Entries()[1].entry->GetRootKey(), "HKEY_LOCAL_MACHINE");
    EXPECT_EQ(import.Entries()[1].entry->GetKeyPath(), "Software\\E");
    std::vector<int> refused;
    for (const auto& r : import.RefusedLines())
        refused.push_back(r.line);
    EXPECT_EQ(refused, (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}));
    const std::string message = import.RefusedMessage();
    EXPECT_EQ(message.substr(0, message.find('\n')), "These lines could not be imported:");
    EXPECT_NE(message.find("line 7: The value cannot contain a comma or a line break."),
              std::string::npos);
    EXPECT_NE(message.find("line 16: You shouldn't be assigning a value to the RootKey "
                           "HKEY_LOCAL_MACHINE"),
              std::string::npos);
    EXPECT_NE(message.find("line 12: removing keys or values cannot be imported"),
              std::string::npos);
}

TEST(RegImport, FileEncodingsAndNonRegistryFiles) {
    // What the Windows editor writes: UTF-16LE with a byte-order mark.
    const std::string text =
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\K]\r\n"
        "\"caf\xC3\xA9\"=\"\xE2\x82\xAC\"\r\n\"bad\"=\"\xE4\xB8\xAD\"\r\n";
    std::string utf16 = "\xFF\xFE";
    for (size_t i = 0; i < text.size();) {
        // The sample holds only 1-, 2- and 3-byte sequences.
        auto b = static_cast<unsigned char>(text[i]);
        char32_t cp = b;
        size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : 3;
        if (len == 2)
            cp = ((b & 0x1F) << 6) | (text[i + 1] & 0x3F);
        if (len == 3)
            cp = ((b & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
        utf16 += static_cast<char>(cp & 0xFF);
        utf16 += static_cast<char>(cp >> 8);
        i += len;
    }
    for (const std::string& bytes : {utf16, text}) {
        WRegImport import;
        std::string error;
        ASSERT_TRUE(import.Read(bytes, error)) << error;
        ASSERT_EQ(import.Entries().size(), 1u);
        EXPECT_EQ(import.Entries()[0].entry->GetValueName(), "caf\xE9");
        EXPECT_EQ(import.Entries()[0].entry->GetValueData(), "\x80");
        ASSERT_EQ(import.RefusedLines().size(), 1u);
        EXPECT_EQ(import.RefusedLines()[0].line, 4);
    }

    WRegImport import;
    std::string error;
    EXPECT_FALSE(import.Read("[HKEY_CURRENT_USER\\K]\n\"a\"=\"b\"\n", error));
    EXPECT_NE(error.find("not a registry file"), std::string::npos);
    test::ScratchFolder dir;
    EXPECT_FALSE(import.ReadFile(dir / "missing.reg", error));
    EXPECT_NE(error.find("could not be read"), std::string::npos);
}

TEST(RegImport, AddsToTheProjectAndRefusesWhatItHoldsAlready) {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
    WProjectData project;
    project.SetInstallLocationOverride(dir / "install");
    project.Reset();
    WRegistryKeyProperties::ForgetLastKey();
    const std::string file = dir.Write("a.reg",
                                       "REGEDIT4\n[HKEY_CURRENT_USER\\K]\n\"a\"=\"1\"\n"
                                       "\"b\"=dword:00000002\n");
    WRegImport first;
    std::string error;
    ASSERT_TRUE(first.ReadFile(file, error));
    EXPECT_EQ(first.AddTo(project).size(), 2u);
    // Importing is not typing: the dialog proposes no key from it.
    EXPECT_EQ(WRegistryKeyProperties::LastKey(), "");

    WRegImport again;
    ASSERT_TRUE(again.ReadFile(file, error));
    EXPECT_TRUE(again.AddTo(project).empty());
    EXPECT_EQ(again.RefusedMessage(),
              "These lines could not be imported:\n"
              "line 3: The setup already writes this registry entry.\n"
              "line 4: The setup already writes this registry entry.");
    EXPECT_EQ(RegistryEntries(project).size(), 2u);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// The engine reads a line of at most 2,045 characters: a value whose record
// would be longer is refused, in the dialog as in an import, and a file too
// large to be a registry export is not read in whole.
TEST(RegImport, ValuesTooLongForTheSetupAndHugeFilesAreRefused) {
    const std::string head = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Acme]\r\n";
    WRegImport import;
    std::string error;
    ASSERT_TRUE(import.Read(head + "\"Fits\"=\"" + std::string(1900, 'a') + "\"\r\n\"Big\"=\"" +
                                std::string(5000, 'b') + "\"\r\n",
                            error))
        << error;
    ASSERT_EQ(import.Entries().size(), 1u);
    EXPECT_EQ(import.Entries()[0].entry->GetValueName(), "Fits");
    ASSERT_EQ(import.RefusedLines().size(), 1u);
    EXPECT_EQ(import.RefusedLines()[0].line, 4);
    EXPECT_NE(import.RefusedLines()[0].reason.find("at most 2,045 characters"), std::string::npos)
        << import.RefusedLines()[0].reason;

    WRegistryKeyProperties dialog;
    dialog.key = "Software\\Acme";
    dialog.name = "Big";
    dialog.value = std::string(2100, 'c');
    WSetupRegEntry entry;
    EXPECT_NE(dialog.Apply(entry, false).find("too long"), std::string::npos);
    EXPECT_TRUE(entry.GetValueData().empty());

    EXPECT_FALSE(import.ReadFile("/dev/zero", error));
    EXPECT_NE(error.find("larger than 16 MB"), std::string::npos) << error;
}

}  // namespace
}  // namespace vantrel
