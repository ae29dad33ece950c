#include "project/project_rules.h"

#include "platform/system_folders.h"
#include "project/project_data.h"
#include "script/disk_utils.h"
#include "scriptfile/script_header.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kBadCompany =
    "Company Name cannot contain any of the following characters:\n\t/ * ? \\ \" < > | : ,";
const std::string kBadDirectory =
    "The default directory cannot contain any of the following characters:\n\t/ * ? \" < > | , "
    "and no colon but the drive's.";
const std::string kNoFolder =
    "You must enter a destination folder when the default destination directory is not used.";
const std::string kBadName = "The application name cannot contain a comma or a line break.";
const std::string kFrameworkNeedsRuntime =
    "The Tessary Application Framework needs the Tessary 9 Runtime.";
const std::string kDatabaseNeeded =
    "The Borland Database Engine is needed while the Tessary 9 Runtime or an SQL Links driver "
    "is installed.";

struct DestinationCase {
    bool useDefault;
    const char* prefix;
    const char* base;
    const char* expectedPrefix;
    const char* expectedDestination;
};

TEST(ProjectRules, DestinationInMacroFormFollowsTheChoice) {
    const DestinationCase cases[] = {
        // The default destination ignores the base and the typed folder.
        {true, "", "Apps", "<WPF>", "<WPF>\\Acme\\Ledger"},
        {true, "<WDL:>", "Apps", "<WPF>", "<WPF>\\Acme\\Ledger"},
        {false, "<WDL:>", "Apps", "<WDL:>", "<WDL:>\\Apps"},
        {false, "<WPF>", "Apps\\Ledger", "<WPF>", "<WPF>\\Apps\\Ledger"},
        // An unknown or empty prefix means the program-files folder.
        {false, "", "Apps", "<WPF>", "<WPF>\\Apps"},
        {false, "<X>", "", "<WPF>", "<WPF>\\"},
        // What was typed is kept, doubled backslashes included.
        {false, "<WPF>", "\\Apps\\\\Ledger", "<WPF>", "<WPF>\\\\Apps\\\\Ledger"},
    };
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    for (const DestinationCase& c : cases) {
        SCOPED_TRACE(std::string(c.prefix) + " " + c.base + (c.useDefault ? " default" : ""));
        WProjectData project;
        project.Reset();
        project.SetApplicationName("Ledger");
        project.CompanyName = "Acme";
        project.UseDefaultDest = c.useDefault ? 1 : 0;
        project.DefaultDestPrefix = c.prefix;
        project.DefaultDestBase = c.base;
        ApplyDestination(project);
        EXPECT_EQ(project.DefaultDestPrefix, c.expectedPrefix);
        EXPECT_EQ(project.Destination, c.expectedDestination);
        EXPECT_EQ(project.DefaultDestBase, c.base);
    }
}

TEST(ProjectRules, DestinationOnThisMachineUsesTheMachinesFolders) {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    const SystemFolders& folders = TheSystemFolders();
    const std::string programFiles = folders.ProgramFilesFolder();
    const std::string drive = GetPathRoot(folders.WindowsFolder());
    EXPECT_EQ(DestinationOnThisMachine(true, "<WDL:>", "Acme", "Ledger", "Apps"),
              programFiles + "\\Acme\\Ledger");
    EXPECT_EQ(DestinationOnThisMachine(false, "<WDL:>", "Acme", "Ledger", "Apps"),
              drive + "\\Apps");
    EXPECT_EQ(DestinationOnThisMachine(false, "<WPF>", "Acme", "Ledger", "\\Apps"),
              programFiles + "\\\\Apps");

    EXPECT_EQ(TidyPath("C:\\\\Apps\\\\\\x\\"), "C:\\Apps\\x\\");
    EXPECT_EQ(TidyPath("\\\\"), "\\");
    EXPECT_EQ(TidyPath("C:/a//b"), "C:/a//b");
}

struct CheckCase {
    std::string (*check)(std::string_view);
    const char* value;
    std::string message;  // empty: the value passes
};

