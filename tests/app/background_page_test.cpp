// The background page: what it shows for a project, the default font from
// the machine's Fonts key, the swatches and the colour dialog, the style
// flags, the preview and the checks when leaving.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/support/wizard_fixture.h"
#include "pages/background_preview.h"
#include "pages/colour_swatch.h"
#include "pages/page_background.h"
#include "platform/registry.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

const char* const kFonts = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

}  // namespace

class BackgroundPageTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w;
        WPageBackground* page = nullptr;
        explicit Page(std::function<void(WProjectData*)> before = {}) {
            if (before)
                before(w.Project());
            if (w.GoTo(2))
                page = w.Current<WPageBackground>();
        }
    };

  private slots:
    void showsTheProjectsTitle() {
        Page p([](WProjectData* project) { project->SetApplicationName("Demo"); });
        QVERIFY(p.page);
        QCOMPARE(p.page->TitleEdit()->text(), QStringLiteral("Demo Setup"));
        QCOMPARE(p.page->FontList()->currentText(), QStringLiteral("Times New Roman"));
        QCOMPARE(p.page->SizeList()->currentText(), QStringLiteral("48"));
        QCOMPARE(p.page->AlignList()->currentText(), QStringLiteral("LEFT"));
        QCOMPARE(p.page->StyleList()->currentText(), QStringLiteral("Normal"));
        QCOMPARE(p.page->TitleColour(), QColor(0, 0, 128));
        // No gradient colour chosen yet: the setup paints blue, so blue is shown.
        QVERIFY(p.page->BlueSwatch()->IsHighlighted());
        QCOMPARE(p.page->BackgroundColour(), QColor(0, 0, 255));
        QVERIFY(!p.w.App().Modified());
        // The page has its Help button, as every page has.
        QVERIFY(p.w.Sheet()->Button(CPSheet::Help)->isVisible());
        QVERIFY(p.w.Sheet()->Button(CPSheet::Help)->isEnabled());
        p.w.Sheet()->OnNext();
        QVERIFY(p.w.Sheet()->Button(CPSheet::Help)->isVisible());
        QCOMPARE(p.w.Project()->BackTitle, std::string("Demo Setup"));
    }

    void defaultFontComesFromTheFontsKey() {
        {
            WizardFixture w;
            QCOMPARE(WPageBackground::DefaultFont(), QStringLiteral("Times New Roman"));
            // An empty value does not count; the TrueType name does.
            TheRegistry().SetString(Hive::LocalMachine, kFonts, "Arial", "");
            TheRegistry().SetString(Hive::LocalMachine, kFonts, "Courier New (TrueType)",
                                    "cour.ttf");
            QCOMPARE(WPageBackground::DefaultFont(), QStringLiteral("Courier New"));
            TheRegistry().SetString(Hive::LocalMachine, kFonts, "Arial Italic", "ariali.ttf");
            QCOMPARE(WPageBackground::DefaultFont(), QStringLiteral("Arial Italic"));
        }
        {
            Page p([](WProjectData* project) {
                project->BackTitleFont.clear();
                TheRegistry().SetString(Hive::LocalMachine, kFonts, "Arial (TrueType)",
                                        "arial.ttf");
            });
            QCOMPARE(p.page->FontList()->currentText(), QStringLiteral("Arial"));
        }
    }

    void swatchesAndTitleColour() {
        Page p;
        p.page->BlueSwatch()->clicked();
        QVERIFY(p.page->BlueSwatch()->IsHighlighted());
        QVERIFY(!p.page->GreenSwatch()->IsHighlighted());
        QCOMPARE(p.w.Project()->GradientColor, std::string("BLUE"));
        QCOMPARE(p.w.Project()->BackWorkValues[0], std::string("0"));
        QCOMPARE(p.w.Project()->BackWorkValues[1], std::string("0"));
        QCOMPARE(p.w.Project()->BackWorkValues[2], std::string("255"));
        QVERIFY(p.w.App().Modified());

        // Cancelled colour dialog: nothing changes.
        p.page->TitleColourSwatch()->clicked();
        QCOMPARE(p.w.Boxes().colourDialogs, 1);
        QCOMPARE(p.w.Boxes().lastInitialColour, QColor(0, 0, 128));
        QCOMPARE(p.w.Project()->TitleTextBlue, std::string("128"));
        p.w.Boxes().colours << QColor(10, 20, 30);
        p.page->TitleColourSwatch()->clicked();
        QCOMPARE(p.w.Project()->TitleTextRed, std::string("10"));
        QCOMPARE(p.w.Project()->TitleTextGreen, std::string("20"));
        QCOMPARE(p.w.Project()->TitleTextBlue, std::string("30"));

        // Shown again, the project's choice is highlighted.
        p.w.Sheet()->OnNext();
        p.w.Sheet()->OnBack();
        QVERIFY(p.page->BlueSwatch()->IsHighlighted());
        QCOMPARE(p.page->TitleColour(), QColor(10, 20, 30));
    }

    void styleSetsBoldAndItalic() {
        Page p;
        p.page->StyleList()->setCurrentIndex(3);
        QCOMPARE(p.w.Project()->BackTitleBold, 1);
        QCOMPARE(p.w.Project()->BackTitleItalic, 1);
        QCOMPARE(p.w.Project()->BackFontStyle, std::string("Bold Italic"));
        p.page->StyleList()->setCurrentIndex(1);
        QCOMPARE(p.w.Project()->BackTitleBold, 0);
        QCOMPARE(p.w.Project()->BackTitleItalic, 1);

        p.w.Project()->BackTitleItalic = 0;
        p.w.Project()->BackTitleBold = 1;
        p.w.Sheet()->OnNext();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.page->StyleList()->currentText(), QStringLiteral("Bold"));
    }

    void previewPaintsFiftyBandsAndTheTitle() {
        Page p;
        p.page->RedSwatch()->clicked();
        WBackgroundPreview* preview = p.page->PreviewWidget();
        const auto steps = preview->Steps();
        // A project never saved keeps the setup's white title shadow.
        QCOMPARE(steps.size(), size_t(WBackgroundPreview::kBands + 2));
        QCOMPARE(steps[WBackgroundPreview::kBands].colour, (PaintColour{255, 255, 255}));
        QCOMPARE(steps.front().colour.red, 255);
        QCOMPARE(steps.back().kind, BackgroundPaintStep::Kind::Text);
        QCOMPARE(steps.back().text, std::string("My Project Setup"));
        QCOMPARE(steps.back().fontHeight, 48);
        QVERIFY(steps[WBackgroundPreview::kBands - 1].colour.red < 10);

        const QImage image = preview->grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(255, 0, 0));
        QVERIFY(image.pixelColor(1, image.height() - 2).red() < 10);

        // Saving turns the shadow off for good, and the preview follows.
        Page saved([](WProjectData* project) { project->PrepareBackground(); });
        QCOMPARE(saved.page->PreviewWidget()->Steps().size(),
                 size_t(WBackgroundPreview::kBands + 1));
    }

    void leavingChecksTitleFontAndSize() {
        Page p;
        p.page->TitleEdit()->clear();
        p.page->FontList()->setEditText(QString());
        p.page->SizeList()->setEditText(QStringLiteral("36"));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 2);
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{QStringLiteral("You must specify a Setup Title to continue."),
                              QStringLiteral("You have not selected a font for your title, Times "
                                             "New Roman has been set by default.")}));
        // What passes is written back; the refused empty title is not.
        QCOMPARE(p.w.Project()->BackTitleFontHeight, std::string("36"));
        QCOMPARE(p.w.Project()->BackTitleFont, std::string("Times New Roman"));
        QCOMPARE(p.w.Project()->BackTitle, std::string());
        QCOMPARE(p.page->FontList()->currentText(), QStringLiteral("Times New Roman"));

        p.w.Boxes().Forget();
        p.page->TitleEdit()->setText(QStringLiteral("Ledger"));
        p.page->SizeList()->setEditText(QString());
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Boxes().Texts(),
                 QStringList{QStringLiteral("You must specify a Font Size to continue.")});
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 2);

        // Only whole sizes from 20 to 160 are taken.
        for (const char* size : {"abc", "5000", "19"}) {
            p.w.Boxes().Forget();
            p.page->SizeList()->setEditText(QString::fromLatin1(size));
            p.w.Sheet()->OnNext();
            QCOMPARE(p.w.Boxes().Texts(),
                     QStringList{
                         QStringLiteral("The Font Size must be a whole number from 20 to 160.")});
            QCOMPARE(p.w.Sheet()->CurrentIndex(), 2);
            QCOMPARE(QString::fromStdString(p.w.Project()->BackTitleFontHeight),
                     QStringLiteral("36"));
        }

        p.page->SizeList()->setEditText(QStringLiteral("40"));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 3);
        QCOMPARE(p.w.Project()->BackTitle, std::string("Ledger"));
        QCOMPARE(p.w.Project()->BackTitleFontHeight, std::string("40"));
    }

    void everyOfferedSizeAndTheDefaultLeaveThePage() {
        // A project without a size shows the new project's size, which passes.
        Page p([](WProjectData* project) { project->BackTitleFontHeight.clear(); });
        QCOMPARE(p.page->SizeList()->currentText(), QStringLiteral("48"));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Boxes().Texts(), QStringList());
        QCOMPARE(p.w.Project()->BackTitleFontHeight, std::string("48"));
        p.w.Sheet()->OnBack();
        for (int i = 0; i < p.page->SizeList()->count(); ++i) {
            p.page->SizeList()->setCurrentIndex(i);
            p.w.Sheet()->OnNext();
            QCOMPARE(p.w.Boxes().Texts(), QStringList());
            QCOMPARE(QString::fromStdString(p.w.Project()->BackTitleFontHeight),
                     p.page->SizeList()->itemText(i));
            p.w.Sheet()->OnBack();
        }
    }
};

VANTREL_WIZARD_TEST_MAIN(BackgroundPageTest)
#include "background_page_test.moc"
