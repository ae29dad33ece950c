#include "pages/shortcut_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "elements/setup_shortcut.h"
#include "project/shortcut_rules.h"

namespace vantrel {

WShortcutDialog::WShortcutDialog(WSetupShortcut& shortcut, Dialogs& boxes, QWidget* parent)
    : QDialog(parent), shortcut_(shortcut), boxes_(boxes) {
    setWindowTitle(tr(kShortcutDialogTitle));
    KeepTitleWhole(this);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    target_ = new QLineEdit(this);
    target_->setObjectName(QStringLiteral("target"));
    target_->setReadOnly(true);
    folder_ = new QComboBox(this);
    folder_->setObjectName(QStringLiteral("shortcutFolder"));
    folder_->setAccessibleName(tr("Shortcut folder"));
    for (const char* choice : WShortcutProperties::FolderChoices())
        folder_->addItem(QString::fromLatin1(choice));
    additional_ = new QLineEdit(this);
    additional_->setObjectName(QStringLiteral("additionalFolders"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("shortcutName"));
    parameters_ = new QLineEdit(this);
    parameters_->setObjectName(QStringLiteral("parameters"));
    parametersLabel_ = new QLabel(CoreText(kParametersLabel), this);
    parametersLabel_->setBuddy(parameters_);
    form->addRow(tr("Shortcut to:"), target_);
    form->addRow(tr("Shortcut &Folder:"), folder_);
    form->addRow(tr("&Additional Shortcut Directories:"), additional_);
    form->addRow(tr("Shortcut &Name:"), name_);
    form->addRow(parametersLabel_, parameters_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &WShortcutDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const WShortcutProperties p = WShortcutProperties::Load(shortcut_);
    target_->setText(FromWin1252(p.target));
    folder_->setCurrentIndex(p.folder);
    additional_->setText(FromWin1252(p.additional));
    name_->setText(FromWin1252(p.name));
    parameters_->setText(FromWin1252(p.parameters));
    resize(std::max(width(), 520), height());
}

void WShortcutDialog::OnOk() {
    WShortcutProperties p;
    p.folder = folder_->currentIndex();
    auto take = [this](QLineEdit* edit, const char* field, std::string& out) {
        return TakeWin1252Text(boxes_, this, edit, edit->text(), QString::fromLatin1(field), out);
    };
    if (!take(additional_, "The folder", p.additional) || !take(name_, "The name", p.name) ||
        !take(parameters_, "The parameters", p.parameters))
        return;
    WSetupShortcut trial(shortcut_);
    std::string refused = p.Apply(trial);
    QString caption;
    if (refused.empty() && check_) {
        refused = check_(trial);
        caption = checkCaption_;
    }
    if (refused.empty())
        refused = p.Apply(shortcut_);
    if (!refused.empty()) {
        boxes_.Message(CoreText(refused), Dialogs::Icon::Exclamation, caption, this);
        name_->setFocus();
        return;
    }
    accept();
}

}  // namespace vantrel
