// Built sets checked against what the setup engine reads and against the
// project they came from: the standard components' files, the records that
// need an installed file, the sources byte for byte, and what a build must
// refuse before it writes anything (lines too long for the engine,
// destinations it cannot use, a first floppy its start program fills).
#include "media/set_verifier.h"
#include "media/disk_set.h"

#include <functional>

#include "elements/element_classes.h"
#include "media_fixture.h"
#include "platform/strings.h"
#include "project/engine_limits.h"

namespace vantrel {
namespace {

using test::MediaFixture;
using test::ReadBytes;
using test::RecordingProgress;

TEST(EngineRules, DestinationsAndLineLengths) {
    for (const char* bad :
         {"<D>\\..\\app.exe", "<D>/../app.exe", "..", "<D>\\ ..\\a", "<D>\\CON", "<D>\\con.txt\\a",
          "<D>\\Lpt1", "<W>\\COM9.log", "<D>\\a\x01b", "<D>\\tab\tname"})
        EXPECT_NE(DestinationProblem(bad), "") << bad;
    for (const char* good : {"<D>\\bin\\app.exe", "<D>\\a..b\\c", "<D>\\CONSOLE", "<D>\\com10.txt",
                             "<WDL:>\\Acme", "<O>\\Acme\\Acme Help"})
        EXPECT_EQ(DestinationProblem(good), "") << good;
    // A checker that looks at each folder once says what the whole path does.
    DestinationChecker checker;
    for (int round = 0; round < 2; ++round) {
        for (const char* folder : {"<D>", "<D>\\bin\\", "", "C:", "<D>\\..", "<D>\\CON", "\\"}) {
            for (const char* name : {"app.exe", "..", "a\\CON", "nul.txt", "", "x\\y.z"}) {
                EXPECT_EQ(checker.Problem(folder, name), DestinationProblem(folder, name))
                    << folder << " + " << name;
            }
        }
    }
    EXPECT_EQ(LineLengthProblem(2045), "");
    EXPECT_EQ(LineLengthProblem(2046),
              "is 2,046 characters long; the setup engine reads lines of at most 2,045 characters");
}

class SetVerifier : public MediaFixture {
  protected:
    void SetUp() override {
        MediaFixture::SetUp();
        AddInstallFile(distrib, "System\\shared.dll");
        app = AddAppFile("bin/app.exe", "MZ application");
        AddAppFile("readme.txt", "read me");
    }

    bool BuildSet(const std::string& size) {
        Plan(size);
        RecordingProgress progress;
        return Build(progress);
    }

    // Verify()'s problems, one per line; "sound" for none.
    std::string Check(bool withProject) {
        WSetVerifier verifier;
        if (withProject)
            verifier.SetProject(project.get());
        const bool sound = verifier.Verify(media);
        EXPECT_EQ(sound, verifier.Problems().empty());
        files = verifier.FileCount();
        compared = verifier.ComparedCount();
        return sound ? "sound" : Join(verifier.Problems(), "\n");
    }

    static void ExpectHas(const std::string& text, const std::string& part) {
        EXPECT_NE(text.find(part), std::string::npos) << "missing: " << part << "\nin:\n" << text;
    }

