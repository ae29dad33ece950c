#include "project/folder_path_rules.h"

#include <cerrno>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/volumes.h"
#include "script/disk_utils.h"

namespace vantrel {

const char* const kFolderCharactersMessage =
    "A directory cannot contain any of the following characters:\n\t* ? \" < > | ,";
const char* const kCreateFolderQuestion =
    "The chosen directory does not exist. Would you like the setup to create it?";
const char* const kCreateFolderFailed =
    "The directory could not be created. You may not have write access.";

namespace {

// One folder's name: here the separators and the drive's colon are refused too.
constexpr const char* kNameCharactersMessage =
    "A directory cannot contain any of the following characters:\n\t/ * ? \\ \" < > | : ,";

constexpr const char* kUncNotAllowed = "You have chosen to use drives, you cannot enter UNC paths.";
constexpr const char* kDrivesNotAllowed =
    "You have chosen to use UNC paths, you must identify your server with two slashes i.e. "
    "'\\\\server1\\share1'";
constexpr const char* kRemovableRefused = "You are not allowed to enter removable drives.";
constexpr const char* kUncMissing =
    "The UNC path provided could not be opened because it does not exist.";
constexpr const char* kDriveMissing =
    "The drive provided could not be accessed because it does not exist.";
constexpr const char* kNoAccess = "You do not have access to this drive(directory).";
constexpr const char* kReadOnly =
    "The directory exists, however you do not have write access to this location.";

// The base name carries a trailing blank that Windows drops when it makes the
// folder; the blank is dropped here too, or the folder could never be named
// again in a path (a path's pieces are trimmed) nor copied to a target that
// runs Windows.
constexpr const char* kNewFolderBase = "New Folder ";
constexpr const char* kNewFolderFirst = "New Folder";
constexpr const char* kNameExists = "The name you entered already exists.Folder cannot be renamed.";

bool HasControlCharacter(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) < 0x20)
            return true;
    }
    return false;
}

// In a path "/" and "\" separate folders; in one folder's name neither may
// stand, nor the drive's colon.
bool PathHasForbiddenCharacter(std::string_view path) {
    return path.find_first_of("*?\"<>|,") != std::string_view::npos || HasControlCharacter(path);
}
bool NameHasForbiddenCharacter(std::string_view name) {
    return name.find_first_of("/\\*?\"<>|,:") != std::string_view::npos ||
           HasControlCharacter(name);
}

bool IsUncPath(std::string_view path) {
    return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}
bool IsDriveLetterPath(std::string_view path) {
    return path.size() >= 2 && path[1] == ':';
}
bool IsDrivePath(std::string_view path) {
    return IsDriveLetterPath(path) ||
           (!path.empty() && IsPathSeparator(path[0]) && !IsUncPath(path));
}

WFolderCheck Refuse(std::string path, std::string message) {
    WFolderCheck check;
    check.status = WFolderCheck::Status::Refused;
    check.path = std::move(path);
    check.message = std::move(message);
    return check;
}

WFolderCommand Failed(std::string message, const char* caption) {
    WFolderCommand result;
    result.message = std::move(message);
    result.caption = caption;
    return result;
}

bool InUse(int error) {
    return error == EBUSY || error == ETXTBSY;
}
bool AccessDenied(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

WFolderCommand DeleteFolderFiles(const std::string& folder) {
    // Subfolders first, depth-first. A link to a folder is removed as the
    // link it is, with the files; what it points to is never touched.
    std::vector<std::string> files;
    for (const std::string& name : ListFolder(folder, false, true)) {
        const std::string path = JoinPath(folder, name);
        FileInfo info;
        if (GetFileInfo(path, info, false) && info.isFolder) {
            WFolderCommand sub = DeleteFolderFiles(path);
            if (!sub.Ok())
                return sub;
        } else {
            files.push_back(path);
        }
    }
    for (const std::string& name : ListFolder(folder, true, false))
        files.push_back(JoinPath(folder, name));
    for (const std::string& path : files) {
        if (RemoveFile(path))
            continue;
        const int error = errno;
        if (InUse(error))
            return Failed("Error: Cannot access the file :(" + path +
                              ")\nbecause it is being used by another process.",
                          kDeleteErrorCaption);
        if (AccessDenied(error))
            return Failed("Error: Access denied to file:(" + path + ")", kDeleteErrorCaption);
        return Failed("Error: deleting the file:" + path, kDeleteErrorCaption);
    }
    if (RemoveEmptyFolder(folder))
        return {};
    const int error = errno;
    if (InUse(error))
        return Failed("Error: Cannot access the path :(" + folder +
                          ")\nbecause it is being used by another process.",
                      kDeleteErrorCaption);
    if (AccessDenied(error))
        return Failed("Error: Access denied to the path:(" + folder + ")", kDeleteErrorCaption);
    return Failed("Error deleting the path: " + folder, kDeleteErrorCaption);
}

}  // namespace

WFolderVolumes WFolderVolumes::Host() {
    WFolderVolumes v;
    v.driveExists = [](std::string_view path) { return MountPointExists(path); };
    v.isCdOrRemovable = [](std::string_view path) {
        return IsOnCdRom(path) || IsOnRemovable(path);
    };
    return v;
}

