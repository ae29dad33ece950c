// The application information page: the destination in macro form, the
// preview of the folder on this machine, and the checks with their messages
// in order.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include "app/support/wizard_fixture.h"
#include "pages/project.h"
#include "platform/system_folders.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

const QString kNoName = QStringLiteral("You must enter an Application name before continuing.");
const QString kNoCompany = QStringLiteral("You must enter a Company name before continuing.");
const QString kNoVersion = QStringLiteral("You must enter a Version before continuing.");
const QString kBadCompany = QStringLiteral(
    "Company Name cannot contain any of the following characters:\n\t/ * ? \\ \" < > | : ,");
const QString kBadDirectory = QStringLiteral(
    "The default directory cannot contain any of the following characters:\n\t/ * ? \" < > | , "
    "and no colon but the drive's.");
const QString kSlashWarning =
    QStringLiteral("Enter no more than one slash for directory separator in the Target Folder");

// As if typed: the text and the edit notification.
void Type(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    emit edit->textEdited(text);
}

QString ProgramFiles() {
    return QString::fromStdString(TheSystemFolders().ProgramFilesFolder());
}

}  // namespace

class ApplicationPageTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w;
        WProject* page = nullptr;
        Page() {
            if (w.GoTo(1))
                page = w.Current<WProject>();
        }
        void Fill(const QString& name, const QString& version, const QString& company) {
            Type(page->NameEdit(), name);
            Type(page->VersionEdit(), version);
            Type(page->CompanyEdit(), company);
        }
        bool Next() {
            w.Sheet()->OnNext();
            return w.Sheet()->CurrentIndex() == 2;
        }
    };

  private slots:
    void focusStartsOnTheNameAndWhatTheScriptsCannotHoldIsRefused() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.page->window()->focusWidget(), p.page->NameEdit());

        // The comma also reaches the default directory, but one fault gives
        // one message.
        p.Fill(QStringLiteral("Led,ger"), QString(1001, QLatin1Char('9')), QStringLiteral("Acme"));
        QVERIFY(!p.Next());
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{
                     QStringLiteral("The application name cannot contain a comma or a line break."),
                     QStringLiteral("The version cannot be longer than 1000 characters.")}));
        QVERIFY(p.w.Project()->GetApplicationName().find(',') == std::string::npos);
        QVERIFY(p.w.Project()->Version.size() <= 1000);
        p.Fill(QStringLiteral("Ledger"), QStringLiteral("2.0"), QStringLiteral("Acme"));
        QVERIFY(p.Next());
    }

    void defaultDestinationIsCompanyAndName() {
        Page p;
        QVERIFY(p.page);
        p.Fill(QStringLiteral("Ledger"), QStringLiteral("2.0"), QStringLiteral("Acme"));
        QVERIFY(p.page->UseDefaultBox()->isChecked());
        QVERIFY(!p.page->BaseList()->isEnabled());
        QVERIFY(!p.page->FolderEdit()->isEnabled());
        QCOMPARE(p.page->DefaultDirectoryEdit()->text(),
                 ProgramFiles() + QStringLiteral("\\Acme\\Ledger"));
        QVERIFY(p.w.App().Modified());

        QVERIFY(p.Next());
        const WProjectData* project = p.w.Project();
        QCOMPARE(project->Destination, std::string("<WPF>\\Acme\\Ledger"));
        QCOMPARE(project->DefaultDestPrefix, std::string("<WPF>"));
        QCOMPARE(project->GetApplicationName(), std::string("Ledger"));
        QCOMPARE(project->CompanyName, std::string("Acme"));
        QCOMPARE(project->Version, std::string("2.0"));
        QCOMPARE(project->UseDefaultDest, 1);
        QCOMPARE(project->DefaultDirectory,
                 (ProgramFiles() + QStringLiteral("\\Acme\\Ledger")).toStdString());
        QVERIFY(p.w.Boxes().shown.isEmpty());
    }

    void destinationOnTheWindowsDrive() {
        Page p;
        p.Fill(QStringLiteral("Ledger"), QStringLiteral("1.0"), QStringLiteral("Acme"));
        p.page->UseDefaultBox()->click();
        QVERIFY(!p.page->UseDefaultBox()->isChecked());
        QVERIFY(p.page->BaseList()->isEnabled());
        p.page->BaseList()->setCurrentIndex(1);
        emit p.page->BaseList()->activated(1);
        Type(p.page->FolderEdit(), QStringLiteral("Apps"));
        const QString drive = QString::fromStdString(TheSystemFolders().WindowsFolder()).left(2);
        QCOMPARE(p.page->DefaultDirectoryEdit()->text(), drive + QStringLiteral("\\Apps"));

        QVERIFY(p.Next());
        QCOMPARE(p.w.Project()->Destination, std::string("<WDL:>\\Apps"));
        QCOMPARE(p.w.Project()->DefaultDestPrefix, std::string("<WDL:>"));
        QCOMPARE(p.w.Project()->DefaultDestBase, std::string("Apps"));
        QCOMPARE(p.w.Project()->UseDefaultDest, 0);

        // Coming back shows the stored choice again.
        p.w.Sheet()->OnBack();
        QCOMPARE(p.page->BaseList()->currentIndex(), 1);
        QCOMPARE(p.page->FolderEdit()->text(), QStringLiteral("Apps"));
        QVERIFY(!p.page->UseDefaultBox()->isChecked());
    }

    void anEmptyCustomFolderIsRefused() {
        // Without a folder below the base the setup would install into the
        // base itself: refused, once, and the project keeps its destination.
        for (const QString& folder : {QString(), QStringLiteral(" \\ ")}) {
            Page p;
            const std::string before = p.w.Project()->Destination;
            p.page->UseDefaultBox()->click();
            Type(p.page->FolderEdit(), folder);
            QVERIFY(!p.Next());
            QCOMPARE(p.w.Boxes().Texts().filter(QStringLiteral("destination folder")),
                     QStringList{QStringLiteral("You must enter a destination folder when the "
                                                "default destination directory is not used.")});
            QCOMPARE(p.w.Boxes().Texts().filter(QStringLiteral("default directory")),
                     QStringList());
            QCOMPARE(p.w.Project()->Destination, before);
            QCOMPARE(p.w.Project()->UseDefaultDest, 1);
            QCOMPARE(p.page->window()->focusWidget(), p.page->FolderEdit());
        }
    }

    void checkMessagesInOrder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("name and version missing") << ""
                                                  << ""
                                                  << "Acme" << QStringList{kNoName, kNoVersion};
        QTest::newRow("all missing") << ""
                                     << ""
                                     << "" << QStringList{kNoName, kNoCompany, kNoVersion};
        QTest::newRow("slash in company") << "Ledger"
                                          << "1"
                                          << "Acme/West" << QStringList{kBadCompany};
        QTest::newRow("bar in company, no name") << ""
                                                 << "1"
                                                 << "A|B" << QStringList{kNoName, kBadCompany};
        QTest::newRow("comma in company") << "Ledger"
                                          << "1"
                                          << "Acme, Inc" << QStringList{kBadCompany};
        QTest::newRow("colon in company passes its own check")
            << "Ledger"
            << "1"
            << "Acme:West" << QStringList{kBadDirectory};
    }

    void checkMessagesInOrder() {
        QFETCH(QString, name);
        QFETCH(QString, version);
        QFETCH(QString, company);
        QFETCH(QStringList, messages);
        Page p;
        const std::string companyBefore = p.w.Project()->CompanyName;
        const std::string versionBefore = p.w.Project()->Version;
        p.Fill(name, version, company);
        QVERIFY(!p.Next());
        QCOMPARE(p.page->Result(), -1);
        QCOMPARE(p.w.Boxes().Texts(), messages);
        for (const auto& box : p.w.Boxes().shown)
            QCOMPARE(box.caption, QStringLiteral("Tessary 9 Vantrel"));
        // A refused value never reaches the project (a later save would write
        // it); the values that passed do.
        const bool companyRefused = messages.contains(kNoCompany) || messages.contains(kBadCompany);
        QCOMPARE(p.w.Project()->CompanyName,
                 companyRefused ? companyBefore : company.toStdString());
        QCOMPARE(p.w.Project()->Version,
                 messages.contains(kNoVersion) ? versionBefore : version.toStdString());
        if (messages.contains(kBadDirectory))
            QVERIFY(p.w.Project()->DefaultDirectory.find(company.toStdString()) ==
                    std::string::npos);

        // Back checks too.
        p.w.Boxes().Forget();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 1);
        QCOMPARE(p.w.Boxes().Texts(), messages);
    }

    void folderWithALeadingBackslashOnlyWarns() {
        Page p;
        p.Fill(QStringLiteral("Ledger"), QStringLiteral("1"), QStringLiteral("Acme"));
        p.page->UseDefaultBox()->click();
        Type(p.page->FolderEdit(), QStringLiteral("\\Apps\\\\Ledger"));
        QVERIFY(p.Next());
        QCOMPARE(p.w.Boxes().Texts(), QStringList{kSlashWarning});
        // The preview is tidied; the macro form keeps what was typed.
        QCOMPARE(QString::fromStdString(p.w.Project()->DefaultDirectory),
                 ProgramFiles() + QStringLiteral("\\Apps\\Ledger"));
        QCOMPARE(p.w.Project()->Destination, std::string("<WPF>\\\\Apps\\\\Ledger"));
    }

    void applicationNameNamesTheShortcutFolderOfNewProjectsOnly() {
        {
            Page p;
            p.Fill(QStringLiteral("Ledger"), QStringLiteral("1"), QStringLiteral("Acme"));
            QVERIFY(p.Next());
            QCOMPARE(p.w.Project()->ShortcutFolder, std::string("Ledger"));
            QCOMPARE(p.w.Project()->ProductComponent()->GetDisplayName(), std::string("Ledger"));
        }
        {
            // An opened project keeps its shortcut folder.
            Page p;
            p.w.Project()->ProductNameSet = 1;
            p.w.Project()->ShortcutFolderSet = 1;
            p.Fill(QStringLiteral("Ledger"), QStringLiteral("1"), QStringLiteral("Acme"));
            QVERIFY(p.Next());
            QCOMPARE(p.w.Project()->ShortcutFolder, std::string("My Project 1.0"));
        }
    }

    void charactersASetupCannotHoldAreRefused() {
        Page p;
        p.Fill(QStringLiteral("Ledger \u2603"), QStringLiteral("1"), QStringLiteral("Acme"));
        QVERIFY(!p.Next());
        QCOMPARE(p.w.Boxes().shown.size(), 1);
        QVERIFY(p.w.Boxes().LastText().contains(QStringLiteral("\u2603")));
        QCOMPARE(p.w.Project()->GetApplicationName(), std::string("My Project"));

        // Windows-1252 letters are fine and arrive as such.
        p.w.Boxes().Forget();
        Type(p.page->NameEdit(), QStringLiteral("K\u00e4se"));
        QVERIFY(p.Next());
        QCOMPARE(p.w.Project()->GetApplicationName(), std::string("K\xe4se"));
    }
};

VANTREL_WIZARD_TEST_MAIN(ApplicationPageTest)
#include "application_page_test.moc"
