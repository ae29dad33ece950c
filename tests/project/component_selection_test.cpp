// What the setup options reach: on the sample installation, the component
// script written for a project holds the components its flags select, with
// what they depend on, and "Program_files" depends on exactly the chosen ones.
#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/strings.h"
#include "project/component_choices.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "script/set_layout.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kInstallation = VANTREL_SOURCE_DIR "/installation";

using Names = std::set<std::string>;

// The component lines of a written comp.kvz: name -> the line's fields.
struct ComponentScript {
    std::vector<std::vector<std::string>> lines;

    Names ComponentNames() const {
        Names names;
        for (const auto& fields : lines)
            names.insert(fields.front());
        return names;
    }
    // The dependency field of one component, split at " | ".
    Names DependenciesOf(const std::string& name) const {
        for (const auto& fields : lines) {
            if (fields.front() == name && fields.size() > 12) {
                Names deps;
                for (const std::string& dep : SplitTrimmed(fields[12], '|'))
                    deps.insert(dep);
                return deps;
            }
        }
        ADD_FAILURE() << "no line for " << name;
        return {};
    }
};

ComponentScript ReadComponentScript(const std::string& path) {
    ComponentScript script;
    std::string text = test::ReadBytes(path);
    bool identification = false;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.front() == '[') {
            identification = StartsWith(line, "[Identification");
        } else if (identification && !line.empty()) {
            std::vector<std::string> fields;
            size_t from = 0;
            for (size_t comma; (comma = line.find(',', from)) != std::string::npos;
                 from = comma + 1) {
                fields.push_back(line.substr(from, comma - from));
            }
            script.lines.push_back(std::move(fields));
        }
    }
    return script;
}

// Everything a user can leave unchecked, left unchecked.
void UncheckEverything(WProjectData& p) {
    test::ChooseEveryComponent(p, false);
}

class ComponentSelection : public ::testing::Test {
  protected:
    void SetUp() override {
        project.SetInstallLocationOverride(kInstallation);
        project.Reset();
        ASSERT_TRUE(project.Catalogue().loaded);
    }

