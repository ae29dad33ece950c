#include "pages/project.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "project/shortcut_rules.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1001;
constexpr int kNameLimit = 30;
constexpr int kCompanyLimit = 50;

}  // namespace

WProject::WProject(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Your Application Information"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* grid = new QGridLayout;
    nameEdit_ = new QLineEdit(Body());
    nameEdit_->setObjectName(QStringLiteral("applicationName"));
    nameEdit_->setMaxLength(kNameLimit);
    versionEdit_ = new QLineEdit(Body());
    versionEdit_->setObjectName(QStringLiteral("version"));
    companyEdit_ = new QLineEdit(Body());
    companyEdit_->setObjectName(QStringLiteral("companyName"));
    companyEdit_->setMaxLength(kCompanyLimit);

    auto addRow = [&](int row, const QString& text, QWidget* field) {
        auto* label = new QLabel(text, Body());
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    };
    addRow(0, tr("&Application name:"), nameEdit_);
    addRow(1, tr("&Version:"), versionEdit_);
    addRow(2, tr("Co&mpany name:"), companyEdit_);
    layout->addLayout(grid);
    layout->addSpacing(12);

    useDefaultBox_ = new QCheckBox(tr("Use default &destination directory"), Body());
    useDefaultBox_->setObjectName(QStringLiteral("useDefaultDestination"));
    layout->addWidget(useDefaultBox_);

    auto* destination = new QHBoxLayout;
    baseList_ = new QComboBox(Body());
    baseList_->setObjectName(QStringLiteral("destinationBase"));
    baseList_->setAccessibleName(tr("Destination base folder"));
    folderEdit_ = new QLineEdit(Body());
    folderEdit_->setObjectName(QStringLiteral("destinationFolder"));
    folderEdit_->setAccessibleName(tr("Destination folder"));
    destination->addWidget(baseList_);
    destination->addWidget(new QLabel(QStringLiteral("\\"), Body()));
    destination->addWidget(folderEdit_, 1);
    layout->addLayout(destination);
    auto* target = new QLabel(tr("= <Target Folder>"), Body());
    target->setAlignment(Qt::AlignRight);
    layout->addWidget(target);

    auto* defaultRow = new QHBoxLayout;
    defaultDirEdit_ = new QLineEdit(Body());
    defaultDirEdit_->setObjectName(QStringLiteral("defaultDirectory"));
    defaultDirEdit_->setReadOnly(true);
    auto* defaultLabel = new QLabel(tr("Default directory on this machine:"), Body());
    defaultLabel->setBuddy(defaultDirEdit_);
    defaultRow->addWidget(defaultLabel);
    defaultRow->addWidget(defaultDirEdit_, 1);
    layout->addLayout(defaultRow);
    layout->addStretch(1);

    connect(nameEdit_, &QLineEdit::textEdited, this, &WProject::OnTextEdited);
    connect(versionEdit_, &QLineEdit::textEdited, this, &WProject::OnTextEdited);
    connect(companyEdit_, &QLineEdit::textEdited, this, &WProject::OnTextEdited);
    connect(folderEdit_, &QLineEdit::textEdited, this, &WProject::OnDestinationChanged);
    connect(baseList_, &QComboBox::activated, this, &WProject::OnDestinationChanged);
    connect(useDefaultBox_, &QCheckBox::clicked, this, &WProject::OnUseDefaultClicked);
}

void WProject::TakeControls() {
    name_ = nameEdit_->text();
    version_ = versionEdit_->text();
    company_ = companyEdit_->text();
    useDefault_ = useDefaultBox_->isChecked();
    base_ = baseList_->currentIndex() < 0 ? 0 : baseList_->currentIndex();
    folder_ = folderEdit_->text();
}

void WProject::PutControls() {
    filling_ = true;
    if (nameEdit_->text() != name_)
        nameEdit_->setText(name_);
    if (versionEdit_->text() != version_)
        versionEdit_->setText(version_);
    if (companyEdit_->text() != company_)
        companyEdit_->setText(company_);
    useDefaultBox_->setChecked(useDefault_);
    if (baseList_->count() > base_)
        baseList_->setCurrentIndex(base_);
    if (folderEdit_->text() != folder_)
        folderEdit_->setText(folder_);
    defaultDirEdit_->setText(defaultDirectory_);
    filling_ = false;
}

const char* WProject::BasePrefix() const {
    return base_ == 1 ? kWindowsDriveMacro : kProgramFilesMacro;
}

void WProject::Preview() {
    TakeControls();
    baseList_->setEnabled(!useDefault_);
    folderEdit_->setEnabled(!useDefault_);
    defaultDirectory_ =
        FromWin1252(DestinationOnThisMachine(useDefault_, BasePrefix(), ToWin1252Lossy(company_),
                                             ToWin1252Lossy(name_), ToWin1252Lossy(folder_)));
    PutControls();
}