TEST(ProjectRules, ApplicationInformationChecks) {
    const CheckCase cases[] = {
        {CheckApplicationName, "", "You must enter an Application name before continuing."},
        {CheckApplicationName, " ", ""},
        {CheckApplicationName, "Ledger: 2 / 3", ""},
        // A comma or a line break would split the "Product" component line.
        {CheckApplicationName, "Led,ger", kBadName},
        {CheckApplicationName, "Led\nger", kBadName},
        {CheckApplicationName, "Ledger\r", kBadName},
        {CheckCompanyName, "", "You must enter a Company name before continuing."},
        {CheckCompanyName, "Acme/West", kBadCompany},
        {CheckCompanyName, "Acme, Inc", kBadCompany},
        {CheckCompanyName, "A|B", kBadCompany},
        {CheckCompanyName, "\"Acme\"", kBadCompany},
        {CheckCompanyName, "Acme:West", ""},
        {CheckCompanyName, "Acme\\West", ""},
        {CheckDefaultDirectory, "", "You must enter a default directory before continuing."},
        {CheckDefaultDirectory, "C:\\Program Files\\Acme\\Ledger", ""},
        {CheckDefaultDirectory, "C:\\Program Files\\Acme:West\\Ledger", kBadDirectory},
        {CheckDefaultDirectory, "C:\\Apps\\a*b", kBadDirectory},
        {CheckDefaultDirectory, "Apps:", ""},
        {CheckVersion, "", "You must enter a Version before continuing."},
        {CheckVersion, "2.0 beta", ""},
        {CheckTargetFolder, "", ""},
        {CheckTargetFolder, "Apps\\Ledger", ""},
        {CheckTargetFolder, "\\Apps",
         "Enter no more than one slash for directory separator in the Target Folder"},
        {CheckTargetFolder, "Apps\\\\Ledger",
         "Enter no more than one slash for directory separator in the Target Folder"},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.check(c.value), c.message);
    }
}

const std::string kBadSize = "The Font Size must be a whole number from 20 to 160.";

TEST(ProjectRules, BackgroundChecks) {
    const CheckCase cases[] = {
        {CheckBackgroundTitle, "", "You must specify a Setup Title to continue."},
        {CheckBackgroundTitle, "Ledger Setup", ""},
        {CheckBackgroundFont, "",
         "You have not selected a font for your title, Times New Roman has been set by default."},
        {CheckBackgroundFont, "Arial", ""},
        {CheckBackgroundFontSize, "", "You must specify a Font Size to continue."},
        {CheckBackgroundFontSize, "48", ""},
        {CheckBackgroundFontSize, "20", ""},
        {CheckBackgroundFontSize, "160", ""},
        {CheckBackgroundFontSize, "19", kBadSize},
        {CheckBackgroundFontSize, "161", kBadSize},
        {CheckBackgroundFontSize, "5000", kBadSize},
        {CheckBackgroundFontSize, "abc", kBadSize},
        {CheckBackgroundFontSize, "48pt", kBadSize},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(c.check(c.value), c.message);
    }
}

// Each typed field that reaches a script line is refused, by name, at a
// length the setup engine would read in pieces; the limits themselves pass.
TEST(ProjectRules, TextsTooLongForAScriptLineAreRefused) {
    const std::string field(kMaxFieldLength, 'x');
    const std::string longer = field + "x";
    EXPECT_EQ(CheckApplicationName(field), "");
    EXPECT_EQ(CheckApplicationName(longer),
              "The application name cannot be longer than 1000 characters.");
    EXPECT_EQ(CheckCompanyName(field), "");
    EXPECT_EQ(CheckCompanyName(longer), "The company name cannot be longer than 1000 characters.");
    EXPECT_EQ(CheckVersion(field), "");
    EXPECT_EQ(CheckVersion(longer), "The version cannot be longer than 1000 characters.");
    EXPECT_EQ(CheckBackgroundTitle(field), "");
    EXPECT_EQ(CheckBackgroundTitle(std::string(3000, 't')),
              "The setup title cannot be longer than 1000 characters.");
    const std::string directory = "C:\\" + std::string(kMaxDirectoryLength - 3, 'd');
    EXPECT_EQ(CheckDefaultDirectory(directory), "");
    EXPECT_EQ(CheckDefaultDirectory(directory + "d"),
              "The default directory cannot be longer than 2020 characters.");

    // At the limits every line of the setup's scripts stays readable whole.
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    project.Reset();
    project.SetApplicationName(field);
    project.CompanyName = field;
    project.Version = field;
    project.BackTitle = field;
    ApplyDestination(project);
    EXPECT_TRUE(ProjectProblems(project).empty());
    ASSERT_TRUE(project.WriteComponentScripts(dir / "Setup"));
    ASSERT_TRUE(project.WriteProductScript(dir.path()));
    WScriptHeader components;  // written without a header: lengths only
    components.SetFilePath(dir / "Setup/comp.kvz");
    EXPECT_EQ(components.Read(false, false), 0);
    EXPECT_NE(test::ReadBytes(dir / "Setup/comp.kvz").find("Product,000,<D>,0,0,11111,0," + field),
              std::string::npos);
    WScriptHeader product;
    product.SetFilePath(dir / "Setup/project.kvz");
    EXPECT_EQ(product.Read(false, true), 0);
    project.UseDefaultDest = 0;
    project.DefaultDestPrefix = kWindowsDriveMacro;
    project.DefaultDestBase = std::string(kMaxDirectoryLength - 3, 'd');
    ApplyDestination(project);
    EXPECT_TRUE(ProjectProblems(project).empty());
    ASSERT_TRUE(project.WriteProductScript(dir.path()));
    WScriptHeader header;
    header.SetFilePath(dir / "Setup/project.kvz");
    EXPECT_EQ(header.Read(false, true), 0);
}

