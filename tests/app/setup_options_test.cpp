// The setup options page: the dependency rules between the component boxes,
// the languages of the installation, the default language's row, and what
// leaving the page stores in the project and the catalogue.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "pages/project_dir.h"
#include "platform/paths.h"
#include "script/setup_component.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

WizardFixture::Setup Installation(bool languages = true) {
    WizardFixture::Setup setup;
    setup.scripts = QStringList{QStringLiteral("Distrib.kvz"), QStringLiteral("TY9_Framework.kvz"),
                                QStringLiteral("TY9Run_Program.kvz"),
                                QStringLiteral("Uninstall.kvz"), QStringLiteral("OnDmndBDE.kvz")};
    if (languages)
        setup.scripts << QStringLiteral("LX9_English.kvz") << QStringLiteral("LX9_German.kvz");
    return setup;
}

// A project with the proofreading tools ticked (a new one has them off).
void ToolsOn(WProjectData* project) {
    project->AreWritingToolsSelected = 1;
}

int Selection(WizardFixture& w, const char* component) {
    WSetupComponent* c = w.Project()->Components()->Find(component);
    return c ? c->GetSelection() : -1;
}

}  // namespace

class SetupOptionsTest : public QObject {
    Q_OBJECT

    struct Page {
        WizardFixture w;
        WProjectDir* page = nullptr;
        explicit Page(bool languages = true, std::function<void(WProjectData*)> before = {})
            : w(Installation(languages)) {
            if (before)
                before(w.Project());
            if (w.GoTo(4))
                page = w.Current<WProjectDir>();
        }
        void CheckRow(int row, bool checked) {
            page->LanguageList()->topLevelItem(row)->setCheckState(
                0, checked ? Qt::Checked : Qt::Unchecked);
        }
        bool RowChecked(int row) const {
            return page->LanguageList()->topLevelItem(row)->checkState(0) == Qt::Checked;
        }
    };

  private slots:
    void frameworkForcesTheRuntime() {
        Page p;
        QVERIFY(p.page);
        QVERIFY(!p.w.App().Modified());  // looking at the page changes nothing
        QVERIFY(p.page->RuntimeBox()->isChecked());
        p.page->RuntimeBox()->click();
        QVERIFY(!p.page->RuntimeBox()->isChecked());

        p.page->FrameworkBox()->click();
        QVERIFY(p.page->RuntimeBox()->isChecked());
        QVERIFY(!p.page->RuntimeBox()->isEnabled());
        QVERIFY(p.w.App().Modified());

        p.page->FrameworkBox()->click();
        QVERIFY(!p.page->RuntimeBox()->isChecked());
        QVERIFY(p.page->RuntimeBox()->isEnabled());
    }

    void databaseEngineFollowsRuntimeAndSqlLinks() {
        {
            Page p;
            QVERIFY(p.page->DatabaseBox()->isChecked());
            QVERIFY(!p.page->DatabaseBox()->isEnabled());  // forced while the runtime is in
            p.page->RuntimeBox()->click();
            QVERIFY(p.page->DatabaseBox()->isEnabled());
            QVERIFY(p.page->DatabaseBox()->isChecked());
            p.page->DatabaseBox()->click();
            QVERIFY(!p.page->DatabaseBox()->isChecked());
            p.page->RuntimeBox()->click();
            QVERIFY(p.page->DatabaseBox()->isChecked());
            QVERIFY(!p.page->DatabaseBox()->isEnabled());
            p.page->RuntimeBox()->click();
            QVERIFY(!p.page->DatabaseBox()->isChecked());  // the user's choice comes back
        }
        {
            // A SQL Links driver needs the engine even without the runtime.
            Page p(true, [](WProjectData* project) { project->IsOracleSelected = 1; });
            p.page->RuntimeBox()->click();
            QVERIFY(!p.page->RuntimeBox()->isChecked());
            QVERIFY(p.page->DatabaseBox()->isChecked());
            QVERIFY(!p.page->DatabaseBox()->isEnabled());
        }
    }

    void writingToolsNeedTheRuntime() {
        Page p(true, ToolsOn);
        QVERIFY(p.page->WritingToolsBox()->isEnabled());
        QVERIFY(p.page->LanguageList()->isEnabled());
        p.page->RuntimeBox()->click();
        QVERIFY(!p.page->WritingToolsBox()->isEnabled());
        for (QWidget* w : {static_cast<QWidget*>(p.page->LanguageList()),
                           static_cast<QWidget*>(p.page->DefaultLanguageList()),
                           static_cast<QWidget*>(p.page->SelectAllButton()),
                           static_cast<QWidget*>(p.page->SelectNoneButton())})
            QVERIFY(!w->isEnabled());
        p.page->RuntimeBox()->click();
        p.page->WritingToolsBox()->click();
        QVERIFY(!p.page->WritingToolsBox()->isChecked());
        QVERIFY(!p.page->LanguageList()->isEnabled());
    }

