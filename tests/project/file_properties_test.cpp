#include "project/file_properties.h"

#include <cctype>
#include <memory>

#include "elements/setup_ttf_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/file_elements.h"
#include "project/project_data.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const char* const kRealFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const std::string kAllSelected(32, '1');

TEST(FileProperties, TypedNamesRefuseTheirCharacters) {
    EXPECT_EQ(CheckSourceDirectory("bin\\data"), "");
    EXPECT_EQ(CheckSourceDirectory("c:\\data"), "");
    EXPECT_EQ(CheckTargetDirectory("bin\\data"), "");
    for (const char* bad : {"a/b", "a*", "a?", "a\"", "a<", "a>", "a|", "a,b"}) {
        EXPECT_EQ(CheckSourceDirectory(bad), kInvalidDirectoryMessage) << bad;
        EXPECT_EQ(CheckTargetDirectory(bad), kInvalidDirectoryMessage) << bad;
        EXPECT_EQ(CheckSourceFileName(bad), kInvalidFileNameMessage) << bad;
        EXPECT_EQ(CheckTargetFileName(bad), kInvalidFileNameMessage) << bad;
    }
    EXPECT_EQ(CheckTargetDirectory("c:"), kInvalidDirectoryMessage);
    EXPECT_EQ(CheckTargetFileName("a:b"), kInvalidFileNameMessage);
    EXPECT_EQ(CheckTargetFileName("a\\b"), kInvalidFileNameMessage);
    EXPECT_EQ(CheckSourceFileName("a\\b"), kInvalidFileNameMessage);
    EXPECT_STREQ(kInvalidDirectoryMessage,
                 "You have entered an invalid character for a directory.");
    EXPECT_STREQ(kInvalidFileNameMessage, "You have entered an invalid character for a filename.");
}

TEST(FileProperties, AttributeBoxes) {
    WAttributeBoxes boxes("010100");
    EXPECT_TRUE(boxes.IsChecked(WAttributeBoxes::kArchive));
    EXPECT_TRUE(boxes.IsChecked(WAttributeBoxes::kReadOnly));
    EXPECT_FALSE(boxes.IsChecked(WAttributeBoxes::kNormal));
    EXPECT_EQ(boxes.Mask(), "010100");
    boxes.Set(WAttributeBoxes::kArchive, false);
    EXPECT_FALSE(boxes.IsChecked(WAttributeBoxes::kNormal));
    boxes.Set(WAttributeBoxes::kReadOnly, false);
    EXPECT_TRUE(boxes.IsChecked(WAttributeBoxes::kNormal));
    EXPECT_EQ(boxes.Mask(), "100000");

    boxes.Set(WAttributeBoxes::kHidden, true);
    boxes.Set(WAttributeBoxes::kTemporary, true);
    EXPECT_FALSE(boxes.IsChecked(WAttributeBoxes::kNormal));
    EXPECT_EQ(boxes.Mask(), "001001");
    boxes.Set(WAttributeBoxes::kNormal, true);  // alone again
    EXPECT_EQ(boxes.Mask(), "100000");
    EXPECT_FALSE(boxes.IsChecked(WAttributeBoxes::kHidden));
    boxes.Set(WAttributeBoxes::kNormal, false);  // nothing else: Normal stays
    EXPECT_TRUE(boxes.IsChecked(WAttributeBoxes::kNormal));

    // Normal with another position reads as that position; no position at all
    // (or a short mask) as Normal.
    EXPECT_EQ(WAttributeBoxes("110000").Mask(), "010000");
    EXPECT_FALSE(WAttributeBoxes("110000").IsChecked(WAttributeBoxes::kNormal));
    EXPECT_TRUE(WAttributeBoxes("000000").IsChecked(WAttributeBoxes::kNormal));
    EXPECT_EQ(WAttributeBoxes("0000001").Mask(), "100000");
    EXPECT_EQ(WAttributeBoxes("00001").Mask(), "000010");
}

