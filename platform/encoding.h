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

// Unicode code point of a Windows-1252 byte.
char32_t Cp1252ToUnicode(unsigned char byte);

}  // namespace vantrel