    void onlyLanguagesOfTheInstallationAreOffered() {
        {
            Page p;
            QCOMPARE(p.page->RowCodes(), (QStringList{"CE", "UK", "US", "OZ", "DE", "SD"}));
            QCOMPARE(p.page->DefaultLanguageList()->count(), 6);
            QCOMPARE(p.page->LanguageList()->topLevelItem(4)->text(1),
                     QStringLiteral("German - National(DE)"));
        }
        {
            Page p(false);
            QCOMPARE(p.page->LanguageList()->topLevelItemCount(), 0);
            QVERIFY(!p.page->WritingToolsBox()->isChecked());
            QVERIFY(!p.page->WritingToolsBox()->isEnabled());
            p.w.Sheet()->OnNext();
            QCOMPARE(p.w.Project()->AreWritingToolsSelected, 0);
            QVERIFY(p.w.Boxes().shown.isEmpty());
        }
    }

    void defaultLanguageRowStaysChecked() {
        Page p(true, ToolsOn);
        p.page->DefaultLanguageList()->setCurrentIndex(4);
        emit p.page->DefaultLanguageList()->activated(4);
        QVERIFY(p.RowChecked(4));
        p.CheckRow(4, false);
        QVERIFY(p.RowChecked(4));
        p.page->SelectAllButton()->click();
        for (int row = 0; row < 6; ++row)
            QVERIFY(p.RowChecked(row));
        p.page->SelectNoneButton()->click();
        for (int row = 0; row < 6; ++row)
            QCOMPARE(p.RowChecked(row), row == 4);

        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->DefaultLanguage, std::string("DE"));
        QCOMPARE(p.w.Project()->WritingToolLanguages, std::vector<std::string>{"DE"});
    }

    void aNewProjectHasNoDefaultLanguage() {
        Page p(true, [](WProjectData* project) {
            project->AreWritingToolsSelected = 1;
            project->WritingToolLanguages = {"DE"};
        });
        QCOMPARE(p.page->DefaultLanguageList()->currentIndex(), -1);
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->DefaultLanguage, std::string());
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 5);

        // An opened project shows its language; the next new one does not.
        p.w.Sheet()->OnBack();
        p.page->DefaultLanguageList()->setCurrentIndex(4);
        emit p.page->DefaultLanguageList()->activated(4);
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->DefaultLanguage, std::string("DE"));
        p.w.Project()->DefaultLanguage.clear();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.page->DefaultLanguageList()->currentIndex(), -1);
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->DefaultLanguage, std::string());
    }

    void newProjectsAreConsistentAndOnlyNextRefusesToolsWithoutALanguage() {
        // A new project has no language and so no proofreading tools: Back
        // and Next leave without a word.
        Page p;
        QVERIFY(!p.page->WritingToolsBox()->isChecked());
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 3);
        QVERIFY(p.w.GoTo(4));
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 5);
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(p.w.Project()->AreWritingToolsSelected, 0);

        // Tools ticked without a language: Back keeps the choice quietly,
        // Next says why and stays.
        p.w.Sheet()->OnBack();
        p.page->WritingToolsBox()->click();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 3);
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QVERIFY(p.w.GoTo(4));
        QVERIFY(p.page->WritingToolsBox()->isChecked());
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Boxes().Texts(),
                 QStringList{"Please select at least one writing tool language"});
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 4);
        p.CheckRow(2, true);
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Sheet()->CurrentIndex(), 5);
        QCOMPARE(p.w.Boxes().shown.size(), 1);
    }

    void englishVariantsShareOneComponent() {
        Page p(true, ToolsOn);
        p.w.Sheet()->OnBack();  // nothing checked yet: Back leaves quietly
        QVERIFY(p.w.Boxes().shown.isEmpty());
        QCOMPARE(Selection(p.w, "LX9_English"), WSetupComponent::kNotSelected);

        QVERIFY(p.w.GoTo(4));
        p.CheckRow(1, true);  // UK; CE before it and US, OZ after it stay unchecked
        p.w.Sheet()->OnNext();
        QCOMPARE(Selection(p.w, "LX9_English"), WSetupComponent::kSelected);
        QCOMPARE(Selection(p.w, "LX9_German"), WSetupComponent::kNotSelected);
        QCOMPARE(p.w.Project()->WritingToolLanguages, std::vector<std::string>{"UK"});
        QCOMPARE(p.w.Project()->WritingToolScripts, std::vector<std::string>{"LX9_English.kvz"});

        // Coming back shows the stored selection.
        p.w.Sheet()->OnBack();
        QVERIFY(p.RowChecked(1));
        QVERIFY(!p.RowChecked(2));

        // Without the proofreading tools a checked language is not installed.
        p.page->WritingToolsBox()->click();
        p.w.Sheet()->OnNext();
        QCOMPARE(Selection(p.w, "LX9_English"), WSetupComponent::kNotSelected);
        QCOMPARE(p.w.Project()->AreWritingToolsSelected, 0);
    }

    void componentFlagsReachTheCatalogue() {
        Page p;
        p.page->FrameworkBox()->click();
        p.w.Sheet()->OnNext();
        QCOMPARE(p.w.Project()->FrameworkComponent, 1);
        QCOMPARE(p.w.Project()->RuntimeComponent, 1);
        QCOMPARE(p.w.Project()->BDEComponent, 1);
        QCOMPARE(Selection(p.w, "TY9_Framework"), WSetupComponent::kSelected);
        QCOMPARE(Selection(p.w, "TY9Run_Program"), WSetupComponent::kSelected);

        p.w.Sheet()->OnBack();
        p.page->FrameworkBox()->click();
        p.page->RuntimeBox()->click();
        p.page->DatabaseBox()->click();
        p.w.Sheet()->OnBack();
        QCOMPARE(p.w.Project()->FrameworkComponent, 0);
        QCOMPARE(p.w.Project()->RuntimeComponent, 0);
        QCOMPARE(p.w.Project()->BDEComponent, 0);
        QCOMPARE(Selection(p.w, "TY9_Framework"), WSetupComponent::kNotSelected);
        QCOMPARE(Selection(p.w, "TY9Run_Program"), WSetupComponent::kNotSelected);
        QCOMPARE(Selection(p.w, "OnDmndBDE"), WSetupComponent::kNotSelected);
    }

    void missingScriptsAreNamedBesideTheBoxes() {
        {
            Page p;
            QVERIFY(p.page->MissingNote()->isHidden());
            QVERIFY(p.page->FrameworkBox()->toolTip().isEmpty());
        }
        {
            WizardFixture::Setup setup = Installation(false);
            setup.scripts.removeAll(QStringLiteral("TY9_Framework.kvz"));
            WizardFixture w(setup);
            QVERIFY(w.GoTo(4));
            WProjectDir* page = w.Current<WProjectDir>();
            const QString comps = NativePath(JoinPath(w.Install(), "Comps"));
            const QString framework =
                QStringLiteral("TY9_Framework.kvz is missing from %1.").arg(comps);
            QVERIFY(!page->FrameworkBox()->isEnabled());
            QCOMPARE(page->FrameworkBox()->toolTip(), framework);
            QVERIFY(page->MissingNote()->isVisibleTo(page));
            const QStringList lines = page->MissingNote()->text().split(QLatin1Char('\n'));
            QCOMPARE(lines.size(), 2);
            QCOMPARE(lines[0], framework);
            QVERIFY(lines[1].contains(QStringLiteral("No writing-tool language scripts")));
            QVERIFY(page->RuntimeBox()->isEnabled());
            QVERIFY(page->RuntimeBox()->toolTip().isEmpty());
            // A box off by a rule says which rule.
            page->RuntimeBox()->click();
            QVERIFY(page->DatabaseBox()->isEnabled());
            page->RuntimeBox()->click();
            QVERIFY(!page->DatabaseBox()->isEnabled());
            QVERIFY(page->DatabaseBox()->toolTip().contains(QStringLiteral("needs the database")));
        }
        {
            Page p(true, [](WProjectData* project) { project->InstallLocation.clear(); });
            QVERIFY(p.page);
            const QString none =
                QStringLiteral("No installation folder: the registry has no \"Install Location\".");
            QCOMPARE(p.page->MissingNote()->text(), none);
            for (QCheckBox* box :
                 {p.page->FrameworkBox(), p.page->RuntimeBox(), p.page->DatabaseBox()}) {
                QVERIFY(!box->isEnabled());
                QCOMPARE(box->toolTip(), none);
            }
        }
    }
};

VANTREL_WIZARD_TEST_MAIN(SetupOptionsTest)
#include "setup_options_test.moc"
