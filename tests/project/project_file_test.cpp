#include "project/project_file.h"

#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "elements/setup_file.h"
#include "elements/setup_reg_entry.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "platform/temp_folder.h"
#include "project/project_data.h"
#include "script/setup_component.h"
#include "scriptfile/script_header.h"
#include "scriptfile/setup_product_data.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// Output (stdout and stderr) of a shell command; `status` gets its exit status.
std::string Shell(const std::string& command, int* status = nullptr) {
    std::string out;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    int rc = ::pclose(p);
    if (status)
        *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

std::string Quote(const std::string& s) {
    return "'" + ReplaceAll(s, "'", "'\\''") + "'";
}

// Runs a Python script with the arguments given; returns its output.
std::string Python(const test::ScratchFolder& dir, const std::string& script,
                   const std::vector<std::string>& args, int* status = nullptr) {
    std::string file = dir.Write("script.py", script);
    std::string command = "python3 " + Quote(file);
    for (auto& a : args)
        command += " " + Quote(a);
    return Shell(command, status);
}

std::set<std::string> TempEntries() {
    auto names = ListFolder(PrivateTempFolder(), true, true);
    return {names.begin(), names.end()};
}

class ProjectFile : public ::testing::Test {
  protected:
    void SetUp() override {
        install = dir / "install";
        ASSERT_TRUE(MakeFolders(JoinPath(install, "Comps")));
        ASSERT_TRUE(MakeFolders(JoinPath(install, "MySetup")));
    }

    std::unique_ptr<WProjectData> NewProject() {
        auto p = std::make_unique<WProjectData>();
        p->SetInstallLocationOverride(install);
        p->Reset();
        return p;
    }

    // A project with every saved field away from its default.
    std::unique_ptr<WProjectData> FilledProject() {
        auto p = NewProject();
        p->SetApplicationName("Ledger");
        p->CompanyName = "Acme";
        p->Version = "2.0";
        p->UseDefaultDest = 0;
        p->DefaultDestPrefix = "<WDL:>";
        p->DefaultDestBase = "Apps\\Ledger";
        p->Destination = "<WDL:>\\Apps\\Ledger";
        p->UninstallComponent = 0;
        p->RuntimeComponent = 0;
        p->FrameworkComponent = 1;
        p->BDEComponent = 0;
        p->AreWritingToolsSelected = 1;
        p->DefaultWritingToolLang = "German";
        p->WritingToolLanguages = {"DE", "AF"};
        p->DefaultLanguage = "DE";
        p->DisplayLicense = 1;
        p->LicenseText = "  Terms\nLine two\n\nEnd";
        p->DisplayRelease = 1;
        p->ReleaseText = "Release 2.0";
        p->ShortcutFolder = "Ledger Tools";
        p->DefaultFolder = "C:\\Source\\Ledger\\";
        p->IDAPICNFDirectory = "C:\\Bde\\MY.CNF";
        p->IsDefaultCFGSelected = 0;
        p->IsInterBaseSelected = 1;
        p->IsDB2Selected = 1;
        p->IsInformixSelected = 1;
        p->IsMSSQLSelected = 1;
        p->IsOracleSelected = 1;
        p->IsSybaseCTLibSelected = 1;
        p->IsSybaseDBLibSelected = 1;
        p->BackTitle = "Ledger Setup";
        p->BackTitleFont = "Arial";
        p->BackTitleFontHeight = "72";
        p->BackFontStyle = "Bold Italic";
        p->BackTitleBold = 1;
        p->BackTitleItalic = 1;
        p->BackTitleAlign = "CENTER";
        p->TitleTextRed = "10";
        p->TitleTextGreen = "20";
        p->TitleTextBlue = "30";
        p->GradientColor = "RED";
        p->MediaDistributionDirectory = "C:\\Ship";
        p->IsFloppySetup = 1;
        p->DiskSize = "Custom";
        p->FloppyCustomSize = "700";
        p->FloppySetSizeType = "KB";
        p->AreFilesMissing = 3;

        auto file = std::make_unique<WSetupFile>();
        file->SetSourceDir("C:\\Source\\Ledger\\bin");
        file->SetSourceName("bin\\ledger.exe");
        file->SetTargetDir("<D>");
        file->SetTargetName("bin\\ledger.exe");
        file->SetSize(1234);
        file->SetOverwrite(WSetupFile::kCheckVersion);
        p->ProgramFilesComponent()->AddElement(std::move(file));
        auto reg = std::make_unique<WSetupRegEntry>();
        reg->SetRootKey("HKEY_CURRENT_USER");
        reg->SetKeyPath("Software\\Acme\\Ledger");
        reg->SetValueName("Path");
        reg->SetValueData("<D>");
        p->ProgramFilesComponent()->AddElement(std::move(reg));
        return p;
    }

    std::string SaveAs(WProjectData& p, const std::string& name) {
        std::string path = dir / name, error;
        EXPECT_TRUE(WriteProjectFile(p, path, &error)) << error;
        return ProjectArchivePath(path);
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    std::string install;
};

TEST_F(ProjectFile, RoundTripsEverySavedField) {
    auto saved = FilledProject();
    std::string path = SaveAs(*saved, "ledger.zlt");
    EXPECT_EQ(saved->DefaultFolder, "C:\\Source\\Ledger");

    auto p = NewProject();
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*p, path, &error)) << error;
    EXPECT_EQ(p->GetApplicationName(), "Ledger");
    EXPECT_EQ(p->ProductComponent()->GetDisplayName(), "Ledger");
    for (auto field : {&WProjectData::CompanyName,
                       &WProjectData::Version,
                       &WProjectData::DefaultDestPrefix,
                       &WProjectData::DefaultDestBase,
                       &WProjectData::DefaultWritingToolLang,
                       &WProjectData::DefaultLanguage,
                       &WProjectData::LicenseText,
                       &WProjectData::ReleaseText,
                       &WProjectData::ShortcutFolder,
                       &WProjectData::DefaultFolder,
                       &WProjectData::IDAPICNFDirectory,
                       &WProjectData::BackTitle,
                       &WProjectData::BackTitleFont,
                       &WProjectData::BackTitleFontHeight,
                       &WProjectData::BackFontStyle,
                       &WProjectData::BackTitleAlign,
                       &WProjectData::TitleTextRed,
                       &WProjectData::TitleTextGreen,
                       &WProjectData::TitleTextBlue,
                       &WProjectData::GradientColor,
                       &WProjectData::MediaDistributionDirectory,
                       &WProjectData::DiskSize,
                       &WProjectData::FloppyCustomSize,
                       &WProjectData::FloppySetSizeType}) {
        EXPECT_EQ(p.get()->*field, saved.get()->*field);
    }
    for (auto field : {&WProjectData::UseDefaultDest,        &WProjectData::UninstallComponent,
                       &WProjectData::RuntimeComponent,      &WProjectData::FrameworkComponent,
                       &WProjectData::BDEComponent,          &WProjectData::AreWritingToolsSelected,
                       &WProjectData::DisplayLicense,        &WProjectData::DisplayRelease,
                       &WProjectData::IsDefaultCFGSelected,  &WProjectData::IsInterBaseSelected,
                       &WProjectData::IsDB2Selected,         &WProjectData::IsInformixSelected,
                       &WProjectData::IsMSSQLSelected,       &WProjectData::IsOracleSelected,
                       &WProjectData::IsSybaseCTLibSelected, &WProjectData::IsSybaseDBLibSelected,
                       &WProjectData::BackTitleBold,         &WProjectData::BackTitleItalic,
                       &WProjectData::IsFloppySetup,         &WProjectData::AreFilesMissing}) {
        EXPECT_EQ(p.get()->*field, saved.get()->*field);
    }
    // The selection comes back in table order; the text keeps its leading
    // blanks and inner empty line.
    EXPECT_EQ(p->WritingToolLanguages, (std::vector<std::string>{"AF", "DE"}));
    EXPECT_EQ(p->LicenseText, "  Terms\nLine two\n\nEnd");

    // The application's files and registry entries, with the file's folder
    // on this machine rebuilt from the source folder.
    auto& files = p->ProgramFilesComponent()->Elements(kElementFile);
    ASSERT_EQ(files.size(), 1u);
    auto* file = static_cast<WSetupFile*>(files[0].get());
    EXPECT_EQ(file->GetSourceName(), "bin\\ledger.exe");
    EXPECT_EQ(file->GetSourceDir(), "C:\\Source\\Ledger\\bin");
    EXPECT_EQ(file->GetTargetName(), "bin\\ledger.exe");
    EXPECT_EQ(file->GetOverwrite(), WSetupFile::kCheckVersion);
    EXPECT_EQ(file->GetSize(), 1234);
    auto& regs = p->ProgramFilesComponent()->Elements(kElementRegistryKeys);
    ASSERT_EQ(regs.size(), 1u);
    EXPECT_EQ(static_cast<WSetupRegEntry*>(regs[0].get())->GetKeyPath(), "Software\\Acme\\Ledger");

    // Opening and saving again changes nothing more. (The first reopening
    // does: the destination is rebuilt by the wizard, the background fills
    // in its tile, languages come back in table order, masks are padded.)
    std::string again = SaveAs(*p, "again.zlt");
    auto q = NewProject();
    ASSERT_TRUE(LoadProjectFile(*q, again, &error)) << error;
    std::string third = SaveAs(*q, "third.zlt");
    std::string compare = R"(
import sys, zipfile
a, b = zipfile.ZipFile(sys.argv[1]), zipfile.ZipFile(sys.argv[2])
for name in a.namelist():
    x, y = a.read(name), b.read(name)
    if name == 'project.kvz':  # the header's time stamp may differ
        x, y = x.split(b'[Oxbel Setup Header End]')[1], y.split(b'[Oxbel Setup Header End]')[1]
    print(name, 'same' if x == y else 'differs')
)";
    EXPECT_EQ(Python(dir, compare, {again, third}),
              "project.kvz same\ncomp.kvz same\nstring.str same\nlicense.txt same\n"
              "release.txt same\n");
}

