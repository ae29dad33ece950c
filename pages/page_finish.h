// The last page, "Create Distribution Media". For now it offers Finish:
// the sheet shows Back and Finish while the page is in front, and Finish
// asks to save unsaved changes before the program ends.
#pragma once

#include "app/page.h"

namespace vantrel {

class WPageFinish : public WPage {
    Q_OBJECT

  public:
    explicit WPageFinish(WWizardApp& app, QWidget* parent = nullptr);

    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardFinish() override;
};

}  // namespace vantrel
