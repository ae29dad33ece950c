// The sample installation shipped in installation/: a project started on it
// loads every standard component, and the scripts, the engine's string file
// and the files they name fit together.
#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "project/component_choices.h"
#include "project/project_data.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// The sources of the sample installation, and the build folder's copy of it
// with the engine's start programs.
const std::string kInstallation = VANTREL_SOURCE_DIR "/installation";
const std::string kBuiltInstallation = VANTREL_SAMPLE_INSTALL;

// A project reset on the sample installation, found through the machine hive
// as the program finds it.
class SampleInstallation : public ::testing::Test {
  protected:
    void SetUp() override {
        savedStrings_ = ScriptStringMap().Copy();
        ScriptStringMap().Clear();
        TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                                WProjectData::kInstallValue, kInstallation);
        project.Reset();
        ASSERT_NE(project.Components(), nullptr);
    }
    void TearDown() override { ScriptStringMap().Replace(savedStrings_); }

    WCreatorManager& components() { return *project.Components(); }

    std::string InInstallation(const std::string& relative) const {
        return ResolveNoCase(JoinPath(kInstallation, relative));
    }

    // The component scripts of Comps, by file name.
    std::vector<std::string> Scripts() const {
        std::vector<std::string> scripts;
        for (const std::string& name : ListFolder(InInstallation("Comps"), true, false)) {
            if (name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".kvz")) {
                scripts.push_back(name);
            }
        }
        return scripts;
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;

  private:
    std::unordered_map<std::string, std::string> savedStrings_;
};

TEST_F(SampleInstallation, ResetLoadsEveryStandardComponentSelected) {
    // A project that chooses every component ships them all.
    test::ChooseEveryComponent(project);
    EXPECT_EQ(project.InstallLocation, kInstallation);
    const WComponentCatalogue& catalogue = project.Catalogue();
    EXPECT_TRUE(catalogue.loaded);
    EXPECT_TRUE(catalogue.failures.empty()) << catalogue.failures.front();
    EXPECT_TRUE(components().MissingScripts().empty()) << components().MissingScripts().front();

    std::vector<std::string> fixed = {"Distrib.kvz",   "TY9_Framework.kvz", "TY9Run_Program.kvz",
                                      "Uninstall.kvz", "OnDmndBDE.kvz",     "SQL_db.kvz",
                                      "SQL_inf.kvz",   "SQL_int.kvz",       "SQL_mss.kvz",
                                      "SQL_ora.kvz",   "SQL_ssc.kvz",       "SQL_syb.kvz"};
    for (const auto& row : WritingToolLanguageTable) {
        if (std::find(fixed.begin(), fixed.end(), row.script) == fixed.end()) {
            fixed.push_back(row.script);
        }
    }
    ASSERT_EQ(fixed.size(), 12u + 17u);

    WSetupComponent* files = project.ProgramFilesComponent();
    ASSERT_NE(files, nullptr);
    for (const std::string& script : fixed) {
        SCOPED_TRACE(script);
        std::string name = BaseNameUpToFirstDot(script);
        auto it = catalogue.componentOfScript.find(script);
        ASSERT_NE(it, catalogue.componentOfScript.end());
        EXPECT_EQ(it->second, name);
        WSetupComponent* c = components().Find(name);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->GetName(), name);  // exact case
        EXPECT_TRUE(c->IsSelected());
        EXPECT_EQ(c->GetInstallTypes(), 111);
        const auto& deps = files->Dependencies();
        EXPECT_NE(std::find(deps.begin(), deps.end(), c), deps.end());
        ASSERT_NE(c->Header(), nullptr);
        EXPECT_FALSE(c->Header()->ModuleType().empty());
    }
    using C = WComponentCatalogue;
    EXPECT_EQ(catalogue.components[C::kWritingTools].size(), 17u);
    EXPECT_EQ(catalogue.components[C::kSqlLinks].size(), 7u);
    for (int category : {C::kDistrib, C::kFramework, C::kRuntime, C::kUninstall, C::kDatabase}) {
        EXPECT_EQ(catalogue.components[category].size(), 1u) << category;
    }
}

