// Shortcuts (shell links): a ".lnk" file that starts a program.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

struct ShellLink {
    std::string target;  // Windows paths
    std::string arguments;
    std::string workingFolder;
};

// The text that stands for a shortcut where there is no shell to make one:
// "[Shortcut]", then "Target=", "Arguments=" and "WorkingFolder=" lines
// (CR LF).
std::string ShellLinkText(const ShellLink& link);

// Creates or replaces the shortcut file `path`, whose folder exists: on
// Windows a shell link made by the shell (IShellLinkW, saved through
// IPersistFile), elsewhere ShellLinkText() written atomically. False with
// the reason in `error`.
bool WriteShellLink(std::string_view path, const ShellLink& link, std::string* error = nullptr);

}  // namespace vantrel
