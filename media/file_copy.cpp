#include "media/file_copy.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/build_time.h"
#include "platform/file_handle.h"
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

// Copies `size` bytes of `in` to `out`; 0 or the errno of the failed write
// (negative: of the failed read).
int CopyData(FileHandle& in, FileHandle& out, uint64_t size, uint64_t& copied) {
    // In the kernel first; a file system that cannot do it falls back. Once
    // the size known from the source is copied, the copy is complete.
    while (copied < size) {
        int64_t n = in.CopyRangeTo(out, size - copied);
        if (n > 0) {
            copied += static_cast<uint64_t>(n);
            continue;
        }
        if (n == 0)
            return 0;  // the file is shorter than it was
        if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG || errno == EIO)
            return errno;
        break;  // EXDEV, ENOSYS, EINVAL, EOPNOTSUPP...
    }
    if (copied >= size)
        return 0;
    std::unique_ptr<char[]> buffer(new char[kBufferSize]);
    for (;;) {
        size_t n = 0;
        if (!in.ReadFull(buffer.get(), kBufferSize, n))
            return -errno;
        if (n == 0)
            return 0;
        if (!out.WriteAll(buffer.get(), n))
            return errno;
        copied += n;
    }
}

bool IsNoSpace(int err) {
    return err == ENOSPC || err == EDQUOT;
}

}  // namespace

CopyOutcome CopySource::Open(std::string_view from, std::string* error) {
    path = std::string(from);
    if (!file.Open(from, FileHandle::Mode::kRead) || !file.Info(info) || !info.isFile) {
        SetError(error, from, file.IsOpen() ? EISDIR : errno);
        file.Close();
        return CopyOutcome::kSourceMissing;
    }
    return CopyOutcome::kCopied;
}

CopyOutcome CopyFileData(std::string_view from, std::string_view to, std::string* error,
                         uint64_t* bytes) {
    if (bytes)
        *bytes = 0;
    CopySource source;
    const CopyOutcome opened = source.Open(from, error);
    if (opened != CopyOutcome::kCopied)
        return opened;
    return CopyFileData(source, to, error, bytes);
}

CopyOutcome CopyFileData(CopySource& source, std::string_view to, std::string* error,
                         uint64_t* bytes) {
    if (bytes)
        *bytes = 0;
    const std::string_view from = source.path;
    const unsigned mode = source.info.permissions & 0777;
    // A file copied onto itself (the same name, or another link to the same
    // file) would be emptied by the opening that truncates it.
    FileInfo existing;
    if (GetFileInfo(to, existing, false) && existing.device == source.info.device &&
        existing.inode == source.info.inode) {
        if (error)
            *error = DisplayPath(to) + ": is the source file " + DisplayPath(from) +
                     " itself; it is not copied onto itself";
        return CopyOutcome::kFailed;
    }
    // A new file gets its mode from open() through the creation mask; only
    // a file that was there already, or a mode the mask changes, needs it set.
    // A symbolic link at `to` is replaced by the copy, never written through.
    FileHandle out;
    bool fresh = out.Open(to, FileHandle::Mode::kCreateNew, mode | 0200);
    if (!fresh && errno == EEXIST && !out.Open(to, FileHandle::Mode::kReplace, mode | 0200) &&
        (errno == EACCES || errno == EPERM)) {
        // A read-only copy of an earlier build: replace it.
        FileInfo old;
        if (GetFileInfo(to, old, false) && old.isFile && RemoveFile(to))
            out.Open(to, FileHandle::Mode::kReplace, mode | 0200);
        else
            errno = EACCES;
    }
    if (!out.IsOpen()) {
        int err = errno;
        SetError(error, to, err);
        return IsNoSpace(err) ? CopyOutcome::kNoSpace : CopyOutcome::kFailed;
    }
    uint64_t copied = 0;
    int err = CopyData(source.file, out, static_cast<uint64_t>(source.info.size), copied);
    // The copy keeps the source's time, as a copy on Windows does; a
    // reproducible build gives every copy its fixed time.
    int64_t fixed = 0;
    if (err == 0)
        out.SetModified(FixedBuildTime(fixed) ? fixed : source.info.modified);
    const int mask = FileCreationMask();
    if (err == 0 && (!fresh || mask < 0 || ((mode | 0200) & ~static_cast<unsigned>(mask)) != mode))
        out.SetPermissions(mode);
    if (err == 0 && !out.Close())
        err = errno;
    if (bytes)
        *bytes = copied;
    if (err != 0) {
        FileInfo target;
        // Never leave a partial copy behind; a character device (a test's
        // /dev/full) is not ours to remove.
        if (GetFileInfo(to, target) && target.isFile)
            RemoveFile(to);
        SetError(error, err < 0 ? from : to, err < 0 ? -err : err);
        return IsNoSpace(err) ? CopyOutcome::kNoSpace : CopyOutcome::kFailed;
    }
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
