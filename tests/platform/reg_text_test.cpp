#include "platform/reg_text.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Kind = RegText::Value::Kind;

TEST(RegText, ReadsEveryValueFormWithItsLine) {
    const RegText t = RegText::Parse(
        "Windows Registry Editor Version 5.00\r\n"
        "; comment\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
        "\"s\"=\"C:\\\\dir\\\\\\\"q\\\"\"\r\n"
        "@=\"\"\r\n"
        "\"n\" = dword:FFFFFFFF\r\n"
        "\"h\"=hex(2):41,00,\\\r\n"
        "    42,00\r\n"
        "\"e\"=hex:\r\n"
        "\"gone\"=-\r\n"
        "[-HKEY_CURRENT_USER\\B]\r\n");
    EXPECT_EQ(t.Header(), "Windows Registry Editor Version 5.00");
    EXPECT_TRUE(t.Problems().empty());
    ASSERT_EQ(t.Keys().size(), 2u);
    const auto& v = t.Keys()[0].values;
    ASSERT_EQ(v.size(), 6u);
    EXPECT_EQ(t.Keys()[0].path, "HKEY_LOCAL_MACHINE\\Software\\A");
    EXPECT_EQ(v[0].text, "C:\\dir\\\"q\"");
    EXPECT_EQ(v[1].name, "");
    EXPECT_EQ(v[1].kind, Kind::kString);
    EXPECT_EQ(v[2].dword, 0xFFFFFFFFu);
    EXPECT_EQ(v[3].hexType, 2);
    EXPECT_EQ(v[3].bytes, (std::vector<uint8_t>{0x41, 0, 0x42, 0}));
    EXPECT_EQ(v[3].line, 7);
    EXPECT_EQ(v[4].kind, Kind::kHex);
    EXPECT_TRUE(v[4].bytes.empty());
    EXPECT_EQ(v[5].kind, Kind::kRemove);
    EXPECT_EQ(v[5].line, 10);
    EXPECT_TRUE(t.Keys()[1].remove);
    EXPECT_EQ(t.Keys()[1].path, "HKEY_CURRENT_USER\\B");
}

TEST(RegText, ProblemsKeepTheirLineNumbers) {
    const RegText t = RegText::Parse(
        "\"before\"=\"any key\"\n"  // 1: no key yet
        "[HKEY_CURRENT_USER\\A]\n"
        "\"a\"=\"1\" trailing\n"    // 3
        "\"b\"=dword:123456789\n"   // 4: nine digits
        "\"c\"=hex(z):00\n"         // 5
        "\"d\"=\"ends in \\\\\"\n"  // 6: a string ending in a backslash is fine
        "[HKEY_CURRENT_USER\\B\n"   // 7
        "\"e\"=\"1\"\n"             // 8: below a key that could not be read
        "\"f\"=hex:01,\\\n");       // 9: continues past the end
    EXPECT_EQ(t.Header(), "");
    std::vector<int> lines;
    for (const auto& p : t.Problems())
        lines.push_back(p.line);
    EXPECT_EQ(lines, (std::vector<int>{1, 3, 4, 5, 7, 8, 9}));
    ASSERT_EQ(t.Keys().size(), 1u);
    ASSERT_EQ(t.Keys()[0].values.size(), 1u);
    EXPECT_EQ(t.Keys()[0].values[0].text, "ends in \\");
    EXPECT_EQ(t.Problems()[1].text, "\"a\"=\"1\" trailing");
}

TEST(RegText, DecodesTheEncodingsOfExportFiles) {
    std::vector<int> bad;
    // UTF-16LE: "a\u20ac\r\n\u4e2d\r\nb"
    const std::string utf16(
        "\xFF\xFE"
        "a\0\xAC\x20\r\0\n\0\x2D\x4E\r\0\n\0b\0",
        18);
    EXPECT_EQ(RegText::DecodeFile(utf16, bad), "a\x80\r\n\nb");
    EXPECT_EQ(bad, std::vector<int>{2});
    bad.clear();
    EXPECT_EQ(RegText::DecodeFile("\xEF\xBB\xBFx\xC3\xA9\n\xE4\xB8\xAD\ny", bad), "x\xE9\n\ny");
    EXPECT_EQ(bad, std::vector<int>{2});
    bad.clear();
    EXPECT_EQ(RegText::DecodeFile("caf\xE9", bad), "caf\xE9");  // Windows-1252 as it stands
    EXPECT_TRUE(bad.empty());
}

}  // namespace
}  // namespace vantrel
