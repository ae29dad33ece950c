// The registry keys page and its key dialog: the list and its Uninstall
// boxes, Add / Modify / Delete with the dialog's refusals, the import of a
// registry file, the editor button, and what the saved project holds.
#include <sys/stat.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <array>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_reg_keys.h"
#include "pages/reg_key_dialog.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/system_folders.h"
#include "project/project_file.h"
#include "project/registry_keys.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

constexpr int kPage = 6;

// What the test types into the dialog, or a cancel.
struct Typing {
    int root = 2;  // HKEY_LOCAL_MACHINE
    QString key, name, value;
    int type = 0;
    std::array<bool, 4> systems{true, true, true, true};
    bool cancel = false;
};

Typing Cancel() {
    Typing t;
    t.cancel = true;
    return t;
}

// An environment variable set for the life of the object.
struct Variable {
    QByteArray name, saved;
    bool had;
    Variable(const char* n, const QByteArray& value)
        : name(n), saved(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {
        qputenv(n, value);
    }
    ~Variable() {
        if (had)
            qputenv(name, saved);
        else
            qunsetenv(name);
    }
};

}  // namespace

class RegKeysPageTest : public QObject {
    Q_OBJECT

    static WizardFixture::Setup EngineFiles() {
        WizardFixture::Setup setup;
        setup.engineFiles = true;
        return setup;
    }

    struct Page {
        WizardFixture w{EngineFiles()};
        WPageRegKeys* page = nullptr;
        QList<Typing> typing;
        // What each dialog showed when it opened: key, name, value.
        QStringList opened;
        // How many OK presses the dialog refused before one was accepted.
        int refusedOks = 0;

        Page() {
            WRegistryKeyProperties::ForgetLastKey();
            if (!w.GoTo(kPage))
                return;
            page = w.Current<WPageRegKeys>();
            page->SetDialogRunner([this](WRegKeyDialog& d) {
                opened << d.KeyEdit()->text() + "|" + d.NameEdit()->text() + "|" +
                              d.ValueEdit()->text();
                const Typing t = typing.isEmpty() ? Typing{} : typing.takeFirst();
                if (t.cancel)
                    return int(QDialog::Rejected);
                d.RootKeyList()->setCurrentIndex(t.root);
                d.KeyEdit()->setText(t.key);
                d.NameEdit()->setText(t.name);
                d.ValueEdit()->setText(t.value);
                d.TypeList()->setCurrentIndex(t.type);
                for (int i = 0; i < 4; ++i)
                    d.SystemBox(i)->setChecked(t.systems[i]);
                d.OnOk();
                if (d.result() != QDialog::Accepted)
                    ++refusedOks;
                return d.result();
            });
        }
        int Rows() const { return page->List()->topLevelItemCount(); }
        QString Cell(int row, int column) const {
            return page->List()->topLevelItem(row)->text(column);
        }
        int Current() const {
            return page->List()->indexOfTopLevelItem(page->List()->currentItem());
        }
        void Add(const QString& key, const QString& name, const QString& value) {
            Typing t;
            t.key = key;
            t.name = name;
            t.value = value;
            typing << t;
            page->AddButton()->click();
        }
    };

  private slots:
    void addingListsTheEntryAndCancelChangesNothing() {
        Page p;
        QVERIFY(p.page);
        QCOMPARE(p.Rows(), 0);
        QVERIFY(!p.page->ModifyButton()->isEnabled());
        QVERIFY(!p.page->DeleteButton()->isEnabled());

        p.typing << Cancel();
        p.page->AddButton()->click();
        QCOMPARE(p.Rows(), 0);
        QVERIFY(RegistryEntries(*p.w.Project()).empty());

        p.Add(QStringLiteral("Software\\X"), QStringLiteral("V"), QStringLiteral("1"));
        QCOMPARE(p.Rows(), 1);
        QCOMPARE(p.Current(), 0);
        QVERIFY(p.page->ModifyButton()->isEnabled());
        QCOMPARE(p.page->List()->topLevelItem(0)->checkState(0), Qt::Checked);
        QCOMPARE(p.Cell(0, 1), QStringLiteral("HKEY_LOCAL_MACHINE"));
        QCOMPARE(p.Cell(0, 3), QStringLiteral("V"));
        const auto entries = RegistryEntries(*p.w.Project());
        QCOMPARE(entries.size(), size_t(1));
        QCOMPARE(entries[0]->WriteRecord(),
                 std::string(",HKEY_LOCAL_MACHINE,Software\\X,V,1,String,1111,1,1,") +
                     std::string(32, '1') + ",0,,0,");

        // The next Add proposes the key typed last.
        p.typing << Cancel();
        p.page->AddButton()->click();
        QCOMPARE(p.opened.last(), QStringLiteral("Software\\X||"));

        // The same entry again is refused and not listed.
        p.Add(QStringLiteral("Software\\X"), QStringLiteral("V"), QStringLiteral("1"));
        QCOMPARE(p.w.Boxes().LastText(),
                 QStringLiteral("The setup already writes this registry entry."));
        QCOMPARE(p.Rows(), 1);
    }

