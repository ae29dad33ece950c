// The database-engine configuration page: which drivers can be ticked, the
// radio buttons' rule, the own configuration file with its question and its
// file dialog, the administrator button, and what the saved project holds.
#include <sys/stat.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <cstdlib>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/page_bde_cfg.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/bde_rules.h"
#include "project/project_file.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;
using Answer = Dialogs::Answer;

namespace {

constexpr int kPage = 9;
const QString kInvalid = QStringLiteral(
    "The path to the CFG file is invalid.  Do you wish to use the default CNF file?");

int DriverIndex(const char* key) {
    for (int i = 0; i < WPageBDECfg::kDriverCount; ++i) {
        if (std::string(SqlLinksDrivers[i]->key) == key)
            return i;
    }
    return -1;
}

// An installation with the database engine and every driver but InterBase.
WizardFixture::Setup Installation() {
    WizardFixture::Setup setup;
    setup.scripts = QStringList{QStringLiteral("Distrib.kvz"), QStringLiteral("TY9Run_Program.kvz"),
                                QStringLiteral("Uninstall.kvz"), QStringLiteral("OnDmndBDE.kvz")};
    for (const char* sql : {"syb", "ssc", "ora", "mss", "inf", "db"})
        setup.scripts << QStringLiteral("SQL_%1.kvz").arg(QLatin1String(sql));
    setup.engineFiles = true;
    setup.deferStart = true;
    return setup;
}

// Writes `bytes` into the file at the engine path `path`, folders and all.
void Write(const std::string& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(NativePath(path)).path());
    QFile file(NativePath(path));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// PATH set to `value` for the life of the object.
struct PathVariable {
    QByteArray saved = qgetenv("PATH");
    explicit PathVariable(const QByteArray& value) { qputenv("PATH", value); }
    ~PathVariable() { qputenv("PATH", saved); }
};

}  // namespace

class BdePageTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w{Installation()};
        WPageBDECfg* page = nullptr;
        // `before` runs on the new project before the wizard walks to the page.
        explicit Page(std::function<void(WizardFixture&)> before = {}) {
            w.Start();
            if (before)
                before(w);
            if (w.GoTo(kPage))
                page = w.Current<WPageBDECfg>();
        }
        QCheckBox* Box(const char* key) const { return page->DriverBox(DriverIndex(key)); }
        bool Selected(const char* component) const {
            const WSetupComponent* c = w.Project()->Components()->Find(component);
            return c && c->IsSelected();
        }
        // Saves through the save command and reads the file into a fresh project.
        bool SaveAndReopen(WProjectData& reopened) {
            const std::string file = w.Scratch("ledger.zlt");
            w.App().SetModified(1);
            w.Boxes().files << NativePath(file);
            return w.App().SaveProject() && OpenProjectFile(reopened, file);
        }
    };

  private slots:
    void driversWithoutTheirScriptCannotBeTicked() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(!p.Box("IsInterBaseSelected")->isEnabled());
        QVERIFY(p.Box("IsInterBaseSelected")->toolTip().contains(QStringLiteral("SQL_int.kvz")));
        for (const char* key :
             {"IsSybaseDBLibSelected", "IsSybaseCTLibSelected", "IsOracleSelected",
              "IsMSSQLSelected", "IsInformixSelected", "IsDB2Selected"}) {
            QVERIFY2(p.Box(key)->isEnabled(), key);
            QVERIFY2(!p.Box(key)->isChecked(), key);
        }
        QCOMPARE(p.Box("IsMSSQLSelected")->text(), QStringLiteral("MS S&QL"));
        // The chosen file's radio button has the focus.
        QTRY_VERIFY(p.page->DefaultRadio()->hasFocus());
    }

    void aDriverEnablesTheRadiosAndBringsTheDatabaseEngine() {
        Page p([](WizardFixture& w) {
            w.Project()->RuntimeComponent = 0;
            w.Project()->BDEComponent = 0;
        });
        QVERIFY(p.page);
        QCOMPARE(p.w.Project()->BDEComponent, 0);
        // No driver and no engine: the configuration file does not matter.
        QVERIFY(!p.page->DefaultRadio()->isEnabled());
        QVERIFY(!p.page->CustomRadio()->isEnabled());
        QVERIFY(p.page->DefaultRadio()->isChecked());

        p.w.App().SetModified(0);
        p.Box("IsOracleSelected")->click();
        p.Box("IsDB2Selected")->click();
        QVERIFY(p.page->DefaultRadio()->isEnabled());
        QVERIFY(p.page->CustomRadio()->isEnabled());
        QCOMPARE(p.w.App().Modified(), 1);
        p.Box("IsDB2Selected")->click();

        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kPage + 1);
        QVERIFY(p.w.Boxes().shown.isEmpty());
        const WProjectData* project = p.w.Project();
        QCOMPARE(project->IsOracleSelected, 1);
        QCOMPARE(project->IsDB2Selected, 0);
        QCOMPARE(project->BDEComponent, 1);
        QVERIFY(p.Selected("SQL_ora"));
        QVERIFY(p.Selected("OnDmndBDE"));
        QVERIFY(!p.Selected("SQL_db"));

        WProjectData reopened;
        QVERIFY(p.SaveAndReopen(reopened));
        QCOMPARE(reopened.IsOracleSelected, 1);
        QCOMPARE(reopened.IsDB2Selected, 0);
        QCOMPARE(reopened.BDEComponent, 1);
        QCOMPARE(reopened.IsDefaultCFGSelected, 1);

        // Back on the page, the boxes show what the project holds.
        p.w.Sheet()->OnBack();
        QVERIFY(p.Box("IsOracleSelected")->isChecked());
        QVERIFY(!p.Box("IsDB2Selected")->isChecked());
    }

    void aMissingOwnFileAsksForTheDefaultOne() {
        Page p;
        QVERIFY(p.page);
        p.page->CustomRadio()->click();
        QVERIFY(p.page->PathEdit()->isEnabled());
        QVERIFY(p.page->SelectButton()->isEnabled());
        p.page->PathEdit()->setText(NativePath(p.w.Scratch("missing.cfg")));

        // No keeps the page and the project as they were.
        p.w.Boxes().answers << Answer::No;
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kPage);
        QCOMPARE(p.w.Boxes().Texts(), QStringList{kInvalid});
        const auto& box = p.w.Boxes().shown.first();
        QCOMPARE(box.buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(box.defaultAnswer, Answer::No);
        QCOMPARE(box.caption, Dialogs::ProgramTitle());
        QCOMPARE(p.w.Project()->IsDefaultCFGSelected, 1);
        QVERIFY(p.page->CustomRadio()->isChecked());

        // An empty path is just as invalid; Yes switches to the default file.
        p.page->PathEdit()->clear();
        p.w.Boxes().Forget();
        p.w.Boxes().answers << Answer::Yes;
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Boxes().Texts(), QStringList{kInvalid});
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kPage + 1);
        const WProjectData* project = p.w.Project();
        QCOMPARE(project->IsDefaultCFGSelected, 1);
        QCOMPARE(project->IDAPICNFDirectory, project->DefaultConfigFile);
        QCOMPARE(project->ShipUserConfig, 0);
        QVERIFY(p.page->DefaultRadio()->isChecked());
        QCOMPARE(p.page->PathEdit()->text(), NativePath(project->DefaultConfigFile));
    }

    void anOwnFileChosenWithSelectIsSavedAndShipped() {
        Page p;
        QVERIFY(p.page);
        const std::string own = p.w.WriteScratch("MY.CFG", "[config]");
        p.page->CustomRadio()->click();
        QVERIFY(p.page->PathEdit()->text().isEmpty());
        p.w.App().SetModified(0);
        p.w.Boxes().files << NativePath(own);
        p.page->SelectButton()->click();

        QCOMPARE(p.w.Boxes().fileDialogs.size(), 1);
        const Dialogs::FileRequest& request = p.w.Boxes().fileDialogs.first().request;
        QCOMPARE(request.folder, NativePath(JoinPath(p.w.Install(), "MySetup")));
        QCOMPARE(request.fileName, QStringLiteral("*.cfg"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("cfg"));
        QVERIFY(request.filter.startsWith(QStringLiteral("Configuration files (*.CFG)|*.CFG|")));
        QCOMPARE(p.page->PathEdit()->text(), NativePath(own));
        QCOMPARE(p.w.App().Modified(), 1);

        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), kPage + 1);
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(p.w.Project()->IsDefaultCFGSelected, 0);
        QCOMPARE(p.w.Project()->IDAPICNFDirectory, own);
        QCOMPARE(p.w.Project()->ShipUserConfig, 1);

        WProjectData reopened;
        QVERIFY(p.SaveAndReopen(reopened));
        QCOMPARE(reopened.IsDefaultCFGSelected, 0);
        QCOMPARE(reopened.IDAPICNFDirectory, own);

        // The default radio shows the default file and keeps the own one for
        // the custom radio.
        p.w.Sheet()->OnBack();
        QVERIFY(p.page->CustomRadio()->isChecked());
        QCOMPARE(p.page->PathEdit()->text(), NativePath(own));
        p.page->DefaultRadio()->click();
        QCOMPARE(p.page->PathEdit()->text(), NativePath(p.w.Project()->DefaultConfigFile));
        QVERIFY(!p.page->PathEdit()->isEnabled());
        QVERIFY(!p.page->SelectButton()->isEnabled());
        p.page->CustomRadio()->click();
        QCOMPARE(p.page->PathEdit()->text(), NativePath(own));

        // Leaving with the default radio ships nothing of the author's.
        p.page->DefaultRadio()->click();
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->IsDefaultCFGSelected, 1);
        QCOMPARE(p.w.Project()->IDAPICNFDirectory, p.w.Project()->DefaultConfigFile);
        QCOMPARE(p.w.Project()->ShipUserConfig, 0);
    }

    void theAdministratorButtonSaysWhyItCannotStart() {
        {
            Page p;
            QVERIFY(p.page);
            QVERIFY(!p.page->LaunchButton()->isEnabled());
            QVERIFY(p.page->LaunchButton()->toolTip().contains(QStringLiteral("was not found")));
            QVERIFY(p.page->LaunchButton()->toolTip().contains(QStringLiteral("BDEADMIN.EXE")));
        }
        {
            // A Windows program, and no wine to run it.
            const QTemporaryDir empty;
            PathVariable path(empty.path().toLocal8Bit());
            Page p([](WizardFixture& w) {
                Write(JoinPath(JoinPath(w.Install(), "Bde501"), "bdeadmin.exe"), "MZ");
            });
            QVERIFY(p.page);
            QVERIFY(!p.page->LaunchButton()->isEnabled());
            QVERIFY(p.page->LaunchButton()->toolTip().contains(QStringLiteral("wine")));
            QVERIFY(p.page->AdministratorPath().find("bdeadmin.exe") != std::string::npos);
        }
    }

    void theAdministratorRunsAndTheWizardComesBack() {
        std::string marker;
        Page p([&marker](WizardFixture& w) {
            marker = w.Scratch("started");
            const std::string admin = JoinPath(JoinPath(w.Install(), "Bde501"), "BDEADMIN.EXE");
            Write(admin, QByteArray("#!/bin/sh\necho run > '") + marker.c_str() + "'\n");
            ::chmod(admin.c_str(), 0755);
        });
        QVERIFY(p.page);
        QVERIFY(p.page->LaunchButton()->isEnabled());
        p.page->LaunchButton()->click();
        QVERIFY(IsFile(marker));
        QVERIFY(p.page->window()->isEnabled());
        QVERIFY(p.w.Boxes().shown.isEmpty());

        // The program went away since the page was shown.
        RemoveFile(p.page->AdministratorPath());
        p.page->LaunchButton()->click();
        QCOMPARE(p.w.Boxes().Texts(),
                 QStringList{QStringLiteral("Could not find the BDE Administrator to start.")});
        QVERIFY(!p.page->LaunchButton()->isEnabled());
    }
};

VANTREL_WIZARD_TEST_MAIN(BdePageTest)
#include "bde_page_test.moc"
