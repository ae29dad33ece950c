#include "script/creator_manager.h"

#include "elements/setup_dir.h"
#include "elements/setup_file.h"
#include "platform/files.h"
#include "script/setup_log.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

const std::string kOnes(32, '1');

// Product > Program_files > Help, Program_files depends on Runtime; one file
// of the application and one folder of Help.
struct SmallProject {
    WCreatorManager m;
    WSetupComponent* product = m.Add("Product", 0);
    WSetupComponent* files = m.Add("Program_files", 1);
    WSetupComponent* runtime = m.Add("Runtime", 0);
    WSetupComponent* help = m.Add("Help", 2);
    WSetupElement* file = nullptr;
    WSetupElement* dir = nullptr;

    SmallProject() {
        for (WSetupComponent* c : {product, files}) {
            c->SetInstallTypes(111);
            c->SetKind(1);
            c->SetDestination("<D>");
        }
        product->SetDisplayName("%AppName%");
        files->SetDisplayName("Program Files");
        runtime->SetInstallTypes(101);
        runtime->SetDisplayName("Runtime");
        help->SetInstallTypes(1);
        help->SetDisplayName("Help");
        product->AddChild(files);
        files->AddChild(help);
        files->AddDependency(runtime);
        auto f = std::make_unique<WSetupFile>();
        f->SetSourceDir("/home/me/src");
        f->SetSourceName("bin\\app.exe");
        f->SetTargetName("app.exe");
        file = files->AddElement(std::move(f));
        dir = help->AddElement(std::make_unique<WSetupDir>());
        ScriptStringMap().Set("AppName", "My App");
    }
    ~SmallProject() { ScriptStringMap().Erase("AppName"); }
};

TEST(WriteComponentScripts, ExactBytesOfBothFiles) {
    test::ScratchFolder out;
    SmallProject p;
    ASSERT_TRUE(p.m.WriteComponentScripts(out.path()));

    const std::string expected =
        "[Identification.0]\r\n"
        "Product,000,<D>,0,0,11111,0,%AppName%,,,,Program_files,,1,,21," +
        kOnes +
        ",\r\n"
        "Runtime,000,,0,0,11111,0,Runtime,,,,,,0,,21," +
        kOnes +
        ",\r\n"
        "\r\n"
        "[Identification.1]\r\n"
        "Program_files,111,<D>,0,0,11111,0,Program Files,,,,Help,Runtime,1,,21," +
        kOnes +
        ",\r\n"
        "\r\n"
        "[Identification.2]\r\n"
        "Help,111,,0,0,11111,0,Help,,,,,,0,,21," +
        kOnes +
        ",\r\n"
        "\r\n"
        "[Dir2]\r\n" +
        p.dir->WriteRecord() +
        "\r\n"
        "\r\n"
        "[File1]\r\n"
        "Program_files,<S>,bin\\app.exe,<D>,app.exe,0,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,\r\n"
        "\r\n"
        "[Strings]\r\n"
        "string.str\r\n";
    EXPECT_EQ(out.Read("comp.kvz"), expected);
    EXPECT_EQ(p.dir->GetTag(), "Help");
    EXPECT_EQ(out.Read("string.str"), "[Strings]\r\nAppName = My App\r\n");

    // Install types: top components are written as 0, a sub-component of
    // kind 0 takes over its parent's first two digits.
    EXPECT_EQ(p.product->GetInstallTypes(), 0);
    EXPECT_EQ(p.help->GetInstallTypes(), 111);
    // The application's file keeps its own source folder; the collected
    // string lines are gone again.
    EXPECT_EQ(p.file->GetSourceDir(), "/home/me/src");
    EXPECT_EQ(p.m.Strings().Lines(), std::vector<std::string>{"[Strings]"});
    EXPECT_FALSE(IsFolder(out / "bin"));

    // Writing again gives the same bytes.
    ASSERT_TRUE(p.m.WriteComponentScripts(out.path(), true));
    EXPECT_EQ(out.Read("comp.kvz"), expected);
    EXPECT_TRUE(IsFolder(out / "bin"));
}

