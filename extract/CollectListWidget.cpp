#include "extract/CollectListWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "extract/CollectSettings.h"
#include "lists/CustomTabelWidget.h"
#include "lists/EntrySort.h"
#include "office/ExportWriters.h"
#include "office/MyCustomEvent.h"
#include "office/MyDialogMessageEvent.h"
#include "ui_CollectListWidget.h"

#include <QFileInfo>
#include <QSet>

namespace {

const char *const collectTopics[]
    = {Topic::FileCollectProperty, Topic::FolderCollectProperty, Topic::StartCollectInfo};

using CollectExport::timeText;

void tellUser(const QString &message)
{
    CNvGlobalObserver::instance()->notifyObservers(QString::fromLatin1(Topic::MessageErrorTip),
        QString::fromLatin1(Topic::NoticeName), message);
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
    // Both pages hear every key; the option keys only tell that a setting changed, which the
    // list reads when an export starts.
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : collectTopics)
        bus->registerObserver(QString::fromLatin1(topic),
            QString::fromLatin1(Topic::RenameValueUpdate), this, QUORVEX_BUS_SLOT);
}

CollectListWidget::~CollectListWidget()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : collectTopics)
        bus->unregisterObserver(
            QString::fromLatin1(topic), QString::fromLatin1(Topic::RenameValueUpdate), this);
    delete ui;
}

void CollectListWidget::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    // The start request says which page pressed "开始提取"; a value that is no page kind at
    // all starts nothing.
    if (valueName == QLatin1String(Topic::StartCollectInfo) && value.type() == QVariant::Bool
        && value.toBool() == isFolder)
        startCollectInfo();
}

void CollectListWidget::startCollectInfo()
{
    CollectSettings settings = *collectSettings(isFolder);
    if (settings.exportType != CollectExport::Docx && settings.exportType != CollectExport::Txt)
        settings.exportType = CollectExport::Xlsx; // as the output path counts it
    const QString problem = CollectExport::nameProblem(settings);
    if (!problem.isEmpty()) {
        tellUser(problem);
        return;
    }
    if (entries.isEmpty())
        return;

    ExportRows rows;
    QList<QVariant> exported; // the UUIDs, so that the end of this write finds its rows
    rows.reserve(entries.size() + 1);
    exported.reserve(entries.size());
    if (settings.exportType == CollectExport::Xlsx)
        rows.append(CollectExport::headerRow(settings));
    for (int row = 0; row < entries.size(); ++row) {
        const InfoEntry *entry = entries.at(row);
        rows.append(CollectExport::entryRow(QFileInfo(entry->filePath), settings, isFolder));
        exported.append(entry->uuid);
        setEntryState(row, StateRunning);
    }

    const QString path = CollectExport::outputPath(settings);
    switch (settings.exportType) {
    case CollectExport::Docx:
        writeWordAsync(path, rows, this, exported);
        break;
    case CollectExport::Txt:
        writeTextAsync(path, rows, this, exported);
        break;
    default:
        writeExcelAsync(path, rows, this, exported);
        break;
    }
}

void CollectListWidget::customEvent(QEvent *event)
{
    if (event->type() == MyCustomEvent::EventType) {
        const auto *done = static_cast<MyCustomEvent *>(event);
        QSet<QString> exported;
        exported.reserve(done->list.size());
        for (const QVariant &uuid : done->list)
            exported.insert(uuid.toString());
        // A failed write is never shown as success.
        const int state = done->result ? StateSuccess : StateFailed;
        for (int row = 0; row < entries.size(); ++row) {
            if (exported.contains(entries.at(row)->uuid))
                setEntryState(row, state);
        }
    } else if (event->type() == MyDialogMessageEvent::EventType) {
        tellUser(static_cast<MyDialogMessageEvent *>(event)->message);
    } else {
        TypedEntryList::customEvent(event);
    }
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
