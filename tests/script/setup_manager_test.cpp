#include "script/setup_manager.h"

#include <filesystem>

#include "platform/files.h"
#include "platform/paths.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

// A component line with the given name, sub-components and dependencies.
std::string Line(const std::string& name, const std::string& subs = "",
                 const std::string& deps = "", const std::string& kind = "0") {
    return name + ",111,<D>,0,0,,0," + name + " display,,,," + subs + "," + deps + "," + kind +
           ",,,,";
}

std::string FileRecord(const std::string& tag, const std::string& name) {
    return tag + ",<S>," + name + ",<D>," + name + ",0,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,";
}

// A scratch installation whose "Comps" folder holds the given scripts.
struct Comps {
    test::ScratchFolder root;
    std::string folder = root / "Comps";
    void Script(const std::string& name, const std::string& text) const {
        root.Write("Comps/" + name, text);
    }
};

TEST(LoadScript, RegistersComponentsAndElementsAndFollowsDependencies) {
    Comps comps;
    comps.Script("Runtime.kvz",
                 "[Oxbel Setup Header]\r\nModuleType=SPM\r\nVersion=9.002\r\n"
                 "[Oxbel Setup Header End]\r\n"
                 "; a comment\r\n[Identification.0]\r\n" +
                     Line("Runtime", "RtParts", "Engine") + "\r\n\r\n[Identification.1]\r\n" +
                     Line("RtParts") + "\r\n[File1]\r\n" + FileRecord("RtParts", "rt.dll") +
                     "\r\n" + FileRecord("Nobody", "lost.dll") + "\r\n");
    comps.Script("ENGINE.KVZ", "[Identification]\r\n" + Line("Engine", "", "", "2") + "\r\n");

    WSetupManager m;
    m.AddSearchFolder(comps.root / "comps");  // found without regard to case
    ASSERT_TRUE(m.LoadScript("runtime.kvz")) << (m.Failures().empty() ? "" : m.Failures()[0]);

    WSetupComponent* runtime = m.Find("Runtime");
    WSetupComponent* parts = m.Find("rtparts");
    WSetupComponent* engine = m.Find("Engine");
    ASSERT_TRUE(runtime && parts && engine);
    EXPECT_EQ(runtime->GetLevel(), 0);
    EXPECT_EQ(parts->GetLevel(), 1);
    EXPECT_EQ(engine->GetLevel(), 2);  // "[Identification]": field 14 gives the level
    ASSERT_NE(runtime->Header(), nullptr);
    EXPECT_EQ(runtime->Header()->ModuleType(), "SPM");
    EXPECT_EQ(runtime->Header()->Version(), "9.002");
    EXPECT_EQ(runtime->Children(), std::vector<WSetupComponent*>{parts});
    EXPECT_EQ(runtime->Dependencies(), std::vector<WSetupComponent*>{engine});
    ASSERT_EQ(parts->Elements(kElementFile).size(), 1u);
    EXPECT_EQ(parts->Elements(kElementFile)[0]->GetSourceName(), "rt.dll");
    EXPECT_EQ(m.Count(), 3u);

    // Loading again reads nothing twice.
    EXPECT_TRUE(m.LoadScript("Runtime.kvz"));
    EXPECT_EQ(parts->Elements(kElementFile).size(), 1u);
}

TEST(LoadScript, BareNamesAreNotTakenFromTheCurrentFolder) {
    Comps comps;
    comps.root.Write("Stray.kvz", "[Identification.0]\r\n" + Line("Stray") + "\r\n");
    WSetupManager m;
    m.AddSearchFolder(comps.folder);
    auto previous = std::filesystem::current_path();
    std::filesystem::current_path(ToNative(comps.root.path()));
    EXPECT_EQ(m.FindScript("Stray.kvz"), "");
    EXPECT_FALSE(m.LoadScript("Stray.kvz"));
    std::filesystem::current_path(previous);
    // A script named by its path is read.
    EXPECT_TRUE(m.LoadScript(comps.root / "Stray.kvz"));
    EXPECT_NE(m.Find("Stray"), nullptr);
}

