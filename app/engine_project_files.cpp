#include "app/engine_project_files.h"

#include "app/dialogs.h"
#include "app/wizard_app.h"
#include "project/project_data.h"
#include "project/recent_projects.h"

namespace vantrel {

bool EngineProjectFiles::Save() {
    if (!app_.Modified()) return true;
    // The project file itself is not written by this build yet.
    app_.GetDialogs().Message(QStringLiteral("Saving projects is not available in this build."),
                              Dialogs::Icon::Exclamation);
    return false;
}

bool EngineProjectFiles::Load(const std::string&) { return false; }

std::vector<std::string> EngineProjectFiles::Recent() {
    std::vector<std::string> list;
    ReadRecentProjects(list);
    return list;
}

}  // namespace vantrel
