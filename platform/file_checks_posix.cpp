#include "platform/file_checks.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/paths.h"

namespace vantrel {

std::string NotAFileReason(std::string_view path) {
    struct stat st;
    if (path.empty() || ::stat(ToNative(path).c_str(), &st) != 0) {
        const int err = path.empty() ? ENOENT : errno;
        if (err == ENOENT) {
            // A link that leads nowhere is there, but names nothing.
            struct stat link;
            if (!path.empty() && ::lstat(ToNative(path).c_str(), &link) == 0)
                return "is a symbolic link to a missing file";
            return "no such file";
        }
        return std::strerror(err);
    }
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISDIR(st.st_mode))
        return "is a folder, not a file";
    if (S_ISFIFO(st.st_mode))
        return "is a FIFO (named pipe), not a file";
    if (S_ISSOCK(st.st_mode))
        return "is a socket, not a file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return "is a device, not a file";
    return "is not a regular file";
}

bool OwnedByThisUser(std::string_view path) {
    struct stat st;
    return !path.empty() && ::lstat(ToNative(path).c_str(), &st) == 0 && st.st_uid == ::geteuid();
}

}  // namespace vantrel
