#include "platform/file_checks.h"

#include "support/test_support.h"

namespace vantrel {
namespace {

// What this process makes is its user's; what belongs to another user and
// a path that names nothing are not.
TEST(FileChecks, WhatThisProcessMadeIsItsUsers) {
    test::ScratchFolder dir;
    EXPECT_TRUE(OwnedByThisUser(dir.Write("mine.txt", "x")));
    EXPECT_TRUE(OwnedByThisUser(dir.path()));
    EXPECT_FALSE(OwnedByThisUser(dir / "missing.txt"));
    EXPECT_FALSE(OwnedByThisUser(""));
    const std::string theirs = dir.Write("theirs.txt", "x");
    if (test::GiveToAnotherUser(theirs)) {
        EXPECT_FALSE(OwnedByThisUser(theirs));
    }
    EXPECT_EQ(NotAFileReason(dir / "mine.txt"), "");
    EXPECT_EQ(NotAFileReason(dir.path()), "is a folder, not a file");
    EXPECT_EQ(NotAFileReason(dir / "missing.txt"), "no such file");
}

}  // namespace
}  // namespace vantrel