TEST(FileProperties, SystemBoxesStandForTheirMaskPositions) {
    // Positions: 95, NT 4, 98, 2000, a fifth; boxes: 95, 98, NT 4, 2000.
    WSystemBoxes boxes("01000");
    EXPECT_TRUE(boxes.IsChecked(WSystemBoxes::kWindowsNT4));
    EXPECT_FALSE(boxes.IsChecked(WSystemBoxes::kWindows98));
    EXPECT_EQ(boxes.Set(WSystemBoxes::kWindowsNT4, false), kNoSystemMessage);
    EXPECT_TRUE(boxes.IsChecked(WSystemBoxes::kWindowsNT4));
    EXPECT_EQ(boxes.Set(WSystemBoxes::kWindows98, true), "");
    EXPECT_EQ(boxes.ApplyTo("01000"), "01100");
    EXPECT_EQ(boxes.Set(WSystemBoxes::kWindowsNT4, false), "");
    EXPECT_EQ(boxes.ApplyTo("01000"), "00100");
    EXPECT_EQ(boxes.ApplyTo("111"), "00101");  // padded; the fifth is kept
    EXPECT_TRUE(WSystemBoxes("11").IsChecked(WSystemBoxes::kWindows2000));
    EXPECT_STREQ(kNoSystemMessage, "You should not deselect all operating systems");
    EXPECT_STREQ(kNoSystemCaption, "Warning");
}

// A project with one file (bin\a.dll to the target folder) below its source
// folder; the records that generation writes are the test.
class FilePropertiesApply : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(MakeFolders(dir / "install/Comps"));
        project.SetInstallLocationOverride(dir / "install");
        project.Reset();
        project.DefaultFolder = dir / "src";
        file = Add(dir.Write("src/bin/a.dll", "library"), "bin/a.dll", "<D>", "bin\\a.dll");
    }

    WSetupFile* Add(const std::string& source, const std::string& sourceName,
                    const std::string& targetDir, const std::string& targetName) {
        return static_cast<WSetupFile*>(project.ProgramFilesComponent()->AddElement(
            NewFileElement(source, sourceName, targetDir, targetName)));
    }

    // The records of comp.kvz in the section of `keyword` (at any level).
    std::vector<std::string> Records(const std::string& keyword) {
        EXPECT_TRUE(project.Components()->WriteComponentScripts(dir / "out"));
        std::string comp = dir.Read("out/comp.kvz");
        std::vector<std::string> lines;
        bool inside = false;
        for (size_t at = 0, end; at < comp.size(); at = end + 2) {
            end = comp.find("\r\n", at);
            std::string line = comp.substr(at, end - at);
            if (line.rfind('[', 0) == 0)
                inside = line.size() == keyword.size() + 3 &&
                         line.compare(1, keyword.size(), keyword) == 0 &&
                         std::isdigit(static_cast<unsigned char>(line[keyword.size() + 1]));
            else if (inside && !line.empty())
                lines.push_back(line);
        }
        return lines;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    WSetupFile* file = nullptr;
};

