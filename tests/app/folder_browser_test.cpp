// The folder browser: OK follows the path, typed refusals and their boxes,
// creating a missing folder, the tree following folders made and removed by
// others, the tree's commands, and the finish page's Browse through it.
#include <unistd.h>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "app/folder_browser.h"
#include "app/support/scripted_dialogs.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_finish.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

namespace {

const QString kCharacters = QStringLiteral(
    "A directory cannot contain any of the following characters:\n\t/ * ? \\ \" < > | : ,");
// In a path "/" and "\\" separate folders and the drive has its colon.
const QString kPathCharacters =
    QStringLiteral("A directory cannot contain any of the following characters:\n\t* ? \" < > | ,");
const QString kReadOnly =
    QStringLiteral("The directory exists, however you do not have write access to this location.");

Dialogs::FolderRequest Request(const QString& start, int options = 17, bool readOnly = false) {
    Dialogs::FolderRequest r;
    r.caption = QStringLiteral("Please select a directory");
    r.startFolder = start;
    r.options = options;
    r.acceptReadOnly = readOnly;
    return r;
}

// Replaces the edit box's text key by key, as a user would.
void Type(WFolderBrowser& b, const QString& text) {
    b.PathEdit()->selectAll();
    QTest::keyClicks(b.PathEdit(), text);
}

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

}  // namespace

class FolderBrowserTest : public QObject {
    Q_OBJECT

