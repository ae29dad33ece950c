// Files and folders below a root folder, reached without following symbolic
// links: every part of a path below the root is opened relative to its
// parent with a link refused, so that a link placed inside the root can
// never lead a read, a write or a removal out of it. The root folder itself
// is an open FileHandle and may have been reached through links.
//
// Relative paths separate their parts with "/"; an empty part, "." and ".."
// are refused (EINVAL). Failures leave the system's reason in errno: ELOOP
// when a part is a symbolic link, ENOTDIR when a folder part is something
// else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_handle.h"

namespace vantrel {

// Opens the folder `relative` below `root` ("" opens the root again). With
// `made`, missing folders are created on the way and the relative path of
// each one made is appended in order (also when a later part fails).
// `failedAt`, when given, receives the relative path of the part that
// failed.
bool OpenFolderBelow(const FileHandle& root, std::string_view relative, FileHandle& folder,
                     std::vector<std::string>* made = nullptr, std::string* failedAt = nullptr);

// Reads the regular file `name` of the open folder `folder` (ELOOP when it
// is a link, ENOENT when it is missing, EISDIR or EINVAL when it is no
// regular file).
bool ReadFileIn(const FileHandle& folder, std::string_view name, std::string& out);

// Creates or replaces the file `name` in the open folder `folder`: the data
// goes to a new file beside it that is renamed over it only when everything
// was written, so a failed write leaves the old contents. A symbolic link
// at `name` is refused (ELOOP), never followed or replaced. A replaced file
// keeps its permissions; a new one gets `permissions` (before the umask).
// The second form writes what is left to read of `source`.
bool ReplaceFileIn(const FileHandle& folder, std::string_view name, std::string_view data,
                   unsigned permissions = 0666);
bool ReplaceFileIn(const FileHandle& folder, std::string_view name, FileHandle& source,
                   unsigned permissions = 0666);

}  // namespace vantrel