TEST_F(ProjectFile, ArchiveHoldsTheMembersInOrderAsAnyZipToolReadsThem) {
    auto p = FilledProject();
    std::string path = SaveAs(*p, "ledger.zlt");

    int status = -1;
    std::string test = Shell("unzip -t " + Quote(path), &status);
    EXPECT_EQ(status, 0) << test;
    EXPECT_NE(test.find("No errors detected"), std::string::npos) << test;

    std::string inspect = R"(
import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
print(z.testzip())
print(','.join(i.filename for i in z.infolist()))
print(set(i.compress_type for i in z.infolist()))
print(repr(z.read('license.txt')))
kvz = z.read('project.kvz')
print(kvz.startswith(b'[Oxbel Setup Header]\r\n'), b'\n' not in kvz.replace(b'\r\n', b''))
)";
    EXPECT_EQ(Python(dir, inspect, {path}),
              "None\nproject.kvz,comp.kvz,string.str,license.txt,release.txt\n{8}\n"
              "b'  Terms\\r\\nLine two\\r\\n\\r\\nEnd'\nTrue True\n");

    // Texts that are not shown, or empty, add no member.
    p->DisplayLicense = 0;
    p->ReleaseText.clear();
    path = SaveAs(*p, "plain.zlt");
    EXPECT_EQ(
        Python(dir, "import sys, zipfile\nprint(zipfile.ZipFile(sys.argv[1]).namelist())", {path}),
        "['project.kvz', 'comp.kvz', 'string.str']\n");
}

