#include "pages/page_bde_cfg.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "project/bde_rules.h"
#include "project/project_data.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1014;

QString CouldNotStart() {
    return QCoreApplication::translate("vantrel", "Could not find the BDE Administrator to start.");
}

}  // namespace

WPageBDECfg::WPageBDECfg(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("BDE Configuration"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text =
        new QLabel(tr("If your application requires, you can specify an updated configuration "
                      "file\n[IDAPI.CNF/IDAPI.CFG] so that it can be merged during the client "
                      "install."),
                   Body());
    text->setWordWrap(true);
    layout->addWidget(text);

    defaultRadio_ = new QRadioButton(tr("Use de&fault configuration file"), Body());
    defaultRadio_->setObjectName(QStringLiteral("defaultConfiguration"));
    customRadio_ = new QRadioButton(tr("Select a c&ustom configuration file"), Body());
    customRadio_->setObjectName(QStringLiteral("customConfiguration"));
    layout->addWidget(defaultRadio_);
    layout->addWidget(customRadio_);

    auto* pathRow = new QHBoxLayout;
    auto* pathLabel = new QLabel(tr("Update CF&G file:"), Body());
    pathEdit_ = new QLineEdit(Body());
    pathEdit_->setObjectName(QStringLiteral("configurationFile"));
    pathLabel->setBuddy(pathEdit_);
    selectButton_ = new QPushButton(tr("Selec&t..."), Body());
    selectButton_->setObjectName(QStringLiteral("selectConfiguration"));
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(pathEdit_, 1);
    pathRow->addWidget(selectButton_);
    layout->addLayout(pathRow);

    auto* links = new QGroupBox(tr("SQL Links"), Body());
    auto* grid = new QGridLayout(links);
    for (int i = 0; i < kDriverCount; ++i) {
        const SqlLinksDriver& driver = *SqlLinksDrivers[i];
        drivers_[i] = new QCheckBox(QString::fromLatin1(driver.label), links);
        drivers_[i]->setObjectName(QString::fromLatin1(driver.key));
        grid->addWidget(drivers_[i], i % 4, i / 4);
        connect(drivers_[i], &QCheckBox::clicked, this, &WPageBDECfg::OnDriverClicked);
    }
    layout->addWidget(links);

    auto* launchRow = new QHBoxLayout;
    launchButton_ = new QPushButton(tr("Launch BD&E..."), Body());
    launchButton_->setObjectName(QStringLiteral("launchAdministrator"));
    launchRow->addStretch(1);
    launchRow->addWidget(launchButton_);
    layout->addLayout(launchRow);
    layout->addStretch(1);

    connect(defaultRadio_, &QRadioButton::clicked, this, &WPageBDECfg::OnDefaultClicked);
    connect(customRadio_, &QRadioButton::clicked, this, &WPageBDECfg::OnCustomClicked);
    connect(selectButton_, &QPushButton::clicked, this, &WPageBDECfg::OnSelect);
    connect(launchButton_, &QPushButton::clicked, this, &WPageBDECfg::OnLaunch);
    connect(pathEdit_, &QLineEdit::textEdited, this, [this] { SetModified(); });
}

bool WPageBDECfg::OnInitDialog() {
    const int modified = App().Modified();
    WPage::OnInitDialog();
    const WProjectData* project = Project();
    adminPath_ = DatabaseAdministratorPath(*project);
    pathEdit_->setText(NativePath(project->IDAPICNFDirectory));

    // A driver whose component script this installation lacks cannot be ticked.
    const std::string comps = JoinPath(project->InstallLocation, "Comps");
    for (int i = 0; i < kDriverCount; ++i) {
        const char* script = SqlLinksDrivers[i]->script;
        const bool present =
            !project->InstallLocation.empty() && IsFile(ResolveNoCase(JoinPath(comps, script)));
        drivers_[i]->setEnabled(present);
        QString why;
        if (project->InstallLocation.empty())
            why = tr("No installation folder is known, so %1 is not available.")
                      .arg(QString::fromLatin1(script));
        else if (!present)
            why = tr("%1 is not in %2.").arg(QString::fromLatin1(script), NativePath(comps));
        drivers_[i]->setToolTip(why);
    }
    UpdateLaunchButton();
    App().SetModified(modified);
    return true;
}

void WPageBDECfg::UpdateLaunchButton() {
    const std::string why = WhyProgramCannotStart(adminPath_);
    launchButton_->setEnabled(why.empty());
    launchButton_->setToolTip(why.empty() ? NativePath(adminPath_) : CoreText(why));
}

bool WPageBDECfg::OnSetActive() {
    const int modified = App().Modified();
    const WProjectData* project = Project();
    for (int i = 0; i < kDriverCount; ++i)
        drivers_[i]->setChecked(project->*SqlLinksDrivers[i]->flag != 0);
    if (project->IsDefaultCFGSelected) {
        pathEdit_->setText(NativePath(project->DefaultConfigFile));
        defaultRadio_->setChecked(true);
        ApplyDefault();
    } else {
        customPath_ = NativePath(project->IDAPICNFDirectory);
        pathEdit_->setText(customPath_);
        customRadio_->setChecked(true);
        ApplyCustom();
    }
    ApplyRadioRule();
    UpdateLaunchButton();
    App().SetHelpContext(kHelpContext);
    App().SetModified(modified);
    return WPage::OnSetActive();
}

void WPageBDECfg::OnActivated() {
    WPage::OnActivated();
    // The focus goes to the chosen file, or to the first driver that can be ticked.
    QWidget* first = defaultRadio_->isChecked() ? defaultRadio_ : customRadio_;
    for (QCheckBox* box : drivers_) {
        if (first->isEnabled())
            break;
        first = box;
    }
    if (first->isEnabled())
        first->setFocus();
}

bool WPageBDECfg::AnyDriverTicked() const {
    for (const QCheckBox* box : drivers_) {
        if (box->isChecked())
            return true;
    }
    return false;
}

void WPageBDECfg::ApplyDefault() {
    const QString defaultPath = NativePath(Project()->DefaultConfigFile);
    if (pathEdit_->text() != defaultPath)
        customPath_ = pathEdit_->text();
    pathEdit_->setText(defaultPath);
    pathEdit_->setEnabled(false);
    selectButton_->setEnabled(false);
}

void WPageBDECfg::ApplyCustom() {
    pathEdit_->setText(customPath_);
    pathEdit_->setEnabled(true);
    selectButton_->setEnabled(true);
}

void WPageBDECfg::ApplyRadioRule() {
    const bool engine = AnyDriverTicked() || Project()->BDEComponent;
    defaultRadio_->setEnabled(engine);
    customRadio_->setEnabled(engine);
}

void WPageBDECfg::OnDefaultClicked() {
    ApplyDefault();
    SetModified();
}

void WPageBDECfg::OnCustomClicked() {
    ApplyCustom();
    SetModified();
}

void WPageBDECfg::OnDriverClicked() {
    ApplyRadioRule();
    SetModified();
}

void WPageBDECfg::OnSelect() {
    Dialogs::FileRequest request;
    request.folder = NativePath(JoinPath(Project()->InstallLocation, "MySetup"));
    // The default file is a ".CNF" one: the author may pick such a file too.
    request.filter = tr("Configuration files (*.CFG)|*.CFG|All Files (*.*)|*.*|");
    request.defaultSuffix = QStringLiteral("cfg");
    request.fileName = pathEdit_->text().isEmpty() ? QStringLiteral("*.cfg") : pathEdit_->text();
    request.mustExist = true;
    QString chosen;
    if (Boxes().OpenFile(request, chosen, this) != Dialogs::FileResult::Ok)
        return;
    std::string path;
    if (!TakeChosenPath(chosen, path))
        return;
    pathEdit_->setText(chosen);
    customPath_ = chosen;
    SetModified();
}

void WPageBDECfg::OnLaunch() {
    if (!WhyProgramCannotStart(adminPath_).empty()) {
        Boxes().Message(CouldNotStart(), Dialogs::Icon::Exclamation, QString(), this);
        UpdateLaunchButton();
        return;
    }
    // The wizard takes no input while the administrator runs; it keeps
    // repainting through the message pump.
    QWidget* top = window();
    top->setEnabled(false);
    const bool started = RunAndPumpArgs(adminPath_, {});
    top->setEnabled(true);
    if (!started)
        Boxes().Message(CouldNotStart(), Dialogs::Icon::Exclamation, QString(), this);
    top->raise();
    top->activateWindow();
}

int WPageBDECfg::CommitPage() {
    WProjectData* project = Project();
    if (customRadio_->isChecked()) {
        std::string path;
        if (!Win1252Path(pathEdit_->text(), path)) {
            Boxes().Message(UnstorableMessage(tr("The configuration file name"),
                                              UnstorableCharacters(pathEdit_->text())),
                            Dialogs::Icon::Exclamation, QString(), this);
            pathEdit_->setFocus();
            return 0;
        }
        if (!TakeConfigFile(*project, false, path)) {
            const Dialogs::Answer answer = Boxes().Show(
                CoreText(kConfigFileInvalid) + tr("  Do you wish to use the default CNF file?"),
                Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No, QString(),
                this);
            if (answer != Dialogs::Answer::Yes) {
                pathEdit_->setFocus();
                return 0;
            }
            defaultRadio_->setChecked(true);
            ApplyDefault();
            TakeConfigFile(*project, true, {});
            SetModified();
        }
    } else {
        TakeConfigFile(*project, true, {});
    }

    for (int i = 0; i < kDriverCount; ++i)
        project->*SqlLinksDrivers[i]->flag = drivers_[i]->isChecked() ? 1 : 0;
    ApplySqlLinksDrivers(*project);
    return 1;
}

int WPageBDECfg::OnWizardBack() {
    return CommitPage() ? 0 : -1;
}

int WPageBDECfg::OnWizardNext() {
    return CommitPage() ? 0 : -1;
}

}  // namespace vantrel
