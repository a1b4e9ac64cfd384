// The rename side of FileListWidget: the preview of new names, the hand edit of a preview
// cell, runs and undo.
#include "rename/FileListWidget.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "filetime/CaptureTimes.h"
#include "lists/CustomTabelWidget.h"
#include "rename/RenamePreview.h"
#include "rename/RenameRules.h"

#include <QAbstractItemDelegate>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace {

const char *const ruleTopics[] = {Topic::FileCustomRename, Topic::FolderCustomRename,
    Topic::FileInsertRename, Topic::FolderInsertRename, Topic::FileReplaceRename,
    Topic::FolderReplaceRename, Topic::FileDeleteRename, Topic::FolderDeleteRename,
    Topic::ImportExcelRename, Topic::StartChangeName};

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Many cells change at once: the model's per-cell change signals are held and the view is
// told once, for the preview column. (Switching the table's updates off and on would be far
// dearer: it walks the thousands of row widgets.)
class BatchedCells
{
public:
    explicit BatchedCells(QTableWidget *table, int column)
        : table(table), column(column), blocked(table->model()->blockSignals(true))
    { }
    ~BatchedCells()
    {
        QAbstractItemModel *model = table->model();
        model->blockSignals(blocked);
        if (model->rowCount() > 0)
            emit model->dataChanged(
                model->index(0, column), model->index(model->rowCount() - 1, column));
    }

private:
    QTableWidget *table;
    int column;
    bool blocked;
};

} // namespace

void FileListWidget::subscribeRenameTopics()
{
    // Rows added, removed or moved change what the run will meet; marked once the change is
    // complete.
    connect(this, &EntryListBase::tabelEmpty, this, &FileListWidget::queueMarks);
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : ruleTopics)
        bus->registerObserver(QString::fromLatin1(topic),
            QString::fromLatin1(Topic::RenameValueUpdate), this, QUORVEX_BUS_SLOT);
    connect(table()->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
        &FileListWidget::onPreviewEditorClosed);
}

void FileListWidget::unsubscribeRenameTopics()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *topic : ruleTopics)
        bus->unregisterObserver(
            QString::fromLatin1(topic), QString::fromLatin1(Topic::RenameValueUpdate), this);
}

void FileListWidget::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    // Both pages hear every key; each list acts only on its own page's messages.
    if (valueName == QLatin1String(Topic::StartChangeName)) {
        if (RenamePageMessage::isFrom(isFolder))
            executeRename(false);
        return;
    }
    if (valueName == QLatin1String(Topic::ImportExcelRename)) {
        if (RenamePageMessage::isFrom(isFolder))
            applyImportRename(value.toStringList());
        return;
    }
    if (!valueName.startsWith(isFolder ? QLatin1String("FOLDER ") : QLatin1String("FILE ")))
        return;
    if (RenameRules::customRecord(valueName))
        applyCustomRename(valueName);
    else if (RenameRules::replaceRecord(valueName))
        applyReplaceRename(valueName);
    else if (RenameRules::deleteRecord(valueName))
        applyDeleteRename(valueName);
}

void FileListWidget::applyCustomRename(const QString &nameSpace)
{
    applyRule(nameSpace);
}

void FileListWidget::applyReplaceRename(const QString &nameSpace)
{
    applyRule(nameSpace);
}

void FileListWidget::applyDeleteRename(const QString &nameSpace)
{
    applyRule(nameSpace);
}

