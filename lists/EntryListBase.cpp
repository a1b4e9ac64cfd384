#include "lists/EntryListBase.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "lists/CustomTabelWidget.h"
#include "lists/FolderPicker.h"
#include "lists/ListEntries.h"
#include "lists/OperateWidget.h"
#include "lists/PathCollect.h"
#include "lists/ShowInFolder.h"
#include "lists/StateLabel.h"
#include "widgets/FileChoices.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>
#include <QStandardPaths>
#include <QToolButton>

namespace {

void publishNotice(const char *nameSpace, const QVariant &value = QVariant())
{
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromUtf8(nameSpace), QString::fromUtf8(Topic::NoticeName), value);
}

QTableWidgetItem *fixedItem()
{
    auto *item = new QTableWidgetItem;
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// Rows are filled with the table's painting and layout held back, then released once.
// What is restored is the table's own setting, not updatesEnabled(): that also reads false
// while an ancestor holds updates back (a page switch does, around the show that brings the
// rows here), and restoring that false would pin the table unpainted for good.
class SuspendedUpdates
{
public:
    explicit SuspendedUpdates(QWidget *widget)
        : widget(widget), wasEnabled(!widget->testAttribute(Qt::WA_ForceUpdatesDisabled))
    {
        widget->setUpdatesEnabled(false);
    }
    ~SuspendedUpdates() { widget->setUpdatesEnabled(wasEnabled); }

private:
    QWidget *widget;
    bool wasEnabled;
};

} // namespace

EntryListBase::EntryListBase(QWidget *parent) : QWidget(parent) { }

EntryListBase::~EntryListBase()
{
    // The table outlives this part of the list while the children are destroyed.
    if (tabel)
        disconnect(tabel, nullptr, this, nullptr);
}

void EntryListBase::setUpTable(CustomTabelWidget *table, QWidget *placeholder, QWidget *area,
    const QStringList &headers, const QList<int> &widths, Columns columns, bool dragReorder)
{
    tabel = table;
    emptyList = placeholder;
    addArea = area;
    cols = columns;

    tabel->setColumnCount(headers.size());
    tabel->setHorizontalHeaderLabels(headers);
    for (int c = 0; c < widths.size() && c < headers.size(); ++c)
        tabel->setColumnWidth(c, widths.at(c));
    QHeaderView *header = tabel->horizontalHeader();
    header->setStretchLastSection(true);
    tabel->verticalHeader()->setVisible(false);
    // Every row is 80 high; the default spares a resize per row.
    tabel->verticalHeader()->setDefaultSectionSize(80);
    tabel->setShowGrid(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    tabel->setSortingEnabled(false);
    header->setSortIndicatorShown(true);
    tabel->setWordWrap(true);
    tabel->setIconSize(QSize(24, 24));

    tabel->hide();
    emptyList->show();

    // updateGeometries is a protected slot, reachable only by name.
    connect(header, SIGNAL(sectionResized(int, int, int)), tabel, SLOT(updateGeometries()),
        Qt::QueuedConnection);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &EntryListBase::onHeaderSort,
        Qt::QueuedConnection);
    connect(tabel, &CustomTabelWidget::SortChanged, this, &EntryListBase::onSortChanged);
    connect(tabel, &CustomTabelWidget::rowsInViewChanged, this, &EntryListBase::updateRowWidgets);
    tabel->setDragReorder(dragReorder);
    showSortGrip = dragReorder;

    if (addArea)
        addArea->installEventFilter(this);
}

void EntryListBase::setRowButtonsVisible(bool sortGrip, bool open)
{
    showSortGrip = sortGrip;
    showOpen = open;
}

QTableWidgetItem *EntryListBase::cellItem(int row, int column, bool editable)
{
    QTableWidgetItem *item = tabel->item(row, column);
    if (!item) {
        item = editable ? new QTableWidgetItem : fixedItem();
        tabel->setItem(row, column, item);
    }
    return item;
}

void EntryListBase::fillCommonCells(int row, const QString &uuid)
{
    if (QTableWidgetItem *first = tabel->item(row, 0))
        first->setData(kUuidRole, uuid);
    tabel->setItem(row, cols.state, fixedItem());
    tabel->setItem(row, cols.operate, fixedItem());
}

void EntryListBase::createCommonWidgets(int row)
{
    setStateLabel(tabel, row, cols.state, entryState(row));
    // Born in the viewport, where the table would move it anyway: a move re-polishes.
    auto *buttons = new OperateWidget(tabel->viewport());
    buttons->setProperty(
        "ItemPtr", qlonglong(reinterpret_cast<quintptr>(tabel->item(row, cols.operate))));
    buttons->setProperty("UUID", entryUuid(row));
    buttons->sortButton()->setVisible(showSortGrip);
    buttons->sortButton()->parentWidget()->setVisible(showSortGrip); // no gap where it was
    buttons->openButton()->setVisible(showOpen);
    connect(buttons, &OperateWidget::deleteFile, this, &EntryListBase::onDeleteRow);
    connect(buttons, &OperateWidget::openDir, this, &EntryListBase::onOpenDir);
    tabel->setCellWidget(row, cols.operate, buttons);
}

