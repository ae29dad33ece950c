// The customisation page and its two dialogs: adding, modifying and removing
// INI entries and text replacements, the messages for a missing choice, the
// dialogs' refusals, the duplicate test, and what the saved project holds.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <array>

#include "app/support/wizard_fixture.h"
#include "elements/setup_file.h"
#include "pages/cust_page.h"
#include "pages/ini_entry_dialog.h"
#include "pages/text_replacement_dialog.h"
#include "project/customisation_rules.h"
#include "project/project_file.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

constexpr int kPage = 8;
const std::string kAll(32, '1');

// What the test types into a dialog (empty: leave the field), or a cancel.
struct Typing {
    QStringList texts;
    std::array<bool, 4> systems{true, true, true, true};
    bool cancel = false;
};

Typing Texts(const QStringList& texts) {
    Typing t;
    t.texts = texts;
    return t;
}

Typing Cancel() {
    Typing t;
    t.cancel = true;
    return t;
}

}  // namespace

class CustPageTest : public QObject {
    Q_OBJECT

    static WizardFixture::Setup EngineFiles() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        return setup;
    }

    struct Page {
        WizardFixture w{EngineFiles()};
        WCustPage* page = nullptr;
        QList<Typing> typing;
        // What each dialog showed when it opened, fields joined by "|".
        QStringList opened;
        int refusedOks = 0;

        Page() {
            if (!w.GoTo(kPage))
                return;
            page = w.Current<WCustPage>();
            WSetupComponent* files = w.Project()->ProgramFilesComponent();
            for (const char* name : {"app.ini", "readme.txt"}) {
                auto file = std::make_unique<WSetupFile>();
                file->SetTargetDir("<D>");
                file->SetTargetName(name);
                files->AddElement(std::move(file));
            }
            page->OnSetActive();
            page->SetIniDialogRunner([this](WIniEntryDialog& d) {
                return Run(d, {d.SectionEdit(), d.KeyEdit(), d.ValueEdit()});
            });
            page->SetTextDialogRunner([this](WTextReplacementDialog& d) {
                return Run(d, {d.SearchEdit(), d.ReplaceEdit()});
            });
        }

        int Run(WCustomisationDialog& d, const QList<QLineEdit*>& edits) {
            QStringList shown{d.FileEdit()->text()};
            for (QLineEdit* e : edits)
                shown << e->text();
            opened << shown.join(QLatin1Char('|'));
            const Typing t = typing.isEmpty() ? Typing{} : typing.takeFirst();
            if (t.cancel)
                return int(QDialog::Rejected);
            for (int i = 0; i < t.texts.size() && i < edits.size(); ++i)
                edits[i]->setText(t.texts[i]);
            for (int i = 0; i < 4; ++i)
                d.SystemBox(i)->setChecked(t.systems[i]);
            d.OnOk();
            if (d.result() != QDialog::Accepted)
                ++refusedOks;
            return d.result();
        }

        void ChooseFile(int row) {
            page->FileList()->setCurrentItem(page->FileList()->topLevelItem(row));
        }
        static QString Cell(QTreeWidget* list, int row, int column) {
            return list->topLevelItem(row)->text(column);
        }
    };

  private slots:
    void addingNeedsAFileAndConfirmingTheNewEntryKeepsItsTexts() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.page->FileList()->topLevelItemCount(), 2);
        QCOMPARE(Page::Cell(p.page->FileList(), 1, 0),
                 QStringLiteral("<Target Folder>\\readme.txt"));
        p.page->FileList()->setCurrentItem(nullptr);
        p.page->AddIniButton()->click();
        p.page->AddTextButton()->click();
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{QStringLiteral("Please select a file from the install files list"),
                              QStringLiteral("Please select a file from the install files list")}));
        QCOMPARE(p.w.Boxes().shown[0].caption, Dialogs::ProgramTitle());
        QVERIFY(p.opened.isEmpty());

        // Cancel leaves nothing behind.
        p.ChooseFile(0);
        p.typing << Cancel();
        p.page->AddIniButton()->click();
        QCOMPARE(p.opened.last(), QStringLiteral("<Target Folder>\\app.ini|Section|Key|Value"));
        QCOMPARE(p.page->IniList()->topLevelItemCount(), 0);
        QVERIFY(IniEntries(*p.w.Project()).empty());

        // OK unchanged: the new entry's texts.
        p.w.App().SetModified(0);
        p.page->AddIniButton()->click();
        QCOMPARE(p.page->IniList()->topLevelItemCount(), 1);
        QCOMPARE(Page::Cell(p.page->IniList(), 0, 1), QStringLiteral("Section"));
        QCOMPARE(Page::Cell(p.page->IniList(), 0, 3), QStringLiteral("Value"));
        QVERIFY(p.w.App().Modified());
        QCOMPARE(IniEntries(*p.w.Project())[0]->WriteRecord(),
                 ",<D>,app.ini,Section,Key,Value,1111,,1,0," + kAll + ",0,");

        p.ChooseFile(1);
        p.page->AddTextButton()->click();
        QCOMPARE(p.opened.last(),
                 QStringLiteral("<Target Folder>\\readme.txt|Find Text|<Target Folder>"));
        QCOMPARE(Page::Cell(p.page->TextList(), 0, 1), QStringLiteral("Find Text"));
        QCOMPARE(Page::Cell(p.page->TextList(), 0, 2), QStringLiteral("<Target Folder>"));
        QCOMPARE(TextReplacements(*p.w.Project())[0]->WriteRecord(),
                 ",<D>,readme.txt,Find Text,<D>,1111,1," + kAll + ",0,");

        // The same again is refused with its own caption, and not listed.
        p.w.Boxes().Forget();
        p.page->AddTextButton()->click();
        QCOMPARE(p.w.Boxes().Texts(), QStringList{QStringLiteral("This entry already exists")});
        QCOMPARE(p.w.Boxes().shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(p.page->TextList()->topLevelItemCount(), 1);
        p.ChooseFile(0);
        p.typing << Texts({QStringLiteral("Section"), QStringLiteral("Key"), QStringLiteral("2")});
        p.page->AddIniButton()->click();
        QCOMPARE(p.w.Boxes().LastText(), QStringLiteral("This entry already exists"));
        QCOMPARE(IniEntries(*p.w.Project()).size(), size_t(1));
    }

    void theDialogsShowTheCoresRefusalsAndStayOpen() {
        Page p;
        QVERIFY(p.page);
        p.ChooseFile(0);
        Typing none = Texts({QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("1")});
        none.systems = {false, false, false, false};
        p.typing << Texts({QStringLiteral("[Boot]"), QStringLiteral("K"), QStringLiteral("1")})
                 << none << Texts({QStringLiteral("S"), QStringLiteral("K"), QString()})
                 << Texts({QStringLiteral("S"), QStringLiteral("K"),
                           QString::fromUtf8("\xE4\xB8\xAD")});
        for (int i = 0; i < 4; ++i)
            p.page->AddIniButton()->click();
        p.typing << Texts({QStringLiteral("a,b"), QStringLiteral("x")})
                 << Texts({QStringLiteral("x"), QString()});
        p.page->AddTextButton()->click();
        p.page->AddTextButton()->click();
        QCOMPARE(p.refusedOks, 6);
        const QStringList texts = p.w.Boxes().Texts();
        QCOMPARE(texts.size(), 6);
        QCOMPARE(texts[0],
                 QStringLiteral("You should not enter either '[' or ']' in you section name."));
        QCOMPARE(texts[1], QStringLiteral("You have not specified any target Operating Systems."));
        QCOMPARE(texts[2], QStringLiteral("You Must enter a Section, Key and Value to modify in "
                                          "your INI file."));
        QVERIFY(texts[3].contains(QString::fromUtf8("\xE4\xB8\xAD")));
        QCOMPARE(texts[4],
                 QStringLiteral("The search text cannot contain a comma or a line break."));
        QCOMPARE(texts[5], QStringLiteral("You Must enter a Search and Replace string to be "
                                          "modified in your text file."));
        QCOMPARE(p.w.Boxes().shown[0].caption, Dialogs::ProgramTitle());
        QCOMPARE(p.page->IniList()->topLevelItemCount(), 0);
        QCOMPARE(p.page->TextList()->topLevelItemCount(), 0);
    }

    void modifyRefusesWhatAddRefusesAndKeepsTheDialogOpen() {
        Page p;
        QVERIFY(p.page);
        p.ChooseFile(0);
        p.typing << Texts({QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("1")})
                 << Texts({QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("1")});
        p.page->AddIniButton()->click();
        p.page->AddIniButton()->click();
        p.ChooseFile(1);
        p.typing << Texts({QStringLiteral("x"), QStringLiteral("y")})
                 << Texts({QStringLiteral("z"), QStringLiteral("y")});
        p.page->AddTextButton()->click();
        p.page->AddTextButton()->click();
        QCOMPARE(IniEntries(*p.w.Project()).size(), size_t(2));
        QCOMPARE(TextReplacements(*p.w.Project()).size(), size_t(2));
        p.w.Boxes().Forget();

        // The second INI entry changed to the first's key: refused, unchanged.
        p.page->IniList()->setCurrentItem(p.page->IniList()->topLevelItem(1));
        p.typing << Texts({QStringLiteral("S"), QStringLiteral("A"), QStringLiteral("2")});
        p.page->ModifyIniButton()->click();
        QCOMPARE(p.refusedOks, 1);
        QCOMPARE(p.w.Boxes().Texts(), QStringList{QStringLiteral("This entry already exists")});
        QCOMPARE(p.w.Boxes().shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(IniEntries(*p.w.Project())[1]->GetKey(), std::string("B"));
        QCOMPARE(Page::Cell(p.page->IniList(), 1, 2), QStringLiteral("B"));
        // Its own key with another value is no duplicate of itself.
        p.typing << Texts({QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("3")});
        p.page->ModifyIniButton()->click();
        QCOMPARE(p.refusedOks, 1);
        QCOMPARE(IniEntries(*p.w.Project())[1]->GetValue(), std::string("3"));

        p.page->TextList()->setCurrentItem(p.page->TextList()->topLevelItem(1));
        p.typing << Texts({QStringLiteral("x"), QStringLiteral("y")});
        p.page->ModifyTextButton()->click();
        QCOMPARE(p.refusedOks, 2);
        QCOMPARE(TextReplacements(*p.w.Project())[1]->GetSearchText(), std::string("z"));
    }

    void modifyAndRemoveNeedARowAndWhatIsSavedComesBack() {
        Page p;
        QVERIFY(p.page);
        for (QPushButton* b : {p.page->ModifyIniButton(), p.page->RemoveIniButton(),
                               p.page->ModifyTextButton(), p.page->RemoveTextButton()})
            b->click();
        QCOMPARE(
            p.w.Boxes().Texts(),
            (QStringList{
                QStringLiteral("Please select a file from the Files tagged for INI updates list"),
                QStringLiteral("Please select a file from the Files tagged for INI updates list"),
                QStringLiteral("Please select a file from the File Customization list"),
                QStringLiteral("Please select a file from the File Customization list")}));

        p.ChooseFile(0);
        p.typing << Texts({QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("1")})
                 << Texts({QStringLiteral("B"), QStringLiteral("K"), QStringLiteral("2")});
        p.page->AddIniButton()->click();
        p.page->AddIniButton()->click();
        p.ChooseFile(1);
        p.typing << Texts({QStringLiteral("@DIR@"), QStringLiteral("<Target Folder>")});
        p.page->AddTextButton()->click();

        // Modify shows the long macro form and refreshes the row.
        p.page->IniList()->setCurrentItem(p.page->IniList()->topLevelItem(0));
        Typing only98 =
            Texts({QStringLiteral("A"), QStringLiteral("K"), QStringLiteral("<Windows Folder>")});
        only98.systems = {false, false, true, false};
        p.typing << only98;
        p.page->ModifyIniButton()->click();
        QCOMPARE(p.opened.last(), QStringLiteral("<Target Folder>\\app.ini|A|K|1"));
        QCOMPARE(Page::Cell(p.page->IniList(), 0, 3), QStringLiteral("<Windows Folder>"));
        QCOMPARE(IniEntries(*p.w.Project())[0]->WriteRecord(),
                 ",<D>,app.ini,A,K,<W>,0010,,1,0," + kAll + ",0,");
        p.typing << Texts({QStringLiteral("@DIR@"), QStringLiteral("<Windows Folder>")});
        p.page->ModifyTextButton()->click();
        QCOMPARE(Page::Cell(p.page->TextList(), 0, 2), QStringLiteral("<Windows Folder>"));

        // Removing the second INI entry leaves the first, selected.
        p.page->IniList()->setCurrentItem(p.page->IniList()->topLevelItem(1));
        p.page->RemoveIniButton()->click();
        QCOMPARE(p.page->IniList()->topLevelItemCount(), 1);
        QCOMPARE(p.page->IniList()->currentItem(), p.page->IniList()->topLevelItem(0));

        // Save and reopen: the two remaining entries, as they were written.
        p.w.Sheet()->OnNext();
        const std::string saved = p.w.Scratch("ledger.zlt");
        p.w.App().SetModified(1);
        p.w.Boxes().files << QString::fromStdString(saved);
        QVERIFY(p.w.App().SaveProject());
        WProjectData reopened;
        reopened.SetInstallLocationOverride(p.w.Install());
        reopened.Reset();
        QVERIFY(OpenProjectFile(reopened, saved));
        const auto ini = IniEntries(reopened);
        const auto text = TextReplacements(reopened);
        QCOMPARE(ini.size(), size_t(1));
        QCOMPARE(text.size(), size_t(1));
        QCOMPARE(ini[0]->WriteRecord(),
                 "Program_files,<D>,app.ini,A,K,<W>,00101,,1,0," + kAll + ",0,");
        QCOMPARE(text[0]->WriteRecord(),
                 "Program_files,<D>,readme.txt,@DIR@,<W>,11111,1," + kAll + ",0,");

        // Back on the page, the lists show what the project holds.
        p.w.Sheet()->OnBack();
        QCOMPARE(p.page->IniList()->topLevelItemCount(), 1);
        QCOMPARE(p.page->TextList()->topLevelItemCount(), 1);
        p.page->TextList()->setCurrentItem(p.page->TextList()->topLevelItem(0));
        p.page->RemoveTextButton()->click();
        QVERIFY(TextReplacements(*p.w.Project()).empty());
    }
};

VANTREL_WIZARD_TEST_MAIN(CustPageTest)
#include "cust_page_test.moc"
