// Folder macros: tokens in angle brackets for folders and user data that are
// known only on the target machine. Stored in short form ("<D>"), shown in
// long form ("<Target Folder>").
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// A copy of `text` with every short form replaced by its long form.
std::string ExpandFolderMacros(std::string_view text);
// A copy of `text` with every long form replaced by its short form.
std::string CompressFolderMacros(std::string_view text);

}  // namespace vantrel
