#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "platform/text_file.h"
#include "support/comma_locale.h"
#include "support/test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

namespace vantrel {
namespace {

TEST(Strings, CaseRulesCoverWindows1252Letters) {
    EXPECT_TRUE(EqualsNoCase("Comps\\\xC9T\xC9.KVZ", "comps\\\xE9t\xE9.kvz"));
    EXPECT_TRUE(EqualsNoCase("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"));
    EXPECT_FALSE(EqualsNoCase("\xD7", "\xF7"));  // multiplication and division signs
    EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
    EXPECT_EQ(FindNoCase("Setup\\PROJECT.kvz", "project"), 6u);
}

TEST(Strings, SplittingAndNumbers) {
    EXPECT_EQ(Split("a,,b,", ','), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(SplitTrimmed(" A | | B ", '|'), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(ToInt("  42abc"), 42);
    EXPECT_EQ(ToInt("abc"), 0);
    long long v = 0;
    EXPECT_FALSE(ParseInt("12x", v));
    EXPECT_TRUE(ParseInt(" -7 ", v));
    EXPECT_EQ(v, -7);
    EXPECT_FALSE(ParseInt("99999999999999999999999", v));
}

TEST(Strings, NumbersKeepTheirPointUnderACommaLocale) {
    test::CommaDecimalLocale german;
    if (!german.Available())
        GTEST_SKIP() << "no localedef to build a German locale with";
    ASSERT_EQ(Format("%.1f", 1.5), "1,5");  // the locale is in force
    EXPECT_DOUBLE_EQ(ToDouble("1.44"), 1.44);
    EXPECT_DOUBLE_EQ(ToDouble("  -2.5e3x"), -2500);
    EXPECT_EQ(ToDouble("1,44"), 1);
    EXPECT_EQ(ToDouble("x1"), 0);
    EXPECT_EQ(FormatFixed(1.5, 6), "1.500000");
    EXPECT_EQ(FormatFixed(1439999.6, 0), "1440000");
}

TEST(Encoding, RoundTripsEveryByteAndRefusesWhatCp1252CannotHold) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    std::string back;
    ASSERT_TRUE(Utf8ToCp1252(Cp1252ToUtf8(all), back));
    EXPECT_EQ(back, all);
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");   // euro sign
    EXPECT_FALSE(Utf8ToCp1252("\xE4\xB8\xAD", back));  // a CJK character
    EXPECT_FALSE(Utf8ToCp1252("\xC0\xAF", back));      // overlong form
    EXPECT_FALSE(Utf8ToCp1252("\xE2\x82", back));      // truncated sequence
}

TEST(Paths, JoinAndSplitKeepTheFormOfTheFolder) {
    EXPECT_EQ(JoinPath("", "Bde501"), "Bde501");
    EXPECT_EQ(JoinPath(JoinPath("", "Bde501"), "IDAPI.CNF"), "Bde501\\IDAPI.CNF");
    EXPECT_EQ(JoinPath("C:\\Tessary\\", "\\Comps"), "C:\\Tessary\\Comps");
    EXPECT_EQ(JoinPath("/opt/tessary/", "Comps"), "/opt/tessary/Comps");
    EXPECT_EQ(FileNameOf("a\\b/c.kvz"), "c.kvz");
    EXPECT_EQ(FolderOf("a\\b/c.kvz"), "a\\b");
    EXPECT_EQ(FolderOf("/x"), "/");
    EXPECT_EQ(BaseNameUpToFirstDot("Comps\\SQL_db.x.kvz"), "SQL_db");
    EXPECT_EQ(ToNative("dir\\sub\\\xE9.txt").string(), "dir/sub/\xC3\xA9.txt");
}

TEST(TextFiles, ReaderSplitsLinesLikeTheScriptsExpect) {
    test::ScratchFolder dir;
    std::string path = dir.Write("t.txt", "one\r\ntwo\n\nthree\r\n");
    TextReader r;
    ASSERT_TRUE(r.Open(path));
    std::vector<std::string> lines;
    std::string line;
    while (r.ReadLine(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "", "three"}));
    EXPECT_EQ(r.BytesRead(), 17u);

    // With the final empty line, a trailing break yields one more line.
    ASSERT_TRUE(r.Open(path));
    r.SetFinalEmptyLine(true);
    lines.clear();
    while (r.ReadLine(line))
        lines.push_back(line);
    EXPECT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines.back(), "");

    // A line far longer than the reader's buffer stays whole.
    std::string longLine(200000, 'x');
    path = dir.Write("long.txt", longLine + "\r\nend");
    ASSERT_TRUE(ReadTextLines(path, lines));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[1], "end");

    std::string error;
    EXPECT_FALSE(r.Open(dir.path(), &error));
    EXPECT_NE(error.find("is a folder"), std::string::npos);
    EXPECT_FALSE(r.Open(dir / "missing.txt", &error));
}