    WSetupElement* app = nullptr;
    int files = 0;
    int compared = 0;
};

TEST_F(SetVerifier, TheStandardComponentsFilesAreCheckedToo) {
    ASSERT_TRUE(BuildSet("640MB")) << errorText;
    EXPECT_EQ(Check(false), "sound");
    EXPECT_EQ(files, 3);
    ASSERT_TRUE(RemoveFile(JoinPath(media, "System/shared.dll")));
    EXPECT_EQ(Check(false), "System\\shared.dll of component Distrib is missing");
}

TEST_F(SetVerifier, WithTheProjectAChangedByteIsFoundInCdAndFloppySets) {
    AddAppFile("data.bin", test::RandomBytes(800000, 3));
    const std::string root = media;
    for (const char* size : {"720KB", "640MB"}) {
        SCOPED_TRACE(size);
        media = root + "-" + size;
        ASSERT_TRUE(BuildSet(size)) << errorText;
        ASSERT_EQ(request.floppy, std::string(size) == "720KB");
        EXPECT_EQ(Check(true), "sound");
        EXPECT_EQ(compared, 3);

        // The same size, one byte changed: only the comparison sees it.
        const std::string source = JoinPath(app->GetSourceDir(), "app.exe");
        test::WriteBytes(source, "MZ applicatioN");
        EXPECT_EQ(Check(false), "sound");
        EXPECT_EQ(Check(true), "bin\\app.exe of component Program_files differs from its source " +
                                   source + " at byte 13");
        test::WriteBytes(source, "MZ application");
    }
    // A CD set's own copy changed.
    test::WriteBytes(media + "/bin/app.exe", "XZ application");
    ExpectHas(Check(true), "bin\\app.exe of component Program_files differs from its source " +
                               app->GetSourceDir() + "/app.exe at byte 0");

    // A file the project gained since the set was built.
    AddAppFile("later.txt", "later");
    ExpectHas(Check(true), "the project's file " + (dir / "app/later.txt") + " is not in the set");
}

// A floppy set's files are compared with their sources as they stream, a
// CD set's from the disk: both say the same of each way a source changed.
TEST_F(SetVerifier, CdAndFloppySetsSayTheSameOfEachChangedSource) {
    const std::string big = test::RandomBytes(300000, 6);
    WSetupElement* data = AddAppFile("data.bin", big);
    AddAppFile("more.bin", test::RandomBytes(600000, 7));
    const std::string source = JoinPath(data->GetSourceDir(), "data.bin");
    std::string changed = big;
    changed[200000] ^= 1;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {big.substr(0, 1000), "differs from its source " + source + ": their sizes differ"},
        {big + "x", "differs from its source " + source + ": their sizes differ"},
        {changed, "differs from its source " + source + " at byte 200000"},
        {"", "cannot be compared: its source " + source + ": No such file or directory"},
    };
    const std::string root = media;
    std::vector<std::string> said[2];
    for (int floppy = 0; floppy < 2; ++floppy) {
        media = root + (floppy ? "-fd" : "-cd");
        ASSERT_TRUE(BuildSet(floppy ? "720KB" : "640MB")) << errorText;
        ASSERT_EQ(request.floppy, floppy != 0);
        for (const auto& [bytes, why] : cases) {
            if (bytes.empty())
                RemoveFile(source);
            else
                test::WriteBytes(source, bytes);
            said[floppy].push_back(Check(true));
            EXPECT_EQ(said[floppy].back(), "data.bin of component Program_files " + why);
        }
        test::WriteBytes(source, big);
        EXPECT_EQ(Check(true), "sound");
    }
    EXPECT_EQ(said[0], said[1]);
}

TEST_F(SetVerifier, RecordsThatNeedAFileTheSetDoesNotInstallAreNamed) {
    WSetupComponent* files = project->ProgramFilesComponent();
    const std::vector<std::pair<int, std::string>> records = {
        {kElementShortcut, "the shortcut \"\""},
        {kElementSelfRegister, "the self-registration"},
        {kElementRegFile, "the registry-file record"},
        {kElementProfile, "the INI entry [Section] Key"},
        {kElementCustFile, "the text replacement of \"Search\""},
    };
    for (const auto& [type, text] : records) {
        auto gone = CreateElement(type);
        gone->SetTargetDir("<D>");
        gone->SetTargetName("gone.txt");
        files->AddElement(std::move(gone));
    }
    // One that names an installed file, in another case, is fine.
    auto kept = CreateElement(kElementRegFile);
    kept->SetTargetDir("<d>\\");
    kept->SetTargetName("README.TXT");
    files->AddElement(std::move(kept));
    ASSERT_TRUE(BuildSet("640MB")) << errorText;

    const std::vector<std::string> problems = Split(Check(false), '\n');
    ASSERT_EQ(problems.size(), records.size()) << Join(problems, "\n");
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(problems[i], records[i].second +
                                   " of component Program_files names <D>\\gone.txt, which the "
                                   "set does not install");
    }
}

TEST_F(SetVerifier, TheBuildRefusesWhatTheEngineCannotUseAndWritesNothing) {
    struct Case {
        const char* what;
        std::function<void(WProjectData&, WSetupElement&)> change;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"a 3,000-character destination",
         [](WProjectData& p, WSetupElement&) {
             p.Destination = "<WPF>\\" + std::string(3000, 'C');
         },
         "a line of project.kvz (\"Destination=<WPF>\\" + std::string(22, 'C') +
             "...\") is 3,018 characters long; the setup engine reads lines of at most 2,045 "
             "characters"},
        {"a 5,000-character registry value",
         [](WProjectData& p, WSetupElement&) {
             auto value = std::make_unique<WSetupRegEntry>();
             value->SetRootKey("HKEY_CURRENT_USER");
             value->SetKeyPath("Software\\Acme");
             value->SetValueName("Path");
             value->SetValueData(std::string(5000, 'v'));
             p.ProgramFilesComponent()->AddElement(std::move(value));
         },
         "a line of comp.kvz (the RegistryKeys record of component Program_files) is 5,0"},
        {"a 3,000-character string the component script names",
         [](WProjectData& p, WSetupElement&) {
             ScriptStringMap().Set("AcmePath", std::string(3000, 's'));
             auto value = std::make_unique<WSetupRegEntry>();
             value->SetRootKey("HKEY_CURRENT_USER");
             value->SetKeyPath("Software\\Acme");
             value->SetValueName("Path");
             value->SetValueData("%AcmePath%");
             p.ProgramFilesComponent()->AddElement(std::move(value));
         },
         "a line of string.str (\"AcmePath = " + std::string(29, 's') +
             "...\") is 3,011 characters long"},
        {"a \"..\" part",
         [](WProjectData&, WSetupElement& f) { f.SetTargetName("..\\..\\app.exe"); },
         "the File record of bin\\app.exe of component Program_files writes to "
         "<D>\\..\\..\\app.exe, a path the setup engine cannot use: \"..\" is \"..\""},
        {"a device name", [](WProjectData&, WSetupElement& f) { f.SetTargetName("bin\\Lpt1.exe"); },
         "writes to <D>\\bin\\Lpt1.exe, a path the setup engine cannot use: "
         "\"Lpt1.exe\" is a device name of Windows"},
        {"a control character",
         [](WProjectData&, WSetupElement& f) { f.SetTargetDir("<D>\\a\tb"); },
         "holds a control character"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        media = dir / ("media" + std::to_string(++n));
        c.change(*project, *app);
        EXPECT_FALSE(BuildSet("640MB"));
        ExpectHas(errorText, "the setup engine could not use this set: ");
        ExpectHas(errorText, c.message);
        EXPECT_TRUE(ListFolder(media, true, true).empty());
    }
    ScriptStringMap().Erase("AcmePath");
}

