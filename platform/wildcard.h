// File-name wildcards with the rules Windows applies to them, so that patterns
// written into projects and scripts ("*.*", "*.dll", "data?.db") select the
// same files here as on the target machine.
//
//   "*"   any run of characters, dots included (also none)
//   "?"   exactly one character
//   A pattern ending in ".*" also matches names without a dot: "*.*" matches
//   every name and "readme.*" matches "readme".
//   A pattern ending in "." matches names without an extension: "*." matches
//   "makefile" but not "setup.exe".
// Letters are compared without regard to case (Windows-1252 letters included).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

bool WildcardMatch(std::string_view pattern, std::string_view name);

// True when the text holds "*" or "?".
bool HasWildcards(std::string_view text);

// Names (not paths) of the regular files directly inside `folder` that match
// `pattern`, sorted by byte value; empty when the folder cannot be read.
std::vector<std::string> MatchFilesInFolder(std::string_view folder, std::string_view pattern);

}  // namespace vantrel
