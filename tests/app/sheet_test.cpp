// The sheet: page order, moving between pages, the button row, the exit
// questions of Cancel, Finish and the title bar, and the help wiring.
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QtTest>

#include "app/help_window.h"
#include "app/page.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_welcome.h"
#include "project/project_file.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

class SheetTest : public QObject {
    Q_OBJECT

  private slots:
    void pagesInOrder() {
        WizardFixture w;
        const struct {
            const char* cls;
            const char* caption;
            int context;
        } expected[] = {
            {"vantrel::WPageWelcome", "Welcome to the Tessary 9 Vantrel", 1000},
            {"vantrel::WProject", "Your Application Information", 1001},
            {"vantrel::WPageBackground", "Configure Setup Background", 1002},
            {"vantrel::WPageLicense", "License Agreement and Release Notes", 1003},
            {"vantrel::WProjectDir", "Setup Options", 1005},
            {"vantrel::WFilesPage", "Files for Distribution", 1006},
            {"vantrel::WPageRegKeys", "Registry Settings", 1011},
            {"vantrel::WPageShortCuts", "Shortcuts and Shortcut Folder", 1012},
            {"vantrel::WCustPage", "Text File Customization", 1013},
            {"vantrel::WPageBDECfg", "BDE Configuration", 1014},
            {"vantrel::WPageFinish", "Create Distribution Media", 1015},
        };
        QCOMPARE(w.Sheet()->PageCount(), 11);
        QCOMPARE(w.Sheet()->windowTitle(), QStringLiteral("Tessary 9 Vantrel"));
        for (int i = 0; i < 11; ++i) {
            WPage* page = w.Sheet()->Page(i);
            QCOMPARE(page->metaObject()->className(), expected[i].cls);
            QCOMPARE(page->Project(), w.Project());
            QCOMPARE(page->IsFirstPage(), i == 0);
        }
        // Walking forward shows each caption and sets each help context.
        for (int i = 0; i < 11; ++i) {
            QVERIFY(w.GoTo(i));
            QCOMPARE(w.Sheet()->CurrentPage()->CaptionControl()->text(),
                     QString::fromLatin1(expected[i].caption));
            QCOMPARE(w.App().HelpContext(), expected[i].context);
        }
        QVERIFY(w.Boxes().shown.isEmpty());
    }

    void backIsDisabledOnlyOnTheFirstPage() {
        WizardFixture w;
        QPushButton* back = w.Sheet()->Button(CPSheet::Back);
        QVERIFY(back->isVisibleTo(w.Sheet()));
        QVERIFY(!back->isEnabled());
        w.Sheet()->OnBack();  // ignored on the first page
        QCOMPARE(w.Sheet()->CurrentIndex(), 0);

        QVERIFY(w.GoTo(3));
        QVERIFY(back->isEnabled());
        w.Sheet()->OnBack();
        QCOMPARE(w.Sheet()->CurrentIndex(), 2);
        w.Sheet()->OnBack();
        w.Sheet()->OnBack();
        QCOMPARE(w.Sheet()->CurrentIndex(), 0);
        QVERIFY(back->isVisibleTo(w.Sheet()));
        QVERIFY(!back->isEnabled());
    }

    void buttonRowIsRearrangedOnce() {
        WizardFixture w;
        w.Sheet()->show();
        for (int round = 0; round < 3; ++round) {
            QVERIFY(w.GoTo(4));
            while (w.Sheet()->CurrentIndex() > 0)
                w.Sheet()->OnBack();
        }
        QCOMPARE(w.Sheet()->Rearrangements(), 1);
        QVERIFY(!w.Sheet()->LayoutPending());
        QPushButton* help = w.Sheet()->Button(CPSheet::Help);
        QCOMPARE(help->text(), QStringLiteral("&Help"));
        // Help alone at the left, the others to its right in their order.
        const int helpX = help->geometry().x();
        const int backX = w.Sheet()->Button(CPSheet::Back)->geometry().x();
        const int nextX = w.Sheet()->Button(CPSheet::Next)->geometry().x();
        const int cancelX = w.Sheet()->Button(CPSheet::Cancel)->geometry().x();
        QVERIFY(helpX < backX);
        QVERIFY(backX < nextX);
        QVERIFY(nextX < cancelX);
        QVERIFY(backX - (helpX + help->width()) > help->width());
    }

