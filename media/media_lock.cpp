#include "media/media_lock.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

bool WMediaLock::Acquire(std::string_view folder) {
    error_.clear();
    if (!folder_.Open(folder, FileHandle::Mode::kFolder)) {
        error_ = "cannot open the media folder " + ErrnoText(folder);
        return false;
    }
    if (folder_.TryLockExclusive())
        return true;
    if (errno == EWOULDBLOCK) {
        error_ = "another build is writing to the media folder " + DisplayPath(folder) +
                 "; wait until it has finished";
        folder_.Close();
        return false;
    }
    // ENOLCK, EINVAL: no locks on this file system.
    return true;
}

}  // namespace vantrel