void FileListWidget::applyRule(const QString &nameSpace)
{
    RenameRule rule;
    if (!RenameRule::fromNameSpace(nameSpace, &rule))
        return;
    autoResolve = rule.autoResolve();
    const bool times = rule.needsEntryTimes();
    QString trouble = rule.problem();
    CaptureTimes *store = CaptureTimes::instance();
    QVector<CaptureTimes::Wanted> wanted;
    QStringList names;
    names.reserve(entries.size());
    for (int i = 0; i < entries.size() && trouble.isEmpty(); ++i) {
        const QFileInfo info(entries.at(i)->filePath);
        PreviewEntry entry = previewEntryFor(info, isFolder, times);
        if (rule.needsCaptureTimes()) {
            // Photos are read off the GUI thread; a row whose time is not in yet waits for it.
            const std::optional<FileTimes::UtcTime> stamp = utcFromLocal(entry.modifiedTime);
            std::optional<CaptureTime> capture;
            if (stamp && store->lookup(info.absoluteFilePath(), *stamp, &capture)) {
                if (capture)
                    entry.captureTime = capture->localTime();
            } else if (stamp) {
                wanted.append({info.absoluteFilePath(), *stamp});
            }
        }
        names << previewName(rule, isFolder, entry, i, &trouble);
    }
    disconnect(captureWait);
    if (!wanted.isEmpty() && trouble.isEmpty()) {
        captureWait = connect(
            store, &CaptureTimes::arrived, this, [this, nameSpace] { applyRule(nameSpace); });
        store->request(wanted);
    }
    // A pattern that cannot be used changes no name; the editor shows why.
    if (!trouble.isEmpty()) {
        names.clear();
        for (const RenameEntry *entry : qAsConst(entries))
            names << nameOf(entry->filePath);
    }
    {
        BatchedCells batch(table(), NewNameColumn);
        for (int i = 0; i < names.size(); ++i)
            showPreview(i, names.at(i));
    }
    updateMarks();
    if (rule.kind == RenameRule::Replace)
        CNvGlobalObserver::instance()->notifyObservers(
            nameSpace, QString::fromLatin1(Topic::ReplacePatternState), trouble);
}

void FileListWidget::applyImportRename(const QStringList &names)
{
    autoResolve = true;
    const int n = qMin(names.size(), entries.size());
    BatchedCells batch(table(), NewNameColumn);
    for (int i = 0; i < n; ++i) {
        const QFileInfo info(entries.at(i)->filePath);
        showPreview(i, importedName(names.at(i), isFolder, previewEntryFor(info, isFolder)));
    }
    updateMarks();
}

void FileListWidget::queueMarks()
{
    if (marksQueued)
        return;
    marksQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (marksQueued)
            updateMarks();
    });
}

void FileListWidget::updateMarks(bool reread)
{
    marksQueued = false;
    QVector<RenameItem> items;
    items.reserve(entries.size());
    QStringList paths;
    paths.reserve(entries.size());
    uint key = uint(entries.size());
    for (const RenameEntry *entry : qAsConst(entries)) {
        items.append({entry->uuid, entry->filePath, entry->newName});
        paths << tidyPath(entry->filePath);
        key += qHash(paths.last()); // order does not matter: a sort reads nothing again
    }
    if (reread || key != pictureKey || picture.isEmpty()) {
        picture.read(paths);
        pictureKey = key;
    }
    const QVector<RowPlan> plans = planRename(picture, items, isFolder, autoResolve);
    static const QIcon numbered(QStringLiteral(":/image/markNumbered.svg"));
    static const QIcon failed(QStringLiteral(":/image/markFailed.svg"));
    QVector<int> changed;
    for (int i = 0; i < plans.size(); ++i) {
        const QTableWidgetItem *item = table()->item(i, NewNameColumn);
        if (item && item->toolTip() != planMark(plans.at(i)))
            changed << i;
    }
    if (changed.isEmpty())
        return;
    BatchedCells batch(table(), NewNameColumn);
    for (int i : qAsConst(changed)) {
        QTableWidgetItem *item = table()->item(i, NewNameColumn);
        const QString mark = planMark(plans.at(i));
        item->setToolTip(mark);
        const bool isNumbered = plans.at(i).kind == RowPlan::Numbered;
        item->setIcon(mark.isEmpty() ? QIcon() : isNumbered ? numbered : failed);
        item->setData(Qt::ForegroundRole,
            mark.isEmpty() ? QVariant() : QColor(isNumbered ? 0xF5A623 : 0xFF6B6B));
    }
}

void FileListWidget::showPreview(int row, const QString &name)
{
    entries[row]->newName = name;
    QTableWidgetItem *item = table()->item(row, NewNameColumn);
    if (item && item->text() != name)
        item->setText(name);
}

