#include "pages/ini_entry_dialog.h"

#include <QLineEdit>

#include "app/qt_text.h"
#include "project/ini_entry_properties.h"

namespace vantrel {

WIniEntryDialog::WIniEntryDialog(WSetupProfileString& entry, Dialogs& boxes, QWidget* parent)
    : WCustomisationDialog(kIniEntryDialogTitle, boxes, parent), entry_(entry) {
    section_ = AddField(tr("&Section Name:"), "section");
    key_ = AddField(tr("Key N&ame:"), "key");
    value_ = AddField(tr("Key &Value:"), "value");
    const WIniEntryProperties p = WIniEntryProperties::Load(entry_);
    section_->setText(FromWin1252(p.section));
    key_->setText(FromWin1252(p.key));
    value_->setText(FromWin1252(p.value));
    Finish(p.file, p.systems);
}

void WIniEntryDialog::OnOk() {
    WIniEntryProperties p;
    if (!TakeTexts({{section_, &p.section}, {key_, &p.key}, {value_, &p.value}},
                   {tr("The section"), tr("The key"), tr("The value")}))
        return;
    p.systems = Systems();
    Store(p, entry_);
}

}  // namespace vantrel
