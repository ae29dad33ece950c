// An open file or folder, closed when the object goes away. Paths and names
// are engine paths (see paths.h).
//
// Every call that can fail returns false and leaves the system's reason in
// errno (the C library's codes; strerror() gives the text), so that callers
// word their own messages.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/files.h"

namespace vantrel {

class FileHandle {
  public:
    enum class Mode {
        kRead,
        // Read a regular file only: a folder (EISDIR) or anything else
        // (EINVAL), a FIFO too, is refused without waiting on it.
        kReadFileOnly,
        kWrite,  // created, or truncated when it exists
        // Created, or truncated when it exists; a symbolic link at the name
        // is removed and a new file made in its place, so that its target is
        // never opened. (Folders on the way are followed.)
        kReplace,
        kCreateNew,  // created; fails with EEXIST when the name is taken
        kAppend,     // created when missing; every write goes to its end
        kFolder,     // an open folder, for the *In calls below
    };

    FileHandle() = default;
    // Closes; an error of that close is lost (call Close() to see it).
    ~FileHandle();
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // `permissions` (rwx bits, before the umask) apply to a file that the
    // call creates. A handle that is open is closed first.
    bool Open(std::string_view path, Mode mode, unsigned permissions = 0666);
    // `name` inside the open folder `folder`; a symbolic link at `name`
    // itself is never followed (ELOOP, or ENOTDIR for kFolder).
    bool OpenIn(const FileHandle& folder, std::string_view name, Mode mode,
                unsigned permissions = 0666);
    // Opens `path` as Mode::kReadFileOnly does, and fills `info` from the
    // same look at the file (no second call to the system for it).
    bool OpenFileOnly(std::string_view path, FileInfo& info);
    bool IsOpen() const { return fd_ >= 0; }
    // False when the system reports an error on closing (a write that failed
    // late); the handle is closed either way.
    bool Close();

    // Reads until `size` bytes are in or the file ends; `got` is the count
    // read, also on failure. The second form reads at `offset` and leaves the
    // file position alone.
    bool ReadFull(void* data, size_t size, size_t& got);
    bool ReadFullAt(int64_t offset, void* data, size_t size, size_t& got);
    // Writes all of `data` (a write that makes no progress fails with
    // ENOSPC). The second form writes at `offset`.
    bool WriteAll(const void* data, size_t size);
    bool WriteAllAt(int64_t offset, const void* data, size_t size);
    // Copies up to `size` bytes from this file's position to `out`'s inside
    // the kernel: the count copied, 0 at the end of this file, -1 on failure
    // (errno; ENOSYS, EXDEV, EINVAL or EOPNOTSUPP when the file systems
    // cannot do it, and the caller copies through a buffer instead).
    int64_t CopyRangeTo(FileHandle& out, uint64_t size);
    // Tells the system the file will be read from start to end.
    void HintSequential();
    // Makes the written data durable.
    bool Sync();
    // Takes the system's exclusive lock on the open file or folder without
    // waiting (EWOULDBLOCK when another open handle, of this process or
    // another, holds it). Released when the handle is closed, also when the
    // process ends in any way.
    bool TryLockExclusive();

    bool Info(FileInfo& info) const;
    bool SetPermissions(unsigned permissions);
    // Access and modification time, in seconds since 1970 (UTC).
    bool SetModified(int64_t seconds);

    // On the entries of this open folder; a symbolic link at `name` is never
    // followed.
    bool MakeFolderIn(std::string_view name) const;  // EEXIST when the name exists
    bool InfoIn(std::string_view name, FileInfo& info) const;
    // Replaces an existing file `to` in one step.
    bool RenameIn(std::string_view from, std::string_view to) const;
    bool RemoveIn(std::string_view name) const;
    // Removes the empty folder `name` (ENOTEMPTY when it holds anything).
    bool RemoveFolderIn(std::string_view name) const;

  private:
    bool OpenAt(int folderFd, std::string_view path, Mode mode, unsigned permissions, bool noFollow,
                FileInfo* info = nullptr);
    int fd_ = -1;
};

}  // namespace vantrel
