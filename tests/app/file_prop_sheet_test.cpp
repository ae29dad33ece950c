// The file properties sheet: what its boxes and edits do to the records that
// generation writes, typed characters taken back, the last system box, the
// registrations, Register Font on a real font, a move through the caller's
// callback, and Cancel.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include "app/help_window.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/file_prop_sheet.h"
#include "platform/paths.h"
#include "project/file_elements.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;
using Icon = Dialogs::Icon;

namespace {

const char* const kRealFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const QString kAllSelected(32, QLatin1Char('1'));

}  // namespace

class FilePropSheetTest : public QObject {
    Q_OBJECT

    // A project whose source folder holds bin/a.dll, installed to
    // <Target Folder>\bin\a.dll with the attributes Archive and Read Only.
    struct Sheet {
        WizardFixture w;
        WSetupFile* file = nullptr;
        std::unique_ptr<FilePropSheet> sheet;

        Sheet() {
            QDir().mkpath(NativePath(w.Scratch("src/bin")));
            w.Project()->DefaultFolder = w.Scratch("src");
            file = Add("bin/a.dll", "library", "bin\\a.dll");
            file->SetAttributes("010100");
            w.App().SetModified(0);
        }
        WSetupFile* Add(const std::string& name, const QByteArray& bytes,
                        const std::string& target) {
            return static_cast<WSetupFile*>(w.Project()->ProgramFilesComponent()->AddElement(
                NewFileElement(w.WriteScratch("src/" + name, bytes), name, "<D>", target)));
        }
        FilePropSheet* Open(WSetupFile* edited = nullptr, WRelocateFile relocate = {}) {
            sheet = std::make_unique<FilePropSheet>(w.App(), edited ? edited : file, relocate);
            sheet->show();
            sheet->activateWindow();
            return sheet.get();
        }
        template <typename T>
        T* Find(const char* name) const {
            return sheet->findChild<T*>(QString::fromLatin1(name));
        }
        void Click(const char* name) const { Find<QCheckBox>(name)->click(); }
        bool Ok() {
            sheet->ButtonBox()->button(QDialogButtonBox::Ok)->click();
            return sheet->result() == QDialog::Accepted;
        }
        // The records of comp.kvz in the sections of `keyword`.
        QStringList Records(const QString& keyword) const {
            const std::string out = w.Scratch("out");
            if (!w.Project()->Components()->WriteComponentScripts(out))
                return {QStringLiteral("generation failed")};
            QFile comp(NativePath(JoinPath(out, "comp.kvz")));
            if (!comp.open(QIODevice::ReadOnly))
                return {QStringLiteral("no comp.kvz")};
            // A section is "[<keyword><level>]".
            const QRegularExpression section(QStringLiteral("^\\[%1\\d+\\]$").arg(keyword));
            QStringList lines;
            bool inside = false;
            for (const QString& line : QString::fromLatin1(comp.readAll()).split("\r\n")) {
                if (line.startsWith(QLatin1Char('[')))
                    inside = section.match(line).hasMatch();
                else if (inside && !line.isEmpty())
                    lines << line;
            }
            return lines;
        }
    };

