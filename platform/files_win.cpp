// The calls of files.h and files_native.h on the Win32 API, with wide paths.
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/files.h"
#include "platform/files_native.h"
#include "platform/paths.h"
#include "platform/win_native.h"

namespace vantrel {

bool GetFileInfo(std::string_view path, FileInfo& info, bool followLinks) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    return WideFileInfo(WidePath(path), info, followLinks);
}

bool IsReadOnlyFile(std::string_view path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_READONLY);
}

unsigned ReplacementPermissions(std::string_view path, bool followLink) {
    FileInfo old;
    if (GetFileInfo(path, old, followLink) && old.isFile)
        return old.permissions;
    return 0666;
}

bool RemoveFile(std::string_view path) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    // A link to a folder is removed as a folder is.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ::RemoveDirectoryW(wide.c_str()) ? true : FailWithLastError();
    return RemoveWideFile(wide);
}

bool RenameFile(std::string_view from, std::string_view to) {
    // Replaces an existing file in one step; the data is on the disk when
    // the call returns.
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    return FailWithLastError();
}

bool RenameNoReplace(std::string_view from, std::string_view to) {
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), MOVEFILE_WRITE_THROUGH))
        return true;
    return FailWithLastError();
}

bool HasFolderAccess(std::string_view folder, bool write) {
    const std::wstring wide = WidePath(folder);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FailWithLastError();
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        errno = ENOTDIR;
        return false;
    }
    // Listing it.
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((wide + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return FailWithLastError();
    ::FindClose(find);
    if (!write)
        return true;
    // Windows answers "may I write here" only by trying: a file that goes
    // away when closed.
    std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::wstring probe =
            wide + L"\\.vantrel-access-" + std::to_wstring(random() % 1000000000u);
        HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            ::CloseHandle(file);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS)
            return FailWithLastError();
    }
    errno = EEXIST;
    return false;
}

bool SetFilePermissions(std::string_view path, unsigned permissions) {
    // Windows keeps one bit of them: a file without the owner's write
    // permission is read-only.
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FailWithLastError();
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return true;
    DWORD wanted = (permissions & 0200) ? attributes & ~FILE_ATTRIBUTE_READONLY
                                        : attributes | FILE_ATTRIBUTE_READONLY;
    if (wanted == 0)
        wanted = FILE_ATTRIBUTE_NORMAL;
    return ::SetFileAttributesW(wide.c_str(), wanted) ? true : FailWithLastError();
}

bool MakeFolder(std::string_view path) {
    return ::CreateDirectoryW(WidePath(path).c_str(), nullptr) ? true : FailWithLastError();
}

bool RemoveEmptyFolder(std::string_view path) {
    return ::RemoveDirectoryW(WidePath(path).c_str()) ? true : FailWithLastError();
}

std::string MakeUniqueFolder(std::string_view parent, std::string_view prefix) {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name(prefix);
        for (int i = 0; i < 6; ++i)
            name.push_back(kChars[pick(random)]);
        const std::string path = JoinPath(parent, name);
        if (MakeFolder(path))
            return path;
        if (errno != EEXIST)
            return {};
    }
    return {};
}

int FileCreationMask() {
    // Windows has no creation mask: new files are not kept from anyone by
    // their permissions (the folder's access rules decide).
    return 0;
}

namespace {

// Removes what the folder holds, then the folder; a link (reparse point) is
// removed itself, never followed. Each entry is tried once, so that an entry
// that cannot go (open elsewhere, a name the system cannot handle) ends the
// call instead of holding it.
void RemoveWideTree(const std::wstring& folder, int depth) {
    if (depth > 64)
        return;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            const DWORD attributes = entry.dwFileAttributes;
            if ((attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveWideTree(path, depth + 1);
            } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
                ::RemoveDirectoryW(path.c_str());
            } else {
                RemoveWideFile(path);
            }
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

bool RemoveTree(std::string_view path) {
    const std::wstring wide = WidePath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return !PathExists(path);
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        RemoveWideTree(wide, 0);
    else
        RemoveFile(path);
    return !PathExists(path);
}

FILE* OpenCFile(std::string_view path, const char* mode) {
    // Opened with leave for others to rename and delete the file, as POSIX
    // systems allow: a file being read can be replaced by a save meanwhile.
    const std::string_view m(mode);
    const bool plus = m.find('+') != std::string_view::npos;
    DWORD access = GENERIC_READ, disposition = OPEN_EXISTING;
    int flags = _O_BINARY;
    switch (m.empty() ? 'r' : m[0]) {
        case 'w':
            access = GENERIC_WRITE | (plus ? GENERIC_READ : 0);
            disposition = CREATE_ALWAYS;
            flags |= plus ? _O_RDWR : _O_WRONLY;
            break;
        case 'a':
            access = FILE_APPEND_DATA | SYNCHRONIZE | (plus ? GENERIC_READ : 0);
            disposition = OPEN_ALWAYS;
            flags |= _O_APPEND | (plus ? _O_RDWR : _O_WRONLY);
            break;
        default:
            access = GENERIC_READ | (plus ? GENERIC_WRITE : 0);
            flags |= plus ? _O_RDWR : _O_RDONLY;
            break;
    }
    HANDLE handle = ::CreateFileW(WidePath(path).c_str(), access,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        FailWithLastError();
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), flags);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
        return nullptr;
    }
    FILE* file = ::_wfdopen(fd, Utf8ToWide(mode).c_str());
    if (!file)
        ::_close(fd);
    return file;
}

FILE* OpenCFileReplacingLink(std::string_view path) {
    FileInfo info;
    if (GetFileInfo(path, info, false) && info.isLink && !RemoveFile(path))
        return nullptr;
    return OpenCFile(path, "wb");
}

}  // namespace vantrel