TEST(LoadScript, ScriptsAreLocatedInTheFoldersOfTheMoment) {
    Comps first, second;
    first.root.Write("Comps/Tools.kvz/readme.txt", "a folder, not a script");
    second.Script("TOOLS.KVZ", "[Identification.0]\r\n" + Line("Tools") + "\r\n");
    WSetupManager m;
    m.AddSearchFolder(first.folder);
    EXPECT_EQ(m.LocateScript("Tools.kvz"), "");  // a folder of that name is no script
    m.AddSearchFolder(second.folder);
    const std::string found = second.folder + "/TOOLS.KVZ";
    EXPECT_EQ(m.LocateScript("Tools.kvz"), found);
    EXPECT_EQ(m.FindScript("tools.kvz"), found);

    // Another installation's folder: the path found before is not kept.
    Comps third;
    third.Script("Tools.kvz", "[Identification.0]\r\n" + Line("Tools") + "\r\n");
    m.ClearSearchFolders();
    m.AddSearchFolder(third.folder);
    EXPECT_EQ(m.LocateScript("Tools.kvz"), third.folder + "/Tools.kvz");
    ASSERT_TRUE(m.LoadScript("Tools.kvz"));
    // Clearing the components forgets the paths too: a script deleted since
    // is missing, not read from where it was.
    m.ClearComponents();
    ASSERT_TRUE(RemoveFile(third.folder + "/Tools.kvz"));
    EXPECT_EQ(m.LocateScript("Tools.kvz"), "");
    EXPECT_FALSE(m.LoadScript("Tools.kvz"));
    EXPECT_EQ(m.MissingScripts(), std::vector<std::string>{"Tools.kvz"});
}

TEST(LoadScript, DependencyCyclesEnd) {
    Comps comps;
    comps.Script("A.kvz", "[Identification.0]\r\n" + Line("A", "B", "B") + "\r\n");
    comps.Script("B.kvz", "[Identification.0]\r\n" + Line("B", "A", "A") + "\r\n");
    WSetupManager m;
    m.AddSearchFolder(comps.folder);
    // Dependencies and sub-components naming each other finish the load.
    EXPECT_TRUE(m.LoadScript("A.kvz", true));
    ASSERT_TRUE(m.Find("A") && m.Find("B"));
    EXPECT_EQ(m.Find("A")->Dependencies(), std::vector<WSetupComponent*>{m.Find("B")});
    EXPECT_EQ(m.Find("B")->Dependencies(), std::vector<WSetupComponent*>{m.Find("A")});

    // A library step over the cycle ends too, and selecting it terminates.
    WSetupManager lib;
    lib.AddSearchFolder(comps.folder);
    WSetupComponent* a = nullptr;
    EXPECT_TRUE(lib.LoadLibraryScript("A.kvz", nullptr, &a));
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(lib.Find("B")->IsSelected());
}

TEST(LoadScript, LongChainOfScriptsStopsAtTheNestingLimit) {
    Comps comps;
    const int n = WSetupManager::kMaxScriptDepth + 5;
    for (int i = 0; i < n; ++i) {
        std::string next = i + 1 < n ? "C" + std::to_string(i + 1) : "";
        comps.Script("C" + std::to_string(i) + ".kvz",
                     "[Identification.0]\r\n" + Line("C" + std::to_string(i), "", next) + "\r\n");
    }
    WSetupManager m;
    m.AddSearchFolder(comps.folder);
    EXPECT_FALSE(m.LoadScript("C0.kvz"));
    ASSERT_FALSE(m.Failures().empty());
    EXPECT_NE(m.Failures()[0].find("too deeply"), std::string::npos);
}