TEST_F(SampleInstallation, DependenciesOutsideTheFixedListAreLoadedByName) {
    // A project that chooses every component ships them all.
    test::ChooseEveryComponent(project);
    // Neither script is in the fixed list: only the dependency texts of the
    // runtime and of the languages bring them.
    for (const char* name : {"TY9_Common", "LX9_Engine"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(project.Catalogue().componentOfScript.count(std::string(name) + ".kvz"), 0u);
        WSetupComponent* c = components().Find(name);
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(c->IsSelected());
        ASSERT_NE(c->Header(), nullptr);
        EXPECT_EQ(c->Header()->ModuleType(), "KVZ");
    }
    auto dependsOn = [this](const char* dependent, const char* dependency) {
        WSetupComponent* a = components().Find(dependent);
        WSetupComponent* b = components().Find(dependency);
        if (!a || !b)
            return false;
        const auto& deps = a->Dependencies();
        return std::find(deps.begin(), deps.end(), b) != deps.end();
    };
    EXPECT_TRUE(dependsOn("TY9Run_Program", "TY9_Common"));
    EXPECT_TRUE(dependsOn("TY9_Framework", "TY9Run_Program"));
    EXPECT_TRUE(dependsOn("LX9_English", "LX9_Engine"));
    EXPECT_TRUE(dependsOn("LX9_Portuguese", "LX9_Engine"));
    EXPECT_TRUE(dependsOn("SQL_ora", "OnDmndBDE"));
    EXPECT_TRUE(dependsOn("Program_files", "Uninstall"));

    // The database engine's administrator is a sub-component of its script.
    WSetupComponent* bde = components().Find("OnDmndBDE");
    WSetupComponent* admin = components().Find("BDE_Admin");
    ASSERT_NE(admin, nullptr);
    EXPECT_EQ(admin->GetParent(), bde);
    EXPECT_EQ(admin->GetLevel(), 1);
    // "[Identification]" without a level: the line's kind gives it.
    EXPECT_EQ(components().Find("Uninstall")->GetLevel(), 0);

    // Every script in Comps provides the component it is named after.
    for (const std::string& script : Scripts()) {
        EXPECT_NE(components().Find(BaseNameUpToFirstDot(script)), nullptr) << script;
    }
}

TEST_F(SampleInstallation, EveryStampedHeaderVerifies) {
    std::vector<std::string> paths;
    for (const std::string& script : Scripts())
        paths.push_back(InInstallation("Comps/" + script));
    ASSERT_EQ(paths.size(), 12u + 17u + 2u);
    paths.push_back(InInstallation("Distrib/Setup/Setup.str"));
    paths.push_back(InInstallation("Distrib/Setup/BBoards.bil"));
    const std::set<std::string> known = {"KVZ", "KVZ-SPLIT", "SPM", "STRINGFILE", "BILBOARD"};
    for (const std::string& path : paths) {
        WScriptHeader header;
        header.SetFilePath(path);
        EXPECT_EQ(header.Read(true, true), 0) << path;
        EXPECT_EQ(known.count(header.ModuleType()), 1u) << path << ": " << header.ModuleType();
        EXPECT_EQ(header.GetVersion(), "9.001") << path;
        // Written as the engine reads them: CR LF line ends only.
        std::string bytes = test::ReadBytes(path);
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\n') {
                ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << path;
            }
        }
    }
}

TEST_F(SampleInstallation, ComponentFilesLieInTheInstallation) {
    std::set<int> typesUsed;
    size_t fileCount = 0;
    for (WSetupComponent* c : components().Components()) {
        for (int type = 0; type < kElementTypeCount; ++type) {
            if (!c->Elements(type).empty())
                typesUsed.insert(type);
        }
        for (int type : {kElementFile, kElementTTFFile}) {
            for (const auto& e : c->Elements(type)) {
                const std::string& source = e->GetSourceName();
                SCOPED_TRACE(c->GetName() + ": " + source);
                ++fileCount;
                // The media builder copies InstallLocation + SourceName to the
                // same relative path of the ship folder.
                ASSERT_FALSE(source.empty());
                EXPECT_NE(source.front(), '\\');
                EXPECT_EQ(source.find(".."), std::string::npos);
                std::string path = InInstallation(source);
                ASSERT_TRUE(IsFile(path));
                EXPECT_EQ(static_cast<double>(FileSizeOf(path)), e->GetSize());
                EXPECT_EQ(e->GetSourceDir(), "<S>");
            }
        }
    }
    EXPECT_GE(fileCount, 50u);
    // Together the scripts show every kind of element.
    EXPECT_EQ(typesUsed.size(), static_cast<size_t>(kElementTypeCount));
}

