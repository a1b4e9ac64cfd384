#include "times/TimeListWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "filetime/CaptureTimes.h"
#include "lists/CustomTabelWidget.h"
#include "lists/CustormTabelItem.h"
#include "lists/EntrySort.h"
#include "rename/RenameRules.h"
#include "times/TimeRule.h"
#include "ui_TimeListWidget.h"

#include <QDateTimeEdit>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimer>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy/MM/dd hh:mm:ss");

const char *const timeTopics[]
    = {Topic::FileTimeProperty, Topic::FolderTimeProperty, Topic::StartChangeDate};

// Many time cells change at once: the model's per-cell signals are held and the view is told
// once, for both time columns.
class BatchedTimeCells
{
public:
    explicit BatchedTimeCells(QTableWidget *table)
        : table(table), blocked(table->model()->blockSignals(true))
    { }
    ~BatchedTimeCells()
    {
        QAbstractItemModel *model = table->model();
        model->blockSignals(blocked);
        if (model->rowCount() > 0)
            emit model->dataChanged(model->index(0, TimeListWidget::BirthColumn),
                model->index(model->rowCount() - 1, TimeListWidget::ModifiedColumn));
    }

private:
    QTableWidget *table;
    bool blocked;
};

// What the clock showed, for an editor that takes it as it is.
QDateTime shownReading(const QDateTime &time)
{
    return QDateTime(time.date(), time.time(), Qt::UTC);
}

void publishMessage(const QString &text)
{
    CNvGlobalObserver::instance()->notifyObservers(
        QString::fromLatin1(Topic::MessageErrorTip), QString(), text);
}

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
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : timeTopics)
        bus->registerObserver(QString::fromLatin1(topic),
            QString::fromLatin1(Topic::RenameValueUpdate), this, QUORVEX_BUS_SLOT);
    connect(CaptureTimes::instance(), &CaptureTimes::arrived, this,
        &TimeListWidget::onCaptureTimesArrived);
}

TimeListWidget::~TimeListWidget()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : timeTopics)
        bus->unregisterObserver(
            QString::fromLatin1(topic), QString::fromLatin1(Topic::RenameValueUpdate), this);
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
        editor->setDateTime(shownReading(time));
}

void TimeListWidget::createRowWidgets(int row)
{
    const InfoEntry &entry = *entries.at(row);
    for (int column : {int(BirthColumn), int(ModifiedColumn)}) {
        auto *editor = new QDateTimeEdit(ui->tableWidget->viewport());
        editor->setDisplayFormat(kTimeFormat);
        // The editor shows the date and time as they are; Qt's own local time would shift
        // dates before 1970 and after 2037.
        editor->setTimeSpec(Qt::UTC);
        // The run writes the entry's times, never what is typed here: so nothing can be typed.
        editor->setReadOnly(true);
        editor->setButtonSymbols(QAbstractSpinBox::NoButtons);
        const QDateTime &time = column == BirthColumn ? entry.birthTime : entry.modifiedTime;
        if (time.isValid())
            editor->setDateTime(shownReading(time));
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
    InfoEntry *entry = newInfoEntry(path);
    // A row added while a switch is on shows, and gets, the rule's result at once.
    const RowTimes times = ruleTimes(rule(), factsOf(*entry));
    entry->birthTime = times.birth.time;
    entry->modifiedTime = times.modified.time;
    appendFilled(row, entry);
    if (rule().needsCaptureTimes() && !captureRequestQueued) {
        // One request for the whole addition, once its rows are in.
        captureRequestQueued = true;
        QTimer::singleShot(0, this, &TimeListWidget::requestCaptureTimes);
    }
}

const TimeRule &TimeListWidget::rule() const
{
    return *TimeRule::forPage(isFolder);
}

EntryFacts TimeListWidget::factsOf(const InfoEntry &entry) const
{
    EntryFacts facts;
    facts.fileName = entry.fileName;
    facts.present = entry.ownTimes;
    if (rule().needsCaptureTimes() && entry.ownTimes.readable)
        facts.captureKnown = CaptureTimes::instance()->lookup(
            entry.filePath, entry.ownTimes.modification, &facts.capture);
    return facts;
}

void TimeListWidget::showPreview(int row)
{
    const RowTimes times = ruleTimes(rule(), factsOf(*entries.at(row)));
    // A vanished file has no times: its row keeps showing what it showed.
    setEntryTimes(row, times.birth.time, times.modified.time);
}

void TimeListWidget::recomputePreview()
{
    {
        BatchedTimeCells batch(table());
        for (int i = 0; i < entries.size(); ++i)
            showPreview(i);
    }
    requestCaptureTimes();
}

void TimeListWidget::requestCaptureTimes()
{
    captureRequestQueued = false;
    if (!rule().needsCaptureTimes())
        return;
    QVector<CaptureTimes::Wanted> wanted;
    std::optional<CaptureTime> unused;
    CaptureTimes *store = CaptureTimes::instance();
    for (const InfoEntry *entry : qAsConst(entries)) {
        if (entry->ownTimes.readable
            && !store->lookup(entry->filePath, entry->ownTimes.modification, &unused))
            wanted.append({entry->filePath, entry->ownTimes.modification});
    }
    store->request(wanted);
}

void TimeListWidget::onCaptureTimesArrived(const QStringList &paths)
{
    if (!rule().needsCaptureTimes())
        return;
    const QSet<QString> arrived(paths.begin(), paths.end());
    BatchedTimeCells batch(table());
    for (int i = 0; i < entries.size(); ++i) {
        if (arrived.contains(entries.at(i)->filePath))
            showPreview(i);
    }
}

void TimeListWidget::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    Q_UNUSED(value)
    // Both time pages hear every key; each list acts only on its own page's messages.
    if (valueName == QLatin1String(Topic::StartChangeDate)) {
        if (RenamePageMessage::isFrom(isFolder))
            changeTimes(false);
        return;
    }
    if (valueName == QLatin1String(isFolder ? Topic::FolderTimeProperty : Topic::FileTimeProperty))
        recomputePreview();
}

