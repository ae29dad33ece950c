// The first page: start a new project, open a project file (from the list
// of recent projects or by browsing) or continue with the loaded project.
// The file is opened when the user presses Next.
#pragma once

#include "app/page.h"

class QComboBox;
class QDialog;
class QPushButton;
class QRadioButton;

namespace vantrel {

class WPageWelcome : public WPage {
    Q_OBJECT

  public:
    explicit WPageWelcome(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int OnWizardNext() override;

    QRadioButton* NewButton() const { return newRadio_; }
    QRadioButton* OpenButton() const { return openRadio_; }
    QRadioButton* ContinueButton() const { return continueRadio_; }
    QComboBox* PathBox() const { return pathBox_; }
    QPushButton* SelectButton() const { return selectButton_; }

    // Opens the project file `path` (as typed on the command line) as
    // "Open an Existing Project" and Next would: on success the next page is
    // in front; otherwise the page stays, with the message that says why.
    bool OpenGivenProject(const QString& path);

  public slots:
    void OnNewProject();
    void OnOpenProject();
    void OnContinueProject();
    void OnSelect();

  private:
    enum class Mode { New, Open, Continue };
    void TakeControls();
    void PutControls();
    void SetMode(Mode mode);
    // Enables or disables the controls that must not be used while a file
    // is being read.
    void LockControls(bool locked);
    void ShowWaitDialog();
    void CloseWaitDialog();

    Mode mode_ = Mode::New;
    QString selectedPath_;

    QRadioButton* newRadio_ = nullptr;
    QRadioButton* openRadio_ = nullptr;
    QRadioButton* continueRadio_ = nullptr;
    QComboBox* pathBox_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    QDialog* waitDialog_ = nullptr;
};

}  // namespace vantrel