TEST_F(ProjectFile, ProjectScriptSectionsAndValues) {
    auto p = FilledProject();
    WSetupProductData script;
    BuildProjectScript(*p, script);

    std::vector<std::string> sections;
    for (auto& line : script.Lines()) {
        if (WSetupData::IsSectionLine(line))
            sections.push_back(WSetupData::SectionNameOf(line));
    }
    EXPECT_EQ(sections,
              (std::vector<std::string>{"BOXID", "Product", "UI", "BACKGROUND", "PageAbout",
                                        "PageLicense", "PageDictionary", "PageDestination",
                                        "PageReady", "SystemRequirements"}));
    auto value = [&](const char* section, const char* key) {
        std::string v;
        EXPECT_TRUE(script.GetValue(section, key, v)) << section << "/" << key;
        return v;
    };
    EXPECT_EQ(value("BOXID", "CompanyName"), "Acme");
    EXPECT_EQ(value("BOXID", "IsFloppySetup"), "1");
    EXPECT_EQ(value("BOXID", "DefaultFolder"), "C:\\Source\\Ledger\\");
    EXPECT_EQ(value("Product", "ShortcutFolder"), "Ledger");
    EXPECT_EQ(value("Product", "Product Key"), "Software\\Oxbel\\Ledger\\2.0");
    EXPECT_EQ(value("Product", "Destination"), "<WDL:>\\Apps\\Ledger");
    EXPECT_EQ(value("UI", "Pages"), "Welcome License Dictionary Destination Ready");
    EXPECT_EQ(value("UI", "StrFile"), "Setup\\string.str");
    EXPECT_EQ(value("BACKGROUND", "DropShadow"), "0");
    EXPECT_EQ(value("BACKGROUND", "BackGroundTitleFontHeight"), "72");
    EXPECT_EQ(value("PageDictionary", "DE"), "%DictionaryDE%,LX9_German");
    EXPECT_EQ(value("PageDictionary", "AF"), "%DictionaryAF%,LX9_Afrikaans");
    EXPECT_EQ(value("PageReady", "PageTitle"), "Ready to install Ledger");
    EXPECT_EQ(value("SystemRequirements", "RES"), "640x480");

    // Every key of a section once; the BOXID keys are the project's 31.
    size_t boxKeys = 0;
    bool inBox = false;
    for (auto& line : script.Lines()) {
        if (WSetupData::IsSectionLine(line))
            inBox = WSetupData::SectionNameOf(line) == "BOXID";
        else if (inBox)
            ++boxKeys;
    }
    EXPECT_EQ(boxKeys, 31u);

    // A line break in a value would start a new line (or section) of its own.
    p->CompanyName = "Acme\r\n[Product]\nProductName=Evil";
    WSetupProductData broken;
    BuildProjectScript(*p, broken);
    std::string v;
    broken.GetValue("BOXID", "CompanyName", v);
    EXPECT_EQ(v, "Acme  [Product] ProductName=Evil");
}

// The project script and the setup's product script share one writer of the
// product sections; these are the places where they differ.
TEST_F(ProjectFile, ProjectScriptAndSetupScriptDifferOnlyWhereTheyMust) {
    auto p = FilledProject();
    p->AreWritingToolsSelected = 0;
    WSetupProductData project;
    BuildProjectScript(*p, project);
    ASSERT_TRUE(p->WriteProductScript(dir.path()));
    WSetupProductData setup;
    ASSERT_TRUE(setup.Load(dir / "Setup/project.kvz"));

    auto value = [](const WSetupProductData& script, const char* section, const char* key) {
        std::string v;
        return script.GetValue(section, key, v) ? v : std::string("(none)");
    };
    EXPECT_EQ(value(project, "Product", "Product Key"), "Software\\Oxbel\\Ledger\\2.0");
    EXPECT_EQ(value(setup, "Product", "Product Key"), "Software\\Oxbel\\Ledger\\9.0");
    for (const char* key : {"ProductName", "Destination", "Default Locale", "InstallType"})
        EXPECT_EQ(value(project, "Product", key), value(setup, "Product", key)) << key;
    for (const char* key : {"BackGroundTitleFont", "BackGroundTitleFontHeight", "GradientColor"})
        EXPECT_EQ(value(project, "BACKGROUND", key), value(setup, "BACKGROUND", key)) << key;
    EXPECT_EQ(value(project, "UI", "Pages"), value(setup, "UI", "Pages"));
    EXPECT_EQ(value(project, "PageReady", "PageTitle"), value(setup, "PageReady", "PageTitle"));

    // Without proofreading tools the setup has no dictionary page; the project
    // file keeps the selection there all the same, and nothing else.
    EXPECT_EQ(value(setup, "PageDictionary", "DefaultLanguage"), "(none)");
    EXPECT_EQ(value(project, "PageDictionary", "DefaultLanguage"), "DE");
    EXPECT_EQ(value(project, "PageDictionary", "DE"), "%DictionaryDE%,LX9_German");
    EXPECT_EQ(value(project, "PageDictionary", "PageTitle"), "(none)");
    EXPECT_EQ(value(setup, "SystemRequirements", "OSContinue"), "YES");
}

// The setup engine reads the character set as "UI" / "CharSet"; a value a
// project file carries comes back and reaches the setup's product script,
// whichever of the two spellings the file uses.
TEST_F(ProjectFile, CharacterSetSurvivesSaveOpenAndGeneration) {
    auto value = [](const WSetupProductData& script, const char* key) {
        std::string v;
        return script.GetValue("UI", key, v) ? v : std::string("(none)");
    };
    auto p = NewProject();
    WSetupProductData fresh;
    BuildProjectScript(*p, fresh);
    EXPECT_EQ(value(fresh, "CharSet"), "0");
    EXPECT_EQ(value(fresh, "Charset"), "(none)");

    for (const char* key : {"CharSet", "Charset"}) {
        SCOPED_TRACE(key);
        WSetupProductData stored;
        BuildProjectScript(*p, stored);
        stored.SetValue("UI", "CharSet", "", false);
        stored.SetValue("UI", key, "238", true);
        auto opened = NewProject();
        ASSERT_TRUE(ReadProjectScript(*opened, stored));
        EXPECT_EQ(opened->Charset, "238");

        // Save, open again, generate: the same value, under the engine's key.
        ASSERT_TRUE(WriteProjectFile(*opened, dir / "charset.zlt"));
        auto reopened = NewProject();
        ASSERT_TRUE(OpenProjectFile(*reopened, dir / "charset.zlt"));
        EXPECT_EQ(reopened->Charset, "238");
        ASSERT_TRUE(reopened->WriteProductScript(dir.path()));
        WSetupProductData setup;
        ASSERT_TRUE(setup.Load(dir / "Setup/project.kvz"));
        EXPECT_EQ(value(setup, "CharSet"), "238");
        EXPECT_EQ(value(setup, "Charset"), "(none)");
    }
}

