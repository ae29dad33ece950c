// The sample setup engine run as a program on sets that the core writes: a
// test run's set (scripts only), sets with changed, missing or damaged
// scripts, and floppy sets.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>

#include "elements/element_classes.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "project/file_elements.h"
#include "project/project_data.h"
#include "scriptfile/script_header.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kInstallation = VANTREL_SOURCE_DIR "/installation";

struct EngineRun {
    int status = -1;  // exit status; 128 + signal when a signal ended it
    std::string out, err;
};

// Runs `program` with `args` in the folder `cwd`, its output kept in files of
// `scratch`. A program that does not end within a minute is killed (status
// 128 + SIGKILL), so that a hang fails the test instead of stopping it.
EngineRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                     const std::string& cwd, const test::ScratchFolder& scratch) {
    EngineRun r;
    const std::string exe = ToNative(program).string(), folder = ToNative(cwd).string();
    std::string outFile = scratch / "engine-out.txt", errFile = scratch / "engine-err.txt";
    pid_t pid = ::fork();
    if (pid == 0) {
        int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(folder.c_str()) != 0) {
            ::_exit(126);
        }
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    if (pid < 0)
        return r;
    int raw = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (::waitpid(pid, &raw, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &raw, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    ReadWholeFile(outFile, r.out);
    ReadWholeFile(errFile, r.err);
    return r;
}

// A test run's set as the finish page builds it: the engine as setup32.exe
// in the set's root and the scripts of a project in "Setup", no files of
// the application.
class EngineSet : public ::testing::Test {
  protected:
    void SetUp() override {
        TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                                WProjectData::kInstallValue, kInstallation);
        project.Reset();
        project.SetApplicationName("Vantrel Demo");
        project.CompanyName = "Acme Tools";
        project.Destination = "<WPF>\\Acme Tools\\Demo";
        WSetupComponent* files = project.ProgramFilesComponent();
        ASSERT_NE(files, nullptr);

        std::string exe = dir.Write("src/demo.exe", "MZ demo program");
        std::string manual = dir.Write("src/docs/manual.txt", "read me\n");
        files->AddElement(NewFileElement(exe, "demo.exe", "<D>", "demo.exe"));
        files->AddElement(NewFileElement(manual, "docs\\manual.txt", "<D>\\Docs", "manual.txt"));

        auto reg = std::make_unique<WSetupRegEntry>();
        reg->SetRootKey("HKEY_CURRENT_USER");
        reg->SetKeyPath("Software\\Acme Tools\\Demo");
        reg->SetValueName("Path");
        reg->SetValueData("<D>");
        reg->SetValueType("String");
        files->AddElement(std::move(reg));

        auto link = std::make_unique<WSetupShortcut>();
        link->SetShortcutFolder("<O>\\Demo");
        link->SetShortcutName("Demo");
        link->SetTargetName("demo.exe");
        link->SetArguments("/fast");
        files->AddElement(std::move(link));

        auto ini = std::make_unique<WSetupProfileString>();
        ini->SetTargetDir("<W>");
        ini->SetTargetName("demo.ini");
        ini->SetSection("Options");
        ini->SetKey("Folder");
        ini->SetValue("<D>");
        files->AddElement(std::move(ini));

        // The engine's files of the sample installation, then the scripts.
        root = dir / "set";
        for (const char* folder : {"", "Setup"}) {
            std::string from = JoinPath(kInstallation, JoinPath("Distrib", folder));
            ASSERT_TRUE(MakeFolders(JoinPath(root, folder)));
            for (const std::string& name : ListFolder(from, true, false)) {
                if (EndsWithNoCase(name, ".exe"))
                    continue;
                std::string to = JoinPath(JoinPath(root, folder), name);
                ASSERT_TRUE(CopyOneFile(JoinPath(from, name), to));
            }
        }
        ASSERT_TRUE(project.WriteProductScript(root));
        ASSERT_TRUE(project.WriteComponentScripts(JoinPath(root, "Setup")));
        ASSERT_TRUE(CopyOneFile(VANTREL_ENGINE, JoinPath(root, "setup32.exe")));
        elsewhere = dir / "elsewhere";
        ASSERT_TRUE(MakeFolders(elsewhere));
    }

    // setup32.exe of the set, started as a test run starts it.
    EngineRun TestRun(const std::string& cwd = {}) {
        return RunProgram(JoinPath(root, "setup32.exe"), {"/nocopy"}, cwd.empty() ? elsewhere : cwd,
                          dir);
    }

    std::string Script(const std::string& name) const { return JoinPath(root, "Setup\\" + name); }

    // Replaces `from` by `to` in a script; with `restamp` the product script
    // gets a fresh header, as the builder would give it.
    void Edit(const std::string& name, const std::string& from, const std::string& to,
              bool restamp = false) {
        std::string text = test::ReadBytes(Script(name));
        ASSERT_NE(text.find(from), std::string::npos) << from;
        test::WriteBytes(Script(name), ReplaceAll(text, from, to));
        if (restamp) {
            WScriptHeader header;
            header.SetFilePath(Script(name));
            header.Read(true, false);
            ASSERT_TRUE(header.Stamp());
        }
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    std::string root, elsewhere;
};

TEST_F(EngineSet, TestRunListsWhatTheSetupWouldInstall) {
    EngineRun r = TestRun();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_THAT(r.out, HasSubstr("Test run (/nocopy)"));
    EXPECT_THAT(r.out, HasSubstr("Product name:        Vantrel Demo\n"));
    EXPECT_THAT(r.out, HasSubstr("<Target Folder> = <Windows Program Files Folder>\\Acme "
                                 "Tools\\Demo\n"));
    EXPECT_THAT(r.out, HasSubstr("HKEY_LOCAL_MACHINE\\Software\\Oxbel\\Vantrel Demo\\9.0"));
    // Components as a tree, display names from the string files.
    EXPECT_THAT(r.out, HasSubstr("\n  Product  \"Vantrel Demo\"  111 (install types 1, 2, 3)"));
    EXPECT_THAT(r.out, HasSubstr("\n    Program_files  \"Program Files\"  111"));
    EXPECT_THAT(r.out, HasSubstr("\n  TY9Run_Program  \"Tessary 9 Runtime\""));
    // The application's files with their target folders, and its other items.
    EXPECT_THAT(r.out, HasSubstr("Files (2)\n"
                                 "  <Target Folder>\\demo.exe  <-  demo.exe, 15 bytes\n"
                                 "  <Target Folder>\\Docs\\manual.txt  <-  docs\\manual.txt, "
                                 "8 bytes\n"));
    EXPECT_THAT(r.out, HasSubstr("  HKEY_CURRENT_USER\\Software\\Acme Tools\\Demo  Path = "
                                 "\"<Target Folder>\" (String)\n"));
    EXPECT_THAT(r.out, HasSubstr("  <Start Menu Programs Folder>\\Demo\\Demo  ->  "
                                 "<Target Folder>\\demo.exe /fast\n"));
    EXPECT_THAT(r.out, HasSubstr("  <Windows Folder>\\demo.ini  [Options] Folder=<Target "
                                 "Folder>\n"));
    // Without /nocopy the files the set lacks are marked.
    r = RunProgram(JoinPath(root, "setup32.exe"), {}, elsewhere, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("<Target Folder>\\demo.exe  <-  demo.exe, 15 bytes  (not in "
                                 "the set)\n"));
    dir.Write("set/demo.exe", "MZ demo program");
    r = RunProgram(JoinPath(root, "setup32.exe"), {}, elsewhere, dir);
    EXPECT_THAT(r.out, HasSubstr("demo.exe, 15 bytes\n"));
}

TEST_F(EngineSet, SaysInstalledOrUninstalledOnlyWhenItWas) {
    const std::string sandbox = dir / "sandbox";
    auto run = [&](const char* option) {
        return RunProgram(JoinPath(root, "setup32.exe"), {option, sandbox}, elsewhere, dir);
    };
    EngineRun r = run("/uninstall");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("nothing installed in " + DisplayPath(sandbox)));

    // The set lacks the application's files: the install fails, says so and
    // how to remove what it made.
    r = run("/install");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_THAT(r.err, HasSubstr("demo.exe of component Program_files is missing from the set"));
    EXPECT_THAT(r.err, HasSubstr("Vantrel Demo is not installed completely; \"/uninstall " +
                                 DisplayPath(sandbox) + "\" removes what was made"));
    r = run("/uninstall");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Uninstalled from " + DisplayPath(sandbox) + "\n"));

    dir.Write("set/demo.exe", "MZ demo program");
    dir.Write("set/docs/manual.txt", "read me\n");
    r = run("/install");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Installed Vantrel Demo into " + DisplayPath(sandbox)));

    // Without a root only a Windows machine is installed on
    // (tests/windows installs and uninstalls there for real).
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"/install"}, {"/install", "/type", "2"}, {"/uninstall"}}) {
        r = RunProgram(JoinPath(root, "setup32.exe"), args, elsewhere, dir);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_THAT(r.err, HasSubstr("this system has no Windows folders to install into: give a "
                                     "sandbox folder"));
    }
}