void FileListWidget::onPreviewEditorClosed(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    CustomTabelWidget *tabel = table();
    // A double-click opens the editor; so may a key on the current cell. The remembered item
    // is only trusted while it is still one of the preview cells.
    QTableWidgetItem *item = tabel->getDoubleClickedItem();
    bool isPreviewCell = false;
    for (int r = 0; item && !isPreviewCell && r < tabel->rowCount(); ++r)
        isPreviewCell = tabel->item(r, NewNameColumn) == item;
    if (!isPreviewCell)
        item = tabel->currentItem();
    tabel->clearDoubleClickedItem();
    auto *line = qobject_cast<QLineEdit *>(editor);
    if (!line || !item || item->column() != NewNameColumn
        || hint == QAbstractItemDelegate::RevertModelCache)
        return;

    const QString uuid = item->data(kUuidRole).toString();
    RenameEntry *edited = nullptr;
    for (RenameEntry *entry : qAsConst(entries)) {
        if (entry->uuid == uuid) {
            edited = entry;
            break;
        }
    }
    QString name = line->text();
    // The extension the file has on disk now: a run or an undo may have changed it since the
    // row was filled.
    const QString extension
        = edited ? QFileInfo(edited->filePath).suffix() : item->data(kSuffixRole).toString();
    // A folder's name is all stem; a file keeps its own extension whatever was typed.
    if (!isFolder) {
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            name.truncate(dot);
        if (!extension.isEmpty())
            name += QLatin1Char('.') + extension;
    }
    item->setText(name);
    if (edited)
        edited->newName = name;
    // Not while the view is still closing its editor.
    queueMarks();
}

int FileListWidget::rowOfEntry(int hint, const QString &uuid) const
{
    if (hint >= 0 && hint < entries.size() && entries.at(hint)->uuid == uuid)
        return hint;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i)->uuid == uuid)
            return i;
    }
    return -1;
}

void FileListWidget::showRenamedRow(int row)
{
    const RenameEntry &entry = *entries.at(row);
    const QFileInfo info(entry.filePath);
    if (QTableWidgetItem *item = table()->item(row, OldNameColumn)) {
        item->setText(entry.oldName);
        item->setIcon(iconProvider.icon(info));
    }
    if (QTableWidgetItem *item = table()->item(row, LocationColumn))
        item->setText(info.absolutePath());
    if (QTableWidgetItem *item = table()->item(row, NewNameColumn))
        item->setData(kSuffixRole, isFolder ? QString() : info.suffix());
}

void FileListWidget::executeRename(bool isUndo)
{
    if (isUndo && undoStack.isEmpty())
        return;
    QVector<RenameItem> items;
    items.reserve(entries.size());
    for (const RenameEntry *entry : qAsConst(entries))
        items.append({entry->uuid, entry->filePath, entry->newName});

    // Rows are shown as they finish; a failure is reported (a modal message) before the run
    // goes on with the next row.
    auto onRow = [this, &items, isUndo](int index, const RowOutcome &outcome) {
        const int row = rowOfEntry(index, items.at(index).uuid);
        if (row < 0)
            return;
        RenameEntry *entry = entries[row];
        switch (outcome.kind) {
        case RowOutcome::Renamed:
            entry->filePath = outcome.path;
            entry->oldName = nameOf(outcome.path);
            // After a run the preview is the name on disk (with any number added); after an
            // undo the row shows again the preview of the undone run.
            entry->newName = isUndo ? outcome.newName : entry->oldName;
            entry->state = isUndo ? StatePending : StateSuccess;
            showRenamedRow(row);
            // The cell shows what the entry holds, so the two never disagree.
            showPreview(row, entry->newName);
            showState(row, entry->state);
            break;
        case RowOutcome::Failed:
            entry->state = StateFailed;
            showState(row, entry->state);
            CNvGlobalObserver::instance()->notifyObservers(
                QString::fromLatin1(Topic::MessageErrorTip), QString(),
                renameFailedMessage(outcome.target));
            break;
        case RowOutcome::Missing:
            entry->state = StateMissing;
            showState(row, entry->state);
            break;
        case RowOutcome::Untouched:
            break;
        }
    };

    RunResult result;
    if (isUndo)
        result = ::undoRename(items, undoStack.pop(), isFolder, autoResolve, onRow);
    else
        result = runRename(items, isFolder, autoResolve, onRow);

    // Entries inside a renamed folder moved along with it.
    for (int i = 0; i < items.size(); ++i) {
        const int row = rowOfEntry(i, items.at(i).uuid);
        if (row >= 0 && entries.at(row)->filePath != result.paths.at(i)) {
            // Also a failed two-step rename that could not put the entry back: the row then
            // names where the file really is.
            entries[row]->filePath = result.paths.at(i);
            entries[row]->oldName = nameOf(result.paths.at(i));
            showRenamedRow(row);
        }
    }
    if (!isUndo && result.renamed > 0)
        undoStack.push(result.snapshot);
    updateMarks(true);
    emit canUndo(!undoStack.isEmpty());
}

void FileListWidget::undoRename()
{
    executeRename(true);
}
