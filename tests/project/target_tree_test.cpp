// The target tree of the files page, judged by the records the project
// writes: comp.kvz lines and the project file read back.
#include "project/target_tree.h"

#include <functional>
#include <string>
#include <vector>

#include "elements/setup_file.h"
#include "elements/setup_ttf_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "project/customisation_rules.h"
#include "project/file_elements.h"
#include "project/file_name_rules.h"
#include "project/file_properties.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/shipped_paths.h"
#include "project/shortcut_rules.h"
#include "script/setup_component.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Tree = WTargetTree;
using Result = WTargetTreeResult;

// Answers from a script, one per question, and the questions asked.
class Answers : public WTargetTreeQuestions {
  public:
    explicit Answers(std::vector<Answer> script = {}) : script_(std::move(script)) {}
    Answer Ask(const WTargetTreeQuestion& q) override {
        asked.push_back(q);
        if (script_.empty())
            return kYes;
        Answer a = script_.front();
        script_.erase(script_.begin());
        return a;
    }
    std::vector<WTargetTreeQuestion> asked;

  private:
    std::vector<Answer> script_;
};

const std::string kOnes(32, '1');

class TargetTree : public ::testing::Test {
  protected:
    void SetUp() override {
        savedStrings_ = ScriptStringMap().Copy();
        ScriptStringMap().Clear();
        test::WriteMinimalComps(dir, "install");
        project.SetInstallLocationOverride(dir / "install");
        project.Reset();
        src = dir / "src";
        dir.Write("src/readme.txt", "read me");
        dir.Write("src/bin/app.exe", "MZ");
        dir.Write("src/bin/data/base.db", "data");
        dir.Write("src/bin/data/deep/x.txt", "x");
        dir.Write("src/fonts/arial.TTF", "font");
    }
    void TearDown() override { ScriptStringMap().Replace(savedStrings_); }

    // The "File" records of "Program_files" as comp.kvz holds them.
    std::vector<std::string> FileRecords(int type = kElementFile) {
        test::ScratchFolder out;
        EXPECT_TRUE(project.WriteComponentScripts(out.path()));
        std::string comp = out.Read("comp.kvz");
        std::string head = "[" + ElementTypeName(type) + "1]\r\n";
        std::vector<std::string> lines;
        size_t at = comp.find(head);
        if (at == std::string::npos)
            return lines;
        at += head.size();
        for (size_t end; (end = comp.find("\r\n", at)) != std::string::npos && end > at;
             at = end + 2)
            lines.push_back(comp.substr(at, end - at));
        return lines;
    }

    static std::string Record(const std::string& sourceName, const std::string& targetDir,
                              const std::string& targetName, int size,
                              const std::string& tail = "100000,0,11111,0,,0,1,1,") {
        return "Program_files,<S>," + sourceName + "," + targetDir + "," + targetName + "," +
               std::to_string(size) + "," + tail + kOnes + ",0,0,0,644,";
    }

    // The shown paths of every node, depth first.
    static void Paths(const WTargetNode* n, std::vector<std::string>& out) {
        out.push_back(n->ShownPath() + (n->IsFolder() ? "\\" : ""));
        for (const auto& c : n->Children())
            Paths(c.get(), out);
    }
    std::vector<std::string> Shown(const Tree& tree) {
        std::vector<std::string> out;
        for (const auto& r : tree.Roots()) {
            if (!r->Children().empty())
                Paths(r.get(), out);
        }
        return out;
    }

    test::ScratchFolder dir;
    WProjectData project;
    std::string src;

  private:
    WScriptStringMap::Entries savedStrings_;
};