TEST_F(EngineSet, FindsTheSetBesideItselfInTheCurrentFolderOrAsNamed) {
    // The program in the build tree, started in the set's folder.
    EngineRun r = RunProgram(VANTREL_ENGINE, {"/nocopy"}, root, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Vantrel Demo"));
    // ... or given the folder.
    r = RunProgram(VANTREL_ENGINE, {"/NOCOPY", root}, elsewhere, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Vantrel Demo"));
    // The floppy start program in a set's "Setup" folder finds the set above.
    ASSERT_TRUE(CopyOneFile(VANTREL_ENGINE, Script("setup.exe")));
    r = RunProgram(Script("setup.exe"), {}, elsewhere, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Setup folder:        " + DisplayPath(root) + "\n"));

    // The set beside the program wins over the one in the current folder.
    std::string other = dir / "other";
    ASSERT_TRUE(MakeFolders(JoinPath(other, "Setup")));
    for (const char* name : {"project.kvz", "comp.kvz", "string.str"})
        ASSERT_TRUE(CopyOneFile(Script(name), JoinPath(other, std::string("Setup/") + name)));
    std::string otherProduct = JoinPath(other, "Setup/project.kvz");
    test::WriteBytes(otherProduct,
                     ReplaceAll(test::ReadBytes(otherProduct), "ProductDisplayName=Vantrel Demo",
                                "ProductDisplayName=Other Product"));
    WScriptHeader header;
    header.SetFilePath(otherProduct);
    header.Read(true, false);
    ASSERT_TRUE(header.Stamp());
    r = TestRun(other);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Setup of Vantrel Demo\n"));
    r = RunProgram(VANTREL_ENGINE, {}, other, dir);
    EXPECT_THAT(r.out, HasSubstr("Setup of Other Product\n")) << r.err;

    r = RunProgram(VANTREL_ENGINE, {"-x"}, root, dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr("unknown option -x"));
}

TEST_F(EngineSet, ChangedProductScriptFailsVerification) {
    const std::string product = Script("project.kvz");
    const std::string stamped = test::ReadBytes(product);
    auto failsWith = [&](const std::string& message) {
        EngineRun r = TestRun();
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_THAT(r.err, HasSubstr(DisplayPath(product)));
        EXPECT_THAT(r.err, HasSubstr(message));
        EXPECT_EQ(r.out, "");
        test::WriteBytes(product, stamped);
    };
    // One character of the body changed.
    Edit("project.kvz", "ProductName=Vantrel Demo", "ProductName=Vantrel Dema");
    failsWith("fails verification: its checksum");
    // A line added at the end.
    test::WriteBytes(product, stamped + "\r\n[Extra]");
    failsWith("was changed after it was stamped");
    // The header block taken out.
    size_t end = stamped.find("[Oxbel Setup Header End]\r\n");
    ASSERT_NE(end, std::string::npos);
    test::WriteBytes(product, stamped.substr(end + 26));
    failsWith("has no header block");
    // Stamped, but as another kind of script.
    WScriptHeader kvz;
    kvz.SetFilePath(product);
    kvz.SetModuleType("KVZ");
    ASSERT_TRUE(kvz.Stamp());
    failsWith("is not a product script (module type \"KVZ\")");
    // A product script without its product.
    Edit("project.kvz", "[Product]", "[Produce]", true);
    failsWith("names no product");

    // Changed and stamped again, the script is accepted; its texts reach the
    // terminal as UTF-8, control characters defused.
    Edit("project.kvz", "ProductDisplayName=Vantrel Demo", "ProductDisplayName=Caf\xE9 \x1B[2JDemo",
         true);
    EngineRun r = TestRun();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Display name:        Caf\xC3\xA9 ?[2JDemo\n"));
    EXPECT_EQ(r.out.find('\x1B'), std::string::npos);
}

TEST_F(EngineSet, MissingScriptsAreNamed) {
    // Not a set at all: the folders looked at are named.
    std::string lone = dir / "lone";
    ASSERT_TRUE(MakeFolders(lone));
    ASSERT_TRUE(CopyOneFile(VANTREL_ENGINE, JoinPath(lone, "setup32.exe")));
    EngineRun r = RunProgram(JoinPath(lone, "setup32.exe"), {"/nocopy"}, elsewhere, dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("setup32.exe: no setup set found: " + DisplayPath(lone) + " and " +
                                 DisplayPath(elsewhere)));

    for (const char* name : {"string.str", "comp.kvz", "project.kvz"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(RemoveFile(Script(name)));
        r = TestRun();
        EXPECT_EQ(r.status, 1);
        EXPECT_THAT(r.err, HasSubstr(DisplayPath(Script(name)) + " is missing"));
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(EngineSet, DamagedComponentScriptIsRefusedWithoutACrash) {
    const std::string comp = test::ReadBytes(Script("comp.kvz"));
    const std::string product = "Product,000,<D>,0,0,11111,0,Demo,,,,Program_files,,1,,21,,\r\n";
    const std::string files = "Program_files,111,<D>,0,0,11111,0,Files,,,,,,1,,21,,\r\n";
    std::string noise;
    uint32_t seed = 12345;
    for (int i = 0; i < 64 * 1024; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise += static_cast<char>(seed >> 16);
    }
    const std::vector<std::string> refused = {
        "",
        noise,
        "[Identification.0]\r\n" + noise,
        "[Identification.0]\r\n,111,<D>,\r\n" + product,
        // A sub-component that no line provides.
        "[Identification.0]\r\nProduct,000,<D>,0,0,11111,0,Demo,,,,Ghost,,1,,21,,\r\n" + files,
        // Records, but no components.
        "[File0]\r\nProgram_files,<S>,a.exe,<D>,a.exe,1,100000,1,11111,0,,0,1,1,,0,0,0,644,\r\n",
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE(text.substr(0, 60));
        test::WriteBytes(Script("comp.kvz"), text);
        EngineRun r = TestRun();
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_THAT(r.err, HasSubstr(DisplayPath(Script("comp.kvz"))));
    }

    // A string file that names one the set lacks.
    test::WriteBytes(Script("comp.kvz"), comp);
    const std::string strings = test::ReadBytes(Script("string.str"));
    test::WriteBytes(Script("string.str"), strings + "\r\nmore.str\r\n");
    EngineRun missing = TestRun();
    EXPECT_EQ(missing.status, 1);
    EXPECT_THAT(missing.err, HasSubstr("more.str: cannot be read"));

    // Odd but readable scripts are listed: sub-components naming each other,
    // a huge record, malformed fields, string references that name
    // themselves, control characters.
    std::string odd =
        "[Identification.0]\r\n" + product + "A,111,<D>,0,0,11111,0,A,,,,B,,0,,21,,\r\n" +
        "[Identification.1]\r\n" + files + "B,111,<D>,0,0,11111,0,%Loop%,,,,A,,0,,21,,\r\n" +
        "[File1]\r\nProgram_files,<S>," + std::string(300000, 'x') + ",<D>,big,1,\r\n" +
        "Program_files,<S>,a\x1B.exe,<D>,a.exe,zz,9,q,1111111,,,,,,,,,,,,,,,\r\n" +
        "[Shortcut1]\r\nProgram_files\r\n[RegistryKeys9]\r\nProgram_files,,,,,,\r\n";
    test::WriteBytes(Script("comp.kvz"), odd);
    test::WriteBytes(Script("string.str"), "[Strings]\r\nLoop = %Loop%%Loop%\r\nstring.str\r\n");
    EngineRun r = TestRun();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("\n  A  \"A\""));
    EXPECT_THAT(r.out, HasSubstr("\n    B  \"%Loop%%Loop%\""));
    EXPECT_THAT(r.out, HasSubstr("<Target Folder>\\a.exe  <-  a?.exe"));
    EXPECT_EQ(r.out.find('\x1B'), std::string::npos);

    test::WriteBytes(Script("comp.kvz"), comp);
}

// A floppy set: disk folders side by side, the start program on the first.
class FloppySet : public ::testing::Test {
  protected:
    void SetUp() override {
        media = dir / "media";
        ASSERT_TRUE(MakeFolders(JoinPath(media, "disk001")));
        ASSERT_TRUE(CopyOneFile(VANTREL_ENGINE, JoinPath(media, "disk001/setup.exe")));
        dir.Write("media/disk001/disk001.cfi", std::string(1000, 'a'));
        dir.Write("media/disk002/disk002.cfi", std::string(2000, 'b'));
        start = JoinPath(media, "disk001/setup.exe");
    }

    test::ScratchFolder dir;
    std::string media, start;
};

TEST_F(FloppySet, ListsTheDisksAndTheirArchives) {
    EngineRun r = RunProgram(start, {}, dir.path(), dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Floppy set on 2 disks"));
    EXPECT_THAT(r.out, HasSubstr("\ndisk001\n  disk001.cfi  (archive, 1000 bytes)\n"
                                 "  setup.exe  (start program, "));
    EXPECT_THAT(r.out, HasSubstr("\ndisk002\n  disk002.cfi  (archive, 2000 bytes)\n"));
    // Started by hand from the current folder.
    r = RunProgram(VANTREL_ENGINE, {}, JoinPath(media, "disk001"), dir);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr("Floppy set on 2 disks"));
}

TEST_F(FloppySet, IncompleteSetsAreReported) {
    // A disk missing in the row, and a disk without its own archive.
    dir.Write("media/disk004/disk004.cfi", "d");
    dir.Write("media/disk005/~002_Program_files.cfi", "e");
    EngineRun r = RunProgram(start, {}, dir.path(), dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("the set has no disk003"));
    EXPECT_THAT(r.err, HasSubstr("disk005 holds no disk archive disk005.cfi"));
    EXPECT_THAT(r.out, HasSubstr("\ndisk005\n  ~002_Program_files.cfi  (archive, 1 byte)\n"
                                 "  no disk archive\n"));

    // A folder name with a disk number far beyond the others is one gap.
    dir.Write("media/disk999999999/disk999999999.cfi", "f");
    r = RunProgram(start, {}, dir.path(), dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("the set has no disk006 to disk999999998"));
}

}  // namespace
}  // namespace vantrel
