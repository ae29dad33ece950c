// The "Registry Settings" page: the registry entries that the setup writes,
// with their Uninstall boxes; Add, Modify and Delete through the key dialog,
// entries imported from a registry export file, and a button that starts
// the Windows registry editor where this machine can run it.
#pragma once

#include <functional>

#include "app/page.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

class WRegKeyDialog;
class WSetupRegEntry;

class WPageRegKeys : public WPage {
    Q_OBJECT

  public:
    // Runs the key dialog and answers its result (QDialog::Accepted or
    // Rejected); tests replace it to fill the dialog in.
    using DialogRunner = std::function<int(WRegKeyDialog&)>;

    explicit WPageRegKeys(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int CommitPage() override;

    void SetDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }

    QTreeWidget* List() const { return list_; }
    QPushButton* EditorButton() const { return editorButton_; }
    QPushButton* ImportButton() const { return importButton_; }
    QPushButton* AddButton() const { return addButton_; }
    QPushButton* ModifyButton() const { return modifyButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    // The entry a row stands for.
    static WSetupRegEntry* EntryOf(const QTreeWidgetItem* row);

  public slots:
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnImport();
    void OnEditor();

  private:
    void Fill(QTreeWidgetItem* row, WSetupRegEntry* entry);
    QTreeWidgetItem* AppendRow(WSetupRegEntry* entry);
    void UpdateButtons();
    void UpdateEditorButton();
    // Every row's box into its entry's Uninstall flag.
    void StoreUninstallBoxes();

    DialogRunner runner_;
    QTreeWidget* list_ = nullptr;
    QPushButton* editorButton_ = nullptr;
    QPushButton* importButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* modifyButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
};

}  // namespace vantrel