TEST_F(TargetTree, RootsFollowTheFolderMacroTableAndStrangeElementsStayInTheProject) {
    auto add = [&](const std::string& dir, const std::string& name) {
        auto e = std::make_unique<WSetupFile>();
        e->SetTargetDir(dir);
        e->SetTargetName(name);
        return project.ProgramFilesComponent()->AddElement(std::move(e));
    };
    add("<D>", "bin\\app.exe");
    add("<target folder>", "bin/lib.dll");  // long form, any case, either separator
    WSetupElement* unknownRoot = add("<Desktop Folder>", "x.txt");
    WSetupElement* upward = add("<D>", "..\\x.txt");
    WSetupElement* empty = add("<W>", "");
    WSetupElement* clash = add("<D>", "bin\\app.exe\\inner.txt");  // below a file
    Tree tree(project);

    std::vector<std::string> roots;
    for (const auto& r : tree.Roots())
        roots.push_back(r->Name());
    std::vector<std::string> table;
    for (const auto& [macro, folder] : project.FolderMacroTable())
        table.push_back(macro);
    EXPECT_EQ(roots, table);
    EXPECT_EQ(Shown(tree), (std::vector<std::string>{"<Target Folder>\\", "<Target Folder>\\bin\\",
                                                     "<Target Folder>\\bin\\app.exe",
                                                     "<Target Folder>\\bin\\lib.dll"}));
    EXPECT_EQ(tree.Unplaced(), (std::vector<WSetupElement*>{unknownRoot, upward, empty, clash}));
    EXPECT_EQ(FileRecords().size(), 6u);  // nothing vanished
    EXPECT_EQ(tree.Find("<D>\\BIN\\app.exe")->RelativePath(), "bin\\app.exe");
    EXPECT_EQ(tree.Find("<Fonts Folder>")->RootMacro(), "<F>");
    EXPECT_EQ(tree.Find("<D>\\nothing"), nullptr);

    // An unplaced file gets a place through the properties' destination.
    Result moved = tree.Relocate(*unknownRoot, "<Target Folder>", "extra\\x.txt");
    ASSERT_TRUE(moved.Ok()) << moved.message;
    EXPECT_EQ(tree.Unplaced().size(), 3u);
    EXPECT_EQ(moved.node->ShownPath(), "<Target Folder>\\extra\\x.txt");
    EXPECT_EQ(FileRecords().back(),
              "Program_files,<S>,,<D>,extra\\x.txt,0,100000,1,11111,0,|||0,1,1,1,,0,0,0,644,");
}

TEST_F(TargetTree, AddingFilesWritesTheirRecordsAndRefusesATakenName) {
    Tree tree(project);
    Answers answers;
    WTargetNode* target = tree.FindRoot("<D>");
    Result r = tree.Add(target, {src + "/readme.txt"}, answers);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(project.DefaultFolder, src);
    WTargetNode* sub = tree.NewFolder(target).node;
    ASSERT_TRUE(tree.Add(sub, {src + "/bin/app.exe"}, answers).Ok());
    EXPECT_EQ(FileRecords(),
              (std::vector<std::string>{Record("readme.txt", "<D>", "readme.txt", 7),
                                        Record("bin\\app.exe", "<D>", "folder\\app.exe", 2)}));

    // The same name again, from another folder: refused, nothing changes.
    dir.Write("src/other/readme.txt", "other");
    Result twice = tree.Add(target, {src + "/other/readme.txt"}, answers);
    EXPECT_EQ(twice.status, Result::kRefused);
    EXPECT_EQ(twice.message, Tree::kFileExists);
    EXPECT_EQ(twice.subject, "<Target Folder>\\readme.txt");
    EXPECT_EQ(Tree::kFileExists,
              std::string("A file with this name already exists in this folder"));
    // Twice in one add is refused as well.
    EXPECT_EQ(tree.Add(sub, {src + "/readme.txt", src + "/other/readme.txt"}, answers).message,
              Tree::kFileExists);
    EXPECT_EQ(FileRecords().size(), 2u);
    EXPECT_TRUE(answers.asked.empty());

    EXPECT_EQ(tree.Add(nullptr, {src + "/readme.txt"}, answers).message,
              "Please select a folder in the Destination Folders");
    EXPECT_EQ(tree.Add(tree.Find("<D>\\readme.txt"), {src + "/bin/app.exe"}, answers).message,
              "Please select a folder in the Destination Folders");
}

TEST_F(TargetTree, TheFontsFolderAsksAboutFilesThatAreNoFonts) {
    Tree tree(project);
    ASSERT_TRUE(tree.SetSourceFolder(src).Ok());
    WTargetNode* fonts = tree.FindRoot("<Fonts Folder>");
    Answers none;
    ASSERT_TRUE(tree.Add(fonts, {src + "/fonts/arial.TTF"}, none).Ok());
    EXPECT_TRUE(none.asked.empty());

    for (auto answer : {WTargetTreeQuestions::kNo, WTargetTreeQuestions::kCancel}) {
        Answers no({answer});
        EXPECT_EQ(tree.Add(fonts, {src + "/readme.txt"}, no).status, Result::kDeclined);
        ASSERT_EQ(no.asked.size(), 1u);
        EXPECT_EQ(no.asked[0].text, "The file \"" + src +
                                        "/readme.txt\" does not appear to be a font.\n Do you "
                                        "want to add it to the font folder anyway?");
        EXPECT_TRUE(no.asked[0].withCancel);
    }
    EXPECT_EQ(fonts->Children().size(), 1u);
    Answers yes({WTargetTreeQuestions::kYes});
    EXPECT_TRUE(tree.Add(fonts, {src + "/readme.txt"}, yes).Ok());
    EXPECT_EQ(fonts->Children().size(), 2u);
    // A subfolder of the fonts folder is not asked about.
    Answers sub;
    EXPECT_TRUE(tree.Add(tree.NewFolder(fonts).node, {src + "/bin/app.exe"}, sub).Ok());
    EXPECT_TRUE(sub.asked.empty());
}

