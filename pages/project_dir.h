// The setup options page: which standard components the setup installs
// (framework, runtime, database engine), the proofreading tools with their
// languages and the default language. The choices go into the project's
// flags and into the selection of the catalogue's components.
#pragma once

#include <string>
#include <vector>

#include "app/page.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

class WProjectDir : public WPage {
    Q_OBJECT

  public:
    explicit WProjectDir(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    int CommitPage() override;

    QCheckBox* FrameworkBox() const { return frameworkBox_; }
    QCheckBox* RuntimeBox() const { return runtimeBox_; }
    QCheckBox* UninstallBox() const { return uninstallBox_; }
    QCheckBox* DatabaseBox() const { return databaseBox_; }
    QCheckBox* WritingToolsBox() const { return toolsBox_; }
    QTreeWidget* LanguageList() const { return languages_; }
    QComboBox* DefaultLanguageList() const { return defaultLanguage_; }
    QPushButton* SelectAllButton() const { return selectAll_; }
    QPushButton* SelectNoneButton() const { return selectNone_; }
    // Below the boxes: which component scripts this installation lacks, or
    // that it has no installation folder; hidden when nothing is missing.
    QLabel* MissingNote() const { return missingNote_; }

    // The language codes of the rows, in row order.
    QStringList RowCodes() const;

  public slots:
    void OnFrameworkClicked();
    void OnRuntimeClicked();
    void OnDatabaseClicked();
    void OnWritingToolsClicked();
    void OnSelectAll();
    void OnSelectNone();
    void OnDefaultLanguageChosen(int index);

  private slots:
    void OnRowChanged(QTreeWidgetItem* item, int column);

  private:
    struct Row {
        std::string script;
        std::string code;
    };

    void TakeControls();
    void PutControls();
    void ApplyRules();
    void SetAllRows(bool checked);
    bool RowChecked(int row) const;
    void SetRowChecked(int row, bool checked);
    // The code of the language chosen as the default; empty for none.
    std::string DefaultCode() const;
    bool ScriptExists(const char* script) const;
    // Why a box is off: the missing script (or installation folder) for
    // `script`, empty when the script is there.
    QString MissingReason(const char* script) const;
    static void SetDisabledReason(QCheckBox* box, const QString& reason);

    // Values as the check boxes show them; the remembered values come back
    // when the framework (runtime) or the rules (database engine) stop
    // forcing them on.
    int framework_ = 0;
    int runtime_ = 1;
    int runtimeRemembered_ = 1;
    bool runtimeForced_ = false;
    int database_ = 1;
    int databaseRemembered_ = 1;
    int tools_ = 1;
    // Standard components whose scripts this installation has.
    bool haveFramework_ = true, haveRuntime_ = true, haveDatabase_ = true;
    QString frameworkMissing_, runtimeMissing_, databaseMissing_, toolsMissing_;
    std::vector<Row> rows_;
    bool updating_ = false;

    QCheckBox* frameworkBox_ = nullptr;
    QCheckBox* runtimeBox_ = nullptr;
    QCheckBox* uninstallBox_ = nullptr;
    QCheckBox* databaseBox_ = nullptr;
    QCheckBox* toolsBox_ = nullptr;
    QTreeWidget* languages_ = nullptr;
    QComboBox* defaultLanguage_ = nullptr;
    QPushButton* selectAll_ = nullptr;
    QPushButton* selectNone_ = nullptr;
    QLabel* missingNote_ = nullptr;
};

}  // namespace vantrel
