// The sample engine's sandbox install, driven directly: where Windows paths
// land below the root, what an install does to files that were there before,
// and what an uninstall log may name.
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "elements/element_classes.h"
#include "engine/install_report.h"
#include "engine/sandbox_install.h"
#include "engine/set_folder.h"
#include "engine/target_folders.h"
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

TEST(TargetFolders, MacrosBecomeTheMachinesFoldersAndThoseLandBelowTheRoot) {
    test::ScratchFolder dir;
    RegFileStore hives(dir / "m.reg", dir / "u.reg");
    WTargetFolders folders(dir / "root", hives, "<WPF>\\Acme\\Ledger");

    EXPECT_EQ(folders.Expand("<D>\\bin\\app.exe"), "C:\\Program Files\\Acme\\Ledger\\bin\\app.exe");
    EXPECT_EQ(folders.Expand("<Target Folder>\\x"), "C:\\Program Files\\Acme\\Ledger\\x");
    EXPECT_EQ(folders.Expand("<D2>"), "C:\\\\Program Files\\\\Acme\\\\Ledger");
    EXPECT_EQ(folders.Expand("<DR>|<DL:>|<ND>"),
              "Program Files\\Acme\\Ledger|C:|\\Program Files\\Acme\\Ledger");
    EXPECT_EQ(folders.Expand("<F>\\a.ttf"), "C:\\Windows\\Fonts\\a.ttf");
    EXPECT_EQ(folders.Expand("<N> of <C>"), "<N> of <C>");

    EXPECT_EQ(folders.InSandbox("C:\\Windows\\Fonts\\a.ttf"), dir / "root/Windows/Fonts/a.ttf");
    EXPECT_EQ(folders.InSandbox("c:/Program Files/./x"), dir / "root/Program Files/x");
    EXPECT_EQ(folders.InSandbox("D:\\Data\\x.txt"), dir / "root/D/Data/x.txt");
    // Nothing that is relative or climbs out of the root.
    EXPECT_EQ(folders.InSandbox("bin\\app.exe"), "");
    EXPECT_EQ(folders.InSandbox("C:\\Windows\\..\\..\\etc\\passwd"), "");
    EXPECT_EQ(folders.InSandbox("C:..\\x"), "");

    // Without a root: this machine's paths themselves, below the root of the
    // Windows folder's drive, and nothing on another drive.
    WTargetFolders here({}, hives, "<WPF>\\Acme\\Ledger");
    EXPECT_EQ(here.Root(), "C:/");
    EXPECT_EQ(here.Expand("<D>\\x"), "C:\\Program Files\\Acme\\Ledger\\x");
    EXPECT_EQ(here.InSandbox("c:\\Program Files\\Acme\\x"), "C:/Program Files/Acme/x");
    EXPECT_EQ(here.InSandbox("\\Windows\\win.ini"), "C:/Windows/win.ini");
    EXPECT_EQ(here.InSandbox("D:\\Data\\x.txt"), "");
    EXPECT_EQ(here.InSandbox("C:\\Windows\\..\\..\\x"), "");
}

// A set in `dir`/set with one file, an INI entry into a file of the Windows
// folder and a registry value; read as the engine reads it.
class SandboxInstall : public ::testing::Test {
  protected:
    void SetUp() override {
        TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                                WProjectData::kInstallValue, VANTREL_SOURCE_DIR "/installation");
        project.Reset();
        project.SetApplicationName("Demo");
        project.Destination = "<WPF>\\Demo";
        WSetupComponent* files = project.ProgramFilesComponent();
        ASSERT_NE(files, nullptr);
        std::string exe = dir.Write("set/demo.exe", "MZ demo");
        files->AddElement(NewFileElement(exe, "demo.exe", "<D>", "demo.exe"));
        auto ini = std::make_unique<WSetupProfileString>();
        ini->SetTargetDir("<W>");
        ini->SetTargetName("win.ini");
        ini->SetSection("Demo");
        ini->SetKey("Folder");
        ini->SetValue("<D>");
        files->AddElement(std::move(ini));
        auto reg = std::make_unique<WSetupRegEntry>();
        reg->SetRootKey("HKEY_LOCAL_MACHINE");
        reg->SetKeyPath("Software\\Demo");
        reg->SetValueName("Count");
        reg->SetValueData("42");
        reg->SetValueType("Number");
        files->AddElement(std::move(reg));
        ASSERT_TRUE(project.WriteProductScript(dir / "set"));
        ASSERT_TRUE(project.WriteComponentScripts(dir / "set/Setup"));
        set.Locate({dir / "set"});
        ASSERT_EQ(set.GetKind(), WSetFolder::kScripts);
        ASSERT_TRUE(report.Read(set)) << Join(report.Errors(), "\n");
    }

    test::ScratchFolder dir;
    test::ScratchRegistry registry{dir.path()};
    WProjectData project;
    WSetFolder set;
    WInstallReport report;
};

