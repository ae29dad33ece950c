// Inside the platform layer only: the few file calls whose form differs
// between systems, implemented in files_posix.cpp and files_win.cpp, for the
// portable code of files.cpp and text_file.cpp.
#pragma once

#include <cstdio>
#include <string_view>

namespace vantrel {

// A file without any write permission, or one this user may not write.
bool IsReadOnlyFile(std::string_view path);

// The permissions for a file that replaces `target`: those of the file being
// replaced, else rw for all as the user's creation mask allows.
unsigned ReplacementPermissions(std::string_view target, bool followLink);

// Opens `path` for writing in binary mode, created or truncated; a symbolic
// link at the name is replaced by a new file, its target left alone. Null
// (errno) when it cannot be opened.
FILE* OpenCFileReplacingLink(std::string_view path);

}  // namespace vantrel
