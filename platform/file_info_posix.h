// Inside the platform layer only: FileInfo from what stat() reports, and
// opening a file for writing in place of a symbolic link.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"

namespace vantrel {

inline FileInfo InfoFromStat(const struct stat& st) {
    FileInfo info;
    info.isFile = S_ISREG(st.st_mode);
    info.isFolder = S_ISDIR(st.st_mode);
    info.isLink = S_ISLNK(st.st_mode);
    info.size = static_cast<int64_t>(st.st_size);
    info.modified = static_cast<int64_t>(st.st_mtime);
    info.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    info.permissions = static_cast<unsigned>(st.st_mode & 07777);
    info.device = static_cast<uint64_t>(st.st_dev);
    info.inode = static_cast<uint64_t>(st.st_ino);
    return info;
}

// Opens `path` (relative to the folder `folderFd`) for writing, truncated
// or created with `mode`, without following a symbolic link at the name: a
// link there is removed and a new file created in its place. `extra` adds
// flags (O_CLOEXEC). The descriptor, or -1 (errno).
inline int OpenReplacingLink(int folderFd, const char* path, mode_t mode, int extra) {
    const int flags = O_WRONLY | O_CREAT | O_NOFOLLOW | extra;
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = ::openat(folderFd, path, flags | O_TRUNC, mode);
        if (fd >= 0 || errno != ELOOP)
            return fd;
        // A link: remove the link itself, then make the file where it was;
        // a name taken again in between goes round once more.
        if (::unlinkat(folderFd, path, 0) != 0 && errno != ENOENT)
            return -1;
        fd = ::openat(folderFd, path, flags | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = ELOOP;
    return -1;
}

}  // namespace vantrel
