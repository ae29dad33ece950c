// Volumes on Windows: the volume of a path is its drive ("C:\") or share
// ("\\server\share\"), its kind what GetDriveTypeW says.
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/volumes.h"
#include "platform/win_native.h"

namespace fs = std::filesystem;

namespace vantrel {

namespace {

// The root of the volume that holds `path` (or would hold it: the path need
// not exist), with a trailing backslash; empty when there is none.
std::wstring VolumeRoot(std::string_view path) {
    const std::string trimmed = Trim(path);
    if (trimmed.empty())
        return {};
    std::error_code ec;
    const fs::path absolute = fs::absolute(ToNative(trimmed), ec);
    if (ec)
        return {};
    std::wstring root(MAX_PATH + 1, L'\0');
    if (!::GetVolumePathNameW(absolute.c_str(), root.data(), static_cast<DWORD>(root.size())))
        return {};
    root.resize(std::char_traits<wchar_t>::length(root.c_str()));
    if (!root.empty() && root.back() != L'\\')
        root += L'\\';
    return root;
}

UINT DriveTypeOf(std::string_view path) {
    const std::wstring root = VolumeRoot(path);
    return root.empty() ? DRIVE_UNKNOWN : ::GetDriveTypeW(root.c_str());
}

}  // namespace

bool FindMount(std::string_view path, MountEntry& out) {
    const std::wstring root = VolumeRoot(path);
    if (root.empty())
        return false;
    MountEntry e;
    if (!EnginePathOf(root, e.mountPoint))
        return false;
    wchar_t fsName[MAX_PATH + 1] = {};
    if (::GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, fsName,
                                MAX_PATH + 1))
        e.fsType = ToLower(WideToUtf8(fsName));
    e.source = e.mountPoint;
    out = e;
    return true;
}

std::string MountPointOf(std::string_view path) {
    MountEntry e;
    return FindMount(path, e) ? e.mountPoint : std::string();
}

bool MountPointExists(std::string_view path) {
    const std::wstring root = VolumeRoot(path);
    if (root.empty())
        return false;
    const DWORD attributes = ::GetFileAttributesW(root.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

uint64_t FreeBytesOf(std::string_view path) {
    const std::wstring root = VolumeRoot(path);
    ULARGE_INTEGER available{};
    if (root.empty() || !::GetDiskFreeSpaceExW(root.c_str(), &available, nullptr, nullptr))
        return 0;
    return available.QuadPart;
}

bool IsOnCdRom(std::string_view path) {
    return DriveTypeOf(path) == DRIVE_CDROM;
}

bool IsOnRemovable(std::string_view path) {
    const UINT type = DriveTypeOf(path);
    return type == DRIVE_REMOVABLE || type == DRIVE_CDROM;
}

}  // namespace vantrel
