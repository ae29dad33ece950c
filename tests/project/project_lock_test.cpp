// The lock that serialises work on a project between processes, judged by
// what another process (the flock tool) can take while it is held.
#include "project/project_lock.h"

#include <string>

#include "platform/files.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(ProjectLock, ExcludesOtherProcessesAndNestsInThisOne) {
    if (test::RunShell("command -v flock").status != 0)
        GTEST_SKIP() << "the flock tool is needed to hold the lock from another process";
    test::ScratchFolder dir;
    const std::string project = dir.Write("p.zlt", "project");
    const std::string lockFile = test::ShellQuote(dir / "p.zlt.lock");
    auto otherCanTake = [&] {
        return test::RunShell("flock -n " + lockFile + " true").status == 0;
    };

    {
        WProjectLock first, nested;
        ASSERT_EQ(first.Acquire(project, 0), WProjectLock::Outcome::kHeld) << first.Error();
        EXPECT_FALSE(otherCanTake());
        EXPECT_EQ(nested.Acquire(project, 0), WProjectLock::Outcome::kHeld);
        first.Release();
        EXPECT_FALSE(otherCanTake()) << "released while a holder is left";
    }
    EXPECT_TRUE(otherCanTake());
    EXPECT_EQ(dir.Read("p.zlt"), "project");

    // Held elsewhere for longer than the wait: refused, saying why.
    ASSERT_EQ(
        test::RunShell("(flock " + lockFile + " sleep 2 >/dev/null 2>&1 &) ; sleep 0.3").status, 0);
    WProjectLock busy;
    EXPECT_EQ(busy.Acquire(project, 100), WProjectLock::Outcome::kBusy);
    EXPECT_NE(busy.Error().find("another program is working on this project"), std::string::npos)
        << busy.Error();
    // A longer wait gets it once the other process is done.
    EXPECT_EQ(busy.Acquire(project, 10000), WProjectLock::Outcome::kHeld) << busy.Error();
}

}  // namespace
}  // namespace vantrel
