#include "platform/system_folders.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(ShortPathForm, EightDotThreeNames) {
    EXPECT_EQ(ShortPathForm("C:\\Program Files"), "C:\\PROGRA~1");
    EXPECT_EQ(ShortPathForm("C:\\Program Files\\Borland\\Common Files\\Bde\\"),
              "C:\\PROGRA~1\\Borland\\COMMON~1\\Bde\\");
    EXPECT_EQ(ShortPathForm("C:\\Windows\\System"), "C:\\Windows\\System");
    EXPECT_EQ(ShortNameForm("Setup Log.text"), "SETUPL~1.TEX");
    EXPECT_EQ(ShortNameForm("archive.tar.gz"), "ARCHIV~1.GZ");
    EXPECT_EQ(ShortNameForm("a+b;c.txt"), "A_B_C~1.TXT");
    EXPECT_EQ(ShortNameForm(".profile"), "PROFIL~1");
    EXPECT_EQ(ShortNameForm("README.TXT"), "README.TXT");
    EXPECT_EQ(ShortPathForm("\\\\Big Server\\Long Share\\My Documents"),
              "\\\\Big Server\\Long Share\\MYDOCU~1");
}

class SystemFoldersTest : public ::testing::Test {
  protected:
    test::ScratchFolder dir;
    RegFileStore store{dir / "machine.reg", dir / "user.reg"};
};

TEST_F(SystemFoldersTest, DefaultWindowsInstallationWithoutRegistryValues) {
    SystemFolders f(store);
    EXPECT_EQ(f.WindowsFolder(), "C:\\Windows");
    EXPECT_EQ(f.SystemFolder(), "C:\\Windows\\System");
    EXPECT_EQ(f.MakerFolder(), "C:\\Windows\\Oxbel");
    EXPECT_EQ(f.ProgramFilesFolder(), "C:\\Program Files");
    EXPECT_EQ(f.ProgramFilesFolder(true), "C:\\PROGRA~1");
    EXPECT_EQ(f.DaoFolder(), "C:\\Program Files\\Common Files\\Microsoft Shared\\DAO");
    EXPECT_EQ(f.OdbcFolder(), "C:\\Program Files\\Common Files\\ODBC");
    EXPECT_EQ(f.BdeFolder(), "C:\\Program Files\\Borland\\Common Files\\Bde\\");
    EXPECT_EQ(f.FontsFolder(), "C:\\Windows\\Fonts");
    EXPECT_EQ(f.ProgramsMenuFolder(true), "C:\\Windows\\STARTM~1\\Programs");
    EXPECT_EQ(f.PersonalFolder(), "C:\\My Documents");
    EXPECT_EQ(f.QuillScriptFolder(), "");
    // The folder of the running test program.
    EXPECT_TRUE(IsFile(JoinPath(f.ProgramFolder(), "test-platform")));
}

TEST_F(SystemFoldersTest, RegistryValuesWinOverDefaults) {
    const char* win = "Software\\Microsoft\\Windows\\CurrentVersion";
    store.SetString(Hive::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                    "SystemRoot", "D:\\WINNT");
    store.SetString(Hive::LocalMachine, win, "ProgramFilesPath", "%SystemDrive%\\Programme");
    store.SetString(Hive::LocalMachine, win, "CommonFilesDir", "E:\\Shared");
    store.SetString(Hive::CurrentUser, std::string(win) + "\\Explorer\\Shell Folders", "Desktop",
                    "D:\\Users\\ann\\Desktop");
    store.SetString(Hive::LocalMachine, "Software\\Oxbel\\Quillscript Suite\\9", "Destination",
                    "D:\\QS9");
    // Of several engine folders, the one that holds the engine's library.
    std::string withDll = dir / "bde2";
    dir.Write("bde2/idapi32.dll", "x");
    store.SetString(Hive::LocalMachine, "Software\\Borland\\Database Engine", "DLLPATH",
                    (dir / "bde1") + ";" + withDll);

    SystemFolders f(store);
    EXPECT_EQ(f.WindowsFolder(), "D:\\WINNT");
    EXPECT_EQ(f.FontsFolder(), "D:\\WINNT\\Fonts");
    EXPECT_EQ(f.ProgramFilesFolder(), "D:\\Programme");
    EXPECT_EQ(f.DaoFolder(), "E:\\Shared\\Microsoft Shared\\DAO");
    EXPECT_EQ(f.DesktopFolder(), "D:\\Users\\ann\\Desktop");
    EXPECT_EQ(f.QuillScriptFolder(), "D:\\QS9");
    EXPECT_EQ(f.BdeFolder(), withDll);

    // A program-files folder of this host that does not exist is not usable.
    store.SetString(Hive::LocalMachine, win, "ProgramFilesDir", dir / "absent");
    EXPECT_EQ(SystemFolders(store).ProgramFilesFolder(), "D:\\Programme");
    store.SetString(Hive::LocalMachine, win, "ProgramFilesDir", dir.path());
    EXPECT_EQ(SystemFolders(store).ProgramFilesFolder(), dir.path());
}

// On Windows the shell names this machine's folders; elsewhere (and for a
// registry that stands for another machine) the table of a default
// installation does.
TEST_F(SystemFoldersTest, ThisMachinesFoldersAreTheOnesTheSystemNames) {
    EXPECT_EQ(SystemFolders(store).ProgramFilesFolder(), "C:\\Program Files");
    std::unique_ptr<Registry> system = SystemRegistry();
    if (!system->IsThisMachine()) {
        EXPECT_EQ(KnownFolderPath(KnownFolder::kProgramFiles), "");
        return;
    }
    const SystemFolders f(*system);
    const struct {
        KnownFolder which;
        std::string folder;
    } cases[] = {
        {KnownFolder::kWindows, f.WindowsFolder()},
        {KnownFolder::kSystem, f.SystemFolder()},
        {KnownFolder::kProgramFiles, f.ProgramFilesFolder()},
        {KnownFolder::kCommonFiles, f.CommonFilesFolder()},
        {KnownFolder::kProgramsMenu, f.ProgramsMenuFolder()},
        {KnownFolder::kStartMenu, f.StartMenuFolder()},
        {KnownFolder::kDesktop, f.DesktopFolder()},
        {KnownFolder::kFonts, f.FontsFolder()},
        {KnownFolder::kPersonal, f.PersonalFolder()},
        {KnownFolder::kTemp, f.TempFolder()},
    };
    for (const auto& c : cases) {
        const std::string known = KnownFolderPath(c.which);
        SCOPED_TRACE(known);
        ASSERT_GE(known.size(), 3u);
        EXPECT_EQ(known[1], ':');
        EXPECT_NE(known.back(), '\\');
        EXPECT_EQ(c.folder, known);
    }
    EXPECT_TRUE(IsFolder(f.WindowsFolder()));
    EXPECT_TRUE(IsFolder(f.ProgramFilesFolder()));
}

TEST_F(SystemFoldersTest, TheProcessObjectFollowsTheInstalledRegistry) {
    test::ScratchRegistry registry(dir.path());
    TheRegistry().SetString(Hive::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                            "SystemRoot", "F:\\Win");
    ReloadSystemFolders();
    EXPECT_EQ(TheSystemFolders().SystemFolder(), "F:\\Win\\System");
    TheRegistry().DeleteValue(Hive::LocalMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                              "SystemRoot");
    ReloadSystemFolders();
    EXPECT_EQ(TheSystemFolders().WindowsFolder(), "C:\\Windows");
}

}  // namespace
}  // namespace vantrel
