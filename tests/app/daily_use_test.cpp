// Working on the pages day to day: a source tree that follows the disk,
// empty target folders that survive a page change, the target tree's keys,
// the focus after a dialog, the tab order of every page and dialog, lists whose columns
// fit their texts, dialog titles that fit, and a project file given to the
// program at start.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "app/list_columns.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "app/support/every_dialog.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_cust_file.h"
#include "elements/setup_reg_entry.h"
#include "pages/file_prop_sheet.h"
#include "pages/files_page.h"
#include "pages/page_list.h"
#include "pages/page_welcome.h"
#include "pages/project.h"
#include "pages/reg_key_dialog.h"
#include "pages/text_replacement_dialog.h"
#include "platform/paths.h"
#include "project/target_tree.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

constexpr int kFilesPage = 5;

// The wizard on the files page with src/app.exe, src/readme.txt and
// src/data/a.dat shown in the source tree.
struct FilesPage {
    WizardFixture w;
    WFilesPage* page = nullptr;
    std::string src;

    FilesPage() {
        src = w.Scratch("src");
        for (const char* name : {"app.exe", "readme.txt", "data/a.dat"})
            Write(name);
        if (!w.GoTo(kFilesPage))
            return;
        page = w.Current<WFilesPage>();
        w.Boxes().folders << NativePath(src);
        page->BrowseButton()->click();
    }
    void Write(const std::string& name) const {
        QDir().mkpath(QFileInfo(NativePath(w.Scratch("src/" + name))).path());
        w.WriteScratch("src/" + name, "bytes");
    }
    QStringList Children(const char* relative) const {
        QTreeWidgetItem* item = page->SourceItemOf(*relative ? JoinPath(src, relative) : src);
        QStringList names;
        for (int i = 0; item && i < item->childCount(); ++i)
            names << item->child(i)->text(0);
        return names;
    }
    QTreeWidgetItem* Target(const char* path) const {
        return page->ItemOf(page->Tree()->Find(path));
    }
    void Key(const char* path, int key) const {
        page->TargetTree()->setCurrentItem(Target(path));
        QTest::keyClick(page->TargetTree(), Qt::Key(key));
    }
};

// Every control that Tab reaches inside `root`, in tab order.
QList<QWidget*> TabChain(QWidget* root) {
    QList<QWidget*> chain;
    QWidget* first = root->nextInFocusChain();
    for (QWidget* w = first; w && w != root; w = w->nextInFocusChain()) {
        if (root->isAncestorOf(w) && w->isVisibleTo(root) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            chain << w;
        if (w->nextInFocusChain() == first)
            break;
    }
    return chain;
}

// The steps of Tab inside `root` that go to a control above the last one,
// or to its left on the same line.
QStringList TabOrderFaults(QWidget* root, const QString& name) {
    QStringList faults;
    const QList<QWidget*> chain = TabChain(root);
    for (int i = 1; i < chain.size(); ++i) {
        const QRect a(chain[i - 1]->mapTo(root, QPoint()), chain[i - 1]->size());
        const QRect b(chain[i]->mapTo(root, QPoint()), chain[i]->size());
        const bool above = b.bottom() < a.top();
        const bool sameLine = b.top() <= a.bottom() && a.top() <= b.bottom();
        const bool left = sameLine && b.right() < a.left();
        if (above || left)
            faults << QStringLiteral("%1: %2 -> %3")
                          .arg(name, chain[i - 1]->objectName(), chain[i]->objectName());
    }
    return faults;
}

}  // namespace

class DailyUseTest : public QObject {
    Q_OBJECT

  private slots:
    void sourceTreeFollowsTheDisk() {
        FilesPage p;
        QVERIFY(p.page);
        QCOMPARE(p.Children(""), (QStringList{"data", "app.exe", "readme.txt"}));
        p.page->SourceItemOf(JoinPath(p.src, "data"))->setExpanded(true);
        p.Write("new.txt");
        p.Write("data/b.dat");
        QVERIFY(QDir().mkpath(NativePath(JoinPath(p.src, "aaa"))));
        QTRY_COMPARE(p.Children(""),
                     (QStringList{"aaa", "data", "app.exe", "new.txt", "readme.txt"}));
        QTRY_COMPARE(p.Children("data"), (QStringList{"a.dat", "b.dat"}));
        QVERIFY(p.page->SourceItemOf(JoinPath(p.src, "data"))->isExpanded());
        QVERIFY(QFile::remove(NativePath(JoinPath(p.src, "readme.txt"))));
        QTRY_COMPARE(p.Children(""), (QStringList{"aaa", "data", "app.exe", "new.txt"}));
    }

