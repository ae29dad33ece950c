#include "platform/wildcard.h"

#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(Wildcard, StarAndQuestionMarkIgnoringCase) {
    EXPECT_TRUE(WildcardMatch("*.dll", "IDAPI32.DLL"));
    EXPECT_TRUE(WildcardMatch("*.dll", "a.b.dll"));
    EXPECT_FALSE(WildcardMatch("*.dll", "idapi32.dll.bak"));
    EXPECT_TRUE(WildcardMatch("data?.db", "DATA1.DB"));
    EXPECT_FALSE(WildcardMatch("data?.db", "data.db"));
    EXPECT_FALSE(WildcardMatch("data?.db", "data12.db"));
    EXPECT_TRUE(WildcardMatch("a*b*c", "aXXbYYbZZc"));  // needs backtracking
    EXPECT_FALSE(WildcardMatch("a*b*c", "aXXbYYbZZ"));
    EXPECT_TRUE(WildcardMatch("\xC9T\xC9.*", "\xE9t\xE9.txt"));  // Windows-1252 letters
    EXPECT_TRUE(WildcardMatch("setup32.exe", "Setup32.EXE"));
    EXPECT_FALSE(WildcardMatch("setup32.exe", "setup32.ex"));
}

TEST(Wildcard, DotRulesOfWindows) {
    // "*.*" and "x.*" also name files without any dot.
    EXPECT_TRUE(WildcardMatch("*.*", "Makefile"));
    EXPECT_TRUE(WildcardMatch("*.*", "setup.exe"));
    EXPECT_TRUE(WildcardMatch("readme.*", "README"));
    EXPECT_TRUE(WildcardMatch("readme.*", "readme.txt"));
    EXPECT_FALSE(WildcardMatch("readme.*", "readmeX"));
    // A trailing "." names files without an extension only.
    EXPECT_TRUE(WildcardMatch("*.", "Makefile"));
    EXPECT_FALSE(WildcardMatch("*.", "setup.exe"));
    EXPECT_TRUE(WildcardMatch("make*.", "makefile"));
    EXPECT_FALSE(WildcardMatch("make*.", "makefile.am"));
    EXPECT_TRUE(WildcardMatch("*", "anything.at.all"));
}

TEST(Wildcard, StarsMatchAnEmptyRest) {
    for (const char* pattern : {"abc*", "ABC**", "a*c*", "*abc*", "abc*.*"})
        EXPECT_TRUE(WildcardMatch(pattern, "abc")) << pattern;
    EXPECT_FALSE(WildcardMatch("abc*?", "abc"));
    EXPECT_FALSE(WildcardMatch("abcd*", "abc"));
}

TEST(Wildcard, MatchFilesInFolderListsSortedFilesOnly) {
    test::ScratchFolder dir;
    dir.Write("b.DLL", "x");
    dir.Write("a.dll", "x");
    dir.Write("c.exe", "x");
    dir.Write("noext", "x");
    dir.Write("sub.dll/inner.dll", "x");  // a folder named like a match
    EXPECT_EQ(MatchFilesInFolder(dir.path(), "*.dll"),
              (std::vector<std::string>{"a.dll", "b.DLL"}));
    EXPECT_EQ(MatchFilesInFolder(dir.path(), "*."), std::vector<std::string>{"noext"});
    EXPECT_EQ(MatchFilesInFolder(dir.path(), "*.*").size(), 4u);
    EXPECT_TRUE(MatchFilesInFolder(dir / "missing", "*.*").empty());
}

}  // namespace
}  // namespace vantrel
