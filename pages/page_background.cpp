#include "pages/page_background.h"
namespace vantrel {
WPageBackground::WPageBackground(WWizardApp& app, QWidget* parent) : WPage(app, QStringLiteral("Configure Setup Background"), 1002, parent) {}
}  // namespace vantrel