  private slots:
    void tabsAndAttributeBoxes() {
        Sheet s;
        FilePropSheet* sheet = s.Open();
        QCOMPARE(sheet->Tabs()->count(), 4);
        const QStringList titles = {"Source", "Destination", "Attributes", "Advanced"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(sheet->Tabs()->tabText(i), titles[i]);
        QCOMPARE(s.Find<QLabel>("size")->text(), QStringLiteral("Size: 7"));
        QVERIFY(!s.Find<QGroupBox>("fontFile")->isEnabled());

        QVERIFY(s.Find<QCheckBox>("archive")->isChecked());
        QVERIFY(s.Find<QCheckBox>("readOnly")->isChecked());
        QVERIFY(!s.Find<QCheckBox>("normal")->isChecked());
        s.Click("archive");
        QVERIFY(!s.Find<QCheckBox>("normal")->isChecked());
        s.Click("readOnly");
        QVERIFY(s.Find<QCheckBox>("normal")->isChecked());
        s.Click("hidden");
        s.Click("normal");  // alone again
        QVERIFY(!s.Find<QCheckBox>("hidden")->isChecked());
        s.Find<QComboBox>("overwrite")->setCurrentIndex(WSetupFile::kCheckDate);
        // Windows 98 is the third position of the mask.
        s.Click("windows98");

        QVERIFY(s.Ok());
        QCOMPARE(s.w.App().Modified(), 1);
        QCOMPARE(s.Records("File"),
                 QStringList{"Program_files,<S>,bin\\a.dll,<D>,bin\\a.dll,7,100000,3,11011,0,,0,"
                             "1,1," +
                             kAllSelected + ",0,0,0,644,"});
    }

    void typedCharactersAndTheLastSystemAreRefused() {
        Sheet s;
        s.Open();
        // A refused character is dropped and the reason shows below the
        // field, without a box: the keys typed after it are all taken.
        QLineEdit* source = s.Find<QLineEdit>("sourceDirectory");
        QLabel* sourceNote = s.Find<QLabel>("sourceDirectoryNote");
        QVERIFY(sourceNote->isHidden());
        QTest::keyClicks(source, "*x");
        QCOMPARE(source->text(), QStringLiteral("binx"));
        QCOMPARE(s.w.Boxes().shown.size(), 0);
        QCOMPARE(sourceNote->text(), QString::fromLatin1(kInvalidDirectoryMessage));
        QVERIFY(!sourceNote->isHidden());

        // The destination also refuses ":"; the path follows what is accepted.
        s.sheet->Tabs()->setCurrentIndex(1);
        QLineEdit* target = s.Find<QLineEdit>("destinationDirectory");
        s.Find<QComboBox>("destinationFolder")->setFocus();
        QTest::keyClicks(target, "2:3");
        QCOMPARE(target->text(), QStringLiteral("bin23"));
        QVERIFY(!s.Find<QLabel>("destinationDirectoryNote")->isHidden());
        QCOMPARE(s.w.Boxes().shown.size(), 0);
        QTRY_VERIFY(target->hasFocus());
        QCOMPARE(s.Find<QLineEdit>("fullDestinationPath")->text(),
                 QStringLiteral("<Target Folder>\\bin23\\a.dll"));

        for (const char* box : {"windows95", "windows98", "windowsNT4"})
            s.Click(box);
        QCOMPARE(s.w.Boxes().shown.size(), 0);
        s.Click("windows2000");
        QVERIFY(s.Find<QCheckBox>("windows2000")->isChecked());
        QCOMPARE(s.w.Boxes().LastText(), QString::fromLatin1(kNoSystemMessage));
        QCOMPARE(s.w.Boxes().shown.last().caption, QStringLiteral("Warning"));
    }

    void eachTabOpensItsOwnHelpTopic() {
        Sheet s;
        s.Open();
        const int topics[] = {1007, 1010, 1008, 1009};
        for (int tab = 0; tab < 4; ++tab) {
            s.sheet->Tabs()->setCurrentIndex(tab);
            s.sheet->ButtonBox()->button(QDialogButtonBox::Help)->click();
            QVERIFY(s.w.App().HelpWindow());
            QCOMPARE(s.w.App().HelpWindow()->CurrentContext(), topics[tab]);
        }
    }

    void registrationsFollowTheirBoxes() {
        Sheet s;
        s.Open();
        s.Click("mergeRegFile");
        s.Click("selfRegistering");
        QVERIFY(s.Ok());
        QCOMPARE(s.Records("RegFile"),
                 QStringList{"Program_files,<D>,bin\\a.dll,11111," + kAllSelected + ",0,644,"});
        QCOMPARE(s.Records("SelfRegister"),
                 QStringList{"Program_files,<D>,bin\\a.dll,11111,1," + kAllSelected + ",0,644,"});

        s.Open();
        QVERIFY(s.Find<QCheckBox>("mergeRegFile")->isChecked());
        s.Click("mergeRegFile");
        QVERIFY(s.Ok());
        QCOMPARE(s.Records("RegFile"), QStringList{});
        QCOMPARE(s.Records("SelfRegister").size(), 1);
    }

    void registerFontMakesAFontRecord() {
        Sheet s;
        // A ".ttf" that is no font: the group says why no name is shown.
        WSetupFile* fake = s.Add("fake.ttf", "text", "fake.ttf");
        s.Open(fake);
        QVERIFY(s.Find<QGroupBox>("fontFile")->isEnabled());
        QVERIFY(!s.Find<QLabel>("fontError")->text().isEmpty());
        s.Click("registerFont");
        QVERIFY(!s.Ok());
        QCOMPARE(s.w.Boxes().LastText(), s.Find<QLabel>("fontError")->text());

        QFile real(QString::fromLatin1(kRealFont));
        if (!real.open(QIODevice::ReadOnly))
            QSKIP("DejaVuSans.ttf is not installed (Debian package fonts-dejavu-core)");
        const QByteArray bytes = real.readAll();
        WSetupFile* font = s.Add("SANS.TTF", bytes, "SANS.TTF");
        s.Open(font);
        QCOMPARE(s.Find<QLineEdit>("typefaceName")->text(), QStringLiteral("DejaVu Sans"));
        QVERIFY(s.Find<QLabel>("fontError")->isHidden());
        s.Click("registerFont");
        QVERIFY(s.Ok());
        QCOMPARE(s.sheet->File()->GetTypeCode(), kElementTTFFile);
        QCOMPARE(
            s.Records("TTFFile"),
            QStringList{"Program_files,<S>,SANS.TTF,<D>,SANS.TTF," + QString::number(bytes.size()) +
                        ",100000,0,11111,0,,0,1,1," + kAllSelected + ",0,0,0,644,DejaVu Sans,"});
    }

    void aNewDestinationGoesThroughTheCallback() {
        Sheet s;
        QStringList calls;
        bool refuse = true;
        WRelocateFile relocate = [&](WSetupFile* f, const std::string& dir, const std::string& name,
                                     std::string& error) -> WSetupFile* {
            calls << FromWin1252(dir + "|" + name);
            if (refuse) {
                error = "The folder already holds a file of that name.";
                return nullptr;
            }
            f->SetTargetDir(dir);
            f->SetTargetName(name);
            return f;
        };
        s.Open(nullptr, relocate);
        s.Find<QComboBox>("destinationFolder")->setCurrentText(QStringLiteral("<Windows Folder>"));
        QLineEdit* target = s.Find<QLineEdit>("destinationDirectory");
        target->selectAll();
        QTest::keyClicks(target, "Acme");
        QCOMPARE(s.Find<QLineEdit>("fullDestinationPath")->text(),
                 QStringLiteral("<Windows Folder>\\Acme\\a.dll"));
        s.Click("mergeRegFile");

        // A refusal is shown and the sheet stays open, nothing changed.
        QVERIFY(!s.Ok());
        QVERIFY(s.sheet->isVisible());
        QCOMPARE(s.w.Boxes().LastText(),
                 QStringLiteral("The folder already holds a file of that name."));
        QCOMPARE(s.w.App().Modified(), 0);
        QCOMPARE(s.Records("RegFile"), QStringList{});

        refuse = false;
        QVERIFY(s.Ok());
        QCOMPARE(calls, (QStringList{"<W>|Acme\\a.dll", "<W>|Acme\\a.dll"}));
        QCOMPARE(s.Records("RegFile"),
                 QStringList{"Program_files,<W>,Acme\\a.dll,11111," + kAllSelected + ",0,644,"});
    }

    void cancelChangesNothing() {
        Sheet s;
        const QStringList before = s.Records("File");
        s.Open();
        s.Click("archive");
        s.Click("windows95");
        s.Click("mergeRegFile");
        s.Find<QComboBox>("overwrite")->setCurrentIndex(WSetupFile::kAppend);
        s.sheet->ButtonBox()->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(s.sheet->result(), int(QDialog::Rejected));
        QCOMPARE(s.Records("File"), before);
        QCOMPARE(s.Records("RegFile"), QStringList{});
        QCOMPARE(s.w.App().Modified(), 0);
    }

    void editingFromTheFilesPage() {
        Sheet s;
        WSetupFile* none = nullptr;
        QVERIFY(!EditFileProperties(s.w.App(), none, {}));
        QCOMPARE(s.w.Boxes().Texts(), QStringList{QString::fromLatin1(kSelectFileMessage)});

        // The modal sheet stores what was clicked on OK.
        QTimer::singleShot(0, [] {
            auto* sheet = qobject_cast<FilePropSheet*>(QApplication::activeModalWidget());
            if (!sheet)
                return;
            sheet->findChild<QCheckBox*>(QStringLiteral("selfRegistering"))->click();
            sheet->ButtonBox()->button(QDialogButtonBox::Ok)->click();
        });
        WSetupFile* file = s.file;
        QVERIFY(EditFileProperties(s.w.App(), file, {}));
        QCOMPARE(file, s.file);
        QCOMPARE(s.Records("SelfRegister").size(), 1);
    }
};

VANTREL_WIZARD_TEST_MAIN(FilePropSheetTest)
#include "file_prop_sheet_test.moc"
