// The core's messages in German: every message text of the core sources the
// wizard shows is in the catalogue and translated, composed messages come
// out whole in German, and a refusal of the core reaches each kind of page
// and dialog in German.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

#include "app/core_text.h"
#include "app/folder_browser.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "app/translation.h"
#include "pages/cust_page.h"
#include "pages/file_prop_sheet.h"
#include "pages/files_page.h"
#include "pages/page_background.h"
#include "pages/page_bde_cfg.h"
#include "pages/page_finish.h"
#include "pages/page_reg_keys.h"
#include "pages/page_short_cuts.h"
#include "pages/project.h"
#include "pages/reg_key_dialog.h"
#include "project/file_elements.h"
#include "project/file_name_rules.h"
#include "project/project_rules.h"
#include "project/target_tree.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

// The core sources whose texts reach the wizard's boxes, notes and labels.
const char* const kSources[] = {"project/project_rules",
                                "project/target_tree",
                                "project/file_name_rules",
                                "project/engine_limits",
                                "project/file_properties",
                                "project/folder_path_rules",
                                "project/registry_keys",
                                "project/reg_import",
                                "project/customisation_rules",
                                "project/shortcut_rules",
                                "project/text_replacement_properties",
                                "project/ini_entry_properties",
                                "project/bde_rules",
                                "project/truetype_name",
                                "project/shipped_paths",
                                "project/installation_rules",
                                "media/media_plan",
                                "media/disk_estimate",
                                "media/media_build",
                                "media/media_lock"};

// Texts of those sources that are not messages: names of products, systems,
// value types and components; defaults the project stores ("Find Text", the
// "Shortcut to " of a new shortcut's name, a new folder's name on disk);
// window titles, which the pages translate where they set them; the parts of
// a list row's description; and the places in a script that opening a
// project names.
const QStringList kNotMessages = {"Times New Roman",
                                  "Windows NT 4",
                                  "Binary Data",
                                  "Setup files",
                                  "Find Text",
                                  "Shortcut to ",
                                  "New Folder",
                                  "New Folder ",
                                  "Registry Key Properties",
                                  "Registry Settings",
                                  "Text File Customization",
                                  "Text File Customization Properties",
                                  "Profile String Properties",
                                  "Shortcuts and Shortcut Folder",
                                  "Shortcut Properties",
                                  ", kept at uninstallation",
                                  ", only ",
                                  "no system",
                                  " (a section name)",
                                  " (the record in [",
                                  "], its field ",
                                  " characters)"};

// The string literals of a C++ source, comments and includes left out,
// with their escapes read.
QStringList Literals(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("cannot read ") + path};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QRegularExpression(QStringLiteral("//[^\\n]*|/\\*.*?\\*/|#include[^\\n]*"),
                                   QRegularExpression::DotMatchesEverythingOption));
    static const QRegularExpression literal(QStringLiteral("\"((?:[^\"\\\\\\n]|\\\\.)*)\""));
    QStringList found;
    for (const QRegularExpressionMatch& m : literal.globalMatch(text)) {
        QString value = m.captured(1);
        value.replace(QLatin1String("\\n"), QLatin1String("\n"))
            .replace(QLatin1String("\\t"), QLatin1String("\t"))
            .replace(QLatin1String("\\\""), QLatin1String("\""))
            .replace(QLatin1String("\\\\"), QLatin1String("\\"));
        found << value;
    }
    return found;
}

// A literal with words in it: two letters and a blank and a letter, or
// words that a blank joins to what the code adds.
bool IsWording(const QString& literal) {
    static const QRegularExpression words(
        QStringLiteral("[A-Za-z]{2,} [A-Za-z]|[A-Za-z]{2,} $|^ [A-Za-z]{2,}"));
    const bool macro = literal.startsWith(QLatin1Char('<')) && literal.endsWith(QLatin1Char('>'));
    return !macro && words.match(literal).hasMatch() && !kNotMessages.contains(literal);
}

// The "%n" of a pattern, in order.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression placeholder(QStringLiteral("%[1-9]"));
    QStringList found;
    for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}

struct German {
    German() { InstallTranslation(QLocale(QLocale::German, QLocale::Germany)); }
    ~German() { InstallTranslation(QLocale(QLocale::English)); }
};

}  // namespace

class CoreTextTest : public QObject {
    Q_OBJECT

