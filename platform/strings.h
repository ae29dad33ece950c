// Small helpers for the engine's 8-bit (Windows-1252) strings. Every piece of
// the engine uses these instead of writing its own trim or compare.
#pragma once

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

// Marks a printf-like function for the compiler's format check. On Windows
// the build uses MinGW's C99 printf (__USE_MINGW_ANSI_STDIO), which knows
// %zu and %lld, and the check must judge the formats by that one.
#if defined(__MINGW32__)
#define VANTREL_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define VANTREL_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#endif

namespace vantrel {

// Blanks in the C library's sense: space, tab, LF, VT, FF, CR.
bool IsBlank(char c);

std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);

// Case mapping of Windows-1252 letters (ASCII and the accented letters).
char ToLowerChar(char c);
char ToUpperChar(char c);
std::string ToLower(std::string_view s);
std::string ToUpper(std::string_view s);

bool EqualsNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);
bool StartsWith(std::string_view s, std::string_view prefix);
bool EndsWith(std::string_view s, std::string_view suffix);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);
// Position of needle in s ignoring case, or npos.
size_t FindNoCase(std::string_view s, std::string_view needle, size_t from = 0);

// Splits at every separator; "a,,b" gives "a", "", "b"; "" gives one empty part.
std::vector<std::string> Split(std::string_view s, char sep);
// The lines of a text, without their line ends (LF or CR LF); a last line
// end gives no empty line after it.
std::vector<std::string> SplitTextLines(std::string_view text);
// Splits at every separator, trims each part and drops empty parts.
std::vector<std::string> SplitTrimmed(std::string_view s, char sep);
std::string Join(const std::vector<std::string>& parts, std::string_view sep);

// `text` between double quotes, as listings show a text: nothing is escaped.
std::string Quoted(std::string_view text);

std::string ReplaceAll(std::string s, std::string_view from, std::string_view to);

// printf into a std::string.
std::string Format(const char* fmt, ...) VANTREL_PRINTF_FORMAT(1, 2);
std::string FormatV(const char* fmt, va_list args);

// Decimal conversions in the manner of atoi/atof: leading blanks, then as many
// characters as form a number; anything else gives 0. Never throws. The
// decimal point is '.' under every locale.
long long ToInt(std::string_view s);
double ToDouble(std::string_view s);
// `value` with `decimals` digits after a '.' (printf's "%.*f" in the C
// locale, whatever locale the program runs under).
std::string FormatFixed(double value, int decimals);
// Strict decimal integer: the whole text (trimmed) must be a number.
bool ParseInt(std::string_view s, long long& out);

// Case-insensitive ordering for maps keyed by names.
struct LessNoCase {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return CompareNoCase(a, b) < 0;
    }
};

}  // namespace vantrel
