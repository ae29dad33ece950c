// The "Shortcuts and Shortcut Folder" page: the Start-menu group of the
// application, the application files that can get a shortcut and the
// shortcuts made; Add Shortcut and Properties through the shortcut dialog,
// Add Runtime Shortcut (only with the runtime component) and Delete. Every
// rule is the core's (project/shortcut_rules.h). A shortcut goes into its
// component as soon as it is accepted, so saving from any page keeps it.
#pragma once

#include <functional>

#include "app/page.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vantrel {

class WShortcutDialog;
class WSetupElement;
class WSetupShortcut;

class WPageShortCuts : public WPage {
    Q_OBJECT

  public:
    // Runs the shortcut dialog and answers its result (QDialog::Accepted or
    // Rejected); tests replace it to fill the dialog in.
    using DialogRunner = std::function<int(WShortcutDialog&)>;

    explicit WPageShortCuts(WWizardApp& app, QWidget* parent = nullptr);

    bool OnSetActive() override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    int CommitPage() override;

    void SetDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }

    QLineEdit* GroupEdit() const { return group_; }
    QListWidget* FileList() const { return files_; }
    QListWidget* ShortcutList() const { return shortcuts_; }
    QPushButton* AddButton() const { return addButton_; }
    QPushButton* RuntimeButton() const { return runtimeButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    QPushButton* PropertiesButton() const { return propertiesButton_; }
    static WSetupShortcut* ShortcutOf(const QListWidgetItem* row);
    static WSetupElement* FileOf(const QListWidgetItem* row);

  public slots:
    void OnAdd();
    void OnAddRuntime();
    void OnDelete();
    void OnProperties();

  private:
    QListWidgetItem* AppendShortcut(WSetupShortcut* shortcut);
    void FileSelected();
    void ShortcutSelected();
    void RefreshShortcutTexts();
    // The typed group when it passes the check, else the project's.
    std::string GroupForNew();

    DialogRunner runner_;
    QLineEdit* group_ = nullptr;
    QListWidget* files_ = nullptr;
    QListWidget* shortcuts_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* runtimeButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* propertiesButton_ = nullptr;
};

}  // namespace vantrel