TEST_F(TargetTree, AFolderComesWithEverythingBelowIt) {
    Tree tree(project);
    Answers answers;
    WTargetNode* target = tree.FindRoot("<Windows Folder>");
    Result r = tree.Add(target, {src + "/bin"}, answers);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(r.added, 3);
    EXPECT_EQ(r.node->ShownPath(), "<Windows Folder>\\bin");
    EXPECT_EQ(FileRecords(),
              (std::vector<std::string>{
                  Record("bin\\app.exe", "<W>", "bin\\app.exe", 2),
                  Record("bin\\data\\base.db", "<W>", "bin\\data\\base.db", 4),
                  Record("bin\\data\\deep\\x.txt", "<W>", "bin\\data\\deep\\x.txt", 1)}));
    EXPECT_EQ(project.DefaultFolder, src);
    Result again = tree.Add(target, {src + "/bin"}, answers);
    EXPECT_EQ(again.message, "A folder with this name already exists");
    EXPECT_EQ(FileRecords().size(), 3u);
}

TEST_F(TargetTree, AddAllFilesSkipsNamesPresentWithOneNote) {
    Tree tree(project);
    Answers answers;
    WTargetNode* target = tree.FindRoot("<D>");
    dir.Write("src/bin/notes.txt", "n");
    ASSERT_TRUE(tree.Add(target, {src + "/bin/app.exe"}, answers).Ok());
    Result r = tree.AddFilesOf(target, src + "/bin", answers);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.added, 1);  // notes.txt; not the subfolder "data"
    EXPECT_EQ(r.message, "One or more files already exist in the target folder");
    Result all = tree.AddFilesOf(target, src + "/bin", answers);
    EXPECT_TRUE(all.Ok());
    EXPECT_EQ(all.added, 0);
    EXPECT_EQ(all.message, Tree::kFilesSkipped);
    EXPECT_EQ(FileRecords().size(), 2u);

    MakeFolders(dir / "src/empty");
    EXPECT_EQ(tree.AddFilesOf(target, src + "/empty", answers).message,
              "Please select a directory in the Source Folder");
    EXPECT_EQ(tree.AddFilesOf(nullptr, src + "/bin", answers).message, Tree::kSelectTargetFolder);
}

TEST_F(TargetTree, NamesWindowsCannotHoldAreRefusedAndNothingIsAdded) {
    for (const char* bad :
         {"a:b.txt", "q?.txt", "star*.txt", "pipe|.txt", "lt<.txt", "gt>.txt", "quote\".txt",
          "dot.", "blank ", "CON", "con.txt", "Nul.tar.gz", "COM1.log", "lpt9", "tab\t.txt"})
        EXPECT_NE(WindowsNameProblem(bad), "") << bad;
    for (const char* good : {"CONSOLE.txt", "com10.txt", "lpt0", "a.b.c", ".profile", "x y.txt"})
        EXPECT_EQ(WindowsNameProblem(good), "") << good;
    EXPECT_EQ(WindowsNameProblem("back\\slash"), "holds \"\\\"");

    dir.Write("src/bad/good.txt", "g");
    dir.Write("src/bad/AUX.txt", "a");
    dir.Write("src/bad/sub/a:b.txt", "c");
    dir.Write("src/bad/comma,name.txt", "c");
    Tree tree(project);
    Answers answers;
    Result r = tree.Add(tree.FindRoot("<D>"), {src + "/bad"}, answers);
    EXPECT_EQ(r.status, Result::kRefused);
    EXPECT_EQ(r.message, "These names cannot be used in a setup, so nothing was added:\n" + src +
                             "/bad/AUX.txt: its name is a device name of Windows\n" + src +
                             "/bad/comma,name.txt: its name holds a comma, which a setup script "
                             "cannot store\n" +
                             src + "/bad/sub/a:b.txt: its name holds \":\"");
    EXPECT_TRUE(tree.FindRoot("<D>")->Children().empty());
    EXPECT_TRUE(FileRecords().empty());
    EXPECT_EQ(project.DefaultFolder, "");
}