TEST(TextFiles, WriterUsesCrLfAndLineBreakConversionsAreExact) {
    test::ScratchFolder dir;
    TextWriter w;
    ASSERT_TRUE(w.Open(dir / "w.txt"));
    w.WriteLine("[Strings]");
    w.Write("last");
    ASSERT_TRUE(w.Close());
    EXPECT_EQ(dir.Read("w.txt"), "[Strings]\r\nlast");
    EXPECT_EQ(ToCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(FromCrLf("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(JoinLinesCrLf({"a", "b"}, false), "a\r\nb");
}

TEST(Files, AtomicWriteNeverDestroysTheOldFile) {
    test::ScratchFolder dir;
    std::string path = dir.Write("p.zlt", "old");
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(dir.Read("p.zlt"), "new");
    // A folder in the way, and a missing folder: errors, nothing changed.
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(dir.path(), "x", &error));
    EXPECT_FALSE(WriteFileAtomic(dir / "no/such/p.zlt", "x", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ListFolder(dir.path(), true, true), std::vector<std::string>{"p.zlt"});
}

TEST(Files, AtomicWriteGoesThroughLinksAndCanRefuseReadOnlyFiles) {
    test::ScratchFolder dir;
    const std::string real = dir.Write("real/p.zlt", "old");
    ASSERT_EQ(::symlink("real/p.zlt", ToNative(dir / "link.zlt").c_str()), 0);
    ASSERT_EQ(::symlink("link.zlt", ToNative(dir / "chain.zlt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomic(dir / "chain.zlt", "new"));
    EXPECT_EQ(dir.Read("real/p.zlt"), "new");
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::is_symlink(ToNative(dir / "link.zlt"), ec));
    EXPECT_TRUE(std::filesystem::is_symlink(ToNative(dir / "chain.zlt"), ec));
    EXPECT_EQ(FollowLinks(dir / "chain.zlt"), real);
    // A link to a file not yet made makes it.
    ASSERT_EQ(::symlink("real/later.zlt", ToNative(dir / "later.zlt").c_str()), 0);
    ASSERT_TRUE(WriteFileAtomic(dir / "later.zlt", "made"));
    EXPECT_EQ(dir.Read("real/later.zlt"), "made");

    ASSERT_TRUE(SetFilePermissions(real, 0444));
    std::string error;
    EXPECT_FALSE(WriteFileAtomic(dir / "link.zlt", "refused", &error, ReadOnlyFile::kRefuse));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(dir.Read("real/p.zlt"), "new");
    // Callers that replace read-only files on purpose still can.
    EXPECT_TRUE(WriteFileAtomic(real, "replaced"));
    EXPECT_EQ(dir.Read("real/p.zlt"), "replaced");
}

TEST(Files, AtomicWriteRemovesOnlyItsOwnStaleLeftovers) {
    test::ScratchFolder dir;
    const std::string path = dir.Write("p.zlt", "old");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* name : {".p.zlt.Ab12Cd", ".p.zlt.zzzzzz", ".p.zlt.short", ".q.zlt.Ab12Cd",
                             "p.zlt.Ab12Cd", ".p.zlt.Ab12Cd.x"}) {
        dir.Write(name, "left");
        std::filesystem::last_write_time(ToNative(dir / name), old);
    }
    dir.Write(".p.zlt.Fresh1", "being written");
    ASSERT_TRUE(WriteFileAtomic(path, "new"));
    EXPECT_EQ(ListFolder(dir.path(), true, false),
              (std::vector<std::string>{".p.zlt.Ab12Cd.x", ".p.zlt.Fresh1", ".p.zlt.short",
                                        ".q.zlt.Ab12Cd", "p.zlt", "p.zlt.Ab12Cd"}));
}

TEST(Files, NamesInsideAFolderMatchWithoutRegardToCase) {
    test::ScratchFolder dir;
    dir.Write("Comps/Distrib.kvz", "x");
    EXPECT_EQ(FindInFolderNoCase(dir / "Comps", "DISTRIB.KVZ"), dir / "Comps/Distrib.kvz");
    EXPECT_EQ(ResolveNoCase(dir / "comps\\distrib.kvz"), dir / "Comps/Distrib.kvz");
    EXPECT_EQ(ResolveNoCase(dir / "comps\\none.kvz"), dir / "comps\\none.kvz");
    EXPECT_EQ(FindInFolderNoCase(dir / "Comps", "none"), "");
}

TEST(TempFolder, IsPrivateAndGivesFreshNames) {
    const std::string& folder = PrivateTempFolder();
    ASSERT_FALSE(folder.empty());
    struct stat st;
    ASSERT_EQ(::stat(ToNative(folder).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_NE(PrivateTempPath("x", ".txt"), PrivateTempPath("x", ".txt"));
}

TEST(FitUtf8, CutsByCharactersNeverInsideOne) {
    const struct {
        const char* text;
        size_t columns;
        const char* fitted;
    } cases[] = {
        {"short", 10, "short"},
        {"exactly10!", 10, "exactly10!"},
        {"Copying file : report.txt", 12, "Copying f..."},
        // Two bytes per character: seven characters fit in seven columns;
        // in six, three characters and "..." (never byte 3, inside one).
        {"\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa4\xc3\xb6\xc3\xbc", 7,
         "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa4\xc3\xb6\xc3\xbc"},
        {"\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa4\xc3\xb6\xc3\xbc", 6,
         "\xc3\xa4\xc3\xb6\xc3\xbc..."},
        {"\xd0\xbf\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb0", 5, "\xd0\xbf\xd0\xb0\xd0\xbf\xd0\xba\xd0\xb0"},
        {"\xe2\x98\x83\xe2\x98\x83\xe2\x98\x83\xe2\x98\x83", 2, "\xe2\x98\x83\xe2\x98\x83"},
        {"abc", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string fitted = FitUtf8(c.text, c.columns);
        EXPECT_EQ(fitted, c.fitted);
        EXPECT_TRUE(IsUtf8(fitted));
    }
}

}  // namespace
}  // namespace vantrel
