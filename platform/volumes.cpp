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

// Undoes the octal escapes of mountinfo ("\040" for a blank).
std::string Unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3') {
            int v = 0;
            bool ok = true;
            for (size_t k = 1; k <= 3; ++k) {
                char c = field[i + k];
                if (c < '0' || c > '7')
                    ok = false;
                v = v * 8 + (c - '0');
            }
            if (ok) {
                out += static_cast<char>(v);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool UnderMount(std::string_view path, std::string_view mount) {
    if (mount == "/")
        return StartsWith(path, "/");
    if (!StartsWith(path, mount))
        return false;
    return path.size() == mount.size() || path[mount.size()] == '/';
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

bool FindMountIn(std::string_view mountinfo, std::string_view resolvedPath, MountEntry& out) {
    bool found = false;
    size_t bestLength = 0;
    for (auto& line : Split(mountinfo, '\n')) {
        // id parent major:minor root mount-point options [optional...] - type source super-options
        std::vector<std::string> f = SplitTrimmed(line, ' ');
        if (f.size() < 7)
            continue;
        size_t dash = 6;
        while (dash < f.size() && f[dash] != "-")
            ++dash;
        if (dash + 1 >= f.size())
            continue;
        std::string mount = Unescape(f[4]);
        if (!UnderMount(resolvedPath, mount))
            continue;
        // The longest mount point wins; of equal ones the later line (mounted on top).
        if (found && mount.size() < bestLength)
            continue;
        MountEntry e;
        e.mountPoint = mount;
        e.fsType = f[dash + 1];
        e.source = dash + 2 < f.size() ? Unescape(f[dash + 2]) : std::string();
        size_t colon = f[2].find(':');
        if (colon != std::string::npos) {
            e.major = static_cast<unsigned>(ToInt(f[2].substr(0, colon)));
            e.minor = static_cast<unsigned>(ToInt(f[2].substr(colon + 1)));
        }
        out = e;
        bestLength = mount.size();
        found = true;
    }
    return found;
}

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
