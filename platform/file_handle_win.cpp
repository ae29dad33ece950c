// FileHandle on the Win32 API. The handle is kept as a C runtime descriptor
// (_open_osfhandle), so that the object looks the same on every system; the
// calls on the entries of an open folder work on the folder's path.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/file_handle.h"
#include "platform/paths.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

HANDLE HandleOf(int fd) {
    return fd < 0 ? INVALID_HANDLE_VALUE : reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

std::wstring InFolder(int folderFd, std::string_view name) {
    std::wstring folder = PathOfHandle(HandleOf(folderFd));
    if (folder.empty())
        return {};
    std::wstring wideName = ToNative(name).wstring();
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder + wideName;
}

bool IsReparsePoint(const std::wstring& wide) {
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Reads or writes at `offset` or, when it is negative, at the file position
// (which an offset call leaves where it was, as pread and pwrite do).
bool Transfer(HANDLE handle, int64_t offset, char* data, size_t size, size_t& done, bool write) {
    done = 0;
    LARGE_INTEGER saved{};
    if (offset >= 0) {
        LARGE_INTEGER zero{};
        if (!::SetFilePointerEx(handle, zero, &saved, FILE_CURRENT))
            return FailWithLastError();
    }
    bool ok = true;
    while (done < size) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 30));
        DWORD n = 0;
        OVERLAPPED at{};
        if (offset >= 0) {
            const uint64_t where = static_cast<uint64_t>(offset) + done;
            at.Offset = static_cast<DWORD>(where);
            at.OffsetHigh = static_cast<DWORD>(where >> 32);
        }
        const BOOL result =
            write ? ::WriteFile(handle, data + done, chunk, &n, offset >= 0 ? &at : nullptr)
                  : ::ReadFile(handle, data + done, chunk, &n, offset >= 0 ? &at : nullptr);
        if (!result) {
            const DWORD error = ::GetLastError();
            if (!write && (error == ERROR_HANDLE_EOF || error == ERROR_BROKEN_PIPE))
                break;
            errno = ErrnoOf(error);
            ok = false;
            break;
        }
        if (n == 0) {
            if (write) {
                errno = ENOSPC;
                ok = false;
            }
            break;
        }
        done += n;
    }
    if (offset >= 0)
        ::SetFilePointerEx(handle, saved, nullptr, FILE_BEGIN);
    return ok;
}

}  // namespace

FileHandle::~FileHandle() {
    if (fd_ >= 0) {
        const int saved = errno;
        ::_close(fd_);
        errno = saved;
    }
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::_close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool FileHandle::OpenAt(int folderFd, std::string_view path, Mode mode, unsigned permissions,
                        bool noFollow, FileInfo* info) {
    Close();
    const std::wstring wide = folderFd >= 0 ? InFolder(folderFd, path) : WidePath(path);
    if (wide.empty()) {
        errno = path.empty() ? ENOENT : EBADF;
        return false;
    }
    if (noFollow && IsReparsePoint(wide)) {
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        errno = mode == Mode::kFolder && !(attributes & FILE_ATTRIBUTE_DIRECTORY) ? ENOTDIR : ELOOP;
        if (mode != Mode::kReplace)
            return false;
    }
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    const bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    DWORD access = GENERIC_READ, disposition = OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    int crtFlags = _O_BINARY;
    switch (mode) {
        case Mode::kRead:
            crtFlags |= _O_RDONLY;
            if (isFolder)
                flags = FILE_FLAG_BACKUP_SEMANTICS;
            break;
        case Mode::kReadFileOnly:
            crtFlags |= _O_RDONLY;
            if (isFolder) {
                errno = EISDIR;
                return false;
            }
            break;
        case Mode::kReplace:
            if (IsReparsePoint(wide) && !RemoveWideFile(wide))
                return false;
            [[fallthrough]];
        case Mode::kWrite:
            access = GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            crtFlags |= _O_WRONLY;
            break;
        case Mode::kCreateNew:
            access = GENERIC_WRITE;
            disposition = CREATE_NEW;
            crtFlags |= _O_WRONLY;
            break;
        case Mode::kAppend:
            access = FILE_APPEND_DATA | SYNCHRONIZE;
            disposition = OPEN_ALWAYS;
            crtFlags |= _O_WRONLY | _O_APPEND;
            break;
        case Mode::kFolder:
            if (attributes != INVALID_FILE_ATTRIBUTES && !isFolder) {
                errno = ENOTDIR;
                return false;
            }
            flags = FILE_FLAG_BACKUP_SEMANTICS;
            crtFlags |= _O_RDONLY;
            break;
    }
    if ((isFolder || mode == Mode::kFolder) && access != GENERIC_READ) {
        errno = EISDIR;
        return false;
    }
    if (disposition != OPEN_EXISTING && !(permissions & 0200))
        flags = FILE_ATTRIBUTE_READONLY;
    HANDLE handle =
        ::CreateFileW(wide.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, disposition, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FailWithLastError();
    if (mode == Mode::kReadFileOnly && ::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        errno = EINVAL;
        return false;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), crtFlags);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
        return false;
    }
    fd_ = fd;
    if (info && !Info(*info)) {
        const int err = errno;
        Close();
        errno = err;
        return false;
    }
    return true;
}