  private slots:
    void okFollowsThePathAndTypedRefusalsAreShown() {
        QTemporaryDir dir;
        ScriptedDialogs boxes;
        WFolderBrowser b(boxes);
        b.Setup(Request(dir.path()));
        QCOMPARE(b.CaptionLabel()->text(), QStringLiteral("Please select a directory"));
        QCOMPARE(b.PathEdit()->text(), dir.path());
        QVERIFY(b.OkButton()->isEnabled());
        QCOMPARE(b.SelectedFolder(), dir.path());

        // A forbidden character is refused as it is typed, beside the edit
        // box and without a box: the keys after it are all taken.
        QTest::keyClicks(b.PathEdit(), QStringLiteral("/sub*dir"));
        QCOMPARE(boxes.Texts(), QStringList());
        QCOMPARE(b.PathEdit()->text(), dir.path() + QStringLiteral("/subdir"));
        QVERIFY(!b.TypingNote()->isHidden());
        QCOMPARE(b.TypingNote()->text(), kPathCharacters);
        QTest::keyClick(b.PathEdit(), Qt::Key_Backspace);
        // A character Windows-1252 cannot hold goes the same way.
        QTest::sendKeyEvent(QTest::Press, b.PathEdit(), Qt::Key_unknown,
                            QString::fromUtf8("\xE2\x98\x83"), Qt::NoModifier);
        QTest::keyClicks(b.PathEdit(), QStringLiteral("x"));
        QCOMPARE(b.PathEdit()->text(), dir.path() + QStringLiteral("/subdix"));
        QVERIFY(b.TypingNote()->text().contains(QString::fromUtf8("\xE2\x98\x83")));
        QCOMPARE(boxes.Texts(), QStringList());
        Type(b, dir.path());
        QVERIFY(b.OkButton()->isEnabled());

        // A trailing separator names the same folder.
        Type(b, dir.path() + QStringLiteral("/"));
        QCOMPARE(b.SelectedFolder(), dir.path());
        QVERIFY(b.OkButton()->isEnabled());

        // Other refusals wait for OK (or Enter); meanwhile OK is off.
        boxes.Forget();
        Type(b, QStringLiteral("relative"));
        QVERIFY(!b.OkButton()->isEnabled());
        QVERIFY(boxes.shown.isEmpty());
        QTest::keyClick(b.PathEdit(), Qt::Key_Return);
        QCOMPARE(boxes.Texts(),
                 QStringList{QStringLiteral(
                     "The drive provided could not be accessed because it does not exist.")});
        QCOMPARE(b.PathEdit()->text(), dir.path());
        QVERIFY(b.OkButton()->isEnabled());
        QVERIFY(b.result() != QDialog::Accepted);

        if (RunningAsRoot())
            QSKIP("permissions do not bite for root");
        const QString readOnly = dir.filePath(QStringLiteral("ro"));
        QVERIFY(QDir().mkdir(readOnly));
        QVERIFY(QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner));
        // Picked in the tree: checked quietly.
        boxes.Forget();
        b.Tree()->setCurrentIndex(b.IndexOf(readOnly));
        QCOMPARE(b.PathEdit()->text(), readOnly);
        QVERIFY(!b.OkButton()->isEnabled());
        QVERIFY(boxes.shown.isEmpty());
        // Typed and confirmed: the box, and the last accepted path back.
        Type(b, readOnly);
        b.OnOk();
        QCOMPARE(boxes.Texts(), QStringList{kReadOnly});
        QVERIFY(b.result() != QDialog::Accepted);
        // The files page's choice takes it.
        b.Setup(Request(readOnly, 273, true));
        QVERIFY(b.OkButton()->isEnabled());
        b.OnOk();
        QCOMPARE(b.result(), int(QDialog::Accepted));
        QCOMPARE(b.Path(), readOnly);
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void missingFolderIsCreatedOnlyWhenConfirmed() {
        QTemporaryDir dir;
        ScriptedDialogs boxes;
        WFolderBrowser b(boxes);
        b.Setup(Request(dir.path()));
        const QString missing = dir.filePath(QStringLiteral("new/deeper"));
        Type(b, missing);
        QVERIFY(b.OkButton()->isEnabled());

        boxes.answers << Answer::No;
        b.OnOk();
        QCOMPARE(boxes.shown.size(), 1);
        QCOMPARE(
            boxes.shown[0].text,
            QStringLiteral(
                "The chosen directory does not exist. Would you like the setup to create it?"));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Create Confirm"));
        QCOMPARE(boxes.shown[0].buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(boxes.shown[0].defaultAnswer, Answer::No);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("new"))));
        QCOMPARE(b.PathEdit()->text(), dir.path());
        QVERIFY(b.result() != QDialog::Accepted);

        Type(b, missing + QStringLiteral("/"));
        boxes.answers << Answer::Yes;
        QTest::keyClick(b.PathEdit(), Qt::Key_Return);
        QCOMPARE(b.result(), int(QDialog::Accepted));
        QCOMPARE(b.Path(), missing);
        QVERIFY(QFileInfo(missing).isDir());
    }

    void treeFollowsFoldersMadeAndRemovedOutside() {
        QTemporaryDir dir;
        ScriptedDialogs boxes;
        WFolderBrowser b(boxes);
        b.Setup(Request(dir.path()));
        auto* model = qobject_cast<QFileSystemModel*>(b.Tree()->model());
        QVERIFY(model);
        const QModelIndex folder = b.IndexOf(dir.path());
        b.Tree()->expand(folder);
        QTRY_VERIFY(!model->canFetchMore(folder));
        QCOMPARE(model->rowCount(folder), 0);

        const QString outside = dir.filePath(QStringLiteral("made outside"));
        QVERIFY(QDir().mkdir(outside));
        QTRY_COMPARE(model->rowCount(folder), 1);
        QCOMPARE(model->fileName(model->index(0, 0, folder)), QStringLiteral("made outside"));
        // Hidden folders stay out of the tree.
        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral(".hidden"))));
        QVERIFY(QDir().rmdir(outside));
        QTRY_COMPARE(model->rowCount(folder), 0);
    }

    void newFolderRenameAndDeleteThroughTheTree() {
        QTemporaryDir dir;
        ScriptedDialogs boxes;
        WFolderBrowser b(boxes);
        b.Setup(Request(dir.path()));
        QAbstractItemModel* model = b.Tree()->model();

        b.OnNewFolder();
        const QString first = dir.filePath(QStringLiteral("New Folder"));
        QVERIFY(QFileInfo(first).isDir());
        QCOMPARE(b.SelectedFolder(), first);
        QCOMPARE(b.PathEdit()->text(), first);
        QVERIFY(model->flags(b.IndexOf(first)) & Qt::ItemIsEditable);

        // The label edit renames the folder.
        QVERIFY(model->setData(b.IndexOf(first), QStringLiteral("Renamed")));
        const QString renamed = dir.filePath(QStringLiteral("Renamed"));
        QVERIFY(QFileInfo(renamed).isDir());
        QVERIFY(!QFileInfo::exists(first));
        QCOMPARE(b.SelectedFolder(), renamed);
        QCOMPARE(b.PathEdit()->text(), renamed);

        // Two new folders in one parent: the base name, then with a 0.
        b.Tree()->setCurrentIndex(b.IndexOf(dir.path()));
        b.OnNewFolder();
        b.Tree()->setCurrentIndex(b.IndexOf(dir.path()));
        b.OnNewFolder();
        QVERIFY(QFileInfo(first).isDir());
        const QString second = dir.filePath(QStringLiteral("New Folder 0"));
        QVERIFY(QFileInfo(second).isDir());

        // Refused names leave the folder as it was.
        boxes.Forget();
        QVERIFY(!model->setData(b.IndexOf(second), QStringLiteral("Renamed")));
        QVERIFY(!model->setData(b.IndexOf(second), QStringLiteral("a?b")));
        QCOMPARE(boxes.Texts(),
                 (QStringList{QStringLiteral(
                                  "The name you entered already exists.Folder cannot be renamed."),
                              kCharacters}));
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Rename Error"));
        QVERIFY(QFileInfo(second).isDir());

        // Delete asks first; No keeps the folder, Yes removes it with its
        // contents and selects a neighbour.
        QFile file(renamed + QStringLiteral("/inside.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        b.Tree()->setCurrentIndex(b.IndexOf(renamed));
        boxes.Forget();
        boxes.answers << Answer::No;
        b.OnDelete();
        QVERIFY(QFileInfo(renamed).isDir());
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Delete Confirm"));
        QCOMPARE(boxes.shown[0].defaultAnswer, Answer::No);
        QCOMPARE(boxes.shown[0].text,
                 QStringLiteral("Are you sure you want to delete the directory (%1) and all its "
                                "contents permanently?")
                     .arg(renamed));
        boxes.answers << Answer::Yes;
        b.OnDelete();
        QVERIFY(!QFileInfo::exists(renamed));
        QVERIFY(!b.SelectedFolder().isEmpty());
        QVERIFY(b.SelectedFolder() != renamed);

        // "/", the folders right below it and the home folder stay.
        b.Tree()->setCurrentIndex(b.IndexOf(QStringLiteral("/")));
        QVERIFY(!b.DeleteButton()->isEnabled());
        QVERIFY(!b.RenameButton()->isEnabled());
        b.Tree()->setCurrentIndex(b.IndexOf(QDir::homePath()));
        QVERIFY(!b.DeleteButton()->isEnabled());
        QVERIFY(b.NewFolderButton()->isEnabled());
    }

    void finishPageBrowsesThroughTheBrowser() {
        WizardFixture w;
        QVERIFY(w.GoTo(10));
        auto* page = w.Current<WPageFinish>();
        QVERIFY(page);
        QTemporaryDir dir;
        const QString media = dir.filePath(QStringLiteral("media"));
        w.Boxes().answers << Answer::Yes;
        w.Boxes().folderBrowser = [&](WFolderBrowser& b) {
            QCOMPARE(b.CaptionLabel()->text(), QStringLiteral("Please select a directory"));
            Type(b, media);
            b.OnOk();
        };
        page->OnBrowse();
        QCOMPARE(page->FolderEdit()->text(), media);
        QVERIFY(QFileInfo(media).isDir());
        QCOMPARE(w.Boxes().folderDialogs.size(), 1);
        QCOMPARE(w.Boxes().folderDialogs[0].options, 17);
        QVERIFY(!w.Boxes().folderDialogs[0].acceptReadOnly);

        // Cancel leaves the field alone.
        w.Boxes().folderBrowser = [](WFolderBrowser& b) { b.reject(); };
        page->OnBrowse();
        QCOMPARE(page->FolderEdit()->text(), media);
        QCOMPARE(w.Boxes().folderDialogs[1].startFolder, media);
    }
};

VANTREL_WIZARD_TEST_MAIN(FolderBrowserTest)
#include "folder_browser_test.moc"
