// The files page: a real source folder put into the target folders with ">"
// and ">>", Add Folder naming and label editing, removals and their
// questions, moves by drag and drop (inside the tree, refused, and from the
// desktop's file manager), the fonts folder's question, the one source
// folder, the context menu, and the properties of a file. Every change is
// judged by the records that generation writes.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QtTest>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_file.h"
#include "pages/file_prop_sheet.h"
#include "pages/files_page.h"
#include "platform/paths.h"
#include "project/project_file.h"
#include "project/target_tree.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;
using Icon = Dialogs::Icon;

namespace {

constexpr int kFilesPage = 5;

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

}  // namespace

class FilesPageTest : public QObject {
    Q_OBJECT

    // The wizard on the files page, with a source folder on disk:
    // src/app.exe, src/readme.txt, src/arial.TTF, src/data/a.dat,
    // src/data/sub/b.dat, src/lib/x.dll, src/lib/y.dll.
    struct Page {
        WizardFixture w;
        WFilesPage* page = nullptr;
        std::string src;

        explicit Page(const WizardFixture::Setup& setup = {}) : w(setup) {
            src = w.Scratch("src");
            for (const char* name : {"app.exe", "readme.txt", "arial.TTF", "data/a.dat",
                                     "data/sub/b.dat", "lib/x.dll", "lib/y.dll"})
                Write("src/" + std::string(name));
            if (w.GoTo(kFilesPage))
                page = w.Current<WFilesPage>();
        }
        std::string Write(const std::string& name) const {
            const QString native = NativePath(w.Scratch(name));
            QDir().mkpath(QFileInfo(native).path());
            return w.WriteScratch(name, QByteArray("bytes of ") + name.c_str());
        }
        bool Browse(const std::string& folder) {
            w.Boxes().folders << NativePath(folder);
            page->BrowseButton()->click();
            return page->SourceEdit()->text() == NativePath(folder);
        }
        QTreeWidgetItem* Target(const char* path) const {
            return page->ItemOf(page->Tree()->Find(path));
        }
        void SelectTarget(const char* path) const {
            page->TargetTree()->setCurrentItem(Target(path));
        }
        void SelectSource(const std::string& relative) {
            page->SourceTree()->setCurrentItem(
                page->SourceItemOf(relative.empty() ? src : JoinPath(src, relative)));
        }
        // ">" with `source` (below src) into the target folder `target`.
        void Add(const std::string& source, const char* target) {
            SelectSource(source);
            SelectTarget(target);
            page->AddButton()->click();
        }
        // A drag of the target node at `path` dropped onto `onto`.
        bool Move(const char* path, const char* onto) {
            QMimeData data;
            data.setData(Text(WFilesPage::kNodeMimeType), Text(path).toUtf8());
            return page->Drop(&data, Target(onto));
        }
        // The comp.kvz that generation writes now.
        QString Comp() const {
            const std::string out = w.Scratch("out");
            if (!w.Project()->Components()->WriteComponentScripts(out))
                return QStringLiteral("generation failed");
            QFile comp(NativePath(JoinPath(out, "comp.kvz")));
            if (!comp.open(QIODevice::ReadOnly))
                return QStringLiteral("no comp.kvz");
            return QString::fromLatin1(comp.readAll());
        }
        // "SourceName|TargetDir|TargetName" of each "File" record of comp.kvz.
        QStringList Files(const char* type = "File") const {
            QStringList records;
            bool inside = false;
            const QString head = QLatin1Char('[') + Text(type);
            for (const QString& line : Comp().split("\r\n")) {
                if (line.startsWith(QLatin1Char('['))) {
                    inside = line.startsWith(head) && line.at(head.size()).isDigit();
                } else if (inside && !line.isEmpty()) {
                    const QStringList fields = line.split(QLatin1Char(','));
                    records << fields.mid(2, 3).join(QLatin1Char('|'));
                }
            }
            return records;
        }
        QStringList Shown() const { return w.Boxes().Texts(); }
    };

