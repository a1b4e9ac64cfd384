#pragma once

#include "lists/EntryListBase.h"
#include "lists/ListEntries.h"

#include <QFileIconProvider>
#include <QList>

namespace Ui {
class TimeListWidget;
}

// The list of a time page: one InfoEntry per row; its times are those a run will write, shown
// in a date-time editor per cell.
class TimeListWidget : public EntryListBase
{
    Q_OBJECT
public:
    enum Column { NameColumn, BirthColumn, ModifiedColumn, StateColumn, OperateColumn };

    explicit TimeListWidget(QWidget *parent = nullptr);
    ~TimeListWidget() override;

    int entryCount() const override { return entries.size(); }
    const QList<InfoEntry *> &entryList() const { return entries; }

    // Sets the times of row's entry and shows them.
    void setEntryTimes(int row, const QDateTime &birth, const QDateTime &modified);
    // Sets the state of row (its entry and its state label).
    void setEntryState(int row, int state);

signals:
    void canUndo(bool isCan);

protected:
    QString storedPath(const QString &path) const override;
    QString entryUuid(int index) const override;
    int entryState(int index) const override;
    QString entryPath(int index) const override;
    QStringList entryPaths() const override;
    void appendEntry(int row, const QString &path) override;
    void refreshRow(int row) override;
    void createRowWidgets(int row) override;
    QList<int> rowWidgetColumns() const override;
    bool sortEntries(int column, bool descending) override;
    void moveEntry(int from, int to) override;
    void removeEntry(int index) override;
    void removeAllEntries() override;
    void forgetHistory() override;

private:
    void writeCells(int row, const InfoEntry &entry);
    void writeTime(int row, int column, const QDateTime &time);

    Ui::TimeListWidget *ui;
    QStringList headers;
    QList<InfoEntry *> entries;
    QFileIconProvider iconProvider;
};
