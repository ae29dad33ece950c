#include "platform/process.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"

extern char** environ;

namespace vantrel {

namespace {

bool IsExecutableFile(const std::string& native) {
    struct stat st;
    return ::stat(native.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(native.c_str(), X_OK) == 0;
}

// Native path of an executable file called `name` on PATH; empty when none.
std::string FindOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string list = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (auto& dir : Split(list, ':')) {
        std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

bool HasSeparator(std::string_view path) {
    return path.find_first_of("\\/") != std::string_view::npos;
}

int StatusToExitCode(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

// Native argument vector for a launch (first element the file to execute).
std::vector<std::string> NativeLaunch(std::string_view program,
                                      const std::vector<std::string>& arguments) {
    std::string trimmed = Trim(program);
    if (trimmed.empty())
        return {};
    std::string native = HasSeparator(trimmed) ? ToNative(trimmed).string() : Cp1252ToUtf8(trimmed);
    std::string executable;
    if (HasSeparator(trimmed)) {
        if (IsExecutableFile(native))
            executable = native;
    } else {
        executable = FindOnPath(native);
    }
    std::vector<std::string> argv;
    if (!executable.empty()) {
        argv.push_back(executable);
    } else if (EndsWithNoCase(trimmed, ".exe")) {
        // A Windows program: only wine can start it here, and only when it exists.
        struct stat st;
        if (!HasSeparator(trimmed) || ::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
            return {};
        }
        std::string wine = FindOnPath("wine");
        if (wine.empty())
            return {};
        argv.push_back(wine);
        argv.push_back(native);
    } else {
        return {};
    }
    for (auto& a : arguments)
        argv.push_back(Cp1252ToUtf8(a));
    return argv;
}

// Starts the process; pid 0 when it could not be started. With `output`
// (a native path), the child's standard output and error go to that file,
// which is created or emptied.
pid_t Spawn(std::string_view program, const std::vector<std::string>& arguments, bool newSession,
            const std::string* output = nullptr) {
    std::vector<std::string> argv = NativeLaunch(program, arguments);
    if (argv.empty())
        return 0;
    std::vector<char*> cargv;
    for (auto& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);

    posix_spawnattr_t attr;
    if (posix_spawnattr_init(&attr) != 0)
        return 0;
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
    if (newSession)
        flags |= POSIX_SPAWN_SETSID;
    // The child starts with no blocked signals and default handlers, whatever
    // this process (a GUI toolkit, a test runner) has set up.
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, flags);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_t* useActions = nullptr;
    if (output) {
        if (posix_spawn_file_actions_init(&actions) != 0) {
            posix_spawnattr_destroy(&attr);
            return 0;
        }
        useActions = &actions;
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output->c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    pid_t pid = 0;
    int rc = posix_spawn(&pid, cargv[0], useActions, &attr, cargv.data(), environ);
    if (useActions)
        posix_spawn_file_actions_destroy(useActions);
    posix_spawnattr_destroy(&attr);
    return rc == 0 ? pid : 0;
}

// Waits for the end of `pid`; false when it cannot be waited for.
bool WaitFor(pid_t pid, int* exitCode) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return false;
    }
    if (exitCode)
        *exitCode = StatusToExitCode(status);
    return true;
}

}  // namespace

std::vector<std::string> ResolveLaunch(std::string_view program,
                                       const std::vector<std::string>& arguments) {
    return NativeLaunch(program, arguments);
}

bool RunDetachedArgs(std::string_view program, const std::vector<std::string>& arguments) {
    pid_t pid = Spawn(program, arguments, true);
    if (pid == 0)
        return false;
    // Nobody waits for a detached program; a small thread reaps it so that it
    // does not linger as a zombie.
    std::thread([pid] { WaitFor(pid, nullptr); }).detach();
    return true;
}

bool RunAndWaitArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode) {
    if (exitCode)
        *exitCode = -1;
    pid_t pid = Spawn(program, arguments, false);
    if (pid == 0)
        return false;
    WaitFor(pid, exitCode);
    return true;
}

bool RunAndPumpArgs(std::string_view program, const std::vector<std::string>& arguments,
                    int* exitCode) {
    if (exitCode)
        *exitCode = -1;
    pid_t pid = Spawn(program, arguments, false);
    if (pid == 0)
        return false;
    while (true) {
        int status = 0;
        pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid) {
            if (exitCode)
                *exitCode = StatusToExitCode(status);
            break;
        }
        if (r < 0 && errno != EINTR)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        PumpMessage();
    }
    return true;
}

bool RunAndCapture(std::string_view program, std::string_view arguments, std::string& output,
                   int* exitCode) {
    output.clear();
    if (exitCode)
        *exitCode = -1;
    const std::string file = PrivateTempPath("output", ".txt");
    if (file.empty())
        return false;
    const std::string native = ToNative(file).string();
    pid_t pid = Spawn(program, SplitCommandLine(arguments), false, &native);
    if (pid == 0)
        return false;
    WaitFor(pid, exitCode);
    ReadWholeFile(file, output);
    RemoveFile(file);
    return true;
}

std::string RunningProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string path;
    if (ec || !FromNative(exe, path))
        return {};
    return FolderOf(path);
}

long PeakResidentKiB() {
    struct rusage usage {};
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return usage.ru_maxrss;
}

namespace {

// A field of the user database's entry for the effective user ("" when the
// database does not know the user).
std::string UserEntryField(char* passwd::*field) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->*field)
        return found->*field;
    return {};
}

}  // namespace

std::string UserLoginName() {
    if (std::string name = UserEntryField(&passwd::pw_name); !name.empty())
        return name;
    if (const char* user = std::getenv("USER"))
        return user;
    return {};
}

std::string UserHomeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    return UserEntryField(&passwd::pw_dir);
}

}  // namespace vantrel
