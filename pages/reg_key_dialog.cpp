#include "pages/reg_key_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "elements/setup_reg_entry.h"
#include "project/registry_keys.h"

namespace vantrel {

namespace {

constexpr const char* kSystemLabels[] = {"&Windows 95", "Windows &NT 4", "Win&dows 98",
                                         "Windows 2&000"};
constexpr const char* kSystemNames[] = {"windows95", "windowsNT4", "windows98", "windows2000"};

}  // namespace

WRegKeyDialog::WRegKeyDialog(WSetupRegEntry& entry, Dialogs& boxes, QWidget* parent)
    : QDialog(parent), entry_(entry), boxes_(boxes) {
    setWindowTitle(tr(kRegistryKeyDialogTitle));
    KeepTitleWhole(this);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    rootKey_ = new QComboBox(this);
    rootKey_->setObjectName(QStringLiteral("rootKey"));
    rootKey_->setAccessibleName(tr("Root key"));
    for (const char* root : RegistryRootKeys())
        rootKey_->addItem(QString::fromLatin1(root));
    key_ = new QLineEdit(this);
    key_->setObjectName(QStringLiteral("key"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    value_ = new QLineEdit(this);
    value_->setObjectName(QStringLiteral("value"));
    type_ = new QComboBox(this);
    type_->setObjectName(QStringLiteral("dataType"));
    type_->setAccessibleName(tr("Data type"));
    for (const char* type : RegistryValueTypes())
        type_->addItem(QString::fromLatin1(type));
    form->addRow(tr("&Root Key:"), rootKey_);
    form->addRow(tr("&Key:"), key_);
    form->addRow(tr("N&ame:"), name_);
    form->addRow(tr("&Value:"), value_);
    form->addRow(tr("Data type:"), type_);
    layout->addLayout(form);

    auto* systems = new QGroupBox(tr("Operating systems"), this);
    auto* grid = new QGridLayout(systems);
    for (int i = 0; i < 4; ++i) {
        systems_[i] = new QCheckBox(QString::fromLatin1(kSystemLabels[i]), systems);
        systems_[i]->setObjectName(QString::fromLatin1(kSystemNames[i]));
        grid->addWidget(systems_[i], i / 2, i % 2);
    }
    layout->addWidget(systems);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &WRegKeyDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const WRegistryKeyProperties p = WRegistryKeyProperties::Load(entry_);
    rootKey_->setCurrentIndex(p.rootKey);
    type_->setCurrentIndex(p.type);
    key_->setText(FromWin1252(p.key));
    name_->setText(FromWin1252(p.name));
    value_->setText(FromWin1252(p.value));
    for (int i = 0; i < 4; ++i)
        systems_[i]->setChecked(p.systems[i]);
}

void WRegKeyDialog::OnOk() {
    WRegistryKeyProperties p;
    p.rootKey = rootKey_->currentIndex() < 0 ? 0 : rootKey_->currentIndex();
    p.type = type_->currentIndex() < 0 ? 0 : type_->currentIndex();
    auto take = [this](QLineEdit* edit, const char* field, std::string& out) {
        return TakeWin1252Text(boxes_, this, edit, edit->text(), QString::fromLatin1(field), out);
    };
    if (!take(key_, "The key", p.key) || !take(name_, "The name", p.name) ||
        !take(value_, "The value", p.value))
        return;
    for (int i = 0; i < 4; ++i)
        p.systems[i] = systems_[i]->isChecked();
    WSetupRegEntry trial(entry_);
    std::string refused = p.Apply(trial, false);
    if (refused.empty() && check_)
        refused = check_(trial);
    if (refused.empty())
        refused = p.Apply(entry_);
    if (!refused.empty()) {
        boxes_.Message(CoreText(refused), Dialogs::Icon::Exclamation, QString(), this);
        return;
    }
    accept();
}

}  // namespace vantrel
