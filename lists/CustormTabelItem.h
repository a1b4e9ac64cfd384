#pragma once

#include <QTableWidgetItem>

// The item under a date-time editor cell; the editor's time as text is kept under
// Qt::UserRole + 2 so the cell also carries it for copying and accessibility.
class CustormTabelItem : public QTableWidgetItem
{
public:
    CustormTabelItem();
};
