// The shell the tests run commands in (POSIX sh), and runs as an
// unprivileged user.
#include <dirent.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/temp_folder.h"
#include "support/test_support.h"

namespace vantrel::test {

std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

ShellResult RunShell(const std::string& command) {
    ShellResult r;
    std::string errFile = PrivateTempPath("stderr", ".txt");
    FILE* p = ::popen(("{ " + command + "; } 2>" + ShellQuote(DisplayPath(errFile))).c_str(), "r");
    if (!p)
        return r;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    int raw = ::pclose(p);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    ReadWholeFile(errFile, r.err);
    RemoveFile(errFile);
    return r;
}

int ThreadsOfThisProcess() {
    int n = 0;
    if (DIR* d = ::opendir("/proc/self/task")) {
        while (dirent* e = ::readdir(d)) {
            if (e->d_name[0] != '.')
                ++n;
        }
        ::closedir(d);
    }
    return n;
}

// The signal a write beyond the limit raises is ignored, so that the write
// fails instead.
FileSizeLimit::FileSizeLimit(long long bytes) {
    struct rlimit old {};
    if (::getrlimit(RLIMIT_FSIZE, &old) != 0)
        return;
    old_ = static_cast<long long>(old.rlim_cur);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(bytes);
    active_ = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
    if (!active_)
        std::signal(SIGXFSZ, oldHandler_);
}

FileSizeLimit::~FileSizeLimit() {
    if (!active_)
        return;
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(old_);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}

ShellResult RunCliIn(const ScratchFolder& dir, const std::string& arguments,
                     const std::string& env) {
    return RunShell("cd " + ShellQuote(dir.path()) + " && " + env +
                    " VANTREL_MACHINE_REG=" + ShellQuote(dir / "machine.reg") +
                    " VANTREL_USER_REG=" + ShellQuote(dir / "user.reg") + " " +
                    ShellQuote(VANTREL_CLI_PATH) + " --install-location " +
                    ShellQuote(dir / "install") + " " + arguments + " </dev/null");
}

bool GiveToAnotherUser(const std::string& path) {
    return ::geteuid() == 0 && ::lchown(ToNative(path).c_str(), 65534, 65534) == 0;
}

void SetEnvVar(const std::string& name, const char* value) {
    if (value)
        ::setenv(name.c_str(), value, 1);
    else
        ::unsetenv(name.c_str());
}

bool HaveShellTool(const std::string& tool) {
    return RunShell("command -v " + ShellQuote(tool) + " >/dev/null").status == 0;
}

bool FolderWritesCanBeRefused() {
    return ::geteuid() != 0;
}

std::string AsUnprivileged(const std::string& folder, const std::function<std::string()>& body) {
    if (::geteuid() != 0)
        return body();
    constexpr uid_t kNobody = 65534;
    namespace fs = std::filesystem;
    std::error_code ec;
    ::lchown(folder.c_str(), kNobody, kNobody);
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        ::lchown(it->path().c_str(), kNobody, kNobody);
    // The folders above (the private temporary folder is the owner's only).
    std::vector<std::pair<std::string, mode_t>> opened;
    for (fs::path up = fs::path(folder).parent_path(); !up.empty() && up != up.root_path();
         up = up.parent_path()) {
        struct stat st {};
        if (::stat(up.c_str(), &st) == 0 && (st.st_mode & S_IXOTH) == 0) {
            opened.emplace_back(up.string(), st.st_mode & 07777);
            ::chmod(up.c_str(), (st.st_mode & 07777) | S_IXOTH);
        }
    }
    int fds[2];
    std::string result = "(the unprivileged run failed)";
    if (::pipe(fds) == 0) {
        std::fflush(nullptr);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                ::_exit(1);
            const std::string out = body();
            const ssize_t n = ::write(fds[1], out.data(), out.size());
            ::_exit(n == static_cast<ssize_t>(out.size()) ? 0 : 1);
        }
        ::close(fds[1]);
        std::string out;
        char buffer[4096];
        for (ssize_t n; pid > 0 && (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            out.append(buffer, static_cast<size_t>(n));
        ::close(fds[0]);
        int status = 0;
        if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
            WEXITSTATUS(status) == 0)
            result = out;
    }
    for (const auto& [path, mode] : opened)
        ::chmod(path.c_str(), mode);
    return result;
}

}  // namespace vantrel::test
