#include "create/CreateFileEmpty.h"

#include "bus/BusTopics.h"
#include "bus/CNvGlobalObserver.h"
#include "create/CreateRun.h"
#include "lists/CustomTabelWidget.h"
#include "lists/EntrySort.h"
#include "ui_CreateFileEmpty.h"

#include <QFileInfo>
#include <QTimer>

namespace {

const char *const subscribed[]
    = {Topic::ImportCreateExcelRename, Topic::CustomCreateExcelRename, Topic::StartCreateData};

} // namespace

CreateFileEmpty::CreateFileEmpty(QWidget *parent)
    : EntryListBase(parent), ui(new Ui::CreateFileEmpty)
{
    ui->setupUi(this);
    headers = QStringList {QStringLiteral("文件名称"), QStringLiteral("文件路径"),
        QStringLiteral("状态"), QStringLiteral("操作")};
    setUpTable(ui->tableWidget, ui->emptyList, ui->addFileAreaWidget, headers, {200, 240, 240, 100},
        {StateColumn, OperateColumn}, false);
    setRowButtonsVisible(false, false);
    setEmitsOnRemove(false);
    setTakesPaths(false);
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *nameSpace : subscribed)
        bus->registerObserver(QString::fromLatin1(nameSpace),
            QString::fromLatin1(Topic::RenameValueUpdate), this, QUORVEX_BUS_SLOT);
}

CreateFileEmpty::~CreateFileEmpty()
{
    CNvGlobalObserver *bus = CNvGlobalObserver::instance();
    for (const char *nameSpace : subscribed)
        bus->unregisterObserver(
            QString::fromLatin1(nameSpace), QString::fromLatin1(Topic::RenameValueUpdate), this);
    delete ui;
}

QIcon CreateFileEmpty::typeIcon() const
{
    // The template stands for its kind; a missing one still gives the kind's generic icon.
    const int kind = CreateKinds::isKnown(settings.fileType) ? settings.fileType : 0;
    auto it = iconCache.constFind(kind);
    if (it == iconCache.constEnd())
        it = iconCache.insert(kind,
            iconProvider.icon(
                QFileInfo(CreateKinds::templatePath(kind, CreateKinds::templateDir()))));
    return *it;
}

void CreateFileEmpty::onPageChanged(QString pageName)
{
    if (pageName == QLatin1String("importCreatePage"))
        settings = *importCreateSettings();
    else if (pageName == QLatin1String("custormCreatePage"))
        settings = *customCreateSettings();
    rebuild();
}

void CreateFileEmpty::onPropertyValueChanged(
    const QString &valueName, const QString &valueObj, const QVariant &value)
{
    Q_UNUSED(valueObj)
    Q_UNUSED(value)
    if (valueName == QLatin1String(Topic::ImportCreateExcelRename))
        showSettings(*importCreateSettings());
    else if (valueName == QLatin1String(Topic::CustomCreateExcelRename))
        showSettings(*customCreateSettings());
    else if (valueName == QLatin1String(Topic::StartCreateData))
        createEntries();
}

void CreateFileEmpty::createEntries()
{
    // A message box shown during the run lets events through (a workbook read may finish and
    // rebuild the rows), so the run works on its own copy and finds its row by UUID.
    const CreateSettings run = settings;
    const auto mark = [this, &run](int row, int state) {
        const QString &uuid = run.names.at(row).uuid;
        if (row < settings.names.size() && settings.names.at(row).uuid == uuid)
            setEntryState(row, state);
        else
            setEntryState(rowOfUuid(uuid), state);
    };
    // Each row shows its outcome, and each failure is told, before the run goes on.
    runCreate(run, [&mark](int row, const CreateOutcome &outcome) {
        switch (outcome.kind) {
        case CreateOutcome::Created:
            mark(row, StateSuccess);
            break;
        case CreateOutcome::Existing:
            break; // the folder is there: the row keeps its state
        case CreateOutcome::Failed:
            mark(row, StateFailed);
            CNvGlobalObserver::instance()->notifyObservers(
                QString::fromLatin1(Topic::MessageErrorTip), QString(), outcome.message);
            break;
        }
    });
    // What is in the folder now is what a second press would meet.
    updateMarks(true);
}

void CreateFileEmpty::showSettings(const CreateSettings &s)
{
    settings = s;
    rebuild();
}