TEST_F(TargetTree, TheProjectKeepsOneSourceFolder) {
    dir.Write("elsewhere/b.txt", "b");
    Tree tree(project);
    Answers answers;
    // The page's source folder becomes the project's with the first file.
    ASSERT_TRUE(tree.SetSourceFolder(dir.path()).Ok());
    ASSERT_TRUE(tree.Add(tree.FindRoot("<D>"), {src + "/bin/app.exe"}, answers).Ok());
    EXPECT_EQ(project.DefaultFolder, dir.path());
    EXPECT_EQ(FileRecords(),
              (std::vector<std::string>{Record("src\\bin\\app.exe", "<D>", "app.exe", 2)}));

    WProjectData other;
    other.SetInstallLocationOverride(dir / "install");
    other.Reset();
    other.DefaultFolder = src;
    Tree second(other);
    ASSERT_TRUE(second.Add(second.FindRoot("<D>"), {src + "/readme.txt"}, answers).Ok());
    Result outside = second.SetSourceFolder(dir / "elsewhere");
    EXPECT_EQ(outside.status, Result::kRefused);
    EXPECT_EQ(outside.message, dir / "elsewhere" + " is not below the project's source folder " +
                                   src + "; the files of a project come from one source folder");
    EXPECT_TRUE(second.SetSourceFolder(src + "/bin").Ok());
    EXPECT_EQ(second.Add(second.FindRoot("<D>"), {dir / "elsewhere/b.txt"}, answers).message,
              CheckSourceFolder(other, dir / "elsewhere/b.txt"));
    EXPECT_EQ(other.ProgramFilesComponent()->Elements(kElementFile).size(), 1u);
    EXPECT_EQ(other.DefaultFolder, src);
}

TEST_F(TargetTree, AddFolderNamesTheNewFolderAfterItsSiblings) {
    Tree tree(project);
    WTargetNode* root = tree.FindRoot("<D>");
    EXPECT_EQ(tree.NewFolder(root).node->Name(), "folder");
    EXPECT_EQ(tree.NewFolder(root).node->Name(), "folder1");
    EXPECT_EQ(tree.NewFolder(root).node->Name(), "folder2");

    // Children "folder1" then "folder": the walk goes round again rather
    // than making a second "folder1".
    WTargetNode* other = tree.FindRoot("<W>");
    ASSERT_TRUE(tree.MakeFolder(other, "folder1").Ok());
    ASSERT_TRUE(tree.MakeFolder(other, "Folder").Ok());
    EXPECT_EQ(tree.NewFolder(other).node->Name(), "folder2");
    EXPECT_EQ(tree.NewFolder(tree.Find("<D>\\folder")).node->ShownPath(),
              "<Target Folder>\\folder\\folder");
}

TEST_F(TargetTree, RemovingAsksAndTakesTheElementsAlong) {
    Tree tree(project);
    Answers yes;
    WTargetNode* root = tree.FindRoot("<D>");
    ASSERT_TRUE(tree.Add(root, {src + "/bin", src + "/readme.txt"}, yes).Ok());
    ASSERT_EQ(FileRecords().size(), 4u);

    EXPECT_EQ(tree.RemoveFolder(root, yes).message, "Cannot delete root folder");
    Answers no({WTargetTreeQuestions::kNo});
    EXPECT_EQ(tree.RemoveFolder(tree.Find("<D>\\bin"), no).status, Result::kDeclined);
    EXPECT_EQ(no.asked[0].text, "This folder has subfolders\n Are you sure you want to delete");
    EXPECT_EQ(no.asked[0].caption, "Warning");
    EXPECT_EQ(FileRecords().size(), 4u);

    Answers deep;
    ASSERT_TRUE(tree.RemoveFolder(tree.Find("<D>\\bin\\data\\deep"), deep).Ok());
    EXPECT_EQ(deep.asked[0].text, "Are you sure you want to delete this folder");
    EXPECT_EQ(FileRecords().size(), 3u);

    EXPECT_EQ(tree.RemoveFile(tree.Find("<D>\\bin"), yes).message,
              "Please select a file to remove");
    Answers file;
    ASSERT_TRUE(tree.RemoveFile(tree.Find("<D>\\readme.txt"), file).Ok());
    EXPECT_EQ(file.asked[0].text, "Are you sure you want to remove this file");
    EXPECT_EQ(FileRecords(), (std::vector<std::string>{
                                 Record("bin\\app.exe", "<D>", "bin\\app.exe", 2),
                                 Record("bin\\data\\base.db", "<D>", "bin\\data\\base.db", 4)}));

    EXPECT_EQ(tree.RemoveAllFiles(tree.Find("<D>\\bin\\app.exe"), yes).message,
              "Please select a folder whose files you want to remove");
    Answers all;
    ASSERT_TRUE(tree.RemoveAllFiles(tree.Find("<D>\\bin"), all).Ok());
    EXPECT_EQ(all.asked[0].text, "Are you sure you want to delete all files");
    // Only the files directly in the folder.
    EXPECT_EQ(
        FileRecords(),
        (std::vector<std::string>{Record("bin\\data\\base.db", "<D>", "bin\\data\\base.db", 4)}));
}

