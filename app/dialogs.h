// The dialog service: every message box, question and common dialog that the
// wizard shows goes through one `Dialogs` object owned by the application.
// Pages never call QMessageBox or QFileDialog themselves, so a test can
// install a scripted service that answers the questions and records what was
// shown.
#pragma once

#include <QColor>
#include <QString>
#include <string>

class QWidget;

namespace vantrel {

class Dialogs {
  public:
    enum class Icon { None, Information, Exclamation, Stop, Question };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };
    // How a common file dialog ended. `Failed` stands for a dialog that could
    // not be shown or ended with an error rather than with OK or Cancel.
    enum class FileResult { Ok, Cancel, Failed };

    struct FileRequest {
        QString title;                 // empty: the dialog's own title
        QString folder;                // folder the dialog starts in (native path)
        QString fileName;              // proposed file name
        QString filter;                // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|"
        QString defaultSuffix;         // "zlt", without the dot
        bool mustExist = false;        // open: only existing files
        bool overwritePrompt = false;  // save: ask before replacing a file
    };

    // The folder browser: its caption text, the folder it starts at, which
    // kinds of path it takes (the option bits of project/folder_path_rules.h)
    // and whether an existing folder that cannot be written to will do.
    struct FolderRequest {
        QString caption;
        QString startFolder;  // native path; empty: the user's home
        int options = 17;     // drives and network paths, no CD or removable drive
        bool acceptReadOnly = false;
    };

    virtual ~Dialogs() = default;

    // The caption of every box unless a caller names another one.
    static QString ProgramTitle();

    // A message or question box. `caption` empty means the program title;
    // `defaultAnswer` is the button that Enter presses.
    virtual Answer Show(const QString& text, Buttons buttons, Icon icon,
                        Answer defaultAnswer = Answer::Ok, const QString& caption = QString(),
                        QWidget* owner = nullptr) = 0;

    virtual FileResult OpenFile(const FileRequest& request, QString& chosen,
                                QWidget* owner = nullptr) = 0;
    virtual FileResult SaveFile(const FileRequest& request, QString& chosen,
                                QWidget* owner = nullptr) = 0;
    // False when the user cancelled.
    virtual bool ChooseFolder(const FolderRequest& request, QString& chosen,
                              QWidget* owner = nullptr) = 0;
    virtual bool ChooseColour(const QColor& initial, QColor& chosen, QWidget* owner = nullptr) = 0;

    // Shorthands for the common cases.
    void Message(const QString& text, Icon icon = Icon::Exclamation,
                 const QString& caption = QString(), QWidget* owner = nullptr) {
        Show(text, Buttons::Ok, icon, Answer::Ok, caption, owner);
    }
    Answer Ask(const QString& text, Buttons buttons, Answer defaultAnswer,
               QWidget* owner = nullptr) {
        return Show(text, buttons, Icon::Question, defaultAnswer, QString(), owner);
    }
};

// `text`, typed into the control `edit`, as Windows-1252 text: true with `out`;
// else a message through `boxes` over `parent` names `field` and the
// characters it cannot hold, the focus goes to `edit`, and the result is false.
bool TakeWin1252Text(Dialogs& boxes, QWidget* parent, QWidget* edit, const QString& text,
                     const QString& field, std::string& out);

}  // namespace vantrel
