#include "pages/project_dir.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"
#include "project/project_rules.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1005;
const char* const kFrameworkScript = "TY9_Framework.kvz";
const char* const kRuntimeScript = "TY9Run_Program.kvz";
const char* const kDatabaseScript = "OnDmndBDE.kvz";
const char* const kNoInstallFolder =
    "No installation folder: the registry has no \"Install Location\".";

}  // namespace

WProjectDir::WProjectDir(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Setup Options"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* components = new QGroupBox(tr("Components"), Body());
    auto* boxes = new QVBoxLayout(components);
    frameworkBox_ = new QCheckBox(tr("Tessary Application &Framework"), components);
    frameworkBox_->setObjectName(QStringLiteral("framework"));
    runtimeBox_ = new QCheckBox(tr("Tessary 9 &Runtime"), components);
    runtimeBox_->setObjectName(QStringLiteral("runtime"));
    uninstallBox_ = new QCheckBox(tr("&Uninstaller"), components);
    uninstallBox_->setObjectName(QStringLiteral("uninstaller"));
    uninstallBox_->hide();  // the uninstaller is always part of the setup
    databaseBox_ = new QCheckBox(tr("Borland &Database Engine"), components);
    databaseBox_->setObjectName(QStringLiteral("databaseEngine"));
    for (QCheckBox* box : {frameworkBox_, runtimeBox_, uninstallBox_, databaseBox_})
        boxes->addWidget(box);
    missingNote_ = new QLabel(components);
    missingNote_->setObjectName(QStringLiteral("missingNote"));
    missingNote_->setWordWrap(true);
    missingNote_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    missingNote_->hide();
    boxes->addWidget(missingNote_);
    layout->addWidget(components);

    toolsBox_ = new QCheckBox(tr("Include &Writing Tools"), Body());
    toolsBox_->setObjectName(QStringLiteral("writingTools"));
    layout->addWidget(toolsBox_);

    languages_ = new QTreeWidget(Body());
    languages_->setObjectName(QStringLiteral("languages"));
    languages_->setAccessibleName(tr("Proofreading languages"));
    languages_->setRootIsDecorated(false);
    languages_->setColumnCount(2);
    languages_->setHeaderLabels({tr("Select"), tr("Language")});
    FitColumns(languages_);
    languages_->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(languages_, 1);

    auto* row = new QHBoxLayout;
    auto* defaultLabel = new QLabel(tr("Default &Language:"), Body());
    defaultLanguage_ = new QComboBox(Body());
    defaultLanguage_->setObjectName(QStringLiteral("defaultLanguage"));
    defaultLanguage_->setAccessibleName(tr("Default language"));
    defaultLabel->setBuddy(defaultLanguage_);
    selectAll_ = new QPushButton(tr("Select &All"), Body());
    selectAll_->setObjectName(QStringLiteral("selectAll"));
    selectNone_ = new QPushButton(tr("&Select None"), Body());
    selectNone_->setObjectName(QStringLiteral("selectNone"));
    row->addWidget(defaultLabel);
    row->addWidget(defaultLanguage_, 1);
    row->addWidget(selectAll_);
    row->addWidget(selectNone_);
    layout->addLayout(row);

    connect(frameworkBox_, &QCheckBox::clicked, this, &WProjectDir::OnFrameworkClicked);
    connect(runtimeBox_, &QCheckBox::clicked, this, &WProjectDir::OnRuntimeClicked);
    connect(databaseBox_, &QCheckBox::clicked, this, &WProjectDir::OnDatabaseClicked);
    connect(toolsBox_, &QCheckBox::clicked, this, &WProjectDir::OnWritingToolsClicked);
    connect(selectAll_, &QPushButton::clicked, this, &WProjectDir::OnSelectAll);
    connect(selectNone_, &QPushButton::clicked, this, &WProjectDir::OnSelectNone);
    connect(defaultLanguage_, &QComboBox::activated, this, &WProjectDir::OnDefaultLanguageChosen);
    connect(languages_, &QTreeWidget::itemChanged, this, &WProjectDir::OnRowChanged);
}

bool WProjectDir::ScriptExists(const char* script) const {
    const std::string& install = Project()->InstallLocation;
    if (install.empty())
        return false;
    return IsFile(ResolveNoCase(JoinPath(JoinPath(install, "Comps"), script)));
}

QString WProjectDir::MissingReason(const char* script) const {
    const std::string& install = Project()->InstallLocation;
    if (install.empty())
        return QString::fromLatin1(kNoInstallFolder);
    if (ScriptExists(script))
        return QString();
    return tr("%1 is missing from %2.")
        .arg(QString::fromLatin1(script), NativePath(JoinPath(install, "Comps")));
}

