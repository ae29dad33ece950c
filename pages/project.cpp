#include "pages/project.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/system_folders.h"
#include "project/project_data.h"
#include "script/disk_utils.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1001;
constexpr int kNameLimit = 30;
constexpr int kCompanyLimit = 50;
const char* const kProgramFilesMacro = "<WPF>";
const char* const kWindowsDriveMacro = "<WDL:>";

// Repeated backslashes made single ("C:\\Apps\\\x" -> "C:\Apps\x").
QString TidyPath(QString path) {
    while (path.contains(QStringLiteral("\\\\")))
        path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return path;
}

}  // namespace

WProject::WProject(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Your Application Information"), kHelpContext, parent) {
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
    addRow(0, QStringLiteral("&Application name:"), nameEdit_);
    addRow(1, QStringLiteral("&Version:"), versionEdit_);
    addRow(2, QStringLiteral("Co&mpany name:"), companyEdit_);
    layout->addLayout(grid);
    layout->addSpacing(12);

    useDefaultBox_ = new QCheckBox(QStringLiteral("Use default &destination directory"), Body());
    useDefaultBox_->setObjectName(QStringLiteral("useDefaultDestination"));
    layout->addWidget(useDefaultBox_);

    auto* destination = new QHBoxLayout;
    baseList_ = new QComboBox(Body());
    baseList_->setObjectName(QStringLiteral("destinationBase"));
    folderEdit_ = new QLineEdit(Body());
    folderEdit_->setObjectName(QStringLiteral("destinationFolder"));
    destination->addWidget(baseList_);
    destination->addWidget(new QLabel(QStringLiteral("\\"), Body()));
    destination->addWidget(folderEdit_, 1);
    layout->addLayout(destination);
    auto* target = new QLabel(QStringLiteral("= <Target Folder>"), Body());
    target->setAlignment(Qt::AlignRight);
    layout->addWidget(target);

    auto* defaultRow = new QHBoxLayout;
    defaultDirEdit_ = new QLineEdit(Body());
    defaultDirEdit_->setObjectName(QStringLiteral("defaultDirectory"));
    defaultDirEdit_->setReadOnly(true);
    auto* defaultLabel = new QLabel(QStringLiteral("Default directory on this machine:"), Body());
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

void WProject::Preview() {
    TakeControls();
    const SystemFolders& folders = TheSystemFolders();
    const QString programFiles = FromEngine(folders.ProgramFilesFolder());
    baseList_->setEnabled(!useDefault_);
    folderEdit_->setEnabled(!useDefault_);
    if (useDefault_) {
        defaultDirectory_ = programFiles + QLatin1Char('\\') + company_ + QLatin1Char('\\') + name_;
    } else {
        const QString base =
            base_ == 1 ? FromEngine(GetPathRoot(folders.WindowsFolder())) : programFiles;
        defaultDirectory_ = base + QLatin1Char('\\') + folder_;
    }
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
    defaultDirectory_ = FromEngine(TheSystemFolders().ProgramFilesFolder()) + QLatin1Char('\\') +
                        folderEdit_->text();
    defaultDirEdit_->setText(defaultDirectory_);
    Preview();
    return true;
}

bool WProject::OnSetActive() {
    App().SetHelpContext(kHelpContext);
    const WProjectData* project = Project();
    name_ = FromEngine(project->GetApplicationName());
    version_ = FromEngine(project->Version);
    company_ = FromEngine(project->CompanyName);
    useDefault_ = project->UseDefaultDest != 0;
    folder_ = FromEngine(project->DefaultDestBase);
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

bool WProject::HasForbiddenCharacter(const QString& text) {
    static const QString forbidden = QStringLiteral("/*?\"<>|,");
    for (QChar c : text)
        if (forbidden.contains(c))
            return true;
    return false;
}

QString WProject::ForbiddenMessage(const QString& lead) {
    return lead + QStringLiteral("\n\t/ * ? \\ \" < > | : ,");
}

int WProject::CommitPage() {
    TakeControls();
    result_ = 1;

    std::string name, version, company, folder;
    if (!TakeText(nameEdit_, QStringLiteral("The application name"), name) ||
        !TakeText(versionEdit_, QStringLiteral("The version"), version) ||
        !TakeText(companyEdit_, QStringLiteral("The company name"), company) ||
        !TakeText(folderEdit_, QStringLiteral("The destination folder"), folder)) {
        result_ = -1;
        return 0;
    }

    if (!folder_.isEmpty() &&
        (folder_.contains(QStringLiteral("\\\\")) || folder_.startsWith(QLatin1Char('\\')))) {
        Boxes().Message(QStringLiteral("Enter no more than one slash for directory separator in "
                                       "the Target Folder"),
                        Dialogs::Icon::Exclamation);
    }

    defaultDirectory_ = TidyPath(defaultDirectory_);
    defaultDirEdit_->setText(defaultDirectory_);

    if (name_.isEmpty()) {
        Boxes().Message(QStringLiteral("You must enter an Application name before continuing."),
                        Dialogs::Icon::Exclamation, QString(), this);
        nameEdit_->setFocus();
        result_ = -1;
    }
    if (company_.isEmpty()) {
        Boxes().Message(QStringLiteral("You must enter a Company name before continuing."),
                        Dialogs::Icon::Exclamation, QString(), this);
        companyEdit_->setFocus();
        result_ = -1;
    } else if (HasForbiddenCharacter(company_)) {
        Boxes().Message(ForbiddenMessage(QStringLiteral(
                            "Company Name cannot contain any of the following characters:")),
                        Dialogs::Icon::Stop, QString(), this);
        result_ = -1;
    }
    if (defaultDirectory_.isEmpty()) {
        Boxes().Message(QStringLiteral("You must enter a default directory before continuing."),
                        Dialogs::Icon::Exclamation, QString(), this);
        defaultDirEdit_->setFocus();
        result_ = -1;
    } else {
        const int colon = defaultDirectory_.indexOf(QLatin1Char(':'));
        const bool secondColon =
            colon >= 0 && defaultDirectory_.indexOf(QLatin1Char(':'), colon + 1) >= 0;
        if (HasForbiddenCharacter(defaultDirectory_) || secondColon) {
            Boxes().Message(ForbiddenMessage(QStringLiteral(
                                "A directory cannot contain any of the following characters:")),
                            Dialogs::Icon::Stop, QString(), this);
            result_ = -1;
        }
    }
    if (version_.isEmpty()) {
        Boxes().Message(QStringLiteral("You must enter a Version before continuing."),
                        Dialogs::Icon::Exclamation, QString(), this);
        versionEdit_->setFocus();
        result_ = -1;
    }

    // Stored also when a check failed, so that the project holds what the
    // page shows.
    WProjectData* project = Project();
    std::string defaultDirectory;
    ToEngine(defaultDirectory_, defaultDirectory);  // made of typed texts already checked
    project->SetApplicationName(name);
    project->CompanyName = company;
    project->DefaultDirectory = defaultDirectory;
    project->Version = version;

    project->DefaultDestBase = folder;
    if (useDefault_) {
        project->DefaultDestPrefix = kProgramFilesMacro;
        project->Destination = std::string(kProgramFilesMacro) + "\\" + company + "\\" + name;
    } else if (base_ == 1) {
        project->DefaultDestPrefix = kWindowsDriveMacro;
        project->Destination = std::string(kWindowsDriveMacro) + "\\" + folder;
    } else {
        project->DefaultDestPrefix = kProgramFilesMacro;
        project->Destination = std::string(kProgramFilesMacro) + "\\" + folder;
    }
    project->UseDefaultDest = useDefault_ ? 1 : 0;

    if (project->NewProjectMode == 1) {
        if (project->ProductNameSet == 0)
            project->SetApplicationName(name);
        if (project->ShortcutFolderSet == 0)
            project->ShortcutFolder = name;
    }
    return result_ == 1 ? 1 : 0;
}

int WProject::OnWizardBack() {
    return CommitPage() ? 0 : -1;
}

int WProject::OnWizardNext() {
    return CommitPage() ? 0 : -1;
}

}  // namespace vantrel
