#include "lists/CustormTabelItem.h"

CustormTabelItem::CustormTabelItem() : QTableWidgetItem(QTableWidgetItem::Type) { }
