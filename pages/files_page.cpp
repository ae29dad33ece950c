#include "pages/files_page.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "elements/setup_file.h"
#include "pages/file_prop_sheet.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/file_name_rules.h"
#include "project/folder_path_rules.h"
#include "project/project_data.h"
#include "project/target_tree.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1006;
constexpr int kPathRole = Qt::UserRole;        // source items: native path
constexpr int kFolderRole = Qt::UserRole + 1;  // source items: a folder
constexpr int kLoadedRole = Qt::UserRole + 2;  // source folders: children read
constexpr int kNodeRole = Qt::UserRole;        // target items: the node

const char* const kUriList = "text/uri-list";

// A frameless window with one line of text, shown while a long piece of work
// runs in the calling thread.
class WaitWindow {
  public:
    WaitWindow(QWidget* owner, const QString& text)
        : dialog_(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus) {
        dialog_.setObjectName(QStringLiteral("wait"));
        // It shows progress only: the focus stays where the user had it.
        dialog_.setAttribute(Qt::WA_ShowWithoutActivating);
        dialog_.setModal(false);
        auto* layout = new QVBoxLayout(&dialog_);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* frame = new QFrame(&dialog_);
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        auto* inner = new QVBoxLayout(frame);
        inner->setContentsMargins(20, 14, 20, 14);
        inner->addWidget(new QLabel(text, frame));
        layout->addWidget(frame);
        dialog_.adjustSize();
        if (QWidget* window = owner ? owner->window() : nullptr)
            dialog_.move(window->geometry().center() - dialog_.rect().center());
        dialog_.show();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~WaitWindow() {
        dialog_.hide();
        QApplication::restoreOverrideCursor();
    }
    WaitWindow(const WaitWindow&) = delete;
    WaitWindow& operator=(const WaitWindow&) = delete;

  private:
    QDialog dialog_;
};

// The tree's questions as boxes of the dialog service.
class DialogQuestions : public WTargetTreeQuestions {
  public:
    DialogQuestions(Dialogs& boxes, QWidget* owner) : boxes_(boxes), owner_(owner) {}
    Answer Ask(const WTargetTreeQuestion& question) override {
        const Dialogs::Answer answer = boxes_.Show(
            CoreText(question.text),
            question.withCancel ? Dialogs::Buttons::YesNoCancel : Dialogs::Buttons::YesNo,
            Dialogs::Icon::Exclamation, Dialogs::Answer::Yes, CoreText(question.caption), owner_);
        if (answer == Dialogs::Answer::Yes)
            return kYes;
        return answer == Dialogs::Answer::No ? kNo : kCancel;
    }

  private:
    Dialogs& boxes_;
    QWidget* owner_;
};

// The shown path of a target item from the texts of its ancestors, in lower
// case: what stays the same across a rebuild.
QString ItemKey(const QTreeWidgetItem* item) {
    QString key = item->text(0);
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent())
        key = p->text(0) + QLatin1Char('\\') + key;
    return key.toLower();
}

QString NodeKey(const WTargetNode* node) {
    return FromWin1252(node->ShownPath()).toLower();
}

// The source tree: its items are dragged out as local files.
class SourceView : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    QStringList mimeTypes() const override { return {QString::fromLatin1(kUriList)}; }
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override {
        QList<QUrl> urls;
        for (const QTreeWidgetItem* item : items)
            urls << QUrl::fromLocalFile(item->data(0, kPathRole).toString());
        auto* data = new QMimeData;
        data->setUrls(urls);
        return data;
    }
};