TEST_F(SandboxInstall, WhatWasThereBeforeStaysAfterTheUninstall) {
    // The machine has a win.ini of its own already.
    const std::string winIni = dir.Write("root/Windows/win.ini", "[Boot]\r\nshell=x\r\n");
    WSandboxInstall install(dir / "root");
    ASSERT_TRUE(install.Install(report, dir / "set", 1)) << Join(install.Problems(), "\n");
    EXPECT_EQ(test::ReadBytes(winIni),
              "[Boot]\r\nshell=x\r\n[Demo]\r\nFolder=C:\\Program Files\\Demo\r\n");
    EXPECT_EQ(test::ReadBytes(dir / "root/Program Files/Demo/demo.exe"), "MZ demo");
    EXPECT_NE(test::ReadBytes(dir / "root/Registry/machine.reg")
                  .find("[HKEY_LOCAL_MACHINE\\Software\\Demo]\r\n\"Count\"=dword:0000002a\r\n"),
              std::string::npos);

    // A second install into the same root is refused and changes nothing.
    WSandboxInstall again(dir / "root");
    EXPECT_FALSE(again.Install(report, dir / "set", 1));
    ASSERT_EQ(again.Problems().size(), 1u);
    EXPECT_NE(again.Problems()[0].find("holds an installation already"), std::string::npos);

    // The entry goes, the file and the Windows folder stay (they were there).
    ASSERT_TRUE(install.Uninstall()) << Join(install.Problems(), "\n");
    EXPECT_EQ(test::ReadBytes(winIni), "[Boot]\r\nshell=x\r\n[Demo]\r\n");
    EXPECT_FALSE(PathExists(dir / "root/Program Files"));
    EXPECT_FALSE(PathExists(dir / "root/Uninstall.log"));
    // The key the install made goes with its value.
    EXPECT_EQ(test::ReadBytes(dir / "root/Registry/machine.reg").find("Software\\Demo"),
              std::string::npos);

    // The section left empty at the end of the file takes the entry again,
    // and the uninstall takes it out again.
    ASSERT_TRUE(install.Install(report, dir / "set", 1)) << Join(install.Problems(), "\n");
    EXPECT_EQ(test::ReadBytes(winIni),
              "[Boot]\r\nshell=x\r\n[Demo]\r\nFolder=C:\\Program Files\\Demo\r\n");
    ASSERT_TRUE(install.Uninstall()) << Join(install.Problems(), "\n");
    EXPECT_EQ(test::ReadBytes(winIni), "[Boot]\r\nshell=x\r\n[Demo]\r\n");
}

TEST_F(SandboxInstall, AFileOrDestinationThatIsNotAsRecordedIsRefused) {
    // A file of another size than its record.
    dir.Write("set/demo.exe", "");
    WSandboxInstall install(dir / "root");
    EXPECT_FALSE(install.Install(report, dir / "set", 1));
    EXPECT_EQ(install.Problems(),
              std::vector<std::string>{"demo.exe of component Program_files is 0 bytes in the set, "
                                       "but its record says 7 bytes: it is not installed"});
    EXPECT_FALSE(PathExists(dir / "root/Program Files/Demo/demo.exe"));
    ASSERT_TRUE(install.Uninstall()) << Join(install.Problems(), "\n");

    // A destination with a NUL in it (the script changed and stamped again)
    // is not cut short at the NUL.
    dir.Write("set/demo.exe", "MZ demo");
    const std::string script = set.Script("project.kvz");
    test::WriteBytes(script, ReplaceAll(test::ReadBytes(script), "Destination=<WPF>\\Demo",
                                        "Destination=<WPF>\\Demo" + std::string(1, '\0') + "x"));
    WScriptHeader header;
    header.SetFilePath(script);
    header.Read(true, false);
    ASSERT_TRUE(header.Stamp());
    ASSERT_TRUE(report.Read(set)) << Join(report.Errors(), "\n");
    ASSERT_EQ(report.Product().GetDestination().size(), 12u);
    EXPECT_FALSE(install.Install(report, dir / "set", 1));
    ASSERT_EQ(install.Problems().size(), 1u);
    EXPECT_EQ(install.Problems()[0],
              "the destination \"<WPF>\\Demo" + std::string(1, '\0') +
                  "x\" holds a control character, which no Windows path may hold");
    EXPECT_FALSE(PathExists(dir / "root/Program Files"));
}