TEST_F(FilePropertiesApply, PagesStoreIntoTheRecord) {
    WFileProperties p = WFileProperties::Load(project, *file);
    EXPECT_EQ(p.sourceDirectory, "bin");
    EXPECT_EQ(p.SourceFileName(), "a.dll");
    EXPECT_EQ(p.FullSourcePath(), dir / "src/bin/a.dll");
    EXPECT_EQ(p.SizeText(), "Size: 7");
    EXPECT_EQ(p.FullTargetPath(), "<Target Folder>\\bin\\a.dll");
    EXPECT_FALSE(p.IsFont());

    p.overwrite = WSetupFile::kCheckDate;
    p.attributes.Set(WAttributeBoxes::kHidden, true);
    p.attributes.Set(WAttributeBoxes::kSystem, true);
    p.systems.Set(WSystemBoxes::kWindows98, false);
    EXPECT_EQ(p.Apply(project, file), "");
    EXPECT_EQ(Records("File"),
              std::vector<std::string>{"Program_files,<S>,bin\\a.dll,<D>,bin\\a.dll,7,001010,3,"
                                       "11011,0,,0,1,1," +
                                       kAllSelected + ",0,0,0,644,"});

    // Refusals change nothing.
    WFileProperties bad = WFileProperties::Load(project, *file);
    bad.overwrite = 7;
    EXPECT_NE(bad.Apply(project, file), "");
    bad = WFileProperties::Load(project, *file);
    bad.sourceDirectory = "elsewhere";  // the project would not find the file again
    EXPECT_NE(bad.Apply(project, file), "");
    bad = WFileProperties::Load(project, *file);
    bad.targetDirectory = "lib";  // a move needs the target tree
    EXPECT_NE(bad.Apply(project, file), "");
    bad = WFileProperties::Load(project, *file);
    bad.registerFont = true;
    EXPECT_EQ(bad.Apply(project, file),
              "Only a TrueType font file (.ttf) can be registered as a font.");
    EXPECT_EQ(file->GetTargetName(), "bin\\a.dll");
    EXPECT_EQ(file->GetOverwrite(), WSetupFile::kCheckDate);
    EXPECT_EQ(file->GetTypeCode(), kElementFile);
}

TEST_F(FilePropertiesApply, AnElementOutsideTheFilesIsRefusedUntouched) {
    // A stale element of a caller (taken out of the set meanwhile) is
    // neither changed nor given registrations.
    std::unique_ptr<WSetupElement> taken = project.ProgramFilesComponent()->TakeElement(file);
    auto* loose = static_cast<WSetupFile*>(taken.get());
    WFileProperties p = WFileProperties::Load(project, *loose);
    p.overwrite = WSetupFile::kAppend;
    p.regFile = true;
    WSetupFile* edited = loose;
    EXPECT_EQ(p.Apply(project, edited), kSelectFileMessage);
    EXPECT_EQ(edited, loose);
    EXPECT_NE(loose->GetOverwrite(), WSetupFile::kAppend);
    EXPECT_EQ(Records("RegFile"), std::vector<std::string>{});

    // A move whose callback hands back an element outside the set fails too.
    project.ProgramFilesComponent()->AddElement(std::move(taken));
    WFileProperties moved = WFileProperties::Load(project, *file);
    moved.targetDir = "<W>";
    WSetupFile stray(*file);
    WRelocateFile elsewhere = [&stray](WSetupFile*, const std::string&, const std::string&,
                                       std::string&) { return &stray; };
    EXPECT_NE(moved.Apply(project, file, elsewhere), "");
    EXPECT_EQ(file->GetTargetDir(), "<D>");
}