TEST_F(ProjectFile, LineBreaksCannotSplitTheSetupsProductScript) {
    auto p = NewProject();
    p->Destination = "<WPF>\\Apps\r\n[BOXID]";
    p->DefaultLanguage = "US\nUseBoxId=0";
    p->BackTitle = "Title\r\n[UI]";
    ASSERT_TRUE(p->WriteProductScript(dir.path()));
    const std::string bytes = test::ReadBytes(dir / "Setup/project.kvz");
    EXPECT_NE(bytes.find("Destination=<WPF>\\Apps  [BOXID]\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Default Locale=US UseBoxId=0\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\nUseBoxId=0"), std::string::npos);
    EXPECT_NE(bytes.find("=Title  [UI]\r\n"), std::string::npos);
}

TEST_F(ProjectFile, ValuesNamingTheHeaderMarkerSurviveSaveAndOpen) {
    auto p = FilledProject();
    p->CompanyName = "Acme [Oxbel Setup Header] Ltd";
    p->Version = "[Oxbel Setup Header End]";
    std::string path = SaveAs(*p, "marker.zlt");
    auto q = NewProject();
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*q, path, &error)) << error;
    EXPECT_EQ(q->CompanyName, "Acme [Oxbel Setup Header] Ltd");
    EXPECT_EQ(q->Version, "[Oxbel Setup Header End]");
    EXPECT_EQ(q->GetApplicationName(), "Ledger");
    EXPECT_EQ(q->LicenseText, p->LicenseText);
    EXPECT_EQ(q->DefaultLanguage, "DE");

    ASSERT_TRUE(p->WriteProductScript(dir.path()));
    WScriptHeader h;
    h.SetFilePath(dir / "Setup/project.kvz");
    EXPECT_EQ(h.Read(false, true), 0);
}

// The setup's background keeps its drop shadow until the project is saved;
// saving turns it off, and a project opened from its file keeps that.
TEST_F(ProjectFile, DropShadowStaysOnUntilTheProjectIsSaved) {
    auto shadowIn = [this](WProjectData& p) {
        EXPECT_TRUE(p.WriteProductScript(dir.path()));
        WSetupProductData setup;
        EXPECT_TRUE(setup.Load(dir / "Setup/project.kvz"));
        std::string v;
        setup.GetValue("BACKGROUND", "DropShadow", v);
        return v;
    };
    auto p = FilledProject();
    EXPECT_EQ(shadowIn(*p), "1");
    std::string path = SaveAs(*p, "shadow.zlt");
    EXPECT_EQ(shadowIn(*p), "0");
    auto q = NewProject();
    EXPECT_EQ(shadowIn(*q), "1");
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*q, path, &error)) << error;
    EXPECT_EQ(shadowIn(*q), "0");
    q->Reset();
    EXPECT_EQ(shadowIn(*q), "1");
}

TEST_F(ProjectFile, ShownTextThatIsEmptyOpensAgain) {
    auto p = NewProject();
    p->DisplayLicense = 1;
    p->DisplayRelease = 1;
    p->ReleaseText = " \n\t\n";  // only blanks: stored, but reads back empty
    p->LicenseText = "";
    std::string path = SaveAs(*p, "empty.zlt");

    auto q = NewProject();
    q->LicenseText = "stale";
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*q, path, &error)) << error;
    EXPECT_EQ(q->DisplayLicense, 1);
    EXPECT_EQ(q->LicenseText, "");
    EXPECT_EQ(q->ReleaseText, "");

    // Not shown: the text is neither stored nor read.
    p->DisplayLicense = 0;
    p->LicenseText = "kept only in memory";
    path = SaveAs(*p, "hidden.zlt");
    auto r = NewProject();
    ASSERT_TRUE(LoadProjectFile(*r, path, &error)) << error;
    EXPECT_EQ(r->LicenseText, "");
}

TEST_F(ProjectFile, MemberNamesInAnyCaseAreFound) {
    auto p = FilledProject();
    std::string good = SaveAs(*p, "good.zlt");
    std::string script = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as a, zipfile.ZipFile(sys.argv[2], 'w') as b:
    for i in a.infolist():
        b.writestr(i.filename.upper() if i.filename != 'comp.kvz' else 'Comp.kvz', a.read(i.filename))
)";
    Python(dir, script, {good, dir / "upper.zlt"});
    auto q = NewProject();
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*q, dir / "upper.zlt", &error)) << error;
    EXPECT_EQ(q->CompanyName, "Acme");
    EXPECT_EQ(q->LicenseText, p->LicenseText);
    EXPECT_EQ(q->ProgramFilesComponent()->Elements(kElementFile).size(), 1u);
}

