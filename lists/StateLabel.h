#pragma once

class QTableWidget;

// Shows state (0..4) in the label of the cell at row, column, creating the label
// ("OperateStateLable") if the cell has none; the style sheet colours it by "Success".
void setStateLabel(QTableWidget *table, int row, int column, int state);
