// A dialog service for tests: it answers from a queue that the test fills
// and records every box and dialog that was shown.
#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "app/dialogs.h"

namespace vantrel {
class WFolderBrowser;
}

namespace vantrel::test {

class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        QString text;
        QString caption;  // as it appears on the box (the program title when none was given)
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer defaultAnswer = Answer::Ok;
    };
    struct FileShown {
        bool save = false;
        FileRequest request;
    };

    // Answers for the next questions, in order. A question with no queued
    // answer is answered with its default button.
    QList<Answer> answers;
    // Results of the next file dialogs: the path chosen, or an empty
    // string for Cancel; a result of "?failed" makes the dialog fail.
    QStringList files;
    // Results of the next folder and colour dialogs (empty or invalid: Cancel).
    QStringList folders;
    QList<QColor> colours;

    QList<Shown> shown;
    QList<FileShown> fileDialogs;
    QList<FolderRequest> folderDialogs;
    // When set, ChooseFolder opens the real folder browser (its questions
    // answered from `answers`, its boxes recorded) and hands it to this
    // function, which acts as the user; the browser's result is the
    // dialog's. Otherwise the result comes from `folders`.
    std::function<void(WFolderBrowser&)> folderBrowser;
    int colourDialogs = 0;
    QColor lastInitialColour;

    Answer Show(const QString& text, Buttons buttons, Icon icon, Answer defaultAnswer,
                const QString& caption, QWidget* owner) override;
    FileResult OpenFile(const FileRequest& request, QString& chosen, QWidget* owner) override;
    FileResult SaveFile(const FileRequest& request, QString& chosen, QWidget* owner) override;
    bool ChooseFolder(const FolderRequest& request, QString& chosen, QWidget* owner) override;
    bool ChooseColour(const QColor& initial, QColor& chosen, QWidget* owner) override;

    // The texts of the boxes shown so far, in order.
    QStringList Texts() const;
    QString LastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void Forget();

  private:
    FileResult NextFile(const FileRequest& request, bool save, QString& chosen);
};

}  // namespace vantrel::test
