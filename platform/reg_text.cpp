#include "platform/reg_text.h"

#include "platform/encoding.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at s[pos] == '"'; pos ends after the
// closing quote. Inside, "\x" stands for x ("\\" and "\"" in practice).
bool Unquote(std::string_view s, size_t& pos, std::string& out) {
    out.clear();
    if (pos >= s.size() || s[pos] != '"')
        return false;
    ++pos;
    while (pos < s.size()) {
        char c = s[pos++];
        if (c == '"')
            return true;
        if (c == '\\') {
            if (pos >= s.size())
                return false;
            c = s[pos++];
        }
        out += c;
    }
    return false;
}

void SkipBlanks(std::string_view s, size_t& pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
}

// "01,02,ff" (blanks allowed around the commas; a trailing comma is kept by
// some writers) into bytes.
bool ReadHexBytes(std::string_view text, std::vector<uint8_t>& bytes) {
    bytes.clear();
    std::string t = Trim(text);
    if (t.empty())
        return true;
    if (t.back() == ',')
        t.pop_back();
    for (const std::string& part : Split(t, ',')) {
        std::string p = Trim(part);
        if (p.size() != 2 || HexDigit(p[0]) < 0 || HexDigit(p[1]) < 0)
            return false;
        bytes.push_back(static_cast<uint8_t>(HexDigit(p[0]) * 16 + HexDigit(p[1])));
    }
    return true;
}

// Whether `text` ends a line that continues on the next one: a value line
// whose last character is "\" outside a quoted string.
bool Continues(std::string_view text) {
    if (text.empty() || text.back() != '\\')
        return false;
    bool quoted = false;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == '\\' && quoted)
            ++i;
    }
    return !quoted;
}

}  // namespace

std::string RegText::Quote(std::string_view text) {
    std::string r = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            r += '\\';
        r += c;
    }
    r += '"';
    return r;
}

RegText RegText::Parse(std::string_view text) {
    RegText result;
    const std::vector<std::string> lines = Split(text, '\n');
    bool first = true;
    for (size_t i = 0; i < lines.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        std::string line = Trim(lines[i]);
        if (first && StartsWith(line, "\xEF\xBB\xBF"))
            line = Trim(line.substr(3));
        if (line.empty() || line[0] == ';')
            continue;
        if (first) {
            first = false;
            if (line == "Windows Registry Editor Version 5.00" || line == "REGEDIT4") {
                result.header_ = line;
                continue;
            }
        }
        // A value may go on over several lines, each but the last ending in "\".
        while (line[0] != '[' && Continues(line) && i + 1 < lines.size()) {
            line.pop_back();
            line += Trim(lines[++i]);
        }
        result.ReadLine(number, line);
    }
    return result;
}

void RegText::ReadLine(int number, const std::string& line) {
    if (line[0] == '[') {
        inBadKey_ = true;
        if (line.back() != ']' || line.size() < 3) {
            problems_.push_back({number, line});
            return;
        }
        Key key;
        key.line = number;
        key.path = Trim(std::string_view(line).substr(1, line.size() - 2));
        if (!key.path.empty() && key.path[0] == '-') {
            key.remove = true;
            key.path = Trim(std::string_view(key.path).substr(1));
        }
        if (key.path.empty() || key.path.find_first_of("[]") != std::string::npos) {
            problems_.push_back({number, line});
            return;
        }
        inBadKey_ = false;
        keys_.push_back(std::move(key));
        return;
    }
    Value value;
    if (keys_.empty() || inBadKey_ || !ReadValue(number, line, value)) {
        problems_.push_back({number, line});
        return;
    }
    keys_.back().values.push_back(std::move(value));
}

bool RegText::ReadValue(int number, const std::string& line, Value& value) const {
    value.line = number;
    size_t pos = 0;
    if (line[0] == '@')
        pos = 1;
    else if (!Unquote(line, pos, value.name))
        return false;
    SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=')
        return false;
    ++pos;
    SkipBlanks(line, pos);
    const std::string rest = TrimRight(std::string_view(line).substr(pos));
    if (rest == "-") {
        value.kind = Value::Kind::kRemove;
        return true;
    }
    if (!rest.empty() && rest[0] == '"') {
        size_t at = 0;
        if (!Unquote(rest, at, value.text) || at != rest.size())
            return false;
        value.kind = Value::Kind::kString;
        return true;
    }
    if (StartsWithNoCase(rest, "dword:")) {
        const std::string digits = Trim(std::string_view(rest).substr(6));
        if (digits.empty() || digits.size() > 8)
            return false;
        uint32_t n = 0;
        for (char c : digits) {
            if (HexDigit(c) < 0)
                return false;
            n = n * 16 + static_cast<uint32_t>(HexDigit(c));
        }
        value.kind = Value::Kind::kDword;
        value.dword = n;
        return true;
    }
    if (StartsWithNoCase(rest, "hex")) {
        size_t colon = rest.find(':');
        if (colon == std::string::npos)
            return false;
        std::string type = rest.substr(3, colon - 3);
        if (type.empty()) {
            value.hexType = -1;
        } else {
            if (type.size() < 3 || type.front() != '(' || type.back() != ')')
                return false;
            int n = 0;
            for (char c : type.substr(1, type.size() - 2)) {
                if (HexDigit(c) < 0 || n > 0xFFFFFF)
                    return false;
                n = n * 16 + HexDigit(c);
            }
            value.hexType = n;
        }
        value.kind = Value::Kind::kHex;
        return ReadHexBytes(std::string_view(rest).substr(colon + 1), value.bytes);
    }
    return false;
}

std::string RegText::DecodeFile(std::string_view bytes, std::vector<int>& unstorableLines) {
    std::string out;
    int line = 1;
    bool lineBad = false;
    size_t lineStart = 0;
    auto endLine = [&] {
        if (lineBad) {
            unstorableLines.push_back(line);
            out.resize(lineStart);
        }
        lineBad = false;
        ++line;
    };
    auto add = [&](char32_t cp) {
        if (cp == '\n') {
            endLine();
            out += '\n';
            lineStart = out.size();
            return;
        }
        const int b = UnicodeToCp1252(cp);
        if (b < 0)
            lineBad = true;
        else
            out += static_cast<char>(b);
    };
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        // UTF-16LE; surrogate pairs name characters far outside the code page.
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const char32_t unit = static_cast<unsigned char>(bytes[i]) |
                                  (static_cast<unsigned char>(bytes[i + 1]) << 8);
            add(unit >= 0xD800 && unit <= 0xDFFF ? 0xFFFF : unit);
        }
        endLine();
        return out;
    }
    std::string_view text = bytes;
    if (StartsWith(text, "\xEF\xBB\xBF"))
        text.remove_prefix(3);
    if (!IsUtf8(text))
        return std::string(text);
    for (const std::string& l : Split(text, '\n')) {
        if (line > 1)
            out += '\n';
        std::string converted;
        if (Utf8ToCp1252(l, converted))
            out += converted;
        else
            unstorableLines.push_back(line);
        ++line;
    }
    return out;
}

}  // namespace vantrel
