// The application object: starts the wizard (one copy per user), owns the
// project object, the sheet, the dialog service and the help window, and
// carries the two values every page uses, Modified and HelpContext.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>
#include "app/help_window.h"

namespace vantrel {

class CPSheet;
class Dialogs;
class ProjectFiles;
class SingleInstance;

class WProjectData;

class WWizardApp : public QObject {
    Q_OBJECT

  public:
    // Adds the wizard's pages to the sheet, in page order (pages/page_list.h).
    using PageList = void (*)(CPSheet& sheet, WWizardApp& app);

    struct Options {
        // The pages of the sheet; the sheet itself knows only the page base.
        PageList addPages = nullptr;
        // Guard against a second copy; tests start several applications in
        // one process and switch it off.
        bool singleInstance = true;
        // Folder and name of the lock and the socket of the single-instance
        // guard; empty means the user's runtime folder.
        QString instanceFolder;
        // Folder with "Zlt9en.hlp/<context>.html"; empty means the help
        // folder beside the program (or in the installed share folder).
        QString helpFolder;
        // Show the sheet (tests may drive it hidden).
        bool show = true;
    };

    WWizardApp();
    ~WWizardApp() override;

    // Start-up: false when another copy runs (which is brought to the front)
    // and the program is to end at once.
    bool InitInstance(const Options& options);
    // Deletes the sheet and the project and releases the single-instance guard.
    int ExitInstance();

    static WWizardApp* Instance() { return instance_; }

    int Modified() const { return modified_; }
    // Marks the project changed (1) or saved (0); emits projectStateChanged.
    void SetModified(int modified);
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int context) { helpContext_ = context; }
    const QString& Title() const { return title_; }

    WProjectData* Project() const { return project_.get(); }
    CPSheet* Sheet() const { return sheet_.get(); }

    Dialogs& GetDialogs() const { return *dialogs_; }
    void SetDialogs(std::unique_ptr<Dialogs> dialogs);
    ProjectFiles& Files() const { return *files_; }
    void SetProjectFiles(std::unique_ptr<ProjectFiles> files);
    // The save command (ProjectFiles::Save): Save As when the project has no
    // file yet.
    bool SaveProject();
    // The name of the project's file ("Ledger.zlt"); empty while it has none.
    QString ProjectFileName() const;

    // Opens help topic `context` of "Zlt9en.hlp" in the help window; 0 opens
    // the contents page.
    void ShowHelp(int context);
    // Path of the page shown for `context` (the contents page when the topic
    // has no page of its own).
    QString HelpTopicPath(int context) const;
    WHelpWindow* HelpWindow() const { return help_; }

  signals:
    // The sheet has ended; the program's event loop should end.
    void finished();
    // Modified or the project's file may have changed (the window title
    // shows both).
    void projectStateChanged();

  private:
    void BringToFront();

    static WWizardApp* instance_;

    int modified_ = 0;
    int helpContext_ = 0;
    QString title_;
    QString helpFolder_;
    std::unique_ptr<WProjectData> project_;
    std::unique_ptr<CPSheet> sheet_;
    std::unique_ptr<Dialogs> dialogs_;
    std::unique_ptr<ProjectFiles> files_;
    std::unique_ptr<SingleInstance> guard_;
    QPointer<WHelpWindow> help_;
};

}  // namespace vantrel
