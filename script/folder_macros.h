// Folder macros: tokens in angle brackets for folders and user data that are
// known only on the target machine. Stored in short form ("<D>"), shown in
// long form ("<Target Folder>").
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// A copy of `text` with every short form replaced by its long form.
std::string ExpandFolderMacros(std::string_view text);
// A copy of `text` with every long form replaced by its short form.
std::string CompressFolderMacros(std::string_view text);

struct FolderMacro {
    const char* shortForm;  // "<D>"
    const char* longForm;   // "<Target Folder>"
};

// Every token, in the order of the expansion table ("<SDL:>", which only
// expands, included). For lists in the user interface.
const std::vector<FolderMacro>& FolderMacroTable();

// Replaces every occurrence of `search` (compared without regard to case) by
// `replacement`, scanning on after each inserted replacement, never inside
// it. An empty `search` leaves the text unchanged.
std::string ReplaceAllNoCase(std::string_view text, std::string_view search,
                             std::string_view replacement);

}  // namespace vantrel
