#include "platform/encoding.h"

#include <vector>

namespace vantrel {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page is Latin-1.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The length of the UTF-8 sequence at `text[i]` and its code point in `cp`;
// 0 when no valid sequence starts there.
size_t NextUtf8(std::string_view text, size_t i, char32_t& cp) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t len;
    if (b < 0x80) {
        cp = b;
        len = 1;
    } else if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F;
        len = 2;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F;
        len = 3;
    } else if ((b & 0xF8) == 0xF0) {
        cp = b & 0x07;
        len = 4;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (size_t k = 1; k < len; ++k) {
        auto c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    // Overlong forms are not valid UTF-8.
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000))
        return 0;
    return len;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int UnicodeToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

char32_t Cp1252ToUnicode(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHigh[byte - 0x80] : byte;
}

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            AppendUtf8(out, Cp1252ToUnicode(b));
        }
    }
    return out;
}

bool Utf8ToCp1252(std::string_view text, std::string& out) {
    out.clear();
    std::string r;
    r.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        char32_t cp = 0;
        const size_t len = NextUtf8(text, i, cp);
        if (len == 0)
            return false;
        int byte = UnicodeToCp1252(cp);
        if (byte < 0)
            return false;
        r += static_cast<char>(byte);
        i += len;
    }
    out = std::move(r);
    return true;
}

bool IsUtf8(std::string_view text) {
    char32_t cp = 0;
    for (size_t i = 0, len = 0; i < text.size(); i += len) {
        len = NextUtf8(text, i, cp);
        if (len == 0)
            return false;
    }
    return true;
}

bool TextFileToCp1252(std::string_view bytes, std::string& out, std::string* unstorable) {
    out.clear();
    if (unstorable)
        unstorable->clear();
    if (!IsUtf8(bytes)) {
        out = std::string(bytes);
        return true;
    }
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    std::string r, missing;
    r.reserve(bytes.size());
    for (size_t i = 0, len = 0; i < bytes.size(); i += len) {
        char32_t cp = 0;
        len = NextUtf8(bytes, i, cp);
        const int byte = UnicodeToCp1252(cp);
        if (byte >= 0) {
            r += static_cast<char>(byte);
        } else if (const std::string_view one = bytes.substr(i, len);
                   missing.find(one) == std::string::npos) {
            if (!missing.empty())
                missing += ' ';
            missing += one;
        }
    }
    if (!missing.empty()) {
        if (unstorable)
            *unstorable = std::move(missing);
        return false;
    }
    out = std::move(r);
    return true;
}

std::string FitUtf8(std::string_view text, size_t columns) {
    // The byte offset after each character; continuation bytes (10xxxxxx)
    // belong to the character before them.
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i + 1 == text.size() || (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80)
            ends.push_back(i + 1);
    }
    if (ends.size() <= columns)
        return std::string(text);
    if (columns < 3)
        return std::string(text.substr(0, columns == 0 ? 0 : ends[columns - 1]));
    const size_t keep = columns - 3;
    return std::string(text.substr(0, keep == 0 ? 0 : ends[keep - 1])) + "...";
}

}  // namespace vantrel
