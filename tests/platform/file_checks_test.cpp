#include "platform/file_checks.h"

#include "support/test_support.h"

namespace vantrel {
namespace {

// What this process makes is its user's; a path that names nothing is no
// one's. (That others' files are not is tested where tidying up relies on
// it: the stale temporary folders of other users stay.)
TEST(FileChecks, WhatThisProcessMadeIsItsUsers) {
    test::ScratchFolder dir;
    EXPECT_TRUE(OwnedByThisUser(dir.Write("mine.txt", "x")));
    EXPECT_TRUE(OwnedByThisUser(dir.path()));
    EXPECT_FALSE(OwnedByThisUser(dir / "missing.txt"));
    EXPECT_FALSE(OwnedByThisUser(""));
    EXPECT_EQ(NotAFileReason(dir / "mine.txt"), "");
    EXPECT_EQ(NotAFileReason(dir.path()), "is a folder, not a file");
    EXPECT_EQ(NotAFileReason(dir / "missing.txt"), "no such file");
}

}  // namespace
}  // namespace vantrel
