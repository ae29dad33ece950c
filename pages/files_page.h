// The "Files for Distribution" page. For now it shows what the page is for and lets the
// user pass; the project keeps its defaults for these settings.
#pragma once

#include "app/page.h"

namespace vantrel {

class WFilesPage : public WPage {
    Q_OBJECT

  public:
    explicit WFilesPage(WWizardApp& app, QWidget* parent = nullptr);
};

}  // namespace vantrel