    void cancelAsksTheExitQuestions_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveSucceeds");
        QTest::addColumn<QString>("question");
        QTest::addColumn<int>("saves");
        QTest::addColumn<bool>("ended");
        const QString save = QStringLiteral("Would you like to save your changes before exiting?");
        const QString sure = QStringLiteral("Are you sure you want to exit?");
        QTest::newRow("changed, Cancel stays")
            << true << int(Answer::Cancel) << true << save << 0 << false;
        QTest::newRow("changed, Yes saves and ends")
            << true << int(Answer::Yes) << true << save << 1 << true;
        QTest::newRow("changed, Yes but save cancelled stays")
            << true << int(Answer::Yes) << false << save << 1 << false;
        QTest::newRow("changed, No ends unsaved")
            << true << int(Answer::No) << true << save << 0 << true;
        QTest::newRow("unchanged, Yes ends")
            << false << int(Answer::Yes) << true << sure << 0 << true;
        QTest::newRow("unchanged, No stays")
            << false << int(Answer::No) << true << sure << 0 << false;
    }

    void cancelAsksTheExitQuestions() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, saveSucceeds);
        QFETCH(QString, question);
        QFETCH(int, saves);
        QFETCH(bool, ended);

        WizardFixture w;
        QVERIFY(w.GoTo(2));
        w.App().SetModified(modified);
        w.Files()->saveResults << saveSucceeds;
        w.Boxes().answers << Answer(answer);
        QSignalSpy endedSpy(w.Sheet(), &CPSheet::ended);

        w.Sheet()->OnCancel();

        QCOMPARE(w.Boxes().Texts(), QStringList{question});
        const auto& box = w.Boxes().shown.first();
        QCOMPARE(box.caption, QStringLiteral("Tessary 9 Vantrel"));
        QCOMPARE(box.icon, Dialogs::Icon::Question);
        QCOMPARE(box.buttons, modified ? Dialogs::Buttons::YesNoCancel : Dialogs::Buttons::YesNo);
        QCOMPARE(w.Files()->saves, saves);
        QCOMPARE(w.Sheet()->IsEnded(), ended);
        QCOMPARE(endedSpy.count(), ended ? 1 : 0);
        if (!ended)
            QCOMPARE(w.Sheet()->CurrentIndex(), 2);
    }

    void escapeIsCancel() {
        WizardFixture w;
        w.Boxes().answers << Answer::No;
        QTest::keyClick(w.Sheet(), Qt::Key_Escape);
        QCOMPARE(w.Boxes().Texts(), QStringList{QStringLiteral("Are you sure you want to exit?")});
        QVERIFY(!w.Sheet()->IsEnded());
    }

    void closingFromTheTitleBar() {
        {
            // Nothing unsaved: the window closes without a question.
            WizardFixture w;
            w.Sheet()->show();
            QVERIFY(w.Sheet()->close());
            QVERIFY(w.Sheet()->IsEnded());
            QVERIFY(w.Boxes().shown.isEmpty());
            QCOMPARE(w.Files()->saves, 0);
        }
        {
            // Unsaved changes are not dropped silently: the save question
            // comes up, and Cancel keeps the window open.
            WizardFixture w;
            QVERIFY(w.GoTo(1));
            w.Sheet()->show();
            w.App().SetModified(1);
            w.Boxes().answers << Answer::Cancel;
            QVERIFY(!w.Sheet()->close());
            QVERIFY(!w.Sheet()->IsEnded());
            QCOMPARE(
                w.Boxes().Texts(),
                QStringList{QStringLiteral("Would you like to save your changes before exiting?")});
            w.Boxes().answers << Answer::Yes;
            QVERIFY(w.Sheet()->close());
            QVERIFY(w.Sheet()->IsEnded());
            QCOMPARE(w.Files()->saves, 1);
        }
    }

    void finishPageOffersFinish() {
        WizardFixture w;
        QPushButton* next = w.Sheet()->Button(CPSheet::Next);
        QPushButton* finish = w.Sheet()->Button(CPSheet::Finish);
        QVERIFY(w.GoTo(10));
        QVERIFY(finish->isVisibleTo(w.Sheet()));
        QVERIFY(!next->isVisibleTo(w.Sheet()));
        w.Sheet()->OnBack();
        QVERIFY(next->isVisibleTo(w.Sheet()));
        QVERIFY(!finish->isVisibleTo(w.Sheet()));

        QVERIFY(w.GoTo(10));
        w.App().SetModified(1);
        w.Boxes().answers << Answer::Cancel << Answer::No;
        w.Sheet()->OnFinish();
        QVERIFY(!w.Sheet()->IsEnded());
        w.Sheet()->OnFinish();
        QVERIFY(w.Sheet()->IsEnded());
        QCOMPARE(w.Files()->saves, 0);
    }

    void helpOpensTheTopicOfTheContext() {
        WizardFixture w;
        w.Sheet()->show();
        // F1 with the focus on a control that has a topic of its own.
        auto* welcome = w.Current<WPageWelcome>();
        QVERIFY(welcome);
        welcome->NewButton()->setFocus();
        w.Sheet()->ContextHelp(welcome->NewButton());
        QVERIFY(w.App().HelpWindow());
        QCOMPARE(w.App().HelpWindow()->CurrentContext(), 1021);

        w.Sheet()->OnHelp();
        QCOMPARE(w.App().HelpWindow()->CurrentContext(), 1000);
        QVERIFY(
            w.App().HelpWindow()->CurrentPath().endsWith(QStringLiteral("/Zlt9en.hlp/1000.html")));
        QVERIFY(QFileInfo(w.App().HelpWindow()->CurrentPath()).isFile());
        QVERIFY(w.App().HelpWindow()->Browser()->toPlainText().contains(QStringLiteral("Welcome")));

        // Esc and Ctrl+W close the help window.
        for (const QKeyCombination keys :
             {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::CTRL | Qt::Key_W)}) {
            w.Sheet()->OnHelp();
            WHelpWindow* help = w.App().HelpWindow();
            QVERIFY(QTest::qWaitForWindowActive(help));
            QVERIFY(help->isVisible());
            QTest::keyClick(help->Browser(), keys.key(), keys.keyboardModifiers());
            QTRY_VERIFY(!help->isVisible());
        }

        // The "?" of the caption.
        QVERIFY(w.GoTo(1));
        QEvent whatsThis(QEvent::EnterWhatsThisMode);
        QCoreApplication::sendEvent(w.Sheet(), &whatsThis);
        QTRY_COMPARE(w.App().HelpWindow()->CurrentContext(), 1001);

        // Every help context a page sets has a page of its own; no context
        // gives the contents.
        for (int context : {1000, 1001, 1002, 1003, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012,
                            1013, 1014, 1015, 1016, 1017, 1018, 1019}) {
            QVERIFY2(
                w.App().HelpTopicPath(context).endsWith(QStringLiteral("/%1.html").arg(context)),
                qPrintable(w.App().HelpTopicPath(context)));
        }
        QVERIFY(w.App().HelpTopicPath(0).endsWith(QStringLiteral("/index.html")));
        QVERIFY(w.App().HelpTopicPath(4242).endsWith(QStringLiteral("/index.html")));
    }

    void ctrlSSavesFromAnyPageAndTheTitleFollows() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        WizardFixture w(setup);
        CPSheet* sheet = w.Sheet();
        const QString program = QStringLiteral("Tessary 9 Vantrel");
        QVERIFY(w.GoTo(2));
        QCOMPARE(sheet->windowTitle(), program);

        w.Project()->CompanyName = "Acme";
        w.App().SetModified(1);
        QCOMPARE(sheet->windowTitle(), program + QLatin1Char('*'));

        // The first save asks for the file, through the keyboard.
        const std::string file = w.Scratch("ledger.zlt");
        w.Boxes().files << NativePath(file);
        sheet->show();
        sheet->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(sheet));
        QTest::keySequence(sheet, QKeySequence::Save);
        QCOMPARE(w.Boxes().fileDialogs.size(), 1);
        QVERIFY(!w.App().Modified());
        QCOMPARE(sheet->windowTitle(), program + QStringLiteral(" - ledger.zlt"));
        WProjectData saved;
        QVERIFY(OpenProjectFile(saved, file));
        QCOMPARE(saved.CompanyName, std::string("Acme"));

        // From another page: the project has its file now, so the save
        // command writes to it without asking.
        QVERIFY(w.GoTo(4));
        w.Project()->CompanyName = "Acme Ltd";
        w.App().SetModified(1);
        QCOMPARE(sheet->windowTitle(), program + QStringLiteral(" - ledger.zlt*"));
        QTest::keySequence(sheet, QKeySequence::Save);
        QCOMPARE(w.Boxes().fileDialogs.size(), 1);
        QCOMPARE(sheet->windowTitle(), program + QStringLiteral(" - ledger.zlt"));
        WProjectData again;
        QVERIFY(OpenProjectFile(again, file));
        QCOMPARE(again.CompanyName, std::string("Acme Ltd"));
    }

    void cancelledSaveKeepsTheChangesMarked() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        WizardFixture w(setup);
        QVERIFY(w.GoTo(1));
        w.App().SetModified(1);
        // No file scripted: the save dialog is cancelled.
        QVERIFY(!w.Sheet()->SaveCommand());
        QVERIFY(w.App().Modified());
        QCOMPARE(w.Sheet()->windowTitle(), QStringLiteral("Tessary 9 Vantrel*"));
        QVERIFY(w.Boxes().shown.isEmpty());
    }
};

VANTREL_WIZARD_TEST_MAIN(SheetTest)
#include "sheet_test.moc"