TEST_F(TargetTree, MovingRefusesWhatCannotBeMovedAndLeavesEverythingAsItWas) {
    Tree tree(project);
    Answers yes;
    WTargetNode* root = tree.FindRoot("<D>");
    ASSERT_TRUE(tree.Add(root, {src + "/bin", src + "/readme.txt"}, yes).Ok());
    ASSERT_TRUE(tree.MakeFolder(root, "data").Ok());
    const std::vector<std::string> before = FileRecords();
    WTargetNode* bin = tree.Find("<D>\\bin");

    EXPECT_EQ(tree.Move(root, tree.FindRoot("<W>"), yes).message, "Cannot move root folders");
    EXPECT_EQ(tree.Move(bin, tree.Find("<D>\\readme.txt"), yes).message, "Please select a folder");
    EXPECT_EQ(tree.Move(bin, nullptr, yes).message, "Please select a folder");
    EXPECT_EQ(tree.Move(bin, bin, yes).message, "Cannot move folder to itself");
    EXPECT_EQ(tree.Move(bin, tree.Find("<D>\\bin\\data\\deep"), yes).message,
              "Cannot move folder to itself");
    Result taken = tree.Move(tree.Find("<D>\\bin\\data"), root, yes);
    EXPECT_EQ(taken.message, "A folder with this name already exists");
    EXPECT_EQ(taken.subject, "<Target Folder>\\data");
    dir.Write("src/bin/readme.txt", "second");
    ASSERT_TRUE(tree.Add(bin, {src + "/bin/readme.txt"}, yes).Ok());
    EXPECT_EQ(tree.Move(tree.Find("<D>\\readme.txt"), bin, yes).message, Tree::kFileExists);
    Answers no({WTargetTreeQuestions::kNo});
    EXPECT_EQ(tree.Move(tree.Find("<D>\\readme.txt"), tree.FindRoot("<F>"), no).status,
              Result::kDeclined);
    EXPECT_EQ(FileRecords().size(), before.size() + 1);
    EXPECT_EQ(tree.Find("<D>\\readme.txt")->Element()->GetTargetName(), "readme.txt");
    // Dropped where it is: nothing to do.
    EXPECT_TRUE(tree.Move(bin, root, yes).Ok());
    EXPECT_EQ(FileRecords().size(), before.size() + 1);
}

TEST_F(TargetTree, AMovedFolderTakesItsSubtreeAlongToAnotherRoot) {
    Tree tree(project);
    Answers yes;
    ASSERT_TRUE(tree.Add(tree.FindRoot("<D>"), {src + "/bin"}, yes).Ok());
    WTargetNode* sys = tree.MakeFolder(tree.FindRoot("<Windows System Folder>"), "tools").node;
    Result r = tree.Move(tree.Find("<D>\\bin\\data"), sys, yes);
    ASSERT_TRUE(r.Ok()) << r.message;
    EXPECT_EQ(r.node->ShownPath(), "<Windows System Folder>\\tools\\data");
    EXPECT_EQ(FileRecords(),
              (std::vector<std::string>{
                  Record("bin\\app.exe", "<D>", "bin\\app.exe", 2),
                  Record("bin\\data\\base.db", "<Y>", "tools\\data\\base.db", 4),
                  Record("bin\\data\\deep\\x.txt", "<Y>", "tools\\data\\deep\\x.txt", 1)}));
}