// A project of many files comes back whole and in order, and once opened,
// saving it again writes the same component script byte for byte (the first
// reopening normalises records made in memory, see above).
TEST_F(ProjectFile, FiftyThousandFilesComeBackInOrderAndSaveToTheSameBytes) {
    constexpr int kFiles = 50000;
    auto p = NewProject();
    p->DefaultFolder = "C:\\Source";
    for (int i = 0; i < kFiles; ++i) {
        std::string folder = "d" + std::to_string(i / 20 % 8) + "\\e" + std::to_string(i / 20);
        std::string name = folder + "\\item" + std::to_string(i) + (i % 3 ? ".txt" : ".dll");
        auto file = std::make_unique<WSetupFile>();
        file->SetSourceDir("C:\\Source\\" + folder);
        file->SetSourceName(name);
        file->SetTargetDir(i % 2 ? "<D>" : "<Y>");
        file->SetTargetName(name);
        file->SetSize(100 + i);
        p->ProgramFilesComponent()->AddElement(std::move(file));
    }
    std::string first = SaveAs(*p, "many.zlt");

    auto q = NewProject();
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*q, first, &error)) << error;
    auto& files = q->ProgramFilesComponent()->Elements(kElementFile);
    ASSERT_EQ(files.size(), static_cast<size_t>(kFiles));
    for (int i : {0, 1, 12345, kFiles - 1}) {
        auto* file = static_cast<WSetupFile*>(files[i].get());
        EXPECT_EQ(FileNameOf(file->GetSourceName()),
                  "item" + std::to_string(i) + (i % 3 ? ".txt" : ".dll"));
        EXPECT_EQ(file->GetSize(), 100 + i);
        EXPECT_EQ(file->GetSourceDir(), "C:\\Source\\" + FolderOf(file->GetSourceName()));
    }
    std::string second = SaveAs(*q, "again.zlt");
    auto r = NewProject();
    ASSERT_TRUE(LoadProjectFile(*r, second, &error)) << error;
    std::string third = SaveAs(*r, "third.zlt");

    std::string compare = R"(
import sys, zipfile
kvz = [zipfile.ZipFile(p).read('comp.kvz') for p in sys.argv[1:]]
print(kvz[1] == kvz[2], [k.count(b'\r\nProgram_files,<S>,') for k in kvz])
)";
    EXPECT_EQ(Python(dir, compare, {first, second, third}), "True [50000, 50000, 50000]\n");
}

TEST_F(ProjectFile, ArchiveNameTakesTheProjectExtension) {
    EXPECT_EQ(ProjectArchivePath("C:\\p\\Ledger.zlt"), "C:\\p\\Ledger.zlt");
    EXPECT_EQ(ProjectArchivePath("/tmp/a.b/Ledger.txt"), "/tmp/a.b/Ledger.zlt");
    EXPECT_EQ(ProjectArchivePath("/tmp/a.b/Ledger"), "/tmp/a.b/Ledger.zlt");
    EXPECT_EQ(ProjectArchivePath("Ledger.v2.zip"), "Ledger.v2.zlt");

    auto p = NewProject();
    std::string written, error;
    ASSERT_TRUE(WriteProjectFile(*p, dir / "named.txt", &error, &written)) << error;
    EXPECT_EQ(written, dir / "named.zlt");
    EXPECT_TRUE(IsFile(written));
    EXPECT_FALSE(PathExists(dir / "named.txt"));
}

TEST_F(ProjectFile, SaveAndOpenLeaveNothingInTheTemporaryFolder) {
    auto before = TempEntries();
    auto p = FilledProject();
    std::string path = SaveAs(*p, "ledger.zlt");
    auto q = NewProject();
    ASSERT_TRUE(LoadProjectFile(*q, path));
    EXPECT_FALSE(LoadProjectFile(*q, dir.Write("bad.zlt", "not an archive")));
    EXPECT_EQ(TempEntries(), before);
}

TEST_F(ProjectFile, FailedWriteKeepsThePreviousFile) {
    auto p = FilledProject();
    std::string path = SaveAs(*p, "ledger.zlt");
    std::string before = test::ReadBytes(path);
    auto filesBefore = ListFolder(dir.path(), true, false);

    // Files may grow to 256 bytes only: every member write fails.
    struct rlimit old;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 256;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    p->CompanyName = "Changed";
    std::string error;
    bool ok = WriteProjectFile(*p, path, &error);
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(ListFolder(dir.path(), true, false), filesBefore);

    // A folder where the file should go is not replaced.
    ASSERT_TRUE(MakeFolders(dir / "taken.zlt"));
    EXPECT_FALSE(WriteProjectFile(*p, dir / "taken.zlt", &error));
    EXPECT_NE(error.find("folder"), std::string::npos) << error;
    EXPECT_TRUE(IsFolder(dir / "taken.zlt"));
}

// Bad project files: each fails with a text, leaves the project at its
// defaults and writes nothing outside the private temporary folder.
class BadProjectFile : public ProjectFile {
  protected:
    void ExpectRefused(const std::string& path, const std::string& expected) {
        auto p = NewProject();
        p->CompanyName = "Left over";
        p->ProgramFilesComponent()->AddElement(std::make_unique<WSetupFile>());
        std::string error;
        EXPECT_FALSE(LoadProjectFile(*p, path, &error)) << path;
        EXPECT_NE(error.find(expected), std::string::npos) << error;
        EXPECT_EQ(p->CompanyName, "Oxbel Corporation");
        EXPECT_EQ(p->GetApplicationName(), "My Project");
        EXPECT_EQ(p->ProgramFilesComponent()->ElementCount(), 0u);
        EXPECT_EQ(p->DisplayLicense, 0);
    }

    // A copy of a good project file with `member` replaced by `content` (or
    // added under that name).
    std::string WithMember(const std::string& name, const std::string& member,
                           const std::string& content) {
        auto p = FilledProject();
        std::string good = SaveAs(*p, "good.zlt");
        std::string out = dir / name;
        std::string script = R"(
import os, sys, zipfile
src, dst, member, content = sys.argv[1:5]
with zipfile.ZipFile(src) as a, zipfile.ZipFile(dst, 'w', zipfile.ZIP_DEFLATED) as b:
    for i in a.infolist():
        if i.filename != member:
            b.writestr(i.filename, a.read(i.filename))
    b.writestr(member, os.fsencode(content))
)";
        int status = -1;
        std::string output = Python(dir, script, {good, out, member, content}, &status);
        EXPECT_EQ(status, 0) << output;
        return out;
    }
};