// The target tree: a node is dragged as its shown path, and every drop is
// handed to the page, which lets the target tree decide.
class TargetView : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

    // The drag of `item` begins; false when it may not be dragged.
    std::function<bool(QTreeWidgetItem* item)> dragging;
    std::function<void(std::shared_ptr<QMimeData> data, QString targetKey)> dropped;

  protected:
    QStringList mimeTypes() const override {
        return {QString::fromLatin1(WFilesPage::kNodeMimeType), QString::fromLatin1(kUriList)};
    }
    void startDrag(Qt::DropActions) override {
        QTreeWidgetItem* item = currentItem();
        if (!item || (dragging && !dragging(item)))
            return;
        auto* data = new QMimeData;
        data->setData(QString::fromLatin1(WFilesPage::kNodeMimeType), ItemKey(item).toUtf8());
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->setPixmap(item->icon(0).pixmap(16, 16));
        // The page moves the node and shows the tree again; what Qt would do
        // to the items after a move is left undone.
        drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    }
    static bool Takes(const QMimeData* data) {
        return data &&
               (data->hasFormat(QString::fromLatin1(WFilesPage::kNodeMimeType)) || data->hasUrls());
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        if (Takes(event->mimeData()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        QTreeWidget::dragMoveEvent(event);  // scrolling and opening folders on hover
        if (Takes(event->mimeData()))
            event->acceptProposedAction();
        else
            event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        const QMimeData* source = event->mimeData();
        if (!Takes(source)) {
            event->ignore();
            return;
        }
        // A copy of what was dropped, handled once the drag has ended so that
        // the messages of a refusal are not shown inside it.
        auto data = std::make_shared<QMimeData>();
        for (const QString& format : source->formats())
            data->setData(format, source->data(format));
        QTreeWidgetItem* item = itemAt(event->position().toPoint());
        const QString key = item ? ItemKey(item) : QString();
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (dropped)
            QTimer::singleShot(0, this, [this, data, key] { dropped(data, key); });
    }
};

}  // namespace