void EntryListBase::dropRowWidgets(int row)
{
    QList<int> columns = rowWidgetColumns();
    columns << cols.state << cols.operate;
    for (int column : qAsConst(columns)) {
        // The table deletes it later; until then it must not show at its old place.
        if (QWidget *widget = tabel->cellWidget(row, column))
            widget->hide();
        tabel->removeCellWidget(row, column);
    }
}

void EntryListBase::updateRowWidgets()
{
    // Rows on screen, and this many more on either side, carry widgets.
    constexpr int margin = 60;
    const int rows = qMin(tabel->rowCount(), entryCount());
    if (rows == 0) {
        rowsWithWidgets.clear();
        return;
    }
    int first = tabel->rowAt(0);
    int last = tabel->rowAt(tabel->viewport()->height() - 1);
    if (first < 0)
        first = 0;
    if (last < 0)
        last = rows - 1;
    const int low = qMax(0, first - margin);
    const int high = qMin(rows - 1, last + margin);

    QList<QPersistentModelIndex> kept;
    for (const QPersistentModelIndex &index : qAsConst(rowsWithWidgets)) {
        if (!index.isValid())
            continue;
        if (index.row() < low || index.row() > high)
            dropRowWidgets(index.row());
        else
            kept.append(index);
    }
    rowsWithWidgets = kept;

    SuspendedUpdates hold(tabel);
    for (int row = low; row <= high; ++row) {
        if (operateWidget(row))
            continue;
        createCommonWidgets(row);
        createRowWidgets(row);
        rowsWithWidgets.append(QPersistentModelIndex(tabel->model()->index(row, 0)));
    }
}

void EntryListBase::showState(int row, int state)
{
    if (tabel->cellWidget(row, cols.state))
        setStateLabel(tabel, row, cols.state, state);
}

void EntryListBase::refreshCommonCells(int row, const QString &uuid, int state)
{
    if (QTableWidgetItem *first = tabel->item(row, 0))
        first->setData(kUuidRole, uuid);
    showState(row, state);
    if (OperateWidget *buttons = operateWidget(row)) {
        buttons->setProperty(
            "ItemPtr", qlonglong(reinterpret_cast<quintptr>(tabel->item(row, cols.operate))));
        buttons->setProperty("UUID", uuid);
    }
}

OperateWidget *EntryListBase::operateWidget(int row) const
{
    return qobject_cast<OperateWidget *>(tabel->cellWidget(row, cols.operate));
}

int EntryListBase::rowOfUuid(const QString &uuid) const
{
    for (int r = 0; r < tabel->rowCount(); ++r) {
        const QTableWidgetItem *first = tabel->item(r, 0);
        if (first && first->data(kUuidRole).toString() == uuid)
            return r;
    }
    return -1;
}

void EntryListBase::showRows(bool hasRows)
{
    emptyList->setVisible(!hasRows);
    tabel->setVisible(hasRows);
}

void EntryListBase::appendEntry(int, const QString &) { }

QString EntryListBase::entryPath(int) const
{
    return QString();
}

void EntryListBase::refreshRows()
{
    refreshRowRange(0, entryCount() - 1);
}

void EntryListBase::refreshRowRange(int first, int last)
{
    SuspendedUpdates hold(tabel);
    last = qMin(last, qMin(entryCount(), tabel->rowCount()) - 1);
    for (int row = qMax(0, first); row <= last; ++row)
        refreshRow(row);
}

void EntryListBase::addPaths(const QStringList &paths)
{
    publishNotice(Topic::StartAddFile);

    QStringList stored;
    stored.reserve(paths.size());
    for (const QString &path : paths)
        stored.append(storedPath(path));
    const QStringList listed = entryPaths();
    const QSet<QString> existing(listed.begin(), listed.end());
    const AddPlan plan = planAddition(existing, tabel->rowCount(), stored, kListCapacity);

    if (!plan.accepted.isEmpty()) {
        SuspendedUpdates hold(tabel);
        int row = tabel->rowCount();
        tabel->setRowCount(row + plan.accepted.size());
        for (const QString &path : plan.accepted)
            appendEntry(row++, path);
    }

    if (plan.limitReached) {
        publishNotice(Topic::EndAddFile, plan.skipped);
        publishNotice(Topic::AppCompacityLimit);
    }
    if (tabel->rowCount() > 0)
        showRows(true);
    updateRowWidgets();
    if (tabel->rowCount() > 0 && entryCount() > 0)
        emit tabelEmpty(false);
    if (!plan.limitReached)
        publishNotice(Topic::EndAddFile, plan.skipped);
}

