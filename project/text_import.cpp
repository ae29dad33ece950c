#include "project/text_import.h"

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"

namespace vantrel {

namespace {

// UTF-16 after its byte-order mark, as UTF-8; a lone surrogate becomes
// U+FFFD. False for a zero character (no text file holds one).
bool Utf16ToUtf8(const std::string& bytes, bool bigEndian, std::string& out) {
    auto unit = [&](size_t i) -> char32_t {
        const unsigned char a = static_cast<unsigned char>(bytes[i]);
        const unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD;
        if (cp == 0)
            return false;
        AppendUtf8(out, cp);
    }
    return true;
}

}  // namespace

WTextImport ImportTextFile(const std::string& path) {
    WTextImport result;
    std::string bytes;
    bool tooLarge = false;
    if (!ReadFileAtMost(path, kTextImportLimit - 1, bytes, tooLarge, &result.detail)) {
        result.status = tooLarge ? WTextImport::kTooLarge : WTextImport::kUnreadable;
        if (tooLarge)
            result.detail.clear();
        return result;
    }
    const bool le = StartsWith(bytes, "\xFF\xFE");
    const bool be = StartsWith(bytes, "\xFE\xFF");
    if (le || be) {
        std::string utf8;
        if (!Utf16ToUtf8(bytes, be, utf8))
            result.status = WTextImport::kNotText;
        bytes = std::move(utf8);
    } else if (bytes.find('\0') != std::string::npos) {
        result.status = WTextImport::kNotText;
    }
    if (result.Ok() && !TextFileToCp1252(bytes, result.text, &result.detail))
        result.status = WTextImport::kUnstorable;
    if (!result.Ok()) {
        result.text.clear();
        return result;
    }
    result.text = ReplaceAll(FromCrLf(result.text), "\r", "\n");
    return result;
}

}  // namespace vantrel
