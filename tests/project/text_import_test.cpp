// Text files imported as license or release texts: bounded reads, the
// encodings a text file comes in, and what no text file holds.
#include "project/text_import.h"

#include <string>
#include <vector>

#include "support/test_support.h"

namespace vantrel {
namespace {

using Status = WTextImport::Status;

TEST(TextImport, ReadsEachEncodingAndRefusesWhatIsNoStorableText) {
    test::ScratchFolder dir;
    const std::string utf16le(
        "\xFF\xFE"
        "C\0a\0f\0\xE9\0\r\0\n\0\xAC\x20",
        16);
    const std::string utf16be(
        "\xFE\xFF"
        "\0C\0a\0f\0\xE9\0\r\0\n\x20\xAC",
        16);
    struct Case {
        const char* name;
        std::string bytes;
        Status status;
        std::string text;  // or the detail
    };
    const std::vector<Case> cases = {
        {"plain.txt", "Caf\xE9\r\nend\rlast", Status::kOk, "Caf\xE9\nend\nlast"},
        {"utf8.txt",
         "\xEF\xBB\xBF"
         "Caf\xC3\xA9 \xE2\x82\xAC",
         Status::kOk, "Caf\xE9 \x80"},
        {"utf16le.txt", utf16le, Status::kOk, "Caf\xE9\n\x80"},
        {"utf16be.txt", utf16be, Status::kOk, "Caf\xE9\n\x80"},
        {"cyrillic16.txt",
         std::string("\xFF\xFE"
                     "a\0\x3F\x04",
                     6),
         Status::kUnstorable, "\xD0\xBF"},
        {"cyrillic8.txt", "a \xD0\xBF", Status::kUnstorable, "\xD0\xBF"},
        {"zero.txt", std::string("GIF89a\0\0", 8), Status::kNotText, ""},
        {"zero16.txt",
         std::string("\xFF\xFE"
                     "a\0\0\0",
                     6),
         Status::kNotText, ""},
        {"fits.txt", std::string(kTextImportLimit - 1, 'y'), Status::kOk,
         std::string(kTextImportLimit - 1, 'y')},
        {"big.txt", std::string(kTextImportLimit, 'x'), Status::kTooLarge, ""},
    };
    for (const Case& c : cases) {
        WTextImport got = ImportTextFile(dir.Write(c.name, c.bytes));
        EXPECT_EQ(got.status, c.status) << c.name << ": " << got.detail;
        EXPECT_EQ(got.status == Status::kOk ? got.text : got.detail, c.text) << c.name;
    }

    // A device that never ends is read no further than the limit.
    EXPECT_EQ(ImportTextFile("/dev/zero").status, Status::kTooLarge);
    WTextImport missing = ImportTextFile(dir / "missing.txt");
    EXPECT_EQ(missing.status, Status::kUnreadable);
    EXPECT_NE(missing.detail.find("missing.txt"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
