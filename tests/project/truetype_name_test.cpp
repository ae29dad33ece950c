#include "project/truetype_name.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const char* const kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

struct NameRecord {
    uint16_t platform;
    uint16_t language;
    uint16_t id;
    std::u16string text;
};

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>((v >> 8) & 0xFF);
    out += static_cast<char>(v & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v >> 16);
    Put16(out, v & 0xFFFF);
}

void Set16(std::string& bytes, size_t at, uint32_t v) {
    bytes[at] = static_cast<char>((v >> 8) & 0xFF);
    bytes[at + 1] = static_cast<char>(v & 0xFF);
}

void Set32(std::string& bytes, size_t at, uint32_t v) {
    Set16(bytes, at, v >> 16);
    Set16(bytes, at + 2, v & 0xFFFF);
}

// Layout of the fonts made below: the header (12 bytes), two table records
// ("head" at 12, "name" at 28), a 4-byte "head" table at 44 and the "name"
// table at 48: count at 50, storage offset at 52, records from 54.
constexpr size_t kNameTable = 48;
constexpr size_t kFirstNameRecord = 54;

std::string MakeFont(const std::vector<NameRecord>& records) {
    std::string strings;
    std::string table;
    Put16(table, 0);
    Put16(table, static_cast<uint32_t>(records.size()));
    Put16(table, static_cast<uint32_t>(6 + 12 * records.size()));
    for (const NameRecord& r : records) {
        const size_t offset = strings.size();
        for (char16_t c : r.text) {
            if (r.platform == 1) {
                strings += static_cast<char>(c);  // Macintosh: one byte per character
            } else {
                Put16(strings, c);
            }
        }
        Put16(table, r.platform);
        Put16(table, r.platform == 1 ? 0 : 1);
        Put16(table, r.language);
        Put16(table, r.id);
        Put16(table, static_cast<uint32_t>(strings.size() - offset));
        Put16(table, static_cast<uint32_t>(offset));
    }
    table += strings;

    std::string font;
    Put32(font, 0x00010000);
    Put16(font, 2);
    Put16(font, 32);
    Put16(font, 1);
    Put16(font, 0);
    font += "head";
    Put32(font, 0);
    Put32(font, 44);
    Put32(font, 4);
    font += "name";
    Put32(font, 0);
    Put32(font, kNameTable);
    Put32(font, static_cast<uint32_t>(table.size()));
    Put32(font, 0xDEADBEEF);
    return font + table;
}

NameRecord Windows(uint16_t id, std::u16string text, uint16_t language = 0x0409) {
    return {3, language, id, std::move(text)};
}

std::string Read(const std::string& path, std::string& error) {
    return ReadFontName(path, &error);
}

TEST(TrueTypeName, RealFontsFromTheSystem) {
    if (!IsFile(kDejaVuSans))
        GTEST_SKIP() << kDejaVuSans << " is not installed (Debian package fonts-dejavu-core)";
    std::string error;
    EXPECT_EQ(Read(kDejaVuSans, error), "DejaVu Sans");
    EXPECT_EQ(error, "");
    const std::string bold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    if (IsFile(bold)) {
        EXPECT_EQ(ReadFontName(bold), "DejaVu Sans Bold");
    }
}

TEST(TrueTypeName, NameRecordsThatAreUsedAndOnesThatAreNot) {
    test::ScratchFolder dir;
    std::string error = "stale";
    // Family, subfamily and another language are passed over; of two full
    // names the last one wins.
    std::string font = dir.Write(
        "a.ttf",
        MakeFont({Windows(1, u"Family"), Windows(4, u"First Full"), Windows(4, u"Deutsch", 0x0407),
                  Windows(4, u"Last Full"), Windows(6, u"PostScript-Name")}));
    EXPECT_EQ(Read(font, error), "Last Full");
    EXPECT_EQ(error, "");

    // Macintosh names only (language 0): no name, and no error either.
    std::string mac = dir.Write("mac.ttf", MakeFont({{1, 0, 4, u"Mac Only"}, {1, 0, 1, u"Mac"}}));
    EXPECT_EQ(Read(mac, error), "");
    EXPECT_EQ(error, "");

    // A name longer than 128 bytes is cut to 64 characters.
    std::u16string longName(100, u'x');
    longName[63] = u'Y';
    longName[64] = u'Z';
    std::string cut = dir.Write("long.ttf", MakeFont({Windows(4, longName)}));
    EXPECT_EQ(Read(cut, error), std::string(63, 'x') + "Y");

    // Characters above Latin-1 become their Windows-1252 byte or '?'.
    std::string marks = dir.Write("marks.ttf", MakeFont({Windows(4, u"Sans\u2122 \u0100\u00e9")}));
    EXPECT_EQ(Read(marks, error), "Sans\x99 ?\xe9");
    EXPECT_EQ(error, "");

    // A name ends at a NUL character.
    std::string nul =
        dir.Write("nul.ttf", MakeFont({Windows(4, std::u16string(u"Ends\0Here", 9))}));
    EXPECT_EQ(Read(nul, error), "Ends");
}

