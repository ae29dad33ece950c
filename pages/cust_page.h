// The "Text File Customization" page: the project's installed files on the
// left, and the two lists of changes the setup makes to them: INI entries
// and text replacements. ">" adds an entry for the chosen file through its
// dialog, "<" removes the chosen entry and "Modify" opens it again.
#pragma once

#include <functional>

#include "app/page.h"

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

class WIniEntryDialog;
class WSetupCustFile;
class WSetupElement;
class WSetupProfileString;
class WTextReplacementDialog;

class WCustPage : public WPage {
    Q_OBJECT

  public:
    // Run a dialog and answer its result (QDialog::Accepted or Rejected);
    // tests replace them to fill the dialogs in.
    using IniDialogRunner = std::function<int(WIniEntryDialog&)>;
    using TextDialogRunner = std::function<int(WTextReplacementDialog&)>;

    explicit WCustPage(WWizardApp& app, QWidget* parent = nullptr);

    bool OnSetActive() override;

    void SetIniDialogRunner(IniDialogRunner runner) { iniRunner_ = std::move(runner); }
    void SetTextDialogRunner(TextDialogRunner runner) { textRunner_ = std::move(runner); }

    QTreeWidget* FileList() const { return files_; }
    QTreeWidget* IniList() const { return ini_; }
    QTreeWidget* TextList() const { return text_; }
    QPushButton* AddIniButton() const { return addIni_; }
    QPushButton* RemoveIniButton() const { return removeIni_; }
    QPushButton* ModifyIniButton() const { return modifyIni_; }
    QPushButton* AddTextButton() const { return addText_; }
    QPushButton* RemoveTextButton() const { return removeText_; }
    QPushButton* ModifyTextButton() const { return modifyText_; }
    // The element a row of any of the three lists stands for.
    static WSetupElement* ElementOf(const QTreeWidgetItem* row);

  public slots:
    void OnAddIni();
    void OnRemoveIni();
    void OnModifyIni();
    void OnAddText();
    void OnRemoveText();
    void OnModifyText();

  private:
    // The selected file of the install files list; null after the message.
    WSetupElement* ChosenFile();
    // The selected row of `list`; null after `message`.
    QTreeWidgetItem* ChosenRow(QTreeWidget* list, const char* message);
    void Remove(QTreeWidget* list, const char* message);
    void FillIni(QTreeWidgetItem* row, WSetupProfileString* entry);
    void FillText(QTreeWidgetItem* row, WSetupCustFile* entry);
    // Shows the duplicate message when `error` is set; true when added.
    bool Added(const std::string& error);

    IniDialogRunner iniRunner_;
    TextDialogRunner textRunner_;
    QTreeWidget* files_ = nullptr;
    QTreeWidget* ini_ = nullptr;
    QTreeWidget* text_ = nullptr;
    QPushButton* addIni_ = nullptr;
    QPushButton* removeIni_ = nullptr;
    QPushButton* modifyIni_ = nullptr;
    QPushButton* addText_ = nullptr;
    QPushButton* removeText_ = nullptr;
    QPushButton* modifyText_ = nullptr;
};

}  // namespace vantrel
