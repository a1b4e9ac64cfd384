#include "create/CreateFileEmpty.h"

#include "lists/CustomTabelWidget.h"
#include "lists/EntrySort.h"
#include "ui_CreateFileEmpty.h"

#include <QFileInfo>

namespace {

// The template each kind is created from; its icon stands for the kind.
QString templateOf(int fileType)
{
    static const char *const names[]
        = {"folder", "Word.docx", "Excel.xlsx", "PPT.pptx", "PDF.pdf", "Txt.txt"};
    const int index = (fileType >= 0 && fileType < 6) ? fileType : 0;
    return QStringLiteral("./template/") + QLatin1String(names[index]);
}

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
}

CreateFileEmpty::~CreateFileEmpty()
{
    delete ui;
}

QIcon CreateFileEmpty::typeIcon() const
{
    return iconProvider.icon(QFileInfo(templateOf(settings.fileType)));
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
    name->setIcon(typeIcon());
    name->setText(entry.name);
    name->setData(kUuidRole, entry.uuid);
    cell(PathColumn)->setText(settings.targetDir + QLatin1Char('/') + entry.name);
}

void CreateFileEmpty::rebuild()
{
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
    return true;
}

void CreateFileEmpty::moveEntry(int from, int to)
{
    settings.names.insert(to, settings.names.takeAt(from));
    settings.states.insert(to, settings.states.takeAt(from));
}

void CreateFileEmpty::removeEntry(int index)
{
    settings.names.removeAt(index);
    if (index < settings.states.size())
        settings.states.removeAt(index);
}

void CreateFileEmpty::removeAllEntries()
{
    settings.names.clear();
    settings.states.clear();
}
