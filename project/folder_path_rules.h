// The rules of the folder browser, written once for the wizard's dialog and
// any other caller: which typed folder paths it accepts, with which message it
// refuses the others, and the folder commands of its tree (new folder,
// rename, delete) with their messages. Nothing here shows a message; the one
// question (create a missing folder?) goes back through WFolderQuestion.
//
// Drives and network paths on this host: the drive of a local path
// ("/home/ann/setup") is the mount point of the volume that holds it, so a
// path that begins with one separator is a drive path, as is the Windows form
// "C:\...". A path that begins with two separators ("\\server\share") is a
// network (UNC) path. Windows forms name no volume of this host: a drive
// letter is a drive that does not exist, a network path one that cannot be
// opened. A path on an iso9660 or udf mount, or on a removable block device,
// is on a CD or removable drive. "/" separates folders here as "\" does, so
// it is not one of the characters a folder path may not hold.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Option bits of a folder choice.
inline constexpr int kFolderDrivesAllowed = 1;
inline constexpr int kFolderUncAllowed = 16;
inline constexpr int kFolderCdDrivesAllowed = 256;
// The media folder: drives and network paths, no CD or removable drive.
inline constexpr int kMediaFolderOptions = kFolderDrivesAllowed | kFolderUncAllowed;
// The source folder of the files page: any drive, including CDs.
inline constexpr int kSourceFolderOptions =
    kFolderDrivesAllowed | kFolderUncAllowed | kFolderCdDrivesAllowed;

struct WFolderChoice {
    int options = kMediaFolderOptions;
    // An existing folder that cannot be written to is accepted as well.
    bool acceptReadOnly = false;
};

// The captions of the browser's boxes.
inline constexpr const char* kBrowserErrorCaption = "Browser Error";
inline constexpr const char* kCreateConfirmCaption = "Create Confirm";
inline constexpr const char* kCreateErrorCaption = "Create Error";
inline constexpr const char* kRenameErrorCaption = "Rename Error";
inline constexpr const char* kDeleteConfirmCaption = "Delete Confirm";
inline constexpr const char* kDeleteErrorCaption = "Delete Error";

// The message for a path or name holding a character a folder cannot hold.
extern const char* const kFolderCharactersMessage;
// The question before a missing folder is created, and the failure after.
extern const char* const kCreateFolderQuestion;
extern const char* const kCreateFolderFailed;

// What the volumes of this host are; tests put in their own.
struct WFolderVolumes {
    std::function<bool(std::string_view)> driveExists;      // the path's drive is there
    std::function<bool(std::string_view)> isCdOrRemovable;  // a CD-ROM or removable drive
    static WFolderVolumes Host();
};

// The question asked while a path is accepted.
class WFolderQuestion {
  public:
    virtual ~WFolderQuestion() = default;
    // `question` is kCreateFolderQuestion; true means Yes (create it).
    virtual bool CreateMissingFolder(const std::string& question) = 0;
};

struct WFolderCheck {
    enum class Status {
        Accepted,  // an existing folder the choice takes
        Missing,   // the folder does not exist; it may be created on request
        Refused,   // `message` says why (empty for an empty path)
    };
    Status status = Status::Refused;
    std::string path;     // the normalised path
    std::string message;  // the refusal's text (caption kBrowserErrorCaption)
    // Folders made by AcceptFolderPath, outermost first.
    std::vector<std::string> created;
    bool Accepted() const { return status == Status::Accepted; }
};

// The path split at every separator, each piece trimmed of blanks, and
// joined again with single separators ("\" for a path written with
// backslashes only, else "/"). Empty pieces stay, so "\\server" keeps its
// two leading separators.
std::string NormaliseFolderPath(std::string_view text);
// The normalised path without trailing separators: two texts that name the
// same folder in the tree ("/tmp/x/" and "/tmp/x") have the same key.
std::string FolderPathKey(std::string_view text);

// Every check short of asking: the characters, the kind of path the options
// allow, a CD or removable drive, then what the file system says. A folder
// that does not exist comes back as Missing.
WFolderCheck CheckFolderPath(std::string_view text, WFolderChoice choice,
                             const WFolderVolumes& volumes = WFolderVolumes::Host());
// CheckFolderPath, and for a missing folder the question: Yes creates it with
// every missing parent (and accepts it), No refuses the path without a
// message. When creation fails, the folders made on the way are removed again
// and the path is refused with kCreateFolderFailed.
WFolderCheck AcceptFolderPath(std::string_view text, WFolderChoice choice,
                              WFolderQuestion& question,
                              const WFolderVolumes& volumes = WFolderVolumes::Host());

// --- The commands of the folder tree. Each returns the message of its box
// (empty on success) with the box's caption.
struct WFolderCommand {
    std::string path;  // the folder made or renamed (its new path)
    std::string message;
    std::string caption;
    bool Ok() const { return message.empty(); }
};

// The name a new folder in `parent` gets: the first of "New Folder",
// "New Folder 0", "New Folder 1", ... that is free.
std::string NewFolderName(std::string_view parent);
// Creates that folder; refused with kCreateFolderFailed ("Create Error").
WFolderCommand MakeNewFolder(std::string_view parent);
// Renames `folder` to `newName` in the same parent ("Rename Error"): a name
// with a character a folder cannot hold, a name that exists, any other
// failure.
WFolderCommand RenameFolder(std::string_view folder, std::string_view newName);
// The question before a delete ("Delete Confirm", Yes/No, No the default).
std::string DeleteFolderQuestion(std::string_view folder);
// Deletes `folder` depth-first: every subfolder (itself depth-first), then
// every file one by one, then the folder. The first failure stops it, so the
// folder and everything not reached yet stay ("Delete Error").
WFolderCommand DeleteFolderTree(std::string_view folder);

}  // namespace vantrel
