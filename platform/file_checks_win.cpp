#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/file_checks.h"
#include "platform/win_native.h"

// After windows.h.
#include <aclapi.h>

namespace vantrel {

std::string NotAFileReason(std::string_view path) {
    FileInfo info;
    if (path.empty() || !GetFileInfo(path, info)) {
        const int err = path.empty() ? ENOENT : errno;
        if (err == ENOENT) {
            FileInfo link;
            if (!path.empty() && GetFileInfo(path, link, false))
                return "is a symbolic link to a missing file";
            return "no such file";
        }
        return std::strerror(err);
    }
    if (info.isFile)
        return {};
    if (info.isFolder)
        return "is a folder, not a file";
    return "is a device, not a file";
}

namespace {

// The security identifier of the token's user (TokenUser) or of the owner
// it gives to what it creates (TokenOwner: an administrator's files may
// belong to the Administrators group); empty when it cannot be read.
std::vector<unsigned char> TokenSid(HANDLE token, TOKEN_INFORMATION_CLASS what) {
    DWORD size = 0;
    ::GetTokenInformation(token, what, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token, what, buffer.data(), size, &size))
        return {};
    PSID sid = what == TokenUser ? reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid
                                 : reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner;
    if (!::IsValidSid(sid))
        return {};
    const unsigned char* bytes = static_cast<const unsigned char*>(sid);
    return std::vector<unsigned char>(bytes, bytes + ::GetLengthSid(sid));
}

}  // namespace

bool OwnedByThisUser(std::string_view path) {
    if (path.empty())
        return false;
    // The entry itself, also when it is a link (reparse point).
    HANDLE file = ::CreateFileW(WidePath(path).c_str(), READ_CONTROL,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const bool read = ::GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                        nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS;
    ::CloseHandle(file);
    bool mine = false;
    HANDLE token = nullptr;
    if (read && owner && ::IsValidSid(owner) &&
        ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) {
        for (TOKEN_INFORMATION_CLASS what : {TokenUser, TokenOwner}) {
            std::vector<unsigned char> sid = TokenSid(token, what);
            if (!sid.empty() && ::EqualSid(owner, sid.data()))
                mine = true;
        }
        ::CloseHandle(token);
    }
    if (descriptor)
        ::LocalFree(descriptor);
    return mine;
}

}  // namespace vantrel