TEST(WriteComponentScripts, NoReferencesStillNamesTheStringFile) {
    test::ScratchFolder out;
    WCreatorManager m;
    WSetupComponent* only = m.Add("Only", 0);
    only->SetInstallTypes(111);
    // Elements of one type at level 2 only: one section, named with a 2.
    WSetupComponent* deep = m.Add("Deep", 2);
    deep->AddElement(std::make_unique<WSetupFile>());
    deep->AddElement(std::make_unique<WSetupFile>());
    ASSERT_TRUE(m.WriteComponentScripts(out.path()));
    std::string comp = out.Read("comp.kvz");
    EXPECT_NE(comp.find("\r\n\r\n[File2]\r\nDeep,"), std::string::npos);
    EXPECT_EQ(comp.find("[File0]"), std::string::npos);
    EXPECT_EQ(comp.find("[File"), comp.rfind("[File"));
    EXPECT_TRUE(comp.ends_with("\r\n\r\n[Strings]\r\nstring.str\r\n"));
    EXPECT_EQ(out.Read("string.str"), "[Strings]\r\n");
}

TEST(WriteComponentScripts, UnwritableFolderFailsAndRestoresSources) {
    test::ScratchFolder out;
    SmallProject p;
    out.Write("blocked", "a file where the folder should be");
    EXPECT_FALSE(p.m.WriteComponentScripts(out / "blocked"));
    EXPECT_EQ(p.file->GetSourceDir(), "/home/me/src");
}

TEST(WriteComponentScripts, SourceFoldersStayInsideTheOutputFolder) {
    test::ScratchFolder out;
    WCreatorManager m;
    WSetupComponent* files = m.Add("Program_files", 1);
    for (const char* name :
         {"..\\escape\\x.dll", "\\root.dll", "plain.dll", "C:\\x\\y.dll", "data\\sub\\a.db"}) {
        auto f = std::make_unique<WSetupFile>();
        f->SetSourceName(name);
        files->AddElement(std::move(f));
    }
    ASSERT_TRUE(m.WriteComponentScripts(out / "ship", true));
    EXPECT_EQ(ListFolder(out / "ship", false, true), std::vector<std::string>{"data"});
    EXPECT_FALSE(IsFolder(out / "escape"));
}

TEST(SetupLog, TruncatesOnceThenAppendsAndHonoursTheLevel) {
    test::ScratchFolder dir;
    std::string path = dir / "deep/Setup/setup.log";
    dir.Write("deep/Setup/setup.log", "old contents\r\n");
    WSetupLog log;
    log.SetPath(path, false);
    log.SetLevel(2);
    EXPECT_FALSE(log.Log("too low", 1));
    EXPECT_TRUE(log.Log("first", 2));
    EXPECT_TRUE(log.Log("always"));
    EXPECT_EQ(dir.Read("deep/Setup/setup.log"), "first\r\nalways\r\n");
    EXPECT_EQ(log.OpenCount(), 2);

    WSetupLog appending;
    appending.SetPath(path, true);
    appending.SetPath("", true);  // an empty path keeps the one set
    EXPECT_TRUE(appending.Log("more"));
    EXPECT_EQ(dir.Read("deep/Setup/setup.log"), "first\r\nalways\r\nmore\r\n");

    WSetupLog fresh;
    fresh.SetPath(dir / "new/sub/setup.log", false);
    EXPECT_TRUE(fresh.Log("made the folders"));
    EXPECT_TRUE(IsFile(dir / "new/sub/setup.log"));

    WSetupLog blocked;
    dir.Write("file", "x");
    blocked.SetPath(dir / "file/setup.log", false);
    EXPECT_FALSE(blocked.Log("cannot"));
}

// A log held open for a job has every line on disk as soon as it is logged,
// and follows the file when the job moves it and names the new path.
TEST(SetupLog, AHeldLogHasEachLineAtOnceAndFollowsAMove) {
    test::ScratchFolder dir;
    dir.Write("Setup/setup.log", "an earlier build\r\n");
    WSetupLog log;
    log.SetPath(dir / "Setup/setup.log", false);
    log.Hold();
    EXPECT_TRUE(log.Log("one"));
    EXPECT_EQ(dir.Read("Setup/setup.log"), "one\r\n");
    EXPECT_TRUE(log.Log("two"));
    EXPECT_EQ(dir.Read("Setup/setup.log"), "one\r\ntwo\r\n");
    ASSERT_TRUE(RenameFile(dir / "Setup/setup.log", dir / "kept.log"));
    log.SetPath(dir / "kept.log", true);
    EXPECT_TRUE(log.Log("three"));
    log.Release();
    EXPECT_TRUE(log.Log("four"));
    EXPECT_EQ(dir.Read("kept.log"), "one\r\ntwo\r\nthree\r\nfour\r\n");
    EXPECT_FALSE(PathExists(dir / "Setup/setup.log"));

    WSetupLog blocked;
    dir.Write("file", "x");
    blocked.SetPath(dir / "file/setup.log", false);
    blocked.Hold();
    EXPECT_FALSE(blocked.Log("cannot"));
}

}  // namespace
}  // namespace vantrel
