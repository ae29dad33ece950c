// Volumes on this host. What Windows calls a drive is a mount here: the root
// of a path is the mount point of the file system that holds it, read from
// /proc/self/mountinfo. A path that does not exist yet (a media folder about
// to be created) is looked up through its nearest existing parent.
//
// Paths in Windows form with a drive letter ("C:\...") or a share
// ("\\server\share") name no volume of a POSIX host: they have no mount
// point, no free space and no drive type there. On Windows the volume of a
// path is its drive or share, and its kind what GetDriveTypeW says (a CD-ROM
// drive is a CD; a removable drive or a CD counts as removable).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

struct MountEntry {
    std::string mountPoint;  // engine path, e.g. "/media/cdrom"
    std::string fsType;      // "ext4", "iso9660", ...
    std::string source;      // "/dev/sr0", "tmpfs", ...
    unsigned major = 0;      // device numbers of the mounted file system
    unsigned minor = 0;
};

// The mount that holds `path` (after resolving links); false when unknown.
bool FindMount(std::string_view path, MountEntry& out);

// Mount point of the volume that holds `path`; empty when unknown.
std::string MountPointOf(std::string_view path);

// True when the volume that would hold `path` is there: its mount point is
// known and exists as a folder.
bool MountPointExists(std::string_view path);

// Bytes available to this (unprivileged) user on the volume that holds
// `path`; 0 when unknown.
uint64_t FreeBytesOf(std::string_view path);

// The volume is a CD or DVD (an iso9660 or udf file system).
bool IsOnCdRom(std::string_view path);
// The volume lives on a block device that the kernel marks removable
// (USB sticks, card readers, floppy drives), or on a CD.
bool IsOnRemovable(std::string_view path);

// Parses the text of a mountinfo file into `entries`' mount of `path`; the
// building block of FindMount, public for tests.
bool FindMountIn(std::string_view mountinfo, std::string_view resolvedPath, MountEntry& out);

}  // namespace vantrel
