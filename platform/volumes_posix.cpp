#include "platform/volumes.h"

#include <sys/statvfs.h>

#include <unistd.h>
#include <cerrno>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace fs = std::filesystem;

namespace vantrel {

namespace {

// "C:..." or "\\server..." (either separator): Windows forms with no volume here.
bool IsWindowsForm(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':')
        return true;
    return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

// The nearest existing folder or file at or above `path`, with links resolved,
// as a native path; empty when there is none.
fs::path ResolveExisting(std::string_view path) {
    std::string trimmed = Trim(path);
    if (trimmed.empty() || IsWindowsForm(trimmed))
        return {};
    std::error_code ec;
    fs::path p = fs::absolute(ToNative(trimmed), ec).lexically_normal();
    if (ec)
        return {};
    while (true) {
        fs::path canonical = fs::canonical(p, ec);
        if (!ec)
            return canonical;
        if (!p.has_relative_path())
            return {};
        fs::path parent = p.parent_path();
        if (parent == p)
            return {};
        p = parent;
    }
}

std::string ReadSmallFile(const fs::path& path) {
    std::string text;
    std::string engine;
    if (!FromNative(path, engine))
        return {};
    ReadWholeFile(engine, text);
    return text;
}

}  // namespace

bool FindMount(std::string_view path, MountEntry& out) {
    fs::path resolved = ResolveExisting(path);
    if (resolved.empty())
        return false;
    std::string mountinfo = ReadSmallFile("/proc/self/mountinfo");
    if (mountinfo.empty())
        return false;
    MountEntry e;
    if (!FindMountIn(mountinfo, resolved.string(), e))
        return false;
    std::string engine;
    if (!FromNative(e.mountPoint, engine))
        return false;
    e.mountPoint = engine;
    out = e;
    return true;
}

std::string MountPointOf(std::string_view path) {
    MountEntry e;
    return FindMount(path, e) ? e.mountPoint : std::string();
}

bool MountPointExists(std::string_view path) {
    std::string mount = MountPointOf(path);
    return !mount.empty() && IsFolder(mount);
}

uint64_t FreeBytesOf(std::string_view path) {
    // statvfs follows links itself, so the nearest existing folder will do;
    // this is asked once per copied file and must stay cheap.
    std::string trimmed = Trim(path);
    if (trimmed.empty() || IsWindowsForm(trimmed))
        return 0;
    fs::path p = ToNative(trimmed);
    struct statvfs st;
    while (::statvfs(p.c_str(), &st) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return 0;
        fs::path parent = p.has_relative_path() ? p.parent_path() : fs::path();
        if (parent.empty())
            parent = ".";
        if (parent == p)
            return 0;
        p = parent;
    }
    return static_cast<uint64_t>(st.f_bavail) * static_cast<uint64_t>(st.f_frsize);
}

bool IsOnCdRom(std::string_view path) {
    MountEntry e;
    if (!FindMount(path, e))
        return false;
    return e.fsType == "iso9660" || e.fsType == "udf";
}

bool IsOnRemovable(std::string_view path) {
    MountEntry e;
    if (!FindMount(path, e))
        return false;
    if (e.fsType == "iso9660" || e.fsType == "udf")
        return true;
    if (e.major == 0)
        return false;  // no block device (tmpfs, proc, overlay...)
    // /sys/dev/block/M:m leads to the device, or to a partition whose parent
    // folder is the device; "removable" sits beside the device.
    std::error_code ec;
    fs::path dev = fs::canonical(
        "/sys/dev/block/" + std::to_string(e.major) + ":" + std::to_string(e.minor), ec);
    if (ec)
        return false;
    for (fs::path p : {dev, dev.parent_path()}) {
        std::string flag = Trim(ReadSmallFile(p / "removable"));
        if (!flag.empty())
            return flag == "1";
    }
    return false;
}

}  // namespace vantrel
