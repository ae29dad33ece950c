#include "pages/page_short_cuts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "pages/shortcut_dialog.h"
#include "project/project_data.h"
#include "project/shortcut_rules.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1012;
constexpr int kElementRole = Qt::UserRole + 1;

void* PointerOf(const QListWidgetItem* row) {
    return row ? reinterpret_cast<void*>(row->data(kElementRole).value<quintptr>()) : nullptr;
}

QListWidgetItem* Row(const QString& text, const void* element) {
    auto* row = new QListWidgetItem(text);
    row->setData(kElementRole, QVariant::fromValue(reinterpret_cast<quintptr>(element)));
    return row;
}

}  // namespace

WPageShortCuts::WPageShortCuts(WWizardApp& app, QWidget* parent)
    : WPage(app, tr(kShortcutsPageTitle), kHelpContext, parent),
      runner_([](WShortcutDialog& dialog) { return dialog.exec(); }) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(tr("Here you can select which forms and/or scripts can "
                               "have a shortcut on the Start menu."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* groupRow = new QHBoxLayout;
    group_ = new QLineEdit(Body());
    group_->setObjectName(QStringLiteral("groupName"));
    auto* groupLabel = new QLabel(tr("&Group Name:"), Body());
    groupLabel->setBuddy(group_);
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(group_, 1);
    layout->addLayout(groupRow);

    auto* grid = new QGridLayout;
    files_ = new QListWidget(Body());
    files_->setObjectName(QStringLiteral("applicationFiles"));
    shortcuts_ = new QListWidget(Body());
    shortcuts_->setObjectName(QStringLiteral("shortcuts"));
    files_->setAccessibleName(tr("Application files"));
    shortcuts_->setAccessibleName(tr("Shortcuts"));
    ShowPaths(files_);
    ShowPaths(shortcuts_);
    auto* filesLabel = new QLabel(tr("Applicaton &Files:"), Body());
    filesLabel->setBuddy(files_);
    auto* shortcutsLabel = new QLabel(tr("&Shortcuts:"), Body());
    shortcutsLabel->setBuddy(shortcuts_);
    addButton_ = new QPushButton(tr("&Add Shortcut..."), Body());
    addButton_->setObjectName(QStringLiteral("addShortcut"));
    runtimeButton_ = new QPushButton(tr("Add &Runtime Shortcut"), Body());
    runtimeButton_->setObjectName(QStringLiteral("addRuntimeShortcut"));
    deleteButton_ = new QPushButton(tr("&Delete Shortcut"), Body());
    deleteButton_->setObjectName(QStringLiteral("deleteShortcut"));
    propertiesButton_ = new QPushButton(tr("&Properties..."), Body());
    propertiesButton_->setObjectName(QStringLiteral("shortcutProperties"));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {addButton_, runtimeButton_, deleteButton_, propertiesButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addWidget(filesLabel, 0, 0);
    grid->addWidget(shortcutsLabel, 0, 2);
    grid->addWidget(files_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(shortcuts_, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid, 1);

    connect(addButton_, &QPushButton::clicked, this, &WPageShortCuts::OnAdd);
    connect(runtimeButton_, &QPushButton::clicked, this, &WPageShortCuts::OnAddRuntime);
    connect(deleteButton_, &QPushButton::clicked, this, &WPageShortCuts::OnDelete);
    connect(propertiesButton_, &QPushButton::clicked, this, &WPageShortCuts::OnProperties);
    connect(files_, &QListWidget::itemDoubleClicked, this, &WPageShortCuts::OnAdd);
    connect(shortcuts_, &QListWidget::itemDoubleClicked, this, &WPageShortCuts::OnProperties);
    connect(files_, &QListWidget::itemPressed, this, &WPageShortCuts::FileSelected);
    connect(shortcuts_, &QListWidget::itemPressed, this, &WPageShortCuts::ShortcutSelected);
    connect(files_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            FileSelected();
    });
    connect(shortcuts_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            ShortcutSelected();
    });
}

WSetupShortcut* WPageShortCuts::ShortcutOf(const QListWidgetItem* row) {
    return static_cast<WSetupShortcut*>(PointerOf(row));
}

WSetupElement* WPageShortCuts::FileOf(const QListWidgetItem* row) {
    return static_cast<WSetupElement*>(PointerOf(row));
}

bool WPageShortCuts::OnSetActive() {
    WProjectData* project = Project();
    addButton_->setEnabled(false);
    deleteButton_->setEnabled(false);
    propertiesButton_->setEnabled(false);
    group_->setText(FromWin1252(project->ShortcutFolder));
    const QSignalBlocker blockFiles(files_);
    const QSignalBlocker blockShortcuts(shortcuts_);
    files_->clear();
    shortcuts_->clear();
    runtimeButton_->setEnabled(project->RuntimeComponent != 0);
    // Without the runtime component the runtime's shortcut goes.
    if (DropRuntimeShortcutWithoutRuntime(*project))
        SetModified();
    for (WSetupElement* file : ShortcutFiles(*project))
        files_->addItem(Row(FromWin1252(ApplicationFileText(*file)), file));
    for (WSetupShortcut* shortcut : ListedShortcuts(*project))
        AppendShortcut(shortcut);
    if (files_->count() > 0) {
        files_->setCurrentRow(0);
        FileSelected();
    }
    return WPage::OnSetActive();
}

QListWidgetItem* WPageShortCuts::AppendShortcut(WSetupShortcut* shortcut) {
    QListWidgetItem* row = Row(FromWin1252(ShortcutEntryText(*shortcut)), shortcut);
    shortcuts_->addItem(row);
    return row;
}

void WPageShortCuts::FileSelected() {
    addButton_->setEnabled(true);
    deleteButton_->setEnabled(false);
    propertiesButton_->setEnabled(false);
    const QSignalBlocker block(shortcuts_);
    shortcuts_->setCurrentRow(-1);
    shortcuts_->clearSelection();
}

void WPageShortCuts::ShortcutSelected() {
    addButton_->setEnabled(false);
    deleteButton_->setEnabled(true);
    propertiesButton_->setEnabled(true);
    const QSignalBlocker block(files_);
    files_->setCurrentRow(-1);
    files_->clearSelection();
}

void WPageShortCuts::RefreshShortcutTexts() {
    for (int i = 0; i < shortcuts_->count(); ++i) {
        if (WSetupShortcut* s = ShortcutOf(shortcuts_->item(i)))
            shortcuts_->item(i)->setText(FromWin1252(ShortcutEntryText(*s)));
    }
}

std::string WPageShortCuts::GroupForNew() {
    std::string typed;
    if (ToWin1252(group_->text(), typed) && CheckGroupName(typed).empty())
        return typed;
    return Project()->ShortcutFolder;
}

void WPageShortCuts::OnAdd() {
    WSetupElement* file = FileOf(files_->currentItem());
    if (!file) {
        Boxes().Message(CoreText(kSelectShortcutFileMessage), Dialogs::Icon::Exclamation, QString(),
                        this);
        return;
    }
    if (HasShortcutTo(*Project(), *file))
        return;
    std::unique_ptr<WSetupShortcut> shortcut = NewShortcut(*file, GroupForNew());
    WShortcutDialog dialog(*shortcut, Boxes(), this);
    // A duplicate is refused while the dialog is open, so nothing typed is lost.
    dialog.SetCheck(
        [this](const WSetupShortcut& typed) { return CheckNewShortcut(*Project(), typed); });
    if (runner_(dialog) != QDialog::Accepted)
        return;  // the new shortcut goes
    SetModified();
    std::string error;
    WSetupShortcut* added = AddShortcut(*Project(), std::move(shortcut), error);
    if (!added) {
        Boxes().Message(CoreText(error), Dialogs::Icon::Exclamation, QString(), this);
        return;
    }
    shortcuts_->setCurrentItem(AppendShortcut(added));
    ShortcutSelected();
}

void WPageShortCuts::OnAddRuntime() {
    std::string error;
    WSetupShortcut* added = AddRuntimeShortcut(*Project(), error, GroupForNew());
    if (!added) {
        Boxes().Message(CoreText(error), Dialogs::Icon::Exclamation, QString(), this);
        return;
    }
    SetModified();
    shortcuts_->setCurrentItem(AppendShortcut(added));
    ShortcutSelected();
}

void WPageShortCuts::OnDelete() {
    QListWidgetItem* row = shortcuts_->currentItem();
    WSetupShortcut* shortcut = ShortcutOf(row);
    if (!shortcut) {
        Boxes().Message(CoreText(kSelectShortcutToDeleteMessage), Dialogs::Icon::Exclamation,
                        QString(), this);
        return;
    }
    RemoveShortcut(*Project(), shortcut);
    {
        const QSignalBlocker block(shortcuts_);
        delete shortcuts_->takeItem(shortcuts_->row(row));
        shortcuts_->setCurrentRow(-1);
    }
    deleteButton_->setEnabled(false);
    propertiesButton_->setEnabled(false);
    SetModified();
}

void WPageShortCuts::OnProperties() {
    QListWidgetItem* row = shortcuts_->currentItem();
    WSetupShortcut* shortcut = ShortcutOf(row);
    if (!shortcut) {
        Boxes().Message(CoreText(kSelectShortcutToModifyMessage), Dialogs::Icon::Exclamation,
                        QString(), this);
        return;
    }
    WShortcutDialog dialog(*shortcut, Boxes(), this);
    dialog.ParametersLabel()->setText(CoreText(kParametersLabel));
    dialog.SetCheck(
        [this, shortcut](const WSetupShortcut& typed) {
            return CheckChangedShortcut(*Project(), shortcut, typed);
        },
        CoreText(kShortcutExistsCaption));
    if (runner_(dialog) != QDialog::Accepted)
        return;
    ShortcutChanged(*Project());
    row->setText(FromWin1252(ShortcutEntryText(*shortcut)));
    SetModified();
}

int WPageShortCuts::CommitPage() {
    std::string group;
    if (!TakeText(group_, tr("The group name"), group))
        return 0;
    if (std::string refused = CheckGroupName(group); !refused.empty()) {
        Boxes().Message(CoreText(refused),
                        group.empty() ? Dialogs::Icon::Exclamation : Dialogs::Icon::Stop, QString(),
                        this);
        group_->setFocus();
        return 0;
    }
    if (group != Project()->ShortcutFolder)
        SetModified();
    SetShortcutGroup(*Project(), group);
    RefreshShortcutTexts();
    return 1;
}

int WPageShortCuts::OnWizardNext() {
    return CommitPage() ? 0 : -1;
}

int WPageShortCuts::OnWizardBack() {
    // Stored unchecked; the shortcuts follow only a name that passes.
    std::string group;
    if (ToWin1252(group_->text(), group) && group != Project()->ShortcutFolder) {
        SetModified();
        if (CheckGroupName(group).empty())
            SetShortcutGroup(*Project(), group, false);
        else
            Project()->ShortcutFolder = group;
    }
    return 0;
}

}  // namespace vantrel
