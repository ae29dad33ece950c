// The finish page: the size list and what each choice makes, the checks of
// Create Media in their order, real CD and floppy builds through the page,
// Cancel during a build, the test run, and the leaving rule.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>

#include "app/progress_dialog.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_finish.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "project/file_elements.h"
#include "support/comma_locale.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

namespace {

constexpr int kFinishPage = 10;
const QString kSingle = QStringLiteral(
    "Description :  A single disk setup will be created since your fileset can fit onto one "
    "disk or CD. Once the media is created, copy over all the files and directories onto your "
    "disk or CD.  To begin installation from the CD or disk, double click on Setup32.exe.");
const QString kInvalidSize = QStringLiteral("Please enter a valid floppy size");

// Bytes that do not compress, so that a floppy set needs several disks.
QByteArray Noise(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 2463534242u;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        bytes[i] = static_cast<char>(x);
    }
    return bytes;
}

void PumpOneEvent() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Volume facts for the folder checks.
WVolumeProbe Probe(bool exists, bool removable, double free) {
    WVolumeProbe probe;
    probe.driveExists = [exists](std::string_view) { return exists; };
    probe.isCdOrRemovable = [removable](std::string_view) { return removable; };
    probe.driveOf = [](std::string_view) { return std::string("E:"); };
    probe.freeSpace = [free](std::string_view) { return free; };
    return probe;
}

}  // namespace

class FinishPageTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w;
        WPageFinish* page = nullptr;

        // `engine`: the sample setup engine in the installation's Distrib.
        explicit Page(bool engine = false) : w(WizardFixture::Setup{{}, false, true}) {
            if (engine) {
                const bool copied = CopyTree(
                    QStringLiteral(VANTREL_BINARY_DIR "/share/vantrel/installation/Distrib"),
                    NativePath(w.Install()) + QStringLiteral("/Distrib"));
                if (!copied)
                    qWarning("the build's sample installation has no Distrib folder");
            }
            w.Start();
        }
        // One of the application's files, as the files page adds it, from a
        // source folder of its own beside the media folders.
        void AddAppFile(const std::string& name, const QByteArray& bytes) {
            MakeFolders(w.Scratch("app"));
            const std::string path = w.WriteScratch("app/" + name, bytes);
            w.Project()->DefaultFolder = FolderOf(path);
            w.Project()->ProgramFilesComponent()->AddElement(
                NewFileElement(path, name, "<D>", name));
        }
        bool Open() {
            if (!w.GoTo(kFinishPage))
                return false;
            page = w.Current<WPageFinish>();
            return page != nullptr;
        }
        void Custom(const QString& text, const QString& unit) {
            page->SizeCombo()->setCurrentIndex(WMediaPlan::kCustomEntry);
            page->UnitCombo()->setCurrentText(unit);
            page->CustomEdit()->setText(text);
        }
        QString Media(const QString& name) const {
            return NativePath(w.Scratch(name.toStdString()));
        }
        bool Exists(const QString& media, const QString& relative) const {
            return QFileInfo::exists(media + QLatin1Char('/') + relative);
        }
    };

  private slots:
    void sizeEntriesAndWhatTheyMake() {
        Page p;
        p.AddAppFile("exact.bin", QByteArray(1440000, 'a'));
        QVERIFY(p.Open());
        QComboBox* size = p.page->SizeCombo();
        QCOMPARE(size->count(), 7);
        const QStringList texts{"720 KB", "1.44 MB", "2.88 MB",       "100 MB",
                                "250 MB", "640 MB",  "Custom size..."};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(size->itemText(i), texts[i]);
        QCOMPARE(size->itemData(5).toDouble(), 640000000.0);
        QCOMPARE(size->currentIndex(), 1);
        QCOMPARE(p.page->UnitCombo()->currentText(), QStringLiteral("MB"));
        QVERIFY(!p.page->CustomEdit()->isEnabled());

        // Exactly the medium's size on a preset entry is a floppy set.
        QCOMPARE(p.page->SizeLabel()->text(),
                 QStringLiteral("Size of fileset including setup files : 1.44 MB"));
        // A large compressible file is sampled: the count is "about".
        QCOMPARE(p.page->EstimateLabel()->text(),
                 QStringLiteral("Estimated number of disks : about 1"));
        QVERIFY(p.page->DescriptionLabel()->text().contains(
            QStringLiteral("A floppy setup, using multiple 1.44 MB disks, will be created.")));
        QCOMPARE(p.w.Project()->IsFloppySetup, 1);
        const auto shows = [&](const char* art) {
            const QImage::Format f = QImage::Format_ARGB32_Premultiplied;
            return p.page->IconLabel()->pixmap().toImage().convertToFormat(f) ==
                   QImage(QString::fromLatin1(art)).convertToFormat(f);
        };
        QVERIFY(shows(":/vantrel/floppy.png"));

        size->setCurrentIndex(0);
        QCOMPARE(p.page->EstimateLabel()->text(),
                 QStringLiteral("Estimated number of disks : about 1"));
        size->setCurrentIndex(3);
        QCOMPARE(p.page->DescriptionLabel()->text(), kSingle);
        QCOMPARE(p.w.Project()->IsFloppySetup, 0);
        QVERIFY(shows(":/vantrel/cd.png"));

        // A custom size equal to the file set is one disk; the unit counts.
        p.Custom(QStringLiteral("1440"), QStringLiteral("KB"));
        QVERIFY(p.page->CustomEdit()->isEnabled());
        QCOMPARE(p.page->DescriptionLabel()->text(), kSingle);
        p.Custom(QStringLiteral("700"), QStringLiteral("KB"));
        QVERIFY(p.page->DescriptionLabel()->text().contains(QStringLiteral("multiple 700 KB")));
        // Deflated, the file of one letter fits on the first disk.
        QCOMPARE(p.page->EstimateLabel()->text(),
                 QStringLiteral("Estimated number of disks : about 1"));

        // The spin changes the whole part and never goes below zero.
        p.Custom(QStringLiteral("1.5"), QStringLiteral("MB"));
        p.page->Spin(-1);
        QCOMPARE(p.page->CustomEdit()->text(), QStringLiteral("2.5"));
        p.page->Spin(3);
        QCOMPARE(p.page->CustomEdit()->text(), QStringLiteral("2.5"));
        p.page->Spin(2);
        QCOMPARE(p.page->CustomEdit()->text(), QStringLiteral("0.5"));

        // Leaving keeps the choice in the project.
        p.Custom(QStringLiteral("2"), QStringLiteral("MB"));
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kFinishPage - 1);
        QCOMPARE(p.w.Project()->DiskSize, std::string("Custom size..."));
        QCOMPARE(p.w.Project()->FloppyCustomSize, std::string("2"));
        QCOMPARE(p.w.Project()->FloppySetSizeType, std::string("MB"));
    }

    // Under a German locale (the toolkit sets the user's) a custom size is
    // still read with its decimal point.
    void customSizeKeepsItsPointUnderAGermanLocale() {
        test::CommaDecimalLocale german;
        if (!german.Available())
            QSKIP("no localedef to build a German locale with");
        Page p;
        p.AddAppFile("exact.bin", QByteArray(1440000, 'a'));
        QVERIFY(p.Open());
        p.Custom(QStringLiteral("1.44"), QStringLiteral("MB"));
        QCOMPARE(p.page->DescriptionLabel()->text(), kSingle);
        p.Custom(QStringLiteral("1.43"), QStringLiteral("MB"));
        QVERIFY(p.page->DescriptionLabel()->text().contains(QStringLiteral("multiple")));
    }

    // The components label names what the build will ship, from the
    // project's selection, each time the page is entered.
    void componentsLabelNamesWhatShips() {
        WizardFixture::Setup setup;
        setup.scripts =
            QStringList{QStringLiteral("Distrib.kvz"), QStringLiteral("TY9Run_Program.kvz")};
        WizardFixture w(setup);
        auto shown = [&](const char* name) {
            const WSetupComponent* c = w.Project()->Components()->Find(name);
            if (!c)
                return QString::fromLatin1(name);
            return FromWin1252(c->GetDisplayName().empty() ? c->GetName() : c->GetDisplayName());
        };
        QVERIFY(w.Project()->Components()->Find("TY9Run_Program"));
        const QString runtime = shown("TY9Run_Program");

        w.Project()->RuntimeComponent = 0;
        w.Project()->ApplyComponentSelection();
        QVERIFY(w.GoTo(kFinishPage));
        auto* page = w.Current<WPageFinish>();
        QVERIFY(page);
        QString text = page->ComponentsLabel()->text();
        QVERIFY2(text.startsWith(QStringLiteral("Components: ")), qPrintable(text));
        for (const char* always : {"Product", "Program_files", "Distrib"})
            QVERIFY2(text.contains(shown(always)), qPrintable(text));
        QVERIFY2(!text.contains(runtime), qPrintable(text));
        QCOMPARE(text, FromWin1252(page->Plan().ComponentsText()));

        w.Sheet()->OnBack();
        w.Project()->RuntimeComponent = 1;
        w.Project()->ApplyComponentSelection();
        QVERIFY(w.GoTo(kFinishPage));
        QCOMPARE(w.Current<WPageFinish>(), page);
        text = page->ComponentsLabel()->text();
        QVERIFY2(text.contains(runtime), qPrintable(text));
        // A size change keeps the list.
        page->SizeCombo()->setCurrentIndex(3);
        QCOMPARE(page->ComponentsLabel()->text(), text);
    }

    void longTextsWrapAndScrollAtTheSmallestWindow() {
        Page p;
        for (int i = 0; i < 40; ++i)
            p.AddAppFile("file" + std::to_string(i) + ".bin", QByteArray(100, 'a'));
        QVERIFY(p.Open());
        // Long texts, as many components and a long folder name give them.
        p.page->ComponentsLabel()->setText(
            QStringLiteral("Components: ") +
            QStringList(QList<QString>(30, QStringLiteral("A component with a long name")))
                .join(QStringLiteral(", ")));
        p.w.Sheet()->show();
        p.w.Sheet()->resize(p.w.Sheet()->minimumSizeHint());
        QVERIFY(QTest::qWaitForWindowExposed(p.w.Sheet()));
        QCoreApplication::processEvents();
        QScrollArea* area = p.page->TextsArea();
        QVERIFY(area->isAncestorOf(p.page->ComponentsLabel()));
        QVERIFY(area->isAncestorOf(p.page->DescriptionLabel()));
        // Each text has the height its wrapped lines need, and what the
        // window cannot show is reached by scrolling.
        for (QLabel* label : {p.page->ComponentsLabel(), p.page->DescriptionLabel()})
            QTRY_VERIFY(label->height() >= label->heightForWidth(label->width()));
        QWidget* inner = area->widget();
        QTRY_COMPARE(area->verticalScrollBar()->maximum(),
                     qMax(0, inner->height() - area->viewport()->height()));
        QVERIFY(area->verticalScrollBar()->maximum() > 0);
        QVERIFY(inner->width() <= area->viewport()->width());
    }

    void invalidCustomSizesKeepThePage() {
        Page p;
        QVERIFY(p.Open());
        for (const char* text : {"1.2.3", "-5", "abc", "0.5"}) {
            p.w.Boxes().Forget();
            p.Custom(QString::fromLatin1(text), QStringLiteral("MB"));
            p.w.Sheet()->OnBack();
            QCOMPARE(p.w.Sheet()->CurrentIndex(), kFinishPage);
            QCOMPARE(p.w.Boxes().Texts(), QStringList{kInvalidSize});
            QCOMPARE(p.w.Boxes().shown.first().caption, QStringLiteral("Custom Floppy Size"));
            QCOMPARE(p.w.Boxes().shown.first().icon, Dialogs::Icon::Stop);
        }
        // Save Project checks the size too and saves nothing then.
        p.page->SaveButton()->click();
        QCOMPARE(p.w.Files()->saves, 0);
        p.Custom(QStringLiteral("1.2"), QStringLiteral("MB"));
        p.page->SaveButton()->click();
        QCOMPARE(p.w.Files()->saves, 1);
    }

    void createMediaChecksInOrder() {
        Page p(true);
        p.AddAppFile("app.bin", QByteArray(1000, 'a'));
        QVERIFY(p.Open());
        const QString media = p.Media(QStringLiteral("media"));
        auto create = [&](const QString& folder, const WVolumeProbe& probe) {
            p.w.Boxes().Forget();
            p.page->SetVolumeProbe(probe);
            p.page->FolderEdit()->setText(folder);
            p.page->CreateButton()->click();
            return p.w.Boxes().Texts();
        };
        const WVolumeProbe good = Probe(true, false, 1e12);
        QCOMPARE(create(QString(), good),
                 QStringList{"You have entered an invalid character for a directory."});
        QCOMPARE(create(media + QStringLiteral("/a*b"), Probe(false, true, 0)),
                 QStringList{"A directory cannot contain any of the following characters:\n\t"
                             "* ? \" < > | ,"});
        QCOMPARE(create(media, Probe(false, true, 0)),
                 QStringList{"Destination drive does not exist."});
        QCOMPARE(create(media, Probe(true, true, 0)),
                 QStringList{"E: is not a valid destination drive.  Please select a fixed drive."});
        QCOMPARE(create(media, Probe(true, false, 10)),
                 QStringList{"Not enough disk space available on destination drive."});
        p.Custom(QStringLiteral("1.2.3"), QStringLiteral("MB"));
        QCOMPARE(create(media, good), QStringList{kInvalidSize});
        QVERIFY(!QFileInfo::exists(media));

        // An existing setup: Cancel stops before anything is written.
        p.page->SizeCombo()->setCurrentIndex(5);
        QVERIFY(QDir().mkpath(media + QStringLiteral("/Disk001")));
        p.w.Boxes().answers << Answer::Cancel;
        const QStringList asked = create(media, good);
        QCOMPARE(asked.size(), 1);
        QVERIFY(asked[0].startsWith(
            QStringLiteral("There appears to be an existing setup located at :\n ")));
        QVERIFY(
            asked[0].endsWith(QStringLiteral("\n\nDo you wish to remove it before continuing?")));
        QCOMPARE(p.w.Boxes().shown.first().buttons, Dialogs::Buttons::YesNoCancel);
        QCOMPARE(p.w.Boxes().shown.first().icon, Dialogs::Icon::Exclamation);
        // Enter keeps what is there: No is the default button.
        QCOMPARE(p.w.Boxes().shown.first().defaultAnswer, Answer::No);
        QVERIFY(!p.Exists(media, QStringLiteral("Setup")));
        QVERIFY(p.page->ResultView()->toPlainText().isEmpty());

        // No (here the default, as Enter gives it) keeps the earlier set and
        // a file of the user's, so nothing is built over them.
        QFile mine(media + QStringLiteral("/mine.txt"));
        QVERIFY(mine.open(QIODevice::WriteOnly));
        mine.close();
        const QStringList kept = create(media, good);
        QVERIFY(p.Exists(media, QStringLiteral("mine.txt")));
        QCOMPARE(kept.size(), 2);
        QVERIFY2(kept[1].startsWith(QStringLiteral("The existing setup in ")), qPrintable(kept[1]));
        QVERIFY(p.Exists(media, QStringLiteral("Disk001")));
        QVERIFY(!p.Exists(media, QStringLiteral("Setup")));
        QVERIFY(p.page->ResultView()->toPlainText().isEmpty());
    }

    // An installation without the setup engine makes no set.
    void createMediaNeedsTheEngine() {
        Page p;
        p.AddAppFile("app.bin", QByteArray(1000, 'a'));
        QVERIFY(p.Open());
        const QString media = p.Media(QStringLiteral("media"));
        p.page->SetVolumeProbe(Probe(true, false, 1e12));
        p.page->FolderEdit()->setText(media);
        p.page->CreateButton()->click();
        QCOMPARE(p.w.Boxes().shown.size(), 1);
        QVERIFY2(p.w.Boxes().Texts().first().endsWith(
                     QStringLiteral("has no Distrib/setup32.exe: the setup engine is missing")),
                 qPrintable(p.w.Boxes().Texts().first()));
        QVERIFY(!QFileInfo::exists(media));
        QVERIFY(p.page->ResultView()->toPlainText().isEmpty());
    }

    void createsACdThroughThePage() {
        Page p(true);
        p.AddAppFile("app.bin", QByteArray(5000, 'a'));
        QVERIFY(p.Open());
        const QString media = p.Media(QStringLiteral("cd"));
        QVERIFY(QDir().mkpath(media + QStringLiteral("/Setup")));
        QFile stale(media + QStringLiteral("/stale.txt"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        p.page->SizeCombo()->setCurrentIndex(5);
        p.page->FolderEdit()->setText(media);
        p.w.Boxes().answers << Answer::Yes;  // remove the existing setup
        p.page->CreateButton()->click();
        QCOMPARE(p.w.Boxes().shown.size(), 1);
        for (const char* name : {"setup32.exe", "Setup/project.kvz", "Setup/comp.kvz",
                                 "Setup/string.str", "Setup/setup.log", "app.bin"})
            QVERIFY2(p.Exists(media, QString::fromLatin1(name)), name);
        // A file the set did not make stays.
        QVERIFY(p.Exists(media, QStringLiteral("stale.txt")));
        const QString result = p.page->ResultView()->toPlainText();
        QVERIFY2(result.startsWith(QStringLiteral("The media were created in ") + media),
                 qPrintable(result));
        QVERIFY(result.contains(QStringLiteral("Log: ") + media + QStringLiteral("/Setup/")));
        QVERIFY(p.page->OpenFolderButton()->isEnabled());
        QCOMPARE(p.w.Project()->MediaDistributionDirectory, p.w.Scratch("cd"));
    }

    void createsAFloppySetThroughThePage() {
        Page p(true);
        p.AddAppFile("big.bin", Noise(2000000));
        QVERIFY(p.Open());
        QCOMPARE(p.page->SizeCombo()->currentIndex(), 1);
        QCOMPARE(p.w.Project()->IsFloppySetup, 1);
        const QString media = p.Media(QStringLiteral("floppy"));
        p.page->FolderEdit()->setText(media);
        p.page->CreateButton()->click();
        QVERIFY2(p.w.Boxes().shown.isEmpty(), qPrintable(p.w.Boxes().LastText()));
        QVERIFY(p.Exists(media, QStringLiteral("disk001/setup.exe")));
        QVERIFY(p.Exists(media, QStringLiteral("disk002")));
        QVERIFY(p.Exists(media, QStringLiteral("setup.log")));
        QVERIFY(!p.Exists(media, QStringLiteral("~ZLT000")));
        for (const QFileInfo& disk : QDir(media).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            qint64 bytes = 0;
            for (const QFileInfo& file : QDir(disk.filePath()).entryInfoList(QDir::Files))
                bytes += file.size();
            QVERIFY2(bytes <= 1440000, qPrintable(disk.fileName()));
        }
        QVERIFY(p.page->ResultView()->toPlainText().startsWith(
            QStringLiteral("The media were created in ")));
    }

    void verifyMediaChecksTheSetJustCreated() {
        Page p(true);
        p.AddAppFile("big.bin", Noise(2000000));
        QVERIFY(p.Open());
        QVERIFY(!p.page->VerifyButton()->isEnabled());
        const QString media = p.Media(QStringLiteral("floppy"));
        p.page->FolderEdit()->setText(media);
        p.page->CreateButton()->click();
        QVERIFY(p.page->VerifyButton()->isEnabled());
        const QString created = p.page->ResultView()->toPlainText();
        p.page->VerifyButton()->click();
        QCOMPARE(p.page->ResultView()->toPlainText(),
                 created + QStringLiteral("\n\nVerify: the set is sound (1 file record checked)."));
        QVERIFY(p.w.Boxes().shown.isEmpty());

        // A disk's archive gone: the fault is named, no dialog is shown.
        QVERIFY(QFile::remove(media + QStringLiteral("/disk002/disk002.cfi")));
        p.page->VerifyButton()->click();
        const QString result = p.page->ResultView()->toPlainText();
        QVERIFY2(result.contains(QStringLiteral(" found:\n  ") + media +
                                 QStringLiteral("/disk002 holds no disk archive disk002.cfi")),
                 qPrintable(result));
        QVERIFY(p.w.Boxes().shown.isEmpty());
    }

    void cancelStopsTheBuild() {
        Page p(true);
        for (int i = 0; i < 20; ++i)
            p.AddAppFile("file" + std::to_string(i) + ".bin", QByteArray(20000, 'a'));
        QVERIFY(p.Open());
        p.page->SizeCombo()->setCurrentIndex(5);
        const QString media = p.Media(QStringLiteral("cancelled"));
        p.page->FolderEdit()->setText(media);

        SetPumpHook(&PumpOneEvent);
        bool clicked = false;
        QTimer::singleShot(0, [&clicked] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<WProgressDialog*>(top);
                    dialog && dialog->isVisible()) {
                    dialog->CancelButton()->click();
                    clicked = true;
                }
            }
        });
        p.page->CreateButton()->click();
        SetPumpHook(nullptr);
        QVERIFY(clicked);
        const QString result = p.page->ResultView()->toPlainText();
        QVERIFY2(result.startsWith(QStringLiteral("Creating the media was cancelled")),
                 qPrintable(result));
        QVERIFY(!p.Exists(media, QStringLiteral("file19.bin")));
    }

    void testSetupShowsWhatTheEnginePrinted() {
        Page p(true);
        QVERIFY(p.Open());
        const QString media = p.Media(QStringLiteral("test"));
        QVERIFY(QDir().mkpath(media));
        p.page->FolderEdit()->setText(media);
        p.page->TestButton()->click();
        const QString result = p.page->ResultView()->toPlainText();
        QVERIFY2(result.contains(QStringLiteral("Test run (/nocopy): nothing is copied.")),
                 qPrintable(result));
        QVERIFY2(result.endsWith(QStringLiteral("The setup engine ended with exit status 0.")),
                 qPrintable(result));
        QVERIFY(QDir(media).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }

    void testSetupWithoutAnEngineSaysSo() {
        Page p;
        QVERIFY(p.Open());
        p.page->FolderEdit()->setText(p.Media(QStringLiteral("test")));
        p.page->TestButton()->click();
        QVERIFY(p.page->ResultView()->toPlainText().startsWith(
            QStringLiteral("The setup engine could not be started")));
    }

    void finishAsksToSaveChanges() {
        Page p;
        QVERIFY(p.Open());
        p.page->FolderEdit()->setText(p.Media(QStringLiteral("out")));
        p.w.App().SetModified(1);
        p.w.Boxes().answers << Answer::Cancel;
        QVERIFY(!p.page->OnWizardFinish());
        p.w.Boxes().answers << Answer::Yes;
        QVERIFY(p.page->OnWizardFinish());
        QCOMPARE(p.w.Files()->saves, 1);
        QCOMPARE(p.w.Project()->MediaDistributionDirectory, p.w.Scratch("out"));
        QCOMPARE(p.w.Boxes().shown.last().text,
                 QStringLiteral("Would you like to save your changes before exiting?"));
    }
};

VANTREL_WIZARD_TEST_MAIN(FinishPageTest)
#include "finish_page_test.moc"
