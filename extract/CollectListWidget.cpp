#include "extract/CollectListWidget.h"

#include "lists/CustomTabelWidget.h"
#include "lists/EntrySort.h"
#include "ui_CollectListWidget.h"

#include <QFileInfo>

namespace {

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toString(QStringLiteral("yyyy/MM/dd hh:mm:ss")) : QString();
}

} // namespace

CollectListWidget::CollectListWidget(QWidget *parent)
    : TypedEntryList(parent), ui(new Ui::CollectListWidget)
{
    ui->setupUi(this);
    headers = QStringList {QStringLiteral("文件名称"), QStringLiteral("文件路径"),
        QStringLiteral("创建时间"), QStringLiteral("修改时间"), QStringLiteral("状态"),
        QStringLiteral("操作")};
    setUpTable(ui->tableWidget, ui->emptyList, ui->addFileAreaWidget, headers,
        {120, 180, 180, 100, 120}, {StateColumn, OperateColumn}, true);
    setAcceptDrops(true);
}

CollectListWidget::~CollectListWidget()
{
    delete ui;
}

QString CollectListWidget::storedPath(const QString &path) const
{
    return QFileInfo(path).absoluteFilePath();
}

void CollectListWidget::writeCells(int row, const InfoEntry &entry)
{
    QTableWidgetItem *name = cellItem(row, NameColumn);
    name->setIcon(iconProvider.icon(QFileInfo(entry.filePath)));
    name->setText(entry.fileName);
    name->setData(kUuidRole, entry.uuid);
    cellItem(row, PathColumn)->setText(entry.filePath);
    cellItem(row, BirthColumn)->setText(timeText(entry.birthTime));
    cellItem(row, ModifiedColumn)->setText(timeText(entry.modifiedTime));
}

void CollectListWidget::appendEntry(int row, const QString &path)
{
    appendFilled(row, newInfoEntry(path));
}

bool CollectListWidget::sortEntries(int column, bool descending)
{
    switch (column) {
    case NameColumn:
        sortByText(
            entries, [](const InfoEntry *e) { return e->fileName; }, descending);
        return true;
    case PathColumn:
        sortByText(
            entries, [](const InfoEntry *e) { return e->filePath; }, descending);
        return true;
    case BirthColumn:
        sortByTime(
            entries, [](const InfoEntry *e) { return e->birthTime; }, descending);
        return true;
    case ModifiedColumn:
        sortByTime(
            entries, [](const InfoEntry *e) { return e->modifiedTime; }, descending);
        return true;
    default:
        return false;
    }
}
