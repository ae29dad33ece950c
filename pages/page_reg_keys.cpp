#include "pages/page_reg_keys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "pages/reg_key_dialog.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "project/bde_rules.h"
#include "project/project_data.h"
#include "project/reg_import.h"
#include "project/registry_keys.h"
#include "script/folder_macros.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1011;
constexpr int kEntryRole = Qt::UserRole + 1;

enum Column { kUninstall, kRootKey, kKey, kKeyName, kKeyValue, kColumnCount };

}  // namespace

WPageRegKeys::WPageRegKeys(WWizardApp& app, QWidget* parent)
    : WPage(app, tr(kRegistryPageTitle), kHelpContext, parent),
      runner_([](WRegKeyDialog& dialog) { return dialog.exec(); }) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(tr("Enter the registry keys and values that the setup writes on the "
                               "target machine, or import them from a registry file."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);

    list_ = new QTreeWidget(Body());
    list_->setObjectName(QStringLiteral("registryEntries"));
    list_->setAccessibleName(tr("Registry entries"));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setColumnCount(kColumnCount);
    list_->setHeaderLabels(
        {tr("Uninstall"), tr("Root Key"), tr("Key"), tr("Key Name"), tr("Key Value")});
    FitColumns(list_);
    layout->addWidget(list_, 1);

    auto* buttons = new QHBoxLayout;
    editorButton_ = new QPushButton(tr("&Registry Editor..."), Body());
    editorButton_->setObjectName(QStringLiteral("registryEditor"));
    importButton_ = new QPushButton(tr("&Import .reg..."), Body());
    importButton_->setObjectName(QStringLiteral("importReg"));
    addButton_ = new QPushButton(tr("&Add Key..."), Body());
    addButton_->setObjectName(QStringLiteral("addKey"));
    modifyButton_ = new QPushButton(tr("&Modify Key..."), Body());
    modifyButton_->setObjectName(QStringLiteral("modifyKey"));
    deleteButton_ = new QPushButton(tr("&Delete Key"), Body());
    deleteButton_->setObjectName(QStringLiteral("deleteKey"));
    for (QPushButton* b : {editorButton_, importButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {addButton_, modifyButton_, deleteButton_})
        buttons->addWidget(b);
    layout->addLayout(buttons);

    connect(addButton_, &QPushButton::clicked, this, &WPageRegKeys::OnAdd);
    connect(modifyButton_, &QPushButton::clicked, this, &WPageRegKeys::OnModify);
    connect(deleteButton_, &QPushButton::clicked, this, &WPageRegKeys::OnDelete);
    connect(importButton_, &QPushButton::clicked, this, &WPageRegKeys::OnImport);
    connect(editorButton_, &QPushButton::clicked, this, &WPageRegKeys::OnEditor);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &WPageRegKeys::OnModify);
    // A box the user clicks counts at once, so that saving from any page keeps it.
    connect(list_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row, int column) {
        WSetupRegEntry* entry = EntryOf(row);
        if (column != kUninstall || !entry)
            return;
        const int flag = row->checkState(kUninstall) == Qt::Checked ? 1 : 0;
        if (entry->GetUninstall() != flag) {
            entry->SetUninstall(flag);
            SetModified();
        }
    });
}

WSetupRegEntry* WPageRegKeys::EntryOf(const QTreeWidgetItem* row) {
    return row ? static_cast<WSetupRegEntry*>(
                     reinterpret_cast<void*>(row->data(kUninstall, kEntryRole).value<quintptr>()))
               : nullptr;
}

bool WPageRegKeys::OnInitDialog() {
    WPage::OnInitDialog();
    UpdateEditorButton();
    return true;
}

void WPageRegKeys::UpdateEditorButton() {
    const std::string editor = RegistryEditorPath();
    const std::string why = WhyProgramCannotStart(editor);
    editorButton_->setEnabled(why.empty());
    editorButton_->setToolTip(why.empty() ? NativePath(editor) : CoreText(why));
}

bool WPageRegKeys::OnSetActive() {
    const QSignalBlocker block(list_);
    list_->clear();
    for (WSetupRegEntry* entry : RegistryEntries(*Project()))
        AppendRow(entry);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    UpdateButtons();
    UpdateEditorButton();
    return WPage::OnSetActive();
}

void WPageRegKeys::Fill(QTreeWidgetItem* row, WSetupRegEntry* entry) {
    const QSignalBlocker block(list_);
    row->setData(kUninstall, kEntryRole, QVariant::fromValue(reinterpret_cast<quintptr>(entry)));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(kUninstall, entry->GetUninstall() ? Qt::Checked : Qt::Unchecked);
    row->setText(kRootKey, FromWin1252(entry->GetRootKey()));
    row->setText(kKey, FromWin1252(entry->GetKeyPath()));
    row->setText(kKeyName, FromWin1252(ExpandFolderMacros(entry->GetValueName())));
    row->setText(kKeyValue, FromWin1252(ExpandFolderMacros(entry->GetValueData())));
}

QTreeWidgetItem* WPageRegKeys::AppendRow(WSetupRegEntry* entry) {
    auto* row = new QTreeWidgetItem;
    Fill(row, entry);
    const QSignalBlocker block(list_);
    list_->addTopLevelItem(row);
    return row;
}

