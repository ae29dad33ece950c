#include "pages/cust_page.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "pages/ini_entry_dialog.h"
#include "pages/text_replacement_dialog.h"
#include "project/customisation_rules.h"
#include "project/project_data.h"
#include "script/folder_macros.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1013;
constexpr int kElementRole = Qt::UserRole + 1;

QTreeWidget* NewList(QWidget* parent, const char* name, const QStringList& columns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setColumnCount(columns.size());
    list->setHeaderLabels(columns);
    FitColumns(list);
    return list;
}

QPushButton* NewButton(QWidget* parent, const QString& text, const char* name, const QString& tip) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAccessibleName(tip);
    button->setMaximumWidth(
        button->fontMetrics().horizontalAdvance(QCoreApplication::translate("vantrel", "Modify")) +
        32);
    return button;
}

QTreeWidgetItem* NewRow(QTreeWidget* list, WSetupElement* element) {
    auto* row = new QTreeWidgetItem;
    row->setData(0, kElementRole, QVariant::fromValue(reinterpret_cast<quintptr>(element)));
    list->addTopLevelItem(row);
    return row;
}

}  // namespace

WCustPage::WCustPage(WWizardApp& app, QWidget* parent)
    : WPage(app, tr(kCustomisationPageTitle), kHelpContext, parent),
      iniRunner_([](WIniEntryDialog& dialog) { return dialog.exec(); }),
      textRunner_([](WTextReplacementDialog& dialog) { return dialog.exec(); }) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(tr("Choose an installed file, then add the INI entries "
                               "the setup writes into it or the texts it replaces "
                               "in it."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);

    files_ = NewList(Body(), "installFiles", {tr("Install Files")});
    files_->setAccessibleName(tr("Files of the project"));
    ini_ = NewList(Body(), "iniEntries", {tr("File"), tr("Section"), tr("Key"), tr("Value")});
    text_ = NewList(Body(), "textReplacements", {tr("File"), tr("Search For"), tr("Replace With")});
    addIni_ = NewButton(Body(), QStringLiteral(">"), "addIni",
                        tr("Add an INI entry for the chosen file"));
    removeIni_ =
        NewButton(Body(), QStringLiteral("<"), "removeIni", tr("Remove the chosen INI entry"));
    modifyIni_ = NewButton(Body(), tr("Modify"), "modifyIni", tr("Change the chosen INI entry"));
    addText_ = NewButton(Body(), QStringLiteral(">"), "addText",
                         tr("Add a text replacement for the chosen file"));
    removeText_ = NewButton(Body(), QStringLiteral("<"), "removeText",
                            tr("Remove the chosen text replacement"));
    modifyText_ =
        NewButton(Body(), tr("Modify"), "modifyText", tr("Change the chosen text replacement"));

    auto* grid = new QGridLayout;
    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(new QLabel(tr("Files of the project:"), Body()));
    fileColumn->addWidget(files_, 1);
    grid->addLayout(fileColumn, 0, 0, 2, 1);
    const std::array<QPushButton*, 3> groups[] = {{addIni_, removeIni_, modifyIni_},
                                                  {addText_, removeText_, modifyText_}};
    for (int row = 0; row < 2; ++row) {
        auto* buttons = new QVBoxLayout;
        buttons->addStretch(1);
        for (QPushButton* button : groups[row])
            buttons->addWidget(button);
        buttons->addStretch(1);
        grid->addLayout(buttons, row, 1);
    }
    const std::pair<const char*, QTreeWidget*> titled[] = {
        {QT_TR_NOOP("Files tagged for INI updates:"), ini_},
        {QT_TR_NOOP("File Customization:"), text_}};
    for (int row = 0; row < 2; ++row) {
        auto* column = new QVBoxLayout;
        column->addWidget(new QLabel(tr(titled[row].first), Body()));
        column->addWidget(titled[row].second, 1);
        titled[row].second->setAccessibleName(tr(titled[row].first).chopped(1));
        grid->addLayout(column, row, 2);
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid, 1);
    // Tab reads the page as it is laid out: the files, then each row's
    // buttons and its list.
    QWidget* order[] = {files_,   addIni_,     removeIni_,  modifyIni_, ini_,
                        addText_, removeText_, modifyText_, text_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(addIni_, &QPushButton::clicked, this, &WCustPage::OnAddIni);
    connect(removeIni_, &QPushButton::clicked, this, &WCustPage::OnRemoveIni);
    connect(modifyIni_, &QPushButton::clicked, this, &WCustPage::OnModifyIni);
    connect(addText_, &QPushButton::clicked, this, &WCustPage::OnAddText);
    connect(removeText_, &QPushButton::clicked, this, &WCustPage::OnRemoveText);
    connect(modifyText_, &QPushButton::clicked, this, &WCustPage::OnModifyText);
    connect(ini_, &QTreeWidget::itemDoubleClicked, this, &WCustPage::OnModifyIni);
    connect(text_, &QTreeWidget::itemDoubleClicked, this, &WCustPage::OnModifyText);
}

WSetupElement* WCustPage::ElementOf(const QTreeWidgetItem* row) {
    return row ? reinterpret_cast<WSetupElement*>(row->data(0, kElementRole).value<quintptr>())
               : nullptr;
}

bool WCustPage::OnSetActive() {
    files_->clear();
    ini_->clear();
    text_->clear();
    for (WSetupElement* file : CustomisableFiles(*Project()))
        NewRow(files_, file)->setText(0, FromWin1252(TargetFileText(*file)));
    for (WSetupProfileString* entry : IniEntries(*Project()))
        FillIni(NewRow(ini_, entry), entry);
    for (WSetupCustFile* entry : TextReplacements(*Project()))
        FillText(NewRow(text_, entry), entry);
    return WPage::OnSetActive();
}

void WCustPage::FillIni(QTreeWidgetItem* row, WSetupProfileString* entry) {
    row->setText(0, FromWin1252(TargetFileText(*entry)));
    row->setText(1, FromWin1252(ExpandFolderMacros(entry->GetSection())));
    row->setText(2, FromWin1252(ExpandFolderMacros(entry->GetKey())));
    row->setText(3, FromWin1252(ExpandFolderMacros(entry->GetValue())));
}

void WCustPage::FillText(QTreeWidgetItem* row, WSetupCustFile* entry) {
    row->setText(0, FromWin1252(TargetFileText(*entry)));
    row->setText(1, FromWin1252(ExpandFolderMacros(entry->GetSearchText())));
    row->setText(2, FromWin1252(ExpandFolderMacros(entry->GetReplaceText())));
}

WSetupElement* WCustPage::ChosenFile() {
    WSetupElement* file = ElementOf(files_->currentItem());
    if (!file)
        Boxes().Message(CoreText(kSelectInstallFileMessage), Dialogs::Icon::Exclamation, QString(),
                        this);
    return file;
}

QTreeWidgetItem* WCustPage::ChosenRow(QTreeWidget* list, const char* message) {
    QTreeWidgetItem* row = list->currentItem();
    if (!ElementOf(row)) {
        Boxes().Message(CoreText(message), Dialogs::Icon::Exclamation, QString(), this);
        return nullptr;
    }
    return row;
}

bool WCustPage::Added(const std::string& error) {
    if (error.empty())
        return true;
    Boxes().Message(CoreText(error), Dialogs::Icon::Exclamation, CoreText(kEntryExistsCaption),
                    this);
    return false;
}

void WCustPage::OnAddIni() {
    const WSetupElement* file = ChosenFile();
    if (!file)
        return;
    std::unique_ptr<WSetupProfileString> entry = NewIniEntry(*file);
    WIniEntryDialog dialog(*entry, Boxes(), this);
    dialog.SetCheck(
        [this](const WSetupElement& typed) {
            return CheckChangedIniEntry(*Project(), nullptr,
                                        static_cast<const WSetupProfileString&>(typed));
        },
        CoreText(kEntryExistsCaption));
    if (iniRunner_(dialog) != QDialog::Accepted)
        return;  // the new entry goes with the dialog
    std::string error;
    WSetupProfileString* added = AddIniEntry(*Project(), std::move(entry), error);
    if (!Added(error) || !added)
        return;
    QTreeWidgetItem* row = NewRow(ini_, added);
    FillIni(row, added);
    ini_->setCurrentItem(row);
    SetModified();
}

void WCustPage::OnAddText() {
    const WSetupElement* file = ChosenFile();
    if (!file)
        return;
    std::unique_ptr<WSetupCustFile> entry = NewTextReplacement(*file);
    WTextReplacementDialog dialog(*entry, Boxes(), this);
    dialog.SetCheck(
        [this](const WSetupElement& typed) {
            return CheckChangedTextReplacement(*Project(), nullptr,
                                               static_cast<const WSetupCustFile&>(typed));
        },
        CoreText(kEntryExistsCaption));
    if (textRunner_(dialog) != QDialog::Accepted)
        return;
    std::string error;
    WSetupCustFile* added = AddTextReplacement(*Project(), std::move(entry), error);
    if (!Added(error) || !added)
        return;
    QTreeWidgetItem* row = NewRow(text_, added);
    FillText(row, added);
    text_->setCurrentItem(row);
    SetModified();
}

void WCustPage::OnModifyIni() {
    QTreeWidgetItem* row = ChosenRow(ini_, kSelectIniEntryMessage);
    if (!row)
        return;
    auto* entry = static_cast<WSetupProfileString*>(ElementOf(row));
    WIniEntryDialog dialog(*entry, Boxes(), this);
    // The same duplicate test as Add, the entry itself aside.
    dialog.SetCheck(
        [this, entry](const WSetupElement& typed) {
            return CheckChangedIniEntry(*Project(), entry,
                                        static_cast<const WSetupProfileString&>(typed));
        },
        CoreText(kEntryExistsCaption));
    if (iniRunner_(dialog) != QDialog::Accepted)
        return;
    CustomisationChanged(*Project());
    FillIni(row, entry);
    SetModified();
}

void WCustPage::OnModifyText() {
    QTreeWidgetItem* row = ChosenRow(text_, kSelectTextReplacementMessage);
    if (!row)
        return;
    auto* entry = static_cast<WSetupCustFile*>(ElementOf(row));
    WTextReplacementDialog dialog(*entry, Boxes(), this);
    dialog.SetCheck(
        [this, entry](const WSetupElement& typed) {
            return CheckChangedTextReplacement(*Project(), entry,
                                               static_cast<const WSetupCustFile&>(typed));
        },
        CoreText(kEntryExistsCaption));
    if (textRunner_(dialog) != QDialog::Accepted)
        return;
    CustomisationChanged(*Project());
    FillText(row, entry);
    SetModified();
}

void WCustPage::Remove(QTreeWidget* list, const char* message) {
    QTreeWidgetItem* row = ChosenRow(list, message);
    if (!row)
        return;
    const int position = list->indexOfTopLevelItem(row);
    RemoveCustomisation(*Project(), ElementOf(row));
    delete list->takeTopLevelItem(position);
    const int count = list->topLevelItemCount();
    if (count > 0)
        list->setCurrentItem(list->topLevelItem(position < count ? position : count - 1));
    SetModified();
}

void WCustPage::OnRemoveIni() {
    Remove(ini_, kSelectIniEntryMessage);
}

void WCustPage::OnRemoveText() {
    Remove(text_, kSelectTextReplacementMessage);
}

}  // namespace vantrel
