// File-system operations on engine paths (see paths.h). Every function
// reports failure by its result; an optional `error` receives a text that
// names the file and the system's reason.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

// Windows has no error code of its own for a full disk quota; there a full
// quota is a full disk.
#ifndef EDQUOT
#define EDQUOT ENOSPC
#endif

namespace vantrel {

// What the system says about a file or folder.
struct FileInfo {
    bool isFile = false;  // a regular file
    bool isFolder = false;
    bool isLink = false;  // a symbolic link (only when it was not followed)
    int64_t size = 0;
    int64_t modified = 0;      // seconds since 1970 (UTC)
    int64_t modifiedNs = 0;    // the same time in nanoseconds
    unsigned permissions = 0;  // the rwx bits of owner, group and others (and setuid...)
    uint64_t device = 0;       // device and inode together name the file
    uint64_t inode = 0;
};

// False (errno says why) when the path cannot be examined. Without
// `followLinks`, a symbolic link is described itself.
bool GetFileInfo(std::string_view path, FileInfo& info, bool followLinks = true);

// Whether `now` describes the same version of the file that `before`
// described: the same file (device and inode), size and modification time.
// A replaced or rewritten file differs.
bool SameFileVersion(const FileInfo& before, const FileInfo& now);

bool PathExists(std::string_view path);
bool IsFile(std::string_view path);    // a regular file (after links)
bool IsFolder(std::string_view path);  // a folder (after links)
// Size in bytes, or -1 when the file cannot be examined.
long long FileSizeOf(std::string_view path);

bool ReadWholeFile(std::string_view path, std::string& out, std::string* error = nullptr);
// ReadWholeFile for a file that may hold at most `limit` bytes: no more than
// limit + 1 bytes are read, so a device that never ends (/dev/zero) or a huge
// file is never taken in whole. False with `error` when the file cannot be
// read, or when it holds more (`tooLarge` is then set and `out` is empty).
bool ReadFileAtMost(std::string_view path, size_t limit, std::string& out, bool& tooLarge,
                    std::string* error = nullptr);
// What WriteFileAtomic does with an existing file that is read-only (it has
// no write permission, or this user may not write it).
enum class ReadOnlyFile { kReplace, kRefuse };
// What WriteFileAtomic does with a symbolic link at the path: write the file
// it leads to (the link stays), or replace the link itself by the new file.
enum class LinkAtPath { kFollow, kReplace };
// Writes to a new file beside `path` and renames it over `path` only when
// everything was written and flushed, so a failed write never destroys the
// previous contents. A symbolic link is followed: the file it leads to is
// replaced and the link stays (with LinkAtPath::kReplace the link itself is
// replaced). Temporary files that an earlier, interrupted write of this user
// left beside the file are removed first.
bool WriteFileAtomic(std::string_view path, std::string_view data, std::string* error = nullptr,
                     ReadOnlyFile readOnly = ReadOnlyFile::kReplace,
                     LinkAtPath link = LinkAtPath::kFollow);
// The file that `path` names after following its symbolic links, also when
// the last one leads to a file that does not exist yet; `path` itself when
// it is no link (or the links go round in a circle).
std::string FollowLinks(std::string_view path);
// The path with "." and ".." and every symbolic link resolved in the part
// that exists, the rest appended as given: two paths name the same place
// when their real paths are equal. `path` itself when it cannot be resolved.
std::string RealPath(std::string_view path);
// Whether the real path `inner` is `outer` or lies below it.
bool IsSameOrBelow(std::string_view inner, std::string_view outer);
// Makes `folder` (at or below `root`, which is made first when missing) with
// its missing parents below `root`, all as real folders: a symbolic link met below `root`
// on the way is removed and a folder made in its place, so that nothing
// written into `folder` lands outside `root`. False (errno) when a folder
// cannot be made or `folder` is not below `root`.
bool MakeFoldersBelow(std::string_view root, std::string_view folder);
// Removes a symbolic link at `path` itself (never what it leads to); true
// when no link is there afterwards.
bool RemoveLinkAt(std::string_view path);
// std::fopen for an engine path (the file system's own form of the name,
// wide characters on Windows); null with errno when it cannot be opened.
FILE* OpenCFile(std::string_view path, const char* mode);
bool CopyOneFile(std::string_view from, std::string_view to, std::string* error = nullptr);
// RemoveFile, RenameFile, SetFilePermissions, MakeFolder and RemoveEmptyFolder
// leave the reason of a failure in errno.
bool RemoveFile(std::string_view path);
// Replaces an existing file `to` in one step.
bool RenameFile(std::string_view from, std::string_view to);
bool SetFilePermissions(std::string_view path, unsigned permissions);
// The process's file-creation mask (umask), read once without changing it;
// -1 when it cannot be read.
int FileCreationMask();
// Renames a file or folder only when `to` names nothing yet (errno EEXIST
// otherwise); an existing `to` is never replaced.
bool RenameNoReplace(std::string_view from, std::string_view to);
// True when this user may list the folder and open what is in it (read and
// search permission) and, with `write`, create and remove entries in it (on a
// volume mounted for writing); errno says why not.
bool HasFolderAccess(std::string_view folder, bool write);
// One folder whose parent exists (EEXIST when the name exists).
bool MakeFolder(std::string_view path);
bool RemoveEmptyFolder(std::string_view path);
// Removes a folder with everything in it; true when it is gone afterwards.
bool RemoveTree(std::string_view path);
bool MakeFolders(std::string_view path, std::string* error = nullptr);
// Creates a new folder "<parent>/<prefix>XXXXXX" (six random characters) in
// one step, with owner-only permissions; its path, or empty (errno says
// why). A name that exists is never reused.
std::string MakeUniqueFolder(std::string_view parent, std::string_view prefix);

// The entry of `folder` whose name equals `name` without regard to case, as a
// full path (exact match preferred); empty when there is none.
std::string FindInFolderNoCase(std::string_view folder, std::string_view name);
// Each component of `path` below the first existing folder is matched without
// regard to case ("comps\distrib.kvz" finds "Comps/Distrib.kvz"). Returns the
// path as found on disk, or `path` unchanged when a component is missing.
std::string ResolveNoCase(std::string_view path);

// Names (not paths) of the entries of a folder, sorted; files and/or folders.
std::vector<std::string> ListFolder(std::string_view folder, bool files, bool folders);

// "<path>: <reason>" for the current errno.
std::string ErrnoText(std::string_view path);

}  // namespace vantrel