void WPageRegKeys::UpdateButtons() {
    const bool any = list_->topLevelItemCount() > 0;
    modifyButton_->setEnabled(any);
    deleteButton_->setEnabled(any);
}

void WPageRegKeys::OnAdd() {
    std::unique_ptr<WSetupRegEntry> entry = NewRegistryEntry();
    WRegKeyDialog dialog(*entry, Boxes(), this);
    // A duplicate is refused while the dialog is open, so nothing typed is lost.
    dialog.SetCheck([this](const WSetupRegEntry& typed) {
        return CheckChangedRegistryEntry(*Project(), nullptr, typed);
    });
    if (runner_(dialog) != QDialog::Accepted)
        return;  // the new entry goes with the dialog
    SetModified();
    std::string error;
    WSetupRegEntry* added = AddRegistryEntry(*Project(), std::move(entry), error);
    if (!added) {
        Boxes().Message(CoreText(error), Dialogs::Icon::Exclamation, QString(), this);
        return;
    }
    list_->setCurrentItem(AppendRow(added));
    UpdateButtons();
}

void WPageRegKeys::OnModify() {
    QTreeWidgetItem* row = list_->currentItem();
    WSetupRegEntry* entry = EntryOf(row);
    if (!entry) {
        Boxes().Message(CoreText(kSelectForModifyMessage), Dialogs::Icon::Exclamation, QString(),
                        this);
        return;
    }
    entry->SetUninstall(row->checkState(kUninstall) == Qt::Checked ? 1 : 0);
    WRegKeyDialog dialog(*entry, Boxes(), this);
    // The same duplicate test as Add, the entry itself aside.
    dialog.SetCheck([this, entry](const WSetupRegEntry& typed) {
        return CheckChangedRegistryEntry(*Project(), entry, typed);
    });
    if (runner_(dialog) != QDialog::Accepted)
        return;
    SetModified();
    RegistryEntryChanged(*Project());
    Fill(row, entry);
}

void WPageRegKeys::OnDelete() {
    QTreeWidgetItem* row = list_->currentItem();
    WSetupRegEntry* entry = EntryOf(row);
    if (!entry) {
        Boxes().Message(CoreText(kSelectForDeleteMessage), Dialogs::Icon::Exclamation, QString(),
                        this);
        return;
    }
    // Nothing comes back after a delete: ask first, No being the default.
    const QString question =
        CoreText(kDeleteEntryQuestion).arg(FromWin1252(DescribeRegistryEntry(*entry)));
    if (Boxes().Ask(question, Dialogs::Buttons::YesNo, Dialogs::Answer::No, this) !=
        Dialogs::Answer::Yes)
        return;
    const int position = list_->indexOfTopLevelItem(row);
    RemoveRegistryEntry(*Project(), entry);
    delete list_->takeTopLevelItem(position);
    const int count = list_->topLevelItemCount();
    if (count > 0)
        list_->setCurrentItem(list_->topLevelItem(position < count ? position : count - 1));
    UpdateButtons();
    SetModified();
}

void WPageRegKeys::OnImport() {
    Dialogs::FileRequest request;
    request.title = tr("Import Registry File");
    request.filter = tr("Registry files (*.reg)|*.reg|All Files (*.*)|*.*|");
    request.defaultSuffix = QStringLiteral("reg");
    request.mustExist = true;
    QString chosen;
    if (Boxes().OpenFile(request, chosen, this) != Dialogs::FileResult::Ok)
        return;
    std::string path;
    if (!TakeChosenPath(chosen, path))
        return;
    WRegImport import;
    std::string error;
    if (!import.ReadFile(path, error)) {
        Boxes().Message(CoreText(error), Dialogs::Icon::Exclamation, QString(), this);
        return;
    }
    const std::vector<WSetupRegEntry*> added = import.AddTo(*Project());
    QTreeWidgetItem* last = nullptr;
    for (WSetupRegEntry* entry : added)
        last = AppendRow(entry);
    if (last) {
        list_->setCurrentItem(last);
        SetModified();
    }
    UpdateButtons();
    QString text = added.size() == 1 ? tr("1 registry entry was imported.")
                                     : tr("%1 registry entries were imported.").arg(added.size());
    if (!import.RefusedLines().empty()) {
        text += QStringLiteral("\n\n") + CoreText(import.RefusedMessage());
        Boxes().Message(text, Dialogs::Icon::Exclamation, QString(), this);
    } else {
        Boxes().Message(text, Dialogs::Icon::Information, QString(), this);
    }
}

void WPageRegKeys::OnEditor() {
    const std::string editor = RegistryEditorPath();
    if (!WhyProgramCannotStart(editor).empty() || !RunDetachedArgs(editor, {}))
        Boxes().Message(CoreText(kEditorNotLaunchedMessage), Dialogs::Icon::Exclamation, QString(),
                        this);
    UpdateEditorButton();
    window()->raise();
    window()->activateWindow();
}

void WPageRegKeys::StoreUninstallBoxes() {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list_->topLevelItem(i);
        if (WSetupRegEntry* entry = EntryOf(row))
            entry->SetUninstall(row->checkState(kUninstall) == Qt::Checked ? 1 : 0);
    }
}

bool WPageRegKeys::OnKillActive() {
    StoreUninstallBoxes();
    return WPage::OnKillActive();
}

int WPageRegKeys::CommitPage() {
    StoreUninstallBoxes();
    return 1;
}

}  // namespace vantrel
