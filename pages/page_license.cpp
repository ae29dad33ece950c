#include "pages/page_license.h"
namespace vantrel {
WPageLicense::WPageLicense(WWizardApp& app, QWidget* parent) : WPage(app, QStringLiteral("License Agreement and Release Notes"), 1003, parent) {}
}  // namespace vantrel
