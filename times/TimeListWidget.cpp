#include "times/TimeListWidget.h"

#include "lists/CustomTabelWidget.h"
#include "lists/CustormTabelItem.h"
#include "lists/EntrySort.h"
#include "ui_TimeListWidget.h"

#include <QDateTimeEdit>
#include <QFileInfo>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");

} // namespace

TimeListWidget::TimeListWidget(QWidget *parent) : TypedEntryList(parent), ui(new Ui::TimeListWidget)
{
    ui->setupUi(this);
    headers = QStringList {QStringLiteral("文件名称"), QStringLiteral("创建时间"),
        QStringLiteral("修改时间"), QStringLiteral("状态"), QStringLiteral("操作")};
    setUpTable(ui->tableWidget, ui->emptyList, ui->addFileAreaWidget, headers,
        {200, 240, 240, 100, 150}, {StateColumn, OperateColumn}, false);
    setRowButtonsVisible(false, true);
    setAcceptDrops(true);
}

TimeListWidget::~TimeListWidget()
{
    delete ui;
}

QString TimeListWidget::storedPath(const QString &path) const
{
    return QFileInfo(path).absoluteFilePath();
}

void TimeListWidget::writeTime(int row, int column, const QDateTime &time)
{
    QTableWidget *table = ui->tableWidget;
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new CustormTabelItem;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        table->setItem(row, column, item);
    }
    item->setData(kTimeTextRole, time.isValid() ? time.toString(kTimeFormat) : QString());
    // An invalid time (the entry vanished) leaves the editor as it was.
    auto *editor = qobject_cast<QDateTimeEdit *>(table->cellWidget(row, column));
    if (editor && time.isValid())
        editor->setDateTime(time);
}

void TimeListWidget::createRowWidgets(int row)
{
    const InfoEntry &entry = *entries.at(row);
    for (int column : {int(BirthColumn), int(ModifiedColumn)}) {
        auto *editor = new QDateTimeEdit(ui->tableWidget->viewport());
        editor->setDisplayFormat(kTimeFormat);
        // The run writes the entry's times, never what is typed here: so nothing can be typed.
        editor->setReadOnly(true);
        editor->setButtonSymbols(QAbstractSpinBox::NoButtons);
        const QDateTime &time = column == BirthColumn ? entry.birthTime : entry.modifiedTime;
        if (time.isValid())
            editor->setDateTime(time);
        ui->tableWidget->setCellWidget(row, column, editor);
    }
}

QList<int> TimeListWidget::rowWidgetColumns() const
{
    return {BirthColumn, ModifiedColumn};
}

void TimeListWidget::writeCells(int row, const InfoEntry &entry)
{
    QTableWidgetItem *name = cellItem(row, NameColumn);
    name->setIcon(iconProvider.icon(QFileInfo(entry.filePath)));
    name->setText(entry.fileName);
    name->setData(kUuidRole, entry.uuid);
    writeTime(row, BirthColumn, entry.birthTime);
    writeTime(row, ModifiedColumn, entry.modifiedTime);
}

void TimeListWidget::appendEntry(int row, const QString &path)
{
    appendFilled(row, newInfoEntry(path));
}

void TimeListWidget::setEntryTimes(int row, const QDateTime &birth, const QDateTime &modified)
{
    if (row < 0 || row >= entries.size())
        return;
    entries[row]->birthTime = birth;
    entries[row]->modifiedTime = modified;
    writeTime(row, BirthColumn, birth);
    writeTime(row, ModifiedColumn, modified);
}

bool TimeListWidget::sortEntries(int column, bool descending)
{
    switch (column) {
    case NameColumn:
        sortByText(
            entries, [](const InfoEntry *e) { return e->fileName; }, descending);
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

void TimeListWidget::forgetHistory()
{
    emit canUndo(false);
}
