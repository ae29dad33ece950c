#include "app/list_columns.h"

#include <QDialog>
#include <QEvent>
#include <QHeaderView>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>
#include <QVector>
#include <algorithm>

namespace vantrel {

namespace {

// Watches one list: its viewport's size, its rows and the user's dragging of
// column edges.
class ColumnFitter : public QObject {
  public:
    explicit ColumnFitter(QTreeWidget* list) : QObject(list), list_(list) {
        QHeaderView* header = list->header();
        header->setStretchLastSection(true);
        header->setSectionResizeMode(QHeaderView::Interactive);
        list->viewport()->installEventFilter(this);
        connect(header, &QHeaderView::sectionResized, this, [this](int section, int, int) {
            if (!fitting_ && section < list_->columnCount() - 1)
                chosen_.insert(section);
        });
        QAbstractItemModel* model = list->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, &ColumnFitter::Later);
        connect(model, &QAbstractItemModel::dataChanged, this, &ColumnFitter::Later);
        connect(model, &QAbstractItemModel::modelReset, this, &ColumnFitter::Later);
        Fit();
    }

    void Fit() {
        pending_ = false;
        const int count = list_->columnCount();
        const int room = list_->viewport()->width();
        if (count < 2 || room <= 0)
            return;
        QHeaderView* header = list_->header();
        QVector<int> want(count);
        QVector<int> least(count);
        int total = 0;
        for (int i = 0; i < count; ++i) {
            least[i] = header->sectionSizeHint(i);
            want[i] =
                chosen_.contains(i) ? header->sectionSize(i) : std::max(least[i], ContentWidth(i));
            total += want[i];
        }
        // Too little room: the columns not chosen by the user give up the
        // same share of what they have beyond their titles.
        if (total > room) {
            int spare = 0;
            for (int i = 0; i < count; ++i) {
                if (!chosen_.contains(i))
                    spare += want[i] - least[i];
            }
            const int excess = total - room;
            for (int i = 0; i < count && spare > 0; ++i) {
                if (!chosen_.contains(i))
                    want[i] -= static_cast<int>(static_cast<qint64>(want[i] - least[i]) *
                                                std::min(excess, spare) / spare);
            }
        }
        fitting_ = true;
        for (int i = 0; i + 1 < count; ++i) {
            if (!chosen_.contains(i))
                header->resizeSection(i, want[i]);
        }
        fitting_ = false;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            Fit();
        return QObject::eventFilter(watched, event);
    }

  private:
    // The width the rows' texts of `column` need (protected in the tree view,
    // public in its base).
    int ContentWidth(int column) const {
        const QAbstractItemView* view = list_;
        return view->sizeHintForColumn(column);
    }

    void Later() {
        if (pending_)
            return;
        pending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (pending_)
                Fit();
        });
    }

    QTreeWidget* list_;
    QSet<int> chosen_;
    bool fitting_ = false;
    bool pending_ = false;
};

}  // namespace

void FitColumns(QTreeWidget* list) {
    if (!list ||
        list->findChild<QObject*>(QStringLiteral("columnFitter"), Qt::FindDirectChildrenOnly))
        return;
    list->setTextElideMode(Qt::ElideMiddle);
    auto* fitter = new ColumnFitter(list);
    fitter->setObjectName(QStringLiteral("columnFitter"));
}

void ShowPaths(QListWidget* list) {
    if (!list)
        return;
    list->setTextElideMode(Qt::ElideMiddle);
    // Rows as wide as the list, so that a long one is shortened rather than
    // scrolled out of sight.
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setUniformItemSizes(true);
    auto tip = [list](const QModelIndex& first, const QModelIndex& last) {
        for (int row = first.row(); row <= last.row(); ++row) {
            if (QListWidgetItem* item = list->item(row); item && item->toolTip() != item->text())
                item->setToolTip(item->text());
        }
    };
    QObject::connect(list->model(), &QAbstractItemModel::dataChanged, list, tip);
    QObject::connect(list->model(), &QAbstractItemModel::rowsInserted, list,
                     [list, tip](const QModelIndex&, int first, int last) {
                         tip(list->model()->index(first, 0), list->model()->index(last, 0));
                     });
}

void KeepTitleWhole(QDialog* dialog) {
    if (!dialog)
        return;
    // The title bar's font is the window system's; the application's font,
    // a bold allowance and room for the buttons of the title bar stand for it.
    QFont font = dialog->font();
    font.setBold(true);
    const int needed = QFontMetrics(font).horizontalAdvance(dialog->windowTitle()) + 140;
    if (dialog->minimumWidth() < needed)
        dialog->setMinimumWidth(needed);
}

}  // namespace vantrel