// Links that lead out of the root, placed where the set writes: the install
// is refused before anything is written, and nothing outside changes.
TEST_F(SandboxInstall, LinksInTheRootAreNeverFollowed) {
    namespace fs = std::filesystem;
    const std::string outside = dir / "outside";
    struct Case {
        const char* link;  // below the root
        bool folder;       // a link to the folder `outside`, else to its file
    };
    for (const Case& c :
         {Case{"Program Files/Demo/demo.exe", false}, Case{"Program Files", true},
          Case{"Program Files/Demo", true}, Case{"Windows/win.ini", false}, Case{"Registry", true},
          Case{"Registry/machine.reg", false}, Case{"Uninstall.log", false}}) {
        SCOPED_TRACE(c.link);
        RemoveTree(dir / "root");
        RemoveTree(outside);
        const std::string victim = dir.Write("outside/victim", "keep");
        const std::string link = dir / (std::string("root/") + c.link);
        ASSERT_TRUE(MakeFolders(FolderOf(link)));
        if (c.folder)
            fs::create_directory_symlink(ToNative(outside), ToNative(link));
        else
            fs::create_symlink(ToNative(victim), ToNative(link));
        WSandboxInstall install(dir / "root");
        EXPECT_FALSE(install.Install(report, dir / "set", 1));
        ASSERT_EQ(install.Problems().size(), 1u);
        EXPECT_EQ(install.Problems()[0],
                  DisplayPath(link) +
                      " is a symbolic link: nothing is written, read or removed "
                      "through a link in the sandbox");
        EXPECT_FALSE(install.LogMade());
        if (std::string(c.link) != "Uninstall.log") {
            EXPECT_FALSE(PathExists(dir / "root/Uninstall.log"));
        }
        EXPECT_EQ(ListFolder(outside, true, true), std::vector<std::string>{"victim"});
        EXPECT_EQ(test::ReadBytes(victim), "keep");
    }

    // A folder that became a link after the install: the uninstall removes
    // nothing through it and keeps its log.
    RemoveTree(dir / "root");
    WSandboxInstall install(dir / "root");
    ASSERT_TRUE(install.Install(report, dir / "set", 1)) << Join(install.Problems(), "\n");
    ASSERT_TRUE(RemoveTree(dir / "root/Program Files"));
    dir.Write("outside/Demo/demo.exe", "theirs");
    fs::create_directory_symlink(ToNative(outside), ToNative(dir / "root/Program Files"));
    EXPECT_FALSE(install.Uninstall());
    EXPECT_EQ(dir.Read("outside/Demo/demo.exe"), "theirs");
    EXPECT_TRUE(IsFile(dir / "root/Uninstall.log"));
}

TEST_F(SandboxInstall, AFileMissingFromTheSetIsNamedAndTheRestInstalled) {
    ASSERT_TRUE(RemoveFile(dir / "set/demo.exe"));
    WSandboxInstall install(dir / "root");
    EXPECT_FALSE(install.Install(report, dir / "set", 1));
    ASSERT_EQ(install.Problems().size(), 1u);
    EXPECT_EQ(install.Problems()[0], "demo.exe of component Program_files is missing from the set");
    EXPECT_TRUE(IsFile(dir / "root/Windows/win.ini"));
    // What was made is in the log and goes again.
    ASSERT_TRUE(install.Uninstall()) << Join(install.Problems(), "\n");
    EXPECT_EQ(ListFolder(dir / "root", true, true), std::vector<std::string>{"Registry"});
}

TEST(SandboxUninstall, RemovesNothingOutsideTheRoot) {
    test::ScratchFolder dir;
    const std::string outside = dir.Write("outside.txt", "keep");
    const std::string inside = dir.Write("root/a.txt", "mine");
    for (const char* line : {"File=../outside.txt", "File=/etc/hostname", "File=a\\..\\..\\x",
                             "File=" /* the root itself */}) {
        SCOPED_TRACE(line);
        test::WriteBytes(dir / "root/Uninstall.log",
                         std::string("[Uninstall]\r\nFile=a.txt\r\n") + line + "\r\n");
        WSandboxInstall install(dir / "root");
        EXPECT_FALSE(install.Uninstall());
        EXPECT_EQ(test::ReadBytes(outside), "keep");
        // The log stays, so the uninstall can be looked into.
        EXPECT_TRUE(IsFile(dir / "root/Uninstall.log"));
    }
    EXPECT_FALSE(IsFile(inside));
    test::WriteBytes(dir / "root/Uninstall.log", "File=a.txt\r\n");
    WSandboxInstall install(dir / "root");
    EXPECT_FALSE(install.Uninstall());
    EXPECT_NE(install.Problems()[0].find("is not an uninstall log"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
