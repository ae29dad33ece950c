// Entries of INI files ("[Section]" lines, then "key=value" lines): changed
// in a file's text, or in a file on disk through the system's own means.
// Section and key names match without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// `text` with `key`=`value` in [`section`]: the key's line replaced where
// the section has one, else the line added at the section's end (also an
// empty section at the end of the text), else the section added at the end.
// Lines end in CR LF.
std::string SetIniEntryInText(std::string_view text, std::string_view section, std::string_view key,
                              std::string_view value);
// `text` without the line of `key` in [`section`]; false (and `out` as
// `text`) when it has none.
bool RemoveIniEntryFromText(std::string_view text, std::string_view section, std::string_view key,
                            std::string& out);

// The same on the file `path` (made when missing): on Windows through the
// profile functions (WritePrivateProfileStringW), elsewhere by rewriting
// the file's text atomically. False with the reason in `error`.
bool WriteIniEntry(std::string_view path, std::string_view section, std::string_view key,
                   std::string_view value, std::string* error = nullptr);
// Removes the entry; true also when the file or the entry is not there.
bool RemoveIniEntry(std::string_view path, std::string_view section, std::string_view key,
                    std::string* error = nullptr);

}  // namespace vantrel
