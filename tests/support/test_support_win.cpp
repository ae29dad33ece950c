// Windows has no POSIX shell: the tests that run shell commands are built
// for POSIX systems only, and a command asked for here fails visibly.
#include "support/test_support.h"

#include <windows.h>

// After windows.h.
#include <aclapi.h>

#include "platform/paths.h"

namespace vantrel::test {

std::string ShellQuote(const std::string& s) {
    return "\"" + s + "\"";
}

ShellResult RunShell(const std::string& command) {
    ADD_FAILURE() << "no POSIX shell on this system for: " << command;
    return ShellResult{};
}

// Windows has no all-powerful user whose rights hide a refused permission.
std::string AsUnprivileged(const std::string&, const std::function<std::string()>& body) {
    return body();
}

bool GiveToAnotherUser(const std::string& path) {
    // The local system account (S-1-5-18).
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID system = nullptr;
    if (!::AllocateAndInitializeSid(&nt, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0,
                                    &system))
        return false;
    std::wstring wide = ToNative(path).wstring();
    bool given = ::SetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION,
                                         system, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    // A file system that keeps no owners of its own (wine's, on most hosts)
    // accepts the change and forgets it.
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    given = given &&
            ::GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                                    nullptr, nullptr, nullptr, &descriptor) == ERROR_SUCCESS &&
            owner && ::EqualSid(owner, system);
    if (descriptor)
        ::LocalFree(descriptor);
    ::FreeSid(system);
    return given;
}

}  // namespace vantrel::test