TEST_F(FilePropertiesApply, RegistryFileAndSelfRegistrationFollowTheBoxes) {
    // Another file of the same name elsewhere has a registration of its own.
    WSetupFile* other = Add(dir.Write("src/a.dll", "x"), "a.dll", "<W>", "bin\\a.dll");
    AddRegistration(*project.ProgramFilesComponent(), kElementSelfRegister, *other);
    EXPECT_FALSE(WFileProperties::Load(project, *file).selfRegister);

    WFileProperties p = WFileProperties::Load(project, *file);
    p.regFile = true;
    p.selfRegister = true;
    p.systems.Set(WSystemBoxes::kWindows95, false);
    ASSERT_EQ(p.Apply(project, file), "");
    ASSERT_EQ(p.Apply(project, file), "");  // no second copy
    EXPECT_EQ(Records("RegFile"), std::vector<std::string>{"Program_files,<D>,bin\\a.dll,01111," +
                                                           kAllSelected + ",0,644,"});
    EXPECT_EQ(Records("SelfRegister"),
              (std::vector<std::string>{
                  "Program_files,<W>,bin\\a.dll,11111,1," + kAllSelected + ",0,644,",
                  "Program_files,<D>,bin\\a.dll,01111,1," + kAllSelected + ",0,644,"}));
    WFileProperties shown = WFileProperties::Load(project, *file);
    EXPECT_TRUE(shown.regFile);
    EXPECT_TRUE(shown.selfRegister);

    // A move takes the registrations along to the new place.
    WRelocateFile relocate = [](WSetupFile* f, const std::string& targetDir,
                                const std::string& targetName, std::string&) {
        f->SetTargetDir(targetDir);
        f->SetTargetName(targetName);
        return f;
    };
    shown.targetDir = "<WPF>";
    shown.targetDirectory = "Acme";
    ASSERT_EQ(shown.Apply(project, file, relocate), "");
    EXPECT_EQ(Records("RegFile"),
              std::vector<std::string>{"Program_files,<WPF>,Acme\\a.dll,01111," + kAllSelected +
                                       ",0,644,"});

    WFileProperties off = WFileProperties::Load(project, *file);
    off.regFile = false;
    off.selfRegister = false;
    ASSERT_EQ(off.Apply(project, file), "");
    EXPECT_EQ(Records("RegFile"), std::vector<std::string>{});
    EXPECT_EQ(Records("SelfRegister"),
              std::vector<std::string>{"Program_files,<W>,bin\\a.dll,11111,1," + kAllSelected +
                                       ",0,644,"});

    // A failed move changes nothing.
    WFileProperties refused = WFileProperties::Load(project, *file);
    refused.targetDir = "<D>";
    WRelocateFile fail = [](WSetupFile*, const std::string&, const std::string&,
                            std::string& error) -> WSetupFile* {
        error = "taken";
        return nullptr;
    };
    EXPECT_EQ(refused.Apply(project, file, fail), "taken");
    EXPECT_EQ(file->GetTargetDir(), "<WPF>");
}

TEST_F(FilePropertiesApply, RegisterFontTurnsTheFileIntoAFontAndBack) {
    if (!IsFile(kRealFont))
        GTEST_SKIP() << kRealFont << " is not installed (Debian package fonts-dejavu-core)";
    std::string source = dir.Write("src/SANS.TTF", test::ReadBytes(kRealFont));
    const std::string size = std::to_string(FileSizeOf(source));
    WSetupFile* font = Add(source, "SANS.TTF", "<D>", "SANS.TTF");
    WFileProperties p = WFileProperties::Load(project, *font);
    EXPECT_TRUE(p.IsFont());
    EXPECT_EQ(p.TypefaceName(), "DejaVu Sans");
    EXPECT_FALSE(p.registerFont);
    p.registerFont = true;
    ASSERT_EQ(p.Apply(project, font), "");
    EXPECT_EQ(font->GetTypeCode(), kElementTTFFile);
    EXPECT_EQ(Records("TTFFile"),
              std::vector<std::string>{"Program_files,<S>,SANS.TTF,<D>,SANS.TTF," + size +
                                       ",100000,0,11111,0,,0,1,1," + kAllSelected +
                                       ",0,0,0,644,DejaVu Sans,"});
    EXPECT_EQ(Records("File").size(), 1u);

    WFileProperties back = WFileProperties::Load(project, *font);
    EXPECT_TRUE(back.registerFont);
    back.registerFont = false;
    ASSERT_EQ(back.Apply(project, font), "");
    EXPECT_EQ(font->GetTypeCode(), kElementFile);
    EXPECT_EQ(Records("TTFFile"), std::vector<std::string>{});
    EXPECT_EQ(Records("File").size(), 2u);

    // A ".ttf" that is no font cannot be registered: the reader says why.
    WSetupFile* fake = Add(dir.Write("src/fake.ttf", "text"), "fake.ttf", "<D>", "fake.ttf");
    WFileProperties bad = WFileProperties::Load(project, *fake);
    EXPECT_TRUE(bad.IsFont());
    EXPECT_NE(bad.FontError(), "");
    bad.registerFont = true;
    EXPECT_EQ(bad.Apply(project, fake), bad.FontError());
    EXPECT_EQ(fake->GetTypeCode(), kElementFile);
}

}  // namespace
}  // namespace vantrel