void EntryListBase::addFromFileDialog()
{
    const QStringList files
        = QFileDialog::getOpenFileNames(nullptr, QStringLiteral("选择要添加的文件"),
            dialogStartFolder(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
    if (!files.isEmpty()) {
        rememberDialogChoice(files.first());
        addPaths(files);
    }
}

void EntryListBase::addFromFolderPicker()
{
    const QStringList folders = openFolderPicker(QStringLiteral("选择要添加的文件夹"));
    if (isFolder) {
        addPaths(folders);
        return;
    }
    for (const QString &folder : folders)
        addPaths(filesBelow(folder));
}

QStringList EntryListBase::filesBelow(const QString &folder) const
{
    const QStringList listed = entryPaths();
    const QSet<QString> existing(listed.begin(), listed.end());
    const int room = qMax(0, kListCapacity - tabel->rowCount());
    return collectFilesUpTo(folder, room + 1,
        [this, &existing](const QString &path) { return !existing.contains(storedPath(path)); });
}

void EntryListBase::clearList()
{
    tabel->setRowCount(0);
    rowsWithWidgets.clear();
    showRows(false);
    removeAllEntries();
    forgetHistory();
    emit tabelEmpty(true);
}

void EntryListBase::onHeaderSort(int logicalIndex)
{
    QHeaderView *header = tabel->horizontalHeader();
    const bool descending = header->property("comper").toBool();
    if (!sortEntries(logicalIndex, descending))
        return;
    refreshRows();
    header->setProperty("comper", !descending);
}

void EntryListBase::onSortChanged(int dstIndex, int SrcIndex)
{
    const int count = entryCount();
    if (SrcIndex < 0 || SrcIndex >= count || dstIndex < 0 || dstIndex >= count
        || dstIndex == SrcIndex)
        return;
    moveEntry(SrcIndex, dstIndex);
    // Only the rows between the two places hold other entries now.
    refreshRowRange(qMin(SrcIndex, dstIndex), qMax(SrcIndex, dstIndex));
}

void EntryListBase::onDeleteRow()
{
    QObject *buttons = sender();
    if (!buttons)
        return;
    const auto itemPtr = quintptr(buttons->property("ItemPtr").toLongLong());
    const QString uuid = buttons->property("UUID").toString();

    // The address is only compared, never followed: a stale one simply matches no row.
    int row = -1;
    for (int r = 0; r < tabel->rowCount() && row < 0; ++r) {
        if (reinterpret_cast<quintptr>(tabel->item(r, cols.operate)) == itemPtr)
            row = r;
    }
    if (row < 0)
        row = rowOfUuid(uuid);
    if (row >= 0)
        tabel->removeRow(row);

    for (int i = 0; i < entryCount(); ++i) {
        if (entryUuid(i) == uuid) {
            removeEntry(i);
            break;
        }
    }
    if (entryCount() == 0)
        showRows(false);
    updateRowWidgets();
    if (emitsOnRemove)
        emit tabelEmpty(tabel->rowCount() == 0 || entryCount() == 0);
}

void EntryListBase::onOpenDir()
{
    QObject *buttons = sender();
    if (!buttons)
        return;
    const QString uuid = buttons->property("UUID").toString();
    for (int i = 0; i < entryCount(); ++i) {
        if (entryUuid(i) == uuid) {
            const QString path = entryPath(i);
            if (!path.isEmpty())
                showInFolder(path);
            return;
        }
    }
}

bool EntryListBase::eventFilter(QObject *watched, QEvent *event)
{
    if (takesPaths && watched == addArea && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        if (isFolder)
            addPaths(openFolderPicker(QStringLiteral("选择要添加的文件夹")));
        else
            addFromFileDialog();
    }
    return QWidget::eventFilter(watched, event);
}

void EntryListBase::dragEnterEvent(QDragEnterEvent *event)
{
    if (takesPaths && event->mimeData()->hasUrls())
        event->acceptProposedAction();
    QWidget::dragEnterEvent(event);
}

void EntryListBase::dropEvent(QDropEvent *event)
{
    if (takesPaths) {
        const QList<QUrl> urls = event->mimeData()->urls();
        for (const QUrl &url : urls) {
            const QString local = url.toLocalFile();
            if (local.isEmpty())
                continue;
            // "folder/" would give an entry without a name.
            const QString path = QDir::cleanPath(local);
            const QFileInfo info(path);
            if (isFolder) {
                if (info.isDir())
                    addPaths({path});
            } else if (info.isFile()) {
                addPaths({path});
            } else if (info.isDir()) {
                addPaths(filesBelow(path));
            }
        }
    }
    QWidget::dropEvent(event);
}
