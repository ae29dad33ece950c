#include "script/folder_macros.h"

#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(FolderMacros, EveryTokenRoundTrips) {
    for (auto& m : FolderMacroTable()) {
        std::string text = std::string("x;") + m.shortForm + "\\sub";
        std::string expanded = ExpandFolderMacros(text);
        EXPECT_EQ(expanded, std::string("x;") + m.longForm + "\\sub") << m.shortForm;
        std::string back = CompressFolderMacros(expanded);
        // "<SDL:>" only expands; its long form is stored as "<SDL>".
        EXPECT_EQ(back, std::string(m.shortForm) == "<SDL:>" ? "x;<SDL>\\sub" : text)
            << m.shortForm;
    }
    EXPECT_EQ(FolderMacroTable().size(), 57u);
}

TEST(FolderMacros, CaseOfGatesAndRows) {
    EXPECT_EQ(ExpandFolderMacros("<D>\\Data"), "<Target Folder>\\Data");
    EXPECT_EQ(CompressFolderMacros("<Target Folder>\\Data"), "<D>\\Data");
    // Rows ignore case; the replacement is written as in the table.
    EXPECT_EQ(CompressFolderMacros("<target folder>\\x"), "<D>\\x");
    EXPECT_EQ(CompressFolderMacros("<WINDOWS SYSTEM FOLDER>"), "<Y>");
    // Expansion is gated by the exact case of the token's start...
    EXPECT_EQ(ExpandFolderMacros("<d>\\x"), "<d>\\x");
    // ...but once a group is open its rows ignore case.
    EXPECT_EQ(ExpandFolderMacros("<D>;<d2>"), "<Target Folder>;<Target Folder Dbl Slash>");
    EXPECT_EQ(ExpandFolderMacros("<wpf_r2>"), "<wpf_r2>");
    EXPECT_EQ(ExpandFolderMacros("<wpf_r2>|<W>"),
              "<Windows Program Files Folder Residual Dbl Slash>|<Windows Folder>");
}

TEST(FolderMacros, SeveralTokensAndUnknownText) {
    EXPECT_EQ(ExpandFolderMacros("<W>;<Y>"), "<Windows Folder>;<Windows System Folder>");
    EXPECT_EQ(CompressFolderMacros("<Windows Folder>;<Windows System Folder>"), "<W>;<Y>");
    EXPECT_EQ(ExpandFolderMacros("<SDL:>\\setup"), "<Source Drive Letter:>\\setup");
    EXPECT_EQ(CompressFolderMacros("<Source Drive Letter:>\\setup"), "<SDL>\\setup");
    for (const char* same :
         {"", "plain text", "<Not A Macro>", "<X>", "a < b > c", "<D", "<CUSTOM"}) {
        EXPECT_EQ(ExpandFolderMacros(same), same);
        EXPECT_EQ(CompressFolderMacros(same), same);
    }
    // Tokens whose short forms begin alike stay apart.
    EXPECT_EQ(ExpandFolderMacros("<C>,<CUSTOM>,<SF>,<SFDL:>,<SFDL>,<PN>,<P>"),
              "<User's Company>,<Custom Destination>,<Shared Folder>,<Shared Drive Letter:>,"
              "<Shared Drive Letter>,<User's phone number>,<Personal Folder>");
    EXPECT_EQ(CompressFolderMacros("<Start Menu Programs Folder>\\<Startup Folder>\\"
                                   "<Tessary Runtime Folder>\\<Desktop Folder>"),
              "<O>\\<U>\\<PRT>\\<K>");
    // A "<" that starts no macro does not hide the one that follows it, and
    // every occurrence is replaced, up to the very end of the text.
    EXPECT_EQ(ExpandFolderMacros("<<D>a<b<d>"), "<<Target Folder>a<b<Target Folder>");
    EXPECT_EQ(ExpandFolderMacros("x<D><D2<D>"), "x<Target Folder><D2<Target Folder>");
    EXPECT_EQ(CompressFolderMacros("<<TARGET FOLDER>><target folder>"), "<<D>><D>");
}

TEST(FolderMacros, ReplaceAllNeverRescansInsertedText) {
    EXPECT_EQ(ReplaceAllNoCase("aAa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(ReplaceAllNoCase("<d><D>", "<D>", "<D><D>"), "<D><D><D><D>");
    EXPECT_EQ(ReplaceAllNoCase("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAllNoCase("xxx", "xx", "y"), "yx");
}

}  // namespace
}  // namespace vantrel