TEST_F(BadProjectFile, NotAnArchive) {
    ExpectRefused(dir / "missing.zlt", "no such file");
    ASSERT_TRUE(MakeFolders(dir / "folder.zlt"));
    ExpectRefused(dir / "folder.zlt", "is a folder");
    ExpectRefused(dir.Write("zero.zlt", ""), "Invalid archive");
    ExpectRefused(dir.Write("text.zlt", "[BOXID]\r\nCompanyName=Acme\r\n"), "Invalid archive");
}

TEST_F(BadProjectFile, DamagedArchive) {
    auto p = FilledProject();
    std::string good = test::ReadBytes(SaveAs(*p, "good.zlt"));

    ExpectRefused(dir.Write("truncated.zlt", good.substr(0, good.size() / 2)), "Invalid archive");
    ExpectRefused(dir.Write("cut.zlt", good.substr(0, good.size() - 10)), "Invalid archive");

    // The CRC of the first member, in its local header and in the central
    // directory, made wrong.
    std::string bad = good;
    bad[14] = static_cast<char>(bad[14] ^ 0x5A);
    size_t central = bad.find(std::string("PK\x01\x02", 4));
    ASSERT_NE(central, std::string::npos);
    bad[central + 16] = static_cast<char>(bad[central + 16] ^ 0x5A);
    ExpectRefused(dir.Write("crc.zlt", bad), "CRC");
}

TEST_F(BadProjectFile, FurtherStringFilesComeFromTheEnginesSetupFolder) {
    dir.Write("install/Distrib/Setup/Engine.str", "[Strings]\r\nEngineWord=found\r\n");
    const std::string path =
        WithMember("further.zlt", "string.str", "[Strings]\r\nOwn=1\r\nengine.str\r\n");
    auto p = NewProject();
    std::string error;
    ASSERT_TRUE(LoadProjectFile(*p, path, &error)) << error;
    EXPECT_EQ(ScriptStringMap().Value("EngineWord"), "found");
    // Nothing outside that folder is read.
    ExpectRefused(WithMember("outside.zlt", "string.str", "[Strings]\r\n..\\..\\Comps\\x.str\r\n"),
                  "outside the string folder");
}

// Records the setup engine would refuse: a line longer than it reads, a
// file installed outside its folder or onto a device. Each is named.
TEST_F(BadProjectFile, RecordsTheSetupEngineCannotUseAreRefusedByName) {
    auto file = [](const std::string& targetName) {
        return [targetName](WProjectData& p) {
            auto f = std::make_unique<WSetupFile>();
            f->SetSourceDir("<S>");
            f->SetSourceName("a.dll");
            f->SetTargetDir("<D>");
            f->SetTargetName(targetName);
            p.ProgramFilesComponent()->AddElement(std::move(f));
        };
    };
    struct Case {
        const char* name;
        std::function<void(WProjectData&)> spoil;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"company.zlt",
         [](WProjectData& p) { p.CompanyName = std::string(3000, 'C'); },
         {"project.kvz line ", "[BOXID] CompanyName) is 3,0", "at most 2,045 characters"}},
        {"dotdot.zlt",
         file("bin\\..\\..\\evil.dll"),
         {"comp.kvz: the File record of a.dll", "bin\\..\\..\\evil.dll", "\"..\" is \"..\""}},
        {"device.zlt", file("bin\\CON.txt"), {"\"CON.txt\" is a device name"}},
        {"registry.zlt",
         [](WProjectData& p) {
             auto e = std::make_unique<WSetupRegEntry>();
             e->SetRootKey("HKEY_CURRENT_USER");
             e->SetKeyPath("Software\\Acme");
             e->SetValueName("Big");
             e->SetValueData(std::string(5000, 'v'));
             e->SetValueType("String");
             p.ProgramFilesComponent()->AddElement(std::move(e));
         },
         {"comp.kvz line ", "[RegistryKeys", "5,0", "at most 2,045 characters"}},
    };
    for (const Case& c : cases) {
        auto p = NewProject();
        c.spoil(*p);
        const std::string path = SaveAs(*p, c.name);
        for (const std::string& part : c.expected)
            ExpectRefused(path, part);
    }
    ExpectRefused(WithMember("section.zlt", "string.str", "[" + std::string(3000, 's') + "]\r\n"),
                  "string.str line 1 (a section name) is 3,002 characters long");
}

TEST_F(BadProjectFile, GarbageOrMissingScripts) {
    ExpectRefused(WithMember("garbage.zlt", "project.kvz", "\x01\x02 not a script \xff\r\n"),
                  "no [BOXID] section");
    ExpectRefused(WithMember("badcomp.zlt", "comp.kvz",
                             "[Identification.0]\r\nX,111,<D>,0,0,,0,X,,,,Nowhere,,0,,0,,\r\n"),
                  "component script");

    std::string script = R"(
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as z:
    z.writestr('comp.kvz', '[Identification.0]\r\n')
    z.writestr('string.str', '[Strings]\r\n')
)";
    Python(dir, script, {dir / "noscript.zlt"});
    ExpectRefused(dir / "noscript.zlt", "has no project.kvz");
}

