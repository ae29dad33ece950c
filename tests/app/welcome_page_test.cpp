// The welcome page: the three modes, the recent list, browsing, opening a
// project file (and its failures) and the save question before another
// project replaces the current one.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_welcome.h"
#include "pages/project.h"
#include "project/recent_projects.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

namespace {

const QString kNoPath = QStringLiteral("You must choose a distribution project file to continue.");
const QString kMissing = QStringLiteral("Unable to open the previous project file. Try again.");
const QString kUnreadable =
    QStringLiteral("There was a problem in reading the Project. Try Again.");
const QString kSaveFirst = QStringLiteral(
    "You may have changed some settings in your current project.  Would you like to save your "
    "settings before continuing?");

WizardFixture::Setup EngineFiles() {
    WizardFixture::Setup setup;
    setup.engineFiles = true;
    setup.deferStart = true;
    return setup;
}

void ChooseOpen(WPageWelcome* page, const QString& path) {
    page->OpenButton()->click();
    page->PathBox()->setEditText(path);
}

// Saves the project of `w` as `path` through the save command and its dialog.
bool SaveAs(WizardFixture& w, const std::string& path) {
    w.App().SetModified(1);
    w.Boxes().files << NativePath(path);
    return w.App().SaveProject();
}

}  // namespace

class WelcomePageTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutRecentProjectsANewProjectIsProposed() {
        WizardFixture w;
        auto* page = w.Current<WPageWelcome>();
        QVERIFY(page->NewButton()->isChecked());
        QCOMPARE(page->window()->focusWidget(), page->NewButton());
        QVERIFY(!page->PathBox()->isEnabled());
        QVERIFY(!page->SelectButton()->isEnabled());
        QVERIFY(!page->ContinueButton()->isEnabled());
        QCOMPARE(w.Project()->ProjectStarted, 0);

