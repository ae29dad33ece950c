// The parts of volumes.h that read text only, the same on every system.
#include "platform/volumes.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

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

}  // namespace vantrel
