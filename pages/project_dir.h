#pragma once
#include "app/page.h"
namespace vantrel {
class WProjectDir : public WPage {
    Q_OBJECT
public:
    explicit WProjectDir(WWizardApp& app, QWidget* parent = nullptr);
};
}  // namespace vantrel