    ComponentScript Written(WProjectData& p) {
        std::string folder = dir / ("out" + std::to_string(++writes));
        EXPECT_TRUE(p.WriteComponentScripts(folder));
        return ReadComponentScript(JoinPath(folder, kComponentScript));
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    int writes = 0;
};

// One flag at a time, everything else unchecked.
struct FlagCase {
    const char* what;
    std::function<void(WProjectData&)> check;
    Names chosen;   // beside "Distrib", in the dependencies of "Program_files"
    Names brought;  // further component lines
};

std::vector<FlagCase> FlagCases() {
    auto driver = [](int WProjectData::*flag, const char* name) {
        return FlagCase{
            name, [flag](WProjectData& p) { p.*flag = 1; }, {name}, {"OnDmndBDE", "BDE_Admin"}};
    };
    return {
        {"uninstaller", [](WProjectData& p) { p.UninstallComponent = 1; }, {"Uninstall"}, {}},
        {"runtime",
         [](WProjectData& p) { p.RuntimeComponent = 1; },
         {"TY9Run_Program"},
         {"TY9_Common"}},
        {"framework",
         [](WProjectData& p) { p.FrameworkComponent = 1; },
         {"TY9_Framework"},
         {"TY9Run_Program", "TY9_Common"}},
        {"database engine",
         [](WProjectData& p) { p.BDEComponent = 1; },
         {"OnDmndBDE"},
         {"BDE_Admin"}},
        driver(&WProjectData::IsInterBaseSelected, "SQL_int"),
        driver(&WProjectData::IsDB2Selected, "SQL_db"),
        driver(&WProjectData::IsInformixSelected, "SQL_inf"),
        driver(&WProjectData::IsMSSQLSelected, "SQL_mss"),
        driver(&WProjectData::IsOracleSelected, "SQL_ora"),
        driver(&WProjectData::IsSybaseCTLibSelected, "SQL_ssc"),
        driver(&WProjectData::IsSybaseDBLibSelected, "SQL_syb"),
        {"writing tools",
         [](WProjectData& p) {
             p.RuntimeComponent = p.AreWritingToolsSelected = 1;
             p.WritingToolLanguages = {"FR", "UK", "US"};
         },
         {"TY9Run_Program", "LX9_French", "LX9_English"},
         {"TY9_Common", "LX9_Engine"}},
        // Without the runtime the languages are not installed.
        {"writing tools without the runtime",
         [](WProjectData& p) {
             p.AreWritingToolsSelected = 1;
             p.WritingToolLanguages = {"FR"};
         },
         {},
         {}},
    };
}

TEST_F(ComponentSelection, EachFlagShipsItsComponentAndWhatItNeeds) {
    for (const FlagCase& c : FlagCases()) {
        SCOPED_TRACE(c.what);
        UncheckEverything(project);
        c.check(project);
        project.ApplyComponentSelection();
        ComponentScript script = Written(project);

        Names deps = c.chosen;
        deps.insert("Distrib");
        EXPECT_EQ(script.DependenciesOf("Program_files"), deps);
        Names lines = deps;
        lines.insert(c.brought.begin(), c.brought.end());
        lines.insert({"Product", "Program_files"});
        EXPECT_EQ(script.ComponentNames(), lines);
    }
}

TEST_F(ComponentSelection, EverythingUncheckedWritesOnlyTheApplicationAndTheEngine) {
    UncheckEverything(project);
    project.ApplyComponentSelection();
    ComponentScript script = Written(project);
    EXPECT_EQ(script.ComponentNames(), (Names{"Product", "Program_files", "Distrib"}));
    EXPECT_EQ(script.DependenciesOf("Program_files"), Names{"Distrib"});

    // Checking and unchecking again comes back to the same selection.
    project.FrameworkComponent = project.IsOracleSelected = 1;
    project.ApplyComponentSelection();
    EXPECT_TRUE(project.Components()->Find("TY9_Common")->IsSelected());
    UncheckEverything(project);
    project.ApplyComponentSelection();
    for (WSetupComponent* c : project.Components()->Components()) {
        EXPECT_EQ(c->IsSelected(), c->IsApplicationComponent() || c->GetName() == "Distrib")
            << c->GetName();
    }
}

TEST_F(ComponentSelection, ANewProjectShipsItsDefaults) {
    // Runtime, uninstaller and database engine are on; no language is chosen.
    ComponentScript script = Written(project);
    EXPECT_EQ(script.DependenciesOf("Program_files"),
              (Names{"Distrib", "TY9Run_Program", "Uninstall", "OnDmndBDE"}));
    EXPECT_EQ(script.ComponentNames().count("TY9_Framework"), 0u);
    EXPECT_EQ(script.ComponentNames().count("LX9_Engine"), 0u);
}

TEST_F(ComponentSelection, AnOpenedProjectShipsWhatItWasSavedWith) {
    UncheckEverything(project);
    project.IsOracleSelected = 1;
    project.RuntimeComponent = project.AreWritingToolsSelected = 1;
    project.WritingToolLanguages = {"DE"};
    project.ApplyComponentSelection();
    std::string file = dir / "p.zlt";
    std::string error;
    ASSERT_TRUE(WriteProjectFile(project, file, &error)) << error;

    WProjectData opened;
    opened.SetInstallLocationOverride(kInstallation);
    ASSERT_TRUE(OpenProjectFile(opened, file, &error)) << error;
    EXPECT_EQ(Written(opened).DependenciesOf("Program_files"),
              (Names{"Distrib", "TY9Run_Program", "LX9_German", "SQL_ora"}));
    EXPECT_EQ(opened.Components()->Find("TY9_Framework")->IsSelected(), false);
    EXPECT_EQ(opened.Components()->Find("OnDmndBDE")->IsSelected(), true);
}

}  // namespace
}  // namespace vantrel
