#include "app/folder_browser.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/qt_text.h"
#include "project/folder_path_rules.h"

namespace vantrel {

// The machine's folders, with the label edit of an item renaming its folder
// through the browser's rules (the model's own rename would skip them).
class FolderTreeModel : public QFileSystemModel {
  public:
    FolderTreeModel(WFolderBrowser& browser) : QFileSystemModel(&browser), browser_(browser) {}

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QFileSystemModel::flags(index);
        if (index.isValid() && index.column() == 0 && !browser_.IsProtected(filePath(index)))
            f |= Qt::ItemIsEditable;
        return f;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (role != Qt::EditRole || !index.isValid() || index.column() != 0)
            return false;
        return browser_.RenameTo(filePath(index), value.toString());
    }

  private:
    WFolderBrowser& browser_;
};

namespace {

// The create question as a box of the dialog service.
class BoxQuestion : public WFolderQuestion {
  public:
    BoxQuestion(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}
    bool CreateMissingFolder(const std::string& question) override {
        return dialogs_.Show(CoreText(question), Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                             Dialogs::Answer::No, CoreText(kCreateConfirmCaption),
                             owner_) == Dialogs::Answer::Yes;
    }

  private:
    Dialogs& dialogs_;
    QWidget* owner_;
};

WFolderChoice ChoiceOf(const Dialogs::FolderRequest& request) {
    return {request.options, request.acceptReadOnly};
}

QString Caption(const char* caption) {
    return CoreText(caption);
}

}  // namespace

WFolderBrowser::WFolderBrowser(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(Dialogs::ProgramTitle());

    caption_ = new QLabel(this);
    caption_->setWordWrap(true);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("path"));
    edit_->setAccessibleName(tr("Folder"));
    homeButton_ = new QPushButton(tr("&Home"), this);
    homeButton_->setToolTip(tr("Your home folder"));

    model_ = new FolderTreeModel(*this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);  // no drops; renaming goes through RenameTo
    model_->setRootPath(QStringLiteral("/"));

    tree_ = new QTreeView(this);
    tree_->setAccessibleName(tr("Folders"));
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c)
        tree_->hideColumn(c);
    tree_->header()->hide();
    tree_->setSortingEnabled(true);
    tree_->sortByColumn(0, Qt::AscendingOrder);
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    tree_->setMinimumSize(360, 280);

    newButton_ = new QPushButton(tr("&New Folder"), this);
    renameButton_ = new QPushButton(tr("Re&name"), this);
    deleteButton_ = new QPushButton(tr("&Delete"), this);

    // Enter in the edit box is OK, handled here, so no button is the default.
    ok_ = new QPushButton(tr("OK"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    for (QPushButton* b : {homeButton_, newButton_, renameButton_, deleteButton_, ok_, cancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(edit_, 1);
    pathRow->addWidget(homeButton_);
    auto* commands = new QHBoxLayout;
    commands->addWidget(newButton_);
    commands->addWidget(renameButton_);
    commands->addWidget(deleteButton_);
    commands->addStretch(1);
    commands->addWidget(ok_);
    commands->addWidget(cancel_);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("typingNote"));
    note_->setWordWrap(true);
    note_->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addLayout(pathRow);
    layout->addWidget(note_);
    layout->addWidget(tree_, 1);
    layout->addLayout(commands);

    connect(edit_, &QLineEdit::textEdited, this, &WFolderBrowser::OnTextEdited);
    connect(edit_, &QLineEdit::returnPressed, this, &WFolderBrowser::OnOk);
    connect(ok_, &QPushButton::clicked, this, &WFolderBrowser::OnOk);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(homeButton_, &QPushButton::clicked, this, [this] {
        SelectInTree(QDir::homePath());
        OnTreeSelection(tree_->currentIndex());
    });
    connect(newButton_, &QPushButton::clicked, this, &WFolderBrowser::OnNewFolder);
    connect(renameButton_, &QPushButton::clicked, this, &WFolderBrowser::OnRename);
    connect(deleteButton_, &QPushButton::clicked, this, &WFolderBrowser::OnDelete);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnTreeSelection(current); });
    connect(tree_, &QWidget::customContextMenuRequested, this, &WFolderBrowser::OnContextMenu);
    // The model reads folders in the background; once the selected folder's
    // parents are there, it is brought into view.
    connect(model_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (tree_->currentIndex().isValid())
            tree_->scrollTo(tree_->currentIndex());
    });
    UpdateCommands();
}

