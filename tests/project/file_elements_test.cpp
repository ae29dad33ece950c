#include "project/file_elements.h"

#include <sys/stat.h>

#include <memory>

#include "elements/setup_ttf_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"
#include "project/project_file.h"
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

const char* const kRealFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

// Lines of `text` (CR LF ends) that start with `prefix`.
std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& prefix) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.rfind(prefix, 0) == 0)
            lines.push_back(line);
        at = end + 2;
    }
    return lines;
}

class FontElements : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!IsFile(kRealFont))
            GTEST_SKIP() << kRealFont << " is not installed (Debian package fonts-dejavu-core)";
        font = dir.Write("src/fonts/sans.ttf", test::ReadBytes(kRealFont));
        size = std::to_string(FileSizeOf(font));
        ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
    }

    std::unique_ptr<WProjectData> NewProject() {
        auto p = std::make_unique<WProjectData>();
        p->SetInstallLocationOverride(dir / "install");
        p->Reset();
        p->DefaultFolder = dir / "src";
        return p;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    std::string font, size;
};

TEST_F(FontElements, FontsInTheFontsFolderCarryTheirFaceName) {
    auto element = NewFileElement(font, "fonts/sans.ttf", "<F>", "sans.ttf");
    ASSERT_EQ(element->GetTypeCode(), kElementTTFFile);
    EXPECT_EQ(element->WriteRecord(), "," + (dir / "src/fonts") + ",fonts\\sans.ttf,<F>,sans.ttf," +
                                          size + ",100000,0,11111,0,,0,1,1," +
                                          std::string(32, '1') + ",0,0,0,644,DejaVu Sans,");
    // The long form of the folder is the same folder.
    EXPECT_EQ(NewFileElement(font, "fonts/sans.ttf", "<Fonts Folder>", "sans.ttf")->GetTypeCode(),
              kElementTTFFile);

    // The same font elsewhere, a file of another kind in the fonts folder, and a
    // ".ttf" that is no font stay plain files.
    EXPECT_EQ(NewFileElement(font, "fonts/sans.ttf", "<D>", "sans.ttf")->GetTypeCode(),
              kElementFile);
    std::string text = dir.Write("src/readme.txt", "hello");
    EXPECT_EQ(NewFileElement(text, "readme.txt", "<F>", "readme.txt")->GetTypeCode(), kElementFile);
    std::string fake = dir.Write("src/fake.ttf", "not a font");
    EXPECT_EQ(NewFileElement(fake, "fake.ttf", "<F>", "fake.ttf")->GetTypeCode(), kElementFile);
}

TEST_F(FontElements, GenerationAndTheProjectFileTreatFontsLikeFiles) {
    auto project = NewProject();
    WSetupComponent* files = project->ProgramFilesComponent();
    files->AddElement(NewFileElement(font, "fonts/sans.ttf", "<F>", "sans.ttf"));
    files->AddElement(NewFileElement(dir.Write("src/a.txt", "abc"), "a.txt", "<D>", "a.txt"));

    const std::string fontRecord = "Program_files,<S>,fonts\\sans.ttf,<F>,sans.ttf," + size +
                                   ",100000,0,11111,0,,0,1,1," + std::string(32, '1') +
                                   ",0,0,0,644,DejaVu Sans,";
    const std::string fileRecord = "Program_files,<S>,a.txt,<D>,a.txt,3,100000,0,11111,0,,0,1,1," +
                                   std::string(32, '1') + ",0,0,0,644,";
    auto records = [&](WProjectData& p, const std::string& out) {
        EXPECT_TRUE(p.Components()->WriteComponentScripts(dir / out, true));
        std::string comp = dir.Read(out + "/comp.kvz");
        EXPECT_EQ(comp.find(dir.path()), std::string::npos) << "a host path in comp.kvz";
        EXPECT_EQ(LinesStartingWith(comp, "Program_files,<S>,fonts"),
                  std::vector<std::string>{fontRecord});
        EXPECT_EQ(LinesStartingWith(comp, "Program_files,<S>,a.txt"),
                  std::vector<std::string>{fileRecord});
        // The first folder of the source name is made for the font as for files.
        EXPECT_TRUE(IsFolder(dir / (out + "/fonts")));
    };
    records(*project, "gen1");
    // Writing puts the element's own folder back.
    EXPECT_EQ(files->Elements(kElementTTFFile).front()->GetSourceDir(), dir / "src/fonts");

    std::string error;
    ASSERT_TRUE(WriteProjectFile(*project, dir / "p.zlt", &error)) << error;
    auto opened = NewProject();
    ASSERT_TRUE(OpenProjectFile(*opened, ProjectArchivePath(dir / "p.zlt"), &error)) << error;
    const auto& fonts = opened->ProgramFilesComponent()->Elements(kElementTTFFile);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts.front()->GetSourceDir(), dir / "src/fonts");
    EXPECT_EQ(static_cast<const WSetupTTFFile&>(*fonts.front()).GetTypefaceName(), "DejaVu Sans");
    records(*opened, "gen2");
}

}  // namespace
}  // namespace vantrel