TEST(TrueTypeName, DamagedFilesAreRefusedWithAReason) {
    test::ScratchFolder dir;
    const std::string good = MakeFont({Windows(4, u"Good Name")});
    ASSERT_EQ(ReadFontName(dir.Write("good.ttf", good)), "Good Name");

    auto expectRefused = [&](const std::string& bytes, const std::string& label) {
        std::string error;
        EXPECT_EQ(Read(dir.Write("bad.ttf", bytes), error), "") << label;
        EXPECT_NE(error.find("not a readable TrueType font"), std::string::npos) << label;
        EXPECT_NE(error.find("bad.ttf"), std::string::npos) << label;
    };
    for (size_t size : {size_t{0}, size_t{3}, size_t{11}, size_t{20}, kNameTable + 1,
                        kFirstNameRecord + 5, good.size() - 1})
        expectRefused(good.substr(0, size), "truncated at " + std::to_string(size));

    std::string bytes = good;
    Set16(bytes, 4, 0xFFFF);  // the table count lies
    expectRefused(bytes, "table count");
    bytes = good;
    Set32(bytes, 28 + 8, 0xFFFFFFF0);  // the name table's offset past the end
    expectRefused(bytes, "table offset");
    bytes = good;
    Set32(bytes, 28 + 12, 0x7FFFFFFF);  // its length past the end
    expectRefused(bytes, "table length");
    bytes = good;
    Set16(bytes, kNameTable + 2, 500);  // more name records than there are
    expectRefused(bytes, "record count");
    bytes = good;
    Set16(bytes, kFirstNameRecord + 8, 0xFFFF);  // a string length that lies
    expectRefused(bytes, "string length");
    bytes = good;
    Set16(bytes, kFirstNameRecord + 10, 0xFFF0);  // a string offset past the end
    expectRefused(bytes, "string offset");
    bytes = good;
    Set16(bytes, kNameTable + 4, 0xFFFF);  // the storage offset past the end
    expectRefused(bytes, "storage offset");

    // The sample installation's placeholder fonts are text.
    expectRefused("This file stands in for a TrueType font.\r\n", "text");

    if (IsFile(kDejaVuSans)) {
        const std::string real = test::ReadBytes(kDejaVuSans);
        const std::string name = ReadFontName(kDejaVuSans);
        expectRefused(real.substr(0, 100), "DejaVu cut at 100");
        // A cut file gives its name while the name table is whole, else nothing.
        for (size_t size : {real.size() / 3, real.size() / 2, real.size() - 1}) {
            std::string error;
            const std::string got = Read(dir.Write("cut.ttf", real.substr(0, size)), error);
            EXPECT_TRUE(got == name ? error.empty() : got.empty() && !error.empty()) << size;
        }
    }

    std::string error;
    EXPECT_EQ(Read(dir / "missing.ttf", error), "");
    EXPECT_NE(error.find("missing.ttf"), std::string::npos);
    EXPECT_EQ(Read(dir.path(), error), "");
    EXPECT_FALSE(error.empty());
}

TEST(TrueTypeName, OnlyTheNameTableMustLieInsideTheFile) {
    test::ScratchFolder dir;
    const std::string good = MakeFont({Windows(4, u"Face Name")});
    std::string bytes = good;
    Set32(bytes, 12 + 8, 0xFFFFFFF0);  // the "head" table's offset past the end
    std::string error;
    EXPECT_EQ(Read(dir.Write("a.ttf", bytes), error), "Face Name");
    EXPECT_EQ(error, "");
    bytes = good;
    Set32(bytes, 12 + 12, 0x7FFFFFFF);  // its length past the end
    EXPECT_EQ(Read(dir.Write("b.ttf", bytes), error), "Face Name");
    // The file cut inside "head" but after the name table is read to the end.
    bytes = good;
    Set32(bytes, 12 + 8, static_cast<uint32_t>(good.size()) - 2);
    EXPECT_EQ(Read(dir.Write("c.ttf", bytes), error), "Face Name");
}

TEST(TrueTypeName, FontFilesByName) {
    EXPECT_TRUE(IsFontFileName("FONT.TTF"));
    EXPECT_TRUE(IsFontFileName("fonts\\a.Ttf"));
    EXPECT_FALSE(IsFontFileName("font.ttc"));
    EXPECT_FALSE(IsFontFileName("font.otf"));
    EXPECT_FALSE(IsFontFileName("tt"));
}

}  // namespace
}  // namespace vantrel
