#pragma once

#include "lists/ListEntries.h"
#include "lists/TypedEntryList.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class CollectListWidget;
}

// The list of an extraction page: one InfoEntry per row with the name, path and times taken
// when the entry was added.
class CollectListWidget : public TypedEntryList<InfoEntry>
{
    Q_OBJECT
public:
    enum Column { NameColumn, PathColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit CollectListWidget(QWidget *parent = nullptr);
    ~CollectListWidget() override;

protected:
    QString storedPath(const QString &path) const override;
    void appendEntry(int row, const QString &path) override;
    void writeCells(int row, const InfoEntry &entry) override;
    bool sortEntries(int column, bool descending) override;

private:
    Ui::CollectListWidget *ui;
    QStringList headers;
    QFileIconProvider iconProvider;
};