  private slots:
    void sourceFolderAndAdding() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.page->RemoveFileButton()->isVisible(), false);

        // Browse: the shared browser with the page's caption and options.
        QVERIFY(p.Browse(p.src));
        const Dialogs::FolderRequest request = p.w.Boxes().folderDialogs.last();
        QCOMPARE(request.caption, QStringLiteral("Please select a directory"));
        QCOMPARE(request.options, 273);
        QVERIFY(request.acceptReadOnly);
        QTreeWidgetItem* root = p.page->SourceTree()->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("src"));
        QCOMPARE(root->childCount(), 5);  // data, lib, app.exe, arial.TTF, readme.txt
        QCOMPARE(root->child(0)->text(0), QStringLiteral("data"));
        QVERIFY(!p.Browse(p.w.Scratch("gone")));
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("The chosen directory does not exist."));
        QCOMPARE(p.w.Boxes().shown.last().icon, Icon::Exclamation);
        QCOMPARE(p.page->SourceEdit()->text(), NativePath(p.src));
        QVERIFY(!p.w.App().Modified());

        // ">" needs a target folder.
        p.page->TargetTree()->setCurrentItem(nullptr);
        p.SelectSource("app.exe");
        p.page->AddButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kSelectTargetFolder));

        // A file and a folder with everything below it.
        p.Add("app.exe", "<D>");
        p.Add("data", "<D>");
        QCOMPARE(p.Files(), (QStringList{"app.exe|<D>|app.exe", "data\\a.dat|<D>|data\\a.dat",
                                         "data\\sub\\b.dat|<D>|data\\sub\\b.dat"}));
        QCOMPARE(p.w.Project()->DefaultFolder, p.src);
        QVERIFY(p.w.App().Modified());
        QVERIFY(p.Target("<D>")->isExpanded());
        QVERIFY(p.Target("<D>\\data\\sub\\b.dat"));
        QVERIFY(!p.page->findChild<QDialog*>(QStringLiteral("wait")));

        // Names taken: nothing changes.
        p.w.Boxes().Forget();
        p.Add("app.exe", "<D>");
        p.Add("data", "<D>");
        QCOMPARE(p.Shown(),
                 (QStringList{Text(WTargetTree::kFileExists), Text(WTargetTree::kFolderExists)}));
        QCOMPARE(p.Files().size(), 3);

        // ">>": the files directly in the folder; taken names are skipped
        // with one note.
        p.w.Boxes().Forget();
        p.SelectSource("app.exe");
        p.page->AddAllButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kSelectSourceFolder));
        p.w.Boxes().Forget();
        p.SelectSource("");
        p.SelectTarget("<D>");
        p.page->AddAllButton()->click();
        QCOMPARE(p.Shown(), QStringList{Text(WTargetTree::kFilesSkipped)});
        QCOMPARE(p.Files(), (QStringList{"app.exe|<D>|app.exe", "data\\a.dat|<D>|data\\a.dat",
                                         "data\\sub\\b.dat|<D>|data\\sub\\b.dat",
                                         "arial.TTF|<D>|arial.TTF", "readme.txt|<D>|readme.txt"}));
        p.w.Boxes().Forget();
        p.page->AddAllButton()->click();
        QCOMPARE(p.Shown(), QStringList{Text(WTargetTree::kFilesSkipped)});
        QCOMPARE(p.Files().size(), 5);
    }

    void foldersRenamesAndRemovals() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));

        // Add Folder names "folder", then "folder1", and opens the label for
        // editing.
        p.SelectTarget("<D>");
        p.page->AddFolderButton()->click();
        QCOMPARE(p.page->TargetTree()->currentItem()->text(0), QStringLiteral("folder"));
        QVERIFY(p.page->TargetTree()->viewport()->findChild<QLineEdit*>());
        p.SelectTarget("<D>");
        p.page->AddFolderButton()->click();
        QCOMPARE(p.page->TargetTree()->currentItem()->text(0), QStringLiteral("folder1"));
        QVERIFY(p.w.App().Modified());

        // A label edited is a rename; the files below follow.
        p.Target("<D>\\folder")->setText(0, QStringLiteral("bin"));
        p.Add("lib", "<D>\\bin");
        p.Add("app.exe", "<D>\\folder1");
        QCOMPARE(p.Files(),
                 (QStringList{"lib\\x.dll|<D>|bin\\lib\\x.dll", "lib\\y.dll|<D>|bin\\lib\\y.dll",
                              "app.exe|<D>|folder1\\app.exe"}));
        p.Target("<D>\\bin\\lib")->setText(0, QStringLiteral("system"));
        QCOMPARE(p.Files().mid(0, 2), (QStringList{"lib\\x.dll|<D>|bin\\system\\x.dll",
                                                   "lib\\y.dll|<D>|bin\\system\\y.dll"}));

        // A refused rename takes the name back and says why.
        p.w.Boxes().Forget();
        QTreeWidgetItem* folder1 = p.Target("<D>\\folder1");
        folder1->setText(0, QStringLiteral("BIN"));
        QTRY_COMPARE(p.Shown(), QStringList{Text(WTargetTree::kFolderExists)});
        QCOMPARE(folder1->text(0), QStringLiteral("folder1"));
        p.Target("<D>\\folder1\\app.exe")->setText(0, QStringLiteral("con"));
        QTRY_COMPARE(p.Shown().size(), 2);
        QVERIFY(p.Shown().last().startsWith(QStringLiteral("The name \"con\" cannot be used")));
        QCOMPARE(p.Files().last(), QStringLiteral("app.exe|<D>|folder1\\app.exe"));

        // Remove: a root never; a folder after the question, No keeps it.
        p.w.Boxes().Forget();
        p.SelectTarget("<D>");
        p.page->RemoveButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kDeleteRoot));
        p.SelectTarget("<D>\\bin");
        p.w.Boxes().answers = {Answer::No};
        p.page->RemoveButton()->click();
        QCOMPARE(p.w.Boxes().shown.last().text, Text(WTargetTree::kDeleteWithSubfolders));
        QCOMPARE(p.w.Boxes().shown.last().caption, QStringLiteral("Warning"));
        QCOMPARE(p.w.Boxes().shown.last().icon, Icon::Exclamation);
        QCOMPARE(p.Files().size(), 3);
        p.w.App().SetModified(0);
        p.w.Boxes().answers = {Answer::Yes};
        p.page->RemoveButton()->click();
        QCOMPARE(p.Files(), QStringList{"app.exe|<D>|folder1\\app.exe"});
        QVERIFY(!p.page->Tree()->Find("<D>\\bin"));
        QVERIFY(p.w.App().Modified());

        // Remove on a file asks about the file; its folder, left empty, shows
        // closed.
        p.Target("<D>\\folder1")->setExpanded(true);
        p.SelectTarget("<D>\\folder1\\app.exe");
        p.w.Boxes().answers = {Answer::Yes};
        p.page->RemoveButton()->click();
        QCOMPARE(p.w.Boxes().shown.last().text, Text(WTargetTree::kRemoveFile));
        QVERIFY(p.Files().isEmpty());
        QVERIFY(!p.Target("<D>\\folder1")->isExpanded());

        // Remove All Files: the files directly in the folder only.
        p.Add("lib", "<D>");
        p.Add("readme.txt", "<D>");
        p.SelectTarget("<D>\\app.exe");
        p.page->RemoveAllButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kSelectFilesFolder));
        p.SelectTarget("<D>");
        p.w.Boxes().answers = {Answer::Yes};
        p.page->RemoveAllButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kRemoveAllFiles));
        QCOMPARE(p.Files(),
                 (QStringList{"lib\\x.dll|<D>|lib\\x.dll", "lib\\y.dll|<D>|lib\\y.dll"}));
    }

    void dragAndDrop() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));
        p.Add("data", "<D>");
        p.Add("lib", "<D>");
        p.Add("readme.txt", "<D>");

        // A folder dropped onto another takes everything below it along.
        QVERIFY(p.Move("<D>\\data", "<D>\\lib"));
        QCOMPARE(p.Files(), (QStringList{"data\\a.dat|<D>|lib\\data\\a.dat",
                                         "data\\sub\\b.dat|<D>|lib\\data\\sub\\b.dat",
                                         "lib\\x.dll|<D>|lib\\x.dll", "lib\\y.dll|<D>|lib\\y.dll",
                                         "readme.txt|<D>|readme.txt"}));
        QCOMPARE(p.page->TargetTree()->currentItem(), p.Target("<D>\\lib\\data"));

        // Refusals leave everything as it was.
        p.w.Boxes().Forget();
        const QStringList before = p.Files();
        QVERIFY(!p.Move("<D>", "<D>\\lib"));
        QVERIFY(!p.Move("<D>\\lib", "<D>\\readme.txt"));
        QVERIFY(!p.Move("<D>\\lib", "<D>\\lib\\data\\sub"));
        QVERIFY(!p.Move("<D>\\lib\\data", "<D>\\lib"));  // already there: no change
        p.Add("data", "<D>");
        QVERIFY(!p.Move("<D>\\data", "<D>\\lib"));
        QCOMPARE(p.Shown(),
                 (QStringList{Text(WTargetTree::kMoveRoot), Text(WTargetTree::kSelectFolder),
                              Text(WTargetTree::kMoveToItself), Text(WTargetTree::kFolderExists)}));
        QCOMPARE(p.Files().mid(0, 5), before);

        // A file moved carries its settings into its new record.
        static_cast<WSetupFile*>(p.page->Tree()->Find("<D>\\readme.txt")->Element())
            ->SetOverwrite(WSetupFile::kCheckDate);
        QVERIFY(p.Move("<D>\\readme.txt", "<D>\\lib\\data\\sub"));
        const auto* moved = static_cast<const WSetupFile*>(
            p.page->Tree()->Find("<D>\\lib\\data\\sub\\readme.txt")->Element());
        QCOMPARE(moved->GetTargetName(), std::string("lib\\data\\sub\\readme.txt"));
        QCOMPARE(moved->GetOverwrite(), static_cast<int>(WSetupFile::kCheckDate));

        // The view's own drop: a real drop event on the item under the cursor.
        QTreeWidget* tree = p.page->TargetTree();
        tree->resize(400, 600);
        tree->expandAll();
        QTreeWidgetItem* onto = p.Target("<D>\\data");
        tree->scrollToItem(onto);
        QMimeData data;
        data.setData(Text(WFilesPage::kNodeMimeType), QByteArray("<Target Folder>\\lib\\x.dll"));
        const QPointF at(tree->visualItemRect(onto).center());
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree->viewport(), &drop);
        QTRY_VERIFY(p.page->Tree()->Find("<D>\\data\\x.dll"));
        QVERIFY(p.Files().contains(QStringLiteral("lib\\x.dll|<D>|data\\x.dll")));

        // Files and folders from the file manager are added where they fall.
        p.w.Boxes().Forget();
        const std::string extra = p.Write("src/extra/tool.exe");
        QMimeData uris;
        uris.setUrls({QUrl::fromLocalFile(NativePath(FolderOf(extra))),
                      QUrl::fromLocalFile(NativePath(JoinPath(p.src, "app.exe")))});
        QVERIFY(p.page->Drop(&uris, p.Target("<Windows System Folder>")));
        QVERIFY(p.Files().contains(QStringLiteral("extra\\tool.exe|<Y>|extra\\tool.exe")));
        QVERIFY(p.Files().contains(QStringLiteral("app.exe|<Y>|app.exe")));
        QVERIFY(p.Shown().isEmpty());
        // ... but not onto a file, nor from outside the source folder.
        QVERIFY(!p.page->Drop(&uris, p.Target("<D>\\data\\x.dll")));
        QCOMPARE(p.w.Boxes().LastText(), Text(WTargetTree::kSelectTargetFolder));
        const std::string outside = p.Write("elsewhere/other.txt");
        uris.setUrls({QUrl::fromLocalFile(NativePath(outside))});
        QVERIFY(!p.page->Drop(&uris, p.Target("<D>")));
        QVERIFY(p.w.Boxes().LastText().contains(QStringLiteral("one source folder")));
        QVERIFY(!p.page->Tree()->Find("<D>\\other.txt"));
    }

    // Files that appear in a folder read already go into their sorted places,
    // several in a row as well as one alone.
    void sourceTreeTakesNewFilesInPlace() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));
        for (const char* name : {"b1.txt", "b2.txt", "b3.txt", "z1.txt", "z2.txt"})
            p.Write("src/" + std::string(name));
        QTreeWidgetItem* root = p.page->SourceTree()->topLevelItem(0);
        auto names = [](QTreeWidgetItem* item) {
            QStringList shown;
            for (int i = 0; i < item->childCount(); ++i)
                shown << item->child(i)->text(0);
            return shown;
        };
        QTRY_COMPARE(names(root),
                     (QStringList{"data", "lib", "app.exe", "arial.TTF", "b1.txt", "b2.txt",
                                  "b3.txt", "readme.txt", "z1.txt", "z2.txt"}));
    }

    // A folder's items are made when it is first opened; which folders are
    // open survives every change, also for a folder inside a closed one and
    // for a folder renamed.
    void foldersStayOpenAcrossChanges() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));
        p.Add("data", "<D>");
        p.Add("lib", "<D>");
        QTreeWidget* tree = p.page->TargetTree();
        auto children = [](QTreeWidgetItem* item) {
            QStringList names;
            for (int i = 0; i < item->childCount(); ++i)
                names << item->child(i)->text(0);
            return names;
        };
        auto nodeChildren = [&](const char* path) {
            QStringList names;
            for (const auto& child : p.page->Tree()->Find(path)->Children())
                names << FromWin1252(child->Name());
            return names;
        };

        // Opened by the keyboard: every child shown, in the tree's order.
        p.SelectTarget("<D>\\data");
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(p.Target("<D>\\data")->isExpanded());
        QCOMPARE(children(p.Target("<D>\\data")), nodeChildren("<D>\\data"));
        QCOMPARE(nodeChildren("<D>\\data").size(), 2);
        p.Target("<D>\\data\\sub")->setExpanded(true);
        p.Target("<D>\\data")->setExpanded(false);

        // A change shows the tree again: "sub" is open inside closed "data".
        p.Add("readme.txt", "<D>");
        QVERIFY(!p.Target("<D>\\data")->isExpanded());
        p.SelectTarget("<D>\\data");
        QTest::keyClick(tree, Qt::Key_Right);
        QVERIFY(p.Target("<D>\\data\\sub")->isExpanded());
        QCOMPARE(children(p.Target("<D>\\data\\sub")), QStringList{"b.dat"});

        // Renamed, the folder and the one inside stay open.
        p.Target("<D>\\data")->setText(0, QStringLiteral("files"));
        p.Add("app.exe", "<D>");
        QVERIFY(p.Target("<D>\\files")->isExpanded());
        QVERIFY(p.Target("<D>\\files\\sub")->isExpanded());
        QVERIFY(!p.Target("<D>\\lib")->isExpanded());

        // Every item made stands for the node of its path.
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            const WTargetNode* node = p.page->NodeOf(*it);
            QVERIFY(node);
            QCOMPARE(p.page->ItemOf(node), *it);
            QCOMPARE(FromWin1252(node->Name()), (*it)->text(0));
        }
        p.Target("<D>\\lib")->setExpanded(true);
        QCOMPARE(children(p.Target("<D>\\lib")), nodeChildren("<D>\\lib"));
    }

    void fontsFolderAndOneSourceFolder() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));

        // A font by name goes in without a question and becomes a font
        // element with its face name.
        QFile real(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
        if (!real.open(QIODevice::ReadOnly))
            QSKIP("DejaVuSans.ttf is not installed (Debian package fonts-dejavu-core)");
        p.w.WriteScratch("src/arial.TTF", real.readAll());
        p.Add("arial.TTF", "<Fonts Folder>");
        QVERIFY(p.Shown().isEmpty());
        QCOMPARE(p.Files("TTFFile"), QStringList{"arial.TTF|<F>|arial.TTF"});
        QVERIFY(p.Comp().contains(QStringLiteral(",DejaVu Sans,\r\n")));
        QVERIFY(p.page->Tree()->Find("<F>\\arial.TTF")->Element()->GetTypeCode() ==
                kElementTTFFile);

        // Anything else is asked about; No adds nothing.
        const QString question =
            Text(WTargetTree::kNotAFont)
                .replace(QStringLiteral("%1"), NativePath(JoinPath(p.src, "readme.txt")));
        p.w.Boxes().answers = {Answer::No};
        p.Add("readme.txt", "<Fonts Folder>");
        QCOMPARE(p.w.Boxes().shown.last().buttons, Dialogs::Buttons::YesNoCancel);
        QCOMPARE(p.w.Boxes().shown.last().icon, Icon::Exclamation);
        QCOMPARE(p.w.Boxes().LastText(), question);
        QVERIFY(p.Files().isEmpty());
        p.w.Boxes().answers = {Answer::Yes};
        p.Add("readme.txt", "<Fonts Folder>");
        QCOMPARE(p.Files(), QStringList{"readme.txt|<F>|readme.txt"});

        // A second root after files were added is refused; a folder below
        // the source folder is not.
        p.w.Boxes().Forget();
        const std::string other = FolderOf(p.Write("other/tool.exe"));
        QVERIFY(!p.Browse(other));
        QVERIFY(p.w.Boxes().LastText().contains(QStringLiteral("one source folder")));
        QCOMPARE(p.page->SourceEdit()->text(), NativePath(p.src));
        QVERIFY(p.Browse(JoinPath(p.src, "data")));
        QCOMPARE(p.page->SourceTree()->topLevelItem(0)->text(0), QStringLiteral("data"));
        p.Add("data/sub", "<D>");
        QCOMPARE(p.Files().last(), QStringLiteral("data\\sub\\b.dat|<D>|sub\\b.dat"));

        // Entering the page again rebuilds both trees from the project.
        QVERIFY(p.w.GoTo(kFilesPage + 1));
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kFilesPage);
        QCOMPARE(p.page->SourceEdit()->text(), NativePath(p.src));
        QVERIFY(p.Target("<D>\\sub\\b.dat"));
        QVERIFY(p.Target("<Fonts Folder>\\arial.TTF"));
        QVERIFY(p.Target("<D>")->isExpanded());
    }

    void theSavedProjectFindsEveryFileAgain() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        Page p(setup);
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));
        p.Add("app.exe", "<D>");
        p.SelectTarget("<D>");
        p.page->AddFolderButton()->click();
        p.Target("<D>\\folder")->setText(0, QStringLiteral("bin"));
        p.Add("lib", "<D>\\bin");
        QVERIFY(p.Move("<D>\\app.exe", "<D>\\bin\\lib"));
        // Files added while a folder below the source folder is shown.
        QVERIFY(p.Browse(JoinPath(p.src, "data")));
        p.page->SourceTree()->setCurrentItem(p.page->SourceItemOf(JoinPath(p.src, "data/sub")));
        p.SelectTarget("<Y>");
        p.page->AddButton()->click();

        const std::string file = p.w.Scratch("ledger.zlt");
        p.w.Boxes().files << NativePath(file);
        QVERIFY(p.w.App().SaveProject());
        WProjectData saved;
        QVERIFY(OpenProjectFile(saved, file));
        QCOMPARE(saved.DefaultFolder, p.src);
        WTargetTree tree(saved);
        const std::pair<const char*, std::string> places[] = {
            {"<D>\\bin\\lib\\app.exe", p.src},
            {"<D>\\bin\\lib\\x.dll", JoinPath(p.src, "lib")},
            {"<Windows System Folder>\\sub\\b.dat", JoinPath(p.src, "data/sub")}};
        for (const auto& [place, folder] : places) {
            const WTargetNode* node = tree.Find(place);
            QVERIFY2(node, place);
            // "\\" and "/" both separate folders in the engine's paths.
            QCOMPARE(QString::fromStdString(DisplayPath(node->Element()->GetSourceDir())),
                     QString::fromStdString(DisplayPath(folder)));
        }
        QVERIFY(tree.Unplaced().empty());
    }

    void contextMenuAndProperties() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.Browse(p.src));
        p.Add("lib", "<D>");
        p.Add("readme.txt", "<D>");

        auto enabled = [&](QTreeWidgetItem* item) {
            std::unique_ptr<QMenu> menu(p.page->ContextMenu(item));
            QStringList on;
            for (QAction* action : menu->actions()) {
                if (!action->isSeparator() && action->isEnabled())
                    on << action->text();
            }
            return on;
        };
        std::unique_ptr<QMenu> menu(p.page->ContextMenu(nullptr));
        QStringList all;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator())
                all << action->text();
        }
        QCOMPARE(all, (QStringList{"Add &Folder", "&Remove", "Re&name", "&Properties", "&Cut",
                                   "&Paste", "Remove &All Files"}));
        QVERIFY(enabled(nullptr).isEmpty());
        QCOMPARE(enabled(p.Target("<D>")), (QStringList{"Add &Folder", "Remove &All Files"}));
        QCOMPARE(enabled(p.Target("<D>\\lib")),
                 (QStringList{"Add &Folder", "&Remove", "Re&name", "&Cut", "Remove &All Files"}));
        QCOMPARE(enabled(p.Target("<D>\\readme.txt")),
                 (QStringList{"&Remove", "Re&name", "&Properties", "&Cut"}));

        // Cut and Paste move the node into the folder clicked.
        p.SelectTarget("<D>\\readme.txt");
        p.page->OnCut();
        QVERIFY(enabled(p.Target("<D>\\lib")).contains(QStringLiteral("&Paste")));
        QVERIFY(!enabled(p.Target("<D>\\readme.txt")).contains(QStringLiteral("&Paste")));
        p.SelectTarget("<D>\\lib");
        p.page->OnPaste();
        QVERIFY(p.Files().contains(QStringLiteral("readme.txt|<D>|lib\\readme.txt")));
        QVERIFY(!enabled(p.Target("<D>\\lib")).contains(QStringLiteral("&Paste")));

        // Properties: a folder is no file; a file opens its sheet, and a new
        // destination there moves it in the tree.
        p.w.Boxes().Forget();
        p.SelectTarget("<D>\\lib");
        p.page->PropertiesButton()->click();
        QCOMPARE(p.Shown(), QStringList{QStringLiteral("Please select a file")});
        p.SelectTarget("<D>\\lib\\x.dll");
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            auto* sheet = qobject_cast<FilePropSheet*>(QApplication::activeModalWidget());
            if (!sheet)
                return;
            opened = true;
            auto* folder = sheet->findChild<QComboBox*>(QStringLiteral("destinationFolder"));
            folder->setCurrentIndex(folder->findText(QStringLiteral("<Windows System Folder>")));
            auto* directory = sheet->findChild<QLineEdit*>(QStringLiteral("destinationDirectory"));
            directory->setText(QStringLiteral("drivers"));
            emit directory->textEdited(directory->text());
            sheet->ButtonBox()->button(QDialogButtonBox::Ok)->click();
        });
        p.w.App().SetModified(0);
        p.page->PropertiesButton()->click();
        QVERIFY(opened);
        QVERIFY(p.Files().contains(QStringLiteral("lib\\x.dll|<Y>|drivers\\x.dll")));
        QVERIFY(!p.page->Tree()->Find("<D>\\lib\\x.dll"));
        QCOMPARE(p.page->TargetTree()->currentItem(), p.Target("<Y>\\drivers\\x.dll"));
        QVERIFY(p.w.App().Modified());
    }
};

VANTREL_WIZARD_TEST_MAIN(FilesPageTest)
#include "files_page_test.moc"
