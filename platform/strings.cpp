#include "platform/strings.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantrel {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string TrimLeft(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && IsBlank(s[b]))
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

char ToLowerChar(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char>(u + 32);
    switch (u) {
        case 0x8A:
            return static_cast<char>(0x9A);
        case 0x8C:
            return static_cast<char>(0x9C);
        case 0x8E:
            return static_cast<char>(0x9E);
        case 0x9F:
            return static_cast<char>(0xFF);
        default:
            return c;
    }
}

char ToUpperChar(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    switch (u) {
        case 0x9A:
            return static_cast<char>(0x8A);
        case 0x9C:
            return static_cast<char>(0x8C);
        case 0x9E:
            return static_cast<char>(0x8E);
        case 0xFF:
            return static_cast<char>(0x9F);
        default:
            return c;
    }
}

std::string ToLower(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = ToLowerChar(c);
    return r;
}

std::string ToUpper(std::string_view s) {
    std::string r(s);
    for (auto& c : r)
        c = ToUpperChar(c);
    return r;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        auto x = static_cast<unsigned char>(ToLowerChar(a[i]));
        auto y = static_cast<unsigned char>(ToLowerChar(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

bool StartsWith(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && s.substr(0, p.size()) == p;
}

bool EndsWith(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

bool StartsWithNoCase(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && EqualsNoCase(s.substr(0, p.size()), p);
}

bool EndsWithNoCase(std::string_view s, std::string_view p) {
    return s.size() >= p.size() && EqualsNoCase(s.substr(s.size() - p.size()), p);
}

size_t FindNoCase(std::string_view s, std::string_view needle, size_t from) {
    if (needle.empty())
        return from <= s.size() ? from : std::string_view::npos;
    for (size_t i = from; i + needle.size() <= s.size(); ++i) {
        if (EqualsNoCase(s.substr(i, needle.size()), needle))
            return i;
    }
    return std::string_view::npos;
}

std::vector<std::string> Split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t pos = s.find(sep, start);
        if (pos == std::string_view::npos) {
            parts.emplace_back(s.substr(start));
            return parts;
        }
        parts.emplace_back(s.substr(start, pos - start));
        start = pos + 1;
    }
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines = Split(text, '\n');
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

std::vector<std::string> SplitTrimmed(std::string_view s, char sep) {
    std::vector<std::string> parts;
    for (auto& p : Split(s, sep)) {
        std::string t = Trim(p);
        if (!t.empty())
            parts.push_back(std::move(t));
    }
    return parts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view sep) {
    std::string r;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i)
            r += sep;
        r += parts[i];
    }
    return r;
}

std::string Quoted(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.append(1, '"').append(text).append(1, '"');
    return out;
}

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to) {
    if (from.empty())
        return s;
    size_t pos = 0;
    while ((pos = s.find(from, pos)) != std::string::npos) {
        s.replace(pos, from.size(), to);
        pos += to.size();
    }
    return s;
}

std::string FormatV(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n <= 0)
        return {};
    std::string r(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(r.data(), r.size(), fmt, args);
    r.resize(static_cast<size_t>(n));
    return r;
}

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string r = FormatV(fmt, args);
    va_end(args);
    return r;
}

long long ToInt(std::string_view s) {
    std::string t(s);
    return std::strtoll(t.c_str(), nullptr, 10);
}

double ToDouble(std::string_view s) {
    // Always a '.' as decimal point, whatever locale the program runs under
    // (the wizard's toolkit sets the user's).
    size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    double value = 0;
    const char* first = s.data() + i;
    const auto [end, ec] = std::from_chars(first, s.data() + s.size(), value);
    if (end == first || ec == std::errc::invalid_argument)
        return 0;
    if (ec == std::errc::result_out_of_range)
        value = HUGE_VAL;
    return negative ? -value : value;
}

std::string FormatFixed(double value, int decimals) {
    char buf[400];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

bool ParseInt(std::string_view s, long long& out) {
    std::string t = Trim(s);
    if (t.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (errno != 0 || end == nullptr || *end != '\0')
        return false;
    out = v;
    return true;
}

}  // namespace vantrel