bool WProject::OnInitDialog() {
    WPage::OnInitDialog();
    useDefault_ = Project()->UseDefaultDest != 0;
    filling_ = true;
    baseList_->clear();
    baseList_->addItem(QStringLiteral("<Windows Program Files Folder>"));
    baseList_->addItem(QStringLiteral("<Windows Drive Letter:>"));
    baseList_->setCurrentIndex(0);
    filling_ = false;
    base_ = 0;
    useDefaultBox_->setChecked(useDefault_);
    defaultDirectory_ = FromWin1252(DestinationOnThisMachine(false, kProgramFilesMacro, {}, {},
                                                             ToWin1252Lossy(folderEdit_->text())));
    defaultDirEdit_->setText(defaultDirectory_);
    Preview();
    return true;
}

bool WProject::OnSetActive() {
    App().SetHelpContext(kHelpContext);
    const WProjectData* project = Project();
    name_ = FromWin1252(project->GetApplicationName());
    version_ = FromWin1252(project->Version);
    company_ = FromWin1252(project->CompanyName);
    useDefault_ = project->UseDefaultDest != 0;
    folder_ = FromWin1252(project->DefaultDestBase);
    if (project->DefaultDestPrefix == kProgramFilesMacro)
        base_ = 0;
    else if (project->DefaultDestPrefix == kWindowsDriveMacro)
        base_ = 1;
    PutControls();
    Preview();
    return WPage::OnSetActive();
}

void WProject::OnTextEdited() {
    // The default directory is made of the company and the application name:
    // keep what it shows up to date while they are typed.
    Preview();
    SetModified();
}

void WProject::OnDestinationChanged() {
    if (filling_)
        return;
    Preview();
    SetModified();
}

void WProject::OnUseDefaultClicked() {
    Preview();
    // The flag is saved with the project, so changing it is a change.
    SetModified();
}

int WProject::CommitPage() {
    TakeControls();
    result_ = 1;

    std::string name, version, company, folder;
    if (!TakeText(nameEdit_, tr("The application name"), name) ||
        !TakeText(versionEdit_, tr("The version"), version) ||
        !TakeText(companyEdit_, tr("The company name"), company) ||
        !TakeText(folderEdit_, tr("The destination folder"), folder)) {
        result_ = -1;
        return 0;
    }

    if (const std::string warning = CheckTargetFolder(folder); !warning.empty())
        Boxes().Message(CoreText(warning), Dialogs::Icon::Exclamation);

    // Made of typed texts that are known to be storable now.
    const std::string directory = TidyPath(ToWin1252Lossy(defaultDirectory_));
    defaultDirectory_ = FromWin1252(directory);
    defaultDirEdit_->setText(defaultDirectory_);

    // Every failed check shows its message; an empty field gets the focus. A
    // refused value is not stored: the project keeps what it held, so that a
    // save made later never writes it.
    auto refuse = [this](const std::string& message, Dialogs::Icon icon, QWidget* focus) {
        if (message.empty())
            return true;
        Boxes().Message(CoreText(message), icon, QString(), this);
        if (focus)
            focus->setFocus();
        result_ = -1;
        return false;
    };
    const auto exclamation = Dialogs::Icon::Exclamation;
    const bool nameOk = refuse(CheckApplicationName(name), exclamation, nameEdit_);
    const bool companyOk =
        refuse(CheckCompanyName(company), company.empty() ? exclamation : Dialogs::Icon::Stop,
               company.empty() ? companyEdit_ : nullptr);
    const bool folderOk =
        refuse(CheckDestinationFolder(useDefault_, folder), exclamation, folderEdit_);
    // The default directory is made of the name and the company: a fault of
    // theirs was shown already and is not shown twice.
    const bool partsOk = useDefault_ ? nameOk && companyOk : folderOk;
    const bool directoryOk =
        partsOk && refuse(CheckDefaultDirectory(directory),
                          directory.empty() ? exclamation : Dialogs::Icon::Stop,
                          directory.empty() ? defaultDirEdit_ : nullptr);
    const bool versionOk = refuse(CheckVersion(version), exclamation, versionEdit_);

    WProjectData* project = Project();
    if (nameOk)
        project->SetApplicationName(name);
    if (companyOk)
        project->CompanyName = company;
    if (versionOk)
        project->Version = version;
    // The directory is made of the name and the company.
    if (directoryOk && nameOk && companyOk) {
        project->DefaultDirectory = directory;
        project->DefaultDestBase = folder;
        project->UseDefaultDest = useDefault_ ? 1 : 0;
        project->DefaultDestPrefix = BasePrefix();
        ApplyDestination(*project);
    }

    if (result_ != 1)
        return 0;
    if (project->NewProjectMode == 1) {
        if (project->ProductNameSet == 0)
            project->SetApplicationName(name);
        if (project->ShortcutFolderSet == 0)
            SetShortcutGroup(*project, name, false);
    }
    return 1;
}

int WProject::OnWizardBack() {
    return CommitPage() ? 0 : -1;
}

int WProject::OnWizardNext() {
    return CommitPage() ? 0 : -1;
}

}  // namespace vantrel
