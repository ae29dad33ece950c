// vantrel-cli stopped by Ctrl-C or a termination request while it works:
// it leaves no temporary folder behind and ends with 128 + the signal, and
// a later run removes the folders that killed runs left.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Clock = std::chrono::steady_clock;

class InterruptedCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteMinimalComps(dir, "install");
        test::CopyEngines(dir, VANTREL_SAMPLE_INSTALL, "install");
        MakeFolders(dir / "install/MySetup");
        MakeFolders(tmp);
        ASSERT_EQ(test::RunCliIn(dir, "new p.zlt --name Ledger").status, 0);
    }

    // Starts vantrel-cli in `dir` with its own TMPDIR, as the foreground job
    // of a terminal: a process group of its own with the default handling of
    // SIGINT and SIGTERM.
    pid_t Start(const std::vector<std::string>& args) {
        const std::string cli = VANTREL_CLI, out = dir / "out.txt";
        std::vector<std::string> all = {cli, "--install-location", dir / "install"};
        all.insert(all.end(), args.begin(), args.end());
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setpgid(0, 0);
            ::signal(SIGINT, SIG_DFL);
            ::signal(SIGTERM, SIG_DFL);
            const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (fd < 0 || ::dup2(fd, 1) < 0 || ::dup2(fd, 2) < 0 || ::chdir(dir.path().c_str()))
                ::_exit(126);
            ::setenv("TMPDIR", tmp.c_str(), 1);
            ::setenv("VANTREL_MACHINE_REG", (dir / "machine.reg").c_str(), 1);
            ::setenv("VANTREL_USER_REG", (dir / "user.reg").c_str(), 1);
            std::vector<char*> argv;
            for (std::string& a : all)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(cli.c_str(), argv.data());
            ::_exit(127);
        }
        ::setpgid(pid, pid);
        return pid;
    }

    // Waits (at most a minute) until `ready` holds, then sends `signal` to
    // the job and returns its exit status (128 + the signal when it died of
    // it, -1 when it had ended before `ready` held).
    int Interrupt(pid_t pid, int signal, const std::function<bool()>& ready) {
        int raw = 0;
        const auto deadline = Clock::now() + std::chrono::minutes(1);
        while (!ready()) {
            if (::waitpid(pid, &raw, WNOHANG) == pid || Clock::now() > deadline) {
                ::kill(-pid, SIGKILL);
                ::waitpid(pid, &raw, 0);
                return -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ::kill(-pid, signal);
        ::waitpid(pid, &raw, 0);
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    }

    // The entries of `folder` whose names begin with `prefix`.
    static std::vector<std::string> Named(const std::string& folder, const std::string& prefix) {
        std::vector<std::string> found;
        for (const std::string& name : ListFolder(folder, true, true)) {
            if (name.rfind(prefix, 0) == 0)
                found.push_back(name);
        }
        return found;
    }

    // True when a folder of the running program in TMPDIR holds `name`.
    bool TempHolds(const std::string& name) const {
        for (const std::string& f : Named(tmp, "vantrel-")) {
            if (PathExists(JoinPath(JoinPath(tmp, f), name)))
                return true;
        }
        return false;
    }

    test::ScratchFolder dir;
    const std::string tmp = dir / "tmp";
};

TEST_F(InterruptedCli, VerifyLeavesNoTemporaryFolderAndAStaleOneGoes) {
    // Enough incompressible data for a floppy set of many disks.
    std::mt19937 rng(7);
    std::string noise(48 << 20, '\0');
    for (char& c : noise)
        c = static_cast<char>(rng());
    dir.Write("src/data.bin", noise);
    ASSERT_EQ(test::RunCliIn(dir, "add-files p.zlt src/data.bin").status, 0);
    const std::string floppy = std::to_string(test::FloppyKbFor(dir, "install", 1440)) + "KB";
    const test::ShellResult built = test::RunCliIn(dir, "build p.zlt --media fd --size " + floppy);
    ASSERT_EQ(built.status, 0) << built.err;

    // What killed runs left: this user's folder that no process holds goes;
    // one a live process holds, one of another naming and a link stay.
    dir.Write("tmp/vantrel-999999-abcdef/big.bin", "left");
    dir.Write("tmp/vantrel-1-held00/x", "held");
    dir.Write("tmp/vantrel-abcdef/x", "other naming");
    dir.Write("elsewhere/keep.txt", "keep");
    std::filesystem::create_directory_symlink(ToNative(dir / "elsewhere"),
                                              ToNative(dir / "tmp/vantrel-999998-linked"));
    const int held = ::open((dir / "tmp/vantrel-1-held00").c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);

    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t pid = Start({"verify", "fd"});
        EXPECT_EQ(Interrupt(pid, signal, [&] { return TempHolds("verify-0"); }), 128 + signal)
            << test::ReadBytes(dir / "out.txt");
        EXPECT_EQ(Named(tmp, "vantrel-"),
                  (std::vector<std::string>{"vantrel-1-held00", "vantrel-999998-linked",
                                            "vantrel-abcdef"}));
    }
    // A build, which stops cleanly after the current file, ends as
    // interrupted too.
    const pid_t pid = Start({"build", "p.zlt", "--media", "fd2", "--size", floppy});
    EXPECT_EQ(Interrupt(pid, SIGINT, [&] { return IsFolder(dir / "fd2/disk001"); }), 130)
        << test::ReadBytes(dir / "out.txt");
    EXPECT_EQ(Named(tmp, "vantrel-").size(), 3u);
    ::close(held);
    EXPECT_EQ(dir.Read("elsewhere/keep.txt"), "keep");
}

TEST_F(InterruptedCli, TestRunRemovesItsFolderInTheMediaFolder) {
    // An engine that waits, so that the run is stopped while it runs.
    const std::string engine =
        dir.Write("install/Distrib/setup32.exe", "#!/bin/sh\ntouch \"$0.started\"\nsleep 30\n");
    ::chmod(engine.c_str(), 0755);
    for (int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t pid = Start({"test-run", "p.zlt", "--media", "m"});
        auto started = [&] {
            for (const std::string& f : Named(dir / "m", "~ZLT")) {
                if (IsFile(dir / ("m/" + f + "/setup32.exe.started")))
                    return true;
            }
            return false;
        };
        EXPECT_EQ(Interrupt(pid, signal, started), 128 + signal)
            << test::ReadBytes(dir / "out.txt");
        EXPECT_EQ(Named(dir / "m", "~ZLT"), std::vector<std::string>{});
        EXPECT_EQ(Named(tmp, "vantrel-"), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace vantrel
