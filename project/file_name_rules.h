// The rules for the names and folders of the application's own files,
// written once for the files page and the command-line tool: which names a
// Windows target can hold, and the one source folder that every file of a
// project comes from.
//
// A check returns the message to show when it refuses and an empty text when
// it passes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class WProjectData;

// Why Windows cannot hold `name` as the name of a file or folder: it is
// empty, "." or "..", holds one of \ / : * ? " < > | or a control
// character, ends with a dot or a blank, or is a device name (CON, PRN, AUX,
// NUL, COM1-COM9, LPT1-LPT9, with or without an extension, in any case).
// Empty when the name is fine.
std::string WindowsNameProblem(std::string_view name);

// Why `name` cannot be stored in a setup script (a comma or a line break);
// empty when it can.
std::string ScriptTextProblem(std::string_view name);

// One name with what is wrong with it, for RefusedNamesMessage.
struct RefusedName {
    std::string shown;   // the file or folder as the user knows it
    std::string reason;  // from WindowsNameProblem or ScriptTextProblem
};

// "These names cannot be used in a setup, so nothing was added:" followed
// by one line per name: "<shown>: its name <reason>".
std::string RefusedNamesMessage(const std::vector<RefusedName>& names);

// Why the file or folder `path` (an engine path, absolute or relative to the
// working folder) cannot be a source of the set: its full path on this
// machine holds characters that Windows-1252 cannot hold, or is not text in
// this system's encoding. The characters are named by their code points
// ("U+043F"), and shown as "?" in the path. Empty when the path is fine.
std::string SourcePathProblem(std::string_view path);

// Whether the project holds any file or font element of its own.
bool HasApplicationFiles(const WProjectData& project);

// Whether `path` is `folder` or lies below it (engine paths of this host).
bool IsPathBelow(std::string_view path, std::string_view folder);

// The project keeps one source folder ("DefaultFolder"); the project file
// stores each file's path below it. Refuses a folder chosen for a project
// that has files already when it is not the source folder or below it.
std::string CheckSourceFolder(const WProjectData& project, std::string_view folder);

// The source folder for adding `paths` (files or folders): the project's
// DefaultFolder when they all lie below it and the project has files; for a
// project without files `proposed` when it holds them all, else
// DefaultFolder when it does, else the folder that holds all their folders.
// Sets `root` and returns "" on success; a project with files whose
// DefaultFolder does not hold them all is refused.
std::string SettleSourceFolder(const WProjectData& project, const std::vector<std::string>& paths,
                               std::string_view proposed, std::string& root);

}  // namespace vantrel
