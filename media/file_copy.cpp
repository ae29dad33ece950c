#include "media/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

namespace fs = std::filesystem;

namespace {

constexpr size_t kBufferSize = 1 << 20;

void SetError(std::string* error, std::string_view path, int err) {
    if (error)
        *error = DisplayPath(path) + ": " + std::strerror(err);
}

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now; the errno of a failed close, else 0.
    int Close() {
        int rc = fd_ >= 0 ? ::close(fd_) : 0;
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// Writes all of `data`; 0 or the errno.
int WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return 0;
}

// Copies the rest of `in` to `out`; 0 or the errno of the failed write
// (negative: of the failed read).
int CopyData(int in, int out, uint64_t size, uint64_t& copied) {
    // In the kernel first; a file system that cannot do it falls back.
    bool kernel = true;
    while (kernel && copied < size) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size - copied, 0);
        if (n > 0) {
            copied += static_cast<uint64_t>(n);
            continue;
        }
        if (n == 0)
            break;  // the file is shorter than it was
        if (errno == EINTR)
            continue;
        if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EIO)
            return errno;
        kernel = false;  // EXDEV, ENOSYS, EINVAL, EOPNOTSUPP...
    }
    std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    for (;;) {
        ssize_t n = ::read(in, buffer.get(), kBufferSize);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -errno;
        }
        if (n == 0)
            return 0;
        if (int err = WriteAll(out, buffer.get(), static_cast<size_t>(n)); err != 0)
            return err;
        copied += static_cast<uint64_t>(n);
    }
}

bool IsNoSpace(int err) {
    return err == ENOSPC || err == EDQUOT;
}

}  // namespace

CopyOutcome CopyFileData(std::string_view from, std::string_view to, std::string* error,
                         uint64_t* bytes) {
    if (bytes)
        *bytes = 0;
    const fs::path src = ToNative(from);
    const fs::path dst = ToNative(to);
    Fd in(::open(src.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (in.get() < 0 || ::fstat(in.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        SetError(error, from, in.get() < 0 ? errno : EISDIR);
        return CopyOutcome::kSourceMissing;
    }
    const mode_t mode = st.st_mode & 0777;
    int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    int outFd = ::open(dst.c_str(), flags, mode | S_IWUSR);
    if (outFd < 0 && (errno == EACCES || errno == EPERM)) {
        // A read-only copy of an earlier build: replace it.
        struct stat old;
        if (::lstat(dst.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::unlink(dst.c_str()) == 0)
            outFd = ::open(dst.c_str(), flags, mode | S_IWUSR);
        else
            errno = EACCES;
    }
    if (outFd < 0) {
        int err = errno;
        SetError(error, to, err);
        return IsNoSpace(err) ? CopyOutcome::kNoSpace : CopyOutcome::kFailed;
    }
    Fd out(outFd);
    uint64_t copied = 0;
    int err = CopyData(in.get(), out.get(), static_cast<uint64_t>(st.st_size), copied);
    if (err == 0)
        err = out.Close();
    if (bytes)
        *bytes = copied;
    if (err != 0) {
        struct stat target;
        // Never leave a partial copy behind; a character device (a test's
        // /dev/full) is not ours to remove.
        if (::stat(dst.c_str(), &target) == 0 && S_ISREG(target.st_mode))
            ::unlink(dst.c_str());
        SetError(error, err < 0 ? from : to, err < 0 ? -err : err);
        return IsNoSpace(err) ? CopyOutcome::kNoSpace : CopyOutcome::kFailed;
    }
    // The mode given to open() passes through the umask; match the source.
    ::chmod(dst.c_str(), mode);
    return CopyOutcome::kCopied;
}

uint64_t SizeOfTree(std::string_view path) {
    std::error_code ec;
    const fs::path root = ToNative(path);
    if (fs::is_regular_file(root, ec))
        return fs::file_size(root, ec);
    uint64_t total = 0;
    if (!fs::is_directory(root, ec))
        return 0;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fe;
        if (it->is_regular_file(fe)) {
            uint64_t size = it->file_size(fe);
            if (!fe)
                total += size;
        }
    }
    return total;
}

bool RemoveTreeForced(std::string_view path) {
    std::error_code ec;
    const fs::path root = ToNative(path);
    if (!fs::exists(fs::symlink_status(root, ec)))
        return true;
    if (fs::is_directory(fs::symlink_status(root, ec))) {
        fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end;
             it.increment(ec)) {
            std::error_code pe;
            if (it->is_symlink(pe))
                continue;
            const fs::perms add = it->is_directory(pe)
                                      ? fs::perms::owner_all
                                      : fs::perms::owner_read | fs::perms::owner_write;
            fs::permissions(it->path(), add, fs::perm_options::add, pe);
        }
    }
    fs::remove_all(root, ec);
    return !fs::exists(fs::symlink_status(root, ec));
}

bool SetReadOnly(std::string_view path, bool readOnly) {
    std::error_code ec;
    const fs::perms write =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (readOnly)
        fs::permissions(ToNative(path), write, fs::perm_options::remove, ec);
    else
        fs::permissions(ToNative(path), fs::perms::owner_write, fs::perm_options::add, ec);
    return !ec;
}

}  // namespace vantrel
