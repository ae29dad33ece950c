// The lock a media build holds on its media folder for as long as it runs,
// so that a second build into the same folder (another window, the command
// line) stops at once instead of writing over the first one's files. The
// system's lock on the open folder is used: no file is added to the set, and
// a build that dies for any reason releases it.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace vantrel {

class WMediaLock {
  public:
    // False with the message in Error() when another build holds the folder
    // or the folder cannot be opened. A file system without locks is let
    // through (there is nothing to hold).
    bool Acquire(std::string_view folder);
    void Release() { folder_.Close(); }
    bool Held() const { return folder_.IsOpen(); }
    const std::string& Error() const { return error_; }

  private:
    FileHandle folder_;
    std::string error_;
};

}  // namespace vantrel
