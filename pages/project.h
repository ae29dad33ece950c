// The application information page: name, version and company of the
// application and its default destination folder. The destination is
// composed in folder-macro form for the scripts, and the page shows the
// folder it would be on this machine.
#pragma once

#include "app/page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vantrel {

class WProject : public WPage {
    Q_OBJECT

  public:
    explicit WProject(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    int CommitPage() override;

    // Result of the last check: 1 passed, -1 failed.
    int Result() const { return result_; }

    QLineEdit* NameEdit() const { return nameEdit_; }
    QLineEdit* VersionEdit() const { return versionEdit_; }
    QLineEdit* CompanyEdit() const { return companyEdit_; }
    QCheckBox* UseDefaultBox() const { return useDefaultBox_; }
    QComboBox* BaseList() const { return baseList_; }
    QLineEdit* FolderEdit() const { return folderEdit_; }
    QLineEdit* DefaultDirectoryEdit() const { return defaultDirEdit_; }

  private slots:
    void OnTextEdited();
    void OnDestinationChanged();
    void OnUseDefaultClicked();

  private:
    void TakeControls();
    void PutControls();
    void Preview();
    // The list entry as "DefaultDestPrefix" names it.
    const char* BasePrefix() const;

    int result_ = 1;
    QString name_, version_, company_, folder_, defaultDirectory_;
    bool useDefault_ = true;
    int base_ = 0;

    QLineEdit* nameEdit_ = nullptr;
    QLineEdit* versionEdit_ = nullptr;
    QLineEdit* companyEdit_ = nullptr;
    QCheckBox* useDefaultBox_ = nullptr;
    QComboBox* baseList_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    QLineEdit* defaultDirEdit_ = nullptr;
    bool filling_ = false;
};

}  // namespace vantrel