        page->OpenButton()->click();
        QVERIFY(page->PathBox()->isEnabled());
        QVERIFY(page->SelectButton()->isEnabled());
        QCOMPARE(w.Project()->OpenProjectMode, 1);
        QCOMPARE(w.Project()->NewProjectMode, 0);
        w.Project()->DefaultFolder = "C:\\Sources";
        page->NewButton()->click();
        QVERIFY(!page->PathBox()->isEnabled());
        QCOMPARE(w.Project()->NewProjectMode, 1);
        QCOMPARE(w.Project()->DefaultFolder, std::string());
    }

    void recentProjectsThatStillExistAreOffered() {
        WizardFixture w(EngineFiles());
        const std::string kept = w.WriteScratch("kept.zlt", "x");
        const std::string gone = w.WriteScratch("gone.zlt", "x");
        QVERIFY(AddRecentProject(kept));
        QVERIFY(AddRecentProject(gone));
        QVERIFY(QFile::remove(NativePath(gone)));
        w.Start();

        auto* page = w.Current<WPageWelcome>();
        QCOMPARE(page->PathBox()->count(), 1);
        QCOMPARE(page->PathBox()->currentText(), NativePath(kept));
        QVERIFY(page->OpenButton()->isChecked());
        QVERIFY(page->PathBox()->isEnabled());
        QVERIFY(!page->ContinueButton()->isEnabled());
        // The chosen way in has the focus.
        QCOMPARE(page->window()->focusWidget(), page->OpenButton());
    }

    void openFailuresKeepTheUserOnThePage() {
        WizardFixture w(EngineFiles());
        w.Start();
        auto* page = w.Current<WPageWelcome>();

        ChooseOpen(page, QString());
        w.Sheet()->OnNext();
        QCOMPARE(w.Boxes().Texts(), QStringList{kNoPath});

        ChooseOpen(page, NativePath(w.Scratch("nowhere.zlt")));
        w.Sheet()->OnNext();
        QCOMPARE(w.Boxes().LastText(), kMissing);
        QCOMPARE(w.Sheet()->CurrentIndex(), 0);

        // A file that is not a project archive: the project is back at its
        // defaults and the page can be used again.
        w.Project()->CompanyName = "Changed";
        ChooseOpen(page, NativePath(w.WriteScratch("notes.zlt", "just some text\r\n")));
        w.Sheet()->OnNext();
        QCOMPARE(w.Boxes().LastText(), kUnreadable);
        QCOMPARE(w.Boxes().shown.size(), 3);
        QCOMPARE(w.Sheet()->CurrentIndex(), 0);
        QCOMPARE(w.Project()->CompanyName, std::string("Oxbel Corporation"));
        QCOMPARE(w.Project()->OpenProjectMode, 0);
        QCOMPARE(w.Project()->HasProjectFile, 0);
        QVERIFY(w.Sheet()->Button(CPSheet::Next)->isEnabled());
        QVERIFY(w.Sheet()->Button(CPSheet::Cancel)->isEnabled());
        QVERIFY(page->PathBox()->isEnabled());
        QVERIFY(page->NewButton()->isEnabled());
        QVERIFY(!page->findChild<QDialog*>(QStringLiteral("wait")));
    }

    void aSavedProjectOpensAgain() {
        WizardFixture w(EngineFiles());
        w.Start();
        QVERIFY(w.GoTo(1));
        auto* info = w.Current<WProject>();
        info->NameEdit()->setText(QStringLiteral("Ledger"));
        info->CompanyEdit()->setText(QStringLiteral("Acme"));
        QVERIFY(w.GoTo(2));
        const std::string file = w.Scratch("ledger.zlt");
        QVERIFY(SaveAs(w, file));
        QCOMPARE(w.App().Modified(), 0);

        // Back on the welcome page: the saved file heads the list, and
        // continuing is offered because a project was started.
        w.Sheet()->SetActivePage(0);
        auto* page = w.Current<WPageWelcome>();
        QCOMPARE(page->PathBox()->itemText(0), NativePath(file));
        QVERIFY(page->ContinueButton()->isEnabled());
        QVERIFY(page->ContinueButton()->isChecked());
        QVERIFY(!page->PathBox()->isEnabled());

        // Open it into a fresh project.
        w.Project()->CompanyName = "Somebody else";
        page->OpenButton()->click();
        QCOMPARE(page->PathBox()->currentText(), NativePath(file));
        w.Boxes().Forget();
        w.Sheet()->OnNext();
        QCOMPARE(w.Sheet()->CurrentIndex(), 1);
        QVERIFY(w.Boxes().shown.isEmpty());
        QCOMPARE(w.Project()->GetApplicationName(), std::string("Ledger"));
        QCOMPARE(w.Project()->CompanyName, std::string("Acme"));
        QCOMPARE(w.Project()->OpenProjectMode, 1);
        QCOMPARE(w.Project()->HasProjectFile, 1);
        QCOMPARE(w.Project()->ProductNameSet, 1);
        QCOMPARE(w.Project()->ProjectStarted, 1);
        QCOMPARE(w.Project()->ProjectFile, file);
        QCOMPARE(w.Current<WProject>()->NameEdit()->text(), QStringLiteral("Ledger"));
    }

    void changesOfAStartedProjectAreOfferedForSaving() {
        {
            // No: the changes are dropped and no longer count as unsaved.
            WizardFixture w;
            QVERIFY(w.GoTo(1));
            w.Sheet()->OnBack();
            auto* page = w.Current<WPageWelcome>();
            QVERIFY(page->ContinueButton()->isChecked());
            w.App().SetModified(1);
            page->NewButton()->click();
            w.Boxes().answers << Answer::No << Answer::No;
            w.Sheet()->OnNext();
            QCOMPARE(w.Sheet()->CurrentIndex(), 1);
            QCOMPARE(w.App().Modified(), 0);
            w.Sheet()->OnCancel();
            QCOMPARE(w.Boxes().Texts(),
                     (QStringList{kSaveFirst, QStringLiteral("Are you sure you want to exit?")}));
            QCOMPARE(w.Files()->saves, 0);
        }
        {
            // Yes, but the save dialog is cancelled: nothing is replaced.
            WizardFixture w;
            QVERIFY(w.GoTo(1));
            w.Sheet()->OnBack();
            w.Project()->CompanyName = "Kept";
            w.App().SetModified(1);
            w.Current<WPageWelcome>()->NewButton()->click();
            w.Files()->saveResults << false;
            w.Boxes().answers << Answer::Yes;
            w.Sheet()->OnNext();
            QCOMPARE(w.Files()->saves, 1);
            QCOMPARE(w.Sheet()->CurrentIndex(), 0);
            QCOMPARE(w.App().Modified(), 1);
            QCOMPARE(w.Project()->CompanyName, std::string("Kept"));
        }
        {
            // Continuing asks nothing.
            WizardFixture w;
            QVERIFY(w.GoTo(1));
            w.Sheet()->OnBack();
            w.App().SetModified(1);
            w.Sheet()->OnNext();
            QCOMPARE(w.Sheet()->CurrentIndex(), 1);
            QVERIFY(w.Boxes().shown.isEmpty());
            QCOMPARE(w.App().Modified(), 1);
        }
    }

    void selectBrowsesForAProjectFile() {
        WizardFixture w;
        auto* page = w.Current<WPageWelcome>();
        page->OpenButton()->click();

        // Nothing typed: the installation's MySetup folder.
        w.Boxes().files << QString();
        page->SelectButton()->click();
        QCOMPARE(w.Boxes().fileDialogs.size(), 1);
        const Dialogs::FileRequest first = w.Boxes().fileDialogs[0].request;
        QVERIFY(!w.Boxes().fileDialogs[0].save);
        QCOMPARE(first.filter, QStringLiteral("Tessary Vantrel (*.zlt)|*.zlt|"));
        QCOMPARE(first.defaultSuffix, QStringLiteral("zlt"));
        QCOMPARE(first.fileName, QStringLiteral(".zlt"));
        QCOMPARE(QDir(first.folder).dirName(), QStringLiteral("MySetup"));
        QCOMPARE(page->PathBox()->currentText(), QString());

        // An existing file: its folder and name; the choice lands in the box.
        const QString existing = NativePath(w.WriteScratch("old.zlt", "x"));
        page->PathBox()->setEditText(existing);
        w.Boxes().files << QStringLiteral("/projects/new.zlt");
        page->SelectButton()->click();
        const Dialogs::FileRequest second = w.Boxes().fileDialogs[1].request;
        QCOMPARE(second.fileName, QStringLiteral("old.zlt"));
        QCOMPARE(second.folder, QFileInfo(existing).absolutePath());
        QCOMPARE(page->PathBox()->currentText(), QStringLiteral("/projects/new.zlt"));
        QCOMPARE(w.App().HelpContext(), 1000);
    }
};

VANTREL_WIZARD_TEST_MAIN(WelcomePageTest)
#include "welcome_page_test.moc"
