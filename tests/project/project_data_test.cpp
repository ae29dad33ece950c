#include "project/project_data.h"

#include <cmath>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "project/component_choices.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

std::string Line(const std::string& name, const std::string& deps = "") {
    return name + ",111,<D>,0,0,,0," + name + ",,,,," + deps + ",0,,,,";
}

// A registry whose machine hive names `installLocation` (nothing when empty).
struct Machine {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    explicit Machine(const std::string& installLocation = "") {
        if (!installLocation.empty()) {
            TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                                    WProjectData::kInstallValue, installLocation);
        }
    }
};

std::vector<std::string> Names(const WComponentManager& m) {
    std::vector<std::string> names;
    for (auto* c : m.Components())
        names.push_back(c->GetName());
    return names;
}

// The file's lines after its header block.
std::string Body(const std::string& bytes) {
    size_t end = bytes.find("[Oxbel Setup Header End]\r\n");
    return end == std::string::npos ? bytes : bytes.substr(end + 26);
}

TEST(ProjectData, DefaultsWithoutAnInstallation) {
    Machine machine;
    WProjectData p;
    p.Reset();
    EXPECT_EQ(p.InstallLocation, "");
    EXPECT_EQ(p.IDAPICNFDirectory, "Bde501\\IDAPI.CNF");
    EXPECT_EQ(p.DefaultConfigFile, p.IDAPICNFDirectory);
    EXPECT_EQ(p.ProjectFile, "MyProject.zlt");
    EXPECT_EQ(p.GetApplicationName(), "My Project");
    EXPECT_EQ(p.CompanyName, "Oxbel Corporation");
    EXPECT_EQ(p.Version, "1.0");
    EXPECT_EQ(p.DefaultDirectory, "C:\\Windows");
    EXPECT_EQ(p.ShortcutFolder, "My Project 1.0");
    EXPECT_EQ(p.DefaultWritingToolLang, "English");
    EXPECT_EQ(p.BackTitleFontHeight, "48");
    // No language is chosen, so no proofreading tools either.
    EXPECT_EQ(p.AreWritingToolsSelected, 0);
    EXPECT_TRUE(p.WritingToolLanguages.empty());
    EXPECT_EQ(p.TitleTextBlue, "128");
    EXPECT_EQ(p.DiskSize, "1.44 MB");
    EXPECT_EQ(p.IsFloppySetup, 0);
    EXPECT_EQ(p.GetMediaSize(), 1440000.0);
    EXPECT_EQ(p.NewProjectMode, 1);
    EXPECT_EQ(p.RuntimeComponent + p.UninstallComponent + p.BDEComponent, 3);
    EXPECT_EQ(p.FrameworkComponent, 0);
    ASSERT_NE(p.Components(), nullptr);
    EXPECT_EQ(Names(*p.Components()), (std::vector<std::string>{"Product", "Program_files"}));
    WSetupComponent* product = p.ProductComponent();
    WSetupComponent* files = p.ProgramFilesComponent();
    EXPECT_EQ(product->GetDisplayName(), "My Project");
    EXPECT_EQ(files->GetDisplayName(), "Program Files");
    EXPECT_EQ(files->GetParent(), product);
    EXPECT_EQ(files->GetLevel(), 1);
    EXPECT_EQ(files->GetInstallTypes(), 111);
    EXPECT_EQ(files->GetKind(), 1);
    EXPECT_EQ(files->GetDestination(), "<D>");
    EXPECT_FALSE(p.Catalogue().loaded);
    EXPECT_TRUE(p.Catalogue().failures.empty());  // nothing looked for, nothing reported
    EXPECT_NE(p.Product(), nullptr);
    EXPECT_NE(p.Background(), nullptr);

    EXPECT_EQ(p.FolderForMacro("<Fonts Folder>"), "Fonts\\");
    EXPECT_EQ(p.FolderForMacro("<Windows System Folder>"), "config\\system\\");
    EXPECT_EQ(p.FolderForMacro("<Nothing>"), "");
    EXPECT_EQ(p.FolderMacroTable().size(), 8u);
}

