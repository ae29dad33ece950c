// The full name of a TrueType font (name ID 4 in US English), the face name
// under which the setup registers the font on the target machine.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Longest name string that is read, in bytes (two per character).
inline constexpr size_t kFontNameByteLimit = 128;

// The full name of the font file `path` (engine path). Integers are
// big-endian; every "name" table is walked and the last record of name ID 4
// with language 0x0409 wins; a name longer than kFontNameByteLimit bytes is
// cut there. A character of the record becomes one Windows-1252 character
// ('?' when the code page has none for it).
//
// A font without a "name" table or without US-English names (a
// Macintosh-only font) gives "" and leaves `error` empty. A file that cannot
// be read, or whose table directory, name table or name string lies past
// the end of the file (a truncated file, offsets, lengths or counts that lie),
// gives "" and a text for the user in `error`; nothing is thrown.
std::string ReadFontName(std::string_view path, std::string* error = nullptr);

// Whether `fileName` names a TrueType font: its last three characters are
// "ttf", in any case ("FONT.TTF" is one, "font.ttc" and "font.otf" are not).
bool IsFontFileName(std::string_view fileName);

}  // namespace vantrel
