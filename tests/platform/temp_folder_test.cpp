// The private temporary folder of a program that handles no signals itself
// (the wizard, the setup engine): started as a fresh process, it makes its
// folder and is then ended by a signal.
#include "platform/temp_folder.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

constexpr const char* kChildVariable = "VANTREL_TEMP_FOLDER_CHILD";

// In the child: "term" ends by SIGTERM, "ignored" first ignores SIGTERM as a
// program may.
TEST(TempFolder, GoesWhenASignalEndsTheProgram) {
    if (const char* how = std::getenv(kChildVariable)) {
        const std::string mode = how;
        if (mode == "ignored")
            ::signal(SIGTERM, SIG_IGN);
        test::WriteBytes(JoinPath(PrivateTempFolder(), "work.bin"), "partial");
        ::raise(SIGTERM);
        std::exit(0);
    }
    struct Case {
        const char* mode;
        int status;
    };
    for (const Case& c : {Case{"term", 143}, Case{"ignored", 0}}) {
        SCOPED_TRACE(c.mode);
        test::ScratchFolder dir;
        MakeFolders(dir / "tmp");
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::setenv(kChildVariable, c.mode, 1);
            ::setenv("TMPDIR", (dir / "tmp").c_str(), 1);
            ::signal(SIGTERM, SIG_DFL);
            if (!std::freopen("/dev/null", "w", stdout))
                ::_exit(126);
            ::execl("/proc/self/exe", "test-platform",
                    "--gtest_filter=TempFolder.GoesWhenASignalEndsTheProgram", nullptr);
            ::_exit(127);
        }
        int raw = 0;
        ::waitpid(pid, &raw, 0);
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw), c.status);
        EXPECT_EQ(ListFolder(dir / "tmp", true, true), std::vector<std::string>{});
    }
}

}  // namespace
}  // namespace vantrel