void WFolderBrowser::Setup(const Dialogs::FolderRequest& request) {
    request_ = request;
    caption_->setText(request.caption);
    path_.clear();
    lastAccepted_.clear();
    note_->hide();
    userTyped_ = false;
    QString start = request.startFolder;
    if (start.isEmpty())
        start = QDir::homePath();
    settingText_ = true;
    edit_->setText(start);
    settingText_ = false;
    Revalidate();
    // The tree opens at the start folder, or at the nearest folder above it.
    QString shown = start;
    while (!shown.isEmpty() && !QFileInfo(shown).isDir() && shown != QFileInfo(shown).path())
        shown = QFileInfo(shown).path();
    SelectInTree(QFileInfo(shown).isDir() ? shown : QDir::homePath());
    UpdateCommands();
}

QModelIndex WFolderBrowser::IndexOf(const QString& path) const {
    std::string engine;
    if (!Win1252Path(path, engine))
        return model_->index(path);
    return model_->index(NativePath(FolderPathKey(engine)));
}

QString WFolderBrowser::SelectedFolder() const {
    const QModelIndex current = tree_->currentIndex();
    return current.isValid() ? model_->filePath(current) : QString();
}

bool WFolderBrowser::IsProtected(const QString& folder) const {
    if (folder.isEmpty())
        return true;
    const QString clean = QDir::cleanPath(folder);
    return clean == QStringLiteral("/") || QFileInfo(clean).path() == QStringLiteral("/") ||
           clean == QDir::cleanPath(QDir::homePath());
}

Dialogs::Answer WFolderBrowser::Ask(const QString& text, const QString& caption) {
    return dialogs_.Show(text, Dialogs::Buttons::YesNo, Dialogs::Icon::Question,
                         Dialogs::Answer::No, caption, this);
}

void WFolderBrowser::ShowError(const QString& text, const QString& caption) {
    dialogs_.Show(text, Dialogs::Buttons::Ok, Dialogs::Icon::Stop, Dialogs::Answer::Ok, caption,
                  this);
}

void WFolderBrowser::Revalidate() {
    std::string engine;
    bool usable = false;
    if (Win1252Path(edit_->text(), engine)) {
        const WFolderCheck check = CheckFolderPath(engine, ChoiceOf(request_));
        usable = check.status != WFolderCheck::Status::Refused;
        if (check.Accepted()) {
            lastAccepted_ = NativePath(check.path);
            SelectInTree(lastAccepted_);
        }
    }
    ok_->setEnabled(usable);
}

void WFolderBrowser::Refuse(const QString& message) {
    if (userTyped_ && !message.isEmpty()) {
        userTyped_ = false;
        ShowError(message, Caption(kBrowserErrorCaption));
    }
    settingText_ = true;
    edit_->setText(lastAccepted_);
    settingText_ = false;
    Revalidate();
}

void WFolderBrowser::RefuseTyped(const QString& text, const QString& refused,
                                 const QString& message) {
    const int cursor = edit_->cursorPosition();
    QString kept;
    int droppedBeforeCursor = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (refused.contains(text[i]) || text[i].unicode() < 0x20) {
            if (i < cursor)
                ++droppedBeforeCursor;
            continue;
        }
        kept += text[i];
    }
    settingText_ = true;
    edit_->setText(kept);
    edit_->setCursorPosition(qMax(0, cursor - droppedBeforeCursor));
    settingText_ = false;
    note_->setText(message);
    note_->show();
    Revalidate();
}

void WFolderBrowser::OnTextEdited(const QString& text) {
    userTyped_ = true;
    std::string engine;
    if (!Win1252Path(text, engine)) {
        const QString characters = UnstorableCharacters(text);
        RefuseTyped(text, characters, UnstorableMessage(tr("A folder name"), characters));
        return;
    }
    // A character no folder can hold is refused at once; what the rest of
    // the checks say may still change with the next key, so it waits for OK.
    const WFolderCheck check = CheckFolderPath(engine, ChoiceOf(request_));
    if (check.message == kFolderCharactersMessage) {
        RefuseTyped(text, QStringLiteral("*?\"<>|,"), CoreText(check.message));
        return;
    }
    Revalidate();
}

void WFolderBrowser::OnOk() {
    userTyped_ = true;
    std::string engine;
    if (!Win1252Path(edit_->text(), engine)) {
        Refuse(UnstorableMessage(tr("A folder name"), UnstorableCharacters(edit_->text())));
        return;
    }
    BoxQuestion question(dialogs_, this);
    const WFolderCheck check = AcceptFolderPath(engine, ChoiceOf(request_), question);
    if (!check.Accepted()) {
        Refuse(CoreText(check.message));
        return;
    }
    path_ = NativePath(check.path);
    accept();
}

