// The last page, "Create Distribution Media": the folder that receives the
// distribution, the size of the medium (an entry of the size list or a
// custom size), what that makes (one disk or a floppy set, and roughly how
// many floppies), and the three commands Save Project, Create Media and Test
// Setup. The plan and its checks live in WMediaPlan; the page shows them and
// asks the questions. The result of the last Create Media or Test Setup
// stays visible on the page.
#pragma once

#include <QString>
#include <string>

#include "app/page.h"
#include "media/media_plan.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vantrel {

struct WMediaBuildResult;

class WPageFinish : public WPage {
    Q_OBJECT

  public:
    explicit WPageFinish(WWizardApp& app, QWidget* parent = nullptr);

    bool OnSetActive() override;
    bool OnKillActive() override;
    bool OnWizardFinish() override;
    int CommitPage() override;

    // The volume facts of the folder checks (this host's by default).
    void SetVolumeProbe(WVolumeProbe probe) { probe_ = std::move(probe); }
    const WMediaPlan& Plan() const { return plan_; }

    QLineEdit* FolderEdit() const { return folderEdit_; }
    QPushButton* BrowseButton() const { return browseButton_; }
    QComboBox* SizeCombo() const { return sizeCombo_; }
    QLineEdit* CustomEdit() const { return customEdit_; }
    QComboBox* UnitCombo() const { return unitCombo_; }
    QLabel* SizeLabel() const { return sizeLabel_; }
    QLabel* EstimateLabel() const { return estimateLabel_; }
    QLabel* DescriptionLabel() const { return descriptionLabel_; }
    QLabel* ComponentsLabel() const { return componentsLabel_; }
    // Holds the components and description texts.
    QScrollArea* TextsArea() const { return textsArea_; }
    QLabel* IconLabel() const { return iconLabel_; }
    QPushButton* SaveButton() const { return saveButton_; }
    QPushButton* CreateButton() const { return createButton_; }
    QPushButton* TestButton() const { return testButton_; }
    QPlainTextEdit* ResultView() const { return resultView_; }
    QPushButton* OpenFolderButton() const { return openButton_; }
    QPushButton* VerifyButton() const { return verifyButton_; }

    // The custom size's spin: the whole part of a valid custom number goes
    // down by `delta` (up by -delta), never below zero.
    void Spin(int delta);

  public slots:
    void OnBrowse();
    void OnSizeChanged();
    void OnCustomChanged();
    void OnSave();
    void OnCreateMedia();
    void OnTestSetup();
    void OnOpenFolder();
    // Checks the set that Create Media made and adds the outcome to the
    // result view.
    void OnVerifyMedia();

  private:
    // The plan's choice from the size controls, then the labels.
    void TakeControls();
    void Recompute();
    void ShowIcon();
    // The medium size check with its message; false stops the command.
    bool ValidateSize();
    void ShowResult(const QString& text, bool canOpen);
    // The saved medium choice into the project.
    void StoreChoice(WProjectData& project) const;
    // What Create Media came to: a refusal in its message box, or the
    // result of the build in the result view.
    void ShowBuildResult(const WMediaBuildResult& result);

    WMediaPlan plan_;
    WVolumeProbe probe_ = WVolumeProbe::Host();
    bool filling_ = false;
    QString lastMedia_;
    // The folder of the last Create Media (engine path).
    std::string lastMediaFolder_;

    QLineEdit* folderEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QComboBox* sizeCombo_ = nullptr;
    QLineEdit* customEdit_ = nullptr;
    QToolButton* spinUp_ = nullptr;
    QToolButton* spinDown_ = nullptr;
    QComboBox* unitCombo_ = nullptr;
    QLabel* iconLabel_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* estimateLabel_ = nullptr;
    QLabel* descriptionLabel_ = nullptr;
    QLabel* componentsLabel_ = nullptr;
    QScrollArea* textsArea_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* createButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QPlainTextEdit* resultView_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* verifyButton_ = nullptr;
};

}  // namespace vantrel