TEST_F(TargetTree, AMovedOrRelocatedFileKeepsItsSettings) {
    Tree tree(project);
    Answers yes;
    ASSERT_TRUE(tree.SetSourceFolder(src).Ok());
    ASSERT_TRUE(tree.Add(tree.FindRoot("<D>"), {src + "/bin/app.exe"}, yes).Ok());
    auto* file = static_cast<WSetupFile*>(tree.Find("<D>\\app.exe")->Element());
    file->SetAttributes("000101");
    file->SetOverwrite(WSetupFile::kCheckDate);
    file->SetOsMask("10101");
    file->SetShareFlags(100);
    file->SetCheckValue("|||77");
    file->SetUninstall(0);
    file->SetFileFlag1(1);
    const std::string settings = "000101,3,10101,100,|||77,0,0,1,";
    const std::string tail = kOnes + ",0,1,0,644,";

    WTargetNode* folder = tree.MakeFolder(tree.FindRoot("<W>"), "sub").node;
    Result moved = tree.Move(tree.Find("<D>\\app.exe"), folder, yes);
    ASSERT_TRUE(moved.Ok()) << moved.message;
    EXPECT_EQ(FileRecords(),
              std::vector<std::string>{"Program_files,<S>,bin\\app.exe,<W>,sub\\app.exe,2," +
                                       settings + tail});

    Result relocated =
        tree.Relocate(*moved.node->Element(), "<Windows Program Files Folder>", "a\\b\\run.exe");
    ASSERT_TRUE(relocated.Ok()) << relocated.message;
    EXPECT_EQ(relocated.node->ShownPath(), "<Windows Program Files Folder>\\a\\b\\run.exe");
    EXPECT_TRUE(folder->Children().empty());
    EXPECT_EQ(FileRecords(),
              std::vector<std::string>{"Program_files,<S>,bin\\app.exe,<WPF>,a\\b\\run.exe,2," +
                                       settings + tail});
    // Relocating onto a taken name or an unusable one changes nothing.
    ASSERT_TRUE(tree.Add(tree.Find("<WPF>\\a"), {src + "/readme.txt"}, yes).Ok());
    WSetupElement* e = relocated.node->Element();
    EXPECT_EQ(tree.Relocate(*e, "<WPF>", "a\\readme.txt").message, Tree::kFileExists);
    EXPECT_EQ(tree.Relocate(*e, "<WPF>", "a\\readme.txt\\x").message, Tree::kFileExists);
    EXPECT_EQ(tree.Relocate(*e, "<Nowhere>", "x").message, "Unknown target folder <Nowhere>");
    EXPECT_NE(tree.Relocate(*e, "<WPF>", "a\\lpt1.txt").message.find("device name"),
              std::string::npos);
    EXPECT_EQ(tree.Relocate(*e, "<WPF>", "a\\b\\run.exe").node, relocated.node);
    EXPECT_EQ(FileRecords().size(), 2u);

    // A font element keeps its class and typeface name when moved.
    auto font = std::make_unique<WSetupTTFFile>();
    font->SetTargetDir("<F>");
    font->SetTargetName("arial.ttf");
    font->SetTypefaceName("Arial");
    WSetupElement* added = project.ProgramFilesComponent()->AddElement(std::move(font));
    tree.Rebuild();
    ASSERT_TRUE(
        tree.Move(tree.NodeOf(added), tree.MakeFolder(tree.FindRoot("<F>"), "more").node, yes)
            .Ok());
    std::vector<std::string> fonts = FileRecords(kElementTTFFile);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].substr(fonts[0].size() - 16), "0,0,0,644,Arial,");
    EXPECT_NE(fonts[0].find(",<F>,more\\arial.ttf,"), std::string::npos) << fonts[0];
}

