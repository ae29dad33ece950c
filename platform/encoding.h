// Windows-1252 <-> UTF-8. The engine's text is Windows-1252 (what the setup
// engine reads); the file system, the terminal and Qt speak UTF-8/Unicode.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Every byte maps to a code point (the five bytes that Windows-1252 leaves
// undefined map to U+0081, U+008D, U+008F, U+0090, U+009D, as Windows does).
std::string Cp1252ToUtf8(std::string_view text);

// False when `text` is not valid UTF-8 or holds a character that
// Windows-1252 cannot hold; `out` is then left empty.
bool Utf8ToCp1252(std::string_view text, std::string& out);

// True when `text` is valid UTF-8 (plain ASCII is).
bool IsUtf8(std::string_view text);

// The text of an imported text file as Windows-1252: valid UTF-8 (a leading
// byte-order mark dropped) is converted, any other bytes are taken as
// Windows-1252 already. False when UTF-8 text holds characters that
// Windows-1252 cannot hold; `out` is then empty and `unstorable` lists them
// (UTF-8, each once, in order of appearance, separated by blanks).
bool TextFileToCp1252(std::string_view bytes, std::string& out, std::string* unstorable = nullptr);

// UTF-8 `text` cut to at most `columns` characters (not bytes: a character
// is never split), the last three of them "..." when something was cut.
// Characters count one column each.
std::string FitUtf8(std::string_view text, size_t columns);

// Appends the UTF-8 form of the code point `cp`.
void AppendUtf8(std::string& out, char32_t cp);

// The Windows-1252 byte of a code point; -1 when the code page lacks it.
int UnicodeToCp1252(char32_t cp);

// Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);

}  // namespace vantrel