std::string NormaliseFolderPath(std::string_view text) {
    const bool backslashesOnly = text.find('/') == std::string_view::npos;
    const char separator = backslashesOnly ? '\\' : '/';
    std::string out;
    std::string piece;
    for (char c : text) {
        if (IsPathSeparator(c)) {
            out += Trim(piece);
            out += separator;
            piece.clear();
        } else {
            piece += c;
        }
    }
    out += Trim(piece);
    return out;
}

std::string FolderPathKey(std::string_view text) {
    return StripTrailingSeparators(NormaliseFolderPath(text));
}

WFolderCheck CheckFolderPath(std::string_view text, WFolderChoice choice,
                             const WFolderVolumes& volumes) {
    const std::string path = FolderPathKey(text);
    if (path.empty())
        return Refuse(path, std::string());
    if (PathHasForbiddenCharacter(path))
        return Refuse(path, kFolderCharactersMessage);
    const bool unc = IsUncPath(path);
    if (path.size() > 2 && unc && !(choice.options & kFolderUncAllowed))
        return Refuse(path, kUncNotAllowed);
    const bool drive = IsDrivePath(path);
    if (drive && !(choice.options & kFolderDrivesAllowed))
        return Refuse(path, kDrivesNotAllowed);
    if (drive && !(choice.options & kFolderCdDrivesAllowed) && volumes.isCdOrRemovable(path))
        return Refuse(path, kRemovableRefused);

    // No network share is reachable through a path of this host, and a drive
    // letter names no volume here.
    if (unc)
        return Refuse(path, kUncMissing);
    if (!drive || IsDriveLetterPath(path) || !volumes.driveExists(path))
        return Refuse(path, kDriveMissing);
    FileInfo info;
    if (!GetFileInfo(path, info)) {
        if (errno != ENOENT) {
            return Refuse(path, kNoAccess);
        }
        WFolderCheck check;
        check.status = WFolderCheck::Status::Missing;
        check.path = path;
        return check;
    }
    if (!info.isFolder || !HasFolderAccess(path, false))
        return Refuse(path, kNoAccess);
    if (!choice.acceptReadOnly && !HasFolderAccess(path, true))
        return Refuse(path, kReadOnly);
    WFolderCheck check;
    check.status = WFolderCheck::Status::Accepted;
    check.path = path;
    return check;
}

WFolderCheck AcceptFolderPath(std::string_view text, WFolderChoice choice,
                              WFolderQuestion& question, const WFolderVolumes& volumes) {
    WFolderCheck check = CheckFolderPath(text, choice, volumes);
    if (check.status != WFolderCheck::Status::Missing)
        return check;
    if (!question.CreateMissingFolder(kCreateFolderQuestion))
        return Refuse(check.path, std::string());
    std::vector<std::string> created;
    if (!CreateFolderPath(check.path, &created)) {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            RemoveEmptyFolder(*it);
        return Refuse(check.path, kCreateFolderFailed);
    }
    check.status = WFolderCheck::Status::Accepted;
    check.created = std::move(created);
    return check;
}

std::string NewFolderName(std::string_view parent) {
    std::string name = kNewFolderFirst;
    for (int i = 0; i < 100000 && PathExists(JoinPath(parent, name)); ++i)
        name = kNewFolderBase + std::to_string(i);
    return name;
}

WFolderCommand MakeNewFolder(std::string_view parent) {
    // Another program may take the name between the look and the creation.
    for (int attempt = 0; attempt < 10; ++attempt) {
        WFolderCommand result;
        result.path = JoinPath(parent, NewFolderName(parent));
        if (MakeFolder(result.path))
            return result;
        if (errno != EEXIST)
            break;
    }
    return Failed(kCreateFolderFailed, kCreateErrorCaption);
}

WFolderCommand RenameFolder(std::string_view folder, std::string_view newName) {
    const std::string from = StripTrailingSeparators(folder);
    if (NameHasForbiddenCharacter(newName))
        return Failed(kNameCharactersMessage, kRenameErrorCaption);
    const std::string renameFailed = "Error: (" + from + ") could not be renamed.";
    if (newName.empty() || newName == "." || newName == "..")
        return Failed(renameFailed, kRenameErrorCaption);
    std::string parent = FolderOf(from);
    if (parent.empty() && !from.empty() && IsPathSeparator(from[0]))
        parent = from.substr(0, 1);  // a folder at the root
    WFolderCommand result;
    result.path = JoinPath(parent, newName);
    if (result.path == from)
        return result;
    if (RenameNoReplace(from, result.path))
        return result;
    if (errno == EEXIST || errno == ENOTEMPTY)
        return Failed(kNameExists, kRenameErrorCaption);
    return Failed(renameFailed, kRenameErrorCaption);
}

std::string DeleteFolderQuestion(std::string_view folder) {
    return "Are you sure you want to delete the directory (" + std::string(folder) +
           ") and all its contents permanently?";
}

WFolderCommand DeleteFolderTree(std::string_view folder) {
    const std::string path = StripTrailingSeparators(folder);
    FileInfo info;
    if (!GetFileInfo(path, info, false) || !info.isFolder)
        return Failed("Error deleting the path: " + path, kDeleteErrorCaption);
    return DeleteFolderFiles(path);
}

}  // namespace vantrel
