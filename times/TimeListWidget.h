#pragma once

#include "lists/ListEntries.h"
#include "lists/TypedEntryList.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class TimeListWidget;
}

// The list of a time page: one InfoEntry per row; its times are those a run will write, shown
// in a date-time editor per cell.
class TimeListWidget : public TypedEntryList<InfoEntry>
{
    Q_OBJECT
public:
    enum Column { NameColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit TimeListWidget(QWidget *parent = nullptr);
    ~TimeListWidget() override;

    // Sets the times of row's entry and shows them.
    void setEntryTimes(int row, const QDateTime &birth, const QDateTime &modified);

signals:
    void canUndo(bool isCan);

protected:
    QString storedPath(const QString &path) const override;
    void appendEntry(int row, const QString &path) override;
    void writeCells(int row, const InfoEntry &entry) override;
    void createRowWidgets(int row) override;
    QList<int> rowWidgetColumns() const override;
    bool sortEntries(int column, bool descending) override;
    void forgetHistory() override;

private:
    void writeTime(int row, int column, const QDateTime &time);

    Ui::TimeListWidget *ui;
    QStringList headers;
    QFileIconProvider iconProvider;
};