    void emptyFoldersStayWhileTheWizardRuns() {
        FilesPage p;
        QVERIFY(p.page);
        p.page->TargetTree()->setCurrentItem(p.Target("<Target Folder>"));
        p.page->AddFolderButton()->click();
        p.page->TargetTree()->setCurrentItem(p.Target("<Target Folder>\\folder"));
        p.page->AddFolderButton()->click();
        QVERIFY(p.Target("<Target Folder>\\folder\\folder"));
        p.w.Sheet()->OnNext();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kFilesPage);
        QVERIFY(p.Target("<Target Folder>\\folder\\folder"));
        // A new project starts without them.
        p.w.Sheet()->SetActivePage(0);
        p.w.Current<WPageWelcome>()->NewButton()->click();
        QVERIFY(p.w.GoTo(kFilesPage));
        QVERIFY(p.Target("<Target Folder>"));
        QVERIFY(!p.Target("<Target Folder>\\folder"));
    }

    void targetTreeKeys() {
        FilesPage p;
        QVERIFY(p.page);
        p.page->SourceTree()->setCurrentItem(p.page->SourceItemOf(JoinPath(p.src, "app.exe")));
        p.page->TargetTree()->setCurrentItem(p.Target("<Target Folder>"));
        p.page->AddButton()->click();
        QVERIFY(p.Target("<Target Folder>\\app.exe"));

        // Delete asks first; No keeps the file, Yes removes it.
        p.w.Boxes().Forget();
        p.w.Boxes().answers << Dialogs::Answer::No;
        p.Key("<Target Folder>\\app.exe", Qt::Key_Delete);
        QCOMPARE(p.w.Boxes().Texts(), QStringList{QString::fromLatin1(WTargetTree::kRemoveFile)});
        QVERIFY(p.Target("<Target Folder>\\app.exe"));

        // Enter and a double click open the file's properties.
        int sheets = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&sheets] {
            if (auto* sheet = qobject_cast<FilePropSheet*>(QApplication::activeModalWidget())) {
                ++sheets;
                sheet->reject();
            }
        });
        closer.start(20);
        p.Key("<Target Folder>\\app.exe", Qt::Key_Return);
        QCOMPARE(sheets, 1);
        emit p.page->TargetTree()->itemDoubleClicked(p.Target("<Target Folder>\\app.exe"), 0);
        QCOMPARE(sheets, 2);
        closer.stop();

        // F2 renames a file; a root cannot be renamed.
        p.w.Boxes().Forget();
        p.Key("<Target Folder>", Qt::Key_F2);
        QCOMPARE(p.w.Boxes().Texts(), QStringList{QString::fromLatin1(WTargetTree::kRenameRoot)});
        p.Key("<Target Folder>\\app.exe", Qt::Key_F2);
        auto* editor = p.page->TargetTree()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        editor->setText(QStringLiteral("ledger.exe"));
        QTest::keyClick(editor, Qt::Key_Return);  // renames, opens nothing
        QTRY_VERIFY(p.Target("<Target Folder>\\ledger.exe"));
        QCOMPARE(sheets, 2);

        p.w.Boxes().answers << Dialogs::Answer::Yes;
        p.Key("<Target Folder>\\ledger.exe", Qt::Key_Delete);
        QVERIFY(!p.Target("<Target Folder>\\ledger.exe"));
        // Delete on a root removes nothing and asks nothing.
        p.w.Boxes().Forget();
        p.Key("<Target Folder>", Qt::Key_Delete);
        QVERIFY(p.w.Boxes().shown.isEmpty());
    }

    void focusReturnsAfterADialog() {
        QWidget window;
        auto* first = new QLineEdit(&window);
        auto* browse = new QPushButton(QStringLiteral("Browse"), &window);
        browse->move(0, 40);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        browse->setFocus();
        QCOMPARE(QApplication::focusWidget(), browse);
        QtDialogs dialogs;
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                if (QWidget* field = dialog->findChild<QLineEdit*>())
                    field->setFocus();
                dialog->reject();
            }
        });
        QString chosen;
        Dialogs::FolderRequest request;
        request.startFolder = QDir::tempPath();
        QVERIFY(!dialogs.ChooseFolder(request, chosen, &window));
        QTRY_COMPARE(QApplication::focusWidget(), browse);
        Q_UNUSED(first);
    }

    // Tab goes from each control to one that is not above it, and not to its
    // left on the same line: on every page, in every dialog and on every tab
    // of the File Properties sheet.
    void tabOrderFollowsThePages() {
        WizardFixture w;
        w.Sheet()->resize(900, 680);
        QStringList faults;
        for (int index = 0; index < w.Sheet()->PageCount(); ++index) {
            if (index > 0)
                QVERIFY(w.GoTo(index));
            QCoreApplication::processEvents();
            faults << TabOrderFaults(w.Sheet()->CurrentPage(), w.Sheet()->CurrentPage()->Caption());
        }
        EveryDialog dialogs(w);
        dialogs.ForEachView([&faults](const QString& name, QWidget* window) {
            faults << TabOrderFaults(window, name);
        });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void columnsFitTheirTexts() {
        QTreeWidget list;
        list.setHeaderLabels({"Root", "Key", "Value"});
        FitColumns(&list);
        const QString key = QStringLiteral("Software\\Acme Software\\Ledger\\2.1\\Settings\\Paths");
        auto* row = new QTreeWidgetItem(&list, {"HKEY_LOCAL_MACHINE", key, "1"});
        list.resize(900, 200);
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QCoreApplication::processEvents();
        const QFontMetrics metrics(list.font());
        for (int column : {0, 1})
            QVERIFY(list.columnWidth(column) > metrics.horizontalAdvance(row->text(column)));

        // Narrow: the texts give way so that every column stays in the view.
        list.resize(300, 200);
        QCoreApplication::processEvents();
        QVERIFY(list.columnWidth(0) + list.columnWidth(1) <= list.viewport()->width());
        QCOMPARE(list.textElideMode(), Qt::ElideMiddle);

        // A width the user chose stays through resizes and new rows.
        list.resize(900, 200);
        list.header()->resizeSection(0, 77);
        new QTreeWidgetItem(&list, {"HKEY_CURRENT_USER_WITH_A_LONG_NAME", "k", "v"});
        list.resize(700, 200);
        QCoreApplication::processEvents();
        QCOMPARE(list.columnWidth(0), 77);
    }

    void dialogTitlesFit() {
        WizardFixture w;
        WSetupRegEntry entry;
        WRegKeyDialog keys(entry, w.Boxes());
        WSetupCustFile replacement;
        WTextReplacementDialog text(replacement, w.Boxes());
        for (QDialog* dialog : std::initializer_list<QDialog*>{&keys, &text}) {
            dialog->adjustSize();
            const int title = dialog->fontMetrics().horizontalAdvance(dialog->windowTitle());
            QVERIFY2(dialog->width() > title, qPrintable(dialog->windowTitle()));
        }
    }

    void aProjectGivenAtStartIsOpened() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        WizardFixture first(setup);
        QVERIFY(first.GoTo(1));
        first.Current<WProject>()->NameEdit()->setText(QStringLiteral("Ledger"));
        QVERIFY(first.GoTo(2));
        const std::string file = first.Scratch("ledger.zlt");
        first.App().SetModified(1);
        first.Boxes().files << NativePath(file);
        QVERIFY(first.App().SaveProject());

        WizardFixture second(setup);
        QVERIFY(OpenProjectAtStart(second.App(), NativePath(file)));
        QCOMPARE(second.Sheet()->CurrentIndex(), 1);
        QCOMPARE(second.Project()->GetApplicationName(), std::string("Ledger"));
        QCOMPARE(second.Project()->ProjectFile, file);

        // A file that is not there keeps the Welcome page, with its message.
        WizardFixture third(setup);
        QVERIFY(!OpenProjectAtStart(third.App(), NativePath(third.Scratch("gone.zlt"))));
        QCOMPARE(third.Sheet()->CurrentIndex(), 0);
        QCOMPARE(third.Boxes().LastText(),
                 QStringLiteral("Unable to open the previous project file. Try again."));
    }
};

VANTREL_WIZARD_TEST_MAIN(DailyUseTest)
#include "daily_use_test.moc"