TEST_F(TargetTree, RenamingRewritesEverythingBelowAndRefusesTakenOrUnusableNames) {
    Tree tree(project);
    Answers yes;
    ASSERT_TRUE(tree.Add(tree.FindRoot("<D>"), {src + "/bin", src + "/readme.txt"}, yes).Ok());
    WTargetNode* bin = tree.Find("<D>\\bin");
    EXPECT_EQ(tree.Rename(tree.FindRoot("<D>"), "x").message, "Cannot rename root folder");
    EXPECT_EQ(tree.Rename(bin, "README.TXT").message, Tree::kFolderExists);
    EXPECT_EQ(tree.Rename(tree.Find("<D>\\readme.txt"), "BIN").message, Tree::kFolderExists);
    for (const char* bad : {"", "a.", "x:y", "PRN", "com3.dat", "a,b"})
        EXPECT_EQ(tree.Rename(bin, bad).status, Result::kRefused) << bad;
    EXPECT_EQ(tree.Rename(bin, "nul.txt").message,
              "The name \"nul.txt\" cannot be used: it is a device name of Windows");

    ASSERT_TRUE(tree.Rename(bin, "program").Ok());
    ASSERT_TRUE(tree.Rename(tree.Find("<D>\\readme.txt"), "ReadMe.txt").Ok());  // case only
    EXPECT_EQ(FileRecords(),
              (std::vector<std::string>{
                  Record("bin\\app.exe", "<D>", "program\\app.exe", 2),
                  Record("bin\\data\\base.db", "<D>", "program\\data\\base.db", 4),
                  Record("bin\\data\\deep\\x.txt", "<D>", "program\\data\\deep\\x.txt", 1),
                  Record("readme.txt", "<D>", "ReadMe.txt", 7)}));

    // The project file keeps the new places, and the tree is built from them.
    const std::string file = dir / "p.zlt";
    ASSERT_TRUE(WriteProjectFile(project, file));
    WProjectData reopened;
    reopened.SetInstallLocationOverride(dir / "install");
    reopened.Reset();
    ASSERT_TRUE(LoadProjectFile(reopened, file));
    Tree again(reopened);
    EXPECT_EQ(Shown(again), Shown(tree));
    EXPECT_EQ(ToNative(again.Find("<D>\\program\\data\\base.db")->Element()->GetSourceDir()),
              ToNative(src + "/bin/data"));
}

// Paths of the set that a standard component or the setup engine fills:
// checked against the build folder's sample installation.
TEST_F(TargetTree, APathOfTheSetThatAnotherSupplierFillsIsRefused) {
    WProjectData sample;
    sample.SetInstallLocationOverride(std::string(VANTREL_SAMPLE_INSTALL));
    sample.Reset();
    dir.Write("app/Runtime/README.TXT", "mine");
    dir.Write("app/setup32.exe", "mine");
    dir.Write("app/Setup/comp.kvz", "mine");
    dir.Write("app/ok/readme.txt", "fine");
    Tree tree(sample);
    Answers yes;
    WTargetNode* root = tree.FindRoot("<D>");
    ASSERT_TRUE(tree.SetSourceFolder(dir / "app").Ok());

    Result runtime = tree.Add(root, {dir / "app/Runtime"}, yes);
    EXPECT_EQ(runtime.status, Result::kRefused);
    EXPECT_EQ(runtime.message, "The file " + (dir / "app/Runtime/README.TXT") +
                                   " would go to Runtime\\README.TXT in the set, where the file "
                                   "Runtime\\readme.txt of the standard component "
                                   "TY9Run_Program goes too; the set can hold only one of them");
    Result engine = tree.Add(root, {dir / "app/ok", dir / "app/setup32.exe"}, yes);
    EXPECT_NE(engine.message.find("the setup engine's file setup32.exe"), std::string::npos)
        << engine.message;
    EXPECT_NE(tree.Add(root, {dir / "app/Setup"}, yes).message.find("the set's own file"),
              std::string::npos);
    EXPECT_TRUE(root->Children().empty());
    EXPECT_TRUE(sample.ProgramFilesComponent()->Elements(kElementFile).empty());

    // Without the runtime the path is free.
    sample.RuntimeComponent = 0;
    sample.ApplyComponentSelection();
    EXPECT_TRUE(tree.Add(root, {dir / "app/Runtime"}, yes).Ok());
    EXPECT_TRUE(ShippedPathCollisions(sample).empty());
    // Chosen again later, the build finds it.
    sample.RuntimeComponent = 1;
    sample.ApplyComponentSelection();
    EXPECT_EQ(ShippedPathCollisions(sample).size(), 1u);
}

