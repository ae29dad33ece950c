// Questions about what is at a path, for messages that name the real reason
// and for tidying up only what this user made.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Empty when `path` names a regular file (after links); otherwise why it
// cannot be read as one: "is a folder, not a file", "is a FIFO (named pipe),
// not a file", "is a socket, not a file", "is a device, not a file", "no such
// file", or the system's reason when the path cannot be examined.
std::string NotAFileReason(std::string_view path);

// True when the file or folder (not followed when a link) belongs to the
// user this process runs as.
bool OwnedByThisUser(std::string_view path);

}  // namespace vantrel
