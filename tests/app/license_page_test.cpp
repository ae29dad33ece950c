// The license and release notes page: line ends between the project and the
// edit, importing with the 64 KB limit, the include boxes and the question
// when an included text is empty.
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_license.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

namespace {

const QString kTooLarge =
    QStringLiteral("Error:  File cannot exceed 64KB in size.\n\nPlease select another file.");
const QString kNotText = QStringLiteral(
    "The selected file does not appear to be a text file. \n\nPlease select a text file.");

QString EmptyQuestion(const QString& what) {
    return QStringLiteral(
               "You have not entered any text for the %1.\n\n"
               "Would you like to continue anyways?")
        .arg(what);
}

}  // namespace

class LicensePageTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w;
        WPageLicense* page = nullptr;
        explicit Page(bool license = true, bool release = false) {
            w.Project()->DisplayLicense = license;
            w.Project()->DisplayRelease = release;
            if (w.GoTo(3))
                page = w.Current<WPageLicense>();
        }
        void Import(const std::string& path) {
            w.Boxes().files << NativePath(path);
            page->ImportButton()->click();
        }
    };

  private slots:
    void importedLineFeedsBecomeLinesAndComeBackAsLineFeeds() {
        Page p;
        QVERIFY(p.page);
        p.Import(p.w.WriteScratch("license.txt", "First line\nSecond line\n\nLast line"));
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(p.w.Project()->LicenseText, std::string("First line\nSecond line\n\nLast line"));
        QCOMPARE(p.page->TextEdit()->document()->blockCount(), 4);
        QCOMPARE(p.page->TextEdit()->document()->findBlockByNumber(1).text(),
                 QStringLiteral("Second line"));
        QVERIFY(p.w.App().Modified());
        QCOMPARE(p.w.Boxes().fileDialogs.first().request.filter,
                 QStringLiteral("Text Files (*.txt) | *.txt| All Files (*.*)|*.*|"));

        // Typing a new line and leaving stores line feeds only.
        QTextCursor cursor(p.page->TextEdit()->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QStringLiteral("\nAdded"));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 4);
        QCOMPARE(p.w.Project()->LicenseText,
                 std::string("First line\nSecond line\n\nLast line\nAdded"));
    }

    void windowsAndMacLineEndsAreStoredAsLineFeeds() {
        Page p(false, true);
        p.page->Selector()->setCurrentIndex(1);
        // Windows-1252 text: the bytes arrive as the same characters.
        p.Import(p.w.WriteScratch("notes.txt", "Caf\xe9 one\r\ntwo\rthree\r\n"));
        QCOMPARE(p.w.Project()->ReleaseText, std::string("Caf\xe9 one\ntwo\nthree\n"));
        QCOMPARE(p.page->TextEdit()->document()->findBlockByNumber(0).text(),
                 QStringLiteral("Caf\u00e9 one"));
        QCOMPARE(p.w.Project()->LicenseText, std::string());
        // A no-break space survives the edit.
        p.page->TextEdit()->setPlainText(QStringLiteral("a\u00a0b"));
        QVERIFY(p.page->CommitPage());
        QCOMPARE(p.w.Project()->ReleaseText, std::string("a\xa0"
                                                         "b"));
    }

    void importReadsUtf8AndRefusesWhatASetupCannotHold() {
        Page p;
        p.Import(p.w.WriteScratch("utf8.txt", "caf\xC3\xA9 \xE2\x82\xAC\r\n"));
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(p.w.Project()->LicenseText, std::string("caf\xe9 \x80\n"));
        QCOMPARE(p.page->TextEdit()->toPlainText(), QStringLiteral("caf\u00e9 \u20ac\n"));

        p.Import(
            p.w.WriteScratch("snow.txt", "\xEF\xBB\xBFsnow \xE2\x98\x83 \xE2\x98\x83 \xCE\xA9"));
        QCOMPARE(p.w.Boxes().Texts(),
                 QStringList{UnstorableMessage(QStringLiteral("The file"),
                                               QStringLiteral("\u2603\u03a9"))});
        QCOMPARE(p.w.Project()->LicenseText, std::string("caf\xe9 \x80\n"));
        // A byte-order mark is no character of the text.
        p.Import(p.w.WriteScratch("bom.txt", "\xEF\xBB\xBFna\xC3\xAFve"));
        QCOMPARE(p.w.Project()->LicenseText, std::string("na\xefve"));
    }

    void unstorableTextIsKeptWithItsReason() {
        Page p(true, false);
        const QString typed = QStringLiteral("Terms \u2603");
        const QString reason =
            UnstorableMessage(QStringLiteral("The license agreement"), QStringLiteral("\u2603"));
        p.page->TextEdit()->setPlainText(typed);
        p.page->Selector()->setCurrentIndex(1);
        QCOMPARE(p.w.Boxes().Texts(), QStringList{reason});
        QCOMPARE(p.page->Selector()->currentIndex(), 0);
        QCOMPARE(p.page->TextEdit()->toPlainText(), typed);

        p.page->LicenseBox()->click();
        QCOMPARE(p.w.Boxes().Texts(), (QStringList{reason, reason}));
        QVERIFY(p.page->LicenseBox()->isChecked());
        QCOMPARE(p.w.Project()->DisplayLicense, 1);
        QCOMPARE(p.page->TextEdit()->toPlainText(), typed);

        // Mended, the switch goes through.
        p.page->TextEdit()->setPlainText(QStringLiteral("Terms"));
        p.page->Selector()->setCurrentIndex(1);
        QCOMPARE(p.w.Boxes().shown.size(), 2);
        QCOMPARE(p.w.Project()->LicenseText, std::string("Terms"));
        QVERIFY(p.page->ReleaseBox()->isVisible());
    }

    void importRefusesFilesOf64KBOrMore() {
        Page p;
        p.Import(p.w.WriteScratch("big.txt", QByteArray(65536, 'x')));
        QCOMPARE(p.w.Boxes().Texts(), QStringList{kTooLarge});
        QCOMPARE(p.w.Boxes().shown.first().icon, Dialogs::Icon::Exclamation);
        QCOMPARE(p.w.Project()->LicenseText, std::string());
        QVERIFY(!p.w.App().Modified());

        p.Import(p.w.WriteScratch("fits.txt", QByteArray(65535, 'y')));
        QCOMPARE(p.w.Boxes().shown.size(), 1);
        QCOMPARE(p.w.Project()->LicenseText.size(), size_t(65535));
    }

    void importRefusesWhatIsNoText() {
        Page p;
        p.w.Boxes().files << QStringLiteral("?failed");
        p.page->ImportButton()->click();
        QCOMPARE(p.w.Boxes().Texts(), QStringList{kNotText});
        p.Import(p.w.WriteScratch("picture.txt", QByteArray("GIF89a\0\0\1", 9)));
        QCOMPARE(p.w.Boxes().Texts(), (QStringList{kNotText, kNotText}));
        QCOMPARE(p.w.Project()->LicenseText, std::string());
        // Cancel shows nothing.
        p.w.Boxes().files << QString();
        p.page->ImportButton()->click();
        QCOMPARE(p.w.Boxes().shown.size(), 2);
    }

    void includeBoxesEnableTheTextOfTheirSelection() {
        Page p(false, false);
        QVERIFY(p.page->LicenseBox()->isVisible());
        QVERIFY(!p.page->ReleaseBox()->isVisible());
        QVERIFY(!p.page->TextEdit()->isEnabled());
        QVERIFY(!p.page->ImportButton()->isEnabled());

        p.page->LicenseBox()->click();
        QCOMPARE(p.w.Project()->DisplayLicense, 1);
        QVERIFY(p.page->TextEdit()->isEnabled());
        QVERIFY(p.w.App().Modified());
        p.page->TextEdit()->setPlainText(QStringLiteral("Terms"));

        // Switching keeps what was typed and shows the other text.
        p.page->Selector()->setCurrentIndex(1);
        QCOMPARE(p.w.Project()->LicenseText, std::string("Terms"));
        QVERIFY(!p.page->LicenseBox()->isVisible());
        QVERIFY(p.page->ReleaseBox()->isVisible());
        QVERIFY(!p.page->TextEdit()->isEnabled());
        QCOMPARE(p.page->TextEdit()->toPlainText(), QString());
        p.page->Selector()->setCurrentIndex(0);
        QCOMPARE(p.page->TextEdit()->toPlainText(), QStringLiteral("Terms"));
    }

    void leavingWithEmptyIncludedTexts() {
        {
            // Both empty: one question naming both; No stays.
            Page p(true, true);
            p.w.Boxes().answers << Answer::No;
            p.w.Sheet()->OnNext();
            QCOMPARE(p.w.Sheet()->CurrentIndex(), 3);
            QCOMPARE(
                p.w.Boxes().Texts(),
                QStringList{EmptyQuestion(QStringLiteral("License Agreement or Release Notes"))});
            QCOMPARE(p.w.Boxes().shown.first().defaultAnswer, Answer::No);
            QCOMPARE(p.w.Project()->DisplayLicense, 1);

            // Yes turns both off and moves on; Back asks the same.
            p.w.Boxes().answers << Answer::Yes;
            p.w.Sheet()->OnBack();
            QCOMPARE(p.w.Sheet()->CurrentIndex(), 2);
            QCOMPARE(p.w.Project()->DisplayLicense, 0);
            QCOMPARE(p.w.Project()->DisplayRelease, 0);
        }
        {
            // Only the empty one is named and turned off.
            Page p(true, true);
            p.page->Selector()->setCurrentIndex(1);
            p.page->TextEdit()->setPlainText(QStringLiteral("Notes"));
            p.w.Boxes().answers << Answer::Yes;
            p.w.Sheet()->OnNext();
            QCOMPARE(p.w.Boxes().Texts(),
                     QStringList{EmptyQuestion(QStringLiteral("License Agreement"))});
            QCOMPARE(p.w.Sheet()->CurrentIndex(), 4);
            QCOMPARE(p.w.Project()->DisplayLicense, 0);
            QCOMPARE(p.w.Project()->DisplayRelease, 1);
            QCOMPARE(p.w.Project()->ReleaseText, std::string("Notes"));
        }
    }
};

VANTREL_WIZARD_TEST_MAIN(LicensePageTest)
#include "license_page_test.moc"
