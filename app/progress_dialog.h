// The progress dialog of "Create Media": the operation and the file being
// handled, a bar, a small animation and Cancel. It is the media builder's
// WMediaProgress: the job runs on the user-interface thread and the builder
// calls PumpMessage() between its steps, so the dialog repaints and Cancel
// is seen after the current file. The dialog is application-modal while it
// is shown, which keeps the wizard's own windows from taking input.
#pragma once

#include <QDialog>
#include <string>

#include "media/media_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vantrel {

class Dialogs;

class WProgressDialog : public QDialog, public WMediaProgress {
    Q_OBJECT

  public:
    WProgressDialog(Dialogs& dialogs, QWidget* parent = nullptr);

    void StartAnimation() override;
    void StopAnimation() override;
    void SetOperation(const std::string& text) override;
    void SetFile(const std::string& text) override;
    void SetRange(int upper) override;
    void Step() override;
    bool CancelRequested() override { return cancelled_; }
    void ShowError(const std::string& caption, const std::string& text) override;

    QLabel* OperationLabel() const { return operation_; }
    QLabel* FileLabel() const { return file_; }
    QProgressBar* Bar() const { return bar_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* Animation() const { return animation_; }

  public slots:
    // Cancel, Escape and the close box: the job stops after the current file.
    void reject() override;

  private:
    void Animate();

    Dialogs& dialogs_;
    bool cancelled_ = false;
    int frame_ = 0;
    QLabel* animation_ = nullptr;
    QLabel* operation_ = nullptr;
    QLabel* file_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QTimer* timer_ = nullptr;
};

}  // namespace vantrel
