#include "lists/CustomTabelWidget.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>

CustomTabelWidget::CustomTabelWidget(QWidget *parent) : QTableWidget(parent)
{
    connect(this, &QTableWidget::itemDoubleClicked, this,
        [this](QTableWidgetItem *item) { doubleClickedItem = item; });
    // Stored items must never outlive their rows.
    connect(model(), &QAbstractItemModel::rowsAboutToBeRemoved, this,
        [this](const QModelIndex &, int first, int last) { forgetItemsOfRows(first, last); });
    connect(model(), &QAbstractItemModel::modelAboutToBeReset, this,
        [this] { forgetItemsOfRows(0, rowCount() - 1); });
}

CustomTabelWidget::~CustomTabelWidget()
{
    // The base clears its model after this part of the object is gone.
    disconnect(model(), nullptr, this, nullptr);
}

void CustomTabelWidget::setDragReorder(bool enabled)
{
    if (enabled) {
        setDragDropMode(QAbstractItemView::DragDrop);
        setDragEnabled(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
    } else {
        setDragDropMode(QAbstractItemView::NoDragDrop);
        setDragEnabled(false);
    }
}

void CustomTabelWidget::forgetItemsOfRows(int first, int last)
{
    const auto inRange = [first, last, this](QTableWidgetItem *item) {
        const int r = item ? row(item) : -1;
        return r >= first && r <= last;
    };
    if (inRange(pressItem))
        pressItem = nullptr;
    if (inRange(doubleClickedItem))
        doubleClickedItem = nullptr;
}

void CustomTabelWidget::mousePressEvent(QMouseEvent *event)
{
    pressPos = event->pos();
    pressItem = itemAt(pressPos);
    QTableWidget::mousePressEvent(event);
}

void CustomTabelWidget::mouseReleaseEvent(QMouseEvent *event)
{
    pressItem = nullptr;
    QTableWidget::mouseReleaseEvent(event);
}

void CustomTabelWidget::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractItemView::mouseMoveEvent(event);
}

bool CustomTabelWidget::isOwnDrag(const QDropEvent *event) const
{
    return event->source() == this;
}

void CustomTabelWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (isOwnDrag(event)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CustomTabelWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (!isOwnDrag(event)) {
        viewport()->update();
        event->ignore();
        return;
    }
    // The base scrolls the table when the drag nears an edge; the decision below is ours.
    QTableWidget::dragMoveEvent(event);
    QTableWidgetItem *target = itemAt(event->pos());
    if (target && pressItem && row(target) != row(pressItem)) {
        event->setDropAction(Qt::MoveAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void CustomTabelWidget::dropEvent(QDropEvent *event)
{
    QTableWidgetItem *target = itemAt(event->pos());
    // A drop on the dragged row itself (any of its cells) changes nothing.
    if (isOwnDrag(event) && target && pressItem && row(target) != row(pressItem)) {
        const int dst = row(target);
        const int src = row(pressItem);
        pressItem = nullptr;
        event->setDropAction(Qt::MoveAction);
        event->accept();
        emit SortChanged(dst, src);
        selectRow(dst);
    } else {
        event->ignore();
    }
}

void CustomTabelWidget::startDrag(Qt::DropActions)
{
    // Unlike the base, nothing is removed or cleared after a move: the list has already
    // redrawn its rows from the reordered entries when the drag returns.
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(model()->mimeData(indexes));
    const QRect rowRect = visualRect(indexes.first()).united(visualRect(indexes.last()));
    drag->setPixmap(viewport()->grab(rowRect.intersected(viewport()->rect())));
    drag->setHotSpot(QPoint(0, 0));
    drag->exec(Qt::MoveAction);
}

void CustomTabelWidget::scrollContentsBy(int dx, int dy)
{
    QTableWidget::scrollContentsBy(dx, dy);
    if (dy != 0)
        emit rowsInViewChanged();
}

void CustomTabelWidget::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    emit rowsInViewChanged();
}

void CustomTabelWidget::showEvent(QShowEvent *event)
{
    QTableWidget::showEvent(event);
    emit rowsInViewChanged();
}

void markCell(QTableWidgetItem *item, CellMark mark, const QString &tooltip, const QIcon &plain)
{
    // The same picture on a selected row: the style's selected tint washes the colour out.
    const auto icon = [](const char *file) {
        QIcon icon;
        icon.addFile(QLatin1String(file), QSize(), QIcon::Normal);
        icon.addFile(QLatin1String(file), QSize(), QIcon::Selected);
        return icon;
    };
    static const QIcon changed = icon(":/image/markNumbered.svg");
    static const QIcon fails = icon(":/image/markFailed.svg");
    item->setToolTip(tooltip);
    switch (mark) {
    case CellMark::None:
        item->setIcon(plain);
        item->setData(Qt::ForegroundRole, QVariant());
        break;
    case CellMark::Changed:
        item->setIcon(changed);
        item->setData(Qt::ForegroundRole, QColor(0xF5A623));
        break;
    case CellMark::Fails:
        item->setIcon(fails);
        item->setData(Qt::ForegroundRole, QColor(0xFF6B6B));
        break;
    }
}