void WProjectDir::SetDisabledReason(QCheckBox* box, const QString& reason) {
    box->setToolTip(box->isEnabled() ? QString() : reason);
}

bool WProjectDir::OnInitDialog() {
    const int modified = App().Modified();
    WPage::OnInitDialog();

    haveFramework_ = ScriptExists(kFrameworkScript);
    haveRuntime_ = ScriptExists(kRuntimeScript);
    haveDatabase_ = ScriptExists(kDatabaseScript);
    frameworkMissing_ = MissingReason(kFrameworkScript);
    runtimeMissing_ = MissingReason(kRuntimeScript);
    databaseMissing_ = MissingReason(kDatabaseScript);
    tools_ = Project()->AreWritingToolsSelected;

    updating_ = true;
    languages_->clear();
    defaultLanguage_->clear();
    rows_.clear();
    for (const WritingToolLanguage& language : WritingToolLanguageTable) {
        if (!ScriptExists(language.script))
            continue;
        auto* item = new QTreeWidgetItem(languages_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        item->setText(1, QString::fromLatin1(language.displayName));
        defaultLanguage_->addItem(QString::fromLatin1(language.displayName));
        rows_.push_back({language.script, language.code});
    }
    updating_ = false;
    if (rows_.empty())
        tools_ = 0;

    // One line per missing script; the installation folder once.
    QStringList missing;
    for (const QString& reason : {frameworkMissing_, runtimeMissing_, databaseMissing_})
        if (!reason.isEmpty() && !missing.contains(reason))
            missing << reason;
    const std::string& install = Project()->InstallLocation;
    toolsMissing_.clear();
    if (rows_.empty()) {
        toolsMissing_ = install.empty() ? QString::fromLatin1(kNoInstallFolder)
                                        : tr("No writing-tool language scripts (LX9_*.kvz) in %1.")
                                              .arg(NativePath(JoinPath(install, "Comps")));
        if (!missing.contains(toolsMissing_))
            missing << toolsMissing_;
    }
    missingNote_->setText(missing.join(QLatin1Char('\n')));
    missingNote_->setVisible(!missing.isEmpty());

    App().SetModified(modified);
    return true;
}

QStringList WProjectDir::RowCodes() const {
    QStringList codes;
    for (const Row& row : rows_)
        codes << QString::fromStdString(row.code);
    return codes;
}

std::string WProjectDir::DefaultCode() const {
    const int row = defaultLanguage_->currentIndex();
    return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[row].code : std::string();
}

bool WProjectDir::RowChecked(int row) const {
    const QTreeWidgetItem* item = languages_->topLevelItem(row);
    return item && item->checkState(0) == Qt::Checked;
}

void WProjectDir::SetRowChecked(int row, bool checked) {
    if (QTreeWidgetItem* item = languages_->topLevelItem(row)) {
        const bool was = updating_;
        updating_ = true;
        item->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
        updating_ = was;
    }
}

void WProjectDir::TakeControls() {
    framework_ = frameworkBox_->isChecked() ? 1 : 0;
    runtime_ = runtimeBox_->isChecked() ? 1 : 0;
    database_ = databaseBox_->isChecked() ? 1 : 0;
    tools_ = toolsBox_->isChecked() ? 1 : 0;
}

void WProjectDir::PutControls() {
    frameworkBox_->setChecked(framework_ != 0);
    runtimeBox_->setChecked(runtime_ != 0);
    databaseBox_->setChecked(database_ != 0);
    toolsBox_->setChecked(tools_ != 0);
}

void WProjectDir::ApplyRules() {
    // A component this installation does not have stays off.
    if (!haveFramework_)
        framework_ = 0;
    frameworkBox_->setEnabled(haveFramework_);

    if (RuntimeRequired(framework_)) {
        if (!runtimeForced_) {
            runtimeRemembered_ = runtime_;
            runtimeForced_ = true;
        }
        runtime_ = 1;
        runtimeBox_->setEnabled(false);
    } else {
        if (runtimeForced_) {
            runtime_ = runtimeRemembered_;
            runtimeForced_ = false;
        }
        runtimeBox_->setEnabled(haveRuntime_);
    }
    if (!haveRuntime_ && !framework_)
        runtime_ = 0;

    const bool databaseForced = DatabaseRequired(runtime_, AnySqlLinksSelected(*Project()));
    if (databaseForced) {
        database_ = 1;
        databaseBox_->setEnabled(false);
    } else {
        database_ = haveDatabase_ ? databaseRemembered_ : 0;
        databaseBox_->setEnabled(haveDatabase_);
    }

    if (rows_.empty())
        tools_ = 0;
    toolsBox_->setEnabled(runtime_ != 0 && !rows_.empty());
    const bool languages = tools_ != 0 && runtime_ != 0;
    languages_->setEnabled(languages);
    defaultLanguage_->setEnabled(languages);
    selectAll_->setEnabled(languages);
    selectNone_->setEnabled(languages);

    SetDisabledReason(frameworkBox_, frameworkMissing_);
    SetDisabledReason(runtimeBox_,
                      runtimeForced_ ? tr("The framework needs the runtime.") : runtimeMissing_);
    SetDisabledReason(
        databaseBox_,
        databaseForced ? tr("The runtime or a chosen SQL Links driver needs the database engine.")
                       : databaseMissing_);
    SetDisabledReason(toolsBox_,
                      rows_.empty() ? toolsMissing_ : tr("The writing tools need the runtime."));
    PutControls();
}

bool WProjectDir::OnSetActive() {
    const int modified = App().Modified();
    App().SetHelpContext(kHelpContext);
    const WProjectData* project = Project();
    framework_ = project->FrameworkComponent;
    runtime_ = runtimeRemembered_ = project->RuntimeComponent;
    runtimeForced_ = false;
    database_ = databaseRemembered_ = project->BDEComponent;
    // The flag is read again: an opened project brings its own.
    tools_ = rows_.empty() ? 0 : project->AreWritingToolsSelected;

    for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
        SetRowChecked(row, false);
    for (const std::string& code : project->WritingToolLanguages) {
        for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
            if (rows_[row].code == code)
                SetRowChecked(row, true);
    }
    // No entry is selected while the project has no default language (the
    // list would otherwise show its first entry, or the last project's).
    defaultLanguage_->setCurrentIndex(-1);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        if (rows_[row].code == project->DefaultLanguage)
            defaultLanguage_->setCurrentIndex(row);
    }

    ApplyRules();
    App().SetModified(modified);
    return WPage::OnSetActive();
}