  private slots:
    // Each piece of wording in the core sources (split where printf puts a
    // value in) belongs to a pattern of the catalogue.
    void everyCoreMessageIsInTheCatalogue() {
        const QStringList patterns = CoreTextPatterns();
        QStringList missing;
        for (const char* source : kSources) {
            for (const char* ending : {".h", ".cpp"}) {
                const QString path = QStringLiteral(VANTREL_SOURCE_DIR "/") +
                                     QString::fromLatin1(source) + QString::fromLatin1(ending);
                if (!QFile::exists(path))
                    continue;
                for (const QString& literal : Literals(path)) {
                    if (!IsWording(literal))
                        continue;
                    for (QString piece :
                         literal.split(QRegularExpression(QStringLiteral("%\\d*z?[dsux]")))) {
                        piece = piece.trimmed();
                        if (piece.isEmpty())
                            continue;
                        bool found = false;
                        for (const QString& pattern : patterns)
                            found = found || pattern.contains(piece);
                        if (!found)
                            missing << QString::fromLatin1(source) + QStringLiteral(": ") + piece;
                    }
                }
            }
        }
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }

    // Every pattern has a German text with the same places for what the
    // core puts in.
    void everyPatternHasAGermanText() {
        German german;
        QStringList untranslated;
        for (const QString& pattern : CoreTextPatterns()) {
            const QString text =
                QCoreApplication::translate("vantrel::CoreText", pattern.toUtf8().constData());
            const bool same = text == pattern &&
                              pattern != QStringLiteral("%1: %2 (a folder inside %3)") &&
                              pattern != QStringLiteral("\"%1\" %2");
            if (same || Placeholders(text) != Placeholders(pattern))
                untranslated << pattern;
        }
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
    }

    // Texts as the core composes them, with their parts translated too; a
    // "%" in a name stays; English stays English.
    void composedMessagesComeOutWhole_data() {
        QTest::addColumn<QByteArray>("core");
        QTest::addColumn<QString>("german");
        QTest::newRow("field too long")
            << QByteArray(CheckVersion(std::string(1001, 'v')).c_str())
            << QStringLiteral("Die Version darf nicht länger als 1000 Zeichen sein.");
        QTest::newRow("font size")
            << QByteArray(CheckBackgroundFontSize("abc").c_str())
            << QStringLiteral("Die Schriftgröße muss eine ganze Zahl von 20 bis 160 sein.");
        QTest::newRow("refused names")
            << QByteArray(RefusedNamesMessage({{"/src/a,b.txt",
                                                "holds a comma, which a setup "
                                                "script cannot store"},
                                               {"/src/100%.txt", "ends with a dot"}})
                              .c_str())
            << QStringLiteral(
                   "Diese Namen können in einem Setup nicht verwendet werden, daher wurde nichts "
                   "hinzugefügt:\n/src/a,b.txt: sein Name enthält ein Komma, das ein "
                   "Setup-Skript nicht speichern kann\n/src/100%.txt: sein Name endet mit einem "
                   "Punkt");
        QTest::newRow("progress") << QByteArray("Copying file : Setup\\ledger.exe")
                                  << QStringLiteral("Datei wird kopiert: Setup\\ledger.exe");
        QTest::newRow("save")
            << QByteArray("/p/ledger.zlt: comp.kvz cannot be written: No space left on device")
            << QStringLiteral(
                   "/p/ledger.zlt: comp.kvz kann nicht geschrieben werden: No space left on "
                   "device");
        QTest::newRow("unknown") << QByteArray("cannot open /x: Permission denied (13)")
                                 << QStringLiteral("cannot open /x: Permission denied (13)");
    }
    void composedMessagesComeOutWhole() {
        QFETCH(QByteArray, core);
        QFETCH(QString, german);
        QVERIFY(!core.isEmpty());
        QCOMPARE(CoreText(core.toStdString()), QString::fromLatin1(core));
        German translated;
        QCOMPARE(CoreText(core.toStdString()), german);
    }

