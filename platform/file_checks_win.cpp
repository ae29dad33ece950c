#include <cerrno>
#include <cstring>

#include "platform/file_checks.h"
#include "platform/win_native.h"

namespace vantrel {

std::string NotAFileReason(std::string_view path) {
    FileInfo info;
    if (path.empty() || !GetFileInfo(path, info)) {
        const int err = path.empty() ? ENOENT : errno;
        if (err == ENOENT) {
            FileInfo link;
            if (!path.empty() && GetFileInfo(path, link, false))
                return "is a symbolic link to a missing file";
            return "no such file";
        }
        return std::strerror(err);
    }
    if (info.isFile)
        return {};
    if (info.isFolder)
        return "is a folder, not a file";
    return "is a device, not a file";
}

bool OwnedByThisUser(std::string_view path) {
    // Windows gives each user a temporary folder of their own and keeps
    // others' files out of it by the folder's access rules: what this
    // program can see beside its own files there is this user's.
    FileInfo info;
    return !path.empty() && GetFileInfo(path, info, false);
}

}  // namespace vantrel
