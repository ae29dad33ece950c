#include "project/file_elements.h"

#include <sys/stat.h>

#include "platform/paths.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

std::string Utf16(const std::string& ascii) {
    std::string r;
    for (char c : ascii) {
        r += c;
        r += '\0';
    }
    return r;
}

TEST(FileElements, VersionInformationOfProgramsOnly) {
    test::ScratchFolder dir;
    std::string key = Utf16("VS_VERSION_INFO");
    EXPECT_TRUE(HasVersionInfo(dir.Write("small.dll", "MZ" + std::string(100, 'x') + key)));
    // The key straddling two reads of the file is found too.
    for (size_t at : {65536 - 7, 65536 - 1, 65536 * 3 + 5}) {
        std::string bytes = "MZ" + std::string(at - 2, '\x90') + key + "tail";
        EXPECT_TRUE(HasVersionInfo(dir.Write("big.exe", bytes))) << at;
    }
    EXPECT_FALSE(HasVersionInfo(dir.Write("plain.exe", "MZ" + std::string(70000, '\0'))));
    EXPECT_FALSE(HasVersionInfo(dir.Write("doc.txt", "text " + key)));
    EXPECT_FALSE(HasVersionInfo(dir.Write("ascii.exe", "MZ VS_VERSION_INFO")));
    EXPECT_FALSE(HasVersionInfo(dir.Write("empty.exe", "")));
    EXPECT_FALSE(HasVersionInfo(dir / "missing.exe"));
}

TEST(FileElements, AttributesFromTheSourceFile) {
    test::ScratchFolder dir;
    std::string plain = dir.Write("plain.txt", "x");
    std::string hidden = dir.Write(".hidden", "x");
    std::string readOnly = dir.Write("ro.txt", "x");
    std::string both = dir.Write(".both", "x");
    ASSERT_EQ(::chmod(ToNative(readOnly).c_str(), 0444), 0);
    ASSERT_EQ(::chmod(ToNative(both).c_str(), 0444), 0);
    EXPECT_EQ(FileAttributesMask(plain), "100000");
    EXPECT_EQ(FileAttributesMask(hidden), "001000");
    EXPECT_EQ(FileAttributesMask(readOnly), "000100");
    EXPECT_EQ(FileAttributesMask(both), "100000");  // several at once keep the default
}

TEST(FileElements, NewElementAsTheFilesPageMakesIt) {
    test::ScratchFolder dir;
    std::string exe = dir.Write("src/bin/app.exe", "MZ" + Utf16("VS_VERSION_INFO"));
    auto file = NewFileElement(exe, "bin/app.exe", "<D>", "bin/app.exe");
    EXPECT_EQ(file->GetSourceDir(), dir / "src/bin");
    EXPECT_EQ(file->WriteRecord(),
              "," + (dir / "src/bin") +
                  ",bin\\app.exe,<D>,bin\\app.exe,32,100000,2,11111,0,,0,1,1," +
                  std::string(32, '1') + ",0,0,0,644,");

    std::string txt = dir.Write("src/readme.txt", "hello");
    auto text = NewFileElement(txt, "readme.txt", "<F>", "readme.txt");
    EXPECT_EQ(text->GetOverwrite(), WSetupFile::kAlways);
    EXPECT_EQ(text->GetSize(), 5);

    WSetupComponent component("Program_files");
    component.AddElement(std::move(file));
    EXPECT_NE(FindTargetFile(component, "<D>", "BIN/App.EXE"), nullptr);
    EXPECT_EQ(FindTargetFile(component, "<D>", "app.exe"), nullptr);
    EXPECT_EQ(FindTargetFile(component, "<F>", "bin\\app.exe"), nullptr);
}

}  // namespace
}  // namespace vantrel
