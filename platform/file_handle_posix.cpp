#include "platform/file_handle.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/file_info_posix.h"
#include "platform/paths.h"

namespace vantrel {

namespace {

int FlagsOf(FileHandle::Mode mode) {
    switch (mode) {
        case FileHandle::Mode::kRead:
            return O_RDONLY;
        case FileHandle::Mode::kReadFileOnly:
            return O_RDONLY | O_NONBLOCK;
        case FileHandle::Mode::kWrite:
        case FileHandle::Mode::kReplace:
            return O_WRONLY | O_CREAT | O_TRUNC;
        case FileHandle::Mode::kCreateNew:
            return O_WRONLY | O_CREAT | O_EXCL;
        case FileHandle::Mode::kAppend:
            return O_WRONLY | O_CREAT | O_APPEND;
        case FileHandle::Mode::kFolder:
            return O_RDONLY | O_DIRECTORY;
    }
    return O_RDONLY;
}

// Reads until `size` bytes are in or the file ends, at `offset` or, when it
// is negative, at the file position.
bool ReadLoop(int fd, int64_t offset, void* buffer, size_t size, size_t& got) {
    char* data = static_cast<char*>(buffer);
    got = 0;
    while (got < size) {
        ssize_t n = offset < 0 ? ::read(fd, data + got, size - got)
                               : ::pread(fd, data + got, size - got,
                                         static_cast<off_t>(offset + static_cast<int64_t>(got)));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    return true;
}

// Writes all of `size` bytes, at `offset` or, when it is negative, at the
// file position.
bool WriteLoop(int fd, int64_t offset, const void* buffer, size_t size) {
    const char* data = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < size) {
        ssize_t n = offset < 0 ? ::write(fd, data + done, size - done)
                               : ::pwrite(fd, data + done, size - done,
                                          static_cast<off_t>(offset + static_cast<int64_t>(done)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

FileHandle::~FileHandle() {
    if (fd_ >= 0) {
        const int saved = errno;
        ::close(fd_);
        errno = saved;
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool FileHandle::OpenAt(int folderFd, std::string_view path, Mode mode, unsigned permissions,
                        bool noFollow, FileInfo* info) {
    Close();
    int flags = FlagsOf(mode) | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
    int fd = mode == Mode::kReplace ? OpenReplacingLink(folderFd, ToNative(path).c_str(),
                                                        static_cast<mode_t>(permissions), O_CLOEXEC)
                                    : ::openat(folderFd, ToNative(path).c_str(), flags,
                                               static_cast<mode_t>(permissions));
    if (fd < 0)
        return false;
    if (mode == Mode::kReadFileOnly) {
        struct stat st;
        int err = 0;
        if (::fstat(fd, &st) != 0)
            err = errno;
        else if (!S_ISREG(st.st_mode))
            err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        if (err != 0) {
            ::close(fd);
            errno = err;
            return false;
        }
        // O_NONBLOCK changes nothing for a regular file, so it is left set.
        if (info)
            *info = InfoFromStat(st);
    }
    fd_ = fd;
    return true;
}

bool FileHandle::Open(std::string_view path, Mode mode, unsigned permissions) {
    return OpenAt(AT_FDCWD, path, mode, permissions, false);
}

bool FileHandle::OpenFileOnly(std::string_view path, FileInfo& info) {
    return OpenAt(AT_FDCWD, path, Mode::kReadFileOnly, 0, false, &info);
}

bool FileHandle::OpenIn(const FileHandle& folder, std::string_view name, Mode mode,
                        unsigned permissions) {
    return OpenAt(folder.fd_, name, mode, permissions, true);
}

bool FileHandle::Close() {
    if (fd_ < 0)
        return true;
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0;
}

bool FileHandle::ReadFull(void* data, size_t size, size_t& got) {
    return ReadLoop(fd_, -1, data, size, got);
}

bool FileHandle::ReadFullAt(int64_t offset, void* data, size_t size, size_t& got) {
    return ReadLoop(fd_, offset, data, size, got);
}

bool FileHandle::WriteAll(const void* data, size_t size) {
    return WriteLoop(fd_, -1, data, size);
}

bool FileHandle::WriteAllAt(int64_t offset, const void* data, size_t size) {
    return WriteLoop(fd_, offset, data, size);
}

int64_t FileHandle::CopyRangeTo(FileHandle& out, uint64_t size) {
    for (;;) {
        ssize_t n = ::copy_file_range(fd_, nullptr, out.fd_, nullptr, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

void FileHandle::HintSequential() {
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

bool FileHandle::Sync() {
    return ::fsync(fd_) == 0;
}

bool FileHandle::Info(FileInfo& info) const {
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        return false;
    info = InfoFromStat(st);
    return true;
}

bool FileHandle::SetPermissions(unsigned permissions) {
    return ::fchmod(fd_, static_cast<mode_t>(permissions)) == 0;
}

bool FileHandle::SetModified(int64_t seconds) {
    struct timespec times[2] = {{static_cast<time_t>(seconds), 0},
                                {static_cast<time_t>(seconds), 0}};
    return ::futimens(fd_, times) == 0;
}

bool FileHandle::MakeFolderIn(std::string_view name) const {
    return ::mkdirat(fd_, ToNative(name).c_str(), 0777) == 0;
}

bool FileHandle::InfoIn(std::string_view name, FileInfo& info) const {
    struct stat st;
    if (::fstatat(fd_, ToNative(name).c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    info = InfoFromStat(st);
    return true;
}

bool FileHandle::RenameIn(std::string_view from, std::string_view to) const {
    return ::renameat(fd_, ToNative(from).c_str(), fd_, ToNative(to).c_str()) == 0;
}

bool FileHandle::RemoveIn(std::string_view name) const {
    return ::unlinkat(fd_, ToNative(name).c_str(), 0) == 0;
}

bool FileHandle::RemoveFolderIn(std::string_view name) const {
    return ::unlinkat(fd_, ToNative(name).c_str(), AT_REMOVEDIR) == 0;
}

bool FileHandle::TryLockExclusive() {
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    return rc == 0;
}

}  // namespace vantrel
