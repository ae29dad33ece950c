// The "Files for Distribution" page: the source folder of the developer's
// machine at the left, the target folders of the installation at the right,
// and the commands that put files from one into the other. The target tree
// is a view over WTargetTree, which holds every rule and every message; the
// page shows the results, asks the tree's questions through the dialog
// service and marks the project modified after each change.
#pragma once

#include <QHash>
#include <QIcon>
#include <QSet>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/page.h"

class QFileSystemWatcher;
class QMenu;
class QMimeData;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vantrel {

class WTargetNode;
class WTargetTree;
struct WTargetTreeResult;

class WFilesPage : public WPage {
    Q_OBJECT

  public:
    // The format of a node dragged inside the target tree: its shown path.
    static constexpr const char* kNodeMimeType = "application/x-vantrel-target-node";

    explicit WFilesPage(WWizardApp& app, QWidget* parent = nullptr);
    ~WFilesPage() override;

    // Builds the target tree again from the project and shows the project's
    // source folder.
    bool OnSetActive() override;
    // Keeps the target tree's empty folders in the project.
    bool OnKillActive() override;

    QLineEdit* SourceEdit() const { return sourceEdit_; }
    QPushButton* BrowseButton() const { return browseButton_; }
    QTreeWidget* SourceTree() const { return sourceTree_; }
    QTreeWidget* TargetTree() const { return targetTree_; }
    QPushButton* AddButton() const { return addButton_; }
    QPushButton* AddAllButton() const { return addAllButton_; }
    QPushButton* AddFolderButton() const { return addFolderButton_; }
    QPushButton* RemoveButton() const { return removeButton_; }
    QPushButton* RemoveFileButton() const { return removeFileButton_; }
    QPushButton* RemoveAllButton() const { return removeAllButton_; }
    QPushButton* PropertiesButton() const { return propertiesButton_; }
    WTargetTree* Tree() const { return tree_.get(); }

    // The item of a target node (made, with its brothers, when its folder
    // has not been opened yet; null for no node) and back.
    QTreeWidgetItem* ItemOf(const WTargetNode* node);
    WTargetNode* NodeOf(const QTreeWidgetItem* item) const;
    // The source tree's item of an engine path, loading folders on the way;
    // null when it is not below the source folder.
    QTreeWidgetItem* SourceItemOf(const std::string& path);

    // Shows `folder` (engine path) in the source tree when it exists and the
    // project takes it; false after the message that says why not.
    bool ShowSourceFolder(const std::string& folder);

    // The target tree's context menu for `item` (null: empty space); the
    // caller owns it.
    QMenu* ContextMenu(QTreeWidgetItem* item);

    // Something dropped on `item` of the target tree (null: empty space): a
    // node of the tree itself is moved, local files and folders are added.
    // False when nothing changed.
    bool Drop(const QMimeData* data, QTreeWidgetItem* item);

  public slots:
    void OnBrowse();
    void OnAdd();
    void OnAddAll();
    void OnAddFolder();
    void OnRemove();
    void OnRemoveFile();
    void OnRemoveAllFiles();
    void OnProperties();
    void OnRename();
    void OnCut();
    void OnPaste();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    WTargetNode* SelectedNode() const;
    void LoadSourceChildren(QTreeWidgetItem* item);
    // Brings the children of a read source folder up to date with the disk.
    void ListSourceChildren(QTreeWidgetItem* item);
    void ForgetSourceItem(QTreeWidgetItem* item);
    static bool IsBelow(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor);
    void OnSourceFolderChanged(const QString& path);
    // Shows the outcome of an operation; true when it changed the tree.
    bool Report(const WTargetTreeResult& result);
    // Rebuilds the target view from the tree, keeping open folders open,
    // opening `expand` and selecting `select`. Only the items of the roots
    // and of open folders are made; a folder's items are made when it opens.
    void ShowTree(const WTargetNode* select = nullptr, const WTargetNode* expand = nullptr);
    QTreeWidgetItem* MakeItem(const WTargetNode* node);
    // The items of `nodes` below `parent` (null: the roots), opening those
    // that were open.
    void MakeItems(const std::vector<std::unique_ptr<WTargetNode>>& nodes, QTreeWidgetItem* parent);
    void MakeChildItems(QTreeWidgetItem* item);
    void OnItemExpanded(QTreeWidgetItem* item);
    void OnItemCollapsed(QTreeWidgetItem* item);
    void ShowMessage(const QString& text);
    void OnItemChanged(QTreeWidgetItem* item);
    void OnTargetMenu(const QPoint& at);
    bool MoveNode(WTargetNode* node, WTargetNode* target);

    std::unique_ptr<WTargetTree> tree_;
    std::string sourceFolder_;
    // The node cut for Paste, by its shown path.
    QString cut_;
    QHash<const WTargetNode*, QTreeWidgetItem*> items_;
    // The shown paths (lower case) of the folders open in the target view,
    // also of those whose items are not made yet.
    QSet<QString> open_;
    QIcon folderIcon_;
    QIcon fileIcon_;
    bool filling_ = false;
    QFileSystemWatcher* sourceWatcher_ = nullptr;

    QLineEdit* sourceEdit_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QTreeWidget* sourceTree_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* addAllButton_ = nullptr;
    QTreeWidget* targetTree_ = nullptr;
    QPushButton* addFolderButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* removeFileButton_ = nullptr;
    QPushButton* removeAllButton_ = nullptr;
    QPushButton* propertiesButton_ = nullptr;
};

}  // namespace vantrel
