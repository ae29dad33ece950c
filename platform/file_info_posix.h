// Inside the platform layer only: FileInfo from what stat() reports.
#pragma once

#include <sys/stat.h>

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

}  // namespace vantrel
