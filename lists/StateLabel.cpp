#include "lists/StateLabel.h"

#include "lists/ListEntries.h"

#include <QLabel>
#include <QStyle>
#include <QTableWidget>

void setStateLabel(QTableWidget *table, int row, int column, int state)
{
    auto *label = qobject_cast<QLabel *>(table->cellWidget(row, column));
    if (label) {
        label->setText(entryStateText(state));
        label->setProperty("Success", state);
    } else {
        label = new QLabel(entryStateText(state), table);
        label->setObjectName(QStringLiteral("OperateStateLable"));
        label->setProperty("Success", state);
        table->setCellWidget(row, column, label);
    }
    // Rules keyed on a property apply only after a fresh polish.
    table->style()->unpolish(label);
    table->style()->polish(label);
}