struct ComponentCase {
    int framework, runtime, database;
    bool sqlLinks;
    std::string message;
};

TEST(ProjectRules, ComponentDependencies) {
    const ComponentCase cases[] = {
        {0, 1, 1, false, ""},
        {1, 1, 1, false, ""},
        {1, 0, 1, false, kFrameworkNeedsRuntime},
        {1, 0, 0, false, kFrameworkNeedsRuntime},
        // The runtime needs the database engine ...
        {0, 1, 0, false, kDatabaseNeeded},
        // ... and so does any SQL Links driver, even without the runtime.
        {0, 0, 0, true, kDatabaseNeeded},
        {0, 0, 1, true, ""},
        // Without both, the database engine is a free choice.
        {0, 0, 0, false, ""},
        {0, 0, 1, false, ""},
    };
    for (const ComponentCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.framework << c.runtime << c.database << c.sqlLinks);
        EXPECT_EQ(CheckComponents(c.framework, c.runtime, c.database, c.sqlLinks), c.message);
        EXPECT_EQ(RuntimeRequired(c.framework), c.framework != 0);
        EXPECT_EQ(DatabaseRequired(c.runtime, c.sqlLinks), c.runtime != 0 || c.sqlLinks);
    }
}

TEST(ProjectRules, LanguagesAndTheirDefault) {
    EXPECT_EQ(CheckDefaultLanguage("", {}), "");
    EXPECT_EQ(CheckDefaultLanguage("", {"US"}), "");
    EXPECT_EQ(CheckDefaultLanguage("DE", {"US", "DE"}), "");
    EXPECT_EQ(CheckDefaultLanguage("DE", {"US"}),
              "The default language DE must be one of the selected languages.");
    EXPECT_EQ(CheckDefaultLanguage("de", {"DE"}),
              "The default language de must be one of the selected languages.");

    EXPECT_TRUE(LanguageRowLocked("DE", "DE"));
    EXPECT_FALSE(LanguageRowLocked("US", "DE"));
    EXPECT_FALSE(LanguageRowLocked("", ""));

    const std::string none = "Please select at least one writing tool language";
    EXPECT_EQ(CheckWritingToolLanguages(1, 1, 0), none);
    EXPECT_EQ(CheckWritingToolLanguages(1, 1, 2), "");
    EXPECT_EQ(CheckWritingToolLanguages(0, 1, 0), "");
    EXPECT_EQ(CheckWritingToolLanguages(1, 0, 0), "");
}

TEST(ProjectRules, ProjectProblemsInPageOrder) {
    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    project.Reset();
    EXPECT_TRUE(ProjectProblems(project).empty());
    EXPECT_EQ(BackgroundTitleOf(project), "My Project Setup");

    // An empty title stands for the default one and passes.
    project.BackTitle.clear();
    project.SetApplicationName("");
    project.CompanyName = "A/B";
    project.Version.clear();
    project.FrameworkComponent = 1;
    project.RuntimeComponent = 0;
    project.DefaultLanguage = "DE";
    project.BackTitleFont.clear();
    project.BackTitleFontHeight.clear();
    // The directory made of the bad company is not refused a second time.
    const std::vector<std::string> expected = {
        "You must enter an Application name before continuing.",
        kBadCompany,
        "You must enter a Version before continuing.",
        kFrameworkNeedsRuntime,
        "The default language DE must be one of the selected languages.",
        "You have not selected a font for your title, Times New Roman has been set by default.",
        "You must specify a Font Size to continue.",
    };
    EXPECT_EQ(ProjectProblems(project), expected);

    // The destination checked is the one on this machine, made of the typed folder.
    project.Reset();
    project.UseDefaultDest = 0;
    project.DefaultDestBase = "Apps?";
    EXPECT_EQ(ProjectProblems(project), std::vector<std::string>{kBadDirectory});
    project.DefaultDestBase = "Apps\\\\Ledger";
    EXPECT_TRUE(ProjectProblems(project).empty());

    // A typed folder that names none would install into the base itself.
    for (const char* folder : {"", "  ", "\\", " \\\\ "}) {
        project.DefaultDestBase = folder;
        for (const char* prefix : {kProgramFilesMacro, kWindowsDriveMacro}) {
            project.DefaultDestPrefix = prefix;
            EXPECT_EQ(ProjectProblems(project), std::vector<std::string>{kNoFolder}) << folder;
        }
    }
    project.UseDefaultDest = 1;
    EXPECT_TRUE(ProjectProblems(project).empty());

    // Proofreading tools with the runtime need a language.
    project.AreWritingToolsSelected = 1;
    EXPECT_EQ(ProjectProblems(project),
              std::vector<std::string>{"Please select at least one writing tool language"});
    project.WritingToolLanguages = {"US"};
    EXPECT_TRUE(ProjectProblems(project).empty());
}

}  // namespace
}  // namespace vantrel
