// The license agreement and release notes page: one edit for the text chosen
// in the selector, whether the setup shows it, and importing it from a text
// file of less than 64 KB. The project keeps the texts with line feeds only.
#pragma once

#include <string>

#include "app/page.h"

class QCheckBox;
class QComboBox;
class QPlainTextEdit;
class QPushButton;

namespace vantrel {

class WPageLicense : public WPage {
    Q_OBJECT

  public:
    // Files of this size or more are not imported.
    static constexpr long long kImportLimit = 65536;

    explicit WPageLicense(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int CommitPage() override;

    QComboBox* Selector() const { return selector_; }
    QCheckBox* LicenseBox() const { return licenseBox_; }
    QCheckBox* ReleaseBox() const { return releaseBox_; }
    QPlainTextEdit* TextEdit() const { return edit_; }
    QPushButton* ImportButton() const { return importButton_; }

    // The text of the edit in the project's form (line feeds only; the
    // edit's own paragraph marks and no-break spaces kept as they are).
    QString EditText() const;

  public slots:
    void OnSelectionChanged();
    void OnLicenseClicked();
    void OnReleaseClicked();
    void OnImport();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int SelectedIndex() const;
    void ShowSelectedText();
    // Stores the edit's text into the field it shows; false when it holds
    // characters a setup cannot store (nothing is stored then).
    bool StoreEditText();
    // StoreEditText(), and when the text cannot be stored, the reason shown
    // and the focus put back into the edit, which keeps the text.
    bool StoreEditTextOrExplain();

    int displayLicense_ = 0;
    int displayRelease_ = 0;
    int shownIndex_ = -1;  // which text the edit holds, -1 none

    QComboBox* selector_ = nullptr;
    QCheckBox* licenseBox_ = nullptr;
    QCheckBox* releaseBox_ = nullptr;
    QPlainTextEdit* edit_ = nullptr;
    QPushButton* importButton_ = nullptr;
};

}  // namespace vantrel