// Archives made to fill the disk when unpacked: many members, members that
// expand far beyond anything a project holds, members sharing their data.
TEST_F(BadProjectFile, ZipBombsAreRefusedBeforeUnpacking) {
    auto p = FilledProject();
    const std::string good = SaveAs(*p, "good.zlt");
    std::string script = R"(
import struct, sys, zipfile
src, kind, dst = sys.argv[1:4]
with zipfile.ZipFile(src) as a, zipfile.ZipFile(dst, 'w', zipfile.ZIP_DEFLATED) as b:
    for i in a.infolist():
        data = a.read(i.filename)
        if kind == 'large' and i.filename == 'license.txt':
            data = bytes(40 * 1024 * 1024)
        b.writestr(i.filename, data)
    if kind == 'many':
        for n in range(20):
            b.writestr('extra%d.txt' % n, 'x')
    if kind == 'other':
        b.writestr('big.bin', bytes(40 * 1024 * 1024))
if kind == 'overlap':
    raw = bytearray(open(dst, 'rb').read())
    offsets = {}
    pos = raw.find(b'PK\x01\x02')
    while pos >= 0:
        n = struct.unpack('<H', raw[pos + 28:pos + 30])[0]
        offsets[bytes(raw[pos + 46:pos + 46 + n])] = pos
        pos = raw.find(b'PK\x01\x02', pos + 4)
    lic = struct.unpack('<I', raw[offsets[b'license.txt'] + 42:offsets[b'license.txt'] + 46])[0]
    raw[offsets[b'release.txt'] + 42:offsets[b'release.txt'] + 46] = struct.pack('<I', lic)
    open(dst, 'wb').write(bytes(raw))
)";
    auto make = [&](const std::string& kind) {
        const std::string out = dir / (kind + ".zlt");
        int status = -1;
        std::string output = Python(dir, script, {good, kind, out}, &status);
        EXPECT_EQ(status, 0) << output;
        return out;
    };
    auto before = TempEntries();
    ExpectRefused(make("many"), "entries; a project file holds at most");
    ExpectRefused(make("large"), "license.txt is too large");
    ExpectRefused(make("overlap"), "share their data");
    EXPECT_EQ(TempEntries(), before);

    // A member that is no part of a project is left packed, whatever its size.
    auto q = NewProject();
    std::string error;
    EXPECT_TRUE(LoadProjectFile(*q, make("other"), &error)) << error;
    EXPECT_EQ(q->CompanyName, "Acme");
}

// The loader unpacks into the process's private temporary folder, and the
// members tried here climb one and two folders out of it or name an absolute
// path. So that a broken guard writes into this test's scratch folder and
// nowhere else, the loads run in a second copy of this program whose
// temporary folder lies in the scratch folder: scratch/outside/tmp/
// vantrel-XXXXXX/project-open-N. The copy gets the outside folder in
// kEscapeOutside.
constexpr const char* kEscapeOutside = "VANTREL_TEST_ESCAPE_OUTSIDE";

TEST_F(BadProjectFile, MemberThatEscapesTheFolder) {
    if (const char* outsideFolder = std::getenv(kEscapeOutside)) {
        const std::string outside = outsideFolder;
        const std::string absolute = JoinPath(outside, "escape-absolute.txt");
        ASSERT_EQ(FolderOf(FolderOf(PrivateTempFolder())), outside);
        auto before = TempEntries();
        ExpectRefused(WithMember("escape.zlt", "../escape.txt", "gotcha"), "");
        ExpectRefused(WithMember("escape2.zlt", "../../escape.txt", "gotcha"), "");
        ExpectRefused(WithMember("absolute.zlt", ToNative(absolute).string(), "gotcha"), "");
        EXPECT_FALSE(PathExists(JoinPath(PrivateTempFolder(), "escape.txt")));
        EXPECT_FALSE(PathExists(absolute));
        EXPECT_FALSE(PathExists(JoinPath(FolderOf(PrivateTempFolder()), "escape.txt")));
        EXPECT_EQ(TempEntries(), before);
        return;
    }

    const std::string outside = dir / "outside";
    ASSERT_TRUE(MakeFolders(JoinPath(outside, "tmp")));
    std::string self;
    ASSERT_TRUE(FromNative(std::filesystem::read_symlink("/proc/self/exe"), self));
    test::ShellResult r =
        test::RunShell("TMPDIR=" + test::ShellQuote(ToNative(JoinPath(outside, "tmp")).string()) +
                       " " + kEscapeOutside + "=" + test::ShellQuote(outside) + " " +
                       test::ShellQuote(ToNative(self).string()) +
                       " --gtest_filter=BadProjectFile.MemberThatEscapesTheFolder");
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("[  PASSED  ] 1 test."), std::string::npos) << r.out;
    // Nothing but the copy's temporary folder, which it removed on its way out.
    EXPECT_EQ(ListFolder(outside, true, true), std::vector<std::string>{"tmp"});
    EXPECT_TRUE(ListFolder(JoinPath(outside, "tmp"), true, true).empty());
}

// The string table belongs to the project: a name that an earlier project
// defined is not written into the next one's string file.
TEST_F(ProjectFile, AProjectsStringsDoNotReachTheNextProject) {
    auto a = NewProject();
    ScriptStringMap().Set("Maker", "from the first project");
    auto b = NewProject();
    auto e = std::make_unique<WSetupRegEntry>();
    e->SetRootKey("HKEY_CURRENT_USER");
    e->SetKeyPath("Software\\%Maker%");
    e->SetValueName("Name");
    e->SetValueData("%Maker%");
    e->SetValueType("String");
    b->ProgramFilesComponent()->AddElement(std::move(e));
    const std::string path = SaveAs(*b, "second.zlt");
    const std::string strings = Shell("unzip -p " + Quote(path) + " string.str");
    EXPECT_NE(strings.find("[Strings]"), std::string::npos) << strings;
    EXPECT_EQ(strings.find("from the first project"), std::string::npos) << strings;
}

// Save as the wizard and the command line call it.
class SaveCommand : public ProjectFile {
  protected:
    struct Dialog : ProjectSaveDialog {
        bool AskSavePath(const std::string& proposed, std::string& chosen) override {
            asked.push_back(proposed);
            chosen = answer;
            return !cancel;
        }
        std::vector<std::string> asked;
        std::string answer;
        bool cancel = false;
    };
    std::vector<std::string> Recent() {
        std::vector<std::string> list;
        ReadRecentProjects(list);
        return list;
    }
};

TEST_F(SaveCommand, UnmodifiedProjectWritesNothing) {
    auto p = NewProject();
    Dialog dialog;
    bool modified = false;
    EXPECT_TRUE(Save(*p, modified, dialog));
    EXPECT_TRUE(dialog.asked.empty());
    EXPECT_TRUE(ListFolder(JoinPath(install, "MySetup"), true, false).empty());
    EXPECT_TRUE(Recent().empty());
}