TEST(ProjectData, InstallLocationTrimmedAndOverridden) {
    test::ScratchFolder install;
    Machine machine("  " + install.path() + "  \t");
    WProjectData p;
    p.Reset();
    EXPECT_EQ(p.InstallLocation, install.path());
    EXPECT_EQ(p.IDAPICNFDirectory, JoinPath(JoinPath(install.path(), "Bde501"), "IDAPI.CNF"));

    p.SetInstallLocationOverride(std::string("/elsewhere/"));
    p.Reset();
    EXPECT_EQ(p.InstallLocation, "/elsewhere/");
    EXPECT_EQ(p.IDAPICNFDirectory, "/elsewhere/Bde501/IDAPI.CNF");
}

TEST(ProjectData, ClearThenResetGivesANewProject) {
    Machine machine;
    WProjectData p;
    p.Reset();
    p.SetApplicationName("Inventory");
    EXPECT_EQ(p.ProductComponent()->GetDisplayName(), "Inventory");
    p.ShortcutFolder = "Elsewhere";
    p.WritingToolLanguages = {"US"};
    p.Components()->Add("Extra", 0);
    p.ProgramFilesComponent()->AddElement(CreateElement(kElementFile));

    p.Clear();
    EXPECT_EQ(p.Components(), nullptr);
    EXPECT_TRUE(p.WritingToolLanguages.empty());
    p.SetApplicationName("No product component now");  // must not crash

    p.Reset();
    EXPECT_EQ(Names(*p.Components()), (std::vector<std::string>{"Product", "Program_files"}));
    EXPECT_EQ(p.ProgramFilesComponent()->ElementCount(), 0u);
    EXPECT_EQ(p.ShortcutFolder, "My Project 1.0");
    EXPECT_EQ(p.GetApplicationName(), "My Project");
}

TEST(ProjectData, MediaSizeBounds) {
    WProjectData p;
    EXPECT_EQ(p.GetMediaSize(), 1440000.0);
    EXPECT_TRUE(p.SetMediaSize(700000, true));
    EXPECT_TRUE(p.SetMediaSize(660000000, true));
    EXPECT_FALSE(p.SetMediaSize(699999, true));
    EXPECT_FALSE(p.SetMediaSize(660000001, true));
    EXPECT_FALSE(p.SetMediaSize(std::nan(""), true));
    EXPECT_EQ(p.GetMediaSize(), 660000000.0);
    EXPECT_TRUE(p.SetMediaSize(5, false));
    EXPECT_EQ(p.GetMediaSize(), 5.0);
}

// A scratch installation with the standard scripts this test asks for.
struct Installation {
    test::ScratchFolder root;
    void Script(const std::string& name, const std::string& text) const {
        root.Write("COMPS/" + name, "[Identification.0]\r\n" + text + "\r\n");
    }
};