TEST(LoadScript, FailuresNameTheScript) {
    Comps comps;
    comps.Script("Needs.kvz", "[Identification.0]\r\n" + Line("Needs", "", "Missing") + "\r\n");
    comps.Script("NoName.kvz", "[Identification.0]\r\n" + Line("Fine") + "\r\n,111,<D>,\r\n" +
                                   Line("NeverRead") + "\r\n");
    comps.Script("Box.kvz",
                 "[Oxbel Setup Header]\r\nModuleType=KVZ\r\n[Oxbel Setup Header End]\r\n"
                 "[Identification.0]\r\n" +
                     Line("Box", "", "Missing") + "\r\n");
    WSetupManager m;
    m.AddSearchFolder(comps.folder);

    EXPECT_FALSE(m.LoadScript("Needs.kvz"));
    EXPECT_EQ(m.MissingScripts(), std::vector<std::string>{"Missing.kvz"});
    ASSERT_FALSE(m.Failures().empty());
    EXPECT_NE(m.Failures()[0].find("Missing.kvz"), std::string::npos);
    EXPECT_NE(m.Find("Needs"), nullptr);  // what was registered stays

    m.ClearFailures();
    EXPECT_FALSE(m.LoadScript("NoName.kvz"));
    EXPECT_NE(m.Find("Fine"), nullptr);
    EXPECT_EQ(m.Find("NeverRead"), nullptr);
    EXPECT_NE(m.Failures()[0].find("NoName.kvz"), std::string::npos);

    // A "KVZ" script follows none of its names, so loading it succeeds; the
    // library step, which loads dependencies by name, reports the one that
    // no script provides.
    m.ClearFailures();
    EXPECT_TRUE(m.LoadScript("Box.kvz"));
    EXPECT_TRUE(m.Failures().empty());
    EXPECT_FALSE(m.LoadLibraryScript("Box.kvz", nullptr));
    ASSERT_FALSE(m.Failures().empty());
    EXPECT_NE(m.Failures().back().find("Missing"), std::string::npos);

    // The library step: a dependency that no script provides.
    WSetupManager lib;
    lib.AddSearchFolder(comps.folder);
    WSetupComponent* files = lib.Add("Program_files", 1);
    WSetupComponent* needs = nullptr;
    EXPECT_FALSE(lib.LoadLibraryScript("Needs.kvz", files, &needs));
    ASSERT_NE(needs, nullptr);
    EXPECT_EQ(needs->GetInstallTypes(), 111);
    EXPECT_TRUE(needs->IsSelected());
    EXPECT_EQ(files->Dependencies(), std::vector<WSetupComponent*>{needs});
    EXPECT_FALSE(lib.LoadLibraryScript("Absent.kvz", files));
    EXPECT_TRUE(lib.Failures().back().starts_with("Absent.kvz: script not found in "))
        << lib.Failures().back();
}

TEST(ReadComponentScript, StringsElementsFilterAndProgress) {
    test::ScratchFolder dir;
    dir.Write("Setup/more.str", "[Strings]\r\nMore = from the further file\r\n");
    std::string strings = dir.Write("string.str",
                                    "; comment\r\n[Other]\r\nIgnored=1\r\n[Strings]\r\n"
                                    "  AppName =  My App  \r\nmore.str\r\n");
    std::string script;
    script += "[Identification.0]\r\n" + Line("Product", "Program_files", "", "1") + "\r\n" +
              Line("Extra") + "\r\n";
    script += "[Identification.1]\r\n" + Line("Program_files", "", "Extra", "1") + "\r\n";
    script += "[File1]\r\n";
    for (int i = 0; i < 300; ++i) {
        script += FileRecord("Program_files", "f" + std::to_string(i) + ".dat") + "\r\n";
    }
    script += FileRecord("Extra", "not-taken.dat") + "\r\n";
    script += "[Shortcut0]\r\nExtra,<D>,Tessary 9 Runtime,,,11111,0,,,,,0,1,,0,644,\r\n";
    script += "Extra,<D>,Other program,,,11111,0,,,,,0,1,,0,644,\r\n";
    script += "\r\n[Strings]\r\nstring.str\r\n";
    std::string scriptPath = dir.Write("comp.kvz", script);

    WSetupManager m;
    m.SetStringFolder(dir / "Setup");
    WSetupComponent* product = m.Add("Product", 0);
    product->SetDisplayName("Kept");
    std::vector<std::pair<uint64_t, uint64_t>> reports;
    ASSERT_TRUE(m.ReadComponentScript(scriptPath, strings, [&](uint64_t done, uint64_t total) {
        reports.emplace_back(done, total);
    }));

    EXPECT_EQ(ScriptStringMap().Value("AppName"), "My App");
    EXPECT_EQ(ScriptStringMap().Value("More"), "from the further file");
    EXPECT_FALSE(ScriptStringMap().Contains("Ignored"));
    EXPECT_EQ(product->GetDisplayName(), "Kept");  // an existing component is not re-read
    WSetupComponent* files = m.Find("Program_files");
    WSetupComponent* extra = m.Find("Extra");
    ASSERT_TRUE(files && extra);
    EXPECT_EQ(files->Elements(kElementFile).size(), 300u);
    EXPECT_TRUE(extra->Elements(kElementFile).empty());
    ASSERT_EQ(extra->Elements(kElementShortcut).size(), 1u);
    EXPECT_EQ(files->Dependencies(), std::vector<WSetupComponent*>{extra});

    // Progress: the total at the start, growing reports, never beyond the total.
    const uint64_t total = script.size() + test::ReadBytes(strings).size();
    ASSERT_GE(reports.size(), 3u);
    EXPECT_EQ(reports.front(), std::make_pair(uint64_t{0}, total));
    for (size_t i = 1; i < reports.size(); ++i) {
        EXPECT_GT(reports[i].first, reports[i - 1].first);
        EXPECT_LE(reports[i].first, total);
    }
    EXPECT_EQ(reports.back().first, script.size());

    ScriptStringMap().Erase("AppName");
    ScriptStringMap().Erase("More");
}