bool FileHandle::Open(std::string_view path, Mode mode, unsigned permissions) {
    return OpenAt(-1, path, mode, permissions, false);
}

bool FileHandle::OpenFileOnly(std::string_view path, FileInfo& info) {
    return OpenAt(-1, path, Mode::kReadFileOnly, 0, false, &info);
}

bool FileHandle::OpenIn(const FileHandle& folder, std::string_view name, Mode mode,
                        unsigned permissions) {
    if (folder.fd_ < 0) {
        errno = EBADF;
        return false;
    }
    return OpenAt(folder.fd_, name, mode, permissions, true);
}

bool FileHandle::Close() {
    if (fd_ < 0)
        return true;
    const int fd = std::exchange(fd_, -1);
    return ::_close(fd) == 0;
}

bool FileHandle::ReadFull(void* data, size_t size, size_t& got) {
    return Transfer(HandleOf(fd_), -1, static_cast<char*>(data), size, got, false);
}

bool FileHandle::ReadFullAt(int64_t offset, void* data, size_t size, size_t& got) {
    return Transfer(HandleOf(fd_), offset, static_cast<char*>(data), size, got, false);
}

bool FileHandle::WriteAll(const void* data, size_t size) {
    size_t done = 0;
    return Transfer(HandleOf(fd_), -1, static_cast<char*>(const_cast<void*>(data)), size, done,
                    true);
}

bool FileHandle::WriteAllAt(int64_t offset, const void* data, size_t size) {
    size_t done = 0;
    return Transfer(HandleOf(fd_), offset, static_cast<char*>(const_cast<void*>(data)), size, done,
                    true);
}

int64_t FileHandle::CopyRangeTo(FileHandle&, uint64_t) {
    // No copy inside the system between two open files: the caller copies
    // through a buffer.
    errno = ENOSYS;
    return -1;
}

void FileHandle::HintSequential() {}

bool FileHandle::Sync() {
    return ::FlushFileBuffers(HandleOf(fd_)) ? true : FailWithLastError();
}

bool FileHandle::Info(FileInfo& info) const {
    return HandleFileInfo(HandleOf(fd_), info);
}

bool FileHandle::SetPermissions(unsigned permissions) {
    const std::wstring path = PathOfHandle(HandleOf(fd_));
    if (path.empty())
        return FailWithLastError();
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FailWithLastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return true;
    DWORD wanted = (permissions & 0200) ? attributes & ~FILE_ATTRIBUTE_READONLY
                                        : attributes | FILE_ATTRIBUTE_READONLY;
    if (wanted == 0)
        wanted = FILE_ATTRIBUTE_NORMAL;
    return ::SetFileAttributesW(path.c_str(), wanted) ? true : FailWithLastError();
}

bool FileHandle::SetModified(int64_t seconds) {
    const std::wstring path = PathOfHandle(HandleOf(fd_));
    if (path.empty())
        return FailWithLastError();
    HANDLE handle = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FailWithLastError();
    const int64_t ticks = seconds * 10000000LL + 116444736000000000LL;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    const bool ok = ::SetFileTime(handle, nullptr, &time, &time) != 0;
    const DWORD error = ::GetLastError();
    ::CloseHandle(handle);
    if (!ok)
        errno = ErrnoOf(error);
    return ok;
}

bool FileHandle::MakeFolderIn(std::string_view name) const {
    const std::wstring wide = InFolder(fd_, name);
    return ::CreateDirectoryW(wide.c_str(), nullptr) ? true : FailWithLastError();
}

bool FileHandle::InfoIn(std::string_view name, FileInfo& info) const {
    return WideFileInfo(InFolder(fd_, name), info, false);
}

bool FileHandle::RenameIn(std::string_view from, std::string_view to) const {
    return ::MoveFileExW(InFolder(fd_, from).c_str(), InFolder(fd_, to).c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? true
               : FailWithLastError();
}

bool FileHandle::RemoveIn(std::string_view name) const {
    return RemoveWideFile(InFolder(fd_, name));
}

bool FileHandle::RemoveFolderIn(std::string_view name) const {
    return ::RemoveDirectoryW(InFolder(fd_, name).c_str()) ? true : FailWithLastError();
}

bool FileHandle::TryLockExclusive() {
    if (fd_ < 0) {
        errno = EBADF;
        return false;
    }
    OVERLAPPED at{};
    if (::LockFileEx(HandleOf(fd_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                     MAXDWORD, MAXDWORD, &at))
        return true;
    const DWORD error = ::GetLastError();
    // A folder cannot be locked by byte range: its handle, opened without
    // letting others delete it, is what holds it.
    if (error == ERROR_INVALID_FUNCTION || error == ERROR_INVALID_PARAMETER ||
        error == ERROR_ACCESS_DENIED) {
        FileInfo info;
        if (HandleFileInfo(HandleOf(fd_), info) && info.isFolder)
            return true;
    }
    errno =
        error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING ? EWOULDBLOCK : ErrnoOf(error);
    return false;
}

}  // namespace vantrel
