// The folder browser: a caption, an edit box with the path, the tree of this
// machine's folders ("/" and everything below it; hidden folders are not
// shown), and OK and Cancel. The typed path is checked by the rules of
// project/folder_path_rules.h: OK is enabled only while the path is one the
// caller takes (or a missing folder, which OK offers to create). The tree's
// commands make, rename and delete folders. The tree follows folders made,
// renamed or removed by other programs while the dialog is open.
//
// Messages: a forbidden character is refused as soon as it is typed; every
// other refusal is shown when the user presses OK or Enter. Paths put into the
// edit box by the program (the start path, a folder clicked in the tree) are
// checked quietly. A refused path is replaced by the last accepted one.
// Every box and question goes through the Dialogs service.
#pragma once

#include <QDialog>
#include <QString>

#include "app/dialogs.h"

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTreeView;

namespace vantrel {

class WFolderBrowser : public QDialog {
    Q_OBJECT

  public:
    WFolderBrowser(Dialogs& dialogs, QWidget* parent = nullptr);

    // Caption text, start folder and options, before the dialog is shown.
    void Setup(const Dialogs::FolderRequest& request);
    // The chosen folder (native form, no trailing separator) after OK.
    QString Path() const { return path_; }

    QLabel* CaptionLabel() const { return caption_; }
    // Why the last refused typed characters were not taken (it stays, so
    // that keys typed on are no reason to miss it); hidden until one is.
    QLabel* TypingNote() const { return note_; }
    QLineEdit* PathEdit() const { return edit_; }
    QTreeView* Tree() const { return tree_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* NewFolderButton() const { return newButton_; }
    QPushButton* RenameButton() const { return renameButton_; }
    QPushButton* DeleteButton() const { return deleteButton_; }
    // The tree's item for `path` (created on demand), or an invalid index.
    QModelIndex IndexOf(const QString& path) const;
    // The folder selected in the tree (empty when none).
    QString SelectedFolder() const;

  public slots:
    void OnOk();
    void OnNewFolder();
    void OnRename();
    void OnDelete();
    // Renames the tree item `folder` to `name` (what the label edit does);
    // false when refused (the message was shown).
    bool RenameTo(const QString& folder, const QString& name);

  private:
    void OnTextEdited(const QString& text);
    void OnTreeSelection(const QModelIndex& index);
    void OnContextMenu(const QPoint& at);
    // Checks the edit box's path without asking; sets OK and the tree.
    void Revalidate();
    // Shows a refusal, when the user's act caused it, and puts the last
    // accepted path back.
    void Refuse(const QString& message);
    // Drops the characters of `refused` (and control characters) from the
    // typed `text`, keeps the rest and the caret, and says why beside the
    // edit box, without a box that would take the next keys.
    void RefuseTyped(const QString& text, const QString& refused, const QString& message);
    void SelectInTree(const QString& path);
    void UpdateCommands();
    // "/" and the folders directly below it, and the home folder, are never
    // renamed or deleted here.
    bool IsProtected(const QString& folder) const;
    Dialogs::Answer Ask(const QString& text, const QString& caption);
    void ShowError(const QString& text, const QString& caption);

    Dialogs& dialogs_;
    Dialogs::FolderRequest request_;
    QString path_;
    QString lastAccepted_;
    bool userTyped_ = false;
    bool settingText_ = false;

    QFileSystemModel* model_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* note_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QTreeView* tree_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* homeButton_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* renameButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;

    friend class FolderTreeModel;
};

}  // namespace vantrel
