// The "Text File Customization Properties" dialog: the file, the text to
// search for, its replacement and the systems of one text replacement. The
// checks and the storing are the core's (project/text_replacement_properties.h).
#pragma once

#include "pages/customisation_dialog.h"

namespace vantrel {

class WSetupCustFile;

class WTextReplacementDialog : public WCustomisationDialog {
    Q_OBJECT

  public:
    WTextReplacementDialog(WSetupCustFile& entry, Dialogs& boxes, QWidget* parent = nullptr);

    QLineEdit* SearchEdit() const { return search_; }
    QLineEdit* ReplaceEdit() const { return replace_; }

    void OnOk() override;

  private:
    WSetupCustFile& entry_;
    QLineEdit* search_ = nullptr;
    QLineEdit* replace_ = nullptr;
};

}  // namespace vantrel
