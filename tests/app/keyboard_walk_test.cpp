// The whole job with the keyboard alone: from Welcome to Finish, a new
// project with every page passed, a file found through the folder browser
// and added to the target tree, a registry entry, a shortcut, the project
// saved and a CD set made. Every key goes where the keyboard sends it (the
// widget with the focus, or the active window); no mouse event is sent.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include "app/folder_browser.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_reg_entry.h"
#include "pages/files_page.h"
#include "platform/paths.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/registry_keys.h"
#include "project/shortcut_rules.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

QWidget* Target() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? focus : QApplication::activeWindow();
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(Target(), key, modifiers);
}

// A mnemonic: Alt and the underlined letter. A button clicks a moment
// later, after it has shown itself pressed.
void Alt(char letter) {
    Key(Qt::Key(Qt::Key_A + (letter - 'a')), Qt::AltModifier);
    QTest::qWait(200);
}

void Type(const QString& text) {
    QTest::keyClicks(Target(), text);
}

// Tab until the focus is on the control named `name`; false when a round of
// the window's tab chain does not reach it.
bool TabTo(const char* name) {
    for (int i = 0; i < 80; ++i) {
        if (QWidget* focus = QApplication::focusWidget();
            focus && focus->objectName() == QLatin1String(name))
            return true;
        Key(Qt::Key_Tab);
    }
    qWarning("Tab does not reach %s", name);
    return false;
}

// The text of the current row of the focused list or tree.
QString CurrentRow() {
    auto* tree = qobject_cast<QTreeWidget*>(QApplication::focusWidget());
    return tree && tree->currentItem() ? tree->currentItem()->text(0) : QString();
}

// Moves down the focused tree until its current row is `text`.
bool DownTo(const QString& text) {
    for (int i = 0; i < 40 && CurrentRow() != text; ++i)
        Key(Qt::Key_Down);
    return CurrentRow() == text;
}

// Runs `keys` in the modal dialog that the next key opens, once it is there.
void InNextDialog(std::function<void()> keys) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, keys = std::move(keys)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || QApplication::activeWindow() != modal)
            return;
        poll->stop();
        poll->deleteLater();
        keys();
        // A step that failed leaves the dialog open: close it, so that the
        // test ends.
        if (QApplication::activeModalWidget() == modal)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    poll->start(20);
}

// After a modal dialog the window manager makes the window below it active
// again; the offscreen platform has none.
void Reactivate(QWidget* window) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

}  // namespace

class KeyboardWalkTest : public QObject {
    Q_OBJECT

  private slots:
    void wholeJobWithTheKeyboard() {
        WizardFixture w(WizardFixture::Setup{{}, true, true});
        QVERIFY(CopyTree(QStringLiteral(VANTREL_BINARY_DIR "/share/vantrel/installation/Distrib"),
                         NativePath(w.Install()) + QStringLiteral("/Distrib")));
        w.Start();
        const std::string src = w.Scratch("app");
        MakeFolders(src);
        w.WriteScratch("app/ledger.exe", "MZ program");
        const QString media = NativePath(w.Scratch("media"));
        const QString project = NativePath(w.Scratch("ledger.zlt"));

        w.Sheet()->show();
        w.Sheet()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.Sheet()));

        // Welcome: a new project.
        Alt('s');
        Alt('n');
        QCOMPARE(w.Sheet()->CurrentIndex(), 1);
        // Application information.
        Alt('a');
        Type(QStringLiteral("Ledger"));
        Alt('m');
        Type(QStringLiteral("Acme"));
        Alt('v');
        Type(QStringLiteral("2.1"));
        for (int page = 2; page <= 5; ++page) {
            Alt('n');
            QCOMPARE(w.Sheet()->CurrentIndex(), page);
        }

        // Files: the source folder through the folder browser (modal, as the
        // program runs it), then the file to <Target Folder>.
        w.Boxes().folderBrowser = [&src](WFolderBrowser& browser) {
            InNextDialog([&src] {
                QVERIFY(TabTo("path"));
                Key(Qt::Key_A, Qt::ControlModifier);
                Type(NativePath(src));
                Key(Qt::Key_Return);
            });
            browser.exec();
        };
        Alt('w');
        Reactivate(w.Sheet());
        QCOMPARE(w.Boxes().folderDialogs.size(), 1);
        QCOMPARE(w.Current<WFilesPage>()->SourceEdit()->text(), NativePath(src));
        QVERIFY(TabTo("targetTree"));
        QVERIFY(DownTo(QStringLiteral("<Target Folder>")));
        QVERIFY(TabTo("sourceTree"));
        QVERIFY(DownTo(QStringLiteral("ledger.exe")));
        QVERIFY(TabTo("add"));
        Key(Qt::Key_Space);
        QCOMPARE(w.Project()->ProgramFilesComponent()->ElementCount(), size_t(1));
        Alt('n');

        // Registry: one entry through the dialog.
        InNextDialog([] {
            Alt('k');
            Type(QStringLiteral("Software\\Acme\\Ledger"));
            Alt('a');
            Type(QStringLiteral("Path"));
            Alt('v');
            Type(QStringLiteral("<Target Folder>"));
            Key(Qt::Key_Return);
        });
        Alt('a');
        Reactivate(w.Sheet());
        QCOMPARE(w.Sheet()->CurrentIndex(), 6);
        Alt('n');

        // Shortcuts: one to the program.
        Alt('f');
        InNextDialog([] { Key(Qt::Key_Return); });
        Alt('a');
        Reactivate(w.Sheet());
        for (int page = 8; page <= 10; ++page) {
            Alt('n');
            QCOMPARE(w.Sheet()->CurrentIndex(), page);
        }

        // Finish: a CD set in the typed media folder, then Save.
        QVERIFY(TabTo("size"));
        Key(Qt::Key_Home);
        for (int i = 0; i < 5; ++i)  // 640 MB
            Key(Qt::Key_Down);
        QVERIFY(TabTo("mediaFolder"));
        Key(Qt::Key_A, Qt::ControlModifier);
        Type(media);
        Alt('c');
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(media + QStringLiteral("/setup32.exe")), 60000);
        QVERIFY(!QFile::exists(media + QStringLiteral("/Disk001")));
        w.Boxes().files << project;
        Alt('s');
        QTRY_VERIFY(QFile::exists(project));

        // What was typed is in the saved project.
        WProjectData saved;
        QVERIFY(OpenProjectFile(saved, w.Scratch("ledger.zlt")));
        QCOMPARE(saved.GetApplicationName(), std::string("Ledger"));
        QCOMPARE(saved.CompanyName, std::string("Acme"));
        QCOMPARE(RegistryEntries(saved).size(), size_t(1));
        QCOMPARE(RegistryEntries(saved)[0]->GetKeyPath(), std::string("Software\\Acme\\Ledger"));
        QCOMPARE(ListedShortcuts(saved).size(), size_t(1));
    }
};

VANTREL_WIZARD_TEST_MAIN(KeyboardWalkTest)
#include "keyboard_walk_test.moc"