TEST(ReadComponentScript, OneNameAtTwoLevelsIsTwoComponents) {
    test::ScratchFolder dir;
    std::string strings = dir.Write("string.str", "[Strings]\r\n");
    std::string scriptPath =
        dir.Write("comp.kvz", "[Identification.0]\r\n" + Line("Help") + "\r\n" +
                                  Line("Docs", "Help") + "\r\n[Identification.1]\r\n" +
                                  Line("Help") + "\r\n" + Line("Program_files") +
                                  "\r\n[Identification.2]\r\n" + Line("Help") + "\r\n");
    WSetupManager m;
    m.Add("Program_files", 1);
    ASSERT_TRUE(m.ReadComponentScript(scriptPath, strings));
    WSetupComponent* top = m.Find("Help", 0);
    WSetupComponent* nested = m.Find("Help", 1);
    ASSERT_TRUE(top && nested && m.Find("Help", 2));
    EXPECT_NE(top, nested);
    EXPECT_EQ(m.Find("help"), top);  // by name alone: the first registered
    EXPECT_EQ(m.Find("Docs")->Children(), std::vector<WSetupComponent*>{nested});
    EXPECT_EQ(m.Count(), 5u);  // "Program_files" is not read again
}

TEST(ReadComponentScript, MissingFilesAndStringFileCycles) {
    test::ScratchFolder dir;
    dir.Write("Setup/a.str", "[Strings]\r\nb.str\r\nA=1\r\n");
    dir.Write("Setup/b.str", "[Strings]\r\na.str\r\nB=2\r\n");
    WSetupManager m;
    m.SetStringFolder(dir / "Setup");
    EXPECT_TRUE(m.ReadStringFile(dir / "Setup/a.str"));
    EXPECT_EQ(ScriptStringMap().Value("B"), "2");
    ScriptStringMap().Erase("A");
    ScriptStringMap().Erase("B");

    uint64_t seenTotal = 0;
    EXPECT_FALSE(m.ReadComponentScript(dir / "none.kvz", dir / "none.str",
                                       [&](uint64_t, uint64_t total) { seenTotal = total; }));
    EXPECT_EQ(seenTotal, 100000u);
}

TEST(ReadComponentScript, StringFilesAreReadOnlyInsideTheStringFolder) {
    test::ScratchFolder dir;
    const std::string secret = dir.Write("secret.str", "[Strings]\r\nSECRET=leaked\r\n");
    dir.Write("Setup/sub/more.str", "[Strings]\r\nMORE=1\r\n");
    std::filesystem::create_symlink(ToNative(secret), ToNative(dir / "Setup/link.str"));
    for (const std::string& name :
         {secret, std::string("../secret.str"), std::string("..\\secret.str"),
          std::string("sub/../../secret.str"), std::string("link.str")}) {
        dir.Write("Setup/a.str", "[Strings]\r\n" + name + "\r\nA=1\r\n");
        WSetupManager m;
        m.SetStringFolder(dir / "Setup");
        EXPECT_FALSE(m.ReadStringFile(dir / "Setup/a.str")) << name;
        EXPECT_EQ(ScriptStringMap().Value("SECRET"), "") << name;
        ASSERT_FALSE(m.Failures().empty()) << name;
        EXPECT_NE(m.Failures().back().find("outside the string folder: " + name), std::string::npos)
            << m.Failures().back();
        EXPECT_EQ(ScriptStringMap().Value("A"), "1");
        ScriptStringMap().Erase("SECRET");
    }
    // A file in a folder below is read.
    dir.Write("Setup/a.str", "[Strings]\r\nsub\\more.str\r\n");
    WSetupManager m;
    m.SetStringFolder(dir / "Setup");
    EXPECT_TRUE(m.ReadStringFile(dir / "Setup/a.str"));
    EXPECT_EQ(ScriptStringMap().Value("MORE"), "1");
    ScriptStringMap().Erase("A");
    ScriptStringMap().Erase("MORE");
}

}  // namespace
}  // namespace vantrel
