#include "scriptfile/setup_data.h"

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "scriptfile/setup_product_data.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;
using test::ReadBytes;
using test::ScratchFolder;

TEST(SetupDataValues, AddsSectionsAndInsertsNewKeysAfterTheSectionLine) {
    WSetupData data;
    data.SetValue("UI", "X", "1", true);
    EXPECT_EQ(data.Lines(), (Lines{"[UI]", "X=1"}));
    data.SetValue("UI", "Y", "2", true);
    data.SetValue("Other", "Z", "3", true);
    EXPECT_EQ(data.Lines(), (Lines{"[UI]", "Y=2", "X=1", "[Other]", "Z=3"}));
    data.SetValue("UI", "W", "4", false);
    data.SetValue("Nowhere", "W", "4", false);
    EXPECT_EQ(data.Lines().size(), 5u);

    // A section line at the very end gets no line after it: a second
    // section line with the key is appended instead.
    WSetupData tail;
    tail.LoadLines({"[A]", "k=v", "[B]"});
    tail.SetValue("B", "n", "1", true);
    EXPECT_EQ(tail.Lines(), (Lines{"[A]", "k=v", "[B]", "[B]", "n=1"}));
    std::string v;
    EXPECT_EQ(tail.GetValue("B", "n", v), 1);
    EXPECT_EQ(v, "1");
}

TEST(SetupDataValues, ChangingAKeyKeepsItsTextAndReplacesTheValue) {
    WSetupData data;
    data.LoadLines({"[S]", "Key  =old", "other=1", "[T]", "Key=t"});
    data.SetValue("S", "Key", "new", true);
    EXPECT_EQ(data.Lines(), (Lines{"[S]", "Key  =new", "other=1", "[T]", "Key=t"}));

    // The last line of the script is changed in place too, so a second
    // change is not lost behind a stale duplicate.
    data.SetValue("T", "Key", "t2", true);
    data.SetValue("T", "Key", "t3", true);
    EXPECT_EQ(data.Lines(), (Lines{"[S]", "Key  =new", "other=1", "[T]", "Key=t3"}));
    std::string v;
    data.GetValue("T", "Key", v);
    EXPECT_EQ(v, "t3");
}

TEST(SetupDataValues, LookupIsExactAndTheLastMatchWins) {
    WSetupData data;
    data.LoadLines({"[S]", "a = first", "A=upper", "[s]", "a=lower-section", "[S]", "a=second",
                    "b=x=y", "plain", "=novalue"});
    std::string v = "stale";
    EXPECT_EQ(data.GetValue("S", "a", v), 1);
    EXPECT_EQ(v, "second");
    EXPECT_EQ(data.GetValue("S", "b", v), 1);
    EXPECT_EQ(v, "x=y");
    EXPECT_EQ(data.GetValue("S", "c", v), 0);
    EXPECT_EQ(v, "");
    EXPECT_EQ(data.GetValue("S", "", v), 0);
    // Plain lines: neither section nor key lines, "=novalue" included.
    EXPECT_EQ(data.PlainLines(), (std::vector<int>{8, 9}));
    data.SetValue("S", "new", "1", true);
    EXPECT_EQ(data.PlainLines(), (std::vector<int>{9, 10}));
}

TEST(SetupDataLoad, ProductDataKeepsOnlyProductSections) {
    ScratchFolder dir;
    std::string path = dir.Write("p.kvz",
                                 "[Oxbel Setup Header]\r\nModuleType=PRODUCT\r\n"
                                 "[Oxbel Setup Header End]\r\nbefore=1\r\n  [UI]  \r\n"
                                 "  Pages = a b  \r\n\r\nnote\r\n[ui]\r\nlost=1\r\n[Custom]\r\n"
                                 "lost=2\r\n[BOXID]\r\nBoxName=b\r\n");
    WSetupProductData data;
    ASSERT_EQ(data.Load(path), 1);
    EXPECT_EQ(data.Lines(), (Lines{"[UI]", "Pages = a b", "", "note", "[BOXID]", "BoxName=b"}));
    EXPECT_EQ(data.PlainLines(), (std::vector<int>{2, 3}));

    // Appending keeps what is there and continues the plain-line index.
    ASSERT_EQ(data.Load(dir.Write("q.kvz", "[Strings]\nfree text"), true), 1);
    EXPECT_EQ(data.Lines().size(), 8u);
    EXPECT_EQ(data.PlainLines(), (std::vector<int>{2, 3, 7}));

    EXPECT_EQ(data.Load(dir / "missing.kvz", true), 0);
    EXPECT_EQ(data.Lines().size(), 8u);
    EXPECT_EQ(data.Load(dir / "missing.kvz"), 0);
    EXPECT_TRUE(data.Lines().empty());
    EXPECT_EQ(data.Load(dir.path()), 0);

    // The plain object keeps every section but the header block.
    WSetupData plain;
    ASSERT_EQ(plain.Load(path), 1);
    EXPECT_EQ(plain.Lines().front(), "[UI]");
    EXPECT_EQ(plain.Lines().size(), 10u);
}

TEST(SetupDataSave, WritesLinesThenStampsTheHeader) {
    ScratchFolder dir;
    WSetupProductData data;
    data.LoadLines({"[UI]", "X=1", "end"});
    std::string path = dir / "project.kvz";
    ASSERT_TRUE(data.SaveAs(path));
    std::string bytes = ReadBytes(path);
    EXPECT_EQ(bytes.substr(0, 40), "[Oxbel Setup Header]\r\nModuleType=PRODUCT");
    const std::string end = "[Oxbel Setup Header End]\r\n";
    EXPECT_EQ(bytes.substr(bytes.find(end) + end.size()), "[UI]\r\nX=1\r\nend");

    WScriptHeader check;
    check.SetFilePath(path);
    EXPECT_EQ(check.Read(true, true), 0);
    EXPECT_EQ(check.GetModuleType(), "PRODUCT");

    WSetupProductData back;
    ASSERT_EQ(back.Load(path), 1);
    EXPECT_EQ(back.Lines(), data.Lines());

    // Saving again over a read-only file replaces it and keeps one header.
    ASSERT_TRUE(SetFilePermissions(path, 0444));
    data.SetValue("UI", "X", "2", true);
    ASSERT_TRUE(data.SaveAs(path));
    bytes = ReadBytes(path);
    EXPECT_EQ(bytes.find("[Oxbel Setup Header]", 1), std::string::npos);
    EXPECT_NE(bytes.find("X=2"), std::string::npos);
}

TEST(SetupDataSave, FailsWithoutTouchingOtherFiles) {
    ScratchFolder dir;
    WSetupData data;
    data.SetValue("UI", "X", "1", true);
    EXPECT_FALSE(data.SaveAs(dir.path()));
    EXPECT_TRUE(IsFolder(dir.path()));
    EXPECT_FALSE(data.SaveAs(dir / "no-such-folder/p.kvz"));
    EXPECT_TRUE(ListFolder(dir.path(), true, false).empty());

    // An empty script still gets a header that verifies.
    WSetupData empty;
    std::string path = dir / "empty.kvz";
    ASSERT_TRUE(empty.SaveAs(path));
    WScriptHeader check;
    check.SetFilePath(path);
    EXPECT_EQ(check.Read(false, true), 0);
}

}  // namespace
}  // namespace vantrel