    void theDialogShowsTheCoresRefusalsAndStaysOpen() {
        Page p;
        QVERIFY(p.page);
        Typing rootOnly;
        rootOnly.value = QStringLiteral("1");
        Typing noSystem;
        noSystem.key = QStringLiteral("Software\\X");
        noSystem.systems = {false, false, false, false};
        p.typing << rootOnly << noSystem;
        p.page->AddButton()->click();
        p.page->AddButton()->click();
        QCOMPARE(p.refusedOks, 2);
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{QStringLiteral("You shouldn't be assigning a value to the RootKey "
                                             "HKEY_LOCAL_MACHINE"),
                              QStringLiteral("You have not specified any target Operating "
                                             "Systems.")}));
        QCOMPARE(p.w.Boxes().shown[0].caption, Dialogs::ProgramTitle());
        QCOMPARE(p.Rows(), 0);

        // A character the setup script cannot hold is named, not mangled.
        p.w.Boxes().Forget();
        p.Add(QStringLiteral("Software\\X"), QStringLiteral("V"),
              QString::fromUtf8("\xE4\xB8\xAD"));
        QVERIFY(p.w.Boxes().LastText().contains(QString::fromUtf8("\xE4\xB8\xAD")));
        QCOMPARE(p.Rows(), 0);
    }

    void modifyAndDeleteFollowTheSelection() {
        Page p;
        QVERIFY(p.page);
        p.page->ModifyButton()->setEnabled(true);
        p.page->ModifyButton()->click();
        p.page->DeleteButton()->setEnabled(true);
        p.page->DeleteButton()->click();
        QCOMPARE(p.w.Boxes().Texts(),
                 (QStringList{QStringLiteral("You have not selected a Reg Entry for modification."),
                              QStringLiteral("Please select a registry key for deletion")}));

        p.Add(QStringLiteral("Software\\A"), QStringLiteral("Path"),
              QStringLiteral("<Windows Folder>\\a"));
        p.Add(QStringLiteral("Software\\B"), QString(), QString());
        p.Add(QStringLiteral("Software\\C"), QString(), QString());
        QCOMPARE(p.Rows(), 3);

        // Modify: the row's box goes into the entry first; the long macro form is shown.
        p.page->List()->setCurrentItem(p.page->List()->topLevelItem(0));
        p.page->List()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        Typing t;
        t.key = QStringLiteral("Software\\A2");
        t.name = QStringLiteral("Path");
        t.value = QStringLiteral("<Windows Folder>\\b");
        p.typing << t;
        p.page->ModifyButton()->click();
        QCOMPARE(p.opened.last(), QStringLiteral("Software\\A|Path|<Windows Folder>\\a"));
        QCOMPARE(p.Cell(0, 2), QStringLiteral("Software\\A2"));
        QCOMPARE(p.Cell(0, 4), QStringLiteral("<Windows Folder>\\b"));
        WSetupRegEntry* first = RegistryEntries(*p.w.Project())[0];
        QCOMPARE(first->GetValueData(), std::string("<W>\\b"));
        QCOMPARE(first->GetUninstall(), 0);

        // Delete asks first, No being the default: No and Enter keep the entry.
        p.page->List()->setCurrentItem(p.page->List()->topLevelItem(2));
        p.w.App().SetModified(0);
        p.w.Boxes().Forget();
        p.w.Boxes().answers << Dialogs::Answer::No;
        p.page->DeleteButton()->click();
        p.page->DeleteButton()->click();  // unanswered: the default button
        QCOMPARE(p.Rows(), 3);
        QCOMPARE(RegistryEntries(*p.w.Project()).size(), size_t(3));
        QVERIFY(!p.w.App().Modified());
        QCOMPARE(p.w.Boxes().shown.size(), 2);
        QCOMPARE(p.w.Boxes().shown[0].defaultAnswer, Dialogs::Answer::No);
        QCOMPARE(p.w.Boxes().shown[0].buttons, Dialogs::Buttons::YesNo);
        QVERIFY(p.w.Boxes().shown[0].text.contains(QStringLiteral("Software\\C")));

        // Deleting the last of three selects the new last row.
        p.w.Boxes().answers << Dialogs::Answer::Yes << Dialogs::Answer::Yes << Dialogs::Answer::Yes;
        p.page->DeleteButton()->click();
        QCOMPARE(p.Rows(), 2);
        QCOMPARE(p.Current(), 1);
        QVERIFY(p.w.App().Modified());
        p.page->List()->setCurrentItem(p.page->List()->topLevelItem(0));
        p.page->DeleteButton()->click();
        QCOMPARE(p.Cell(0, 2), QStringLiteral("Software\\B"));
        p.page->DeleteButton()->click();
        QCOMPARE(p.Rows(), 0);
        QVERIFY(!p.page->ModifyButton()->isEnabled());
        QVERIFY(!p.page->DeleteButton()->isEnabled());
        QVERIFY(RegistryEntries(*p.w.Project()).empty());
    }

    void numbersRootsAndDuplicatesAreRightInTheDialog() {
        Page p;
        QVERIFY(p.page);
        // A Number takes only what a DWORD holds; the dialog stays open.
        Typing word;
        word.key = QStringLiteral("Software\\N");
        word.name = QStringLiteral("Count");
        word.value = QStringLiteral("abc");
        word.type = 1;
        word.root = 1;  // HKEY_CURRENT_USER
        Typing number = word;
        number.value = QStringLiteral("0x10");
        p.typing << word;
        p.page->AddButton()->click();
        QCOMPARE(p.refusedOks, 1);
        QCOMPARE(p.w.Boxes().LastText(), QString::fromLatin1(kNumberValueMessage));
        QCOMPARE(p.Rows(), 0);
        p.typing << number;
        p.page->AddButton()->click();
        QCOMPARE(p.Rows(), 1);
        QCOMPARE(RegistryEntries(*p.w.Project())[0]->GetValueData(), std::string("0x10"));

        // The next Add proposes the last key under the last root.
        int rootShown = -1;
        p.page->SetDialogRunner([&](WRegKeyDialog& d) {
            rootShown = d.RootKeyList()->currentIndex();
            return int(QDialog::Rejected);
        });
        p.page->AddButton()->click();
        QCOMPARE(rootShown, 1);

        // Modify refuses what Add refuses, the entry itself aside, and keeps
        // the dialog open with what was typed.
        Page q;
        q.Add(QStringLiteral("Software\\A"), QStringLiteral("V"), QStringLiteral("1"));
        q.Add(QStringLiteral("Software\\B"), QStringLiteral("V"), QStringLiteral("1"));
        q.w.Boxes().Forget();
        q.page->List()->setCurrentItem(q.page->List()->topLevelItem(1));
        Typing same;
        same.key = QStringLiteral("Software\\A");
        same.name = QStringLiteral("V");
        same.value = QStringLiteral("1");
        q.typing << same;
        q.page->ModifyButton()->click();
        QCOMPARE(q.refusedOks, 1);
        QCOMPARE(q.w.Boxes().Texts(),
                 QStringList{QStringLiteral("The setup already writes this registry entry.")});
        QCOMPARE(RegistryEntries(*q.w.Project())[1]->GetKeyPath(), std::string("Software\\B"));
        QCOMPARE(q.Cell(1, 2), QStringLiteral("Software\\B"));
        // Storing an entry unchanged is no duplicate of itself.
        Typing unchanged = same;
        unchanged.key = QStringLiteral("Software\\B");
        q.typing << unchanged;
        q.page->ModifyButton()->click();
        QCOMPARE(q.refusedOks, 1);
        QCOMPARE(q.w.Boxes().Texts().size(), 1);
    }

    void importNamesTheLinesItCouldNotRead() {
        Page p;
        QVERIFY(p.page);
        const std::string file = p.w.WriteScratch("in.reg",
                                                  "Windows Registry Editor Version 5.00\r\n"
                                                  "[HKEY_CURRENT_USER\\Software\\Oxbel]\r\n"
                                                  "\"Count\"=dword:0000000a\r\n"
                                                  "\"Broken\"=dword:\r\n"
                                                  "\"Name\"=\"a \\\"b\\\"\"\r\n");
        p.w.Boxes().files << NativePath(file);
        p.page->ImportButton()->click();
        QCOMPARE(p.Rows(), 2);
        QCOMPARE(p.Cell(0, 4), QStringLiteral("10"));
        QCOMPARE(p.Cell(1, 4), QStringLiteral("a \"b\""));
        QCOMPARE(p.Current(), 1);
        QCOMPARE(p.w.Boxes().LastText(),
                 QStringLiteral("2 registry entries were imported.\n\nThese lines could not be "
                                "imported:\nline 4: it is not written as a registry file line"));
        QCOMPARE(p.w.Boxes().fileDialogs.last().request.defaultSuffix, QStringLiteral("reg"));

        // Save and reopen: the entries are there, the box state with them.
        p.page->List()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
        p.w.Sheet()->OnNext();
        const std::string saved = p.w.Scratch("ledger.zlt");
        p.w.App().SetModified(1);
        p.w.Boxes().files << NativePath(saved);
        QVERIFY(p.w.App().SaveProject());
        WProjectData reopened;
        reopened.SetInstallLocationOverride(p.w.Install());
        reopened.Reset();
        QVERIFY(OpenProjectFile(reopened, saved));
        const auto entries = RegistryEntries(reopened);
        QCOMPARE(entries.size(), size_t(2));
        QCOMPARE(entries[0]->GetValueType(), std::string("Number"));
        QCOMPARE(entries[0]->GetUninstall(), 0);
        QCOMPARE(entries[1]->GetUninstall(), 1);

        // A file that is not a registry export is refused as a whole.
        p.w.Boxes().files << NativePath(p.w.WriteScratch("x.reg", "hello\n"));
        p.w.Sheet()->OnBack();
        p.page->ImportButton()->click();
        QVERIFY(p.w.Boxes().LastText().contains(QStringLiteral("not a registry file")));
    }

    void theEditorButtonStartsTheEditorOrSaysWhyNot() {
        const QTemporaryDir prefix;
        Variable wine("WINEPREFIX", prefix.path().toLocal8Bit());
        {
            Page p;
            QVERIFY(p.page);
            QVERIFY(!p.page->EditorButton()->isEnabled());
            QVERIFY(p.page->EditorButton()->toolTip().contains(QStringLiteral("regedit.exe")));
            QVERIFY(p.page->EditorButton()->toolTip().contains(QStringLiteral("not found")));
            QVERIFY(p.page->ImportButton()->isEnabled());
        }
        Page p;
        QVERIFY(p.page);
        const std::string windows = p.w.Scratch("windows");
        const std::string marker = p.w.Scratch("started");
        QVERIFY(MakeFolders(windows));
        const std::string editor = JoinPath(windows, "regedit.exe");
        QFile script(NativePath(editor));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QByteArray("#!/bin/sh\necho run > '") + marker.c_str() + "'\n");
        script.close();
        ::chmod(editor.c_str(), 0755);
        QVERIFY(TheRegistry().SetString(Hive::LocalMachine,
                                        "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                        "SystemRoot", windows));
        ReloadSystemFolders();
        p.w.Sheet()->OnBack();
        p.w.Sheet()->OnNext();
        p.page->EditorButton()->setEnabled(true);
        p.page->EditorButton()->click();
        QTRY_VERIFY(IsFile(marker));
        QVERIFY(p.w.Boxes().shown.isEmpty());

        RemoveFile(editor);
        p.page->EditorButton()->click();
        QCOMPARE(p.w.Boxes().Texts(),
                 QStringList{QStringLiteral("The Registry editor could not be launched.")});
        QVERIFY(!p.page->EditorButton()->isEnabled());
        TheRegistry().DeleteValue(Hive::LocalMachine,
                                  "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot");
        ReloadSystemFolders();
    }
};

VANTREL_WIZARD_TEST_MAIN(RegKeysPageTest)
#include "reg_keys_page_test.moc"