WFilesPage::WFilesPage(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Files for Distribution"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(tr("Select the files you want to distribute from the "
                               "source files folder to the destination folder."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Source Folder"), Body()), 0, 0);
    grid->addWidget(new QLabel(tr("Destination Folders"), Body()), 0, 2);

    auto* sourceRow = new QHBoxLayout;
    sourceEdit_ = new QLineEdit(Body());
    sourceEdit_->setObjectName(QStringLiteral("sourceFolder"));
    sourceEdit_->setAccessibleName(tr("Source folder"));
    sourceEdit_->setReadOnly(true);
    browseButton_ = new QPushButton(tr("Bro&wse..."), Body());
    browseButton_->setObjectName(QStringLiteral("browse"));
    sourceRow->addWidget(sourceEdit_, 1);
    sourceRow->addWidget(browseButton_);
    grid->addLayout(sourceRow, 1, 0);

    auto* sourceView = new SourceView(Body());
    sourceTree_ = sourceView;
    sourceTree_->setObjectName(QStringLiteral("sourceTree"));
    sourceTree_->setAccessibleName(tr("Source files"));
    sourceTree_->setHeaderHidden(true);
    sourceTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    sourceTree_->setDragEnabled(true);
    sourceTree_->setDragDropMode(QAbstractItemView::DragOnly);
    sourceTree_->setDefaultDropAction(Qt::CopyAction);
    grid->addWidget(sourceTree_, 2, 0);

    auto* middle = new QVBoxLayout;
    addButton_ = new QPushButton(QStringLiteral(">"), Body());
    addButton_->setObjectName(QStringLiteral("add"));
    addAllButton_ = new QPushButton(QStringLiteral(">>"), Body());
    addAllButton_->setObjectName(QStringLiteral("addAll"));
    addButton_->setAccessibleName(tr("Add the selected file or folder"));
    addAllButton_->setAccessibleName(tr("Add all files of the selected folder"));
    for (QPushButton* b : {addButton_, addAllButton_})
        b->setToolTip(b->accessibleName());
    for (QPushButton* b : {addButton_, addAllButton_})
        b->setFixedWidth(b->fontMetrics().horizontalAdvance(QStringLiteral(">>")) + 24);
    middle->addStretch(1);
    middle->addWidget(addButton_);
    middle->addWidget(addAllButton_);
    middle->addStretch(1);
    grid->addLayout(middle, 2, 1);

    auto* targetView = new TargetView(Body());
    targetTree_ = targetView;
    targetTree_->setObjectName(QStringLiteral("targetTree"));
    targetTree_->setAccessibleName(tr("Destination folders"));
    targetTree_->setHeaderHidden(true);
    targetTree_->setSelectionMode(QAbstractItemView::SingleSelection);
    targetTree_->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::SelectedClicked);
    targetTree_->setDragEnabled(true);
    targetTree_->setAcceptDrops(true);
    targetTree_->viewport()->setAcceptDrops(true);
    targetTree_->setDragDropMode(QAbstractItemView::DragDrop);
    targetTree_->setDropIndicatorShown(true);
    targetTree_->setAutoExpandDelay(700);
    targetTree_->setContextMenuPolicy(Qt::CustomContextMenu);
    grid->addWidget(targetTree_, 1, 2, 2, 1);

    auto* buttons = new QHBoxLayout;
    addFolderButton_ = new QPushButton(tr("A&dd Folder"), Body());
    addFolderButton_->setObjectName(QStringLiteral("addFolder"));
    removeButton_ = new QPushButton(tr("&Remove"), Body());
    removeButton_->setObjectName(QStringLiteral("remove"));
    removeFileButton_ = new QPushButton(tr("&Remove File"), Body());
    removeFileButton_->setObjectName(QStringLiteral("removeFile"));
    removeFileButton_->hide();
    removeAllButton_ = new QPushButton(tr("Remove &All Files"), Body());
    removeAllButton_->setObjectName(QStringLiteral("removeAllFiles"));
    propertiesButton_ = new QPushButton(tr("&Properties..."), Body());
    propertiesButton_->setObjectName(QStringLiteral("properties"));
    for (QPushButton* b :
         {addFolderButton_, removeButton_, removeFileButton_, removeAllButton_, propertiesButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addLayout(buttons, 3, 0, 1, 3);
    auto* note = new QLabel(tr("Empty folders are kept while the wizard runs; the "
                               "project file keeps only folders that hold files."),
                            Body());
    note->setObjectName(QStringLiteral("emptyFoldersNote"));
    note->setWordWrap(true);
    grid->addWidget(note, 4, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    layout->addLayout(grid, 1);

    connect(browseButton_, &QPushButton::clicked, this, &WFilesPage::OnBrowse);
    connect(addButton_, &QPushButton::clicked, this, &WFilesPage::OnAdd);
    connect(addAllButton_, &QPushButton::clicked, this, &WFilesPage::OnAddAll);
    connect(addFolderButton_, &QPushButton::clicked, this, &WFilesPage::OnAddFolder);
    connect(removeButton_, &QPushButton::clicked, this, &WFilesPage::OnRemove);
    connect(removeFileButton_, &QPushButton::clicked, this, &WFilesPage::OnRemoveFile);
    connect(removeAllButton_, &QPushButton::clicked, this, &WFilesPage::OnRemoveAllFiles);
    connect(propertiesButton_, &QPushButton::clicked, this, &WFilesPage::OnProperties);
    connect(sourceTree_, &QTreeWidget::itemExpanded, this, &WFilesPage::LoadSourceChildren);
    // The source tree follows what other programs make and remove in the
    // folders it has read.
    sourceWatcher_ = new QFileSystemWatcher(this);
    connect(sourceWatcher_, &QFileSystemWatcher::directoryChanged, this,
            &WFilesPage::OnSourceFolderChanged);
    // Keyboard: Delete removes, Enter opens a file's properties (a folder
    // opens or closes), F2 renames; a double click on a file opens its
    // properties too.
    targetTree_->installEventFilter(this);
    connect(targetTree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (const WTargetNode* node = NodeOf(item); node && !node->IsFolder())
            OnProperties();
    });
    connect(targetTree_, &QTreeWidget::itemChanged, this, &WFilesPage::OnItemChanged);
    connect(targetTree_, &QTreeWidget::itemExpanded, this, &WFilesPage::OnItemExpanded);
    connect(targetTree_, &QTreeWidget::itemCollapsed, this, &WFilesPage::OnItemCollapsed);
    connect(targetTree_, &QTreeWidget::customContextMenuRequested, this, &WFilesPage::OnTargetMenu);
    targetView->dragging = [this](QTreeWidgetItem* item) {
        const WTargetNode* node = NodeOf(item);
        if (node && node->IsRoot()) {
            ShowMessage(CoreText(WTargetTree::kMoveRoot));
            return false;
        }
        return node != nullptr;
    };
    targetView->dropped = [this](std::shared_ptr<QMimeData> data, QString key) {
        const WTargetNode* node =
            tree_ && !key.isEmpty() ? tree_->Find(ToWin1252Lossy(key)) : nullptr;
        Drop(data.get(), ItemOf(node));
    };
}

WFilesPage::~WFilesPage() {
    // The items point into the tree.
    targetTree_->clear();
    items_.clear();
}

bool WFilesPage::OnSetActive() {
    if (!WPage::OnSetActive())
        return false;
    WProjectData* project = Project();
    if (!project)
        return true;
    filling_ = true;
    targetTree_->clear();
    items_.clear();
    filling_ = false;
    open_.clear();
    cut_.clear();
    // The tree of the last visit goes first: never two at once.
    tree_.reset();
    tree_ = std::make_unique<WTargetTree>(*project);
    ShowTree();
    for (const auto& root : tree_->Roots()) {
        if (!root->Children().empty())
            ItemOf(root.get())->setExpanded(true);
    }

    // The project's source folder; without one, the folder shown so far
    // while the project will take it.
    std::string folder = project->DefaultFolder;
    if (folder.empty())
        folder = sourceFolder_;
    if (folder.empty() || !IsFolder(folder) || !tree_->SetSourceFolder(folder).Ok()) {
        sourceFolder_.clear();
        sourceTree_->clear();
        sourceEdit_->setText(NativePath(project->DefaultFolder));
    } else if (folder != sourceFolder_ || sourceTree_->topLevelItemCount() == 0) {
        ShowSourceFolder(folder);
    }
    return true;
}

bool WFilesPage::OnKillActive() {
    if (!WPage::OnKillActive())
        return false;
    if (tree_ && Project())
        Project()->EmptyTargetFolders = tree_->EmptyFolders();
    return true;
}

bool WFilesPage::eventFilter(QObject* watched, QEvent* event) {
    // Keys that a name's editor passed on (the Enter that ends the editing)
    // are the editor's.
    if (watched != targetTree_ || event->type() != QEvent::KeyPress ||
        targetTree_->indexWidget(targetTree_->currentIndex()))
        return WPage::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return WPage::eventFilter(watched, event);
    const WTargetNode* node = SelectedNode();
    switch (key->key()) {
        case Qt::Key_Delete:
            if (node && !node->IsRoot())
                OnRemove();
            return true;
        case Qt::Key_F2:
            OnRename();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (node && !node->IsFolder()) {
                OnProperties();
                return true;
            }
            if (QTreeWidgetItem* item = targetTree_->currentItem()) {
                item->setExpanded(!item->isExpanded());
                return true;
            }
            break;
        default:
            break;
    }
    return WPage::eventFilter(watched, event);
}

// --- The source tree

bool WFilesPage::ShowSourceFolder(const std::string& folder) {
    if (!IsFolder(folder)) {
        ShowMessage(tr("The chosen directory does not exist."));
        return false;
    }
    if (!tree_ && Project())
        tree_ = std::make_unique<WTargetTree>(*Project());
    if (tree_ && !Report(tree_->SetSourceFolder(folder)))
        return false;
    WaitWindow wait(this, tr("Please wait while the source folder is read"));
    sourceFolder_ = StripTrailingSeparators(folder);
    sourceEdit_->setText(NativePath(sourceFolder_));
    sourceTree_->clear();
    if (const QStringList watched = sourceWatcher_->directories(); !watched.isEmpty())
        sourceWatcher_->removePaths(watched);
    const QString native = NativePath(sourceFolder_);
    auto* root = new QTreeWidgetItem(sourceTree_);
    const QString name = QFileInfo(native).fileName();
    root->setText(0, name.isEmpty() ? native : name);
    root->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
    root->setData(0, kPathRole, native);
    root->setData(0, kFolderRole, true);
    root->setToolTip(0, native);
    LoadSourceChildren(root);
    root->setExpanded(true);
    sourceTree_->setCurrentItem(root);
    return true;
}

void WFilesPage::LoadSourceChildren(QTreeWidgetItem* item) {
    if (!item->data(0, kFolderRole).toBool() || item->data(0, kLoadedRole).toBool())
        return;
    item->setData(0, kLoadedRole, true);
    ListSourceChildren(item);
    sourceWatcher_->addPath(item->data(0, kPathRole).toString());
}

void WFilesPage::ListSourceChildren(QTreeWidgetItem* item) {
    const QDir dir(item->data(0, kPathRole).toString());
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                          QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
    // Children that are gone (or changed between file and folder) go; the
    // others stay as they are, open folders open, and new ones are put in
    // their places of the sorted list.
    QHash<QString, bool> present;
    for (const QFileInfo& info : entries)
        present.insert(info.fileName(), info.isDir());
    for (int i = item->childCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* child = item->child(i);
        const auto found = present.constFind(child->text(0));
        if (found == present.constEnd() || *found != child->data(0, kFolderRole).toBool())
            ForgetSourceItem(child);
    }
    // New ones go in by runs, each in one step: a folder of many files read
    // for the first time is one run.
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    QList<QTreeWidgetItem*> run;
    int at = 0;  // the next child that stays, among the children in place
    for (const QFileInfo& info : entries) {
        if (at < item->childCount() && item->child(at)->text(0) == info.fileName()) {
            item->insertChildren(at, run);
            at += static_cast<int>(run.size()) + 1;
            run.clear();
            continue;
        }
        auto* child = new QTreeWidgetItem;
        const bool folder = info.isDir();
        child->setText(0, info.fileName());
        child->setIcon(0, folder ? folderIcon : fileIcon);
        child->setData(0, kPathRole, info.filePath());
        child->setData(0, kFolderRole, folder);
        if (folder)
            child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        run << child;
    }
    item->insertChildren(at, run);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void WFilesPage::ForgetSourceItem(QTreeWidgetItem* item) {
    QStringList watched;
    for (QTreeWidgetItemIterator it(item); *it && (*it == item || IsBelow(*it, item)); ++it) {
        if ((*it)->data(0, kLoadedRole).toBool())
            watched << (*it)->data(0, kPathRole).toString();
    }
    if (!watched.isEmpty())
        sourceWatcher_->removePaths(watched);
    delete item;
}

bool WFilesPage::IsBelow(const QTreeWidgetItem* item, const QTreeWidgetItem* ancestor) {
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) {
        if (p == ancestor)
            return true;
    }
    return false;
}

void WFilesPage::OnSourceFolderChanged(const QString& path) {
    for (QTreeWidgetItemIterator it(sourceTree_); *it; ++it) {
        if ((*it)->data(0, kLoadedRole).toBool() && (*it)->data(0, kPathRole).toString() == path) {
            if (QFileInfo(path).isDir())
                ListSourceChildren(*it);
            else if ((*it)->parent())
                ListSourceChildren((*it)->parent());
            return;
        }
    }
}

QTreeWidgetItem* WFilesPage::SourceItemOf(const std::string& path) {
    QTreeWidgetItem* item = sourceTree_->topLevelItem(0);
    if (!item || !IsPathBelow(path, sourceFolder_))
        return nullptr;
    const QString rest = NativePath(path).mid(NativePath(sourceFolder_).size());
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        LoadSourceChildren(item);
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == part)
                next = item->child(i);
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

// --- The target tree

QTreeWidgetItem* WFilesPage::ItemOf(const WTargetNode* node) {
    if (!node)
        return nullptr;
    if (QTreeWidgetItem* item = items_.value(node, nullptr))
        return item;
    QTreeWidgetItem* parent = node->IsRoot() ? nullptr : ItemOf(node->Parent());
    if (!parent)
        return nullptr;
    MakeChildItems(parent);
    return items_.value(node, nullptr);
}

WTargetNode* WFilesPage::NodeOf(const QTreeWidgetItem* item) const {
    if (!item)
        return nullptr;
    auto* node = reinterpret_cast<WTargetNode*>(item->data(0, kNodeRole).value<quintptr>());
    return items_.value(node, nullptr) == item ? node : nullptr;
}

WTargetNode* WFilesPage::SelectedNode() const {
    return NodeOf(targetTree_->currentItem());
}

void WFilesPage::ShowTree(const WTargetNode* select, const WTargetNode* expand) {
    if (expand)
        open_.insert(NodeKey(expand));
    const bool wasFilling = std::exchange(filling_, true);
    targetTree_->clear();
    items_.clear();
    if (tree_) {
        // Folders that are gone, or no longer folders, are forgotten.
        for (auto it = open_.begin(); it != open_.end();) {
            const WTargetNode* node = tree_->Find(ToWin1252Lossy(*it));
            it = node && node->IsFolder() ? std::next(it) : open_.erase(it);
        }
        folderIcon_ = style()->standardIcon(QStyle::SP_DirIcon);
        fileIcon_ = style()->standardIcon(QStyle::SP_FileIcon);
        MakeItems(tree_->Roots(), nullptr);
    }
    if (QTreeWidgetItem* item = ItemOf(select)) {
        targetTree_->setCurrentItem(item);
        targetTree_->scrollToItem(item);
    }
    filling_ = wasFilling;
}

QTreeWidgetItem* WFilesPage::MakeItem(const WTargetNode* node) {
    auto* item = new QTreeWidgetItem;
    item->setText(0, FromWin1252(node->Name()));
    item->setIcon(0, node->IsFolder() ? folderIcon_ : fileIcon_);
    item->setData(0, kNodeRole, QVariant::fromValue(reinterpret_cast<quintptr>(node)));
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (node->IsFolder())
        flags |= Qt::ItemIsDropEnabled;
    if (!node->IsRoot())
        flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    // The children's items are made when the folder is first opened, or when
    // one of them is asked for.
    if (!node->Children().empty())
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    items_.insert(node, item);
    return item;
}

void WFilesPage::MakeItems(const std::vector<std::unique_ptr<WTargetNode>>& nodes,
                           QTreeWidgetItem* parent) {
    const bool wasFilling = std::exchange(filling_, true);
    QList<QTreeWidgetItem*> made;
    made.reserve(static_cast<qsizetype>(nodes.size()));
    for (const auto& node : nodes)
        made << MakeItem(node.get());
    // Put in all at once: the view takes them in one step.
    if (parent) {
        parent->addChildren(made);
        parent->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    } else {
        targetTree_->addTopLevelItems(made);
    }
    // Folders open before open again; a folder without children shows
    // closed.
    if (!open_.isEmpty()) {
        for (qsizetype i = 0; i < made.size(); ++i) {
            if (!nodes[static_cast<size_t>(i)]->Children().empty() &&
                open_.contains(ItemKey(made[i])))
                made[i]->setExpanded(true);
        }
    }
    filling_ = wasFilling;
}

void WFilesPage::MakeChildItems(QTreeWidgetItem* item) {
    const WTargetNode* node = NodeOf(item);
    if (node && item->childCount() == 0 && !node->Children().empty())
        MakeItems(node->Children(), item);
}

void WFilesPage::OnItemExpanded(QTreeWidgetItem* item) {
    const WTargetNode* node = NodeOf(item);
    if (!node || node->Children().empty())
        return;  // "*" opens files too
    MakeChildItems(item);
    open_.insert(ItemKey(item));
}

void WFilesPage::OnItemCollapsed(QTreeWidgetItem* item) {
    open_.remove(ItemKey(item));
}

bool WFilesPage::Report(const WTargetTreeResult& result) {
    if (!result.message.empty())
        ShowMessage(CoreText(result.message));
    return result.Ok();
}

void WFilesPage::ShowMessage(const QString& text) {
    Boxes().Message(text, Dialogs::Icon::Exclamation, QString(), this);
}

// --- Commands

void WFilesPage::OnBrowse() {
    Dialogs::FolderRequest request;
    request.caption = tr("Please select a directory");
    if (!sourceFolder_.empty() && IsFolder(sourceFolder_))
        request.startFolder = NativePath(sourceFolder_);
    request.options = kSourceFolderOptions;
    request.acceptReadOnly = true;
    QString chosen;
    std::string folder;
    if (!Boxes().ChooseFolder(request, chosen, this) || !TakeChosenPath(chosen, folder))
        return;
    ShowSourceFolder(folder);
}

void WFilesPage::OnAdd() {
    if (!tree_)
        return;
    WTargetNode* target = SelectedNode();
    if (!target || !target->IsFolder()) {
        ShowMessage(CoreText(WTargetTree::kSelectTargetFolder));
        return;
    }
    const QTreeWidgetItem* item = sourceTree_->currentItem();
    if (!item)
        return;
    std::string source;
    if (!TakeChosenPath(item->data(0, kPathRole).toString(), source))
        return;
    DialogQuestions questions(Boxes(), this);
    WTargetTreeResult result;
    {
        std::optional<WaitWindow> wait;
        if (item->data(0, kFolderRole).toBool())
            wait.emplace(this, tr("Please wait while transferring data"));
        result = tree_->Add(target, {source}, questions);
    }
    if (!Report(result))
        return;
    SetModified();
    ShowTree(target, target);
}

void WFilesPage::OnAddAll() {
    if (!tree_)
        return;
    const QTreeWidgetItem* item = sourceTree_->currentItem();
    std::string folder;
    if (item && item->data(0, kFolderRole).toBool() &&
        !TakeChosenPath(item->data(0, kPathRole).toString(), folder))
        return;
    WTargetNode* target = SelectedNode();
    DialogQuestions questions(Boxes(), this);
    const WTargetTreeResult result = tree_->AddFilesOf(target, folder, questions);
    if (!Report(result) || result.added == 0)
        return;
    SetModified();
    ShowTree(target, target);
}

void WFilesPage::OnAddFolder() {
    if (!tree_)
        return;
    WTargetNode* parent = SelectedNode();
    const WTargetTreeResult result = tree_->NewFolder(parent);
    if (!Report(result))
        return;
    SetModified();
    ShowTree(result.node, parent);
    if (QTreeWidgetItem* item = ItemOf(result.node))
        targetTree_->editItem(item);
}

void WFilesPage::OnRemove() {
    WTargetNode* node = SelectedNode();
    if (node && !node->IsFolder()) {
        OnRemoveFile();
        return;
    }
    if (!tree_)
        return;
    WTargetNode* parent = node ? node->Parent() : nullptr;
    DialogQuestions questions(Boxes(), this);
    if (!Report(tree_->RemoveFolder(node, questions)))
        return;
    SetModified();
    ShowTree(parent);
}

void WFilesPage::OnRemoveFile() {
    if (!tree_)
        return;
    WTargetNode* node = SelectedNode();
    WTargetNode* parent = node ? node->Parent() : nullptr;
    DialogQuestions questions(Boxes(), this);
    if (!Report(tree_->RemoveFile(node, questions)))
        return;
    SetModified();
    ShowTree(parent);
}

void WFilesPage::OnRemoveAllFiles() {
    if (!tree_)
        return;
    WTargetNode* folder = SelectedNode();
    DialogQuestions questions(Boxes(), this);
    if (!Report(tree_->RemoveAllFiles(folder, questions)))
        return;
    SetModified();
    ShowTree(folder);
}

void WFilesPage::OnProperties() {
    if (!tree_)
        return;
    WTargetNode* node = SelectedNode();
    WSetupFile* file =
        node && !node->IsFolder() ? dynamic_cast<WSetupFile*>(node->Element()) : nullptr;
    // A new destination moves the file through the tree, which hands back
    // the element that stands for it there.
    WSetupElement* placed = file;
    const WRelocateFile relocate = [&placed, move = tree_->Relocator()](
                                       WSetupFile* moved, const std::string& targetDir,
                                       const std::string& targetName, std::string& error) {
        WSetupFile* there = move(moved, targetDir, targetName, error);
        if (there)
            placed = there;
        return there;
    };
    const bool stored = EditFileProperties(App(), file, relocate, this);
    if (!file)
        return;
    // Register Font may have put a font element in the file's place, or
    // taken it back.
    if (file != placed)
        tree_->ReplaceElement(placed, file);
    if (stored)
        SetModified();
    ShowTree(tree_->NodeOf(file));
}

void WFilesPage::OnRename() {
    QTreeWidgetItem* item = targetTree_->currentItem();
    const WTargetNode* node = NodeOf(item);
    if (!node)
        return;
    if (node->IsRoot()) {
        ShowMessage(CoreText(WTargetTree::kRenameRoot));
        return;
    }
    targetTree_->editItem(item);
}

void WFilesPage::OnItemChanged(QTreeWidgetItem* item) {
    if (filling_ || !tree_)
        return;
    WTargetNode* node = NodeOf(item);
    if (!node)
        return;
    const QString typed = item->text(0);
    std::string name;
    QString refusal;
    if (!ToWin1252(typed, name)) {
        refusal = UnstorableMessage(tr("The name"), UnstorableCharacters(typed));
    } else if (name != node->Name()) {
        const QString before = NodeKey(node);
        const WTargetTreeResult result = tree_->Rename(node, name);
        if (result.Ok()) {
            // Open folders at and below it stay open under the new name.
            const QString after = NodeKey(node);
            const QSet<QString> open = std::exchange(open_, {});
            for (const QString& key : open) {
                const bool below = key.startsWith(before + QLatin1Char('\\'));
                open_.insert(key == before || below ? after + key.mid(before.size()) : key);
            }
            SetModified();
            return;
        }
        refusal = CoreText(result.message);
    } else {
        return;
    }
    // The editor is still closing: the name goes back and the message is
    // shown once it has.
    filling_ = true;
    item->setText(0, FromWin1252(node->Name()));
    filling_ = false;
    QTimer::singleShot(0, this, [this, refusal] { ShowMessage(refusal); });
}

void WFilesPage::OnCut() {
    if (const WTargetNode* node = SelectedNode(); node && !node->IsRoot())
        cut_ = FromWin1252(node->ShownPath());
}

void WFilesPage::OnPaste() {
    if (!tree_ || cut_.isEmpty())
        return;
    WTargetNode* node = tree_->Find(ToWin1252Lossy(cut_));
    if (!node) {
        cut_.clear();
        return;
    }
    MoveNode(node, SelectedNode());
}

bool WFilesPage::MoveNode(WTargetNode* node, WTargetNode* target) {
    const bool inPlace = node->Parent() == target;
    DialogQuestions questions(Boxes(), this);
    const WTargetTreeResult result = tree_->Move(node, target, questions);
    if (!Report(result) || inPlace)
        return false;
    cut_.clear();
    SetModified();
    ShowTree(result.node, target);
    return true;
}

QMenu* WFilesPage::ContextMenu(QTreeWidgetItem* item) {
    const WTargetNode* node = NodeOf(item);
    const bool folder = node && node->IsFolder();
    const bool inner = node && !node->IsRoot();
    bool hasFiles = false;
    if (folder) {
        for (const auto& child : node->Children())
            hasFiles = hasFiles || !child->IsFolder();
    }
    auto* menu = new QMenu(this);
    auto add = [&](const QString& text, bool enabled, void (WFilesPage::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setEnabled(enabled);
    };
    add(tr("Add &Folder"), folder, &WFilesPage::OnAddFolder);
    add(tr("&Remove"), inner, &WFilesPage::OnRemove);
    add(tr("Re&name"), inner, &WFilesPage::OnRename);
    add(tr("&Properties"), node && !folder, &WFilesPage::OnProperties);
    menu->addSeparator();
    add(tr("&Cut"), inner, &WFilesPage::OnCut);
    add(tr("&Paste"), folder && !cut_.isEmpty(), &WFilesPage::OnPaste);
    menu->addSeparator();
    add(tr("Remove &All Files"), hasFiles, &WFilesPage::OnRemoveAllFiles);
    return menu;
}

void WFilesPage::OnTargetMenu(const QPoint& at) {
    QTreeWidgetItem* item = targetTree_->itemAt(at);
    if (item)
        targetTree_->setCurrentItem(item);
    std::unique_ptr<QMenu> menu(ContextMenu(item));
    menu->exec(targetTree_->viewport()->mapToGlobal(at));
}

bool WFilesPage::Drop(const QMimeData* data, QTreeWidgetItem* item) {
    if (!tree_ || !data)
        return false;
    WTargetNode* target = NodeOf(item);
    const QString nodeFormat = QString::fromLatin1(kNodeMimeType);
    if (data->hasFormat(nodeFormat)) {
        std::string path;
        WTargetNode* node = nullptr;
        if (ToWin1252(QString::fromUtf8(data->data(nodeFormat)), path))
            node = tree_->Find(path);
        return node && MoveNode(node, target);
    }

    // Files and folders from the desktop's file manager.
    std::vector<std::string> sources;
    bool folders = false;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        std::string path;
        if (!TakeChosenPath(QDir::cleanPath(url.toLocalFile()), path))
            return false;
        folders = folders || IsFolder(path);
        sources.push_back(std::move(path));
    }
    if (sources.empty())
        return false;
    DialogQuestions questions(Boxes(), this);
    WTargetTreeResult result;
    {
        std::optional<WaitWindow> wait;
        if (folders && target && target->IsFolder())
            wait.emplace(this, tr("Please wait while transferring data"));
        result = tree_->Add(target, sources, questions);
    }
    if (!Report(result))
        return false;
    SetModified();
    ShowTree(target, target);
    return true;
}

}  // namespace vantrel
