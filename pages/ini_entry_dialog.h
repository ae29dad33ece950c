// The "Profile String Properties" dialog: the file, section, key, value and
// systems of one INI entry. The checks and the storing are the core's
// (project/ini_entry_properties.h).
#pragma once

#include "pages/customisation_dialog.h"

namespace vantrel {

class WSetupProfileString;

class WIniEntryDialog : public WCustomisationDialog {
    Q_OBJECT

  public:
    WIniEntryDialog(WSetupProfileString& entry, Dialogs& boxes, QWidget* parent = nullptr);

    QLineEdit* SectionEdit() const { return section_; }
    QLineEdit* KeyEdit() const { return key_; }
    QLineEdit* ValueEdit() const { return value_; }

    void OnOk() override;

  private:
    WSetupProfileString& entry_;
    QLineEdit* section_ = nullptr;
    QLineEdit* key_ = nullptr;
    QLineEdit* value_ = nullptr;
};

}  // namespace vantrel