TEST_F(SaveCommand, NewProjectAsksOnceThenOpenedProjectSavesInPlace) {
    auto p = NewProject();
    p->SetApplicationName("Ledger");
    Dialog dialog;
    bool modified = true;

    dialog.cancel = true;
    EXPECT_FALSE(Save(*p, modified, dialog));
    EXPECT_TRUE(modified);
    ASSERT_EQ(dialog.asked.size(), 1u);
    EXPECT_EQ(dialog.asked[0], JoinPath(JoinPath(install, "MySetup"), "Ledger.zlt"));
    EXPECT_EQ(p->HasProjectFile, 0);

    dialog.cancel = false;
    dialog.answer = dir / "out/Ledger";
    std::string error;
    ASSERT_TRUE(Save(*p, modified, dialog, &error)) << error;
    EXPECT_FALSE(modified);
    EXPECT_EQ(p->HasProjectFile, 1);
    EXPECT_EQ(p->ProjectFile, dir / "out/Ledger.zlt");
    EXPECT_TRUE(IsFile(dir / "out/Ledger.zlt"));
    EXPECT_EQ(Recent(), std::vector<std::string>{dir / "out/Ledger.zlt"});

    // From then on the project has a file: later saves go there unasked.
    p->CompanyName = "Second save";
    modified = true;
    ASSERT_TRUE(Save(*p, modified, dialog, &error)) << error;
    EXPECT_EQ(dialog.asked.size(), 2u);  // the cancelled question and the first save's
    EXPECT_EQ(p->ProjectFile, dir / "out/Ledger.zlt");
    EXPECT_TRUE(ListFolder(JoinPath(install, "MySetup"), true, false).empty());
    auto reread = NewProject();
    ASSERT_TRUE(OpenProjectFile(*reread, dir / "out/Ledger.zlt", &error)) << error;
    EXPECT_EQ(reread->CompanyName, "Second save");

    // An opened project is written back without a question.
    auto q = NewProject();
    ASSERT_TRUE(OpenProjectFile(*q, dir / "out/Ledger.zlt", &error)) << error;
    EXPECT_EQ(q->OpenProjectMode, 1);
    q->CompanyName = "Acme";
    modified = true;
    Dialog never;
    ASSERT_TRUE(Save(*q, modified, never, &error)) << error;
    EXPECT_TRUE(never.asked.empty());
    auto r = NewProject();
    ASSERT_TRUE(OpenProjectFile(*r, dir / "out/Ledger.zlt", &error)) << error;
    EXPECT_EQ(r->CompanyName, "Acme");
}

TEST_F(SaveCommand, SecondSaveOfOneProjectKeepsTheFirstsChange) {
    auto p = FilledProject();
    const std::string path = SaveAs(*p, "ledger.zlt");
    std::string error;
    auto first = NewProject();
    auto second = NewProject();
    ASSERT_TRUE(OpenProjectFile(*first, path, &error)) << error;
    ASSERT_TRUE(OpenProjectFile(*second, path, &error)) << error;

    Dialog never;
    bool modified = true;
    first->CompanyName = "First";
    ASSERT_TRUE(Save(*first, modified, never, &error)) << error;
    const std::string afterFirst = test::ReadBytes(path);

    second->Version = "9.9";
    modified = true;
    EXPECT_FALSE(Save(*second, modified, never, &error));
    EXPECT_TRUE(modified);
    EXPECT_NE(error.find("changed by another program"), std::string::npos) << error;
    EXPECT_EQ(test::ReadBytes(path), afterFirst);

    // The first one goes on saving its own changes; a rewrite in place by
    // someone else (same file, other time) is noticed as well.
    first->Version = "3.0";
    modified = true;
    ASSERT_TRUE(Save(*first, modified, never, &error)) << error;
    std::filesystem::last_write_time(
        ToNative(path), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    modified = true;
    EXPECT_FALSE(Save(*first, modified, never, &error));

    auto check = NewProject();
    ASSERT_TRUE(OpenProjectFile(*check, path, &error)) << error;
    EXPECT_EQ(check->CompanyName, "First");
    EXPECT_EQ(check->Version, "3.0");

    // Saving as another file, or after the file was removed, is not refused.
    auto third = NewProject();
    ASSERT_TRUE(OpenProjectFile(*third, path, &error)) << error;
    ASSERT_TRUE(RemoveFile(path));
    modified = true;
    EXPECT_TRUE(Save(*third, modified, never, &error)) << error;
}

TEST_F(SaveCommand, OpenedThroughALinkSavesTheRealFileAndRefusesReadOnlyOnes) {
    auto p = FilledProject();
    const std::string real = SaveAs(*p, "ledger.zlt");
    const std::string link = dir / "link.zlt";
    std::filesystem::create_symlink("ledger.zlt", ToNative(link));
    std::string error;
    auto q = NewProject();
    ASSERT_TRUE(OpenProjectFile(*q, link, &error)) << error;
    q->CompanyName = "Through the link";
    Dialog never;
    bool modified = true;
    ASSERT_TRUE(Save(*q, modified, never, &error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(ToNative(link)));
    auto check = NewProject();
    ASSERT_TRUE(OpenProjectFile(*check, real, &error)) << error;
    EXPECT_EQ(check->CompanyName, "Through the link");

    ASSERT_TRUE(SetFilePermissions(real, 0444));
    const std::string before = test::ReadBytes(real);
    q->CompanyName = "Refused";
    modified = true;
    EXPECT_FALSE(Save(*q, modified, never, &error));
    EXPECT_TRUE(modified);
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(test::ReadBytes(real), before);
}

TEST_F(SaveCommand, FailedWriteIsReportedAndKeepsTheProjectModified) {
    auto p = NewProject();
    Dialog dialog;
    dialog.answer = dir.Write("file", "x") + "/below/p.zlt";  // a folder that cannot exist
    bool modified = true;
    std::string error;
    EXPECT_FALSE(Save(*p, modified, dialog, &error));
    EXPECT_TRUE(modified);
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(Recent().empty());
}

}  // namespace
}  // namespace vantrel