TEST_F(TargetTree, AReplacedElementKeepsItsNode) {
    Tree tree(project);
    Answers yes;
    ASSERT_TRUE(tree.Add(tree.FindRoot("<F>"), {src + "/fonts/arial.TTF"}, yes).Ok());
    WTargetNode* node = tree.Find("<F>\\arial.TTF");
    WSetupComponent* files = project.ProgramFilesComponent();
    std::unique_ptr<WSetupElement> old = files->TakeElement(node->Element());
    auto font = std::make_unique<WSetupTTFFile>();
    font->SetTargetDir(old->GetTargetDir());
    font->SetTargetName(old->GetTargetName());
    WSetupElement* added = files->AddElement(std::move(font));
    tree.ReplaceElement(old.get(), added);
    EXPECT_EQ(node->Element(), added);
    EXPECT_EQ(tree.NodeOf(added), node);
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// Shortcut, registrations, INI entry and text replacement of one file: they
// name it by its destination, so they must follow every move and rename of
// it, and go when it goes.
TEST_F(TargetTree, RecordsThatActOnAFileFollowItAndGoWithIt) {
    Tree tree(project);
    Answers yes;
    ASSERT_TRUE(tree.Add(tree.FindRoot("<D>"), {src + "/bin", src + "/readme.txt"}, yes).Ok());
    WSetupComponent& files = *project.ProgramFilesComponent();
    const WSetupElement& app = *tree.Find("<D>\\bin\\app.exe")->Element();
    AddRegistration(files, kElementRegFile, app);
    AddRegistration(files, kElementSelfRegister, app);
    files.AddElement(NewShortcut(app, "Ledger"));
    files.AddElement(NewIniEntry(app));
    files.AddElement(NewTextReplacement(app));
    // A record of another file stays where it is throughout.
    files.AddElement(NewShortcut(*tree.Find("<D>\\readme.txt")->Element(), "Ledger"));

    const int types[] = {kElementRegFile, kElementSelfRegister, kElementShortcut, kElementProfile,
                         kElementCustFile};
    auto expectAt = [&](const std::string& at, const std::string& step) {
        for (int type : types) {
            std::vector<std::string> records = FileRecords(type);
            size_t onApp = 0;
            for (const std::string& r : records)
                onApp += r.find(",readme.txt,") == std::string::npos ? 1 : 0;
            if (at.empty()) {
                EXPECT_EQ(onApp, 0u) << step << ": " << ElementTypeName(type) << " left behind";
                continue;
            }
            ASSERT_EQ(onApp, 1u) << step << ": " << ElementTypeName(type);
            bool found = false;
            for (const std::string& r : records)
                found = found || r.find("," + at + ",") != std::string::npos;
            EXPECT_TRUE(found) << step << ": " << ElementTypeName(type) << " not at " << at << "\n"
                               << Join(records, "\n");
        }
        EXPECT_EQ(FileRecords(kElementShortcut).size(), at.empty() ? 1u : 2u) << step;
    };
    expectAt("<D>,bin\\app.exe", "added");

    struct Step {
        const char* what;
        std::function<Result()> run;
        const char* at;
    };
    const std::vector<Step> steps = {
        {"folder renamed", [&] { return tree.Rename(tree.Find("<D>\\bin"), "prog"); },
         "<D>,prog\\app.exe"},
        {"folder moved",
         [&] { return tree.Move(tree.Find("<D>\\prog"), tree.FindRoot("<W>"), yes); },
         "<W>,prog\\app.exe"},
        {"file renamed", [&] { return tree.Rename(tree.Find("<W>\\prog\\app.exe"), "run.exe"); },
         "<W>,prog\\run.exe"},
        {"file moved",
         [&] { return tree.Move(tree.Find("<W>\\prog\\run.exe"), tree.FindRoot("<D>"), yes); },
         "<D>,run.exe"},
        {"file relocated",
         [&] { return tree.Relocate(*tree.Find("<D>\\run.exe")->Element(), "<WPF>", "a\\b.exe"); },
         "<WPF>,a\\b.exe"},
        {"file removed", [&] { return tree.RemoveFile(tree.Find("<WPF>\\a\\b.exe"), yes); }, ""},
    };
    for (const Step& step : steps) {
        Result r = step.run();
        ASSERT_TRUE(r.Ok()) << step.what << ": " << r.message;
        expectAt(step.at, step.what);
    }

    // The project file read back holds the same.
    ASSERT_TRUE(WriteProjectFile(project, dir / "p.zlt"));
    WProjectData again;
    again.SetInstallLocationOverride(dir / "install");
    again.Reset();
    ASSERT_TRUE(LoadProjectFile(again, dir / "p.zlt"));
    size_t records = 0;
    for (int type : types)
        records += again.ProgramFilesComponent()->Elements(type).size();
    EXPECT_EQ(records, 1u);
}

}  // namespace
}  // namespace vantrel
