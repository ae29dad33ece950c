#include "platform/shell_link.h"

#include "platform/files.h"

namespace vantrel {

std::string ShellLinkText(const ShellLink& link) {
    return "[Shortcut]\r\nTarget=" + link.target + "\r\nArguments=" + link.arguments +
           "\r\nWorkingFolder=" + link.workingFolder + "\r\n";
}

#if !defined(_WIN32)
bool WriteShellLink(std::string_view path, const ShellLink& link, std::string* error) {
    return WriteFileAtomic(path, ShellLinkText(link), error);
}
#endif

}  // namespace vantrel