void CreateFileEmpty::writeCells(int row)
{
    const CreateEntry &entry = settings.names.at(row);
    // Nothing on this list is selected or edited.
    const auto cell = [this, row](int column) {
        QTableWidgetItem *item = cellItem(row, column);
        item->setFlags(Qt::NoItemFlags);
        return item;
    };
    QTableWidgetItem *name = cell(NameColumn);
    // Enabled, yet neither selected nor edited: a disabled cell is drawn in the disabled
    // colours, which would hide a mark's colour and icon.
    name->setFlags(Qt::ItemIsEnabled);
    const CreatePlan plan = plans.value(row, CreatePlan {CreatePlan::Create, {}, {}});
    const QString mark = createPlanMark(plan);
    markCell(name,
        mark.isEmpty() ? CellMark::None
            : (plan.kind == CreatePlan::Numbered || plan.kind == CreatePlan::Existing)
            ? CellMark::Changed
            : CellMark::Fails,
        mark, typeIcon());
    name->setText(entry.name);
    name->setData(kUuidRole, entry.uuid);
    cell(PathColumn)->setText(settings.targetDir + QLatin1Char('/') + entry.name);
}

void CreateFileEmpty::updateMarks(bool reread)
{
    marksQueued = false;
    // One read of the target folder per list change; the plan then costs no disk access.
    if (reread || picture.isEmpty())
        picture.read({settings.targetDir + QLatin1Char('/')});
    plans = planCreate(
        picture, settings, templateReadable(settings.fileType, CreateKinds::templateDir()));
    for (int row = 0; row < ui->tableWidget->rowCount() && row < settings.names.size(); ++row) {
        if (QTableWidgetItem *item = ui->tableWidget->item(row, NameColumn)) {
            if (item->toolTip() != createPlanMark(plans.at(row)))
                writeCells(row);
        }
    }
}

void CreateFileEmpty::queueMarks()
{
    if (marksQueued)
        return;
    marksQueued = true;
    QTimer::singleShot(0, this, [this] {
        if (marksQueued)
            updateMarks(false);
    });
}

void CreateFileEmpty::rebuild()
{
    // A keystroke in the rule plans from the picture already read; a new target folder is read.
    const QString target = settings.targetDir + QLatin1Char('/');
    if (!picture.folders.contains(target))
        picture.read({target});
    plans = planCreate(
        picture, settings, templateReadable(settings.fileType, CreateKinds::templateDir()));
    marksQueued = false;
    // One state per name, each pending, whatever the settings held.
    settings.states.clear();
    settings.states.reserve(settings.names.size());

    QTableWidget *table = ui->tableWidget;
    table->setUpdatesEnabled(false);
    table->setRowCount(0);
    table->setRowCount(settings.names.size());
    for (int row = 0; row < settings.names.size(); ++row) {
        settings.states.append(StatePending);
        writeCells(row);
        fillCommonCells(row, settings.names.at(row).uuid);
        table->item(row, StateColumn)->setFlags(Qt::NoItemFlags);
        table->item(row, OperateColumn)->setFlags(Qt::NoItemFlags);
    }
    table->setUpdatesEnabled(true);
    showRows(table->rowCount() > 0);
    updateRowWidgets();
    if (table->rowCount() > 0 && !settings.names.isEmpty())
        emit tabelEmpty(false);
}

void CreateFileEmpty::refreshRow(int row)
{
    writeCells(row);
    refreshCommonCells(row, settings.names.at(row).uuid, settings.states.value(row));
}

void CreateFileEmpty::setEntryState(int row, int state)
{
    if (row < 0 || row >= settings.states.size())
        return;
    settings.states[row] = state;
    showState(row, state);
}

QString CreateFileEmpty::entryUuid(int index) const
{
    return settings.names.at(index).uuid;
}

int CreateFileEmpty::entryState(int index) const
{
    return settings.states.value(index);
}

bool CreateFileEmpty::sortEntries(int column, bool descending)
{
    if (column != NameColumn && column != PathColumn)
        return false;
    // Sort positions, so each state moves with its name.
    QList<int> order;
    for (int i = 0; i < settings.names.size(); ++i)
        order.append(i);
    const QList<CreateEntry> names = settings.names;
    sortByText(
        order, [&names](int i) { return names.at(i).name; }, descending);
    const QList<int> states = settings.states;
    for (int i = 0; i < order.size(); ++i) {
        settings.names[i] = names.at(order.at(i));
        settings.states[i] = states.value(order.at(i));
    }
    queueMarks();
    return true;
}

void CreateFileEmpty::moveEntry(int from, int to)
{
    settings.names.insert(to, settings.names.takeAt(from));
    queueMarks();
    settings.states.insert(to, settings.states.takeAt(from));
}

void CreateFileEmpty::removeEntry(int index)
{
    settings.names.removeAt(index);
    if (index < settings.states.size())
        settings.states.removeAt(index);
    queueMarks();
}

void CreateFileEmpty::removeAllEntries()
{
    settings.names.clear();
    settings.states.clear();
    plans.clear();
}
