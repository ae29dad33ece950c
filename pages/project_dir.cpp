#include "pages/project_dir.h"
namespace vantrel {
WProjectDir::WProjectDir(WWizardApp& app, QWidget* parent) : WPage(app, QStringLiteral("Setup Options"), 1005, parent) {}
}  // namespace vantrel
