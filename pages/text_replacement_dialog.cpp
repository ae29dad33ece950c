#include "pages/text_replacement_dialog.h"

#include <QLineEdit>

#include "app/qt_text.h"
#include "project/text_replacement_properties.h"

namespace vantrel {

WTextReplacementDialog::WTextReplacementDialog(WSetupCustFile& entry, Dialogs& boxes,
                                               QWidget* parent)
    : WCustomisationDialog(kTextReplacementDialogTitle, boxes, parent), entry_(entry) {
    search_ = AddField(tr("&Search For:"), "search");
    replace_ = AddField(tr("&Replace With:"), "replace");
    const WTextReplacementProperties p = WTextReplacementProperties::Load(entry_);
    search_->setText(FromWin1252(p.search));
    replace_->setText(FromWin1252(p.replace));
    Finish(p.file, p.systems);
}

void WTextReplacementDialog::OnOk() {
    WTextReplacementProperties p;
    if (!TakeTexts({{search_, &p.search}, {replace_, &p.replace}},
                   {tr("The search text"), tr("The replacement")}))
        return;
    p.systems = Systems();
    Store(p, entry_);
}

}  // namespace vantrel
