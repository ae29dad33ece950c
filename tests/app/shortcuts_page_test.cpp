// The shortcuts page and its shortcut dialog: the group name's checks, Add
// Shortcut with the dialog, the runtime's shortcut, Properties and Delete,
// and what the saved project holds.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_file.h"
#include "pages/page_short_cuts.h"
#include "pages/shortcut_dialog.h"
#include "platform/paths.h"
#include "project/project_file.h"
#include "project/shortcut_rules.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

constexpr int kPage = 7;

// What the test types into the dialog; a null name cancels.
struct Typing {
    QString name;
    int folder = 2;
    QString additional = QStringLiteral("Ledger");
    QString parameters;
};

}  // namespace

class ShortcutsPageTest : public QObject {
    Q_OBJECT

    static WizardFixture::Setup WithRuntime() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        setup.scripts = QStringList{QStringLiteral("TY9Run_Program.kvz")};
        return setup;
    }

    struct Page {
        WizardFixture w{WithRuntime()};
        WPageShortCuts* page = nullptr;
        QList<Typing> typing;
        QStringList opened;  // target|folder index|additional|name|label, per dialog

        Page() {
            if (!w.GoTo(kPage))
                return;
            page = w.Current<WPageShortCuts>();
            for (const char* name : {"app.exe", "tool.exe"}) {
                auto file = std::make_unique<WSetupFile>();
                file->SetSourceDir("C:\\Source");
                file->SetTargetDir("<D>");
                file->SetTargetName(name);
                w.Project()->ProgramFilesComponent()->AddElement(std::move(file));
            }
            page->OnSetActive();
            page->SetDialogRunner([this](WShortcutDialog& d) {
                opened << d.TargetEdit()->text() + "|" +
                              QString::number(d.FolderList()->currentIndex()) + "|" +
                              d.AdditionalEdit()->text() + "|" + d.NameEdit()->text() + "|" +
                              d.ParametersLabel()->text();
                const Typing t = typing.isEmpty() ? Typing{} : typing.takeFirst();
                if (t.name.isNull())
                    return int(QDialog::Rejected);
                d.NameEdit()->setText(t.name);
                d.FolderList()->setCurrentIndex(t.folder);
                d.AdditionalEdit()->setText(t.additional);
                d.ParametersEdit()->setText(t.parameters);
                d.OnOk();
                if (d.result() != QDialog::Accepted)
                    ++refusedOks;
                return d.result();
            });
        }
        // OK presses the dialog refused, staying open with what was typed.
        int refusedOks = 0;
        QStringList Shortcuts() const {
            QStringList texts;
            for (int i = 0; i < page->ShortcutList()->count(); ++i)
                texts << page->ShortcutList()->item(i)->text();
            return texts;
        }
        void Add(int file, const QString& name) {
            page->FileList()->setCurrentRow(file);
            Typing t;
            t.name = name;
            typing << t;
            page->AddButton()->click();
        }
    };

  private slots:
    void groupNameIsCheckedOnNext() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.page->GroupEdit()->text(), QStringLiteral("My Project"));
        p.page->GroupEdit()->setText(QString());
        p.w.Sheet()->OnNext();
        p.page->GroupEdit()->setText(QStringLiteral("Acme/Ledger"));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{QStringLiteral("Please enter a Shortcut folder name before "
                                             "continuing."),
                              QStringLiteral("A directory cannot contain any of the following "
                                             "characters:\n\t/ * ? \" < > | , :")}));
        QCOMPARE(p.w.Boxes().shown[1].icon, Dialogs::Icon::Stop);
        QCOMPARE(p.w.Current<WPageShortCuts>(), p.page);
        p.page->GroupEdit()->setText(QStringLiteral("Acme\\Ledger"));
        p.w.Sheet()->OnNext();
        QVERIFY(p.w.Current<WPageShortCuts>() != p.page);
        QCOMPARE(p.w.Project()->ShortcutFolder, std::string("Acme\\Ledger"));
        QCOMPARE(p.w.Project()->ShortcutFolderSet, 1);
    }

    void addPropertiesAndDeleteFollowTheLists() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.page->FileList()->count(), 2);
        QCOMPARE(p.page->FileList()->item(0)->text(), QStringLiteral("<Target Folder>\\app.exe"));
        QVERIFY(p.page->AddButton()->isEnabled());
        QVERIFY(!p.page->DeleteButton()->isEnabled());

        // Cancel adds nothing; OK adds with the dialog's values.
        p.typing << Typing{};
        p.page->AddButton()->click();
        QCOMPARE(p.opened.last(),
                 QStringLiteral("<Target Folder>\\app.exe|2|My Project|Shortcut to app.exe|"
                                "Command &Line Parameters"));
        QVERIFY(p.Shortcuts().isEmpty());
        p.Add(0, QStringLiteral("Ledger"));
        QCOMPARE(p.Shortcuts(),
                 QStringList{QStringLiteral("<Start Menu Programs Folder>\\Ledger\\Ledger")});
        QVERIFY(p.page->DeleteButton()->isEnabled());
        QVERIFY(!p.page->AddButton()->isEnabled());
        QVERIFY(p.w.App().Modified());

        // The same file again opens no dialog; an empty name keeps it open.
        const int dialogs = p.opened.size();
        p.Add(0, QStringLiteral("Again"));
        QCOMPARE(p.opened.size(), dialogs);
        p.typing.clear();
        p.Add(1, QStringLiteral(""));
        QCOMPARE(p.w.Boxes().LastText(),
                 QStringLiteral("You must specify a name for your shortcut."));
        QCOMPARE(p.Shortcuts().size(), 1);
        // A new shortcut that reads like a listed one is refused while the
        // dialog stays open with what was typed.
        const int refusedBefore = p.refusedOks;
        p.Add(1, QStringLiteral("Ledger"));
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("Shortcut already exists."));
        QCOMPARE(p.refusedOks, refusedBefore + 1);
        QCOMPARE(p.Shortcuts().size(), 1);
        p.Add(1, QStringLiteral("Tool"));
        QCOMPARE(p.Shortcuts().size(), 2);

        // Properties that read like the other shortcut are refused.
        p.page->ShortcutList()->setCurrentRow(1);
        Typing again;
        again.name = QStringLiteral("Ledger");
        p.typing << again;
        const int refused = p.refusedOks;
        p.page->PropertiesButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("Shortcut already exists."));
        QCOMPARE(p.w.Boxes().shown.last().caption, QStringLiteral("Error"));
        QCOMPARE(p.refusedOks, refused + 1);  // the dialog stays open
        QCOMPARE(p.Shortcuts()[1], QStringLiteral("<Start Menu Programs Folder>\\Ledger\\Tool"));
        QCOMPARE(ListedShortcuts(*p.w.Project())[1]->GetShortcutName(), std::string("Tool"));
        p.typing << Typing{QStringLiteral("Tool"), 0, QString(), QStringLiteral("/q")};
        p.page->PropertiesButton()->click();
        QCOMPARE(p.Shortcuts()[1], QStringLiteral("<Desktop Folder>\\Tool"));

        p.page->DeleteButton()->click();
        QCOMPARE(p.Shortcuts().size(), 1);
        QVERIFY(!p.page->DeleteButton()->isEnabled());
        p.page->DeleteButton()->setEnabled(true);
        p.page->DeleteButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("You must select a shortcut to delete."));
        p.page->PropertiesButton()->setEnabled(true);
        p.page->PropertiesButton()->click();
        QCOMPARE(p.w.Boxes().LastText(),
                 QStringLiteral("You have not selected a shortcut to modify."));
        QCOMPARE(ListedShortcuts(*p.w.Project()).size(), size_t(1));
    }

    void runtimeShortcutFollowsTheRuntimeAndIsSaved() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(p.page->RuntimeButton()->isEnabled());
        p.Add(0, QStringLiteral("Ledger"));
        p.page->RuntimeButton()->click();
        p.page->RuntimeButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("Shortcut already exists."));
        QCOMPARE(p.Shortcuts(),
                 (QStringList{QStringLiteral("<Start Menu Programs Folder>\\Ledger\\Ledger"),
                              QStringLiteral("<Start Menu Programs Folder>\\My "
                                             "Project\\Tessary 9 Runtime")}));

        // Saved and reopened with a new group: everything is in it.
        p.page->GroupEdit()->setText(QStringLiteral("Ledger"));
        p.w.Sheet()->OnNext();
        const std::string saved = p.w.Scratch("ledger.zlt");
        p.w.Boxes().files << NativePath(saved);
        QVERIFY(p.w.App().SaveProject());
        WProjectData reopened;
        reopened.SetInstallLocationOverride(p.w.Install());
        reopened.Reset();
        QVERIFY(OpenProjectFile(reopened, saved));
        QCOMPARE(reopened.ShortcutFolder, std::string("Ledger"));
        const auto shortcuts = ListedShortcuts(reopened);
        QCOMPARE(shortcuts.size(), size_t(2));
        QCOMPARE(shortcuts[1]->WriteRecord(),
                 "TY9Run_Program,<O>\\Ledger,Tessary 9 Runtime,<SF>,Tessary 9 Runtime,11111,0,,,,,"
                 "0,1," +
                     std::string(32, '1') + ",0,644,");

        // Without the runtime component the shortcut goes on activation.
        p.w.Sheet()->OnBack();
        p.w.Project()->RuntimeComponent = 0;
        p.page->OnSetActive();
        QVERIFY(!p.page->RuntimeButton()->isEnabled());
        QCOMPARE(p.Shortcuts(),
                 QStringList{QStringLiteral("<Start Menu Programs Folder>\\Ledger\\Ledger")});
        QVERIFY(RuntimeShortcut(*p.w.Project()) == nullptr);
    }
};

VANTREL_WIZARD_TEST_MAIN(ShortcutsPageTest)
#include "shortcuts_page_test.moc"