TEST(ProjectData, CatalogueLoadsTheStandardComponents) {
    Installation inst;
    inst.Script("distrib.KVZ", Line("Distrib"));
    inst.Script("LX9_English.kvz", Line("LX9_English"));
    inst.Script("TY9_Framework.kvz", Line("TY9_Framework", "TY9Run_Program"));
    inst.Script("TY9Run_Program.kvz", Line("TY9Run_Program", "Shared"));
    inst.Script("Shared.kvz", Line("Shared"));
    inst.Script("Uninstall.kvz", Line("Uninstall"));
    inst.Script("OnDmndBDE.kvz", Line("OnDmndBDE"));
    for (const char* sql : {"syb", "ssc", "ora", "mss", "inf", "int", "db"}) {
        inst.Script(std::string("SQL_") + sql + ".kvz", Line(std::string("SQL_") + sql));
    }
    Machine machine(inst.root.path());
    WProjectData p;
    p.Reset();
    const WComponentCatalogue& cat = p.Catalogue();
    EXPECT_TRUE(cat.loaded) << (cat.failures.empty() ? "" : cat.failures[0]);
    EXPECT_EQ(cat.components[WComponentCatalogue::kWritingTools].size(), 1u);  // English once
    EXPECT_EQ(cat.components[WComponentCatalogue::kSqlLinks].size(), 7u);
    EXPECT_EQ(cat.componentOfScript.at("Uninstall.kvz"), "Uninstall");
    EXPECT_EQ(p.UninstallComponent, 1);

    // A project that chooses every component ships them all.
    test::ChooseEveryComponent(p);
    WSetupComponent* files = p.ProgramFilesComponent();
    WSetupComponent* uninstall = p.Components()->Find("Uninstall");
    WSetupComponent* shared = p.Components()->Find("Shared");
    ASSERT_TRUE(uninstall && shared);
    const auto& deps = files->Dependencies();
    EXPECT_NE(std::find(deps.begin(), deps.end(), uninstall), deps.end());
    EXPECT_EQ(deps.size(), 13u);  // every script of the library
    EXPECT_EQ(uninstall->GetInstallTypes(), 111);
    EXPECT_TRUE(uninstall->IsSelected());
    EXPECT_TRUE(shared->IsSelected());

    // The project's component script carries the library's components.
    test::ScratchFolder out;
    ASSERT_TRUE(p.WriteComponentScripts(out.path()));
    std::string comp = out.Read("comp.kvz");
    EXPECT_NE(comp.find("\r\nTY9Run_Program,000,<D>,0,0,11111,0,TY9Run_Program,,,,,Shared,"),
              std::string::npos);
}

