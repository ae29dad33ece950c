#pragma once
#include "app/page.h"
namespace vantrel {
class WPageBackground : public WPage {
    Q_OBJECT
public:
    explicit WPageBackground(WWizardApp& app, QWidget* parent = nullptr);
};
}  // namespace vantrel
