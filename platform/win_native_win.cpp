#include <cerrno>
#include <filesystem>

#include "platform/encoding.h"
#include "platform/paths.h"
#include "platform/win_native.h"

namespace vantrel {

std::wstring WidePath(std::string_view enginePath) {
    return ToNative(enginePath).wstring();
}

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty())
        return {};
    const int n =
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                              n);
    return out;
}

std::string WideToUtf8(std::wstring_view text) {
    if (text.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                              nullptr, nullptr);
    return out;
}

bool EnginePathOf(std::wstring_view wide, std::string& out) {
    return FromNative(std::filesystem::path(std::wstring(wide)), out);
}

int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return EACCES;
        case ERROR_SHARING_VIOLATION:
            return EBUSY;
        case ERROR_LOCK_VIOLATION:
            return EWOULDBLOCK;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DIR_NOT_EMPTY:
            return ENOTEMPTY;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
        case ERROR_NEGATIVE_SEEK:
            return EINVAL;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_INVALID_HANDLE:
            return EBADF;
        case ERROR_CANT_RESOLVE_FILENAME:
            return ELOOP;
        case ERROR_BROKEN_PIPE:
            return EPIPE;
        case ERROR_CALL_NOT_IMPLEMENTED:
        case ERROR_NOT_SUPPORTED:
        case ERROR_INVALID_FUNCTION:
            return ENOSYS;
        default:
            return EIO;
    }
}

bool FailWithLastError() {
    errno = ErrnoOf(::GetLastError());
    return false;
}

namespace {

int64_t SecondsOf(const FILETIME& time, int64_t* nanoseconds) {
    // 100-ns steps since 1601.
    const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const int64_t since1970 = ticks - 116444736000000000LL;
    if (nanoseconds)
        *nanoseconds = since1970 * 100;
    return since1970 >= 0 ? since1970 / 10000000 : -((-since1970 + 9999999) / 10000000);
}

}  // namespace

bool HandleFileInfo(HANDLE handle, FileInfo& info) {
    BY_HANDLE_FILE_INFORMATION data;
    if (!::GetFileInformationByHandle(handle, &data))
        return FailWithLastError();
    info = FileInfo{};
    const DWORD attributes = data.dwFileAttributes;
    info.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    info.isFile = !info.isFolder && ::GetFileType(handle) == FILE_TYPE_DISK;
    info.size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    info.modified = SecondsOf(data.ftLastWriteTime, &info.modifiedNs);
    // Windows knows only "read-only"; everyone may read and run.
    info.permissions = (attributes & FILE_ATTRIBUTE_READONLY) && !info.isFolder ? 0555 : 0777;
    if (info.isFile)
        info.permissions &= 0666;
    info.device = data.dwVolumeSerialNumber;
    info.inode = (static_cast<uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow;
    return true;
}

bool WideFileInfo(const std::wstring& wide, FileInfo& info, bool followLinks) {
    if (wide.empty()) {
        errno = ENOENT;
        return false;
    }
    const DWORD flags =
        FILE_FLAG_BACKUP_SEMANTICS | (followLinks ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    HANDLE handle = ::CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return FailWithLastError();
    const bool ok = HandleFileInfo(handle, info);
    const int saved = errno;
    if (ok && !followLinks) {
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            info.isLink = true;
            info.isFile = info.isFolder = false;
        }
    }
    ::CloseHandle(handle);
    errno = saved;
    return ok;
}

bool RemoveWideFile(const std::wstring& wide) {
    if (::DeleteFileW(wide.c_str()))
        return true;
    const DWORD error = ::GetLastError();
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        if (::DeleteFileW(wide.c_str()))
            return true;
        const DWORD again = ::GetLastError();
        ::SetFileAttributesW(wide.c_str(), attributes);
        errno = ErrnoOf(again);
        return false;
    }
    if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = EISDIR;
        return false;
    }
    errno = ErrnoOf(error);
    return false;
}

std::wstring PathOfHandle(HANDLE handle) {
    std::wstring buffer(1024, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const DWORD n =
            ::GetFinalPathNameByHandleW(handle, buffer.data(), static_cast<DWORD>(buffer.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            if (buffer.rfind(L"\\\\?\\UNC\\", 0) == 0)
                return L"\\\\" + buffer.substr(8);
            if (buffer.rfind(L"\\\\?\\", 0) == 0)
                return buffer.substr(4);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
    return {};
}

}  // namespace vantrel
