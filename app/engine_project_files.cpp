#include "app/engine_project_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "project/project_data.h"
#include "project/project_file.h"
#include "project/recent_projects.h"

namespace vantrel {

namespace {

// The save dialog of the save command, on the application's dialog service.
class SaveDialog : public ProjectSaveDialog {
  public:
    explicit SaveDialog(Dialogs& dialogs) : dialogs_(dialogs) {}

    bool AskSavePath(const std::string& proposed, std::string& chosen) override {
        Dialogs::FileRequest request;
        request.filter = QCoreApplication::translate("vantrel", "Tessary Vantrel (*.zlt)|*.zlt|");
        request.defaultSuffix = QStringLiteral("zlt");
        request.overwritePrompt = true;
        const QFileInfo info(NativePath(proposed));
        request.fileName = info.fileName();
        request.folder = proposed.find_first_of("\\/") == std::string::npos ? QDir::currentPath()
                                                                            : info.absolutePath();
        for (;;) {
            QString path;
            if (dialogs_.SaveFile(request, path) != Dialogs::FileResult::Ok) {
                cancelled = true;
                return false;
            }
            if (Win1252Path(QDir::toNativeSeparators(path), chosen))
                return true;
            dialogs_.Message(
                UnstorableMessage(QCoreApplication::translate("vantrel", "The file name"),
                                  UnstorableCharacters(path)));
        }
    }

    bool cancelled = false;

  private:
    Dialogs& dialogs_;
};

}  // namespace

bool EngineProjectFiles::Save() {
    WProjectData* project = app_.Project();
    if (!project)
        return false;
    bool modified = app_.Modified() != 0;
    SaveDialog dialog(app_.GetDialogs());
    std::string error;
    const bool saved = vantrel::Save(*project, modified, dialog, &error);
    app_.SetModified(modified ? 1 : 0);
    if (!saved && !dialog.cancelled) {
        // A project that could not be written must not look saved.
        app_.GetDialogs().Message(
            QCoreApplication::translate("vantrel", "The project could not be saved.\n\n%1")
                .arg(CoreText(error)),
            Dialogs::Icon::Stop);
    }
    return saved;
}

bool EngineProjectFiles::Load(const std::string& path) {
    WProjectData* project = app_.Project();
    return project && LoadProjectFile(*project, path);
}

std::vector<std::string> EngineProjectFiles::Recent() {
    std::vector<std::string> list;
    ReadRecentProjects(list);
    return list;
}

}  // namespace vantrel
