#include "lists/StateLabel.h"

#include "lists/ListEntries.h"

#include <QLabel>
#include <QStyle>
#include <QTableWidget>

void setStateLabel(QTableWidget *table, int row, int column, int state)
{
    auto *label = qobject_cast<QLabel *>(table->cellWidget(row, column));
    if (!label) {
        // A new label is polished when it is first shown, with its property already set.
        label = new QLabel(entryStateText(state), table->viewport());
        label->setObjectName(QStringLiteral("OperateStateLable"));
        label->setProperty("Success", state);
        table->setCellWidget(row, column, label);
        return;
    }
    const bool changed = label->property("Success").toInt() != state;
    label->setText(entryStateText(state));
    label->setProperty("Success", state);
    // Rules keyed on a property apply only after a fresh polish.
    if (changed) {
        table->style()->unpolish(label);
        table->style()->polish(label);
    }
}