TEST_F(SampleInstallation, StringReferencesResolveThroughTheEngineStringFile) {
    // A project that chooses every component ships them all.
    test::ChooseEveryComponent(project);
    std::string stringFile = InInstallation("Distrib/Setup/Setup.str");
    ASSERT_TRUE(components().ReadStringFile(stringFile));

    size_t references = 0;
    auto check = [&references](const std::string& text, const std::string& where) {
        if (text.find('%') == std::string::npos)
            return;
        ++references;
        EXPECT_EQ(ExpandStringRefs(text).find('%'), std::string::npos) << where << ": " << text;
    };
    for (WSetupComponent* c : components().Components()) {
        check(c->GetDisplayName(), c->GetName());
        check(c->GetText9(), c->GetName());
        for (int type = 0; type < kElementTypeCount; ++type) {
            for (const auto& e : c->Elements(type))
                check(e->WriteRecord(), c->GetName());
        }
    }
    EXPECT_GE(references, 30u);
    EXPECT_EQ(ExpandStringRefs(components().Find("TY9Run_Program")->GetDisplayName()),
              "Tessary 9 Runtime");

    // The component script written for the project then lists the texts of
    // the references it holds in its string file.
    test::ScratchFolder out;
    ASSERT_TRUE(project.WriteComponentScripts(out.path()));
    std::string strings = out.Read("string.str");
    EXPECT_EQ(strings.rfind("[Strings]\r\n", 0), 0u);
    EXPECT_NE(strings.find("\r\nTY9RunName = Tessary 9 Runtime\r\n"), std::string::npos);
    EXPECT_NE(strings.find("\r\nLX9GermanName = German Writing Tools\r\n"), std::string::npos);
    std::string comp = out.Read("comp.kvz");
    EXPECT_NE(comp.find("\r\n[TTFFile0]\r\nTY9_Common,<S>,Fonts\\tysans.ttf,<F>,"),
              std::string::npos);
    EXPECT_NE(comp.find("\r\n[Identification.1]\r\n"), std::string::npos);
}

TEST_F(SampleInstallation, EngineFilesAndDefaultsArePresent) {
    for (const char* name : {"Distrib/Setup/Swintlen.dll", "Distrib/Setup/BBoards.bil",
                             "Distrib/Setup/Setup.wav", "Distrib/Setup/Setup.str"}) {
        EXPECT_TRUE(IsFile(InInstallation(name))) << name;
        EXPECT_TRUE(IsFile(JoinPath(kBuiltInstallation, name))) << name;
    }
    // The build puts the engine's start programs into its own copy only.
    for (const char* name : {"Distrib/setup32.exe", "Distrib/Setup/setup.exe"}) {
        EXPECT_TRUE(IsFile(JoinPath(kBuiltInstallation, name))) << name;
    }
    // The generated string file goes to the ship folder's "Setup" beside the
    // engine's files; an engine file of that name would be overwritten.
    EXPECT_FALSE(IsFile(InInstallation("Distrib/Setup/string.str")));
    EXPECT_TRUE(IsFile(project.DefaultConfigFile)) << project.DefaultConfigFile;
    EXPECT_TRUE(IsFolder(InInstallation("MySetup")));

    // Small enough to ship with the sources. The two copies of our setup
    // engine program are build products, not part of the sources; earlier
    // builds left them here.
    const std::vector<std::string> built = {InInstallation("Distrib/setup32.exe"),
                                            InInstallation("Distrib/Setup/setup.exe")};
    long long total = 0;
    std::vector<std::string> folders = {kInstallation};
    while (!folders.empty()) {
        std::string folder = folders.back();
        folders.pop_back();
        for (const std::string& f : ListFolder(folder, true, false)) {
            std::string path = JoinPath(folder, f);
            if (std::find(built.begin(), built.end(), path) == built.end())
                total += FileSizeOf(path);
        }
        for (const std::string& f : ListFolder(folder, false, true)) {
            folders.push_back(JoinPath(folder, f));
        }
    }
    EXPECT_LT(total, 1024 * 1024);
}

}  // namespace
}  // namespace vantrel