TEST(ProjectData, CatalogueFailuresNameTheScript) {
    Installation inst;
    inst.Script("Distrib.kvz", Line("Distrib", "Phantom"));
    Machine machine(inst.root.path());
    WProjectData p;
    p.Reset();  // reports nothing by itself
    const WComponentCatalogue& cat = p.Catalogue();
    EXPECT_FALSE(cat.loaded);
    auto mentions = [&](const std::string& text) {
        for (auto& f : cat.failures) {
            if (f.find(text) != std::string::npos)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(mentions("Phantom.kvz"));
    EXPECT_TRUE(mentions("Uninstall.kvz"));
    EXPECT_FALSE(mentions("LX9_"));  // missing proofreading scripts are skipped quietly
    EXPECT_NE(p.Components()->Find("Distrib"), nullptr);
}

TEST(ProjectData, GeneratedScriptsOfANewProject) {
    Machine machine;
    WProjectData p;
    p.Reset();
    p.SetApplicationName("Inventory");
    p.AreWritingToolsSelected = 1;
    p.WritingToolLanguages = {"UK", "XX", "US"};
    p.DefaultLanguage = "US";
    test::ScratchFolder out;
    ASSERT_TRUE(p.WriteComponentScripts(out / "Setup"));
    ASSERT_TRUE(p.WriteProductScript(out.path()));

    const std::string ones(32, '1');
    EXPECT_EQ(out.Read("Setup/comp.kvz"),
              "[Identification.0]\r\n"
              "Product,000,<D>,0,0,11111,0,Inventory,,,,Program_files,,1,,21," +
                  ones +
                  ",\r\n"
                  "\r\n"
                  "[Identification.1]\r\n"
                  "Program_files,111,<D>,0,0,11111,0,Program Files,,,,,,1,,21," +
                  ones +
                  ",\r\n"
                  "\r\n"
                  "[Strings]\r\n"
                  "string.str\r\n");
    EXPECT_EQ(out.Read("Setup/string.str"),
              "[Strings]\r\nDictionaryUK = English - UK\r\nDictionaryUS = English - US\r\n");

    std::string body = Body(out.Read("Setup/project.kvz"));
    std::vector<std::string> sections;
    for (size_t at = 0; (at = body.find("\r\n[", at)) != std::string::npos; ++at) {
        sections.push_back(body.substr(at + 2, body.find(']', at) - at - 1));
    }
    EXPECT_TRUE(body.starts_with("[BOXID]\r\n"));
    EXPECT_EQ(sections,
              (std::vector<std::string>{"[Product]", "[UI]", "[BACKGROUND]", "[PageAbout]",
                                        "[PageLicense]", "[PageDictionary]", "[PageDestination]",
                                        "[PageReady]", "[SystemRequirements]"}));
    // Keys are put in as the script object inserts them: each new key right
    // after its section line.
    size_t dict = body.find("[PageDictionary]");
    EXPECT_EQ(body.substr(dict, body.find("[PageDestination]") - dict),
              "[PageDictionary]\r\n"
              "PageTitleForAdd=Add New Writing Tools\r\n"
              "US=%DictionaryUS%,LX9_English\r\n"
              "UK=%DictionaryUK%,LX9_English\r\n"
              "OtherBoxRegNames=\r\n"
              "BoxRegName=\r\n"
              "DefaultLanguage=US\r\n"
              "DefaultNone=No Default\r\n"
              "DependentComponents=Program_files\r\n"
              "MustSelectOne=1\r\n"
              "ShowPageForCompact=1\r\n"
              "ShowPageForTypical=1\r\n"
              "ShowPageForCustom=1\r\n"
              "Static=Which language(s) would you like to use for proofreading Oxbel "
              "Documents?\r\n"
              "TreeDisplayName=Writing Tools\r\n"
              "PageBmp=\r\n"
              "PageTitle=Writing Tools\r\n");
    EXPECT_NE(body.find("[PageReady]\r\nPageTitle=Ready to install Inventory\r\nPageBmp=\r\n"),
              std::string::npos);
    EXPECT_NE(body.find("Pages=Welcome Dictionary Destination Ready\r\n"), std::string::npos);
    EXPECT_NE(body.find("Product Key=Software\\Oxbel\\Inventory\\9.0\r\n"), std::string::npos);
    EXPECT_NE(body.find("Default Locale=US\r\n"), std::string::npos);
    EXPECT_NE(body.find("RES=640x480\r\n"), std::string::npos);
    EXPECT_NE(body.find("OSContinue=YES\r\n"), std::string::npos);
    EXPECT_NE(body.find("BackGroundTitleFontHeight=48\r\n"), std::string::npos);
    EXPECT_TRUE(body.ends_with("RAM=16"));  // no line break after the last line
}

TEST(ProjectData, NoWritingToolsAndALicense) {
    Machine machine;
    WProjectData p;
    p.Reset();
    p.AreWritingToolsSelected = 0;
    p.DisplayLicense = 1;
    p.WritingToolLanguages = {"DE"};
    test::ScratchFolder out;
    ASSERT_TRUE(p.WriteComponentScripts(out.path()));
    ASSERT_TRUE(p.WriteProductScript(out.path()));
    EXPECT_EQ(out.Read("string.str"), "[Strings]\r\n");
    std::string body = Body(out.Read("Setup/project.kvz"));
    EXPECT_EQ(body.find("PageDictionary"), std::string::npos);
    EXPECT_NE(body.find("Pages=Welcome License Destination Ready\r\n"), std::string::npos);

    // A product script that cannot be written is reported.
    out.Write("blocked", "x");
    EXPECT_FALSE(p.WriteProductScript(out / "blocked"));
}

TEST(ProjectData, WritingToolLanguageTable) {
    EXPECT_EQ(WritingToolLanguageTable.size(), 22u);
    EXPECT_STREQ(WritingToolLanguageTable.front().code, "AF");
    EXPECT_STREQ(WritingToolLanguageTable.back().script, "LX9_Portuguese.kvz");
    ASSERT_NE(FindWritingToolLanguage("SD"), nullptr);
    EXPECT_STREQ(FindWritingToolLanguage("SD")->displayName, "German - Switzerland(SD)");
    EXPECT_EQ(FindWritingToolLanguage("sd"), nullptr);  // codes compare exactly
}

}  // namespace
}  // namespace vantrel