void WFolderBrowser::SelectInTree(const QString& path) {
    const QModelIndex index = IndexOf(path);
    if (!index.isValid() || index == tree_->currentIndex())
        return;
    settingText_ = true;
    tree_->setCurrentIndex(index);
    settingText_ = false;
    for (QModelIndex p = index.parent(); p.isValid(); p = p.parent())
        tree_->expand(p);
    tree_->expand(index);
    tree_->scrollTo(index);
    UpdateCommands();
}

void WFolderBrowser::OnTreeSelection(const QModelIndex& index) {
    UpdateCommands();
    if (settingText_ || !index.isValid())
        return;
    // A folder picked in the tree is checked quietly: OK tells whether it
    // will do.
    settingText_ = true;
    edit_->setText(model_->filePath(index));
    settingText_ = false;
    Revalidate();
}

void WFolderBrowser::UpdateCommands() {
    const QString folder = SelectedFolder();
    newButton_->setEnabled(!folder.isEmpty());
    renameButton_->setEnabled(!IsProtected(folder));
    deleteButton_->setEnabled(!IsProtected(folder));
}

void WFolderBrowser::OnNewFolder() {
    std::string parent;
    if (!Win1252Path(SelectedFolder(), parent) || parent.empty())
        return;
    const WFolderCommand made = MakeNewFolder(parent);
    if (!made.Ok()) {
        ShowError(CoreText(made.message), CoreText(made.caption));
        return;
    }
    const QString path = NativePath(made.path);
    SelectInTree(path);
    OnTreeSelection(tree_->currentIndex());
    const QModelIndex index = IndexOf(path);
    if (index.isValid())
        tree_->edit(index);
}

void WFolderBrowser::OnRename() {
    const QModelIndex current = tree_->currentIndex();
    if (current.isValid() && !IsProtected(model_->filePath(current)))
        tree_->edit(current);
}

bool WFolderBrowser::RenameTo(const QString& folder, const QString& name) {
    if (IsProtected(folder))
        return false;
    std::string from, newName;
    if (!Win1252Path(folder, from))
        return false;
    if (!ToWin1252(name, newName)) {
        ShowError(UnstorableMessage(tr("A folder name"), UnstorableCharacters(name)),
                  Caption(kRenameErrorCaption));
        return false;
    }
    const WFolderCommand renamed = RenameFolder(from, newName);
    if (!renamed.Ok()) {
        ShowError(CoreText(renamed.message), CoreText(renamed.caption));
        return false;
    }
    const QString path = NativePath(renamed.path);
    SelectInTree(path);
    OnTreeSelection(tree_->currentIndex());
    return true;
}

void WFolderBrowser::OnDelete() {
    const QModelIndex current = tree_->currentIndex();
    const QString folder = current.isValid() ? model_->filePath(current) : QString();
    std::string engine;
    if (IsProtected(folder) || !Win1252Path(folder, engine))
        return;
    if (Ask(CoreText(DeleteFolderQuestion(engine)), Caption(kDeleteConfirmCaption)) !=
        Dialogs::Answer::Yes)
        return;
    // The selection goes to the next folder, else the one before, else the
    // parent.
    const QModelIndex parent = current.parent();
    QModelIndex next = model_->index(current.row() + 1, 0, parent);
    if (!next.isValid())
        next = model_->index(current.row() - 1, 0, parent);
    if (!next.isValid())
        next = parent;
    const QString nextPath = model_->filePath(next);
    const WFolderCommand deleted = DeleteFolderTree(engine);
    if (!deleted.Ok())
        ShowError(CoreText(deleted.message), CoreText(deleted.caption));
    if (!QFileInfo::exists(folder)) {
        SelectInTree(nextPath);
        OnTreeSelection(tree_->currentIndex());
    }
}

void WFolderBrowser::OnContextMenu(const QPoint& at) {
    const QModelIndex index = tree_->indexAt(at);
    if (index.isValid() && index != tree_->currentIndex())
        tree_->setCurrentIndex(index);
    QMenu menu(this);
    menu.addAction(tr("&New Folder"), this, &WFolderBrowser::OnNewFolder)
        ->setEnabled(newButton_->isEnabled());
    menu.addAction(tr("Re&name"), this, &WFolderBrowser::OnRename)
        ->setEnabled(renameButton_->isEnabled());
    menu.addAction(tr("&Delete"), this, &WFolderBrowser::OnDelete)
        ->setEnabled(deleteButton_->isEnabled());
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

}  // namespace vantrel
