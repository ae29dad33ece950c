// The calls of files.h and files_native.h that name POSIX.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/file_info_posix.h"
#include "platform/files.h"
#include "platform/files_native.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace vantrel {

bool GetFileInfo(std::string_view path, FileInfo& info, bool followLinks) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    struct stat st;
    const std::string native = ToNative(path);
    if ((followLinks ? ::stat(native.c_str(), &st) : ::lstat(native.c_str(), &st)) != 0)
        return false;
    info = InfoFromStat(st);
    return true;
}

bool IsReadOnlyFile(std::string_view path) {
    struct stat st;
    if (path.empty() || ::stat(ToNative(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    return (st.st_mode & 0222) == 0 || ::access(ToNative(path).c_str(), W_OK) != 0;
}

unsigned ReplacementPermissions(std::string_view path, bool followLink) {
    const fs::path target = ToNative(path);
    struct stat old;
    if ((followLink ? ::stat(target.c_str(), &old) : ::lstat(target.c_str(), &old)) == 0 &&
        S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool RemoveFile(std::string_view path) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    return ::unlink(ToNative(path).c_str()) == 0;
}

bool RenameFile(std::string_view from, std::string_view to) {
    return ::rename(ToNative(from).c_str(), ToNative(to).c_str()) == 0;
}

bool RenameNoReplace(std::string_view from, std::string_view to) {
    const fs::path target = ToNative(to);
    if (::renameat2(AT_FDCWD, ToNative(from).c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the flag: look first, then rename.
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0) {
        errno = EEXIST;
        return false;
    }
    return ::rename(ToNative(from).c_str(), target.c_str()) == 0;
}

bool HasFolderAccess(std::string_view folder, bool write) {
    return ::access(ToNative(folder).c_str(), write ? R_OK | W_OK | X_OK : R_OK | X_OK) == 0;
}

bool SetFilePermissions(std::string_view path, unsigned permissions) {
    return ::chmod(ToNative(path).c_str(), static_cast<mode_t>(permissions)) == 0;
}

bool MakeFolder(std::string_view path) {
    return ::mkdir(ToNative(path).c_str(), 0777) == 0;
}

bool RemoveEmptyFolder(std::string_view path) {
    return ::rmdir(ToNative(path).c_str()) == 0;
}

std::string MakeUniqueFolder(std::string_view parent, std::string_view prefix) {
    const std::string name = std::string(prefix) + "XXXXXX";
    std::string native = ToNative(JoinPath(parent, name)).string();
    if (::mkdtemp(native.data()) == nullptr)
        return {};
    // mkdtemp fills in letters and digits only: the name is the same text
    // on both sides.
    return JoinPath(parent, std::string(prefix) + native.substr(native.size() - 6));
}

int FileCreationMask() {
    // umask() would change the mask for every thread for a moment; the
    // kernel shows it in the process's status instead.
    static const int mask = [] {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("Umask:", 0) == 0)
                return static_cast<int>(std::strtol(line.c_str() + 6, nullptr, 8));
        }
        return -1;
    }();
    return mask;
}

bool RemoveTree(std::string_view path) {
    std::error_code ec;
    fs::remove_all(ToNative(path), ec);
    return !PathExists(path);
}

FILE* OpenCFile(std::string_view path, const char* mode) {
    return std::fopen(ToNative(path).c_str(), mode);
}

FILE* OpenCFileReplacingLink(std::string_view path) {
    const int fd = OpenReplacingLink(AT_FDCWD, ToNative(path).c_str(), 0666, O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return file;
}

}  // namespace vantrel