void WProjectDir::OnFrameworkClicked() {
    TakeControls();
    ApplyRules();
    SetModified();
}

void WProjectDir::OnRuntimeClicked() {
    TakeControls();
    ApplyRules();
    SetModified();
}

void WProjectDir::OnDatabaseClicked() {
    TakeControls();
    databaseRemembered_ = database_;
    ApplyRules();
    SetModified();
}

void WProjectDir::OnWritingToolsClicked() {
    TakeControls();
    ApplyRules();
    SetModified();
}

void WProjectDir::SetAllRows(bool checked) {
    if (!toolsBox_->isChecked())
        return;
    const std::string defaultCode = DefaultCode();
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row)
        SetRowChecked(row, checked || LanguageRowLocked(rows_[row].code, defaultCode));
    SetModified();
}

void WProjectDir::OnSelectAll() {
    SetAllRows(true);
}

void WProjectDir::OnSelectNone() {
    SetAllRows(false);
}

void WProjectDir::OnRowChanged(QTreeWidgetItem* item, int column) {
    if (updating_ || column != 0)
        return;
    const int row = languages_->indexOfTopLevelItem(item);
    if (row >= 0 && LanguageRowLocked(rows_[row].code, DefaultCode()) &&
        item->checkState(0) != Qt::Checked)
        SetRowChecked(row, true);
    SetModified();
}

void WProjectDir::OnDefaultLanguageChosen(int index) {
    // The newly chosen default is always one of the selected languages.
    if (index >= 0)
        SetRowChecked(index, true);
    SetModified();
}

int WProjectDir::CommitPage() {
    TakeControls();
    WProjectData* project = Project();
    project->FrameworkComponent = framework_;
    project->RuntimeComponent = runtime_;
    project->BDEComponent = database_;
    project->AreWritingToolsSelected = tools_;

    if (const std::string code = DefaultCode(); !code.empty())
        project->DefaultLanguage = code;

    std::vector<std::string> scripts, codes;
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const Row& r = rows_[row];
        if (RowChecked(row)) {
            scripts.push_back(r.script);
            codes.push_back(r.code);
        }
    }
    project->WritingToolScripts = scripts;
    project->WritingToolLanguages = codes;
    // The components to install follow from the flags and the languages.
    project->ApplyComponentSelection();

    return 1;
}

int WProjectDir::OnWizardBack() {
    // Back keeps what is chosen, even a choice Next would refuse: the user
    // comes this way again.
    return CommitPage() ? 0 : -1;
}

int WProjectDir::OnWizardNext() {
    if (!CommitPage())
        return -1;
    const WProjectData* project = Project();
    if (const std::string refused =
            CheckWritingToolLanguages(project->AreWritingToolsSelected, project->RuntimeComponent,
                                      project->WritingToolLanguages.size());
        !refused.empty()) {
        Boxes().Message(CoreText(refused), Dialogs::Icon::Exclamation, QString(), this);
        languages_->setFocus();
        return -1;
    }
    return 0;
}

}  // namespace vantrel