    // A refusal of the core on each kind of page and dialog, in German: the
    // box, the note beside a field or the tooltip that shows it.
    void refusalsReachThePagesInGerman_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("german");
        QTest::newRow("application")
            << 1 << "Geben Sie einen Anwendungsnamen ein, bevor Sie fortfahren.";
        QTest::newRow("background")
            << 2 << "Die Schriftgröße muss eine ganze Zahl von 20 bis 160 sein.";
        QTest::newRow("files") << 5 << "Der Stammordner kann nicht umbenannt werden";
        QTest::newRow("registry") << 6 << "sollte kein Wert zugewiesen werden";
        QTest::newRow("shortcuts")
            << 7 << "Geben Sie einen Namen für den Verknüpfungsordner ein, bevor Sie fortfahren.";
        QTest::newRow("customisation")
            << 8 << "Wählen Sie eine Datei aus der Liste der installierten Dateien aus";
        QTest::newRow("database engine") << 9 << " wurde nicht gefunden.";
        QTest::newRow("finish") << 10 << "Geben Sie eine gültige Diskettengröße ein";
        QTest::newRow("file properties") << -1 << "Sie sollten nicht alle Betriebssysteme abwählen";
        QTest::newRow("folder browser")
            << -2
            << "Ein Verzeichnis darf keines der folgenden Zeichen enthalten:\n\t* ? \" < > | ,";
    }
    void refusalsReachThePagesInGerman() {
        QFETCH(int, page);
        QFETCH(QString, german);
        German translated;
        WizardFixture w;
        QString shown;
        if (page >= 0)
            QVERIFY(w.GoTo(page));
        switch (page) {
            case 1:
                w.Current<WProject>()->NameEdit()->clear();
                w.Sheet()->OnNext();
                break;
            case 2:
                w.Current<WPageBackground>()->SizeList()->setEditText(QStringLiteral("abc"));
                w.Sheet()->OnNext();
                break;
            case 5: {
                auto* files = w.Current<WFilesPage>();
                files->TargetTree()->setCurrentItem(
                    files->ItemOf(files->Tree()->Find("<Target Folder>")));
                QTest::keyClick(files->TargetTree(), Qt::Key_F2);
                break;
            }
            case 6:
                w.Current<WPageRegKeys>()->SetDialogRunner([](WRegKeyDialog& dialog) {
                    dialog.ValueEdit()->setText(QStringLiteral("1"));
                    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                    return int(QDialog::Rejected);
                });
                w.Current<WPageRegKeys>()->AddButton()->click();
                break;
            case 7:
                w.Current<WPageShortCuts>()->GroupEdit()->clear();
                w.Sheet()->OnNext();
                break;
            case 8:
                w.Current<WCustPage>()->FileList()->setCurrentItem(nullptr);
                w.Current<WCustPage>()->AddIniButton()->click();
                break;
            case 9:
                shown = w.Current<WPageBDECfg>()->LaunchButton()->toolTip();
                break;
            case 10: {
                auto* finish = w.Current<WPageFinish>();
                finish->SizeCombo()->setCurrentIndex(WMediaPlan::kCustomEntry);
                finish->CustomEdit()->setText(QStringLiteral("abc"));
                w.Sheet()->OnBack();
                QCOMPARE(w.Boxes().shown.value(0).caption,
                         QStringLiteral("Benutzerdefinierte Diskettengröße"));
                break;
            }
            case -1: {
                QDir().mkpath(NativePath(w.Scratch("src")));
                w.Project()->DefaultFolder = w.Scratch("src");
                auto* file = static_cast<WSetupFile*>(
                    w.Project()->ProgramFilesComponent()->AddElement(NewFileElement(
                        w.WriteScratch("src/a.dll", "library"), "a.dll", "<D>", "a.dll")));
                FilePropSheet sheet(w.App(), file, WRelocateFile{});
                sheet.Tabs()->setCurrentIndex(2);
                for (const char* name : {"windows95", "windows98", "windowsNT4", "windows2000"})
                    sheet.findChild<QCheckBox*>(QString::fromLatin1(name))->click();
                QCOMPARE(w.Boxes().shown.value(0).caption, QStringLiteral("Warnung"));
                break;
            }
            case -2: {
                WFolderBrowser browser(w.Boxes());
                Dialogs::FolderRequest request;
                request.startFolder = QDir::tempPath();
                browser.Setup(request);
                browser.show();
                QTest::keyClicks(browser.PathEdit(), QStringLiteral("*"));
                shown = browser.TypingNote()->text();
                break;
            }
        }
        if (shown.isEmpty())
            shown = w.Boxes().LastText();
        QVERIFY2(shown.contains(german), qPrintable(shown));
    }
};

VANTREL_WIZARD_TEST_MAIN(CoreTextTest)
#include "core_text_test.moc"