TEST_F(SetVerifier, AFirstFloppyThatTheStartProgramFillsIsRefusedWithTheSizes) {
    const std::string engine =
        dir.Write("install/Distrib/Setup/setup.exe", std::string(719990, 'e'));
    AddAppFile("data.bin", test::RandomBytes(200000, 4));
    Plan("720KB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_EQ(errorText,
              "the setup engine could not use this set: the setup engine's floppy "
              "start program " +
                  engine +
                  " has 719990 bytes, but the first disk holds only 720000 bytes "
                  "with its archive: choose a larger medium");
    EXPECT_TRUE(ListFolder(media, true, true).empty());

    // With room for the disk's archive beside it, the set is made.
    dir.Write("install/Distrib/Setup/setup.exe", std::string(600000, 'e'));
    EXPECT_TRUE(BuildSet("720KB")) << errorText;
    EXPECT_EQ(ReadBytes(media + "/disk001/setup.exe").size(), 600000u);
}

// One archive of a floppy set counts its members in 16 bits: more files in a
// component are refused before anything is written, and a CD set takes them.
TEST_F(SetVerifier, AComponentTooLargeForOneArchiveIsRefusedBeforeAFloppySetIsWritten) {
    AddAppFile("data.bin", test::RandomBytes(800000, 5));
    WSetupComponent* files = project->ProgramFilesComponent();
    const std::string missing = dir / "app/none";
    for (int i = 0; i < 65533; ++i) {
        const std::string name = "f" + std::to_string(i) + ".txt";
        files->AddElement(NewFileElement(JoinPath(missing, name), "d\\" + name, "<D>", name));
    }
    Plan("720KB");
    ASSERT_TRUE(request.floppy);
    RecordingProgress progress;
    EXPECT_FALSE(Build(progress));
    EXPECT_EQ(errorText,
              "the setup engine could not use this set: 65,536 files of component "
              "Program_files would go into one archive of the floppy set, which holds at most "
              "65,535: a CD set holds them, as its files are not packed");
    EXPECT_TRUE(ListFolder(media, true, true).empty());
    project->Components()->Gather();
    EXPECT_EQ(WDiskSet::MemberCountProblems(*project).size(), 1u);
}

TEST_F(SetVerifier, ASetMadeElsewhereIsCheckedForLongLinesAndUnusableDestinations) {
    ASSERT_TRUE(BuildSet("640MB")) << errorText;
    const std::string script = JoinPath(media, "Setup/comp.kvz");
    const std::string text = ReadBytes(script);
    test::WriteBytes(script, ReplaceAll(text, ",<D>,readme.txt,", ",<D>,..\\readme.txt,") + ";" +
                                 std::string(2100, 'x') + "\r\n");
    const std::string problems = Check(false);
    ExpectHas(problems, "Setup\\comp.kvz fails verification: a line is 2046 characters or longer");
    test::WriteBytes(script, ReplaceAll(text, ",<D>,readme.txt,", ",<D>,..\\readme.txt,"));
    EXPECT_EQ(Check(false),
              "the File record of readme.txt of component Program_files writes to "
              "<D>\\..\\readme.txt, a path the setup engine cannot use: \"..\" is \"..\"");
    // A source name that leads out of the set is not looked for there.
    test::WriteBytes(script, ReplaceAll(text, ",<S>,readme.txt,", ",<S>,..\\readme.txt,"));
    EXPECT_EQ(Check(false), "..\\readme.txt of component Program_files lies outside the set");
}

}  // namespace
}  // namespace vantrel