void TimeListWidget::showFailure(int row, const TimeStep &step)
{
    showFailure(row, timeStepMessage(step, entries.at(row)->filePath));
}

void TimeListWidget::showFailure(int row, const QString &message)
{
    setEntryState(row, StateFailed);
    if (!message.isEmpty())
        publishMessage(message);
}

void TimeListWidget::changeTimes(bool undo)
{
    if (undo) {
        if (undoStack.isEmpty())
            return;
        undoChange(undoStack.takeLast());
    } else {
        runChange();
    }
    emit canUndo(!undoStack.isEmpty());
}

void TimeListWidget::undoChangeTimes()
{
    changeTimes(true);
}

void TimeListWidget::runChange()
{
    const TimeRule &r = rule();
    TimeSnapshot snapshot;
    BatchedTimeCells batch(table());
    CaptureTimes *store = CaptureTimes::instance();
    for (int i = 0; i < entries.size(); ++i) {
        InfoEntry &entry = *entries.at(i);
        // The own times as they are now, not as they were listed.
        EntryFacts facts;
        facts.fileName = entry.fileName;
        facts.present = presentTimes(entry.filePath);
        if (r.needsCaptureTimes() && facts.present.readable) {
            facts.capture = store->readNow(entry.filePath, facts.present.modification);
            facts.captureKnown = true;
        }
        const RowTimes result = ruleTimes(r, facts);
        if (!facts.present.readable && !QFileInfo::exists(entry.filePath)) {
            showFailure(i, TimeStep {TimeStep::Missing, FileTimes::ReadFailed, {}});
            continue;
        }
        // A source without a value writes nothing to the entry; each time tells its own.
        const QString birthMessage = rowTimeMessage(result.birth, entry.filePath);
        const QString modifiedMessage = rowTimeMessage(result.modified, entry.filePath);
        if (!birthMessage.isEmpty() || !modifiedMessage.isEmpty()) {
            showFailure(i, birthMessage.isEmpty() ? modifiedMessage : birthMessage);
            if (!birthMessage.isEmpty() && !modifiedMessage.isEmpty()
                && modifiedMessage != birthMessage)
                publishMessage(modifiedMessage);
            continue;
        }
        // A time whose switch is off is not written: the file keeps its own.
        TimeWrite times;
        if (r.setBirthTime)
            times.creation = utcFromLocal(result.birth.time);
        if (r.setModifiedTime)
            times.modification = utcFromLocal(result.modified.time);
        // A time asked for that names no moment is never skipped quietly.
        const bool invalid
            = (r.setBirthTime && !times.creation) || (r.setModifiedTime && !times.modification);
        const TimeStep step = invalid ? TimeStep {TimeStep::Failed, FileTimes::WriteFailed, {}}
                                      : applyEntryTimes(entry.filePath, times);
        if (step.kind != TimeStep::Written) {
            showFailure(i, step);
            continue;
        }
        if (!times.isEmpty())
            snapshot.append({entry.uuid, step.before});
        entry.ownTimes = presentTimes(entry.filePath);
        if (facts.present.readable && entry.ownTimes.readable)
            store->retime(entry.filePath, facts.present.modification, entry.ownTimes.modification);
        showPreview(i);
        setEntryState(i, StateSuccess);
    }
    // Only entries the run changed can be put back; a run that changed none keeps no snapshot.
    if (!snapshot.isEmpty())
        undoStack.append(snapshot);
}

void TimeListWidget::undoChange(const TimeSnapshot &snapshot)
{
    // Rows may have been added, removed or moved since the run: entries are found by UUID.
    QHash<QString, int> rowOf;
    rowOf.reserve(entries.size());
    for (int i = 0; i < entries.size(); ++i)
        rowOf.insert(entries.at(i)->uuid, i);
    BatchedTimeCells batch(table());
    for (const TimeUndoEntry &undo : snapshot) {
        const int row = rowOf.value(undo.uuid, -1);
        if (row < 0)
            continue;
        const TimeStep step = applyEntryTimes(entries.at(row)->filePath, undo.before);
        if (step.kind != TimeStep::Written) {
            showFailure(row, step);
            continue;
        }
        // The row shows the times undo put back, as the file has them now.
        InfoEntry &entry = *entries[row];
        const PresentTimes written = entry.ownTimes;
        entry.ownTimes = presentTimes(entry.filePath);
        if (written.readable && entry.ownTimes.readable)
            CaptureTimes::instance()->retime(
                entry.filePath, written.modification, entry.ownTimes.modification);
        setEntryTimes(row, entry.ownTimes.birthTime(), entry.ownTimes.modifiedTime());
        setEntryState(row, StatePending);
    }
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
    undoStack.clear();
    emit canUndo(false);
}
