// The dialog service on Qt's own message boxes and common dialogs.
#pragma once

#include "app/dialogs.h"

namespace vantrel {

class QtDialogs : public Dialogs {
  public:
    Answer Show(const QString& text, Buttons buttons, Icon icon, Answer defaultAnswer,
                const QString& caption, QWidget* owner) override;
    FileResult OpenFile(const FileRequest& request, QString& chosen, QWidget* owner) override;
    FileResult SaveFile(const FileRequest& request, QString& chosen, QWidget* owner) override;
    // The shared folder browser (app/folder_browser.h), asking through this
    // service.
    bool ChooseFolder(const FolderRequest& request, QString& chosen, QWidget* owner) override;
    bool ChooseColour(const QColor& initial, QColor& chosen, QWidget* owner) override;

    // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*|" in Qt's form,
    // "Text Files (*.txt);;All Files (*)": the patterns of each pair in the
    // parentheses, and "*.*" as "*" so that it also matches names without a dot.
    static QString QtFilter(const QString& pipeFilter);
};

}  // namespace vantrel
