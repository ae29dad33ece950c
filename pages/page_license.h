#pragma once
#include "app/page.h"
namespace vantrel {
class WPageLicense : public WPage {
    Q_OBJECT
public:
    explicit WPageLicense(WWizardApp& app, QWidget* parent = nullptr);
};
}  // namespace vantrel
